#include "data/SeriesGenerator.h"

#include "core/Utilities.h"
#include "platform/TextLength.h"
#include "platform/TypedNumber.h"

#include <QRandomGenerator>
#include <algorithm>
#include <limits>

namespace {
bool isSymbol(QChar c)
{
    switch (c.category()) {
    case QChar::Symbol_Math:
    case QChar::Symbol_Currency:
    case QChar::Symbol_Modifier:
    case QChar::Symbol_Other:
        return true;
    default:
        return false;
    }
}

bool fitsInt32(qint64 v) { return v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max(); }

SeriesGenCheck refuse(const char *message, const char *focus)
{
    return {QString::fromUtf8(message), QString::fromLatin1(focus)};
}
}  // namespace

qint64 Field_Number(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
        negative = text.at(i++) == QLatin1Char('-');
    qint64 value = 0;
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    for (; i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'); ++i) {
        const int digit = text.at(i).unicode() - '0';
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return negative ? -value : value;
}

QString PadZero(const QString &text, int length)
{
    return text.size() >= length ? text : QString(length - text.size(), QLatin1Char('0')) + text;
}

quint32 getRandomNumberBetweenMin(quint32 min, quint32 max, QRandomGenerator *rng)
{
    // bounded() rejects the uneven tail of the range, so every value is equally likely.
    QRandomGenerator *g = rng ? rng : QRandomGenerator::global();
    return static_cast<quint32>(g->bounded(static_cast<quint64>(min), static_cast<quint64>(max) + 1));
}

QString Count_Field_Text(const QString &text, int maxChars, int maxValue)
{
    const QString t = platform::First_Characters(Trim_Str(text), maxChars);
    return Field_Number(t) > maxValue ? QString::number(maxValue) : t;
}

QString Count_Field_Left_Text(const QString &text, int maxChars, int maxValue)
{
    const QString t = Count_Field_Text(text, maxChars, maxValue);
    if (platform::Holds_Fraction_Or_Grouping(t))
        return t;
    return t.isEmpty() || Field_Number(t) <= 0 ? QStringLiteral("1") : t;
}

QString Number_Field_Text(const QString &text)
{
    QString t = Trim_Where(text, [](QChar c) { return c.isLetter(); });
    t = Trim_Where(t, [](QChar c) { return c.isSpace(); });
    t = Trim_Where(t, [](QChar c) { return c.category() == QChar::Other_NotAssigned; });
    t = Trim_Where(t, isSymbol);
    return platform::First_Characters(t, 10);
}

SeriesGenCheck Check_Series_Input(const SeriesGenInput &in)
{
    switch (in.mode) {
    case SeriesGenMode::Sequential: {
        // Read up to its mark, "1,000" would start the series at 1, and "1.5" is no number of a series.
        if (in.from.isEmpty() || platform::Holds_Fraction_Or_Grouping(in.from))
            return refuse("Please enter valid number for 'From' value.", "from_txt");
        if (in.to.isEmpty() || platform::Holds_Fraction_Or_Grouping(in.to))
            return refuse("Please enter valid number for 'To' value.", "to_txt");
        const qint64 f = Field_Number(in.from), t = Field_Number(in.to);
        if (!fitsInt32(f))
            return refuse("Please enter valid number for 'From' value.", "from_txt");
        if (!fitsInt32(t))
            return refuse("Please enter valid number for 'To' value.", "to_txt");
        if (f >= t)
            return refuse("Please enter valid number.\n'From' value must be smaller than 'To' value.", "from_txt");
        // Zeros in front of a minus sign make no number at all.
        if (in.padDigits && f < 0)
            return refuse("Please enter valid number for 'From' value.\nNumbers padded with 0's can't be negative.",
                          "from_txt");
        return {};
    }
    case SeriesGenMode::Constant:
        if (in.value.isEmpty())
            return refuse("Please enter valid Value.", "value_txt");
        if (in.count.isEmpty() || platform::Holds_Fraction_Or_Grouping(in.count))
            return refuse("Please enter valid number for 'Count' value.", "count_txt");
        return {};
    case SeriesGenMode::Random:
        if (in.randCount.isEmpty() || platform::Holds_Fraction_Or_Grouping(in.randCount))
            return refuse("Please enter valid number for 'Count' value.", "rand_count_txt");
        if (in.randLength.isEmpty() || platform::Holds_Fraction_Or_Grouping(in.randLength))
            return refuse("Please enter valid number for 'Length' value.", "rand_length_txt");
        return {};
    }
    return {};
}

void Generate_Series_Values(const SeriesGenInput &in, const std::function<void(const QString &)> &add,
                            QRandomGenerator *rng)
{
    switch (in.mode) {
    case SeriesGenMode::Sequential: {
        // Counted in 64 bits: a run that ends at the largest 32-bit number must still stop.
        const qint64 f = Field_Number(in.from), t = Field_Number(in.to);
        const int width = int(std::max(in.from.size(), in.to.size()));
        for (qint64 n = f; n <= t; ++n) {
            QString d = QString::number(n);
            if (in.padDigits)
                d = PadZero(d, width);
            add(in.prefix + d + in.suffix);
        }
        break;
    }
    case SeriesGenMode::Constant: {
        const qint64 count = std::min<qint64>(Field_Number(in.count), kSeriesMaxCount);
        for (qint64 i = 0; i < count; ++i)
            add(in.value);
        break;
    }
    case SeriesGenMode::Random: {
        const qint64 count = std::min<qint64>(Field_Number(in.randCount), kSeriesMaxCount);
        const int length = int(std::clamp<qint64>(Field_Number(in.randLength), 1, kSeriesMaxLength));
        quint32 max = 9;
        for (int i = 1; i < length; ++i)
            max = max * 10 + 9;
        const quint32 min = length == 1 ? 1 : (max + 1) / 10;
        for (qint64 i = 0; i < count; ++i)
            add(in.randPrefix + QString::number(getRandomNumberBetweenMin(min, max, rng)) + in.randSuffix);
        break;
    }
    }
}
