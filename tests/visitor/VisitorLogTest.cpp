// The visitor log, the details of a visit and the visitor pass, on a database filled by sqlite3.

#include "Press.h"
#include "TestSupport.h"

#include "core/Globals.h"
#include "core/Utilities.h"
#include "imageops/PhotoSettings.h"
#include "data/export/ExportDialogs.h"
#include "output/print/PrintInfo.h"
#include "platform/UiServices.h"
#include "visitor/Visitor_Log_Records.h"

#include <QComboBox>
#include <QPageLayout>
#include <QApplication>
#include <QAction>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QSpinBox>
#include <QDoubleSpinBox>
#include <QDialogButtonBox>
#include <QDateEdit>
#include <QFontInfo>
#include <QDir>
#include <QLineEdit>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

using testsupport::runTool;

class VisitorLog : public ::testing::Test {
protected:
    void SetUp() override
    {
        Check_Path_And_Create_VISITOR_Files();
        photo = data.root() + QStringLiteral("/face.png");
        QImage(40, 60, QImage::Format_RGB32).save(photo);
        sqlite = testsupport::findTool(QStringLiteral("sqlite3"));
        if (sqlite.isEmpty())
            return;
        sql(QStringLiteral(
                "INSERT INTO Visitor_Records(VName,VName_lb,VName_B,VName_lb_B,Slogan,Date_Time_Stamp,Photo,Other)"
                " VALUES('Ann','Name','Anna','Name','Delivery','2026-03-29 23:30:00','%1<IMG_FILTER>1_0_0_0_90_','A : 1');"
                "INSERT INTO Visitor_Records(VName,Date_Time_Stamp) VALUES('O''Neil','2026-03-29 08:00:00'),"
                "('ONeil','2026-03-29 09:00:00');"
                "INSERT INTO Visitor_Records(Slogan,Date_Time_Stamp) VALUES('50% talk','2026-03-28 10:00:00'),"
                "('500 units','2026-03-24 00:00:00');"
                "WITH RECURSIVE n(i) AS (SELECT 6 UNION ALL SELECT i+1 FROM n WHERE i<12)"
                " INSERT INTO Visitor_Records(VName,Date_Time_Stamp) SELECT 'V'||i,'2026-03-20 12:00:00' FROM n;")
                .arg(photo));
    }
    QString sql(const QString &statements)
    {
        const auto r = runTool(sqlite, {Database_Path, statements});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QString::fromUtf8(r.out);
    }
    // The photo in one colour no text or line of the pass has: found on a page by its hue alone.
    void bluePhoto()
    {
        QImage face(40, 60, QImage::Format_RGB32);
        face.fill(QColor(0, 90, 255));
        ASSERT_TRUE(face.save(photo));
    }
    // The box around an image's pixels that are the photo's blue (or, `white`, a paper's white).
    static QRect boxOf(const QImage &page, bool white = false)
    {
        QRect box;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (const QRgb c = page.pixel(x, y); white ? std::min({qRed(c), qGreen(c), qBlue(c)}) > 245
                                                           : qBlue(c) - std::max(qRed(c), qGreen(c)) > 80)
                    box |= QRect(x, y, 1, 1);
        return box;
    }
    // The log shown, its latest visit (listed first) opened by a double click.
    static void openLatestVisit(Visitor_Log_Records &w)
    {
        w.Open_Log_Wnd();
        w.show();
        auto *list = w.findChild<QTableWidget *>(QStringLiteral("ColList"));
        const QPoint visit = list->visualRect(list->model()->index(0, 1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, visit);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, visit);
    }
    static QStringList ids(const std::vector<VisitRow> &rows)
    {
        QStringList out;
        for (const VisitRow &r : rows)
            out << r.DB_ID;
        return out;
    }
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    QString sqlite, photo;
};

TEST_F(VisitorLog, ListsAndSearches)
{
    REQUIRE_TOOL(tool, "sqlite3");
    const VisitListing latest = Run_Visit_Query(Database_Path, Latest_Visits_Query());
    EXPECT_EQ(ids(latest.rows).join(u'\n') + u'\n', sql(QStringLiteral("SELECT ID FROM Visitor_Records ORDER BY ID DESC LIMIT 10")));
    const QDate today(2026, 3, 30);  // the day after clocks went forward in much of Europe
    sql(QStringLiteral("INSERT INTO Visitor_Records(CompanyName,Other,Date_Time_Stamp) VALUES"
                       "('Øresund Logistik','ÉCOLE Ça','2026-03-10 12:00:00');"));
    const struct {
        VisitorSearch s;
        int range;  // date-range choice, or -1 for the whole month
        QStringList expected;
    } cases[] = {
        {{.Name = "O'Neil"}, -1, {"2"}},
        // "%" and "_" are LIKE's wildcards: "50%" also finds "500 units", "_" any name at all.
        {{.Purpose = "50%"}, -1, {"4", "5"}},
        {{.Name = "_"}, -1, {"1", "2", "3", "6", "7", "8", "9", "10", "11", "12"}},
        {{.Purpose = "5_0"}, -1, {"5"}},
        {{.Purpose = "50_ u"}, -1, {"5"}},
        {{.Name = "anna"}, -1, {"1"}},
        // Letters match whatever their case in every script; "_" is one character of any.
        {{.Comp_Name = "øresund"}, -1, {"13"}},
        {{.Comp_Name = "_resund"}, -1, {"13"}},
        {{.Other = "école ça"}, -1, {"13"}},
        {{.Name = "n", .Purpose = "deliv"}, -1, {"1"}},
        {{}, 1, {"1", "2", "3"}},
        {{}, 2, {"1", "2", "3", "4", "5"}},
        {{}, 0, {}},
    };
    for (const auto &c : cases) {
        VisitorSearch s = c.s;
        const auto range = Date_Range_For_Index(c.range, today);
        std::tie(s.from, s.to) = range ? *range : std::pair{QDate(2026, 3, 1), QDate(2026, 3, 31)};
        const VisitListing got = Run_Visit_Query(Database_Path, Search_Visits_Query(s));
        EXPECT_EQ(got.status, VisitDbStatus::Ok);
        EXPECT_EQ(ids(got.rows), c.expected) << c.s.Name.toStdString() << " " << c.range;
    }
    EXPECT_EQ(Run_Visit_Query(Database_Path, {"SELECT * FROM No_Table", {}}).status, VisitDbStatus::PrepareFailed);
    EXPECT_EQ(Run_Visit_Query(data.root() + "/none.db", Latest_Visits_Query()).status, VisitDbStatus::OpenFailed);
}

// A full search box of two-byte letters runs as any search; a longer text than a search may
// have is refused in a line that names the field.
TEST_F(VisitorLog, LongSearchTextsRunOrAreRefusedByName)
{
    REQUIRE_TOOL(tool, "sqlite3");
    Visitor_Log_Records w;
    w.show();
    auto *company = w.findChild<QLineEdit *>(QStringLiteral("Comp_Name"));
    company->setText(QString(company->maxLength(), QChar(u'\u00f8')));
    testsupport::press(w.findChild<QPushButton *>(QStringLiteral("Search_Records")));
    EXPECT_EQ(ui->messages(), QStringList{"No records found."});
    EXPECT_EQ(Visitor_Search_Refusal({.Other = QString(kVisitorSearchMost + 1, QLatin1Char('x'))}),
              "The search text of \"Other\" is too long: a search text may have at most 50,000 characters.");
}

TEST_F(VisitorLog, WindowExportsAndShowsAPass)
{
    REQUIRE_TOOL(tool, "sqlite3");
    REQUIRE_PYTHON(python);
    REQUIRE_TOOL(pdfinfo, "pdfinfo");
    // The date fields take the short date of the locale in force when they are made. The typed
    // range below has a row of a two-digit year: a locale whose short date has one, the system's
    // where it does (de_DE's "dd.MM.yy"), else en_US's (the C locale's is "d MMM yyyy").
    const struct Restore {
        QLocale locale;
        ~Restore() { QLocale::setDefault(locale); }
    } restore{QLocale()};
    if (QLocale().dateFormat(QLocale::ShortFormat).count(u'y') != 2)
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    Visitor_Log_Records w;
    w.Open_Log_Wnd();
    w.show();
    auto *list = w.findChild<QTableWidget *>(QStringLiteral("ColList"));
    ASSERT_EQ(list->rowCount(), 10);
    EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(w.findChild<QPushButton *>(QStringLiteral("Mail"))->isEnabled());

    const QString dir = data.root();
    QFile old(dir + "/old.xlsx");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("mine") == 4);
    old.close();
    const struct {
        QString chosen, written, message;
    } exports[] = {
        {dir + "/old.csv", {}, {}},  // made old.xlsx, answered No: the file already there stays
        // The writer's reason goes with the message, in one pair of brackets.
        {dir + "/none/list.xlsx", {}, "Error in file accessing. could not create " + dir + "/none/list.xlsx (No such file or directory)"},
        {dir + "/list.xlsx", dir + "/list.xlsx", "Record has been exported successfully."},
        {dir + "/list.txt", dir + "/list.txt", "Record has been exported successfully."},
    };
    // Every box's text, the export-finished box's included.
    const auto said = [this] {
        QStringList texts;
        for (const auto &r : ui->requests())
            texts << r.text;
        return texts;
    };
    for (const auto &e : exports) {
        ui->clear();
        ui->push(e.chosen);
        ui->push(0);  // the export-finished box: Cancel
        testsupport::press(w.findChild<QPushButton *>(QStringLiteral("Export_Records")));
        // The finished box names where the file went.
        EXPECT_EQ(said().filter("exported").join("") + said().filter("Error").join(""),
                  e.written.isEmpty() ? e.message : e.message + "\n" + QDir::toNativeSeparators(e.written));
        if (!e.written.isEmpty()) {
            EXPECT_EQ(ui->requests().back().kind, "Open_Export_Files");
        }
    }
    EXPECT_EQ(QFileInfo(dir + "/old.xlsx").size(), 4);
    const auto sheet = runTool(python, {"-c", "import openpyxl,sys; ws=openpyxl.load_workbook(sys.argv[1]).active;"
                                              "print(ws.max_row, ws['A1'].value, ws['C1'].value, ws['C11'].value, ws['D2'].value)",
                                        dir + "/list.xlsx"});
    EXPECT_EQ(QString::fromUtf8(sheet.out), "11 S.No. Photo Path  V12\n") << sheet.err.toStdString();
    // The text file: the same rows, a line each, cells apart by tabs.
    const QStringList lines = QString::fromUtf8(testsupport::fileBytes(dir + "/list.txt")).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[0].split('\t').mid(0, 4), QStringList({"S.No.", "Date and Time", "Photo Path", "Name"}));
    EXPECT_EQ(lines[1].split('\t').value(3), "V12");

    // Two rows double-clicked, or no database: a message, and the list stays as it was.
    list->selectRow(0);
    list->selectionModel()->select(list->model()->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ui->clear();
    w.doubleClickInTable();
    const QString db = std::exchange(Database_Path, dir + "/gone/Visitor.db");
    testsupport::press(w.findChild<QPushButton *>(QStringLiteral("Search_Records")));
    Database_Path = db;
    EXPECT_EQ(ui->messages(), QStringList({"Please select only one record to update.", "Error in database access"}));
    EXPECT_EQ(list->rowCount(), 10);

    // A range typed key by key in the fields' own format is the range searched: over the whole
    // text; from Home a section at a time, with or without the separators (the arrow then steps
    // the section typed); into the last section clicked; a two-digit year in the century shown;
    // a text that is no date keeps the date in force; digits alone over the whole text; over the
    // whole text, left by a click into another field.
    EXPECT_TRUE(testsupport::choose(w.findChild<QComboBox *>(QStringLiteral("date_range")), QStringLiteral("Custom Range")));
    auto *from = w.findChild<QDateEdit *>(QStringLiteral("Date_From_Ctrl"));
    auto *to = w.findChild<QDateEdit *>(QStringLiteral("Date_To_Ctrl"));
    const auto inFormat = [](QDateEdit *field, QDate date) { return field->locale().toString(date, field->displayFormat()); };
    const QRegularExpression separator(QStringLiteral("[^\\p{L}\\p{N}]+"));
    const QStringList sections = inFormat(from, {2026, 3, 24}).split(separator);
    const bool dayFirst = from->displayFormat().startsWith(u'd');
    EXPECT_EQ(from->displayFormat().count(u'y'), 2) << "no two-digit year to type in " << from->displayFormat().toStdString();
    enum Road { Whole, Home, LastClicked, Over, ClickedAway };
    const struct {
        QDate inForce;
        Road road;
        Qt::Key end;
        QString typed;  // empty: the shown text of `date`
        QDate date, expected;
    } ranges[] = {
        {{2026, 12, 8}, Whole, Qt::Key_Tab, {}, {2026, 3, 24}, {2026, 3, 24}},
        {{2026, 12, 8}, Home, Qt::Key_Tab, {}, {2026, 3, 28}, {2026, 3, 28}},
        {{2026, 12, 8}, Home, Qt::Key_Tab, sections[0] + sections[1], {}, {2026, 3, 24}},
        {{2026, 3, 20}, Home, Qt::Key_Up, "2", {}, dayFirst ? QDate(2026, 3, 3) : QDate(2026, 3, 20)},
        {{2025, 3, 24}, LastClicked, Qt::Key_Tab, sections.last(), {}, {2026, 3, 24}},
        {{2026, 3, 20}, Whole, Qt::Key_Tab, {}, {2099, 1, 1}, {2099, 1, 1}},
        {{2026, 3, 20}, Whole, Qt::Key_Tab, inFormat(from, {2026, 2, 28}).replace("28", "31"), {}, {2026, 3, 20}},
        {{2026, 12, 8}, Over, Qt::Key_Tab, sections.join(""), {}, {2026, 3, 24}},
        {{2026, 12, 8}, ClickedAway, Qt::Key_unknown, {}, {2026, 3, 24}, {2026, 3, 24}},
    };
    for (const auto &r : ranges) {
        const QString typed = r.typed.isEmpty() ? inFormat(from, r.date) : r.typed;
        SCOPED_TRACE(typed.toStdString());
        from->setDate(r.inForce);
        if (r.road == Home) {
            testsupport::typeFromHome(from, typed, r.end);
        } else if (r.road == Whole) {
            testsupport::typeShown(from, typed, r.end);
        } else if (r.road == Over) {
            testsupport::typeInto(from, typed, r.end);
        } else if (r.road == ClickedAway) {
            // Typed in the active window, as a user types, so the click moves the focus.
            w.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
            testsupport::typeShown(from, typed, r.end);
            auto *name = w.findChild<QLineEdit *>(QStringLiteral("Name"));
            EXPECT_EQ(testsupport::unreachable(name), QString());
            QTest::mouseClick(name, Qt::LeftButton, {}, name->rect().center());
            EXPECT_TRUE(name->hasFocus());
        } else {
            // A click into the middle of the year, then its digits.
            EXPECT_EQ(testsupport::unreachable(from), QString());
            auto *edit = from->findChild<QLineEdit *>();
            const QString shown = edit->text();
            const qsizetype last = shown.size() - shown.split(separator).last().size();
            const int x = edit->fontMetrics().horizontalAdvance(shown.left(last)) + edit->fontMetrics().horizontalAdvance(shown.mid(last)) / 2;
            from->setFocus();
            QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(x, edit->height() / 2));
            for (const QChar c : typed)
                QTest::keyClicks(from, QString(c));
            QTest::keyClick(from, r.end);
        }
        testsupport::typeShown(to, inFormat(to, {2026, 3, 29}));
        ui->clear();
        testsupport::press(w.findChild<QPushButton *>(QStringLiteral("Search_Records")));
        EXPECT_EQ(from->date().toString(Qt::ISODate), r.expected.toString(Qt::ISODate));
        EXPECT_EQ(from->text(), inFormat(from, r.expected));
        const QString found = sql(QStringLiteral("SELECT ID FROM Visitor_Records WHERE Date_Time_Stamp >= '%1 00:00:00'"
                                                 " AND Date_Time_Stamp <= '2026-03-29 23:59:59' ORDER BY ID;")
                                      .arg(r.expected.toString(Qt::ISODate)));
        EXPECT_EQ(ids(w.ListData()).join(u'\n') + u'\n', found.isEmpty() ? "\n" : found);
    }

    // The search lists visit 1 first; its details come by the row's ID, its photo's settings
    // leave the live ones alone.
    w.findChild<QLineEdit *>(QStringLiteral("Name"))->setText("Ann");
    EXPECT_TRUE(testsupport::choose(w.findChild<QComboBox *>(QStringLiteral("date_range")), QStringLiteral("Custom Range")));
    w.findChild<QDateEdit *>(QStringLiteral("Date_From_Ctrl"))->setDate(QDate(2026, 3, 1));
    w.findChild<QDateEdit *>(QStringLiteral("Date_To_Ctrl"))->setDate(QDate(2026, 3, 31));
    testsupport::press(w.findChild<QPushButton *>(QStringLiteral("Search_Records")));
    ASSERT_EQ(list->rowCount(), 1);
    list->selectRow(0);
    IMG_Flip_H = false;
    w.doubleClickInTable();
    EXPECT_EQ(w.shownDetails().value[0][0] + w.shownDetails().value[1][0], "AnnAnna");
    EXPECT_FALSE(w.shownDetails().visitor_image_obj.isNull());
    EXPECT_FALSE(IMG_Flip_H);

    // The exports keep the pass's own size on the log's paper, also on one smaller than the pass:
    // only a print fits the pass to its paper. A BMP at 600 dpi, a PDF page in whole points.
    w.page_rect = QRectF(0, 0, 595, 842);
    for (const QPageSize::PageSizeId paper : {QPageSize::A4, QPageSize::A6}) {
        SCOPED_TRACE(QPageSize::name(paper).toStdString());
        auto setUp = std::make_unique<QPrinter>(QPrinter::HighResolution);
        setUp->setPageSize(QPageSize(paper));
        setPrintInfo(std::move(setUp));
        ui->clear();
        for (const char *name : {"pass.jpg", "pass.bmp", "pass.pdf"}) {
            ui->push(dir + "/" + name);
            ui->push(0);  // the export-finished box: Cancel
        }
        w.Export_Image_click();
        w.Export_Image_click();
        w.Export_PDF_click();
        EXPECT_EQ(said().filter("File has been exported successfully.").size(), 3);
        for (const char *name : {"pass.jpg", "pass.bmp", "pass.pdf"})
            EXPECT_TRUE(said().contains("File has been exported successfully.\n" + QDir::toNativeSeparators(dir + "/" + name))) << name;
        EXPECT_EQ(QImageReader(dir + "/pass.bmp").size(), QSize(4959, 7017));
        const QString info = QString::fromUtf8(runTool(pdfinfo, {dir + "/pass.pdf"}).out);
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size: *595 x 842 pts")))) << info.toStdString();
    }
    // A name typed without an extension gets the format picked in the panel's pop-up, or the
    // one the pop-up starts at.
    ui->clear();
    ui->push(QStringList{dir + "/bare", "BMP"});
    ui->push(0);
    ui->push(QStringList{dir + "/plain"});
    ui->push(0);
    // A typed extension of a picture type, in any spelling or case, is a file of that type.
    const bool tiff = QImageWriter::supportedImageFormats().contains("tiff");
    ui->push(QStringList{dir + "/typed.jpeg"});
    ui->push(0);
    ui->push(QStringList{dir + (tiff ? "/typed.TIF" : "/typed.JPG"), "BMP"});
    ui->push(0);
    for (int i = 0; i < 4; ++i)
        w.Export_Image_click();
    EXPECT_EQ(said().filter("Error").size(), 0);
    EXPECT_EQ(QImageReader(dir + "/bare.bmp").format(), "bmp");
    EXPECT_EQ(QImageReader(dir + "/plain.png").format(), "png");
    EXPECT_EQ(QImageReader(dir + "/typed.jpeg").format(), "jpeg");
    EXPECT_EQ(QImageReader(dir + (tiff ? "/typed.TIF" : "/typed.JPG")).format(), tiff ? "tiff" : "jpeg");
    QFile jpg(dir + "/pass.jpg");
    ASSERT_TRUE(jpg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(jpg.read(2) == "\xFF\xD8");
    // The attachment lives in a private folder that goes when the mail window has closed.
    QString sent, attachment;
    Visitor_Log_Records::Set_Visitor_Pass_Mailer([&](const QString &file, const QString &subject) {
        QFile f(attachment = file);
        sent = subject + (f.open(QIODevice::ReadOnly) && f.read(4) == "%PDF" ? " as PDF" : "");
    });
    testsupport::press(w.findChild<QPushButton *>(QStringLiteral("Mail")));
    Visitor_Log_Records::Set_Visitor_Pass_Mailer({});
    EXPECT_EQ(sent, "Visitor Details as PDF");
    EXPECT_EQ(QFileInfo(attachment).fileName(), "VisitorDetails.pdf");
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(attachment).path()));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir + "/printed.pdf");
    ASSERT_TRUE(Print_Visitor_Pass(w.shownDetails(), w.page_rect, printer));
    // The preview shows the pass's one page, in a window that fits the screen, also on a desk
    // whose only printer is "Save as PDF".
    auto pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
    pdf->setOutputFormat(QPrinter::PdfFormat);
    setPrintInfo(std::move(pdf));
    const auto preview = w.Pass_Preview();
    auto *pages = preview->findChild<QPrintPreviewWidget *>();
    ASSERT_NE(pages, nullptr);
    preview->show();
    pages->updatePreview();
    EXPECT_EQ(pages->pageCount(), 1);
    const QImage shown = pages->grab().toImage();
    int ink = 0;
    for (int y = 0; y < shown.height(); y += 2)
        for (int x = 0; x < shown.width(); x += 2)
            ink += qGray(shown.pixel(x, y)) < 60;
    EXPECT_GT(ink, 50);  // the pass's border and text, not a blank sheet
    EXPECT_LE(preview->width(), 1024);
    EXPECT_LE(preview->height(), 700);
    EXPECT_GE(preview->height(), 600);
    for (const char *name : {"pass.pdf", "printed.pdf"}) {
        QFile f(dir + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_TRUE(f.read(4) == "%PDF");
        const auto info = runTool(pdfinfo, {f.fileName()});
        EXPECT_EQ(info.exitCode, 0);
        EXPECT_TRUE(info.out.contains("Pages:           1")) << info.out.toStdString();
    }
}

// A long log export runs under the please-wait sheet, which is gone before the finished box.
TEST_F(VisitorLog, ALongExportRunsUnderThePleaseWaitSheet)
{
    REQUIRE_TOOL(tool, "sqlite3");
    sql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<4200)"
        " INSERT INTO Visitor_Records(VName,Date_Time_Stamp) SELECT 'Guest '||i,'2026-03-10 12:00:00' FROM n;");
    Visitor_Log_Records w;
    w.Open_Log_Wnd();
    w.show();
    EXPECT_TRUE(testsupport::choose(w.findChild<QComboBox *>(QStringLiteral("date_range")), QStringLiteral("Custom Range")));
    w.findChild<QDateEdit *>(QStringLiteral("Date_From_Ctrl"))->setDate(QDate(2026, 3, 1));
    w.findChild<QDateEdit *>(QStringLiteral("Date_To_Ctrl"))->setDate(QDate(2026, 3, 31));
    testsupport::press(w.findChild<QPushButton *>(QStringLiteral("Search_Records")));
    ASSERT_EQ(w.ListData().size(), 4212u);
    bool sheetUp = false;
    ui->onRequest = [&](const platform::ScriptedUiServices::Request &r) {
        if (r.kind == QLatin1String("Open_Export_Files"))
            sheetUp = w.findChild<Plz_Wait_Sheet *>() && w.findChild<Plz_Wait_Sheet *>()->isVisible();
    };
    const QString book = data.root() + QStringLiteral("/all.xlsx");
    ui->push(book);
    ui->push(0);
    testsupport::press(w.findChild<QPushButton *>(QStringLiteral("Export_Records")));
    ui->onRequest = {};
    EXPECT_TRUE(QFileInfo(book).size() > 0);
    ASSERT_NE(w.findChild<Plz_Wait_Sheet *>(), nullptr) << "the export ran without the please-wait sheet";
    EXPECT_FALSE(sheetUp) << "the sheet is gone before the finished box";
    EXPECT_TRUE(ui->messages().isEmpty()) << ui->messages().join('|').toStdString();
}

// Every print of a pass is on the log's paper, edge to edge, as often as its print panel asks:
// the paper set in the log's page set-up (it opens with no margins) or in the preview's, printed
// from the preview's print panel into a PDF file; the panel's Properties show that paper. The
// preview's page set-up opens on the paper as the preview shows it, turned there or not. A pass
// larger than the paper is scaled down to fit it whole, in the preview and in print; on a paper
// it fits it keeps its own size.
TEST_F(VisitorLog, APassPrintsOnTheLogsPaperAsOftenAsThePanelAsks)
{
    REQUIRE_TOOL(tool, "sqlite3");
    REQUIRE_TOOL(pdfinfo, "pdfinfo");
    REQUIRE_TOOL(pdftoppm, "pdftoppm");
    auto *panels = new testsupport::DrivenPanels;
    const struct Restore {
        std::unique_ptr<platform::UiServices> ui;
        QLocale locale;
        ~Restore() { platform::setUi(std::move(ui)), QLocale::setDefault(locale); }
    } restore{platform::setUi(std::unique_ptr<platform::UiServices>(panels)), QLocale()};
    // The latest visit, listed first, has the blue photo.
    bluePhoto();
    sql(QStringLiteral("INSERT INTO Visitor_Records(VName,Position,CompanyName,Address,Phone,Email,Date_Time_Stamp,Photo)"
                       " VALUES('Pat','Driver','Acme','Dock 4','555 0100','pat@acme.test','2026-03-30 09:00:00','%1');").arg(photo));
    Visitor_Log_Records w;
    openLatestVisit(w);
    const auto field = [](QObject &in, const char *name) { return in.findChild<QDoubleSpinBox *>(QString::fromLatin1(name)); };
    const auto choice = [](QObject &in, const char *name) { return in.findChild<QComboBox *>(QString::fromLatin1(name)); };
    const auto ok = [](QObject &in) { testsupport::press(in.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)); };
    const struct {
        const char *locale, *paper, *width, *height;  // the paper's entry, and a custom paper's sides
        bool inches, inPreview, properties;  // unit; page set-up from the preview; its print panel's Properties
        int copies;
        QSize page;    // each printed page, in whole points as the PDF writer puts it
        QRectF photo;  // the photo's box on it, points from its top left corner
        bool turned = false;  // Landscape pressed in the preview first
    } rows[] = {
        // A pass larger than its paper scales down to the paper's width (595 points, the pass's,
        // to 324 on a 4.5 inch card), centred; on A4 or Letter it keeps its size.
        {"en_US", "Custom", "4.5", "6.25", true, false, false, 2, {324, 450}, {258.7, 43.6, 43.6, 43.6}},
        {"de_DE", "Custom", "123.4", "177.7", false, false, true, 3, {350, 504}, {279.2, 47.0, 47.0, 47.0}},
        {"en_US", "Custom", "123.4", "177.7", false, true, true, 2, {350, 504}, {279.2, 47.0, 47.0, 47.0}},
        {"de_DE", "Custom", "4.5", "6.25", true, true, false, 1, {324, 450}, {258.7, 43.6, 43.6, 43.6}},
        {"de_DE", "B7", "", "", false, false, false, 2, {249, 354}, {199.1, 33.5, 33.5, 33.5}},
        {"en_US", "B7", "", "", false, true, false, 1, {354, 249}, {282.9, 47.6, 47.6, 47.6}, true},
        {"de_DE", "Custom", "4.5", "6.25", true, false, false, 2, {450, 324}, {359.2, 60.5, 60.5, 60.5}, true},
        {"en_US", "Letter / ANSI A", "", "", false, true, false, 1, {612, 792}, {483.5, 80, 80, 80}},
        {"de_DE", "A4", "", "", false, false, false, 2, {595, 842}, {475.1, 80, 80, 80}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << &row - rows);
        QLocale::setDefault(QLocale(QString::fromLatin1(row.locale)));
        setPrintInfo(std::make_unique<QPrinter>(QPrinter::HighResolution));  // A4, "Save as PDF" the only printer
        printInfo().setOutputFormat(QPrinter::PdfFormat);
        const QPageSize paper = *row.width ? QPageSize(QSizeF(QByteArray(row.width).toDouble(), QByteArray(row.height).toDouble()),
                                                       row.inches ? QPageSize::Inch : QPageSize::Millimeter, {}, QPageSize::ExactMatch)
                                           : QPageSize(row.paper == std::string("B7")   ? QPageSize::B7
                                                       : row.paper == std::string("A4") ? QPageSize::A4
                                                                                        : QPageSize::Letter);
        QList<double> margins;
        panels->drive["QPageSetupDialog"] = [&](QDialog &panel) {
            for (const char *name : {"topMargin", "leftMargin", "rightMargin", "bottomMargin"})
                margins << field(panel, name)->value();
            if (paper.id() == QPageSize::Letter || paper.id() == QPageSize::A4) {  // typed, a closed list may find "Letter Extra"
                testsupport::choose(choice(panel, "pageSizeCombo"), QString::fromLatin1(row.paper));
            } else {
                choice(panel, "pageSizeCombo")->setFocus();  // its entry typed, as a closed list finds it
                QTest::keyClicks(choice(panel, "pageSizeCombo"), QString::fromLatin1(row.paper));
            }
            if (*row.width) {
                choice(panel, "unitCombo")->setFocus();
                QTest::keyClick(choice(panel, "unitCombo"), Qt::Key_Home);  // millimetres, then inches
                QTest::keyClick(choice(panel, "unitCombo"), row.inches ? Qt::Key_Down : Qt::Key_Home);
                testsupport::typeShown(field(panel, "pageWidth"), row.width);
                testsupport::typeShown(field(panel, "pageHeight"), row.height);
            }
            ok(panel);
        };
        const QString file = data.root() + QStringLiteral("/printed.pdf");
        QFile::remove(file);
        panels->drive["QPrintDialog"] = [&](QDialog &panel) {
            testsupport::typeInto(panel.findChild<QLineEdit *>(QStringLiteral("filename")), file, Qt::Key_unknown);
            if (row.properties) {
                QTimer::singleShot(0, [&] {
                    ASSERT_TRUE(QApplication::activeModalWidget()->inherits("QPrintPropertiesDialog"));
                    QWidget &page = *QApplication::activeModalWidget();
                    const auto unit = QPageSize::Unit(choice(page, "unitCombo")->currentData().value<QPageLayout::Unit>());
                    EXPECT_EQ(choice(page, "pageSizeCombo")->currentText(), QString::fromLatin1(row.paper));
                    EXPECT_EQ(QSizeF(field(page, "pageWidth")->value(), field(page, "pageHeight")->value()), paper.size(unit));
                    EXPECT_FALSE(field(page, "pageWidth")->text().contains(u',')) << "a point, as every field of ours";
                    ok(page);
                });
                testsupport::press(panel.findChild<QAbstractButton *>(QStringLiteral("properties")));
            }
            for (QPushButton *b : panel.findChildren<QPushButton *>())
                b->text() == QLatin1String("&Options >>") && testsupport::press(b);
            // A fraction or a digit-group mark is no count: refused whole, the count kept.
            auto *copies = panel.findChild<QSpinBox *>(QStringLiteral("copies"));
            const QString before = copies->text();
            testsupport::typeInto(copies, QString::fromLatin1(row.inches ? "1,500" : "1.500"), Qt::Key_Tab);
            EXPECT_EQ(copies->text(), before);
            testsupport::typeShown(copies, QString::number(row.copies));
            ok(panel);
        };
        panels->drive["QPrintPreviewDialog"] = [&](QDialog &preview) {
            // Its buttons run the log's panels: one of the toolkit's own would wait for a user here.
            QToolBar *bar = preview.findChild<QToolBar *>();
            for (QAction *action : bar->actions())
                if (row.turned && action->text() == QLatin1String("Landscape"))
                    testsupport::press(qobject_cast<QAbstractButton *>(bar->widgetForAction(action)));
            for (const auto &[title, panel] : {std::pair("Page setup", "QPageSetupDialog"), std::pair("Print", "QPrintDialog")}) {
                if (!row.inPreview && panel == std::string("QPageSetupDialog"))
                    continue;
                QTimer::singleShot(0, [&, title, panel, before = panels->ran.count(panel)] {
                    if (auto *up = qobject_cast<QDialog *>(QApplication::activeModalWidget()); up != &preview && panels->ran.count(panel) == before)
                        ADD_FAILURE() << "the preview's " << title << " runs a panel of the toolkit's own", up->reject();
                });
                if (panel == std::string("QPrintDialog")) {
                    // The photo, at the pass's top right corner, is on the paper the preview shows.
                    auto *pages = preview.findChild<QPrintPreviewWidget *>();
                    pages->updatePreview();
                    const QImage shown = pages->grab().toImage();
                    const QRect shot = boxOf(shown), sheet = boxOf(shown, true);  // nothing off the paper is white
                    EXPECT_TRUE(!shot.isEmpty() && sheet.contains(shot)) << "the photo off the paper the preview shows";
                }
                for (QAction *action : bar->actions())
                    if (action->text() == QLatin1String(title))
                        testsupport::press(qobject_cast<QAbstractButton *>(bar->widgetForAction(action)));
            }
        };
        if (!row.inPreview)
            testsupport::press(w.findChild<QPushButton *>(QStringLiteral("Page_Setup")));
        testsupport::press(w.findChild<QPushButton *>(QStringLiteral("Print_Preview")));
        EXPECT_EQ(margins, QList<double>({0, 0, 0, 0})) << "the pass's page set-up opens with no margins";
        ASSERT_TRUE(testsupport::waitUntil([&] { return QFileInfo::exists(file); })) << panels->messages().join('|').toStdString();
        // A page of the paper for each copy, the pass's frame 10 points below its top edge on
        // the pass, scaled as the pass is (an eighth of the 80-point photo's side).
        EXPECT_EQ(QString::fromUtf8(runTool(pdfinfo, {"-f", "1", "-l", "9", file}).out)
                      .count(QRegularExpression(QStringLiteral("size: *%1 x %2 pts").arg(row.page.width()).arg(row.page.height()))), row.copies);
        runTool(pdftoppm, {"-r", "144", "-singlefile", "-png", file, file});
        const QImage page(file + QStringLiteral(".png"));
        int frame = 0;
        while (frame < page.height() && qGray(page.pixel(page.width() / 2, frame)) > 160)
            ++frame;
        EXPECT_NEAR(frame / 2.0, row.photo.width() / 8, 1) << "points from the top";
        // The photo whole on the page, where the row says, read at 2 pixels a point.
        const QRect shot = boxOf(page);
        EXPECT_NEAR(shot.x() / 2.0, row.photo.x(), 1);
        EXPECT_NEAR(shot.y() / 2.0, row.photo.y(), 1);
        EXPECT_NEAR(shot.width() / 2.0, row.photo.width(), 1);
        EXPECT_NEAR(shot.height() / 2.0, row.photo.height(), 1);
    }
}

// A pass holds its photo and every word inside its frame, clear of the frame's line, as the
// exported PDF shows them: a pass whose lines or photo would reach below the frame grows by what
// it lacks; one that holds them keeps its size (the desk's default visit: its four details).
TEST_F(VisitorLog, APassHoldsItsPhotoAndEveryWordInsideItsFrame)
{
    REQUIRE_TOOL(tool, "sqlite3");
    REQUIRE_TOOL(pdfinfo, "pdfinfo");
    REQUIRE_TOOL(pdftotext, "pdftotext");
    REQUIRE_TOOL(pdftoppm, "pdftoppm");
    bluePhoto();
    const char *const captions[VisitorDetails::Stems] = {"Name :", "Position / Title :", "Company Name :", "Purpose :",
                                                         "Address :", "Phone No. :", "Visitor Type :", "Email Id :",
                                                         "Person to Meet :", "Visitor No. :", "Date :", "Time :"};
    const char *const values[VisitorDetails::Stems] = {"Pat Quill", "Driver", "Acme", "Delivery", "Dock 4", "555 0100",
                                                       "Supplier", "pat@acme.test", "Jo Reyes", "V-17", "30-Mar-2026", "09:00"};
    using S = VisitorDetails;
    const std::vector<int> all = {S::VName, S::Position, S::CompanyName, S::Slogan, S::Address, S::Phone,
                                  S::Fax, S::Email, S::Website, S::UniqueNo, S::EntryDate, S::EntryTime};
    const struct {
        const char *visit;
        std::vector<int> front, back;
        bool other;     // a three-line Other Details
        double height;  // of the page, points; 0: as tall as its lines need (their font's)
        bool inDejaVu = false;  // that height is the one its text has in DejaVu Sans
    } rows[] = {
        {"a name", {S::VName}, {}, false, 175},  // the photo 5 points above the frame's line
        {"a name and a visitor number", {S::VName, S::UniqueNo}, {}, false, 175},
        {"the desk's default visit", {S::VName, S::Position, S::CompanyName, S::UniqueNo}, {}, false, 191.75, true},
        // The back's details start below the photo: its name 5 points above the frame's line.
        {"a name on each side", {S::VName}, {S::VName}, false, 196},
        {"every detail", all, all, true, 0},
        {"the front's details and six of the back's", all, {all.begin(), all.begin() + 6}, true, 0},
    };
    // DejaVu Sans is the face the pass is drawn in where Verdana is missing (scripts/bootstrap
    // installs it); another face gives a pass sized by its text another height.
    QFont passFace(QStringLiteral("Verdana"));
    passFace.setStyleHint(QFont::SansSerif);
    passFace.setBold(true);
    const bool dejaVu = QFontInfo(passFace).family() == QLatin1String("DejaVu Sans");
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([-0-9.]+)\" yMin=\"([-0-9.]+)\" xMax=\"([-0-9.]+)\" yMax=\"([-0-9.]+)\">([^<]*)</word>"));
    static const QRegularExpression size(QStringLiteral("Page size: *([0-9.]+) x ([0-9.]+) pts"));
    for (const auto &row : rows) {
        SCOPED_TRACE(row.visit);
        QStringList columns{"Date_Time_Stamp", "Photo", "Other", "Other_B"};
        QStringList cells{"'2026-03-31 09:00:00'", "'" + photo + "'",
                          row.other ? "'Parking B2, level 3'||char(10)||'Escort to loading bay'" : "''",
                          row.other ? "'Badge handed back'" : "''"};
        for (const auto &[stems, suffix] : {std::pair(&row.front, ""), std::pair(&row.back, "_B")})
            for (int i : *stems) {
                const QString stem = QLatin1String(VisitorDetails::field_name[std::size_t(i)]);
                columns << stem + suffix << stem + "_lb" + suffix;
                cells << "'" + QString::fromUtf8(values[i]) + "'" << "'" + QString::fromUtf8(captions[i]) + "'";
            }
        sql(QStringLiteral("INSERT INTO Visitor_Records(%1) VALUES(%2);").arg(columns.join(','), cells.join(',')));
        // The latest visit, opened and exported from its details.
        Visitor_Log_Records w;
        openLatestVisit(w);
        const QString file = data.root() + QStringLiteral("/frame.pdf");
        QFile::remove(file);
        ui->clear();
        ui->push(file);
        ui->push(0);  // the export-finished box: Cancel
        ASSERT_TRUE(testsupport::press(w.findChild<QPushButton *>(QStringLiteral("Export_PDF"))));
        ASSERT_TRUE(QFileInfo::exists(file)) << ui->messages().join('|').toStdString();

        // The pass's page, and the PDF's in whole points, as the PDF writer puts it.
        EXPECT_EQ(w.page_rect.topLeft(), QPointF(0, 0));
        EXPECT_EQ(w.page_rect.width(), 595);
        if (row.height > 0 && (dejaVu || !row.inDejaVu)) {
            EXPECT_EQ(w.page_rect.height(), row.height);
        }
        const QRegularExpressionMatch page = size.match(QString::fromUtf8(runTool(pdfinfo, {file}).out));
        ASSERT_TRUE(page.hasMatch());
        const double width = page.captured(1).toDouble(), height = page.captured(2).toDouble();
        EXPECT_EQ(width, 595);
        EXPECT_NEAR(height, w.page_rect.height(), 0.5);
        // The frame, found on the page drawn at 2 pixels a point: from each edge of the page
        // (along a column left of every text, a row across the middle) to the first dark pixel,
        // then past the line's dark pixels. Its lines' inner edges, in points from the page's
        // top left corner: a 1-point line 10 points in.
        runTool(pdftoppm, {"-r", "144", "-singlefile", "-png", file, file});
        const QImage drawn(file + QStringLiteral(".png"));
        ASSERT_FALSE(drawn.isNull());
        const auto pastLine = [&](QPoint p, QPoint step) {
            const auto dark = [&] { return drawn.rect().contains(p) && qGray(drawn.pixel(p)) < 128; };
            while (drawn.rect().contains(p) && !dark())
                p += step;
            while (dark())
                p += step;
            return p;
        };
        const int column = 30, middle = drawn.height() / 2;
        const QRectF frame(QPointF(pastLine({0, middle}, {1, 0}).x() / 2.0, pastLine({column, 0}, {0, 1}).y() / 2.0),
                           QPointF((pastLine({drawn.width() - 1, middle}, {-1, 0}).x() + 1) / 2.0,
                                   (pastLine({column, drawn.height() - 1}, {0, -1}).y() + 1) / 2.0));
        EXPECT_NEAR(frame.left(), 10.5, 1);
        EXPECT_NEAR(frame.top(), 10.5, 1);
        EXPECT_NEAR(frame.right(), 595 - 10.5, 1);
        EXPECT_NEAR(frame.bottom(), w.page_rect.height() - 10.5, 1);
        // Inside it and clear of its lines by a point at least, touching none.
        const QRectF inside = frame.adjusted(1, 1, -1, -1);
        const QRect blue = boxOf(drawn);
        // The photo whole, 80 points square, its top right 40 points in from the page's.
        const QRectF shot(blue.x() / 2.0, blue.y() / 2.0, blue.width() / 2.0, blue.height() / 2.0);
        EXPECT_NEAR(shot.left(), 475, 1);
        EXPECT_NEAR(shot.top(), 80, 1);
        EXPECT_NEAR(shot.width(), 80, 1);
        EXPECT_NEAR(shot.height(), 80, 1);
        EXPECT_TRUE(inside.contains(shot)) << "photo " << shot.bottom() << " frame " << frame.bottom();
        QString words;
        for (const QRegularExpressionMatch &m : word.globalMatch(QString::fromUtf8(runTool(pdftotext, {"-bbox", file, "-"}).out))) {
            const QRectF box(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
            words += m.captured(5) + u' ';
            EXPECT_TRUE(inside.contains(box)) << m.captured(5).toStdString() << " ends at " << box.bottom()
                                              << ", the frame at " << frame.bottom();
        }
        // No word is lost off the page: the name of each side that has one, and the last line
        // of a three-line Other Details.
        EXPECT_EQ(words.count("Pat Quill"), 1 + std::count(row.back.begin(), row.back.end(), S::VName)) << words.toStdString();
        if (row.other) {
            EXPECT_TRUE(words.contains("Badge handed back")) << words.toStdString();
        }
    }
}

TEST(VisitorPass, LayoutNumbers)
{
    VisitorDetails d;
    const QImage photo(10, 10, QImage::Format_RGB32);
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11})
        d.caption[0][std::size_t(i)] = QStringLiteral("F%1").arg(i);
    auto itemAt = [](const PassLayout &l, const QString &text) {
        for (const PassItem &it : l.items)
            if (it.text == text || (text == "line" && it.kind == PassItem::Line) || (text == "photo" && it.kind == PassItem::Photo))
                return it.rect;
        return QRectF();
    };
    const struct {
        bool photo;
        double line, firstBack;
    } cases[] = {{true, 573, 556}, {false, 575, 558}};
    for (const auto &c : cases) {
        d.visitor_image_obj = c.photo ? photo : QImage();
        d.caption[1][0] = "Back";
        const PassLayout l = Visitor_Pass_Layout(d, QRectF(0, 0, 595, 842));
        EXPECT_EQ(itemAt(l, "Visitor Details").y(), 802);
        EXPECT_EQ(itemAt(l, "Date & Time :").y(), 772);
        EXPECT_EQ(itemAt(l, "F0").y(), 742);
        EXPECT_EQ(itemAt(l, "F11").y(), 592);
        EXPECT_EQ(itemAt(l, "line").y(), c.line);
        EXPECT_EQ(itemAt(l, "Back").y(), c.firstBack);
        EXPECT_EQ(itemAt(l, "photo"), c.photo ? QRectF(475, 682, 80, 80) : QRectF());
    }
    // A value of several lines hangs down and the next line starts below it.
    d.value[0][0] = "one\ntwo\nthree";
    const PassLayout l = Visitor_Pass_Layout(d, QRectF(0, 0, 595, 842));
    EXPECT_GE(itemAt(l, "one\ntwo\nthree").y(), itemAt(l, "F2").bottom());
}

}  // namespace
