#include "data/spreadsheet/Data_From_Excel.h"
#include "canvas/WidgetUtilities.h"

#include "core/Utilities.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

Data_From_Excel *Data_From_Excel_Window = nullptr;

namespace {
const QString Empty = QStringLiteral("");
}

Data_From_Excel::Data_From_Excel(QObject *parent) : QObject(parent)
{
    ColList.append({keyOf(0), QStringLiteral("No.")});
    if (!Data_From_Excel_Window)
        Data_From_Excel_Window = this;
}

Data_From_Excel::~Data_From_Excel()
{
    if (Data_From_Excel_Window == this)
        Data_From_Excel_Window = nullptr;
}

Data_From_Excel *Data_From_Excel::defaultInstance()
{
    if (!Data_From_Excel_Window)
        new Data_From_Excel(qApp);  // lives as long as the application, like the window it stands for
    return Data_From_Excel_Window;
}

Data_From_Excel *Data_From_Excel::setDefaultInstance(Data_From_Excel *table)
{
    Data_From_Excel *previous = Data_From_Excel_Window;
    Data_From_Excel_Window = table;
    return previous;
}

QStringList Data_From_Excel::Column_Titles() const
{
    QStringList titles;
    titles.reserve(ColList.size());
    for (const ExcelColumn &column : ColList)
        titles << column.title;
    return titles;
}

QStringList Data_From_Excel::Row(int r) const { return m_rows.row(r); }

QList<QStringList> Data_From_Excel::Rows(qsizetype limit) const { return m_rows.rows(limit); }

void Data_From_Excel::Set_Rows(const QList<QStringList> &rows) { m_rows = PackedRows(rows); }

void Data_From_Excel::Append_Row(const QStringList &cells) { m_rows.append(cells); }

QVariantMap Data_From_Excel::Table_Row(int r) const
{
    QVariantMap cells;
    if (r < 0 || r >= m_rows.size())
        return cells;
    const QStringList row = m_rows.row(r);
    for (int k = 0; k < row.size(); ++k) {
        if (!row.at(k).isNull())
            cells.insert(keyOf(k), row.at(k));
    }
    return cells;
}

QVariantList Data_From_Excel::Table_Rows() const
{
    QVariantList rows;
    rows.reserve(m_rows.size());
    for (int r = 0; r < m_rows.size(); ++r)
        rows << Table_Row(r);
    return rows;
}

void Data_From_Excel::Set_Table(const QStringList &titles, const QVariantList &rows)
{
    if (!titles.isEmpty()) {
        ColList.resize(1);
        ColList[0].title = titles.first();
        for (qsizetype k = 1; k < titles.size(); ++k)
            appendColumn(titles.at(k));
    }
    m_rows.clear();
    m_rows.reserve(rows.size());
    for (const QVariant &row : rows) {
        const QVariantMap cells = row.toMap();
        QStringList values;
        for (auto it = cells.cbegin(); it != cells.cend(); ++it) {
            const int k = columnOfKey(it.key());
            if (k < 0)
                continue;
            if (values.size() <= k)
                values.resize(k + 1);
            const QString text = it.value().toString();
            values[k] = text.isNull() ? Empty : text;
        }
        if (values.isEmpty())
            values.resize(1);
        m_rows.append(values);
    }
    emit changed();
}

void Data_From_Excel::Clear_Table()
{
    ColList.resize(1);
    ColList[0].title = QStringLiteral("No.");
    m_rows.clear();
    emit changed();
}

QString Data_From_Excel::keyOf(int column)
{
    return column == 0 ? QStringLiteral("Extension") : QStringLiteral("Column%1").arg(column);
}

int Data_From_Excel::columnOfKey(const QString &key)
{
    if (key == QLatin1String("Extension"))
        return 0;
    if (!key.startsWith(QLatin1String("Column")))
        return -1;
    bool ok = false;
    const int k = key.mid(6).toInt(&ok);
    return ok && k > 0 ? k : -1;
}

bool Data_From_Excel::Create_List_By_Array(const QStringList &values, int count)
{
    if (count < 0 || values.size() < count) {
        Show_NSLog_Message(QStringLiteral("Create_List_By_Array: %1 values for %2 columns").arg(values.size()).arg(count));
        return false;
    }
    QStringList row;
    row.reserve(count + 1);
    row.append(QString::number(m_rows.size() + 1));
    for (int i = 0; i < count; ++i) {
        const QString v = Trim_Str(values.at(i));
        row.append(v.isEmpty() ? Empty : v);
    }
    m_rows.append(row);
    return true;
}

void Data_From_Excel::Create_List_By_Value(const QString &value, const QString &key)
{
    const int k = columnOfKey(key);
    if (k < 0)
        return;
    QStringList row(k + 1);
    row[k] = value.isNull() ? Empty : value;
    m_rows.append(row);
}

std::optional<QString> Data_From_Excel::Get_Item_Text(int row, int column) const
{
    if (row < 0 || row >= m_rows.size()) {
        Show_NSLog_Message(QStringLiteral("Get_Item_Text: no row %1").arg(row));
        return Empty;
    }
    return m_rows.cell(row, column);
}

bool Data_From_Excel::setObjectValue(int row, const QString &key, const QString &value)
{
    const int k = columnOfKey(key);
    if (row < 0 || row >= m_rows.size() || k < 0) {
        Show_NSLog_Message(QStringLiteral("setObjectValue: no row %1").arg(row));
        return false;
    }
    return m_rows.setCell(row, k, value);
}

int Data_From_Excel::appendColumn(const QString &title)
{
    const int k = int(ColList.size());
    ColList.append({keyOf(k), title});
    return k;
}

void Data_From_Excel::Delete_Excel_File_Column()
{
    ColList.resize(1);
    emit changed();
}

void Data_From_Excel::Clear_Delete_Excel_table_rows()
{
    m_rows.clear();
    emit changed();
}

void Data_From_Excel::fillFromSheet(const QList<QStringList> &rows, const QList<int> &chosen, bool header,
                                    ExcelTableHost *host)
{
    if (rows.isEmpty())
        return;
    if (!host)
        host = this;
    // One change for the whole refill: a view that hears of the emptied table in between would
    // take the sheet for gone.
    QSignalBlocker quiet(this);
    const QStringList &first = rows.first();
    const int count = int(chosen.size());
    if (!first.isEmpty()) {
        host->Delete_Excel_File_Column();
        if (ColList.size() > 1)  // a host that did not forward
            Delete_Excel_File_Column();
        for (int n = 0; n < count; ++n) {
            const int j = chosen.at(n);
            const QString title = j < first.size() ? Trim_Str(first.at(j)) : QString();
            appendColumn(title.isEmpty() ? QStringLiteral("Untitled Column %1").arg(n + 1) : title);
        }
    }
    host->Clear_Delete_Excel_table_rows();
    m_rows.clear();
    m_rows.reserve(rows.size());
    // Rows as Create_List_By_Array makes them (the row number, then each value trimmed), through
    // one list refilled for every row: a sheet of 100,000 rows made as many lists.
    QStringList packed(count + 1);
    for (qsizetype r = header ? 1 : 0; r < rows.size(); ++r) {
        const QStringList &row = rows.at(r);
        if (row.isEmpty())
            continue;
        packed[0] = QString::number(m_rows.size() + 1);
        for (int n = 0; n < count; ++n) {
            const qsizetype j = chosen.at(n);
            QString v = j < row.size() ? Trim_Str(row.at(j)) : QString();
            packed[n + 1] = v.isEmpty() ? Empty : std::move(v);
        }
        m_rows.append(packed);
    }
    quiet.unblock();
    emit changed();
}

Data_From_Excel::Counts Data_From_Excel::viewerCounts() const
{
    return {rowCount(), std::max(0, int(ColList.size()) - 1)};
}

int Data_From_Excel::Open_Wnd()
{
    Data_From_Excel_Viewer viewer(this);
    return viewer.exec();
}

// --- the item model ---

ExcelTableModel::ExcelTableModel(Data_From_Excel *table, QObject *parent) : QAbstractTableModel(parent), m_table(table)
{
    connect(table, &Data_From_Excel::changed, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int ExcelTableModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_table->rowCount(); }

int ExcelTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_table->ColList.size());
}

QVariant ExcelTableModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const int k = Data_From_Excel::columnOfKey(m_table->ColList.value(index.column()).identifier);
    return List_Cell_Text(m_table->Get_Item_Text(index.row(), k).value_or(QString()));
}

QVariant ExcelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return List_Cell_Text(m_table->ColList.value(section).title);
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return QAbstractTableModel::headerData(section, orientation, role);
}

// --- the viewer ---

Data_From_Excel_Viewer::Data_From_Excel_Viewer(Data_From_Excel *table, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Spreadsheet data"));
    setStyleSheet(Window_Background_Style());
    auto *view = new QTableView(this);
    view->setObjectName(QStringLiteral("ColList"));
    view->setModel(new ExcelTableModel(table, view));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->horizontalHeader()->setDefaultSectionSize(100);
    view->verticalHeader()->hide();
    const Data_From_Excel::Counts counts = table->viewerCounts();
    auto *rows = new QLabel(QString::number(counts.rows), this);
    rows->setObjectName(QStringLiteral("rows_count"));
    auto *columns = new QLabel(QString::number(counts.columns), this);
    columns->setObjectName(QStringLiteral("column_count"));
    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("OK_Click"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &Data_From_Excel_Viewer::OK_Click);
    auto *countsRow = new QHBoxLayout;
    countsRow->addWidget(new QLabel(tr("Rows:"), this));
    countsRow->addWidget(rows);
    countsRow->addSpacing(16);
    countsRow->addWidget(new QLabel(tr("Columns:"), this));
    countsRow->addWidget(columns);
    countsRow->addStretch();
    countsRow->addWidget(ok);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(view);
    layout->addLayout(countsRow);
    resize(640, 420);
}

void Data_From_Excel_Viewer::OK_Click() { done(1); }
