#pragma once
// Reading linear symbols back with independent tools: the decoders, and zint's module dumps.

#include "barcode/BarcodeSetup.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

namespace lineartest {

// A linear set-up for the named symbology, with the fonts a new control gets (10 pt).
barcode::BarcodeSetup linearSetup(const QString &symbology);

// What ZXingReader, restricted to one format, reads in the image ("" when nothing).
QByteArray zxingRead(const QImage &image, const QString &format);
// What zbarimg, restricted to one symbology (its configuration name), reads in the image.
QByteArray zbarRead(const QImage &image, const QString &symbology);

// zint's dump of a symbol: one string of '0'/'1' per row, trailing spaces dropped.
std::vector<QString> zintRows(const QStringList &arguments);

// Bar classes of a postal code from zint's rows: per bar, whether it has its upper part and
// whether it has its lower part ("F" full, "A" ascender, "D" descender, "T" tracker; for a
// two-row height-modulated code "F" and "T").
QString zintBarClasses(const std::vector<QString> &rows);

// A bar seen in a raster image: its columns and its top and bottom rows (inclusive).
struct SeenBar {
    int left = 0, right = 0, top = 0, bottom = 0;
};
// The bars crossed by the given row, each followed up and down through dark pixels of the
// column at its middle.
std::vector<SeenBar> barsOnRow(const QImage &image, int row);
// The pixel row that crosses the most bars.
int rowCrossingMostBars(const QImage &image);
// The module string read along a pixel row, from the first dark pixel to the last, each run
// counted in modules of the given width; "" when a run is not a whole number of modules.
QString modulesOnRow(const QImage &image, int row, double modulePixels);
// The postal bar classes seen in an image, in the letters of zintBarClasses.
QString barClassesSeen(const QImage &image, bool fourState);
// True for a pixel darker than mid-grey (transparent counts as white).
bool isDark(QRgb pixel);

}  // namespace lineartest
