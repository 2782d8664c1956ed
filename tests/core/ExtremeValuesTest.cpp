// Values at and beyond the edges of what a field can hold, arriving from a design file or the
// clipboard: whatever is drawn must be drawn in bounded work.

#include "CoreTestSupport.h"
#include "core/ControlArchive.h"
#include "core/SKTRenderingView.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace kindstest;

// A vertex count far beyond what a stepper gives (from a file or the clipboard) draws an
// ellipse-like figure in bounded work instead of millions of vertices on every repaint.
TEST(ExtremeValues, HugeVertexCountsDrawABoundedFigure)
{
    CardHub hub;
    const QRectF bounds(40, 20, 160, 110);
    for (const char *code : {"P", "DS"}) {
        for (int kind : {3'000'000, 3'000'001, std::numeric_limits<int>::max()}) {
            SCOPED_TRACE(std::string(code) + " " + std::to_string(kind));
            Shape_Control made;
            made._shape_type = QString::fromLatin1(code);
            made._bounds = bounds;
            made.polygon_type = made.double_star_type = kind;
            made._fillColor = Qt::blue;
            // The clipboard's way in holds the count to a range; the drawing bounds it too.
            std::unique_ptr<SKTGraphic> pasted = Unarchive_Graphic(Archive_Graphic(made));
            ASSERT_TRUE(pasted);
            ASSERT_LE(pasted->polygon_type, 1000);
            const SKTBezierPath path = made.bezierPathForDrawing();
            EXPECT_LT(path.path.elementCount(), 5000);
            // The figure fills the bounds as an ellipse would: centre inside, corners outside.
            EXPECT_TRUE(pasted->isContentsUnderPoint(bounds.center()));
            EXPECT_FALSE(pasted->isContentsUnderPoint(bounds.topLeft() + QPointF(3, 3)));
            const QImage side =
                SKTRenderingView::image_From_Card_Graphics(hub.side(SKTGraphicList{pasted.get()}));
            ASSERT_FALSE(side.isNull());
            const QRect ink = inkBox(side, [](QColor c) { return c.blue() > 200 && c.red() < 60; });
            EXPECT_NEAR(ink.left(), 40, 2);
            EXPECT_NEAR(ink.right(), 199, 2);
            EXPECT_NEAR(ink.top(), 20, 2);
            EXPECT_NEAR(ink.bottom(), 129, 2);
        }
    }
}
