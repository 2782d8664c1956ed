#include "groupmode/GroupModePanel.h"

#include "groupmode/GroupMode.h"
#include "groupmode/Group_Mode_Wizard.h"

GroupModePanel::GroupModePanel(GroupModeHost &host, QWidget *window, GroupMode &mode)
    : m_host(host), m_window(window), m_mode(mode)
{
}

GroupModePanel::~GroupModePanel()
{
    if (m_wizard && !m_wizard->parent())
        delete m_wizard.data();
}

Group_Mode_Wizard &GroupModePanel::wizard()
{
    if (!m_wizard)
        m_wizard = new Group_Mode_Wizard(m_host, m_window);
    return *m_wizard;
}

int GroupModePanel::Open_Group_Mode_Wizard() { return wizard().Open_Wnd(); }

void GroupModePanel::Set_Group_Mode_List_Setting_After_Loading(const QString &path, const QString &mode)
{
    m_mode.Set_Group_Mode_List_Setting_After_Loading(path, mode);
}

void GroupModePanel::Show_New_Control_Type_Boxes() { m_mode.Show_New_Control_Type_Boxes(); }

void GroupModePanel::Set_GP_mode_Value_From_Excel(const QString &side, int row)
{
    m_mode.Set_GP_mode_Value_From_Excel(side, row);
}

int GroupModePanel::Get_Excel_Coulmn_Index_According_ID(const QString &id)
{
    return m_mode.Get_Excel_Coulmn_Index_According_ID(id);
}
