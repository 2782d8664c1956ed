#include "platform/ImageWriter.h"
#include "platform/ValueBounds.h"
#include "platform/WholeFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
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

bool sameFileType(const QString &extension, const QString &other)
{
    if (extension.compare(other, Qt::CaseInsensitive) == 0)
        return true;
    const QByteArray format = imageFormatForPath(QStringLiteral("x.") + extension);
    return !format.isEmpty() && format == imageFormatForPath(QStringLiteral("x.") + other);
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

void chunk(QByteArray &out, const char *type, const char *data, std::size_t size)
{
    char length[4];
    qToBigEndian<quint32>(quint32(size), length);
    out.append(length, 4);
    out.append(type, 4);
    out.append(data, qsizetype(size));
    uLong crc = crc32(0, reinterpret_cast<const Bytef *>(type), 4);
    crc = crc32(crc, reinterpret_cast<const Bytef *>(data), uInt(size));
    char sum[4];
    qToBigEndian<quint32>(quint32(crc), sum);
    out.append(sum, 4);
}

void chunk(QByteArray &out, const char *type, const QByteArray &data) { chunk(out, type, data.constData(), std::size_t(data.size())); }

QByteArray be32(quint32 a, quint32 b)
{
    QByteArray bytes(8, '\0');
    qToBigEndian<quint32>(a, bytes.data());
    qToBigEndian<quint32>(b, bytes.data() + 4);
    return bytes;
}

// What one thread keeps from one picture to the next: a card after a card needs buffers of the
// same size again, and reusing them spares the system handing out (and zeroing) fresh pages
// and taking them back for every picture.
struct PngScratch {
    std::vector<unsigned char> raw, idat;
    z_stream zs{};
    bool ready = false;
    ~PngScratch()
    {
        if (ready)
            deflateEnd(&zs);
    }
};

// Each row filtered "Up" (each byte less the byte above it) into `raw`, with its filter byte.
void filterRows(const QImage &src, std::size_t stride, bool fromRgb32, std::vector<unsigned char> &raw)
{
    const std::size_t width = std::size_t(src.width()), height = std::size_t(src.height());
    raw.resize(height * (stride + 1));
    for (std::size_t y = 0; y < height; ++y) {
        unsigned char *out = &raw[y * (stride + 1)];
        out[0] = y ? 2 : 0;
        ++out;
        if (fromRgb32) {
            // 0xffRRGGBB pixels straight to R, G, B bytes: no converted copy of the picture.
            const auto *row = reinterpret_cast<const QRgb *>(src.constScanLine(int(y)));
            const auto *above = y ? reinterpret_cast<const QRgb *>(src.constScanLine(int(y - 1))) : nullptr;
            for (std::size_t x = 0; x < width; ++x) {
                const QRgb p = row[x], a = above ? above[x] : 0;
                out[3 * x] = uchar(qRed(p) - qRed(a));
                out[3 * x + 1] = uchar(qGreen(p) - qGreen(a));
                out[3 * x + 2] = uchar(qBlue(p) - qBlue(a));
            }
            continue;
        }
        const uchar *row = src.constScanLine(int(y));
        if (!y) {
            std::copy(row, row + stride, out);
            continue;
        }
        const uchar *above = src.constScanLine(int(y - 1));
        for (std::size_t x = 0; x < stride; ++x)
            out[x] = uchar(row[x] - above[x]);
    }
}

// PNG made for speed: every row filtered against the row above and the data run-length
// deflated. Rendered cards (flat fills, gradients, text) encode several times faster than with
// the general encoder; an opaque picture is written as RGB, a quarter fewer bytes than RGBA.
QByteArray encodePng(const QImage &image, double dpi)
{
    static thread_local PngScratch scratch;
    const bool opaque = !image.hasAlphaChannel();
    const bool fromRgb32 = image.format() == QImage::Format_RGB32;
    const QImage src = fromRgb32 ? image : image.convertToFormat(opaque ? QImage::Format_RGB888 : QImage::Format_RGBA8888);
    const std::size_t width = std::size_t(src.width()), height = std::size_t(src.height());
    const std::size_t stride = width * (opaque ? 3 : 4);
    filterRows(src, stride, fromRgb32, scratch.raw);

    z_stream &zs = scratch.zs;
    if (scratch.ready) {
        if (deflateReset(&zs) != Z_OK)
            return {};
    } else {
        if (deflateInit2(&zs, 6, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK)
            return {};
        scratch.ready = true;
    }
    scratch.idat.resize(std::size_t(deflateBound(&zs, uLong(scratch.raw.size()))));
    zs.next_in = scratch.raw.data();
    zs.avail_in = uInt(scratch.raw.size());
    zs.next_out = scratch.idat.data();
    zs.avail_out = uInt(scratch.idat.size());
    const int done = deflate(&zs, Z_FINISH);
    if (done != Z_STREAM_END)
        return {};

    QByteArray png;
    png.reserve(qsizetype(zs.total_out) + 128);
    png.append("\x89PNG\r\n\x1a\n", 8);
    QByteArray header = be32(quint32(width), quint32(height));
    // 8 bits, RGB or RGBA, deflate, adaptive filtering, no interlace
    header.append(opaque ? QByteArray("\x08\x02\x00\x00\x00", 5) : QByteArray("\x08\x06\x00\x00\x00", 5));
    chunk(png, "IHDR", header);
    if (dpi > 0) {
        const quint32 perMetre = quint32(std::lround(dpi / 0.0254));
        chunk(png, "pHYs", be32(perMetre, perMetre) + QByteArray(1, '\x01'));
    }
    chunk(png, "IDAT", reinterpret_cast<const char *>(scratch.idat.data()), std::size_t(zs.total_out));
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
    if (!writer.write(out)) {
        // TIFF (and JPEG) come from Qt's image plugins, which a system may lack.
        if (writer.error() == QImageWriter::UnsupportedFormatError)
            return fail(QStringLiteral("This system cannot write %1 pictures: Qt's image plugin for them is not "
                                       "installed (package qt6-image-formats-plugins).")
                            .arg(QString::fromLatin1(format)));
        return fail(writer.errorString());
    }
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
    if (!writeWholeFile(path, bytes, &why))
        return fail(why);
    return true;
}

}  // namespace platform
