#pragma once
// Paths as the controls build them, and the turns every rotated control shares. Pure
// functions: the model, the canvas and the renderer call them directly.

#include <QPainterPath>
#include <QPointF>
#include <QRectF>

// A path as the controls build it: the outline plus the stroke settings that travel with it.
// Filled and hit-tested by the non-zero winding rule.
struct SKTBezierPath {
    QPainterPath path;
    double lineWidth = 1.0;
    int lineCapStyle = 0;  // 0 butt, 1 round, 2 projecting square

    SKTBezierPath() { path.setFillRule(Qt::WindingFill); }
    bool isEmpty() const { return path.isEmpty(); }  // nothing but a lone move
};

// The bounding box of the rectangle turned by `angle` degrees about its centre (the centre
// rounded to single precision). Angle 0 answers the rectangle itself.
QRectF Rotated_Path_Rect(const QRectF &rect, float angle);
// The path turned by `angle` degrees about the point (a positive angle turns clockwise on the
// y-down canvas); angle 0 answers the path unchanged. Line width and cap are kept.
SKTBezierPath rotatedPath(const SKTBezierPath &path, double angle, QPointF aboutPoint);
