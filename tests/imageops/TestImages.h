#pragma once
// Small pictures with known pixels for the image operation tests.

#include <QColor>
#include <QImage>
#include <QString>

#include <cstdlib>

namespace imgtest {

inline QImage solid(int w, int h, QColor colour, QImage::Format format = QImage::Format_ARGB32)
{
    QImage image(w, h, format);
    image.fill(colour);
    return image;
}

// Top-left red, top-right green, bottom-left blue, bottom-right white.
inline QImage quadrants(int w, int h)
{
    QImage image = solid(w, h, Qt::red);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (x >= w / 2 || y >= h / 2)
                image.setPixel(x, y, y < h / 2 ? qRgb(0, 255, 0) : x < w / 2 ? qRgb(0, 0, 255) : 0xffffffff);
    return image;
}

// A photo-like picture: smooth gradients, hard edges and a band of partial transparency.
inline QImage photoLike(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgba(x * 255 / std::max(1, w - 1), y * 255 / std::max(1, h - 1),
                                       (x / 7 + y / 5) % 2 ? 200 : 40,
                                       y > h / 2 && y < h / 2 + h / 8 ? 30 + x % 200 : 255));
    return image;
}

// Reads as straight (not premultiplied) ARGB whatever the storage.
inline QImage straight(const QImage &image) { return image.convertToFormat(QImage::Format_ARGB32); }

inline int channelDistance(QRgb p, QColor expected)
{
    return std::max({std::abs(qRed(p) - expected.red()), std::abs(qGreen(p) - expected.green()),
                     std::abs(qBlue(p) - expected.blue()), std::abs(qAlpha(p) - expected.alpha())});
}

// Empty when both pictures have the same size and the same straight ARGB pixels (within the
// tolerance), else where they first differ.
inline QString difference(const QImage &first, const QImage &second, int tolerance = 0)
{
    const QImage a = straight(first), b = straight(second);
    auto dims = [](const QImage &i) { return QStringLiteral("%1x%2").arg(i.width()).arg(i.height()); };
    if (a.size() != b.size())
        return QStringLiteral("sizes ") + dims(a) + QStringLiteral(" and ") + dims(b);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (channelDistance(a.pixel(x, y), QColor::fromRgba(b.pixel(x, y))) > tolerance)
                return QStringLiteral("pixel (%1,%2): %3 vs %4").arg(x).arg(y).arg(
                    QString::number(a.pixel(x, y), 16), QString::number(b.pixel(x, y), 16));
    return QString();
}

}  // namespace imgtest
