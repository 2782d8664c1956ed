#include "ControllerFixture.h"
#include "canvas/ImageBrowser.h"
#include "core/DesignFile.h"
#include "core/SKTImage.h"
#include "core/SKTRenderingView.h"
#include "core/SKTText.h"
#include "data/export/CardExport.h"
#include "data/export/ExportSheet.h"
#include "data/spreadsheet/SpreadsheetWriter.h"
#include "groupmode/GroupListWidget.h"
#include "groupmode/GroupMode.h"
#include "groupmode/Group_Mode_Wizard.h"
#include "groupmode/Update_XL_Column.h"
#include "imaging/Cropping_Tool.h"
#include "mainwindow/GroupModeWiring.h"
#include "platform/Paths.h"
#include "properties/CardTabs.h"
#include "properties/PropertyPanel.h"
#include "visitor/Profile_Panel.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTabBar>
#include <QTreeWidget>

namespace {

// A person on the group road: a sheet of people, a user template, the wizard's three screens.
class GroupJourney : public ControllerTest {
protected:
    void SetUp() override
    {
        ControllerTest::SetUp();
        ASSERT_TRUE(setUpWindow());
        group = Group_Mode_Of(*controller);
        ASSERT_NE(group, nullptr);
        const QString user = platform::joinPath(Created_Resource_Path, "Templates/User");
        ASSERT_TRUE(QDir().mkpath(user));
        // The template's text style: the fields group mode adds are written in it.
        for (Card_Property *card : {controller->Front_card_Prop.get(), controller->Back_card_Prop.get()})
            card->setCard_Content_font(QFont(QStringLiteral("DejaVu Sans"), 14));
        saveAs(user + "/Badge.did");
        ASSERT_TRUE(QImage(40, 25, QImage::Format_RGB32).save(user + "/Badge.png"));
    }

    // Names "Person 01" … with a title and `photo`; `rows` data rows under a title row.
    QString workbook(int rows, const QString &photo = {})
    {
        QList<QStringList> sheet{{"Name", "Title", "Photo"}};
        for (int i = 1; i <= rows; ++i)
            sheet << QStringList{QStringLiteral("Person %1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("T%1").arg(i), photo};
        const QString path = pathIn("people.xlsx");
        EXPECT_TRUE(SpreadsheetWriter::WriteWorkbook(path, sheet, true));
        return path;
    }

    // The group road to Finish: name column 1, title column 2, the photo column 3 bound to
    // the `photos` bindings (10 front, 11 back).
    QString project = QStringLiteral("Staff");  // the project the group road makes
    // `road` leads to the start dialog and says whether group mode came (New when none).
    int startGroupRoad(const QString &book, std::initializer_list<size_t> photos = {}, const std::function<bool()> &road = {})
    {
        const auto previous = Group_Mode_Wizard::setModalRunner([&](Group_Mode_Wizard &w) {
            pressIn(w, "start_new_btn");
            w.proj_name->setText(project);
            w.excel_path->setText(book);
            pressIn(w, "ok_btn");
            w.cat_cmbo_bx->setCurrentIndex(1);
            w.imageBrowser->selectImage(0);
            pressIn(w, "ok_btn");
            w.columnCombos[0]->setCurrentIndex(1);
            w.columnCombos[1]->setCurrentIndex(2);
            for (size_t photo : photos)
                w.columnCombos[photo]->setCurrentIndex(3);
            pressIn(w, "ok_btn");
            return w.result();
        });
        const bool started = road ? road() : startAgain(14, "G");
        Group_Mode_Wizard::setModalRunner(previous);
        return started ? 1 : 0;
    }

    QListWidget *list() { return controller->findChild<QListWidget *>("GroupList"); }
    QString cardText(int side, const char *id) const
    {
        const SKTGraphic *g = canvas(side)->Selcect_Ctrl_With_ID(QString::fromLatin1(id));
        return g ? g->Text_Value : QStringLiteral("<none>");
    }
    Profile_Panel *panel(int side) { return side == 0 ? Front_Profile_Panel_OBJ : Back_Profile_Panel_OBJ; }
    // The pixels of the name control's frame on the front.
    QImage namePixels()
    {
        const SKTGraphic *g = canvas(0)->Selcect_Ctrl_With_ID("Fup_Name");
        EXPECT_NE(g, nullptr);
        if (!g)
            return {};
        return grabbed(0).copy((g->bounds().adjusted(-2, -2, 2, 2).toRect()));
    }

    // The export of every row's front in `format` into the folder `name`: the files written, sorted.
    QStringList exportFronts(const char *format, const QString &name)
    {
        ExportCommand *command = controller->exportCommand();
        ui->onRequest = [command, format](const platform::ScriptedUiServices::Request &r) {
            const testsupport::RunWindow runWindow(r.kind);
            if (r.kind == "ExportWindow") {
                command->sheet()->fileFormatPopup->setCurrentText(format);
                press(command->sheet()->side_front);
            }
        };
        const QString folder = dir.filePath(name);
        EXPECT_TRUE(QDir().mkpath(folder));
        ui->clear();
        ui->push(1);
        ui->push(folder);
        ui->push(0);
        click("Export_btn");
        command->waitForRun();
        ui->onRequest = nullptr;
        QStringList written = command->lastRun() ? command->lastRun()->written : QStringList();
        written.sort();
        return written;
    }

    GroupMode *group = nullptr;
};

}  // namespace

// Twenty people: the list, the card, the panel, a selected row, the rows reloaded with the
// project and twenty cards exported through the batch engine.
TEST_F(GroupJourney, TwentyPeopleFromListToCardsAndBack)
{
    REQUIRE_TOOL(pdftotext, "pdftotext");
    // The panels' boxes for a new custom field, hidden outside group mode.
    ASSERT_EQ(startGroupRoad(workbook(20)), 1);
    for (int side : {0, 1}) {
        auto *box = panel(side)->findChild<QWidget *>("new_ctrl_type_box");
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isVisibleTo(box->parentWidget())) << side;
    }
    ASSERT_NE(list(), nullptr);
    EXPECT_EQ(list()->count(), 20);
    EXPECT_EQ(list()->item(6)->text(), "7 - Person 07");
    EXPECT_EQ(list()->currentRow(), 0);
    // Row 1 on the card and in the front panel after Finish.
    EXPECT_EQ(cardText(0, "Fup_Name"), "Person 01");
    EXPECT_EQ(cardText(0, "Fup_Title"), "T1");
    EXPECT_EQ(panel(0)->value[0]->text(), "Person 01");
    const QImage first = namePixels();

    // Selecting row 7 lays it on the card and the panel, and adds no undo step.
    const int undoSteps = controller->undoHistory().Get_Undo_Count();
    list()->setCurrentRow(6);
    EXPECT_EQ(cardText(0, "Fup_Name"), "Person 07");
    EXPECT_EQ(panel(0)->value[1]->text(), "T7");
    EXPECT_NE(namePixels(), first);
    EXPECT_EQ(controller->undoHistory().Get_Undo_Count(), undoSteps);
    list()->setCurrentRow(0);
    EXPECT_EQ(namePixels(), first);  // the same name draws the same
    list()->setCurrentRow(6);

    // The project file holds the twenty rows; opening it again lists them.
    const QString project = ::Project_File_Name;
    ASSERT_FALSE(project.isEmpty());
    open(project);
    EXPECT_EQ(Start_Card_Option, "G");
    EXPECT_EQ(list()->count(), 20);
    EXPECT_TRUE(list()->isVisibleTo(controller.get()));
    // Named on the command line, it opens in group mode as well.
    controller->New_Project_Setting_Reset(true);
    EXPECT_EQ(list()->count(), 0);
    ASSERT_TRUE(controller->Open_Design_At_Start(project));
    EXPECT_EQ(Start_Card_Option, "G");
    EXPECT_EQ(list()->count(), 20);
    EXPECT_EQ(cardText(0, "Fup_Name"), "Person 01");

    // Twenty cards as PDF files, each naming its person.
    const QStringList written = exportFronts("PDF", "cards");
    ASSERT_EQ(written.size(), 20) << written.join(" ").toStdString();
    QStringList names;
    for (const QString &file : written) {
        const auto text = testsupport::runTool(pdftotext, {file, "-"});
        const QString words = QString::fromUtf8(text.out).simplified();
        const qsizetype at = words.indexOf("Person ");
        names << (at < 0 ? words : words.mid(at, 9));
    }
    names.sort();
    QStringList expected;
    for (int i = 1; i <= 20; ++i)
        expected << QStringLiteral("Person %1").arg(i, 2, 10, QLatin1Char('0'));
    EXPECT_EQ(names, expected);
}

// The rows as a person edits them in the panel: Save keeps the fields whose box is off, Add
// takes every field, Delete asks and moves to the row before; each writes the project file.
TEST_F(GroupJourney, PanelEditsReachTheRowsAndTheProjectFile)
{
    ASSERT_EQ(startGroupRoad(workbook(3)), 1);
    const auto button = [&](const char *name) { return controller->findChild<QPushButton *>(name); };
    const auto stored = [&] {
        const DesignReadResult read = Read_Design_File(::Project_File_Name);
        QStringList rows;
        for (qsizetype i = 0; read.design && i < read.design->tableRows.size(); ++i)
            rows << read.design->tableRows.value(i, "Extension") + ":" + read.design->tableRows.value(i, "Column1") + "," +
                        read.design->tableRows.value(i, "Column2");
        return rows.join(" ");
    };
    Profile_Panel *front = panel(0);
    list()->setCurrentRow(1);
    ASSERT_EQ(front->value[0]->text(), "Person 02");
    ASSERT_TRUE(front->value_chk[0]->isChecked());
    front->value[0]->setText("Bea");
    front->value_chk[1]->setChecked(false);
    front->value[1]->setText("ignored");
    ui->clear();
    press(button("Save_Excel_Details_Btn"));
    EXPECT_EQ(ui->messages().join("").trimmed(), "Record saved successfully.");
    EXPECT_EQ(stored(), "1:Person 01,T1 2:Bea,T2 3:Person 03,T3");
    EXPECT_EQ(list()->item(1)->text(), "2 - Bea");
    EXPECT_EQ(cardText(0, "Fup_Name"), "Bea");

    front->value[0]->setText("Dan");
    front->value[1]->setText("Lead");
    front->value_chk[1]->setChecked(false);
    ui->clear();
    press(button("Add_In_Excel_Details_Btn"));
    EXPECT_EQ(ui->messages().join("").trimmed(), "Record added successfully.");
    EXPECT_EQ(stored(), "1:Person 01,T1 2:Bea,T2 3:Person 03,T3 4:Dan,Lead");
    EXPECT_EQ(list()->currentRow(), 3);
    EXPECT_EQ(cardText(0, "Fup_Title"), "Lead");

    list()->setCurrentRow(1);
    ui->clear();
    ui->push(true);
    press(button("Delete_In_Excel_Details_Btn"));
    EXPECT_EQ(stored(), "1:Person 01,T1 3:Person 03,T3 4:Dan,Lead");
    EXPECT_EQ(list()->currentRow(), 0);
    EXPECT_EQ(list()->item(1)->text(), "2 - Person 03");
    EXPECT_EQ(cardText(0, "Fup_Name"), "Person 01");
    EXPECT_TRUE(button("Delete_In_Excel_Details_Btn")->isEnabled());
    // A new design empties the list: nothing is selected, so nothing can be deleted.
    controller->New_Project_Setting_Reset(true);
    EXPECT_EQ(list()->count(), 0);
    EXPECT_FALSE(button("Delete_In_Excel_Details_Btn")->isEnabled());
}

// Typing into the panel is one undo step that takes back the card and the panel alike.
TEST_F(GroupJourney, UndoAfterAPanelChangeRestoresPanelAndCard)
{
    ASSERT_EQ(startGroupRoad(workbook(3)), 1);
    list()->setCurrentRow(2);
    QLineEdit *name = panel(0)->value[0];
    ASSERT_EQ(name->text(), "Person 03");
    name->selectAll();
    QTest::keyClicks(name, "Zoe");
    EXPECT_EQ(cardText(0, "Fup_Name"), "Zoe");
    // Output takes the side in work as it is shown; the typing is neither printed away nor
    // dropped from the card and the panel.
    const BatchDesign output = controller->Prepare_Print_Export_Mail();
    const auto named = [](const CardSide &side) {
        for (const auto &g : side.controls)
            if (g->control_ID == "Fup_Name")
                return g->Text_Value;
        return QString();
    };
    EXPECT_EQ(named(output.front), "Zoe");
    EXPECT_EQ(cardText(0, "Fup_Name"), "Zoe");
    EXPECT_EQ(name->text(), "Zoe");
    name->selectAll();
    QTest::keyClicks(name, "Zoe");
    ASSERT_TRUE(enabled("Undo_btn"));
    while (cardText(0, "Fup_Name") != "Person 03" && enabled("Undo_btn"))
        click("Undo_btn");
    EXPECT_EQ(cardText(0, "Fup_Name"), "Person 03");
    EXPECT_EQ(name->text(), "Person 03");
}

// The other side takes the row on show when it comes into work; a copied design keeps the
// list and its bindings.
TEST_F(GroupJourney, SideSwitchAndCopyKeepTheRowOnShow)
{
    ASSERT_EQ(startGroupRoad(workbook(6)), 1);
    list()->setCurrentRow(3);
    ui->clear();
    ui->push(true);
    click("copy_card_design_btn");
    EXPECT_EQ(list()->count(), 6);
    EXPECT_EQ(list()->currentRow(), 3);
    EXPECT_EQ(cardText(1, "Fup_Name"), "Person 04");
    // Saving now keeps every row as it was.
    const QVariantList before = group->data().rows();
    ASSERT_TRUE(controller->Save_project_file(false, false, "L"));
    EXPECT_EQ(group->data().rows(), before);
    click("Front_Side_btn");
    list()->setCurrentRow(4);
    EXPECT_EQ(cardText(1, "Fup_Name"), "Person 04");  // the back is not in work yet
    click("Back_Side_btn");
    EXPECT_EQ(cardText(1, "Fup_Name"), "Person 05");
    EXPECT_EQ(panel(1)->value[0]->text(), "Person 05");
    EXPECT_EQ(list()->currentRow(), 4);
}

// A selected field the re-mapping takes off the card leaves nothing selected: the tool bar's
// commands for a selection are off with it, as the Edit menu's are.
TEST_F(GroupJourney, ATakenOffFieldLeavesNoSelectionCommandsOn)
{
    ASSERT_EQ(startGroupRoad(workbook(3)), 1);
    const SKTGraphic *title = canvas(0)->Selcect_Ctrl_With_ID("Fup_Title");
    ASSERT_NE(title, nullptr);
    clickAt(canvas(0), title->bounds().center());
    ASSERT_EQ(canvas(0)->Selected_Graphic(), title);
    ASSERT_TRUE(enabled("Cut_btn") && enabled("Copy_btn") && enabled("Delete_btn"));
    const auto previous = Update_XL_Column::setModalRunner([](Update_XL_Column &d) {
        d.value_chk[1]->setChecked(false);
        press(d.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok));
        return d.result();
    });
    EXPECT_TRUE(press(controller->findChild<QPushButton *>("Update_Excel_Btn")));
    Update_XL_Column::setModalRunner(previous);
    ASSERT_FALSE(title->ctrl_is_visible);
    EXPECT_TRUE(canvas(0)->selectedGraphics().empty());
    for (const char *off : {"Cut_btn", "Copy_btn", "Delete_btn"})
        EXPECT_FALSE(enabled(off)) << off;
}

// Re-mapping through the group list's button: every column None but the name leaves eleven
// bindings unset and the title off the card; a new name column renames the list.
TEST_F(GroupJourney, RemappingTheColumnsRelaysTheCard)
{
    ASSERT_EQ(startGroupRoad(workbook(4)), 1);
    list()->setCurrentRow(2);
    std::function<void(Update_XL_Column &)> choose;
    const auto previous = Update_XL_Column::setModalRunner([&](Update_XL_Column &d) {
        EXPECT_EQ(d.windowTitle(), "Front Side Update Excel Column");
        EXPECT_EQ(d.Pass_proj_name->text(), "Staff");
        choose(d);
        return d.result();
    });
    const auto remapButton = [&] { press(controller->findChild<QPushButton *>("Update_Excel_Btn")); };
    choose = [](Update_XL_Column &d) {
        EXPECT_TRUE(d.value_chk[1]->isChecked());
        pressIn(d, "Cancel");
    };
    remapButton();
    EXPECT_EQ(controller->excel_cb_value[2], 2);

    choose = [](Update_XL_Column &d) {
        for (int f = 1; f < 12; ++f)
            d.combos[size_t(f)]->setCurrentIndex(0);
        d.value_chk[1]->setChecked(false);
        press(d.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok));
    };
    remapButton();
    EXPECT_EQ(std::vector<int>(controller->excel_cb_value + 2, controller->excel_cb_value + 13), std::vector<int>(11, -1));
    const SKTGraphic *title = canvas(0)->Selcect_Ctrl_With_ID("Fup_Title");
    ASSERT_NE(title, nullptr);
    EXPECT_FALSE(title->ctrl_is_visible);
    EXPECT_EQ(title->excel_col_indx, -1);
    EXPECT_EQ(list()->currentRow(), 2);
    EXPECT_EQ(cardText(0, "Fup_Name"), "Person 03");

    choose = [](Update_XL_Column &d) {
        d.combos[0]->setCurrentIndex(2);
        press(d.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok));
    };
    remapButton();
    EXPECT_EQ(list()->item(0)->text(), "1 - T1");
    EXPECT_EQ(cardText(0, "Fup_Name"), "T3");
    Update_XL_Column::setModalRunner(previous);
}

// Cancel leaves no card outline of the template behind.
TEST_F(GroupJourney, CancelResetsTheCardShape)
{
    controller->cardTabs().Card_Shape = 2;
    const auto previous = Group_Mode_Wizard::setModalRunner([](Group_Mode_Wizard &w) {
        pressIn(w, "cancel_btn");
        return w.result();
    });
    EXPECT_FALSE(startAgain(14, "G"));
    Group_Mode_Wizard::setModalRunner(previous);
    EXPECT_EQ(controller->cardTabs().Card_Shape, 0);
}

// A custom field of the side gets its own row in the re-mapping dialog; a column chosen there
// ticks the row and brings the first row's value onto the card. A locked field's row is closed.
TEST_F(GroupJourney, RemappingACustomFieldAndALockedField)
{
    ASSERT_EQ(startGroupRoad(workbook(3)), 1);
    auto field = std::make_shared<SKTText>();
    field->control_ID = "F_field1";
    field->Set_text_value("typed");
    field->setBounds(QRectF(10, 60, 70, 20));
    place(0, {field});
    canvas(0)->Selcect_Ctrl_With_ID("Fup_Title")->ctrl_is_locked = true;
    const auto previous = Update_XL_Column::setModalRunner([](Update_XL_Column &d) {
        EXPECT_FALSE(d.value_chk[1]->isEnabled());
        EXPECT_FALSE(d.combos[1]->isEnabled());
        EXPECT_TRUE(d.combos[0]->isEnabled());
        EXPECT_EQ(d.view_array_value.size(), 1u);
        if (d.view_array_value.size() != 1)
            return 0;
        const Update_XL_Column::CustomRow &row = d.view_array_value.front();
        EXPECT_EQ(row.text->text(), "F_field1");
        row.check->setChecked(false);
        row.combo->setCurrentIndex(2);  // "Title"
        EXPECT_TRUE(row.check->isChecked());
        press(d.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok));
        return d.result();
    });
    press(controller->findChild<QPushButton *>("Update_Excel_Btn"));
    Update_XL_Column::setModalRunner(previous);
    ASSERT_FALSE(controller->dynamic_ctrl_list_front.empty());
    EXPECT_EQ(controller->dynamic_ctrl_list_front.front(), (DynamicControlRow{"F_field1", "T1", "Y", "2", "T"}));
    EXPECT_EQ(cardText(0, "F_field1"), "T1");
    list()->setCurrentRow(2);
    EXPECT_EQ(cardText(0, "F_field1"), "T3");

    // The back panel follows the back's locks when the back comes into work.
    ui->clear();
    ui->push(true);
    click("copy_card_design_btn");
    canvas(1)->Selcect_Ctrl_With_ID("Fup_Name")->ctrl_is_locked = true;
    click("Front_Side_btn");
    click("Back_Side_btn");
    EXPECT_FALSE(panel(1)->value_chk[0]->isEnabled());
    EXPECT_FALSE(panel(1)->value[0]->isEnabled());
}

namespace {

// The rows of the saved project, "name,title" each, as a fresh read of its file gives them.
std::string savedRows()
{
    const DesignReadResult read = Read_Design_File(::Project_File_Name);
    QStringList rows;
    for (qsizetype i = 0; read.design && i < read.design->tableRows.size(); ++i)
        rows << read.design->tableRows.value(i, "Column1") + "," + read.design->tableRows.value(i, "Column2");
    return rows.join(" | ").toStdString();
}

const QString kUnsavedQuestion = QStringLiteral(
    "This record has changes that are not saved.\nPlease click on 'Save Details' button to update your changes in "
    "your project data.");

}  // namespace

// An undo step belongs to the row it was made on: typed into row 3, saved on leaving it, row 4
// shown, Undo and Save leave row 4 as it was and row 3 as typed.
TEST_F(GroupJourney, UndoAfterARowChangeNeverCarriesAnotherRowsValues)
{
    ASSERT_EQ(startGroupRoad(workbook(5)), 1);
    // The undo key as a user presses it: the window active, the canvas (which takes no command
    // keys itself) in focus.
    const auto undoKey = [this] {
        controller->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(controller.get()));
        canvas(0)->setFocus();
        QTest::keySequence(controller.get(), QKeySequence::Undo);
    };
    list()->setCurrentRow(2);
    QLineEdit *name = panel(0)->value[0];
    name->selectAll();
    QTest::keyClicks(name, "Zoe");
    ASSERT_EQ(cardText(0, "Fup_Name"), "Zoe");
    ASSERT_TRUE(enabled("Undo_btn"));
    ui->clear();
    ui->push(QStringList{"Save Details"});
    list()->setCurrentRow(3);
    ASSERT_EQ(list()->currentRow(), 3);
    EXPECT_EQ(panel(0)->value[0]->text().toStdString(), "Person 04");
    EXPECT_FALSE(enabled("Undo_btn"));
    // Edit > Undo is out of reach too: no step of row 3 is left to take, and the undo key a user
    // tries anyway (it reaches Undo below) brings none back.
    EXPECT_FALSE(outlet<QAction>("undo_menu")->isEnabled());
    undoKey();
    EXPECT_EQ(cardText(0, "Fup_Name").toStdString(), "Person 04");
    EXPECT_EQ(panel(0)->value[0]->text().toStdString(), "Person 04");
    EXPECT_EQ(panel(0)->value[1]->text().toStdString(), "T4");
    press(controller->findChild<QPushButton *>("Save_Excel_Details_Btn"));
    EXPECT_EQ(savedRows(), "Person 01,T1 | Person 02,T2 | Zoe,T3 | Person 04,T4 | Person 05,T5");
    // Back on row 3 the typing is there; undo still takes back what is typed on it.
    list()->setCurrentRow(2);
    EXPECT_EQ(cardText(0, "Fup_Name").toStdString(), "Zoe");
    name->selectAll();
    QTest::keyClicks(name, "Zara");
    ASSERT_TRUE(enabled("Undo_btn"));
    for (int steps = 0; steps < 8 && cardText(0, "Fup_Name") != "Zoe" && enabled("Undo_btn"); ++steps)
        undoKey();
    EXPECT_EQ(cardText(0, "Fup_Name").toStdString(), "Zoe");
    EXPECT_EQ(name->text().toStdString(), "Zoe");
}

// A person who leaves a row with changes that are not saved is asked first, and each answer
// does what it says: Save stores the row in the project, Discard leaves the project as it was,
// Cancel stays on the row with what was typed. A row left unchanged asks nothing.
TEST_F(GroupJourney, LeavingARowWithUnsavedChangesAsksFirst)
{
    ASSERT_EQ(startGroupRoad(workbook(4)), 1);
    const std::string asLoaded = "Person 01,T1 | Person 02,T2 | Person 03,T3 | Person 04,T4";
    const struct {
        const char *answer;  // nullptr: nothing typed
        int rowAfter;
        std::string shownName;
        std::string saved;
    } cases[] = {
        {nullptr, 3, "Person 04", asLoaded},
        {"Cancel", 1, "Bea", asLoaded},
        {"Discard Changes", 3, "Person 04", asLoaded},
        {"Save Details", 3, "Person 04", "Person 01,T1 | Bea,T2 | Person 03,T3 | Person 04,T4"},
    };
    // The question is a modal box: the events waiting run while it is up, in its own loop.
    ui->onRequest = [](const auto &r) { r.kind == "alert" ? QCoreApplication::processEvents() : void(); };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer ? c.answer : "nothing typed");
        ui->clear();
        ui->push(QStringList{"Discard Changes"});  // the case before may have left typing behind
        list()->setCurrentRow(0);
        ui->clear();
        list()->setCurrentRow(1);
        ASSERT_EQ(list()->currentRow(), 1);
        ASSERT_EQ(panel(0)->value[0]->text(), "Person 02");
        if (c.answer) {
            panel(0)->value[0]->selectAll();
            QTest::keyClicks(panel(0)->value[0], "Bea");
        }
        ui->clear();
        if (c.answer)
            ui->push(QStringList{QString::fromLatin1(c.answer)});
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(3)).center());
        QCoreApplication::processEvents();
        QStringList asked;
        for (const auto &r : ui->requests())
            if (r.kind == "alert")
                asked << r.text;
        EXPECT_EQ(asked.join("|").toStdString(), c.answer ? kUnsavedQuestion.toStdString() : "");
        EXPECT_EQ(list()->currentRow(), c.rowAfter);
        const QList<QListWidgetItem *> highlighted = list()->selectedItems();
        EXPECT_EQ(highlighted.size() == 1 ? list()->row(highlighted.front()) : -1, c.rowAfter) << "the highlighted row";
        EXPECT_EQ(panel(0)->value[0]->text().toStdString(), c.shownName);
        EXPECT_EQ(cardText(0, "Fup_Name").toStdString(), c.shownName);
        EXPECT_EQ(savedRows(), c.saved);
        EXPECT_EQ(list()->item(1)->text().toStdString(), c.saved.find("Bea") != std::string::npos ? "2 - Bea" : "2 - Person 02");
    }
    // Typed into row 4, row 1 clicked and Cancel: row 4 stays highlighted, and Delete removes it.
    QTest::keyClicks(panel(0)->value[0], "Cy");
    ui->clear();
    ui->push(QStringList{"Cancel"});
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(0)).center());
    QCoreApplication::processEvents();
    const QListWidgetItem *highlighted = list()->selectedItems().value(0);
    EXPECT_EQ(highlighted ? highlighted->text().toStdString() : "", "4 - Person 04");
    ui->push(true);
    press(controller->findChild<QPushButton *>("Delete_In_Excel_Details_Btn"));
    EXPECT_EQ(savedRows(), "Person 01,T1 | Bea,T2 | Person 03,T3");
    ui->onRequest = nullptr;
}

// The questions of the kind "alert" asked since the script was cleared, one line each.
std::string alertsAsked(const platform::ScriptedUiServices &ui)
{
    QStringList asked;
    for (const auto &r : ui.requests())
        if (r.kind == "alert")
            asked << r.text;
    return asked.join("|").toStdString();
}

// A person's side switch with changes of the row on show that are not saved asks first: Cancel
// stays on the side with the changes, Discard and Save go on with the row as the table then
// holds it, and coming back shows that row. Nothing typed: no question, and the side switch
// keeps what it shows.
TEST_F(GroupJourney, SwitchingSidesWithUnsavedChangesAsksFirst)
{
    ASSERT_EQ(startGroupRoad(workbook(3)), 1);
    const std::string asLoaded = "Person 01,T1 | Person 02,T2 | Person 03,T3";
    const struct {
        const char *answer;  // nullptr: nothing typed
        const char *button;  // the side button pressed
        int sideAfter;
        std::string frontName;  // the front's panel and card after coming back to the front
        std::string saved;
    } cases[] = {
        {nullptr, "Back_Side_btn", 1, "Person 02", asLoaded},
        {"Cancel", "Back_Side_btn", 0, "Bea", asLoaded},
        {"Cancel", "Front_Side_btn", 0, "Bea", asLoaded},  // the side in work's own button
        {"Discard Changes", "Back_Side_btn", 1, "Person 02", asLoaded},
        {"Save Details", "Back_Side_btn", 1, "Bea", "Person 01,T1 | Bea,T2 | Person 03,T3"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.answer ? c.answer : "nothing typed") + " " + c.button);
        ui->clear();
        ui->push(QStringList{"Discard Changes"});  // the case before may have left typing behind
        click("Front_Side_btn");
        list()->setCurrentRow(0);
        list()->setCurrentRow(1);
        ASSERT_EQ(Card_Front_Or_Back, 0);
        ASSERT_EQ(panel(0)->value[0]->text(), "Person 02");
        if (c.answer) {
            panel(0)->value[0]->selectAll();
            QTest::keyClicks(panel(0)->value[0], "Bea");
        }
        ui->clear();
        if (c.answer)
            ui->push(QStringList{QString::fromLatin1(c.answer)});
        click(c.button);
        EXPECT_EQ(alertsAsked(*ui), c.answer ? kUnsavedQuestion.toStdString() : "");
        EXPECT_EQ(Card_Front_Or_Back, c.sideAfter);
        EXPECT_EQ(controller->Front_Side_btn->isChecked(), c.sideAfter == 0);
        EXPECT_EQ(controller->Back_Side_btn->isChecked(), c.sideAfter == 1);
        EXPECT_EQ(savedRows(), c.saved);
        ui->clear();
        if (c.sideAfter == 1)
            click("Front_Side_btn");
        EXPECT_EQ(alertsAsked(*ui), "");  // the back holds nothing unsaved
        EXPECT_EQ(Card_Front_Or_Back, 0);
        EXPECT_EQ(list()->currentRow(), 1);
        EXPECT_EQ(panel(0)->value[0]->text().toStdString(), c.frontName);
        EXPECT_EQ(cardText(0, "Fup_Name").toStdString(), c.frontName);
    }
}

// The back in work with unsaved changes is not taken out of work without asking: making the
// card one-sided asks, and Cancel keeps the card two-sided with the changes on the back's panel
// and card.
TEST_F(GroupJourney, ASideTakenOutOfWorkKeepsItsUnsavedChanges)
{
    ASSERT_EQ(startGroupRoad(workbook(3)), 1);
    list()->setCurrentRow(1);
    ui->clear();
    ui->push(true);
    click("copy_card_design_btn");
    ASSERT_EQ(Card_Front_Or_Back, 1);
    ASSERT_EQ(panel(1)->value[0]->text(), "Person 02");
    panel(1)->value[0]->selectAll();
    QTest::keyClicks(panel(1)->value[0], "Bea");
    ASSERT_EQ(cardText(1, "Fup_Name"), "Bea");
    ui->clear();
    ui->push(QStringList{"Cancel"});
    controller->Sides_ComboBox->setCurrentIndex(1);
    EXPECT_EQ(alertsAsked(*ui), kUnsavedQuestion.toStdString());
    EXPECT_EQ(controller->Sides_ComboBox->currentIndex(), 0);
    EXPECT_TRUE(controller->Back_Side_btn->isEnabled());
    EXPECT_EQ(Card_Front_Or_Back, 1);
    EXPECT_EQ(cardText(0, "Fup_Name").toStdString(), "Person 02");
    EXPECT_EQ(panel(1)->value[0]->text().toStdString(), "Bea");
    EXPECT_EQ(cardText(1, "Fup_Name").toStdString(), "Bea");
    // Leaving the row now asks about them.
    ui->clear();
    ui->push(QStringList{"Save Details"});
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(2)).center());
    EXPECT_EQ(alertsAsked(*ui), kUnsavedQuestion.toStdString());
    EXPECT_EQ(savedRows(), "Person 01,T1 | Bea,T2 | Person 03,T3");
}

// Making the card one-sided while the back holds unsaved changes of the row on show asks
// first. Cancel keeps the card two-sided and the changes; Discard and Save go to the front with
// the row as the table then holds it, and picking another row there loses nothing and asks
// nothing.
TEST_F(GroupJourney, MakingTheCardOneSidedAsksAboutTheBacksUnsavedChanges)
{
    ASSERT_EQ(startGroupRoad(workbook(3)), 1);
    list()->setCurrentRow(1);
    ui->clear();
    ui->push(true);
    click("copy_card_design_btn");
    ASSERT_EQ(Card_Front_Or_Back, 1);
    const std::string asLoaded = "Person 01,T1 | Person 02,T2 | Person 03,T3";
    const struct {
        const char *answer;
        int sidesIndex;  // 0 two sides, 1 one side
        int sideAfter;
        std::string shownName;  // the panel and card of the side in work after the answer
        std::string saved;
    } cases[] = {
        {"Cancel", 0, 1, "Bea", asLoaded},
        {"Discard Changes", 1, 0, "Person 02", asLoaded},
        {"Save Details", 1, 0, "Bea", "Person 01,T1 | Bea,T2 | Person 03,T3"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer);
        ui->clear();
        ui->push(QStringList{"Discard Changes"});  // the case before may have left typing behind
        controller->Sides_ComboBox->setCurrentIndex(0);
        click("Back_Side_btn");
        list()->setCurrentRow(0);
        list()->setCurrentRow(1);
        ASSERT_EQ(Card_Front_Or_Back, 1);
        ASSERT_EQ(panel(1)->value[0]->text(), "Person 02");
        panel(1)->value[0]->selectAll();
        QTest::keyClicks(panel(1)->value[0], "Bea");
        ui->clear();
        ui->push(QStringList{QString::fromLatin1(c.answer)});
        controller->Sides_ComboBox->setCurrentIndex(1);
        EXPECT_EQ(alertsAsked(*ui), kUnsavedQuestion.toStdString());
        EXPECT_EQ(controller->Sides_ComboBox->currentIndex(), c.sidesIndex);
        EXPECT_EQ(controller->Back_Side_btn->isEnabled(), c.sidesIndex == 0);
        EXPECT_EQ(Card_Front_Or_Back, c.sideAfter);
        EXPECT_EQ(panel(c.sideAfter)->value[0]->text().toStdString(), c.shownName);
        EXPECT_EQ(cardText(c.sideAfter, "Fup_Name").toStdString(), c.shownName);
        EXPECT_EQ(savedRows(), c.saved);
        if (c.sideAfter != 0)
            continue;
        // Another row on the front, and back: nothing asked, nothing lost.
        ui->clear();
        list()->setCurrentRow(2);
        list()->setCurrentRow(1);
        EXPECT_EQ(alertsAsked(*ui), "");
        EXPECT_EQ(savedRows(), c.saved);
        EXPECT_EQ(panel(0)->value[0]->text().toStdString(), c.shownName);
        EXPECT_EQ(cardText(0, "Fup_Name").toStdString(), c.shownName);
        EXPECT_EQ(list()->item(1)->text().toStdString(), "2 - " + c.shownName);
    }
}

// Export, print and mail take the side in work as the person sees it, unsaved changes
// included, and the other side with the row on show even when that side last showed another
// row. Nothing is asked and the project is not written.
TEST_F(GroupJourney, OutputTakesTheRowOnShowOnBothSides)
{
    ASSERT_EQ(startGroupRoad(workbook(5)), 1);
    list()->setCurrentRow(1);
    ui->clear();
    ui->push(true);
    click("copy_card_design_btn");
    click("Front_Side_btn");
    ASSERT_EQ(cardText(1, "Fup_Name"), "Person 02");
    list()->setCurrentRow(3);
    ASSERT_EQ(cardText(1, "Fup_Name"), "Person 02");  // the back is not in work
    QTest::keyClicks(panel(0)->value[1], "+");
    ASSERT_EQ(cardText(0, "Fup_Title"), "T4+");
    const auto valueOf = [](const CardSide &side, const char *id) {
        for (const auto &g : side.controls)
            if (g->control_ID == QLatin1String(id))
                return g->Text_Value.toStdString();
        return std::string("<none>");
    };
    ui->clear();
    const BatchDesign output = controller->Prepare_Print_Export_Mail();
    EXPECT_EQ(valueOf(output.front, "Fup_Name"), "Person 04");
    EXPECT_EQ(valueOf(output.front, "Fup_Title"), "T4+");
    EXPECT_EQ(valueOf(output.back, "Fup_Name"), "Person 04");
    EXPECT_EQ(valueOf(output.back, "Fup_Title"), "T4");
    EXPECT_EQ(panel(0)->value[1]->text().toStdString(), "T4+");
    EXPECT_EQ(cardText(0, "Fup_Title").toStdString(), "T4+");
    EXPECT_EQ(alertsAsked(*ui), "");
    EXPECT_EQ(savedRows(), "Person 01,T1 | Person 02,T2 | Person 03,T3 | Person 04,T4 | Person 05,T5");
}

// The re-mapping dialog and a copy to the other side lay the row on show again: unsaved
// changes are asked about first. Cancel keeps them and opens nothing; Discard and Save go on.
TEST_F(GroupJourney, RemappingAndCopyingAskAboutUnsavedChangesFirst)
{
    ASSERT_EQ(startGroupRoad(workbook(3)), 1);
    int dialogs = 0;
    const auto previous = Update_XL_Column::setModalRunner([&](Update_XL_Column &d) {
        ++dialogs;
        press(d.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok));
        return d.result();
    });
    const std::string asLoaded = "Person 01,T1 | Person 02,T2 | Person 03,T3";
    const struct {
        const char *road;
        const char *answer;
        bool wentOn;
        std::string frontName;
        std::string saved;
    } cases[] = {
        {"remap", "Cancel", false, "Bea", asLoaded},
        {"remap", "Discard Changes", true, "Person 02", asLoaded},
        {"remap", "Save Details", true, "Bea", "Person 01,T1 | Bea,T2 | Person 03,T3"},
        {"copy", "Cancel", false, "Bea", asLoaded},
        {"copy", "Save Details", true, "Bea", "Person 01,T1 | Bea,T2 | Person 03,T3"},
    };
    const QVariantList loaded = group->data().rows();
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.road) + " " + c.answer);
        // Each case starts from the rows as loaded, on the front, with nothing on the back.
        ui->clear();
        ui->push(QStringList{"Discard Changes"});
        click("Front_Side_btn");
        group->data().setRows(loaded);
        list()->setCurrentRow(0);
        ASSERT_TRUE(controller->Save_project_file(false, false, "L"));
        canvas(1)->delete_all_control();
        list()->setCurrentRow(1);
        ASSERT_EQ(savedRows(), asLoaded);
        panel(0)->value[0]->selectAll();
        QTest::keyClicks(panel(0)->value[0], "Bea");
        ui->clear();
        dialogs = 0;
        if (c.road == std::string("remap")) {
            ui->push(QStringList{QString::fromLatin1(c.answer)});
            press(controller->findChild<QPushButton *>("Update_Excel_Btn"));
            EXPECT_EQ(dialogs, c.wentOn ? 1 : 0);
        } else {
            ui->push(true);
            ui->push(QStringList{QString::fromLatin1(c.answer)});
            click("copy_card_design_btn");
            EXPECT_EQ(cardText(1, "Fup_Name").toStdString(), c.wentOn ? c.frontName : "<none>");
        }
        EXPECT_EQ(alertsAsked(*ui), kUnsavedQuestion.toStdString());
        EXPECT_EQ(savedRows(), c.saved);
        EXPECT_EQ(list()->currentRow(), 1);
        EXPECT_EQ(panel(0)->value[0]->text().toStdString(), c.frontName);
        EXPECT_EQ(cardText(0, "Fup_Name").toStdString(), c.frontName);
    }
    Update_XL_Column::setModalRunner(previous);
}

// In group mode a picture bound to a column is cropped as its own file from the image tab, the
// one tab the mode shows; the binding follows the cropped file, the next change in the tab keeps
// it, and the keyboard then rests on the list's Save button, the next thing to press.
TEST_F(GroupJourney, CropInGroupModeLeadsToTheSaveButton)
{
    ASSERT_EQ(startGroupRoad(workbook(2)), 1);
    QImage picture(60, 40, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(pathIn("photo.png")));
    picture.fill(Qt::green);
    ASSERT_TRUE(picture.copy(0, 0, 30, 20).save(pathIn("cut.png")));
    std::shared_ptr<SKTGraphic> image = SKTImage::initWithPath({0, 0}, pathIn("photo.png"));
    image->setBounds({10, 10, 60, 40});
    image->Set_Data_source_type(2);
    image->Set_Excel_binding(true);
    image->Set_Excel_binding_Index(3);
    place(0, {image});
    clickAt(canvas(0), image->bounds().center());
    PropertyPanel &p = controller->propertyPanel();
    ASSERT_EQ(p.Last_Selected_Graphic(), image.get());
    Cropping_Tool::defaultInstance()->Crop_Direct_Path = pathIn("cut.png");
    ui->clear();
    ui->push(1);  // the cropping tool's direct run, finished
    ASSERT_TRUE(press(p.crop_image_btn));
    EXPECT_TRUE(ui->messages().isEmpty()) << ui->messages().join("|").toStdString();
    EXPECT_EQ(image->_file_path, pathIn("cut.png"));
    EXPECT_EQ(image->Text_Value, pathIn("cut.png"));
    EXPECT_EQ(image->excel_col_indx, 3);
    auto *save = controller->findChild<QPushButton *>("Save_Excel_Details_Btn");
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(controller->focusWidget(), save);
    press(p.Image_border_chk);
    EXPECT_EQ(image->_file_path, pathIn("cut.png"));
    const QImage side = SKTRenderingView::image_From_Card_Graphics(controller->Card_Side_Value(0), 72);
    EXPECT_EQ(side.pixelColor(image->bounds().center().toPoint()), QColor(Qt::green));
}

// The default photo's placeholder and a photo row added in the panel (its picture where new
// controls go) and left unfilled show on the canvas only: no row's card prints them, the row's box names no file, and a row's Save
// stores no picture for it in the project.
TEST_F(GroupJourney, AnUnfilledPhotoRowPrintsNothing)
{
    ASSERT_EQ(startGroupRoad(workbook(3)), 1);
    const auto printed = [&](const QString &folder) {
        QList<QImage> cards;
        for (const QString &file : exportFronts("PNG", folder))
            cards << QImage(file).convertToFormat(QImage::Format_RGB32);
        return cards;
    };
    const QList<QImage> before = printed("before");
    ASSERT_EQ(before.size(), 3);
    const QRectF photo = canvas(0)->Selcect_Ctrl_With_ID("Fup_Photo")->bounds();
    EXPECT_GT(coloursIn(grabbed(0), photo), 1);
    EXPECT_EQ(coloursIn(before[0], photo), 1);
    Profile_Panel *front = panel(0);
    press(front->image_ctrl_type);
    press(front->Add_label_btn);
    ASSERT_EQ(front->view_array_value.size(), 1u);
    const CustomRowEntry row = front->view_array_value.front();
    EXPECT_EQ(qobject_cast<QLineEdit *>(row.view)->text().toStdString(), "");
    // Its picture control goes where new controls go, never to the card's corner.
    const SKTGraphic *added = canvas(0)->Selcect_Ctrl_With_ID(row.id);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->kind(), SKTGraphicKind::Image);
    EXPECT_EQ(added->bounds().topLeft(), QPointF(last_ctrl_X, last_ctrl_Y));
    EXPECT_NE(added->bounds().topLeft(), QPointF(0, 0));
    EXPECT_TRUE(printed("after") == before) << "the unfilled photo row printed something";
    press(outlet<QPushButton>("Save_Excel_Details_Btn"));
    const DesignReadResult read = Read_Design_File(::Project_File_Name);
    ASSERT_TRUE(read.design);
    for (const SKTGraphicPtr &g : read.design->frontControls)
        EXPECT_TRUE(g->control_ID != row.id || g->_file_path.isEmpty()) << g->_file_path.toStdString();
}

// On a small screen the property panel lends group mode and the visitor desk the room for the
// card, gives way to a hand on its divider, and has what it lent back in the design face after.
TEST_F(GroupJourney, OnASmallScreenThePropertyPanelLendsItsWidth)
{
    controller->resize(1024, 700);
    controller->show();
    QWidget *panel = outlet<QWidget>("Right_Prop_Box");
    QSplitterHandle *handle = outlet<QSplitter>("mainSplitView")->handle(2);
    const auto drag = [handle](int by) {
        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(2, 50));
        QMouseEvent move(QEvent::MouseMove, QPointF(2 + by, 50), handle->mapToGlobal(QPointF(2 + by, 50)), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(handle, &move);
        QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(2 + by, 50));
    };
    const QString book = workbook(3);
    // The start dialog hides the panel while it is up, on either road into either live face.
    for (QAction *via : {static_cast<QAction *>(nullptr), menuItem(QStringLiteral("Start…"))}) {
        for (const bool group : {true, false}) {
            const std::string road = std::string(via ? "Start… " : "New ") + (group ? "group" : "visitor");
            const int designWidth = panel->width();
            if (group) {
                project = via ? QStringLiteral("Staff2") : QStringLiteral("Staff");
                ASSERT_EQ(startGroupRoad(book, {}, [&] { return startAgain(14, "G", via); }), 1) << road;
            } else {
                chooseVisitorRoad();
                ASSERT_TRUE(startAgain(13, "V", via)) << road;
            }
            const int lent = panel->width();
            EXPECT_LE(lent, designWidth) << road;
            EXPECT_GE(lent, panel->minimumSizeHint().width()) << road << ": the panel keeps what its rows need";
            drag(40);
            const int byHand = lent - panel->width();
            EXPECT_GT(byHand, 0) << road << ": the divider narrows the panel";
            galleryAction = {};
            ASSERT_TRUE(startAgain(1, "W")) << road;
            EXPECT_EQ(panel->width(), designWidth - byHand) << road << ": what was lent comes back";
            drag(-byHand);
        }
    }
}

// Launched into group mode on a 1024x700 screen, the window fits it: the panel's opening width
// gives way to the live columns before the window is first shown, and its rows, measured once
// shown, keep what they need.
TEST_F(GroupJourney, LaunchedIntoGroupModeTheWindowFitsASmallScreen)
{
    ASSERT_EQ(startGroupRoad(workbook(3), {}, [this] {
                  startAnswers = {14};
                  controller.reset();
                  document = std::make_unique<SKTDocument>();
                  controller = Set_Up_Application(*document);
                  return setUpWindow() && Start_Card_Option == QLatin1String("G");
              }), 1);
    controller->show();
    // Whatever the screen, the window fits the smallest one it is made for, 1024 x 700.
    const QSize least = controller->minimumSizeHint().expandedTo(controller->minimumSize());
    EXPECT_TRUE(least.width() <= 1024 && least.height() <= 700) << least.width() << "x" << least.height();
    controller->resize(1024, 700);
    EXPECT_EQ(controller->size(), QSize(1024, 700));
    QWidget *panel = outlet<QWidget>("Right_Prop_Box");
    QCoreApplication::processEvents();
    EXPECT_GE(panel->width(), panel->minimumSizeHint().expandedTo(panel->minimumSize()).width());
    QCoreApplication::processEvents();  // the panel's rows laid out, as the user first sees them
    for (QScrollArea *rows : panel->findChildren<QScrollArea *>())
        EXPECT_FALSE(rows->isVisible() && rows->horizontalScrollBar()->maximum() > 0) << rows->objectName().toStdString() << " scrolls sideways";
}

// On a 1024x700 screen every mode fits, on every road to it: the window with its frame, the whole
// card, and every tab of the card's, which the columns that scroll give way to. Every box of
// group mode then shows its value from its first character: a text's position, size and font as
// the user typed them, and long values of the entry panel.
TEST_F(GroupJourney, OnASmallScreenEveryBoxShowsItsWholeValue)
{
    const QString book = pathIn("long.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(book, {{"Name", "Title"}, {"Riverside College", "Student, Year 2"}}, true));
    ASSERT_EQ(startGroupRoad(book), 1);
    // Every field of the entry panel bound to a value longer than its box may grow.
    QList<QStringList> widest{{}, {}};
    for (int column = 0; column < kProfileFields - 2; ++column)
        widest[0] << QStringLiteral("Column %1").arg(column), widest[1] << QStringLiteral("Alexandra Montgomery-Featherstonehaugh");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(pathIn("widest.xlsx"), widest, true));
    const QString opened = project;  // the project the wizard's Open takes
    QString pass;                    // names the projects each pass makes apart
    const auto previous = Group_Mode_Wizard::setModalRunner([&](Group_Mode_Wizard &w) {
        if (project.startsWith(QLatin1String("Widest"))) {
            pressIn(w, "start_new_btn");
            testsupport::typeInto(w.proj_name, project, Qt::Key_unknown);
            testsupport::typeInto(w.excel_path, pathIn("widest.xlsx"), Qt::Key_unknown);
            pressIn(w, "ok_btn");
            testsupport::choose(w.cat_cmbo_bx, w.cat_cmbo_bx->itemText(1));
            w.imageBrowser->selectImage(0);
            pressIn(w, "ok_btn");
            for (int column = 0; column < kProfileFields - 2; ++column) {
                QComboBox *box = w.columnCombos[size_t(column)];
                testsupport::choose(box, box->itemText(column + 1));
            }
        } else {
            pressIn(w, "open_exist_btn");
            const QList<QTreeWidgetItem *> named = w.treeView->findItems(opened, Qt::MatchExactly | Qt::MatchRecursive);
            EXPECT_EQ(named.size(), 1);
            w.treeView->setCurrentItem(named.value(0));
        }
        pressIn(w, "ok_btn");
        return w.result();
    });
    QAction *start = menuItem(QStringLiteral("Start…"));
    const struct Road {
        const char *name;
        std::function<bool()> take;
    } roads[] = {
        {"launched into group mode, a project opened", [&] {
             startAnswers = {14};
             controller.reset();
             document = std::make_unique<SKTDocument>();
             controller = Set_Up_Application(*document);
             start = menuItem(QStringLiteral("Start…"));
             return setUpWindow() && Start_Card_Option == QLatin1String("G");
         }},
        {"group mode, the widest values", [&] { return project = "Widest" + pass, startAgain(14, "G"); }},
        {"group mode, File > Start... to the desk", [&] { return chooseVisitorRoad(), startAgain(13, "V", start); }},
        {"desk, File > Start... to group mode, a project opened", [&] { return project = opened, startAgain(14, "G", start); }},
        {"group mode, File > Start... to a template", [&] {
             return chooseTemplate("Corporate", "Blue Horizon (h)"), startAgain(10, "T", start);
         }},
        {"start dialog, the card wizard", [&] { return startAgain(1, "W"); }},
        {"start dialog, the desk", [&] { return chooseVisitorRoad(), startAgain(13, "V"); }},
        {"start dialog, group mode through the wizard", [&] { return project = "Staff2" + pass, startGroupRoad(book) == 1; }},
        {"start dialog, a template", [&] { return chooseTemplate("Corporate", "Blue Horizon (h)"), startAgain(10, "T"); }},
        {"start dialog, group mode, a project opened", [&] { return project = opened, startAgain(14, "G"); }},
    };
    // Each road at a desktop font a point larger, where the tabs need more than the columns beside
    // them leave, then at the application's own.
    struct FontBack {
        QFont font = QApplication::font();
        ~FontBack() { QApplication::setFont(font); }
    } usual;
    for (const double larger : {1.0, 0.0}) {
        QFont font = usual.font;
        font.setPointSizeF(font.pointSizeF() + larger);
        QApplication::setFont(font);
        pass = larger > 0 ? "Larger" : "";
        int designFace = -1;  // the panel's width on the first design face of the pass
        for (const Road &road : roads) {
            const std::string name = road.name + std::string(larger > 0 ? ", a larger font" : "");
            ASSERT_TRUE(road.take()) << name;
            QCoreApplication::processEvents();
            EXPECT_TRUE(controller->screen()->availableGeometry().contains(controller->frameGeometry())) << name;
            // The card's own tabs, each whole in a bar as wide as the panel lets it be.
            const QTabWidget *tabs = controller->propertyPanel().sett_tab;
            ASSERT_GE(tabs->indexOf(controller->card_brdr_tab), 0) << name;
            const QTabBar *bar = tabs->tabBar();
            // What of the bar its panel and the window leave on show, not the bar's own extent.
            const QRect shown = bar->visibleRegion().boundingRect();
            for (int i = 0; i < bar->count(); ++i)
                EXPECT_TRUE(shown.contains(bar->tabRect(i))) << name << ": " << bar->tabText(i).toStdString() << " hides";
            for (const QToolButton *arrow : bar->findChildren<QToolButton *>())
                EXPECT_FALSE(arrow->isVisible()) << name << ": the tabs scroll";
            QWidget *clip = canvas(0)->parentWidget();
            EXPECT_TRUE(clip->rect().contains(canvas(0)->geometry()) && clip->visibleRegion().boundingRect() == clip->rect())
                << name << ": the card is cut";
            // What the live faces took from the panel, the split view's share too, the design face
            // has back whole: its panel is as wide after every trip to them.
            const int panelWidth = outlet<QWidget>("Right_Prop_Box")->width();
            if (Start_Card_Option == QLatin1String("T") || Start_Card_Option == QLatin1String("W")) {
                EXPECT_EQ(panelWidth, designFace < 0 ? designFace = panelWidth : designFace) << name;
            }
        }
    }
    Group_Mode_Wizard::setModalRunner(previous);
    QApplication::setActiveWindow(controller.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(controller.get()));
    clickAt(canvas(0), canvas(0)->Selcect_Ctrl_With_ID("Fup_Name")->bounds().center());
    PropertyPanel &p = controller->propertyPanel();
    for (const auto &[field, typed] : {std::pair{p.frame_main_pic_X_pos_val, "148.34"}, {p.frame_main_pic_Y_pos_val, "48.34"},
                                       {p.frame_main_pic_width_val, "151.73"}})
        field->setFocus(), QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier), QTest::keyClicks(field, typed),
            QTest::keyClick(field, Qt::Key_Return);
    QStringList cut;
    for (QLineEdit *box : {p.frame_main_pic_Y_pos_val, p.frame_main_pic_width_val, p.Text_font_value, panel(0)->value[0]}) {
        testsupport::showTabOf(box);
        box->end(false), box->grab();
        if (!box->isVisible() || box->cursorPositionAt(QPoint(box->contentsRect().left() + 4, box->height() / 2)) != 0)
            cut << box->text();
    }
    EXPECT_EQ(cut.join(", ").toStdString(), "");
    EXPECT_LE(controller->width(), 1024);
    // Whichever tab of the text's or the card's is open, the card stays whole and nothing scrolls sideways.
    cut.clear();
    for (const bool card : {false, true}) {
        if (card)
            clickAt(canvas(0), QPointF(2, 2));
        for (int i = 0; i < p.sett_tab->count(); ++i) {
            testsupport::showTabOf(p.sett_tab->widget(i));
            QCoreApplication::processEvents();
            for (QScrollArea *area : controller->findChildren<QScrollArea *>())
                if (area->isVisible() && area->horizontalScrollBar()->maximum() > 0)
                    cut << p.sett_tab->tabText(i) + ": " + area->objectName();
        }
    }
    EXPECT_EQ(cut.join(", ").toStdString(), "");
}

// A row stored from a side whose photo is the placeholder, or that has no photo control, keeps
// no picture path; a placeholder path read from the table shows as no photo.
TEST_F(GroupJourney, ARowWithoutAPhotoStoresNoPath)
{
    ASSERT_EQ(startGroupRoad(workbook(2, controller->NO_Image_Path), {10, 11}), 1);
    for (const char *side : {"Front_Side_btn", "Back_Side_btn"}) {
        click(side);
        EXPECT_EQ(panel(side[0] == 'B')->image_path_val->text().toStdString(), "") << side;
        ui->clear();
        press(outlet<QPushButton>("Save_Excel_Details_Btn"));
        const DesignReadResult read = Read_Design_File(::Project_File_Name);
        ASSERT_TRUE(read.design);
        EXPECT_EQ(read.design->tableRows.value(0, "Column3").toStdString(), "") << side;
    }
}

// A cancelled File > Start… in group mode gives back the row on show with its unsaved typing,
// which still asks before another row is shown.
TEST_F(GroupJourney, ACancelledStartKeepsTheRowOnShowAndItsTyping)
{
    ASSERT_EQ(startGroupRoad(workbook(3)), 1);
    list()->setCurrentRow(1);
    panel(0)->value[0]->selectAll();
    QTest::keyClicks(panel(0)->value[0], "Bea");
    cancelEachStart({0, 1, 10, 13, 14}, [this](int answer) {
        EXPECT_EQ(Start_Card_Option, "G") << answer;
        EXPECT_EQ(list()->currentRow(), 1) << answer;
        EXPECT_EQ(panel(0)->value[0]->text().toStdString(), "Bea") << answer;
        EXPECT_EQ(cardText(0, "Fup_Name").toStdString(), "Bea") << answer;
    });
    ui->clear();
    ui->push(QStringList{"Cancel"});
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(2)).center());
    EXPECT_EQ(alertsAsked(*ui), kUnsavedQuestion.toStdString());
    EXPECT_EQ(list()->currentRow(), 1);
}

// Keys pressed in the group list are the list's: a row's click selects no control, and Delete,
// Select All and Delete leave every control on the card and in the saved project. On the card
// the same keys act.
TEST_F(GroupJourney, KeysInTheGroupListLeaveTheCardAlone)
{
    ASSERT_TRUE(QImage(30, 40, QImage::Format_RGB32).save(pathIn("face.png")));
    ASSERT_EQ(startGroupRoad(workbook(3, pathIn("face.png")), {10}), 1);
    controller->show();
    // The wizard's activation, queued when its run showed it, lands first: after it the keys go
    // to the window a user is in, not to the hidden wizard.
    QCoreApplication::processEvents();
    QApplication::setActiveWindow(controller.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(controller.get()));
    const size_t controls = document->graphicsOfSide(0).size();
    const auto keys = [](std::initializer_list<QKeySequence::StandardKey> all) {
        for (const auto k : all)
            QTest::keySequence(QApplication::focusWidget(), QKeySequence(k));
    };
    for (const int row : {1, 2}) {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(row)).center());
        EXPECT_TRUE(canvas(0)->selectedGraphics().empty());
        ASSERT_EQ(QApplication::focusWidget(), list());
        keys({QKeySequence::Delete, QKeySequence::SelectAll, QKeySequence::Delete});
    }
    press(outlet<QPushButton>("Save_Excel_Details_Btn"));
    EXPECT_EQ(document->graphicsOfSide(0).size(), controls);
    EXPECT_EQ(Read_Design_File(::Project_File_Name).design->frontControls.size(), controls);
    clickAt(canvas(0), {2, 2});
    ASSERT_TRUE(canvas(0)->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == canvas(0));
    keys({QKeySequence::SelectAll, QKeySequence::Delete});
    EXPECT_EQ(document->graphicsOfSide(0).size(), 0u);
}

// File > Start…, group mode, the open project renamed "Crew/One" and the wizard given up: the
// window goes on with the renamed file (its title too), so the next save does not bring the
// old name back.
// Deleting the open project is refused with the reason.
TEST_F(GroupJourney, RenamingTheOpenProjectTakesItAlong)
{
    ASSERT_EQ(startGroupRoad(workbook(2)), 1);
    const QString old = ::Project_File_Name;
    const auto previous = Group_Mode_Wizard::setModalRunner([&](Group_Mode_Wizard &w) {
        ui->clear();
        ui->onRequest = [&w](const platform::ScriptedUiServices::Request &r) {
            if (r.kind == "Export_Template_Window")
                w.findChild<QLineEdit *>("template_name")->setText("Crew/One");
        };
        ui->push(1), ui->push(true);
        pressIn(w, "open_exist_btn");
        for (const auto &[name, button] : {std::pair{"Staff", "rename_prj_btn"}, {"Crew_One", "delete_prj_btn"}}) {
            w.treeView->setCurrentItem(w.treeView->findItems(name, Qt::MatchExactly | Qt::MatchRecursive).value(0));
            pressIn(w, button);
        }
        ui->onRequest = nullptr;
        pressIn(w, "cancel_btn");
        return w.result();
    });
    startOver(14);
    Group_Mode_Wizard::setModalRunner(previous);
    EXPECT_EQ(ui->messages().join("|").trimmed().toStdString(), "This project is open. Close it (File > Close) before deleting it.");
    press(outlet<QPushButton>("Save_Excel_Details_Btn"));
    EXPECT_FALSE(QFileInfo::exists(old));
    EXPECT_EQ(::Project_File_Name, QFileInfo(old).dir().filePath("Crew_One.did"));
    EXPECT_TRUE(controller->windowTitle().contains("Crew_One.did")) << controller->windowTitle().toStdString();
}
