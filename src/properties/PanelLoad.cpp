// Loading the panel from a control: every field, in the order the loading runs. Nothing here
// writes to the control; the caller holds the fill guard, so the panel's change handlers that
// fire while fields are set store nothing back.

#include "properties/PropertyPanel.h"
#include "core/PictureServices.h"
#include "properties/PanelPlan.h"
#include "canvas/WidgetUtilities.h"

#include "canvas/LiveModePanel.h"
#include "core/Globals.h"
#include "properties/PropertyPanelHooks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <cmath>
#include <tuple>

namespace {

QString number(double v) { return QString::number(v, 'g', 7); }

// A stepper and its field, the value as it is.
void setPair(QDoubleSpinBox *stepper, QLineEdit *text, double v)
{
    stepper->setValue(v);
    text->setText(number(v));
}

// A stepper and its field, truncated toward zero.
void setInteger(QDoubleSpinBox *stepper, QLineEdit *text, double v)
{
    const double whole = std::isfinite(v) ? std::trunc(v) : 0;
    stepper->setValue(whole);
    text->setText(QString::number(qint64(whole)));
}

// A stored fraction as a percentage; the field shows the stepper's whole number.
void setPercent(QDoubleSpinBox *stepper, QLineEdit *text, double fraction)
{
    stepper->setValue(Percent_Of(fraction));
    text->setText(QString::number(int(stepper->value())));
}

// A slider and its field, the value as it is: held exactly, whatever the slider's steps.
void setSlider(PanelSlider *slider, QLineEdit *text, double v)
{
    slider->holdValueF(v);
    text->setText(number(v));
}

void setStyle(QComboBox *combo, const QString &code)
{
    const int index = Border_Style_Index(code);
    if (index >= 0)
        combo->setCurrentIndex(index);
}

void setIndex(QComboBox *combo, int index)
{
    if (index >= 0 && index < combo->count())
        combo->setCurrentIndex(index);
}

void setEnabledAll(std::initializer_list<QWidget *> widgets, bool on)
{
    for (QWidget *w : widgets)
        w->setEnabled(on);
}

}  // namespace

void PropertyPanel::Set_Control_Pos_And_Size(SKTGraphic *control)
{
    if (!control)
        return;
    // Showing the frame must not read as an edit of it.
    const QSignalBlocker bx(frame_main_pic_X_pos), by(frame_main_pic_Y_pos), bw(frame_main_pic_width),
        bh(frame_main_pic_height);
    const FrameFields f = Frame_Fields_For(*control, m_hooks.Measument_Unit_Is());
    // The typing fields too: a barcode takes its size from its symbol, and a field that took a
    // typed width only to snap back would say nothing of why.
    setEnabledAll({frame_main_pic_width, frame_main_pic_height, frame_main_pic_width_val, frame_main_pic_height_val},
                  f.sizeEditable);
    setPair(frame_main_pic_X_pos, frame_main_pic_X_pos_val, f.x);
    setPair(frame_main_pic_Y_pos, frame_main_pic_Y_pos_val, f.y);
    const int unit = m_hooks.Measument_Unit_Is();
    for (auto [stepper, text, value] : {std::tuple{frame_main_pic_width, frame_main_pic_width_val, f.width},
                                        std::tuple{frame_main_pic_height, frame_main_pic_height_val, f.height}}) {
        stepper->setValue(value);
        text->setText(Size_Field_Text(value, unit));
    }
}

void PropertyPanel::Load_Data_Source(const SKTGraphic &control, bool signature)
{
    setIndex(Data_source_type, control.data_source_type);
    // The list's handler runs only when the choice changes: a control with the choice of the
    // one shown before still needs its own enabling.
    Data_Source_Enabling(Data_source_type->currentText() == QLatin1String("Manual") || Data_source_type->currentIndex() < 0);
    if (signature) {
        if (!control.batch_list_name.isEmpty())
            Batch_Series->setCurrentIndex(Batch_Series->findText(control.batch_list_name));
        return;
    }
    if (control.data_source_type == 1)
        Batch_Series->setCurrentIndex(control.batch_list_name.isEmpty() ? -1 : Batch_Series->findText(control.batch_list_name));
    else if (control.data_source_type == 2 && control.excel_col_indx != -1)
        setIndex(Batch_Series, control.excel_col_indx);
}

void PropertyPanel::Load_Text_Panel(SKTGraphic &c)
{
    Set_Control_Pos_And_Size(&c);
    Text_value_Edit->setPlainText(c.Text_contents().string);
    Load_Data_Source(c, false);
    Text_border_chk->setChecked(c._isDrawingStroke);
    Text_fill_chk->setChecked(c._isDrawingFill);
    setInteger(Text_bor_Stepper, Text_bor_Text, c._strokeWidth);
    Text_bordr_clr->setColor(c._strokeColor);
    setStyle(Text_border_style, c._stroke_border_type);
    Text_fill_clr->setColor(c._fillColor);
    const bool gradient = c._fill_type == QLatin1String("G");
    Text_gradient_fill_rd->setChecked(gradient);
    Text_solid_fill_rd->setChecked(!gradient);
    Show_Hide_Text_Transp_Ctrl(gradient);
    Text_fill_Grd_1_clr->setColor(c._fill_Grad_clr1);
    Text_fill_Grd_2_clr->setColor(c._fill_Grad_clr2);
    setPair(Text_grad_Stepper, Text_grad_Text, c._fill_grad_angle);
    setPercent(Text_alpha_Stepper, Text_alpha_Text, c.alpha_val);
    Text_Fill_Box->setEnabled(c._isDrawingFill);
    if (c._isDrawingFill) {
        Text_fill_clr->setEnabled(!gradient);
        setEnabledAll({Text_fill_Grd_1_clr, Text_fill_Grd_2_clr, Text_grad_Text, Text_grad_Stepper}, gradient);
    }
    Text_Border_Box->setEnabled(c._isDrawingStroke);
    Text_clr->setColor(c.txt_clr);
    Text_font = c.text_ctrl_font;
    txt_rotation_slidr->setValueF(c.text_rotation);
    txt_rotation_slidr_val->setText(QString::number(c.text_rotation));
    Text_Orientation_Combo->setCurrentIndex(Text_Orientation_Combo->findText(QString::number(c.text_rotation)));
    setIndex(Text_vert_align_combo, c.text_alignmnet_Vert);
    setIndex(Text_align_combo, c.text_alignmnet);
    setIndex(Text_case_combo, c.text_transfrom_case);
    setPair(Text_Kern_Stepper, Text_Kern_Text, c.text_kerning);
    Text_font_value->setText(Font_Field_Text(Text_font));
    draw_shadow_chkbox->setChecked(c.Drawing_Shadow);
    shadow_box->setEnabled(c.Drawing_Shadow);
    Shadow_clr->setColor(c.Shadow_Color);
    setPair(shadow_x_Stepper, shadow_x_Text, c.Shadow_offset_X);
    setPair(shadow_y_Stepper, shadow_y_Text, c.Shadow_offset_Y);
    setPair(shadow_blur_Stepper, shadow_blur_Text, c.Shadow_blur);
    setPercent(shadow_transp_Stepper, shadow_transp_Text, c.Shadow_transparency);
}

void PropertyPanel::Show_Picture_Path(const QString &path) { Manual_image_path->setText(Shown_Picture_Path(path)); }

void PropertyPanel::Load_Image_Panel(SKTGraphic &c)
{
    invalid_source_label->hide();
    Show_Picture_Path(c._file_path);
    if (Start_Card_Option == QLatin1String("V") || Start_Card_Option == QLatin1String("G"))
        liveModePanel().Set_User_Image_Control(Card_Front_Or_Back == 0 ? 0 : 1, c._file_path, c._contents, c.control_ID);
    Load_Data_Source(c, false);
    Set_Control_Pos_And_Size(&c);
    Image_border_chk->setChecked(c._isDrawingStroke);
    setInteger(Image_bor_Stepper, Image_bor_Text, c._strokeWidth);
    Image_bordr_clr->setColor(c._strokeColor);
    setStyle(Image_border_style, c._stroke_border_type);
    Image_Border_Box->setEnabled(c._isDrawingStroke);
    draw_image_filter_chkbox->setChecked(true);
    Image_Edit_Prop_Box->setEnabled(true);
    setSlider(Rotate_slidr, Rotate_slidr_val, c.rotate_image);
    Image_rotate_Stepper->setValue(c.rotate_image);
    const std::pair<PanelSlider *, QLineEdit *> sliders[] = {{Trsp_slidr, Trsp_slidr_val}, {Hue_slidr, Hue_slidr_val},
                                                             {Sat_slidr, Sat_slidr_val},   {Brt_slidr, Brt_slidr_val},
                                                             {Con_slidr, Con_slidr_val},   {shrp_slidr, shrp_slidr_val},
                                                             {ev_slidr, ev_slidr_val},     {blr_slidr, blr_slidr_val}};
    const float values[] = {c.img_trnsp_val, c.hue_val, c.sat_val, c.brt_val, c.con_val, c.srp_val, c.ev_val, c.blr_val};
    for (int i = 0; i < 8; ++i)
        setSlider(sliders[i].first, sliders[i].second, values[i]);
    Image_Gray_Scale_chk->setChecked(c.gray_Scale);
    Image_Sepia_chk->setChecked(c.Sepia);
    Image_Invert_chk->setChecked(c.invert_clr);
    Image_FIV_chk->setChecked(c._isFlippedVertically);
    Image_FIH_chk->setChecked(c._isFlippedHorizontally);
    Show_Picture_Path(c._file_path);
    invalid_source_label->setVisible(Image_Source_Invalid(c));
}

void PropertyPanel::Load_Line_Panel(SKTGraphic &c)
{
    Set_Control_Pos_And_Size(&c);
    setInteger(Line_Wdt_Stepper, Line_Wdt_Text, c._strokeWidth);
    Line_clr->setColor(c._strokeColor);
    setStyle(Line_border_style, c._stroke_border_type);
    setIndex(Line_ori_style, c._line_ori);
    setIndex(Line_cap_style, c._line_cap_style);
    setPercent(Line_alpha_Stepper, Line_alpha_Text, c.alpha_val_stroke);
}

void PropertyPanel::Load_Sign_Panel(SKTGraphic &c)
{
    Set_Control_Pos_And_Size(&c);
    Sign_image_path->setText(c._file_path);
    Load_Data_Source(c, true);
    Sign_border_chk->setChecked(c._isDrawingStroke);
    setInteger(Sign_bor_Stepper, Sign_bor_Text, c._strokeWidth);
    Sign_bordr_clr->setColor(c._strokeColor);
    setStyle(Sign_border_style, c._stroke_border_type);
    Sign_Border_Box->setEnabled(c._isDrawingStroke);
}

void PropertyPanel::Load_Shape_Panel(SKTGraphic &c)
{
    Set_Control_Pos_And_Size(&c);
    setSlider(shape_rotation_slidr, shape_rotation_slidr_val, c.text_rotation);
    Shape_Rotate_Stepper->setValue(c.text_rotation);
    Shape_border_chk->setChecked(c._isDrawingStroke);
    setInteger(shape_bor_Stepper, shape_bor_Text, c._strokeWidth);
    shape_bordr_clr->setColor(c._strokeColor);
    setStyle(shape_border_style, c._stroke_border_type);
    Shape_fill_chk->setChecked(c._isDrawingFill);
    shape_fill_clr->setColor(c._fillColor);
    const QString type = c._fill_type == QLatin1String("G") || c._fill_type == QLatin1String("H") ? c._fill_type
                                                                                                   : QStringLiteral("S");
    Shape_gradient_fill_rd->setChecked(type == QLatin1String("G"));
    Shape_Style_fill_rd->setChecked(type == QLatin1String("H"));
    Shape_solid_fill_rd->setChecked(type == QLatin1String("S"));
    Show_Hide_Shape_Transp_Ctrl(type == QLatin1String("G"));
    shape_fill_Grd_1_clr->setColor(c._fill_Grad_clr1);
    shape_fill_Grd_2_clr->setColor(c._fill_Grad_clr2);
    shape_hatch_bk_clr->setColor(c._fill_htch_clr);
    Choose_Hatch_Name(shape_hatch_style, c._fill_hatch_type);
    setPair(shape_grad_Stepper, shape_grad_Text, c._fill_grad_angle);
    setPercent(shape_alpha_Stepper, shape_alpha_Text, c.alpha_val);
    setPair(shape_cor_radius_Stepper, shape_cor_radius_Text, c.cor_rad_val);
    setPair(double_star_Stepper, double_star_Text, c.double_star_type);
    setPair(polygon_Stepper, polygon_Text, c.polygon_type);
    Show_Polygon_Kind();

    Shape_Border_Box->setEnabled(c._isDrawingStroke);
    Shape_Fill_Box->setEnabled(c._isDrawingFill);
    shape_fill_clr->setEnabled(type == QLatin1String("S"));
    setEnabledAll({shape_fill_Grd_1_clr, shape_fill_Grd_2_clr, shape_grad_Text, shape_grad_Stepper},
                  type == QLatin1String("G"));
    setEnabledAll({shape_hatch_style, shape_hatch_bk_clr}, type == QLatin1String("H"));
}

void PropertyPanel::Reset_Image_Editing_Controls()
{
    PanelFillGuard filling;
    setSlider(Rotate_slidr, Rotate_slidr_val, 0);
    Image_rotate_Stepper->setValue(0);
    const std::pair<PanelSlider *, QLineEdit *> sliders[] = {{Trsp_slidr, Trsp_slidr_val}, {Hue_slidr, Hue_slidr_val},
                                                             {Sat_slidr, Sat_slidr_val},   {Brt_slidr, Brt_slidr_val},
                                                             {Con_slidr, Con_slidr_val},   {shrp_slidr, shrp_slidr_val},
                                                             {ev_slidr, ev_slidr_val},     {blr_slidr, blr_slidr_val}};
    const double neutral[] = {100, 0, 1, 0, 1, 0, 0, 0};
    for (int i = 0; i < 8; ++i)
        setSlider(sliders[i].first, sliders[i].second, neutral[i]);
    for (QCheckBox *b : {Image_Gray_Scale_chk, Image_Sepia_chk, Image_Invert_chk, Image_FIV_chk, Image_FIH_chk})
        b->setChecked(false);
    draw_image_filter_chkbox->setChecked(true);
    Image_border_chk->setChecked(false);
    Image_Border_Box->setEnabled(false);
    setPair(Image_bor_Stepper, Image_bor_Text, 1);
    Image_border_style->setCurrentIndex(0);
    Image_bordr_clr->setColor(Qt::black);
}
