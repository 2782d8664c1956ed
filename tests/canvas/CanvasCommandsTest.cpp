// Canvas commands: pasted pictures, alignment, order, sizes, placing controls without the mouse
// and the menu.

#include "CanvasTestSupport.h"

#include "platform/UiServices.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

using namespace canvastest;

TEST_F(CanvasTest, APastedPictureLandsOnTheCardWithItsFileSaved)
{
    QImage picture(40, 30, QImage::Format_ARGB32);
    picture.fill(Qt::magenta);
    auto *data = new QMimeData;
    data->setImageData(picture);
    QGuiApplication::clipboard()->setMimeData(data);
    view->paste();
    ASSERT_EQ(front().size(), 1u);
    const QString path = front()[0]->_file_path;
    EXPECT_TRUE(path.startsWith(Created_Resource_Path + "/Images_save_by_user/")) << qPrintable(path);
    ASSERT_TRUE(QFileInfo(path).isFile());
    EXPECT_EQ(QImage(path).pixelColor(20, 15), QColor(Qt::magenta));
    EXPECT_TRUE(QRectF(0, 0, 243, 154).contains(front()[0]->bounds().topLeft()));
    EXPECT_EQ(front()[0]->bounds().size(), QSizeF(40, 30));
}

TEST_F(CanvasTest, AlignmentMovesUnlockedControlsToALockedReference)
{
    using V = SKTGraphicView;
    const struct {
        const char *name;
        void (SKTGraphicView::*command)();
        bool single, locked;           // one control selected; the first locked
        QPointF first, second, third;  // expected origins (only the first when single)
    } cases[] = {
        {"left", &V::alignLeftEdges, false, true, {50, 30}, {50, 80}, {50, 100}},
        {"right", &V::alignRightEdges, false, true, {50, 30}, {70, 80}, {60, 100}},
        {"top", &V::alignTopEdges, false, true, {50, 30}, {10, 30}, {150, 30}},
        {"bottom", &V::alignBottomEdges, false, true, {50, 30}, {10, 30}, {150, 20}},
        // Centres go to the card's centre, not the reference's.
        {"horizontal centres", &V::alignHorizontalCenters, false, true, {50, 30}, {111.5, 80}, {106.5, 100}},
        {"vertical centres", &V::alignVerticalCenters, false, true, {50, 30}, {10, 67}, {150, 62}},
        {"card centre", &V::alignformCenter, false, true, {50, 30}, {111.5, 67}, {106.5, 62}},
        {"one to the right", &V::alignRightEdges, true, false, {203, 30}, {}, {}},
        {"one to the bottom", &V::alignBottomEdges, true, false, {50, 134}, {}, {}},
        {"one locked stays", &V::alignformCenter, true, true, {50, 30}, {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        doc->removeAllGraphicsOnSide(0);
        addRect(QRectF(50, 30, 40, 20))->ctrl_is_locked = c.locked;
        addRect(QRectF(10, 80, 20, 20));
        addRect(QRectF(150, 100, 30, 30));
        view->changeSelectionIndexes(c.single ? SKTIndexSet{0} : SKTIndexSet{0, 1, 2});
        (view.get()->*c.command)();
        EXPECT_EQ(front()[0]->bounds(), QRectF(c.first, QSizeF(40, 20)));
        EXPECT_EQ(front()[1]->bounds(), QRectF(c.single ? QPointF(10, 80) : c.second, QSizeF(20, 20)));
        EXPECT_EQ(front()[2]->bounds().topLeft(), c.single ? QPointF(150, 100) : c.third);
    }
}

TEST_F(CanvasTest, ZOrderMovesTheSelectionAsABlockKeepingItsOrder)
{
    for (const char *id : {"a", "b", "c", "d"})
        addRect(QRectF(10, 10, 10, 10))->control_ID = QString::fromLatin1(id);
    platform::ScopedScriptedUi ui;
    const struct {  // "d" locked or not
        void (SKTGraphicView::*command)();
        SKTIndexSet before, after;
        bool locked;
        QString order;
    } cases[] = {
        {&SKTGraphicView::bringToFront, {1, 3}, {0, 1}, false, "bdac"},
        {&SKTGraphicView::sendToBack, {0, 1}, {2, 3}, false, "acbd"},
        {&SKTGraphicView::bringToFront, {2, 3}, {2, 3}, true, "acbd"},
    };
    for (const auto &row : cases) {
        front().back()->ctrl_is_locked = row.locked;
        view->changeSelectionIndexes(row.before);
        (view.get()->*row.command)();
        QString order;
        for (const SKTGraphicPtr &g : front())
            order += g->control_ID;
        EXPECT_EQ(order, row.order);
        EXPECT_EQ(view->selectionIndexes(), row.after);
    }
    EXPECT_EQ(ui->messages().size(), 1) << "the locked one is refused with a message";
}

TEST_F(CanvasTest, SameSizeSkipsBarcodesButABarcodeCanBeTheReference)
{
    for (const QRectF &r : {QRectF(10, 10, 60, 30), QRectF(100, 100, 25, 25)}) {
        const SKTGraphicPtr code(Make_Graphic_Of_Class(QStringLiteral("SKTBarcode")));
        code->setBounds(r);
        doc->appendGraphicOnSide(0, code);
    }
    const SKTGraphicPtr r = addRect(QRectF(100, 50, 20, 20));
    view->selectAll();
    EXPECT_TRUE(hub.sameSizeEnabled);  // the first barcode is the reference
    view->makeSameWidth();
    view->makeSameHeight();
    EXPECT_EQ(r->bounds(), QRectF(100, 50, 60, 30));
    EXPECT_EQ(front()[1]->bounds().size(), QSizeF(25, 25));
    view->changeSelectionIndexes({2});
    EXPECT_FALSE(hub.sameSizeEnabled);
}

TEST_F(CanvasTest, PlacingWithoutTheMouseUsesDefaultSizesAndSnapsToTheGrid)
{
    const auto place = [this](SKTGraphicKind kind, int tool, bool useRect, QRectF r, const char *value,
                              const char *id) {
        hub.tool = tool;
        view->createGraphicOfClass(kind, nullptr, useRect, r, "F", value, id);
    };
    place(SKTGraphicKind::Text, 2, true, {5, 6, 200, 100}, "Ann", "Fup_Name");
    ASSERT_EQ(front().size(), 1u);
    const SKTGraphicPtr text = front()[0];
    EXPECT_EQ(text->bounds(), QRectF(5, 6, 70, 20)) << "a profile text keeps its origin, 70 by 20";
    EXPECT_TRUE(text->Text_Value == "Ann" && !text->_isDrawingFill && hub.tool == 0);
    place(SKTGraphicKind::Text, 2, true, {5, 6, 200, 100}, "Bob", "Fup_Name");
    EXPECT_EQ(front().size(), 1u) << "the same id again adds nothing";
    // A profile value shows the hidden control again, without a step of the history.
    hub.fillUserProfile = true;
    text->Set_Ctrl_Is_Visible(false);
    const int snapshots = hub.snapshots;
    view->ReplaceGraphicText(SKTGraphicKind::Text, true, QRectF(20, 20, 10, 10), "F", "Bea", "Fup_Name");
    EXPECT_TRUE(front().size() == 1u && text->ctrl_is_visible && text->Text_Value == "Bea");
    EXPECT_EQ(hub.snapshots, snapshots);
    grid.setConstraining(true);
    place(SKTGraphicKind::Shape, 3, true, {13, 13, 50, 50}, "", "box");
    EXPECT_EQ(front()[0]->bounds(), QRectF(9, 9, 54, 54));
    EXPECT_EQ(view->Selcect_Ctrl_With_ID("Fup_Name"), text.get());
    EXPECT_EQ(view->Selcect_Ctrl_With_ID("box"), nullptr) << "shapes are never found";
    // Without a barcode provider the sample picture stands in.
    place(SKTGraphicKind::Barcode, 10, false, {}, "", "");
    const SKTGraphicPtr code = front()[0];
    ASSERT_EQ(code->kind(), SKTGraphicKind::Barcode);
    EXPECT_EQ(code->_barcode_image.size(), QImage(Resource_Path + "/barcode_sample.png").size());
    EXPECT_EQ(code->bar_image_ctrl_bounds, code->bounds());
    EXPECT_FALSE(hub.naturalSizeEnabled);
}

TEST_F(CanvasTest, MenuValidationFollowsTheSelection)
{
    addRect(QRectF(10, 10, 20, 20));
    addRect(QRectF(40, 10, 20, 40));
    const std::tuple<const char *, SKTIndexSet, bool> cases[] = {
        {"copy:", {}, false},           {"copy:", {1}, true},           {"alignLeftEdges:", {1}, false},
        {"alignLeftEdges:", {0, 1}, true}, {"makeSameWidth:", {0, 1}, true}, {"makeNaturalSize:", {}, false},
        {"alignWithGrid:", {1}, true},  {"alignformCenter:", {}, true},
    };
    for (const auto &[action, selected, enabled] : cases) {
        view->changeSelectionIndexes(selected);
        EXPECT_EQ(view->validateMenuItem(action), enabled) << action << selected.size();
    }
    view->changeSelectionIndexes({1});
    view->Set_Selected_Graphic(front()[1].get());
    front()[1]->ctrl_is_locked = true;
    EXPECT_TRUE(view->validateMenuItem("unlock_ctrl:") && view->validateMenuItem("makeNaturalSize:"));
    // The canvas's own menu: twenty-one items, separators among them, and the grid switch.
    std::unique_ptr<QMenu> menu(view->contextMenu());
    EXPECT_EQ(menu->actions().size(), 21);
    EXPECT_FALSE(menu->findChild<QAction *>("delete:")->isEnabled()) << "a locked control";
    menu->findChild<QAction *>("show_hide_grid_lines:")->trigger();
    EXPECT_TRUE(grid.isAlwaysShown());
}
