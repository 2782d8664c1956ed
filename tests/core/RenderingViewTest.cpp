// The side renderer: what is on a rendered side, at which resolution, and in which files.
#include "CoreTestSupport.h"

#include "core/DocumentFiles.h"
#include "core/SKTImage.h"
#include "core/SKTText.h"

#include "TestSupport.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kindstest;
using coretest::near;
using testsupport::runTool;

namespace {

// A red square at 20..60 over a blue one at 40..100, on the card.
std::vector<std::unique_ptr<SKTGraphic>> overlappingSquares()
{
    std::vector<std::unique_ptr<SKTGraphic>> out;
    out.push_back(filledRect(QRectF(20, 20, 40, 40), Qt::red));
    out.push_back(filledRect(QRectF(40, 40, 60, 60), Qt::blue));
    return out;
}

std::unique_ptr<SKTText> textControl(const QRectF &bounds, const char *value, int size)
{
    auto text = std::make_unique<SKTText>();
    text->_bounds = bounds;
    text->text_ctrl_font = QFont(QStringLiteral("DejaVu Sans"), size, QFont::Bold);
    text->txt_clr = Qt::black;
    text->Set_text_value(QString::fromLatin1(value));
    return text;
}

// Share of the ink that is an edge shade: glyphs painted at the device's resolution shade one
// pixel at their edges; glyphs painted at 72 dpi and enlarged smear every edge over several.
double edgeShare(const QImage &image)
{
    double partial = 0, full = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int l = image.pixelColor(x, y).lightness();
            (l < 25 ? full : partial) += l < 230;
        }
    return partial / std::max(full, 1.0);
}

QStringList words(const char *line) { return QString::fromLatin1(line).split(QLatin1Char(' ')); }

}  // namespace

TEST(RenderingView, StackingVisibilityPrintingAndTheCard)
{
    enum Mark { None, Hidden, NotPrinted, Border };
    const struct {
        Mark mark;  // of the red square, index 0, or the card
        QColor at30, at50, top;
    } cases[] = {
        {None, Qt::red, Qt::red, Qt::white},          {Hidden, Qt::white, Qt::blue, Qt::white},
        {NotPrinted, Qt::white, Qt::blue, Qt::white}, {Border, Qt::red, Qt::red, Qt::black},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.mark);
        CardHub hub;
        auto squares = overlappingSquares();
        squares[0]->ctrl_is_visible = c.mark != Hidden;
        squares[0]->print_object = c.mark == NotPrinted;
        hub.card.setCard_border_chk(c.mark == Border);
        hub.card.setCard_bor_Stepper(4);
        const CardSide side = hub.side(squares);
        const QImage image = Card_Design_image_From_Card_Graphics(&side);
        ASSERT_EQ(image.size(), QSize(243, 154));
        EXPECT_EQ(image.pixelColor(30, 30), c.at30);
        EXPECT_EQ(image.pixelColor(50, 50), c.at50);
        EXPECT_EQ(image.pixelColor(120, 0), c.top) << "the border over the card base";
        EXPECT_EQ(hub.refreshes, 0) << "a render is not a canvas: no refresh is asked for";
    }
    EXPECT_TRUE(Card_Design_image_From_Card_Graphics(nullptr).isNull());
}

TEST(RenderingView, FilesHoldTheCardAtTheirResolutionAsTheirReadersSeeIt)
{
    REQUIRE_IMAGE_FORMAT("tiff");
    REQUIRE_TOOL(pdfinfo, "pdfinfo");
    REQUIRE_TOOL(pdftotext, "pdftotext");
    REQUIRE_TOOL(pdftoppm, "pdftoppm");
    REQUIRE_TOOL(gs, "gs");
    // PDF and EPS pages are read back by pdftoppm and ghostscript at the case's resolution.
    const QSize at144(486, 308), at300(1013, 642), at600(2025, 1284);
    struct Case {
        const char *ext;
        double dpi;
        QSize pixels;
        QByteArray head;
        QString shape;
    } cases[] = {
        {"png", 72, {243, 154}, QByteArray("\x89PNG\r\n\x1a\n", 8), "R"}, {"png", 600, at600, "\x89PNG", "R"},
        {"jpg", 300, at300, QByteArray("\xff\xd8\xff", 3), "R"},          {"bmp", 300, at300, "BM", "R"},
        {"tiff", 600, at600, QByteArray("II*\0", 4), "R"},                {"pdf", 144, at144, "%PDF-", "R"},
        {"eps", 300, at300, "%!PS-Adobe-3.0 EPSF-3.0\n", "R"},            {"eps", 300, at300, "%!PS", "E"},
    };
    QTemporaryDir dir;
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.ext) + " " + std::to_string(int(c.dpi)) + " " + c.shape.toStdString());
        CardHub hub;
        hub.card.setCard_Shape(c.shape);
        hub.card.setCard_fill_chk(true);
        hub.card.setCard_fill_clr(Qt::green);
        auto controls = overlappingSquares();
        auto name = textControl(QRectF(110, 120, 130, 30), "Jane Example", 9);
        name->_isDrawingFill = true;
        name->_fillColor = Qt::white;
        controls.push_back(std::move(name));
        // A transparent glyph whose blurred blue shadow stands 100 points to its right.
        auto shadow = textControl(QRectF(120, 10, 120, 100), "I", 60);
        shadow->txt_clr = Qt::transparent;
        shadow->text_alignmnet = shadow->text_alignmnet_Vert = 0;
        shadow->Drawing_Shadow = true;
        shadow->Shadow_Color = Qt::blue;
        shadow->Shadow_transparency = 1;
        shadow->Shadow_offset_X = 100;
        shadow->Shadow_blur = 3;
        controls.push_back(std::move(shadow));
        const QString ext = QLatin1String(c.ext);
        const QString path = dir.filePath(QStringLiteral("card_%1%2.%3").arg(int(c.dpi)).arg(c.shape, ext));
        QString error;
        ASSERT_TRUE(SKTRenderingView::Write_Side_File(hub.side(controls), path, c.dpi, &error))
            << error.toStdString();
        const QByteArray head = headOf(path, 1 << 20);
        EXPECT_TRUE(head.startsWith(c.head) || head.startsWith(QByteArray("MM\0*", 4)));
        QString read = path;
        if (ext == "pdf") {
            const QString info = QString::fromUtf8(runTool(pdfinfo, {path}).out);
            EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+243 x 154 pts"))));
            EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\b"))));
            EXPECT_TRUE(runTool(pdftotext, {path, QStringLiteral("-")}).out.contains("Jane Example"));
            read = path + ".png";
            const auto r = runTool(pdftoppm, words("-r 144 -png -singlefile") << path << path);
            ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        } else if (ext == "eps") {
            EXPECT_TRUE(head.contains("\n%%BoundingBox: 0 0 243 154\n"));
            read = path + ".png";
            const auto r = runTool(gs, words("-q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -sDEVICE=png16m -r300")
                                           << "-sOutputFile=" + read << path);
            ASSERT_EQ(r.exitCode, 0) << r.err.toStdString() << r.out.toStdString();
            EXPECT_FALSE(r.out.contains("Error")) << r.out.toStdString();
        }
        const QImage back = QImageReader(read).read();
        ASSERT_EQ(back.size(), c.pixels);
        EXPECT_NEAR(back.dotsPerMeterX() * 0.0254, c.dpi, 1.0) << "the file records the resolution";
        const double k = c.dpi / 72;  // pixels a point
        const auto at = [&](double x, double y) { return back.pixelColor((QPointF(x, y) * k).toPoint()); };
        EXPECT_TRUE(near(at(50, 50), Qt::red, 12)) << "index 0 over index 1";
        EXPECT_TRUE(near(at(80, 80), Qt::blue, 12));
        EXPECT_TRUE(near(at(62, 38), Qt::green, 12)) << "the card beside the red square's edge";
        EXPECT_TRUE(near(at(1.5, 1.5), c.shape == "R" ? QColor(Qt::green) : QColor(Qt::white), 12))
            << "outside an oval card nothing is painted";
        const auto isBlue = [](QColor p) { return p.blue() > 200 && p.red() < 120 && p.green() < 120; };
        const QRect blue = inkBox(back.copy(int(110 * k), 0, int(133 * k), int(110 * k)), isBlue);
        ASSERT_FALSE(blue.isEmpty()) << "the shadow";
        EXPECT_GE(blue.left() / k + 110, 215) << "moved right by the offset";
        const QImage text = back.copy(QRect(QPoint(110, 120) * k, QSize(130, 30) * k));
        EXPECT_TRUE(c.dpi == 72 || edgeShare(text) < 1.0) << "text painted at the resolution, not enlarged";
    }
}

TEST(RenderingView, WritingRefusesWhatItCannotMakeAndKeepsTheOldFile)
{
    CardHub hub;
    QTemporaryDir dir;
    const QString kept = dir.filePath(QStringLiteral("card.gif"));
    const QString png = dir.filePath(QStringLiteral("card.png"));
    QFile old(kept);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    const QRectF card(0, 0, 243, 154);
    const struct {
        QString path;
        double dpi;
        QRectF card;
    } cases[] = {
        {kept, 300, card}, {dir.filePath(QStringLiteral("missing/card.png")), 300, card},
        {png, 0, card},    {png, 1e9, card}, {png, 300, {}},
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

TEST(RenderingView, EpsOfHostileNumbersHoldsOnlyNumbersGhostscriptReads)
{
    REQUIRE_TOOL(gs, "gs");
    const double huge = 1e300, inf = qInf(), nan = qQNaN();
    QImage picture(4, 4, QImage::Format_ARGB32);
    picture.fill(QColor(255, 0, 0, 128));
    const std::function<void(QPainter &)> cases[] = {
        [&](QPainter &p) { p.scale(huge, huge), p.drawRect(QRectF(1, 1, 2, 2)); },
        [&](QPainter &p) { p.setPen(QPen(Qt::red, inf)), p.drawLine(QLineF(0, 0, 50, 50)); },
        [&](QPainter &p) { p.setPen(QPen(Qt::red, huge)), p.drawRect(QRectF(huge, -huge, huge, 1)); },
        [&](QPainter &p) { p.setOpacity(0.5), p.setBrush(Qt::blue), p.drawEllipse(QRectF(nan, 0, 10, inf)); },
        [&](QPainter &p) {
            QPen pen(Qt::blue, 2, Qt::DashLine);
            pen.setDashPattern({huge, nan, 1e-300, 2});
            p.setPen(pen), p.drawLine(QLineF(0, 0, 80, 10));
        },
        [&](QPainter &p) { p.setClipRect(QRectF(0, 0, huge, huge)), p.drawImage(QRectF(0, 0, nan, 10), picture); },
        [&](QPainter &p) { p.setTransform(QTransform(1e-30, 0, 0, 1e-30, 0, 0)), p.drawText(QPointF(5, 50), "Ink"); },
        [&](QPainter &p) { p.rotate(nan), p.fillRect(QRectF(0, 0, 50, 50), QLinearGradient(0, 0, inf, 0)); },
    };
    for (const auto &paint : cases) {
        const QByteArray eps = Eps_Page_Data(QSizeF(100, 60), QStringLiteral("T"), 72, {}, paint);
        ASSERT_TRUE(eps.startsWith("%!PS-Adobe-3.0 EPSF-3.0\n"));
        for (const QByteArray &word : eps.simplified().split(' ')) {
            bool number = false;  // "nan" and "inf" read as numbers here, and fail the bound
            const double v = word.toDouble(&number);
            EXPECT_TRUE(!number || std::abs(v) <= 1e7) << word.toStdString();
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("h.eps"));
        ASSERT_TRUE(Write_Whole_File(path, eps));
        const auto r = runTool(gs, words("-q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -sDEVICE=nullpage") << path);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_FALSE(r.out.contains("Error")) << r.out.toStdString() << eps.toStdString();
    }
}

TEST(RenderingView, TiffOfControlsCoversTheirDrawingBoundsWithTheControlsInside)
{
    REQUIRE_IMAGE_FORMAT("tiff");
    CardHub hub;
    int code = -1;
    const QRectF frame(150, 90, 40, 30);
    const auto far = filledRect(frame, Qt::red);
    QImage image;
    ASSERT_TRUE(image.loadFromData(SKTRenderingView::tiffDataWithGraphics({far.get()}, &code), "TIFF"));
    EXPECT_EQ(code, 0);
    const QRectF drawing = far->drawingBounds();
    EXPECT_EQ(image.size(), drawing.toAlignedRect().size());
    EXPECT_GT(image.width(), 40) << "the drawing bounds, larger than the frame";
    // The control sits inside the picture, not cut away by its card position.
    EXPECT_EQ(image.pixelColor((frame.center() - drawing.topLeft()).toPoint()), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << "no card under the controls";
}

// A picture on a side's pixels covers its rectangle to the pixel at every resolution; the same
// picture shown again (as on every row of a run) gives the same pixels, and another picture of
// the same size is never shown from the first one's scaled copy.
TEST(RenderingView, PicturesCoverTheirRectangleAndEachShowsItself)
{
    auto pictureOf = [](QColor left, QColor right) {
        QImage picture(400, 500, QImage::Format_RGB32);
        picture.fill(left);
        QPainter(&picture).fillRect(200, 0, 200, 500, right);
        return picture;
    };
    auto sideWith = [](const QImage &picture) {
        std::vector<std::unique_ptr<SKTGraphic>> controls;
        controls.push_back(SKTImage::initWithPosition(QPointF(50, 70), picture));
        controls.back()->_bounds = QRectF(12.3, 12.6, 80, 100);
        controls.back()->_file_path = QStringLiteral("photo.png");
        Card_Property card;
        card.setCard_Size(QSizeF(243, 154));
        return CardSide::copyOf(card, controls);
    };
    const QImage redBlue = pictureOf(Qt::red, Qt::blue), greenYellow = pictureOf(Qt::green, Qt::yellow);
    for (const double dpi : {72.0, 300.0, 600.0}) {
        SCOPED_TRACE(dpi);
        const double s = dpi / 72.0;
        const QImage first = SKTRenderingView::image_From_Card_Graphics(sideWith(redBlue), dpi);
        EXPECT_EQ(SKTRenderingView::image_From_Card_Graphics(sideWith(redBlue), dpi), first);
        const QImage other = SKTRenderingView::image_From_Card_Graphics(sideWith(greenYellow), dpi);
        const QPoint leftInside((12.3 + 10) * s, (12.6 + 50) * s), rightInside((12.3 + 70) * s, (12.6 + 50) * s);
        EXPECT_EQ(first.pixelColor(leftInside), QColor(Qt::red));
        EXPECT_EQ(first.pixelColor(rightInside), QColor(Qt::blue));
        EXPECT_EQ(other.pixelColor(leftInside), QColor(Qt::green));
        EXPECT_EQ(other.pixelColor(rightInside), QColor(Qt::yellow));
        // The edges land within a pixel of the rectangle's.
        int left = first.width(), right = -1;
        const int row = int((12.6 + 50) * s);
        const QColor card = first.pixelColor(first.width() / 2 + 10, row);
        for (int x = 1; x < int((12.3 + 100) * s); ++x)  // inside the card's own edge
            if (first.pixelColor(x, row) != card)
                left = std::min(left, x), right = std::max(right, x);
        EXPECT_NEAR(left, 12.3 * s, 1.0);
        EXPECT_NEAR(right + 1, (12.3 + 80) * s, 1.0);
    }
}
