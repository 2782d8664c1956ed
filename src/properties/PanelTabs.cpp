// The widgets of the panel's header and control tab items. Layout only: what fills them is in
// PanelLoad.cpp, what they do in PanelCommands.cpp.

#include "properties/PropertyPanel.h"
#include "properties/PanelForm.h"

#include "canvas/CanvasRequests.h"
#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "core/PaintSupport.h"
#include "platform/Paths.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QStringList kBorderStyles{QStringLiteral("Solid"), QStringLiteral("Dash"), QStringLiteral("Dot"),
                                QStringLiteral("Dash Dot"), QStringLiteral("Dash Dot Dot")};

// A tab item whose rows scroll when the panel is short.
QWidget *scrolling(const char *name, QWidget *content)
{
    auto *area = new QScrollArea;
    area->setObjectName(QString::fromLatin1(name));
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    auto *holder = new QWidget;
    auto *column = new QVBoxLayout(holder);
    // The rows keep margins of their own: a second pair beside them would take from the card
    // column the width a small screen has not got.
    column->setContentsMargins(0, column->contentsMargins().top(), 0, column->contentsMargins().bottom());
    column->addWidget(content);
    column->addStretch(1);
    area->setWidget(holder);
    return area;
}

}  // namespace

void PropertyPanel::buildHeader(QWidget *parent)
{
    m_header = new QWidget(parent);
    PanelForm f(m_header);
    f.grid->setContentsMargins(0, 0, 0, 0);
    properties_title = named(new QLabel(tr("Card Properties"), m_header), "properties_title");
    QFont bold = properties_title->font();
    bold.setBold(true);
    properties_title->setFont(bold);
    sel_control_name = named(new QLineEdit(QStringLiteral("NONE"), m_header), "sel_control_name");
    sel_control_name->hide();  // the kind letter other panels read
    print_object_chk = named(new QCheckBox(tr("Leave out of printed cards"), m_header), "print_object_chk");
    print_object_chk->setToolTip(tr("The control stays on the canvas but is not printed, exported or mailed"));
    f.line(QString(), properties_title);
    f.line(QString(), print_object_chk);

    ctrl_width_height_box = named(new QGroupBox(m_header), "ctrl_width_height_box");
    auto *g = new QGridLayout(ctrl_width_height_box);
    g->setContentsMargins(3, 4, 3, 4);
    // Caption, value, arrows and unit sit close: the room goes to the values, which show whole.
    g->setHorizontalSpacing(2);
    struct Field {
        PanelStepper **stepper;
        const char *stepperName;
        QLineEdit **value;
        const char *valueName;
        QLabel **unit;
        const char *unitName;
        const char *caption;
        void (PropertyPanel::*changed)();
    };
    const Field fields[] = {
        {&frame_main_pic_X_pos, "frame_main_pic_X_pos", &frame_main_pic_X_pos_val, "frame_main_pic_X_pos_val",
         &ctrl_x_pos_unit_lbl, "ctrl_x_pos_unit_lbl", "X", &PropertyPanel::Frame_main_Pic_X_Pos_Changed},
        {&frame_main_pic_Y_pos, "frame_main_pic_Y_pos", &frame_main_pic_Y_pos_val, "frame_main_pic_Y_pos_val",
         &ctrl_y_pos_unit_lbl, "ctrl_y_pos_unit_lbl", "Y", &PropertyPanel::Frame_main_Pic_Y_Pos_Changed},
        {&frame_main_pic_width, "frame_main_pic_width", &frame_main_pic_width_val, "frame_main_pic_width_val",
         &ctrl_width_unit_lbl, "ctrl_width_unit_lbl", "W", &PropertyPanel::Frame_main_Pic_Wdith_Changed},
        {&frame_main_pic_height, "frame_main_pic_height", &frame_main_pic_height_val, "frame_main_pic_height_val",
         &ctrl_height_unit_lbl, "ctrl_height_unit_lbl", "H", &PropertyPanel::Frame_main_Pic_Height_Changed},
    };
    for (int i = 0; i < 4; ++i) {
        const Field &fd = fields[i];
        *fd.value = named(new QLineEdit(ctrl_width_height_box), fd.valueName);
        Keep_Text_Whole(*fd.value);
        *fd.stepper = named(new PanelStepper(ctrl_width_height_box), fd.stepperName);
        (*fd.stepper)->setRange(-10000, 10000);
        (*fd.stepper)->setDecimals(4);
        *fd.unit = named(new QLabel(ctrl_width_height_box), fd.unitName);
        const int r = i / 2, c = (i % 2) * 4;
        auto *caption = new QLabel(QString::fromLatin1(fd.caption), ctrl_width_height_box);
        caption->setContentsMargins(c ? 3 : 0, 0, 0, 0);
        g->addWidget(caption, r, c);
        g->addWidget(*fd.value, r, c + 1);
        g->addWidget(*fd.stepper, r, c + 2);
        g->addWidget(*fd.unit, r, c + 3);
        // Arrows and a typed number both move or resize the selected controls. Left, the field
        // shows the frame in force: text that is no number would otherwise stand for a value the
        // control does not have.
        connect(*fd.stepper, &QDoubleSpinBox::valueChanged, this, fd.changed);
        PanelStepper *stepper = *fd.stepper;
        On_Typed_Leave(*fd.value, this, [this, stepper, value = *fd.value, changed = fd.changed] {
            if (const std::optional<double> v = Typed_Panel_Value(value->text(), stepper->minimum(), stepper->maximum()))
                Set_Typed_Value(stepper, *v, [this, changed] { (this->*changed)(); });
            Set_Control_Pos_And_Size(Last_Selected_Graphic());
        });
    }
    f.line(QString(), ctrl_width_height_box);
    ctrl_width_height_box->hide();
    connect(print_object_chk, &QCheckBox::clicked, this, &PropertyPanel::Print_object_chk_changed);
}

QWidget *PropertyPanel::buildTextEditingTab()
{
    auto *w = new QWidget;
    PanelForm f(w);
    f.add(tr("Id"), OUT(txt_ctrl_id_val), new QLabel(w));
    text_value_lbl = named(new QLabel(tr("Text"), w), "text_value_lbl");
    text_value_scrollView = named(new QWidget(w), "text_value_scrollView");
    auto *holder = new QVBoxLayout(text_value_scrollView);
    holder->setContentsMargins(0, 0, 0, 0);
    Text_value_Edit = named(new QPlainTextEdit(text_value_scrollView), "Text_value_Edit");
    Text_value_Edit->setFixedHeight(70);
    holder->addWidget(Text_value_Edit);
    f.line(QString(), text_value_lbl);
    f.line(QString(), text_value_scrollView);
    f.add(QString(), OUT(insert_template_btn), new QPushButton(tr("Insert Stock Text…"), w));
    // Both kinds of stock text are offered: the button opens a menu of the two.
    auto *stock = new QMenu(insert_template_btn);
    for (const auto &[name, title] : {std::pair{"Use_Template_Title", QT_TR_NOOP("Use Template Title")},
                                      std::pair{"Use_Template_Message", QT_TR_NOOP("Use Template Message")}}) {
        QAction *item = stock->addAction(tr(title));
        item->setObjectName(QString::fromLatin1(name));
    }
    insert_template_btn->setMenu(stock);
    text_font_btn = named(new QPushButton(tr("Font…"), w), "text_font_btn");
    f.font(tr("Font"), OUT(Text_font_value), text_font_btn);
    f.well(tr("Colour"), OUT(Text_clr));
    f.combo(tr("Align"), OUT(Text_align_combo),
            {tr("Left"), tr("Right"), tr("Centre"), tr("Justified"), tr("Natural")});
    f.combo(tr("Vertical"), OUT(Text_vert_align_combo), {tr("Top"), tr("Bottom"), tr("Middle")});
    f.combo(tr("Case"), OUT(Text_case_combo), {tr("As typed"), tr("UPPER"), tr("lower"), tr("Title")});
    f.box(OUT(Text_Date_Time_Box), tr("Date and time"));
    PanelForm d(Text_Date_Time_Box);
    d.combo(tr("Date"), OUT(Text_Date_style), Text_Date_Formats());
    d.combo(tr("Time"), OUT(Text_Time_style), Text_Time_Formats());
    d.add(QString(), OUT(insert_date_btn), new QPushButton(tr("Insert Date"), Text_Date_Time_Box));
    d.add(QString(), OUT(insert_time_btn), new QPushButton(tr("Insert Time"), Text_Date_Time_Box));
    return scrolling("text_edtng_tab", w);
}

QWidget *PropertyPanel::buildTextPropTab()
{
    auto *w = new QWidget;
    PanelForm f(w);
    f.check(tr("Border"), OUT(Text_border_chk));
    PanelForm b(f.box(OUT(Text_Border_Box)));
    b.well(tr("Colour"), OUT(Text_bordr_clr));
    b.stepper(tr("Width"), OUT(Text_bor_Stepper), OUT(Text_bor_Text), 0, 50);
    b.combo(tr("Style"), OUT(Text_border_style), kBorderStyles);
    f.check(tr("Fill"), OUT(Text_fill_chk));
    PanelForm fill(f.box(OUT(Text_Fill_Box)));
    fill.add(QString(), OUT(Text_solid_fill_rd), new QRadioButton(tr("Solid"), Text_Fill_Box));
    fill.add(QString(), OUT(Text_gradient_fill_rd), new QRadioButton(tr("Gradient"), Text_Fill_Box));
    fill.well(tr("Colour"), OUT(Text_fill_clr));
    fill.well(tr("From"), OUT(Text_fill_Grd_1_clr));
    fill.well(tr("To"), OUT(Text_fill_Grd_2_clr));
    fill.stepper(tr("Angle"), OUT(Text_grad_Stepper), OUT(Text_grad_Text), 0, 360);
    fill.stepper(tr("Opacity %"), OUT(Text_alpha_Stepper), OUT(Text_alpha_Text), 0, 100, &text_alpha_lbl, "text_alpha_lbl");
    f.combo(tr("Rotation"), OUT(Text_Orientation_Combo),
            {QStringLiteral("0"), QStringLiteral("90"), QStringLiteral("180"), QStringLiteral("270")});
    f.slider(QString(), OUT(txt_rotation_slidr), OUT(txt_rotation_slidr_val), 0, 360, 1);
    f.stepper(tr("Kerning"), OUT(Text_Kern_Stepper), OUT(Text_Kern_Text), -20, 100);
    f.check(tr("Shadow"), OUT(draw_shadow_chkbox));
    PanelForm s(f.box(OUT(shadow_box)));
    s.well(tr("Colour"), OUT(Shadow_clr));
    s.stepper(tr("X offset"), OUT(shadow_x_Stepper), OUT(shadow_x_Text), -50, 50);
    s.stepper(tr("Y offset"), OUT(shadow_y_Stepper), OUT(shadow_y_Text), -50, 50);
    s.stepper(tr("Blur"), OUT(shadow_blur_Stepper), OUT(shadow_blur_Text), 0, 50);
    s.stepper(tr("Opacity %"), OUT(shadow_transp_Stepper), OUT(shadow_transp_Text), 0, 100);
    return scrolling("text_prop_tab", w);
}

QWidget *PropertyPanel::buildDataSourceTab()
{
    auto *w = new QWidget;
    PanelForm f(w);
    f.add(QString(), OUT(data_source_title), new QLabel(tr("Text Source"), w));
    f.combo(tr("Source"), OUT(Data_source_type), {QStringLiteral("Manual"), QStringLiteral("Series")});
    f.combo(tr("Series"), OUT(Batch_Series), {});
    f.add(QString(), OUT(view_series_btn), new QPushButton(tr("View Series…"), w));
    f.add(QString(), OUT(data_source_help_btn), new QPushButton(tr("Help"), w));
    f.add(QString(), OUT(invalid_source_label), new QLabel(tr("The picture's file cannot be found."), w));
    invalid_source_label->setStyleSheet(QStringLiteral("color: #b00000"));
    invalid_source_label->hide();
    PanelForm m(f.box(OUT(manual_brws_box), tr("Picture")));
    m.add(QString(), OUT(Manual_image_path), new QLineEdit(manual_brws_box))->setReadOnly(true);
    m.add(QString(), OUT(manual_browse_btn), new QPushButton(tr("Browse…"), manual_brws_box));
    m.add(QString(), OUT(library_browse_btn), new QPushButton(tr("Library…"), manual_brws_box));
    m.add(QString(), OUT(camera_btn), new QPushButton(tr("Camera…"), manual_brws_box));
    return scrolling("datasource_tab", w);
}

QWidget *PropertyPanel::buildImageTab()
{
    auto *w = new QWidget;
    PanelForm f(w);
    f.add(tr("Id"), OUT(img_ctrl_id_val), new QLabel(w));
    // Cropping belongs with the picture itself: the visitor desk and group mode show an image
    // with this tab alone, and so does any mode while several images are selected.
    PanelForm c(f.box(OUT(crop_image_box), tr("Crop")));
    c.add(QString(), OUT(crop_image_btn), new QPushButton(tr("Crop Picture…"), crop_image_box));
    f.check(tr("Border"), OUT(Image_border_chk));
    PanelForm b(f.box(OUT(Image_Border_Box)));
    b.well(tr("Colour"), OUT(Image_bordr_clr));
    b.stepper(tr("Width"), OUT(Image_bor_Stepper), OUT(Image_bor_Text), 0, 50);
    b.combo(tr("Style"), OUT(Image_border_style), kBorderStyles);
    f.check(tr("Apply filters"), OUT(draw_image_filter_chkbox));
    PanelForm e(f.box(OUT(Image_Edit_Prop_Box)));
    e.check(tr("Grey scale"), OUT(Image_Gray_Scale_chk));
    e.check(tr("Sepia"), OUT(Image_Sepia_chk));
    e.check(tr("Invert colours"), OUT(Image_Invert_chk));
    e.check(tr("Flip vertically"), OUT(Image_FIV_chk));
    e.check(tr("Flip horizontally"), OUT(Image_FIH_chk));
    e.slider(tr("Rotation"), OUT(Rotate_slidr), OUT(Rotate_slidr_val), 0, 360, 10);
    Image_rotate_Stepper = named(new PanelStepper(Image_Edit_Prop_Box), "Image_rotate_Stepper");
    Image_rotate_Stepper->setRange(0, 360);
    e.arrowsBesideLast(Image_rotate_Stepper);
    e.slider(tr("Opacity"), OUT(Trsp_slidr), OUT(Trsp_slidr_val), 0, 100, 1);
    e.slider(tr("Hue"), OUT(Hue_slidr), OUT(Hue_slidr_val), -3.14, 3.14, 100);
    e.slider(tr("Saturation"), OUT(Sat_slidr), OUT(Sat_slidr_val), 0, 2, 100);
    e.slider(tr("Brightness"), OUT(Brt_slidr), OUT(Brt_slidr_val), -1, 1, 100);
    e.slider(tr("Contrast"), OUT(Con_slidr), OUT(Con_slidr_val), 0.25, 4, 100);
    e.slider(tr("Sharpness"), OUT(shrp_slidr), OUT(shrp_slidr_val), 0, 2, 100);
    e.slider(tr("Exposure"), OUT(ev_slidr), OUT(ev_slidr_val), -10, 10, 10);
    e.slider(tr("Blur"), OUT(blr_slidr), OUT(blr_slidr_val), 0, 100, 1);
    f.add(QString(), OUT(Image_reset_btn), new QPushButton(tr("Reset Settings"), w));
    return scrolling("image_tab", w);
}

QWidget *PropertyPanel::buildLineTab()
{
    auto *w = new QWidget;
    PanelForm f(w);
    f.well(tr("Colour"), OUT(Line_clr));
    f.stepper(tr("Width"), OUT(Line_Wdt_Stepper), OUT(Line_Wdt_Text), 0, 50);
    f.combo(tr("Style"), OUT(Line_border_style), kBorderStyles);
    f.combo(tr("Direction"), OUT(Line_ori_style), {tr("Free"), tr("Horizontal"), tr("Vertical")});
    // The choice is kept with the line and shown again; the line's course is its two end points.
    Line_ori_style->setToolTip(tr("Kept with the line as a note; drag the line's ends to change its course."));
    f.combo(tr("Ends"), OUT(Line_cap_style), {tr("Flat"), tr("Round"), tr("Square")});
    f.stepper(tr("Opacity %"), OUT(Line_alpha_Stepper), OUT(Line_alpha_Text), 0, 100);
    return scrolling("line_tab", w);
}

QWidget *PropertyPanel::buildSignTab()
{
    auto *w = new QWidget;
    PanelForm f(w);
    f.add(tr("Picture"), OUT(Sign_image_path), new QLineEdit(w))->setReadOnly(true);
    f.add(QString(), OUT(sign_browse_btn), new QPushButton(tr("Browse…"), w));
    f.check(tr("Border"), OUT(Sign_border_chk));
    PanelForm b(f.box(OUT(Sign_Border_Box)));
    b.well(tr("Colour"), OUT(Sign_bordr_clr));
    b.stepper(tr("Width"), OUT(Sign_bor_Stepper), OUT(Sign_bor_Text), 0, 50);
    b.combo(tr("Style"), OUT(Sign_border_style), kBorderStyles);
    return scrolling("sign_tab", w);
}

QWidget *PropertyPanel::buildShapeTab()
{
    auto *w = new QWidget;
    PanelForm f(w);
    f.add(QString(), OUT(Shape_prop_title), new QLabel(tr("Rectangle Settings"), w));
    f.slider(tr("Rotation"), OUT(shape_rotation_slidr), OUT(shape_rotation_slidr_val), 0, 360, 1);
    Shape_Rotate_Stepper = named(new PanelStepper(w), "Shape_Rotate_Stepper");
    Shape_Rotate_Stepper->setRange(0, 360);
    f.arrowsBesideLast(Shape_Rotate_Stepper);
    f.check(tr("Border"), OUT(Shape_border_chk));
    PanelForm b(f.box(OUT(Shape_Border_Box)));
    b.well(tr("Colour"), OUT(shape_bordr_clr));
    b.stepper(tr("Width"), OUT(shape_bor_Stepper), OUT(shape_bor_Text), 0, 50);
    b.combo(tr("Style"), OUT(shape_border_style), kBorderStyles);
    f.check(tr("Fill"), OUT(Shape_fill_chk));
    PanelForm fill(f.box(OUT(Shape_Fill_Box)));
    fill.add(QString(), OUT(Shape_solid_fill_rd), new QRadioButton(tr("Solid"), Shape_Fill_Box));
    fill.add(QString(), OUT(Shape_gradient_fill_rd), new QRadioButton(tr("Gradient"), Shape_Fill_Box));
    fill.add(QString(), OUT(Shape_Style_fill_rd), new QRadioButton(tr("Hatch"), Shape_Fill_Box));
    fill.well(tr("Colour"), OUT(shape_fill_clr));
    fill.well(tr("From"), OUT(shape_fill_Grd_1_clr));
    fill.well(tr("To"), OUT(shape_fill_Grd_2_clr));
    fill.stepper(tr("Angle"), OUT(shape_grad_Stepper), OUT(shape_grad_Text), 0, 360);
    fill.hatch(tr("Hatch"), OUT(shape_hatch_style));
    fill.well(tr("Hatch back"), OUT(shape_hatch_bk_clr));
    fill.stepper(tr("Opacity %"), OUT(shape_alpha_Stepper), OUT(shape_alpha_Text), 0, 100, &shape_alpha_lbl, "shape_alpha_lbl");
    f.stepper(tr("Corner radius"), OUT(shape_cor_radius_Stepper), OUT(shape_cor_radius_Text), 0, 200,
              &shape_cor_radius_Label, "shape_cor_radius_Label");
    f.stepper(tr("Star points"), OUT(double_star_Stepper), OUT(double_star_Text), 1, 20, &double_star_Label, "double_star_Label");
    f.stepper(tr("Polygon"), OUT(polygon_Stepper), OUT(polygon_Text), 1, 20, &polygon_Label, "polygon_Label");
    return scrolling("shape_tab", w);
}

QWidget *PropertyPanel::buildAlignmentTab()
{
    auto *w = new QWidget;
    auto *grid = new QGridLayout(w);
    struct Command {
        QToolButton **field;
        const char *name;
        const char *text;
        void (PropertyPanel::*slot)();
    };
    const Command commands[] = {
        {&align_left_btn, "align_left_btn", "Align Left", &PropertyPanel::Align_Left_Clicked},
        {&align_right_btn, "align_right_btn", "Align Right", &PropertyPanel::Align_Right_Clicked},
        {&align_top_btn, "align_top_btn", "Align Top", &PropertyPanel::Align_Top_Clicked},
        {&align_bottom_btn, "align_bottom_btn", "Align Bottom", &PropertyPanel::Align_Bottom_Clicked},
        {&align_center_btn, "align_center_btn", "Centre on Card", &PropertyPanel::Align_Center_Clicked},
        {&align_horzontal_btn, "align_horzontal_btn", "Centre Across", &PropertyPanel::Align_Horz_Clicked},
        {&align_vertical_btn, "align_vertical_btn", "Centre Down", &PropertyPanel::Align_Vert_Clicked},
        {&Align_with_grid_btn, "Align_with_grid_btn", "Align with Grid", &PropertyPanel::Align_To_Grid_Clicked},
        {&Make_same_width_btn, "Make_same_width_btn", "Same Width", &PropertyPanel::Make_Same_Width_Clicked},
        {&Make_same_height_btn, "Make_same_height_btn", "Same Height", &PropertyPanel::Make_Same_Height_Clicked},
        {&Make_natural_size_btn, "Make_natural_size_btn", "Natural Size", &PropertyPanel::Make_Natural_Clicked},
        {&fit_to_label_btn, "fit_to_label_btn", "Fit to Card", &PropertyPanel::Make_Fit_To_Label_Clicked},
    };
    for (int i = 0; i < int(std::size(commands)); ++i) {
        const Command &c = commands[i];
        auto *b = named(new QToolButton(w), c.name);
        b->setText(tr(c.text));
        b->setToolTip(tr(c.text));
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        connect(b, &QToolButton::clicked, this, c.slot);
        grid->addWidget(b, i / 2, i % 2);
        *c.field = b;
    }
    grid->setRowStretch(int(std::size(commands)) / 2, 1);
    for (QToolButton *b : {Make_same_width_btn, Make_same_height_btn, Align_with_grid_btn})
        b->setEnabled(false);
    return named(w, "aligmnt_tab");
}

QWidget *PropertyPanel::buildBarcodeTab()
{
    auto *w = new QWidget;
    PanelForm f(w);
    auto *edit = named(new QPushButton(tr("Edit Barcode…"), w), "Barcode_Edit_btn");
    connect(edit, &QPushButton::clicked, this, [] { canvasRequests().Open_Barcode_Window(); });
    f.line(QString(), edit);
    return scrolling("barcode_tab", w);
}

QWidget *PropertyPanel::buildLockTab()
{
    auto *w = new QWidget;
    PanelForm f(w);
    auto *note = new QLabel(tr("This control is locked. Unlock it to change it."), w);
    note->setWordWrap(true);
    f.line(QString(), note);
    return scrolling("Lock_tab", w);
}
