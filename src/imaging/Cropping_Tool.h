#pragma once
// The cropping tool: one picture file, every picture of a folder, of a series or of a
// spreadsheet column, cut by a drawn rectangle, around a detected face or to a given size,
// after the picture adjustments. Full mode starts on an options screen; the three direct
// entries (the property panel's crop command) start on the crop screen, write into the
// "Cropped_Images" folder and hand back a file, a series or a spreadsheet column. The crop
// work itself lives in CropOperations.h and BatchCrop.h; this is the window around it.

#include "imaging/BatchCrop.h"
#include "imaging/Capture.h"

#include <QDialog>
#include <QImage>
#include <QStringList>
#include <functional>
#include <memory>
#include <thread>

class MSSCanvas;
class Plz_Wait_Sheet;
class MSSCanvasController;
class MSSScaledImage;
class QBoxLayout;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QSpinBox;
class QTableWidget;
class QTimer;

class Cropping_Tool : public QDialog {
    Q_OBJECT
public:
    explicit Cropping_Tool(QWidget *parent = nullptr);
    ~Cropping_Tool() override;
    static Cropping_Tool *defaultInstance();

    // --- entries: each runs the window modally and answers 1 after a finished direct crop ---
    int Open_Wnd();
    int Open_Wnd_Direct_To_Crop(const QString &path);
    int Open_Wnd_Direct_Crop_Series(const QString &seriesName);
    int Open_Wnd_Direct_Excel_Column(const QString &columnName, int col_index);
    // The same entries without the modal run (the window is shown); false when the crop screen
    // could not be built. Tests and embedding callers drive the window from here.
    void Prepare_Full();
    bool Prepare_Direct_To_Crop(const QString &path);
    bool Prepare_Direct_Crop_Series(const QString &seriesName);
    bool Prepare_Direct_Excel_Column(const QString &columnName, int col_index);

    // --- modes and results ---
    int input_selection = SourceFile;
    int crop_direct = CropFullTool;
    int croping_selection = CropByRectangle;
    int ctrl_data_source_type = 0;
    bool Find_Face = false;
    QRect Find_Face_Rect;  // picture pixels from the top-left
    QRectF Crop_Rect;
    QString Crop_Input_Path, Crop_Output_Path, croped_file, Crop_Direct_Path, Crop_Direct_Series;
    QString Passed_Excel_Col_Name, Crop_New_Excel_Col_Name;
    // The series a direct series crop was opened on, even when the list cannot offer it (a FIFO
    // or a folder under its name), so that its refusal can be told.
    QString Passed_Series_Name;
    QString Export_File_Message;  // shown when a direct run closes
    int Passed_Excel_Col_Index = -1, Crop_New_Excel_Col_Index = -1;
    bool Crop_All_Thread_Running = false;
    // The crop of all is waiting for the stop question's answer, every picture before it written.
    bool Crop_All_Held() const { return batch.hold->held(); }
    // What holds the crop of all while the stop question is open; released, the run goes on. A
    // test's watchdog lets a run go through it when the window failed to, so that the test fails
    // instead of hanging its program in the window's end.
    std::shared_ptr<RunHold> Crop_All_Hold() const { return batch.hold; }
    CropOutputNaming naming;
    QImage User_Picture_PREVIEW, User_Picture;
    std::shared_ptr<FaceDetector> faceDetector;  // the cascade unless replaced

    QStringList ListData;  // picture paths of the list, in order
    // The please-wait sheet of the single crop (made when first needed).
    Plz_Wait_Sheet *plz_wait_sheet = nullptr;
    MSSCanvasController *canvasController = nullptr;
    MSSScaledImage *Modified_image = nullptr;

    // --- operations ---
    bool Load_for_Next_Screen();
    // Lists the pictures of the series; false (after showing the one-line reason) when the
    // series is there but was refused, so nothing may start on it.
    bool Load_file_Func(const QString &seriesName);
    void Create_List(const QString &path);
    QString Get_Item_Text(int row) const;
    void Mark_List_New_Selection(int row);
    void Load_Image_File(const QString &path);
    void Update_Image_With_Settings(bool again = false);
    void Reset_Image_Editing_Controls();
    ImageAdjustments Current_Adjustments() const;
    QSizeF originalImageRatio() const;
    void Show_hide_Crop_Selection(bool show);
    void Check_And_Set_Selection(bool renderAgain);
    void Find_Face_Function_In_Image();
    void Face_Rect_Draw_Function();
    QString Cropped_File_Name();
    CropSettings Current_Crop_Settings() const;
    // The picture on show as its file holds it, for the cut; null when the preview is all there is.
    QImage currentCropSource() const;

public slots:
    // The series chosen in the series list, or the spreadsheet table when the tool crops a column.
    void View_batch_Series_Button();
    void OK_Btn_Clicked();
    void Back_Btn_Clicked();
    void Crop_Single_Image_Clicked();
    void Crop_All_Clicked();
    void Crop_Direct_Image_Clicked();
    void Close_Direct_Image_Clicked();
    void Close_Box_With_OK();
    void Close_Box_With_Cancel();
    void Cancel_Btn_Clicked();
    void Open_Output_Folder_Clicked();
    void Image_reset_Button();
    void input_option_CellClick(int row);
    void output_option_CellClick(int row);
    void cropping_option_CellClick(int row);
    void Width_Changed();
    void Height_Changed();
    void Extend_Face_Size_Changed();
    void Stop_Sending_Pressed();
    // Refused while a crop of all runs, as the Close button is.
    void reject() override;

private:
    void buildWindow();
    void Set_Default_Values();
    void Set_Default_Cropping_Option();
    void Disable_Auto_Face_Radio();
    void showCropScreen(bool crop);
    // Gives the crop screen's parts their sizes now rather than on the next pass of the loop.
    void Lay_Out_Crop_Screen();
    bool eventFilter(QObject *watched, QEvent *event) override;
    void fillSeriesCombo(const QString &select);
    bool selectionFrame(QRectF *frame) const;
    // Loads the picture of the list's highlighted row into the preview.
    void showListedPicture();
    void sizeTyped(QLineEdit *field, QSpinBox *stepper);
    // The size a width or height field stands for: what it holds when that is a size, else the
    // size from before the typing.
    int sizeInForce(const QLineEdit *field, const QSpinBox *stepper) const;
    void startBatch();
    void finishBatch(const QStringList &entries, bool completed, const QString &error, int total);
    void tick();
    void Open_Export_File_Box(const QString &path, bool folder);
    void showWaitSheet(bool shown);

    QWidget *Main_Screen_Box, *Crop_Screen_Box, *button_box;
    // The input boxes of the options screen: a path field with its Browse button, the camera
    // list with its Refresh button.
    QWidget *File_Box = nullptr, *Folder_Box = nullptr, *camera_input_box = nullptr;
    QButtonGroup *input_option_matrix, *output_option_matrix, *cropping_option_matrix, *batch_matrix;
    QLineEdit *file_path, *folder_path, *output_path, *output_custom_name;
    QComboBox *camera_list, *batch_list, *output_format_combo;
    QPushButton *view_series_btn = nullptr;
    // The same viewer on the crop screen of a direct series or column crop, which skips the
    // options screen that holds the button above.
    QPushButton *View_direct_Series_Btn = nullptr;
    QPushButton *Next_Btn, *Back_Btn, *crop_btn, *crop_all_btn, *Open_Folder_Btn, *Crop_direct_Btn, *Close_direct_Btn;
    QTableWidget *ColList;
    MSSCanvas *canvas;
    QGroupBox *Image_Edit_Prop_Box, *Croping_option_Box, *cropping_wid_size, *extend_face_box;
    QCheckBox *checks[5];
    QSlider *sliders[9];
    QLabel *sliderValues[9];
    QLineEdit *width_Text, *height_Text;
    QSpinBox *width_Stepper, *height_Stepper, *Face_Size_Stepper;
    QCheckBox *aspect_ratio_chk;

    // The progress sheet of a batch run.
    QDialog *Send_Models_Window;
    QProgressBar *_Curr_Progress;
    QLabel *_curr_msg_cnt, *_tot_msg_cnt;
    QTimer *msend_modTimer;
    BatchCrop batch;
    std::thread worker;
    BatchSeriesOutput runSeries;
    // The face selection as it was last placed, and the picture's size on the canvas then: a
    // selection that no longer has that frame was moved or resized by hand.
    QRectF placedFaceFrame;
    QSizeF placedFaceCanvas;
    // The preview changed its size: a face selection not touched by hand is placed on the face
    // again; one the user moved or resized is scaled with the picture.
    void Follow_Preview_Size();

    // --- camera input: the live view, the capture button and the camera they come from ---
public:
    CameraRig rig{QStringLiteral("CROP")};  // the capture object and its session
    QComboBox *camera_list_unq_id = nullptr;  // hidden: the ids of the cameras in camera_list
    MSSScaledImage *capture_image = nullptr, *capture_saved_image = nullptr;
    QPushButton *capture_btn = nullptr, *start_btn = nullptr, *stop_btn = nullptr, *Refresh_Camera_btn = nullptr;
    void Get_And_Fill_Camera_List();
    void Start_Stop_Btn_State();
    // 0 when no camera is chosen, else 1 (also when it failed, which quit_capture reported).
    int Select_Camera_for_Capture_Action();
    void Start_Camera_Reading();
    void Stop_Camera_Reading();
    void Clear_Camera_Objects();
    int quit_capture(const QString &error);

public slots:
    void Start_Btn_Clicked();
    void Stop_Btn_Clicked();
    void Capture_Clicked();
    void Refresh_Camera_Clicked();

private:
    QWidget *buildCameraRow();
    void buildCameraScreen(QBoxLayout *screen, QBoxLayout *side);
    void Reset_Camera_Input();
    void Show_Camera_Views(bool camera);
    bool Camera_Screen();
    // The crop kind changed with the camera input; false while the camera runs.
    bool Camera_Crop_Kind_Changed();
    QWidget *Camera_Box = nullptr;
};

extern Cropping_Tool *Cropping_Tool_window;
