#pragma once
// The live face as a layer below the window sees it in its own tests: no entry fields, no photo
// box, no group project, no profile dialogs. Installed for the test's life; the previous panel
// comes back when it goes. Tests that check what reaches the panel override the calls they need.

#include "canvas/LiveModePanel.h"

class NoWindowLiveModePanel : public LiveModePanel {
public:
    NoWindowLiveModePanel() : m_previous(setLiveModePanel(this)) {}
    ~NoWindowLiveModePanel() override { setLiveModePanel(m_previous); }
    NoWindowLiveModePanel(const NoWindowLiveModePanel &) = delete;
    NoWindowLiveModePanel &operator=(const NoWindowLiveModePanel &) = delete;

    QWidget *Get_text_box_of_visitor_mode(const QString &) override { return nullptr; }
    QAbstractButton *Get_chk_box_of_visitor_mode(const QString &) override { return nullptr; }
    void Set_User_Image_Control(int side, const QString &path, const QImage &, const QString &id) override
    {
        pictures << QStringLiteral("%1 %2 %3").arg(side).arg(path, id);
    }
    void Show_Hide_Profile_Panel_Live_Mode(bool) override {}
    void Reset_All_Visitor_Grp_Mode_Ctrl() override {}
    void Hide_Visitor_panel() override {}
    void change_Visitor_Side_View(int) override {}
    void Title_For_Visitor() override {}
    int Open_Group_Mode_Wizard() override { return 0; }
    void Set_Group_Mode_List_Setting_After_Loading(const QString &, const QString &) override {}
    void Show_New_Control_Type_Boxes() override {}
    void Set_GP_mode_Value_From_Excel(const QString &, int) override {}
    int Get_Excel_Coulmn_Index_According_ID(const QString &) override { return -1; }
    void Open_User_Profile_Window(int, const QString &, const QString &) override {}
    QRectF Get_Control_Rect_From_Template(const QString &, const QString &) override { return {}; }

    // "<side> <path> <id>" for each picture sent to the photo box.
    QStringList pictures;

private:
    LiveModePanel *m_previous;
};
