// Image, signature and barcode controls: what they load and how they paint it.
#include "CoreTestSupport.h"

#include "core/ImageResolution.h"
#include "core/SKTBarcode.h"
#include "core/SKTImage.h"
#include "core/SKTSignature.h"

#include "TestSupport.h"

#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kindstest;

namespace {

// Left half red, right half blue.
QImage halves(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QPainter p(&image);
    p.fillRect(w / 2, 0, w - w / 2, h, Qt::blue);
    return image;
}

QImage paintOnCard(SKTGraphic &g)
{
    QImage image = coretest::cardImage(243, 154, Qt::white);
    QPainter painter(&image);
    g.drawContentsInView(painter, false);
    return image;
}

QString savePng(const QTemporaryDir &dir, const QString &name, const QImage &image)
{
    const QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path, "PNG"));
    return path;
}

}  // namespace

TEST(ImageControl, TransparencyBlendsThePictureOverTheCard)
{
    struct Case {
        float percent;
        QColor expected;
    } cases[] = {{100, Qt::red}, {50, QColor(255, 127, 127)}, {0, Qt::white}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.percent);
        CardHub hub;
        auto image = SKTImage::initWithPosition(QPointF(60, 60), halves(80, 80));
        image->_file_path = QStringLiteral("/somewhere/photo.png");
        image->img_trnsp_val = c.percent;
        image->_isDrawingStroke = true;
        image->_strokeColor = Qt::black;
        image->_strokeWidth = 2;
        const QImage side = SKTRenderingView::image_From_Card_Graphics(hub.side(SKTGraphicList{image.get()}));
        EXPECT_TRUE(coretest::near(side.pixelColor(40, 60), c.expected, 3)) << side.pixelColor(40, 60).name().toStdString();
        EXPECT_EQ(side.pixelColor(20, 60), QColor(Qt::black)) << "the border shows at any transparency";
    }
}

TEST(ImageControl, PictureIsStretchedToTheBounds)
{
    CardHub hub;
    auto image = SKTImage::initWithPosition(QPointF(0, 0), halves(400, 300));
    image->_file_path = QStringLiteral("/somewhere/photo.png");
    image->_bounds = QRectF(20, 20, 200, 100);
    image->_isDrawingStroke = false;
    const QImage side = paintOnCard(*image);
    EXPECT_EQ(side.pixelColor(25, 25), QColor(Qt::red));
    EXPECT_EQ(side.pixelColor(115, 115), QColor(Qt::red));
    EXPECT_EQ(side.pixelColor(125, 25), QColor(Qt::blue)) << "the halves meet at the middle of the bounds";
    EXPECT_EQ(side.pixelColor(215, 115), QColor(Qt::blue));
    EXPECT_EQ(side.pixelColor(225, 60), QColor(Qt::white));
}

TEST(ImageControl, WithoutAFileOrPictureOnlyTheBorderIsDrawn)
{
    struct Case {
        const char *name;
        QString path;
        bool picture;
    } cases[] = {{"empty path", QString(), true}, {"no picture", QStringLiteral("/x.png"), false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        coretest::RecordingHub hub;
        Library_Selected_Image = c.path;
        auto image = SKTImage::initWithPosition(QPointF(100, 70), c.picture ? halves(80, 60) : QImage());
        Library_Selected_Image.clear();
        image->_bounds = QRectF(60, 40, 80, 60);
        image->_isDrawingStroke = true;
        image->_strokeColor = Qt::green;
        image->_strokeWidth = 2;
        const QImage side = paintOnCard(*image);
        EXPECT_EQ(side.pixelColor(100, 70), QColor(Qt::white));
        EXPECT_EQ(side.pixelColor(60, 70), QColor(Qt::green));
    }
}

TEST(ImageControl, LoadsAFileAsAThumbnailAndAppliesItsSettings)
{
    coretest::RecordingHub hub;
    QTemporaryDir dir;
    const QString path = savePng(dir, QStringLiteral("wide.png"), halves(1000, 400));
    auto image = SKTImage::initWithPath(QPointF(120, 80), path);
    EXPECT_EQ(image->FilePath(), path);
    EXPECT_EQ(image->Text_Value, path) << "the path is the value text too";
    EXPECT_EQ(image->_contents.size(), QSize(500, 200)) << "longer side at most 500 pixels";
    EXPECT_EQ(image->bounds(), QRectF(120 - 250, 80 - 100, 500, 200));
    EXPECT_EQ(image->_contents_with_settings.convertToFormat(QImage::Format_ARGB32),
              image->_contents.convertToFormat(QImage::Format_ARGB32))
        << "the default settings change nothing";

    image->_isFlippedHorizontally = true;
    image->setFileNSImage(path);
    EXPECT_EQ(image->_contents_with_settings.pixelColor(10, 10), QColor(Qt::blue)) << "the flip is in the adjusted picture";
    EXPECT_EQ(image->_contents.pixelColor(10, 10), QColor(Qt::red));

    auto missing = SKTImage::initWithPath(QPointF(30, 40), dir.filePath(QStringLiteral("gone.png")));
    EXPECT_TRUE(missing->_contents.isNull());
    EXPECT_EQ(missing->bounds(), QRectF(30, 40, 0, 0));
    auto tagged = SKTImage::initWithPath_With_ID(QPointF(0, 0), path, QStringLiteral("Fup_Photo"));
    EXPECT_EQ(tagged->control_ID, "Fup_Photo");
}

TEST(ImageControl, NaturalSizeAndFlips)
{
    coretest::RecordingHub hub;
    auto image = SKTImage::initWithPosition(QPointF(0, 0), halves(120, 90));
    image->_bounds = QRectF(15, 25, 40, 40);
    image->flipHorizontally();
    image->flipVertically();
    image->flipVertically();
    EXPECT_TRUE(image->_isFlippedHorizontally);
    EXPECT_FALSE(image->_isFlippedVertically) << "twice is as before";
    image->ctrl_is_locked = true;
    image->makeNaturalSize();
    EXPECT_EQ(image->bounds(), QRectF(15, 25, 40, 40));
    EXPECT_TRUE(image->_isFlippedHorizontally);
    image->ctrl_is_locked = false;
    image->makeNaturalSize();
    EXPECT_EQ(image->bounds(), QRectF(15, 25, 120, 90));
    EXPECT_FALSE(image->_isFlippedHorizontally);
    EXPECT_EQ(image->presentablePropertyNameForKey(SKTImageIsFlippedHorizontallyKey), "Horizontal Flipping");
    EXPECT_TRUE(image->keysForValuesToObserveForUndo().contains(SKTImageIsFlippedVerticallyKey));
}

TEST(ImageControl, CopyCarriesBothPictures)
{
    coretest::RecordingHub hub;
    auto image = SKTImage::initWithPosition(QPointF(50, 50), halves(20, 10));
    image->setFileNSImage_Variable(halves(10, 20));
    const std::unique_ptr<SKTGraphic> copy = image->copyWithZone();
    EXPECT_EQ(copy->className(), "SKTImage");
    EXPECT_EQ(copy->_contents.size(), QSize(20, 10));
    EXPECT_EQ(copy->_contents_with_settings.size(), QSize(10, 20));
    EXPECT_EQ(copy->bounds(), image->bounds());
}

TEST(SignatureControl, SamplePicturesByKind)
{
    testsupport::TempDataFolder folder;
    struct Case {
        QString kind;
        const char *file;
    } cases[] = {{QStringLiteral("S"), "sign_sample.png"},
                 {QStringLiteral("F"), "fingerprints.png"},
                 {QStringLiteral("X"), "fingerprints.png"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.kind.toStdString());
        coretest::RecordingHub hub;
        auto s = SKTSignature::initWithPosition(QPointF(100, 50), halves(60, 20), c.kind);
        EXPECT_TRUE(s->FilePath().endsWith(QLatin1String(c.file)));
        EXPECT_EQ(s->file_path, s->FilePath());
        EXPECT_EQ(s->bounds(), QRectF(70, 40, 60, 20));
        EXPECT_FALSE(s->isDrawingFill());

        s->setFilePath(QStringLiteral("Default"));
        EXPECT_TRUE(s->FilePath().endsWith(QLatin1String(c.file)));
        EXPECT_FALSE(s->_contents_img.isNull()) << "the sample picture exists in the resources";
    }
}

TEST(SignatureControl, ARenderedSideShowsThePictureOfTheStoredPath)
{
    testsupport::TempDataFolder folder;
    CardHub hub;
    QTemporaryDir dir;
    const QString wide = savePng(dir, QStringLiteral("sign.png"), halves(300, 100));
    auto s = SKTSignature::initWithPosition(QPointF(0, 0), QImage(), QStringLiteral("S"));
    s->_bounds = QRectF(20, 20, 150, 100);
    s->_isDrawingStroke = false;
    s->_file_path = wide;  // as the design file or the panel stores it
    auto render = [&] { return SKTRenderingView::image_From_Card_Graphics(hub.side(SKTGraphicList{s.get()})); };
    QImage side = render();
    EXPECT_EQ(side.pixelColor(90, 70), QColor(Qt::red)) << "300 wide squeezed into 150: half width";
    EXPECT_EQ(side.pixelColor(100, 70), QColor(Qt::blue));

    s->_file_path = dir.filePath(QStringLiteral("none.png"));
    s->_isDrawingStroke = true;
    s->_strokeColor = Qt::green;
    s->_strokeWidth = 2;
    side = render();
    EXPECT_EQ(side.pixelColor(90, 70), QColor(Qt::white));
    EXPECT_EQ(side.pixelColor(20, 70), QColor(Qt::green)) << "only the border";
    s->ctrl_is_visible = false;
    EXPECT_EQ(render().pixelColor(20, 70), QColor(Qt::white));
    EXPECT_EQ(hub.refreshes, 0);
}

TEST(BarcodeControl, PictureIsDrawnWholeAtItsOwnSizeWithoutSmoothing)
{
    coretest::RecordingHub hub;
    auto b = SKTBarcode::initWithPosition(QPointF(40, 30), QImage());
    EXPECT_EQ(b->bounds(), QRectF(40, 30, 0, 0)) << "no picture yet";

    // Bars one pixel wide, alternating, 180 x 60.
    QImage bars(180, 60, QImage::Format_ARGB32);
    for (int x = 0; x < 180; ++x)
        for (int y = 0; y < 60; ++y)
            bars.setPixelColor(x, y, x % 2 ? Qt::white : Qt::black);
    b->Set_Barcode_image(bars);
    EXPECT_EQ(b->bounds(), QRectF(40, 30, 180, 60));
    b->_bounds = QRectF(40, 30, 100, 40);  // bounds smaller than the picture
    const QImage side = paintOnCard(*b);
    for (int x = 40; x < 220; ++x)
        ASSERT_EQ(side.pixelColor(x, 85), x % 2 ? QColor(Qt::white) : QColor(Qt::black)) << x;
    EXPECT_FALSE(b->isDrawingFill());
    EXPECT_FALSE(b->isDrawingStroke());
}

TEST(BarcodeControl, ThreeHundredDpiPictureKeepsItsSizeInPointsAndItsBars)
{
    CardHub hub;
    // As the barcode renderer makes it: 300 dpi recorded in dots per metre.
    QImage bars(900, 150, QImage::Format_ARGB32_Premultiplied);
    for (int x = 0; x < 900; ++x)
        for (int y = 0; y < 150; ++y)
            bars.setPixelColor(x, y, (x / 3) % 2 ? Qt::white : Qt::black);
    bars.setDotsPerMeterX(qRound(300 / 0.0254));
    bars.setDotsPerMeterY(qRound(300 / 0.0254));
    SKTBarcode b;
    b._bounds = QRectF(10, 20, 1, 1);
    b.Set_Barcode_image(bars);
    EXPECT_NEAR(b.width(), 216, 1e-9) << "900 pixels at 300 dpi";
    EXPECT_NEAR(b.height(), 36, 1e-9);
    EXPECT_EQ(Image_Size_In_Points(b._barcode_image), QSizeF(216, 36));

    // At the picture's own resolution the rendered side holds the bars pixel for pixel.
    const QImage side = SKTRenderingView::image_From_Card_Graphics(hub.side(SKTGraphicList{&b}), 300);
    const QPoint origin(int(10 * 300 / 72.0 + 0.5), int(20 * 300 / 72.0 + 0.5));
    int mismatches = 0;
    for (int x = 0; x < 900; ++x)
        mismatches += side.pixelColor(origin.x() + x, origin.y() + 75) != bars.pixelColor(x, 75);
    EXPECT_LE(mismatches, 2) << "no smoothing at the bars' edges";
}

TEST(PictureResolution, SizeInPointsFollowsTheRecordedResolution)
{
    struct Case {
        int dotsPerMeter;  // 0: never set
        QSizeF points;
    } cases[] = {
        {0, {300, 150}}, {2835, {300, 150}}, {qRound(150 / 0.0254), {144, 72}},
        {qRound(600 / 0.0254), {36, 18}}, {-5, {300, 150}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.dotsPerMeter);
        QImage image(300, 150, QImage::Format_ARGB32);
        if (c.dotsPerMeter != 0) {
            image.setDotsPerMeterX(c.dotsPerMeter);
            image.setDotsPerMeterY(c.dotsPerMeter);
        }
        EXPECT_EQ(Image_Size_In_Points(image), c.points);
    }
    EXPECT_EQ(Image_Size_In_Points(QImage()), QSizeF(0, 0));
    EXPECT_EQ(Pixel_Size_For_Points(QSizeF(243, 154), 600), QSize(2025, 1284));
    EXPECT_EQ(Pixel_Size_For_Points(QSizeF(243, 154), 72), QSize(243, 154));
}
