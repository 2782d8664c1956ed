// Two-dimensional symbols through the render entry point: read back, settings from the set-up
// rendered, frame sizes, refusals and opaque quiet zones.

#include "LinearDecode.h"
#include "TestSupport.h"

#include "barcode/BarcodeFrame.h"
#include "barcode/BarcodeRender.h"
#include "barcode/TwoDRender.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace barcode;

namespace {

BarcodeSetup twoD(int symbology, bool bare = false)
{
    BarcodeSetup s;
    s.linear_or_2d = 1;
    s.barcode_font_index = symbology;
    if (bare) {
        s.show_hide_hdr = s.show_hide_ftr = 1;
        s.TB_marging_val = s.LR_margin_val = 0;
    }
    return s;
}

const char *kFormats[] = {"QRCode", "PDF417", "DataMatrix"};

}  // namespace

TEST(TwoDRender, EachSymbologyReadsBackWithItsSettings)
{
    REQUIRE_TOOL(zx, "ZXingReader");
    // Version 5 of QR Code at level H, 90 points at a custom 300 dpi; automatic version at level
    // L, 60 points at 600 dpi; PDF417 at error levels 5 and 0; Data Matrix.
    BarcodeSetup qrH = twoD(0), qrL = twoD(0), pdf5 = twoD(1), pdf0 = twoD(1), dm = twoD(2);
    qrH.qr_version_index = 5;
    qrH.qr_ec_index = 3;
    qrH.qr_size_val = 90;
    qrH.dpi_val_index = 1;
    qrH.dpi_custom_val = QStringLiteral("300");
    pdf5.pdf_ec_val = 5;
    pdf0.pdf_ec_val = 0;
    pdf5.pdf_wdt_val = pdf0.pdf_wdt_val = 300;
    pdf5.pdf_hgt_val = pdf0.pdf_hgt_val = 150;
    const struct {
        BarcodeSetup setup;
        QString value, ecLevel;
        QSize pixels;  // of the symbol alone
    } cases[] = {
        {qrH, QStringLiteral("SAME VALUE"), QStringLiteral("H"), QSize(375, 375)},
        {qrL, QStringLiteral("SAME VALUE"), QStringLiteral("L"), QSize(500, 500)},
        {qrL, QStringLiteral("Zürich € 中文"), QStringLiteral("L"), QSize(500, 500)},
        {pdf5, QStringLiteral("Visitor 0042"), QStringLiteral("5"), QSize(2500, 1250)},
        {pdf0, QStringLiteral("Visitor 0042"), QStringLiteral("0"), QSize(2500, 1250)},
        {dm, QStringLiteral("DataMatrix 2024"), QString(), QSize()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << kFormats[c.setup.barcode_font_index] << " " << c.value.toStdString());
        const BarcodeImage image = Render_Barcode(c.setup, c.value);
        ASSERT_TRUE(image.isValid()) << image.error.toStdString();
        const auto d = lineartest::zxing(image.toImage(300), QString::fromLatin1(kFormats[c.setup.barcode_font_index]));
        EXPECT_EQ(d.text, c.value) << d.raw.toStdString();
        EXPECT_EQ(d.ecLevel, c.ecLevel);
        // The same set-up renders the same symbol again, also after rendering another one.
        const TwoDSymbol symbol = Render_TwoD_Symbol(c.setup, c.value);
        if (c.pixels.isValid()) {
            EXPECT_EQ(symbol.image.pixels.size(), c.pixels);
        }
        EXPECT_EQ(Render_TwoD_Symbol(c.setup, c.value).image.pixels, symbol.image.pixels);
    }
    // Version 5 is 37 modules: 90 points over 45 modules with the quiet zone is 2 points each.
    qrH.dpi_val_index = 2;  // 72 dpi
    const QImage at72 = Render_TwoD_Symbol(qrH, QStringLiteral("SAME VALUE")).image.pixels;
    ASSERT_EQ(at72.size(), QSize(90, 90));
    EXPECT_EQ(at72.pixel(0, 0), qRgba(255, 255, 255, 255));  // no spare pixels: quiet zone
    EXPECT_EQ(qRed(at72.pixel(8, 8)), 0);                     // the finder's corner after 4 quiet modules
    EXPECT_EQ(qRed(at72.pixel(7, 7)), 255);
    EXPECT_EQ(qRed(at72.pixel(8 + 2 * 36, 8)), 0);            // the top-right finder's far corner
    EXPECT_EQ(qRed(at72.pixel(8 + 2 * 37, 8)), 255);
}

TEST(TwoDRender, FrameFollowsStoredSizesAndMargins)
{
    BarcodeSetup dm = twoD(2, true);
    dm.dm_format_index = 1;  // 10 x 10
    dm.dm_module_val = 3;
    for (const auto &[setup, symbol] : {std::pair{twoD(0, true), QSizeF(60, 60)},
                                        std::pair{twoD(1, true), QSizeF(100, 20)}, std::pair{dm, QSizeF(30, 30)}}) {
        const BarcodeImage image = Render_Barcode(setup, QStringLiteral("42"));
        ASSERT_TRUE(image.isValid()) << image.error.toStdString();
        EXPECT_EQ(image.sizePoints, symbol);
        // One millimetre of every margin: 2.8346 points on each side, and 15 more across.
        BarcodeSetup m = setup;
        m.TB_marging_val = m.LR_margin_val = 1;
        const BarcodeImage framed = Render_Barcode(m, QStringLiteral("42"));
        EXPECT_NEAR(framed.sizePoints.width(), symbol.width() + 2 * 2.8346472 + 15, 1e-3);
        EXPECT_NEAR(framed.sizePoints.height(), symbol.height() + 2 * 2.8346472, 1e-3);
    }
}

TEST(TwoDRender, HeaderAboveFooterBelowOnAWhiteFrame)
{
    auto paintBlack = [](QPainter &painter, const QRectF &target) { painter.fillRect(target, Qt::black); };
    BarcodeSetup setup = lineartest::linearSetup(QStringLiteral("Code 39"));
    setup.TB_marging_val = 2.0;
    setup.LR_margin_val = 0.0;
    setup.barcode_back_clr_val = Qt::yellow;  // the linear background is not the frame's
    const BarcodeImage framed = Frame_TwoD_Symbol(setup, QSizeF(100.0, 80.0), paintBlack);
    EXPECT_NEAR(framed.sizePoints.width(), 100.0, 1e-3);
    QImage image = framed.toImage(300);
    const auto bands = lineartest::inkBands(image);
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_NEAR(bands[1].last - bands[1].first + 1, 80.0 * 300 / 72, 1);
    EXPECT_GE(bands[1].first - bands[0].last, int(2.8346 * 300 / 72));  // the header's millimetre
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::white));
    setup.transparent_background = true;
    image = Frame_TwoD_Symbol(setup, QSizeF(100.0, 80.0), paintBlack).toImage(72);
    EXPECT_EQ(qAlpha(image.pixel(0, image.height() / 2)), 255);  // the symbol fills the width
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_FALSE(Frame_TwoD_Symbol(setup, QSizeF(), paintBlack).isValid());  // nothing to frame
}

TEST(TwoDRender, RefusalsCarryAMessageAndNoImage)
{
    BarcodeSetup v1 = twoD(0), small = twoD(2);
    v1.qr_version_index = 1;
    small.dm_format_index = 1;
    const struct {
        BarcodeSetup setup;
        QString value;
    } cases[] = {
        {twoD(0), QString(7090, QLatin1Char('1'))},
        {twoD(1), QString(5421, QLatin1Char('x'))},
        {twoD(1), QString(1000, QChar(0x4E2D))},  // 3000 UTF-8 bytes: too many codewords
        {twoD(2), QString(3117, QLatin1Char('7'))},
        {twoD(0), QStringLiteral("   ")},
        {twoD(7), QStringLiteral("NO SUCH SYMBOLOGY")},
        {small, QStringLiteral("TOO LONG FOR TEN BY TEN")},
        {v1, QString(42, QLatin1Char('9'))},
    };
    for (const auto &c : cases) {
        const BarcodeImage image = Render_Barcode(c.setup, c.value);
        EXPECT_FALSE(image.isValid()) << c.value.left(20).toStdString();
        EXPECT_FALSE(image.error.isEmpty());
        EXPECT_TRUE(image.toImage(72).isNull());
    }
    EXPECT_EQ(Render_Barcode(v1, QString(42, QLatin1Char('9'))).error,
              QStringLiteral("The value is too long for a QR Code of this version and error-correction level."));
}

TEST(TwoDRender, TransparentBackgroundKeepsQuietZonesOpaque)
{
    BarcodeSetup qr = twoD(0);
    qr.transparent_background = true;
    const QImage img = Render_Barcode(qr, QStringLiteral("QUIET")).toImage(72);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
    // Across the middle, everything of the symbol image is opaque but its spare margins.
    int opaque = 0;
    for (int x = 0; x < img.width(); ++x)
        opaque += qAlpha(img.pixel(x, img.height() / 2)) == 255;
    EXPECT_GE(opaque, 29 * 2);
    EXPECT_LE(opaque, int(Render_TwoD_Symbol(qr, QStringLiteral("QUIET")).image.sizePoints.width()));

    BarcodeSetup dm = twoD(2, true);
    dm.transparent_background = true;
    dm.dm_module_val = 4;
    const QImage d = Render_Barcode(dm, QStringLiteral("DM")).toImage(72);
    ASSERT_FALSE(d.isNull());
    EXPECT_EQ(d.pixel(0, 0), qRgba(255, 255, 255, 255));  // the one-unit border is white, not clear
}

TEST(TwoDRender, ResolutionList)
{
    const QStringList items = DPI_List_Items();
    ASSERT_EQ(items.mid(0, 2), (QStringList{QStringLiteral("Auto"), QStringLiteral("Custom")}));
    for (const auto &[index, custom, dpi] : {std::tuple{0, "0", 600}, std::tuple{1, "300", 300}, std::tuple{1, "abc", 600},
                                             std::tuple{1, "-5", 600}, std::tuple{1, "100000", 2400},
                                             std::tuple{99, "0", 600}})
        EXPECT_EQ(Used_DPI_Value(index, QString::fromLatin1(custom)), dpi) << index << " " << custom;
    for (int i = 2; i < items.size(); ++i)
        EXPECT_EQ(Used_DPI_Value(i, QString()), items.at(i).section(QLatin1Char(' '), 0, 0).toInt());
}
