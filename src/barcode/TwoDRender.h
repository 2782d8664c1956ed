#pragma once
// Two-dimensional symbols (QR Code, PDF417, Data Matrix) drawn for Render_Barcode.

#include "barcode/BarcodeRender.h"
#include "barcode/TwoDImage.h"

namespace barcode {

// setup.linear_or_2d is 1; the symbology is named by setup.barcode_font_index.
BarcodeImage Render_TwoD_Barcode(const BarcodeSetup &setup, const QString &value);

// The symbol alone, before header and footer framing, drawn from the set-up's own size, level,
// version and resolution (or kept as modules); `error` says why there is none.
struct TwoDSymbol {
    TwoDImage image;
    QString error;
};
TwoDSymbol Render_TwoD_Symbol(const BarcodeSetup &setup, const QString &value, Raise raise = Raise::ToDpi);

}  // namespace barcode
