// The barcode entry point with a stored set-up from a file or the clipboard: the first bytes
// give the set-up's numbers (any value, NaN and infinities included), the rest is the value.
#include "FuzzSupport.h"
#include "barcode/BarcodeRender.h"

#include <cstring>

namespace {

struct Reader {
    QByteArray bytes;
    qsizetype at = 0;
    template <class T>
    T next()
    {
        T v{};
        const qsizetype n = std::min<qsizetype>(sizeof(T), bytes.size() - at);
        std::memcpy(&v, bytes.constData() + at, size_t(n));
        at += n;
        return v;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Reader r{Fuzz_Input(data, size)};
    barcode::BarcodeSetup s;
    for (int *field : {&s.linear_or_2d, &s.barcode_font_index, &s.show_hide_hdr, &s.show_hide_ftr,
                       &s.show_hide_val, &s.show_val_on_top, &s.align_hdr_index, &s.qr_size_val,
                       &s.qr_version_index, &s.qr_ec_index, &s.pdf_hgt_val, &s.pdf_wdt_val, &s.pdf_ec_val,
                       &s.dm_module_val, &s.dm_format_index, &s.dm_encoding_index, &s.dpi_val_index,
                       &s.barcode_unit_val})
        *field = r.next<qint8>() == -128 ? r.next<int>() : r.next<qint8>();
    for (double *field : {&s.linear_height_val, &s.linear_width_val, &s.hdr_margin_val, &s.val_margin_val,
                          &s.TB_marging_val, &s.LR_margin_val})
        *field = r.next<qint8>() == -128 ? r.next<double>() : r.next<qint8>();
    for (QFont *font : {&s.value_font_val, &s.header_font_val, &s.footer_font_val})
        font->setPointSizeF(r.next<qint8>() == -128 ? r.next<double>() : std::max(1, int(r.next<quint8>())));
    const QString value = QString::fromUtf8(r.bytes.mid(r.at));
    const barcode::BarcodeImage image = barcode::Render_Barcode(s, value);
    if (image.isValid())
        (void)image.toImage(72);
    return 0;
}
