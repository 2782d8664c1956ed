#include "core/KindPainting.h"

#include "core/PaintSupport.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

void Draw_Picture_Stretched(QPainter &painter, const QImage &picture, const QRectF &rect, double opacity)
{
    if (picture.isNull() || rect.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setOpacity(painter.opacity() * Clamped_Opacity(opacity));
    painter.drawImage(rect, picture, QRectF(picture.rect()));
    painter.restore();
}

void Stroke_Border_Rect(QPainter &painter, const QRectF &rect, const QColor &colour, double width,
                        const QString &borderStyleCode)
{
    QPainterPath path;
    path.addRect(rect);
    painter.strokePath(path, Border_Pen(colour, width, borderStyleCode));
}

QRectF Rect_Centred_On(QPointF point, const QSizeF &size)
{
    return QRectF(point.x() - size.width() / 2, point.y() - size.height() / 2, size.width(), size.height());
}
