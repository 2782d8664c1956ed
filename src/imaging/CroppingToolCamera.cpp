// The cropping tool's camera input: the camera list on the options screen, and on the crop
// screen the live view, the capture button that takes the shown frame as the picture to crop,
// and the set-up that starts and stops the chosen camera.
#include "canvas/WidgetUtilities.h"
#include "core/Utilities.h"
#include "imaging/Camera.h"
#include "imaging/Cropping_Tool.h"
#include "imaging/ImageUtilities.h"
#include "imaging/MSSScaledImage.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

namespace {
const QString kCapture = QStringLiteral("Capture");
const QString kResume = QStringLiteral("Resume");
}  // namespace

QWidget *Cropping_Tool::buildCameraRow()
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(camera_list = named(new QComboBox, "camera_list"), 1);
    camera_list_unq_id = named(new QComboBox(row), "camera_list_unq_id");
    camera_list_unq_id->hide();
    layout->addWidget(Refresh_Camera_btn = named(new QPushButton(QStringLiteral("Refresh")), "Refresh_Camera_btn"));
    Refresh_Camera_btn->setToolTip(QStringLiteral("List the attached cameras again"));
    Pair_Camera_Combos(camera_list, camera_list_unq_id);
    connect(Refresh_Camera_btn, &QPushButton::clicked, this, &Cropping_Tool::Refresh_Camera_Clicked);
    return row;
}

void Cropping_Tool::buildCameraScreen(QBoxLayout *screen, QBoxLayout *)
{
    // The live view with the capture row below it, beside the preview: the camera adds nothing
    // to the height of the side column.
    Camera_Box = named(new QWidget, "Camera_Box");
    auto *layout = new QVBoxLayout(Camera_Box);
    layout->setContentsMargins(0, 0, 0, 0);
    capture_image = named(new MSSScaledImage, "capture_image");
    capture_image->setMinimumSize(420, 360);
    layout->addWidget(capture_image, 1);
    auto *row = new QHBoxLayout;
    capture_saved_image = named(new MSSScaledImage, "capture_saved_image");
    capture_saved_image->setFixedSize(96, 72);
    row->addWidget(capture_saved_image);
    row->addWidget(capture_btn = named(new QPushButton(kCapture), "capture_btn"));
    // Start and stop stay hidden on the crop screen: the capture button stops and resumes.
    row->addWidget(start_btn = named(new QPushButton(QStringLiteral("Start")), "start_btn"));
    row->addWidget(stop_btn = named(new QPushButton(QStringLiteral("Stop")), "stop_btn"));
    start_btn->hide();
    stop_btn->hide();
    row->addStretch(1);
    layout->addLayout(row);
    screen->addWidget(Camera_Box, 1);

    connect(capture_btn, &QPushButton::clicked, this, &Cropping_Tool::Capture_Clicked);
    connect(start_btn, &QPushButton::clicked, this, &Cropping_Tool::Start_Btn_Clicked);
    connect(stop_btn, &QPushButton::clicked, this, &Cropping_Tool::Stop_Btn_Clicked);
}

void Cropping_Tool::Reset_Camera_Input()
{
    Start_Stop_Btn_State();
    Get_And_Fill_Camera_List();
    capture_image->setImage(QImage());
    capture_saved_image->setImage(QImage());
    Show_Camera_Views(false);
}

void Cropping_Tool::Show_Camera_Views(bool camera)
{
    capture_image->setVisible(camera);
    Camera_Box->setVisible(camera);
    if (camera)
        Modified_image->hide();
    else
        Modified_image->show();
}

bool Cropping_Tool::Camera_Screen()
{
    ListData.clear();
    ColList->setRowCount(0);
    ColList->hide();
    crop_btn->hide();
    crop_all_btn->hide();
    Show_Camera_Views(true);
    capture_btn->setText(kCapture);
    capture_btn->setEnabled(false);  // the first frame shown enables it
    capture_btn->setToolTip(QString());
    showCropScreen(true);
    if (croping_selection == CropByRectangle)
        Show_hide_Crop_Selection(true);
    Start_Btn_Clicked();
    return true;
}

bool Cropping_Tool::Camera_Crop_Kind_Changed()
{
    cropping_wid_size->setEnabled(croping_selection == CropBySize);
    // The box governs its stepper: every other road enables the box alone.
    extend_face_box->setEnabled(croping_selection == CropByFace);
    if (rig.Running()) {
        Show_MessageBox(QStringLiteral("Please first capture image."));
        return false;
    }
    return true;
}

void Cropping_Tool::Get_And_Fill_Camera_List() { Fill_Camera_Combos(camera_list, camera_list_unq_id); }

void Cropping_Tool::Start_Stop_Btn_State()
{
    const bool running = rig.Running();
    start_btn->setEnabled(!running);
    stop_btn->setEnabled(running);
    if (running)
        Image_Edit_Prop_Box->setEnabled(false);
}

void Cropping_Tool::Start_Btn_Clicked()
{
    if (camera_list_unq_id->currentIndex() < 0) {
        Show_MessageBox(QStringLiteral("Please select camera."));
        return;
    }
    selected_camera = camera_list_unq_id->currentText();
    Select_Camera_for_Capture_Action();
}

int Cropping_Tool::Select_Camera_for_Capture_Action()
{
    if (selected_camera.isEmpty())
        return 0;
    Stop_Camera_Reading();
    stop_or_continue = 0;
    Clear_Camera_Objects();
    QString error;
    if (!rig.Open(selected_camera, &error))
        return quit_capture(error);
    rig.capture->onFailure = [this](const QString &e) {
        Stop_Camera_Reading();
        quit_capture(e);
    };
    Start_Camera_Reading();
    return 1;
}

void Cropping_Tool::Start_Camera_Reading()
{
    rig.Start_Reading(this, [this] { Start_Stop_Btn_State(); });
}

void Cropping_Tool::Stop_Btn_Clicked() { Stop_Camera_Reading(); }

void Cropping_Tool::Stop_Camera_Reading()
{
    if (!rig.capture)
        return;
    capture_btn->setEnabled(false);
    rig.Stop_Reading();
    Start_Stop_Btn_State();
}

void Cropping_Tool::Clear_Camera_Objects()
{
    rig.Clear();
    capture_btn->setEnabled(false);
}

int Cropping_Tool::quit_capture(const QString &error)
{
    const QString text = QStringLiteral("[error] %1").arg(error);
    Show_NSLog_Message(text);
    Show_MessageBox(text);
    capture_btn->setEnabled(false);
    capture_btn->setToolTip(QStringLiteral("The camera could not be started: %1").arg(error));
    return 1;
}

void Cropping_Tool::Refresh_Camera_Clicked()
{
    Stop_Camera_Reading();
    Clear_Camera_Objects();
    Get_And_Fill_Camera_List();
    capture_image->setImage(QImage());
}

void Cropping_Tool::Capture_Clicked()
{
    if (!rig.capture) {
        Show_MessageBox(QStringLiteral("Please first select and start the camera."));
        return;
    }
    if (capture_btn->text() != kCapture) {
        capture_btn->setText(kCapture);
        crop_btn->hide();
        capture_image->show();
        Modified_image->hide();
        Start_Btn_Clicked();
        return;
    }
    if (rig.Running()) {
        rig.Stop_Reading();
        Start_Stop_Btn_State();
    }
    Image_Edit_Prop_Box->setEnabled(true);
    if (!rig.capture->final_image.isNull()) {
        // One pixel a point, as the tool's other pictures are.
        User_Picture_PREVIEW = normalizeSize(rig.capture->final_image);
        capture_saved_image->setImage(User_Picture_PREVIEW);
    }
    capture_image->hide();
    Modified_image->show();
    Update_Image_With_Settings(false);
    capture_btn->setText(kResume);
    crop_btn->show();
    Check_And_Set_Selection(false);
}
