#include "core/UndoRedo.h"

#include <QSet>

#include "core/ArchiveValues.h"
#include "core/Globals.h"
#include "core/PaintSupport.h"
#include "core/SKTDocument.h"
#include "platform/Plist.h"

namespace {

// The class name that marks a snapshot's archive of card properties; no control has it.
const QString kCardArchiveClass = QStringLiteral("Card_Property");

bool liveMode() { return Start_Card_Option == QLatin1String("V") || Start_Card_Option == QLatin1String("G"); }

bool textOrImage(const SKTGraphic &g) { return g.kind() == SKTGraphicKind::Text || g.kind() == SKTGraphicKind::Image; }

// A snapshot as it is compared: drawing settles a few stored values on its own (a text makes its
// styled text from its value, a fill or outline colour takes the control's opacity), so two
// snapshots that differ only by that settling stand for the same state.
QVariantList comparable(const SKTSnapshot &snapshot)
{
    QVariantList out;
    for (const QByteArray &archive : snapshot) {
        const QVariant root = platform::plistParse(archive);
        if (root.typeId() != QMetaType::QVariantMap) {
            out.append(archive);
            continue;
        }
        QVariantMap record = root.toMap();
        if (record.value(SKTArchiveClassKey).toString() == QLatin1String("SKTText")
            && record.value(QStringLiteral("_Text_contents")).toMap().isEmpty()) {
            QVariantMap storage;
            storage.insert(QStringLiteral("string"), record.value(QStringLiteral("Text_Value")));
            storage.insert(QStringLiteral("font"), Archive_Font(QFont(Text_Ctrl_Font, Text_Ctrl_Font_Size)));
            storage.insert(QStringLiteral("foregroundColor"), Archive_Color(Qt::black));
            record.insert(QStringLiteral("_Text_contents"), storage);
        }
        const double fillOpacity = record.value(QStringLiteral("alpha_val")).toDouble();
        const double strokeOpacity = record.value(QStringLiteral("alpha_val_stroke")).toDouble();
        const std::pair<const char *, double> colours[] = {
            {"_fillColor", fillOpacity}, {"_fill_htch_clr", fillOpacity}, {"_strokeColor", strokeOpacity}};
        for (const auto &[key, opacity] : colours) {
            const QColor c = Unarchive_Color(record.value(QLatin1String(key)));
            if (c.isValid())
                record.insert(QLatin1String(key), Archive_Color(Color_With_Opacity(c, opacity)));
        }
        out.append(record);
    }
    return out;
}

bool sameState(const SKTSnapshot &a, const SKTSnapshot &b) { return a == b || comparable(a) == comparable(b); }

}  // namespace

UndoRedoHistory::UndoRedoHistory(SKTDocument &document, UndoRedoHost *host) : m_document(document), m_host(host) {}

int UndoRedoHistory::currentSide() { return Card_Front_Or_Back == 0 ? 0 : 1; }

SKTSnapshot UndoRedoHistory::Snapshot_Of(const SKTGraphicList &controls) { return Archives_Of(controls); }

SKTSnapshot UndoRedoHistory::liveSnapshot(int side) const
{
    return snapshotOf(Graphic_Pointers(m_document.graphicsOfSide(side)));
}

SKTSnapshot UndoRedoHistory::snapshotOf(const SKTGraphicList &controls) const
{
    QSet<QByteArray> used;
    for (const QList<SKTSnapshot> *stack : {&Ucontrol, &Ucontrol_back, &Rcontrol, &Rcontrol_back})
        for (const SKTSnapshot &snapshot : *stack)
            for (const QByteArray &archive : snapshot)
                for (const QByteArray &reference : Picture_References_In(archive))
                    used.insert(reference);
    for (const auto *kept : {&m_recorded, &m_atClear})
        for (const std::optional<SKTSnapshot> &recorded : *kept)
            if (recorded)
                for (const QByteArray &archive : *recorded)
                    for (const QByteArray &reference : Picture_References_In(archive))
                        used.insert(reference);
    for (auto it = m_pictures.begin(); it != m_pictures.end();)
        it = used.contains(it.key()) ? std::next(it) : m_pictures.erase(it);
    const Scoped_Picture_References references(m_pictures);
    return Archives_Of(controls);
}

void UndoRedoHistory::push(QList<SKTSnapshot> &stack, const SKTSnapshot &snapshot)
{
    stack.append(snapshot);
    while (stack.size() > kUndoDepth)
        stack.removeFirst();
}

QByteArray UndoRedoHistory::cardArchive(const Card_Property &card) const
{
    // The card's picture is held by reference, as the controls' pictures are.
    const Scoped_Picture_References references(m_pictures);
    QVariantMap record = card.encodeWithCoder();
    record.insert(SKTArchiveClassKey, kCardArchiveClass);
    return platform::plistSerialize(record, platform::PlistFormat::Binary);
}

std::optional<Card_Property> UndoRedoHistory::cardOf(const SKTSnapshot &snapshot)
{
    if (snapshot.isEmpty())
        return std::nullopt;
    const QVariantMap record = platform::plistParse(snapshot.last()).toMap();
    if (record.value(SKTArchiveClassKey).toString() != kCardArchiveClass)
        return std::nullopt;
    Card_Property card = Card_Property::initWithCoder(record);
    card.Bound_Stored_Values();
    return card;
}

bool UndoRedoHistory::recordUnrecordedChange(int side, const SKTSnapshot &live)
{
    std::optional<SKTSnapshot> &recorded = m_recorded[std::size_t(side)];
    if (!recorded) {
        recorded = live;
        return false;
    }
    if (sameState(*recorded, live))
        return false;
    push(undoStack(side), *recorded);
    redoStack(side).clear();
    recorded = live;
    return true;
}

void UndoRedoHistory::Insert_In_Undo_Redo()
{
    if (live_mode_list_value_change)
        return;
    const int side = currentSide();
    recordUnrecordedChange(side, liveSnapshot(side));
    Check_Undo_Redo_Btn_Enability();
}

void UndoRedoHistory::Insert_In_Undo_Redo_Replacing_Card(int side, const Card_Property &replaced)
{
    if (live_mode_list_value_change || (side != 0 && side != 1) || !m_host)
        return;
    const SKTSnapshot live = liveSnapshot(side);
    std::optional<SKTSnapshot> &recorded = m_recorded[std::size_t(side)];
    SKTSnapshot before = recorded ? *recorded : live;
    const QByteArray card = cardArchive(replaced);
    // Nothing replaced by anything different: no step.
    if (sameState(before, live) && card == cardArchive(m_host->Card_Property_Of_Side(side)))
        return;
    before.append(card);
    push(undoStack(side), before);
    redoStack(side).clear();
    recorded = live;
    Check_Undo_Redo_Btn_Enability();
}

void UndoRedoHistory::Record_Without_Undo_Step(int side)
{
    if (side != 0 && side != 1)
        return;
    m_recorded[std::size_t(side)] = liveSnapshot(side);
    // The program's change to a side the user has not touched leaves it untouched.
    if (undoStack(side).isEmpty() && redoStack(side).isEmpty())
        m_atClear[std::size_t(side)] = m_recorded[std::size_t(side)];
}

void UndoRedoHistory::Undo_Action_Perform()
{
    const int side = currentSide();
    playBack(undoStack(side), redoStack(side), true);
}

void UndoRedoHistory::Redo_Action_Perform()
{
    const int side = currentSide();
    playBack(redoStack(side), undoStack(side), false);
}

void UndoRedoHistory::playBack(QList<SKTSnapshot> &from, QList<SKTSnapshot> &to, bool undo)
{
    const int side = currentSide();
    const SKTSnapshot live = liveSnapshot(side);
    // A change nobody recorded is the newest change: it is what Undo takes back, and after it
    // nothing is left to redo.
    recordUnrecordedChange(side, live);
    if (from.isEmpty()) {
        Check_Undo_Redo_Btn_Enability();
        return;
    }
    const SKTSnapshot snapshot = from.takeLast();
    // A step that gives back card properties keeps those it takes away, for the way back.
    SKTSnapshot kept = live;
    if (m_host && cardOf(snapshot))
        kept.append(cardArchive(m_host->Card_Property_Of_Side(side)));
    push(to, kept);
    Fill_Undo_Redo_Control(snapshot);
    m_recorded[std::size_t(side)] = liveSnapshot(side);
    if (undo && !from.isEmpty())
        Enable_Disable_Undo(true);
    Check_Undo_Redo_Btn_Enability();
    if (m_host) {
        m_host->Refresh_Canvas();
        m_host->Show_RHS_Properties(nullptr);
    }
}

void UndoRedoHistory::Fill_Undo_Redo_Control(const SKTSnapshot &snapshot)
{
    const int side = currentSide();
    m_document.removeAllGraphicsOnSide(side);
    Refresh_Visitor_Dyn_Ctrl_and_image();
    const Scoped_Picture_References references(m_pictures);
    for (const QByteArray &archive : snapshot) {
        std::unique_ptr<SKTGraphic> decoded = Unarchive_Graphic(archive);
        if (!decoded)
            continue;
        SKTGraphicPtr control(std::move(decoded));
        m_document.appendGraphicOnSide(side, control);
        check_barcode_and_set_control_bounds(control.get());
        Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(control.get());
    }
    Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
    if (const std::optional<Card_Property> card = cardOf(snapshot); card && m_host)
        m_host->Restore_Card_Property(side, *card);
}

int UndoRedoHistory::Get_Undo_Count() const { return int(undoStack(currentSide()).size()); }

int UndoRedoHistory::Get_Redo_Count() const { return int(redoStack(currentSide()).size()); }

bool UndoRedoHistory::Any_Side_Changed() const
{
    for (int side = 0; side < 2; ++side) {
        const std::optional<SKTSnapshot> &start = m_atClear[std::size_t(side)];
        if (!start && (!undoStack(side).isEmpty() || !redoStack(side).isEmpty()))
            return true;
        const std::optional<SKTSnapshot> &from = start ? start : m_recorded[std::size_t(side)];
        if (from && !sameState(*from, liveSnapshot(side)))
            return true;
    }
    return false;
}

void UndoRedoHistory::Check_Undo_Redo_Btn_Enability()
{
    Enable_Disable_Undo(Get_Undo_Count() > 0);
    Enable_Disable_Redo(Get_Redo_Count() > 0);
}

void UndoRedoHistory::Enable_Disable_Undo(bool enabled)
{
    if (m_host)
        m_host->Enable_Disable_Undo(enabled);
}

void UndoRedoHistory::Enable_Disable_Redo(bool enabled)
{
    if (m_host)
        m_host->Enable_Disable_Redo(enabled);
}

void UndoRedoHistory::Undo_Redo_Clear()
{
    Ucontrol.clear();
    Ucontrol_back.clear();
    Rcontrol.clear();
    Rcontrol_back.clear();
    for (int side = 0; side < 2; ++side)
        m_recorded[std::size_t(side)] = m_atClear[std::size_t(side)] = liveSnapshot(side);
    Enable_Disable_Undo(false);
    Enable_Disable_Redo(false);
}

void UndoRedoHistory::Clear_Redo_Stack()
{
    Rcontrol.clear();
    Rcontrol_back.clear();
    Enable_Disable_Redo(false);
}

void UndoRedoHistory::Redo_Stack()
{
    redoStack(currentSide()).clear();
    Enable_Disable_Redo(false);
}

void UndoRedoHistory::Insert_Blank_Value_in_Undo_Redo()
{
    for (QList<SKTSnapshot> *stack : {&Ucontrol, &Ucontrol_back, &Rcontrol, &Rcontrol_back}) {
        if (stack->isEmpty())
            stack->append(SKTSnapshot());
    }
}

void UndoRedoHistory::Insert_In_Undo_Stack(const SKTGraphicList &controls)
{
    push(undoStack(currentSide()), snapshotOf(controls));
}

void UndoRedoHistory::Insert_In_Redo_Stack(const SKTGraphicList &controls)
{
    push(redoStack(currentSide()), snapshotOf(controls));
}

void UndoRedoHistory::Last_Stack(const QString &which)
{
    const SKTGraphicList live = Graphic_Pointers(m_document.graphicsOfSide(currentSide()));
    if (which == QLatin1String("U"))
        Insert_In_Redo_Stack(live);
    else
        Insert_In_Undo_Stack(live);
}

void UndoRedoHistory::Undo_Stack() { Insert_In_Undo_Stack(Graphic_Pointers(m_document.graphicsOfSide(currentSide()))); }

LiveModeSidePanel *UndoRedoHistory::livePanel() const
{
    if (!m_host || !liveMode())
        return nullptr;
    return m_host->Live_Mode_Panel(currentSide());
}

void UndoRedoHistory::Refresh_Visitor_Dyn_Ctrl_and_image()
{
    if (LiveModeSidePanel *panel = livePanel())
        panel->Refresh_Visitor_Dyn_Ctrl_and_image();
}

void UndoRedoHistory::Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(SKTGraphic *control)
{
    if (!control || !textOrImage(*control))
        return;
    if (LiveModeSidePanel *panel = livePanel())
        panel->Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(*control);
}

void UndoRedoHistory::Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK()
{
    LiveModeSidePanel *panel = livePanel();
    if (!panel)
        return;
    SKTGraphicList controls;
    for (const SKTGraphicPtr &g : m_document.graphicsOfSide(currentSide())) {
        if (g && textOrImage(*g))
            controls.push_back(g.get());
    }
    panel->Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK(controls);
}
