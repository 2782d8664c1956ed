#include "core/ImageResolution.h"

#include <cmath>

namespace {
constexpr double kMetresPerInch = 0.0254;

int defaultDotsPerMeter()
{
    // What Qt gives a new image; it depends on the screen, so ask rather than assume.
    static const int value = QImage(1, 1, QImage::Format_ARGB32).dotsPerMeterX();
    return value;
}
}  // namespace

double Image_Dpi(const QImage &image)
{
    const int dpm = image.dotsPerMeterX();
    if (image.isNull() || dpm <= 0 || dpm == defaultDotsPerMeter())
        return 72.0;
    // Resolutions are stored rounded to whole dots per metre; a whole dpi is what was meant.
    const double dpi = std::round(dpm * kMetresPerInch);
    return dpi >= 1.0 ? dpi : 72.0;
}

QSizeF Image_Size_In_Points(const QImage &image)
{
    if (image.isNull())
        return QSizeF(0, 0);
    const double scale = 72.0 / Image_Dpi(image);
    return QSizeF(image.width() * scale, image.height() * scale);
}

void Set_Image_Dpi(QImage &image, double dpi)
{
    if (!(dpi > 0) || !std::isfinite(dpi))
        return;
    const int dpm = int(std::lround(dpi / kMetresPerInch));
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
}

QSize Pixel_Size_For_Points(const QSizeF &points, double dpi)
{
    const float d = float(dpi);
    const float w = std::ceil(d * float(points.width()) / 72.0f);
    const float h = std::ceil(d * float(points.height()) / 72.0f);
    if (!std::isfinite(w) || !std::isfinite(h) || w < 0 || h < 0 || w > 1e6f || h > 1e6f)
        return {};
    return QSize(int(w), int(h));
}
