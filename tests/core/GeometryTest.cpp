// Geometry shared by every control: drawing bounds, rotation, handles, resizing, natural and
// label size.
#include "CoreTestSupport.h"

#include "core/SKTLine.h"
#include "core/Shape_Control.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace coretest;

namespace {

void expectRectNear(const QRectF &actual, const QRectF &expected, double tolerance = 1e-3)
{
    EXPECT_NEAR(actual.x(), expected.x(), tolerance) << "x";
    EXPECT_NEAR(actual.y(), expected.y(), tolerance) << "y";
    EXPECT_NEAR(actual.width(), expected.width(), tolerance) << "width";
    EXPECT_NEAR(actual.height(), expected.height(), tolerance) << "height";
}

struct DrawingBoundsCase {
    const char *name;
    SKTGraphicKind kind;
    QRectF bounds;
    bool stroke;
    double strokeWidth;
    int rotation;
    QRectF expected;
};

TEST(Geometry, DrawingBounds)
{
    const DrawingBoundsCase cases[] = {
        {"no stroke: handle margin", SKTGraphicKind::Shape, {10, 20, 100, 50}, false, 20, 0, {6, 16, 109, 59}},
        {"thin stroke: handle margin", SKTGraphicKind::Shape, {10, 20, 100, 50}, true, 3, 0, {6, 16, 109, 59}},
        {"thick stroke: half its width", SKTGraphicKind::Shape, {10, 20, 100, 50}, true, 20, 0, {0, 10, 121, 71}},
        {"text turned 90", SKTGraphicKind::Text, {0, 0, 100, 50}, false, 1, 90, {21, -29, 59, 109}},
        {"shape turned 90", SKTGraphicKind::Shape, {0, 0, 100, 50}, false, 1, 90, {21, -29, 59, 109}},
        {"image keeps its rotation inside", SKTGraphicKind::Image, {0, 0, 100, 50}, false, 1, 90, {-4, -4, 109, 59}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        KindProbe g(c.kind);
        g._bounds = c.bounds;
        g._isDrawingStroke = c.stroke;
        g._strokeWidth = c.strokeWidth;
        g.text_rotation = c.rotation;
        expectRectNear(g.drawingBounds(), c.expected);
    }
}

TEST(Geometry, LineBoundsComeFromItsTwoPoints)
{
    SKTLine line;
    line.setBeginPoint(QPointF(50, 40));
    line.setEndPoint(QPointF(10, 90));
    line._strokeWidth = 30;
    EXPECT_EQ(line.bounds(), QRectF(10, 40, 40, 50));
    // Stroke margin 15 around the segment's box, plus one.
    expectRectNear(line.drawingBounds(), QRectF(-5, 25, 71, 81));
}

TEST(Geometry, RotatedPathRect)
{
    expectRectNear(Rotated_Path_Rect(QRectF(0, 0, 100, 50), 90), QRectF(25, -25, 50, 100));
    EXPECT_EQ(Rotated_Path_Rect(QRectF(1, 2, 3, 4), 0), QRectF(1, 2, 3, 4));
    const double d = 100 / std::sqrt(2.0);
    expectRectNear(Rotated_Path_Rect(QRectF(0, 0, 100, 100), 45), QRectF(50 - d, 50 - d, 2 * d, 2 * d));
    // A positive angle turns clockwise on the y-down card: the top-right corner goes down.
    SKTBezierPath p;
    p.path.moveTo(10, 0);
    p.lineWidth = 7;
    const SKTBezierPath turned = rotatedPath(p, 90, QPointF(0, 0));
    EXPECT_NEAR(turned.path.elementAt(0).x, 0, 1e-9);
    EXPECT_NEAR(turned.path.elementAt(0).y, 10, 1e-9);
    EXPECT_EQ(turned.lineWidth, 7);
}

struct ResizeCase {
    const char *name;
    qint64 handle;
    QPointF to;
    QRectF expected;
    qint64 answer;
    bool flipsH, flipsV;
};

class FlipCounter : public Shape_Control {
public:
    void flipHorizontally() override { ++h; }
    void flipVertically() override { ++v; }
    int h = 0, v = 0;
};

TEST(Geometry, ResizeByMovingHandle)
{
    const ResizeCase cases[] = {
        {"through both opposite edges", 1, {130, 70}, {110, 60, 20, 10}, 8, true, true},
        {"top middle ignores x", 2, {500, 5}, {10, 5, 100, 55}, 2, false, false},
        {"right edge", 5, {150, 0}, {10, 10, 140, 50}, 5, false, false},
        {"right edge through the left", 5, {0, 0}, {0, 10, 10, 50}, 4, true, false},
        {"bottom through the top", 7, {0, 0}, {10, 0, 100, 10}, 2, false, true},
        {"bottom-left corner", 6, {20, 100}, {20, 10, 90, 90}, 6, false, false},
        {"collapse to zero width stays", 3, {10, 10}, {10, 10, 0, 50}, 3, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        FlipCounter g;
        g._bounds = QRectF(10, 10, 100, 50);
        BoundsLog log(g);
        EXPECT_EQ(g.resizeByMovingHandle(c.handle, c.to), c.answer);
        EXPECT_EQ(g.bounds(), c.expected);
        EXPECT_EQ(g.h, c.flipsH ? 1 : 0);
        EXPECT_EQ(g.v, c.flipsV ? 1 : 0);
        EXPECT_EQ(log.positions.size(), 1u) << "observers follow the drag";
    }
}

TEST(Geometry, ADragCarriesTheMirroredHandleOn)
{
    Shape_Control g;
    g._bounds = QRectF(10, 10, 100, 50);
    qint64 h = g.resizeByMovingHandle(5, QPointF(0, 30));  // right edge past the left one
    EXPECT_EQ(h, 4);
    h = g.resizeByMovingHandle(h, QPointF(-20, 30));
    EXPECT_EQ(h, 4);
    EXPECT_EQ(g.bounds(), QRectF(-20, 10, 30, 50)) << "the original left edge stays put";
}

TEST(Geometry, BarcodeIsNotResizedByHandlesButFindsThem)
{
    KindProbe barcode(SKTGraphicKind::Barcode);
    barcode._bounds = QRectF(10, 10, 100, 50);
    EXPECT_EQ(barcode.handleUnderPoint(QPointF(110, 60)), 8);
    EXPECT_EQ(barcode.resizeByMovingHandle(8, QPointF(200, 200)), 0);
    EXPECT_EQ(barcode.bounds(), QRectF(10, 10, 100, 50));
    barcode.makeNaturalSize();
    EXPECT_EQ(barcode.bounds(), QRectF(10, 10, 100, 50));
}

TEST(Geometry, HandleUnderPoint)
{
    struct Case {
        QPointF p;
        qint64 expected;
    } cases[] = {
        {{10, 10}, 1},  {{6, 6}, 1},     {{13.99, 13.99}, 1}, {{14, 10}, 0}, {{10, 14}, 0},
        {{60, 10}, 2},  {{110, 10}, 3},  {{10, 35}, 4},       {{110, 35}, 5}, {{10, 60}, 6},
        {{60, 60}, 7},  {{110, 60}, 8},  {{60, 35}, 0},
    };
    Shape_Control g;
    g._bounds = QRectF(10, 10, 100, 50);
    for (const auto &c : cases)
        EXPECT_EQ(g.handleUnderPoint(c.p), c.expected) << c.p.x() << "," << c.p.y();

    Shape_Control tiny;
    tiny._bounds = QRectF(0, 0, 4, 4);
    EXPECT_EQ(tiny.handleUnderPoint(QPointF(2, 2)), 1) << "the lower code wins where squares overlap";

    KindProbe text(SKTGraphicKind::Text);
    text._bounds = QRectF(0, 0, 100, 50);
    text.text_rotation = 90;
    Shape_Control shape;
    shape._bounds = QRectF(0, 0, 100, 50);
    shape.text_rotation = 90;
    EXPECT_EQ(text.handleUnderPoint(QPointF(25, -25)), 1) << "a text's handles stand on its turned box";
    EXPECT_EQ(shape.handleUnderPoint(QPointF(25, -25)), 0);
    EXPECT_EQ(shape.handleUnderPoint(QPointF(0, 0)), 1) << "a shape's stay on its bounds";
}

TEST(Geometry, ContentsUnderPointIsHalfOpen)
{
    KindProbe g(SKTGraphicKind::Image);
    g._bounds = QRectF(10, 10, 100, 50);
    EXPECT_TRUE(g.isContentsUnderPoint(QPointF(10, 10)));
    EXPECT_TRUE(g.isContentsUnderPoint(QPointF(109.9, 59.9)));
    EXPECT_FALSE(g.isContentsUnderPoint(QPointF(110, 30)));
    EXPECT_FALSE(g.isContentsUnderPoint(QPointF(30, 60)));
}

TEST(Geometry, NaturalAndLabelSize)
{
    struct Case {
        QRectF bounds;
        bool locked;
        QRectF natural;
        bool canMake;
    } cases[] = {
        {{5, 5, 100, 50}, false, {5, 5, 50, 50}, true},
        {{5, 5, 30, 80}, false, {5, 5, 30, 30}, true},
        {{5, 5, 40, 40}, false, {5, 5, 40, 40}, false},
        {{5, 5, 100, 50}, true, {5, 5, 100, 50}, true},
    };
    for (const auto &c : cases) {
        Shape_Control g;
        g._bounds = c.bounds;
        BoundsLog log(g);
        g.ctrl_is_locked = c.locked;
        EXPECT_EQ(g.canMakeNaturalSize(), c.canMake);
        g.makeNaturalSize();
        EXPECT_EQ(g.bounds(), c.natural);
        if (c.bounds.width() == c.bounds.height() || c.locked) {
            EXPECT_TRUE(log.positions.empty()) << "nothing set when nothing changes";
        }
    }

    RecordingHub hub;
    hub.front = QRectF(0, 0, 243, 154);
    Shape_Control g;
    g._bounds = QRectF(5, 5, 10, 10);
    g.makeSameAsLabelSize();
    EXPECT_EQ(g.bounds(), QRectF(0, 0, 243, 154));

    SKTLine line;
    line.setBeginPoint(QPointF(50, 10));
    line.setEndPoint(QPointF(10, 40));
    line.makeSameAsLabelSize();
    EXPECT_EQ(line.beginPoint(), QPointF(243, 0)) << "the card's diagonal in the line's own direction";
    EXPECT_EQ(line.endPoint(), QPointF(0, 154));
}

TEST(Geometry, HandlesArePaintedRedWhenLocked)
{
    for (const bool locked : {false, true}) {
        QImage image = cardImage(60, 60, Qt::white);
        Shape_Control g;
        g._bounds = QRectF(10, 10, 40, 30);
        {
            QPainter painter(&image);
            g.drawHandlesInView(painter, locked);
        }
        // Handle 8 at (50, 40) covers (46..53, 36..43); its shadow one point lower and right.
        const QColor centre = image.pixelColor(49, 39);
        EXPECT_EQ(centre == QColor(Qt::red), locked);
        EXPECT_NE(centre, QColor(Qt::white));
        EXPECT_NE(image.pixelColor(30, 10), QColor(Qt::white)) << "handle 2";
        EXPECT_EQ(image.pixelColor(30, 25), QColor(Qt::white)) << "no handle inside";
    }
}

}  // namespace
