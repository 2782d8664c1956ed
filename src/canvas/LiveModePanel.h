#pragma once
// The visitor and group mode entry panels as the canvas reaches them: a selected or deleted
// control's entry field and check box, its photo box, and the group batch. The window
// installs its implementation for the run; without one there is no panel.

#include <QImage>
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
};

// The installed panel, or the built-in one that has no fields.
LiveModePanel &liveModePanel();
// Installs a panel (not owned) and returns the previous one (nullptr for the built-in one).
LiveModePanel *setLiveModePanel(LiveModePanel *panel);
