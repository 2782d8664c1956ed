#include "data/batch/BatchBinding.h"

#include "core/ControllerImageFiles.h"
#include "core/SKTGraphic.h"
#include "core/SKTImage.h"
#include "core/Utilities.h"
#include "data/SeriesFiles.h"

#include <QFileInfo>
#include <algorithm>

namespace {

bool takesData(const SKTGraphic &g)
{
    const SKTGraphicKind k = g.kind();
    return k == SKTGraphicKind::Text || k == SKTGraphicKind::Image || k == SKTGraphicKind::Barcode;
}

}  // namespace

int BatchSource::Get_Data_SetIndex_According_Name(const QString &name) const
{
    if (name.isNull())
        return -1;
    const QString wanted = name.toLower();
    for (std::size_t i = 0; i < data_table_content.size(); ++i) {
        if (data_table_content[i].name.toLower() == wanted)
            return int(i);
    }
    return -1;
}

void BatchSource::Add_dataset_col_in_binding_table(const QString &name, int)
{
    // The stored index is only a hint: series come and go after a control was bound, the name wins.
    const int slot = Get_Data_SetIndex_According_Name(name);
    if (slot < 0) {
        // The series list holds regular files only: a FIFO or a folder under the series' name is
        // there but not listed, and is refused rather than taken for a deleted series.
        QString why;
        if (!name.isEmpty() && QFileInfo::exists(Series_File_Path(name)) && !Read_Series_Text(Series_File_Path(name), &why) &&
            refusal.isEmpty())
            refusal = why;
        Show_NSLog_Message(QStringLiteral("Series not found: %1").arg(name));
        return;
    }
    SeriesSlot &s = data_table_content[std::size_t(slot)];
    if (s.values)
        return;  // several controls share one series: it is read once
    const QString path = Series_File_Path(s.name);
    if (QFileInfo::exists(path)) {
        QString why;
        s.values = Read_Series_Lines(path, &why);
        if (!s.values && refusal.isEmpty())
            refusal = why;
    }
}

int BatchSource::Calculate_data_table_rows() const
{
    qsizetype rows = 0;
    for (const SeriesSlot &s : data_table_content)
        rows = std::max(rows, s.values ? s.values->size() : 0);
    return int(rows);
}

void BatchSource::Get_total_Card_count()
{
    Data_table_rows = Use_Data_Sheet_Values ? Calculate_data_table_rows() : 0;
    Excel_table_rows = Use_Excel_Binding_Values ? int(excelRows.size()) : 0;
    Total_Batch_Excel_Card = std::max({Data_table_rows, Excel_table_rows, 1});
}

QString BatchSource::Get_sel_row_col_value_of_dataset(int row, int slot) const
{
    if (slot < 0 || slot >= int(data_table_content.size()) || row < 0)
        return {};
    const std::optional<QStringList> &values = data_table_content[std::size_t(slot)].values;
    return values && row < values->size() ? values->at(row) : QString();
}

QString BatchSource::Get_sel_row_col_value_of_Excel(int row, int column) const
{
    if (column < 0 || row < 0 || row >= Excel_table_rows || row >= excelRows.size())
        return {};
    return excelRows.cell(row, column).value_or(QString());
}

bool Check_Side_Dataset_Is_Used(const SKTGraphicList &controls)
{
    return std::any_of(controls.begin(), controls.end(), [](const SKTGraphic *g) {
        return g && takesData(*g) && g->data_source_type == Batch_Source_Series && g->batch_list_index != -1 &&
               g->print_object == 0;
    });
}

bool Check_Batch_File_In_Use_Validation(const SKTGraphicList &front, const SKTGraphicList &back, bool twoSided,
                                        const QString &name)
{
    const auto bound = [&name](const SKTGraphic *g) {
        return g && takesData(*g) && g->data_source_type == Batch_Source_Series && g->batch_list_name == name;
    };
    return std::any_of(front.begin(), front.end(), bound) || (twoSided && std::any_of(back.begin(), back.end(), bound));
}

int Drop_Excel_Bindings(const SKTGraphicList &controls, bool profileFieldsToo)
{
    int dropped = 0;
    for (SKTGraphic *g : controls) {
        if (!g || !takesData(*g) || g->data_source_type != Batch_Source_Sheet ||
            (!profileFieldsToo && g->control_ID.contains(QLatin1String("Fup_"))))
            continue;
        g->Set_Data_source_type(Batch_Source_None);
        ++dropped;
    }
    return dropped;
}

bool Check_Side_Excel_Binding_Is_Used(const SKTGraphicList &controls)
{
    return std::any_of(controls.begin(), controls.end(), [](const SKTGraphic *g) {
        return g && takesData(*g) && g->data_source_type == Batch_Source_Sheet && g->excel_binding &&
               g->excel_col_indx != -1 && g->print_object == 0;
    });
}

BatchSource Check_Series_Or_Excel_Use_or_not(const SKTGraphicList &front, const SKTGraphicList &back, bool twoSided,
                                             const PackedRows &excelRows)
{
    BatchSource source;
    source.Use_Data_Sheet_Values = Check_Side_Dataset_Is_Used(front) || (twoSided && Check_Side_Dataset_Is_Used(back));
    if (source.Use_Data_Sheet_Values) {
        for (const QString &name : Get_datasheet_File_Name_Array())
            source.data_table_content.push_back({name, std::nullopt});
        for (const SKTGraphicList *side : {&front, twoSided ? &back : nullptr}) {
            for (const SKTGraphic *g : side ? *side : SKTGraphicList()) {
                if (g && takesData(*g) && g->data_source_type == Batch_Source_Series)
                    source.Add_dataset_col_in_binding_table(g->batch_list_name, g->batch_list_index);
            }
        }
    }
    source.Use_Excel_Binding_Values =
        !excelRows.isEmpty() && (Check_Side_Excel_Binding_Is_Used(front) || (twoSided && Check_Side_Excel_Binding_Is_Used(back)));
    if (source.Use_Excel_Binding_Values)
        source.excelRows = excelRows;
    source.Get_total_Card_count();
    return source;
}

bool Series_Refusal_Allows_Run(const BatchSource &source)
{
    if (source.refusal.isEmpty())
        return true;
    Show_MessageBox(source.refusal);
    return false;
}

QString Get_First_Value_Of_Dataset(const QString &seriesName)
{
    // The first line as it stands: a series whose first value is empty shows nothing, not its
    // second value.
    const std::optional<QString> text = Read_Series_Text(Series_File_Path(seriesName));
    return text ? Trim_Str(text->section(QLatin1Char('\n'), 0, 0)) : QString();
}

QString Get_First_Value_Of_Excel_Binding(const QList<QStringList> &excelRows, int column)
{
    if (excelRows.isEmpty() || column < 0)
        return {};
    const QStringList &cells = excelRows.first();
    if (column >= cells.size() || cells.at(column).isNull())
        return {};
    if (column > 0 && cells.at(column).isEmpty())
        return QStringLiteral(" ");
    return cells.at(column);
}

bool Bind_Control_Data_Source(SKTGraphic &control, int type, const QString &name, int index, const QString &shownValue)
{
    if (control.ctrl_is_locked)
        return false;
    control.Set_Data_source_type(type);
    if (type == Batch_Source_Series) {
        control.Set_Batch_List_Name(name);
        control.Set_Batch_List_Index(index);
    } else if (type == Batch_Source_Sheet) {
        control.Set_Excel_binding_Index(index);
    }
    if (type == Batch_Source_None || index <= -1)
        return true;  // a source type chosen before its series or column leaves the value alone
    if (auto *image = dynamic_cast<SKTImage *>(&control))
        image->setFilePath(shownValue, true);
    else if (control.kind() == SKTGraphicKind::Text)
        control.Set_text_value(shownValue);
    return true;
}

SKTGraphicList Change_Data_Source_To_selected_Control(const SKTGraphicList &selected, int type, const QString &name,
                                                      int index, const QList<QStringList> &excelRows, QString *message)
{
    SKTGraphicList bound;
    if (selected.empty() || !selected.front())
        return bound;
    const QString shown = type == Batch_Source_Series  ? Get_First_Value_Of_Dataset(name)
                          : type == Batch_Source_Sheet ? Get_First_Value_Of_Excel_Binding(excelRows, index)
                                                       : QString();
    if (selected.front()->kind() == SKTGraphicKind::Image) {
        const auto images = std::count_if(selected.begin(), selected.end(), [](const SKTGraphic *g) {
            return g && g->kind() == SKTGraphicKind::Image;
        });
        if (images >= 2) {
            if (message)
                *message = QStringLiteral("Please select only one image control to '%1 Image'.").arg(QStringLiteral("Select"));
            return bound;
        }
        if (Bind_Control_Data_Source(*selected.front(), type, name, index, shown))
            bound.push_back(selected.front());
        return bound;
    }
    for (SKTGraphic *g : selected) {
        if (g && g->kind() == SKTGraphicKind::Text && Bind_Control_Data_Source(*g, type, name, index, shown))
            bound.push_back(g);
    }
    return bound;
}
