#include "data/SeriesViewer.h"

#include "canvas/WidgetUtilities.h"
#include "core/Utilities.h"
#include "data/SeriesFiles.h"
#include "data/LongRead.h"
#include "data/export/ExportDialogs.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "platform/UiServices.h"
#include "data/SeriesManagerWindow.h"
#include "data/SeriesWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
View_Data_Series *g_viewer = nullptr;

QPushButton *addButton(QDialog *dialog, QBoxLayout *row, const QString &title, const char *name)
{
    auto *b = new QPushButton(title, dialog);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    row->addWidget(b);
    return b;
}
}  // namespace

// --- viewer -------------------------------------------------------------------------------------

View_Data_Series::View_Data_Series(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("View_Data_Series"));
    setWindowTitle(tr("Series Values"));
    setModal(true);
    Style_Series_Window(this);
    g_viewer = this;
    auto *layout = new QVBoxLayout(this);
    series_name = new QLabel(this);
    series_name->setObjectName(QStringLiteral("series_name"));
    List = new QTableWidget(0, 1, this);
    List->setObjectName(QStringLiteral("List"));
    List->setHorizontalHeaderLabels({tr("Values")});
    List->horizontalHeader()->setStretchLastSection(true);
    List->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_count = new QLabel(this);
    list_count->setObjectName(QStringLiteral("list_count"));
    layout->addWidget(series_name);
    layout->addWidget(List);
    auto *row = new QHBoxLayout;
    row->addWidget(list_count);
    row->addStretch();
    connect(addButton(this, row, tr("OK"), "OK_Btn_Clicked"), &QPushButton::clicked, this,
            &View_Data_Series::OK_Btn_Clicked);
    layout->addLayout(row);
}

View_Data_Series::~View_Data_Series()
{
    if (g_viewer == this)
        g_viewer = nullptr;
}

void View_Chosen_Series(const QString &chosen)
{
    const QString name = Trim_Str(chosen);
    if (name.isEmpty() || name == QLatin1String("<--Select-->")) {
        Show_MessageBox(QStringLiteral("Please select the series."));
        return;
    }
    View_Data_Series *viewer = View_Data_Series::defaultInstance();
    viewer->file_name = name;
    viewer->Open_Wnd();
}

void View_Excel_Table(Data_From_Excel &table)
{
    if (table.rowCount() < 1) {
        Show_MessageBox(QStringLiteral("There is no excel data to view."));
        return;
    }
    platform::ui().runModal(QStringLiteral("Data_From_Excel"), QString(), [&] { return table.Open_Wnd(); });
}

View_Data_Series *View_Data_Series::defaultInstance() { return g_viewer ? g_viewer : new View_Data_Series; }

void View_Data_Series::Open_Wnd()
{
    series_name->setText(file_name);
    if (Load_file_Func(Series_File_Path(file_name)))
        Run_Series_Window(*this);
}

bool View_Data_Series::Load_file_Func(const QString &path)
{
    ReadProgress progress;
    std::optional<QStringList> values;
    QString refusal;
    Run_Long_Read(this, Long_Work_For_File(path), progress,
                  [&] { values = Read_Series_Values(path, progress, &refusal); });
    if (!values) {
        Show_MessageBox(Read_Stopped_Message(path));
        return false;
    }
    // Refused (its size, its kind, unreadable, not UTF-8): said, not shown as a series of no values.
    if (!refusal.isEmpty()) {
        Show_MessageBox(refusal);
        return false;
    }
    ListData.clear();
    for (const QString &v : *values)
        Create_Avail_List(v);
    Update_batch_List_Count();
    return true;
}

void View_Data_Series::Create_Avail_List(const QString &text)
{
    const QString value = Trim_Str(text);
    if (!value.isEmpty())
        ListData.append(value);
}

void View_Data_Series::Update_batch_List_Count()
{
    List->setRowCount(int(ListData.size()));
    for (int r = 0; r < ListData.size(); ++r)
        List->setItem(r, 0, new QTableWidgetItem(List_Cell_Text(ListData.at(r))));
    list_count->setText(QStringLiteral("Total Rows : %1").arg(ListData.size()));
}

void View_Data_Series::OK_Btn_Clicked() { done(1); }

// --- replace or append --------------------------------------------------------------------------

Load_Num_Info::Load_Num_Info(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Load_Number_Window"));
    setWindowTitle(tr("Values"));
    setModal(true);
    Style_Series_Window(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("The list already holds values.\nReplace them with the new values, or append "
                                    "the new values after them?"),
                                 this));
    auto *row = new QHBoxLayout;
    row->addStretch();
    connect(addButton(this, row, tr("Replace"), "YESPressed"), &QPushButton::clicked, this, &Load_Num_Info::YESPressed);
    connect(addButton(this, row, tr("Append"), "NOPressed"), &QPushButton::clicked, this, &Load_Num_Info::NOPressed);
    connect(addButton(this, row, tr("Cancel"), "CancelPressed"), &QPushButton::clicked, this,
            &Load_Num_Info::CancelPressed);
    layout->addLayout(row);
}

void Load_Num_Info::YESPressed() { done(Replace); }
void Load_Num_Info::NOPressed() { done(Append); }
void Load_Num_Info::CancelPressed() { done(Cancel); }

// --- value editor -------------------------------------------------------------------------------

SeriesValueEdit Edit_Series_Value(QStringList &values, int index, const QString &edited, const QString &original)
{
    if (edited == original)
        return SeriesValueEdit::Unchanged;
    const QString value = Trim_Str(Series_Value_Line(edited));
    if (value.isEmpty() || index < 0 || index >= values.size())
        return SeriesValueEdit::Refused;
    values[index] = value;
    return SeriesValueEdit::Replaced;
}

Update_Ex_Num::Update_Ex_Num(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Update_Value_Wnd"));
    setWindowTitle(tr("Edit Value"));
    setModal(true);
    Style_Series_Window(this);
    auto *layout = new QVBoxLayout(this);
    m_ex_num_str = new QLineEdit(this);
    m_ex_num_str->setObjectName(QStringLiteral("m_ex_num_str"));
    layout->addWidget(m_ex_num_str);
    auto *row = new QHBoxLayout;
    row->addStretch();
    connect(addButton(this, row, tr("Cancel"), "CancelPressed"), &QPushButton::clicked, this,
            &Update_Ex_Num::CancelPressed);
    auto *ok = addButton(this, row, tr("OK"), "OKPressed");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &Update_Ex_Num::OKPressed);
    layout->addLayout(row);
}

void Update_Ex_Num::OKPressed()
{
    QStringList scratch;
    QStringList &values = BatchWizard_Window ? BatchWizard_Window->ListData_value : scratch;
    switch (Edit_Series_Value(values, m_ex_num_index, m_ex_num_str->text(), m_s_number)) {
    case SeriesValueEdit::Unchanged:
        done(1);
        return;
    case SeriesValueEdit::Refused:
        Show_MessageBox(QStringLiteral("Please enter a valid value."));
        m_ex_num_str->setFocus();
        return;
    case SeriesValueEdit::Replaced:
        if (BatchWizard_Window)
            BatchWizard_Window->Update_Value_List_Count();
        clearFields();
        done(1);
        return;
    }
}

void Update_Ex_Num::clearFields()
{
    m_ex_num_str->clear();
    m_s_number.clear();
    m_ex_num_index = -1;
}

void Update_Ex_Num::CancelPressed()
{
    clearFields();
    done(0);
}
