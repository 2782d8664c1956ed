#include "groupmode/GroupListWidget.h"
#include "canvas/WidgetUtilities.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <functional>
#include <algorithm>

GroupListWidget::GroupListWidget(groupmode::GroupList &list, Hooks hooks, QWidget *parent)
    : QWidget(parent), m_list(list), m_hooks(std::move(hooks)), m_view(new QListWidget(this)),
      m_moveNext(new QCheckBox(tr("Move to\nnext record"), this))  // two lines: a narrow column
{
    setObjectName(QStringLiteral("group_list_box"));
    m_view->setObjectName(QStringLiteral("GroupList"));
    m_moveNext->setObjectName(QStringLiteral("GP_Move_Next_Rcd_ChkBox"));
    // Narrow enough for the list column on a small screen: one button to a row.
    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(2);
    const struct {
        QString title;
        const char *name;
        std::function<void()> action;
    } actions[] = {
        {tr("Add"), "Add_In_Excel_Details_Btn", [this] { addRow(); }},
        {tr("Save"), "Save_Excel_Details_Btn", [this] { saveRow(); }},
        {tr("Delete"), "Delete_In_Excel_Details_Btn", [this] { deleteRow(); }},
    };
    for (const auto &a : actions) {
        auto *button = new QPushButton(a.title, this);
        button->setObjectName(QString::fromLatin1(a.name));
        connect(button, &QPushButton::clicked, this, a.action);
        buttons->addWidget(button);
    }
    m_delete = findChild<QPushButton *>(QStringLiteral("Delete_In_Excel_Details_Btn"));
    const struct {
        QString title;
        const char *name;
        std::function<void()> *hook;
    } excelActions[] = {{tr("Columns…"), "Update_Excel_Btn", &m_hooks.remap},
                        {tr("View Data"), "View_Excel_Btn", &m_hooks.viewTable}};
    for (const auto &a : excelActions) {
        auto *button = new QPushButton(a.title, this);
        button->setObjectName(QString::fromLatin1(a.name));
        connect(button, &QPushButton::clicked, this, [hook = a.hook] {
            if (*hook)
                (*hook)();
        });
        buttons->addWidget(button);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_moveNext);
    connect(m_view, &QListWidget::currentRowChanged, this, [this](int row) {
        const int shown = m_list.selected();
        if (row >= 0 && shown >= 0 && row != shown && m_hooks.leaveRow) {
            // The list stays on the row on show while the question is open: answering it may
            // store that row and lay it on the card again.
            {
                const QSignalBlocker quiet(m_view);
                m_view->setCurrentRow(shown);
            }
            const bool leave = m_hooks.leaveRow();
            // The click that asked goes on to select the row under the pointer once this returns
            // (or finds the list rebuilt by a save): the highlight then follows the row on show.
            // Posted only now: the question's own event loop would have run it before the click
            // went on, and a cancelled change would leave the clicked row highlighted while the
            // panel and Delete work on the row on show.
            QMetaObject::invokeMethod(this, [this] { highlightShownRow(); }, Qt::QueuedConnection);
            if (!leave)
                return;
            const QSignalBlocker quiet(m_view);
            m_view->setCurrentRow(row);
        }
        m_list.select(row);
        updateButtons();
        if (m_list.selected() >= 0 && m_hooks.applyRow)
            m_hooks.applyRow(m_list.selected());
    });
    rebuild();
}

void GroupListWidget::rebuild()
{
    const QSignalBlocker quiet(m_view);
    m_view->clear();
    m_view->addItems(List_Cell_Texts(m_list.entries()));
    if (m_list.selected() < m_view->count())
        m_view->setCurrentRow(m_list.selected());
    updateButtons();
}

void GroupListWidget::highlightShownRow()
{
    const QSignalBlocker quiet(m_view);
    const int shown = m_list.selected();
    if (shown >= 0 && shown < m_view->count())
        m_view->setCurrentRow(shown, QItemSelectionModel::ClearAndSelect);
    else
        m_view->clearSelection();
}

void GroupListWidget::updateButtons()
{
    const bool selected = m_list.selected() >= 0;
    m_delete->setEnabled(selected);
    m_delete->setToolTip(selected ? tr("Delete the selected record") : tr("Select a record to delete it"));
}

void GroupListWidget::selectRow(int row)
{
    m_list.select(row);
    rebuild();
    m_view->scrollToItem(m_view->currentItem());
    m_view->setFocus(Qt::OtherFocusReason);
    if (m_list.selected() >= 0 && m_hooks.applyRow)
        m_hooks.applyRow(m_list.selected());
}

void GroupListWidget::addRow()
{
    // The new row is current before the save, which stores the panels into the current row.
    const int row = m_list.add(m_hooks.panel(), m_hooks.backSide());
    rebuild();
    m_hooks.saveProject();
    selectRow(row);
    m_hooks.inform(tr("Record added successfully."));
}

void GroupListWidget::saveRow()
{
    const int row = std::max(m_list.selected(), 0);
    m_list.store(m_hooks.panel(), m_hooks.backSide());
    m_hooks.saveProject();
    if (m_moveNext->isChecked() && row < m_list.rowCount() - 1)
        return selectRow(row + 1);
    selectRow(row);
    m_hooks.inform(tr("Record saved successfully."));
}

void GroupListWidget::deleteRow()
{
    if (m_list.rowCount() > 1 && m_list.selected() >= 0
        && !m_hooks.confirm(tr("Are you sure you want delete selected record?")))
        return;
    const auto result = m_list.remove();
    if (result == groupmode::GroupList::DeleteResult::Deleted) {
        // The panels show the row now current before the save stores them into it.
        const int next = m_list.selected();
        selectRow(next);
        m_hooks.saveProject();
        selectRow(next);
    }
    if (const QString message = groupmode::GroupList::message(result); !message.isEmpty())
        m_hooks.inform(message);
}
