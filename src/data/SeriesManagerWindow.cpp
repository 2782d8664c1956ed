#include "data/SeriesManagerWindow.h"
#include "canvas/WidgetUtilities.h"

#include "core/ControllerImageFiles.h"
#include "core/Utilities.h"
#include "data/ImportWizard.h"
#include "data/LongRead.h"
#include "data/export/ExportDialogs.h"
#include "data/SeriesFiles.h"
#include "data/SeriesGeneratorWindow.h"
#include "data/SeriesManager.h"
#include "platform/RegularFile.h"
#include "data/SeriesViewer.h"
#include "data/SeriesWindow.h"
#include "platform/UiServices.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

BatchWizard *BatchWizard_Window = nullptr;

namespace {
QTableWidget *table(QWidget *parent, const char *name, const QString &title)
{
    auto *t = new QTableWidget(0, 1, parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setHorizontalHeaderLabels({title});
    t->horizontalHeader()->setStretchLastSection(true);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::ExtendedSelection);
    return t;
}

QLabel *label(QWidget *parent, const char *name)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

struct Action {
    const char *name;
    const char *title;
    void (BatchWizard::*slot)();
};
}  // namespace

BatchWizard::BatchWizard(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("BatchWizard"));
    setWindowTitle(tr("Batch Processing Series"));
    setModal(true);
    Style_Series_Window(this);
    BatchWizard_Window = this;
    // The import wizard lives in this library; another one may have been installed instead.
    if (!Series_Import_Wizard())
        Set_Series_Import_Wizard(&Open_Import_Wizard);

    auto *layout = new QVBoxLayout(this);
    auto makeBox = [this, layout](const char *name) {
        auto *box = new QWidget(this);
        box->setObjectName(QString::fromLatin1(name));
        layout->addWidget(box);
        return box;
    };
    auto addButtons = [this](QWidget *box, std::initializer_list<Action> actions) {
        auto *row = new QHBoxLayout(box);
        for (const Action &a : actions) {
            auto *b = new QPushButton(tr(a.title), box);
            b->setObjectName(QString::fromLatin1(a.name));
            b->setAutoDefault(false);
            connect(b, &QPushButton::clicked, this, a.slot);
            row->addWidget(b);
        }
    };

    avl_list_box = makeBox("avl_list_box");
    auto *first = new QVBoxLayout(avl_list_box);
    List = table(avl_list_box, "List", tr("Series"));
    batch_list_count = label(avl_list_box, "batch_list_count");
    first->addWidget(List);
    first->addWidget(batch_list_count);
    btn_box1 = makeBox("btn_box1");
    addButtons(btn_box1, {{"AddNew_Btn_Clicked", "New", &BatchWizard::AddNew_Btn_Clicked},
                          {"Update_Btn_Clicked", "Open", &BatchWizard::Update_Btn_Clicked},
                          {"Delete_List_Btn_Clicked", "Delete", &BatchWizard::Delete_List_Btn_Clicked},
                          {"Import_Btn_Clicked", "Import", &BatchWizard::Import_Btn_Clicked},
                          {"CreateSeries_Btn_Clicked", "Generate", &BatchWizard::CreateSeries_Btn_Clicked},
                          {"Help_Btn_Clicked", "Help", &BatchWizard::Help_Btn_Clicked},
                          {"Close_Btn_Clicked", "Close", &BatchWizard::Close_Btn_Clicked}});

    list_value_box = makeBox("list_value_box");
    auto *second = new QVBoxLayout(list_value_box);
    batch_list_name = new QLineEdit(list_value_box);
    batch_list_name->setObjectName(QStringLiteral("batch_list_name"));
    update_list_name = new QLineEdit(list_value_box);
    update_list_name->setObjectName(QStringLiteral("update_list_name"));
    update_list_name->hide();
    List_value = table(list_value_box, "List_value", tr("Values"));
    batch_value_count = label(list_value_box, "batch_value_count");
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(tr("Series name"), list_value_box));
    nameRow->addWidget(batch_list_name);
    second->addLayout(nameRow);
    second->addWidget(List_value);
    second->addWidget(batch_value_count);
    btn_box2 = makeBox("btn_box2");
    addButtons(btn_box2, {{"Import_Value_Btn_Clicked", "Import", &BatchWizard::Import_Value_Btn_Clicked},
                          {"Series_Value_Btn_Clicked", "Generate", &BatchWizard::Series_Value_Btn_Clicked},
                          {"Delete_Rows_Btn_Clicked", "Delete", &BatchWizard::Delete_Rows_Btn_Clicked},
                          {"Save_Btn_Clicked", "Save", &BatchWizard::Save_Btn_Clicked},
                          {"Export_Value_Btn_Clicked", "Export", &BatchWizard::Export_Value_Btn_Clicked},
                          {"Back_Btn_Clicked", "Back", &BatchWizard::Back_Btn_Clicked},
                          {"Help_2_Btn_Clicked", "Help", &BatchWizard::Help_2_Btn_Clicked},
                          {"Close_2_Btn_Clicked", "Close", &BatchWizard::Close_2_Btn_Clicked}});
    importButton = btn_box1->findChild<QPushButton *>(QStringLiteral("Import_Btn_Clicked"));
    importValueButton = btn_box2->findChild<QPushButton *>(QStringLiteral("Import_Value_Btn_Clicked"));

    Load_Number_Window = new Load_Num_Info(this);
    Update_Value_Wnd = new Update_Ex_Num(this);
    for (QTableWidget *t : {List, List_value})
        connect(t, &QTableWidget::cellDoubleClicked, this, [this, t] { doubleClickInTable(t); });
    Show_hide_Last_screen(true);  // the outgoing screen first: the window never holds both
    Show_hide_first_screen(false);
    // One size for both screens, wide enough for the row of value commands.
    Fit_Window_To_Screen(this, {760, 440});
}

BatchWizard::~BatchWizard()
{
    if (BatchWizard_Window == this)
        BatchWizard_Window = nullptr;
}

BatchWizard *BatchWizard::defaultInstance() { return BatchWizard_Window ? BatchWizard_Window : new BatchWizard; }

void BatchWizard::Open_Wnd()
{
    Check_Path_And_Create_Files();
    // Importing needs the import wizard; without it the buttons would do nothing.
    const bool canImport = bool(Series_Import_Wizard());
    importButton->setVisible(canImport);
    importValueButton->setVisible(canImport);
    Show_hide_Last_screen(true);  // the outgoing screen first: the window never holds both
    Show_hide_first_screen(false);
    Fill_List();
    Run_Series_Window(*this);
}

// --- screens and lists ----------------------------------------------------------------------------

void BatchWizard::Show_hide_first_screen(bool hide)
{
    avl_list_box->setHidden(hide);
    btn_box1->setHidden(hide);
    if (!hide)
        update_list_name->clear();
}

void BatchWizard::Show_hide_Last_screen(bool hide)
{
    list_value_box->setHidden(hide);
    btn_box2->setHidden(hide);
}

void BatchWizard::fillTable(QTableWidget *t, const QStringList &rows)
{
    t->clearSelection();
    t->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        t->setItem(r, 0, new QTableWidgetItem(List_Cell_Text(rows.at(r))));
}

QList<int> BatchWizard::selectedRows(QTableWidget *t) const
{
    QList<int> rows;
    for (const QModelIndex &index : t->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void BatchWizard::Fill_List()
{
    ListData.clear();
    for (const QString &name : Get_datasheet_File_Name_Array())
        Create_Avail_List(name);
    Update_batch_List_Count();
}

void BatchWizard::Create_Avail_List(const QString &name)
{
    const QString trimmed = Trim_Str(name);
    if (!trimmed.isEmpty())
        ListData.append(trimmed);
}

QString BatchWizard::Get_List_Name_Text(int row) const
{
    return row >= 0 && row < ListData.size() ? Trim_Str(ListData.at(row)) : QString();
}

void BatchWizard::Update_batch_List_Count()
{
    fillTable(List, ListData);
    batch_list_count->setText(QStringLiteral("Total List : %1").arg(ListData.size()));
}

void BatchWizard::Update_Value_List_Count()
{
    fillTable(List_value, ListData_value);
    batch_value_count->setText(QStringLiteral("Total Rows : %1").arg(ListData_value.size()));
}

void BatchWizard::Create_Value_List(const QString &value) { Create_Value_List(QStringList{value}); }

void BatchWizard::Create_Value_List(const QStringList &values)
{
    for (const QString &v : values) {
        const QString trimmed = Trim_Str(Series_Value_Line(v));
        if (!trimmed.isEmpty())
            ListData_value.append(trimmed);
    }
    Update_Value_List_Count();
}

void BatchWizard::Mark_List_New_Selection(int row)
{
    List->selectRow(row);
    List->scrollToItem(List->item(row, 0));
    List->setFocus();
}

void BatchWizard::Mark_List_New_Selection_Value(int row)
{
    List_value->selectRow(row);
    List_value->scrollToItem(List_value->item(row, 0));
    List_value->setFocus();
}

bool BatchWizard::Batch_List_Selection_Validation()
{
    if (ListData.isEmpty()) {
        Show_MessageBox(QStringLiteral("Available list is empty."));
        return false;
    }
    const QList<int> rows = selectedRows(List);
    if (rows.isEmpty() || Get_List_Name_Text(rows.first()).isEmpty()) {
        Show_MessageBox(QStringLiteral("Please select a record from the available list to continue."));
        List->setFocus();
        return false;
    }
    return true;
}

// --- first screen ---------------------------------------------------------------------------------

void BatchWizard::AddNew_Btn_Clicked()
{
    Show_hide_first_screen(true);
    Show_hide_Last_screen(false);
    batch_list_name->setText(QStringLiteral("Untitled"));
    ListData_value.clear();
    Update_Value_List_Count();
}

void BatchWizard::Update_Btn_Clicked() { On_Update(); }

void BatchWizard::On_Update()
{
    if (!Batch_List_Selection_Validation())
        return;
    const QString name = Get_List_Name_Text(selectedRows(List).first());
    const QString path = Trim_Str(Series_File_Path(name));
    // Saving will write here: a series that cannot be written is not opened for editing.
    QFile probe(path);
    if (!platform::isRegularFile(path) || !probe.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) {
        Show_MessageBox(QStringLiteral("Error in file accessing."));
        return;
    }
    probe.close();
    // Read before the screen changes: a stopped read leaves the window as it was.
    ReadProgress progress;
    std::optional<QStringList> values;
    QString refusal;
    Run_Long_Read(this, Long_Work_For_File(path), progress,
                  [&] { values = Read_Series_Values(path, progress, &refusal); });
    if (!values) {
        Show_MessageBox(Read_Stopped_Message(path));
        return;
    }
    if (!refusal.isEmpty()) {
        Show_MessageBox(refusal);
        return;
    }
    Show_hide_first_screen(true);
    Show_hide_Last_screen(false);
    batch_list_name->setText(name);
    update_list_name->setText(name);
    ListData_value.clear();
    Create_Value_List(*values);
}

void BatchWizard::Delete_List_Btn_Clicked()
{
    if (!Batch_List_Selection_Validation())
        return;
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure want to delete selected Batch Processing Series?")) != 1)
        return;
    const QList<int> rows = selectedRows(List);
    QStringList names;
    for (int r : rows)
        names.append(Get_List_Name_Text(r));
    if (Delete_Series(names)) {
        Fill_List();
        return;
    }
    const int next = Delete_Series_Rows(ListData, rows);
    Update_batch_List_Count();
    if (next >= 0)
        Mark_List_New_Selection(next);
}

void BatchWizard::Import_Btn_Clicked()
{
    if (!Series_Import_Wizard())
        return;
    lower();
    Series_Import_Wizard()(1, 1);
    raise();
    activateWindow();
}

void BatchWizard::CreateSeries_Btn_Clicked()
{
    Generate_List *generator = Generate_List::defaultInstance();
    generator->file_name_required = 1;
    generator->file_name_Insert = 1;
    generator->Open_Wnd();
}

void BatchWizard::Help_Btn_Clicked() { Open_Help_File(); }
void BatchWizard::Close_Btn_Clicked() { done(0); }

void BatchWizard::doubleClickInTable(QTableWidget *t)
{
    const QList<int> rows = selectedRows(t);
    if (rows.isEmpty())
        return;
    if (rows.size() > 1) {
        Show_MessageBox(QStringLiteral("Please select only one record to update."));
        return;
    }
    if (t == List)
        On_Update();
    else if (t == List_value)
        OnGetSelected();
}

// --- second screen --------------------------------------------------------------------------------

void BatchWizard::OnGetSelected()
{
    const QList<int> rows = selectedRows(List_value);
    if (ListData_value.isEmpty() || rows.isEmpty())
        return;
    const QString value = Trim_Str(ListData_value.at(rows.first()));
    Update_Value_Wnd->m_ex_num_str->setText(value);
    Update_Value_Wnd->m_s_number = value;
    Update_Value_Wnd->m_ex_num_index = rows.first();
    Run_Series_Window(*Update_Value_Wnd);
}

bool BatchWizard::askReplaceOrAppend()
{
    if (ListData_value.isEmpty())
        return true;
    switch (Run_Series_Window(*Load_Number_Window)) {
    case Load_Num_Info::Replace:
        ListData_value.clear();
        Update_Value_List_Count();
        return true;
    case Load_Num_Info::Append:
        return true;
    default:
        return false;
    }
}

void BatchWizard::Import_Value_Btn_Clicked()
{
    if (Series_Import_Wizard() && askReplaceOrAppend())
        Series_Import_Wizard()(0, 1);
}

void BatchWizard::Series_Value_Btn_Clicked()
{
    if (!askReplaceOrAppend())
        return;
    Generate_List *generator = Generate_List::defaultInstance();
    generator->file_name_required = 0;
    generator->file_name_Insert = 1;
    generator->Open_Wnd();
}

void BatchWizard::Delete_Rows_Btn_Clicked()
{
    const QList<int> rows = selectedRows(List_value);
    const char *refusal = ListData_value.isEmpty() ? "List is empty."
                          : rows.isEmpty()         ? "Please select at least one record from the list to continue."
                                                   : nullptr;
    if (refusal) {
        Show_MessageBox(QString::fromUtf8(refusal));
        List_value->setFocus();
        return;
    }
    const int next = Delete_Value_Rows(ListData_value, rows, List_value->currentRow());
    Update_Value_List_Count();
    if (next >= 0)
        Mark_List_New_Selection_Value(next);
}

void BatchWizard::Save_Btn_Clicked()
{
    if (ListData_value.isEmpty()) {
        Show_MessageBox(QStringLiteral("List is empty."));
        List_value->setFocus();
        return;
    }
    if (!Save_Series(ListData_value, batch_list_name->text(), update_list_name->text()))
        return;
    raise();
    Show_hide_Last_screen(true);  // the outgoing screen first: the window never holds both
    Show_hide_first_screen(false);
    Fill_List();
}

QString BatchWizard::Export_list_method_2()
{
    // The panel carries the xlsx/txt chooser: a name typed bare gets the chosen format.
    const QString path = Save_List_Panel(tr("Export Series"), QString(), QStringLiteral("Untitled.xlsx"));
    if (!path.isEmpty())
        raise();
    return path;
}

void BatchWizard::Export_Value_Btn_Clicked()
{
    if (ListData_value.isEmpty()) {
        Show_MessageBox(QStringLiteral("List is empty."));
        List_value->setFocus();
        return;
    }
    const QString destination = Export_list_method_2();
    if (!destination.isEmpty())
        Export_Series_Values(ListData_value, destination, this);
}

void BatchWizard::Back_Btn_Clicked()
{
    Show_hide_Last_screen(true);  // the outgoing screen first: the window never holds both
    Show_hide_first_screen(false);
}

void BatchWizard::Help_2_Btn_Clicked() { Open_Help_File(); }
void BatchWizard::Close_2_Btn_Clicked() { done(0); }
