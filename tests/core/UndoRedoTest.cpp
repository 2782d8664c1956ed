// The per-side undo history: what the card shows after edits, undos and redos, which stacks an
// operation touches, and how it talks to the window and the live-mode panels.
#include "ArchiveTestSupport.h"

#include "core/Globals.h"
#include "core/ImageResolution.h"
#include "core/SKTBarcode.h"
#include "core/SKTDocument.h"
#include "core/SKTImage.h"
#include "core/SKTText.h"
#include "core/ArchiveValues.h"
#include "core/UndoRedo.h"

#include <gtest/gtest.h>

using namespace archivetest;

namespace {

class RecordingPanel : public LiveModeSidePanel {
public:
    void Refresh_Visitor_Dyn_Ctrl_and_image() override { calls.push_back(QStringLiteral("refresh")); }
    void Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(SKTGraphic &control) override
    {
        calls.push_back(QStringLiteral("control ") + control.className());
    }
    void Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK(const SKTGraphicList &controls) override
    {
        calls.push_back(QStringLiteral("locks %1").arg(controls.size()));
    }
    QStringList calls;
};

class Window : public UndoRedoHost {
public:
    void Enable_Disable_Undo(bool enabled) override { undoEnabled = enabled; }
    void Enable_Disable_Redo(bool enabled) override { redoEnabled = enabled; }
    void Refresh_Canvas() override { ++refreshes; }
    void Show_RHS_Properties(SKTGraphic *g) override { shown.push_back(g); }
    LiveModeSidePanel *Live_Mode_Panel(int side) override { return side == 0 ? &front : &back; }
    Card_Property Card_Property_Of_Side(int side) const override { return cards[side == 0 ? 0 : 1]; }
    void Restore_Card_Property(int side, const Card_Property &card) override { cards[side == 0 ? 0 : 1] = card; }

    bool undoEnabled = true;
    bool redoEnabled = true;
    int refreshes = 0;
    std::vector<SKTGraphic *> shown;
    RecordingPanel front, back;
    Card_Property cards[2];
};

// Sets the current side for the lifetime of the object.
struct ScopedSide {
    explicit ScopedSide(int side) : saved(Card_Front_Or_Back) { Card_Front_Or_Back = side; }
    ~ScopedSide() { Card_Front_Or_Back = saved; }
    int saved;
};

// A front red square at x 10 and a back blue one at x 100, as a start mode sets a design up:
// empty stacks, one base snapshot, Undo disabled.
struct Card {
    Card() : history(document, &window)
    {
        document.appendGraphicOnSide(0, kindstest::filledRect(QRectF(10, 10, 40, 30), Qt::red));
        document.appendGraphicOnSide(1, kindstest::filledRect(QRectF(100, 60, 40, 30), Qt::blue));
        history.Undo_Redo_Clear();
        history.Insert_In_Undo_Redo();
    }
    SKTDocument document;
    Window window;
    UndoRedoHistory history;
};

class UndoRedoTest : public ::testing::Test {
protected:
    // The side as it is printed.
    QImage side(int which)
    {
        return SKTRenderingView::image_From_Card_Graphics(hub.side(document.graphicsOfSide(which)));
    }
    SKTGraphic &frontShape() { return *document.graphics().front(); }
    void moveFrontShapeTo(double x)
    {
        frontShape().setXPosition(x);
        history.Insert_In_Undo_Redo();
    }

    kindstest::CardHub hub;
    ScopedStartMode mode{QStringLiteral("T")};
    ScopedSide current{0};
    Card card;
    SKTDocument &document = card.document;
    Window &window = card.window;
    UndoRedoHistory &history = card.history;
};

TEST_F(UndoRedoTest, EditEditUndoUndoRedoShowsTheExpectedStates)
{
    moveFrontShapeTo(120);                // moved right
    frontShape()._fillColor = Qt::green;  // and turned green
    history.Insert_In_Undo_Redo();
    const struct {
        char step;
        Qt::GlobalColor at140, at30;
    } states[] = {{' ', Qt::green, Qt::white}, {'u', Qt::red, Qt::white}, {'u', Qt::white, Qt::red},
                  {'r', Qt::red, Qt::white}};
    for (const auto &s : states) {
        SCOPED_TRACE(s.step);
        if (s.step != ' ')
            s.step == 'u' ? history.Undo_Action_Perform() : history.Redo_Action_Perform();
        const QImage image = side(0);
        EXPECT_EQ(image.pixelColor(140, 25), QColor(s.at140));
        EXPECT_EQ(image.pixelColor(30, 25), QColor(s.at30));
    }
    EXPECT_EQ(window.shown.back(), nullptr) << "the property panel shows the card";
    EXPECT_GE(window.refreshes, 3);
}

// Steps: F/B/T work on the front, back or temp side; m<x> moves that side's first shape and
// records, x<x> moves it unrecorded, M<n> moves it to 11, 12 ... 10+n recording each; i records;
// u undoes, r redoes, U<n> undoes n times; a adds a square and t a text
// to the front unrecorded, p paints the front; g sets the group-list flag; c clears the redo
// stacks, b adds blank snapshots, C clears all; z restores a snapshot with an unreadable archive;
// K records a copy onto the front that replaced nothing.
TEST_F(UndoRedoTest, StepsLeaveTheCardAndStacksAsExpected)
{
    struct Row {
        const char *steps;
        double frontX, backX;
        int shapes, undo, redo, undoBack, redoBack;
    } rows[] = {
        {"u r", 10, 100, 1, 0, 0, 0, 0},                          // nothing to undo or redo
        {"B m10 F m60 u", 10, 10, 1, 0, 1, 1, 0},                 // each side has its own stacks
        {"B m10 F m60 u B u", 10, 100, 1, 0, 1, 0, 1},
        {"B m10 u T r", 10, 10, 1, 0, 0, 1, 0},                   // the temp side works on the back
        {"m60 B m10 u F u m80", 80, 100, 1, 1, 0, 0, 1},          // a change empties its side's redo
        {"m60 B m10 u F u m80 r", 80, 100, 1, 1, 0, 0, 1},
        {"i a i i", 10, 100, 2, 1, 0, 0, 0},                      // before and after: one step
        {"i a i i u", 10, 100, 1, 0, 1, 0, 0},
        {"g m70", 70, 100, 1, 0, 0, 0, 0},                        // a group-list row records nothing
        {"i t i p i", 10, 100, 2, 1, 0, 0, 0},                    // painting is no change
        {"i t i p i m90 u", 10, 100, 2, 1, 1, 0, 0},
        {"i t i p i m90 u u", 10, 100, 1, 0, 2, 0, 0},
        {"m60 x90 u", 60, 100, 1, 1, 1, 0, 0},                    // the unrecorded change goes first
        {"m60 x90 u u r r", 90, 100, 1, 2, 0, 0, 0},
        {"m40 u c", 10, 100, 1, 0, 0, 0, 0},
        {"m40 u c m45 b", 45, 100, 1, 1, 1, 1, 1},                // blanks only on empty stacks
        {"m40 u c m45 b C u", 45, 100, 1, 0, 0, 0, 0},            // cleared: the live design is the base
        {"z", 10, 100, 2, 0, 0, 0, 0},                            // the unreadable archive is left out
        {"M60", 70, 100, 1, 50, 0, 0, 0},                         // the newest 50 steps are kept
        {"M60 U70", 20, 100, 1, 0, 50, 0, 0},
        {"K", 10, 100, 1, 0, 0, 0, 0},                            // a copy of the same: no step
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.steps);
        ScopedSide side(0);
        Card c;
        SKTDocument &d = c.document;
        UndoRedoHistory &h = c.history;
        auto first = [&] { return d.graphicsOfSide(std::min(Card_Front_Or_Back, 1)).front(); };
        auto move = [&](double x) { first()->setXPosition(x), h.Insert_In_Undo_Redo(); };
        const SKTSnapshot front = UndoRedoHistory::Snapshot_Of(Graphic_Pointers(d.graphics()));
        auto text = std::make_shared<SKTText>();
        text->_bounds = QRectF(20, 100, 120, 30);
        text->Set_text_value(QStringLiteral("Name"));
        for (const QString &step : QString::fromLatin1(row.steps).split(u' ')) {
            const double value = step.mid(1).toDouble();
            switch (step[0].toLatin1()) {
            case 'F': Card_Front_Or_Back = 0; break;
            case 'B': Card_Front_Or_Back = 1; break;
            case 'T': Card_Front_Or_Back = 2; break;
            case 'm': move(value); break;
            case 'x': first()->setXPosition(value); break;
            case 'M': for (int i = 1; i <= value; ++i) move(10 + i); break;
            case 'U': for (int i = 0; i < value; ++i) h.Undo_Action_Perform(); break;
            case 'i': h.Insert_In_Undo_Redo(); break;
            case 'u': h.Undo_Action_Perform(); break;
            case 'r': h.Redo_Action_Perform(); break;
            case 'a': d.appendGraphicOnSide(0, kindstest::filledRect(QRectF(150, 99, 9, 9), Qt::black));
                break;
            case 't': d.appendGraphicOnSide(0, text); break;
            case 'p': SKTRenderingView::image_From_Card_Graphics(
                CardSide::copyOfList({0, 0, 243, 154}, nullptr, Graphic_Pointers(d.graphics())));
                break;
            case 'g': h.live_mode_list_value_change = true; break;
            case 'c': h.Clear_Redo_Stack(); break;
            case 'b': h.Insert_Blank_Value_in_Undo_Redo(); break;
            case 'C': h.Undo_Redo_Clear(); break;
            case 'z': h.Fill_Undo_Redo_Control(SKTSnapshot(front) << "not an archive" << front); break;
            case 'K': h.Insert_In_Undo_Redo_Replacing_Card(0, c.window.cards[0]); break;
            }
        }
        EXPECT_EQ(d.graphics().front()->bounds().x(), row.frontX);
        EXPECT_EQ(d.graphics_back().front()->bounds().x(), row.backX);
        EXPECT_EQ(d.graphics().size(), size_t(row.shapes));
        EXPECT_EQ(h.Ucontrol.size(), row.undo);
        EXPECT_EQ(h.Rcontrol.size(), row.redo);
        EXPECT_EQ(h.Ucontrol_back.size(), row.undoBack);
        EXPECT_EQ(h.Rcontrol_back.size(), row.redoBack);
        if (QByteArray(row.steps).endsWith('b'))
            continue;  // blanks are placeholders and leave the buttons alone
        EXPECT_EQ(c.window.undoEnabled, h.Get_Undo_Count() > 0) << "the buttons follow the stacks";
        EXPECT_EQ(c.window.redoEnabled, h.Get_Redo_Count() > 0);
    }
}

// A symbol picture of the size at 300 dpi, and a barcode showing it placed at (30, 40) on the front.
std::pair<QImage, std::shared_ptr<SKTBarcode>> placedBarcode(SKTDocument &document, int width, int height)
{
    QImage symbol = patternImage(width, height);
    Set_Image_Dpi(symbol, 300);
    auto barcode = std::make_shared<SKTBarcode>();
    barcode->_bounds = QRectF(30, 40, 0, 0);
    barcode->Set_Barcode_image(symbol);
    document.appendGraphicOnSide(0, barcode);
    return {symbol, barcode};
}

TEST_F(UndoRedoTest, ARestoredBarcodeFitsItsImage)
{
    const auto [symbol, barcode] = placedBarcode(document, 120, 48);
    history.Insert_In_Undo_Redo();
    barcode->setXPosition(150);
    history.Insert_In_Undo_Redo();
    history.Undo_Action_Perform();
    ASSERT_EQ(document.graphics().size(), 2u);
    const SKTGraphic &restored = *document.graphics().back();
    ASSERT_EQ(restored.kind(), SKTGraphicKind::Barcode);
    EXPECT_EQ(restored.bounds(), QRectF(QPointF(30, 40), Image_Size_In_Points(symbol)));
    EXPECT_EQ(restored.bar_image_ctrl_bounds, restored.bounds());
    EXPECT_TRUE(samePixels(restored._barcode_image, symbol));
}

TEST_F(UndoRedoTest, SnapshotsHoldPicturesByReferenceAndNeverEncodeThem)
{
    // A large barcode picture that no file has ever held, and one that changes at every step.
    const auto [symbol, barcode] = placedBarcode(document, 1600, 900);
    const long long encoded = Pictures_Encoded();
    history.Insert_In_Undo_Redo();
    QList<QImage> shown;
    for (int step = 0; step < 5; ++step) {
        QImage next = patternImage(1600, 900);
        next.setPixel(step, step, qRgb(255, 0, 0));
        Set_Image_Dpi(next, 300);
        barcode->Set_Barcode_image(next);
        barcode->barcode_image_var_assign();
        shown.append(next);
        history.Insert_In_Undo_Redo();
    }
    EXPECT_EQ(Pictures_Encoded(), encoded);
    for (const SKTSnapshot &snapshot : history.Ucontrol)
        for (const QByteArray &archive : snapshot)
            EXPECT_LT(archive.size(), 4096) << "no picture bytes in a snapshot";
    // Undo brings each picture back, the very one the control showed.
    for (int step = 3; step >= 0; --step) {
        history.Undo_Action_Perform();
        const SKTGraphic &restored = *document.graphics().back();
        ASSERT_EQ(restored.kind(), SKTGraphicKind::Barcode);
        EXPECT_EQ(restored._barcode_image.cacheKey(), shown[step].cacheKey()) << step;
    }
    history.Undo_Action_Perform();
    EXPECT_TRUE(samePixels(document.graphics().back()->_barcode_image, symbol));
    history.Redo_Action_Perform();
    EXPECT_EQ(document.graphics().back()->_barcode_image.cacheKey(), shown[0].cacheKey());
    EXPECT_EQ(Pictures_Encoded(), encoded);
    // Outside the history a snapshot is a plain archive: its pictures travel as PNG.
    const SKTSnapshot plain = UndoRedoHistory::Snapshot_Of(Graphic_Pointers(document.graphics()));
    EXPECT_TRUE(Picture_References_In(plain.back()).isEmpty());
}

TEST_F(UndoRedoTest, LiveModePanelsFollowARestoreOnlyInVisitorAndGroupMode)
{
    auto image = std::make_shared<SKTImage>();
    image->_bounds = QRectF(150, 20, 40, 50);
    auto text = std::make_shared<SKTText>();
    text->_bounds = QRectF(150, 90, 60, 20);
    document.appendGraphicOnSide(0, image);
    document.appendGraphicOnSide(0, text);
    history.Insert_In_Undo_Redo();
    for (const QChar m : QStringLiteral("TWLVG")) {
        SCOPED_TRACE(m.toLatin1());
        ScopedStartMode mode(m);
        window.front.calls.clear();
        history.Fill_Undo_Redo_Control(UndoRedoHistory::Snapshot_Of(Graphic_Pointers(document.graphics())));
        const QString live = QStringLiteral("refresh|control SKTImage|control SKTText|locks 2");
        EXPECT_EQ(window.front.calls.join(u'|'), m == u'V' || m == u'G' ? live : QString());
        EXPECT_TRUE(window.back.calls.isEmpty());
    }
    ScopedStartMode visitor(QStringLiteral("V"));
    ScopedSide back(1);
    history.Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
    EXPECT_EQ(window.back.calls, QStringList{QStringLiteral("locks 0")}) << "the back panel and controls";
}

}  // namespace
