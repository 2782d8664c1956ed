#pragma once
// What visitor mode asks of the main window: the canvases and document of the two sides, the
// property panel, the undo history and the tool buttons. The window implements it; tests use the
// window itself.

#include "core/DesignCommands.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

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
    // The window's visitor-records button hidden or shown.
    virtual void Show_Hide_Record_Button(bool hide) = 0;
    // The card has a back side ("2" sides).
    virtual bool Two_Sided_Card() = 0;
    // The placeholder picture file of an empty photo, the picture an empty photo row shows and
    // the picture of a photo that cannot be read.
    virtual QString NO_Image_Path() = 0;
    virtual QImage no_image_ctrl_GP() = 0;
    virtual QImage Err_image() = 0;
    // The custom controls of a side (0 front, 1 back) as a loaded design left them, and their
    // rebuilding from the side's controls after a row was added.
    virtual std::vector<DynamicControlRow> &Dynamic_Control_List(int side) = 0;
    virtual void Create_Dynamic_Control_List(int side) = 0;
};
