#include "TestSupport.h"
#include "core/Globals.h"
#include "core/Utilities.h"
#include "platform/Paths.h"
#include "platform/Plist.h"
#include "platform/UiServices.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <sys/stat.h>

using platform::joinPath;
using namespace Qt::StringLiterals;

TEST(StringFunctions, IndexesCountUtf16UnitsAndOutOfRangeGivesNothing)
{
    using Cut = QString (*)(const QString &, int);
    const Cut left = Left_Str_substringToIndex, right = Right_Str_substringFromIndex;
    const Cut from = Read_Str_FromIndex, upto = Read_Str_Upto_Index;
    const QString emoji = QStringLiteral("a\U0001F600b");  // the emoji is two UTF-16 units
    const struct { Cut f; QString in; int index; QString out; } cases[] = {
        {left, "abc", 5, "abc"}, {left, "abc", -1, ""}, {left, "abc", 2, "ab"}, {right, "abc", 2, "bc"},
        {right, "abc", 0, ""}, {right, "abc", -3, ""}, {right, "abc", 3, "abc"}, {from, "abc", 3, ""},
        {from, "abc", 4, ""}, {from, "abc", -1, ""}, {from, "abc", 1, "bc"}, {upto, "abc", -1, ""},
        {upto, "abc", 3, "abc"}, {upto, "abc", 4, ""}, {left, emoji, 3, emoji.left(3)},
        {right, emoji, 3, emoji.mid(1)}, {from, emoji, 3, "b"}, {upto, emoji, 4, emoji},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.f(c.in, c.index), c.out) << c.in.toStdString() << " " << c.index;
    ASSERT_EQ(emoji.size(), 4);
}

TEST(StringFunctions, TrimReservedCharactersAndFind)
{
    EXPECT_EQ(Trim_Str(QStringLiteral(" \t\n name \r\n")), QStringLiteral("name"));
    // Spaces and control characters go together, so a trimmed value trims to itself.
    for (const char *in : {"\x01\x02 x \x7f", "\x01 x", " \x01x\x7f \t"})
        EXPECT_EQ(Trim_Str(QString::fromLatin1(in)), QStringLiteral("x")) << in;
    EXPECT_EQ(Replace_Char_For_valid(QStringLiteral("  v ")), QStringLiteral("v"));
    const struct { const char *in, *out; } cases[] = {
        {"?name?", "name"}, {"a/b", "a_b"}, {"a?b", "a?b"}, {"/*<card>*/", "card"}, {"\"x|y\"", "x|y"},
        {"%%", ""}, {" ?name? ", "?name?"},  // reserved characters go before the spaces do
    };
    for (const auto &c : cases)
        EXPECT_EQ(Remove_Reserve_Char_In_File_Name(QString::fromUtf8(c.in)), QLatin1String(c.out)) << c.in;
    EXPECT_EQ(Replace_char_in_string(QStringLiteral("a-b-c"), QStringLiteral("-"), QStringLiteral("+")),
              QStringLiteral("a+b+c"));
    const struct { QString s, sub; int plain, anyCase; } finds[] = {
        {"Fup_Name", "Fup_", 1, 1}, {"Fup_Name", "fup_", 0, 1}, {"abc", "", 0, 0}, {"abc", QString(), 0, 0},
        {QString(), "a", 0, 0},     {"ABC", "b", 0, 1},         {"ABC", "d", 0, 0},
    };
    for (const auto &f : finds) {
        SCOPED_TRACE(f.s.toStdString() + " " + f.sub.toStdString());
        EXPECT_EQ(Find_Str(f.s, f.sub), f.plain);
        EXPECT_EQ(Find_Str_Case_Insensitive(f.s, f.sub), f.anyCase);
    }
}

TEST(Messages, InformationBoxesGainALeadingLineQuestionsDoNot)
{
    platform::ScopedScriptedUi ui;
    ui->push(true);
    ui->push(false);
    ui->push(platform::AnswerNo);
    Show_MessageBox(u"Saved."_s);
    EXPECT_EQ(Show_YES_NO_MessageBox(u"Replace?"_s), 1);
    EXPECT_EQ(Show_YES_NO_MessageBox(u"Again?"_s), 0);
    EXPECT_EQ(Show_YES_NO_Cancel_MessageBox(u"Save?"_s), platform::AnswerNo);
    EXPECT_EQ(Show_YES_NO_Cancel_MessageBox(u"Save?"_s), platform::AnswerCancel);  // script empty
    Show_MessageBox_No_Thread(u"Here."_s);
    EXPECT_EQ(show_msg(u"Plain."_s), 1);
    EXPECT_EQ(ui->messages().join(u'|'), u"\nSaved.|Replace?|Again?|Save?|Save?|\nHere.|Plain."_s);
}

TEST(Messages, QuestionsFromWorkersRunOnTheGuiThreadAndEachGetsItsOwnAnswer)
{
    platform::ScopedScriptedUi ui;
    QThread *gui = QThread::currentThread();
    std::atomic<int> offGui{0}, finished{0}, answers[2] = {-1, -1};
    ui->onRequest = [&](const auto &) { offGui += QThread::currentThread() != gui; };
    ui->push(true);  // answers go out in the order the questions reach the GUI thread
    ui->push(false);
    std::unique_ptr<QThread> workers[2];
    for (int i : {0, 1}) {
        workers[i].reset(QThread::create([&, i] {
            answers[i] = Show_YES_NO_MessageBox(QStringLiteral("Question %1").arg(i));
            Show_MessageBox(QStringLiteral("Done %1").arg(i));
            ++finished;
        }));
        workers[i]->start();
    }
    QThread::msleep(50);
    EXPECT_EQ(finished.load(), 0) << "the workers wait until the GUI thread serves them";
    ASSERT_TRUE(testsupport::waitUntil([&] { return finished.load() == 2; })) << "the GUI thread never served the workers";
    for (auto &w : workers)
        w->wait();
    EXPECT_EQ(offGui.load(), 0);
    // Whichever question came first got Yes, the other No: never both the same shared answer.
    ASSERT_EQ(ui->requests().size(), 4u);
    EXPECT_EQ(answers[ui->requests()[0].text.endsWith('0') ? 0 : 1].load(), 1);
    EXPECT_EQ(answers[0] + answers[1], 1);
}

TEST(Messages, StopwatchText)
{
    EXPECT_EQ(Time_Taken_Text(u"P"_s, 3725), "Time Taken in P :: 1 Hours : 2 Minutes : 5 Seconds\n");
    EXPECT_EQ(Time_Taken_Text(u"C"_s, 59.9), "Time Taken in C :: 0 Hours : 0 Minutes : 59 Seconds\n");
    platform::ScopedScriptedUi ui;
    Calculate_Time_Taken(0, QStringLiteral("x"));
    Calculate_Time_Taken(1, QStringLiteral("Batch"));
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_TRUE(ui->messages()[0].startsWith(QStringLiteral("\nTime Taken in Batch :: 0 Hours : 0 Minutes")));
}

TEST(Folders, CreateFolderAnswersYesForAnythingThatExistsAndDeleteRemovesTrees)
{
    QTemporaryDir dir;
    QFile(dir.filePath("plain")).open(QIODevice::WriteOnly);
    EXPECT_TRUE(Create_Folder(dir.filePath("plain")));
    EXPECT_TRUE(QFileInfo(dir.filePath("plain")).isFile());
    EXPECT_TRUE(Create_Folder(dir.filePath("a/b/c")));
    EXPECT_TRUE(QFileInfo(dir.filePath("a/b/c")).isDir());
    EXPECT_FALSE(Create_Folder(dir.filePath("plain/below"))) << "a file cannot hold a folder";
    EXPECT_FALSE(Create_Folder(QString()));
    QFile(dir.filePath("a/b/z.txt")).open(QIODevice::WriteOnly);
    Delete_File(dir.filePath("a/b/z.txt"));
    EXPECT_FALSE(QFile::exists(dir.filePath("a/b/z.txt")));
    Delete_Folder(dir.filePath("a"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("a")));
    Delete_Folder(dir.filePath("never"));  // nothing there: nothing happens
}

TEST(Folders, DataTreeIsCreatedOncePrivatelyAndSeedsAreNeverOverwritten)
{
    testsupport::TempDataFolder data;
    ASSERT_FALSE(data.resourcePath().isEmpty()) << "the build tree's resources were not found";
    Check_Path_And_Create_Files();
    const QString D = data.dataPath();
    for (const char *sub : {"Templates/User", "DataSet", "Cropped_Images", "Visitor_Log",
                            "Group_Excel_Data/All", "Images_save_by_user", "PrintProfile"})
        EXPECT_TRUE(QFileInfo(joinPath(D, QLatin1String(sub))).isDir()) << sub;
    EXPECT_EQ(Database_Path, joinPath(D, QStringLiteral("Visitor_Log/Visitor.db")));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(D).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0077, 0u) << "the data folder must not be open to other users";

    const QString vlp = joinPath(print_profile_path, QStringLiteral("Default.vlp"));
    ASSERT_TRUE(QFileInfo(Database_Path).isWritable());
    ASSERT_TRUE(QFileInfo::exists(vlp));
    // The user's own copies survive a second run.
    for (const QString &p : {Database_Path, vlp}) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write("mine") == 4);
    }
    Check_Path_And_Create_Files();
    for (const QString &p : {Database_Path, vlp}) {
        QFile f(p);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly) && f.readAll() == "mine") << p.toStdString();
    }
    // A deleted database comes back before the next visit is recorded.
    QFile::remove(Database_Path);
    Check_Path_And_Create_VISITOR_Files();
    EXPECT_TRUE(QFileInfo::exists(Database_Path));
}

TEST(Folders, SeedFilesHaveTheirLayout)
{
    testsupport::TempDataFolder data;
    const QString vlp = joinPath(data.resourcePath(), QStringLiteral("PrintProfile/Default.vlp"));
    const QVariantList profile = platform::plistReadFile(vlp).toList();
    ASSERT_EQ(profile.size(), 26);
    for (const QVariant &v : profile)
        EXPECT_EQ(v.typeId(), QMetaType::QString);
    EXPECT_EQ(profile[5].toString(), QStringLiteral("Portrait"));
    EXPECT_EQ(profile[17].toString(), QStringLiteral("BOTH"));

    REQUIRE_TOOL(sqlite, "sqlite3");
    const auto r = testsupport::runTool(
        sqlite, {joinPath(data.resourcePath(), QStringLiteral("Visitor.db")),
                 QStringLiteral("SELECT count(*) FROM pragma_table_info('Visitor_Records');"
                                "SELECT count(*) FROM Visitor_Records;"
                                "SELECT name FROM pragma_table_info('Visitor_Records') WHERE pk=1;")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.out), QStringLiteral("57\n0\nID\n"));
}

TEST(Folders, HelpFileMissingIsReported)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    Resource_Path = data.root();  // no Help.pdf there
    Open_Help_File();
    EXPECT_EQ(ui->messages(), QStringList{QStringLiteral("\nHelp file does not exist!")});
}
