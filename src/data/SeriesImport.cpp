#include "data/SeriesImport.h"

#include "canvas/WidgetUtilities.h"
#include "core/ControllerImageFiles.h"
#include "core/Utilities.h"
#include "data/SeriesFiles.h"
#include "data/SeriesManagerWindow.h"
#include "data/SeriesWindow.h"
#include "data/spreadsheet/SpreadsheetWriter.h"
#include "platform/RegularFile.h"
#include "platform/UiServices.h"
#include "platform/WholeFile.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

Import_Excel_DataSheet *xl_dataseet_def_inst = nullptr;

namespace {
const QString kCorrupt = QStringLiteral("Either file is corrupted or selected file contains invalid characters.");
const QString kFileError = QStringLiteral("Error in file accessing.");
const QString kApplyToAll = QStringLiteral("Apply to All");
enum TableColumn { StateColumn, ExtensionColumn, HeaderColumn };

// The keep-or-replace answers, remembered for the rest of one save when "Apply to All" is ticked.
enum KeepReplace { Replace = 0, KeepBoth = 1, Skip = 4 };

// The trimmed cell, empty past the end of a short row.
QString cell(const QStringList &row, int column)
{
    return column < row.size() ? Trim_Str(row.at(column)) : QString();
}
}  // namespace

QString Free_Series_Name(const QString &name)
{
    static const QRegularExpression numbered(QStringLiteral("^(.*) \\((\\d{1,9})\\)$"));
    QString base = name;
    int n = 1;
    if (const auto m = numbered.match(name); m.hasMatch()) {
        base = m.captured(1);
        n = m.captured(2).toInt() + 1;
    }
    // One arg() for both: a name holding "%1" must stay as it was typed.
    while (QFileInfo::exists(Series_File_Path(QStringLiteral("%1 (%2)").arg(base, QString::number(n)))))
        ++n;
    return QStringLiteral("%1 (%2)").arg(base, QString::number(n));
}

void Save_Columns_As_Series(const QList<QStringList> &rows, const QList<SheetSeriesColumn> &columns, bool headerRow)
{
    const int width = rows.isEmpty() ? 0 : int(rows.first().size());
    bool askInUse = true, askExisting = true;
    int answer = Skip;
    QStringList failed;
    for (int j = 0; j < width && j < columns.size(); ++j) {
        if (!columns.at(j).State)
            continue;
        QString name = Valid_Series_Name(columns.at(j).Header);
        if (name.isEmpty()) {
            failed.append(columns.at(j).Extension);
            continue;
        }
        if (QFileInfo::exists(Series_File_Path(name))) {
            if (Series_In_Use(name)) {
                bool all = false;
                if (askInUse)
                    platform::ui().alert(QStringLiteral("Series is in use\n\n%1\n\nBatch processing Series is already in use.")
                                             .arg(name),
                                         {QStringLiteral("OK")}, kApplyToAll, &all);
                askInUse = askInUse && !all;
                continue;
            }
            if (askExisting) {
                bool all = false;
                const int button = platform::ui().alert(
                    QStringLiteral("File already exists\n\n%1\n\nFile already exists in this location.\n\n"
                                   "Do you want to Keep or Replace it?")
                        .arg(name),
                    {QStringLiteral("Keep Both"), QStringLiteral("Replace"), QStringLiteral("Cancel")}, kApplyToAll, &all);
                answer = button == 0 ? KeepBoth : button == 1 ? Replace : Skip;
                askExisting = !all;
            }
            if (answer == Skip)
                continue;
            if (answer == KeepBoth)
                name = Free_Series_Name(name);
            // Replace: the new file takes the old one's place only once it is complete.
        }
        QString why;
        const bool written = Write_Series_File(
            Series_File_Path(name),
            [&](const auto &add) {
                for (qsizetype r = headerRow ? 1 : 0; r < rows.size(); ++r)
                    add(cell(rows.at(r), j));
            },
            &why);
        if (!written)
            failed.append(platform::withReason(name, why));
    }
    if (!failed.isEmpty())
        Show_MessageBox(kFileError + QStringLiteral("\n\n") + failed.join(QLatin1Char('\n')));
}

bool Save_Columns_Into_Series(const QList<QStringList> &rows, const QList<SheetSeriesColumn> &columns, bool headerRow,
                              int fill_col_option, const QString &typedName)
{
    const QString name = Valid_Series_Name(typedName);
    if (name.isEmpty()) {
        Show_MessageBox(Empty_Name_Message(typedName, QStringLiteral("Please enter valid series name.")));
        return false;
    }
    const QString path = Series_File_Path(name);
    const bool exists = QFileInfo::exists(path);
    if (exists && Series_In_Use(name)) {
        Show_MessageBox(QStringLiteral("Batch Processing Series can't be create because it is currently in use."));
        return false;
    }
    if (exists && fill_col_option == FillNewSeries &&
        Show_YES_NO_MessageBox(QStringLiteral("Batch Processing Series already exists. Do you want to replace it?")) != 1)
        return false;
    // A workbook that yields no rows must not empty a series the user chose to keep filling.
    if (rows.isEmpty()) {
        Show_MessageBox(kCorrupt);
        return true;
    }
    QStringList kept;
    if (exists && fill_col_option == FillAppendSeries) {
        QFile old(path);
        if (QString why; !platform::openRegularFile(old, &why)) {
            Show_MessageBox(platform::withReason(kFileError, why));
            return false;
        }
        kept = QString::fromUtf8(old.readAll()).split(QLatin1Char('\n'));
        if (kept.last().isEmpty())
            kept.removeLast();
    }
    QString why;
    const bool written = Write_Series_File(
        path,
        [&](const auto &add) {
            for (const QString &value : kept)
                add(value);
            for (qsizetype r = headerRow ? 1 : 0; r < rows.size(); ++r)
                for (int j = 0; j < columns.size(); ++j)
                    if (columns.at(j).State)
                        add(cell(rows.at(r), j));
        },
        &why);
    if (!written) {
        Show_MessageBox(platform::withReason(kFileError, why));
        return false;
    }
    return true;
}

// --- the window ---

Import_Excel_DataSheet::Import_Excel_DataSheet(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Import_Excel_DataSheet"));
    setWindowTitle(tr("Import Series from Spreadsheet"));
    setModal(true);
    Style_Series_Window(this);
    if (!xl_dataseet_def_inst)
        xl_dataseet_def_inst = this;

    auto named = [](QWidget *w, const char *name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    file_path = static_cast<QLineEdit *>(named(new QLineEdit(this), "file_path"));
    file_path->setReadOnly(true);
    contains_header = static_cast<QCheckBox *>(named(new QCheckBox(tr("First row contains column names"), this), "contains_header"));
    Sheet_ComboBox = static_cast<QComboBox *>(named(new QComboBox(this), "Sheet_ComboBox"));
    ColList = static_cast<QTableWidget *>(named(new QTableWidget(0, 3, this), "ColList"));
    ColList->setHorizontalHeaderLabels({QString(), tr("Column"), tr("Series name")});
    ColList->horizontalHeader()->setStretchLastSection(true);
    ColList->verticalHeader()->hide();
    Each_col_RD = static_cast<QRadioButton *>(named(new QRadioButton(tr("One series per column"), this), "Each_col_RD"));
    Fill_col_RD = static_cast<QRadioButton *>(named(new QRadioButton(tr("All columns into one series"), this), "Fill_col_RD"));
    for (QRadioButton *r : {Each_col_RD, Fill_col_RD})
        r->setAutoExclusive(false);

    fill_box = static_cast<QGroupBox *>(named(new QGroupBox(this), "fill_box"));
    auto *cells = named(new QWidget(fill_box), "matrix_fill_type");
    auto *cellsLayout = new QHBoxLayout(cells);
    matrix_fill_type = new QButtonGroup(cells);
    const QString titles[] = {tr("New series"), tr("Replace series"), tr("Add to series")};
    for (int i = 0; i < 3; ++i) {
        auto *r = new QRadioButton(titles[i], cells);
        r->setObjectName(QStringLiteral("matrix_fill_type_%1").arg(i));
        matrix_fill_type->addButton(r, i);
        cellsLayout->addWidget(r);
    }
    list_name = static_cast<QLineEdit *>(named(new QLineEdit(fill_box), "list_name"));
    List_ComboBox = static_cast<QComboBox *>(named(new QComboBox(fill_box), "List_ComboBox"));
    auto *fillLayout = new QVBoxLayout(fill_box);
    fillLayout->addWidget(cells);
    fillLayout->addWidget(list_name);
    fillLayout->addWidget(List_ComboBox);

    plz_wait_Window = static_cast<QLabel *>(named(new QLabel(tr("Please wait..."), this), "plz_wait_Window"));
    plz_wait_Window->hide();

    auto button = [this](const QString &text, const char *name, void (Import_Excel_DataSheet::*slot)()) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(button(tr("Select All"), "Select_ALL_Pressed", &Import_Excel_DataSheet::Select_ALL_Pressed));
    buttons->addWidget(button(tr("Clear All"), "Clear_All_Pressed", &Import_Excel_DataSheet::Clear_All_Pressed));
    buttons->addStretch();
    buttons->addWidget(plz_wait_Window);
    buttons->addWidget(button(tr("Cancel"), "CancelPressed", &Import_Excel_DataSheet::CancelPressed));
    buttons->addWidget(button(tr("OK"), "OKPressed", &Import_Excel_DataSheet::OKPressed));

    auto *form = new QFormLayout;
    form->addRow(tr("Workbook"), file_path);
    form->addRow(tr("Sheet"), Sheet_ComboBox);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(contains_header);
    layout->addWidget(ColList);
    layout->addWidget(Each_col_RD);
    layout->addWidget(Fill_col_RD);
    layout->addWidget(fill_box);
    layout->addLayout(buttons);
    resize(520, 560);

    connect(Each_col_RD, &QRadioButton::clicked, this, &Import_Excel_DataSheet::Each_Col_RD_Click);
    connect(Fill_col_RD, &QRadioButton::clicked, this, &Import_Excel_DataSheet::Fill_Col_RD_Click);
    connect(matrix_fill_type, &QButtonGroup::idClicked, this, &Import_Excel_DataSheet::Fill_Type_CellClick);
    connect(Sheet_ComboBox, &QComboBox::activated, this, &Import_Excel_DataSheet::comboBoxSelectionDidChange);
    connect(ColList, &QTableWidget::cellChanged, this, &Import_Excel_DataSheet::columnEdited);
}

Import_Excel_DataSheet::~Import_Excel_DataSheet()
{
    if (xl_dataseet_def_inst == this)
        xl_dataseet_def_inst = nullptr;
}

Import_Excel_DataSheet *Import_Excel_DataSheet::defaultInstance()
{
    return xl_dataseet_def_inst ? xl_dataseet_def_inst : new Import_Excel_DataSheet;
}

void Import_Excel_DataSheet::prepare(const QString &path)
{
    matrix_fill_type->button(FillNewSeries)->setChecked(true);
    Fill_Type_CellClick(FillNewSeries);
    Each_Col_RD_Click();
    Excel_Sheet_Number = 1;
    file_path->setText(path);
    contains_header->setChecked(true);
    ListData_xl.clear();
    showColumns();
    Sheet_ComboBox->clear();
    List_ComboBox->clear();
    list_name->clear();
    excel_content.clear();
    Load_file_Func(path);
}

int Import_Excel_DataSheet::Open_excel_datasheet_Wnd(const QString &path)
{
    prepare(path);
    return Run_Series_Window(*this);
}

void Import_Excel_DataSheet::Load_file_Func(const QString &path)
{
    Show_Create_Modeless();
    Sheet_ComboBox->clear();
    SpreadsheetWriter::ReadOffGui(*SpreadsheetWriter::shared(), this, path,
                                  [&] { SpreadsheetWriter::ReadWorkbook(path, true); });
    if (spreadsheet->lastError().isEmpty()) {
        {
            const QSignalBlocker quiet(Sheet_ComboBox);
            Add_Name_Items(Sheet_ComboBox, spreadsheet->Read_Sheet_Name());
        }
        if (Sheet_ComboBox->count() > 0) {
            Sheet_ComboBox->setCurrentIndex(0);
            comboBoxSelectionDidChange(0);
        }
    }
    List_ComboBox->addItems(Get_datasheet_File_Name_Array());
    Hide_Destroy_Modeless();
    if (Sheet_ComboBox->count() == 0)
        Show_MessageBox(spreadsheet ? spreadsheet->failureMessage(kCorrupt) : kCorrupt);
}

void Import_Excel_DataSheet::comboBoxSelectionDidChange(int position)
{
    if (position < 0 || position >= Sheet_ComboBox->count())
        return;
    const int before = Excel_Sheet_Number;
    Excel_Sheet_Number = position + 1;
    QList<QStringList> names;
    SpreadsheetWriter &reader = *SpreadsheetWriter::shared();
    if (!SpreadsheetWriter::ReadOffGui(reader, this, reader.workbookPath(),
                                       [&] { names = SpreadsheetWriter::ReadData_only_column(); })) {
        // The columns listed stay those of the sheet chosen before.
        Excel_Sheet_Number = before;
        const QSignalBlocker quiet(Sheet_ComboBox);
        Sheet_ComboBox->setCurrentIndex(before - 1);
        Show_MessageBox(spreadsheet->lastError());
        return;
    }
    if (!reader.lastError().isEmpty()) {
        // Refused or damaged: the columns listed stay those of the sheet chosen before.
        Excel_Sheet_Number = before;
        const QSignalBlocker quiet(Sheet_ComboBox);
        Sheet_ComboBox->setCurrentIndex(before - 1);
        Show_MessageBox(reader.failureMessage(kCorrupt));
        return;
    }
    if (names.isEmpty())
        return;  // a sheet without columns keeps the previous list
    excel_content = names;
    ListData_xl.clear();
    for (const QString &name : names.first())
        Create_List(name, false, name);
    showColumns();
}

void Import_Excel_DataSheet::Create_List(const QString &name, bool state, const QString &datasetname)
{
    // The reader names every empty name cell, so entry i stays column i.
    const QString trimmed = Trim_Str(name);
    if (!trimmed.isEmpty())
        ListData_xl.append({state, trimmed, datasetname});
}

int Import_Excel_DataSheet::Get_Selection_State(int column) const
{
    return column >= 0 && column < ListData_xl.size() && ListData_xl.at(column).State ? 1 : 0;
}

bool Import_Excel_DataSheet::Check_For_One_Extension_Selection() const
{
    return std::any_of(ListData_xl.begin(), ListData_xl.end(), [](const SheetSeriesColumn &c) { return c.State; });
}

void Import_Excel_DataSheet::showColumns()
{
    const QSignalBlocker quiet(ColList);
    ColList->setRowCount(int(ListData_xl.size()));
    for (int j = 0; j < ListData_xl.size(); ++j) {
        auto *tick = new QTableWidgetItem;
        tick->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        tick->setCheckState(ListData_xl.at(j).State ? Qt::Checked : Qt::Unchecked);
        ColList->setItem(j, StateColumn, tick);
        auto *name = new QTableWidgetItem(List_Cell_Text(ListData_xl.at(j).Extension));
        name->setFlags(Qt::ItemIsEnabled);
        ColList->setItem(j, ExtensionColumn, name);
        ColList->setItem(j, HeaderColumn, new QTableWidgetItem(List_Cell_Text(ListData_xl.at(j).Header)));
    }
}

void Import_Excel_DataSheet::columnEdited(int row, int column)
{
    if (row < 0 || row >= ListData_xl.size()) {
        Show_NSLog_Message(QStringLiteral("Column list has no row %1").arg(row));
        return;
    }
    if (column == StateColumn)
        ListData_xl[row].State = ColList->item(row, column)->checkState() == Qt::Checked;
    else if (column == HeaderColumn)
        ListData_xl[row].Header = ColList->item(row, column)->text();
}

void Import_Excel_DataSheet::Select_ALL_Pressed()
{
    for (SheetSeriesColumn &c : ListData_xl)
        c.State = true;
    showColumns();
}

void Import_Excel_DataSheet::Clear_All_Pressed()
{
    for (SheetSeriesColumn &c : ListData_xl)
        c.State = false;
    showColumns();
}

void Import_Excel_DataSheet::Each_Col_RD_Click()
{
    Each_col_RD->setChecked(true);
    Fill_col_RD->setChecked(false);
    fill_box->setEnabled(false);
    ColList->setColumnHidden(HeaderColumn, false);
}

void Import_Excel_DataSheet::Fill_Col_RD_Click()
{
    Each_col_RD->setChecked(false);
    Fill_col_RD->setChecked(true);
    fill_box->setEnabled(true);
    ColList->setColumnHidden(HeaderColumn, true);
}

void Import_Excel_DataSheet::Fill_Type_CellClick(int cell)
{
    fill_col_option = cell;
    list_name->setVisible(cell == FillNewSeries);
    List_ComboBox->setVisible(cell != FillNewSeries);
}

void Import_Excel_DataSheet::OKPressed()
{
    if (ListData_xl.isEmpty()) {
        Show_MessageBox(QStringLiteral("There is no column."));
        return;
    }
    if (!Check_For_One_Extension_Selection()) {
        Show_MessageBox(QStringLiteral("No column is selected."));
        return;
    }
    if (Each_col_RD->isChecked()) {
        Create_file_For_Col_Func(file_path->text());
        excel_content.clear();
        done(1);
        return;
    }
    const bool isNew = fill_col_option == FillNewSeries;
    if (Trim_Str(isNew ? list_name->text() : List_ComboBox->currentText()).isEmpty()) {
        Show_MessageBox(isNew ? QStringLiteral("Please enter list name.") : QStringLiteral("Please select list name."));
        return;
    }
    if (Insert_file_Func(file_path->text()))
        done(1);
}

void Import_Excel_DataSheet::CancelPressed()
{
    excel_content.clear();
    done(0);
}

void Import_Excel_DataSheet::Create_file_For_Col_Func(const QString &)
{
    if (!readSheet())
        return;  // stopped: no series written
    Save_Columns_As_Series(excel_content, ListData_xl, contains_header->isChecked());
    if (file_name_Insert == 1 && BatchWizard_Window)
        BatchWizard_Window->Fill_List();
    if (excel_content.isEmpty())
        Show_MessageBox(QStringLiteral("There is no data in selected sheet.\nPlease select another Sheet/Excel File.\n") +
                        kCorrupt);
}

bool Import_Excel_DataSheet::Insert_file_Func(const QString &)
{
    if (!readSheet())
        return false;  // stopped: no series written
    const QString name = fill_col_option == FillNewSeries ? list_name->text() : List_ComboBox->currentText();
    if (!Save_Columns_Into_Series(excel_content, ListData_xl, contains_header->isChecked(), fill_col_option, name))
        return false;
    if (file_name_Insert == 1 && BatchWizard_Window)
        BatchWizard_Window->Fill_List();
    return true;
}

bool Import_Excel_DataSheet::readSheet()
{
    Show_Create_Modeless();
    QList<QStringList> rows;
    SpreadsheetWriter &reader = *SpreadsheetWriter::shared();
    const bool whole = SpreadsheetWriter::ReadOffGui(reader, this, reader.workbookPath(),
                                                     [&] { rows = SpreadsheetWriter::ReadWorkbook(QString(), false); });
    Hide_Destroy_Modeless();
    excel_content = rows;
    if (!whole)
        Show_MessageBox(spreadsheet->lastError());
    return whole;
}

void Import_Excel_DataSheet::Show_Create_Modeless()
{
    plz_wait_Window->show();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void Import_Excel_DataSheet::Hide_Destroy_Modeless()
{
    plz_wait_Window->hide();
    QGuiApplication::restoreOverrideCursor();
}
