// Geometry shared by every control: drawing bounds, rotation, handles, resizing, natural and
// label size.
#include "CoreTestSupport.h"

#include "core/SKTLine.h"
#include "core/Shape_Control.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace coretest;

namespace {

using K = SKTGraphicKind;

// Card geometry is compared to a thousandth of a point.
QRectF rounded(const QRectF &r)
{
    const auto k = [](double v) { return std::round(v * 1000) / 1000; };
    return QRectF(k(r.x()), k(r.y()), k(r.width()), k(r.height()));
}

TEST(Geometry, DrawingBounds)
{
    const struct { const char *name; K kind; QRectF bounds; bool stroke; double w; int turn; QRectF want; }
    cases[] = {
        {"no stroke: handle margin", K::Shape, {10, 20, 100, 50}, false, 20, 0, {6, 16, 109, 59}},
        {"thin stroke: handle margin", K::Shape, {10, 20, 100, 50}, true, 3, 0, {6, 16, 109, 59}},
        {"thick stroke: half its width", K::Shape, {10, 20, 100, 50}, true, 20, 0, {0, 10, 121, 71}},
        {"text turned 90", K::Text, {0, 0, 100, 50}, false, 1, 90, {21, -29, 59, 109}},
        {"shape turned 90", K::Shape, {0, 0, 100, 50}, false, 1, 90, {21, -29, 59, 109}},
        {"image keeps its rotation inside", K::Image, {0, 0, 100, 50}, false, 1, 90, {-4, -4, 109, 59}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        KindProbe g(c.kind);
        g._bounds = c.bounds;
        g._isDrawingStroke = c.stroke;
        g._strokeWidth = c.w;
        g.text_rotation = c.turn;
        EXPECT_EQ(rounded(g.drawingBounds()), c.want);
    }
    SKTLine line;
    line.setBeginPoint(QPointF(50, 40));
    line.setEndPoint(QPointF(10, 90));
    line._strokeWidth = 30;
    EXPECT_EQ(line.drawingBounds(), QRectF(-5, 25, 71, 81)) << "a line: half its stroke, plus one";

    // A positive angle turns clockwise on the y-down card.
    SKTBezierPath p;
    p.path.moveTo(10, 0);
    const QPainterPath turned = rotatedPath(p, 90, QPointF(0, 0)).path;
    EXPECT_EQ(rounded(QRectF(turned.elementAt(0), QSizeF(0, 0))).topLeft(), QPointF(0, 10));
}

class FlipCounter : public Shape_Control {
public:
    void flipHorizontally() override { ++h; }
    void flipVertically() override { ++v; }
    int h = 0, v = 0;
};

TEST(Geometry, ResizeByMovingHandle)
{
    const struct { const char *name; qint64 handle; QPointF to; QRectF want; qint64 answer; int h, v; }
    cases[] = {
        {"through both opposite edges", 1, {130, 70}, {110, 60, 20, 10}, 8, 1, 1},
        {"top middle ignores x", 2, {500, 5}, {10, 5, 100, 55}, 2, 0, 0},
        {"right edge", 5, {150, 0}, {10, 10, 140, 50}, 5, 0, 0},
        {"right edge through the left", 5, {0, 0}, {0, 10, 10, 50}, 4, 1, 0},
        {"bottom through the top", 7, {0, 0}, {10, 0, 100, 10}, 2, 0, 1},
        {"bottom-left corner", 6, {20, 100}, {20, 10, 90, 90}, 6, 0, 0},
        {"collapse to zero width stays", 3, {10, 10}, {10, 10, 0, 50}, 3, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        FlipCounter g;
        g._bounds = QRectF(10, 10, 100, 50);
        BoundsLog log(g);
        EXPECT_EQ(g.resizeByMovingHandle(c.handle, c.to), c.answer);
        EXPECT_EQ(g.bounds(), c.want);
        EXPECT_EQ(g.h, c.h);
        EXPECT_EQ(g.v, c.v);
        EXPECT_EQ(log.positions.size(), 1u) << "observers follow the drag";
    }
    // The drag goes on with the mirrored handle: the original left edge stays put.
    Shape_Control g;
    g._bounds = QRectF(10, 10, 100, 50);
    EXPECT_EQ(g.resizeByMovingHandle(g.resizeByMovingHandle(5, QPointF(0, 30)), QPointF(-20, 30)), 4);
    EXPECT_EQ(g.bounds(), QRectF(-20, 10, 30, 50));

    KindProbe barcode(K::Barcode);
    barcode._bounds = QRectF(10, 10, 100, 50);
    EXPECT_EQ(barcode.handleUnderPoint(QPointF(110, 60)), 8) << "a barcode shows its handles";
    EXPECT_EQ(barcode.resizeByMovingHandle(8, QPointF(200, 200)), 0) << "but is not resized by them";
    barcode.makeNaturalSize();
    EXPECT_EQ(barcode.bounds(), QRectF(10, 10, 100, 50));
}

TEST(Geometry, HandleAndContentsUnderPoint)
{
    // Contents are half open: the right and bottom edges lie outside.
    const struct { QPointF p; qint64 handle; bool contents; } cases[] = {
        {{10, 10}, 1, true},   {{6, 6}, 1, false},   {{13.99, 13.99}, 1, true}, {{14, 10}, 0, true},
        {{10, 14}, 0, true},   {{60, 10}, 2, true},  {{110, 10}, 3, false},     {{10, 35}, 4, true},
        {{110, 35}, 5, false}, {{10, 60}, 6, false}, {{60, 60}, 7, false},      {{110, 60}, 8, false},
        {{60, 35}, 0, true},   {{109.9, 59.9}, 8, true},
    };
    KindProbe g(K::Image);
    g._bounds = QRectF(10, 10, 100, 50);
    for (const auto &c : cases) {
        EXPECT_EQ(g.handleUnderPoint(c.p), c.handle) << c.p.x() << "," << c.p.y();
        EXPECT_EQ(g.isContentsUnderPoint(c.p), c.contents) << c.p.x() << "," << c.p.y();
    }
    Shape_Control tiny;
    tiny._bounds = QRectF(0, 0, 4, 4);
    EXPECT_EQ(tiny.handleUnderPoint(QPointF(2, 2)), 1) << "the lower code wins where squares overlap";

    KindProbe text(K::Text);
    Shape_Control shape;
    text._bounds = shape._bounds = QRectF(0, 0, 100, 50);
    text.text_rotation = shape.text_rotation = 90;
    EXPECT_EQ(text.handleUnderPoint(QPointF(25, -25)), 1) << "a text's handles stand on its turned box";
    EXPECT_EQ(shape.handleUnderPoint(QPointF(25, -25)), 0);
    EXPECT_EQ(shape.handleUnderPoint(QPointF(0, 0)), 1) << "a shape's stay on its bounds";
}

TEST(Geometry, NaturalAndLabelSize)
{
    const struct { QRectF bounds; bool locked; QRectF natural; bool canMake; } cases[] = {
        {{5, 5, 100, 50}, false, {5, 5, 50, 50}, true}, {{5, 5, 30, 80}, false, {5, 5, 30, 30}, true},
        {{5, 5, 40, 40}, false, {5, 5, 40, 40}, false}, {{5, 5, 100, 50}, true, {5, 5, 100, 50}, true},
    };
    for (const auto &c : cases) {
        Shape_Control g;
        g._bounds = c.bounds;
        BoundsLog log(g);
        g.ctrl_is_locked = c.locked;
        EXPECT_EQ(g.canMakeNaturalSize(), c.canMake);
        g.makeNaturalSize();
        EXPECT_EQ(g.bounds(), c.natural);
        EXPECT_EQ(log.positions.empty(), c.natural == c.bounds) << "nothing set when nothing changes";
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
        EXPECT_EQ(image.pixelColor(49, 39) == QColor(Qt::red), locked);
        EXPECT_NE(image.pixelColor(49, 39), QColor(Qt::white));
        EXPECT_NE(image.pixelColor(30, 10), QColor(Qt::white)) << "handle 2";
        EXPECT_EQ(image.pixelColor(30, 25), QColor(Qt::white)) << "no handle inside";
    }
}

}  // namespace
