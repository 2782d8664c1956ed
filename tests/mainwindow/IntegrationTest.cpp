// The main window driven end to end as a person uses it, with buttons, mouse and keys; checked is
// what the person sees: the controls and where they are, the Undo and Redo buttons, the pixels.

#include "ControllerFixture.h"
#include "mainwindow/Grid_Wizard.h"

#include "canvas/SKTZoomingScrollView.h"
#include "core/ControlArchive.h"
#include "core/DesignFile.h"
#include "ArchiveTestSupport.h"
#include "properties/Barcode_Gen.h"
#include "properties/CardTabs.h"
#include "data/SeriesFiles.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "mainwindow/MainWindowGlobals.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

using IntegrationTest = WindowTest;

// The archives of a side's controls: what each control is, independent of the objects.
QList<QByteArray> archives(const SKTGraphicArray &controls)
{
    QList<QByteArray> out;
    for (const SKTGraphicPtr &g : controls)
        out.append(Archive_Graphic(*g));
    return out;
}

TEST_F(IntegrationTest, DrawMoveNudgeThenUndoStepByStepToEmptyAndRedoForward)
{
    SKTGraphicView *front = canvas(0);
    const QImage emptyCard = grabbed(0);
    EXPECT_FALSE(enabled("Undo_btn") || enabled("Redo_btn"));
    std::vector<SideState> states{state(0)};
    for (const char *tool : {"Rect_Tool_btn", "Circle_Tool_btn", "Line_Tool_btn"}) {
        click(tool);
        states.push_back(state(0));
        EXPECT_EQ(states.back().size(), states.size() - 1) << tool;
        EXPECT_TRUE(enabled("Undo_btn") && !enabled("Redo_btn")) << tool;
    }
    // The rectangle came first, so it lies at the back; its top-left corner is clear of the others.
    const SKTGraphicPtr rect = document->graphics().back();
    ASSERT_EQ(rect->_shape_type, "R");
    const QRectF rectStart = rect->bounds();
    const QPointF grip = rectStart.topLeft() + QPointF(5, 5);
    drag(front, grip, grip + QPointF(40, 20));
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
        click("Undo_btn");
        EXPECT_EQ(state(0), states[step - 1]) << step;
        EXPECT_TRUE(enabled("Redo_btn"));
    }
    EXPECT_FALSE(enabled("Undo_btn") || controller->undo_menu->isEnabled());
    EXPECT_EQ(grabbed(0), emptyCard);
    for (size_t step = 1; step < states.size(); ++step) {
        click("Redo_btn");
        EXPECT_EQ(state(0), states[step]) << step;
    }
    EXPECT_FALSE(enabled("Redo_btn") || controller->redo_menu->isEnabled());
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

    // A card tab stays shown on the other side; another tab falls back to the card's.
    controller->sett_tab->setCurrentWidget(controller->card_size_tab);
    click("Back_Side_btn");
    EXPECT_EQ(controller->sett_tab->currentWidget(), controller->card_size_tab);
    EXPECT_EQ(Card_Front_Or_Back, 1);
    EXPECT_EQ(controller->Front_back_label->text(), "Back");
    EXPECT_TRUE(controller->second_view->isVisibleTo(controller.get()));
    EXPECT_FALSE(controller->first_view->isVisibleTo(controller.get()));
    EXPECT_EQ(controller->currentCanvas(), canvas(1));
    EXPECT_TRUE(controller->Back_Side_btn->isChecked() && !controller->Front_Side_btn->isChecked());
    EXPECT_FALSE(enabled("Undo_btn") || enabled("Redo_btn") || controller->undo_menu->isEnabled());

    click("Diamond_Tool_btn");
    ASSERT_EQ(document->graphics_back().size(), 1u);
    EXPECT_EQ(document->graphics_back().front()->_shape_type, "D");
    const QRectF placed = document->graphics_back().front()->bounds();
    drag(canvas(1), placed.center(), placed.center() + QPointF(-10, 12));
    EXPECT_EQ(document->graphics_back().front()->bounds(), placed.translated(-10, 12));
    click("Undo_btn");
    EXPECT_EQ(document->graphics_back().front()->bounds(), placed);
    click("Undo_btn");
    EXPECT_TRUE(document->graphics_back().empty() && !enabled("Undo_btn") && enabled("Redo_btn"));

    // The front was not touched by any of it.
    EXPECT_EQ(state(0), frontState);
    EXPECT_TRUE(controller->undoHistory().Ucontrol == frontUndo && controller->undoHistory().Rcontrol == frontRedo);

    // The temporary side shows the current side's controls and edits nothing else.
    click("Temp_Side_btn");
    EXPECT_EQ(controller->Front_back_label->text(), "TEMP");
    EXPECT_TRUE(document->graphics_temp().empty()) << "the back is empty now";
    controller->sett_tab->setCurrentWidget(controller->card_setting_tab);
    click("Front_Side_btn");
    EXPECT_EQ(controller->sett_tab->currentWidget(), controller->card_info_tab);
    EXPECT_EQ(controller->Front_back_label->text(), "Front");
    EXPECT_TRUE(controller->first_view->isVisibleTo(controller.get()));
    click("Temp_Side_btn");
    EXPECT_EQ(state(2), frontState);
    click("Front_Side_btn");
    EXPECT_EQ(state(0), frontState);
    EXPECT_TRUE(enabled("Undo_btn") && enabled("Redo_btn"));
    click("Redo_btn");
    ASSERT_EQ(document->graphics().size(), 2u);
    EXPECT_EQ(document->graphics().front()->_shape_type, "S");
    EXPECT_TRUE(document->graphics_back().empty());
}

// Copy, paste, cut, lock and unlock, from the toolbar and from the canvas's own menu, through the
// window's history: a paste on the other side keeps the place, locked controls refuse changes.
TEST_F(IntegrationTest, CopyPasteAcrossSidesCutAndLockedControls)
{
    const struct Way {
        const char *copy, *paste, *cut, *lock, *unlock;
    } ways[] = {{"Copy_btn", "Paste_btn", "Cut_btn", "Lock_btn", "Unlock_btn"},
                        {"copy:", "paste:", "cut:", "lock_ctrl:", "unlock_ctrl:"}};
    for (const Way &way : ways) {
        SCOPED_TRACE(way.copy);
        // A toolbar button, or the item of that name in the shown canvas's menu.
        const auto run = [this](const char *command) {
            if (QString::fromLatin1(command).endsWith(':')) {
                std::unique_ptr<QMenu> menu(controller->currentCanvas()->contextMenu());
                QAction *item = menu->findChild<QAction *>(QString::fromLatin1(command));
                ASSERT_TRUE(item && item->isEnabled()) << command;
                press(item);
            } else {
                click(command);
            }
        };
        SKTGraphicView *front = canvas(0);
        ui->push(int(platform::AnswerNo));
        click("New_btn");
        click("Rect_Tool_btn");
        click("Triangle_Tool_btn");
        const SKTGraphicPtr rect = document->graphics().back();
        const QRectF rectFrame = rect->bounds();
        const QPointF onRect = rectFrame.topLeft() + QPointF(3, 3);
        clickAt(front, onRect);
        ASSERT_EQ(front->selectedGraphics(), SKTGraphicArray{rect});

        run(way.copy);
        click("Back_Side_btn");
        run(way.paste);
        ASSERT_EQ(document->graphics_back().size(), 1u);
        EXPECT_EQ(document->graphics_back().front()->bounds(), rectFrame);
        EXPECT_NE(document->graphics_back().front(), rect);
        click("Undo_btn");
        EXPECT_TRUE(document->graphics_back().empty());
        click("Redo_btn");
        EXPECT_EQ(document->graphics_back().size(), 1u);
        click("Undo_btn");
        click("Front_Side_btn");

        // Cut takes the selected control away; Undo brings it back where it was.
        clickAt(front, onRect);
        run(way.cut);
        ASSERT_EQ(document->graphics().size(), 1u);
        EXPECT_EQ(document->graphics().front()->_shape_type, "T");
        click("Undo_btn");
        ASSERT_EQ(document->graphics().size(), 2u);
        EXPECT_EQ(document->graphics().back()->bounds(), rectFrame);

        // Locking the canvas selection is no step of the history; delete, cut and drags are refused.
        const SKTGraphicPtr again = document->graphics().back();
        clickAt(front, onRect);
        const int undoSteps = controller->undoHistory().Get_Undo_Count();
        run(way.lock);
        EXPECT_TRUE(again->ctrl_is_locked);
        EXPECT_EQ(front->selectedGraphics(), SKTGraphicArray{again});
        EXPECT_EQ(controller->undoHistory().Get_Undo_Count(), undoSteps);
        ui->clear();
        // Both keys on the shown window, where Delete is also the Edit menu's key, say why.
        controller->show();
        controller->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(controller.get()));
        front->setFocus();
        QTest::keyClick(front, Qt::Key_Delete);
        QTest::keyClick(front, Qt::Key_Backspace);
        // The toolbar offers only Copy and Unlock for it; the menu's Cut says why it refuses.
        EXPECT_TRUE(enabled("Copy_btn") && enabled("Unlock_btn"));
        for (const char *off : {"Delete_btn", "Cut_btn", "Paste_btn", "Lock_btn", "Begin_Front_btn", "align_left_btn"})
            EXPECT_FALSE(enabled(off)) << off;
        const bool menu = QString::fromLatin1(way.cut).endsWith(':');
        if (menu)
            run(way.cut);
        EXPECT_EQ(document->graphics().size(), 2u);
        EXPECT_EQ(ui->messages(), QStringList(menu ? 3 : 2, "\nSelected control is locked."));
        drag(front, onRect, rectFrame.topLeft() + QPointF(30, 30));
        EXPECT_EQ(again->bounds(), rectFrame);

        clickAt(front, onRect);
        run(way.unlock);
        EXPECT_FALSE(again->ctrl_is_locked);
        QTest::keyClick(front, Qt::Key_Delete);
        ASSERT_EQ(document->graphics().size(), 1u);
        EXPECT_EQ(document->graphics().front()->_shape_type, "T");
    }
    // With nothing selected the lock commands are not on offer, on the tool bar nor in the
    // canvas's menu.
    clickAt(canvas(0), QPointF(2, 150));
    ui->clear();
    EXPECT_FALSE(enabled("Lock_btn") || enabled("Unlock_btn") || enabled("Cut_btn"));
    for (const char *item : {"lock_ctrl:", "unlock_ctrl:"}) {
        const auto menu = std::unique_ptr<QMenu>(canvas(0)->contextMenu());
        EXPECT_FALSE(menu->findChild<QAction *>(QString::fromLatin1(item))->isEnabled()) << item;
    }
    EXPECT_FALSE(document->graphics().front()->ctrl_is_locked);
}

// Zooming keeps the selection; at 200 % every mouse and key gesture works in card points, each
// its own step of the history, and the card is painted at twice the size.
TEST_F(IntegrationTest, ZoomKeepsTheSelectionAndGesturesAtTwoHundredPercentAreInCardPoints)
{
    SKTGraphicView *front = canvas(0);
    click("Rect_Tool_btn");
    const SKTGraphicPtr rect = document->graphics().front();
    const QRectF start = rect->bounds();
    const QSize at100 = front->size();
    for (int i = 0; i < 3; ++i)
        click("Zoom_In_btn");
    EXPECT_DOUBLE_EQ(front->scale(), 2.0);
    EXPECT_DOUBLE_EQ(controller->_zoomFactor, 2.0);
    EXPECT_EQ(controller->_zoomingScrollView->factorPopUpButton()->currentText(), "200%");
    EXPECT_EQ(front->size(), at100 * 2);
    EXPECT_EQ(front->selectedGraphics(), SKTGraphicArray{rect}) << "zooming keeps the selection";
    EXPECT_EQ(controller->Get_Selected_Graphic(), rect.get());

    // A backwards marquee from outside over the rectangle's corner selects it; its bottom-right
    // handle dragged by 10 by 6 card points, then two nudges, each undone on its own.
    clickAt(front, QPointF(2, 150));
    ASSERT_TRUE(front->selectionIndexes().empty());
    drag(front, start.bottomRight() + QPointF(8, 8), start.bottomRight() - QPointF(5, 5));
    EXPECT_EQ(front->selectedGraphics(), SKTGraphicArray{rect});
    drag(front, start.bottomRight(), start.bottomRight() + QPointF(10, 6));
    const QRectF resized(start.topLeft(), start.size() + QSizeF(10, 6));
    EXPECT_EQ(rect->bounds(), resized);
    QTest::keyClick(front, Qt::Key_Down);
    QTest::keyClick(front, Qt::Key_Left);
    EXPECT_EQ(rect->bounds(), resized.translated(-1, 1));
    for (const QRectF &expected : {resized.translated(0, 1), resized, start}) {
        click("Undo_btn");
        ASSERT_EQ(document->graphics().size(), 1u);
        EXPECT_EQ(document->graphics().front()->bounds(), expected);
    }

    // A drag of 40 by 30 screen pixels moves by 20 by 15 card points.
    const SKTGraphicPtr shown = document->graphics().front();
    drag(front, start.topLeft() + QPointF(4, 4), start.topLeft() + QPointF(24, 19));
    EXPECT_EQ(shown->bounds(), start.translated(20, 15));
    // A control made at 200 % has its default size in card points.
    click("Rect_Tool_btn");
    EXPECT_EQ(document->graphics().front()->bounds().size(), QSizeF(50, 50));

    // The rectangle's outline runs at twice its place.
    clickAt(front, QPointF(2, 150));
    const QImage shot = grabbed(0);
    const QRectF r = shown->bounds();
    const int edge = qRound(r.left() * 2), middle = qRound(r.center().y() * 2);
    const QColor card = shot.pixelColor(edge - 6, middle);
    EXPECT_EQ(shot.pixelColor(edge + 6, middle), card) << "inside the outline";
    bool outlineAtEdge = false;
    for (int x = edge - 1; x <= edge + 1; ++x)
        outlineAtEdge = outlineAtEdge || shot.pixelColor(x, middle) != card;
    EXPECT_TRUE(outlineAtEdge) << "the outline at twice the card point";
    EXPECT_EQ(shot.pixelColor(qRound(r.left()), middle), card) << "nothing where 100 % would put it";

    // The steps stop at 1000 % and 25 %; the other side shows the same zoom.
    for (int i = 0; i < 20; ++i)
        click("Zoom_In_btn");
    EXPECT_EQ(controller->_zoomingScrollView->factorPopUpButton()->currentText(), "1000%");
    for (int i = 0; i < 20; ++i)
        click("Zoom_Out_btn");
    EXPECT_DOUBLE_EQ(front->scale(), 0.25);
    EXPECT_DOUBLE_EQ(controller->_zoomingScrollView_BACK->factor(), 0.25);
    click("Actual_Size_btn");
    EXPECT_DOUBLE_EQ(front->scale(), 1.0);
    EXPECT_EQ(front->size(), at100);
    EXPECT_EQ(shown->bounds(), start.translated(20, 15));
}

// Every kind on both sides, both cards and the profile columns come back from Save, New and
// Open as they were, with an empty history. New keeps the temporary side and the clipboard.
TEST_F(IntegrationTest, SaveNewAndOpenBringBothSidesBackWithAnEmptyHistory)
{
    drawDesign();
    click("Rect_Tool_btn");
    click("Back_Side_btn");
    click("Circle_Tool_btn");
    const SKTGraphicArray front = document->graphics(), back = document->graphics_back();
    const SideState frontState = state(0), backState = state(1);
    const QString path = pathIn("journey.did");
    saveAs(path);
    const Card_Property savedFront = *controller->Front_card_Prop, savedBack = *controller->Back_card_Prop;

    click("Temp_Side_btn");  // temp shows the back side's controls
    const SideState temp = state(2);
    QGuiApplication::clipboard()->setText(QStringLiteral("another program's text"));
    ui->push(int(platform::AnswerCancel));
    click("New_btn");
    EXPECT_EQ(state(0), frontState) << "Cancel keeps the design";
    const int runs = startDialogRuns;
    ui->push(int(platform::AnswerNo));
    click("New_btn");
    EXPECT_TRUE(document->graphics().empty() && document->graphics_back().empty());
    EXPECT_EQ(state(2), temp);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "another program's text");
    EXPECT_FALSE(enabled("Undo_btn"));
    EXPECT_TRUE(Project_File_Name.isEmpty());
    EXPECT_EQ(Card_Front_Or_Back, 0);
    EXPECT_EQ(controller->windowTitle(), controller->App_Name() + " ( Untitled )");
    EXPECT_EQ(startDialogRuns, runs + 1);

    open(path);
    // The design's photos name files that are nowhere: opening says so once.
    ASSERT_EQ(ui->messages().size(), 2);
    EXPECT_EQ(ui->messages()[0], "Do you want to save changes before opening document?");
    EXPECT_TRUE(ui->messages()[1].startsWith("\n4 pictures of this design cannot be found")) << ui->messages()[1].toStdString();
    EXPECT_EQ(state(0), frontState);
    EXPECT_EQ(state(1), backState);
    for (size_t i = 0; i < front.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NE(document->graphics()[i], front[i]);
        designtest::expectSameStoredFields(*front[i], *document->graphics()[i]);
        designtest::expectSameStoredFields(*back[i], *document->graphics_back()[i]);
    }
    EXPECT_FALSE(document->graphics()[5]->ctrl_is_visible) << "the control saved invisible is back";
    designtest::expectSameCard(savedFront, *controller->Front_card_Prop);
    designtest::expectSameCard(savedBack, *controller->Back_card_Prop);
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(controller->excel_cb_value[i], i % 3 == 0 ? -1 : i + 2) << i;
    EXPECT_TRUE(controller->windowTitle().contains("journey.did"));
    EXPECT_TRUE(Start_Card_Option == "L" && Card_Front_Or_Back == 0);
    EXPECT_TRUE(controller->modeless_msg_lbl->text().isEmpty());
    EXPECT_FALSE(enabled("Undo_btn") || enabled("Redo_btn"));

    // A second save writes the same records: nothing was lost on the way.
    const QList<QByteArray> frontBefore = archives(document->graphics());
    click("Save_btn");  // the design has its path: no panel
    EXPECT_EQ(ui->messages().last(), kSaved);
    const DesignReadResult again = Read_Design_File(path);
    ASSERT_TRUE(again.ok()) << again.detail.toStdString();
    EXPECT_EQ(archives(again.design->frontControls), frontBefore);

    // The first change after opening is undone back to the opened design, not further.
    click("Back_Side_btn");
    EXPECT_FALSE(enabled("Undo_btn"));
    click("Star_Tool_btn");
    click("Undo_btn");
    EXPECT_EQ(state(1), backState);
    EXPECT_FALSE(enabled("Undo_btn"));
}

TEST_F(IntegrationTest, ToolButtonsMakeTheirControlAtOnceReturnToTheArrowAndAnArrowDragNeverCreates)
{
    using K = SKTGraphicKind;
    const struct {
        const char *button;
        K kind;
        QSizeF size;  // empty: the control's own picture decides
        const char *shape;
    } tools[] = {
        {"Line_Tool_btn", K::Line, {50, 50}, ""},          {"text_tool_btn", K::Text, {}, ""},
        {"Rect_Tool_btn", K::Shape, {50, 50}, "R"},        {"Circle_Tool_btn", K::Shape, {50, 50}, "C"},
        {"Round_Rect_Tool_btn", K::Shape, {50, 50}, "RR"}, {"Triangle_Tool_btn", K::Shape, {50, 50}, "T"},
        {"Diamond_Tool_btn", K::Shape, {50, 50}, "D"},     {"Barcode_Tool_btn", K::Barcode, {}, ""},
        {"Signature_Tool_btn", K::Signature, {100, 50}, ""}, {"Fingure_Print_Tool_btn", K::Signature, {50, 50}, ""},
        {"Star_Tool_btn", K::Shape, {50, 50}, "S"},        {"Double_Star_Tool_btn", K::Shape, {50, 50}, "DS"},
        {"Polygon_Tool_btn", K::Shape, {50, 50}, "P"},
    };
    size_t count = 0;
    for (const auto &tool : tools) {
        SCOPED_TRACE(tool.button);
        click(tool.button);
        ASSERT_EQ(document->graphics().size(), ++count);
        const SKTGraphic &made = *document->graphics().front();  // the new control is frontmost
        EXPECT_EQ(made.kind(), tool.kind);
        if (*tool.shape) {
            EXPECT_EQ(made._shape_type, tool.shape);
        }
        EXPECT_TRUE(tool.size.isEmpty() ? !made._bounds.isEmpty() : made._bounds.size() == tool.size);
        EXPECT_EQ(controller->Selected_Control_Tool, 0);
        // A drag on an empty part of the card with the arrow is a marquee: nothing is made.
        drag(canvas(0), QPointF(2, 152), QPointF(6, 148));
        EXPECT_EQ(document->graphics().size(), count);
    }
    // The picture tools with their panels cancelled, and the arrow itself, make nothing.
    for (const char *tool : {"image_tool_btn", "image_library_tool_btn", "Arrow_Tool_btn"}) {
        SCOPED_TRACE(tool);
        click(tool);
        EXPECT_EQ(controller->Selected_Control_Tool, 0);
        drag(canvas(0), QPointF(2, 152), QPointF(6, 148));
        EXPECT_EQ(document->graphics().size(), count);
    }
    EXPECT_TRUE(document->graphics_back().empty());
    for (size_t i = count; i > 0; --i)
        click("Undo_btn");
    EXPECT_TRUE(document->graphics().empty());
    EXPECT_FALSE(enabled("Undo_btn"));
}

// Pictures, texts and barcodes come back from the history as they were drawn.
TEST_F(IntegrationTest, UndoAndRedoBringBackPicturesTextsAndBarcodesAsDrawn)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    QImage photo(40, 30, QImage::Format_RGB32);
    photo.fill(QColor(200, 30, 40));
    ASSERT_TRUE(photo.save(pathIn("photo.png")));
    ui->push(pathIn("photo.png"));
    click("image_tool_btn");
    ASSERT_TRUE(document->graphics().size() == 1u && document->graphics()[0]->kind() == SKTGraphicKind::Image);
    click("text_tool_btn");
    click("Barcode_Tool_btn");
    const QFont drawnFont = document->graphics()[1]->text_ctrl_font;
    clickAt(canvas(0), QPointF(240, 150));
    const QImage drawn = grabbed(0);
    const QRectF codeFrame = document->graphics()[0]->bounds();

    EXPECT_EQ(readBarcode(zxing, document->graphics()[0]->_barcode_image), QByteArray("0123"));

    for (int i = 0; i < 3; ++i)
        click("Undo_btn");
    ASSERT_TRUE(document->graphics().empty());
    for (int i = 0; i < 3; ++i)
        click("Redo_btn");
    ASSERT_EQ(document->graphics().size(), 3u);
    const QFont font = document->graphics()[1]->text_ctrl_font;
    EXPECT_TRUE(font.pointSizeF() == drawnFont.pointSizeF() && font.family() == drawnFont.family());
    EXPECT_EQ(document->graphics()[0]->bounds(), codeFrame);
    EXPECT_EQ(readBarcode(zxing, document->graphics()[0]->_barcode_image), QByteArray("0123"));
    EXPECT_TRUE(grabbed(0) == drawn) << "the card looks as drawn";
}

// Copying a side's design onto the other side: independent copies of its controls and card, one
// step of that side's history.
TEST_F(IntegrationTest, CopyToTheOtherSideIsUndoneOnThatSide)
{
    drawDesign();
    click("Back_Side_btn");
    click("Triangle_Tool_btn");
    click("Front_Side_btn");
    click("Rect_Tool_btn");
    controller->excel_cb_value[11] = 4;
    controller->excel_cb_value[12] = -1;
    const SideState frontState = state(0), backBefore = state(1);
    const SKTGraphicArray front = document->graphics();
    const QList<QByteArray> frontArchives = archives(front);
    const int frontUndo = int(controller->undoHistory().Ucontrol.size());

    ui->push(false);  // No: nothing happens
    click("copy_card_design_btn");
    EXPECT_EQ(state(1), backBefore);
    ui->push(true);
    click("copy_card_design_btn");
    EXPECT_EQ(Card_Front_Or_Back, 1) << "the back shows its new design";
    EXPECT_EQ(state(1), frontState);
    const SKTGraphicArray back = document->graphics_back();
    EXPECT_EQ(archives(back), frontArchives);
    for (size_t i = 0; i < back.size(); ++i)
        EXPECT_NE(back[i], front[i]) << i;
    designtest::expectSameCard(*controller->Front_card_Prop, *controller->Back_card_Prop);
    EXPECT_TRUE(controller->excel_cb_value[12] == 4 && !copy_card_design);

    // Editing a copy leaves the original alone.
    back[0]->_bounds.translate(30, 30);
    back[2]->Text_Value = QStringLiteral("changed");
    EXPECT_EQ(archives(document->graphics()), frontArchives);
    controller->Back_card_Prop->setCard_Name("Back only");
    EXPECT_NE(controller->Front_card_Prop->Card_Name(), "Back only");

    // Undo takes back that unrecorded edit first, then the copy.
    click("Undo_btn");
    EXPECT_EQ(state(1), frontState);
    click("Undo_btn");
    EXPECT_EQ(state(1), backBefore);
    EXPECT_EQ(state(0), frontState);
    EXPECT_EQ(int(controller->undoHistory().Ucontrol.size()), frontUndo);

    // Sides with backgrounds of their own: the back copied over the front, Undo on the front
    // gives it its own light blue, Redo the copied one; a name typed after the copy is kept.
    chooseTemplate("Corporate", "Blue Horizon (h)");
    ASSERT_TRUE(startAgain(10, "T"));
    const Card_Property ownFront = *controller->Front_card_Prop, ownBack = *controller->Back_card_Prop;
    const QPointF spot = at(canvas(0), freeSpot({0, 1}));
    const auto shown = [&] {
        const QImage front = grabbed(0);
        return front.pixel((spot * front.devicePixelRatio()).toPoint());
    };
    const QRgb own = shown();
    click("Back_Side_btn");
    ui->push(true);
    click("copy_card_design_btn");
    click("Front_Side_btn");
    const QRgb copied = shown();
    EXPECT_NE(copied, own);
    for (const char *step : {"Undo_btn", "Redo_btn"}) {
        click(step);
        EXPECT_EQ(shown(), step[0] == 'U' ? own : copied);
        designtest::expectSameCard(step[0] == 'U' ? ownFront : ownBack, *controller->Front_card_Prop);
    }
    QLineEdit *name = controller->cardTabs().card_name;
    testsupport::showTabOf(name);
    ASSERT_EQ(testsupport::unreachable(name).toStdString(), "");
    testsupport::typeInto(name, QStringLiteral("Harbour"), Qt::Key_Tab);
    click("Undo_btn");
    EXPECT_EQ(shown(), own);
    EXPECT_TRUE(controller->Front_card_Prop->Card_Name() == "Harbour" && controller->Back_card_Prop->Card_Name() == "Harbour");
}

// Clicking controls shows their tabs; the panel's buttons follow the selection, the grid and the
// clipboard; a shown control taken away by Undo leaves the panel able to show the next one.
TEST_F(IntegrationTest, ThePanelFollowsTheSelectionThroughTheWindow)
{
    click("text_tool_btn");
    click("Rect_Tool_btn");
    const SKTGraphicPtr text = document->graphics().back(), rect = document->graphics().front();
    clickAt(canvas(0), text->bounds().center());
    EXPECT_EQ(controller->sett_tab->widget(0), controller->text_edtng_tab);
    EXPECT_EQ(controller->Last_Selected_Graphic(), text.get());
    EXPECT_FALSE(enabled("Make_same_width_btn") || enabled("Align_with_grid_btn"));
    QTest::mouseClick(canvas(0), Qt::LeftButton, Qt::ControlModifier, at(canvas(0), rect->bounds().center()));
    EXPECT_TRUE(enabled("Make_same_width_btn") && enabled("Make_same_height_btn"));
    // The grid shown from View > Grid, the card's own tab being out of sight.
    Grid_Wizard::setModalRunner([&](Grid_Wizard &w) {
        press(outlet<QCheckBox>("Show_hide_grid_chk"));
        pressIn(w, "OK_Btn");
        return w.result();
    });
    press(outlet<QAction>("grid_menu"));
    Grid_Wizard::setModalRunner({});
    EXPECT_TRUE(enabled("Align_with_grid_btn"));
    QGuiApplication::clipboard()->setText(QStringLiteral("no controls"));
    EXPECT_FALSE(enabled("Paste_btn"));
    click("Copy_btn");
    EXPECT_TRUE(enabled("Paste_btn"));

    click("Undo_btn");  // the snapshot brings back copies: the controls shown are gone
    ASSERT_EQ(document->graphics().size(), 1u);
    clickAt(canvas(0), document->graphics().front()->bounds().center());
    EXPECT_EQ(controller->sett_tab->widget(0), controller->text_edtng_tab);
    EXPECT_EQ(controller->Last_Selected_Graphic(), document->graphics().front().get());
}

// Double-click a new barcode, make it a QR Code of a web address, OK: the canvas shows a QR
// that reads as the address; Undo brings back the barcode it was, and a new value OK'd then stays.
TEST_F(IntegrationTest, BarcodeWindowTurnsABarcodeIntoAQrCodeUndoably)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    click("Barcode_Tool_btn");
    clickAt(canvas(0), QPointF(120, 80));
    ASSERT_EQ(document->graphics().size(), 1u);
    const QImage before = document->graphics()[0]->_barcode_image;
    const QByteArray url("https://example.org/badge?id=42");
    const auto previous = Barcode_Gen::setModalRunner([&](Barcode_Gen &w) {
        w.barcodeTypePopup->setCurrentText(QStringLiteral("QR Code"));
        w.dataText_2D->setPlainText(QString::fromLatin1(url));
        press(w.OK_Btn);
        return w.result();
    });
    QTest::mouseDClick(canvas(0), Qt::LeftButton, {}, at(canvas(0), document->graphics()[0]->bounds().center()));
    Barcode_Gen::setModalRunner(previous);
    ASSERT_EQ(document->graphics()[0]->linear_or_2d, 1);
    EXPECT_EQ(readBarcode(zxing, grabbed(0)), url);
    click("Undo_btn");
    EXPECT_EQ(document->graphics()[0]->linear_or_2d, 0);
    EXPECT_EQ(readBarcode(zxing, document->graphics()[0]->_barcode_image), QByteArray("0123"));
    EXPECT_TRUE(archivetest::samePixels(document->graphics()[0]->_barcode_image, before));
    // Undo left nothing selected: a double-click straight on the barcode, a value typed, OK.
    const auto again = Barcode_Gen::setModalRunner([](Barcode_Gen &w) {
        testsupport::typeInto(w.dataText, QStringLiteral("AGAIN-8"), Qt::Key_unknown);
        return press(w.OK_Btn), w.result();
    });
    QTest::mouseDClick(canvas(0), Qt::LeftButton, {}, at(canvas(0), document->graphics()[0]->bounds().center()));
    Barcode_Gen::setModalRunner(again);
    EXPECT_EQ(readBarcode(zxing, document->graphics()[0]->_barcode_image), QByteArray("AGAIN-8"));
}

// The barcode window a double-click opens is modal and takes that click's release: the next
// click on the canvas counts (Cancel, click a text, Delete deletes the text).
TEST_F(IntegrationTest, TheClickAfterTheBarcodeWindowCounts)
{
    click("Barcode_Tool_btn");
    click("text_tool_btn");
    const SKTGraphicPtr text = document->graphics().front(), code = document->graphics().back();
    drag(canvas(0), QPointF(160, 80), QPointF(225, 135));  // the barcode clear of the text
    const auto previous = Barcode_Gen::setModalRunner([](Barcode_Gen &w) { return press(w.Cancel_Btn), w.result(); });
    const QPoint p = at(canvas(0), code->bounds().center());
    QTest::mouseClick(canvas(0), Qt::LeftButton, {}, p);
    QMouseEvent second(QEvent::MouseButtonDblClick, p, canvas(0)->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(canvas(0), &second);  // its release goes to the window
    Barcode_Gen::setModalRunner(previous);
    clickAt(canvas(0), text->bounds().center());
    QTest::keyClick(canvas(0), Qt::Key_Delete);
    EXPECT_TRUE(document->graphics() == SKTGraphicArray{code}) << "the text is deleted, not the barcode";
}

// The barcode window binds a barcode to a series, then to a spreadsheet column: each time the
// window's value is the source's first value and the canvas barcode reads as it.
TEST_F(IntegrationTest, BarcodeWindowBindsASeriesOrColumnToItsFirstValue)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    ASSERT_TRUE(Write_Series_File(Series_File_Path("Staff"), QStringList{"STAFF-0042", "STAFF-0043"}));
    Data_From_Excel &table = *Data_From_Excel::defaultInstance();
    const auto tableBefore = std::make_pair(table.ColList, table.Rows());
    table.ColList = {{"Extension", "Extension"}, {"Column1", "Name"}, {"Column2", "Badge"}};
    table.Set_Rows({{"1", "Ann", "BADGE-7"}, {"2", "Bob", "BADGE-8"}});
    ::Excel_Binding_Use = true;
    click("Barcode_Tool_btn");
    clickAt(canvas(0), QPointF(120, 80));
    ASSERT_EQ(document->graphics().size(), 1u);
    const struct {
        const char *source, *item, *value;
        int type;
    } steps[] = {{"Series", "Staff", "STAFF-0042", 1}, {"Excel", "Badge", "BADGE-7", 2}};
    for (const auto &step : steps) {
        SCOPED_TRACE(step.source);
        QString shown;
        const auto previous = Barcode_Gen::setModalRunner([&](Barcode_Gen &w) {
            w.barcodeTypePopup->setCurrentText(QStringLiteral("Code 128"));
            w.Data_source_type->setCurrentText(QString::fromLatin1(step.source));
            w.Batch_Series->setCurrentText(QString::fromLatin1(step.item));
            shown = w.dataText->text();
            press(w.OK_Btn);
            return w.result();
        });
        press(controller->findChild<QPushButton *>("Barcode_Edit_btn"));
        Barcode_Gen::setModalRunner(previous);
        EXPECT_EQ(shown, QString::fromLatin1(step.value));
        EXPECT_EQ(document->graphics()[0]->data_source_type, step.type);
        EXPECT_EQ(readBarcode(zxing, document->graphics()[0]->_barcode_image), QByteArray(step.value));
    }
    EXPECT_EQ(document->graphics()[0]->excel_col_indx, 2);
    ::Excel_Binding_Use = false;
    table.ColList = tableBefore.first;
    table.Set_Rows(tableBefore.second);
}

// A value typed by hand survives a look at the series: with no series at all, or with one chosen,
// going back to "Manual" shows the typed value again, and the preview and the card read as it.
TEST_F(IntegrationTest, BarcodeWindowKeepsTheTypedValueAcrossASeriesLook)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    const QString foldersBefore = Data_Folder_Path;
    const std::shared_ptr<void> foldersAfter(nullptr, [&](void *) { Data_Folder_Path = foldersBefore; });
    click("Barcode_Tool_btn");
    clickAt(canvas(0), QPointF(120, 80));
    ASSERT_EQ(document->graphics().size(), 1u);
    const struct {
        const char *symbology, *series, *typed;
        bool twoD;
    } cases[] = {
        {"Code 128", nullptr, "TYPED-0042", false},
        {"QR Code", nullptr, "https://example.org/typed", true},
        {"Code 128", "Staff", "TYPED-0043", false},
        {"QR Code", "Staff", "TYPED QR 7", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.symbology) + (c.series ? " with a series" : " with no series"));
        Data_Folder_Path = pathIn(c.series ? "with-series" : "no-series");
        ASSERT_TRUE(QDir().mkpath(Data_Folder_Path));
        if (c.series) {
            ASSERT_TRUE(Write_Series_File(Series_File_Path(QString::fromLatin1(c.series)), {"STAFF-1", "STAFF-2"}));
        }
        QString whileSeries, backToManual;
        QByteArray previewReads;
        const auto previous = Barcode_Gen::setModalRunner([&](Barcode_Gen &w) {
            const auto value = [&] { return c.twoD ? w.dataText_2D->toPlainText() : w.dataText->text(); };
            w.barcodeTypePopup->setCurrentText(QString::fromLatin1(c.symbology));
            if (c.twoD)
                w.dataText_2D->setPlainText(QString::fromLatin1(c.typed));
            else
                w.dataText->setText(QString::fromLatin1(c.typed));
            w.Data_source_type->setCurrentText(QStringLiteral("Series"));
            if (c.series)
                w.Batch_Series->setCurrentText(QString::fromLatin1(c.series));
            whileSeries = value();
            w.Data_source_type->setCurrentText(QStringLiteral("Manual"));
            backToManual = value();
            previewReads = readBarcode(zxing, w.Preview_Image());
            press(w.OK_Btn);
            return w.result();
        });
        press(controller->findChild<QPushButton *>("Barcode_Edit_btn"));
        Barcode_Gen::setModalRunner(previous);
        EXPECT_EQ(whileSeries, c.series ? QStringLiteral("STAFF-1") : QString());
        EXPECT_EQ(backToManual, QString::fromLatin1(c.typed));
        EXPECT_EQ(previewReads, QByteArray(c.typed));
        EXPECT_EQ(document->graphics()[0]->data_source_type, 0);
        EXPECT_EQ(readBarcode(zxing, document->graphics()[0]->_barcode_image), QByteArray(c.typed));
    }
}

// The palette's watermark button and the Tools menu's item both leave the selection and open
// the card's watermark tab.
TEST_F(IntegrationTest, WatermarkButtonAndMenuOpenTheWatermarkTab)
{
    click("Rect_Tool_btn");
    clickAt(canvas(0), QPointF(60, 60));
    ASSERT_EQ(document->graphics().size(), 1u);
    for (const bool fromMenu : {false, true}) {
        SCOPED_TRACE(fromMenu);
        canvas(0)->changeSelectionIndexes({0});
        controller->Show_RHS_Properties(document->graphics()[0].get());
        ASSERT_NE(controller->sett_tab->currentWidget(), controller->card_brdr_tab);
        if (fromMenu)
            press(outlet<QAction>("watermark_menu"));
        else
            click("Watermark_Tool_btn");
        EXPECT_EQ(controller->sett_tab->currentWidget(), controller->card_brdr_tab);
        EXPECT_EQ(controller->Last_Selected_Graphic(), nullptr);
    }
}

// The toolbar's Print and the canvas menu's Print each open the print window once.
TEST_F(IntegrationTest, PrintButtonAndCanvasMenuOpenThePrintWindow)
{
    const auto opened = [this] {
        int count = 0;
        for (const auto &request : ui->requests())
            count += request.kind == QLatin1String("Print_Wnd");
        return count;
    };
    click("Print_btn");
    EXPECT_EQ(opened(), 1);
    std::unique_ptr<QMenu> menu(controller->currentCanvas()->contextMenu());
    QAction *item = menu->findChild<QAction *>(QStringLiteral("print_id_card:"));
    ASSERT_TRUE(item);
    press(item);
    EXPECT_EQ(opened(), 2);
}

}  // namespace

