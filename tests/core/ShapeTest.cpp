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

TEST(Shape, StarAndPolygonVerticesFollowTheStepOfTwoPlaces)
{
    const std::vector<QPointF> pentagram = {{50, 0}, {79.39, 90.45}, {2.45, 34.55}, {97.55, 34.55}, {20.61, 90.45}};
    const std::vector<QPointF> pentagon = {{50, 0}, {97.55, 34.55}, {79.39, 90.45}, {20.61, 90.45}, {2.45, 34.55}};
    expectVertices(shape("S").bezierPathForDrawing(), pentagram);

    Shape_Control p = shape("P");
    p.polygon_type = 2;
    std::vector<QPointF> twice = pentagon;
    twice.insert(twice.end(), pentagon.begin(), pentagon.end());
    expectVertices(p.bezierPathForDrawing(), twice);

    // Every count n by the formula: vertex i at angle -90 + i * 720 / n degrees on the ellipse.
    for (int kind = 1; kind <= 5; ++kind) {
        for (const bool star : {true, false}) {
            Shape_Control s = shape(star ? "DS" : "P", QRectF(10, 20, 200, 80));
            (star ? s.double_star_type : s.polygon_type) = kind;
            const int n = star ? Shape_Control::Double_Star_Vertex_Count(kind) : Shape_Control::Polygon_Vertex_Count(kind);
            EXPECT_EQ(n, star ? 5 + 2 * kind : 6 + 2 * kind);
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
}

TEST(Shape, FixedPointFigures)
{
    expectVertices(shape("T", {0, 0, 100, 50}).bezierPathForDrawing(), {{0, 50}, {50, 0}, {100, 50}});
    expectVertices(shape("D", {0, 0, 100, 50}).bezierPathForDrawing(), {{0, 25}, {50, 0}, {100, 25}, {50, 50}});
    const std::vector<QPointF> cornerStar = {{0, 0},   {50, 25},  {100, 0}, {75, 50},
                                             {100, 100}, {50, 75}, {0, 100}, {25, 50}};
    for (const int kind : {1, 8}) {
        Shape_Control s = shape("P");
        s.polygon_type = kind;
        expectVertices(s.bezierPathForDrawing(), cornerStar);
    }
}

TEST(Shape, RotationTurnsAboutTheFiguresOwnCentre)
{
    Shape_Control star = shape("S");
    star.text_rotation = 180;
    // The pentagram's box is (2.45, 0)-(97.55, 90.45): its centre (50, 45.23), not (50, 50).
    const std::vector<QPointF> points = pathPoints(star.bezierPathForDrawing().path);
    EXPECT_NEAR(points[0].x(), 50, 0.01);
    EXPECT_NEAR(points[0].y(), 90.45, 0.01);
    EXPECT_EQ(star.bezierPathForDrawing().lineWidth, 1.0);
}

TEST(Shape, HitTestUsesTheTurnedFigureByTheNonZeroRule)
{
    struct Case {
        const char *name;
        QString code;
        int rotation;
        int kindValue;
        QPointF p;
        bool hit;
    } cases[] = {
        {"pentagram centre", "S", 0, 1, {50, 50}, true},
        {"pentagram point", "S", 0, 1, {50, 5}, true},
        {"between pentagram points", "S", 0, 1, {80, 10}, false},
        {"pentagon traced twice", "P", 0, 2, {50, 50}, true},
        {"unfilled rectangle interior", "R", 0, 1, {50, 50}, true},
        {"ellipse corner", "C", 0, 1, {3, 3}, false},
        {"rect turned 45: bounds corner", "R", 45, 1, {3, 3}, false},
        {"rect turned 45: turned corner", "R", 45, 1, {50, -19}, true},
        {"no vertices", "DS", 0, 0, {50, 50}, false},
        {"unknown code", "Q", 0, 1, {50, 50}, false},
        {"triangle apex side", "T", 0, 1, {10, 10}, false},
        {"diamond middle", "D", 0, 1, {50, 50}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Shape_Control s = shape(c.code);
        s._isDrawingFill = false;
        s.text_rotation = c.rotation;
        s.double_star_type = c.kindValue;
        s.polygon_type = c.kindValue;
        EXPECT_EQ(s.isContentsUnderPoint(c.p), c.hit);
    }
    // The star's centre really is where the odd-even rule would leave a hole.
    QPainterPath oddEven = shape("S").bezierPathForDrawing().path;
    oddEven.setFillRule(Qt::OddEvenFill);
    EXPECT_FALSE(oddEven.contains(QPointF(50, 50)));
}

TEST(Shape, UnknownCodeStillHasHandlesAndDrawingBounds)
{
    Shape_Control s = shape("Q", {10, 10, 40, 40});
    EXPECT_TRUE(s.bezierPathForDrawing().isEmpty());
    EXPECT_EQ(s.handleUnderPoint(QPointF(10, 10)), 1);
    EXPECT_EQ(s.drawingBounds(), QRectF(6, 6, 49, 49));
}

TEST(Shape, RoundedRectangleRadiusIsLimitedToHalfTheSides)
{
    Shape_Control rr = shape("RR", {0, 0, 100, 50});
    rr.cor_rad_val = 80;
    Shape_Control ellipse = shape("C", {0, 0, 100, 50});
    for (const QPointF p : {QPointF(3, 3), QPointF(20, 8), QPointF(50, 1), QPointF(99, 25), QPointF(90, 40)})
        EXPECT_EQ(rr.isContentsUnderPoint(p), ellipse.isContentsUnderPoint(p)) << p.x() << "," << p.y();
    rr.cor_rad_val = 10;
    EXPECT_FALSE(rr.isContentsUnderPoint(QPointF(0.5, 0.5)));
    EXPECT_TRUE(rr.isContentsUnderPoint(QPointF(5, 5)));
}

QImage paintShape(Shape_Control &s, int w = 100, int h = 100)
{
    QImage image = cardImage(w, h, Qt::white);
    QPainter painter(&image);
    s.drawContentsInView(painter, false);
    return image;
}

TEST(Shape, FillKinds)
{
    testsupport::TempDataFolder folders;  // the build tree's resources, with the hatch pictures
    struct Case {
        const char *name;
        QString fill;
        QString hatch;
        float alpha;
        QPoint at;
        QColor expected;
    } cases[] = {
        {"solid", "S", "", 100, {50, 50}, Qt::red},
        {"solid at half opacity", "S", "", 0.5f, {50, 50}, QColor(255, 127, 127)},
        {"unknown code is solid", "Z", "", 100, {50, 50}, Qt::red},
        {"hatch ground", "H", "Horizontal", 100, {50, 3}, Qt::yellow},
        {"hatch line", "H", "Horizontal", 100, {50, 6}, Qt::black},
        {"missing hatch keeps the ground", "H", "No_Such_Hatch", 100, {50, 6}, Qt::yellow},
        {"gradient start", "G", "", 0.2f, {1, 50}, Qt::red},
        {"gradient end", "G", "", 0.2f, {98, 50}, Qt::blue},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Shape_Control s = shape("R");
        s._isDrawingStroke = false;
        s._fill_type = c.fill;
        s._fill_hatch_type = c.hatch;
        s._fillColor = Qt::red;
        s._fill_htch_clr = Qt::yellow;
        s._fill_Grad_clr1 = Qt::red;
        s._fill_Grad_clr2 = Qt::blue;
        s.alpha_val = c.alpha;
        const QImage image = paintShape(s);
        EXPECT_TRUE(near(image.pixelColor(c.at), c.expected, 12))
            << image.pixelColor(c.at).name().toStdString() << " at " << c.at.x() << "," << c.at.y();
    }
}

TEST(Shape, FilledPentagramIsFilledInItsInnerPentagon)
{
    Shape_Control s = shape("S");
    s._isDrawingStroke = false;
    s._fillColor = Qt::green;
    const QImage image = paintShape(s);
    EXPECT_EQ(image.pixelColor(50, 50), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(85, 10), QColor(Qt::white));
}


}  // namespace

namespace {

TEST(Shape, SpareBuildersStandAboutTheBoundsSizeNotTheirOrigin)
{
    Shape_Control s = shape("R", {200, 300, 100, 100});
    struct Case {
        const char *name;
        SKTBezierPath path;
        std::vector<QPointF> vertices;
    } cases[] = {
        {"pentagram", s.star_Path_fun_1(), {{50, 0}, {79.39, 90.45}, {2.45, 34.55}, {97.55, 34.55}, {20.61, 90.45}}},
        {"pentagon", s.regularPolygonInRect(), {{50, 0}, {97.55, 34.55}, {79.39, 90.45}, {20.61, 90.45}, {2.45, 34.55}}},
        {"star with inner radius 30", s.starPathInRect(), {{50, 0}, {67.63, 25.73}, {97.55, 34.55}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        expectVertices(c.path, c.vertices);
    }
    // Radius = distance from the size's centre (50, 50) to the origin (200, 300).
    const std::vector<QPointF> fun = pathPoints(s.Ploygon_fun().path);
    EXPECT_NEAR(fun[0].x(), 50 + std::hypot(150.0, 250.0), 0.01);
    EXPECT_NEAR(fun[0].y(), 50, 0.01);
    const QRectF pie = s.Custom_Pie().path.boundingRect();
    EXPECT_NEAR(pie.left(), 200, 0.01);
    EXPECT_NEAR(pie.bottom(), 400, 0.01);
}

}  // namespace
