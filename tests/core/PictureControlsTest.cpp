// Image, signature and barcode controls: what they load and how they paint it.
#include "CoreTestSupport.h"

#include "core/ArchiveValues.h"
#include "core/DesignFile.h"
#include "core/Globals.h"
#include "core/ControllerImageFiles.h"
#include "core/PictureServices.h"
#include "core/SKTBarcode.h"
#include "core/SKTImage.h"
#include "core/SKTSignature.h"

#include "TestSupport.h"
#include "platform/Plist.h"

#include <QImageReader>
#include <QFileInfo>
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
    QPainter(&image).fillRect(w / 2, 0, w - w / 2, h, Qt::blue);
    return image;
}

QString savePng(const QTemporaryDir &dir, const QString &name, const QImage &image)
{
    const QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path, "PNG"));
    return path;
}

QImage render(const CardHub &hub, SKTGraphic &g, double dpi = 72)
{
    return SKTRenderingView::image_From_Card_Graphics(hub.side(SKTGraphicList{&g}), dpi);
}

}  // namespace

TEST(ImageControl, PictureIsStretchedAndBlendedOverTheCardInsideItsBorder)
{
    testsupport::TempDataFolder folder;
    QTemporaryDir dir;
    const QString file = savePng(dir, QStringLiteral("photo.png"), halves(400, 300));
    const QColor white(Qt::white);
    // A signature shows the picture of its stored path, as the design file or the panel stores it.
    struct Case {
        const char *name;
        bool signature;
        QString path;
        bool picture, visible;
        float percent;
        QColor left, right, border;
    } cases[] = {
        {"opaque", false, file, true, true, 100, Qt::red, Qt::blue, Qt::green},
        {"half", false, file, true, true, 50, QColor(255, 127, 127), QColor(127, 127, 255), Qt::green},
        {"transparent", false, file, true, true, 0, white, white, Qt::green},
        {"empty path", false, "", true, true, 100, white, white, Qt::green},
        {"no picture", false, file, false, true, 100, white, white, Qt::green},
        {"signature", true, file, false, true, 100, Qt::red, Qt::blue, Qt::green},
        {"signature, file gone", true, file + "-gone", false, true, 100, white, white, Qt::green},
        {"signature hidden", true, file, false, false, 100, white, white, white},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        CardHub hub;
        std::unique_ptr<SKTGraphic> g;
        if (c.signature)
            g = SKTSignature::initWithPosition(QPointF(0, 0), QImage(), QStringLiteral("S"));
        else
            g = SKTImage::initWithPosition(QPointF(0, 0), c.picture ? halves(400, 300) : QImage());
        g->_file_path = c.path;
        g->_bounds = QRectF(20, 20, 200, 100);
        g->img_trnsp_val = c.percent;
        g->ctrl_is_visible = c.visible;
        g->_isDrawingStroke = true;
        g->_strokeColor = Qt::green;
        g->_strokeWidth = 2;
        const QImage side = render(hub, *g);
        const auto near = [&](int x, int y, QColor w) { return coretest::near(side.pixelColor(x, y), w, 3); };
        EXPECT_TRUE(near(25, 25, c.left) && near(115, 115, c.left)) << "the left half, to the middle";
        EXPECT_TRUE(near(125, 25, c.right) && near(215, 115, c.right));
        EXPECT_EQ(side.pixelColor(225, 60), white);
        EXPECT_EQ(side.pixelColor(20, 60), c.border) << "the border shows with or without the picture";
        EXPECT_EQ(hub.refreshes, 0);
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
    EXPECT_EQ(image->bounds(), QRectF(120 - 250, 80 - 100, 500, 200)) << "a thumbnail centred on the point";
    EXPECT_EQ(image->_contents_with_settings.convertToFormat(QImage::Format_ARGB32),
              image->_contents.convertToFormat(QImage::Format_ARGB32))
        << "the default settings change nothing";

    image->flipHorizontally();
    image->flipVertically();
    image->flipVertically();  // twice is as before
    EXPECT_FALSE(image->_isFlippedVertically);
    image->setFileNSImage(path);
    const std::unique_ptr<SKTGraphic> copy = image->copyWithZone();
    for (SKTGraphic *g : {static_cast<SKTGraphic *>(image.get()), copy.get()}) {
        EXPECT_EQ(g->_contents_with_settings.pixelColor(10, 10), QColor(Qt::blue)) << "the adjusted picture";
        EXPECT_EQ(g->_contents.pixelColor(10, 10), QColor(Qt::red));
        EXPECT_EQ(g->bounds(), image->bounds());
    }

    // The natural size is the picture's, unflipped; a locked control keeps its size and flips.
    image->_bounds = QRectF(15, 25, 40, 40);
    image->ctrl_is_locked = true;
    image->makeNaturalSize();
    EXPECT_EQ(image->bounds(), QRectF(15, 25, 40, 40));
    EXPECT_TRUE(image->_isFlippedHorizontally);
    image->ctrl_is_locked = false;
    image->makeNaturalSize();
    EXPECT_EQ(image->bounds(), QRectF(15, 25, 500, 200));
    EXPECT_FALSE(image->_isFlippedHorizontally);

    auto missing = SKTImage::initWithPath(QPointF(30, 40), dir.filePath(QStringLiteral("gone.png")));
    EXPECT_TRUE(missing->_contents.isNull());
    EXPECT_EQ(missing->bounds(), QRectF(30, 40, 0, 0));
    EXPECT_EQ(SKTImage::initWithPath_With_ID({}, path, QStringLiteral("Fup_Photo"))->control_ID, "Fup_Photo");
}

TEST(ImageControl, PicturesAreSharedAndStoredOnceButFollowEveryChange)
{
    QTemporaryDir dir;
    const QString path = savePng(dir, QStringLiteral("photo.png"), halves(100, 40));
    auto a = SKTImage::initWithPath({}, path), b = SKTImage::initWithPath({}, path);
    EXPECT_EQ(a->_contents.constBits(), b->_contents.constBits()) << "one picture for both controls";
    QImage green(60, 60, QImage::Format_ARGB32);
    green.fill(Qt::green);
    savePng(dir, QStringLiteral("photo.png"), green);
    EXPECT_EQ(SKTImage::initWithPath({}, path)->_contents.pixelColor(5, 5), QColor(Qt::green)) << "the file changed";

    // A stored picture keeps its bytes; a change of its pixels or its resolution is stored.
    QImage read = Unarchive_Image(Archive_Image(halves(20, 10)));
    EXPECT_EQ(Archive_Image(read).toByteArray(), Archive_Image(halves(20, 10)).toByteArray());
    read.setDotsPerMeterX(11811);
    EXPECT_EQ(Unarchive_Image(Archive_Image(read)).dotsPerMeterX(), 11811);
    read.setPixelColor(0, 0, Qt::green);
    EXPECT_EQ(Unarchive_Image(Archive_Image(read)).pixelColor(0, 0), QColor(Qt::green));
}

TEST(SignatureControl, SamplePicturesByKind)
{
    testsupport::TempDataFolder folder;
    const struct {
        QString kind;
        const char *file;
    } cases[] = {{"S", "sign_sample.png"}, {"F", "fingerprints.png"}, {"X", "fingerprints.png"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.kind.toStdString());
        coretest::RecordingHub hub;
        auto s = SKTSignature::initWithPosition(QPointF(100, 50), halves(60, 20), c.kind);
        EXPECT_TRUE(s->FilePath().endsWith(QLatin1String(c.file)));
        EXPECT_EQ(s->bounds(), QRectF(70, 40, 60, 20));
        s->setFilePath(QStringLiteral("Default"));
        EXPECT_TRUE(s->FilePath().endsWith(QLatin1String(c.file)));
        EXPECT_FALSE(s->_contents_img.isNull()) << "the sample picture exists in the resources";
    }
}

TEST(BarcodeControl, PictureIsDrawnWholeAtItsSizeInPointsWithoutSmoothing)
{
    // As the barcode renderer makes it: the resolution recorded in dots per metre, or none.
    const auto dpm = [](double dpi) { return qRound(dpi / 0.0254); };
    struct Case {
        int dotsPerMeter, width, bar;
        QSizeF points;
        double renderDpi;
    } cases[] = {
        {0, 180, 1, {180, 60}, 72},         {-5, 180, 1, {180, 60}, 72},        {2835, 180, 1, {180, 60}, 72},
        {dpm(150), 300, 2, {144, 72}, 150}, {dpm(300), 900, 3, {216, 36}, 300},
        {dpm(600), 300, 2, {36, 18}, 600},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.dotsPerMeter);
        CardHub hub;
        SKTBarcode b;
        b._bounds = QRectF(10, 20, 1, 1);
        b.Set_Barcode_image(QImage());
        EXPECT_EQ(b.bounds(), QRectF(10, 20, 0, 0)) << "a picture that is not there measures 0 by 0 points";
        const int height = qRound(c.points.height() * c.renderDpi / 72);
        QImage bars(c.width, height, QImage::Format_ARGB32_Premultiplied);
        for (int x = 0; x < c.width; ++x)
            for (int y = 0; y < height; ++y)
                bars.setPixelColor(x, y, (x / c.bar) % 2 ? Qt::white : Qt::black);
        if (c.dotsPerMeter != 0) {
            bars.setDotsPerMeterX(c.dotsPerMeter);
            bars.setDotsPerMeterY(c.dotsPerMeter);
        }
        b.Set_Barcode_image(bars);
        EXPECT_EQ(b.bounds(), QRectF(QPointF(10, 20), c.points));
        b._bounds.setSize(c.points / 2);  // bounds smaller than the picture
        // At the picture's own resolution the rendered side holds the bars pixel for pixel.
        const QImage side = render(hub, b, c.renderDpi);
        const QPoint origin(qRound(10 * c.renderDpi / 72), qRound(20 * c.renderDpi / 72));
        int mismatches = 0;
        for (int x = 0; x < c.width; ++x)
            mismatches += side.pixelColor(origin.x() + x, origin.y() + height - 2) != bars.pixelColor(x, 0);
        EXPECT_LE(mismatches, 2) << "whole, and no smoothing at the bars' edges";
    }
}

TEST(ImageControl, ADesignDecodesEachReferencedPictureOnceAndCountsItsPreview)
{
    QTemporaryDir dir;
    const struct {
        const char *name;
        QSize size;
    } files[] = {{"wide.png", QSize(1600, 400)}, {"tall.png", QSize(300, 1200)}, {"small.png", QSize(100, 50)}};
    QStringList paths;
    for (const auto &f : files) {
        QImage picture(f.size, QImage::Format_RGB32);
        picture.fill(QColor(10, 120, 200));
        paths << dir.filePath(QLatin1String(f.name));
        ASSERT_TRUE(picture.save(paths.back()));
    }
    // Previews of at most 500 on the long side: 500 x 125, 125 x 500 and the small one whole.
    EXPECT_EQ(File_Preview_Pixels(paths + paths), 500.0 * 125 + 125.0 * 500 + 100.0 * 50);

    DesignData design;
    for (int i = 0; i < 6; ++i) {  // every file twice
        auto image = Make_Graphic_Of_Kind(SKTGraphicKind::Image);
        image->setBounds(QRectF(10, 10, 60, 40));
        image->_file_path = paths[i % 3];
        (i % 2 ? design.backControls : design.frontControls).push_back(std::move(image));
    }
    const QByteArray bytes = platform::plistSerialize(*Design_To_Array(design, false));
    const long long before = File_Previews_Decoded();
    const DesignReadResult read = Design_From_Bytes(bytes);
    ASSERT_TRUE(read.ok()) << qPrintable(read.detail);
    EXPECT_EQ(File_Previews_Decoded() - before, 3);
    for (const SKTGraphicArray *side : {&read.design->frontControls, &read.design->backControls})
        for (const SKTGraphicPtr &g : *side) {
            const QImage &shown = g->_contents;
            const QSize stored = QImageReader(g->_file_path).size();
            EXPECT_EQ(shown.size(), stored.width() > 500 || stored.height() > 500
                                        ? stored.scaled(500, 500, Qt::KeepAspectRatio)
                                        : stored);
            EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(10, 120, 200));
        }
}

// The prefetch's memory budget counts what decoding a large picture really holds: its preview for a
// PNG read row by row, and for a plain JPEG the decoder's own 1/8 scale, which is larger.
TEST(ImageControl, PreviewDecodeBudgetCoversWhatTheDecoderHolds)
{
    QTemporaryDir dir;
    QImage wide(8000, 800, QImage::Format_RGB32);
    wide.fill(QColor(10, 120, 200));
    for (const char *name : {"wide.png", "wide.jpg"}) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(QLatin1String(name));
        ASSERT_TRUE(wide.save(path));
        QImageReader reader(path);
        reader.setScaledSize(QSize(1000, 100));  // as far as a JPEG decoder scales
        const QImage decoded = reader.format() == "jpeg" ? reader.read() : Load_Control_Picture(path);
        const qint64 held = decoded.sizeInBytes();
        EXPECT_GE(File_Preview_Decode_Bytes(path), held);
        EXPECT_LE(File_Preview_Decode_Bytes(path), 2 * held);
    }
}

namespace {

// A picture stored by bare file name is the installation's picture of that name; the photo box
// shows nothing for the "no photo yet" placeholder.
TEST(PicturePaths, BareNamesResolveIntoTheResources)
{
    QTemporaryDir resources, elsewhere;
    const QString before = Resource_Path;
    Resource_Path = resources.path();
    ASSERT_TRUE(halves(20, 10).save(resources.filePath("no.png")));
    ASSERT_TRUE(halves(20, 10).save(elsewhere.filePath("mine.png")));
    const struct {
        QString stored, resolved, shown;
    } cases[] = {
        {" no.png ", resources.filePath("no.png"), ""},
        {"missing.png", "missing.png", "missing.png"},
        {elsewhere.filePath("mine.png"), elsewhere.filePath("mine.png"), elsewhere.filePath("mine.png")},
        {"..", "..", ".."},
        {"", "", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        EXPECT_EQ(pictureServices().Check_Path_For_App_Resources(c.stored), c.resolved);
        EXPECT_EQ(Shown_Picture_Path(c.resolved), c.shown);
        SKTImage image;
        image.setFilePath(c.stored, false);
        EXPECT_EQ(image._contents.isNull(), c.resolved.isEmpty() || !QFileInfo::exists(c.resolved));
    }
    Resource_Path = before;
}

}  // namespace
