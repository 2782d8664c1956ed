#include "mainwindow/SKTWindowController.h"
#include "platform/TypedNumber.h"
#include "properties/PanelPlan.h"
#include "canvas/LiveModePanel.h"
#include "core/DesignCommands.h"

#include "barcode/ControlBarcode.h"
#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "core/PictureServices.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "core/SKTImage.h"
#include "canvas/SKTZoomingScrollView.h"
#include "core/Utilities.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "mainwindow/ControllerHub.h"
#include "mainwindow/Grid_Wizard.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLogic.h"
#include "mainwindow/Start_Card.h"
#include "mainwindow/WindowStyle.h"
#include "groupmode/GroupMode.h"
#include "mainwindow/GroupModeWiring.h"
#include "platform/MainThread.h"
#include "properties/CardTabs.h"
#include "properties/PropertyPanel.h"
#include "platform/Paths.h"
#include "platform/PictureBudget.h"
#include "platform/RegularFile.h"
#include "platform/UiServices.h"
#include "visitor/ProfileCaptions.h"
#include "visitor/Profile_Panel.h"
// Group mode is reached through its wiring.
#include "groupmode/GroupMode.h"
#include "mainwindow/GroupModeWiring.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QButtonGroup>
#include <QSaveFile>
#include <QSlider>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

SKTWindowController *Main_App_wnd = nullptr;

namespace {
SKTWindowController *g_instance = nullptr;

QImage resourceImage(const QString &name)
{
    return QImage(platform::joinPath(Resource_Path, name));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// construction

namespace {
// A new design starts from default card properties on a card of the size shown.
void resetKeepingSize(Card_Property &card)
{
    const QSizeF size = card.Card_Size();
    card = Card_Property();
    card.setCard_Size(size);
}
}  // namespace

QImage SKTWindowController::installedPicture(const char *name) const
{
    const QString key = QString::fromLatin1(name);
    auto found = m_installedPictures.constFind(key);
    if (found == m_installedPictures.constEnd())
        found = m_installedPictures.insert(key, resourceImage(key));
    return *found;
}

SKTWindowController::SKTWindowController(SKTDocument &document) : m_document(document)
{
    setObjectName(QStringLiteral("Main_wnd"));
    // First of all: every subsystem built below reaches the table through the window's one.
    m_excelTable = new Data_From_Excel(this);
    m_previousExcelTable = Data_From_Excel::setDefaultInstance(m_excelTable);
    connect(m_excelTable, &Data_From_Excel::changed, this, &SKTWindowController::Excel_Table_Changed);
    if (Resource_Path.isEmpty() || Created_Resource_Path.isEmpty())
        Init_Application_Paths();
    Text_Ctrl_Font = DEFAULT_FONT.family();
    m_appName = QCoreApplication::applicationName();
    // The data folder holds visitors' personal details: private to the user.
    Create_Folder(Created_Resource_Path, 0700);

    Allowd_Image_fileTypes = {QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("jpe"),
                              QStringLiteral("jfif"), QStringLiteral("gif"), QStringLiteral("bmp"),
                              QStringLiteral("png"), QStringLiteral("tif"), QStringLiteral("tiff")};
    _grid = new SKTGrid(this);
    _zoomFactor = 1.0;
    Selected_Control_Tool = 0;

    g_instance = this;
    Main_App_wnd = g_instance;

    Text_font = All_Text_font = WM_Text_font = QFont(Text_Ctrl_Font, Text_Ctrl_Font_Size);
    m_undo = std::make_unique<UndoRedoHistory>(m_document, this);

    pvc_card_arry = pvc_card_names();
    paper_card_arry = paper_card_names();
    camera_path_file = Camera_Path_File();
    NO_Image_Path = platform::joinPath(Resource_Path, QStringLiteral("no.png"));

    front_btn_image = resourceImage(QStringLiteral("front-2.png"));
    back_btn_image = resourceImage(QStringLiteral("back-2.png"));
    front_btn_image_sel = resourceImage(QStringLiteral("front-sel.png"));
    back_btn_image_sel = resourceImage(QStringLiteral("back-sel.png"));

    resetKeepingSize(*Front_card_Prop);
    resetKeepingSize(*Back_card_Prop);
    Front_user_profile.Reset_All_Values();
    Back_user_profile.Reset_All_Values();
    TEMP_user_profile.Reset_All_Values();
    Reset_Group_Mode_Excel_Col_Index();

    m_hub = std::make_unique<ControllerHub>(*this);
    barcode::Install_Control_Barcode_Provider();
    buildWindow();
}

SKTWindowController::~SKTWindowController()
{
    // The panel goes first: it listens to the clipboard and the grid, not to a half-gone window.
    m_panel.reset();
    for (SKTGraphicView *canvas : {_graphicView, _graphicView_BACK, _graphicView_TEMP})
        if (canvas)
            canvas->unbindGraphics();
    m_hub.reset();
    if (Data_From_Excel_Window == m_excelTable)
        Data_From_Excel::setDefaultInstance(m_previousExcelTable);
    if (Main_App_wnd == this)
        Main_App_wnd = nullptr;
    if (g_instance == this)
        g_instance = nullptr;
}

SKTWindowController *SKTWindowController::defaultInstance()
{
    return g_instance;
}

QString SKTWindowController::Front_Card_Name() const
{
    return Front_card_Prop ? Front_card_Prop->Card_Name() : QString();
}

QString SKTWindowController::Project_File_Name() const
{
    return ::Project_File_Name;
}

void SKTWindowController::Reset_Group_Mode_Excel_Col_Index()
{
    for (int &v : excel_cb_value)
        v = -1;
    excel_cb_value_f_man = excel_cb_value_b_man = -1;
}

// ---------------------------------------------------------------------------------------------
// window set-up

bool SKTWindowController::awakeFromNib(const QString &designPath)
{
    applyDialogBackground(this);
    // The window takes the whole screen with its frame: maximised, so a window manager keeps the
    // title bar and the edges on the screen. Until then, and when it is restored, it leaves the
    // frame room as well.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        constexpr QMargins kFrame(4, 32, 4, 4);
        setGeometry(screen->availableGeometry() - kFrame);
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    Title_For_Student();
    Title_For_Gen_ID_Card();

    if (!Create_Folder(Resource_Path, 0777)) {
        Show_MessageBox(QStringLiteral("Can not access Data file."));
        // The caller ends the program: an exit asked for before any event loop runs would
        // instead make every later loop, each modal dialog's, return at once.
        return false;
    }
    Data_Folder_Path = platform::joinPath(Created_Resource_Path, QStringLiteral("DataSet"));
    Camera_Capture_Count = 1;

    // The camera folder remembered in its file, when that still names a folder.
    Camera_Folder_Path.clear();
    QFile remembered(camera_path_file);
    // A regular file only: a FIFO in its place would hold the start for good.
    if (platform::openRegularFile(remembered)) {
        const QString text = QString::fromUtf8(remembered.read(4096));
        if (!text.isEmpty() && QFileInfo(text).isDir())
            Camera_Folder_Path = text;
    }
    if (Camera_Folder_Path.isEmpty())
        Camera_Folder_Path = Default_Camera_Folder();
    Create_Camera_Path_File();
    Camera_Capture_Image = platform::joinPath(Camera_Folder_Path, QStringLiteral("velk_user_save.png"));

    {
        PanelFillGuard filling;
        Measument_Unit_Is = 2;
        last_unit_val = 2;
        _setLabels();
        Sides_ComboBox->setCurrentIndex(0);
        Preset_ComboBox->setCurrentIndex(0);
        Category_ComboBox->setCurrentIndex(0);
        m_cardTabs->Fill_Category_List();
        ColList->setCurrentRow(0);
        m_cardTabs->Orientation_Chosen();
        card_prop_set(QStringLiteral("S"));
    }

    Show_Hide_Ruler_ChkBox();  // the three canvases show their rulers alike
    SetDocumentCanvasSize(SKTDocument::canvasSize(true, {}));
    const QSizeF cardMM = Get_My_card_Size(QStringLiteral("PVC Card"), QStringLiteral("H"), 0);
    Set_Card_Size_In_Control(cardMM.width(), cardMM.height());

    _graphicView->bindGraphics(&m_document, 0);
    _graphicView_BACK->bindGraphics(&m_document, 1);
    _graphicView_TEMP->bindGraphics(&m_document, 2);
    _graphicView->setCardProperty(Front_card_Prop.get());
    _graphicView_BACK->setCardProperty(Back_card_Prop.get());
    _graphicView_TEMP->setCardProperty(Back_card_Prop.get());
    for (SKTGraphicView *canvas : {_graphicView, _graphicView_BACK, _graphicView_TEMP})
        canvas->setGrid(_grid);

    if (designPath.isEmpty() || !Open_Design_At_Start(designPath))
        New_Project();
    changeViewController(0);
    return true;
}

// ---------------------------------------------------------------------------------------------
// card size, canvas size

void SKTWindowController::Set_Card_Size_In_Control(double widthMM, double heightMM)
{
    width_Stepper->setValue(widthMM);
    height_Stepper->setValue(heightMM);
    width_Text->setText(Size_Field_Text(widthMM, 2));
    height_Text->setText(Size_Field_Text(heightMM, 2));
    last_unit_val = 2;
    Apply_unit_Chaneg_Values();
    last_unit_val = Measument_Unit_Is;
}

void SKTWindowController::SetDocumentCanvasSize(const QSizeF &points)
{
    // The card properties hold the size; the canvases follow them.
    Front_card_Prop->setCard_Size(points);
    Back_card_Prop->setCard_Size(points);
    for (SKTGraphicView *canvas : {_graphicView, _graphicView_BACK, _graphicView_TEMP})
        canvas->setCanvasSize(points);
    Refresh_Canvas();
}

CardSide SKTWindowController::Card_Side_Value(int side) const
{
    const Card_Property &card = side == 0 ? *Front_card_Prop : *Back_card_Prop;
    return CardSide::copyOf(card, m_document.graphicsOfSide(std::clamp(side, 0, 2)));
}

void SKTWindowController::Set_Canvas_to_100_percent()
{
    for (int side = 0; side < 3; ++side)
        zoomViewOfSide(side)->setFactor(1.0);
    _zoomFactor = 1.0;
}

// ---------------------------------------------------------------------------------------------
// tools

void SKTWindowController::setTool(int code)
{
    Selected_Control_Tool = code;
    Select_tool_action();
}

void SKTWindowController::Arrow_Tool_Clicked() { setTool(ArrowTool); }
void SKTWindowController::Line_Tool_Clicked() { setTool(LineTool); }
void SKTWindowController::Text_Tool_Clicked() { setTool(TextTool); }
void SKTWindowController::Rect_Tool_Clicked() { setTool(RectTool); }
void SKTWindowController::Circle_Tool_Clicked() { setTool(CircleTool); }
void SKTWindowController::Round_Rect_Tool_Clicked() { setTool(RoundRectTool); }
void SKTWindowController::Triangle_Tool_Clicked() { setTool(TriangleTool); }
void SKTWindowController::Diamond_Tool_Clicked() { setTool(DiamondTool); }
void SKTWindowController::Image_Tool_Clicked() { setTool(ImageTool); }
void SKTWindowController::Image_Library_Tool_Clicked() { setTool(ImageLibraryTool); }
void SKTWindowController::Barcode_Tool_Clicked() { setTool(BarcodeTool); }
void SKTWindowController::Signature_Tool_Clicked() { setTool(SignatureTool); }
void SKTWindowController::Fingure_Print_Tool_Clicked() { setTool(FingerprintTool); }
void SKTWindowController::Star_Tool_Clicked() { setTool(StarTool); }
void SKTWindowController::Double_Star_Tool_Clicked() { setTool(DoubleStarTool); }
void SKTWindowController::Polygon_Tool_Clicked() { setTool(PolygonTool); }

void SKTWindowController::Select_tool_action()
{
    emit SKTSelectedToolDidChange();
    selectedToolDidChange();
    Refresh_Canvas();
    SKTGraphicView *canvas = currentCanvas();
    Show_RHS_Properties(canvas->Selected_Graphic());
    canvas->setFocus();
}

void SKTWindowController::selectArrowTool()
{
    Selected_Control_Tool = ArrowTool;
    emit SKTSelectedToolDidChange();
}

void SKTWindowController::selectedToolDidChange()
{
    const std::optional<ToolSpec> spec = toolSpec(Selected_Control_Tool);
    if (!spec)
        return;
    QString controlId;
    bool useRect = true;
    if (spec->kind == SKTGraphicKind::Image) {
        const bool chosen = Selected_Control_Tool == ImageTool ? Browse_User_Image_Manually()
                                                                : Open_Image_Library_Window(QStringLiteral("C")) == 1;
        if (!chosen) {
            // A cancelled chooser must not leave the image tool set for the next drag.
            selectArrowTool();
            return;
        }
        if (Start_Card_Option == QStringLiteral("V")) {
            controlId = Generate_Extra_image_control_ID();
            useRect = false;
        }
    }
    const QString side = Card_Front_Or_Back == 1 ? QStringLiteral("B") : QStringLiteral("F");
    currentCanvas()->createGraphicOfClass(spec->kind, nullptr, useRect, spec->defaultRect, side, QString(), controlId);
    if (Selected_Control_Tool != ArrowTool)
        selectArrowTool();
}

QString SKTWindowController::Generate_Extra_image_control_ID()
{
    QString id;
    do {
        ++Image_Ctrl_Counter;
        id = QStringLiteral("F_Pic%1").arg(Image_Ctrl_Counter);
    } while (currentCanvas()->Selcect_Ctrl_With_ID(id));
    return id;
}

bool SKTWindowController::Browse_User_Image_Manually()
{
    const QString path =
        platform::ui().openFile(QStringLiteral("Select image"), QDir::homePath(), Allowd_Image_fileTypes);
    // A cancelled panel, or a file that is no picture, leaves no earlier choice behind for the
    // next control made.
    Library_Selected_Image = path.isEmpty() || !Check_Picture_File(path) ? QString() : path;
    return !Library_Selected_Image.isEmpty();
}

void SKTWindowController::Watermark_Tool_Clicked()
{
    Show_RHS_Properties(nullptr);
    sett_tab->setCurrentWidget(card_brdr_tab);
}

void SKTWindowController::newDocumentWindow() { Start_Over_Open_Design(); }

// ---------------------------------------------------------------------------------------------
// new project, title, start dialog

void SKTWindowController::New_Project_Setting_Reset(bool full)
{
    PanelFillGuard filling;
    Image_Ctrl_Counter = 0;
    m_damagedRecords.clear();
    m_laidOutFor = {};
    // The system clipboard belongs to every program; a new design leaves it alone.
    Check_Path_And_Create_Files();
    Undo_Redo_Clear();
    for (QToolButton *b : {text_tool_btn, image_tool_btn, image_library_tool_btn})
        b->setEnabled(true);
    Manual_image_path->clear();  // the placeholder's path is the installation's, not the user's
    _grid->setAlwaysShown(false);
    _graphicView->delete_all_control();
    _graphicView_BACK->delete_all_control();
    Show_Hide_Main_Window(false);
    Set_Canvas_to_100_percent();
    _graphicView->Set_Selected_Graphic(nullptr);
    _graphicView_BACK->Set_Selected_Graphic(nullptr);
    dynamic_ctrl_list_front.clear();
    dynamic_ctrl_list_back.clear();
    liveModePanel().Show_Hide_Profile_Panel_Live_Mode(false);
    for (Profile_Panel *panel : {Front_Profile_Panel_OBJ, Back_Profile_Panel_OBJ}) {
        if (panel)
            panel->Change_btn_location();
    }
    page_frm_printer_btn->setEnabled(false);
    last_ctrl_X = last_ctrl_Y = 10.0f;
    GroupListData.clear();
    Reset_Group_Mode_Excel_Col_Index();
    if (GroupMode *group = Group_Mode_Of(*this))
        group->Clear_Group_List();
    if (full) {
        Fill_User_Profile = false;
        New_Project_Profile_Reset({&Front_user_profile, &Back_user_profile});
    }
    // The preview's profile is the last Preview's scratch: no design keeps it.
    New_Project_Profile_Reset({&TEMP_user_profile});
    Batch_Series->setCurrentIndex(-1);
    ::Project_File_Name.clear();
    Library_Selected_Image.clear();
    Invite_Frame_IMG.clear();
    Invite_Frame_Pic_IMG.clear();
    main_photo_ds_batch = false;
    Main_Photo_image = QImage();
    All_Text_font = QFont(Text_Ctrl_Font, Text_Ctrl_Font_Size);
    All_Text_clr = Qt::black;
    All_Text_font_COPY.reset();
    All_Text_clr_COPY = All_Text_clr;
    resetKeepingSize(*Front_card_Prop);
    resetKeepingSize(*Back_card_Prop);
    Batch_Series->clear();
    Data_source_type->setCurrentIndex(0);
    if (full) {
        Excel_Binding_Use = false;
        if (Data_source_type->count() == 3)
            Data_source_type->removeItem(2);
    }
    Select_front_side();
    card_prop_set(QStringLiteral("S"));
    Set_Log_Name_In_Title();
}

void SKTWindowController::New_Project()
{
    New_Project_Setting_Reset(true);
    Show_RHS_Properties(nullptr);
    Refresh_Canvas();
    Open_Start_Window();
}

bool SKTWindowController::Save_Changes_Before_New()
{
    const int answer = Show_YES_NO_Cancel_MessageBox(
        QStringLiteral("Do you want to save changes before opening new document?"));
    // A save that was cancelled or failed keeps the design: starting afresh would lose it.
    return answer == platform::AnswerNo || (answer == platform::AnswerYes && saveOpenDesign());
}

void SKTWindowController::New_Btn_Clicked()
{
    if (Save_Changes_Before_New())
        New_Project();
}

void SKTWindowController::Set_Log_Name_In_Title()
{
    if (copy_card_design)
        return;
    setWindowTitle(formatWindowTitle(m_appName, Front_card_Prop->Card_Name(), ::Project_File_Name));
}

void SKTWindowController::Open_File_Renamed(const QString &path)
{
    ::Project_File_Name = m_openFileRenamed = path;
    Set_Log_Name_In_Title();
}

void SKTWindowController::Reset_Undo_With_Base_Snapshot()
{
    Undo_Redo_Clear();
    Insert_In_Undo_Redo();
    Enable_Disable_Undo(false);
    Enable_Disable_Redo(false);
}

void SKTWindowController::Show_Hide_Main_Window(bool show)
{
    if (copy_card_design)
        return;
    myTargetView->setVisible(show);
    Right_Prop_Box->setVisible(show);
    // Shown again, the panel is placed at once rather than at the next layout pass, so what reads
    // the columns' widths next (the live columns lending from it) sees the panel as the user will.
    if (auto *split = qobject_cast<QSplitter *>(Right_Prop_Box->parentWidget()); show && split)
        split->refresh();
    // A hidden design leaves no live panel beside it (New and Open from visitor or group mode).
    if (!show)
        liveModePanel().Hide_Visitor_panel();
}

// ---------------------------------------------------------------------------------------------
// sides

SKTGraphicView *SKTWindowController::canvasOfSide(int side) const
{
    return side == 0 ? _graphicView : side == 1 ? _graphicView_BACK : _graphicView_TEMP;
}

SKTZoomingScrollView *SKTWindowController::zoomViewOfSide(int side) const
{
    return side == 0 ? _zoomingScrollView : side == 1 ? _zoomingScrollView_BACK : _zoomingScrollView_TEMP;
}

SKTGraphicView *SKTWindowController::currentCanvas() const
{
    return Card_Front_Or_Back == 0 ? _graphicView : _graphicView_BACK;
}

SKTGraphic *SKTWindowController::Get_Selected_Graphic() const
{
    return currentCanvas()->Selected_Graphic();
}

void SKTWindowController::Set_Selected_Graphic(SKTGraphic *graphic)
{
    if (graphic)
        currentCanvas()->Set_Selected_Graphic(graphic);
}

void SKTWindowController::selectSide(int side)
{
    Front_back_label->setText(side == 0 ? QStringLiteral("Front") : QStringLiteral("Back"));
    Front_Side_btn->setIcon(QPixmap::fromImage(side == 0 ? front_btn_image_sel : front_btn_image));
    Back_Side_btn->setIcon(QPixmap::fromImage(side == 1 ? back_btn_image_sel : back_btn_image));
    Front_Side_btn->setChecked(side == 0);
    Back_Side_btn->setChecked(side == 1);
    if (auto *preview = findChild<QToolButton *>(QStringLiteral("Temp_Side_btn")))
        preview->setChecked(false);
    Last_Card_Sel_Tab = sett_tab->currentWidget();
    Card_Front_Or_Back = side;
    changeViewController(side);
    if (Start_Card_Option == QLatin1String("V") || Start_Card_Option == QLatin1String("G"))
        liveModePanel().change_Visitor_Side_View(side);
    // The row on show reaches the side now in work (group mode only; what a person typed there
    // for this row and has not saved stays); on the desk and in group mode alike the side's panel
    // then follows the locks of its controls.
    if (Start_Card_Option == QLatin1String("G")) {
        if (GroupMode *group = Group_Mode_Of(*this))
            group->Lay_Shown_Row_On_Side(side);
    }
    m_undo->Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
    Show_RHS_Properties(nullptr);
    const bool cardTab = Last_Card_Sel_Tab == card_info_tab || Last_Card_Sel_Tab == card_size_tab ||
                         Last_Card_Sel_Tab == card_bkgd_tab || Last_Card_Sel_Tab == card_brdr_tab;
    sett_tab->setCurrentWidget(cardTab ? Last_Card_Sel_Tab : card_info_tab);
    Check_Undo_Redo_Btn_Enability();
    Validate_Menu_Items();
}

void SKTWindowController::Select_front_side() { selectSide(0); }
void SKTWindowController::Select_back_side() { selectSide(1); }

bool SKTWindowController::Settle_Group_Row_Before_Side_Switch()
{
    GroupMode *group = Start_Card_Option == QLatin1String("G") ? Group_Mode_Of(*this) : nullptr;
    if (!group || group->Settle_Shown_Row_Changes())
        return true;
    // Kept on the side in work: its button stays the lit one.
    auto *preview = findChild<QToolButton *>(QStringLiteral("Temp_Side_btn"));
    const bool previewShown = preview && preview->isChecked();
    Front_Side_btn->setChecked(!previewShown && Card_Front_Or_Back == 0);
    Back_Side_btn->setChecked(!previewShown && Card_Front_Or_Back == 1);
    return false;
}

void SKTWindowController::Front_Card_Btn_Clicked()
{
    if (!Settle_Group_Row_Before_Side_Switch())
        return;
    Select_front_side();
    pictureServices().Reset_Image_Editing_Controls();
}

void SKTWindowController::Back_Card_Btn_Clicked()
{
    if (!Settle_Group_Row_Before_Side_Switch())
        return;
    Select_back_side();
    pictureServices().Reset_Image_Editing_Controls();
}

void SKTWindowController::Select_temp_design_side()
{
    Front_back_label->setText(QStringLiteral("TEMP"));
    // The preview is the side on show: neither side button stays lit.
    Front_Side_btn->setIcon(QPixmap::fromImage(front_btn_image));
    Back_Side_btn->setIcon(QPixmap::fromImage(back_btn_image));
    Front_Side_btn->setChecked(false);
    Back_Side_btn->setChecked(false);
    if (auto *preview = findChild<QToolButton *>(QStringLiteral("Temp_Side_btn")))
        preview->setChecked(true);
    changeViewController(2);
    Show_RHS_Properties(nullptr);
}

void SKTWindowController::Temp_Design_Control_Assign(bool copies)
{
    const int side = Card_Front_Or_Back == 0 ? 0 : 1;
    m_document.removeAllGraphicsOnSide(2);
    const SKTGraphicArray &controls = m_document.graphicsOfSide(side);
    for (const SKTGraphicPtr &g : copies ? Deep_Copy_Controls(controls) : controls)
        m_document.appendGraphicOnSide(2, g);
    m_tempMirrorsSide = !copies;
    // The preview draws the card of the side it shows, in that side's colours and size.
    _graphicView_TEMP->setCardProperty(side == 0 ? Front_card_Prop.get() : Back_card_Prop.get());
    _graphicView_TEMP->setCanvasSize(canvasOfSide(side)->canvasBounds().size());
    _graphicView_TEMP->update();
}

void SKTWindowController::Temp_Card_Btn_Clicked()
{
    Select_temp_design_side();
    Temp_Design_Control_Assign();
}

void SKTWindowController::changeViewController(int index)
{
    QWidget *views[] = {first_view, second_view, temp_design_view};
    if (index < 0 || index > 2)
        return;
    m_designStack->setCurrentWidget(views[index]);
}

// ---------------------------------------------------------------------------------------------
// property panel

void SKTWindowController::Show_RHS_Properties(SKTGraphic *control)
{
    if (!control)
        currentCanvas()->Set_Selected_Graphic(nullptr);
    m_panel->Show_RHS_Properties(control);
}

SKTGraphic *SKTWindowController::Last_Selected_Graphic() const { return m_panel->Last_Selected_Graphic(); }

void SKTWindowController::Select_All_Clicked()
{
    SKTGraphicView *canvas = currentCanvas();
    canvas->selectAll();
    Refresh_Canvas();
}

void SKTWindowController::card_prop_set(const QString &fillStyle) { m_cardTabs->card_prop_set(fillStyle); }

void SKTWindowController::Refresh_Canvas()
{
    if (SKTGraphicView *canvas = currentCanvas())
        canvas->update();
    // A preview of the side follows what was just added to it (a photo from the desk's panel).
    static bool mirroring = false;
    if (m_tempMirrorsSide && !mirroring && m_designStack->currentWidget() == temp_design_view) {
        mirroring = true;
        Temp_Design_Control_Assign();
        mirroring = false;
    }
}

// ---------------------------------------------------------------------------------------------
// undo

void SKTWindowController::Insert_In_Undo_Redo() { m_undo->Insert_In_Undo_Redo(); }
void SKTWindowController::Undo_Redo_Clear()
{
    m_undo->Undo_Redo_Clear();
    m_editsBeforeHistory = false;
    m_cardsAtHistoryStart = {*Front_card_Prop, *Back_card_Prop};
}
void SKTWindowController::Check_Undo_Redo_Btn_Enability() { m_undo->Check_Undo_Redo_Btn_Enability(); }
void SKTWindowController::Undo_Clicked() { m_undo->Undo_Action_Perform(); }
void SKTWindowController::Redo_Clicked() { m_undo->Redo_Action_Perform(); }

void SKTWindowController::Enable_Disable_Undo(bool enabled)
{
    Undo_btn->setEnabled(enabled);
    undo_menu->setEnabled(enabled);
}

void SKTWindowController::Enable_Disable_Redo(bool enabled)
{
    Redo_btn->setEnabled(enabled);
    redo_menu->setEnabled(enabled);
}

Card_Property SKTWindowController::Card_Property_Of_Side(int side) const
{
    return side == 0 ? *Front_card_Prop : *Back_card_Prop;
}

void SKTWindowController::Restore_Card_Property(int side, const Card_Property &card)
{
    // The side's own look comes back; what both sides share (the card's name, sides, shape, size
    // and preset) stays as the card has it now, in step with the canvases and the card tabs.
    Card_Property &own = side == 0 ? *Front_card_Prop : *Back_card_Prop;
    Card_Property restored = card;
    restored.setCard_Side(own.Card_Side());
    restored.setCard_Shape(own.Card_Shape());
    restored.setCard_Name(own.Card_Name());
    restored.setCard_Location(own.Card_Location());
    restored.setCard_Size(own.Card_Size());
    restored.setCard_Preset(own.Card_Preset());
    restored.setCard_Category(own.Card_Category());
    restored.setCard_Cat_index(own.Card_Cat_index());
    restored.setCard_Sub_Category(own.Card_Sub_Category());
    restored.setCard_Create_Mode(own.Card_Create_Mode());
    own = restored;  // in place: the canvases keep pointing at the side's card
    canvasOfSide(side)->update();
}

// ---------------------------------------------------------------------------------------------
// edit, lock, rulers, zoom

void SKTWindowController::Cut_Clicked()
{
    currentCanvas()->cut();
    Insert_In_Undo_Redo();
}

void SKTWindowController::Copy_Clicked() { currentCanvas()->copy(); }

void SKTWindowController::Paste_Clicked()
{
    currentCanvas()->paste();
    Insert_In_Undo_Redo();
}

void SKTWindowController::Delete_Clicked() { currentCanvas()->deleteSelection(); }
void SKTWindowController::Begin_Front_Clicked() { currentCanvas()->bringToFront(); }
void SKTWindowController::Send_Back_Clicked() { currentCanvas()->sendToBack(); }
void SKTWindowController::Lock_Clicked() { lockSelection(true); }
void SKTWindowController::Unlock_Clicked() { lockSelection(false); }

void SKTWindowController::lockSelection(bool lock)
{
    SKTGraphicView *canvas = currentCanvas();
    const SKTGraphicArray selected = canvas->selectedGraphics();
    if (selected.empty()) {
        Show_MessageBox(lock ? QStringLiteral("Please select a control to Lock.")
                             : QStringLiteral("Please select a control to Unlock."));
        return;
    }
    for (const SKTGraphicPtr &g : selected) {
        g->ctrl_is_locked = lock;
        canvas->startEditingGraphic(g.get());
    }
    m_undo->Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
    const SKTIndexSet kept = canvas->selectionIndexes();
    Show_RHS_Properties(nullptr);
    canvas->changeSelectionIndexes(kept);
    Refresh_Canvas();
    Show_RHS_Properties(selected.back().get());
}

void SKTWindowController::Show_Hide_Ruler_ChkBox()
{
    for (SKTGraphicView *canvas : {_graphicView, _graphicView_BACK, _graphicView_TEMP})
        canvas->showOrHideRulers();
    Validate_Menu_Items();
}

void SKTWindowController::Actual_Size_Toolbar_btn() { Set_Canvas_to_100_percent(); }
void SKTWindowController::Zoom_In_Toolbar_btn() { zoomStep(+1); }
void SKTWindowController::Zoom_Out_Toolbar_btn() { zoomStep(-1); }

void SKTWindowController::zoomStep(int step)
{
    SKTZoomingScrollView *view = zoomViewOfSide(Card_Front_Or_Back == 0 ? 0 : 1);
    QComboBox *popUp = view->factorPopUpButton();
    const int index = zoomStepFrom(popUp->currentIndex(), step);
    popUp->setCurrentIndex(index);
    view->setFactor(Get_Factor_According_Index(index));
}

// ---------------------------------------------------------------------------------------------
// units and grid

void SKTWindowController::_setLabels()
{
    const UnitCaptions c = unitCaptions(Measument_Unit_Is);
    ctrl_x_pos_unit_lbl->setText(c.position);
    ctrl_y_pos_unit_lbl->setText(c.position);
    card_size_box->setTitle(c.cardSizeBox);
    for (QLabel *l : {unit_width_label, unit_height_label, ctrl_width_unit_lbl, ctrl_height_unit_lbl})
        l->setText(c.size);
}

void SKTWindowController::Apply_unit_Chaneg_Values()
{
    // A field the user has not retyped still shows its stepper's value rounded for display: the
    // stepper's full value is converted, so switching units back and forth never drifts.
    const auto shown = [this](QDoubleSpinBox *stepper, QLineEdit *text) {
        return text->text() == Size_Field_Text(stepper->value(), last_unit_val) ? stepper->value()
                                                                              : platform::Typed_Number(text->text()).value_or(stepper->value());
    };
    const CardSizeFields converted = convertCardSizeFields(
        {shown(width_Stepper, width_Text), shown(height_Stepper, height_Text)}, last_unit_val, Measument_Unit_Is);
    // The steppers first: they echo into the text fields at their own precision.
    width_Stepper->setValue(converted.width);
    height_Stepper->setValue(converted.height);
    width_Text->setText(Size_Field_Text(converted.width, Measument_Unit_Is));
    height_Text->setText(Size_Field_Text(converted.height, Measument_Unit_Is));
}

void SKTWindowController::On_OK_of_Unit_Panel()
{
    Measument_Unit_Is = std::max(0, unit_matrix->checkedId());
    _setLabels();
    Apply_unit_Chaneg_Values();
    last_unit_val = Measument_Unit_Is;
    for (int side = 0; side < 3; ++side)
        zoomViewOfSide(side)->setRulerUnit(Measument_Unit_Is);
    Show_RHS_Properties(nullptr);
}

void SKTWindowController::doPreferences()
{
    if (QAbstractButton *b = unit_matrix->button(Measument_Unit_Is))
        b->setChecked(true);
    // Through the UI services, so that a scripted run does not wait for a person.
    if (platform::ui().runModal(QStringLiteral("Unit_PrefWindow"), QString(), [this] { return Unit_PrefWindow->exec(); }) == 1)
        On_OK_of_Unit_Panel();
}

void SKTWindowController::toggleGridConstraining()
{
    _grid->setConstraining(!_grid->isConstraining());
}

void SKTWindowController::toggleGridShowing()
{
    Sync_Grid_Controls();
    if (auto *window = findChild<Grid_Wizard *>(QStringLiteral("Grid_Wizard")))
        window->Open_Wnd(findChild<QWidget *>(QStringLiteral("grid_settings")));
}

void SKTWindowController::Grid_Clr_Changed()
{
    const QColor chosen = platform::ui().chooseColor(tr("Grid Colour"), _grid->color());
    if (!chosen.isValid())
        return;
    _grid->setColor(chosen);
    _grid->setAlwaysShown(true);
    Show_hide_grid_chk->setChecked(true);
}

void SKTWindowController::Grid_Slider_Changed()
{
    _grid->setSpacing(Grid_Space_slidr->value());
    _grid->setAlwaysShown(true);
    Show_hide_grid_chk->setChecked(true);
}

void SKTWindowController::Grid_Show_Hide_Changed()
{
    _grid->setAlwaysShown(Show_hide_grid_chk->isChecked());
    Grid_Opt_box->setEnabled(Show_hide_grid_chk->isChecked());
}

void SKTWindowController::Main_Thread_Messgae(const QString &text)
{
    platform::runOnGuiThread([&] { platform::ui().message(text); });
}

int SKTWindowController::Main_Thread_Messgae_Yes_No(const QString &text)
{
    return platform::runOnGuiThreadFor<int>([&] { return platform::ui().yesNo(text) ? 1 : 0; });
}
