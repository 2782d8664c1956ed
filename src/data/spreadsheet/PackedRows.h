#pragma once
// Rows of spreadsheet cells held compactly: each row is one string of its cells end to end and
// the end of every slot, a slot without a key marked absent. Tens of bytes per cell less than a
// string per cell in a list per row, which keeps a sheet of a million cells small. Copies share
// the rows until one of them changes (Qt's implicit sharing).
//
// A row as slots: slot 0 the "Extension" (row number text), slot k the value under "Column<k>";
// a null string in a slot means the row has no such key; an empty one is an empty value.

#include <QList>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <optional>
#include <vector>

class PackedRows {
public:
    PackedRows() = default;
    // From rows as slots (implicit: a list of rows stands wherever packed rows are wanted).
    PackedRows(const QList<QStringList> &rows);  // NOLINT(google-explicit-constructor)
    PackedRows(std::initializer_list<QStringList> rows) : PackedRows(QList<QStringList>(rows)) {}

    qsizetype size() const { return m_rows.size(); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    void clear() { m_rows.clear(); }
    void reserve(qsizetype rows) { m_rows.reserve(rows); }

    void append(const QStringList &cells);
    PackedRows &operator<<(const QStringList &cells)
    {
        append(cells);
        return *this;
    }
    // Row r as slots; empty for a row that does not exist.
    QStringList row(qsizetype r) const;
    // The first `limit` rows (all when negative) as slots.
    QList<QStringList> rows(qsizetype limit = -1) const;
    // The value in slot k of row r; none when the row or the slot does not exist or is absent.
    std::optional<QString> cell(qsizetype r, qsizetype k) const;
    // Sets slot k of row r (widening the row; a null value is stored as empty); false for a row
    // that does not exist.
    bool setCell(qsizetype r, qsizetype k, const QString &value);

private:
    struct Row {
        QString text;
        std::vector<qint32> ends;  // end of slot k in text, Absent set when the row lacks the key
    };
    static constexpr qint32 Absent = qint32(1) << 30;
    static Row pack(const QStringList &cells);
    static QStringList unpack(const Row &row);
    QList<Row> m_rows;
};
