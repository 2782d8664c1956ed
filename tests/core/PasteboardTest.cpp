// Controls on the system clipboard: the three flavours a copy offers as other programs read
// them, and what a paste finds there and where it puts it.
#include "ArchiveTestSupport.h"

#include "TestSupport.h"

#include "core/SKTPasteboard.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QMimeData>
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

SKTPasteOutcome paste(SKTPasteCascade &cascade, const QString &side = QStringLiteral("F"))
{
    return Graphics_For_Paste(clipboardData(), Pasteboard_Change_Count(), cascade, side);
}

TEST(Pasteboard, ACopyOffersTheControlsAPdfAndAPng)
{
    kindstest::CardHub hub;
    const SKTGraphicArray squares = twoSquares();
    const qint64 before = Pasteboard_Change_Count();
    EXPECT_GT(Copy_Graphics_To_Pasteboard(Graphic_Pointers(squares), hub.front, &hub.card), before);
    const QMimeData *data = clipboardData();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->formats().first(), "Apple Sketch 2 pasteboard type");
    EXPECT_EQ(pythonPlist(data->data(SKTGraphicViewPasteboardType),
                          QStringLiteral("[plistlib.loads(a)['_bounds'] for a in v]")),
              (QJsonArray{"{{10, 10}, {30, 20}}", "{{100, 50}, {40, 40}}"}));

    // The PNG covers the copied controls alone, from the corner of their drawing bounds; the
    // PDF is the card with them, as a PDF reader draws it.
    REQUIRE_TOOL(pdftoppm, "pdftoppm");
    QTemporaryDir dir;
    QFile pdf(dir.filePath(QStringLiteral("copy.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly) && pdf.write(data->data(SKTPasteboardPDFType)) > 0);
    pdf.close();
    const testsupport::ToolResult r = testsupport::runTool(
        pdftoppm,
        {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
         pdf.fileName(), dir.filePath(QStringLiteral("page"))});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage page(dir.filePath(QStringLiteral("page.png")));
    ASSERT_EQ(page.size(), QSize(243, 154));
    const QImage png = QImage::fromData(data->data(SKTPasteboardPNGType), "PNG");
    const QPointF corner = drawingBoundsOfGraphics(Graphic_Pointers(squares)).topLeft();
    const std::pair<QPoint, QColor> probes[] = {
        {{25, 20}, Qt::red}, {{120, 70}, Qt::green}, {{70, 40}, Qt::white}};
    for (const auto &[at, colour] : probes) {
        EXPECT_EQ(page.pixelColor(at), colour) << at.x();
        const QColor copied = png.pixelColor((at - corner).toPoint());
        EXPECT_EQ(copied.alpha() == 0 ? QColor(Qt::white) : copied, colour) << "nothing between them";
    }
}

// A copy of this canvas pastes at the side's next points; content from elsewhere lands at its
// archived positions first and is re-placed from the second paste on.
TEST(Pasteboard, PastesCascadeFromTheSidesNextPoint)
{
    kindstest::CardHub hub;
    const SKTGraphicArray squares = twoSquares();
    for (bool own : {true, false}) {
        SCOPED_TRACE(own ? "own copy" : "from elsewhere");
        PasteHub pasteHub;
        pasteHub.points = {{30, 30}, {50, 50}, {70, 70}, {90, 90}};
        SKTPasteCascade cascade;
        cascade.didCopy(Copy_Graphics_To_Pasteboard(own ? Graphic_Pointers(squares) : SKTGraphicList()));
        if (!own) {
            auto *foreign = new QMimeData;
            foreign->setData(SKTGraphicViewPasteboardType,
                             pasteboardDataWithGraphics(Graphic_Pointers(squares)));
            QGuiApplication::clipboard()->setMimeData(foreign);
        }
        const SKTPasteOutcome first = paste(cascade), second = paste(cascade, QStringLiteral("B"));
        ASSERT_FALSE(first.error);
        ASSERT_EQ(first.graphics.size(), 2u);
        ASSERT_EQ(second.graphics.size(), 2u);
        EXPECT_EQ(first.graphics[0]->bounds(), own ? QRectF(30, 30, 30, 20) : QRectF(10, 10, 30, 20));
        EXPECT_EQ(first.graphics[1]->bounds(), own ? QRectF(50, 50, 40, 40) : QRectF(100, 50, 40, 40));
        EXPECT_EQ(second.graphics[0]->bounds().topLeft(), own ? QPointF(70, 70) : QPointF(30, 30));
        EXPECT_EQ(pasteHub.sides.back(), "B");
    }
}

TEST(Pasteboard, WhatAPasteFindsBesidesControlsAndDamagedControlsRefused)
{
    kindstest::CardHub hub;
    const QByteArray valid = pasteboardDataWithGraphics(Graphic_Pointers(twoSquares()));
    const struct {
        const char *name;
        SKTPasteboardContent found;
        bool refused;
    } cases[] = {
        {"file names", SKTPasteboardContent::FileNames, false},
        {"picture", SKTPasteboardContent::Image, false},
        {"text", SKTPasteboardContent::None, false},
        {"cut controls", SKTPasteboardContent::Graphics, true},
        {"noise", SKTPasteboardContent::Graphics, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        auto *data = new QMimeData;
        const QByteArray name(c.name);
        if (name == "file names")
            data->setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/photo.png"))});
        else if (name == "picture")
            data->setImageData(patternImage(8, 8));
        else if (name == "text")
            data->setText(QStringLiteral("hello"));
        else
            data->setData(SKTGraphicViewPasteboardType,
                          name == "noise" ? QByteArray("bplist00\x01\x02") : valid.left(60));
        QGuiApplication::clipboard()->setMimeData(data);
        EXPECT_EQ(Pasteboard_Available_Type(clipboardData()), c.found);
        SKTPasteCascade cascade;
        const SKTPasteOutcome outcome = paste(cascade);
        EXPECT_EQ(outcome.error ? outcome.error->code : 0, c.refused ? 2 : 0);
        EXPECT_TRUE(outcome.graphics.empty());
        EXPECT_EQ(cascade._pasteCascadeNumber, 0) << "a paste of nothing leaves the cascade alone";
    }
    EXPECT_EQ(Pasteboard_Available_Type(nullptr), SKTPasteboardContent::None);
}

}  // namespace
