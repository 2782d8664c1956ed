// The property panel's data-source choice carried out by the window: binding the selected
// controls to a series or a spreadsheet column of the one table, the column list, and the
// viewers behind a choice.

#include "canvas/SKTGraphicView.h"
#include "canvas/WidgetUtilities.h"
#include "core/Globals.h"
#include "core/SKTImage.h"
#include "core/Utilities.h"
#include "data/SeriesViewer.h"
#include "data/batch/BatchBinding.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "mainwindow/ControllerHub.h"
#include "mainwindow/Insert_Template.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "platform/UiServices.h"
#include "properties/PropertyPanel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

void SKTWindowController::Change_Data_Source_To_selected_Control(int type, const QString &name, int index)
{
    SKTGraphicView *canvas = currentCanvas();
    if (Not_Draw_Only_Prop_Change || !canvas || !canvas->Selected_Graphic())
        return;
    // The control the panel shows comes first: it decides between an image and texts.
    SKTGraphic *shown = canvas->Selected_Graphic();
    SKTGraphicList selected{shown};
    for (const SKTGraphicPtr &g : canvas->selectedGraphics()) {
        if (g.get() != shown)
            selected.push_back(g.get());
    }
    QString refusal;
    const SKTGraphicList bound =
        ::Change_Data_Source_To_selected_Control(selected, type, name, index, Excel_Table().Rows(1), &refusal);
    if (!refusal.isEmpty()) {
        Show_MessageBox(refusal);
        return;
    }
    if (bound.empty())
        return;
    if (index > -1 && hasPropertyPanel()) {
        PropertyPanel &panel = propertyPanel();
        if (shown->kind() == SKTGraphicKind::Image) {
            panel.Show_Picture_Path(shown->FilePath());
        } else {
            const QSignalBlocker quiet(panel.Text_value_Edit);
            panel.Text_value_Edit->setPlainText(shown->Text_contents().string);
        }
    }
    for (SKTGraphic *g : bound)
        canvas->setNeedsDisplayInRect(g->drawingBounds());
    Refresh_Canvas();
    Insert_In_Undo_Redo();
}

QStringList SKTWindowController::Excel_Column_Titles() const
{
    // Only a loaded sheet has columns to offer; the row-number column alone is no sheet.
    const QStringList titles = Excel_Table().Column_Titles();
    return titles.size() > 1 ? titles : QStringList();
}

QString SKTWindowController::Get_Excel_Column_Name_Of_Index(int index) const
{
    return Excel_Table().Column_Titles().value(index);
}

namespace {
const QString kExcelItem = QStringLiteral("Excel");
}

void SKTWindowController::Add_Excel_Col_Name_In_Combo(QComboBox *type)
{
    if (type && type->count() == 2)
        type->addItem(kExcelItem);
}

void SKTWindowController::Remove_Excel_Col_Name_In_Combo(QComboBox *type)
{
    if (!type || type->count() != 3)
        return;
    // Losing the item is no choice of the user's: nothing is rebound by it, and the box shows
    // Manual rather than falling onto Series, whose reaction (a question about series) nobody asked for.
    PanelFillGuard filling;
    if (type->currentIndex() == 2)
        type->setCurrentIndex(0);
    type->removeItem(2);
}

void SKTWindowController::Update_Excel_Column_If_Datasource_Is_Excel(QComboBox *type)
{
    if (!type || type->count() != 3 || type->currentIndex() != 2)
        return;
    {
        PanelFillGuard filling;  // the list is refilled; the controls keep their columns
        type->setCurrentIndex(0);
        type->setCurrentIndex(2);
    }
    SKTGraphicView *canvas = currentCanvas();
    const SKTGraphic *shown = canvas ? canvas->Selected_Graphic() : nullptr;
    if (shown && shown->data_source_type == Batch_Source_Sheet && Batch_Series) {
        const QSignalBlocker quiet(Batch_Series);
        Batch_Series->setCurrentIndex(shown->excel_col_indx < Batch_Series->count() ? shown->excel_col_indx : -1);
    }
}

void SKTWindowController::Excel_Table_Changed()
{
    if (!hasPropertyPanel())
        return;
    if (Excel_Column_Titles().isEmpty())
        Remove_Excel_Col_Name_In_Combo(Data_source_type);
    else
        Add_Excel_Col_Name_In_Combo(Data_source_type);
    Update_Excel_Column_If_Datasource_Is_Excel(Data_source_type);
}

void SKTWindowController::View_Data_Source(int type, const QString &name)
{
    if (type == Batch_Source_Series)
        View_Chosen_Series(name);
    else if (type == Batch_Source_Sheet)
        View_Excel_Table(Excel_Table());
}

int SKTWindowController::Open_Stock_Text(const QString &mode, QString &text)
{
    insert_template->title_or_msg = mode;
    const int result = insert_template->Open_Template_Dialog();
    text = Template_Msg_Val;
    return result;
}

// --- the panel's hooks ---

void ControllerHub::Change_Data_Source_To_selected_Control(int type, const QString &name, int index)
{
    m_controller.Change_Data_Source_To_selected_Control(type, name, index);
}

void ControllerHub::Fill_Excel_Col_Name_In_Combo(QComboBox *combo)
{
    combo->setCurrentIndex(-1);
    combo->clear();
    Add_Name_Items(combo, m_controller.Excel_Column_Titles());
}

void ControllerHub::View_Data_Source(int type, const QString &name) { m_controller.View_Data_Source(type, name); }

int ControllerHub::Open_Template_Dialog(const QString &mode, QString &text)
{
    return m_controller.Open_Stock_Text(mode, text);
}

// --- the barcode window's sources ---

bool ControllerHub::Excel_Binding_Use() { return ::Excel_Binding_Use; }

QString ControllerHub::First_Value_Of_Source(int type, const QString &seriesName, int column)
{
    if (type == 1)
        return Get_First_Value_Of_Dataset(seriesName);
    if (type == 2)
        return Get_First_Value_Of_Excel_Binding(m_controller.Excel_Table().Rows(1), column);
    return {};
}
