// The linear renderer: where bars, texts and colours land in the pixels.

#include "LinearDecode.h"
#include "TestSupport.h"

#include "barcode/BarcodeRender.h"
#include "barcode/LinearSymbols.h"
#include "barcode/Symbologies.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace barcode;
using lineartest::Band;
using lineartest::inkBands;

namespace {

QImage drawnAt(const BarcodeSetup &setup, const QString &value, double dpi)
{
    const BarcodeImage image = Render_Barcode(setup, value);
    EXPECT_TRUE(image.isValid()) << image.error.toStdString();
    return image.toImage(dpi);
}

}  // namespace

TEST(LinearRender, BarsInMilsAndMillimetresLandOnWholePixels)
{
    const struct {
        const char *symbology;
        QString value;
        double mils, millimetres, dpi;
        bool texts;
    } cases[] = {
        {"Code 128", QStringLiteral("Hello World"), 20, 6, 300, false},
        {"Code 128", QStringLiteral("BADGE-42"), 10, 12.7, 600, true},
        {"Code 39", QStringLiteral("CODE39"), 15, 6, 600, false},
        {"EAN-13", QStringLiteral("590123412345"), 10, 10, 300, false},
        {"Interleaved 2 of 5", QStringLiteral("12345678"), 20, 25.4, 600, false},
        {"Codabar", QStringLiteral("A1234B"), 10, 10, 600, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.symbology << " " << c.mils << " mils " << c.dpi << " dpi");
        BarcodeSetup setup = lineartest::linearSetup(QString::fromLatin1(c.symbology), !c.texts);
        setup.linear_width_val = c.mils;
        setup.linear_height_val = c.millimetres;
        const QImage image = drawnAt(setup, c.value, c.dpi);
        const int row = image.height() / 2;  // through the bars, texts or not
        // The module string of the symbol, from its first bar to its last.
        const auto symbol = Make_Linear_Symbol(QString::fromLatin1(c.symbology), c.value, false);
        ASSERT_TRUE(symbol);
        const QString all = symbol->completeBarcode();
        EXPECT_EQ(lineartest::modulesOnRow(image, row, c.mils / 1000.0 * c.dpi),
                  all.mid(all.indexOf(u'1'), all.lastIndexOf(u'1') - all.indexOf(u'1') + 1));
        for (const auto &bar : lineartest::barsOnRow(image, row))
            EXPECT_NEAR(bar.bottom - bar.top + 1, c.millimetres / 25.4 * c.dpi, 1.0);
    }
}

TEST(LinearRender, HeaderValueAndFooterStackAroundTheBars)
{
    for (const auto &[symbology, value] : {std::pair{"Code 128", "BADGE-42"}, std::pair{"PostNet", "12345"},
                                           std::pair{"Royal Mail Barcode (RM4SCC / CBC)", "SN34RD1A"},
                                           std::pair{"Japan Post Barcode", "1234567"}}) {
        SCOPED_TRACE(symbology);
        BarcodeSetup setup = lineartest::linearSetup(QString::fromLatin1(symbology));
        // Header, bars, value, footer from the top.
        auto bands = inkBands(drawnAt(setup, QString::fromLatin1(value), 300));
        ASSERT_EQ(bands.size(), 4u);
        const int barsHeight = bands[1].last - bands[1].first;
        EXPECT_GT(barsHeight, bands[0].last - bands[0].first);
        // The value above the bars: header, value, bars, footer.
        setup.show_val_on_top = 1;
        bands = inkBands(drawnAt(setup, QString::fromLatin1(value), 300));
        ASSERT_EQ(bands.size(), 4u);
        EXPECT_NEAR(bands[2].last - bands[2].first, barsHeight, 1);
        EXPECT_LT(bands[1].last - bands[1].first, barsHeight);
        // Every hide box is honoured: only the bars remain.
        setup.show_hide_hdr = setup.show_hide_ftr = setup.show_hide_val = 1;
        bands = inkBands(drawnAt(setup, QString::fromLatin1(value), 300));
        ASSERT_EQ(bands.size(), 1u);
        EXPECT_NEAR(bands[0].last - bands[0].first, barsHeight, 1);
    }
}

TEST(LinearRender, HeaderAlignmentAndWideHeaders)
{
    BarcodeSetup setup = lineartest::linearSetup(QStringLiteral("Code 39"), true);
    setup.show_hide_hdr = 0;
    setup.header_val = QStringLiteral("ID");
    for (const int alignment : {0, 1, 2}) {  // left, center, right
        SCOPED_TRACE(alignment);
        setup.align_hdr_index = alignment;
        const auto bands = inkBands(drawnAt(setup, QStringLiteral("CARD"), 300));
        ASSERT_EQ(bands.size(), 2u);
        const Band &header = bands[0], &bars = bands[1];
        EXPECT_TRUE(alignment == 0   ? header.left < bars.left
                    : alignment == 2 ? header.right > bars.right
                                     : std::abs(header.left + header.right - bars.left - bars.right) <= 4);
    }
    // A header wider than the bars widens the frame, letter by letter with two points between
    // letters: its ink spans the width it was measured at, the bars stay centred, and a long one
    // is laid out in one pass.
    setup.align_hdr_index = 1;
    setup.LR_margin_val = 0;
    for (const int letters : {33, 400}) {
        SCOPED_TRACE(letters);
        setup.header_val = QString(letters, QLatin1Char('H'));
        const QImage pixels = drawnAt(setup, QStringLiteral("A"), 300);
        const auto bands = inkBands(pixels);
        ASSERT_EQ(bands.size(), 2u);
        const Band &header = bands[0], &bars = bands[1];
        EXPECT_GT(header.right - header.left, 2 * (bars.right - bars.left));
        EXPECT_NEAR(bars.left, pixels.width() - 1 - bars.right, 1);
        const double measured = Barcode_Text_Width(setup.header_font_val, setup.header_val) * 300.0 / 72.0;
        // An "H" has side bearings, so the ink is a little narrower than the advance.
        EXPECT_NEAR(header.right - header.left + 1, measured, 0.01 * measured + 4);
        EXPECT_NEAR(header.left, pixels.width() - 1 - header.right, 3);
        EXPECT_GT(header.left, 0);
    }
}

TEST(LinearRender, ColoursAndTransparentBackground)
{
    BarcodeSetup setup = lineartest::linearSetup(QStringLiteral("Code 128"));
    setup.barcode_clr_val = QColor(200, 0, 0);
    setup.barcode_back_clr_val = QColor(255, 255, 0);
    setup.barcode_val_clr_val = QColor(0, 0, 220);
    setup.barcode_hdr_clr_val = QColor(0, 150, 0);
    const QImage image = drawnAt(setup, QStringLiteral("COLOUR"), 300);
    const auto bands = inkBands(image);  // header, bars, value, footer
    ASSERT_EQ(bands.size(), 4u);
    const auto bars = lineartest::barsOnRow(image, (bands[1].first + bands[1].last) / 2);
    ASSERT_FALSE(bars.empty());
    const QPoint inBar((bars[0].left + bars[0].right) / 2, (bars[0].top + bars[0].bottom) / 2);
    EXPECT_EQ(image.pixelColor(inBar), QColor(200, 0, 0));
    EXPECT_EQ(image.pixelColor(2, inBar.y()), QColor(255, 255, 0));
    // The value (below the bars) and the header (above) are drawn in their own colours.
    auto hasInk = [&image](int fromRow, int toRow, const QColor &colour) {
        for (int y = fromRow; y < toRow; ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == colour)
                    return true;
        return false;
    };
    EXPECT_TRUE(hasInk(bars[0].bottom + 1, image.height(), QColor(0, 0, 220)));
    EXPECT_FALSE(hasInk(0, bars[0].top, QColor(0, 0, 220)));
    EXPECT_TRUE(hasInk(0, bars[0].top, QColor(0, 150, 0)));

    setup.transparent_background = true;
    const QImage clear = drawnAt(setup, QStringLiteral("COLOUR"), 300);
    EXPECT_EQ(qAlpha(clear.pixel(2, inBar.y())), 0);
    EXPECT_EQ(qAlpha(clear.pixel(inBar)), 255);
}

TEST(LinearRender, UpcEanGuardBarsReachDownBesideTheDigits)
{
    for (const auto &[symbology, value] : {std::pair{"EAN-13", "590123412345"}, {"UPCA", "03600029145"},
                                           {"EAN-8", "9638507"}, {"UPCE", "0123456"}}) {
        SCOPED_TRACE(symbology);
        BarcodeSetup setup = lineartest::linearSetup(QString::fromLatin1(symbology), true);
        setup.show_hide_val = 0;
        const QImage image = drawnAt(setup, QString::fromLatin1(value), 600);
        const auto bands = inkBands(image);
        ASSERT_EQ(bands.size(), 1u);
        // Just below the bars' tops, where no digit is printed.
        const auto bars = lineartest::barsOnRow(image, bands[0].first + 5);
        ASSERT_GT(bars.size(), 10u);
        // The first bar is a guard; the bar a quarter of the way in belongs to a digit.
        const auto &data = bars[bars.size() / 4];
        EXPECT_GT(bars.front().bottom, data.bottom + 20);
        EXPECT_NEAR(data.bottom - data.top + 1, 6.0 / 25.4 * 600, 1.0);
        EXPECT_EQ(bars.front().top, data.top);
        // EAN-13, UPC-A and UPC-E print their first digit left of the bars.
        if (std::string_view(symbology) != "EAN-8")
            EXPECT_LT(bands[0].left, bars.front().left);
        else
            EXPECT_EQ(bands[0].left, bars.front().left);
    }
}

TEST(LinearRender, SymbologyListsKeepTheirStoredOrder)
{
    // Files store the index, so the order is part of the format.
    const QStringList &linear = Linear_Symbology_Names();
    EXPECT_EQ(QStringList({linear.value(0), linear.value(8), linear.value(12), linear.value(18),
                           linear.value(19), Symbology_Name(1, 2), Symbology_Name(1, 3),
                           Barcode_Alignment_Names().value(1)}),
              QStringLiteral("Code 39,EAN-13,Code 128 SET C,Japan Post Barcode,,DataMatrix,,Center")
                  .split(u','));
}

TEST(LinearRender, MarginsTooLargeForAnyDrawingAreRefused)
{
    // A margin read from a file can be any finite number of millimetres; in points it may no
    // longer fit a float. Such a barcode is refused instead of getting an infinite frame.
    double BarcodeSetup::*const margins[] = {&BarcodeSetup::hdr_margin_val, &BarcodeSetup::ftr_margin_val,
                                             &BarcodeSetup::val_margin_val, &BarcodeSetup::TB_marging_val,
                                             &BarcodeSetup::LR_margin_val};
    for (const auto &[pane, index, value] : {std::tuple{0, 0, "CARD"}, std::tuple{1, 0, "QR"},
                                             std::tuple{1, 1, "PDF"}, std::tuple{1, 2, "DM"}}) {
        for (size_t m = 0; m < std::size(margins); ++m) {
            if (pane == 1 && margins[m] == &BarcodeSetup::val_margin_val)
                continue;  // a two-dimensional symbol has no caption
            SCOPED_TRACE(testing::Message() << "pane " << pane << " symbology " << index << " margin " << m);
            BarcodeSetup setup;
            setup.linear_or_2d = pane;
            setup.barcode_font_index = index;
            setup.*margins[m] = 1e300;
            const BarcodeImage image = Render_Barcode(setup, QString::fromLatin1(value));
            EXPECT_FALSE(image.isValid());
            EXPECT_EQ(image.error, QStringLiteral("Invalid barcode size."));
            setup.*margins[m] = 2.0;  // the same set-up with a sound margin draws
            EXPECT_FALSE(Render_Barcode(setup, QString::fromLatin1(value)).toImage(72).isNull());
        }
    }
}

// At narrow bar widths the digit groups of UPC/EAN are wider at the value font's size than the
// bars they stand under: they are drawn smaller, so that no digit reaches into a guard bar's
// columns, and the symbol still reads back.
TEST(LinearRender, UpcEanDigitsStayClearOfTheGuardBarsAtNarrowWidths)
{
    REQUIRE_TOOL(zbar, "zbarimg");
    const struct {
        const char *symbology, *value, *zbarName, *read;
        double mils;
    } cases[] = {
        {"EAN-13", "590123412345", "ean13", "5901234123457", 9},
        {"EAN-13", "590123412345", "ean13", "5901234123457", 20},
        {"UPCA", "03600029145", "ean13", "0036000291452", 9},
        {"EAN-8", "9638507", "ean8", "96385074", 9},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.symbology << " at " << c.mils << " mils");
        BarcodeSetup setup = lineartest::linearSetup(QString::fromLatin1(c.symbology));
        setup.linear_width_val = c.mils;
        setup.barcode_val_clr_val = Qt::red;
        setup.show_hide_hdr = setup.show_hide_ftr = 1;
        const QImage image = lineartest::onWhite(drawnAt(setup, QString::fromLatin1(c.value), 600));
        EXPECT_EQ(lineartest::zbarRead(image, QString::fromLatin1(c.zbarName)), QByteArray(c.read));
        auto isBar = [&](int x, int y) { return qGray(image.pixel(x, y)) < 60; };
        auto isDigit = [&](int x, int y) {
            const QRgb p = image.pixel(x, y);
            return qRed(p) - qGreen(p) > 60;
        };
        // The guard bars reach below the data bars; the digits stand between them.
        const auto bars = lineartest::barsOnRow(image, inkBands(image)[0].first + 5);
        ASSERT_GT(bars.size(), 10u);
        const int dataBottom = bars[bars.size() / 4].bottom, guardBottom = bars.front().bottom;
        ASSERT_GT(guardBottom, dataBottom + 10);
        // Guard bars, in groups of bars closer than four modules to each other.
        const int row = dataBottom + 3, module = int(std::lround(c.mils / 1000.0 * 600));
        std::vector<std::pair<int, int>> guards;
        for (int x = 0; x < image.width(); ++x) {
            if (!isBar(x, row))
                continue;
            int right = x;
            while (right + 1 < image.width() && isBar(right + 1, row))
                ++right;
            if (!guards.empty() && x - guards.back().second < 4 * module)
                guards.back().second = right;
            else
                guards.push_back({x, right});
            x = right;
        }
        ASSERT_EQ(guards.size(), 3u);
        int digitPixels = 0, inGuards = 0;
        for (int y = dataBottom + 1; y <= guardBottom; ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (!isDigit(x, y))
                    continue;
                ++digitPixels;
                for (const auto &[left, right] : guards)
                    inGuards += x >= left && x <= right;
            }
        }
        EXPECT_GT(digitPixels, 100);
        EXPECT_EQ(inGuards, 0);
    }
}

// An opaque background covers the whole picture, its last pixel row and column too, at sizes
// that end inside a pixel.
TEST(LinearRender, OpaqueBackgroundCoversEveryEdgePixel)
{
    for (const double mils : {20.0, 13.0, 9.0}) {
        for (const double dpi : {300.0, 600.0}) {
            SCOPED_TRACE(testing::Message() << mils << " mils " << dpi << " dpi");
            BarcodeSetup setup = lineartest::linearSetup(QStringLiteral("EAN-13"));
            setup.linear_width_val = mils;
            const QImage image = drawnAt(setup, QStringLiteral("590123412345"), dpi);
            int clear = 0;
            for (int y = 0; y < image.height(); ++y)
                clear += (qAlpha(image.pixel(image.width() - 1, y)) < 255) + (qAlpha(image.pixel(0, y)) < 255);
            for (int x = 0; x < image.width(); ++x)
                clear += (qAlpha(image.pixel(x, image.height() - 1)) < 255) + (qAlpha(image.pixel(x, 0)) < 255);
            EXPECT_EQ(clear, 0);
        }
    }
}
