// The camera window where the window opens it: the property panel's camera button puts the
// picture taken on the selected picture control, and the front profile panel's on the photo.
#include "ControllerFixture.h"
#include "FakeCamera.h"

#include "canvas/LiveModePanel.h"
#include "core/SKTImage.h"
#include "core/SKTRenderingView.h"
#include "imaging/CameraFiles.h"
#include "properties/PropertyPanel.h"
#include "visitor/ProfileDialogBase.h"
#include "visitor/Profile_Panel.h"

#include <QLineEdit>

namespace {

class CameraJoinTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Camera_Folder_Path = dir.filePath("camera");
        Camera_Capture_Image = Camera_Folder_Path + "/velk_user_save.png";
        Camera_Capture_Count = 1;
        fakecamera::takePictureWhenTheCameraOpens(*ui, camera, shot);
    }
    void TearDown() override
    {
        ui->onRequest = nullptr;
        WindowTest::TearDown();
    }

    fakecamera::ScopedFakeCamera camera;
    const QImage shot = fakecamera::frame(QColor(20, 170, 90), 80, 60);
};

TEST_F(CameraJoinTest, ThePictureTakenGoesOnTheSelectedPictureControl)
{
    QImage old(40, 40, QImage::Format_RGB32);
    old.fill(Qt::red);
    ASSERT_TRUE(old.save(pathIn("old.png")));
    std::shared_ptr<SKTGraphic> image = SKTImage::initWithPath({0, 0}, pathIn("old.png"));
    image->setBounds({20, 20, 80, 60});
    place(0, {image});
    canvas(0)->Set_Selected_Graphic(image.get());
    controller->Show_RHS_Properties(image.get());

    ui->push(1);  // the camera window's run ends with OK
    press(controller->propertyPanel().camera_btn);
    const QString saved = dir.filePath("camera/velk_user_save.png");
    EXPECT_EQ(Camera_Capture_Image, saved);
    EXPECT_EQ(image->_file_path, saved);
    EXPECT_EQ(QImage(saved).pixelColor(10, 10), QColor(20, 170, 90));
    const QImage side = SKTRenderingView::image_From_Card_Graphics(controller->Card_Side_Value(0), 72);
    EXPECT_EQ(side.pixelColor(60, 50), QColor(20, 170, 90));
    EXPECT_TRUE(ui->messages().isEmpty()) << ui->messages().join("|").toStdString();
}

// The camera at the visitor desk and in group mode, each reached by its start road.
class CameraJoinOnVisitorRoad : public CameraJoinTest {
protected:
    void road() override { chooseVisitorRoad(); }
};
class CameraJoinOnGroupRoad : public CameraJoinTest {
protected:
    void road() override { chooseGroupRoad(); }
};

// In live mode, a side without a picture control gets the visitor's photo as "Fup_Photo".
TEST_F(CameraJoinOnVisitorRoad, TheProfilePanelsPhotoComesFromTheCamera)
{
    ASSERT_EQ(Start_Card_Option, "V");
    while (!document->graphics().empty())
        document->removeGraphicsOnSide(0, {0});
    Profile_Panel &front = *Front_Profile_Panel_OBJ;
    ASSERT_TRUE(front.camera_btn->isEnabled());
    ui->push(1);
    press(front.camera_btn);
    const QString saved = dir.filePath("camera/velk_user_save.png");
    SKTGraphic *photo = nullptr;
    for (const SKTGraphicPtr &g : document->graphicsOfSide(0))
        if (g->control_ID == QLatin1String("Fup_Photo"))
            photo = g.get();
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->_file_path, saved);
    EXPECT_EQ(front.image_path_val->text(), saved);
    const QImage side = SKTRenderingView::image_From_Card_Graphics(controller->Card_Side_Value(0), 72);
    EXPECT_EQ(side.pixelColor(photo->bounds().center().toPoint()), QColor(20, 170, 90));

    ui->push(0);  // cancelled: nothing changes
    ui->onRequest = nullptr;
    press(front.camera_btn);
    EXPECT_EQ(photo->_file_path, saved);
}

// The side profile dialog's Camera button fills the photo field with the picture taken.
TEST_F(CameraJoinTest, TheProfileDialogsPhotoComesFromTheCamera)
{
    QString shown;
    bool enabled = false;
    const ProfileModalRunner previous = Set_Profile_Modal_Runner([&](QDialog &d) {
        auto &dlg = dynamic_cast<ProfileDialogBase &>(d);
        enabled = dlg.camera_btn->isEnabled();
        ui->push(1);
        press(dlg.camera_btn);
        shown = dlg.image_path_val->text();
        dlg.reject();
        return 0;
    });
    click("User_Profile_Btn");
    Set_Profile_Modal_Runner(previous);
    EXPECT_TRUE(enabled);
    EXPECT_EQ(shown, dir.filePath("camera/velk_user_save.png"));
    EXPECT_EQ(QImage(shown).pixelColor(5, 5), QColor(20, 170, 90));
}

// In group mode a photo from the camera, like one from a file, reminds the person to save the
// row when it went onto a picture bound to a spreadsheet column, and only then.
TEST_F(CameraJoinOnGroupRoad, GroupModePhotoRoadsRemindToSaveTheRow)
{
    ASSERT_EQ(Start_Card_Option, "G");
    QImage old(40, 40, QImage::Format_RGB32);
    old.fill(Qt::red);
    ASSERT_TRUE(old.save(pathIn("old.png")));
    ASSERT_TRUE(shot.save(pathIn("chosen.png")));
    Profile_Panel &front = *Front_Profile_Panel_OBJ;
    const QString reminder = "Please click on 'Save Details' button to update your changes in your project data.";
    const struct {
        const char *road;
        int source;  // 2: bound to a spreadsheet column
        bool reminded;
    } cases[] = {{"camera", 2, true}, {"file", 2, true}, {"camera", 0, false}, {"file", 0, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.road) + " " + std::to_string(c.source));
        while (!document->graphics().empty())
            document->removeGraphicsOnSide(0, {0});
        std::shared_ptr<SKTGraphic> photo = SKTImage::initWithPath({0, 0}, pathIn("old.png"));
        photo->setBounds({20, 20, 80, 60});
        photo->control_ID = QStringLiteral("Fup_Photo");
        photo->Set_Data_source_type(c.source);
        photo->Set_Excel_binding(c.source == 2);
        photo->Set_Excel_binding_Index(c.source == 2 ? 1 : -1);
        place(0, {photo});
        clickAt(canvas(0), photo->bounds().center());
        ui->clear();
        const bool camera = QLatin1String(c.road) == QLatin1String("camera");
        if (camera) {
            ui->push(1);
            press(front.camera_btn);
        } else {
            ui->push(pathIn("chosen.png"));
            press(front.browse_pic_btn);
        }
        EXPECT_EQ(photo->_file_path, camera ? Camera_Capture_Image : pathIn("chosen.png"));
        EXPECT_EQ(ui->messages().filter(reminder).size(), c.reminded ? 1 : 0) << ui->messages().join("|").toStdString();
        // The file panel names what it chooses here: a row's photo, not a visitor's.
        QStringList panels;
        for (const auto &r : ui->requests())
            if (r.kind == "openFile")
                panels << r.text;
        EXPECT_EQ(panels.join("|").toStdString(), camera ? "" : "Choose the record's photo");
    }
}

}  // namespace
