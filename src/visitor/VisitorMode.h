#pragma once
// Visitor mode as the window runs it: the switch between the design face and the live face with
// its columns, the two profile panels, the profile-field controls they put on the card and where
// a new one goes, and the loading of a card's values into the panels.

#include "canvas/LiveModePanel.h"
#include "core/UndoRedo.h"
#include "visitor/Profile_Panel.h"

#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <memory>

class QLineEdit;
class QScrollArea;
class QSplitter;
class SKTGraphic;
class SKTGraphicView;
class VisitorWindow;


class VisitorMode : public LiveModePanel {
public:
    explicit VisitorMode(VisitorWindow &window);
    ~VisitorMode() override;

    // The three left-hand columns (group list, panel, design area) as one split view, named
    // `verticalSplitView`; the design area is re-parented into it.
    QSplitter *buildColumns(QWidget *designArea);
    Profile_Panel *panel(int side) const;
    LiveModeSidePanel *sidePanel(int side) const;

    // --- the face and its columns ---
    void Show_Hide_Profile_Panel_Live_Mode(bool live) override;
    void Show_Hide_Visitor_DB_Button(bool hide);
    void change_Visitor_Side_View(int side) override;
    void Set_Panel_Size(int side);
    void collapseLeftView();
    void uncollapseLeftView();
    // The live columns at the widths they ask for (list 200, panel 380 in visitor mode and 400
    // in group mode), narrowed on a small screen down to what each needs, the design column last.
    void fitLiveColumns();
    // The live columns take `shortBy` pixels from the column to their right, or give back what
    // they took when negative.
    void borrowFromRight(int shortBy);
    // The most the live columns can have on the window's screen; -1 when it has none.
    int liveRoomOnScreen() const;
    // Lends and takes back through `outer`, the split view the live columns sit in.
    void followNeighbour(QSplitter &outer);
    void Hide_Visitor_panel() override;
    void Show_Single_Mode_Front_Panel();
    void Show_Single_Mode_Back_Panel();
    void Title_For_Visitor() override;
    void Reset_All_Visitor_Grp_Mode_Ctrl() override;

    // --- controls on the card ---
    bool new_control_add(QString text, const QString &id, QLineEdit *box);
    void Change_Value(QString value, const QString &id, bool show, bool place);
    QPointF Set_Ctrl_Pos_In_Vstr_Mode(const QString &id, const QRectF &frame);
    QPointF Get_Ctrl_Location_From_Design(const QString &id);
    QWidget *Get_text_box_of_visitor_mode(const QString &id) override;
    QAbstractButton *Get_chk_box_of_visitor_mode(const QString &id) override;
    void Set_User_Image_Control(int side, const QString &path, const QImage &image, const QString &id) override;

    // --- custom rows from a loaded design, and their text for the visitor database ---
    void Create_Control_For_Visitor_Mode();
    void Create_Control_For_Visitor_Mode_Front_Side() { createControlsForSide(0); }
    void Create_Control_For_Visitor_Mode_Back_Side() { createControlsForSide(1); }
    // One side's panel starts again from that side's dynamic-control list: its custom rows are
    // those of the controls the side now holds (a design copied onto it, say).
    void Rebuild_Custom_Rows(int side);
    QString Get_Front_Visitor_dyn_contrl_str() const;
    QString Get_Back_Visitor_dyn_contrl_str() const;

    // --- recording ---
    // Both panels into one row of the visitor database; true when the row was stored.
    bool Add_Visitor_Record_To_DB();
    // A date or time the operator does not type (its manual box off) is the moment of recording:
    // the side's box shows `now`, and so does its card control while the box is ticked.
    void Take_Recording_Moment(int side, const QDateTime &now);

    // --- loading ---
    void Load_Fup_Fields(int side);
    // In a live mode, the side's fixed fields shown again as the card has them now (after a
    // profile was laid on the card, say): ticked exactly for the visible controls.
    void Refresh_Panel_From_Card(int side);

    // --- photo ---
    // 0: the side has no image control; 1: one is selected; 2 or more: stop (after a message).
    int Find_And_Select_Design_Image_Control();
    VisitorWindow &window() { return m_window; }
    SKTGraphicView *currentCanvas();

    // --- group mode shares the live face: its own calls go to the group panel ---
    void setGroupPanel(LiveGroupPanel *panel) { m_groupPanel = panel; }
    LiveGroupPanel *groupPanel() const { return m_groupPanel; }
    int Open_Group_Mode_Wizard() override { return m_groupPanel ? m_groupPanel->Open_Group_Mode_Wizard() : 0; }
    void Set_Group_Mode_List_Setting_After_Loading(const QString &path, const QString &mode) override
    {
        if (m_groupPanel)
            m_groupPanel->Set_Group_Mode_List_Setting_After_Loading(path, mode);
    }
    void Show_New_Control_Type_Boxes() override
    {
        if (m_groupPanel)
            m_groupPanel->Show_New_Control_Type_Boxes();
    }
    void Set_GP_mode_Value_From_Excel(const QString &id, int row) override
    {
        if (m_groupPanel)
            m_groupPanel->Set_GP_mode_Value_From_Excel(id, row);
    }
    int Get_Excel_Coulmn_Index_According_ID(const QString &id) override
    {
        return m_groupPanel ? m_groupPanel->Get_Excel_Coulmn_Index_According_ID(id) : -1;
    }
    // --- and the window's profile dialogs their own ---
    void setProfilePanel(LiveProfilePanel *panel) { m_profilePanel = panel; }
    LiveProfilePanel *profilePanel() const { return m_profilePanel; }
    void Open_User_Profile_Window(int keep, const QString &load, const QString &total) override
    {
        if (m_profilePanel)
            m_profilePanel->Open_User_Profile_Window(keep, load, total);
    }
    QRectF Get_Control_Rect_From_Template(const QString &id, const QString &value) override
    {
        return m_profilePanel ? m_profilePanel->Get_Control_Rect_From_Template(id, value) : QRectF();
    }

private:
    void createControlsForSide(int side);
    // Joined by the window's set-up (which checks both are there); until then the group calls
    // answer as a design with no group project and the profile calls open nothing.
    LiveGroupPanel *m_groupPanel = nullptr;
    LiveProfilePanel *m_profilePanel = nullptr;
    class SidePanel;
    VisitorWindow &m_window;
    QSplitter *verticalSplitView = nullptr;
    QScrollArea *gp_scrollView = nullptr, *scrollView = nullptr;
    QWidget *group_mode_view = nullptr, *Visitor_mode_view = nullptr, *myTargetView = nullptr;
    // The panels belong to the window's widgets, which may go first when the window closes.
    QPointer<Profile_Panel> front_vistr_view, back_vistr_view;
    std::unique_ptr<SidePanel> m_sidePanels[2];
    QRectF rf_control_rect;
    int m_lentByRight = 0;  // what the column to the right lent the live columns
    bool m_fitting = false;
    bool m_dividerMoved = false;
    bool m_dividerHeld = false;  // the user's hand on the divider beside the property panel
    bool m_lending = false;      // the live columns taking or giving back width themselves
};
