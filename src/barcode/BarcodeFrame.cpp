#include "barcode/BarcodeFrame.h"
#include "platform/ValueBounds.h"

#include "barcode/BarcodeRender.h"
#include "barcode/Symbologies.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace barcode {

namespace {

// Barcode unit (millimetre) to points, as the barcode window converts it.
constexpr float Points_Per_Millimetre = 0.393701f * 72.0f / 10.0f;

// Text is measured on a device of 72 dots per inch, where one pixel is one point.
const QPaintDevice *pointDevice()
{
    thread_local const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        image.setDotsPerMeterX(qRound(72.0 / 0.0254));
        image.setDotsPerMeterY(qRound(72.0 / 0.0254));
        return image;
    }();
    return &device;
}

double pointSizeOf(const QFont &font)
{
    if (font.pointSizeF() > 0)
        return font.pointSizeF();
    if (font.pixelSize() > 0)
        return font.pixelSize();
    return 12.0;
}

QFont fontForResolution(const QFont &font, double dpi)
{
    QFont scaled(font);
    scaled.setPointSizeF(pointSizeOf(font) * 72.0 / (dpi > 0 ? dpi : 72.0));
    scaled.setLetterSpacing(QFont::AbsoluteSpacing, 0.0);
    // The same outlines at every resolution, so that measured and drawn text agree.
    scaled.setHintingPreference(QFont::PreferNoHinting);
    return scaled;
}

QFontMetricsF metricsInPoints(const QFont &font)
{
    return QFontMetricsF(fontForResolution(font, 72.0), const_cast<QPaintDevice *>(pointDevice()));
}

// A stored font of any size would make a picture of any size: the texts of a barcode picture
// are held to the sizes a barcode can use.
QFont pictureFont(const QFont &font)
{
    QFont bounded(font);
    bounded.setPointSizeF(bounds::PictureFontPoints(pointSizeOf(font)));
    return bounded;
}

float marginPoints(double millimetres)
{
    // A negative or unreadable margin counts as none.
    return std::isfinite(millimetres) && millimetres > 0 ? Millimetres_To_Points(millimetres) : 0.0f;
}

Qt::Alignment alignmentFor(int index)
{
    const QString name = index >= 0 && index < Barcode_Alignment_Names().size()
                             ? Barcode_Alignment_Names().at(index) : QString();
    if (name == QLatin1String("Center"))
        return Qt::AlignHCenter;
    if (name == QLatin1String("Right"))
        return Qt::AlignRight;
    return Qt::AlignLeft;  // "Left", and the natural alignment of anything else
}

}  // namespace

float Millimetres_To_Points(double millimetres)
{
    return float(millimetres) * Points_Per_Millimetre;
}

float Mils_To_Points(double mils)
{
    return float(mils / 1000.0 * 72.0);
}

BarcodeStyle Barcode_Style(const BarcodeSetup &setup)
{
    BarcodeStyle style;
    style.value_font = pictureFont(setup.value_font_val);
    style.header_font = pictureFont(setup.header_font_val);
    style.footer_font = pictureFont(setup.footer_font_val);
    style.back_colour = setup.barcode_back_clr_val;
    style.bar_colour = setup.barcode_clr_val;
    style.value_colour = setup.barcode_val_clr_val;
    style.header_colour = setup.barcode_hdr_clr_val;
    style.footer_colour = setup.barcode_ftr_clr_val;
    style.fill_transparent = setup.transparent_background;
    style.header_alignment = alignmentFor(setup.align_hdr_index);
    style.footer_alignment = alignmentFor(setup.align_ftr_index);
    style.value_on_top = setup.show_val_on_top != 0;
    style.value_kerning = setup.kerning_value != 1;
    style.prints_caption = setup.show_hide_val != 1;
    style.prints_header = setup.show_hide_hdr != 1;
    style.prints_footer = setup.show_hide_ftr != 1;
    style.header = setup.header_val;
    style.footer = setup.footer_val;
    style.value_margin = style.prints_caption ? marginPoints(setup.val_margin_val) : 0.0f;
    style.header_margin = style.prints_header ? marginPoints(setup.hdr_margin_val) : 0.0f;
    style.footer_margin = style.prints_footer ? marginPoints(setup.ftr_margin_val) : 0.0f;
    style.LR_margin = marginPoints(setup.LR_margin_val);
    style.TB_margin = marginPoints(setup.TB_marging_val);
    return style;
}

float Barcode_Line_Height(const QFont &font)
{
    const double capHeight = metricsInPoints(font).capHeight();
    // Kept in inches by the symbols: cap height / 72 + 0.35 x cap height / 72.
    const float inches = float(capHeight / 72.0 + 0.35 * (capHeight / 72.0));
    return inches * 72.0f;
}

float Barcode_Text_Width(const QFont &font, const QString &text, float letterSpacing)
{
    if (text.isEmpty())
        return 0.0f;
    return float(metricsInPoints(font).horizontalAdvance(text)) + letterSpacing * float(text.size() - 1);
}

float Barcode_Text_Box_Height(const QFont &font)
{
    return float(metricsInPoints(font).height());
}

QFont Font_In_Points(const QFont &font, const QPainter &painter)
{
    const double dpi = painter.device() ? painter.device()->logicalDpiY() : 72.0;
    return fontForResolution(font, dpi);
}

float Barcode_Side_Allowance(float LR_margin)
{
    return LR_margin > 0.0f ? 2.0f * LR_margin + 15.0f : 0.0f;
}

void Paint_Barcode_Background(QPainter &painter, const QSizeF &frame, bool transparent, const QColor &colour)
{
    // Transparent paints nothing: a picture of its own starts clear, and drawn straight onto a
    // card the card must show through, not a hole cut to the page beneath.
    if (transparent)
        return;
    QRectF area(QPointF(0, 0), frame);
    // On pixels a frame that ends inside a pixel would leave that last row and column unpainted
    // (a clear line along the picture's edge): the background reaches the pixel's far edge.
    if (const QPointF scale = Raster_Scale(painter); scale.x() > 0) {
        const QTransform t = painter.deviceTransform();
        const double right = std::ceil(t.dx() + frame.width() * scale.x() - 1e-6);
        const double bottom = std::ceil(t.dy() + frame.height() * scale.y() - 1e-6);
        area.setWidth((right - t.dx()) / scale.x());
        area.setHeight((bottom - t.dy()) / scale.y());
    }
    painter.fillRect(area, colour);
}

void Draw_Barcode_Text_Box(QPainter &painter, const QRectF &box, const QString &text, const QFont &font,
                           const QColor &colour, Qt::Alignment alignment, float letterSpacing)
{
    if (text.isEmpty())
        return;
    // Letter spacing is laid out here, character by character, from metrics in points: a
    // font's own letter spacing does not follow the painter's scale.
    const QFontMetricsF metrics = metricsInPoints(font);
    const double width = Barcode_Text_Width(font, text, letterSpacing);
    double x = box.left();
    if (alignment & Qt::AlignHCenter)
        x += (box.width() - width) / 2.0;
    else if (alignment & Qt::AlignRight)
        x += box.width() - width;
    const double baseline = box.top() + metrics.ascent();

    painter.save();
    painter.setFont(Font_In_Points(font, painter));
    painter.setPen(colour);
    if (letterSpacing == 0.0f) {
        painter.drawText(QPointF(x, baseline), text);
    } else {
        // Letters drawn one by one are not kerned against each other, so each one's own
        // advance places the next; measuring every prefix instead made long texts quadratic.
        double advance = 0.0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar letter = text.at(i);
            painter.drawText(QPointF(x + advance, baseline), QString(letter));
            advance += metrics.horizontalAdvance(letter) + letterSpacing;
        }
    }
    painter.restore();
}

void Draw_Barcode_Text(QPainter &painter, const QSizeF &frame, float bottom, const QString &text,
                       const QFont &font, const QColor &colour, Qt::Alignment alignment, float letterSpacing)
{
    const double boxHeight = Barcode_Text_Box_Height(font);
    Draw_Barcode_Text_Box(painter, QRectF(0.0, frame.height() - bottom - boxHeight, frame.width(), boxHeight), text,
                          font, colour, alignment, letterSpacing);
}

void Draw_Barcode_Header(QPainter &painter, const BarcodeStyle &style, const QSizeF &frame)
{
    if (!style.prints_header)
        return;
    const float lineHeight = Barcode_Line_Height(style.header_font);
    Draw_Barcode_Text(painter, frame, float(frame.height()) - lineHeight - style.TB_margin, style.header,
                      style.header_font, style.header_colour, style.header_alignment, Barcode_Text_Kerning);
}

void Draw_Barcode_Footer(QPainter &painter, const BarcodeStyle &style, const QSizeF &frame)
{
    if (!style.prints_footer)
        return;
    Draw_Barcode_Text(painter, frame, style.TB_margin, style.footer, style.footer_font, style.footer_colour,
                      style.footer_alignment, Barcode_Text_Kerning);
}

BarcodeImage Frame_TwoD_Symbol(const BarcodeSetup &setup, const QSizeF &symbolPoints,
                               std::function<void(QPainter &, const QRectF &)> paintSymbol)
{
    BarcodeImage out;
    if (!paintSymbol || symbolPoints.isEmpty()) {
        out.error = QStringLiteral("Invalid barcode value.");
        return out;
    }
    const BarcodeStyle style = Barcode_Style(setup);
    const float headerHeight = style.prints_header ? Barcode_Line_Height(style.header_font) : 0.0f;
    const float footerHeight = style.prints_footer ? Barcode_Line_Height(style.footer_font) : 0.0f;
    const float headerWidth = style.prints_header ? Barcode_Text_Width(style.header_font, style.header) : 0.0f;
    const float footerWidth = style.prints_footer ? Barcode_Text_Width(style.footer_font, style.footer) : 0.0f;
    const float symbolWidth = float(symbolPoints.width());
    const float symbolHeight = float(symbolPoints.height());

    const float height = symbolHeight + headerHeight + style.header_margin + footerHeight + style.footer_margin
                         + 2.0f * style.TB_margin;
    const float width = std::max({headerWidth, footerWidth, symbolWidth}) + Barcode_Side_Allowance(style.LR_margin);
    out.sizePoints = QSizeF(width, height);

    const QRectF target((width - symbolWidth) / 2.0f, headerHeight + style.TB_margin + style.header_margin,
                        symbolWidth, symbolHeight);
    const QSizeF frame = out.sizePoints;
    out.paint = [style, frame, target, paintSymbol](QPainter &painter) {
        Paint_Barcode_Background(painter, frame, style.fill_transparent, Qt::white);
        Draw_Barcode_Header(painter, style, frame);
        painter.save();
        paintSymbol(painter, target);
        painter.restore();
        Draw_Barcode_Footer(painter, style, frame);
    };
    return out;
}

}  // namespace barcode
