// Workbooks we write, as openpyxl and our own reader see them.

#include "XlsxTestSupport.h"

#include "data/spreadsheet/SpreadsheetWriter.h"

#include <QFile>
#include <QTemporaryDir>

using xlsxtest::flat;

TEST(SpreadsheetWrite, OpenpyxlReadsTheTableWithTextsKeptAsTexts)
{
    REQUIRE_PYTHON(python);
    QList<QStringList> rows;
    for (int r = 0; r < 5; ++r) {
        QStringList row;
        for (int c = 0; c < 12; ++c)
            row.append(QStringLiteral("r%1c%2").arg(r).arg(c));
        rows.append(row);
    }
    rows[1] = QStringList{QStringLiteral("007"), QStringLiteral("12"), QStringLiteral("-3"), QStringLiteral("0.1"),
                          QStringLiteral("1.50"), QStringLiteral("3,5"), QStringLiteral("1e5"),
                          QStringLiteral("a\x01" "b"), QStringLiteral(" lead"), QStringLiteral("x_x0041_y"),
                          QStringLiteral("1234567890123456"), QStringLiteral("Ann & <Bob>")};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.xlsx"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("an older file") > 0);
    old.close();
    QString error;
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(path, rows, false, &error)) << qPrintable(error);

    const auto seen = testsupport::runTool(python, {QStringLiteral("-c"), QStringLiteral(R"PY(
import sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).active
print(ws.calculate_dimension())
print('|'.join('%s:%s' % (type(c.value).__name__, c.value) for c in ws[2]))
)PY"), path});
    ASSERT_EQ(seen.exitCode, 0) << seen.err.constData();
    EXPECT_EQ(QString::fromUtf8(seen.out).trimmed(),
              QStringLiteral("A1:L5\nstr:007|int:12|int:-3|float:0.1|str:1.50|str:3,5|str:1e5|str:a_x0001_b|"
                             "str: lead|str:x_x0041_y|str:1234567890123456|str:Ann & <Bob>"));

    // Our own reader gives back exactly what was written.
    SpreadsheetWriter reader;
    ASSERT_TRUE(reader.openWorkbook(path));
    int columns = 0;
    ASSERT_TRUE(reader.ReadData(reader.sheetPartPath(1), columns));
    EXPECT_EQ(flat(reader.data), flat(rows));
}

TEST(SpreadsheetWrite, FailuresAreReportedAndLeaveTheDestinationAlone)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("keep.xlsx"));
    QFile keep(existing);
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly) && keep.write("keep") == 4);
    keep.close();
    const struct {
        QString destination;
        QList<QStringList> rows;
    } cases[] = {
        {dir.filePath(QStringLiteral("missing/folder/out.xlsx")), {{QStringLiteral("a")}}},
        {existing, {}},
        {existing, {QStringList()}},
    };
    for (const auto &c : cases) {
        QString error;
        EXPECT_FALSE(SpreadsheetWriter::WriteWorkbook(c.destination, c.rows, false, &error));
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(cases[0].destination));
    ASSERT_TRUE(keep.open(QIODevice::ReadOnly));
    EXPECT_EQ(keep.readAll(), QByteArray("keep"));
}
