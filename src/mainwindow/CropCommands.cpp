// The property panel's crop command reaching the cropping tool: a picture control's own file, its
// series or its spreadsheet column is cropped, and the control then shows (or is bound to) the
// result. The panel's path field is the source of the image write-back, so it is given the new
// path before the write-back runs: otherwise the next change in the image tab would put the
// uncropped picture back.
#include "canvas/SKTGraphicView.h"
#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "core/SKTGraphic.h"
#include "core/SKTDocument.h"
#include "core/SKTImage.h"
#include "data/batch/BatchBinding.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "imaging/Camera.h"
#include "imaging/Cropping_Tool.h"
#include "mainwindow/ControllerHub.h"
#include "mainwindow/SKTWindowController.h"
#include "platform/UiServices.h"
#include "properties/PropertyPanel.h"

#include <QComboBox>
#include <QLineEdit>
#include <algorithm>
#include <memory>

namespace {

// The series list again, with `name` (a series just written) selected.
void Refresh_Data_Set_File_Name_In_Combo(QComboBox *list, const QString &name)
{
    list->clear();
    list->addItems(Get_datasheet_File_Name_Array());
    list->setCurrentIndex(list->findText(name));
}

}  // namespace

int ControllerHub::Open_Cropping_Tool(const CropRequest &request)
{
    SKTGraphicView *canvas = currentCanvas();
    SKTGraphic *selected = canvas ? canvas->Selected_Graphic() : nullptr;
    if (!selected)
        return 0;
    // The control is held by a weak reference while the tool runs: should it go meanwhile, the
    // crop's result is not written into it.
    const int side = Card_Front_Or_Back == 1 ? 1 : 0;
    const SKTDocument &document = m_controller.document();
    std::weak_ptr<SKTGraphic> held;
    for (const SKTGraphicPtr &g : document.graphicsOfSide(side)) {
        if (g.get() == selected)
            held = g;
    }
    Cropping_Tool &tool = *Cropping_Tool::defaultInstance();
    tool.ctrl_data_source_type = request.sourceType;
    // In group mode a spreadsheet-bound picture is the row's own file: it is cropped alone.
    const bool group = Start_Card_Option == QLatin1String("G");
    const bool single = request.sourceType != 1 && (request.sourceType == 0 || group);
    Data_From_Excel &table = m_controller.Excel_Table();
    const QString column = m_controller.Get_Excel_Column_Name_Of_Index(request.columnIndex);
    // Through the UI services, so a scripted run can stand in for the modal window.
    const int done = platform::ui().runModal(QStringLiteral("Cropping_Tool"), request.path, [&] {
        if (single)
            return tool.Open_Wnd_Direct_To_Crop(request.path);
        if (request.sourceType == 1)
            return tool.Open_Wnd_Direct_Crop_Series(request.seriesName);
        return tool.Open_Wnd_Direct_Excel_Column(column, request.columnIndex);
    });
    const SKTGraphicPtr control = held.lock();
    const SKTGraphicArray &onSide = document.graphicsOfSide(side);
    const bool stillThere = control && std::find(onSide.begin(), onSide.end(), control) != onSide.end();
    if (done != 1 || !stillThere || control->kind() != SKTGraphicKind::Image)
        return done;
    auto &image = static_cast<SKTImage &>(*control);
    PropertyPanel &panel = m_controller.propertyPanel();
    QString picture;
    bool textPathAlso = false;
    if (single) {
        picture = tool.Crop_Direct_Path;
        // At the desk and in group mode the crop becomes the control's source too: the visit or
        // the row records the source, and an undo hands it back to the profile panel, which
        // must keep the picture the card shows.
        textPathAlso = group || Start_Card_Option == QLatin1String("V");
    } else if (request.sourceType == 1) {
        if (tool.Crop_Direct_Series.isEmpty())
            return done;
        {
            PanelFillGuard filling;
            Refresh_Data_Set_File_Name_In_Combo(panel.Batch_Series, tool.Crop_Direct_Series);
        }
        picture = Get_First_Value_Of_Dataset(tool.Crop_Direct_Series);
        image.Set_Batch_List_Name(tool.Crop_Direct_Series);
        image.Set_Batch_List_Index(panel.Batch_Series->currentIndex());
    } else {
        if (tool.Crop_New_Excel_Col_Index < 0)
            return done;
        {
            PanelFillGuard filling;
            panel.Batch_Series->clear();
            Fill_Excel_Col_Name_In_Combo(panel.Batch_Series);
            panel.Batch_Series->setCurrentIndex(tool.Crop_New_Excel_Col_Index);
        }
        picture = Get_First_Value_Of_Excel_Binding(table.Rows(1), tool.Crop_New_Excel_Col_Index);
        image.Set_Excel_binding_Index(tool.Crop_New_Excel_Col_Index);
        textPathAlso = true;
    }
    if (picture.isEmpty())
        return done;
    Library_Selected_Image = picture;
    panel.Show_Picture_Path(picture);
    image.setFilePath(picture, textPathAlso);
    // Redraws the control with the panel's settings and records the crop as one undo step.
    panel.Update_Image_Graphics(false);
    if (group)
        if (QWidget *save = m_controller.findChild<QWidget *>(QStringLiteral("Save_Excel_Details_Btn")))
            save->setFocus();
    return done;
}

// The camera window for the selected picture control; the panel puts the saved picture on it.
int ControllerHub::Open_Camera_Window(QString &picture) { return Camera::Take_Picture(picture); }
