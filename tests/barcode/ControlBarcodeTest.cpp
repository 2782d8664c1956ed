// Barcode controls with the barcode library installed: the picture a control keeps, and the
// barcode every output draws afresh at its own resolution, as independent readers see them.

#include "LinearDecode.h"
#include "TestSupport.h"

#include "barcode/ControlBarcode.h"
#include "core/ControlArchive.h"
#include "core/ImageResolution.h"
#include "core/SKTDocument.h"
#include "canvas/CanvasRequests.h"
#include "canvas/SKTGraphicView.h"
#include "core/SKTImage.h"
#include "core/SKTRenderingView.h"
#include "core/SKTBarcode.h"
#include "core/Shape_Control.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>
#include <thread>

namespace {

using lineartest::zxingRead;

class BarcodeToolHub : public NoWindowCoreHub, public NoWindowCanvasRequests {
public:
    BarcodeToolHub() : m_previous(setCoreHub(this)), m_previousRequests(setCanvasRequests(this)) {}
    ~BarcodeToolHub() override
    {
        setCanvasRequests(m_previousRequests);
        setCoreHub(m_previous);
    }
    int Selected_Control_Tool() override { return tool; }
    void Set_Selected_Control_Tool(int t) override { tool = t; }
    QRectF frontCanvasBounds() override { return QRectF(0, 0, 243, 154); }
    int tool = 10;

private:
    CoreHub *m_previous = nullptr;
    CanvasRequests *m_previousRequests = nullptr;
};

// A barcode control of the pane (0 linear, 1 2-D) and symbology, its picture built from `value`.
std::unique_ptr<SKTGraphic> barcodeAt(QPointF at, int linearOr2d, int symbology, const QString &value,
                                      float mils = 10)
{
    std::unique_ptr<SKTGraphic> code = Make_Graphic_Of_Class(QStringLiteral("SKTBarcode"));
    code->linear_or_2d = linearOr2d;
    code->barcode_font_index = symbology;
    code->linear_width_val = mils;
    barcode::Install_Control_Barcode_Provider().Build_Barcode_Image(*code, value);
    code->setBounds(QRectF(at, code->bounds().size()));
    return code;
}

CardSide sideOf(std::vector<std::unique_ptr<SKTGraphic>> &controls)
{
    Card_Property card;
    card.setCard_Size(QSizeF(243, 154));
    return CardSide::copyOf(card, controls);
}

}  // namespace

TEST(ControlBarcodeTest, ABarcodePlacedOnTheCanvasDecodesToTheSampleValue)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    testsupport::TempDataFolder data;
    BarcodeToolHub hub;
    barcode::Install_Control_Barcode_Provider();
    SKTDocument doc;
    SKTGraphicView canvas;
    canvas.bindGraphics(&doc, 0);
    canvas.createGraphicOfClass(SKTGraphicKind::Barcode, nullptr, false, QRectF(), "F", QString(), QString());

    ASSERT_EQ(doc.graphics().size(), 1u);
    SKTGraphic &code = *doc.graphics()[0];
    EXPECT_EQ(code.kind(), SKTGraphicKind::Barcode);
    EXPECT_NEAR(Image_Dpi(code._barcode_image), 300, 1) << "Auto makes the picture at 300 dpi";
    EXPECT_EQ(code.bounds().size(), Image_Size_In_Points(code._barcode_image)) << "sized to its picture";
    EXPECT_EQ(code.bar_image_ctrl_bounds, code.bounds());
    EXPECT_EQ(hub.tool, 0);
    EXPECT_EQ(zxingRead(code._barcode_image, QStringLiteral("Code39")), QByteArray("0123"));
}

TEST(ControlBarcodeTest, ThePictureFollowsTheChosenDpiAndARefusedValueLeavesNoPicture)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    BarcodeToolHub hub;
    struct Case {
        int dpiIndex;
        const char *custom;
        double dpi;
    } cases[] = {{0, "0", 300}, {5, "0", 600}, {1, "150", 150}, {1, "words", 600}};
    QSizeF points;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.dpiIndex);
        std::unique_ptr<SKTGraphic> code = Make_Graphic_Of_Class(QStringLiteral("SKTBarcode"));
        code->barcode_font_index = 9;  // Code 128
        code->dpi_val_index = c.dpiIndex;
        code->dpi_custom_val = QString::fromLatin1(c.custom);
        auto &provider = barcode::Install_Control_Barcode_Provider();
        ASSERT_TRUE(provider.Build_Barcode_Image(*code, QStringLiteral("Badge-42")));
        EXPECT_NEAR(Image_Dpi(code->_barcode_image), c.dpi, 1);
        EXPECT_EQ(zxingRead(code->_barcode_image, QStringLiteral("Code128")), QByteArray("Badge-42"));
        if (points.isEmpty())
            points = code->bounds().size();
        EXPECT_NEAR(code->bounds().width(), points.width(), 1) << "the same size in points at every dpi";

        // A value the symbology refuses (a batch row, say) must not leave the last row's barcode.
        code->barcode_font_index = 3;  // UPC-A takes digits only
        EXPECT_FALSE(provider.Build_Barcode_Image(*code, QStringLiteral("x")));
        EXPECT_TRUE(code->_barcode_image.isNull());
        std::vector<std::unique_ptr<SKTGraphic>> controls;
        controls.push_back(std::move(code));
        const QImage side = SKTRenderingView::image_From_Card_Graphics(sideOf(controls), 600);
        EXPECT_TRUE(side.isNull() || lineartest::inkBands(side).empty()) << "no barcode on the printed side";
    }
}

// A transparent background lets the card show through; a white one covers it. Drawn at a
// resolution other than its picture's, the barcode paints from its set-up straight onto the card.
TEST(ControlBarcodeTest, ATransparentBackgroundShowsTheCardUnderTheBarcode)
{
    for (const bool transparent : {true, false}) {
        SCOPED_TRACE(transparent);
        std::vector<std::unique_ptr<SKTGraphic>> controls;
        controls.push_back(barcodeAt(QPointF(20, 20), 0, 9, QStringLiteral("Badge-42")));
        controls.back()->_isDrawingFill = transparent;
        const QPointF corner = controls.back()->bounds().topLeft() + QPointF(1.5, 1.5);
        Card_Property card;
        card.setCard_Size(QSizeF(243, 154));
        card.setCard_fill_chk(true);
        card.setCard_fill_clr(Qt::red);
        const QImage side = SKTRenderingView::image_From_Card_Graphics(CardSide::copyOf(card, controls), 600);
        const QColor seen = side.pixelColor((corner * 600 / 72).toPoint());
        EXPECT_EQ(seen, transparent ? QColor(Qt::red) : QColor(Qt::white));
    }
}

TEST(ControlBarcodeTest, APdfHoldsBarcodesAsVectorsAndTheyDecodeAtSixHundredDpi)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    REQUIRE_TOOL(pdfimages, "pdfimages");
    REQUIRE_TOOL(pdftoppm, "pdftoppm");
    BarcodeToolHub hub;
    std::vector<std::unique_ptr<SKTGraphic>> controls;
    controls.push_back(barcodeAt(QPointF(10, 10), 0, 9, QStringLiteral("Badge-42")));
    controls.push_back(barcodeAt(QPointF(170, 80), 1, 0, QStringLiteral("https://example.org/v/42")));
    QImage photo(120, 90, QImage::Format_RGB32);
    photo.fill(QColor(200, 120, 40));
    auto picture = SKTImage::initWithPosition(QPointF(50, 120), photo);
    picture->_file_path = QStringLiteral("/photos/42.jpg");
    picture->_bounds = QRectF(10, 90, 80, 60);
    controls.push_back(std::move(picture));

    const CardSide side = sideOf(controls);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("side.pdf"));
    QString error;
    ASSERT_TRUE(SKTRenderingView::Write_Side_File(side, pdf, 300, &error)) << error.toStdString();
    const QList<QByteArray> images =
        testsupport::runTool(pdfimages, {QStringLiteral("-list"), pdf}).out.trimmed().split('\n');
    ASSERT_EQ(images.size(), 3) << "a header of two lines and the photo alone";
    EXPECT_TRUE(images[2].simplified().split(' ').value(3) == "120") << images[2].toStdString();

    const auto r = testsupport::runTool(pdftoppm, QStringLiteral("-r 600 -png -singlefile").split(u' ')
                                                      << pdf << dir.filePath(QStringLiteral("p")));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage page(dir.filePath(QStringLiteral("p.png")));
    EXPECT_EQ(zxingRead(page, QStringLiteral("Code128")), QByteArray("Badge-42"));
    EXPECT_EQ(zxingRead(page, QStringLiteral("QRCode")), QByteArray("https://example.org/v/42"));
    // Text in the PDF keeps its point size: every line of ink is as tall as in a raster.
    const auto pdfBands = lineartest::inkBands(page);
    const auto rasterBands = lineartest::inkBands(SKTRenderingView::image_From_Card_Graphics(side, 600));
    ASSERT_EQ(pdfBands.size(), rasterBands.size());
    for (size_t i = 0; i < pdfBands.size(); ++i)
        EXPECT_NEAR(pdfBands[i].last - pdfBands[i].first, rasterBands[i].last - rasterBands[i].first, 3) << i;
}

TEST(ControlBarcodeTest, AtTwelveHundredDpiEveryBarIsWholePixelsAndEqualModulesEqual)
{
    BarcodeToolHub hub;
    std::vector<std::unique_ptr<SKTGraphic>> controls;
    // 13 mils is 15.6 pixels at 1200 dpi: a scaled picture or unaligned bars would mix 15 and 16.
    controls.push_back(barcodeAt(QPointF(10.3, 20.7), 0, 9, QStringLiteral("Badge-42"), 13));
    // The module string along the middle of the bars, in modules of the narrowest bar; empty
    // when any run is not a whole number of them.
    auto modules = [](const QImage &image, int *modulePixels) {
        const lineartest::Band bars = lineartest::inkBands(image).at(1);  // header, bars, value, footer
        const int row = (bars.first + bars.last) / 2;
        *modulePixels = image.width();
        for (const lineartest::SeenBar &bar : lineartest::barsOnRow(image, row))
            *modulePixels = std::min(*modulePixels, bar.right - bar.left + 1);
        return lineartest::modulesOnRow(image, row, *modulePixels);
    };
    int storedModule = 0, module = 0;
    const QString expected = modules(controls[0]->_barcode_image, &storedModule);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("side.png"));
    ASSERT_TRUE(SKTRenderingView::Write_Side_File(sideOf(controls), path, 1200));
    EXPECT_EQ(modules(QImage(path), &module), expected) << "every run whole modules of 16 pixels";
    EXPECT_EQ(module, 16);
    EXPECT_GT(expected.size(), 60);
}

TEST(ControlBarcodeTest, EightThreadsRenderEightSidesAsOneThreadDoes)
{
    BarcodeToolHub hub;
    std::vector<CardSide> sides;
    for (int i = 0; i < 8; ++i) {
        std::vector<std::unique_ptr<SKTGraphic>> controls;
        controls.push_back(barcodeAt(QPointF(10, 10), 0, 9, QStringLiteral("Row-%1").arg(i)));
        controls.push_back(barcodeAt(QPointF(170, 80), 1, i % 3, QStringLiteral("Q%1").arg(i)));
        auto band = std::make_unique<Shape_Control>();
        band->_bounds = QRectF(0, 130, 243, 24);
        band->_fillColor = QColor::fromHsv(i * 45, 255, 200);
        controls.push_back(std::move(band));
        sides.push_back(sideOf(controls));
    }
    auto render = [&sides](size_t i) { return SKTRenderingView::image_From_Card_Graphics(sides[i], 450); };
    std::vector<QImage> together(8);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < 8; ++i)
        threads.emplace_back([&, i] { together[i] = render(i); });
    for (std::thread &t : threads)
        t.join();
    for (size_t i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        const QImage alone = render(i);
        ASSERT_FALSE(alone.isNull());
        EXPECT_EQ(together[i], alone);
        EXPECT_NE(alone, together[(i + 1) % 8]) << "eight different sides";
    }
}

// The symbol encoded with the picture is what later paintings draw (a batch encodes a row's
// barcode once, on the worker that filled it); a change of value or set-up since is drawn anew.
TEST(ControlBarcodeTest, TheSymbolEncodedWithThePictureIsDrawnOnlyWhileItStillMatches)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    REQUIRE_TOOL(dmtxread, "dmtxread");
    BarcodeToolHub hub;
    struct Case {
        const char *change;
        std::function<void(SKTGraphic &)> apply;
        const char *format, *decoded;
    } cases[] = {
        {"nothing", [](SKTGraphic &) {}, "QRCode", "https://example.org/v/7"},
        {"a copy", [](SKTGraphic &) {}, "QRCode", "https://example.org/v/7"},
        {"the symbology", [](SKTGraphic &g) { g.barcode_font_index = 2; }, "DataMatrix", "https://example.org/v/7"},
        {"the value", [](SKTGraphic &g) { static_cast<SKTBarcode &>(g)._barcode_value = QStringLiteral("B-8"); },
         "QRCode", "B-8"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.change);
        std::vector<std::unique_ptr<SKTGraphic>> controls;
        controls.push_back(barcodeAt(QPointF(20, 20), 1, 0, QStringLiteral("https://example.org/v/7")));
        ASSERT_TRUE(static_cast<SKTBarcode &>(*controls[0])._prepared_symbol);
        if (std::string(c.change) == "a copy")
            controls[0] = controls[0]->clone();
        c.apply(*controls[0]);
        // Not at the picture's 300 dpi: the barcode is painted from the symbol.
        const QImage kept = SKTRenderingView::image_From_Card_Graphics(sideOf(controls), 450);
        const QString format = QString::fromLatin1(c.format);
        EXPECT_EQ(format == QLatin1String("DataMatrix") ? lineartest::dmtx(kept) : zxingRead(kept, format),
                  QByteArray(c.decoded));
        static_cast<SKTBarcode &>(*controls[0])._prepared_symbol.reset();
        EXPECT_EQ(SKTRenderingView::image_From_Card_Graphics(sideOf(controls), 450), kept)
            << "the same pixels as a symbol encoded afresh";
    }
}
