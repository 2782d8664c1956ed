// Series and imports against what a disk or a folder may hold: a full disk never replaces a
// series with a short one, a FIFO never hangs the window, a series too large is said so.

#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "data/ImportWizard.h"
#include "data/LongRead.h"
#include "data/SeriesFiles.h"
#include "data/SeriesGenerator.h"
#include "data/SeriesViewer.h"
#include "data/SeriesWindow.h"
#include "data/spreadsheet/SSZipArchive.h"
#include "data/spreadsheet/SpreadsheetWriter.h"
#include "platform/UiServices.h"
#include "platform/WholeFile.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using testsupport::fileBytes;

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

auto numbers(int to)
{
    return [to](const auto &add) {
        SeriesGenInput many;
        many.from = QStringLiteral("1");
        many.to = QString::number(to);
        Generate_Series_Values(many, add);
    };
}

TEST(HostileFiles, AFullDiskKeepsTheOldSeriesAndSaysWhy)
{
    struct Case {
        const char *name;
        qint64 room;
        int values;
    } const cases[] = {
        {"no room at all", 0, 10},
        {"cut short in the middle", 5'000, 10'000},
        {"cut short one byte before the end", 48'893, 10'000},  // 1..10000, each with a line feed: 48894 bytes
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempDataFolder data;
        platform::ScopedScriptedUi ui;
        QDir().mkpath(Data_Folder_Path);
        put(Series_File_Path(QStringLiteral("Old")), "old\n");
        ui->push(true);  // replace it
        platform::setDiskRoomForTests(c.room);
        const bool written = Create_Series_File(QStringLiteral("Old"), numbers(c.values));
        platform::setDiskRoomForTests(std::nullopt);
        EXPECT_FALSE(written);
        EXPECT_EQ(ui->messages().last(), QStringLiteral("\nError in file accessing. (No space left on device)"));
        EXPECT_EQ(fileBytes(Series_File_Path(QStringLiteral("Old"))), QByteArray("old\n"));
        EXPECT_EQ(QDir(Data_Folder_Path).entryList(QDir::Files), QStringList{QStringLiteral("Old.txt")});
    }
}

// The same on a real, small, full disk (a tmpfs of the test's own): a small series fits in one
// buffered write, whose failure only the last flush meets; a large one is cut short.
TEST(HostileFiles, ARealFullDiskKeepsTheOldSeries)
{
    struct Case {
        const char *name;
        qint64 room;
        int values;
    } const cases[] = {
        {"a small series on a full disk", 0, 10},
        {"a large series cut short", 8192, 10'000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<QByteArray> answer = testsupport::onFullDisk(
            [](const QString &folder) { put(folder + QStringLiteral("/Old.txt"), "old\n"); }, c.room,
            [&](const QString &folder) {
                QString why;
                const bool ok = Write_Series_File(folder + QStringLiteral("/Old.txt"), numbers(c.values), &why);
                return QByteArray(ok ? "written|" : "refused|") + why.toUtf8() + '|' +
                       fileBytes(folder + QStringLiteral("/Old.txt"));
            });
        if (!answer)
            GTEST_SKIP() << "this machine does not let a test mount a tmpfs; the injected cases still ran";
        EXPECT_EQ(*answer, QByteArray("refused|No space left on device|old\n"));
    }
}

// A workbook unpacked onto a full disk fails with the reason: a part left empty or cut short
// would be read as a sheet with fewer rows.
TEST(HostileFiles, AWorkbookUnpackedOntoAFullDiskFails)
{
    QTemporaryDir dir;
    // A part smaller than a file buffer, alone (its one write only meets the disk at the close),
    // and beside a large one.
    const QString small = dir.filePath(QStringLiteral("small.zip")), both = dir.filePath(QStringLiteral("both.zip"));
    for (const QString &zip : {small, both}) {
        SSZipArchive archive(zip);
        ASSERT_TRUE(archive.open());
        ASSERT_TRUE(archive.writeData(QByteArray("<row/>").repeated(1000), QStringLiteral("xl/small.xml")));
        if (zip == both) {
            ASSERT_TRUE(archive.writeData(QByteArray("<row/>").repeated(40'000), QStringLiteral("xl/large.xml")));
        }
        ASSERT_TRUE(archive.close());
    }
    struct Case {
        QString zip;
        qint64 room;
    } const cases[] = {{small, 0}, {both, 0}, {both, 16'384}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.zip.toStdString() << ", room " << c.room);
        const std::optional<QByteArray> answer = testsupport::onFullDisk(
            [](const QString &) {}, c.room,
            [&](const QString &folder) {
                QString error;
                const bool ok = SSZipArchive::unzipFileAtPath(c.zip, folder + QStringLiteral("/out"), true, QString(), &error);
                return QByteArray(ok ? "unpacked|" : "refused|") + error.toUtf8();
            });
        if (!answer)
            GTEST_SKIP() << "this machine does not let a test mount a tmpfs";
        EXPECT_TRUE(answer->startsWith("refused|could not write ")) << answer->constData();
        EXPECT_TRUE(answer->endsWith("(No space left on device)")) << answer->constData();
    }
}

// A sound workbook read while the temporary folder is full is not called corrupted: the one
// line a window shows names the system's reason.
TEST(HostileFiles, AWorkbookReadWithAFullTemporaryFolderSaysWhy)
{
    QTemporaryDir dir;
    const QString book = dir.filePath(QStringLiteral("book.xlsx"));
    QString error;
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(book, {{QStringLiteral("Name")}, {QStringLiteral("Ann")}}, true, &error))
        << error.toStdString();
    const QByteArray savedTemp = qgetenv("TMPDIR");
    for (const qint64 room : {0, 4096}) {
        SCOPED_TRACE(room);
        const std::optional<QByteArray> answer = testsupport::onFullDisk([](const QString &) {}, room, [&](const QString &folder) {
            qputenv("TMPDIR", QFile::encodeName(folder));
            SpreadsheetWriter reader;
            const bool opened = reader.openWorkbook(book);
            qputenv("TMPDIR", savedTemp);
            return opened ? QByteArray("opened") : reader.failureMessage(QStringLiteral("Either file is corrupted.")).toUtf8();
        });
        if (!answer)
            GTEST_SKIP() << "this machine does not let a test mount a tmpfs";
        EXPECT_TRUE(answer->endsWith("(No space left on device).")) << answer->constData();
    }
}

// A workbook written onto a full disk fails with the system's reason, and the old workbook stays.
TEST(HostileFiles, AWorkbookWrittenOntoAFullDiskSaysWhy)
{
    const auto workbook = [](int count) {
        return [count](const QString &path) {
            SpreadsheetWriter::Table rows{{QStringLiteral("Name"), QStringLiteral("Code")}};
            for (int r = 1; r < count; ++r)
                rows << QStringList{QStringLiteral("Name %1").arg(r), QStringLiteral("CODE-%1-%2").arg(r).arg(r * 7919 % 10007)};
            QString error;
            return SpreadsheetWriter::WriteWorkbook(path, rows, true, &error) ? QStringLiteral("written") : error;
        };
    };
    struct Case {
        const char *name;
        std::function<QString(const QString &path)> write;  // the error, or "written"
        qint64 room;
        const char *says;
    } const cases[] = {
        {"a small workbook, no room", workbook(2), 0, "could not add "},
        {"a large workbook cut short", workbook(20'000), 16'384, "could not add "},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<QByteArray> answer = testsupport::onFullDisk(
            [](const QString &folder) { put(folder + QStringLiteral("/book.xlsx"), "old workbook"); }, c.room,
            [&](const QString &folder) {
                return c.write(folder + QStringLiteral("/book.xlsx")).toUtf8() + '|' + fileBytes(folder + QStringLiteral("/book.xlsx")) +
                       '|' + QDir(folder).entryList({QStringLiteral("book*")}, QDir::Files).join(u',').toUtf8();
            });
        if (!answer)
            GTEST_SKIP() << "this machine does not let a test mount a tmpfs";
        EXPECT_TRUE(answer->startsWith(c.says)) << answer->constData();
        EXPECT_TRUE(answer->endsWith(" (No space left on device)|old workbook|book.xlsx")) << answer->constData();
    }
}

// An archive whose entries landed but whose closing directory cannot be written (here a file
// size limit, as a disk that fills at that moment) says the system's reason too.
TEST(HostileFiles, AnArchiveThatCannotBeFinishedSaysWhy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.xlsx"));
    put(path, "old workbook");
    SSZipArchive archive(path);
    ASSERT_TRUE(archive.open());
    ASSERT_TRUE(archive.writeData("x", QStringLiteral("x.txt")));
    const QStringList parts = QDir(dir.path()).entryList({QStringLiteral("book.xlsx.*.part")}, QDir::Files);
    ASSERT_EQ(parts.size(), 1);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit none = saved;
    none.rlim_cur = rlim_t(QFileInfo(dir.filePath(parts.first())).size());  // not one byte more
    setrlimit(RLIMIT_FSIZE, &none);
    const bool closed = archive.close();
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(closed);
    // The system's reason, in the user's language.
    EXPECT_EQ(archive.errorString(), QStringLiteral("could not finish %1 (%2)").arg(path, qt_error_string(EFBIG)));
    EXPECT_EQ(fileBytes(path), QByteArray("old workbook"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("book.xlsx")});
}

// Packing files into an archive opens regular files only: a FIFO among them, named or inside a
// folder, fails the archive at once (never waited on) and the old archive stays.
TEST(HostileFiles, AnArchiveNeverWaitsOnAFifo)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.xlsx"));
    const QString work = dir.filePath(QStringLiteral("work"));
    ASSERT_TRUE(QDir().mkpath(work));
    put(work + QStringLiteral("/a.xml"), "<a/>");
    const QString fifo = work + QStringLiteral("/pipe.xml");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct {
        const char *name;
        QStringList items;
    } cases[] = {{"the FIFO named", {work + QStringLiteral("/a.xml"), fifo}}, {"the folder holding it", {work}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        put(path, "old workbook");
        testsupport::FifoWatch watch(fifo);
        QString error;
        EXPECT_FALSE(SSZipArchive::createZipFileAtPath(path, c.items, &error));
        EXPECT_FALSE(watch.readerWaited()) << "the archive waited on the FIFO";
        EXPECT_EQ(error, QStringLiteral("could not read %1 (it is not a regular file)").arg(fifo));
        EXPECT_EQ(fileBytes(path), QByteArray("old workbook"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("book.xlsx")});
    }
}

TEST(HostileFiles, FifosAreNeitherListedNorWaitedOn)
{
    testsupport::TempDataFolder data;
    QDir().mkpath(Data_Folder_Path);
    put(Series_File_Path(QStringLiteral("Real")), "a\nb\n");
    const QString fifo = Series_File_Path(QStringLiteral("Pipe"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString text = QDir(Data_Folder_Path).filePath(QStringLiteral("names.csv"));
    ASSERT_EQ(mkfifo(QFile::encodeName(text).constData(), 0600), 0);
    const QString book = QDir(Data_Folder_Path).filePath(QStringLiteral("book.xlsx"));
    ASSERT_EQ(mkfifo(QFile::encodeName(book).constData(), 0600), 0);

    EXPECT_EQ(Get_datasheet_File_Name_Array(), QStringList{QStringLiteral("Real")});

    struct Road {
        const char *name;
        QString path;
        std::function<QString()> run;  // what the user is told (or the values read)
        QString expected;
    } const roads[] = {
        {"series read", fifo,
         [&] {
             ReadProgress progress;
             QString refusal;
             const auto values = Read_Series_Values(fifo, progress, &refusal);
             return (values ? values->join(u'|') : QStringLiteral("<stopped>")) + u'|' + refusal;
         },
         QStringLiteral("|%1 was refused: it is not a regular file.").arg(fifo)},
        {"series viewer", fifo,
         [&] {
             platform::ScopedScriptedUi ui;
             View_Data_Series viewer;
             viewer.file_name = QStringLiteral("Pipe");
             int opened = 0;
             const SeriesModalRunner previous = Set_Series_Modal_Runner([&](QDialog &) { return ++opened; });
             viewer.Open_Wnd();
             Set_Series_Modal_Runner(previous);
             return QString::number(opened) + ui->messages().join(u'|');
         },
         QStringLiteral("0\n%1 was refused: it is not a regular file.").arg(fifo)},
        {"text import typed into the wizard", text,
         [&] {
             platform::ScopedScriptedUi ui;
             ImportTarget target;
             target.seriesName = QStringLiteral("From pipe");
             const bool imported = Import_Text_File(text, target);
             return QString::number(imported) + ui->messages().join(u'|');
         },
         QStringLiteral("0\nnames.csv was refused: it is not a regular file.")},
        {"workbook", book,
         [&] {
             SpreadsheetWriter reader;
             return QString::number(reader.openWorkbook(book));
         },
         QStringLiteral("0")},
    };
    for (const Road &r : roads) {
        SCOPED_TRACE(r.name);
        testsupport::FifoWatch watch(r.path);
        EXPECT_EQ(r.run(), r.expected);
        EXPECT_FALSE(watch.readerWaited()) << "the read waited on the FIFO";
    }
    EXPECT_FALSE(QFile::exists(Series_File_Path(QStringLiteral("From pipe"))));
}

TEST(HostileFiles, ASeriesTooLargeIsSaidInTheWindow)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    QDir().mkpath(Data_Folder_Path);
    const QString path = Series_File_Path(QStringLiteral("Huge"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(64LL * 1024 * 1024 + 1));  // sparse: costs the disk nothing
    }
    View_Data_Series viewer;
    viewer.file_name = QStringLiteral("Huge");
    int opened = 0;
    const SeriesModalRunner previous = Set_Series_Modal_Runner([&](QDialog &) { return ++opened; });
    viewer.Open_Wnd();
    Set_Series_Modal_Runner(previous);
    EXPECT_EQ(opened, 0) << "the viewer opened on a series it did not read";
    EXPECT_EQ(ui->messages(), QStringList{QStringLiteral("\n%1 was refused: it is larger than 64 MB.").arg(path)});
}

}  // namespace
