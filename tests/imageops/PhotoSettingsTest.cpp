#include "imageops/ImageTransforms.h"
#include "imageops/PhotoSettings.h"

#include "TestImages.h"

#include <gtest/gtest.h>

using imgtest::channelDistance;
using imgtest::difference;

namespace {

// A stored photo path as the photo editors leave it: seventeen fields, each closed by "_".
QString storedPath(const QString &path, const ImageAdjustments &s, const PhotoBorder &b)
{
    auto yn = [](bool v) { return v ? QStringLiteral("1") : QStringLiteral("0"); };
    auto num = [](double v) { return QString::number(v, 'g', 9); };
    const QStringList fields = {yn(s.flip_H), yn(s.flip_V), yn(s.grayscale), yn(s.sepia), num(s.rotate), num(s.r),
                                num(s.g), num(s.b), num(s.sat), num(s.brt), num(s.con), num(s.hue), num(s.tranprency),
                                yn(b.on), num(b.width), b.style,
                                QString::asprintf("%0.3f:%0.3f:%0.3f:%0.3f", b.colour.redF(), b.colour.greenF(),
                                                  b.colour.blueF(), b.colour.alphaF())};
    return path + QStringLiteral("<IMG_FILTER>") + fields.join(QLatin1Char('_')) + QLatin1Char('_');
}

const ImageAdjustments kUnusual{.grayscale = true, .hue = 0.25f, .sat = 1.5f, .brt = -0.125f, .con = 0.75f,
                                .rotate = 30, .r = 0.5f, .g = -1, .b = 2, .tranprency = 60, .flip_V = true};

}  // namespace

TEST(PhotoSettingsSuffix, SettingsAndBorderRoundTripAndTheInvertFlagIsLeftAlone)
{
    const ImageAdjustments a{.sepia = true, .hue = -3.125f, .sat = 0, .brt = 0.25f, .con = 2, .rotate = -45.5f,
                             .r = 0.4f, .g = 1.5f, .b = 3, .tranprency = 12.5f, .flip_H = true};
    const struct {
        QString path;
        ImageAdjustments settings;
        PhotoBorder border;
    } cases[] = {
        {QStringLiteral("/home/u/Photos/a b.jpg"), ImageAdjustments(), PhotoBorder()},
        {QStringLiteral("/p/visitor 7.png"), a, PhotoBorder{true, 2.5, QStringLiteral("DDD"), QColor(255, 0, 0)}},
        {QStringLiteral("C.tif"), kUnusual, PhotoBorder{false, 0, QStringLiteral("DO"), QColor(0, 128, 255, 51)}},
    };
    for (const auto &c : cases) {
        ImageAdjustments parsed{.invrtclr = true};
        const PhotoSettingsSuffix out = Split_Photo_Settings_Suffix(storedPath(c.path, c.settings, c.border), parsed);
        EXPECT_EQ(out.path, c.path);
        EXPECT_TRUE(out.hasFilter);
        ImageAdjustments expected = c.settings;
        expected.invrtclr = true;
        EXPECT_EQ(parsed, expected) << c.path.toStdString();
        EXPECT_EQ(std::tuple(out.border.on, out.border.width, out.border.style, out.border.colour.rgba()),
                  std::tuple(c.border.on, c.border.width, c.border.style, c.border.colour.rgba()));
    }
}

TEST(PhotoSettingsSuffix, WorkedExampleGivesFlipTurnAndBlueDashedBorder)
{
    ImageAdjustments s;
    const PhotoSettingsSuffix out = Split_Photo_Settings_Suffix(
        QStringLiteral("/photos/v.png<IMG_FILTER>1_0_0_0_45.7_0_0_0_1_0_1_0_100_1_3_DA_0.0:0.0:1.0:1.0_"), s);
    EXPECT_EQ(out.path, QStringLiteral("/photos/v.png"));
    EXPECT_EQ(s, (ImageAdjustments{.rotate = 45.7f, .flip_H = true}));
    EXPECT_EQ(out.border, (PhotoBorder{true, 3.0, QStringLiteral("DA"), QColor(0, 0, 255)}));
    // Left half red, right half green. Flipped, green is on the left; turned 45 degrees clockwise
    // (not 45.7), the left half lies above the rising diagonal. A 3-point blue "DA" border: dashes
    // of 8, gaps of 2, along the bottom from the left.
    QImage photo = imgtest::solid(100, 100, Qt::red);
    for (int i = 0; i < 5000; ++i)
        photo.setPixel(50 + i % 50, i / 50, qRgb(0, 255, 0));
    const QImage shown = imgtest::straight(Apply_Photo_Settings(photo, s, out.border));
    ASSERT_EQ(shown.size(), photo.size());
    EXPECT_EQ(channelDistance(shown.pixel(40, 40), Qt::green), 0);
    EXPECT_EQ(channelDistance(shown.pixel(60, 60), Qt::red), 0);
    EXPECT_EQ(channelDistance(shown.pixel(5, 99), Qt::blue) + channelDistance(shown.pixel(45, 0), Qt::blue), 0);
    EXPECT_NE(channelDistance(shown.pixel(9, 99), Qt::blue), 0);
    EXPECT_NE(channelDistance(shown.pixel(50, 3), Qt::blue), 0);
}

TEST(PhotoSettingsSuffix, MissingAndMalformedFieldsAreToleratedAndReadAsFalseOrZero)
{
    const struct {
        QString stored;
        bool flipH, flipV;
    } partial[] = {
        {QStringLiteral("/a.png<IMG_FILTER>1_0_"), true, false},
        {QStringLiteral("/a.png<IMG_FILTER>"), false, true},
        {QStringLiteral("/a.png<IMG_FILTER>1_0_1"), true, false},  // text after the last "_" is ignored
        {QStringLiteral("  /a.png <IMG_FILTER>\t yes _ No _\n"), true, false},
    };
    for (const auto &c : partial) {
        ImageAdjustments s = kUnusual, expected = kUnusual;
        const PhotoSettingsSuffix out = Split_Photo_Settings_Suffix(c.stored, s);
        EXPECT_EQ(out.path, QStringLiteral("/a.png"));
        EXPECT_TRUE(out.hasFilter);
        expected.flip_H = c.flipH;
        expected.flip_V = c.flipV;
        EXPECT_EQ(s, expected) << c.stored.toStdString();
        EXPECT_EQ(out.border, PhotoBorder());
    }
    ImageAdjustments s = kUnusual;
    const PhotoSettingsSuffix plain = Split_Photo_Settings_Suffix(QStringLiteral(" \x01/b/c.jpg\r\n"), s);
    EXPECT_EQ(plain.path, QStringLiteral("/b/c.jpg"));
    EXPECT_FALSE(plain.hasFilter);
    EXPECT_EQ(s, kUnusual);

    const QString malformed[] = {
        QStringLiteral("<IMG_FILTER>abc_def_ghi_jkl_xyz_nan_inf_-inf_1e999_zz_?_%_ _1.2.3_--4_"),
        QStringLiteral("x<IMG_FILTER>") + QStringLiteral("9_").repeated(200),
        QStringLiteral("<IMG_FILTER>_________________________"),
        QStringLiteral("<IMG_FILTER><IMG_FILTER>1_1_"),
        QStringLiteral("<IMG_FILTER>1_1_1_1_1_1_1_1_1_1_1_1_1_1_1_1_"),  // no colour field
    };
    for (const QString &stored : malformed) {
        s = kUnusual;
        const PhotoSettingsSuffix out = Split_Photo_Settings_Suffix(stored, s);
        EXPECT_TRUE(out.hasFilter) << stored.toStdString();
        for (float v : {s.hue, s.sat, s.brt, s.con, s.rotate, s.r, s.g, s.b, s.tranprency})
            EXPECT_TRUE(std::isfinite(v)) << stored.toStdString();
        // Whatever was read, the photo still goes through the chain and comes out whole.
        EXPECT_EQ(Apply_Photo_Settings(imgtest::photoLike(24, 16), s, out.border).size(), QSize(24, 16));
    }
    // "abc", "ghi" false; "nan", "inf", "-inf", out-of-range "1e999" and " " zero; "1.2.3" begins
    // with a digit, "--4" is no number.
    s = kUnusual;
    const PhotoSettingsSuffix garbled = Split_Photo_Settings_Suffix(malformed[0], s);
    EXPECT_FALSE(s.flip_H || s.grayscale);
    EXPECT_EQ(QList<float>({s.r, s.g, s.b, s.sat, s.tranprency}), QList<float>(5, 0.0f));
    EXPECT_TRUE(garbled.border.on);
    EXPECT_EQ(garbled.border.width, 0.0);
    // Past the seventeenth field nothing is read; a missing colour is black.
    Split_Photo_Settings_Suffix(malformed[1], s);
    EXPECT_EQ(s.rotate, 9.0f);
    const PhotoSettingsSuffix noColour = Split_Photo_Settings_Suffix(malformed[4], s);
    EXPECT_TRUE(noColour.border.on);
    EXPECT_EQ(noColour.border.colour, QColor(Qt::black));
}

TEST(PhotoSettingsSuffix, FieldReadersFollowTheStoredTextRules)
{
    for (const auto &[text, value] : {std::pair{"Yes", true}, {"1", true}, {"true", true}, {"T", true}, {"  +007", true},
                                      {"-0y", true}, {"No", false}, {"0", false}, {"", false}, {"00", false},
                                      {"x1", false}, {"false", false}})
        EXPECT_EQ(Photo_Field_Bool(QString::fromLatin1(text)), value) << text;
    for (const auto &[text, value] : {std::pair{"45.7", 45.7}, {"  -3.5abc", -3.5}, {".5", 0.5}, {"1e2", 100.0},
                                      {"7.", 7.0}, {"abc", 0.0}, {"", 0.0}, {"1e999", 0.0}, {"+2", 2.0}, {"- 2", 0.0}})
        EXPECT_DOUBLE_EQ(Photo_Field_Number(QString::fromLatin1(text)), value) << text;
    for (const auto &[text, colour] : {std::pair{"0.0:0.0:1.0:1.0", QColor(0, 0, 255)}, {"1:0:0:0.5", QColor(255, 0, 0, 128)},
                                       {"2:-1:0.5:1", QColor(255, 0, 128)}, {"1:1", QColor(255, 255, 0, 0)},
                                       {"", QColor(Qt::transparent)}, {"junk", QColor(0, 0, 0, 0)}})
        EXPECT_LE(channelDistance(Photo_Field_Colour(QString::fromLatin1(text)).rgba(), colour), 1) << text;
}

TEST(PhotoSettingsSuffix, ReaderSetsTheGlobalsButNotTheInvertFlag)
{
    const ImageAdjustments saved = Current_Image_Adjustments();
    const bool savedInvert = IMG_invert_clr;
    Store_Image_Adjustments(kUnusual);
    IMG_invert_clr = true;
    EXPECT_EQ(Read_Photo_Settings_Suffix(QStringLiteral("/q.png<IMG_FILTER>0_1_0_1_-90_")).path, QStringLiteral("/q.png"));
    ImageAdjustments expected = kUnusual;  // fields from the ninth on were not given
    expected.flip_V = expected.sepia = expected.invrtclr = true;
    expected.grayscale = false;
    expected.rotate = -90.0f;
    EXPECT_EQ(Current_Image_Adjustments(), expected);
    // The start values leave a photo unchanged.
    Store_Image_Adjustments(ImageAdjustments());
    const QImage photo = imgtest::photoLike(40, 30);
    EXPECT_EQ(difference(Apply_Photo_Settings(photo, Current_Image_Adjustments(), PhotoBorder()), photo), QString());
    Store_Image_Adjustments(saved);
    IMG_invert_clr = savedInvert;
}
