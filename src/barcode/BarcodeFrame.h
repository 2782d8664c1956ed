#pragma once
// The style a barcode drawing is made with, taken whole from a control's set-up, and the
// pieces of the frame around a symbol: background, header, footer and their text metrics.
// The linear renderer and the two-dimensional drawing both frame their symbols with these.
//
// Frame geometry is worked out with y growing upwards from the frame's bottom edge (the
// footer at the bottom, the header at the top); the drawing functions turn it into the
// painter's y-down space. The painter's user space is in points.

#include "barcode/BarcodeRender.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QSizeF>

#include <functional>

namespace barcode {

// Bar heights and margins are kept in millimetres, the narrow bar width in mils.
float Millimetres_To_Points(double millimetres);
float Mils_To_Points(double mils);

struct BarcodeStyle {
    QFont value_font, header_font, footer_font;
    QColor back_colour, bar_colour, value_colour, header_colour, footer_colour;
    bool fill_transparent = false;
    Qt::Alignment header_alignment = Qt::AlignHCenter;
    Qt::Alignment footer_alignment = Qt::AlignHCenter;
    bool value_on_top = false;
    bool value_kerning = true;  // the middle caption is drawn with letter spacing
    bool prints_caption = true;
    bool prints_header = true;
    bool prints_footer = true;
    QString header, footer;
    // Points. The margin of a hidden part is 0.
    float value_margin = 0, header_margin = 0, footer_margin = 0, LR_margin = 0, TB_margin = 0;
};

BarcodeStyle Barcode_Style(const BarcodeSetup &setup);

// Letter spacing, in points, of headers, footers and the middle caption.
constexpr float Barcode_Text_Kerning = 2.0f;

// Height a caption, header or footer line takes in the frame: 1.35 times the cap height of
// the font, in points.
float Barcode_Line_Height(const QFont &font);
// Width in points of a header or footer as it is drawn (with its letter spacing).
float Barcode_Text_Width(const QFont &font, const QString &text, float letterSpacing = Barcode_Text_Kerning);
// Height in points of one laid-out line of the font (the text rectangle's height).
float Barcode_Text_Box_Height(const QFont &font);
// The font to give a painter whose user space is in points, so that text keeps its point size
// whatever the device's resolution.
QFont Font_In_Points(const QFont &font, const QPainter &painter);

// Width added to the widest part of a frame for its left and right margins: twice the margin
// and 15 points, or nothing for a margin of 0.
float Barcode_Side_Allowance(float LR_margin);

// Nothing when transparent (what lies beneath shows), else the colour over the whole frame.
void Paint_Barcode_Background(QPainter &painter, const QSizeF &frame, bool transparent, const QColor &colour);
// One line of text in a box (painter coordinates, points), its top at the box's top, aligned
// across the box; the letter spacing is added between characters, and the text is placed by
// its width with that spacing. Text wider than the box overflows it evenly.
void Draw_Barcode_Text_Box(QPainter &painter, const QRectF &box, const QString &text, const QFont &font,
                           const QColor &colour, Qt::Alignment alignment, float letterSpacing);
// One line of text across the frame's width whose box starts `bottom` points above the
// frame's bottom edge.
void Draw_Barcode_Text(QPainter &painter, const QSizeF &frame, float bottom, const QString &text,
                       const QFont &font, const QColor &colour, Qt::Alignment alignment, float letterSpacing);
// The header below the top margin (its line height counted down from the top margin), and
// the footer on the bottom margin; nothing when the style hides them.
void Draw_Barcode_Header(QPainter &painter, const BarcodeStyle &style, const QSizeF &frame);
void Draw_Barcode_Footer(QPainter &painter, const BarcodeStyle &style, const QSizeF &frame);

// Frames a finished two-dimensional symbol of the given size (points): the frame is as wide as
// the widest of symbol, header and footer plus the side allowance, and as tall as the symbol
// with the header, footer, their margins and the top and bottom margins; the symbol is centred
// across under the header. The background is white (clear when transparent). paintSymbol
// draws the symbol into the rectangle it is given (points, y down).
BarcodeImage Frame_TwoD_Symbol(const BarcodeSetup &setup, const QSizeF &symbolPoints,
                               std::function<void(QPainter &, const QRectF &)> paintSymbol);

}  // namespace barcode
