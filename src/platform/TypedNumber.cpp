#include "platform/TypedNumber.h"

#include <QLocale>
#include <cmath>

namespace platform {

std::optional<double> Typed_Number(const QString &typed)
{
    bool ok = false;
    // QString's reading is the C locale's, which takes no group separator.
    const double v = typed.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<double> Typed_Whole_Number(const QString &typed)
{
    const QString body = typed.trimmed();
    qsizetype i = body.startsWith(QLatin1Char('-')) || body.startsWith(QLatin1Char('+')) ? 1 : 0;
    if (i == body.size())
        return std::nullopt;
    for (; i < body.size(); ++i)
        if (body.at(i) < QLatin1Char('0') || body.at(i) > QLatin1Char('9'))
            return std::nullopt;
    return Typed_Number(body);
}

QLocale Number_Field_Locale()
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return c;
}

bool Holds_Digit_Grouping(const QString &typed)
{
    static const QString kCommon = QStringLiteral(",'\u2019 \u00a0\u202f\u066c");
    const QString local = QLocale().groupSeparator();
    const QString body = typed.trimmed();
    for (const QChar c : body)
        if (kCommon.contains(c))
            return true;
    return !local.isEmpty() && local != QLatin1String(".") && body.contains(local);
}

bool Holds_Fraction_Or_Grouping(const QString &typed)
{
    return typed.contains(QLatin1Char('.')) || Holds_Digit_Grouping(typed);
}

}  // namespace platform
