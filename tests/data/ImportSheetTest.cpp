// Columns of a workbook saved as series, one per column or all into one.
#include "Press.h"
#include "core/Globals.h"
#include "XlsxTestSupport.h"
#include "data/SeriesFiles.h"
#include "data/SeriesImport.h"
#include "platform/UiServices.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>

namespace {
// Every series of the folder with its values, "name=v|v|" sorted.
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

void write(const QString &name, const QByteArray &bytes)
{
    QDir().mkpath(Data_Folder_Path);
    QFile f(Series_File_Path(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
}  // namespace

TEST(ImportSheet, ColumnsBecomeSeries)
{
    REQUIRE_PYTHON(python);
    QTemporaryDir dir;
    const QString book = dir.filePath("staff.xlsx");
    ASSERT_EQ(xlsxtest::build(python, "ws.append(['Name', 'Dept', 'City'])\nws.append(['x1', ' y1 ', 'z1'])\n"
                              "ws.append(['x2', None, 'z2'])\nwb.save(path)",
                              book).exitCode, 0);
    const QString exists = "File already exists\n\n%1\n\nFile already exists in this location.\n\nDo you want to Keep or "
                           "Replace it?";
    const struct {
        int fill;             // -1: one series per column
        QList<bool> ticks;
        const char *name;     // all into one: the series written
        QStringList answers;  // titles clicked in the keep-or-replace alert
        QStringList messages, after;
    } cases[] = {
        {-1, {true, true, true}, "", {}, {}, {"City=z1|z2|", "Dept=y1||", "Name=x1|x2|", "Old=o|"}},
        {-1, {true, true, false}, "", {"Keep Both", "Apply to All"}, {exists.arg("Name")},
         {"Dept (1)=y1||", "Dept=n|", "Name (1)=x1|x2|", "Name=n|", "Old=o|"}},
        {-1, {true, false, true}, "", {"Cancel"}, {exists.arg("Name"), exists.arg("City"), "\nError in file accessing.\n\nCity (Filename refers to a directory)"},
         {"Name=n|", "Old=o|"}},
        {FillNewSeries, {true, false, true}, "All", {}, {}, {"All=x1|z1|x2|z2|", "Old=o|"}},
        {FillAppendSeries, {false, true, false}, "Old", {}, {}, {"Old=o|y1||"}},
        {FillOverwriteSeries, {false, false, true}, "Old", {}, {}, {"Old=z1|z2|"}},
    };
    for (const auto &c : cases) {
        testsupport::TempDataFolder data;
        platform::ScopedScriptedUi ui;
        write("Old", "o\n");
        if (!c.answers.isEmpty())
            write("Name", "n\n");
        ui->push(c.answers);
        if (c.answers.size() == 2) {  // Dept exists too: the one alert answers both
            write("Dept", "n\n");
        } else if (!c.answers.isEmpty()) {  // in City's place a folder, which no series file replaces
            QDir().mkpath(Data_Folder_Path + "/City.txt/in");
            ui->push(QStringList{"Replace"});
        }
        Import_Excel_DataSheet sheet;
        sheet.prepare(book);
        sheet.show();
        ASSERT_EQ(sheet.ListData_xl.size(), 3);
        for (int j = 0; j < 3; ++j)
            sheet.ListData_xl[j].State = c.ticks[j];
        if (c.fill >= 0) {
            testsupport::press(sheet.findChild<QAbstractButton *>("Fill_col_RD"));
            testsupport::press(sheet.findChild<QAbstractButton *>(QString("matrix_fill_type_%1").arg(c.fill)));
            sheet.findChild<QLineEdit *>("list_name")->setText(c.name);
            auto *existing = sheet.findChild<QComboBox *>("List_ComboBox");
            existing->setCurrentIndex(existing->findText(c.name));
        }
        sheet.OKPressed();
        EXPECT_EQ(ui->messages(), c.messages) << c.fill << c.name;
        EXPECT_EQ(folder(), c.after) << c.fill << c.name;
        EXPECT_EQ(sheet.result(), 1);
    }
}
