// Card export: files and their order per row, ranges, keep-or-replace answers, what each format's
// bytes hold, barcodes read back from PDF pages, and the Export command's two roads.

#include "Press.h"
#include "TestSupport.h"

#include "barcode/ControlBarcode.h"
#include "core/ControlArchive.h"
#include "core/SKTGraphic.h"
#include "data/export/CardExport.h"
#include "data/export/ExportDialogs.h"
#include "data/export/ExportSheet.h"
#include "platform/ImageWriter.h"
#include "platform/UiServices.h"
#include "platform/WholeFile.h"

#include <QComboBox>
#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QProcess>
#include <QRadioButton>
#include <QSpinBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <future>
#include <optional>

namespace {

struct Export {
    QTemporaryDir dir;
    Card_Property card;
    BatchDesign design;
    platform::ScopedScriptedUi ui;

    Export()
    {
        barcode::Install_Control_Barcode_Provider();
        card.setCard_Size(QSizeF(243, 154));
        QList<QStringList> rows;
        for (int r = 0; r < 6; ++r)
            rows << QStringList{QString::number(r + 1), QStringLiteral("Name %1").arg(r), QStringLiteral("QR-%1").arg(r)};
        std::vector<std::unique_ptr<SKTGraphic>> front, back;
        auto bound = [](auto &side, const char *cls, QRectF bounds, int column) -> SKTGraphic & {
            side.push_back(Make_Graphic_Of_Class(QString::fromLatin1(cls)));
            side.back()->setBounds(bounds);
            side.back()->Set_Data_source_type(2);
            side.back()->Set_Excel_binding_Index(column);
            return *side.back();
        };
        bound(front, "SKTText", QRectF(10, 10, 120, 24), 1);
        SKTGraphic &qr = bound(front, "SKTBarcode", QRectF(150, 60, 80, 80), 2);
        qr.linear_or_2d = 1;
        qr.qr_size_val = 70;
        qr.Set_Barcode_image_control_bounds(qr.bounds());
        SKTGraphic &bars = bound(front, "SKTBarcode", QRectF(10, 60, 130, 60), 2);
        bars.barcode_font_index = 9;  // Code 128
        bars.linear_width_val = 10;
        bars.Set_Barcode_image_control_bounds(bars.bounds());
        bound(back, "SKTText", QRectF(10, 10, 120, 24), 1);
        design.front = CardSide::copyOf(card, front);
        design.back = CardSide::copyOf(card, back);
        design.source = Check_Series_Or_Excel_Use_or_not(design.front.list(), design.back.list(), true, rows);
    }
    std::unique_ptr<CardExport> run(ExportChoice choice) { return std::make_unique<CardExport>(design, choice); }
    QString folder() const { return dir.filePath(QStringLiteral("VELK ID Card")); }
    QStringList names(const QStringList &paths) const
    {
        QStringList out;
        for (const QString &p : paths)
            out << QFileInfo(p).fileName();
        return out;
    }
    int asked(const QString &kind)
    {
        int n = 0;
        for (const auto &r : ui->requests())
            n += r.kind == kind;
        return n;
    }
};

ExportChoice choice(const char *side, const char *format = "png", bool combined = false)
{
    ExportChoice c;
    c.export_card_side = QString::fromLatin1(side);
    c.format = QString::fromLatin1(format);
    c.combined = combined;
    c.dpi = 72;
    return c;
}

TEST(CardExport, RowsMakeTheirFilesInOrder)
{
    const struct {
        ExportChoice choice;
        int first, end;
        QStringList files;
    } cases[] = {
        {choice("BOTH"), 0, 3,
         {"Card_1_Back.png", "Card_1_Front.png", "Card_2_Back.png", "Card_2_Front.png", "Card_3_Back.png",
          "Card_3_Front.png"}},
        {choice("F", "PNG"), 2, 5, {"Card_3_Front.png", "Card_4_Front.png", "Card_5_Front.png"}},
        {choice("B", "jpg"), 5, 6, {"Card_6_Back.jpg"}},
        {choice("BOTH", "bmp", true), 0, 2, {"Card_1.bmp", "Card_2.bmp"}},
    };
    for (const auto &c : cases) {
        Export e;
        auto run = e.run(c.choice);
        EXPECT_EQ(run->Export_Batch_File(e.dir.path(), c.first, c.end), c.files.size());
        EXPECT_EQ(e.names(run->written), c.files);
        EXPECT_EQ(run->curr_card_count, c.end - c.first);
        EXPECT_EQ(QDir(e.folder()).entryList(QDir::Files).size(), c.files.size());
        EXPECT_EQ(e.asked(QStringLiteral("Open_Export_Files")), 1);
    }
}

TEST(CardExport, TheSheetsRangeCoversFromToTo)
{
    Export e;
    ExportSheet sheet;
    sheet.Reset(true, false, e.design.source);
    sheet.show();
    EXPECT_EQ(sheet.Total_Text->value(), 6);
    testsupport::press(sheet.Sel_print_rd);
    sheet.from_Text->setValue(5);
    sheet.To_Text->setValue(3);
    sheet.exportOkay();
    EXPECT_EQ(e.ui->messages(), QStringList{"Please select valid range."});
    sheet.from_Text->setValue(3);
    sheet.To_Text->setValue(5);
    sheet.exportOkay();
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(std::tuple(sheet.Print_Start, sheet.Total_Label, sheet.show_count()), std::tuple(2, 5, 3));
}

TEST(CardExport, ExistingFilesAreKeptReplacedOrTheRunEnds)
{
    const struct {
        ExportChoice choice;
        QList<int> answers;
        int questions;
        QStringList written;
    } cases[] = {
        {choice("F"), {Keep_All}, 1, {"Card_1_Front (1).png", "Card_2_Front (1).png", "Card_3_Front (1).png"}},
        {choice("F"), {Replace_This, Keep_This, Replace_All}, 3, {"Card_1_Front.png", "Card_2_Front (1).png", "Card_3_Front.png"}},
        {choice("BOTH"), {Cancel_All}, 1, {}},
        // Cancel, with or without "apply to all", ends the job: no question about the next file.
        {choice("F"), {Cancel_This, Replace_This}, 1, {}},
        {choice("BOTH"), {Cancel_This, Replace_This}, 1, {}},
        {choice("BOTH", "png", true), {Keep_This, Cancel_This, Replace_This}, 2, {"Card_1 (1).png"}},
    };
    for (const auto &c : cases) {
        Export e;
        e.run(c.choice)->Export_Batch_File(e.dir.path(), 0, 3);
        e.ui->clear();
        for (int answer : c.answers)
            e.ui->push(answer);
        auto again = e.run(c.choice);
        again->Export_Batch_File(e.dir.path(), 0, 3);
        EXPECT_EQ(e.asked(QStringLiteral("Replcae_Confirm_Box")), c.questions);
        EXPECT_EQ(e.names(again->written), c.written);
        EXPECT_EQ(e.asked(QStringLiteral("Open_Export_Files")), c.written.isEmpty() ? 0 : 1);
    }
}

// A full disk ends the run with the system's reason, not "Unknown error", and leaves no file
// (whole or torn) and no temporary behind.
TEST(CardExport, AFullDiskEndsTheRunWithTheSystemsReason)
{
    Export e;
    platform::setDiskRoomForTests(0);
    auto run = e.run(choice("F"));
    run->Export_Batch_File(e.dir.path(), 0, 3);
    platform::setDiskRoomForTests(std::nullopt);
    ASSERT_EQ(e.ui->messages().size(), 1);
    EXPECT_EQ(e.ui->messages().first().trimmed(),
              QStringLiteral("Card_1_Front.png could not be written: No space left on device"));
    EXPECT_EQ(run->written, QStringList());
    EXPECT_EQ(QDir(e.folder()).entryList(QDir::Files), QStringList());
}

// Files are written on several threads while the rows go on; a file that cannot be written
// (a folder stands where it should go) ends the run with its name in the message, and every
// file listed as written is on the disk, whole, in row order.
TEST(CardExport, AFileThatCannotBeWrittenEndsTheRunAndTheListHoldsOnlyWrittenFiles)
{
    Export e;
    ASSERT_TRUE(QDir().mkpath(QDir(e.folder()).filePath(QStringLiteral("Card_3_Front.png"))));
    e.ui->push(Replace_All);
    auto run = e.run(choice("F"));
    run->Export_Batch_File(e.dir.path(), 0, 6);
    ASSERT_EQ(e.ui->messages().size(), 1);
    EXPECT_TRUE(e.ui->messages().first().trimmed().startsWith(QStringLiteral("Card_3_Front.png could not be written")))
        << e.ui->messages().first().toStdString();
    const QStringList names = e.names(run->written);
    ASSERT_GE(names.size(), 2);
    EXPECT_EQ(names.mid(0, 2), (QStringList{"Card_1_Front.png", "Card_2_Front.png"}));
    EXPECT_FALSE(names.contains(QStringLiteral("Card_3_Front.png")));
    for (int i = 0; i < names.size(); ++i) {
        EXPECT_TRUE(i < 2 || names[i] > names[i - 1]) << "row order";
        EXPECT_FALSE(QImage(run->written[i]).isNull()) << names[i].toStdString();
    }
}

TEST(CardExport, EachFormatHoldsItsOwnBytesAtTheChosenResolution)
{
    REQUIRE_IMAGE_FORMAT("tiff");
    REQUIRE_TOOL(pdfinfo, "pdfinfo");
    const struct {
        const char *format;
        double dpi;
        QByteArray magic;
        QSize pixels;
    } cases[] = {
        {"png", 300, "\x89PNG", {1013, 642}}, {"jpg", 150, "\xFF\xD8\xFF", {507, 321}},
        {"bmp", 72, "BM", {243, 154}},        {"tiff", 600, "II*", {2025, 1284}},
        {"pdf", 72, "%PDF-", {}},             {"eps", 200, "%!PS-Adobe-3.0 EPSF-3.0", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.format);
        Export e;
        ExportChoice ch = choice("F", c.format);
        ch.dpi = c.dpi;
        auto run = e.run(ch);
        ASSERT_EQ(run->Export_Batch_File(e.dir.path(), 0, 1), 1);
        QFile file(run->written.first());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll().startsWith(c.magic));
        if (c.pixels.isValid()) {
            QImageReader reader(file.fileName());
            const QImage image = reader.read();
            EXPECT_EQ(image.size(), c.pixels);
            EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, c.dpi, 0.5);
        } else if (QByteArray(c.format) == "pdf") {
            const auto info = testsupport::runTool(pdfinfo, {file.fileName()});
            EXPECT_TRUE(info.out.contains("243 x 154 pts")) << info.out.toStdString();
        }
    }
}

TEST(CardExport, PagesAndImagesCarryBarcodesThatDecode)
{
    REQUIRE_TOOL(pdftoppm, "pdftoppm");
    REQUIRE_TOOL(gs, "gs");
    REQUIRE_TOOL(zxing, "ZXingReader");
    for (auto [format, mirror] : {std::pair("pdf", -1), std::pair("pdf", 0), std::pair("png", 1), std::pair("eps", -1)}) {
        SCOPED_TRACE(testing::Message() << format << " mirror " << mirror);
        const bool eps = QByteArray(format) == "eps";
        const int k = eps ? 2 : 1;  // ghostscript reads the EPS at 600 dpi, the rest are at 300
        Export e;
        ExportChoice ch = choice("BOTH", format, true);
        ch.sideBySide = true;
        ch.mirror = mirror;
        ch.dpi = 300;
        auto run = e.run(ch);
        ASSERT_EQ(run->Export_Batch_File(e.dir.path(), 1, 3), 2);
        for (int i = 0; i < 2; ++i) {
            const QString page = e.dir.filePath(QStringLiteral("page%1").arg(i));
            if (QByteArray(format) == "pdf") {
                const auto r = testsupport::runTool(pdftoppm, {"-r", "300", "-png", "-singlefile", run->written[i], page});
                ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
            } else if (eps) {
                QFile file(run->written[i]);
                const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
                EXPECT_FALSE(bytes.contains(" image") || bytes.contains("findfont")) << "bars, QR and text as paths";
                const auto r = testsupport::runTool(gs, {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-dEPSCrop", "-r600",
                                                         "-sDEVICE=png16m", "-sOutputFile=" + page + ".png", run->written[i]});
                ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
            } else {
                ASSERT_TRUE(QFile::copy(run->written[i], page + QStringLiteral(".png")));
            }
            QImage image = platform::flattenedOnto(QImage(page + QStringLiteral(".png")), Qt::white);
            EXPECT_EQ(image.size(), eps ? QSize(4050, 1283) : QSize(2025, 642));
            if (mirror >= 0)
                image = image.copy(0, 0, 1013, 642).mirrored(mirror == 0, mirror == 1);
            int ink = 0;  // the name stands where it was designed once the mirroring is undone
            for (int p = 0; p < 500 * 100; ++p)
                ink += qGray(image.pixel((42 + p % 500) * k, (42 + p / 500) * k)) < 100;
            EXPECT_GT(ink, 100);
            image.save(page + QStringLiteral(".png"));
            for (const char *symbology : {"QRCode", "Code128"}) {
                const auto read = testsupport::runTool(zxing, {"-noscale", "-format", symbology, "-bytes", page + ".png"});
                EXPECT_EQ(read.out, QStringLiteral("QR-%1").arg(i + 1).toUtf8()) << symbology;
            }
        }
    }
}

TEST(CardExport, TheCommandAsksForEveryFileOfASingleExportAndRunsABatchInTheBackground)
{
    Export e;
    QWidget window;
    ExportCommand command(&window);
    const QString chosen = e.dir.filePath(QStringLiteral("mine.png"));
    QFile(e.dir.filePath(QStringLiteral("mine_Back.png"))).open(QIODevice::WriteOnly);
    for (const platform::ScriptedUiServices::Answer &a : {platform::ScriptedUiServices::Answer(1), {chosen}, {false}, {chosen}, {true}})
        e.ui->push(a);
    command.Export_Button({e.design, true, true});  // visitor mode: the design's own values
    EXPECT_EQ(e.ui->messages(), QStringList({"mine_Back already exists. Do you want to replace it?",
                                             "mine_Back already exists. Do you want to replace it?"}));
    EXPECT_EQ(e.names(command.lastRun()->written), QStringList({"mine_Back.png", "mine_Front.png"}));
    EXPECT_EQ(command.export_card_counter, 3);
    for (const auto &r : e.ui->requests())  // the panel asks nothing of "mine.png", which is not written
        EXPECT_TRUE(r.kind != "saveFile" || !r.askToReplace);

    e.ui->clear();
    e.ui->push(1);
    e.ui->push(e.dir.path());
    e.ui->push(1);  // the finished box's OK opens the folder
    command.Export_Button({e.design, true, false});
    EXPECT_TRUE(command.running());
    command.waitForRun();
    EXPECT_EQ(command.lastRun()->written.size(), 12);
    EXPECT_FALSE(command.progress()->isVisible());
    EXPECT_EQ(e.asked(QStringLiteral("openExternally")), 1);
}

// With 6 cards, To typed 1 then 0 ends at 6 and the count "All" never reads is not shown; a run
// cut short by Keep and then Cancel says how many cards of how many it wrote.
TEST(CardExport, ToEndsAtTheCardCountAndACutRunSaysHowMany)
{
    Export e;
    QWidget window;
    ExportCommand command(&window);
    ASSERT_TRUE(QDir().mkpath(e.folder()));
    for (const char *name : {"Card_1_Back.png", "Card_2_Back.png"})
        QFile(QDir(e.folder()).filePath(QString::fromLatin1(name))).open(QIODevice::WriteOnly);
    ExportSheet *sheet = command.sheet();
    e.ui->onRequest = [sheet](const platform::ScriptedUiServices::Request &r) {
        if (r.kind != "ExportWindow")
            return;
        const testsupport::RunWindow runWindow(r.kind);
        EXPECT_EQ(testsupport::unreachable(sheet->Total_Text), "it is hidden");
        testsupport::press(sheet->Sel_print_rd);
        testsupport::typeInto(sheet->To_Text, QStringLiteral("10"), Qt::Key_unknown);
        EXPECT_EQ(sheet->To_Text->text(), "6");
        testsupport::press(sheet->findChild<QPushButton *>(QStringLiteral("exportOkay")));
    };
    for (const platform::ScriptedUiServices::Answer &a : {platform::ScriptedUiServices::Answer(1), {e.dir.path()}, {Keep_This}, {Cancel_This}})
        e.ui->push(a);
    command.Export_Button({e.design, true, false});
    command.waitForRun();
    EXPECT_EQ(e.names(command.lastRun()->written), QStringList({"Card_1_Back (1).png", "Card_1_Front.png"}));
    EXPECT_TRUE(e.ui->requests().back().text.startsWith("1 of 6 cards has been exported.\n")) << e.ui->requests().back().text.toStdString();
}

// Stop pressed (or Escape on the progress sheet) while card `inHand` is written, its question
// left open: that card is written whole and nothing after it; No goes on, Yes stops; the
// finished box comes after the answer, never over the question, and says how many cards were
// written.
TEST(CardExport, TheStopQuestionHoldsTheRunUntilAnswered)
{
    const struct {
        bool stop;
        int inHand, cards;
        const char *box;
        bool escape = false;
    } cases[] = {{false, 3, 6, "Card has been exported successfully."},
                 {true, 3, 3, "3 of 6 cards have been exported."},
                 {true, 6, 6, "Card has been exported successfully."},
                 {false, 2, 6, "Card has been exported successfully.", true},
                 {true, 4, 4, "4 of 6 cards have been exported.", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.stop) + " during card " + std::to_string(c.inHand) + (c.escape ? " (Escape)" : ""));
        Export e;
        QWidget window;
        window.show();
        ExportCommand command(&window);
        const auto files = [&] { return int(QDir(e.folder()).entryList(QDir::Files).size()); };
        std::promise<void> letGo;
        const std::shared_future<void> go = letGo.get_future().share();
        std::atomic<bool> reached{false};
        command.onRow = [&, go](int row) {
            if (row + 1 == c.inHand) {
                reached = true;
                go.wait_for(std::chrono::seconds(10));
            }
        };
        e.ui->push(1);
        e.ui->push(e.dir.path());
        command.Export_Button({e.design, true, false});
        ASSERT_TRUE(QTest::qWaitFor([&] { return reached.load(); }, 10000));
        std::optional<int> whileAsked;
        bool boxOverQuestion = false;
        e.ui->onRequest = [&](const platform::ScriptedUiServices::Request &q) {
            if (q.kind != "yesNo" || whileAsked)
                return;
            letGo.set_value();
            EXPECT_TRUE(QTest::qWaitFor([&] { return command.lastRun()->hold->held() || files() > 2 * c.inHand; }, 10000));
            whileAsked = files();
            for (const auto &earlier : e.ui->requests())
                boxOverQuestion |= earlier.kind == "Open_Export_Files";
        };
        e.ui->push(c.stop);
        e.ui->push(0);  // the finished box: Cancel
        if (c.escape)
            QTest::keyClick(command.progress(), Qt::Key_Escape);
        else
            ASSERT_TRUE(testsupport::press(command.progress()->_stop_btn));
        EXPECT_EQ(whileAsked, 2 * c.inHand) << "both sides of the card in hand, nothing after it";
        EXPECT_FALSE(boxOverQuestion);
        command.waitForRun();
        e.ui->onRequest = nullptr;
        EXPECT_EQ(files(), 2 * c.cards);
        EXPECT_EQ(command.lastRun()->written.size(), 2 * c.cards);
        EXPECT_TRUE(e.ui->requests().back().text.startsWith(QString::fromLatin1(c.box) + "\n"))
            << e.ui->requests().back().text.toStdString();
    }
}

// Without Qt's image plugins TIFF cannot be written: the export says so, single or batch, and
// leaves no file. Qt keeps the plugins it once loaded, so the case runs in a child run of this
// program that hides them before any picture is encoded.
TEST(CardExport, AFormatThePluginsCannotWriteIsRefusedWithItsReasonAndNoFile)
{
    if (!qEnvironmentVariableIsSet("BADGELOOM_TEST_HIDE_IMAGE_PLUGINS")) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("BADGELOOM_TEST_HIDE_IMAGE_PLUGINS"), QStringLiteral("1"));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=CardExport.AFormatThePluginsCannotWriteIsRefusedWithItsReasonAndNoFile")});
        ASSERT_TRUE(child.waitForFinished(120000));
        const QString out = QString::fromLocal8Bit(child.readAll());
        EXPECT_EQ(child.exitCode(), 0) << out.toStdString();
        EXPECT_TRUE(out.contains(QStringLiteral("[  PASSED  ] 1 test"))) << out.toStdString();
        return;
    }
    const QTemporaryDir noPlugins;
    QCoreApplication::setLibraryPaths({noPlugins.path()});
    ASSERT_FALSE(QImageWriter::supportedImageFormats().contains("tiff")) << "the TIFF plugin is still loaded";

    Export e;
    const QString single = e.dir.filePath(QStringLiteral("card.tiff"));
    auto run = e.run(choice("F", "tiff"));
    EXPECT_EQ(run->Export_Single_File(single, false), 0);
    ASSERT_EQ(e.ui->messages().size(), 1);
    EXPECT_TRUE(e.ui->messages().first().contains(QStringLiteral("cannot write TIFF pictures")))
        << e.ui->messages().first().toStdString();

    e.ui->clear();
    auto batch = e.run(choice("BOTH", "tiff"));
    EXPECT_EQ(batch->Export_Batch_File(e.dir.path(), 0, 6), 0);
    ASSERT_EQ(e.ui->messages().size(), 1);
    EXPECT_TRUE(e.ui->messages().first().trimmed().startsWith(QStringLiteral("Card_1_Back.tiff could not be written: This system "
                                                                   "cannot write TIFF pictures")))
        << e.ui->messages().first().toStdString();
    EXPECT_EQ(QDir(e.dir.path()).entryList(QDir::Files), QStringList());
    EXPECT_EQ(QDir(e.folder()).entryList(QDir::Files), QStringList());
    EXPECT_TRUE(batch->written.isEmpty());
}

// The format matrix beside the pop-up: a cell chooses the pop-up's item of its row and what the
// export writes; the pop-up's choice shows in the matrix; a new export starts on the first.
TEST(CardExport, TheFormatMatrixAndThePopupChooseTogether)
{
    Export e;
    ExportSheet sheet;
    sheet.Reset(true, false, e.design.source);
    sheet.show();
    const auto cell = [&](int row) {
        return sheet.matrix_file_type->findChild<QRadioButton *>(QStringLiteral("matrix_file_type_%1").arg(row));
    };
    ASSERT_NE(cell(5), nullptr);
    EXPECT_TRUE(cell(0)->isChecked());
    // Exported through the command with a name typed in the save panel: an extension that names
    // a type is taken for that type under the name as typed (any spelling or case), any other
    // name gets the chosen format's extension; the side's suffix goes before the extension.
    const struct {
        int row;
        const char *format;
        bool dpi;
        const char *typed, *written;  // the front file; the back's is the same with "_Back"
        QByteArray magic;
    } rows[] = {{2, "bmp", true, "karte", "karte_Front.bmp", "BM"},
                {4, "pdf", false, "karte.PDF", "karte_Front.PDF", "%PDF-"},
                {5, "eps", true, "karte.tif", "karte_Front.tif", "II*"},
                {1, "jpg", true, "karte.jpeg", "karte_Front.jpeg", "\xFF\xD8\xFF"},
                {1, "jpg", true, "karte.JPG", "karte_Front.JPG", "\xFF\xD8\xFF"},
                {0, "png", true, "karte.tiff", "karte_Front.tiff", "II*"},
                {0, "png", true, "k.2", "k.2_Front.png", "\x89PNG"}};
    for (const auto &r : rows) {
        SCOPED_TRACE(r.typed);
        testsupport::press(cell(r.row));
        EXPECT_EQ(sheet.fileFormatPopup->currentIndex(), r.row);
        EXPECT_EQ(sheet.choice().format, r.format);
        EXPECT_EQ(sheet.saveDPIText->isEnabled(), r.dpi) << r.format;

        if (r.magic == "II*" && !QImageWriter::supportedImageFormats().contains("tiff"))
            continue;
        QWidget window;
        ExportCommand command(&window);
        e.ui->clear();
        e.ui->onRequest = [&](const platform::ScriptedUiServices::Request &q) {
            if (q.kind != "ExportWindow")
                return;
            const testsupport::RunWindow runWindow(q.kind);
            testsupport::press(command.sheet()->matrix_file_type->findChild<QRadioButton *>(
                QStringLiteral("matrix_file_type_%1").arg(r.row)));
            testsupport::press(command.sheet()->findChild<QPushButton *>(QStringLiteral("exportOkay")));
        };
        for (const platform::ScriptedUiServices::Answer &a :
             {platform::ScriptedUiServices::Answer(1), {e.dir.filePath(QString::fromLatin1(r.typed))}, {0}})
            e.ui->push(a);
        command.Export_Button({e.design, true, true});
        e.ui->onRequest = nullptr;
        const QString front = QString::fromLatin1(r.written);
        ASSERT_EQ(e.names(command.lastRun()->written),
                  QStringList({QString(front).replace("_Front", "_Back"), front}));
        for (const QString &path : command.lastRun()->written) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_TRUE(file.readAll().startsWith(r.magic)) << path.toStdString();
        }
    }
    sheet.fileFormatPopup->setCurrentIndex(3);
    EXPECT_TRUE(cell(3)->isChecked() && !cell(1)->isChecked());
    sheet.Reset(true, false, e.design.source);
    EXPECT_TRUE(cell(0)->isChecked());
    EXPECT_EQ(sheet.choice().format, "png");
}

// Exporting both sides over two existing files names both in the one question, before either
// is written: No leaves both as they were, Yes replaces both.
TEST(CardExport, ReplacingBothSidesNamesEachFileFirst)
{
    for (const bool replace : {false, true}) {
        Export e;
        QWidget window;
        ExportCommand command(&window);
        const QString chosen = e.dir.filePath(QStringLiteral("nv.png"));
        for (const char *side : {"nv_Back.png", "nv_Front.png"}) {
            QFile old(e.dir.filePath(QString::fromLatin1(side)));
            ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        }
        for (const platform::ScriptedUiServices::Answer &a : {platform::ScriptedUiServices::Answer(1), {chosen}, {replace}})
            e.ui->push(a);
        command.Export_Button({e.design, true, true});
        EXPECT_EQ(e.ui->messages().value(0), "nv_Back and nv_Front already exist. Do you want to replace them?");
        EXPECT_EQ(e.asked(QStringLiteral("yesNo")), 1);
        for (const char *side : {"nv_Back.png", "nv_Front.png"}) {
            QFile now(e.dir.filePath(QString::fromLatin1(side)));
            ASSERT_TRUE(now.open(QIODevice::ReadOnly));
            EXPECT_EQ(now.readAll() == "old", !replace) << side;
        }
    }
    EXPECT_EQ(Replace_Question({"Card_1_Back"}), "Card_1_Back already exists. Do you want to replace it?");
}

// The finished box's "Open exported file." with no program for the files: each file written is
// named with its folder, instead of nothing happening.
TEST(CardExport, ExportedFilesNothingOpensAreNamedWithTheirFolder)
{
    Export e;
    testsupport::FakeDesktop desk(4);
    e.ui->handToDesktop = true;
    QWidget window;
    ExportCommand command(&window);
    for (const platform::ScriptedUiServices::Answer &a :
         {platform::ScriptedUiServices::Answer(1), {e.dir.filePath(QStringLiteral("mine.png"))}, {1}})
        e.ui->push(a);
    command.Export_Button({e.design, true, true});
    ASSERT_EQ(e.names(command.lastRun()->written), QStringList({"mine_Back.png", "mine_Front.png"}));
    EXPECT_EQ(desk.opened().size(), 2);
    const QString folder = QDir::toNativeSeparators(e.dir.path());
    QStringList shown = e.ui->messages();
    shown.removeAll(QString());
    ASSERT_EQ(shown.size(), 2) << shown.join('|').toStdString();
    for (const char *file : {"mine_Front.png", "mine_Back.png"})
        EXPECT_EQ(shown.filter(QStringLiteral("No program on this computer can open \"%1\".\n\nIt is in the folder %2;")
                                   .arg(QString::fromLatin1(file), folder))
                      .size(),
                  1)
            << shown.join('|').toStdString();
}

}  // namespace
