#include "imageops/ImageProcesser.h"
#include "imageops/PixelFilters.h"

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
QRgb adjusted(QColor colour, const ImageAdjustments &s)
{
    return chain(imgtest::solid(9, 9, colour), s).pixel(4, 4);
}

}  // namespace

TEST(FilterChain, NeutralSettingsGiveBackTheExactPixelsAndTheSourceIsNeverChanged)
{
    QImage indexed(20, 10, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(10, 20, 30), qRgb(200, 100, 50)});
    for (int i = 0; i < 200; ++i)
        indexed.setPixel(i % 20, i / 20, (i % 20 + i / 20) % 2);
    const QImage photo = imgtest::photoLike(61, 43);
    // Invert and transparency are applied by no stage; under one degree or a full turn is none.
    using A = ImageAdjustments;
    for (const A &s : {A(), A{.invrtclr = true, .tranprency = 35}, A{.rotate = 0.9f}, A{.rotate = -360.0f}})
        for (const QImage &source : {photo, photo.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                                     photo.convertToFormat(QImage::Format_Grayscale8), indexed})
            for (const bool rotateOnBox : {true, false})  // the same bytes
                EXPECT_TRUE(ImageProcesser::Get_Processed_Image_Full_Combined(source, s, rotateOnBox) ==
                            source) << source.format();
    const ImageAdjustments busy{.grayscale = true, .rotate = 30, .b = 3};
    EXPECT_TRUE(chain(QImage(), busy).isNull());
    const QImage before = photo.copy();
    EXPECT_EQ(chain(photo, busy).size(), photo.size());
    EXPECT_EQ(difference(photo, before), QString());
}

TEST(FilterChain, ColourStagesMoveFlatColoursToKnownValues)
{
    const float third = float(2.0 * std::numbers::pi / 3.0);
    const ImageAdjustments grey{.grayscale = true}, sepia{.sepia = true};
    const struct {
        const char *what;
        ImageAdjustments s;
        QColor in, out;
    } cases[] = {
        {"grey: luminance", grey, Qt::red, QColor(54, 54, 54)},
        {"grey", grey, Qt::green, QColor(182, 182, 182)}, {"grey", grey, Qt::blue, QColor(18, 18, 18)},
        {"grey", grey, Qt::white, Qt::white},
        {"sepia warms greys", sepia, QColor(128, 128, 128), QColor(173, 154, 120)},
        {"sepia", sepia, Qt::white, QColor(255, 255, 239)},     {"sepia", sepia, Qt::black, Qt::black},
        {"sepia tones the grey picture", {.grayscale = true, .sepia = true}, Qt::red, QColor(73, 65, 51)},
        {"hue turns about the grey axis", {.hue = third}, Qt::red, Qt::green},
        {"hue", {.hue = -third}, Qt::red, Qt::blue},            {"hue", {.hue = third}, Qt::green, Qt::blue},
        {"hue, a full turn", {.hue = 3 * third}, QColor(200, 60, 10), QColor(200, 60, 10)},
        {"hue leaves greys", {.hue = 1.0f}, QColor(90, 90, 90), QColor(90, 90, 90)},
        {"hue leaves white", {.hue = -2.5f}, Qt::white, Qt::white},
        {"saturation 0 is the grey stage", {.sat = 0.0f}, QColor(200, 80, 30), QColor(102, 102, 102)},
        {"saturation 2 doubles the distance to grey", {.sat = 2}, QColor(140, 100, 100), QColor(171, 91, 91)},
        {"brightness adds", {.brt = 0.2f}, QColor(100, 100, 100), QColor(151, 151, 151)},
        {"brightness subtracts", {.brt = -0.2f}, QColor(100, 30, 100), QColor(49, 0, 49)},
        {"contrast 2 spreads from mid grey", {.con = 2.0f}, QColor(96, 160, 192), QColor(64, 192, 255)},
        {"contrast 0 is mid grey", {.con = 0.0f}, QColor(10, 240, 77), QColor(128, 128, 128)},
        {"exposure counts stops", {.g = 1.0f}, QColor(60, 30, 100), QColor(120, 60, 200)},
        {"exposure", {.g = -1.0f}, QColor(200, 100, 50), QColor(100, 50, 25)},
        {"exposure", {.g = 2.0f}, QColor(50, 10, 100), QColor(200, 40, 255)},
        {"exposure", {.g = 1e9f}, QColor(60, 0, 100), QColor(255, 0, 255)},
        // A flat picture has nothing to sharpen; exposure still applies on that path.
        {"exposure after sharpening", {.r = 0.8f, .g = 1.0f}, QColor(60, 30, 100), QColor(120, 60, 200)},
    };
    for (const auto &c : cases)
        EXPECT_LE(channelDistance(adjusted(c.in, c.s), c.out), 1) << c.what << c.in.name().toStdString();

    // Grey pixels have equal channels everywhere, and every colour stage keeps alpha.
    const QImage photo = imgtest::photoLike(40, 40);
    const QImage out = chain(photo, grey);
    const QImage toned =
        chain(photo, {.sepia = true, .hue = 0.7f, .sat = 1.4f, .con = 1.2f, .r = 0.3f, .g = 0.5f});
    for (int i = 0; i < 40 * 40; ++i) {
        const QRgb p = out.pixel(i % 40, i / 40);
        ASSERT_TRUE(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p)) << i;
        ASSERT_EQ(qAlpha(toned.pixel(i % 40, i / 40)), qAlpha(photo.pixel(i % 40, i / 40))) << i;
    }
}

TEST(FilterChain, SharpeningSteepensLuminanceEdgesAndKeepsHue)
{
    // Left half (100, 60, 40), right half (150, 110, 90): a luminance step with one hue.
    QImage step = imgtest::solid(20, 10, QColor(100, 60, 40));
    for (int i = 0; i < 100; ++i)
        step.setPixel(10 + i % 10, i / 10, qRgb(150, 110, 90));
    const QImage out = chain(step, {.r = 0.5f});
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

TEST(FilterChain, BoxBlurAveragesOverTheRadiusWithoutColourFromClearPixels)
{
    // A white dot in black spreads over the 3 x 3 box of radius 1, a ninth each.
    QImage dot = imgtest::solid(11, 11, Qt::black);
    dot.setPixel(5, 5, qRgb(255, 255, 255));
    const QImage spread = chain(dot, {.b = 1});
    EXPECT_EQ(std::pair(spread.pixel(4, 6), spread.pixel(5, 7)), std::pair(qRgb(28, 28, 28), qRgb(0, 0, 0)));
    // A step from black to white becomes a ramp as wide as the box; the picture's edges are
    // extended, not faded toward transparent or black; under half a pixel nothing is averaged.
    QImage edge = imgtest::solid(20, 4, Qt::black, QImage::Format_RGB32);
    for (int i = 0; i < 40; ++i)
        edge.setPixel(10 + i % 10, i / 10, qRgb(255, 255, 255));
    const QImage ramp = chain(edge, {.b = 2});
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(qGreen(ramp.pixel(7 + i, 1)), 51 * i, 1) << 7 + i;
    EXPECT_EQ(ramp.pixel(19, 0), qRgb(255, 255, 255));
    EXPECT_EQ(difference(chain(edge, {.b = 0.4f}), edge), QString());
    // Beside opaque red, clear blue becomes partly opaque red: clear pixels lend no colour.
    QImage half = imgtest::solid(10, 10, QColor(0, 0, 255, 0));
    for (int i = 0; i < 50; ++i)
        half.setPixel(5 + i % 5, i / 5, qRgba(255, 0, 0, 255));
    EXPECT_LE(channelDistance(chain(half, {.b = 2}).pixel(4, 5), QColor(255, 0, 0, 102)), 3);
    // The coverage-only blur (for one-colour shadows) gives exactly the alpha of the full one.
    for (const int radius : {1, 3, 40}) {
        QImage argb(23, 17, QImage::Format_ARGB32_Premultiplied);
        argb.fill(Qt::transparent);
        for (int i = 0; i < 60; ++i)
            argb.setPixel((i * 7) % 23, (i * 5) % 17, qPremultiply(qRgba(0, 0, 0, (i * 37) % 256)));
        QImage alpha = argb.convertToFormat(QImage::Format_Alpha8);
        imageops::boxBlur(argb, radius);
        imageops::boxBlurAlpha(alpha, radius);
        EXPECT_EQ(alpha, argb.convertToFormat(QImage::Format_Alpha8)) << radius;
    }
}

TEST(FilterChain, FlipsAndRotationTurnClockwiseInsideTheBox)
{
    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255), white = 0xffffffff;
    const struct {
        ImageAdjustments s;
        QRgb topLeft, topRight;
    } cases[] = {
        {{.flip_H = true}, green, red}, {{.flip_V = true}, blue, white},
        {{.flip_H = true, .flip_V = true}, white, blue}, {{.rotate = 90}, blue, red},
        {{.rotate = 90.99f}, blue, red},  // whole degrees, cut toward zero
        {{.rotate = -90}, green, white}, {{.rotate = 270}, green, white}, {{.rotate = 450}, blue, red},
        {{.rotate = 180}, white, blue},
    };
    for (const QSize size : {QSize(40, 40), QSize(60, 24)})
        for (const auto &c : cases) {
            const QImage out = chain(imgtest::quadrants(size.width(), size.height()), c.s);
            EXPECT_EQ(std::tuple(out.size(), out.pixel(2, 2), out.pixel(size.width() - 3, 2)),
                      std::tuple(size, c.topLeft, c.topRight)) << c.s.rotate << c.s.flip_H << c.s.flip_V;
        }
    // Both flips are a half turn; a square turned a quarter is the same pixels moved, nothing
    // resampled; without rotation on the box the turn is not applied.
    const QImage photo = imgtest::photoLike(33, 33);
    const QImage half = photo.transformed(QTransform().rotate(180));
    EXPECT_EQ(difference(chain(photo, {.flip_H = true, .flip_V = true}), half), QString());
    const QImage quarter = photo.transformed(QTransform().rotate(90));
    EXPECT_EQ(difference(chain(photo, {.rotate = 90}), quarter), QString());
    EXPECT_EQ(difference(chain(photo, {.rotate = 90}, false), photo), QString());

    // Any angle fits the turned picture into the box whatever the box rectangle says: clockwise
    // by 45, red (top left) sits at the top, green right, white bottom, blue left; the corners
    // stay clear and the middle of each side is reached.
    const QImage q = imgtest::quadrants(80, 80);
    const QImage out = chain(q, {.rotate = 45});
    for (const QPoint corner : {QPoint(1, 1), QPoint(78, 1), QPoint(1, 78), QPoint(78, 78)})
        EXPECT_EQ(qAlpha(out.pixel(corner)), 0) << corner.x() << "," << corner.y();
    EXPECT_EQ(std::tuple(out.pixel(40, 20), out.pixel(60, 40), out.pixel(40, 60), out.pixel(20, 40)),
              std::tuple(red, green, white, blue));
    EXPECT_GT(std::min(qAlpha(out.pixel(40, 1)), qAlpha(out.pixel(1, 40))), 0);
    const QImage inOddBox = ImageProcesser::Get_Processed_Image_Full_Combined(q, {.rotate = 45}, true, false,
                                                                              QRectF(300, -20, 5, 900));
    EXPECT_EQ(difference(inOddBox, out), QString());
}

TEST(FilterChain, UnusableSettingsLeaveASanePictureAtItsResolution)
{
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    QImage source = imgtest::photoLike(30, 20);
    source.setDotsPerMeterX(11811);  // 300 dpi
    source.setDotsPerMeterY(11811);
    const ImageAdjustments broken{
        .hue = nan, .sat = inf, .brt = nan, .con = -inf, .rotate = nan, .r = nan, .g = nan, .b = nan};
    EXPECT_EQ(difference(chain(source, broken), source), QString());
    // Wider than the picture, far beyond a full turn: every pixel becomes the average.
    const QColor flat(10, 200, 90);
    const QImage out = chain(imgtest::solid(30, 20, flat), {.rotate = 3e9f, .r = 1e6f, .b = 1e9f});
    EXPECT_EQ(out.size(), QSize(30, 20));
    EXPECT_LE(channelDistance(out.pixel(15, 10), flat), 1);
    const QImage turned = chain(source, {.sepia = true, .rotate = 30, .b = 1, .flip_H = true});
    EXPECT_EQ(QSize(turned.dotsPerMeterX(), turned.dotsPerMeterY()), QSize(11811, 11811));
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
