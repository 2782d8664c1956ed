// The roads of the start dialog: each runs its mode's own dialog, builds or loads the design and
// leaves the undo history as the mode wants it. Visitor and group mode reach their panels
// through the live-mode panel, which does nothing until those subsystems install theirs.

#include "mainwindow/SKTWindowController.h"
#include "properties/CardSizes.h"
#include "properties/CardTabs.h"

#include "canvas/LiveModePanel.h"
#include "canvas/SKTGraphicView.h"
#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "core/SKTImage.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "mainwindow/Card_Wizard.h"
#include "mainwindow/Image_Library.h"
#include "mainwindow/Insert_Template.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLogic.h"
#include "mainwindow/ProfileWiring.h"
#include "mainwindow/Start_Card.h"
#include "mainwindow/Template_Wizard.h"
#include "mainwindow/VisitorWiring.h"
#include "visitor/ProfileCaptions.h"
#include "visitor/VisitorMode.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

void SKTWindowController::buildStartDialogs()
{
    wzrd_Window = new Card_Wizard(this);
    temp_wzrd_Window = new Template_Wizard(this);
    image_library = new Image_Library(this);
    insert_template = new Insert_Template(this);
    wzrd_Window->applyDocumentSize = [this](const QSizeF &points) { SetDocumentCanvasSize(Set_Document_Size(points)); };
    wzrd_Window->openProfile = [](const QString &sides) {
        liveModePanel().Open_User_Profile_Window(0, QString(), sides);
    };
    wzrd_Window->openBackgroundLibrary = [this] {
        return Open_Image_Library_Window(QStringLiteral("B")) == 1 ? image_library->selected_image : QString();
    };
    temp_wzrd_Window->openProfile = [] { liveModePanel().Open_User_Profile_Window(0, QString(), QStringLiteral("2")); };
}

int SKTWindowController::Open_Image_Library_Window(const QString &mode)
{
    image_library->control_or_BG = mode;
    const int result = image_library->Open_Library_Window();
    if (result == 1)
        Library_Selected_Image = image_library->selected_image;
    return result;
}

void SKTWindowController::Open_Start_Window()
{
    // A loop, not a call of itself: a newcomer may cancel any number of times. Over an open
    // design the window keeps its face, desk or group panels and their typing included, until
    // the chosen road loads its design (the load takes the face down); one Cancel goes back.
    for (;;) {
        if (!m_startOverOpenDesign) {
            Front_back_label->hide();
            liveModePanel().Show_Hide_Profile_Panel_Live_Mode(false);
        }
        const int result = start_window->runModal();
        if (m_startOverOpenDesign) {
            if (result == Start_Card::QuitCode)
                Exit_App();
            if (result != 1)
                return;
        }
        ::Excel_Source_Path.clear();
        Excel_Table().Clear_Table();
        Title_For_Gen_ID_Card();
        Title_For_Student();
        if (result == Start_Card::QuitCode || result == Start_Card::ClosedCode) {
            if (Exit_App())
                return;
            continue;
        }
        const QString option = Start_Card_Option;
        if (result == 1 && Start_Mode_Dispatch(option) == 1) {
            selectArrowTool();
            Show_RHS_Properties(nullptr);
            if (option != QStringLiteral("L"))
                Show_Hide_Main_Window(true);
            m_startOverOpenDesign = false;  // the design it ran over is gone: nothing to go back to
            return;
        }
        if (m_startOverOpenDesign || QCoreApplication::closingDown() || result < 0 || m_exitConfirmed)
            return;
    }
}

bool SKTWindowController::Start_Over_Open_Design()
{
    if (!Save_Changes_Before_New())
        return false;
    // What the road changes before its last dialog has said yes.
    const QString option = Start_Card_Option, templatePath = Selected_Template_Path, workbook = ::Excel_Source_Path,
                  title = windowTitle();
    const QStringList columns = Excel_Table().Column_Titles();
    const QVariantList rows = Excel_Table().Table_Rows();
    const QStringList captions = Profile_Captions();
    const int shape = cardTabs().Card_Shape;
    // A road may load its design before its last step fails (the group wizard whose project
    // cannot be saved): the open design is then put back.
    const DesignData kept = Current_Design_Data();
    QString file = ::Project_File_Name;
    const QStringList damaged = m_damagedRecords;
    const int loads = m_designLoads;
    m_startOverOpenDesign = true;
    m_openFileRenamed.clear();
    Open_Start_Window();
    if (!std::exchange(m_startOverOpenDesign, false))
        return true;
    // Renamed on the road and the road given up: the design goes on under its new name, which
    // the title shows; the old name must not come back at the next save.
    const bool renamed = !m_openFileRenamed.isEmpty();
    if (renamed)
        file = m_openFileRenamed;
    if (m_designLoads != loads) {
        Start_Card_Option = option;
        Apply_Loaded_Design(kept, file, QStringLiteral("L"), true);
        ::Project_File_Name = file;
        m_damagedRecords = damaged;
        if (option == QStringLiteral("G"))
            Load_Group_Mode_After_log_reading();
        if (option == QStringLiteral("V")) {
            liveModePanel().Show_Hide_Profile_Panel_Live_Mode(true);
            if (VisitorMode *mode = Visitor_Mode_Of(*this))
                mode->Create_Control_For_Visitor_Mode();
        }
        Reset_Undo_With_Base_Snapshot();
    }
    Start_Card_Option = option;
    Selected_Template_Path = templatePath;
    ::Excel_Source_Path = workbook;
    Excel_Table().Set_Table(columns, rows);
    Set_Profile_Captions(captions);
    cardTabs().Card_Shape = shape;
    if (renamed)
        Set_Log_Name_In_Title();
    else
        setWindowTitle(title);
    return false;
}

int SKTWindowController::Start_Mode_Dispatch(const QString &option)
{
    if (option == QStringLiteral("T"))
        return Start_From_Template(false);
    if (option == QStringLiteral("V"))
        return Start_From_Template(true);
    if (option == QStringLiteral("W"))
        return Start_From_Wizard();
    if (option == QStringLiteral("G"))
        return Start_Group_Mode();
    if (option == QStringLiteral("L")) {
        // The loader shows the canvas itself; a cancelled panel or a refused file brings the
        // start dialog back.
        if (Open_Log_File() != 1)
            return 0;
        if (Start_Card_Option != QStringLiteral("V") && Start_Card_Option != QStringLiteral("G"))
            liveModePanel().Hide_Visitor_panel();
        // A group project opens in group mode, its list and panels showing its first row.
        Load_Group_Mode_After_log_reading();
        Reset_Undo_With_Base_Snapshot();
        return 1;
    }
    return 0;
}

int SKTWindowController::Start_From_Template(bool visitor)
{
    LiveModePanel &panel = liveModePanel();
    if (visitor && !m_startOverOpenDesign)
        panel.Reset_All_Visitor_Grp_Mode_Ctrl();
    if (temp_wzrd_Window->Open_Template_Window(visitor ? QStringLiteral("Visitor") : QString()) != 1)
        return 0;
    if (visitor) {
        panel.Title_For_Visitor();
        panel.Reset_All_Visitor_Grp_Mode_Ctrl();
        panel.change_Visitor_Side_View(0);
    }
    if (Read_and_load_design_Log_NEW_METHOD(Selected_Template_Path, QStringLiteral("T"), false) != 1)
        return 0;
    Show_Canvas_And_Right_Prop();
    sett_tab->show();
    Show_Template_Size_Choice();
    Fill_User_profile_Details(*this);
    Start_Card_Option = visitor ? QStringLiteral("V") : QStringLiteral("T");
    if (visitor) {
        Check_For_Defalut_Photo_Control();
        panel.Show_Hide_Profile_Panel_Live_Mode(true);
        // The template's own custom fields become panel rows.
        if (VisitorMode *mode = Visitor_Mode_Of(*this))
            mode->Create_Control_For_Visitor_Mode();
    } else {
        panel.Hide_Visitor_panel();
    }
    Set_Log_Name_In_Title();
    Reset_Undo_With_Base_Snapshot();
    return 1;
}

void SKTWindowController::Show_Template_Size_Choice()
{
    // The gallery has no size table of its own: the template's card says which preset it is,
    // and the card tabs show what the card holds.
    cardTabs().Load_Card_Tabs();
}

int SKTWindowController::Start_From_Wizard()
{
    if (!m_startOverOpenDesign) {
        New_Project_Setting_Reset(true);
        if (wzrd_Window->Open_Wnd() != 1)
            return 0;
    } else {
        // The wizard's profile and size buttons work on the window: they start from a new
        // design's profile, and a Cancel gives the open design its own back.
        const User_Profile_Class front = Front_user_profile, back = Back_user_profile;
        const bool filled = Fill_User_Profile;
        const QSizeF size = Front_card_Prop->Card_Size(), backSize = Back_card_Prop->Card_Size();
        New_Project_Profile_Reset({&Front_user_profile, &Back_user_profile});
        Fill_User_Profile = false;
        const int answer = wzrd_Window->Open_Wnd();
        const User_Profile_Class chosenFront = Front_user_profile, chosenBack = Back_user_profile;
        const bool chosenFilled = Fill_User_Profile;
        Front_user_profile = front;
        Back_user_profile = back;
        Fill_User_Profile = filled;
        if (answer != 1) {
            SetDocumentCanvasSize(size);
            Back_card_Prop->setCard_Size(backSize);
            return 0;
        }
        New_Project_Setting_Reset(true);
        Front_user_profile = chosenFront;
        Back_user_profile = chosenBack;
        Fill_User_Profile = chosenFilled;
    }
    Selected_Template_Path.clear();
    Show_Canvas_And_Right_Prop();
    sett_tab->show();
    Apply_Wizard_To_Window(wzrd_Window->choice());
    Fill_User_profile_Details(*this);
    Set_Log_Name_In_Title();
    liveModePanel().Hide_Visitor_panel();
    Undo_Redo_Clear();
    return 1;
}

void SKTWindowController::Apply_Wizard_To_Window(const CardWizardChoice &choice)
{
    static const QStringList orientations{QStringLiteral("Horizontal"), QStringLiteral("Vertical"),
                                          QStringLiteral("Custom")};
    const QStringList &presets = choice.category == 0 ? pvc_card_names() : paper_card_names();
    const int row = Bounded_List_Row(choice.presetRow, int(presets.size()));
    for (Card_Property *card : {Back_card_Prop.get(), Front_card_Prop.get()}) {
        Apply_Wizard_Choice(choice, *card);
        card->setCard_Preset(orientations.value(choice.orientation, orientations.first()));
        card->setCard_Category(choice.category == 0 ? QStringLiteral("PVC Card") : QStringLiteral("Paper Badge"));
        card->setCard_Sub_Category(row < 0 ? QString() : presets.at(row));
        card->setCard_Cat_index(row);
        card->setCard_Create_Mode(QStringLiteral("W"));
        if (choice.fillLetter() == QStringLiteral("I"))
            card->setCard_BG_Image(Load_Card_Background_Picture(choice.imagePath));
    }
    {
        const PanelFillGuard filling;
        applyCardSide(Front_card_Prop->Card_Side());
        SetDocumentCanvasSize(Front_card_Prop->Card_Size());
        cardTabs().Load_Card_Tabs();
        Set_Card_Size_In_Control(choice.widthMM, choice.heightMM);
    }
    Refresh_Canvas();
}

int SKTWindowController::Start_Group_Mode()
{
    // The panels start again when the wizard loads its design, not before: a Cancel leaves them.
    LiveModePanel &panel = liveModePanel();
    if (panel.Open_Group_Mode_Wizard() != 1)
        return 0;
    Start_Card_Option = QStringLiteral("G");
    Load_Group_Mode_After_log_reading();
    Set_Log_Name_In_Title();
    Reset_Undo_With_Base_Snapshot();
    return 1;
}

void SKTWindowController::Load_Group_Mode_After_log_reading()
{
    if (Start_Card_Option != QStringLiteral("G"))
        return;
    LiveModePanel &panel = liveModePanel();
    Set_Progress_Text(QStringLiteral("Loading excel file"));
    Selected_Template_Path.clear();
    panel.Set_Group_Mode_List_Setting_After_Loading(::Project_File_Name, QStringLiteral("U"));
    Set_Progress_Text(QStringLiteral("Loading excel data"));
    panel.change_Visitor_Side_View(0);
    Show_Canvas_And_Right_Prop();
    sett_tab->show();
    panel.Show_Hide_Profile_Panel_Live_Mode(true);
    panel.Show_New_Control_Type_Boxes();
    panel.Set_GP_mode_Value_From_Excel(Card_Front_Or_Back == 1 ? QStringLiteral("B") : QStringLiteral("F"), 0);
    // The panels follow the locks of the controls on the side in work.
    m_undo->Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
    Set_Progress_Text(QString());
}

void SKTWindowController::Check_For_Defalut_Photo_Control()
{
    if (_graphicView->Selcect_Ctrl_With_ID(QStringLiteral("Fup_Photo")) || Find_And_Select_Design_Image_Control() == 1)
        return;
    QRectF rect = liveModePanel().Get_Control_Rect_From_Template(QStringLiteral("Fup_Photo"), NO_Image_Path);
    if (rect.isEmpty()) {
        // A passport-shaped box at the card's left edge, centred in its height.
        const QSizeF card = Front_card_Prop->Card_Size();
        const double h = card.height() * 0.6, w = h * 0.8;
        rect = QRectF(card.width() * 0.06, (card.height() - h) / 2, w, h);
    }
    Selected_Control_Tool = ImageTool;
    _graphicView->ReplaceGraphicText(SKTGraphicKind::Image, true, rect, QStringLiteral("F"), NO_Image_Path,
                                     QStringLiteral("Fup_Photo"));
}

int SKTWindowController::Find_And_Select_Design_Image_Control()
{
    SKTGraphicView *canvas = currentCanvas();
    if (SKTGraphic *selected = canvas->Selected_Graphic(); selected && selected->kind() == SKTGraphicKind::Image)
        return 1;
    for (const SKTGraphicPtr &g : m_document.graphicsOfSide(Card_Front_Or_Back == 1 ? 1 : 0)) {
        if (g && g->kind() == SKTGraphicKind::Image) {
            Set_Selected_Graphic(g.get());
            return 1;
        }
    }
    return 0;
}
