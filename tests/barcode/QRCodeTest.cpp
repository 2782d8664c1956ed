// QR Code: symbols of representative versions and every level read back by two decoders;
// capacities, versions, refusals and painting.

#include "LinearDecode.h"
#include "TestSupport.h"

#include "barcode/QREncode.h"
#include "barcode/QREncoder.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

using namespace barcode;

namespace {

// One pixel a point, three points a module: decoders read that comfortably.
QImage paint(const DataMatrix &grid) { return QREncoder::paintDataMatrix(&grid, (grid.dimension() + 8) * 3); }

int versionOf(const DataMatrix &grid) { return (grid.dimension() - 17) / 4; }

QString randomText(const QString &alphabet, int count, unsigned seed)
{
    std::mt19937 rng(seed);
    QString s;
    for (int i = 0; i < count; ++i)
        s += alphabet.at(int(rng() % unsigned(alphabet.size())));
    return s;
}

// What ZXingReader reads, once zbarimg has read the same text.
lineartest::Decoded bothRead(const DataMatrix &grid, const QString &text)
{
    const QImage img = paint(grid);
    EXPECT_EQ(QString::fromUtf8(lineartest::zbarRead(img, QStringLiteral("qrcode"))), text);
    const auto d = lineartest::zxing(img, QStringLiteral("QRCode"));
    EXPECT_EQ(d.text, text) << d.raw.toStdString();
    return d;
}

}  // namespace

TEST(QRCode, EveryVersionAndLevelReadsBack)
{
    REQUIRE_TOOL(zx, "ZXingReader");
    REQUIRE_TOOL(zb, "zbarimg");
    const QString alnum = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:");
    // Version information is drawn from version 7 on; every level comes twice.
    for (const int version : {1, 2, 6, 7, 10, 14, 27, 40}) {
        const int level = version % 4;
        const char ec[] = {"LMQH"[level], 0};
        SCOPED_TRACE(testing::Message() << "version " << version << " level " << ec);
        // Three quarters of the capacity, so that the version is the one asked for.
        const int64_t cap = QR_AlphaNumric_size_array()[size_t((version - 1) * 4 + level)];
        const QString text = randomText(alnum, int(cap * 3 / 4), unsigned(version));
        const auto grid = QREncoder::encodeWithECLevel(level, version, text);
        ASSERT_TRUE(grid);
        EXPECT_EQ(versionOf(*grid), version);
        EXPECT_EQ(bothRead(*grid, text).ecLevel, QString::fromLatin1(ec));
    }
}

// The masks and modules chosen for these symbols were recorded from the first, plainly written
// encoder; a faster mask search must land on exactly the same symbols.
TEST(QRCode, ModulesMatchTheRecordedSymbols)
{
    const QString printable = QStringLiteral("Visitor pass 0123456789 ABC-42 / \u00e9t\u00e9 ~!");
    uint64_t hash = 1469598103934665603ULL;
    for (int version = 1; version <= 40; ++version) {
        const int level = (version * 3) % 4;
        const auto grid = QREncoder::encodeWithECLevel(level, 0, randomText(printable, version * 20, unsigned(version)));
        ASSERT_TRUE(grid);
        for (int y = 0; y < grid->dimension(); ++y)
            for (int x = 0; x < grid->dimension(); ++x)
                hash = (hash ^ uint64_t(grid->valueAt(x, y) + 1)) * 1099511628211ULL;
    }
    EXPECT_EQ(hash, 2411026902074401908ULL);
}

TEST(QRCode, DataOfEveryKindInTheSmallestVersion)
{
    REQUIRE_TOOL(zx, "ZXingReader");
    REQUIRE_TOOL(zb, "zbarimg");
    const QString mixed = QStringLiteral("abcdefghijklmnopqrstuvwxyzABC0123456789-.,;!?");
    const struct {
        QString text;
        int level;
        int version = 0;  // when known: the version the segmentation reaches
    } cases[] = {
        {QStringLiteral("31415926535897932384626433832795028841971"), 0, 1},
        {QStringLiteral("HELLO WORLD $%*+-./:"), 3},
        {QStringLiteral("hello, world; bytes: ~{}|"), 0},
        {QStringLiteral("A") + QString(22, QLatin1Char('7')) + QStringLiteral("A"), 0, 1},  // 126 bits
        {QStringLiteral("Order 12345678901234567890 for ABC-99/X at https://example.org?q=1"), 3},
        {QStringLiteral("Zürich € 中文"), 0},  // UTF-8 behind ECI 26
        {QStringLiteral("名前: 山田太郎"), 3},
        {randomText(mixed, 100, 1), 1},
        {randomText(mixed, 1000, 2), 2},
        {randomText(mixed, 1000, 3), 3},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.left(40).toStdString());
        const auto grid = QREncoder::encodeWithECLevel(c.level, 0, c.text);
        ASSERT_TRUE(grid);
        const int v = versionOf(*grid);
        EXPECT_TRUE(!c.version || v == c.version) << v;
        const QByteArray bytes = c.text.toUtf8();
        CQR_Encode smaller;
        EXPECT_TRUE(v == 1 || !smaller.EncodeData(c.level, v - 1, false, -1, bytes.constData(), 0))
            << "version " << v - 1 << " would hold it";
        EXPECT_EQ(bothRead(*grid, c.text).hasEci, bytes.size() != c.text.size());
    }
}

TEST(QRCode, ShiftJisSourceInKanjiMode)
{
    REQUIRE_TOOL(zx, "ZXingReader");
    // The whole text's mode; a Shift JIS pair's second byte is looked at again on its own, so
    // 0xBF alone makes the text 8-bit, and UTF-8's E4 B8 only looks like a pair.
    const QRSourceCharset utf8 = QRSourceCharset::Utf8, sjis = QRSourceCharset::ShiftJIS;
    for (const auto &[text, charset, mode] :
         {std::tuple{QByteArray("AC-42"), utf8, 1}, {QByteArray("\x81\x41"), sjis, 3},
          {QStringLiteral("中").toUtf8(), utf8, 2}, {QByteArray("\x8A\xBF\x8E\x9A"), sjis, 2}}) {
        CQR_Encode enc;
        enc.m_sourceCharset = charset;
        EXPECT_EQ(enc.Get_Encoding_Mode(text.constData(), int(text.size())), mode) << text.toStdString();
    }
    CQR_Encode enc;
    enc.m_sourceCharset = sjis;
    ASSERT_TRUE(enc.EncodeData(1, 0, true, -1, "\x8A\xBF\x8E\x9A\x82\xC6\x82\xA9\x82\xC8", 10));
    const int n = enc.m_nSymbleSize;
    DataMatrix grid(n);
    for (int m = 0; m < n * n; ++m)
        grid.set(enc.m_byModuleData[m % n][m / n], m % n, m / n);
    const auto d = lineartest::zxing(paint(grid), QStringLiteral("QRCode"));
    EXPECT_EQ(d.text, QStringLiteral("漢字とかな")) << d.raw.toStdString();
}

TEST(QRCode, RequestedVersionsAndRefusals)
{
    // A requested version is never lowered; auto-extent raises one that is too small: 200 bytes
    // and 12 bits of header are 202 of 9-L's 232 codewords.
    CQR_Encode five, raised, fixed;
    ASSERT_TRUE(five.EncodeData(0, 5, true, -1, "HELLO", 0));
    EXPECT_EQ(five.m_nSymbleSize, 37);
    const QByteArray big(200, 'x');
    ASSERT_TRUE(raised.EncodeData(0, 2, true, -1, big.constData(), int(big.size())));
    EXPECT_EQ(raised.m_nVersion, 9);
    EXPECT_FALSE(fixed.EncodeData(0, 2, false, -1, big.constData(), int(big.size())));

    // The published capacities bound what a version holds; a fixed version refuses what does
    // not fit it by the whole-text capacity.
    const struct {
        int level, version, count;
        char fill;
        bool fits;
    } cases[] = {
        {0, 0, 7089, '9', true}, {0, 0, 7090, '9', false}, {3, 0, 1273, 'x', true}, {3, 0, 1274, 'x', false},
        {0, 1, 41, '1', true}, {0, 1, 42, '1', false}, {0, 1, 25, 'A', true}, {0, 1, 26, 'A', false},
        {3, 1, 7, 'x', true}, {3, 1, 8, 'x', false}, {0, 1, 18, 'a', false}, {0, 0, 0, 'a', false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(bool(QREncoder::encodeWithECLevel(c.level, c.version, QString(c.count, QChar(c.fill)))),
                  c.fits) << c.level << "/" << c.version << " " << c.count;
}

TEST(QRCode, PaintedModulesQuietZoneAndMargins)
{
    const auto grid = QREncoder::encodeWithECLevel(0, 1, QStringLiteral("PAINT"));
    ASSERT_TRUE(grid);
    ASSERT_EQ(grid->dimension(), 21);
    // 21 modules + 8 of quiet zone = 29; the spare pixels are split, the odd one right/bottom.
    for (const auto &[asked, size, module, lead] : {std::array{100, 100, 3, 6}, {101, 101, 3, 7},
                                                   {29, 29, 1, 0}, {10, 29, 1, 0}, {0, 29, 1, 0}}) {
        SCOPED_TRACE(asked);
        const QImage img = QREncoder::paintDataMatrix(grid.get(), asked);
        ASSERT_EQ(img.size(), QSize(size, size));
        const int origin = lead + 4 * module;  // top-left module of the symbol
        for (int m = 0; m < 21 * 21; ++m)
            ASSERT_EQ(img.pixel(origin + m % 21 * module, origin + m / 21 * module),
                      grid->valueAt(m % 21, m / 21) ? qRgb(0, 0, 0) : qRgb(255, 255, 255)) << m;
        // The quiet zone is opaque white; the spare margin outside it transparent.
        EXPECT_EQ(img.pixel(lead, lead), qRgba(255, 255, 255, 255));
        EXPECT_EQ(img.pixel(origin - 1, origin + 10 * module), qRgba(255, 255, 255, 255));
        EXPECT_EQ(qAlpha(img.pixel(std::max(0, lead - 1), std::max(0, lead - 1))), lead > 0 ? 0 : 255);
        EXPECT_EQ(qAlpha(img.pixel(size - 1, size - 1)), size - lead - 29 * module > 0 ? 0 : 255);
    }
    // Raised to 600 dpi: a 100-point image becomes 834 pixels and keeps its size in points.
    const TwoDImage raised = QREncoder::renderDataMatrix(grid.get(), 100, 600);
    EXPECT_EQ(raised.pixels.size(), QSize(834, 834));
    EXPECT_EQ(raised.sizePoints, QSizeF(100, 100));
    EXPECT_TRUE(QREncoder::renderDataMatrix(nullptr, 100, 600).isNull());
}
