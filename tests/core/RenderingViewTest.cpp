// The side renderer: what is on a rendered side, at which resolution, and in which files.
#include "KindsTestSupport.h"

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

struct Side {
    std::vector<std::unique_ptr<SKTGraphic>> owned;
    SKTGraphicList list() const { return Graphic_Pointers(owned); }
    SKTGraphic *add(std::unique_ptr<SKTGraphic> g)
    {
        owned.push_back(std::move(g));
        return owned.back().get();
    }
};

// A red square at 20..60 over a blue one at 40..100, on the white card.
Side overlappingSquares()
{
    Side side;
    side.add(filledRect(QRectF(20, 20, 40, 40), Qt::red));
    side.add(filledRect(QRectF(40, 40, 60, 60), Qt::blue));
    return side;
}

}  // namespace

TEST(RenderingView, IndexZeroIsPaintedOverIndexOne)
{
    CardHub hub;
    const Side side = overlappingSquares();
    const QImage image = SKTRenderingView::image_From_Card_Graphics(side.list());
    ASSERT_EQ(image.size(), QSize(243, 154));
    EXPECT_EQ(image.pixelColor(50, 50), QColor(Qt::red)) << "the overlap shows index 0";
    EXPECT_EQ(image.pixelColor(80, 80), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(200, 130), QColor(Qt::white)) << "the card base";
}

TEST(RenderingView, HiddenAndNonPrintingControlsAreAbsent)
{
    struct Case {
        const char *name;
        std::function<void(SKTGraphic &)> mark;
        bool shown;
    } cases[] = {
        {"plain", [](SKTGraphic &) {}, true},
        {"hidden", [](SKTGraphic &g) { g.ctrl_is_visible = false; }, false},
        {"not printed", [](SKTGraphic &g) { g.print_object = 1; }, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        CardHub hub;
        Side side = overlappingSquares();
        c.mark(*side.owned[0]);
        const QImage image = SKTRenderingView::image_From_Card_Graphics(side.list());
        EXPECT_EQ(image.pixelColor(30, 30), c.shown ? QColor(Qt::red) : QColor(Qt::white));
        EXPECT_EQ(image.pixelColor(50, 50), c.shown ? QColor(Qt::red) : QColor(Qt::blue));
        EXPECT_EQ(hub.refreshes, 0) << "a render is not a canvas: no refresh is asked for";
    }
}

TEST(RenderingView, ResolutionGivesPixelSizeAndIsRecorded)
{
    struct Case {
        double dpi;
        QSize pixels;
    } cases[] = {{72, {243, 154}}, {300, {1013, 642}}, {600, {2025, 1284}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.dpi);
        CardHub hub;
        const Side side = overlappingSquares();
        const QImage image = SKTRenderingView::image_From_Card_Graphics(side.list(), c.dpi);
        ASSERT_EQ(image.size(), c.pixels);
        EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, c.dpi, 0.05);
        // The red square's far corner (60, 60) in points lands at 60 * dpi / 72 pixels.
        const int edge = int(60 * c.dpi / 72);
        EXPECT_EQ(image.pixelColor(edge - 2, edge - 2), QColor(Qt::red));
        EXPECT_EQ(image.pixelColor(edge + 2, edge - 2 - int(20 * c.dpi / 72)), QColor(Qt::white));
    }
}

TEST(RenderingView, TextAtSixHundredDpiIsPaintedSharpNotEnlarged)
{
    CardHub hub;
    Side side;
    auto text = std::make_unique<SKTText>();
    text->_bounds = QRectF(10, 10, 220, 60);
    text->text_ctrl_font = QFont(QStringLiteral("DejaVu Sans"), 28, QFont::Bold);
    text->txt_clr = Qt::black;
    text->Set_text_value(QStringLiteral("HIHIH"));
    side.add(std::move(text));
    // Share of the ink that is an edge shade: a painted glyph has one pixel of shading at its
    // edges; a 72-dpi glyph enlarged 8 times smears every edge over several pixels.
    auto edgeShare = [](const QImage &image) {
        qint64 partial = 0, full = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const int l = image.pixelColor(x, y).lightness();
                if (l < 25)
                    ++full;
                else if (l < 230)
                    ++partial;
            }
        }
        return full ? double(partial) / double(full) : 1.0;
    };
    const QImage sharp = SKTRenderingView::image_From_Card_Graphics(side.list(), 600);
    const QImage enlarged = SKTRenderingView::image_From_Card_Graphics(side.list(), 72)
                                .scaled(sharp.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    ASSERT_GT(inkBox(sharp, isDark).width(), 600);
    EXPECT_LT(edgeShare(sharp), 0.15);
    EXPECT_GT(edgeShare(enlarged), 2 * edgeShare(sharp));
}

TEST(RenderingView, RasterFilesBeginWithTheirMagicAndReadBackAtSize)
{
    struct Case {
        const char *ext;
        QByteArray magic;
        QByteArray otherMagic;
    } cases[] = {
        {"png", QByteArray("\x89PNG\r\n\x1a\n", 8), {}},
        {"jpg", QByteArray("\xff\xd8\xff", 3), {}},
        {"bmp", QByteArray("BM"), {}},
        {"tiff", QByteArray("II*\0", 4), QByteArray("MM\0*", 4)},
    };
    QTemporaryDir dir;
    for (const auto &c : cases) {
        for (double dpi : {300.0, 600.0}) {
            SCOPED_TRACE(std::string(c.ext) + " " + std::to_string(int(dpi)));
            CardHub hub;
            const Side side = overlappingSquares();
            const QString path = dir.filePath(QStringLiteral("card_%1.%2").arg(int(dpi)).arg(QLatin1String(c.ext)));
            QString error;
            ASSERT_TRUE(SKTRenderingView::Write_Side_File(side.list(), path, dpi, &error)) << error.toStdString();
            const QByteArray head = headOf(path, 8);
            EXPECT_TRUE(head.startsWith(c.magic) || (!c.otherMagic.isEmpty() && head.startsWith(c.otherMagic)));
            QImageReader reader(path);
            const QImage back = reader.read();
            ASSERT_FALSE(back.isNull()) << reader.errorString().toStdString();
            EXPECT_EQ(back.size(), dpi == 600 ? QSize(2025, 1284) : QSize(1013, 642));
            EXPECT_NEAR(back.dotsPerMeterX() * 0.0254, dpi, 1.0) << "the file records the resolution";
            const QPoint red(int(40 * dpi / 72), int(30 * dpi / 72));
            EXPECT_TRUE(coretest::near(back.pixelColor(red), Qt::red, 12));
        }
    }
}

TEST(RenderingView, PdfPageHasTheCardSizeAndShowsTheControls)
{
    REQUIRE_TOOL(pdfinfo, "pdfinfo");
    REQUIRE_TOOL(pdftoppm, "pdftoppm");
    CardHub hub;
    const Side side = overlappingSquares();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("card.pdf"));
    QString error;
    ASSERT_TRUE(SKTRenderingView::Write_Side_File(side.list(), path, 300, &error)) << error.toStdString();
    EXPECT_TRUE(headOf(path, 5).startsWith("%PDF-"));
    const auto info = testsupport::runTool(pdfinfo, {path});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(info.out).contains(QRegularExpression(QStringLiteral("Page size:\\s+243 x 154 pts"))))
        << info.out.toStdString();
    EXPECT_TRUE(QString::fromUtf8(info.out).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\b"))));
    const auto png = testsupport::runTool(pdftoppm, {QStringLiteral("-r"), QStringLiteral("144"), QStringLiteral("-png"),
                                                     QStringLiteral("-singlefile"), path, dir.filePath(QStringLiteral("page"))});
    ASSERT_EQ(png.exitCode, 0) << png.err.toStdString();
    const QImage page(dir.filePath(QStringLiteral("page.png")));
    ASSERT_EQ(page.size(), QSize(486, 308));
    EXPECT_TRUE(coretest::near(page.pixelColor(100, 100), Qt::red, 10)) << "index 0 over index 1 in the PDF too";
    EXPECT_TRUE(coretest::near(page.pixelColor(160, 160), Qt::blue, 10));
    EXPECT_TRUE(coretest::near(page.pixelColor(400, 260), Qt::white, 10));
}

TEST(RenderingView, PdfKeepsTextAsText)
{
    REQUIRE_TOOL(pdftotext, "pdftotext");
    CardHub hub;
    Side side;
    auto text = std::make_unique<SKTText>();
    text->_bounds = QRectF(10, 10, 220, 40);
    text->text_ctrl_font = QFont(QStringLiteral("DejaVu Sans"), 16);
    text->Set_text_value(QStringLiteral("Jane Example"));
    side.add(std::move(text));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("text.pdf"));
    ASSERT_TRUE(SKTRenderingView::Write_Side_File(side.list(), path, 72));
    const auto r = testsupport::runTool(pdftotext, {path, QStringLiteral("-")});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains("Jane Example")) << r.out.toStdString();
}

TEST(RenderingView, BlurredShadowReachesThePdfPage)
{
    REQUIRE_TOOL(pdftoppm, "pdftoppm");
    CardHub hub;
    Side side;
    auto text = std::make_unique<SKTText>();
    text->_bounds = QRectF(20, 20, 200, 100);
    text->text_ctrl_font = QFont(QStringLiteral("DejaVu Sans"), 60, QFont::Black);
    text->txt_clr = Qt::transparent;
    text->Set_text_value(QStringLiteral("I"));
    text->text_alignmnet = 0;
    text->text_alignmnet_Vert = 0;
    text->Drawing_Shadow = true;
    text->Shadow_Color = Qt::blue;
    text->Shadow_transparency = 1;
    text->Shadow_offset_X = 100;
    text->Shadow_offset_Y = 0;
    text->Shadow_blur = 3;
    side.add(std::move(text));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shadow.pdf"));
    ASSERT_TRUE(SKTRenderingView::Write_Side_File(side.list(), path, 72));
    const auto r = testsupport::runTool(pdftoppm, {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                                                   QStringLiteral("-singlefile"), path, dir.filePath(QStringLiteral("p"))});
    ASSERT_EQ(r.exitCode, 0);
    const QImage page(dir.filePath(QStringLiteral("p.png")));
    const QRect shadow = inkBox(page, [](QColor c) { return c.blue() > 200 && c.red() < 120; });
    ASSERT_FALSE(shadow.isEmpty());
    EXPECT_GE(shadow.left(), 115) << "moved right by the offset";
    EXPECT_TRUE(inkBox(page.copy(0, 0, 110, 154), [](QColor c) { return c.lightness() < 230; }).isEmpty())
        << "the text itself is transparent";
}

TEST(RenderingView, EpsIsReadByGhostscriptWithTheCardsBoundingBox)
{
    REQUIRE_TOOL(gs, "gs");
    struct Case {
        int shape;
        bool cornerPainted;
    } cases[] = {{0, true}, {2, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.shape);
        CardHub hub;
        hub.shape = c.shape;
        hub.card.setCard_fill_chk(true);
        hub.card.setCard_fill_clr(Qt::green);
        const Side side = overlappingSquares();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("card.eps"));
        QString error;
        ASSERT_TRUE(SKTRenderingView::Write_Side_File(side.list(), path, 144, &error)) << error.toStdString();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray eps = file.readAll();
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
        EXPECT_TRUE(coretest::near(page.pixelColor(3, 3), c.cornerPainted ? QColor(Qt::green) : QColor(Qt::white), 12));
    }
}

TEST(RenderingView, WritingRefusesWhatItCannotMakeAndKeepsTheOldFile)
{
    CardHub hub;
    const Side side = overlappingSquares();
    QTemporaryDir dir;
    const QString kept = dir.filePath(QStringLiteral("card.gif"));
    {
        QFile f(kept);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    struct Case {
        QString path;
        double dpi;
    } cases[] = {
        {kept, 300},
        {dir.filePath(QStringLiteral("missing/card.png")), 300},
        {dir.filePath(QStringLiteral("card.png")), 0},
        {dir.filePath(QStringLiteral("card.png")), 1e9},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString() + " " + std::to_string(c.dpi));
        QString error;
        EXPECT_FALSE(SKTRenderingView::Write_Side_File(side.list(), c.path, c.dpi, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(error.contains(QLatin1Char('\n')));
    }
    EXPECT_EQ(headOf(kept, 10), QByteArray("old"));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("card.png"))));
}

TEST(RenderingView, TiffOfControlsCoversTheirDrawingBoundsWithTheControlsInside)
{
    CardHub hub;
    int code = -1;
    EXPECT_TRUE(SKTRenderingView::tiffDataWithGraphics({}, &code).isEmpty());
    EXPECT_EQ(code, 3);

    Side side;
    SKTGraphic *far = side.add(filledRect(QRectF(150, 90, 40, 30), Qt::red));
    const QByteArray tiff = SKTRenderingView::tiffDataWithGraphics(side.list(), &code);
    ASSERT_FALSE(tiff.isEmpty());
    EXPECT_EQ(code, 0);
    QImage image;
    ASSERT_TRUE(image.loadFromData(tiff, "TIFF"));
    const QRectF drawing = far->drawingBounds();
    EXPECT_EQ(image.size(), QSize(int(std::ceil(drawing.width())), int(std::ceil(drawing.height()))));
    EXPECT_GT(image.width(), 40) << "the drawing bounds, larger than the frame";
    // The control sits inside the picture, not cut away by its card position.
    const QPointF centre = QRectF(150, 90, 40, 30).center() - drawing.topLeft();
    EXPECT_EQ(image.pixelColor(centre.toPoint()), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << "no card under the controls";
}

TEST(RenderingView, EmptyListGivesTheBareCardAndNoListGivesNothing)
{
    CardHub hub;
    hub.card.setCard_border_chk(true);
    hub.card.setCard_bordr_clr(Qt::black);
    hub.card.setCard_bor_Stepper(4);
    const QImage image = SKTRenderingView::image_From_Card_Graphics({});
    ASSERT_EQ(image.size(), QSize(243, 154));
    EXPECT_EQ(image.pixelColor(120, 77), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(120, 0), QColor(Qt::black)) << "the border";
    EXPECT_TRUE(Card_Design_image_From_Card_Graphics(nullptr).isNull());
    const SKTGraphicList none;
    EXPECT_EQ(Card_Design_image_From_Card_Graphics(&none).size(), QSize(243, 154));
}

TEST(RenderingView, DrawIntoScalesTheSideIntoAnyTarget)
{
    CardHub hub;
    const Side side = overlappingSquares();
    const SKTRenderingView view(SKTRenderingView::cardFrame(), side.list(), QStringLiteral("Print"));
    QImage sheet(600, 400, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::gray);
    QPainter painter(&sheet);
    view.drawInto(painter, QRectF(100, 50, 486, 308));  // twice the card's size
    painter.end();
    EXPECT_EQ(sheet.pixelColor(50, 50), QColor(Qt::gray)) << "outside the target";
    EXPECT_EQ(sheet.pixelColor(100 + 60, 50 + 60), QColor(Qt::red));
    EXPECT_EQ(sheet.pixelColor(100 + 170, 50 + 170), QColor(Qt::blue));
}
