#pragma once
// PDF417 encoder (ISO/IEC 15438) as plain functions over one parameter record: text, byte and
// numeric compaction, the choice of rows and columns, GF(929) Reed-Solomon correction, and the
// rows painted as a 1-bit bitmap with start, stop and row-indicator patterns.

#include <vector>

namespace barcode {

enum : int {
    PDF417_USE_ASPECT_RATIO = 0,
    PDF417_FIXED_RECTANGLE = 1,
    PDF417_FIXED_COLUMNS = 2,
    PDF417_FIXED_ROWS = 4,
    PDF417_USE_ERROR_LEVEL = 16,
    PDF417_USE_RAW_CODEWORDS = 64,
    PDF417_INVERT_BITMAP = 128,
};

enum : int {
    PDF417_ERROR_SUCCESS = 0,
    PDF417_ERROR_TEXT_TOO_BIG = 1,
    PDF417_ERROR_INVALID_PARAMS = 2,
};

constexpr int PDF417_MAX_TEXT = 5420;

struct _pdf417param {
    std::vector<unsigned char> outBits;  // the painted bitmap, rows padded to whole bytes
    int lenBits = 0;
    int bitColumns = 0;
    int codeRows = 0;
    int codeColumns = 0;
    int codewords[928] = {};  // element 0 is the length descriptor
    int lenCodewords = 0;
    int errorLevel = 0;
    const char *text = "";
    int lenText = -1;         // negative: up to the terminating zero
    int options = 0;
    float aspectRatio = 0.5f;
    float yHeight = 3.0f;
    int error = 0;
    // Extended channel interpretation announced before the data (927, eci), 0 for none.
    // 26 tells readers the bytes are UTF-8.
    int eci = 0;
};

void pdf417init(_pdf417param *param);
void pdf417free(_pdf417param *param);
void paintCode(_pdf417param *param);

// Bar-space patterns of clusters 0, 3 and 6 (generated table).
extern const int CLUSTERS[3][929];
constexpr int PDF417_START_PATTERN = 130728;  // 17 modules
constexpr int PDF417_STOP_PATTERN = 260649;   // 18 modules

// Reed-Solomon generator coefficients of a level (0..8): 2^(level+1) values, the constant term
// first, of the product of (x - 3^i) for i = 1 .. 2^(level+1) over GF(929).
const std::vector<int> &ERROR_LEVEL(int level);

// Sub-mode alphabets of text compaction, in value order.
extern const char MIXED_SET[];
extern const char PUNCTUATION_SET[];

}  // namespace barcode
