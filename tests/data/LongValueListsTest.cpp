// One long value in a list: every list shows a bounded prefix of it while the data keeps it
// whole; and what killed runs left of their unpacked workbooks and their exports is swept at start,
// never what a running one holds.

#include "XlsxTestSupport.h"

#include "canvas/WidgetUtilities.h"
#include "core/Globals.h"
#include "data/SeriesFiles.h"
#include "data/SeriesManagerWindow.h"
#include "data/SeriesViewer.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "data/spreadsheet/Import_Excel.h"
#include "data/spreadsheet/SSZipArchive.h"
#include "data/spreadsheet/SpreadsheetWriter.h"
#include "platform/UiServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTableView>
#include <QTableWidget>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <sys/time.h>

namespace {

// What a list shows of a long value: a prefix of it, bounded, marked as cut.
void expectPrefix(const QString &shown, const QString &whole)
{
    EXPECT_LE(shown.size(), List_Cell_Max);
    EXPECT_GT(shown.size(), List_Cell_Max / 2);
    EXPECT_TRUE(shown.endsWith(QChar(0x2026)));
    EXPECT_TRUE(whole.startsWith(shown.chopped(1)));
}

void setAge(const QString &path, qint64 seconds)
{
    const time_t when = time(nullptr) - time_t(seconds);
    const struct timeval times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(utimes(QFile::encodeName(path).constData(), times), 0);
}

// The number of a process that has ended (0 when none could be run).
qint64 goneProcess()
{
    QProcess ended;
    ended.start(QStringLiteral("/bin/true"), {});
    if (!ended.waitForStarted())
        return 0;
    const qint64 pid = ended.processId();
    return ended.waitForFinished() ? pid : 0;
}

}  // namespace

TEST(LongValues, ListsShowABoundedPrefixWhileTheDataKeepsTheWholeValue)
{
    REQUIRE_PYTHON(python);
    // Three million characters, and a character outside the basic plane where the cut falls.
    const QString whole = QStringLiteral("x").repeated(List_Cell_Max - 2) + QStringLiteral("\U0001F600")
                          + QStringLiteral("v").repeated(3 << 20) + QStringLiteral("end");
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;

    // The table viewer.
    Data_From_Excel table;
    table.fillFromSheet({{"Title"}, {whole}}, {0}, true);
    Data_From_Excel_Viewer viewer(&table);
    const QAbstractItemModel *model = viewer.findChild<QTableView *>(QStringLiteral("ColList"))->model();
    expectPrefix(model->index(0, 1).data().toString(), whole);
    EXPECT_EQ(table.Get_Item_Text(0, 1).value_or(QString()), whole);

    // The column picker, its names from a cell of the sheet's first row.
    QTemporaryDir dir;
    const QString book = dir.filePath(QStringLiteral("long.xlsx"));
    // A cell of three million characters that do not pack well (a sheet part inflating past
    // 200 times its size is refused before it is read).
    ASSERT_EQ(xlsxtest::build(python, QStringLiteral(
                  "import random\nws.append(['x', 'Town']); wb.save(path)\n"
                  "long = ''.join(random.choice('abcdefgh') for _ in range(3 << 20))\n"
                  "patch({'xl/worksheets/sheet1.xml': sheet('A1:B2', '<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>%s</t>"
                  "</is></c><c r=\"B1\" t=\"inlineStr\"><is><t>Town</t></is></c></row><row r=\"2\"><c r=\"A2\"><v>1</v>"
                  "</c></row>' % long)})"),
                              book).exitCode,
              0);
    Import_Excel picker;
    ASSERT_TRUE(picker.prepare(book));
    Import_Excel_Dialog dialog(&picker);
    auto *columns = dialog.findChild<QTableWidget *>(QStringLiteral("ColList"));
    ASSERT_EQ(columns->rowCount(), 2);
    // Listing the columns reads no more of a name than any list shows of it.
    const QString cell = picker.ListData_xl.first().Extension;
    EXPECT_EQ(cell.size(), SpreadsheetWriter::MaxNameChars);
    expectPrefix(columns->item(0, 1)->text(), cell);
    EXPECT_EQ(columns->item(1, 1)->text(), QStringLiteral("Town"));

    // The series viewer, over a series file of one value.
    QDir().mkpath(Data_Folder_Path);
    QFile series(Series_File_Path(QStringLiteral("Long")));
    ASSERT_TRUE(series.open(QIODevice::WriteOnly));
    series.write(whole.toUtf8() + "\nshort\n");
    series.close();
    View_Data_Series seriesViewer;
    ASSERT_TRUE(seriesViewer.Load_file_Func(series.fileName()));
    auto *values = seriesViewer.findChild<QTableWidget *>(QStringLiteral("List"));
    ASSERT_EQ(values->rowCount(), 2);
    expectPrefix(values->item(0, 0)->text(), whole);
    EXPECT_EQ(values->item(1, 0)->text(), QStringLiteral("short"));
    EXPECT_EQ(seriesViewer.ListData.first(), whole);

    // The series manager's value list.
    BatchWizard manager;
    manager.Create_Value_List(QStringList{whole, QStringLiteral("short")});
    auto *managed = manager.findChild<QTableWidget *>(QStringLiteral("List_value"));
    ASSERT_EQ(managed->rowCount(), 2);
    expectPrefix(managed->item(0, 0)->text(), whole);
    EXPECT_EQ(manager.ListData_value.first(), whole);

    // Short values are shown as they are.
    EXPECT_EQ(List_Cell_Text(QStringLiteral("a").repeated(List_Cell_Max)), QStringLiteral("a").repeated(List_Cell_Max));
}

TEST(UnpackFolders, OnlyStaleFoldersOfOurOwnAreSwept)
{
    const qint64 gone = goneProcess();
    ASSERT_GT(gone, 0);
    const qint64 self = QCoreApplication::applicationPid();

    QTemporaryDir temp;
    QTemporaryDir elsewhere;
    struct Case {
        QString name;
        qint64 age;  // seconds since the folder was last written to
        bool link;
        bool swept;
    };
    const qint64 day = 24 * 3600;
    const Case cases[] = {
        {QStringLiteral("badgeloom-xlsx-%1-aaaaaa").arg(gone), 0, false, true},           // its run was killed
        {QStringLiteral("badgeloom-xlsx-%1-bbbbbb").arg(self), 0, false, false},          // a running instance's
        {QStringLiteral("badgeloom-xlsx-%1-cccccc").arg(self), 2 * day, false, true},     // older than the process of its number
        {QStringLiteral("badgeloom-xlsx-dddddd"), 2 * day, false, true},                  // an earlier version's, old
        {QStringLiteral("badgeloom-xlsx-eeeeee"), 600, false, false},                     // an earlier version's, may run
        {QStringLiteral("badgeloom-xlsx-%1-ffffff").arg(gone), 2 * day, true, false},     // a link is never followed
        {QStringLiteral("badgeloom-series-%1").arg(gone), 2 * day, false, false},         // not ours
    };
    for (const Case &c : cases) {
        const QString path = temp.filePath(c.name);
        if (c.link) {
            ASSERT_TRUE(QDir().mkpath(elsewhere.filePath(QStringLiteral("xl"))));
            ASSERT_TRUE(QFile::link(elsewhere.path(), path));
            continue;
        }
        ASSERT_TRUE(QDir().mkpath(path + QStringLiteral("/xl/worksheets")));
        QFile part(path + QStringLiteral("/xl/worksheets/sheet1.xml"));
        ASSERT_TRUE(part.open(QIODevice::WriteOnly) && part.write("<worksheet/>") > 0);
        part.close();
        setAge(path, c.age);
    }
    int expected = 0;
    for (const Case &c : cases)
        expected += c.swept;
    EXPECT_EQ(SpreadsheetWriter::Sweep_Stale_Workbook_Folders(temp.path()), expected);
    for (const Case &c : cases)
        EXPECT_EQ(QFileInfo::exists(temp.filePath(c.name)), !c.swept) << c.name.toStdString();
    EXPECT_TRUE(QDir(elsewhere.filePath(QStringLiteral("xl"))).exists());

    // A workbook being read unpacks into a folder named after this process, which a sweep
    // leaves alone.
    const QString book = elsewhere.filePath(QStringLiteral("tiny.xlsx"));
    {
        SSZipArchive zip(book);
        ASSERT_TRUE(zip.open());
        zip.writeData("<workbook><sheets/></workbook>", QStringLiteral("xl/workbook.xml"));
        ASSERT_TRUE(zip.close());
    }
    // Put back before `temp` goes, however the case ends: a failed check must not leave every
    // later test a temporary folder that is gone.
    const auto restoreTemp = [saved = qgetenv("TMPDIR")] { saved.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", saved); };
    const auto restoreAnyway = qScopeGuard(restoreTemp);
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    SpreadsheetWriter reader;
    const bool opened = reader.openWorkbook(book);
    restoreTemp();
    ASSERT_TRUE(opened) << qPrintable(reader.lastError());
    EXPECT_TRUE(reader.tmpDir().startsWith(temp.filePath(QStringLiteral("badgeloom-xlsx-%1-").arg(self))))
        << qPrintable(reader.tmpDir());
    EXPECT_EQ(SpreadsheetWriter::Sweep_Stale_Workbook_Folders(temp.path()), 0);
    EXPECT_TRUE(QFileInfo::exists(reader.tmpDir() + QStringLiteral("/xl/workbook.xml")));
}

// An export killed while it writes leaves its part file beside the destination; the note it
// keeps in the temporary folder leads the next start's sweep to it, and to nothing else.
TEST(UnpackFolders, PartFilesOfKilledExportsAreSwept)
{
    const qint64 gone = goneProcess();
    ASSERT_GT(gone, 0);
    QTemporaryDir temp, folder;
    const auto restoreTemp = [saved = qgetenv("TMPDIR")] { saved.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", saved); };
    const auto restoreAnyway = qScopeGuard(restoreTemp);
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    const QString book = folder.filePath(QStringLiteral("rows.xlsx"));
    QStringList notesWhileWriting;
    QByteArray noted;
    {
        SSZipArchive zip(book);
        ASSERT_TRUE(zip.open());
        notesWhileWriting = QDir(temp.path()).entryList(QDir::Files);
        QFile note(temp.filePath(notesWhileWriting.value(0)));
        if (note.open(QIODevice::ReadOnly))
            noted = note.readAll();
        // A running export's part is never swept.
        EXPECT_EQ(SpreadsheetWriter::Sweep_Stale_Workbook_Folders(temp.path()), 0);
        ASSERT_TRUE(zip.writeData("x", QStringLiteral("a.txt")) && zip.close());
    }
    restoreTemp();  // the sweeps below look at the folder, not at new notes in it
    ASSERT_EQ(notesWhileWriting.size(), 1);
    EXPECT_TRUE(notesWhileWriting[0].startsWith(QStringLiteral("badgeloom-part-%1-").arg(QCoreApplication::applicationPid())));
    EXPECT_TRUE(SSZipArchive::Is_Part_File_Name(QFileInfo(QFile::decodeName(noted)).fileName())) << noted.constData();
    EXPECT_TRUE(QDir(temp.path()).entryList(QDir::Files).isEmpty());  // a finished archive leaves no note

    const struct {
        const char *part;  // the file the note names, beside the destination
        qint64 pid;
        bool link;
        bool swept;
    } cases[] = {
        {"rows.xlsx.Ab12Cd.part", gone, false, true},
        {"rows.xlsx.Ef34Gh.part", QCoreApplication::applicationPid(), false, false},  // still being written
        {"rows-copy.xlsx", gone, false, false},                                       // a user's file
        {"rows.xlsx.Ij56Kl.part", gone, true, false},                                 // a link is never followed
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.part);
        const QString part = folder.filePath(QString::fromLatin1(c.part));
        QFile::remove(part);
        ASSERT_TRUE(c.link ? QFile::link(book, part) : QFile::copy(book, part));
        QFile note(temp.filePath(QStringLiteral("badgeloom-part-%1-aaaaaa").arg(c.pid)));
        ASSERT_TRUE(note.open(QIODevice::WriteOnly) && note.write(QFile::encodeName(part)) > 0);
        note.close();
        EXPECT_EQ(SpreadsheetWriter::Sweep_Stale_Workbook_Folders(temp.path()), c.swept ? 1 : 0);
        EXPECT_EQ(QFileInfo::exists(part), !c.swept);
        EXPECT_EQ(note.exists(), c.pid != gone);  // the note of a gone run goes, whatever it named
        EXPECT_TRUE(QFileInfo::exists(book));
        note.remove();
    }
}
