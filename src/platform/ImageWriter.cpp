#include "platform/ImageWriter.h"
#include "platform/ValueBounds.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QtEndian>

#include <cmath>
#include <vector>
#include <zlib.h>

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

void chunk(QByteArray &out, const char *type, const QByteArray &data)
{
    char length[4];
    qToBigEndian<quint32>(quint32(data.size()), length);
    out.append(length, 4);
    const QByteArray body = QByteArray(type, 4) + data;
    out.append(body);
    char crc[4];
    qToBigEndian<quint32>(quint32(crc32(0, reinterpret_cast<const Bytef *>(body.constData()), uInt(body.size()))), crc);
    out.append(crc, 4);
}

QByteArray be32(quint32 a, quint32 b)
{
    QByteArray bytes(8, '\0');
    qToBigEndian<quint32>(a, bytes.data());
    qToBigEndian<quint32>(b, bytes.data() + 4);
    return bytes;
}

// PNG made for speed: every row filtered against the row above and the data run-length
// deflated. Rendered cards (flat fills, gradients, text) encode several times faster than with
// the general encoder; an opaque picture is written as RGB, a quarter fewer bytes than RGBA.
QByteArray encodePng(const QImage &image, double dpi)
{
    const bool opaque = !image.hasAlphaChannel();
    const QImage src = image.convertToFormat(opaque ? QImage::Format_RGB888 : QImage::Format_RGBA8888);
    const std::size_t width = std::size_t(src.width()), height = std::size_t(src.height());
    const std::size_t stride = width * (opaque ? 3 : 4);
    // Filter "Up": each byte less the byte above it.
    std::vector<unsigned char> raw(height * (stride + 1));
    for (std::size_t y = 0; y < height; ++y) {
        const uchar *row = src.constScanLine(int(y));
        unsigned char *out = &raw[y * (stride + 1)];
        out[0] = y ? 2 : 0;
        if (!y) {
            std::copy(row, row + stride, out + 1);
            continue;
        }
        const uchar *above = src.constScanLine(int(y - 1));
        for (std::size_t x = 0; x < stride; ++x)
            out[1 + x] = uchar(row[x] - above[x]);
    }
    z_stream zs{};
    if (deflateInit2(&zs, 6, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK)
        return {};
    QByteArray idat(qsizetype(deflateBound(&zs, uLong(raw.size()))), '\0');
    zs.next_in = raw.data();
    zs.avail_in = uInt(raw.size());
    zs.next_out = reinterpret_cast<Bytef *>(idat.data());
    zs.avail_out = uInt(idat.size());
    const int done = deflate(&zs, Z_FINISH);
    idat.resize(qsizetype(zs.total_out));
    deflateEnd(&zs);
    if (done != Z_STREAM_END)
        return {};

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray header = be32(quint32(width), quint32(height));
    // 8 bits, RGB or RGBA, deflate, adaptive filtering, no interlace
    header.append(opaque ? QByteArray("\x08\x02\x00\x00\x00", 5) : QByteArray("\x08\x06\x00\x00\x00", 5));
    chunk(png, "IHDR", header);
    if (dpi > 0) {
        const quint32 perMetre = quint32(std::lround(dpi / 0.0254));
        chunk(png, "pHYs", be32(perMetre, perMetre) + QByteArray(1, '\x01'));
    }
    chunk(png, "IDAT", idat);
    chunk(png, "IEND", {});
    return png;
}

}  // namespace

QByteArray encodeImage(QImage image, const QByteArray &format, double dpi, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return QByteArray();
    };
    if (format.isEmpty())
        return fail(QStringLiteral("Unsupported image file type."));
    if (image.isNull())
        return fail(QStringLiteral("There is no image to save."));
    QImage out = (format == "JPEG" || format == "BMP") ? flattenedOnto(image, Qt::white) : std::move(image);
    // Opaque premultiplied pixels already are RGB32 pixels, so a picture handed over whole is
    // relabelled in place rather than copied.
    if (out.hasAlphaChannel() && everyPixelOpaque(out)) {
        if (out.format() == QImage::Format_ARGB32_Premultiplied || out.format() == QImage::Format_ARGB32)
            out.reinterpretAsFormat(QImage::Format_RGB32);
        else
            out = out.convertToFormat(QImage::Format_RGB32);
    }
    if (dpi > 0)
        dpi = bounds::Dpi(dpi);
    if (format == "PNG") {
        QByteArray bytes = encodePng(out, dpi);
        return bytes.isEmpty() ? fail(QStringLiteral("The picture could not be encoded.")) : bytes;
    }
    if (dpi > 0) {
        const int dpm = int(std::lround(dpi / 0.0254));
        out.setDotsPerMeterX(dpm);
        out.setDotsPerMeterY(dpm);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (format == "JPEG")
        writer.setQuality(95);
    if (format == "TIFF")
        writer.setCompression(1);  // lossless LZW keeps card files small
    if (!writer.write(out))
        return fail(writer.errorString());
    return bytes;
}

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
    QString why;
    const QByteArray bytes = encodeImage(std::move(image), format, dpi, &why);
    if (bytes.isEmpty())
        return fail(why);
    // Unbuffered: a failed write fails at once with the system's reason rather than leaving an
    // empty file committed as success.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        return fail(file.errorString());
    return true;
}

}  // namespace platform
