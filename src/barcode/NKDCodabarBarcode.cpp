#include "barcode/NKDCodabarBarcode.h"

namespace barcode {

namespace {

bool isStartStop(QChar c)
{
    return c >= u'A' && c <= u'D';
}

QString upperStartStop(const QString &value)
{
    QString out = value;
    for (QChar &c : out) {
        if (c >= u'a' && c <= u'd')
            c = c.toUpper();
    }
    return out;
}

}  // namespace

NKDCodabarBarcode::NKDCodabarBarcode(const QString &value, bool printsCaption)
    : NKDBarcode(upperStartStop(value), printsCaption)
{
}

std::unique_ptr<NKDBarcode> NKDCodabarBarcode::clone() const
{
    return std::unique_ptr<NKDBarcode>(new NKDCodabarBarcode(*this));
}

QString NKDCodabarBarcode::_encodeChar(char c) const
{
    switch (c) {
    case '0': return QStringLiteral("101010011");
    case '1': return QStringLiteral("101011001");
    case '2': return QStringLiteral("101001011");
    case '3': return QStringLiteral("110010101");
    case '4': return QStringLiteral("101101001");
    case '5': return QStringLiteral("110101001");
    case '6': return QStringLiteral("100101011");
    case '7': return QStringLiteral("100101101");
    case '8': return QStringLiteral("100110101");
    case '9': return QStringLiteral("110100101");
    case '-': return QStringLiteral("101001101");
    case '$': return QStringLiteral("101100101");
    case ':': return QStringLiteral("1101011011");
    case '/': return QStringLiteral("1101101011");
    case '.': return QStringLiteral("1101101101");
    case '+': return QStringLiteral("1011011011");
    case 'A': return QStringLiteral("1011001001");
    case 'B': return QStringLiteral("1001001011");
    case 'C': return QStringLiteral("1010010011");
    case 'D': return QStringLiteral("1010011001");
    default: return QString();
    }
}

QString NKDCodabarBarcode::symbolText() const
{
    const QString &text = m_content;
    qsizetype inner = 0;
    for (qsizetype i = 1; i + 1 < text.size(); ++i)
        inner += isStartStop(text.at(i)) ? 1 : 0;
    const bool opens = !text.isEmpty() && isStartStop(text.front());
    const bool closes = text.size() >= 2 && isStartStop(text.back());
    if (inner == 0 && opens && closes)
        return text;
    if (inner == 0 && !opens && !(text.size() >= 1 && isStartStop(text.back())))
        return QStringLiteral("A") + text + QStringLiteral("A");
    return QString();
}

QString NKDCodabarBarcode::barcode() const
{
    QByteArray bytes;
    if (!asciiForm(symbolText(), bytes))
        return QString();
    QString modules;
    for (const char c : bytes) {
        if (!modules.isEmpty())
            modules += u'0';
        modules += _encodeChar(c);
    }
    return modules;
}

bool NKDCodabarBarcode::isContentValid() const
{
    const QString text = symbolText();
    return !text.isEmpty() && everyCharacter(text, [this](char c) { return !_encodeChar(c).isEmpty(); });
}

}  // namespace barcode
