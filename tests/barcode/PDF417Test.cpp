// PDF417: symbols of every level read back; segmentation, room for correction, refusals, the
// view's states and exchanges, and its EPS read by Ghostscript.

#include "LinearDecode.h"
#include "TestSupport.h"

#include "barcode/PDF417Encoder.h"
#include "barcode/PDF417View.h"
#include "platform/UiServices.h"

#include <QMimeData>
#include <QPainter>
#include <gtest/gtest.h>

#include <random>

using namespace barcode;

namespace {

struct Request {
    QByteArray text;
    int error = 0, mustHave = -1, mustLack = -1;  // latch codewords the message must hold or lack
    int level = -1;                               // the level the symbol gets; -1: any that fits
    int options = 0, asked = 2, columns = 0, rows = 0, rawLength = -1;
};

_pdf417param encode(const Request &r)
{
    _pdf417param p;
    pdf417init(&p);
    p.text = r.text.constData();
    p.lenText = int(r.text.size());
    p.options = r.options;
    p.errorLevel = r.asked;
    p.codeColumns = r.columns;
    p.codeRows = r.rows;
    p.lenCodewords = r.rawLength;
    p.codewords[0] = r.rawLength == 5 ? 4 : r.rawLength;  // a length descriptor that disagrees
    paintCode(&p);
    return p;
}

// A view sized so that every module is 2 points wide and every row 6 points high, raised to
// 144 dpi: 4 pixels a module, which decoders read without effort.
QString decoded(const QString &text, int level)
{
    pdf417View view;
    view.setErrorLevel(level);
    view.setResolution(144);
    if (view.drawWithText(text) != pdf417View::ImageReady)
        return QStringLiteral("(not drawn)");
    view.setFrameSize(QSizeF(view.encoding().bitColumns * 2, view.encoding().codeRows * 6));
    view.drawWithText(text);
    const auto d = lineartest::zxing(view.getImage().pixels, QStringLiteral("PDF417"));
    return d.text.isEmpty() ? d.raw : d.text;
}

}  // namespace

TEST(PDF417, EveryLevelReadsBackWithNumericTextBytesAndUnicode)
{
    REQUIRE_TOOL(zx, "ZXingReader");
    const QString texts[] = {
        QStringLiteral("Badge 0042: 1234567890123456789012345 checked"),
        QStringLiteral("Visitor pass; Room 4.12 (east wing) #7 & more text!"),
        QString::fromLatin1("caf\xe9 \xfc\xf1\xee\xe7\xf6" "d\xe9 bytes \xa9\xae"),  // Latin-1
        QStringLiteral("ab") + QChar(0x7F) + QStringLiteral("cd"),  // a byte shift
        QStringLiteral("Zürich € 中文"),                            // UTF-8 behind ECI 26
    };
    for (const int level : {0, 2, 5, 8})
        for (const QString &text : texts)
            EXPECT_EQ(decoded(text, level), text) << "level " << level;
    int eci = -1;
    EXPECT_EQ(pdf417View::encoderBytes(QStringLiteral("Zürich"), &eci), QByteArray("Z\xfcrich"));
    EXPECT_EQ(eci, 0);
    EXPECT_EQ(pdf417View::encoderBytes(texts[4], &eci), texts[4].toUtf8());
    EXPECT_EQ(eci, 26);
}

TEST(PDF417, SegmentsByContentAndLevelsByRoom)
{
    QByteArray high;
    for (std::mt19937 rng(3); high.size() < 1200;)
        high += char(128 + rng() % 128);
    const int tooBig = PDF417_ERROR_TEXT_TOO_BIG, invalid = PDF417_ERROR_INVALID_PARAMS;
    const int raw = PDF417_USE_RAW_CODEWORDS;
    const Request cases[] = {
        {"12345678", 0, 902}, {"1234567", 0, -1, 902},  // eight digits alone are numeric, seven stay text
        {"Code 1234567890123 end", 0, 902},             // a run of 13 digits inside text is numeric
        {"Code 123456789012 end", 0, -1, 902},          // 12 stay text
        {QByteArray("ab\x01" "cd"), 0, 913, 901},         // one byte between text: a byte shift
        {QByteArray("\x01\x02\x03\x04\x05\x06"), 0, 924}, {QByteArray("\x01\x02\x03\x04\x05"), 0, 901},
        {QByteArray()},  // the length descriptor and padding still make a symbol
        // A requested level higher than the free space allows is lowered; a small message in a
        // large fixed rectangle gets the highest level that fits (256 correction codewords of 400).
        {QByteArray(1200, 'A'), 0, -1, -1, 7, PDF417_USE_ERROR_LEVEL, 8},
        {"HI", 0, -1, -1, 7, PDF417_FIXED_RECTANGLE, 2, 10, 40},
        {QByteArray(5421, 'a'), tooBig}, {high, tooBig},
        {{}, invalid, -1, -1, -1, raw, 2, 0, 0, 0}, {{}, invalid, -1, -1, -1, raw, 2, 0, 0, 927},
        {{}, invalid, -1, -1, -1, raw, 2, 0, 0, 5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.text.left(30).toStdString() << " / " << c.options);
        const _pdf417param p = encode(c);
        ASSERT_EQ(p.error, c.error);
        EXPECT_EQ(p.outBits.empty(), c.error != 0);
        if (c.error)
            continue;
        const std::vector<int> cw(p.codewords + 1, p.codewords + p.codewords[0]);
        EXPECT_EQ(std::count(cw.begin(), cw.end(), c.mustHave) > 0, c.mustHave >= 0);
        EXPECT_EQ(std::count(cw.begin(), cw.end(), c.mustLack), 0);
        EXPECT_TRUE(c.level < 0 || p.errorLevel == c.level) << p.errorLevel;
        EXPECT_LE(p.codewords[0] + (2 << p.errorLevel), c.rows ? c.rows * c.columns : 928);
        EXPECT_TRUE(!c.rows || p.codeColumns * p.codeRows == c.rows * c.columns);
        EXPECT_GE(p.codeRows, 3);
    }
}

TEST(PDF417, ViewStatesImageAndModuleFloor)
{
    pdf417View view(QSizeF(100, 20));
    view.setResolution(600);
    ASSERT_EQ(view.drawWithText(QStringLiteral("0123")), pdf417View::ImageReady);
    const TwoDImage first = view.getImage();
    EXPECT_EQ(std::pair(first.sizePoints, first.pixels.size()), std::pair(QSizeF(100, 20), QSize(834, 167)));
    // Nothing to encode, or too much: the state changes, the image stays; the view shows white.
    EXPECT_EQ(view.drawWithText(QString()), pdf417View::ImageEmpty);
    EXPECT_EQ(view.drawWithText(QString(5421, QLatin1Char('z'))), pdf417View::ImageFailed);
    EXPECT_EQ(view.getImage().pixels, first.pixels);
    QImage canvas(100, 20, QImage::Format_ARGB32);
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    view.drawRect(painter);
    EXPECT_EQ(canvas.pixel(99, 0), qRgb(255, 255, 255));
    // A frame too small for one pixel a module at 72 dpi still keeps every module.
    pdf417View small(QSizeF(40, 8));
    small.setResolution(72);
    ASSERT_EQ(small.drawWithText(QStringLiteral("SMALL FRAME")), pdf417View::ImageReady);
    EXPECT_GE(small.getImage().pixels.width(), small.encoding().bitColumns);
    EXPECT_GE(small.getImage().pixels.height(), small.encoding().codeRows);
}

TEST(PDF417, ViewDragAndDropAndPaste)
{
    platform::ScopedScriptedUi ui;
    pdf417View view;
    QMimeData text, image;
    text.setText(QStringLiteral("DROPPED"));
    image.setImageData(QImage(4, 4, QImage::Format_RGB32));
    EXPECT_FALSE(view.draggingEntered(&text));  // not a target yet
    view.toggleTargetState();
    EXPECT_FALSE(view.draggingEntered(&image));
    EXPECT_TRUE(view.draggingEntered(&text) && view.isDragSessionInProgress());
    view.draggingExited();
    EXPECT_FALSE(view.isDragSessionInProgress());
    EXPECT_TRUE(view.performDragOperation(&text));
    EXPECT_EQ(view.imageState(), pdf417View::ImageReady);
    EXPECT_FALSE(view._takeValueFromPasteboard(&image, QStringLiteral("paste")));
    EXPECT_EQ(ui->messages(), QStringList{QStringLiteral("Unable to perform paste operation.")});
    EXPECT_EQ(view.dragMimeData(), nullptr);  // not a source
    view.toggleSourceState();
    std::unique_ptr<QMimeData> out(view.dragMimeData());
    EXPECT_TRUE(out && out->hasImage());
}

TEST(PDF417, EpsReadByGhostscriptAndDecoded)
{
    REQUIRE_TOOL(gs, "gs");
    REQUIRE_TOOL(zx, "ZXingReader");
    pdf417View view(QSizeF(300, 90));
    const QString text = QStringLiteral("EPS output 2024");
    ASSERT_EQ(view.drawWithText(text), pdf417View::ImageReady);
    const QByteArray eps = view.makeEPS();
    ASSERT_TRUE(eps.startsWith("%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 300 90\n")) << eps.data();
    EXPECT_TRUE(eps.contains("\n%%Title: pdf417View_EPS_image\n"));
    QString gsError;
    const QImage rendered = lineartest::renderEps(eps, 300, &gsError);
    ASSERT_FALSE(rendered.isNull()) << gsError.toStdString();
    ASSERT_EQ(rendered.size(), QSize(1250, 375));
    const auto d = lineartest::zxing(lineartest::onWhite(rendered, 20), QStringLiteral("PDF417"));
    EXPECT_EQ(d.text, text) << d.raw.toStdString();
}
