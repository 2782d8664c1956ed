// The visitor desk through the application's own window: custom rows, the record button with
// sqlite3 reading the rows back, the buttons of each face, undo of panel changes, the side's
// template places.

#include "VisitorFixture.h"

#include "canvas/LiveModePanel.h"
#include "core/ControlArchive.h"
#include "core/DesignFile.h"
#include "core/SKTImage.h"
#include "core/Utilities.h"
#include "data/batch/BatchEngine.h"
#include "mainwindow/Invitation_Wizard.h"
#include "mainwindow/VisitorWiring.h"
#include "mainwindow/Template_Wizard.h"
#include "visitor/ProfileDialogBase.h"
#include "platform/Paths.h"
#include "platform/WholeFile.h"
#include "properties/PropertyPanel.h"
#include "visitor/VisitorMode.h"
#include "visitor/VisitorRecorder.h"
#include "visitor/Visitor_Log_Records.h"
#include "imaging/Cropping_Tool.h"

#include <cerrno>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTest>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTableWidget>
#include <QApplication>

namespace {

class VisitorDeskTest : public VisitorModeTest {
protected:
    void SetUp() override
    {
        VisitorModeTest::SetUp();
        sqlite = testsupport::findTool(QStringLiteral("sqlite3"));
    }
    // Rows of a query, one line each, columns joined by "|".
    QString sql(const QString &query) const
    {
        const auto r = testsupport::runTool(sqlite, {Database_Path, query});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QString::fromUtf8(r.out);
    }
    void type(QLineEdit *box, const QString &text)
    {
        box->clear();
        QTest::keyClicks(box, text);
    }
    // The record button of the panel on show; the box it answers with.
    QString record()
    {
        ui->clear();
        QPushButton *back = Back_Profile_Panel_OBJ->Add_to_DB_btn;
        press(testsupport::unreachable(back).isEmpty() ? back : front().Add_to_DB_btn);
        return ui->messages().join(u'\n');
    }
    QLineEdit *customBox(const std::vector<CustomRowEntry> &rows, size_t i) const
    {
        return qobject_cast<QLineEdit *>(rows.at(i).view);
    }
    QString sqlite;
};

const QString kVisitSaved = QStringLiteral("Visitor Details has been saved successfully");

// The desk's day: three visitors typed (one field the template lacks) with a photo from a file,
// each on the card and recorded as one row; the visitor log lists them, finds one, and its pass
// prints to a PDF that names the visitor.
TEST_F(VisitorDeskTest, ThreeVisitorsRecordedListedFoundAndPrinted)
{
    REQUIRE_TOOL(tool, "sqlite3");
    REQUIRE_TOOL(pdftotext, "pdftotext");
    startVisitor();
    QImage face(60, 80, QImage::Format_RGB32);
    face.fill(Qt::red);
    ASSERT_TRUE(face.save(pathIn("face.png")));
    const struct {
        const char *name, *company, *purpose;
    } visitors[] = {{"O'Brien", "Acme", "Audit"}, {"Grace Hopper", "Navy", "Talk"}, {"Ada", "Engines", "Tea"}};
    for (const auto &v : visitors) {
        SCOPED_TRACE(v.name);
        type(front().value[0], v.name);
        type(front().value[2], v.company);
        // The template has no purpose control: its box opens once ticked, which makes the control.
        if (!front().value_chk[3]->isChecked())
            press(front().value_chk[3]);
        type(front().value[3], v.purpose);
        ui->push(pathIn("face.png"));
        controller->canvasOfSide(0)->Set_Selection_Index_According_ID("Fup_Photo");
        press(front().browse_pic_btn);
        for (const auto &[id, text] : {std::pair{"Fup_Name", v.name}, {"Fup_Company", v.company}, {"Fup_CompanySlogan", v.purpose}}) {
            ASSERT_NE(control(id), nullptr) << id;
            EXPECT_EQ(control(id)->Text_Value.toStdString(), text);
            EXPECT_TRUE(control(id)->ctrl_is_visible) << id;
        }
        const QImage card = rendered(controller->Card_Side_Value(0));
        EXPECT_EQ(card.pixelColor(control("Fup_Photo")->bounds().center().toPoint()), QColor(Qt::red));
        EXPECT_EQ(record(), kVisitSaved);
    }
    EXPECT_EQ(sql("SELECT count(*) FROM pragma_table_info('Visitor_Records');").toStdString(), "57\n");
    EXPECT_EQ(sql("SELECT ID, VName, CompanyName, Slogan, Slogan_lb, Photo = '" + pathIn("face.png") +
                  "' FROM Visitor_Records ORDER BY ID;").toStdString(),
              "1|O'Brien|Acme|Audit||1\n2|Grace Hopper|Navy|Talk||1\n3|Ada|Engines|Tea||1\n");
    const QStringList stamps = sql("SELECT Date_Time_Stamp FROM Visitor_Records;").split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(stamps.size(), 3);
    for (const QString &stamp : stamps)
        EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$").match(stamp).hasMatch()) << stamp.toStdString();

    // The visitor log from the desk's records button.
    click("show_db_rcd_btn");
    auto *log = outlet<Visitor_Log_Records>("Visitor_Log_Records");
    ASSERT_NE(log, nullptr);
    log->show();  // as the records button leaves it for the user
    ASSERT_EQ(log->ListData().size(), 3u);
    EXPECT_EQ(log->ListData().front().Name.toStdString(), "Ada");
    log->findChild<QLineEdit *>("Name")->setText("grace");
    ControllerTest::pressIn(*log, "Search_Records");
    ASSERT_EQ(log->ListData().size(), 1u);
    auto *list = log->findChild<QTableWidget *>("ColList");
    const QPoint row = list->visualRect(list->model()->index(0, 1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);  // the visit's details
    ui->push(pathIn("pass.pdf"));
    ControllerTest::pressIn(*log, "Export_PDF");
    const auto text = testsupport::runTool(pdftotext, {pathIn("pass.pdf"), "-"});
    EXPECT_TRUE(text.out.contains("Grace Hopper")) << text.out.toStdString();
    const auto preview = log->Pass_Preview();
    auto *pages = preview->findChild<QPrintPreviewWidget *>();
    ASSERT_NE(pages, nullptr);
    pages->updatePreview();
    EXPECT_EQ(pages->pageCount(), 1);
}

// On a desk with no printer (as every test sees it), Print says why; a PDF printed from the preview is written; and the
// next Print neither trips over the failed run nor prints into that PDF file again.
TEST_F(VisitorDeskTest, AFailedPrintLeavesLaterPrintsAndPreviewsWhole)
{
    REQUIRE_TOOL(tool, "sqlite3");
    REQUIRE_TOOL(pdftotext, "pdftotext");
    // The test programs see no print server, whatever this machine has.
    ASSERT_EQ(QPrinterInfo::availablePrinterNames(), QStringList());
    startVisitor();
    type(front().value[0], "Grace Hopper");
    ASSERT_EQ(record(), kVisitSaved);
    click("show_db_rcd_btn");
    auto *log = outlet<Visitor_Log_Records>("Visitor_Log_Records");
    ASSERT_NE(log, nullptr);
    log->show();  // as the records button leaves it for the user
    ASSERT_EQ(log->ListData().size(), 1u);
    ASSERT_TRUE(log->Show_Visitor_Details(log->ListData().front().id));
    const QString noPrinter = QStringLiteral("The visitor pass could not be printed.\n\nNo printer is set up on this computer.");
    const auto printAndWait = [&] {
        ui->clear();
        press(log->findChild<QPushButton *>(QStringLiteral("Print")));
        for (int i = 0; i < 250 && ui->messages().isEmpty(); ++i)
            QTest::qWait(20);
        return ui->messages();
    };
    EXPECT_EQ(printAndWait(), QStringList{noPrinter});
    const QString file = pathIn("from-preview.pdf");
    {
        const auto preview = log->Pass_Preview();
        preview->printer()->setOutputFileName(file);  // as its print panel does for a PDF
        preview->findChild<QPrintPreviewWidget *>()->print();
    }
    const auto text = testsupport::runTool(pdftotext, {file, "-"});
    EXPECT_TRUE(text.out.contains("Grace Hopper")) << text.err.toStdString();
    ASSERT_TRUE(QFile::remove(file));
    EXPECT_EQ(printAndWait(), QStringList{noPrinter});
    EXPECT_FALSE(QFileInfo::exists(file)) << "the PDF chosen in the preview is not printed into again";
}

// The date box off records the day of saving in one English form, whatever the desk's language;
// a one-sided card stores an empty back with that date and time; an empty panel stores nothing.
TEST_F(VisitorDeskTest, DatesOneSidedCardsAndEmptyPanels)
{
    REQUIRE_TOOL(tool, "sqlite3");
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    startVisitor();
    CARD_SIDE_STR = QStringLiteral("1");
    const QString today = QLocale(QLocale::English).toString(QDate::currentDate(), "dd-MMM-yyyy");
    front().Set_Date_Value();
    EXPECT_EQ(front().value[kDateField]->text(), today);
    front().value_chk[kDateField]->setChecked(false);
    type(front().value[0], "Jo");
    EXPECT_EQ(record(), kVisitSaved);
    QLocale::setDefault(previous);
    EXPECT_EQ(sql("SELECT VName, Use_Date, EntryDate, VName_B, VName_lb_B, Other_B, Use_Date_B, EntryDate_B, "
                  "length(EntryTime_B) FROM Visitor_Records;"),
              QStringLiteral("Jo|0|%1||||0|%1|8\n").arg(today));

    liveModePanel().Reset_All_Visitor_Grp_Mode_Ctrl();
    EXPECT_EQ(record(), "Please enter some details of visitor.");
    EXPECT_EQ(sql("SELECT count(*) FROM Visitor_Records;"), "1\n");
}

// Custom rows: numbered ids, rows 25 points apart, card controls that show their ids until typed,
// the rows' text in the database, and no photo kind to choose at the desk.
TEST_F(VisitorDeskTest, CustomRowsReachTheCardAndTheRecord)
{
    REQUIRE_TOOL(tool, "sqlite3");
    startVisitor();
    Profile_Panel &p = front();
    EXPECT_TRUE(p.custom_label_box->isHidden());
    press(p.Add_label_btn);
    press(p.Add_label_btn);
    ASSERT_EQ(p.view_array_label.size(), 2u);
    ASSERT_EQ(p.view_array_value.size(), 2u);
    EXPECT_EQ(p.view_array_label[0].id, "F_label1");
    EXPECT_EQ(p.view_array_value[1].id, "F_field2");
    EXPECT_EQ(p.view_array_label[0].view->y(), 5);
    EXPECT_EQ(p.view_array_value[1].view->y(), 30);
    EXPECT_FALSE(p.custom_label_box->isHidden());
    EXPECT_EQ(p.counter, 3);
    ASSERT_NE(control("F_label2"), nullptr);
    EXPECT_EQ(control("F_label2")->Text_Value, "F_label2");
    EXPECT_EQ(controller->dynamic_ctrl_list_front.size(), 4u);  // the window's list follows

    type(customBox(p.view_array_label, 0), "Car");
    type(customBox(p.view_array_value, 0), "XY 1");
    type(customBox(p.view_array_label, 1), "Desk");
    type(customBox(p.view_array_value, 1), "4");
    EXPECT_EQ(control("F_field1")->Text_Value, "XY 1");
    EXPECT_EQ(liveModePanel().Get_text_box_of_visitor_mode("F_field2"), p.view_array_value[1].view);
    EXPECT_EQ(liveModePanel().Get_chk_box_of_visitor_mode("F_label1"), p.view_array_label[0].chk);

    // Unticking a row hides its control and closes its box; ticking shows it again.
    press(p.view_array_value[1].chk);
    EXPECT_FALSE(control("F_field2")->ctrl_is_visible);
    EXPECT_FALSE(p.view_array_value[1].view->isEnabled());
    press(p.view_array_value[1].chk);
    EXPECT_TRUE(control("F_field2")->ctrl_is_visible);

    EXPECT_EQ(record(), kVisitSaved);
    EXPECT_EQ(sql("SELECT Other FROM Visitor_Records;"), "Car : XY 1\r\nDesk : 4\n");

    // The desk offers no photo kind: its kind box is out of reach, and Add makes a text row.
    EXPECT_FALSE(testsupport::unreachable(p.image_ctrl_type).isEmpty());
    press(p.Add_label_btn);
    ASSERT_NE(control("F_field3"), nullptr);
    EXPECT_EQ(control("F_field3")->kind(), SKTGraphicKind::Text);
    EXPECT_EQ(control("F_Photo3"), nullptr);
    // The reset removes the rows but keeps their card controls.
    liveModePanel().Reset_All_Visitor_Grp_Mode_Ctrl();
    EXPECT_TRUE(p.view_array_label.empty());
    EXPECT_TRUE(p.custom_label_box->isHidden());
    EXPECT_EQ(p.counter, 1);
    EXPECT_TRUE(p.text_ctrl_type->isChecked());
    EXPECT_NE(control("F_label1"), nullptr);
}

// A photo row reaches the desk with a template that carries one (the kind box that makes them is
// group mode's): a file chosen while its picture is selected goes into that row, and the record
// keeps the row's file.
TEST_F(VisitorDeskTest, ATemplatesPhotoRowTakesAFileAndIsRecorded)
{
    REQUIRE_TOOL(tool, "sqlite3");
    const QString folder = platform::joinPath(Created_Resource_Path, "Templates", "User");
    ASSERT_TRUE(QDir().mkpath(folder));
    DesignReadResult amber = Read_Design_File(platform::joinPath(Resource_Path, "Templates/Visitor/Visitor Amber (h).did"));
    ASSERT_TRUE(amber.ok());
    std::shared_ptr<SKTGraphic> photo = SKTImage::initWithPath_With_ID({150, 20}, QString(), "F_Photo1");
    photo->setBounds({150, 20, 40, 40});
    amber.design->frontControls.insert(amber.design->frontControls.begin(), photo);
    ASSERT_TRUE(Write_Design_File(platform::joinPath(folder, "Gate.did"), *amber.design, true).ok());
    ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(platform::joinPath(folder, "Gate.png")));
    startAnswers = {13};
    galleryAction = [](Template_Wizard &w) {
        w.cat_cmbo_bx->setCurrentIndex(1);  // the user's templates
        for (int i = 0; i < int(w.imageBrowser->images().size()); ++i)
            if (w.imageBrowser->images()[size_t(i)].imageTitle() == "Gate")
                return w.imageBrowser->selectImage(i), pressIn(w, "OK_btn");
        pressIn(w, "Cancel_btn");
    };
    ASSERT_TRUE(setUpWindow());
    ASSERT_EQ(Start_Card_Option, "V");
    Profile_Panel &p = front();
    ASSERT_NE(p.Get_Dynamic_Photo_Ctrl("F_Photo1"), nullptr);
    auto *path = qobject_cast<QLineEdit *>(p.Get_Dynamic_Label_Ctrl("F_Photo1", "T"));
    ASSERT_NE(path, nullptr);
    EXPECT_FALSE(p.custom_label_box->isHidden());
    // Made after the template's photo row, a row the desk adds is still a text row.
    EXPECT_FALSE(testsupport::unreachable(p.image_ctrl_type).isEmpty());
    press(p.Add_label_btn);
    ASSERT_NE(control("F_field2"), nullptr);
    EXPECT_EQ(control("F_field2")->kind(), SKTGraphicKind::Text);
    press(p.view_array_label.back().chk);  // its caption unticked and its value left empty: not recorded
    press(p.view_array_value.back().chk);

    QImage blue(20, 20, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    ASSERT_TRUE(blue.save(pathIn("badge.png")));
    clickAt(canvas(0), control("F_Photo1")->bounds().center());
    ui->push(pathIn("badge.png"));
    press(p.browse_pic_btn);
    EXPECT_EQ(static_cast<SKTImage *>(control("F_Photo1"))->_file_path, pathIn("badge.png"));
    EXPECT_EQ(path->text(), pathIn("badge.png"));
    const QImage card = rendered(controller->Card_Side_Value(0));
    EXPECT_EQ(card.pixelColor(control("F_Photo1")->bounds().center().toPoint()), QColor(Qt::blue));
    type(front().value[0], "Jo");
    EXPECT_EQ(record(), kVisitSaved);
    EXPECT_EQ(sql("SELECT VName, Other FROM Visitor_Records;"), "Jo|" + pathIn("badge.png") + "\n");
}

// The buttons of each face: profile button in design mode, record buttons on the visitor desk,
// the design face again while the start dialog is up over the desk, the kinds box in group mode.
TEST_F(VisitorDeskTest, EachFaceShowsItsButtons)
{
    ASSERT_TRUE(setUpWindow());
    auto hidden = [this](const char *name) {
        auto *b = controller->findChild<QAbstractButton *>(QString::fromLatin1(name));
        EXPECT_NE(b, nullptr) << name;
        return !b || b->isHidden();
    };
    // Profile, records, the panel's record button, the panel's new-field kinds: hidden or not.
    const auto face = [&] {
        return std::string{hidden("User_Profile_Btn") ? 'h' : 's', hidden("show_db_rcd_btn") ? 'h' : 's',
                           front().Add_to_DB_btn->isHidden() ? 'h' : 's', front().new_ctrl_type_box->isHidden() ? 'h' : 's'};
    };
    EXPECT_EQ(face(), "shhh") << "design";
    ui->push(int(platform::AnswerNo));
    chooseVisitorRoad();
    click("New_btn");
    ASSERT_EQ(Start_Card_Option, "V");
    EXPECT_EQ(face(), "hssh") << "the visitor desk";
    std::string underTheStartDialog;
    onStartDialog = [&] {
        if (underTheStartDialog.empty())
            underTheStartDialog = face();
    };
    ui->push(int(platform::AnswerNo));
    chooseGroupRoad();
    click("New_btn");
    ASSERT_EQ(Start_Card_Option, "G");
    EXPECT_EQ(underTheStartDialog, "shhh") << "the start dialog over the desk";
    EXPECT_EQ(face(), "hhhs") << "group mode";
}

// The desk fits a 1024 x 700 screen, its panel column keeping most of its width.
TEST_F(VisitorDeskTest, TheDeskFitsASmallScreen)
{
    startVisitor();
    controller->resize(1024, 700);
    controller->show();
    QCoreApplication::processEvents();
    EXPECT_LE(controller->width(), 1024);
    EXPECT_LE(controller->height(), 700);
    EXPECT_GE(outlet<QSplitter>("verticalSplitView")->sizes().value(1), 250);
}

// New and Open leave the visitor desk: no live panel stays beside the next design.
TEST_F(VisitorDeskTest, NewAndOpenFromTheDeskHideThePanels)
{
    startVisitor();
    auto *view = outlet<QWidget>("Visitor_mode_view");
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisibleTo(controller.get()));
    controller->New_Project_Setting_Reset(true);
    EXPECT_FALSE(view->isVisibleTo(controller.get()));
    EXPECT_FALSE(outlet<QSplitter>("verticalSplitView")->widget(1)->isVisibleTo(controller.get()));
}

// Undo after a panel change takes back the card and the panel's box alike.
TEST_F(VisitorDeskTest, UndoRestoresPanelAndCard)
{
    startVisitor();
    type(front().value[0], "Ann");
    QTest::keyClicks(front().value[0], "e");
    ASSERT_EQ(control("Fup_Name")->Text_Value, "Anne");
    click("Undo_btn");
    click("Undo_btn");
    const QString shown = control("Fup_Name")->Text_Value;
    EXPECT_NE(shown, "Anne");
    EXPECT_EQ(front().value[0]->text(), shown);
    EXPECT_TRUE(front().value_chk[0]->isChecked());
    EXPECT_TRUE(front().value[0]->isEnabled());
    click("Redo_btn");
    click("Redo_btn");
    EXPECT_EQ(front().value[0]->text(), control("Fup_Name")->Text_Value);
}

// Undo brings the visitor's photo back into the panel with its source picture's path only when
// that is a regular file: a missing source or a folder leaves the path box empty.
TEST_F(VisitorDeskTest, UndoShowsThePhotosSourceOnlyWhenItIsAFile)
{
    startVisitor();
    const QString inUse = pathIn("in-use.png"), source = pathIn("source.png"), folder = pathIn("a-folder.png");
    for (const QString &path : {inUse, source}) {
        QImage picture(20, 20, QImage::Format_RGB32);
        picture.fill(Qt::red);
        ASSERT_TRUE(picture.save(path));
    }
    ASSERT_TRUE(QDir().mkpath(folder));
    const struct {
        const char *what;
        QString filePath, textValue, shown;
    } cases[] = {
        {"a regular file", inUse, source, source},
        {"a missing file", inUse, pathIn("missing.png"), QString()},
        {"a folder", inUse, folder, QString()},
        {"a folder in use", folder, source, QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SKTGraphic *photo = control("Fup_Photo");
        ASSERT_NE(photo, nullptr);
        photo->_file_path = c.filePath;
        photo->Text_Value = c.textValue;
        controller->Insert_In_Undo_Redo();
        // A later change, which Undo takes back to the photo above.
        photo->Text_Value = pathIn("later.png");
        front().image_path_val->setText(QStringLiteral("typed meanwhile"));
        click("Undo_btn");
        ASSERT_EQ(control("Fup_Photo")->Text_Value, c.textValue);
        EXPECT_EQ(front().image_path_val->text(), c.shown);
    }
}

// A photo cropped at the desk is the one the visit records, also after an Undo or a Redo that
// passes over the crop: the recorded file shows what the card shows.
TEST_F(VisitorDeskTest, AVisitRecordsTheCroppedPhotoTheCardShows)
{
    REQUIRE_TOOL(tool, "sqlite3");
    startVisitor();
    for (const auto &[name, colour] : {std::pair{"face.png", Qt::red}, {"cropped.png", Qt::blue}}) {
        QImage picture(60, 80, QImage::Format_RGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(pathIn(name)));
    }
    // A letter typed then Undo; or Undo and Redo of the crop.
    for (const QStringList &after : {QStringList{"e", "Undo_btn"}, QStringList{"", "Undo_btn", "Redo_btn"}}) {
        type(front().value[0], "Ann");
        ui->push(pathIn("face.png"));
        press(front().browse_pic_btn);
        Cropping_Tool::defaultInstance()->Crop_Direct_Path = pathIn("cropped.png");
        ui->push(1);  // the cropping tool's direct run, finished
        press(controller->propertyPanel().crop_image_btn);
        QTest::keyClicks(front().value[0], after.front());
        for (const QString &button : after.mid(1))
            click(button.toLatin1().constData());
        EXPECT_EQ(record(), kVisitSaved);
        const QString photo = sql("SELECT Photo FROM Visitor_Records ORDER BY ID DESC LIMIT 1;").trimmed();
        const QImage card = rendered(controller->Card_Side_Value(0));
        const QColor shown = card.pixelColor(control("Fup_Photo")->bounds().center().toPoint());
        EXPECT_EQ(QImage(photo).pixelColor(30, 40), shown) << after.join(' ').toStdString();
        EXPECT_EQ(shown, QColor(Qt::blue));
    }
}

// A profile laid on a portrait back of a landscape card takes the portrait places.
TEST_F(VisitorDeskTest, TemplatePlacesFollowTheSidesOwnCard)
{
    ASSERT_TRUE(setUpWindow());
    controller->Front_card_Prop->setCard_Size(QSizeF(243, 154));
    controller->Back_card_Prop->setCard_Size(QSizeF(154, 243));
    QRectF places[2];
    for (int side : {0, 1}) {
        Card_Front_Or_Back = side;
        places[side] = liveModePanel().Get_Control_Rect_From_Template("Fup_Name", "x");
    }
    Card_Front_Or_Back = 0;
    EXPECT_GT(places[0].width(), places[1].width());  // the landscape row is wider than the portrait one
    EXPECT_LT(places[0].top(), places[1].top());      // the portrait fields stand under the photo
    EXPECT_EQ(liveModePanel().Get_Control_Rect_From_Template("Fup_lbl_Name", "").top(), places[0].top() - 10);
    const QRectF photo = liveModePanel().Get_Control_Rect_From_Template("Fup_Photo", "");
    EXPECT_TRUE(QRectF(0, 0, 243, 154).contains(photo)) << photo.y();
}

}  // namespace

namespace {

// The visitor road: the gallery opens on the visitor templates; the template's photo placeholder
// stays on the desk's card while the panel's path box stays empty until a photo is chosen, and
// the card that is printed, exported or mailed shows no photo there.
TEST_F(VisitorDeskTest, TheVisitorRoadOpensOnVisitorTemplatesAndKeepsThePlaceholder)
{
    QString openedOn;
    startVisitor(&openedOn);
    EXPECT_EQ(openedOn.toStdString(), "Visitor");
    SKTGraphic *photo = control("Fup_Photo");
    ASSERT_NE(photo, nullptr);
    EXPECT_TRUE(photo->ctrl_is_visible);
    EXPECT_FALSE(photo->_contents.isNull());
    EXPECT_EQ(front().image_path_val->text().toStdString(), "");
    // The placeholder's picture is on the rendered card: its frame is not all card colour.
    EXPECT_GT(coloursIn(rendered(controller->Card_Side_Value(0)), photo->bounds()), 1);
    EXPECT_EQ(coloursIn(rendered(controller->Prepare_Print_Export_Mail().front), photo->bounds()), 1);
}

}  // namespace

namespace {

// After OK in the side profile dialog the panel shows what the card now shows: the new name, and
// the date box as its control is.
TEST_F(VisitorDeskTest, ThePanelFollowsTheCardAfterTheSideProfileDialog)
{
    startVisitor();
    press(front().value_chk[kDateField]);
    ASSERT_TRUE(control("Fup_Date") && control("Fup_Date")->ctrl_is_visible);
    const ProfileModalRunner previous = Set_Profile_Modal_Runner([](QDialog &d) {
        auto &dlg = dynamic_cast<ProfileDialogBase &>(d);
        dlg.rows[0].value->setText("Nina New");
        emit dlg.rows[0].value->textEdited("Nina New");
        pressIn(dlg, "OK_Btn_Clicked");
        return dlg.result();
    });
    press(outlet<QAction>("profile_menu"));
    Set_Profile_Modal_Runner(previous);
    ASSERT_EQ(control("Fup_Name")->Text_Value.toStdString(), "Nina New");
    EXPECT_EQ(front().value[0]->text().toStdString(), "Nina New");
    EXPECT_TRUE(front().value_chk[0]->isChecked());
    EXPECT_EQ(front().value_chk[kDateField]->isChecked(), control("Fup_Date")->ctrl_is_visible);
}

}  // namespace

namespace {

// The Preview side on the desk: it is the side shown (no side button lit), it draws the card of
// the side in work, and a photo chosen in the panel is on it at once.
TEST_F(VisitorDeskTest, ThePreviewSideShowsTheSideInWork)
{
    startVisitor();
    controller->resize(1000, 680);
    controller->show();
    click("Temp_Side_btn");
    EXPECT_FALSE(outlet<QToolButton>("Front_Side_btn")->isChecked());
    EXPECT_TRUE(outlet<QToolButton>("Temp_Side_btn")->isChecked());
    QCoreApplication::processEvents();
    const QImage preview = grabbed(2), work = grabbed(0);
    for (const QPointF p : {QPointF(3, 3), QPointF(120, 150), QPointF(230, 140)}) {
        SCOPED_TRACE(p.x());
        EXPECT_EQ(preview.pixel(at(canvas(2), p)), work.pixel(at(canvas(0), p)));
    }
    QImage red(30, 40, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(pathIn("red.png")));
    ui->push(pathIn("red.png"));
    controller->canvasOfSide(0)->Set_Selection_Index_According_ID("Fup_Photo");
    press(front().browse_pic_btn);
    bool shown = false;
    for (const SKTGraphicPtr &g : document->graphicsOfSide(2))
        shown = shown || (g->control_ID == "Fup_Photo" && static_cast<SKTImage &>(*g)._file_path == pathIn("red.png"));
    EXPECT_TRUE(shown);
    click("Front_Side_btn");
    EXPECT_FALSE(outlet<QToolButton>("Temp_Side_btn")->isChecked());
}

}  // namespace

namespace {

// Copy to Other Side on the desk: the back panel shows the copied fields at once.
TEST_F(VisitorDeskTest, CopyToTheOtherSideFillsTheBackPanel)
{
    startVisitor();
    CARD_SIDE_STR = QStringLiteral("2");
    type(front().value[0], "Copied Cora");
    ui->push(int(platform::AnswerYes));
    click("copy_card_design_btn");
    Profile_Panel &back = *Back_Profile_Panel_OBJ;
    EXPECT_EQ(back.value[0]->text().toStdString(), "Copied Cora");
    EXPECT_TRUE(back.value_chk[0]->isChecked());
}

}  // namespace

namespace {

// A locked name stays locked on both sides after Copy to Other Side: its boxes cannot be typed
// into and the card keeps its text; a custom field added on the front comes with the copy as a
// row of the back panel.
TEST_F(VisitorDeskTest, CopyToTheOtherSideKeepsLocksAndCustomRows)
{
    startVisitor();
    CARD_SIDE_STR = QStringLiteral("2");
    type(front().value[0], "Locked Lou");
    press(front().Add_label_btn);
    controller->canvasOfSide(0)->Set_Selection_Index_According_ID("Fup_Name");
    click("Lock_btn");
    ASSERT_TRUE(control("Fup_Name")->ctrl_is_locked);
    ui->push(int(platform::AnswerYes));
    click("copy_card_design_btn");
    Profile_Panel &back = *Back_Profile_Panel_OBJ;
    const auto backName = [&]() -> SKTGraphic * {
        for (const SKTGraphicPtr &g : document->graphicsOfSide(1))
            if (g->control_ID == "Fup_Name")
                return g.get();
        return nullptr;
    };
    ASSERT_NE(backName(), nullptr);
    EXPECT_TRUE(backName()->ctrl_is_locked);
    QStringList rows;
    for (const auto *list : {&back.view_array_label, &back.view_array_value})
        for (const CustomRowEntry &e : *list)
            rows << e.id;
    EXPECT_EQ(rows.join(' ').toStdString(), "F_label1 F_field1");
    for (int side : {1, 0}) {
        SCOPED_TRACE(side);
        click(side == 0 ? "Front_Side_btn" : "Back_Side_btn");
        Profile_Panel &p = side == 0 ? front() : back;
        EXPECT_FALSE(p.value[0]->isEnabled());
        EXPECT_FALSE(p.value_chk[0]->isEnabled());
        QTest::keyClicks(p.value[0], "X");
        EXPECT_EQ((side == 0 ? control("Fup_Name") : backName())->Text_Value.toStdString(), "Locked Lou");
    }
}

// Turning the fresh visitor template to the other orientation gives its vertical twin, and back
// its horizontal layout again, on both sides; the desk stays: visitor mode, its panel and record
// button on show, typing fills the new card.
TEST_F(VisitorDeskTest, TheOrientationTwinOfAVisitorTemplateKeepsTheDesk)
{
    startVisitor();
    const QSizeF before = canvas(0)->canvasBounds().size();
    ASSERT_GT(before.width(), before.height());
    const SideState horizontal[2] = {state(0), state(1)};
    for (const char *turn : {"Vertical", "Horizontal", "Vertical"})
        chooseIn(controller->Preset_ComboBox, turn);
    click("Back_Side_btn");
    chooseIn(controller->Preset_ComboBox, "Horizontal");
    EXPECT_TRUE(state(0) == horizontal[0] && state(1) == horizontal[1]);
    EXPECT_TRUE(Back_Profile_Panel_OBJ->isVisibleTo(controller.get())) << "the desk stays on the side turned";
    click("Front_Side_btn");
    chooseIn(controller->Preset_ComboBox, "Vertical");
    click("Rect_Tool_btn");
    click("Undo_btn");
    EXPECT_FALSE(enabled("Undo_btn")) << "nothing of the horizontal card is left to undo";
    const QSizeF after = canvas(0)->canvasBounds().size();
    EXPECT_LT(after.width(), after.height());
    EXPECT_EQ(Start_Card_Option.toStdString(), "V");
    EXPECT_TRUE(outlet<QWidget>("scrollView")->isVisibleTo(controller.get()));
    EXPECT_TRUE(outlet<QWidget>("show_db_rcd_btn")->isVisibleTo(controller.get()));
    EXPECT_TRUE(front().Add_to_DB_btn->isVisibleTo(controller.get()));
    EXPECT_NE(control("Fup_Photo"), nullptr);
    type(front().value[0], "Vera Vertical");
    ASSERT_NE(control("Fup_Name"), nullptr);
    EXPECT_EQ(control("Fup_Name")->Text_Value.toStdString(), "Vera Vertical");
}

// Leaving the desk for a design, by New, by File > Open or by a finished invitation, gives the
// window the design face: the profile button and every tool back, no visitor records, no panel.
TEST_F(VisitorDeskTest, LeavingTheDeskGivesTheDesignFaceItsButtons)
{
    QImage picture(40, 50, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(pathIn("photo.png")));
    Invitation_Wizard::setModalRunner([&](Invitation_Wizard &w) {
        pressIn(w, "Using_Wizard_btn");
        pressIn(w, "Next_btn");  // the first frame
        EXPECT_TRUE(w.Load_Photo(pathIn("photo.png")));
        press(w.Next_btn);
        return w.result();
    });
    const QString design = platform::joinPath(Resource_Path, "Templates/Corporate", "Blue Horizon (h).did");
    ASSERT_TRUE(QFileInfo::exists(design));
    const struct {
        const char *road;
        std::function<void()> take;
    } roads[] = {
        {"New", [&] {
             ui->push(int(platform::AnswerNo));
             startAnswers = {1};
             click("New_btn");
         }},
        {"Open", [&] { open(design); }},
        {"Invitation", [&] {
             ui->push(int(platform::AnswerNo));
             press(controller->findChild<QAction *>("invitation_menu"));
         }},
    };
    startVisitor();
    for (const auto &road : roads) {
        SCOPED_TRACE(road.road);
        if (Start_Card_Option != "V") {  // back to the desk the way a person gets there
            ui->push(int(platform::AnswerNo));
            startAnswers = {13};
            click("New_btn");
        }
        ASSERT_EQ(Start_Card_Option.toStdString(), "V");
        ASSERT_TRUE(outlet<QWidget>("show_db_rcd_btn")->isVisibleTo(controller.get()));
        road.take();
        EXPECT_NE(Start_Card_Option.toStdString(), "V");
        EXPECT_TRUE(outlet<QWidget>("User_Profile_Btn")->isVisibleTo(controller.get()));
        EXPECT_FALSE(outlet<QWidget>("show_db_rcd_btn")->isVisibleTo(controller.get()));
        EXPECT_FALSE(outlet<QWidget>("scrollView")->isVisibleTo(controller.get()));
        for (const char *tool : {"text_tool_btn", "image_tool_btn", "image_library_tool_btn"})
            EXPECT_TRUE(enabled(tool)) << tool;
    }
    Invitation_Wizard::setModalRunner({});
}

// On a fresh desk a field the card lacks is off: its check box can be ticked, its boxes cannot be
// typed into until it is, and typing at them leaves the card alone; ticking opens the value box
// and puts the field on the card. A new visitor desk starts the same way again.
TEST_F(VisitorDeskTest, AFieldTheCardLacksOpensOnlyOnceTicked)
{
    startVisitor();
    constexpr int kFax = 6;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_EQ(control("Fup_FaxNo"), nullptr);
        for (QLineEdit *box : {front().label[kFax], front().value[kFax]})
            EXPECT_FALSE(box->isEnabled());
        EXPECT_TRUE(front().value_chk[kFax]->isEnabled());
        EXPECT_FALSE(front().value_chk[kFax]->isChecked());
        QTest::keyClicks(front().value[kFax], "123");
        EXPECT_EQ(control("Fup_FaxNo"), nullptr);
        press(front().value_chk[kFax]);
        EXPECT_TRUE(front().value[kFax]->isEnabled());
        type(front().value[kFax], "555 0100");
        ASSERT_NE(control("Fup_FaxNo"), nullptr);
        EXPECT_EQ(control("Fup_FaxNo")->Text_Value.toStdString(), "555 0100");
        // Back to a fresh desk.
        ui->push(int(platform::AnswerNo));
        startAnswers = {13};
        click("New_btn");
        ASSERT_EQ(Start_Card_Option.toStdString(), "V");
    }
}

// A loaded design's custom controls come back as panel rows, last entry first: a caption with its
// value, a caption alone, a photo; the card is not touched.
TEST_F(VisitorDeskTest, ALoadedDesignsCustomControlsBecomeRows)
{
    startVisitor();
    QImage green(10, 10, QImage::Format_RGB32);
    green.fill(Qt::green);
    ASSERT_TRUE(green.save(pathIn("g.png")));
    controller->dynamic_ctrl_list_front = {
        {"F_label7", "Car", "Y", "-1", "T"},
        {"F_field7", "XY 1", "N", "-1", "T"},
        {"F_label8", "Alone", "Y", "-1", "T"},
        {"F_Photo9", pathIn("g.png"), "Y", "-1", "P"},
    };
    const size_t controls = document->graphicsOfSide(0).size();
    Visitor_Mode_Of(*controller)->Create_Control_For_Visitor_Mode();
    Profile_Panel &p = front();
    QStringList labels, values;
    for (const CustomRowEntry &e : p.view_array_label)
        labels << e.id;
    for (const CustomRowEntry &e : p.view_array_value)
        values << e.id + "=" + qobject_cast<QLineEdit *>(e.view)->text() + (e.chk->isChecked() ? "+" : "-");
    EXPECT_EQ(labels.join(' ').toStdString(), "F_Photo9 F_label8 F_label7");
    EXPECT_EQ(values.join(' ').toStdString(), ("F_Photo9=" + pathIn("g.png") + "+ F_field7=XY 1-").toStdString());
    EXPECT_EQ(p.counter, 3);  // the caption alone takes no row position of its own
    EXPECT_EQ(p.txt_or_image_ctrl, 0);
    EXPECT_FALSE(p.Get_Dynamic_Photo_Ctrl("F_Photo9")->pixmap().isNull());
    EXPECT_EQ(document->graphicsOfSide(0).size(), controls);
}

}  // namespace

namespace {

// A recorded visit opened from the visitor log shows its rows whole, one under the other from
// the top, without scrolling sideways to read the values.
TEST_F(VisitorDeskTest, LoggedVisitsDetailsShowTheirRowsWhole)
{
    startVisitor();
    type(front().value[0], "Grace Hopper");
    type(front().value[2], "Navy");
    ASSERT_EQ(record(), kVisitSaved);
    click("show_db_rcd_btn");
    auto *log = outlet<Visitor_Log_Records>("Visitor_Log_Records");
    ASSERT_NE(log, nullptr);
    ASSERT_FALSE(log->ListData().empty());
    ASSERT_TRUE(log->Show_Visitor_Details(log->ListData().front().id));
    log->show();
    QCoreApplication::processEvents();
    auto *scroll = log->findChild<QScrollArea *>("Scroll_View");
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0)
        << "rows need " << scroll->widget()->width() << " of " << scroll->viewport()->width();
    QList<QLineEdit *> boxes = scroll->widget()->findChildren<QLineEdit *>();
    ASSERT_GE(boxes.size(), 4);  // caption and value of both rows typed
    std::sort(boxes.begin(), boxes.end(), [](QLineEdit *a, QLineEdit *b) { return a->y() < b->y(); });
    EXPECT_LE(boxes.front()->y(), 20) << "the rows start at the top";
    for (int i = 1; i < boxes.size(); ++i)
        EXPECT_LE(boxes[i]->y() - boxes[i - 1]->geometry().bottom(), 20) << "the rows stand apart";
    for (QLineEdit *e : boxes)
        EXPECT_LE(e->geometry().right(), scroll->viewport()->width()) << e->text().toStdString() << " is cut off";
    EXPECT_TRUE(std::any_of(boxes.begin(), boxes.end(), [](QLineEdit *e) { return e->text() == "Grace Hopper"; }));
    log->hide();
}

}  // namespace

namespace {

// The desk's clock set by the test for as long as it lives.
class ScopedVisitorClock {
public:
    explicit ScopedVisitorClock(QDateTime &now) : m_previous(Set_Visitor_Clock([&now] { return now; })) {}
    ~ScopedVisitorClock() { Set_Visitor_Clock(m_previous); }

private:
    std::function<QDateTime()> m_previous;
};

// A time not typed by hand is the time of recording: visits a minute apart with the Time box
// ticked store, show and put on the card each its own time; a time typed with Manual time on
// is stored as typed.
TEST_F(VisitorDeskTest, EachVisitKeepsTheTimeItWasRecorded)
{
    REQUIRE_TOOL(tool, "sqlite3");
    QDateTime now(QDate(2026, 12, 7), QTime(8, 51, 53));
    const ScopedVisitorClock clock(now);
    startVisitor();
    if (!front().value_chk[kTimeField]->isChecked())
        press(front().value_chk[kTimeField]);
    ASSERT_TRUE(front().value_chk[kTimeField]->isChecked());
    ASSERT_FALSE(front().time_manual_chk->isChecked());
    const struct {
        const char *name;
        QTime at;
        bool manual;
        QString typed, stored;
    } visits[] = {
        {"Ann", QTime(8, 52, 10), false, {}, "08:52:10"},
        {"Ben", QTime(8, 53, 12), false, {}, "08:53:12"},
        {"Cai", QTime(8, 54, 14), false, {}, "08:54:14"},
        {"Dee", QTime(8, 55, 16), true, "07:30:00", "07:30:00"},
    };
    QString expected;
    for (const auto &v : visits) {
        SCOPED_TRACE(v.name);
        if (front().time_manual_chk->isChecked() != v.manual)
            press(front().time_manual_chk);
        if (v.manual)
            type(front().value[kTimeField], v.typed);
        type(front().value[0], v.name);
        now.setTime(v.at);
        EXPECT_EQ(record(), kVisitSaved);
        EXPECT_EQ(front().value[kTimeField]->text().toStdString(), v.stored.toStdString());
        ASSERT_NE(control("Fup_Time"), nullptr);
        EXPECT_EQ(control("Fup_Time")->Text_Value.toStdString(), v.stored.toStdString());
        expected += QStringLiteral("%1|%2|1|2026-12-07 %3\n").arg(v.name, v.stored, v.at.toString("HH:mm:ss"));
    }
    EXPECT_EQ(sql("SELECT VName, EntryTime, Use_Time, Date_Time_Stamp FROM Visitor_Records ORDER BY ID;").toStdString(),
              expected.toStdString());
}

}  // namespace

namespace {

// OK in the side profile dialog of either side leaves that side's date and time on the card as
// they were, with their boxes ticked and their texts kept.
TEST_F(VisitorDeskTest, TheSideProfileDialogKeepsTheDateAndTime)
{
    startVisitor();
    CARD_SIDE_STR = QStringLiteral("2");
    for (int side : {0, 1}) {
        SCOPED_TRACE(side);
        click(side == 0 ? "Front_Side_btn" : "Back_Side_btn");
        Profile_Panel &p = side == 0 ? front() : *Back_Profile_Panel_OBJ;
        for (int row : {kDateField, kTimeField})
            if (!p.value_chk[row]->isChecked())
                press(p.value_chk[row]);
        const auto shown = [&] {
            QStringList out;
            for (const char *id : {"Fup_Date", "Fup_Time"}) {
                const SKTGraphic *g = canvas(side)->Selcect_Ctrl_With_ID(id);
                out << (g && g->ctrl_is_visible ? g->Text_Value : QStringLiteral("<hidden>"));
            }
            return out.join(" ").toStdString();
        };
        const std::string before = shown();
        ASSERT_EQ(before.find("<hidden>"), std::string::npos) << before;
        const ProfileModalRunner previous = Set_Profile_Modal_Runner([](QDialog &d) {
            auto &dlg = dynamic_cast<ProfileDialogBase &>(d);
            dlg.rows[0].value->setText("Nina New");
            emit dlg.rows[0].value->textEdited("Nina New");
            pressIn(dlg, "OK_Btn_Clicked");
            return dlg.result();
        });
        press(outlet<QAction>("profile_menu"));
        Set_Profile_Modal_Runner(previous);
        ASSERT_EQ(canvas(side)->Selcect_Ctrl_With_ID("Fup_Name")->Text_Value.toStdString(), "Nina New");
        EXPECT_EQ(shown(), before);
        EXPECT_TRUE(p.value_chk[kDateField]->isChecked());
        EXPECT_TRUE(p.value_chk[kTimeField]->isChecked());
    }
}

// The visitor log keeps one size from its list to a visit's details (with its other details)
// and back, within a 1024 x 700 screen and its title bar.
TEST_F(VisitorDeskTest, TheLogKeepsOneSizeThroughItsPages)
{
    startVisitor();
    press(front().Add_label_btn);
    type(customBox(front().view_array_value, 0), "XY 1");
    type(front().value[0], "Grace Hopper");
    ASSERT_EQ(record(), kVisitSaved);
    click("show_db_rcd_btn");
    auto *log = outlet<Visitor_Log_Records>("Visitor_Log_Records");
    log->show();
    auto *list = log->findChild<QTableWidget *>("ColList");
    const QSize first = log->size();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0, 2)).center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0, 2)).center());
    EXPECT_TRUE(log->findChild<QWidget *>("other_detail")->isVisible());
    EXPECT_EQ(log->size(), first);
    press(log->findChild<QPushButton *>("Close_Details_Panel"));
    EXPECT_EQ(log->size(), first);
    // The window with the frame the platform gives it (its title bar) within the screen.
    EXPECT_LE(log->frameGeometry().height(), 700) << log->height() << " and a frame of "
                                                   << log->frameGeometry().height() - log->height();
    log->hide();
}

// A file where the data folder's parent should be: the log names the folder and why, as Record does.
TEST_F(VisitorDeskTest, TheLogSaysWhyItsFolderCannotBeMade)
{
    startVisitor();
    const QString blocker = pathIn("file");
    QFile(blocker).open(QIODevice::WriteOnly);
    Created_Resource_Path = blocker + QStringLiteral("/data");
    Database_Path.clear();
    ui->clear();
    click("show_db_rcd_btn");
    EXPECT_EQ(ui->messages().join(u'\n').toStdString(),
              QStringLiteral("Error in database access\nThe folder %1 could not be made: %2.")
                  .arg(Created_Resource_Path, qt_error_string(ENOTDIR))
                  .toStdString());
}

}  // namespace

namespace {

// A date and time typed with "Manual date" and "Manual time" on, on either side, outlive the
// profile dialog's OK and an Undo of a name keystroke: the next visit stores them, not the clock.
TEST_F(VisitorDeskTest, TypedDateAndTimeOutliveProfileOkAndUndo)
{
    REQUIRE_TOOL(tool, "sqlite3");
    startVisitor();
    CARD_SIDE_STR = QStringLiteral("2");
    const ProfileModalRunner previous = Set_Profile_Modal_Runner([](QDialog &d) {
        pressIn(d, "OK_Btn_Clicked");
        return d.result();
    });
    const struct {
        int side;
        bool undo;
        const char *date, *time;
    } steps[] = {{0, false, "01/02/2020", "07:30:00"}, {1, false, "02/03/2021", "07:31:00"},
                 {0, true, "03/04/2022", "07:32:00"}, {1, true, "04/05/2023", "07:33:00"}};
    for (const auto &s : steps) {
        SCOPED_TRACE(s.date);
        click(s.side == 0 ? "Front_Side_btn" : "Back_Side_btn");
        Profile_Panel &p = s.side == 0 ? front() : *Back_Profile_Panel_OBJ;
        for (QCheckBox *chk : {p.value_chk[0], p.value_chk[kDateField], p.value_chk[kTimeField], p.date_manual_chk,
                               p.time_manual_chk})
            if (!chk->isChecked())
                press(chk);
        type(p.value[kDateField], s.date);
        type(p.value[kTimeField], s.time);
        type(p.value[0], "Anne");
        if (s.undo)
            click("Undo_btn");
        else
            press(menuItem("User Profile…"));
        EXPECT_EQ(p.value[0]->text().toStdString(), s.undo ? "Ann" : "Anne");
        EXPECT_EQ(record(), kVisitSaved);
    }
    Set_Profile_Modal_Runner(previous);
    EXPECT_EQ(sql("SELECT CASE ID % 2 WHEN 1 THEN EntryDate || '|' || EntryTime "
                  "ELSE EntryDate_B || '|' || EntryTime_B END FROM Visitor_Records ORDER BY ID;").toStdString(),
              "01/02/2020|07:30:00\n02/03/2021|07:31:00\n03/04/2022|07:32:00\n04/05/2023|07:33:00\n");
}

// A file that is no picture, chosen as the visitor's photo on the desk, is named as such, and
// the card keeps the photo chosen before (the design face's choosers: PanelRoadsTest).
TEST_F(VisitorDeskTest, AFileThatIsNoPictureLeavesThePhoto)
{
    startVisitor();
    QImage face(60, 80, QImage::Format_RGB32);
    face.fill(Qt::red);
    ASSERT_TRUE(face.save(pathIn("face.png")));
    ASSERT_TRUE(platform::writeWholeFile(pathIn("notes.png"), "visitor notes\n"));
    for (QPushButton *button : {front().browse_pic_btn}) {
        ui->clear();
        ui->push(pathIn("face.png"));
        press(button);
        ui->push(pathIn("notes.png"));
        press(button);
        EXPECT_EQ(ui->messages().join("").trimmed().toStdString(), "\u201Cnotes.png\u201D is not a picture.");
        const QImage card = rendered(controller->Card_Side_Value(0));
        EXPECT_EQ(card.pixelColor(control("Fup_Photo")->bounds().center().toPoint()), QColor(Qt::red));
    }
}

}  // namespace

// File > Start… from the desk, cancelled on any of its roads, gives the desk back with what the
// operator had typed and ticked, a hand-set date and time included.
TEST_F(VisitorDeskTest, ACancelledStartKeepsTheDesksTyping)
{
    startVisitor();
    Profile_Panel &p = front();
    for (QCheckBox *chk : {p.value_chk[0], p.value_chk[kDateField], p.date_manual_chk, p.time_manual_chk})
        if (!chk->isChecked())
            press(chk);
    type(p.value[0], "Anne Bo");
    type(p.value[kDateField], "01/02/2020");
    type(p.value[kTimeField], "07:30:00");
    const auto desk = [&p] {
        QStringList shown{Start_Card_Option, QString::number(p.isVisible())};
        for (int row = 0; row < kProfileFields; ++row)
            shown << p.value[size_t(row)]->text() + (p.value_chk[size_t(row)]->isChecked() ? "+" : "");
        return (shown << QString::number(p.date_manual_chk->isChecked()) << QString::number(p.time_manual_chk->isChecked()))
            .join(u'|')
            .toStdString();
    };
    const std::string before = desk();
    cancelEachStart({0, 1, 10, 13, 14}, [&](int answer) { EXPECT_EQ(desk(), before) << answer; });
    EXPECT_EQ(control("Fup_Name")->Text_Value.toStdString(), "Anne Bo");
}

// Each delivered visitor template's pass, the visitor's number typed at the desk: a scanner
// reads that number off the printed card or nothing, never the template's sample visitor, and
// a visitor given no number is not given a sample one.
TEST_F(VisitorDeskTest, EveryVisitorPassCodeNamesItsOwnVisitor)
{
    REQUIRE_TOOL(zbarimg, "zbarimg");  // reads the Code 128 that ZXingReader trips over
    const char *titles[] = {"Visitor Amber (h)", "Visitor Amber (v)", "Guest Cyan (h)", "Guest Cyan (v)"};
    for (const char *title : titles) {
        chooseVisitorRoad(nullptr, title);
        ASSERT_TRUE(title == titles[0] ? setUpWindow() : startAgain(13, "V")) << title;
        // Before a number is typed the pass offers none a visitor would be recorded under.
        EXPECT_FALSE(front().value[9]->text().contains(QRegularExpression("\\d"))) << front().value[9]->text().toStdString();
        type(front().value[9], "V-1003");
        const QImage card = SKTRenderingView::image_From_Card_Graphics(controller->Prepare_Print_Export_Mail().front, 300);
        ASSERT_TRUE(card.save(pathIn("pass.png")));
        for (const QByteArray &code : testsupport::runTool(zbarimg, {"-q", "--raw", pathIn("pass.png")}).out.split('\n'))
            EXPECT_TRUE(code.isEmpty() || code == "V-1003") << title << ": " << code.constData();
    }
}

// The entry panel's buttons and fields keep the card's keys off the card: Delete, Select All and
// Cut pressed after a click on Browse, a field's tick box or a field leave every control.
TEST_F(VisitorDeskTest, KeysInTheEntryPanelLeaveTheCardAlone)
{
    startVisitor();
    controller->show();
    QApplication::setActiveWindow(controller.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(controller.get()));
    ASSERT_TRUE(QImage(60, 80, QImage::Format_RGB32).save(pathIn("face.png")));
    ui->push(pathIn("face.png"));
    for (QWidget *w : std::initializer_list<QWidget *>{front().browse_pic_btn, front().value_chk[3], front().value[0]}) {
        QTest::mouseClick(w, Qt::LeftButton);
        ASSERT_EQ(QApplication::focusWidget(), w);
        const size_t controls = document->graphicsOfSide(0).size();
        for (const auto keys : {QKeySequence::Delete, QKeySequence::SelectAll, QKeySequence::Delete, QKeySequence::Cut})
            QTest::keySequence(QApplication::focusWidget(), QKeySequence(keys));
        EXPECT_EQ(document->graphicsOfSide(0).size(), controls) << w->objectName().toStdString();
    }
}
