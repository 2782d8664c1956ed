// Saving, deleting and exporting what the series manager holds.
#include "core/Globals.h"
#include "SeriesTestPrint.h"
#include "data/SeriesFiles.h"
#include "data/SeriesManager.h"
#include "platform/UiServices.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
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
        {"?*", "", true, {"\nPlease enter valid series name."}, {"A=a|", "C=c|"}},
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
    EXPECT_EQ(ui->messages(), QStringList{"\nSeries is in use\n\nBusy\n\nBatch Processing Series can't be delete "
                                          "because it is currently in use."});
}

TEST(SeriesManager, ExportReportsWhatWasWritten)
{
    QList<QStringList> captured;
    const SeriesWorkbookWriter none;
    const SeriesWorkbookWriter failing = [](const QString &, const QList<QStringList> &, bool) { return false; };
    const SeriesWorkbookWriter capturing = [&](const QString &path, const QList<QStringList> &rows, bool title) {
        captured = rows;
        QFile f(path);
        return !title && f.open(QIODevice::WriteOnly) && f.write("PK") == 2;
    };
    const struct {
        const char *file;
        const SeriesWorkbookWriter *writer;
        const char *written;  // file name written, empty for a failure
        const char *message;
    } cases[] = {
        {"out.txt", &none, "out.txt", "\nRecord has been exported successfully."},
        {"out.csv", &none, "out.csv.txt", "\nRecord has been exported successfully."},
        {"out.XLSX", &none, "", "\nSpreadsheet export is not available."},
        {"out.xlsx", &failing, "", "\nError in file accessing."},
        {"out.xlsx", &capturing, "out.xlsx", "\nRecord has been exported successfully."},
    };
    for (const auto &c : cases) {
        QTemporaryDir dir;
        platform::ScopedScriptedUi ui;
        const SeriesWorkbookWriter previous = Set_Series_Workbook_Writer(*c.writer);
        const QString path = Export_Series_Values({"007", "abc"}, dir.filePath(c.file));
        Set_Series_Workbook_Writer(previous);
        EXPECT_EQ(ui->messages(), QStringList{c.message}) << c.file;
        EXPECT_EQ(path, *c.written ? dir.filePath(c.written) : QString()) << c.file;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), *c.written ? QStringList{c.written} : QStringList{});
    }
    EXPECT_EQ(captured, (QList<QStringList>{{"Batch Value"}, {"007"}, {"abc"}}));
}
