// Canvas commands: clipboard, alignment, order, sizes, frame fields, placing controls without
// the mouse, and the look-ups by control id.

#include "CanvasTestSupport.h"

#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "core/SKTImage.h"
#include "core/SKTText.h"
#include "platform/UiServices.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>

using namespace canvastest;

TEST_F(CanvasTest, CopyThenPasteOnTheOtherSideKeepsPositionsAndTheNextPasteCascades)
{
    addRect(QRectF(30, 40, 20, 10), Qt::red);
    addRect(QRectF(100, 60, 30, 30), Qt::green);
    view->selectAll();
    view->copy();
    std::unique_ptr<SKTGraphicView> back = canvasForSide(1);
    back->paste();
    const SKTGraphicArray &b = doc->graphics_back();
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(b[0]->bounds(), QRectF(30, 40, 20, 10));
    EXPECT_EQ(b[1]->bounds(), QRectF(100, 60, 30, 30));
    EXPECT_EQ(back->selectionIndexes(), (SKTIndexSet{0, 1}));
    EXPECT_EQ(back->Selected_Graphic(), b[0].get());
    EXPECT_EQ(hub.snapshots, 1) << "paste records the side before it";
    // Pasting the same content again on the back is placed from the next new-control point.
    back->paste();
    ASSERT_EQ(b.size(), 4u);
    EXPECT_NE(b[0]->bounds().topLeft(), QPointF(30, 40));
    EXPECT_EQ(b[0]->bounds().size(), QSizeF(20, 10));
    // On the canvas that copied, the first paste is already re-placed.
    view->paste();
    ASSERT_EQ(front().size(), 4u);
    EXPECT_NE(front()[0]->bounds().topLeft(), QPointF(30, 40));
    EXPECT_EQ(front()[0]->_fillColor.red(), 255);
}

TEST_F(CanvasTest, CutRefusesALockedSelectionAndOtherwiseRemovesWhatItCopied)
{
    platform::ScopedScriptedUi ui;
    const SKTGraphicPtr g = addRect(QRectF(30, 40, 20, 10));
    view->changeSelectionIndexes({0});
    g->ctrl_is_locked = true;
    view->cut();
    EXPECT_EQ(front().size(), 1u);
    EXPECT_EQ(ui->messages().back().trimmed(), QStringLiteral("Selected control is locked."));
    g->ctrl_is_locked = false;
    view->cut();
    EXPECT_TRUE(front().empty());
    EXPECT_TRUE(view->validateMenuItem(QStringLiteral("paste:")));
    view->paste();
    ASSERT_EQ(front().size(), 1u);
}

TEST_F(CanvasTest, APastedPictureLandsOnTheCardWithItsFileSaved)
{
    QImage picture(40, 30, QImage::Format_ARGB32);
    picture.fill(Qt::magenta);
    auto *data = new QMimeData;
    data->setImageData(picture);
    QGuiApplication::clipboard()->setMimeData(data);
    view->paste();
    ASSERT_EQ(front().size(), 1u);
    const SKTGraphicPtr image = front()[0];
    EXPECT_EQ(image->kind(), SKTGraphicKind::Image);
    const QString path = image->_file_path;
    EXPECT_TRUE(path.startsWith(Created_Resource_Path + QStringLiteral("/Images_save_by_user/"))) << qPrintable(path);
    ASSERT_TRUE(QFileInfo(path).isFile());
    EXPECT_EQ(QImage(path).pixelColor(20, 15), QColor(Qt::magenta));
    EXPECT_TRUE(QRectF(0, 0, 243, 154).contains(image->bounds().topLeft()));
    EXPECT_EQ(image->bounds().size(), QSizeF(40, 30));
    EXPECT_EQ(view->selectionIndexes(), SKTIndexSet{0});

    // File names alone paste nothing.
    auto *files = new QMimeData;
    files->setUrls({QUrl::fromLocalFile(path)});
    QGuiApplication::clipboard()->setMimeData(files);
    view->paste();
    EXPECT_EQ(front().size(), 1u);
}

TEST_F(CanvasTest, AlignmentMovesUnlockedControlsToALockedReference)
{
    struct Case {
        const char *name;
        void (SKTGraphicView::*command)();
        QPointF second, third;  // expected origins of the later controls
    };
    const QRectF ref(50, 30, 40, 20);
    const std::vector<Case> cases{
        {"left", &SKTGraphicView::alignLeftEdges, {50, 80}, {50, 100}},
        {"right", &SKTGraphicView::alignRightEdges, {70, 80}, {60, 100}},
        {"top", &SKTGraphicView::alignTopEdges, {10, 30}, {150, 30}},
        {"bottom", &SKTGraphicView::alignBottomEdges, {10, 30}, {150, 20}},
        // Centres go to the card's centre, not the reference's.
        {"horizontal centres", &SKTGraphicView::alignHorizontalCenters, {111.5, 80}, {106.5, 100}},
        {"vertical centres", &SKTGraphicView::alignVerticalCenters, {10, 67}, {150, 62}},
        {"card centre", &SKTGraphicView::alignformCenter, {111.5, 67}, {106.5, 62}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        doc->removeAllGraphicsOnSide(0);
        const SKTGraphicPtr first = addRect(ref);
        const SKTGraphicPtr second = addRect(QRectF(10, 80, 20, 20));
        const SKTGraphicPtr third = addRect(QRectF(150, 100, 30, 30));
        first->ctrl_is_locked = true;
        view->selectAll();
        (view.get()->*c.command)();
        EXPECT_EQ(second->bounds().topLeft(), c.second);
        EXPECT_EQ(third->bounds().topLeft(), c.third);
        EXPECT_EQ(first->bounds(), ref) << "the locked reference stays";
        EXPECT_EQ(second->bounds().size(), QSizeF(20, 20));
    }
}

TEST_F(CanvasTest, AligningASingleControlUsesTheCardAndALockedOneStays)
{
    const SKTGraphicPtr g = addRect(QRectF(50, 30, 40, 20));
    view->changeSelectionIndexes({0});
    view->alignRightEdges();
    EXPECT_EQ(g->bounds().topLeft(), QPointF(203, 30));
    view->alignBottomEdges();
    EXPECT_EQ(g->bounds().topLeft(), QPointF(203, 134));
    view->alignLeftEdges();
    view->alignTopEdges();
    EXPECT_EQ(g->bounds().topLeft(), QPointF(0, 0));
    g->ctrl_is_locked = true;
    view->alignformCenter();
    EXPECT_EQ(g->bounds().topLeft(), QPointF(0, 0));
}

TEST_F(CanvasTest, ZOrderMovesTheSelectionAsABlockKeepingItsOrder)
{
    const SKTGraphicPtr a = addRect(QRectF(10, 10, 10, 10));
    const SKTGraphicPtr b = addRect(QRectF(30, 10, 10, 10));
    const SKTGraphicPtr c = addRect(QRectF(50, 10, 10, 10));
    const SKTGraphicPtr d = addRect(QRectF(70, 10, 10, 10));
    view->changeSelectionIndexes({1, 3});
    view->bringToFront();
    EXPECT_EQ(front(), (SKTGraphicArray{b, d, a, c}));
    EXPECT_EQ(view->selectionIndexes(), (SKTIndexSet{0, 1}));
    view->sendToBack();
    EXPECT_EQ(front(), (SKTGraphicArray{a, c, b, d}));
    EXPECT_EQ(view->selectionIndexes(), (SKTIndexSet{2, 3}));

    platform::ScopedScriptedUi ui;
    d->ctrl_is_locked = true;
    view->bringToFront();
    EXPECT_EQ(front(), (SKTGraphicArray{a, c, b, d}));
    EXPECT_EQ(ui->messages().size(), 1);
}

TEST_F(CanvasTest, SameSizeSkipsBarcodesButABarcodeCanBeTheReference)
{
    const SKTGraphicPtr code(Make_Graphic_Of_Class(QStringLiteral("SKTBarcode")));
    code->setBounds(QRectF(10, 10, 60, 30));
    doc->appendGraphicOnSide(0, code);
    const SKTGraphicPtr r = addRect(QRectF(100, 50, 20, 20));
    const SKTGraphicPtr code2(Make_Graphic_Of_Class(QStringLiteral("SKTBarcode")));
    code2->setBounds(QRectF(100, 100, 25, 25));
    doc->appendGraphicOnSide(0, code2);
    view->selectAll();
    EXPECT_TRUE(hub.sameSizeEnabled);
    view->makeSameWidth();
    view->makeSameHeight();
    EXPECT_EQ(r->bounds(), QRectF(100, 50, 60, 30));
    EXPECT_EQ(code2->bounds().size(), QSizeF(25, 25));
    view->changeSelectionIndexes({1});
    EXPECT_FALSE(hub.sameSizeEnabled);
}

TEST_F(CanvasTest, FrameFieldsReadWidthAndHeightInTheUnitShown)
{
    const SKTGraphicPtr g = addRect(QRectF(10, 10, 20, 20));
    view->changeSelectionIndexes({0});
    struct Case {
        double value;
        int unit;
        double points;
    };
    for (const Case &c : {Case{1.0, 0, 72.0}, Case{2.54, 1, 72.0}, Case{25.4, 2, 72.0}, Case{10, 2, 28.35}}) {
        view->Frame_main_Pic_Wdith_Changed(c.value, c.unit);
        view->Frame_main_Pic_Height_Changed(c.value / 2, c.unit);
        EXPECT_NEAR(g->width(), c.points, 0.01) << c.unit;
        EXPECT_NEAR(g->height(), c.points / 2, 0.01) << c.unit;
    }
    view->Frame_main_Pic_X_Pos_Changed(33);
    view->Frame_main_Pic_Y_Pos_Changed(44);
    EXPECT_EQ(g->bounds().topLeft(), QPointF(33, 44));
}

TEST_F(CanvasTest, PlacingWithoutTheMouseUsesDefaultSizesAndSnapsToTheGrid)
{
    hub.tool = 3;
    view->createGraphicOfClass(SKTGraphicKind::Shape, nullptr, false, QRectF(), "F", QString(), QString());
    ASSERT_EQ(front().size(), 1u);
    EXPECT_EQ(front()[0]->bounds(), QRectF(30, 30, 50, 50)) << "the next new-control point, 50 by 50";
    view->createGraphicOfClass(SKTGraphicKind::Text, nullptr, true, QRectF(5, 6, 200, 100), "F",
                               QStringLiteral("Ann"), QStringLiteral("Fup_Name"));
    ASSERT_EQ(front().size(), 2u);
    EXPECT_EQ(front()[0]->bounds(), QRectF(5, 6, 70, 20)) << "a profile text keeps its origin, 70 by 20";
    EXPECT_EQ(front()[0]->Text_Value, QStringLiteral("Ann"));
    EXPECT_FALSE(front()[0]->_isDrawingFill);
    EXPECT_EQ(hub.tool, 0);
    // The same id again adds nothing.
    view->createGraphicOfClass(SKTGraphicKind::Text, nullptr, true, QRectF(5, 6, 200, 100), "F",
                               QStringLiteral("Bob"), QStringLiteral("Fup_Name"));
    EXPECT_EQ(front().size(), 2u);

    grid.setConstraining(true);
    hub.tool = 3;
    view->createGraphicOfClass(SKTGraphicKind::Shape, nullptr, true, QRectF(13, 13, 50, 50), "F", QString(),
                               QStringLiteral("box"));
    EXPECT_EQ(front()[0]->bounds(), QRectF(9, 9, 54, 54));
}

TEST_F(CanvasTest, ABarcodePlacedWithoutAProviderShowsTheSamplePicture)
{
    hub.tool = 10;
    view->createGraphicOfClass(SKTGraphicKind::Barcode, nullptr, false, QRectF(), "F", QString(), QString());
    ASSERT_EQ(front().size(), 1u);
    const SKTGraphicPtr code = front()[0];
    EXPECT_EQ(code->kind(), SKTGraphicKind::Barcode);
    EXPECT_FALSE(code->_barcode_image.isNull());
    EXPECT_EQ(code->_barcode_image.size(), QImage(Resource_Path + QStringLiteral("/barcode_sample.png")).size());
    EXPECT_EQ(code->bar_image_ctrl_bounds, code->bounds());
    EXPECT_FALSE(hub.naturalSizeEnabled);
}

TEST_F(CanvasTest, ReplacingAValueShowsAHiddenControlOrCreatesIt)
{
    hub.fillUserProfile = true;
    view->ReplaceGraphicText(SKTGraphicKind::Text, true, QRectF(20, 20, 10, 10), "F", QStringLiteral("Ann"),
                             QStringLiteral("Fup_Name"));
    ASSERT_EQ(front().size(), 1u);
    front()[0]->Set_Ctrl_Is_Visible(false);
    view->ReplaceGraphicText(SKTGraphicKind::Text, true, QRectF(20, 20, 10, 10), "F", QStringLiteral("Bea"),
                             QStringLiteral("Fup_Name"));
    ASSERT_EQ(front().size(), 1u);
    EXPECT_TRUE(front()[0]->ctrl_is_visible);
    EXPECT_EQ(front()[0]->Text_Value, QStringLiteral("Bea"));
    EXPECT_EQ(hub.snapshots, 0) << "no snapshots while profile values are filled in";
}

TEST_F(CanvasTest, LookUpsAndHidingByControlId)
{
    auto text = std::make_shared<SKTText>();
    text->control_ID = QStringLiteral("Fup_lbl_Photo");
    auto photo = std::make_shared<SKTImage>();
    photo->control_ID = QStringLiteral("Fup_Photo");
    const SKTGraphicPtr shape = addRect(QRectF(1, 1, 5, 5));
    shape->control_ID = QStringLiteral("Fup_Name");
    doc->appendGraphicOnSide(0, text);
    doc->appendGraphicOnSide(0, photo);
    EXPECT_EQ(view->Selcect_Ctrl_With_ID(QString()), nullptr);
    EXPECT_EQ(view->Selcect_Ctrl_With_ID(QStringLiteral("Fup_Name")), nullptr) << "shapes are never found";
    EXPECT_EQ(view->Selcect_Ctrl_With_ID(QStringLiteral("Fup_Photo")), photo.get());
    view->Set_Selection_Index_According_ID(QStringLiteral("Fup_Name"));
    EXPECT_EQ(view->selectionIndexes(), SKTIndexSet{0});
    EXPECT_EQ(view->Selected_Graphic(), shape.get());
    view->Hide_all_Text_control_FUP_Control();
    EXPECT_TRUE(photo->ctrl_is_visible);
    EXPECT_FALSE(text->ctrl_is_visible);
    EXPECT_TRUE(shape->ctrl_is_visible);
}

TEST_F(CanvasTest, MenuValidationFollowsTheSelection)
{
    struct Case {
        const char *action;
        int selected;
        bool enabled;
    };
    addRect(QRectF(10, 10, 20, 20));
    addRect(QRectF(40, 10, 20, 40));
    const std::vector<Case> cases{
        {"copy:", 0, false},          {"copy:", 1, true},           {"alignLeftEdges:", 1, false},
        {"alignLeftEdges:", 2, true}, {"makeSameWidth:", 2, true},  {"makeNaturalSize:", 0, false},
        {"alignWithGrid:", 1, true},  {"alignformCenter:", 0, true}, {"showOrHideRulers:", 0, true},
    };
    for (const Case &c : cases) {
        view->changeSelectionIndexes(c.selected == 0 ? SKTIndexSet{} : c.selected == 1 ? SKTIndexSet{1}
                                                                                          : SKTIndexSet{0, 1});
        EXPECT_EQ(view->validateMenuItem(QString::fromLatin1(c.action)), c.enabled) << c.action << " " << c.selected;
    }
    view->changeSelectionIndexes({1});
    view->Set_Selected_Graphic(front()[1].get());
    front()[1]->ctrl_is_locked = true;
    EXPECT_FALSE(view->validateMenuItem(QStringLiteral("delete:")));
    EXPECT_TRUE(view->validateMenuItem(QStringLiteral("unlock_ctrl:")));
    EXPECT_TRUE(view->validateMenuItem(QStringLiteral("makeNaturalSize:")));
}
