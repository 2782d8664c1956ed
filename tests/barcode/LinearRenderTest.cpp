// The linear renderer: where bars, texts and colours land in the pixels, the frame's size in
// points, and the same drawing in a PDF.

#include "LinearDecode.h"
#include "TestSupport.h"

#include "barcode/BarcodeRender.h"
#include "barcode/LinearSymbols.h"
#include "barcode/Symbologies.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

using namespace barcode;
using lineartest::isDark;

namespace {

constexpr double PointsPerMillimetre = 0.393701 * 72.0 / 10.0;

struct Band {
    int first = 0, last = 0;  // rows, inclusive
    int left = 0, right = 0;  // columns of the band's ink, inclusive
};

// Runs of rows that hold dark pixels, from the top, with the columns their ink spans.
std::vector<Band> inkBands(const QImage &image)
{
    std::vector<Band> bands;
    bool inside = false;
    for (int y = 0; y < image.height(); ++y) {
        int left = -1, right = -1;
        for (int x = 0; x < image.width(); ++x) {
            if (isDark(image.pixel(x, y))) {
                if (left < 0)
                    left = x;
                right = x;
            }
        }
        if (left >= 0) {
            if (!inside)
                bands.push_back({y, y, left, right});
            Band &band = bands.back();
            band.last = y;
            band.left = std::min(band.left, left);
            band.right = std::max(band.right, right);
        }
        inside = left >= 0;
    }
    return bands;
}

BarcodeSetup hiddenTexts(const char *symbology)
{
    BarcodeSetup setup = lineartest::linearSetup(QString::fromLatin1(symbology));
    setup.show_hide_hdr = 1;
    setup.show_hide_ftr = 1;
    setup.show_hide_val = 1;
    return setup;
}

// The module string the set-up's symbology makes of the value.
QString modulesOf(const BarcodeSetup &setup, const QString &value)
{
    const auto symbol = Make_Linear_Symbol(Symbology_Name(0, setup.barcode_font_index), value, false);
    return symbol ? symbol->completeBarcode() : QString();
}

QImage drawnAt(const BarcodeSetup &setup, const QString &value, double dpi)
{
    const BarcodeImage image = Render_Barcode(setup, value);
    EXPECT_TRUE(image.isValid()) << image.error.toStdString();
    return image.toImage(dpi);
}

}  // namespace

TEST(LinearRender, BarWidthsInMilsLandOnWholePixels)
{
    const struct {
        double mils, dpi;
    } sizes[] = {{20, 300}, {20, 600}, {10, 300}, {10, 600}, {15, 600}};
    const struct {
        const char *symbology;
        QString value;
    } symbols[] = {
        {"Code 128", QStringLiteral("Hello World")},
        {"Code 39", QStringLiteral("CODE39")},
        {"EAN-13", QStringLiteral("590123412345")},
        {"Interleaved 2 of 5", QStringLiteral("12345678")},
        {"Codabar", QStringLiteral("A1234B")},
    };
    for (const auto &symbol : symbols) {
        for (const auto &size : sizes) {
            SCOPED_TRACE(std::string(symbol.symbology) + " at " + std::to_string(size.mils) + " mils, "
                         + std::to_string(size.dpi) + " dpi");
            BarcodeSetup setup = hiddenTexts(symbol.symbology);
            setup.linear_width_val = size.mils;
            const QImage image = drawnAt(setup, symbol.value, size.dpi);
            const QString seen = lineartest::modulesOnRow(image, lineartest::rowCrossingMostBars(image),
                                                          size.mils / 1000.0 * size.dpi);
            // The drawing starts and ends with a bar module.
            QString expected = modulesOf(setup, symbol.value);
            while (expected.endsWith(u'0'))
                expected.chop(1);
            EXPECT_EQ(seen, expected.mid(expected.indexOf(u'1')));
        }
    }
}

TEST(LinearRender, BarHeightsInMillimetresLandOnTheirPixels)
{
    const struct {
        double millimetres, dpi;
        bool texts;
    } cases[] = {{6, 300, false}, {6, 600, false}, {10, 300, true}, {12.7, 600, true}, {25.4, 300, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.millimetres) + " mm at " + std::to_string(c.dpi) + " dpi"
                     + (c.texts ? " with texts" : ""));
        BarcodeSetup setup = c.texts ? lineartest::linearSetup(QStringLiteral("Code 128")) : hiddenTexts("Code 128");
        setup.linear_height_val = c.millimetres;
        const QImage image = drawnAt(setup, QStringLiteral("BADGE-42"), c.dpi);
        const auto bars = lineartest::barsOnRow(image, lineartest::rowCrossingMostBars(image));
        ASSERT_GT(bars.size(), 10u);
        const double expected = c.millimetres / 25.4 * c.dpi;
        for (const auto &bar : bars)
            EXPECT_NEAR(bar.bottom - bar.top + 1, expected, 1.0);
    }
}

TEST(LinearRender, FrameIsTheBarsWithMarginsAndTexts)
{
    const QString value = QStringLiteral("12345678");
    const int modules = int(modulesOf(hiddenTexts("Code 128"), value).size());
    const double bw = 20.0 / 1000.0 * 72.0;

    const struct {
        double height, tb, lr;
        double expectedWidth;
    } cases[] = {
        // No side margin still leaves ten modules of quiet zone on each side.
        {10.0, 1.0, 0.0, (modules + 20) * bw},
        {6.0, 0.0, 0.0, (modules + 20) * bw},
        // A side margin adds twice itself and 15 points.
        {6.0, 2.0, 10.0, modules * bw + 2 * 10.0 * PointsPerMillimetre + 15.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE("height " + std::to_string(c.height) + " TB " + std::to_string(c.tb) + " LR "
                     + std::to_string(c.lr));
        BarcodeSetup setup = hiddenTexts("Code 128");
        setup.linear_height_val = c.height;
        setup.TB_marging_val = c.tb;
        setup.LR_margin_val = c.lr;
        const BarcodeImage image = Render_Barcode(setup, value);
        ASSERT_TRUE(image.isValid());
        EXPECT_NEAR(image.sizePoints.height(), (c.height + 2 * c.tb) * PointsPerMillimetre, 1e-3);
        EXPECT_NEAR(image.sizePoints.width(), c.expectedWidth, 1e-3);
        for (const double dpi : {72.0, 300.0, 600.0}) {
            const QImage pixels = image.toImage(dpi);
            EXPECT_EQ(pixels.width(), int(std::ceil(image.sizePoints.width() * dpi / 72.0 - 1e-6)));
            EXPECT_EQ(pixels.height(), int(std::ceil(image.sizePoints.height() * dpi / 72.0 - 1e-6)));
        }
        // The bars are centred: as much space on the left as on the right.
        const QImage pixels = image.toImage(300);
        const auto bands = inkBands(pixels);
        ASSERT_EQ(bands.size(), 1u);
        EXPECT_NEAR(bands[0].left, pixels.width() - 1 - bands[0].right, 1);
        EXPECT_GE(bands[0].left, 10 * 6 - 1);
    }

    // Showing a text makes the frame taller by its line and margin, never narrower.
    BarcodeSetup shown = hiddenTexts("Code 128");
    const BarcodeImage bare = Render_Barcode(shown, value);
    shown.show_hide_hdr = 0;
    const BarcodeImage withHeader = Render_Barcode(shown, value);
    EXPECT_GT(withHeader.sizePoints.height(), bare.sizePoints.height() + 1.0 * PointsPerMillimetre);
    EXPECT_EQ(withHeader.sizePoints.width(), bare.sizePoints.width());
}

TEST(LinearRender, HeaderValueAndFooterStackAroundTheBars)
{
    const struct {
        const char *symbology;
        QString value;
    } symbols[] = {
        {"Code 128", QStringLiteral("BADGE-42")},
        {"Royal Mail Barcode (RM4SCC / CBC)", QStringLiteral("SN34RD1A")},
        {"Japan Post Barcode", QStringLiteral("1234567")},
        {"PostNet", QStringLiteral("12345")},
    };
    for (const auto &symbol : symbols) {
        SCOPED_TRACE(symbol.symbology);
        BarcodeSetup setup = lineartest::linearSetup(QString::fromLatin1(symbol.symbology));

        // Header, bars, value, footer from the top.
        auto bands = inkBands(drawnAt(setup, symbol.value, 300));
        ASSERT_EQ(bands.size(), 4u);
        const int barsHeight = bands[1].last - bands[1].first;
        EXPECT_GT(barsHeight, bands[0].last - bands[0].first);

        // The value above the bars: header, value, bars, footer.
        setup.show_val_on_top = 1;
        bands = inkBands(drawnAt(setup, symbol.value, 300));
        ASSERT_EQ(bands.size(), 4u);
        EXPECT_NEAR(bands[2].last - bands[2].first, barsHeight, 1);
        EXPECT_LT(bands[1].last - bands[1].first, barsHeight);

        // Every hide box is honoured: only the bars remain.
        setup.show_hide_hdr = 1;
        setup.show_hide_ftr = 1;
        setup.show_hide_val = 1;
        bands = inkBands(drawnAt(setup, symbol.value, 300));
        ASSERT_EQ(bands.size(), 1u);
        EXPECT_NEAR(bands[0].last - bands[0].first, barsHeight, 1);
    }
}

TEST(LinearRender, HeaderAlignmentAndAWideHeader)
{
    BarcodeSetup setup = lineartest::linearSetup(QStringLiteral("Code 39"));
    setup.show_hide_ftr = 1;
    setup.show_hide_val = 1;
    setup.header_val = QStringLiteral("ID");
    const struct {
        int index;
        const char *name;
    } alignments[] = {{0, "Left"}, {1, "Center"}, {2, "Right"}};
    for (const auto &alignment : alignments) {
        SCOPED_TRACE(alignment.name);
        setup.align_hdr_index = alignment.index;
        const auto bands = inkBands(drawnAt(setup, QStringLiteral("CARD"), 300));
        ASSERT_EQ(bands.size(), 2u);
        const Band &header = bands[0], &bars = bands[1];
        if (alignment.index == 0)
            EXPECT_LT(header.left, bars.left);
        else if (alignment.index == 2)
            EXPECT_GT(header.right, bars.right);
        else
            EXPECT_NEAR(header.left + header.right, bars.left + bars.right, 4);
    }

    // A header wider than the bars widens the frame; the bars stay centred and the header whole.
    setup.align_hdr_index = 1;
    setup.header_val = QStringLiteral("A HEADER MUCH WIDER THAN THE BARS");
    const QImage image = drawnAt(setup, QStringLiteral("A"), 300);
    const auto bands = inkBands(image);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_GT(bands[0].right - bands[0].left, 2 * (bands[1].right - bands[1].left));
    EXPECT_NEAR(bands[1].left, image.width() - 1 - bands[1].right, 1);
    EXPECT_GT(bands[0].left, 0);
    EXPECT_LT(bands[0].right, image.width() - 1);
}

TEST(LinearRender, ColoursAndTransparentBackground)
{
    BarcodeSetup setup = lineartest::linearSetup(QStringLiteral("Code 128"));
    setup.barcode_clr_val = QColor(200, 0, 0);
    setup.barcode_back_clr_val = QColor(255, 255, 0);
    setup.barcode_val_clr_val = QColor(0, 0, 220);
    setup.barcode_hdr_clr_val = QColor(0, 150, 0);
    const QImage image = drawnAt(setup, QStringLiteral("COLOUR"), 300);
    const auto bars = lineartest::barsOnRow(image, lineartest::rowCrossingMostBars(image));
    ASSERT_FALSE(bars.empty());
    const int barRow = (bars[0].top + bars[0].bottom) / 2;
    EXPECT_EQ(image.pixelColor((bars[0].left + bars[0].right) / 2, barRow), QColor(200, 0, 0));
    EXPECT_EQ(image.pixelColor(2, barRow), QColor(255, 255, 0));
    // The value (below the bars) and the header (above) are drawn in their own colours.
    auto hasInk = [&image](int fromRow, int toRow, const QColor &colour) {
        for (int y = fromRow; y < toRow; ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixelColor(x, y) == colour)
                    return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(hasInk(bars[0].bottom + 1, image.height(), QColor(0, 0, 220)));
    EXPECT_FALSE(hasInk(0, bars[0].top, QColor(0, 0, 220)));
    EXPECT_TRUE(hasInk(0, bars[0].top, QColor(0, 150, 0)));

    setup.transparent_background = true;
    const QImage clear = drawnAt(setup, QStringLiteral("COLOUR"), 300);
    EXPECT_EQ(qAlpha(clear.pixel(2, barRow)), 0);
    EXPECT_EQ(qAlpha(clear.pixel((bars[0].left + bars[0].right) / 2, barRow)), 255);
}

TEST(LinearRender, UpcEanGuardBarsReachDownBesideTheDigits)
{
    const struct {
        const char *symbology, *value;
    } symbols[] = {{"EAN-13", "590123412345"}, {"UPCA", "03600029145"}, {"EAN-8", "9638507"}, {"UPCE", "0123456"}};
    for (const auto &[symbology, text] : symbols) {
        SCOPED_TRACE(symbology);
        BarcodeSetup setup = lineartest::linearSetup(QString::fromLatin1(symbology));
        setup.show_hide_hdr = 1;
        setup.show_hide_ftr = 1;
        const QString value = QString::fromLatin1(text);
        const QImage image = drawnAt(setup, value, 600);
        const auto bands = inkBands(image);
        ASSERT_EQ(bands.size(), 1u);
        // Just below the bars' tops, where no digit is printed.
        const auto bars = lineartest::barsOnRow(image, bands[0].first + 5);
        ASSERT_GT(bars.size(), 10u);
        const double barPixels = 6.0 / 25.4 * 600;
        // The first bar is a guard; the bar a quarter of the way in belongs to a digit.
        const auto &data = bars[bars.size() / 4];
        EXPECT_GT(bars.front().bottom, data.bottom + 20);
        EXPECT_NEAR(data.bottom - data.top + 1, barPixels, 1.0);
        EXPECT_EQ(bars.front().top, data.top);
        // EAN-13, UPC-A and UPC-E print their first digit left of the bars.
        if (std::string_view(symbology) != "EAN-8")
            EXPECT_LT(bands[0].left, bars.front().left);
        else
            EXPECT_EQ(bands[0].left, bars.front().left);
    }
}

TEST(LinearRender, PdfHoldsTheSameDrawingAsVectors)
{
    REQUIRE_TOOL(pdfinfo, "pdfinfo");
    REQUIRE_TOOL(pdftoppm, "pdftoppm");
    REQUIRE_TOOL(pdfimages, "pdfimages");
    REQUIRE_TOOL(zxing, "ZXingReader");
    const BarcodeImage image = Render_Barcode(lineartest::linearSetup(QStringLiteral("Code 128")),
                                              QStringLiteral("PDF-128"));
    ASSERT_TRUE(image.isValid());

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("symbol.pdf"));
    {
        QPdfWriter writer(pdf);
        writer.setResolution(1200);
        writer.setPageSize(QPageSize(image.sizePoints, QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        painter.scale(writer.resolution() / 72.0, writer.resolution() / 72.0);
        image.paint(painter);
    }
    // The page is the drawing's size (to the whole point the page size keeps).
    const QString info = QString::fromUtf8(testsupport::runTool(pdfinfo, {pdf}).out);
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(info);
    ASSERT_TRUE(size.hasMatch()) << info.toStdString();
    EXPECT_NEAR(size.captured(1).toDouble(), image.sizePoints.width(), 1.0);
    EXPECT_NEAR(size.captured(2).toDouble(), image.sizePoints.height(), 1.0);
    const auto images = testsupport::runTool(pdfimages, {QStringLiteral("-list"), pdf});
    EXPECT_EQ(images.out.count('\n'), 2) << "no raster image inside: " << images.out.toStdString();

    const QString prefix = dir.filePath(QStringLiteral("page"));
    testsupport::runTool(pdftoppm, {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"),
                                    QStringLiteral("-singlefile"), pdf, prefix});
    const QImage page(prefix + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(lineartest::zxingRead(page, QStringLiteral("Code128")), QByteArray("PDF-128"));
    // Text drawn in the PDF keeps its point size: the value's line is as tall as in a raster.
    const auto pdfBands = inkBands(page);
    const auto rasterBands = inkBands(image.toImage(300));
    ASSERT_EQ(pdfBands.size(), rasterBands.size());
    for (size_t i = 0; i < pdfBands.size(); ++i)
        EXPECT_NEAR(pdfBands[i].last - pdfBands[i].first, rasterBands[i].last - rasterBands[i].first, 3) << i;
}

namespace {

// A symbol whose module string is given whole, to watch the renderer's runs.
class GivenModules : public NKDBarcode {
public:
    explicit GivenModules(const QString &modules) : NKDBarcode(QString(), false), m_modules(modules) {}
    QString initiator() const override { return m_modules; }
    QString barcode() const override { return QString(); }

private:
    QString m_modules;
};

}  // namespace

TEST(LinearRender, RunsOfBarModulesBecomeOneRectangleEach)
{
    BarcodeSetup setup = hiddenTexts("Code 128");
    setup.TB_marging_val = 0.0;
    const BarcodeStyle style = Barcode_Style(setup);
    const struct {
        const char *modules;
        std::vector<std::pair<int, int>> bars;  // left edge from the first module, width (points)
    } cases[] = {
        {"0110100111", {{2, 4}, {8, 2}, {14, 6}}},
        {"1", {{0, 2}}},
        {"10", {{0, 2}}},
        {"0000", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.modules);
        GivenModules symbol{QString::fromLatin1(c.modules)};
        Layout_Linear_Symbol(symbol, style, 2.0f, 20.0f);
        const QSizeF frame = Linear_Frame_Size(symbol);
        QImage image(int(std::ceil(frame.width())), int(std::ceil(frame.height())), QImage::Format_ARGB32);
        image.setDotsPerMeterX(qRound(72 / 0.0254));
        image.setDotsPerMeterY(qRound(72 / 0.0254));
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            Paint_Linear_Barcode(painter, symbol, style, frame);
        }
        const auto seen = lineartest::barsOnRow(image, image.height() / 2);
        ASSERT_EQ(seen.size(), c.bars.size());
        if (seen.empty()) {
            // Background only.
            EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), QColor(Qt::white));
            continue;
        }
        const int origin = seen.front().left - c.bars.front().first;
        for (size_t i = 0; i < seen.size(); ++i) {
            EXPECT_EQ(seen[i].left - origin, c.bars[i].first) << i;
            EXPECT_EQ(seen[i].right - seen[i].left + 1, c.bars[i].second) << i;
            EXPECT_EQ(seen[i].bottom - seen[i].top + 1, 20) << i;
        }
    }
}

TEST(LinearRender, TwoDimensionalSymbolsAreFramedUnderTheHeader)
{
    const QSizeF symbol(100.0, 80.0);
    auto paintBlack = [](QPainter &painter, const QRectF &target) { painter.fillRect(target, Qt::black); };

    BarcodeSetup setup = lineartest::linearSetup(QStringLiteral("Code 39"));
    setup.show_hide_hdr = 1;
    setup.show_hide_ftr = 1;
    setup.TB_marging_val = 2.0;
    setup.LR_margin_val = 3.0;
    BarcodeImage framed = Frame_TwoD_Symbol(setup, symbol, paintBlack);
    ASSERT_TRUE(framed.isValid());
    EXPECT_NEAR(framed.sizePoints.height(), 80.0 + 2 * 2.0 * PointsPerMillimetre, 1e-3);
    EXPECT_NEAR(framed.sizePoints.width(), 100.0 + 2 * 3.0 * PointsPerMillimetre + 15.0, 1e-3);
    QImage image = framed.toImage(72);
    auto bands = inkBands(image);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_NEAR(bands[0].first, 2.0 * PointsPerMillimetre, 1);
    EXPECT_NEAR(bands[0].left, image.width() - 1 - bands[0].right, 1);
    // The frame's own background is white, not the linear background colour.
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::white));

    // Header above, footer below, and the header's margin between it and the symbol.
    setup.show_hide_hdr = 0;
    setup.show_hide_ftr = 0;
    setup.LR_margin_val = 0.0;
    framed = Frame_TwoD_Symbol(setup, symbol, paintBlack);
    ASSERT_TRUE(framed.isValid());
    EXPECT_NEAR(framed.sizePoints.width(), 100.0, 1e-3);
    image = framed.toImage(300);
    bands = inkBands(image);
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_NEAR(bands[1].last - bands[1].first + 1, 80.0 * 300 / 72, 1);
    EXPECT_GE(bands[1].first - bands[0].last, int(1.0 * PointsPerMillimetre * 300 / 72));

    setup.transparent_background = true;
    image = Frame_TwoD_Symbol(setup, symbol, paintBlack).toImage(72);
    EXPECT_EQ(qAlpha(image.pixel(0, image.height() / 2)), 255);  // the symbol fills the width
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);

    // Nothing to frame: refused, never drawn.
    EXPECT_FALSE(Frame_TwoD_Symbol(setup, QSizeF(), paintBlack).isValid());
}

TEST(LinearRender, SymbologyListsKeepTheirStoredOrder)
{
    EXPECT_EQ(Linear_Symbology_Names().size(), 19);
    EXPECT_EQ(Symbology_Index(0, QStringLiteral("Code 39")), 0);
    EXPECT_EQ(Symbology_Index(0, QStringLiteral("EAN-13")), 8);
    EXPECT_EQ(Symbology_Index(0, QStringLiteral("Code 128 SET C")), 12);
    EXPECT_EQ(Symbology_Index(0, QStringLiteral("Japan Post Barcode")), 18);
    EXPECT_EQ(Symbology_Name(1, 0), QStringLiteral("QR Code"));
    EXPECT_EQ(Symbology_Name(1, 2), QStringLiteral("DataMatrix"));
    EXPECT_EQ(Symbology_Name(1, 3), QString());
    EXPECT_EQ(Symbology_Name(2, 0), QString());
    EXPECT_EQ(Barcode_Alignment_Names().at(1), QStringLiteral("Center"));
    // Every name of the linear list makes a symbol.
    for (const QString &name : Linear_Symbology_Names())
        EXPECT_NE(Make_Linear_Symbol(name, QStringLiteral("1234567"), true), nullptr) << name.toStdString();
}

TEST(LinearRender, MarginsTooLargeForAnyDrawingAreRefused)
{
    // A margin read from a file can be any finite number of millimetres; in points it may no
    // longer fit a float. Such a barcode is refused instead of getting an infinite frame.
    double BarcodeSetup::*const margins[] = {&BarcodeSetup::hdr_margin_val, &BarcodeSetup::ftr_margin_val,
                                             &BarcodeSetup::val_margin_val, &BarcodeSetup::TB_marging_val,
                                             &BarcodeSetup::LR_margin_val};
    const struct {
        int pane, index;
        const char *value;
    } symbols[] = {{0, 0, "CARD"}, {1, 0, "QR"}, {1, 1, "PDF"}, {1, 2, "DM"}};
    for (const auto &symbol : symbols) {
        for (size_t m = 0; m < std::size(margins); ++m) {
            if (symbol.pane == 1 && margins[m] == &BarcodeSetup::val_margin_val)
                continue;  // a two-dimensional symbol has no caption
            SCOPED_TRACE(testing::Message() << "pane " << symbol.pane << " symbology " << symbol.index << " margin "
                                            << m);
            BarcodeSetup setup;
            setup.linear_or_2d = symbol.pane;
            setup.barcode_font_index = symbol.index;
            setup.*margins[m] = 1e300;
            const BarcodeImage image = Render_Barcode(setup, QString::fromLatin1(symbol.value));
            EXPECT_FALSE(image.isValid());
            EXPECT_EQ(image.error, QStringLiteral("Invalid barcode size."));
            // The same set-up with a sound margin draws.
            setup.*margins[m] = 2.0;
            EXPECT_FALSE(Render_Barcode(setup, QString::fromLatin1(symbol.value)).toImage(72).isNull());
        }
    }
}

TEST(LinearRender, LongLetterSpacedHeaderFillsTheWidthItWasGiven)
{
    // Letter by letter with two points between letters: the ink of a long header spans the
    // width the frame was made for, from one side of the frame to the other, and no further.
    BarcodeSetup setup = lineartest::linearSetup(QStringLiteral("Code 39"));
    setup.show_hide_ftr = 1;
    setup.show_hide_val = 1;
    setup.LR_margin_val = 0;
    for (const int letters : {12, 400}) {
        SCOPED_TRACE(letters);
        setup.header_val = QString(letters, QLatin1Char('H'));
        const BarcodeImage image = Render_Barcode(setup, QStringLiteral("A"));
        ASSERT_TRUE(image.isValid());
        const QImage pixels = image.toImage(300);
        const auto bands = inkBands(pixels);
        ASSERT_EQ(bands.size(), 2u);
        const Band &header = bands[0];
        const double scale = 300.0 / 72.0;
        const double measured = Barcode_Text_Width(setup.header_font_val, setup.header_val) * scale;
        // An "H" has side bearings, so the ink is a little narrower than the advance.
        EXPECT_NEAR(header.right - header.left + 1, measured, 0.01 * measured + 4);
        EXPECT_NEAR(header.left, pixels.width() - 1 - header.right, 3);
    }
}
