#pragma once
// The one rule by which a picture's pixels relate to card points, for every picture handed
// between the subsystems (barcodes, card sides, raised exports): the resolution recorded in
// the image (its dots per metre) says how many pixels make an inch of 72 points. An image
// whose resolution was never set carries Qt's default and counts as 72 dpi, one pixel a point.

#include <QImage>
#include <QSize>
#include <QSizeF>

// The picture's resolution in dots per inch, rounded to a whole number; 72 when it was never
// set or is not usable.
double Image_Dpi(const QImage &image);

// The picture's size in points at its own resolution; 0 by 0 for a null image.
QSizeF Image_Size_In_Points(const QImage &image);

// Records the resolution in the image (both directions).
void Set_Image_Dpi(QImage &image, double dpi);

// Pixels needed to cover a size in points at a resolution: each side rounded up, worked out
// in single precision so that 243 x 154 points at 600 dpi give 2025 x 1284.
QSize Pixel_Size_For_Points(const QSizeF &points, double dpi);
