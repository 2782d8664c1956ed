#pragma once
// What a canvas asks of the window it sits in: undo snapshots, the property panel, the tool,
// toolbar states and the commands of its context menu that belong to the window. The window
// installs its implementation for the run; tests install fakes; without one every request is
// a harmless no-op (no panel, no history, the arrow tool).

#include <QColor>
#include <QFont>

class SKTGraphic;

class CanvasRequests {
public:
    virtual ~CanvasRequests() = default;

    // Pushes an undo snapshot of the current side.
    virtual void Insert_In_Undo_Redo() {}
    // Fills the property panel for the control; nullptr clears the current control and the
    // current side's selection and shows the card's properties.
    virtual void Show_RHS_Properties(SKTGraphic *) {}
    // The panel's position and size fields follow a control of the canvas whose bounds
    // changed (the canvas hears it from the control's observers).
    virtual void Set_Control_Pos_And_Size(SKTGraphic *) {}
    // Marks the current side's canvas for redisplay.
    virtual void Refresh_Canvas() {}
    // The drawing tool (0 arrow, 1 line, 2 text, 3-7 and 13-15 shapes, 8 and 9 images,
    // 10 barcode, 11 signature, 12 fingerprint).
    virtual int Selected_Control_Tool() { return 0; }
    virtual void Set_Selected_Control_Tool(int) {}
    // The window's current text font and colour, which the controls the canvas makes take.
    virtual QFont All_Text_font();
    virtual QColor All_Text_clr() { return Qt::black; }
    // Set while profile values are being filled in: no undo snapshots then.
    virtual bool Fill_User_Profile() { return false; }
    virtual void Open_Barcode_Window() {}
    virtual void Set_Paste_Button_Status() {}
    // Same width / same height toolbar buttons.
    virtual void Enable_Same_Size_Buttons(bool) {}
    // Natural-size and fit-to-label buttons.
    virtual void Enable_Natural_Size_Buttons(bool) {}
    virtual void Undo_Action_Perform() {}
    virtual void Redo_Action_Perform() {}
    // Commands of the canvas's context menu that belong to the window.
    virtual void Lock_Clicked() {}
    virtual void Unlock_Clicked() {}
    virtual void Card_Prop_Clicked() {}
    virtual void Card_Bckgrnd_Clicked() {}
    virtual void Export_Button() {}
    virtual void Export_As_Template_Clicked() {}
    virtual void Mail_Button() {}
    virtual void Print_Button() {}
    // Whether the window carries out the context-menu command of that name ("print_id_card:" …);
    // the menu disables the others.
    virtual bool Window_Command_Available(const QString &) { return false; }
};

// The installed requests, or the built-in no-ops.
CanvasRequests &canvasRequests();
// Installs requests (not owned) and returns the previous ones (nullptr for the no-ops).
CanvasRequests *setCanvasRequests(CanvasRequests *requests);
