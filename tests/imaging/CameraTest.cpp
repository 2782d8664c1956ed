// The camera: frames through the capture object, the camera window's start, stop, capture and
// saving, its adjustments, crop and export, and the cropping tool's camera input. A fake backend
// delivers generated frames; the Qt Multimedia backend runs a camera only where one is attached.
#include "Press.h"
#include "FakeCamera.h"
#include "TestSupport.h"
#include "data/SeriesManager.h"
#include "imageops/ImageProcesser.h"
#include "imaging/Camera.h"
#include "imaging/CameraFiles.h"
#include "imaging/Cropping_Tool.h"
#include "imaging/MSSCanvas.h"
#include "imaging/MSSScaledImage.h"
#include "platform/Paths.h"
#include "platform/UiServices.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QThread>
#include <gtest/gtest.h>
#include <functional>
#include <thread>

using fakecamera::frame;
using fakecamera::ScopedFakeCamera;
using fakecamera::waitFor;

namespace {

void settle() { waitFor([] { return false; }, 30); }

// A picture whose turn and crop can be seen: a gradient with a dark corner.
QImage pattern(int w = 64, int h = 48)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixelColor(x, y, QColor(x * 255 / w, y * 255 / h, 128));
    return image;
}

QString lastMessage(platform::ScopedScriptedUi &ui)
{
    const QStringList all = ui->messages();
    return all.isEmpty() ? QString() : all.last().trimmed();
}

class CameraWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        Camera_Folder_Path = QDir(data.root()).filePath(QStringLiteral("Images_save_by_user"));
        Camera_Capture_Image = platform::joinPath(Camera_Folder_Path, QStringLiteral("velk_user_save.png"));
        Camera_Capture_Count = 1;
        stop_or_continue = 0;
        QObject::connect(&cam, &QDialog::finished, [this](int code) { closed.append(code); });
        cam.show();
    }

    void startLive()
    {
        cam.Start_Btn_Clicked();
        ASSERT_TRUE(waitFor([this] { return cam.stop_btn->isEnabled(); })) << "the camera never ran";
    }
    // Shows a frame and captures it.
    void capture(const QImage &picture)
    {
        fake.push(picture);
        ASSERT_TRUE(waitFor([&] { return cam.capture_image->image() == picture; }));
        cam.Capture_Btn_Clicked();
    }

    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    ScopedFakeCamera fake;
    Camera cam;
    QList<int> closed;
};

TEST(CameraList, NoCameraAsksToConnectAndStartRefuses)
{
    platform::ScopedScriptedUi ui;
    ScopedFakeCamera none(QList<CameraDevice>{});
    Camera cam;
    cam.Prepare_Open();
    EXPECT_EQ(cam.connection_msg_label->text(), "Please connect your camera.");
    EXPECT_FALSE(cam.connection_msg_label->isHidden());
    cam.Start_Btn_Clicked();
    EXPECT_EQ(lastMessage(ui), "Please select camera.");
    EXPECT_FALSE(cam.capture_btn->isEnabled());
    EXPECT_EQ(none.state->opened, 0);
}

TEST_F(CameraWindow, OnlyTheNewestFrameIsShownAndConvertedOnce)
{
    cam.Prepare_Open();
    EXPECT_EQ(cam.camera_list->currentText(), "Test Camera");
    EXPECT_EQ(cam.connection_msg_label->text(), "Please start camera to capture.");
    startLive();
    EXPECT_TRUE(cam.connection_msg_label->isHidden());
    EXPECT_FALSE(cam.start_btn->isEnabled());
    EXPECT_TRUE(cam.capture_btn->isEnabled());
    // Both frames arrive on another thread before the GUI thread runs again.
    std::thread([this] {
        fake.push(frame(Qt::red));
        fake.push(frame(Qt::blue));
    }).join();
    settle();
    EXPECT_EQ(cam.capture_image->image().pixelColor(5, 5), QColor(Qt::blue));
    EXPECT_EQ(fake.state->conversions, 1);
    EXPECT_EQ(cam.rig.capture->final_image.pixelColor(5, 5), QColor(Qt::blue));
    EXPECT_EQ(fake.state->framesHeld, 0) << "a shown frame is released";

    fake.push(frame(Qt::yellow));  // pending when the camera is taken down
    EXPECT_EQ(fake.state->framesHeld, 1);
    cam.Clear_Camera_Objects();
    EXPECT_EQ(fake.state->framesHeld, 0);
    settle();
    EXPECT_EQ(cam.capture_image->image().pixelColor(5, 5), QColor(Qt::blue));
}

TEST_F(CameraWindow, AStopRequestDropsFramesAndStopsTheSession)
{
    cam.Prepare_Open();
    startLive();
    fake.push(frame(Qt::red));
    ASSERT_TRUE(waitFor([&] { return cam.capture_image->image().pixelColor(1, 1) == QColor(Qt::red); }));
    stop_or_continue = 1;
    fake.push(frame(Qt::green));
    settle();
    EXPECT_EQ(cam.capture_image->image().pixelColor(1, 1), QColor(Qt::red));
    EXPECT_FALSE(fake.state->running);
    EXPECT_TRUE(waitFor([&] { return cam.start_btn->isEnabled(); })) << "the buttons follow the ended camera thread";
    stop_or_continue = 0;
}

TEST_F(CameraWindow, StopThenStartAndRestartMakeTheSessionAnew)
{
    cam.Prepare_Open();
    startLive();
    cam.Start_Btn_Clicked();  // start while running: the old session goes first
    ASSERT_TRUE(waitFor([this] { return cam.stop_btn->isEnabled(); }));
    EXPECT_EQ(fake.state->opened, 2);
    EXPECT_EQ(fake.state->closed, 1);
    cam.Stop_Btn_Clicked();
    EXPECT_TRUE(cam.start_btn->isEnabled());
    EXPECT_FALSE(cam.stop_btn->isEnabled());
    EXPECT_FALSE(cam.capture_btn->isEnabled());
    EXPECT_EQ(cam.connection_msg_label->text(), "Please start camera to capture.");
    EXPECT_FALSE(fake.state->running);
    settle();
    EXPECT_TRUE(cam.start_btn->isEnabled()) << "a late refresh from the camera thread keeps the stopped state";
    startLive();
    EXPECT_EQ(fake.state->opened, 3);
    EXPECT_TRUE(fake.state->running);

    // Stop right after Start, whether or not the camera thread has begun: the camera stays off.
    for (int i = 0; i < 20; ++i) {
        cam.Start_Btn_Clicked();
        cam.Stop_Btn_Clicked();
        settle();
        ASSERT_FALSE(fake.state->running) << i;
        ASSERT_TRUE(cam.start_btn->isEnabled());
        ASSERT_FALSE(cam.stop_btn->isEnabled());
    }
    startLive();
    cam.Cancel_Btn_Clicked();
    EXPECT_EQ(closed, QList<int>{0});
    EXPECT_EQ(fake.state->closed, 24);
    EXPECT_FALSE(cam.rig.capture);
}

TEST_F(CameraWindow, CaptureBeforeStartAsksToStart)
{
    cam.Prepare_Open();
    cam.Capture_Btn_Clicked();
    EXPECT_EQ(lastMessage(ui), "Please first select and start the camera.");
}

TEST_F(CameraWindow, ACameraThatCannotBeOpenedOffersNoCapture)
{
    fake.state->refused = {QStringLiteral("cam-1")};
    cam.Prepare_Open();
    cam.Start_Btn_Clicked();
    EXPECT_EQ(lastMessage(ui), "[error] Device or resource busy");
    EXPECT_FALSE(cam.capture_btn->isEnabled());
    EXPECT_TRUE(cam.capture_btn->toolTip().contains("Device or resource busy"));
    EXPECT_TRUE(cam.connection_msg_label->text().contains("Device or resource busy"));
    EXPECT_TRUE(cam.start_btn->isEnabled());
}

TEST_F(CameraWindow, ASessionThatFailsWhileRunningOffersNoCapture)
{
    cam.Prepare_Open();
    startLive();
    fake.fail(QStringLiteral("Camera unplugged"));
    ASSERT_TRUE(waitFor([&] { return lastMessage(ui) == "[error] Camera unplugged"; }));
    EXPECT_FALSE(cam.capture_btn->isEnabled());
    EXPECT_TRUE(cam.capture_btn->toolTip().contains("Camera unplugged"));
    EXPECT_TRUE(cam.start_btn->isEnabled());
    EXPECT_FALSE(cam.stop_btn->isEnabled());
}

// Two saves in a row, from the folder's state before them.
TEST_F(CameraWindow, SavesTakeTheFreeNamesOfTheCameraFolder)
{
    struct Case {
        QStringList present;
        QStringList expected;
    };
    const QList<Case> cases = {
        {{"velk_user_save.png"}, {"velk_user_save_1.png", "velk_user_save_2.png"}},
        {{}, {"velk_user_save.png", "velk_user_save_2.png"}},
        {{"velk_user_save.png", "velk_user_save_1.png"}, {"velk_user_save_2.png", "velk_user_save_3.png"}},
    };
    for (const Case &c : cases) {
        QDir folder(Camera_Folder_Path);
        folder.removeRecursively();
        ASSERT_TRUE(folder.mkpath("."));
        for (const QString &name : c.present) {
            QFile f(folder.filePath(name));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        Camera_Capture_Image = folder.filePath("velk_user_save.png");
        Camera_Capture_Count = 1;
        closed.clear();
        const QColor colours[2] = {QColor(200, 30, 30), QColor(30, 200, 30)};
        for (int i = 0; i < 2; ++i) {
            cam.Prepare_Open();
            startLive();
            capture(frame(colours[i]));
            cam.OK_Btn_Clicked();
            const QString written = folder.filePath(c.expected.at(i));
            EXPECT_EQ(Camera_Capture_Image, written) << c.present.join(",").toStdString();
            EXPECT_EQ(QImage(written).pixelColor(3, 3), colours[i]);
            EXPECT_EQ(Camera_Capture_Count, 2 + i);
            EXPECT_FALSE(cam.rig.capture) << "saving takes the camera down";
        }
        EXPECT_EQ(closed, (QList<int>{1, 1}));
    }
}

TEST_F(CameraWindow, OkWithoutACaptureKeepsTheWindowOpen)
{
    cam.Prepare_Open();
    startLive();
    capture(frame(Qt::red));
    cam.OK_Btn_Clicked();  // an earlier run left a picture behind
    ASSERT_EQ(closed, QList<int>{1});
    const QString saved = Camera_Capture_Image;
    cam.Prepare_Open();
    cam.OK_Btn_Clicked();
    EXPECT_EQ(lastMessage(ui), "There is no image to Import. Please capture an image.");
    EXPECT_EQ(closed, QList<int>{1});
    EXPECT_EQ(Camera_Capture_Image, saved);
    EXPECT_EQ(Camera_Capture_Count, 2);
}

TEST_F(CameraWindow, AFailedSaveKeepsTheWindowOpenAndThePath)
{
    // The camera folder lies under a file, so nothing can be written there.
    const QString blocker = QDir(data.root()).filePath("plain-file");
    QFile f(blocker);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    Camera_Folder_Path = blocker + "/camera";
    Camera_Capture_Image = Camera_Folder_Path + "/velk_user_save.png";
    const QString before = Camera_Capture_Image;
    cam.Prepare_Open();
    startLive();
    capture(frame(Qt::red));
    cam.OK_Btn_Clicked();
    EXPECT_TRUE(lastMessage(ui).startsWith("The picture could not be saved.")) << lastMessage(ui).toStdString();
    EXPECT_TRUE(closed.isEmpty());
    EXPECT_EQ(Camera_Capture_Image, before);
    EXPECT_EQ(Camera_Capture_Count, 1);
    EXPECT_FALSE(cam.Modified_image->image().isNull()) << "the picture stays to be saved elsewhere";
}

// Browse and Default set the camera folder, remember it in its file and aim the next save there.
TEST_F(CameraWindow, TheCameraFolderIsChosenAndRemembered)
{
    ASSERT_TRUE(QDir().mkpath(data.dataPath()));  // the window's start-up makes the data folder
    cam.Prepare_Open();
    const QString chosen = QDir(data.root()).filePath("chosen");
    ASSERT_TRUE(QDir().mkpath(chosen));
    const struct {
        std::function<void()> act;
        QString folder;
    } rows[] = {{[&] {
                     ui->push(chosen);
                     cam.Browse_Path_Clicked();
                 },
                 chosen},
                {[&] { cam.Reset_Path_Clicked(); }, Default_Camera_Folder()}};
    for (const auto &row : rows) {
        row.act();
        EXPECT_EQ(Camera_Folder_Path, row.folder);
        EXPECT_EQ(cam.def_save_path->text(), row.folder);
        EXPECT_EQ(Camera_Capture_Image, platform::joinPath(row.folder, "velk_user_save.png"));
        QFile remembered(Camera_Path_File());
        ASSERT_TRUE(remembered.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(remembered.readAll()), row.folder);
    }
    ui->push(QString());  // a cancelled panel changes nothing
    cam.Browse_Path_Clicked();
    EXPECT_EQ(Camera_Folder_Path, Default_Camera_Folder());
}

TEST_F(CameraWindow, RefreshTakesTheRunningCameraDown)
{
    cam.Prepare_Open();
    startLive();
    fake.push(frame(Qt::red));
    ASSERT_TRUE(waitFor([&] { return cam.capture_image->image().pixelColor(1, 1) == QColor(Qt::red); }));
    testsupport::press(cam.refresh_btn);
    EXPECT_FALSE(cam.rig.capture);
    EXPECT_EQ(fake.state->closed, 1);
    EXPECT_FALSE(cam.capture_btn->isEnabled());
    EXPECT_EQ(cam.capture_image->image(), cam.no_camera_image);
    EXPECT_EQ(cam.camera_list->count(), 1);
    EXPECT_EQ(cam.connection_msg_label->text(), "Please start camera to capture.");
}

TEST_F(CameraWindow, OpeningPutsEveryAdjustmentOnItsDefault)
{
    cam.Prepare_Open();
    startLive();
    capture(pattern());
    for (QCheckBox *box : cam.findChildren<QCheckBox *>(QString(), Qt::FindChildrenRecursively))
        box->setChecked(true);
    for (QSlider *slider : cam.findChildren<QSlider *>())
        slider->setValue(slider->maximum());
    cam.Prepare_Open();
    const QList<std::pair<const char *, const char *>> defaults = {
        {"shrp_slidr", "0"}, {"ev_slidr", "0"},  {"blr_slidr", "0"},  {"Sat_slidr", "1"},      {"Brt_slidr", "0"},
        {"Con_slidr", "1"},  {"Hue_slidr", "0"}, {"Trsp_slidr", "100"}, {"Rotate_slidr", "0"}};
    for (auto [name, value] : defaults) {
        EXPECT_EQ(cam.findChild<QLabel *>(QString(name) + "_val")->text(), value) << name;
    }
    for (const char *name : {"Image_Gray_Scale_chk", "Image_Sepia_chk", "Image_Invert_chk", "Image_FIV_chk", "Image_FIH_chk"})
        EXPECT_FALSE(cam.findChild<QCheckBox *>(name)->isChecked()) << name;
    EXPECT_FALSE(cam.Image_Edit_Prop_Box->isEnabled());
    EXPECT_FALSE(cam.cropping_Box->isEnabled());
    EXPECT_TRUE(cam.Modified_image->image().isNull());
}

TEST_F(CameraWindow, TheRotationTurnsByWholeDegreesTowardZero)
{
    cam.Prepare_Open();
    startLive();
    capture(pattern());
    for (double slider : {12.7, -12.7}) {
        cam.setSliderValue(8, slider);
        ImageAdjustments expected;
        expected.rotate = slider > 0 ? 12.0f : -12.0f;
        const QImage want = ImageProcesser::Get_Processed_Image_Full_Combined(cam.User_Picture, expected, true, true,
                                                                              QRectF(0, 0, 64, 48));
        EXPECT_EQ(cam.Modified_image->image(), want) << slider;
        EXPECT_EQ(cam.findChild<QLabel *>("Rotate_slidr_val")->text(), QString::number(slider));
    }
}

TEST_F(CameraWindow, CropKeepsTheAdjustmentsAndResetBringsTheFrameBack)
{
    cam.Prepare_Open();
    cam.resize(1000, 640);
    startLive();
    const QImage red = frame(QColor(220, 40, 40));
    capture(red);
    cam.Crop_Image_Clicked();
    EXPECT_EQ(lastMessage(ui), "Please select area to crop.");

    cam.Image_Gray_Scale_chk->setChecked(true);
    cam.canvasController->addSelectorWithFrame(QRectF(4, 6, 20, 10));
    EXPECT_FALSE(cam.crop_btn->isEnabled());
    cam.enable_cropping_btn->setChecked(true);
    EXPECT_TRUE(cam.crop_btn->isEnabled());
    testsupport::press(cam.crop_btn);
    EXPECT_EQ(cam.User_Picture.size(), QSize(20, 10));
    EXPECT_FALSE(cam.canvasController->hasSelectors());
    cam.Image_Gray_Scale_chk->setChecked(false);
    const QColor after = cam.Modified_image->image().pixelColor(5, 5);
    EXPECT_EQ(after.red(), after.green()) << "the crop keeps the grey it was taken with";
    EXPECT_EQ(after.green(), after.blue());

    ui->push(true);
    cam.Image_reset_Button();
    EXPECT_EQ(cam.Modified_image->image().size(), QSize(64, 48));
    EXPECT_EQ(cam.Modified_image->image().pixelColor(5, 5), red.pixelColor(5, 5));

    // A rectangle partly beyond the right and top edges: its size, empty outside the picture.
    cam.canvasController->addSelectorWithFrame(QRectF(54, 38, 20, 20));
    ASSERT_EQ(cam.canvasController->selectors().front()->frame(), QRectF(54, 38, 20, 20));
    testsupport::press(cam.crop_btn);
    EXPECT_EQ(cam.User_Picture.size(), QSize(20, 20));
    EXPECT_EQ(cam.User_Picture.pixelColor(19, 0).alpha(), 0);
    EXPECT_EQ(cam.User_Picture.pixelColor(0, 19), red.pixelColor(0, 0));
}

TEST_F(CameraWindow, ExportWritesTheFormatChosenInThePanel)
{
    REQUIRE_IMAGE_FORMAT("tiff");
    cam.Prepare_Open();
    startLive();
    capture(frame(QColor(10, 120, 240)));
    struct Case {
        const char *chosen, *written;
        QByteArray magic;
    };
    const Case cases[] = {{"a.png", "a.png", "\x89PNG"},
                          {"b.jpg", "b.jpg", "\xFF\xD8\xFF"},
                          {"c.bmp", "c.bmp", "BM"},
                          {"d.tiff", "d.tiff", "II*"},
                          {"e", "e.png", "\x89PNG"}};
    for (const Case &c : cases) {
        const QString chosen = QDir(data.root()).filePath(c.chosen);
        ui->push(chosen);
        testsupport::press(cam.save_btn);
        QFile file(QDir(data.root()).filePath(c.written));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.written;
        EXPECT_TRUE(file.readAll().startsWith(c.magic)) << c.written;
        EXPECT_EQ(Export_File_Path, file.fileName());
    }
    // A name typed bare takes the format picked in the panel's pop-up.
    const struct {
        const char *typed, *picked, *written;
        QByteArray magic;
    } picks[] = {{"f", "BMP", "f.bmp", "BM"}, {"g", "tiff", "g.tiff", "II*"}, {"h", "JPG", "h.jpg", "\xFF\xD8\xFF"}};
    for (const auto &p : picks) {
        ui->push(QStringList{QDir(data.root()).filePath(p.typed), p.picked});
        testsupport::press(cam.save_btn);
        QFile file(QDir(data.root()).filePath(p.written));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << p.written;
        EXPECT_TRUE(file.readAll().startsWith(p.magic)) << p.written;
    }
    // A place that cannot be written is reported, and no success is claimed.
    Export_File_Message.clear();
    ui->push(QDir(data.root()).filePath("missing-folder/f.png"));
    testsupport::press(cam.save_btn);
    EXPECT_TRUE(lastMessage(ui).startsWith("The picture could not be exported.")) << lastMessage(ui).toStdString();
    EXPECT_TRUE(Export_File_Message.isEmpty());

    ui->push(QString());
    const int before = int(ui->requests().size());
    testsupport::press(cam.save_btn);
    EXPECT_EQ(int(ui->requests().size()), before + 1) << "a cancelled panel writes nothing and says nothing";
}

TEST_F(CameraWindow, TheWindowFitsTheScreenAndShowsTheLivePicture)
{
    cam.Prepare_Open();
    const QSize least = cam.minimumSizeHint();
    EXPECT_LE(least.width(), 1024);
    EXPECT_LE(least.height(), 700);
    cam.resize(1000, 660);
    cam.show();
    startLive();
    capture(pattern(320, 240));
    cam.Image_Sepia_chk->setChecked(true);
    startLive();
    fake.push(frame(QColor(0, 160, 60), 320, 240));
    ASSERT_TRUE(waitFor([&] { return cam.capture_image->image().pixelColor(1, 1) == QColor(0, 160, 60); }));
    const QImage shot = cam.grab().toImage();
    const QPoint centre = cam.capture_image->mapTo(&cam, cam.capture_image->rect().center());
    EXPECT_EQ(shot.pixelColor(centre), QColor(0, 160, 60));
    if (const QByteArray dir = qgetenv("BADGELOOM_SCREENSHOT_DIR"); !dir.isEmpty())
        shot.save(QDir(QString::fromLocal8Bit(dir)).filePath("camera-window.png"));
}

// --- the cropping tool's camera input ---

class CropCamera : public ::testing::Test {
protected:
    void SetUp() override
    {
        stop_or_continue = 0;
        tool.Prepare_Full();
        testsupport::press(tool.findChild<QAbstractButton *>("input_option_matrix_2"));
        tool.findChild<QLineEdit *>("output_path")->setText(QDir(data.root()).filePath("out"));
        tool.findChild<QLineEdit *>("output_custom_name")->setText("snap");
    }
    void next() { testsupport::press(tool.findChild<QPushButton *>("Next_Btn")); }

    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    ScopedFakeCamera fake;
    Cropping_Tool tool;
};

TEST_F(CropCamera, ACapturedFrameBecomesThePictureToCrop)
{
    next();
    ASSERT_TRUE(waitFor([&] { return fake.state->running.load(); }));
    EXPECT_TRUE(tool.capture_image->isVisibleTo(&tool));
    EXPECT_FALSE(tool.capture_btn->isEnabled()) << "no frame yet";
    const QImage shot = frame(QColor(250, 200, 20), 120, 90);
    fake.push(shot);
    ASSERT_TRUE(waitFor([&] { return tool.capture_btn->isEnabled(); })) << "the first frame enables Capture";
    EXPECT_EQ(tool.capture_image->image(), shot);
    const QSize withCamera = tool.minimumSizeHint();
    tool.findChild<QWidget *>("Camera_Box")->hide();
    EXPECT_LE(withCamera.height(), tool.minimumSizeHint().height()) << "the camera adds no height to the screen";
    EXPECT_LE(withCamera.width(), 1024);
    tool.findChild<QWidget *>("Camera_Box")->show();
    if (const QByteArray dir = qgetenv("BADGELOOM_SCREENSHOT_DIR"); !dir.isEmpty()) {
        tool.resize(1000, 680);
        tool.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath("crop-camera.png"));
    }

    tool.cropping_option_CellClick(CropBySize);
    EXPECT_EQ(lastMessage(ui), "Please first capture image.");
    EXPECT_TRUE(tool.findChild<QWidget *>("Face_Size_Stepper")->isEnabledTo(tool.findChild<QWidget *>("extend_face_box")))
        << "its box alone greys the face extension, and gives it back with a face found";

    testsupport::press(tool.capture_btn);
    EXPECT_EQ(tool.capture_btn->text(), "Resume");
    EXPECT_FALSE(fake.state->running);
    EXPECT_EQ(tool.User_Picture.size(), QSize(120, 90));
    EXPECT_EQ(tool.User_Picture.pixelColor(10, 10), QColor(250, 200, 20));
    EXPECT_TRUE(tool.Modified_image->isVisibleTo(&tool));
    EXPECT_FALSE(tool.capture_image->isVisibleTo(&tool));

    // Cropped by a rectangle and written under the custom name.
    tool.cropping_option_CellClick(CropByRectangle);
    tool.canvasController->removeAllSelectorsFromCanvas();
    tool.canvasController->addSelectorWithFrame(QRectF(0, 0, 40, 30));
    testsupport::press(tool.findChild<QPushButton *>("crop_btn"));
    const QStringList written = QDir(QDir(data.root()).filePath("out")).entryList(QDir::Files);
    ASSERT_EQ(written.size(), 1) << lastMessage(ui).toStdString();
    EXPECT_TRUE(written.first().startsWith("snap"));
    const QImage cropped(QDir(QDir(data.root()).filePath("out")).filePath(written.first()));
    const QColor got = cropped.pixelColor(5, 5);  // the default output format is JPEG: near, not exact
    EXPECT_NEAR(got.red(), 250, 4);
    EXPECT_NEAR(got.green(), 200, 4);
    EXPECT_NEAR(got.blue(), 20, 4);

    testsupport::press(tool.capture_btn);  // resume
    EXPECT_EQ(tool.capture_btn->text(), "Capture");
    ASSERT_TRUE(waitFor([&] { return fake.state->running.load(); }));
    testsupport::press(tool.findChild<QPushButton *>("Back_Btn"));
    EXPECT_FALSE(fake.state->running) << "Back stops the camera";
    tool.Cancel_Btn_Clicked();
    EXPECT_FALSE(tool.rig.capture);
}

TEST_F(CropCamera, TheOptionsScreenAsksForACameraAndACustomName)
{
    tool.findChild<QAbstractButton *>("output_option_matrix_0")->setChecked(true);
    next();
    EXPECT_EQ(lastMessage(ui), "Please select Custom output file name option.");
    EXPECT_EQ(fake.state->opened, 0);

    ScopedFakeCamera none(QList<CameraDevice>{});
    tool.Refresh_Camera_Clicked();
    next();
    EXPECT_EQ(lastMessage(ui), "Please select camera.");
}

TEST_F(CropCamera, ACameraThatCannotBeOpenedKeepsCaptureDisabled)
{
    fake.state->refused = {QStringLiteral("cam-1")};
    next();
    EXPECT_EQ(lastMessage(ui), "[error] Device or resource busy");
    EXPECT_FALSE(tool.capture_btn->isEnabled());
    EXPECT_TRUE(tool.capture_btn->toolTip().contains("Device or resource busy"));
}

// --- the Qt Multimedia backend ---

struct CountingReceiver : CameraFrameReceiver {
    std::atomic<int> frames{0};
    void captureOutput(CameraFramePtr frame) override
    {
        if (frame && !frame->toImage().isNull())
            ++frames;
    }
    void sessionFailed(const QString &) override {}
};

TEST(QtCameraBackend, AnUnknownCameraIsRefusedWithAReason)
{
    auto backend = Make_Qt_Camera_Backend();
    CountingReceiver receiver;
    QString error;
    EXPECT_EQ(backend->openSession(QStringLiteral("no-such-camera"), receiver, &error), nullptr);
    EXPECT_FALSE(error.isEmpty());
}

// The window on the backend in use when none is installed: the hint follows what is attached.
TEST(QtCameraBackend, TheWindowListsTheAttachedCameras)
{
    platform::ScopedScriptedUi ui;
    const int attached = int(cameraBackend().videoInputs().size());
    Camera cam;
    cam.Prepare_Open();
    EXPECT_EQ(cam.camera_list->count(), attached);
    EXPECT_EQ(cam.connection_msg_label->text(),
              attached == 0 ? "Please connect your camera." : "Please start camera to capture.");
}

TEST(QtCameraBackend, AnAttachedCameraDeliversFrames)
{
    auto backend = Make_Qt_Camera_Backend();
    const QList<CameraDevice> devices = backend->videoInputs();
    if (devices.isEmpty())
        GTEST_SKIP() << "no camera is attached to this machine";
    CountingReceiver receiver;
    QString error;
    auto session = backend->openSession(devices.first().id, receiver, &error);
    ASSERT_TRUE(session) << error.toStdString();
    session->startRunning();
    EXPECT_TRUE(waitFor([&] { return receiver.frames > 0; }, 10000));
    session->stopRunning();
}

}  // namespace
