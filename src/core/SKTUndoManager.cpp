#include "core/SKTUndoManager.h"

#include <QCoreApplication>
#include <QTimer>

SKTUndoManager::SKTUndoManager() : m_alive(std::make_shared<bool>(true)) {}

SKTUndoManager::~SKTUndoManager() { *m_alive = false; }

void SKTUndoManager::registerUndo(Action action)
{
    if (!isUndoRegistrationEnabled() || !action)
        return;
    if (m_openGroups.empty())
        openGroup(true);
    m_openGroups.back().actions.push_back(std::move(action));
}

void SKTUndoManager::beginUndoGrouping() { openGroup(false); }

void SKTUndoManager::endUndoGrouping()
{
    if (m_openGroups.empty() || (m_implicitOpen && m_openGroups.size() == 1))
        return;  // nothing of the caller's own is open
    closeGroup();
}

void SKTUndoManager::openGroup(bool implicitGroup)
{
    if (!m_openGroups.empty())
        checkpoint();
    m_openGroups.push_back(Group{});
    if (!implicitGroup)
        return;
    m_implicitOpen = true;
    if (QCoreApplication::instance()) {
        std::weak_ptr<bool> alive = m_alive;
        QTimer::singleShot(0, QCoreApplication::instance(), [this, alive] {
            if (auto flag = alive.lock(); flag && *flag)
                closeImplicitGroup();
        });
    }
}

void SKTUndoManager::closeImplicitGroup()
{
    if (m_implicitOpen && m_openGroups.size() == 1)
        closeGroup();
}

void SKTUndoManager::closeGroup()
{
    Group group = std::move(m_openGroups.back());
    m_openGroups.pop_back();
    if (m_openGroups.empty())
        m_implicitOpen = false;
    if (!m_openGroups.empty()) {
        // A nested group becomes part of the one around it.
        Group &outer = m_openGroups.back();
        for (Action &a : group.actions)
            outer.actions.push_back(std::move(a));
        if (!group.name.isEmpty())
            outer.name = group.name;
    } else if (!group.actions.empty()) {
        if (m_state == State::Idle)
            m_redo.clear();  // a new change ends what could be redone
        targetStack().push_back(std::move(group));
    }
    checkpoint();
}

std::vector<SKTUndoManager::Group> &SKTUndoManager::targetStack()
{
    return m_state == State::Undoing ? m_redo : m_undo;
}

bool SKTUndoManager::canUndo() const
{
    return !m_undo.empty() || (m_implicitOpen && m_openGroups.size() == 1 && !m_openGroups.back().actions.empty());
}

bool SKTUndoManager::canRedo() const { return !m_redo.empty(); }

void SKTUndoManager::undo() { playBack(m_undo, State::Undoing); }

void SKTUndoManager::redo() { playBack(m_redo, State::Redoing); }

void SKTUndoManager::playBack(std::vector<Group> &from, State state)
{
    if (m_state != State::Idle)
        return;
    closeImplicitGroup();
    if (!m_openGroups.empty() || from.empty())
        return;  // a caller's group is still open, or there is nothing to play
    checkpoint();
    Group group = std::move(from.back());
    from.pop_back();
    m_state = state;
    m_openGroups.push_back(Group{{}, group.name});
    for (auto it = group.actions.rbegin(); it != group.actions.rend(); ++it)
        (*it)();
    Group inverse = std::move(m_openGroups.back());
    m_openGroups.clear();
    m_implicitOpen = false;
    inverse.name = group.name;
    if (!inverse.actions.empty())
        (state == State::Undoing ? m_redo : m_undo).push_back(std::move(inverse));
    m_state = State::Idle;
    checkpoint();
}

void SKTUndoManager::enableUndoRegistration()
{
    if (m_disabled > 0)
        --m_disabled;
}

void SKTUndoManager::disableUndoRegistration() { ++m_disabled; }

void SKTUndoManager::removeAllActions()
{
    m_undo.clear();
    m_redo.clear();
    m_openGroups.clear();
    m_implicitOpen = false;
}

void SKTUndoManager::setActionName(const QString &name)
{
    if (!m_openGroups.empty())
        m_openGroups.back().name = name;
    else if (!m_undo.empty())
        m_undo.back().name = name;
}

QString SKTUndoManager::undoActionName() const
{
    if (!m_openGroups.empty())
        return m_openGroups.back().name;
    return m_undo.empty() ? QString() : m_undo.back().name;
}

QString SKTUndoManager::redoActionName() const { return m_redo.empty() ? QString() : m_redo.back().name; }

int SKTUndoManager::addCheckpointObserver(std::function<void()> observer)
{
    const int id = m_nextObserverId++;
    m_observers.emplace_back(id, std::move(observer));
    return id;
}

void SKTUndoManager::removeCheckpointObserver(int id)
{
    std::erase_if(m_observers, [id](const auto &entry) { return entry.first == id; });
}

void SKTUndoManager::checkpoint()
{
    const auto observers = m_observers;
    for (const auto &entry : observers)
        entry.second();
}
