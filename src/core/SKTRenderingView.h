#pragma once
// The side renderer: a list of card controls drawn as the finished card side, the way it is
// printed and exported. The card base of the side being painted, then every control that is
// visible and marked for printing (the last index first, so index 0 ends on top), then the
// card border; no handles, grid or marquee. Every output paints through drawRect(): images at
// any resolution, PDF pages (vector), EPS files, printers and previews.
//
// Which side's base and border are painted follows the main window's current side (the hub's
// card painting); callers that render the back side select it first.

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QString>
#include <memory>
#include <vector>

class QPainter;
class SKTGraphic;

// Controls of one side, index 0 frontmost; not owned.
using SKTGraphicList = std::vector<SKTGraphic *>;

// The controls of any container of pointers (raw, unique or shared) as a list.
template <class Range>
SKTGraphicList Graphic_Pointers(const Range &controls)
{
    SKTGraphicList out;
    for (const auto &c : controls)
        out.push_back(std::to_address(c));
    return out;
}

class SKTRenderingView {
public:
    SKTRenderingView(const QRectF &frame, SKTGraphicList graphics, const QString &printJobTitle);

    QString printJobTitle() const { return _printJobTitle; }
    QRectF frame() const { return _frame; }
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
    // An EPS of the rect, the side embedded at `dpi`.
    QByteArray dataWithEPSInsideRect(const QRectF &rect, double dpi) const;
    // The whole frame at 72 dpi.
    QImage imageRepresentation() const;

    // --- operations on a control list, over the card frame (the front canvas's bounds) ---
    static QRectF cardFrame();
    static QByteArray pdfDataWithGraphics_data(const SKTGraphicList &graphics);
    // The controls alone (no card) over the union of their drawing bounds, at 72 dpi, each
    // clipped to its own drawing bounds. Empty data and error code 3 when that union is empty.
    static QByteArray tiffDataWithGraphics(const SKTGraphicList &graphics, int *errorCode = nullptr);
    // The side as an image painted at `dpi`; null (logged) when there is no card frame.
    static QImage image_From_Card_Graphics(const SKTGraphicList &graphics, double dpi = 72.0);
    static QByteArray epsDataWithGraphics(const SKTGraphicList &graphics, double dpi);

    // Writes the side to a file in the format its extension names: png, jpg/jpeg, bmp,
    // tif/tiff (painted at `dpi`, which the file records), pdf (vector page of the card's size)
    // or eps (the side at `dpi`). Whole or not at all; false with a one-line reason.
    static bool Write_Side_File(const SKTGraphicList &graphics, const QString &path, double dpi,
                                QString *error = nullptr);

private:
    QRectF _frame;
    SKTGraphicList _graphics;
    QString _printJobTitle;
};

// The image of a control list, or a null image when there is no list.
QImage Card_Design_image_From_Card_Graphics(const SKTGraphicList *graphics, double dpi = 72.0);
