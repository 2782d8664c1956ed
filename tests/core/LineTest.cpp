// The line control: end points from bounds and flags, handle drags, hit test and drawing.
#include "CoreTestSupport.h"

#include "core/SKTLine.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace coretest;

namespace {

SKTLine lineFrom(QPointF begin, QPointF end)
{
    SKTLine line;
    line.setBeginPoint(begin);
    line.setEndPoint(end);
    return line;
}

QImage paint(SKTLine &line, int w, int h)
{
    QImage image = cardImage(w, h, Qt::white);
    QPainter painter(&image);
    line.drawContentsInView(painter, false);
    return image;
}

TEST(Line, EndPointsSurviveTheNormalisedBounds)
{
    const struct { QPointF begin, end; QRectF bounds; bool right, down; } cases[] = {
        {{50, 40}, {10, 90}, {10, 40, 40, 50}, false, true},
        {{10, 10}, {60, 30}, {10, 10, 50, 20}, true, true},
        {{60, 30}, {10, 10}, {10, 10, 50, 20}, false, false},
        {{10, 30}, {60, 10}, {10, 10, 50, 20}, true, false},
        {{20, 5}, {20, 50}, {20, 5, 0, 45}, false, true},
    };
    for (const auto &c : cases) {
        bool right = !c.right, down = !c.down;
        EXPECT_EQ(SKTLine::boundsWithBeginPoint(c.begin, c.end, &right, &down), c.bounds);
        EXPECT_EQ(right, c.right);
        EXPECT_EQ(down, c.down);
        const SKTLine line = lineFrom(c.begin, c.end);
        EXPECT_EQ(line.bounds(), c.bounds);
        EXPECT_EQ(line.beginPoint(), c.begin);
        EXPECT_EQ(line.endPoint(), c.end);
    }
}

TEST(Line, DraggingAnEndPointNeverSwapsTheHandles)
{
    SKTLine line = lineFrom({50, 40}, {10, 90});
    BoundsLog log(line);
    EXPECT_EQ(line.resizeByMovingHandle(1, QPointF(80, 100)), 1);
    EXPECT_EQ(line.beginPoint(), QPointF(80, 100));
    EXPECT_EQ(line.endPoint(), QPointF(10, 90));
    EXPECT_EQ(line.bounds(), QRectF(10, 90, 70, 10));
    EXPECT_EQ(log.positions.size(), 1u);
    EXPECT_EQ(line.resizeByMovingHandle(2, QPointF(200, 0)), 2);
    EXPECT_EQ(line.endPoint(), QPointF(200, 0));
    EXPECT_EQ(line.beginPoint(), QPointF(80, 100));
    EXPECT_EQ(line.resizeByMovingHandle(5, QPointF(0, 0)), 5);
    EXPECT_EQ(line.endPoint(), QPointF(200, 0)) << "other codes change nothing";
    EXPECT_EQ(SKTLine().creationSizingHandle(), 2) << "a new line is drawn out by its end point";
}

TEST(Line, HitTestIsTheBoundingBoxByTheIntersectionRule)
{
    const SKTLine slanted = lineFrom({0, 0}, {100, 100});
    const SKTLine flat = lineFrom({0, 20}, {100, 20});
    const SKTLine shortLine = lineFrom({0, 0}, {2, 2});
    const struct { const SKTLine *line; QPointF p; bool hit; qint64 handle; } cases[] = {
        {&slanted, {90, 10}, true, 0},   // far from the segment but inside its box
        {&slanted, {-1, -1}, false, 1},  // only touches the corner
        {&slanted, {-0.5, 50}, true, 0},  {&slanted, {100, 50}, false, 0},
        {&flat, {50, 20}, false, 0},     // zero height intersects nothing
        {&flat, {0, 20}, false, 1},       {&flat, {100, 20}, false, 2},
        {&shortLine, {1, 1}, true, 1},   // the begin point wins
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.line->isContentsUnderPoint(c.p), c.hit) << c.p.x() << "," << c.p.y();
        EXPECT_EQ(c.line->handleUnderPoint(c.p), c.handle) << c.p.x() << "," << c.p.y();
    }
}

TEST(Line, ColourAndEndPointChangesReachTheStrokeAndObservers)
{
    SKTLine line = lineFrom({0, 0}, {10, 10});
    line._bounds = QRectF(0, 0, 10, 30);
    EXPECT_FALSE(line.canMakeNaturalSize());
    line.setColor(Qt::magenta);
    EXPECT_EQ(line._strokeColor, QColor(Qt::magenta)) << "a line's colour is its stroke";
    EXPECT_EQ(line._fillColor, QColor(Qt::white));

    QList<QPointF> begin;  // before, after
    line.addObserver([&](SKTGraphic &, const QString &key, const QVariant &b, const QVariant &a) {
        if (key == SKTLineBeginPointKey)
            begin = {b.toPointF(), a.toPointF()};
    });
    line.setBeginPoint(QPointF(30, 40));
    EXPECT_EQ(begin, QList<QPointF>({{0, 0}, {30, 40}}));
    ASSERT_TRUE(line.setValueForKey(SKTLineEndPointKey, QPointF(5, 5)));
    EXPECT_EQ(line.endPoint(), QPointF(5, 5));
}

TEST(Line, DrawsItsSegmentWithDashesInPointsAndItsCap)
{
    // runs: ink, gap, ink, ... from the begin point
    const struct { const char *style; double width; int cap; std::vector<int> runs; } cases[] = {
        {"DO", 5, 0, {4, 6, 4, 6, 4, 6}},       {"DO", 1, 0, {4, 6, 4, 6, 4, 6}},
        {"DA", 3, 0, {8, 2, 8, 2, 8, 2}},       {"DD", 2, 0, {24, 10, 6, 10, 24, 10}},
        {"DDD", 4, 0, {24, 8, 8, 8, 8, 8, 24}}, {"XX", 4, 0, {100}},
        {"S", 10, 1, {100}},  // a round cap reaches past the end point
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.style);
        SKTLine line = lineFrom({10, 20.5}, {110, 20.5});
        line._stroke_border_type = QString::fromLatin1(c.style);
        line._strokeWidth = c.width;
        line._line_cap_style = c.cap;
        line._strokeColor = Qt::black;
        const QImage image = paint(line, 140, 40);
        std::vector<int> runs = rowRuns(image, 20, 10, 110, [](QRgb p) { return qGray(p) < 128; });
        runs.resize(std::min(runs.size(), c.runs.size()));
        EXPECT_EQ(runs, c.runs);
        EXPECT_EQ(qGray(image.pixel(7, 20)) < 128, c.cap == 1) << "butt caps end at the point";
    }
    for (const bool visible : {true, false}) {
        SKTLine line = lineFrom({0, 10}, {60, 10});
        line._strokeWidth = 4;
        line._strokeColor = Qt::black;
        line.alpha_val_stroke = 0.5f;
        line.ctrl_is_visible = visible;
        EXPECT_NEAR(qGray(paint(line, 60, 20).pixel(30, 10)), visible ? 127 : 255, 3) << "half opaque";
    }
}

}  // namespace
