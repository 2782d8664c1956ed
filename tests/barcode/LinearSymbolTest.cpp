// Symbologies no decoder here reads, checked bar for bar against zint's dumps, and the
// published check values of every symbology.

#include "LinearDecode.h"
#include "TestSupport.h"

#include "barcode/BarcodeRender.h"
#include "barcode/JapanPostBarcode.h"
#include "barcode/NKDCode128Barcode.h"
#include "barcode/NKDCode39Barcode.h"
#include "barcode/NKDPlesseyBarcode.h"
#include "barcode/NKDPostnetBarcode.h"
#include "barcode/NKDRoyalMailBarcode.h"
#include "barcode/NKDUPCEANBarcode.h"

#include <gtest/gtest.h>

using namespace barcode;

namespace {

struct ZintCase {
    const char *symbology;
    QString value;
    QStringList zint;  // zint's arguments for the same data
};

// The drawing of a value with every text hidden, so that only bars are dark.
QImage barsOnly(const char *symbology, const QString &value, double dpi)
{
    BarcodeSetup setup = lineartest::linearSetup(QString::fromLatin1(symbology));
    setup.show_hide_hdr = 1;
    setup.show_hide_ftr = 1;
    setup.show_hide_val = 1;
    const BarcodeImage image = Render_Barcode(setup, value);
    EXPECT_TRUE(image.isValid()) << image.error.toStdString();
    return image.toImage(dpi);
}

}  // namespace

TEST(LinearSymbols, ModuleStringsDrawnEqualZintsForTheSameData)
{
    REQUIRE_TOOL(zint, "zint");
    const ZintCase cases[] = {
        {"Industrial 2 of 5", QStringLiteral("7"), {"-b", "7", "-d", "7"}},
        {"Industrial 2 of 5", QStringLiteral("0123456789"), {"-b", "7", "-d", "0123456789"}},
        {"Industrial 2 of 5", QStringLiteral("99"), {"-b", "7", "-d", "99"}},
        {"Modified Plessey", QStringLiteral("1234567"), {"-b", "47", "--vers=1", "-d", "1234567"}},
        {"Modified Plessey", QStringLiteral("0"), {"-b", "47", "--vers=1", "-d", "0"}},
        {"Modified Plessey", QStringLiteral("9"), {"-b", "47", "--vers=1", "-d", "9"}},
        // More odd-place digits than a 32-bit number holds.
        {"Modified Plessey", QStringLiteral("98765432109876543210987"),
         {"-b", "47", "--vers=1", "-d", "98765432109876543210987"}},
        {"Modified Plessey (Hex)", QStringLiteral("12AB"), {"-b", "86", "-d", "12AB"}},
        {"Modified Plessey (Hex)", QStringLiteral("12ab"), {"-b", "86", "-d", "12AB"}},
        {"Modified Plessey (Hex)", QStringLiteral("0"), {"-b", "86", "-d", "0"}},
        {"Modified Plessey (Hex)", QStringLiteral("123456789ABCDEF0"), {"-b", "86", "-d", "123456789ABCDEF0"}},
    };
    for (const ZintCase &c : cases) {
        SCOPED_TRACE(std::string(c.symbology) + " " + c.value.toStdString());
        const std::vector<QString> rows = lineartest::zintRows(c.zint);
        ASSERT_EQ(rows.size(), 1u);
        for (const double dpi : {300.0, 600.0}) {
            const QImage image = barsOnly(c.symbology, c.value, dpi);
            const QString seen = lineartest::modulesOnRow(image, image.height() / 2, 20.0 / 1000.0 * dpi);
            EXPECT_EQ(seen, rows[0]) << dpi << " dpi";
        }
    }
}

TEST(LinearSymbols, PostalBarsDrawnEqualZintsForTheSameData)
{
    REQUIRE_TOOL(zint, "zint");
    const ZintCase cases[] = {
        {"PostNet", QStringLiteral("12345"), {"-b", "40", "-d", "12345"}},
        {"PostNet", QStringLiteral("123456789"), {"-b", "40", "-d", "123456789"}},
        {"PostNet", QStringLiteral("01234567890"), {"-b", "40", "-d", "01234567890"}},
        {"Planet", QStringLiteral("12345678901"), {"-b", "82", "-d", "12345678901"}},
        {"Planet", QStringLiteral("1234567890123"), {"-b", "82", "-d", "1234567890123"}},
        {"Royal Mail Barcode (RM4SCC / CBC)", QStringLiteral("SN34RD1A"), {"-b", "70", "-d", "SN34RD1A"}},
        {"Royal Mail Barcode (RM4SCC / CBC)", QStringLiteral("sn34rd1a"), {"-b", "70", "-d", "SN34RD1A"}},
        {"Royal Mail Barcode (RM4SCC / CBC)", QStringLiteral("0"), {"-b", "70", "-d", "0"}},
        {"Royal Mail Barcode (RM4SCC / CBC)", QStringLiteral("Z"), {"-b", "70", "-d", "Z"}},
        {"Royal Mail Barcode (RM4SCC / CBC)", QStringLiteral("HELLO123"), {"-b", "70", "-d", "HELLO123"}},
        {"Japan Post Barcode", QStringLiteral("1234567"), {"-b", "76", "-d", "1234567"}},
        {"Japan Post Barcode", QStringLiteral("2630023 a7"), {"-b", "76", "-d", "2630023A7"}},
        {"Japan Post Barcode", QStringLiteral("15400233-16-4-205"), {"-b", "76", "-d", "15400233-16-4-205"}},
        {"Japan Post Barcode", QStringLiteral("1234567XYZ"), {"-b", "76", "-d", "1234567XYZ"}},
        {"Japan Post Barcode", QStringLiteral("9999999"), {"-b", "76", "-d", "9999999"}},
    };
    for (const ZintCase &c : cases) {
        SCOPED_TRACE(std::string(c.symbology) + " " + c.value.toStdString());
        const std::vector<QString> rows = lineartest::zintRows(c.zint);
        ASSERT_GE(rows.size(), 2u);
        const QString expected = lineartest::zintBarClasses(rows);
        ASSERT_FALSE(expected.isEmpty());
        for (const double dpi : {300.0, 600.0}) {
            const QImage image = barsOnly(c.symbology, c.value, dpi);
            EXPECT_EQ(lineartest::barClassesSeen(image, rows.size() == 3), expected) << dpi << " dpi";
        }
    }
}

TEST(LinearSymbols, PublishedCheckValues)
{
    EXPECT_EQ(NKDEAN13Barcode(QStringLiteral("590123412345")).checkDigit(), '7');
    EXPECT_EQ(NKDUPCABarcode(QStringLiteral("03600029145")).checkDigit(), '2');
    EXPECT_EQ(NKDEAN8Barcode(QStringLiteral("9638507")).checkDigit(), '4');
    EXPECT_EQ(NKDModifiedPlesseyBarcode(QStringLiteral("1234567")).checkDigit(), '4');
    EXPECT_EQ(NKDRoyalMailBarcode(QStringLiteral("SN34RD1A")).checkDigit(), 'K');
    EXPECT_EQ(NKDPostnetBarcode(QStringLiteral("12345")).checkDigit(), '5');
    EXPECT_EQ(NKDPostnetBarcode(QStringLiteral("12345")).completeBarcode().size(), 3 + 6 * 15 + 1);

    NKDCode39Barcode code39(QStringLiteral("CODE39"));
    code39.generateChecksum();
    EXPECT_EQ(code39.checkDigit(), 'W');

    const NKDCode128Barcode automatic(QStringLiteral("12345678"));
    EXPECT_EQ(automatic.codeSet(), NKDCode128Barcode::SetC);
    EXPECT_EQ(automatic.checkDigit(), 47);
    EXPECT_EQ(NKDCode128Barcode(QStringLiteral("Hello")).codeSet(), NKDCode128Barcode::SetB);
    // An odd digit count in set C closes with CODE B and the last digit in set B.
    const NKDCode128Barcode odd(QStringLiteral("12345"), true, NKDCode128Barcode::SetC);
    EXPECT_EQ(odd.symbolValues(), (std::vector<int>{12, 34, 100, 21}));
}

TEST(LinearSymbols, UpcEZeroSuppression)
{
    const struct {
        const char *upca;
        const char *upce;  // "" when zero suppression cannot represent it
    } cases[] = {
        {"01200000045", "120450"},
        {"04210000526", "425261"},
        {"01234500006", "123456"},
        {"01230000064", "123643"},
        {"01234000005", "123454"},
        {"01234567891", ""},
        {"01210010526", ""},  // the product code has no zeros to drop
        {"01200010045", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.upca);
        EXPECT_EQ(NKDUPCEBarcode::UPCAToUPCE(QString::fromLatin1(c.upca)), QString::fromLatin1(c.upce));
        if (*c.upce) {
            EXPECT_EQ(NKDUPCEBarcode::UPCEToUPCA(QStringLiteral("0") + QString::fromLatin1(c.upce)),
                      QString::fromLatin1(c.upca));
        }
    }
}

TEST(LinearSymbols, JapanPostCodeAndSymbolSize)
{
    const JapanPostBarcode plain(QStringLiteral("1234567"));
    EXPECT_EQ(plain.japanpostContents(), QStringLiteral("1234567============="));
    EXPECT_TRUE(plain.isContentValid());

    const JapanPostBarcode letters(QStringLiteral("2630023 a7"));
    EXPECT_EQ(letters.content(), QStringLiteral("2630023A7"));
    EXPECT_EQ(letters.japanpostContents(), QStringLiteral("2630023:07=========="));
    // Characters outside ASCII are dropped, never read as the letters their upper case has.
    EXPECT_EQ(JapanPostBarcode(QStringLiteral("1234567\u00df")).content(), QStringLiteral("1234567"));

    JapanPostBarcode sized(QStringLiteral("1234567"));
    sized.setSymbolSize(20.0f);
    EXPECT_FLOAT_EQ(sized.symbolSize(), 11.5f);
    EXPECT_FLOAT_EQ(sized.barWidth(), 11.5f / 6.0f);
    sized.setBarWidth(1.0f);
    EXPECT_FLOAT_EQ(sized.barWidth(), 4.0f / 3.0f);
    EXPECT_FLOAT_EQ(sized.symbolSize(), 8.0f);
}
