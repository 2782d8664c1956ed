#pragma once
// The right-hand property panel of the main window: which tab items a selection shows, the
// loading of every field from the selected control, the toolbar states that follow the
// selection, the position and size fields, the alignment and same-size commands, and the one
// handler every combo box of the panel reports to.
//
// The panel owns the control tab items and their widgets (each an outlet: objectName = the
// outlet's name); the window owns the card tabs and hands them over with setCardTabs(). It
// reaches the window through PropertyPanelHooks. The control it shows is held weakly: a control
// deleted by any road is simply no longer "the control shown".

#include "core/ControlArchive.h"
#include "core/SKTGraphic.h"
#include "properties/PanelPlan.h"
#include "properties/PanelWidgets.h"

#include <QList>
#include <QObject>
#include <memory>

class PropertyPanelHooks;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QTabWidget;
class QToolButton;
class SKTGrid;

// The window's toolbar buttons whose states follow the selection (not owned).
struct SelectionToolbar {
    QToolButton *Cut_btn = nullptr, *Copy_btn = nullptr, *Paste_btn = nullptr, *Delete_btn = nullptr,
                *Begin_Front_btn = nullptr, *Send_Back_btn = nullptr, *Lock_btn = nullptr, *Unlock_btn = nullptr;
};

class PropertyPanel : public QObject {
    Q_OBJECT
public:
    // Builds the control tab items and the header (title, print flag, position and size box);
    // `sett_tab` is the window's tab view, which the panel fills from now on.
    PropertyPanel(PropertyPanelHooks &hooks, QTabWidget *sett_tab, QWidget *parent);
    ~PropertyPanel() override;

    // The widget above the tabs: the title, the print flag and the position and size box.
    QWidget *header() const { return m_header; }
    // `setting`, the window's own settings, may be left out: the card set then has four tabs.
    void setCardTabs(QWidget *info, QWidget *size, QWidget *bkgd, QWidget *brdr, QWidget *setting = nullptr);
    void setToolbar(const SelectionToolbar &toolbar) { m_toolbar = toolbar; }
    // The Align-with-grid button follows whether the grid is shown.
    void setGrid(SKTGrid *grid);

    // --- selection (rebuilds the panel; nullptr shows the card side) ---
    void Show_RHS_Properties(SKTGraphic *control);
    // The control whose properties the panel shows; nullptr for the card or once it is gone.
    SKTGraphic *Last_Selected_Graphic() const;
    void Fill_Card_Prop_Tab();
    void Remove_All_Tab_Items();
    void Show_Hide_Text_Transp_Ctrl(bool hide);
    void Show_Hide_Shape_Transp_Ctrl(bool hide);

    // --- loading, one function per kind (the guard is held by the caller) ---
    void Load_Text_Panel(SKTGraphic &control);
    void Load_Image_Panel(SKTGraphic &control);
    void Load_Line_Panel(SKTGraphic &control);
    void Load_Sign_Panel(SKTGraphic &control);
    void Load_Shape_Panel(SKTGraphic &control);
    void Load_Data_Source(const SKTGraphic &control, bool signature);
    void Set_Control_Pos_And_Size(SKTGraphic *control);

    // --- toolbar states ---
    void Enable_Standard_Button_For_Control();
    void Disable_Standard_Button_For_Card();
    void Disable_Standard_Button_For_Lock();
    void Enable_Standard_Button_For_Unlock();
    void Set_Paste_Button_Status();
    // The states for a selection made without a control shown (Select All, a cleared side): the
    // card's with none selected, a locked control's when every selected one is locked, else an
    // unlocked control's.
    void Follow_Selection(const SKTGraphicArray &selected);
    void Enable_Same_Size_Buttons(bool on);
    void Enable_Natural_Size_Buttons(bool on);
    void Enable_Align_With_Grid_Button(bool on);
    // The image tab's neutral values (a new image or signature control, a side switch).
    void Reset_Image_Editing_Controls();

    // The write-back of each control tab: the panel's values into every selected unlocked
    // control of the kind, one undo step. Nothing is stored while the panel is being filled.
    void Update_Line_Graphics();
    void Update_Shape_Graphics();
    void Update_Text_Graphics();
    void Update_Image_Graphics(bool filterChanged);
    void Update_Sign_Graphics();

    // The barcode command (and a double-click on a barcode): opens the barcode window on the
    // selected barcode and, on OK, gives it the edited set-up and a picture made from it.
    void Open_Barcode_Window();
    // YES when two or more barcode controls are selected on the current side; with `show`, the
    // user is told to pick one.
    bool Check_Multiple_Barcode_Selection(bool show) const;
    // The barcode window's result into every selected unlocked barcode, one undo step.
    void Update_Barcode_Graphics(const SKTGraphic &result);

    // YES when two or more image controls are selected on the current side; with a title, the
    // user is told to pick one for that command.
    bool Check_Multiple_Image_Selection() const;
    bool Check_Multiple_Image_Selection(const QString &title, bool show_msg) const;
    // Gives the selected image control the picture of the path, with the panel's settings.
    void Set_Image_On_Card_Control(const QString &path);
    // The path box shows a control's picture path; the application's own placeholder shows as
    // an empty box, never as a path inside the installation.
    void Show_Picture_Path(const QString &path);

public slots:
    void Print_object_chk_changed();
    void Frame_main_Pic_X_Pos_Changed();
    void Frame_main_Pic_Y_Pos_Changed();
    void Frame_main_Pic_Wdith_Changed();
    void Frame_main_Pic_Height_Changed();
    void Align_Left_Clicked();
    void Align_Right_Clicked();
    void Align_Top_Clicked();
    void Align_Bottom_Clicked();
    void Align_Center_Clicked();
    void Align_Horz_Clicked();
    void Align_Vert_Clicked();
    void Make_Same_Width_Clicked();
    void Make_Same_Height_Clicked();
    void Make_Fit_To_Label_Clicked();
    void Make_Natural_Clicked();
    void Align_To_Grid_Clicked();
    void comboBoxSelectionDidChange(QComboBox *sender);

    // --- shape tab ---
    void Shape_Border_ChkBox();
    void Shape_Border_Changed();
    void Shape_Fill_Chk_Box();
    void Shape_Gradient_Changed();
    void Shape_Solid_RD_Sel();
    void Shape_Gradient_RD_Sel();
    void Shape_Hatch_RD_Sel();
    void Shape_Alpha_Changed();
    void Shape_Corner_Radius_Changed();
    void Double_Star_Shape_Changed();
    void Polygon_Shape_Changed();
    void Shape_Rotate_Slider_Changed();
    void Shape_Rotate_Stepper_Changed();
    void Set_Control_Clr();
    // --- line tab ---
    void Line_Alpha_Changed();
    void Line_Width_Changed();
    void Set_LineControl_Clr();
    // --- text tabs and shadow ---
    void Text_Border_ChkBox();
    void Text_Border_Changed();
    void Text_Kerning_Changed();
    void Set_TextControl_Clr();
    void Text_Fill_Chk_Box();
    void Text_Gradient_Changed();
    void Text_Solid_RD_Sel();
    void Text_Gradient_RD_Sel();
    void Text_Alpha_Changed();
    void Text_Font_Changed();
    void Text_Insert_Date();
    void Text_Insert_Time();
    // The stock-text picker: titles when the button's (or the chosen menu item's) title is
    // "Use Template Title", messages otherwise; the chosen text is one undo step.
    void Insert_Template_Button();
    void Insert_Stock_Text(bool titles);
    // The series viewer for the chosen series, the spreadsheet table's viewer for "Excel".
    void View_batch_Series_Button();
    void Data_Source_Help_Button();
    void Draw_Shadow_ChkBox();
    void Set_Shadow_Clr();
    void Shadow_X_Changed();
    void Shadow_Y_Changed();
    void Shadow_Blur_Changed();
    void Shadow_Transp_Changed();
    void Txt_Rotate_Slider_Changed();
    // The editor's text goes into the selected free text controls as it is typed (no undo step).
    void textDidChange();
    // --- image tab and picture sources ---
    void Image_Border_ChkBox();
    void Image_Border_Changed();
    void Set_ImageControl_Clr();
    void Apply_Image_Filter_Chked();
    void Image_Filter_Chked();  // grey, sepia, invert and the two flips
    void Image_Slider_Changed();  // hue, saturation, brightness, contrast, sharpness, exposure, blur
    void Transperncy_Slider_Changed();
    void Rotate_Slider_Changed();
    void Image_Rotate_Stepper_Changed();
    void Image_reset_Button();
    void Open_Camera_Clicked();
    void Manual_Image_Browse_Btn();
    void Manual_Library_Browse_Btn();
    void Cropping_Selected_Image_clicked();
    // --- signature tab ---
    void Sign_Browse_Btn();
    void Sign_Border_ChkBox();
    void Sign_Border_Changed();
    void Set_SignControl_Clr();

public:
    // --- header ---
    QLabel *properties_title = nullptr;
    QLineEdit *sel_control_name = nullptr;
    QCheckBox *print_object_chk = nullptr;
    QGroupBox *ctrl_width_height_box = nullptr;
    PanelStepper *frame_main_pic_X_pos = nullptr, *frame_main_pic_Y_pos = nullptr, *frame_main_pic_width = nullptr,
                 *frame_main_pic_height = nullptr;
    QLineEdit *frame_main_pic_X_pos_val = nullptr, *frame_main_pic_Y_pos_val = nullptr,
              *frame_main_pic_width_val = nullptr, *frame_main_pic_height_val = nullptr;
    QLabel *ctrl_x_pos_unit_lbl = nullptr, *ctrl_y_pos_unit_lbl = nullptr, *ctrl_width_unit_lbl = nullptr,
           *ctrl_height_unit_lbl = nullptr;

    // --- tab items ---
    QWidget *line_tab = nullptr, *shape_tab = nullptr, *text_edtng_tab = nullptr, *text_prop_tab = nullptr,
            *image_tab = nullptr, *sign_tab = nullptr, *datasource_tab = nullptr, *aligmnt_tab = nullptr,
            *barcode_tab = nullptr, *Lock_tab = nullptr;
    QWidget *card_setting_tab = nullptr, *card_info_tab = nullptr, *card_size_tab = nullptr, *card_bkgd_tab = nullptr,
            *card_brdr_tab = nullptr;
    QTabWidget *sett_tab = nullptr;

    // --- text editing and text properties ---
    QLabel *txt_ctrl_id_val = nullptr, *text_value_lbl = nullptr;
    QWidget *text_value_scrollView = nullptr;
    QPlainTextEdit *Text_value_Edit = nullptr;
    QGroupBox *Text_Date_Time_Box = nullptr;
    QComboBox *Text_Date_style = nullptr, *Text_Time_style = nullptr;
    QPushButton *insert_date_btn = nullptr, *insert_time_btn = nullptr;
    QLineEdit *Text_font_value = nullptr;
    QPushButton *text_font_btn = nullptr, *insert_template_btn = nullptr;
    ColorWell *Text_clr = nullptr;
    QComboBox *Text_align_combo = nullptr, *Text_vert_align_combo = nullptr, *Text_case_combo = nullptr,
              *Text_Orientation_Combo = nullptr, *Text_border_style = nullptr;
    QCheckBox *Text_border_chk = nullptr, *Text_fill_chk = nullptr;
    QGroupBox *Text_Border_Box = nullptr, *Text_Fill_Box = nullptr;
    ColorWell *Text_bordr_clr = nullptr, *Text_fill_clr = nullptr, *Text_fill_Grd_1_clr = nullptr,
              *Text_fill_Grd_2_clr = nullptr;
    QRadioButton *Text_solid_fill_rd = nullptr, *Text_gradient_fill_rd = nullptr;
    PanelStepper *Text_bor_Stepper = nullptr, *Text_grad_Stepper = nullptr, *Text_alpha_Stepper = nullptr,
                 *Text_Kern_Stepper = nullptr;
    QLineEdit *Text_bor_Text = nullptr, *Text_grad_Text = nullptr, *Text_alpha_Text = nullptr, *Text_Kern_Text = nullptr;
    QLabel *text_alpha_lbl = nullptr;
    PanelSlider *txt_rotation_slidr = nullptr;
    QLineEdit *txt_rotation_slidr_val = nullptr;
    // The text control's font, as the panel shows it.
    QFont Text_font;
    // shadow
    QCheckBox *draw_shadow_chkbox = nullptr;
    QGroupBox *shadow_box = nullptr;
    ColorWell *Shadow_clr = nullptr;
    PanelStepper *shadow_x_Stepper = nullptr, *shadow_y_Stepper = nullptr, *shadow_blur_Stepper = nullptr,
                 *shadow_transp_Stepper = nullptr;
    QLineEdit *shadow_x_Text = nullptr, *shadow_y_Text = nullptr, *shadow_blur_Text = nullptr,
              *shadow_transp_Text = nullptr;

    // --- data source ---
    QLabel *data_source_title = nullptr, *invalid_source_label = nullptr;
    QComboBox *Data_source_type = nullptr, *Batch_Series = nullptr;
    QPushButton *view_series_btn = nullptr, *data_source_help_btn = nullptr;
    QGroupBox *manual_brws_box = nullptr, *crop_image_box = nullptr;
    QLineEdit *Manual_image_path = nullptr;
    QPushButton *camera_btn = nullptr, *manual_browse_btn = nullptr, *library_browse_btn = nullptr,
                *crop_image_btn = nullptr;

    // --- image ---
    QLabel *img_ctrl_id_val = nullptr;
    QGroupBox *Image_Border_Box = nullptr, *Image_Edit_Prop_Box = nullptr;
    QCheckBox *Image_border_chk = nullptr, *Image_Gray_Scale_chk = nullptr, *Image_Sepia_chk = nullptr,
              *Image_Invert_chk = nullptr, *Image_FIV_chk = nullptr, *Image_FIH_chk = nullptr,
              *draw_image_filter_chkbox = nullptr;
    ColorWell *Image_bordr_clr = nullptr;
    PanelStepper *Image_bor_Stepper = nullptr, *Image_rotate_Stepper = nullptr;
    QLineEdit *Image_bor_Text = nullptr;
    QComboBox *Image_border_style = nullptr;
    PanelSlider *shrp_slidr = nullptr, *ev_slidr = nullptr, *blr_slidr = nullptr, *Sat_slidr = nullptr,
                *Brt_slidr = nullptr, *Con_slidr = nullptr, *Hue_slidr = nullptr, *Trsp_slidr = nullptr,
                *Rotate_slidr = nullptr;
    QLineEdit *shrp_slidr_val = nullptr, *ev_slidr_val = nullptr, *blr_slidr_val = nullptr, *Sat_slidr_val = nullptr,
              *Brt_slidr_val = nullptr, *Con_slidr_val = nullptr, *Hue_slidr_val = nullptr, *Trsp_slidr_val = nullptr,
              *Rotate_slidr_val = nullptr;
    QPushButton *Image_reset_btn = nullptr;

    // --- line ---
    ColorWell *Line_clr = nullptr;
    PanelStepper *Line_Wdt_Stepper = nullptr, *Line_alpha_Stepper = nullptr;
    QLineEdit *Line_Wdt_Text = nullptr, *Line_alpha_Text = nullptr;
    QComboBox *Line_border_style = nullptr, *Line_ori_style = nullptr, *Line_cap_style = nullptr;

    // --- signature ---
    QLineEdit *Sign_image_path = nullptr;
    QPushButton *sign_browse_btn = nullptr;
    QCheckBox *Sign_border_chk = nullptr;
    QGroupBox *Sign_Border_Box = nullptr;
    ColorWell *Sign_bordr_clr = nullptr;
    PanelStepper *Sign_bor_Stepper = nullptr;
    QLineEdit *Sign_bor_Text = nullptr;
    QComboBox *Sign_border_style = nullptr;

    // --- shape ---
    QLabel *Shape_prop_title = nullptr;
    PanelSlider *shape_rotation_slidr = nullptr;
    QLineEdit *shape_rotation_slidr_val = nullptr;
    PanelStepper *Shape_Rotate_Stepper = nullptr;
    QCheckBox *Shape_border_chk = nullptr, *Shape_fill_chk = nullptr;
    QGroupBox *Shape_Border_Box = nullptr, *Shape_Fill_Box = nullptr;
    ColorWell *shape_bordr_clr = nullptr, *shape_fill_clr = nullptr, *shape_fill_Grd_1_clr = nullptr,
              *shape_fill_Grd_2_clr = nullptr, *shape_hatch_bk_clr = nullptr;
    PanelStepper *shape_bor_Stepper = nullptr, *shape_grad_Stepper = nullptr, *shape_alpha_Stepper = nullptr,
                 *shape_cor_radius_Stepper = nullptr, *double_star_Stepper = nullptr, *polygon_Stepper = nullptr;
    QLineEdit *shape_bor_Text = nullptr, *shape_grad_Text = nullptr, *shape_alpha_Text = nullptr,
              *shape_cor_radius_Text = nullptr, *double_star_Text = nullptr, *polygon_Text = nullptr;
    QLabel *shape_alpha_lbl = nullptr, *shape_cor_radius_Label = nullptr, *double_star_Label = nullptr,
           *polygon_Label = nullptr;
    QComboBox *shape_border_style = nullptr, *shape_hatch_style = nullptr;
    QRadioButton *Shape_solid_fill_rd = nullptr, *Shape_gradient_fill_rd = nullptr, *Shape_Style_fill_rd = nullptr;

    // --- alignment tab ---
    QToolButton *align_left_btn = nullptr, *align_right_btn = nullptr, *align_top_btn = nullptr,
                *align_bottom_btn = nullptr, *align_center_btn = nullptr, *align_horzontal_btn = nullptr,
                *align_vertical_btn = nullptr, *Make_same_width_btn = nullptr, *Make_same_height_btn = nullptr,
                *Make_natural_size_btn = nullptr, *fit_to_label_btn = nullptr, *Align_with_grid_btn = nullptr;

private:
    void Show_Polygon_Kind();
    void buildHeader(QWidget *parent);
    QWidget *buildTextEditingTab();
    QWidget *buildTextPropTab();
    QWidget *buildDataSourceTab();
    QWidget *buildImageTab();
    QWidget *buildLineTab();
    QWidget *buildSignTab();
    QWidget *buildShapeTab();
    QWidget *buildAlignmentTab();
    QWidget *buildBarcodeTab();
    QWidget *buildLockTab();
    void connectCombos();
    QWidget *tabOf(PanelTab tab) const;
    void showControl(SKTGraphic &control);
    void showCard();
    // Runs a canvas command on the current side, then redraws and records one undo step.
    void runCommand(void (*command)(class SKTGraphicView &));
    void setToolbarStates(int cut, int copy, int paste, int rest, int unlock);
    void dataSourceChosen();
    // What a manual value allows and a series or column forbids, and the reverse: the series
    // list and its viewer serve a bound control only.
    void Data_Source_Enabling(bool manual);
    void seriesChosen();
    // The tab actions' wiring: user changes of the control tabs' widgets, never the panel's own.
    void connectActions();
    void shapeFillKindEnabling();
    void insertIntoText(const QString &patternList, const QString &missing, bool date);
    // A signature picture chosen this moment is written into every selected signature.
    bool m_signChosen = false;
    // The control tabs' write-back rule (PanelWriteBack.cpp).
    template <class Write>
    void writeBack(SKTGraphicKind kind, Write write);
    // The mouse let a slider go: a drag that changed the controls is one step.
    void sliderLetGo();
    // The control tabs' sliders; while the mouse holds one, write-backs record no step.
    QList<PanelSlider *> m_sliders;
    bool m_dragUnrecorded = false;

    PropertyPanelHooks &m_hooks;
    QWidget *m_header = nullptr;
    SelectionToolbar m_toolbar;
    std::weak_ptr<SKTGraphic> m_lastShown;
    bool m_lockedShown = false;
};
