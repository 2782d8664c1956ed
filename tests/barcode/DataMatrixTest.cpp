#include "TestSupport.h"
#include "TwoDDecode.h"
#include "barcode/DataMatrixSymbol.h"

#include <dmtx.h>

#include <gtest/gtest.h>

using namespace barcode;

namespace {

// Four pixels a module with the symbol's own one-module border, on white.
QImage picture(const DataMatrixGrid &grid)
{
    const TwoDImage img = DataMatrix_Image(grid, 4, 72);
    return twodtest::onWhite(img.pixels, 16);
}

}  // namespace

TEST(DataMatrixSizes, ListAndItems)
{
    const QStringList &items = DataMatrix_Size_Items();
    ASSERT_EQ(items.size(), 31);
    EXPECT_EQ(items.first(), QStringLiteral("Auto"));
    EXPECT_EQ(DataMatrix_Encoding_Items(),
              (QStringList{QStringLiteral("Auto"), QStringLiteral("Ascii"), QStringLiteral("C40"), QStringLiteral("Text"),
                           QStringLiteral("Base256")}));
    struct Case { const char *item; int W, H; };
    for (const Case &c : {Case{"C12X26", 26, 12}, Case{"C8X18", 18, 8}, Case{"C144X144", 144, 144},
                          Case{"Auto", 0, 0}, Case{"C77", 0, 0}}) {
        int W = -1, H = -1;
        DataMatrix_Size_From_Item(QString::fromLatin1(c.item), &W, &H);
        EXPECT_EQ(W, c.W) << c.item;
        EXPECT_EQ(H, c.H) << c.item;
    }
}

TEST(DataMatrixDecode, EveryEncodingReadsBackUnmirrored)
{
    REQUIRE_TOOL(zx, "ZXingReader");
    REQUIRE_TOOL(dm, "dmtxread");
    struct Case { QByteArray value; int encoding; const char *encoder; };
    const Case cases[] = {
        {"Hello World 2024", 0, "iec16022"},
        {"ACCESS LEVEL 3 GATE B", 1, "iec16022"},
        {"ACCESS LEVEL 3 GATE B", 2, "iec16022"},
        {"visitor pass no 77", 3, "iec16022"},
        {"Mixed Case with digits 0123456789", 2, "iec16022"},
        {"Mixed Case with digits 0123456789", 3, "iec16022"},
        {"Base 256 bytes", 4, "dmtx"},
        {QByteArray("Z\xc3\xbcrich \xe2\x82\xac"), 0, "dmtx"},  // UTF-8: bytes above 127
        {QByteArray("Z\xc3\xbcrich \xe2\x82\xac"), 4, "dmtx"},
        {QByteArray("Z\xc3\xbcrich \xe2\x82\xac"), 2, "dmtx"},
        {QByteArray(300, 'Q') + QByteArray("\xff\x01\x7f", 3), 4, "dmtx"},  // long Base256 length
    };
    for (const Case &c : cases) {
        const DataMatrixGrid grid = Encode_DataMatrix(c.value, 0, 0, c.encoding);
        ASSERT_FALSE(grid.isNull()) << c.value.toStdString() << " / " << c.encoding << ": " << grid.error.toStdString();
        EXPECT_EQ(grid.encoder, QString::fromLatin1(c.encoder)) << c.value.toStdString() << " / " << c.encoding;
        const QImage img = picture(grid);
        const auto d = twodtest::zxing(img, QStringLiteral("DataMatrix"));
        EXPECT_EQ(d.bytes, c.value) << c.encoding << "\n" << d.raw.toStdString();
        EXPECT_FALSE(d.mirrored) << c.value.toStdString();
        EXPECT_EQ(twodtest::dmtx(img), c.value) << c.encoding;
    }
}

TEST(DataMatrixDecode, EveryFixedSize)
{
    REQUIRE_TOOL(zx, "ZXingReader");
    const QStringList &items = DataMatrix_Size_Items();
    for (int i = 1; i < items.size(); ++i) {
        int W = 0, H = 0;
        DataMatrix_Size_From_Item(items.at(i), &W, &H);
        const QByteArray value = "DM" + QByteArray::number(i);
        const DataMatrixGrid grid = Encode_DataMatrix(value, W, H, 0);
        ASSERT_FALSE(grid.isNull()) << items.at(i).toStdString();
        EXPECT_EQ(grid.W, W);
        EXPECT_EQ(grid.H, H);
        EXPECT_EQ(grid.encoder, QString::fromLatin1(W == 144 ? "dmtx" : "iec16022")) << items.at(i).toStdString();
        const auto d = twodtest::zxing(picture(grid), QStringLiteral("DataMatrix"));
        EXPECT_EQ(d.bytes, value) << items.at(i).toStdString() << "\n" << d.raw.toStdString();
    }
}

TEST(DataMatrixDecode, LargestSymbolsAndRefusals)
{
    REQUIRE_TOOL(zx, "ZXingReader");
    // 3116 digits fill a 144 x 144 symbol exactly; libiec16022 would read past its table there.
    const QByteArray full(3116, '7');
    const DataMatrixGrid big = Encode_DataMatrix(full, 0, 0, 0);
    ASSERT_FALSE(big.isNull()) << big.error.toStdString();
    EXPECT_EQ(big.W, 144);
    EXPECT_EQ(big.encoder, QStringLiteral("dmtx"));
    EXPECT_EQ(twodtest::zxing(picture(big), QStringLiteral("DataMatrix")).bytes, full);

    // Text that libiec16022 would put into a 144 x 144 symbol of its own.
    QByteArray words;
    while (words.size() < 1900)
        words += "DATA MATRIX ";
    const DataMatrixGrid auto144 = Encode_DataMatrix(words, 0, 0, 0);
    ASSERT_FALSE(auto144.isNull());
    if (auto144.W == 144) {
        EXPECT_EQ(auto144.encoder, QStringLiteral("dmtx"));
    }
    EXPECT_EQ(twodtest::zxing(picture(auto144), QStringLiteral("DataMatrix")).bytes, words);

    const DataMatrixGrid tooLong = Encode_DataMatrix(QByteArray(3117, '7'), 0, 0, 0);
    EXPECT_TRUE(tooLong.isNull());
    EXPECT_FALSE(tooLong.error.isEmpty());
    const DataMatrixGrid tooSmall = Encode_DataMatrix("0123456789ABCDEF", 10, 10, 1);
    EXPECT_TRUE(tooSmall.isNull());
    EXPECT_TRUE(Encode_DataMatrix(QByteArray(), 0, 0, 0).isNull());
}

TEST(DataMatrixImage, GeometryAndOrientation)
{
    const DataMatrixGrid grid = Encode_DataMatrix("12345", 10, 10, 1);
    ASSERT_EQ(grid.W, 10);
    // A 10 x 10 symbol with module size 2 is 20 x 20 points, from 12 x 12 units.
    const TwoDImage img = DataMatrix_Image(grid, 2, 600);
    EXPECT_EQ(img.sizePoints, QSizeF(20, 20));
    EXPECT_EQ(img.pixels.size(), QSize(167, 167));
    const TwoDImage units = DataMatrix_Image(grid, 12, 72);  // 12 points over 12 units: 12 pixels a unit
    ASSERT_EQ(units.pixels.size(), QSize(120, 120));
    auto darkAt = [&](int ux, int uy) { return qRed(units.pixels.pixel(ux * 10 + 5, uy * 10 + 5)) < 128; };
    for (int k = 0; k < 12; ++k) {
        EXPECT_FALSE(darkAt(k, 0));  // the border
        EXPECT_FALSE(darkAt(0, k));
        EXPECT_EQ(qAlpha(units.pixels.pixel(k * 10 + 5, 5)), 255);
    }
    // The solid L of the finder runs down the left side and along the bottom; the dotted
    // edges along the top and the right.
    for (int k = 1; k <= 10; ++k) {
        EXPECT_TRUE(darkAt(1, k)) << "left column, unit " << k;
        EXPECT_TRUE(darkAt(k, 10)) << "bottom row, unit " << k;
        EXPECT_EQ(darkAt(k, 1), k % 2 == 1) << "top row, unit " << k;
        EXPECT_EQ(darkAt(10, k), k % 2 == 0) << "right column, unit " << k;
    }
}

TEST(DataMatrixEps, HeaderBodyAndGhostscriptRendering)
{
    REQUIRE_TOOL(gs, "gs");
    REQUIRE_TOOL(zx, "ZXingReader");
    const QByteArray value("EPS DM\n) showpage (");
    const DataMatrixGrid grid = Encode_DataMatrix(value, 0, 0, 0);
    ASSERT_FALSE(grid.isNull());
    const QByteArray eps = makeEPS_Data_Matrix(value, grid);
    const QList<QByteArray> lines = eps.split('\n');
    EXPECT_EQ(lines.at(0), "%!PS-Adobe-3.0 EPSF-3.0");
    EXPECT_EQ(lines.at(1), "%%Creator: IEC16022 barcode/stamp generator");
    EXPECT_EQ(lines.at(2), "%%BarcodeData: EPS DM?) showpage (");  // kept inside its comment
    EXPECT_TRUE(eps.contains(QStringLiteral("%%BoundingBox: 0 0 %1 %2\n").arg(grid.W + 2).arg(grid.H + 2).toLatin1()));
    EXPECT_TRUE(eps.contains(QStringLiteral("%1 %2 1[1 0 0 1 -1 -1]{<\n").arg(grid.W).arg(grid.H).toLatin1()));
    EXPECT_TRUE(eps.endsWith("\n>}image\n"));

    QString gsError;
    const QImage rendered = twodtest::renderEps(eps, 360, &gsError);
    ASSERT_FALSE(rendered.isNull()) << gsError.toStdString();
    EXPECT_EQ(rendered.size(), QSize((grid.W + 2) * 5, (grid.H + 2) * 5));
    const auto d = twodtest::zxing(twodtest::onWhite(rendered, 20), QStringLiteral("DataMatrix"));
    EXPECT_EQ(d.bytes, value) << d.raw.toStdString();
    EXPECT_FALSE(d.mirrored);
}

TEST(DataMatrixPlacement, MatchesLibdmtxForEverySizeButTheLargest)
{
    // Placement and finder patterns rebuilt from libdmtx's own codewords give its symbol back.
    const QStringList &items = DataMatrix_Size_Items();
    for (int i = 1; i < items.size(); ++i) {
        int W = 0, H = 0;
        DataMatrix_Size_From_Item(items.at(i), &W, &H);
        if (W == 144)
            continue;  // libdmtx interleaves that one its own way
        int idx = -1;
        for (int k = 0; k < DmtxSymbolSquareCount + DmtxSymbolRectCount; ++k)
            if (dmtxGetSymbolAttribute(DmtxSymAttribSymbolCols, k) == W && dmtxGetSymbolAttribute(DmtxSymAttribSymbolRows, k) == H)
                idx = k;
        ASSERT_GE(idx, 0) << items.at(i).toStdString();
        DmtxEncode *enc = dmtxEncodeCreate();
        dmtxEncodeSetProp(enc, DmtxPropSizeRequest, idx);
        unsigned char text[] = "123456";  // fits the smallest symbol
        ASSERT_EQ(dmtxEncodeDataMatrix(enc, 6, text), DmtxPass);
        const std::vector<uint8_t> code(enc->message->code, enc->message->code + enc->message->codeSize);
        const DataMatrixGrid mine = DataMatrix_Place(W, H, code);
        ASSERT_EQ(mine.W, W);
        int differences = 0;
        for (int row = 0; row < H; ++row)
            for (int col = 0; col < W; ++col)
                if (mine.dark(col, row) != bool(dmtxSymbolModuleStatus(enc->message, idx, row, col) & DmtxModuleOnRGB))
                    ++differences;
        EXPECT_EQ(differences, 0) << items.at(i).toStdString();
        dmtxEncodeDestroy(&enc);
    }
}
