// The shape control: figures by code, vertices, rotation, hit test, painting and the refresh
// request that painting must not turn into a repaint loop.
#include "CoreTestSupport.h"

#include "core/Globals.h"
#include "core/Shape_Control.h"

#include "TestSupport.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace coretest;

namespace {

Shape_Control shape(const QString &code, QRectF bounds = {0, 0, 100, 100})
{
    Shape_Control s;
    s._shape_type = code;
    s._bounds = bounds;
    return s;
}

void expectVertices(const SKTBezierPath &path, const std::vector<QPointF> &expected)
{
    const std::vector<QPointF> points = pathPoints(path.path);
    ASSERT_GE(points.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(points[i].x(), expected[i].x(), 0.01) << "vertex " << i;
        EXPECT_NEAR(points[i].y(), expected[i].y(), 0.01) << "vertex " << i;
    }
}

using Points = std::vector<QPointF>;
const Points kPentagram = {{50, 0}, {79.39, 90.45}, {2.45, 34.55}, {97.55, 34.55}, {20.61, 90.45}};
const Points kPentagon = {{50, 0}, {97.55, 34.55}, {79.39, 90.45}, {20.61, 90.45}, {2.45, 34.55}};

TEST(Shape, Vertices)
{
    const std::vector<QPointF> cornerStar = {{0, 0},     {50, 25}, {100, 0}, {75, 50},
                                             {100, 100}, {50, 75}, {0, 100}, {25, 50}};
    std::vector<QPointF> pentagonTwice = kPentagon;
    pentagonTwice.insert(pentagonTwice.end(), kPentagon.begin(), kPentagon.end());
    const struct { const char *name; QString code; int kind; QRectF bounds; std::vector<QPointF> vertices; }
    cases[] = {
        {"pentagram", "S", 1, {0, 0, 100, 100}, kPentagram},
        {"polygon 2 traces the pentagon twice", "P", 2, {0, 0, 100, 100}, pentagonTwice},
        {"triangle", "T", 1, {0, 0, 100, 50}, {{0, 50}, {50, 0}, {100, 50}}},
        {"diamond", "D", 1, {0, 0, 100, 50}, {{0, 25}, {50, 0}, {100, 25}, {50, 50}}},
        {"polygon 1 is the corner star", "P", 1, {0, 0, 100, 100}, cornerStar},
        {"polygon 8 is the corner star", "P", 8, {0, 0, 100, 100}, cornerStar},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Shape_Control s = shape(c.code, c.bounds);
        s.polygon_type = s.double_star_type = c.kind;
        expectVertices(s.bezierPathForDrawing(), c.vertices);
    }
    // Every other count n steps two places: vertex i at -90 + i * 720 / n degrees on the ellipse.
    for (int kind = 1; kind <= 5; ++kind) {
        for (const bool star : {true, false}) {
            Shape_Control s = shape(star ? "DS" : "P", QRectF(10, 20, 200, 80));
            (star ? s.double_star_type : s.polygon_type) = kind;
            const int n = star ? 5 + 2 * kind : 6 + 2 * kind;
            if (n == 8)
                continue;  // the corner star
            std::vector<QPointF> expected;
            for (int i = 0; i < n; ++i) {
                const double a = (-90.0 + i * 720.0 / n) * M_PI / 180.0;
                expected.emplace_back(110 + 100 * std::cos(a), 60 + 40 * std::sin(a));
            }
            SCOPED_TRACE(testing::Message() << (star ? "DS " : "P ") << kind);
            expectVertices(s.bezierPathForDrawing(), expected);
        }
    }
    // Turned about the figure's own centre: the pentagram's box centre is (50, 45.23), not (50, 50).
    Shape_Control star = shape("S");
    star.text_rotation = 180;
    expectVertices(star.bezierPathForDrawing(), {{50, 90.45}});
}

TEST(Shape, HitTestUsesTheTurnedFigureByTheNonZeroRule)
{
    const struct { const char *name; QString code; int turn, kindValue; float radius; QPointF p; bool hit; }
    cases[] = {
        {"pentagram centre", "S", 0, 1, 10, {50, 50}, true},
        {"pentagram point", "S", 0, 1, 10, {50, 5}, true},
        {"between pentagram points", "S", 0, 1, 10, {80, 10}, false},
        {"pentagon traced twice", "P", 0, 2, 10, {50, 50}, true},
        {"unfilled rectangle interior", "R", 0, 1, 10, {50, 50}, true},
        {"ellipse corner", "C", 0, 1, 10, {3, 3}, false},
        {"rect turned 45: bounds corner", "R", 45, 1, 10, {3, 3}, false},
        {"rect turned 45: turned corner", "R", 45, 1, 10, {50, -19}, true},
        {"no vertices", "DS", 0, 0, 10, {50, 50}, false},
        {"unknown code", "Q", 0, 1, 10, {50, 50}, false},
        {"triangle apex side", "T", 0, 1, 10, {10, 10}, false},
        {"diamond middle", "D", 0, 1, 10, {50, 50}, true},
        {"rounded corner cut", "RR", 0, 1, 10, {0.5, 0.5}, false},
        {"rounded corner inside", "RR", 0, 1, 10, {5, 5}, true},
        {"radius 80 limited to 50: a circle, outside", "RR", 0, 1, 80, {14, 14}, false},
        {"radius 80 limited to 50: a circle, inside", "RR", 0, 1, 80, {16, 16}, true},
        {"radius 80 limited to 50: the edge's middle", "RR", 0, 1, 80, {50, 1}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Shape_Control s = shape(c.code);
        s._isDrawingFill = false;
        s.text_rotation = c.turn;
        s.double_star_type = s.polygon_type = c.kindValue;
        s.cor_rad_val = c.radius;
        EXPECT_EQ(s.isContentsUnderPoint(c.p), c.hit);
    }
    // An unknown code draws nothing but can still be picked and moved.
    Shape_Control unknown = shape("Q", {10, 10, 40, 40});
    EXPECT_TRUE(unknown.bezierPathForDrawing().isEmpty());
    EXPECT_EQ(unknown.handleUnderPoint(QPointF(10, 10)), 1);
    EXPECT_EQ(unknown.drawingBounds(), QRectF(6, 6, 49, 49));
}

TEST(Shape, FillKinds)
{
    testsupport::TempDataFolder folders;  // the build tree's resources, with the hatch pictures
    const struct { const char *name; QString code, fill, hatch; float alpha; QPoint at; QColor want; }
    cases[] = {
        {"solid", "R", "S", "", 100, {50, 50}, Qt::red},
        {"solid at half opacity", "R", "S", "", 0.5f, {50, 50}, QColor(255, 127, 127)},
        {"unknown code is solid", "R", "Z", "", 100, {50, 50}, Qt::red},
        {"hatch ground", "R", "H", "Horizontal", 100, {50, 3}, Qt::yellow},
        {"hatch line", "R", "H", "Horizontal", 100, {50, 6}, Qt::black},
        {"missing hatch keeps the ground", "R", "H", "No_Such_Hatch", 100, {50, 6}, Qt::yellow},
        {"gradient start", "R", "G", "", 0.2f, {1, 50}, Qt::red},
        {"gradient end", "R", "G", "", 0.2f, {98, 50}, Qt::blue},
        {"pentagram filled in its inner pentagon", "S", "S", "", 100, {50, 50}, Qt::red},
        {"pentagram not between its points", "S", "S", "", 100, {85, 10}, Qt::white},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Shape_Control s = shape(c.code);
        s._isDrawingStroke = false;
        s._fill_type = c.fill;
        s._fill_hatch_type = c.hatch;
        s._fillColor = s._fill_Grad_clr1 = Qt::red;
        s._fill_htch_clr = Qt::yellow;
        s._fill_Grad_clr2 = Qt::blue;
        s.alpha_val = c.alpha;
        QImage image = cardImage(100, 100, Qt::white);
        QPainter painter(&image);
        s.drawContentsInView(painter, false);
        painter.end();
        EXPECT_TRUE(near(image.pixelColor(c.at), c.want, 12)) << qPrintable(image.pixelColor(c.at).name());
    }
}


}  // namespace
