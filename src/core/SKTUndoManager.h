#pragma once
// The card document's own undo manager: it records inverse actions, grouped, and plays a group
// back in reverse order. While a group is being undone, the actions it registers become the redo
// group, and the reverse. Registration can be switched off. Every opening of a nested group, every
// closing of a group and every undo or redo is announced to the checkpoint observers first.
//
// Actions registered with no group open go into an implicit group that lasts until the next
// pass of the event loop (or the next explicit checkpoint), as one user action does.

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class SKTUndoManager {
public:
    using Action = std::function<void()>;

    SKTUndoManager();
    ~SKTUndoManager();
    SKTUndoManager(const SKTUndoManager &) = delete;
    SKTUndoManager &operator=(const SKTUndoManager &) = delete;

    // Records the action that reverses what was just done.
    void registerUndo(Action action);

    void beginUndoGrouping();
    void endUndoGrouping();
    int groupingLevel() const { return int(m_openGroups.size()); }
    // Closes the implicit group, if one is open.
    void closeImplicitGroup();

    bool canUndo() const;
    bool canRedo() const;
    // Plays the newest undo (redo) group back; nothing when there is none.
    void undo();
    void redo();
    bool isUndoing() const { return m_state == State::Undoing; }
    bool isRedoing() const { return m_state == State::Redoing; }

    void enableUndoRegistration();
    void disableUndoRegistration();
    bool isUndoRegistrationEnabled() const { return m_disabled == 0; }

    void removeAllActions();

    // The name of the newest group's change, as a menu shows it ("Undo " + name).
    void setActionName(const QString &name);
    QString undoActionName() const;
    QString redoActionName() const;

    int undoCount() const { return int(m_undo.size()); }
    int redoCount() const { return int(m_redo.size()); }

    int addCheckpointObserver(std::function<void()> observer);
    void removeCheckpointObserver(int id);

private:
    struct Group {
        std::vector<Action> actions;
        QString name;
    };
    enum class State { Idle, Undoing, Redoing };

    void checkpoint();
    void openGroup(bool implicitGroup);
    void closeGroup();
    void playBack(std::vector<Group> &from, State state);
    std::vector<Group> &targetStack();

    std::vector<Group> m_undo;
    std::vector<Group> m_redo;
    std::vector<Group> m_openGroups;
    bool m_implicitOpen = false;
    int m_disabled = 0;
    State m_state = State::Idle;
    std::vector<std::pair<int, std::function<void()>>> m_observers;
    int m_nextObserverId = 1;
    // Lets a queued close of the implicit group find out that the manager is gone.
    std::shared_ptr<bool> m_alive;
};
