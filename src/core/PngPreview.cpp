#include "core/PngPreview.h"

#include <QFile>

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace {

void quiet(png_structp, png_const_charp) {}

[[noreturn]] void fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }

}  // namespace

QImage Decode_Png_Preview(const QString &path, int longestSide, quint64 maxPixels)
{
    if (longestSide < 1)
        return {};
    FILE *file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!file)
        return {};
    png_byte signature[8];
    if (std::fread(signature, 1, 8, file) != 8 || png_sig_cmp(signature, 0, 8) != 0) {
        std::fclose(file);
        return {};
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, fail, quiet);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        std::fclose(file);
        return {};
    }
    // Everything with a destructor lives before the jump point, so a jump back skips none.
    std::vector<png_byte> row;
    std::vector<quint32> sums;
    QImage preview;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(file);
        return {};
    }
    png_init_io(png, file);
    png_set_sig_bytes(png, 8);
    png_read_info(png, info);
    png_uint_32 width = 0, height = 0;
    int depth = 0, colour = 0, interlace = 0;
    png_get_IHDR(png, info, &width, &height, &depth, &colour, &interlace, nullptr, nullptr);
    // The work is one pass over every pixel: a tiny file may claim a million by a million.
    if (interlace != PNG_INTERLACE_NONE || width == 0 || height == 0 || quint64(width) * height > maxPixels) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(file);
        return {};
    }
    // Every kind of PNG as 8-bit RGBA.
    png_set_expand(png);
    png_set_strip_16(png);
    if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    const bool opaque = !(colour & PNG_COLOR_MASK_ALPHA) && !png_get_valid(png, info, PNG_INFO_tRNS);
    if (opaque)
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != png_size_t(width) * 4) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(file);
        return {};
    }
    const png_uint_32 longer = std::max(width, height);
    const png_uint_32 factor = (longer + png_uint_32(longestSide) - 1) / png_uint_32(longestSide);
    const int outWidth = int((width + factor - 1) / factor), outHeight = int((height + factor - 1) / factor);
    row.resize(size_t(width) * 4);
    sums.assign(size_t(outWidth) * 4, 0);
    preview = QImage(outWidth, outHeight, QImage::Format_ARGB32_Premultiplied);
    if (preview.isNull()) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(file);
        return {};
    }
    png_uint_32 rowsInBlock = 0;
    int outRow = 0;
    for (png_uint_32 y = 0; y < height; ++y) {
        png_read_row(png, row.data(), nullptr);
        // Summed premultiplied, so transparent pixels lend the average no colour; block by block,
        // so the inner loop neither divides nor branches for opaque pictures.
        const png_byte *p = row.data();
        for (png_uint_32 block = 0, x = 0; x < width; ++block) {
            quint32 *s = &sums[size_t(block) * 4];
            const png_uint_32 end = std::min(width, x + factor);
            if (opaque) {
                for (; x < end; ++x, p += 4) {
                    s[0] += p[0];
                    s[1] += p[1];
                    s[2] += p[2];
                }
            } else {
                for (; x < end; ++x, p += 4) {
                    const quint32 a = p[3];
                    s[0] += (p[0] * a + 127) / 255;
                    s[1] += (p[1] * a + 127) / 255;
                    s[2] += (p[2] * a + 127) / 255;
                    s[3] += a;
                }
            }
        }
        if (++rowsInBlock < factor && y + 1 < height)
            continue;
        auto *out = reinterpret_cast<QRgb *>(preview.scanLine(outRow++));
        for (int x = 0; x < outWidth; ++x) {
            const png_uint_32 columns = std::min<png_uint_32>(factor, width - png_uint_32(x) * factor);
            const quint32 count = columns * rowsInBlock;
            const quint32 *s = &sums[size_t(x) * 4];
            out[x] = qRgba(int((s[0] + count / 2) / count), int((s[1] + count / 2) / count),
                           int((s[2] + count / 2) / count), opaque ? 255 : int((s[3] + count / 2) / count));
        }
        std::fill(sums.begin(), sums.end(), 0);
        rowsInBlock = 0;
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return preview;
}
