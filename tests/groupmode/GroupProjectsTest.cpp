#include "core/Globals.h"
#include "core/UserTemplates.h"
#include "groupmode/GroupProjects.h"
#include "platform/WholeFile.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

QString root() { return Group_Store_Root(); }
QString at(const QString &relative) { return root() + QLatin1Char('/') + relative; }
void touch(const QString &relative)
{
    QFile f(at(relative));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

// The fully expanded tree as the user reads it: folders by path, projects indented.
QString shown()
{
    QStringList rows;
    for (const TreeItem &item : Project_Tree_Rows(Build_Project_Tree()))
        rows << (item.kind() == TreeItem::Project ? QStringLiteral("  ") : QString()) + item.name();
    return rows.join(QLatin1Char('|'));
}

}  // namespace

// Each step of a user's work on the store, and the tree and message it leaves.
TEST(GroupProjects, StoreCommandsLeaveTheTreeAsTheUserExpects)
{
    testsupport::TempDataFolder folders;
    const struct {
        const char *step;
        std::function<QString()> act;
        const char *message;
        const char *tree;
    } steps[] = {
        {"fresh", [] { return Ensure_Group_Store() ? QString() : "no store"; }, "", "All"},
        {"nested folder", [] {
             const QString m = Create_Group_Folder("All", "Sales");
             return m + Create_Group_Folder("All/Sales", "2019");
         },
         "", "All|All/Sales|All/Sales/2019"},
        {"top folder", [] { return Create_Group_Folder("All/..", "Top"); }, "Please select project path.",
         "All|All/Sales|All/Sales/2019"},
        {"projects", [] {
             QDir(root()).mkpath("Sales/2019");
             touch("All/Staff.did"), touch("All/Other.DID"), touch("All/notes.txt"), touch("All/Staff.png");
             return QString();
         }, "", "All|  Staff|All/Sales|All/Sales/2019|Sales|Sales/2019"},
        {"copy twice", [] { return Copy_Group_Project(at("All/Staff.did")) + Copy_Group_Project(at("All/Staff.did")); },
         "", "All|  Staff (copy 1)|  Staff (copy 2)|  Staff|All/Sales|All/Sales/2019|Sales|Sales/2019"},
        {"rename onto a used name", [] { return Rename_Group_Project(at("All/Staff (copy 2).did"), "Staff"); },
         "Project name already exist.",
         "All|  Staff (copy 1)|  Staff (copy 2)|  Staff|All/Sales|All/Sales/2019|Sales|Sales/2019"},
        {"hidden names", [] { return Rename_Group_Project(at("All/Staff (copy 2).did"), ".Crew") + Create_Group_Folder("All", ".Old"); },
         "A project name can't begin with a dot: the project would be hidden and not listed. Please enter another name."
         "A folder name can't begin with a dot: the folder would be hidden and not listed. Please enter another name.",
         "All|  Staff (copy 1)|  Staff (copy 2)|  Staff|All/Sales|All/Sales/2019|Sales|Sales/2019"},
        {"rename", [] { return Rename_Group_Project(at("All/Staff (copy 2).did"), "Crew"); }, "",
         "All|  Crew|  Staff (copy 1)|  Staff|All/Sales|All/Sales/2019|Sales|Sales/2019"},
        {"same-named folder", [] { return Delete_Group_Folder(at("Sales/2019")); }, "",
         "All|  Crew|  Staff (copy 1)|  Staff|All/Sales|All/Sales/2019|Sales"},
        {"All is kept", [] { return Delete_Group_Folder(at("All")) + Delete_Group_Folder(at("All/../..")); },
         "Please select project.Please select project.", "All|  Crew|  Staff (copy 1)|  Staff|All/Sales|All/Sales/2019|Sales"},
        {"delete projects", [] {
             const QString m = Delete_Group_Project(at("All/Staff.did")) + Delete_Group_Project(at("All/Crew.did")) +
                               Delete_Group_Project(at("All/Staff (copy 1).did"));
             // Only the projects' own files go.
             const bool kept = QFile::exists(at("All/notes.txt")) && QFile::exists(at("All/Other.DID"));
             return m + (kept && !QFile::exists(at("All/Staff.png")) ? "" : "wrong files");
         }, "", "All|All/Sales|All/Sales/2019|Sales"},
        {"last project", [] {
             QDir(at("All")).removeRecursively();
             touch("Sales/Last.did");
             return Delete_Group_Project(at("Sales/Last.did")) + Delete_Group_Project(at("Sales/Last.did"));
         }, "Please select project.", "All"},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.step);
        EXPECT_EQ(s.act().toStdString(), s.message);
        Ensure_Group_Store();
        EXPECT_EQ(shown().toStdString(), s.tree);
    }
}

// An empty folder outside "All" is a folder of its own, not a project of the folder above it.
TEST(GroupProjects, TreeItemsKeepTheirKindAndPlace)
{
    testsupport::TempDataFolder folders;
    Ensure_Group_Store();
    QDir(root()).mkpath("Sales/2019");
    touch("Sales/Anna.did");
    QStringList seen;
    for (const TreeItem &item : Project_Tree_Rows(Build_Project_Tree()))
        seen << QString::number(item.kind()) + QDir(root()).relativeFilePath(item.path());
    EXPECT_EQ(seen, (QStringList{"0All", "0Sales", "1Sales/Anna.did", "0Sales/2019"}));
}

// Names from the new-project box and the New Folder dialog stay inside the store: a separator
// typed into one is mended, as in every name dialog.
TEST(GroupProjects, NamesNeverLeaveTheStore)
{
    testsupport::TempDataFolder folders;
    Ensure_Group_Store();
    const struct {
        const char *name, *folder, *project;  // project: relative to the store, "" refused
    } cases[] = {
        {"MyProject", "All", "All/MyProject.did"}, {"  Team A ", "All", "All/Team A.did"},
        {"../x", "All", ""},  {"..", "All", ""},    {".", "All", ""},
        {"a\\b", "All", "All/a_b.did"},  {"Crew/One", "All", "All/Crew_One.did"}, {"/", "All", ""},
        {"x", "../..", ""},   {"x", "All/../..", ""},
        {"x", "", ""},        {"", "All", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name + std::string(" in ") + c.folder);
        const QString expected = *c.project ? at(c.project) : QString();
        EXPECT_EQ(Group_Project_Path(c.name, c.folder), expected);
        QString relative;
        const QString message = Create_Group_Folder(c.folder, c.name, &relative);
        EXPECT_EQ(message.isEmpty(), *c.project != 0) << qPrintable(message);
    }
    EXPECT_EQ(Create_Group_Folder("All", "MyProject"), "Folder already exist.");
    touch("All/plain");  // a file where a parent folder should be: the failure is reported
    EXPECT_EQ(Create_Group_Folder("All/plain", "x"), "The folder could not be created.");
    EXPECT_EQ(QDir(folders.dataPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"Group_Excel_Data"});
    EXPECT_EQ(QDir(folders.root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).contains("x"), false);
}

TEST(GroupProjects, LinksInTheStoreNeverLeadACommandOutOfIt)
{
    testsupport::TempDataFolder folders;
    Ensure_Group_Store();
    const QString outside = folders.root() + QStringLiteral("/outside");
    ASSERT_TRUE(QDir().mkpath(outside));
    for (const char *name : {"/Victim.did", "/Victim.txt"}) {
        QFile f(outside + QLatin1String(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::link(outside, at("Linked")));                       // a folder link
    ASSERT_TRUE(QFile::link(outside + "/Victim.did", at("All/Link.did")));  // a project link
    const struct {
        const char *name;
        std::function<QString()> command;
    } cases[] = {
        {"delete a project through a folder link", [] { return Delete_Group_Project(at("Linked/Victim.did")); }},
        {"delete a project link", [] { return Delete_Group_Project(at("All/Link.did")); }},
        {"delete a folder link", [] { return Delete_Group_Folder(at("Linked")); }},
        {"copy through a folder link", [] { return Copy_Group_Project(at("Linked/Victim.did")); }},
        {"rename through a folder link", [] { return Rename_Group_Project(at("Linked/Victim.did"), "Moved"); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.command(), "Please select project.");
        EXPECT_EQ(QDir(outside).entryList(QDir::Files), (QStringList{"Victim.did", "Victim.txt"}));
    }
}

// A name may hold what looks like a placeholder ("%1", "%2"): a copy keeps it as typed.
TEST(GroupProjects, CopiesKeepNamesThatLookLikePlaceholders)
{
    testsupport::TempDataFolder folders;
    ASSERT_TRUE(Ensure_Group_Store());
    QTemporaryDir templates;
    for (const char *name : {"Q%1", "%2 and %3", "100% %L1"}) {
        SCOPED_TRACE(name);
        const QString base = QString::fromUtf8(name);
        touch(QStringLiteral("All/%1.did").arg(base));
        QString copy;
        EXPECT_EQ(Copy_Group_Project(at(QStringLiteral("All/%1.did").arg(base)), &copy), QString());
        EXPECT_EQ(QFileInfo(copy).fileName(), base + QStringLiteral(" (copy 1).did"));
        EXPECT_TRUE(QFile::exists(at(QStringLiteral("All/") + base + QStringLiteral(" (copy 1).did"))));

        const QString preview = QDir(templates.path()).filePath(base + QStringLiteral(".png"));
        for (const QString &file : {preview, Template_Design_Path(preview)}) {
            QFile f(file);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(file.toUtf8());
        }
        const QString copied = Copy_User_Template(preview);
        EXPECT_EQ(QFileInfo(copied).fileName(), base + QStringLiteral(" (copy 1).png"));
        EXPECT_EQ(testsupport::fileBytes(Template_Design_Path(copied)), Template_Design_Path(preview).toUtf8());
    }
}

// A copy on a full disk is refused with the reason and leaves no copy behind.
TEST(GroupProjects, ACopyOnAFullDiskIsRefusedWithItsReason)
{
    testsupport::TempDataFolder folders;
    ASSERT_TRUE(Ensure_Group_Store());
    {
        QFile f(at(QStringLiteral("All/Staff.did")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(5000, 'd'));
    }
    for (const qint64 room : {qint64(0), qint64(4999)}) {
        SCOPED_TRACE(room);
        platform::setDiskRoomForTests(room);
        QString copy;
        const QString message = Copy_Group_Project(at(QStringLiteral("All/Staff.did")), &copy);
        platform::setDiskRoomForTests(std::nullopt);
        EXPECT_EQ(message, QStringLiteral("Could not copy the project. (No space left on device)"));
        EXPECT_EQ(copy, QString());
        EXPECT_EQ(QDir(at(QStringLiteral("All"))).entryList(QDir::Files), QStringList{QStringLiteral("Staff.did")});
    }
    QString copy;
    EXPECT_EQ(Copy_Group_Project(at(QStringLiteral("All/Staff.did")), &copy), QString());
    EXPECT_EQ(testsupport::fileBytes(copy), QByteArray(5000, 'd'));
}
