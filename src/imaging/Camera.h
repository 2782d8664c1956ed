#pragma once
// The camera window: lists the cameras, shows the chosen one's live picture, captures a frame,
// adjusts, crops and exports it, and on OK saves it as a PNG file in the camera folder.
//
// Road for a caller: `Camera::Take_Picture(path)` (or `defaultInstance()->Open_Wnd()`) runs the
// window modally; 1 means a picture was saved and its path is in Camera_Capture_Image, 0 that
// the user cancelled. The property panel, the profile dialogs and the profile panels use it.
// The camera itself is reached through CameraBackend.h; Capture.h runs the frames.

#include "imageops/ImageProcesser.h"
#include "imaging/Capture.h"

#include <QDialog>
#include <QImage>

class MSSCanvas;
class MSSCanvasController;
class MSSScaledImage;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

class Camera : public QDialog {
    Q_OBJECT
public:
    explicit Camera(QWidget *parent = nullptr);
    ~Camera() override;
    static Camera *defaultInstance();
    // Runs the window; on 1 `picture` receives the saved picture's path.
    static int Take_Picture(QString &picture);

    // Modal run: 1 when OK saved a picture, 0 on Cancel.
    int Open_Wnd();
    // Everything Open_Wnd does before the modal run, for tests and embedding callers.
    void Prepare_Open();

    // --- cameras, live view, capture and saving ---
    void Get_And_Fill_Camera_List();
    void Select_Camera_for_Capture_Action();
    void Start_Camera_Reading();
    void Stop_Camera_Reading();
    void Start_Stop_Btn_State();
    void Clear_Camera_Objects();
    // Shows "[error] <text>" in a box and the log.
    void quit(const QString &error);

    // --- adjustments, crop and export ---
    void Reset_Image_Editing_Controls();
    void Update_Image_With_Settings();
    ImageAdjustments Current_Adjustments() const;
    QSizeF originalImageRatio() const;
    void Export_image_method_2();
    void Open_Export_File_Box();

    CameraRig rig{QStringLiteral("CAM")};
    QImage User_Picture;  // the picture the adjustments start from: the frame, or the last crop
    QImage no_camera_image;

    QComboBox *camera_list, *camera_list_unq_id;
    QPushButton *start_btn, *stop_btn, *capture_btn, *refresh_btn;
    QLabel *connection_msg_label;
    MSSScaledImage *capture_image, *capture_saved_image, *Modified_image;
    MSSCanvas *canvas;
    MSSCanvasController *canvasController;
    QGroupBox *Image_Edit_Prop_Box, *cropping_Box;
    QCheckBox *Image_Gray_Scale_chk, *Image_Sepia_chk, *Image_Invert_chk, *Image_FIV_chk, *Image_FIH_chk;
    // sharpness, exposure, blur, saturation, brightness, contrast, hue, transparency, rotation
    QSlider *sliders[9];
    QLabel *sliderValues[9];
    QCheckBox *enable_cropping_btn;
    QPushButton *crop_btn, *save_btn, *ok_btn, *cancel_btn;
    QLineEdit *def_save_path;

    // A slider's value as the number its field shows (the sliders move in whole steps).
    double sliderValue(int index) const;
    void setSliderValue(int index, double value);

public slots:
    void Start_Btn_Clicked();
    void Stop_Btn_Clicked();
    void Get_List_Btn_Clicked();
    void Capture_Btn_Clicked();
    void OK_Btn_Clicked();
    void Cancel_Btn_Clicked();
    void Browse_Path_Clicked();
    void Reset_Path_Clicked();
    void Image_reset_Button();
    void Enable_Cropping_Clicked();
    void Crop_Image_Clicked();
    void Save_Crop_Image_Clicked();
    // The adjustment controls: each renders the picture again, a slider after showing its value.
    void Image_Gray_Scale_Chked() { Update_Image_With_Settings(); }
    void Image_Sepia_Chked() { Update_Image_With_Settings(); }
    void Image_Invert_Chked() { Update_Image_With_Settings(); }
    void Image_FIV_Chked() { Update_Image_With_Settings(); }
    void Image_FIH_Chked() { Update_Image_With_Settings(); }
    void sharp_Slider_Changed() { Slider_Changed(0); }
    void EV_Slider_Changed() { Slider_Changed(1); }
    void Blr_Slider_Changed() { Slider_Changed(2); }
    void Sat_Slider_Changed() { Slider_Changed(3); }
    void Brt_Slider_Changed() { Slider_Changed(4); }
    void Con_Slider_Changed() { Slider_Changed(5); }
    void Hue_Slider_Changed() { Slider_Changed(6); }
    void Transperncy_Slider_Changed() { Slider_Changed(7); }
    void Rotate_Slider_Changed() { Slider_Changed(8); }

private:
    void Slider_Changed(int index);
    void buildWindow();
    void showHint(const QString &text);
    void captureUnavailable(const QString &reason);
    void Session_Failed(const QString &error);
};

// The camera lists of both camera users: names in `names`, ids in the hidden `ids`, row 0
// chosen when there is any (selected_camera follows it). Paired, a choice in `names` chooses the
// same row of `ids`, and a choice there sets selected_camera.
void Fill_Camera_Combos(QComboBox *names, QComboBox *ids);
void Pair_Camera_Combos(QComboBox *names, QComboBox *ids);

// The instance, published for the capture object's live view.
extern Camera *Camera_window;
