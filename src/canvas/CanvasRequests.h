#pragma once
// What a canvas asks of the window it sits in: undo snapshots, the property panel, the tool,
// toolbar states and the commands of its context menu that belong to the window. The window
// installs its implementation for the run; tests install fakes; without one the requests go to
// NoWindowCanvasRequests.

#include <QColor>
#include <QFont>

class SKTGraphic;

class CanvasRequests {
public:
    virtual ~CanvasRequests() = default;

    // Pushes an undo snapshot of the current side.
    virtual void Insert_In_Undo_Redo() = 0;
    // Fills the property panel for the control; nullptr clears the current control and the
    // current side's selection and shows the card's properties.
    virtual void Show_RHS_Properties(SKTGraphic *) = 0;
    // The panel's position and size fields follow a control of the canvas whose bounds
    // changed (the canvas hears it from the control's observers).
    virtual void Set_Control_Pos_And_Size(SKTGraphic *) = 0;
    // Marks the current side's canvas for redisplay.
    virtual void Refresh_Canvas() = 0;
    // The drawing tool (0 arrow, 1 line, 2 text, 3-7 and 13-15 shapes, 8 and 9 images,
    // 10 barcode, 11 signature, 12 fingerprint).
    virtual int Selected_Control_Tool() = 0;
    virtual void Set_Selected_Control_Tool(int) = 0;
    // The window's current text font and colour, which the controls the canvas makes take.
    virtual QFont All_Text_font() = 0;
    virtual QColor All_Text_clr() = 0;
    // Set while profile values are being filled in: no undo snapshots then.
    virtual bool Fill_User_Profile() = 0;
    virtual void Open_Barcode_Window() = 0;
    virtual void Set_Paste_Button_Status() = 0;
    // Same width / same height toolbar buttons.
    virtual void Enable_Same_Size_Buttons(bool) = 0;
    // Natural-size and fit-to-label buttons.
    virtual void Enable_Natural_Size_Buttons(bool) = 0;
    virtual void Undo_Action_Perform() = 0;
    virtual void Redo_Action_Perform() = 0;
    // Commands of the canvas's context menu that belong to the window.
    virtual void Lock_Clicked() = 0;
    virtual void Unlock_Clicked() = 0;
    virtual void Card_Prop_Clicked() = 0;
    virtual void Card_Bckgrnd_Clicked() = 0;
    virtual void Export_Button() = 0;
    virtual void Export_As_Template_Clicked() = 0;
    virtual void Mail_Button() = 0;
    virtual void Print_Button() = 0;
    // Whether the window carries out the context-menu command of that name ("print_id_card:" …);
    // the menu disables the others.
    virtual bool Window_Command_Available(const QString &) = 0;
};

// A canvas with no window over it (a subsystem's own tests, previews): every request is a
// harmless no-op (no panel, no history, the arrow tool, the default text font).
class NoWindowCanvasRequests : public CanvasRequests {
public:
    void Insert_In_Undo_Redo() override {}
    void Show_RHS_Properties(SKTGraphic *) override {}
    void Set_Control_Pos_And_Size(SKTGraphic *) override {}
    void Refresh_Canvas() override {}
    int Selected_Control_Tool() override { return 0; }
    void Set_Selected_Control_Tool(int) override {}
    QColor All_Text_clr() override { return Qt::black; }
    bool Fill_User_Profile() override { return false; }
    void Open_Barcode_Window() override {}
    void Set_Paste_Button_Status() override {}
    void Enable_Same_Size_Buttons(bool) override {}
    void Enable_Natural_Size_Buttons(bool) override {}
    void Undo_Action_Perform() override {}
    void Redo_Action_Perform() override {}
    void Lock_Clicked() override {}
    void Unlock_Clicked() override {}
    void Card_Prop_Clicked() override {}
    void Card_Bckgrnd_Clicked() override {}
    void Export_Button() override {}
    void Export_As_Template_Clicked() override {}
    void Mail_Button() override {}
    void Print_Button() override {}
    bool Window_Command_Available(const QString &) override { return false; }
    QFont All_Text_font() override;
};

// The installed requests, or the built-in no-ops.
CanvasRequests &canvasRequests();
// Installs requests (not owned) and returns the previous ones (nullptr for the no-ops).
CanvasRequests *setCanvasRequests(CanvasRequests *requests);
