#pragma once
// A two-dimensional symbol image: pixels at the print resolution and its size in points.

#include <QImage>
#include <QSizeF>

namespace barcode {

struct TwoDImage {
    QImage pixels;      // premultiplied ARGB, transparent where nothing is drawn
    QSizeF sizePoints;  // the size it is drawn at, in points
    QImage modules;     // the picture before raising: whole pixels per module

    bool isNull() const { return pixels.isNull() || sizePoints.isEmpty(); }
};

// Whether a symbol's picture is redrawn at the print resolution, or kept as its modules for a
// painter that draws them straight onto its device (one rasterisation instead of two). Both
// refuse the same sizes.
enum class Raise { ToDpi, ModulesOnly };

// The image redrawn at `dpi` dots per inch without interpolation, so module edges stay sharp:
// ceil(dpi * w / 72) by ceil(dpi * h / 72) pixels, same size in points. A null image logs
// "Invalid image" and gives a null image. With Raise::ModulesOnly the pixels are the modules.
TwoDImage Increase_DPI(const TwoDImage &image, double dpi, Raise raise = Raise::ToDpi);

// Resolutions the two-dimensional images are raised to. "Auto" is 600 dots per inch; "Custom"
// takes the typed value; the other items start with their number.
QStringList DPI_List_Items();
int Used_DPI_Value(int dpiIndex, const QString &customValue);

}  // namespace barcode
