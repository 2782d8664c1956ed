#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLogic.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/Start_Card.h"
#include "core/Globals.h"
#include "core/Utilities.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "canvas/SKTZoomingScrollView.h"
#include "platform/Paths.h"
#include "platform/UiServices.h"
#include "ControllerFixture.h"
#include "TestSupport.h"
#include "visitor/ProfileCaptions.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QSlider>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

namespace {

TEST_F(ControllerTest, ConstructionPublishesTheInstanceWithPresetsPicturesAndProfiles)
{
    EXPECT_EQ(SKTWindowController::defaultInstance(), controller.get());
    EXPECT_EQ(Main_App_wnd, controller.get());
    EXPECT_EQ(controller->pvc_card_arry.value(0), "CR80-Credit Card Size");
    EXPECT_EQ(controller->paper_card_arry.size(), 8);
    EXPECT_EQ(controller->Allowd_Image_fileTypes.join(','), "jpg,jpeg,jpe,jfif,gif,bmp,png,tif,tiff");
    EXPECT_EQ(controller->NO_Image_Path, platform::joinPath(Resource_Path, "no.png"));
    for (const QImage *img : {&controller->no_image, &controller->sign_sample_img, &controller->fp_sample_img,
                              &controller->barcode_sample_img, &controller->front_btn_image_sel,
                              &controller->back_btn_image, &controller->no_camera_image})
        EXPECT_FALSE(img->isNull());
    EXPECT_EQ(controller->Front_user_profile.Name_id, "Fup_Name");
    EXPECT_EQ(controller->TEMP_user_profile.image_label_id, "Fup_lbl_Photo");
    EXPECT_EQ(controller->excel_cb_value[12], -1);
    EXPECT_DOUBLE_EQ(controller->_zoomFactor, 1.0);
    EXPECT_EQ(controller->Selected_Control_Tool, 0);
    controller.reset();
    EXPECT_EQ(SKTWindowController::defaultInstance(), nullptr);
    EXPECT_EQ(Main_App_wnd, nullptr);
}

TEST_F(ControllerTest, SetUpShowsFiveCardTabsMillimetresCaptionsAndTheFrontCard)
{
    ASSERT_TRUE(setUpWindow());
    auto *tabs = outlet<QTabWidget>("sett_tab");
    ASSERT_EQ(tabs->count(), 5);
    const char *expected[] = {"card_setting_tab", "card_info_tab", "card_size_tab", "card_bkgd_tab", "card_brdr_tab"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(tabs->widget(i)->objectName(), expected[i]);
    EXPECT_NE(controller->line_tab, nullptr);  // kept for the property panel
    EXPECT_EQ(tabs->indexOf(controller->Lock_tab), -1);
    EXPECT_EQ(Measument_Unit_Is, 2);
    EXPECT_EQ(outlet<QGroupBox>("card_size_box")->title(), "Card Size (mm)");
    EXPECT_EQ(Title_Title, "Position / Title :");
    EXPECT_EQ(startDialogRuns, 1);
    EXPECT_EQ(Start_Card_Option, "T");
    EXPECT_EQ(controller->_graphicView->canvasBounds(), QRectF(0, 0, 243, 154));
    EXPECT_EQ(controller->_graphicView_TEMP->canvasBounds(), QRectF(0, 0, 243, 154));
    EXPECT_TRUE(controller->myTargetView->isVisibleTo(controller.get()));
    EXPECT_EQ(outlet<QLabel>("Front_back_label")->text(), "Front");
    EXPECT_TRUE(controller->_graphicView->rulersVisible());
    EXPECT_EQ(controller->_graphicView_TEMP->rulersVisible(), controller->_graphicView->rulersVisible());
    controller->Show_Hide_Ruler_ChkBox();
    EXPECT_FALSE(controller->_graphicView_BACK->rulersVisible());
    // The camera folder file now names the default folder.
    QFile remembered(controller->camera_path_file);
    ASSERT_TRUE(remembered.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(remembered.readAll()), Camera_Folder_Path);
    EXPECT_TRUE(Camera_Folder_Path.endsWith("Images_save_by_user"));
}

TEST_F(ControllerTest, StartDialogCancelBringsItBack)
{
    startAnswers = {0, 0, 1};
    ASSERT_TRUE(setUpWindow());
    EXPECT_EQ(startDialogRuns, 3);
    EXPECT_EQ(Start_Card_Option, "T");
    EXPECT_TRUE(controller->Right_Prop_Box->isVisibleTo(controller.get()));
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
}

TEST_F(ControllerTest, CameraFolderFromItsFileOnlyWhenThatIsAFolder)
{
    const QString chosen = folders.root();
    Create_Folder(Created_Resource_Path);
    QFile file(controller->camera_path_file);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(chosen.toUtf8());
    file.close();
    ASSERT_TRUE(setUpWindow());
    EXPECT_EQ(Camera_Folder_Path, chosen);
    EXPECT_EQ(Camera_Capture_Image, platform::joinPath(chosen, "velk_user_save.png"));
}

struct ToolCase {
    const char *action;
    SKTGraphicKind kind;
    QSizeF size;  // empty: the control's own picture decides
    const char *shape;
};

TEST_F(ControllerTest, EachToolButtonCreatesItsControlAtOnceAndReturnsToTheArrow)
{
    ASSERT_TRUE(setUpWindow());
    const ToolCase cases[] = {
        {"Line_Tool_Clicked", SKTGraphicKind::Line, {50, 50}, ""},
        {"Rect_Tool_Clicked", SKTGraphicKind::Shape, {50, 50}, "R"},
        {"Circle_Tool_Clicked", SKTGraphicKind::Shape, {50, 50}, "C"},
        {"Round_Rect_Tool_Clicked", SKTGraphicKind::Shape, {50, 50}, "RR"},
        {"Triangle_Tool_Clicked", SKTGraphicKind::Shape, {50, 50}, "T"},
        {"Diamond_Tool_Clicked", SKTGraphicKind::Shape, {50, 50}, "D"},
        {"Star_Tool_Clicked", SKTGraphicKind::Shape, {50, 50}, "S"},
        {"Double_Star_Tool_Clicked", SKTGraphicKind::Shape, {50, 50}, "DS"},
        {"Polygon_Tool_Clicked", SKTGraphicKind::Shape, {50, 50}, "P"},
        {"Signature_Tool_Clicked", SKTGraphicKind::Signature, {100, 50}, ""},
        {"Fingure_Print_Tool_Clicked", SKTGraphicKind::Signature, {50, 50}, ""},
        {"Text_Tool_Clicked", SKTGraphicKind::Text, {}, ""},
        {"Barcode_Tool_Clicked", SKTGraphicKind::Barcode, {}, ""},
    };
    size_t count = 0;
    for (const ToolCase &c : cases) {
        SCOPED_TRACE(c.action);
        ASSERT_TRUE(QMetaObject::invokeMethod(controller.get(), c.action));
        ASSERT_EQ(front().size(), ++count);
        const SKTGraphic &made = *front().front();  // the new control is frontmost
        EXPECT_EQ(made.kind(), c.kind);
        if (!c.size.isEmpty()) {
            EXPECT_EQ(made._bounds.size(), c.size);
        } else {
            EXPECT_FALSE(made._bounds.isEmpty());
        }
        if (*c.shape) {
            EXPECT_EQ(made._shape_type, c.shape);
        }
        EXPECT_EQ(controller->Selected_Control_Tool, 0);
    }
    // The buttons are wired to the same actions.
    outlet<QToolButton>("Rect_Tool_btn")->click();
    EXPECT_EQ(front().size(), count + 1);
    EXPECT_TRUE(document->graphics_back().empty());
}

TEST_F(ControllerTest, ImageToolPlacesTheChosenPictureAndCancelReturnsToTheArrow)
{
    ASSERT_TRUE(setUpWindow());
    ui->push(platform::joinPath(Resource_Path, "sign_sample.png"));
    controller->Image_Tool_Clicked();
    ASSERT_EQ(front().size(), 1u);
    EXPECT_EQ(front().front()->kind(), SKTGraphicKind::Image);
    EXPECT_EQ(controller->Selected_Control_Tool, 0);

    for (const char *action : {"Image_Tool_Clicked", "Image_Library_Tool_Clicked"}) {
        SCOPED_TRACE(action);
        ui->push(QString());  // the chooser is cancelled
        ASSERT_TRUE(QMetaObject::invokeMethod(controller.get(), action));
        EXPECT_EQ(front().size(), 1u);
        EXPECT_EQ(controller->Selected_Control_Tool, 0);
    }
}

TEST_F(ControllerTest, VisitorModeImageIdsSkipTakenOnes)
{
    ASSERT_TRUE(setUpWindow());
    Start_Card_Option = QStringLiteral("V");
    controller->_graphicView->createGraphicOfClass(SKTGraphicKind::Text, nullptr, true, QRectF(0, 0, 40, 20), "F",
                                                   "x", "F_Pic1");
    EXPECT_EQ(controller->Generate_Extra_image_control_ID(), "F_Pic2");
    EXPECT_EQ(controller->Generate_Extra_image_control_ID(), "F_Pic3");
    Start_Card_Option = QStringLiteral("T");
}

TEST_F(ControllerTest, NewEmptiesFrontAndBackKeepsTempAndTheClipboard)
{
    ASSERT_TRUE(setUpWindow());
    controller->Rect_Tool_Clicked();
    controller->Back_Card_Btn_Clicked();
    controller->Line_Tool_Clicked();
    controller->Temp_Card_Btn_Clicked();  // temp shows the back side's controls
    ASSERT_EQ(document->graphics_temp().size(), 1u);
    ASSERT_EQ(document->graphics_back().size(), 1u);
    ASSERT_EQ(front().size(), 1u);
    QGuiApplication::clipboard()->setText(QStringLiteral("another program's text"));
    Project_File_Name = QStringLiteral("/nowhere/x.did");

    ui->push(int(platform::AnswerNo));  // do not save
    controller->New_Btn_Clicked();
    EXPECT_TRUE(front().empty());
    EXPECT_TRUE(document->graphics_back().empty());
    EXPECT_EQ(document->graphics_temp().size(), 1u);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "another program's text");
    EXPECT_TRUE(Project_File_Name.isEmpty());
    EXPECT_EQ(Card_Front_Or_Back, 0);
    EXPECT_EQ(controller->windowTitle(), controller->App_Name() + " ( Untitled )");
    EXPECT_EQ(startDialogRuns, 2);

    ui->push(int(platform::AnswerCancel));
    controller->Rect_Tool_Clicked();
    controller->New_Btn_Clicked();
    EXPECT_EQ(front().size(), 1u);  // Cancel keeps the design
}

TEST_F(ControllerTest, WindowTitleNamesTheDesignFileWhenItExists)
{
    ASSERT_TRUE(setUpWindow());
    const QString path = folders.root() + "/Staff.did";
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    controller->Front_card_Prop->setCard_Name("Staff");
    Project_File_Name = path;
    controller->Set_Log_Name_In_Title();
    EXPECT_EQ(controller->windowTitle(), controller->App_Name() + " ( Staff - Staff.did )");
    QFile::remove(path);
    controller->Set_Log_Name_In_Title();
    EXPECT_EQ(controller->windowTitle(), controller->App_Name() + " ( Staff )");
    Project_File_Name.clear();
}

TEST_F(ControllerTest, BackSideShowsTheBackCanvasAndItsOwnUndoState)
{
    ASSERT_TRUE(setUpWindow());
    controller->Rect_Tool_Clicked();
    controller->Circle_Tool_Clicked();
    EXPECT_TRUE(controller->Undo_btn->isEnabled());

    outlet<QToolButton>("Back_Side_btn")->click();
    EXPECT_EQ(Card_Front_Or_Back, 1);
    EXPECT_EQ(outlet<QLabel>("Front_back_label")->text(), "Back");
    EXPECT_TRUE(controller->second_view->isVisibleTo(controller.get()));
    EXPECT_FALSE(controller->first_view->isVisibleTo(controller.get()));
    EXPECT_EQ(controller->currentCanvas(), controller->_graphicView_BACK);
    EXPECT_FALSE(controller->Undo_btn->isEnabled());
    EXPECT_FALSE(controller->undo_menu->isEnabled());
    EXPECT_TRUE(controller->Back_Side_btn->isChecked());
    EXPECT_FALSE(controller->Front_Side_btn->isChecked());

    controller->Undo_Clicked();  // nothing to undo on the back
    EXPECT_EQ(front().size(), 2u);

    controller->Front_Card_Btn_Clicked();
    EXPECT_TRUE(controller->first_view->isVisibleTo(controller.get()));
    EXPECT_TRUE(controller->Undo_btn->isEnabled());
    controller->Undo_Clicked();
    EXPECT_EQ(front().size(), 1u);
}

TEST_F(ControllerTest, SwitchingSidesKeepsACardTabOrFallsBackToTheCardTab)
{
    ASSERT_TRUE(setUpWindow());
    controller->sett_tab->setCurrentWidget(controller->card_size_tab);
    controller->Select_back_side();
    EXPECT_EQ(controller->sett_tab->currentWidget(), controller->card_size_tab);
    controller->sett_tab->setCurrentWidget(controller->card_setting_tab);
    controller->Select_front_side();
    EXPECT_EQ(controller->sett_tab->currentWidget(), controller->card_info_tab);
}

TEST_F(ControllerTest, LockRefusesWithNothingSelectedAndLocksTheSelection)
{
    ASSERT_TRUE(setUpWindow());
    controller->Rect_Tool_Clicked();
    controller->_graphicView->changeSelectionIndexes({});
    ui->clear();
    controller->Lock_Clicked();
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_EQ(ui->messages().front().trimmed(), "Please select a control to Lock.");
    EXPECT_FALSE(front().front()->ctrl_is_locked);
    controller->Unlock_Clicked();
    EXPECT_EQ(ui->messages().back().trimmed(), "Please select a control to Unlock.");

    controller->_graphicView->changeSelectionIndexes({0});
    const int undoBefore = controller->undoHistory().Get_Undo_Count();
    outlet<QToolButton>("Lock_btn")->click();
    EXPECT_TRUE(front().front()->ctrl_is_locked);
    EXPECT_EQ(controller->_graphicView->selectionIndexes(), SKTIndexSet{0});
    EXPECT_EQ(controller->undoHistory().Get_Undo_Count(), undoBefore);
    controller->Unlock_Clicked();
    EXPECT_FALSE(front().front()->ctrl_is_locked);
}

TEST_F(ControllerTest, ZoomStepsClampAtBothEnds)
{
    ASSERT_TRUE(setUpWindow());
    SKTZoomingScrollView *view = controller->_zoomingScrollView;
    controller->Zoom_In_Toolbar_btn();
    EXPECT_DOUBLE_EQ(view->factor(), 1.25);
    for (int i = 0; i < 20; ++i)
        controller->Zoom_In_Toolbar_btn();
    EXPECT_DOUBLE_EQ(view->factor(), 10.0);
    EXPECT_EQ(view->factorPopUpButton()->currentText(), "1000%");
    for (int i = 0; i < 20; ++i)
        controller->Zoom_Out_Toolbar_btn();
    EXPECT_DOUBLE_EQ(view->factor(), 0.25);
    EXPECT_EQ(view->factorPopUpButton()->currentText(), "25%");
    EXPECT_DOUBLE_EQ(controller->_zoomingScrollView_BACK->factor(), 1.0);  // the other side untouched
    controller->Actual_Size_Toolbar_btn();
    EXPECT_DOUBLE_EQ(view->factor(), 1.0);
    EXPECT_EQ(controller->_graphicView->canvasBounds(), QRectF(0, 0, 243, 154));
}

TEST_F(ControllerTest, PresetChoiceSizesFieldsAndCanvases)
{
    ASSERT_TRUE(setUpWindow());
    auto *width = outlet<QLineEdit>("width_Text");
    auto *height = outlet<QLineEdit>("height_Text");
    EXPECT_NEAR(width->text().toDouble(), 85.598, 1e-3);
    EXPECT_NEAR(height->text().toDouble(), 54.102, 1e-3);
    outlet<QComboBox>("Sides_ComboBox")->setCurrentIndex(1);  // one side: the size stays
    EXPECT_NEAR(width->text().toDouble(), 85.598, 1e-3);
    outlet<QComboBox>("Preset_ComboBox")->setCurrentIndex(1);  // vertical
    EXPECT_NEAR(width->text().toDouble(), 54.102, 1e-3);
    EXPECT_NEAR(height->text().toDouble(), 85.598, 1e-3);
    EXPECT_NEAR(controller->_graphicView_BACK->canvasBounds().height(), 85.598 * 72 / 25.4, 0.01);
    outlet<QComboBox>("Category_ComboBox")->setCurrentIndex(1);
    EXPECT_EQ(controller->ColList->count(), 8);
    EXPECT_EQ(controller->Front_card_Prop->Card_Sub_Category(), controller->ColList->itemText(0));
    EXPECT_NEAR(height->text().toDouble(), 3.94 * 25.4, 1e-3);
}

TEST_F(ControllerTest, UnitChangeConvertsTheCardSizeFieldsOnly)
{
    ASSERT_TRUE(setUpWindow());
    controller->Set_Card_Size_In_Control(85.6, 54.0);
    const QRectF cardBefore = controller->_graphicView->canvasBounds();
    controller->unit_matrix->button(0)->setChecked(true);
    controller->On_OK_of_Unit_Panel();
    EXPECT_EQ(Measument_Unit_Is, 0);
    EXPECT_EQ(last_unit_val, 0);
    EXPECT_EQ(controller->width_Text->text(), "3.370079");
    EXPECT_NEAR(controller->width_Stepper->value(), 3.370079, 1e-3);
    EXPECT_EQ(controller->unit_width_label->text(), "(in)");
    EXPECT_EQ(controller->card_size_box->title(), "Card Size (in)");
    EXPECT_EQ(controller->ctrl_x_pos_unit_lbl->text(), "(pt)");
    EXPECT_EQ(controller->_graphicView->canvasBounds(), cardBefore);

    // Confirming the same unit changes nothing; a preset arrives in the unit shown.
    controller->On_OK_of_Unit_Panel();
    EXPECT_EQ(controller->width_Text->text(), "3.370079");
    controller->unit_matrix->button(1)->setChecked(true);
    controller->On_OK_of_Unit_Panel();
    EXPECT_NEAR(controller->width_Text->text().toDouble(), 8.56, 1e-4);
    controller->Set_Card_Size_In_Control(85.598, 54.102);
    EXPECT_NEAR(controller->width_Text->text().toDouble(), 8.5598, 1e-4);
    Measument_Unit_Is = last_unit_val = 2;
}

TEST_F(ControllerTest, GridSettingsTurnTheGridOn)
{
    ASSERT_TRUE(setUpWindow());
    EXPECT_FALSE(controller->_grid->isAlwaysShown());
    controller->Grid_Space_slidr->setValue(18);
    controller->Grid_Slider_Changed();
    EXPECT_DOUBLE_EQ(controller->_grid->spacing(), 18);
    EXPECT_TRUE(controller->_grid->isAlwaysShown());
    controller->Show_hide_grid_chk->setChecked(false);
    controller->Grid_Show_Hide_Changed();
    EXPECT_FALSE(controller->_grid->isAlwaysShown());
    EXPECT_FALSE(controller->Grid_Opt_box->isEnabled());
    controller->toggleGridConstraining();
    EXPECT_TRUE(controller->_grid->isConstraining());
    controller->New_Project();
    EXPECT_FALSE(controller->_grid->isAlwaysShown());
}

TEST_F(ControllerTest, GridColourComesFromTheColourPanelAndCancelKeepsIt)
{
    ASSERT_TRUE(setUpWindow());
    const QColor before = controller->_grid->color();
    controller->Grid_Clr_Changed();  // empty script: the panel is cancelled
    EXPECT_EQ(controller->_grid->color(), before);
    EXPECT_FALSE(controller->_grid->isAlwaysShown());
    ui->push(QColor(10, 120, 200));
    controller->Grid_Clr_Changed();
    EXPECT_EQ(controller->_grid->color(), QColor(10, 120, 200));
    EXPECT_TRUE(controller->_grid->isAlwaysShown());
    EXPECT_TRUE(controller->Show_hide_grid_chk->isChecked());
}

}  // namespace

TEST_F(ControllerTest, MainThreadMessagesAnswerFromAWorkerThread)
{
    ui->push(true);
    std::atomic<int> answer{-1};
    QThread *worker = QThread::create([&] {
        controller->Main_Thread_Messgae(QStringLiteral("From a worker"));
        answer = controller->Main_Thread_Messgae_Yes_No(QStringLiteral("Go on?"));
    });
    worker->start();
    while (!worker->isFinished())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    worker->wait();
    delete worker;
    EXPECT_EQ(answer.load(), 1);
    EXPECT_EQ(ui->messages(), (QStringList{QStringLiteral("From a worker"), QStringLiteral("Go on?")}));
}
