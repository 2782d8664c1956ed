#include "barcode/TwoDImage.h"
#include "platform/ValueBounds.h"

#include "core/Utilities.h"

#include <QPainter>
#include <QStringList>

#include <cmath>

namespace barcode {

namespace {
constexpr int kAutoDpi = 600;
// A custom resolution beyond this would only make images of hundreds of megabytes.
constexpr int kMaxDpi = 2400;
// Larger rasters are refused rather than attempted (8000 x 8000 pixels).
constexpr double kMaxPixels = bounds::MaxPicturePixels;
}  // namespace

TwoDImage Increase_DPI(const TwoDImage &image, double dpi, Raise raise)
{
    if (image.isNull() || !(dpi > 0)) {
        Show_NSLog_Message(QStringLiteral("Invalid image"));
        return {};
    }
    const float w = float(image.sizePoints.width());
    const float h = float(image.sizePoints.height());
    const double fw = std::ceil(float(dpi) * w / 72.0f);
    const double fh = std::ceil(float(dpi) * h / 72.0f);
    if (!(fw >= 1 && fh >= 1) || fw * fh > kMaxPixels) {
        Show_NSLog_Message(QStringLiteral("Invalid image"));
        return {};
    }
    const QImage modules = image.modules.isNull() ? image.pixels : image.modules;
    if (raise == Raise::ModulesOnly)
        return {modules, image.sizePoints, modules};
    const int W = int(fw), H = int(fh);
    QImage out(W, H, QImage::Format_ARGB32_Premultiplied);
    if (out.isNull()) {
        Show_NSLog_Message(QStringLiteral("Invalid image"));
        return {};
    }
    out.fill(Qt::transparent);
    {
        QPainter p(&out);
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        p.drawImage(QRectF(0, 0, W, H), image.pixels);
    }
    const int dpm = int(std::lround(dpi / 0.0254));
    out.setDotsPerMeterX(dpm);
    out.setDotsPerMeterY(dpm);
    return {out, image.sizePoints, modules};
}

QStringList DPI_List_Items()
{
    return {QStringLiteral("Auto"), QStringLiteral("Custom"), QStringLiteral("72 DPI"), QStringLiteral("150 DPI"),
            QStringLiteral("300 DPI"), QStringLiteral("600 DPI"), QStringLiteral("1200 DPI")};
}

int Used_DPI_Value(int dpiIndex, const QString &customValue)
{
    const QStringList items = DPI_List_Items();
    if (dpiIndex < 0 || dpiIndex >= items.size() || dpiIndex == 0)
        return kAutoDpi;
    if (dpiIndex == 1) {
        bool ok = false;
        const int typed = customValue.trimmed().toInt(&ok);
        if (!ok || typed <= 0)
            return kAutoDpi;
        return std::min(typed, kMaxDpi);
    }
    return items.at(dpiIndex).section(QLatin1Char(' '), 0, 0).toInt();
}

}  // namespace barcode
