#pragma once
// What visitor mode asks of the main window: the canvases and document of the two sides, the
// property panel, the undo history and the tool buttons. The window implements it; tests use the
// window itself.

#include <QString>
#include <QStringList>

class SKTDocument;
class SKTGraphic;
class SKTGraphicView;

class VisitorWindow {
public:
    virtual ~VisitorWindow() = default;
    virtual SKTDocument &document() = 0;
    virtual SKTGraphicView *canvasOfSide(int side) = 0;
    virtual void Select_front_side() = 0;
    virtual void Show_RHS_Properties(SKTGraphic *control) = 0;
    virtual void Set_Selected_Graphic(SKTGraphic *control) = 0;
    // Set while one side's design is copied onto the other: the face does not change then.
    virtual bool Copy_Card_Design_In_Progress() = 0;
    // The property panel's text box shows the value of the control being edited.
    virtual void Set_Text_Value_Edit(const QString &text) = 0;
    virtual void Refresh_Canvas() = 0;
    virtual void Insert_In_Undo_Redo() = 0;
    virtual QStringList Allowd_Image_fileTypes() = 0;
    // True (after the window's own message) when more than one image control is selected.
    virtual bool Check_Multiple_Image_Selection() = 0;
    // The camera window run modally: 1 with the saved picture's path in `picture`, 0 cancelled.
    virtual int Open_Camera_Window(QString &picture) = 0;
    // The profile button shown or hidden and the text and picture tools enabled.
    virtual void Set_Tool_Buttons(bool profileShown, bool textTool, bool imageTools) = 0;
};
