// Linear symbols drawn by the renderer and read back by independent decoders, and the values
// the renderer refuses.

#include "LinearDecode.h"
#include "TestSupport.h"

#include "barcode/BarcodeRender.h"

#include <gtest/gtest.h>

using barcode::BarcodeImage;
using barcode::Render_Barcode;

TEST(LinearDecode, EverySymbologyReadsBackByBothDecoders)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    REQUIRE_TOOL(zbar, "zbarimg");
    const struct {
        const char *symbology, *value, *zxingFormat, *zbarName;
        const char *zxingText = nullptr;  // nullptr: the value itself
        const char *zbarText = nullptr;   // nullptr: what ZXingReader reads
    } cases[] = {
        // UPC/EAN with their check digits computed or given; zbarimg reports UPC-A, and expands
        // UPC-E, in the EAN-13 form.
        {"EAN-13", "590123412345", "EAN-13", "ean13", "5901234123457"},
        {"EAN-13", "5901234123457", "EAN-13", "ean13"},
        {"EAN-8", "9638507", "EAN-8", "ean8", "96385074"}, {"EAN-8", "96385074", "EAN-8", "ean8"},
        {"UPCA", "03600029145", "UPC-A", "ean13", "036000291452", "0036000291452"},
        {"UPCA", "036000291452", "UPC-A", "ean13", "036000291452", "0036000291452"},
        {"UPCE", "0123456", "UPC-E", "upce", "01234565"}, {"UPCE", "01234565", "UPC-E", "upce"},
        {"UPCE", "0123456", "UPC-E", "ean13", "01234565", "0012345000065"},
        // UPC-A numbers given whole are zero-suppressed.
        {"UPCE", "01200000045", "UPC-E", "upce", "01204504"},
        {"UPCE", "012000000454", "UPC-E", "ean13", "01204504", "0012000000454"},
        {"UPCE", "04210000526", "UPC-E", "ean13", "04252614", "0042100005264"},
        {"UPCE", "01234500006", "UPC-E", "ean13", "01234565", "0012345000065"},
        {"UPCE", "01230000064", "UPC-E", "ean13", "01236432", "0012300000642"},
        {"UPCE", "1234567", "UPC-E", nullptr, "12345670"},  // number system 1: zbarimg does not read it
        {"Code 39", "abc", "Code39", "code39", "ABC"}, {"Code 39", "HELLO WORLD-1.$/+%", "Code39", "code39"},
        {"Code 39", "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ", "Code39", "code39"},
        // Extended Code 39 as a reader without full ASCII sees it.
        {"Extended Code 39", "Hello*World/1", "Code39", "code39", "H+E+L+L+O/JW+O+R+L+D/O1"},
        {"Extended Code 39", "line\nfeed\r\tend", "Code39", "code39", "+L+I+N+E$J+F+E+E+D$M$I+E+N+D"},
        {"Extended Code 39", "{|}~@`[\\]^_;<=>?!\"#$%&'()*+,:/", "Code39", "code39",
         "%P%Q%R%S%V%W%K%L%M%N%O%F%G%H%I%J/A/B/C/D/E/F/G/H/I/J/K/L/Z/O"},
        {"Code 128", "12345678", "Code128", "code128"}, {"Code 128", "12345abcde67890", "Code128", "code128"},
        {"Code 128", "A", "Code128", "code128"}, {"Code 128", "\tTAB\x01", "Code128", "code128"},
        {"Code 128", "ab\x01" "cd", "Code128", "code128"},
        {"Code 128", "X1234567890123456789012345678901234567890", "Code128", "code128"},
        {"Code 128 SET A", "HELLO\x01", "Code128", "code128"},
        {"Code 128 SET A", "HELLO world", "Code128", "code128"},
        {"Code 128 SET B", "Hello\tX", "Code128", "code128"},
        {"Code 128 SET C", "12345", "Code128", "code128"}, {"Code 128 SET C", "1", "Code128", "code128"},
        // ZXingReader leaves the start and stop characters out of its text; zbarimg keeps them.
        {"Codabar", "a1234b", "Codabar", "codabar", "1234", "A1234B"},
        {"Codabar", "1234", "Codabar", "codabar", "1234", "A1234A"},
        {"Codabar", "C0123456789-$:/.+D", "Codabar", "codabar", "0123456789-$:/.+", "C0123456789-$:/.+D"},
        {"Codabar", "d+:b", "Codabar", "codabar", "+:", "D+:B"},
        {"Interleaved 2 of 5", "12345678901234", "ITF", "i25"},
        {"Interleaved 2 of 5", "1234567", "ITF", "i25", "01234567"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.symbology) + " \"" + c.value + "\"");
        const auto setup = lineartest::linearSetup(QString::fromLatin1(c.symbology));
        const BarcodeImage drawn = Render_Barcode(setup, QString::fromLatin1(c.value));
        ASSERT_TRUE(drawn.isValid()) << drawn.error.toStdString();
        const QImage image = drawn.toImage(300);
        const QByteArray zxingText = c.zxingText ? c.zxingText : c.value;
        EXPECT_EQ(lineartest::zxingRead(image, QString::fromLatin1(c.zxingFormat)), zxingText);
        const QByteArray zbar = c.zbarText ? QByteArray(c.zbarText) : zxingText;
        EXPECT_EQ(c.zbarName ? lineartest::zbarRead(image, QString::fromLatin1(c.zbarName)) : zbar, zbar);
    }
}

TEST(LinearDecode, RefusedValuesGiveTheWindowsMessageAndNoImage)
{
    const char *const rm = "Royal Mail Barcode (RM4SCC / CBC)", *const jp = "Japan Post Barcode";
    const struct {
        const char *symbology, *value;
    } refused[] = {
        // Wrong check digits, letters, lengths.
        {"EAN-13", "5901234123458"}, {"EAN-13", "59012341234A"}, {"EAN-13", "59012341234"},
        {"EAN-8", "96385075"}, {"EAN-8", "963850A"}, {"UPCA", "036000291459"}, {"UPCA", "0360002914X"},
        {"UPCE", "01234566"}, {"UPCE", "012345"}, {"UPCE", "2123456"},  // number system 2
        // UPC-A numbers zero suppression cannot shorten.
        {"UPCE", "01234567891"}, {"UPCE", "01210010526"}, {"UPCE", "01200010045"},
        // No upper case turns a character outside ASCII into a letter.
        {"Code 39", "\u00c5B"}, {"Code 39", "stra\u00dfe"}, {rm, "\u00df1"},
        {"Modified Plessey (Hex)", "\ufb01"},
        {"Code 39", "AB*CD"}, {"Code 39", "a_b"}, {"Code 39", ""}, {"Extended Code 39", "caf\u00e9"},
        {"Extended Code 39", "a\x01" "b"}, {"Code 128", "\u00e9t\u00e9"}, {"Code 128", "   "},
        {"Code 128 SET C", "12A4"}, {"Codabar", "A12B34B"}, {"Codabar", "A1234"},  // stop inside; none
        {"Codabar", "12E4"}, {"Interleaved 2 of 5", "12a4"}, {"Industrial 2 of 5", "1-2"},
        {"Modified Plessey", "12A"}, {"Modified Plessey (Hex)", "12G"}, {"PostNet", "123456"},
        {"PostNet", "1234A"}, {"Planet", "123456789012"}, {"Planet", "12345"}, {rm, "SN34-RD"},
        {jp, "-1234567"}, {jp, "263-0023"},
    };
    for (const auto &r : refused) {
        SCOPED_TRACE(std::string(r.symbology) + " \"" + r.value + "\"");
        const auto setup = lineartest::linearSetup(QString::fromLatin1(r.symbology));
        const BarcodeImage image = Render_Barcode(setup, QString::fromUtf8(r.value));
        EXPECT_FALSE(image.isValid());
        EXPECT_EQ(image.error, QStringLiteral("Invalid barcode value."));
        EXPECT_TRUE(image.toImage(300).isNull());
    }
    // An index outside the list of symbologies.
    barcode::BarcodeSetup setup = lineartest::linearSetup(QStringLiteral("Code 39"));
    for (const int index : {-1, 19, 1000}) {
        setup.barcode_font_index = index;
        const BarcodeImage image = Render_Barcode(setup, QStringLiteral("ABC"));
        EXPECT_FALSE(image.isValid()) << index;
        EXPECT_FALSE(image.error.isEmpty()) << index;
    }
}
