// The canvas under the mouse and the keyboard: creating with the drawing tools, selecting,
// moving with its threshold and the grid, marquee, Ctrl-clicks, arrow nudges and deleting.

#include "CanvasTestSupport.h"

#include "core/Globals.h"
#include "core/SKTLine.h"
#include "core/SKTText.h"
#include "core/Shape_Control.h"
#include "platform/UiServices.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

using namespace canvastest;

namespace {

struct ToolCase {
    int tool;
    SKTGraphicKind kind;
    QString shapeCode;  // empty: not a shape
};

}  // namespace

TEST_F(CanvasTest, DraggingWithADrawingToolCreatesThatControlFrontmostAndSelected)
{
    const std::vector<ToolCase> cases{
        {3, SKTGraphicKind::Shape, "R"},  {4, SKTGraphicKind::Shape, "C"},  {5, SKTGraphicKind::Shape, "RR"},
        {6, SKTGraphicKind::Shape, "T"},  {7, SKTGraphicKind::Shape, "D"},  {13, SKTGraphicKind::Shape, "S"},
        {14, SKTGraphicKind::Shape, "DS"}, {15, SKTGraphicKind::Shape, "P"}, {2, SKTGraphicKind::Text, ""},
        {1, SKTGraphicKind::Line, ""},   {11, SKTGraphicKind::Signature, ""}, {12, SKTGraphicKind::Signature, ""},
    };
    addRect(QRectF(200, 120, 20, 20));  // something already on the card goes behind
    for (const ToolCase &c : cases) {
        SCOPED_TRACE(c.tool);
        const std::size_t before = front().size();
        const int snapshotsBefore = hub.snapshots;
        hub.tool = c.tool;
        hub.textFont.setPointSize(8 + c.tool);
        hub.textColour.setRed(10 * c.tool);
        drag(QPointF(20, 30), QPointF(80, 70));
        ASSERT_EQ(front().size(), before + 1);
        const SKTGraphicPtr made = front().front();
        EXPECT_EQ(made->kind(), c.kind);
        if (!c.shapeCode.isEmpty()) {
            EXPECT_EQ(made->Get_shape_type(), c.shapeCode);
        }
        EXPECT_EQ(made->bounds(), QRectF(20, 30, 60, 40));
        EXPECT_EQ(made->text_ctrl_font.pointSize(), 8 + c.tool) << "the window's text style of that moment";
        EXPECT_EQ(made->txt_clr, hub.textColour);
        EXPECT_EQ(view->selectionIndexes(), SKTIndexSet{0});
        EXPECT_EQ(view->Selected_Graphic(), made.get());
        EXPECT_EQ(hub.tool, 0) << "the tool returns to the arrow";
        EXPECT_EQ(hub.snapshots - snapshotsBefore, 2) << "before and after the creation";
        EXPECT_EQ(view->creatingGraphic(), nullptr);
    }
    // The line runs from the click to the release point.
    auto *line = dynamic_cast<SKTLine *>(front()[2].get());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->beginPoint(), QPointF(20, 30));
    EXPECT_EQ(line->endPoint(), QPointF(80, 70));
}

TEST_F(CanvasTest, DraggingBackwardsStillGivesAPositiveRectangle)
{
    hub.tool = 3;
    drag(QPointF(100, 90), QPointF(40, 50));
    ASSERT_EQ(front().size(), 1u);
    EXPECT_EQ(front()[0]->bounds(), QRectF(40, 50, 60, 40));
}

TEST_F(CanvasTest, AClickWithoutADragCreatesNothingOnEverySide)
{
    for (int side : {0, 1, 2}) {
        SCOPED_TRACE(side);
        std::unique_ptr<SKTGraphicView> canvas = side == 0 ? nullptr : canvasForSide(side);
        SKTGraphicView *target = side == 0 ? view.get() : canvas.get();
        hub.canvas = target;
        for (int tool : {3, 1, 2, 10}) {
            hub.tool = tool;
            QTest::mousePress(target, Qt::LeftButton, {}, QPoint(50, 50));
            QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(50, 50));
            EXPECT_TRUE(doc->graphicsOfSide(side).empty()) << "tool " << tool;
            EXPECT_TRUE(target->selectionIndexes().empty());
            EXPECT_EQ(target->Selected_Graphic(), nullptr);
            EXPECT_EQ(hub.tool, 0);
        }
    }
    // Nothing of the taken-back creation is left to undo or redo on the front.
    EXPECT_FALSE(doc->undoManager().canRedo());
    doc->undoManager().undo();
    EXPECT_TRUE(front().empty());
}

TEST_F(CanvasTest, GridSnapsTheCreationPointAndTheDrag)
{
    grid.setConstraining(true);
    hub.tool = 3;
    drag(QPointF(13, 4), QPointF(50, 41));
    ASSERT_EQ(front().size(), 1u);
    EXPECT_EQ(front()[0]->bounds(), QRectF(9, 0, 45, 45));
}

TEST_F(CanvasTest, AMoveUnderTheThresholdChangesNothingAndRecordsNoSnapshot)
{
    const SKTGraphicPtr g = addRect(QRectF(40, 40, 30, 30));
    press(QPointF(50, 50));
    moveTo(QPointF(51, 51));
    release(QPointF(51, 51));
    EXPECT_EQ(g->bounds(), QRectF(40, 40, 30, 30));
    EXPECT_EQ(hub.snapshots, 0);
    EXPECT_EQ(view->selectionIndexes(), SKTIndexSet{0}) << "the click selected it";
    EXPECT_FALSE(view->isHidingHandles());

    drag(QPointF(50, 50), QPointF(60, 45));
    EXPECT_EQ(g->bounds(), QRectF(50, 35, 30, 30));
    EXPECT_EQ(hub.snapshots, 1);
    EXPECT_EQ(view->pasteCascadeDelta(), QPointF(20, 5)) << "the move adds to the paste cascade";
}

TEST_F(CanvasTest, DraggingWithAGridSnapsTheSelectionsCornerNotThePointer)
{
    grid.setConstraining(true);
    const SKTGraphicPtr g = addRect(QRectF(10, 10, 30, 30));
    drag(QPointF(25, 25), QPointF(40, 33));  // corner would land at (25, 18)
    EXPECT_EQ(g->bounds().topLeft(), QPointF(27, 18));
}

TEST_F(CanvasTest, AClickOnASelectedControlKeepsTheSelectionAndDragsItTogether)
{
    const SKTGraphicPtr a = addRect(QRectF(10, 10, 20, 20));
    const SKTGraphicPtr b = addRect(QRectF(60, 10, 20, 20));
    const SKTGraphicPtr c = addRect(QRectF(110, 10, 20, 20));
    view->changeSelectionIndexes({0, 1});
    drag(QPointF(15, 15), QPointF(15, 45));
    EXPECT_EQ(a->bounds().topLeft(), QPointF(10, 40));
    EXPECT_EQ(b->bounds().topLeft(), QPointF(60, 40));
    EXPECT_EQ(c->bounds().topLeft(), QPointF(110, 10));
    // A click on an unselected control selects only it.
    press(QPointF(115, 15));
    release(QPointF(115, 15));
    EXPECT_EQ(view->selectionIndexes(), SKTIndexSet{2});
}

TEST_F(CanvasTest, ACtrlClickThatDeselectsOneKeepsTheOthersSelected)
{
    addRect(QRectF(10, 10, 20, 20));
    addRect(QRectF(60, 10, 20, 20));
    const SKTGraphicPtr c = addRect(QRectF(110, 10, 20, 20));
    view->selectAll();
    press(QPointF(15, 15), Qt::ControlModifier);
    moveTo(QPointF(40, 40));  // a drag after a deselecting click moves nothing
    release(QPointF(40, 40));
    EXPECT_EQ(view->selectionIndexes(), (SKTIndexSet{1, 2}));
    EXPECT_EQ(front()[0]->bounds().topLeft(), QPointF(10, 10));
    ASSERT_FALSE(hub.shown.empty());
    EXPECT_NE(hub.shown.back(), nullptr) << "the panel shows a control that is still selected";
    // Ctrl-click adds an unselected control.
    press(QPointF(15, 15), Qt::ControlModifier);
    release(QPointF(15, 15));
    EXPECT_EQ(view->selectionIndexes(), (SKTIndexSet{0, 1, 2}));
}

TEST_F(CanvasTest, MarqueeSelectsForwardsAndBackwardsAndTogglesSelectedOnes)
{
    addRect(QRectF(20, 20, 20, 20));
    addRect(QRectF(60, 20, 20, 20));
    addRect(QRectF(180, 100, 20, 20));
    // Backwards: from the lower right to the upper left.
    drag(QPointF(100, 60), QPointF(5, 5));
    EXPECT_EQ(view->selectionIndexes(), (SKTIndexSet{0, 1}));
    EXPECT_EQ(view->marqueeSelectionBounds(), QRectF()) << "no marquee after the release";
    // Forwards gives the same.
    view->deselectAll();
    drag(QPointF(5, 5), QPointF(100, 60));
    EXPECT_EQ(view->selectionIndexes(), (SKTIndexSet{0, 1}));
    // With Ctrl held (selection kept), a marquee over a selected control deselects it.
    press(QPointF(55, 5), Qt::ControlModifier);
    moveTo(QPointF(100, 60));
    release(QPointF(100, 60));
    EXPECT_EQ(view->selectionIndexes(), SKTIndexSet{0});
}

TEST_F(CanvasTest, HiddenControlsAreNeverHit)
{
    const SKTGraphicPtr g = addRect(QRectF(20, 20, 40, 40));
    g->Set_Ctrl_Is_Visible(false);
    EXPECT_FALSE(view->graphicUnderPoint(QPointF(30, 30)).has_value());
    drag(QPointF(5, 5), QPointF(100, 100));
    EXPECT_TRUE(view->selectionIndexes().empty());
}

TEST_F(CanvasTest, OverlappingControlsTheLowerIndexIsHitFirst)
{
    addRect(QRectF(20, 20, 40, 40));
    addRect(QRectF(30, 30, 40, 40));
    const auto hit = view->graphicUnderPoint(QPointF(40, 40));
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->index, 0);
}

TEST_F(CanvasTest, LineHitTestUsesTheClickedPoint)
{
    struct Case {
        QPointF point;
        bool near;
    };
    for (const Case &c : {Case{{50, 4}, true}, Case{{50, 6}, false}, Case{{0, 0.3}, true}, Case{{120, 0}, false}})
        EXPECT_EQ(SKTGraphicView::isPointNearToLineSegment(c.point, {0, 0}, {100, 0}, 0.5), c.near)
            << c.point.x() << "," << c.point.y();

    auto line = std::make_shared<SKTLine>();
    line->setBounds(QRectF(20, 50, 100, 0));  // level: no area of its own
    doc->appendGraphicOnSide(0, line);
    mouse_select_point = QPointF(200, 140);  // a stale click elsewhere must not matter
    const auto hit = view->graphicUnderPoint(QPointF(70, 50));
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->graphic, line);
    mouse_select_point = QPointF(70, 50);
    EXPECT_FALSE(view->graphicUnderPoint(QPointF(70, 80)).has_value()) << "a remembered point does not hit";
    // A click on the line selects it.
    press(QPointF(70, 50));
    release(QPointF(70, 50));
    EXPECT_EQ(view->selectionIndexes(), SKTIndexSet{0});
}

TEST_F(CanvasTest, AHandleOfASelectedControlResizesItUnselectedHandlesDoNot)
{
    const SKTGraphicPtr g = addRect(QRectF(40, 40, 40, 40));
    press(QPointF(60, 60));
    release(QPointF(60, 60));
    ASSERT_EQ(view->selectionIndexes(), SKTIndexSet{0});
    drag(QPointF(80, 80), QPointF(100, 90));  // handle 8
    EXPECT_EQ(g->bounds(), QRectF(40, 40, 60, 50));
    EXPECT_EQ(hub.snapshots, 1) << "a resize is one step of the history";
    drag(QPointF(100, 90), QPointF(100, 90));
    EXPECT_EQ(hub.snapshots, 1) << "a handle let go where it was taken changes nothing";
    g->ctrl_is_locked = true;
    drag(QPointF(100, 90), QPointF(120, 110));
    EXPECT_EQ(g->bounds(), QRectF(40, 40, 60, 50)) << "a locked control keeps its size";
    EXPECT_EQ(hub.snapshots, 1);
}

TEST_F(CanvasTest, ThreeArrowPressesMoveThreePointsAndHideTheHandles)
{
    const SKTGraphicPtr g = addRect(QRectF(40, 40, 30, 30));
    view->changeSelectionIndexes({0});
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(view.get(), Qt::Key_Right);
    EXPECT_EQ(g->bounds().topLeft(), QPointF(43, 40));
    EXPECT_TRUE(view->isHidingHandles());
    QTest::keyClick(view.get(), Qt::Key_Up);
    QTest::keyClick(view.get(), Qt::Key_Down);
    QTest::keyClick(view.get(), Qt::Key_Down);
    QTest::keyClick(view.get(), Qt::Key_Left);
    EXPECT_EQ(g->bounds().topLeft(), QPointF(42, 41));
    EXPECT_EQ(hub.snapshots, 7);
    view->unhideHandlesForTimer();  // what the half-second timer does
    EXPECT_FALSE(view->isHidingHandles());
}

TEST_F(CanvasTest, TheWindowHearsEveryBoundsChangeOfItsControlsThroughTheirObservers)
{
    const SKTGraphicPtr g = addRect(QRectF(40, 40, 30, 30));
    struct Case {
        const char *name;
        std::function<void()> change;
        QRectF bounds;
    };
    const std::vector<Case> cases{
        {"drag", [&] { drag(QPointF(50, 50), QPointF(60, 55)); }, {50, 45, 30, 30}},
        {"arrow key", [&] { QTest::keyClick(view.get(), Qt::Key_Left); }, {49, 45, 30, 30}},
        {"handle", [&] { drag(QPointF(79, 75), QPointF(89, 95)); }, {49, 45, 40, 50}},
        {"panel field", [&] { g->setValueForKey(SKTGraphicXPositionKey, 7.0); }, {7, 45, 40, 50}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        hub.positions.clear();
        c.change();
        ASSERT_FALSE(hub.positions.empty());
        EXPECT_EQ(hub.positions.back().first, g.get());
        EXPECT_EQ(hub.positions.back().second, c.bounds);
    }
    doc->removeAllGraphicsOnSide(0);
    hub.positions.clear();
    g->setBounds(QRectF(1, 1, 5, 5));
    EXPECT_TRUE(hub.positions.empty()) << "a control off the canvas is no longer followed";
}

TEST_F(CanvasTest, DeletingALockedControlShowsTheMessageAndDeletesNothing)
{
    platform::ScopedScriptedUi ui;
    addRect(QRectF(10, 10, 20, 20));
    const SKTGraphicPtr locked = addRect(QRectF(60, 10, 20, 20));
    locked->ctrl_is_locked = true;
    view->selectAll();
    QTest::keyClick(view.get(), Qt::Key_Delete);
    EXPECT_EQ(front().size(), 2u);
    ASSERT_FALSE(ui->messages().isEmpty());
    EXPECT_EQ(ui->messages().back().trimmed(), QStringLiteral("Selected control is locked."));
    EXPECT_EQ(hub.snapshots, 0);

    locked->ctrl_is_locked = false;
    view->changeSelectionIndexes({1});
    QTest::keyClick(view.get(), Qt::Key_Backspace);
    ASSERT_EQ(front().size(), 1u);
    EXPECT_EQ(front()[0]->bounds().topLeft(), QPointF(10, 10));
    EXPECT_EQ(hub.snapshots, 2);
    EXPECT_EQ(view->Selected_Graphic(), nullptr);
}

TEST_F(CanvasTest, DeletingInVisitorModeDisablesTheEntryFields)
{
    Start_Card_Option = QStringLiteral("V");
    QLineEdit box;
    QCheckBox check;
    check.setChecked(true);
    hub.entryId = QStringLiteral("Fup_Name");
    hub.textBox = &box;
    hub.checkBox = &check;
    auto text = std::make_shared<SKTText>();
    text->setBounds(QRectF(20, 20, 70, 20));
    text->control_ID = QStringLiteral("Fup_Name");
    doc->appendGraphicOnSide(0, text);
    // Clicking it gives its entry field the focus and enables both.
    box.setEnabled(false);
    press(QPointF(30, 30));
    release(QPointF(30, 30));
    EXPECT_TRUE(box.isEnabled());
    EXPECT_TRUE(check.isEnabled());
    view->deleteSelection();
    EXPECT_TRUE(front().empty());
    EXPECT_FALSE(check.isChecked());
    EXPECT_FALSE(box.isEnabled());
    EXPECT_TRUE(box.isReadOnly());
}

TEST_F(CanvasTest, AcceptsAContextMenuOfTwentyOneItems)
{
    addRect(QRectF(10, 10, 20, 20));
    view->changeSelectionIndexes({0});
    std::unique_ptr<QMenu> menu(view->contextMenu());
    const QList<QAction *> items = menu->actions();
    ASSERT_EQ(items.size(), 21);
    EXPECT_EQ(menu->title(), QStringLiteral("Contextual Menu"));
    EXPECT_EQ(items[0]->text(), QStringLiteral("Cut"));
    EXPECT_EQ(items[15]->text(), QStringLiteral("Show/Hide Grid"));
    EXPECT_EQ(items[20]->text(), QStringLiteral("Print ID Card"));
    EXPECT_FALSE(items[3]->isEnabled()) << "separators have no action";
    EXPECT_TRUE(items[4]->isEnabled()) << "delete with a selection";
    EXPECT_FALSE(grid.isAlwaysShown());
    items[15]->trigger();
    EXPECT_TRUE(grid.isAlwaysShown());
    items[4]->trigger();
    EXPECT_TRUE(front().empty());
}
