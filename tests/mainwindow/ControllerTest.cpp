// The main window's set-up and its side, unit, preset and grid operations.

#include "ControllerFixture.h"

#include "canvas/SKTGrid.h"
#include "canvas/SKTZoomingScrollView.h"
#include "core/Utilities.h"
#include "imaging/CameraFiles.h"
#include "platform/Paths.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QCheckBox>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <sys/stat.h>

namespace {

// Set-up runs the start dialog until a choice is made, then shows the front card.
TEST_F(ControllerTest, SetUpShowsTheFrontCardInMillimetresWithRulersAndACameraFolder)
{
    startAnswers = {0, 0, 1};
    ASSERT_TRUE(setUpWindow());
    EXPECT_EQ(startDialogRuns, 3);
    EXPECT_TRUE(controller->Right_Prop_Box->isVisibleTo(controller.get()));
    EXPECT_EQ(outlet<QTabWidget>("sett_tab")->count(), 5);
    EXPECT_EQ(outlet<QGroupBox>("card_size_box")->title(), "Card Size (mm)");
    for (int side : {0, 1, 2})  // the wizard's first preset, CR80
        EXPECT_NEAR(canvas(side)->canvasBounds().width() + canvas(side)->canvasBounds().height(), 396.0, 0.01) << side;
    EXPECT_EQ(outlet<QLabel>("Front_back_label")->text(), "Front");
    EXPECT_TRUE(controller->_graphicView->rulersVisible() && controller->_graphicView_TEMP->rulersVisible())
        << "the three canvases show their rulers alike";
    controller->Show_Hide_Ruler_ChkBox();
    EXPECT_FALSE(controller->_graphicView_BACK->rulersVisible());
    // The camera folder file now names the default folder.
    EXPECT_EQ(QString::fromUtf8(designtest::fileBytes(controller->camera_path_file)), Camera_Folder_Path);
}

TEST_F(ControllerTest, UnreachableResourceFolderStopsTheSetUp)
{
    QFile blocker(folders.root() + "/not-a-folder");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Resource_Path = folders.root() + "/not-a-folder/resources";
    EXPECT_FALSE(setUpWindow());
    EXPECT_EQ(ui->messages().value(0).trimmed(), "Can not access Data file.");
    EXPECT_EQ(startDialogRuns, 0);
    // Ending the program is left to its caller: event loops, a modal dialog's, still run.
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&loop] { loop.exit(7); });
    EXPECT_EQ(loop.exec(), 7);
}

TEST_F(ControllerTest, CameraFolderFromItsFileOnlyWhenThatIsAFolder)
{
    Create_Folder(Created_Resource_Path);
    QFile file(controller->camera_path_file);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(folders.root().toUtf8());
    file.close();
    ASSERT_TRUE(setUpWindow());
    EXPECT_EQ(Camera_Folder_Path, folders.root());
    EXPECT_EQ(Camera_Capture_Image, platform::joinPath(folders.root(), "velk_user_save.png"));
}

// What set-up leaves: the text tab's date and time patterns, the five card tabs (the window's
// grid settings on the first), one zoom for the three sides and an export sheet that offers each
// side as a picture of its own.
TEST_F(WindowTest, SetUpListsTabsZoomAndExportOptions)
{
    const struct {
        const char *list;
        QStringList items;
    } lists[] = {
        {"Text_Date_style",
         {"M-d-yyyy", "M-d-yy", "MM-dd-yy", "MM-dd-yyyy", "yy-MM-dd", "yyyy-MM-dd", "dd-MMM-yy", "dd-MM-yyyy", "d-M-yy"}},
        {"Text_Time_style", {"h:mm:ss a", "hh:mm:ss a", "H:mm:ss", "HH:mm:ss"}},
    };
    for (const auto &l : lists) {
        auto *combo = outlet<QComboBox>(l.list);
        ASSERT_NE(combo, nullptr);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        EXPECT_EQ(shown, l.items) << l.list;
        EXPECT_EQ(combo->currentIndex(), 0) << l.list;
    }

    QTabWidget *tabs = outlet<QTabWidget>("sett_tab");
    QStringList names;
    for (int i = 0; i < tabs->count(); ++i)
        names << tabs->widget(i)->objectName();
    EXPECT_EQ(names, (QStringList{"card_setting_tab", "card_info_tab", "card_size_tab", "card_bkgd_tab", "card_brdr_tab"}));
    EXPECT_EQ(tabs->currentWidget(), controller->card_info_tab) << "the card's own properties in front";
    auto *grid = controller->card_setting_tab->findChild<QCheckBox *>("Show_hide_grid_chk");
    ASSERT_NE(grid, nullptr) << "the setting tab holds the grid settings";
    tabs->setCurrentWidget(controller->card_setting_tab);
    press(grid);
    EXPECT_EQ(controller->_grid->isAlwaysShown(), grid->isChecked());

    // Zoom the front to 150 %, turn to the back: the back shows 150 % too.
    click("Zoom_In_btn");
    click("Zoom_In_btn");
    click("Back_Side_btn");
    ASSERT_EQ(Card_Front_Or_Back, 1);
    for (int side : {0, 1, 2}) {
        EXPECT_DOUBLE_EQ(controller->zoomViewOfSide(side)->factor(), 1.5) << side;
        EXPECT_DOUBLE_EQ(canvas(side)->scale(), 1.5) << side;
        EXPECT_EQ(controller->zoomViewOfSide(side)->factorPopUpButton()->currentText(), "150%") << side;
    }
    EXPECT_DOUBLE_EQ(controller->_zoomFactor, 1.5);
    click("Zoom_Out_btn");
    EXPECT_DOUBLE_EQ(controller->zoomViewOfSide(0)->factor(), 1.25) << "a zoom on the back is the front's too";

    ui->push(0);  // the export sheet is cancelled
    click("Export_btn");
    auto *sheet = controller->findChild<QDialog *>("ExportWindow");
    ASSERT_NE(sheet, nullptr);
    for (const char *name : {"export_combined_image_chk", "combined_image_H_or_V_chk"}) {
        auto *box = sheet->findChild<QCheckBox *>(name);
        ASSERT_NE(box, nullptr) << name;
        EXPECT_FALSE(box->isVisibleTo(sheet)) << name;
    }
}

// A FIFO where the camera folder's file should be: the start neither waits on it nor keeps it.
TEST_F(ControllerTest, ACameraFolderFileThatIsAFifoDoesNotHoldTheStart)
{
    Create_Folder(Created_Resource_Path);
    ASSERT_EQ(mkfifo(QFile::encodeName(controller->camera_path_file).constData(), 0600), 0);
    testsupport::FifoWatch watch(controller->camera_path_file);
    ASSERT_TRUE(setUpWindow());
    EXPECT_FALSE(watch.readerWaited()) << "the start waited on the FIFO";
    EXPECT_EQ(Camera_Folder_Path, Default_Camera_Folder());
    EXPECT_EQ(QString::fromUtf8(designtest::fileBytes(controller->camera_path_file)), Camera_Folder_Path);
}

class VisitorWindowTest : public WindowTest {
protected:
    void road() override { chooseVisitorRoad(); }
};

TEST_F(VisitorWindowTest, VisitorModeImageIdsSkipTakenOnes)
{
    ASSERT_EQ(Start_Card_Option, "V");
    canvas(0)->createGraphicOfClass(SKTGraphicKind::Text, nullptr, true, QRectF(0, 0, 40, 20), "F", "x", "F_Pic1");
    EXPECT_EQ(controller->Generate_Extra_image_control_ID(), "F_Pic2");
    EXPECT_EQ(controller->Generate_Extra_image_control_ID(), "F_Pic3");
}

TEST_F(WindowTest, PresetsAndUnitsSizeTheFieldsAndCanvases)
{
    auto *width = outlet<QLineEdit>("width_Text");
    auto *height = outlet<QLineEdit>("height_Text");
    EXPECT_NEAR(width->text().toDouble(), 85.598, 5e-3);
    outlet<QComboBox>("Sides_ComboBox")->setCurrentIndex(1);  // one side: the size stays
    EXPECT_NEAR(width->text().toDouble(), 85.598, 5e-3);
    outlet<QComboBox>("Preset_ComboBox")->setCurrentIndex(1);  // vertical
    EXPECT_NEAR(width->text().toDouble(), 54.102, 5e-3);
    EXPECT_NEAR(height->text().toDouble(), 85.598, 5e-3);
    EXPECT_NEAR(canvas(1)->canvasBounds().height(), 85.598 * 72 / 25.4, 0.01);
    EXPECT_EQ(height->text(), "85.6") << "two decimals in mm";
    outlet<QComboBox>("Category_ComboBox")->setCurrentIndex(1);
    EXPECT_EQ(controller->ColList->count(), 8);
    EXPECT_EQ(controller->Front_card_Prop->Card_Sub_Category(), controller->ColList->item(0)->text());
    EXPECT_NEAR(height->text().toDouble(), 85.598, 5e-3) << "a category alone keeps the size";
    controller->ColList->setCurrentRow(6);  // a row chosen: its size, turned vertical, 89.92 x 59.94
    EXPECT_NEAR(height->text().toDouble(), 2.36 * 25.4, 5e-3);

    // Another unit converts the size fields only. Each time View > Units… opens the window, the
    // unit's row is chosen (-1: the one it opens on) and OK pressed; the size box, its labels and
    // every side's rulers then count in that unit.
    const auto chooseUnit = [&](int row) {
        bool opened = false;
        ui->onRequest = [&](const platform::ScriptedUiServices::Request &r) {
            const testsupport::RunWindow shown(r.kind);
            if (r.kind != "Unit_PrefWindow")
                return;
            opened = controller->Unit_PrefWindow->isVisible();
            if (row >= 0)
                press(controller->unit_matrix->button(row));
            press(controller->Unit_PrefWindow->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok));
            ui->push(controller->Unit_PrefWindow->result());  // what the window answers its caller
        };
        press(menuItem(QStringLiteral("Units…")));
        ui->onRequest = nullptr;
        EXPECT_TRUE(opened) << "View > Units… opened no window";
        const int unit = controller->unit_matrix->checkedId();
        const QString tag = QStringList{"in", "cm", "mm"}.value(unit);
        EXPECT_EQ(controller->card_size_box->title(), "Card Size (" + tag + ")");
        EXPECT_EQ(controller->unit_width_label->text(), "(" + tag + ")");
        for (int side = 0; side < 3; ++side)
            EXPECT_TRUE(controller->zoomViewOfSide(side)->horizontalRuler()->unit() == unit &&
                        controller->zoomViewOfSide(side)->verticalRuler()->unit() == unit)
                << "side " << side << " counts in " << tag.toStdString();
    };
    controller->Set_Card_Size_In_Control(85.6, 54.0);
    const QRectF cardBefore = canvas(0)->canvasBounds();
    chooseUnit(0);
    EXPECT_EQ(controller->width_Text->text(), "3.37") << "three decimals in inches";
    EXPECT_NEAR(controller->width_Stepper->value(), 3.370079, 1e-6);
    EXPECT_EQ(controller->ctrl_x_pos_unit_lbl->text(), "(pt)");
    EXPECT_EQ(canvas(0)->canvasBounds(), cardBefore);

    // Confirming the same unit changes nothing; a preset arrives in the unit shown.
    chooseUnit(-1);
    EXPECT_EQ(controller->width_Text->text(), "3.37");
    chooseUnit(1);
    EXPECT_EQ(controller->width_Text->text(), "8.56") << "the rounded inches are not what is converted";
    controller->Set_Card_Size_In_Control(85.598, 54.102);
    EXPECT_EQ(controller->width_Text->text(), "8.56");
    EXPECT_NEAR(controller->width_Stepper->value(), 8.5598, 1e-6);
    // Back and forth through inches, the size does not drift; a retyped field is taken as typed.
    for (int unit : {0, 2, 0, 1})
        chooseUnit(unit);
    EXPECT_NEAR(controller->width_Stepper->value(), 8.5598, 1e-6);
    outlet<QComboBox>("Preset_ComboBox")->setCurrentIndex(2);  // a size of one's own: the fields open
    testsupport::showTabOf(controller->width_Text);
    testsupport::typeInto(controller->width_Text, QStringLiteral("9"), Qt::Key_unknown);
    chooseUnit(2);
    EXPECT_EQ(controller->width_Text->text(), "90");
    Measument_Unit_Is = last_unit_val = 2;
}

TEST_F(WindowTest, GridSettingsAndItsColourTurnTheGridOn)
{
    const QColor before = controller->_grid->color();
    EXPECT_EQ(testsupport::unreachable(controller->Grid_clr).isEmpty(), controller->Grid_Opt_box->isEnabled());
    if (!controller->Show_hide_grid_chk->isChecked())
        press(controller->Show_hide_grid_chk);
    ASSERT_TRUE(controller->_grid->isAlwaysShown());
    press(controller->Grid_clr);  // empty script: the colour panel is cancelled
    EXPECT_TRUE(controller->_grid->color() == before && controller->_grid->isAlwaysShown());
    controller->Grid_Space_slidr->setValue(18);  // the slider dragged
    EXPECT_TRUE(controller->_grid->spacing() == 18 && controller->_grid->isAlwaysShown());
    press(controller->Show_hide_grid_chk);
    EXPECT_FALSE(controller->_grid->isAlwaysShown());
    EXPECT_FALSE(testsupport::unreachable(controller->Grid_clr).isEmpty()) << "the colour of a grid not shown";
    press(controller->Show_hide_grid_chk);
    ui->push(QColor(10, 120, 200));
    press(controller->Grid_clr);
    EXPECT_EQ(controller->_grid->color(), QColor(10, 120, 200));
    EXPECT_TRUE(controller->_grid->isAlwaysShown() && controller->Show_hide_grid_chk->isChecked());
    ASSERT_TRUE(startAgain(1, "W"));
    EXPECT_FALSE(controller->_grid->isAlwaysShown());
}

TEST_F(ControllerTest, MainThreadMessagesAnswerFromAWorkerThread)
{
    ui->push(true);
    std::atomic<int> answer{-1};
    std::unique_ptr<QThread> worker(QThread::create([&] {
        controller->Main_Thread_Messgae(QStringLiteral("From a worker"));
        answer = controller->Main_Thread_Messgae_Yes_No(QStringLiteral("Go on?"));
    }));
    worker->start();
    ASSERT_TRUE(testsupport::waitUntil([&] { return worker->isFinished(); })) << "the worker still waits on its boxes";
    worker->wait();
    EXPECT_EQ(answer.load(), 1);
    EXPECT_EQ(ui->messages(), (QStringList{QStringLiteral("From a worker"), QStringLiteral("Go on?")}));
}

}  // namespace
