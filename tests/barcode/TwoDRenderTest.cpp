// Two-dimensional symbols through the render entry point: read back, settings from the set-up
// rendered, frame sizes, refusals and opaque quiet zones.

#include "LinearDecode.h"
#include "TestSupport.h"

#include "barcode/BarcodeFrame.h"
#include "barcode/BarcodeRender.h"
#include "barcode/LinearSymbols.h"
#include "barcode/TwoDRender.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>

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

const QString kFormats[] = {QStringLiteral("QRCode"), QStringLiteral("PDF417"), QStringLiteral("DataMatrix")};

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
        const QString format = kFormats[c.setup.barcode_font_index];
        SCOPED_TRACE((format + u' ' + c.value).toStdString());
        const BarcodeImage image = Render_Barcode(c.setup, c.value);
        ASSERT_TRUE(image.isValid()) << image.error.toStdString();
        const auto d = lineartest::zxing(image.toImage(300), format);
        EXPECT_EQ(d.text, c.value) << d.raw.toStdString();
        EXPECT_EQ(d.ecLevel, c.ecLevel);
        // The same set-up renders the same symbol again, also after rendering another one.
        const TwoDSymbol symbol = Render_TwoD_Symbol(c.setup, c.value);
        EXPECT_TRUE(!c.pixels.isValid() || symbol.image.pixels.size() == c.pixels);
        EXPECT_EQ(Render_TwoD_Symbol(c.setup, c.value).image.pixels, symbol.image.pixels);
    }
    // Version 5 is 37 modules: 90 points over 45 modules with the quiet zone is 2 points each.
    qrH.dpi_val_index = 2;  // 72 dpi
    const QImage at72 = Render_TwoD_Symbol(qrH, QStringLiteral("SAME VALUE")).image.pixels;
    ASSERT_EQ(at72.size(), QSize(90, 90));
    // The finder's corner after 4 quiet modules; the top-right finder's far corner.
    EXPECT_EQ(QList<int>({qRed(at72.pixel(7, 7)), qRed(at72.pixel(8, 8)), qRed(at72.pixel(8 + 2 * 36, 8)),
                          qRed(at72.pixel(8 + 2 * 37, 8))}), QList<int>({255, 0, 0, 255}));
}

TEST(TwoDRender, FrameFollowsStoredSizesAndMargins)
{
    // Without margins a linear symbol keeps ten modules of quiet zone a side; a margin adds itself
    // twice, a side margin 15 points more, and a wide one replaces that quiet zone.
    const double mm = 72.0 / 25.4, module = 20.0 / 1000.0 * 72.0;
    const auto symbol = Make_Linear_Symbol(QStringLiteral("Code 128"), QStringLiteral("1234"), false);
    const double bars = module * double(symbol->completeBarcode().size());
    BarcodeSetup linear = lineartest::linearSetup(QStringLiteral("Code 128"), true), dm = twoD(2, true);
    linear.TB_marging_val = linear.LR_margin_val = 0;
    dm.dm_format_index = 1;  // 10 x 10
    dm.dm_module_val = 3;
    const struct {
        BarcodeSetup setup;
        QSizeF bare, framed;  // without margins, and with five millimetres of each
    } cases[] = {
        {linear, QSizeF(bars + 20 * module, 6 * mm), QSizeF(bars + 10 * mm + 15, 16 * mm)},
        {twoD(0, true), QSizeF(60, 60), QSizeF(60 + 10 * mm + 15, 60 + 10 * mm)},
        {twoD(1, true), QSizeF(100, 20), QSizeF(100 + 10 * mm + 15, 20 + 10 * mm)},
        {dm, QSizeF(30, 30), QSizeF(30 + 10 * mm + 15, 30 + 10 * mm)},
    };
    for (const auto &c : cases) {
        BarcodeSetup setup = c.setup;
        for (const QSizeF points : {c.bare, c.framed}) {
            SCOPED_TRACE(testing::Message() << setup.linear_or_2d << "/" << setup.barcode_font_index
                                            << " margin " << setup.LR_margin_val);
            const BarcodeImage image = Render_Barcode(setup, QStringLiteral("1234"));
            ASSERT_TRUE(image.isValid()) << image.error.toStdString();
            EXPECT_NEAR(image.sizePoints.width(), points.width(), 1e-3);
            EXPECT_NEAR(image.sizePoints.height(), points.height(), 1e-3);
            // Whole pixels around the frame; the symbol centred, as much space left as right.
            const QImage pixels = image.toImage(300);
            auto px = [](double length) { return int(std::ceil(length * 300 / 72 - 1e-6)); };
            EXPECT_EQ(pixels.size(), QSize(px(image.sizePoints.width()), px(image.sizePoints.height())));
            const auto bands = lineartest::inkBands(pixels);
            ASSERT_EQ(bands.size(), 1u);
            EXPECT_NEAR(bands[0].left, pixels.width() - 1 - bands[0].right, 1);
            setup.TB_marging_val = setup.LR_margin_val = 5;
        }
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
        EXPECT_TRUE(!image.isValid() && !image.error.isEmpty() && image.toImage(72).isNull())
            << c.value.left(20).toStdString();
    }
    EXPECT_EQ(Render_Barcode(v1, QString(42, QLatin1Char('9'))).error,
              QStringLiteral("The value is too long for a QR Code of this version and "
                             "error-correction level."));
}

TEST(TwoDRender, TransparentBackgroundKeepsQuietZonesOpaque)
{
    BarcodeSetup qr = twoD(0), dm = twoD(2, true);
    qr.transparent_background = dm.transparent_background = true;
    dm.dm_module_val = 4;
    // Across the middle of a QR Code everything is opaque but the frame's spare margins: at least
    // its 29 modules of 2 points, at most its image; a Data Matrix border is white, not clear.
    const QImage img = Render_Barcode(qr, QStringLiteral("QUIET")).toImage(72);
    ASSERT_FALSE(img.isNull());
    int opaque = 0;
    for (int x = 0; x < img.width(); ++x)
        opaque += qAlpha(img.pixel(x, img.height() / 2)) == 255;
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
    EXPECT_GE(opaque, 29 * 2);
    EXPECT_LE(opaque, int(Render_TwoD_Symbol(qr, QStringLiteral("QUIET")).image.sizePoints.width()));
    EXPECT_EQ(Render_Barcode(dm, QStringLiteral("DM")).toImage(72).pixel(0, 0), qRgba(255, 255, 255, 255));
}

TEST(TwoDRender, ResolutionList)
{
    const QStringList items = DPI_List_Items();
    ASSERT_EQ(items.mid(0, 2), (QStringList{QStringLiteral("Auto"), QStringLiteral("Custom")}));
    for (const auto &[index, custom, dpi] : {std::tuple{0, "0", 600}, {1, "300", 300}, {1, "abc", 600},
                                             {1, "-5", 600}, {1, "100000", 2400}, {99, "0", 600}})
        EXPECT_EQ(Used_DPI_Value(index, QString::fromLatin1(custom)), dpi) << index << " " << custom;
    for (int i = 2; i < items.size(); ++i)
        EXPECT_EQ(Used_DPI_Value(i, QString()), items.at(i).section(QLatin1Char(' '), 0, 0).toInt());
}
