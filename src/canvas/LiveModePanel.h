#pragma once
// The visitor and group mode entry panels as the canvas, the property panel and the start modes
// reach them: a selected or deleted control's entry field and check box, its photo box, the group
// calls and the profile dialogs. The window's live face answers every call (the application's
// set-up installs it); it hands the group calls to the group panel and the profile calls to the
// profile dialogs, which answer only their own part. A layer that runs without a window installs
// an explicit null object of its own in its tests; reaching for the panel when none is installed
// is a fault of the set-up and stops the program with a message.

#include <QImage>
#include <QRectF>
#include <QString>

class QAbstractButton;
class QWidget;

// Group mode's part of the live face.
class LiveGroupPanel {
public:
    virtual ~LiveGroupPanel() = default;
    // The group-mode wizard: 1 when a project was set up and its design loaded, 0 cancelled.
    virtual int Open_Group_Mode_Wizard() = 0;
    virtual void Set_Group_Mode_List_Setting_After_Loading(const QString &path, const QString &mode) = 0;
    virtual void Show_New_Control_Type_Boxes() = 0;
    virtual void Set_GP_mode_Value_From_Excel(const QString &side, int row) = 0;
    // The spreadsheet column bound to a profile id, -1 when unbound.
    virtual int Get_Excel_Coulmn_Index_According_ID(const QString &id) = 0;
};

// The profile dialogs' part of the live face.
class LiveProfilePanel {
public:
    virtual ~LiveProfilePanel() = default;
    // The profile dialog for a design of `totalSides` ("1" or "2"); its answer is not used.
    virtual void Open_User_Profile_Window(int keep, const QString &load, const QString &totalSides) = 0;
    // Where the template puts a profile control; an empty rectangle when it does not say.
    virtual QRectF Get_Control_Rect_From_Template(const QString &id, const QString &value) = 0;
};

// The whole live face.
class LiveModePanel : public LiveGroupPanel, public LiveProfilePanel {
public:
    // The entry field and its check box of a control id on the current side; nullptr when the
    // panel has none.
    virtual QWidget *Get_text_box_of_visitor_mode(const QString &id) = 0;
    virtual QAbstractButton *Get_chk_box_of_visitor_mode(const QString &id) = 0;
    // Shows a picture in the photo box of the side's profile panel (0 front, 1 back); an empty
    // path, a null picture and an empty id clear it.
    virtual void Set_User_Image_Control(int side, const QString &path, const QImage &image, const QString &id) = 0;

    // --- what the start modes ask of the visitor and group panels ---
    virtual void Show_Hide_Profile_Panel_Live_Mode(bool live) = 0;
    virtual void Reset_All_Visitor_Grp_Mode_Ctrl() = 0;
    virtual void Hide_Visitor_panel() = 0;
    virtual void change_Visitor_Side_View(int side) = 0;
    virtual void Title_For_Visitor() = 0;
};

// The installed panel. None installed is a set-up fault: the program stops with a message.
LiveModePanel &liveModePanel();
// The installed panel or nullptr, for the set-up's check and for uninstalling.
LiveModePanel *installedLiveModePanel();
// Installs a panel (not owned) and returns the previous one (nullptr for none).
LiveModePanel *setLiveModePanel(LiveModePanel *panel);
