// PDF parts joined into one file: readers see every page once, in order, with its text, and a
// part in another form is refused before anything of it is written.

#include "TestSupport.h"

#include "output/print/PdfJoin.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A PDF of one page per text, each page showing its text and a picture shared by the part.
QByteArray partWithPages(const QStringList &texts)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(300);
    QImage photo(40, 30, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    QPainter painter(&pdf);
    for (int i = 0; i < texts.size(); ++i) {
        if (i)
            pdf.newPage();
        painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 20));
        painter.drawText(QPointF(200, 400), texts[i]);
        painter.drawImage(QRectF(200, 600, 400, 300), photo);
    }
    painter.end();
    return bytes;
}

}  // namespace

TEST(PdfJoin, PartsBecomeOneFileWithEveryPageInOrder)
{
    REQUIRE_TOOL(pdfinfo, "pdfinfo");
    REQUIRE_TOOL(pdftotext, "pdftotext");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("joined.pdf"));
    const QList<QStringList> parts = {{QStringLiteral("Alpha"), QStringLiteral("Bravo")},
                                      {QStringLiteral("Charlie")},
                                      {QStringLiteral("Delta"), QStringLiteral("Echo"), QStringLiteral("Foxtrot")}};
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        PdfJoin join(file);
        for (const QStringList &texts : parts) {
            QString error;
            ASSERT_TRUE(join.add(partWithPages(texts), &error)) << error.toStdString();
        }
        ASSERT_TRUE(join.finish());
        EXPECT_EQ(join.pages(), 6);
    }
    const auto info = testsupport::runTool(pdfinfo, {path});
    EXPECT_TRUE(QString::fromUtf8(info.out).contains(QRegularExpression(QStringLiteral("Pages:\\s+6\\n"))));
    EXPECT_TRUE(info.err.isEmpty()) << "no repair needed: " << info.err.toStdString();
    for (int page = 1; page <= 6; ++page) {
        const auto text = testsupport::runTool(pdftotext, {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                                           QString::number(page), path, QStringLiteral("-")});
        EXPECT_EQ(QString::fromUtf8(text.out).trimmed(), (parts[0] + parts[1] + parts[2])[page - 1]);
        EXPECT_TRUE(text.err.isEmpty()) << text.err.toStdString();
    }
}

TEST(PdfJoin, APartInAnotherFormIsRefusedWithNothingWritten)
{
    QByteArray extraCatalog = partWithPages({QStringLiteral("Alpha")});
    // Same length, so the cross references still hold: only the catalog says more.
    extraCatalog.replace("/Type /Catalog", "/Lang (en-GB) ");
    const QByteArray cases[] = {QByteArray("not a pdf"), QByteArray("%PDF-1.4\nstartxref\n999\n%%EOF"), extraCatalog,
                                partWithPages({QStringLiteral("Alpha")}).replace("xref", "xreg")};
    for (const QByteArray &part : cases) {
        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        PdfJoin join(buffer);
        QString error;
        EXPECT_FALSE(join.add(part, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_TRUE(out.isEmpty()) << "nothing of a refused part is written";
        EXPECT_FALSE(join.add(partWithPages({QStringLiteral("Bravo")}))) << "a refused join takes nothing more";
        EXPECT_FALSE(join.finish());
    }
}
