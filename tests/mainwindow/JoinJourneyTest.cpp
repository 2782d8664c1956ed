// Journeys across subsystems through the window the application sets up: a spreadsheet picked
// anywhere reaches every run and survives Save and Open, series bound from the panel fill a
// batch, a bound series cannot be lost, and stock text lands in one undo step.

#include "ControllerFixture.h"

#include "core/SKTText.h"
#include "data/SeriesFiles.h"
#include "data/SeriesManager.h"
#include "data/batch/BatchBinding.h"
#include "data/export/CardExport.h"
#include "data/export/ExportSheet.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>

namespace {

using JoinJourneyTest = WindowTest;

// A sheet of `rows` rows picked as the column picker and the profile dialogs pick one, into the
// table every subsystem reaches: column 1 a name, column 2 a code unique to the row.
void pickSheet(int rows)
{
    QList<QStringList> sheet{{"Name", "Code"}};
    for (int r = 1; r <= rows; ++r)
        sheet << QStringList{QStringLiteral("Name %1").arg(r), QStringLiteral("CODE-%1").arg(r, 2, 10, QLatin1Char('0'))};
    Data_From_Excel::defaultInstance()->fillFromSheet(sheet, {0, 1}, true);
}

std::shared_ptr<SKTGraphic> code128(const QRectF &bounds)
{
    std::shared_ptr<SKTGraphic> code = Make_Graphic_Of_Class(QStringLiteral("SKTBarcode"));
    code->barcode_font_index = 9;  // Code 128
    code->linear_font_val = QStringLiteral("OWN");
    code->_bounds = bounds;
    code->bar_image_ctrl_bounds = bounds;
    return code;
}

// A sheet set in the table is the one a save stores, an open brings back and a batch export
// runs over: twenty rows give twenty cards whose barcodes read each row's own code.
TEST_F(JoinJourneyTest, ASheetSurvivesSaveAndOpenAndTheBatchUsesItsRows)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    controller->Sides_ComboBox->setCurrentIndex(1);  // one side: one file per card
    std::shared_ptr<SKTGraphic> code = code128({20, 20, 200, 70});
    place(0, {code});
    pickSheet(20);
    ASSERT_TRUE(Bind_Control_Data_Source(*code, Batch_Source_Sheet, {}, 2,
                                         Get_First_Value_Of_Excel_Binding(controller->Excel_Table().ListData, 2)));
    const QString path = pathIn("sheet.did");
    saveAs(path);

    controller->Excel_Table().Clear_Table();
    open(path);
    ASSERT_EQ(controller->Excel_Table().rowCount(), 20);
    EXPECT_EQ(controller->Excel_Table().Column_Titles(), QStringList({"No.", "Name", "Code"}));
    EXPECT_EQ(Data_From_Excel::defaultInstance(), &controller->Excel_Table()) << "one table for every subsystem";

    const BatchDesign run = controller->Set_Front_Back_Value_To_Print_Export_Mail();
    EXPECT_TRUE(run.source.Use_Excel_Binding_Values);
    EXPECT_EQ(run.source.Total_Batch_Excel_Card, 20);

    QDir out(pathIn("cards"));
    ASSERT_TRUE(out.mkpath(QStringLiteral(".")));
    ui->clear();
    ui->push(1);           // the export sheet's OK, its choice as the design leaves it
    ui->push(out.path());  // the folder
    ui->push(0);           // the finished box
    controller->Export_Button();
    controller->exportCommand()->waitForRun();
    const QStringList written = controller->exportCommand()->lastRun()->written;
    ASSERT_EQ(written.size(), 20);
    for (int r = 0; r < 20; ++r) {
        const QImage card(written[r]);
        ASSERT_FALSE(card.isNull()) << written[r].toStdString();
        // The reader copes better with bars of a few pixels than with the export's full resolution.
        EXPECT_EQ(readBarcode(zxing, card.scaled(card.size() / 3)), QStringLiteral("CODE-%1").arg(r + 1, 2, 10, QLatin1Char('0')).toUtf8());
    }
}

}  // namespace

namespace {

// The window tests run on the application's own set-up: every join it makes is in place.
TEST_F(JoinJourneyTest, TheApplicationSetUpLeavesNoJoinAtItsDefault)
{
    EXPECT_EQ(Missing_Application_Joins(*controller), QStringList());
}

// A series a control of the card takes its values from can be neither deleted nor replaced by
// the manager, the import or the generator; once unbound it can.
TEST_F(JoinJourneyTest, ASeriesBoundOnTheCardCannotBeDeletedOrReplaced)
{
    ASSERT_TRUE(Write_Series_File(Series_File_Path("Staff"), QStringList{"Ann", "Bob"}));
    ASSERT_TRUE(Write_Series_File(Series_File_Path("Other"), QStringList{"x"}));
    std::shared_ptr<SKTGraphic> text = Make_Graphic_Of_Class(QStringLiteral("SKTText"));
    text->_bounds = QRectF(10, 10, 120, 30);
    place(0, {text});
    ASSERT_TRUE(Bind_Control_Data_Source(*text, Batch_Source_Series, "Staff", 1, Get_First_Value_Of_Dataset("Staff")));
    EXPECT_EQ(text->Text_contents().string, "Ann");

    ui->clear();
    EXPECT_TRUE(Delete_Series({"Staff", "Other"}));
    EXPECT_EQ(ui->messages(), QStringList({"\nSeries is in use\n\nStaff\n\nBatch Processing Series can't be delete "
                                           "because it is currently in use."}));
    EXPECT_TRUE(QFileInfo::exists(Series_File_Path("Staff")));
    EXPECT_FALSE(QFileInfo::exists(Series_File_Path("Other")));

    ui->clear();
    EXPECT_FALSE(Save_Series({"Carl"}, "Staff", "Staff"));
    EXPECT_FALSE(Create_Series_File("Staff", [](const auto &add) { add("Dan"); }));
    EXPECT_EQ(ui->messages(),
              QStringList({"\nBatch Processing Series can't be update because it is currently in use.",
                           "\nBatch Processing Series can't be create because it is currently in use."}));
    EXPECT_EQ(Read_Series_Values(Series_File_Path("Staff")), QStringList({"Ann", "Bob"}));

    ASSERT_TRUE(Bind_Control_Data_Source(*text, Batch_Source_None, {}, -1, {}));
    ui->clear();
    EXPECT_FALSE(Delete_Series({"Staff"}));
    EXPECT_FALSE(QFileInfo::exists(Series_File_Path("Staff")));
}

}  // namespace
