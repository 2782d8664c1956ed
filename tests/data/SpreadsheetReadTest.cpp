// Reading workbooks that openpyxl wrote (some with parts rewritten as other programs write them),
// and unpacking hostile archives.

#include "XlsxTestSupport.h"

#include "data/spreadsheet/SSZipArchive.h"
#include "data/spreadsheet/SpreadsheetWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using xlsxtest::flat;

TEST(SpreadsheetRead, WorkbooksFromOpenpyxlGiveTheirSheetsRows)
{
    REQUIRE_PYTHON(python);
    struct Case {
        const char *name;
        const char *snippet;
        QString sheet;
        QString sheets;  // the sheet list, in workbook order
        QString header;
        QString rows;
    };
    const QString pad22 = QStringLiteral("|").repeated(22);
    const Case cases[] = {
        {"shared strings, numbers, booleans, blank rows",
         "ws.append(['Name', 'Age']); ws.append(['Ann', 30]); ws.append([]); ws.append(['Bob', 4.5])\n"
         "ws.append([None, True]); wb.save(path)",
         "Sheet", "Sheet", "Name|Age", "Name|Age;Ann|30;Bob|4.5;|1"},
        {"a sheet that is not first, parts not numbered in workbook order",
         "ws.title = 'First'; ws.append(['one'])\n"
         "wb.create_sheet('Second').append(['two']); wb.create_sheet('Third').append(['three', 3]); wb.save(path)\n"
         "patch(rename={'xl/worksheets/sheet1.xml': 'xl/worksheets/sheet3.xml',\n"
         "              'xl/worksheets/sheet2.xml': 'xl/worksheets/sheet1.xml',\n"
         "              'xl/worksheets/sheet3.xml': 'xl/worksheets/sheet2.xml'})",
         "Second", "First|Second|Third", "two", "two"},
        {"dates stored as numbers come out as dates",
         "ws.append(['When', 'At']); ws.append([datetime.date(2024, 1, 15), datetime.datetime(2024, 1, 15, 10, 30)])\n"
         "ws['C2'] = 45306; ws['C2'].number_format = 'mm-dd-yy'\n"
         "ws['D2'] = 45306.5; ws['D2'].number_format = '0.00'; wb.save(path)",
         "Sheet", "Sheet", "When|At|Untitled Column 3|Untitled Column 4",
         "When|At||;2024-01-15|2024-01-15 10:30|2024-01-15|45306.5"},
        {"formulas, errors, inline strings, rich text and phonetic runs",
         "wb.save(path)\n"
         "patch({'xl/worksheets/sheet1.xml': sheet('A1:F1',\n"
         "  '<row r=\"1\"><c r=\"A1\"><f>1+1</f><v>2</v></c><c r=\"B1\" t=\"str\"><f>\"a\"&amp;\"b\"</f><v>a&amp;b</v></c>'\n"
         "  '<c r=\"C1\" t=\"e\"><f>1/0</f><v>#DIV/0!</v></c><c r=\"D1\"><f>NOW()</f></c>'\n"
         "  '<c r=\"E1\" t=\"inlineStr\"><is><t>in</t><r><t>line</t></r></is></c><c r=\"F1\" t=\"s\"><v>1</v></c></row>'\n"
         "  '<row r=\"2\"><c r=\"A2\" t=\"s\"><v>2</v></c><c r=\"B2\" t=\"s\"><v>3</v></c></row>'),\n"
         "  'xl/sharedStrings.xml': '<sst %s><si><r><t>Ri</t></r><r><rPr><b/></rPr><t>ch</t></r>'\n"
         "  '<rPh><t>ignored</t></rPh></si><si><t>after</t></si></sst>' % NS})",
         "Sheet", "Sheet", "2|a&b|#DIV/0!|Untitled Column 4|inline|after", "2|a&b|#DIV/0!||inline|after;|||||"},
        {"cells without a reference, beyond the dimension, in column AA",
         "wb.save(path)\n"
         "patch({'xl/worksheets/sheet1.xml': sheet('A1:B2',\n"
         "  '<row><c t=\"inlineStr\"><is><t>a</t></is></c><c><v>1</v></c><c r=\"D1\"><v>4</v></c><c><v>5</v></c></row>'\n"
         "  '<row><c r=\"AA2\"><v>27</v></c></row>')})",
         "Sheet", "Sheet", "a|1|Untitled Column 3|4|5", "a|1||4|5" + pad22 + ";||||" + pad22 + "27"},
        {"range B3:D20 gives four columns from A",
         "ws['B3'] = 'b'; ws['D20'] = 'd'; wb.save(path)",
         "Sheet", "Sheet", "Untitled Column 1|b|Untitled Column 3|Untitled Column 4", "|b||;|||d"},
    };
    QTemporaryDir dir;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QStringLiteral("book.xlsx"));
        const auto made = xlsxtest::build(python, QString::fromUtf8(c.snippet), path);
        ASSERT_EQ(made.exitCode, 0) << made.err.constData();
        SpreadsheetWriter reader;
        ASSERT_TRUE(reader.openWorkbook(path)) << qPrintable(reader.lastError());
        EXPECT_EQ(reader.Read_Sheet_Name().join(QLatin1Char('|')), c.sheets);
        const QString part = reader.sheetPartPath(int(reader.Read_Sheet_Name().indexOf(c.sheet)) + 1);
        int columns = 0;
        ASSERT_TRUE(reader.ReadData(part, columns, true));
        EXPECT_EQ(flat(reader.data), c.header);
        ASSERT_TRUE(reader.ReadData(part, columns));
        EXPECT_EQ(flat(reader.data), c.rows);
    }
    // Each opening unpacks into a folder of its own, gone with the reader.
    QString first;
    {
        SpreadsheetWriter a, b;
        ASSERT_TRUE(a.openWorkbook(dir.filePath(QStringLiteral("book.xlsx"))));
        ASSERT_TRUE(b.openWorkbook(dir.filePath(QStringLiteral("book.xlsx"))));
        first = a.tmpDir();
        EXPECT_NE(first, b.tmpDir());
    }
    EXPECT_FALSE(QDir(first).exists());
}

TEST(SpreadsheetRead, DocumentTypeDeclarationsAreRefused)
{
    QTemporaryDir dir;
    QFile sheet(dir.filePath(QStringLiteral("sheet.xml")));
    ASSERT_TRUE(sheet.open(QIODevice::WriteOnly));
    sheet.write("<?xml version=\"1.0\"?><!DOCTYPE w [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;\">]>"
                "<worksheet><sheetData><row><c t=\"inlineStr\"><is><t>&b;</t></is></c></row></sheetData></worksheet>");
    sheet.close();
    SpreadsheetWriter reader;
    int columns = 0;
    EXPECT_FALSE(reader.ReadData(sheet.fileName(), columns));
    EXPECT_FALSE(reader.ReadSharedStrings(sheet.fileName()));
    EXPECT_TRUE(reader.data.isEmpty());
}

TEST(SpreadsheetRead, ColumnLettersNumbersAndDateFormats)
{
    const struct {
        int column;
        const char *name;
    } columns[] = {{1, "A"}, {26, "Z"}, {27, "AA"}, {52, "AZ"}, {53, "BA"}, {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"}};
    for (const auto &c : columns) {
        EXPECT_EQ(SpreadsheetWriter::ColumnIndexToName(c.column), QLatin1String(c.name));
        EXPECT_EQ(Get_Col_index(Get_Column_Char_Str(QLatin1String(c.name) + QStringLiteral("12")), 64), c.column);
    }
    EXPECT_EQ(Get_Col_index(QStringLiteral("XFE"), 64), -1);
    EXPECT_EQ(Get_Col_index(QString(), 64), -1);

    const struct {
        int id;
        const char *code;
        int kind;
    } formats[] = {{14, "", 1}, {22, "", 2}, {45, "", 2}, {0, "", 0}, {2, "0.00", 0}, {164, "yyyy-mm-dd", 1},
                   {164, "dd/mm/yyyy h:mm", 2}, {164, "[$-409]mmm d, yyyy", 1}, {164, "h:mm AM/PM", 0},
                   {164, "mm:ss", 0}, {164, "0.00 \"days\"", 0}, {164, "[Red]#,##0", 0}, {164, "General", 0}};
    for (const auto &f : formats)
        EXPECT_EQ(dateFormatKind(f.id, QLatin1String(f.code)), f.kind) << f.id << " " << f.code;
}

TEST(SpreadsheetRead, HostileArchivesAreRefusedAndWriteNothingOutside)
{
    REQUIRE_PYTHON(python);
    struct Case {
        const char *name;
        const char *snippet;  // writes the archive at `path` with zipfile as z
        ZipLimits limits;
        bool ok;
        const char *lands;  // a file that must be in the destination afterwards
    };
    const Case cases[] = {
        {"parent folder", "z.writestr('ok.txt', 'x'); z.writestr('../badgeloom-evil.txt', 'x')", {}, false, ""},
        {"hidden parent", "z.writestr('a/../../badgeloom-evil.txt', 'x')", {}, false, ""},
        {"backslash parent", "z.writestr('..\\\\badgeloom-evil.txt', 'x')", {}, false, ""},
        {"absolute", "z.writestr(os.path.dirname(path) + '/badgeloom-evil.txt', 'x')", {}, false, ""},
        {"checksum", "z.writestr(zipfile.ZipInfo('data.txt'), b'hello')\n"
                     "z.close(); b = open(path, 'rb').read().replace(b'hello', b'jello', 1); open(path, 'wb').write(b)",
         {}, false, ""},
        {"too many entries", "[z.writestr('f%d' % i, 'x') for i in range(10)]", {5, 1 << 20}, false, ""},
        {"too large unpacked", "z.writestr('zeros', bytes(100000))", {100, 50000}, false, ""},
        {"backslash folders", "z.writestr('xl\\\\worksheets\\\\sheet1.xml', 'x')", {}, true, "xl/worksheets/sheet1.xml"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.zip"));
        const QString script = QStringLiteral("import sys, os, zipfile\npath = sys.argv[1]\n"
                                              "z = zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED)\n%1\n"
                                              "if z.fp: z.close()\n").arg(QString::fromUtf8(c.snippet));
        ASSERT_EQ(testsupport::runTool(python, {QStringLiteral("-c"), script, path}).exitCode, 0);
        const QString dest = dir.filePath(QStringLiteral("out/inner"));
        QString error;
        EXPECT_EQ(SSZipArchive::unzipFileAtPath(path, dest, true, QString(), &error, nullptr, c.limits), c.ok);
        EXPECT_EQ(error.isEmpty(), c.ok) << qPrintable(error);
        if (*c.lands) {
            EXPECT_TRUE(QFile::exists(dest + QLatin1Char('/') + QLatin1String(c.lands)));
        }
        SpreadsheetWriter reader;
        EXPECT_FALSE(reader.openWorkbook(path));
        for (const QString &outside : {dir.filePath(QStringLiteral("out/badgeloom-evil.txt")),
                                       dir.filePath(QStringLiteral("badgeloom-evil.txt")),
                                       QDir::temp().filePath(QStringLiteral("badgeloom-evil.txt"))})
            EXPECT_FALSE(QFile::exists(outside)) << qPrintable(outside);
    }
}

// Date cells across the calendar read as openpyxl reads them: leap days, the turn of the
// centuries, the last day a workbook holds, times of day, and a workbook counting from 1904.
// The 1904 count runs four years past 9999, where openpyxl's dates stop: those serials are read
// with the year in full, the days counted as the calendar goes on (10000 is a leap year).
TEST(SpreadsheetRead, DatesPastTheYear9999KeepEveryDigitOfTheYear)
{
    REQUIRE_PYTHON(python);
    QTemporaryDir dir;
    const QString book = dir.filePath(QStringLiteral("far.xlsx"));
    // 2957003 days after 1 January 1904 is 31 December 9999.
    const auto made = xlsxtest::build(python, QStringLiteral(
        "wb.epoch = openpyxl.utils.datetime.CALENDAR_MAC_1904\n"
        "for serial, form in [(2957003, 'yyyy-mm-dd'), (2957004, 'yyyy-mm-dd'), (2957370.5, 'yyyy-mm-dd hh:mm'),"
        " (2958466, 'yyyy-mm-dd')]:\n"
        "    ws.append([serial]); ws.cell(row=ws.max_row, column=1).number_format = form\n"
        "wb.save(path)\n"), book);
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    SpreadsheetWriter reader;
    ASSERT_TRUE(reader.openWorkbook(book)) << qPrintable(reader.lastError());
    int columns = 0;
    ASSERT_TRUE(reader.ReadData(reader.sheetPartPath(1), columns));
    EXPECT_EQ(flat(reader.data), QStringLiteral("9999-12-31;10000-01-01;10001-01-01 12:00;10004-01-02"));
}

TEST(SpreadsheetRead, DatesAgreeWithOpenpyxlAcrossTheCalendar)
{
    REQUIRE_PYTHON(python);
    const char *dates = "[datetime.datetime(1900, 1, 1), datetime.datetime(1900, 3, 1), datetime.datetime(1904, 2, 29, 23, 59),"
                        " datetime.datetime(1999, 12, 31, 12), datetime.datetime(2000, 2, 29, 0, 1),"
                        " datetime.datetime(2024, 1, 15, 10, 30), datetime.datetime(2100, 3, 1), datetime.datetime(9999, 12, 31)]";
    QTemporaryDir dir;
    for (const bool epoch1904 : {false, true}) {
        SCOPED_TRACE(epoch1904 ? "1904" : "1900");
        const QString path = dir.filePath(QStringLiteral("dates.xlsx"));
        const QString snippet = QStringLiteral("dates = %1\n%2"
                                               "for d in dates:\n"
                                               "    ws.append([d]); ws.cell(row=ws.max_row, column=1).number_format = 'yyyy-mm-dd hh:mm'\n"
                                               "wb.save(path)\n"
                                               "rows = openpyxl.load_workbook(path).active.iter_rows(values_only=True)\n"
                                               "print(';'.join(r[0].strftime('%Y-%m-%d %H:%M') for r in rows))")
                                    .arg(QLatin1String(dates), epoch1904 ? QStringLiteral("wb.epoch = openpyxl.utils.datetime.CALENDAR_MAC_1904\n"
                                                                                         "dates = dates[2:]  # none before 1904\n")
                                                                          : QString());
        const auto made = xlsxtest::build(python, snippet, path);
        ASSERT_EQ(made.exitCode, 0) << made.err.constData();
        SpreadsheetWriter reader;
        ASSERT_TRUE(reader.openWorkbook(path)) << qPrintable(reader.lastError());
        int columns = 0;
        ASSERT_TRUE(reader.ReadData(reader.sheetPartPath(1), columns));
        EXPECT_EQ(flat(reader.data), QString::fromUtf8(made.out.trimmed()));
        EXPECT_EQ(reader.data.size(), epoch1904 ? 6 : 8);
    }
}
