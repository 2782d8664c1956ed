#include "imageops/ImageProcesser.h"

#include "TestImages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

using imgtest::channelDistance;
using imgtest::difference;

namespace {

QImage chain(const QImage &source, const ImageAdjustments &s, bool rotateOnBox = true)
{
    return imgtest::straight(ImageProcesser::Get_Processed_Image_Full_Combined(
        source, s, rotateOnBox, true, QRectF(QPointF(0, 0), QSizeF(source.size()))));
}

// The chain applied to one flat colour, read back at the centre.
QColor adjustedColour(QColor colour, const ImageAdjustments &s)
{
    return QColor::fromRgba(chain(imgtest::solid(9, 9, colour), s).pixel(4, 4));
}

}  // namespace

TEST(FilterChain, DefaultsGiveBackTheExactPixels)
{
    QImage indexed(20, 10, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(10, 20, 30), qRgb(200, 100, 50)});
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            indexed.setPixel(x, y, (x + y) % 2);
    const QImage photo = imgtest::photoLike(61, 43);
    const QImage sources[] = {photo, photo.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                              photo.convertToFormat(QImage::Format_RGB32),
                              photo.convertToFormat(QImage::Format_Grayscale8), indexed};

    ImageAdjustments ignored;  // not applied by any stage, whatever their values
    ignored.invrtclr = true;
    ignored.tranprency = 35.0f;
    ImageAdjustments underOneDegree;
    underOneDegree.rotate = 0.9f;
    ImageAdjustments fullTurn;
    fullTurn.rotate = -360.0f;
    for (const ImageAdjustments &s : {ImageAdjustments(), ignored, underOneDegree, fullTurn})
        for (const QImage &source : sources) {
            SCOPED_TRACE(source.format());
            const QImage out = ImageProcesser::Get_Processed_Image_Full_Combined(source, s);
            EXPECT_TRUE(out == source);  // same format, same bytes
            EXPECT_EQ(difference(out, source), QString());
            EXPECT_EQ(difference(ImageProcesser::Get_Processed_Image_Full_Combined(source, s, false), source),
                      QString());
        }
}

TEST(FilterChain, NullSourceGivesNullAndTheSourceIsNeverChanged)
{
    ImageAdjustments s;
    s.grayscale = true;
    s.b = 3;
    s.rotate = 30;
    EXPECT_TRUE(chain(QImage(), s).isNull());

    const QImage source = imgtest::photoLike(30, 20);
    const QImage before = source.copy();
    const QImage out = chain(source, s);
    EXPECT_EQ(out.size(), source.size());
    EXPECT_EQ(difference(source, before), QString());
}

TEST(FilterChain, GreyScaleGivesEqualChannelsAtTheLuminance)
{
    ImageAdjustments s;
    s.grayscale = true;
    const QImage out = chain(imgtest::photoLike(50, 40), s);
    for (int y = 0; y < out.height(); y += 3)
        for (int x = 0; x < out.width(); x += 3) {
            const QRgb p = out.pixel(x, y);
            ASSERT_EQ(qRed(p), qGreen(p)) << x << "," << y;
            ASSERT_EQ(qGreen(p), qBlue(p)) << x << "," << y;
        }

    const struct {
        QColor in;
        int grey;
    } cases[] = {{Qt::red, 54}, {Qt::green, 182}, {Qt::blue, 18}, {Qt::white, 255}, {Qt::black, 0}};
    for (const auto &c : cases)
        EXPECT_LE(channelDistance(adjustedColour(c.in, s).rgba(), QColor(c.grey, c.grey, c.grey)), 1)
            << c.in.name().toStdString();
}

TEST(FilterChain, SepiaTurnsGreysWarmAndFollowsTheGreyStage)
{
    ImageAdjustments sepia;
    sepia.sepia = true;
    const struct {
        QColor in, out;
    } cases[] = {{QColor(128, 128, 128), QColor(173, 154, 120)},
                 {Qt::white, QColor(255, 255, 239)},
                 {Qt::black, Qt::black}};
    for (const auto &c : cases)
        EXPECT_LE(channelDistance(adjustedColour(c.in, sepia).rgba(), c.out), 1) << c.in.name().toStdString();

    // With both on, sepia tones the grey picture: pure red becomes the sepia of its grey.
    ImageAdjustments both = sepia;
    both.grayscale = true;
    EXPECT_LE(channelDistance(adjustedColour(Qt::red, both).rgba(), adjustedColour(QColor(54, 54, 54), sepia)), 1);
    EXPECT_GT(channelDistance(adjustedColour(Qt::red, both).rgba(), adjustedColour(Qt::red, sepia)), 20);
}

TEST(FilterChain, HueTurnsColoursAroundTheGreyAxis)
{
    const float third = float(2.0 * std::numbers::pi / 3.0);
    const struct {
        float angle;
        QColor in, out;
    } cases[] = {{third, Qt::red, Qt::green},       {-third, Qt::red, Qt::blue},
                 {third, Qt::green, Qt::blue},      {float(2.0 * std::numbers::pi), QColor(200, 60, 10), QColor(200, 60, 10)},
                 {1.0f, QColor(90, 90, 90), QColor(90, 90, 90)}, {-2.5f, Qt::white, Qt::white}};
    for (const auto &c : cases) {
        ImageAdjustments s;
        s.hue = c.angle;
        EXPECT_LE(channelDistance(adjustedColour(c.in, s).rgba(), c.out), 1)
            << c.angle << " " << c.in.name().toStdString();
    }
}

TEST(FilterChain, ColourControlsMoveKnownPixels)
{
    ImageAdjustments grey;
    grey.grayscale = true;
    const struct {
        const char *what;
        float sat, brt, con;
        QColor in, out;
    } cases[] = {
        {"saturation 0 is the grey stage", 0.0f, 0.0f, 1.0f, QColor(200, 80, 30), adjustedColour(QColor(200, 80, 30), grey)},
        {"saturation 2 doubles the distance from grey", 2.0f, 0.0f, 1.0f, QColor(140, 100, 100), QColor(171, 91, 91)},
        {"brightness adds", 1.0f, 0.2f, 1.0f, QColor(100, 100, 100), QColor(151, 151, 151)},
        {"brightness subtracts", 1.0f, -0.2f, 1.0f, QColor(100, 30, 100), QColor(49, 0, 49)},
        {"contrast 2 spreads from mid grey", 1.0f, 0.0f, 2.0f, QColor(96, 160, 192), QColor(64, 192, 255)},
        {"contrast 0 is mid grey", 1.0f, 0.0f, 0.0f, QColor(10, 240, 77), QColor(128, 128, 128)},
    };
    for (const auto &c : cases) {
        ImageAdjustments s;
        s.sat = c.sat;
        s.brt = c.brt;
        s.con = c.con;
        EXPECT_LE(channelDistance(adjustedColour(c.in, s).rgba(), c.out), 1) << c.what;
    }
}

TEST(FilterChain, ExposureCountsStopsAndComesAfterSharpening)
{
    const struct {
        float ev, sharpness;
        QColor in, out;
    } cases[] = {{1.0f, 0.0f, QColor(60, 30, 100), QColor(120, 60, 200)},
                 {-1.0f, 0.0f, QColor(200, 100, 50), QColor(100, 50, 25)},
                 {2.0f, 0.0f, QColor(50, 10, 100), QColor(200, 40, 255)},
                 // A flat picture has nothing to sharpen; exposure still applies on that path.
                 {1.0f, 0.8f, QColor(60, 30, 100), QColor(120, 60, 200)},
                 {1e9f, 0.0f, QColor(60, 0, 100), QColor(255, 0, 255)}};
    for (const auto &c : cases) {
        ImageAdjustments s;
        s.g = c.ev;
        s.r = c.sharpness;
        EXPECT_LE(channelDistance(adjustedColour(c.in, s).rgba(), c.out), 1) << c.ev << " " << c.sharpness;
    }
}

TEST(FilterChain, SharpeningSteepensLuminanceEdgesAndKeepsHue)
{
    // Left half (100, 60, 40), right half (150, 110, 90): a luminance step with one hue.
    QImage step(20, 10, QImage::Format_ARGB32);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            step.setPixel(x, y, x < 10 ? qRgb(100, 60, 40) : qRgb(150, 110, 90));
    ImageAdjustments s;
    s.r = 0.5f;
    const QImage out = chain(step, s);
    const QRgb darkEdge = out.pixel(9, 5), brightEdge = out.pixel(10, 5);
    EXPECT_LT(qRed(darkEdge), 100);
    EXPECT_GT(qRed(brightEdge), 150);
    // Every channel moves by the same amount, so the differences between them stay.
    EXPECT_NEAR(qRed(brightEdge) - qGreen(brightEdge), 40, 1);
    EXPECT_NEAR(qGreen(darkEdge) - qBlue(darkEdge), 20, 1);
    // Away from the edge nothing changes.
    EXPECT_EQ(out.pixel(2, 5), qRgb(100, 60, 40));
    EXPECT_EQ(out.pixel(17, 5), qRgb(150, 110, 90));
}

TEST(FilterChain, BoxBlurAveragesOverTheRadius)
{
    QImage dot = imgtest::solid(11, 11, Qt::black);
    dot.setPixel(5, 5, qRgb(255, 255, 255));
    ImageAdjustments s;
    s.b = 1.0f;
    const QImage out = chain(dot, s);
    for (int y = 3; y <= 7; ++y)
        for (int x = 3; x <= 7; ++x) {
            const bool inBox = std::abs(x - 5) <= 1 && std::abs(y - 5) <= 1;
            EXPECT_NEAR(qRed(out.pixel(x, y)), inBox ? 28 : 0, 1) << x << "," << y;
            EXPECT_EQ(qAlpha(out.pixel(x, y)), 255);
        }

    // A step from black to white becomes a ramp as wide as the box.
    QImage edge(20, 4, QImage::Format_RGB32);
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 4; ++y)
            edge.setPixel(x, y, x < 10 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    s.b = 2.0f;
    const QImage ramp = chain(edge, s);
    const int expected[] = {0, 51, 102, 153, 204, 255};  // x = 7 .. 12
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(qGreen(ramp.pixel(7 + i, 1)), expected[i], 1) << 7 + i;
    // Edges of the picture are extended, not faded toward transparent or black.
    EXPECT_EQ(ramp.pixel(19, 0), qRgb(255, 255, 255));

    s.b = 0.4f;  // under half a pixel: nothing to average
    EXPECT_EQ(difference(chain(edge, s), edge), QString());
}

TEST(FilterChain, BlurLendsNoColourFromTransparentPixels)
{
    QImage image = imgtest::solid(10, 10, QColor(0, 0, 255, 0));
    for (int y = 0; y < 10; ++y)
        for (int x = 5; x < 10; ++x)
            image.setPixel(x, y, qRgba(255, 0, 0, 255));
    ImageAdjustments s;
    s.b = 2.0f;
    const QRgb p = chain(image, s).pixel(4, 5);
    EXPECT_NEAR(qAlpha(p), 102, 2);
    EXPECT_GE(qRed(p), 250);
    EXPECT_LE(qBlue(p), 3);
}

TEST(FilterChain, ColourStagesKeepAlpha)
{
    const QImage source = imgtest::photoLike(40, 40);
    ImageAdjustments s;
    s.sepia = true;
    s.hue = 0.7f;
    s.sat = 1.4f;
    s.con = 1.2f;
    s.r = 0.3f;
    s.g = 0.5f;
    const QImage out = chain(source, s);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(qAlpha(out.pixel(x, y)), qAlpha(source.pixel(x, y))) << x << "," << y;
}

TEST(FilterChain, FlipsMirrorAndBothMakeAHalfTurn)
{
    const QImage q = imgtest::quadrants(40, 20);
    const struct {
        bool h, v;
        QRgb topLeft;
    } cases[] = {{true, false, qRgb(0, 255, 0)}, {false, true, qRgb(0, 0, 255)}, {true, true, qRgb(255, 255, 255)}};
    for (const auto &c : cases) {
        ImageAdjustments s;
        s.flip_H = c.h;
        s.flip_V = c.v;
        const QImage out = chain(q, s);
        EXPECT_EQ(out.size(), q.size());
        EXPECT_EQ(out.pixel(0, 0), c.topLeft) << c.h << c.v;
    }
    ImageAdjustments both;
    both.flip_H = both.flip_V = true;
    ImageAdjustments halfTurn;
    halfTurn.rotate = 180;
    EXPECT_EQ(difference(chain(q, both), q.transformed(QTransform().rotate(180))), QString());
    EXPECT_EQ(difference(chain(q, both), chain(q, halfTurn)), QString());
}

TEST(FilterChain, RotationTurnsClockwiseInsideTheBox)
{
    const struct {
        float rotate;
        QRgb topLeft, topRight;
    } cases[] = {{90, qRgb(0, 0, 255), qRgb(255, 0, 0)},
                 {90.99f, qRgb(0, 0, 255), qRgb(255, 0, 0)},  // whole degrees, cut toward zero
                 {-90, qRgb(0, 255, 0), qRgb(255, 255, 255)},
                 {270, qRgb(0, 255, 0), qRgb(255, 255, 255)},
                 {450, qRgb(0, 0, 255), qRgb(255, 0, 0)}};
    for (const QSize size : {QSize(40, 40), QSize(60, 24)}) {
        const QImage q = imgtest::quadrants(size.width(), size.height());
        for (const auto &c : cases) {
            ImageAdjustments s;
            s.rotate = c.rotate;
            const QImage out = chain(q, s);
            ASSERT_EQ(out.size(), size) << c.rotate;
            EXPECT_EQ(out.pixel(2, 2), c.topLeft) << c.rotate;
            EXPECT_EQ(out.pixel(size.width() - 3, 2), c.topRight) << c.rotate;
        }
    }
    // A square picture turned a quarter is the same pixels moved, nothing resampled.
    const QImage photo = imgtest::photoLike(33, 33);
    ImageAdjustments quarter;
    quarter.rotate = 90;
    EXPECT_EQ(difference(chain(photo, quarter), photo.transformed(QTransform().rotate(90))), QString());
    // Without rotation on the box the setting is not applied.
    EXPECT_EQ(difference(chain(photo, quarter, false), photo), QString());
}

TEST(FilterChain, AnyAngleFitsTheTurnedPictureIntoTheBox)
{
    const QImage q = imgtest::quadrants(80, 80);
    ImageAdjustments s;
    s.rotate = 45;
    const QImage out = chain(q, s);
    ASSERT_EQ(out.size(), q.size());
    // The corners of the box lie outside the turned square and stay clear.
    for (const QPoint corner : {QPoint(1, 1), QPoint(78, 1), QPoint(1, 78), QPoint(78, 78)})
        EXPECT_EQ(qAlpha(out.pixel(corner)), 0) << corner.x() << "," << corner.y();
    // Clockwise by 45: red (top left) now sits at the top, green at the right, white at
    // the bottom and blue at the left.
    EXPECT_EQ(channelDistance(out.pixel(40, 20), Qt::red), 0);
    EXPECT_EQ(channelDistance(out.pixel(60, 40), Qt::green), 0);
    EXPECT_EQ(channelDistance(out.pixel(40, 60), Qt::white), 0);
    EXPECT_EQ(channelDistance(out.pixel(20, 40), Qt::blue), 0);
    // The turned square touches the middle of each side of the box: nothing is cut off.
    EXPECT_GT(qAlpha(out.pixel(40, 1)), 0);
    EXPECT_GT(qAlpha(out.pixel(1, 40)), 0);

    // The box rectangle's own position and size make no difference.
    const QImage elsewhere = ImageProcesser::Get_Processed_Image_Full_Combined(q, s, true, false,
                                                                               QRectF(300, -20, 5, 900));
    EXPECT_EQ(difference(elsewhere, out), QString());
}

TEST(FilterChain, UnusableSettingsLeaveASanePicture)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const QImage source = imgtest::photoLike(30, 20);
    ImageAdjustments nonsense;
    nonsense.hue = nan;
    nonsense.sat = inf;
    nonsense.brt = nan;
    nonsense.con = -inf;
    nonsense.r = nan;
    nonsense.g = nan;
    nonsense.b = nan;
    nonsense.rotate = nan;
    EXPECT_EQ(difference(chain(source, nonsense), source), QString());

    ImageAdjustments extreme;
    extreme.b = 1e9f;       // wider than the picture: every pixel becomes the average
    extreme.rotate = 3e9f;  // far beyond a full turn
    extreme.r = 1e6f;
    const QImage out = chain(imgtest::solid(30, 20, QColor(10, 200, 90)), extreme);
    ASSERT_EQ(out.size(), QSize(30, 20));
    EXPECT_LE(channelDistance(out.pixel(15, 10), QColor(10, 200, 90)), 1);
}

TEST(FilterChain, ResolutionIsCarriedThrough)
{
    QImage source = imgtest::photoLike(40, 30);
    source.setDotsPerMeterX(11811);  // 300 dpi
    source.setDotsPerMeterY(11811);
    ImageAdjustments s;
    s.sepia = true;
    s.b = 1;
    s.flip_H = true;
    s.rotate = 30;
    const QImage out = chain(source, s);
    EXPECT_EQ(out.dotsPerMeterX(), 11811);
    EXPECT_EQ(out.dotsPerMeterY(), 11811);
}

TEST(FilterChain, BackgroundPictureSizeIsLimitedSideBySide)
{
    const struct {
        QSizeF in, out;
    } cases[] = {{{1000, 300}, {724, 300}}, {{500, 400}, {500, 400}}, {{800, 900}, {724, 468}},
                 {{724, 468}, {724, 468}}, {{100, 468.5}, {100, 468}}};
    for (const auto &c : cases)
        EXPECT_EQ(ImageProcesser::Set_Dimaension(c.in), c.out) << c.in.width() << "x" << c.in.height();
}
