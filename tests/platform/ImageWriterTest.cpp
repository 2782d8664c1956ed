#include "platform/ImageWriter.h"
#include "platform/PixelBuffers.h"
#include "platform/Plist.h"
#include "TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <thread>
#include <tuple>

using namespace platform;

namespace {
// Left half transparent, right half red.
QImage sample(qreal pixelRatio = 1.0)
{
    QImage img(40, 30, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int i = 0; i < 600; ++i)
        img.setPixelColor(20 + i % 20, i / 20, QColor(200, 30, 30));
    img.setDevicePixelRatio(pixelRatio);
    return img;
}
QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

TEST(ImageWriter, EncodesByExtensionKeepingEveryPixelAndTheResolution)
{
    REQUIRE_IMAGE_FORMAT("tiff");
    // JPEG and BMP are flattened on white, keeping every pixel in place even for a picture
    // grabbed from a high-density screen; PNG and TIFF keep transparency.
    QTemporaryDir dir;
    const struct {
        const char *name;
        QByteArray magic;
        int dpi;
        qreal ratio;
    } cases[] = {
        {"card.jpg", "\xFF\xD8\xFF", 300, 1.0}, {"card.JPEG", "\xFF\xD8\xFF", 72, 2.0},
        {"card.bmp", "BM", 300, 1.5},           {"card.png", "\x89PNG", 600, 1.0},
        {"card.tif", "II*", 300, 1.0},          {"card.TIFF", "II*", 300, 2.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " ratio " << c.ratio);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        QString error;
        ASSERT_TRUE(writeImageFile(sample(c.ratio), path, c.dpi, &error)) << error.toStdString();
        EXPECT_TRUE(contents(path).startsWith(c.magic));
        const QImage back(path);
        ASSERT_EQ(back.size(), QSize(40, 30));
        EXPECT_NEAR(back.dotsPerMeterX() * 0.0254, c.dpi, 1.0);
        EXPECT_NEAR(back.dotsPerMeterY() * 0.0254, c.dpi, 1.0);
        const QColor left = back.pixelColor(5, 28), right = back.pixelColor(38, 28);
        EXPECT_TRUE(right.red() > 180 && right.green() < 60) << right.name().toStdString();
        const bool flattened = c.magic.startsWith("\xFF") || c.magic == "BM";
        EXPECT_TRUE(flattened ? std::min({left.red(), left.green(), left.blue()}) > 245 : left.alpha() == 0);
    }
}

TEST(ImageWriter, OpaquePicturesAreWrittenWithoutAlphaAndKeepTheirPixels)
{
    QTemporaryDir dir;
    const struct {
        QImage::Format format;
        int alpha;      // of one pixel; every other pixel is opaque
        char pngType;   // IHDR colour type: 2 RGB, 6 RGB with alpha
    } cases[] = {
        {QImage::Format_ARGB32_Premultiplied, 255, 2},
        {QImage::Format_ARGB32, 255, 2},
        {QImage::Format_ARGB32_Premultiplied, 254, 6},
        {QImage::Format_RGB32, 255, 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.format << " alpha " << c.alpha);
        QImage img(31, 7, c.format);
        for (int i = 0; i < 31 * 7; ++i)
            img.setPixelColor(i % 31, i / 31, QColor::fromHsv((i * 11) % 360, 200, 40 + i % 200));
        img.setPixelColor(3, 3, QColor(10, 200, 90, c.alpha));
        const QString path = dir.filePath(QStringLiteral("opaque.png"));
        ASSERT_TRUE(writeImageFile(img, path, 300));
        EXPECT_EQ(contents(path).at(25), c.pngType);
        const QImage back = QImage(path).convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(back, img.convertToFormat(QImage::Format_ARGB32));
    }
}

TEST(ImageWriter, FailuresAreReportedAndLeaveNoFile)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(writeImageFile(sample(), dir.filePath("card.gifx"), 72, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("card.gifx")));
    EXPECT_FALSE(writeImageFile(QImage(), dir.filePath("empty.png"), 72, &error));
    EXPECT_FALSE(QFile::exists(dir.filePath("empty.png")));
    EXPECT_FALSE(writeImageFile(sample(), dir.filePath("no/such/folder/card.png"), 72, &error));
    // An existing file survives a failed rewrite.
    const QString keep = dir.filePath("keep.png");
    ASSERT_TRUE(writeImageFile(sample(), keep, 72));
    const QByteArray before = contents(keep);
    EXPECT_FALSE(writeImageFile(QImage(), keep, 72, &error));
    EXPECT_EQ(contents(keep), before);
}

TEST(FileWrites, AFullDiskIsReportedWithTheSystemsReason)
{
    // A small file system filled to the last block; mounting one needs root, so elsewhere the
    // test has nothing to try.
    QTemporaryDir dir;
    const QString disk = dir.filePath(QStringLiteral("disk"));
    QDir().mkpath(disk);
    if (QProcess::execute(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=64k", "tmpfs", disk}) != 0)
        GTEST_SKIP() << "no small tmpfs can be mounted here";
    const auto unmount = qScopeGuard([&] { QProcess::execute(QStringLiteral("umount"), {disk}); });
    QFile filler(disk + QStringLiteral("/filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(4096, 'x')) > 0) {
    }
    filler.close();
    QImage picture(300, 300, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    const struct {
        const char *name;
        std::function<bool(const QString &, QString *)> write;
    } writers[] = {
        {"plist", [](const QString &p, QString *e) {
             return platform::plistWriteFile(p, QVariantList{QByteArray(100000, 'x')}, platform::PlistFormat::Binary, e);
         }},
        {"png", [&](const QString &p, QString *e) { return platform::writeImageFile(picture, p, 72, e); }},
        {"bmp", [&](const QString &p, QString *e) { return platform::writeImageFile(picture, p, 300, e); }},
    };
    for (const auto &w : writers) {
        SCOPED_TRACE(w.name);
        QString error;
        EXPECT_FALSE(w.write(disk + QStringLiteral("/out.") + QLatin1String(w.name), &error));
        EXPECT_EQ(error, QStringLiteral("No space left on device"));
    }
}

// Each thread keeps its encoder's buffers from one picture to the next: a larger picture after
// a smaller one and a smaller after a larger, on several threads at once, each decode to
// exactly themselves, byte for byte the same file as when encoded first.
TEST(ImageWriter, PicturesEncodedOneAfterAnotherNeverCarryTheLastOnesBytes)
{
    auto picture = [](int w, int h, int seed, QImage::Format format) {
        QImage img(w, h, format);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                img.setPixelColor(x, y, QColor::fromHsv((x * 7 + y * 3 + seed * 40) % 360, 180, 60 + (x ^ y) % 190,
                                                        format == QImage::Format_RGB32 ? 255 : 255 - (x % 3)));
        return img;
    };
    const std::vector<std::tuple<int, int, QImage::Format>> sizes = {
        {300, 200, QImage::Format_RGB32}, {40, 30, QImage::Format_ARGB32}, {301, 199, QImage::Format_RGB32},
        {17, 500, QImage::Format_ARGB32_Premultiplied}, {300, 200, QImage::Format_RGB32}};
    std::vector<QByteArray> alone;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const auto [w, h, f] = sizes[i];
        alone.push_back(encodeImage(picture(w, h, int(i), f), "PNG", 300));
    }
    std::vector<std::vector<QByteArray>> together(4);
    std::vector<std::thread> threads;
    for (auto &bytes : together)
        threads.emplace_back([&] {
            for (std::size_t i = 0; i < sizes.size(); ++i) {
                const auto [w, h, f] = sizes[i];
                bytes.push_back(encodeImage(picture(w, h, int(i), f), "PNG", 300));
            }
        });
    for (std::thread &t : threads)
        t.join();
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        SCOPED_TRACE(i);
        const auto [w, h, f] = sizes[i];
        const QImage back = QImage::fromData(alone[i], "PNG").convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(back, picture(w, h, int(i), f).convertToFormat(QImage::Format_ARGB32));
        for (const auto &bytes : together)
            EXPECT_EQ(bytes[i], alone[i]);
    }
}

// A side after a side takes the pixel memory the last one gave back, from whichever thread it
// was given back; a picture still in use keeps its memory to itself.
TEST(PixelBuffers, MemoryGivenBackServesTheNextPictureOfItsSize)
{
    QImage first = Reused_Image(QSize(640, 480), QImage::Format_ARGB32_Premultiplied);
    ASSERT_FALSE(first.isNull());
    first.fill(Qt::red);
    const uchar *memory = first.constBits();
    QImage kept = first;
    QImage second = Reused_Image(QSize(640, 480), QImage::Format_ARGB32_Premultiplied);
    EXPECT_NE(second.constBits(), memory) << "in use by `kept`";
    std::thread([image = std::move(first)]() mutable { image = QImage(); }).join();
    kept = QImage();
    const QImage third = Reused_Image(QSize(640, 480), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(third.constBits(), memory);
    EXPECT_EQ(third.bytesPerLine(), 640 * 4);
    EXPECT_TRUE(Reused_Image(QSize(0, 5), QImage::Format_RGB32).isNull());
    EXPECT_TRUE(Reused_Image(QSize(1 << 20, 1 << 20), QImage::Format_RGB32).isNull()) << "refused, not attempted";
    second.fill(Qt::blue);
    EXPECT_EQ(second.pixelColor(639, 479), QColor(Qt::blue));
}
