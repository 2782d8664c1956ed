#include "data/export/PngEncode.h"

#include <QtEndian>
#include <cmath>
#include <vector>
#include <zlib.h>

namespace {

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

}  // namespace

QByteArray Encode_Png_Fast(const QImage &image, double dpi)
{
    if (image.isNull())
        return {};
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    const std::size_t width = std::size_t(rgba.width()), height = std::size_t(rgba.height()), stride = width * 4;
    // Filter "Up": each byte less the byte above it.
    std::vector<unsigned char> raw(height * (stride + 1));
    for (std::size_t y = 0; y < height; ++y) {
        const uchar *row = rgba.constScanLine(int(y));
        unsigned char *out = &raw[y * (stride + 1)];
        out[0] = y ? 2 : 0;
        if (!y) {
            std::copy(row, row + stride, out + 1);
            continue;
        }
        const uchar *above = rgba.constScanLine(int(y - 1));
        for (std::size_t x = 0; x < stride; ++x)
            out[1 + x] = uchar(row[x] - above[x]);
    }
    z_stream zs{};
    if (deflateInit2(&zs, 6, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK)
        return {};
    QByteArray idat(int(deflateBound(&zs, uLong(raw.size()))), '\0');
    zs.next_in = raw.data();
    zs.avail_in = uInt(raw.size());
    zs.next_out = reinterpret_cast<Bytef *>(idat.data());
    zs.avail_out = uInt(idat.size());
    const int done = deflate(&zs, Z_FINISH);
    idat.resize(int(zs.total_out));
    deflateEnd(&zs);
    if (done != Z_STREAM_END)
        return {};

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray header = be32(quint32(width), quint32(height));
    header.append("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, adaptive filtering, no interlace
    chunk(png, "IHDR", header);
    const quint32 perMetre = quint32(std::lround(dpi / 0.0254));
    chunk(png, "pHYs", be32(perMetre, perMetre) + QByteArray(1, '\x01'));
    chunk(png, "IDAT", idat);
    chunk(png, "IEND", {});
    return png;
}
