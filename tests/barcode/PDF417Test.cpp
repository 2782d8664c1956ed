#include "TestSupport.h"
#include "TwoDDecode.h"
#include "barcode/PDF417Encoder.h"
#include "barcode/PDF417View.h"
#include "platform/UiServices.h"

#include <QMimeData>
#include <QPainter>
#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace barcode;

namespace {

// Encodes text bytes with the view's options and returns the record.
_pdf417param encode(const QByteArray &bytes, int options = 0, int level = 2)
{
    _pdf417param p;
    pdf417init(&p);
    p.text = bytes.constData();
    p.lenText = int(bytes.size());
    p.options = options;
    p.errorLevel = level;
    paintCode(&p);
    return p;
}

std::vector<int> dataCodewords(const _pdf417param &p)
{
    const int data = p.codewords[0];
    return std::vector<int>(p.codewords + 1, p.codewords + data);
}

bool contains(const std::vector<int> &v, int x) { return std::find(v.begin(), v.end(), x) != v.end(); }

// A view sized so that every module is 2 points wide and every row 6 points high, raised to
// 144 dpi: 4 pixels a module, which decoders read without effort.
TwoDImage decodableImage(const QString &text, int level)
{
    pdf417View view;
    view.setErrorLevel(level);
    view.setResolution(144);
    if (view.drawWithText(text) != pdf417View::ImageReady)
        return {};
    view.setFrameSize(QSizeF(view.encoding().bitColumns * 2, view.encoding().codeRows * 6));
    view.drawWithText(text);
    return view.getImage();
}

}  // namespace

// --- tables against their definitions -------------------------------------------------------

TEST(PDF417Tables, ClusterPatternsAreFourBarsAndFourSpacesOfTheirCluster)
{
    for (int c = 0; c < 3; ++c) {
        std::set<int> seen;
        for (int v = 0; v < 929; ++v) {
            const int pattern = CLUSTERS[c][v];
            ASSERT_LT(pattern, 1 << 17);
            ASSERT_TRUE(pattern & (1 << 16)) << "cluster " << c * 3 << " value " << v << " starts with a bar";
            ASSERT_FALSE(pattern & 1) << "ends with a space";
            std::vector<int> runs;
            int last = -1;
            for (int bit = 16; bit >= 0; --bit) {
                const int b = (pattern >> bit) & 1;
                if (b == last)
                    ++runs.back();
                else
                    runs.push_back(1);
                last = b;
            }
            ASSERT_EQ(runs.size(), 8u) << c << "/" << v;
            for (int r : runs)
                ASSERT_LE(r, 6);
            EXPECT_EQ((runs[0] - runs[2] + runs[4] - runs[6] + 9) % 9, c * 3) << c << "/" << v;
            seen.insert(pattern);
        }
        EXPECT_EQ(seen.size(), 929u);
    }
    EXPECT_EQ(PDF417_START_PATTERN, 0b11111111010101000);
    EXPECT_EQ(PDF417_STOP_PATTERN, 0b111111101000101001);
}

TEST(PDF417Tables, GeneratorPolynomialsVanishAtPowersOfThree)
{
    EXPECT_EQ(ERROR_LEVEL(0), (std::vector<int>{27, 917}));
    for (int level = 0; level <= 8; ++level) {
        const std::vector<int> &g = ERROR_LEVEL(level);
        const int k = 2 << level;
        ASSERT_EQ(int(g.size()), k);
        int root = 1;
        for (int i = 1; i <= k; ++i) {
            root = root * 3 % 929;
            long long acc = 1;  // the leading coefficient
            for (int j = k - 1; j >= 0; --j)
                acc = (acc * root + g[size_t(j)]) % 929;
            EXPECT_EQ(acc, 0) << "level " << level << " root 3^" << i;
        }
    }
}

TEST(PDF417Tables, SubModeAlphabets)
{
    EXPECT_EQ(std::strlen(MIXED_SET), 25u);
    EXPECT_EQ(std::strlen(PUNCTUATION_SET), 29u);
    for (char c : {'\r', '\t', ',', ':', '-', '.', '$', '/', '*'})
        EXPECT_EQ(std::strchr(MIXED_SET, c) - MIXED_SET, std::strchr(PUNCTUATION_SET, c) - PUNCTUATION_SET) << c;
}

// --- segmentation, levels and sizes ---------------------------------------------------------

TEST(PDF417Encode, SegmentsByContent)
{
    struct Case { QByteArray text; int mustHave; int mustLack; };
    const Case cases[] = {
        {"12345678", 902, -1},                          // eight digits alone are numeric
        {"1234567", -1, 902},                           // seven stay text
        {"Code 1234567890123 end", 902, -1},            // a run of 13 digits inside text
        {"Code 123456789012 end", -1, 902},             // 12 stay text
        {QByteArray("ab\x01" "cd"), 913, 901},          // one byte between text: a byte shift
        {QByteArray("\x01\x02\x03\x04\x05\x06"), 924, -1},  // six bytes
        {QByteArray("\x01\x02\x03\x04\x05"), 901, -1},  // five bytes
    };
    for (const Case &c : cases) {
        const _pdf417param p = encode(c.text);
        ASSERT_EQ(p.error, 0) << c.text.toStdString();
        const auto cw = dataCodewords(p);
        if (c.mustHave >= 0) {
            EXPECT_TRUE(contains(cw, c.mustHave)) << c.text.toStdString();
        }
        if (c.mustLack >= 0) {
            EXPECT_FALSE(contains(cw, c.mustLack)) << c.text.toStdString();
        }
    }
    // Numeric compaction of "12345678": the base-900 digits of 112345678.
    const auto digits = dataCodewords(encode("12345678"));
    EXPECT_EQ(digits[0], 902);
    EXPECT_EQ(digits[1], 112345678 / 810000);
    EXPECT_EQ(digits[2], 112345678 / 900 % 900);
    EXPECT_EQ(digits[3], 112345678 % 900);
}

TEST(PDF417Encode, LevelsFollowTheRoomInTheSymbol)
{
    // A requested level higher than the free space allows is lowered.
    const QByteArray big(1200, 'A');
    const _pdf417param lowered = encode(big, PDF417_USE_ERROR_LEVEL, 8);
    ASSERT_EQ(lowered.error, 0);
    EXPECT_LT(lowered.errorLevel, 8);
    EXPECT_LE(lowered.codewords[0] + (2 << lowered.errorLevel), 928);

    // A small message in a large fixed rectangle gets the highest level that fits.
    _pdf417param p;
    pdf417init(&p);
    p.text = "HI";
    p.options = PDF417_FIXED_RECTANGLE;
    p.codeColumns = 10;
    p.codeRows = 40;
    paintCode(&p);
    ASSERT_EQ(p.error, 0);
    EXPECT_EQ(p.codeColumns, 10);
    EXPECT_EQ(p.codeRows, 40);
    EXPECT_EQ(p.errorLevel, 7);  // 256 correction codewords fit in 400, 512 do not
    EXPECT_EQ(p.lenCodewords, 400);

    // Options 144 with aspect ratio 1 and height 3: columns from (-69 + sqrt(69^2 + 204 tot)) / 34.
    for (int n : {10, 100, 600}) {
        const QByteArray text(n, 'x');
        _pdf417param q;
        pdf417init(&q);
        q.text = text.constData();
        q.options = 144;
        q.errorLevel = 2;
        q.aspectRatio = 1.0f;
        paintCode(&q);
        ASSERT_EQ(q.error, 0);
        // n lower-case letters: a latch and n values, paired into (n + 2) / 2 codewords, after
        // the length descriptor; level 2 adds 8 correction codewords.
        const double tot = 1 + (n + 2) / 2 + 8;
        const int cols = std::clamp(int((-69 + std::sqrt(69.0 * 69 + 204 * tot)) / 34 + 0.5), 1, 30);
        EXPECT_EQ(q.codeColumns, cols) << n;
        EXPECT_EQ(q.codeRows, std::max(3, int(tot - 1) / cols + 1)) << n;
    }
}

TEST(PDF417Encode, RefusalsAndInvalidParameters)
{
    EXPECT_EQ(encode(QByteArray(5421, 'a')).error, PDF417_ERROR_TEXT_TOO_BIG);
    std::mt19937 rng(3);
    QByteArray bytes;
    for (int i = 0; i < 1200; ++i)
        bytes += char(128 + rng() % 128);
    EXPECT_EQ(encode(bytes).error, PDF417_ERROR_TEXT_TOO_BIG);
    EXPECT_TRUE(encode(bytes).outBits.empty());

    for (int len : {0, 927, 5}) {
        _pdf417param p;
        pdf417init(&p);
        p.options = PDF417_USE_RAW_CODEWORDS;
        p.lenCodewords = len;
        p.codewords[0] = len == 5 ? 4 : len;
        paintCode(&p);
        EXPECT_EQ(p.error, PDF417_ERROR_INVALID_PARAMS) << len;
    }
    // An empty message still makes a symbol of the length descriptor and padding.
    const _pdf417param empty = encode(QByteArray());
    EXPECT_EQ(empty.error, 0);
    EXPECT_GE(empty.codeRows, 3);
    EXPECT_FALSE(empty.outBits.empty());
}

TEST(PDF417Encode, RowsAreStartIndicatorsDataStop)
{
    const _pdf417param p = encode("ROW LAYOUT 42", PDF417_USE_ERROR_LEVEL, 1);
    ASSERT_EQ(p.error, 0);
    EXPECT_EQ(p.bitColumns, 17 * (p.codeColumns + 3) + 18);
    const int bytesPerRow = (p.bitColumns - 1) / 8 + 1;
    auto field = [&](int row, int bitStart, int width) {
        int v = 0;
        for (int b = 0; b < width; ++b) {
            const int bit = bitStart + b;
            v = (v << 1) | ((p.outBits[size_t(row * bytesPerRow + bit / 8)] >> (7 - bit % 8)) & 1);
        }
        return v;
    };
    for (int row = 0; row < p.codeRows; ++row) {
        const int *cluster = CLUSTERS[row % 3];
        EXPECT_EQ(field(row, 0, 17), PDF417_START_PATTERN);
        for (int c = 0; c < p.codeColumns; ++c)
            EXPECT_EQ(field(row, 34 + 17 * c, 17), cluster[p.codewords[row * p.codeColumns + c]]);
        EXPECT_EQ(field(row, 17 * (p.codeColumns + 3), 18), PDF417_STOP_PATTERN);
    }
}

// --- symbols read back --------------------------------------------------------------------

TEST(PDF417Decode, EveryLevelWithNumericTextBytesAndByteShift)
{
    REQUIRE_TOOL(zx, "ZXingReader");
    const QString texts[] = {
        QStringLiteral("Badge 0042: 1234567890123456789012345 checked"),
        QStringLiteral("Visitor pass; Room 4.12 (east wing) #7 & more text!"),
        QString::fromLatin1("caf\xe9 \xfc\xf1\xee\xe7\xf6" "d\xe9 bytes \xa9\xae"),
        QStringLiteral("ab") + QChar(0x7F) + QStringLiteral("cd"),
    };
    for (int level = 0; level <= 8; ++level) {
        for (const QString &text : texts) {
            const TwoDImage img = decodableImage(text, level);
            ASSERT_FALSE(img.isNull()) << level;
            const auto d = twodtest::zxing(img.pixels, QStringLiteral("PDF417"));
            EXPECT_EQ(d.text, text) << "level " << level << "\n" << d.raw.toStdString();
        }
    }
}

TEST(PDF417Decode, UnicodeTextGoesAsUtf8BehindEci26)
{
    REQUIRE_TOOL(zx, "ZXingReader");
    int eci = -1;
    EXPECT_EQ(pdf417View::encoderBytes(QStringLiteral("Zürich"), &eci), QByteArray("Z\xfcrich"));
    EXPECT_EQ(eci, 0);
    const QString text = QStringLiteral("Zürich € 中文");
    EXPECT_EQ(pdf417View::encoderBytes(text, &eci), text.toUtf8());
    EXPECT_EQ(eci, 26);
    for (const QString &t : {QStringLiteral("Zürich"), text}) {
        const auto d = twodtest::zxing(decodableImage(t, 3).pixels, QStringLiteral("PDF417"));
        EXPECT_EQ(d.text, t) << d.raw.toStdString();
    }
}

TEST(PDF417View, StatesImageAndModuleFloor)
{
    pdf417View view(QSizeF(100, 20));
    EXPECT_EQ(view.getErrorLevel(), 2);
    EXPECT_EQ(view.imageState(), pdf417View::ImageEmpty);
    view.setResolution(600);
    ASSERT_EQ(view.drawWithText(QStringLiteral("0123")), pdf417View::ImageReady);
    const TwoDImage first = view.getImage();
    EXPECT_EQ(first.sizePoints, QSizeF(100, 20));
    EXPECT_EQ(first.pixels.size(), QSize(834, 167));

    // Nothing to encode, or too much: the state changes, the image stays.
    EXPECT_EQ(view.drawWithText(QString()), pdf417View::ImageEmpty);
    EXPECT_EQ(view.getImage().pixels, first.pixels);
    EXPECT_EQ(view.drawWithText(QString(5421, QLatin1Char('z'))), pdf417View::ImageFailed);
    EXPECT_EQ(view.getImage().pixels, first.pixels);
    QImage canvas(100, 20, QImage::Format_ARGB32);
    canvas.fill(Qt::black);
    {
        QPainter painter(&canvas);
        view.drawRect(painter);
    }
    EXPECT_EQ(canvas.pixel(99, 0), qRgb(255, 255, 255));  // white failure state

    // A frame too small for one pixel a module at 72 dpi still keeps every module.
    pdf417View small(QSizeF(40, 8));
    small.setResolution(72);
    ASSERT_EQ(small.drawWithText(QStringLiteral("SMALL FRAME")), pdf417View::ImageReady);
    EXPECT_GE(small.getImage().pixels.width(), small.encoding().bitColumns);
    EXPECT_GE(small.getImage().pixels.height(), small.encoding().codeRows);
    EXPECT_EQ(small.getImage().sizePoints, QSizeF(40, 8));
}

TEST(PDF417View, DragAndDropAndPaste)
{
    platform::ScopedScriptedUi ui;
    pdf417View view;
    QMimeData text;
    text.setText(QStringLiteral("DROPPED"));
    QMimeData image;
    image.setImageData(QImage(4, 4, QImage::Format_RGB32));

    EXPECT_FALSE(view.draggingEntered(&text));  // not a target yet
    view.toggleTargetState();
    EXPECT_FALSE(view.draggingEntered(&image));
    EXPECT_TRUE(view.draggingEntered(&text));
    EXPECT_TRUE(view.isDragSessionInProgress());
    view.draggingExited();
    EXPECT_FALSE(view.isDragSessionInProgress());
    EXPECT_TRUE(view.performDragOperation(&text));
    EXPECT_EQ(view.imageState(), pdf417View::ImageReady);

    EXPECT_FALSE(view._takeValueFromPasteboard(&image, QStringLiteral("paste")));
    EXPECT_EQ(ui->messages(), QStringList{QStringLiteral("Unable to perform paste operation.")});

    EXPECT_EQ(view.dragMimeData(), nullptr);  // not a source
    view.toggleSourceState();
    std::unique_ptr<QMimeData> out(view.dragMimeData());
    ASSERT_TRUE(out);
    EXPECT_TRUE(out->hasImage());
}

TEST(PDF417View, EpsReadByGhostscriptAndDecoded)
{
    REQUIRE_TOOL(gs, "gs");
    REQUIRE_TOOL(zx, "ZXingReader");
    pdf417View view(QSizeF(300, 90));
    const QString text = QStringLiteral("EPS output 2024-05-01");
    ASSERT_EQ(view.drawWithText(text), pdf417View::ImageReady);
    const QByteArray eps = view.makeEPS();
    ASSERT_TRUE(eps.startsWith("%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 300 90\n")) << eps.left(80).toStdString();
    EXPECT_TRUE(eps.contains("\n%%Title: pdf417View_EPS_image\n"));
    QString gsError;
    const QImage rendered = twodtest::renderEps(eps, 300, &gsError);
    ASSERT_FALSE(rendered.isNull()) << gsError.toStdString();
    ASSERT_EQ(rendered.size(), QSize(1250, 375));
    const auto d = twodtest::zxing(twodtest::onWhite(rendered, 40), QStringLiteral("PDF417"));
    EXPECT_EQ(d.text, text) << d.raw.toStdString();
}
