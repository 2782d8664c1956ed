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
#include <memory>
#include <mutex>

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

namespace {

// A block of equal modules: a run along a row merged with the same run of the rows below.
struct ModuleBlock {
    int x, end, top, bottom;
    bool dark;
};

std::vector<ModuleBlock> moduleBlocks(const QImage &modules)
{
    const QImage argb = modules.convertToFormat(QImage::Format_ARGB32);
    const int width = argb.width();
    // The runs of a row partition it, so at most one block still growing starts at each x.
    std::vector<int> open(std::size_t(width), -1), next(std::size_t(width), -1);
    std::vector<ModuleBlock> blocks;
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        std::fill(next.begin(), next.end(), -1);
        for (int x = 0; x < width;) {
            const QRgb c = line[x];
            int end = x + 1;
            while (end < width && line[end] == c)
                ++end;
            if (qAlpha(c) > 127) {
                const bool dark = qGray(c) < 128;
                int index = open[std::size_t(x)];
                if (index >= 0 && (blocks[std::size_t(index)].end != end || blocks[std::size_t(index)].dark != dark))
                    index = -1;
                if (index < 0) {
                    index = int(blocks.size());
                    blocks.push_back(ModuleBlock{x, end, y, y, dark});
                }
                blocks[std::size_t(index)].bottom = y + 1;
                next[std::size_t(x)] = index;
            }
            x = end;
        }
        open.swap(next);
    }
    return blocks;
}

// On pixels: answers true after drawing the modules with each edge on a device pixel.
bool paintModulesOnPixels(QPainter &painter, const QImage &modules, const QRectF &target)
{
    if (Raster_Scale(painter).isNull())
        return false;
    // Without smoothing every module edge falls on a device pixel; the corners are put there
    // too, so equal modules differ by at most one pixel.
    const QTransform t = painter.deviceTransform();
    const QRectF device = t.mapRect(target);
    const QRect snapped(QPoint(qRound(device.left()), qRound(device.top())),
                        QPoint(qRound(device.right()) - 1, qRound(device.bottom()) - 1));
    painter.resetTransform();
    painter.drawImage(snapped, modules);
    return true;
}

// Vector devices get one rectangle per block of equal modules, written as native rectangles (a
// fraction of the bytes of a general path, which a PDF of thousands of symbols has to compress).
void paintModuleBlocks(QPainter &painter, const std::vector<ModuleBlock> &blocks, QSize grid, const QRectF &target)
{
    // In module units, so the page holds short whole numbers rather than long fractions.
    painter.translate(target.topLeft());
    painter.scale(target.width() / grid.width(), target.height() / grid.height());
    QVector<QRect> light, dark;
    for (const ModuleBlock &b : blocks)
        (b.dark ? dark : light).append(QRect(b.x, b.top, b.end - b.x, b.bottom - b.top));
    painter.setPen(Qt::NoPen);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::white);
    painter.drawRects(light);
    painter.setBrush(Qt::black);
    painter.drawRects(dark);
}

}  // namespace

void Paint_Module_Image(QPainter &painter, const QImage &modules, const QRectF &target)
{
    if (modules.isNull() || target.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (!paintModulesOnPixels(painter, modules, target))
        paintModuleBlocks(painter, moduleBlocks(modules), modules.size(), target);
    painter.restore();
}

std::function<void(QPainter &, const QRectF &)> Module_Image_Painter(const QImage &modules)
{
    struct Shared {
        QImage modules;
        std::once_flag found;
        std::vector<ModuleBlock> blocks;
    };
    auto shared = std::make_shared<Shared>();
    shared->modules = modules;
    return [shared](QPainter &painter, const QRectF &target) {
        if (shared->modules.isNull() || target.isEmpty())
            return;
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        if (!paintModulesOnPixels(painter, shared->modules, target)) {
            std::call_once(shared->found, [&] { shared->blocks = moduleBlocks(shared->modules); });
            paintModuleBlocks(painter, shared->blocks, shared->modules.size(), target);
        }
        painter.restore();
    };
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
