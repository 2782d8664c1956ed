#include "barcode/JapanPostBarcode.h"

#include <algorithm>

namespace barcode {

namespace {

constexpr unsigned Full = 3, Ascender = 2, Descender = 1, Timing = 0;

constexpr unsigned bars(unsigned a, unsigned b, unsigned c)
{
    return a << 8 | b << 4 | c;
}

// Code characters "-" to "?" (character - 45).
constexpr unsigned numberCodesOfJapan[19] = {
    bars(Timing, Full, Timing),          // -  hyphen
    bars(Timing, Timing, Full),          // .  control code 7
    bars(Full, Full, Full),              // /  control code 8
    bars(Full, Timing, Timing),          // 0
    bars(Full, Full, Timing),            // 1
    bars(Full, Descender, Ascender),     // 2
    bars(Descender, Full, Ascender),     // 3
    bars(Full, Ascender, Descender),     // 4
    bars(Full, Timing, Full),            // 5
    bars(Descender, Ascender, Full),     // 6
    bars(Ascender, Full, Descender),     // 7
    bars(Ascender, Descender, Full),     // 8
    bars(Timing, Full, Full),            // 9
    bars(Descender, Ascender, Timing),   // :  control code 1
    bars(Descender, Timing, Ascender),   // ;  control code 2
    bars(Ascender, Descender, Timing),   // <  control code 3
    bars(Timing, Descender, Ascender),   // =  control code 4 (filler)
    bars(Ascender, Timing, Descender),   // >  control code 5
    bars(Timing, Ascender, Descender),   // ?  control code 6
};

constexpr unsigned openBracket = Full << 4 | Descender;
constexpr int openBracketLength = 2;
constexpr unsigned closeBracket = Descender << 4 | Full;
constexpr int closeBracketLength = 2;
constexpr int numberLength = 3;
constexpr int codeLength = 20;

int checkValueOf(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - '0';
    switch (c.unicode()) {
    case '-': return 10;
    case '.': return 17;
    case '/': return 18;
    default: break;
    }
    if (c >= u':' && c <= u'?')
        return c.unicode() - ':' + 11;
    return 0;
}

QChar characterOfCheckValue(int value)
{
    if (value < 10)
        return QChar('0' + value);
    if (value == 10)
        return u'-';
    if (value <= 16)
        return QChar(':' + value - 11);
    return value == 17 ? u'.' : u'/';
}

}  // namespace

unsigned japanpost_characterDescriptor(char c)
{
    if (c < '-' || c > '?')
        return 0;
    return numberCodesOfJapan[c - '-'];
}

unsigned japanpost_barDescriptor(unsigned descriptor, int b, int n)
{
    const int bar = b / 2;
    if (bar < 0 || bar >= n)
        return 0;
    return (descriptor >> (4 * (n - 1 - bar))) & 0xFu;
}

float japanpost_barTop(unsigned group, float symbolSize)
{
    return (group & 2u ? 3.6f : 2.4f) * symbolSize / 10.0f;
}

float japanpost_barBottom(unsigned group, float symbolSize)
{
    return group & 1u ? 0.0f : 1.2f * symbolSize / 10.0f;
}

JapanPostBarcode::JapanPostBarcode(const QString &value, bool printsCaption, float symbolSize)
    : NKDBarcode(QString(), printsCaption)
{
    setContent(value);
    setSymbolSize(symbolSize >= 8.0f && symbolSize <= 11.5f ? symbolSize : 10.0f);
}

std::unique_ptr<NKDBarcode> JapanPostBarcode::clone() const
{
    return std::unique_ptr<NKDBarcode>(new JapanPostBarcode(*this));
}

void JapanPostBarcode::setContent(const QString &value)
{
    QString code;
    QString visible;
    for (const QChar c : asciiUpper(value)) {
        if ((c >= u'0' && c <= u'9') || c == u'-') {
            code += c;
            visible += c;
        } else if (c >= u'A' && c <= u'Z') {
            const int letter = c.unicode() - 'A';
            const char control = letter < 10 ? ':' : letter < 20 ? ';' : '<';
            code += QChar(control);
            code += QChar('0' + letter % 10);
            visible += c;
        }
    }
    if (code.size() < codeLength) {
        code += QString(codeLength - code.size(), u'=');
    } else if (code.size() > codeLength) {
        code.truncate(codeLength);
        const auto kept = std::count_if(code.begin(), code.end(),
                                        [](QChar c) { return (c >= u'0' && c <= u'9') || c == u'-'; });
        visible.truncate(kept);
    }
    m_japanpostContents = code;
    m_content = visible;
    generateChecksum();
}

void JapanPostBarcode::setSymbolSize(float size)
{
    m_symbolSize = std::clamp(size, 8.5f, 11.5f);
    m_barWidth = m_symbolSize / 6.0f;
    calculateWidth();
}

void JapanPostBarcode::setBarWidth(float width)
{
    m_barWidth = std::clamp(width, 4.0f / 3.0f, 23.0f / 12.0f);
    m_symbolSize = 6.0f * m_barWidth;
    calculateWidth();
}

QString JapanPostBarcode::barcode() const
{
    QString modules;
    for (qsizetype i = 0; i < m_japanpostContents.size(); ++i)
        modules += _encodeChar(0);
    if (m_checkDigit != -1)
        modules += _encodeChar(0);
    return modules;
}

bool JapanPostBarcode::isContentValid() const
{
    return m_content.size() >= 7
           && std::all_of(m_content.begin(), m_content.begin() + 7, [](QChar c) { return c >= u'0' && c <= u'9'; });
}

void JapanPostBarcode::generateChecksum()
{
    int sum = 0;
    for (const QChar c : m_japanpostContents)
        sum += checkValueOf(c);
    m_checkDigit = static_cast<signed char>(characterOfCheckValue((19 - sum % 19) % 19).unicode());
}

unsigned JapanPostBarcode::_barDescriptor(int i) const
{
    const int start = 2 * openBracketLength;
    const int characters = int(m_japanpostContents.size()) + 1;
    if (i < start)
        return japanpost_barDescriptor(openBracket, i, openBracketLength);
    if (i < start + characters * 2 * numberLength) {
        const int k = (i - start) / (2 * numberLength);
        const int b = (i - start) % (2 * numberLength);
        const QChar c = k == m_japanpostContents.size() ? QChar(m_checkDigit) : m_japanpostContents.at(k);
        return japanpost_barDescriptor(japanpost_characterDescriptor(char(c.unicode())), b, numberLength);
    }
    const int b = (i - start - characters * 2 * numberLength) % 3;
    return japanpost_barDescriptor(closeBracket, b, closeBracketLength);
}

float JapanPostBarcode::barTop(int i) const
{
    return japanpost_barTop(_barDescriptor(i), m_symbolSize) / 0.3527777777777777f;
}

float JapanPostBarcode::barBottom(int i) const
{
    return japanpost_barBottom(_barDescriptor(i), m_symbolSize) / 0.3527777777777777f;
}

}  // namespace barcode
