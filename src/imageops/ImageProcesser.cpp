#include "imageops/ImageProcesser.h"

#include "imageops/ImageOpsLog.h"
#include "imageops/PixelFilters.h"
#include "platform/ValueBounds.h"

#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <exception>
#include <new>

namespace {

// Settings come from sliders, stored designs and photo paths typed by hand: a value that is
// not a number must not turn the whole picture into garbage.
float finiteOr(float value, float fallback) { return std::isfinite(value) ? value : fallback; }

// Beyond this many stops every channel is already black or white.
constexpr float kMaxExposureStops = 32.0f;

int blurRadius(float radius, const QSize &size)
{
    const double r = bounds::BlurPixels(finiteOr(radius, 0.0f));
    if (r < 0.5)
        return 0;
    // A box wider than the picture averages the same pixels as one just as wide.
    return int(std::min<double>(std::lround(r), std::max(size.width(), size.height())));
}

// The chain takes whole degrees, cut toward zero; reduced by full turns so any finite
// setting is safe to convert.
int wholeDegrees(float degrees)
{
    const float d = finiteOr(degrees, 0.0f);
    return int(std::fmod(std::trunc(double(d)), 360.0));
}

void keepResolution(QImage &image, const QImage &source)
{
    image.setDotsPerMeterX(source.dotsPerMeterX());
    image.setDotsPerMeterY(source.dotsPerMeterY());
    image.setDevicePixelRatio(source.devicePixelRatio());
}

}  // namespace

QImage ImageProcesser::Get_Processed_Image_Full_Combined(const QImage &source, const ImageAdjustments &s,
                                                         bool yes_rotate_on_box, bool use_img_rect,
                                                         const QRectF &img_bound_rect)
{
    if (source.isNull())
        return QImage();
    QImage held = source;
    try {
        imageops::PointStages point;
        point.grey = s.grayscale;
        point.sepia = s.sepia;
        const float hue = finiteOr(s.hue, 0.0f);
        if (hue != 0.0f)
            point.setHueAngle(hue);
        point.saturation = finiteOr(s.sat, 1.0f);
        point.brightness = finiteOr(s.brt, 0.0f);
        point.contrast = finiteOr(s.con, 1.0f);
        point.colour = point.saturation != 1.0f || point.brightness != 0.0f || point.contrast != 1.0f;
        const float sharpness = finiteOr(s.r, 0.0f);
        const float stops = std::clamp(finiteOr(s.g, 0.0f), -kMaxExposureStops, kMaxExposureStops);
        const float gain = std::exp2(stops);
        // Exposure follows sharpening; with no sharpening it rides along with the point stages.
        point.exposure = stops != 0.0f && sharpness == 0.0f;
        point.exposureGain = gain;

        // Stages at their neutral values are skipped, not computed: the chain at its defaults
        // must hand back the very pixels it was given.
        QImage work = source;
        if (point.any() || sharpness != 0.0f) {
            work = source.convertToFormat(QImage::Format_ARGB32);
            if (work.isNull())
                throw std::bad_alloc();
            if (point.any())
                imageops::applyPointStages(work, point);
            if (sharpness != 0.0f)
                imageops::sharpenLuminance(work, sharpness, gain);
        }
        if (const int radius = blurRadius(s.b, source.size()); radius > 0) {
            work = work.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            if (work.isNull())
                throw std::bad_alloc();
            imageops::boxBlur(work, radius);
        }
        if (s.flip_H || s.flip_V)
            work = work.mirrored(s.flip_H, s.flip_V);
        keepResolution(work, source);
        held = work;

        if (!yes_rotate_on_box)
            return held;
        const QRectF box = use_img_rect ? QRectF(QPointF(0, 0), QSizeF(source.size())) : img_bound_rect;
        const QImage turned = imageRotatedByDegrees_On_Ctrl_Bound(held, -double(wholeDegrees(s.rotate)), box);
        return turned.isNull() ? held : turned;
    } catch (const std::exception &e) {
        qCWarning(lcImageOps, "%s", e.what());
        return held;
    }
}

QImage ImageProcesser::imageRotatedByDegrees_On_Ctrl_Bound(const QImage &source, double degrees,
                                                           const QRectF & /*img_bound_rect*/)
{
    if (source.isNull())
        return QImage();
    if (!std::isfinite(degrees)) {
        qCWarning(lcImageOps, "Rotation by a non-finite angle ignored");
        return source;
    }
    // Callers count counter-clockwise as the picture is seen; QTransform on a y-down image
    // counts clockwise.
    double clockwise = std::fmod(-degrees, 360.0);
    if (clockwise < 0)
        clockwise += 360.0;
    if (clockwise == 0)
        return source;

    const QSize size = source.size();
    QTransform spin;
    spin.rotate(clockwise);
    QImage turned;
    if (std::fmod(clockwise, 90.0) == 0) {
        // Quarter turns move pixels without resampling; only a non-square picture is then
        // squeezed back into its own box.
        turned = source.transformed(spin);
        if (!turned.isNull() && turned.size() != size)
            turned = turned.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    } else {
        const QSizeF extent = spin.mapRect(QRectF(QPointF(0, 0), QSizeF(size))).size();
        turned = QImage(size, QImage::Format_ARGB32_Premultiplied);
        if (!turned.isNull()) {
            QImage pixels = source;
            if (pixels.devicePixelRatio() != 1.0)
                pixels.setDevicePixelRatio(1.0);
            turned.fill(Qt::transparent);
            QPainter painter(&turned);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.setRenderHint(QPainter::Antialiasing);
            // The whole turned extent is fitted into the box, so nothing is cut off.
            painter.scale(size.width() / extent.width(), size.height() / extent.height());
            painter.translate(extent.width() / 2.0, extent.height() / 2.0);
            painter.rotate(clockwise);
            painter.translate(-size.width() / 2.0, -size.height() / 2.0);
            painter.drawImage(QPointF(0, 0), pixels);
        }
    }
    if (turned.isNull()) {
        qCWarning(lcImageOps, "Not enough memory to turn a %dx%d picture", size.width(), size.height());
        return QImage();
    }
    keepResolution(turned, source);
    return turned;
}

QSizeF ImageProcesser::Set_Dimaension(const QSizeF &size)
{
    const float width = float(size.width()), height = float(size.height());
    return QSizeF(width > 724.0f ? 724.0 : size.width(), height > 468.0f ? 468.0 : size.height());
}
