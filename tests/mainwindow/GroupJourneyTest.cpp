#include "ControllerFixture.h"
#include "canvas/ImageBrowser.h"
#include "core/DesignFile.h"
#include "core/SKTText.h"
#include "data/export/CardExport.h"
#include "data/export/ExportSheet.h"
#include "data/spreadsheet/SpreadsheetWriter.h"
#include "groupmode/GroupListWidget.h"
#include "groupmode/GroupMode.h"
#include "groupmode/Group_Mode_Wizard.h"
#include "groupmode/Update_XL_Column.h"
#include "mainwindow/GroupModeWiring.h"
#include "platform/Paths.h"
#include "visitor/Profile_Panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

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

    // Names "Person 01" … with a title column; `rows` data rows under a title row.
    QString workbook(int rows)
    {
        QList<QStringList> sheet{{"Name", "Title", "Photo"}};
        for (int i = 1; i <= rows; ++i)
            sheet << QStringList{QStringLiteral("Person %1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("T%1").arg(i), ""};
        const QString path = pathIn("people.xlsx");
        EXPECT_TRUE(SpreadsheetWriter::WriteWorkbook(path, sheet, true));
        return path;
    }

    // The group road to Finish: name column 1, title column 2.
    int startGroupRoad(const QString &book)
    {
        const auto previous = Group_Mode_Wizard::setModalRunner([&](Group_Mode_Wizard &w) {
            w.New_Radio_Click();
            w.proj_name->setText("Staff");
            w.excel_path->setText(book);
            w.OK_Click();
            w.cat_cmbo_bx->setCurrentIndex(1);
            w.imageBrowser->selectImage(0);
            w.OK_Click();
            w.columnCombos[0]->setCurrentIndex(1);
            w.columnCombos[1]->setCurrentIndex(2);
            w.OK_Click();
            return w.result();
        });
        const int result = controller->Start_Group_Mode();
        Group_Mode_Wizard::setModalRunner(previous);
        return result;
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

    GroupMode *group = nullptr;
};

}  // namespace

// Twenty people: the list, the card, the panel, a selected row, the rows reloaded with the
// project and twenty cards exported through the batch engine.
TEST_F(GroupJourney, TwentyPeopleFromListToCardsAndBack)
{
    REQUIRE_TOOL(pdftotext, "pdftotext");
    ASSERT_EQ(startGroupRoad(workbook(20)), 1);
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
    EXPECT_EQ(cardText(0, "Fup_Name"), "Person 01");

    // Twenty cards as PDF files, each naming its person.
    ExportCommand *command = controller->exportCommand();
    ui->onRequest = [command](const platform::ScriptedUiServices::Request &r) {
        if (r.kind == "ExportWindow") {
            command->sheet()->fileFormatPopup->setCurrentText("PDF");
            command->sheet()->side_front->click();
        }
    };
    const QString folder = pathIn("cards");
    ASSERT_TRUE(QDir().mkpath(folder));
    ui->clear();
    ui->push(1);
    ui->push(folder);
    ui->push(0);
    controller->Export_Button();
    command->waitForRun();
    ui->onRequest = nullptr;
    ASSERT_NE(command->lastRun(), nullptr);
    const QStringList written = command->lastRun()->written;
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
