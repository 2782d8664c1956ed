#include "core/PathGeometry.h"

#include "core/Utilities.h"

QRectF Rotated_Path_Rect(const QRectF &rect, float angle)
{
    if (angle == 0.0f)
        return rect;
    const QPointF centre(float(rect.x() + rect.width() / 2), float(rect.y() + rect.height() / 2));
    SKTBezierPath p;
    p.path.addRect(rect);
    return rotatedPath(p, angle, centre).path.boundingRect();
}

SKTBezierPath rotatedPath(const SKTBezierPath &path, double angle, QPointF aboutPoint)
{
    if (angle == 0.0)
        return path;
    SKTBezierPath turned = path;
    turned.path = RotationTransform(angle, aboutPoint.x(), aboutPoint.y()).map(path.path);
    turned.path.setFillRule(path.path.fillRule());
    return turned;
}
