// The side renderer: what is on a rendered side, at which resolution, and in which files.
#include "CoreTestSupport.h"

#include "core/SKTText.h"

#include "TestSupport.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kindstest;

namespace {

// A red square at 20..60 over a blue one at 40..100, on the card.
std::vector<std::unique_ptr<SKTGraphic>> overlappingSquares()
{
    std::vector<std::unique_ptr<SKTGraphic>> out;
    out.push_back(filledRect(QRectF(20, 20, 40, 40), Qt::red));
    out.push_back(filledRect(QRectF(40, 40, 60, 60), Qt::blue));
    return out;
}

std::unique_ptr<SKTText> textControl(const QRectF &bounds, const QString &value, int size)
{
    auto text = std::make_unique<SKTText>();
    text->_bounds = bounds;
    text->text_ctrl_font = QFont(QStringLiteral("DejaVu Sans"), size, QFont::Bold);
    text->txt_clr = Qt::black;
    text->Set_text_value(value);
    return text;
}

QImage pdfPage(const QString &pdftoppm, const QString &pdf, int dpi)
{
    const QString stem = pdf + QStringLiteral(".page");
    const auto r = testsupport::runTool(pdftoppm, {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                                   QStringLiteral("-singlefile"), pdf, stem});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return QImage(stem + QStringLiteral(".png"));
}

}  // namespace

TEST(RenderingView, StackingVisibilityPrintingAndTheCard)
{
    struct Case {
        const char *name;
        std::function<void(SKTGraphic &)> mark;
        QColor at30, at50;
    } cases[] = {
        {"index 0 over index 1", [](SKTGraphic &) {}, Qt::red, Qt::red},
        {"hidden", [](SKTGraphic &g) { g.ctrl_is_visible = false; }, Qt::white, Qt::blue},
        {"not printed", [](SKTGraphic &g) { g.print_object = 1; }, Qt::white, Qt::blue},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        CardHub hub;
        auto squares = overlappingSquares();
        c.mark(*squares[0]);
        const QImage image = SKTRenderingView::image_From_Card_Graphics(hub.side(squares));
        ASSERT_EQ(image.size(), QSize(243, 154));
        EXPECT_EQ(image.pixelColor(30, 30), c.at30);
        EXPECT_EQ(image.pixelColor(50, 50), c.at50);
        EXPECT_EQ(image.pixelColor(80, 80), QColor(Qt::blue));
        EXPECT_EQ(image.pixelColor(200, 130), QColor(Qt::white)) << "the card base";
        EXPECT_EQ(hub.refreshes, 0) << "a render is not a canvas: no refresh is asked for";
    }
    CardHub hub;
    hub.card.setCard_border_chk(true);
    hub.card.setCard_bor_Stepper(4);
    const CardSide bare = hub.side(SKTGraphicList{});
    EXPECT_EQ(Card_Design_image_From_Card_Graphics(&bare).pixelColor(120, 0), QColor(Qt::black)) << "the border";
    EXPECT_TRUE(Card_Design_image_From_Card_Graphics(nullptr).isNull());

    QImage sheet(600, 400, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::gray);
    QPainter painter(&sheet);
    SKTRenderingView(hub.side(overlappingSquares()), QStringLiteral("Print"))
        .drawInto(painter, QRectF(100, 50, 486, 308));  // twice the card's size
    painter.end();
    EXPECT_EQ(sheet.pixelColor(50, 50), QColor(Qt::gray)) << "outside the target";
    EXPECT_EQ(sheet.pixelColor(100 + 60, 50 + 60), QColor(Qt::red));
    EXPECT_EQ(sheet.pixelColor(100 + 170, 50 + 170), QColor(Qt::blue));
}

TEST(RenderingView, RasterFilesHaveTheResolutionsPixelsAndRecordIt)
{
    struct Case {
        const char *ext;
        double dpi;
        QSize pixels;
        QByteArray magic;
    } cases[] = {
        {"png", 72, {243, 154}, QByteArray("\x89PNG\r\n\x1a\n", 8)}, {"png", 600, {2025, 1284}, "\x89PNG"},
        {"jpg", 300, {1013, 642}, QByteArray("\xff\xd8\xff", 3)},    {"bmp", 300, {1013, 642}, "BM"},
        {"tiff", 600, {2025, 1284}, QByteArray("II*\0", 4)},
    };
    QTemporaryDir dir;
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.ext) + " " + std::to_string(int(c.dpi)));
        CardHub hub;
        const QString path = dir.filePath(QStringLiteral("card_%1.%2").arg(int(c.dpi)).arg(QLatin1String(c.ext)));
        QString error;
        ASSERT_TRUE(SKTRenderingView::Write_Side_File(hub.side(overlappingSquares()), path, c.dpi, &error))
            << error.toStdString();
        const QByteArray head = headOf(path, 8);
        EXPECT_TRUE(head.startsWith(c.magic) || head.startsWith(QByteArray("MM\0*", 4)));
        const QImage back = QImageReader(path).read();
        ASSERT_EQ(back.size(), c.pixels);
        EXPECT_NEAR(back.dotsPerMeterX() * 0.0254, c.dpi, 1.0) << "the file records the resolution";
        // The red square's far corner (60, 60) in points lands at 60 * dpi / 72 pixels.
        const int edge = int(60 * c.dpi / 72);
        EXPECT_TRUE(coretest::near(back.pixelColor(edge - 2, edge - 2), Qt::red, 12));
        EXPECT_TRUE(coretest::near(back.pixelColor(edge + 2, edge - 2 - int(20 * c.dpi / 72)), Qt::white, 12));
    }
}

TEST(RenderingView, TextAtSixHundredDpiIsPaintedSharpNotEnlarged)
{
    CardHub hub;
    std::vector<std::unique_ptr<SKTGraphic>> controls;
    controls.push_back(textControl(QRectF(10, 10, 220, 60), QStringLiteral("HIHIH"), 28));
    // Share of the ink that is an edge shade: a painted glyph has one pixel of shading at its
    // edges; a 72-dpi glyph enlarged 8 times smears every edge over several pixels.
    auto edgeShare = [](const QImage &image) {
        qint64 partial = 0, full = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const int l = image.pixelColor(x, y).lightness();
                full += l < 25;
                partial += l >= 25 && l < 230;
            }
        return full ? double(partial) / double(full) : 1.0;
    };
    const QImage sharp = SKTRenderingView::image_From_Card_Graphics(hub.side(controls), 600);
    const QImage enlarged = SKTRenderingView::image_From_Card_Graphics(hub.side(controls), 72)
                                .scaled(sharp.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    ASSERT_GT(inkBox(sharp, isDark).width(), 600);
    EXPECT_LT(edgeShare(sharp), 0.15);
    EXPECT_GT(edgeShare(enlarged), 2 * edgeShare(sharp));
}

TEST(RenderingView, PdfPageHasTheCardSizeTextAsTextAndTheShadow)
{
    REQUIRE_TOOL(pdfinfo, "pdfinfo");
    REQUIRE_TOOL(pdftotext, "pdftotext");
    REQUIRE_TOOL(pdftoppm, "pdftoppm");
    CardHub hub;
    auto controls = overlappingSquares();
    controls.push_back(textControl(QRectF(110, 120, 130, 30), QStringLiteral("Jane Example"), 9));
    // A transparent glyph whose blurred blue shadow stands 100 points to its right.
    auto shadow = textControl(QRectF(120, 10, 120, 100), QStringLiteral("I"), 60);
    shadow->txt_clr = Qt::transparent;
    shadow->text_alignmnet = shadow->text_alignmnet_Vert = 0;
    shadow->Drawing_Shadow = true;
    shadow->Shadow_Color = Qt::blue;
    shadow->Shadow_transparency = 1;
    shadow->Shadow_offset_X = 100;
    shadow->Shadow_blur = 3;
    controls.push_back(std::move(shadow));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("card.pdf"));
    QString error;
    ASSERT_TRUE(SKTRenderingView::Write_Side_File(hub.side(controls), path, 300, &error)) << error.toStdString();
    const QString info = QString::fromUtf8(testsupport::runTool(pdfinfo, {path}).out);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+243 x 154 pts")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\b"))));
    EXPECT_TRUE(testsupport::runTool(pdftotext, {path, QStringLiteral("-")}).out.contains("Jane Example"));
    const QImage page = pdfPage(pdftoppm, path, 144);
    ASSERT_EQ(page.size(), QSize(486, 308));
    EXPECT_TRUE(coretest::near(page.pixelColor(100, 100), Qt::red, 10)) << "index 0 over index 1 in the PDF too";
    EXPECT_TRUE(coretest::near(page.pixelColor(160, 160), Qt::blue, 10));
    EXPECT_TRUE(coretest::near(page.pixelColor(10, 290), Qt::white, 10));
    const QRect blue = inkBox(page.copy(220, 0, 266, 220), [](QColor c) { return c.blue() > 200 && c.red() < 120; });
    ASSERT_FALSE(blue.isEmpty()) << "the shadow";
    EXPECT_GE(blue.left() + 220, 2 * 215) << "moved right by the offset";
}

TEST(RenderingView, EpsIsReadByGhostscriptWithTheCardsBoundingBoxAndOutline)
{
    REQUIRE_TOOL(gs, "gs");
    for (const QString &shape : {QStringLiteral("R"), QStringLiteral("E")}) {
        SCOPED_TRACE(shape.toStdString());
        CardHub hub;
        hub.card.setCard_Shape(shape);
        hub.card.setCard_fill_chk(true);
        hub.card.setCard_fill_clr(Qt::green);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("card.eps"));
        ASSERT_TRUE(SKTRenderingView::Write_Side_File(hub.side(overlappingSquares()), path, 144));
        const QByteArray eps = headOf(path, 1 << 20);
        EXPECT_TRUE(eps.startsWith("%!PS-Adobe-3.0 EPSF-3.0\n"));
        EXPECT_TRUE(eps.contains("\n%%BoundingBox: 0 0 243 154\n"));
        const QString out = dir.filePath(QStringLiteral("eps.png"));
        const auto r = testsupport::runTool(gs, {QStringLiteral("-q"), QStringLiteral("-dSAFER"), QStringLiteral("-dBATCH"),
                                                 QStringLiteral("-dNOPAUSE"), QStringLiteral("-dEPSCrop"),
                                                 QStringLiteral("-sDEVICE=png16m"), QStringLiteral("-r144"),
                                                 QStringLiteral("-sOutputFile=") + out, path});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString() << r.out.toStdString();
        EXPECT_FALSE(r.out.contains("Error")) << r.out.toStdString();
        const QImage page(out);
        ASSERT_EQ(page.size(), QSize(486, 308));
        EXPECT_TRUE(coretest::near(page.pixelColor(100, 100), Qt::red, 12));
        EXPECT_TRUE(coretest::near(page.pixelColor(160, 160), Qt::blue, 12));
        EXPECT_TRUE(coretest::near(page.pixelColor(400, 150), Qt::green, 12));
        // Outside an oval card nothing is painted: the page stays white there.
        EXPECT_TRUE(coretest::near(page.pixelColor(3, 3), shape == "R" ? QColor(Qt::green) : QColor(Qt::white), 12));
    }
}

TEST(RenderingView, WritingRefusesWhatItCannotMakeAndKeepsTheOldFile)
{
    CardHub hub;
    QTemporaryDir dir;
    const QString kept = dir.filePath(QStringLiteral("card.gif"));
    {
        QFile f(kept);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    const QString png = dir.filePath(QStringLiteral("card.png"));
    struct Case {
        QString path;
        double dpi;
        QRectF card;
    } cases[] = {
        {kept, 300, {0, 0, 243, 154}}, {dir.filePath(QStringLiteral("missing/card.png")), 300, {0, 0, 243, 154}},
        {png, 0, {0, 0, 243, 154}},    {png, 1e9, {0, 0, 243, 154}},
        {png, 300, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString() + " " + std::to_string(c.dpi));
        CardSide side = hub.side(overlappingSquares());
        side.cardRect = c.card;
        QString error;
        EXPECT_FALSE(SKTRenderingView::Write_Side_File(side, c.path, c.dpi, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(error.contains(QLatin1Char('\n')));
    }
    EXPECT_EQ(headOf(kept, 10), QByteArray("old"));
    EXPECT_FALSE(QFile::exists(png));
}

TEST(RenderingView, TiffOfControlsCoversTheirDrawingBoundsWithTheControlsInside)
{
    CardHub hub;
    int code = -1;
    EXPECT_TRUE(SKTRenderingView::tiffDataWithGraphics({}, &code).isEmpty());
    EXPECT_EQ(code, 3);

    const auto far = filledRect(QRectF(150, 90, 40, 30), Qt::red);
    const QByteArray tiff = SKTRenderingView::tiffDataWithGraphics({far.get()}, &code);
    EXPECT_EQ(code, 0);
    QImage image;
    ASSERT_TRUE(image.loadFromData(tiff, "TIFF"));
    const QRectF drawing = far->drawingBounds();
    EXPECT_EQ(image.size(), QSize(int(std::ceil(drawing.width())), int(std::ceil(drawing.height()))));
    EXPECT_GT(image.width(), 40) << "the drawing bounds, larger than the frame";
    // The control sits inside the picture, not cut away by its card position.
    EXPECT_EQ(image.pixelColor((QRectF(150, 90, 40, 30).center() - drawing.topLeft()).toPoint()), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << "no card under the controls";
}
