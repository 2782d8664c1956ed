#pragma once
// Reading symbols back with independent tools (decoders, Ghostscript, zint's module dumps) and
// measuring bars in a raster.

#include "barcode/BarcodeSetup.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

namespace bctest {

// A linear set-up with the fonts a new control gets (10 pt); `bare` hides every text.
barcode::BarcodeSetup linearSetup(const QString &symbology, bool bare = false);

struct Decoded {
    QString text;       // the decoder's text; empty when nothing was read
    QByteArray bytes;   // the symbol's data bytes
    QString ecLevel;    // as ZXingReader reports it
    bool hasEci = false;
    bool mirrored = false;
    QString raw;        // the whole report, for failure messages
};
// The image flattened onto white and surrounded by `margin` white pixels.
QImage onWhite(const QImage &image, int margin = 0);
// What the decoders read, each restricted to one format: ZXingReader's name ("QRCode",
// "Code128"), zbarimg's configuration name ("qrcode", "code128"); empty when nothing.
Decoded zxing(const QImage &image, const QString &format);
QByteArray zxingRead(const QImage &image, const QString &format);
QByteArray zbarRead(const QImage &image, const QString &symbology);
QByteArray dmtx(const QImage &image);
// Ghostscript's rendering of an EPS text at `dpi` (cropped to its bounding box), grey on white;
// null with the reason in `error` when gs fails.
QImage renderEps(const QByteArray &eps, int dpi, QString *error = nullptr);

// zint's dump of a symbol: one string of '0'/'1' per row, trailing spaces dropped.
std::vector<QString> zintRows(const QStringList &arguments);
// Bar classes of a postal code from zint's rows: per bar "F" full, "A" ascender, "D"
// descender, "T" tracker (a two-row height-modulated code has only "F" and "T").
QString zintBarClasses(const std::vector<QString> &rows);

// A bar seen in a raster image: its columns and its top and bottom rows, inclusive.
struct SeenBar {
    int left = 0, right = 0, top = 0, bottom = 0;
};
// The bars crossed by the given row, each followed up and down through dark pixels of the
// column at its middle.
std::vector<SeenBar> barsOnRow(const QImage &image, int row);
// The module string read along a pixel row, from the first dark pixel to the last, each run
// counted in modules of the given width; "" when a run is not a whole number of modules.
QString modulesOnRow(const QImage &image, int row, double modulePixels);
// The postal bar classes seen in an image (bars only, no texts), in the letters of zintBarClasses.
QString barClassesSeen(const QImage &image, bool fourState);
// Runs of rows that hold dark pixels, from the top, with the columns their ink spans (inclusive).
struct Band {
    int first = 0, last = 0, left = 0, right = 0;
};
std::vector<Band> inkBands(const QImage &image);
// True for a pixel darker than mid-grey (transparent counts as white).
bool isDark(QRgb pixel);

}  // namespace bctest

namespace lineartest = bctest;
