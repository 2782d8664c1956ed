// Clipboard payloads of the controls' own type, from any program: whatever the bytes, reading
// them either refuses with error 2 or yields whole controls that archive again.
#include "core/ControlArchive.h"

#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Controls take fonts from the application: one GUI application, without a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    SKTError error;
    const std::optional<SKTGraphicArray> graphics = graphicsWithPasteboardData(bytes, &error);
    if (!graphics) {
        if (error.code != SKTUnknownPasteboardReadError)
            std::abort();
        return 0;
    }
    for (const SKTGraphicPtr &g : *graphics) {
        if (!g || Archive_Graphic(*g).isEmpty())
            std::abort();
    }
    return 0;
}
