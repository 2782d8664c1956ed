// Workbooks as the column picker and the import window meet them: hostile or damaged ones are
// refused with their reason and change nothing; stored rows without cells count as openpyxl
// counts them; listing a sheet's columns reads its first row only.

#include "Press.h"
#include "XlsxTestSupport.h"

#include "data/LongRead.h"
#include "data/SeriesImport.h"
#include "data/export/ExportDialogs.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "data/spreadsheet/Import_Excel.h"
#include "data/spreadsheet/SpreadsheetWriter.h"
#include "platform/UiServices.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

namespace {

// A two-sheet workbook written by python's zipfile: sheet 1 "Name|Town" over "Ann|Oslo", sheet 2
// one cell "Zebra". argv[2] is python run before packing that may change `parts`, name an entry
// to `damage` (stored, and one byte of it changed after its checksum was taken) or `declare`
// sizes an entry claims to unpack to.
const char *Parts = R"PY(
import sys, zipfile, struct, random
path = sys.argv[1]
NS = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
R = 'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"'
REL = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships/'
PKG = 'xmlns="http://schemas.openxmlformats.org/package/2006/relationships"'
def book(n, extra=''):
    return '<workbook %s %s><sheets>%s</sheets>%s</workbook>' % (NS, R, ''.join(
        '<sheet name="S%d" sheetId="%d" r:id="rId%d"/>' % (i, i, i) for i in range(1, n + 1)), extra)
def rels(n, extra=''):
    return '<Relationships %s>%s%s</Relationships>' % (PKG, ''.join(
        '<Relationship Id="rId%d" Type="%sworksheet" Target="worksheets/sheet%d.xml"/>' % (i, REL, i % 2 + 1)
        for i in range(1, n + 1)), extra)
def sheet(dim, rows):
    return '<worksheet %s><dimension ref="%s"/><sheetData>%s</sheetData></worksheet>' % (NS, dim, rows)
def text(ref, t):
    return '<c r="%s" t="inlineStr"><is><t>%s</t></is></c>' % (ref, t)
# Elements that do not deflate well: a letter between each pair keeps the ratio low.
def noise(n, letters='abcdefghijklmnopqrstuvwxyz'):
    return ''.join('<a/>' + random.choice(letters) for _ in range(n))
parts = {
    '_rels/.rels': '<Relationships %s><Relationship Id="rId1" Type="%sofficeDocument" Target="xl/workbook.xml"/>'
                   '</Relationships>' % (PKG, REL),
    'xl/workbook.xml': book(2),
    'xl/_rels/workbook.xml.rels': '<Relationships %s><Relationship Id="rId1" Type="%sworksheet" '
        'Target="worksheets/sheet1.xml"/><Relationship Id="rId2" Type="%sworksheet" Target="worksheets/sheet2.xml"/>'
        '</Relationships>' % (PKG, REL, REL),
    'xl/worksheets/sheet1.xml': sheet('A1:B2', '<row r="1">%s%s</row><row r="2">%s%s</row>'
                                      % (text('A1', 'Name'), text('B1', 'Town'), text('A2', 'Ann'), text('B2', 'Oslo'))),
    'xl/worksheets/sheet2.xml': sheet('A1', '<row r="1">%s</row>' % text('A1', 'Zebra')),
}
damage = ''
declare = {}
exec(sys.argv[2])
z = zipfile.ZipFile(path, 'w')
for n, d in parts.items():
    z.writestr(n, d, zipfile.ZIP_STORED if n == damage else zipfile.ZIP_DEFLATED)
z.close()
b = bytearray(open(path, 'rb').read())
if damage:
    at = b.find(b'Zebra')
    b[at] = ord('X')
for entry, size in declare.items():
    name = entry.encode()
    at = 0
    while True:
        at = b.find(b'PK\x01\x02', at)
        if at < 0: break
        n = struct.unpack_from('<H', b, at + 28)[0]
        if bytes(b[at + 46:at + 46 + n]) == name:
            struct.pack_into('<I', b, at + 24, size)
            struct.pack_into('<I', b, struct.unpack_from('<I', b, at + 42)[0] + 22, size)
        at += 4
open(path, 'wb').write(b)
)PY";

bool makeParts(const QString &python, const QString &path, const char *change)
{
    const auto made = testsupport::runTool(python, {QStringLiteral("-c"), QString::fromUtf8(Parts), path,
                                                    QString::fromUtf8(change)});
    EXPECT_EQ(made.exitCode, 0) << made.err.constData();
    return made.exitCode == 0;
}

// The process's peak resident memory in KiB since the last reset().
struct PeakMemory {
    static void reset()
    {
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        if (clear.open(QIODevice::WriteOnly))
            clear.write("5");
    }
    static qint64 kib()
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toLongLong();
        return -1;
    }
    static qint64 current()
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ').value(0).toLongLong();
        return -1;
    }
};

QStringList said(platform::ScriptedUiServices &ui)
{
    QStringList out;
    for (const QString &m : ui.messages())
        out << m.trimmed();
    ui.clear();
    return out;
}

QStringList listed(QTableWidget *list, int column)
{
    QStringList out;
    for (int r = 0; r < list->rowCount(); ++r)
        out << (list->item(r, column) ? list->item(r, column)->text() : QString());
    return out;
}

// The spreadsheet table as text: titles, then the rows.
QString tableText(const Data_From_Excel &t)
{
    QStringList titles;
    for (const ExcelColumn &c : t.ColList)
        titles << c.title;
    QStringList rows;
    for (const QStringList &r : t.Rows())
        rows << r.join(QLatin1Char('|'));
    return titles.join(QLatin1Char('|')) + QLatin1Char(' ') + rows.join(QLatin1Char(';'));
}

// Counts in a reason are grouped as the user's locale groups them.
QString refused(const char *why, qlonglong count)
{
    return QStringLiteral("hostile.xlsx was refused: %1.").arg(QString::fromLatin1(why).arg(count));
}

}  // namespace

// A sheet refused or damaged is named with its reason in the window the user is in; the columns
// listed stay those of the sheet shown before, and OK fills the table from that sheet.
TEST(WorkbookWindows, ARefusedOrDamagedSheetSaysWhyAndChangesNothing)
{
    REQUIRE_PYTHON(python);
    struct Case {
        const char *name;
        const char *change;
        const char *reason;
    };
    const Case cases[] = {
        {"a sheet that inflates 1000 times",
         "parts['xl/worksheets/sheet2.xml'] = sheet('A1', '<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>' + '<row/>' * 500000)",
         "hostile.xlsx was refused: an entry of the archive inflates more than 200 times."},
        {"a sheet that declares 200 MiB", "declare = {'xl/worksheets/sheet2.xml': 200 << 20}",
         "hostile.xlsx was refused: the archive unpacks to more than 128 MiB."},
        {"a sheet with a checksum error", "damage = 'xl/worksheets/sheet2.xml'",
         "hostile.xlsx is damaged: checksum error in zip file: xl/worksheets/sheet2.xml."},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hostile.xlsx"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(makeParts(python, path, c.change));
        platform::ScopedScriptedUi ui;

        // The column picker.
        Data_From_Excel table;
        Import_Excel picker;
        picker.table = &table;
        picker.open_mode = QStringLiteral("E");
        ASSERT_TRUE(picker.prepare(path));
        Import_Excel_Dialog dialog(&picker);
        dialog.show();
        // Choosing the bad sheet names its reason and leaves the first sheet and its columns shown.
        const auto choosingTheBadSheetChangesNothing = [&](QWidget &window) -> QTableWidget * {
            auto *sheets = window.findChild<QComboBox *>(QStringLiteral("Sheet_ComboBox"));
            auto *columns = window.findChild<QTableWidget *>(QStringLiteral("ColList"));
            EXPECT_TRUE(sheets && columns);
            if (!sheets || !columns)
                return nullptr;
            EXPECT_EQ(said(*ui), QStringList());
            EXPECT_EQ(listed(columns, 1), QStringList({"Name", "Town"}));
            sheets->setCurrentIndex(1);
            emit sheets->activated(1);
            EXPECT_EQ(said(*ui), QStringList{QLatin1String(c.reason)});
            EXPECT_EQ(listed(columns, 1), QStringList({"Name", "Town"}));
            EXPECT_EQ(sheets->currentIndex(), 0);
            return columns;
        };
        QTableWidget *columns = choosingTheBadSheetChangesNothing(dialog);
        ASSERT_NE(columns, nullptr);
        columns->item(1, 0)->setCheckState(Qt::Checked);
        testsupport::press(dialog.findChild<QPushButton *>(QStringLiteral("OKPressed")));
        EXPECT_EQ(said(*ui), QStringList());
        EXPECT_EQ(dialog.result(), 1);
        EXPECT_EQ(tableText(table), QStringLiteral("No.|Town 1|Oslo"));

        // The import window.
        Import_Excel_DataSheet window;
        window.prepare(path);
        EXPECT_NE(choosingTheBadSheetChangesNothing(window), nullptr);
    }
}

// A workbook refused or damaged as it opens, or in its first sheet: one line with the reason, no
// column to tick, and OK leaves the spreadsheet table as it was. Parts read into a tree are
// bounded on their own, and refusing them costs little memory.
TEST(WorkbookWindows, ARefusedOrDamagedWorkbookSaysWhyAndLeavesTheTable)
{
    REQUIRE_PYTHON(python);
    struct Case {
        const char *name;
        const char *change;
        QString reason;
        bool opens;  // prepare() lets the picker follow: another sheet can be chosen
        int sheets = 0;  // the sheets listed
    };
    const Case cases[] = {
        {"a first sheet with a checksum error",
         "damage = 'xl/worksheets/sheet1.xml'; parts['xl/worksheets/sheet1.xml'] = sheet('A1', "
         "'<row r=\"1\">%s</row>' % text('A1', 'Zebra'))",
         "hostile.xlsx is damaged: checksum error in zip file: xl/worksheets/sheet1.xml.", true, 2},
        // With no other sheet to choose, no picker follows the error.
        {"its only sheet with a checksum error",
         "damage = 'xl/worksheets/sheet2.xml'; parts['xl/workbook.xml'] = book(1); "
         "parts['xl/_rels/workbook.xml.rels'] = rels(1)",
         "hostile.xlsx is damaged: checksum error in zip file: xl/worksheets/sheet2.xml.", false, 1},
        {"styles of 1.2 million empty elements", "parts['xl/styles.xml'] = '<styleSheet %s>%s</styleSheet>' % (NS, noise(1200000))",
         refused("xl/styles.xml holds more than %L1 elements", 1000000), false},
        {"10,001 sheets", "parts['xl/workbook.xml'] = book(10001)", refused("it holds more than %L1 sheets", 10000), false},
        {"relationships of 100,003 elements", "parts['xl/_rels/workbook.xml.rels'] = rels(2, noise(100000))",
         refused("xl/_rels/workbook.xml.rels is larger than 16 MiB or holds more than %L1 elements", 100000), false},
        {"a workbook part of 150,000 elements",
         "parts['xl/workbook.xml'] = book(2, '<definedNames>%s</definedNames>' % noise(150000))",
         refused("xl/workbook.xml is larger than 16 MiB or holds more than %L1 elements", 100000), false},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hostile.xlsx"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(makeParts(python, path, c.change));
        platform::ScopedScriptedUi ui;
        Data_From_Excel table;
        table.fillFromSheet({{"Kept"}, {"row"}}, {0}, true);

        const qint64 before = PeakMemory::current();
        PeakMemory::reset();
        Import_Excel picker;
        picker.table = &table;
        picker.open_mode = QStringLiteral("E");
        EXPECT_EQ(picker.prepare(path), c.opens);
        const qint64 peak = PeakMemory::kib();
        if (before > 0 && peak > 0) {
            EXPECT_LT(peak - before, 48 * 1024) << "KiB";
        }
        EXPECT_EQ(said(*ui), QStringList{c.reason});
        Import_Excel_Dialog dialog(&picker);
        dialog.show();
        EXPECT_EQ(dialog.findChild<QComboBox *>(QStringLiteral("Sheet_ComboBox"))->count(), c.sheets);
        EXPECT_EQ(dialog.findChild<QTableWidget *>(QStringLiteral("ColList"))->rowCount(), 0);
        testsupport::press(dialog.findChild<QPushButton *>(QStringLiteral("OKPressed")));
        EXPECT_EQ(said(*ui), QStringList{QStringLiteral("There is no column.")});
        EXPECT_EQ(tableText(table), QStringLiteral("No.|Kept 1|row"));

        Import_Excel_DataSheet window;
        window.prepare(path);
        EXPECT_EQ(said(*ui), QStringList{c.reason});
        EXPECT_EQ(window.findChild<QTableWidget *>(QStringLiteral("ColList"))->rowCount(), 0);
    }
}

// A small file that unpacks to much is read like a large one: on a worker under the window's
// please-wait sheet, not on the window's thread.
TEST(WorkbookWindows, AWorkbookThatUnpacksLargeIsLongWork)
{
    REQUIRE_PYTHON(python);
    QTemporaryDir dir;
    const QString small = dir.filePath(QStringLiteral("small.xlsx"));
    const QString packed = dir.filePath(QStringLiteral("packed.xlsx"));
    ASSERT_TRUE(makeParts(python, small, ""));
    // Styles of 10 MB in under a megabyte of file (and within every limit: the elements are
    // counted, the ratio stays below 200).
    ASSERT_TRUE(makeParts(python, packed, "parts['xl/worksheets/sheet1.xml'] += '<!--%s-->' % ('x' * 100);"
                                          "parts['xl/styles.xml'] = '<styleSheet %s><cellXfs><xf numFmtId=\"0\"/></cellXfs>"
                                          "<!--%s--></styleSheet>' % (NS, ''.join(random.choice(('aaaaaaaa', 'bbbbbbbb')) for _ in range(10 << 17)))"));
    ASSERT_LT(QFileInfo(packed).size(), 1024 * 1024);
    for (const QString &path : {small, packed}) {
        SCOPED_TRACE(path.toStdString());
        const bool large = path == packed;
        EXPECT_EQ(SpreadsheetWriter::Long_Work_For_Workbook(path), large);
        platform::ScopedScriptedUi ui;
        Import_Excel_DataSheet window;
        window.prepare(path);
        EXPECT_EQ(said(*ui), QStringList());
        EXPECT_EQ(listed(window.findChild<QTableWidget *>(QStringLiteral("ColList")), 1), QStringList({"Name", "Town"}));
        EXPECT_EQ(window.findChild<Plz_Wait_Sheet *>() != nullptr, large);
    }
}

// Every stored row is a row, cells or not, as openpyxl counts it: a batch over the sheet makes a
// card for each. Rows the sheet does not store stay out.
TEST(WorkbookRows, StoredRowsWithoutCellsAreRowsAsOpenpyxlCountsThem)
{
    REQUIRE_PYTHON(python);
    struct Case {
        const char *name;
        const char *snippet;
        int rows;  // data rows the table gets (the header row not counted)
        bool allStored;  // openpyxl's max_row is then the stored row count
    };
    const Case cases[] = {
        {"openpyxl's own empty row",
         "ws.append(['Name', 'Town']); ws.append(['Ann', 'Oslo']); ws.cell(row=3, column=1)\n"
         "ws.append(['Bob', 'Rome']); ws.append(['Cy', 'Bern']); wb.save(path)",
         4, true},
        {"a bare row between filled ones, and one at the top",
         "ws.append(['Name', 'Town']); ws.append(['Ann', 'Oslo']); ws.append(['Bob', 'Rome']); wb.save(path)\n"
         "patch({'xl/worksheets/sheet1.xml': sheet('A1:B5', '<row r=\"1\"/>"
         "<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>Name</t></is></c><c r=\"B2\" t=\"inlineStr\"><is><t>Town</t></is></c></row>"
         "<row r=\"3\"><c r=\"A3\" t=\"inlineStr\"><is><t>Ann</t></is></c></row><row r=\"4\"/>"
         "<row r=\"5\"><c r=\"B5\" t=\"inlineStr\"><is><t>Rome</t></is></c></row>')})",
         4, true},
        {"rows not stored stay out", "ws['A1'] = 'Name'; ws['A2'] = 'Ann'; ws['A5'] = 'Bob'; wb.save(path)", 2, false},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rows.xlsx"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(xlsxtest::build(python, QString::fromUtf8(c.snippet), path).exitCode, 0);
        const auto counted = testsupport::runTool(
            python, {QStringLiteral("-c"),
                     QStringLiteral("import openpyxl, sys, zipfile, re\n"
                                    "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
                                    "stored = len(re.findall(rb'<row[ >/]', zipfile.ZipFile(sys.argv[1]).read('xl/worksheets/sheet1.xml')))\n"
                                    "print(ws.max_row, stored)"),
                     path});
        ASSERT_EQ(counted.exitCode, 0) << counted.err.constData();
        const QList<QByteArray> numbers = counted.out.trimmed().split(' ');
        const int maxRow = numbers.value(0).toInt(), stored = numbers.value(1).toInt();
        EXPECT_EQ(maxRow == stored, c.allStored) << maxRow << " " << stored;

        platform::ScopedScriptedUi ui;
        Data_From_Excel table;
        Import_Excel picker;
        picker.table = &table;
        picker.open_mode = QStringLiteral("E");
        ASSERT_TRUE(picker.prepare(path));
        picker.Select_ALL_Pressed();
        ASSERT_TRUE(picker.OKPressed());
        EXPECT_EQ(said(*ui), QStringList());
        EXPECT_EQ(table.rowCount(), stored - 1);
        EXPECT_EQ(table.rowCount(), c.rows);
        if (c.allStored) {
            EXPECT_EQ(table.rowCount(), maxRow - 1);
        }
    }
}

// Listing a sheet's columns reads its first row, and reads on only while the sheet's stated
// width is not yet reached by stored cells; the row read that follows sees every row.
TEST(WorkbookRows, ListingColumnsReadsTheFirstRowOnly)
{
    REQUIRE_PYTHON(python);
    struct Case {
        const char *name;
        const char *snippet;
        const char *names;
        qint64 rowsListed;  // rows the column listing went through
    };
    const Case cases[] = {
        {"a first row as wide as the sheet",
         "ws.append(['Name', 'Town']); [ws.append(['n%d' % r, 't%d' % r]) for r in range(2000)]; wb.save(path)",
         "Name|Town", 1},
        {"a first row narrower than the stated width",
         "ws.append(['Name']); ws.append(['a']); ws.append(['b', 'c']); [ws.append(['x', 'y']) for r in range(100)]\n"
         "wb.save(path)",
         "Name|Untitled Column 2", 3},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("first.xlsx"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(xlsxtest::build(python, QString::fromUtf8(c.snippet), path).exitCode, 0);
        SpreadsheetWriter reader;
        ASSERT_TRUE(reader.openWorkbook(path));
        ReadProgress progress;
        reader.progress = &progress;
        int columns = 0;
        ASSERT_TRUE(reader.ReadData(reader.sheetPartPath(1), columns, true));
        EXPECT_EQ(xlsxtest::flat(reader.data), QLatin1String(c.names));
        EXPECT_EQ(progress.done.load(), c.rowsListed);
        ASSERT_TRUE(reader.ReadData(reader.sheetPartPath(1), columns));
        EXPECT_GT(reader.data.size(), 100);
        EXPECT_EQ(columns, 2);
    }
}
