#pragma once
// The one entry point through which every barcode image of the application is made.

#include "barcode/BarcodeSetup.h"

#include <QImage>
#include <QPointF>
#include <QRectF>
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
    // The drawing rasterised at the given resolution (72 = one pixel per point); none when it
    // would have more than bounds::MaxPicturePixels.
    QImage toImage(double dpi) const;
    // The pixels toImage(dpi) makes, without making them: 0 when it makes none.
    double pixelsAt(double dpi) const;
};

// Device pixels per point along x and y when the painter draws onto pixels without turning or
// shearing; 0 on vector devices (PDF, printers), where symbols are drawn as shapes.
QPointF Raster_Scale(const QPainter &painter);

// The modules of a 2-D symbol (one pixel per module or finer, dark where a module is dark)
// painted into `target`: on pixels with each edge on a device pixel, elsewhere as one filled
// shape, so a PDF holds the symbol as vectors.
void Paint_Module_Image(QPainter &painter, const QImage &modules, const QRectF &target);
// Paint_Module_Image of one symbol, for painting it many times: the rectangles a vector device
// gets are found on first need and kept. The painter may be called on several threads at once.
std::function<void(QPainter &, const QRectF &)> Module_Image_Painter(const QImage &modules);

// Encodes the value with the set-up's symbology and settings. The value is the text to encode
// (the caller chooses linear_font_val, two_d_font_val or a data row's value).
BarcodeImage Render_Barcode(const BarcodeSetup &setup, const QString &value);

}  // namespace barcode
