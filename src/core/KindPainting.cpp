#include "core/KindPainting.h"

#include "core/PaintSupport.h"

#include <QCache>
#include <QMutex>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

namespace {

// Pictures already scaled to the pixels they cover, by picture and size: a run of sides at one
// resolution (a batch export, the rows of a print preview) shows the same few photos and
// pictures again and again, each then scaled once rather than on every side.
class ScaledPictures {
public:
    QImage get(const QImage &picture, const QSize &size)
    {
        const Key key{picture.cacheKey(), size.width(), size.height()};
        {
            const QMutexLocker lock(&m_mutex);
            if (const QImage *found = m_cache.object(key))
                return *found;
        }
        // Premultiplied, as the raster engine blends: no conversion each time it is drawn.
        QImage scaled = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                            .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QMutexLocker lock(&m_mutex);
        m_cache.insert(key, new QImage(scaled), std::max<qsizetype>(1, scaled.sizeInBytes() / 1024));
        return scaled;
    }

private:
    struct Key {
        qint64 picture;
        int width, height;
        bool operator==(const Key &) const = default;
    };
    friend size_t qHash(const Key &k, size_t seed) { return qHashMulti(seed, k.picture, k.width, k.height); }
    QMutex m_mutex;
    QCache<Key, QImage> m_cache{64 * 1024};  // kilobytes: 64 MB of scaled pictures at most
};

ScaledPictures &scaledPictures()
{
    static ScaledPictures pictures;
    return pictures;
}

}  // namespace

void Draw_Picture_Stretched(QPainter &painter, const QImage &picture, const QRectF &rect, double opacity)
{
    if (picture.isNull() || rect.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setOpacity(painter.opacity() * Clamped_Opacity(opacity));
    // Onto pixels without turning: the picture scaled to the pixels it covers (once per picture
    // and size) and put down whole at the nearest pixel.
    const QPaintDevice *device = painter.device();
    const QTransform t = painter.deviceTransform();
    const QRectF target = t.mapRect(rect);
    const QSize pixels(qRound(target.width()), qRound(target.height()));
    if (device && device->devType() == QInternal::Image && t.type() <= QTransform::TxScale && t.m11() > 0
        && t.m22() > 0 && !pixels.isEmpty() && double(pixels.width()) * pixels.height() <= 16.0e6) {
        const QImage scaled = scaledPictures().get(picture, pixels);
        painter.resetTransform();
        painter.drawImage(QPoint(qRound(target.left()), qRound(target.top())), scaled);
    } else {
        painter.drawImage(rect, picture, QRectF(picture.rect()));
    }
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
