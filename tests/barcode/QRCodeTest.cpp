#include "TestSupport.h"
#include "TwoDDecode.h"
#include "barcode/QREncode.h"
#include "barcode/QREncoder.h"

#include <QString>
#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace barcode;

namespace {

// One pixel a point, three points a module: decoders read that comfortably.
QImage paint(const DataMatrix &grid)
{
    return QREncoder::paintDataMatrix(&grid, (grid.dimension() + 8) * 3);
}

int versionOf(const DataMatrix &grid) { return (grid.dimension() - 17) / 4; }

QString repeated(const QString &alphabet, int count, unsigned seed)
{
    std::mt19937 rng(seed);
    QString s;
    for (int i = 0; i < count; ++i)
        s += alphabet.at(int(rng() % unsigned(alphabet.size())));
    return s;
}

const QString kDigits = QStringLiteral("0123456789");
const QString kAlnum = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:");
const QString kMixed = QStringLiteral("abcdefghijklmnopqrstuvwxyzABC0123456789-.,;!?");

}  // namespace

// --- tables against their definitions -------------------------------------------------------

TEST(QRTables, VersionTableAgreesWithTheSymbolGeometry)
{
    for (int v = 1; v <= 40; ++v) {
        const QR_VERSIONINFO &info = QR_VersonInfo()[v];
        const int size = 4 * v + 17;
        // Count the modules left for data by building the function patterns of a symbol.
        CQR_Encode enc;
        enc.m_nVersion = v;
        enc.m_nSymbleSize = size;
        std::memset(enc.m_byModuleData, 0, sizeof enc.m_byModuleData);
        enc.SetFunctionModule();
        int free = 0;
        for (int x = 0; x < size; ++x)
            for (int y = 0; y < size; ++y)
                if (!(enc.m_byModuleData[x][y] & 0x20))
                    ++free;
        EXPECT_EQ(info.ncAllCodeWord, free / 8) << "version " << v;
        for (int e = 0; e < 4; ++e) {
            const auto &g1 = info.RS_BlockInfo1[e];
            const auto &g2 = info.RS_BlockInfo2[e];
            EXPECT_EQ(g1.ncRSBlock * g1.ncAllCodeWord + g2.ncRSBlock * g2.ncAllCodeWord, info.ncAllCodeWord);
            EXPECT_EQ(g1.ncRSBlock * g1.ncDataCodeWord + g2.ncRSBlock * g2.ncDataCodeWord, info.ncDataCodeWord[e]);
            if (g2.ncRSBlock) {
                EXPECT_EQ(g2.ncDataCodeWord, g1.ncDataCodeWord + 1);
                EXPECT_EQ(g2.ncAllCodeWord - g2.ncDataCodeWord, g1.ncAllCodeWord - g1.ncDataCodeWord);
            }
        }
    }
}

TEST(QRTables, PublishedCapacitiesAndAlignmentCentres)
{
    struct Cap { int version, level; int64_t numeric, alnum, byte, kanji; };
    // Values of the standard's capacity table.
    const Cap caps[] = {
        {1, 0, 41, 25, 17, 10},      {1, 3, 17, 10, 7, 4},        {2, 1, 63, 38, 26, 16},
        {7, 2, 207, 125, 86, 53},     {10, 1, 513, 311, 213, 131}, {20, 0, 2061, 1249, 858, 528},
        {27, 0, 3517, 2132, 1465, 902},
        {40, 0, 7089, 4296, 2953, 1817}, {40, 3, 3057, 1852, 1273, 784},
    };
    for (const Cap &c : caps) {
        const size_t i = size_t((c.version - 1) * 4 + c.level);
        EXPECT_EQ(QR_Numric_size_array()[i], c.numeric) << c.version << "/" << c.level;
        EXPECT_EQ(QR_AlphaNumric_size_array()[i], c.alnum) << c.version << "/" << c.level;
        EXPECT_EQ(QR_8_BIT_size_array()[i], c.byte) << c.version << "/" << c.level;
        EXPECT_EQ(QR_Kanji_size_array()[i], c.kanji) << c.version << "/" << c.level;
    }
    struct Align { int version; std::vector<int> centres; };
    const Align aligns[] = {
        {1, {}}, {2, {18}}, {7, {22, 38}}, {14, {26, 46, 66}}, {32, {34, 60, 86, 112, 138}},
        {36, {24, 50, 76, 102, 128, 154}}, {40, {30, 58, 86, 114, 142, 170}},
    };
    for (const Align &a : aligns) {
        const QR_VERSIONINFO &info = QR_VersonInfo()[a.version];
        ASSERT_EQ(info.ncAlignPoint, int(a.centres.size())) << a.version;
        for (size_t k = 0; k < a.centres.size(); ++k)
            EXPECT_EQ(info.nAlignPoint[k], a.centres[k]) << a.version;
    }
}

TEST(QRTables, ReedSolomonCodewordsMakeEveryRootAZeroOfTheBlock)
{
    // GF(256) built here independently, to evaluate the block polynomial at the generator's roots.
    int expt[512], logt[256];
    int x = 1;
    for (int i = 0; i < 255; ++i) {
        expt[i] = expt[i + 255] = x;
        logt[x] = i;
        x <<= 1;
        if (x & 0x100)
            x ^= 0x11D;
    }
    auto mul = [&](int a, int b) { return (a && b) ? expt[logt[a] + logt[b]] : 0; };
    std::mt19937 rng(7);
    for (int ecc : {7, 10, 13, 17, 18, 22, 26, 30}) {
        CQR_Encode enc;
        uint8_t work[153] = {};
        const int data = 19 + ecc % 5;
        std::vector<int> block;
        for (int i = 0; i < data; ++i)
            block.push_back(work[i] = uint8_t(rng()));
        enc.GetRSCodeWord(work, data, ecc);
        for (int i = 0; i < ecc; ++i)
            block.push_back(work[i]);
        for (int r = 0; r < ecc; ++r) {
            int acc = 0;  // Horner over the block, highest power first
            for (int c : block)
                acc = mul(acc, expt[r]) ^ c;
            EXPECT_EQ(acc, 0) << ecc << " codewords, root " << r;
        }
    }
}

// --- segmentation -------------------------------------------------------------------------

TEST(QRSegments, BitLengthsOfSingleSegments)
{
    struct Case { const char *text; int bits; uint8_t mode; };
    const Case cases[] = {
        {"01234567", 41, 0},  // 4 + 10 + 20 + 7
        {"AC-42", 41, 1},     // 4 + 9 + 22 + 6: the digits join the alphanumeric segment
        {"hello", 4 + 8 + 40, 2},
    };
    for (const Case &c : cases) {
        CQR_Encode enc;
        ASSERT_TRUE(enc.EncodeSourceData(c.text, int(std::strlen(c.text)), 0)) << c.text;
        EXPECT_EQ(enc.m_ncDataCodeWordBit, c.bits) << c.text;
        EXPECT_EQ(enc.m_ncDataBlock, 1) << c.text;
        EXPECT_EQ(enc.m_byBlockMode[0], c.mode) << c.text;
    }
}

TEST(QRSegments, UnicodeTextStaysInByteModeBehindEci26)
{
    // "中" is E4 B8 AD in UTF-8: E4 B8 looks like a Shift JIS double-byte character.
    const QByteArray utf8 = QStringLiteral("中文").toUtf8();
    CQR_Encode enc;
    ASSERT_TRUE(enc.EncodeSourceData(utf8.constData(), int(utf8.size()), 0));
    EXPECT_EQ(enc.m_ncDataBlock, 1);
    EXPECT_EQ(enc.m_byBlockMode[0], 2);
    EXPECT_EQ(enc.m_ncDataCodeWordBit, 12 + 4 + 8 + 8 * 6);
    EXPECT_EQ(enc.m_byDataCodeWord[0], 0x71);  // ECI mode 0111, then designator 26 = 0001 1010
    EXPECT_EQ(enc.m_byDataCodeWord[1], 0xA4);  // ... then byte mode 0100

    // A Shift JIS source does use Kanji mode.
    const char sjis[] = "\x8A\xBF\x8E\x9A";  // 漢字
    CQR_Encode kanji;
    kanji.m_sourceCharset = QRSourceCharset::ShiftJIS;
    ASSERT_TRUE(kanji.EncodeSourceData(sjis, 4, 0));
    EXPECT_EQ(kanji.m_ncDataBlock, 1);
    EXPECT_EQ(kanji.m_byBlockMode[0], 3);
    EXPECT_EQ(kanji.m_ncDataCodeWordBit, 4 + 8 + 26);
}

// --- symbols read back --------------------------------------------------------------------

TEST(QRDecode, EveryLevelOverSampledVersions)
{
    REQUIRE_TOOL(zx, "ZXingReader");
    REQUIRE_TOOL(zb, "zbarimg");
    const char *levels = "LMQH";
    for (int version : {1, 2, 5, 7, 10, 14, 21, 27, 33, 40}) {
        for (int level = 0; level < 4; ++level) {
            // Three quarters of the version's numeric capacity of mixed alphanumeric data.
            const int64_t cap = QR_AlphaNumric_size_array()[size_t((version - 1) * 4 + level)];
            const QString text = repeated(kAlnum, int(cap * 3 / 4), unsigned(version * 4 + level));
            const auto grid = QREncoder::encodeWithECLevel(level, version, text);
            ASSERT_TRUE(grid) << version << levels[level];
            EXPECT_EQ(versionOf(*grid), version);
            const QImage img = paint(*grid);
            const auto d = twodtest::zxing(img, QStringLiteral("QRCode"));
            EXPECT_EQ(d.text, text) << "version " << version << levels[level] << "\n" << d.raw.toStdString();
            EXPECT_EQ(d.ecLevel, QString(QLatin1Char(levels[level])));
            EXPECT_EQ(QString::fromUtf8(twodtest::zbar(img)), text) << version << levels[level];
        }
    }
}

TEST(QRDecode, DataOfEveryKind)
{
    REQUIRE_TOOL(zx, "ZXingReader");
    REQUIRE_TOOL(zb, "zbarimg");
    const QString texts[] = {
        QStringLiteral("31415926535897932384626433832795028841971"),
        QStringLiteral("HELLO WORLD $%*+-./:"),
        QStringLiteral("hello, world; bytes: ~{}|"),
        QStringLiteral("A") + QString(22, QLatin1Char('7')) + QStringLiteral("A"),  // needs 126 bits in V1
        QStringLiteral("Order 12345678901234567890 for ABC-99/X at https://example.org?q=1"),
        QStringLiteral("Zürich € 中文"),
        QStringLiteral("名前: 山田太郎"),
    };
    for (const QString &text : texts) {
        for (int level : {0, 3}) {
            const auto grid = QREncoder::encodeWithECLevel(level, 0, text);
            ASSERT_TRUE(grid) << text.toStdString();
            const QImage img = paint(*grid);
            const auto d = twodtest::zxing(img, QStringLiteral("QRCode"));
            EXPECT_EQ(d.text, text) << d.raw.toStdString();
            const bool ascii = text.toUtf8().size() == text.size();
            EXPECT_EQ(d.hasEci, !ascii) << text.toStdString();
            EXPECT_EQ(QString::fromUtf8(twodtest::zbar(img)), text);
        }
    }
    // "A", 22 digits, "A" fits version 1 at level L.
    const auto v1 = QREncoder::encodeWithECLevel(0, 1, texts[3]);
    ASSERT_TRUE(v1);
    EXPECT_EQ(v1->dimension(), 21);
}

TEST(QRDecode, AutomaticVersionIsTheSmallestThatHolds)
{
    REQUIRE_TOOL(zx, "ZXingReader");
    for (int count : {100, 1000}) {
        for (int level = 0; level < 4; ++level) {
            const QString text = repeated(kMixed, count, unsigned(count + level));
            const auto grid = QREncoder::encodeWithECLevel(level, 0, text);
            ASSERT_TRUE(grid) << count << "/" << level;
            const int v = versionOf(*grid);
            const QByteArray bytes = text.toUtf8();
            CQR_Encode smaller;
            EXPECT_FALSE(smaller.EncodeData(level, v - 1, false, -1, bytes.constData(), int(bytes.size())))
                << "version " << v - 1 << " would hold " << count << " characters at level " << level;
            const auto d = twodtest::zxing(paint(*grid), QStringLiteral("QRCode"));
            EXPECT_EQ(d.text, text) << count << "/" << level;
        }
    }
}

TEST(QRDecode, ShiftJisSourceInKanjiMode)
{
    REQUIRE_TOOL(zx, "ZXingReader");
    const char sjis[] = "\x8A\xBF\x8E\x9A\x82\xC6\x82\xA9\x82\xC8";  // 漢字とかな
    CQR_Encode enc;
    enc.m_sourceCharset = QRSourceCharset::ShiftJIS;
    ASSERT_TRUE(enc.EncodeData(1, 0, true, -1, sjis, 10));
    DataMatrix grid(enc.m_nSymbleSize);
    for (int x = 0; x < enc.m_nSymbleSize; ++x)
        for (int y = 0; y < enc.m_nSymbleSize; ++y)
            grid.set(enc.m_byModuleData[x][y], x, y);
    const auto d = twodtest::zxing(paint(grid), QStringLiteral("QRCode"));
    EXPECT_EQ(d.text, QStringLiteral("漢字とかな")) << d.raw.toStdString();
}

// --- versions, masks, refusals --------------------------------------------------------------

TEST(QREncode, RequestedVersionsAndMasks)
{
    // A requested version is never lowered; auto-extent raises one that is too small.
    CQR_Encode five;
    ASSERT_TRUE(five.EncodeData(0, 5, true, -1, "HELLO", 0));
    EXPECT_EQ(five.m_nSymbleSize, 37);
    const QByteArray big(200, 'x');
    CQR_Encode raised;
    ASSERT_TRUE(raised.EncodeData(0, 2, true, -1, big.constData(), int(big.size())));
    EXPECT_EQ(raised.m_nVersion, 9);  // 200 bytes + 12 bits of header: 202 of 9-L's 232 codewords
    CQR_Encode fixed;
    EXPECT_FALSE(fixed.EncodeData(0, 2, false, -1, big.constData(), int(big.size())));

    // The chosen mask is the one with the lowest penalty, the lower number on a tie.
    CQR_Encode automatic;
    ASSERT_TRUE(automatic.EncodeData(2, 3, false, -1, "MASK CHOICE 0123", 0));
    const int chosen = automatic.m_nMaskingNo;
    int best = -1, bestPenalty = 0;
    for (int mask = 0; mask < 8; ++mask) {
        CQR_Encode forced;
        ASSERT_TRUE(forced.EncodeData(2, 3, false, mask, "MASK CHOICE 0123", 0));
        // The final matrix holds 0/1; the penalty reads the dark bit 0x01.
        const int penalty = forced.CountPenalty();
        if (best < 0 || penalty < bestPenalty) {
            best = mask;
            bestPenalty = penalty;
        }
    }
    EXPECT_EQ(chosen, best);

    // Version information: none below 7; version 7 carries the standard's 000111110010010100.
    CQR_Encode seven;
    ASSERT_TRUE(seven.EncodeData(0, 7, false, 0, "7", 0));
    EXPECT_EQ(seven.m_nSymbleSize, 45);
    int word = 0;
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 3; ++j)
            if (seven.m_byModuleData[45 - 11 + j][i])
                word |= 1 << (3 * i + j);
    EXPECT_EQ(word, 0x07C94);
    CQR_Encode six;
    ASSERT_TRUE(six.EncodeData(0, 6, false, 0, "6", 0));
    EXPECT_EQ(six.m_nSymbleSize, 41);
}

TEST(QREncode, TooMuchDataIsRefused)
{
    EXPECT_TRUE(QREncoder::encodeWithECLevel(0, 0, QString(7089, QLatin1Char('9'))));
    EXPECT_FALSE(QREncoder::encodeWithECLevel(0, 0, QString(7090, QLatin1Char('9'))));
    EXPECT_TRUE(QREncoder::encodeWithECLevel(3, 0, QString(1273, QLatin1Char('x'))));
    EXPECT_FALSE(QREncoder::encodeWithECLevel(3, 0, QString(1274, QLatin1Char('x'))));
    // A fixed version refuses what does not fit it by the whole-text capacity.
    EXPECT_TRUE(QREncoder::encodeWithECLevel(0, 1, QString(41, QLatin1Char('1'))));
    EXPECT_FALSE(QREncoder::encodeWithECLevel(0, 1, QString(42, QLatin1Char('1'))));
    EXPECT_FALSE(QREncoder::encodeWithECLevel(0, 1, QString(18, QLatin1Char('a'))));
    EXPECT_FALSE(QREncoder::encodeWithECLevel(0, 0, QString()));
}

// --- painting -------------------------------------------------------------------------------

TEST(QRPaint, ModulesQuietZoneAndMargins)
{
    const auto grid = QREncoder::encodeWithECLevel(0, 1, QStringLiteral("PAINT"));
    ASSERT_TRUE(grid);
    ASSERT_EQ(grid->dimension(), 21);
    struct Case { int dimension, size, module, lead; };
    // 21 modules + 8 of quiet zone = 29; the spare pixels are split, the odd one right/bottom.
    const Case cases[] = {{100, 100, 3, 6}, {101, 101, 3, 7}, {29, 29, 1, 0}, {10, 29, 1, 0}, {0, 29, 1, 0}};
    for (const Case &c : cases) {
        const QImage img = QREncoder::paintDataMatrix(grid.get(), c.dimension);
        ASSERT_EQ(img.width(), c.size) << c.dimension;
        ASSERT_EQ(img.height(), c.size);
        const int origin = c.lead + 4 * c.module;  // top-left module of the symbol
        for (int my = 0; my < 21; ++my)
            for (int mx = 0; mx < 21; ++mx) {
                const QRgb px = img.pixel(origin + mx * c.module, origin + my * c.module);
                ASSERT_EQ(qAlpha(px), 255);
                ASSERT_EQ(qRed(px) == 0, grid->valueAt(mx, my)) << c.dimension << ": " << mx << "," << my;
            }
        // The quiet zone is opaque white; the spare margin outside it transparent.
        EXPECT_EQ(img.pixel(c.lead, c.lead), qRgba(255, 255, 255, 255));
        EXPECT_EQ(img.pixel(origin - 1, origin + 10 * c.module), qRgba(255, 255, 255, 255));
        if (c.lead > 0) {
            EXPECT_EQ(qAlpha(img.pixel(c.lead - 1, c.lead - 1)), 0);
        }
        const int trailing = c.size - c.lead - 29 * c.module;
        EXPECT_EQ(qAlpha(img.pixel(c.size - 1, c.size - 1)), trailing > 0 ? 0 : 255);
    }
    // Raised to 600 dpi: a 100-point image becomes 834 pixels and keeps its size in points.
    const TwoDImage raised = QREncoder::renderDataMatrix(grid.get(), 100, 600);
    EXPECT_EQ(raised.pixels.size(), QSize(834, 834));
    EXPECT_EQ(raised.sizePoints, QSizeF(100, 100));
    EXPECT_TRUE(QREncoder::renderDataMatrix(nullptr, 100, 600).isNull());
}

TEST(QRFrontEnd, WholeTextModeMinimumSizeAndGridText)
{
    struct Case { QByteArray text; QRSourceCharset charset; int mode; };
    const Case cases[] = {
        {"0123", QRSourceCharset::Utf8, 0},
        {"AC-42", QRSourceCharset::Utf8, 1},
        {"abc", QRSourceCharset::Utf8, 2},
        {"", QRSourceCharset::Utf8, 2},
        {QStringLiteral("中").toUtf8(), QRSourceCharset::Utf8, 2},
        {QByteArray("\x81\x41"), QRSourceCharset::ShiftJIS, 3},
        // Each pair's second byte is looked at again on its own: 0xBF alone is an 8-bit byte.
        {QByteArray("\x8A\xBF\x8E\x9A"), QRSourceCharset::ShiftJIS, 2},
    };
    for (const Case &c : cases) {
        CQR_Encode enc;
        enc.m_sourceCharset = c.charset;
        EXPECT_EQ(enc.Get_Encoding_Mode(c.text.constData(), int(c.text.size())), c.mode) << c.text.toStdString();
    }
    EXPECT_EQ(QR_Minimum_Size(0), 21);
    EXPECT_EQ(QR_Minimum_Size(1), 21);
    EXPECT_EQ(QR_Minimum_Size(7), 45);
    EXPECT_EQ(QR_Minimum_Size(40), 177);

    DataMatrix grid(3);
    grid.set(1, 0, 0);
    grid.set(1, 2, 1);
    EXPECT_EQ(grid.description(), QStringLiteral("100\n001\n000\n"));
    EXPECT_TRUE(grid.valueAt(2, 1));
    EXPECT_FALSE(grid.valueAt(1, 2));
}
