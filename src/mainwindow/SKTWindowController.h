#pragma once
// The main design window and the hub every subsystem reaches through `Main_App_wnd`. It stays
// thin: it owns the card properties, profiles, undo history, grid and the three canvases, and
// each operation forwards to the object that owns that piece of work. The layers below call up
// into it through their own small interfaces (CoreHub, CanvasRequests), which ControllerHub
// implements and installs at construction.

#include "core/CardSide.h"
#include "core/Card_Property.h"
#include "core/DesignCommands.h"
#include "core/DesignData.h"
#include "core/SKTDocument.h"
#include "core/UndoRedo.h"
#include "visitor/User_Profile_Class.h"

#include <QHash>
#include <QImage>
#include <QMainWindow>
#include <QStringList>
#include <array>
#include <memory>

class QButtonGroup;
class QMenu;
class QCloseEvent;
class QComboBox;
class QDialog;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollArea;
class QSlider;
class QCheckBox;
class QStackedWidget;
class QTabWidget;
class QToolButton;
class QPushButton;
class SKTGraphicView;
class SKTGrid;
class SKTZoomingScrollView;
class Start_Card;
class ControllerHub;
class CardTabs;
class QListWidget;
class PropertyPanel;
class ExportCommand;
class Send_Mail;
class Print_Wnd;
struct BatchDesign;
class Card_Wizard;
class Template_Wizard;
class Image_Library;
class Insert_Template;
class Invitation_Wizard;
struct CardWizardChoice;
class Data_From_Excel;

class SKTWindowController : public QMainWindow, public SKTDocumentWindow, public UndoRedoHost {
    Q_OBJECT
public:
    // Builds the controller for the document and publishes it in `Main_App_wnd`. The window is
    // set up by awakeFromNib(), which runs the start dialog.
    explicit SKTWindowController(SKTDocument &document);
    ~SKTWindowController() override;
    static SKTWindowController *defaultInstance();

    // Window set-up: lays out the window, checks the resource folder, sets the paths, binds the
    // canvases and starts a new project. False when the resource folder cannot be made.
    // A design path (from the command line) is opened instead of the start dialog; one that cannot
    // be read gives the reader's message and then the start dialog.
    bool awakeFromNib(const QString &designPath = QString());

    SKTDocument &document() { return m_document; }

    // --- SKTDocumentWindow ---
    QString App_Name() const override { return m_appName; }
    QString Front_Card_Name() const override;
    QString Project_File_Name() const override;

    // --- identity, lists, pictures ---
    QString m_appName;
    QStringList Allowd_Image_fileTypes;
    QStringList paper_card_arry, pvc_card_arry;
    QString camera_path_file, NO_Image_Path;
    QImage front_btn_image, back_btn_image, front_btn_image_sel, back_btn_image_sel;
    // Pictures of the installation none of which the first window shows: each is decoded when
    // first asked for (decoding them all held up the start), then kept.
    QImage no_camera_image() const { return installedPicture("no_camera.jpg"); }
    QImage Err_image() const { return installedPicture("pic_err.png"); }
    QImage no_image_ctrl_GP() const { return installedPicture("pic_ic.png"); }
    QImage no_image() const { return installedPicture("no.png"); }
    QImage banner_image() const { return installedPicture("banner.png"); }
    QImage promotion_pattern_image() const { return installedPicture("pattern_1.jpg"); }
    QImage wizard_pattern_image() const { return installedPicture("Wizard_pattern.jpg"); }
    QImage sign_sample_img() const { return installedPicture("sign_sample.png"); }
    QImage fp_sample_img() const { return installedPicture("fingerprints.png"); }
    QImage barcode_sample_img() const { return installedPicture("barcode_sample.png"); }
    QImage installedPicture(const char *name) const;

    // --- card sides, profiles, fonts ---
    // Made once and kept: the canvases paint from them.
    std::unique_ptr<Card_Property> Front_card_Prop = std::make_unique<Card_Property>();
    std::unique_ptr<Card_Property> Back_card_Prop = std::make_unique<Card_Property>();
    User_Profile_Class Front_user_profile, Back_user_profile, TEMP_user_profile;
    QFont Text_font, All_Text_font, WM_Text_font;
    std::optional<QFont> All_Text_font_COPY;
    QColor All_Text_clr = Qt::black, All_Text_clr_COPY = Qt::black;
    QImage Main_Photo_image;
    bool main_photo_ds_batch = false;
    int Image_Ctrl_Counter = 0;
    int excel_cb_value[13] = {};  // excel_cb_value1 … excel_cb_value12 at [1] … [12]
    int excel_cb_value_f_man = -1, excel_cb_value_b_man = -1;
    // Text and image controls with their own ids, per side: the entry panels of live mode.
    std::vector<DynamicControlRow> dynamic_ctrl_list_front, dynamic_ctrl_list_back;
    QList<QVariantMap> ListData, GroupListData;
    // The application's one spreadsheet table (`Data_From_Excel_Window`): the design file
    // saves and restores it, and group mode, the profile dialogs, the cropping tool, the crop
    // command, the panel's column lists and every export, print and mail run read it.
    Data_From_Excel &Excel_Table() const { return *m_excelTable; }
    SKTGraphicArray Graphics_array_Batch_Front_Bkup, Graphics_array_Batch_BAck_Bkup;

    // --- canvases and tools ---
    SKTGraphicView *_graphicView = nullptr, *_graphicView_BACK = nullptr, *_graphicView_TEMP = nullptr;
    SKTZoomingScrollView *_zoomingScrollView = nullptr, *_zoomingScrollView_BACK = nullptr,
                         *_zoomingScrollView_TEMP = nullptr;
    SKTGrid *_grid = nullptr;
    double _zoomFactor = 1.0;
    int Selected_Control_Tool = 0;
    UndoRedoHistory &undoHistory() { return *m_undo; }

    // --- outlets (objectName = outlet name) ---
    QWidget *Right_Prop_Box = nullptr, *myTargetView = nullptr;
    QWidget *first_view = nullptr, *second_view = nullptr, *temp_design_view = nullptr;
    QLabel *Front_back_label = nullptr;
    QToolButton *Front_Side_btn = nullptr, *Back_Side_btn = nullptr;
    QTabWidget *sett_tab = nullptr;
    QWidget *card_setting_tab = nullptr, *card_info_tab = nullptr, *card_size_tab = nullptr, *card_bkgd_tab = nullptr,
            *card_brdr_tab = nullptr, *line_tab = nullptr, *shape_tab = nullptr, *text_edtng_tab = nullptr,
            *text_prop_tab = nullptr, *image_tab = nullptr, *sign_tab = nullptr, *datasource_tab = nullptr,
            *aligmnt_tab = nullptr, *barcode_tab = nullptr, *Lock_tab = nullptr;
    QWidget *Last_Card_Sel_Tab = nullptr;
    QGroupBox *card_size_box = nullptr;
    QLineEdit *width_Text = nullptr, *height_Text = nullptr, *card_name = nullptr;
    QDoubleSpinBox *width_Stepper = nullptr, *height_Stepper = nullptr;
    // Sides (0 two sides, 1 one side), orientation ("Horizontal", "Vertical"), card category and
    // the category's preset list.
    QComboBox *Sides_ComboBox = nullptr, *Preset_ComboBox = nullptr, *Category_ComboBox = nullptr;
    QListWidget *ColList = nullptr;
    QLabel *unit_width_label = nullptr, *unit_height_label = nullptr, *ctrl_x_pos_unit_lbl = nullptr,
           *ctrl_y_pos_unit_lbl = nullptr, *ctrl_width_unit_lbl = nullptr, *ctrl_height_unit_lbl = nullptr;
    QToolButton *Undo_btn = nullptr, *Redo_btn = nullptr, *Cut_btn = nullptr, *Copy_btn = nullptr,
                *Paste_btn = nullptr, *Delete_btn = nullptr, *Begin_Front_btn = nullptr, *Send_Back_btn = nullptr,
                *Lock_btn = nullptr, *Unlock_btn = nullptr, *text_tool_btn = nullptr, *image_tool_btn = nullptr,
                *image_library_tool_btn = nullptr, *copy_card_design_btn = nullptr;
    // The stage of a design being loaded (`curr_msg_count_str`); empty otherwise.
    QLabel *modeless_msg_lbl = nullptr;
    QAction *undo_menu = nullptr, *redo_menu = nullptr, *snap_grid_menu = nullptr, *rulers_menu = nullptr;
    QCheckBox *Show_hide_grid_chk = nullptr;
    QPushButton *Grid_clr = nullptr;
    QSlider *Grid_Space_slidr = nullptr;
    QGroupBox *Grid_Opt_box = nullptr;
    QDialog *Unit_PrefWindow = nullptr;
    QButtonGroup *unit_matrix = nullptr;
    QLineEdit *Manual_image_path = nullptr;
    QPushButton *page_frm_printer_btn = nullptr;
    QComboBox *Data_source_type = nullptr, *Batch_Series = nullptr;
    Start_Card *start_window = nullptr;
    SKTZoomingScrollView *zoomViewOfSide(int side) const;

    // --- construction helpers of the Parts ---
    void Set_Card_Size_In_Control(double widthMM, double heightMM);
    // Sets the card size (points) in both sides' card properties; canvases follow.
    void SetDocumentCanvasSize(const QSizeF &points);
    // A copy of side 0 (front), 1 (back) or 2 (temp, with the back's card) of the open design,
    // to render away from the window.
    CardSide Card_Side_Value(int side) const;
    QSizeF Set_Document_Size(const QSizeF &size) { return SKTDocument::canvasSize(false, size); }
    void Set_Canvas_to_100_percent();

    // --- tools ---
    void Select_tool_action();
    void selectArrowTool();
    void selectedToolDidChange();
    QString Generate_Extra_image_control_ID();
    // Asks for a picture file for a new image control; false when none is chosen.
    bool Browse_User_Image_Manually();
    // The clip-art library ("C") or background library ("B"); 1 when a picture was chosen.
    int Open_Image_Library_Window(const QString &mode);

    // --- new project and start dialog ---
    void New_Project_Setting_Reset(bool full);
    void New_Project();
    // "Do you want to save changes before opening new document?": true when a new design may
    // replace the open one (No, or Yes and a save that was written).
    bool Save_Changes_Before_New();
    void Set_Log_Name_In_Title();
    // The open design's file was renamed (by the group wizard's store): the window writes the new
    // name from now on, also when the start dialog it was renamed in is cancelled.
    void Open_File_Renamed(const QString &path);
    void Open_Start_Window();
    // File > Start…: asks to save, then runs the start dialog once over the open design; a Cancel
    // anywhere on the road (the question, the dialog, the mode's own dialog) leaves it as it was.
    bool Start_Over_Open_Design();
    // Carries out a start mode chosen in the start dialog; 1 when a design came about.
    int Start_Mode_Dispatch(const QString &option);
    // Empties the undo history with the live sides as its base, Undo and Redo disabled.
    void Reset_Undo_With_Base_Snapshot();

    // --- start modes: the dialogs of each road and what a road leaves behind ---
    Card_Wizard *wzrd_Window = nullptr;
    Template_Wizard *temp_wzrd_Window = nullptr;
    Image_Library *image_library = nullptr;
    Insert_Template *insert_template = nullptr;
    void buildStartDialogs();
    int Start_From_Template(bool visitor);
    int Start_From_Wizard();
    int Start_Group_Mode();
    // The wizard's choice on both sides' card properties and in the card tab.
    void Apply_Wizard_To_Window(const CardWizardChoice &choice);
    // The loaded template's orientation, category and preset shown in the card tab.
    void Show_Template_Size_Choice();
    // A visitor design gets a photo control on the front unless it has one or any image control.
    void Check_For_Defalut_Photo_Control();
    // 1 when the current side's selected control is an image control or one was found and
    // selected; 0 when the side has none.
    int Find_And_Select_Design_Image_Control();
    void Load_Group_Mode_After_log_reading();
    // Set once the user chose to leave: the start-up shows no window then.
    bool Exit_Confirmed() const { return m_exitConfirmed; }

    // --- design files ---
    // The open design as the file stores it. Both sides take their `Card_Side` from the sides
    // selector and their card size from the card-size fields; a side that is not image-filled forgets its
    // background picture path.
    DesignData Current_Design_Data();
    // Saves the open design (mode "L" a design, "T" a template); true when the file was written.
    bool Save_project_file(bool saveAs, bool showMessages, const QString &mode);
    // Reads the file whole and, only when it is sound, resets the window and applies it
    // (mode "L" makes it the current design, "T" loads it as a template). 1 loaded, 0 refused.
    int Read_and_load_design_Log_NEW_METHOD(const QString &path, const QString &mode, bool readTable);
    // Resets the window and puts a checked design onto it. Answers the pictures it names that
    // are not there, for the caller to tell once its please-wait sheet is gone.
    QStringList Apply_Loaded_Design(DesignData design, const QString &path, const QString &mode, bool readTable);
    // The open panel and the load of the start dialog's "L" road: 1 when a design was loaded.
    int Open_Log_File();
    // File > Open after its save question: the panel, the whole read, then the design shown on
    // its front with an empty history; 1 when a design was opened.
    int Open_Saved_Design();
    int Show_Opened_Design(DesignOpenOutcome outcome);
    // The "L" road without its panel, for a design named at start-up: true when it was loaded.
    bool Open_Design_At_Start(const QString &path);
    // The count of image controls of the current side, in visitor and group mode.
    void Image_Control_Counter_Check();
    // Exit_App: true when the application is to end (it has been asked to quit).
    bool Exit_App();

    // The message boxes the shared message functions show; both run on the GUI thread (the
    // message functions hand a worker's request over and wait).
    void Main_Thread_Messgae(const QString &text);
    int Main_Thread_Messgae_Yes_No(const QString &text);  // 1 Yes, 0 No
    // The progress label shows the stage of a load (empty hides it).
    void Set_Progress_Text(const QString &text);    void Show_Hide_Main_Window(bool show);
    void Show_Canvas_And_Right_Prop() { Show_Hide_Main_Window(true); }

    // --- sides and views ---
    SKTGraphicView *currentCanvas() const;
    SKTGraphicView *canvasOfSide(int side) const;
    const SKTGraphicArray &Get_Front_Controls_Array() const { return m_document.graphics(); }
    const SKTGraphicArray &Get_Back_Controls_Array() const { return m_document.graphics_back(); }
    SKTGraphicArray Get_Temp_Controls_Array() const { return m_document.graphics_temp(); }
    int Get_Front_Control_Count() const { return int(m_document.graphics().size()); }
    int Get_Back_Control_Count() const { return int(m_document.graphics_back().size()); }
    int Get_Temp_Control_Count() const { return int(m_document.graphics_temp().size()); }
    SKTGraphic *Get_Selected_Graphic() const;
    void Set_Selected_Graphic(SKTGraphic *graphic);
    void Select_front_side();
    void Select_back_side();
    void Select_temp_design_side();
    // The preview side shows the current side's own controls, or copies of them (`copies`: a
    // profile preview lays its fields on them without touching the card).
    void Temp_Design_Control_Assign(bool copies = false);
    void changeViewController(int index);

    // --- property panel (the panel object owns its tabs and their work) ---
    PropertyPanel &propertyPanel() { return *m_panel; }
    // The four card tabs, their loading and write-back and the size page.
    CardTabs &cardTabs() { return *m_cardTabs; }
    bool hasPropertyPanel() const { return bool(m_panel); }
    void Show_RHS_Properties(SKTGraphic *control) override;
    // The control the panel shows; nullptr for the card or once that control is gone.
    SKTGraphic *Last_Selected_Graphic() const;
    void card_prop_set(const QString &fillStyle);
    void Refresh_Canvas() override;

    // --- undo (forwarded to the history) ---
    void Insert_In_Undo_Redo();
    void Undo_Redo_Clear();
    void Check_Undo_Redo_Btn_Enability();
    void Enable_Disable_Undo(bool enabled) override;
    void Enable_Disable_Redo(bool enabled) override;
    LiveModeSidePanel *Live_Mode_Panel(int side) override;
    Card_Property Card_Property_Of_Side(int side) const override;
    void Restore_Card_Property(int side, const Card_Property &card) override;

    // --- card-size change: the controls follow a card that was `oldSize` (points) ---
    // The title names the card after every change, whether the twin was loaded or the design scaled.
    void Card_Control_Size_Change_or_not(const QSizeF &oldSize);
    // After a template was loaded over a visitor design: visitor mode again, with its photo
    // control, its panels and the template's custom fields as panel rows.
    void Resume_Visitor_Desk();
    void Set_Control_Location_Size_IF_Card_Size_Change(float old_width, float old_height, float new_width,
                                                       float new_height, bool change_font_size);
    static void Chane_control_size_location_for_both_side(const SKTGraphicArray &controls, float percent_value_width,
                                                          float percent_value_height);

    // --- units and grid ---
    void _setLabels();
    void Apply_unit_Chaneg_Values();
    void On_OK_of_Unit_Panel();
    void Reset_Group_Mode_Excel_Col_Index();
    void Show_Hide_Text_Transp_Ctrl(bool hidden);
    void Show_Hide_Shape_Transp_Ctrl(bool hidden);
    void Show_Hide_Card_Transp_Ctrl(bool hidden);
    // The series lists of the panel read the series folder again, keeping their choice.
    void Refresh_All_Series_Combobox();
    // Refills the combo box with the series names, keeping the series it showed (by name, so a
    // series deleted before it does not shift the choice) or choosing `newName` when given.
    static void Refresh_Data_Set_File_Name_In_Combo(QComboBox *combo, const QString &newName);
    // No picture is too large to take: always 0.
    static int Image_Is_Over_Size(const QString &path, bool showMessage);
    // The file's size in bytes; 0 when it does not exist.
    static quint64 Get_File_Size_At_Path(const QString &path);
    // The picture an image control was made from (`Text_Value`), when both it and the picture in
    // use still exist; empty otherwise.
    static QString Get_Original_Path_Of_Image_Control(const SKTGraphic &control);
    // A stored picture path made to point into this installation's resources `resources`:
    // trimmed; a path into another installation's resources ("…/share/badgeloom/…") keeps the
    // part after that folder, whether the file exists here or not; a bare file name that the
    // resources hold (the delivered templates' "no.png") is taken from them. Anything else is
    // kept as it is.
    static QString Check_Path_For_App_Resources(const QString &path, const QString &resources);
    // Gives the widget the keyboard focus of the window.
    void SetFocus(QWidget *view);
    // The camera folder written into its file whole; false when it could not be written.
    bool Create_Camera_Path_File();
    // Lays the invitation the wizard handed over out on the front side.
    void Fill_Party_Invidation_Details();
    // The invitation wizard and what it leaves: 1 when an invitation (or a saved design opened
    // from the wizard) is on the window, 0 when nothing changed.
    Invitation_Wizard *inv_wzrd_Window = nullptr;
    int Start_From_Invitation();
    // The front's invitation photo ("PARTY_IMAGE"); nullptr when there is none.
    SKTGraphic *Invitation_Photo_Control() const;
    // The context-menu commands this window carries out.
    static bool Window_Command_Available(const QString &action);

    // --- data sources (the panel's choice; DataSourceCommands.cpp) ---
    // Binds the selected controls of the current side (0 manual, 1 the series `name`, 2 the
    // column `index` of the spreadsheet table) and shows the first value; one undo step.
    void Change_Data_Source_To_selected_Control(int type, const QString &name, int index);
    // The titles a column list offers: every column of the table, the row number first; none
    // while no sheet is loaded.
    QStringList Excel_Column_Titles() const;
    // The header title of column `index` of the table; empty past its columns.
    QString Get_Excel_Column_Name_Of_Index(int index) const;
    // The type list offers "Excel" while a sheet is loaded: added when it has two items, removed
    // when it has three.
    void Add_Excel_Col_Name_In_Combo(QComboBox *type);
    void Remove_Excel_Col_Name_In_Combo(QComboBox *type);
    // With "Excel" chosen, the column list is filled again from the table; the bindings stay.
    void Update_Excel_Column_If_Datasource_Is_Excel(QComboBox *type);
    // The table was filled, emptied or loaded: the panel's lists follow.
    void Excel_Table_Changed();
    // The series viewer for a series (type 1), the spreadsheet table's viewer (type 2).
    void View_Data_Source(int type, const QString &name);
    // The stock-text picker in mode "T" (titles) or "M" (messages); 1 with `text` chosen.
    int Open_Stock_Text(const QString &mode, QString &text);

    // --- export ---
    // What export, print and mail run on: both sides and their data, as values.
    BatchDesign Set_Front_Back_Value_To_Print_Export_Mail() const;
    // The same after the row on show of a group project is laid on the side not in work (which
    // may still show an older row), as export, print and mail take it; the side in work goes
    // out as it is shown.
    BatchDesign Prepare_Print_Export_Mail();
    ExportCommand *exportCommand();
    Print_Wnd *printWindow();
    void Print_method();
    // Saves the open design as the template `name` in `folder` with its preview; true when both were written.
    bool Export_As_Template(const QString &folder, const QString &name);
    // Tools > User Profile: the profile fields of the side on show.
    void User_Profile_Clicked();

public slots:
    void Arrow_Tool_Clicked();
    void Line_Tool_Clicked();
    void Text_Tool_Clicked();
    void Rect_Tool_Clicked();
    void Circle_Tool_Clicked();
    void Round_Rect_Tool_Clicked();
    void Triangle_Tool_Clicked();
    void Diamond_Tool_Clicked();
    void Image_Tool_Clicked();
    void Image_Library_Tool_Clicked();
    void Barcode_Tool_Clicked();
    void Signature_Tool_Clicked();
    void Fingure_Print_Tool_Clicked();
    void Star_Tool_Clicked();
    void Double_Star_Tool_Clicked();
    void Polygon_Tool_Clicked();
    void Watermark_Tool_Clicked();
    void newDocumentWindow();
    void New_Btn_Clicked();

    void Front_Card_Btn_Clicked();
    void Back_Card_Btn_Clicked();
    void Temp_Card_Btn_Clicked();

    void Cut_Clicked();
    void Copy_Clicked();
    void Paste_Clicked();
    void Delete_Clicked();
    void Begin_Front_Clicked();
    void Send_Back_Clicked();
    void Lock_Clicked();
    void Unlock_Clicked();
    void Show_Hide_Ruler_ChkBox();
    // The Edit menu's Cut, Copy, Paste and Delete as the current canvas validates them, and the
    // View menu's ruler item named after the rulers' state. Without `clipboard` Paste keeps its
    // state: asking another program's clipboard on every selection change could stall a drag.
    void Validate_Menu_Items(bool clipboard = true);
    void Actual_Size_Toolbar_btn();
    void Zoom_In_Toolbar_btn();
    void Zoom_Out_Toolbar_btn();
    void Undo_Clicked();
    void Redo_Clicked();

    void doPreferences();
    void toggleGridConstraining();
    void toggleGridShowing();
    void Grid_Clr_Changed();
    void Grid_Slider_Changed();
    void Grid_Show_Hide_Changed();

    void Save_Btn_Clicked();
    void SaveAs_Btn_Clicked();
    void Open_Btn_Clicked();
    void Close_Document_Clicked();
    void Exit_Btn_Clicked();
    void Copy_Card_Design_Clicked();
    void Select_All_Clicked();
    // Export of the card, or of one card per data row (the command lives in the data library).
    void Export_Button();
    // Mails the card, or one card per data row (the window lives in the output library).
    void Mail_Button();
    // The print window over the design and its data.
    void Print_Button();

    // --- window commands that open other subsystems' windows, help, the card's own tabs ---
    void Batch_Series_Button();
    void Import_Wizard_Button();
    void Create_Series_Button();
    void Cropping_Tool_Clicked();
    void Help_Button();
    // --- links: each hands one address of the project's (Help_Support.h) to the desktop ---
    void Open_Support_Mail();
    void Open_Reseller_Mail();
    void Open_Website_1();
    void Open_Website_2();
    void Open_Website_3();
    void Open_FaceBook();
    void Open_Twitter();
    void Open_FB_Like();
    void Open_Share_It_Dl();
    void Open_Share_It_And_Get_It_Free();
    void Share_It_Button_Clicked();
    void Get_It_Free_Button_Clicked();
    void Facebook_Clicked();
    void Twitter_Clicked();
    void FB_Like_Clicked();
    // Help > On the Web > Share badgeloom: the share window.
    void Show_Share_It_Dlg();
    void Card_Prop_Clicked();
    void Card_Bckgrnd_Clicked();
    void Export_As_Template_Clicked();
    // File > New Invitation: offers to save, then the invitation wizard.
    void Invitation_Wizard_Button();
    // Tools > Invitation Photo: the wizard's photo page for the invitation's photo.
    void Edit_Invitation_Photo_Clicked();
    // The grid box, slider, options and the snap menu item shown as the grid is.
    void Sync_Grid_Controls();

signals:
    // Posted whenever the tool is set.
    void SKTSelectedToolDidChange();

protected:
    // Closing the window ends the application: it asks as Exit does, so no design is lost.
    void closeEvent(QCloseEvent *event) override;

private:
    mutable QHash<QString, QImage> m_installedPictures;  // installedPicture's, by file name
    void buildWindow();
    QWidget *buildToolBar();
    void buildEditMenu(QMenu *edit);
    void buildToolsMenu();
    void buildLinksMenu(QMenu *help);
    QWidget *buildToolPalette();
    QWidget *buildDesignArea();
    QWidget *buildPropertyPanel();
    QWidget *buildCardTab();
    void buildUnitWindow();
    QWidget *makeDesignView(int side);
    void setTool(int code);
    void zoomStep(int step);
    void lockSelection(bool lock);
    void selectSide(int side);
    // A person's side switch in group mode: the side in work's unsaved row changes are saved
    // or dropped first, as the person answers. False when the person stays on that side.
    bool Settle_Group_Row_Before_Side_Switch();
    void applyCardSide(const QString &cardSide);
    void placeLoadedControls(int side, const SKTGraphicArray &controls);
    // The work of a card-size change: the twin loaded, or the controls scaled.
    void followCardSize(const QSizeF &oldSize);
    bool saveOpenDesign() { return Save_project_file(false, true, QStringLiteral("L")); }

    SKTDocument &m_document;
    Data_From_Excel *m_excelTable = nullptr;  // a child of the window
    Data_From_Excel *m_previousExcelTable = nullptr;
    std::unique_ptr<ControllerHub> m_hub;
    std::unique_ptr<UndoRedoHistory> m_undo;
    std::unique_ptr<PropertyPanel> m_panel;
    ExportCommand *m_export = nullptr;
    Send_Mail *m_mail = nullptr;
    Print_Wnd *m_print = nullptr;
    std::unique_ptr<CardTabs> m_cardTabs;
    QStackedWidget *m_designStack = nullptr;
    bool m_tempMirrorsSide = false;  // the preview side shows the current side's own controls
    bool m_rulersShown = false;
    // Set once the questions of Exit were answered with yes: the close that quitting brings
    // must not ask them again.
    bool m_exitConfirmed = false;
    bool m_startOverOpenDesign = false;  // the start dialog runs over a design it must not lose
    // The undo history was started again over the user's edits (controls scaled to a new card
    // size): empty as it is, the design is no longer fresh from its template.
    bool m_editsBeforeHistory = false;
    // The sides' cards when the history last started: a look changed on the card tabs since (no
    // undo step records it) is the user's work too.
    std::array<Card_Property, 2> m_cardsAtHistoryStart;
    // The card's name and sides as the last template loaded gave them: set otherwise on the card
    // tabs, they are the user's, and the template's orientation twin takes them over.
    QString m_templateCardName, m_templateCardSide;
    // The orientation the last template loaded came in: its twin is found from it, whatever the
    // card was turned to since (Custom in between leaves the template on show as it was).
    QString m_templatePreset;
    // The card size the controls were last laid out for (loaded or scaled); none for a new card. A
    // Custom size changes no control, so an unedited design scales on from this size, not that one.
    QSizeF m_laidOutFor;
    int m_designLoads = 0;               // designs loaded into the window in this run
    QString m_openFileRenamed;           // the open file's new name, when a start dialog renamed it
    // What was damaged in the design on show, from its loading until a save the user agreed to.
    QStringList m_damagedRecords;
};

// The one controller of the run, set by its constructor; nullptr before.
extern SKTWindowController *Main_App_wnd;
