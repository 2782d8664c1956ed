#include "data/spreadsheet/PackedRows.h"

#include <algorithm>

namespace {
const QString Empty = QStringLiteral("");
}

PackedRows::PackedRows(const QList<QStringList> &rows)
{
    m_rows.reserve(rows.size());
    for (const QStringList &r : rows)
        append(r);
}

PackedRows::Row PackedRows::pack(const QStringList &cells)
{
    Row row;
    qsizetype length = 0;
    for (const QString &cell : cells)
        length += cell.size();
    row.text.reserve(length);
    row.ends.reserve(size_t(cells.size()));
    for (const QString &cell : cells) {
        row.text += cell;
        row.ends.push_back(qint32(row.text.size()) | (cell.isNull() ? Absent : 0));
    }
    row.text.squeeze();
    return row;
}

QStringList PackedRows::unpack(const Row &row)
{
    QStringList cells;
    cells.reserve(qsizetype(row.ends.size()));
    qint32 start = 0;
    for (const qint32 end : row.ends) {
        const qint32 stop = end & ~Absent;
        if (end & Absent) {
            cells.append(QString());
        } else {
            const QString text = row.text.mid(start, stop - start);
            cells.append(text.isNull() ? Empty : text);
        }
        start = stop;
    }
    return cells;
}

void PackedRows::append(const QStringList &cells) { m_rows.append(pack(cells)); }

QStringList PackedRows::row(qsizetype r) const
{
    return r < 0 || r >= m_rows.size() ? QStringList() : unpack(m_rows.at(r));
}

QList<QStringList> PackedRows::rows(qsizetype limit) const
{
    const qsizetype count = limit < 0 ? m_rows.size() : std::min(limit, m_rows.size());
    QList<QStringList> out;
    out.reserve(count);
    for (qsizetype r = 0; r < count; ++r)
        out.append(unpack(m_rows.at(r)));
    return out;
}

std::optional<QString> PackedRows::cell(qsizetype r, qsizetype k) const
{
    if (r < 0 || r >= m_rows.size())
        return std::nullopt;
    const Row &row = m_rows.at(r);
    if (k < 0 || size_t(k) >= row.ends.size() || (row.ends[size_t(k)] & Absent))
        return std::nullopt;
    const qint32 start = k == 0 ? 0 : row.ends[size_t(k) - 1] & ~Absent;
    const QString text = row.text.mid(start, row.ends[size_t(k)] - start);
    return text.isNull() ? Empty : text;
}

bool PackedRows::setCell(qsizetype r, qsizetype k, const QString &value)
{
    if (r < 0 || r >= m_rows.size() || k < 0)
        return false;
    QStringList cells = unpack(m_rows.at(r));
    if (cells.size() <= k)
        cells.resize(k + 1);
    cells[k] = value.isNull() ? Empty : value;
    m_rows[r] = pack(cells);
    return true;
}
