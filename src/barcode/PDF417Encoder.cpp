#include "barcode/PDF417Encoder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <string>

namespace barcode {

const char MIXED_SET[] = "0123456789&\r\t,:#-.$/+%*=^";
const char PUNCTUATION_SET[] = ";<>@[\\]_`~!\r\t,:\n-.$/\"|*()?{}'";

namespace {

constexpr int START_CODE_SIZE = 17;
constexpr int STOP_SIZE = 18;
constexpr int MOD = 929;
constexpr int ALPHA = 0x10000;
constexpr int LOWER = 0x20000;
constexpr int MIXED = 0x40000;
constexpr int PUNCTUATION = 0x80000;
constexpr int ISBYTE = 0x100000;
constexpr int BYTESHIFT = 913;
constexpr int PL = 25;
constexpr int LL = 27;
constexpr int AS = 27;
constexpr int ML = 28;
constexpr int AL = 28;
constexpr int PS = 29;
constexpr int PAL = 29;
constexpr int SPACE = 26;
constexpr int TEXT_MODE = 900;
constexpr int BYTE_MODE_6 = 924;
constexpr int BYTE_MODE = 901;
constexpr int NUMERIC_MODE = 902;
constexpr int ECI_CHARSET = 927;
constexpr int MAX_CODEWORDS = 926;

struct listElement {
    char type;
    int start;
    int end;
};

// Working state of one paintCode call.
struct pdf417class {
    _pdf417param *param;
    int bitPtr = 0;
    int cwPtr = 0;
    std::vector<listElement> list;
    const unsigned char *text() const { return reinterpret_cast<const unsigned char *>(param->text); }
};

void listInit(pdf417class &p) { p.list.clear(), p.list.reserve(20); }
void listAdd(pdf417class &p, char type, int start, int end) { p.list.push_back({type, start, end}); }
listElement *listGet(pdf417class &p, int idx)
{
    if (idx < 0 || idx >= int(p.list.size()))
        return nullptr;
    return &p.list[size_t(idx)];
}
void listRemove(pdf417class &p, int idx)
{
    if (idx >= 0 && idx < int(p.list.size()))
        p.list.erase(p.list.begin() + idx);
}
void listFree(pdf417class &p) { std::vector<listElement>().swap(p.list); }
bool checkElementType(const listElement *e, char type) { return e && e->type == type; }
int getElementLength(const listElement *e) { return e ? e->end - e->start : 0; }

void outCodeword17(pdf417class &p, int codeword)
{
    int bytePtr = p.bitPtr / 8;
    const int bit = p.bitPtr - bytePtr * 8;
    unsigned char *out = p.param->outBits.data();
    out[bytePtr++] |= static_cast<unsigned char>(codeword >> (9 + bit));
    out[bytePtr++] |= static_cast<unsigned char>(codeword >> (1 + bit));
    codeword <<= 8;
    out[bytePtr] |= static_cast<unsigned char>(codeword >> (1 + bit));
    p.bitPtr += 17;
}

void outCodeword18(pdf417class &p, int codeword)
{
    int bytePtr = p.bitPtr / 8;
    const int bit = p.bitPtr - bytePtr * 8;
    unsigned char *out = p.param->outBits.data();
    out[bytePtr++] |= static_cast<unsigned char>(codeword >> (10 + bit));
    out[bytePtr++] |= static_cast<unsigned char>(codeword >> (2 + bit));
    codeword <<= 8;
    out[bytePtr] |= static_cast<unsigned char>(codeword >> (2 + bit));
    if (bit == 7)
        out[++bytePtr] |= 0x80;
    p.bitPtr += 18;
}

void outCodeword(pdf417class &p, int codeword) { outCodeword17(p, codeword); }
void outStopPattern(pdf417class &p) { outCodeword18(p, PDF417_STOP_PATTERN); }
void outStartPattern(pdf417class &p) { outCodeword17(p, PDF417_START_PATTERN); }

void outPaintCode(pdf417class &p)
{
    _pdf417param &r = *p.param;
    r.bitColumns = START_CODE_SIZE * (r.codeColumns + 3) + STOP_SIZE;
    const int bytesPerRow = (r.bitColumns - 1) / 8 + 1;
    r.lenBits = bytesPerRow * r.codeRows;
    r.outBits.assign(size_t(r.lenBits), 0);
    int codePtr = 0;
    for (int row = 0; row < r.codeRows; ++row) {
        p.bitPtr = bytesPerRow * 8 * row;
        const int rowMod = row % 3;
        const int *cluster = CLUSTERS[rowMod];
        outStartPattern(p);
        int edge = 0;
        switch (rowMod) {
        case 0: edge = 30 * (row / 3) + ((r.codeRows - 1) / 3); break;
        case 1: edge = 30 * (row / 3) + (r.errorLevel * 3) + ((r.codeRows - 1) % 3); break;
        default: edge = 30 * (row / 3) + r.codeColumns - 1; break;
        }
        outCodeword(p, cluster[edge]);
        for (int column = 0; column < r.codeColumns; ++column)
            outCodeword(p, cluster[r.codewords[codePtr++]]);
        switch (rowMod) {
        case 0: edge = 30 * (row / 3) + r.codeColumns - 1; break;
        case 1: edge = 30 * (row / 3) + ((r.codeRows - 1) / 3); break;
        default: edge = 30 * (row / 3) + (r.errorLevel * 3) + ((r.codeRows - 1) % 3); break;
        }
        outCodeword(p, cluster[edge]);
        outStopPattern(p);
    }
    if (r.options & PDF417_INVERT_BITMAP)
        for (unsigned char &b : r.outBits)
            b = static_cast<unsigned char>(b ^ 0xff);
}

void calculateErrorCorrection(pdf417class &p, int dest)
{
    _pdf417param &r = *p.param;
    if (r.errorLevel < 0 || r.errorLevel > 8)
        r.errorLevel = 0;
    const std::vector<int> &A = ERROR_LEVEL(r.errorLevel);
    const int Alength = 2 << r.errorLevel;
    std::vector<int> E(size_t(Alength), 0);
    for (int k = 0; k < dest; ++k) {
        const int t1 = (r.codewords[k] + E[size_t(Alength - 1)]) % MOD;
        for (int e = Alength - 1; e >= 1; --e) {
            const int t2 = (t1 * A[size_t(e)]) % MOD;
            E[size_t(e)] = (E[size_t(e - 1)] + MOD - t2) % MOD;
        }
        E[0] = (MOD - (t1 * A[0]) % MOD) % MOD;
    }
    for (int j = 0; j < Alength; ++j)
        r.codewords[dest + j] = (MOD - E[size_t(Alength - 1 - j)]) % MOD;
}

int getTextTypeAndValue(const unsigned char *text, int maxLength, int idx)
{
    if (idx >= maxLength)
        return 0;
    const unsigned char c = text[idx];
    if (c >= 'A' && c <= 'Z')
        return ALPHA + c - 'A';
    if (c >= 'a' && c <= 'z')
        return LOWER + c - 'a';
    if (c == ' ')
        return ALPHA + LOWER + MIXED + SPACE;
    const char *ms = c ? std::strchr(MIXED_SET, c) : nullptr;
    const char *ps = c ? std::strchr(PUNCTUATION_SET, c) : nullptr;
    if (!ms && !ps)
        return ISBYTE + c;
    const int mi = ms ? int(ms - MIXED_SET) : -1;
    const int pi = ps ? int(ps - PUNCTUATION_SET) : -1;
    if (mi == pi)
        return MIXED + PUNCTUATION + mi;
    if (ms)
        return MIXED + mi;
    return PUNCTUATION + pi;
}

void textCompaction(pdf417class &p, int start, int length)
{
    _pdf417param &r = *p.param;
    std::vector<int> dest;
    dest.reserve(size_t(length) * 2 + 2);
    int mode = ALPHA;
    const unsigned char *text = p.text();
    const int end = start + length;
    for (int k = start; k < end; ++k) {
        const int v = getTextTypeAndValue(text, end, k);
        if (v & mode) {
            dest.push_back(v & 0xff);
            continue;
        }
        if (v & ISBYTE) {
            if (dest.size() & 1) {
                dest.push_back(PAL);
                if (mode == PUNCTUATION)
                    mode = ALPHA;
            }
            dest.push_back(BYTESHIFT);
            dest.push_back(v & 0xff);
            continue;
        }
        if (mode == PUNCTUATION) {  // back to alpha, then the same character again
            dest.push_back(PAL);
            mode = ALPHA;
            --k;
            continue;
        }
        const int next2 = getTextTypeAndValue(text, end, k + 1) & getTextTypeAndValue(text, end, k + 2);
        // Latch codewords (or a one-character shift) and the character; a latch changes mode.
        auto emit = [&](std::initializer_list<int> prefix, int newMode) {
            dest.insert(dest.end(), prefix);
            dest.push_back(v & 0xff);
            if (newMode)
                mode = newMode;
        };
        if (v & LOWER)
            emit({LL}, LOWER);
        else if ((v & MIXED) && mode != MIXED)
            emit({ML}, MIXED);
        else if ((v & ALPHA) && mode == MIXED)
            emit({AL}, ALPHA);
        else if (v & ALPHA)  // an upper-case letter among lower-case ones
            (next2 & ALPHA) ? emit({ML, AL}, ALPHA) : emit({AS}, 0);
        else if (next2 & PUNCTUATION)
            mode == MIXED ? emit({PL}, PUNCTUATION) : emit({ML, PL}, PUNCTUATION);
        else
            emit({PS}, 0);
    }
    if (dest.size() & 1)
        dest.push_back(PS);
    const int shifts = int(std::count(dest.begin(), dest.end(), BYTESHIFT));
    const int needed = (int(dest.size()) + 2 * shifts) / 2;
    if (needed + p.cwPtr >= MAX_CODEWORDS + 1) {
        r.error = PDF417_ERROR_TEXT_TOO_BIG;
        return;
    }
    for (size_t i = 0; i < dest.size(); ++i) {
        if (dest[i] == BYTESHIFT) {
            r.codewords[p.cwPtr++] = BYTESHIFT;
            r.codewords[p.cwPtr++] = dest[++i];
        } else {
            r.codewords[p.cwPtr++] = dest[i] * 30 + dest[i + 1];
            ++i;
        }
    }
}

// The decimal number "1" followed by the digits, written in base 900, most significant first.
void basicNumberCompaction(pdf417class &p, int start, int length)
{
    _pdf417param &r = *p.param;
    const unsigned char *text = p.text();
    std::string number(1, 1);
    for (int k = 0; k < length; ++k)
        number.push_back(char(text[start + k] - '0'));
    const int count = length / 3 + 1;
    std::vector<int> out(size_t(count), 0);
    // Repeated long division of the decimal digits by 900.
    for (int digitOut = count - 1; digitOut >= 0; --digitOut) {
        int rem = 0;
        std::string quotient;
        for (char d : number) {
            const int cur = rem * 10 + d;
            const int q = cur / 900;
            rem = cur % 900;
            if (!quotient.empty() || q)
                quotient.push_back(char(q));
        }
        out[size_t(digitOut)] = rem;
        number = quotient.empty() ? std::string(1, 0) : quotient;
    }
    for (int v : out)
        r.codewords[p.cwPtr++] = v;
}

void numberCompaction(pdf417class &p, int start, int length)
{
    _pdf417param &r = *p.param;
    const int full = (length / 44) * 15;
    const int size = length % 44 ? length % 44 / 3 + 1 : 0;
    if (full + size + p.cwPtr >= MAX_CODEWORDS + 1) {
        r.error = PDF417_ERROR_TEXT_TOO_BIG;
        return;
    }
    for (int k = 0; k < length; k += 44)
        basicNumberCompaction(p, start + k, std::min(44, length - k));
}

void byteCompaction6(pdf417class &p, int start)
{
    const unsigned char *text = p.text();
    unsigned long long value = 0;
    for (int k = 0; k < 6; ++k)
        value = (value << 8) | text[start + k];
    int *out = p.param->codewords + p.cwPtr;
    for (int k = 4; k >= 0; --k) {
        out[k] = int(value % 900);
        value /= 900;
    }
    p.cwPtr += 5;
}

void byteCompaction(pdf417class &p, int start, int length)
{
    _pdf417param &r = *p.param;
    const int size = (length / 6) * 5 + (length % 6);
    if (size + p.cwPtr >= MAX_CODEWORDS + 1) {
        r.error = PDF417_ERROR_TEXT_TOO_BIG;
        return;
    }
    const int end = start + length;
    for (int k = start; k < end; k += 6) {
        if (end - k >= 6) {
            byteCompaction6(p, k);
        } else {
            for (int j = k; j < end; ++j)
                r.codewords[p.cwPtr++] = p.text()[j];
        }
    }
}

// Until nothing changes: the first segment that `grows` takes in each neighbour it `absorbs`.
template <typename Grows, typename Absorbs>
void absorbNeighbours(pdf417class &p, Grows grows, Absorbs absorbs)
{
    for (bool changed = true; changed;) {
        changed = false;
        for (int k = 0; k < int(p.list.size()) && !changed; ++k) {
            listElement *v = listGet(p, k);
            if (!grows(v))
                continue;
            listElement *vp = listGet(p, k - 1);
            if (absorbs(vp)) {
                changed = true;
                v->start = vp->start;
                listRemove(p, k - 1);
                --k;
                v = listGet(p, k);
            }
            listElement *vn = listGet(p, k + 1);
            if (absorbs(vn)) {
                changed = true;
                v->end = vn->end;
                listRemove(p, k + 1);
            }
        }
    }
}

void breakString(pdf417class &p)
{
    const unsigned char *text = p.text();
    const int textLength = p.param->lenText;
    auto isText = [](unsigned char c) { return (c >= 32 && c <= 126) || c == '\r' || c == '\n' || c == '\t'; };
    // Alternating text and byte segments over a stretch.
    auto cut = [&](int from, int to) {
        if (from >= to)
            return;
        bool lastText = isText(text[from]);
        int begin = from;
        for (int j = from + 1; j < to; ++j) {
            const bool t = isText(text[j]);
            if (t != lastText) {
                listAdd(p, lastText ? 'T' : 'B', begin, j);
                begin = j;
                lastText = t;
            }
        }
        listAdd(p, lastText ? 'T' : 'B', begin, to);
    };
    int lastP = 0;
    int startN = 0;
    int nd = 0;
    for (int k = 0; k <= textLength; ++k) {
        if (k < textLength && text[k] >= '0' && text[k] <= '9') {
            if (nd == 0)
                startN = k;
            ++nd;
            continue;
        }
        if (nd >= 13) {
            cut(lastP, startN);
            listAdd(p, 'N', startN, k);
            lastP = k;
        }
        nd = 0;
    }
    cut(lastP, textLength);

    // A lone byte between text runs goes into the text as a byte shift.
    for (bool changed = true; changed;) {
        changed = false;
        for (int k = 1; k < int(p.list.size()) - 1; ++k) {
            listElement *v = listGet(p, k);
            listElement *vp = listGet(p, k - 1);
            listElement *vn = listGet(p, k + 1);
            if (checkElementType(v, 'B') && getElementLength(v) == 1 && checkElementType(vp, 'T')
                && checkElementType(vn, 'T') && getElementLength(vp) + getElementLength(vn) >= 3) {
                vp->end = vn->end;
                listRemove(p, k);
                listRemove(p, k);
                changed = true;
                break;
            }
        }
    }
    // Long text absorbs single bytes and text on either side.
    absorbNeighbours(
        p, [](const listElement *v) { return checkElementType(v, 'T') && getElementLength(v) >= 5; },
        [](const listElement *n) {
            return (checkElementType(n, 'B') && getElementLength(n) == 1) || checkElementType(n, 'T');
        });
    // Byte runs absorb short text and other byte runs beside them.
    absorbNeighbours(
        p, [](const listElement *v) { return checkElementType(v, 'B'); },
        [](const listElement *n) {
            return (checkElementType(n, 'T') && getElementLength(n) < 5) || checkElementType(n, 'B');
        });
    // A message of eight or more digits alone is numeric.
    if (p.list.size() == 1) {
        listElement *v = listGet(p, 0);
        if (v->type == 'T' && getElementLength(v) >= 8) {
            bool digits = true;
            for (int k = v->start; k < v->end && digits; ++k)
                digits = text[k] >= '0' && text[k] <= '9';
            if (digits)
                v->type = 'N';
        }
    }
}

void assemble(pdf417class &p)
{
    _pdf417param &r = *p.param;
    p.cwPtr = 1;
    if (r.eci > 0 && r.eci < 900) {
        r.codewords[p.cwPtr++] = ECI_CHARSET;
        r.codewords[p.cwPtr++] = r.eci;
    }
    for (int k = 0; k < int(p.list.size()); ++k) {
        const listElement v = p.list[size_t(k)];
        if (p.cwPtr >= MAX_CODEWORDS) {
            r.error = PDF417_ERROR_TEXT_TOO_BIG;
            return;
        }
        switch (v.type) {
        case 'T':
            if (k != 0)
                r.codewords[p.cwPtr++] = TEXT_MODE;
            textCompaction(p, v.start, getElementLength(&v));
            break;
        case 'N':
            r.codewords[p.cwPtr++] = NUMERIC_MODE;
            numberCompaction(p, v.start, getElementLength(&v));
            break;
        case 'B':
            r.codewords[p.cwPtr++] = (getElementLength(&v) % 6) ? BYTE_MODE : BYTE_MODE_6;
            byteCompaction(p, v.start, getElementLength(&v));
            break;
        }
        if (r.error)
            return;
    }
}

int maxPossibleErrorLevel(int remain)
{
    int level = 8;
    int size = 512;
    while (level > 0) {
        if (remain >= size)
            return level;
        --level;
        size >>= 1;
    }
    return 0;
}

int getMaxSquare(_pdf417param &r)
{
    if (r.codeColumns > 21) {
        r.codeColumns = 29;
        r.codeRows = 32;
    } else {
        r.codeColumns = 16;
        r.codeRows = 58;
    }
    return MAX_CODEWORDS + 2;
}

}  // namespace

const std::vector<int> &ERROR_LEVEL(int level)
{
    static const std::array<std::vector<int>, 9> tables = [] {
        std::array<std::vector<int>, 9> t;
        for (int l = 0; l <= 8; ++l) {
            const int k = 2 << l;
            std::vector<int> g{1};  // constant term first
            int root = 1;
            for (int i = 0; i < k; ++i) {
                root = root * 3 % MOD;
                std::vector<int> ng(g.size() + 1, 0);
                for (size_t j = 0; j < g.size(); ++j) {
                    ng[j + 1] = (ng[j + 1] + g[j]) % MOD;
                    ng[j] = (ng[j] + MOD - g[j] * root % MOD) % MOD;
                }
                g = std::move(ng);
            }
            g.pop_back();  // the leading 1
            t[size_t(l)] = std::move(g);
        }
        return t;
    }();
    return tables[size_t(std::clamp(level, 0, 8))];
}

void pdf417init(_pdf417param *param)
{
    param->options = 0;
    param->outBits.clear();
    param->lenBits = 0;
    param->error = 0;
    param->lenText = -1;
    param->text = "";
    param->yHeight = 3.0f;
    param->aspectRatio = 0.5f;
    param->eci = 0;
}

void pdf417free(_pdf417param *param) { std::vector<unsigned char>().swap(param->outBits); }

void paintCode(_pdf417param *param)
{
    _pdf417param &r = *param;
    pdf417class p;
    p.param = param;
    r.error = 0;
    r.outBits.clear();
    if (r.options & PDF417_USE_RAW_CODEWORDS) {
        if (r.lenCodewords > MAX_CODEWORDS || r.lenCodewords < 1 || r.lenCodewords != r.codewords[0]) {
            r.error = PDF417_ERROR_INVALID_PARAMS;
            return;
        }
    } else {
        if (!r.text)
            r.text = "";
        if (r.lenText < 0)
            r.lenText = int(std::strlen(r.text));
        if (r.lenText > PDF417_MAX_TEXT) {
            r.error = PDF417_ERROR_TEXT_TOO_BIG;
            return;
        }
        listInit(p);
        breakString(p);
        assemble(p);
        listFree(p);
        if (r.error)
            return;
        r.codewords[0] = r.lenCodewords = p.cwPtr;
    }

    const int maxErr = maxPossibleErrorLevel(MAX_CODEWORDS + 2 - r.lenCodewords);
    if (!(r.options & PDF417_USE_ERROR_LEVEL)) {
        if (r.lenCodewords < 41)
            r.errorLevel = 2;
        else if (r.lenCodewords < 161)
            r.errorLevel = 3;
        else if (r.lenCodewords < 321)
            r.errorLevel = 4;
        else
            r.errorLevel = 5;
    }
    if (r.errorLevel < 0)
        r.errorLevel = 0;
    else if (r.errorLevel > maxErr)
        r.errorLevel = maxErr;
    r.codeColumns = std::clamp(r.codeColumns, 1, 30);
    r.codeRows = std::clamp(r.codeRows, 3, 90);
    int lenErr = 2 << r.errorLevel;
    bool fixedColumn = !(r.options & PDF417_FIXED_ROWS);
    bool skipRowColAdjust = false;
    int tot = r.lenCodewords + lenErr;
    if (r.options & PDF417_FIXED_RECTANGLE) {
        tot = r.codeColumns * r.codeRows;
        if (tot > MAX_CODEWORDS + 2)
            tot = getMaxSquare(r);
        if (tot < r.lenCodewords + lenErr)
            tot = r.lenCodewords + lenErr;
        else
            skipRowColAdjust = true;
    } else if (!(r.options & (PDF417_FIXED_COLUMNS | PDF417_FIXED_ROWS))) {
        fixedColumn = true;
        r.aspectRatio = std::clamp(r.aspectRatio, 0.001f, 1000.0f);
        const double a = r.aspectRatio;
        const double b = 73.0 * a - 4.0;
        const double c = (-b + std::sqrt(b * b + 4.0 * 17.0 * a * double(tot) * double(r.yHeight))) / (2.0 * 17.0 * a);
        r.codeColumns = std::clamp(int(c + 0.5), 1, 30);
    }
    if (!skipRowColAdjust) {
        if (fixedColumn) {
            r.codeRows = (tot - 1) / r.codeColumns + 1;
            if (r.codeRows < 3) {
                r.codeRows = 3;
            } else if (r.codeRows > 90) {
                r.codeRows = 90;
                r.codeColumns = (tot - 1) / 90 + 1;
            }
        } else {
            r.codeColumns = (tot - 1) / r.codeRows + 1;
            if (r.codeColumns > 30) {
                r.codeColumns = 30;
                r.codeRows = (tot - 1) / 30 + 1;
            }
        }
        tot = r.codeRows * r.codeColumns;
    }
    if (tot > MAX_CODEWORDS + 2)
        tot = getMaxSquare(r);

    r.errorLevel = maxPossibleErrorLevel(tot - r.lenCodewords);
    lenErr = 2 << r.errorLevel;
    const int pad = tot - lenErr - r.lenCodewords;
    for (int k = 0; k < pad; ++k)
        r.codewords[r.lenCodewords + k] = TEXT_MODE;
    r.codewords[0] = r.lenCodewords += pad;
    calculateErrorCorrection(p, r.lenCodewords);
    r.lenCodewords = tot;
    outPaintCode(p);
}

}  // namespace barcode
