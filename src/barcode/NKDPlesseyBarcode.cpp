#include "barcode/NKDPlesseyBarcode.h"

#include <vector>

namespace barcode {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

QString bitGroups(int value, bool mostSignificantFirst, const QString &one, const QString &zero)
{
    QString modules;
    for (int k = 0; k < 4; ++k) {
        const int bit = mostSignificantFirst ? 3 - k : k;
        modules += (value >> bit) & 1 ? one : zero;
    }
    return modules;
}

}  // namespace

NKDModifiedPlesseyBarcode::NKDModifiedPlesseyBarcode(const QString &value, bool printsCaption)
    : NKDBarcode(asciiUpper(value), printsCaption)
{
    generateChecksum();
    calculateWidth();
}

NKDModifiedPlesseyBarcode::NKDModifiedPlesseyBarcode(const QString &value, bool printsCaption, Hex)
    : NKDBarcode(asciiUpper(value), printsCaption)
{
}

std::unique_ptr<NKDBarcode> NKDModifiedPlesseyBarcode::clone() const
{
    return std::unique_ptr<NKDBarcode>(new NKDModifiedPlesseyBarcode(*this));
}

QString NKDModifiedPlesseyBarcode::_encodeChar(char c) const
{
    if (c < '0' || c > '9')
        return QString();
    return bitGroups(c - '0', true, QStringLiteral("110"), QStringLiteral("100"));
}

bool NKDModifiedPlesseyBarcode::isContentValid() const
{
    return !m_content.isEmpty() && NKDBarcode::isContentValid();
}

void NKDModifiedPlesseyBarcode::generateChecksum()
{
    // Counted from the right: digits in odd places are doubled (a two-digit product counts
    // as the sum of its digits), digits in even places count as they are.
    int sum = 0;
    bool doubled = true;
    for (qsizetype i = m_content.size() - 1; i >= 0; --i) {
        const int digit = m_content.at(i).unicode() - '0';
        if (digit < 0 || digit > 9) {
            m_checkDigit = -1;
            return;
        }
        sum += doubled ? (digit * 2) / 10 + (digit * 2) % 10 : digit;
        doubled = !doubled;
    }
    m_checkDigit = static_cast<signed char>('0' + (10 - sum % 10) % 10);
}

// ---------------------------------------------------------------------------------------------

NKDModifiedPlesseyHexBarcode::NKDModifiedPlesseyHexBarcode(const QString &value, bool printsCaption)
    : NKDModifiedPlesseyBarcode(value, printsCaption, Hex{})
{
    calculateWidth();
}

std::unique_ptr<NKDBarcode> NKDModifiedPlesseyHexBarcode::clone() const
{
    return std::unique_ptr<NKDBarcode>(new NKDModifiedPlesseyHexBarcode(*this));
}

QString NKDModifiedPlesseyHexBarcode::_encodeChar(char c) const
{
    const int value = hexValue(c);
    if (value < 0)
        return QString();
    return bitGroups(value, false, QStringLiteral("1110"), QStringLiteral("1000"));
}

std::uint8_t NKDModifiedPlesseyHexBarcode::Plessey_CRC(const QString &hexDigits)
{
    std::vector<int> bits;
    bits.reserve(size_t(hexDigits.size()) * 4 + 8);
    for (const QChar c : hexDigits) {
        const int value = hexValue(c.unicode() < 128 ? char(c.unicode()) : 0);
        for (int k = 0; k < 4; ++k)
            bits.push_back(value < 0 ? 0 : (value >> k) & 1);
    }
    const size_t dataBits = bits.size();
    bits.resize(dataBits + 8, 0);
    static const int Polynomial[9] = {1, 1, 1, 1, 0, 1, 0, 0, 1};  // x^8 down to x^0
    for (size_t i = 0; i < dataBits; ++i) {
        if (bits[i]) {
            for (int j = 0; j < 9; ++j)
                bits[i + size_t(j)] ^= Polynomial[j];
        }
    }
    std::uint8_t crc = 0;
    for (size_t j = 0; j < 8; ++j)
        crc = std::uint8_t((crc << 1) | bits[dataBits + j]);
    return crc;
}

QString NKDModifiedPlesseyHexBarcode::barcode() const
{
    QString modules = NKDBarcode::barcode();
    if (modules.isEmpty() && !m_content.isEmpty())
        return QString();
    const std::uint8_t crc = Plessey_CRC(m_content);
    for (int bit = 7; bit >= 0; --bit)
        modules += (crc >> bit) & 1 ? QStringLiteral("1110") : QStringLiteral("1000");
    return modules;
}

}  // namespace barcode
