#include "imaging/Cropping_Tool.h"
#include "data/SeriesViewer.h"
#include "data/export/CardExport.h"
#include "data/export/ExportDialogs.h"
#include "canvas/WidgetUtilities.h"

#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "core/PictureServices.h"
#include "core/Utilities.h"
#include "data/SeriesFiles.h"
#include "data/SeriesViewer.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "imageops/PhotoSettings.h"
#include "imaging/MSSCanvas.h"
#include "imaging/MSSScaledImage.h"
#include "platform/UiServices.h"
#include "platform/TextLength.h"
#include "platform/TypedNumber.h"

#include <QScrollArea>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <utility>

Cropping_Tool *Cropping_Tool_window = nullptr;

namespace {
// The size a width or height field held when the user began typing into it.
constexpr const char *kSizeBeforeTyping = "sizeBeforeTyping";
const QString kSelect = QStringLiteral("<--Select-->");
const QString kCropped = QStringLiteral("Image has been cropped successfully.");
const QString kNoImage = QStringLiteral("There is no image to crop.");
const QString kSelectArea = QStringLiteral("Please select area to crop.");
const QString kNoFace = QStringLiteral("No face detected.");
const QStringList kAccepted = {"jpg", "jpeg", "jpe", "jfif", "gif", "bmp", "png", "tif", "tiff"};

// The adjustment sliders are the photo editors' own (`Photo_Sliders`).
const auto &kSliders = Photo_Sliders;
constexpr const char *kChecks[5] = {"Image_Gray_Scale_chk", "Image_Sepia_chk", "Image_Invert_chk", "Image_FIH_chk",
                                    "Image_FIV_chk"};

QButtonGroup *radios(QWidget *owner, QLayout *into, const char *name, const QStringList &titles)
{
    auto *group = new QButtonGroup(owner);
    group->setObjectName(QString::fromLatin1(name));
    for (int i = 0; i < titles.size(); ++i) {
        auto *button = new QRadioButton(titles.at(i));
        button->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(name)).arg(i));
        group->addButton(button, i);
        into->addWidget(button);
    }
    group->button(0)->setChecked(true);
    return group;
}

// The progress sheet of a crop of all: Escape or its close box asks about stopping, as its Stop
// button does, instead of hiding the sheet while the run goes on behind the window.
class Progress_Sheet : public QDialog {
public:
    using QDialog::QDialog;
    std::function<void()> onClose;
    void reject() override
    {
        if (onClose)
            onClose();
    }
};

bool isAcceptedPicture(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && kAccepted.contains(info.suffix().toLower());
}
}  // namespace

Cropping_Tool *Cropping_Tool::defaultInstance()
{
    if (!Cropping_Tool_window)
        new Cropping_Tool;
    return Cropping_Tool_window;
}

Cropping_Tool::Cropping_Tool(QWidget *parent) : QDialog(parent)
{
    Cropping_Tool_window = this;
    setObjectName(QStringLiteral("Cropping_Tool"));
    setWindowTitle(QStringLiteral("Cropping Tool"));
    // Application-modal from its first showing on: every entry shows the window before its modal
    // run, and the window shown that way must already keep the rest of the application waiting
    // (the crop command holds the chosen picture control until the tool closes).
    setWindowModality(Qt::ApplicationModal);
    setPalette(QPalette(Window_Background_Color()));
    buildWindow();
    // One size for the options and the crop screen, room for the picture within the screen.
    Fit_Window_To_Screen(this, {1000, 660});
    faceDetector = Make_Cascade_Face_Detector();
}

Cropping_Tool::~Cropping_Tool()
{
    batch.stopRequested = true;
    batch.hold->release();
    if (worker.joinable())
        worker.join();
    if (Cropping_Tool_window == this)
        Cropping_Tool_window = nullptr;
}

void Cropping_Tool::buildWindow()
{
    auto *top = new QVBoxLayout(this);

    // --- options screen ---
    Main_Screen_Box = named(new QWidget, "Main_Screen_Box");
    auto *options = new QFormLayout(Main_Screen_Box);
    auto *inputs = new QVBoxLayout;
    input_option_matrix = radios(this, inputs, "input_option_matrix",
                                 {"Crop Single File", "Crop Files in Folder", "Crop Picture from Camera",
                                  "Crop Images of Batch Series"});
    options->addRow(QStringLiteral("Input:"), inputs);
    // A path field with its browse button, in one box that is enabled or disabled as a whole.
    auto browsed = [&](const char *title, QLineEdit *&field, const char *name, const char *buttonName, auto choose) {
        field = named(new QLineEdit, name);
        auto *box = new QWidget;
        auto *row = new QHBoxLayout(box);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(field);
        auto *browse = named(new QPushButton(QStringLiteral("Browse...")), buttonName);
        row->addWidget(browse);
        QLineEdit *target = field;
        connect(browse, &QPushButton::clicked, this, [target, choose] {
            const QString path = choose();
            if (!path.isEmpty())
                target->setText(path);
        });
        options->addRow(QString::fromLatin1(title), box);
        return box;
    };
    File_Box = named(browsed("File:", file_path, "file_path", "File_Browse_btn",
                             [] {
                                 return platform::ui().openFile(QStringLiteral("Choose a picture"), QString(),
                                                                kAccepted);
                             }),
                     "File_Box");
    Folder_Box = named(browsed("Folder:", folder_path, "folder_path", "Folder_Browse_btn",
                               [] {
                                   return platform::ui().chooseFolder(QStringLiteral("Choose a folder of pictures"),
                                                                      QString());
                               }),
                       "Folder_Box");
    options->addRow(QStringLiteral("Camera:"), camera_input_box = named(buildCameraRow(), "camera_input_box"));
    options->addRow(QStringLiteral("Series:"), batch_list = named(new QComboBox, "batch_list"));
    auto *batchRows = new QHBoxLayout;
    batch_matrix = radios(this, batchRows, "batch_matrix", {"New series", "Replace the series' items"});
    // The chosen series' values, beside what is done with them.
    view_series_btn = named(new QPushButton(QStringLiteral("View Series…")), "View_batch_Series_Button");
    view_series_btn->setToolTip(QStringLiteral("Shows the values of the chosen series"));
    connect(view_series_btn, &QPushButton::clicked, this, &Cropping_Tool::View_batch_Series_Button);
    batchRows->addWidget(view_series_btn);
    options->addRow(QString(), batchRows);
    browsed("Output folder:", output_path, "output_path", "Output_Browse_btn",
            [] { return platform::ui().chooseFolder(QStringLiteral("Choose the output folder"), QString()); });
    auto *outputRows = new QHBoxLayout;
    output_option_matrix = radios(this, outputRows, "output_option_matrix", {"Source file name", "Custom name"});
    options->addRow(QStringLiteral("Output name:"), outputRows);
    options->addRow(QStringLiteral("Custom name:"), output_custom_name = named(new QLineEdit, "output_custom_name"));
    output_format_combo = named(new QComboBox, "output_format_combo");
    output_format_combo->addItems({"jpg", "bmp", "png", "tiff"});
    options->addRow(QStringLiteral("Format:"), output_format_combo);
    options->addRow(QString(), Next_Btn = named(new QPushButton(QStringLiteral("Next")), "Next_Btn"));
    top->addWidget(Main_Screen_Box);

    // --- crop screen ---
    Crop_Screen_Box = named(new QWidget, "Crop_Screen_Box");
    auto *screen = new QHBoxLayout(Crop_Screen_Box);
    // The files by name, numbered in the row header.
    ColList = named(new QTableWidget(0, 1), "ColList");
    ColList->setHorizontalHeaderLabels({"Image"});
    ColList->setMinimumWidth(160);
    ColList->setSelectionMode(QAbstractItemView::SingleSelection);
    ColList->setSelectionBehavior(QAbstractItemView::SelectRows);
    ColList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ColList->horizontalHeader()->setStretchLastSection(true);
    screen->addWidget(ColList);
    Modified_image = named(new MSSScaledImage, "Modified_image");
    Modified_image->setMinimumSize(340, 340);
    canvas = named(new MSSCanvas(Modified_image), "canvas");
    canvasController = new MSSCanvasController(canvas, Modified_image, this);
    canvasController->setSingleSelectionMode(true);
    Modified_image->installEventFilter(this);
    screen->addWidget(Modified_image, 1);

    auto *side = new QVBoxLayout;
    Image_Edit_Prop_Box = named(new QGroupBox(QStringLiteral("Adjustments")), "Image_Edit_Prop_Box");
    auto *adjust = new QFormLayout(Image_Edit_Prop_Box);
    const char *checkTitles[5] = {"Grey scale", "Sepia", "Invert", "Flip horizontally", "Flip vertically"};
    for (int i = 0; i < 5; ++i) {
        checks[i] = named(new QCheckBox(QString::fromLatin1(checkTitles[i])), kChecks[i]);
        connect(checks[i], &QCheckBox::toggled, this, [this] { Update_Image_With_Settings(false); });
        adjust->addRow(checks[i]);
    }
    const char *sliderTitles[9] = {"Rotation", "Transparency", "Hue", "Saturation", "Brightness",
                                   "Contrast", "Sharpness", "Exposure", "Blur"};
    for (int i = 0; i < 9; ++i) {
        sliders[i] = named(new QSlider(Qt::Horizontal), kSliders[i].name);
        sliders[i]->setRange(kSliders[i].min, kSliders[i].max);
        sliderValues[i] = new QLabel;
        sliderValues[i]->setObjectName(QString::fromLatin1(kSliders[i].name) + QStringLiteral("_val"));
        connect(sliders[i], &QSlider::valueChanged, this, [this, i](int v) {
            sliderValues[i]->setText(QString::number(v / kSliders[i].scale));
            Update_Image_With_Settings(false);
        });
        auto *row = new QHBoxLayout;
        row->addWidget(sliders[i]);
        row->addWidget(sliderValues[i]);
        adjust->addRow(QString::fromLatin1(sliderTitles[i]), row);
    }
    auto *reset = new QPushButton(QStringLiteral("Reset"));
    connect(reset, &QPushButton::clicked, this, &Cropping_Tool::Image_reset_Button);
    adjust->addRow(reset);
    side->addWidget(Image_Edit_Prop_Box);

    Croping_option_Box = named(new QGroupBox(QStringLiteral("Crop")), "Croping_option_Box");
    auto *kinds = new QVBoxLayout(Croping_option_Box);
    cropping_option_matrix = radios(this, kinds, "cropping_option_matrix",
                                    {"By selection", "By face detection", "To a given size"});
    side->addWidget(Croping_option_Box);

    cropping_wid_size = named(new QGroupBox(QStringLiteral("Size")), "cropping_wid_size");
    auto *sizes = new QFormLayout(cropping_wid_size);
    auto sizeRow = [&](const char *title, QLineEdit *&field, QSpinBox *&stepper, const char *fieldName,
                       const char *stepperName) {
        field = named(new QLineEdit, fieldName);
        stepper = named(Whole_Number_Field(), stepperName);
        stepper->setRange(1, 10000);
        auto *row = new QHBoxLayout;
        row->addWidget(field);
        row->addWidget(stepper);
        sizes->addRow(QString::fromLatin1(title), row);
    };
    sizeRow("Width:", width_Text, width_Stepper, "width_Text", "width_Stepper");
    sizeRow("Height:", height_Text, height_Stepper, "height_Text", "height_Stepper");
    sizes->addRow(aspect_ratio_chk = named(new QCheckBox(QStringLiteral("Keep aspect ratio")), "aspect_ratio_chk"));
    side->addWidget(cropping_wid_size);

    extend_face_box = named(new QGroupBox(QStringLiteral("Extend face (%)")), "extend_face_box");
    auto *faceRow = new QHBoxLayout(extend_face_box);
    // One field for the value: typed or stepped.
    faceRow->addWidget(Face_Size_Stepper = named(Whole_Number_Field(), "Face_Size_Stepper"));
    Face_Size_Stepper->setRange(0, 500);
    side->addWidget(extend_face_box);

    // The actions on one row, the way out on the next: five buttons on one row made that row
    // the widest thing in the column and held the window at its least width, so the buttons
    // had no room beyond their bare texts ("Open Folder" ran into its frame) and a window
    // manager that kept the window inside a small screen squeezed them below their texts.
    button_box = named(new QWidget, "button_box");
    auto *buttons = new QVBoxLayout(button_box);
    buttons->setContentsMargins(0, 0, 0, 0);
    auto *actions = new QHBoxLayout;
    actions->addWidget(crop_btn = named(new QPushButton(QStringLiteral("Crop")), "crop_btn"));
    actions->addWidget(crop_all_btn = named(new QPushButton(QStringLiteral("Crop All")), "crop_all_btn"));
    actions->addWidget(Open_Folder_Btn = named(new QPushButton(QStringLiteral("Open Folder")), "Open_Folder_Btn"));
    buttons->addLayout(actions);
    auto *leave = new QHBoxLayout;
    leave->addWidget(Back_Btn = named(new QPushButton(QStringLiteral("Back")), "Back_Btn"));
    leave->addStretch(1);
    auto *close = named(new QPushButton(QStringLiteral("Close")), "Close_Btn");
    leave->addWidget(close);
    buttons->addLayout(leave);
    auto *direct = new QHBoxLayout;
    direct->addWidget(View_direct_Series_Btn = named(new QPushButton(QStringLiteral("View Series…")), "View_direct_Series_Btn"));
    direct->addWidget(Crop_direct_Btn = named(new QPushButton(QStringLiteral("Crop Image")), "Crop_direct_Btn"));
    direct->addWidget(Close_direct_Btn = named(new QPushButton(QStringLiteral("Close")), "Close_direct_Btn"));
    side->addStretch(1);
    buildCameraScreen(screen, side);
    // The settings scroll on a small screen; the buttons stay in view below them.
    auto *sideColumn = new QVBoxLayout;
    sideColumn->addWidget(Scrolling_Panel(side, {420, 2000}, "crop_settings_scroll"), 1);
    sideColumn->addWidget(button_box);
    sideColumn->addLayout(direct);
    screen->addLayout(sideColumn);
    top->addWidget(Crop_Screen_Box);

    // --- progress sheet ---
    auto *sheet = new Progress_Sheet(this);
    sheet->onClose = [this] { Stop_Sending_Pressed(); };
    Send_Models_Window = named(sheet, "Send_Models_Window");
    Send_Models_Window->setWindowModality(Qt::WindowModal);
    auto *progress = new QVBoxLayout(Send_Models_Window);
    progress->addWidget(_tot_msg_cnt = named(new QLabel, "_tot_msg_cnt"));
    progress->addWidget(_Curr_Progress = named(new QProgressBar, "_Curr_Progress"));
    progress->addWidget(_curr_msg_cnt = named(new QLabel, "_curr_msg_cnt"));
    auto *stop = named(new QPushButton(QStringLiteral("Stop")), "_stop_btn");
    progress->addWidget(stop);
    msend_modTimer = new QTimer(this);
    msend_modTimer->setInterval(500);

    connect(stop, &QPushButton::clicked, this, &Cropping_Tool::Stop_Sending_Pressed);
    connect(msend_modTimer, &QTimer::timeout, this, &Cropping_Tool::tick);
    connect(Next_Btn, &QPushButton::clicked, this, &Cropping_Tool::OK_Btn_Clicked);
    connect(Back_Btn, &QPushButton::clicked, this, &Cropping_Tool::Back_Btn_Clicked);
    connect(crop_btn, &QPushButton::clicked, this, &Cropping_Tool::Crop_Single_Image_Clicked);
    connect(crop_all_btn, &QPushButton::clicked, this, &Cropping_Tool::Crop_All_Clicked);
    connect(Open_Folder_Btn, &QPushButton::clicked, this, &Cropping_Tool::Open_Output_Folder_Clicked);
    connect(close, &QPushButton::clicked, this, &Cropping_Tool::Cancel_Btn_Clicked);
    connect(Crop_direct_Btn, &QPushButton::clicked, this, &Cropping_Tool::Crop_Direct_Image_Clicked);
    connect(Close_direct_Btn, &QPushButton::clicked, this, &Cropping_Tool::Close_Direct_Image_Clicked);
    connect(View_direct_Series_Btn, &QPushButton::clicked, this, &Cropping_Tool::View_batch_Series_Button);
    connect(input_option_matrix, &QButtonGroup::idClicked, this, &Cropping_Tool::input_option_CellClick);
    connect(output_option_matrix, &QButtonGroup::idClicked, this, &Cropping_Tool::output_option_CellClick);
    connect(cropping_option_matrix, &QButtonGroup::idClicked, this, &Cropping_Tool::cropping_option_CellClick);
    connect(width_Stepper, &QSpinBox::valueChanged, this, [this](int v) { width_Text->setText(QString::number(v)); });
    connect(height_Stepper, &QSpinBox::valueChanged, this, [this](int v) { height_Text->setText(QString::number(v)); });
    connect(width_Text, &QLineEdit::textEdited, this, &Cropping_Tool::Width_Changed);
    connect(height_Text, &QLineEdit::textEdited, this, &Cropping_Tool::Height_Changed);
    // Left, the field shows the size in force: an empty field or 0 becomes 1 only now, so the
    // keys typed after a Backspace are never added to a "1" put in on the way ("240" is 240,
    // not 1240); a text that is no whole number ("1.500", "1,500") gives back the size from
    // before the typing, never its whole part.
    for (auto [field, stepper] : {std::pair{width_Text, width_Stepper}, std::pair{height_Text, height_Stepper}})
        connect(field, &QLineEdit::editingFinished, this, [this, field = field, stepper = stepper] {
            const int size = sizeInForce(field, stepper);
            field->setProperty(kSizeBeforeTyping, QVariant());
            stepper->setValue(size);
            field->setText(QString::number(stepper->value()));
        });
    connect(Face_Size_Stepper, &QSpinBox::valueChanged, this, &Cropping_Tool::Extend_Face_Size_Changed);
    connect(ColList, &QTableWidget::itemSelectionChanged, this, [this] {
        if (Crop_All_Thread_Running)
            return;  // the run crops from the files; the list only follows it
        showListedPicture();
    });
}

void Cropping_Tool::showListedPicture()
{
    const int row = ColList->currentRow();
    if (row >= 0 && ColList->item(row, 0) && ColList->item(row, 0)->isSelected()) {
        Crop_Input_Path = Get_Item_Text(row);
        Load_Image_File(Crop_Input_Path);
    }
}

// --- entries ---

void Cropping_Tool::Set_Default_Values()
{
    Find_Face = false;
    output_custom_name->setText(QStringLiteral("Untitled"));
    Next_Btn->setEnabled(true);
    Back_Btn->setEnabled(false);
    ListData.clear();
    ColList->setRowCount(0);
    ColList->hide();
    output_format_combo->setCurrentIndex(0);
    for (QButtonGroup *group : {input_option_matrix, output_option_matrix, cropping_option_matrix, batch_matrix})
        group->button(0)->setChecked(true);
    canvasController->removeAllSelectorsFromCanvas();
    file_path->clear();
    folder_path->clear();
    output_path->clear();
    Set_Default_Cropping_Option();
    User_Picture_PREVIEW = User_Picture = QImage();
    Modified_image->setImage(QImage());
    File_Box->setEnabled(true);
    Folder_Box->setEnabled(false);
    camera_input_box->setEnabled(false);
    batch_list->setEnabled(false);
    view_series_btn->setEnabled(false);
    extend_face_box->setEnabled(false);
    Face_Size_Stepper->setValue(0);
    cropping_wid_size->setEnabled(false);
    output_custom_name->setEnabled(false);
    Disable_Auto_Face_Radio();
    Reset_Camera_Input();
}

void Cropping_Tool::Set_Default_Cropping_Option()
{
    cropping_option_matrix->button(0)->setChecked(true);
    croping_selection = CropByRectangle;
    cropping_wid_size->setEnabled(false);
    aspect_ratio_chk->setChecked(false);
    width_Stepper->setValue(50);
    height_Stepper->setValue(50);
    width_Text->setText(QStringLiteral("50"));
    height_Text->setText(QStringLiteral("50"));
}

void Cropping_Tool::Disable_Auto_Face_Radio()
{
    const bool available = faceDetector && faceDetector->available();
    QAbstractButton *face = cropping_option_matrix->button(CropByFace);
    face->setEnabled(available);
    face->setToolTip(available ? QString()
                               : QStringLiteral("Face detection needs the face cascade of OpenCV (package opencv-data)."));
}

void Cropping_Tool::Lay_Out_Crop_Screen()
{
    layout()->activate();
    Crop_Screen_Box->layout()->activate();
}

bool Cropping_Tool::eventFilter(QObject *watched, QEvent *event)
{
    // The preview changes its size when the list is shown or hidden and when the window is
    // resized: the face's selection follows it.
    if (watched == Modified_image && event->type() == QEvent::Resize && croping_selection == CropByFace && Find_Face)
        Follow_Preview_Size();
    return QDialog::eventFilter(watched, event);
}

void Cropping_Tool::Follow_Preview_Size()
{
    const std::vector<MSSSelector *> selectors = canvasController->selectors();
    const bool byHand = std::any_of(selectors.begin(), selectors.end(),
                                    [this](const MSSSelector *s) { return s->frame() != placedFaceFrame; });
    const QSizeF now = canvasController->canvasFrame().size();
    if (!byHand || placedFaceCanvas.isEmpty() || now.isEmpty())
        return Face_Rect_Draw_Function();
    const double kx = now.width() / placedFaceCanvas.width(), ky = now.height() / placedFaceCanvas.height();
    const auto scaled = [kx, ky](const QRectF &r) { return QRectF(r.x() * kx, r.y() * ky, r.width() * kx, r.height() * ky); };
    for (MSSSelector *s : selectors)
        s->Set_Selector_frame(scaled(s->frame()));
    MSSSelector *current = canvasController->currentSelector();
    if (current && std::find(selectors.begin(), selectors.end(), current) == selectors.end())
        current->Set_Selector_frame(scaled(current->frame()));
    // Scaled alike, the two still differ: at the next resize the selection is still the user's.
    placedFaceFrame = scaled(placedFaceFrame);
    placedFaceCanvas = now;
    canvas->update();
}

void Cropping_Tool::showCropScreen(bool crop)
{
    // The outgoing screen goes first: for a moment both would ask for their heights together,
    // and the window would grow to hold them.
    (crop ? Main_Screen_Box : Crop_Screen_Box)->hide();
    (crop ? Crop_Screen_Box : Main_Screen_Box)->show();
    Next_Btn->setEnabled(!crop);
    Back_Btn->setEnabled(crop);
}

void Cropping_Tool::fillSeriesCombo(const QString &select)
{
    batch_list->clear();
    batch_list->addItem(kSelect);
    batch_list->addItems(Get_datasheet_File_Name_Array());
    const int at = batch_list->findText(select);
    batch_list->setCurrentIndex(at < 0 ? 0 : at);
}

void Cropping_Tool::Prepare_Full()
{
    Reset_Image_Editing_Controls();
    naming.crop_num = 0;
    crop_direct = CropFullTool;
    croping_selection = CropByRectangle;
    input_selection = SourceFile;
    Crop_Rect = QRectF();
    Set_Default_Values();
    Image_Edit_Prop_Box->setEnabled(false);
    fillSeriesCombo(QString());
    showCropScreen(false);
    for (QWidget *w : {static_cast<QWidget *>(button_box), static_cast<QWidget *>(crop_btn),
                       static_cast<QWidget *>(crop_all_btn), static_cast<QWidget *>(Open_Folder_Btn)})
        w->show();
    Crop_direct_Btn->hide();
    Close_direct_Btn->hide();
    View_direct_Series_Btn->hide();
    Croping_option_Box->show();
    show();
}

int Cropping_Tool::Open_Wnd()
{
    Prepare_Full();
    const QPointer<Cropping_Tool> alive(this);
    // Through the UI services, so that a scripted run does not wait for a person.
    const int result = platform::ui().runModal(QStringLiteral("Cropping_Tool"), QString(), [this] { return exec(); });
    if (!alive)
        return result;  // the window went during its run (the application closing): nothing left to tidy
    Clear_Camera_Objects();  // however the window closed, its camera does not run on
    hide();                  // and it is not left standing over the window, keeping it waiting
    return result;
}

namespace {
struct DirectSetup {
    int source, target;
    const char *title;
};
}  // namespace

static void prepareDirect(Cropping_Tool &tool, QPushButton *direct, const DirectSetup &setup)
{
    tool.Reset_Image_Editing_Controls();
    direct->setText(QString::fromLatin1(setup.title));
    tool.naming.crop_num = 0;
    tool.crop_direct = setup.target;
    tool.croping_selection = CropByRectangle;
    tool.input_selection = setup.source;
}

bool Cropping_Tool::Prepare_Direct_To_Crop(const QString &path)
{
    prepareDirect(*this, Crop_direct_Btn, {SourceFile, CropDirectFile, "Crop Image"});
    Crop_Rect = QRectF();
    Crop_Input_Path = path;
    Set_Default_Values();
    showCropScreen(true);
    button_box->hide();
    Crop_direct_Btn->show();
    Close_direct_Btn->show();
    View_direct_Series_Btn->hide();
    show();
    return Load_for_Next_Screen();
}

bool Cropping_Tool::Prepare_Direct_Crop_Series(const QString &seriesName)
{
    prepareDirect(*this, Crop_direct_Btn, {SourceSeries, CropDirectSeries, "Crop Images"});
    Crop_Direct_Path.clear();
    Passed_Series_Name = seriesName;
    Set_Default_Values();
    fillSeriesCombo(seriesName);
    view_series_btn->setEnabled(true);
    showCropScreen(true);
    button_box->hide();
    Crop_direct_Btn->show();
    Close_direct_Btn->show();
    View_direct_Series_Btn->show();
    show();
    return Load_for_Next_Screen();
}

bool Cropping_Tool::Prepare_Direct_Excel_Column(const QString &columnName, int col_index)
{
    prepareDirect(*this, Crop_direct_Btn, {SourceColumn, CropDirectColumn, "Crop Image"});
    Passed_Excel_Col_Name = columnName;
    Passed_Excel_Col_Index = col_index;
    Crop_Direct_Path.clear();
    Set_Default_Values();
    batch_list->clear();
    for (const ExcelColumn &column : Data_From_Excel::defaultInstance()->ColList)
        batch_list->addItem(column.title);
    batch_list->setCurrentIndex(col_index);
    view_series_btn->setEnabled(true);
    showCropScreen(true);
    button_box->hide();
    Crop_direct_Btn->show();
    Close_direct_Btn->show();
    View_direct_Series_Btn->show();
    show();
    return Load_for_Next_Screen();
}

int Cropping_Tool::Open_Wnd_Direct_To_Crop(const QString &path)
{
    return Prepare_Direct_To_Crop(path) ? exec() : 0;
}

int Cropping_Tool::Open_Wnd_Direct_Crop_Series(const QString &seriesName)
{
    return Prepare_Direct_Crop_Series(seriesName) ? exec() : 0;
}

int Cropping_Tool::Open_Wnd_Direct_Excel_Column(const QString &columnName, int col_index)
{
    return Prepare_Direct_Excel_Column(columnName, col_index) ? exec() : 0;
}

// --- options screen ---

void Cropping_Tool::OK_Btn_Clicked()
{
    QString value;
    switch (input_selection) {
    case SourceFile:
        value = file_path->text().trimmed();
        if (value.isEmpty())
            return Show_MessageBox(QStringLiteral("Please select input image file path."));
        break;
    case SourceFolder:
        value = folder_path->text().trimmed();
        if (value.isEmpty())
            return Show_MessageBox(QStringLiteral("Please select input folder path."));
        break;
    case SourceCamera:
        value = camera_list_unq_id->currentIndex() >= 0 ? camera_list_unq_id->currentText() : QString();
        if (value.isEmpty())
            return Show_MessageBox(QStringLiteral("Please select camera."));
        break;
    default:
        if (batch_list->currentIndex() < 1)
            return Show_MessageBox(input_selection == SourceColumn ? QStringLiteral("Please select excel column.")
                                                                   : QStringLiteral("Please select batch series."));
        value = batch_list->currentText();
    }
    Crop_Input_Path = value;
    Crop_Output_Path = output_path->text().trimmed();
    if (Crop_Output_Path.isEmpty())
        return Show_MessageBox(QStringLiteral("Please select output folder path."));
    if (input_selection == SourceCamera && output_option_matrix->checkedId() == 0)
        return Show_MessageBox(QStringLiteral("Please select Custom output file name option."));
    naming.custom = output_option_matrix->checkedId() == 1;
    naming.customName = output_custom_name->text().trimmed();
    if (naming.custom && naming.customName.isEmpty())
        return Show_MessageBox(QStringLiteral("Please select output file custom name."));
    naming.folder = Crop_Output_Path;
    naming.format = output_format_combo->currentIndex();
    Load_for_Next_Screen();
}

void Cropping_Tool::Back_Btn_Clicked()
{
    ColList->hide();
    showCropScreen(false);
    Stop_Camera_Reading();
    stop_or_continue = 0;
}

bool Cropping_Tool::Load_for_Next_Screen()
{
    Find_Face = false;
    Croping_option_Box->setVisible(crop_direct != CropDirectFile);
    if (input_selection == SourceCamera)
        return Camera_Screen();
    Show_Camera_Views(false);
    const bool direct = crop_direct != CropFullTool;
    crop_btn->setVisible(!direct && input_selection != SourceColumn);
    crop_all_btn->setVisible(!direct && input_selection != SourceFile);
    Image_Edit_Prop_Box->setEnabled(true);
    ListData.clear();
    ColList->setRowCount(0);
    ColList->setVisible(input_selection != SourceFile);
    QString empty;
    switch (input_selection) {
    case SourceFile: Create_List(Crop_Input_Path); break;
    case SourceFolder: {
        naming.crop_num = 0;
        const QDir dir(Crop_Input_Path);
        for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden, QDir::NoSort))
            if (isAcceptedPicture(dir.filePath(name)))
                Create_List(dir.filePath(name));
        empty = QStringLiteral("The selected folder does not contains any image with supported extension.");
        break;
    }
    case SourceSeries: {
        const QString chosen = batch_list->currentIndex() > 0 ? batch_list->currentText()
                               : crop_direct == CropDirectSeries ? Passed_Series_Name
                                                                 : QString();
        if (!chosen.isEmpty() && !Load_file_Func(chosen)) {
            Back_Btn_Clicked();
            if (direct)
                Close_Box_With_Cancel();
            return false;
        }
        empty = QStringLiteral("The selected series does not contains any image with supported extension.");
        if (!ListData.isEmpty() && !direct
            && !platform::ui().yesNo(batch_matrix->checkedId() == 0
                                         ? QStringLiteral("This action will create new batch series with all new cropped "
                                                          "images.\nAre you sure you want to continue?")
                                         : QStringLiteral("This action will replace selected batch series items with "
                                                          "all new cropped images.\nAre you sure you want to continue?")))
            return false;
        break;
    }
    case SourceColumn: {
        const Data_From_Excel *table = Data_From_Excel::defaultInstance();
        if (Passed_Excel_Col_Index > 0)
            for (int row = 0; row < table->rowCount(); ++row)
                Create_List(table->Get_Item_Text(row, Passed_Excel_Col_Index).value_or(QString()));
        empty = QStringLiteral("The selected control does not contains any image with supported extension.");
        break;
    }
    default: break;
    }
    if (ListData.isEmpty()) {
        Back_Btn_Clicked();
        Show_MessageBox(empty.isEmpty() ? kNoImage : empty);
        if (direct)
            Close_Box_With_Cancel();
        return false;
    }
    Crop_Input_Path = ListData.first();
    // A single file that is gone, no picture or too large leaves nothing to crop: the person is told
    // why and the tool does not stay open over the window.
    if (crop_direct == CropDirectFile && !Check_Picture_File(Crop_Input_Path)) {
        Back_Btn_Clicked();
        Close_Box_With_Cancel();
        return false;
    }
    // The preview takes its size on the crop screen first (with or without the list beside
    // it): the face is placed at the scale the picture is then shown and cropped at.
    showCropScreen(true);
    Lay_Out_Crop_Screen();
    Load_Image_File(Crop_Input_Path);
    if (croping_selection == CropByRectangle)
        Show_hide_Crop_Selection(true);
    return true;
}

bool Cropping_Tool::Load_file_Func(const QString &seriesName)
{
    QString refusal;
    const auto lines = Read_Series_Lines(Series_File_Path(seriesName), &refusal);
    if (!lines) {
        if (!refusal.isEmpty()) {
            Show_MessageBox(refusal);
            return false;
        }
        // A missing series lists nothing, which the caller tells as an empty series.
        Show_NSLog_Message(QStringLiteral("Series %1 could not be read").arg(seriesName));
        return true;
    }
    for (const QString &line : *lines)
        if (crop_direct == CropDirectSeries || isAcceptedPicture(line.trimmed()))
            Create_List(line);
    return true;
}

void Cropping_Tool::Create_List(const QString &path)
{
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty() && crop_direct != CropDirectSeries && crop_direct != CropDirectColumn)
        return;
    ListData.append(trimmed);
    const int row = ColList->rowCount();
    ColList->insertRow(row);
    ColList->setItem(row, 0, new QTableWidgetItem(trimmed.isEmpty() ? QString() : QFileInfo(trimmed).fileName()));
}

QString Cropping_Tool::Get_Item_Text(int row) const
{
    if (row < 0 || row >= ListData.size()) {
        Show_NSLog_Message(QStringLiteral("Get_Item_Text: no row %1").arg(row));
        return {};
    }
    return ListData.at(row);
}

void Cropping_Tool::Mark_List_New_Selection(int row)
{
    if (row < 0 || row >= ColList->rowCount())
        return;
    ColList->selectRow(row);
    ColList->scrollToItem(ColList->item(row, 0));
}

void Cropping_Tool::input_option_CellClick(int row)
{
    input_selection = row;
    File_Box->setEnabled(row == SourceFile);
    Folder_Box->setEnabled(row == SourceFolder);
    camera_input_box->setEnabled(row == SourceCamera);
    batch_list->setEnabled(row == SourceSeries);
    view_series_btn->setEnabled(row == SourceSeries);
    output_option_matrix->button(0)->setEnabled(row != SourceCamera);
    if (row == SourceCamera) {
        output_option_matrix->button(1)->setChecked(true);
        output_custom_name->setEnabled(true);
    }
}

void Cropping_Tool::output_option_CellClick(int row) { output_custom_name->setEnabled(row == 1); }

void Cropping_Tool::View_batch_Series_Button()
{
    if (input_selection == SourceSeries) {
        const QString name = batch_list->currentText().trimmed();
        if (name.isEmpty() || name == kSelect)
            return Show_MessageBox(QStringLiteral("Please select the series."));
        View_Data_Series *viewer = View_Data_Series::defaultInstance();
        viewer->file_name = name;
        viewer->Open_Wnd();
    } else if (input_selection == SourceColumn) {
        Data_From_Excel *table = Data_From_Excel::defaultInstance();
        platform::ui().runModal(QStringLiteral("Data_From_Excel"), {}, [table] { return table->Open_Wnd(); });
    }
}

void Cropping_Tool::cropping_option_CellClick(int row)
{
    croping_selection = row;
    if (input_selection == SourceCamera && !Camera_Crop_Kind_Changed())
        return;
    Check_And_Set_Selection(false);
    Modified_image->update();
}

// --- preview and selection ---

QSizeF Cropping_Tool::originalImageRatio() const { return Modified_image->originalImageRatio(); }

void Cropping_Tool::Load_Image_File(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        User_Picture_PREVIEW = User_Picture = QImage();
        Modified_image->setImage(QImage());
    } else {
        User_Picture_PREVIEW = pictureServices().Get_Image_For_Path(path, false);
        Update_Image_With_Settings(true);
        if (croping_selection == CropByRectangle) {
            Show_hide_Crop_Selection(true);
            const QRectF r = canvasController->currentSelector()->frame();
            const QSizeF ratio = originalImageRatio();
            const QPointF origin(r.x() / ratio.width(), r.y() / ratio.height());
            if (!QRectF(QPointF(0, 0), QSizeF(User_Picture.size())).contains(origin)) {
                const QRectF c = canvasController->canvasFrame();
                canvasController->removeAllSelectorsFromCanvas();
                canvasController->addSelectorWithFrame(
                    QRectF(c.width() - r.width(), c.height() - r.height(), r.width(), r.height()));
                Show_hide_Crop_Selection(true);
            }
        }
    }
    Check_And_Set_Selection(false);
}

ImageAdjustments Cropping_Tool::Current_Adjustments() const
{
    int positions[9];
    bool ticked[5];
    for (int i = 0; i < 9; ++i)
        positions[i] = sliders[i]->value();
    for (int i = 0; i < 5; ++i)
        ticked[i] = checks[i]->isChecked();
    return Adjustments_From_Controls(positions, ticked);
}

void Cropping_Tool::Update_Image_With_Settings(bool)
{
    const ImageAdjustments a = Current_Adjustments();
    // The flips belong to this picture only; the other editors keep theirs.
    const bool flipH = IMG_Flip_H, flipV = IMG_Flip_V;
    Store_Image_Adjustments(a);
    IMG_Flip_H = flipH;
    IMG_Flip_V = flipV;
    User_Picture = Adjusted_Crop_Picture(User_Picture_PREVIEW, a);
    Modified_image->setImage(User_Picture);
}

void Cropping_Tool::Reset_Image_Editing_Controls()
{
    for (QCheckBox *check : checks) {
        const QSignalBlocker block(check);
        check->setChecked(false);
    }
    for (int i = 0; i < 9; ++i) {
        const QSignalBlocker block(sliders[i]);
        sliders[i]->setValue(kSliders[i].position);
        sliderValues[i]->setText(QString::number(kSliders[i].position / kSliders[i].scale));
    }
}

void Cropping_Tool::Image_reset_Button()
{
    if (!platform::ui().yesNo(QStringLiteral("Are you sure you want to reset image settings?")))
        return;
    Reset_Image_Editing_Controls();
    Update_Image_With_Settings(true);
}

void Cropping_Tool::Show_hide_Crop_Selection(bool show)
{
    if (!canvasController->hasSelectors() || !canvasController->currentSelector())
        canvasController->addSelectorWithFrame(QRectF(10, 10, 100, 100));
    for (MSSSelector *s : canvasController->selectors())
        s->Set_selector_show_or_not(show);
    MSSSelector *current = canvasController->currentSelector();
    if (show) {
        canvasController->markAllSelected(true);
        current->Set_Selector_frame(canvasController->selectors().back()->frame());
    }
    current->Set_selector_show_or_not(show);
    canvas->update();
}

void Cropping_Tool::Check_And_Set_Selection(bool renderAgain)
{
    if (renderAgain)
        Update_Image_With_Settings(true);
    const bool face = croping_selection == CropByFace;
    cropping_wid_size->setEnabled(croping_selection == CropBySize);
    extend_face_box->setEnabled(false);
    if (croping_selection == CropByRectangle)
        return Show_hide_Crop_Selection(true);
    Show_hide_Crop_Selection(false);
    if (!face)
        return;
    Find_Face_Function_In_Image();
    extend_face_box->setEnabled(Find_Face);
    if (!Find_Face && !Crop_All_Thread_Running && !User_Picture.isNull())
        Show_MessageBox(kNoFace);
}

void Cropping_Tool::Find_Face_Function_In_Image()
{
    Find_Face = false;
    if (!faceDetector || !faceDetector->available()) {
        Show_MessageBox(QStringLiteral("Face detection is not available: the face cascade file is not installed."));
        return;
    }
    const auto face = User_Picture.isNull() ? std::nullopt : Find_Face_In_Image(User_Picture, *faceDetector);
    if (!face)
        return Show_hide_Crop_Selection(false);
    Find_Face = true;
    Find_Face_Rect = *face;
    Face_Rect_Draw_Function();
}

void Cropping_Tool::Face_Rect_Draw_Function()
{
    if (!Find_Face || User_Picture.isNull())
        return;
    Crop_Rect = Face_Selection(Find_Face_Rect, User_Picture.height(), Face_Size_Stepper->value(), originalImageRatio());
    Show_hide_Crop_Selection(false);
    canvasController->currentSelector()->Set_Selector_frame(Crop_Rect);
    for (MSSSelector *s : canvasController->selectors())
        s->Set_Selector_frame(Crop_Rect);
    Show_hide_Crop_Selection(true);
    placedFaceFrame = Crop_Rect;
    placedFaceCanvas = canvasController->canvasFrame().size();
}

// --- sizes ---

void Cropping_Tool::sizeTyped(QLineEdit *field, QSpinBox *stepper)
{
    // While typing, the text is held to five characters and the stepper's highest size only;
    // what is not yet a size (empty, "0", "1.") stays as typed and is settled when the field is left.
    if (!field->property(kSizeBeforeTyping).isValid())
        field->setProperty(kSizeBeforeTyping, stepper->value());
    QString t = platform::First_Characters(field->text().trimmed(), 5);
    const std::optional<double> typed = platform::Typed_Whole_Number(t);
    if (typed && *typed > stepper->maximum())
        t = QString::number(stepper->maximum());
    if (t != field->text())
        field->setText(t);
    const QSignalBlocker block(stepper);
    stepper->setValue(sizeInForce(field, stepper));
}

int Cropping_Tool::sizeInForce(const QLineEdit *field, const QSpinBox *stepper) const
{
    if (const std::optional<int> typed = Typed_Crop_Size(field->text()))
        return *typed;
    const QVariant before = field->property(kSizeBeforeTyping);
    return before.isValid() ? before.toInt() : stepper->value();
}

void Cropping_Tool::Width_Changed() { sizeTyped(width_Text, width_Stepper); }
void Cropping_Tool::Height_Changed() { sizeTyped(height_Text, height_Stepper); }

void Cropping_Tool::Extend_Face_Size_Changed() { Face_Rect_Draw_Function(); }

// --- crops ---

QString Cropping_Tool::Cropped_File_Name() { return naming.next(Crop_Input_Path); }

bool Cropping_Tool::selectionFrame(QRectF *frame) const
{
    if (!canvasController->hasSelectors())
        return false;
    *frame = canvasController->selectors().back()->frame();
    return true;
}

CropSettings Cropping_Tool::Current_Crop_Settings() const
{
    CropSettings s;
    s.kind = croping_selection;
    s.selection = Crop_Rect;
    s.drawing = Modified_image->drawingRect().size();
    s.scaling = Modified_image->imageScaling();
    s.facePercent = Face_Size_Stepper->value();
    s.width = sizeInForce(width_Text, width_Stepper);
    s.height = sizeInForce(height_Text, height_Stepper);
    s.keepAspect = aspect_ratio_chk->isChecked();
    s.adjustments = Current_Adjustments();
    s.detector = faceDetector;
    return s;
}

QImage Cropping_Tool::currentCropSource() const
{
    // A camera frame is shown at its own resolution already.
    if (input_selection == SourceCamera)
        return {};
    return Prepare_Crop_Source(Crop_Input_Path, Current_Adjustments(), User_Picture_PREVIEW.size());
}

void Cropping_Tool::Crop_Single_Image_Clicked()
{
    if (User_Picture.isNull())
        return Show_MessageBox(kNoImage);
    if (croping_selection == CropByRectangle && !selectionFrame(&Crop_Rect))
        return Show_MessageBox(kSelectArea);
    if (croping_selection == CropByFace && !Find_Face) {
        Show_hide_Crop_Selection(false);
        return Show_MessageBox(kNoFace);
    }
    if (croping_selection != CropBySize)
        selectionFrame(&Crop_Rect);
    Create_Folder(Crop_Output_Path);
    CropSettings settings = Current_Crop_Settings();
    settings.kind = croping_selection == CropBySize ? CropBySize : CropByRectangle;  // the face is the selection now
    showWaitSheet(true);
    const QImage cropped = Crop_Picture(User_Picture, settings, currentCropSource());
    const QString written = cropped.isNull() ? QString() : Write_Full_Tool_Crop(cropped, Cropped_File_Name(), Ask_Keep_Or_Replace());
    showWaitSheet(false);
    if (!written.isEmpty())
        croped_file = written;
    Export_File_Message = kCropped;
    Open_Export_File_Box(written, false);
}

// A large picture takes a moment to adjust, cut and write: the please-wait sheet says so.
void Cropping_Tool::showWaitSheet(bool shown)
{
    if (!plz_wait_sheet)
        plz_wait_sheet = new Plz_Wait_Sheet(this);
    if (!shown)
        return plz_wait_sheet->Hide_Destroy_Modeless();
    plz_wait_sheet->Show_Create_Modeless();
}

void Cropping_Tool::Open_Export_File_Box(const QString &path, bool folder)
{
    Crop_All_Thread_Running = false;
    if (path.isEmpty())
        return;
    bool open = false;
    // Where the crops went, so they can be found however the box is left.
    platform::ui().notice(Export_File_Message + QLatin1Char('\n') + QDir::toNativeSeparators(path), {QStringLiteral("OK")},
                          folder ? QStringLiteral("Open containing folder.") : QStringLiteral("Open file."), &open);
    if (open)
        platform::Open_Or_Explain(path);
}

void Cropping_Tool::Crop_Direct_Image_Clicked()
{
    if (croping_selection == CropByRectangle && !selectionFrame(&Crop_Rect))
        return Show_MessageBox(kSelectArea);
    if (crop_direct == CropDirectFile) {
        Crop_Output_Path = Cropped_Img_Path;
        Create_Folder(Cropped_Img_Path);
        Crop_Direct_Path = Check_Exist_Path_and_Create_New(QDir(Cropped_Img_Path).filePath(QFileInfo(Crop_Input_Path).fileName()));
        CropSettings settings = Current_Crop_Settings();
        settings.kind = CropByRectangle;
        showWaitSheet(true);
        const QImage cropped = User_Picture.isNull() ? QImage() : Crop_Picture(User_Picture, settings, currentCropSource());
        const bool saved = !cropped.isNull() && Save_gen_image(cropped, Crop_Direct_Path);
        showWaitSheet(false);
        // Only a file really written counts as a crop the caller may point its control at.
        if (!saved) {
            Crop_Direct_Path.clear();
            return Show_MessageBox(kNoImage);
        }
        croped_file = Crop_Direct_Path;
        const bool groupColumn = Start_Card_Option == QLatin1String("G") && ctrl_data_source_type == 2;
        Export_File_Message = groupColumn ? kCropped + QStringLiteral("\n\nPlease click on 'Save Details' button to "
                                                                      "update your changes in your project data.")
                                          : kCropped;
        return Close_Box_With_OK();
    }
    if (crop_direct == CropFullTool)
        return;
    const QString question = crop_direct == CropDirectSeries
                                 ? QStringLiteral("This action will create new batch series with all new cropped "
                                                  "images.\nAre you sure you want to continue?")
                                 : QStringLiteral("This action will create new excel column with all new cropped "
                                                  "images.\nAre you sure you want to continue?");
    if (!platform::ui().yesNo(question))
        return;
    Crop_Output_Path = Cropped_Img_Path;
    startBatch();
}

void Cropping_Tool::Crop_All_Clicked()
{
    Crop_All_Thread_Running = false;
    startBatch();
}

void Cropping_Tool::startBatch()
{
    if (Crop_All_Thread_Running || worker.joinable())
        return;
    const int kind = croping_selection;
    if (kind == CropByRectangle && !selectionFrame(&Crop_Rect))
        return Show_MessageBox(kSelectArea);
    if (kind == CropByFace && !Find_Face)
        return Show_hide_Crop_Selection(false);
    if (kind != CropBySize)
        selectionFrame(&Crop_Rect);

    BatchCropPlan plan;
    plan.inputs = ListData;
    plan.target = crop_direct;
    plan.naming = naming;
    plan.settings = Current_Crop_Settings();
    plan.outputFolder = Crop_Output_Path;
    runSeries = {};
    if (input_selection == SourceSeries) {
        const QString chosen = batch_list->currentIndex() > 0 ? batch_list->currentText() : QString();
        runSeries = Plan_Batch_Series(chosen, crop_direct == CropFullTool && batch_matrix->checkedId() == 1);
        if (!Create_Folder(Data_Folder_Path) && !QFileInfo(Data_Folder_Path).isDir())
            return Show_MessageBox(QStringLiteral("Error in series file accessing."));
        if (crop_direct == CropDirectSeries) {
            Crop_Direct_Series = runSeries.name;
            plan.outputFolder = QDir(Crop_Output_Path).filePath(runSeries.name);
        }
    } else if (input_selection == SourceColumn) {
        plan.outputFolder = QDir(Crop_Output_Path).filePath(Batch_Column_Title(*Data_From_Excel::defaultInstance()));
    }

    const int count = int(plan.inputs.size());
    _Curr_Progress->setRange(0, count);
    _Curr_Progress->setValue(0);
    _tot_msg_cnt->setText(QString::number(count));
    _curr_msg_cnt->setText(QStringLiteral("%1 / %2").arg(0).arg(count));
    Send_Models_Window->show();
    Show_hide_Crop_Selection(false);
    batch.stopRequested = false;
    batch.current = 0;
    // The question names a file the run writes: the list marks the picture it comes from, and the
    // preview shows that picture, not the one shown before the run.
    batch.askExisting = Ask_Keep_Or_Replace([this] {
        Mark_List_New_Selection(batch.current - 1);
        showListedPicture();
    });
    Crop_All_Thread_Running = true;
    msend_modTimer->start();
    worker = std::thread([this, plan = std::move(plan)]() mutable {
        QString error;
        try {
            batch.Run(std::move(plan));
        } catch (const std::exception &e) {
            error = QString::fromUtf8(e.what());
        } catch (...) {
            error = QStringLiteral("Unknown error.");
        }
        const QStringList entries = batch.entries();
        const bool completed = error.isEmpty() && batch.completed();
        const int named = batch.naming().crop_num;
        const int total = batch.total;
        QMetaObject::invokeMethod(
            this,
            [this, entries, completed, error, named, total] {
                // The run named its files from a copy of the window's count: the next crop
                // carries on after the names it wrote.
                naming.crop_num = named;
                // A Stop pressed just as the run ended: its question is answered before the end
                // steps, so the result box never opens over it.
                batch.hold->afterAnswer([tool = QPointer<Cropping_Tool>(this), entries, completed, error, total] {
                    if (tool)
                        tool->finishBatch(entries, completed, error, total);
                });
            },
            Qt::QueuedConnection);
    });
}

void Cropping_Tool::tick()
{
    const int current = batch.current, total = batch.total;
    _Curr_Progress->setValue(current);
    _curr_msg_cnt->setText(QStringLiteral("%1 / %2 ").arg(current).arg(total));
    Mark_List_New_Selection(current - 1);
}

void Cropping_Tool::Stop_Sending_Pressed()
{
    if (!Crop_All_Thread_Running || batch.hold->holding())
        return;
    // The run waits while the user makes up their mind: "Yes" must not come after every
    // picture was written anyway.
    const QPointer<Cropping_Tool> alive(this);
    RunHold::whileAsking(batch.hold, [&] {
        // The window gone while asking: its end stopped and released the run.
        if (platform::ui().yesNo(QStringLiteral("Are you sure you want to stop?")) && alive)
            batch.stopRequested = true;
    });
}

void Cropping_Tool::reject()
{
    // Closing the window does not leave a run going behind it: Stop ends a run.
    if (Crop_All_Thread_Running)
        return;
    QDialog::reject();
}

void Cropping_Tool::finishBatch(const QStringList &entries, bool completed, const QString &error, int total)
{
    if (worker.joinable())
        worker.join();
    // The end steps run whatever the run's outcome.
    msend_modTimer->stop();
    tick();
    // The list ends on the last picture worked: the preview shows that one too. Loaded while the
    // run still counts as running, so a picture without a face is not reported once more.
    if (error.isEmpty())
        showListedPicture();
    Send_Models_Window->hide();
    Crop_All_Thread_Running = false;
    if (croping_selection == CropByRectangle || (croping_selection == CropByFace && Find_Face))
        Show_hide_Crop_Selection(true);
    for (const QString &entry : entries)
        if (!entry.isEmpty())
            croped_file = entry;

    if (input_selection == SourceSeries) {
        if (!Record_Batch_Series(runSeries, entries, completed))
            Show_MessageBox(QStringLiteral("Error in series file accessing."));
        fillSeriesCombo(batch_list->currentText());
    } else if (input_selection == SourceColumn) {
        Crop_New_Excel_Col_Index = Record_Batch_Column(*Data_From_Excel::defaultInstance(), entries);
        Crop_New_Excel_Col_Name = Data_From_Excel::keyOf(Crop_New_Excel_Col_Index);
    }
    if (!error.isEmpty())
        return Show_MessageBox(error);
    const auto written = std::count_if(entries.begin(), entries.end(), [](const QString &e) { return !e.isEmpty(); });
    const bool any = written > 0;
    // A stopped run says how far it got: the folder then holds only part of the pictures.
    Export_File_Message = completed ? kCropped
                                    : QStringLiteral("Cropping was stopped: %1 of %2 images have been cropped.")
                                          .arg(written)
                                          .arg(total);
    if (crop_direct == CropFullTool)
        Open_Export_File_Box(any ? Crop_Output_Path : QString(), true);
    else
        Close_Box_With_OK();
}

// --- closing ---

void Cropping_Tool::Close_Box_With_OK()
{
    done(1);
    Show_MessageBox(Export_File_Message);
}

void Cropping_Tool::Close_Box_With_Cancel() { done(0); }
void Cropping_Tool::Close_Direct_Image_Clicked() { Close_Box_With_Cancel(); }

void Cropping_Tool::Cancel_Btn_Clicked()
{
    if (Crop_All_Thread_Running)
        return;
    Stop_Camera_Reading();
    stop_or_continue = 0;
    Clear_Camera_Objects();
    done(0);
}

void Cropping_Tool::Open_Output_Folder_Clicked() { platform::Open_Or_Explain(output_path->text().trimmed()); }
