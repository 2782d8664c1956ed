#pragma once
// Group mode's part of the window's live face: the wizard of the start dialog's group road and
// the calls the start modes and the canvas make into group mode. Visitor mode answers the live
// face and hands these calls on; the window joins one for the run.

#include "canvas/LiveModePanel.h"
#include "groupmode/GroupModeHost.h"

#include <QPointer>

class GroupMode;
class Group_Mode_Wizard;
class QWidget;

class GroupModePanel : public LiveGroupPanel {
public:
    GroupModePanel(GroupModeHost &host, QWidget *window, GroupMode &mode);
    ~GroupModePanel() override;

    int Open_Group_Mode_Wizard() override;
    void Set_Group_Mode_List_Setting_After_Loading(const QString &path, const QString &mode) override;
    void Show_New_Control_Type_Boxes() override;
    void Set_GP_mode_Value_From_Excel(const QString &side, int row) override;
    int Get_Excel_Coulmn_Index_According_ID(const QString &id) override;
    // The one wizard, made at the first use and kept with its state for the run.
    Group_Mode_Wizard &wizard();

private:
    GroupModeHost &m_host;
    QPointer<QWidget> m_window;
    GroupMode &m_mode;
    QPointer<Group_Mode_Wizard> m_wizard;
};
