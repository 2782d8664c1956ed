#include "imageops/ImageProcesser.h"
#include "imageops/ImageTransforms.h"

#include "TestImages.h"

#include <QPainter>

#include <gtest/gtest.h>

using imgtest::channelDistance;
using imgtest::difference;
using imgtest::straight;

namespace {

// What a painter makes of the source drawn through a page transform: the road a vector
// device takes.
QImage paintedThrough(const QImage &source, const QTransform &transform)
{
    QImage page(source.size(), QImage::Format_ARGB32);
    page.fill(Qt::transparent);
    QPainter painter(&page);
    painter.setTransform(transform);
    painter.drawImage(QPointF(0, 0), source);
    return page;
}

}  // namespace

TEST(ImageTransforms, MirrorSwapsEdgesAndKeepsTheSize)
{
    const QImage q = imgtest::photoLike(37, 21);
    const QImage lr = ImageTransforms::Create_Mirror_Image_With_CG_Image(q, false);
    const QImage tb = ImageTransforms::Create_Mirror_Image_With_CG_Image(q, true);
    ASSERT_EQ(lr.size(), q.size());
    ASSERT_EQ(tb.size(), q.size());
    for (int y = 0; y < q.height(); ++y)
        for (int x = 0; x < q.width(); ++x) {
            ASSERT_EQ(lr.pixel(x, y), q.pixel(q.width() - 1 - x, y)) << x << "," << y;
            ASSERT_EQ(tb.pixel(x, y), q.pixel(x, q.height() - 1 - y)) << x << "," << y;
        }
    for (bool vertical : {false, true}) {
        const QImage twice = ImageTransforms::Create_Mirror_Image_With_CG_Image(
            ImageTransforms::Create_Mirror_Image_With_CG_Image(q, vertical), vertical);
        EXPECT_EQ(difference(twice, q), QString()) << vertical;
    }
}

TEST(ImageTransforms, HalfTurnWhateverTheAngleEqualsBothFlips)
{
    const QImage q = imgtest::quadrants(40, 24);
    ImageAdjustments both;
    both.flip_H = both.flip_V = true;
    const QImage flipped = ImageProcesser::Get_Processed_Image_Full_Combined(q, both);
    for (double angle : {180.0, 90.0, -33.0, 0.0}) {
        const QImage turned = ImageTransforms::imageRotatedByDegrees_Angle(q, angle, QRectF(0, 0, 40, 24));
        EXPECT_EQ(turned.size(), q.size()) << angle;
        EXPECT_EQ(turned.pixel(0, 0), qRgb(255, 255, 255)) << angle;
        EXPECT_EQ(difference(turned, flipped), QString()) << angle;
    }
    EXPECT_EQ(q.pixel(0, 0), qRgb(255, 0, 0));  // the source is left as it was
}

TEST(ImageTransforms, PageTransformsDrawWhatThePixelOperationsMake)
{
    const QImage q = imgtest::photoLike(30, 18);
    const QSizeF size(q.size());
    const struct {
        const char *what;
        QTransform transform;
        QImage expected;
    } cases[] = {
        {"left-to-right mirror", ImageTransforms::mirrorTransform(size, false),
         ImageTransforms::Create_Mirror_Image_With_CG_Image(q, false)},
        {"top-to-bottom mirror", ImageTransforms::mirrorTransform(size, true),
         ImageTransforms::Create_Mirror_Image_With_CG_Image(q, true)},
        {"half turn", ImageTransforms::halfTurnTransform(size),
         ImageTransforms::imageRotatedByDegrees_Angle(q, 180, QRectF())},
    };
    for (const auto &c : cases)
        EXPECT_EQ(difference(paintedThrough(q, c.transform), c.expected, 1), QString()) << c.what;
}

TEST(ImageTransforms, FrameStrokesHalfItsWidthInsideThePicture)
{
    const QImage photo = imgtest::solid(100, 60, QColor(250, 250, 250));
    const QImage framed = straight(ImageTransforms::image_Drawing_with_border(photo, 6, QStringLiteral("S"), Qt::red));
    ASSERT_EQ(framed.size(), photo.size());
    for (int inset : {0, 1, 2})
        for (const QPoint p : {QPoint(50, inset), QPoint(50, 59 - inset), QPoint(inset, 30), QPoint(99 - inset, 30)})
            EXPECT_EQ(framed.pixel(p), qRgb(255, 0, 0)) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(50, 3), QPoint(50, 56), QPoint(3, 30), QPoint(96, 30), QPoint(50, 30)})
        EXPECT_EQ(framed.pixel(p), qRgb(250, 250, 250)) << p.x() << "," << p.y();
    EXPECT_EQ(photo.pixel(0, 0), qRgb(250, 250, 250));
}

TEST(ImageTransforms, FrameDashesFollowTheBorderStyleCode)
{
    const QImage photo = imgtest::solid(200, 80, Qt::white);
    // Along the bottom edge, from the bottom-left corner rightward, as the dash pattern runs.
    const struct {
        const char *code;
        int firstGapAt;  // a pixel inside the first gap; -1 when the line is solid
        int secondDashAt;
    } cases[] = {{"DD", 28, 37}, {"DDD", 27, 36}, {"DA", 8, 15}, {"DO", 6, 11}, {"S", -1, -1}, {"", -1, -1}, {"XYZ", -1, -1}};
    for (const auto &c : cases) {
        const QImage framed =
            straight(ImageTransforms::image_Drawing_with_border(photo, 4, QString::fromLatin1(c.code), Qt::blue));
        const int bottom = 79;
        EXPECT_EQ(channelDistance(framed.pixel(3, bottom), Qt::blue), 0) << c.code;
        EXPECT_EQ(channelDistance(framed.pixel(3, bottom - 1), Qt::blue), 0) << c.code;  // 2 of the 4 inside
        EXPECT_EQ(channelDistance(framed.pixel(100, bottom - 2), Qt::white), 0) << c.code;
        if (c.firstGapAt < 0) {
            for (int x = 0; x < 200; x += 7)
                EXPECT_EQ(channelDistance(framed.pixel(x, bottom), Qt::blue), 0) << c.code << " x " << x;
        } else {
            EXPECT_EQ(channelDistance(framed.pixel(c.firstGapAt, bottom), Qt::white), 0) << c.code;
            EXPECT_EQ(channelDistance(framed.pixel(c.secondDashAt, bottom), Qt::blue), 0) << c.code;
        }
    }
}

TEST(ImageTransforms, FrameAnswersNullForANullPicture)
{
    EXPECT_TRUE(ImageTransforms::image_Drawing_with_border(QImage(), 3, QStringLiteral("DA"), Qt::black).isNull());
    EXPECT_TRUE(ImageTransforms::Create_Mirror_Image_With_CG_Image(QImage(), true).isNull());
}
