// The main window's file commands driven as a user would: Save, New, Open, Close, Exit and the
// start dialog's "open a saved design", with every question and panel answered by a script;
// copying a side's design to the other side.

#include "ControllerFixture.h"
#include "DesignTestSupport.h"

#include "core/ControlArchive.h"
#include "core/DesignFile.h"
#include "canvas/SKTGraphicView.h"
#include "mainwindow/MainWindowGlobals.h"
#include "platform/Plist.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

namespace {

// Message boxes show their text below an empty line.
const QString kSaved = QStringLiteral("\nFile has been saved successfully.");
const QString kCorrupt = QStringLiteral("\n") + Design_File_Corrupt_Message;

class DesignFileCommandsTest : public ControllerTest {
protected:
    void SetUp() override
    {
        ControllerTest::SetUp();
        ASSERT_TRUE(setUpWindow());
        ui->clear();
    }

    QString pathIn(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    // Every kind of control on both sides, both card blocks and the profile-field columns set.
    void drawDesign()
    {
        SKTGraphicArray front, back;
        int seed = 1;
        for (SKTGraphicKind kind : designtest::kAllKinds) {
            front.push_back(designtest::storedControl(kind, seed));
            back.push_back(designtest::storedControl(kind, seed + 10));
            ++seed;
        }
        place(0, front);
        place(1, back);
        *controller->Front_card_Prop = designtest::storedCard(1);
        *controller->Back_card_Prop = designtest::storedCard(2);
        for (int i = 1; i <= 12; ++i)
            controller->excel_cb_value[i] = i % 3 == 0 ? -1 : i + 2;
    }
    void place(int side, const SKTGraphicArray &controls)
    {
        std::vector<int> indexes;
        for (size_t i = 0; i < controls.size(); ++i)
            indexes.push_back(int(i));
        document->insertGraphicsOnSide(side, controls, indexes);
    }
    // Saves through the Save command into a new file chosen in the panel.
    void saveAs(const QString &path)
    {
        ui->push(path);
        controller->Save_Btn_Clicked();
        ASSERT_EQ(ui->messages().value(ui->messages().size() - 1), kSaved);
        ui->clear();
    }
    // The archives of a side's controls: what each control is, independent of the objects.
    static QList<QByteArray> archives(const SKTGraphicArray &controls)
    {
        QList<QByteArray> out;
        for (const SKTGraphicPtr &g : controls)
            out.append(Archive_Graphic(*g));
        return out;
    }

    QTemporaryDir m_dir;
};

TEST_F(DesignFileCommandsTest, SaveNewAndOpenBringBackBothSidesTheCardsAndTheTitle)
{
    drawDesign();
    const QString path = pathIn("badge.did");
    saveAs(path);
    EXPECT_EQ(Project_File_Name, path);
    EXPECT_TRUE(controller->windowTitle().contains("badge.did")) << controller->windowTitle().toStdString();
    const Card_Property savedFront = *controller->Front_card_Prop, savedBack = *controller->Back_card_Prop;
    const SKTGraphicArray front = document->graphics(), back = document->graphics_back();
    ASSERT_EQ(front.size(), 6u);

    ui->push(int(platform::AnswerNo));
    controller->New_Btn_Clicked();
    ASSERT_TRUE(document->graphics().empty());
    ASSERT_TRUE(Project_File_Name.isEmpty());

    ui->clear();
    ui->push(int(platform::AnswerNo));  // nothing to save
    ui->push(path);
    controller->Open_Btn_Clicked();
    EXPECT_EQ(ui->messages(), QStringList{"Do you want to save changes before opening document?"});
    ASSERT_EQ(document->graphics().size(), front.size());
    ASSERT_EQ(document->graphics_back().size(), back.size());
    for (size_t i = 0; i < front.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NE(document->graphics()[i], front[i]);
        designtest::expectSameStoredFields(*front[i], *document->graphics()[i]);
        designtest::expectSameStoredFields(*back[i], *document->graphics_back()[i]);
    }
    // The control saved invisible is on the canvas again, so a second save keeps it.
    EXPECT_FALSE(document->graphics()[4]->ctrl_is_visible);
    designtest::expectSameCard(savedFront, *controller->Front_card_Prop);
    designtest::expectSameCard(savedBack, *controller->Back_card_Prop);
    EXPECT_EQ(controller->Front_card_Prop->Card_Name(), designtest::storedCard(1).Card_Name());
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(controller->excel_cb_value[i], i % 3 == 0 ? -1 : i + 2) << i;
    EXPECT_EQ(Project_File_Name, path);
    EXPECT_TRUE(controller->windowTitle().contains("badge.did"));
    EXPECT_EQ(Start_Card_Option, "L");
    EXPECT_FALSE(controller->Undo_btn->isEnabled());
    EXPECT_FALSE(controller->Redo_btn->isEnabled());
    EXPECT_EQ(Card_Front_Or_Back, 0);
    EXPECT_TRUE(controller->myTargetView->isVisibleTo(controller.get()));
    EXPECT_TRUE(controller->modeless_msg_lbl->text().isEmpty());

    // A second save writes the same records: nothing was lost on the way.
    const QList<QByteArray> frontBefore = archives(document->graphics());
    ui->clear();
    controller->Save_Btn_Clicked();  // the design has its path: no panel
    EXPECT_EQ(ui->messages(), QStringList{kSaved});
    const DesignReadResult again = Read_Design_File(path);
    ASSERT_TRUE(again.ok()) << again.detail.toStdString();
    EXPECT_EQ(archives(again.design->frontControls), frontBefore);
}

TEST_F(DesignFileCommandsTest, SidesSelectorIsStoredInBothBlocksAndALoadedOneSidedCardLocksTheBack)
{
    drawDesign();
    controller->Front_card_Prop->setCard_fill_style("S");  // no picture to remember
    controller->Sides_ComboBox->setCurrentIndex(1);
    const QString path = pathIn("one.did");
    saveAs(path);
    const QVariantList root = platform::plistReadFile(path).toList();
    ASSERT_EQ(root.size(), 88 + 12);
    EXPECT_EQ(root[2 + 13].toString(), "1");
    EXPECT_EQ(root[36 + 13].toString(), "1");
    EXPECT_EQ(root[2 + 24].toString(), "") << "a solid card keeps no background picture";
    EXPECT_FALSE(root[36 + 24].toString().isEmpty());
    EXPECT_TRUE(controller->Front_card_Prop->Card_BG_Image_Path().isEmpty());

    ui->push(int(platform::AnswerNo));
    controller->New_Btn_Clicked();
    controller->Sides_ComboBox->setCurrentIndex(0);
    controller->Select_back_side();
    ui->push(int(platform::AnswerNo));
    ui->push(path);
    controller->Open_Btn_Clicked();
    EXPECT_EQ(controller->Sides_ComboBox->currentIndex(), 1);
    EXPECT_EQ(CARD_SIDE_STR, "1");
    EXPECT_FALSE(controller->Back_Side_btn->isEnabled());
    EXPECT_FALSE(controller->copy_card_design_btn->isEnabled());
    EXPECT_EQ(Card_Front_Or_Back, 0);
    // The card keeps its size, to the fields' last digit: the selector is not the orientation.
    EXPECT_NEAR(controller->_graphicView->canvasBounds().width(), 85.598 * 72 / 25.4, 0.01);
    EXPECT_NEAR(controller->_graphicView_BACK->canvasBounds().height(), 54.102 * 72 / 25.4, 0.01);
    EXPECT_NEAR(controller->width_Text->text().toDouble(), 85.598, 1e-3);
    EXPECT_NEAR(controller->height_Text->text().toDouble(), 54.102, 1e-3);
}

TEST_F(DesignFileCommandsTest, RefusedFilesLeaveTheOpenDesignUntouched)
{
    drawDesign();
    const QString good = pathIn("good.did");
    saveAs(good);
    const SKTGraphicArray front = document->graphics();
    const QByteArray bytes = designtest::fileBytes(good);

    struct Case {
        const char *name;
        QByteArray content;
    };
    QByteArray wrongSignature = bytes;
    wrongSignature.replace("VELKDESKBADGE", "VELKDESKBADGX");
    QByteArray wrongType = bytes;
    wrongType.replace("<string>0</string>", "<integer>0</integer>");
    const Case cases[] = {
        {"truncated", bytes.left(bytes.size() / 2)},
        {"wrong signature", wrongSignature},
        {"wrong type", wrongType},
        {"not a property list", QByteArray("hello")},
        {"empty", QByteArray()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = pathIn("bad.did");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.content);
        file.close();
        ui->clear();
        ui->push(int(platform::AnswerNo));
        ui->push(path);
        controller->Open_Btn_Clicked();
        EXPECT_EQ(ui->messages().value(1), kCorrupt);
        EXPECT_EQ(document->graphics(), front) << "the very same controls stay";
        EXPECT_EQ(Project_File_Name, good);
        EXPECT_EQ(controller->Front_card_Prop->Card_Name(), designtest::storedCard(1).Card_Name());
        EXPECT_TRUE(controller->myTargetView->isVisibleTo(controller.get()));
    }
    // A cancelled open panel changes nothing either, and brings no start dialog.
    const int runs = startDialogRuns;
    ui->push(int(platform::AnswerNo));
    controller->Open_Btn_Clicked();
    EXPECT_EQ(document->graphics(), front);
    EXPECT_EQ(startDialogRuns, runs);
}

TEST_F(DesignFileCommandsTest, NewAndOpenStopWhenTheirSaveIsCancelledOrFails)
{
    drawDesign();
    const SKTGraphicArray front = document->graphics();
    const int runs = startDialogRuns;

    ui->push(int(platform::AnswerYes));
    ui->push(QString());  // the save panel is cancelled
    controller->New_Btn_Clicked();
    EXPECT_EQ(document->graphics(), front);
    EXPECT_EQ(startDialogRuns, runs) << "no new project was started";

    ui->clear();
    ui->push(int(platform::AnswerYes));
    ui->push(QStringLiteral("/nonexistent-folder/x.did"));  // cannot be written
    controller->New_Btn_Clicked();
    EXPECT_TRUE(ui->messages().contains(
        "\nUnable to save file on this location please select any other location to save."));
    EXPECT_EQ(document->graphics(), front);
    EXPECT_EQ(startDialogRuns, runs);

    ui->clear();
    ui->push(int(platform::AnswerYes));
    ui->push(QString());
    controller->Open_Btn_Clicked();
    EXPECT_EQ(document->graphics(), front);
    for (const auto &r : ui->requests())
        EXPECT_NE(r.kind, "openFile") << "no open panel after a cancelled save";

    // Yes with a save that is written goes on to the new project.
    ui->clear();
    const QString path = pathIn("kept.did");
    ui->push(int(platform::AnswerYes));
    ui->push(path);
    controller->New_Btn_Clicked();
    EXPECT_EQ(startDialogRuns, runs + 1);
    EXPECT_TRUE(document->graphics().empty());
    const DesignReadResult kept = Read_Design_File(path);
    ASSERT_TRUE(kept.ok());
    EXPECT_EQ(kept.design->frontControls.size(), front.size());
}

TEST_F(DesignFileCommandsTest, CloseAsksAndSaveAsCancelKeepsThePath)
{
    drawDesign();
    const QString path = pathIn("first.did");
    saveAs(path);
    ui->push(QString());
    controller->SaveAs_Btn_Clicked();
    EXPECT_EQ(Project_File_Name, path);
    EXPECT_TRUE(ui->messages().isEmpty());

    ui->clear();
    ui->push(int(platform::AnswerCancel));
    controller->Close_Document_Clicked();
    EXPECT_EQ(ui->messages(), QStringList{"Do you want to save changes?"});
    EXPECT_EQ(document->graphics().size(), 6u);

    const int runs = startDialogRuns;
    ui->push(int(platform::AnswerNo));
    controller->Close_Document_Clicked();
    EXPECT_TRUE(document->graphics().empty());
    EXPECT_EQ(startDialogRuns, runs + 1);
}

TEST_F(DesignFileCommandsTest, ExitAsksToSaveThenToExit)
{
    drawDesign();
    // Cancel at the first question: nothing saved, no exit.
    ui->push(int(platform::AnswerCancel));
    EXPECT_FALSE(controller->Exit_App());
    // Yes with a cancelled panel: no exit, the second question never comes.
    ui->clear();
    ui->push(int(platform::AnswerYes));
    ui->push(QString());
    EXPECT_FALSE(controller->Exit_App());
    for (const auto &r : ui->requests())
        EXPECT_NE(r.kind, "yesNo");
    // Yes, a file, and then No to exiting: saved, still running.
    ui->clear();
    const QString path = pathIn("exit.did");
    ui->push(int(platform::AnswerYes));
    ui->push(path);
    ui->push(false);
    EXPECT_FALSE(controller->Exit_App());
    EXPECT_EQ(ui->messages(), (QStringList{"Do you want to save changes before closing?", kSaved,
                                           "\nDo you really want to exit?"}));
    const DesignReadResult saved = Read_Design_File(path);
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved.design->backControls.size(), 6u);
    // No save and Yes: the application is asked to end.
    ui->clear();
    ui->push(int(platform::AnswerNo));
    ui->push(true);
    EXPECT_TRUE(controller->Exit_App());
}

TEST_F(DesignFileCommandsTest, StartDialogOpensASavedDesignAndComesBackForABadOne)
{
    drawDesign();
    const QString path = pathIn("start.did");
    saveAs(path);
    const QString bad = pathIn("bad.did");
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<?xml version=\"1.0\"?><plist><array><string>nope</string></array></plist>");
    file.close();

    ui->push(int(platform::AnswerNo));
    startAnswers = {2, 2, 2};
    ui->push(bad);      // refused: the start dialog again
    ui->push(QString());  // cancelled panel: the start dialog again
    ui->push(path);
    const int runs = startDialogRuns;
    controller->New_Btn_Clicked();
    EXPECT_EQ(startDialogRuns, runs + 3);
    EXPECT_TRUE(ui->messages().contains(kCorrupt));
    EXPECT_EQ(document->graphics().size(), 6u);
    EXPECT_EQ(document->graphics_back().size(), 6u);
    EXPECT_EQ(Project_File_Name, path);
    EXPECT_EQ(Start_Card_Option, "L");
    EXPECT_FALSE(controller->Undo_btn->isEnabled());
    EXPECT_TRUE(controller->Right_Prop_Box->isVisibleTo(controller.get()));
}

// A barcode's stored picture that is missing or cannot be read is rebuilt from its set-up and
// its value: the first row of its spreadsheet column, else its own value text.
TEST_F(DesignFileCommandsTest, ABarcodeWithoutAReadablePictureIsRebuiltOnOpening)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    std::shared_ptr<SKTGraphic> code = Make_Graphic_Of_Class(QStringLiteral("SKTBarcode"));
    code->barcode_font_index = 9;  // Code 128
    code->linear_font_val = QStringLiteral("OWN-1");
    code->data_source_type = 2;
    code->excel_col_indx = 2;
    code->_bounds = QRectF(20, 20, 150, 60);
    place(0, {code});
    controller->Excel_Table_Titles = {"Extension", "Name", "Badge"};
    controller->Excel_Table_Rows = {QVariantMap{{"Extension", "1"}, {"Column1", "Ann"}, {"Column2", "ROW-7"}}};
    ASSERT_TRUE(code->_barcode_image.isNull());
    saveAs(pathIn("code.did"));
    const QVariantList root = platform::plistReadFile(pathIn("code.did")).toList();

    // What another program leaves in the picture entry: an archive holding no object.
    const QByteArray archiveOfNothing = platform::plistSerialize(
        QVariantMap{{"$archiver", "NSKeyedArchiver"}, {"$version", 100000}, {"$top", QVariantMap{{"root", 0}}},
                    {"$objects", QVariantList{"$null"}}},
        platform::PlistFormat::Binary);
    const struct {
        const char *name;
        QByteArray picture;
        const char *source;
        QByteArray expected;
    } cases[] = {
        {"saved without", QByteArray(), "2", "ROW-7"},
        {"archive of nothing", archiveOfNothing, "0", "OWN-1"},
        {"foreign bytes", QByteArray("GIF89a\x01\x00broken"), "2", "ROW-7"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QVariantList record = root[Design_First_Record_Index].toList(), patched = root;
        record[20] = QString::fromLatin1(c.source);
        record[25] = c.picture;
        patched[Design_First_Record_Index] = record;
        const QString path = pathIn("patched.did");
        ASSERT_TRUE(platform::plistWriteFile(path, QVariant(patched)));
        ui->clear();
        ui->push(int(platform::AnswerNo));
        ui->push(path);
        controller->Open_Btn_Clicked();
        ASSERT_EQ(document->graphics().size(), 1u) << ui->messages().join('|').toStdString();
        const QImage picture = document->graphics()[0]->_barcode_image;
        ASSERT_FALSE(picture.isNull());
        QImage printed(picture.size() + QSize(80, 80), QImage::Format_ARGB32);
        printed.fill(Qt::white);
        QPainter(&printed).drawImage(40, 40, picture);
        ASSERT_TRUE(printed.save(pathIn("code.png")));
        EXPECT_EQ(testsupport::runTool(zxing, {"-format", "Code128", "-bytes", pathIn("code.png")}).out, c.expected);
    }
}

// The file keeps a picture background by its path; opened, the card shows that picture again.
TEST_F(DesignFileCommandsTest, APictureBackgroundIsDrawnAgainAfterOpening)
{
    const QColor colours[] = {QColor(20, 160, 90), QColor(200, 40, 120)};
    for (int side : {0, 1}) {
        QImage picture(60, 40, QImage::Format_RGB32);
        picture.fill(colours[side]);
        const QString file = pathIn(side == 0 ? "front.png" : "back.png");
        ASSERT_TRUE(picture.save(file));
        Card_Property &card = side == 0 ? *controller->Front_card_Prop : *controller->Back_card_Prop;
        card.setCard_fill_chk(true);
        card.setCard_fill_style(QStringLiteral("I"));
        card.setCard_BG_Image_Path(file);
    }
    saveAs(pathIn("background.did"));
    ui->push(int(platform::AnswerNo));
    controller->New_Btn_Clicked();
    ui->push(int(platform::AnswerNo));
    ui->push(pathIn("background.did"));
    controller->Open_Btn_Clicked();
    for (int side : {0, 1}) {
        SCOPED_TRACE(side);
        side == 0 ? controller->Select_front_side() : controller->Select_back_side();
        const QImage shown = controller->canvasOfSide(side)->grab().toImage();
        EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2), colours[side]);
    }
}

TEST_F(DesignFileCommandsTest, CopyToTheOtherSideGivesIndependentControlsAndTheCard)
{
    drawDesign();
    controller->excel_cb_value[11] = 4;
    controller->excel_cb_value[12] = -1;
    const SKTGraphicArray front = document->graphics();
    const QList<QByteArray> frontArchives = archives(front);

    ui->push(false);  // No: nothing happens
    controller->Copy_Card_Design_Clicked();
    EXPECT_EQ(document->graphics_back().size(), 6u);
    EXPECT_NE(archives(document->graphics_back()), frontArchives);

    ui->push(true);
    controller->Copy_Card_Design_Clicked();
    const SKTGraphicArray back = document->graphics_back();
    ASSERT_EQ(back.size(), front.size());
    EXPECT_EQ(archives(back), frontArchives);
    for (size_t i = 0; i < back.size(); ++i)
        EXPECT_NE(back[i], front[i]) << i;
    designtest::expectSameCard(*controller->Front_card_Prop, *controller->Back_card_Prop);
    EXPECT_EQ(controller->excel_cb_value[12], 4);
    EXPECT_EQ(Card_Front_Or_Back, 1) << "the back shows its new design";
    EXPECT_FALSE(copy_card_design);

    // Editing a copy leaves the original alone.
    back[0]->_bounds.translate(30, 30);
    back[1]->Text_Value = QStringLiteral("changed");
    EXPECT_EQ(archives(document->graphics()), frontArchives);
    controller->Back_card_Prop->setCard_Name("Back only");
    EXPECT_NE(controller->Front_card_Prop->Card_Name(), "Back only");

    // Undo on the back brings its previous design back.
    controller->Undo_Clicked();
    EXPECT_EQ(document->graphics_back().size(), 6u);
    EXPECT_EQ(document->graphics().size(), 6u);
}

}  // namespace

TEST_F(DesignFileCommandsTest, ClosingTheWindowAsksAsExitDoes)
{
    drawDesign();
    controller->show();
    ui->push(int(platform::AnswerCancel));
    EXPECT_FALSE(controller->close());
    EXPECT_TRUE(controller->isVisible());
    EXPECT_EQ(ui->messages(), QStringList{QStringLiteral("Do you want to save changes before closing?")});
    ui->clear();
    ui->push(int(platform::AnswerNo));
    ui->push(true);
    EXPECT_TRUE(controller->close());
    EXPECT_FALSE(controller->isVisible());
}

// Quitting closes the window, and a close asks as Exit does: one exit still asks only once.
TEST_F(DesignFileCommandsTest, ExitAsksOnceThoughQuittingClosesTheWindow)
{
    drawDesign();
    controller->show();
    ui->push(int(platform::AnswerNo));
    ui->push(true);
    QTimer::singleShot(0, controller.get(), [this] { outlet<QToolButton>("Exit_btn")->click(); });
    QTimer stuck;  // the loop ends by the quit, or by this with another code
    QObject::connect(&stuck, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    stuck.start(5000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_EQ(ui->messages(), (QStringList{"Do you want to save changes before closing?", "\nDo you really want to exit?"}));
    EXPECT_FALSE(controller->isVisible());
}

TEST_F(DesignFileCommandsTest, ASizeFieldThatIsNotANumberSavesTheCardShown)
{
    // The size fields are typed into; what they hold is not applied until the size is set.
    // A field left empty or holding words must not save the card as zero wide.
    const QString path = pathIn("size.did");
    saveAs(path);
    const DesignReadResult sound = Read_Design_File(path);
    ASSERT_TRUE(sound.ok());
    const QSizeF shown = sound.design->front.Card_Size();
    ASSERT_GT(shown.width(), 200.0);  // CR80, 85.6 mm

    for (const char *typed : {"", "abc", "-3", "inf", "nan"}) {
        SCOPED_TRACE(typed);
        outlet<QLineEdit>("width_Text")->setText(QString::fromLatin1(typed));
        outlet<QLineEdit>("height_Text")->setText(QString::fromLatin1(typed));
        controller->Save_Btn_Clicked();
        ASSERT_EQ(ui->messages().value(ui->messages().size() - 1), kSaved);
        const DesignReadResult read = Read_Design_File(path);
        ASSERT_TRUE(read.ok()) << read.detail.toStdString();
        EXPECT_NEAR(read.design->front.Card_Size().width(), shown.width(), 1.0);
        EXPECT_NEAR(read.design->front.Card_Size().height(), shown.height(), 1.0);
        EXPECT_EQ(read.design->back.Card_Size(), read.design->front.Card_Size());
    }
}
