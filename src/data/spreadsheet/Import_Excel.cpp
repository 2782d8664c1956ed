#include "data/spreadsheet/Import_Excel.h"
#include "canvas/WidgetUtilities.h"

#include "data/spreadsheet/Data_From_Excel.h"
#include "data/spreadsheet/SpreadsheetWriter.h"

#include "core/Utilities.h"
#include "data/LongRead.h"
#include "data/SeriesWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

Import_Excel *imp_xl_Window = nullptr;

namespace {
const QString CorruptMessage = QStringLiteral("Either file is corrupted or selected file contains invalid characters.");

// A workbook refused by a limit is named with the limit, a damaged one with the damage; any
// other failure is a file that is not a workbook.
QString readFailure()
{
    return spreadsheet ? spreadsheet->failureMessage(CorruptMessage) : CorruptMessage;
}

// Runs `read` (calls on the shared workbook reader) on a worker while the window shows its
// progress and Stop; false when the reader gave up on Stop (its lastError() says so).
bool readOffGui(QWidget *window, const QString &path, const std::function<void()> &read)
{
    return SpreadsheetWriter::ReadOffGui(*SpreadsheetWriter::shared(), window, path, read);
}

// The "please wait" state while a workbook is read.
struct WaitCursor {
    WaitCursor()
    {
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor()
    {
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            QGuiApplication::restoreOverrideCursor();
    }
};
}  // namespace

Import_Excel::Import_Excel(QObject *parent) : QObject(parent)
{
    if (!imp_xl_Window)
        imp_xl_Window = this;
}

Import_Excel::~Import_Excel()
{
    if (imp_xl_Window == this)
        imp_xl_Window = nullptr;
}

Import_Excel *Import_Excel::defaultInstance()
{
    if (!imp_xl_Window)
        new Import_Excel(qApp);
    return imp_xl_Window;
}

bool Import_Excel::prepare(const QString &path)
{
    Excel_Sheet_Number = 1;
    file_path = path;
    contains_header = true;
    ListData_xl.clear();
    sheets.clear();
    excel_content.clear();
    emit columnsChanged();
    emit sheetsChanged();
    return Load_file_Func(path);
}

int Import_Excel::Open_excel_Wnd(const QString &path)
{
    // A workbook that could not be read has been named with its reason: no empty picker follows.
    if (!prepare(path))
        return 0;
    Import_Excel_Dialog dialog(this);
    dialog.setObjectName(QStringLiteral("Import_Excel"));
    return Run_Series_Window(dialog) == 1 ? 1 : 0;
}

bool Import_Excel::Load_file_Func(const QString &path)
{
    WaitCursor wait;
    sheets.clear();
    SpreadsheetWriter::Table content;
    readOffGui(waitOver, path, [&] { content = SpreadsheetWriter::ReadWorkbook(path, true); });
    excel_content = content;
    // Sheets are offered by their names in workbook order; the reader resolves each to its part.
    sheets = spreadsheet->Read_Sheet_Name();
    emit sheetsChanged();
    if (!spreadsheet->lastError().isEmpty()) {
        Show_MessageBox(readFailure());
        return false;
    }
    // A first sheet that fails is said; the window follows only to offer the workbook's other sheets.
    if (!sheets.isEmpty())
        comboBoxSelectionDidChange(0);
    return sheets.size() > 1 || spreadsheet->lastError().isEmpty();
}

void Import_Excel::comboBoxSelectionDidChange(int position)
{
    if (position < 0 || position >= sheets.size())
        return;
    const int before = Excel_Sheet_Number;
    Excel_Sheet_Number = position + 1;
    SpreadsheetWriter::Table content;
    const bool whole = readOffGui(waitOver, file_path, [&] { content = SpreadsheetWriter::ReadData_only_column(); });
    if (!whole || !spreadsheet->lastError().isEmpty()) {
        // Stopped, refused or damaged: the columns listed stay those of the sheet shown before.
        Excel_Sheet_Number = before;
        emit sheetsChanged();
        Show_MessageBox(readFailure());
        return;
    }
    excel_content = content;
    ListData_xl.clear();
    if (!excel_content.isEmpty())
        for (const QString &name : excel_content.first())
            Create_List(name, false);
    emit columnsChanged();
}

void Import_Excel::Create_List(const QString &name, bool state)
{
    // Every sheet column keeps its place in the list, so tick j always stands for column j.
    const QString trimmed = Trim_Str(name);
    ListData_xl.append({state, trimmed.isEmpty() ? QStringLiteral("Untitled Column %1").arg(ListData_xl.size() + 1) : trimmed});
}

int Import_Excel::Get_Selection_State(int position) const
{
    if (position < 0 || position >= ListData_xl.size()) {
        Show_NSLog_Message(QStringLiteral("Get_Selection_State: no column %1").arg(position));
        return 0;
    }
    return ListData_xl.at(position).State ? 1 : 0;
}

bool Import_Excel::Check_For_One_Extension_Selection() const
{
    return std::any_of(ListData_xl.begin(), ListData_xl.end(), [](const PickerColumn &c) { return c.State; });
}

void Import_Excel::Select_ALL_Pressed()
{
    for (PickerColumn &c : ListData_xl)
        c.State = true;
    emit columnsChanged();
}

void Import_Excel::Clear_All_Pressed()
{
    for (PickerColumn &c : ListData_xl)
        c.State = false;
    emit columnsChanged();
}

bool Import_Excel::OKPressed()
{
    if (ListData_xl.isEmpty()) {
        Show_MessageBox(QStringLiteral("There is no column."));
        return false;
    }
    if (!Check_For_One_Extension_Selection()) {
        Show_MessageBox(QStringLiteral("No column is selected."));
        return false;
    }
    if (open_mode == QLatin1String("D"))
        Insert_file_Func(file_path);
    else
        Create_Excel_List_Func(file_path);
    excel_content.clear();
    return true;
}

void Import_Excel::CancelPressed() { excel_content.clear(); }

void Import_Excel::Insert_file_Func(const QString &path)
{
    {
        WaitCursor wait;
        SpreadsheetWriter::Table content;
        readOffGui(waitOver, path, [&] { content = SpreadsheetWriter::ReadWorkbook(path, false); });
        excel_content = content;
        if (!excel_content.isEmpty() && seriesList) {
            for (qsizetype r = contains_header ? 1 : 0; r < excel_content.size(); ++r) {
                const QStringList &row = excel_content.at(r);
                for (int j = 0; j < row.size(); ++j)
                    if (j < ListData_xl.size() && ListData_xl.at(j).State)
                        seriesList->Create_Value_List(Trim_Str(row.at(j)));
            }
        }
    }
    if (excel_content.isEmpty())
        Show_MessageBox(readFailure());
}

void Import_Excel::Create_Excel_List_Func(const QString &path)
{
    {
        WaitCursor wait;
        SpreadsheetWriter::Table content;
        readOffGui(waitOver, path, [&] { content = SpreadsheetWriter::ReadWorkbook(path, false); });
        excel_content = content;  // empty when stopped: the table below then stays as it was
        QList<int> chosen;
        for (int j = 0; j < ListData_xl.size(); ++j)
            if (ListData_xl.at(j).State)
                chosen.append(j);
        Data_From_Excel *target = table ? table : Data_From_Excel::defaultInstance();
        target->fillFromSheet(excel_content, chosen, contains_header, tableHost ? tableHost : target);
    }
    if (excel_content.isEmpty())
        Show_MessageBox(readFailure());
}

// --- the window ---

Import_Excel_Dialog::Import_Excel_Dialog(Import_Excel *picker, QWidget *parent) : QDialog(parent), m_picker(picker)
{
    setWindowTitle(tr("Import from spreadsheet"));
    setStyleSheet(Window_Background_Style());
    m_path = new QLineEdit(picker->file_path, this);
    m_path->setObjectName(QStringLiteral("file_path"));
    m_path->setReadOnly(true);
    m_header = new QCheckBox(tr("First row contains column names"), this);
    m_header->setObjectName(QStringLiteral("contains_header"));
    m_header->setChecked(picker->contains_header);
    m_sheets = new QComboBox(this);
    m_sheets->setObjectName(QStringLiteral("Sheet_ComboBox"));
    m_columns = new QTableWidget(0, 2, this);
    m_columns->setObjectName(QStringLiteral("ColList"));
    m_columns->setHorizontalHeaderLabels({QString(), tr("Column")});
    m_columns->horizontalHeader()->setStretchLastSection(true);
    m_columns->verticalHeader()->hide();
    m_columns->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto button = [this](const QString &text, const char *name, void (Import_Excel_Dialog::*slot)()) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(button(tr("Select All"), "Select_ALL_Pressed", &Import_Excel_Dialog::Select_ALL_Pressed));
    buttons->addWidget(button(tr("Clear All"), "Clear_All_Pressed", &Import_Excel_Dialog::Clear_All_Pressed));
    buttons->addStretch();
    buttons->addWidget(button(tr("Cancel"), "CancelPressed", &Import_Excel_Dialog::CancelPressed));
    QPushButton *ok = button(tr("OK"), "OKPressed", &Import_Excel_Dialog::OKPressed);
    ok->setDefault(true);
    buttons->addWidget(ok);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Workbook:"), this));
    layout->addWidget(m_path);
    layout->addWidget(new QLabel(tr("Sheet:"), this));
    layout->addWidget(m_sheets);
    layout->addWidget(m_header);
    layout->addWidget(m_columns);
    layout->addLayout(buttons);
    resize(460, 420);

    showSheets();
    showColumns();
    picker->waitOver = this;
    connect(picker, &Import_Excel::columnsChanged, this, &Import_Excel_Dialog::showColumns);
    connect(picker, &Import_Excel::sheetsChanged, this, &Import_Excel_Dialog::showSheets);
    connect(m_sheets, &QComboBox::activated, picker, &Import_Excel::comboBoxSelectionDidChange);
    connect(m_columns, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
        const int row = item->row();
        if (item->column() == 0 && row >= 0 && row < m_picker->ListData_xl.size())
            m_picker->ListData_xl[row].State = item->checkState() == Qt::Checked;
    });
}

void Import_Excel_Dialog::showSheets()
{
    const QSignalBlocker block(m_sheets);
    m_sheets->clear();
    Add_Name_Items(m_sheets, m_picker->sheets);
    m_sheets->setCurrentIndex(Excel_Sheet_Number - 1 < m_picker->sheets.size() ? Excel_Sheet_Number - 1 : -1);
}

void Import_Excel_Dialog::showColumns()
{
    const QSignalBlocker block(m_columns);
    m_columns->setRowCount(int(m_picker->ListData_xl.size()));
    for (int j = 0; j < m_picker->ListData_xl.size(); ++j) {
        auto *tick = new QTableWidgetItem;
        tick->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        tick->setCheckState(m_picker->ListData_xl.at(j).State ? Qt::Checked : Qt::Unchecked);
        m_columns->setItem(j, 0, tick);
        auto *name = new QTableWidgetItem(List_Cell_Text(m_picker->ListData_xl.at(j).Extension));
        name->setFlags(Qt::ItemIsEnabled);
        m_columns->setItem(j, 1, name);
    }
}

void Import_Excel_Dialog::OKPressed()
{
    m_picker->contains_header = m_header->isChecked();
    m_picker->file_path = m_path->text();
    if (m_picker->OKPressed())
        done(1);
}

void Import_Excel_Dialog::CancelPressed()
{
    m_picker->CancelPressed();
    done(0);
}

void Import_Excel_Dialog::Select_ALL_Pressed() { m_picker->Select_ALL_Pressed(); }
void Import_Excel_Dialog::Clear_All_Pressed() { m_picker->Clear_All_Pressed(); }
