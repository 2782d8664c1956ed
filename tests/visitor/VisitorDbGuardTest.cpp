// A visitor database that is not ours: a view or trigger planted in it, or a FIFO in its place,
// must answer "Error in database access" and record nothing, never block or run without end.

#include "TestSupport.h"

#include "core/Globals.h"
#include "core/Utilities.h"
#include "platform/UiServices.h"
#include "visitor/VisitorDatabase.h"
#include "visitor/VisitorDbGuard.h"
#include "visitor/VisitorRecorder.h"
#include "visitor/Visitor_Pass.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using testsupport::runTool;

const char *const Endless = "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c)";

TEST(VisitorDatabaseGuard, ForeignSchemasAndFifosAreRefusedAndNothingIsRecorded)
{
    REQUIRE_TOOL(sqlite, "sqlite3");
    struct Case {
        const char *name;
        QString prepare;  // run by sqlite3 on the seeded database; empty: a FIFO takes its place
        const char *reason;
        const char *check, *after;  // a query run by sqlite3 afterwards, and what it must print
    } const cases[] = {
        {"an endless view", QStringLiteral("DROP TABLE Visitor_Records; CREATE VIEW Visitor_Records AS %1 "
                                           "SELECT x AS ID, 'v' AS VName, '2026-01-01 00:00:00' AS Date_Time_Stamp FROM c;")
                                .arg(QLatin1String(Endless)),
         "Visitor_Records is a view, not a table", "SELECT type FROM sqlite_master WHERE name = 'Visitor_Records';",
         "view\n"},
        {"an endless insert trigger",
         QStringLiteral("CREATE TABLE Sink(x); CREATE TRIGGER grow AFTER INSERT ON Visitor_Records BEGIN "
                        "INSERT INTO Sink %1 SELECT x FROM c; END;").arg(QLatin1String(Endless)),
         "it holds a trigger we did not create (grow)",
         "SELECT (SELECT count(*) FROM Visitor_Records), (SELECT count(*) FROM Sink);", "0|0\n"},
        {"a FIFO", QString(), "it is not a regular file", "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempDataFolder data;
        Check_Path_And_Create_VISITOR_Files();
        if (c.prepare.isEmpty()) {
            ASSERT_TRUE(QFile::remove(Database_Path));
            ASSERT_EQ(mkfifo(QFile::encodeName(Database_Path).constData(), 0600), 0);
        } else {
            ASSERT_EQ(runTool(sqlite, {Database_Path, c.prepare}).exitCode, 0);
        }
        QString reason;
        EXPECT_EQ(Open_Visitor_Database(Database_Path, true, &reason), nullptr);
        EXPECT_EQ(reason, QStringLiteral("%1 was refused: %2.").arg(Database_Path, QLatin1String(c.reason)));
        EXPECT_EQ(Run_Visit_Query(Database_Path, Latest_Visits_Query()).status, VisitDbStatus::OpenFailed);
        EXPECT_EQ(Fetch_Visit(Database_Path, 1).status, VisitDbStatus::OpenFailed);

        platform::ScopedScriptedUi ui;
        VisitorRecord r;
        r.stamp = QStringLiteral("2026-12-07 09:05:01");
        r.side[0].values[0] = QStringLiteral("Ann");
        EXPECT_FALSE(Visitor_DB().Insert_Visitor_Record(r));
        // The operator is told why: the file in the database's place is theirs to mend.
        EXPECT_EQ(ui->messages(), QStringList{QStringLiteral("Error in database access.\n") + reason});
        if (c.prepare.isEmpty())
            continue;
        EXPECT_EQ(runTool(sqlite, {Database_Path, QLatin1String(c.check)}).out, QByteArray(c.after));
    }
}

TEST(VisitorDatabaseGuard, StatementsPastTheirStepBudgetAreInterrupted)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    struct Case {
        const char *name;
        QByteArray sql;
        long long budget;
        int rc;
    } const cases[] = {
        {"endless", QByteArray(Endless) + " SELECT count(*) FROM c", 1'000'000, SQLITE_INTERRUPT},
        {"ten thousand rows", QByteArray(Endless) + " SELECT count(*) FROM (SELECT x FROM c LIMIT 10000)", 1'000'000,
         SQLITE_ROW},
        {"the same past a small budget", QByteArray(Endless) + " SELECT count(*) FROM (SELECT x FROM c LIMIT 10000)",
         10'000, SQLITE_INTERRUPT},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        sqlite3_stmt *st = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db, c.sql.constData(), -1, &st, nullptr), SQLITE_OK);
        VisitorDbLimits limits;
        limits.maxSteps = c.budget;
        limits.maxTime = std::chrono::hours(1);  // only the step count may stop it
        {
            Visitor_Statement_Guard guard(db, limits);
            EXPECT_EQ(sqlite3_step(st), c.rc);
            EXPECT_EQ(guard.interrupted(), c.rc == SQLITE_INTERRUPT);
        }
        if (c.rc == SQLITE_ROW) {
            EXPECT_EQ(sqlite3_column_int(st, 0), 10000);
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
}

}  // namespace

namespace {

// A Visitor.db that is a link, to a database or to nothing, is refused with the reason and
// nothing is written anywhere; a database the program makes is readable by the user alone,
// also in a data folder reached through a linked folder (a home folder often is).
TEST(VisitorDatabaseGuard, LinksAreRefusedAndANewDatabaseIsPrivate)
{
    REQUIRE_TOOL(sqlite, "sqlite3");
    struct Case {
        const char *name;
        bool targetExists;  // the link points at a real database
        bool link;
        bool linkedHome = false;  // the data folder lies below a link to a folder
    } const cases[] = {
        {"a link to another database", true, true},
        {"a dangling link", false, true},
        {"no file yet", false, false},
        {"no file yet, below a linked home folder", false, false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempDataFolder data;
        if (c.linkedHome) {
            ASSERT_TRUE(QDir(data.root()).mkdir(QStringLiteral("real-home")));
            const QString home = data.root() + QStringLiteral("/home");
            ASSERT_EQ(symlink("real-home", QFile::encodeName(home).constData()), 0);
            Created_Resource_Path = home + QStringLiteral("/data");
        }
        Check_Path_And_Create_VISITOR_Files();
        ASSERT_TRUE(QFile::remove(Database_Path));
        const QString target = data.root() + QStringLiteral("/elsewhere.db");
        if (c.targetExists) {
            ASSERT_TRUE(QFile::copy(data.resourcePath() + QStringLiteral("/Visitor.db"), target));
        }
        if (c.link) {
            ASSERT_EQ(symlink(QFile::encodeName(target).constData(), QFile::encodeName(Database_Path).constData()), 0);
        }
        // The folder's set-up runs before each recording: it must not copy the seed through the
        // link. Without a link it is left out, so the database is made by the open itself.
        if (c.link)
            Check_Path_And_Create_VISITOR_Files();

        platform::ScopedScriptedUi ui;
        VisitorRecord r;
        r.stamp = QStringLiteral("2026-12-07 09:05:01");
        r.side[0].values[0] = QStringLiteral("Ann");
        EXPECT_EQ(Visitor_DB().Insert_Visitor_Record(r), !c.link);
        if (c.link) {
            EXPECT_EQ(ui->messages(), QStringList{QStringLiteral("Error in database access.\n%1 was refused: it is a "
                                                                 "link, not the database itself.")
                                                      .arg(Database_Path)});
            EXPECT_EQ(QFileInfo::exists(target), c.targetExists) << "a database was made through the link";
            if (c.targetExists) {
                EXPECT_EQ(runTool(sqlite, {target, QStringLiteral("SELECT count(*) FROM Visitor_Records;")}).out,
                          QByteArray("0\n"));
            }
            continue;
        }
        EXPECT_EQ(runTool(sqlite, {Database_Path, QStringLiteral("SELECT VName FROM Visitor_Records;")}).out,
                  QByteArray("Ann\n"));
        EXPECT_EQ(Run_Visit_Query(Database_Path, Latest_Visits_Query()).rows.size(), 1u) << "the log lists it";
        struct stat st {};
        ASSERT_EQ(lstat(QFile::encodeName(Database_Path).constData(), &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode));
        EXPECT_EQ(st.st_mode & 0777, 0600u);
    }
}

}  // namespace

namespace {

// A photo path in the log may name anything by now: a FIFO there shows no picture and never
// holds the desk; a picture that would take gigabytes to decode shows none either.
TEST(VisitorDatabaseGuard, AHostilePhotoIsNotWaitedOnNorDecoded)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("photo.png")), bomb = dir.filePath(QStringLiteral("bomb.jpg"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Just over the picture budget. Qt's own allocation limit is raised while the case runs, so
    // that the budget alone stands between the bomb and its decode.
    ASSERT_TRUE(testsupport::writeProgressiveJpegClaiming(bomb, 8001));
    const int qtLimit = QImageReader::allocationLimit();
    const auto restore = qScopeGuard([qtLimit] { QImageReader::setAllocationLimit(qtLimit); });
    QImageReader::setAllocationLimit(1024);
    testsupport::FifoWatch watch(fifo);
    for (const QString &photo : {fifo, bomb}) {
        SCOPED_TRACE(photo.toStdString());
        EXPECT_TRUE(Visitor_Photo(photo).isNull());
    }
    EXPECT_FALSE(watch.readerWaited()) << "the photo was waited on";
}

}  // namespace
