// Text, CSV and rich-text imports: whatever the bytes, values come out non-empty and within the
// value limit, and a lone surrogate never survives decoding.
#include "FuzzSupport.h"
#include "data/ImportText.h"

namespace {

void checkValues(const QStringList &values, qsizetype limit)
{
    if (values.size() > limit)
        std::abort();
    // Trimmed as every value is (blanks, then control characters, at both ends): never empty.
    for (const QString &v : values)
        if (v.isEmpty() || v.trimmed().isEmpty())
            std::abort();
}

void checkWhole(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = Fuzz_Input(data, size);
    const QString text = Decode_Import_Text(bytes);
    checkWhole(text);
    // A small limit here: the fuzzer's inputs are small, and the refusal must be reached.
    constexpr qsizetype limit = 64;
    for (const bool csv : {false, true}) {
        bool tooMany = false;
        const QStringList values = Text_Import_Values(text, csv, limit, &tooMany);
        checkValues(values, limit);
        if (tooMany != (values.isEmpty() && Text_Import_Values(text, csv).size() > limit))
            std::abort();
    }
    if (Split_Text_Lines(text).size() != text.count(QLatin1Char('\n')) + text.count(QLatin1Char('\r'))
                                             - text.count(QStringLiteral("\r\n")) + 1)
        std::abort();
    (void)Read_Csv_Records(text);
    if (const std::optional<QString> plain = Rtf_To_Plain_Text(bytes)) {
        checkWhole(*plain);
        checkValues(Text_Import_Values(*plain, false, limit, nullptr), limit);
    }
    return 0;
}
