// The property panel's crop command reaching the cropping tool: a picture control's own file, its
// series or its spreadsheet column is cropped, and the control then shows (or is bound to) the
// result.
#include "canvas/SKTGraphicView.h"
#include "core/SKTGraphic.h"
#include "core/SKTImage.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "imaging/Camera.h"
#include "imaging/Cropping_Tool.h"
#include "mainwindow/ControllerHub.h"
#include "mainwindow/SKTWindowController.h"
#include "platform/UiServices.h"

int ControllerHub::Open_Cropping_Tool(const CropRequest &request)
{
    SKTGraphicView *canvas = currentCanvas();
    SKTGraphic *control = canvas ? canvas->Selected_Graphic() : nullptr;
    if (!control)
        return 0;
    Cropping_Tool &tool = *Cropping_Tool::defaultInstance();
    tool.ctrl_data_source_type = request.sourceType;
    const QString column = m_controller.Get_Excel_Column_Name_Of_Index(request.columnIndex);
    // Through the UI services, so a scripted run can stand in for the modal window.
    const int done = platform::ui().runModal(QStringLiteral("Cropping_Tool"), request.path, [&] {
        switch (request.sourceType) {
        case 1:
            return tool.Open_Wnd_Direct_Crop_Series(request.seriesName);
        case 2:
            return tool.Open_Wnd_Direct_Excel_Column(column, request.columnIndex);
        default:
            return tool.Open_Wnd_Direct_To_Crop(request.path);
        }
    });
    if (done != 1)
        return done;
    if (request.sourceType == 1 && !tool.Crop_Direct_Series.isEmpty()) {
        control->Set_Batch_List_Name(tool.Crop_Direct_Series);
    } else if (request.sourceType == 2 && tool.Crop_New_Excel_Col_Index >= 0) {
        control->Set_Excel_binding_Index(tool.Crop_New_Excel_Col_Index);
    } else if (request.sourceType == 0 && !tool.Crop_Direct_Path.isEmpty()) {
        if (control->kind() == SKTGraphicKind::Image)
            static_cast<SKTImage *>(control)->setFilePath(tool.Crop_Direct_Path, true);
    }
    canvas->setNeedsDisplayInRect(control->drawingBounds());
    m_controller.Refresh_Canvas();
    m_controller.Insert_In_Undo_Redo();
    return done;
}

// The camera window for the selected picture control; the panel puts the saved picture on it.
int ControllerHub::Open_Camera_Window(QString &picture) { return Camera::Take_Picture(picture); }
