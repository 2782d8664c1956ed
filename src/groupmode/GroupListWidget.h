#pragma once
// The group list beside the canvas: one entry per row, Add, Save and Delete, and the box that
// moves on after a save. It edits the rows through GroupList and leaves to the window what only
// the window knows: the entry panel, the project save and laying a row on the card.

#include "groupmode/GroupList.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QListWidget;
class QPushButton;

class GroupListWidget : public QWidget {
public:
    struct Hooks {
        std::function<groupmode::PanelValues()> panel;  // the entry panel of the side in work
        std::function<bool()> backSide;
        std::function<void()> saveProject;               // stores the panels into the current row too
        std::function<void(int row)> applyRow;           // card and panels; adds no undo step
        // Asked before a person's selection leaves the row on show: false keeps that row (and
        // what the panels hold) shown.
        std::function<bool()> leaveRow;
        std::function<bool(const QString &question)> confirm;
        std::function<void(const QString &message)> inform;
        std::function<void()> remap;      // the column re-mapping dialog and the card re-laid
        std::function<void()> viewTable;  // the spreadsheet table in its viewer
    };

    GroupListWidget(groupmode::GroupList &list, Hooks hooks, QWidget *parent = nullptr);

    // Refills the entries from the rows; the model's current row stays selected.
    void rebuild();
    // Makes `row` current and lays it on the card.
    void selectRow(int row);

    void addRow();
    void saveRow();
    void deleteRow();

    QListWidget *view() const { return m_view; }

private:
    // The row on show current and the only one highlighted.
    void highlightShownRow();
    // Delete works on the selected row only: without one it is disabled and says why.
    void updateButtons();

    groupmode::GroupList &m_list;
    Hooks m_hooks;
    QListWidget *m_view;
    QCheckBox *m_moveNext;
    QPushButton *m_delete = nullptr;
};
