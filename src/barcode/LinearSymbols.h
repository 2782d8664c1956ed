#pragma once
// Linear and postal symbols from a symbology name, their layout in a style (the sizes the
// barcode window gives a symbol before it is drawn) and their drawing.

#include "barcode/BarcodeFrame.h"
#include "barcode/NKDBarcode.h"

#include <QSizeF>

#include <memory>

class QPainter;

namespace barcode {

// The symbol of a linear symbology name of Linear_Symbology_Names(), built for the value;
// nullptr for a name that is not one of them. The symbol may still refuse the value
// (isContentValid).
std::unique_ptr<NKDBarcode> Make_Linear_Symbol(const QString &name, const QString &value, bool printsCaption);

// Gives a symbol the style's texts, flags, fonts and margins, the bar width and the bar height
// (points), and sets its overall height and width.
void Layout_Linear_Symbol(NKDBarcode &symbol, const BarcodeStyle &style, float barWidthPoints,
                          float barHeightPoints);
// Overall height: the bar height, the printed texts with their margins, the top and bottom margins.
void Set_Barcode_Height(NKDBarcode &symbol, const BarcodeStyle &style, float barHeightPoints);
// Overall width: the widest of bars, header and footer, with the side margins, and never less
// than the bars with ten modules of quiet zone on each side.
float Set_Linear_Barcode_Width(const NKDBarcode &symbol, const BarcodeStyle &style);

// The drawing's size: the symbol's height, and its width or its printed header or footer
// width when that is greater.
QSizeF Linear_Frame_Size(const NKDBarcode &symbol);
// Draws a laid-out symbol into (0, 0, frame) in points: background, bars, value, header, footer.
void Paint_Linear_Barcode(QPainter &painter, const NKDBarcode &symbol, const BarcodeStyle &style,
                          const QSizeF &frame);

}  // namespace barcode
