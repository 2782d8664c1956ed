#pragma once
// QR Code front end: capacity check, the module grid handed from the encoder to the painter,
// and the painting of that grid at a requested size and print resolution.

#include "barcode/TwoDImage.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace barcode {

// A square grid of modules (1 dark, 0 light); cell (x, y) with x to the right, y downwards.
class DataMatrix {
public:
    explicit DataMatrix(int dimension);
    static std::unique_ptr<DataMatrix> initWith(int dimension) { return std::make_unique<DataMatrix>(dimension); }
    void set(int value, int x, int y) { _data[size_t(y) * size_t(_dimension) + size_t(x)] = value ? 1 : 0; }
    bool valueAt(int x, int y) const { return _data[size_t(y) * size_t(_dimension) + size_t(x)] != 0; }
    int dimension() const { return _dimension; }
    QString description() const;  // rows top to bottom, each cell "%d", "\n" after each row

private:
    int _dimension;
    std::vector<uint8_t> _data;
};

// Data capacities in characters for versions 1-40 and levels L, M, Q, H, at index
// (version - 1) * 4 + level: the largest count whose single-segment bit length fits.
const std::vector<int64_t> &QR_Numric_size_array();
const std::vector<int64_t> &QR_AlphaNumric_size_array();
const std::vector<int64_t> &QR_8_BIT_size_array();
const std::vector<int64_t> &QR_Kanji_size_array();

class QREncoder {
public:
    // level 0-3 (L, M, Q, H); version 0 (automatic: the smallest that holds the text) or 1-40.
    // The text goes to the encoder as UTF-8. Null when the text is empty or does not fit.
    static std::unique_ptr<DataMatrix> encodeWithECLevel(int level, int version, const QString &string);
    static std::unique_ptr<DataMatrix> encodeCStringWithECLevel(int level, int version, const QByteArray &cstring);

    // The grid painted into a dimension x dimension point image (one pixel a point) with an
    // opaque white four-module quiet zone, then raised to `dpi`. A dimension too small for one
    // point a module grows to the module count. Null for a missing or empty grid.
    static TwoDImage renderDataMatrix(const DataMatrix *matrix, int imageDimension, double dpi,
                                      Raise raise = Raise::ToDpi);
    // The same before the raise: one pixel a point.
    static QImage paintDataMatrix(const DataMatrix *matrix, int imageDimension);
};

// The 2-D size field's minimum for a QR version index (0 automatic): the version's module count.
int QR_Minimum_Size(int versionIndex);

}  // namespace barcode
