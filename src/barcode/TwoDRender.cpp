#include "barcode/TwoDRender.h"

namespace barcode {

BarcodeImage Render_TwoD_Barcode(const BarcodeSetup &, const QString &)
{
    BarcodeImage out;
    out.error = QStringLiteral("Invalid barcode value.");
    return out;
}

}  // namespace barcode
