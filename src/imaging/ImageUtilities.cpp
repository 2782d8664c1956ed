#include "imaging/ImageUtilities.h"

#include "core/ImageResolution.h"

#include <QPaintEvent>
#include <QPainter>

QImage maskImage(const QImage &image, const QImage &mask)
{
    if (image.isNull() || mask.isNull())
        return image;
    const QImage gray = mask.convertToFormat(QImage::Format_Grayscale8)
                            .scaled(image.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        const uchar *m = gray.constScanLine(y);
        for (int x = 0; x < out.width(); ++x) {
            const int alpha = qAlpha(line[x]) * (255 - m[x]) / 255;
            line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), alpha);
        }
    }
    return out;
}

QImage normalizeSize(QImage image)
{
    Set_Image_Dpi(image, 72.0);
    return image;
}

QImage setDPI(QImage image, int dpi)
{
    Set_Image_Dpi(image, double(dpi));
    return image;
}

void Repeat_Image::setPattern(const QImage &pattern)
{
    pattern_ = pattern;
    update();
}

void Repeat_Image::paintEvent(QPaintEvent *event)
{
    if (pattern_.isNull())
        return;
    QPainter painter(this);
    QBrush brush(pattern_);
    // Anchored at the window's corner, not the view's.
    const QPoint inWindow = mapTo(window(), QPoint(0, 0));
    brush.setTransform(QTransform::fromTranslate(-inWindow.x(), -inWindow.y()));
    painter.fillRect(event->rect(), brush);
}
