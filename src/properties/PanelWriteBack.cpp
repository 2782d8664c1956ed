// The control tabs' write-back: the panel's values into every selected, unlocked control of the
// tab's kind on the current side, then one redraw and one undo step. Steppers and sliders are
// read, never their number fields: those show what the user typed until it is taken.

#include "properties/PropertyPanel.h"
#include "platform/TypedNumber.h"
#include "canvas/WidgetUtilities.h"

#include "barcode/ControlBarcode.h"
#include "canvas/SKTGraphicView.h"
#include "core/Globals.h"
#include "core/PictureServices.h"
#include "core/SKTImage.h"
#include "core/SKTSignature.h"
#include "core/Utilities.h"
#include "properties/PropertyPanelHooks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

void writeBorder(SKTGraphic &g, const QCheckBox *on, const ColorWell *colour, const QDoubleSpinBox *width,
                 const QComboBox *style)
{
    g._isDrawingStroke = on->isChecked();
    if (g._isDrawingStroke) {
        g._strokeColor = colour->color();
        g._strokeWidth = std::trunc(width->value());
    }
    g._stroke_border_type = Return_Border_Style_Str_On_index(style->currentIndex());
}

// The whole degrees a rotation field shows; the slider's when the field holds no whole number.
int wholeDegrees(const QLineEdit *field, const PanelSlider *slider)
{
    const std::optional<double> v = platform::Typed_Whole_Number(field->text());
    return v ? int(std::clamp(*v, -3600.0, 3600.0)) : int(std::trunc(slider->valueF()));
}

bool liveMode() { return Start_Card_Option == QLatin1String("V") || Start_Card_Option == QLatin1String("G"); }

}  // namespace

// The common rule. `write` gets each control and the number of selected controls of any kind.
// Nothing selected: no redraw, no step. Something selected but none of the kind: the step is
// still recorded (the history drops a step that changed nothing).
template <class Write>
void PropertyPanel::writeBack(SKTGraphicKind kind, Write write)
{
    if (Not_Draw_Only_Prop_Change)
        return;
    SKTGraphicView *canvas = m_hooks.currentCanvas();
    if (!canvas)
        return;
    const SKTGraphicArray selected = canvas->selectedGraphics();
    if (selected.empty())
        return;
    for (const SKTGraphicPtr &g : selected) {
        if (g->kind() != kind || g->ctrl_is_locked)
            continue;
        write(*g, selected.size());
        canvas->startEditingGraphic(g.get());
    }
    m_hooks.Refresh_Canvas();
    // A slider under the mouse: the card follows every value it passes, and its release records
    // the whole drag as one step, which keeps the earlier steps in the history.
    if (std::any_of(m_sliders.begin(), m_sliders.end(), [](const PanelSlider *s) { return s->mouseHeld(); }))
        m_dragUnrecorded = true;
    else
        m_hooks.Insert_In_Undo_Redo();
}

void PropertyPanel::sliderLetGo()
{
    if (std::exchange(m_dragUnrecorded, false))
        m_hooks.Insert_In_Undo_Redo();
}

void PropertyPanel::Update_Line_Graphics()
{
    writeBack(SKTGraphicKind::Line, [this](SKTGraphic &g, size_t) {
        g._isDrawingStroke = true;
        g._strokeColor = Line_clr->color();
        g._strokeWidth = std::trunc(Line_Wdt_Stepper->value());
        g.print_object = print_object_chk->isChecked() ? 1 : 0;
        g._stroke_border_type = Return_Border_Style_Str_On_index(Line_border_style->currentIndex());
        g._line_cap_style = std::max(0, Line_cap_style->currentIndex());
        g._line_ori = std::max(0, Line_ori_style->currentIndex());
        g.alpha_val_stroke = float(Line_alpha_Stepper->value() / 100.0);
    });
}

void PropertyPanel::Update_Shape_Graphics()
{
    writeBack(SKTGraphicKind::Shape, [this](SKTGraphic &g, size_t) {
        writeBorder(g, Shape_border_chk, shape_bordr_clr, shape_bor_Stepper, shape_border_style);
        g._isDrawingFill = Shape_fill_chk->isChecked();
        if (g._isDrawingFill)
            g._fillColor = shape_fill_clr->color();
        g._fill_type = Shape_gradient_fill_rd->isChecked() ? QStringLiteral("G")
                       : Shape_Style_fill_rd->isChecked()  ? QStringLiteral("H")
                                                           : QStringLiteral("S");
        g._fill_Grad_clr1 = shape_fill_Grd_1_clr->color();
        g._fill_Grad_clr2 = shape_fill_Grd_2_clr->color();
        g._fill_grad_angle = shape_grad_Stepper->value();
        g._fill_htch_clr = shape_hatch_bk_clr->color();
        g._fill_hatch_type = Chosen_Hatch_Name(shape_hatch_style);
        g.alpha_val = float(shape_alpha_Stepper->value() / 100.0);
        g.cor_rad_val = float(shape_cor_radius_Stepper->value());
        g.double_star_type = int(double_star_Stepper->value());
        g.polygon_type = int(polygon_Stepper->value());
        g.text_rotation = wholeDegrees(shape_rotation_slidr_val, shape_rotation_slidr);
        g.print_object = print_object_chk->isChecked() ? 1 : 0;
    });
}

void PropertyPanel::Update_Text_Graphics()
{
    writeBack(SKTGraphicKind::Text, [this](SKTGraphic &g, size_t selected) {
        g.print_object = print_object_chk->isChecked() ? 1 : 0;
        writeBorder(g, Text_border_chk, Text_bordr_clr, Text_bor_Stepper, Text_border_style);
        g._isDrawingFill = Text_fill_chk->isChecked();
        if (g._isDrawingFill)
            g._fillColor = Text_fill_clr->color();
        g._fill_type = Text_gradient_fill_rd->isChecked() ? QStringLiteral("G") : QStringLiteral("S");
        g._fill_Grad_clr1 = Text_fill_Grd_1_clr->color();
        g._fill_Grad_clr2 = Text_fill_Grd_2_clr->color();
        g._fill_grad_angle = Text_grad_Stepper->value();
        g.txt_clr = Text_clr->color();
        g.text_ctrl_font = Text_font;
        // With several controls selected the editor shows only the first one's text.
        if (selected == 1 && g.data_source_type == 0)
            g.Set_text_value(Text_value_Edit->toPlainText());
        g.alpha_val = float(Text_alpha_Stepper->value() / 100.0);
        g.text_alignmnet_Vert = Text_vert_align_combo->currentIndex();
        g.text_alignmnet = Text_align_combo->currentIndex();
        g.text_transfrom_case = Text_case_combo->currentIndex();
        g.text_kerning = float(Text_Kern_Stepper->value());
        g.Drawing_Shadow = draw_shadow_chkbox->isChecked();
        g.text_rotation = wholeDegrees(txt_rotation_slidr_val, txt_rotation_slidr);
        g.Shadow_Color = Shadow_clr->color();
        g.Shadow_offset_X = float(shadow_x_Stepper->value());
        g.Shadow_offset_Y = float(shadow_y_Stepper->value());
        g.Shadow_blur = float(shadow_blur_Stepper->value());
        g.Shadow_transparency = float(shadow_transp_Stepper->value() / 100.0);
    });
}

void PropertyPanel::Update_Image_Graphics(bool rebuild)
{
    const QString path = Manual_image_path->text();
    writeBack(SKTGraphicKind::Image, [&](SKTGraphic &g, size_t selected) {
        const ImageAdjustments before = Control_Image_Adjustments(g);
        g.print_object = print_object_chk->isChecked() ? 1 : 0;
        writeBorder(g, Image_border_chk, Image_bordr_clr, Image_bor_Stepper, Image_border_style);
        g._isFlippedHorizontally = Image_FIH_chk->isChecked();
        g._isFlippedVertically = Image_FIV_chk->isChecked();
        g.Drawing_Shadow = true;
        g.invert_clr = Image_Invert_chk->isChecked();
        g.gray_Scale = Image_Gray_Scale_chk->isChecked();
        g.Sepia = Image_Sepia_chk->isChecked();
        g.img_trnsp_val = float(Trsp_slidr->valueF());
        g.rotate_image = float(Rotate_slidr->valueF());
        g.hue_val = float(Hue_slidr->valueF());
        g.sat_val = float(Sat_slidr->valueF());
        g.brt_val = float(Brt_slidr->valueF());
        g.con_val = float(Con_slidr->valueF());
        g.srp_val = float(shrp_slidr->valueF());
        g.ev_val = float(ev_slidr->valueF());
        g.blr_val = float(blr_slidr->valueF());
        // The path field shows one control's picture; live modes set pictures from their panels.
        // The placeholder shows as an empty field; an unchanged field leaves it in place.
        if (!liveMode() && selected == 1 && path != Shown_Picture_Path(g._file_path))
            g._file_path = path;
        // The picture is made again only when what it is made from changed (the opacity is
        // applied when drawn): a filter run for nothing on every write-back is slow.
        ImageAdjustments after = Control_Image_Adjustments(g);
        after.tranprency = before.tranprency;
        if (rebuild && (after != before || (g._contents_with_settings.isNull() && !g._contents.isNull())))
            static_cast<SKTImage &>(g).setFileNSImage_Variable(pictureServices().Get_Image_With_Update_Settings(g));
        invalid_source_label->setVisible(Image_Source_Invalid(g));
    });
}

void PropertyPanel::Update_Sign_Graphics()
{
    const QString path = Sign_image_path->text();
    const bool chosen = std::exchange(m_signChosen, false);
    writeBack(SKTGraphicKind::Signature, [&](SKTGraphic &g, size_t selected) {
        g.print_object = print_object_chk->isChecked() ? 1 : 0;
        writeBorder(g, Sign_border_chk, Sign_bordr_clr, Sign_bor_Stepper, Sign_border_style);
        // The path field shows the first signature's picture: a border change of several
        // signatures must not give them all that one picture.
        if (chosen || selected == 1)
            static_cast<SKTSignature &>(g).setFilePath(path);
    });
}

void PropertyPanel::Update_Barcode_Graphics(const SKTGraphic &result)
{
    const barcode::BarcodeSetup setup = barcode::Setup_From_Control(result);
    const QString value = Trim_Str(result.linear_or_2d == 1 ? result.two_d_font_val : result.linear_font_val);
    writeBack(SKTGraphicKind::Barcode, [&](SKTGraphic &g, size_t) {
        g.print_object = print_object_chk->isChecked() ? 1 : 0;
        const int unit = g.barcode_unit_val;  // the control's own; the window never sets it
        barcode::Setup_To_Control(setup, g);
        g.barcode_unit_val = unit;
        g._fillColor = result._fillColor;
        g.data_source_type = result.data_source_type;
        g.batch_list_name = result.batch_list_name;
        g.batch_list_index = result.batch_list_index;
        g.excel_binding = result.excel_binding;
        g.excel_col_indx = result.excel_col_indx;
        // The picture comes from the control's own fields, as every other road makes it.
        barcode::ControlBarcodeProvider().Build_Barcode_Image(g, value);
        g.Set_Barcode_image_control_bounds(g.bounds());
    });
}
