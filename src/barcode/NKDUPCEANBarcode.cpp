#include "barcode/NKDUPCEANBarcode.h"

#include <algorithm>

namespace barcode {

namespace {

const char *const LeftOddPatterns[10] = {
    "0001101", "0011001", "0010011", "0111101", "0100011",
    "0110001", "0101111", "0111011", "0110111", "0001011",
};

// Parity of the six left-hand digits of an EAN-13, by its first digit.
const char *const EAN13Parities[10] = {
    "LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG",
    "LGGLLG", "LGGGLL", "LGLGLG", "LGLGGL", "LGGLGL",
};

// Parity of the six UPC-E digits in number system 0, by the check digit.
const char *const UPCEParities[10] = {
    "GGGLLL", "GGLGLL", "GGLLGL", "GGLLLG", "GLGGLL",
    "GLLGGL", "GLLLGG", "GLGLGL", "GLGLLG", "GLLGLG",
};

QString checkText(signed char check)
{
    return check == -1 ? QString() : QString(QChar(check));
}

}  // namespace

// ---------------------------------------------------------------------------------------------

NKDAbstractUPCEANBarcode::NKDAbstractUPCEANBarcode(const QString &value, bool printsCaption, int dataLength)
    : NKDBarcode(value, printsCaption), m_dataLength(dataLength)
{
}

void NKDAbstractUPCEANBarcode::takeValue(const QString &value)
{
    m_givenCheck = -1;
    if (value.size() == m_dataLength + 1) {
        const ushort last = value.back().unicode();
        m_givenCheck = last < 128 ? static_cast<signed char>(last) : static_cast<signed char>('?');
        m_content = value.left(m_dataLength);
    } else {
        m_content = value;
    }
    m_checkDigit = -1;
    generateChecksum();
    calculateWidth();
}

bool NKDAbstractUPCEANBarcode::allDigits(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

char NKDAbstractUPCEANBarcode::Check_Digit_For(const QString &digits)
{
    int sum = 0;
    int weight = 3;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        sum += (digits.at(i).unicode() - '0') * weight;
        weight = weight == 3 ? 1 : 3;
    }
    return char('0' + (10 - sum % 10) % 10);
}

QString NKDAbstractUPCEANBarcode::swapHandedness(const QString &pattern)
{
    QString out(pattern.size(), u'0');
    for (qsizetype i = 0; i < pattern.size(); ++i)
        out[i] = pattern.at(i) == u'0' ? u'1' : u'0';
    return out;
}

QString NKDAbstractUPCEANBarcode::swapParity(const QString &pattern)
{
    QString out = swapHandedness(pattern);
    std::reverse(out.begin(), out.end());
    return out;
}

QString NKDAbstractUPCEANBarcode::_encodeChar(char c) const
{
    if (c < '0' || c > '9')
        return QString();
    return QString::fromLatin1(LeftOddPatterns[c - '0']);
}

QString NKDAbstractUPCEANBarcode::digitPattern(int index, char parity) const
{
    if (index >= m_content.size() || m_content.at(index).unicode() > 127)
        return QString();
    const QString left = _encodeChar(char(m_content.at(index).unicode()));
    if (parity == 'R')
        return swapHandedness(left);
    if (parity == 'G')
        return swapParity(left);
    return left;
}

QString NKDAbstractUPCEANBarcode::twoHalves(int first, int middle, int last,
                                            const std::function<char(int)> &leftParity) const
{
    QString modules;
    for (int i = first; i < middle; ++i)
        modules += digitPattern(i, leftParity(i));
    modules += QStringLiteral("01010");
    for (int i = middle; i <= last; ++i)
        modules += digitPattern(i, 'R');
    if (m_checkDigit != -1)
        modules += swapHandedness(_encodeChar(char(m_checkDigit)));
    return modules;
}

void NKDAbstractUPCEANBarcode::calculateWidth()
{
    m_width = m_content.isEmpty() ? 0.0f : float(completeBarcode().size()) * m_barWidth * 1.2f;
}

void NKDAbstractUPCEANBarcode::generateChecksum()
{
    if (m_content.size() == m_dataLength && allDigits(m_content))
        m_checkDigit = static_cast<signed char>(Check_Digit_For(m_content));
}

bool NKDAbstractUPCEANBarcode::isContentValid() const
{
    if (m_content.size() != m_dataLength || !allDigits(m_content) || m_checkDigit == -1)
        return false;
    return m_givenCheck == -1 || m_givenCheck == m_checkDigit;
}

QString NKDAbstractUPCEANBarcode::rightCaption() const
{
    return checkText(m_checkDigit);
}

float NKDAbstractUPCEANBarcode::barBottom(int i) const
{
    if (!m_printsCaption || !isGuardModule(i))
        return 0.0f;
    // Down to 0.05 inch above the bottom of the value's line.
    const float reach = m_captionHeight * 72.0f + m_margins.value - 3.6f;
    return reach > 0.0f ? -reach : 0.0f;
}

std::vector<std::pair<int, int>> NKDAbstractUPCEANBarcode::digitGroupModules() const
{
    std::vector<std::pair<int, int>> groups;
    const int modules = int(completeBarcode().size());
    for (int i = 0; i < modules; ++i) {
        if (isGuardModule(i))
            continue;
        if (groups.empty() || groups.back().second != i - 1)
            groups.emplace_back(i, i);
        else
            groups.back().second = i;
    }
    return groups;
}

// ---------------------------------------------------------------------------------------------

NKDEAN13Barcode::NKDEAN13Barcode(const QString &value, bool printsCaption)
    : NKDAbstractUPCEANBarcode(value, printsCaption, 12)
{
    takeValue(value);
}

NKDEAN13Barcode::NKDEAN13Barcode(const QString &value, bool printsCaption, int dataLength)
    : NKDAbstractUPCEANBarcode(value, printsCaption, dataLength)
{
}

std::unique_ptr<NKDBarcode> NKDEAN13Barcode::clone() const
{
    return std::unique_ptr<NKDBarcode>(new NKDEAN13Barcode(*this));
}

bool NKDEAN13Barcode::_parityForSystemDigit(char systemDigit, int index)
{
    if (systemDigit < '0' || systemDigit > '9' || index < 1 || index > 6)
        return false;
    return EAN13Parities[systemDigit - '0'][index - 1] == 'G';
}

QString NKDEAN13Barcode::barcode() const
{
    if (m_content.isEmpty())
        return QString();
    const ushort first = m_content.at(0).unicode();
    const char system = first < 128 ? char(first) : 0;
    return twoHalves(1, 7, 11, [system](int i) { return _parityForSystemDigit(system, i) ? 'G' : 'L'; });
}

QString NKDEAN13Barcode::caption() const
{
    return QStringLiteral("  ") + m_content.mid(1, 6) + u'\t' + m_content.mid(7, 5) + checkText(m_checkDigit);
}

bool NKDEAN13Barcode::isGuardModule(int i) const
{
    return i <= 2 || (i >= 45 && i <= 49) || i >= 92;
}

// ---------------------------------------------------------------------------------------------

NKDEAN8Barcode::NKDEAN8Barcode(const QString &value, bool printsCaption)
    : NKDEAN13Barcode(value, printsCaption, 7)
{
    takeValue(value);
}

std::unique_ptr<NKDBarcode> NKDEAN8Barcode::clone() const
{
    return std::unique_ptr<NKDBarcode>(new NKDEAN8Barcode(*this));
}

QString NKDEAN8Barcode::barcode() const
{
    return twoHalves(0, 4, 6, [](int) { return 'L'; });
}

QString NKDEAN8Barcode::caption() const
{
    return QStringLiteral(" ") + m_content.mid(0, 4) + u'\t' + m_content.mid(4, 3) + checkText(m_checkDigit);
}

bool NKDEAN8Barcode::isGuardModule(int i) const
{
    return i <= 2 || (i >= 31 && i <= 35) || i >= 64;
}

// ---------------------------------------------------------------------------------------------

NKDUPCABarcode::NKDUPCABarcode(const QString &value, bool printsCaption)
    : NKDAbstractUPCEANBarcode(value, printsCaption, 11)
{
    takeValue(value);
}

NKDUPCABarcode::NKDUPCABarcode(const QString &value, bool printsCaption, int dataLength)
    : NKDAbstractUPCEANBarcode(value, printsCaption, dataLength)
{
}

std::unique_ptr<NKDBarcode> NKDUPCABarcode::clone() const
{
    return std::unique_ptr<NKDBarcode>(new NKDUPCABarcode(*this));
}

QString NKDUPCABarcode::barcode() const
{
    return twoHalves(0, 6, 10, [](int) { return 'L'; });
}

QString NKDUPCABarcode::caption() const
{
    return m_content.mid(1, 5) + u'\t' + m_content.mid(6, 5);
}

bool NKDUPCABarcode::isGuardModule(int i) const
{
    // The first and last digits stand as tall as the guards.
    return i <= 9 || (i >= 45 && i <= 49) || i >= 85;
}

// ---------------------------------------------------------------------------------------------

NKDUPCEBarcode::NKDUPCEBarcode(const QString &value, bool printsCaption)
    : NKDUPCABarcode(value, printsCaption, 7)
{
    QString taken = value;
    if ((value.size() == 11 || value.size() == 12) && allDigits(value)) {
        const QString suppressed = UPCAToUPCE(value);
        if (!suppressed.isEmpty())
            taken = value.left(1) + suppressed + value.mid(11);
    }
    takeValue(taken);
}

std::unique_ptr<NKDBarcode> NKDUPCEBarcode::clone() const
{
    return std::unique_ptr<NKDBarcode>(new NKDUPCEBarcode(*this));
}

QString NKDUPCEBarcode::UPCEToUPCA(const QString &upce)
{
    if (upce.size() != 7)
        return QString();
    const QString system = upce.left(1);
    const QString d = upce.mid(1);
    switch (d.at(5).unicode()) {
    case '0':
    case '1':
    case '2':
        return system + d.mid(0, 2) + d.at(5) + QStringLiteral("0000") + d.mid(2, 3);
    case '3':
        return system + d.mid(0, 3) + QStringLiteral("00000") + d.mid(3, 2);
    case '4':
        return system + d.mid(0, 4) + QStringLiteral("00000") + d.at(4);
    default:
        return system + d.mid(0, 5) + QStringLiteral("0000") + d.at(5);
    }
}

QString NKDUPCEBarcode::UPCAToUPCE(const QString &upca)
{
    const QString s = upca.left(11);
    if (s.size() != 11 || !allDigits(s))
        return QString();
    // The four forms of zero suppression, by where the manufacturer code ends in zeros. A form
    // only applies when the product code has the zeros it drops: the six digits must expand
    // back to the same number.
    const QString candidates[4] = {
        s.mid(1, 2) + s.mid(8, 3) + s.at(3),
        s.mid(1, 3) + s.mid(9, 2) + u'3',
        s.mid(1, 4) + s.at(10) + u'4',
        s.mid(1, 5) + s.at(10),
    };
    const bool applies[4] = {
        s.mid(3, 3) == QLatin1String("000") || s.mid(3, 3) == QLatin1String("100") || s.mid(3, 3) == QLatin1String("200"),
        s.mid(4, 2) == QLatin1String("00"),
        s.at(5) == u'0',
        s.at(10) >= u'5',
    };
    for (int form = 0; form < 4; ++form) {
        if (applies[form] && UPCEToUPCA(s.left(1) + candidates[form]) == s)
            return candidates[form];
    }
    return QString();
}

void NKDUPCEBarcode::generateChecksum()
{
    if (m_content.size() == 7 && allDigits(m_content))
        m_checkDigit = static_cast<signed char>(Check_Digit_For(UPCEToUPCA(m_content)));
}

bool NKDUPCEBarcode::isContentValid() const
{
    if (m_content.size() != 7 || !allDigits(m_content) || m_content.at(0) > u'1' || m_checkDigit == -1)
        return false;
    return m_givenCheck == -1 || m_givenCheck == m_checkDigit;
}

bool NKDUPCEBarcode::parityForDigit(int position) const
{
    if (position < 1 || position > 6 || m_checkDigit < '0' || m_checkDigit > '9')
        return false;
    const bool even = UPCEParities[m_checkDigit - '0'][position - 1] == 'G';
    return m_content.startsWith(u'0') ? even : !even;
}

QString NKDUPCEBarcode::barcode() const
{
    QString modules;
    for (int position = 1; position <= 6; ++position)
        modules += digitPattern(position, parityForDigit(position) ? 'G' : 'L');
    return modules;
}

QString NKDUPCEBarcode::caption() const
{
    return m_content.mid(1, 6);
}

bool NKDUPCEBarcode::isGuardModule(int i) const
{
    return i <= 2 || i >= 45;
}

}  // namespace barcode
