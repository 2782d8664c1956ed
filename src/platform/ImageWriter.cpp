#include "platform/ImageWriter.h"
#include "platform/ValueBounds.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

#include <cmath>

namespace platform {

QByteArray imageFormatForPath(const QString &path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        return "JPEG";
    if (ext == QLatin1String("bmp"))
        return "BMP";
    if (ext == QLatin1String("png"))
        return "PNG";
    if (ext == QLatin1String("tif") || ext == QLatin1String("tiff"))
        return "TIFF";
    return {};
}

QImage flattenedOnto(const QImage &image, const QColor &background)
{
    QImage out(image.size(), QImage::Format_RGB32);
    out.setDotsPerMeterX(image.dotsPerMeterX());
    out.setDotsPerMeterY(image.dotsPerMeterY());
    out.fill(background);
    QPainter p(&out);
    // Pixel for pixel: a picture from a high-density screen would otherwise be drawn at its
    // device-independent size into a corner of the white.
    p.drawImage(out.rect(), image, image.rect());
    return out;
}

namespace {

// True when every pixel is fully opaque (or the format has no alpha at all).
bool everyPixelOpaque(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return true;
    if (image.format() != QImage::Format_ARGB32 && image.format() != QImage::Format_ARGB32_Premultiplied)
        return false;
    const int w = image.width(), h = image.height();
    for (int y = 0; y < h; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        QRgb all = 0xFF000000u;
        for (int x = 0; x < w; ++x)
            all &= line[x];
        if ((all >> 24) != 0xFF)
            return false;
    }
    return true;
}

}  // namespace

bool writeImageFile(const QImage &image, const QString &path, double dpi, QString *error)
{
    return writeImageFile(QImage(image), path, dpi, error);
}

bool writeImageFile(QImage &&image, const QString &path, double dpi, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    const QByteArray format = imageFormatForPath(path);
    if (format.isEmpty())
        return fail(QStringLiteral("Unsupported image file type: %1").arg(QFileInfo(path).suffix()));
    if (image.isNull())
        return fail(QStringLiteral("There is no image to save."));

    QImage out = (format == "JPEG" || format == "BMP") ? flattenedOnto(image, Qt::white) : std::move(image);
    // An opaque card is written without an alpha channel: a quarter fewer bytes to filter and
    // compress, and the same pixels. Opaque premultiplied pixels already are RGB32 pixels, so a
    // picture handed over whole is relabelled in place rather than copied.
    if (out.hasAlphaChannel() && everyPixelOpaque(out)) {
        if (out.format() == QImage::Format_ARGB32_Premultiplied || out.format() == QImage::Format_ARGB32)
            out.reinterpretAsFormat(QImage::Format_RGB32);
        else
            out = out.convertToFormat(QImage::Format_RGB32);
    }
    if (dpi > 0) {
        const int dpm = int(std::lround(bounds::Dpi(dpi) / 0.0254));
        out.setDotsPerMeterX(dpm);
        out.setDotsPerMeterY(dpm);
    }

    // Unbuffered: a failed write then fails at once with the system's reason. Buffered, the
    // encoder's last writes could fail unseen and leave an empty file committed as success.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file.errorString());
    QImageWriter writer(&file, format);
    if (format == "JPEG")
        writer.setQuality(95);
    // zlib level 4 (Qt maps quality 50 to it): on rendered cards about a tenth faster than the
    // default level 6 for files about 7 % larger; the faster levels 1-3 cost 30-60 % in size.
    if (format == "PNG")
        writer.setQuality(50);
    if (format == "TIFF")
        writer.setCompression(1);  // lossless LZW keeps card files small
    if (!writer.write(out) || file.error() != QFileDevice::NoError)
        return fail(file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString());
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

}  // namespace platform
