#include "barcode/NKDBarcode.h"

#include "barcode/BarcodeFrame.h"

#include <algorithm>

namespace barcode {

NKDBarcode::NKDBarcode(const QString &content, bool printsCaption)
    : m_content(content), m_printsCaption(printsCaption)
{
}

std::unique_ptr<NKDBarcode> NKDBarcode::clone() const
{
    return std::unique_ptr<NKDBarcode>(new NKDBarcode(*this));
}

bool NKDBarcode::asciiForm(const QString &text, QByteArray &bytes)
{
    bytes.clear();
    bytes.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() > 127) {
            bytes.clear();
            return false;
        }
        bytes.append(char(c.unicode()));
    }
    return true;
}

void NKDBarcode::calculateWidth()
{
    m_width = float(completeBarcode().size()) * m_barWidth;
}

QString NKDBarcode::joinPatterns(const QString &text, signed char checkDigit,
                                 const std::function<QString(char)> &pattern)
{
    QByteArray bytes;
    if (!asciiForm(text, bytes))
        return QString();
    QString modules;
    for (const char c : bytes)
        modules += pattern(c);
    if (checkDigit != -1)
        modules += pattern(char(checkDigit));
    return modules;
}

QString NKDBarcode::asciiUpper(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return out;
}

bool NKDBarcode::everyCharacter(const QString &text, const std::function<bool(char)> &test)
{
    QByteArray bytes;
    return asciiForm(text, bytes) && std::all_of(bytes.begin(), bytes.end(), test);
}

bool NKDBarcode::isContentValid() const
{
    return everyCharacter(m_content, [this](char c) { return !_encodeChar(c).isEmpty(); });
}

QString NKDBarcode::_encodeChar(char) const
{
    return QStringLiteral("1010");
}

QString NKDBarcode::barcode() const
{
    return joinPatterns(m_content, m_checkDigit, [this](char c) { return _encodeChar(c); });
}

QString NKDBarcode::completeBarcode() const
{
    return initiator() + barcode() + terminator();
}

void NKDBarcode::setCaptionFontSize(float size, const QFont &valueFont)
{
    m_captionFontSize = size;
    m_captionHeight = Barcode_Line_Height(valueFont) / 72.0f;
}

void NKDBarcode::setHeaderFontSize(float size, const QFont &headerFont)
{
    m_headerFontSize = size;
    m_headerHeight = Barcode_Line_Height(headerFont) / 72.0f;
    m_headerWidth = Barcode_Text_Width(headerFont, header());
}

void NKDBarcode::setFooterFontSize(float size, const QFont &footerFont)
{
    m_footerFontSize = size;
    m_footerHeight = Barcode_Line_Height(footerFont) / 72.0f;
    m_footerWidth = Barcode_Text_Width(footerFont, footer());
}

QString NKDBarcode::leftCaption() const
{
    return m_content.left(digitsToLeft());
}

QString NKDBarcode::rightCaption() const
{
    return m_content.right(digitsToRight());
}

QString NKDBarcode::caption() const
{
    const int left = digitsToLeft();
    const int right = digitsToRight();
    if (left == 0 && right == 0)
        return m_content;
    return m_content.mid(left, qMax(0, int(m_content.size()) - left - right));
}

float NKDBarcode::textHeightsPoints() const
{
    float sum = 0.0f;
    if (m_printsCaption)
        sum += m_captionHeight * 72.0f;
    if (m_printsHeader)
        sum += m_headerHeight * 72.0f;
    if (m_printsFooter)
        sum += m_footerHeight * 72.0f;
    return sum;
}

float NKDBarcode::barBottom(int) const
{
    return textHeightsPoints();
}

float NKDBarcode::barTop(int) const
{
    float top = m_height;
    if (m_printsCaption)
        top -= m_captionHeight * 72.0f + m_margins.value;
    if (m_printsHeader)
        top -= m_headerHeight * 72.0f + m_margins.header;
    if (m_printsFooter)
        top -= m_footerHeight * 72.0f + m_margins.footer;
    return top - 2.0f * m_margins.TB;
}

}  // namespace barcode
