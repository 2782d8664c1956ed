#include "groupmode/GroupList.h"

#include "core/PictureServices.h"

#include <algorithm>

namespace groupmode {

namespace {

QString columnKey(int k) { return QStringLiteral("Column%1").arg(k); }
QString extensionKey() { return QStringLiteral("Extension"); }

// A panel that still shows its prompt holds no value.
QString stored(const QString &text) { return text == kCellPlaceholder ? QString() : text; }

}  // namespace

QStringList GroupList::entries() const
{
    QStringList list;
    const int name = m_data.binding(0);
    if (name < 1 || name >= columnCount())
        return list;
    for (int i = 0; i < rowCount(); ++i)
        list << QStringLiteral("%1 - %2").arg(i + 1).arg(cell(i, columnKey(name))).trimmed();
    return list;
}

QString GroupList::panelText(int row, int column, bool photo) const
{
    const QVariantMap cells = column >= 0 && column < columnCount() ? m_data.row(row) : QVariantMap();
    const auto it = cells.find(columnKey(column));
    if (it == cells.end())
        return photo ? QString() : kCellPlaceholder;
    return photo ? Shown_Picture_Path(stored(it->toString())) : it->toString();
}

QVariantMap GroupList::record(int row, const PanelValues &panel, bool back, bool adding) const
{
    QVariantMap cells;
    if (adding) {
        // Deleting rows leaves gaps, so the count can repeat a number still in use.
        int largest = 0;
        for (int i = 0; i < rowCount(); ++i)
            largest = std::max(largest, cell(i, extensionKey()).toInt());
        cells[extensionKey()] = QString::number(largest + 1);
    } else {
        cells[extensionKey()] = cell(row, extensionKey());
    }
    for (int k = 1; k < columnCount(); ++k)
        cells[columnKey(k)] = adding ? QString() : cell(row, columnKey(k));

    // Later writes win when two bindings share a column: text fields, photo, custom fields.
    const auto put = [&](int k, const QString &text) {
        if (k >= 1 && k < columnCount())
            cells[columnKey(k)] = stored(text);
    };
    for (int f = 0; f < 10; ++f)
        if (adding || panel.checked[f])
            put(m_data.binding(f), panel.text[f]);
    // The placeholder picture is no photo: a row keeps no path of the application's own.
    put(m_data.binding(back ? kBackPhoto : kFrontPhoto), Shown_Picture_Path(panel.photoPath));
    for (const auto &[k, text] : panel.custom)
        put(k, text);
    return cells;
}

int GroupList::add(const PanelValues &panel, bool back)
{
    QVariantList rows = m_data.rows();
    rows.append(record(std::max(m_selected, 0), panel, back, true));
    m_data.setRows(rows);
    m_selected = rowCount() - 1;
    return m_selected;
}

void GroupList::store(const PanelValues &panel, bool back)
{
    const int row = std::max(m_selected, 0);
    if (row >= rowCount())
        return;
    QVariantList rows = m_data.rows();
    rows[row] = record(row, panel, back, false);
    m_data.setRows(rows);
    m_selected = row;
}

QVariantMap GroupList::toStore(const PanelValues &panel, bool back) const
{
    const int row = std::max(m_selected, 0);
    return row < rowCount() ? record(row, panel, back, false) : QVariantMap();
}

GroupList::DeleteResult GroupList::remove()
{
    if (rowCount() <= 1)
        return DeleteResult::LastRow;
    // Without a selection there is no row the user meant; the first is not a guess to make.
    if (m_selected < 0)
        return DeleteResult::NothingSelected;
    QVariantList rows = m_data.rows();
    rows.removeAt(m_selected);
    m_data.setRows(rows);
    m_selected = std::max(m_selected - 1, 0);
    return DeleteResult::Deleted;
}

QString GroupList::message(DeleteResult result)
{
    switch (result) {
    case DeleteResult::Deleted: return QStringLiteral("Record deleted successfully.");
    case DeleteResult::LastRow: return QStringLiteral("Unable to delete this record because project must have one record.");
    case DeleteResult::NothingSelected: break;
    }
    return {};
}

}  // namespace groupmode
