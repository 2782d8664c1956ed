#include "imageops/ImageProcesser.h"
#include "imageops/ImageTransforms.h"

#include "TestImages.h"

#include <QPainter>

#include <gtest/gtest.h>

using imgtest::channelDistance;
using imgtest::difference;

TEST(ImageTransforms, MirrorsHalfTurnsAndTheirPageTransformsAgree)
{
    using T = ImageTransforms;
    const QImage q = imgtest::photoLike(30, 18), before = q.copy(), half = q.mirrored(true, true);
    const QImage lr = T::Create_Mirror_Image_With_CG_Image(q, false);
    const QImage tb = T::Create_Mirror_Image_With_CG_Image(q, true);
    EXPECT_EQ(difference(lr, q.mirrored(true, false)) + difference(tb, q.mirrored(false, true)), QString());
    // A half turn whatever the angle asked for, and the source left as it was.
    for (double angle : {180.0, 90.0, -33.0, 0.0})
        EXPECT_EQ(difference(T::imageRotatedByDegrees_Angle(q, angle, q.rect()), half), QString()) << angle;
    EXPECT_EQ(difference(q, before), QString());
    // What a painter makes of the source through a page transform: the road a vector device takes.
    const QSizeF size(q.size());
    for (const auto &[transform, expected] : {std::pair{T::mirrorTransform(size, false), lr},
                                              {T::mirrorTransform(size, true), tb},
                                              {T::halfTurnTransform(size), half}}) {
        QImage page = imgtest::solid(q.width(), q.height(), Qt::transparent);
        QPainter painter(&page);
        painter.setTransform(transform);
        painter.drawImage(QPointF(0, 0), q);
        painter.end();
        EXPECT_EQ(difference(page, expected, 1), QString());
    }
    EXPECT_TRUE(T::Create_Mirror_Image_With_CG_Image(QImage(), true).isNull());
}

TEST(ImageTransforms, FrameStrokesHalfItsWidthInsideWithTheStyleCodesDashes)
{
    const QImage photo = imgtest::solid(100, 60, QColor(250, 250, 250));
    const QImage framed =
        imgtest::straight(ImageTransforms::image_Drawing_with_border(photo, 6, QStringLiteral("S"), Qt::red));
    ASSERT_EQ(framed.size(), photo.size());
    for (int inset : {0, 1, 2})
        for (const QPoint p : {QPoint(50, inset), QPoint(50, 59 - inset), QPoint(inset, 30),
                               QPoint(99 - inset, 30)})
            EXPECT_EQ(framed.pixel(p), qRgb(255, 0, 0)) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(50, 3), QPoint(50, 56), QPoint(3, 30), QPoint(96, 30), QPoint(50, 30)})
        EXPECT_EQ(framed.pixel(p), qRgb(250, 250, 250)) << p.x() << "," << p.y();
    EXPECT_EQ(photo.pixel(0, 0), qRgb(250, 250, 250));
    EXPECT_TRUE(
        ImageTransforms::image_Drawing_with_border(QImage(), 3, QStringLiteral("DA"), Qt::black).isNull());

    // Along the bottom edge from the bottom-left corner rightward, as the dash pattern runs; the
    // dashes end square, so a gap is as long as the code says.
    const QImage white = imgtest::solid(200, 80, Qt::white);
    const struct {
        const char *code;
        int firstGapAt;  // a pixel inside the first gap; -1 when the line is solid
        int secondDashAt;
    } cases[] = {{"DD", 28, 37}, {"DDD", 27, 36}, {"DA", 8, 15}, {"DO", 6, 11},
                 {"S", -1, -1},  {"", -1, -1},   {"XYZ", -1, -1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        const QImage out = imgtest::straight(
            ImageTransforms::image_Drawing_with_border(white, 4, QString::fromLatin1(c.code), Qt::blue));
        EXPECT_EQ(std::pair(out.pixel(3, 79), out.pixel(3, 78)), std::pair(qRgb(0, 0, 255), qRgb(0, 0, 255)));
        EXPECT_EQ(channelDistance(out.pixel(100, 77), Qt::white), 0);  // 2 of the 4 points inside
        for (int x = 0; c.firstGapAt < 0 && x < 200; x += 7)
            EXPECT_EQ(channelDistance(out.pixel(x, 79), Qt::blue), 0) << x;
        if (c.firstGapAt >= 0) {
            EXPECT_EQ(channelDistance(out.pixel(c.firstGapAt, 79), Qt::white), 0);
            EXPECT_EQ(channelDistance(out.pixel(c.secondDashAt, 79), Qt::blue), 0);
        }
    }
}
