// The file commands driven as a user would, every question and panel answered by a script, and
// what a design brings back when it is opened.

#include "ControllerFixture.h"

#include "core/ColorFontStrings.h"
#include "core/DesignFile.h"
#include "core/SKTImage.h"
#include "groupmode/Group_Mode_Wizard.h"
#include "platform/Paths.h"
#include "platform/Plist.h"
#include "properties/Barcode_Gen.h"
#include "properties/CardTabs.h"
#include "properties/PropertyPanel.h"

#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QAbstractItemView>
#include <QLabel>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>

namespace {

using DesignFileCommandsTest = WindowTest;

// The refusal names the file, keeps the reader's sentence and gives the reason.
bool refused(const QString &text, const char *file = "bad.did")
{
    return text.startsWith(QStringLiteral("\u201C%1\u201D\n\n").arg(QLatin1String(file)) + Design_File_Corrupt_Message) &&
           text.contains(QStringLiteral("\n\nReason: "));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
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
    EXPECT_TRUE(root[2 + 13].toString() == "1" && root[36 + 13].toString() == "1");
    EXPECT_EQ(root[2 + 24].toString(), "") << "a solid card keeps no background picture";
    EXPECT_FALSE(root[36 + 24].toString().isEmpty());

    ui->push(int(platform::AnswerNo));
    click("New_btn");
    controller->Sides_ComboBox->setCurrentIndex(0);
    click("Back_Side_btn");
    open(path);
    EXPECT_EQ(controller->Sides_ComboBox->currentIndex(), 1);
    EXPECT_EQ(CARD_SIDE_STR, "1");
    EXPECT_FALSE(enabled("Back_Side_btn") || enabled("copy_card_design_btn"));
    EXPECT_EQ(Card_Front_Or_Back, 0);
    // The card keeps its size, to the steppers' last digit: the selector is not the orientation.
    EXPECT_NEAR(canvas(0)->canvasBounds().width(), 85.598 * 72 / 25.4, 0.01);
    EXPECT_NEAR(canvas(1)->canvasBounds().height(), 54.102 * 72 / 25.4, 0.01);
    EXPECT_NEAR(controller->width_Stepper->value(), 85.598, 1e-3);
    EXPECT_NEAR(controller->height_Stepper->value(), 54.102, 1e-3);
    EXPECT_EQ(controller->width_Text->text(), "85.6");
    EXPECT_EQ(controller->height_Text->text(), "54.1");
}

// A refused file, from Open or from the start dialog, leaves the open design untouched.
TEST_F(DesignFileCommandsTest, RefusedFilesLeaveTheOpenDesignUntouched)
{
    drawDesign();
    const QString good = pathIn("good.did");
    saveAs(good);
    const SKTGraphicArray front = document->graphics();
    const QByteArray bytes = designtest::fileBytes(good);
    QByteArray wrongSignature = bytes, wrongType = bytes;
    wrongSignature.replace("VELKDESKBADGE", "VELKDESKBADGX");
    // A number where the profile-field columns hold text (a damaged control record alone does
    // not refuse the design).
    wrongType.replace("<string>-1</string>", "<integer>-1</integer>");
    for (const QByteArray &content : {bytes.left(bytes.size() / 2), wrongSignature, wrongType, QByteArray("hello")}) {
        SCOPED_TRACE(content.left(60).toStdString());
        writeFile(pathIn("bad.did"), content);
        open(pathIn("bad.did"));
        EXPECT_TRUE(refused(ui->messages().value(1))) << ui->messages().value(1).toStdString();
        EXPECT_EQ(document->graphics(), front) << "the very same controls stay";
        EXPECT_EQ(Project_File_Name, good);
        EXPECT_TRUE(controller->myTargetView->isVisibleTo(controller.get()));
    }
    // A cancelled open panel changes nothing either, and brings no start dialog.
    const int runs = startDialogRuns;
    open(QString());
    EXPECT_EQ(document->graphics(), front);
    EXPECT_EQ(startDialogRuns, runs);

    // After New, the start dialog's Open comes back for a refused file and a cancelled panel.
    ui->clear();
    ui->push(int(platform::AnswerNo));
    startAnswers = {2, 2, 2};
    ui->push(pathIn("bad.did"));
    ui->push(QString());
    ui->push(good);
    click("New_btn");
    EXPECT_EQ(startDialogRuns, runs + 3);
    const QStringList shown = ui->messages();
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [](const QString &m) { return refused(m); }));
    EXPECT_TRUE(document->graphics().size() == 6u && document->graphics_back().size() == 6u);
    EXPECT_EQ(Project_File_Name, good);
    EXPECT_EQ(Start_Card_Option, "L");
    EXPECT_FALSE(enabled("Undo_btn"));
    EXPECT_TRUE(controller->Right_Prop_Box->isVisibleTo(controller.get()));

    // A design named at start-up opens without the start dialog; a refused one gives the reader's
    // message and then the start dialog, which brings a blank design.
    for (const QString &named : {good, pathIn("bad.did")}) {
        const bool sound = named == good;
        ui->clear();
        controller.reset();
        document = std::make_unique<SKTDocument>();
        controller = Set_Up_Application(*document);
        const int before = startDialogRuns;
        ASSERT_TRUE(controller->awakeFromNib(named));
        // The sound design's photos name files that are nowhere: it says so, and nothing else.
        EXPECT_TRUE(sound ? ui->messages().size() == 1 && ui->messages()[0].contains("cannot be found")
                          : ui->messages().size() == 1 && refused(ui->messages()[0]))
            << named.toStdString();
        EXPECT_EQ(startDialogRuns - before, sound ? 0 : 1);
        EXPECT_EQ(Project_File_Name, sound ? good : QString());
        EXPECT_EQ(document->graphics().size(), sound ? 6u : 0u);
        EXPECT_EQ(controller->windowTitle().contains("good.did"), sound);
        // Either road shows the side by its buttons' pictures, with no side label above the ruler.
        controller->show();
        EXPECT_FALSE(outlet<QLabel>("Front_back_label")->isVisible()) << named.toStdString();
    }
}

// A damaged control record costs neither the design nor its other controls: the open says which
// record it was, in one line, and the next save asks before writing the control as it now is.
TEST_F(DesignFileCommandsTest, ADamagedControlOpensWithTheRestAndIsNotSavedOverUnasked)
{
    drawDesign();
    const QString good = pathIn("good.did");
    saveAs(good);
    QVariantList root = platform::plistReadFile(good).toList();
    const int entry = Design_First_Record_Index + 2;
    root[entry] = root[entry].toList().mid(0, 12);
    const QString damaged = pathIn("damaged.did");
    writeFile(damaged, platform::plistSerialize(QVariant(root)));
    const QByteArray damagedBytes = designtest::fileBytes(damaged);

    ui->push(int(platform::AnswerNo));
    click("New_btn");
    open(damaged);
    EXPECT_EQ(Project_File_Name, damaged);
    EXPECT_TRUE(document->graphics().size() == 6u && document->graphics_back().size() == 6u);
    const QStringList told = ui->messages().filter(QStringLiteral("damaged"));
    ASSERT_EQ(told.size(), 1) << ui->messages().join('|').toStdString();
    EXPECT_TRUE(told[0].trimmed().startsWith(QStringLiteral("Control 3 of the front side (entry %1) is damaged (").arg(entry)))
        << told[0].toStdString();
    EXPECT_EQ(told[0].trimmed().count('\n'), 0) << "one line";

    // Save asks; No writes nothing, Yes writes the control as it stands, and then no more asking.
    ui->clear();
    ui->push(int(platform::AnswerNo));
    click("Save_btn");
    EXPECT_EQ(ui->messages().size(), 1);
    EXPECT_TRUE(ui->messages().value(0).contains("damaged controls")) << ui->messages().value(0).toStdString();
    EXPECT_EQ(designtest::fileBytes(damaged), damagedBytes);
    ui->clear();
    ui->push(int(platform::AnswerYes));
    click("Save_btn");
    EXPECT_EQ(ui->messages().value(ui->messages().size() - 1), kSaved);
    const DesignReadResult again = Read_Design_File(damaged);
    ASSERT_TRUE(again.ok());
    EXPECT_TRUE(again.design->damagedRecords.isEmpty());
    EXPECT_EQ(again.design->frontControls.size(), 6u);
    ui->clear();
    click("Save_btn");
    EXPECT_EQ(ui->messages(), QStringList{kSaved});
}

// The visitor panels' rows of the loaded image controls hold the source picture only when that
// and the picture in use are regular files: a folder in either place, or a picture gone, leaves
// the row's value empty.
TEST_F(DesignFileCommandsTest, LoadedImageRowsCarryTheSourcePictureOnlyWhenBothAreFiles)
{
    const QString inUse = pathIn("in-use.png"), source = pathIn("source.png"), folder = pathIn("a-folder.png");
    for (const QString &path : {inUse, source}) {
        QImage picture(20, 20, QImage::Format_RGB32);
        picture.fill(Qt::green);
        ASSERT_TRUE(picture.save(path));
    }
    ASSERT_TRUE(QDir().mkpath(folder));
    const struct {
        const char *id;
        QString filePath, textValue, row;
    } images[] = {
        {"Guest_Photo", inUse, source, source},
        {"Badge_Photo", inUse, pathIn("gone.png"), QString()},
        {"Logo_Photo", pathIn("gone-too.png"), source, QString()},
        {"Folder_Photo", inUse, folder, QString()},
        {"InUseFolder_Photo", folder, source, QString()},
    };
    SKTGraphicArray controls;
    for (const auto &image : images) {
        controls.push_back(designtest::storedControl(SKTGraphicKind::Image, int(controls.size()) + 1));
        controls.back()->control_ID = QLatin1String(image.id);
        controls.back()->_file_path = image.filePath;
        controls.back()->Text_Value = image.textValue;
        controls.back()->ctrl_is_visible = true;
    }
    place(0, controls);
    const QString path = pathIn("photos.did");
    saveAs(path);
    ui->push(int(platform::AnswerNo));
    click("New_btn");
    open(path);
    const auto &rows = controller->dynamic_ctrl_list_front;
    for (const auto &image : images) {
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const DynamicControlRow &r) { return r.value(0) == image.id; });
        ASSERT_NE(row, rows.end()) << image.id;
        EXPECT_EQ(row->value(1), image.row) << image.id;
        EXPECT_EQ(row->value(4), "P") << image.id;
    }
}

// A text keeps its face through Save and Open; bold and italic keep the names older files have.
TEST_F(DesignFileCommandsTest, ATextKeepsItsFontFaceThroughSaveAndOpen)
{
    // A face whose name holds a dash: the light DejaVu face under another name.
    int dashed = -1;
    if (testsupport::requireFont("DejaVu Sans", "ExtraLight", "fonts-dejavu-extra")) {
        QFile light(QString::fromUtf8(
            testsupport::runTool("fc-match", {"--format=%{file}", "DejaVu Sans:style=ExtraLight"}).out));
        ASSERT_TRUE(light.open(QIODevice::ReadOnly)) << light.fileName().toStdString();
        QByteArray bytes = light.readAll();
        // Its names in ASCII, then in UTF-16.
        bytes.replace("ExtraLight", "Demi-Light");
        bytes.replace(QByteArray("\0E\0x\0t\0r\0a\0L\0i\0g\0h\0t", 20), QByteArray("\0D\0e\0m\0i\0-\0L\0i\0g\0h\0t", 20));
        dashed = QFontDatabase::addApplicationFontFromData(bytes);
    }
    for (const auto &[style, stored] : {std::pair("ExtraLight", "Sans-ExtraLight::"), {"Demi-Light", "Sans-Demi-Light::"},
                                        {"Condensed Bold Oblique", "Sans-CondensedBoldOblique::"}, {"Bold Oblique", "Sans-BoldItalic::"}}) {
        if (!testsupport::requireFont("DejaVu Sans", style, "fonts-dejavu-extra"))
            continue;
        click("text_tool_btn");
        ui->push(QFontDatabase::font("DejaVu Sans", style, 13));
        press(controller->propertyPanel().text_font_btn);
        saveAs(pathIn("faces.did"));
        EXPECT_TRUE(designtest::fileBytes(pathIn("faces.did")).contains(stored)) << stored;
        open(pathIn("faces.did"));
        EXPECT_EQ(QFontInfo(document->graphics().front()->text_ctrl_font).styleName(), QString::fromLatin1(style));
    }
    QFontDatabase::removeApplicationFont(dashed);
}

// Every Font… road runs the real font panel, worked key by key. It opens on the face the font is
// drawn in ("Book" for DejaVu Sans, not a face a generic "Normal" fell back on) and its size as
// exact as the font has it ("6.5", not 7). A size with a decimal point is taken, one with a
// comma is refused with a word (the size in force kept), an OK with nothing changed keeps a
// template's font as its file has it, and no Underline or Strikeout is offered (no font string
// keeps them). What Save writes is the font the panel showed.
TEST_F(DesignFileCommandsTest, EveryFontRoadKeepsWhatThePanelShows)
{
    ASSERT_TRUE(testsupport::requireFont("DejaVu Sans", "Book", "fonts-dejavu-core"));
    const struct Restore {
        QLocale was = QLocale();
        ~Restore() { QLocale::setDefault(was); }
    } restore;
    enum Road { Text, CardTab, Watermark, BarcodeText };
    click("text_tool_btn");
    click("Barcode_Tool_btn");
    clickAt(canvas(0), QPointF(150, 100));
    ASSERT_EQ(document->graphics().size(), 2u);
    SKTGraphic &barcode = *document->graphics()[0], &text = *document->graphics()[1];
    const QPointF textAt = text.bounds().center();
    CardTabs &tabs = controller->cardTabs();
    // The font a road stores, as the saved file has it.
    const auto stored = [&](Road road) {
        saveAs(pathIn("fonts.did"));
        const DesignReadResult read = Read_Design_File(pathIn("fonts.did"));
        if (!read.ok())
            return QStringLiteral("unreadable");
        const DesignData &d = *read.design;
        return Convert_Font_to_String(road == Text          ? d.frontControls[1]->text_ctrl_font
                                      : road == BarcodeText ? d.frontControls[0]->value_font_val
                                      : road == CardTab     ? d.front.Card_Content_font()
                                                            : d.front.Watermark_Font());
    };
    const struct {
        const char *locale;
        Road road;
        const char *font, *typed, *kept;  // typed: nothing for an OK with nothing changed
        const char *face = nullptr;        // then chosen in the face list
    } rows[] = {
        {"en_US", Text, "DejaVu Sans::::6.50", "", "DejaVu Sans::::6.50"},
        {"de_DE", Text, "DejaVu Sans::::7.00", "", "DejaVu Sans::::7.00"},
        {"de_DE", Text, "DejaVu Sans::::6.50", "10.5", "DejaVu Sans::::10.50"},
        {"en_US", Text, "DejaVu Sans::::6.50", "10,5", "DejaVu Sans::::6.50"},
        {"de_DE", CardTab, "DejaVu Sans::::6.50", "", "DejaVu Sans::::6.50"},
        {"en_US", CardTab, "DejaVu Sans::::7.00", "10.5", "DejaVu Sans::::10.50"},
        {"de_DE", CardTab, "DejaVu Sans::::7.00", "10,5", "DejaVu Sans::::7.00"},
        {"en_US", Watermark, "DejaVu Sans::::7.00", "", "DejaVu Sans::::7.00"},
        {"de_DE", Watermark, "DejaVu Sans::::6.50", "10.5", "DejaVu Sans::::10.50"},
        {"en_US", Watermark, "DejaVu Sans::::6.50", "10.5", "DejaVu Sans-Bold::::10.50", "Bold"},
        {"de_DE", BarcodeText, "DejaVu Sans::::6.50", "", "DejaVu Sans::::6.50"},
        {"en_US", BarcodeText, "DejaVu Sans::::7.00", "10.5", "DejaVu Sans::::10.50"},
        {"de_DE", BarcodeText, "DejaVu Sans-Bold::::6.50", "10,5", "DejaVu Sans-Bold::::6.50"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << row.locale << " road " << row.road << " " << row.font << " " << row.typed);
        QLocale::setDefault(QLocale(QString::fromLatin1(row.locale)));
        const QFont font = Convert_String_to_Font(QString::fromLatin1(row.font));
        const QString typed = QString::fromLatin1(row.typed), opened = QString::number(font.pointSizeF());
        const QString openedFace = QString::fromLatin1(row.font).contains(QLatin1String("-Bold")) ? "Bold" : "Book";
        ui->clear();
        int shown = 0;  // an unchanged font kept proves nothing unless the panel was worked
        ui->push(platform::ScriptedUiServices::Drive{[&](QDialog &panel) {
            ++shown;
            for (QCheckBox *effect : panel.findChildren<QCheckBox *>())
                EXPECT_NE(testsupport::unreachable(effect).toStdString(), "") << effect->text().toStdString();
            // No hole where the effects were: the writing system stands right under the lists,
            // and the whole panel is on the screen.
            QWidget *fonts = panel.findChildren<QLabel *>().value(0)->buddy(), *writing = nullptr;
            for (QLabel *label : panel.findChildren<QLabel *>())
                writing = qobject_cast<QComboBox *>(label->buddy()) ? label : writing;
            ASSERT_TRUE(fonts && writing && writing->isVisible());
            EXPECT_LT(writing->mapTo(&panel, QPoint()).y() - fonts->mapTo(&panel, QPoint(0, fonts->height())).y(),
                      writing->sizeHint().height()) << "gap";
            EXPECT_TRUE(panel.screen()->availableGeometry().contains(panel.frameGeometry()));
            QLineEdit *size = nullptr;
            for (QLabel *label : panel.findChildren<QLabel *>())
                size = size ? size : qobject_cast<QLineEdit *>(label->buddy());
            ASSERT_NE(size, nullptr);
            EXPECT_EQ(size->text(), opened);
            // It opens on the face the text is drawn in, by the name its family gives it.
            auto *faces = qobject_cast<QAbstractItemView *>(panel.findChildren<QLabel *>().value(1)->buddy());
            ASSERT_NE(faces, nullptr);
            EXPECT_EQ(faces->currentIndex().data().toString(), openedFace);
            if (!typed.isEmpty())
                testsupport::typeInto(size, typed, Qt::Key_unknown);
            if (row.face) {
                faces->setFocus();
                QTest::keyClicks(faces, QString::fromLatin1(row.face));
                EXPECT_EQ(size->text(), typed);
            }
            QAbstractButton *ok = panel.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
            press(ok);
            if (typed.contains(QLatin1Char(','))) {
                EXPECT_EQ(ui->messages().join(QString()).toStdString(),
                          "\u201C10,5\u201D is no font size: type one from 1 to 512 points, with a point before its "
                          "decimals (10.5).");
                EXPECT_TRUE(panel.isVisible());
                EXPECT_EQ(size->text(), opened);
                press(ok);
            }
            EXPECT_FALSE(panel.isVisible());
        }});
        if (row.road == Text) {
            text.text_ctrl_font = font;
            clickEmptyCard();
            clickAt(canvas(0), textAt);
            press(controller->propertyPanel().text_font_btn);
        } else if (row.road == BarcodeText) {
            barcode.value_font_val = font;
            clickAt(canvas(0), barcode.bounds().center());
            const auto previous = Barcode_Gen::setModalRunner([](Barcode_Gen &w) {
                press(w.val_font_btn);
                press(w.OK_Btn);
                return w.result();
            });
            press(controller->findChild<QPushButton *>("Barcode_Edit_btn"));
            Barcode_Gen::setModalRunner(previous);
        } else {
            (row.road == CardTab ? controller->Front_card_Prop->setCard_Content_font(font)
                                 : controller->Front_card_Prop->setWatermark_Font(font));
            clickEmptyCard();
            if (row.road == Watermark && !tabs.enable_watermark_chk->isChecked())
                press(tabs.enable_watermark_chk);
            press(row.road == CardTab ? tabs.all_content_font_btn : tabs.wm_font_btn);
        }
        EXPECT_EQ(ui->requests().front().kind, "chooseFont");
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(stored(row.road), QString::fromLatin1(row.kept));
    }
    // A template's text given an OK with nothing changed is left as its file has it: no step to
    // undo, its font as it was.
    chooseTemplate(QStringLiteral("Education"), QStringLiteral("Campus Green (h)"));
    ASSERT_TRUE(startAgain(10, "T"));
    click("Back_Side_btn");
    const SKTGraphicArray &back = document->graphicsOfSide(1);
    const auto signature = std::find_if(back.begin(), back.end(), [](const SKTGraphicPtr &g) {
        return g->kind() == SKTGraphicKind::Text && g->Text_Value == "Holder's signature";
    });
    ASSERT_NE(signature, back.end());
    clickAt(canvas(1), (*signature)->bounds().center());
    ui->push(platform::ScriptedUiServices::Drive{
        [](QDialog &panel) { press(panel.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)); }});
    press(controller->propertyPanel().text_font_btn);
    EXPECT_EQ(Convert_Font_to_String((*signature)->text_ctrl_font), "DejaVu Sans::::6.50");
    EXPECT_FALSE(enabled("Undo_btn"));
}

// New, Open and Close ask to save first: Cancel, a cancelled save panel or a file that cannot be
// written stop them with the design kept; No goes on without saving, a written save goes on.
TEST_F(DesignFileCommandsTest, NewOpenAndCloseStopWhenTheirSaveIsCancelledOrFails)
{
    drawDesign();
    const SKTGraphicArray front = document->graphics();
    const int runs = startDialogRuns;
    ui->push(int(platform::AnswerCancel));
    click("Close_btn");
    EXPECT_EQ(ui->messages(), QStringList{"Do you want to save changes?"});
    for (const char *command : {"New_btn", "Open_btn", "Close_btn"}) {
        for (const QString &target : {QString(), QStringLiteral("/nonexistent-folder/x.did")}) {
            ui->clear();
            ui->push(int(platform::AnswerYes));
            ui->push(target);
            click(command);
            EXPECT_EQ(document->graphics(), front) << command;
            EXPECT_EQ(startDialogRuns, runs) << command << ": no new project was started";
            EXPECT_EQ(ui->requests().back().kind, target.isEmpty() ? "saveFile" : "message") << "no open panel";
        }
    }
    // The system's reason goes with the message.
    EXPECT_EQ(ui->messages().last(), "\nUnable to save file on this location please select any other location to "
                                     "save. (No such file or directory)");

    const QString path = pathIn("kept.did");
    ui->push(int(platform::AnswerYes));
    ui->push(path);
    click("New_btn");
    EXPECT_EQ(startDialogRuns, runs + 1);
    EXPECT_TRUE(document->graphics().empty());
    const DesignReadResult kept = Read_Design_File(path);
    ASSERT_TRUE(kept.ok());
    EXPECT_EQ(kept.design->frontControls.size(), front.size());
    // Save As with its panel cancelled keeps the path; Close with No starts anew.
    click("Rect_Tool_btn");
    saveAs(pathIn("second.did"));
    ui->push(QString());
    click("SaveAs_btn");
    EXPECT_EQ(Project_File_Name, pathIn("second.did"));
    // So does one the chosen place refuses: the title keeps the file, and Save writes there.
    const QString title = controller->windowTitle();
    ui->push(QStringLiteral("/nonexistent-folder/x.did"));
    click("SaveAs_btn");
    QFile::remove(pathIn("second.did"));
    click("Save_btn");
    EXPECT_TRUE(controller->windowTitle() == title && Read_Design_File(pathIn("second.did")).ok());
    ui->push(int(platform::AnswerNo));
    click("Close_btn");
    EXPECT_TRUE(document->graphics().empty());
    EXPECT_EQ(startDialogRuns, runs + 2);
}

// File > Start… asks to save as New does; a Cancel anywhere on its road (the question, the start
// dialog or its title bar, the gallery, the card wizard after trying a size) goes back to the
// design as it was, title, mode and bound table included.
TEST_F(DesignFileCommandsTest, StartGoesBackToTheOpenDesignOnEveryCancel)
{
    drawDesign();
    saveAs(pathIn("open.did"));
    controller->Excel_Table().Set_Table({"No.", "Name"}, {QVariantMap{{"Extension", "1"}, {"Column1", "Ann"}}});
    const auto face = [this] {
        return std::tuple(document->graphics(), controller->windowTitle(), Start_Card_Option, Project_File_Name,
                          controller->Front_card_Prop->Card_Size(), controller->Excel_Table().Column_Titles());
    };
    const auto before = face();
    QAction *start = nullptr;
    for (QAction *a : controller->findChildren<QAction *>())
        start = a->text() == "Start…" ? a : start;
    ASSERT_NE(start, nullptr);
    const auto previousWizard = Card_Wizard::setModalRunner([](Card_Wizard &w) {
        for (int page = 0; page < 2 && !testsupport::unreachable(w.Preset_ComboBox).isEmpty(); ++page)
            pressIn(w, "Next_btn");  // on to the size page
        w.Preset_ComboBox->setCurrentIndex(2);  // Custom
        EXPECT_EQ(testsupport::unreachable(w.width_Stepper).toStdString(), "");
        w.width_Stepper->setValue(w.width_Stepper->value() + 20);  // a size typed, applied as it changes
        pressIn(w, "Cancel_btn");
        return w.result();
    });
    const auto previousGroup = Group_Mode_Wizard::setModalRunner([](Group_Mode_Wizard &w) {
        pressIn(w, "cancel_btn");
        return w.result();
    });
    // The start dialog's answer (-1: the question is cancelled): Cancel, its title bar's close, an option + 10.
    for (const int answer : {-1, 0, 3, 10, 11, 13, 14}) {
        ui->clear();
        ui->push(answer < 0 ? platform::AnswerCancel : platform::AnswerNo);
        int runs = 0;  // should the dialog come again, it ends the road at once
        const auto previousStart = Start_Card::setModalRunner([&](Start_Card &dialog) {
            if (runs++ > 0)
                return -1;
            answer == 3 ? void(dialog.close()) : pressIn(dialog, startButton(answer));  // 0: Cancel
            return dialog.result();
        });
        press(start);
        Start_Card::setModalRunner(previousStart);
        EXPECT_EQ(ui->messages(), QStringList{"Do you want to save changes before opening new document?"});
        EXPECT_EQ(runs, int(answer >= 0)) << answer;
        EXPECT_TRUE(face() == before) << answer;
    }
    Card_Wizard::setModalRunner(previousWizard);
    Group_Mode_Wizard::setModalRunner(previousGroup);
}

// Exit, and closing the window, ask to save and then whether to exit; one exit asks once,
// though quitting closes the window and a close asks as Exit does.
TEST_F(DesignFileCommandsTest, ExitAndCloseAskToSaveThenToExitOnce)
{
    drawDesign();
    const QString save = "Do you want to save changes before closing?", really = "\nDo you really want to exit?";
    const struct {
        std::vector<platform::ScriptedUiServices::Answer> answers;
        QStringList asked;
        bool exits;
    } cases[] = {
        {{int(platform::AnswerCancel)}, {save}, false},
        {{int(platform::AnswerYes), QString()}, {save}, false},  // the save panel is cancelled
        {{int(platform::AnswerYes), pathIn("exit.did"), false}, {save, kSaved, really}, false},
    };
    for (const auto &c : cases) {
        for (bool byClosing : {false, true}) {
            ui->clear();
            Project_File_Name.clear();  // so that a save asks for its file each time
            for (const auto &answer : c.answers)
                ui->push(answer);
            controller->show();
            EXPECT_EQ(byClosing ? controller->close() : controller->Exit_App(), c.exits);
            EXPECT_EQ(ui->messages(), c.asked);
            EXPECT_TRUE(controller->isVisible());
        }
    }
    EXPECT_EQ(Read_Design_File(pathIn("exit.did")).design.value().backControls.size(), 6u);

    // A window that was told to quit and is gone before any loop ran takes its quit along: the
    // next window's loop does not begin by closing it (the click below finds it open).
    {
        SKTDocument design;
        const auto gone = Set_Up_Application(design);
        ui->clear();
        ui->push(int(platform::AnswerNo));  // no saving; yes, exit
        ui->push(true);
        gone->show();
        ASSERT_TRUE(gone->Exit_App());
    }

    // No to saving and Yes to exiting, in the running application.
    ui->clear();
    ui->push(int(platform::AnswerNo));
    ui->push(true);
    QTimer::singleShot(0, controller.get(), [this] { click("Exit_btn"); });
    QTimer stuck;  // the loop ends by the quit, or by this with another code
    QObject::connect(&stuck, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    stuck.start(5000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_EQ(ui->messages(), (QStringList{save, really}));
    EXPECT_FALSE(controller->isVisible());
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
    controller->Excel_Table().Set_Table({"No.", "Name", "Code"},
                                        {QVariantMap{{"Extension", "1"}, {"Column1", "Ann"}, {"Column2", "ROW-7"}}});
    ASSERT_TRUE(code->_barcode_image.isNull());
    saveAs(pathIn("code.did"));
    const QVariantList root = platform::plistReadFile(pathIn("code.did")).toList();

    // What another program leaves in the picture entry: an archive holding no object.
    const QVariantMap archive{{"$archiver", "NSKeyedArchiver"}, {"$top", QVariantMap{{"root", 0}}},
                              {"$objects", QVariantList{"$null"}}};
    const QByteArray archiveOfNothing = platform::plistSerialize(archive, platform::PlistFormat::Binary);
    const struct {
        const char *name, *source;
        QByteArray picture, expected;
    } cases[] = {
        {"saved without", "2", QByteArray(), "ROW-7"},
        {"archive of nothing", "0", archiveOfNothing, "OWN-1"},
        {"foreign bytes", "2", QByteArray("GIF89a\x01\x00broken"), "ROW-7"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QVariantList record = root[Design_First_Record_Index].toList(), patched = root;
        record[20] = QString::fromLatin1(c.source);
        record[25] = c.picture;
        patched[Design_First_Record_Index] = record;
        ASSERT_TRUE(platform::plistWriteFile(pathIn("patched.did"), QVariant(patched)));
        open(pathIn("patched.did"));
        ASSERT_EQ(document->graphics().size(), 1u) << ui->messages().join('|').toStdString();
        EXPECT_EQ(readBarcode(zxing, document->graphics()[0]->_barcode_image), c.expected);
    }
}

// A design whose pictures have moved says so once on opening, in one box short enough for any
// screen: the first five by path, then how many more.
TEST_F(DesignFileCommandsTest, PicturesThatHaveMovedAreToldOnceOnOpening)
{
    QImage picture(20, 20, QImage::Format_RGB32);
    SKTGraphicArray controls;
    for (int i = 0; i < 8; ++i) {  // the first stays where it is
        controls.push_back(designtest::storedControl(SKTGraphicKind::Image, i + 1));
        controls.back()->_file_path = pathIn(qPrintable(QStringLiteral("photo-%1.png").arg(i)));
        ASSERT_TRUE(picture.save(controls.back()->_file_path));
    }
    place(0, controls);
    saveAs(pathIn("moved.did"));
    for (int i = 1; i < 8; ++i)
        ASSERT_TRUE(QFile::remove(controls[size_t(i)]->_file_path));
    open(pathIn("moved.did"));
    const QStringList told = ui->messages().filter(QStringLiteral("cannot be found"));
    ASSERT_EQ(told.size(), 1) << ui->messages().join('|').toStdString();
    QStringList expected{"7 pictures of this design cannot be found; their frames stay empty:"};
    for (int i = 1; i <= 5; ++i)
        expected << QDir::toNativeSeparators(controls[size_t(i)]->_file_path);
    EXPECT_EQ(told[0].trimmed().split('\n'), expected << "and 2 more.");
    ui->clear();
    click("Save_btn");
    EXPECT_EQ(ui->messages(), QStringList{kSaved}) << "told once";
}

// The file keeps a picture background by its path; opened, the card shows that picture again.
// The pictures lie in the data folder, which an installed copy has under ".../share/badgeloom"
// as its resources do: they are drawn from there (even one named like a picture of the
// installation), a photo as well, before and after saving and opening.
TEST_F(DesignFileCommandsTest, APictureBackgroundIsDrawnAgainAfterOpening)
{
    Created_Resource_Path = dir.filePath("home/.local/share/badgeloom");
    const QString kept = Created_Resource_Path + "/Images_save_by_user/";
    ASSERT_TRUE(QDir().mkpath(kept));
    const QColor colours[] = {QColor(20, 160, 90), QColor(200, 40, 120), QColor(30, 60, 220)};
    for (int i : {0, 1, 2}) {
        QImage picture(60, 40, QImage::Format_RGB32);
        picture.fill(colours[i]);
        ASSERT_TRUE(picture.save(kept + QStringList{"front.png", "no.png", "photo.png"}[i]));
    }
    for (int side : {0, 1}) {
        Card_Property &card = side == 0 ? *controller->Front_card_Prop : *controller->Back_card_Prop;
        card.setCard_fill_chk(true);
        card.setCard_fill_style(QStringLiteral("I"));
        card.setCard_BG_Image_Path(kept + (side == 0 ? "front.png" : "no.png"));
    }
    auto photo = std::make_shared<SKTImage>();
    photo->setBounds(QRectF(10, 10, 30, 30));
    photo->setFilePath(kept + "photo.png", true);
    place(0, {photo});
    for (bool reopened : {false, true}) {
        if (reopened) {  // the backgrounds are drawn as a design is opened
            saveAs(pathIn("background.did"));
            open(pathIn("background.did"));
            for (int side : {0, 1}) {
                click(side == 0 ? "Front_Side_btn" : "Back_Side_btn");
                const QImage shown = grabbed(side);
                EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2), colours[side]) << side;
            }
        }
        EXPECT_EQ(grabbed(0).pixelColor(at(canvas(0), QPointF(25, 25))), colours[2]) << reopened;
    }
}

// The size fields are typed into; what they hold is not applied until the size is set. A field
// left empty or holding words must not save the card as zero wide.
TEST_F(DesignFileCommandsTest, ASizeFieldThatIsNotANumberSavesTheCardShown)
{
    const QString path = pathIn("size.did");
    saveAs(path);
    const QSizeF shown = Read_Design_File(path).design.value().front.Card_Size();  // CR80, 85.6 mm
    for (const char *typed : {"", "abc", "-3", "inf", "nan"}) {
        SCOPED_TRACE(typed);
        controller->width_Text->setText(QString::fromLatin1(typed));
        controller->height_Text->setText(QString::fromLatin1(typed));
        click("Save_btn");
        ASSERT_EQ(ui->messages().last(), kSaved);
        const DesignReadResult read = Read_Design_File(path);
        ASSERT_TRUE(read.ok()) << read.detail.toStdString();
        const QSizeF saved = read.design->front.Card_Size();
        EXPECT_TRUE(std::abs(saved.width() - shown.width()) < 1 && std::abs(saved.height() - shown.height()) < 1);
        EXPECT_EQ(read.design->back.Card_Size(), saved);
    }
}

}  // namespace

namespace {

// A design with damaged control records names the first five and counts the rest in one short
// box; one with more than a hundred is refused with that reason and the open design stays.
TEST_F(DesignFileCommandsTest, DamagedRecordsAreNamedInAShortBoxAndTooManyRefuseTheDesign)
{
    drawDesign();
    const QString good = pathIn("good.did");
    saveAs(good);
    const QVariantList root = platform::plistReadFile(good).toList();
    const int countAt = Design_First_Record_Index - 1, front = root.value(countAt).toString().toInt();
    for (const int damaged : {7, 101}) {
        SCOPED_TRACE(damaged);
        QVariantList patched = root.mid(0, countAt);
        patched.append(QString::number(damaged));
        for (int i = 0; i < damaged; ++i)
            patched.append(QVariant(QVariantList{QStringLiteral("T")}));
        patched.append(root.mid(countAt + 1 + front));
        writeFile(pathIn("damaged.did"), platform::plistSerialize(QVariant(patched)));
        open(pathIn("damaged.did"));
        const QStringList lines = ui->messages().value(1).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (damaged == 7) {
            ASSERT_EQ(lines.size(), 6);
            EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Control 1 of the front side (entry %1) is damaged (")
                                                .arg(Design_First_Record_Index)));
            EXPECT_EQ(lines[5], QStringLiteral("… and 2 more damaged controls."));
            EXPECT_EQ(document->graphics().size(), 7u);
        } else {
            EXPECT_TRUE(refused(ui->messages().value(1), "damaged.did") &&
                        lines.last().endsWith(QStringLiteral("more than 100 control records are damaged.")));
            EXPECT_EQ(document->graphics().size(), 7u) << "the design opened before stays";
        }
    }
}

}  // namespace
