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
// A card's own width and height, in points: the size editor goes up to 10 metres.
inline constexpr Range CardSizePoints{0.0, 28350.0, 0.0};
// Positions and sizes on a card, in points: beyond any card, and small enough that a canvas at
// its largest zoom keeps every pixel in an int.
inline constexpr Range CardPoints{-100000.0, 100000.0, 0.0};
// Lengths a control keeps (outline, corner radius, offsets, margins, kerning), in points.
inline constexpr Range LengthPoints{-100000.0, 100000.0, 0.0};
// A fraction 0 to 1 read as opacity; anything above 1 counts as opaque (older designs store 100).
inline constexpr Range Opacity{0.0, 100.0, 1.0};
// Photo adjustments of any kind (factors, offsets, blur).
inline constexpr Range Adjustment{-BlurPixels.high, BlurPixels.high, 0.0};
// Numbers of things (vertices, modules, rows, pixels per module).
inline constexpr Range Count{0.0, 1000.0, 0.0};
// An index into a fixed list of choices, or -1 for none.
inline constexpr Range Choice{-1.0, 1000.0, 0.0};
// An index into a data source (a spreadsheet column or a series entry), or -1 for none.
inline constexpr Range Column{-1.0, 1.0e6, -1.0};
// Font sizes of texts on a card, in points.
inline constexpr Range FontPoints{1.0, 1000.0, 12.0};
// Most pixels a picture made from stored settings may have (8000 by 8000).
inline constexpr double MaxPicturePixels = 64.0e6;
// Most pixels all the pictures of one design may have together when it is opened (stored
// pictures and barcodes rebuilt from their set-up): about 400 MB of memory.
inline constexpr double MaxDesignPicturePixels = 100.0e6;

}  // namespace bounds
