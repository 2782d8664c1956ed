#include "imageops/PixelFilters.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace imageops {

namespace {

// Rec. 709 weights: grey scale, saturation and sharpening agree on what "luminance" is, so
// saturation 0 gives the same grey as the grey stage.
constexpr float kLumR = 0.2126f, kLumG = 0.7152f, kLumB = 0.0722f;

inline float luminance(float r, float g, float b) { return kLumR * r + kLumG * g + kLumB * b; }

const float *unitTable()
{
    static const auto table = [] {
        std::vector<float> t(256);
        for (int i = 0; i < 256; ++i)
            t[i] = float(i) / 255.0f;
        return t;
    }();
    return table.data();
}

// NaN compares false both ways and so lands on 0 instead of reaching an undefined cast.
inline int toByte(float v) { return v >= 1.0f ? 255 : v > 0.0f ? int(v * 255.0f + 0.5f) : 0; }

inline QRgb packed(float r, float g, float b, int alpha)
{
    return qRgba(toByte(r), toByte(g), toByte(b), alpha);
}

}  // namespace

void PointStages::setHueAngle(float radians)
{
    // A turn about the grey axis of the colour cube: greys stay put and every hue moves by
    // the same angle, red toward green for positive angles.
    const float c = std::cos(radians), s = std::sin(radians);
    const float k = (1.0f - c) / 3.0f, q = std::sqrt(1.0f / 3.0f) * s;
    const float m[9] = {c + k, k - q, k + q, k + q, c + k, k - q, k - q, k + q, c + k};
    std::copy(std::begin(m), std::end(m), hueMatrix);
    hue = true;
}

void applyPointStages(QImage &image, const PointStages &st)
{
    const float *unit = unitTable();
    const float *m = st.hueMatrix;
    const int w = image.width(), h = image.height();
    for (int y = 0; y < h; ++y) {
        auto *px = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb p = px[x];
            float r = unit[qRed(p)], g = unit[qGreen(p)], b = unit[qBlue(p)];
            if (st.grey)
                r = g = b = luminance(r, g, b);
            if (st.sepia) {
                const float sr = 0.393f * r + 0.769f * g + 0.189f * b;
                const float sg = 0.349f * r + 0.686f * g + 0.168f * b;
                const float sb = 0.272f * r + 0.534f * g + 0.131f * b;
                r = sr, g = sg, b = sb;
            }
            if (st.hue) {
                const float hr = m[0] * r + m[1] * g + m[2] * b;
                const float hg = m[3] * r + m[4] * g + m[5] * b;
                const float hb = m[6] * r + m[7] * g + m[8] * b;
                r = hr, g = hg, b = hb;
            }
            if (st.colour) {
                const float l = luminance(r, g, b);
                r = (l + (r - l) * st.saturation + st.brightness - 0.5f) * st.contrast + 0.5f;
                g = (l + (g - l) * st.saturation + st.brightness - 0.5f) * st.contrast + 0.5f;
                b = (l + (b - l) * st.saturation + st.brightness - 0.5f) * st.contrast + 0.5f;
            }
            if (st.exposure)
                r *= st.exposureGain, g *= st.exposureGain, b *= st.exposureGain;
            px[x] = packed(r, g, b, qAlpha(p));
        }
    }
}

void sharpenLuminance(QImage &image, float sharpness, float exposureGain)
{
    // Luminance in integer units keeps flat areas at exactly zero Laplacian, however large
    // the sharpness that multiplies it.
    constexpr int kR = 2126, kG = 7152, kB = 722;
    constexpr float kUnit = 1.0f / (10000.0f * 255.0f);
    const float *unit = unitTable();
    const int w = image.width(), h = image.height();
    std::vector<int32_t> lum(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        const auto *px = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        int32_t *row = lum.data() + size_t(y) * w;
        for (int x = 0; x < w; ++x)
            row[x] = kR * qRed(px[x]) + kG * qGreen(px[x]) + kB * qBlue(px[x]);
    }
    const float scale = sharpness * kUnit;
    for (int y = 0; y < h; ++y) {
        const int32_t *row = lum.data() + size_t(y) * w;
        const int32_t *up = lum.data() + size_t(std::max(y - 1, 0)) * w;
        const int32_t *down = lum.data() + size_t(std::min(y + 1, h - 1)) * w;
        auto *px = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int32_t laplacian =
                4 * row[x] - row[std::max(x - 1, 0)] - row[std::min(x + 1, w - 1)] - up[x] - down[x];
            const float d = scale * float(laplacian);
            const QRgb p = px[x];
            px[x] = packed((unit[qRed(p)] + d) * exposureGain, (unit[qGreen(p)] + d) * exposureGain,
                           (unit[qBlue(p)] + d) * exposureGain, qAlpha(p));
        }
    }
}

namespace {

// Fixed-point reciprocal: a division per channel per pixel would dominate the blur.
struct Averager {
    explicit Averager(int count) : mul(uint64_t(double(uint64_t(1) << 32) / count + 0.5)) {}
    uint32_t operator()(uint32_t sum) const { return uint32_t((sum * mul + (uint64_t(1) << 31)) >> 32); }
    uint64_t mul;
};

inline void addPixel(uint32_t *sum, QRgb p, int times = 1)
{
    sum[0] += (p & 0xff) * times;
    sum[1] += ((p >> 8) & 0xff) * times;
    sum[2] += ((p >> 16) & 0xff) * times;
    sum[3] += (p >> 24) * times;
}

inline void subPixel(uint32_t *sum, QRgb p)
{
    sum[0] -= p & 0xff;
    sum[1] -= (p >> 8) & 0xff;
    sum[2] -= (p >> 16) & 0xff;
    sum[3] -= p >> 24;
}

inline QRgb average(const uint32_t *sum, const Averager &avg)
{
    return avg(sum[0]) | (avg(sum[1]) << 8) | (avg(sum[2]) << 16) | (avg(sum[3]) << 24);
}

// One running-sum pass along a row of `n` pixels, edges extended.
void blurLine(const QRgb *in, QRgb *out, int n, int radius, const Averager &avg)
{
    uint32_t sum[4] = {0, 0, 0, 0};
    addPixel(sum, in[0], radius + 1);
    for (int i = 1; i <= radius; ++i)
        addPixel(sum, in[std::min(i, n - 1)]);
    for (int i = 0; i < n; ++i) {
        out[i] = average(sum, avg);
        addPixel(sum, in[std::min(i + radius + 1, n - 1)]);
        subPixel(sum, in[std::max(i - radius, 0)]);
    }
}

}  // namespace

void boxBlur(QImage &image, int radius)
{
    const int w = image.width(), h = image.height();
    if (radius <= 0 || w == 0 || h == 0)
        return;
    // Past the picture's longer side a box averages nothing more; the sums stay in range.
    radius = std::min(radius, std::max(w, h));
    const Averager avg(2 * radius + 1);
    std::vector<QRgb> across(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
        blurLine(reinterpret_cast<const QRgb *>(image.constScanLine(y)), across.data() + size_t(y) * w, w,
                 radius, avg);

    // Down the columns a whole row at a time, so memory is read in order.
    auto row = [&](int y) { return across.data() + size_t(std::clamp(y, 0, h - 1)) * w; };
    std::vector<uint32_t> sums(size_t(w) * 4, 0);
    for (int x = 0; x < w; ++x)
        addPixel(&sums[size_t(x) * 4], row(0)[x], radius + 1);
    for (int i = 1; i <= radius; ++i) {
        const QRgb *r = row(i);
        for (int x = 0; x < w; ++x)
            addPixel(&sums[size_t(x) * 4], r[x]);
    }
    for (int y = 0; y < h; ++y) {
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        const QRgb *enter = row(y + radius + 1);
        const QRgb *leave = row(y - radius);
        for (int x = 0; x < w; ++x) {
            uint32_t *sum = &sums[size_t(x) * 4];
            out[x] = average(sum, avg);
            addPixel(sum, enter[x]);
            subPixel(sum, leave[x]);
        }
    }
}

void boxBlurAlpha(QImage &alpha, int radius)
{
    const int w = alpha.width(), h = alpha.height();
    if (radius <= 0 || w == 0 || h == 0 || alpha.format() != QImage::Format_Alpha8)
        return;
    radius = std::min(radius, std::max(w, h));
    const Averager avg(2 * radius + 1);
    std::vector<uint8_t> across(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        const uint8_t *in = alpha.constScanLine(y);
        uint8_t *out = across.data() + size_t(y) * w;
        uint32_t sum = in[0] * uint32_t(radius + 1);
        for (int i = 1; i <= radius; ++i)
            sum += in[std::min(i, w - 1)];
        for (int i = 0; i < w; ++i) {
            out[i] = uint8_t(avg(sum));
            sum += in[std::min(i + radius + 1, w - 1)];
            sum -= in[std::max(i - radius, 0)];
        }
    }
    auto row = [&](int y) { return across.data() + size_t(std::clamp(y, 0, h - 1)) * w; };
    std::vector<uint32_t> sums(size_t(w), 0);
    for (int x = 0; x < w; ++x)
        sums[size_t(x)] = row(0)[x] * uint32_t(radius + 1);
    for (int i = 1; i <= radius; ++i) {
        const uint8_t *r = row(i);
        for (int x = 0; x < w; ++x)
            sums[size_t(x)] += r[x];
    }
    for (int y = 0; y < h; ++y) {
        uint8_t *out = alpha.scanLine(y);
        const uint8_t *enter = row(y + radius + 1);
        const uint8_t *leave = row(y - radius);
        for (int x = 0; x < w; ++x) {
            out[x] = uint8_t(avg(sums[size_t(x)]));
            sums[size_t(x)] += enter[x];
            sums[size_t(x)] -= leave[x];
        }
    }
}

}  // namespace imageops
