#include "barcode/NKDPlesseyBarcode.h"


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

// The patterns of every character, made once: a symbol shares them rather than building each.
template <int Count>
struct Patterns {
    QString of[Count];
    Patterns(bool mostSignificantFirst, const QString &one, const QString &zero)
    {
        for (int v = 0; v < Count; ++v)
            of[v] = bitGroups(v, mostSignificantFirst, one, zero);
    }
};

const Patterns<10> &decimalPatterns()
{
    static const Patterns<10> patterns(true, QStringLiteral("110"), QStringLiteral("100"));
    return patterns;
}

const Patterns<16> &hexPatterns()
{
    static const Patterns<16> patterns(false, QStringLiteral("1110"), QStringLiteral("1000"));
    return patterns;
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
    return decimalPatterns().of[c - '0'];
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
    return hexPatterns().of[value];
}

std::uint8_t NKDModifiedPlesseyHexBarcode::Plessey_CRC(const QString &hexDigits)
{
    // The data bits (each digit least significant bit first) divided by x^8 + x^7 + x^6 + x^5 +
    // x^3 + 1, one bit at a time through an 8-bit register: the remainder is the check.
    unsigned crc = 0;
    for (const QChar c : hexDigits) {
        const int value = hexValue(c.unicode() < 128 ? char(c.unicode()) : 0);
        for (int k = 0; k < 4; ++k) {
            const unsigned bit = value < 0 ? 0u : unsigned(value >> k) & 1u;
            const unsigned top = ((crc >> 7) & 1u) ^ bit;
            crc = (crc << 1) & 0xFFu;
            if (top)
                crc ^= 0xE9u;
        }
    }
    return std::uint8_t(crc);
}

QString NKDModifiedPlesseyHexBarcode::barcode() const
{
    QString modules = NKDBarcode::barcode();
    if (modules.isEmpty() && !m_content.isEmpty())
        return QString();
    const std::uint8_t crc = Plessey_CRC(m_content);
    modules.reserve(modules.size() + 32);
    for (int bit = 7; bit >= 0; --bit)
        modules += (crc >> bit) & 1 ? QLatin1String("1110") : QLatin1String("1000");
    return modules;
}

}  // namespace barcode
