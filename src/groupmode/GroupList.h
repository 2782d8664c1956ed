#pragma once
// The group list without its widget: one entry per row of a group project's spreadsheet table,
// the current row, and the row edits (add, store, delete). The caller saves the project after
// each edit and applies the selected row to the card; this class only keeps the rows right.

#include "groupmode/GroupData.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace groupmode {

// What an empty or missing cell shows in an entry panel. It is a prompt, never data.
inline const QString kCellPlaceholder = QStringLiteral("Text here");

// The entry panel of one side as a row record needs it.
struct PanelValues {
    // Name, title, company, slogan, address, phone, fax, e-mail, website, unique number:
    // the fields bound by excelColumns[0..9].
    std::array<QString, 10> text;
    // A field whose box is off keeps the row's cell when the row is stored (never when added).
    std::array<bool, 10> checked{};
    // The file path of the side's photo control; empty when the side has none.
    QString photoPath;
    // The side's custom fields, in list order: column (-1 unbound) and text.
    std::vector<std::pair<int, QString>> custom;
};

class GroupList {
public:
    enum class DeleteResult { Deleted, NothingSelected, LastRow };

    // Works on the project's table and bindings in place.
    explicit GroupList(GroupData &data) : m_data(data) {}

    // "<n> - <name>" per row from the column bound to the name field; no entries when that
    // binding is not a data column.
    QStringList entries() const;
    int rowCount() const { return m_data.rowCount(); }
    // -1 when no row is current.
    int selected() const { return m_selected; }
    void select(int row) { m_selected = row >= 0 && row < rowCount() ? row : -1; }

    // The text a panel shows for a cell: the placeholder for a missing or unbound text cell,
    // the empty path for a photo (the placeholder picture's path included).
    QString panelText(int row, int column, bool photo = false) const;

    // Appends a row built from the panel (every bound field, check boxes aside) and makes it
    // current, so a save that stores the panels reaches the new row. Answers its index.
    int add(const PanelValues &panel, bool back);
    // Stores the panel into the current row (row 0 when none), honouring the check boxes.
    void store(const PanelValues &panel, bool back);
    // The current row as `store` would leave it, the table untouched.
    QVariantMap toStore(const PanelValues &panel, bool back) const;
    // Removes the current row; the row before it (never below the first) becomes current.
    DeleteResult remove();
    static QString message(DeleteResult result);

private:
    int columnCount() const { return m_data.columnCount(); }
    QString cell(int row, const QString &key) const { return m_data.row(row).value(key).toString(); }
    QVariantMap record(int row, const PanelValues &panel, bool back, bool adding) const;

    GroupData &m_data;
    int m_selected = -1;
};

}  // namespace groupmode
