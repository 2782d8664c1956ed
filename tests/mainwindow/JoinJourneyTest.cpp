// Journeys across subsystems through the window the application sets up: a spreadsheet picked
// anywhere reaches every run and survives Save and Open, series bound from the panel fill a
// batch, a bound series cannot be lost, and stock text lands in one undo step.

#include "ControllerFixture.h"
#include "LateExpose.h"

#include "core/SKTImage.h"
#include "core/SKTText.h"
#include "data/SeriesFiles.h"
#include "data/SeriesManager.h"
#include "data/SeriesManagerWindow.h"
#include "data/batch/BatchBinding.h"
#include "data/export/CardExport.h"
#include "data/export/ExportDialogs.h"
#include "data/export/ExportSheet.h"
#include "data/SeriesViewer.h"
#include "data/SeriesWindow.h"
#include "canvas/ImageBrowser.h"
#include "canvas/SmallDialogs.h"
#include "groupmode/Group_Mode_Wizard.h"
#include "mainwindow/Insert_Template.h"
#include "properties/PropertyPanel.h"
#include "data/spreadsheet/Import_Excel.h"
#include "platform/WholeFile.h"
#include "visitor/ProfileDialogBase.h"
#include "visitor/VisitorMode.h"
#include "mainwindow/VisitorWiring.h"
#include "canvas/LiveModePanel.h"

#include <QTableWidget>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QDir>
#include <QFileInfo>

#include <functional>
#include <optional>
#include <sys/stat.h>

namespace {

class JoinJourneyTest : public WindowTest {
protected:
    // A workbook of the rows (a python list of lists) written by openpyxl.
    static bool writeWorkbook(const QString &python, const QString &path, const char *rows)
    {
        return testsupport::runTool(python, {"-c", QStringLiteral("import openpyxl,sys\nwb=openpyxl.Workbook()\n"
                                                                  "[wb.active.append(r) for r in %1]\n"
                                                                  "wb.save(sys.argv[1])")
                                                       .arg(QLatin1String(rows)),
                                             path})
                   .exitCode == 0;
    }
    // The side's profile dialog from the window's Profile button: the workbook picked with every
    // column (`again`: in place of a sheet that has rows), the name field bound to column 1, OK.
    void pickSheetInProfileDialog(const QString &book, bool again)
    {
        const SeriesModalRunner previousPicker = Set_Series_Modal_Runner([this](QDialog &w) {
            ++pickerShown;
            pressIn(w, "Select_ALL_Pressed");
            pressIn(w, "OKPressed");
            return w.result();
        });
        const ProfileModalRunner previous = Set_Profile_Modal_Runner([&](QDialog &d) {
            auto &dlg = dynamic_cast<ProfileDialogBase &>(d);
            if (again)
                ui->push(true);  // load another workbook in place of the one with rows
            ui->push(book);
            pressIn(dlg, "excel_browse_btn");
            dlg.rows[0].ds_combo->setCurrentIndex(2);
            dlg.rows[0].ser_col_cb->setCurrentIndex(1);
            pressIn(dlg, "OK_Btn_Clicked");
            return dlg.result();
        });
        click("User_Profile_Btn");
        Set_Profile_Modal_Runner(previous);
        Set_Series_Modal_Runner(previousPicker);
    }
    int pickerShown = 0;  // times the column picker ("Import from spreadsheet") was shown
};

// A sheet of `rows` rows picked as the column picker and the profile dialogs pick one, into the
// table every subsystem reaches: column 1 a name, column 2 a code unique to the row.
void pickSheet(int rows)
{
    QList<QStringList> sheet{{"Name", "Code"}};
    for (int r = 1; r <= rows; ++r)
        sheet << QStringList{QStringLiteral("Name %1").arg(r), QStringLiteral("CODE-%1").arg(r, 2, 10, QLatin1Char('0'))};
    Data_From_Excel::defaultInstance()->fillFromSheet(sheet, {0, 1}, true);
}

std::shared_ptr<SKTGraphic> code128(const QRectF &bounds)
{
    std::shared_ptr<SKTGraphic> code = Make_Graphic_Of_Class(QStringLiteral("SKTBarcode"));
    code->barcode_font_index = 9;  // Code 128
    code->linear_font_val = QStringLiteral("OWN");
    code->_bounds = bounds;
    code->bar_image_ctrl_bounds = bounds;
    return code;
}

// The panel as a person uses it: the control selected on the canvas, then a source and a series
// or column chosen in the data-source tab.
class PanelJourney : public JoinJourneyTest {
protected:
    PropertyPanel &panel() { return controller->propertyPanel(); }
    void selectOnCanvas(const SKTGraphicPtr &control)
    {
        clickAt(canvas(0), control->bounds().center());
        ASSERT_EQ(canvas(0)->Selected_Graphic(), control.get());
    }
    void choose(const char *source, const QString &item)
    {
        QComboBox *type = panel().Data_source_type;
        type->setCurrentIndex(type->findText(QLatin1String(source)));
        if (!item.isEmpty())
            panel().Batch_Series->setCurrentIndex(panel().Batch_Series->findText(item));
    }
    // The export's pixels inside the text control's frame are those of the card showing `value`
    // there, not of one showing another value: the value landed in the card of that row. The
    // export draws on other threads, whose glyphs may differ at their edges: whole glyphs count.
    void expectTextShows(const QImage &png, size_t index, const QString &value)
    {
        CardSide side = controller->Card_Side_Value(0);
        const double dpi = png.width() * 72.0 / side.cardRect.width();
        const QRect frame = QRectF(side.controls[index]->drawingBounds().topLeft() * dpi / 72,
                                   side.controls[index]->drawingBounds().size() * dpi / 72)
                                .toAlignedRect()
                                .intersected(png.rect());
        const auto differingFrom = [&](const QString &shown) {
            side.controls[index]->Set_text_value(shown);
            const QImage reference = Generate_Batch_Image_For_Differ_Value(side, {dpi}).convertToFormat(QImage::Format_RGB32);
            const QImage exported = png.convertToFormat(QImage::Format_RGB32);
            int clearly = 0;
            for (int y = frame.top(); y <= frame.bottom(); ++y)
                for (int x = frame.left(); x <= frame.right(); ++x) {
                    const QRgb a = exported.pixel(x, y), b = reference.pixel(x, y);
                    clearly += std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                         std::abs(qBlue(a) - qBlue(b))}) > 128;
                }
            return clearly;
        };
        const int own = differingFrom(value), other = differingFrom(value + QLatin1Char('W'));
        EXPECT_LT(own * 20, other) << value.toStdString() << ": " << own << " pixels differ from the card showing it, "
                                   << other << " from one showing another value";
    }
    QStringList exportBatch(const QString &folder)
    {
        QDir out(folder);
        EXPECT_TRUE(out.mkpath(QStringLiteral(".")));
        ui->clear();
        ui->push(1);           // the export sheet's OK, its choice as the design leaves it
        ui->push(out.path());  // the folder
        ui->push(0);           // the finished box
        click("Export_btn");
        controller->exportCommand()->waitForRun();
        return controller->exportCommand()->lastRun()->written;
    }
};

std::shared_ptr<SKTGraphic> textAt(const QRectF &bounds)
{
    std::shared_ptr<SKTGraphic> text = Make_Graphic_Of_Class(QStringLiteral("SKTText"));
    text->_bounds = bounds;
    text->Set_text_value(QStringLiteral("typed"));
    return text;
}

// A run bound to a series the reader refuses (too large, a FIFO, a folder, not UTF-8) says the
// reason in a box and opens nothing: neither the sheet nor a window, no card is made.
TEST_F(PanelJourney, ARunOnARefusedSeriesSaysWhyAndDoesNotStart)
{
    ASSERT_TRUE(Write_Series_File(Series_File_Path("Staff"), QStringList{"Ann", "Bob"}));
    std::shared_ptr<SKTGraphic> text = textAt({20, 20, 160, 40});
    place(0, {text});
    selectOnCanvas(text);
    choose("Series", "Staff");
    ASSERT_EQ(text->batch_list_name, "Staff");

    const QString path = Series_File_Path("Staff");
    struct Case {
        const char *name;
        std::function<bool()> make;
        QString reason;
    } const cases[] = {
        {"larger than 64 MB",
         [&] {
             QFile f(path);
             return f.open(QIODevice::WriteOnly) && f.resize(64LL * 1024 * 1024 + 1);  // sparse
         },
         QStringLiteral("%1 was refused: it is larger than 64 MB.").arg(path)},
        {"a FIFO", [&] { return mkfifo(QFile::encodeName(path).constData(), 0600) == 0; },
         QStringLiteral("%1 was refused: it is not a regular file.").arg(path)},
        {"a folder", [&] { return QDir().mkdir(path); },
         QStringLiteral("%1 was refused: it is not a regular file.").arg(path)},
        {"not UTF-8",
         [&] {
             QFile f(path);
             return f.open(QIODevice::WriteOnly) && f.write("Ann\n\xff\xfe\n") == 7;
         },
         QStringLiteral("%1 was refused: it is not UTF-8 text.").arg(path)},
    };
    const struct Command {
        const char *name;
        std::function<void()> run;
    } commands[] = {
        {"export", [&] { click("Export_btn"); }},
        {"print", [&] { click("Print_btn"); }},
        {"mail", [&] { click("Mail_btn"); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path);
        QDir().rmdir(path);
        ASSERT_TRUE(c.make());
        for (const Command &command : commands) {
            SCOPED_TRACE(command.name);
            std::optional<testsupport::FifoWatch> watch;
            if (QString(c.name) == "a FIFO")
                watch.emplace(path);
            ui->clear();
            ui->push(1);  // should a window open after all, its OK
            command.run();
            QStringList asked;
            for (const auto &r : ui->requests())
                asked << r.kind + ": " + r.text;
            EXPECT_EQ(asked.join(" | ").toStdString(), ("message: \n" + c.reason).toStdString());
            if (watch) {
                EXPECT_FALSE(watch->readerWaited()) << "the run waited on the FIFO";
            }
        }
        EXPECT_EQ(controller->exportCommand()->lastRun(), nullptr);
    }
}

// A text bound to a series from the panel shows the first value at once, in one undo step, and
// an export makes one card per value.
TEST_F(PanelJourney, ATextBoundToASeriesFromThePanelGivesOneCardPerValue)
{
    ASSERT_TRUE(Write_Series_File(Series_File_Path("Staff"), QStringList{"Ann", "Bob", "Cid"}));
    controller->Sides_ComboBox->setCurrentIndex(1);
    std::shared_ptr<SKTGraphic> text = textAt({20, 20, 160, 40});
    place(0, {text});
    selectOnCanvas(text);
    const int steps = controller->undoHistory().Get_Undo_Count();
    choose("Series", "Staff");
    EXPECT_EQ(text->data_source_type, Batch_Source_Series);
    EXPECT_EQ(text->batch_list_name, "Staff");
    EXPECT_EQ(text->Text_contents().string, "Ann");
    EXPECT_EQ(panel().Text_value_Edit->toPlainText(), "Ann");
    EXPECT_GT(controller->undoHistory().Get_Undo_Count(), steps);

    const QStringList written = exportBatch(pathIn("series"));
    ASSERT_EQ(written.size(), 3);
    const QStringList values{"Ann", "Bob", "Cid"};
    for (int r = 0; r < 3; ++r)
        expectTextShows(QImage(written[r]), 0, values[r]);
    EXPECT_NE(QImage(written[0]), QImage(written[1]));
}

// A sheet picked where the picker picks it reaches the panel's lists; a text bound to its column 2
// shows row 1's value; Save and Open keep sheet and binding, and a batch of twenty rows gives
// twenty cards, each with its own name and code.
TEST_F(PanelJourney, ASheetBoundFromThePanelSurvivesSaveAndOpenAndTheBatchUsesItsRows)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    controller->Sides_ComboBox->setCurrentIndex(1);  // one side: one file per card
    std::shared_ptr<SKTGraphic> code = code128({20, 80, 200, 70});
    std::shared_ptr<SKTGraphic> text = textAt({20, 20, 160, 40});
    place(0, {text, code});
    pickSheet(20);
    ASSERT_EQ(panel().Data_source_type->findText("Excel"), 2) << "a loaded sheet is offered";
    ASSERT_TRUE(Bind_Control_Data_Source(*code, Batch_Source_Sheet, {}, 2,
                                         Get_First_Value_Of_Excel_Binding(controller->Excel_Table().Rows(1), 2)));
    selectOnCanvas(text);
    choose("Excel", QString());
    EXPECT_EQ(panel().Batch_Series->count(), 3);
    panel().Batch_Series->setCurrentIndex(1);
    EXPECT_EQ(text->excel_col_indx, 1);
    EXPECT_EQ(text->Text_contents().string, "Name 1");
    const QString path = pathIn("sheet.did");
    saveAs(path);

    controller->Excel_Table().Clear_Table();
    EXPECT_EQ(panel().Data_source_type->findText("Excel"), -1) << "no sheet, no Excel";
    open(path);
    ASSERT_EQ(controller->Excel_Table().rowCount(), 20);
    EXPECT_EQ(controller->Excel_Table().Column_Titles(), QStringList({"No.", "Name", "Code"}));
    EXPECT_EQ(Data_From_Excel::defaultInstance(), &controller->Excel_Table()) << "one table for every subsystem";
    EXPECT_EQ(controller->Get_Excel_Column_Name_Of_Index(2), "Code");

    const BatchDesign run = controller->Set_Front_Back_Value_To_Print_Export_Mail();
    EXPECT_TRUE(run.source.Use_Excel_Binding_Values);
    EXPECT_EQ(run.source.Total_Batch_Excel_Card, 20);

    const QStringList written = exportBatch(pathIn("cards"));
    ASSERT_EQ(written.size(), 20);
    for (int r = 0; r < 20; ++r) {
        const QImage card(written[r]);
        ASSERT_FALSE(card.isNull()) << written[r].toStdString();
        // The reader copes better with bars of a few pixels than with the export's full resolution.
        EXPECT_EQ(readBarcode(zxing, card.scaled(card.size() / 3)), QStringLiteral("CODE-%1").arg(r + 1, 2, 10, QLatin1Char('0')).toUtf8());
        expectTextShows(card, 0, QStringLiteral("Name %1").arg(r + 1));
    }
}

// A picture bound to a series of picture files from the panel shows the first picture at once.
TEST_F(PanelJourney, APictureBoundToASeriesShowsItsFirstPicture)
{
    QStringList files;
    for (const QColor colour : {QColor(Qt::red), QColor(Qt::blue)}) {
        QImage picture(40, 40, QImage::Format_RGB32);
        picture.fill(colour);
        files << pathIn(qPrintable(colour.name().mid(1) + ".png"));
        ASSERT_TRUE(picture.save(files.back()));
    }
    ASSERT_TRUE(Write_Series_File(Series_File_Path("Photos"), files));
    std::shared_ptr<SKTGraphic> image = Make_Graphic_Of_Class(QStringLiteral("SKTImage"));
    image->_bounds = QRectF(20, 20, 80, 80);
    place(0, {image});
    selectOnCanvas(image);
    choose("Series", "Photos");
    EXPECT_EQ(image->data_source_type, Batch_Source_Series);
    EXPECT_EQ(image->FilePath(), files[0]);
    EXPECT_EQ(panel().Manual_image_path->text(), files[0]);
    const QImage shown = grabbed(0);
    const QPointF centre = QPointF(60, 60) * canvas(0)->scale();
    EXPECT_EQ(shown.pixelColor(centre.toPoint()), QColor(Qt::red));
}

// With "Excel" shown for a bound text, a new sheet refills the column list and keeps the binding;
// a table without a sheet takes "Excel" away without unbinding anything.
TEST_F(PanelJourney, TheColumnListFollowsTheTableAndBindingsStay)
{
    std::shared_ptr<SKTGraphic> text = textAt({20, 20, 160, 40});
    place(0, {text});
    pickSheet(3);
    selectOnCanvas(text);
    choose("Excel", "Code");
    ASSERT_EQ(text->excel_col_indx, 2);
    QList<QStringList> other{{"Given", "Family", "Town"}, {"Ada", "L", "Oslo"}};
    controller->Excel_Table().fillFromSheet(other, {0, 1, 2}, true);
    QStringList items;
    for (int i = 0; i < panel().Batch_Series->count(); ++i)
        items << panel().Batch_Series->itemText(i);
    EXPECT_EQ(items, QStringList({"No.", "Given", "Family", "Town"}));
    EXPECT_EQ(panel().Batch_Series->currentIndex(), 2);
    EXPECT_EQ(panel().Data_source_type->currentText(), "Excel");
    EXPECT_EQ(text->data_source_type, Batch_Source_Sheet);
    EXPECT_EQ(text->excel_col_indx, 2);
    controller->Excel_Table().Clear_Table();
    EXPECT_EQ(panel().Data_source_type->findText("Excel"), -1);
    EXPECT_EQ(text->data_source_type, Batch_Source_Sheet) << "losing the item rebinds nothing";
}

// Stock text in title and in message mode lands in the text as one undo step.
TEST_F(PanelJourney, StockTextInTitleAndInMessageMode)
{
    std::shared_ptr<SKTGraphic> text = textAt({20, 20, 200, 40});
    place(0, {text});
    selectOnCanvas(text);
    QMenu *stock = panel().insert_template_btn->menu();
    ASSERT_NE(stock, nullptr);
    EXPECT_TRUE(panel().insert_template_btn->isEnabled());
    Insert_Template *picker = controller->insert_template;
    for (const char *item : {"Use_Template_Title", "Use_Template_Message"}) {
        SCOPED_TRACE(item);
        QString offered;
        const auto previous = Insert_Template::setModalRunner([&offered](Insert_Template &w) {
            pressIn(w, "Msg_Next_btn");
            offered = w.msg_value->text();
            pressIn(w, "OK_btn");
            return w.result();
        });
        const int steps = controller->undoHistory().Get_Undo_Count();
        press(stock->findChild<QAction *>(QLatin1String(item)));
        Insert_Template::setModalRunner(previous);
        const bool titles = QLatin1String(item) == QLatin1String("Use_Template_Title");
        EXPECT_EQ(picker->title_or_msg, titles ? "T" : "M");
        EXPECT_EQ(offered, titles ? picker->Title_Array.value(1) : picker->Message_Array.value(1));
        EXPECT_FALSE(offered.isEmpty());
        EXPECT_EQ(text->Text_contents().string, offered);
        EXPECT_EQ(controller->undoHistory().Get_Undo_Count(), steps + 1);
    }
}

// View Series… opens the series viewer on the chosen series, or the table's viewer for a
// column; Help shows the data-source help.
TEST_F(PanelJourney, ViewSeriesOpensTheViewerOfTheChoiceAndHelpExplainsTheSources)
{
    ASSERT_TRUE(Write_Series_File(Series_File_Path("Staff"), QStringList{"Ann", "Bob"}));
    std::shared_ptr<SKTGraphic> text = textAt({20, 20, 160, 40});
    place(0, {text});
    selectOnCanvas(text);
    QStringList shown;
    const SeriesModalRunner previous = Set_Series_Modal_Runner([&shown](QDialog &w) {
        if (auto *viewer = qobject_cast<View_Data_Series *>(&w))
            shown << viewer->file_name + ":" + viewer->ListData.join(",");
        return 1;
    });
    choose("Series", QString());
    ui->clear();
    press(panel().view_series_btn);
    EXPECT_EQ(ui->messages(), QStringList({"\nPlease select the series."}));
    choose("Series", "Staff");
    press(panel().view_series_btn);
    Set_Series_Modal_Runner(previous);
    EXPECT_EQ(shown, QStringList({"Staff:Ann,Bob"}));

    pickSheet(2);
    choose("Excel", "Name");
    ui->clear();
    press(panel().view_series_btn);
    ASSERT_EQ(ui->requests().size(), 1u);
    EXPECT_EQ(ui->requests()[0].kind, "Data_From_Excel");

    QString help;
    const auto previousBox = Long_SMS_Dlg::setModalRunner([&help](Long_SMS_Dlg &box) {
        help = box._Msg_Title->text() + "|" + box._Msg_Val->text();
        pressIn(box, "yes_button");
        return 1;
    });
    press(panel().data_source_help_btn);
    Long_SMS_Dlg::setModalRunner(previousBox);
    EXPECT_TRUE(help.startsWith("Batch Processing Settings Help :|Select Data Source as 'Manual'")) << help.toStdString();
}

}  // namespace

namespace {

// A sheet picked in a profile dialog is the application's one table: the card's profile field
// takes its column, and Save and Open bring sheet and binding back.
TEST_F(JoinJourneyTest, ASheetPickedInAProfileDialogSurvivesSaveAndOpen)
{
    REQUIRE_PYTHON(python);
    const QString book = pathIn("people.xlsx");
    ASSERT_TRUE(writeWorkbook(python, book, "[['Name','Town'],['Ada','Oslo'],['Bo','Rome']]"));
    pickSheetInProfileDialog(book, false);
    ASSERT_EQ(controller->Excel_Table().rowCount(), 2);
    EXPECT_EQ(controller->Excel_Table().Column_Titles(), QStringList({"No.", "Name", "Town"}));
    const auto nameShown = [this] {
        for (const SKTGraphicPtr &g : document->graphicsOfSide(0)) {
            if (g->control_ID == QLatin1String("Fup_Name") && g->ctrl_is_visible)
                return g->Text_contents().string + "/" + QString::number(g->excel_col_indx);
        }
        return QString();
    };
    EXPECT_EQ(nameShown(), "Ada/1");

    const QString path = pathIn("profile.did");
    saveAs(path);
    controller->Excel_Table().Clear_Table();
    open(path);
    EXPECT_EQ(controller->Excel_Table().rowCount(), 2);
    EXPECT_EQ(controller->Excel_Table().Get_Item_Text(1, 2), QStringLiteral("Rome"));
    EXPECT_EQ(nameShown(), "Ada/1");
    EXPECT_EQ(controller->Set_Front_Back_Value_To_Print_Export_Mail().source.Total_Batch_Excel_Card, 2);
}

// Another workbook chosen in a profile dialog in place of a loaded one: the card's controls bound
// to the old columns go back to their typed values; the profile field takes the new sheet.
TEST_F(JoinJourneyTest, AReBrowsedSheetUnbindsTheOldColumns)
{
    REQUIRE_PYTHON(python);
    const QString book = pathIn("new.xlsx");
    ASSERT_TRUE(writeWorkbook(python, book, "[['Name'],['Zoe']]"));
    pickSheet(2);
    std::shared_ptr<SKTGraphic> text = Make_Graphic_Of_Class(QStringLiteral("SKTText"));
    text->_bounds = QRectF(10, 100, 120, 30);
    place(0, {text});
    ASSERT_TRUE(Bind_Control_Data_Source(*text, Batch_Source_Sheet, {}, 2, "CODE-01"));
    pickSheetInProfileDialog(book, true);
    EXPECT_EQ(controller->Excel_Table().Column_Titles(), QStringList({"No.", "Name"}));
    EXPECT_EQ(text->data_source_type, Batch_Source_None);
    EXPECT_EQ(text->excel_col_indx, -1);
    int profileBound = 0;
    for (const SKTGraphicPtr &g : document->graphicsOfSide(0))
        profileBound += g->control_ID == QLatin1String("Fup_Name") && g->data_source_type == Batch_Source_Sheet;
    EXPECT_EQ(profileBound, 1);
}

// A damaged workbook chosen in a profile dialog is named in one box, and the column picker
// does not follow it: the table stays empty.
TEST_F(JoinJourneyTest, ADamagedWorkbookStopsAtItsError)
{
    REQUIRE_PYTHON(python);
    const QString book = pathIn("book.xlsx");
    ASSERT_TRUE(writeWorkbook(python, book, "[['Name'],['Zoe']]"));
    ASSERT_TRUE(platform::writeWholeFile(book, testsupport::fileBytes(book).chopped(200)));
    pickSheetInProfileDialog(book, false);
    EXPECT_EQ(pickerShown, 0);
    EXPECT_EQ(ui->messages().size(), 1) << ui->messages().join(" | ").toStdString();
    EXPECT_EQ(controller->Excel_Table().rowCount(), 0);
}

// Opening and saving a design show the please-wait sheet only when the file is large enough to
// take a while (here, one carrying a sheet of 40,000 rows), painted before the work holds the
// window also where the window system maps it late; a small design shows none.
TEST_F(JoinJourneyTest, OnlyALargeDesignOpensAndSavesUnderThePleaseWaitSheet)
{
    saveAs(pathIn("small.did"));
    open(pathIn("small.did"));
    EXPECT_EQ(controller->findChild<Plz_Wait_Sheet *>(), nullptr);

    // A design that carries a large spreadsheet table.
    pickSheet(40000);
    LateExpose lateWindowSystem;
    ui->clear();
    ui->push(pathIn("large.did"));
    click("SaveAs_btn");
    ASSERT_GT(QFileInfo(pathIn("large.did")).size(), 1024 * 1024);
    controller->Excel_Table().Clear_Table();
    open(pathIn("large.did"));
    const auto *sheet = controller->findChild<Plz_Wait_Sheet *>();
    ASSERT_NE(sheet, nullptr);
    EXPECT_FALSE(sheet->isVisible()) << "gone once the design is open";
    EXPECT_EQ(controller->Excel_Table().rowCount(), 40000);
    ui->clear();
    click("Save_btn");
    EXPECT_EQ(ui->messages(), QStringList{kSaved});
    EXPECT_EQ(lateWindowSystem.paintedWhileUp.size(), 3u) << "save as, open, save";
    for (int painted : lateWindowSystem.paintedWhileUp)
        EXPECT_GT(painted, 0) << "the sheet says what it is before the work holds the window";
}

// The window tests run on the application's own set-up: every join it makes is in place.
TEST_F(JoinJourneyTest, TheApplicationSetUpLeavesNoJoinAtItsDefault)
{
    EXPECT_EQ(Missing_Application_Joins(*controller), QStringList());
    // The live face is the window's visitor mode itself, and the check sees each part it hands
    // calls on to go missing.
    VisitorMode *face = Visitor_Mode_Of(*controller);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(installedLiveModePanel(), face);
    LiveGroupPanel *group = face->groupPanel();
    face->setGroupPanel(nullptr);
    EXPECT_EQ(Missing_Application_Joins(*controller), QStringList{"group panel of the live face"});
    face->setGroupPanel(group);
    LiveProfilePanel *profiles = face->profilePanel();
    face->setProfilePanel(nullptr);
    EXPECT_EQ(Missing_Application_Joins(*controller), QStringList{"profile dialogs of the live face"});
    face->setProfilePanel(profiles);
    LiveModePanel *previous = setLiveModePanel(nullptr);
    EXPECT_EQ(Missing_Application_Joins(*controller),
              QStringList({"visitor and group entry panels", "group panel of the live face", "profile dialogs of the live face"}));
    setLiveModePanel(previous);
    // Its group calls reach the group project: the first profile field is bound to a column.
    controller->excel_cb_value[1] = 3;
    EXPECT_EQ(liveModePanel().Get_Excel_Coulmn_Index_According_ID(QStringLiteral("Fup_Name")), 3);
}

// A series a control of the card takes its values from can be neither deleted nor replaced by
// the manager, the import or the generator; once unbound it can.
TEST_F(JoinJourneyTest, ASeriesBoundOnTheCardCannotBeDeletedOrReplaced)
{
    ASSERT_TRUE(Write_Series_File(Series_File_Path("Staff"), QStringList{"Ann", "Bob"}));
    ASSERT_TRUE(Write_Series_File(Series_File_Path("Other"), QStringList{"x"}));
    std::shared_ptr<SKTGraphic> text = Make_Graphic_Of_Class(QStringLiteral("SKTText"));
    text->_bounds = QRectF(10, 10, 120, 30);
    place(0, {text});
    ASSERT_TRUE(Bind_Control_Data_Source(*text, Batch_Source_Series, "Staff", 1, Get_First_Value_Of_Dataset("Staff")));
    EXPECT_EQ(text->Text_contents().string, "Ann");

    ui->clear();
    EXPECT_TRUE(Delete_Series({"Staff", "Other"}));
    EXPECT_EQ(ui->messages(), QStringList({"Series is in use\n\nStaff\n\nBatch Processing Series can't be delete "
                                           "because it is currently in use."}));
    EXPECT_TRUE(QFileInfo::exists(Series_File_Path("Staff")));
    EXPECT_FALSE(QFileInfo::exists(Series_File_Path("Other")));

    ui->clear();
    EXPECT_FALSE(Save_Series({"Carl"}, "Staff", "Staff"));
    EXPECT_FALSE(Create_Series_File("Staff", [](const auto &add) { add("Dan"); }));
    EXPECT_EQ(ui->messages(),
              QStringList({"\nBatch Processing Series can't be update because it is currently in use.",
                           "\nBatch Processing Series can't be create because it is currently in use."}));
    EXPECT_EQ(Read_Series_Values(Series_File_Path("Staff")), QStringList({"Ann", "Bob"}));

    ASSERT_TRUE(Bind_Control_Data_Source(*text, Batch_Source_None, {}, -1, {}));
    ui->clear();
    EXPECT_FALSE(Delete_Series({"Staff"}));
    EXPECT_FALSE(QFileInfo::exists(Series_File_Path("Staff")));
}

// The series manager opened from the window exports a series to .xlsx that openpyxl reads
// back, and its finished box offers the file.
TEST_F(JoinJourneyTest, TheSeriesManagerExportsASeriesToAWorkbook)
{
    REQUIRE_PYTHON(python);
    ASSERT_TRUE(Write_Series_File(Series_File_Path("Staff"), QStringList{"007", "Ann", "Bob"}));
    const QString book = pathIn("staff.xlsx");
    ui->clear();
    ui->push(book);  // the save panel
    ui->push(1);     // the export-finished box: OK, open the file
    const SeriesModalRunner previous = Set_Series_Modal_Runner([](QDialog &w) {
        auto &manager = dynamic_cast<BatchWizard &>(w);
        manager.Mark_List_New_Selection(int(manager.ListData.indexOf("Staff")));
        pressIn(manager, "Update_Btn_Clicked");  // the series' values on the second screen
        press(manager.findChild<QPushButton *>("Export_Value_Btn_Clicked"));
        return 0;
    });
    click("Batch_Series_btn");
    Set_Series_Modal_Runner(previous);
    const auto read = testsupport::runTool(python, {"-c", "import sys, openpyxl\nws = openpyxl.load_workbook(sys.argv[1]).active\n"
                                                          "print('|'.join(str(r[0]) for r in ws.iter_rows(values_only=True)))",
                                                    book});
    EXPECT_EQ(read.out.trimmed(), "Batch Value|007|Ann|Bob") << read.err.toStdString();
    QStringList kinds;
    for (const auto &r : ui->requests())
        kinds << r.kind;
    EXPECT_EQ(kinds, QStringList({"saveFile", "Open_Export_Files", "openExternally"}));
}

// A name typed without an extension in the series export panel gets the format chosen in the
// panel's xlsx/txt pop-up: a workbook by default, a text file when "txt" is picked.
TEST_F(JoinJourneyTest, TheSeriesExportPanelsFormatNamesABareFile)
{
    REQUIRE_PYTHON(python);
    ASSERT_TRUE(Write_Series_File(Series_File_Path("Staff"), QStringList{"007", "Ann"}));
    const struct {
        platform::ScriptedUiServices::Answer panel;
        const char *written;
    } cases[] = {
        {QStringList{pathIn("plain"), "txt"}, "plain.txt"},
        {QStringList{pathIn("book")}, "book.xlsx"},
    };
    for (const auto &c : cases) {
        ui->clear();
        ui->push(c.panel);
        ui->push(0);  // the export-finished box: Cancel
        const SeriesModalRunner previous = Set_Series_Modal_Runner([](QDialog &w) {
            auto &manager = dynamic_cast<BatchWizard &>(w);
            auto *list = manager.findChild<QTableWidget *>(QStringLiteral("List"));  // "Staff" clicked, then Open
            const QTableWidgetItem *staff = list->item(int(manager.ListData.indexOf("Staff")), 0);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(staff).center());
            pressIn(manager, "Update_Btn_Clicked");
            press(manager.findChild<QPushButton *>("Export_Value_Btn_Clicked"));
            return 0;
        });
        click("Batch_Series_btn");
        Set_Series_Modal_Runner(previous);
        const QString written = pathIn(c.written);
        ASSERT_TRUE(QFileInfo::exists(written)) << c.written << " " << ui->messages().join('|').toStdString();
        QFile file(written);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray head = file.read(2);
        EXPECT_EQ(head == "PK", QByteArray(c.written).endsWith("xlsx")) << c.written;
        if (!QByteArray(c.written).endsWith("xlsx")) {
            EXPECT_EQ(head + file.readAll(), "007\nAnn\n");
        }
    }
}

// A series-bound barcode saved without its picture is rebuilt on opening from the series' first
// value, not from the value it was typed with; a first value that is empty falls back to that.
TEST_F(JoinJourneyTest, ASeriesBoundBarcodeIsRebuiltFromTheSeriesFirstValue)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    const struct {
        QByteArray file;
        const char *expected;
    } cases[] = {{"SER-1\nSER-2\n", "SER-1"}, {"\nSER-2\n", "OWN"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.expected);
        QFile series(Series_File_Path("Codes"));
        ASSERT_TRUE(series.open(QIODevice::WriteOnly) && series.write(c.file) == c.file.size());
        series.close();
        ui->push(int(platform::AnswerNo));
        click("New_btn");
        std::shared_ptr<SKTGraphic> code = code128({20, 20, 200, 70});
        place(0, {code});
        code->Set_Data_source_type(Batch_Source_Series);
        code->Set_Batch_List_Name("Codes");
        code->batch_list_index = 0;
        ASSERT_TRUE(code->_barcode_image.isNull());
        saveAs(pathIn("series-code.did"));
        open(pathIn("series-code.did"));
        ASSERT_EQ(document->graphics().size(), 1u) << ui->messages().join('|').toStdString();
        EXPECT_EQ(readBarcode(zxing, document->graphics()[0]->_barcode_image), QByteArray(c.expected));
    }
}

}  // namespace

namespace {

// File > Start… into visitor or group mode while a control bound to the sheet is selected: the
// start clears the sheet, and nothing asks for a series the person never chose.
class StartOverABoundControl : public PanelJourney, public ::testing::WithParamInterface<int> {};

TEST_P(StartOverABoundControl, AsksNothingButTheSaveQuestion)
{
    const int road = GetParam();
    road == 13 ? chooseVisitorRoad() : chooseGroupRoad();
    std::shared_ptr<SKTGraphic> text = textAt({20, 20, 160, 40});
    place(0, {text});
    pickSheet(3);
    selectOnCanvas(text);
    choose("Excel", QString());
    panel().Batch_Series->setCurrentIndex(1);
    ASSERT_EQ(text->excel_col_indx, 1);
    startOver(road);
    EXPECT_EQ(Start_Card_Option, road == 13 ? "V" : "G");
    // The save question of the open design is the only one asked.
    EXPECT_EQ(ui->messages().join(" | ").toStdString(), "Do you want to save changes before opening new document?");
}

INSTANTIATE_TEST_SUITE_P(VisitorAndGroup, StartOverABoundControl, ::testing::Values(13, 14));

}  // namespace
