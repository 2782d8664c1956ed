#include "barcode/ControlBarcode.h"

#include "barcode/BarcodeRender.h"
#include "barcode/TwoDImage.h"
#include "core/SKTBarcode.h"
#include "core/Utilities.h"

#include <QPainter>

namespace barcode {

BarcodeSetup Setup_From_Control(const SKTGraphic &c)
{
    BarcodeSetup s;
    s.linear_or_2d = c.linear_or_2d;
    s.barcode_font_index = c.barcode_font_index;
    s.linear_font_val = c.linear_font_val;
    s.two_d_font_val = c.two_d_font_val;
    s.header_val = c.header_val;
    s.footer_val = c.footer_val;
    s.show_hide_hdr = c.show_hide_hdr;
    s.show_hide_ftr = c.show_hide_ftr;
    s.show_hide_val = c.show_hide_val;
    s.show_val_on_top = c.show_val_on_top;
    s.align_hdr_index = c.align_hdr_index;
    s.align_ftr_index = c.align_ftr_index;
    s.linear_height_val = c.linear_height_val;
    s.linear_width_val = c.linear_width_val;
    s.qr_size_val = c.qr_size_val;
    s.qr_version_index = c.qr_version_index;
    s.qr_ec_index = c.qr_ec_index;
    s.pdf_hgt_val = c.pdf_hgt_val;
    s.pdf_wdt_val = c.pdf_wdt_val;
    s.pdf_ec_val = c.pdf_ec_val;
    s.dm_module_val = c.dm_module_val;
    s.dm_format_index = c.dm_format_index;
    s.dm_encoding_index = c.dm_encoding_index;
    s.hdr_margin_val = c.hdr_margin_val;
    s.ftr_margin_val = c.ftr_margin_val;
    s.val_margin_val = c.val_margin_val;
    s.TB_marging_val = c.TB_marging_val;
    s.LR_margin_val = c.LR_margin_val;
    s.value_font_val = c.value_font_val;
    s.header_font_val = c.header_font_val;
    s.footer_font_val = c.footer_font_val;
    s.barcode_hdr_clr_val = c.barcode_hdr_clr_val;
    s.barcode_ftr_clr_val = c.barcode_ftr_clr_val;
    s.barcode_val_clr_val = c.barcode_val_clr_val;
    s.barcode_back_clr_val = c.barcode_back_clr_val;
    s.barcode_clr_val = c.barcode_clr_val;
    s.dpi_val_index = c.dpi_val_index;
    s.dpi_custom_val = c.dpi_custom_val;
    s.barcode_unit_val = c.barcode_unit_val;
    s.transparent_background = c._isDrawingFill;  // a barcode keeps its transparency choice there
    s.kerning_value = c.kerning_value == 1 ? 1 : 0;
    return s;
}

void Setup_To_Control(const BarcodeSetup &s, SKTGraphic &c)
{
    c.linear_or_2d = s.linear_or_2d;
    c.barcode_font_index = s.barcode_font_index;
    c.linear_font_val = s.linear_font_val;
    c.two_d_font_val = s.two_d_font_val;
    c.header_val = s.header_val;
    c.footer_val = s.footer_val;
    c.show_hide_hdr = s.show_hide_hdr;
    c.show_hide_ftr = s.show_hide_ftr;
    c.show_hide_val = s.show_hide_val;
    c.show_val_on_top = s.show_val_on_top;
    c.align_hdr_index = s.align_hdr_index;
    c.align_ftr_index = s.align_ftr_index;
    c.linear_height_val = s.linear_height_val;
    c.linear_width_val = s.linear_width_val;
    c.qr_size_val = s.qr_size_val;
    c.qr_version_index = s.qr_version_index;
    c.qr_ec_index = s.qr_ec_index;
    c.pdf_hgt_val = s.pdf_hgt_val;
    c.pdf_wdt_val = s.pdf_wdt_val;
    c.pdf_ec_val = s.pdf_ec_val;
    c.dm_module_val = s.dm_module_val;
    c.dm_format_index = s.dm_format_index;
    c.dm_encoding_index = s.dm_encoding_index;
    c.hdr_margin_val = s.hdr_margin_val;
    c.ftr_margin_val = s.ftr_margin_val;
    c.val_margin_val = s.val_margin_val;
    c.TB_marging_val = s.TB_marging_val;
    c.LR_margin_val = s.LR_margin_val;
    c.value_font_val = s.value_font_val;
    c.header_font_val = s.header_font_val;
    c.footer_font_val = s.footer_font_val;
    c.barcode_hdr_clr_val = s.barcode_hdr_clr_val;
    c.barcode_ftr_clr_val = s.barcode_ftr_clr_val;
    c.barcode_val_clr_val = s.barcode_val_clr_val;
    c.barcode_back_clr_val = s.barcode_back_clr_val;
    c.barcode_clr_val = s.barcode_clr_val;
    c.dpi_val_index = s.dpi_val_index;
    c.dpi_custom_val = s.dpi_custom_val;
    c.barcode_unit_val = s.barcode_unit_val;
    c._isDrawingFill = s.transparent_background;
    c.kerning_value = s.kerning_value == 1 ? 1 : 0;
}

double Setup_Barcode_Dpi(const BarcodeSetup &setup)
{
    return setup.dpi_val_index == 0 ? 300.0 : Used_DPI_Value(setup.dpi_val_index, setup.dpi_custom_val);
}

double Control_Barcode_Dpi(const SKTGraphic &control)
{
    return control.dpi_val_index == 0 ? 300.0 : Used_DPI_Value(control.dpi_val_index, control.dpi_custom_val);
}

QString Control_Barcode_Value(const SKTGraphic &control)
{
    if (const auto *b = dynamic_cast<const SKTBarcode *>(&control); b && !b->_barcode_value.isEmpty())
        return b->_barcode_value;
    return Trim_Str(control.linear_or_2d != 0 ? control.two_d_font_val : control.linear_font_val);
}

namespace {

// The symbol of one value under one set-up; painting it draws what a fresh render would.
struct EncodedSymbol : PreparedBarcode {
    EncodedSymbol(BarcodeSetup s, QString v, BarcodeImage i) : setup(std::move(s)), value(std::move(v)), image(std::move(i)) {}
    BarcodeSetup setup;
    QString value;
    BarcodeImage image;
};

}  // namespace

bool ControlBarcodeProvider::Build_Barcode_Image(SKTGraphic &control, const QString &value)
{
    BarcodeSetup setup = Setup_From_Control(control);
    BarcodeImage rendered = Render_Barcode(setup, value);
    const QImage picture = rendered.toImage(Control_Barcode_Dpi(control));
    auto *barcode = dynamic_cast<SKTBarcode *>(&control);
    if (barcode) {
        barcode->_barcode_value = picture.isNull() ? QString() : value;
        barcode->_prepared_symbol.reset();
        if (!picture.isNull() && rendered.isValid())
            barcode->_prepared_symbol = std::make_shared<EncodedSymbol>(std::move(setup), value, std::move(rendered));
    }
    if (picture.isNull()) {
        // The bounds stay where the user put them; only the stale picture goes.
        control._barcode_image = QImage();
        if (barcode)
            barcode->barcode_image_var_assign();
        return false;
    }
    control.Set_Barcode_image(picture);
    return true;
}

double ControlBarcodeProvider::Barcode_Picture_Pixels(const SKTGraphic &control, const QString &value) const
{
    return Render_Barcode(Setup_From_Control(control), value).pixelsAt(Control_Barcode_Dpi(control));
}

bool ControlBarcodeProvider::Paint_Barcode(const SKTGraphic &control, QPainter &painter, QPointF topLeft) const
{
    const QString value = Control_Barcode_Value(control);
    BarcodeSetup setup = Setup_From_Control(control);
    // The symbol encoded with the picture serves while nothing it was made from has changed.
    const EncodedSymbol *kept = nullptr;
    if (const auto *b = dynamic_cast<const SKTBarcode *>(&control); b && b->_prepared_symbol) {
        kept = dynamic_cast<const EncodedSymbol *>(b->_prepared_symbol.get());
        if (kept && (kept->value != value || !(kept->setup == setup)))
            kept = nullptr;
    }
    BarcodeImage fresh;
    if (!kept)
        fresh = Render_Barcode(setup, value);
    const BarcodeImage &rendered = kept ? kept->image : fresh;
    if (!rendered.isValid())
        return false;
    painter.save();
    painter.translate(topLeft);
    rendered.paint(painter);
    painter.restore();
    return true;
}

ControlBarcodeProvider &Install_Control_Barcode_Provider()
{
    static ControlBarcodeProvider provider;
    setBarcodeImageProvider(&provider);
    return provider;
}

}  // namespace barcode
