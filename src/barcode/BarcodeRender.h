#pragma once
// The one entry point through which every barcode image of the application is made.

#include "barcode/BarcodeSetup.h"

#include <QImage>
#include <QSizeF>
#include <QString>

#include <functional>

class QPainter;

namespace barcode {

// A finished symbol with its frame, header, footer and caption, ready to paint at any scale.
struct BarcodeImage {
    QSizeF sizePoints;                      // the whole drawing, in points
    std::function<void(QPainter &)> paint;  // paints into (0, 0, sizePoints), in points
    QString error;                          // non-empty: the value was refused; nothing to draw

    bool isValid() const { return error.isEmpty() && paint && !sizePoints.isEmpty(); }
    // The drawing rasterised at the given resolution (72 = one pixel per point).
    QImage toImage(double dpi) const;
};

// Encodes the value with the set-up's symbology and settings. The value is the text to encode
// (the caller chooses linear_font_val, two_d_font_val or a data row's value).
BarcodeImage Render_Barcode(const BarcodeSetup &setup, const QString &value);

}  // namespace barcode
