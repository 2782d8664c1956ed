#include "mainwindow/GroupModeWiring.h"

#include "canvas/CanvasRequests.h"
#include "core/Globals.h"
#include "core/SKTImage.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "groupmode/GroupListWidget.h"
#include "groupmode/GroupMode.h"
#include "groupmode/GroupModePanel.h"
#include "groupmode/GroupProjects.h"
#include "mainwindow/VisitorWiring.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "platform/UiServices.h"
#include "properties/CardTabs.h"
#include "visitor/VisitorMode.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <QEvent>
#include <QPointer>
#include <QScrollArea>
#include <QSplitter>
#include <algorithm>
#include <QVBoxLayout>

namespace {

const QString kWiringName = QStringLiteral("GroupModeWiring");

class WindowGroupHost : public QObject, public GroupModeHost, public GroupModeWindow, public groupmode::GroupData {
public:
    explicit WindowGroupHost(SKTWindowController &window)
        : QObject(&window), m_window(window), m_mode(*this), m_panel(*this, &window, m_mode)
    {
        setObjectName(kWiringName);
        Ensure_Group_Store();
        // Visitor mode owns the live face and hands the group calls on.
        if (auto *visitor = Visitor_Mode_Of(window)) {
            visitor->setGroupPanel(&m_panel);
            m_visitor = visitor;
        }
        // The list stands in the live face's group column.
        if (auto *column = window.findChild<QWidget *>(QStringLiteral("group_mode_view"))) {
            if (auto *scroll = window.findChild<QScrollArea *>(QStringLiteral("gp_scrollView"))) {
                scroll->setWidgetResizable(true);
                // The column may be narrowed to nothing, so the window keeps to a small screen.
                scroll->setMinimumWidth(1);
            }
            auto *layout = new QVBoxLayout(column);
            layout->setContentsMargins(2, 2, 2, 2);
            layout->addWidget(m_mode.listWidget(column));
        }
    }
    ~WindowGroupHost() override
    {
        // The visitor panel may have gone first; it is reached only while it is installed.
        if (m_visitor && installedLiveModePanel() == m_visitor)
            m_visitor->setGroupPanel(nullptr);
    }

    GroupMode &mode() { return m_mode; }

    // --- GroupModeHost: the wizard ---
    int Read_and_load_design_Log_NEW_METHOD(const QString &path, const QString &mode, bool readTable) override
    {
        return m_window.Read_and_load_design_Log_NEW_METHOD(path, mode, readTable);
    }
    void Check_For_Defalut_Photo_Control() override { m_window.Check_For_Defalut_Photo_Control(); }
    void Reset_Card_Shape() override { m_window.cardTabs().Card_Shape = 0; }
    bool Create_Group_Project(const GroupProjectSetup &setup) override
    {
        Start_Card_Option = QStringLiteral("G");
        for (int f = 0; f < groupmode::kBindings; ++f)
            setBinding(f, setup.bindings[size_t(f)]);
        setColumnTitles(setup.titles);
        setRows(setup.rows);
        ::Excel_Source_Path = setup.workbookPath;
        m_mode.Project_Excel_Val = setup.workbookPath;
        m_mode.Use_Excel_Binding_Values = true;
        // The first row on the card: fields the template lacks are added where it places them.
        m_mode.Update_Excel_Column_Binding(QStringLiteral("A"));
        Use_Group_Project(setup.projectPath);
        return m_window.Save_project_file(false, false, QStringLiteral("L"));
    }
    void Open_Group_Project(const QString &path) override
    {
        Start_Card_Option = QStringLiteral("G");
        ::Project_File_Name = path;
    }
    QString Open_Design_Path() override { return ::Project_File_Name; }
    void Open_Design_Renamed(const QString &path) override
    {
        const QFileInfo file(path);
        m_mode.Project_Name_Val = file.completeBaseName();
        m_mode.Project_Path_Val = file.dir().dirName();
        m_window.Open_File_Renamed(path);
    }

    // --- GroupModeWindow ---
    SKTDocument &document() override { return m_window.document(); }
    SKTGraphicView *canvasOfSide(int side) override { return m_window.canvasOfSide(side); }
    groupmode::GroupData &groupData() override { return *this; }
    std::vector<DynamicControlRow> &dynamicControlList(int side) override
    {
        return side == 1 ? m_window.dynamic_ctrl_list_back : m_window.dynamic_ctrl_list_front;
    }
    Profile_Panel *entryPanel(int side) override { return m_visitor ? m_visitor->panel(side) : nullptr; }
    QWidget *customTextBox(const QString &id) override { return liveModePanel().Get_text_box_of_visitor_mode(id); }
    QWidget *customCheckBox(const QString &id) override { return liveModePanel().Get_chk_box_of_visitor_mode(id); }
    void Change_Value(const QString &value, const QString &id, bool show, bool place) override
    {
        if (m_visitor)
            m_visitor->Change_Value(value, id, show, place);
    }
    QRectF Get_Control_Rect_From_Template(const QString &id, const QString &value) override
    {
        return liveModePanel().Get_Control_Rect_From_Template(id, value);
    }
    void Set_Selected_Control_Tool(int tool) override { canvasRequests().Set_Selected_Control_Tool(tool); }
    void selectArrowTool() override { m_window.selectArrowTool(); }
    void Refresh_Canvas() override { m_window.Refresh_Canvas(); }
    void Show_RHS_Properties(SKTGraphic *control) override { m_window.Show_RHS_Properties(control); }
    void Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(SKTGraphic *control) override
    {
        m_window.undoHistory().Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(control);
    }
    void Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK() override
    {
        if (!Not_Draw_Only_Prop_Change)
            m_window.undoHistory().Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
    }
    void Show_Single_Mode_Front_Panel() override
    {
        if (m_visitor)
            m_visitor->Show_Single_Mode_Front_Panel();
    }
    void Show_Single_Mode_Back_Panel() override
    {
        if (m_visitor)
            m_visitor->Show_Single_Mode_Back_Panel();
    }
    bool Save_Group_Project() override { return m_window.Save_project_file(false, false, QStringLiteral("L")); }
    void Set_List_Value_Change(bool applying) override
    {
        UndoRedoHistory &history = m_window.undoHistory();
        history.live_mode_list_value_change = applying;
        // The row laid on the card is what the next Undo comes back to.
        if (!applying)
            for (int side : {0, 1})
                history.Record_Without_Undo_Step(side);
    }
    void Undo_Redo_Clear() override { m_window.Undo_Redo_Clear(); }
    bool Copy_Card_Design_In_Progress() override { return copy_card_design; }
    QString Project_File_Name() override { return ::Project_File_Name; }
    void Use_Group_Project(const QString &path) override
    {
        ::Excel_Binding_Use = true;
        ::Project_File_Name = path;
        m_mode.Project_Excel_Val = ::Excel_Source_Path;
        const QFileInfo file(path);
        m_mode.Project_Name_Val = file.completeBaseName();
        m_mode.Project_Path_Val = file.dir().dirName();
        if (m_window.Data_source_type->count() == 2 && m_window.Data_source_type->findText(QStringLiteral("Excel")) < 0)
            m_window.Data_source_type->addItem(QStringLiteral("Excel"));
    }
    void View_Excel_Table() override
    {
        // The project's table in the viewer, read-only.
        Data_From_Excel table;
        for (int k = 1; k < columnCount(); ++k)
            table.appendColumn(columnTitles().value(k));
        for (int r = 0; r < rowCount(); ++r) {
            const QVariantMap cells = row(r);
            QStringList values{cells.value(QStringLiteral("Extension")).toString()};
            for (int k = 1; k < columnCount(); ++k)
                values << cells.value(Data_From_Excel::keyOf(k)).toString();
            table.Append_Row(values);
        }
        Data_From_Excel_Viewer viewer(&table, &m_window);
        platform::ui().runModal(QStringLiteral("Data_From_Excel"), QString(), [&] { return viewer.exec(); });
    }

    // --- GroupData: the window's one spreadsheet table and its bindings ---
    // The window's one spreadsheet table, as group mode reads and writes it.
    QStringList columnTitles() const override { return m_window.Excel_Table().Column_Titles(); }
    int rowCount() const override { return m_window.Excel_Table().rowCount(); }
    QVariantMap row(int r) const override { return m_window.Excel_Table().Table_Row(r); }
    QVariantList rows() const override { return m_window.Excel_Table().Table_Rows(); }
    void setRows(const QVariantList &rows) override { m_window.Excel_Table().Set_Table({}, rows); }
    void setColumnTitles(const QStringList &titles) override
    {
        Data_From_Excel &table = m_window.Excel_Table();
        table.Set_Table(titles, table.Table_Rows());
    }
    int binding(int field) const override { return m_window.excel_cb_value[field + 1]; }
    void setBinding(int field, int column) override { m_window.excel_cb_value[field + 1] = column; }

private:
    SKTWindowController &m_window;
    GroupMode m_mode;
    GroupModePanel m_panel;
    VisitorMode *m_visitor = nullptr;
};

}  // namespace

void Install_Group_Mode(SKTWindowController &window) { new WindowGroupHost(window); }

GroupMode *Group_Mode_Of(SKTWindowController &window)
{
    auto *host = static_cast<WindowGroupHost *>(window.findChild<QObject *>(kWiringName, Qt::FindDirectChildrenOnly));
    return host ? &host->mode() : nullptr;
}
