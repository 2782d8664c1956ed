#include "barcode/NKDTwoOfFiveBarcode.h"

#include <algorithm>

namespace barcode {

namespace {

const char *const DigitElements[10] = {
    "NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW", "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN",
};

}  // namespace

NKDInterleavedTwoOfFiveBarcode::NKDInterleavedTwoOfFiveBarcode(const QString &value, bool printsCaption)
    : NKDBarcode(value, printsCaption)
{
}

std::unique_ptr<NKDBarcode> NKDInterleavedTwoOfFiveBarcode::clone() const
{
    return std::unique_ptr<NKDBarcode>(new NKDInterleavedTwoOfFiveBarcode(*this));
}

bool NKDInterleavedTwoOfFiveBarcode::_getBarForDigit(char digit, int element)
{
    if (digit < '0' || digit > '9' || element < 0 || element > 4)
        return true;
    return DigitElements[digit - '0'][element] == 'N';
}

QString NKDInterleavedTwoOfFiveBarcode::digitsToDraw() const
{
    QString digits = m_content;
    if (m_checkDigit != -1)
        digits += QChar(m_checkDigit);
    return digits;
}

QString NKDInterleavedTwoOfFiveBarcode::barcode() const
{
    QByteArray digits;
    if (!asciiForm(digitsToDraw(), digits))
        return QString();
    if (digits.size() % 2 != 0)
        digits.prepend('0');
    QString modules;
    for (qsizetype i = 0; i + 1 < digits.size(); i += 2) {
        for (int k = 0; k < 5; ++k) {
            modules += _getBarForDigit(digits.at(i), k) ? QStringLiteral("1") : QStringLiteral("111");
            modules += _getBarForDigit(digits.at(i + 1), k) ? QStringLiteral("0") : QStringLiteral("000");
        }
    }
    return modules;
}

bool NKDInterleavedTwoOfFiveBarcode::isContentValid() const
{
    return !m_content.isEmpty()
           && std::all_of(m_content.begin(), m_content.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

void NKDInterleavedTwoOfFiveBarcode::generateChecksum()
{
    if (!isContentValid())
        return;
    QString digits = m_content;
    if (digits.size() % 2 != 0)
        digits.prepend(u'0');
    int sum = 0;
    for (qsizetype i = 0; i + 1 < digits.size(); i += 2)
        sum += 3 * (digits.at(i).unicode() - '0') + (digits.at(i + 1).unicode() - '0');
    m_checkDigit = static_cast<signed char>('0' + (10 - sum % 10) % 10);
}

// ---------------------------------------------------------------------------------------------

NKDIndustrialTwoOfFiveBarcode::NKDIndustrialTwoOfFiveBarcode(const QString &value, bool printsCaption)
    : NKDInterleavedTwoOfFiveBarcode(value, printsCaption)
{
}

std::unique_ptr<NKDBarcode> NKDIndustrialTwoOfFiveBarcode::clone() const
{
    return std::unique_ptr<NKDBarcode>(new NKDIndustrialTwoOfFiveBarcode(*this));
}

QString NKDIndustrialTwoOfFiveBarcode::barcode() const
{
    QByteArray digits;
    if (!asciiForm(digitsToDraw(), digits))
        return QString();
    QString modules;
    for (const char digit : digits) {
        for (int k = 0; k < 5; ++k)
            modules += _getBarForDigit(digit, k) ? QStringLiteral("10") : QStringLiteral("1110");
    }
    return modules;
}

}  // namespace barcode
