#pragma once
// The visitor and group mode entry panels as the canvas reaches them: a selected or deleted
// control's entry field and check box, its photo box, and the group batch. The window
// installs its implementation for the run; without one there is no panel.

#include <QImage>
#include <QRectF>
#include <QString>

class QAbstractButton;
class QWidget;

class LiveModePanel {
public:
    virtual ~LiveModePanel() = default;
    // The entry field and its check box of a control id on the current side; nullptr when the
    // panel has none.
    virtual QWidget *Get_text_box_of_visitor_mode(const QString &) { return nullptr; }
    virtual QAbstractButton *Get_chk_box_of_visitor_mode(const QString &) { return nullptr; }
    // Shows a picture in the photo box of the side's profile panel (0 front, 1 back); an empty
    // path, a null picture and an empty id clear it.
    virtual void Set_User_Image_Control(int, const QString &, const QImage &, const QString &) {}
    // Group mode: the batch value filling works on that side's array from now on.
    virtual void Set_Graphics_array_Batch(int) {}
    // Group mode: the spreadsheet column bound to a profile id, -1 when unbound.
    virtual int Get_Excel_Coulmn_Index_According_ID(const QString &) { return -1; }

    // --- what the start modes ask of the visitor and group panels ---
    virtual void Show_Hide_Profile_Panel_Live_Mode(bool) {}
    virtual void Reset_All_Visitor_Grp_Mode_Ctrl() {}
    virtual void Hide_Visitor_panel() {}
    virtual void change_Visitor_Side_View(int) {}
    virtual void Title_For_Visitor() {}
    // The profile dialog for a design of `totalSides` ("1" or "2"); its answer is not used.
    virtual void Open_User_Profile_Window(int, const QString &, const QString &) {}
    // Where the template puts a profile control; an empty rectangle when it does not say.
    virtual QRectF Get_Control_Rect_From_Template(const QString &, const QString &) { return {}; }
    // The group-mode wizard: 1 when a project was set up and its design loaded, 0 cancelled.
    virtual int Open_Group_Mode_Wizard() { return 0; }
    virtual void Set_Group_Mode_List_Setting_After_Loading(const QString &, const QString &) {}
    virtual void Show_New_Control_Type_Boxes() {}
    virtual void Set_GP_mode_Value_From_Excel(const QString &, int) {}
    virtual void Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK() {}
};

// The installed panel, or the built-in one that has no fields.
LiveModePanel &liveModePanel();
// Installs a panel (not owned) and returns the previous one (nullptr for the built-in one).
LiveModePanel *setLiveModePanel(LiveModePanel *panel);
