#pragma once
// What every fuzz target shares: one GUI application without a display (controls take their
// fonts from it), made on the first input, and the input as bytes.
#include <QByteArray>
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

inline QByteArray Fuzz_Input(const uint8_t *data, size_t size)
{
    if (!QGuiApplication::instance()) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "fuzz";
        static char *argv[] = {name, nullptr};
        static QGuiApplication app(argc, argv);
    }
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}
