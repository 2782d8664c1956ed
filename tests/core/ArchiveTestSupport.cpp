#include "ArchiveTestSupport.h"

#include "TestSupport.h"

#include "core/Globals.h"
#include "core/SKTLine.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace archivetest {

std::unique_ptr<SKTGraphic> richControl(SKTGraphicKind kind)
{
    std::unique_ptr<SKTGraphic> g = Make_Graphic_Of_Class(SKTGraphic::classNameForKind(kind));
    // common keys
    g->_bounds = QRectF(12.5, 20.25, 80, 40.5);
    g->ctrl_is_locked = true;
    g->_isDrawingFill = !g->_isDrawingFill;
    g->_fillColor = QColor(200, 30, 40, 128);
    g->_isDrawingStroke = !g->_isDrawingStroke;
    g->_strokeColor = QColor(10, 20, 30, 255);
    g->_strokeWidth = 2.5;
    g->_stroke_border_type = QStringLiteral("DA");
    g->_fill_type = QStringLiteral("G");
    g->_fill_Grad_clr1 = QColor(1, 2, 3);
    g->_fill_Grad_clr2 = QColor(4, 5, 6, 7);
    g->_fill_grad_angle = 45.5;
    g->_fill_htch_clr = QColor(7, 8, 9);
    g->_fill_hatch_type = QStringLiteral("Cross Hatch");
    g->alpha_val = 0.5f;
    g->alpha_val_stroke = 0.25f;
    g->print_object = 1;
    g->control_ID = QStringLiteral("Fup_Name");
    g->ctrl_is_visible = false;
    // binding keys
    g->data_source_type = 2;
    g->batch_list_name = QStringLiteral("Series A");
    g->batch_list_index = 3;
    g->excel_binding = true;
    g->excel_col_indx = -1;
    // line
    g->_line_ori = 2;
    g->_line_cap_style = 1;
    if (auto *line = dynamic_cast<SKTLine *>(g.get())) {
        line->_pointsRight = true;
        line->_pointsDown = true;
    }
    // text
    g->text_ctrl_font = QFont(QStringLiteral("Serif"), 21, QFont::Bold, true);
    g->txt_clr = QColor(90, 80, 70, 60);
    g->_Text_contents = SKTTextStorage{QStringLiteral("Grüße, 名前"), QFont(QStringLiteral("Sans"), 9), Qt::darkRed};
    g->text_alignmnet_Vert = 1;
    g->text_alignmnet = 3;
    g->text_transfrom_case = 2;
    g->text_kerning = 1.75f;
    g->Text_Value = QStringLiteral("Value \"text\" <&>");
    g->Drawing_Shadow = !g->Drawing_Shadow;
    g->Shadow_Color = QColor(0, 128, 255, 200);
    g->Shadow_offset_X = -3.5f;
    g->Shadow_offset_Y = 4.25f;
    g->Shadow_blur = 2;
    g->Shadow_transparency = 0.75f;
    g->text_rotation = 270;
    // shape
    g->_shape_type = QStringLiteral("DS");
    g->cor_rad_val = 6.5f;
    g->double_star_type = 4;
    g->polygon_type = 5;
    // image
    g->_isFlippedHorizontally = true;
    g->_isFlippedVertically = true;
    g->invert_clr = true;
    g->gray_Scale = true;
    g->Sepia = true;
    g->img_trnsp_val = 70;
    g->hue_val = 0.125f;
    g->sat_val = 1.5f;
    g->brt_val = -0.25f;
    g->con_val = 1.25f;
    g->srp_val = 0.5f;
    g->ev_val = -1;
    g->blr_val = 3;
    g->rotate_image = 90;
    g->_file_path = QStringLiteral("/nowhere/photo.png");
    g->_contents = patternImage(30, 20);
    g->_contents_with_settings = patternImage(15, 10);
    // signature
    g->sign_or_fingureprint = QStringLiteral("F");
    // barcode
    QImage barcode = patternImage(120, 48);
    barcode.setDotsPerMeterX(11811);  // 300 dpi
    barcode.setDotsPerMeterY(11811);
    g->_barcode_image = barcode;
    g->linear_or_2d = 1;
    g->barcode_font_index = 7;
    g->linear_font_val = QStringLiteral("4006381333931");
    g->two_d_font_val = QStringLiteral("https://example.org/?a=1&b=2");
    g->header_val = QStringLiteral("Head");
    g->footer_val = QStringLiteral("Foot");
    g->show_hide_hdr = 1;
    g->show_hide_ftr = 1;
    g->show_hide_val = 1;
    g->show_val_on_top = 1;
    g->align_hdr_index = 2;
    g->align_ftr_index = 0;
    g->linear_height_val = 12.5f;
    g->linear_width_val = 13;
    g->qr_size_val = 144;
    g->qr_version_index = 9;
    g->qr_ec_index = 3;
    g->pdf_hgt_val = 33;
    g->pdf_wdt_val = 240;
    g->pdf_ec_val = 5;
    g->dm_module_val = 4;
    g->dm_format_index = 6;
    g->dm_encoding_index = 2;
    g->hdr_margin_val = 2.5f;
    g->ftr_margin_val = 3.5f;
    g->val_margin_val = 4.5f;
    g->TB_marging_val = 5.5f;
    g->LR_margin_val = 6.5f;
    g->value_font_val = QFont(QStringLiteral("Monospace"), 11);
    g->header_font_val = QFont(QStringLiteral("Serif"), 13, QFont::Light);
    g->footer_font_val = QFont(QStringLiteral("Sans"), 15, -1, true);
    g->barcode_hdr_clr_val = QColor(11, 12, 13);
    g->barcode_ftr_clr_val = QColor(21, 22, 23);
    g->barcode_val_clr_val = QColor(31, 32, 33);
    g->barcode_back_clr_val = QColor(241, 242, 243, 100);
    g->barcode_clr_val = QColor(51, 52, 53);
    g->dpi_val_index = 3;
    g->dpi_custom_val = QStringLiteral("450");
    g->barcode_unit_val = 2;
    return g;
}

QImage patternImage(int width, int height, QImage::Format format)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgba((x * 37) % 256, (y * 53) % 256, (x * y) % 256, 255 - (x + y) % 200));
    }
    return image.convertToFormat(format);
}

bool samePixels(const QImage &a, const QImage &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a.size() == b.size()
        && a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

#define SAME(field) EXPECT_EQ(expected.field, actual.field) << #field
#define SAME_IMAGE(field) EXPECT_TRUE(samePixels(expected.field, actual.field)) << #field

void expectArchivedFieldsEqual(const SKTGraphic &expected, const SKTGraphic &actual)
{
    ASSERT_EQ(expected.className(), actual.className());
    const SKTGraphicKind kind = expected.kind();
    SAME(_bounds);
    SAME(ctrl_is_locked);
    SAME(_isDrawingFill);
    SAME(_fillColor);
    SAME(_isDrawingStroke);
    SAME(_strokeColor);
    EXPECT_EQ(double(float(expected._strokeWidth)), actual._strokeWidth) << "_strokeWidth";
    SAME(_stroke_border_type);
    SAME(_fill_type);
    SAME(_fill_Grad_clr1);
    SAME(_fill_Grad_clr2);
    EXPECT_EQ(double(float(expected._fill_grad_angle)), actual._fill_grad_angle) << "_fill_grad_angle";
    SAME(_fill_htch_clr);
    SAME(_fill_hatch_type);
    SAME(alpha_val);
    SAME(alpha_val_stroke);
    SAME(print_object);
    SAME(control_ID);
    SAME(ctrl_is_visible);
    if (kind == SKTGraphicKind::Text || kind == SKTGraphicKind::Image || kind == SKTGraphicKind::Barcode) {
        SAME(data_source_type);
        SAME(batch_list_name);
        SAME(batch_list_index);
        SAME(excel_binding);
        SAME(excel_col_indx);
    }
    switch (kind) {
    case SKTGraphicKind::Line: {
        SAME(_line_ori);
        SAME(_line_cap_style);
        const auto &e = dynamic_cast<const SKTLine &>(expected);
        const auto &a = dynamic_cast<const SKTLine &>(actual);
        EXPECT_EQ(e._pointsRight, a._pointsRight);
        EXPECT_EQ(e._pointsDown, a._pointsDown);
        break;
    }
    case SKTGraphicKind::Text:
        SAME(text_ctrl_font);
        SAME(txt_clr);
        ASSERT_EQ(expected._Text_contents.has_value(), actual._Text_contents.has_value());
        if (expected._Text_contents) {
            EXPECT_EQ(expected._Text_contents->string, actual._Text_contents->string);
            EXPECT_EQ(expected._Text_contents->font, actual._Text_contents->font);
            EXPECT_EQ(expected._Text_contents->foregroundColor, actual._Text_contents->foregroundColor);
        }
        SAME(text_alignmnet_Vert);
        SAME(text_alignmnet);
        SAME(text_transfrom_case);
        SAME(text_kerning);
        SAME(Text_Value);
        SAME(Drawing_Shadow);
        SAME(Shadow_Color);
        SAME(Shadow_offset_X);
        SAME(Shadow_offset_Y);
        SAME(Shadow_blur);
        SAME(Shadow_transparency);
        SAME(text_rotation);
        break;
    case SKTGraphicKind::Shape:
        SAME(_shape_type);
        SAME(cor_rad_val);
        SAME(double_star_type);
        SAME(polygon_type);
        SAME(text_rotation);
        break;
    case SKTGraphicKind::Image:
        SAME(_isFlippedHorizontally);
        SAME(_isFlippedVertically);
        SAME(invert_clr);
        SAME(gray_Scale);
        SAME(Sepia);
        SAME(img_trnsp_val);
        SAME(hue_val);
        SAME(sat_val);
        SAME(brt_val);
        SAME(con_val);
        SAME(srp_val);
        SAME(ev_val);
        SAME(blr_val);
        SAME(rotate_image);
        SAME(_file_path);
        SAME(Text_Value);
        SAME(Drawing_Shadow);
        SAME_IMAGE(_contents);
        SAME_IMAGE(_contents_with_settings);
        break;
    case SKTGraphicKind::Barcode:
        SAME_IMAGE(_barcode_image);
        EXPECT_EQ(expected._barcode_image.dotsPerMeterX(), actual._barcode_image.dotsPerMeterX());
        SAME(linear_or_2d);
        SAME(barcode_font_index);
        SAME(linear_font_val);
        SAME(two_d_font_val);
        SAME(header_val);
        SAME(footer_val);
        SAME(show_hide_hdr);
        SAME(show_hide_ftr);
        SAME(show_hide_val);
        SAME(show_val_on_top);
        SAME(align_hdr_index);
        SAME(align_ftr_index);
        SAME(linear_height_val);
        SAME(linear_width_val);
        SAME(qr_size_val);
        SAME(qr_version_index);
        SAME(qr_ec_index);
        SAME(pdf_hgt_val);
        SAME(pdf_wdt_val);
        SAME(pdf_ec_val);
        SAME(dm_module_val);
        SAME(dm_format_index);
        SAME(dm_encoding_index);
        SAME(hdr_margin_val);
        SAME(ftr_margin_val);
        SAME(val_margin_val);
        SAME(TB_marging_val);
        SAME(LR_margin_val);
        SAME(value_font_val);
        SAME(header_font_val);
        SAME(footer_font_val);
        SAME(barcode_hdr_clr_val);
        SAME(barcode_ftr_clr_val);
        SAME(barcode_val_clr_val);
        SAME(barcode_back_clr_val);
        SAME(barcode_clr_val);
        SAME(dpi_val_index);
        SAME(dpi_custom_val);
        SAME(barcode_unit_val);
        break;
    case SKTGraphicKind::Signature:
        SAME(sign_or_fingureprint);
        SAME(_file_path);
        SAME_IMAGE(_contents);
        break;
    case SKTGraphicKind::Graphic:
        break;
    }
}

#undef SAME
#undef SAME_IMAGE

ScopedStartMode::ScopedStartMode(const QString &mode) : m_saved(Start_Card_Option) { Start_Card_Option = mode; }
ScopedStartMode::~ScopedStartMode() { Start_Card_Option = m_saved; }

QJsonValue pythonPlist(const QByteArray &bytes, const QString &expression)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.plist"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        ADD_FAILURE() << "cannot write " << path.toStdString();
        return {};
    }
    file.close();
    const QString script = QStringLiteral(
                               "import json, plistlib, sys\n"
                               "v = plistlib.load(open(sys.argv[1], 'rb'))\n"
                               "print(json.dumps(%1))\n")
                               .arg(expression);
    const testsupport::ToolResult r =
        testsupport::runTool(testsupport::systemPython(), {QStringLiteral("-c"), script, path});
    if (r.exitCode != 0) {
        ADD_FAILURE() << "python could not read the property list: " << r.err.toStdString();
        return {};
    }
    const QJsonDocument doc = QJsonDocument::fromJson("[" + r.out + "]");
    return doc.array().isEmpty() ? QJsonValue() : doc.array().at(0);
}

}  // namespace archivetest
