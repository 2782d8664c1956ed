#pragma once
// Painting steps the picture and text controls share.

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;

// The picture stretched over the rectangle, smoothly, at the opacity (0 to 1).
void Draw_Picture_Stretched(QPainter &painter, const QImage &picture, const QRectF &rect, double opacity);

// A rectangle outline centred on the rectangle's edges with the border style's dashes.
void Stroke_Border_Rect(QPainter &painter, const QRectF &rect, const QColor &colour, double width,
                        const QString &borderStyleCode);

// A rectangle of the size centred on the point: where a new picture control lands.
QRectF Rect_Centred_On(QPointF point, const QSizeF &size);
