// Linear symbols drawn by the renderer and read back by independent decoders.

#include "LinearDecode.h"
#include "TestSupport.h"

#include "barcode/BarcodeRender.h"

#include <gtest/gtest.h>

using barcode::BarcodeImage;
using barcode::Render_Barcode;

namespace {

struct DecodeCase {
    const char *symbology;
    QByteArray value;
    QByteArray zxingText;  // what ZXingReader reads
    QByteArray zbarText;   // what zbarimg reads
};

struct Decoders {
    const char *zxingFormat;
    const char *zbarName;
};

QImage drawn(const char *symbology, const QByteArray &value, double dpi = 300.0)
{
    const BarcodeImage image = Render_Barcode(lineartest::linearSetup(QString::fromLatin1(symbology)),
                                              QString::fromLatin1(value));
    EXPECT_TRUE(image.isValid()) << symbology << " refused \"" << value.toStdString() << "\": "
                                 << image.error.toStdString();
    return image.toImage(dpi);
}

void expectBothRead(const Decoders &decoders, const std::vector<DecodeCase> &cases)
{
    for (const DecodeCase &c : cases) {
        SCOPED_TRACE(std::string(c.symbology) + " \"" + c.value.toStdString() + "\"");
        const QImage image = drawn(c.symbology, c.value);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(lineartest::zxingRead(image, QString::fromLatin1(decoders.zxingFormat)), c.zxingText);
        EXPECT_EQ(lineartest::zbarRead(image, QString::fromLatin1(decoders.zbarName)), c.zbarText);
    }
}

// The full-ASCII reading of Code 39 text, as a reader configured for it applies it.
QByteArray fullAsciiReading(const QByteArray &raw)
{
    QByteArray out;
    for (int i = 0; i < raw.size(); ++i) {
        const char c = raw.at(i);
        if ((c == '$' || c == '%' || c == '/' || c == '+') && i + 1 < raw.size()) {
            const char n = raw.at(++i);
            switch (c) {
            case '$': out += char(n - 'A' + 1); break;
            case '+': out += char(n - 'A' + 'a'); break;
            case '/': out += n == 'Z' ? ':' : char(n - 'A' + '!'); break;
            case '%':
                if (n <= 'E') out += char(n - 'A' + 27);
                else if (n <= 'J') out += char(n - 'F' + ';');
                else if (n <= 'O') out += char(n - 'K' + '[');
                else if (n <= 'S') out += char(n - 'P' + '{');
                else if (n == 'T') out += char(127);
                else if (n == 'U') out += char(0);
                else if (n == 'V') out += '@';
                else if (n == 'W') out += '`';
                break;
            }
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

TEST(LinearDecode, EanAndUpcReadBackWithTheirCheckDigits)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    REQUIRE_TOOL(zbar, "zbarimg");
    expectBothRead({"EAN-13", "ean13"}, {
        {"EAN-13", "590123412345", "5901234123457", "5901234123457"},
        {"EAN-13", "5901234123457", "5901234123457", "5901234123457"},
        {"EAN-13", "400638133393", "4006381333931", "4006381333931"},
        {"EAN-13", "001234567890", "0012345678905", "0012345678905"},
    });
    expectBothRead({"EAN-8", "ean8"}, {
        {"EAN-8", "9638507", "96385074", "96385074"},
        {"EAN-8", "96385074", "96385074", "96385074"},
        {"EAN-8", "0000000", "00000000", "00000000"},
    });
    // zbarimg reports UPC-A in its EAN-13 form.
    expectBothRead({"UPC-A", "ean13"}, {
        {"UPCA", "03600029145", "036000291452", "0036000291452"},
        {"UPCA", "036000291452", "036000291452", "0036000291452"},
        {"UPCA", "01234567890", "012345678905", "0012345678905"},
    });
}

TEST(LinearDecode, UpcEReadsBackAsTheUpcANumberItStandsFor)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    REQUIRE_TOOL(zbar, "zbarimg");
    expectBothRead({"UPC-E", "upce"}, {
        {"UPCE", "0123456", "01234565", "01234565"},
        {"UPCE", "01234565", "01234565", "01234565"},
        {"UPCE", "01200000045", "01204504", "01204504"},
        {"UPCE", "012000000454", "01204504", "01204504"},
    });
    // Read as EAN-13, zbarimg expands the six digits back into the UPC-A number.
    expectBothRead({"UPC-E", "ean13"}, {
        {"UPCE", "0123456", "01234565", "0012345000065"},
        {"UPCE", "01200000045", "01204504", "0012000000454"},
    });
    // Number system 1, which zbarimg does not read.
    REQUIRE_TOOL(zxingOnly, "ZXingReader");
    EXPECT_EQ(lineartest::zxingRead(drawn("UPCE", "1234567"), QStringLiteral("UPC-E")), QByteArray("12345670"));
}

TEST(LinearDecode, Code39ReadsBackInUpperCase)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    REQUIRE_TOOL(zbar, "zbarimg");
    expectBothRead({"Code39", "code39"}, {
        {"Code 39", "CODE39", "CODE39", "CODE39"},
        {"Code 39", "abc", "ABC", "ABC"},
        {"Code 39", "HELLO WORLD-1.$/+%", "HELLO WORLD-1.$/+%", "HELLO WORLD-1.$/+%"},
        {"Code 39", "A", "A", "A"},
        {"Code 39", "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ", "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ",
         "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
    });
}

TEST(LinearDecode, ExtendedCode39CarriesEveryPrintableCharacterAndLineBreaks)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    REQUIRE_TOOL(zbar, "zbarimg");
    const QByteArray values[] = {
        "a-b",
        "Hello*World/1",
        "line\nfeed\r\tend",
        "{|}~@`[\\]^_;<=>?!\"#$%&'()*+,:/",
    };
    for (const QByteArray &value : values) {
        SCOPED_TRACE(value.toStdString());
        const QImage image = drawn("Extended Code 39", value);
        ASSERT_FALSE(image.isNull());
        const QByteArray zxingRaw = lineartest::zxingRead(image, QStringLiteral("Code39"));
        const QByteArray zbarRaw = lineartest::zbarRead(image, QStringLiteral("code39"));
        EXPECT_EQ(zxingRaw, zbarRaw);
        EXPECT_EQ(fullAsciiReading(zxingRaw), value) << zxingRaw.toStdString();
    }
}

TEST(LinearDecode, Code128ReadsBackInEverySet)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    REQUIRE_TOOL(zbar, "zbarimg");
    expectBothRead({"Code128", "code128"}, {
        {"Code 128", "12345678", "12345678", "12345678"},
        {"Code 128", "HELLO", "HELLO", "HELLO"},
        {"Code 128", "Hello World", "Hello World", "Hello World"},
        {"Code 128", "12345abcde67890", "12345abcde67890", "12345abcde67890"},
        {"Code 128", "A", "A", "A"},
        {"Code 128", "\tTAB\x01", "\tTAB\x01", "\tTAB\x01"},
        {"Code 128", "ab\x01" "cd", "ab\x01" "cd", "ab\x01" "cd"},
        {"Code 128", "X1234567890123456789012345678901234567890", "X1234567890123456789012345678901234567890",
         "X1234567890123456789012345678901234567890"},
        {"Code 128 SET A", "HELLO\x01", "HELLO\x01", "HELLO\x01"},
        {"Code 128 SET A", "HELLO world", "HELLO world", "HELLO world"},
        {"Code 128 SET B", "hello", "hello", "hello"},
        {"Code 128 SET B", "Hello\tX", "Hello\tX", "Hello\tX"},
        {"Code 128 SET C", "123456", "123456", "123456"},
        {"Code 128 SET C", "12345", "12345", "12345"},
        {"Code 128 SET C", "1", "1", "1"},
    });
}

TEST(LinearDecode, CodabarReadsBackWithItsStartAndStop)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    REQUIRE_TOOL(zbar, "zbarimg");
    // ZXingReader leaves the start and stop characters out of its text; zbarimg keeps them.
    expectBothRead({"Codabar", "codabar"}, {
        {"Codabar", "A1234B", "1234", "A1234B"},
        {"Codabar", "a1234b", "1234", "A1234B"},
        {"Codabar", "1234", "1234", "A1234A"},
        {"Codabar", "C0123456789-$:/.+D", "0123456789-$:/.+", "C0123456789-$:/.+D"},
        {"Codabar", "d+:b", "+:", "D+:B"},
    });
}

TEST(LinearDecode, Interleaved2of5ReadsBackWithOddLengthsPadded)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    REQUIRE_TOOL(zbar, "zbarimg");
    expectBothRead({"ITF", "i25"}, {
        {"Interleaved 2 of 5", "12345678", "12345678", "12345678"},
        {"Interleaved 2 of 5", "123456", "123456", "123456"},
        {"Interleaved 2 of 5", "1234567", "01234567", "01234567"},
        {"Interleaved 2 of 5", "12345678901234", "12345678901234", "12345678901234"},
    });
}

TEST(LinearDecode, RefusedValuesGiveTheWindowsMessageAndNoImage)
{
    const struct {
        const char *symbology;
        QString value;
    } refused[] = {
        {"EAN-13", QStringLiteral("5901234123458")},     // wrong check digit
        {"EAN-13", QStringLiteral("59012341234A")},
        {"EAN-13", QStringLiteral("59012341234")},       // too short
        {"EAN-8", QStringLiteral("96385075")},
        {"EAN-8", QStringLiteral("963850A")},
        {"UPCA", QStringLiteral("036000291459")},
        {"UPCA", QStringLiteral("0360002914X")},
        {"UPCE", QStringLiteral("01234566")},            // wrong check digit
        {"UPCE", QStringLiteral("2123456")},             // number system 2
        {"UPCE", QStringLiteral("01234567891")},         // no zero-suppressed form
        {"UPCE", QStringLiteral("012345")},
        {"Code 39", QStringLiteral("AB*CD")},
        {"Code 39", QStringLiteral("a_b")},
        {"Code 39", QStringLiteral("\u00c5B")},
        {"Code 39", QStringLiteral("stra\u00dfe")},      // no upper case turns it into letters
        {"Royal Mail Barcode (RM4SCC / CBC)", QStringLiteral("\u00df1")},
        {"Modified Plessey (Hex)", QStringLiteral("\ufb01")},
        {"Extended Code 39", QStringLiteral("caf\u00e9")},
        {"Extended Code 39", QStringLiteral("a\x01" "b")},
        {"Code 128", QStringLiteral("\u00e9t\u00e9")},
        {"Code 128 SET C", QStringLiteral("12A4")},
        {"Codabar", QStringLiteral("A12B34B")},          // stop character inside
        {"Codabar", QStringLiteral("A1234")},            // start without stop
        {"Codabar", QStringLiteral("12E4")},
        {"Interleaved 2 of 5", QStringLiteral("12a4")},
        {"Industrial 2 of 5", QStringLiteral("1-2")},
        {"Modified Plessey", QStringLiteral("12A")},
        {"Modified Plessey (Hex)", QStringLiteral("12G")},
        {"PostNet", QStringLiteral("123456")},
        {"PostNet", QStringLiteral("1234A")},
        {"Planet", QStringLiteral("123456789012")},
        {"Planet", QStringLiteral("12345")},
        {"Royal Mail Barcode (RM4SCC / CBC)", QStringLiteral("SN34-RD")},
        {"Japan Post Barcode", QStringLiteral("-1234567")},
        {"Japan Post Barcode", QStringLiteral("263-0023")},
        {"Code 128", QStringLiteral("   ")},
        {"Code 39", QString()},
    };
    for (const auto &r : refused) {
        SCOPED_TRACE(std::string(r.symbology) + " \"" + r.value.toStdString() + "\"");
        const BarcodeImage image = Render_Barcode(lineartest::linearSetup(QString::fromLatin1(r.symbology)), r.value);
        EXPECT_FALSE(image.isValid());
        EXPECT_EQ(image.error, QStringLiteral("Invalid barcode value."));
        EXPECT_TRUE(image.toImage(300).isNull());
    }
}

TEST(LinearDecode, AnUnknownSymbologyIndexIsRefused)
{
    barcode::BarcodeSetup setup = lineartest::linearSetup(QStringLiteral("Code 39"));
    for (const int index : {-1, 19, 1000}) {
        setup.barcode_font_index = index;
        const BarcodeImage image = Render_Barcode(setup, QStringLiteral("ABC"));
        EXPECT_FALSE(image.isValid()) << index;
        EXPECT_FALSE(image.error.isEmpty()) << index;
    }
}
