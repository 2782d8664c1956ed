// The main window's design-file commands: Save, Save As, Open, Close and Exit, loading a design
// onto the window, and copying one side's design to the other. What to ask and whether to go on
// is decided by the design commands of the core; this file gathers the window's state into
// design data and applies a checked design back onto the window.

#include "barcode/ControlBarcode.h"
#include "core/ControlRecord.h"
#include "core/ControllerImageFiles.h"
#include "core/DesignCommands.h"
#include "core/DesignFile.h"
#include "core/Globals.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/WidgetUtilities.h"
#include "core/Utilities.h"
#include "data/batch/BatchBinding.h"
#include "data/export/ExportDialogs.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLogic.h"
#include "mainwindow/SKTWindowController.h"
#include "canvas/LiveModePanel.h"
#include "platform/MainThread.h"
#include "platform/UiServices.h"
// Group mode is reached through its wiring.
#include "groupmode/GroupMode.h"
#include "mainwindow/GroupModeWiring.h"
#include "mainwindow/VisitorWiring.h"
#include "visitor/VisitorMode.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolButton>

#include <cmath>

namespace {

const QString kExcelItem = QStringLiteral("Excel");

QString designFolder()
{
    const QString current = Trim_Str(::Project_File_Name);
    return current.isEmpty() ? QDir::homePath() : QFileInfo(current).absolutePath();
}

// Puts the controls onto an empty side in their order (index 0 frontmost).
void appendAll(SKTDocument &document, int side, const SKTGraphicArray &controls)
{
    std::vector<int> indexes(controls.size());
    for (size_t i = 0; i < indexes.size(); ++i)
        indexes[i] = int(i);
    document.insertGraphicsOnSide(side, controls, indexes);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// saving

DesignData SKTWindowController::Current_Design_Data()
{
    // A field still being typed counts with what it shows.
    Finish_Field_Edit(this);
    const QString sides = Sides_ComboBox->currentIndex() == 0 ? QStringLiteral("2") : QStringLiteral("1");
    // The card properties hold the card's size: what a size field shows has been applied or not.
    // Both sides are one card.
    Back_card_Prop->setCard_Size(Front_card_Prop->Card_Size());
    for (Card_Property *card : {Front_card_Prop.get(), Back_card_Prop.get()}) {
        card->setCard_Side(sides);
        if (card->Card_fill_style() != QStringLiteral("I"))
            card->setCard_BG_Image_Path(QString());
    }
    DesignData design;
    design.modeLetter = Start_Card_Option;
    design.front = *Front_card_Prop;
    design.back = *Back_card_Prop;
    design.Excel_Binding_Use = ::Excel_Binding_Use;
    design.Excel_Source_Path = ::Excel_Source_Path;
    design.columnTitles = Excel_Table().Column_Titles();
    design.tableRows = Excel_Table().Table_Rows();
    for (int i = 0; i < 12; ++i)
        design.excelColumns[size_t(i)] = excel_cb_value[i + 1];
    design.frontControls = m_document.graphics();
    design.backControls = m_document.graphics_back();
    return design;
}

bool SKTWindowController::Save_project_file(bool saveAs, bool showMessages, const QString &mode)
{
    Finish_Field_Edit(this);
    // A record that was read only in part is not written over the damaged one unasked.
    if (!m_damagedRecords.isEmpty() &&
        Show_YES_NO_MessageBox(QStringLiteral("This design was opened with damaged controls, shown as far as they could "
                                              "be read. Saving writes them as they are shown now. Do you want to save?")) != 1)
        return false;
    // A group project keeps what the panels show in the row on show.
    if (Start_Card_Option == QLatin1String("G"))
        if (GroupMode *group = Group_Mode_Of(*this))
            group->Save_Group_Mode_List_Details_In_XL_Data_List();
    DesignSaveRequest request;
    request.saveAs = saveAs;
    request.showMessages = showMessages;
    request.mode = mode;
    // A design the size of one worth the sheet on opening is worth it on saving; a large table
    // makes one so before it was ever written.
    std::optional<Plz_Wait_Scope> waiting;
    const bool longWork = Long_Work_For_File(::Project_File_Name) ||
                          Long_Work_For_Values(qsizetype(Excel_Table().rowCount()) * Excel_Table().Column_Titles().size());
    request.writing = [&](bool writing, const QString &path) {
        if (!writing)
            waiting.reset();
        else if (showMessages)
            waiting.emplace(this, longWork || Long_Work_For_File(path));
    };
    const DesignSaveOutcome outcome = ::Save_project_file(Current_Design_Data(), ::Project_File_Name, request);
    ::Project_File_Name = outcome.path;
    if (outcome.retitle)
        Set_Log_Name_In_Title();
    if (outcome.saved())
        m_damagedRecords.clear();
    return outcome.saved();
}

void SKTWindowController::Save_Btn_Clicked() { Save_project_file(false, true, QStringLiteral("L")); }
void SKTWindowController::SaveAs_Btn_Clicked() { Save_project_file(true, true, QStringLiteral("L")); }

void SKTWindowController::Close_Document_Clicked()
{
    if (Close_Document_Decision([this] { return saveOpenDesign(); }))
        New_Project();
}

void SKTWindowController::Exit_Btn_Clicked() { Exit_App(); }

bool SKTWindowController::Exit_App()
{
    // Quitting closes the window, and closing it comes back here.
    if (m_exitConfirmed)
        return true;
    // While the start dialog is up no design is on show, so there is nothing to offer to save.
    const bool designShown = !myTargetView->isHidden();
    if (designShown ? !Exit_App_Decision([this] { return saveOpenDesign(); })
                    : Show_YES_NO_MessageBox(QStringLiteral("\nDo you really want to exit?")) != 1)
        return false;
    m_exitConfirmed = true;
    // Queued: at start-up the event loop has not begun yet, and a direct quit would be lost. Held
    // by the window: a quit still waiting when its window is gone is no longer anybody's to make.
    QMetaObject::invokeMethod(this, [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
    return true;
}

void SKTWindowController::closeEvent(QCloseEvent *event)
{
    if (Exit_App())
        event->accept();
    else
        event->ignore();
}

// ---------------------------------------------------------------------------------------------
// loading

void SKTWindowController::Set_Progress_Text(const QString &text)
{
    curr_msg_count_str = text;
    modeless_msg_lbl->setText(text);
    statusBar()->setVisible(!text.isEmpty());
    // The load runs on this thread: paint the stage now rather than after the load.
    if (isVisible())
        statusBar()->repaint();
}

int SKTWindowController::Read_and_load_design_Log_NEW_METHOD(const QString &path, const QString &mode, bool readTable)
{
    std::optional<Plz_Wait_Scope> waiting;
    waiting.emplace(this, Long_Work_For_File(path));  // a design of pictures takes a while
    DesignReadResult read = Read_Design_File(path);
    if (!read.ok()) {
        waiting.reset();
        Show_Design_Refusal(path, read);
        return 0;
    }
    const QStringList missing = Apply_Loaded_Design(std::move(*read.design), path, mode, readTable);
    waiting.reset();
    if (!missing.isEmpty())
        Show_MessageBox(Missing_Pictures_Message(missing));
    return 1;
}

void SKTWindowController::applyCardSide(const QString &cardSide)
{
    const bool oneSide = cardSide == QStringLiteral("1");
    if (oneSide && Card_Front_Or_Back != 0)
        Select_front_side();
    CARD_SIDE_STR = oneSide ? QStringLiteral("1") : QStringLiteral("2");
    Back_Side_btn->setEnabled(!oneSide);
    copy_card_design_btn->setEnabled(!oneSide);
    Sides_ComboBox->setCurrentIndex(oneSide ? 1 : 0);
}

void SKTWindowController::placeLoadedControls(int side, const SKTGraphicArray &controls)
{
    // A barcode saved without its picture gets one from its stored set-up and value.
    barcode::ControlBarcodeProvider &barcodes = barcode::Install_Control_Barcode_Provider();
    // The same first values the panel shows when it binds a control.
    const auto firstColumnValue = [this](int column) {
        return Get_First_Value_Of_Excel_Binding(Excel_Table().Rows(1), column);
    };
    const auto firstSeriesValue = [](const QString &name) { return Get_First_Value_Of_Dataset(name); };
    for (const SKTGraphicPtr &g : controls) {
        if (Barcode_Needs_Image(*g))
            barcodes.Build_Barcode_Image(*g, Barcode_Value_For_Rebuild(*g, firstSeriesValue, firstColumnValue));
    }
    // Invisible controls go onto the canvas too (drawing skips them), so the next save keeps them.
    appendAll(m_document, side, controls);
    (side == 0 ? dynamic_ctrl_list_front : dynamic_ctrl_list_back) =
        Dynamic_Control_Rows(controls, [](const SKTGraphic &g) { return Get_Original_Path_Of_Image_Control(g); });
}

QStringList SKTWindowController::Apply_Loaded_Design(DesignData design, const QString &path, const QString &mode,
                                                     bool readTable)
{
    ++m_designLoads;
    Set_Progress_Text(QStringLiteral("Loading card properties"));
    const QString startMode = Start_Mode_After_Load(Start_Card_Option, design, readTable);
    New_Project_Setting_Reset(mode != QStringLiteral("T"));
    Start_Card_Option = startMode;
    // The reset left the face of the mode that was in force; a design opens on the design face's
    // own buttons (the visitor road turns the desk on again after this).
    if (startMode != QStringLiteral("G"))
        liveModePanel().Show_Hide_Profile_Panel_Live_Mode(false);
    ::Project_File_Name = mode == QStringLiteral("L") ? path : QString();

    Set_Progress_Text(QStringLiteral("Loading card settings"));
    std::optional<PanelFillGuard> filling;
    filling.emplace();
    const QSizeF shownSize = Front_card_Prop->Card_Size();
    *Front_card_Prop = design.front;
    if (mode == QStringLiteral("T")) {
        m_templateCardName = design.front.Card_Name();
        m_templateCardSide = design.front.Card_Side();
        m_templatePreset = design.front.Card_Preset();
    }
    applyCardSide(design.front.Card_Side());
    const QSizeF cardSize = design.front.Card_Size();
    // A card block from a design that never had a size keeps the card as it is.
    if (cardSize.width() > 0 && cardSize.height() > 0) {
        SetDocumentCanvasSize(Set_Document_Size(cardSize));
        Set_Card_Size_In_Control(Points_to_MM_Convert(float(cardSize.width())),
                                 Points_to_MM_Convert(float(cardSize.height())));
    }
    *Back_card_Prop = design.back;
    if (!(cardSize.width() > 0 && cardSize.height() > 0))
        Front_card_Prop->setCard_Size(shownSize);
    Back_card_Prop->setCard_Size(Front_card_Prop->Card_Size());
    m_laidOutFor = Front_card_Prop->Card_Size();

    Set_Progress_Text(QStringLiteral("Loading data settings"));
    if (readTable) {
        ::Excel_Binding_Use = design.Excel_Binding_Use;
        const int excelItem = Data_source_type->findText(kExcelItem);
        if (::Excel_Binding_Use && excelItem < 0)
            Data_source_type->addItem(kExcelItem);
        else if (!::Excel_Binding_Use && excelItem >= 0)
            Data_source_type->removeItem(excelItem);
        ::Excel_Source_Path = design.Excel_Source_Path;
        Excel_Table().Set_Table(design.columnTitles, design.tableRows);
    }
    for (int i = 0; i < 12; ++i)
        excel_cb_value[i + 1] = design.excelColumns[size_t(i)];

    Set_Progress_Text(QStringLiteral("Loading design controls"));
    m_document.Enable_Disable_Undo_Registraion(false);
    placeLoadedControls(0, design.frontControls);
    placeLoadedControls(1, design.backControls);
    Set_Progress_Text(QStringLiteral("Loading control settings"));

    if (mode == QStringLiteral("L"))
        Set_Log_Name_In_Title();
    if (Start_Card_Option == QStringLiteral("G")) {
        // The entry panels start again from the design: its custom fields become their rows.
        LiveModePanel &panel = liveModePanel();
        panel.Reset_All_Visitor_Grp_Mode_Ctrl();
        panel.Show_Hide_Profile_Panel_Live_Mode(true);
        if (VisitorMode *visitor = Visitor_Mode_Of(*this))
            visitor->Create_Control_For_Visitor_Mode();
        Select_front_side();
    }
    Image_Control_Counter_Check();
    filling.reset();
    Show_RHS_Properties(nullptr);
    // The file keeps a picture background as its path only: the picture is read from there.
    for (Card_Property *card : {Back_card_Prop.get(), Front_card_Prop.get()}) {
        if (card->Card_fill_chk() && card->Card_fill_style() == QStringLiteral("I"))
            card->setCard_BG_Image(Load_Card_Background_Picture(card->Card_BG_Image_Path()));
    }
    selectArrowTool();
    Refresh_Canvas();
    m_document.Enable_Disable_Undo_Registraion(true);
    Show_Hide_Main_Window(true);
    Set_Progress_Text(QString());
    // The reset above forgot any earlier damage; this design's is told once and kept until a
    // save the user has agreed to.
    m_damagedRecords = design.damagedRecords;
    if (!m_damagedRecords.isEmpty())
        Show_MessageBox(platform::Bounded_List_Text(m_damagedRecords, 5, QStringLiteral("… and %1 more damaged controls.")));
    return Missing_Design_Pictures(design);
}

void SKTWindowController::Image_Control_Counter_Check()
{
    if (Start_Card_Option != QStringLiteral("V") && Start_Card_Option != QStringLiteral("G"))
        return;
    for (const SKTGraphicPtr &g : m_document.graphicsOfSide(Card_Front_Or_Back == 1 ? 1 : 0)) {
        if (g && g->kind() == SKTGraphicKind::Image)
            ++Image_Ctrl_Counter;
    }
}

int SKTWindowController::Open_Log_File()
{
    const QString path = platform::ui().openFile(QStringLiteral("Open"), designFolder(), {design_file_EXT});
    if (path.isEmpty())
        return 0;
    return Read_and_load_design_Log_NEW_METHOD(path, QStringLiteral("L"), true);
}

bool SKTWindowController::Open_Design_At_Start(const QString &path)
{
    // The start dialog's road hides the side label before its first design (the side buttons'
    // pictures name the side); a design named at start-up skips that dialog, not the look.
    Front_back_label->hide();
    New_Project_Setting_Reset(true);
    Start_Card_Option = QStringLiteral("L");
    if (Read_and_load_design_Log_NEW_METHOD(path, QStringLiteral("L"), true) != 1)
        return false;
    Select_front_side();
    Load_Group_Mode_After_log_reading();
    Reset_Undo_With_Base_Snapshot();
    return true;
}

void SKTWindowController::Open_Btn_Clicked()
{
    // The open design stays as it is until a sound file has been chosen and read whole.
    Show_Opened_Design(Open_Design_Decision([this] { return saveOpenDesign(); }, designFolder()));
}

int SKTWindowController::Open_Saved_Design() { return Show_Opened_Design(Open_Design_From_Panel(designFolder())); }

int SKTWindowController::Show_Opened_Design(DesignOpenOutcome outcome)
{
    if (outcome.status != DesignOpenOutcome::Loaded)
        return 0;
    Start_Card_Option = QStringLiteral("L");
    QStringList missing;
    {
        Plz_Wait_Scope waiting(this, Long_Work_For_File(outcome.path));
        missing = Apply_Loaded_Design(std::move(*outcome.design), outcome.path, QStringLiteral("L"), true);
    }
    Select_front_side();
    // A group project opens in group mode, its list and panels showing its first row.
    Load_Group_Mode_After_log_reading();
    Reset_Undo_With_Base_Snapshot();
    if (!missing.isEmpty())
        Show_MessageBox(Missing_Pictures_Message(missing));
    return 1;
}

// ---------------------------------------------------------------------------------------------
// copying a design to the other side

void SKTWindowController::Copy_Card_Design_Clicked()
{
    if (Show_YES_NO_MessageBox(QStringLiteral(
            "This action will copy the current design to other side of your card and will replace any existing "
            "design on that side.\n\nAre you sure you want to copy current design to other side of your Card?")) != 1)
        return;
    // The copy lays the row on show again on both sides: unsaved changes of it are settled first.
    if (Start_Card_Option == QLatin1String("G"))
        if (GroupMode *group = Group_Mode_Of(*this); group && !group->Settle_Shown_Row_Changes())
            return;
    copy_card_design = true;
    const int source = Card_Front_Or_Back == 0 ? 0 : 1;
    const int target = 1 - source;

    // Whole copies in memory: neither side shares a control object with the other afterwards.
    DesignData design;
    design.front = *Front_card_Prop;
    design.back = *Back_card_Prop;
    for (int i = 0; i < 12; ++i)
        design.excelColumns[size_t(i)] = excel_cb_value[i + 1];
    design.frontControls = m_document.graphics();
    design.backControls = m_document.graphics_back();
    Copy_Design_To_Other_Side(design, source);
    const Card_Property replaced = target == 0 ? *Front_card_Prop : *Back_card_Prop;

    *(target == 0 ? Front_card_Prop : Back_card_Prop) = target == 0 ? design.front : design.back;
    excel_cb_value[11] = design.excelColumns[10];
    excel_cb_value[12] = design.excelColumns[11];
    const SKTGraphicArray &copies = target == 0 ? design.frontControls : design.backControls;
    canvasOfSide(target)->delete_all_control();
    appendAll(m_document, target, copies);
    (target == 0 ? dynamic_ctrl_list_front : dynamic_ctrl_list_back) =
        Dynamic_Control_Rows(copies, [](const SKTGraphic &g) { return Get_Original_Path_Of_Image_Control(g); });
    // The target side's panel gets rows for the custom fields it now has, and none for those it lost.
    if (Start_Card_Option == QLatin1String("V") || Start_Card_Option == QLatin1String("G")) {
        if (VisitorMode *visitor = Visitor_Mode_Of(*this))
            visitor->Rebuild_Custom_Rows(target);
    }

    // The change is the target side's: that is where Undo takes it back, its card with it.
    m_undo->Insert_In_Undo_Redo_Replacing_Card(target, replaced);
    GroupMode *group = Start_Card_Option == QLatin1String("G") ? Group_Mode_Of(*this) : nullptr;
    if (group)  // the list is rebuilt; the copy keeps its own values
        group->Set_Group_Mode_List_Setting_After_Loading(::Project_File_Name, QStringLiteral("A"));
    copy_card_design = false;
    // On the desk both panels show the sides as they now are.
    liveModePanel().Show_Hide_Profile_Panel_Live_Mode(true);
    Show_Hide_Main_Window(true);
    // Copied from the front, the back shows its new design; copied from the back, it stays shown.
    Select_back_side();
    canvasOfSide(target)->update();
    if (group) {
        // The side that took the copy shows it in its panel too.
        liveModePanel().Show_Hide_Profile_Panel_Live_Mode(true);
        Select_back_side();
    }
}
