// Series files: names, bytes on disk, what readers make of a file, and creating or replacing.
#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "data/ImportText.h"
#include "data/SeriesFiles.h"
#include "data/SeriesGenerator.h"
#include "core/SKTGraphic.h"
#include "data/batch/BatchBinding.h"
#include "platform/UiServices.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <cerrno>
#include <csignal>
#include <sys/resource.h>

namespace {
void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

auto valuesOf(const QStringList &values)
{
    return [values](const auto &add) {
        for (const QString &v : values)
            add(v);
    };
}
}  // namespace

TEST(SeriesFiles, NamesAreCleanedOrRefused)
{
    const struct {
        const char *typed, *name;
    } cases[] = {{"/Staff/", "Staff"}, {"a/b", "a_b"}, {" /x", "_x"}, {"??**", ""},
                 {"  Names  ", "Names"}, {"a\x01" "b", ""}, {"a\tb", ""}, {"*Ω|", "Ω"}};
    for (const auto &c : cases)
        EXPECT_EQ(Valid_Series_Name(QString::fromUtf8(c.typed)), QString::fromUtf8(c.name)) << c.typed;
}

TEST(SeriesFiles, WrittenBytesAndListing)
{
    testsupport::TempDataFolder data;
    ASSERT_TRUE(QDir().mkpath(Data_Folder_Path + "/x.txt"));
    put(Data_Folder_Path + "/Names.TXT", "n\n");
    put(Data_Folder_Path + "/list.csv", "c\n");
    ASSERT_TRUE(Write_Series_File(Series_File_Path("Three"), QStringList{"a", "b", "c"}));
    EXPECT_EQ(bytesOf(Series_File_Path("Three")), QByteArray("a\nb\nc\n"));
    EXPECT_EQ(bytesOf(Series_File_Path("Ü")), QByteArray("<missing>"));
    QStringList names = Get_datasheet_File_Name_Array();
    names.sort();
    EXPECT_EQ(names, (QStringList{"Names", "Three"}));
}

TEST(SeriesFiles, ReadersTrimAndDropEmptyValues)
{
    testsupport::TempDataFolder data;
    QDir().mkpath(Data_Folder_Path);
    const struct {
        QByteArray bytes;
        QStringList values;
    } cases[] = {
        {"a\nb\n", {"a", "b"}},          {"a\nb", {"a", "b"}},
        {"a\n\n  b \n", {"a", "b"}},     {"a\r\nb\r\n", {"a", "b"}},
        {"", {}},                        {"ok\n\xff\xfe\n", {}},
        {"\xc3\xa9t\xc3\xa9\n", {"été"}}, {"a\n\x01 x\n \x7f\x01" "b", {"a", "x", "b"}},
    };
    for (const auto &c : cases) {
        put(Series_File_Path("s"), c.bytes);
        EXPECT_EQ(Read_Series_Values(Series_File_Path("s")), c.values) << c.bytes.toStdString();
        // Saved and read again, a value is the same value.
        ASSERT_TRUE(Write_Series_File(Series_File_Path("again"), c.values));
        EXPECT_EQ(Read_Series_Values(Series_File_Path("again")), c.values) << c.bytes.toStdString();
    }
    EXPECT_TRUE(Read_Series_Values(Series_File_Path("missing")).isEmpty());
}

// What a control shows once bound: the first line of the file, trimmed; a first value that is
// empty stays empty rather than giving the second value.
TEST(SeriesFiles, TheFirstValueIsTheFirstLine)
{
    testsupport::TempDataFolder data;
    QDir().mkpath(Data_Folder_Path);
    const struct {
        QByteArray bytes;
        const char *first;
    } cases[] = {{"a\nb\n", "a"}, {"\nsecond\n", ""}, {"  \nsecond\n", ""}, {" a \r\nb", "a"}, {"", ""},
                 {"\xff\n", ""}};
    for (const auto &c : cases) {
        put(Series_File_Path("s"), c.bytes);
        EXPECT_EQ(Get_First_Value_Of_Dataset("s"), QString::fromUtf8(c.first)) << c.bytes.toStdString();
    }
    EXPECT_EQ(Get_First_Value_Of_Dataset("missing"), QString());
}

TEST(SeriesFiles, CreatingOrReplacingFollowsTheAnswers)
{
    const QString exists = QStringLiteral("Batch Processing Series already exists. Do you want to replace it?");
    const struct {
        const char *typed;
        bool inUse;
        bool answer;
        QStringList messages;
        QByteArray after;  // the file "Old" afterwards
    } cases[] = {
        {"Old", false, true, {exists}, "new\n"},
        {"/Old/", false, false, {exists}, "old\n"},
        {"Old", true, true, {"\nBatch Processing Series can't be create because it is currently in use."}, "old\n"},
        {"??", false, true, {"\nA name can't be made of \"?\" alone: a file name can't hold it. Please enter another name."}, "old\n"},
    };
    for (const auto &c : cases) {
        testsupport::TempDataFolder data;
        platform::ScopedScriptedUi ui;
        QDir().mkpath(Data_Folder_Path);
        put(Series_File_Path("Old"), "old\n");
        Set_Series_In_Use_Test([&](const QString &n) { return c.inUse && n == "Old"; });
        ui->push(c.answer);
        Create_Series_File(QString::fromUtf8(c.typed), valuesOf({"new"}));
        EXPECT_EQ(ui->messages(), c.messages) << c.typed;
        EXPECT_EQ(bytesOf(Series_File_Path("Old")), c.after) << c.typed;
        Set_Series_In_Use_Test({});
    }
}

TEST(SeriesFiles, FailedReplaceKeepsTheOldSeries)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    QDir().mkpath(Data_Folder_Path);
    put(Series_File_Path("Old"), "old\n");
    // A file-size limit makes the write fail half way, as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    ui->push(true);
    SeriesGenInput many;
    many.from = "1";
    many.to = "10000";
    const bool written = Create_Series_File("Old", [&](const auto &add) { Generate_Series_Values(many, add); });
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(written);
    // The system's reason, in the user's language, is kept with the message.
    EXPECT_EQ(ui->messages().last(), QStringLiteral("\nError in file accessing. (%1)").arg(qt_error_string(EFBIG)));
    EXPECT_EQ(bytesOf(Series_File_Path("Old")), QByteArray("old\n"));
    EXPECT_EQ(QDir(Data_Folder_Path).entryList(QDir::Files), QStringList{"Old.txt"});
}

TEST(SeriesFiles, SeriesPastTheValueOrByteLimitAreRefusedWhole)
{
    QTemporaryDir dir;
    const struct {
        const char *name;
        QByteArray bytes;
        qint64 sparseSize;
        qsizetype lines;  // -1: refused
    } cases[] = {
        {"at the value limit", QByteArray("v\n").repeated(Max_Import_Values - 1) + "v", 0, Max_Import_Values},
        {"one value more", QByteArray("v\n").repeated(Max_Import_Values) + "v", 0, -1},
        {"line feeds alone past the limit", QByteArray(Max_Import_Values, '\n'), 0, -1},
        {"past 64 MB", "v\n", (qint64(64) << 20) + 1, -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile f(dir.filePath(QStringLiteral("s.txt")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.bytes);
        if (c.sparseSize) {
            ASSERT_TRUE(f.resize(c.sparseSize));
        }
        f.close();
        const std::optional<QStringList> lines = Read_Series_Lines(f.fileName());
        EXPECT_EQ(lines ? lines->size() : -1, c.lines);
        EXPECT_EQ(Read_Series_Values(f.fileName()).size(), c.lines < 0 ? 0 : c.lines);
    }
}
