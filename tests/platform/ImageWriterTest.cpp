#include "platform/ImageWriter.h"
#include "platform/Plist.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

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
