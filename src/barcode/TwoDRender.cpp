#include "barcode/TwoDRender.h"

#include "barcode/BarcodeFrame.h"
#include "barcode/DataMatrixSymbol.h"
#include "barcode/PDF417View.h"
#include "barcode/QREncoder.h"
#include "barcode/Symbologies.h"
#include "core/Utilities.h"

#include <QPainter>

#include <algorithm>

namespace barcode {

namespace {

const QString kInvalid = QStringLiteral("Invalid barcode value.");

using Symbol = TwoDSymbol;

Symbol drawQR(const BarcodeSetup &setup, const QString &value, double dpi, Raise raise)
{
    const int level = std::clamp(setup.qr_ec_index, 0, 3);
    const int version = std::clamp(setup.qr_version_index, 0, 40);
    const auto grid = QREncoder::encodeWithECLevel(level, version, value);
    if (!grid)
        return {{}, QStringLiteral("The value is too long for a QR Code of this version and error-correction level.")};
    return {QREncoder::renderDataMatrix(grid.get(), setup.qr_size_val, dpi, raise), {}};
}

Symbol drawPDF417(const BarcodeSetup &setup, const QString &value, double dpi, Raise raise)
{
    pdf417View view(QSizeF(setup.pdf_wdt_val, setup.pdf_hgt_val));
    view.setErrorLevel(std::clamp(setup.pdf_ec_val, 0, 8));
    view.setResolution(dpi);
    view.setRaise(raise);
    if (view.bounds().isEmpty())
        return {{}, kInvalid};
    if (view.drawWithText(value) != pdf417View::ImageReady)
        return {{}, QStringLiteral("The value is too long for a PDF417 symbol.")};
    return {view.getImage(), {}};
}

Symbol drawDataMatrix(const BarcodeSetup &setup, const QString &value, double dpi, Raise raise)
{
    int W = 0, H = 0;
    const QStringList &sizes = DataMatrix_Size_Items();
    if (setup.dm_format_index > 0 && setup.dm_format_index < sizes.size())
        DataMatrix_Size_From_Item(sizes.at(setup.dm_format_index), &W, &H);
    const DataMatrixGrid grid = Encode_DataMatrix(value.toUtf8(), W, H, std::clamp(setup.dm_encoding_index, 0, 4));
    if (grid.isNull())
        return {{}, grid.error};
    return {DataMatrix_Image(grid, std::max(1, setup.dm_module_val), dpi, raise), {}};
}

}  // namespace

TwoDSymbol Render_TwoD_Symbol(const BarcodeSetup &setup, const QString &value, Raise raise)
{
    if (Trim_Str(value).isEmpty())
        return {{}, kInvalid};
    const double dpi = Used_DPI_Value(setup.dpi_val_index, setup.dpi_custom_val);
    const QString name = Symbology_Name(1, setup.barcode_font_index);
    Symbol symbol;
    if (name == QLatin1String("QR Code"))
        symbol = drawQR(setup, value, dpi, raise);
    else if (name == QLatin1String("PDF417"))
        symbol = drawPDF417(setup, value, dpi, raise);
    else if (name == QLatin1String("DataMatrix"))
        symbol = drawDataMatrix(setup, value, dpi, raise);
    if (symbol.image.isNull() && symbol.error.isEmpty())
        symbol.error = kInvalid;
    return symbol;
}

BarcodeImage Render_TwoD_Barcode(const BarcodeSetup &setup, const QString &value)
{
    // Only the modules are kept: every device gets them at its own resolution, so a picture
    // raised to the set-up's resolution would be drawn only to be sampled again.
    const TwoDSymbol symbol = Render_TwoD_Symbol(setup, value, Raise::ModulesOnly);
    if (symbol.image.isNull()) {
        BarcodeImage out;
        out.error = symbol.error;
        Show_NSLog_Message(out.error);
        return out;
    }
    return Frame_TwoD_Symbol(setup, symbol.image.sizePoints, Module_Image_Painter(symbol.image.modules));
}

}  // namespace barcode
