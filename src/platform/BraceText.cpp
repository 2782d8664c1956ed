#include "platform/BraceText.h"

#include <QLocale>
#include <QRegularExpression>

#include <array>
#include <cmath>

namespace platform {

namespace {

// Shortest text that reads back to the same double, without a trailing ".0".
QString num(double v)
{
    if (!std::isfinite(v))
        v = 0;
    if (v == 0)
        v = 0;  // folds -0 into 0
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

template <std::size_t N>
std::array<double, N> numbers(const QString &text)
{
    static const QRegularExpression re(QStringLiteral(R"([-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?)"));
    std::array<double, N> out{};
    std::size_t i = 0;
    for (auto it = re.globalMatch(text); it.hasNext() && i < N; ++i) {
        bool ok = false;
        const double v = it.next().captured().toDouble(&ok);
        out[i] = (ok && std::isfinite(v)) ? v : 0.0;
    }
    return out;
}

}  // namespace

QString pointToText(QPointF p) { return QStringLiteral("{%1, %2}").arg(num(p.x()), num(p.y())); }

QString sizeToText(QSizeF s) { return QStringLiteral("{%1, %2}").arg(num(s.width()), num(s.height())); }

QString rectToText(const QRectF &r)
{
    return QStringLiteral("{%1, %2}").arg(pointToText(r.topLeft()), sizeToText(r.size()));
}

QPointF textToPoint(const QString &text)
{
    const auto n = numbers<2>(text);
    return {n[0], n[1]};
}

QSizeF textToSize(const QString &text)
{
    const auto n = numbers<2>(text);
    return {n[0], n[1]};
}

QRectF textToRect(const QString &text)
{
    const auto n = numbers<4>(text);
    return {n[0], n[1], n[2], n[3]};
}

}  // namespace platform
