#pragma once
// Group mode on the open design: the twelve column bindings laid on the card (the first-row pass
// and the re-layout after a re-mapping), the custom-field list of each side, the group list
// beside the canvas and the rows it lays on the card and the entry panels, and the add, save
// and delete of rows. The main window forwards its group-mode operations here and answers what
// group mode needs of it through GroupModeWindow.
//
// Road of a project: the wizard (or the project loader) fills the table and bindings, then
// Set_Group_Mode_List_Setting_After_Loading rebuilds the list and lays row 0; selecting a list
// row runs Assign_value_to_card_in_group_mode_list_selection, which fills the bound controls of
// the side in work from that row and the side's entry panel, and records no undo step.
// Everything runs on the GUI thread.

#include "core/DesignCommands.h"
#include "groupmode/GroupData.h"
#include "groupmode/GroupList.h"

#include <QPointer>
#include <QRectF>
#include <QString>
#include <array>
#include <optional>
#include <vector>

class GroupListWidget;
class Profile_Panel;
class SKTDocument;
class SKTGraphic;
class SKTGraphicView;
class Update_XL_Column;
class QWidget;

// What group mode asks of the main window. The window answers every call.
class GroupModeWindow {
public:
    virtual ~GroupModeWindow() = default;
    virtual SKTDocument &document() = 0;
    virtual SKTGraphicView *canvasOfSide(int side) = 0;
    virtual groupmode::GroupData &groupData() = 0;
    // The dynamic control list of a side (0 front, 1 back).
    virtual std::vector<DynamicControlRow> &dynamicControlList(int side) = 0;
    // The entry panel of a side; nullptr while there is none.
    virtual Profile_Panel *entryPanel(int side) = 0;
    // The custom row's text field and check box of an id on the side in work; nullptr when the
    // panel has no such row.
    virtual QWidget *customTextBox(const QString &id) = 0;
    virtual QWidget *customCheckBox(const QString &id) = 0;
    // The live-mode value change of a control of the side in work: the value shown, the control
    // shown and selected, the side redrawn.
    virtual void Change_Value(const QString &value, const QString &id, bool show, bool place) = 0;
    // Where the layout template puts a profile field; empty when it does not say.
    virtual QRectF Get_Control_Rect_From_Template(const QString &id, const QString &value) = 0;
    virtual void Set_Selected_Control_Tool(int tool) = 0;
    virtual void selectArrowTool() = 0;
    virtual void Refresh_Canvas() = 0;
    // The property panel shows `control`, or the card's properties for nullptr.
    virtual void Show_RHS_Properties(SKTGraphic *control) = 0;
    // One control's value and visibility into the panel of the side in work (nullptr: nothing).
    virtual void Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(SKTGraphic *control) = 0;
    virtual void Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK() = 0;
    // Both panels (front) or the back panel reloaded from the card.
    virtual void Show_Single_Mode_Front_Panel() = 0;
    virtual void Show_Single_Mode_Back_Panel() = 0;
    // The project written silently; false when it could not be written.
    virtual bool Save_Group_Project() = 0;
    // While set, applying a row records no undo step.
    virtual void Set_List_Value_Change(bool applying) = 0;
    // Both sides' undo and redo steps dropped (another row is on show now).
    virtual void Undo_Redo_Clear() = 0;
    virtual bool Copy_Card_Design_In_Progress() = 0;
    virtual QString Project_File_Name() = 0;
    // The design is a group project at `path` bound to the workbook: the binding in use, the
    // "Excel" source offered, the project the open file.
    virtual void Use_Group_Project(const QString &path) = 0;
    // The spreadsheet table shown in its viewer.
    virtual void View_Excel_Table() = 0;
};

class GroupMode {
public:
    explicit GroupMode(GroupModeWindow &window);
    ~GroupMode();

    groupmode::GroupList &list() { return m_list; }
    // The project's table and bindings, as the window keeps them.
    groupmode::GroupData &data() { return m_window.groupData(); }
    // The list widget, made on first use inside `parent` (the group-list column).
    GroupListWidget *listWidget(QWidget *parent = nullptr);
    // The column re-mapping dialog, made on first use and kept for the run.
    Update_XL_Column &remapDialog();

    // --- values and field controls ---
    // The cell of a row and binding; "Text here" for -1, a missing row, key or column.
    QString Get_Excel_Table_Item_Text(int row, int column) const;
    // Creates or updates one control on side 0 (front) or 1 (back); kind "T" text, else picture.
    void Check_and_create_control_for_group_mode(int side, const QString &id, const QString &value,
                                                 const QString &kind, int column, bool visible, bool updateOnly,
                                                 bool checkOtherSide);

    // --- binding passes ---
    void Update_Excel_Column_Binding(const QString &mode);
    void Set_Group_Mode_List_Setting_After_Loading(const QString &path, const QString &mode);
    // `shown`: the re-mapping dialog's ten field check boxes.
    void Update_Excel_Column_Binding_Update_Column(const std::array<bool, groupmode::kTextFields> &shown);
    void Update_excel_col_binding_on_panel(int side);
    void Select_Excel_First_Row();
    void Update_Excel_Btn_Clicked();
    void View_Excel_Btn_Clicked();

    // --- custom fields ---
    void Create_Dynamic_Control_List();
    int Get_Col_Index_of_Dynamic_Control(const QString &id) const;
    int Get_Excel_Coulmn_Index_According_ID(const QString &id) const;
    void Update_Value_For_Dynamic_Control(const QString &mode, const QString &id);

    // --- the list and its rows ---
    void Create_Group_List_By_Excel_List();
    void Mark_Group_List_New_Selection(int row);
    void Assign_value_to_card_in_group_mode_list_selection();
    void Set_GP_mode_Value_From_Excel(const QString &side, int row);
    void Save_Group_Mode_List_Details_In_XL_Data_List();
    // The entry panel of the side in work holds changes a store would write into the row on show.
    bool Shown_Row_Has_Unsaved_Changes();
    // Before a person's selection shows another row: unsaved changes of the row on show are
    // saved, dropped or kept on show, as the person answers. False when that row stays on show.
    bool Leave_Shown_Row();
    // Before something lays the row on show again on the side in work, or leaves that side (a
    // person's side switch, the re-mapping dialog, a copy to the other side): unsaved changes
    // are saved or dropped as the person answers, and the side then shows the row as the table
    // holds it. False when the person keeps them on show; nothing has changed then.
    bool Settle_Shown_Row_Changes();
    // The row on show laid on `side` (0 front, 1 back), as a side coming into work and the
    // preparation of an output take it. Changes of that very row that the side's panel holds
    // and that are not saved stay as they are: laying the row again would drop them unasked.
    void Lay_Shown_Row_On_Side(int side);
    // The entry panel of the side in work as a row record needs it.
    groupmode::PanelValues panelValues(int side);
    // The entry panels' boxes for a new custom field shown, as group mode offers them.
    void Show_New_Control_Type_Boxes();
    // The list emptied, as for a new design.
    void Clear_Group_List();

    // Set once a project's values are in use; a row is laid on the card only then.
    bool Use_Excel_Binding_Values = false;
    // Name, folder and workbook of the open project, as the re-mapping dialog shows them.
    QString Project_Name_Val, Project_Path_Val, Project_Excel_Val;

private:
    static QString sideLetter(int side) { return side == 1 ? QStringLiteral("B") : QStringLiteral("F"); }
    int currentSide() const;

    // After a row is laid on the side in work: a new undo history when the row is not the one
    // laid before.
    void Row_Laid(int row);
    // The side's selection set back to `kept` (those of them still on the side).
    void Keep_Selection(SKTGraphicView &canvas, int side, const SKTGraphicArray &kept);

    GroupModeWindow &m_window;
    groupmode::GroupList m_list;
    // The row last laid on the card and the table's row count then. Undo steps belong to that
    // row: restoring one on another row would put one person's values on another's card.
    int m_laidRow = -1, m_laidRowCount = -1;
    // Each side's entry panel as a row last filled it (see Set_GP_mode_Value_From_Excel).
    struct ShownPanel {
        int row = -1;
        groupmode::PanelValues panel;
    };
    std::array<std::optional<ShownPanel>, 2> m_shown;
    QPointer<GroupListWidget> m_widget;
    QPointer<Update_XL_Column> m_remap;
};

// The card control ids of the ten text fields, in binding order.
extern const std::array<const char *, groupmode::kTextFields> Group_Field_Ids;
