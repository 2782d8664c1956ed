// The per-side undo history: what the card shows after edits, undos and redos, which stacks an
// operation touches, and how it talks to the window and the live-mode panels.
#include "ArchiveTestSupport.h"

#include "core/Globals.h"
#include "core/ImageResolution.h"
#include "core/SKTBarcode.h"
#include "core/SKTDocument.h"
#include "core/SKTImage.h"
#include "core/SKTText.h"
#include "core/UndoRedo.h"

#include <QPainter>
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

    bool undoEnabled = true;
    bool redoEnabled = true;
    int refreshes = 0;
    std::vector<SKTGraphic *> shown;
    RecordingPanel front, back;
};

// Sets the current side for the lifetime of the object.
struct ScopedSide {
    explicit ScopedSide(int side) : saved(Card_Front_Or_Back) { Card_Front_Or_Back = side; }
    ~ScopedSide() { Card_Front_Or_Back = saved; }
    int saved;
};

class UndoRedoTest : public ::testing::Test {
protected:
    UndoRedoTest() : history(document, &window)
    {
        document.appendGraphicOnSide(0, kindstest::filledRect(QRectF(10, 10, 40, 30), Qt::red));
        document.appendGraphicOnSide(1, kindstest::filledRect(QRectF(100, 60, 40, 30), Qt::blue));
        // A design set up by a start mode: empty stacks, one base snapshot, Undo disabled.
        history.Undo_Redo_Clear();
        history.Insert_In_Undo_Redo();
    }

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
    SKTDocument document;
    Window window;
    UndoRedoHistory history;
};

TEST_F(UndoRedoTest, EditEditUndoUndoRedoShowsTheExpectedStates)
{
    EXPECT_FALSE(window.undoEnabled);
    EXPECT_EQ(history.Get_Undo_Count(), 0) << "a design just set up reads as not edited";
    moveFrontShapeTo(120);                    // state 1: the square moved right
    frontShape()._fillColor = Qt::green;      // state 2: and turned green
    history.Insert_In_Undo_Redo();
    EXPECT_TRUE(window.undoEnabled);
    EXPECT_FALSE(window.redoEnabled);
    EXPECT_EQ(side(0).pixelColor(140, 25), QColor(Qt::green));

    history.Undo_Action_Perform();
    EXPECT_EQ(side(0).pixelColor(140, 25), QColor(Qt::red)) << "first undo: the state before the colour change";
    EXPECT_EQ(side(0).pixelColor(30, 25), QColor(Qt::white));
    EXPECT_TRUE(window.redoEnabled);

    history.Undo_Action_Perform();
    EXPECT_EQ(side(0).pixelColor(30, 25), QColor(Qt::red)) << "second undo: the design as set up";
    EXPECT_EQ(side(0).pixelColor(140, 25), QColor(Qt::white));
    EXPECT_FALSE(window.undoEnabled);

    history.Redo_Action_Perform();
    EXPECT_EQ(side(0).pixelColor(140, 25), QColor(Qt::red)) << "redo: moved, still red";
    EXPECT_EQ(side(0).pixelColor(30, 25), QColor(Qt::white));
    EXPECT_TRUE(window.undoEnabled);
    EXPECT_TRUE(window.redoEnabled);
    EXPECT_EQ(history.Get_Undo_Count(), 1);
    EXPECT_EQ(history.Get_Redo_Count(), 1);
    EXPECT_EQ(window.shown.back(), nullptr) << "the property panel shows the card";
    EXPECT_GE(window.refreshes, 3);
}

TEST_F(UndoRedoTest, UndoWithNothingToUndoChangesNothing)
{
    const QImage before = side(0);
    window.undoEnabled = window.redoEnabled = true;
    history.Undo_Action_Perform();
    history.Redo_Action_Perform();
    EXPECT_EQ(side(0), before);
    EXPECT_FALSE(window.undoEnabled) << "the buttons were evaluated";
    EXPECT_FALSE(window.redoEnabled);
    EXPECT_EQ(window.refreshes, 0);
}

TEST_F(UndoRedoTest, EachSideHasItsOwnStacks)
{
    {
        ScopedSide back(1);
        document.graphics_back().front()->setYPosition(10);
        history.Insert_In_Undo_Redo();
        EXPECT_EQ(history.Ucontrol_back.size(), 1);
    }
    moveFrontShapeTo(60);
    ASSERT_EQ(history.Ucontrol.size(), 1);
    history.Undo_Action_Perform();  // front
    EXPECT_EQ(history.Ucontrol_back.size(), 1) << "front undo never touches the back stacks";
    EXPECT_TRUE(history.Rcontrol_back.isEmpty());
    EXPECT_EQ(document.graphics_back().front()->bounds().y(), 10.0) << "nor the back side";
    EXPECT_EQ(frontShape().bounds().x(), 10.0);
    {
        ScopedSide back(1);
        EXPECT_EQ(history.Get_Undo_Count(), 1);
        EXPECT_EQ(history.Get_Redo_Count(), 0);
        history.Undo_Action_Perform();
        EXPECT_EQ(document.graphics_back().front()->bounds().y(), 60.0);
    }
    EXPECT_EQ(history.Rcontrol.size(), 1) << "back undo never touches the front stacks";
    EXPECT_TRUE(history.Ucontrol.isEmpty());
    // The temp side is never current: with Card_Front_Or_Back at 2 the back is worked on.
    ScopedSide other(2);
    EXPECT_EQ(history.Get_Redo_Count(), 1);
}

TEST_F(UndoRedoTest, ANewChangeEmptiesTheRedoStackOfItsSideOnly)
{
    moveFrontShapeTo(60);
    {
        ScopedSide back(1);
        document.graphics_back().front()->setYPosition(10);
        history.Insert_In_Undo_Redo();
        history.Undo_Action_Perform();
    }
    history.Undo_Action_Perform();
    ASSERT_EQ(history.Rcontrol.size(), 1);
    ASSERT_EQ(history.Rcontrol_back.size(), 1);
    moveFrontShapeTo(80);
    EXPECT_TRUE(history.Rcontrol.isEmpty());
    EXPECT_FALSE(window.redoEnabled);
    EXPECT_EQ(history.Rcontrol_back.size(), 1);
    history.Redo_Action_Perform();
    EXPECT_EQ(frontShape().bounds().x(), 80.0) << "nothing left to redo";
}

TEST_F(UndoRedoTest, RecordingBeforeAndAfterAChangeMakesOneStep)
{
    history.Insert_In_Undo_Redo();  // before a creation, as the canvas does
    document.appendGraphicOnSide(0, kindstest::filledRect(QRectF(150, 100, 30, 30), Qt::black));
    history.Insert_In_Undo_Redo();  // after it
    history.Insert_In_Undo_Redo();  // a handler recording once more
    EXPECT_EQ(history.Get_Undo_Count(), 1);
    history.Undo_Action_Perform();
    EXPECT_EQ(document.graphics().size(), 1u);
    EXPECT_FALSE(window.undoEnabled);
}

TEST_F(UndoRedoTest, NothingIsRecordedWhileTheGroupListAppliesARow)
{
    history.live_mode_list_value_change = true;
    frontShape().setXPosition(70);
    history.Insert_In_Undo_Redo();
    EXPECT_TRUE(history.Ucontrol.isEmpty());
    EXPECT_TRUE(history.Ucontrol_back.isEmpty());
    history.live_mode_list_value_change = false;
}

TEST_F(UndoRedoTest, DrawingAControlDoesNotCountAsAChange)
{
    auto text = std::make_shared<SKTText>();
    text->_bounds = QRectF(20, 100, 120, 30);
    text->Set_text_value(QStringLiteral("Name"));
    history.Insert_In_Undo_Redo();
    document.appendGraphicOnSide(0, text);
    history.Insert_In_Undo_Redo();
    side(0);  // drawing makes the text's styled text and settles colours
    history.Insert_In_Undo_Redo();
    EXPECT_EQ(history.Get_Undo_Count(), 1);
    moveFrontShapeTo(90);
    history.Undo_Action_Perform();
    EXPECT_EQ(frontShape().bounds().x(), 10.0) << "the first undo takes the move back";
    EXPECT_EQ(document.graphics().size(), 2u);
    history.Undo_Action_Perform();
    EXPECT_EQ(document.graphics().size(), 1u) << "the second takes the new text away";
}

TEST_F(UndoRedoTest, AChangeNobodyRecordedIsWhatUndoTakesBack)
{
    moveFrontShapeTo(60);
    frontShape().ctrl_is_locked = true;  // Lock records nothing
    history.Undo_Action_Perform();
    EXPECT_FALSE(frontShape().ctrl_is_locked);
    EXPECT_EQ(frontShape().bounds().x(), 60.0);
    history.Undo_Action_Perform();
    EXPECT_EQ(frontShape().bounds().x(), 10.0);
    history.Redo_Action_Perform();
    history.Redo_Action_Perform();
    EXPECT_TRUE(frontShape().ctrl_is_locked);
}

TEST_F(UndoRedoTest, ARestoredBarcodeFitsItsImage)
{
    QImage symbol = patternImage(120, 48);
    Set_Image_Dpi(symbol, 300);
    auto barcode = std::make_shared<SKTBarcode>();
    barcode->_bounds = QRectF(30, 40, 0, 0);
    barcode->Set_Barcode_image(symbol);
    document.appendGraphicOnSide(0, barcode);
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

TEST_F(UndoRedoTest, UnreadableArchivesAreLeftOutOfARestore)
{
    SKTSnapshot snapshot = UndoRedoHistory::Snapshot_Of(Graphic_Pointers(document.graphics()));
    snapshot.append(QByteArray("not an archive"));
    snapshot.append(snapshot.first());
    history.Fill_Undo_Redo_Control(snapshot);
    EXPECT_EQ(document.graphics().size(), 2u);
}

TEST_F(UndoRedoTest, StacksKeepTheNewestSnapshotsUpToTheirDepth)
{
    for (int i = 1; i <= 60; ++i)
        moveFrontShapeTo(10 + i);
    EXPECT_EQ(history.Get_Undo_Count(), UndoRedoHistory::kUndoDepth);
    for (int i = 0; i < 70; ++i)
        history.Undo_Action_Perform();
    EXPECT_EQ(frontShape().bounds().x(), 10.0 + 60 - UndoRedoHistory::kUndoDepth);
    EXPECT_EQ(history.Get_Redo_Count(), UndoRedoHistory::kUndoDepth);
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
    for (const char *m : {"T", "W", "L", "V", "G"}) {
        SCOPED_TRACE(m);
        ScopedStartMode mode(QString::fromLatin1(m));
        window.front.calls.clear();
        window.back.calls.clear();
        history.Fill_Undo_Redo_Control(UndoRedoHistory::Snapshot_Of(Graphic_Pointers(document.graphics())));
        const bool live = QByteArray(m) == "V" || QByteArray(m) == "G";
        const QStringList expected = live ? QStringList{QStringLiteral("refresh"), QStringLiteral("control SKTImage"),
                                                        QStringLiteral("control SKTText"), QStringLiteral("locks 2")}
                                          : QStringList{};
        EXPECT_EQ(window.front.calls, expected);
        EXPECT_TRUE(window.back.calls.isEmpty());
    }
    ScopedStartMode visitor(QStringLiteral("V"));
    ScopedSide back(1);
    history.Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
    EXPECT_EQ(window.back.calls, QStringList{QStringLiteral("locks 0")}) << "the back panel, with the back's controls";
}

TEST_F(UndoRedoTest, ClearingAndBlankSnapshots)
{
    moveFrontShapeTo(40);
    history.Undo_Action_Perform();
    ASSERT_EQ(history.Rcontrol.size(), 1);
    history.Clear_Redo_Stack();
    EXPECT_TRUE(history.Rcontrol.isEmpty());
    EXPECT_FALSE(window.redoEnabled);
    moveFrontShapeTo(45);
    history.Insert_Blank_Value_in_Undo_Redo();
    EXPECT_EQ(history.Ucontrol.size(), 1) << "a stack with snapshots gets no blank one";
    EXPECT_EQ(history.Ucontrol_back.size(), 1);
    EXPECT_TRUE(history.Ucontrol_back.first().isEmpty());
    EXPECT_EQ(history.Rcontrol.size(), 1);
    history.Undo_Redo_Clear();
    for (const auto *stack : {&history.Ucontrol, &history.Ucontrol_back, &history.Rcontrol, &history.Rcontrol_back})
        EXPECT_TRUE(stack->isEmpty());
    EXPECT_FALSE(window.undoEnabled);
    EXPECT_FALSE(window.redoEnabled);
    history.Undo_Action_Perform();
    EXPECT_EQ(frontShape().bounds().x(), 45.0) << "cleared history: the live design is the base";
}

}  // namespace
