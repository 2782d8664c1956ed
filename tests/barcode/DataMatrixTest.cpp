// Data Matrix: every encoding and every size read back by two decoders, the picture's geometry
// and its EPS read by Ghostscript.

#include "LinearDecode.h"
#include "TestSupport.h"

#include "barcode/DataMatrixSymbol.h"

#include <gtest/gtest.h>

using namespace barcode;
using namespace Qt::Literals::StringLiterals;

namespace {

// Four pixels a module with the symbol's own one-module border, on white.
QImage picture(const DataMatrixGrid &grid)
{
    return lineartest::onWhite(DataMatrix_Image(grid, 4, 72).pixels);
}

}  // namespace

TEST(DataMatrix, EveryEncodingAndSizeReadsBackUnmirrored)
{
    REQUIRE_TOOL(zx, "ZXingReader");
    REQUIRE_TOOL(dm, "dmtxread");
    QByteArray words;
    while (words.size() < 1900)
        words += "DATA MATRIX ";
    const QByteArray utf8("Z\xc3\xbcrich \xe2\x82\xac");  // bytes above 127
    struct Case {
        QByteArray value;
        int encoding;
        const char *encoder;
        QString size = {};  // an item of the size list; empty: the smallest that holds the value
    };
    std::vector<Case> cases = {
        {"Hello World 2024", 0, "iec16022"},          {"ACCESS LEVEL 3 GATE B", 1, "iec16022"},
        {"ACCESS LEVEL 3 GATE B", 2, "iec16022"},     {"visitor pass no 77", 3, "iec16022"},
        {"Mixed Case with digits 0123456789", 2, "iec16022"},
        {"Mixed Case with digits 0123456789", 3, "iec16022"},
        {"Base 256 bytes", 4, "dmtx"},                {utf8, 0, "dmtx"}, {utf8, 4, "dmtx"}, {utf8, 2, "dmtx"},
        {QByteArray(300, 'Q') + QByteArray("\xff\x01\x7f", 3), 4, "dmtx"},  // long Base256 length
        // 3116 digits fill a 144 x 144 symbol exactly, where libiec16022 would read past its table.
        {QByteArray(3116, '7'), 0, "dmtx"},           {words, 0, "iec16022"},
    };
    const QStringList &items = DataMatrix_Size_Items();
    ASSERT_EQ(items.size(), 31);
    for (int i = 1; i < items.size(); ++i)
        cases.push_back({"DM" + QByteArray::number(i), 0, items.at(i) == u"C144X144" ? "dmtx" : "iec16022",
                         items.at(i)});
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.value.left(40).toStdString() << " / " << c.encoding << " "
                                        << c.size.toStdString());
        int W = 0, H = 0;
        if (!c.size.isEmpty())
            DataMatrix_Size_From_Item(c.size, &W, &H);
        const DataMatrixGrid grid = Encode_DataMatrix(c.value, W, H, c.encoding);
        ASSERT_FALSE(grid.isNull()) << grid.error.toStdString();
        EXPECT_EQ(grid.encoder, QString::fromLatin1(c.encoder));
        EXPECT_TRUE(c.size.isEmpty() || (grid.W == W && grid.H == H && c.size == u"C%1X%2"_s.arg(H).arg(W)));
        const QImage img = picture(grid);
        const auto d = lineartest::zxing(img, QStringLiteral("DataMatrix"));
        EXPECT_EQ(d.bytes, c.value) << d.raw.toStdString();
        EXPECT_FALSE(d.mirrored);
        if (c.value.size() < 1000 && c.size.isEmpty()) {  // dmtxread takes long over the largest symbols
            EXPECT_EQ(lineartest::dmtx(img), c.value);
        }
    }
    // Too long, too small a size, nothing at all, and no size behind an unknown item.
    EXPECT_FALSE(Encode_DataMatrix(QByteArray(3117, '7'), 0, 0, 0).error.isEmpty());
    EXPECT_TRUE(Encode_DataMatrix("0123456789ABCDEF", 10, 10, 1).isNull());
    EXPECT_TRUE(Encode_DataMatrix(QByteArray(), 0, 0, 0).isNull());
    int W = -1, H = -1;
    DataMatrix_Size_From_Item(QStringLiteral("C77"), &W, &H);
    EXPECT_EQ(QSize(W, H), QSize(0, 0));
}

TEST(DataMatrix, ImageGeometryAndEpsReadByGhostscript)
{
    REQUIRE_TOOL(gs, "gs");
    REQUIRE_TOOL(zx, "ZXingReader");
    // A 10 x 10 symbol with module size 2 is 20 x 20 points, from 12 x 12 units with the border.
    const DataMatrixGrid ten = Encode_DataMatrix("12345", 10, 10, 1);
    ASSERT_EQ(ten.W, 10);
    const TwoDImage img = DataMatrix_Image(ten, 2, 600);
    EXPECT_EQ(img.sizePoints, QSizeF(20, 20));
    EXPECT_EQ(img.pixels.size(), QSize(167, 167));
    EXPECT_EQ(img.pixels.pixel(0, 0), qRgba(255, 255, 255, 255));  // the border is opaque white

    // The data is kept inside its comment.
    const QByteArray value("EPS DM\n) showpage (");
    const DataMatrixGrid grid = Encode_DataMatrix(value, 0, 0, 0);
    ASSERT_FALSE(grid.isNull());
    const QByteArray eps = makeEPS_Data_Matrix(value, grid);
    EXPECT_TRUE(eps.startsWith("%!PS-Adobe-3.0 EPSF-3.0\n%%Creator: IEC16022 barcode/stamp generator\n"
                               "%%BarcodeData: EPS DM?) showpage (\n"));
    const auto has = [&eps](const QString &line) { return eps.contains(line.toLatin1()); };
    EXPECT_TRUE(has(QStringLiteral("%%BoundingBox: 0 0 %1 %2\n").arg(grid.W + 2).arg(grid.H + 2)));
    EXPECT_TRUE(has(QStringLiteral("%1 %2 1[1 0 0 1 -1 -1]{<\n").arg(grid.W).arg(grid.H)));
    EXPECT_TRUE(eps.endsWith("\n>}image\n"));
    QString gsError;
    const QImage rendered = lineartest::renderEps(eps, 360, &gsError);
    ASSERT_FALSE(rendered.isNull()) << gsError.toStdString();
    EXPECT_EQ(rendered.size(), QSize((grid.W + 2) * 5, (grid.H + 2) * 5));
    const auto d = lineartest::zxing(rendered, QStringLiteral("DataMatrix"));
    EXPECT_EQ(d.bytes, value) << d.raw.toStdString();
    EXPECT_FALSE(d.mirrored);
}
