#include "barcode/QREncode.h"

#include <bit>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace barcode {

namespace {

// The standard's error-correction block table: codewords of correction per block and number of
// blocks, per level (L, M, Q, H) and version. Everything else of the version table follows from
// these and from the symbol geometry.
constexpr int8_t kEccPerBlock[4][41] = {
    {0, 7, 10, 15, 20, 26, 18, 20, 24, 30, 18, 20, 24, 26, 30, 22, 24, 28, 30, 28, 28,
     28, 28, 30, 30, 26, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {0, 10, 16, 26, 18, 24, 16, 18, 22, 22, 26, 30, 22, 22, 24, 24, 28, 28, 26, 26, 26,
     26, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28},
    {0, 13, 22, 18, 26, 18, 24, 18, 22, 20, 24, 28, 26, 24, 20, 30, 24, 28, 28, 26, 30,
     28, 30, 30, 30, 30, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {0, 17, 28, 22, 16, 22, 28, 26, 26, 24, 28, 24, 28, 22, 24, 24, 30, 28, 28, 26, 28,
     30, 24, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
};
constexpr int8_t kBlockCount[4][41] = {
    {0, 1, 1, 1, 1, 1, 2, 2, 2, 2, 4, 4, 4, 4, 4, 6, 6, 6, 6, 7, 8,
     8, 9, 9, 10, 12, 12, 12, 13, 14, 15, 16, 17, 18, 19, 19, 20, 21, 22, 24, 25},
    {0, 1, 1, 1, 2, 2, 4, 4, 4, 5, 5, 5, 8, 9, 9, 10, 10, 11, 13, 14, 16,
     17, 17, 18, 20, 21, 23, 25, 26, 28, 29, 31, 33, 35, 37, 38, 40, 43, 45, 47, 49},
    {0, 1, 1, 2, 2, 4, 4, 6, 6, 8, 8, 8, 10, 12, 16, 12, 17, 16, 18, 21, 20,
     23, 23, 25, 27, 29, 34, 34, 35, 38, 40, 43, 45, 48, 51, 53, 56, 59, 62, 65, 68},
    {0, 1, 1, 2, 4, 4, 4, 5, 6, 8, 8, 11, 11, 16, 16, 18, 16, 19, 21, 25, 25,
     25, 34, 30, 32, 35, 37, 40, 42, 45, 48, 51, 54, 57, 60, 63, 66, 70, 74, 77, 81},
};

constexpr int nIndicatorLenNumeral[3] = {10, 12, 14};
constexpr int nIndicatorLenAlphabet[3] = {9, 11, 13};
constexpr int nIndicatorLen8Bit[3] = {8, 16, 16};
constexpr int nIndicatorLenKanji[3] = {8, 10, 12};

constexpr int kMaxBits = 2956 * 8;
constexpr uint8_t kEciUtf8 = 26;

// Modules of a version that carry codewords: the whole square less finders, separators,
// format and version areas, timing and alignment patterns.
int rawDataModules(int ver)
{
    int result = (16 * ver + 128) * ver + 64;
    if (ver >= 2) {
        const int numAlign = ver / 7 + 2;
        result -= (25 * numAlign - 10) * numAlign - 55;
        if (ver >= 7)
            result -= 36;
    }
    return result;
}

// Alignment centres other than 6: evenly spaced back from size - 7 in even steps.
int alignmentCentres(int ver, int *out)
{
    if (ver == 1)
        return 0;
    const int numAlign = ver / 7 + 2;
    const int size = ver * 4 + 17;
    const int step = ver == 32 ? 26 : (ver * 4 + numAlign * 2 + 1) / (numAlign * 2 - 2) * 2;
    const int count = numAlign - 1;
    for (int i = 0; i < count; ++i)
        out[count - 1 - i] = size - 7 - i * step;
    return count;
}

std::array<QR_VERSIONINFO, 41> buildVersionTable()
{
    std::array<QR_VERSIONINFO, 41> t{};
    for (int v = 1; v <= 40; ++v) {
        QR_VERSIONINFO &row = t[v];
        row.nVersionNo = v;
        row.ncAllCodeWord = rawDataModules(v) / 8;
        row.ncAlignPoint = alignmentCentres(v, row.nAlignPoint);
        for (int e = 0; e < 4; ++e) {
            const int blocks = kBlockCount[e][v];
            const int ecc = kEccPerBlock[e][v];
            const int shortLen = row.ncAllCodeWord / blocks;
            const int longBlocks = row.ncAllCodeWord % blocks;
            row.RS_BlockInfo1[e] = {blocks - longBlocks, shortLen, shortLen - ecc};
            if (longBlocks)
                row.RS_BlockInfo2[e] = {longBlocks, shortLen + 1, shortLen + 1 - ecc};
            row.ncDataCodeWord[e] = row.ncAllCodeWord - blocks * ecc;
        }
    }
    return t;
}

// GF(256) with x^8 + x^4 + x^3 + x^2 + 1.
struct GaloisField {
    uint8_t byExpToInt[256];
    uint8_t byIntToExp[256];
    uint8_t byRSExp[31][31];  // generator coefficients as exponents, by number of codewords
    uint8_t byExpWide[512];   // a^k for k up to 510: a sum of two exponents needs no reduction
    GaloisField()
    {
        int x = 1;
        for (int i = 0; i < 255; ++i) {
            byExpToInt[i] = uint8_t(x);
            byIntToExp[x] = uint8_t(i);
            x <<= 1;
            if (x & 0x100)
                x ^= 0x11D;
        }
        byExpToInt[255] = byExpToInt[0];
        for (int k = 0; k < 512; ++k)
            byExpWide[k] = byExpToInt[k % 255];
        byIntToExp[0] = 0;
        // g(x) = (x - a^0)(x - a^1)...(x - a^(n-1)), kept as coefficients of x^(n-1)..x^0.
        for (int n = 1; n <= 30; ++n) {
            uint8_t poly[31] = {};
            poly[0] = 1;  // coefficient of x^n is implicit; poly[k] = coefficient of x^(n-1-k)
            int deg = 0;
            uint8_t g[31] = {1};
            for (int r = 0; r < n; ++r) {
                uint8_t ng[31] = {};
                const uint8_t root = byExpToInt[r];
                for (int k = 0; k <= deg; ++k) {
                    ng[k] ^= g[k];
                    ng[k + 1] ^= mul(g[k], root);
                }
                ++deg;
                std::memcpy(g, ng, sizeof g);
            }
            for (int k = 0; k < n; ++k)
                poly[k] = g[k + 1];
            for (int k = 0; k < n; ++k)
                byRSExp[n][k] = byIntToExp[poly[k]];
        }
    }
    uint8_t mul(uint8_t a, uint8_t b) const
    {
        if (!a || !b)
            return 0;
        return byExpToInt[(byIntToExp[a] + byIntToExp[b]) % 255];
    }
};

const GaloisField &gf()
{
    static const GaloisField field;
    return field;
}

// For each row i and column j a symbol can have, bit m set where mask m inverts the module.
struct MaskTable {
    uint8_t bits[177][177];
    MaskTable()
    {
        for (int i = 0; i < 177; ++i)
            for (int j = 0; j < 177; ++j) {
                const bool cond[8] = {
                    (i + j) % 2 == 0,
                    i % 2 == 0,
                    j % 3 == 0,
                    (i + j) % 3 == 0,
                    (i / 2 + j / 3) % 2 == 0,
                    (i * j) % 2 + (i * j) % 3 == 0,
                    ((i * j) % 2 + (i * j) % 3) % 2 == 0,
                    ((i * j) % 3 + (i + j) % 2) % 2 == 0,
                };
                uint8_t b = 0;
                for (int m = 0; m < 8; ++m)
                    b = uint8_t(b | (cond[m] ? 1 << m : 0));
                bits[i][j] = b;
            }
    }
};

const MaskTable &maskTable()
{
    static const MaskTable table;
    return table;
}

// One line of a symbol as bits: module k at bit k + kPad, with kPad light bits on either side,
// so that the edge of the symbol reads as the light modules the penalty rules take it for.
constexpr int kPad = 4;
struct Line {
    uint64_t w[3] = {0, 0, 0};

    void set(int k, bool dark)
    {
        const int i = k + kPad;
        const uint64_t bit = uint64_t(1) << (i & 63);
        w[i >> 6] = dark ? w[i >> 6] | bit : w[i >> 6] & ~bit;
    }
    friend Line operator&(Line a, const Line &b) { return {{a.w[0] & b.w[0], a.w[1] & b.w[1], a.w[2] & b.w[2]}}; }
    friend Line operator|(Line a, const Line &b) { return {{a.w[0] | b.w[0], a.w[1] | b.w[1], a.w[2] | b.w[2]}}; }
    friend Line operator^(Line a, const Line &b) { return {{a.w[0] ^ b.w[0], a.w[1] ^ b.w[1], a.w[2] ^ b.w[2]}}; }
    Line operator~() const { return {{~w[0], ~w[1], ~w[2]}}; }
    // Bit i takes bit i + s (the module s further along), or bit i - s.
    Line ahead(int s) const
    {
        return {{(w[0] >> s) | (w[1] << (64 - s)), (w[1] >> s) | (w[2] << (64 - s)), w[2] >> s}};
    }
    Line behind(int s) const
    {
        return {{w[0] << s, (w[1] << s) | (w[0] >> (64 - s)), (w[2] << s) | (w[1] >> (64 - s))}};
    }
    inline __attribute__((always_inline)) int count() const
    {
        return std::popcount(w[0]) + std::popcount(w[1]) + std::popcount(w[2]);
    }
    // Bits for modules first..last.
    static Line span(int first, int last)
    {
        Line l;
        for (int k = first; k <= last; ++k)
            l.set(k, true);
        return l;
    }
};

// Masks of the symbol's size: where a run of five may start, where a finder pattern may start,
// where a 2x2 block may start, and the first module.
struct LineMasks {
    Line runs, finders, blocks, first;
    explicit LineMasks(int size)
        : runs(Line::span(0, size - 5))
        , finders(Line::span(0, size - 7))
        , blocks(Line::span(0, size - 2))
        , first(Line::span(0, 0))
    {
    }
};

// Runs of five or more alike (length - 2 each), and the finder-like 1:1:3:1:1 dark-light
// pattern with four light modules (or the symbol's edge) on one side (40 each), along a line.
inline __attribute__((always_inline)) int linePenalty(const Line &v, const LineMasks &m)
{
    const Line d1 = v.ahead(1), d2 = v.ahead(2), d3 = v.ahead(3), d4 = v.ahead(4);
    // A window of five alike: each run of L >= 5 has L - 4 of them, and one where it starts.
    const Line five = ((v & d1 & d2 & d3 & d4) | ~(v | d1 | d2 | d3 | d4)) & m.runs;
    const Line starts = (v ^ v.behind(1)) | m.first;
    int penalty = five.count() + 2 * (five & starts).count();
    const Line d5 = v.ahead(5), d6 = v.ahead(6);
    const Line finder = v & ~d1 & d2 & d3 & d4 & ~d5 & d6 & m.finders;
    const Line lightBefore = ~(v.behind(1) | v.behind(2) | v.behind(3) | v.behind(4));
    const Line lightAfter = ~(v.ahead(7) | v.ahead(8) | v.ahead(9) | v.ahead(10));
    const Line before1 = ~v.behind(1), after1 = ~v.ahead(7);
    penalty += 40 * (finder & ((lightBefore & after1) | (lightAfter & before1))).count();
    return penalty;
}

// The standard's mask penalty of a symbol given by its rows and by its columns. Most of it is
// counting bits: where the processor has an instruction for that, a copy that uses it is taken.
// ThreadSanitizer's runtime is not yet set up when the loader resolves such a choice, so a
// thread-checking build keeps the one plain copy.
#if defined(__SANITIZE_THREAD__)
#define BL_THREAD_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define BL_THREAD_CHECKED 1
#endif
#endif
#if defined(BL_THREAD_CHECKED)
#define BL_POPCNT_CLONES
#else
#define BL_POPCNT_CLONES __attribute__((target_clones("popcnt", "default")))
#endif
BL_POPCNT_CLONES int gridPenalty(const Line *rows, const Line *columns, int size)
{
    const LineMasks masks(size);
    int penalty = 0, blocks = 0, dark = 0;
    for (int line = 0; line < size; ++line) {
        penalty += linePenalty(rows[line], masks) + linePenalty(columns[line], masks);
        dark += rows[line].count();
        if (line + 1 < size) {
            const Line &r0 = rows[line], &r1 = rows[line + 1];
            const Line down = ~(r0 ^ r1);
            blocks += (down & down.ahead(1) & ~(r0 ^ r0.ahead(1)) & masks.blocks).count();
        }
    }
    penalty += 3 * blocks;
    const int light = size * size - dark;
    const int percent = light * 100 / (size * size);
    penalty += (std::abs(50 - percent) / 5) * 10;
    return penalty;
}

// Each mask's inverted modules, by row and by column, for the largest symbol.
struct MaskLines {
    Line rows[8][177];
    Line columns[8][177];
    MaskLines()
    {
        const MaskTable &t = maskTable();
        for (int m = 0; m < 8; ++m)
            for (int i = 0; i < 177; ++i)
                for (int j = 0; j < 177; ++j) {
                    rows[m][i].set(j, (t.bits[i][j] >> m) & 1);
                    columns[m][j].set(i, (t.bits[i][j] >> m) & 1);
                }
    }
};

const MaskLines &maskLines()
{
    static const MaskLines lines;
    return lines;
}

}  // namespace

const std::array<QR_VERSIONINFO, 41> &QR_VersonInfo()
{
    static const std::array<QR_VERSIONINFO, 41> table = buildVersionTable();
    return table;
}

int QR_Data_Bits(int version, int level)
{
    if (version < 1 || version > 40 || level < 0 || level > 3)
        return 0;
    return QR_VersonInfo()[version].ncDataCodeWord[level] * 8;
}

CQR_Encode::CQR_Encode()
{
    std::memset(m_byModuleData, 0, sizeof m_byModuleData);
    std::memset(m_byDataCodeWord, 0, sizeof m_byDataCodeWord);
    std::memset(m_byBlockMode, 0, sizeof m_byBlockMode);
    std::memset(m_nBlockLength, 0, sizeof m_nBlockLength);
    std::memset(m_byAllCodeWord, 0, sizeof m_byAllCodeWord);
    std::memset(m_byRSWork, 0, sizeof m_byRSWork);
}

bool CQR_Encode::IsNumeralData(unsigned char c) { return c >= '0' && c <= '9'; }

bool CQR_Encode::IsAlphabetData(unsigned char c)
{
    return IsNumeralData(c) || (c >= 'A' && c <= 'Z') || c == ' ' || c == '$' || c == '%' || c == '*'
        || c == '+' || c == '-' || c == '.' || c == '/' || c == ':';
}

bool CQR_Encode::IsKanjiData(unsigned char c1, unsigned char c2)
{
    if (((c1 >= 0x81 && c1 <= 0x9F) || (c1 >= 0xE0 && c1 <= 0xEB)) && c2 >= 0x40) {
        if ((c1 == 0x9F && c2 > 0xFC) || (c1 == 0xEB && c2 > 0xBF))
            return false;
        return true;
    }
    return false;
}

uint8_t CQR_Encode::AlphabetToBinaly(unsigned char c)
{
    if (IsNumeralData(c))
        return uint8_t(c - '0');
    if (c >= 'A' && c <= 'Z')
        return uint8_t(c - 'A' + 10);
    switch (c) {
    case ' ': return 36;
    case '$': return 37;
    case '%': return 38;
    case '*': return 39;
    case '+': return 40;
    case '-': return 41;
    case '.': return 42;
    case '/': return 43;
    default: return 44;  // ':'
    }
}

uint16_t CQR_Encode::KanjiToBinaly(uint16_t wc)
{
    if (wc >= 0x8140 && wc <= 0x9FFC)
        wc -= 0x8140;
    else
        wc -= 0xC140;
    return uint16_t(((wc >> 8) * 0xC0) + (wc & 0x00FF));
}

bool CQR_Encode::kanjiPairAt(const unsigned char *s, int i, int n) const
{
    return m_sourceCharset == QRSourceCharset::ShiftJIS && i < n - 1 && IsKanjiData(s[i], s[i + 1]);
}

bool CQR_Encode::needsUtf8Eci(const unsigned char *s, int n) const
{
    if (m_sourceCharset != QRSourceCharset::Utf8)
        return false;
    for (int i = 0; i < n; ++i)
        if (s[i] >= 0x80)
            return true;
    return false;
}

int CQR_Encode::Get_Encoding_Mode(const char *lpsSource, int ncLength) const
{
    const auto *s = reinterpret_cast<const unsigned char *>(lpsSource);
    bool numeric = false, alpha = false, eight = false, kanji = false;
    for (int i = 0; i < ncLength; ++i) {
        // A pair's second byte is looked at again on its own, as the whole-text test always did.
        if (kanjiPairAt(s, i, ncLength))
            kanji = true;
        else if (IsNumeralData(s[i]))
            numeric = true;
        else if (IsAlphabetData(s[i]))
            alpha = true;
        else
            eight = true;
    }
    if (eight)
        return 2;
    if (kanji)
        return 3;
    if (alpha)
        return 1;
    if (numeric)
        return 0;
    return 2;
}

int CQR_Encode::GetBitLength(uint8_t nMode, int ncData, int nVerGroup) const
{
    switch (nMode) {
    case 0: {
        int bits = 4 + nIndicatorLenNumeral[nVerGroup] + 10 * (ncData / 3);
        if (ncData % 3 == 1)
            bits += 4;
        else if (ncData % 3 == 2)
            bits += 7;
        return bits;
    }
    case 1:
        return 4 + nIndicatorLenAlphabet[nVerGroup] + 11 * (ncData / 2) + 6 * (ncData % 2);
    case 2:
        return 4 + nIndicatorLen8Bit[nVerGroup] + 8 * ncData;
    default:
        return 4 + nIndicatorLenKanji[nVerGroup] + 13 * (ncData / 2);
    }
}

int CQR_Encode::SetBitStream(int nIndex, uint16_t wData, int ncData)
{
    if (nIndex == -1 || nIndex + ncData > kMaxBits)
        return -1;
    for (int i = 0; i < ncData; ++i) {
        if (wData & (1 << (ncData - i - 1)))
            m_byDataCodeWord[(nIndex + i) / 8] |= uint8_t(1 << (7 - ((nIndex + i) % 8)));
    }
    return nIndex + ncData;
}

int CQR_Encode::blockBits(int i, int nVerGroup) const
{
    return GetBitLength(m_byBlockMode[i], m_nBlockLength[i], nVerGroup);
}

void CQR_Encode::joinBlocks(int into, int from)
{
    m_nBlockLength[into] += m_nBlockLength[from];
    const int tail = m_ncDataBlock - from - 1;
    if (tail > 0) {
        std::memmove(&m_byBlockMode[from], &m_byBlockMode[from + 1], size_t(tail));
        std::memmove(&m_nBlockLength[from], &m_nBlockLength[from + 1], size_t(tail) * sizeof(int));
    }
    --m_ncDataBlock;
}

bool CQR_Encode::EncodeSourceData(const char *lpsSource, int ncLength, int nVerGroup)
{
    const auto *s = reinterpret_cast<const unsigned char *>(lpsSource);
    m_ncDataBlock = 0;  // each block's mode and length are set as it is opened

    // 1. Runs of one character class.
    for (int i = 0; i < ncLength; ++i) {
        uint8_t mode;
        int width = 1;
        if (kanjiPairAt(s, i, ncLength)) {
            mode = 3;
            width = 2;
        } else if (IsNumeralData(s[i])) {
            mode = 0;
        } else if (IsAlphabetData(s[i])) {
            mode = 1;
        } else {
            mode = 2;
        }
        if (m_ncDataBlock == 0 || m_byBlockMode[m_ncDataBlock - 1] != mode) {
            if (m_ncDataBlock >= 2956)
                return false;
            m_byBlockMode[m_ncDataBlock] = mode;
            m_nBlockLength[m_ncDataBlock] = 0;
            ++m_ncDataBlock;
        }
        m_nBlockLength[m_ncDataBlock - 1] += width;
        i += width - 1;
    }

    // 2. Numeric next to alphanumeric: keep apart, join as alphanumeric, or give one of them to
    //    a neighbouring 8-bit segment, whichever is shortest.
    int i = 0;
    while (i < m_ncDataBlock - 1) {
        const uint8_t a0 = m_byBlockMode[i], a1 = m_byBlockMode[i + 1];
        if (!((a0 == 0 && a1 == 1) || (a0 == 1 && a1 == 0))) {
            ++i;
            continue;
        }
        const int apart = blockBits(i, nVerGroup) + blockBits(i + 1, nVerGroup);
        const int joined = GetBitLength(1, m_nBlockLength[i] + m_nBlockLength[i + 1], nVerGroup);
        if (apart <= joined) {
            ++i;
            continue;
        }
        int p = 0, q = 0;
        if (i >= 1 && m_byBlockMode[i - 1] == 2) {
            p = GetBitLength(2, m_nBlockLength[i - 1] + m_nBlockLength[i], nVerGroup) + blockBits(i + 1, nVerGroup);
            if (joined + GetBitLength(2, m_nBlockLength[i - 1], nVerGroup) < p)
                p = 0;
        }
        if (i < m_ncDataBlock - 2 && m_byBlockMode[i + 2] == 2) {
            q = blockBits(i, nVerGroup) + GetBitLength(2, m_nBlockLength[i + 1] + m_nBlockLength[i + 2], nVerGroup);
            if (joined + GetBitLength(2, m_nBlockLength[i + 2], nVerGroup) < q)
                q = 0;
        }
        int choice = 0;  // 0 join as alphanumeric, 1 take p, 2 take q
        if (p && q)
            choice = p < q ? 1 : 2;
        else if (p)
            choice = 1;
        else if (q)
            choice = 2;
        if (choice == 1) {
            joinBlocks(i - 1, i);
        } else if (choice == 2) {
            m_byBlockMode[i + 1] = 2;
            joinBlocks(i + 1, i + 2);
        } else {
            if (i < m_ncDataBlock - 2 && m_byBlockMode[i + 2] == 1)
                joinBlocks(i + 1, i + 2);
            m_byBlockMode[i] = 1;
            joinBlocks(i, i + 1);
            if (i >= 1 && m_byBlockMode[i - 1] == 1)
                joinBlocks(i - 1, i);
        }
    }

    // 3. Pairs that cost less as one 8-bit segment (sharing a neighbour's header) become one.
    const int header8 = nIndicatorLen8Bit[nVerGroup] + 4;
    i = 0;
    while (i < m_ncDataBlock - 1) {
        const int apart = blockBits(i, nVerGroup) + blockBits(i + 1, nVerGroup);
        int joined = GetBitLength(2, m_nBlockLength[i] + m_nBlockLength[i + 1], nVerGroup);
        if (i >= 1 && m_byBlockMode[i - 1] == 2)
            joined -= header8;
        if (i < m_ncDataBlock - 2 && m_byBlockMode[i + 2] == 2)
            joined -= header8;
        if (joined < apart) {
            if (i >= 1 && m_byBlockMode[i - 1] == 2) {
                joinBlocks(i - 1, i);
                --i;
            }
            if (i < m_ncDataBlock - 2 && m_byBlockMode[i + 2] == 2)
                joinBlocks(i + 1, i + 2);
            m_byBlockMode[i] = 2;
            joinBlocks(i, i + 1);
            if (i > 0)
                --i;
        } else {
            ++i;
        }
    }
    // Whether the stream fits is decided by the caller against each candidate version.

    // 4. The bit stream.
    std::memset(m_byDataCodeWord, 0, sizeof m_byDataCodeWord);
    int bit = 0;
    if (needsUtf8Eci(s, ncLength)) {
        bit = SetBitStream(bit, 7, 4);
        bit = SetBitStream(bit, kEciUtf8, 8);
    }
    int pos = 0;
    for (int b = 0; b < m_ncDataBlock && bit != -1; ++b) {
        const int n = m_nBlockLength[b];
        switch (m_byBlockMode[b]) {
        case 0:
            bit = SetBitStream(bit, 1, 4);
            bit = SetBitStream(bit, uint16_t(n), nIndicatorLenNumeral[nVerGroup]);
            for (int k = 0; k < n; k += 3) {
                const int take = min(3, n - k);
                int value = 0;
                for (int d = 0; d < take; ++d)
                    value = value * 10 + (s[pos + k + d] - '0');
                bit = SetBitStream(bit, uint16_t(value), take == 3 ? 10 : take == 2 ? 7 : 4);
            }
            break;
        case 1:
            bit = SetBitStream(bit, 2, 4);
            bit = SetBitStream(bit, uint16_t(n), nIndicatorLenAlphabet[nVerGroup]);
            for (int k = 0; k < n; k += 2) {
                if (k + 1 < n)
                    bit = SetBitStream(bit, uint16_t(AlphabetToBinaly(s[pos + k]) * 45 + AlphabetToBinaly(s[pos + k + 1])), 11);
                else
                    bit = SetBitStream(bit, AlphabetToBinaly(s[pos + k]), 6);
            }
            break;
        case 2:
            bit = SetBitStream(bit, 4, 4);
            bit = SetBitStream(bit, uint16_t(n), nIndicatorLen8Bit[nVerGroup]);
            for (int k = 0; k < n; ++k)
                bit = SetBitStream(bit, s[pos + k], 8);
            break;
        default:
            bit = SetBitStream(bit, 8, 4);
            bit = SetBitStream(bit, uint16_t(n / 2), nIndicatorLenKanji[nVerGroup]);
            for (int k = 0; k + 1 < n; k += 2)
                bit = SetBitStream(bit, KanjiToBinaly(uint16_t((s[pos + k] << 8) | s[pos + k + 1])), 13);
            break;
        }
        pos += n;
    }
    m_ncDataCodeWordBit = bit;
    return bit != -1;
}

int CQR_Encode::GetEncodeVersion(int nVersion, const char *lpsSource, int ncLength)
{
    static constexpr int kFirst[3] = {1, 10, 27};
    static constexpr int kLast[3] = {9, 26, 40};
    const int start = nVersion < 10 ? 0 : nVersion < 27 ? 1 : 2;
    for (int g = start; g <= 2; ++g) {
        if (!EncodeSourceData(lpsSource, ncLength, g))
            continue;
        const int needed = (m_ncDataCodeWordBit + 7) / 8;
        for (int v = kFirst[g]; v <= kLast[g]; ++v)
            if (QR_VersonInfo()[v].ncDataCodeWord[m_nLevel] >= needed)
                return v;
    }
    return 0;
}

bool CQR_Encode::EncodeData(int nLevel, int nVersion, bool bAutoExtent, int nMaskingNo, const char *lpsSource,
                            int ncSource)
{
    if (nLevel < 0 || nLevel > 3 || nVersion < 0 || nVersion > 40 || nMaskingNo < -1 || nMaskingNo > 7 || !lpsSource)
        return false;
    m_nLevel = nLevel;
    m_nMaskingNo = nMaskingNo;
    m_bAutoExtent = bAutoExtent;
    m_nVersion_pass = nVersion ? nVersion : 1;
    const int ncLength = ncSource > 0 ? ncSource : int(std::strlen(lpsSource));
    if (ncLength == 0)
        return false;

    const int v = GetEncodeVersion(nVersion, lpsSource, ncLength);
    if (v == 0)
        return false;
    if (nVersion == 0) {
        m_nVersion = v;
    } else if (v > nVersion) {
        if (!bAutoExtent)
            return false;
        m_nVersion = v;
    } else {
        m_nVersion = nVersion;
    }

    const QR_VERSIONINFO &info = QR_VersonInfo()[m_nVersion];
    const int ncDataCodeWord = info.ncDataCodeWord[nLevel];

    // Terminator, then pad codewords 0xEC, 0x11 after the byte holding the last bit.
    const int terminator = min(4, ncDataCodeWord * 8 - m_ncDataCodeWordBit);
    if (terminator > 0)
        m_ncDataCodeWordBit = SetBitStream(m_ncDataCodeWordBit, 0, terminator);
    bool ec = true;
    for (int i = (m_ncDataCodeWordBit + 7) / 8; i < ncDataCodeWord; ++i) {
        m_byDataCodeWord[i] = ec ? 0xEC : 0x11;
        ec = !ec;
    }

    // Interleave data codewords block by block, then the correction codewords.
    m_ncAllCodeWord = info.ncAllCodeWord;
    std::memset(m_byAllCodeWord, 0, sizeof m_byAllCodeWord);
    const QR_VERSIONINFO::Block g1 = info.RS_BlockInfo1[nLevel];
    const QR_VERSIONINFO::Block g2 = info.RS_BlockInfo2[nLevel];
    const int blocks = g1.ncRSBlock + g2.ncRSBlock;
    const int d1 = g1.ncDataCodeWord;
    int src = 0;
    for (int b = 0; b < blocks; ++b) {
        const int nData = b < g1.ncRSBlock ? d1 : g2.ncDataCodeWord;
        for (int j = 0; j < nData; ++j) {
            const int at = j < d1 ? j * blocks + b : blocks * d1 + (b - g1.ncRSBlock);
            m_byAllCodeWord[at] = m_byDataCodeWord[src + j];
        }
        src += nData;
    }
    src = 0;
    for (int b = 0; b < blocks; ++b) {
        const QR_VERSIONINFO::Block &g = b < g1.ncRSBlock ? g1 : g2;
        const int ncRS = g.ncAllCodeWord - g.ncDataCodeWord;
        std::memset(m_byRSWork, 0, sizeof m_byRSWork);
        std::memcpy(m_byRSWork, m_byDataCodeWord + src, size_t(g.ncDataCodeWord));
        GetRSCodeWord(m_byRSWork, g.ncDataCodeWord, ncRS);
        for (int j = 0; j < ncRS; ++j)
            m_byAllCodeWord[ncDataCodeWord + j * blocks + b] = m_byRSWork[j];
        src += g.ncDataCodeWord;
    }

    m_nSymbleSize = m_nVersion * 4 + 17;
    FormatModule();
    return true;
}

void CQR_Encode::GetRSCodeWord(uint8_t *lpbyRSWork, int ncDataCodeWord, int ncRSCodeWord)
{
    const GaloisField &f = gf();
    uint8_t rem[30] = {};
    for (int i = 0; i < ncDataCodeWord; ++i) {
        const uint8_t factor = lpbyRSWork[i] ^ rem[0];
        std::memmove(rem, rem + 1, size_t(ncRSCodeWord - 1));
        rem[ncRSCodeWord - 1] = 0;
        if (factor) {
            const uint8_t *generator = f.byRSExp[ncRSCodeWord];
            const uint8_t *power = f.byExpWide + f.byIntToExp[factor];
            for (int j = 0; j < ncRSCodeWord; ++j)
                rem[j] ^= power[generator[j]];
        }
    }
    std::memcpy(lpbyRSWork, rem, size_t(ncRSCodeWord));
}

void CQR_Encode::FormatModule()
{
    for (int x = 0; x < m_nSymbleSize; ++x)
        std::memset(m_byModuleData[x], 0, size_t(m_nSymbleSize));
    SetFunctionModule();
    SetCodeWordPattern();
    if (m_nMaskingNo == -1)
        m_nMaskingNo = bestMask();
    SetMaskingPattern(m_nMaskingNo);
    SetFormatInfoPattern(m_nMaskingNo);
    for (int x = 0; x < m_nSymbleSize; ++x)
        for (int y = 0; y < m_nSymbleSize; ++y)
            m_byModuleData[x][y] = (m_byModuleData[x][y] & 0x11) ? 1 : 0;
}

void CQR_Encode::SetFunctionModule()
{
    const int size = m_nSymbleSize;
    SetFinderPattern(0, 0);
    SetFinderPattern(size - 7, 0);
    SetFinderPattern(0, size - 7);
    for (int i = 0; i < 8; ++i) {
        m_byModuleData[i][7] = m_byModuleData[7][i] = 0x20;
        m_byModuleData[size - 8][i] = m_byModuleData[size - 8 + i][7] = 0x20;
        m_byModuleData[i][size - 8] = m_byModuleData[7][size - 8 + i] = 0x20;
    }
    for (int i = 0; i < 9; ++i)
        m_byModuleData[i][8] = m_byModuleData[8][i] = 0x20;
    for (int i = 0; i < 8; ++i)
        m_byModuleData[size - 8 + i][8] = m_byModuleData[8][size - 8 + i] = 0x20;
    SetVersionPattern();

    const QR_VERSIONINFO &info = QR_VersonInfo()[m_nVersion];
    int centres[7] = {6};
    for (int i = 0; i < info.ncAlignPoint; ++i)
        centres[i + 1] = info.nAlignPoint[i];
    const int n = info.ncAlignPoint + 1;
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            if (!(m_byModuleData[centres[a]][centres[b]] & 0x20))
                SetAlignmentPattern(centres[a], centres[b]);

    for (int i = 8; i <= size - 9; ++i) {
        const uint8_t v = (i % 2 == 0) ? 0x30 : 0x20;
        if (!(m_byModuleData[i][6] & 0x20))
            m_byModuleData[i][6] = v;
        if (!(m_byModuleData[6][i] & 0x20))
            m_byModuleData[6][i] = v;
    }
}

void CQR_Encode::SetFinderPattern(int x, int y)
{
    static constexpr uint8_t rows[7] = {0x7F, 0x41, 0x5D, 0x5D, 0x5D, 0x41, 0x7F};
    for (int i = 0; i < 7; ++i)
        for (int j = 0; j < 7; ++j)
            m_byModuleData[x + j][y + i] = (rows[i] & (1 << (6 - j))) ? 0x30 : 0x20;
}

void CQR_Encode::SetAlignmentPattern(int x, int y)
{
    static constexpr uint8_t rows[5] = {0x1F, 0x11, 0x15, 0x11, 0x1F};
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j)
            m_byModuleData[x - 2 + j][y - 2 + i] = (rows[i] & (1 << (4 - j))) ? 0x30 : 0x20;
}

void CQR_Encode::SetVersionPattern()
{
    if (m_nVersion < 7)
        return;
    int rem = m_nVersion;
    for (int i = 0; i < 12; ++i)
        rem = (rem << 1) ^ ((rem >> 11) * 0x1F25);
    const int bits = (m_nVersion << 12) | rem;
    const int size = m_nSymbleSize;
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 3; ++j) {
            const uint8_t v = ((bits >> (3 * i + j)) & 1) ? 0x30 : 0x20;
            m_byModuleData[size - 11 + j][i] = v;
            m_byModuleData[i][size - 11 + j] = v;
        }
}

void CQR_Encode::SetCodeWordPattern()
{
    const int size = m_nSymbleSize;
    const int totalBits = m_ncAllCodeWord * 8;
    int i = 0;
    for (int right = size - 1; right >= 1; right -= 2) {
        if (right == 6)
            right = 5;
        const bool upward = ((right + 1) & 2) == 0;
        for (int vert = 0; vert < size; ++vert) {
            const int y = upward ? size - 1 - vert : vert;
            for (int j = 0; j < 2; ++j) {
                const int x = right - j;
                if (m_byModuleData[x][y] & 0x20)
                    continue;
                if (i < totalBits) {
                    if (m_byAllCodeWord[i / 8] & (0x80 >> (i % 8)))
                        m_byModuleData[x][y] = 0x02;
                    ++i;
                }
            }
        }
    }
}

void CQR_Encode::SetMaskingPattern(int nPatternNo)
{
    const int size = m_nSymbleSize;
    const MaskTable &masks = maskTable();
    for (int x = 0; x < size; ++x) {
        uint8_t *column = m_byModuleData[x];
        for (int y = 0; y < size; ++y) {
            const uint8_t m = column[y];
            if (m & 0x20)
                continue;
            const uint8_t flip = (masks.bits[y][x] >> nPatternNo) & 1;
            column[y] = uint8_t((m & 0xFE) | (((m >> 1) & 1) ^ flip));
        }
    }
}

int CQR_Encode::formatInfoBits(int nPatternNo) const
{
    static constexpr int levelCode[4] = {1, 0, 3, 2};
    const int data = (levelCode[m_nLevel] << 3) | nPatternNo;
    int rem = data;
    for (int i = 0; i < 10; ++i)
        rem = (rem << 1) ^ ((rem >> 9) * 0x537);
    return ((data << 10) | rem) ^ 0x5412;
}

template <typename Put>
void CQR_Encode::forEachFormatModule(Put put) const
{
    const int size = m_nSymbleSize;
    for (int i = 0; i <= 5; ++i)
        put(8, i, i);
    put(8, 7, 6);
    put(8, 8, 7);
    put(7, 8, 8);
    for (int i = 9; i < 15; ++i)
        put(14 - i, 8, i);
    for (int i = 0; i < 8; ++i)
        put(size - 1 - i, 8, i);
    for (int i = 8; i < 15; ++i)
        put(8, size - 15 + i, i);
}

void CQR_Encode::SetFormatInfoPattern(int nPatternNo)
{
    const int bits = formatInfoBits(nPatternNo);
    forEachFormatModule([&](int x, int y, int bit) { m_byModuleData[x][y] = ((bits >> bit) & 1) ? 0x30 : 0x20; });
    m_byModuleData[8][m_nSymbleSize - 8] = 0x30;
}

int CQR_Encode::CountPenalty() const
{
    const int size = m_nSymbleSize;
    std::vector<Line> rows(static_cast<size_t>(size)), columns(static_cast<size_t>(size));
    for (int x = 0; x < size; ++x)
        for (int y = 0; y < size; ++y) {
            const bool dark = (m_byModuleData[x][y] & 0x11) != 0;
            rows[size_t(y)].set(x, dark);
            columns[size_t(x)].set(y, dark);
        }
    return gridPenalty(rows.data(), columns.data(), size);
}

int CQR_Encode::bestMask()
{
    // The symbol is scored as bit lines, by rows and by columns; only the data modules and the
    // format information differ from mask to mask.
    SetFormatInfoPattern(0);
    const int size = m_nSymbleSize;
    std::vector<Line> buffer(size_t(size) * 6);
    Line *baseRows = buffer.data(), *dataRows = baseRows + size, *rows = dataRows + size;
    Line *baseColumns = rows + size, *dataColumns = baseColumns + size, *columns = dataColumns + size;
    for (int x = 0; x < size; ++x)
        for (int y = 0; y < size; ++y) {
            const uint8_t m = m_byModuleData[x][y];
            const bool function = (m & 0x20) != 0;
            const bool dark = function ? (m & 0x10) != 0 : (m & 0x02) != 0;
            baseRows[y].set(x, dark);
            baseColumns[x].set(y, dark);
            dataRows[y].set(x, !function);
            dataColumns[x].set(y, !function);
        }
    const MaskLines &lines = maskLines();
    int best = 0, bestPenalty = 0;
    for (int mask = 0; mask < 8; ++mask) {
        for (int k = 0; k < size; ++k) {
            rows[k] = baseRows[k] ^ (dataRows[k] & lines.rows[mask][k]);
            columns[k] = baseColumns[k] ^ (dataColumns[k] & lines.columns[mask][k]);
        }
        const int bits = formatInfoBits(mask);
        forEachFormatModule([&](int x, int y, int bit) {
            rows[y].set(x, (bits >> bit) & 1);
            columns[x].set(y, (bits >> bit) & 1);
        });
        const int penalty = gridPenalty(rows, columns, size);
        if (mask == 0 || penalty < bestPenalty) {
            bestPenalty = penalty;
            best = mask;
        }
    }
    return best;
}

}  // namespace barcode
