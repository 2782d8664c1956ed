#pragma once
// The user's Undo and Redo: a history of snapshots per card side. A snapshot is the control
// archive of every control of the side, in array order. The main window controller owns one
// history and forwards its operations of these names to it; the history works on the
// document's side arrays and calls back through the two small interfaces below.
//
// Pairing. The history remembers the state each side was last recorded in. Recording after a
// change pushes that remembered state (the state before the change) onto the side's undo
// stack, empties the side's redo stack and remembers the new state; recording a state equal to
// the remembered one does nothing, so callers may record before and after a change alike.
// Undo puts the live state on the redo stack and restores the newest undo snapshot, so the
// first Undo after a change brings back the state before it; Redo is the mirror image. A change
// that was never recorded (a lock, a change of order) is taken as the newest change when Undo
// or Redo comes. Emptying the history takes the live sides as the remembered states, so a
// design set up by a start mode has empty stacks and Undo disabled.
//
// A command that replaces a side's card properties with its controls (copying the design of the
// other side onto it) records them too: its undo snapshot ends with one archive of the card
// properties it replaced, so Undo gives the side back its own background as well, and the redo
// snapshot then ends with those Undo took away. The Setting tab's steps of the texts' sizes record
// the card they stepped the content font of the same way. Other snapshots hold controls only:
// other changes of the card properties made on the card tabs are no undo steps.
//
// Each stack keeps at most kUndoDepth snapshots; the oldest go first. Snapshots hold their
// pictures by reference (shared with the controls), so taking one never encodes a picture.

#include "core/ArchiveValues.h"
#include "core/Card_Property.h"
#include "core/ControlArchive.h"

#include <QByteArray>
#include <QList>
#include <array>
#include <optional>

class SKTDocument;

// The archives of one side's controls, in array order.
using SKTSnapshot = QList<QByteArray>;

// The profile panel of one side in visitor ("V") and group ("G") mode. The visitor and group
// panels implement it; the history calls it only in those modes.
class LiveModeSidePanel {
public:
    virtual ~LiveModeSidePanel() = default;
    // Before a restore: dynamic check boxes off, text fields blank and editable but disabled
    // (photo fields selectable only), the user picture cleared.
    virtual void Refresh_Visitor_Dyn_Ctrl_and_image() = 0;
    // One restored text or image control: its picture, value and visibility into the panel.
    virtual void Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(SKTGraphic &control) = 0;
    // The panel's fields enabled by the locks of the side's text and image controls (nothing
    // while the program itself fills panels).
    virtual void Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK(const SKTGraphicList &controls) = 0;
};

// What the history asks of the main window.
class UndoRedoHost {
public:
    virtual ~UndoRedoHost() = default;
    // The toolbar button and the menu item together.
    virtual void Enable_Disable_Undo(bool enabled) = 0;
    virtual void Enable_Disable_Redo(bool enabled) = 0;
    virtual void Refresh_Canvas() = 0;
    // The property panel shows this control (nullptr: the card).
    virtual void Show_RHS_Properties(SKTGraphic *control) = 0;
    // The profile panel of the side (0 front, 1 back); nullptr when there is none.
    virtual LiveModeSidePanel *Live_Mode_Panel(int side) = 0;
    // The card properties of a side, and putting them back (the side redrawn with them) when
    // Undo or Redo restores a step that replaced them.
    virtual Card_Property Card_Property_Of_Side(int side) const = 0;
    virtual void Restore_Card_Property(int side, const Card_Property &card) = 0;
};

class UndoRedoHistory {
public:
    static constexpr int kUndoDepth = 50;

    UndoRedoHistory(SKTDocument &document, UndoRedoHost *host = nullptr);

    // Front undo, back undo, front redo, back redo; the newest snapshot last.
    QList<SKTSnapshot> Ucontrol, Ucontrol_back, Rcontrol, Rcontrol_back;
    // Set while the group list puts a row's values onto the card: nothing is recorded then.
    bool live_mode_list_value_change = false;

    // Records the current side (`Card_Front_Or_Back`) after a change; see the pairing above.
    void Insert_In_Undo_Redo();
    // Records a side (0 front, 1 back) after a command replaced its controls and its card
    // properties, `replaced` being those it had: one undo step that gives back both.
    void Insert_In_Undo_Redo_Replacing_Card(int side, const Card_Property &replaced);
    // Takes a side (0 front, 1 back) as it stands now as recorded, without an undo step: after
    // the program itself changed it (a group row laid on the card), the next Undo goes back to
    // this state rather than to the one before the program's change.
    void Record_Without_Undo_Step(int side);
    void Undo_Action_Perform();
    void Redo_Action_Perform();
    // Replaces the current side's controls with those of the snapshot, and its card properties
    // when the snapshot holds them; archives that cannot be read are left out.
    void Fill_Undo_Redo_Control(const SKTSnapshot &snapshot);

    int Get_Undo_Count() const;
    int Get_Redo_Count() const;
    // Whether either side's controls differ from what they were when the history was last
    // emptied (a change nobody recorded, a lock or a change of order, included). A change undone
    // again is no change: the controls are those the history started from.
    bool Any_Side_Changed() const;
    // Undo enabled iff the current side's undo stack holds a snapshot; Redo likewise.
    void Check_Undo_Redo_Btn_Enability();
    void Enable_Disable_Undo(bool enabled);
    void Enable_Disable_Redo(bool enabled);
    // Empties the four stacks, disables Undo and Redo, takes the live sides as recorded.
    void Undo_Redo_Clear();
    // Empties both redo stacks and disables Redo.
    void Clear_Redo_Stack();
    // Empties the current side's redo stack and disables Redo.
    void Redo_Stack();
    // Appends one empty snapshot to each of the four stacks that is empty.
    void Insert_Blank_Value_in_Undo_Redo();
    // Commands call it after changing the canvas; there is nothing to do.
    void Undo_Redo_Button_state() {}

    // Raw pushes of the controls' snapshot onto the current side's undo or redo stack.
    void Insert_In_Undo_Stack(const SKTGraphicList &controls);
    void Insert_In_Redo_Stack(const SKTGraphicList &controls);
    // The live controls of the current side: "U" onto its redo stack, anything else onto its
    // undo stack.
    void Last_Stack(const QString &which);
    // The live controls of the current side onto its undo stack.
    void Undo_Stack();

    // The live-mode panel refresh, in visitor and group mode only.
    void Refresh_Visitor_Dyn_Ctrl_and_image();
    void Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(SKTGraphic *control);
    void Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();

    // The snapshot of a list of controls (nullptrs and controls that fail to archive left out).
    static SKTSnapshot Snapshot_Of(const SKTGraphicList &controls);

private:
    static int currentSide();
    QList<SKTSnapshot> &undoStack(int side) { return side == 0 ? Ucontrol : Ucontrol_back; }
    QList<SKTSnapshot> &redoStack(int side) { return side == 0 ? Rcontrol : Rcontrol_back; }
    const QList<SKTSnapshot> &undoStack(int side) const { return side == 0 ? Ucontrol : Ucontrol_back; }
    const QList<SKTSnapshot> &redoStack(int side) const { return side == 0 ? Rcontrol : Rcontrol_back; }
    SKTSnapshot liveSnapshot(int side) const;
    // A snapshot holding its pictures by reference into m_pictures (see Archive_Image); pictures
    // no snapshot refers to any more are let go first.
    SKTSnapshot snapshotOf(const SKTGraphicList &controls) const;
    static void push(QList<SKTSnapshot> &stack, const SKTSnapshot &snapshot);
    // The archive of card properties a snapshot ends with, and the properties it holds.
    QByteArray cardArchive(const Card_Property &card) const;
    static std::optional<Card_Property> cardOf(const SKTSnapshot &snapshot);
    // Records a change made since the last recording that nobody recorded; true if there was one.
    bool recordUnrecordedChange(int side, const SKTSnapshot &live);
    void playBack(QList<SKTSnapshot> &from, QList<SKTSnapshot> &to, bool undo);
    LiveModeSidePanel *livePanel() const;

    SKTDocument &m_document;
    UndoRedoHost *m_host;
    std::array<std::optional<SKTSnapshot>, 2> m_recorded;
    std::array<std::optional<SKTSnapshot>, 2> m_atClear;  // each side as the history was last emptied
    mutable Picture_Table m_pictures;
};
