#include "groupmode/GroupModePanel.h"

#include "groupmode/Group_Mode_Wizard.h"

GroupModePanel::GroupModePanel(GroupModeHost &host, QWidget *window) : m_host(host), m_window(window) {}

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
