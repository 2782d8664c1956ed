#include "core/DesignFieldIO.h"

#include "core/ColorFontStrings.h"
#include "platform/BraceText.h"

#include <cmath>
#include <limits>

namespace {

bool finiteNumber(const QString &text, double &value)
{
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value);
}

bool finiteRect(const QRectF &r)
{
    return std::isfinite(r.x()) && std::isfinite(r.y()) && std::isfinite(r.width()) && std::isfinite(r.height());
}

}  // namespace

// --- writer ---

void DesignFieldWriter::yn(const bool &v) { out.append(v ? QStringLiteral("Y") : QStringLiteral("N")); }

void DesignFieldWriter::realValue(double v)
{
    if (!std::isfinite(v))
        throw DesignFieldFailure{position(), QStringLiteral("a number of entry %1 is not finite").arg(position())};
    out.append(QString::asprintf("%0.2f", v));
}

void DesignFieldWriter::colour(const QColor &v) { out.append(Convert_Color_to_String(v)); }
void DesignFieldWriter::font(const QFont &v) { out.append(Convert_Font_to_String(v)); }

void DesignFieldWriter::point(const QPointF &v)
{
    if (!std::isfinite(v.x()) || !std::isfinite(v.y()))
        throw DesignFieldFailure{position(), QStringLiteral("the point of entry %1 is not finite").arg(position())};
    out.append(platform::pointToText(v));
}

void DesignFieldWriter::size(const QSizeF &v)
{
    if (!std::isfinite(v.width()) || !std::isfinite(v.height()))
        throw DesignFieldFailure{position(), QStringLiteral("the size of entry %1 is not finite").arg(position())};
    out.append(platform::sizeToText(v));
}

void DesignFieldWriter::rect(const QRectF &v)
{
    if (!finiteRect(v))
        throw DesignFieldFailure{position(), QStringLiteral("the rectangle of entry %1 is not finite").arg(position())};
    out.append(platform::rectToText(v));
}

// --- reader ---

const QVariant &DesignFieldReader::next(int kind, const char *what)
{
    if (m_index >= m_in.size())
        fail(QStringLiteral("entry %1 is missing").arg(m_index));
    const QVariant &v = m_in[m_index];
    if (v.typeId() != kind)
        fail(QStringLiteral("entry %1 is not %2").arg(m_index).arg(QLatin1String(what)));
    ++m_index;
    return v;
}

QString DesignFieldReader::nextText() { return next(QMetaType::QString, "a text").toString(); }

double DesignFieldReader::nextReal(double limit)
{
    const QString t = nextText();
    double v = 0;
    if (!finiteNumber(t, v) || std::abs(v) > limit) {
        --m_index;
        fail(QStringLiteral("entry %1 is not a number").arg(m_index));
    }
    return v;
}

void DesignFieldReader::integer(int &v)
{
    const QString t = nextText().trimmed();
    bool ok = false;
    const int whole = t.toInt(&ok);
    if (ok) {
        v = whole;
        return;
    }
    // A whole-number field written with decimals still reads by its integer value.
    double d = 0;
    if (finiteNumber(t, d) && d > double(std::numeric_limits<int>::min()) - 1 &&
        d < double(std::numeric_limits<int>::max()) + 1) {
        v = int(d);
        return;
    }
    --m_index;
    fail(QStringLiteral("entry %1 is not a whole number").arg(m_index));
}

void DesignFieldReader::colour(QColor &v) { v = Convert_String_to_Color(nextText()); }
void DesignFieldReader::font(QFont &v) { v = Convert_String_to_Font(nextText()); }
void DesignFieldReader::point(QPointF &v)
{
    v = platform::textToPoint(nextText());
    if (!std::isfinite(v.x()) || !std::isfinite(v.y())) {
        --m_index;
        fail(QStringLiteral("the point of entry %1 is not finite").arg(m_index));
    }
}

void DesignFieldReader::size(QSizeF &v)
{
    v = platform::textToSize(nextText());
    if (!std::isfinite(v.width()) || !std::isfinite(v.height())) {
        --m_index;
        fail(QStringLiteral("the size of entry %1 is not finite").arg(m_index));
    }
}

void DesignFieldReader::rect(QRectF &v)
{
    v = platform::textToRect(nextText());
    if (!finiteRect(v)) {
        --m_index;
        fail(QStringLiteral("the rectangle of entry %1 is not finite").arg(m_index));
    }
}

void DesignFieldReader::data(QByteArray &v) { v = next(QMetaType::QByteArray, "data").toByteArray(); }
void DesignFieldReader::array(QVariantList &v) { v = next(QMetaType::QVariantList, "an array").toList(); }
