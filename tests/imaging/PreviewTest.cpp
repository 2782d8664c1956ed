// File previews as every picture-loading window receives them, and the scaled picture view.
#include "core/ImageResolution.h"
#include "core/PictureServices.h"
#include "imaging/ImageUtilities.h"
#include "imaging/MSSCanvas.h"
#include "imaging/MSSScaledImage.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// A picture whose left half is red and right half blue.
QImage halves(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter(&image).fillRect(0, 0, w / 2, h, Qt::red);
    return image;
}

// A JPEG whose EXIF block asks viewers to turn it a quarter clockwise (orientation 6).
QByteArray quarterTurnedJpeg(const QImage &image)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    image.save(&buffer, "JPEG", 95);
    const QByteArray exif = QByteArray::fromHex("FFE10022457869660000" "4D4D002A00000008"
                                                "0001" "011200030000000100060000" "00000000");
    return jpeg.left(2) + exif + jpeg.mid(2);
}
}  // namespace

TEST(Preview, FilesLoadAsPicturesOrIcons)
{
    QTemporaryDir dir;
    halves(2000, 1000).save(dir.filePath("wide.png"));
    halves(300, 200).save(dir.filePath("small.png"));
    QFile jpeg(dir.filePath("turned.jpg"));
    ASSERT_TRUE(jpeg.open(QIODevice::WriteOnly));
    jpeg.write(quarterTurnedJpeg(halves(200, 100)));
    jpeg.close();
    QFile text(dir.filePath("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture\n");
    text.close();

    const struct { const char *file; QSize size; } cases[] = {
        {"wide.png", {500, 250}}, {"small.png", {300, 200}}, {"turned.jpg", {100, 200}},
        {"notes.txt", {500, 500}}, {"missing.png", {0, 0}}};
    for (const auto &c : cases) {
        const QImage preview = pictureServices().Get_Image_For_Path(dir.filePath(c.file), false);
        EXPECT_EQ(preview.size(), c.size) << c.file;
        if (!preview.isNull()) {
            EXPECT_EQ(Image_Size_In_Points(preview), QSizeF(c.size)) << c.file << ": one pixel a point";
        }
    }
    // Upright: the stored left half (red) is on top.
    const QImage upright = pictureServices().Get_Image_For_Path(dir.filePath("turned.jpg"), false);
    EXPECT_GT(qRed(upright.pixel(50, 30)), 200);
    EXPECT_GT(qBlue(upright.pixel(50, 170)), 200);
    QImage mask(10, 10, QImage::Format_Grayscale8);
    mask.fill(Qt::black);
    QPainter(&mask).fillRect(0, 0, 5, 10, Qt::white);
    const QImage masked = maskImage(halves(10, 10), mask);
    EXPECT_EQ(qAlpha(masked.pixel(2, 5)), 0) << "white hides";
    EXPECT_EQ(qAlpha(masked.pixel(8, 5)), 255) << "black shows";
}

TEST(ScaledImage, DrawnPictureRectangleAndCanvasFollow)
{
    auto picture = [](double w, double h) {
        if (w == 0)
            return QImage();
        QImage image(int(w * 2), int(h * 2), QImage::Format_RGB32);
        image.fill(Qt::gray);
        Set_Image_Dpi(image, 144.0);  // w by h points
        return image;
    };
    MSSScaledImage view;
    view.resize(400, 300);
    MSSCanvas canvas;
    MSSCanvasController controller(&canvas, &view);
    const struct { QSizeF picture; int scaling, alignment; QRectF drawn; } cases[] = {
        {{800, 400}, 3, 0, {0, 50, 400, 200}},   {{200, 100}, 0, 0, {100, 100, 200, 100}},
        {{200, 100}, 3, 0, {0, 50, 400, 200}},   {{200, 100}, 1, 6, {0, 0, 400, 300}},
        {{800, 400}, 2, 3, {-400, -100, 800, 400}}, {{0.5, 100}, 3, 0, {}}, {{0, 0}, 3, 0, {}}};
    for (const auto &c : cases) {
        view.setImageScaling(c.scaling);
        view.setImageAlignment(c.alignment);
        view.setImage(picture(c.picture.width(), c.picture.height()));
        EXPECT_EQ(view.scaledImageRect(), c.drawn) << c.picture.width() << " " << c.scaling;
        EXPECT_EQ(canvas.geometry(), view.toWidgetRect(c.drawn).toRect()) << "the canvas lies on the picture";
    }
    view.setImage(picture(200, 100));
    view.setFileURL(QUrl::fromLocalFile(QStringLiteral("/nowhere/scan.pdf")));
    EXPECT_EQ(view.originalImageSize(), QSizeF(1000, 500)) << "pixels, times 2.5 for a PDF";
}
