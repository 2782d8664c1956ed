#include "barcode/NKDPostnetBarcode.h"

#include <algorithm>

namespace barcode {

namespace {

constexpr float FullBar = 0.125f;  // inches
constexpr float HalfBar = 0.05f;

// Full bars (1) of each digit, bars 1 to 5 from the left.
const char *const PostnetBars[10] = {
    "11000", "00011", "00101", "00110", "01001", "01010", "01100", "10001", "10010", "10100",
};

}  // namespace

NKDPostnetBarcode::NKDPostnetBarcode(const QString &value, bool printsCaption)
    : NKDBarcode(value, printsCaption)
{
    m_barWidth = 1.08f;
    generateChecksum();
    m_height = 9.0f;
    calculateWidth();
}

std::unique_ptr<NKDBarcode> NKDPostnetBarcode::clone() const
{
    return std::unique_ptr<NKDBarcode>(new NKDPostnetBarcode(*this));
}

QString NKDPostnetBarcode::_encodeChar(char) const
{
    return QStringLiteral("100100100100100");
}

bool NKDPostnetBarcode::validLength(qsizetype length) const
{
    return length == 5 || length == 9 || length == 11;
}

bool NKDPostnetBarcode::isContentValid() const
{
    return validLength(m_content.size())
           && std::all_of(m_content.begin(), m_content.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

void NKDPostnetBarcode::generateChecksum()
{
    int sum = 0;
    for (const QChar c : m_content) {
        if (c >= u'0' && c <= u'9')
            sum += c.unicode() - '0';
    }
    m_checkDigit = static_cast<signed char>('0' + (10 - sum % 10) % 10);
}

float NKDPostnetBarcode::_heightForDigit(int digitIndex, int bar) const
{
    const QChar c = digitIndex < m_content.size() ? m_content.at(digitIndex)
                                                    : QChar(m_checkDigit == -1 ? 0 : m_checkDigit);
    if (c < u'0' || c > u'9' || bar < 1 || bar > 5)
        return 0.0f;
    return PostnetBars[c.unicode() - '0'][bar - 1] == '1' ? FullBar : HalfBar;
}

float NKDPostnetBarcode::barTop(int i) const
{
    const int characters = int(m_content.size()) + (m_checkDigit == -1 ? 0 : 1);
    const int modules = 3 + 15 * characters + 1;
    if (i <= 0 || i >= modules - 1)
        return FullBar * 72.0f;
    const int digit = (i - 3) / 15;
    const int bar = (i - 15 * digit) / 3;
    return _heightForDigit(digit, bar) * 72.0f;
}

// ---------------------------------------------------------------------------------------------

NKDPlanetBarcode::NKDPlanetBarcode(const QString &value, bool printsCaption)
    : NKDPostnetBarcode(value, printsCaption)
{
}

std::unique_ptr<NKDBarcode> NKDPlanetBarcode::clone() const
{
    return std::unique_ptr<NKDBarcode>(new NKDPlanetBarcode(*this));
}

float NKDPlanetBarcode::_heightForDigit(int digitIndex, int bar) const
{
    const float postnet = NKDPostnetBarcode::_heightForDigit(digitIndex, bar);
    if (postnet == 0.0f)
        return 0.0f;
    return postnet == FullBar ? HalfBar : FullBar;
}

bool NKDPlanetBarcode::validLength(qsizetype length) const
{
    return length == 11 || length == 13;
}

}  // namespace barcode
