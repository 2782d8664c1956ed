#pragma once
// Group mode as the main window reaches it through its live-mode panel: the wizard of the start
// dialog's group road. The window installs one for the run.

#include "canvas/LiveModePanel.h"
#include "groupmode/GroupModeHost.h"

#include <QPointer>

class Group_Mode_Wizard;
class QWidget;

class GroupModePanel : public LiveModePanel {
public:
    GroupModePanel(GroupModeHost &host, QWidget *window);
    ~GroupModePanel() override;

    int Open_Group_Mode_Wizard() override;
    // The one wizard, made at the first use and kept with its state for the run.
    Group_Mode_Wizard &wizard();

private:
    GroupModeHost &m_host;
    QPointer<QWidget> m_window;
    QPointer<Group_Mode_Wizard> m_wizard;
};
