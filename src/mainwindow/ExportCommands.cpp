// The window's Export command: it hands a snapshot of both sides and their data to the data
// library's command, which asks, renders and writes away from the open design.

#include "canvas/WidgetUtilities.h"
#include "data/batch/BatchEngine.h"
#include "data/export/ExportSheet.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "groupmode/GroupMode.h"
#include "mainwindow/ControllerHub.h"
#include "mainwindow/GroupModeWiring.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"

#include "core/Globals.h"

#include <QCheckBox>


BatchDesign SKTWindowController::Set_Front_Back_Value_To_Print_Export_Mail() const
{
    return BatchDesign::Take(m_document, *Front_card_Prop, *Back_card_Prop, CARD_SIDE_STR == QLatin1String("2"),
                             Excel_Table().Row_Store());
}

BatchDesign SKTWindowController::Prepare_Print_Export_Mail()
{
    // Print, export and mail take what the fields show, a field still being typed too.
    Finish_Field_Edit(this);
    // The side not in work may still show an older row (rows change on the side in work only);
    // the side in work shows the row on show as the person sees it, and stays as it is.
    if (Start_Card_Option == QLatin1String("G"))
        if (GroupMode *group = Group_Mode_Of(*this)) {
            group->Lay_Shown_Row_On_Side(Card_Front_Or_Back == 1 ? 0 : 1);
            Refresh_Canvas();
        }
    BatchDesign design = Set_Front_Back_Value_To_Print_Export_Mail();
    const bool personsPhoto = Start_Card_Option == QLatin1String("V") || Start_Card_Option == QLatin1String("G");
    design.front.printsPlaceholderPhotos = design.back.printsPlaceholderPhotos = !personsPhoto;
    return design;
}

ExportCommand *SKTWindowController::exportCommand()
{
    if (!m_export) {
        m_export = new ExportCommand(this);
        // The window offers each side as its own picture: the one-image options stay hidden.
        m_export->sheet()->export_combined_image_chk->hide();
        m_export->sheet()->combined_image_H_or_V_chk->hide();
    }
    return m_export;
}

void SKTWindowController::Export_Button()
{
    ExportRequest request{Prepare_Print_Export_Mail(), CARD_SIDE_STR == QLatin1String("2"),
                          Start_Card_Option == QLatin1String("V")};
    exportCommand()->Export_Button(std::move(request));
}

void ControllerHub::Export_Button() { m_controller.Export_Button(); }
