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

// The weights a face's name can carry, heaviest words first where one holds another
// ("SemiBold" holds "Bold", "ExtraLight" holds "Light").
struct WeightWord {
    const char *word;
    QFont::Weight weight;
};
constexpr WeightWord kWeights[] = {
    {"ExtraLight", QFont::ExtraLight}, {"UltraLight", QFont::ExtraLight}, {"Thin", QFont::Thin},
    {"Hairline", QFont::Thin},         {"Light", QFont::Light},           {"SemiBold", QFont::DemiBold},
    {"DemiBold", QFont::DemiBold},     {"ExtraBold", QFont::ExtraBold},   {"UltraBold", QFont::ExtraBold},
    {"Bold", QFont::Bold},             {"Medium", QFont::Medium},         {"Black", QFont::Black},
    {"Heavy", QFont::Black},
};

QFont::Weight weightNamed(const QString &face)
{
    for (const WeightWord &w : kWeights)
        if (face.contains(QLatin1String(w.word), Qt::CaseInsensitive))
            return w.weight;
    return QFont::Normal;
}

// Faces that bold and italic name alone: written and read as they always were.
bool plainFace(const QString &face)
{
    static const QStringList plain{QString(), QStringLiteral("Regular"), QStringLiteral("Book"),
                                   QStringLiteral("Normal"), QStringLiteral("Roman"), QStringLiteral("Plain"),
                                   QStringLiteral("Bold"), QStringLiteral("Italic"), QStringLiteral("Oblique"),
                                   QStringLiteral("BoldItalic"), QStringLiteral("BoldOblique")};
    return plain.contains(QString(face).remove(QLatin1Char(' ')), Qt::CaseInsensitive);
}

// The face a font string names after the family's dash: the face's own name (spaces left out)
// when bold and italic cannot say it, else "Bold", "Italic" or "BoldItalic" as before.
QString faceName(const QFont &font)
{
    const QString style = QString(font.styleName()).remove(QLatin1Char(' '));
    if (!plainFace(style))
        return style;
    QString face;
    if (font.weight() != QFont::Normal) {
        for (const WeightWord &w : kWeights)
            if (w.weight == font.weight()) {
                face = QLatin1String(w.word);
                break;
            }
        if (face.isEmpty() && font.bold())
            face = QStringLiteral("Bold");
    }
    if (font.italic())
        face += QStringLiteral("Italic");
    return face;
}

// The installed style of `family` whose name without spaces is `face`; empty when none is.
QString installedStyle(const QString &family, const QString &face)
{
    for (const QString &style : QFontDatabase::styles(family))
        if (QString(style).remove(QLatin1Char(' ')).compare(face, Qt::CaseInsensitive) == 0)
            return style;
    return {};
}

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
    const QString face = faceName(font);
    if (!face.isEmpty())
        name += QLatin1Char('-') + face;
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
    QString face;

    const QStringList families = QFontDatabase::families();
    auto installed = [&](const QString &name) {
        return std::any_of(families.cbegin(), families.cend(),
                           [&](const QString &f) { return f.compare(name, Qt::CaseInsensitive) == 0; });
    };
    if (!installed(family)) {
        // "Family-BoldItalic", "Family-LightItalic": the face rides on the name, and the family or
        // the face may hold a dash of its own ("Demi-Light"). The split read is the one whose
        // family is installed with that face, else one whose family is installed, else the last.
        // The last few dashes only: a face's name holds a dash or two, and a stored name of
        // thousands of dashes must not cost a font lookup each.
        int bestRank = -1, tries = 8;
        const QString stored = family;
        for (qsizetype dash = stored.lastIndexOf(QLatin1Char('-')); dash > 0 && tries-- > 0;
             dash = stored.lastIndexOf(QLatin1Char('-'), dash - 1)) {
            const QString left = stored.left(dash), right = stored.mid(dash + 1);
            const int rank = !installed(left) ? 0 : plainFace(right) || !installedStyle(left, right).isEmpty() ? 2 : 1;
            if (rank > bestRank) {
                bestRank = rank;
                family = left;
                face = right;
            }
        }
    }
    // A design made where other fonts are installed is drawn in the default family, but at the
    // size and in the style it was laid out with: text set small must not grow out of its box.
    const bool known = installed(family);
    QFont font = known ? QFont(family) : DEFAULT_FONT;
    if (size > 0)
        font.setPointSizeF(size);
    const QString style = known && !plainFace(face) ? installedStyle(family, face) : QString();
    if (!style.isEmpty()) {
        // The very face the design was made with.
        font.setStyleName(style);
        font.setWeight(QFont::Weight(QFontDatabase::weight(family, style)));
        font.setItalic(QFontDatabase::italic(family, style));
    } else {
        font.setWeight(weightNamed(face));
        font.setItalic(face.contains(QLatin1String("Italic"), Qt::CaseInsensitive) ||
                       face.contains(QLatin1String("Oblique"), Qt::CaseInsensitive));
        if (face.contains(QLatin1String("Condensed"), Qt::CaseInsensitive))
            font.setStretch(QFont::Condensed);
    }
    return font;
}
