#include "imageops/ImageTransforms.h"
#include "imageops/PhotoSettings.h"

#include "TestImages.h"

#include <gtest/gtest.h>

using imgtest::channelDistance;
using imgtest::difference;

namespace {

QString yesNo(bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); }
QString num(double v) { return QString::number(v, 'g', 9); }

// A stored photo path as the photo editors leave it: seventeen fields, each closed by "_".
QString storedPath(const QString &path, const ImageAdjustments &s, const PhotoBorder &b)
{
    const QStringList fields = {yesNo(s.flip_H), yesNo(s.flip_V), yesNo(s.grayscale), yesNo(s.sepia),
                                num(s.rotate),   num(s.r),        num(s.g),           num(s.b),
                                num(s.sat),      num(s.brt),      num(s.con),         num(s.hue),
                                num(s.tranprency), yesNo(b.on),   num(b.width),       b.style,
                                QString::asprintf("%0.3f:%0.3f:%0.3f:%0.3f", b.colour.redF(), b.colour.greenF(),
                                                  b.colour.blueF(), b.colour.alphaF())};
    return path + QStringLiteral("<IMG_FILTER>") + fields.join(QLatin1Char('_')) + QLatin1Char('_');
}

// Saves the global settings and puts them back after each test.
class PhotoSettingsGlobals : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = Current_Image_Adjustments();
        m_savedInvert = IMG_invert_clr;
    }
    void TearDown() override
    {
        Store_Image_Adjustments(m_saved);
        IMG_invert_clr = m_savedInvert;
    }
private:
    ImageAdjustments m_saved;
    bool m_savedInvert = false;
};

ImageAdjustments unusual()
{
    ImageAdjustments s;
    s.grayscale = true;
    s.hue = 0.25f;
    s.sat = 1.5f;
    s.brt = -0.125f;
    s.con = 0.75f;
    s.rotate = 30;
    s.r = 0.5f;
    s.g = -1;
    s.b = 2;
    s.tranprency = 60;
    s.flip_V = true;
    return s;
}

}  // namespace

TEST(PhotoSettingsSuffix, SettingsAndBorderRoundTrip)
{
    ImageAdjustments a;
    a.flip_H = true;
    a.sepia = true;
    a.rotate = -45.5f;
    a.r = 0.4f;
    a.g = 1.5f;
    a.b = 3;
    a.sat = 0;
    a.brt = 0.25f;
    a.con = 2;
    a.hue = -3.125f;
    a.tranprency = 12.5f;
    const struct {
        QString path;
        ImageAdjustments settings;
        PhotoBorder border;
    } cases[] = {
        {QStringLiteral("/home/u/Photos/a b.jpg"), ImageAdjustments(), PhotoBorder()},
        {QStringLiteral("/p/visitor 7.png"), a, PhotoBorder{true, 2.5, QStringLiteral("DDD"), QColor(255, 0, 0)}},
        {QStringLiteral("C.tif"), unusual(), PhotoBorder{false, 0, QStringLiteral("DO"), QColor(0, 128, 255, 51)}},
    };
    for (const auto &c : cases) {
        ImageAdjustments parsed;
        parsed.invrtclr = true;  // not part of the suffix: must be left alone
        const PhotoSettingsSuffix out = Split_Photo_Settings_Suffix(storedPath(c.path, c.settings, c.border), parsed);
        EXPECT_EQ(out.path, c.path);
        EXPECT_TRUE(out.hasFilter);
        ImageAdjustments expected = c.settings;
        expected.invrtclr = true;
        EXPECT_EQ(parsed, expected) << c.path.toStdString();
        EXPECT_EQ(out.border.on, c.border.on);
        EXPECT_EQ(out.border.width, c.border.width);
        EXPECT_EQ(out.border.style, c.border.style);
        EXPECT_EQ(out.border.colour.rgba(), c.border.colour.rgba());
    }
}

TEST(PhotoSettingsSuffix, WorkedExampleGivesFlipTurnAndBlueDashedBorder)
{
    const QString stored = QStringLiteral(
        "/photos/v.png<IMG_FILTER>1_0_0_0_45.7_0_0_0_1_0_1_0_100_1_3_DA_0.0:0.0:1.0:1.0_");
    ImageAdjustments s;
    const PhotoSettingsSuffix out = Split_Photo_Settings_Suffix(stored, s);
    EXPECT_EQ(out.path, QStringLiteral("/photos/v.png"));
    EXPECT_TRUE(s.flip_H);
    EXPECT_FALSE(s.flip_V);
    EXPECT_FLOAT_EQ(s.rotate, 45.7f);
    EXPECT_EQ(out.border, (PhotoBorder{true, 3.0, QStringLiteral("DA"), QColor(0, 0, 255)}));

    // Left half red, right half green, 100 by 100.
    QImage photo(100, 100, QImage::Format_ARGB32);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            photo.setPixel(x, y, x < 50 ? qRgb(255, 0, 0) : qRgb(0, 255, 0));
    const QImage shown = imgtest::straight(Apply_Photo_Settings(photo, s, out.border));
    ASSERT_EQ(shown.size(), photo.size());
    // Flipped, green is on the left; turned 45 degrees clockwise (not 45.7), the left half
    // lies above the rising diagonal, where it would lie below after a counter-clockwise turn.
    EXPECT_EQ(channelDistance(shown.pixel(40, 40), Qt::green), 0);
    EXPECT_EQ(channelDistance(shown.pixel(60, 60), Qt::red), 0);
    // A 3-point blue "DA" border: dashes of 8, gaps of 2, along the bottom from the left.
    EXPECT_EQ(channelDistance(shown.pixel(5, 99), Qt::blue), 0);
    EXPECT_EQ(channelDistance(shown.pixel(45, 0), Qt::blue), 0);
    EXPECT_NE(channelDistance(shown.pixel(9, 99), Qt::blue), 0);
    EXPECT_NE(channelDistance(shown.pixel(50, 3), Qt::blue), 0);
}

TEST(PhotoSettingsSuffix, MissingFieldsKeepWhatTheSettingsHold)
{
    const struct {
        QString stored;
        bool flipH, flipV;
    } cases[] = {
        {QStringLiteral("/a.png<IMG_FILTER>1_0_"), true, false},
        {QStringLiteral("/a.png<IMG_FILTER>"), false, true},
        {QStringLiteral("/a.png<IMG_FILTER>1_0_1"), true, false},  // text after the last "_" is ignored
        {QStringLiteral("  /a.png <IMG_FILTER>\t yes _ No _\n"), true, false},
    };
    for (const auto &c : cases) {
        ImageAdjustments s = unusual();
        const PhotoSettingsSuffix out = Split_Photo_Settings_Suffix(c.stored, s);
        EXPECT_EQ(out.path, QStringLiteral("/a.png"));
        EXPECT_TRUE(out.hasFilter);
        ImageAdjustments expected = unusual();
        expected.flip_H = c.flipH;
        expected.flip_V = c.flipV;
        EXPECT_EQ(s, expected) << c.stored.toStdString();
        EXPECT_EQ(out.border, PhotoBorder());
    }

    ImageAdjustments s = unusual();
    const PhotoSettingsSuffix plain = Split_Photo_Settings_Suffix(QStringLiteral(" \x01/b/c.jpg\r\n"), s);
    EXPECT_EQ(plain.path, QStringLiteral("/b/c.jpg"));
    EXPECT_FALSE(plain.hasFilter);
    EXPECT_EQ(s, unusual());
}

TEST(PhotoSettingsSuffix, MalformedSuffixesAreToleratedAndReadAsFalseOrZero)
{
    const QString many = QStringLiteral("9_").repeated(200);
    const QString cases[] = {
        QStringLiteral("<IMG_FILTER>abc_def_ghi_jkl_xyz_nan_inf_-inf_1e999_zz_?_%_ _1.2.3_--4_"),
        QStringLiteral("x<IMG_FILTER>") + many,
        QStringLiteral("<IMG_FILTER>_________________________"),
        QStringLiteral("<IMG_FILTER><IMG_FILTER>1_1_"),
        QStringLiteral("<IMG_FILTER>1_1_1_1_1_1_1_1_1_1_1_1_1_1_1_1_"),  // no colour field
    };
    for (const QString &stored : cases) {
        ImageAdjustments s = unusual();
        const PhotoSettingsSuffix out = Split_Photo_Settings_Suffix(stored, s);
        EXPECT_TRUE(out.hasFilter) << stored.toStdString();
        for (float v : {s.hue, s.sat, s.brt, s.con, s.rotate, s.r, s.g, s.b, s.tranprency})
            EXPECT_TRUE(std::isfinite(v)) << stored.toStdString();
        // Whatever was read, the photo still goes through the chain and comes out whole.
        const QImage shown = Apply_Photo_Settings(imgtest::photoLike(24, 16), s, out.border);
        EXPECT_EQ(shown.size(), QSize(24, 16)) << stored.toStdString();
    }

    ImageAdjustments s = unusual();
    const PhotoSettingsSuffix garbled = Split_Photo_Settings_Suffix(cases[0], s);
    EXPECT_FALSE(s.flip_H);         // "abc"
    EXPECT_FALSE(s.grayscale);      // "ghi"
    EXPECT_EQ(s.r, 0.0f);           // "nan"
    EXPECT_EQ(s.g, 0.0f);           // "inf"
    EXPECT_EQ(s.b, 0.0f);           // "-inf"
    EXPECT_EQ(s.sat, 0.0f);         // "1e999" is out of range
    EXPECT_EQ(s.tranprency, 0.0f);  // " "
    EXPECT_TRUE(garbled.border.on);        // "1.2.3" begins with a digit
    EXPECT_EQ(garbled.border.width, 0.0);  // "--4"

    // Past the seventeenth field nothing is read: the colour is field 17's, not a later one.
    Split_Photo_Settings_Suffix(cases[1], s);
    EXPECT_EQ(s.rotate, 9.0f);
    PhotoSettingsSuffix noColour = Split_Photo_Settings_Suffix(cases[4], s);
    EXPECT_TRUE(noColour.border.on);
    EXPECT_EQ(noColour.border.colour, QColor(Qt::black));
}

TEST(PhotoSettingsSuffix, FieldReadersFollowTheStoredTextRules)
{
    const struct {
        const char *text;
        bool value;
    } bools[] = {{"Yes", true}, {"1", true}, {"true", true}, {"T", true}, {"  +007", true}, {"-0y", true},
                 {"No", false}, {"0", false}, {"", false}, {"00", false}, {"x1", false}, {"false", false}};
    for (const auto &b : bools)
        EXPECT_EQ(Photo_Field_Bool(QString::fromLatin1(b.text)), b.value) << b.text;

    const struct {
        const char *text;
        double value;
    } numbers[] = {{"45.7", 45.7}, {"  -3.5abc", -3.5}, {".5", 0.5}, {"1e2", 100}, {"7.", 7},
                   {"abc", 0},     {"", 0},             {"1e999", 0}, {"+2", 2},   {"- 2", 0}};
    for (const auto &n : numbers)
        EXPECT_DOUBLE_EQ(Photo_Field_Number(QString::fromLatin1(n.text)), n.value) << n.text;

    const struct {
        const char *text;
        QColor colour;
    } colours[] = {{"0.0:0.0:1.0:1.0", QColor(0, 0, 255)},
                   {"1:0:0:0.5", QColor(255, 0, 0, 128)},
                   {"2:-1:0.5:1", QColor(255, 0, 128)},
                   {"1:1", QColor(255, 255, 0, 0)},
                   {"", QColor(Qt::transparent)},
                   {"junk", QColor(0, 0, 0, 0)}};
    for (const auto &c : colours)
        EXPECT_LE(channelDistance(Photo_Field_Colour(QString::fromLatin1(c.text)).rgba(), c.colour), 1) << c.text;
}

TEST_F(PhotoSettingsGlobals, ReaderSetsTheGlobalsButNotTheInvertFlag)
{
    Store_Image_Adjustments(unusual());
    IMG_invert_clr = true;
    const PhotoSettingsSuffix out = Read_Photo_Settings_Suffix(QStringLiteral("/q.png<IMG_FILTER>0_1_0_1_-90_"));
    EXPECT_EQ(out.path, QStringLiteral("/q.png"));
    EXPECT_FALSE(IMG_Flip_H);
    EXPECT_TRUE(IMG_Flip_V);
    EXPECT_FALSE(IMG_gray_Scale);
    EXPECT_TRUE(IMG_Sepia);
    EXPECT_EQ(IMG_rotate_image, -90.0f);
    EXPECT_TRUE(IMG_invert_clr);
    EXPECT_EQ(IMG_sat_val, 1.5f);  // field 9 was not given
    EXPECT_EQ(IMG_blr_val, 2.0f);
}

TEST_F(PhotoSettingsGlobals, StartValuesLeaveAPhotoUnchanged)
{
    Store_Image_Adjustments(ImageAdjustments());
    const ImageAdjustments current = Current_Image_Adjustments();
    EXPECT_EQ(current, ImageAdjustments());
    const QImage photo = imgtest::photoLike(40, 30);
    EXPECT_EQ(difference(Apply_Photo_Settings(photo, current, PhotoBorder()), photo), QString());
}
