#include "core/ColorFontStrings.h"

#include "core/Globals.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

// Leading-number reading: leading spaces skipped, the longest numeric prefix taken,
// anything unreadable is 0.
double leadingFloat(const QString &field)
{
    const QString s = field.trimmed();
    qsizetype end = 0;
    bool digits = false;
    if (end < s.size() && (s[end] == QLatin1Char('+') || s[end] == QLatin1Char('-')))
        ++end;
    while (end < s.size() && s[end].isDigit()) {
        ++end;
        digits = true;
    }
    if (end < s.size() && s[end] == QLatin1Char('.')) {
        ++end;
        while (end < s.size() && s[end].isDigit()) {
            ++end;
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    if (end < s.size() && (s[end] == QLatin1Char('e') || s[end] == QLatin1Char('E'))) {
        qsizetype e = end + 1;
        if (e < s.size() && (s[e] == QLatin1Char('+') || s[e] == QLatin1Char('-')))
            ++e;
        if (e < s.size() && s[e].isDigit()) {
            while (e < s.size() && s[e].isDigit())
                ++e;
            end = e;
        }
    }
    bool ok = false;
    const double v = s.left(end).toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

double unit(double v) { return std::clamp(v, 0.0, 1.0); }

}  // namespace

QString Convert_Color_to_String(const QColor &colour)
{
    // Three decimals keep every 8-bit channel exact across a save and a load.
    if (!colour.isValid())
        return QStringLiteral("0.000:0.000:0.000:0.000");
    const QColor c = colour.toRgb();
    return QString::asprintf("%0.3f:%0.3f:%0.3f:%0.3f", c.redF(), c.greenF(), c.blueF(), c.alphaF());
}

QColor Convert_String_to_Color(const QString &text)
{
    double v[4] = {0, 0, 0, 0};
    const QStringList fields = text.split(QLatin1Char(':'));
    for (int i = 0; i < 4 && i < fields.size(); ++i)
        v[i] = leadingFloat(fields[i]);
    return QColor::fromRgbF(float(unit(v[0])), float(unit(v[1])), float(unit(v[2])), float(unit(v[3])));
}

QString Convert_Font_to_String(const QFont &font)
{
    // A font made without a family (Qt's default font) names none until it is matched: store the
    // family it is drawn with, or the string would read back as no font at all.
    QString name = font.family().isEmpty() ? QFontInfo(font).family() : font.family();
    QStringList style;
    if (font.bold())
        style << QStringLiteral("Bold");
    if (font.italic())
        style << QStringLiteral("Italic");
    if (!style.isEmpty())
        name += QLatin1Char('-') + style.join(QString());
    const double size = font.pointSizeF() > 0 ? font.pointSizeF() : 0.0;
    return name + QStringLiteral("::::") + QString::asprintf("%0.2f", size);
}

QFont Convert_String_to_Font(const QString &text)
{
    const qsizetype sep = text.indexOf(QStringLiteral("::::"));
    if (sep < 0)
        return DEFAULT_FONT;
    QString family = text.left(sep);
    const double size = leadingFloat(text.mid(sep + 4));
    bool bold = false, italic = false;

    const QStringList families = QFontDatabase::families();
    auto installed = [&](const QString &name) {
        return std::any_of(families.cbegin(), families.cend(),
                           [&](const QString &f) { return f.compare(name, Qt::CaseInsensitive) == 0; });
    };
    if (!installed(family)) {
        // "Family-BoldItalic": the style rides on the name.
        const qsizetype dash = family.lastIndexOf(QLatin1Char('-'));
        if (dash > 0) {
            const QString style = family.mid(dash + 1);
            bold = style.contains(QLatin1String("Bold"), Qt::CaseInsensitive);
            italic = style.contains(QLatin1String("Italic"), Qt::CaseInsensitive) ||
                     style.contains(QLatin1String("Oblique"), Qt::CaseInsensitive);
            family = family.left(dash);
        }
    }
    // A design made where other fonts are installed is drawn in the default family, but at the
    // size and in the style it was laid out with: text set small must not grow out of its box.
    QFont font = installed(family) ? QFont(family) : DEFAULT_FONT;
    if (size > 0)
        font.setPointSizeF(size);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}
