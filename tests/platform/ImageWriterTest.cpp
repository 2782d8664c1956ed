#include "platform/ImageWriter.h"
#include "platform/Plist.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace platform;

namespace {
QImage sample()
{
    QImage img(40, 30, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 0; y < 30; ++y)
        for (int x = 20; x < 40; ++x)
            img.setPixelColor(x, y, QColor(200, 30, 30));
    return img;
}
}  // namespace

TEST(ImageWriter, EncodesByExtensionWithMagicBytesAndResolution)
{
    QTemporaryDir dir;
    struct Case {
        const char *name;
        QByteArray magic;
    } cases[] = {
        {"card.jpg", QByteArray("\xFF\xD8\xFF", 3)}, {"card.JPEG", QByteArray("\xFF\xD8\xFF", 3)},
        {"card.png", QByteArray("\x89PNG", 4)},      {"card.bmp", QByteArray("BM")},
        {"card.tif", QByteArray("II*\x00", 4)},      {"card.TIFF", QByteArray("II*\x00", 4)},
    };
    for (const Case &c : cases) {
        const QString path = dir.filePath(c.name);
        QString error;
        ASSERT_TRUE(writeImageFile(sample(), path, 300, &error)) << c.name << ": " << error.toStdString();
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray head = f.read(8);
        if (QByteArray(c.name).toLower().endsWith("tif") || QByteArray(c.name).toLower().endsWith("tiff"))
            EXPECT_TRUE(head.startsWith("II*") || head.startsWith("MM")) << c.name;
        else
            EXPECT_TRUE(head.startsWith(c.magic)) << c.name;
        QImage back(path);
        ASSERT_FALSE(back.isNull()) << c.name;
        EXPECT_EQ(back.size(), QSize(40, 30)) << c.name;
        EXPECT_NEAR(back.dotsPerMeterX() * 0.0254, 300.0, 1.0) << c.name;
        EXPECT_NEAR(back.dotsPerMeterY() * 0.0254, 300.0, 1.0) << c.name;
    }
}

TEST(ImageWriter, JpegAndBmpAreFlattenedOnWhitePngKeepsTransparency)
{
    QTemporaryDir dir;
    for (const char *name : {"a.jpg", "a.bmp"}) {
        ASSERT_TRUE(writeImageFile(sample(), dir.filePath(name), 72));
        const QImage back(dir.filePath(name));
        const QColor left = back.pixelColor(5, 15);
        EXPECT_GT(left.red(), 245) << name;
        EXPECT_GT(left.green(), 245) << name;
        EXPECT_GT(left.blue(), 245) << name;
        EXPECT_GT(back.pixelColor(35, 15).red(), 180) << name;
        EXPECT_LT(back.pixelColor(35, 15).green(), 60) << name;
    }
    ASSERT_TRUE(writeImageFile(sample(), dir.filePath("a.png"), 600));
    const QImage png(dir.filePath("a.png"));
    EXPECT_EQ(png.pixelColor(5, 15).alpha(), 0);
    EXPECT_EQ(png.pixelColor(35, 15), QColor(200, 30, 30));
    EXPECT_NEAR(png.dotsPerMeterX() * 0.0254, 600.0, 1.0);
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
    const QByteArray before = [&] { QFile f(keep); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    EXPECT_FALSE(writeImageFile(QImage(), keep, 72, &error));
    QFile f(keep);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST(ImageWriter, FlatteningKeepsEveryPixelOfAHighDensityPicture)
{
    // Pictures grabbed from a high-density screen carry a device pixel ratio; flattened onto
    // white they must keep all their pixels where they were, not shrink into a corner.
    QTemporaryDir dir;
    for (const qreal ratio : {1.0, 2.0, 1.5}) {
        QImage picture = sample();
        picture.setDevicePixelRatio(ratio);
        for (const char *name : {"dense.jpg", "dense.bmp"}) {
            SCOPED_TRACE(testing::Message() << name << " ratio " << ratio);
            ASSERT_TRUE(writeImageFile(picture, dir.filePath(name), 300));
            const QImage back(dir.filePath(name));
            ASSERT_EQ(back.size(), QSize(40, 30));
            EXPECT_GT(back.pixelColor(38, 28).red(), 180);  // the red half reaches the far corner
            EXPECT_LT(back.pixelColor(38, 28).green(), 60);
            EXPECT_GT(back.pixelColor(5, 28).green(), 245);  // the transparent half is white
            EXPECT_NEAR(back.dotsPerMeterX() * 0.0254, 300.0, 1.0);
        }
    }
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
