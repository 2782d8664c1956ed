// The main window driven end to end as a person uses it: the tool buttons, mouse drags and keys
// on the front and back canvases, the toolbar's edit, lock, zoom and undo commands, and the file
// commands, with every question and panel answered by a script. What is checked is what the
// person sees: the controls and where they are, the Undo and Redo buttons, the canvas pixels.

#include "ControllerFixture.h"

#include "core/Globals.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "canvas/SKTZoomingScrollView.h"
#include "mainwindow/MainWindowGlobals.h"
#include "platform/UiServices.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QPainter>
#include <QTest>
#include <QToolButton>

namespace {

// What a side shows: each control's kind and frame, front to back, and whether it is locked.
struct Shown {
    SKTGraphicKind kind;
    QRectF bounds;
    bool locked;
    bool operator==(const Shown &) const = default;
};
using SideState = std::vector<Shown>;

std::ostream &operator<<(std::ostream &os, const Shown &s)
{
    return os << int(s.kind) << "@(" << s.bounds.x() << "," << s.bounds.y() << " " << s.bounds.width() << "x"
              << s.bounds.height() << ")" << (s.locked ? "L" : "");
}

class IntegrationTest : public ControllerTest {
protected:
    void SetUp() override
    {
        ControllerTest::SetUp();
        ASSERT_TRUE(setUpWindow());
        ui->clear();
    }

    SKTGraphicView *canvas(int side) const { return controller->canvasOfSide(side); }
    SideState state(int side) const
    {
        SideState out;
        for (const SKTGraphicPtr &g : document->graphicsOfSide(side))
            out.push_back({g->kind(), g->bounds(), g->ctrl_is_locked});
        return out;
    }
    void click(const char *button)
    {
        auto *b = controller->findChild<QToolButton *>(QString::fromLatin1(button));
        ASSERT_NE(b, nullptr) << button;
        ASSERT_TRUE(b->isEnabled()) << button;
        b->click();
    }
    bool enabled(const char *button) const
    {
        auto *b = controller->findChild<QToolButton *>(QString::fromLatin1(button));
        return b && b->isEnabled();
    }
    // Mouse work on a canvas at card points, through the canvas's own zoom.
    static QPoint at(SKTGraphicView *view, QPointF points) { return (points * view->scale()).toPoint(); }
    void press(SKTGraphicView *v, QPointF p, Qt::KeyboardModifiers m = {})
    {
        QTest::mousePress(v, Qt::LeftButton, m, at(v, p));
    }
    void drag(SKTGraphicView *v, QPointF from, QPointF to)
    {
        press(v, from);
        QTest::mouseMove(v, at(v, (from + to) / 2));
        QTest::mouseMove(v, at(v, to));
        QTest::mouseRelease(v, Qt::LeftButton, {}, at(v, to));
    }
    void clickAt(SKTGraphicView *v, QPointF p)
    {
        press(v, p);
        QTest::mouseRelease(v, Qt::LeftButton, {}, at(v, p));
    }
    QImage grabbed(int side) const { return canvas(side)->grab().toImage(); }
};

TEST_F(IntegrationTest, DrawMoveNudgeThenUndoStepByStepToEmptyAndRedoForward)
{
    SKTGraphicView *front = canvas(0);
    const QImage emptyCard = grabbed(0);
    EXPECT_FALSE(enabled("Undo_btn"));
    EXPECT_FALSE(enabled("Redo_btn"));

    std::vector<SideState> states{state(0)};
    for (const char *tool : {"Rect_Tool_btn", "Circle_Tool_btn", "Line_Tool_btn"}) {
        click(tool);
        EXPECT_EQ(controller->Selected_Control_Tool, 0) << tool << ": the arrow is current again";
        states.push_back(state(0));
        EXPECT_EQ(states.back().size(), states.size() - 1) << tool;
        EXPECT_TRUE(enabled("Undo_btn")) << tool;
        EXPECT_FALSE(enabled("Redo_btn")) << tool;
    }
    // The rectangle came first, so it lies at the back; its top-left corner is clear of the others.
    const SKTGraphicPtr rect = document->graphics().back();
    ASSERT_EQ(rect->_shape_type, "R");
    const QRectF rectStart = rect->bounds();
    const QPointF grip = rectStart.topLeft() + QPointF(5, 5);
    drag(front, grip, grip + QPointF(40, 20));
    EXPECT_EQ(rect->bounds(), rectStart.translated(40, 20));
    EXPECT_EQ(front->selectedGraphics(), SKTGraphicArray{rect});
    states.push_back(state(0));

    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(front, Qt::Key_Right);
        states.push_back(state(0));
    }
    EXPECT_EQ(rect->bounds(), rectStart.translated(43, 20));

    // Deselect by a click on the empty card (no change), so the picture shows no handles.
    clickAt(front, QPointF(2, 150));
    ASSERT_TRUE(front->selectionIndexes().empty());
    const QImage drawn = grabbed(0);
    EXPECT_NE(drawn, emptyCard);

    for (size_t step = states.size() - 1; step > 0; --step) {
        SCOPED_TRACE(step);
        ASSERT_TRUE(enabled("Undo_btn"));
        click("Undo_btn");
        EXPECT_EQ(state(0), states[step - 1]);
        EXPECT_TRUE(enabled("Redo_btn"));
    }
    EXPECT_TRUE(document->graphics().empty());
    EXPECT_FALSE(enabled("Undo_btn"));
    EXPECT_FALSE(controller->undo_menu->isEnabled());
    EXPECT_EQ(grabbed(0), emptyCard);

    for (size_t step = 1; step < states.size(); ++step) {
        SCOPED_TRACE(step);
        ASSERT_TRUE(enabled("Redo_btn"));
        click("Redo_btn");
        EXPECT_EQ(state(0), states[step]);
        EXPECT_TRUE(enabled("Undo_btn"));
    }
    EXPECT_FALSE(enabled("Redo_btn"));
    EXPECT_FALSE(controller->redo_menu->isEnabled());
    EXPECT_EQ(grabbed(0), drawn);
}

TEST_F(IntegrationTest, EachSideKeepsItsOwnHistoryAndTheButtonsFollowTheSideShown)
{
    click("Rect_Tool_btn");
    click("Star_Tool_btn");
    click("Undo_btn");  // the star goes; front: one undo step left and one redo step
    const SideState frontState = state(0);
    ASSERT_EQ(frontState.size(), 1u);
    const auto frontUndo = controller->undoHistory().Ucontrol, frontRedo = controller->undoHistory().Rcontrol;

    click("Back_Side_btn");
    EXPECT_EQ(Card_Front_Or_Back, 1);
    EXPECT_EQ(controller->Front_back_label->text(), "Back");
    EXPECT_FALSE(enabled("Undo_btn"));
    EXPECT_FALSE(enabled("Redo_btn"));

    click("Diamond_Tool_btn");
    ASSERT_EQ(document->graphics_back().size(), 1u);
    EXPECT_EQ(document->graphics_back().front()->_shape_type, "D");
    // Moved by a drag on the back canvas.
    SKTGraphicView *back = canvas(1);
    const QRectF placed = document->graphics_back().front()->bounds();
    drag(back, placed.center(), placed.center() + QPointF(-10, 12));
    EXPECT_EQ(document->graphics_back().front()->bounds(), placed.translated(-10, 12));
    click("Undo_btn");
    EXPECT_EQ(document->graphics_back().front()->bounds(), placed);
    click("Undo_btn");
    EXPECT_TRUE(document->graphics_back().empty());
    EXPECT_FALSE(enabled("Undo_btn"));
    EXPECT_TRUE(enabled("Redo_btn"));

    // The front was not touched by any of it.
    EXPECT_EQ(state(0), frontState);
    EXPECT_EQ(controller->undoHistory().Ucontrol, frontUndo);
    EXPECT_EQ(controller->undoHistory().Rcontrol, frontRedo);

    click("Front_Side_btn");
    EXPECT_EQ(controller->Front_back_label->text(), "Front");
    EXPECT_TRUE(enabled("Undo_btn"));
    EXPECT_TRUE(enabled("Redo_btn"));
    click("Redo_btn");
    ASSERT_EQ(document->graphics().size(), 2u);
    EXPECT_EQ(document->graphics().front()->_shape_type, "S");
    EXPECT_TRUE(document->graphics_back().empty());
}

TEST_F(IntegrationTest, CopyPasteAcrossSidesCutAndLockedControls)
{
    SKTGraphicView *front = canvas(0);
    click("Rect_Tool_btn");
    click("Triangle_Tool_btn");
    const SKTGraphicPtr rect = document->graphics().back();
    const QRectF rectFrame = rect->bounds();
    clickAt(front, rectFrame.topLeft() + QPointF(3, 3));
    ASSERT_EQ(front->selectedGraphics(), SKTGraphicArray{rect});

    click("Copy_btn");
    click("Back_Side_btn");
    click("Paste_btn");
    ASSERT_EQ(document->graphics_back().size(), 1u);
    EXPECT_EQ(document->graphics_back().front()->bounds(), rectFrame) << "a paste on the other side keeps the place";
    EXPECT_NE(document->graphics_back().front(), rect);
    EXPECT_TRUE(enabled("Undo_btn"));
    click("Undo_btn");
    EXPECT_TRUE(document->graphics_back().empty());
    click("Front_Side_btn");
    EXPECT_EQ(document->graphics().size(), 2u);

    // Cut takes the selected control away; Undo brings it back where it was.
    clickAt(front, rectFrame.topLeft() + QPointF(3, 3));
    click("Cut_btn");
    ASSERT_EQ(document->graphics().size(), 1u);
    EXPECT_EQ(document->graphics().front()->_shape_type, "T");
    click("Undo_btn");
    ASSERT_EQ(document->graphics().size(), 2u);
    EXPECT_EQ(document->graphics().back()->bounds(), rectFrame);

    // Lock from the window's command with the canvas selection: delete and cut are refused.
    const SKTGraphicPtr again = document->graphics().back();
    clickAt(front, rectFrame.topLeft() + QPointF(3, 3));
    ASSERT_EQ(front->selectedGraphics(), SKTGraphicArray{again});
    click("Lock_btn");
    EXPECT_TRUE(again->ctrl_is_locked);
    ui->clear();
    QTest::keyClick(front, Qt::Key_Delete);
    click("Delete_btn");
    click("Cut_btn");
    EXPECT_EQ(document->graphics().size(), 2u);
    EXPECT_EQ(ui->messages().size(), 3);
    for (const QString &m : ui->messages())
        EXPECT_EQ(m.trimmed(), "Selected control is locked.");
    // A locked control does not move under a drag either.
    drag(front, rectFrame.topLeft() + QPointF(3, 3), rectFrame.topLeft() + QPointF(30, 30));
    EXPECT_EQ(again->bounds(), rectFrame);

    clickAt(front, rectFrame.topLeft() + QPointF(3, 3));
    click("Unlock_btn");
    EXPECT_FALSE(again->ctrl_is_locked);
    QTest::keyClick(front, Qt::Key_Delete);
    ASSERT_EQ(document->graphics().size(), 1u);
    EXPECT_EQ(document->graphics().front()->_shape_type, "T");

    // With nothing selected the lock command says so.
    clickAt(front, QPointF(2, 150));
    ui->clear();
    click("Lock_btn");
    EXPECT_EQ(ui->messages().value(0).trimmed(), "Please select a control to Lock.");
}

TEST_F(IntegrationTest, ZoomKeepsTheSelectionAndDragsAtTwoHundredPercentAreInCardPoints)
{
    SKTGraphicView *front = canvas(0);
    click("Rect_Tool_btn");
    const SKTGraphicPtr rect = document->graphics().front();
    ASSERT_EQ(front->selectedGraphics(), SKTGraphicArray{rect});
    const QSize at100 = front->size();

    click("Zoom_In_btn");
    click("Zoom_In_btn");
    click("Zoom_In_btn");
    EXPECT_DOUBLE_EQ(front->scale(), 2.0);
    EXPECT_DOUBLE_EQ(controller->_zoomFactor, 2.0);
    EXPECT_EQ(controller->_zoomingScrollView->factorPopUpButton()->currentText(), "200%");
    EXPECT_EQ(front->size(), at100 * 2);
    EXPECT_EQ(front->selectedGraphics(), SKTGraphicArray{rect}) << "zooming keeps the selection";
    EXPECT_EQ(controller->Get_Selected_Graphic(), rect.get());

    // A control made at 200 % has its default size in card points.
    click("Rect_Tool_btn");
    const SKTGraphicPtr second = document->graphics().front();
    EXPECT_EQ(second->bounds().size(), QSizeF(50, 50));
    EXPECT_TRUE(front->canvasBounds().contains(second->bounds()));

    // A drag of 40 by 30 screen pixels moves by 20 by 15 card points.
    const QRectF before = rect->bounds();
    const QPoint grip = at(front, before.topLeft() + QPointF(4, 4));
    QTest::mousePress(front, Qt::LeftButton, {}, grip);
    QTest::mouseMove(front, grip + QPoint(20, 15));
    QTest::mouseMove(front, grip + QPoint(40, 30));
    QTest::mouseRelease(front, Qt::LeftButton, {}, grip + QPoint(40, 30));
    EXPECT_EQ(rect->bounds(), before.translated(20, 15));

    // The card is painted at twice the size: the rectangle's outline runs at twice its place.
    clickAt(front, QPointF(2, 150));
    const QImage shot = grabbed(0);
    const QRectF r = rect->bounds();
    const int edge = qRound(r.left() * 2), middle = qRound(r.center().y() * 2);
    const QColor card = shot.pixelColor(edge - 6, middle);
    EXPECT_EQ(shot.pixelColor(edge + 6, middle), card) << "inside the outline";
    bool outlineAtEdge = false;
    for (int x = edge - 1; x <= edge + 1; ++x)
        outlineAtEdge = outlineAtEdge || shot.pixelColor(x, middle) != card;
    EXPECT_TRUE(outlineAtEdge) << "the outline at twice the card point";
    EXPECT_EQ(shot.pixelColor(qRound(r.left()) , middle), card) << "nothing where 100 % would put it";

    for (int i = 0; i < 12; ++i)
        click("Zoom_Out_btn");
    EXPECT_DOUBLE_EQ(front->scale(), 0.25);
    click("Actual_Size_btn");
    EXPECT_DOUBLE_EQ(front->scale(), 1.0);
    EXPECT_EQ(front->size(), at100);
    EXPECT_EQ(rect->bounds(), before.translated(20, 15));
}

TEST_F(IntegrationTest, SaveNewAndOpenBringBothSidesBackWithAnEmptyHistory)
{
    click("Rect_Tool_btn");
    click("Line_Tool_btn");
    click("Back_Side_btn");
    click("Circle_Tool_btn");
    const SideState front = state(0), back = state(1);

    QTemporaryDir dir;
    const QString path = dir.filePath("journey.did");
    ui->push(path);
    click("Save_btn");
    EXPECT_EQ(ui->messages().value(0).trimmed(), "File has been saved successfully.");
    EXPECT_TRUE(controller->windowTitle().contains("journey.did"));

    ui->clear();
    ui->push(int(platform::AnswerNo));
    click("New_btn");
    EXPECT_TRUE(document->graphics().empty());
    EXPECT_TRUE(document->graphics_back().empty());
    EXPECT_FALSE(enabled("Undo_btn"));
    EXPECT_FALSE(controller->windowTitle().contains("journey.did"));

    ui->clear();
    ui->push(int(platform::AnswerNo));
    ui->push(path);
    click("Open_btn");
    EXPECT_EQ(state(0), front);
    EXPECT_EQ(state(1), back);
    EXPECT_EQ(Card_Front_Or_Back, 0);
    EXPECT_TRUE(controller->windowTitle().contains("journey.did"));
    EXPECT_FALSE(enabled("Undo_btn"));
    EXPECT_FALSE(enabled("Redo_btn"));
    EXPECT_TRUE(controller->undoHistory().Ucontrol.isEmpty());
    EXPECT_TRUE(controller->undoHistory().Ucontrol_back.isEmpty());
    EXPECT_TRUE(controller->undoHistory().Rcontrol.isEmpty());
    EXPECT_TRUE(controller->undoHistory().Rcontrol_back.isEmpty());
    click("Back_Side_btn");
    EXPECT_FALSE(enabled("Undo_btn"));

    // The first change after opening is undone back to the opened design, not further.
    click("Star_Tool_btn");
    ASSERT_EQ(document->graphics_back().size(), back.size() + 1);
    click("Undo_btn");
    EXPECT_EQ(state(1), back);
    EXPECT_FALSE(enabled("Undo_btn"));
}

TEST_F(IntegrationTest, ToolButtonsReturnToTheArrowAndAnArrowDragNeverCreates)
{
    SKTGraphicView *front = canvas(0);
    const char *tools[] = {"Line_Tool_btn", "text_tool_btn", "Rect_Tool_btn", "Circle_Tool_btn",
                           "Round_Rect_Tool_btn", "Triangle_Tool_btn", "Diamond_Tool_btn", "Barcode_Tool_btn",
                           "Signature_Tool_btn", "Fingure_Print_Tool_btn", "Star_Tool_btn", "Double_Star_Tool_btn",
                           "Polygon_Tool_btn"};
    size_t count = 0;
    for (const char *tool : tools) {
        SCOPED_TRACE(tool);
        click(tool);
        EXPECT_EQ(document->graphics().size(), ++count);
        EXPECT_EQ(controller->Selected_Control_Tool, 0);
        // A drag on an empty part of the card with the arrow is a marquee: nothing is made.
        drag(front, QPointF(2, 152), QPointF(6, 148));
        EXPECT_EQ(document->graphics().size(), count);
    }
    // The picture tools with their panels cancelled make nothing and leave the arrow.
    for (const char *tool : {"image_tool_btn", "image_library_tool_btn"}) {
        SCOPED_TRACE(tool);
        click(tool);
        EXPECT_EQ(controller->Selected_Control_Tool, 0);
        drag(front, QPointF(2, 152), QPointF(6, 148));
        EXPECT_EQ(document->graphics().size(), count);
    }
    // The arrow button itself makes nothing.
    click("Arrow_Tool_btn");
    EXPECT_EQ(document->graphics().size(), count);
    // Every one of them is taken back step by step.
    for (size_t i = count; i > 0; --i)
        click("Undo_btn");
    EXPECT_TRUE(document->graphics().empty());
    EXPECT_FALSE(enabled("Undo_btn"));
}

// Pictures, texts and barcodes come back from the history as they were drawn.
TEST_F(IntegrationTest, UndoAndRedoBringBackPicturesTextsAndBarcodesAsDrawn)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    SKTGraphicView *front = canvas(0);
    QTemporaryDir dir;
    QImage photo(40, 30, QImage::Format_RGB32);
    photo.fill(QColor(200, 30, 40));
    const QString photoPath = dir.filePath("photo.png");
    ASSERT_TRUE(photo.save(photoPath));
    ui->push(photoPath);
    click("image_tool_btn");
    ASSERT_EQ(document->graphics().size(), 1u);
    click("text_tool_btn");
    click("Barcode_Tool_btn");
    ASSERT_EQ(document->graphics().size(), 3u);
    const SKTGraphicPtr text = document->graphics()[1];
    const QFont drawnFont = text->text_ctrl_font;
    clickAt(front, QPointF(240, 150));
    const QImage drawn = grabbed(0);
    const QRectF codeFrame = document->graphics()[0]->bounds();

    const auto readBarcode = [&](const SKTGraphic &code) {
        QImage printed(code._barcode_image.size() + QSize(80, 80), QImage::Format_RGB32);
        printed.fill(Qt::white);
        QPainter(&printed).drawImage(40, 40, code._barcode_image);
        const QString png = dir.filePath("code.png");
        EXPECT_TRUE(printed.save(png));
        return testsupport::runTool(zxing, {"-bytes", png}).out;
    };
    EXPECT_EQ(readBarcode(*document->graphics()[0]), QByteArray("0123"));

    for (int i = 0; i < 3; ++i)
        click("Undo_btn");
    ASSERT_TRUE(document->graphics().empty());
    for (int i = 0; i < 3; ++i)
        click("Redo_btn");
    ASSERT_EQ(document->graphics().size(), 3u);
    EXPECT_EQ(document->graphics()[1]->text_ctrl_font.pointSizeF(), drawnFont.pointSizeF());
    EXPECT_EQ(document->graphics()[1]->text_ctrl_font.family(), drawnFont.family());
    EXPECT_EQ(document->graphics()[0]->bounds(), codeFrame);
    const QImage again = grabbed(0);
    EXPECT_EQ(readBarcode(*document->graphics()[0]), QByteArray("0123"));
    ASSERT_EQ(again.size(), drawn.size());
    int differing = 0;
    QRect where;
    for (int y = 0; y < again.height(); ++y)
        for (int x = 0; x < again.width(); ++x)
            if (again.pixel(x, y) != drawn.pixel(x, y)) {
                ++differing;
                where |= QRect(x, y, 1, 1);
            }
    EXPECT_EQ(differing, 0) << "first differences within " << where.x() << "," << where.y() << " "
                            << where.width() << "x" << where.height();
}

// Copying the front design onto the back is one step of the back's history.
TEST_F(IntegrationTest, CopyToTheOtherSideIsUndoneOnThatSide)
{
    click("Back_Side_btn");
    click("Triangle_Tool_btn");
    const SideState backBefore = state(1);
    click("Front_Side_btn");
    click("Rect_Tool_btn");
    click("Line_Tool_btn");
    const SideState frontState = state(0);
    const int frontUndo = int(controller->undoHistory().Ucontrol.size());

    ui->push(true);
    controller->Copy_Card_Design_Clicked();
    EXPECT_EQ(Card_Front_Or_Back, 1);
    EXPECT_EQ(state(1), frontState);
    EXPECT_TRUE(enabled("Undo_btn"));
    click("Undo_btn");
    EXPECT_EQ(state(1), backBefore);
    EXPECT_EQ(state(0), frontState);
    EXPECT_EQ(int(controller->undoHistory().Ucontrol.size()), frontUndo);
}

// The temporary design side shows the current side's controls and edits nothing else.
TEST_F(IntegrationTest, TheTemporarySideShowsTheCurrentSide)
{
    click("Rect_Tool_btn");
    const SideState frontState = state(0);
    controller->Temp_Card_Btn_Clicked();
    EXPECT_EQ(controller->Front_back_label->text(), "TEMP");
    EXPECT_EQ(state(2), frontState);
    controller->Front_Card_Btn_Clicked();
    EXPECT_EQ(controller->Front_back_label->text(), "Front");
    EXPECT_EQ(state(0), frontState);
}

// The canvas's own menu edits through the same history as the toolbar.
TEST_F(IntegrationTest, TheCanvasMenuPastesLocksAndCutsThroughTheWindowsHistory)
{
    SKTGraphicView *front = canvas(0);
    click("Rect_Tool_btn");
    const SKTGraphicPtr rect = document->graphics().front();
    const auto run = [](SKTGraphicView *view, const char *action) {
        std::unique_ptr<QMenu> menu(view->contextMenu());
        QAction *item = menu->findChild<QAction *>(QString::fromLatin1(action));
        ASSERT_NE(item, nullptr) << action;
        ASSERT_TRUE(item->isEnabled()) << action;
        item->trigger();
    };
    run(front, "copy:");
    click("Back_Side_btn");
    SKTGraphicView *back = canvas(1);
    run(back, "paste:");
    ASSERT_EQ(document->graphics_back().size(), 1u);
    EXPECT_EQ(document->graphics_back().front()->bounds(), rect->bounds());
    EXPECT_TRUE(enabled("Undo_btn")) << "a paste from the canvas menu can be undone";
    click("Undo_btn");
    EXPECT_TRUE(document->graphics_back().empty());
    click("Redo_btn");
    ASSERT_EQ(document->graphics_back().size(), 1u);

    // Lock from the canvas menu locks the canvas selection; its Unlock then applies.
    clickAt(back, document->graphics_back().front()->bounds().topLeft() + QPointF(3, 3));
    run(back, "lock_ctrl:");
    EXPECT_TRUE(document->graphics_back().front()->ctrl_is_locked);
    run(back, "unlock_ctrl:");
    EXPECT_FALSE(document->graphics_back().front()->ctrl_is_locked);
    run(back, "cut:");
    EXPECT_TRUE(document->graphics_back().empty());
    click("Undo_btn");
    EXPECT_EQ(document->graphics_back().size(), 1u);
}

// At 200 % every mouse and key gesture works in card points.
TEST_F(IntegrationTest, MarqueeResizeAndNudgeAtTwoHundredPercentWorkInCardPoints)
{
    SKTGraphicView *front = canvas(0);
    click("Rect_Tool_btn");
    const SKTGraphicPtr rect = document->graphics().front();
    const QRectF start = rect->bounds();
    controller->_zoomingScrollView->setFactor(2.0);
    ASSERT_DOUBLE_EQ(front->scale(), 2.0);
    clickAt(front, QPointF(2, 150));
    ASSERT_TRUE(front->selectionIndexes().empty());

    // A backwards marquee from outside over the rectangle's corner selects it.
    drag(front, start.bottomRight() + QPointF(8, 8), start.bottomRight() - QPointF(5, 5));
    EXPECT_EQ(front->selectedGraphics(), SKTGraphicArray{rect});

    // The bottom-right handle dragged by 10 by 6 card points.
    drag(front, start.bottomRight(), start.bottomRight() + QPointF(10, 6));
    EXPECT_EQ(rect->bounds(), QRectF(start.topLeft(), start.size() + QSizeF(10, 6)));

    QTest::keyClick(front, Qt::Key_Down);
    QTest::keyClick(front, Qt::Key_Left);
    EXPECT_EQ(rect->bounds().topLeft(), start.topLeft() + QPointF(-1, 1));
    // Each nudge and the resize are undone one at a time.
    click("Undo_btn");
    ASSERT_EQ(document->graphics().size(), 1u);
    EXPECT_EQ(document->graphics().front()->bounds(),
              QRectF(start.topLeft() + QPointF(0, 1), start.size() + QSizeF(10, 6)));
    click("Undo_btn");
    ASSERT_EQ(document->graphics().size(), 1u);
    EXPECT_EQ(document->graphics().front()->bounds(), QRectF(start.topLeft(), start.size() + QSizeF(10, 6)));
    click("Undo_btn");
    ASSERT_EQ(document->graphics().size(), 1u);
    EXPECT_EQ(document->graphics().front()->bounds(), start);
}

}  // namespace
