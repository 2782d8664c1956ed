#pragma once
// The spreadsheet table: the one in-memory table of spreadsheet rows that controls are bound to.
// Column 0 is the row number (key "Extension"); data column k (from 1) is keyed "Column<k>".
// The table announces every change through changed(); views reload from it.

#include "data/spreadsheet/PackedRows.h"
#include "data/spreadsheet/SpreadsheetHooks.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantList>
#include <optional>

struct ExcelColumn {
    QString identifier;  // "Extension" or "Column<k>"
    QString title;
};

class Data_From_Excel : public QObject, public ExcelTableHost {
    Q_OBJECT
public:
    explicit Data_From_Excel(QObject *parent = nullptr);
    ~Data_From_Excel() override;
    // The application's one table: the main window installs its own at start-up; without a
    // window (a subsystem's own tests) one lives as long as the application.
    static Data_From_Excel *defaultInstance();
    // Makes `table` the one every subsystem reaches; answers the one it replaces.
    static Data_From_Excel *setDefaultInstance(Data_From_Excel *table);

    // The rows, packed (see PackedRows for a row's slots).
    using RowStore = PackedRows;
    // The column list; entry 0 is the fixed row-number column and is never removed.
    QList<ExcelColumn> ColList;

    static QString keyOf(int column);   // 0 → "Extension", k → "Column<k>"
    static int columnOfKey(const QString &key);  // the inverse; -1 for any other key

    // Appends a row from the first `count` values, each trimmed; false (logged) when there are
    // fewer values than that.
    bool Create_List_By_Array(const QStringList &values, int count);
    void Create_List_By_Value(const QString &value, const QString &key);
    // The cell at row r (from 0) and column index n; the empty string for a row that does not
    // exist, no value for a key the row lacks.
    std::optional<QString> Get_Item_Text(int row, int column) const;
    // Stores an edited value; false (logged) for a row or key that does not exist.
    bool setObjectValue(int row, const QString &key, const QString &value);
    // Appends a data column titled `title` and answers its index.
    int appendColumn(const QString &title);
    int rowCount() const { return int(m_rows.size()); }

    // A row as slots: slot 0 the "Extension" (row number text), slot k the value under
    // "Column<k>"; a null string in a slot means the row has no such key. Empty for a row that
    // does not exist.
    QStringList Row(int row) const;
    // The first `limit` rows (all when negative) that way.
    QList<QStringList> Rows(qsizetype limit = -1) const;
    // Replaces the rows (no changed(): the caller reloads when it is done).
    void Set_Rows(const QList<QStringList> &rows);
    void Append_Row(const QStringList &cells);
    // The rows as held, for a backup or a batch run that costs no copy of the cells.
    RowStore Row_Store() const { return m_rows; }
    void Set_Row_Store(const RowStore &rows) { m_rows = rows; }

    // --- the table as a design file (or a group project) holds it ---
    // Header title of every column, column 0 first.
    QStringList Column_Titles() const;
    // The rows as dictionaries: "Extension" and the "Column<k>" keys each row has.
    QVariantList Table_Rows() const;
    // One of them; an empty dictionary for a row that does not exist.
    QVariantMap Table_Row(int row) const;
    // Takes over titles (column 0 first; none keeps the columns as they are) and rows; one
    // changed() afterwards.
    void Set_Table(const QStringList &titles, const QVariantList &rows);
    // Back to the table of a new design: column 0 only, no rows.
    void Clear_Table();

    // The table's own part of the main window's calls (a host that has nothing else to do
    // forwards here).
    void Delete_Excel_File_Column() override;
    void Clear_Delete_Excel_table_rows() override;

    // Replaces columns and rows by the chosen sheet columns (slots from 0) of `rows`: titles from
    // the first row (blank ones "Untitled Column <n>"), data from the second row on when `header`.
    // The host is told before columns and rows go. No rows: the table stays as it was.
    void fillFromSheet(const QList<QStringList> &rows, const QList<int> &chosen, bool header,
                       ExcelTableHost *host = nullptr);

    // What the viewer counts: its rows, and the sheet's columns it shows (the row numbers'
    // column 0 is the viewer's own, not one of them).
    struct Counts {
        int rows;
        int columns;
    };
    Counts viewerCounts() const;
    int Open_Wnd();

    void reload() { emit changed(); }

signals:
    void changed();

private:
    RowStore m_rows;
};

extern Data_From_Excel *Data_From_Excel_Window;

// The table as a read-only item model, for the viewer and any other window that lists it.
class ExcelTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ExcelTableModel(Data_From_Excel *table, QObject *parent = nullptr);
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
private:
    Data_From_Excel *m_table;
};

// The viewer: the table read-only, with its counts of rows and columns.
class Data_From_Excel_Viewer : public QDialog {
    Q_OBJECT
public:
    Data_From_Excel_Viewer(Data_From_Excel *table, QWidget *parent = nullptr);
public slots:
    void OK_Click();
};
