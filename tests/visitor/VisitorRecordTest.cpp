// Recording a visit into the visitor database, read back with sqlite3.

#include "TestSupport.h"

#include "core/Globals.h"
#include "core/Utilities.h"
#include "platform/UiServices.h"
#include "visitor/Profile_Panel.h"
#include "visitor/VisitorRecorder.h"

#include <QFileInfo>
#include <cerrno>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using testsupport::runTool;

TEST(VisitorRecord, WritesOneRowOrSaysNothingWasRecorded)
{
    REQUIRE_TOOL(sqlite, "sqlite3");
    struct Case {
        const char *name, *prepare;  // statements run on the seeded database first
        bool readOnly, saved;
        const char *box;  // the failure's box says this
    } const cases[] = {
        {"seeded", "", false, true, ""},
        {"table lost", "DROP TABLE Visitor_Records;", false, true, ""},
        {"column lost", "DROP TABLE Visitor_Records; CREATE TABLE Visitor_Records(ID INTEGER PRIMARY KEY);", false,
         false, "Nothing was recorded"},
        {"read-only file", "", true, false, "Nothing was recorded"},
        {"no data folder", nullptr, false, false, "Error in database access.\nThe folder %1 could not be made: %2."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempDataFolder data;
        platform::ScopedScriptedUi ui;
        Check_Path_And_Create_VISITOR_Files();
        EXPECT_EQ(QFileInfo(QFileInfo(Database_Path).path()).permissions() & 0x0777, 0x0700);
        auto sql = [&](const QString &s) { return QString::fromUtf8(runTool(sqlite, {Database_Path, s}).out); };
        const QString dbPath = Database_Path;
        // A file where the data folder's parent should be: the folder cannot be made.
        const QString blocker = data.root() + QStringLiteral("/file");
        QString box = QString::fromLatin1(c.box).arg(blocker + QStringLiteral("/data"), qt_error_string(ENOTDIR));
        if (!c.prepare) {
            Database_Path.clear();
            QFile(blocker).open(QIODevice::WriteOnly);
            Created_Resource_Path = blocker + QStringLiteral("/data");
        }
        else if (*c.prepare)
            sql(QLatin1String(c.prepare));
        // The superuser writes through a read-only mode: a read-only database refuses inserts too.
        if (c.readOnly && geteuid() == 0)
            sql(QStringLiteral("CREATE TRIGGER ro BEFORE INSERT ON Visitor_Records BEGIN "
                               "SELECT RAISE(ABORT, 'attempt to write a readonly database'); END;"));
        else if (c.readOnly)
            QFile::setPermissions(Database_Path, QFile::ReadOwner);
        VisitorRecord r;
        r.photo = QStringLiteral("/p/O'Hara's.png");
        r.stamp = QStringLiteral("2026-12-07 09:05:01");
        r.side[0].values[0] = QStringLiteral("O'Brien, \"Jr\"");
        r.side[0].captions[0] = QStringLiteral("Visitor's name");
        r.side[0].values[kDateField] = QStringLiteral("07-Dec-2026");
        r.side[0].useTime = true;
        r.side[0].other = QStringLiteral("Car : 'XY 1'\r\nDesk : 4");
        r.side[1].values[kTimeField] = QStringLiteral("09:05:01");
        EXPECT_EQ(Visitor_DB().Insert_Visitor_Record(r), c.saved);

        const QStringList boxes = ui->messages();
        ASSERT_EQ(boxes.size(), 1);
        // As the superuser the read-only file is stood in for by a trigger, which is refused as
        // not ours before anything runs.
        if (c.readOnly && geteuid() == 0)
            box = QStringLiteral("Error in database access.");
        EXPECT_TRUE(boxes[0].contains(c.saved ? QStringLiteral("saved successfully") : box)) << boxes[0].toStdString();
        Database_Path = dbPath;
        if (!c.saved) {
            EXPECT_EQ(sql(QStringLiteral("SELECT count(*) FROM Visitor_Records;")), QStringLiteral("0\n"));
            continue;
        }
        EXPECT_EQ(sql(QStringLiteral("SELECT count(*) FROM pragma_table_info('Visitor_Records');")),
                  QStringLiteral("57\n"));
        EXPECT_EQ(sql(QStringLiteral("SELECT ID, Photo, Date_Time_Stamp, VName, VName_lb, "
                                     "EntryDate, Use_Date, Use_Time, Other, EntryTime_B, VName_B FROM Visitor_Records;")),
                  QStringLiteral("1|/p/O'Hara's.png|2026-12-07 09:05:01|O'Brien, \"Jr\"|Visitor's name|07-Dec-2026|0|1|"
                                 "Car : 'XY 1'\r\nDesk : 4|09:05:01|\n"));
    }
}

}  // namespace
