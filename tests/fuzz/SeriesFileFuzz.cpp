// Series files from anywhere: whatever the bytes, the readers answer values that agree with one
// another and survive being written and read again, or nothing; never a crash or a hang.
#include "FuzzSupport.h"
#include "core/Utilities.h"
#include "data/SeriesFiles.h"

#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = Fuzz_Input(data, size);
    QLoggingCategory::setFilterRules(QStringLiteral("badgeloom.info=false"));
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.txt"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(input) != input.size())
            std::abort();
    }
    const std::optional<QString> text = Read_Series_Text(path);
    const std::optional<QStringList> lines = Read_Series_Lines(path);
    const QStringList values = Read_Series_Values(path);
    // The three readers take a file or leave it together.
    if (text.has_value() != lines.has_value() || (!text && !values.isEmpty()))
        std::abort();
    if (!text)
        return 0;
    // Lines: the trimmed text split at line feeds, so one more than its line feeds.
    if (lines->isEmpty() || lines->size() != Trim_Str(*text).count(QLatin1Char('\n')) + 1)
        std::abort();
    // Values: the lines trimmed, the empty ones dropped.
    QStringList expected;
    for (const QString &line : *lines)
        if (const QString v = Trim_Str(line); !v.isEmpty())
            expected << v;
    if (values != expected)
        std::abort();
    // Written back, a series reads as it was.
    const QString again = dir.filePath(QStringLiteral("again.txt"));
    if (!Write_Series_File(again, values) || Read_Series_Values(again) != values)
        std::abort();
    return 0;
}
