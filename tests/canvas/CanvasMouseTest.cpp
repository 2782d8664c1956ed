// The canvas under the mouse and the keyboard: creating with the drawing tools, selecting,
// moving with its threshold and the grid, marquee, Ctrl-clicks, arrow nudges and deleting.

#include "CanvasTestSupport.h"

#include "core/SKTLine.h"
#include "core/SKTText.h"

#include <QCheckBox>
#include <QLineEdit>
#include <algorithm>

using namespace canvastest;

TEST_F(CanvasTest, DraggingWithADrawingToolCreatesThatControlFrontmostAndSelected)
{
    using K = SKTGraphicKind;
    const struct {
        int tool;
        K kind;
        const char *shape;  // empty: not a shape
        QPointF from{20, 30}, to{80, 70};
        bool grid = false;
        QRectF bounds{20, 30, 60, 40};
    } cases[] = {
        {3, K::Shape, "R"},   {4, K::Shape, "C"},   {5, K::Shape, "RR"},     {6, K::Shape, "T"},
        {7, K::Shape, "D"},   {13, K::Shape, "S"},  {14, K::Shape, "DS"},    {15, K::Shape, "P"},
        {2, K::Text, ""},     {1, K::Line, ""},     {11, K::Signature, ""},  {12, K::Signature, ""},
        {3, K::Shape, "R", {100, 90}, {40, 50}, false, {40, 50, 60, 40}},  // backwards
        {3, K::Shape, "R", {13, 4}, {50, 41}, true, {9, 0, 45, 45}},       // both ends snap
    };
    addRect(QRectF(200, 120, 20, 20));  // something already on the card goes behind
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tool);
        const std::size_t before = front().size();
        const int snapshotsBefore = hub.snapshots;
        grid.setConstraining(c.grid);
        hub.tool = c.tool;
        hub.textFont.setPointSize(8 + c.tool);
        hub.textColour.setRed(10 * c.tool);
        drag(c.from, c.to);
        ASSERT_EQ(front().size(), before + 1);
        const SKTGraphicPtr made = front().front();
        EXPECT_EQ(made->kind(), c.kind);
        if (*c.shape) {
            EXPECT_EQ(made->Get_shape_type(), c.shape);
        }
        EXPECT_EQ(made->bounds(), c.bounds);
        EXPECT_TRUE(made->text_ctrl_font.pointSize() == 8 + c.tool && made->txt_clr == hub.textColour)
            << "the window's text style of that moment";
        EXPECT_TRUE(view->selectionIndexes() == SKTIndexSet{0} && view->Selected_Graphic() == made.get());
        EXPECT_EQ(hub.tool, 0) << "the tool returns to the arrow";
        EXPECT_EQ(hub.snapshots - snapshotsBefore, 2) << "before and after the creation";
        if (auto *line = dynamic_cast<SKTLine *>(made.get())) {
            EXPECT_EQ(QLineF(line->beginPoint(), line->endPoint()), QLineF(c.from, c.to));
        }
    }
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
            QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(50, 50));
            EXPECT_TRUE(doc->graphicsOfSide(side).empty() && target->selectionIndexes().empty()
                        && !target->Selected_Graphic() && hub.tool == 0) << "tool " << tool;
        }
    }
    EXPECT_FALSE(doc->undoManager().canRedo()) << "nothing of a taken-back creation is left to redo";
    doc->undoManager().undo();
    EXPECT_TRUE(front().empty());
}

TEST_F(CanvasTest, ClicksDragsAndMarqueesSelectAndMoveTheRightControls)
{
    const struct {
        const char *name;
        SKTIndexSet selected;
        Qt::KeyboardModifiers mods;
        bool grid;
        QPointF from, to;
        SKTIndexSet after, moved;  // each move one step of the history
        QPointF by;
    } cases[] = {
        {"under the threshold", {}, {}, false, {25, 25}, {26, 26}, {0}, {}, {}},
        {"drag", {}, {}, false, {25, 25}, {35, 20}, {0}, {0}, {10, -5}},
        {"grid snaps the corner, not the pointer", {}, {}, true, {25, 25}, {40, 33}, {0}, {0}, {16, 7}},
        {"the selection moves together", {0, 1}, {}, false, {25, 25}, {25, 55}, {0, 1}, {0, 1}, {0, 30}},
        {"a click on an unselected one", {0, 1}, {}, false, {185, 105}, {185, 105}, {2}, {}, {}},
        {"Ctrl deselects, the drag moves nothing", {0, 1, 2}, Qt::ControlModifier, false, {25, 25}, {50, 50},
         {1, 2}, {}, {}},
        {"Ctrl adds", {1, 2}, Qt::ControlModifier, false, {25, 25}, {25, 25}, {0, 1, 2}, {}, {}},
        {"marquee backwards", {}, {}, false, {100, 60}, {5, 5}, {0, 1}, {}, {}},
        {"marquee forwards", {}, {}, false, {5, 5}, {100, 60}, {0, 1}, {}, {}},
        {"Ctrl marquee toggles", {0, 1}, Qt::ControlModifier, false, {55, 5}, {100, 60}, {0}, {}, {}},
    };
    const std::vector<QRectF> start{{20, 20, 20, 20}, {60, 20, 20, 20}, {180, 100, 20, 20}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        doc->removeAllGraphicsOnSide(0);
        for (const QRectF &r : start)
            addRect(r);
        grid.setConstraining(c.grid);
        view->changeSelectionIndexes(c.selected);
        hub.snapshots = 0;
        hub.shown.clear();
        drag(c.from, c.to, c.mods);
        EXPECT_EQ(view->selectionIndexes(), c.after);
        for (int i = 0; i < 3; ++i) {
            const bool moved = std::ranges::find(c.moved, i) != c.moved.end();
            EXPECT_EQ(front()[i]->bounds(), start[i].translated(moved ? c.by : QPointF())) << i;
        }
        EXPECT_EQ(hub.snapshots, c.moved.empty() ? 0 : 1);
        EXPECT_EQ(view->marqueeSelectionBounds(), QRectF()) << "no marquee after the release";
        if (!hub.shown.empty()) {
            EXPECT_NE(hub.shown.back(), nullptr) << "the panel shows a control that is still selected";
        }
    }
    const QPointF cascade = view->pasteCascadeDelta();
    drag(QPointF(25, 25), QPointF(35, 20));
    EXPECT_EQ(view->pasteCascadeDelta() - cascade, QPointF(10, -5)) << "a move adds to the paste cascade";
}

TEST_F(CanvasTest, HitsSkipHiddenControlsPreferTheLowerIndexAndUseTheClickedPoint)
{
    addRect(QRectF(150, 20, 40, 40));
    addRect(QRectF(160, 30, 40, 40));
    addRect(QRectF(20, 100, 40, 40))->Set_Ctrl_Is_Visible(false);
    auto line = std::make_shared<SKTLine>();
    line->setBounds(QRectF(20, 50, 100, 0));  // level: no area of its own
    doc->appendGraphicOnSide(0, line);
    const struct {
        QPointF point, remembered;  // the remembered click must not matter
        int index;                  // -1: nothing
    } cases[] = {
        {{170, 40}, {}, 0},          {{195, 65}, {}, 1},        {{30, 110}, {}, -1},
        {{70, 50}, {200, 140}, 3},   {{70, 80}, {70, 50}, -1},    {{70, 54}, {}, 3},
        {{70, 56}, {}, -1},          {{125, 50}, {}, -1},
    };
    for (const auto &c : cases) {
        mouse_select_point = c.remembered;
        const auto hit = view->graphicUnderPoint(c.point);
        EXPECT_EQ(hit ? hit->index : -1, c.index) << c.point.x() << "," << c.point.y();
    }
    drag(QPointF(10, 90), QPointF(70, 150));
    EXPECT_TRUE(view->selectionIndexes().empty()) << "a marquee over a hidden control";
}

// Every way a control's bounds change, each one step of the history, heard by the window; then
// Backspace deletes it.
TEST_F(CanvasTest, TheWindowHearsEveryBoundsChangeOfItsControlsThroughTheirObservers)
{
    const SKTGraphicPtr g = addRect(QRectF(40, 40, 30, 30));
    const struct {
        const char *name;
        std::function<void()> change;
        QRectF bounds;
        int steps;
    } cases[] = {
        {"a drag on a handle while unselected", [&] { drag({68, 68}, {78, 73}); }, {50, 45, 30, 30}, 1},
        {"arrow left", [&] { QTest::keyClick(view.get(), Qt::Key_Left); }, {49, 45, 30, 30}, 1},
        {"arrow up", [&] { QTest::keyClick(view.get(), Qt::Key_Up); }, {49, 44, 30, 30}, 1},
        {"arrow right", [&] { QTest::keyClick(view.get(), Qt::Key_Right); }, {50, 44, 30, 30}, 1},
        {"arrow down", [&] { QTest::keyClick(view.get(), Qt::Key_Down); }, {50, 45, 30, 30}, 1},
        {"handle", [&] { drag({80, 75}, {90, 95}); }, {50, 45, 40, 50}, 1},
        {"a handle let go where it was taken", [&] { drag({90, 95}, {90, 95}); }, {50, 45, 40, 50}, 0},
        {"a locked control's handle", [&] { g->ctrl_is_locked = true, drag({90, 95}, {110, 99}); },
         {50, 45, 40, 50}, 0},
        {"panel field", [&] { g->setValueForKey(SKTGraphicXPositionKey, 7.0); }, {7, 45, 40, 50}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        hub.positions.clear();
        const int snapshots = hub.snapshots;
        view->unhideHandlesForTimer();  // what the half-second timer does
        c.change();
        EXPECT_EQ(view->isHidingHandles(), QString(c.name).startsWith("arrow")) << "nudges hide the handles";
        g->ctrl_is_locked = false;
        EXPECT_EQ(g->bounds(), c.bounds);
        EXPECT_EQ(hub.snapshots - snapshots, c.steps);
        if (c.steps) {
            ASSERT_FALSE(hub.positions.empty());
            EXPECT_EQ(hub.positions.back(), std::pair(g.get(), c.bounds));
        }
    }
    QTest::keyClick(view.get(), Qt::Key_Backspace);
    EXPECT_TRUE(front().empty() && !view->Selected_Graphic());
    hub.positions.clear();
    g->setBounds(QRectF(1, 1, 5, 5));
    EXPECT_TRUE(hub.positions.empty()) << "a control off the canvas is no longer followed";
}

TEST_F(CanvasTest, DeletingInVisitorModeDisablesTheEntryFields)
{
    Start_Card_Option = QStringLiteral("V");
    QLineEdit box;
    QCheckBox check;
    check.setChecked(true);
    box.setEnabled(false);
    auto text = std::make_shared<SKTText>();
    text->setBounds(QRectF(20, 20, 70, 20));
    hub.entryId = text->control_ID = QStringLiteral("Fup_Name");
    doc->appendGraphicOnSide(0, text);
    hub.textBox = &box;
    hub.checkBox = &check;
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_TRUE(box.isEnabled() && check.isEnabled()) << "clicking it enables its entry fields";
    view->deleteSelection();
    EXPECT_TRUE(front().empty() && !check.isChecked() && !box.isEnabled() && box.isReadOnly());
}

// A live-mode call with no live face installed is a set-up fault that says so, never a call
// that quietly does nothing.
TEST(LiveModePanelDeathTest, ReachingForAPanelNoneInstalledStopsWithTheReason)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ASSERT_EQ(installedLiveModePanel(), nullptr);
    EXPECT_DEATH(liveModePanel().Hide_Visitor_panel(), "No live-mode panel is installed");
    {
        NoWindowLiveModePanel panel;
        EXPECT_EQ(&liveModePanel(), &panel);
    }
    EXPECT_EQ(installedLiveModePanel(), nullptr) << "the test's panel is taken out again";
}

// A handle pressed and released without moving is a click: the control keeps its frame at every
// zoom, with or without Ctrl; dragging the same handle resizes as one step.
TEST_F(CanvasTest, AClickOnAHandleLeavesTheFrameAsItWas)
{
    const QRectF square(20, 20, 50, 50);
    for (const double scale : {1.0, 1.5, 2.0}) {
        for (const Qt::KeyboardModifiers mods : {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ControlModifier)}) {
            SCOPED_TRACE(testing::Message() << scale << " " << int(mods));
            doc->removeAllGraphicsOnSide(0);
            addRect(square);
            view->setScale(scale);
            view->changeSelectionIndexes({0});
            hub.snapshots = 0;
            // A little inside the bottom-right handle, as a pointer lands.
            const QPoint onHandle = (QPointF(69, 69) * scale).toPoint();
            QTest::mousePress(view.get(), Qt::LeftButton, mods, onHandle);
            QTest::mouseRelease(view.get(), Qt::LeftButton, mods, onHandle);
            EXPECT_EQ(front()[0]->bounds(), square);
            EXPECT_EQ(hub.snapshots, 0);
            QTest::mousePress(view.get(), Qt::LeftButton, {}, onHandle);
            QTest::mouseMove(view.get(), (QPointF(80, 80) * scale).toPoint());
            QTest::mouseRelease(view.get(), Qt::LeftButton, {}, (QPointF(80, 80) * scale).toPoint());
            EXPECT_GT(front()[0]->bounds().width(), 55);
            EXPECT_EQ(hub.snapshots, 1);
        }
    }
    view->setScale(1.0);
}
