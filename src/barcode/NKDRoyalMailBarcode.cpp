#include "barcode/NKDRoyalMailBarcode.h"

namespace barcode {

namespace {

constexpr float PointsPerMillimetre = float(0.03937007874015748 * 72.0);

// The six ways to choose two bars of four, in the order of the code's rows and columns.
constexpr unsigned TwoOfFour[6] = {0b0011, 0b0101, 0b0110, 0b1001, 0b1010, 0b1100};

int alphabetIndex(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return -1;
}

char alphabetCharacter(int index)
{
    return index < 10 ? char('0' + index) : char('A' + index - 10);
}

}  // namespace

std::uint32_t royalmail_characterDescriptor(char c)
{
    const int index = alphabetIndex(c);
    if (index < 0)
        return 0;
    const unsigned ascenders = TwoOfFour[index / 6];
    const unsigned descenders = TwoOfFour[index % 6];
    std::uint32_t descriptor = 0;
    for (int bar = 0; bar < 4; ++bar) {
        const unsigned group = ((ascenders >> (3 - bar)) & 1u) << 1 | ((descenders >> (3 - bar)) & 1u);
        descriptor |= group << (4 * (3 - bar));
    }
    return descriptor;
}

unsigned royalmail_barDescriptor(std::uint32_t descriptor, int b)
{
    const int bar = b / 2;
    return (descriptor >> (4 * (3 - bar))) & 0xFu;
}

float royalmail_barTop(unsigned group)
{
    return group & 2u ? 5.05f : 3.15f;
}

float royalmail_barBottom(unsigned group)
{
    return group & 1u ? 0.0f : 1.9f;
}

unsigned royalmail_collapseAscenders(std::uint32_t descriptor)
{
    unsigned bits = 0;
    for (int bar = 0; bar < 4; ++bar)
        bits |= ((descriptor >> (4 * (3 - bar) + 1)) & 1u) << (3 - bar);
    return bits;
}

unsigned royalmail_collapseDescenders(std::uint32_t descriptor)
{
    unsigned bits = 0;
    for (int bar = 0; bar < 4; ++bar)
        bits |= ((descriptor >> (4 * (3 - bar))) & 1u) << (3 - bar);
    return bits;
}

NKDRoyalMailBarcode::NKDRoyalMailBarcode(const QString &value, bool printsCaption)
    : NKDBarcode(asciiUpper(value), printsCaption)
{
    m_barWidth = 1.4173229f;  // 0.5 mm
    generateChecksum();
    m_height = 14.3149605f;   // 5.05 mm
    calculateWidth();
}

std::unique_ptr<NKDBarcode> NKDRoyalMailBarcode::clone() const
{
    return std::unique_ptr<NKDBarcode>(new NKDRoyalMailBarcode(*this));
}

QString NKDRoyalMailBarcode::_encodeChar(char c) const
{
    return alphabetIndex(c) < 0 ? QString() : QStringLiteral("10101010");
}

bool NKDRoyalMailBarcode::isContentValid() const
{
    return !m_content.isEmpty() && NKDBarcode::isContentValid();
}

void NKDRoyalMailBarcode::generateChecksum()
{
    QByteArray bytes;
    asciiForm(m_content, bytes);
    unsigned rows = 0;
    unsigned columns = 0;
    for (const char c : bytes) {
        const std::uint32_t descriptor = royalmail_characterDescriptor(c);
        rows += royalmail_collapseAscenders(descriptor) >> 1;
        columns += royalmail_collapseDescenders(descriptor) >> 1;
    }
    const int row = rows % 6 == 0 ? 5 : int(rows % 6) - 1;
    const int column = columns % 6 == 0 ? 5 : int(columns % 6) - 1;
    m_checkDigit = static_cast<signed char>(alphabetCharacter(row * 6 + column));
}

unsigned NKDRoyalMailBarcode::_barDescriptor(int i) const
{
    const int length = int(m_content.size());
    if (i <= 0)
        return 2;  // start bar: ascender
    if (i >= (length + 1) * 8 + 2)
        return 3;  // stop bar: full
    const int k = (i - 2) / 8;
    const int b = (i - 2) % 8;
    const QChar c = k == length ? QChar(m_checkDigit == -1 ? 0 : m_checkDigit) : m_content.at(k);
    return royalmail_barDescriptor(royalmail_characterDescriptor(c.unicode() < 128 ? char(c.unicode()) : 0), b);
}

float NKDRoyalMailBarcode::barTop(int i) const
{
    return royalmail_barTop(_barDescriptor(i)) * PointsPerMillimetre;
}

float NKDRoyalMailBarcode::barBottom(int i) const
{
    return royalmail_barBottom(_barDescriptor(i)) * PointsPerMillimetre;
}

}  // namespace barcode
