// The column picker and the spreadsheet table, driven as the windows drive them.

#include "Press.h"
#include "XlsxTestSupport.h"

#include "canvas/WidgetUtilities.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "data/spreadsheet/Import_Excel.h"

#include "core/Utilities.h"
#include "platform/UiServices.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

namespace {

struct FakeHost : ExcelTableHost {
    Data_From_Excel *table = nullptr;
    QStringList calls;
    void Delete_Excel_File_Column() override { calls << QStringLiteral("columns"); table->Delete_Excel_File_Column(); }
    void Clear_Delete_Excel_table_rows() override { calls << QStringLiteral("rows"); table->Clear_Delete_Excel_table_rows(); }
};

struct FakeSeries : SeriesValueList {
    QStringList values;
    void Create_Value_List(const QString &value) override
    {
        if (!Trim_Str(value).isEmpty())
            values << Trim_Str(value);
    }
};

QString titles(const Data_From_Excel &t)
{
    QStringList out;
    for (const ExcelColumn &c : t.ColList)
        out << c.title;
    return out.join(QLatin1Char('|'));
}

const char *Book = "ws.title = 'People'; ws.append(['Name', 'Age', 'City', 'Zip'])\n"
                   "ws.append(['Ann', 30, 'Oslo', 1]); ws.append(['Bob', None, ' Rome ', 2])\n"
                   "wb.create_sheet('Empty')\n"
                   "b = wb.create_sheet('Blank'); b.append(['Name', None, '  ', 'Phone']); b.append(['x', 'y', 'z', 'w'])\n"
                   "wb.save(path)";

}  // namespace

TEST(SpreadsheetPicker, TickedColumnsReachTheValueListOrTheTable)
{
    REQUIRE_PYTHON(python);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("people.xlsx"));
    ASSERT_EQ(xlsxtest::build(python, QString::fromUtf8(Book), path).exitCode, 0);
    struct Case {
        const char *mode;
        int sheet;
        QList<int> ticks;
        bool header;
        QString names;   // the column list of the sheet
        QString result;  // mode D: the values; mode E: titles, then the rows
        QString message;
    };
    const Case cases[] = {
        {"D", 0, {0, 2}, true, "Name|Age|City|Zip", "Ann|Oslo|Bob|Rome", {}},
        {"D", 0, {0, 2}, false, "Name|Age|City|Zip", "Name|City|Ann|Oslo|Bob|Rome", {}},
        {"E", 0, {1, 3}, true, "Name|Age|City|Zip", "No.|Age|Zip 1|30|1;2||2", {}},
        {"E", 2, {3}, true, "Name|Untitled Column 2|Untitled Column 3|Phone", "No.|Phone 1|w", {}},
        {"E", 2, {1}, false, "Name|Untitled Column 2|Untitled Column 3|Phone", "No.|Untitled Column 1 1|;2|y", {}},
        {"E", 1, {}, true, "", "No. ", "There is no column."},
        {"E", 0, {}, true, "Name|Age|City|Zip", "No. ", "No column is selected."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + std::to_string(c.sheet));
        platform::ScopedScriptedUi ui;
        Data_From_Excel table;
        FakeHost host;
        host.table = &table;
        FakeSeries series;
        Import_Excel picker;
        picker.table = &table;
        picker.tableHost = &host;
        picker.seriesList = &series;
        picker.open_mode = QLatin1String(c.mode);
        ASSERT_TRUE(picker.prepare(path));
        EXPECT_EQ(picker.sheets.join(QLatin1Char('|')), QStringLiteral("People|Empty|Blank"));
        picker.comboBoxSelectionDidChange(c.sheet);
        QStringList names;
        for (const PickerColumn &col : picker.ListData_xl)
            names << col.Extension;
        EXPECT_EQ(names.join(QLatin1Char('|')), c.names);
        for (int j : c.ticks)
            picker.ListData_xl[j].State = true;
        picker.contains_header = c.header;
        EXPECT_EQ(picker.OKPressed(), c.message.isEmpty());
        EXPECT_EQ(ui->messages().join(QString()).trimmed(), c.message);
        if (*c.mode == 'D') {
            EXPECT_EQ(series.values.join(QLatin1Char('|')), c.result);
            continue;
        }
        QStringList rows;
        for (const QStringList &r : table.Rows())
            rows << r.join(QLatin1Char('|'));
        EXPECT_EQ(titles(table) + QLatin1Char(' ') + rows.join(QLatin1Char(';')), c.result);
        EXPECT_EQ(host.calls.join(QLatin1Char(',')), c.message.isEmpty() ? QStringLiteral("columns,rows") : QString());
    }
}

TEST(SpreadsheetPicker, NotAWorkbookIsReportedOnce)
{
    platform::ScopedScriptedUi ui;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plain.xlsx"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("not a zip") > 0);
    f.close();
    Import_Excel picker;
    EXPECT_FALSE(picker.prepare(path));
    EXPECT_TRUE(picker.sheets.isEmpty());
    EXPECT_EQ(ui->messages().size(), 1);
    EXPECT_FALSE(picker.OKPressed());
}

TEST(SpreadsheetPicker, WindowTicksAndOkFillTheTable)
{
    REQUIRE_PYTHON(python);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("people.xlsx"));
    ASSERT_EQ(xlsxtest::build(python, QString::fromUtf8(Book), path).exitCode, 0);
    Data_From_Excel table;
    Import_Excel picker;
    picker.table = &table;
    picker.open_mode = QStringLiteral("E");
    ASSERT_TRUE(picker.prepare(path));
    Import_Excel_Dialog dialog(&picker);
    dialog.show();
    auto *list = dialog.findChild<QTableWidget *>(QStringLiteral("ColList"));
    ASSERT_TRUE(list);
    ASSERT_EQ(list->rowCount(), 4);
    list->item(2, 0)->setCheckState(Qt::Checked);
    testsupport::press(dialog.findChild<QPushButton *>(QStringLiteral("OKPressed")));
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(titles(table), QStringLiteral("No.|City"));
    EXPECT_EQ(table.Get_Item_Text(1, 1).value_or(QStringLiteral("none")), QStringLiteral("Rome"));
}

TEST(SpreadsheetTable, RowsCellsAndCountsAsTheBindingsSeeThem)
{
    Data_From_Excel table;
    const QList<QStringList> sheet{{QStringLiteral("A"), QStringLiteral("B")},
                                   {QStringLiteral(" a1 "), QStringLiteral("   ")},
                                   {QStringLiteral("a2"), QStringLiteral("b2")}};
    table.fillFromSheet(sheet, {0, 1}, false);
    table.fillFromSheet(sheet, {0, 1}, true);  // a second fill starts again at row 1
    const struct {
        int row;
        int column;
        std::optional<QString> text;
    } cells[] = {{0, 0, QStringLiteral("1")}, {0, 1, QStringLiteral("a1")}, {0, 2, QStringLiteral("")},
                 {1, 2, QStringLiteral("b2")}, {0, 3, std::nullopt}, {2, 1, QStringLiteral("")},
                 {-1, 0, QStringLiteral("")}};
    for (const auto &c : cells)
        EXPECT_EQ(table.Get_Item_Text(c.row, c.column), c.text) << c.row << "," << c.column;
    EXPECT_FALSE(table.Create_List_By_Array({QStringLiteral("x")}, 2));
    EXPECT_EQ(table.rowCount(), 2);
    table.fillFromSheet({}, {0}, true);  // nothing read: the table stays
    EXPECT_EQ(titles(table), QStringLiteral("No.|A|B"));

    // The viewer counts the sheet's columns it shows, not its own row numbers.
    for (const char *title : {"C", "D", "E", "Photo", "Photo 2"})
        table.appendColumn(QLatin1String(title));
    Data_From_Excel_Viewer viewer(&table);
    EXPECT_EQ(viewer.findChild<QLabel *>(QStringLiteral("column_count"))->text(), QStringLiteral("7"));
    EXPECT_EQ(viewer.findChild<QLabel *>(QStringLiteral("rows_count"))->text(), QStringLiteral("2"));
}

// The picker and the viewer share the application's one window background.
TEST(SpreadsheetTable, ItsWindowsShowTheSharedBackground)
{
    Data_From_Excel table;
    Import_Excel picker;
    picker.table = &table;
    Import_Excel_Dialog importer(&picker);
    Data_From_Excel_Viewer viewer(&table);
    for (QDialog *window : std::initializer_list<QDialog *>{&importer, &viewer}) {
        window->resize(400, 300);
        EXPECT_EQ(window->grab().toImage().pixelColor(2, 150), Window_Background_Color()) << window->windowTitle().toStdString();
    }
}

// The table as a design file holds it: titles and rows go out and come back, a cell a row lacks
// stays missing, and no titles keep the columns.
TEST(SpreadsheetTable, TheDesignFileFormComesBackAsItWent)
{
    Data_From_Excel table;
    const QVariantList rows{QVariantMap{{"Extension", "1"}, {"Column1", "Ann"}, {"Column2", ""}},
                            QVariantMap{{"Extension", "2"}, {"Column2", "B-2"}}};
    table.Set_Table({"Row", "Name", "Code"}, rows);
    EXPECT_EQ(table.Column_Titles(), QStringList({"Row", "Name", "Code"}));
    EXPECT_EQ(table.Table_Rows(), rows);
    EXPECT_EQ(table.Get_Item_Text(1, 1), std::nullopt);
    EXPECT_EQ(table.Get_Item_Text(0, 2), QStringLiteral(""));

    table.Set_Table({}, {QVariantMap{{"Extension", "1"}, {"Column2", "x"}}});
    EXPECT_EQ(titles(table), QStringLiteral("Row|Name|Code"));
    EXPECT_EQ(table.rowCount(), 1);
    table.Clear_Table();
    EXPECT_EQ(titles(table), QStringLiteral("No."));
    EXPECT_EQ(table.rowCount(), 0);
}

// The window's table replaces the fallback one for every subsystem and gives it back.
TEST(SpreadsheetTable, OneTableIsReachedFromEverywhere)
{
    Data_From_Excel *fallback = Data_From_Excel::defaultInstance();
    {
        Data_From_Excel mine;
        Data_From_Excel *previous = Data_From_Excel::setDefaultInstance(&mine);
        EXPECT_EQ(previous, fallback);
        EXPECT_EQ(Data_From_Excel::defaultInstance(), &mine);
        EXPECT_EQ(Data_From_Excel_Window, &mine);
        Data_From_Excel::setDefaultInstance(previous);
    }
    EXPECT_EQ(Data_From_Excel::defaultInstance(), fallback);
}
