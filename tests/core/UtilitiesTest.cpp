#include "TestSupport.h"
#include "core/Globals.h"
#include "core/Utilities.h"
#include "platform/Paths.h"
#include "platform/Plist.h"
#include "platform/UiServices.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QThread>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <atomic>
#include <sys/stat.h>

using platform::joinPath;

TEST(StringFunctions, IndexBoundariesCountUtf16Units)
{
    const QString abc = QStringLiteral("abc");
    EXPECT_EQ(Left_Str_substringToIndex(abc, 5), abc);
    EXPECT_EQ(Left_Str_substringToIndex(abc, -1), QString());
    EXPECT_EQ(Left_Str_substringToIndex(abc, 2), QStringLiteral("ab"));
    EXPECT_EQ(Right_Str_substringFromIndex(abc, 2), QStringLiteral("bc"));
    EXPECT_EQ(Right_Str_substringFromIndex(abc, 0), QString());
    EXPECT_EQ(Right_Str_substringFromIndex(abc, -3), QString());
    EXPECT_EQ(Right_Str_substringFromIndex(abc, 3), abc);
    EXPECT_EQ(Read_Str_FromIndex(abc, 3), QString());
    EXPECT_EQ(Read_Str_FromIndex(abc, 4), QString());
    EXPECT_EQ(Read_Str_FromIndex(abc, -1), QString());
    EXPECT_EQ(Read_Str_FromIndex(abc, 1), QStringLiteral("bc"));
    EXPECT_EQ(Read_Str_Upto_Index(abc, -1), QString());
    EXPECT_EQ(Read_Str_Upto_Index(abc, 3), abc);
    EXPECT_EQ(Read_Str_Upto_Index(abc, 4), QString());

    // An emoji is two UTF-16 units: indexes count units, as the stored texts do.
    const QString emoji = QStringLiteral("a\U0001F600b");
    ASSERT_EQ(emoji.size(), 4);
    EXPECT_EQ(Left_Str_substringToIndex(emoji, 3), QStringLiteral("a\U0001F600"));
    EXPECT_EQ(Right_Str_substringFromIndex(emoji, 3), QStringLiteral("\U0001F600b"));
    EXPECT_EQ(Read_Str_FromIndex(emoji, 3), QStringLiteral("b"));
    EXPECT_EQ(Read_Str_Upto_Index(emoji, 4), emoji);
}

TEST(StringFunctions, TrimAndReservedCharacters)
{
    EXPECT_EQ(Trim_Str(QStringLiteral(" \t\n name \r\n")), QStringLiteral("name"));
    EXPECT_EQ(Trim_Str(QStringLiteral("\x01\x02 x \x7f")), QStringLiteral(" x "));
    EXPECT_EQ(Replace_Char_For_valid(QStringLiteral("  v ")), QStringLiteral("v"));
    struct Case {
        const char *in, *out;
    } cases[] = {
        {"?name?", "name"},
        {"a/b", "a_b"},
        {"a?b", "a?b"},
        {"/*<card>*/", "card"},
        {" ?name? ", "?name?"},  // reserved characters go before the spaces do
        {"\"x|y\"", "x|y"},
        {"%%", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Remove_Reserve_Char_In_File_Name(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
    EXPECT_EQ(Replace_char_in_string(QStringLiteral("a-b-c"), QStringLiteral("-"), QStringLiteral("+")),
              QStringLiteral("a+b+c"));
}

TEST(StringFunctions, Find)
{
    EXPECT_EQ(Find_Str(QStringLiteral("Fup_Name"), QStringLiteral("Fup_")), 1);
    EXPECT_EQ(Find_Str(QStringLiteral("Fup_Name"), QStringLiteral("fup_")), 0);
    EXPECT_EQ(Find_Str(QStringLiteral("abc"), QString()), 0);
    EXPECT_EQ(Find_Str(QStringLiteral("abc"), QStringLiteral("")), 0);
    EXPECT_EQ(Find_Str(QString(), QStringLiteral("a")), 0);
    EXPECT_EQ(Find_Str_Case_Insensitive(QStringLiteral("ABC"), QStringLiteral("b")), 1);
    EXPECT_EQ(Find_Str_Case_Insensitive(QString(), QStringLiteral("b")), 0);
    EXPECT_EQ(Find_Str_Case_Insensitive(QStringLiteral("ABC"), QString()), 0);
    EXPECT_EQ(Find_Str_Case_Insensitive(QStringLiteral("ABC"), QStringLiteral("d")), 0);
}

TEST(Messages, InformationBoxesGainALeadingLineQuestionsDoNot)
{
    platform::ScopedScriptedUi ui;
    ui->push(true);
    ui->push(false);
    ui->push(platform::AnswerNo);
    Show_MessageBox(QStringLiteral("Saved."));
    EXPECT_EQ(Show_YES_NO_MessageBox(QStringLiteral("Replace?")), 1);
    EXPECT_EQ(Show_YES_NO_MessageBox(QStringLiteral("Again?")), 0);
    EXPECT_EQ(Show_YES_NO_Cancel_MessageBox(QStringLiteral("Save changes?")), platform::AnswerNo);
    EXPECT_EQ(Show_YES_NO_Cancel_MessageBox(QStringLiteral("Save changes?")), platform::AnswerCancel);  // script empty
    Show_MessageBox_No_Thread(QStringLiteral("Here."));
    EXPECT_EQ(show_msg(QStringLiteral("Plain.")), 1);
    EXPECT_EQ(ui->messages(), (QStringList{"\nSaved.", "Replace?", "Again?", "Save changes?", "Save changes?",
                                           "\nHere.", "Plain."}));
}

TEST(Messages, QuestionsFromWorkersRunOnTheGuiThreadAndEachGetsItsOwnAnswer)
{
    platform::ScopedScriptedUi ui;
    QThread *gui = QThread::currentThread();
    std::atomic<int> offGui{0};
    ui->onRequest = [&](const platform::ScriptedUiServices::Request &) {
        if (QThread::currentThread() != gui)
            ++offGui;
    };
    // Scripted answers are handed out in the order the questions reach the GUI thread.
    ui->push(true);
    ui->push(false);
    std::atomic<int> answers[2] = {-1, -1};
    std::atomic<int> finished{0};
    QThread *workers[2];
    for (int i = 0; i < 2; ++i) {
        workers[i] = QThread::create([&, i] {
            answers[i] = Show_YES_NO_MessageBox(QStringLiteral("Question %1").arg(i));
            Show_MessageBox(QStringLiteral("Done %1").arg(i));
            ++finished;
        });
        workers[i]->start();
    }
    // The workers wait until the GUI thread serves them.
    QThread::msleep(50);
    EXPECT_EQ(finished.load(), 0);
    while (finished.load() < 2)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    for (QThread *w : workers) {
        w->wait();
        delete w;
    }
    EXPECT_EQ(offGui.load(), 0);
    // Whichever question came first got Yes, the other No: never both the same shared answer.
    EXPECT_EQ(answers[0] + answers[1], 1);
    const auto requests = ui->requests();
    ASSERT_EQ(requests.size(), 4u);
    const int first = requests[0].text.endsWith('0') ? 0 : 1;
    EXPECT_EQ(answers[first].load(), 1);
}

TEST(Messages, StopwatchText)
{
    EXPECT_EQ(Time_Taken_Text(QStringLiteral("Printing"), 3725),
              QStringLiteral("Time Taken in Printing :: 1 Hours : 2 Minutes : 5 Seconds\n"));
    EXPECT_EQ(Time_Taken_Text(QStringLiteral("Crop"), 59.9),
              QStringLiteral("Time Taken in Crop :: 0 Hours : 0 Minutes : 59 Seconds\n"));
    platform::ScopedScriptedUi ui;
    Calculate_Time_Taken(0, QStringLiteral("x"));
    Calculate_Time_Taken(1, QStringLiteral("Batch"));
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_TRUE(ui->messages()[0].startsWith(QStringLiteral("\nTime Taken in Batch :: 0 Hours : 0 Minutes : ")));
}

TEST(Folders, CreateFolderAnswersYesForAnythingThatExists)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("plain");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(Create_Folder(file));
    EXPECT_TRUE(QFileInfo(file).isFile());
    const QString deep = dir.filePath("a/b/c");
    EXPECT_TRUE(Create_Folder(deep));
    EXPECT_TRUE(QFileInfo(deep).isDir());
    EXPECT_FALSE(Create_Folder(dir.filePath("plain/below")));  // a file cannot hold a folder
    EXPECT_FALSE(Create_Folder(QString()));
}

TEST(Folders, DataTreeIsCreatedOncePrivatelyAndSeedsAreNeverOverwritten)
{
    testsupport::TempDataFolder data;
    ASSERT_FALSE(data.resourcePath().isEmpty()) << "the build tree's resources were not found";
    Check_Path_And_Create_Files();
    const QString D = data.dataPath();
    for (const char *sub : {"Templates/User", "DataSet", "Cropped_Images", "Visitor_Log", "Group_Excel_Data/All",
                            "Images_save_by_user", "PrintProfile"})
        EXPECT_TRUE(QFileInfo(joinPath(D, QLatin1String(sub))).isDir()) << sub;
    EXPECT_EQ(Cropped_Img_Path, joinPath(D, QStringLiteral("Cropped_Images")));
    EXPECT_EQ(Database_Path, joinPath(D, QStringLiteral("Visitor_Log/Visitor.db")));
    EXPECT_EQ(print_profile_path, joinPath(D, QStringLiteral("PrintProfile")));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(D).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0077, 0u) << "the data folder must not be open to other users";

    const QString vlp = joinPath(print_profile_path, QStringLiteral("Default.vlp"));
    ASSERT_TRUE(QFileInfo::exists(Database_Path));
    ASSERT_TRUE(QFileInfo::exists(vlp));
    EXPECT_TRUE(QFileInfo(Database_Path).isWritable());
    // The user's own copies survive a second run.
    for (const QString &p : {Database_Path, vlp}) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("mine");
    }
    Check_Path_And_Create_Files();
    for (const QString &p : {Database_Path, vlp}) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), QByteArray("mine")) << p.toStdString();
    }
    // A deleted database comes back before the next visit is recorded.
    QFile::remove(Database_Path);
    Check_Path_And_Create_VISITOR_Files();
    EXPECT_TRUE(QFileInfo::exists(Database_Path));
}

TEST(Folders, SeedFilesHaveTheirLayout)
{
    testsupport::TempDataFolder data;
    const QVariantList profile =
        platform::plistReadFile(joinPath(data.resourcePath(), QStringLiteral("PrintProfile/Default.vlp"))).toList();
    ASSERT_EQ(profile.size(), 26);
    for (const QVariant &v : profile)
        EXPECT_EQ(v.typeId(), QMetaType::QString);
    EXPECT_EQ(profile[5].toString(), QStringLiteral("Portrait"));
    EXPECT_EQ(profile[17].toString(), QStringLiteral("F"));

    REQUIRE_TOOL(sqlite, "sqlite3");
    const auto r = testsupport::runTool(
        sqlite, {joinPath(data.resourcePath(), QStringLiteral("Visitor.db")),
                 QStringLiteral("SELECT count(*) FROM pragma_table_info('Visitor_Records');"
                                "SELECT count(*) FROM Visitor_Records;"
                                "SELECT name FROM pragma_table_info('Visitor_Records') WHERE pk=1;")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.out), QStringLiteral("57\n0\nID\n"));
}

TEST(Folders, DeleteFileAndFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(Create_Folder(dir.filePath("x/y")));
    QFile f(dir.filePath("x/y/z.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    Delete_File(dir.filePath("x/y/z.txt"));
    EXPECT_FALSE(QFile::exists(dir.filePath("x/y/z.txt")));
    Delete_Folder(dir.filePath("x"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("x")));
    Delete_Folder(dir.filePath("never"));  // nothing there: nothing happens
}

TEST(Folders, HelpFileMissingIsReported)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    Resource_Path = data.root();  // no Help.pdf there
    Open_Help_File();
    EXPECT_EQ(ui->messages(), QStringList{QStringLiteral("\nHelp file does not exist!")});
}

TEST(Geometry, RotationTransformTurnsAboutTheCentre)
{
    const QTransform t = RotationTransform(90, 10, 20);
    const QPointF p = t.map(QPointF(11, 20));
    EXPECT_NEAR(p.x(), 10, 1e-9);
    EXPECT_NEAR(p.y(), 21, 1e-9);
    EXPECT_EQ(RotationTransform(0, 5, 5).map(QPointF(3, 4)), QPointF(3, 4));
    const QPointF c = RotationTransform(37, 10, 20).map(QPointF(10, 20));
    EXPECT_NEAR(c.x(), 10, 1e-9);
    EXPECT_NEAR(c.y(), 20, 1e-9);
}
