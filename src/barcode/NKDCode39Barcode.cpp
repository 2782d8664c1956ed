#include "barcode/NKDCode39Barcode.h"

#include <array>

namespace barcode {

namespace {

// The 43 data characters in the order of their check values, then the start/stop character.
constexpr char Code39Characters[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";

// Nine elements per character (bar, space, bar, ... bar), 1 for a wide element.
const char *const Code39Elements[44] = {
    "000110100", "100100001", "001100001", "101100000", "000110001", "100110000", "001110000",
    "000100101", "100100100", "001100100", "100001001", "001001001", "101001000", "000011001",
    "100011000", "001011000", "000001101", "100001100", "001001100", "000011100", "100000011",
    "001000011", "101000010", "000010011", "100010010", "001010010", "000000111", "100000110",
    "001000110", "000010110", "110000001", "011000001", "111000000", "010010001", "110010000",
    "011010000", "010000101", "110000100", "011000100", "010101000", "010100010", "010001010",
    "000101010", "010010100",
};

int indexOf(char c)
{
    if (c == 0)
        return -1;
    for (int i = 0; Code39Characters[i] != 0; ++i) {
        if (Code39Characters[i] == c)
            return i;
    }
    return -1;
}

}  // namespace

NKDCode39Barcode::NKDCode39Barcode(const QString &value, bool printsCaption)
    : NKDBarcode(asciiUpper(value), printsCaption)
{
}

NKDCode39Barcode::NKDCode39Barcode(const QString &value, bool printsCaption, KeepCase)
    : NKDBarcode(value, printsCaption)
{
}

std::unique_ptr<NKDBarcode> NKDCode39Barcode::clone() const
{
    return std::unique_ptr<NKDBarcode>(new NKDCode39Barcode(*this));
}

int NKDCode39Barcode::Code39_Value(char c)
{
    const int index = indexOf(c);
    return index >= 0 && index < 43 ? index : -1;
}

QString NKDCode39Barcode::patternOf(char c)
{
    // Every character's modules built once and shared.
    static const std::array<QString, 44> table = [] {
        std::array<QString, 44> t;
        for (int index = 0; index < 44; ++index) {
            const char *elements = Code39Elements[index];
            for (int k = 0; k < 9; ++k) {
                const QChar module = k % 2 == 0 ? u'1' : u'0';
                t[size_t(index)] += module;
                if (elements[k] == '1')
                    t[size_t(index)] += module;
            }
            t[size_t(index)] += u'0';  // the narrow space between characters
        }
        return t;
    }();
    const int index = indexOf(c);
    return index < 0 ? QString() : table[size_t(index)];
}

QString NKDCode39Barcode::initiator() const
{
    return patternOf('*');
}

QString NKDCode39Barcode::terminator() const
{
    return patternOf('*');
}

QString NKDCode39Barcode::_encodeChar(char c) const
{
    return patternOf(c);
}

QString NKDCode39Barcode::code39Text() const
{
    return m_content;
}

QString NKDCode39Barcode::barcode() const
{
    return joinPatterns(code39Text(), m_checkDigit, patternOf);
}

bool NKDCode39Barcode::isContentValid() const
{
    return everyCharacter(m_content, [](char c) { return Code39_Value(c) >= 0; });
}

void NKDCode39Barcode::generateChecksum()
{
    QByteArray bytes;
    asciiForm(code39Text(), bytes);
    int sum = 0;
    for (const char c : bytes)
        sum += qMax(0, Code39_Value(c));
    m_checkDigit = static_cast<signed char>(Code39Characters[sum % 43]);
    calculateWidth();
}

// ---------------------------------------------------------------------------------------------

NKDExtendedCode39Barcode::NKDExtendedCode39Barcode(const QString &value, bool printsCaption)
    : NKDCode39Barcode(value, printsCaption, KeepCase{})
{
}

std::unique_ptr<NKDBarcode> NKDExtendedCode39Barcode::clone() const
{
    return std::unique_ptr<NKDBarcode>(new NKDExtendedCode39Barcode(*this));
}

QString NKDExtendedCode39Barcode::Full_ASCII_Form(char c)
{
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == ' ' || c == '-' || c == '.')
        return QString(QChar(c));
    if (c >= 'a' && c <= 'z')
        return QStringLiteral("+") + QChar(c - 'a' + 'A');
    switch (c) {
    case '\t':
        return QStringLiteral("$I");
    case '\n':
        return QStringLiteral("$J");
    case '\r':
        return QStringLiteral("$M");
    case '/':
        return QStringLiteral("/O");
    case ':':
        return QStringLiteral("/Z");
    case '@':
        return QStringLiteral("%V");
    case '`':
        return QStringLiteral("%W");
    default:
        break;
    }
    if (c >= '!' && c <= ',')  // "$", "%", "+" and "*" among them
        return QStringLiteral("/") + QChar(c - '!' + 'A');
    if (c >= ';' && c <= '?')
        return QStringLiteral("%") + QChar(c - ';' + 'F');
    if (c >= '[' && c <= '_')
        return QStringLiteral("%") + QChar(c - '[' + 'K');
    if (c >= '{' && c <= '~')
        return QStringLiteral("%") + QChar(c - '{' + 'P');
    return QString();
}

QString NKDExtendedCode39Barcode::_encodeChar(char c) const
{
    QString modules;
    for (const QChar part : Full_ASCII_Form(c))
        modules += patternOf(char(part.unicode()));
    return modules;
}

bool NKDExtendedCode39Barcode::isContentValid() const
{
    return everyCharacter(m_content, [](char c) { return !Full_ASCII_Form(c).isEmpty(); });
}

QString NKDExtendedCode39Barcode::code39Text() const
{
    return joinPatterns(m_content, -1, Full_ASCII_Form);
}

}  // namespace barcode
