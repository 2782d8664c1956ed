#include "core/ControlFields.h"

#include "platform/ValueBounds.h"

namespace {

using K = FieldKind;

#define F(name, kind, use) ControlField{#name, &SKTGraphic::name, K::kind, use}

const std::vector<ControlField> kCommon{
    F(_bounds, Rect, Stored | Copied),
    F(ctrl_is_locked, Flag, Stored),
    F(_isDrawingFill, Flag, Stored | Copied),
    F(_fillColor, Colour, Stored | Copied),
    F(_isDrawingStroke, Flag, Stored | Copied),
    F(_strokeColor, Colour, Stored | Copied),
    F(_strokeWidth, Length, Stored | Copied),
    F(_stroke_border_type, Code, Stored | Copied),
    F(_fill_type, Code, Stored | Copied),
    F(_fill_Grad_clr1, Colour, Stored | Copied),
    F(_fill_Grad_clr2, Colour, Stored | Copied),
    F(_fill_grad_angle, Angle, Stored | Copied),
    F(_fill_htch_clr, Colour, Stored | Copied),
    F(_fill_hatch_type, Code, Stored | Copied),
    F(alpha_val, Opacity, Stored),
    F(alpha_val_stroke, Opacity, Stored),
    F(print_object, Flag, Stored),
    F(control_ID, Text, Stored),
    F(ctrl_is_visible, Flag, Stored),
    F(_boundsBeingChangedToMatchContents, Flag, InMemory),
};

// Text, image and barcode controls only; the narrow copy takes them for every kind.
const std::vector<ControlField> kBinding{
    F(data_source_type, Choice, Stored | Copied),
    F(batch_list_name, Text, Stored | Copied),
    F(batch_list_index, Column, Stored | Copied),
    F(excel_binding, Flag, Stored | Copied),
    F(excel_col_indx, Column, Stored | Copied),
};

const std::vector<ControlField> kLine{
    F(_line_ori, Choice, Stored),
    F(_line_cap_style, Choice, Stored),
    ControlField{"_pointsRight", &SKTLine::_pointsRight, K::Flag, Stored | CopiedByKind | OldRecordsEnd},
    ControlField{"_pointsDown", &SKTLine::_pointsDown, K::Flag, Stored | CopiedByKind},
};

const std::vector<ControlField> kText{
    F(text_ctrl_font, Font, Stored),
    F(txt_clr, Colour, Stored),
    F(_Text_contents, StyledText, InArchive),
    F(text_alignmnet_Vert, Choice, Stored),
    F(text_alignmnet, Choice, Stored),
    F(text_transfrom_case, Choice, Stored),
    F(text_kerning, Length, Stored),
    F(Text_Value, Text, Stored | Copied),
    F(Drawing_Shadow, Flag, Stored),
    F(Shadow_Color, Colour, Stored),
    F(Shadow_offset_X, Length, Stored),
    F(Shadow_offset_Y, Length, Stored),
    F(Shadow_blur, Length, Stored),
    F(Shadow_transparency, Percent, Stored),
    F(text_rotation, Angle, Stored),
};

const std::vector<ControlField> kShape{
    F(_shape_type, Code, Stored),     F(cor_rad_val, Length, Stored), F(double_star_type, Count, Stored),
    F(polygon_type, Count, Stored),   F(text_rotation, Angle, Stored),
};

const std::vector<ControlField> kImage{
    F(_isFlippedHorizontally, Flag, Stored),
    F(_isFlippedVertically, Flag, Stored),
    F(invert_clr, Flag, Stored),
    F(gray_Scale, Flag, Stored),
    F(Sepia, Flag, Stored),
    F(img_trnsp_val, Percent, Stored),
    F(hue_val, Adjustment, Stored),
    F(sat_val, Adjustment, Stored),
    F(brt_val, Adjustment, Stored),
    F(con_val, Adjustment, Stored),
    F(srp_val, Adjustment, Stored),
    F(ev_val, Adjustment, Stored),
    F(blr_val, Adjustment, Stored),
    F(rotate_image, Angle, Stored),
    F(_file_path, Path, Stored),
    F(Text_Value, Text, Stored | Copied | OldRecordsEnd),
    F(Drawing_Shadow, Flag, Stored | OldRecordsEnd),
    F(_contents, Image, InArchive | CopiedByKind),
    F(_contents_with_settings, Image, InArchive | CopiedByKind),
};

const std::vector<ControlField> kBarcode{
    F(_barcode_image, Image, Stored),
    F(linear_or_2d, Choice, Stored),
    F(barcode_font_index, Choice, Stored),
    F(linear_font_val, Text, Stored),
    F(two_d_font_val, Text, Stored),
    F(header_val, Text, Stored),
    F(footer_val, Text, Stored),
    F(show_hide_hdr, Choice, Stored),
    F(show_hide_ftr, Choice, Stored),
    F(show_hide_val, Choice, Stored),
    F(show_val_on_top, Choice, Stored),
    F(align_hdr_index, Choice, Stored),
    F(align_ftr_index, Choice, Stored),
    F(linear_height_val, Length, Stored),
    F(linear_width_val, Length, Stored),
    F(qr_size_val, Count, Stored),
    F(qr_version_index, Choice, Stored),
    F(qr_ec_index, Choice, Stored),
    F(pdf_hgt_val, Count, Stored),
    F(pdf_wdt_val, Count, Stored),
    F(pdf_ec_val, Choice, Stored),
    F(dm_module_val, Count, Stored),
    F(dm_format_index, Choice, Stored),
    F(dm_encoding_index, Choice, Stored),
    F(hdr_margin_val, Length, Stored),
    F(ftr_margin_val, Length, Stored),
    F(val_margin_val, Length, Stored),
    F(TB_marging_val, Length, Stored),
    F(LR_margin_val, Length, Stored),
    F(value_font_val, Font, Stored),
    F(header_font_val, Font, Stored),
    F(footer_font_val, Font, Stored),
    F(barcode_hdr_clr_val, Colour, Stored),
    F(barcode_ftr_clr_val, Colour, Stored),
    F(barcode_val_clr_val, Colour, Stored),
    F(barcode_back_clr_val, Colour, Stored),
    F(barcode_clr_val, Colour, Stored),
    F(dpi_val_index, Choice, Stored),
    F(dpi_custom_val, Text, Stored),
    F(barcode_unit_val, Choice, Stored),
    // Designs written before a barcode kept its close-set choice end here: spaced, as they showed.
    F(kerning_value, Flag, Stored | OldRecordsEnd | OmittedWhenOff),
    F(bar_image_ctrl_bounds, Rect, InMemory),
};

const std::vector<ControlField> kSignature{
    F(sign_or_fingureprint, Code, Stored),
    F(_file_path, Path, Stored),
    F(_contents, Image, InArchive),
};

#undef F

const std::vector<ControlField> *ownBlock(SKTGraphicKind kind)
{
    switch (kind) {
    case SKTGraphicKind::Line: return &kLine;
    case SKTGraphicKind::Text: return &kText;
    case SKTGraphicKind::Shape: return &kShape;
    case SKTGraphicKind::Image: return &kImage;
    case SKTGraphicKind::Barcode: return &kBarcode;
    case SKTGraphicKind::Signature: return &kSignature;
    case SKTGraphicKind::Graphic: break;
    }
    return nullptr;
}

std::vector<ControlField> fieldsOf(SKTGraphicKind kind)
{
    std::vector<ControlField> fields = kCommon;
    if (kind == SKTGraphicKind::Text || kind == SKTGraphicKind::Image || kind == SKTGraphicKind::Barcode)
        fields.insert(fields.end(), kBinding.begin(), kBinding.end());
    if (const auto *own = ownBlock(kind))
        fields.insert(fields.end(), own->begin(), own->end());
    return fields;
}

constexpr SKTGraphicKind kKinds[] = {SKTGraphicKind::Graphic, SKTGraphicKind::Text,      SKTGraphicKind::Image,
                                     SKTGraphicKind::Line,    SKTGraphicKind::Barcode,   SKTGraphicKind::Signature,
                                     SKTGraphicKind::Shape};

}  // namespace

const std::vector<ControlField> &Control_Fields(SKTGraphicKind kind)
{
    static const std::vector<std::vector<ControlField>> tables = [] {
        std::vector<std::vector<ControlField>> t(std::size(kKinds));
        for (SKTGraphicKind k : kKinds)
            t[size_t(k)] = fieldsOf(k);
        return t;
    }();
    return tables[size_t(kind)];
}

const std::vector<ControlField> &All_Control_Fields()
{
    static const std::vector<ControlField> all = [] {
        std::vector<ControlField> fields = kBinding;
        for (SKTGraphicKind k : kKinds) {
            const std::vector<ControlField> &own = Control_Fields(k);
            fields.insert(fields.end(), own.begin(), own.end());
        }
        return fields;
    }();
    return all;
}

void clearAllFields(SKTGraphic &g)
{
    for (const ControlField &field : All_Control_Fields())
        With_Field(g, field.member, [](auto &value) { value = std::remove_reference_t<decltype(value)>{}; });
    g._scriptingContainer = nullptr;
}

namespace {

const bounds::Range *rangeOf(FieldKind kind)
{
    switch (kind) {
    case K::Rect: return &bounds::CardPoints;
    case K::Length: return &bounds::LengthPoints;
    case K::Angle: return &bounds::RotationDegrees;
    case K::Percent: return &bounds::Percent;
    case K::Opacity: return &bounds::Opacity;
    case K::Adjustment: return &bounds::Adjustment;
    case K::Count: return &bounds::Count;
    case K::Choice: return &bounds::Choice;
    case K::Column: return &bounds::Column;
    default: return nullptr;
    }
}

}  // namespace

void Bound_Value(FieldKind kind, QRectF &value)
{
    if (const bounds::Range *r = rangeOf(kind))
        value = QRectF((*r)(value.x()), (*r)(value.y()), (*r)(value.width()), (*r)(value.height()));
}

void Bound_Value(FieldKind kind, int &value)
{
    if (const bounds::Range *r = rangeOf(kind))
        value = r->toInt(value);
}

void Bound_Value(FieldKind kind, float &value)
{
    if (const bounds::Range *r = rangeOf(kind))
        value = float((*r)(value));
}

void Bound_Value(FieldKind kind, double &value)
{
    if (const bounds::Range *r = rangeOf(kind))
        value = (*r)(value);
}

void Bound_Value(FieldKind, QFont &value)
{
    // A font sized in pixels has no point size: its pixel size is held to the same numbers.
    if (value.pointSizeF() > 0)
        value.setPointSizeF(bounds::FontPoints(value.pointSizeF()));
    else if (value.pixelSize() > 0)
        value.setPixelSize(bounds::FontPoints.toInt(value.pixelSize()));
}

void Bound_Value(FieldKind kind, std::optional<SKTTextStorage> &value)
{
    if (value)
        Bound_Value(kind, value->font);
}
