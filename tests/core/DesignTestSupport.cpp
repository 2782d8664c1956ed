#include "DesignTestSupport.h"

#include "ArchiveTestSupport.h"
#include "core/ControlArchive.h"
#include "core/SKTLine.h"

#include <QFile>

#include <gtest/gtest.h>

namespace designtest {

namespace {

QFont font(const char *family, double size, bool bold = false)
{
    QFont f(QString::fromLatin1(family));
    f.setPointSizeF(size);
    f.setBold(bold);
    return f;
}

QColor colour(int seed, int k) { return QColor((seed * 37 + k * 50) % 256, (seed * 11 + k * 90) % 256, (k * 70) % 256, 255 - k * 20); }

}  // namespace

std::shared_ptr<SKTGraphic> storedControl(SKTGraphicKind kind, int seed)
{
    std::shared_ptr<SKTGraphic> g = Make_Graphic_Of_Class(SKTGraphic::classNameForKind(kind));
    const double s = seed;
    g->_bounds = QRectF(10.5 + s, 20.25 + s, 30.5 + s, 40.75);
    g->ctrl_is_locked = seed % 2 == 0;
    g->_isDrawingFill = seed % 3 == 0;
    g->_fillColor = colour(seed, 1);
    g->_isDrawingStroke = seed % 2 == 1;
    g->_strokeColor = colour(seed, 2);
    g->_strokeWidth = 2.5 + s;
    g->_stroke_border_type = QStringLiteral("D%1").arg(seed % 4);
    g->_fill_type = QStringLiteral("G");
    g->_fill_Grad_clr1 = colour(seed, 3);
    g->_fill_Grad_clr2 = colour(seed, 4);
    g->_fill_grad_angle = 45.25 + s;
    g->_fill_htch_clr = colour(seed, 5);
    g->_fill_hatch_type = QStringLiteral("hatch_%1").arg(seed);
    g->alpha_val = 0.75f;
    g->alpha_val_stroke = 0.5f;
    g->print_object = 1;
    g->control_ID = QStringLiteral("F_label%1").arg(seed);
    g->ctrl_is_visible = seed % 5 != 0;
    g->data_source_type = 1 + seed % 2;
    g->batch_list_name = QStringLiteral("Names %1").arg(seed);
    g->batch_list_index = 3 + seed;
    g->excel_binding = true;
    g->excel_col_indx = 4 + seed;
    switch (kind) {
    case SKTGraphicKind::Line:
        g->_line_ori = 1;
        g->_line_cap_style = 2;
        static_cast<SKTLine &>(*g)._pointsRight = true;
        static_cast<SKTLine &>(*g)._pointsDown = seed % 2 == 0;
        break;
    case SKTGraphicKind::Shape:
        g->_shape_type = QStringLiteral("DS");
        g->cor_rad_val = 12.25f;
        g->double_star_type = 3;
        g->polygon_type = 4;
        g->text_rotation = 90;
        break;
    case SKTGraphicKind::Signature:
        g->sign_or_fingureprint = QStringLiteral("F");
        g->_file_path = QStringLiteral("/nowhere/finger %1.png").arg(seed);
        break;
    case SKTGraphicKind::Text:
        g->text_ctrl_font = font("DejaVu Serif", 14.5, true);
        g->txt_clr = colour(seed, 6);
        g->text_alignmnet_Vert = 1;
        g->text_alignmnet = 0;
        g->text_transfrom_case = 3;
        g->text_kerning = 1.5f;
        g->Text_Value = QStringLiteral("Jane <Doe> & \"Co\" %1\nline two").arg(seed);
        g->Drawing_Shadow = false;
        g->Shadow_Color = colour(seed, 7);
        g->Shadow_offset_X = -2.5f;
        g->Shadow_offset_Y = 3.25f;
        g->Shadow_blur = 4;
        g->Shadow_transparency = 0.6f;
        g->text_rotation = 270;
        break;
    case SKTGraphicKind::Image:
        g->_isFlippedHorizontally = true;
        g->_isFlippedVertically = seed % 2 == 0;
        g->invert_clr = true;
        g->gray_Scale = true;
        g->Sepia = seed % 2 == 1;
        g->img_trnsp_val = 80;
        g->hue_val = 0.25f;
        g->sat_val = 1.5f;
        g->brt_val = -0.25f;
        g->con_val = 1.75f;
        g->srp_val = 0.5f;
        g->ev_val = -1;
        g->blr_val = 2;
        g->rotate_image = 180;
        g->_file_path = QStringLiteral("/nowhere/photo %1.png").arg(seed);
        g->Text_Value = QStringLiteral("photo value %1").arg(seed);
        g->Drawing_Shadow = false;
        break;
    case SKTGraphicKind::Barcode:
        g->_barcode_image = archivetest::patternImage(40 + seed, 20);
        g->_barcode_image.setDotsPerMeterX(11811);
        g->_barcode_image.setDotsPerMeterY(11811);
        g->linear_or_2d = 1;
        g->barcode_font_index = 5 + seed;
        g->linear_font_val = QStringLiteral("98765");
        g->two_d_font_val = QStringLiteral("QR value %1").arg(seed);
        g->header_val = QStringLiteral("Head");
        g->footer_val = QStringLiteral("Foot");
        g->show_hide_hdr = 1;
        g->show_hide_ftr = 1;
        g->show_hide_val = 1;
        g->show_val_on_top = 1;
        g->align_hdr_index = 2;
        g->align_ftr_index = 0;
        g->linear_height_val = 8.5f;
        g->linear_width_val = 30.25f;
        g->qr_size_val = 90;
        g->qr_version_index = 7;
        g->qr_ec_index = 3;
        g->pdf_hgt_val = 25;
        g->pdf_wdt_val = 120;
        g->pdf_ec_val = 5;
        g->dm_module_val = 4;
        g->dm_format_index = 6;
        g->dm_encoding_index = 2;
        g->hdr_margin_val = 1.5f;
        g->ftr_margin_val = 2.5f;
        g->val_margin_val = 3.5f;
        g->TB_marging_val = 4.5f;
        g->LR_margin_val = 5.5f;
        g->value_font_val = font("DejaVu Sans Mono", 9);
        g->header_font_val = font("DejaVu Sans", 11, true);
        g->footer_font_val = font("DejaVu Serif", 7.5);
        g->barcode_hdr_clr_val = colour(seed, 8);
        g->barcode_ftr_clr_val = colour(seed, 9);
        g->barcode_val_clr_val = colour(seed, 10);
        g->barcode_back_clr_val = colour(seed, 11);
        g->barcode_clr_val = colour(seed, 12);
        g->dpi_val_index = 3;
        g->dpi_custom_val = QStringLiteral("450");
        g->barcode_unit_val = 2;
        break;
    case SKTGraphicKind::Graphic:
        break;
    }
    return g;
}

Card_Property storedCard(int seed)
{
    Card_Property c;
    c.setCard_border_chk(true);
    c.setCard_bordr_clr(colour(seed, 1));
    c.setCard_bor_Stepper(3 + seed);
    c.setCard_border_style(QStringLiteral("D2"));
    c.setCard_fill_chk(true);
    c.setCard_fill_style(QStringLiteral("I"));
    c.setCard_fill_clr(colour(seed, 2));
    c.setCard_fill_Grd_1_clr(colour(seed, 3));
    c.setCard_fill_Grd_2_clr(colour(seed, 4));
    c.setCard_grad_Stepper(7);
    c.setCard_hatch_style(QStringLiteral("Cross"));
    c.setCard_hatch_bk_clr(colour(seed, 5));
    c.setCard_alpha_Stepper(0.65f);
    c.setCard_Side(QStringLiteral("2"));
    c.setCard_Side_Name(seed == 0 ? QStringLiteral("F") : QStringLiteral("B"));
    c.setCard_Shape(QStringLiteral("RR"));
    c.setCard_Name(QStringLiteral("Staff card %1").arg(seed));
    c.setCard_Location(QPointF(12.5, -3));
    c.setCard_Size(QSizeF(243 + seed, 154.5));
    c.setCard_Preset(QStringLiteral("Vertical"));
    c.setCard_Category(QStringLiteral("Badge"));
    c.setCard_Sub_Category(QStringLiteral("CR79"));
    c.setCard_Cat_index(2 + seed);
    c.setCard_Create_Mode(QStringLiteral("T"));
    c.setCard_BG_Image_Path(QStringLiteral("/nowhere/background %1.png").arg(seed));
    c.setCard_BG_Image_Layout(QStringLiteral("Tile"));
    c.setCard_Content_clr(colour(seed, 6));
    c.setCard_Content_font(font("DejaVu Sans", 13.25));
    c.setWatermark_Used(true);
    c.setWatermark_Alignment(2);
    c.setWatermark_Transp(0.35f);
    c.setWatermark_Text(QStringLiteral("COPY %1").arg(seed));
    c.setWatermark_Color(colour(seed, 7));
    c.setWatermark_Font(font("DejaVu Serif", 30, true));
    return c;
}

DesignData fullDesign()
{
    DesignData d;
    d.modeLetter = QStringLiteral("L");
    d.front = storedCard(0);
    d.back = storedCard(1);
    d.Excel_Binding_Use = true;
    d.Excel_Source_Path = QStringLiteral("/home/someone/staff list.xlsx");
    d.columnTitles = {QStringLiteral("No"), QStringLiteral("Name"), QString(), QStringLiteral("Photo")};
    for (int r = 0; r < 3; ++r) {
        QVariantMap row;
        row.insert(QStringLiteral("Extension"), QString::number(r + 1));
        row.insert(QStringLiteral("Column1"), QStringLiteral("Person %1").arg(r));
        row.insert(QStringLiteral("Column2"), QString());
        row.insert(QStringLiteral("Column3"), QStringLiteral("/photos/%1.jpg").arg(r));
        d.tableRows.append(row);
    }
    for (int i = 0; i < 12; ++i)
        d.excelColumns[size_t(i)] = i % 3 == 0 ? -1 : i;
    int seed = 1;
    for (SKTGraphicKind kind : kAllKinds) {
        d.frontControls.push_back(storedControl(kind, seed++));
        d.backControls.push_back(storedControl(kind, seed++));
    }
    return d;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

DesignData largeDesign(int count)
{
    DesignData d;
    d.front = storedCard(0);
    d.back = storedCard(1);
    for (int i = 0; i < count; ++i) {
        d.frontControls.push_back(storedControl(kAllKinds[i % 6], i));
        d.backControls.push_back(storedControl(kAllKinds[(i + 3) % 6], i + 1));
    }
    return d;
}

#define EXPECT_FIELD(f) EXPECT_EQ(expected.f, actual.f) << #f
#define EXPECT_COLOUR(f) EXPECT_EQ(expected.f.rgba(), actual.f.rgba()) << #f
#define EXPECT_FONT(f)                                                     \
    do {                                                                   \
        EXPECT_EQ(expected.f.family(), actual.f.family()) << #f;           \
        EXPECT_DOUBLE_EQ(expected.f.pointSizeF(), actual.f.pointSizeF()) << #f; \
        EXPECT_EQ(expected.f.bold(), actual.f.bold()) << #f;               \
    } while (0)

void expectSameStoredFields(const SKTGraphic &expected, const SKTGraphic &actual)
{
    ASSERT_EQ(expected.kind(), actual.kind());
    EXPECT_FIELD(_bounds);
    EXPECT_FIELD(ctrl_is_locked);
    EXPECT_FIELD(_isDrawingFill);
    EXPECT_COLOUR(_fillColor);
    EXPECT_FIELD(_isDrawingStroke);
    EXPECT_COLOUR(_strokeColor);
    EXPECT_FIELD(_strokeWidth);
    EXPECT_FIELD(_stroke_border_type);
    EXPECT_FIELD(_fill_type);
    EXPECT_COLOUR(_fill_Grad_clr1);
    EXPECT_COLOUR(_fill_Grad_clr2);
    EXPECT_FIELD(_fill_grad_angle);
    EXPECT_COLOUR(_fill_htch_clr);
    EXPECT_FIELD(_fill_hatch_type);
    EXPECT_FIELD(alpha_val);
    EXPECT_FIELD(alpha_val_stroke);
    EXPECT_FIELD(print_object);
    EXPECT_FIELD(control_ID);
    EXPECT_FIELD(ctrl_is_visible);
    const SKTGraphicKind kind = expected.kind();
    if (kind == SKTGraphicKind::Text || kind == SKTGraphicKind::Image || kind == SKTGraphicKind::Barcode) {
        EXPECT_FIELD(data_source_type);
        EXPECT_FIELD(batch_list_name);
        EXPECT_FIELD(batch_list_index);
        EXPECT_FIELD(excel_binding);
        EXPECT_FIELD(excel_col_indx);
    }
    switch (kind) {
    case SKTGraphicKind::Line:
        EXPECT_FIELD(_line_ori);
        EXPECT_FIELD(_line_cap_style);
        EXPECT_EQ(static_cast<const SKTLine &>(expected)._pointsRight, static_cast<const SKTLine &>(actual)._pointsRight);
        EXPECT_EQ(static_cast<const SKTLine &>(expected)._pointsDown, static_cast<const SKTLine &>(actual)._pointsDown);
        break;
    case SKTGraphicKind::Shape:
        EXPECT_FIELD(_shape_type);
        EXPECT_FIELD(cor_rad_val);
        EXPECT_FIELD(double_star_type);
        EXPECT_FIELD(polygon_type);
        EXPECT_FIELD(text_rotation);
        break;
    case SKTGraphicKind::Signature:
        EXPECT_FIELD(sign_or_fingureprint);
        EXPECT_FIELD(_file_path);
        break;
    case SKTGraphicKind::Text:
        EXPECT_FONT(text_ctrl_font);
        EXPECT_COLOUR(txt_clr);
        EXPECT_FIELD(text_alignmnet_Vert);
        EXPECT_FIELD(text_alignmnet);
        EXPECT_FIELD(text_transfrom_case);
        EXPECT_FIELD(text_kerning);
        EXPECT_FIELD(Text_Value);
        EXPECT_FIELD(Drawing_Shadow);
        EXPECT_COLOUR(Shadow_Color);
        EXPECT_FIELD(Shadow_offset_X);
        EXPECT_FIELD(Shadow_offset_Y);
        EXPECT_FIELD(Shadow_blur);
        EXPECT_FIELD(Shadow_transparency);
        EXPECT_FIELD(text_rotation);
        break;
    case SKTGraphicKind::Image:
        EXPECT_FIELD(_isFlippedHorizontally);
        EXPECT_FIELD(_isFlippedVertically);
        EXPECT_FIELD(invert_clr);
        EXPECT_FIELD(gray_Scale);
        EXPECT_FIELD(Sepia);
        EXPECT_FIELD(img_trnsp_val);
        EXPECT_FIELD(hue_val);
        EXPECT_FIELD(sat_val);
        EXPECT_FIELD(brt_val);
        EXPECT_FIELD(con_val);
        EXPECT_FIELD(srp_val);
        EXPECT_FIELD(ev_val);
        EXPECT_FIELD(blr_val);
        EXPECT_FIELD(rotate_image);
        EXPECT_FIELD(_file_path);
        EXPECT_FIELD(Text_Value);
        EXPECT_FIELD(Drawing_Shadow);
        break;
    case SKTGraphicKind::Barcode:
        EXPECT_TRUE(archivetest::samePixels(expected._barcode_image, actual._barcode_image));
        EXPECT_EQ(expected._barcode_image.dotsPerMeterX(), actual._barcode_image.dotsPerMeterX());
        EXPECT_FIELD(linear_or_2d);
        EXPECT_FIELD(barcode_font_index);
        EXPECT_FIELD(linear_font_val);
        EXPECT_FIELD(two_d_font_val);
        EXPECT_FIELD(header_val);
        EXPECT_FIELD(footer_val);
        EXPECT_FIELD(show_hide_hdr);
        EXPECT_FIELD(show_hide_ftr);
        EXPECT_FIELD(show_hide_val);
        EXPECT_FIELD(show_val_on_top);
        EXPECT_FIELD(align_hdr_index);
        EXPECT_FIELD(align_ftr_index);
        EXPECT_FIELD(linear_height_val);
        EXPECT_FIELD(linear_width_val);
        EXPECT_FIELD(qr_size_val);
        EXPECT_FIELD(qr_version_index);
        EXPECT_FIELD(qr_ec_index);
        EXPECT_FIELD(pdf_hgt_val);
        EXPECT_FIELD(pdf_wdt_val);
        EXPECT_FIELD(pdf_ec_val);
        EXPECT_FIELD(dm_module_val);
        EXPECT_FIELD(dm_format_index);
        EXPECT_FIELD(dm_encoding_index);
        EXPECT_FIELD(hdr_margin_val);
        EXPECT_FIELD(ftr_margin_val);
        EXPECT_FIELD(val_margin_val);
        EXPECT_FIELD(TB_marging_val);
        EXPECT_FIELD(LR_margin_val);
        EXPECT_FONT(value_font_val);
        EXPECT_FONT(header_font_val);
        EXPECT_FONT(footer_font_val);
        EXPECT_COLOUR(barcode_hdr_clr_val);
        EXPECT_COLOUR(barcode_ftr_clr_val);
        EXPECT_COLOUR(barcode_val_clr_val);
        EXPECT_COLOUR(barcode_back_clr_val);
        EXPECT_COLOUR(barcode_clr_val);
        EXPECT_FIELD(dpi_val_index);
        EXPECT_FIELD(dpi_custom_val);
        EXPECT_FIELD(barcode_unit_val);
        break;
    case SKTGraphicKind::Graphic:
        break;
    }
}

#define EXPECT_CARD(f) EXPECT_EQ(expected.f(), actual.f()) << #f
#define EXPECT_CARD_COLOUR(f) EXPECT_EQ(expected.f().rgba(), actual.f().rgba()) << #f
#define EXPECT_CARD_FONT(f)                                                    \
    do {                                                                       \
        EXPECT_EQ(expected.f().family(), actual.f().family()) << #f;           \
        EXPECT_DOUBLE_EQ(expected.f().pointSizeF(), actual.f().pointSizeF()) << #f; \
        EXPECT_EQ(expected.f().bold(), actual.f().bold()) << #f;               \
    } while (0)

void expectSameCard(const Card_Property &expected, const Card_Property &actual)
{
    EXPECT_CARD(Card_border_chk);
    EXPECT_CARD_COLOUR(Card_bordr_clr);
    EXPECT_CARD(Card_bor_Stepper);
    EXPECT_CARD(Card_border_style);
    EXPECT_CARD(Card_fill_chk);
    EXPECT_CARD(Card_fill_style);
    EXPECT_CARD_COLOUR(Card_fill_clr);
    EXPECT_CARD_COLOUR(Card_fill_Grd_1_clr);
    EXPECT_CARD_COLOUR(Card_fill_Grd_2_clr);
    EXPECT_CARD(Card_grad_Stepper);
    EXPECT_CARD(Card_hatch_style);
    EXPECT_CARD_COLOUR(Card_hatch_bk_clr);
    EXPECT_CARD(Card_alpha_Stepper);
    EXPECT_CARD(Card_Side);
    EXPECT_CARD(Card_Side_Name);
    EXPECT_CARD(Card_Shape);
    EXPECT_CARD(Card_Name);
    EXPECT_CARD(Card_Location);
    EXPECT_CARD(Card_Size);
    EXPECT_CARD(Card_Preset);
    EXPECT_CARD(Card_Category);
    EXPECT_CARD(Card_Sub_Category);
    EXPECT_CARD(Card_Cat_index);
    EXPECT_CARD(Card_Create_Mode);
    EXPECT_CARD(Card_BG_Image_Path);
    EXPECT_CARD(Card_BG_Image_Layout);
    EXPECT_CARD_COLOUR(Card_Content_clr);
    EXPECT_CARD_FONT(Card_Content_font);
    EXPECT_CARD(Watermark_Used);
    EXPECT_CARD(Watermark_Alignment);
    EXPECT_CARD(Watermark_Transp);
    EXPECT_CARD(Watermark_Text);
    EXPECT_CARD_COLOUR(Watermark_Color);
    EXPECT_CARD_FONT(Watermark_Font);
}

}  // namespace designtest
