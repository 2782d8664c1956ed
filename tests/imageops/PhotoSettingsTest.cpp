#include "imageops/ImageTransforms.h"
#include "imageops/PhotoSettings.h"

#include "TestImages.h"

#include <gtest/gtest.h>

using imgtest::channelDistance;
using imgtest::difference;
using namespace Qt::Literals::StringLiterals;

namespace {

// Settings a reader is handed before it reads: fields not given must leave them, and it never
// touches the invert flag.
const ImageAdjustments kUnusual{.grayscale = true, .invrtclr = true, .hue = 0.25f, .sat = 1.5f,
                                .brt = -0.125f, .con = 0.75f, .rotate = 30, .r = 0.5f, .g = -1, .b = 2,
                                .tranprency = 60, .flip_V = true};

}  // namespace

TEST(PhotoSettingsSuffix, StoredFieldsAreReadAndMissingOrMalformedOnesTolerated)
{
    // A photo path as the editors store it: seventeen fields, each closed by "_". Text after the
    // last "_" is ignored; no number is zero, no yes is false ("1.2.3" begins with a digit, "--4"
    // is no number); past the seventeenth field nothing is read; a missing colour is black.
    auto with = [](bool h, bool v) {
        ImageAdjustments s = kUnusual;
        s.flip_H = h, s.flip_V = v;
        return s;
    };
    const ImageAdjustments zero{.invrtclr = true, .sat = 0, .con = 0, .tranprency = 0};
    const ImageAdjustments nines{true, true, true, 9, 9, 9, 9, 9, 9, 9, 9, 9, true, true};
    const struct {
        QString stored, path;
        bool hasFilter;
        ImageAdjustments settings;
        PhotoBorder border;
    } cases[] = {
        {u"/photos/v.png<IMG_FILTER>1_0_0_0_45.7_0_0_0_1_0_1_0_100_1_3_DA_0.0:0.0:1.0:1.0_"_s,
         u"/photos/v.png"_s, true, {.invrtclr = true, .rotate = 45.7f, .flip_H = true},
         {true, 3.0, u"DA"_s, QColor(0, 0, 255)}},
        {u"/home/u/a b.jpg<IMG_FILTER>0_0_0_0_0_0_0_0_1_0_1_0_100_0_0__0.000:0.000:0.000:1.000_"_s,
         u"/home/u/a b.jpg"_s, true, {.invrtclr = true}, {}},
        {u"/p/v 7.png<IMG_FILTER>1_0_0_1_-45.5_0.4_1.5_3_0_0.25_2_-3.125_12.5_1_2.5_DDD_"
         u"1.000:0.000:0.000:1.000_"_s, u"/p/v 7.png"_s, true,
         {.sepia = true, .invrtclr = true, .hue = -3.125f, .sat = 0, .brt = 0.25f, .con = 2, .rotate = -45.5f,
          .r = 0.4f, .g = 1.5f, .b = 3, .tranprency = 12.5f, .flip_H = true},
         {true, 2.5, u"DDD"_s, QColor(255, 0, 0)}},
        {u"/a.png<IMG_FILTER>1_0_"_s, u"/a.png"_s, true, with(true, false), {}},
        {u"/a.png<IMG_FILTER>"_s, u"/a.png"_s, true, kUnusual, {}},
        {u"/a.png<IMG_FILTER>1_0_1"_s, u"/a.png"_s, true, with(true, false), {}},
        {u"  /a.png <IMG_FILTER>\t yes _ No _\n"_s, u"/a.png"_s, true, with(true, false), {}},
        {u" \x01/b/c.jpg\r\n"_s, u"/b/c.jpg"_s, false, kUnusual, {}},
        {u"<IMG_FILTER>abc_def_ghi_jkl_xyz_nan_inf_-inf_1e999_zz_?_%_ _1.2.3_--4_"_s, QString(), true,
         zero, {true, 0, QString(), Qt::black}},
        {u"x<IMG_FILTER>"_s + u"9_"_s.repeated(200), u"x"_s, true, nines, {true, 9, u"9"_s, {255, 0, 0, 0}}},
        {u"<IMG_FILTER>_________________________"_s, {}, true, zero, {false, 0, {}, Qt::transparent}},
        {u"<IMG_FILTER><IMG_FILTER>1_1_"_s, QString(), true, with(false, false), {}},
        {u"<IMG_FILTER>1_1_1_1_1_1_1_1_1_1_1_1_1_1_1_1_"_s, QString(), true,
         {true, true, true, 1, 1, 1, 1, 1, 1, 1, 1, 1, true, true}, {true, 1, u"1"_s, Qt::black}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored.left(40).toStdString());
        ImageAdjustments s = kUnusual;
        const PhotoSettingsSuffix out = Split_Photo_Settings_Suffix(c.stored, s);
        EXPECT_EQ(out.path, c.path);
        EXPECT_EQ(out.hasFilter, c.hasFilter);
        EXPECT_EQ(s, c.settings);
        EXPECT_EQ(out.border, c.border);
        // Whatever was read, the photo still goes through the chain and comes out whole.
        EXPECT_EQ(Apply_Photo_Settings(imgtest::photoLike(24, 16), s, out.border).size(), QSize(24, 16));
    }
}

TEST(PhotoSettingsSuffix, WorkedExampleGivesFlipTurnAndBlueDashedBorder)
{
    // Left half red, right half green. Flipped, green is on the left; turned 45 degrees clockwise
    // (not 45.7), the left half lies above the rising diagonal. A 3-point blue "DA" border: dashes
    // of 8, gaps of 2, along the bottom from the left.
    QImage photo = imgtest::solid(100, 100, Qt::red);
    for (int i = 0; i < 5000; ++i)
        photo.setPixel(50 + i % 50, i / 50, qRgb(0, 255, 0));
    const QImage shown = imgtest::straight(Apply_Photo_Settings(
        photo, {.rotate = 45.7f, .flip_H = true}, {true, 3.0, u"DA"_s, QColor(0, 0, 255)}));
    ASSERT_EQ(shown.size(), photo.size());
    auto at = [&shown](int x, int y, QColor c) { return channelDistance(shown.pixel(x, y), c) == 0; };
    EXPECT_TRUE(at(40, 40, Qt::green) && at(60, 60, Qt::red));
    EXPECT_TRUE(at(5, 99, Qt::blue) && at(45, 0, Qt::blue) && !at(9, 99, Qt::blue) && !at(50, 3, Qt::blue));
}

TEST(PhotoSettingsSuffix, FieldReadersFollowTheStoredTextRules)
{
    for (const auto &[text, value] : {std::pair{"Yes", true}, {"1", true}, {"true", true}, {"T", true},
                                      {"  +007", true}, {"-0y", true}, {"No", false}, {"0", false},
                                      {"", false}, {"00", false}, {"x1", false}, {"false", false}})
        EXPECT_EQ(Photo_Field_Bool(QString::fromLatin1(text)), value) << text;
    for (const auto &[text, value] : {std::pair{"45.7", 45.7}, {"  -3.5abc", -3.5}, {".5", 0.5},
                                      {"1e2", 100.0}, {"7.", 7.0}, {"abc", 0.0}, {"", 0.0}, {"1e999", 0.0},
                                      {"+2", 2.0}, {"- 2", 0.0}})
        EXPECT_DOUBLE_EQ(Photo_Field_Number(QString::fromLatin1(text)), value) << text;
    for (const auto &[text, colour] : {std::pair{"0.0:0.0:1.0:1.0", QColor(0, 0, 255)},
                                       {"1:0:0:0.5", QColor(255, 0, 0, 128)}, {"2:-1:0.5:1", {255, 0, 128}},
                                       {"1:1", {255, 255, 0, 0}}, {"", Qt::transparent},
                                       {"junk", Qt::transparent}})
        EXPECT_LE(channelDistance(Photo_Field_Colour(QString::fromLatin1(text)).rgba(), colour), 1) << text;
}

TEST(PhotoSettingsSuffix, ReaderSetsTheGlobalsButNotTheInvertFlag)
{
    const ImageAdjustments saved = Current_Image_Adjustments();
    const bool savedInvert = IMG_invert_clr;
    ImageAdjustments start = kUnusual;
    start.invrtclr = false;
    Store_Image_Adjustments(start);
    IMG_invert_clr = true;
    const auto out = Read_Photo_Settings_Suffix(u"/q.png<IMG_FILTER>0_1_0_1_-90_"_s);
    EXPECT_EQ(out.path, u"/q.png"_s);
    ImageAdjustments expected = kUnusual;  // fields from the sixth on were not given
    expected.sepia = true;
    expected.grayscale = false;
    expected.rotate = -90.0f;
    EXPECT_EQ(Current_Image_Adjustments(), expected);
    // The start values leave a photo unchanged.
    Store_Image_Adjustments(ImageAdjustments());
    const QImage photo = imgtest::photoLike(40, 30);
    EXPECT_EQ(difference(Apply_Photo_Settings(photo, Current_Image_Adjustments(), {}), photo), QString());
    Store_Image_Adjustments(saved);
    IMG_invert_clr = savedInvert;
}

// The editors' sliders and check boxes give the settings and take them back; a neutral panel is
// the untouched picture's settings, and values past a slider's end stop at it.
TEST(PhotoSliders, ControlsGiveSettingsAndTakeThemBack)
{
    int neutral[9];
    for (int i = 0; i < 9; ++i)
        neutral[i] = Photo_Sliders[i].position;
    const bool none[5] = {false, false, false, false, false};
    EXPECT_EQ(Adjustments_From_Controls(neutral, none), ImageAdjustments());

    const int moved[9] = {-45, 60, 157, 150, -20, 200, 50, -100, 25};
    const bool ticked[5] = {true, false, true, true, false};
    const ImageAdjustments a = Adjustments_From_Controls(moved, ticked);
    EXPECT_TRUE(a.grayscale && !a.sepia && a.invrtclr && a.flip_H && !a.flip_V);
    EXPECT_FLOAT_EQ(a.rotate, -45);
    EXPECT_FLOAT_EQ(a.tranprency, 60);
    EXPECT_FLOAT_EQ(a.hue, 1.57f);
    EXPECT_FLOAT_EQ(a.con, 2.0f);
    EXPECT_FLOAT_EQ(a.g, -1.0f);
    EXPECT_FLOAT_EQ(a.b, 2.5f);
    int back[9];
    Slider_Positions_Of(a, back);
    EXPECT_TRUE(std::equal(back, back + 9, moved));

    ImageAdjustments far;
    far.sat = 9.0f;
    far.rotate = std::nanf("");
    Slider_Positions_Of(far, back);
    EXPECT_EQ(back[3], Photo_Sliders[3].max);
    EXPECT_EQ(back[0], 0);
}
