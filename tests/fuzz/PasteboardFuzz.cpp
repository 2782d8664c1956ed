// Clipboard content of the controls' own type, from any program: a paste either refuses it with
// an error or inserts whole controls that archive again.
#include "FuzzSupport.h"
#include "core/SKTPasteboard.h"

#include <QMimeData>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QMimeData mime;
    mime.setData(SKTGraphicViewPasteboardType, Fuzz_Input(data, size));
    SKTPasteCascade cascade;
    const SKTPasteOutcome outcome = Graphics_For_Paste(&mime, 0, cascade, QStringLiteral("F"));
    if (outcome.error && !outcome.graphics.empty())
        std::abort();
    for (const SKTGraphicPtr &g : outcome.graphics) {
        if (!g || Archive_Graphic(*g).isEmpty())
            std::abort();
    }
    return 0;
}
