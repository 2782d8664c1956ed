// Symbologies no decoder here reads, checked bar for bar against zint's dumps of the same data.

#include "LinearDecode.h"
#include "TestSupport.h"

#include "barcode/BarcodeRender.h"

#include <gtest/gtest.h>

using namespace barcode;

TEST(LinearSymbols, BarsDrawnEqualZintsForTheSameData)
{
    REQUIRE_TOOL(zint, "zint");
    const char *const rm = "Royal Mail Barcode (RM4SCC / CBC)", *const jp = "Japan Post Barcode";
    const char *const plessey = "Modified Plessey", *const msi = "-b 47 --vers=1";
    const struct {
        const char *symbology, *value;
        const char *zint;            // zint's symbology and options
        const char *data = nullptr;  // zint's data; nullptr: the value
    } cases[] = {
        {"Industrial 2 of 5", "7", "-b 7"}, {"Industrial 2 of 5", "0123456789", "-b 7"},
        {plessey, "1234567", msi}, {plessey, "0", msi},
        {plessey, "98765432109876543210987", msi},  // more odd-place digits than 32 bits hold
        {"Modified Plessey (Hex)", "12ab", "-b 86", "12AB"},
        {"Modified Plessey (Hex)", "123456789ABCDEF0", "-b 86"},
        // Postal codes: bar heights (full, ascender, descender, tracker).
        {"PostNet", "12345", "-b 40"}, {"PostNet", "01234567890", "-b 40"},
        {"Planet", "12345678901", "-b 82"}, {"Planet", "1234567890123", "-b 82"},
        {rm, "SN34RD1A", "-b 70"}, {rm, "sn34rd1a", "-b 70", "SN34RD1A"}, {rm, "Z", "-b 70"},
        {rm, "0", "-b 70"}, {rm, "HELLO123", "-b 70"}, {jp, "1234567", "-b 76"},
        {jp, "2630023 a7", "-b 76", "2630023A7"}, {jp, "15400233-16-4-205", "-b 76"},
        {jp, "1234567XYZ", "-b 76"}, {jp, "9999999", "-b 76"},
        // A character outside ASCII is dropped, never read as the letter its upper case has.
        {jp, "1234567\u00df", "-b 76", "1234567"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.symbology) + " " + c.value);
        const QString value = QString::fromUtf8(c.value);
        const auto rows = lineartest::zintRows(QString::fromLatin1(c.zint).split(u' ')
                                               << QStringLiteral("-d") << (c.data ? QString(c.data) : value));
        ASSERT_FALSE(rows.empty());
        const auto setup = lineartest::linearSetup(QString::fromLatin1(c.symbology), true);
        const BarcodeImage drawn = Render_Barcode(setup, value);
        ASSERT_TRUE(drawn.isValid()) << drawn.error.toStdString();
        for (const double dpi : {300.0, 600.0}) {  // modules of 20 mils
            const QImage image = drawn.toImage(dpi);
            const double module = 20.0 / 1000.0 * dpi;
            EXPECT_EQ(rows.size() == 1 ? lineartest::modulesOnRow(image, image.height() / 2, module)
                                       : lineartest::barClassesSeen(image, rows.size() == 3),
                      rows.size() == 1 ? rows[0] : lineartest::zintBarClasses(rows)) << dpi;
        }
    }
}
