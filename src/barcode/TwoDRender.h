#pragma once
// Two-dimensional symbols (QR Code, PDF417, Data Matrix) drawn for Render_Barcode.

#include "barcode/BarcodeRender.h"

namespace barcode {

// setup.linear_or_2d is 1; the symbology is named by setup.barcode_font_index.
BarcodeImage Render_TwoD_Barcode(const BarcodeSetup &setup, const QString &value);

}  // namespace barcode
