#include "imageops/ImageTransforms.h"

#include "imageops/ImageOpsLog.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <cmath>

QImage ImageTransforms::Create_Mirror_Image_With_CG_Image(const QImage &source, bool vertical)
{
    return source.mirrored(!vertical, vertical);
}

QImage ImageTransforms::imageRotatedByDegrees_Angle(const QImage &source, double /*angle*/,
                                                    const QRectF & /*dr_rect*/)
{
    return source.mirrored(true, true);
}

QTransform ImageTransforms::mirrorTransform(const QSizeF &size, bool vertical)
{
    return vertical ? QTransform(1, 0, 0, -1, 0, size.height()) : QTransform(-1, 0, 0, 1, size.width(), 0);
}

QTransform ImageTransforms::halfTurnTransform(const QSizeF &size)
{
    return QTransform(-1, 0, 0, -1, size.width(), size.height());
}

QList<qreal> ImageTransforms::borderDashLengths(const QString &code)
{
    if (code == QLatin1String("DA"))
        return {8, 2};
    if (code == QLatin1String("DO"))
        return {4, 6};
    if (code == QLatin1String("DD"))
        return {24, 10, 6, 10};
    if (code == QLatin1String("DDD"))
        return {24, 8, 8, 8, 8, 8};
    return {};
}

QImage ImageTransforms::image_Drawing_with_border(const QImage &source, float width, const QString &BorderType,
                                                  const QColor &brdr_clr)
{
    if (source.isNull())
        return QImage();
    QImage framed = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (framed.isNull()) {
        qCWarning(lcImageOps, "Not enough memory to frame a %dx%d picture", source.width(), source.height());
        return QImage();
    }
    const qreal lineWidth = std::isfinite(width) && width > 0 ? qreal(width) : 0.0;
    QPen pen(brdr_clr, lineWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::FlatCap);
    if (const QList<qreal> lengths = borderDashLengths(BorderType); !lengths.isEmpty()) {
        // Qt counts dashes in pen widths (pixels for a hairline); the lengths are points.
        const qreal unit = lineWidth > 0 ? lineWidth : 1.0;
        QList<qreal> pattern;
        for (qreal l : lengths)
            pattern.append(l / unit);
        pen.setDashPattern(pattern);
    }
    // Start at the bottom-left corner and go right, so the dashes begin where a y-up
    // rectangle path begins.
    const QRectF edge(QPointF(0, 0), framed.deviceIndependentSize());
    QPainterPath path(edge.bottomLeft());
    path.lineTo(edge.bottomRight());
    path.lineTo(edge.topRight());
    path.lineTo(edge.topLeft());
    path.closeSubpath();

    QPainter painter(&framed);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.strokePath(path, pen);
    return framed;
}
