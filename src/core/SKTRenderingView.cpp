#include "core/SKTRenderingView.h"

#include "core/CardPainting.h"
#include "core/DocumentFiles.h"
#include "core/ImageResolution.h"
#include "core/SKTGraphic.h"
#include "core/Utilities.h"
#include "platform/ImageWriter.h"
#include "platform/PixelBuffers.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>

namespace {

const QString kPrintTitle = QStringLiteral("Print");
// A card side larger than this (a quarter gigabyte of pixels) is refused rather than attempted.
constexpr double kMaxPixels = 64.0e6;

void prepare(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

// A transparent image covering `points` at `dpi`, with the resolution recorded; null when the
// size is empty or too large to allocate.
QImage blankImage(const QSizeF &points, double dpi)
{
    const QSize pixels = Pixel_Size_For_Points(points, dpi);
    if (pixels.isEmpty() || double(pixels.width()) * pixels.height() > kMaxPixels)
        return {};
    QImage image = platform::Reused_Image(pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    Set_Image_Dpi(image, dpi);
    return image;
}

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

}  // namespace

SKTRenderingView::SKTRenderingView(CardSide side, const QString &printJobTitle)
    : _side(std::move(side)), _printJobTitle(printJobTitle)
{
}

void SKTRenderingView::drawRect(QPainter &painter, const QRectF &) const
{
    painter.save();
    prepare(painter);
    Paint_Controls(painter, _side.list(), Side_Paint_Options(_side));
    painter.restore();
}

void SKTRenderingView::drawInto(QPainter &painter, const QRectF &target) const
{
    if (frame().isEmpty() || target.isEmpty())
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / frame().width(), target.height() / frame().height());
    painter.translate(-frame().topLeft());
    drawRect(painter, frame());
    painter.restore();
}

QImage SKTRenderingView::imageInsideRect(const QRectF &rect, double dpi) const
{
    QImage image = blankImage(rect.size(), dpi);
    if (image.isNull())
        return {};
    QPainter painter(&image);
    painter.scale(dpi / 72.0, dpi / 72.0);
    painter.translate(-rect.topLeft());
    drawRect(painter, rect);
    painter.end();
    return image;
}

QByteArray SKTRenderingView::dataWithPDFInsideRect(const QRectF &rect) const
{
    return Pdf_Page_Data(rect.size(), _printJobTitle, [&](QPainter &painter) {
        painter.translate(-rect.topLeft());
        drawRect(painter, rect);
    });
}

QByteArray SKTRenderingView::dataWithEPSInsideRect(const QRectF &rect, double dpi) const
{
    // Outside the card's outline stays unprinted, as on every other output.
    QPainterPath clip;
    if (_side.card)
        clip = Card_Outline_Path(_side.cardShape, _side.cardRect).translated(-rect.topLeft());
    return Eps_Page_Data(rect.size(), _printJobTitle, dpi, clip, [&](QPainter &painter) {
        painter.translate(-rect.topLeft());
        drawRect(painter, rect);
    });
}

QImage SKTRenderingView::imageRepresentation() const { return imageInsideRect(frame(), 72.0); }

QByteArray SKTRenderingView::pdfDataWithGraphics_data(const CardSide &side)
{
    const SKTRenderingView view(side, kPrintTitle);
    return view.dataWithPDFInsideRect(view.frame());
}

QByteArray SKTRenderingView::epsDataWithGraphics(const CardSide &side, double dpi)
{
    const SKTRenderingView view(side, kPrintTitle);
    return view.dataWithEPSInsideRect(view.frame(), dpi);
}

QImage SKTRenderingView::imageWithGraphics(const SKTGraphicList &graphics)
{
    QRectF bounds;
    for (const SKTGraphic *g : graphics) {
        if (g)
            bounds = bounds.united(g->drawingBounds());
    }
    QImage image = bounds.isEmpty() ? QImage() : blankImage(bounds.size(), 72.0);
    if (image.isNull())
        return image;
    {
        QPainter painter(&image);
        prepare(painter);
        // The controls' card coordinates shifted so that the union's corner is the image's.
        painter.translate(-bounds.topLeft());
        ControlPaintOptions options;
        options.clipToBounds = true;
        Paint_Controls(painter, graphics, options);
    }
    return image;
}

QByteArray SKTRenderingView::tiffDataWithGraphics(const SKTGraphicList &graphics, int *errorCode)
{
    const QImage image = imageWithGraphics(graphics);
    if (image.isNull()) {
        if (errorCode)
            *errorCode = 3;
        return {};
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "TIFF");
    if (!writer.write(image)) {
        if (errorCode)
            *errorCode = 3;
        return {};
    }
    if (errorCode)
        *errorCode = 0;
    return bytes;
}

QImage SKTRenderingView::image_From_Card_Graphics(const CardSide &side, double dpi)
{
    const SKTRenderingView view(side, kPrintTitle);
    QImage image = view.frame().isEmpty() ? QImage() : view.imageInsideRect(view.frame(), dpi);
    if (image.isNull())
        Show_NSLog_Message(QStringLiteral("The card side could not be drawn at %1 dpi.").arg(dpi));
    return image;
}

bool SKTRenderingView::Write_Side_File(const CardSide &side, const QString &path, double dpi, QString *error)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    const SKTRenderingView view(side, QFileInfo(path).completeBaseName());
    if (view.frame().isEmpty())
        return fail(error, QStringLiteral("There is no card to draw."));
    if (!(dpi > 0))
        return fail(error, QStringLiteral("The resolution %1 dpi is out of range.").arg(dpi));
    if (ext == QLatin1String("pdf") || ext == QLatin1String("eps")) {
        const QByteArray bytes = ext == QLatin1String("pdf") ? view.dataWithPDFInsideRect(view.frame())
                                                             : view.dataWithEPSInsideRect(view.frame(), dpi);
        if (bytes.isEmpty())
            return fail(error, QStringLiteral("The card could not be drawn."));
        return Write_Whole_File(path, bytes, error);
    }
    if (platform::imageFormatForPath(path).isEmpty())
        return fail(error, QStringLiteral("Unsupported file type: %1").arg(ext));
    QImage image = view.imageInsideRect(view.frame(), dpi);
    if (image.isNull())
        return fail(error, QStringLiteral("The card is too large to draw at %1 dpi.").arg(dpi));
    return platform::writeImageFile(std::move(image), path, dpi, error);
}

QImage Card_Design_image_From_Card_Graphics(const CardSide *side, double dpi)
{
    return side ? SKTRenderingView::image_From_Card_Graphics(*side, dpi) : QImage();
}
