// The main window's set-up, its side, unit, preset, grid and title operations, and the rules
// behind them that need no window.

#include "ControllerFixture.h"

#include "canvas/SKTGrid.h"
#include "core/Utilities.h"
#include "mainwindow/MainWindowLogic.h"
#include "platform/Paths.h"
#include "visitor/ProfileCaptions.h"
#include "visitor/User_Profile_Class.h"

#include <QButtonGroup>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QCheckBox>
#include <QTabWidget>
#include <QThread>
#include <atomic>

namespace {

TEST_F(ControllerTest, ConstructionPublishesTheInstanceWithItsPictures)
{
    EXPECT_EQ(Main_App_wnd, controller.get());
    for (const QImage *img : {&controller->no_image, &controller->sign_sample_img, &controller->fp_sample_img,
                              &controller->barcode_sample_img, &controller->front_btn_image_sel,
                              &controller->back_btn_image, &controller->no_camera_image})
        EXPECT_FALSE(img->isNull());
    controller.reset();
    EXPECT_EQ(Main_App_wnd, nullptr);
}

TEST_F(ControllerTest, SetUpShowsTheFrontCardInMillimetresWithRulersAndACameraFolder)
{
    ASSERT_TRUE(setUpWindow());
    EXPECT_EQ(outlet<QTabWidget>("sett_tab")->count(), 5);
    EXPECT_EQ(outlet<QGroupBox>("card_size_box")->title(), "Card Size (mm)");
    EXPECT_EQ(startDialogRuns, 1);
    for (int side : {0, 1, 2})
        EXPECT_EQ(canvas(side)->canvasBounds(), QRectF(0, 0, 243, 154)) << side;
    EXPECT_EQ(outlet<QLabel>("Front_back_label")->text(), "Front");
    EXPECT_TRUE(controller->_graphicView->rulersVisible());
    EXPECT_TRUE(controller->_graphicView_TEMP->rulersVisible()) << "the three canvases show their rulers alike";
    controller->Show_Hide_Ruler_ChkBox();
    EXPECT_FALSE(controller->_graphicView_BACK->rulersVisible());
    // The camera folder file now names the default folder.
    EXPECT_EQ(QString::fromUtf8(designtest::fileBytes(controller->camera_path_file)), Camera_Folder_Path);
    EXPECT_TRUE(Camera_Folder_Path.endsWith("Images_save_by_user"));
}

TEST_F(ControllerTest, StartDialogCancelBringsItBack)
{
    startAnswers = {0, 0, 1};
    ASSERT_TRUE(setUpWindow());
    EXPECT_EQ(startDialogRuns, 3);
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
    Create_Folder(Created_Resource_Path);
    QFile file(controller->camera_path_file);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(folders.root().toUtf8());
    file.close();
    ASSERT_TRUE(setUpWindow());
    EXPECT_EQ(Camera_Folder_Path, folders.root());
    EXPECT_EQ(Camera_Capture_Image, platform::joinPath(folders.root(), "velk_user_save.png"));
}

TEST_F(WindowTest, VisitorModeImageIdsSkipTakenOnes)
{
    Start_Card_Option = QStringLiteral("V");
    canvas(0)->createGraphicOfClass(SKTGraphicKind::Text, nullptr, true, QRectF(0, 0, 40, 20), "F", "x", "F_Pic1");
    EXPECT_EQ(controller->Generate_Extra_image_control_ID(), "F_Pic2");
    EXPECT_EQ(controller->Generate_Extra_image_control_ID(), "F_Pic3");
    Start_Card_Option = QStringLiteral("T");
}

TEST_F(WindowTest, NewEmptiesFrontAndBackKeepsTempAndTheClipboard)
{
    click("Rect_Tool_btn");
    click("Back_Side_btn");
    click("Line_Tool_btn");
    controller->Temp_Card_Btn_Clicked();  // temp shows the back side's controls
    ASSERT_EQ(document->graphics_temp().size(), 1u);
    QGuiApplication::clipboard()->setText(QStringLiteral("another program's text"));
    Project_File_Name = QStringLiteral("/nowhere/x.did");

    ui->push(int(platform::AnswerCancel));
    click("New_btn");
    EXPECT_EQ(front().size(), 1u) << "Cancel keeps the design";
    ui->push(int(platform::AnswerNo));  // do not save
    click("New_btn");
    EXPECT_TRUE(front().empty() && document->graphics_back().empty());
    EXPECT_EQ(document->graphics_temp().size(), 1u);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "another program's text");
    EXPECT_TRUE(Project_File_Name.isEmpty());
    EXPECT_EQ(Card_Front_Or_Back, 0);
    EXPECT_EQ(controller->windowTitle(), controller->App_Name() + " ( Untitled )");
    EXPECT_EQ(startDialogRuns, 2);
}

TEST_F(WindowTest, WindowTitleNamesTheDesignFileWhenItExists)
{
    const QString path = pathIn("Staff.did");
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

TEST_F(WindowTest, SwitchingSidesKeepsACardTabOrFallsBackToTheCardTab)
{
    controller->sett_tab->setCurrentWidget(controller->card_size_tab);
    controller->Select_back_side();
    EXPECT_EQ(controller->sett_tab->currentWidget(), controller->card_size_tab);
    controller->sett_tab->setCurrentWidget(controller->card_setting_tab);
    controller->Select_front_side();
    EXPECT_EQ(controller->sett_tab->currentWidget(), controller->card_info_tab);
}

TEST_F(WindowTest, PresetChoiceSizesFieldsAndCanvases)
{
    auto *width = outlet<QLineEdit>("width_Text");
    auto *height = outlet<QLineEdit>("height_Text");
    EXPECT_NEAR(width->text().toDouble(), 85.598, 1e-3);
    outlet<QComboBox>("Sides_ComboBox")->setCurrentIndex(1);  // one side: the size stays
    EXPECT_NEAR(width->text().toDouble(), 85.598, 1e-3);
    outlet<QComboBox>("Preset_ComboBox")->setCurrentIndex(1);  // vertical
    EXPECT_NEAR(width->text().toDouble(), 54.102, 1e-3);
    EXPECT_NEAR(height->text().toDouble(), 85.598, 1e-3);
    EXPECT_NEAR(canvas(1)->canvasBounds().height(), 85.598 * 72 / 25.4, 0.01);
    outlet<QComboBox>("Category_ComboBox")->setCurrentIndex(1);
    EXPECT_EQ(controller->ColList->count(), 8);
    EXPECT_EQ(controller->Front_card_Prop->Card_Sub_Category(), controller->ColList->itemText(0));
    EXPECT_NEAR(height->text().toDouble(), 3.94 * 25.4, 1e-3);
}

TEST_F(WindowTest, UnitChangeConvertsTheCardSizeFieldsOnly)
{
    controller->Set_Card_Size_In_Control(85.6, 54.0);
    const QRectF cardBefore = canvas(0)->canvasBounds();
    controller->unit_matrix->button(0)->setChecked(true);
    controller->On_OK_of_Unit_Panel();
    EXPECT_EQ(controller->width_Text->text(), "3.370079");
    EXPECT_NEAR(controller->width_Stepper->value(), 3.370079, 1e-3);
    EXPECT_EQ(controller->card_size_box->title(), "Card Size (in)");
    EXPECT_EQ(controller->ctrl_x_pos_unit_lbl->text(), "(pt)");
    EXPECT_EQ(canvas(0)->canvasBounds(), cardBefore);

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

TEST_F(WindowTest, GridSettingsAndItsColourTurnTheGridOn)
{
    const QColor before = controller->_grid->color();
    controller->Grid_Clr_Changed();  // empty script: the colour panel is cancelled
    EXPECT_EQ(controller->_grid->color(), before);
    EXPECT_FALSE(controller->_grid->isAlwaysShown());
    controller->Grid_Space_slidr->setValue(18);
    controller->Grid_Slider_Changed();
    EXPECT_DOUBLE_EQ(controller->_grid->spacing(), 18);
    EXPECT_TRUE(controller->_grid->isAlwaysShown());
    controller->Show_hide_grid_chk->setChecked(false);
    controller->Grid_Show_Hide_Changed();
    EXPECT_FALSE(controller->_grid->isAlwaysShown() || controller->Grid_Opt_box->isEnabled());
    ui->push(QColor(10, 120, 200));
    controller->Grid_Clr_Changed();
    EXPECT_EQ(controller->_grid->color(), QColor(10, 120, 200));
    EXPECT_TRUE(controller->_grid->isAlwaysShown() && controller->Show_hide_grid_chk->isChecked());
    controller->New_Project();
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
    while (!worker->isFinished())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    worker->wait();
    EXPECT_EQ(answer.load(), 1);
    EXPECT_EQ(ui->messages(), (QStringList{QStringLiteral("From a worker"), QStringLiteral("Go on?")}));
}

// --- rules without a window ---

TEST(CardPresets, SizesInMillimetresByCategoryOrientationAndIndex)
{
    const struct {
        const char *category, *orientation;
        int index;
        double width, height;
    } cases[] = {
        {"PVC Card", "H", 0, 85.598, 54.102},     {"PVC Card", "V", 0, 54.102, 85.598},
        {"PVC Card", "H", 6, 73.152, 53.848},     {"Paper Card", "H", 6, 59.944, 89.916},  // 1457: smaller first
        {"Paper Card", "V", 6, 89.916, 59.944},   {"Paper Card", "H", 7, 150.114, 125.984},
        {"Paper Card", "H", 8, 30, 30},           {"PVC Card", "V", 7, 30, 30},  // outside the lists
        {"PVC Card", "H", -1, 30, 30},
    };
    for (const auto &c : cases) {
        const QSizeF s = Get_My_card_Size(QString::fromLatin1(c.category), QString::fromLatin1(c.orientation), c.index);
        EXPECT_NEAR(s.width(), c.width, 1e-3) << c.category << c.orientation << c.index;
        EXPECT_NEAR(s.height(), c.height, 1e-3) << c.category << c.orientation << c.index;
    }
}

TEST(StartDialog, ChoicesSetTheModeAndCancelEmptiesIt)
{
    Start_Card dialog;
    const std::pair<const char *, const char *> choices[] = {{"Using_Template_btn", "T"}, {"Using_Wizard_btn", "W"},
                                                             {"Open_Log_btn", "L"}, {"Using_Visitor_btn", "V"},
                                                             {"Using_Group_Batch_btn", "G"}};
    for (const auto &[button, code] : choices) {
        dialog.setResult(-1);
        dialog.findChild<QPushButton *>(QString::fromLatin1(button))->click();
        EXPECT_EQ(Start_Card_Option, code) << button;
        EXPECT_EQ(dialog.result(), 1) << button;
    }
    dialog.Select_card_option(9);  // no such choice: the mode stays
    EXPECT_EQ(Start_Card_Option, "G");
    dialog.findChild<QPushButton *>(QStringLiteral("Cancel_btn"))->click();
    EXPECT_TRUE(Start_Card_Option.isEmpty());
    EXPECT_EQ(dialog.result(), 0);
}

TEST(TemplateWords, ReplacedByCategory)
{
    const QString text = QStringLiteral("Employee Name / Company Name / Designation / Unique No.");
    EXPECT_EQ(Change_Value_Of_Template(text, "E"), "Student Name / School Name / Class Name / Unique No.");
    EXPECT_EQ(Change_Value_Of_Template(text, "V"), "Visitor Name / Company Name / Designation / Visitor No.");
    EXPECT_EQ(Change_Value_Of_Template(text, "H"), "Person Name / Hospital Name / Designation / Unique No.");
    EXPECT_EQ(Change_Value_Of_Template(text, "Q"), text);
}

TEST(Profiles, ResetRestoresIdsAndSourcesButKeepsCaptions)
{
    User_Profile_Class p;
    p.Name = QStringLiteral("Ann");
    p.Name_label = QStringLiteral("Name :");
    p.slogan_ds = p.image_xl = p.image_USE = true;
    p.slogan_ds_name = QStringLiteral("S");
    p.phone_id = QStringLiteral("other");
    p.Reset_All_Values();
    EXPECT_TRUE(p.Name.isEmpty() && p.slogan_ds_name.isEmpty());
    EXPECT_EQ(p.Name_label, "Name :");
    EXPECT_EQ(p.Name_id, "Fup_Name");
    EXPECT_EQ(p.phone_id, "Fup_PhoneNO");
    EXPECT_FALSE(p.slogan_ds || p.image_xl || p.image_USE);
}

}  // namespace
