// The cropping tool: ratios and face rectangles, the crop kinds, a real face found by the
// cascade, the direct file crop through the window, and batches with their series.
#include "HoldingDetector.h"
#include "Press.h"
#include "TestSupport.h"
#include "core/Globals.h"
#include "data/SeriesFiles.h"
#include "data/export/ExportDialogs.h"
#include "data/SeriesWindow.h"
#include "data/SeriesViewer.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "imaging/BatchCrop.h"
#include "imaging/Cropping_Tool.h"
#include "imaging/MSSCanvas.h"
#include "imaging/MSSScaledImage.h"
#include "platform/MainThread.h"
#include "platform/UiServices.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QDir>
#include <QImageReader>
#include <QFileInfo>
#include <QSlider>
#include <QLineEdit>
#include <QComboBox>
#include <QCheckBox>
#include <QButtonGroup>
#include <QGroupBox>
#include <QTableWidget>
#include <QFile>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <atomic>
#include <functional>
#include <future>
#include <optional>
#include <stdexcept>
#include <sys/stat.h>

namespace {
// A drawn face the frontal-face cascade takes for one: hair, skin, brows, eyes, nose, mouth.
void drawFace(QPainter &p, const QRectF &f)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    auto at = [&](double x, double y, double w, double h) {
        return QRectF(f.x() + f.width() * x, f.y() + f.height() * y, f.width() * w, f.height() * h);
    };
    p.setBrush(QColor(40, 25, 15));
    p.drawEllipse(at(-0.08, -0.12, 1.16, 0.75));
    p.setBrush(QColor(225, 180, 150));
    p.drawEllipse(at(0, 0.05, 1, 0.98));
    p.setBrush(QColor(50, 30, 20));
    p.drawRect(at(0.17, 0.325, 0.22, 0.04));
    p.drawRect(at(0.61, 0.325, 0.22, 0.04));
    for (double x : {0.17, 0.61}) {
        p.setBrush(Qt::white);
        p.drawEllipse(at(x, 0.355, 0.22, 0.09));
        p.setBrush(QColor(30, 20, 15));
        p.drawEllipse(at(x + 0.08, 0.36, 0.06, 0.08));
    }
    p.setBrush(QColor(170, 120, 95));
    p.drawEllipse(at(0.43, 0.60, 0.14, 0.06));
    p.setBrush(QColor(150, 60, 60));
    p.drawEllipse(at(0.33, 0.74, 0.34, 0.07));
}

QImage canvasPicture(int w, int h, QColor colour = QColor(60, 70, 90))
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Answers the same face for every picture at least 400 pixels wide, none for smaller ones.
// The options screen filled as a user does, then Next: the input, its path, the output folder.
void chooseInput(Cropping_Tool &tool, int input, const QString &path, const QString &out)
{
    testsupport::press(tool.findChild<QButtonGroup *>("input_option_matrix")->button(input));
    testsupport::typeInto(tool.findChild<QLineEdit *>(input == SourceFolder ? "folder_path" : "file_path"), path,
                          Qt::Key_unknown);
    testsupport::typeInto(tool.findChild<QLineEdit *>("output_path"), out, Qt::Key_unknown);
    testsupport::press(tool.findChild<QPushButton *>("Next_Btn"));
}

struct FakeDetector : FaceDetector {
    std::vector<QRect> detect(const QImage &picture) override
    {
        if (picture.width() < 400)
            return {};
        return {QRect(200, 300, 100, 120), QRect(10, 10, 20, 20)};
    }
};

}  // namespace

TEST(Crop, RatiosFacesAndSizes)
{
    const struct { QSizeF drawing, picture; int scaling; QSizeF ratio; } ratios[] = {
        {{500, 500}, {1000, 500}, MSSScaledImage::ProportionallyDown, {0.5, 0.5}},
        {{500, 500}, {250, 250}, MSSScaledImage::ProportionallyDown, {1, 1}},
        {{100, 100}, {200, 100}, MSSScaledImage::AxesIndependently, {0.5, 1}},
        {{500, 500}, {250, 125}, MSSScaledImage::ProportionallyUpOrDown, {2, 2}},
        {{500, 500}, {1000, 1000}, MSSScaledImage::ScaleNone, {1, 1}}};
    for (const auto &c : ratios)
        EXPECT_EQ(Display_Ratio(c.drawing, c.picture, c.scaling), c.ratio) << c.picture.width() << " " << c.scaling;

    const QRectF face(200, 300, 100, 120);
    EXPECT_EQ(Grow_Face_Rect(face, 20), QRectF(190, 288, 120, 144));
    EXPECT_EQ(Grow_Face_Rect(face, 0), face);
    // On a 1000 x 800 picture shown at half size the selection is the grown face, y upwards, halved.
    EXPECT_EQ(Face_Selection(face.toRect(), 800, 20, {0.5, 0.5}), QRectF(95, 184, 60, 72));

    const struct { double w, h; bool keep; QSize size; } sizes[] = {
        {300, 300, true, {300, 200}}, {300, 300, false, {300, 300}}, {-40, 50, false, {1, 50}}, {0, 20000, false, {1, 10000}}};
    for (const auto &c : sizes)
        EXPECT_EQ(Crop_By_Size(canvasPicture(1200, 800), c.w, c.h, c.keep).size(), c.size) << c.w << "x" << c.h;

    // The selection counts from the lower-left corner: its lower-left quarter is the red one.
    QImage quarters = canvasPicture(400, 400, Qt::blue);
    QPainter(&quarters).fillRect(0, 200, 200, 200, Qt::red);
    const QImage cut = Crop_By_Selection(quarters, QRectF(0, 0, 100, 100), {0.5, 0.5});
    EXPECT_EQ(cut.size(), QSize(200, 200));
    EXPECT_EQ(cut.pixelColor(100, 100), QColor(Qt::red));
    EXPECT_TRUE(Crop_By_Selection(quarters, QRectF(10, 10, 0, 50), {1, 1}).isNull()) << "no area, no picture";
}

TEST(Crop, CascadeFindsTheLargerDrawnFaceAndCropsAroundIt)
{
    ASSERT_FALSE(Face_Cascade_Path().isEmpty()) << "opencv-data's frontal-face cascade (scripts/bootstrap)";
    auto detector = Make_Cascade_Face_Detector();
    ASSERT_TRUE(detector->available());
    QImage picture = canvasPicture(600, 500);
    const QRectF big(80, 100, 200, 250), small(430, 60, 110, 138);
    {
        QPainter p(&picture);
        drawFace(p, big);
        drawFace(p, small);
    }
    const auto face = Find_Face_In_Image(picture, *detector);
    ASSERT_TRUE(face.has_value());
    EXPECT_TRUE(face->contains(big.center().toPoint())) << face->x() << "," << face->y();
    EXPECT_FALSE(Find_Face_In_Image(canvasPicture(600, 500), *detector).has_value());

    CropSettings settings;
    settings.kind = CropByFace;
    settings.detector = detector;
    settings.drawing = {300, 300};
    settings.facePercent = 20;
    const QImage cut = Crop_Picture(picture, settings);
    EXPECT_NEAR(cut.width(), face->width() * 1.2, 1);
    const QColor middle = cut.pixelColor(cut.width() / 2, cut.height() * 3 / 5);
    EXPECT_GT(middle.red(), 150) << "skin at the crop's middle";
    EXPECT_GT(middle.red(), middle.blue() + 40);
}

TEST(Crop, DirectFileCropThroughTheWindow)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    Cropped_Img_Path = QDir(data.root()).filePath("Cropped_Images");
    QDir().mkpath(Cropped_Img_Path);
    const QString input = QDir(data.root()).filePath("a.png");
    ASSERT_TRUE(canvasPicture(10, 10).save(QDir(Cropped_Img_Path).filePath("a.png")));

    // The preview fits 500 pixels: a larger picture is cut at its own resolution.
    const struct { int side; bool drawn; int result; const char *file; } cases[] = {
        {400, true, 1, "a (1).png"}, {800, true, 1, "a (2).png"}, {400, false, 0, nullptr}};
    for (const auto &c : cases) {
        QImage source = canvasPicture(c.side, c.side, Qt::blue);
        QPainter(&source).fillRect(0, c.side / 2, c.side / 2, c.side / 2, Qt::red);  // lower-left quarter
        source.save(input);
        Cropping_Tool tool;
        tool.resize(1000, 700);
        ASSERT_TRUE(tool.Prepare_Direct_To_Crop(input));
        QApplication::processEvents();
        MSSCanvas *canvas = tool.findChild<MSSCanvas *>("canvas");
        ASSERT_FALSE(tool.findChild<QWidget *>("Croping_option_Box")->isVisible()) << "no other crop kind";
        const QSizeF ratio = tool.originalImageRatio();
        // Draw 80 by 70 picture points inside the red quarter, in widget coordinates (y downwards).
        const QPoint from(int(115 * ratio.width()), canvas->height() - int(120 * ratio.height()));
        const QPoint to(int(195 * ratio.width()), canvas->height() - int(190 * ratio.height()));
        QTest::mousePress(canvas, Qt::LeftButton, Qt::ControlModifier, from);  // a new rectangle
        QMouseEvent drag(QEvent::MouseMove, QPointF(to), canvas->mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton,
                         Qt::ControlModifier);
        QApplication::sendEvent(canvas, &drag);
        QTest::mouseRelease(canvas, Qt::LeftButton, Qt::ControlModifier, to);
        if (!c.drawn)  // a selection without area
            tool.canvasController->addSelectorWithFrame(QRectF(10, 10, 0, 40));
        testsupport::press(tool.findChild<QPushButton *>("Crop_direct_Btn"));
        EXPECT_EQ(tool.result(), c.result);
        if (c.file) {
            EXPECT_EQ(tool.Crop_Direct_Path, QDir(Cropped_Img_Path).filePath(c.file));
            const QImage cut(tool.Crop_Direct_Path);
            const double own = std::max(1.0, c.side / 500.0);
            EXPECT_NEAR(cut.width(), 80 * own, 3);
            EXPECT_NEAR(cut.height(), 70 * own, 3);
            EXPECT_EQ(cut.pixelColor(cut.width() / 2, cut.height() / 2), QColor(Qt::red));
            EXPECT_EQ(ui->messages().last().trimmed(), "Image has been cropped successfully.");
        } else {
            EXPECT_EQ(ui->messages().last().trimmed(), "There is no image to crop.");
            EXPECT_FALSE(QFileInfo::exists(QDir(Cropped_Img_Path).filePath("a (3).png")));
        }
    }
}

TEST(Crop, BatchesWriteSeriesAndStopBetweenPictures)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    Cropped_Img_Path = QDir(data.root()).filePath("Cropped_Images");
    QStringList pictures;
    for (int i = 0; i < 5; ++i) {
        pictures << QDir(data.root()).filePath(QStringLiteral("p%1.png").arg(i));
        canvasPicture(i == 3 ? 300 : 500, 500).save(pictures.last());
    }
    QDir().mkpath(Data_Folder_Path);
    ASSERT_TRUE(Write_Series_File(Series_File_Path("Staff"), pictures.mid(0, 3)));

    // The window's direct series crop: a new series beside the chosen one, one line a picture.
    {
        Cropping_Tool tool;
        ASSERT_TRUE(tool.Prepare_Direct_Crop_Series("Staff"));
        ui->push(true);
        testsupport::press(tool.findChild<QPushButton *>("Crop_direct_Btn"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !tool.Crop_All_Thread_Running; }, 10000));
        EXPECT_EQ(tool.result(), 1);
        EXPECT_EQ(tool.Crop_Direct_Series, "Staff (1)");
        const QStringList lines = Read_Series_Values(Series_File_Path("Staff (1)"));
        ASSERT_EQ(lines.size(), 3);
        for (const QString &line : lines)
            EXPECT_TRUE(line.startsWith(QDir(Cropped_Img_Path).filePath("Staff (1)/")) && QFileInfo::exists(line)) << line.toStdString();
    }

    // A run that fails still hides its progress sheet and ends.
    {
        struct Failing : FaceDetector {
            std::vector<QRect> detect(const QImage &) override { throw std::runtime_error("detector failed"); }
        };
        Cropping_Tool tool;
        ASSERT_TRUE(tool.Prepare_Direct_Crop_Series("Staff"));
        tool.faceDetector = std::make_shared<Failing>();
        tool.croping_selection = CropByFace;
        tool.Find_Face = true;
        ui->push(true);
        testsupport::press(tool.findChild<QPushButton *>("Crop_direct_Btn"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !tool.Crop_All_Thread_Running; }, 10000));
        EXPECT_FALSE(tool.findChild<QWidget *>("Send_Models_Window")->isVisible());
        EXPECT_EQ(ui->messages().last().trimmed(), "detector failed");
    }

    // Stop during picture 2 of 5: picture 2 is finished, no more; a replaced series stays.
    const QByteArray before = Series_File_Bytes(pictures.mid(0, 3));
    const struct { bool replace; int stopAt; int lines; } runs[] = {{true, 1, 3}, {false, 1, 2}, {false, 5, 5}};
    for (const auto &run : runs) {
        BatchCrop batch;
        batch.onPicture = [&](int index, const QString &) {
            if (index == run.stopAt)
                batch.stopRequested = true;
        };
        BatchCropPlan plan;
        plan.inputs = pictures;
        plan.target = CropDirectSeries;
        plan.outputFolder = QDir(data.root()).filePath(QStringLiteral("out%1%2").arg(run.replace).arg(run.stopAt));
        plan.settings.kind = CropByFace;
        plan.settings.facePercent = 20;
        plan.settings.detector = std::make_shared<FakeDetector>();
        const QStringList entries = batch.Run(plan);
        const int worked = std::min(run.stopAt + 1, 5);
        ASSERT_EQ(entries.size(), worked);
        EXPECT_EQ(QDir(plan.outputFolder).entryList(QDir::Files).size(), worked - (worked > 3 ? 1 : 0));
        EXPECT_EQ(QImage(entries.first()).size(), QSize(120, 144)) << "the largest face, grown by a fifth";
        if (worked > 3) {
            EXPECT_EQ(entries.at(3), "") << "no face, no file, an empty entry";
        }
        const BatchSeriesOutput series = Plan_Batch_Series("Staff", run.replace);
        ASSERT_TRUE(Record_Batch_Series(series, entries, batch.completed()));
        QFile file(series.path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(bytes.count('\n'), run.lines);
        if (run.replace) {
            EXPECT_EQ(bytes, before) << "a stopped run keeps the old series";
        }
    }

    Data_From_Excel table;
    for (int i = 0; i < 3; ++i)
        table.appendColumn(QStringLiteral("c%1").arg(i));
    table.Create_List_By_Array({"1", "x", "y", "z"}, 4);
    EXPECT_EQ(Record_Batch_Column(table, {"/c/a.png"}), 4);
    EXPECT_EQ(table.ColList.at(4).title, "Column 5");
    EXPECT_EQ(table.Get_Item_Text(0, 4), "/c/a.png");
}

// Cropped files and cropped series take the shared free-name rule: a numbered name counts on
// from its own number, and extensions are lower-cased.
TEST(Crop, CroppedFilesAndSeriesTakeTheNextFreeName)
{
    testsupport::TempDataFolder data;
    const QDir out(QDir(data.root()).filePath("out"));
    QDir().mkpath(out.path());
    QDir().mkpath(Data_Folder_Path);
    for (const char *taken : {"a.png", "a (1).png", "b.png"})
        ASSERT_TRUE(canvasPicture(40, 40).save(out.filePath(taken)));
    const QImage face = canvasPicture(40, 40, Qt::red);
    const struct {
        const char *input, *written;
    } files[] = {{"a.png", "a (2).png"}, {"a (1).png", "a (2).png"}, {"C.PNG", "C.png"}, {"b.png", "b (1).png"}};
    for (const auto &f : files) {
        SCOPED_TRACE(f.input);
        const QString input = QDir(data.root()).filePath(f.input);
        ASSERT_TRUE(face.save(input, "PNG"));
        BatchCropPlan plan;
        plan.inputs = {input};
        plan.target = CropDirectSeries;
        plan.outputFolder = out.path();
        plan.settings.kind = CropBySize;
        plan.settings.width = 20;
        plan.settings.height = 20;
        BatchCrop batch;
        const QStringList entries = batch.Run(plan);
        ASSERT_EQ(entries.size(), 1);
        EXPECT_EQ(entries.first(), out.filePath(f.written));
        EXPECT_TRUE(QFileInfo::exists(entries.first()));
        QFile::remove(entries.first());
    }
    for (const char *series : {"Staff", "Staff (1)"})
        ASSERT_TRUE(Write_Series_File(Series_File_Path(series), QStringList{"x"}));
    const struct {
        const char *chosen, *made;
    } names[] = {{"Staff", "Staff (2)"}, {"Staff (1)", "Staff (2)"}, {"Guests", "Guests"}};
    for (const auto &n : names)
        EXPECT_EQ(Plan_Batch_Series(n.chosen, false).name, QString::fromLatin1(n.made)) << n.chosen;
}

// The options screen refuses what is missing, one message each, and lists a folder's pictures.
TEST(Crop, OptionsScreenMessagesAndFolderListing)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    const QDir root(data.root());
    QDir().mkpath(root.filePath("pictures"));
    QDir().mkpath(root.filePath("empty"));
    QDir().mkpath(root.filePath("out"));
    for (const char *name : {"a.png", "b.JPG", "c.gif"})
        ASSERT_TRUE(canvasPicture(60, 40).save(root.filePath(QStringLiteral("pictures/%1").arg(name)), "PNG"));
    for (const char *name : {"notes.txt", "d.png.txt"})
        QFile(root.filePath(QStringLiteral("pictures/%1").arg(name))).open(QIODevice::WriteOnly);
    QDir().mkpath(root.filePath("pictures/e.png"));  // a folder, not a picture
    const struct {
        int input;
        const char *file, *folder, *output, *customName;
        bool custom;
        const char *message;  // nullptr: the crop screen opens
    } steps[] = {
        {SourceFile, "", "", "out", "", false, "Please select input image file path."},
        {SourceFolder, "", "", "out", "", false, "Please select input folder path."},
        {SourceSeries, "", "", "out", "", false, "Please select batch series."},
        {SourceFile, "pictures/a.png", "", "", "", false, "Please select output folder path."},
        {SourceFile, "pictures/a.png", "", "out", "", true, "Please select output file custom name."},
        {SourceFolder, "", "empty", "out", "", false,
         "The selected folder does not contains any image with supported extension."},
        {SourceFolder, "", "pictures", "out", "", false, nullptr},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.message ? s.message : "listing");
        Cropping_Tool tool;
        tool.Prepare_Full();
        testsupport::press(tool.findChild<QButtonGroup *>("input_option_matrix")->button(s.input));
        auto path = [&](const char *relative) { return *relative ? root.filePath(relative) : QString(); };
        // Only the fields on show for the input chosen are typed into, as a user can.
        for (const auto &[name, typed] : {std::pair{"file_path", path(s.file)}, {"folder_path", path(s.folder)},
                                          {"output_path", path(s.output)}})
            if (!typed.isEmpty())
                testsupport::typeInto(tool.findChild<QLineEdit *>(name), typed, Qt::Key_unknown);
        testsupport::press(tool.findChild<QButtonGroup *>("output_option_matrix")->button(s.custom ? 1 : 0));
        if (s.custom)  // the name offered emptied, or typed over
            testsupport::typeInto(tool.findChild<QLineEdit *>("output_custom_name"), *s.customName ? s.customName : "\b",
                                  Qt::Key_unknown);
        ui->clear();
        testsupport::press(tool.findChild<QPushButton *>("Next_Btn"));
        if (s.message) {
            EXPECT_EQ(ui->messages().join("|").trimmed(), QString::fromLatin1(s.message));
            EXPECT_FALSE(tool.findChild<QWidget *>("Crop_Screen_Box")->isVisibleTo(&tool));
        } else {
            EXPECT_TRUE(ui->messages().isEmpty()) << ui->messages().join("|").toStdString();
            QStringList listed;
            for (const QString &entry : tool.ListData)
                listed << QFileInfo(entry).fileName();
            listed.sort();
            EXPECT_EQ(listed, (QStringList{"a.png", "b.JPG", "c.gif"}));
            EXPECT_TRUE(tool.findChild<QWidget *>("Crop_Screen_Box")->isVisibleTo(&tool));
        }
    }
}

// The adjustments start at their defaults in every entry, and Reset (after Yes) brings them back
// and renders the picture as loaded; No keeps them.
TEST(Crop, AdjustmentsStartAtTheirDefaultsAndReset)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    const QString input = QDir(data.root()).filePath("a.png");
    QImage source = canvasPicture(200, 100, QColor(200, 40, 40));
    ASSERT_TRUE(source.save(input));
    Cropping_Tool tool;
    ASSERT_TRUE(tool.Prepare_Direct_To_Crop(input));
    EXPECT_EQ(tool.Current_Adjustments(), ImageAdjustments{});
    const QImage loaded = tool.User_Picture;
    testsupport::press(tool.findChild<QCheckBox *>("Image_Gray_Scale_chk"));
    auto *brightness = tool.findChild<QSlider *>("Brt_slidr");
    brightness->setFocus();
    QTest::keyClick(brightness, Qt::Key_End);
    ASSERT_NE(tool.Current_Adjustments(), ImageAdjustments{});
    ASSERT_NE(tool.User_Picture, loaded);
    QPushButton *reset = nullptr;
    for (QPushButton *b : tool.findChildren<QPushButton *>())
        reset = b->text() == "Reset" ? b : reset;
    ui->push(false);
    testsupport::press(reset);
    EXPECT_NE(tool.Current_Adjustments(), ImageAdjustments{});
    ui->push(true);
    testsupport::press(reset);
    EXPECT_EQ(tool.Current_Adjustments(), ImageAdjustments{});
    EXPECT_EQ(tool.User_Picture, loaded);
    // A new entry starts from the defaults whatever the last one left.
    testsupport::press(tool.findChild<QCheckBox *>("Image_Sepia_chk"));
    ASSERT_TRUE(tool.Prepare_Direct_To_Crop(input));
    EXPECT_EQ(tool.Current_Adjustments(), ImageAdjustments{});
}

// "No face detected." comes once when the face kind finds none, again for a crop asked for
// anyway, and never from a batch, which ends without a word.
TEST(Crop, NoFaceIsToldOnceAndNeverByABatch)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    const QDir root(data.root());
    QDir().mkpath(root.filePath("pictures"));
    for (const char *name : {"a.png", "b.png"})
        ASSERT_TRUE(canvasPicture(300, 200).save(root.filePath(QStringLiteral("pictures/%1").arg(name))));
    Cropping_Tool tool;
    tool.Prepare_Full();
    tool.faceDetector = std::make_shared<FakeDetector>();  // no face in pictures under 400 pixels
    chooseInput(tool, SourceFolder, root.filePath("pictures"), root.filePath("out"));
    ui->clear();
    testsupport::press(tool.findChild<QButtonGroup *>("cropping_option_matrix")->button(CropByFace));
    EXPECT_EQ(ui->messages().count("\nNo face detected."), 1) << ui->messages().join("|").toStdString();
    testsupport::press(tool.findChild<QPushButton *>("crop_all_btn"));
    EXPECT_EQ(ui->messages().count("\nNo face detected."), 1);
    EXPECT_FALSE(tool.Crop_All_Thread_Running);
    EXPECT_FALSE(QDir(root.filePath("out")).exists() && !QDir(root.filePath("out")).isEmpty());
    testsupport::press(tool.findChild<QPushButton *>("crop_btn"));
    EXPECT_EQ(ui->messages().count("\nNo face detected."), 2);
    // While a batch runs, a picture without a face says nothing.
    tool.Crop_All_Thread_Running = true;
    tool.Mark_List_New_Selection(1);
    tool.Check_And_Set_Selection(true);
    tool.Crop_All_Thread_Running = false;
    EXPECT_EQ(ui->messages().count("\nNo face detected."), 2);
}

// The single crop and the direct file crop run under the please-wait sheet, gone once done; the
// series viewer button asks for a series first.
TEST(Crop, CropsRunUnderThePleaseWaitSheetAndTheViewerAsksForASeries)
{
    struct ShowCount : QObject {
        int shown = 0;
        bool eventFilter(QObject *, QEvent *e) override
        {
            shown += e->type() == QEvent::Show;
            return false;
        }
    };
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    const QDir root(data.root());
    Cropped_Img_Path = root.filePath("Cropped_Images");
    const QString input = root.filePath("a.png");
    ASSERT_TRUE(canvasPicture(300, 200).save(input));
    for (const bool direct : {true, false}) {
        SCOPED_TRACE(direct);
        Cropping_Tool tool;
        tool.plz_wait_sheet = new Plz_Wait_Sheet(&tool);
        ShowCount counter;
        tool.plz_wait_sheet->installEventFilter(&counter);
        if (direct) {
            ASSERT_TRUE(tool.Prepare_Direct_To_Crop(input));
        } else {
            tool.Prepare_Full();
            chooseInput(tool, SourceFile, input, root.filePath("out"));
        }
        tool.canvasController->addSelectorWithFrame(QRectF(10, 10, 50, 40));
        testsupport::press(tool.findChild<QPushButton *>(direct ? "Crop_direct_Btn" : "crop_btn"));
        EXPECT_EQ(counter.shown, 1);
        EXPECT_FALSE(tool.plz_wait_sheet->isVisible());
        EXPECT_TRUE(QFileInfo(direct ? tool.Crop_Direct_Path : tool.croped_file).isFile());
    }
    QDir().mkpath(Data_Folder_Path);
    ASSERT_TRUE(Write_Series_File(Series_File_Path("Staff"), QStringList{input}));
    QStringList viewed;
    const SeriesModalRunner previous = Set_Series_Modal_Runner([&](QDialog &d) {
        if (auto *viewer = qobject_cast<View_Data_Series *>(&d))
            viewed << viewer->file_name;
        return 1;
    });
    Cropping_Tool tool;
    tool.Prepare_Full();
    testsupport::press(tool.findChild<QButtonGroup *>("input_option_matrix")->button(SourceSeries));
    auto *view = tool.findChild<QPushButton *>("View_batch_Series_Button");
    ASSERT_NE(view, nullptr);
    ui->clear();
    testsupport::press(view);
    EXPECT_EQ(ui->messages(), QStringList{"\nPlease select the series."});
    tool.findChild<QComboBox *>("batch_list")->setCurrentText("Staff");
    testsupport::press(view);
    EXPECT_EQ(viewed, QStringList{"Staff"});
    Set_Series_Modal_Runner(previous);
}

// The tool's View Series… shows the chosen series, or the spreadsheet table when it crops a
// column, as the property panel's does: on the options screen of the full tool, and on the crop
// screen of a direct series or column crop, which skips the options.
TEST(Crop, ViewSeriesShowsTheSeriesOrTheTable)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    QDir().mkpath(Data_Folder_Path);
    ASSERT_TRUE(Write_Series_File(Series_File_Path("Faces"), QStringList{"a.png", "b.png"}));
    Data_From_Excel::defaultInstance()->fillFromSheet({{"Photo"}, {"x.png"}}, {0}, true);
    QStringList shown;
    const SeriesModalRunner previous = Set_Series_Modal_Runner([&shown](QDialog &w) {
        if (auto *viewer = qobject_cast<View_Data_Series *>(&w))
            shown << viewer->file_name + ":" + viewer->ListData.join(",");
        return 1;
    });
    {
        Cropping_Tool tool;
        tool.Prepare_Full();
        ASSERT_TRUE(testsupport::press(tool.findChild<QRadioButton *>("input_option_matrix_3")));
        tool.findChild<QComboBox *>("batch_list")->setCurrentText("Faces");
        testsupport::press(tool.findChild<QPushButton *>("View_batch_Series_Button"));
    }
    {
        Cropping_Tool tool;
        ASSERT_TRUE(tool.Prepare_Direct_Crop_Series("Faces"));
        testsupport::press(tool.findChild<QPushButton *>("View_direct_Series_Btn"));
    }
    {
        Cropping_Tool tool;
        tool.ctrl_data_source_type = 2;
        ASSERT_TRUE(tool.Prepare_Direct_Excel_Column("Photo", 1));
        testsupport::press(tool.findChild<QPushButton *>("View_direct_Series_Btn"));
    }
    {
        Cropping_Tool tool;  // a single picture has no series to show
        QImage(20, 20, QImage::Format_RGB32).save(Data_Folder_Path + "/one.png");
        ASSERT_TRUE(tool.Prepare_Direct_To_Crop(Data_Folder_Path + "/one.png"));
        EXPECT_FALSE(testsupport::unreachable(tool.findChild<QPushButton *>("View_direct_Series_Btn")).isEmpty());
    }
    Set_Series_Modal_Runner(previous);
    Data_From_Excel::defaultInstance()->Clear_Table();
    EXPECT_EQ(shown, QStringList({"Faces:a.png,b.png", "Faces:a.png,b.png"}));
    ASSERT_EQ(ui->requests().size(), 1u);
    EXPECT_EQ(ui->requests()[0].kind, "Data_From_Excel");
}

namespace {

// What the full tool shows a user on its crop screen for a folder, and how it says it is done:
// the list by file name, one field for the face's extension, an information box at the end.
TEST(Crop, TheCropScreenNamesItsFilesAndReportsSuccessAsInformation)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    const QString folder = QDir(data.root()).filePath("people");
    QDir().mkpath(folder);
    const QStringList names = {"alpha.png", "beta.png"};
    for (const QString &name : names)
        ASSERT_TRUE(canvasPicture(300, 300).save(QDir(folder).filePath(name)));

    Cropping_Tool tool;
    tool.Prepare_Full();
    chooseInput(tool, SourceFolder, folder, QDir(data.root()).filePath("out"));
    ASSERT_TRUE(tool.findChild<QWidget *>("Crop_Screen_Box")->isVisible()) << ui->messages().join('|').toStdString();

    auto *list = tool.findChild<QTableWidget *>("ColList");
    QStringList shown;
    for (int row = 0; row < list->rowCount(); ++row)
        for (int column = 0; column < list->columnCount(); ++column)
            shown << list->item(row, column)->text();
    EXPECT_EQ(shown, names);

    int fields = 0;
    for (QWidget *w : tool.findChild<QGroupBox *>("extend_face_box")->findChildren<QWidget *>())
        fields += qobject_cast<QAbstractSpinBox *>(w) || (qobject_cast<QLineEdit *>(w) && !qobject_cast<QAbstractSpinBox *>(w->parent()));
    EXPECT_EQ(fields, 1) << "one value, one field";

    testsupport::press(tool.findChild<QButtonGroup *>("cropping_option_matrix")->button(CropBySize));
    testsupport::press(tool.findChild<QPushButton *>("crop_all_btn"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !tool.Crop_All_Thread_Running; }, 10000));
    QStringList kinds;
    for (const auto &r : ui->requests())
        if (r.text.contains("cropped successfully"))
            kinds << r.kind;
    EXPECT_EQ(kinds, QStringList{"notice"});
}

// The finished box of the crop screen names what was written: the file of a single crop, the
// folder of a crop of all, and how far a stopped crop of all got. While the stop question is
// open the run writes nothing past the picture in hand; No goes on, Yes stops; the result box
// comes after the answer, never over the question.
TEST(Crop, TheFinishedBoxNamesWhatWasWritten)
{
    testsupport::TempDataFolder data;
    const QDir root(data.root());
    QDir().mkpath(root.filePath("pictures"));
    ASSERT_TRUE(canvasPicture(300, 300).save(root.filePath("pictures/a.png")));
    ASSERT_TRUE(canvasPicture(300, 300, Qt::yellow).save(root.filePath("pictures/b.png")));
    QDir().mkpath(root.filePath("many"));
    for (int i = 0; i < 6; ++i)
        ASSERT_TRUE(canvasPicture(120, 120).save(root.filePath(QStringLiteral("many/p%1.png").arg(i))));
    const QString out = root.filePath("out");
    const auto crops = [&] { return QDir(out).entryList({"*.jpg"}, QDir::Files).size(); };
    const struct {
        const char *name;
        // aWritten: a's crop is in the output folder, b.png on show; with a stop, the crop of
        // the picture in hand is there (kept on Yes, asked about once No is answered)
        bool all, aWritten;
        int stop = 0, inHand = 0;  // 'N', 'Y': Stop pressed during picture `inHand` of 6, answered so
        int files = 0, lastRow = 0;
        const char *box = "Image has been cropped successfully.";
    } cases[] = {{"single crop", false, false, 0, 0, 1, 0},
                 {"crop all", true, false, 0, 0, 2, 1},
                 {"crop all, a.jpg there", true, true, 0, 0, 2, 1},
                 {"crop all, stop answered No", true, false, 'N', 3, 6, 5},
                 {"crop all, stop answered Yes", true, false, 'Y', 3, 3, 2,
                  "Cropping was stopped: 3 of 6 images have been cropped."},
                 {"crop all, stop answered Yes during the last picture", true, false, 'Y', 6, 6, 5},
                 {"crop all, stop answered No, the picture in hand's crop there", true, true, 'N', 3, 6, 5},
                 {"crop all, stop answered Yes, the picture in hand's crop there", true, true, 'Y', 3, 3, 2,
                  "Cropping was stopped: 2 of 6 images have been cropped."}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(out).removeRecursively();
        if (c.aWritten) {
            const QString there = c.stop ? QStringLiteral("p%1.jpg").arg(c.inHand - 1) : QStringLiteral("a.jpg");
            ASSERT_TRUE(QDir().mkpath(out) && canvasPicture(10, 10).save(QDir(out).filePath(there)));
        }
        platform::ScopedScriptedUi ui;
        Cropping_Tool tool;
        tool.Prepare_Full();
        const auto holder = std::make_shared<HoldingDetector>(c.inHand);
        tool.faceDetector = holder;
        chooseInput(tool, SourceFolder, root.filePath(c.stop ? "many" : "pictures"), out);
        ASSERT_TRUE(tool.findChild<QWidget *>("Crop_Screen_Box")->isVisible()) << ui->messages().join('|').toStdString();
        testsupport::press(tool.findChild<QButtonGroup *>("cropping_option_matrix")->button(c.stop ? CropByFace : CropBySize));
        auto *list = tool.findChild<QTableWidget *>("ColList");
        if (c.aWritten && !c.stop) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1, 0)).center());
            ui->push(QStringList{"Replace"});
        }
        // The keep-or-replace question: the row the list marks and the centre of the preview.
        std::vector<std::pair<int, QColor>> asked;
        // The stop question held open: the picture in hand goes on, and the run waits (or runs on).
        std::optional<qsizetype> whileAsked;
        bool boxOverQuestion = false, questionOpen = false;
        ui->onRequest = [&](const platform::ScriptedUiServices::Request &r) {
            const QImage shown = tool.Modified_image->image();
            if (r.kind == "alert") {
                asked.emplace_back(list->currentRow(), shown.pixelColor(shown.width() / 2, shown.height() / 2));
                boxOverQuestion |= questionOpen;
            }
            if (r.kind == "yesNo" && !whileAsked) {
                holder->release();
                questionOpen = true;
                EXPECT_TRUE(QTest::qWaitFor([&] { return tool.Crop_All_Held() || crops() > c.inHand; }, 10000));
                questionOpen = false;
                whileAsked = crops();
                for (const auto &earlier : ui->requests())
                    boxOverQuestion |= earlier.kind == "notice";
            }
        };
        testsupport::press(tool.findChild<QPushButton *>(c.all ? "crop_all_btn" : "crop_btn"));
        if (c.stop) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return holder->reached.load(); }, 10000));
            ui->push(c.stop == 'Y');
            if (c.aWritten)
                ui->push(QStringList{"Replace"});
            testsupport::press(tool.findChild<QPushButton *>("_stop_btn"));
            EXPECT_EQ(whileAsked, c.inHand) << "nothing written past the picture in hand while asked";
            EXPECT_FALSE(boxOverQuestion);
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return !tool.Crop_All_Thread_Running; }, 10000));
        EXPECT_EQ(crops(), c.files);
        const bool asks = c.aWritten && c.stop != 'Y';
        EXPECT_EQ(asked, (asks ? decltype(asked){{c.stop ? c.inHand - 1 : 0, QColor(60, 70, 90)}} : decltype(asked){}));
        const QString written = c.all ? tool.Crop_Output_Path : tool.croped_file;
        ASSERT_TRUE(c.all ? QFileInfo(written).isDir() : QFileInfo(written).isFile()) << written.toStdString();
        QStringList notices;
        for (const auto &r : ui->requests())
            if (r.kind == "notice")
                notices << r.text;
        EXPECT_EQ(notices.join('|').toStdString(),
                  (QString::fromLatin1(c.box) + "\n" + QDir::toNativeSeparators(written)).toStdString());
        // The list's highlighted picture is the one on show.
        const int row = tool.findChild<QTableWidget *>("ColList")->currentRow();
        EXPECT_EQ(row, c.lastRow);
        const QImage shown = tool.Modified_image->image();
        EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2), row == 1 ? QColor(Qt::yellow) : QColor(60, 70, 90));
    }
}

}  // namespace

// Each input of the options screen is usable only while it is the chosen one: its field and the
// button beside it (Browse..., Refresh) are disabled with the rest of its box, from the first
// opening on and after every change of input.
TEST(Crop, EachInputsButtonsFollowItsBox)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    Cropping_Tool tool;
    tool.Prepare_Full();
    tool.resize(1000, 660);
    const struct {
        const char *field, *button;
        int input;
    } boxes[] = {
        {"file_path", "Browse...", SourceFile},
        {"folder_path", "Browse...", SourceFolder},
        {"camera_list", "Refresh", SourceCamera},
    };
    // The button a person finds beside a field: the one of that title on the field's line.
    const auto besides = [&tool](QWidget *field, const QString &title) -> QPushButton * {
        const QRect line(field->mapTo(&tool, QPoint(0, 0)), field->size());
        for (QPushButton *b : tool.findChildren<QPushButton *>()) {
            const int middle = b->mapTo(&tool, QPoint(0, b->height() / 2)).y();
            if (b->text() == title && middle >= line.top() && middle <= line.bottom())
                return b;
        }
        return nullptr;
    };
    for (int chosen : {-1, int(SourceFolder), int(SourceCamera), int(SourceSeries), int(SourceFile)}) {
        SCOPED_TRACE(chosen);
        if (chosen >= 0)
            testsupport::press(tool.findChild<QButtonGroup *>("input_option_matrix")->button(chosen));
        const int inForce = chosen < 0 ? int(SourceFile) : chosen;
        for (const auto &box : boxes) {
            SCOPED_TRACE(box.button);
            QWidget *field = tool.findChild<QWidget *>(box.field);
            ASSERT_NE(field, nullptr);
            QPushButton *button = besides(field, QString::fromLatin1(box.button));
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(field->isEnabled(), box.input == inForce);
            EXPECT_EQ(button->isEnabled(), box.input == inForce);
        }
    }
    // The output folder is always wanted.
    ASSERT_NE(besides(tool.findChild<QWidget *>("output_path"), "Browse..."), nullptr);
    EXPECT_TRUE(besides(tool.findChild<QWidget *>("output_path"), "Browse...")->isEnabled());
    tool.hide();
}

// A series that is there but cannot be taken (a FIFO, text that is not UTF-8) is told in one
// line when a crop is to start on it, and nothing starts: no list, no crop screen, no question.
// The full tool meets it when the listed file was replaced after the list was filled.
TEST(Crop, ARefusedSeriesSaysWhyAndStartsNoCrop)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    const QDir root(data.root());
    QDir().mkpath(root.filePath("out"));
    const QString picture = root.filePath("a.png");
    ASSERT_TRUE(canvasPicture(300, 200).save(picture));
    QDir().mkpath(Data_Folder_Path);
    const QString path = Series_File_Path("Staff");
    const struct {
        const char *name;
        std::function<bool()> make;
        QString reason;
    } kinds[] = {
        {"a FIFO", [&] { return mkfifo(QFile::encodeName(path).constData(), 0600) == 0; },
         QStringLiteral("%1 was refused: it is not a regular file.").arg(path)},
        {"not UTF-8",
         [&] {
             QFile f(path);
             return f.open(QIODevice::WriteOnly) && f.write(QFile::encodeName(picture) + "\n\xff\xfe\n") > 0;
         },
         QStringLiteral("%1 was refused: it is not UTF-8 text.").arg(path)},
    };
    for (const auto &kind : kinds) {
        for (const bool direct : {true, false}) {
            SCOPED_TRACE(std::string(kind.name) + (direct ? ", direct" : ", full tool"));
            QFile::remove(path);
            ASSERT_TRUE(Write_Series_File(path, QStringList{picture}));
            Cropping_Tool tool;
            if (!direct) {
                tool.Prepare_Full();
                testsupport::press(tool.findChild<QButtonGroup *>("input_option_matrix")->button(SourceSeries));
                testsupport::choose(tool.findChild<QComboBox *>("batch_list"), "Staff");
                testsupport::typeInto(tool.findChild<QLineEdit *>("output_path"), root.filePath("out"), Qt::Key_unknown);
            }
            ASSERT_TRUE(QFile::remove(path));
            ASSERT_TRUE(kind.make());
            std::optional<testsupport::FifoWatch> watch;
            if (QString(kind.name) == "a FIFO")
                watch.emplace(path);
            ui->clear();
            ui->push(true);  // should the run ask to go on after all
            if (direct)
                EXPECT_FALSE(tool.Prepare_Direct_Crop_Series("Staff"));
            else
                testsupport::press(tool.findChild<QPushButton *>("Next_Btn"));
            QStringList asked;
            for (const auto &r : ui->requests())
                asked << r.kind + ": " + r.text;
            EXPECT_EQ(asked.join(" | ").toStdString(), ("message: \n" + kind.reason).toStdString());
            EXPECT_TRUE(tool.ListData.isEmpty());
            EXPECT_FALSE(tool.findChild<QWidget *>("Crop_Screen_Box")->isVisibleTo(&tool));
            if (direct) {
                EXPECT_FALSE(tool.isVisible());
                EXPECT_EQ(tool.result(), 0);
            }
            if (watch) {
                EXPECT_FALSE(watch->readerWaited()) << "the crop waited on the FIFO";
            }
        }
    }
    QFile::remove(path);
}

// A direct crop of a file that is gone, or is no picture, says why and leaves the tool hidden: it is
// not left standing over the main window with nothing to crop.
TEST(Crop, ADirectCropWithoutAPictureSaysSoAndLeavesTheToolHidden)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    const QDir root(data.root());
    const QString notPicture = root.filePath("notes.png");
    QFile text(notPicture);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly) && text.write("not a picture\n") > 0);
    text.close();
    for (const QString &path : {root.filePath("moved.png"), notPicture}) {
        SCOPED_TRACE(path.toStdString());
        Cropping_Tool tool;
        ui->clear();
        EXPECT_FALSE(tool.Prepare_Direct_To_Crop(path));
        EXPECT_FALSE(tool.isVisible());
        ASSERT_EQ(ui->requests().size(), 1u);
        EXPECT_EQ(ui->requests()[0].text, "\n\u201C" + QFileInfo(path).fileName() + "\u201D is not a picture.");
    }
}

// The face crop is the same whichever input showed the picture before (Back between them), and
// after the window is widened; a face selection moved by hand stays where the user put it.
TEST(Crop, TheFaceCropIsTheSameWhicheverRoadLedThere)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    const QDir root(data.root());
    QDir().mkpath(root.filePath("people"));
    QImage picture = canvasPicture(480, 400);
    QPainter painter(&picture);
    drawFace(painter, QRectF(260, 60, 170, 212));
    ASSERT_TRUE(painter.end() && picture.save(root.filePath("people/face.png")));
    QSize first;
    int runs = 0;
    for (const auto &[road, wider, moved] :
         {std::tuple{QList<int>{SourceFile}, 0, false}, {{SourceFolder, SourceFile}, 0, false},
          {{SourceFile, SourceFolder}, 0, false}, {{SourceFile}, 300, false}, {{SourceFile}, 300, true}}) {
        SCOPED_TRACE(testing::Message() << road.size() << " inputs, wider by " << wider << (moved ? ", moved" : ""));
        Cropping_Tool tool;
        tool.Prepare_Full();
        for (int input : road) {
            if (input != road.front())
                testsupport::press(tool.findChild<QPushButton *>("Back_Btn"));
            chooseInput(tool, input, root.filePath(input == SourceFolder ? "people" : "people/face.png"),
                        root.filePath(QString::number(++runs)));
            if (input == road.front())
                testsupport::press(tool.findChild<QButtonGroup *>("cropping_option_matrix")->button(CropByFace));
        }
        if (moved) {  // the face's selection dragged by hand to the picture's left edge
            auto *canvas = tool.findChild<MSSCanvas *>();
            const QPointF centre = canvas->delegate()->currentSelector()->frame().center();
            const QPoint from(int(centre.x()), canvas->height() - int(centre.y()));
            QTest::mousePress(canvas, Qt::LeftButton, {}, from);
            QTest::mouseMove(canvas, from - QPoint(from.x() / 2, 0));
            QTest::mouseRelease(canvas, Qt::LeftButton, {}, from - QPoint(from.x(), 0));
        }
        tool.resize(tool.size() + QSize(wider, wider));
        testsupport::press(tool.findChild<QPushButton *>("crop_btn"));
        const QImage cut(tool.croped_file);
        const QColor middle = cut.pixelColor(cut.width() / 2, cut.height() / 2);
        if (moved) {  // where the user put it, at the size it had
            EXPECT_LT(middle.red() + 20, middle.blue()) << "the background beside the face";
            EXPECT_NEAR(cut.width(), first.width(), 3);
            EXPECT_NEAR(cut.height(), first.height(), 3);
            continue;
        }
        EXPECT_GT(middle.red(), middle.blue() + 40) << "skin, not the background, at the crop's middle";
        EXPECT_EQ(cut.size(), first.isEmpty() ? (first = cut.size()) : first);
    }
}

// The names a crop of all handed out count for the crops after it. A size field takes whole
// numbers under every locale: "12.5", "1.500" (a point is the decimal mark) and "1,500" are no
// size, and the size before them stays; one emptied and typed anew, or typed with a 0 in front,
// is what was typed, never put after a "1" that filled the gap.
TEST(Crop, NamesCarryOnAfterACropOfAllAndATypedSizeIsAWholeNumber)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    const QDir root(data.root()), out(root.filePath("out"));
    QDir().mkpath(root.filePath("in"));
    for (const char *name : {"in/a.png", "in/b.png"})
        ASSERT_TRUE(canvasPicture(300, 200).save(root.filePath(name)));
    Cropping_Tool tool;
    tool.Prepare_Full();
    testsupport::press(tool.findChild<QButtonGroup *>("output_option_matrix")->button(1));
    testsupport::typeInto(tool.findChild<QLineEdit *>("output_custom_name"), "Card", Qt::Key_unknown);
    chooseInput(tool, SourceFolder, root.filePath("in"), out.path());
    testsupport::press(tool.findChild<QButtonGroup *>("cropping_option_matrix")->button(CropBySize));
    for (int run = 0; run < 2; ++run) {
        testsupport::press(tool.findChild<QPushButton *>("crop_all_btn"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !tool.Crop_All_Thread_Running; }, 10000));
    }
    testsupport::press(tool.findChild<QPushButton *>("Back_Btn"));
    chooseInput(tool, SourceFile, root.filePath("in/a.png"), out.path());
    const struct Restore {
        QLocale was;
        ~Restore() { QLocale::setDefault(was); }
    } restore;
    auto *width = tool.findChild<QLineEdit *>("width_Text");
    const QString was = width->text();
    QApplication::setActiveWindow(&tool);  // Tab leaves a field of the active window only
    ASSERT_TRUE(QTest::qWaitForWindowActive(&tool));
    for (const char *locale : {"de_DE", "en_US"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
        const std::pair<QString, QString> rows[] = {{was, was},        {"1,500", was}, {"12.5", was},
                                                    {"1.500", was},    {"\b240", "240"}, {"0240", "240"},
                                                    {"\b\b12", "12"}};
        for (const auto &[typed, shown] : rows) {
            testsupport::typeInto(width, typed, Qt::Key_Tab);
            EXPECT_EQ(width->text(), shown) << locale << " " << typed.toStdString() << ": the width in force";
        }
    }
    testsupport::press(tool.findChild<QPushButton *>("crop_btn"));
    EXPECT_EQ(out.entryList(QDir::Files, QDir::Name),
              QStringList({"Card.jpg", "Card_1.jpg", "Card_2.jpg", "Card_3.jpg", "Card_4.jpg"}));
    EXPECT_EQ(QImage(out.filePath("Card_4.jpg")).width(), 12);
}

// A custom name typed with a picture type's extension, in any spelling or case, names files of
// that type, numbered before the extension as typed; any other point in it stays part of the name.
TEST(Crop, ACustomNameWithAPictureTypesExtensionNamesItsType)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    const QDir root(data.root()), out(root.filePath("out"));
    ASSERT_TRUE(canvasPicture(300, 200).save(root.filePath("a.png")));
    const struct {
        const char *typed, *first, *second;  // the Format list shows "png"
        QByteArray kind;
    } cases[] = {{"Badge.jpeg", "Badge.jpeg", "Badge_1.jpeg", "jpeg"}, {"Badge.JPG", "Badge.JPG", "Badge_1.JPG", "jpeg"},
                 {"Badge.v2", "Badge.v2.png", "Badge.v2_1.png", "png"}};
    for (const auto &c : cases) {
        QDir(out.path()).removeRecursively();
        Cropping_Tool tool;
        tool.Prepare_Full();
        testsupport::press(tool.findChild<QButtonGroup *>("output_option_matrix")->button(1));
        testsupport::typeInto(tool.findChild<QLineEdit *>("output_custom_name"), c.typed, Qt::Key_unknown);
        testsupport::choose(tool.findChild<QComboBox *>("output_format_combo"), "png");
        chooseInput(tool, SourceFile, root.filePath("a.png"), out.path());
        testsupport::press(tool.findChild<QButtonGroup *>("cropping_option_matrix")->button(CropBySize));
        for (int crop = 0; crop < 2; ++crop)
            testsupport::press(tool.findChild<QPushButton *>("crop_btn"));
        EXPECT_EQ(out.entryList(QDir::Files, QDir::Name), QStringList({c.first, c.second})) << c.typed;
        EXPECT_EQ(QImageReader(out.filePath(c.second)).format(), c.kind) << c.typed;
    }
}
