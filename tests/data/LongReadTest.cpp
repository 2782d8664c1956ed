// Long reads run on a worker under the please-wait sheet: its progress reaches the window, Stop
// ends the read and leaves everything as it was, and a read that runs out gives what the direct
// read gives.
#include "Press.h"
#include "core/Globals.h"
#include "XlsxTestSupport.h"
#include "data/ImportText.h"
#include "data/ImportWizard.h"
#include "data/LongRead.h"
#include "data/SeriesFiles.h"
#include "data/SeriesImport.h"
#include "data/SeriesViewer.h"
#include "data/SeriesWindow.h"
#include "data/export/ExportDialogs.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "data/spreadsheet/Import_Excel.h"
#include "data/spreadsheet/SpreadsheetWriter.h"
#include "platform/UiServices.h"
#include "StopOnShow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <chrono>
#include <thread>

namespace {

// A workbook of `rows` rows of 12 wide cells, stored unpacked so the file is long work (over
// 1 MiB), with a second sheet.
const char *BigBook = R"PY(
N = int(sys.argv[2]) if len(sys.argv) > 2 else 3000
ws.title = 'Big'; wb.create_sheet('Other'); wb.save(path)
cells = lambda r: ''.join('<c r="%s%d" t="inlineStr"><is><t>r%d-c%d-%s</t></is></c>' % (chr(65 + c), r, r, c, 'x' * 40) for c in range(12))
patch({'xl/worksheets/sheet1.xml': sheet('A1:L%d' % N, ''.join('<row r="%d">%s</row>' % (r, cells(r)) for r in range(1, N + 1)))})
with zipfile.ZipFile(path) as z:
    items = {n: z.read(n) for n in z.namelist()}
with zipfile.ZipFile(path, 'w', zipfile.ZIP_STORED) as z:
    for n, d in items.items():
        z.writestr(n, d)
)PY";

QString bigBook(const QString &python, const QTemporaryDir &dir, int rows = 3000)
{
    const QString path = dir.filePath(QStringLiteral("big.xlsx"));
    const testsupport::ToolResult made = testsupport::runTool(
        python, {QStringLiteral("-c"), QString::fromUtf8(xlsxtest::Prelude) + QString::fromUtf8(BigBook), path,
                 QString::number(rows)});
    EXPECT_EQ(made.exitCode, 0);
    EXPECT_GT(QFileInfo(path).size(), 1024 * 1024);
    return path;
}

// Lines enough for a file of more than 1 MiB.
QStringList manyValues()
{
    QStringList values;
    for (int i = 0; i < 40000; ++i)
        values << QStringLiteral("value-%1-abcdefghijklmnop").arg(i, 6, 10, QLatin1Char('0'));
    return values;
}

QString tableText(const Data_From_Excel &table)
{
    QStringList rows;
    for (const QVariant &row : table.Table_Rows()) {
        QStringList cells;
        const QVariantMap map = row.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            cells << it.key() + QLatin1Char('=') + it.value().toString();
        rows << cells.join(QLatin1Char('|'));
    }
    return table.Column_Titles().join(QLatin1Char('|')) + QLatin1Char(' ') + rows.join(QLatin1Char(';'));
}

}  // namespace

TEST(LongRead, SheetShowsProgressAndStopEndsTheWork)
{
    QWidget window;
    ReadProgress progress;
    QString shown;
    bool workerWasElsewhere = false;
    bool blocksOthers = false;  // every other window waits while the read runs
    const auto gui = std::this_thread::get_id();
    // The window looks at its sheet until a count shows, then presses Stop.
    QTimer look;
    look.setInterval(20);
    QObject::connect(&look, &QTimer::timeout, [&] {
        auto *sheet = window.findChild<Plz_Wait_Sheet *>();
        if (!sheet || !sheet->isVisible() || sheet->progress_lbl->text().isEmpty())
            return;
        shown = sheet->progress_lbl->text();
        blocksOthers = sheet->windowModality() == Qt::ApplicationModal;
        testsupport::press(sheet->stop_btn);
        look.stop();
    });
    look.start();
    Run_Long_Read(&window, true, progress, [&] {
        workerWasElsewhere = std::this_thread::get_id() != gui;
        // Counts until Stop; the bound only keeps a broken build from hanging the suite.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (progress.step() && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    EXPECT_TRUE(workerWasElsewhere);
    EXPECT_TRUE(blocksOthers);
    EXPECT_TRUE(progress.stopped());
    const QRegularExpressionMatch count = QRegularExpression(QStringLiteral("^([0-9,]+) rows read$")).match(shown);
    ASSERT_TRUE(count.hasMatch()) << shown.toStdString();
    EXPECT_GT(count.captured(1).remove(QLatin1Char(',')).toLongLong(), 0);
    EXPECT_FALSE(window.findChild<Plz_Wait_Sheet *>()->isVisible());
}

TEST(LongRead, StoppedReadsChangeNothing)
{
    REQUIRE_PYTHON(python);
    testsupport::TempDataFolder data;
    QDir().mkpath(Data_Folder_Path);
    QTemporaryDir dir;
    const QString book = bigBook(python, dir);
    const QString text = dir.filePath(QStringLiteral("values.txt"));
    ASSERT_TRUE(Write_Series_File(text, manyValues()));
    ASSERT_TRUE(Write_Series_File(Series_File_Path(QStringLiteral("Big")), manyValues()));

    const struct {
        const char *road;
        QString path;
    } cases[] = {{"workbook into the table", book},
                 {"workbook into the series list", book},
                 {"other sheet in the picker", book},
                 {"workbook, a series per column", book},
                 {"workbook into one series", book},
                 {"text import", text},
                 {"series viewer", Series_File_Path(QStringLiteral("Big"))}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.road);
        const std::string road = c.road;
        platform::ScopedScriptedUi ui;
        QWidget window;
        QString before, after;
        std::optional<StopOnShow> stopper;
        if (road.starts_with("workbook") || road.starts_with("other")) {
            Data_From_Excel table;
            table.Set_Table({QStringLiteral("No."), QStringLiteral("Kept")},
                            {QVariantMap{{QStringLiteral("Extension"), QStringLiteral("1")},
                                         {QStringLiteral("Column1"), QStringLiteral("old")}}});
            struct : SeriesValueList {
                QStringList values;
                void Create_Value_List(const QString &v) override { values << v; }
            } series;
            Import_Excel picker;
            picker.table = &table;
            picker.seriesList = &series;
            picker.waitOver = &window;
            picker.open_mode = road == "workbook into the series list" ? QStringLiteral("D") : QStringLiteral("E");
            ASSERT_TRUE(picker.prepare(c.path));
            ASSERT_EQ(picker.ListData_xl.size(), 12);
            picker.ListData_xl[0].State = picker.ListData_xl[5].State = true;
            if (road == "other sheet in the picker")
                picker.comboBoxSelectionDidChange(1);  // the other sheet, empty, is listed
            const int sheetBefore = Excel_Sheet_Number;
            before = tableText(table) + QLatin1Char('/') + series.values.join(QLatin1Char('|')) +
                     QLatin1Char('/') + QString::number(picker.ListData_xl.size());
            stopper.emplace();
            if (road == "other sheet in the picker") {
                // Back to the big sheet, stopped: the other sheet stays chosen and listed.
                picker.comboBoxSelectionDidChange(0);
                EXPECT_EQ(Excel_Sheet_Number, sheetBefore);
            } else {
                picker.OKPressed();
            }
            after = tableText(table) + QLatin1Char('/') + series.values.join(QLatin1Char('|')) + QLatin1Char('/') +
                    QString::number(picker.ListData_xl.size());
        } else if (road.starts_with("workbook,") || road == "workbook into one series") {
            ASSERT_TRUE(Write_Series_File(Series_File_Path(QStringLiteral("Old")), {QStringLiteral("o")}));
            const auto folder = [] { return QDir(Data_Folder_Path).entryList(QDir::Files, QDir::Name).join(QLatin1Char('|')); };
            Import_Excel_DataSheet sheet;
            sheet.prepare(c.path);
            ASSERT_EQ(sheet.ListData_xl.size(), 12);
            sheet.ListData_xl[1].State = true;
            if (road == "workbook into one series") {
                testsupport::press(sheet.findChild<QAbstractButton *>(QStringLiteral("Fill_col_RD")));
                testsupport::press(sheet.findChild<QAbstractButton *>(QStringLiteral("matrix_fill_type_%1").arg(FillOverwriteSeries)));
                auto *existing = sheet.findChild<QComboBox *>(QStringLiteral("List_ComboBox"));
                existing->setCurrentIndex(existing->findText(QStringLiteral("Old")));
            }
            before = folder() + QLatin1Char('/') + Read_Series_Values(Series_File_Path(QStringLiteral("Old"))).join(QLatin1Char('|'));
            stopper.emplace();
            sheet.OKPressed();
            after = folder() + QLatin1Char('/') + Read_Series_Values(Series_File_Path(QStringLiteral("Old"))).join(QLatin1Char('|'));
        } else if (road == "text import") {
            QStringList received;
            ImportTarget target;
            target.fileMode = false;
            target.toList = [&received](const QString &v) { received << v; };
            stopper.emplace();
            EXPECT_FALSE(Import_Text_File(c.path, target, &window));
            after = received.join(QLatin1Char('|'));
        } else {
            View_Data_Series viewer;
            viewer.file_name = QStringLiteral("Big");
            viewer.ListData = {QStringLiteral("shown before")};
            before = viewer.ListData.join(QLatin1Char('|'));
            int opened = 0;
            const SeriesModalRunner previous = Set_Series_Modal_Runner([&](QDialog &) {
                ++opened;
                return 1;
            });
            stopper.emplace();
            viewer.Open_Wnd();
            Set_Series_Modal_Runner(previous);
            EXPECT_EQ(opened, 0);
            after = viewer.ListData.join(QLatin1Char('|'));
        }
        EXPECT_EQ(stopper->pressed, 1);
        EXPECT_EQ(after, before);
        EXPECT_EQ(ui->messages().join(QString()).trimmed(), Read_Stopped_Message(c.path));
    }
}

TEST(LongRead, ReadsOnTheWorkerEqualTheDirectRead)
{
    REQUIRE_PYTHON(python);
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    QDir().mkpath(Data_Folder_Path);
    QTemporaryDir dir;
    QWidget window;

    // Workbook: the table filled through the picker against the sheet read directly.
    const QString book = bigBook(python, dir);
    Data_From_Excel table;
    Import_Excel picker;
    picker.table = &table;
    picker.waitOver = &window;
    picker.open_mode = QStringLiteral("E");
    ASSERT_TRUE(picker.prepare(book));
    for (PickerColumn &column : picker.ListData_xl)
        column.State = true;
    EXPECT_TRUE(picker.OKPressed());
    EXPECT_NE(window.findChild<Plz_Wait_Sheet *>(), nullptr) << "the read was long work";
    SpreadsheetWriter direct;
    ASSERT_TRUE(direct.openWorkbook(book));
    int columns = 0;
    ASSERT_TRUE(direct.ReadData(direct.sheetPartPath(1), columns));
    Data_From_Excel expected;
    expected.fillFromSheet(direct.data, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, true);
    EXPECT_EQ(table.rowCount(), 2999);
    EXPECT_EQ(tableText(table), tableText(expected));

    // Text import and series viewer: the values the direct readers give.
    const QStringList values = manyValues();
    const QString text = dir.filePath(QStringLiteral("values.txt"));
    ASSERT_TRUE(Write_Series_File(text, values));
    QStringList received;
    ImportTarget target;
    target.fileMode = false;
    target.toList = [&received](const QString &v) { received << v; };
    QWidget wizard;
    EXPECT_TRUE(Import_Text_File(text, target, &wizard));
    EXPECT_NE(wizard.findChild<Plz_Wait_Sheet *>(), nullptr);
    EXPECT_EQ(received, Read_Text_File_Values(text).values);
    EXPECT_EQ(received, values);

    ASSERT_TRUE(Write_Series_File(Series_File_Path(QStringLiteral("Big")), values));
    View_Data_Series viewer;
    viewer.file_name = QStringLiteral("Big");
    const SeriesModalRunner previous = Set_Series_Modal_Runner([](QDialog &) { return 1; });
    viewer.Open_Wnd();
    Set_Series_Modal_Runner(previous);
    EXPECT_EQ(viewer.ListData, Read_Series_Values(Series_File_Path(QStringLiteral("Big"))));
    EXPECT_EQ(viewer.ListData, values);
}

TEST(LongRead, WorkbookReaderStopsBetweenRows)
{
    REQUIRE_PYTHON(python);
    QTemporaryDir dir;
    const QString book = bigBook(python, dir, 20000);
    SpreadsheetWriter reader;
    ASSERT_TRUE(reader.openWorkbook(book));
    ReadProgress progress;
    reader.progress = &progress;
    int columns = 0;
    bool read = true;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        read = reader.ReadData(reader.sheetPartPath(1), columns);
        finished = true;
    });
    // Stop once the reader is well into the sheet.
    while (progress.done.load() < 1000 && !finished.load())
        std::this_thread::yield();
    progress.stop = true;
    worker.join();
    EXPECT_FALSE(read);
    EXPECT_TRUE(reader.stopped());
    EXPECT_FALSE(reader.refused());
    EXPECT_GE(progress.done.load(), 1000);
    EXPECT_LT(progress.done.load(), 20000) << "stopped part-way";
    EXPECT_TRUE(reader.data.isEmpty());
    EXPECT_EQ(reader.lastError(), Read_Stopped_Message(book));
}
