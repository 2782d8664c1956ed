// Symbologies no decoder here reads, checked bar for bar against zint's dumps of the same data.

#include "LinearDecode.h"
#include "TestSupport.h"

#include "barcode/BarcodeRender.h"

#include <gtest/gtest.h>

using namespace barcode;

TEST(LinearSymbols, BarsDrawnEqualZintsForTheSameData)
{
    REQUIRE_TOOL(zint, "zint");
    const struct {
        const char *symbology;
        QString value;
        QStringList zint;  // zint's arguments for the same data
    } cases[] = {
        {"Industrial 2 of 5", QStringLiteral("7"), {"-b", "7", "-d", "7"}},
        {"Industrial 2 of 5", QStringLiteral("0123456789"), {"-b", "7", "-d", "0123456789"}},
        {"Modified Plessey", QStringLiteral("1234567"), {"-b", "47", "--vers=1", "-d", "1234567"}},
        {"Modified Plessey", QStringLiteral("0"), {"-b", "47", "--vers=1", "-d", "0"}},
        // More odd-place digits than a 32-bit number holds.
        {"Modified Plessey", QStringLiteral("98765432109876543210987"),
         {"-b", "47", "--vers=1", "-d", "98765432109876543210987"}},
        {"Modified Plessey (Hex)", QStringLiteral("12ab"), {"-b", "86", "-d", "12AB"}},
        {"Modified Plessey (Hex)", QStringLiteral("123456789ABCDEF0"), {"-b", "86", "-d", "123456789ABCDEF0"}},
        // Postal codes: bar heights (full, ascender, descender, tracker).
        {"PostNet", QStringLiteral("12345"), {"-b", "40", "-d", "12345"}},
        {"PostNet", QStringLiteral("01234567890"), {"-b", "40", "-d", "01234567890"}},
        {"Planet", QStringLiteral("12345678901"), {"-b", "82", "-d", "12345678901"}},
        {"Planet", QStringLiteral("1234567890123"), {"-b", "82", "-d", "1234567890123"}},
        {"Royal Mail Barcode (RM4SCC / CBC)", QStringLiteral("SN34RD1A"), {"-b", "70", "-d", "SN34RD1A"}},
        {"Royal Mail Barcode (RM4SCC / CBC)", QStringLiteral("sn34rd1a"), {"-b", "70", "-d", "SN34RD1A"}},
        {"Royal Mail Barcode (RM4SCC / CBC)", QStringLiteral("Z"), {"-b", "70", "-d", "Z"}},
        {"Royal Mail Barcode (RM4SCC / CBC)", QStringLiteral("0"), {"-b", "70", "-d", "0"}},
        {"Royal Mail Barcode (RM4SCC / CBC)", QStringLiteral("HELLO123"), {"-b", "70", "-d", "HELLO123"}},
        {"Japan Post Barcode", QStringLiteral("1234567"), {"-b", "76", "-d", "1234567"}},
        {"Japan Post Barcode", QStringLiteral("2630023 a7"), {"-b", "76", "-d", "2630023A7"}},
        {"Japan Post Barcode", QStringLiteral("15400233-16-4-205"), {"-b", "76", "-d", "15400233-16-4-205"}},
        {"Japan Post Barcode", QStringLiteral("1234567XYZ"), {"-b", "76", "-d", "1234567XYZ"}},
        {"Japan Post Barcode", QStringLiteral("9999999"), {"-b", "76", "-d", "9999999"}},
        // A character outside ASCII is dropped, never read as the letter its upper case has.
        {"Japan Post Barcode", QStringLiteral("1234567\u00df"), {"-b", "76", "-d", "1234567"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.symbology) + " " + c.value.toStdString());
        const std::vector<QString> rows = lineartest::zintRows(c.zint);
        ASSERT_FALSE(rows.empty());
        const BarcodeImage drawn = Render_Barcode(lineartest::linearSetup(QString::fromLatin1(c.symbology), true), c.value);
        ASSERT_TRUE(drawn.isValid()) << drawn.error.toStdString();
        for (const double dpi : {300.0, 600.0}) {
            const QImage image = drawn.toImage(dpi);
            if (rows.size() == 1)  // one row of modules, 20 mils each
                EXPECT_EQ(lineartest::modulesOnRow(image, image.height() / 2, 20.0 / 1000.0 * dpi), rows[0]) << dpi;
            else
                EXPECT_EQ(lineartest::barClassesSeen(image, rows.size() == 3), lineartest::zintBarClasses(rows)) << dpi;
        }
    }
}
