// Changes made in the property panel, seen on the rendered front side: which controls change,
// how many undo steps they make, what bad input does, and an undo journey back to the start.

#include "ControllerFixture.h"

#include "core/DesignFile.h"
#include "core/SKTImage.h"
#include "imaging/Cropping_Tool.h"
#include "data/SeriesFiles.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "core/SKTRenderingView.h"
#include "core/SKTSignature.h"
#include "core/SKTText.h"
#include "core/Shape_Control.h"
#include "properties/PropertyPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QTimer>
#include <QComboBox>
#include <QLineEdit>
#include <QDate>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextCursor>

namespace {

class PanelWriteBackTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        picture(pathIn("a.png"), Qt::red);
        picture(pathIn("b.png"), Qt::blue);
        document->removeAllGraphicsOnSide(0);
        auto rect = [](QRectF r, bool locked) {
            auto g = std::make_shared<Shape_Control>();
            g->setBounds(r);
            g->ctrl_is_locked = locked;
            return g;
        };
        auto text = [](QRectF r, int source, const QString &id) {
            auto g = std::make_shared<SKTText>();
            g->setBounds(r);
            g->Set_text_value(QStringLiteral("WWW"));
            g->text_ctrl_font.setPointSize(18);
            g->data_source_type = source;
            g->control_ID = id;
            return g;
        };
        auto image = [](QRectF r, const QString &path) {
            std::shared_ptr<SKTGraphic> g = SKTImage::initWithPath({0, 0}, path);
            g->setBounds(r);
            return g;
        };
        auto sign = [](QRectF r, const QString &path) {
            auto g = std::make_shared<SKTSignature>();
            g->setFilePath(path);
            g->setBounds(r);
            return g;
        };
        // 0, 1 rectangles (1 locked); 2 a free text, 3 a bound one, 4 a profile field; 5, 6 images;
        // 7, 8 signatures.
        place(0, {rect({10, 10, 60, 40}, false), rect({80, 10, 60, 40}, true), text({10, 60, 70, 25}, 0, {}),
                  text({90, 60, 70, 25}, 1, {}), text({170, 60, 70, 25}, 0, "Fup_Name"),
                  image({10, 95, 50, 50}, pathIn("a.png")), image({70, 95, 50, 50}, pathIn("b.png")),
                  sign({130, 100, 50, 40}, pathIn("a.png")), sign({190, 100, 50, 40}, pathIn("b.png"))});
        controller->Reset_Undo_With_Base_Snapshot();
    }
    void picture(const QString &path, QColor colour)
    {
        QImage p(40, 40, QImage::Format_RGB32);
        p.fill(Qt::white);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 20; ++x)
                p.setPixelColor(x, y, colour);  // coloured left half: a flip shows
        ASSERT_TRUE(p.save(path));
    }
    PropertyPanel &panel() { return controller->propertyPanel(); }
    SKTGraphic &at(int i) { return *document->graphicsOfSide(0)[size_t(i)]; }
    QImage rendered() { return SKTRenderingView::image_From_Card_Graphics(controller->Card_Side_Value(0), 72); }
    void select(const SKTIndexSet &indexes)
    {
        controller->Show_RHS_Properties(nullptr);
        canvas(0)->changeSelectionIndexes(indexes);
        if (indexes.empty())
            return;
        canvas(0)->Set_Selected_Graphic(&at(indexes.front()));  // as a click does
        controller->Show_RHS_Properties(&at(indexes.front()));
    }
    static void type(QLineEdit *field, const QString &text)
    {
        field->setText(text);
        emit field->editingFinished();
    }
    int steps() { return controller->undoHistory().Get_Undo_Count(); }
};

// Each change reaches the selected unlocked controls of its kind, shows on the rendered side
// and makes one undo step (typing none); bad input changes nothing.
TEST_F(PanelWriteBackTest, ChangesReachTheRenderedSideAsOneStep)
{
    PropertyPanel &p = panel();
    const QString typed300(300, QLatin1Char(' '));
    const struct {
        const char *what;
        QString mode;
        SKTIndexSet selected;
        std::function<void()> change;
        std::vector<int> changed;  // controls whose pixels change
        int steps;
        std::function<bool()> stored = [] { return true; };
    } rows[] = {
        {"fill, one locked", "T", {0, 1}, [&] { ui->push(QColor(Qt::red)); p.shape_fill_clr->click(); }, {0}, 1,
         [&] { return rendered().pixelColor(40, 30) == QColor(Qt::red); }},
        {"nothing selected", "T", {}, [&] { ui->push(QColor(Qt::green)); p.shape_fill_clr->click(); }, {}, 0},
        {"dashed border", "T", {0}, [&] { p.shape_border_style->setCurrentIndex(1); }, {0}, 1},
        {"border index 5", "T", {0}, [&] { p.shape_border_style->setCurrentIndex(5); }, {0}, 1,
         [&] { return at(0)._stroke_border_type == "S"; }},
        {"width not a number", "T", {0}, [&] { type(p.shape_bor_Text, "abc"); }, {}, 0,
         [&] { return p.shape_bor_Text->text() == "1"; }},
        {"opacity below range", "T", {0}, [&] { type(p.shape_alpha_Text, "-20"); }, {0}, 1,
         [&] { return at(0).alpha_val == 0 && p.shape_alpha_Text->text() == "0"; }},
        {"typing over the placeholder", "T", {2, 3, 4},
         [&] { p.Text_value_Edit->setPlainText("Text hereAB"); }, {2, 4}, 0,
         [&] { return p.Text_value_Edit->toPlainText() == "AB" && at(3).Text_contents().string == "WWW"; }},
        {"typing skips profile fields", "V", {2, 4}, [&] { p.Text_value_Edit->setPlainText("Text hereQ"); }, {2}, 0},
        {"typing is held to 250", "T", {2}, [&] { p.Text_value_Edit->setPlainText(typed300); }, {2}, 0,
         [&] { return at(2).Text_contents().string.size() == 250; }},
        {"grey pictures", "T", {5, 6}, [&] { p.Image_Gray_Scale_chk->click(); }, {5, 6}, 1},
        {"reset keeps each picture", "T", {5, 6}, [&] { ui->push(true); p.Image_reset_btn->click(); }, {5, 6}, 1,
         [&] { return rendered().pixelColor(20, 120) == QColor(Qt::red) && rendered().pixelColor(80, 120) == QColor(Qt::blue); }},
        {"rotation 30.7", "T", {5}, [&] { type(p.Rotate_slidr_val, "30.7"); }, {5}, 1,
         [&] {
             std::unique_ptr<SKTGraphic> whole = at(5).clone();
             whole->rotate_image = 30;
             return at(5).rotate_image == 30.7f && at(5)._contents_with_settings == Adjusted_Control_Picture(*whole);
         }},
        {"signature border keeps each picture", "T", {7, 8}, [&] { p.Sign_border_chk->click(); }, {7, 8}, 1,
         [&] { return at(7)._file_path == pathIn("a.png") && at(8)._file_path == pathIn("b.png"); }},
        {"signature chosen for both", "T", {7, 8}, [&] { ui->push(pathIn("b.png")); p.sign_browse_btn->click(); }, {7}, 1},
        {"rotation out of range", "T", {5}, [&] { type(p.Rotate_slidr_val, "nan"); }, {}, 0,
         [&] { return p.Rotate_slidr_val->text() == "30.7"; }},
        {"picture from a file", "T", {5}, [&] { ui->push(pathIn("b.png")); p.manual_browse_btn->click(); }, {5}, 1,
         [&] { return at(5)._file_path == pathIn("b.png"); }},
        {"library for two images", "T", {5, 6}, [&] { p.library_browse_btn->click(); }, {}, 0,
         [&] { return ui->messages().last() == "\nPlease select only one image control to 'Select Image'."; }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        Start_Card_Option = row.mode;
        select(row.selected);
        const QImage before = rendered();
        const int stepsBefore = steps();
        row.change();
        const QImage after = rendered();
        for (int i = 0; i < 9; ++i) {
            const QRect box = at(i).bounds().toAlignedRect();
            EXPECT_EQ(before.copy(box) != after.copy(box), std::count(row.changed.begin(), row.changed.end(), i) == 1) << i;
        }
        EXPECT_EQ(steps() - stepsBefore, row.steps);
        EXPECT_TRUE(row.stored());
        Start_Card_Option = QStringLiteral("T");
    }
}

// The crop command refuses what it cannot crop; a finished crop of a picture control's file
// leaves the control showing the cropped file, as one undo step.
TEST_F(PanelWriteBackTest, CropCommandRefusesWhatItCannotCropAndShowsTheCrop)
{
    const struct {
        SKTIndexSet selected;
        QString message;
    } rows[] = {
        {{}, "Please select control."},
        {{5, 6}, "Please select only one image control to 'Crop Image'."},
        {{2}, "The selected control does not contains any image with supported extension."},
    };
    for (const auto &row : rows) {
        select(row.selected);
        ui->clear();
        panel().crop_image_btn->click();
        EXPECT_EQ(ui->messages(), QStringList{"\n" + row.message});
    }
    select({5});
    ui->clear();
    Cropping_Tool::defaultInstance()->Crop_Direct_Path = pathIn("b.png");
    ui->push(1);  // the cropping tool's direct run, finished
    const int steps = controller->undoHistory().Get_Undo_Count();
    panel().crop_image_btn->click();
    EXPECT_TRUE(ui->messages().isEmpty());
    EXPECT_EQ(document->graphics()[5]->_file_path, pathIn("b.png"));
    EXPECT_EQ(controller->undoHistory().Get_Undo_Count(), steps + 1);
}

// The crop command's tool keeps the rest of the application waiting while it runs, as a
// window of its own over the main window; a picture control that goes while the tool is open is
// not written to when the crop finishes, and nothing else takes the crop in its place.
TEST_F(PanelWriteBackTest, CropToolIsApplicationModalAndOutlivesItsControl)
{
    // The tool's own modal run, not a scripted answer.
    struct RunsTheCropTool : platform::ScriptedUiServices {
        int runModal(const QString &name, const QString &text, const std::function<int()> &show) override
        {
            return name == QLatin1String("Cropping_Tool") ? show() : ScriptedUiServices::runModal(name, text, show);
        }
    };
    std::unique_ptr<platform::UiServices> previous = platform::setUi(std::make_unique<RunsTheCropTool>());
    Cropping_Tool *tool = Cropping_Tool::defaultInstance();
    select({5});
    bool modal = false, acted = false;
    int stepsAfterDelete = -1;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        // In the tool's modal loop: the tool is up with its picture.
        if (acted || !tool->isVisible() || tool->User_Picture.isNull())
            return;
        acted = true;
        modal = QApplication::activeModalWidget() == tool && QGuiApplication::modalWindow() == tool->windowHandle();
        controller->Delete_Clicked();  // the control goes while the tool holds it
        stepsAfterDelete = controller->undoHistory().Get_Undo_Count();
        tool->findChild<QPushButton *>("Crop_direct_Btn")->click();
    });
    poll.start();
    QTimer::singleShot(20000, tool, [tool] {
        if (tool->isVisible())
            tool->done(0);  // never left hanging
    });
    const QString panelPath = panel().Manual_image_path->text();
    panel().crop_image_btn->click();
    poll.stop();
    platform::setUi(std::move(previous));
    ASSERT_TRUE(acted);
    EXPECT_TRUE(modal);
    EXPECT_FALSE(tool->isVisible());
    const QString cropped = tool->Crop_Direct_Path;
    ASSERT_FALSE(cropped.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(cropped));
    EXPECT_EQ(document->graphicsOfSide(0).size(), 8u);
    for (const SKTGraphicPtr &g : document->graphicsOfSide(0))
        EXPECT_NE(g->_file_path, cropped);
    EXPECT_EQ(controller->undoHistory().Get_Undo_Count(), stepsAfterDelete);
    EXPECT_EQ(panel().Manual_image_path->text(), panelPath);
    EXPECT_NE(Library_Selected_Image, cropped);

    // The tool command's full tool too: modal while it runs, gone when it has run.
    bool fullModal = false;
    ui->onRequest = [&](const platform::ScriptedUiServices::Request &r) {
        if (r.kind == QLatin1String("Cropping_Tool"))
            fullModal = tool->isVisible() && QApplication::activeModalWidget() == tool;
    };
    click("Cropping_Tool_btn");
    ui->onRequest = nullptr;
    EXPECT_TRUE(fullModal);
    EXPECT_FALSE(tool->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// After a crop the control shows the cropped picture, and keeps it through the next change in
// the image tab (the path field feeds that write-back); a series or column crop binds the
// control to the new series or column and shows its first picture; in group mode a
// spreadsheet-bound picture is cropped as one file.
TEST_F(PanelWriteBackTest, CroppedPictureStaysThroughTheNextChange)
{
    PropertyPanel &p = panel();
    picture(pathIn("c.png"), Qt::green);
    ASSERT_TRUE(Write_Series_File(Series_File_Path("Staff"), QStringList{pathIn("a.png")}));
    ASSERT_TRUE(Write_Series_File(Series_File_Path("Staff (1)"), QStringList{pathIn("c.png")}));
    Data_From_Excel &table = *Data_From_Excel::defaultInstance();
    const auto tableBefore = std::make_pair(table.ColList, table.Rows());
    table.ColList = {{"Extension", "Extension"}, {"Column1", "Photo"}, {"Column2", "Photo cropped"}};
    table.Set_Rows({{"1", pathIn("a.png"), pathIn("c.png")}});
    Cropping_Tool &tool = *Cropping_Tool::defaultInstance();
    const struct {
        const char *what;
        QString mode;
        int source, column;
        QString series, croppedFile, croppedSeries;
        int croppedColumn;
        std::function<bool(const SKTGraphic &)> bound;
    } rows[] = {
        {"own file", "T", 0, -1, {}, pathIn("c.png"), {}, -1,
         [&](const SKTGraphic &g) { return g.data_source_type == 0 && g.Text_Value != pathIn("c.png"); }},
        {"series", "T", 1, -1, "Staff", {}, "Staff (1)", -1,
         [&](const SKTGraphic &g) {
             return g.batch_list_name == "Staff (1)" && p.Batch_Series->currentText() == "Staff (1)" &&
                    g.batch_list_index == p.Batch_Series->currentIndex();
         }},
        {"column", "T", 2, 1, {}, {}, {}, 2,
         [&](const SKTGraphic &g) {
             return g.excel_col_indx == 2 && g.Text_Value == pathIn("c.png") &&
                    p.Batch_Series->currentText() == "Photo cropped";
         }},
        {"column in group mode", "G", 2, 1, {}, pathIn("c.png"), {}, -1,
         [&](const SKTGraphic &g) { return g.excel_col_indx == 1 && g.Text_Value == pathIn("c.png"); }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        Start_Card_Option = row.mode;
        auto &image = static_cast<SKTImage &>(at(5));
        image.setFilePath(pathIn("a.png"), true);
        image.data_source_type = row.source;
        image.batch_list_name = row.series;
        image.excel_col_indx = row.column;
        select({5});
        tool.Crop_Direct_Path = row.croppedFile;
        tool.Crop_Direct_Series = row.croppedSeries;
        tool.Crop_New_Excel_Col_Index = row.croppedColumn;
        ui->clear();
        ui->push(1);  // the cropping tool's direct run, finished
        p.crop_image_btn->click();
        EXPECT_TRUE(ui->messages().isEmpty()) << ui->messages().join("|").toStdString();
        EXPECT_EQ(p.Manual_image_path->text(), pathIn("c.png"));
        EXPECT_EQ(Library_Selected_Image, pathIn("c.png"));
        EXPECT_TRUE(row.bound(image));
        p.Image_border_chk->click();
        EXPECT_EQ(image._file_path, pathIn("c.png"));
        EXPECT_EQ(rendered().pixelColor(20, 120), QColor(Qt::green));
    }
    Start_Card_Option = QStringLiteral("T");
    table.ColList = tableBefore.first;
    table.Set_Rows(tableBefore.second);
}

// Insert Date and Insert Time put now, in the chosen pattern, at the editor's cursor and into
// the text as one step; with no pattern chosen they say so and change nothing.
TEST_F(PanelWriteBackTest, DateAndTimeGoInAtTheCursor)
{
    PropertyPanel &p = panel();
    const struct {
        QPushButton *button;
        QComboBox *list;
        int item;  // -1: none chosen
        QRegularExpression inserted;
        QString message;
    } rows[] = {
        {p.insert_date_btn, p.Text_Date_style, 5,
         QRegularExpression("^WW" + QRegularExpression::escape(QDate::currentDate().toString("yyyy-MM-dd")) + "W$"), {}},
        {p.insert_time_btn, p.Text_Time_style, 0, QRegularExpression("^WW1?[0-9]:[0-5][0-9]:[0-5][0-9] (AM|PM)W$"), {}},
        {p.insert_time_btn, p.Text_Time_style, 3, QRegularExpression("^WW[0-2][0-9]:[0-5][0-9]:[0-5][0-9]W$"), {}},
        {p.insert_date_btn, p.Text_Date_style, -1, QRegularExpression("^WWW$"), "\nPlease select Date format."},
        {p.insert_time_btn, p.Text_Time_style, -1, QRegularExpression("^WWW$"), "\nPlease select Time format."},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.button->text().toStdString() + " " + std::to_string(row.item));
        at(2).Set_text_value(QStringLiteral("WWW"));
        select({2});
        row.list->setCurrentIndex(row.item);
        QTextCursor cursor = p.Text_value_Edit->textCursor();
        cursor.setPosition(2);
        p.Text_value_Edit->setTextCursor(cursor);
        ui->clear();
        const int before = steps();
        row.button->click();
        EXPECT_TRUE(row.inserted.match(at(2).Text_contents().string).hasMatch()) << at(2).Text_contents().string.toStdString();
        EXPECT_EQ(ui->messages(), row.message.isEmpty() ? QStringList() : QStringList{row.message});
        EXPECT_EQ(steps() - before, row.message.isEmpty() ? 1 : 0);
    }
}

// A cancelled file chooser leaves no earlier choice behind and changes no picture.
TEST_F(PanelWriteBackTest, CancelledFileChooserForgetsTheLastChoice)
{
    select({5});
    Library_Selected_Image = pathIn("b.png");
    ui->push(QString());
    panel().manual_browse_btn->click();
    EXPECT_TRUE(Library_Selected_Image.isEmpty());
    EXPECT_EQ(at(5)._file_path, pathIn("a.png"));
}

// A text's font, colour and alignment, a rectangle's fill and dash and a picture's filter, then
// Undo step by step shows each earlier canvas again, back to the start.
TEST_F(PanelWriteBackTest, UndoTakesEachChangeBackOnTheCanvas)
{
    PropertyPanel &p = panel();
    const std::pair<int, std::function<void()>> changes[] = {
        {2, [&] { ui->push(QFont("Serif", 12)); p.text_font_btn->click(); }},
        {2, [&] { ui->push(QColor(Qt::darkGreen)); p.Text_clr->click(); }},
        {2, [&] { p.Text_align_combo->setCurrentIndex(1); }},
        {0, [&] { ui->push(QColor(Qt::yellow)); p.shape_fill_clr->click(); }},
        {0, [&] { p.shape_border_style->setCurrentIndex(2); }},
        {5, [&] { p.Image_FIH_chk->click(); }},
    };
    std::vector<QImage> shown{grabbed(0)};
    for (const auto &[control, change] : changes) {
        select({control});
        change();
        select({});
        shown.push_back(grabbed(0));
        EXPECT_NE(shown.back(), shown[shown.size() - 2]) << shown.size();
    }
    for (size_t i = shown.size() - 1; i-- > 0;) {
        controller->Undo_Clicked();
        EXPECT_EQ(grabbed(0), shown[i]) << i;
    }
}

}  // namespace


// A picture control that holds the placeholder shows an empty path box, after a Reset too, and
// keeps its placeholder on the card and in the saved file.
TEST_F(PanelWriteBackTest, ThePlaceholderShowsNoPathAndStaysStored)
{
    const QString placeholder = controller->NO_Image_Path;
    EXPECT_EQ(panel().Manual_image_path->text().toStdString(), "") << "a new design";
    place(0, {SKTImage::initWithPath({0, 0}, placeholder)});
    at(0).setBounds({10, 150, 60, 60});
    select({0});
    EXPECT_EQ(panel().Manual_image_path->text().toStdString(), "");
    ui->push(true);
    panel().Image_reset_btn->click();
    EXPECT_EQ(panel().Manual_image_path->text().toStdString(), "");
    EXPECT_EQ(at(0)._file_path, placeholder);
    EXPECT_FALSE(at(0)._contents.isNull()) << "the placeholder is drawn";
    saveAs(pathIn("kept.did"));
    const DesignReadResult read = Read_Design_File(pathIn("kept.did"));
    ASSERT_TRUE(read.ok());
    const auto &stored = read.design->frontControls;
    EXPECT_EQ(std::count_if(stored.begin(), stored.end(), [&](const auto &g) {
                  return g->kind() == SKTGraphicKind::Image && g->_file_path == placeholder;
              }),
              1);
}
