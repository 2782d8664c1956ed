#pragma once
// The side renderer: a card side drawn as finished, the way it is printed and exported. The
// card base of the side, then every control that is visible and marked for printing (the last
// index first, so index 0 ends on top), then the card border; no handles, grid or marquee.
// Every output paints through drawRect(): images at any resolution, PDF pages (vector), EPS
// files, printers and previews. A view owns its side value and reads nothing else, so views
// render on any thread at once.

#include "core/CardSide.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;

class SKTRenderingView {
public:
    SKTRenderingView(CardSide side, const QString &printJobTitle);

    QString printJobTitle() const { return _printJobTitle; }
    QRectF frame() const { return _side.cardRect; }
    const CardSide &side() const { return _side; }
    bool isFlipped() const { return true; }
    bool isOpaque() const { return true; }

    // Paints the side in frame coordinates (points, y downwards). The dirty rectangle does not
    // limit what is painted.
    void drawRect(QPainter &painter, const QRectF &rect) const;
    // Paints the whole frame scaled into `target` of the painter's coordinates.
    void drawInto(QPainter &painter, const QRectF &target) const;

    // The part of the side inside `rect` as an image of `dpi` (pixel size rounded up), with
    // that resolution recorded in it; transparent where nothing is painted.
    QImage imageInsideRect(const QRectF &rect, double dpi) const;
    // One PDF page of the rect's size in points, drawn as vectors.
    QByteArray dataWithPDFInsideRect(const QRectF &rect) const;
    // An EPS of the rect drawn as vectors like the PDF page; what PostScript cannot say
    // (translucency, gradients, soft-edged pictures) is flattened at `dpi`.
    QByteArray dataWithEPSInsideRect(const QRectF &rect, double dpi) const;
    // The whole frame at 72 dpi.
    QImage imageRepresentation() const;

    // --- operations on a side value, over its card rectangle ---
    static QByteArray pdfDataWithGraphics_data(const CardSide &side);
    // The controls alone (no card) over the union of their drawing bounds, at 72 dpi, each
    // clipped to its own drawing bounds. Empty data and error code 3 when that union is empty.
    static QByteArray tiffDataWithGraphics(const SKTGraphicList &graphics, int *errorCode = nullptr);
    // The same picture unencoded (null when the union is empty): what needs another format
    // starts here, not from TIFF bytes, whose plugin a machine may lack.
    static QImage imageWithGraphics(const SKTGraphicList &graphics);
    // The side as an image painted at `dpi`; null (logged) when there is no card rectangle.
    static QImage image_From_Card_Graphics(const CardSide &side, double dpi = 72.0);
    static QByteArray epsDataWithGraphics(const CardSide &side, double dpi);

    // Writes the side to a file in the format its extension names: png, jpg/jpeg, bmp,
    // tif/tiff (painted at `dpi`, which the file records), pdf (vector page of the card's size)
    // or eps (vector, flattened where it must be at `dpi`). Whole or not at all; false with a one-line reason.
    static bool Write_Side_File(const CardSide &side, const QString &path, double dpi, QString *error = nullptr);

private:
    CardSide _side;
    QString _printJobTitle;
};

// The image of a side, or a null image when there is none.
QImage Card_Design_image_From_Card_Graphics(const CardSide *side, double dpi = 72.0);
