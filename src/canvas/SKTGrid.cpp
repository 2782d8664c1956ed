#include "canvas/SKTGrid.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

SKTGrid::SKTGrid(QObject *parent) : QObject(parent), _color(Qt::lightGray) {}

void SKTGrid::setColor(const QColor &colour)
{
    if (colour == _color)
        return;
    _color = colour;
    emit anyChanged();
}

void SKTGrid::setSpacing(double spacing)
{
    if (spacing == _spacing)
        return;
    _spacing = spacing;
    emit anyChanged();
}

void SKTGrid::setAlwaysShown(bool shown)
{
    if (shown == _isAlwaysShown)
        return;
    _isAlwaysShown = shown;
    emit alwaysShownChanged(shown);
    emit anyChanged();
}

void SKTGrid::setConstraining(bool constraining)
{
    if (constraining == _isConstraining)
        return;
    _isConstraining = constraining;
    emit anyChanged();
}

double SKTGrid::snap(double v) const { return std::floor(v / _spacing + 0.5) * _spacing; }

QPointF SKTGrid::constrainedPoint(QPointF point) const
{
    if (!isUsable() || !_isConstraining)
        return point;
    return {snap(point.x()), snap(point.y())};
}

QRectF SKTGrid::alignedRect(const QRectF &rect) const
{
    if (!isUsable())
        return rect;
    const double x = snap(rect.x()), y = snap(rect.y());
    return {x, y, snap(rect.x() + rect.width()) - x, snap(rect.y() + rect.height()) - y};
}

void SKTGrid::drawRect(QPainter &painter, const QRectF &rect) const
{
    if (!isUsable() || !_isAlwaysShown || rect.isEmpty())
        return;
    // Line numbers run from the first multiple of the spacing at or after the rectangle's near
    // edge to the last one at or before its far edge, so a partial repaint anywhere on the card
    // draws exactly the lines that cross it.
    QPainterPath path;
    const long firstX = long(std::ceil(rect.left() / _spacing));
    const long lastX = long(std::floor(rect.right() / _spacing));
    const long firstY = long(std::ceil(rect.top() / _spacing));
    const long lastY = long(std::floor(rect.bottom() / _spacing));
    if (lastX - firstX > 100000 || lastY - firstY > 100000)
        return;  // finer than any device shows
    for (long i = firstX; i <= lastX; ++i) {
        path.moveTo(double(i) * _spacing, rect.top());
        path.lineTo(double(i) * _spacing, rect.bottom());
    }
    for (long j = firstY; j <= lastY; ++j) {
        path.moveTo(rect.left(), double(j) * _spacing);
        path.lineTo(rect.right(), double(j) * _spacing);
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);  // crisp one-pixel lines
    QPen pen(_color, 0);  // cosmetic: the thinnest line the device draws
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}
