// Workbooks from anywhere: whatever the bytes, the reader answers a table within its limits or
// a reason, never crashes, hangs or grows without bound. An input starting with "PK" is taken as
// the workbook file itself; any other is split at "\n--part--\n" into the workbook part, its
// relationships, a sheet, shared strings and styles, packed here into a valid archive, so the
// fuzzer reaches the XML readers past the checksums.
#include "FuzzSupport.h"
#include "data/spreadsheet/SSZipArchive.h"
#include "data/spreadsheet/SpreadsheetWriter.h"

#include <QLoggingCategory>
#include <QTemporaryDir>

namespace {

const char *const RootRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/></Relationships>";

bool packParts(const QByteArray &input, const QString &path)
{
    static const char *const names[] = {"xl/workbook.xml", "xl/_rels/workbook.xml.rels", "xl/worksheets/sheet1.xml",
                                        "xl/sharedStrings.xml", "xl/styles.xml"};
    SSZipArchive zip(path);
    if (!zip.open())
        return false;
    zip.writeData(QByteArray(RootRels), QStringLiteral("_rels/.rels"));
    qsizetype from = 0;
    for (const char *name : names) {
        const qsizetype at = input.indexOf("\n--part--\n", from);
        const QByteArray part = input.mid(from, at < 0 ? -1 : at - from);
        zip.writeData(part.isNull() ? QByteArray("") : part, QString::fromLatin1(name));
        if (at < 0)
            break;
        from = at + 10;
    }
    return zip.close();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = Fuzz_Input(data, size);
    QLoggingCategory::setFilterRules(QStringLiteral("badgeloom.info=false"));
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.xlsx"));
    QFile::remove(path);
    if (input.startsWith("PK")) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(input) != input.size())
            std::abort();
    } else if (!packParts(input, path)) {
        std::abort();
    }
    SpreadsheetWriter reader;
    if (!reader.openWorkbook(path)) {
        if (reader.lastError().isEmpty())
            std::abort();
        return 0;
    }
    if (reader.sharedStrings.size() > SpreadsheetWriter::MaxCells)
        std::abort();
    for (int sheet = 1; sheet <= std::min<qsizetype>(reader.Read_Sheet_Name().size(), 3); ++sheet) {
        for (const bool firstRowOnly : {true, false}) {
            int columns = -1;
            const bool ok = reader.ReadData(reader.sheetPartPath(sheet), columns, firstRowOnly);
            if (!ok && reader.lastError().isEmpty())
                std::abort();
            if (!ok)
                continue;
            qint64 cells = 0;
            for (const QStringList &row : reader.data) {
                if (row.size() != columns)  // every row as wide as the sheet
                    std::abort();
                cells += row.size();
            }
            if (cells > SpreadsheetWriter::MaxCells || (firstRowOnly && reader.data.size() > 1))
                std::abort();
        }
    }
    return 0;
}
