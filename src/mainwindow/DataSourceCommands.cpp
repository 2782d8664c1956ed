// What the property panel's windows ask of the design's data sources: whether a spreadsheet is
// bound, its column titles, the first value a bound control shows, and the viewers of a series
// and of the spreadsheet table. The spreadsheet table is the one the cropping tool and the
// profile dialogs fill.
#include "core/Globals.h"
#include "data/SeriesViewer.h"
#include "data/batch/BatchBinding.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "mainwindow/ControllerHub.h"
#include "mainwindow/MainWindowGlobals.h"

#include <QComboBox>

bool ControllerHub::Excel_Binding_Use() { return ::Excel_Binding_Use; }

void ControllerHub::Fill_Excel_Col_Name_In_Combo(QComboBox *combo)
{
    combo->setCurrentIndex(-1);
    combo->clear();
    // Every column in order, the row number first, so an item's index is the column's index.
    for (const ExcelColumn &column : Data_From_Excel::defaultInstance()->ColList)
        combo->addItem(column.title);
}

QString ControllerHub::First_Value_Of_Source(int type, const QString &seriesName, int column)
{
    if (type == 1)
        return Get_First_Value_Of_Dataset(seriesName);
    if (type == 2)
        return Get_First_Value_Of_Excel_Binding(Data_From_Excel::defaultInstance()->ListData, column);
    return {};
}

void ControllerHub::View_Data_Source(int type, const QString &seriesName)
{
    if (type == 1) {
        View_Data_Series *viewer = View_Data_Series::defaultInstance();
        viewer->file_name = seriesName;
        viewer->Open_Wnd();
    } else if (type == 2) {
        Data_From_Excel::defaultInstance()->Open_Wnd(Start_Card_Option == QLatin1String("G"));
    }
}
