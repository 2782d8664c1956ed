// The window's Export command: it hands a snapshot of both sides and their data to the data
// library's command, which asks, renders and writes away from the open design.

#include "data/batch/BatchEngine.h"
#include "data/export/ExportSheet.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "groupmode/GroupMode.h"
#include "mainwindow/ControllerHub.h"
#include "mainwindow/GroupModeWiring.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"

#include "core/Globals.h"

namespace {

// The spreadsheet rows of the design: the table's, or those the design file brought.
QList<QStringList> excelRows(const QVariantList &designRows)
{
    if (Data_From_Excel_Window && !Data_From_Excel_Window->ListData.isEmpty())
        return Data_From_Excel_Window->ListData;
    QList<QStringList> rows;
    for (const QVariant &row : designRows) {
        const QVariantMap map = row.toMap();
        QStringList values;
        for (int column = 0; map.contains(Data_From_Excel::keyOf(column)) || column == 0; ++column)
            values << map.value(Data_From_Excel::keyOf(column)).toString();
        rows << values;
    }
    return rows;
}

}  // namespace

BatchDesign SKTWindowController::Set_Front_Back_Value_To_Print_Export_Mail() const
{
    return BatchDesign::Take(m_document, *Front_card_Prop, *Back_card_Prop, CARD_SIDE_STR == QLatin1String("2"),
                             excelRows(Excel_Table_Rows));
}

BatchDesign SKTWindowController::Prepare_Print_Export_Mail()
{
    if (Start_Card_Option == QLatin1String("G"))
        if (GroupMode *group = Group_Mode_Of(*this))
            group->Assign_value_to_card_in_group_mode_list_selection();
    return Set_Front_Back_Value_To_Print_Export_Mail();
}

ExportCommand *SKTWindowController::exportCommand()
{
    if (!m_export)
        m_export = new ExportCommand(this);
    return m_export;
}

void SKTWindowController::Export_Button()
{
    ExportRequest request{Prepare_Print_Export_Mail(), CARD_SIDE_STR == QLatin1String("2"),
                          Start_Card_Option == QLatin1String("V")};
    exportCommand()->Export_Button(std::move(request));
}

void ControllerHub::Export_Button() { m_controller.Export_Button(); }
