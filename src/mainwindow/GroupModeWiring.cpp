#include "mainwindow/GroupModeWiring.h"

#include "core/Globals.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "groupmode/GroupModePanel.h"
#include "groupmode/GroupProjects.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "visitor/VisitorMode.h"

#include <QComboBox>
#include <QObject>

namespace {

class WindowGroupHost : public QObject, public GroupModeHost {
public:
    explicit WindowGroupHost(SKTWindowController &window)
        : QObject(&window), m_window(window), m_panel(*this, &window)
    {
        setObjectName(QStringLiteral("GroupModeWiring"));
        Ensure_Group_Store();
        // Visitor mode owns the live face and hands the group calls on; a panel put in place
        // before the window (a test's) keeps its place.
        if (auto *visitor = dynamic_cast<VisitorMode *>(&liveModePanel())) {
            visitor->setGroupPanel(&m_panel);
            m_visitor = visitor;
        } else if (LiveModePanel *previous = setLiveModePanel(&m_panel)) {
            setLiveModePanel(previous);
        }
    }
    ~WindowGroupHost() override
    {
        // The visitor panel may have gone first; it is reached only while it is installed.
        if (m_visitor && &liveModePanel() == m_visitor)
            m_visitor->setGroupPanel(nullptr);
        if (&liveModePanel() == &m_panel)
            setLiveModePanel(nullptr);
    }

    int Read_and_load_design_Log_NEW_METHOD(const QString &path, const QString &mode, bool readTable) override
    {
        return m_window.Read_and_load_design_Log_NEW_METHOD(path, mode, readTable);
    }
    void Check_For_Defalut_Photo_Control() override { m_window.Check_For_Defalut_Photo_Control(); }
    void Reset_All_Visitor_Grp_Mode_Ctrl() override { liveModePanel().Reset_All_Visitor_Grp_Mode_Ctrl(); }
    bool Create_Group_Project(const GroupProjectSetup &setup) override
    {
        Start_Card_Option = QStringLiteral("G");
        for (size_t i = 0; i < setup.bindings.size(); ++i)
            m_window.excel_cb_value[i + 1] = setup.bindings[i];
        m_window.Excel_Table().Set_Table(setup.titles, setup.rows);
        ::Excel_Binding_Use = true;
        ::Excel_Source_Path = setup.workbookPath;
        ::Project_File_Name = setup.projectPath;
        if (m_window.Data_source_type->findText(QStringLiteral("Excel")) < 0)
            m_window.Data_source_type->addItem(QStringLiteral("Excel"));
        return m_window.Save_project_file(false, false, QStringLiteral("L"));
    }
    void Open_Group_Project(const QString &path) override
    {
        Start_Card_Option = QStringLiteral("G");
        ::Project_File_Name = path;
    }

private:
    SKTWindowController &m_window;
    GroupModePanel m_panel;
    VisitorMode *m_visitor = nullptr;
};

}  // namespace

void Install_Group_Mode(SKTWindowController &window) { new WindowGroupHost(window); }
