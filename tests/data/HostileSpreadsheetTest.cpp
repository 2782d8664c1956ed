// Small generated workbooks that multiply out: each must be refused by its limit (with a message
// naming the file and the limit) or read into a table sized by the cells it really stores.

#include "XlsxTestSupport.h"

#include "data/spreadsheet/Import_Excel.h"
#include "data/spreadsheet/SSZipArchive.h"
#include "data/spreadsheet/SpreadsheetWriter.h"
#include "platform/UiServices.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

using xlsxtest::flat;

namespace {

// A bare workbook of one sheet written by python's zipfile: `sheet` is the sheetData content,
// `extra` python run before closing (z is the open archive, ZIP_DEFLATED the method), `after`
// python run on the finished file at `path`.
const char *BareBook = R"PY(
import sys, zipfile, struct
path, dim, rows, extra, after = sys.argv[1:6]
NS = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
R = 'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"'
REL = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships/'
z = zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED)
z.writestr('_rels/.rels', '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
           '<Relationship Id="rId1" Type="%sofficeDocument" Target="xl/workbook.xml"/></Relationships>' % REL)
z.writestr('xl/workbook.xml', '<workbook %s %s><sheets><sheet name="S" sheetId="1" r:id="rId1"/></sheets></workbook>' % (NS, R))
z.writestr('xl/_rels/workbook.xml.rels', '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
           '<Relationship Id="rId1" Type="%sworksheet" Target="worksheets/sheet1.xml"/></Relationships>' % REL)
z.writestr('xl/worksheets/sheet1.xml', '<worksheet %s><dimension ref="%s"/><sheetData>%s</sheetData></worksheet>'
           % (NS, dim, eval(rows)))
exec(extra)
z.close()
exec(after)
)PY";

struct Book {
    const char *name;
    const char *dimension;
    const char *rows;   // a python expression giving the sheetData content
    const char *extra = "";
    const char *after = "";
};

bool makeBook(const QString &python, const QString &path, const Book &b)
{
    const auto made = testsupport::runTool(python, {QStringLiteral("-c"), QString::fromUtf8(BareBook), path,
                                                    QString::fromUtf8(b.dimension), QString::fromUtf8(b.rows),
                                                    QString::fromUtf8(b.extra), QString::fromUtf8(b.after)});
    EXPECT_EQ(made.exitCode, 0) << made.err.constData();
    return made.exitCode == 0;
}

// Sets the uncompressed size a zip declares for `entry`, in its local header and its central
// directory, leaving the data as it is.
const char *Declare = R"PY(
b = bytearray(open(path, 'rb').read())
def declare(entry, size):
    name = entry.encode()
    at = 0
    while True:
        at = b.find(b'PK\x01\x02', at)
        if at < 0: break
        n = struct.unpack_from('<H', b, at + 28)[0]
        if bytes(b[at + 46:at + 46 + n]) == name:
            struct.pack_into('<I', b, at + 24, size)
            local = struct.unpack_from('<I', b, at + 42)[0]
            struct.pack_into('<I', b, local + 22, size)
        at += 4
)PY";

}  // namespace

TEST(HostileSpreadsheet, TablesAreSizedByStoredCellsAndBoundedByTheCellLimit)
{
    REQUIRE_PYTHON(python);
    struct Case {
        Book book;
        bool namesOk;        // listing the columns (the first row) succeeds
        const char *header;  // its names, when worth spelling out
        bool ok;             // reading every row succeeds
        QString rows;
    };
    const Case cases[] = {
        // A dimension of the whole width costs nothing; rows without cells are rows, as narrow
        // as the sheet's stored cells.
        {{"stated dimension A1:XFD1, 976 empty rows", "A1:XFD1", "'<row/>' * 976 + '<row><c r=\"B1\"><v>7</v></c></row>'"},
         true, "Untitled Column 1|Untitled Column 2", true, QStringLiteral("|;").repeated(976) + QStringLiteral("|7")},
        {{"100,000 rows without cells", "A1:A1", "'<row><c r=\"A1\"><v>1</v></c></row>' + '<row/>' * 100000"},
         true, "1", true, QStringLiteral("1") + QStringLiteral(";").repeated(100000)},
        // Each row without cells counts as one cell against the limit.
        {{"a million and a half rows without cells", "A1",
          "'<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>' + ''.join('<row r=\"%d\"/>' % r for r in range(2, 1500002))"},
         true, "1", false, {}},
        // 100 rows of one cell under a row that reaches XFD: 100 x 16384 cells once widened. The
        // first row alone lists its columns.
        {{"one far cell widens every row past the limit", "A1",
          "'<row><c r=\"XFD1\"><v>1</v></c></row>' + '<row><c r=\"A2\"><v>2</v></c></row>' * 99"},
         true, nullptr, false, {}},
        {{"a million and a half and one stored cells", "A1",
          "''.join('<row>' + ''.join('<c><v>%d</v></c>' % (r * 1000 + k) for k in range(1000)) + '</row>'"
          " for r in range(1500)) + '<row><c/></row>'"},
         true, nullptr, false, {}},
    };
    QTemporaryDir dir;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.book.name);
        const QString path = dir.filePath(QStringLiteral("hostile.xlsx"));
        ASSERT_TRUE(makeBook(python, path, c.book));
        SpreadsheetWriter reader;
        ASSERT_TRUE(reader.openWorkbook(path)) << qPrintable(reader.lastError());
        int columns = 0;
        EXPECT_EQ(reader.ReadData(reader.sheetPartPath(1), columns, true), c.namesOk);
        if (c.namesOk && c.header) {
            EXPECT_EQ(flat(reader.data), QLatin1String(c.header));
        }
        EXPECT_EQ(reader.ReadData(reader.sheetPartPath(1), columns), c.ok);
        if (c.ok) {
            EXPECT_EQ(flat(reader.data), c.rows);
            continue;
        }
        EXPECT_TRUE(reader.refused());
        EXPECT_TRUE(reader.data.isEmpty());
        EXPECT_EQ(reader.lastError(), QStringLiteral("hostile.xlsx was refused: the sheet holds more than %L1 cells.")
                                          .arg(SpreadsheetWriter::MaxCells));
    }
}

TEST(HostileSpreadsheet, SharedStringsAreBoundedByTheCellLimit)
{
    QTemporaryDir dir;
    for (const qint64 count : {SpreadsheetWriter::MaxCells, SpreadsheetWriter::MaxCells + 1}) {
        QFile f(dir.filePath(QStringLiteral("sharedStrings.xml")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<sst>" + QByteArray("<si/>").repeated(count) + "</sst>");
        f.close();
        SpreadsheetWriter reader;
        const bool within = count <= SpreadsheetWriter::MaxCells;
        EXPECT_EQ(reader.ReadSharedStrings(f.fileName()), within) << count;
        EXPECT_EQ(reader.sharedStrings.size(), within ? count : 0);
        EXPECT_EQ(reader.refused(), !within);
        if (!within) {
            EXPECT_TRUE(reader.lastError().startsWith(QLatin1String("sharedStrings.xml was refused: it holds more than")))
                << qPrintable(reader.lastError());
        }
    }
}

TEST(HostileSpreadsheet, ZipBombsAreRefusedBeforeAnythingIsWrittenAndOnlyNeededPartsUnpack)
{
    REQUIRE_PYTHON(python);
    const std::string declareSheet = std::string(Declare) + "declare('xl/worksheets/sheet1.xml', 200 << 20)\n"
                                                            "open(path, 'wb').write(b)\n";
    struct Case {
        Book book;
        bool opens;         // the workbook opens (its sheet may still be refused)
        const char *reason; // the refusal, empty when the sheet reads
    };
    const Case cases[] = {
        {{"an unused part that inflates 1000 times", "A1", "'<row><c r=\"A1\"><v>1</v></c></row>'",
          "z.writestr('xl/media/image1.png', bytes(8 << 20))"},
         true, ""},
        {{"a sheet that inflates 1000 times", "A1", "'<row><c r=\"A1\"><v>1</v></c></row>' + '<row/>' * 500000"},
         true, "an entry of the archive inflates more than 200 times"},
        {{"a sheet that declares 200 MiB", "A1", "'<row><c r=\"A1\"><v>1</v></c></row>'", "", declareSheet.c_str()},
         true, "the archive unpacks to more than 128 MiB"},
        {{"30,000 empty entries", "A1", "'<row><c r=\"A1\"><v>1</v></c></row>'",
          "[z.writestr('xl/media/e%d' % i, '') for i in range(30000)]"},
         false, "too many entries in zip file"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hostile.xlsx"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.book.name);
        ASSERT_TRUE(makeBook(python, path, c.book));
        const QString refusal = QStringLiteral("hostile.xlsx was refused: %1.").arg(QLatin1String(c.reason));

        // Unpacking the whole archive refuses every one of them before writing a file.
        const QString dest = dir.filePath(QStringLiteral("all"));
        QString error;
        EXPECT_FALSE(SSZipArchive::unzipFileAtPath(path, dest, true, QString(), &error));
        EXPECT_FALSE(error.isEmpty());
        QDirIterator written(dest, QDir::Files, QDirIterator::Subdirectories);
        EXPECT_FALSE(written.hasNext()) << qPrintable(written.next());
        QDir(dest).removeRecursively();

        SpreadsheetWriter reader;
        EXPECT_EQ(reader.openWorkbook(path), c.opens);
        if (!c.opens) {
            EXPECT_TRUE(reader.refused());
            EXPECT_EQ(reader.lastError(), refusal);
            platform::ScopedScriptedUi ui;
            Import_Excel picker;
            EXPECT_FALSE(picker.prepare(path));
            EXPECT_EQ(ui->messages(), QStringList{QLatin1Char('\n') + refusal});  // one box, the refusal its line
            continue;
        }
        int columns = 0;
        EXPECT_EQ(reader.ReadData(reader.sheetPartPath(1), columns), !*c.reason);
        EXPECT_FALSE(QFile::exists(reader.tmpDir() + QStringLiteral("/xl/media/image1.png")));
        if (*c.reason) {
            EXPECT_FALSE(QFile::exists(reader.tmpDir() + QStringLiteral("/xl/worksheets/sheet1.xml")));
            EXPECT_TRUE(reader.refused());
            EXPECT_EQ(reader.lastError(), refusal);
        } else {
            EXPECT_EQ(flat(reader.data), QStringLiteral("1"));
            // Read from memory: the sheet never lands in the temporary folder.
            EXPECT_FALSE(QFile::exists(reader.tmpDir() + QStringLiteral("/xl/worksheets/sheet1.xml")));
        }
    }
}

// Parts inflated into memory pass the checks of parts unpacked to files: the same bytes for a
// sound entry; for a damaged, lying or oversized one no bytes and the same one-line reason.
TEST(HostileSpreadsheet, PartsInflatedIntoMemoryPassTheChecksOfUnpacking)
{
    REQUIRE_PYTHON(python);
    const char *Pack = R"PY(
import sys, zipfile, struct
path = sys.argv[1]
z = zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED)
z.writestr('xl/other.xml', 'not asked for')
kind = sys.argv[2]
if kind == 'checksum':
    z.writestr('xl/part.xml', 'hello there', zipfile.ZIP_STORED)
elif kind == 'bomb':
    z.writestr('xl/part.xml', bytes(8 << 20))
else:
    z.writestr('xl/part.xml', ''.join('<row r="%d"/>' % r for r in range(100000)))
z.close()
b = bytearray(open(path, 'rb').read())
if kind == 'checksum':
    at = b.find(b'hello there')
    b[at] = ord('j')
if kind.startswith('declares '):
    size = int(kind.split()[1])
    at = b.find(b'PK\x01\x02')
    while at >= 0:
        n = struct.unpack_from('<H', b, at + 28)[0]
        if bytes(b[at + 46:at + 46 + n]) == b'xl/part.xml':
            struct.pack_into('<I', b, at + 24, size)
            struct.pack_into('<I', b, struct.unpack_from('<I', b, at + 42)[0] + 22, size)
        at = b.find(b'PK\x01\x02', at + 4)
open(path, 'wb').write(b)
)PY";
    ZipLimits small;
    small.maxTotalBytes = std::uint64_t(1) << 20;
    const struct {
        const char *kind;
        ZipLimits limits;
        const char *reason;  // empty: inflates
        int code;
    } cases[] = {
        {"sound", {}, "", 0},
        {"sound", small, "the archive unpacks to more than 1 MiB", SSZipArchive::ErrorLimit},
        {"checksum", {}, "checksum error in zip file: xl/part.xml", SSZipArchive::ErrorChecksum},
        {"bomb", {}, "an entry of the archive inflates more than 200 times", SSZipArchive::ErrorLimit},
        {"declares 1000", {}, "checksum error in zip file: xl/part.xml", SSZipArchive::ErrorChecksum},
        {"declares 100000000", {}, "an entry of the archive inflates more than 200 times", SSZipArchive::ErrorLimit},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("parts.zip"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.kind);
        ASSERT_EQ(testsupport::runTool(python, {QStringLiteral("-c"), QString::fromUtf8(Pack), path,
                                                QString::fromUtf8(c.kind)}).exitCode, 0);
        const QStringList wanted{QStringLiteral("xl/part.xml")};
        QString fileError, memoryError;
        int fileCode = 0, memoryCode = 0;
        std::uint64_t fileBytes = 0, memoryBytes = 0;
        const QString dest = dir.filePath(QStringLiteral("out"));
        QDir(dest).removeRecursively();
        const bool unpacked = SSZipArchive::unzipEntries(path, dest, wanted, &fileError, c.limits, &fileBytes, &fileCode);
        QHash<QString, QByteArray> parts;
        const bool inflated = SSZipArchive::inflateEntries(path, wanted, parts, &memoryError, c.limits, &memoryBytes,
                                                           &memoryCode);
        EXPECT_EQ(inflated, !*c.reason);
        EXPECT_EQ(unpacked, inflated);
        EXPECT_EQ(memoryError, QLatin1String(c.reason));
        EXPECT_EQ(fileError, memoryError);
        EXPECT_EQ(memoryCode, c.code);
        EXPECT_EQ(fileCode, memoryCode);
        if (!inflated) {
            EXPECT_TRUE(parts.isEmpty());
            continue;
        }
        EXPECT_EQ(parts.keys(), wanted);  // what is not asked for is never inflated
        QFile file(dest + QStringLiteral("/xl/part.xml"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray onDisk = file.readAll();
        EXPECT_EQ(parts.value(wanted.first()), onDisk);
        EXPECT_TRUE(onDisk.startsWith("<row r=\"0\"/>") && onDisk.endsWith("<row r=\"99999\"/>"));
        EXPECT_EQ(memoryBytes, std::uint64_t(onDisk.size()));
        EXPECT_EQ(fileBytes, memoryBytes);
    }
}

namespace {

// Writes a zip at argv[1] entry by entry, as no library would: argv[2] is a python list of
// (name, data, method) and argv[3] how the sizes are declared ("", "zip64" for both sizes in a
// ZIP64 extra field, "zip64 size" for the uncompressed size alone, as `zip -fz` does, "zip64
// offset" for the local header's offset alone, "zip64 all" for sizes and offset as writers that
// always write ZIP64 do, "zip64 disk" for those and the disk number; "lying" shifts the offset a
// byte, "other" puts the entry on disk 1, "checksum" spoils the checksums).
const char *RawZip = R"PY(
import sys, struct, zlib, bz2
path, how = sys.argv[1], sys.argv[3]
NS = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
R = 'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"'
REL = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships/'
RELS = '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">%s</Relationships>'
def book(targets, workbook=None):
    sheets = ''.join('<sheet name="S%d" sheetId="%d" r:id="rId%d"/>' % (i, i, i) for i in range(1, len(targets) + 1))
    rels = ''.join('<Relationship Id="rId%d" Type="%sworksheet" Target="%s"/>' % (i, REL, t)
                   for i, t in enumerate(targets, 1))
    return [('_rels/.rels', RELS % ('<Relationship Id="rId1" Type="%sofficeDocument" Target="xl/workbook.xml"/>' % REL), 8),
            ('xl/workbook.xml', workbook or '<workbook %s %s><sheets>%s</sheets></workbook>' % (NS, R, sheets), 8),
            ('xl/_rels/workbook.xml.rels', RELS % rels, 8)]
def sheet(rows='<row><c r="A1" t="inlineStr"><is><t>Name</t></is></c></row>', tail=''):
    return '<worksheet %s><sheetData>%s</sheetData>%s</worksheet>' % (NS, rows, tail)
out, central = bytearray(), bytearray()
entries = eval(sys.argv[2])
for name, data, method in entries:
    data = data.encode() if isinstance(data, str) else data
    packed = {0: lambda d: d, 8: lambda d: zlib.compress(d, 1)[2:-4], 12: bz2.compress}[method](data)
    n, crc = name.encode(), zlib.crc32(data) ^ ('checksum' in how)
    big = {'zip64': 'uc', 'zip64 size': 'u', 'zip64 offset': 'o', '': ''}.get(how, 'uco') + 'd' * ('disk' in how)
    real = {'u': len(data), 'c': len(packed), 'o': len(out) + ('lying' in how)}
    field = lambda keys: b''.join(struct.pack('<Q', real[k]) for k in keys if k in big)
    block = lambda b: struct.pack('<HH', 1, len(b)) + b if b else b''
    local, extra = block(field('uc')), block(field('uco') + struct.pack('<I', 'other' in how) * ('d' in big))
    u, c, o = (0xFFFFFFFF if k in big else real[k] for k in 'uco')
    central += struct.pack('<IHHHHHHIIIHHHHHII', 0x02014b50, 45, 45, 0, method, 0, 0x21, crc, c, u, len(n),
                           len(extra), 0, 0xFFFF * ('d' in big), 0, 0, o) + n + extra
    out += struct.pack('<IHHHHHIIIHH', 0x04034b50, 45, 0, method, 0, 0x21, crc, c, u, len(n), len(local)) + n + local + packed
start = len(out)
out += central + struct.pack('<IHHHHIIH', 0x06054b50, 0, 0, len(entries), len(entries), len(central), start, 0)
open(path, 'wb').write(out)
)PY";

}  // namespace

// Workbooks no spreadsheet program writes, but zip tools and hostile hands do: each is read
// whole, or the picker says why in one line (nothing read silently empty, nothing left to chance).
TEST(HostileSpreadsheet, UnusualArchivesReadWholeOrSayWhy)
{
    REQUIRE_PYTHON(python);
    // 45 MiB of a sheet (a digit comment deflates about ten times): three of them are more than
    // the unpacking budget, which holds for one read, not for every sheet looked at.
    const char *big = "sheet(tail='<!--%s-->' % ''.join('%08d' % i for i in range(45 << 17)))";
    const std::string three = std::string("book(['worksheets/a.xml', 'worksheets/b.xml', 'worksheets/c.xml']) + [")
                              + "('xl/worksheets/a.xml', " + big + ", 8), ('xl/worksheets/b.xml', " + big
                              + ", 8), ('xl/worksheets/c.xml', " + big + ", 8)]";
    const char *one = "book(['worksheets/sheet1.xml']) + [('xl/worksheets/sheet1.xml', sheet(), 8)]";
    const struct {
        const char *name;
        std::string entries;
        const char *how;
        const char *reason;  // empty: every sheet lists its column "Name"
    } cases[] = {
        {"sizes in a ZIP64 field", one, "zip64", ""},
        {"the unpacked size in a ZIP64 field (zip -fz)",
         "book(['worksheets/sheet1.xml']) + [('xl/worksheets/sheet1.xml', sheet(), 0)]", "zip64 size", ""},
        {"the local header's offset in a ZIP64 field", one, "zip64 offset", ""},
        {"sizes and offset in a ZIP64 field", one, "zip64 all", ""},
        {"sizes, offset and disk number in a ZIP64 field", one, "zip64 disk", ""},
        {"a ZIP64 offset that lies", one, "zip64 disk lying",
         "hostile.xlsx is damaged: failed to open an entry of the zip file."},
        {"an entry on another disk", one, "zip64 disk other",
         "hostile.xlsx is damaged: failed to open an entry of the zip file."},
        {"a ZIP64 entry's checksum", one, "zip64 disk checksum",
         "hostile.xlsx is damaged: checksum error in zip file: _rels/.rels."},
        {"three sheets of 45 MiB each", three, "", ""},
        {"one name twice",
         "book(['worksheets/sheet1.xml']) + [('xl/worksheets/sheet1.xml', sheet(), 8)] * 2", "",
         "hostile.xlsx was refused: the archive holds two entries named xl/worksheets/sheet1.xml."},
        {"names differing in case",
         "book(['worksheets/sheet1.xml']) + [('xl/worksheets/sheet1.xml', sheet(), 8), "
         "('xl/worksheets/Sheet1.xml', sheet('<row><c r=\"A1\"><v>2</v></c></row>'), 8)]", "",
         "hostile.xlsx was refused: the archive holds two entries named xl/worksheets/Sheet1.xml."},
        {"a sheet packed with bzip2", "book(['worksheets/sheet1.xml']) + [('xl/worksheets/sheet1.xml', sheet(), 12)]",
         "", "hostile.xlsx was refused: the archive's entry xl/worksheets/sheet1.xml is packed with bzip2, which is "
             "not read here."},
        {"a sheet that is the styles part",
         "book(['styles.xml']) + [('xl/styles.xml', '<styleSheet %s><cellXfs><xf/></cellXfs></styleSheet>' % NS, 8)]",
         "", "hostile.xlsx is damaged: its sheet is kept in xl/styles.xml, which is no worksheet."},
        {"a workbook part that declares a document type",
         "book(['worksheets/sheet1.xml'], '<!DOCTYPE w><workbook %s><sheets>%s</sheets></workbook>' % (NS, "
         "'<sheet/>' * 200000)) + [('xl/worksheets/sheet1.xml', sheet(), 8)]",
         "", "hostile.xlsx was refused: xl/workbook.xml declares a document type."},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hostile.xlsx"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const auto made = testsupport::runTool(python, {QStringLiteral("-c"), QString::fromUtf8(RawZip), path,
                                                        QString::fromStdString(c.entries), QString::fromUtf8(c.how)});
        ASSERT_EQ(made.exitCode, 0) << made.err.constData();
        platform::ScopedScriptedUi ui;
        Import_Excel picker;
        picker.prepare(path);
        for (int sheet = 1; sheet < picker.sheets.size(); ++sheet)
            picker.comboBoxSelectionDidChange(sheet);
        picker.comboBoxSelectionDidChange(0);
        if (*c.reason) {
            EXPECT_EQ(ui->messages().value(0), QLatin1Char('\n') + QLatin1String(c.reason));
            continue;
        }
        EXPECT_TRUE(ui->messages().isEmpty()) << qPrintable(ui->messages().join(QLatin1Char('\n')));
        EXPECT_EQ(picker.ListData_xl.size(), 1);
        EXPECT_EQ(picker.ListData_xl.value(0).Extension, QStringLiteral("Name"));
    }
}
