// Picture files from anywhere: the header check every picture road asks before decoding, and
// the row-by-row preview. Whatever the bytes, an answer, a preview no larger than asked for, or
// nothing.
#include "FuzzSupport.h"
#include "core/PngPreview.h"
#include "platform/PictureBudget.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = Fuzz_Input(data, size);
    static QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("fuzz.png")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
    file.close();
    // The header check every picture road asks first: an answer, and the device left in place.
    QBuffer header;
    header.setData(bytes);
    header.open(QIODevice::ReadOnly);
    (void)platform::pictureDecodeRefusal(&header);
    if (header.pos() != 0)
        std::abort();
    for (const int side : {1, 7, 64}) {
        // A small pixel limit keeps each run short; the limit itself is what is checked.
        const QImage preview = Decode_Png_Preview(file.fileName(), side, 1'000'000);
        if (!preview.isNull() && (preview.width() > side || preview.height() > side))
            std::abort();
    }
    return 0;
}
