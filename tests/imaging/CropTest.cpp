// The cropping tool: ratios and face rectangles, the crop kinds, a real face found by the
// cascade, the direct file crop through the window, and batches with their series.
#include "TestSupport.h"
#include "core/Globals.h"
#include "data/SeriesFiles.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "imaging/BatchCrop.h"
#include "imaging/Cropping_Tool.h"
#include "imaging/MSSCanvas.h"
#include "imaging/MSSScaledImage.h"
#include "platform/UiServices.h"

#include <QAbstractSpinBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QFile>
#include <QPainter>
#include <QPushButton>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

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
    QImage source = canvasPicture(400, 400, Qt::blue);
    QPainter(&source).fillRect(0, 200, 200, 200, Qt::red);  // lower-left quarter
    const QString input = QDir(data.root()).filePath("a.png");
    source.save(input);
    source.save(QDir(Cropped_Img_Path).filePath("a.png"));

    const struct { bool drawn; int result; const char *file; } cases[] = {
        {true, 1, "a (1).png"}, {false, 0, nullptr}};
    for (const auto &c : cases) {
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
        tool.findChild<QPushButton *>("Crop_direct_Btn")->click();
        EXPECT_EQ(tool.result(), c.result);
        if (c.file) {
            EXPECT_EQ(tool.Crop_Direct_Path, QDir(Cropped_Img_Path).filePath(c.file));
            const QImage cut(tool.Crop_Direct_Path);
            EXPECT_NEAR(cut.width(), 80, 2);
            EXPECT_NEAR(cut.height(), 70, 2);
            EXPECT_EQ(cut.pixelColor(cut.width() / 2, cut.height() / 2), QColor(Qt::red));
            EXPECT_EQ(ui->messages().last().trimmed(), "Image has been cropped successfully.");
        } else {
            EXPECT_EQ(ui->messages().last().trimmed(), "There is no image to crop.");
            EXPECT_FALSE(QFileInfo::exists(QDir(Cropped_Img_Path).filePath("a (2).png")));
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
        tool.findChild<QPushButton *>("Crop_direct_Btn")->click();
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
        tool.findChild<QPushButton *>("Crop_direct_Btn")->click();
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
    tool.input_option_CellClick(SourceFolder);
    tool.findChild<QLineEdit *>("folder_path")->setText(folder);
    tool.findChild<QLineEdit *>("output_path")->setText(QDir(data.root()).filePath("out"));
    tool.OK_Btn_Clicked();
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

    tool.cropping_option_CellClick(CropBySize);
    tool.findChild<QPushButton *>("crop_all_btn")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !tool.Crop_All_Thread_Running; }, 10000));
    QStringList kinds;
    for (const auto &r : ui->requests())
        if (r.text.contains("cropped successfully"))
            kinds << r.kind;
    EXPECT_EQ(kinds, QStringList{"notice"});
}

}  // namespace
