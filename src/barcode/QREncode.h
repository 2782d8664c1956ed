#pragma once
// QR Code model 2 symbol encoder: versions 1-40, levels L/M/Q/H, numeric, alphanumeric, 8-bit
// and Kanji segments, Reed-Solomon error correction, interleaving, placement and masking.

#include <array>
#include <cstdint>

namespace barcode {

// One row of the version table (row 0 stays zero): the standard's codeword counts, alignment
// centres and error-correction block groups, derived from the block table in QREncode.cpp.
struct QR_VERSIONINFO {
    int nVersionNo = 0;
    int ncAllCodeWord = 0;
    int ncDataCodeWord[4] = {};  // L, M, Q, H
    int ncAlignPoint = 0;        // alignment coordinates other than 6
    int nAlignPoint[6] = {};
    struct Block {
        int ncRSBlock = 0;       // number of blocks in the group
        int ncAllCodeWord = 0;   // codewords per block
        int ncDataCodeWord = 0;  // data codewords per block
    };
    Block RS_BlockInfo1[4];
    Block RS_BlockInfo2[4];
};

// The whole version table, index = version (0..40).
const std::array<QR_VERSIONINFO, 41> &QR_VersonInfo();
// Data bits of a version (1..40) at a level (0..3); 0 outside the table.
int QR_Data_Bits(int version, int level);

// How the source bytes are to be read. The application hands over UTF-8, which must never be
// mistaken for Shift JIS double-byte characters: non-ASCII text is announced with ECI 26 and
// stays in 8-bit segments. Shift JIS sources may use Kanji segments.
enum class QRSourceCharset { Utf8, ShiftJIS };

class CQR_Encode {
public:
    CQR_Encode();

    QRSourceCharset m_sourceCharset = QRSourceCharset::Utf8;

    // Builds the symbol; false when nothing fits (the matrix is then not to be read).
    // ncSource 0 or less: up to the first zero byte.
    bool EncodeData(int nLevel, int nVersion, bool bAutoExtent, int nMaskingNo, const char *lpsSource,
                    int ncSource = 0);

    // The smallest version that holds the data, searched from the requested version's group.
    int GetEncodeVersion(int nVersion, const char *lpsSource, int ncLength);
    // Splits the text into segments and writes the data bit stream.
    bool EncodeSourceData(const char *lpsSource, int ncLength, int nVerGroup);
    // One mode for the whole text (0 numeric, 1 alphanumeric, 2 8-bit, 3 Kanji).
    int Get_Encoding_Mode(const char *lpsSource, int ncLength) const;

    int GetBitLength(uint8_t nMode, int ncData, int nVerGroup) const;
    int SetBitStream(int nIndex, uint16_t wData, int ncData);
    static bool IsNumeralData(unsigned char c);
    static bool IsAlphabetData(unsigned char c);
    static bool IsKanjiData(unsigned char c1, unsigned char c2);
    static uint8_t AlphabetToBinaly(unsigned char c);
    static uint16_t KanjiToBinaly(uint16_t wc);
    void GetRSCodeWord(uint8_t *lpbyRSWork, int ncDataCodeWord, int ncRSCodeWord);
    void FormatModule();
    void SetFunctionModule();
    void SetFinderPattern(int x, int y);
    void SetAlignmentPattern(int x, int y);
    void SetVersionPattern();
    void SetCodeWordPattern();
    void SetMaskingPattern(int nPatternNo);
    void SetFormatInfoPattern(int nPatternNo);
    // The mask penalty of the symbol as it stands.
    int CountPenalty() const;
    static int min(int a, int b) { return a < b ? a : b; }

    int m_nLevel = 0;
    int m_nVersion = 0;
    int m_nVersion_pass = 1;
    bool m_bAutoExtent = false;
    int m_nMaskingNo = -1;
    int m_nSymbleSize = 0;
    uint8_t m_byModuleData[177][177];  // [x][y]
    int m_ncDataCodeWordBit = 0;
    uint8_t m_byDataCodeWord[2956];
    int m_ncDataBlock = 0;
    uint8_t m_byBlockMode[2956];
    int m_nBlockLength[2956];
    int m_ncAllCodeWord = 0;
    uint8_t m_byAllCodeWord[3706];
    uint8_t m_byRSWork[153];

private:
    bool kanjiPairAt(const unsigned char *s, int i, int n) const;
    int blockBits(int i, int nVerGroup) const;
    void joinBlocks(int into, int from);
    bool needsUtf8Eci(const unsigned char *s, int n) const;
    // The mask (0..7) with the lowest penalty, the first of equals.
    int bestMask();
    int formatInfoBits(int nPatternNo) const;
    template <typename Put>
    void forEachFormatModule(Put put) const;
};

}  // namespace barcode
