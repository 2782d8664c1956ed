#include "imaging/Camera.h"

#include "data/export/ExportDialogs.h"

#include "canvas/WidgetUtilities.h"
#include "core/ControllerImageFiles.h"
#include "core/Utilities.h"
#include "data/SeriesManager.h"
#include "imageops/PhotoSettings.h"
#include "imaging/CameraFiles.h"
#include "imaging/CropOperations.h"
#include "imaging/ImageUtilities.h"
#include "imaging/MSSCanvas.h"
#include "imaging/MSSScaledImage.h"
#include "platform/Paths.h"
#include "platform/UiServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <exception>

Camera *Camera_window = nullptr;

namespace {
Camera *Camera_inst = nullptr;

const QString kConnect = QStringLiteral("Please connect your camera.");
const QString kStart = QStringLiteral("Please start camera to capture.");

// The sliders move in whole steps; the value is step / scale.
struct SliderSpec {
    const char *name, *title;
    int min, max, position;
    double scale;
};
enum { Sharpness, Exposure, Blur, Saturation, Brightness, Contrast, Hue, Transparency, Rotation };
constexpr SliderSpec kSliders[9] = {
    {"shrp_slidr", "Sharpness", 0, 200, 0, 100},       {"ev_slidr", "Exposure", -300, 300, 0, 100},
    {"blr_slidr", "Blur", 0, 200, 0, 10},              {"Sat_slidr", "Saturation", 0, 200, 100, 100},
    {"Brt_slidr", "Brightness", -100, 100, 0, 100},    {"Con_slidr", "Contrast", 25, 400, 100, 100},
    {"Hue_slidr", "Hue", -314, 314, 0, 100},           {"Trsp_slidr", "Transparency", 0, 100, 100, 1},
    {"Rotate_slidr", "Rotation", -1800, 1800, 0, 10}};

MSSScaledImage *view(const char *name, int width, int height)
{
    auto *v = named(new MSSScaledImage, name);
    v->setFixedSize(width, height);
    v->setImageFrameStyle(MSSScaledImage::FrameGrayBezel);
    return v;
}
}  // namespace

Camera *Camera::defaultInstance()
{
    if (!Camera_inst)
        new Camera;
    return Camera_inst;
}

int Camera::Take_Picture(QString &picture)
{
    const int result = defaultInstance()->Open_Wnd();
    if (result == 1)
        picture = Camera_Capture_Image;
    return result;
}

Camera::Camera(QWidget *parent) : QDialog(parent)
{
    Camera_inst = this;
    Camera_window = this;
    setObjectName(QStringLiteral("Camera"));
    setWindowTitle(QStringLiteral("Camera"));
    setPalette(QPalette(QColor::fromRgbF(0.9450980392156862f, 0.9568627450980393f, 0.9803921568627451f)));
    setAutoFillBackground(true);
    no_camera_image = QImage(platform::joinPath(platform::resourceFolderPath(), QStringLiteral("no_camera.jpg")));
    buildWindow();
}

Camera::~Camera()
{
    rig.Clear();
    if (Camera_inst == this)
        Camera_inst = nullptr;
    if (Camera_window == this)
        Camera_window = nullptr;
}

void Camera::buildWindow()
{
    auto *top = new QVBoxLayout(this);
    auto *columns = new QHBoxLayout;
    top->addLayout(columns);

    // --- cameras and live view ---
    auto *live = new QVBoxLayout;
    auto *pick = new QHBoxLayout;
    pick->addWidget(new QLabel(QStringLiteral("Camera:")));
    pick->addWidget(camera_list = named(new QComboBox, "camera_list"), 1);
    camera_list_unq_id = named(new QComboBox(this), "camera_list_unq_id");
    camera_list_unq_id->hide();
    pick->addWidget(refresh_btn = named(new QPushButton(QStringLiteral("Refresh")), "refresh_btn"));
    refresh_btn->setToolTip(QStringLiteral("List the attached cameras again"));
    live->addLayout(pick);
    auto *run = new QHBoxLayout;
    run->addWidget(start_btn = named(new QPushButton(QStringLiteral("Start")), "start_btn"));
    run->addWidget(stop_btn = named(new QPushButton(QStringLiteral("Stop")), "stop_btn"));
    run->addWidget(capture_btn = named(new QPushButton(QStringLiteral("Capture")), "capture_btn"));
    live->addLayout(run);
    live->addWidget(connection_msg_label = named(new QLabel, "connection_msg_label"));
    connection_msg_label->setWordWrap(true);
    live->addWidget(capture_image = view("capture_image", 320, 240));
    live->addWidget(new QLabel(QStringLiteral("Captured picture:")));
    live->addWidget(capture_saved_image = view("capture_saved_image", 160, 120));
    live->addStretch(1);
    columns->addLayout(live);

    // --- the adjusted picture with its crop rectangle ---
    auto *middle = new QVBoxLayout;
    Modified_image = named(new MSSScaledImage, "Modified_image");
    Modified_image->setMinimumSize(300, 300);
    canvas = named(new MSSCanvas(Modified_image), "canvas");
    canvasController = new MSSCanvasController(canvas, Modified_image, this);
    canvasController->setSingleSelectionMode(true);
    middle->addWidget(Modified_image, 1);
    cropping_Box = named(new QGroupBox(QStringLiteral("Crop and export")), "cropping_Box");
    auto *crops = new QHBoxLayout(cropping_Box);
    crops->addWidget(enable_cropping_btn = named(new QCheckBox(QStringLiteral("Enable cropping")), "enable_cropping_btn"));
    crops->addWidget(crop_btn = named(new QPushButton(QStringLiteral("Crop")), "crop_btn"));
    crops->addWidget(save_btn = named(new QPushButton(QStringLiteral("Export...")), "save_btn"));
    crop_btn->setEnabled(false);
    middle->addWidget(cropping_Box);
    columns->addLayout(middle, 1);

    // --- adjustments ---
    Image_Edit_Prop_Box = named(new QGroupBox(QStringLiteral("Adjustments")), "Image_Edit_Prop_Box");
    auto *adjust = new QFormLayout(Image_Edit_Prop_Box);
    adjust->setVerticalSpacing(2);
    auto *checkGrid = new QGridLayout;
    int at = 0;
    using Action = void (Camera::*)();
    for (auto [box, name, title, action] :
         {std::tuple<QCheckBox **, const char *, const char *, Action>{&Image_Gray_Scale_chk, "Image_Gray_Scale_chk",
                                                                      "Grey scale", &Camera::Image_Gray_Scale_Chked},
          {&Image_Sepia_chk, "Image_Sepia_chk", "Sepia", &Camera::Image_Sepia_Chked},
          {&Image_Invert_chk, "Image_Invert_chk", "Invert", &Camera::Image_Invert_Chked},
          {&Image_FIV_chk, "Image_FIV_chk", "Flip vertically", &Camera::Image_FIV_Chked},
          {&Image_FIH_chk, "Image_FIH_chk", "Flip horizontally", &Camera::Image_FIH_Chked}}) {
        *box = named(new QCheckBox(QString::fromLatin1(title)), name);
        connect(*box, &QCheckBox::toggled, this, action);
        checkGrid->addWidget(*box, at / 2, at % 2);
        ++at;
    }
    adjust->addRow(checkGrid);
    const Action sliderActions[9] = {&Camera::sharp_Slider_Changed, &Camera::EV_Slider_Changed,
                                     &Camera::Blr_Slider_Changed,   &Camera::Sat_Slider_Changed,
                                     &Camera::Brt_Slider_Changed,   &Camera::Con_Slider_Changed,
                                     &Camera::Hue_Slider_Changed,   &Camera::Transperncy_Slider_Changed,
                                     &Camera::Rotate_Slider_Changed};
    for (int i = 0; i < 9; ++i) {
        sliders[i] = named(new QSlider(Qt::Horizontal), kSliders[i].name);
        sliders[i]->setRange(kSliders[i].min, kSliders[i].max);
        sliders[i]->setMinimumWidth(140);
        sliderValues[i] = new QLabel;
        sliderValues[i]->setObjectName(QString::fromLatin1(kSliders[i].name) + QStringLiteral("_val"));
        sliderValues[i]->setMinimumWidth(36);
        connect(sliders[i], &QSlider::valueChanged, this, sliderActions[i]);
        auto *row = new QHBoxLayout;
        row->addWidget(sliders[i]);
        row->addWidget(sliderValues[i]);
        adjust->addRow(QString::fromLatin1(kSliders[i].title), row);
    }
    auto *reset = named(new QPushButton(QStringLiteral("Reset settings")), "Image_reset_Button");
    adjust->addRow(reset);
    columns->addWidget(Image_Edit_Prop_Box);

    // --- camera folder, OK and Cancel ---
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("Save in:")));
    bottom->addWidget(def_save_path = named(new QLineEdit, "def_save_path"), 1);
    def_save_path->setReadOnly(true);
    auto *browse = named(new QPushButton(QStringLiteral("Browse...")), "Browse_Path_btn");
    auto *defaultFolder = named(new QPushButton(QStringLiteral("Default")), "Reset_Path_btn");
    bottom->addWidget(browse);
    bottom->addWidget(defaultFolder);
    bottom->addSpacing(24);
    bottom->addWidget(ok_btn = named(new QPushButton(QStringLiteral("OK")), "ok_btn"));
    bottom->addWidget(cancel_btn = named(new QPushButton(QStringLiteral("Cancel")), "cancel_btn"));
    ok_btn->setAutoDefault(false);
    cancel_btn->setAutoDefault(false);
    top->addLayout(bottom);

    Pair_Camera_Combos(camera_list, camera_list_unq_id);
    connect(start_btn, &QPushButton::clicked, this, &Camera::Start_Btn_Clicked);
    connect(stop_btn, &QPushButton::clicked, this, &Camera::Stop_Btn_Clicked);
    connect(refresh_btn, &QPushButton::clicked, this, &Camera::Get_List_Btn_Clicked);
    connect(capture_btn, &QPushButton::clicked, this, &Camera::Capture_Btn_Clicked);
    connect(reset, &QPushButton::clicked, this, &Camera::Image_reset_Button);
    connect(enable_cropping_btn, &QCheckBox::toggled, this, &Camera::Enable_Cropping_Clicked);
    connect(crop_btn, &QPushButton::clicked, this, &Camera::Crop_Image_Clicked);
    connect(save_btn, &QPushButton::clicked, this, &Camera::Save_Crop_Image_Clicked);
    connect(browse, &QPushButton::clicked, this, &Camera::Browse_Path_Clicked);
    connect(defaultFolder, &QPushButton::clicked, this, &Camera::Reset_Path_Clicked);
    connect(ok_btn, &QPushButton::clicked, this, &Camera::OK_Btn_Clicked);
    connect(cancel_btn, &QPushButton::clicked, this, &Camera::Cancel_Btn_Clicked);
    resize(1000, 640);
}

// --- opening ---

void Camera::Prepare_Open()
{
    Reset_Image_Editing_Controls();
    Image_Edit_Prop_Box->setEnabled(false);
    cropping_Box->setEnabled(false);
    capture_btn->setEnabled(false);
    canvasController->removeAllSelectorsFromCanvas();
    Start_Stop_Btn_State();
    Get_And_Fill_Camera_List();
    showHint(camera_list->count() == 0 ? kConnect : kStart);
    // What an earlier run captured is not offered again.
    User_Picture = QImage();
    capture_saved_image->setImage(QImage());
    Modified_image->setImage(QImage());
    capture_image->setImage(no_camera_image);
    def_save_path->setText(Camera_Folder_Path);
}

int Camera::Open_Wnd()
{
    Prepare_Open();
    const int result = platform::ui().runModal(QStringLiteral("Camera"), QString(), [this] { return exec(); });
    // However the window closed, the camera does not keep running behind it.
    rig.Stop_Reading();
    stop_or_continue = 0;
    rig.Clear();
    return result;
}

void Camera::showHint(const QString &text)
{
    connection_msg_label->setText(text);
    connection_msg_label->show();
}

// --- cameras ---

void Fill_Camera_Combos(QComboBox *names, QComboBox *ids)
{
    const QSignalBlocker blockNames(names), blockIds(ids);
    names->clear();
    ids->clear();
    for (const CameraDevice &device : cameraBackend().videoInputs()) {
        names->addItem(device.name);
        ids->addItem(device.id);
    }
    names->setCurrentIndex(names->count() > 0 ? 0 : -1);
    ids->setCurrentIndex(names->currentIndex());
    if (ids->currentIndex() >= 0)
        selected_camera = ids->currentText();
}

void Pair_Camera_Combos(QComboBox *names, QComboBox *ids)
{
    QObject::connect(names, &QComboBox::currentIndexChanged, ids, [ids](int row) { ids->setCurrentIndex(row); });
    QObject::connect(ids, &QComboBox::currentIndexChanged, ids, [ids](int row) {
        if (row >= 0)
            selected_camera = ids->itemText(row);
    });
}

void Camera::Get_And_Fill_Camera_List() { Fill_Camera_Combos(camera_list, camera_list_unq_id); }

void Camera::Start_Btn_Clicked()
{
    if (camera_list_unq_id->currentIndex() < 0) {
        Show_MessageBox(QStringLiteral("Please select camera."));
        showHint(kConnect);
        return;
    }
    selected_camera = camera_list_unq_id->currentText();
    Select_Camera_for_Capture_Action();
    // A camera that could not be set up offers no capture (the reason is shown already).
    if (!rig.Has_Session())
        return;
    capture_btn->setEnabled(true);
    capture_btn->setToolTip(QString());
    connection_msg_label->hide();
}

void Camera::Select_Camera_for_Capture_Action()
{
    if (selected_camera.isEmpty())
        return;
    Stop_Camera_Reading();
    stop_or_continue = 0;
    if (rig.capture)
        Clear_Camera_Objects();
    QString error;
    if (!rig.Open(selected_camera, &error)) {
        quit(error);
        captureUnavailable(error);
        return;
    }
    rig.capture->onFailure = [this](const QString &e) { Session_Failed(e); };
    Start_Camera_Reading();
}

void Camera::Start_Camera_Reading()
{
    rig.Start_Reading(this, [this] { Start_Stop_Btn_State(); });
}

void Camera::Stop_Camera_Reading()
{
    if (!rig.capture)
        return;
    rig.Stop_Reading();
    Start_Stop_Btn_State();
}

void Camera::Start_Stop_Btn_State()
{
    const bool running = rig.Running();
    start_btn->setEnabled(!running);
    stop_btn->setEnabled(running);
    if (running)
        connection_msg_label->hide();
    else if (rig.Has_Session())
        showHint(kStart);
}

void Camera::Stop_Btn_Clicked()
{
    Stop_Camera_Reading();
    capture_image->setImage(no_camera_image);
    showHint(kStart);
    capture_btn->setEnabled(false);
}

void Camera::Get_List_Btn_Clicked()
{
    Stop_Camera_Reading();
    Clear_Camera_Objects();
    Get_And_Fill_Camera_List();
    capture_btn->setEnabled(false);
    capture_image->setImage(no_camera_image);
    showHint(camera_list->count() == 0 ? kConnect : kStart);
}

void Camera::Clear_Camera_Objects()
{
    try {
        rig.Clear();
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

void Camera::quit(const QString &error)
{
    const QString text = QStringLiteral("[error] %1").arg(error);
    Show_NSLog_Message(text);
    Show_MessageBox(text);
}

void Camera::captureUnavailable(const QString &reason)
{
    capture_btn->setEnabled(false);
    capture_btn->setToolTip(QStringLiteral("The camera could not be started: %1").arg(reason));
    showHint(capture_btn->toolTip());
}

void Camera::Session_Failed(const QString &error)
{
    rig.Stop_Reading();
    Start_Stop_Btn_State();
    quit(error);
    captureUnavailable(error);
}

// --- capture and saving ---

void Camera::Capture_Btn_Clicked()
{
    if (!rig.capture) {
        Show_MessageBox(QStringLiteral("Please first select and start the camera."));
        return;
    }
    if (rig.Running()) {
        rig.Stop_Reading();
        Start_Stop_Btn_State();
    }
    // One pixel a point, so that crop rectangles on the view meet the picture's pixels.
    User_Picture = rig.capture->final_image.isNull() ? QImage() : normalizeSize(rig.capture->final_image);
    capture_saved_image->setImage(User_Picture);
    Modified_image->setImage(User_Picture);
    Update_Image_With_Settings();
    cropping_Box->setEnabled(true);
    Image_Edit_Prop_Box->setEnabled(true);
    capture_btn->setEnabled(false);
}

void Camera::OK_Btn_Clicked()
{
    if (User_Picture.isNull() || Modified_image->image().isNull()) {
        Show_MessageBox(QStringLiteral("There is no image to Import. Please capture an image."));
        return;
    }
    Stop_Camera_Reading();
    stop_or_continue = 0;
    if (rig.capture)
        Clear_Camera_Objects();
    const QString previous = Camera_Capture_Image;
    Camera_Capture_Image = Create_New_Camera_File_Path(previous);
    QString error;
    QDir().mkpath(QFileInfo(Camera_Capture_Image).absolutePath());
    if (!Save_gen_image(Modified_image->image(), Camera_Capture_Image, &error)) {
        // Nothing was saved: the caller must not be told otherwise, and the picture stays here.
        Camera_Capture_Image = previous;
        Show_MessageBox(QStringLiteral("The picture could not be saved.\n%1").arg(error));
        return;
    }
    ++Camera_Capture_Count;
    done(1);
}

void Camera::Cancel_Btn_Clicked()
{
    Stop_Camera_Reading();
    stop_or_continue = 0;
    if (rig.capture)
        Clear_Camera_Objects();
    done(0);
}

void Camera::Browse_Path_Clicked()
{
    const QString folder = platform::ui().chooseFolder(QStringLiteral("Choose the camera folder"), Camera_Folder_Path);
    if (folder.isEmpty())
        return;
    def_save_path->setText(folder);
    Camera_Folder_Path = folder;
    if (!Create_Camera_Path_File())
        Show_NSLog_Message(QStringLiteral("The camera folder could not be remembered."));
    Camera_Capture_Image = platform::joinPath(folder, QStringLiteral("velk_user_save.png"));
}

void Camera::Reset_Path_Clicked()
{
    Camera_Folder_Path = Default_Camera_Folder();
    if (!Create_Camera_Path_File())
        Show_NSLog_Message(QStringLiteral("The camera folder could not be remembered."));
    def_save_path->setText(Camera_Folder_Path);
    Camera_Capture_Image = platform::joinPath(Camera_Folder_Path, QStringLiteral("velk_user_save.png"));
}

// --- adjustments ---

void Camera::Slider_Changed(int index)
{
    sliderValues[index]->setText(QString::number(sliderValue(index)));
    Update_Image_With_Settings();
}

double Camera::sliderValue(int index) const { return sliders[index]->value() / kSliders[index].scale; }

void Camera::setSliderValue(int index, double value)
{
    sliders[index]->setValue(int(std::lround(value * kSliders[index].scale)));
}

void Camera::Reset_Image_Editing_Controls()
{
    for (QCheckBox *check : {Image_Gray_Scale_chk, Image_Sepia_chk, Image_Invert_chk, Image_FIV_chk, Image_FIH_chk}) {
        const QSignalBlocker block(check);
        check->setChecked(false);
    }
    for (int i = 0; i < 9; ++i) {
        const QSignalBlocker block(sliders[i]);
        sliders[i]->setValue(kSliders[i].position);
        sliderValues[i]->setText(QString::number(sliderValue(i)));
    }
}

ImageAdjustments Camera::Current_Adjustments() const
{
    ImageAdjustments a;
    a.grayscale = Image_Gray_Scale_chk->isChecked();
    a.sepia = Image_Sepia_chk->isChecked();
    a.invrtclr = Image_Invert_chk->isChecked();
    a.flip_H = Image_FIH_chk->isChecked();
    a.flip_V = Image_FIV_chk->isChecked();
    a.r = float(sliderValue(Sharpness));
    a.g = float(sliderValue(Exposure));
    a.b = float(sliderValue(Blur));
    a.sat = float(sliderValue(Saturation));
    a.brt = float(sliderValue(Brightness));
    a.con = float(sliderValue(Contrast));
    a.hue = float(sliderValue(Hue));
    a.tranprency = float(sliderValue(Transparency));
    a.rotate = float(int(sliderValue(Rotation)));  // whole degrees, toward zero
    return a;
}

void Camera::Update_Image_With_Settings()
{
    const ImageAdjustments a = Current_Adjustments();
    // The flips belong to this picture only; the other editors keep theirs.
    const bool flipH = IMG_Flip_H, flipV = IMG_Flip_V;
    Store_Image_Adjustments(a);
    IMG_Flip_H = flipH;
    IMG_Flip_V = flipV;
    if (User_Picture.isNull())
        return Modified_image->setImage(QImage());
    Modified_image->setImage(ImageProcesser::Get_Processed_Image_Full_Combined(
        User_Picture, a, true, true, QRectF(QPointF(0, 0), QSizeF(User_Picture.size()))));
}

void Camera::Image_reset_Button()
{
    if (!platform::ui().yesNo(QStringLiteral("Are you sure you want to reset image settings?")))
        return;
    User_Picture = capture_saved_image->image();
    Reset_Image_Editing_Controls();
    Update_Image_With_Settings();
}

QSizeF Camera::originalImageRatio() const { return Modified_image->originalImageRatio(); }

// --- crop and export ---

void Camera::Enable_Cropping_Clicked() { crop_btn->setEnabled(enable_cropping_btn->isChecked()); }

void Camera::Crop_Image_Clicked()
{
    if (!canvasController->hasSelectors()) {
        Show_MessageBox(QStringLiteral("Please select area to crop."));
        return;
    }
    for (MSSSelector *selector : canvasController->selectors()) {
        // Cut from the adjusted picture: the adjustments in force are kept in the crop.
        const QImage cut = Crop_By_Selection(Modified_image->image(), selector->frame(), originalImageRatio());
        if (cut.isNull())
            continue;
        User_Picture = cut;
        Modified_image->setImage(cut);
    }
    canvasController->removeAllSelectorsFromCanvas();
}

void Camera::Save_Crop_Image_Clicked() { Export_image_method_2(); }

void Camera::Export_image_method_2()
{
    // The panel carries the format chooser: a name typed without an extension gets the chosen one.
    const QString chosen = Save_Image_Panel(QStringLiteral("Save Image"), Camera_Folder_Path, QStringLiteral("velk_user_save.png"));
    if (chosen.isEmpty())
        return;
    raise();
    activateWindow();
    const QString path = Camera_Export_Path(chosen);
    QString error;
    if (!Save_gen_image(Modified_image->image(), path, &error)) {
        Show_MessageBox(QStringLiteral("The picture could not be exported.\n%1").arg(error));
        return;
    }
    Export_File_Path = path;
    Export_File_Message = QStringLiteral("File has been exported successfully.");
    Open_Export_File_Box();
}

void Camera::Open_Export_File_Box()
{
    const bool folder = QFileInfo(Export_File_Path).isDir();
    bool open = false;
    platform::ui().notice(Export_File_Message + QLatin1Char('\n') + Export_File_Path, {QStringLiteral("OK")},
                          folder ? QStringLiteral("Open containing folder.") : QStringLiteral("Open file."), &open);
    if (open)
        platform::Open_Or_Explain(Export_File_Path);
}
