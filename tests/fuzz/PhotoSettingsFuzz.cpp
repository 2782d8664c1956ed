// A stored photo path with its settings suffix, applied to a small picture as a loader would.
#include "FuzzSupport.h"
#include "imageops/PhotoSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString stored = QString::fromUtf8(Fuzz_Input(data, size));
    ImageAdjustments settings;
    const PhotoSettingsSuffix suffix = Split_Photo_Settings_Suffix(stored, settings);
    QImage picture(24, 16, QImage::Format_ARGB32);
    picture.fill(Qt::darkCyan);
    if (Apply_Photo_Settings(picture, settings, suffix.border).isNull())
        std::abort();
    return 0;
}
