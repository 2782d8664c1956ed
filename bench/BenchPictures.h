#pragma once
// Pictures the benchmarks work on.

#include <QImage>

// A photo-sized picture with smooth gradients and fine detail, so no filter stage is trivial.
inline QImage benchPhoto(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = qRgb((x * 255) / w, (y * 255) / h, ((x ^ y) & 0xff));
    }
    return image;
}
