// Controls on the system clipboard: the three flavours a copy offers as other programs read
// them, and what a paste finds there and where it puts it.
#include "ArchiveTestSupport.h"

#include "TestSupport.h"

#include "core/SKTPasteboard.h"
#include "platform/Plist.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QMimeData>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace archivetest;

namespace {

// Red at 10,10 30x20 and green at 100,50 40x40.
SKTGraphicArray twoSquares()
{
    SKTGraphicArray list;
    list.push_back(kindstest::filledRect(QRectF(10, 10, 30, 20), Qt::red));
    list.push_back(kindstest::filledRect(QRectF(100, 50, 40, 40), Qt::green));
    return list;
}

const QMimeData *clipboardData() { return QGuiApplication::clipboard()->mimeData(); }

TEST(Pasteboard, ACopyOffersTheControlsAPdfAndAPng)
{
    kindstest::CardHub hub;
    const SKTGraphicArray squares = twoSquares();
    const qint64 before = Pasteboard_Change_Count();
    const qint64 count = Copy_Graphics_To_Pasteboard(Graphic_Pointers(squares), hub.front, &hub.card);
    EXPECT_GT(count, before) << "the copy changed the clipboard";
    const QMimeData *data = clipboardData();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->formats().first(), "Apple Sketch 2 pasteboard type");

    const QJsonValue controls = pythonPlist(data->data(SKTGraphicViewPasteboardType),
                                            QStringLiteral("[plistlib.loads(a)['_bounds'] for a in v]"));
    EXPECT_EQ(controls.toArray(), (QJsonArray{"{{10, 10}, {30, 20}}", "{{100, 50}, {40, 40}}"}));

    // The PNG covers the copied controls alone, from the corner of their drawing bounds.
    const QImage png = QImage::fromData(data->data(SKTPasteboardPNGType), "PNG");
    ASSERT_FALSE(png.isNull());
    const QPointF corner = drawingBoundsOfGraphics(Graphic_Pointers(squares)).topLeft();
    EXPECT_EQ(png.pixelColor((QPointF(25, 20) - corner).toPoint()), QColor(Qt::red));
    EXPECT_EQ(png.pixelColor((QPointF(120, 70) - corner).toPoint()), QColor(Qt::green));
    EXPECT_EQ(png.pixelColor((QPointF(70, 40) - corner).toPoint()).alpha(), 0) << "nothing between them";

    // The PDF is the card with the copied controls, as a PDF reader draws it.
    REQUIRE_TOOL(pdftoppm, "pdftoppm");
    QTemporaryDir dir;
    const QString pdfPath = dir.filePath(QStringLiteral("copy.pdf"));
    QFile pdf(pdfPath);
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.write(data->data(SKTPasteboardPDFType));
    pdf.close();
    const testsupport::ToolResult r = testsupport::runTool(
        pdftoppm, {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                   pdfPath, dir.filePath(QStringLiteral("page"))});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage page(dir.filePath(QStringLiteral("page.png")));
    ASSERT_EQ(page.size(), QSize(243, 154));
    EXPECT_EQ(page.pixelColor(25, 20), QColor(Qt::red));
    EXPECT_EQ(page.pixelColor(120, 70), QColor(Qt::green));
    EXPECT_EQ(page.pixelColor(200, 130), QColor(Qt::white));
}

TEST(Pasteboard, PastingOwnCopyCascadesFromTheSidesNextPoint)
{
    kindstest::CardHub hub;
    PasteHub pasteHub;
    pasteHub.points = {{30, 30}, {50, 50}, {70, 70}, {90, 90}};
    const SKTGraphicArray squares = twoSquares();
    SKTPasteCascade cascade;
    cascade.didCopy(Copy_Graphics_To_Pasteboard(Graphic_Pointers(squares)));

    SKTPasteOutcome first = Graphics_For_Paste(clipboardData(), Pasteboard_Change_Count(), cascade, QStringLiteral("F"));
    ASSERT_FALSE(first.error);
    ASSERT_EQ(first.graphics.size(), 2u);
    EXPECT_EQ(first.graphics[0]->bounds(), QRectF(30, 30, 30, 20)) << "the first at the side's next point";
    EXPECT_EQ(first.graphics[1]->bounds(), QRectF(50, 50, 40, 40)) << "the second at the point after";
    SKTPasteOutcome second =
        Graphics_For_Paste(clipboardData(), Pasteboard_Change_Count(), cascade, QStringLiteral("B"));
    ASSERT_EQ(second.graphics.size(), 2u);
    EXPECT_EQ(second.graphics[0]->bounds().topLeft(), QPointF(70, 70));
    EXPECT_EQ(pasteHub.sides.back(), "B");
    EXPECT_EQ(cascade._pasteCascadeNumber, 3);
}

TEST(Pasteboard, ContentFromElsewhereLandsAtItsArchivedPositionsFirst)
{
    kindstest::CardHub hub;
    PasteHub pasteHub;
    pasteHub.points = {{30, 30}, {50, 50}};
    SKTPasteCascade cascade;
    cascade.didCopy(Copy_Graphics_To_Pasteboard({}));  // this canvas copied something earlier
    // Another canvas (or program) puts controls on the clipboard.
    const SKTGraphicArray squares = twoSquares();
    auto *foreign = new QMimeData;
    foreign->setData(SKTGraphicViewPasteboardType, pasteboardDataWithGraphics(Graphic_Pointers(squares)));
    QGuiApplication::clipboard()->setMimeData(foreign);
    const qint64 count = Pasteboard_Change_Count();

    SKTPasteOutcome first = Graphics_For_Paste(clipboardData(), count, cascade, QStringLiteral("F"));
    ASSERT_EQ(first.graphics.size(), 2u);
    EXPECT_EQ(first.graphics[0]->bounds(), QRectF(10, 10, 30, 20));
    EXPECT_EQ(first.graphics[1]->bounds(), QRectF(100, 50, 40, 40));
    SKTPasteOutcome second = Graphics_For_Paste(clipboardData(), count, cascade, QStringLiteral("F"));
    ASSERT_EQ(second.graphics.size(), 2u);
    EXPECT_EQ(second.graphics[0]->bounds().topLeft(), QPointF(30, 30)) << "the second paste is re-placed";
}

TEST(Pasteboard, WhatAPasteFindsBesidesControls)
{
    kindstest::CardHub hub;
    SKTPasteCascade cascade;
    struct Case {
        const char *name;
        std::function<QMimeData *()> make;
        SKTPasteboardContent found;
    } cases[] = {
        {"file names",
         [] {
             auto *d = new QMimeData;
             d->setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/photo.png"))});
             return d;
         },
         SKTPasteboardContent::FileNames},
        {"picture",
         [] {
             auto *d = new QMimeData;
             d->setImageData(patternImage(8, 8));
             return d;
         },
         SKTPasteboardContent::Image},
        {"text",
         [] {
             auto *d = new QMimeData;
             d->setText(QStringLiteral("hello"));
             return d;
         },
         SKTPasteboardContent::None},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QGuiApplication::clipboard()->setMimeData(c.make());
        EXPECT_EQ(Pasteboard_Available_Type(clipboardData()), c.found);
        const SKTPasteOutcome outcome =
            Graphics_For_Paste(clipboardData(), Pasteboard_Change_Count(), cascade, QStringLiteral("F"));
        EXPECT_FALSE(outcome.error);
        EXPECT_TRUE(outcome.graphics.empty());
    }
    EXPECT_EQ(Pasteboard_Available_Type(nullptr), SKTPasteboardContent::None);
}

TEST(Pasteboard, DamagedControlsOnTheClipboardAreRefusedWithError2)
{
    kindstest::CardHub hub;
    QRandomGenerator random(7);
    const SKTGraphicArray squares = twoSquares();
    const QByteArray valid = pasteboardDataWithGraphics(Graphic_Pointers(squares));
    for (int i = 0; i < 100; ++i) {
        QByteArray payload;
        if (i % 2) {
            payload = valid.left(int(random.bounded(valid.size())));  // truncated
        } else {
            payload.resize(int(random.bounded(1, 200)));
            for (char &b : payload)
                b = char(random.bounded(256));
        }
        auto *data = new QMimeData;
        data->setData(SKTGraphicViewPasteboardType, payload);
        QGuiApplication::clipboard()->setMimeData(data);
        SKTPasteCascade cascade;
        const SKTPasteOutcome outcome =
            Graphics_For_Paste(clipboardData(), Pasteboard_Change_Count(), cascade, QStringLiteral("F"));
        ASSERT_TRUE(outcome.error) << "payload " << i;
        EXPECT_EQ(outcome.error->code, 2);
        EXPECT_TRUE(outcome.graphics.empty());
        EXPECT_EQ(cascade._pasteCascadeNumber, 0) << "a refused paste leaves the cascade alone";
    }
}

}  // namespace
