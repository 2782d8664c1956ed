// The control tabs' actions: what a change of a tab's widget does to the panel before the tab's
// write-back runs, the text editor's typing, and the picture commands of the image and
// signature tabs. Widgets the panel sets while it is being filled run no action.

#include "properties/PropertyPanel.h"

#include "canvas/LiveModePanel.h"
#include "canvas/SKTGraphicView.h"
#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "core/PictureServices.h"
#include "core/SKTImage.h"
#include "core/Shape_Control.h"
#include "core/Utilities.h"
#include "canvas/SmallDialogs.h"
#include "platform/UiServices.h"
#include "platform/TextLength.h"
#include "properties/PropertyPanelHooks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <cmath>

namespace {

using Action = void (PropertyPanel::*)();

const QString kNoPicture = QStringLiteral("The selected control does not contains any image with supported extension.");
constexpr int kMaxTextLength = 250;

void showWhole(const QDoubleSpinBox *stepper, QLineEdit *text)
{
    text->setText(QString::number(qint64(std::trunc(stepper->value()))));
}

void showFloat(const QDoubleSpinBox *stepper, QLineEdit *text)
{
    text->setText(QString::number(stepper->value(), 'g', 7));
}

void enableAll(std::initializer_list<QWidget *> widgets, bool on)
{
    for (QWidget *w : widgets)
        w->setEnabled(on);
}

void check(QRadioButton *on, std::initializer_list<QRadioButton *> off)
{
    const QSignalBlocker quiet(on);
    on->setChecked(true);
    for (QRadioButton *r : off) {
        const QSignalBlocker quietToo(r);
        r->setChecked(false);
    }
}

bool isFile(const QString &path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

bool liveMode() { return Start_Card_Option == QLatin1String("V") || Start_Card_Option == QLatin1String("G"); }

int currentSide() { return Card_Front_Or_Back == 0 ? 0 : 1; }

}  // namespace

void PropertyPanel::connectActions()
{
    auto user = [this](Action action) {
        return [this, action] {
            if (!Not_Draw_Only_Prop_Change)
                (this->*action)();
        };
    };
    // A number typed beside a stepper reaches the stepper, held to its range; text that is no
    // number puts the field back. The stepper's own action then writes the value back.
    struct Pair {
        PanelStepper *stepper;
        QLineEdit *text;
        Action action;
        bool whole;
    };
    const Pair pairs[] = {
        {shape_bor_Stepper, shape_bor_Text, &PropertyPanel::Shape_Border_Changed, true},
        {shape_grad_Stepper, shape_grad_Text, &PropertyPanel::Shape_Gradient_Changed, true},
        {shape_alpha_Stepper, shape_alpha_Text, &PropertyPanel::Shape_Alpha_Changed, true},
        {shape_cor_radius_Stepper, shape_cor_radius_Text, &PropertyPanel::Shape_Corner_Radius_Changed, false},
        {double_star_Stepper, double_star_Text, &PropertyPanel::Double_Star_Shape_Changed, true},
        {polygon_Stepper, polygon_Text, &PropertyPanel::Polygon_Shape_Changed, true},
        {Line_alpha_Stepper, Line_alpha_Text, &PropertyPanel::Line_Alpha_Changed, true},
        {Line_Wdt_Stepper, Line_Wdt_Text, &PropertyPanel::Line_Width_Changed, true},
        {Text_bor_Stepper, Text_bor_Text, &PropertyPanel::Text_Border_Changed, true},
        {Text_Kern_Stepper, Text_Kern_Text, &PropertyPanel::Text_Kerning_Changed, false},
        {Text_grad_Stepper, Text_grad_Text, &PropertyPanel::Text_Gradient_Changed, true},
        {Text_alpha_Stepper, Text_alpha_Text, &PropertyPanel::Text_Alpha_Changed, true},
        {shadow_x_Stepper, shadow_x_Text, &PropertyPanel::Shadow_X_Changed, false},
        {shadow_y_Stepper, shadow_y_Text, &PropertyPanel::Shadow_Y_Changed, false},
        {shadow_blur_Stepper, shadow_blur_Text, &PropertyPanel::Shadow_Blur_Changed, false},
        {shadow_transp_Stepper, shadow_transp_Text, &PropertyPanel::Shadow_Transp_Changed, false},
        {Image_bor_Stepper, Image_bor_Text, &PropertyPanel::Image_Border_Changed, true},
        {Sign_bor_Stepper, Sign_bor_Text, &PropertyPanel::Sign_Border_Changed, true},
    };
    for (const Pair &p : pairs) {
        connect(p.stepper, &QDoubleSpinBox::valueChanged, this, user(p.action));
        On_Typed_Leave(p.text, this, [p, changed = user(p.action)] {
            bool asShown = false;
            const std::optional<double> v =
                Typed_Field_Value(p.text, p.stepper->minimum(), p.stepper->maximum(), p.whole, &asShown);
            if (v)
                Set_Typed_Value(p.stepper, *v, changed);
            // A whole-number row may hold a control's fraction (33.33 from a file): refused, the
            // field goes back to showing it, not to a whole number no control holds.
            if (!p.whole || asShown)
                showFloat(p.stepper, p.text);
            else if (!v)
                p.text->setText(Shown_Field_Text(p.text));
            else
                showWhole(p.stepper, p.text);
        });
    }
    // Sliders and the value fields beside them, the same way. Left untyped, a field keeps showing
    // the control's own value, which the slider's steps may not hold (0.6667 is no whole step).
    struct Slide {
        PanelSlider *slider;
        QLineEdit *value;
        Action action;
    };
    const Slide slides[] = {
        {shape_rotation_slidr, shape_rotation_slidr_val, &PropertyPanel::Shape_Rotate_Slider_Changed},
        {txt_rotation_slidr, txt_rotation_slidr_val, &PropertyPanel::Txt_Rotate_Slider_Changed},
        {Rotate_slidr, Rotate_slidr_val, &PropertyPanel::Rotate_Slider_Changed},
        {Trsp_slidr, Trsp_slidr_val, &PropertyPanel::Transperncy_Slider_Changed},
        {Hue_slidr, Hue_slidr_val, &PropertyPanel::Image_Slider_Changed},
        {Sat_slidr, Sat_slidr_val, &PropertyPanel::Image_Slider_Changed},
        {Brt_slidr, Brt_slidr_val, &PropertyPanel::Image_Slider_Changed},
        {Con_slidr, Con_slidr_val, &PropertyPanel::Image_Slider_Changed},
        {shrp_slidr, shrp_slidr_val, &PropertyPanel::Image_Slider_Changed},
        {ev_slidr, ev_slidr_val, &PropertyPanel::Image_Slider_Changed},
        {blr_slidr, blr_slidr_val, &PropertyPanel::Image_Slider_Changed},
    };
    for (const Slide &s : slides) {
        connect(s.slider, &QSlider::valueChanged, this, user(s.action));
        m_sliders.append(s.slider);
        s.slider->onMouseRelease([this] { sliderLetGo(); });
        On_Typed_Leave(s.value, this, [s, changed = user(s.action)] {
            bool asShown = false;
            if (const std::optional<double> v = Typed_Field_Value(s.value, s.slider->minimumF(), s.slider->maximumF(),
                                                                  s.slider->whole(), &asShown))
                Set_Typed_Value(s.slider, *v, changed, asShown);
            else if (s.slider->whole()) {
                s.value->setText(Shown_Field_Text(s.value));
                return;
            }
            s.value->setText(QString::number(s.slider->valueF(), 'g', 7));
        });
    }
    connect(Shape_Rotate_Stepper, &QDoubleSpinBox::valueChanged, this, user(&PropertyPanel::Shape_Rotate_Stepper_Changed));
    connect(Image_rotate_Stepper, &QDoubleSpinBox::valueChanged, this, user(&PropertyPanel::Image_Rotate_Stepper_Changed));

    const std::pair<QAbstractButton *, Action> buttons[] = {
        {Shape_border_chk, &PropertyPanel::Shape_Border_ChkBox},
        {Shape_fill_chk, &PropertyPanel::Shape_Fill_Chk_Box},
        {Shape_solid_fill_rd, &PropertyPanel::Shape_Solid_RD_Sel},
        {Shape_gradient_fill_rd, &PropertyPanel::Shape_Gradient_RD_Sel},
        {Shape_Style_fill_rd, &PropertyPanel::Shape_Hatch_RD_Sel},
        {Text_border_chk, &PropertyPanel::Text_Border_ChkBox},
        {Text_fill_chk, &PropertyPanel::Text_Fill_Chk_Box},
        {Text_solid_fill_rd, &PropertyPanel::Text_Solid_RD_Sel},
        {Text_gradient_fill_rd, &PropertyPanel::Text_Gradient_RD_Sel},
        {text_font_btn, &PropertyPanel::Text_Font_Changed},
        {insert_date_btn, &PropertyPanel::Text_Insert_Date},
        {insert_time_btn, &PropertyPanel::Text_Insert_Time},
        {view_series_btn, &PropertyPanel::View_batch_Series_Button},
        {data_source_help_btn, &PropertyPanel::Data_Source_Help_Button},
        {draw_shadow_chkbox, &PropertyPanel::Draw_Shadow_ChkBox},
        {Image_border_chk, &PropertyPanel::Image_Border_ChkBox},
        {draw_image_filter_chkbox, &PropertyPanel::Apply_Image_Filter_Chked},
        {Image_Gray_Scale_chk, &PropertyPanel::Image_Filter_Chked},
        {Image_Sepia_chk, &PropertyPanel::Image_Filter_Chked},
        {Image_Invert_chk, &PropertyPanel::Image_Filter_Chked},
        {Image_FIV_chk, &PropertyPanel::Image_Filter_Chked},
        {Image_FIH_chk, &PropertyPanel::Image_Filter_Chked},
        {Image_reset_btn, &PropertyPanel::Image_reset_Button},
        {camera_btn, &PropertyPanel::Open_Camera_Clicked},
        {manual_browse_btn, &PropertyPanel::Manual_Image_Browse_Btn},
        {library_browse_btn, &PropertyPanel::Manual_Library_Browse_Btn},
        {crop_image_btn, &PropertyPanel::Cropping_Selected_Image_clicked},
        {sign_browse_btn, &PropertyPanel::Sign_Browse_Btn},
        {Sign_border_chk, &PropertyPanel::Sign_Border_ChkBox},
    };
    for (const auto &[button, action] : buttons)
        connect(button, &QAbstractButton::clicked, this, user(action));
    for (QAction *item : insert_template_btn->menu()->actions()) {
        const bool titles = item->objectName() == QLatin1String("Use_Template_Title");
        connect(item, &QAction::triggered, this, [this, titles] { Insert_Stock_Text(titles); });
    }

    const std::pair<ColorWell *, Action> wells[] = {
        {shape_bordr_clr, &PropertyPanel::Set_Control_Clr},      {shape_fill_clr, &PropertyPanel::Set_Control_Clr},
        {shape_fill_Grd_1_clr, &PropertyPanel::Set_Control_Clr}, {shape_fill_Grd_2_clr, &PropertyPanel::Set_Control_Clr},
        {shape_hatch_bk_clr, &PropertyPanel::Set_Control_Clr},   {Line_clr, &PropertyPanel::Set_LineControl_Clr},
        {Text_clr, &PropertyPanel::Set_TextControl_Clr},         {Text_bordr_clr, &PropertyPanel::Set_TextControl_Clr},
        {Text_fill_clr, &PropertyPanel::Set_TextControl_Clr},    {Text_fill_Grd_1_clr, &PropertyPanel::Set_TextControl_Clr},
        {Text_fill_Grd_2_clr, &PropertyPanel::Set_TextControl_Clr}, {Shadow_clr, &PropertyPanel::Set_Shadow_Clr},
        {Image_bordr_clr, &PropertyPanel::Set_ImageControl_Clr}, {Sign_bordr_clr, &PropertyPanel::Set_SignControl_Clr},
    };
    for (const auto &[well, action] : wells)
        connect(well, &ColorWell::colorPicked, this, user(action));
    connect(Text_value_Edit, &QPlainTextEdit::textChanged, this, user(&PropertyPanel::textDidChange));
}

// --- shape tab ---

void PropertyPanel::Shape_Border_ChkBox()
{
    Shape_Border_Box->setEnabled(Shape_border_chk->isChecked());
    Update_Shape_Graphics();
}

void PropertyPanel::shapeFillKindEnabling()
{
    const bool gradient = Shape_gradient_fill_rd->isChecked();
    const bool hatch = !gradient && Shape_Style_fill_rd->isChecked();
    shape_fill_clr->setEnabled(!gradient && !hatch);
    enableAll({shape_fill_Grd_1_clr, shape_fill_Grd_2_clr, shape_grad_Text, shape_grad_Stepper}, gradient);
    enableAll({shape_hatch_style, shape_hatch_bk_clr}, hatch);
}

void PropertyPanel::Shape_Fill_Chk_Box()
{
    Shape_Fill_Box->setEnabled(Shape_fill_chk->isChecked());
    if (Shape_fill_chk->isChecked())
        shapeFillKindEnabling();
    Update_Shape_Graphics();
}

void PropertyPanel::Shape_Solid_RD_Sel()
{
    check(Shape_solid_fill_rd, {Shape_gradient_fill_rd, Shape_Style_fill_rd});
    Show_Hide_Shape_Transp_Ctrl(false);
    shapeFillKindEnabling();
    Update_Shape_Graphics();
}

void PropertyPanel::Shape_Gradient_RD_Sel()
{
    check(Shape_gradient_fill_rd, {Shape_solid_fill_rd, Shape_Style_fill_rd});
    Show_Hide_Shape_Transp_Ctrl(true);
    shapeFillKindEnabling();
    Update_Shape_Graphics();
}

void PropertyPanel::Shape_Hatch_RD_Sel()
{
    check(Shape_Style_fill_rd, {Shape_solid_fill_rd, Shape_gradient_fill_rd});
    Show_Hide_Shape_Transp_Ctrl(false);
    shapeFillKindEnabling();
    Update_Shape_Graphics();
}

void PropertyPanel::Shape_Border_Changed() { showWhole(shape_bor_Stepper, shape_bor_Text); Update_Shape_Graphics(); }
void PropertyPanel::Shape_Gradient_Changed() { showWhole(shape_grad_Stepper, shape_grad_Text); Update_Shape_Graphics(); }
void PropertyPanel::Double_Star_Shape_Changed() { showWhole(double_star_Stepper, double_star_Text); Update_Shape_Graphics(); }
void PropertyPanel::Polygon_Shape_Changed()
{
    showWhole(polygon_Stepper, polygon_Text);
    Show_Polygon_Kind();
    Update_Shape_Graphics();
}

void PropertyPanel::Show_Polygon_Kind()
{
    // The number picks a kind; the caption says what that kind draws.
    polygon_Label->setText(tr("Polygon: %1").arg(Shape_Control::Polygon_Kind_Caption(int(polygon_Stepper->value()))));
}
void PropertyPanel::Set_Control_Clr() { Update_Shape_Graphics(); }

void PropertyPanel::Shape_Corner_Radius_Changed()
{
    showFloat(shape_cor_radius_Stepper, shape_cor_radius_Text);
    Update_Shape_Graphics();
}

void PropertyPanel::Shape_Alpha_Changed()
{
    showWhole(shape_alpha_Stepper, shape_alpha_Text);
    Update_Shape_Graphics();
    if (SKTGraphicView *canvas = m_hooks.currentCanvas())
        canvas->hideHandlesMomentarily();
}

void PropertyPanel::Shape_Rotate_Slider_Changed()
{
    const int degrees = int(std::trunc(shape_rotation_slidr->valueF()));
    shape_rotation_slidr_val->setText(QString::number(degrees));
    const QSignalBlocker quiet(Shape_Rotate_Stepper);
    Shape_Rotate_Stepper->setValue(degrees);
    Update_Shape_Graphics();
}

void PropertyPanel::Shape_Rotate_Stepper_Changed()
{
    {
        const QSignalBlocker quiet(shape_rotation_slidr);
        shape_rotation_slidr->setValueF(std::trunc(Shape_Rotate_Stepper->value()));
    }
    shape_rotation_slidr_val->setText(QString::number(int(std::trunc(shape_rotation_slidr->valueF()))));
    Update_Shape_Graphics();
}

// --- line tab ---

void PropertyPanel::Line_Alpha_Changed() { showWhole(Line_alpha_Stepper, Line_alpha_Text); Update_Line_Graphics(); }
void PropertyPanel::Line_Width_Changed() { showWhole(Line_Wdt_Stepper, Line_Wdt_Text); Update_Line_Graphics(); }
void PropertyPanel::Set_LineControl_Clr() { Update_Line_Graphics(); }

// --- text tabs ---

void PropertyPanel::Text_Border_ChkBox()
{
    Text_Border_Box->setEnabled(Text_border_chk->isChecked());
    Update_Text_Graphics();
}

void PropertyPanel::Text_Fill_Chk_Box()
{
    const bool on = Text_fill_chk->isChecked();
    Text_Fill_Box->setEnabled(on);
    if (on) {
        const bool gradient = Text_gradient_fill_rd->isChecked();
        Text_fill_clr->setEnabled(!gradient);
        enableAll({Text_fill_Grd_1_clr, Text_fill_Grd_2_clr, Text_grad_Text, Text_grad_Stepper}, gradient);
    }
    Update_Text_Graphics();
}

void PropertyPanel::Text_Solid_RD_Sel()
{
    check(Text_solid_fill_rd, {Text_gradient_fill_rd});
    Show_Hide_Text_Transp_Ctrl(false);
    Text_fill_clr->setEnabled(true);
    enableAll({Text_fill_Grd_1_clr, Text_fill_Grd_2_clr, Text_grad_Text, Text_grad_Stepper}, false);
    Update_Text_Graphics();
}

void PropertyPanel::Text_Gradient_RD_Sel()
{
    check(Text_gradient_fill_rd, {Text_solid_fill_rd});
    Show_Hide_Text_Transp_Ctrl(true);
    Text_fill_clr->setEnabled(false);
    enableAll({Text_fill_Grd_1_clr, Text_fill_Grd_2_clr, Text_grad_Text, Text_grad_Stepper}, true);
    Update_Text_Graphics();
}

void PropertyPanel::Text_Border_Changed() { showWhole(Text_bor_Stepper, Text_bor_Text); Update_Text_Graphics(); }
void PropertyPanel::Text_Kerning_Changed() { showFloat(Text_Kern_Stepper, Text_Kern_Text); Update_Text_Graphics(); }
void PropertyPanel::Text_Gradient_Changed() { showWhole(Text_grad_Stepper, Text_grad_Text); Update_Text_Graphics(); }
void PropertyPanel::Text_Alpha_Changed() { showWhole(Text_alpha_Stepper, Text_alpha_Text); Update_Text_Graphics(); }
void PropertyPanel::Set_TextControl_Clr() { Update_Text_Graphics(); }
void PropertyPanel::Set_Shadow_Clr() { Update_Text_Graphics(); }
void PropertyPanel::Shadow_X_Changed() { showFloat(shadow_x_Stepper, shadow_x_Text); Update_Text_Graphics(); }
void PropertyPanel::Shadow_Y_Changed() { showFloat(shadow_y_Stepper, shadow_y_Text); Update_Text_Graphics(); }
void PropertyPanel::Shadow_Blur_Changed() { showFloat(shadow_blur_Stepper, shadow_blur_Text); Update_Text_Graphics(); }

void PropertyPanel::Shadow_Transp_Changed()
{
    showFloat(shadow_transp_Stepper, shadow_transp_Text);
    Update_Text_Graphics();
}

void PropertyPanel::Draw_Shadow_ChkBox()
{
    shadow_box->setEnabled(draw_shadow_chkbox->isChecked());
    Update_Text_Graphics();
}

void PropertyPanel::Txt_Rotate_Slider_Changed()
{
    txt_rotation_slidr_val->setText(QString::number(int(std::trunc(txt_rotation_slidr->valueF()))));
    Update_Text_Graphics();
}

void PropertyPanel::Text_Font_Changed()
{
    // A modal font panel: a cancelled choice, or an OK with the font it opened on, changes
    // nothing and records no step (writing the panel back would rewrite the text's other values
    // as the panel holds them).
    const std::optional<QFont> chosen = platform::ui().chooseFont(tr("Font"), Text_font);
    if (!chosen || *chosen == Text_font)
        return;
    Text_font = *chosen;
    Text_font_value->setText(Font_Field_Text(Text_font));
    Update_Text_Graphics();
}

void PropertyPanel::insertIntoText(const QString &pattern, const QString &missing, bool date)
{
    const QString format = Trim_Str(pattern);
    if (format.isEmpty()) {
        Show_MessageBox(missing);
        return;
    }
    Text_value_Edit->insertPlainText(date ? Get_date_Value(format) : Get_time_Value(format));
    Update_Text_Graphics();
}

void PropertyPanel::Text_Insert_Date()
{
    insertIntoText(Text_Date_style->currentIndex() < 0 ? QString() : Text_Date_style->currentText(),
                   QStringLiteral("Please select Date format."), true);
}

void PropertyPanel::Text_Insert_Time()
{
    insertIntoText(Text_Time_style->currentIndex() < 0 ? QString() : Text_Time_style->currentText(),
                   QStringLiteral("Please select Time format."), false);
}

void PropertyPanel::Insert_Template_Button()
{
    Insert_Stock_Text(insert_template_btn->text() == QLatin1String("Use Template Title"));
}

void PropertyPanel::Insert_Stock_Text(bool titles)
{
    QString text;
    if (m_hooks.Open_Template_Dialog(titles ? QStringLiteral("T") : QStringLiteral("M"), text) != 1)
        return;
    {
        // The editor's own change is no edit of its own: the text lands once, as one step.
        const QSignalBlocker quiet(Text_value_Edit);
        Text_value_Edit->setPlainText(text);
    }
    textDidChange();
    Update_Text_Graphics();
}

void PropertyPanel::View_batch_Series_Button()
{
    const QString source = Data_source_type->currentText();
    if (source == QLatin1String("Series")) {
        const QString name = Trim_Str(Batch_Series->currentText());
        if (name.isEmpty() || name == QLatin1String("<--Select-->")) {
            Show_MessageBox(QStringLiteral("Please select the series."));
            return;
        }
        m_hooks.View_Data_Source(1, name);  // source type 1: a series
    } else if (source == QLatin1String("Excel")) {
        m_hooks.View_Data_Source(2, QString());  // source type 2: a column
    }
}

void PropertyPanel::Data_Source_Help_Button()
{
    Cutom_Msg_Title = QStringLiteral("Batch Processing Settings Help :");
    Cutom_Msg_Val = QStringLiteral("Select Data Source as 'Manual' to enter value manually.\nSelect 'Series' to fetch the "
                                   "value from the list of existing Batch Processing Series.\nSelect 'Excel' to fetch "
                                   "the value from the selected excel file.");
    Long_SMS_Dlg *box = Long_SMS_Dlg::defaultInstance();
    box->title_val.clear();
    box->Open_Long_sms_Dialog();
}

void PropertyPanel::textDidChange()
{
    QString text = Text_value_Edit->toPlainText();
    text.remove(QStringLiteral("Text here"));
    text = platform::First_Characters(text, kMaxTextLength);
    if (text != Text_value_Edit->toPlainText()) {
        const QSignalBlocker quiet(Text_value_Edit);
        Text_value_Edit->setPlainText(text);
        Text_value_Edit->moveCursor(QTextCursor::End);
    }
    SKTGraphicView *canvas = m_hooks.currentCanvas();
    const SKTGraphicArray selected = canvas ? canvas->selectedGraphics() : SKTGraphicArray();
    if (selected.empty())
        return;
    for (const SKTGraphicPtr &g : selected) {
        if (g->ctrl_is_locked || g->kind() != SKTGraphicKind::Text || g->data_source_type != 0)
            continue;
        // A profile field's value comes from its entry panel, not from the editor.
        if (liveMode() && !g->control_ID.isEmpty())
            continue;
        g->Set_text_value(text);
    }
    m_hooks.Refresh_Canvas();
}

// --- image tab ---

void PropertyPanel::Image_Border_ChkBox()
{
    Image_Border_Box->setEnabled(Image_border_chk->isChecked());
    Update_Image_Graphics(false);
}

void PropertyPanel::Image_Border_Changed() { showWhole(Image_bor_Stepper, Image_bor_Text); Update_Image_Graphics(false); }
void PropertyPanel::Set_ImageControl_Clr() { Update_Image_Graphics(false); }
void PropertyPanel::Image_Filter_Chked() { Update_Image_Graphics(true); }

void PropertyPanel::Apply_Image_Filter_Chked()
{
    Image_Edit_Prop_Box->setEnabled(true);
    Update_Image_Graphics(true);
}

void PropertyPanel::Image_Slider_Changed()
{
    for (const auto &[slider, value] : {std::pair{Hue_slidr, Hue_slidr_val}, {Sat_slidr, Sat_slidr_val},
                                        {Brt_slidr, Brt_slidr_val}, {Con_slidr, Con_slidr_val},
                                        {shrp_slidr, shrp_slidr_val}, {ev_slidr, ev_slidr_val}, {blr_slidr, blr_slidr_val}})
        value->setText(QString::number(slider->valueF(), 'g', 7));
    Update_Image_Graphics(true);
}

void PropertyPanel::Transperncy_Slider_Changed()
{
    // The transparency is applied when the picture is drawn: nothing to rebuild.
    Trsp_slidr_val->setText(QString::number(Trsp_slidr->valueF(), 'g', 7));
    Update_Image_Graphics(false);
}

void PropertyPanel::Rotate_Slider_Changed()
{
    Rotate_slidr_val->setText(QString::number(Rotate_slidr->valueF(), 'g', 7));
    const QSignalBlocker quiet(Image_rotate_Stepper);
    Image_rotate_Stepper->setValue(Rotate_slidr->valueF());
    Update_Image_Graphics(true);
}

void PropertyPanel::Image_Rotate_Stepper_Changed()
{
    {
        const QSignalBlocker quiet(Rotate_slidr);
        Rotate_slidr->setValueF(std::trunc(Image_rotate_Stepper->value()));
    }
    Rotate_slidr_val->setText(QString::number(int(std::trunc(Rotate_slidr->valueF()))));
    Update_Image_Graphics(true);
}

void PropertyPanel::Image_reset_Button()
{
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want to reset image settings?")) != 1)
        return;
    Reset_Image_Editing_Controls();
    SKTGraphicView *canvas = m_hooks.currentCanvas();
    const SKTGraphicArray selected = canvas ? canvas->selectedGraphics() : SKTGraphicArray();
    if (selected.empty())
        return;
    for (const SKTGraphicPtr &g : selected) {
        if (g->kind() != SKTGraphicKind::Image || g->ctrl_is_locked)
            continue;
        // The picture the data source gave, else the control's own.
        const QString path = isFile(g->Text_Value) ? g->Text_Value : g->_file_path;
        Show_Picture_Path(path);
        // The placeholder is no picture: the control's data source stays as it was rather than
        // taking this installation's resource path.
        static_cast<SKTImage &>(*g).setFilePath(path, !Is_Placeholder_Picture(path));
    }
    if (liveMode())
        if (const SKTGraphic *shown = canvas->Selected_Graphic())
            liveModePanel().Set_User_Image_Control(currentSide(), shown->_file_path, shown->_contents, shown->control_ID);
    Update_Image_Graphics(true);
}

bool PropertyPanel::Check_Multiple_Image_Selection(const QString &title, bool show_msg) const
{
    if (!Check_Multiple_Image_Selection())
        return false;
    if (show_msg)
        Show_MessageBox(QStringLiteral("Please select only one image control to '%1 Image'.").arg(title));
    return true;
}

void PropertyPanel::Set_Image_On_Card_Control(const QString &path)
{
    SKTGraphicView *canvas = m_hooks.currentCanvas();
    SKTGraphic *selected = canvas ? canvas->Selected_Graphic() : nullptr;
    if (!selected || selected->kind() != SKTGraphicKind::Image)
        return;
    static_cast<SKTImage *>(selected)->setFilePath(path, true);
    Show_Picture_Path(path);
    Update_Image_Graphics(true);
}

void PropertyPanel::Open_Camera_Clicked()
{
    if (Check_Multiple_Image_Selection(QStringLiteral("Capture"), true))
        return;
    QString picture;
    if (m_hooks.Open_Camera_Window(picture) == 1)
        Set_Image_On_Card_Control(picture);
}

void PropertyPanel::Manual_Image_Browse_Btn()
{
    if (Check_Multiple_Image_Selection(QStringLiteral("Browse"), true))
        return;
    if (m_hooks.Browse_User_Image_Manually() == 1)
        Set_Image_On_Card_Control(Library_Selected_Image);
}

void PropertyPanel::Manual_Library_Browse_Btn()
{
    if (Check_Multiple_Image_Selection(QStringLiteral("Select"), true))
        return;
    if (m_hooks.Open_Image_Library_Window(QStringLiteral("C")) == 1)
        Set_Image_On_Card_Control(Library_Selected_Image);
}

void PropertyPanel::Cropping_Selected_Image_clicked()
{
    if (Check_Multiple_Image_Selection(QStringLiteral("Crop"), true))
        return;
    SKTGraphicView *canvas = m_hooks.currentCanvas();
    SKTGraphic *control = canvas ? canvas->Selected_Graphic() : nullptr;
    if (!control) {
        Show_MessageBox(QStringLiteral("Please select control."));
        return;
    }
    const bool group = Start_Card_Option == QLatin1String("G");
    CropRequest request{control->data_source_type, control->_file_path, {}, -1};
    // Only a picture control has a picture to crop, whatever path the others carry.
    const bool found = control->kind() == SKTGraphicKind::Image && isFile(request.path);
    if (found && isFile(control->Text_Value))
        request.path = control->Text_Value;
    // A bound control reports its missing source before its missing picture.
    QString refusal;
    if (request.sourceType == 0 || (request.sourceType != 1 && group)) {
        refusal = found ? QString() : kNoPicture;
    } else if (request.sourceType == 1) {
        request.seriesName = Trim_Str(control->batch_list_name);
        if (request.seriesName.isEmpty() || request.seriesName == QLatin1String("<--Select-->"))
            refusal = QStringLiteral("Please select the series.");
        else if (!found)
            refusal = kNoPicture;
    } else {
        request.columnIndex = control->excel_col_indx;
        if (request.columnIndex == -1)
            refusal = QStringLiteral("Please select the excel\u00A0column.");
        else if (!found)
            refusal = kNoPicture;
    }
    if (!refusal.isEmpty()) {
        Show_MessageBox(refusal);
        return;
    }
    m_hooks.Open_Cropping_Tool(request);
    if (liveMode())
        liveModePanel().Set_User_Image_Control(currentSide(), control->_file_path, control->_contents, control->control_ID);
}

// --- signature tab ---

void PropertyPanel::Sign_Browse_Btn()
{
    const QString path = platform::ui().openFile(tr("Select signature"), QDir::homePath(),
                                                 {QStringLiteral("png"), QStringLiteral("PNG")});
    if (path.isEmpty())
        return;
    Sign_image_path->setText(path);
    m_signChosen = true;
    Update_Sign_Graphics();
}

void PropertyPanel::Sign_Border_ChkBox()
{
    Sign_Border_Box->setEnabled(Sign_border_chk->isChecked());
    Update_Sign_Graphics();
}

void PropertyPanel::Sign_Border_Changed() { showWhole(Sign_bor_Stepper, Sign_bor_Text); Update_Sign_Graphics(); }
void PropertyPanel::Set_SignControl_Clr() { Update_Sign_Graphics(); }
