// Saving, deleting and exporting what the series manager holds.
#include "core/Globals.h"
#include "data/SeriesFiles.h"
#include "data/SeriesManager.h"
#include "platform/UiServices.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
void put(const QString &name, const QByteArray &bytes)
{
    QDir().mkpath(Data_Folder_Path);
    QFile f(Series_File_Path(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Every series of the folder with its bytes, "name=bytes" sorted.
QStringList folder()
{
    QStringList out;
    for (const QString &file : QDir(Data_Folder_Path).entryList(QDir::Files, QDir::Name)) {
        QFile f(Data_Folder_Path + '/' + file);
        f.open(QIODevice::ReadOnly);
        out.append(file.chopped(4) + '=' + QString::fromUtf8(f.readAll()).replace('\n', '|'));
    }
    return out;
}

const QString kReplace = "Batch Processing Series already exists. Do you want to replace it?";
}  // namespace

TEST(SeriesManager, SaveCreatesRenamesOrReplaces)
{
    const struct {
        const char *typed, *old;
        bool answer;
        QStringList messages, after;
    } cases[] = {
        {"Staff", "", true, {}, {"A=a|", "C=c|", "Staff=v1|v2|"}},
        {"C", "", false, {kReplace}, {"A=a|", "C=c|"}},
        {"A", "A", false, {}, {"A=v1|v2|", "C=c|"}},
        {"B", "A", false, {}, {"B=v1|v2|", "C=c|"}},
        {"C", "A", true, {kReplace}, {"A=a|", "C=v1|v2|"}},
        {"/*B*/", "A", false, {}, {"B=v1|v2|", "C=c|"}},
        {"?*", "", true, {"\nA name can't be made of \"?\", \"*\" alone: a file name can't hold them. Please enter another name."}, {"A=a|", "C=c|"}},
        {"/Busy/", "", true, {"\nBatch Processing Series can't be create because it is currently in use."},
         {"A=a|", "Busy=b|", "C=c|"}},
        {"Busy", "Busy", true, {"\nBatch Processing Series can't be update because it is currently in use."},
         {"A=a|", "Busy=b|", "C=c|"}},
    };
    for (const auto &c : cases) {
        testsupport::TempDataFolder data;
        platform::ScopedScriptedUi ui;
        put("A", "a\n");
        put("C", "c\n");
        if (QString(c.typed).contains("Busy"))
            put("Busy", "b\n");
        Set_Series_In_Use_Test([](const QString &n) { return n == "Busy"; });
        ui->push(c.answer);
        Save_Series({" \u00a0v1 ", "  ", "v2"}, c.typed, c.old);
        EXPECT_EQ(ui->messages(), c.messages) << c.typed;
        EXPECT_EQ(folder(), c.after) << c.typed;
        Set_Series_In_Use_Test({});
    }
}

TEST(SeriesManager, DeletedRowsAndTheNextSelection)
{
    const struct {
        QList<int> selected;
        int current;
        int values, series;  // row selected afterwards in a value list and in a series list
        qsizetype left;
    } cases[] = {
        {{3, 4}, 4, -1, 0, 3}, {{0}, 0, -1, 0, 4}, {{2}, 2, 1, 2, 4}, {{0, 1, 2, 3, 4}, 4, -1, -1, 0},
    };
    for (const auto &c : cases) {
        QStringList values{"1", "2", "3", "4", "5"}, names = values;
        EXPECT_EQ(Delete_Value_Rows(values, c.selected, c.current), c.values);
        EXPECT_EQ(Delete_Series_Rows(names, c.selected), c.series);
        EXPECT_EQ(values.size(), c.left);
        EXPECT_EQ(names, values);
    }
}

QString inUseAlert(const char *name)
{
    return QStringLiteral("Series is in use\n\n%1\n\nBatch Processing Series can't be delete because it is currently "
                          "in use.")
        .arg(QLatin1String(name));
}

TEST(SeriesManager, DeleteKeepsSeriesInUse)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    for (const char *n : {"A", "Busy", "C"})
        put(n, "x\n");
    Set_Series_In_Use_Test([](const QString &n) { return n == "Busy"; });
    EXPECT_TRUE(Delete_Series({"A", "Busy", "C"}));
    Set_Series_In_Use_Test({});
    EXPECT_EQ(folder(), QStringList{"Busy=x|"});
    EXPECT_EQ(ui->messages(), QStringList{inUseAlert("Busy")});
}

// One alert per series in use until "Apply to All" is ticked; the rest of that deletion passes
// over them without one, and the next deletion asks again.
TEST(SeriesManager, ApplyToAllSilencesTheRestOfADeletion)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    for (const char *n : {"B1", "B2", "B3", "Free"})
        put(n, "x\n");
    Set_Series_In_Use_Test([](const QString &n) { return n.startsWith('B'); });
    ui->push(QStringList{"OK"});
    ui->push(QStringList{"OK", "Apply to All"});
    EXPECT_TRUE(Delete_Series({"B1", "B2", "Free", "B3"}));
    EXPECT_EQ(ui->messages(), QStringList({inUseAlert("B1"), inUseAlert("B2")}));
    EXPECT_EQ(folder(), QStringList({"B1=x|", "B2=x|", "B3=x|"}));
    ui->clear();
    EXPECT_TRUE(Delete_Series({"B3"}));
    Set_Series_In_Use_Test({});
    EXPECT_EQ(ui->messages(), QStringList({inUseAlert("B3")}));
}

TEST(SeriesManager, ExportReportsWhatWasWritten)
{
    REQUIRE_PYTHON(python);
    QList<QStringList> captured;
    const SeriesWorkbookWriter standard = Set_Series_Workbook_Writer({});
    Set_Series_Workbook_Writer(standard);
    const SeriesWorkbookWriter failing = [](const QString &, const QList<QStringList> &, bool) { return false; };
    const SeriesWorkbookWriter capturing = [&](const QString &path, const QList<QStringList> &rows, bool title) {
        captured = rows;
        QFile f(path);
        return !title && f.open(QIODevice::WriteOnly) && f.write("PK") == 2;
    };
    const QString done = "Record has been exported successfully.";
    const struct {
        const char *file;
        const SeriesWorkbookWriter *writer;
        const char *written;  // file name written, empty for a failure
        QString message;
    } cases[] = {
        {"out.txt", &standard, "out.txt", done},
        {"out.csv", &standard, "out.csv.txt", done},
        {"out.XLSX", &standard, "out.XLSX", done},
        {"out.xlsx", &failing, "", "\nError in file accessing."},
        {"out.xlsx", &capturing, "out.xlsx", done},
    };
    for (const auto &c : cases) {
        QTemporaryDir dir;
        platform::ScopedScriptedUi ui;
        ui->push(1);  // the finished box's OK, its check box on: the file opens
        const SeriesWorkbookWriter previous = Set_Series_Workbook_Writer(*c.writer);
        const QString path = Export_Series_Values({"007", "abc"}, dir.filePath(c.file));
        Set_Series_Workbook_Writer(previous);
        const auto requests = ui->requests();
        ASSERT_FALSE(requests.empty()) << c.file;
        // The finished box names where the file went.
        EXPECT_EQ(requests[0].text, *c.written ? c.message + "\n" + QDir::toNativeSeparators(dir.filePath(c.written)) : c.message)
            << c.file;
        EXPECT_EQ(path, *c.written ? dir.filePath(c.written) : QString()) << c.file;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), *c.written ? QStringList{c.written} : QStringList{});
        if (!*c.written)
            continue;
        // The finished box is the export-finished window, and its OK opened what was written.
        ASSERT_EQ(requests.size(), 2u) << c.file;
        EXPECT_EQ(requests[0].kind, "Open_Export_Files");
        EXPECT_EQ(requests[1].kind, "openExternally");
        if (QString(c.file) == "out.XLSX") {
            const auto read = testsupport::runTool(
                python, {"-c", "import sys, openpyxl\nws = openpyxl.load_workbook(sys.argv[1]).active\n"
                               "print('|'.join(str(r[0]) for r in ws.iter_rows(values_only=True)))",
                         path});
            EXPECT_EQ(read.out.trimmed(), "Batch Value|007|abc") << read.err.toStdString();
        }
    }
    EXPECT_EQ(captured, (QList<QStringList>{{"Batch Value"}, {"007"}, {"abc"}}));
}
