// Sheets of cards: the layout computed from the paper and the fields, and the pages as PDF
// readers see them (page counts, card corners in pixels, text of bound rows, turned backs).

#include "TestSupport.h"

#include "barcode/ControlBarcode.h"
#include "core/ControlArchive.h"
#include "core/SKTGraphic.h"
#include "data/batch/BatchEngine.h"
#include "output/print/PrintJob.h"
#include "output/print/Sample_Preview.h"
#include "platform/UiServices.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QRegularExpression>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

PaperInfo a4(double margin)
{
    return Paper_Info_From_Page_Layout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                                   QMarginsF(margin, margin, margin, margin), QPageLayout::Point));
}

TEST(PrintLayout, CellsRowsAndColumnsFollowThePaper)
{
    struct Case {
        const char *side, *algn;
        bool autoCentre;
        double margin;
        LayoutFields fields;
        int cols, rows;
        float width, height, horz;
    } cases[] = {
        // 85.6 mm = 242.65 pt: three do not fit across 595.28 pt, two do, centred at once.
        {"F", "UD", true, 0, {0, 0, 0, 85.6f, 54, 3, 2}, 2, 2, 242.65f, 153.07f, 36.66f},
        {"F", "UD", true, 0, {0, 0, 0, 85.6f, 54, 2, 2}, 2, 2, 242.65f, 153.07f, 36.66f},
        // Rows and columns of 0 or less become 1 rather than reach a division.
        {"F", "UD", false, 18, {0, 0, 0, 85.6f, 54, 0, -3}, 1, 1, 242.65f, 153.07f, 0},
        {"F", "UD", false, 18, {10, 5, 0, 85.6f, 54, 9, 9}, 2, 4, 242.65f, 153.07f, 28.35f},
        {"BOTH", "UD", false, 18, {0, 0, 5, 85.6f, 54, 1, 9}, 1, 2, 242.65f, 320.31f, 0},
        {"BOTH", "L", false, 18, {0, 0, 5, 85.6f, 54, 9, 1}, 1, 1, 499.47f, 153.07f, 0},
        {"BOTH", "DD", false, 18, {0, 0, 5, 85.6f, 54, 1, 1}, 1, 1, 242.65f, 153.07f, 0},
    };
    for (const Case &c : cases) {
        PrintLayout layout;
        layout.Print_Card_Side = QString::fromLatin1(c.side), layout.Print_Card_Algn = QString::fromLatin1(c.algn);
        layout.auto_center_flag = c.autoCentre;
        const PaperInfo paper = a4(c.margin);
        Set_values_From_Printer(layout, paper);
        EXPECT_FLOAT_EQ(layout.Top_Mar, float(c.margin));
        LayoutFields fields = c.fields;
        ASSERT_TRUE(Check_Max_Cell_Value(layout, paper, fields));
        EXPECT_EQ(std::make_pair(layout.Print_Col, layout.Print_Row), std::make_pair(c.cols, c.rows)) << c.algn << c.cols;
        EXPECT_EQ(std::make_pair(fields.cols, fields.rows), std::make_pair(c.cols, c.rows));
        EXPECT_NEAR(layout.label_width, c.width, 0.01);
        EXPECT_NEAR(layout.label_hight, c.height, 0.01);
        EXPECT_NEAR(layout.horz_mar, c.horz, 0.01);
    }
    EXPECT_EQ(Find_Papaer_Name_From_Size(QStringLiteral("297.00"), QStringLiteral("210.00")), QStringLiteral("A4"));
    EXPECT_EQ(Find_Papaer_Name_From_Size(QStringLiteral("215.90"), QStringLiteral("279.40")), QStringLiteral("Letter"));
    const PrintRun range = Print_Run_For_Range(false, 40, 5, 12, true);
    EXPECT_EQ(std::make_pair(range.Print_Start, range.Total_Label), std::make_pair(4, 16));
    EXPECT_EQ(Print_Run_For_Range(false, 40, 12, 5, false).Total_Label, 0);
}

// Auto-centre that has to drop a column centres the columns that stay at once: the layout the
// preview is drawn from is the one a print computes again, and its gaps are equal all round.
TEST(PrintLayout, AutoCentreReductionIsCentredAtOnce)
{
    for (const double margin : {0.0, 18.0}) {
        SCOPED_TRACE(margin);
        PrintLayout layout;
        layout.Print_Card_Side = QStringLiteral("F");
        layout.auto_center_flag = true;
        const PaperInfo paper = a4(margin);
        Set_values_From_Printer(layout, paper);
        LayoutFields fields{0, 0, 0, 85.6f, 54, 3, 9};
        ASSERT_TRUE(Check_Max_Cell_Value(layout, paper, fields));
        const std::vector<SheetCell> previewed = Sheet_Cells(layout, paper);
        ASSERT_TRUE(Check_Max_Cell_Value(layout, paper, fields));  // what Print does first
        const std::vector<SheetCell> printed = Sheet_Cells(layout, paper);
        ASSERT_EQ(previewed.size(), printed.size());
        for (size_t i = 0; i < printed.size(); ++i)
            EXPECT_EQ(previewed[i].cell, printed[i].cell) << i;
        // Two columns: left gap, middle gap and right gap alike; the rows likewise.
        ASSERT_EQ(std::make_pair(layout.Print_Col, layout.Print_Row), std::make_pair(2, 5));
        const QRectF first = printed.front().cell, second = printed[1].cell;
        const double W = paper.paperSize.width();
        EXPECT_NEAR(first.left() - margin, second.left() - first.right(), 0.01);
        EXPECT_NEAR(W - margin - second.right(), second.left() - first.right(), 0.01);
        const QRectF bottomRow = printed.back().cell;
        EXPECT_NEAR(bottomRow.top() - margin, paper.paperSize.height() - margin - first.bottom(), 0.01);
    }
}

// A card of 85.6 x 54 mm: the front blue, the back red with a black square in its top-left corner,
// and a text bound to the first spreadsheet column.
struct Cards {
    Card_Property frontCard, backCard;
    std::vector<std::unique_ptr<SKTGraphic>> front, back;

    Cards()
    {
        for (auto [card, color] : {std::pair{&frontCard, QColor(Qt::blue)}, std::pair{&backCard, QColor(Qt::red)}}) {
            card->setCard_Size(QSizeF(MM_to_Points(85.6), MM_to_Points(54)));
            card->setCard_fill_chk(true);
            card->setCard_fill_clr(color);
        }
        front.push_back(Make_Graphic_Of_Class(QStringLiteral("SKTText")));
        front.back()->setBounds(QRectF(20, 20, 150, 30));
        Bind_Control_Data_Source(*front.back(), 2, {}, 1, QStringLiteral("designed"));
        back.push_back(Make_Graphic_Of_Class(QStringLiteral("Shape_Control")));
        back.back()->setBounds(QRectF(0, 0, 40, 40));
        back.back()->_fillColor = Qt::black;
    }
    static double MM_to_Points(double mm) { return mm * 72 / 25.4; }
    PrintContent content(int rows = 0) const
    {
        PrintContent c{CardSide::copyOf(frontCard, front), CardSide::copyOf(backCard, back), true, 0, {}};
        if (rows > 0) {
            QList<QStringList> sheet;
            for (int r = 0; r < rows; ++r)
                sheet << QStringList{QString::number(r + 1), QStringLiteral("Row %1").arg(r)};
            auto batch = std::make_shared<BatchDesign>();
            batch->front = c.front, batch->back = c.back;
            batch->source = Check_Series_Or_Excel_Use_or_not(batch->front.list(), {}, false, sheet);
            c.batch = batch;
        }
        return c;
    }
};

struct Sheet {
    PrintLayout layout;
    PaperInfo paper = a4(18);
    Sheet(const char *side, const char *algn, int rows, int cols, int align = 1)
    {
        layout.Print_Card_Side = QString::fromLatin1(side), layout.Print_Card_Algn = QString::fromLatin1(algn);
        layout.Duplex_Printing = layout.Print_Card_Algn.startsWith(u'D');
        layout.label_align_val = align;
        Set_values_From_Printer(layout, paper);
        LayoutFields fields{10, 5, 0, 85.6f, 54, cols, rows};
        Check_Max_Cell_Value(layout, paper, fields);
    }
    Printing_View view(const Cards &cards, PrintRun run, int rows = 0, bool print = true) const
    {
        return Printing_View(QRectF(QPointF(), paper.paperSize), layout, paper, run, cards.content(rows), print);
    }
};

struct Pdf {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("out.pdf"));
    QString tool(const char *name, QStringList args, const QString &after = {}) const
    {
        args << path;
        if (!after.isEmpty())
            args << after;
        return QString::fromUtf8(testsupport::runTool(testsupport::findTool(QString::fromLatin1(name)), args).out);
    }
    int pages() const { return tool("pdfinfo", {}).section(QStringLiteral("Pages:"), 1).section(u'\n', 0, 0).toInt(); }
    QImage page(int n, int dpi) const
    {
        const QString out = dir.filePath(QStringLiteral("p%1").arg(n));
        testsupport::runTool(testsupport::findTool(QStringLiteral("pdftoppm")),
                             {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                              QStringLiteral("-f"), QString::number(n), QStringLiteral("-l"), QString::number(n), path, out});
        return QImage(out + QStringLiteral(".png"));
    }
};

// The bounding box of the pixels more than half covered by `color` within `window`.
QRect inkBox(const QImage &image, const QRect &window, QRgb color)
{
    QRect box;
    for (int y = std::max(0, window.top()); y <= std::min(image.height() - 1, window.bottom()); ++y)
        for (int x = std::max(0, window.left()); x <= std::min(image.width() - 1, window.right()); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p) - qRed(color)) + std::abs(qGreen(p) - qGreen(color)) + std::abs(qBlue(p) - qBlue(color)) < 192)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

TEST(PrintPages, CardsLandWhereTheLayoutPutsThem)
{
    REQUIRE_TOOL(pdfinfo, "pdfinfo");
    REQUIRE_TOOL(pdftoppm, "pdftoppm");
    const Cards cards;
    const Sheet sheet("F", "UD", 2, 2);
    Pdf pdf;
    ASSERT_TRUE(Print_To_Pdf_File(pdf.path, sheet.view(cards, Print_Run_For_Range(true, 7, 0, 0, false))).ok);
    EXPECT_EQ(pdf.pages(), 2);
    EXPECT_TRUE(pdf.tool("pdfinfo", {}).contains(QStringLiteral("595 x 842 pts (A4)")));
    EXPECT_EQ(pdf.tool("pdfimages", {QStringLiteral("-list")}).trimmed().count(u'\n'), 1) << "vector, no pictures";
    const QImage page = pdf.page(2, 300);
    const double px = 300 / 72.0, tolerance = 0.1 / 25.4 * 300;
    const double w = Cards::MM_to_Points(85.6), h = Cards::MM_to_Points(54), gx = Cards::MM_to_Points(10), gy = Cards::MM_to_Points(5);
    for (int cell = 0; cell < 4; ++cell) {
        const QRectF expected(18 + (cell % 2) * (w + gx), 18 + (cell / 2) * (h + gy), w, h);
        const QRectF pixels(expected.topLeft() * px, expected.size() * px);
        const QRect box = inkBox(page, pixels.toRect().adjusted(-20, -20, 20, 20), qRgb(0, 0, 255));
        if (cell == 3) {
            EXPECT_TRUE(box.isEmpty()) << "the eighth cell of a run of 7 stays blank";
            continue;
        }
        EXPECT_NEAR(box.left(), pixels.left(), tolerance) << cell;
        EXPECT_NEAR(box.top(), pixels.top(), tolerance) << cell;
        EXPECT_NEAR(box.right() + 1, pixels.right(), tolerance) << cell;
        EXPECT_NEAR(box.bottom() + 1, pixels.bottom(), tolerance) << cell;
    }
    // On a paper of no width no page is put out, and the run says why.
    Sheet flat("F", "UD", 2, 2);
    flat.paper.paperSize.setWidth(0);
    Pdf none;
    const PrintOutcome refused = Print_To_Pdf_File(none.path, flat.view(cards, Print_Run_For_Range(true, 7, 0, 0, false)));
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.error, QStringLiteral("The paper has no width or height: set its size in Page Setup."));
    EXPECT_FALSE(QFile::exists(none.path));
}

TEST(PrintPages, DuplexBacksCopiesAndThePreviewLimit)
{
    REQUIRE_TOOL(pdfinfo, "pdfinfo");
    const Cards cards;
    struct Case {
        const char *algn;
        int cards, copies;
        bool print;
        int pages;
        bool limitBox;
    } cases[] = {{"DD", 4, 1, true, 8, false}, {"UD", 3, 2, true, 6, false},
                 {"UD", 60, 1, false, 50, true}, {"UD", 60, 1, true, 60, false}};
    for (const Case &c : cases) {
        platform::ScopedScriptedUi ui;
        const Sheet sheet("BOTH", c.algn, 1, 1);
        Pdf pdf;
        PrintRun run = Print_Run_For_Range(true, c.cards, 0, 0, sheet.layout.Duplex_Printing, c.copies);
        ASSERT_TRUE(Print_To_Pdf_File(pdf.path, sheet.view(cards, run, 0, c.print)).ok);
        EXPECT_EQ(pdf.pages(), c.pages) << c.algn << c.cards;
        EXPECT_EQ(ui->messages().size(), c.limitBox ? 1 : 0);
        if (QLatin1String(c.algn) != QLatin1String("DD"))
            continue;
        // Page 2 is the first card's back, turned: its black square sits in the card's bottom-right corner.
        const QImage odd = pdf.page(3, 72), even = pdf.page(2, 72);
        EXPECT_EQ(odd.pixel(30, 30), qRgb(0, 0, 255));
        const QRect mark = inkBox(even, even.rect(), qRgb(0, 0, 0));
        EXPECT_NEAR(mark.right() + 1, 18 + Cards::MM_to_Points(85.6), 1.5);
        EXPECT_NEAR(mark.bottom() + 1, 18 + Cards::MM_to_Points(54), 1.5);
    }
}

TEST(PrintPages, BatchCellsTakeTheirRowFromPageAndCell)
{
    REQUIRE_TOOL(pdftotext, "pdftotext");
    Cards cards;
    struct Case {
        int start, count, from, to, pages;
        const char *shown, *absent;
    } cases[] = {{0, 10, 2, 2, 1, "Row 4|Row 5|Row 6|Row 7", "Row 3|Row 8"},
                 {8, 4, 0, 0, 1, "Row 8|Row 9", "Row 10|designed"}};
    for (const Case &c : cases) {
        const Sheet sheet("F", "UD", 2, 2);
        Pdf pdf;
        const Printing_View view = sheet.view(cards, Print_Run_For_Range(false, 0, c.start + 1, c.start + c.count, false), 10);
        PrintJob job;  // off the GUI thread, as the print window runs it
        QSignalSpy done(&job, &PrintJob::finished);
        job.start([&](const std::atomic<bool> &stop) { return Print_To_Pdf_File(pdf.path, view, c.from, c.to, &stop, 4); });
        ASSERT_TRUE(done.wait(20000));
        EXPECT_TRUE(job.outcome().ok) << job.outcome().error.toStdString();
        EXPECT_EQ(job.outcome().pages, c.pages);
        const QString text = pdf.tool("pdftotext", {}, QStringLiteral("-")).simplified();
        for (const QString &row : QString::fromLatin1(c.shown).split(u'|'))
            EXPECT_TRUE(text.contains(row)) << text.toStdString();
        for (const QString &row : QString::fromLatin1(c.absent).split(u'|'))
            EXPECT_FALSE(text.contains(row)) << row.toStdString();
    }
    EXPECT_EQ(cards.front.front()->Text_Value, QStringLiteral("designed")) << "the open design is never written";
}

// Every card of a batch run drawn on several threads reaches its page, the pages in order: the
// QR code of each row decodes on its page and each name is there as text, on one thread and on
// four (stretches of pages drawn on their own and joined).
TEST(PrintPages, EveryRowsCodeAndNameReachItsPage)
{
    REQUIRE_TOOL(pdftotext, "pdftotext");
    REQUIRE_TOOL(pdftoppm, "pdftoppm");
    REQUIRE_TOOL(zxing, "ZXingReader");
    barcode::Install_Control_Barcode_Provider();
    Cards cards;
    cards.front.push_back(Make_Graphic_Of_Class(QStringLiteral("SKTBarcode")));
    SKTGraphic &qr = *cards.front.back();
    qr.linear_or_2d = 1;
    qr.show_hide_hdr = qr.show_hide_ftr = 1;
    qr.setBounds(QRectF(160, 60, 70, 70));
    qr.Set_Barcode_image_control_bounds(qr.bounds());
    Bind_Control_Data_Source(qr, 2, {}, 2, QStringLiteral("designed"));
    constexpr int kRows = 24;
    Printing_View view = [&] {
        PrintContent content = cards.content(kRows);
        QList<QStringList> sheet;
        for (int r = 0; r < kRows; ++r)
            sheet << QStringList{QString::number(r + 1), QStringLiteral("Name %1").arg(r), QStringLiteral("https://example.org/p/%1").arg(r)};
        auto batch = std::make_shared<BatchDesign>();
        batch->front = CardSide::copyOf(cards.frontCard, cards.front);
        batch->source = Check_Series_Or_Excel_Use_or_not(batch->front.list(), {}, false, sheet);
        content.front = batch->front;
        content.twoSided = false;
        content.batch = batch;
        const Sheet layout("F", "UD", 2, 2);
        return Printing_View(QRectF(QPointF(), layout.paper.paperSize), layout.layout, layout.paper,
                             Print_Run_For_Range(true, kRows, 0, 0, false), std::move(content), true);
    }();
    for (const int threads : {1, 4}) {
        SCOPED_TRACE(threads);
        Pdf pdf;
        const PrintOutcome outcome = Print_To_Pdf_File(pdf.path, view, 0, 0, nullptr, threads);
        ASSERT_TRUE(outcome.ok) << outcome.error.toStdString();
        EXPECT_EQ(outcome.pages, 6);
        ASSERT_EQ(pdf.pages(), 6);
        for (int page = 1; page <= 6; ++page) {
            SCOPED_TRACE(page);
            const QString png = pdf.dir.filePath(QStringLiteral("page%1.png").arg(page));
            ASSERT_TRUE(pdf.page(page, 150).save(png));
            const QString decoded = QString::fromUtf8(testsupport::runTool(zxing, {png}).out);
            const QString text = pdf.tool("pdftotext", {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                                        QString::number(page)}, QStringLiteral("-")).simplified();
            for (int row = (page - 1) * 4; row < page * 4; ++row) {
                EXPECT_TRUE(decoded.contains(QStringLiteral("\"https://example.org/p/%1\"").arg(row))) << row;
                EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\bName %1\\b").arg(row)))) << row;
            }
        }
    }
}

TEST(SamplePreview, OutlinesSitWhereThePagesPutTheCards)
{
    const Sheet sheet("F", "UD", 3, 2, 5);
    for (int shape : {0, 2}) {
        PrintLayout layout = sheet.layout;
        layout.Enable_Crop_Marks = shape == 0;
        const QImage image = Sample_Preview(layout, sheet.paper, shape, true).imageRepresentation(72);
        for (const SheetCell &cell : Sheet_Cells(layout, sheet.paper)) {
            const QRectF r = Paper_To_Painter(cell.first, sheet.paper);
            const auto inked = [&](QPointF at) {
                int darkest = 255;
                for (int i = 0; i < 9; ++i)
                    darkest = std::min(darkest, qGray(image.pixel(at.toPoint() + QPoint(i % 3 - 1, i / 3 - 1))));
                return darkest < 235;
            };
            EXPECT_TRUE(inked(QPointF(r.left(), r.center().y()))) << shape;
            EXPECT_EQ(inked(r.topLeft()), shape == 0) << shape;
            EXPECT_EQ(inked(r.topLeft() - QPointF(10, 0)), shape == 0) << "crop mark";
        }
    }
}

}  // namespace

// A full disk, whether it refuses the first bytes or cuts a write short near the end, keeps the
// PDF that was there and says why, on both roads (one thread, and stretches joined from every
// core).
TEST(PrintPages, AFullDiskKeepsTheOldPdfAndSaysWhy)
{
    const Cards cards;
    const Sheet sheet("F", "UD", 2, 2);
    const Printing_View view = sheet.view(cards, Print_Run_For_Range(false, 0, 1, 40, false), 40);
    const QByteArray old("%PDF-1.4 the old file\n");
    for (const int threads : {1, 4}) {
        // The whole file's size on this road: the last case is cut short by one byte at its end.
        qint64 size = 0;
        {
            Pdf whole;
            ASSERT_TRUE(Print_To_Pdf_File(whole.path, view, 0, 0, nullptr, threads).ok);
            size = QFileInfo(whole.path).size();
            ASSERT_GT(size, 3000);
        }
        for (const qint64 room : {qint64(0), qint64(3000), size - 1}) {
            SCOPED_TRACE(testing::Message() << threads << " threads, room for " << room << " bytes");
            Pdf pdf;
            {
                QFile f(pdf.path);
                ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                f.write(old);
            }
            platform::setDiskRoomForTests(room);
            const PrintOutcome outcome = Print_To_Pdf_File(pdf.path, view, 0, 0, nullptr, threads);
            platform::setDiskRoomForTests(std::nullopt);
            EXPECT_FALSE(outcome.ok);
            EXPECT_TRUE(outcome.error.contains(QStringLiteral("No space left on device"))) << outcome.error.toStdString();
            EXPECT_EQ(testsupport::fileBytes(pdf.path), old);
            EXPECT_EQ(QDir(pdf.dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("out.pdf")});
        }
    }
    // With room enough the same run writes the whole file.
    Pdf pdf;
    platform::setDiskRoomForTests(100'000'000);
    const PrintOutcome outcome = Print_To_Pdf_File(pdf.path, view, 0, 0, nullptr, 4);
    platform::setDiskRoomForTests(std::nullopt);
    EXPECT_TRUE(outcome.ok) << outcome.error.toStdString();
    EXPECT_TRUE(testsupport::fileBytes(pdf.path).startsWith("%PDF"));
}
