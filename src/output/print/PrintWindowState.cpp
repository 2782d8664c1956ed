#include "output/print/PrintWindowState.h"

#include "core/ControllerImageFiles.h"
#include "core/Utilities.h"
#include "platform/Plist.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kNoDataMax = 999999;
constexpr int kProfileItems = 26;
constexpr int kProfileItemsMax = 32;
constexpr qint64 kProfileMaxBytes = 64 * 1024;

int countField(const QString &text)
{
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    return ok ? int(std::clamp<qlonglong>(v, Print_Count_Min, Print_Count_Max)) : Print_Count_Min;
}

float millimetreField(const QString &text)
{
    const double v = text.trimmed().toDouble();
    return std::isfinite(v) ? float(std::clamp(v, 0.0, Print_Millimetre_Max)) : 0.f;
}

QString mm(double points) { return QString::asprintf("%0.2f", Points_to_MM_Convert(float(points))); }
QString yn(bool on) { return on ? QStringLiteral("Y") : QStringLiteral("N"); }

}  // namespace

void PrintWindowState::Open(bool twoSidedDesign, bool visitorMode, const BatchSource &data, const QSizeF &cardSize)
{
    const QStringList keepPrinters = printers;
    const int keepPrinter = printer;
    const PaperInfo keepPaper = paper;
    *this = PrintWindowState();
    printers = keepPrinters, printer = keepPrinter, paper = keepPaper;
    twoSided = twoSidedDesign;
    designSource = source = data;
    layout.loading = true;
    side_row = twoSided ? 0 : 1;
    side_row_enabled[0] = side_row_enabled[2] = twoSided;
    layout.Print_Card_Side = card_side_str();
    Set_Demo_align_image();
    if (!visitorMode) {
        batch_enabled = batch_chk = source.Use_Data_Sheet_Values;
        excel_enabled = excel_chk = source.Use_Excel_Binding_Values;
    }
    if (batch_chk || excel_chk) {
        Total_Label = source.Total_Batch_Excel_Card;
        Set_Tot_Value(Total_Label, Total_Label, QStringLiteral("A"));
    } else {
        Set_Tot_Value(1, kNoDataMax, QStringLiteral("A"));
    }
    Set_Enable_Diable_Range_Box();
    width = Points_to_MM_Convert(float(cardSize.width()));
    height = Points_to_MM_Convert(float(cardSize.height()));
    Set_values_From_Printer(paper);
    layout.loading = false;
    Check_Max_Cell_Value();
}

QString PrintWindowState::card_side_str() const
{
    return side_row == 0 ? QStringLiteral("BOTH") : side_row == 1 ? QStringLiteral("F") : QStringLiteral("B");
}

void PrintWindowState::card_side_CellClick(int row)
{
    side_row = row < 0 || row > 2 || !side_row_enabled[row] ? (twoSided ? 0 : 1) : row;
    layout.Print_Card_Side = card_side_str();
    side_gap_enabled = side_row == 0 && !layout.Duplex_Printing && !fit;
    Set_Demo_align_image();
    Check_Max_Cell_Value();
    Calculate_label_acc_row_col();
}

void PrintWindowState::Set_Demo_align_image()
{
    Capture_Last_Values();
    layout.Duplex_Printing = false;
    Normal_Printing_Is_Selected();
    layout.Print_One_Card_Algn = QStringLiteral("U");
    if (side_row == 0) {
        print_alignment = std::clamp(print_alignment, 0, 4);
        layout.Print_Card_Algn = Print_Card_Algn_Code(print_alignment);
        if (print_alignment >= 3)
            Duplex_Printing_Is_Selected();
    } else {
        print_alignment_one_side = std::clamp(print_alignment_one_side, 0, 1);
        layout.Print_One_Card_Algn = print_alignment_one_side == 0 ? QStringLiteral("U") : QStringLiteral("D");
    }
}

void PrintWindowState::Capture_Last_Values()
{
    LAST_Side_Mar = side_mar, LAST_Horz_Mar = horz_mar, LAST_Vert_Mar = vert_mar;
    LAST_Row = rows, LAST_Column = cols;
}

void PrintWindowState::Disable_for_fit_or_duplex()
{
    Capture_Last_Values();
    side_gap_enabled = gaps_enabled = rows_cols_enabled = card_align_box_enabled = false;
    side_mar = horz_mar = vert_mar = 0;
    rows = cols = 1;
}

void PrintWindowState::Duplex_Printing_Is_Selected()
{
    layout.Duplex_Printing = true;
    Disable_for_fit_or_duplex();
}

void PrintWindowState::Normal_Printing_Is_Selected()
{
    if (fit)
        return;
    card_align_box_enabled = true;
    align_group_enabled = !auto_center;
    if (side_row == 0) {
        side_gap_enabled = true;
        side_mar = LAST_Side_Mar;
    }
    gaps_enabled = !auto_center;
    horz_mar = LAST_Horz_Mar, vert_mar = LAST_Vert_Mar;
    rows_cols_enabled = true;
    rows = LAST_Row, cols = LAST_Column;
}

void PrintWindowState::Fit_To_Frame_clicked(bool on)
{
    fit = on;
    layout.Fit_Picture_To_Frame = on;
    if (on)
        Disable_for_fit_or_duplex();
    else if (!layout.Duplex_Printing)
        Normal_Printing_Is_Selected();
    Check_Max_Cell_Value();
}

void PrintWindowState::Auto_Center_Checked(bool on)
{
    if (fit)
        return;
    auto_center = on;
    layout.auto_center_flag = on;
    gaps_enabled = align_group_enabled = !on && !layout.Duplex_Printing;
    Check_Max_Cell_Value();
}

void PrintWindowState::Calculate_label_acc_row_col()
{
    if (source.Use_Data_Sheet_Values || source.Use_Excel_Binding_Values)
        return;
    Total_Label = std::max(1, layout.Print_Row) * std::max(1, layout.Print_Col);
    Set_Tot_Value(Total_Label, total_max, QStringLiteral("A"));
}

void PrintWindowState::Set_Tot_Value(int value, int max, const QString &setFor)
{
    const bool noData = !batch_chk && !excel_chk;
    if (value == 0)
        value = 1;
    if (noData) {
        max = kNoDataMax;
        value = std::min(value, kNoDataMax);
    }
    if (setFor == QLatin1String("TOT") || setFor == QLatin1String("A"))
        total = value;
    if (setFor == QLatin1String("TO") || setFor == QLatin1String("A"))
        to = value;
    total_max = range_max = max;
}

void PrintWindowState::Set_Enable_Diable_Range_Box()
{
    range_box_enabled = batch_chk || excel_chk;
    if (!range_box_enabled)
        all = true;
}

void PrintWindowState::Print_With_Data_Changed()
{
    source = designSource;
    source.Use_Data_Sheet_Values = source.Use_Data_Sheet_Values && batch_chk;
    source.Use_Excel_Binding_Values = source.Use_Excel_Binding_Values && excel_chk;
    source.Get_total_Card_count();
    Total_Label = batch_chk || excel_chk ? source.Total_Batch_Excel_Card
                                         : std::max(1, layout.Print_Row) * std::max(1, layout.Print_Col);
    Set_Tot_Value(Total_Label, Total_Label, QStringLiteral("A"));
    Set_Enable_Diable_Range_Box();
}

void PrintWindowState::Set_values_From_Printer(const PaperInfo &info)
{
    paper = info;
    // The paper line names the printer's paper whatever it is: one left from before misleads.
    Paper_id = paper.paperName;
    Size_id = QStringLiteral("%1 x %2").arg(mm(paper.paperSize.width()), mm(paper.paperSize.height()));
    orientation = paper.orientation;
    if (!paper.valid())
        return;
    ::Set_values_From_Printer(layout, paper);
    l_mar_id = mm(layout.Left_Mar), r_mar_id = mm(layout.Rite_Mar);
    t_mar_id = mm(layout.Top_Mar), b_mar_id = mm(layout.Bot_Mar);
}

void PrintWindowState::Check_Max_Cell_Value()
{
    layout.Print_Card_Side = card_side_str();
    layout.auto_center_flag = auto_center;
    layout.Fit_Picture_To_Frame = fit;
    layout.label_align_val = label_align_val;
    layout.Enable_Crop_Marks = crop;
    layout.Show_margin_rect = show_margins;
    layout.Mirror_Image_Create = mirror;
    layout.Mirror_Vertical_Not_Horz = mirror_column == 1;
    LayoutFields fields{horz_mar, vert_mar, side_mar, width, height, cols, rows};
    if (!::Check_Max_Cell_Value(layout, paper, fields))
        return;
    cols = fields.cols, rows = fields.rows;
}

PrintRun PrintWindowState::Execute_Printing(QString *refusal) const
{
    if (const QString why = Paper_Size_Refusal(paper.paperSize); !why.isEmpty()) {
        *refusal = why;
        return {};
    }
    if (!all && from > to) {
        *refusal = QStringLiteral("Please select valid range.");
        return {};
    }
    PrintRun run = Print_Run_For_Range(all, total, from, to, layout.Duplex_Printing, copies);
    // A count below 1 would reach the page drawing, which counts up to it.
    if (run.Total_Label <= 0)
        *refusal = QStringLiteral("There is no barcode to print.");
    return run;
}

QStringList Print_Profile_Items(const PrintWindowState &s, const QString &printerName)
{
    const int arrangement = s.side_row == 0 ? s.print_alignment : s.print_alignment_one_side;
    return {printerName,
            s.Paper_id,
            s.Size_id,
            mm(s.paper.paperSize.width()),
            mm(s.paper.paperSize.height()),
            s.orientation == 0 ? QStringLiteral("Portrait") : QStringLiteral("Landscape"),
            QString::number(s.rows),
            QString::number(s.cols),
            QString::asprintf("%0.2f", s.horz_mar),
            QString::asprintf("%0.2f", s.vert_mar),
            QString::asprintf("%0.2f", s.side_mar),
            s.l_mar_id,
            s.t_mar_id,
            s.r_mar_id,
            s.b_mar_id,
            QString::number(s.label_align_val),
            yn(s.auto_center),
            s.card_side_str(),
            QString::number(arrangement),
            yn(s.mirror),
            s.mirror_column == 0 ? QStringLiteral("FH") : QStringLiteral("FV"),
            yn(s.show_margins),
            yn(s.batch_chk),
            yn(s.excel_chk),
            yn(s.crop),
            yn(s.fit)};
}

bool Read_and_load_profile_info(PrintWindowState &s, const QStringList &items)
{
    if (items.size() < kProfileItems)
        return false;
    s.layout.loading = true;
    s.fit = s.layout.Fit_Picture_To_Frame = false;
    const int printer = s.printers.indexOf(items[0]);
    if (printer >= 0)
        s.printer = printer;
    // Clamped here, where the file's values enter: the layout and its preview only ever see
    // what the window's fields could hold.
    s.rows = countField(items[6]), s.cols = countField(items[7]);
    s.horz_mar = millimetreField(items[8]), s.vert_mar = millimetreField(items[9]), s.side_mar = millimetreField(items[10]);
    s.label_align_val = std::clamp(items[15].toInt(), 1, 9);
    s.auto_center = items[16] == QLatin1String("Y");
    s.Auto_Center_Checked(s.auto_center);
    const int arrangement = items[18].toInt();
    int row = 1;
    if (s.twoSided)
        row = items[17] == QLatin1String("BOTH") ? 0 : items[17] == QLatin1String("F") ? 1 : 2;
    if (row == 0)
        s.print_alignment = std::clamp(arrangement, 0, 4);
    else
        s.print_alignment_one_side = std::clamp(arrangement, 0, 1);
    s.card_side_CellClick(row);
    s.mirror = items[19] == QLatin1String("Y");
    s.mirror_matrix_enabled = s.mirror;
    s.mirror_column = items[20] == QLatin1String("FH") ? 0 : 1;
    s.show_margins = items[21] == QLatin1String("Y");
    if (items[22] == QLatin1String("Y"))
        s.batch_chk = s.designSource.Use_Data_Sheet_Values;
    if (items[23] == QLatin1String("Y"))
        s.excel_chk = s.designSource.Use_Excel_Binding_Values;
    s.Print_With_Data_Changed();
    s.crop = items[24] == QLatin1String("Y");
    s.Fit_To_Frame_clicked(items[25] == QLatin1String("Y"));
    s.layout.loading = false;
    s.Set_Enable_Diable_Range_Box();
    s.Check_Max_Cell_Value();
    s.Calculate_label_acc_row_col();
    return true;
}

QString Print_Profile_Path(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(name + QStringLiteral(".vlp"));
}

QStringList Load_Print_Profile(const QString &folder)
{
    QStringList names;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo &entry : entries)
        if (entry.suffix().toLower() == QLatin1String("vlp") && !Trim_Str(entry.completeBaseName()).isEmpty())
            names << entry.completeBaseName();
    return names;
}

bool Save_Print_Profile(const QString &folder, const QString &name, const QStringList &items,
                        const QString &previousName, QString *error)
{
    QDir().mkpath(folder);
    Clear_Stale_Profile_Temp_Files(folder);
    QVariantList array;
    for (const QString &item : items)
        array << item;
    if (!platform::plistWriteFile(Print_Profile_Path(folder, name), array, platform::PlistFormat::Xml, error))
        return false;
    if (!previousName.isEmpty() && previousName != name && previousName != QLatin1String("Default"))
        QFile::remove(Print_Profile_Path(folder, previousName));
    return true;
}

QStringList Read_Print_Profile(const QString &folder, const QString &name)
{
    QString refusal;
    const QStringList items = Read_Print_Profile(folder, name, &refusal);
    if (!refusal.isEmpty())
        Show_NSLog_Message(refusal);
    return items;
}

QStringList Read_Print_Profile(const QString &folder, const QString &name, QString *refusal)
{
    QStringList items;
    const QString path = Print_Profile_Path(folder, name);
    const QString shown = QFileInfo(path).fileName();
    const QFileInfo info(path);
    if (!info.exists())
        return items;
    auto refuse = [&](const QString &reason) {
        if (refusal)
            *refusal = QStringLiteral("%1 was refused: %2.").arg(shown, reason);
        return QStringList();
    };
    if (!info.isFile())
        return refuse(QStringLiteral("it is not a regular file"));
    if (info.size() > kProfileMaxBytes)
        return refuse(QStringLiteral("it is larger than %1 KiB").arg(kProfileMaxBytes >> 10));
    const QVariant value = platform::plistReadFile(path);
    if (value.typeId() != QMetaType::QVariantList)
        return refuse(QStringLiteral("it is not a print profile"));
    const QVariantList list = value.toList();
    if (list.size() < kProfileItems || list.size() > kProfileItemsMax)
        return refuse(QStringLiteral("it holds %1 values, not %2").arg(list.size()).arg(kProfileItems));
    for (const QVariant &item : list) {
        if (item.typeId() != QMetaType::QString)
            return refuse(QStringLiteral("it holds a value that is not a text"));
        items << item.toString();
    }
    return items;
}

void Clear_Stale_Profile_Temp_Files(const QString &folder)
{
    // QSaveFile's temporary beside "<name>.vlp": the name, ".vlp." and six letters or digits.
    static const QRegularExpression temp(QStringLiteral("^.+\\.vlp\\.[A-Za-z0-9]{6}$"));
    const QDateTime stale = QDateTime::currentDateTime().addSecs(-60);
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo &entry : entries)
        if (!entry.isSymLink() && temp.match(entry.fileName()).hasMatch() && entry.lastModified() < stale)
            QFile::remove(entry.absoluteFilePath());
}

QString Check_Profile_Name(const QString &printer, const QString &name, QString *cleaned)
{
    if (Trim_Str(printer).isEmpty())
        return QStringLiteral("Please select printer.");
    // Cleaned first: a name of reserved characters alone would save a hidden ".vlp", and
    // "/Default/" would overwrite the default profile.
    *cleaned = Remove_Reserve_Char_In_File_Name(Trim_Str(name));
    if (cleaned->isEmpty())
        return Empty_Name_Message(name, QStringLiteral("Please enter profile name."));
    if (const QString hidden = Hidden_Name_Refusal(*cleaned, QStringLiteral("profile")); !hidden.isEmpty())
        return hidden;
    if (cleaned->compare(QLatin1String("default"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("This is a Default profile name.\n\nPlease enter another profile name.");
    return {};
}
