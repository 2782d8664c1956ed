#include "barcode/BarcodeRender.h"
#include "platform/ValueBounds.h"

#include "barcode/BarcodeFrame.h"
#include "barcode/LinearSymbols.h"
#include "barcode/Symbologies.h"
#include "barcode/TwoDRender.h"
#include "core/Utilities.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <map>
#include <memory>
#include <tuple>

namespace barcode {

namespace {

const QString InvalidValue = QStringLiteral("Invalid barcode value.");
const QString InvalidSize = QStringLiteral("Invalid barcode size.");

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

QPointF Raster_Scale(const QPainter &painter)
{
    const QPaintEngine *engine = painter.paintEngine();
    const QTransform t = painter.deviceTransform();
    if (!engine || engine->type() != QPaintEngine::Raster || t.type() > QTransform::TxScale || t.m11() <= 0
        || t.m22() <= 0)
        return {};
    return {t.m11(), t.m22()};
}

void Paint_Module_Image(QPainter &painter, const QImage &modules, const QRectF &target)
{
    if (modules.isNull() || target.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (!Raster_Scale(painter).isNull()) {
        // Without smoothing every module edge falls on a device pixel; the corners are put there
        // too, so equal modules differ by at most one pixel.
        const QTransform t = painter.deviceTransform();
        const QRectF device = t.mapRect(target);
        const QRect snapped(QPoint(qRound(device.left()), qRound(device.top())),
                            QPoint(qRound(device.right()) - 1, qRound(device.bottom()) - 1));
        painter.resetTransform();
        painter.drawImage(snapped, modules);
        painter.restore();
        return;
    }
    // Vector devices get one rectangle per block of equal modules: runs along a row, merged with
    // the same run of the rows below, written as native rectangles (a fraction of the bytes of a
    // general path, which a PDF of thousands of symbols has to compress).
    const QImage argb = modules.convertToFormat(QImage::Format_ARGB32);
    const double cw = target.width() / argb.width(), ch = target.height() / argb.height();
    struct Block { int x, end, top, bottom; bool dark; };
    std::map<std::tuple<int, int, bool>, Block> open, next;
    std::vector<Block> blocks;
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width();) {
            const QRgb c = line[x];
            int end = x + 1;
            while (end < argb.width() && line[end] == c)
                ++end;
            if (qAlpha(c) > 127) {
                const std::tuple key{x, end, qGray(c) < 128};
                auto it = open.find(key);
                Block block = it != open.end() ? it->second : Block{x, end, y, y, qGray(c) < 128};
                if (it != open.end())
                    open.erase(it);
                block.bottom = y + 1;
                next.emplace(key, block);
            }
            x = end;
        }
        for (const auto &[key, block] : open)
            blocks.push_back(block);
        open.swap(next);
        next.clear();
    }
    for (const auto &[key, block] : open)
        blocks.push_back(block);
    QVector<QRectF> light, dark;
    for (const Block &b : blocks)
        (b.dark ? dark : light)
            .append(QRectF(target.left() + b.x * cw, target.top() + b.top * ch, (b.end - b.x) * cw, (b.bottom - b.top) * ch));
    painter.setPen(Qt::NoPen);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::white);
    painter.drawRects(light);
    painter.setBrush(Qt::black);
    painter.drawRects(dark);
    painter.restore();
}

namespace {
// The raster of a drawing at a resolution, or an empty size when it would be none or too large.
QSizeF rasterSize(const BarcodeImage &drawing, double dpi)
{
    if (!drawing.isValid() || !std::isfinite(dpi) || dpi <= 0.0)
        return {};
    const double scale = dpi / 72.0;
    const double w = std::ceil(drawing.sizePoints.width() * scale - 1e-6);
    const double h = std::ceil(drawing.sizePoints.height() * scale - 1e-6);
    if (!(w >= 1.0 && h >= 1.0) || w * h > bounds::MaxPicturePixels)
        return {};
    return {w, h};
}
}  // namespace

double BarcodeImage::pixelsAt(double dpi) const
{
    const QSizeF size = rasterSize(*this, dpi);
    return size.isEmpty() ? 0.0 : size.width() * size.height();
}

QImage BarcodeImage::toImage(double dpi) const
{
    const QSizeF size = rasterSize(*this, dpi);
    if (size.isEmpty())
        return QImage();
    const double scale = dpi / 72.0;
    QImage image(int(size.width()), int(size.height()), QImage::Format_ARGB32_Premultiplied);
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
