// Crop rectangles on the selection canvas: the drag rules, the minimum size and the keys.
#include "imaging/MSSCanvas.h"

#include <QTest>
#include <gtest/gtest.h>
#include <optional>

namespace {
// A 300 by 150 canvas over a plain view.
struct Canvas {
    QWidget content;
    MSSCanvas canvas;
    MSSCanvasController controller{&canvas, &content};
    Canvas()
    {
        content.resize(300, 150);
        content.show();
    }
    // Canvas points (y upwards) to widget points.
    QPoint at(QPointF p) const { return QPoint(int(p.x()), 150 - int(p.y())); }
};
}  // namespace

TEST(Selection, DragRulesKeepTheRectangleOnTheCanvas)
{
    const struct { std::optional<QRectF> start; QPointF press, drag; QRectF during; std::optional<QRectF> kept; } cases[] = {
        {QRectF(10, 10, 100, 50), {10, 60}, {0, 80}, {0, 80, 110, -70}, QRectF(0, 10, 110, 70)},  // top-left handle
        {{}, {30, 30}, {-15, 200}, {30, 30, -30, 120}, QRectF(0, 30, 30, 120)},                  // drawn past two edges
        {QRectF(100, 50, 50, 40), {125, 70}, {290, 10}, {250, 0, 50, 40}, QRectF(250, 0, 50, 40)}, // moved centred
        {{}, {50, 50}, {70, 70}, {50, 50, 20, 20}, QRectF(50, 50, 20, 20)},
        {{}, {50, 50}, {30, 30}, {50, 50, -20, -20}, QRectF(30, 30, 20, 20)},
        {{}, {50, 50}, {69.9, 70}, {50, 50, 19.9, 20}, {}},                                       // too small
        {{}, {50, 50}, {70, 69.9}, {50, 50, 20, 19.9}, {}},
    };
    for (const auto &c : cases) {
        Canvas t;
        MSSCanvasController &k = t.controller;
        if (c.start)
            k.addSelectorWithFrame(*c.start);
        k.mouseDown(c.press, false);
        k.mouseDragged(c.drag);
        ASSERT_TRUE(k.currentSelector());
        EXPECT_EQ(k.currentSelector()->frame(), c.during) << c.drag.x() << "," << c.drag.y();
        k.mouseUp();
        ASSERT_EQ(k.selectors().size(), c.kept ? 1u : 0u) << c.drag.x() << "," << c.drag.y();
        if (c.kept) {
            EXPECT_EQ(k.selectors().front()->frame(), *c.kept);
        }
    }
}

TEST(Selection, MouseAndKeysOnTheCanvas)
{
    Canvas t;
    MSSCanvasController &k = t.controller;
    QTest::mouseClick(&t.canvas, Qt::LeftButton, {}, t.at({40, 40}));
    EXPECT_FALSE(k.hasSelectors()) << "a click without a drag makes nothing";

    QTest::mousePress(&t.canvas, Qt::LeftButton, {}, t.at({130, 100}));
    QTest::mouseMove(&t.canvas, t.at({30, 30}));
    QTest::mouseRelease(&t.canvas, Qt::LeftButton, {}, t.at({30, 30}));
    ASSERT_EQ(k.selectors().size(), 1u);
    MSSSelector *s = k.selectors().front();
    EXPECT_EQ(s->frame(), QRectF(30, 30, 100, 70)) << "kept in normal form";
    const QImage shot = t.content.grab().toImage();
    const QRgb inside = shot.pixel(t.at({80, 65})), outside = shot.pixel(t.at({200, 65}));
    EXPECT_GT(qBlue(inside) - qRed(inside), qBlue(outside) - qRed(outside)) << "a blue wash marks the selection";

    const struct { Qt::Key key; Qt::KeyboardModifiers mods; bool selected; } keys[] = {
        {Qt::Key_Escape, {}, false}, {Qt::Key_A, Qt::ControlModifier, true},
        {Qt::Key_Escape, {}, false}, {Qt::Key_A, {}, false}};
    for (const auto &c : keys) {
        QTest::keyClick(&t.canvas, c.key, c.mods);
        EXPECT_EQ(s->isSelected(), c.selected) << c.key;
    }

    // A rubber band from outside that touches only the top-right handle selects the rectangle
    // and leaves its frame as it was; Delete removes it.
    QTest::mousePress(&t.canvas, Qt::LeftButton, {}, t.at({250, 140}));
    QTest::mouseMove(&t.canvas, t.at({132, 98}));
    QTest::mouseRelease(&t.canvas, Qt::LeftButton, {}, t.at({132, 98}));
    EXPECT_TRUE(s->isSelected());
    EXPECT_EQ(s->frame(), QRectF(30, 30, 100, 70));
    QTest::keyClick(&t.canvas, Qt::Key_Delete);
    EXPECT_FALSE(k.hasSelectors());
    EXPECT_FALSE(k.hasSelector());
}
