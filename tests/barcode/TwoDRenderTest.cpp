#include "TestSupport.h"
#include "TwoDDecode.h"
#include "barcode/BarcodeRender.h"
#include "barcode/TwoDRender.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace barcode;

namespace {

BarcodeSetup twoD(int symbology)
{
    BarcodeSetup s;
    s.linear_or_2d = 1;
    s.barcode_font_index = symbology;
    return s;
}

BarcodeSetup bare(int symbology)
{
    BarcodeSetup s = twoD(symbology);
    s.show_hide_hdr = 1;
    s.show_hide_ftr = 1;
    s.TB_marging_val = 0;
    s.LR_margin_val = 0;
    return s;
}

const char *kFormats[] = {"QRCode", "PDF417", "DataMatrix"};

}  // namespace

TEST(TwoDRender, EachSymbologyReadsBackThroughTheEntryPoint)
{
    REQUIRE_TOOL(zx, "ZXingReader");
    struct Case { int symbology; QString value; };
    const Case cases[] = {
        {0, QStringLiteral("Zürich € 中文")},
        {0, QStringLiteral("https://example.org/badge?id=0042")},
        {1, QStringLiteral("Visitor 0042")},
        {2, QStringLiteral("DataMatrix 2024")},
    };
    for (const Case &c : cases) {
        BarcodeSetup setup = twoD(c.symbology);
        if (c.symbology == 1)
            setup.pdf_wdt_val = 200, setup.pdf_hgt_val = 60;
        const BarcodeImage image = Render_Barcode(setup, c.value);
        ASSERT_TRUE(image.isValid()) << image.error.toStdString();
        const auto d = twodtest::zxing(image.toImage(300), QString::fromLatin1(kFormats[c.symbology]));
        EXPECT_EQ(d.text, c.value) << d.raw.toStdString();
    }
}

TEST(TwoDRender, EverySettingComesFromTheRenderedSetup)
{
    REQUIRE_TOOL(zx, "ZXingReader");
    BarcodeSetup a = twoD(0);
    a.qr_version_index = 5;
    a.qr_ec_index = 3;
    a.qr_size_val = 90;
    a.dpi_val_index = 1;  // custom
    a.dpi_custom_val = QStringLiteral("300");
    const BarcodeSetup b = twoD(0);  // automatic version, level L, 60 points, 600 dpi

    const TwoDSymbol first = Render_TwoD_Symbol(a, QStringLiteral("SAME VALUE"));
    const TwoDSymbol other = Render_TwoD_Symbol(b, QStringLiteral("SAME VALUE"));
    const TwoDSymbol again = Render_TwoD_Symbol(a, QStringLiteral("SAME VALUE"));
    ASSERT_FALSE(first.image.isNull());
    EXPECT_EQ(first.image.sizePoints, QSizeF(90, 90));
    EXPECT_EQ(first.image.pixels.size(), QSize(375, 375));  // 300 dpi over 90 points
    EXPECT_EQ(other.image.sizePoints, QSizeF(60, 60));
    EXPECT_EQ(other.image.pixels.size(), QSize(500, 500));  // 600 dpi over 60 points
    EXPECT_EQ(again.image.pixels, first.image.pixels);
    EXPECT_EQ(twodtest::zxing(first.image.pixels, QStringLiteral("QRCode")).ecLevel, QStringLiteral("H"));
    EXPECT_EQ(twodtest::zxing(other.image.pixels, QStringLiteral("QRCode")).ecLevel, QStringLiteral("L"));

    // Version 5 is 37 modules: 90 points over 45 modules with the quiet zone is 2 points each.
    const QImage at72 = Render_TwoD_Symbol([&] { BarcodeSetup c = a; c.dpi_val_index = 2; return c; }(),
                                           QStringLiteral("SAME VALUE")).image.pixels;
    ASSERT_EQ(at72.size(), QSize(90, 90));
    EXPECT_EQ(at72.pixel(0, 0), qRgba(255, 255, 255, 255));  // no spare pixels: quiet zone
    EXPECT_EQ(qRed(at72.pixel(8, 8)), 0);          // the finder's corner after 4 quiet modules
    EXPECT_EQ(qRed(at72.pixel(7, 7)), 255);        // quiet zone
    EXPECT_EQ(qRed(at72.pixel(8 + 2 * 36, 8)), 0);  // the top-right finder's far corner
    EXPECT_EQ(qRed(at72.pixel(8 + 2 * 37, 8)), 255);

    // PDF417 error level from the set-up, also after rendering another one.
    BarcodeSetup p5 = twoD(1), p0 = twoD(1);
    p5.pdf_ec_val = 5;
    p0.pdf_ec_val = 0;
    for (BarcodeSetup *s : {&p5, &p0}) {
        s->pdf_wdt_val = 300;
        s->pdf_hgt_val = 150;
    }
    const TwoDSymbol l5 = Render_TwoD_Symbol(p5, QStringLiteral("LEVELS"));
    const TwoDSymbol l0 = Render_TwoD_Symbol(p0, QStringLiteral("LEVELS"));
    EXPECT_NE(l5.image.pixels, l0.image.pixels);
    EXPECT_EQ(Render_TwoD_Symbol(p5, QStringLiteral("LEVELS")).image.pixels, l5.image.pixels);
    EXPECT_EQ(twodtest::zxing(l5.image.pixels, QStringLiteral("PDF417")).ecLevel, QStringLiteral("5"));
    EXPECT_EQ(twodtest::zxing(l0.image.pixels, QStringLiteral("PDF417")).ecLevel, QStringLiteral("0"));
}

TEST(TwoDRender, FrameFollowsStoredSizesAndMargins)
{
    struct Case { BarcodeSetup setup; QSizeF symbol; };
    BarcodeSetup dm = bare(2);
    dm.dm_format_index = 1;  // 10 x 10
    dm.dm_module_val = 3;
    const Case cases[] = {{bare(0), QSizeF(60, 60)}, {bare(1), QSizeF(100, 20)}, {dm, QSizeF(30, 30)}};
    for (const Case &c : cases) {
        const BarcodeImage image = Render_Barcode(c.setup, QStringLiteral("42"));
        ASSERT_TRUE(image.isValid()) << image.error.toStdString();
        EXPECT_EQ(image.sizePoints, c.symbol);
        // One millimetre of every margin: 2.8346 points on each side, and 15 more across.
        BarcodeSetup m = c.setup;
        m.TB_marging_val = 1;
        m.LR_margin_val = 1;
        const BarcodeImage framed = Render_Barcode(m, QStringLiteral("42"));
        EXPECT_NEAR(framed.sizePoints.width(), c.symbol.width() + 2 * 2.8346472 + 15, 1e-3);
        EXPECT_NEAR(framed.sizePoints.height(), c.symbol.height() + 2 * 2.8346472, 1e-3);
    }
}

TEST(TwoDRender, RefusalsCarryAMessageAndNoImage)
{
    struct Case { int symbology; QString value; };
    const Case cases[] = {
        {0, QString(7090, QLatin1Char('1'))},
        {1, QString(5421, QLatin1Char('x'))},
        {1, QString(1000, QChar(0x4E2D))},  // 3000 UTF-8 bytes: too many codewords
        {2, QString(3117, QLatin1Char('7'))},
        {0, QStringLiteral("   ")},
        {7, QStringLiteral("NO SUCH SYMBOLOGY")},
    };
    for (const Case &c : cases) {
        const BarcodeImage image = Render_Barcode(twoD(c.symbology), c.value);
        EXPECT_FALSE(image.isValid()) << c.symbology;
        EXPECT_FALSE(image.error.isEmpty()) << c.symbology;
        EXPECT_TRUE(image.toImage(72).isNull());
    }
    // A QR version too small for the data, with its whole-text capacity exceeded.
    BarcodeSetup v1 = twoD(0);
    v1.qr_version_index = 1;
    EXPECT_EQ(Render_Barcode(v1, QString(42, QLatin1Char('9'))).error,
              QStringLiteral("The value is too long for a QR Code of this version and error-correction level."));
    // A size too small for the data.
    BarcodeSetup small = twoD(2);
    small.dm_format_index = 1;
    EXPECT_FALSE(Render_Barcode(small, QStringLiteral("TOO LONG FOR TEN BY TEN")).isValid());
}

TEST(TwoDRender, TransparentBackgroundKeepsQuietZonesOpaque)
{
    BarcodeSetup qr = twoD(0);
    qr.transparent_background = true;
    const QImage img = Render_Barcode(qr, QStringLiteral("QUIET")).toImage(72);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
    // The symbol is centred across; its quiet zone starts where the symbol's image does.
    const TwoDSymbol symbol = Render_TwoD_Symbol(qr, QStringLiteral("QUIET"));
    int opaque = 0;
    for (int x = 0; x < img.width(); ++x)
        if (qAlpha(img.pixel(x, img.height() / 2)) == 255)
            ++opaque;
    // Across the middle, everything of the symbol image is opaque but its spare margins.
    EXPECT_GE(opaque, 29 * 2);
    EXPECT_LE(opaque, int(symbol.image.sizePoints.width()));

    BarcodeSetup dm = bare(2);
    dm.transparent_background = true;
    dm.dm_module_val = 4;
    const QImage d = Render_Barcode(dm, QStringLiteral("DM")).toImage(72);
    ASSERT_FALSE(d.isNull());
    EXPECT_EQ(qAlpha(d.pixel(0, 0)), 255);  // the one-unit border is white, not clear
    EXPECT_EQ(qRed(d.pixel(0, 0)), 255);
}

TEST(TwoDRender, ResolutionList)
{
    const QStringList items = DPI_List_Items();
    ASSERT_GE(items.size(), 3);
    EXPECT_EQ(items.at(0), QStringLiteral("Auto"));
    EXPECT_EQ(items.at(1), QStringLiteral("Custom"));
    struct Case { int index; const char *custom; int dpi; };
    for (const Case &c : {Case{0, "0", 600}, Case{1, "300", 300}, Case{1, "abc", 600}, Case{1, "-5", 600},
                          Case{1, "100000", 2400}, Case{99, "0", 600}}) {
        EXPECT_EQ(Used_DPI_Value(c.index, QString::fromLatin1(c.custom)), c.dpi) << c.index << " " << c.custom;
    }
    for (int i = 2; i < items.size(); ++i)
        EXPECT_EQ(Used_DPI_Value(i, QString()), items.at(i).section(QLatin1Char(' '), 0, 0).toInt());
}
