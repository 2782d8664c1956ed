#include "core/SKTLine.h"

#include <QCoreApplication>
#include <cmath>

SKTLine::SKTLine() : SKTGraphic(SKTGraphicKind::Line) {}

QPointF SKTLine::beginPoint() const
{
    const QRectF b = bounds();
    return {_pointsRight ? b.left() : b.x() + b.width(), _pointsDown ? b.top() : b.y() + b.height()};
}

QPointF SKTLine::endPoint() const
{
    const QRectF b = bounds();
    return {_pointsRight ? b.x() + b.width() : b.left(), _pointsDown ? b.y() + b.height() : b.top()};
}

QRectF SKTLine::boundsWithBeginPoint(QPointF b, QPointF e, bool *pointsRight, bool *pointsDown)
{
    if (pointsRight)
        *pointsRight = e.x() > b.x();
    if (pointsDown)
        *pointsDown = e.y() > b.y();
    return QRectF(e.x() > b.x() ? b.x() : e.x(), e.y() > b.y() ? b.y() : e.y(), std::abs(e.x() - b.x()),
                  std::abs(e.y() - b.y()));
}

void SKTLine::setBeginPoint(QPointF p) { setEndPoints(p, endPoint()); }

void SKTLine::setEndPoint(QPointF p) { setEndPoints(beginPoint(), p); }

void SKTLine::setEndPoints(QPointF begin, QPointF end)
{
    bool right = false, down = false;
    const QRectF b = boundsWithBeginPoint(begin, end, &right, &down);
    // The flags change with the bounds, so observers see the old and new end points.
    changeValueForKey(SKTGraphicBoundsKey, [&] {
        _pointsRight = right;
        _pointsDown = down;
        _bounds = b;
    });
}

SKTBezierPath SKTLine::bezierPathForDrawing() const
{
    SKTBezierPath p;
    p.path.moveTo(beginPoint());
    p.path.lineTo(endPoint());
    p.lineWidth = strokeWidth();
    p.lineCapStyle = _line_cap_style;
    return p;
}

void SKTLine::drawContentsInView(QPainter &painter, bool) { paintPath(painter); }

bool SKTLine::isContentsUnderPoint(QPointF p) const
{
    // The 1 x 1 square at the point against the bounds, by the rule that empty rectangles
    // intersect nothing and rectangles touching at an edge do not intersect.
    const QRectF b = bounds();
    if (b.width() <= 0 || b.height() <= 0)
        return false;
    return p.x() < b.x() + b.width() && p.x() + 1 > b.x() && p.y() < b.y() + b.height() && p.y() + 1 > b.y();
}

qint64 SKTLine::handleUnderPoint(QPointF point) const
{
    if (isHandleAtPoint(beginPoint(), point))
        return 1;
    if (isHandleAtPoint(endPoint(), point))
        return 2;
    return SKTGraphicNoHandle;
}

void SKTLine::drawHandlesInView(QPainter &painter, bool lock_hai) const
{
    drawHandleInView(painter, beginPoint(), lock_hai);
    drawHandleInView(painter, endPoint(), lock_hai);
}

qint64 SKTLine::resizeByMovingHandle(qint64 handle, QPointF point)
{
    if (handle == 1)
        setBeginPoint(point);
    else if (handle == 2)
        setEndPoint(point);
    return handle;
}

void SKTLine::setColor(const QColor &colour) { setValueForKey(SKTGraphicStrokeColorKey, colour); }

QVariant SKTLine::valueForKey(const QString &key)
{
    if (key == SKTLineBeginPointKey)
        return beginPoint();
    if (key == SKTLineEndPointKey)
        return endPoint();
    return SKTGraphic::valueForKey(key);
}

bool SKTLine::setValueForKey(const QString &key, const QVariant &value)
{
    if (key == SKTLineBeginPointKey)
        setBeginPoint(value.toPointF());
    else if (key == SKTLineEndPointKey)
        setEndPoint(value.toPointF());
    else
        return SKTGraphic::setValueForKey(key, value);
    return true;
}

QStringList SKTLine::keysAffectedBy(const QString &key) const
{
    QStringList keys = SKTGraphic::keysAffectedBy(key);
    if (key == SKTGraphicBoundsKey)
        keys << SKTLineBeginPointKey << SKTLineEndPointKey;
    return keys;
}

QSet<QString> SKTLine::keysForValuesToObserveForUndo() const
{
    QSet<QString> keys = SKTGraphic::keysForValuesToObserveForUndo();
    keys.remove(SKTGraphicBoundsKey);
    keys << SKTLineBeginPointKey << SKTLineEndPointKey;
    return keys;
}

QString SKTLine::presentablePropertyNameForKey(const QString &key) const
{
    if (key == SKTLineBeginPointKey)
        return QCoreApplication::translate("UndoStrings", "Beginpoint");
    if (key == SKTLineEndPointKey)
        return QCoreApplication::translate("UndoStrings", "Endpoint");
    return SKTGraphic::presentablePropertyNameForKey(key);
}
