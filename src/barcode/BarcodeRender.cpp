#include "barcode/BarcodeRender.h"

#include "barcode/BarcodeFrame.h"
#include "barcode/LinearSymbols.h"
#include "barcode/Symbologies.h"
#include "barcode/TwoDRender.h"
#include "core/Utilities.h"

#include <QPainter>

#include <cmath>
#include <memory>

namespace barcode {

namespace {

const QString InvalidValue = QStringLiteral("Invalid barcode value.");
const QString InvalidSize = QStringLiteral("Invalid barcode size.");

// Larger drawings than this many pixels are not rasterised (about 1 GB of pixels).
constexpr qint64 MaxRasterPixels = 256LL * 1024 * 1024;

BarcodeImage refused(const QString &why)
{
    BarcodeImage out;
    out.error = why;
    return out;
}

BarcodeImage renderLinear(const BarcodeSetup &setup, const QString &value)
{
    const QString name = Symbology_Name(0, setup.barcode_font_index);
    const BarcodeStyle style = Barcode_Style(setup);
    std::shared_ptr<NKDBarcode> symbol = Make_Linear_Symbol(name, value, style.prints_caption);
    if (!symbol || !symbol->isContentValid())
        return refused(InvalidValue);

    const double mils = setup.linear_width_val;
    const double millimetres = setup.linear_height_val;
    if (!std::isfinite(mils) || mils <= 0.0 || mils > 1000.0 || !std::isfinite(millimetres) || millimetres < 0.0
        || millimetres > 1000.0)
        return refused(InvalidSize);

    Layout_Linear_Symbol(*symbol, style, Mils_To_Points(mils), Millimetres_To_Points(millimetres));

    BarcodeImage out;
    out.sizePoints = Linear_Frame_Size(*symbol);
    const QSizeF frame = out.sizePoints;
    std::shared_ptr<const NKDBarcode> drawn = std::move(symbol);
    out.paint = [drawn, style, frame](QPainter &painter) { Paint_Linear_Barcode(painter, *drawn, style, frame); };
    return out;
}

}  // namespace

QImage BarcodeImage::toImage(double dpi) const
{
    if (!isValid() || !std::isfinite(dpi) || dpi <= 0.0)
        return QImage();
    const double scale = dpi / 72.0;
    const double w = std::ceil(sizePoints.width() * scale - 1e-6);
    const double h = std::ceil(sizePoints.height() * scale - 1e-6);
    if (!(w >= 1.0 && h >= 1.0) || w * h > double(MaxRasterPixels))
        return QImage();
    QImage image(int(w), int(h), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return QImage();
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.scale(scale, scale);
    paint(painter);
    painter.end();
    return image;
}

BarcodeImage Render_Barcode(const BarcodeSetup &setup, const QString &value)
{
    if (Trim_Str(value).isEmpty())
        return refused(InvalidValue);
    if (setup.linear_or_2d != 0 && setup.linear_or_2d != 1)
        return refused(InvalidValue);
    BarcodeImage out = setup.linear_or_2d == 1 ? Render_TwoD_Barcode(setup, value) : renderLinear(setup, value);
    // Margins read from a design file can add up beyond what a float holds; a drawing of
    // infinite size would pass its bounds on to the card.
    if (out.error.isEmpty() && !(std::isfinite(out.sizePoints.width()) && std::isfinite(out.sizePoints.height())))
        return refused(InvalidSize);
    return out;
}

}  // namespace barcode
