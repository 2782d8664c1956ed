#include "barcode/QREncoder.h"

#include "barcode/QREncode.h"

#include <algorithm>

namespace barcode {

namespace {

constexpr int kQuietZone = 4;  // modules of light margin every reader expects around the symbol
constexpr int kMaxDimension = 8000;  // points; far beyond any card

std::vector<int64_t> capacityTable(uint8_t mode)
{
    CQR_Encode probe;
    std::vector<int64_t> table(160, 0);
    for (int v = 1; v <= 40; ++v) {
        const int group = v < 10 ? 0 : v < 27 ? 1 : 2;
        for (int e = 0; e < 4; ++e) {
            const int bits = QR_Data_Bits(v, e);
            // Kanji characters are counted in characters, two bytes each.
            const int unit = mode == 3 ? 2 : 1;
            int64_t count = 0;
            while (probe.GetBitLength(mode, int(count + 1) * unit, group) <= bits)
                ++count;
            table[size_t((v - 1) * 4 + e)] = count;
        }
    }
    return table;
}

}  // namespace

DataMatrix::DataMatrix(int dimension)
    : _dimension(std::max(0, dimension))
    , _data(size_t(_dimension) * size_t(_dimension), 0)
{
}

QString DataMatrix::description() const
{
    QString out;
    for (int y = 0; y < _dimension; ++y) {
        for (int x = 0; x < _dimension; ++x)
            out += valueAt(x, y) ? QLatin1Char('1') : QLatin1Char('0');
        out += QLatin1Char('\n');
    }
    return out;
}

const std::vector<int64_t> &QR_Numric_size_array()
{
    static const std::vector<int64_t> t = capacityTable(0);
    return t;
}
const std::vector<int64_t> &QR_AlphaNumric_size_array()
{
    static const std::vector<int64_t> t = capacityTable(1);
    return t;
}
const std::vector<int64_t> &QR_8_BIT_size_array()
{
    static const std::vector<int64_t> t = capacityTable(2);
    return t;
}
const std::vector<int64_t> &QR_Kanji_size_array()
{
    static const std::vector<int64_t> t = capacityTable(3);
    return t;
}

std::unique_ptr<DataMatrix> QREncoder::encodeWithECLevel(int level, int version, const QString &string)
{
    return encodeCStringWithECLevel(level, version, string.toUtf8());
}

std::unique_ptr<DataMatrix> QREncoder::encodeCStringWithECLevel(int level, int version, const QByteArray &cstring)
{
    if (level < 0 || level > 3 || version < 0 || version > 40 || cstring.isEmpty())
        return nullptr;
    auto encoder = std::make_unique<CQR_Encode>();
    const int length = int(cstring.size());

    // A quick refusal by the single mode of the whole text; the automatic version may grow
    // to 40, so it is checked against the largest symbol.
    const int mode = encoder->Get_Encoding_Mode(cstring.constData(), length);
    const int checkVersion = version == 0 ? 40 : version;
    const std::vector<int64_t> *table = mode == 0 ? &QR_Numric_size_array()
        : mode == 1                               ? &QR_AlphaNumric_size_array()
        : mode == 2                               ? &QR_8_BIT_size_array()
                                                  : &QR_Kanji_size_array();
    if (length > (*table)[size_t((checkVersion - 1) * 4 + level)])
        return nullptr;

    if (!encoder->EncodeData(level, version, true, -1, cstring.constData(), length))
        return nullptr;

    const int n = encoder->m_nSymbleSize;
    auto grid = DataMatrix::initWith(n);
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            grid->set(encoder->m_byModuleData[x][y] == 1 ? 1 : 0, x, y);
    return grid;
}

QImage QREncoder::paintDataMatrix(const DataMatrix *matrix, int imageDimension)
{
    if (!matrix || matrix->dimension() == 0 || imageDimension > kMaxDimension)
        return {};
    const int n = matrix->dimension();
    const int span = n + 2 * kQuietZone;
    const int d = std::max(imageDimension, span);
    const int m = d / span;
    const int spare = d - m * span;
    const int lead = spare / 2;

    QImage img(d, d, QImage::Format_ARGB32_Premultiplied);
    if (img.isNull())
        return {};
    img.fill(Qt::transparent);
    const QRgb white = qRgba(255, 255, 255, 255);
    const QRgb black = qRgba(0, 0, 0, 255);
    for (int py = lead; py < lead + span * m; ++py) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(py));
        const int my = (py - lead) / m - kQuietZone;
        for (int px = lead; px < lead + span * m; ++px) {
            const int mx = (px - lead) / m - kQuietZone;
            const bool inside = mx >= 0 && mx < n && my >= 0 && my < n;
            line[px] = inside && matrix->valueAt(mx, my) ? black : white;
        }
    }
    return img;
}

TwoDImage QREncoder::renderDataMatrix(const DataMatrix *matrix, int imageDimension, double dpi, Raise raise)
{
    const QImage img = paintDataMatrix(matrix, imageDimension);
    if (img.isNull())
        return {};
    return Increase_DPI(TwoDImage{img, QSizeF(img.width(), img.height()), {}}, dpi, raise);
}

int QR_Minimum_Size(int versionIndex)
{
    return std::max((versionIndex - 1) * 4 + 21, 21);
}

}  // namespace barcode
