// The card document: its three arrays, the undo recording of the front array, its title, its
// one window per run and its own data forms as other readers see them.
#include "ArchiveTestSupport.h"

#include "TestSupport.h"

#include "core/SKTDocument.h"
#include "core/SKTText.h"

#include <QFile>
#include <QPrinter>
#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace archivetest;

namespace {

class DocumentTest : public ::testing::Test {
protected:
    kindstest::CardHub hub;
    SKTDocument document;
    SKTUndoManager &undo = document.undoManager();
};

TEST_F(DocumentTest, AFreshDocumentHasThreeEmptySides)
{
    EXPECT_TRUE(document.graphics().empty());
    EXPECT_TRUE(document.graphics_back().empty());
    EXPECT_TRUE(document.graphics_temp().empty());
    EXPECT_FALSE(document.isDocumentEdited());
    EXPECT_FALSE(undo.canUndo());
}

TEST_F(DocumentTest, InsertUndoRedoPutsTheControlBackAtItsIndex)
{
    document.addInGraphics(kindstest::filledRect(QRectF(0, 0, 10, 10), Qt::red));
    document.addInGraphics(kindstest::filledRect(QRectF(0, 0, 10, 10), Qt::blue));
    undo.closeImplicitGroup();
    const SKTGraphicPtr inserted = std::make_shared<SKTText>();
    document.insertGraphic(inserted, 1);
    undo.closeImplicitGroup();
    ASSERT_EQ(document.graphics().size(), 3u);
    EXPECT_EQ(inserted->_scriptingContainer, &document);

    undo.undo();
    ASSERT_EQ(document.graphics().size(), 2u);
    EXPECT_EQ(document.graphics()[1]->_fillColor, QColor(Qt::blue));
    EXPECT_EQ(inserted->_scriptingContainer, nullptr);
    undo.redo();
    ASSERT_EQ(document.graphics().size(), 3u);
    EXPECT_EQ(document.graphics()[1], inserted);
    undo.undo();
    undo.undo();
    EXPECT_TRUE(document.graphics().empty()) << "the first group took both shapes";
}

TEST_F(DocumentTest, APropertyChangedTwiceInOneGroupUndoesToItsFirstValue)
{
    const SKTGraphicPtr shape = kindstest::filledRect(QRectF(5, 5, 20, 20), Qt::red);
    document.addInGraphics(shape);
    undo.closeImplicitGroup();
    undo.beginUndoGrouping();
    shape->setValueForKey(SKTGraphicFillColorKey, QColor(Qt::green));
    shape->setValueForKey(SKTGraphicFillColorKey, QColor(Qt::blue));
    shape->setBounds(QRectF(50, 50, 20, 20));
    undo.endUndoGrouping();
    undo.undo();
    EXPECT_EQ(shape->_fillColor, QColor(Qt::red));
    EXPECT_EQ(shape->bounds(), QRectF(5, 5, 20, 20));
    undo.redo();
    EXPECT_EQ(shape->_fillColor, QColor(Qt::blue));
    EXPECT_EQ(shape->bounds(), QRectF(50, 50, 20, 20));
    undo.undo();
    EXPECT_EQ(shape->_fillColor, QColor(Qt::red)) << "undo again after a redo";
}

TEST_F(DocumentTest, AControlInsertedAndChangedInOneGroupIsJustRemovedByUndo)
{
    const SKTGraphicPtr shape = kindstest::filledRect(QRectF(5, 5, 20, 20), Qt::red);
    undo.beginUndoGrouping();
    document.addInGraphics(shape);
    shape->setValueForKey(SKTGraphicFillColorKey, QColor(Qt::green));
    undo.endUndoGrouping();
    EXPECT_EQ(undo.undoCount(), 1);
    undo.undo();
    EXPECT_TRUE(document.graphics().empty());
    undo.redo();
    ASSERT_EQ(document.graphics().size(), 1u);
    EXPECT_EQ(document.graphics()[0]->_fillColor, QColor(Qt::green)) << "no change was recorded to take back";
}

TEST_F(DocumentTest, ChangesOfControlsNoLongerOnTheFrontAreNotRecorded)
{
    const SKTGraphicPtr shape = kindstest::filledRect(QRectF(5, 5, 20, 20), Qt::red);
    document.addInGraphics(shape);
    document.removeGraphicAtIndex(0);
    undo.closeImplicitGroup();
    const int steps = undo.undoCount();
    shape->setValueForKey(SKTGraphicFillColorKey, QColor(Qt::green));
    undo.closeImplicitGroup();
    EXPECT_EQ(undo.undoCount(), steps);
}

TEST_F(DocumentTest, BackAndTempSidesChangeWithoutUndo)
{
    for (int side : {1, 2}) {
        document.appendGraphicOnSide(side, kindstest::filledRect(QRectF(0, 0, 5, 5), Qt::red));
        document.insertGraphicsOnSide(side, {kindstest::filledRect(QRectF(0, 0, 5, 5), Qt::blue)}, {0});
        EXPECT_EQ(document.graphicsOfSide(side).size(), 2u);
        EXPECT_EQ(document.graphicsOfSide(side)[0]->_fillColor, QColor(Qt::blue));
        document.graphicsOfSide(side)[0]->setValueForKey(SKTGraphicFillColorKey, QColor(Qt::green));
    }
    undo.closeImplicitGroup();
    EXPECT_FALSE(undo.canUndo());
    document.removeAllGraphicsOnSide(1);
    EXPECT_TRUE(document.graphics_back().empty());
    EXPECT_EQ(document.graphics_temp().size(), 2u);
}

TEST_F(DocumentTest, IndexesOutsideTheArrayAreSkipped)
{
    document.insertGraphics({kindstest::filledRect(QRectF(), Qt::red), kindstest::filledRect(QRectF(), Qt::blue)},
                            {5, 0});
    ASSERT_EQ(document.graphics().size(), 1u);
    EXPECT_EQ(document.graphics()[0]->_fillColor, QColor(Qt::blue));
    document.removeGraphicsAtIndexes({-1, 3, 0, 0});
    EXPECT_TRUE(document.graphics().empty());
}

TEST_F(DocumentTest, ClearingForgetsTheHistoryAndEmptiesTheFront)
{
    document.addInGraphics(kindstest::filledRect(QRectF(0, 0, 5, 5), Qt::red));
    document.appendGraphicOnSide(1, kindstest::filledRect(QRectF(0, 0, 5, 5), Qt::red));
    document.Clear_All_Undo_Redo();
    undo.closeImplicitGroup();
    EXPECT_TRUE(document.graphics().empty());
    EXPECT_EQ(document.graphics_back().size(), 1u);
    EXPECT_FALSE(undo.canUndo());
    EXPECT_FALSE(undo.canRedo());
    EXPECT_TRUE(undo.isUndoRegistrationEnabled());
}

TEST_F(DocumentTest, ObserversHearOfEachSidesChanges)
{
    QStringList heard;
    const int id = document.addDocumentObserver([&](const QString &key) { heard.append(key); });
    document.addInGraphics(kindstest::filledRect(QRectF(), Qt::red));
    document.appendGraphicOnSide(1, kindstest::filledRect(QRectF(), Qt::red));
    document.appendGraphicOnSide(2, kindstest::filledRect(QRectF(), Qt::red));
    document.setPrintInfo(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    document.removeDocumentObserver(id);
    document.removeAllGraphicsOnSide(0);
    EXPECT_EQ(heard, (QStringList{"graphics", "graphics_back", "graphics_temp", "canvasSize", "canvasSize"}));
}

TEST_F(DocumentTest, ControlsByKind)
{
    document.addInGraphics(kindstest::filledRect(QRectF(), Qt::red));
    document.addInGraphics(std::make_shared<SKTText>());
    document.addInGraphics(kindstest::filledRect(QRectF(), Qt::blue));
    EXPECT_EQ(document.rectangles().size(), 2u);
    EXPECT_EQ(document.circles().size(), 2u);
    EXPECT_EQ(document.textAreas().size(), 1u);
    EXPECT_TRUE(document.images().empty());
    EXPECT_TRUE(document.lines().empty());
    EXPECT_EQ(document.rectangles()[1]->_fillColor, QColor(Qt::blue));
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
    EXPECT_EQ(document.windowController(), &window);
    EXPECT_EQ(second.windowController(), nullptr) << "a second document gets no window";

    EXPECT_EQ(document.displayName(), "Badge Studio ( Staff )");
    QTemporaryDir dir;
    window.path = dir.filePath(QStringLiteral("Visitors.did"));
    EXPECT_EQ(document.displayName(), "Badge Studio ( Staff )") << "no file there yet";
    QFile file(window.path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(document.displayName(), "Badge Studio ( Staff - Visitors.did )");
    SKTDocument::setWindowControllerFactory({});
}

TEST_F(DocumentTest, CanvasSizeAndReading)
{
    EXPECT_EQ(SKTDocument::canvasSize(true, QSizeF(500, 500)), QSizeF(243, 154));
    EXPECT_EQ(SKTDocument::canvasSize(false, QSizeF(500, 400)), QSizeF(500, 400));
    EXPECT_FALSE(document.readFromData(QByteArray("anything"), SKTDocumentNewTypeName));
    EXPECT_TRUE(SKTDocument::canConcurrentlyReadDocumentsOfType(SKTDocumentNewTypeName));
}

TEST_F(DocumentTest, DocumentDataAsOtherReadersSeeIt)
{
    document.addInGraphics(kindstest::filledRect(QRectF(20, 20, 60, 40), Qt::red));
    document.addInGraphics(std::make_shared<SKTText>());
    document.appendGraphicOnSide(1, kindstest::filledRect(QRectF(0, 0, 5, 5), Qt::red));
    for (const QString &type : {SKTDocumentNewTypeName, SKTDocumentOldTypeName}) {
        const std::optional<QByteArray> data = document.dataOfType(type);
        ASSERT_TRUE(data);
        const QJsonValue seen = pythonPlist(
            *data, QStringLiteral("[v['version'], [plistlib.loads(a)['$class'] for a in v['graphics']], "
                                  "round(plistlib.loads(v['printInfo'])['paperWidth'])]"));
        const QJsonArray parts = seen.toArray();
        ASSERT_EQ(parts.size(), 3);
        EXPECT_EQ(parts.at(0).toInt(), 2);
        EXPECT_EQ(parts.at(1).toArray(), (QJsonArray{"Shape_Control", "SKTText"})) << "the front side only";
        EXPECT_EQ(parts.at(2).toInt(), 612) << "a letter page";
    }

    const std::optional<QByteArray> pdf = document.dataOfType(SKTDocumentPDFTypeName);
    ASSERT_TRUE(pdf);
    REQUIRE_TOOL(pdfinfo, "pdfinfo");
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("front.pdf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(*pdf);
    file.close();
    const testsupport::ToolResult info = testsupport::runTool(pdfinfo, {file.fileName()});
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_TRUE(info.out.contains("243 x 154 pts")) << info.out.toStdString();

    const std::optional<QByteArray> tiff = document.dataOfType(SKTDocumentTIFFTypeName);
    ASSERT_TRUE(tiff);
    const QImage picture = QImage::fromData(*tiff);
    ASSERT_FALSE(picture.isNull());
    SKTError error;
    EXPECT_FALSE(document.dataOfType(QStringLiteral("public.jpeg"), &error)) << "refused, not asserted";
    EXPECT_EQ(error.domain, "SketchErrorDomain");
}

TEST_F(DocumentTest, PrintingPutsTheFrontCardAtThePagesPrintableCorner)
{
    REQUIRE_TOOL(pdfinfo, "pdfinfo");
    REQUIRE_TOOL(pdftoppm, "pdftoppm");
    document.addInGraphics(kindstest::filledRect(QRectF(20, 10, 40, 30), Qt::red));
    document.appendGraphicOnSide(1, kindstest::filledRect(QRectF(100, 60, 40, 30), Qt::blue));
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("print.pdf")));
    ASSERT_TRUE(document.printOperationWithSettings(printer));

    const testsupport::ToolResult info = testsupport::runTool(pdfinfo, {printer.outputFileName()});
    EXPECT_TRUE(info.out.contains("612 x 792 pts")) << info.out.toStdString();
    EXPECT_TRUE(QString::fromUtf8(info.out).contains(document.displayName())) << "the job is named after the document";
    const testsupport::ToolResult r = testsupport::runTool(
        pdftoppm, {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                   printer.outputFileName(), dir.filePath(QStringLiteral("page"))});
    ASSERT_EQ(r.exitCode, 0);
    const QImage page(dir.filePath(QStringLiteral("page.png")));
    ASSERT_EQ(page.size(), QSize(612, 792));
    // One inch of margin, then the card's own coordinates.
    EXPECT_EQ(page.pixelColor(72 + 40, 72 + 25), QColor(Qt::red));
    EXPECT_EQ(page.pixelColor(72 + 120, 72 + 75), QColor(Qt::white)) << "the back side is not printed";
}

TEST_F(DocumentTest, APictureOfNoControlsIsError3)
{
    SKTError error;
    EXPECT_FALSE(document.dataOfType(SKTDocumentTIFFTypeName, &error));
    EXPECT_EQ(error.code, 3);
    EXPECT_EQ(SKTErrorWithCode(99).localizedDescription,
              "Sketch could not complete the operation because an unknown error occurred.");
    EXPECT_EQ(SKTErrorWithCode(99).localizedFailureReason, "An unknown error occurred.");
}

}  // namespace
