#pragma once
// One whole card design as plain data: what a design file holds and what the main window
// applies when it opens one. The controls are shared with whoever built the data (saving
// reads the live arrays); a design read from a file owns fresh controls.

#include "core/Card_Property.h"
#include "core/ControlArchive.h"
#include "core/ControllerImageFiles.h"  // design_file_EXT, the extension of design files and templates

#include <QSharedDataPointer>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <array>

// The spreadsheet table of a design: rows of cells, each cell a key ("Extension", "Column%d")
// and a plain value (text, whole number, real or yes/no). Held compactly, all text in one
// buffer, rather than as one dictionary per row; copies share it until one changes. Callers
// that keep rows as dictionaries convert both ways.
class DesignTable {
public:
    enum CellType : quint8 { Text, Integer, Real, Boolean };

    DesignTable();
    // Rows as dictionaries of plain values; a row that is not one (or a cell that is not a plain
    // value) leaves the table unstorable, with the reason in problem().
    DesignTable(const QVariantList &rows);
    DesignTable(const DesignTable &);
    DesignTable &operator=(const DesignTable &);
    ~DesignTable();
    operator QVariantList() const;

    qsizetype size() const;
    bool isEmpty() const { return size() == 0; }
    void append(const QVariantMap &row);
    void append(const QVariant &row);
    // The cell's value as text; empty when the row or the key is not there.
    QString value(qsizetype row, const QString &key) const;
    QVariantMap row(qsizetype row) const;
    bool operator==(const DesignTable &other) const;
    // Why the rows cannot be stored; empty when they can.
    QString problem() const;

    // Building a row cell by cell, as a reader meets them. Cells come in any key order; a key
    // met twice keeps its last value, as in a dictionary.
    void beginRow();
    void addCell(QStringView key, CellType type, QStringView text);
    void endRow();
    // Each cell of the row in key order: f(key, type, text).
    template <class F> void forEachCell(qsizetype row, F &&f) const;

private:
    struct Data;
    QStringView keyAt(quint32 cell) const;
    QStringView textAt(quint32 cell) const;
    CellType typeAt(quint32 cell) const;
    quint32 rowBegin(qsizetype row) const;
    quint32 rowEnd(qsizetype row) const;
    QSharedDataPointer<Data> d;
};

template <class F> void DesignTable::forEachCell(qsizetype row, F &&f) const
{
    for (quint32 c = rowBegin(row), end = rowEnd(row); c < end; ++c)
        f(keyAt(c), typeAt(c), textAt(c));
}

// First entry of every design file.
inline const QString Design_File_Signature = QStringLiteral("VELKDESKBADGE");
// The one message a refused design file gets.
inline const QString Design_File_Corrupt_Message = QStringLiteral("File is corrupt and cannot be opened.");

struct DesignData {
    // Entry 1 of the file: "T" for a template, else the start mode at saving.
    QString modeLetter = QStringLiteral("L");
    Card_Property front;
    Card_Property back;
    // Spreadsheet binding of the design.
    bool Excel_Binding_Use = false;
    QString Excel_Source_Path;
    // Header title of every column of the spreadsheet table, first column included.
    QStringList columnTitles;
    // The table's rows, keyed "Extension" and "Column%d".
    DesignTable tableRows;
    // excel_cb_value1 ... excel_cb_value12: profile-field columns, -1 when unbound.
    std::array<int, 12> excelColumns{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    // Index 0 is the frontmost control of its side.
    SKTGraphicArray frontControls;
    SKTGraphicArray backControls;
    // Read only: one line per control record that was damaged, saying which it was and why.
    // Such a record's control stands on its side as far as the record could be read (a record
    // without a known kind is left out); never written.
    QStringList damagedRecords;
};

// The picture files the design names that are not there (its image controls and picture
// backgrounds), each once, in the order met: opened, they show as empty frames.
QStringList Missing_Design_Pictures(const DesignData &design);
// The one message that names them: the first few and how many more, so it fits any screen.
QString Missing_Pictures_Message(const QStringList &paths);
