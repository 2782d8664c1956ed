#include "barcode/DataMatrixSymbol.h"
#include "platform/ValueBounds.h"

#include "core/Utilities.h"

// The library's header declares its function without C linkage guards.
extern "C" {
#include <iec16022ecc200.h>
}
#include <dmtx.h>

#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace barcode {

namespace {

// libiec16022 reads past its tables for inputs of MAXBARCODE bytes.
constexpr int kIecInputLimit = MAXBARCODE - 1;

bool isAscii(const QByteArray &bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) > 127)
            return false;
    return true;
}

// libiec16022 cannot make Base256 (it returns nothing, and would not scramble the length
// byte), and its 144 x 144 symbols are not read by other readers: those go to libdmtx.
bool iecCanEncode(const QByteArray &bytes, int W, int H, int encodingIndex)
{
    return isAscii(bytes) && encodingIndex != 4 && bytes.size() <= kIecInputLimit && !(W == 144 && H == 144);
}

DataMatrixGrid encodeWithIec(const QByteArray &bytes, int W, int H, int encodingIndex)
{
    DataMatrixGrid out;
    static constexpr char letters[] = {0, 'A', 'C', 'T', 'B'};
    char *encoding = nullptr;
    if (encodingIndex >= 1 && encodingIndex <= 4) {
        encoding = static_cast<char *>(std::malloc(size_t(bytes.size()) + 1));
        std::memset(encoding, letters[encodingIndex], size_t(bytes.size()));
        encoding[bytes.size()] = 0;
    }
    int w = W, h = H, len = 0, max = 0, ecc = 0;
    QByteArray copy = bytes;
    unsigned char *grid = iec16022ecc200(&w, &h, &encoding, int(copy.size()),
                                         reinterpret_cast<unsigned char *>(copy.data()), &len, &max, &ecc);
    if (grid && w > 0 && h > 0) {
        out.W = w;
        out.H = h;
        out.cells.assign(grid, grid + size_t(w) * size_t(h));
        out.encoder = QStringLiteral("iec16022");
    } else {
        Show_NSLog_Message(QStringLiteral("libiec16022: no symbol of %1x%2; encoded %3 of %4 bytes with %5 bytes of ecc")
                               .arg(w).arg(h).arg(len).arg(max).arg(ecc));
    }
    std::free(grid);
    std::free(encoding);
    return out;
}

int dmtxSizeIndex(int W, int H)
{
    if (W == 0 && H == 0)
        return DmtxSymbolSquareAuto;
    for (int idx = 0; idx < DmtxSymbolSquareCount + DmtxSymbolRectCount; ++idx)
        if (dmtxGetSymbolAttribute(DmtxSymAttribSymbolCols, idx) == W
            && dmtxGetSymbolAttribute(DmtxSymAttribSymbolRows, idx) == H)
            return idx;
    return DmtxUndefined;
}


// GF(256) with x^8 + x^5 + x^3 + x^2 + 1, the Data Matrix field.
struct DmField {
    int exp[512];
    int log[256];
    DmField()
    {
        int x = 1;
        for (int i = 0; i < 255; ++i) {
            exp[i] = exp[i + 255] = x;
            log[x] = i;
            x <<= 1;
            if (x & 0x100)
                x ^= 0x12D;
        }
        log[0] = 0;
    }
    int mul(int a, int b) const { return (a && b) ? exp[log[a] + log[b]] : 0; }
};

const DmField &dmField()
{
    static const DmField f;
    return f;
}

// Correction codewords of one block: the remainder of the data by the product of (x - a^i),
// i = 1 .. n, highest power first.
std::vector<uint8_t> dmReedSolomon(const std::vector<uint8_t> &data, int n)
{
    const DmField &f = dmField();
    std::vector<int> gen(size_t(n) + 1, 0);  // gen[k] = coefficient of x^(n-k)
    gen[0] = 1;
    for (int i = 1; i <= n; ++i) {
        for (int k = i; k >= 1; --k)
            gen[size_t(k)] ^= f.mul(gen[size_t(k - 1)], f.exp[i]);
    }
    std::vector<int> rem(size_t(n), 0);
    for (uint8_t d : data) {
        const int factor = d ^ rem[0];
        for (int k = 0; k < n - 1; ++k)
            rem[size_t(k)] = rem[size_t(k + 1)] ^ f.mul(gen[size_t(k + 1)], factor);
        rem[size_t(n - 1)] = f.mul(gen[size_t(n)], factor);
    }
    return std::vector<uint8_t>(rem.begin(), rem.end());
}

// The standard's module placement of the mapping matrix: for every module, 8 * codeword + bit
// (bit 0 the most significant), -1 for a fixed light module and -2 for a fixed dark one.
std::vector<int> dmPlacement(int nrow, int ncol)
{
    std::vector<int> a(size_t(nrow) * size_t(ncol), -1);
    std::vector<bool> set(a.size(), false);
    auto module = [&](int row, int col, int chr, int bit) {
        if (row < 0) {
            row += nrow;
            col += 4 - ((nrow + 4) % 8);
        }
        if (col < 0) {
            col += ncol;
            row += 4 - ((ncol + 4) % 8);
        }
        const size_t i = size_t(row) * size_t(ncol) + size_t(col);
        a[i] = chr * 8 + bit;
        set[i] = true;
    };
    auto utah = [&](int row, int col, int chr) {
        module(row - 2, col - 2, chr, 0);
        module(row - 2, col - 1, chr, 1);
        module(row - 1, col - 2, chr, 2);
        module(row - 1, col - 1, chr, 3);
        module(row - 1, col, chr, 4);
        module(row, col - 2, chr, 5);
        module(row, col - 1, chr, 6);
        module(row, col, chr, 7);
    };
    auto corner = [&](const int (&cells)[8][2], int chr) {
        for (int b = 0; b < 8; ++b) {
            const int r = cells[b][0] < 0 ? nrow + cells[b][0] : cells[b][0];
            const int c = cells[b][1] < 0 ? ncol + cells[b][1] : cells[b][1];
            module(r, c, chr, b);
        }
    };
    static constexpr int corner1[8][2] = {{-1, 0}, {-1, 1}, {-1, 2}, {0, -2}, {0, -1}, {1, -1}, {2, -1}, {3, -1}};
    static constexpr int corner2[8][2] = {{-3, 0}, {-2, 0}, {-1, 0}, {0, -4}, {0, -3}, {0, -2}, {0, -1}, {1, -1}};
    static constexpr int corner3[8][2] = {{-3, 0}, {-2, 0}, {-1, 0}, {0, -2}, {0, -1}, {1, -1}, {2, -1}, {3, -1}};
    static constexpr int corner4[8][2] = {{-1, 0}, {-1, -1}, {0, -3}, {0, -2}, {0, -1}, {1, -3}, {1, -2}, {1, -1}};
    auto isSet = [&](int r, int c) { return set[size_t(r) * size_t(ncol) + size_t(c)]; };
    int chr = 0, row = 4, col = 0;
    do {
        if (row == nrow && col == 0)
            corner(corner1, chr++);
        if (row == nrow - 2 && col == 0 && ncol % 4)
            corner(corner2, chr++);
        if (row == nrow - 2 && col == 0 && ncol % 8 == 4)
            corner(corner3, chr++);
        if (row == nrow + 4 && col == 2 && !(ncol % 8))
            corner(corner4, chr++);
        do {
            if (row < nrow && col >= 0 && !isSet(row, col))
                utah(row, col, chr++);
            row -= 2;
            col += 2;
        } while (row >= 0 && col < ncol);
        row += 1;
        col += 3;
        do {
            if (row >= 0 && col < ncol && !isSet(row, col))
                utah(row, col, chr++);
            row += 2;
            col -= 2;
        } while (row < nrow && col >= 0);
        row += 3;
        col += 1;
    } while (row < nrow || col < ncol);
    if (!isSet(nrow - 1, ncol - 1)) {
        a[size_t(nrow - 1) * size_t(ncol) + size_t(ncol - 1)] = -2;
        a[size_t(nrow - 2) * size_t(ncol) + size_t(ncol - 2)] = -2;
    }
    return a;
}

int dmAttr(int attribute, int sizeIdx) { return dmtxGetSymbolAttribute(attribute, sizeIdx); }

// 144 x 144 symbols as the standard interleaves them: codeword p of the whole sequence, data
// and correction alike, belongs to block p mod 10, so the correction codewords start with
// block 8 (the two last blocks hold one data codeword less). libdmtx starts them at block 0.
std::vector<uint8_t> interleave144(const std::vector<uint8_t> &data)
{
    const int blocks = 10, ecc = 62;
    const int nData = int(data.size());
    std::vector<uint8_t> out(data);
    out.resize(size_t(nData + blocks * ecc));
    for (int b = 0; b < blocks; ++b) {
        std::vector<uint8_t> blockData;
        for (int k = b; k < nData; k += blocks)
            blockData.push_back(data[size_t(k)]);
        const std::vector<uint8_t> rs = dmReedSolomon(blockData, ecc);
        for (int j = 0; j < ecc; ++j)
            out[size_t(nData + j * blocks + (b + blocks - nData % blocks) % blocks)] = rs[size_t(j)];
    }
    return out;
}

DataMatrixGrid encodeWithDmtx(const QByteArray &bytes, int W, int H, int encodingIndex)
{
    DataMatrixGrid out;
    const int sizeIdx = dmtxSizeIndex(W, H);
    if (sizeIdx == DmtxUndefined)
        return out;
    static constexpr int schemes[] = {DmtxSchemeAutoBest, DmtxSchemeAscii, DmtxSchemeC40, DmtxSchemeText,
                                      DmtxSchemeBase256};
    DmtxEncode *enc = dmtxEncodeCreate();
    if (!enc)
        return out;
    dmtxEncodeSetProp(enc, DmtxPropScheme, schemes[encodingIndex >= 0 && encodingIndex <= 4 ? encodingIndex : 0]);
    dmtxEncodeSetProp(enc, DmtxPropSizeRequest, sizeIdx);
    dmtxEncodeSetProp(enc, DmtxPropMarginSize, 0);
    dmtxEncodeSetProp(enc, DmtxPropModuleSize, 1);
    QByteArray copy = bytes;
    if (dmtxEncodeDataMatrix(enc, int(copy.size()), reinterpret_cast<unsigned char *>(copy.data())) == DmtxPass) {
        const int idx = enc->region.sizeIdx;
        const int W = dmAttr(DmtxSymAttribSymbolCols, idx), H = dmAttr(DmtxSymAttribSymbolRows, idx);
        if (W == 144 && H == 144) {
            const int nData = dmAttr(DmtxSymAttribSymbolDataWords, idx);
            const std::vector<uint8_t> data(enc->message->code, enc->message->code + nData);
            out = DataMatrix_Place(W, H, interleave144(data));
        } else {
            out.W = W;
            out.H = H;
            out.cells.assign(size_t(W) * size_t(H), 0);
            for (int row = 0; row < H; ++row)
                for (int col = 0; col < W; ++col)
                    out.cells[size_t(row) * size_t(W) + size_t(col)] =
                        (dmtxSymbolModuleStatus(enc->message, idx, row, col) & DmtxModuleOnRGB) ? 1 : 0;
        }
        out.encoder = QStringLiteral("dmtx");
    }
    dmtxEncodeDestroy(&enc);
    return out;
}

}  // namespace

const QStringList &DataMatrix_Size_Items()
{
    static const QStringList items = {
        QStringLiteral("Auto"),     QStringLiteral("C10X10"),   QStringLiteral("C12X12"),   QStringLiteral("C14X14"),
        QStringLiteral("C16X16"),   QStringLiteral("C18X18"),   QStringLiteral("C20X20"),   QStringLiteral("C22X22"),
        QStringLiteral("C24X24"),   QStringLiteral("C26X26"),   QStringLiteral("C32X32"),   QStringLiteral("C36X36"),
        QStringLiteral("C40X40"),   QStringLiteral("C44X44"),   QStringLiteral("C48X48"),   QStringLiteral("C52X52"),
        QStringLiteral("C64X64"),   QStringLiteral("C72X72"),   QStringLiteral("C80X80"),   QStringLiteral("C88X88"),
        QStringLiteral("C96X96"),   QStringLiteral("C104X104"), QStringLiteral("C120X120"), QStringLiteral("C132X132"),
        QStringLiteral("C144X144"), QStringLiteral("C8X18"),    QStringLiteral("C8X32"),    QStringLiteral("C12X26"),
        QStringLiteral("C12X36"),   QStringLiteral("C16X36"),   QStringLiteral("C16X48"),
    };
    return items;
}

const QStringList &DataMatrix_Encoding_Items()
{
    static const QStringList items = {QStringLiteral("Auto"), QStringLiteral("Ascii"), QStringLiteral("C40"),
                                      QStringLiteral("Text"), QStringLiteral("Base256")};
    return items;
}

void DataMatrix_Size_From_Item(const QString &item, int *W, int *H)
{
    *W = *H = 0;
    if (item == QLatin1String("Auto"))
        return;
    const QString rest = item.mid(1);
    const int x = rest.indexOf(QLatin1Char('X'));
    if (x < 0)
        return;
    *H = rest.left(x).trimmed().toInt();
    *W = rest.mid(x + 1).trimmed().toInt();
}

DataMatrixGrid Encode_DataMatrix(const QByteArray &bytes, int W, int H, int encodingIndex)
{
    DataMatrixGrid grid;
    if (bytes.isEmpty()) {
        grid.error = QStringLiteral("Invalid barcode value.");
        return grid;
    }
    if (iecCanEncode(bytes, W, H, encodingIndex)) {
        grid = encodeWithIec(bytes, W, H, encodingIndex);
        if (!grid.isNull() && grid.W == 144 && grid.H == 144)
            grid = {};  // chosen automatically: made again below
    }
    if (grid.isNull())
        grid = encodeWithDmtx(bytes, W, H, encodingIndex);
    if (grid.isNull()) {
        static const char *names[] = {"Auto", "A", "C", "T", "B"};
        Show_NSLog_Message(QStringLiteral("No barcode produced"));
        Show_NSLog_Message(QStringLiteral("Size    : %1x%2").arg(W).arg(H));
        Show_NSLog_Message(QStringLiteral("Barcode : %1").arg(QString::fromUtf8(bytes)));
        Show_NSLog_Message(QStringLiteral("Encoding: %1").arg(QString::fromLatin1(names[std::clamp(encodingIndex, 0, 4)])));
        grid.error = QStringLiteral("The value is too long for this Data Matrix size and encoding.");
    }
    return grid;
}

DataMatrixGrid DataMatrix_Place(int W, int H, const std::vector<uint8_t> &codewords)
{
    DataMatrixGrid out;
    const int idx = dmtxSizeIndex(W, H);
    if (idx < 0)
        return out;
    const int rr = dmAttr(DmtxSymAttribDataRegionRows, idx), rc = dmAttr(DmtxSymAttribDataRegionCols, idx);
    const int nrow = dmAttr(DmtxSymAttribMappingMatrixRows, idx), ncol = dmAttr(DmtxSymAttribMappingMatrixCols, idx);
    const std::vector<int> map = dmPlacement(nrow, ncol);
    out.W = W;
    out.H = H;
    out.cells.assign(size_t(W) * size_t(H), 0);
    for (int y = 0; y < H; ++y) {  // from the top
        const int ry = y % (rr + 2);
        for (int x = 0; x < W; ++x) {
            const int rx = x % (rc + 2);
            bool dark;
            if (rx == 0 || ry == rr + 1) {
                dark = true;  // the solid L of each region
            } else if (ry == 0) {
                dark = rx % 2 == 0;
            } else if (rx == rc + 1) {
                dark = ry % 2 == 1;
            } else {
                const int mr = y - 2 * (y / (rr + 2)) - 1, mc = x - 2 * (x / (rc + 2)) - 1;
                const int v = map[size_t(mr) * size_t(ncol) + size_t(mc)];
                if (v < 0) {
                    dark = v == -2;
                } else {
                    const size_t chr = size_t(v / 8);
                    dark = chr < codewords.size() && (codewords[chr] & (0x80 >> (v % 8)));
                }
            }
            out.cells[size_t(H - 1 - y) * size_t(W) + size_t(x)] = dark ? 1 : 0;
        }
    }
    return out;
}

QByteArray makeEPS_Data_Matrix(const QByteArray &value, const DataMatrixGrid &grid)
{
    if (grid.isNull())
        return {};
    // The value goes into a comment line: nothing in it may end the comment.
    QByteArray shown = value;
    for (char &c : shown)
        if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126)
            c = '?';
    const int W = grid.W, H = grid.H;
    QByteArray eps;
    eps += "%!PS-Adobe-3.0 EPSF-3.0\n%%Creator: IEC16022 barcode/stamp generator\n%%BarcodeData: " + shown + "\n";
    eps += QStringLiteral("%%BarcodeSize: %1x%2\n%%BarcodeFormat: ECC200\n%%DocumentData: Clean7Bit\n"
                          "%%LanguageLevel: 1\n%%Pages: 1\n")
               .arg(W)
               .arg(H)
               .toLatin1();
    eps += QStringLiteral("%%BoundingBox: 0 0 %1 %2\n%%EndComments\n%%Page: 1 1\n%3 %4 1[1 0 0 1 -1 -1]{<\n")
               .arg(W + 2)
               .arg(H + 2)
               .arg(W)
               .arg(H)
               .toLatin1();
    int counter = 0;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; x += 8) {
            int byte = 0;
            for (int bit = 0; bit < 8; ++bit)
                if (x + bit < W && grid.dark(x + bit, y))
                    byte |= 0x80 >> bit;
            eps += QByteArray::number(byte ^ 0xFF, 16).rightJustified(2, '0').toUpper();
            ++counter;
        }
        eps += ' ';
        ++counter;
        if (counter >= 80) {
            eps += '\n';
            counter = 0;
        }
    }
    if (counter)
        eps += '\n';
    eps += "\n>}image\n";
    return eps;
}

TwoDImage DataMatrix_Image(const DataMatrixGrid &grid, int moduleSize, double dpi, Raise raise)
{
    if (grid.isNull() || moduleSize <= 0)
        return {};
    const int W = grid.W, H = grid.H;
    QImage cells(W + 2, H + 2, QImage::Format_ARGB32_Premultiplied);
    cells.fill(qRgba(255, 255, 255, 255));
    for (int y = 0; y < H; ++y) {
        // Grid row 0 is the bottom row.
        auto *line = reinterpret_cast<QRgb *>(cells.scanLine(H - y));
        for (int x = 0; x < W; ++x)
            if (grid.dark(x, y))
                line[x + 1] = qRgba(0, 0, 0, 255);
    }
    const double module = bounds::ModulePixels(moduleSize);
    return Increase_DPI(TwoDImage{cells, QSizeF(W * module, H * module), {}}, dpi, raise);
}

}  // namespace barcode
