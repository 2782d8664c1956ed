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
        QStringLiteral("ab") + QChar(0x7F) + QStringLiteral("cd"),                   // a byte shift
        QStringLiteral("Zürich € 中文"),                                             // UTF-8 behind ECI 26
    };
    for (int level = 0; level <= 8; ++level)
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
    const struct {
        QByteArray text;
        int mustHave, mustLack;  // latch codewords
    } cases[] = {
        {"12345678", 902, -1}, {"1234567", -1, 902},  // eight digits alone are numeric, seven stay text
        {"Code 1234567890123 end", 902, -1},          // a run of 13 digits inside text is numeric
        {"Code 123456789012 end", -1, 902},           // 12 stay text
        {QByteArray("ab\x01" "cd"), 913, 901},              // one byte between text: a byte shift
        {QByteArray("\x01\x02\x03\x04\x05\x06"), 924, -1},  // six bytes
        {QByteArray("\x01\x02\x03\x04\x05"), 901, -1},      // five bytes
    };
    for (const auto &c : cases) {
        const _pdf417param p = encode(c.text);
        ASSERT_EQ(p.error, 0) << c.text.toStdString();
        const std::vector<int> cw(p.codewords + 1, p.codewords + p.codewords[0]);
        EXPECT_EQ(std::count(cw.begin(), cw.end(), c.mustHave) > 0, c.mustHave >= 0) << c.text.toStdString();
        EXPECT_EQ(std::count(cw.begin(), cw.end(), c.mustLack), 0) << c.text.toStdString();
    }
    // A requested level higher than the free space allows is lowered.
    const _pdf417param lowered = encode(QByteArray(1200, 'A'), PDF417_USE_ERROR_LEVEL, 8);
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
    EXPECT_EQ(p.error * 1000 + p.codeColumns * p.codeRows, 400);
    EXPECT_EQ(p.errorLevel, 7);  // 256 correction codewords fit in 400, 512 do not
}

TEST(PDF417, RefusalsAndInvalidParameters)
{
    EXPECT_EQ(encode(QByteArray(5421, 'a')).error, PDF417_ERROR_TEXT_TOO_BIG);
    QByteArray bytes;
    for (std::mt19937 rng(3); bytes.size() < 1200;)
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
