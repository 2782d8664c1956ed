#pragma once
// The ranges stored numbers are held to before they reach integer arithmetic, an allocation or
// a painter. Designs, archives, the clipboard and settings suffixes can come from anyone: one
// range per kind of value, applied where the value is read or used, instead of a check per
// caller. Each range is wide enough for every value the editors can give.
#include <algorithm>
#include <cmath>

namespace bounds {

struct Range {
    double low;
    double high;
    double fallback;  // for a value that is not a number
    double operator()(double v) const { return std::isnan(v) ? fallback : std::clamp(v, low, high); }
    int toInt(double v) const { return int(std::lround((*this)(v))); }
};

// Blur of a picture in its own pixels (the photo chain); a box wider than the picture blurs no more.
inline constexpr Range BlurPixels{0.0, 2000.0, 0.0};
// Blur of a text shadow in points: the shadow's picture grows by four times the blur.
inline constexpr Range BlurPoints{0.0, 64.0, 0.0};
// Strength-like photo settings (sharpness, saturation, brightness, contrast, hue, exposure).
inline constexpr Range FilterAmount{-1000.0, 1000.0, 0.0};
inline constexpr Range RotationDegrees{-3600.0, 3600.0, 0.0};
inline constexpr Range Percent{0.0, 100.0, 100.0};
// Border and line widths, in points.
inline constexpr Range LineWidthPoints{0.0, 200.0, 0.0};
// Pixels per module of a two-dimensional symbol.
inline constexpr Range ModulePixels{1.0, 100.0, 1.0};
// Text drawn into a barcode picture (caption, header, footer), in points.
inline constexpr Range PictureFontPoints{1.0, 144.0, 10.0};
// Resolution of a picture or an export, in dots per inch.
inline constexpr Range Dpi{1.0, 9600.0, 72.0};
// Most pixels a picture made from stored settings may have (8000 by 8000).
inline constexpr double MaxPicturePixels = 64.0e6;

}  // namespace bounds
