// The card document: its three arrays, the undo recording of the front array, its title, its
// one window per run and its own data forms as other readers see them.
#include "ArchiveTestSupport.h"

#include "TestSupport.h"

#include "core/SKTDocument.h"
#include "core/SKTText.h"

#include <QFile>
#include <QJsonArray>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace archivetest;

namespace {

class DocumentTest : public ::testing::Test {
protected:
    kindstest::CardHub hub;
    SKTDocument document;
    SKTUndoManager &undo = document.undoManager();

    SKTGraphicPtr shape(QColor fill) { return kindstest::filledRect(QRectF(5, 5, 20, 20), fill); }
    QColor frontFill(std::size_t i) { return document.graphics().at(i)->_fillColor; }
};

TEST_F(DocumentTest, FrontInsertionsAndChangesUndoAndRedoAsGroups)
{
    document.addInGraphics(shape(Qt::red));
    document.addInGraphics(shape(Qt::blue));
    undo.closeImplicitGroup();
    const SKTGraphicPtr inserted = std::make_shared<SKTText>();
    document.insertGraphic(inserted, 1);
    undo.closeImplicitGroup();
    EXPECT_EQ(inserted->_scriptingContainer, &document);
    undo.undo();
    ASSERT_EQ(document.graphics().size(), 2u);
    EXPECT_EQ(frontFill(1), QColor(Qt::blue));
    EXPECT_EQ(inserted->_scriptingContainer, nullptr);
    undo.redo();
    EXPECT_EQ(document.graphics().at(1), inserted) << "back at its index";

    // A property changed twice in one group undoes to its first value, again after a redo.
    const SKTGraphicPtr first = document.graphics()[0];
    undo.beginUndoGrouping();
    first->setValueForKey(SKTGraphicFillColorKey, QColor(Qt::green));
    first->setValueForKey(SKTGraphicFillColorKey, QColor(Qt::yellow));
    first->setBounds(QRectF(50, 50, 20, 20));
    undo.endUndoGrouping();
    for (int round = 0; round < 2; ++round) {
        undo.undo();
        EXPECT_EQ(frontFill(0), QColor(Qt::red));
        EXPECT_EQ(first->bounds(), QRectF(5, 5, 20, 20));
        undo.redo();
        EXPECT_EQ(frontFill(0), QColor(Qt::yellow));
    }
    // A control inserted and changed in one group is just removed by its undo.
    const SKTGraphicPtr added = shape(Qt::red);
    undo.beginUndoGrouping();
    document.addInGraphics(added);
    added->setValueForKey(SKTGraphicFillColorKey, QColor(Qt::green));
    undo.endUndoGrouping();
    undo.undo();
    EXPECT_EQ(document.graphics().size(), 3u);
    undo.redo();
    EXPECT_EQ(frontFill(3), QColor(Qt::green)) << "no change was recorded to take back";
    // Changes of a control no longer on the front are not recorded.
    document.removeGraphicAtIndex(3);
    undo.closeImplicitGroup();
    const int steps = undo.undoCount();
    added->setValueForKey(SKTGraphicFillColorKey, QColor(Qt::blue));
    undo.closeImplicitGroup();
    EXPECT_EQ(undo.undoCount(), steps);
    for (int i = 0; i < steps; ++i)
        undo.undo();
    EXPECT_TRUE(document.graphics().empty()) << "the first group took both shapes";
}

TEST_F(DocumentTest, OtherSidesChangeWithoutUndoAndIndexesOutsideAreSkipped)
{
    QStringList heard;
    const int id = document.addDocumentObserver([&](const QString &key) { heard.append(key); });
    for (int side : {1, 2}) {
        document.appendGraphicOnSide(side, shape(Qt::red));
        document.insertGraphicsOnSide(side, {shape(Qt::blue)}, {0});
        EXPECT_EQ(document.graphicsOfSide(side).size(), 2u);
        EXPECT_EQ(document.graphicsOfSide(side)[0]->_fillColor, QColor(Qt::blue));
        document.graphicsOfSide(side)[0]->setValueForKey(SKTGraphicFillColorKey, QColor(Qt::green));
    }
    undo.closeImplicitGroup();
    EXPECT_FALSE(undo.canUndo());
    document.setPrintInfo(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    document.removeDocumentObserver(id);
    EXPECT_EQ(heard,
              (QStringList{"graphics_back", "graphics_back", "graphics_temp", "graphics_temp", "canvasSize",
                           "canvasSize"}));
    document.removeAllGraphicsOnSide(1);
    EXPECT_TRUE(document.graphics_back().empty());
    EXPECT_EQ(document.graphics_temp().size(), 2u);

    document.insertGraphics({shape(Qt::red), shape(Qt::blue)}, {5, 0});
    ASSERT_EQ(document.graphics().size(), 1u);
    EXPECT_EQ(frontFill(0), QColor(Qt::blue));
    document.removeGraphicsAtIndexes({-1, 3, 0, 0});
    EXPECT_TRUE(document.graphics().empty());

    // Clearing forgets the history and empties the front only.
    document.addInGraphics(shape(Qt::red));
    document.Clear_All_Undo_Redo();
    undo.closeImplicitGroup();
    EXPECT_TRUE(document.graphics().empty());
    EXPECT_EQ(document.graphics_temp().size(), 2u);
    EXPECT_FALSE(undo.canUndo() || undo.canRedo());
    EXPECT_TRUE(undo.isUndoRegistrationEnabled());
}

class TitleWindow : public SKTDocumentWindow {
public:
    QString App_Name() const override { return QStringLiteral("Badge Studio"); }
    QString Front_Card_Name() const override { return QStringLiteral("Staff"); }
    QString Project_File_Name() const override { return path; }
    QString path;
};

TEST_F(DocumentTest, OneWindowPerRunAndItsTitle)
{
    TitleWindow window;
    int made = 0;
    SKTDocument::setWindowControllerFactory([&](SKTDocument &) {
        ++made;
        return &window;
    });
    document.makeWindowControllers();
    SKTDocument second;
    second.makeWindowControllers();
    EXPECT_EQ(made, 1);
    EXPECT_EQ(second.windowController(), nullptr) << "a second document gets no window";
    QTemporaryDir dir;
    window.path = dir.filePath(QStringLiteral("Visitors.did"));
    EXPECT_EQ(document.displayName(), "Badge Studio ( Staff )") << "no file there yet";
    QFile file(window.path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(document.displayName(), "Badge Studio ( Staff - Visitors.did )");
    SKTDocument::setWindowControllerFactory({});
}

TEST_F(DocumentTest, DocumentDataAndPrintingAsOtherReadersSeeThem)
{
    REQUIRE_IMAGE_FORMAT("tiff");
    REQUIRE_TOOL(pdfinfo, "pdfinfo");
    REQUIRE_TOOL(pdftoppm, "pdftoppm");
    SKTError error;
    EXPECT_FALSE(document.dataOfType(SKTDocumentTIFFTypeName, &error));
    EXPECT_EQ(error.code, 3) << "a picture of no controls";
    EXPECT_FALSE(document.dataOfType(QStringLiteral("public.jpeg"), &error)) << "refused, not asserted";
    EXPECT_EQ(error.domain, "SketchErrorDomain");

    document.addInGraphics(kindstest::filledRect(QRectF(20, 10, 40, 30), Qt::red));
    document.addInGraphics(std::make_shared<SKTText>());
    document.appendGraphicOnSide(1, kindstest::filledRect(QRectF(100, 60, 40, 30), Qt::blue));
    for (const QString &type : {SKTDocumentNewTypeName, SKTDocumentOldTypeName}) {
        const std::optional<QByteArray> data = document.dataOfType(type);
        ASSERT_TRUE(data);
        const QJsonValue seen = pythonPlist(
            *data, QStringLiteral("[v['version'], [plistlib.loads(a)['$class'] for a in v['graphics']], "
                                  "round(plistlib.loads(v['printInfo'])['paperWidth'])]"));
        // The front side only, on a letter page.
        EXPECT_EQ(seen.toArray(), (QJsonArray{2, QJsonArray{"Shape_Control", "SKTText"}, 612}));
    }
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("front.pdf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)
                && file.write(document.dataOfType(SKTDocumentPDFTypeName).value()) > 0);
    file.close();
    EXPECT_TRUE(testsupport::runTool(pdfinfo, {file.fileName()}).out.contains("243 x 154 pts"));
    EXPECT_FALSE(QImage::fromData(document.dataOfType(SKTDocumentTIFFTypeName).value()).isNull());

    // Printing puts the front card at the page's printable corner, the job named after the document.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("print.pdf")));
    ASSERT_TRUE(document.printOperationWithSettings(printer));
    const testsupport::ToolResult info = testsupport::runTool(pdfinfo, {printer.outputFileName()});
    EXPECT_TRUE(info.out.contains("612 x 792 pts")) << info.out.toStdString();
    EXPECT_TRUE(QString::fromUtf8(info.out).contains(document.displayName()));
    const testsupport::ToolResult r = testsupport::runTool(
        pdftoppm,
        {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
         printer.outputFileName(), dir.filePath(QStringLiteral("page"))});
    ASSERT_EQ(r.exitCode, 0);
    const QImage page(dir.filePath(QStringLiteral("page.png")));
    ASSERT_EQ(page.size(), QSize(612, 792));
    // One inch of margin, then the card's own coordinates.
    EXPECT_EQ(page.pixelColor(72 + 40, 72 + 25), QColor(Qt::red));
    EXPECT_EQ(page.pixelColor(72 + 120, 72 + 75), QColor(Qt::white)) << "the back side is not printed";
}

}  // namespace
