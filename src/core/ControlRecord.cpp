#include "core/ControlRecord.h"

#include "core/ArchiveValues.h"
#include "core/ControlArchive.h"
#include "core/DesignFieldIO.h"
#include "core/SKTBarcode.h"
#include "core/SKTImage.h"
#include "core/SKTLine.h"
#include "core/SKTSignature.h"
#include "core/Utilities.h"

#include <type_traits>

namespace {

// Entries of the binding block (text, image, barcode).
constexpr int kBindingStart = 20;

bool hasBindingBlock(SKTGraphicKind kind)
{
    return kind == SKTGraphicKind::Text || kind == SKTGraphicKind::Image || kind == SKTGraphicKind::Barcode;
}

// The whole layout of a record after its letter, once for both directions. G is
// `const SKTGraphic` when writing and `SKTGraphic` when reading.
template <class IO, class G>
void recordFields(IO &io, G &g)
{
    constexpr bool reading = IO::reading;
    io.rect(g._bounds);
    io.yn(g.ctrl_is_locked);
    io.yn(g._isDrawingFill);
    io.colour(g._fillColor);
    io.yn(g._isDrawingStroke);
    io.colour(g._strokeColor);
    io.real(g._strokeWidth);
    io.text(g._stroke_border_type);
    io.text(g._fill_type);
    io.colour(g._fill_Grad_clr1);
    io.colour(g._fill_Grad_clr2);
    io.real(g._fill_grad_angle);
    io.colour(g._fill_htch_clr);
    io.text(g._fill_hatch_type);
    io.real(g.alpha_val);
    io.real(g.alpha_val_stroke);
    io.ynInt(g.print_object);
    io.text(g.control_ID);
    io.yn(g.ctrl_is_visible);

    const SKTGraphicKind kind = g.kind();
    if (hasBindingBlock(kind)) {
        io.integer(g.data_source_type);
        io.text(g.batch_list_name);
        io.integer(g.batch_list_index);
        io.yn(g.excel_binding);
        io.integer(g.excel_col_indx);
    }

    switch (kind) {
    case SKTGraphicKind::Line: {
        auto &line = static_cast<std::conditional_t<std::is_const_v<G>, const SKTLine, SKTLine> &>(g);
        io.integer(g._line_ori);
        io.integer(g._line_cap_style);
        if (io.endsHere()) {
            // An old record without arrow flags: a line with no direction flags.
            if constexpr (reading)
                line._pointsRight = line._pointsDown = false;
            break;
        }
        io.yn(line._pointsRight);
        io.yn(line._pointsDown);
        break;
    }
    case SKTGraphicKind::Shape:
        io.text(g._shape_type);
        io.real(g.cor_rad_val);
        io.integer(g.double_star_type);
        io.integer(g.polygon_type);
        io.integer(g.text_rotation);
        break;
    case SKTGraphicKind::Signature:
        io.text(g.sign_or_fingureprint);
        if constexpr (reading) {
            io.text(g._file_path);
        } else {
            // A signature without a picture of its own keeps the sample of its kind.
            const QString path = Trim_Str(g._file_path);
            io.text(path.isEmpty() ? SKTSignature::Sample_Path_For_Kind(g.sign_or_fingureprint) : g._file_path);
        }
        break;
    case SKTGraphicKind::Text:
        io.font(g.text_ctrl_font);
        io.colour(g.txt_clr);
        io.integer(g.text_alignmnet_Vert);
        io.integer(g.text_alignmnet);
        io.integer(g.text_transfrom_case);
        io.real(g.text_kerning);
        io.text(g.Text_Value);
        io.yn(g.Drawing_Shadow);
        io.colour(g.Shadow_Color);
        io.real(g.Shadow_offset_X);
        io.real(g.Shadow_offset_Y);
        io.real(g.Shadow_blur);
        io.real(g.Shadow_transparency);
        io.integer(g.text_rotation);
        break;
    case SKTGraphicKind::Image:
        io.yn(g._isFlippedHorizontally);
        io.yn(g._isFlippedVertically);
        io.yn(g.invert_clr);
        io.yn(g.gray_Scale);
        io.yn(g.Sepia);
        io.real(g.img_trnsp_val);
        io.real(g.hue_val);
        io.real(g.sat_val);
        io.real(g.brt_val);
        io.real(g.con_val);
        io.real(g.srp_val);
        io.real(g.ev_val);
        io.real(g.blr_val);
        io.real(g.rotate_image);
        io.text(g._file_path);
        if (io.endsHere()) {
            // Old record: the value text was the picture's path and shadows were on.
            if constexpr (reading) {
                g.Text_Value = g._file_path;
                g.Drawing_Shadow = true;
            }
            break;
        }
        io.text(g.Text_Value);
        if constexpr (reading) {
            if (g.Text_Value == QLatin1String("Text here"))
                g.Text_Value = g._file_path;
        }
        if (io.endsHere()) {
            if constexpr (reading)
                g.Drawing_Shadow = true;
            break;
        }
        io.yn(g.Drawing_Shadow);
        break;
    case SKTGraphicKind::Barcode: {
        if constexpr (reading) {
            QByteArray png;
            io.data(png);
            g._barcode_image = QImage();
            if (!png.isEmpty()) {
                g._barcode_image = Unarchive_Image(png);
                if (g._barcode_image.isNull())
                    throw DesignFieldFailure{io.position() - 1, QStringLiteral("the barcode picture cannot be read")};
            }
        } else {
            QByteArray png;
            if (!g._barcode_image.isNull()) {
                png = Archive_Image(g._barcode_image).toByteArray();
                if (png.isEmpty())
                    throw DesignFieldFailure{io.position(), QStringLiteral("the barcode picture cannot be stored")};
            }
            io.data(png);
        }
        io.integer(g.linear_or_2d);
        io.integer(g.barcode_font_index);
        io.text(g.linear_font_val);
        io.text(g.two_d_font_val);
        io.text(g.header_val);
        io.text(g.footer_val);
        io.integer(g.show_hide_hdr);
        io.integer(g.show_hide_ftr);
        io.integer(g.show_hide_val);
        io.integer(g.show_val_on_top);
        io.integer(g.align_hdr_index);
        io.integer(g.align_ftr_index);
        io.real(g.linear_height_val);
        io.real(g.linear_width_val);
        io.integer(g.qr_size_val);
        io.integer(g.qr_version_index);
        io.integer(g.qr_ec_index);
        io.integer(g.pdf_hgt_val);
        io.integer(g.pdf_wdt_val);
        io.integer(g.pdf_ec_val);
        io.integer(g.dm_module_val);
        io.integer(g.dm_format_index);
        io.integer(g.dm_encoding_index);
        io.real(g.hdr_margin_val);
        io.real(g.ftr_margin_val);
        io.real(g.val_margin_val);
        io.real(g.TB_marging_val);
        io.real(g.LR_margin_val);
        io.font(g.value_font_val);
        io.font(g.header_font_val);
        io.font(g.footer_font_val);
        io.colour(g.barcode_hdr_clr_val);
        io.colour(g.barcode_ftr_clr_val);
        io.colour(g.barcode_val_clr_val);
        io.colour(g.barcode_back_clr_val);
        io.colour(g.barcode_clr_val);
        io.integer(g.dpi_val_index);
        io.text(g.dpi_custom_val);
        io.integer(g.barcode_unit_val);
        if constexpr (reading) {
            g.Set_Barcode_image_control_bounds(g._bounds);
            static_cast<SKTBarcode &>(g).barcode_image_var_assign();
        }
        break;
    }
    case SKTGraphicKind::Graphic:
        break;
    }
}

std::unique_ptr<SKTGraphic> makeForLetter(const QString &letter)
{
    static const QStringList letters{"L", "T", "D", "I", "B", "S"};
    static const QStringList classes{"SKTLine", "SKTText", "Shape_Control", "SKTImage", "SKTBarcode", "SKTSignature"};
    const qsizetype i = letters.indexOf(letter);
    return i < 0 ? nullptr : Make_Graphic_Of_Class(classes[i]);
}

}  // namespace

QString Control_Record_Letter(SKTGraphicKind kind)
{
    switch (kind) {
    case SKTGraphicKind::Line: return QStringLiteral("L");
    case SKTGraphicKind::Text: return QStringLiteral("T");
    case SKTGraphicKind::Shape: return QStringLiteral("D");
    case SKTGraphicKind::Image: return QStringLiteral("I");
    case SKTGraphicKind::Barcode: return QStringLiteral("B");
    case SKTGraphicKind::Signature: return QStringLiteral("S");
    case SKTGraphicKind::Graphic: break;
    }
    return {};
}

std::optional<QVariantList> Get_Control_Prop_To_Array(const SKTGraphic &graphic, bool unbound, QString *error)
{
    const QString letter = Control_Record_Letter(graphic.kind());
    if (letter.isEmpty()) {
        if (error)
            *error = QStringLiteral("a control of class %1 cannot be stored").arg(graphic.className());
        return std::nullopt;
    }
    DesignFieldWriter io;
    io.text(letter);
    try {
        recordFields(io, graphic);
    } catch (const DesignFieldFailure &failure) {
        if (error)
            *error = failure.reason;
        return std::nullopt;
    }
    if (unbound && hasBindingBlock(graphic.kind())) {
        const QStringList none{QStringLiteral("0"), QString(), QStringLiteral("-1"), QStringLiteral("N"),
                               QStringLiteral("-1")};
        for (int i = 0; i < none.size(); ++i)
            io.out[kBindingStart + i] = none[i];
    }
    return io.out;
}

std::unique_ptr<SKTGraphic> Create_Control_From_Array(const QVariantList &record, QString *error)
{
    DesignFieldReader io(record);
    try {
        QString letter;
        io.text(letter);
        std::unique_ptr<SKTGraphic> graphic = makeForLetter(letter);
        if (!graphic)
            io.fail(QStringLiteral("\"%1\" is not the letter of a control").arg(letter.left(8)));
        recordFields(io, *graphic);
        if (!io.endsHere())
            io.fail(QStringLiteral("the record holds %1 entries, more than a %2 record")
                        .arg(record.size())
                        .arg(graphic->className()));
        return graphic;
    } catch (const DesignFieldFailure &failure) {
        if (error)
            *error = failure.reason;
        return nullptr;
    }
}

bool Barcode_Needs_Image(const SKTGraphic &graphic)
{
    return graphic.kind() == SKTGraphicKind::Barcode && graphic._barcode_image.isNull();
}

QString Barcode_Value_For_Rebuild(const SKTGraphic &graphic,
                                  const std::function<QString(const QString &)> &firstSeriesValue,
                                  const std::function<QString(int)> &firstColumnValue)
{
    QString value;
    if (graphic.data_source_type == 1 && firstSeriesValue)
        value = Trim_Str(firstSeriesValue(graphic.batch_list_name));
    else if (graphic.data_source_type == 2 && firstColumnValue)
        value = Trim_Str(firstColumnValue(graphic.excel_col_indx));
    if (graphic.data_source_type == 0 || value.isEmpty())
        value = Trim_Str(graphic.linear_or_2d != 0 ? graphic.two_d_font_val : graphic.linear_font_val);
    return value;
}
