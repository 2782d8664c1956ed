#include "barcode/NKDCode128Barcode.h"

#include <array>
#include <limits>

namespace barcode {

namespace {

// Bar and space widths of symbol values 0-105.
const char *const Code128Widths[106] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",
    "114131", "311141", "411131", "211412", "211214", "211232",
};

constexpr int Shift = 98;
constexpr int CodeC = 99;
constexpr int CodeB = 100;
constexpr int CodeA = 101;

// The module strings of every symbol value, built once: a symbol is then joined from shared
// strings rather than from a new string per bar and space.
const std::array<QString, 106> &moduleTable()
{
    static const std::array<QString, 106> table = [] {
        std::array<QString, 106> t;
        for (int v = 0; v < 106; ++v) {
            bool bar = true;
            for (const char *w = Code128Widths[v]; *w; ++w) {
                t[size_t(v)].append(QString(*w - '0', bar ? u'1' : u'0'));
                bar = !bar;
            }
        }
        return t;
    }();
    return table;
}

bool inSet(int set, unsigned char c)
{
    if (set == NKDCode128Barcode::SetA)
        return c < 96;
    if (set == NKDCode128Barcode::SetB)
        return c >= 32 && c < 128;
    return false;
}

// Control characters take the values after the printable ones in set A.
int valueIn(int set, unsigned char c)
{
    if (set == NKDCode128Barcode::SetA)
        return c >= 32 ? c - 32 : c + 64;
    return c - 32;
}

bool isDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

int switchTo(int set)
{
    return set == NKDCode128Barcode::SetA ? CodeA : set == NKDCode128Barcode::SetB ? CodeB : CodeC;
}

}  // namespace

NKDCode128Barcode::NKDCode128Barcode(const QString &value, bool printsCaption, int codeSet)
    : NKDBarcode(value, printsCaption)
{
    encode(codeSet);
    generateChecksum();
    calculateWidth();
}

std::unique_ptr<NKDBarcode> NKDCode128Barcode::clone() const
{
    return std::unique_ptr<NKDBarcode>(new NKDCode128Barcode(*this));
}

QString NKDCode128Barcode::_encodeNumberPair(int value)
{
    if (value < 0 || value > 105)
        return QString();
    return moduleTable()[size_t(value)];
}

void NKDCode128Barcode::encode(int requestedSet)
{
    m_symbols.clear();
    m_encodable = false;
    QByteArray bytes;
    if (!asciiForm(m_content, bytes)) {
        m_codeSet = requestedSet == SetAuto ? SetB : requestedSet;
        return;
    }
    const int n = int(bytes.size());
    auto byteAt = [&bytes](int i) { return static_cast<unsigned char>(bytes.at(i)); };

    if (requestedSet == SetC) {
        m_codeSet = SetC;
        for (int i = 0; i < n; ++i) {
            if (!isDigit(byteAt(i)))
                return;
        }
        int i = 0;
        for (; i + 1 < n; i += 2)
            m_symbols.push_back((byteAt(i) - '0') * 10 + (byteAt(i + 1) - '0'));
        if (i < n) {
            m_symbols.push_back(CodeB);
            m_symbols.push_back(valueIn(SetB, byteAt(i)));
        }
        m_encodable = true;
        return;
    }

    // Fewest symbols from each position on, for each set the symbol is in there. A forced set
    // A or B keeps to those two sets.
    const bool allowC = requestedSet == SetAuto;
    constexpr int Unreachable = std::numeric_limits<int>::max() / 4;
    enum Step { Encode, ShiftOne, Pair, Switch };
    struct Choice {
        Step step = Encode;
        int target = 0;
    };
    std::vector<std::array<int, 3>> cost(size_t(n) + 1, {Unreachable, Unreachable, Unreachable});
    std::vector<std::array<Choice, 3>> choice(size_t(n) + 1);
    cost[size_t(n)] = {0, 0, allowC ? 0 : Unreachable};

    for (int i = n - 1; i >= 0; --i) {
        const unsigned char c = byteAt(i);
        std::array<int, 3> direct = {Unreachable, Unreachable, Unreachable};
        std::array<Choice, 3> directChoice;
        for (int set : {SetA, SetB}) {
            const int other = set == SetA ? SetB : SetA;
            if (inSet(set, c)) {
                direct[set] = 1 + cost[size_t(i) + 1][set];
                directChoice[set] = {Encode, set};
            } else if (inSet(other, c)) {
                direct[set] = 2 + cost[size_t(i) + 1][set];
                directChoice[set] = {ShiftOne, other};
            }
        }
        if (allowC && i + 1 < n && isDigit(c) && isDigit(byteAt(i + 1))) {
            direct[SetC] = 1 + cost[size_t(i) + 2][SetC];
            directChoice[SetC] = {Pair, SetC};
        }
        for (int set = 0; set < 3; ++set) {
            if (set == SetC && !allowC)
                continue;
            cost[size_t(i)][set] = direct[set];
            choice[size_t(i)][set] = directChoice[set];
            for (int target = 0; target < 3; ++target) {
                if (target == set || (target == SetC && !allowC))
                    continue;
                if (direct[target] < Unreachable && 1 + direct[target] < cost[size_t(i)][set]) {
                    cost[size_t(i)][set] = 1 + direct[target];
                    choice[size_t(i)][set] = {Switch, target};
                }
            }
        }
    }

    int set = requestedSet;
    if (requestedSet == SetAuto) {
        // Ties go to set B, then A: the same length without starting in digit pairs.
        set = SetB;
        for (int candidate : {SetA, SetC}) {
            if (cost[0][candidate] < cost[0][set])
                set = candidate;
        }
    }
    m_codeSet = set;
    if (n > 0 && cost[0][set] >= Unreachable)
        return;

    int i = 0;
    while (i < n) {
        const Choice step = choice[size_t(i)][set];
        switch (step.step) {
        case Encode:
            m_symbols.push_back(valueIn(set, byteAt(i)));
            ++i;
            break;
        case ShiftOne:
            m_symbols.push_back(Shift);
            m_symbols.push_back(valueIn(step.target, byteAt(i)));
            ++i;
            break;
        case Pair:
            m_symbols.push_back((byteAt(i) - '0') * 10 + (byteAt(i + 1) - '0'));
            i += 2;
            break;
        case Switch:
            m_symbols.push_back(switchTo(step.target));
            set = step.target;
            break;
        }
    }
    m_encodable = true;
}

QString NKDCode128Barcode::initiator() const
{
    return _encodeNumberPair(startValue());
}

QString NKDCode128Barcode::terminator() const
{
    return QStringLiteral("1100011101011");
}

QString NKDCode128Barcode::_encodeChar(char c) const
{
    const auto byte = static_cast<unsigned char>(c);
    if (m_codeSet == SetC || !inSet(m_codeSet, byte))
        return QString();
    return _encodeNumberPair(valueIn(m_codeSet, byte));
}

QString NKDCode128Barcode::barcode() const
{
    if (!m_encodable)
        return QString();
    QString modules;
    modules.reserve(int(m_symbols.size() + 1) * 11);
    const std::array<QString, 106> &table = moduleTable();
    for (const int value : m_symbols)
        modules += table[size_t(value)];
    if (m_checkDigit != -1)
        modules += _encodeNumberPair(m_checkDigit);
    return modules;
}

bool NKDCode128Barcode::isContentValid() const
{
    return m_encodable;
}

void NKDCode128Barcode::generateChecksum()
{
    if (!m_encodable) {
        m_checkDigit = -1;
        return;
    }
    long long sum = startValue();
    long long position = 1;
    for (const int value : m_symbols)
        sum = (sum + position++ * value) % 103;
    m_checkDigit = static_cast<signed char>(sum);
}

}  // namespace barcode
