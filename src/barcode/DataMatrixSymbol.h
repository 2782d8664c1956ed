#pragma once
// Data Matrix (ECC 200) symbols: the module grid from libiec16022, or from libdmtx where
// libiec16022 cannot make a correct symbol, the symbol's EPS text and its image.

#include "barcode/TwoDImage.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace barcode {

// Items of the size list ("Auto", then "C<rows>X<columns>") and of the encoding list.
const QStringList &DataMatrix_Size_Items();
const QStringList &DataMatrix_Encoding_Items();
// Columns (W) and rows (H) of a size item; both 0 for "Auto" or an item without "X".
void DataMatrix_Size_From_Item(const QString &item, int *W, int *H);

struct DataMatrixGrid {
    int W = 0;                   // columns
    int H = 0;                   // rows
    std::vector<uint8_t> cells;  // W x H, index y * W + x, row 0 the BOTTOM row, nonzero dark
    QString encoder;             // "iec16022" or "dmtx": which library made it
    QString error;               // why there is no symbol

    bool isNull() const { return cells.empty(); }
    bool dark(int x, int y) const { return cells[size_t(y) * size_t(W) + size_t(x)] != 0; }
};

// Encodes the bytes at a requested size (W = H = 0: the encoder chooses) with the encoding of
// the list index (0 automatic, 1 ASCII, 2 C40, 3 Text, 4 Base256).
DataMatrixGrid Encode_DataMatrix(const QByteArray &bytes, int W, int H, int encodingIndex);

// A symbol of W columns and H rows built from its whole codeword sequence (data, then the
// interleaved correction codewords): finder patterns and the standard's module placement.
DataMatrixGrid DataMatrix_Place(int W, int H, const std::vector<uint8_t> &codewords);

// The symbol as Encapsulated PostScript: one unit a module inside a one-unit border.
QByteArray makeEPS_Data_Matrix(const QByteArray &value, const DataMatrixGrid &grid);

// The image drawn from the same geometry: (W + 2) x (H + 2) units with a white one-unit border,
// sized W x moduleSize by H x moduleSize points and raised to `dpi`.
TwoDImage DataMatrix_Image(const DataMatrixGrid &grid, int moduleSize, double dpi, Raise raise = Raise::ToDpi);

}  // namespace barcode
