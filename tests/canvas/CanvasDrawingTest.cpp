// What the canvas shows: stacking, handles, grid, marquee, zoom and the centring clip view,
// and a picture of a side with one control of every kind.

#include "CanvasTestSupport.h"

#include "core/Globals.h"
#include "core/SKTBarcode.h"
#include "core/SKTImage.h"
#include "core/SKTLine.h"
#include "core/SKTSignature.h"
#include "core/SKTText.h"
#include "canvas/SKTZoomingScrollView.h"
#include "core/Shape_Control.h"

#include <QComboBox>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace canvastest;

namespace {

QImage grabOf(QWidget &w) { return w.grab().toImage().convertToFormat(QImage::Format_ARGB32); }

bool isHandleColour(QColor c, bool locked)
{
    const QColor want = locked ? QColor(Qt::red) : QGuiApplication::palette().color(QPalette::Highlight);
    return coretest::near(c, want, 10);
}

}  // namespace

TEST(GridTest, SnapsPointsAndRectanglesToTheNearestLine)
{
    SKTGrid grid;
    EXPECT_EQ(grid.spacing(), 9.0);
    EXPECT_EQ(grid.constrainedPoint(QPointF(13.4, 4.5)), QPointF(13.4, 4.5)) << "not constraining yet";
    grid.setConstraining(true);
    struct Case {
        QPointF in, out;
    };
    for (const Case &c : {Case{{13.4, 4.5}, {9, 9}}, Case{{13.5, 22.4}, {18, 18}}, Case{{-4.4, -4.6}, {0, -9}}})
        EXPECT_EQ(grid.constrainedPoint(c.in), c.out) << c.in.x() << "," << c.in.y();
    EXPECT_EQ(grid.alignedRect(QRectF(4, 4, 10, 10)), QRectF(0, 0, 18, 18));
    grid.setSpacing(0);
    EXPECT_FALSE(grid.canAlign());
    EXPECT_EQ(grid.constrainedPoint(QPointF(13.4, 4.5)), QPointF(13.4, 4.5));
}

TEST(GridTest, AnnouncesEveryChangeAndTheShownFlag)
{
    SKTGrid grid;
    int any = 0;
    std::vector<bool> shown;
    QObject::connect(&grid, &SKTGrid::anyChanged, [&] { ++any; });
    QObject::connect(&grid, &SKTGrid::alwaysShownChanged, [&](bool on) { shown.push_back(on); });
    grid.setSpacing(12);
    grid.setSpacing(12);
    grid.setColor(Qt::red);
    grid.setAlwaysShown(true);
    grid.setConstraining(true);
    EXPECT_EQ(any, 4);
    EXPECT_EQ(shown, std::vector<bool>{true});
    EXPECT_TRUE(grid.canSetColor());
    EXPECT_TRUE(grid.canSetSpacing());
}

TEST(GridTest, APartialRepaintDrawsEveryLineInsideTheDirtyRectangle)
{
    SKTGrid grid;
    grid.setAlwaysShown(true);
    grid.setColor(Qt::black);
    QImage image(243, 154, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        grid.drawRect(p, QRectF(100, 40, 30, 25));  // narrower than its last line's number
    }
    for (int x : {108, 117, 126})
        EXPECT_LT(image.pixelColor(x, 50).lightness(), 128) << "vertical line at " << x;
    for (int y : {45, 54, 63})
        EXPECT_LT(image.pixelColor(104, y).lightness(), 128) << "horizontal line at " << y;
    EXPECT_EQ(image.pixelColor(99, 50), QColor(Qt::white)) << "nothing outside the rectangle";
    EXPECT_EQ(image.pixelColor(112, 50), QColor(Qt::white)) << "nothing between lines";
}

TEST_F(CanvasTest, IndexZeroIsPaintedOnTopAndHandlesShowTheSelection)
{
    addRect(QRectF(20, 20, 60, 60), Qt::red);
    addRect(QRectF(50, 50, 60, 60), Qt::green);
    const SKTGraphicPtr locked = addRect(QRectF(150, 40, 40, 40), Qt::blue);
    locked->ctrl_is_locked = true;
    view->changeSelectionIndexes({1, 2});
    const QImage shot = grabOf(*view);
    EXPECT_EQ(shot.pixelColor(65, 65), QColor(Qt::red)) << "index 0 covers index 1";
    EXPECT_EQ(shot.pixelColor(100, 100), QColor(Qt::green));
    EXPECT_TRUE(isHandleColour(shot.pixelColor(110, 110), false)) << "handle 8 of the selected control";
    EXPECT_TRUE(isHandleColour(shot.pixelColor(190, 80), true)) << "a locked control's handles are red";
    EXPECT_EQ(shot.pixelColor(20, 20), QColor(Qt::red)) << "no handles on the unselected control";
    EXPECT_EQ(view->Selected_Graphic(), doc->graphics()[1].get()) << "the frontmost selected drawn";
    // A current control stays current through a pass.
    view->Set_Selected_Graphic(locked.get());
    grabOf(*view);
    EXPECT_EQ(view->Selected_Graphic(), locked.get());
    // Hidden handles are not drawn.
    view->hideHandlesMomentarily();
    EXPECT_EQ(grabOf(*view).pixelColor(110, 110), QColor(Qt::white));
}

TEST_F(CanvasTest, TheGridIsDrawnOverControlsAndTheMarqueeOnTop)
{
    grid.setColor(Qt::black);
    addRect(QRectF(30, 30, 60, 60), Qt::green);
    EXPECT_EQ(grabOf(*view).pixelColor(36, 40), QColor(Qt::green)) << "no grid while it is not shown";
    grid.setAlwaysShown(true);
    QImage shot = grabOf(*view);
    EXPECT_LT(shot.pixelColor(36, 40).lightness(), 100) << "grid line x = 36 over the control";
    EXPECT_LT(shot.pixelColor(200, 45).lightness(), 100) << "grid line y = 45 on the card";
    EXPECT_EQ(shot.pixelColor(40, 40), QColor(Qt::green));

    press(QPointF(150, 100));
    moveTo(QPointF(200, 130));
    shot = grabOf(*view);
    EXPECT_EQ(view->marqueeSelectionBounds(), QRectF(150, 100, 50, 30));
    EXPECT_NE(shot.pixelColor(175, 100), QColor(Qt::white)) << "the marquee's frame";
    release(QPointF(200, 130));
    EXPECT_EQ(grabOf(*view).pixelColor(175, 100), QColor(Qt::white));
}

TEST_F(CanvasTest, PaintingDoesNotAskForAnotherPaint)
{
    auto text = std::make_shared<SKTText>();
    text->setBounds(QRectF(10, 10, 80, 20));
    text->Set_text_value(QStringLiteral("Name"));
    doc->appendGraphicOnSide(0, text);
    addRect(QRectF(100, 20, 40, 40));
    auto line = std::make_shared<SKTLine>();
    line->setBounds(QRectF(10, 100, 100, 20));
    doc->appendGraphicOnSide(0, line);
    hub.refreshes = 0;
    view->resize(view->size());
    for (int i = 0; i < 3; ++i)
        grabOf(*view);
    EXPECT_EQ(hub.refreshes, 0);
}

TEST_F(CanvasTest, ChangingAControlRepaintsItsOldAndNewArea)
{
    const SKTGraphicPtr g = addRect(QRectF(20, 20, 30, 30), Qt::red);
    view->show();
    QCoreApplication::processEvents();
    g->setBounds(QRectF(120, 60, 30, 30));
    QImage shot = grabOf(*view);
    EXPECT_EQ(shot.pixelColor(35, 35), QColor(Qt::white)) << "nothing left behind";
    EXPECT_EQ(shot.pixelColor(135, 75), QColor(Qt::red));
    view->hide();
}

TEST_F(CanvasTest, SizesAndAreasBeyondAnyPixelStayWithinTheWidget)
{
    // Neither a card size nor a dirty area of 1e300 points may reach a pixel's int.
    view->setCanvasSize(QSizeF(1e300, 1e300));
    view->setCanvasSize(QSizeF(200, 100));
    const SKTGraphicPtr g = addRect(QRectF(20, 20, 30, 30), Qt::red);
    g->setBounds(QRectF(-1e300, 1e300, 1e300, 1e300));
    g->setBounds(QRectF(20, 20, 30, 30));
    EXPECT_EQ(grabOf(*view).pixelColor(35, 35), QColor(Qt::red));
}

// A front canvas in its zooming scroll view, over an empty document.
struct ZoomedCanvas {
    explicit ZoomedCanvas(QSize viewSize)
    {
        scroll.resize(viewSize);
        canvas = new SKTGraphicView;
        canvas->bindGraphics(&doc, 0);
        canvas->setCardProperty(&hub.card);
        scroll.setCanvas(canvas);
    }
    kindstest::CardHub hub;
    SKTDocument doc;
    SKTZoomingScrollView scroll;
    SKTGraphicView *canvas = nullptr;  // owned by the scroll view
};

TEST(ZoomTest, TwoHundredPercentDoublesTheCanvas)
{
    ZoomedCanvas z(QSize(800, 600));
    SKTDocument &doc = z.doc;
    SKTZoomingScrollView &scroll = z.scroll;
    SKTGraphicView *canvas = z.canvas;
    SKTGraphicPtr g(kindstest::filledRect(QRectF(10, 10, 20, 20), Qt::red));
    doc.appendGraphicOnSide(0, g);
    EXPECT_EQ(canvas->size(), QSize(243, 154));
    scroll.setFactor(2.0);
    EXPECT_EQ(canvas->size(), QSize(486, 308));
    EXPECT_EQ(canvas->canvasBounds(), QRectF(0, 0, 243, 154)) << "the canvas's own bounds stay";
    EXPECT_EQ(scroll.factorPopUpButton()->currentText(), QStringLiteral("200%"));
    const QImage shot = grabOf(*canvas);
    EXPECT_EQ(shot.pixelColor(58, 58), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(62, 62), QColor(Qt::white));
    // The pop-up carries the eleven factors and zooms too.
    QComboBox *popUp = scroll.factorPopUpButton();
    ASSERT_EQ(popUp->count(), 11);
    EXPECT_EQ(popUp->itemText(3), QStringLiteral("100%"));
    popUp->setCurrentIndex(0);
    emit popUp->activated(0);
    EXPECT_EQ(scroll.factor(), 0.25);
    EXPECT_EQ(canvas->size(), QSize(61, 39));
    // Clicks land on the card point under them at any zoom.
    scroll.setFactor(2.0);
    EXPECT_EQ(canvas->pointFromWidget(QPointF(40, 40)), QPointF(20, 20));
}

TEST(ZoomTest, TheClipViewCentresASmallCardAndPaintsTheBackdrop)
{
    EXPECT_EQ(SWCenteringClipView::centredOrigin(243, 500, 0), -129);
    EXPECT_EQ(SWCenteringClipView::centredOrigin(800, 500, 40), 40);
    EXPECT_EQ(SWCenteringClipView::constrainScrollPoint(900, 800, 500), 300);
    EXPECT_EQ(SWCenteringClipView::constrainScrollPoint(-5, 800, 500), 0);
    EXPECT_EQ(SWCenteringClipView::constrainScrollPoint(7, 243, 500), -129);

    ZoomedCanvas z(QSize(500, 400));
    SKTZoomingScrollView &scroll = z.scroll;
    SKTGraphicView *canvas = z.canvas;
    scroll.show();
    QCoreApplication::processEvents();
    const QRect g = canvas->geometry();
    const QRect vp = scroll.viewport()->rect();
    EXPECT_NEAR(g.center().x(), vp.center().x(), 1);
    EXPECT_NEAR(g.center().y(), vp.center().y(), 1);
    const QImage backdrop = grabOf(*scroll.viewport());
    EXPECT_NEAR(backdrop.pixelColor(2, 2).lightnessF(), 0.88, 0.03);
    EXPECT_NEAR(backdrop.pixelColor(2, vp.height() - 3).lightnessF(), 0.78, 0.03);
}

TEST(ZoomTest, RulersEchoAMovingRectangle)
{
    ZoomedCanvas z(QSize(500, 400));
    SKTZoomingScrollView &scroll = z.scroll;
    SKTGraphicView *canvas = z.canvas;
    EXPECT_FALSE(canvas->rulersVisible());
    canvas->showOrHideRulers();
    EXPECT_TRUE(canvas->rulersVisible());
    QString title;
    canvas->validateMenuItem(QStringLiteral("showOrHideRulers:"), &title);
    EXPECT_EQ(title, QStringLiteral("Hide Ruler"));
    canvas->beginEchoingMoveToRulers(QRectF(20, 30, 100, 40));
    EXPECT_EQ(scroll.horizontalRuler()->markerLocations(), (QList<double>{20, 70, 120}));
    EXPECT_EQ(scroll.verticalRuler()->markerLocations(), (QList<double>{30, 50, 70}));
    canvas->continueEchoingMoveToRulers(QRectF(30, 30, 100, 40));
    EXPECT_EQ(scroll.horizontalRuler()->markerLocations(), (QList<double>{30, 80, 130}));
    canvas->stopEchoingMoveToRulers();
    EXPECT_TRUE(scroll.horizontalRuler()->markerLocations().isEmpty());
    EXPECT_TRUE(scroll.verticalRuler()->markerLocations().isEmpty());
    EXPECT_EQ(canvas->rulerEchoedBounds(), QRectF());
}

TEST_F(CanvasTest, ASideWithEveryKindOfControlShowsHandlesAndGrid)
{
    hub.card.setCard_fill_chk(true);
    hub.card.setCard_fill_clr(QColor(250, 250, 240));
    grid.setAlwaysShown(true);
    SKTZoomingScrollView scroll;
    scroll.resize(700, 500);
    view->setParent(nullptr);
    scroll.setCanvas(view.release());
    SKTGraphicView *canvas = scroll.canvas();
    hub.canvas = canvas;

    // One control of every kind, placed by the tools as a user would.
    const struct {
        int tool;
        QPointF from, to;
    } draws[] = {
        {3, {10, 10}, {60, 45}},   {4, {70, 10}, {110, 45}},  {13, {120, 8}, {160, 48}},
        {1, {10, 60}, {100, 60}},  {2, {10, 70}, {110, 95}},  {11, {120, 60}, {200, 90}},
        {12, {205, 60}, {235, 95}},
    };
    for (const auto &d : draws) {
        hub.tool = d.tool;
        QTest::mousePress(canvas, Qt::LeftButton, {}, d.from.toPoint());
        QTest::mouseMove(canvas, d.to.toPoint());
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, d.to.toPoint());
    }
    canvas->Set_Selected_Graphic(nullptr);
    doc->graphics()[2]->Set_text_value(QStringLiteral("Jane Doe"));
    Library_Selected_Image = Resource_Path + QStringLiteral("/pic_ic.png");
    hub.tool = 8;
    canvas->createGraphicOfClass(SKTGraphicKind::Image, nullptr, true, QRectF(170, 8, 60, 45), "F", QString(),
                                 QStringLiteral("logo"));
    Library_Selected_Image.clear();
    hub.tool = 10;
    canvas->createGraphicOfClass(SKTGraphicKind::Barcode, nullptr, true, QRectF(20, 105, 50, 50), "F", QString(),
                                 QStringLiteral("code"));
    ASSERT_EQ(doc->graphics().size(), 9u);
    // Select the rectangle (now at index 8).
    canvas->changeSelectionIndexes({8});
    scroll.show();
    QCoreApplication::processEvents();
    const QImage shot = grabOf(*canvas);

    QTemporaryDir dir;
    ASSERT_TRUE(shot.save(dir.filePath(QStringLiteral("canvas.png"))));
    shot.save(QStringLiteral("/tmp/canvas-shot.png"));
    QImage whole = scroll.grab().toImage();
    whole.save(QStringLiteral("/tmp/canvas-shot-window.png"));

    const QRectF rect = doc->graphics()[8]->bounds();
    EXPECT_EQ(rect, QRectF(10, 10, 50, 35)) << "a shown grid does not snap by itself";
    // Handles 8 and 2, away from the grid lines drawn over them.
    EXPECT_TRUE(isHandleColour(shot.pixelColor(62, 47), false));
    EXPECT_TRUE(isHandleColour(shot.pixelColor(34, 11), false));
    EXPECT_FALSE(isHandleColour(shot.pixelColor(110, 45), false)) << "the ellipse is not selected";
    // A grid line in an empty part of the card.
    EXPECT_TRUE(coretest::near(shot.pixelColor(180, 101), Qt::lightGray, 30)) << "grid at x = 180";
    EXPECT_TRUE(coretest::near(shot.pixelColor(185, 99), Qt::lightGray, 30)) << "grid at y = 99";
    EXPECT_TRUE(coretest::near(shot.pixelColor(184, 102), QColor(250, 250, 240), 6)) << "card between lines";
}
