// Journeys across subsystems through the window the application sets up: a spreadsheet picked
// anywhere reaches every run and survives Save and Open, series bound from the panel fill a
// batch, a bound series cannot be lost, and stock text lands in one undo step.

#include "ControllerFixture.h"

#include "core/SKTText.h"
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
