#pragma once
// Reading symbols back with independent tools (decoders, Ghostscript, zint's module dumps) and
// measuring bars in a raster.

#include "barcode/BarcodeSetup.h"

#include <QByteArray>
#include <QImage>
#include <QStringList>

#include <vector>

namespace bctest {

// A linear set-up with the fonts a new control gets (10 pt); `bare` hides every text.
barcode::BarcodeSetup linearSetup(const QString &symbology, bool bare = false);

struct Decoded {
    QString text, ecLevel;  // the decoder's text (empty when nothing was read), its EC level
    QByteArray bytes;       // the symbol's data bytes
    bool hasEci = false, mirrored = false;
    QString raw;  // the whole report, for failure messages
};
// The image flattened onto white and surrounded by `margin` white pixels.
QImage onWhite(const QImage &image, int margin = 0);
// What the decoders read, each restricted to one format: ZXingReader's name ("QRCode"),
// zbarimg's configuration name ("qrcode"); empty when nothing.
Decoded zxing(const QImage &image, const QString &format);
inline QByteArray zxingRead(const QImage &image, const QString &format) { return zxing(image, format).bytes; }
QByteArray zbarRead(const QImage &image, const QString &symbology);
QByteArray dmtx(const QImage &image);
// Ghostscript's grey rendering of an EPS text at `dpi`, cropped to its bounding box; null with
// the reason in `error` when gs fails.
QImage renderEps(const QByteArray &eps, int dpi, QString *error = nullptr);

// zint's dump of a symbol: one string of '0'/'1' per row, trailing spaces dropped.
std::vector<QString> zintRows(const QStringList &arguments);
// Bar classes of a postal code: per bar "F" full, "A" ascender, "D" descender, "T" tracker (a
// two-row height-modulated code has only "F" and "T"), from zint's rows or seen in an image.
QString zintBarClasses(const std::vector<QString> &rows);
QString barClassesSeen(const QImage &image, bool fourState);

// A bar seen in a raster image: its columns and its top and bottom rows, inclusive.
struct SeenBar {
    int left = 0, right = 0, top = 0, bottom = 0;
};
// The bars crossed by the given row, each followed up and down the column at its middle.
std::vector<SeenBar> barsOnRow(const QImage &image, int row);
// The module string along a pixel row from the first dark pixel to the last, each run counted
// in modules of the given width; "" when a run is not a whole number of modules.
QString modulesOnRow(const QImage &image, int row, double modulePixels);
// Runs of rows that hold dark pixels, from the top, with the columns their ink spans (inclusive).
struct Band {
    int first = 0, last = 0, left = 0, right = 0;
};
std::vector<Band> inkBands(const QImage &image);

}  // namespace bctest

namespace lineartest = bctest;
