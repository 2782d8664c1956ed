// What the canvas shows: stacking, handles, grid, marquee, zoom and the centring clip view.

#include "CanvasTestSupport.h"

#include "core/SKTLine.h"
#include "core/SKTText.h"
#include "canvas/SKTZoomingScrollView.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>

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
    EXPECT_EQ(grid.constrainedPoint(QPointF(13.4, 4.5)), QPointF(13.4, 4.5)) << "not constraining yet";
    grid.setConstraining(true);
    const std::pair<QPointF, QPointF> cases[] = {
        {{13.4, 4.5}, {9, 9}}, {{13.5, 22.4}, {18, 18}}, {{-4.4, -4.6}, {0, -9}}};
    for (const auto &[in, out] : cases)
        EXPECT_EQ(grid.constrainedPoint(in), out) << in.x() << "," << in.y();
    EXPECT_EQ(grid.alignedRect(QRectF(4, 4, 10, 10)), QRectF(0, 0, 18, 18));
    grid.setSpacing(0);
    EXPECT_EQ(grid.constrainedPoint(QPointF(13.4, 4.5)), QPointF(13.4, 4.5)) << "no spacing, no snap";
}

TEST(GridTest, APartialRepaintDrawsEveryLineInsideTheDirtyRectangle)
{
    SKTGrid grid;
    grid.setAlwaysShown(true);
    grid.setColor(Qt::black);
    QImage image(243, 154, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    grid.drawRect(painter, QRectF(100, 40, 30, 25));  // narrower than its last line's number
    painter.end();
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
    auto text = std::make_shared<SKTText>();
    text->setBounds(QRectF(120, 120, 80, 20));
    text->Set_text_value(QStringLiteral("Name"));
    auto line = std::make_shared<SKTLine>();
    line->setBounds(QRectF(10, 100, 50, 40));
    doc->appendGraphicOnSide(0, text);
    doc->appendGraphicOnSide(0, line);
    view->changeSelectionIndexes({1, 2});
    hub.refreshes = 0;
    view->resize(view->size());
    const QImage shot = grabOf(*view);
    EXPECT_EQ(shot.pixelColor(65, 65), QColor(Qt::red)) << "index 0 covers index 1";
    EXPECT_EQ(shot.pixelColor(100, 100), QColor(Qt::green));
    EXPECT_TRUE(isHandleColour(shot.pixelColor(110, 110), false)) << "handle 8 of the selected control";
    EXPECT_TRUE(isHandleColour(shot.pixelColor(190, 80), true)) << "a locked control's handles are red";
    EXPECT_EQ(shot.pixelColor(20, 20), QColor(Qt::red)) << "no handles on the unselected control";
    EXPECT_EQ(view->Selected_Graphic(), doc->graphics()[1].get()) << "the frontmost selected drawn";
    view->Set_Selected_Graphic(locked.get());
    grabOf(*view);
    EXPECT_EQ(view->Selected_Graphic(), locked.get()) << "a current control stays current through a pass";
    view->hideHandlesMomentarily();
    EXPECT_EQ(grabOf(*view).pixelColor(110, 110), QColor(Qt::white)) << "hidden handles are not drawn";
    EXPECT_EQ(hub.refreshes, 0) << "painting does not ask for another paint";
    view->show();
    QCoreApplication::processEvents();
    front()[0]->setBounds(QRectF(120, 100, 30, 30));
    const QImage moved = grabOf(*view);
    EXPECT_EQ(moved.pixelColor(30, 30), QColor(Qt::white)) << "a moved control leaves nothing behind";
    EXPECT_EQ(moved.pixelColor(135, 115), QColor(Qt::red));
}

TEST_F(CanvasTest, TheGridIsDrawnOverControlsAndTheMarqueeOnTop)
{
    const QColor card(250, 250, 240);
    hub.card.setCard_fill_chk(true);
    hub.card.setCard_fill_clr(card);
    addRect(QRectF(30, 30, 60, 60), Qt::green);
    EXPECT_EQ(grabOf(*view).pixelColor(36, 40), QColor(Qt::green)) << "no grid while it is not shown";
    grid.setColor(Qt::black);
    grid.setAlwaysShown(true);
    QImage shot = grabOf(*view);
    EXPECT_LT(shot.pixelColor(36, 40).lightness(), 100) << "grid line x = 36 over the control";
    EXPECT_LT(shot.pixelColor(200, 45).lightness(), 100) << "grid line y = 45 on the card";
    EXPECT_EQ(shot.pixelColor(40, 40), QColor(Qt::green));
    EXPECT_TRUE(coretest::near(shot.pixelColor(184, 102), card, 6)) << "the card between lines";

    hub.tool = 3;
    drag(QPointF(100, 10), QPointF(150, 45));
    EXPECT_EQ(front()[0]->bounds(), QRectF(100, 10, 50, 35)) << "a shown grid does not snap by itself";
    view->deselectAll();
    press(QPointF(150, 100));
    moveTo(QPointF(200, 130));
    EXPECT_EQ(view->marqueeSelectionBounds(), QRectF(150, 100, 50, 30));
    EXPECT_NE(grabOf(*view).pixelColor(175, 100), card) << "the marquee's frame";
    release(QPointF(200, 130));
    EXPECT_TRUE(coretest::near(grabOf(*view).pixelColor(175, 100), card, 6));
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

TEST(ZoomTest, TheClipViewCentresASmallCardPaintsTheBackdropAndShowsRulers)
{
    // A front canvas in its zooming scroll view, over an empty document.
    struct {
        kindstest::CardHub hub;
        SKTDocument doc;
        SKTZoomingScrollView scroll;
        SKTGraphicView *canvas = new SKTGraphicView;  // owned by the scroll view
    } z;
    z.scroll.resize(500, 400);
    z.canvas->bindGraphics(&z.doc, 0);
    z.canvas->setCardProperty(&z.hub.card);
    z.scroll.setCanvas(z.canvas);
    z.scroll.show();
    QCoreApplication::processEvents();
    const QRect vp = z.scroll.viewport()->rect();
    EXPECT_LE((z.canvas->geometry().center() - vp.center()).manhattanLength(), 2) << "centred";
    const QImage backdrop = grabOf(*z.scroll.viewport());
    EXPECT_NEAR(backdrop.pixelColor(2, 2).lightnessF(), 0.88, 0.03);
    EXPECT_NEAR(backdrop.pixelColor(2, vp.height() - 3).lightnessF(), 0.78, 0.03);
    // The pop-up carries the eleven factors and zooms too.
    QComboBox *popUp = z.scroll.factorPopUpButton();
    ASSERT_EQ(popUp->count(), 11);
    popUp->setCurrentIndex(0);
    emit popUp->activated(0);
    EXPECT_EQ(z.scroll.factor(), 0.25);
    EXPECT_EQ(z.canvas->size(), QSize(61, 39));
    // Rulers echo a moving rectangle.
    z.canvas->showOrHideRulers();
    EXPECT_TRUE(z.canvas->rulersVisible());
    z.canvas->beginEchoingMoveToRulers(QRectF(20, 30, 100, 40));
    EXPECT_EQ(z.scroll.horizontalRuler()->markerLocations(), (QList<double>{20, 70, 120}));
    EXPECT_EQ(z.scroll.verticalRuler()->markerLocations(), (QList<double>{30, 50, 70}));
    z.canvas->continueEchoingMoveToRulers(QRectF(30, 30, 100, 40));
    EXPECT_EQ(z.scroll.horizontalRuler()->markerLocations(), (QList<double>{30, 80, 130}));
    z.canvas->stopEchoingMoveToRulers();
    EXPECT_TRUE(z.scroll.horizontalRuler()->markerLocations().isEmpty()
                && z.scroll.verticalRuler()->markerLocations().isEmpty());
}

// A text drawn by a widget that sits away from its window's corner: the window's backing store
// offsets the painter's device, and the text must still be drawn where the widget shows it.
TEST(TextOnAWidget, ATextIsDrawnInAWidgetAwayFromItsWindowsCorner)
{
    struct TextWidget : QWidget {
        std::unique_ptr<SKTText> text = std::make_unique<SKTText>();
        void paintEvent(QPaintEvent *) override
        {
            QPainter painter(this);
            painter.fillRect(rect(), Qt::white);
            text->drawContentsInView(painter, false);
        }
    };
    QWidget window;
    window.resize(600, 400);
    auto *child = new TextWidget;
    child->setParent(&window);
    child->setGeometry(300, 200, 200, 100);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(20);
    child->text->text_ctrl_font = font;
    child->text->txt_clr = Qt::black;
    child->text->setBounds(QRectF(10, 10, 180, 60));
    child->text->Set_text_value(QStringLiteral("WWWW"));
    const QImage shot = grabOf(window).copy(300, 200, 200, 100);
    int dark = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            dark += shot.pixelColor(x, y).lightness() < 100 ? 1 : 0;
    EXPECT_GT(dark, 100) << "the text's glyphs show inside the widget";
}

// The left ruler's numbers read downwards from just below their tick. A number whose tick lies
// above the ruler's top would be cut at its start, and "-60" would read "60": such a number is
// left out, while one that fits is drawn whole.
TEST(ZoomTest, TheLeftRulerShowsNoNumberCutAtItsStart)
{
    SKTRulerView ruler(Qt::Vertical);
    ruler.resize(18, 120);
    ruler.setUnit(2);  // millimetres: at one pixel a point, a number each 20 mm, a tick each 5
    const double tickPixels = 5 * 72 / 25.4;
    const QColor ground = ruler.palette().color(QPalette::Window);
    const auto inkInRows = [&ground](const QImage &image, int from, int to) {
        int ink = 0;
        for (int y = std::max(0, from); y <= std::min(to, image.height() - 1); ++y)
            for (int x = 0; x < image.width(); ++x)
                ink += image.pixelColor(x, y) != ground;
        return ink;
    };
    // Where the "-60" tick sits above the top (its number would start above it or at it) …
    for (double tick : {-8.0, -6.0, -4.0, -3.0, -2.5}) {
        SCOPED_TRACE(tick);
        ruler.setMapping(tick + 12 * tickPixels, 1);
        const QImage shown = grabOf(ruler);
        EXPECT_EQ(inkInRows(shown, 0, 0), 0) << "a number runs off the top";
        // … and where the tick shows: its number below it.
        ruler.setMapping(tick + 12 + 12 * tickPixels, 1);
        EXPECT_GT(inkInRows(grabOf(ruler), int(tick + 12) + 3, int(tick + 12) + 12), 4) << "the number is drawn";
    }
}
