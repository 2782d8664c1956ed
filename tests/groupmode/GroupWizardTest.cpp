#include "groupmode/Group_Mode_Wizard.h"
#include "canvas/ImageBrowser.h"
#include "core/Globals.h"
#include "platform/UiServices.h"
#include "Press.h"
#include "TestSupport.h"
#include "StopOnShow.h"
#include "data/LongRead.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <QSlider>
#include <gtest/gtest.h>

namespace {
struct NoHost : GroupModeHost {
    void Reset_Card_Shape() override {}

    int Read_and_load_design_Log_NEW_METHOD(const QString &, const QString &, bool) override { return 0; }
    bool Create_Group_Project(const GroupProjectSetup &) override { return false; }
    void Open_Group_Project(const QString &) override {}
    void Check_For_Defalut_Photo_Control() override {}
    QString Open_Design_Path() override { return {}; }
    void Open_Design_Renamed(const QString &) override {}
};

// The wizard's road from its first screen: a new project on the workbook, Next to the templates.
void toTemplateScreen(Group_Mode_Wizard &wizard, const QString &book)
{
    wizard.Reset_For_Opening();
    wizard.show();
    ASSERT_TRUE(testsupport::press(wizard.findChild<QRadioButton *>("start_new_btn")));
    wizard.proj_name->setText("Staff");
    wizard.excel_path->setText(book);
    ASSERT_TRUE(testsupport::press(wizard.findChild<QPushButton *>("ok_btn")));
}

// On to the sheet screen with the first application template.
void toSheetScreen(Group_Mode_Wizard &wizard, const QString &book)
{
    toTemplateScreen(wizard, book);
    wizard.imageBrowser->selectImage(0);
    ASSERT_TRUE(testsupport::press(wizard.findChild<QPushButton *>("ok_btn")));
    ASSERT_TRUE(testsupport::unreachable(wizard.Sheet_ComboBox).isEmpty());
}

// A wizard with no window behind it that has read the workbook on the road to its column
// screen, its messages kept for the test.
struct LoadedWizard {
    explicit LoadedWizard(const QString &book) { toSheetScreen(wizard, book); }
    NoHost host;
    Group_Mode_Wizard wizard{host};
    platform::ScopedScriptedUi ui;
};

QString items(const QComboBox *combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out.join(QLatin1Char('|'));
}
}  // namespace

// The sheets are offered by name in the workbook's order, and the chosen one is the one read.
TEST(GroupWizard, TheChosenSheetGivesTheColumns)
{
    REQUIRE_PYTHON(python);
    testsupport::TempDataFolder folders;
    const QString book = folders.root() + "/three sheets.xlsx";
    const auto made = testsupport::runTool(python, {"-c", R"PY(
import sys, openpyxl
wb = openpyxl.Workbook(); wb.active.title = 'Staff'; wb.active.append(['Name', 'Room'])
wb.create_sheet('Guests').append(['Guest', 'Host', 'Badge'])
wb.create_sheet('Late').append(['Who'])
wb.move_sheet('Late', offset=-2)
wb.save(sys.argv[1])
)PY", book});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    NoHost host;
    Group_Mode_Wizard wizard(host);
    toSheetScreen(wizard, book);
    EXPECT_EQ(items(wizard.Sheet_ComboBox), "Late|Staff|Guests");
    const struct {
        int sheet;
        const char *columns;
    } cases[] = {{0, "None|Who"}, {2, "None|Guest|Host|Badge"}, {1, "None|Name|Room"}};
    for (const auto &c : cases) {
        wizard.Sheet_ComboBox->setCurrentIndex(c.sheet);
        EXPECT_EQ(items(wizard.columnCombos[0]).toStdString(), c.columns);
        EXPECT_EQ(items(wizard.columnCombos[11]).toStdString(), c.columns);
    }
    platform::ScopedScriptedUi ui;
    testsupport::press(wizard.findChild<QPushButton *>("view_excel_btn"));  // "Staff" has titles only
    EXPECT_EQ(ui->messages().join("").trimmed(), "There is no excel data to view.");
}

// A sheet whose part is damaged is named with the damage; the sheet shown before keeps its place
// and its columns.
TEST(GroupWizard, ADamagedSheetSaysWhyAndChangesNothing)
{
    REQUIRE_PYTHON(python);
    testsupport::TempDataFolder folders;
    const QString book = folders.root() + "/damaged.xlsx";
    const auto made = testsupport::runTool(python, {"-c", R"PY(
import sys, zipfile, openpyxl
path = sys.argv[1]
wb = openpyxl.Workbook(); wb.active.title = 'Staff'; wb.active.append(['Name', 'Room'])
wb.create_sheet('Guests').append(['Zebra', 'Host'])
wb.save(path)
with zipfile.ZipFile(path) as z:
    parts = [(n, z.read(n)) for n in z.namelist()]
with zipfile.ZipFile(path, 'w') as z:
    for n, d in parts:
        z.writestr(n, d, zipfile.ZIP_STORED if n == 'xl/worksheets/sheet2.xml' else zipfile.ZIP_DEFLATED)
b = bytearray(open(path, 'rb').read())
b[b.find(b'Zebra')] = ord('X')
open(path, 'wb').write(b)
)PY", book});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    LoadedWizard loaded(book);
    Group_Mode_Wizard &wizard = loaded.wizard;
    platform::ScopedScriptedUi &ui = loaded.ui;
    EXPECT_EQ(ui->messages().join("").trimmed(), "");
    EXPECT_EQ(items(wizard.columnCombos[0]).toStdString(), "None|Name|Room");
    wizard.Sheet_ComboBox->setCurrentIndex(1);
    EXPECT_EQ(ui->messages().join("").trimmed(),
              "damaged.xlsx is damaged: checksum error in zip file: xl/worksheets/sheet2.xml.");
    EXPECT_EQ(wizard.Sheet_ComboBox->currentIndex(), 0);
    EXPECT_EQ(items(wizard.columnCombos[0]).toStdString(), "None|Name|Room");
}

const QString kSlashesAlone =
    QStringLiteral("A name can't be made of \"/\" alone: a file name can't hold it. Please enter another name.");

// The user-template commands of the group gallery are the template gallery's: a jpg preview
// keeps its extension, a copy takes the next free name for both files, a taken name is refused
// and so is one of slashes alone, naming them; with no template of the user's left the commands are not on offer.
TEST(GroupWizard, UserTemplateCommandsAgreeWithTheTemplateGallery)
{
    testsupport::TempDataFolder folders;
    platform::ScopedScriptedUi ui;
    const QString user = Created_Resource_Path + "/Templates/User";
    ASSERT_TRUE(QDir().mkpath(user));
    ASSERT_TRUE(QImage(8, 5, QImage::Format_RGB32).save(user + "/My.jpg"));
    QFile design(user + "/My.did");
    ASSERT_TRUE(design.open(QIODevice::WriteOnly) && design.write("design") == 6);
    design.close();
    NoHost host;
    Group_Mode_Wizard wizard(host);
    toTemplateScreen(wizard, user + "/My.did");
    wizard.cat_cmbo_bx->setCurrentIndex(1);
    QString typed;
    ui->onRequest = [&](const platform::ScriptedUiServices::Request &r) {
        if (r.kind == "Export_Template_Window")
            wizard.findChild<QLineEdit *>("template_name")->setText(typed);
    };
    const auto files = [&] { return QDir(user).entryList(QDir::Files, QDir::Name).join(" "); };
    const auto command = [&](const char *name) { return wizard.findChild<QPushButton *>(QString::fromLatin1(name)); };
    const struct {
        const char *step, *selected;
        std::function<void()> act;
        QString message, files;
    } steps[] = {
        {"copy", "My.jpg", [&] { ui->push(true), testsupport::press(command("copy_template_btn")); }, "",
         "My (copy 1).did My (copy 1).jpg My.did My.jpg"},
        {"rename a jpg", "My.jpg", [&] { typed = "Badge", ui->push(1), testsupport::press(command("rename_template_btn")); },
         "", "Badge.did Badge.jpg My (copy 1).did My (copy 1).jpg"},
        {"rename onto a taken name", "Badge.jpg",
         [&] { typed = "My (copy 1)", ui->push(1), testsupport::press(command("rename_template_btn")); },
         "Template with this name already exists.", "Badge.did Badge.jpg My (copy 1).did My (copy 1).jpg"},
        {"a name of slashes alone", "Badge.jpg", [&] { typed = " // ", ui->push(1), testsupport::press(command("rename_template_btn")); },
         kSlashesAlone, "Badge.did Badge.jpg My (copy 1).did My (copy 1).jpg"},
        {"delete", "My (copy 1).jpg", [&] { ui->push(true), testsupport::press(command("delete_template_btn")); }, "",
         "Badge.did Badge.jpg"},
        {"delete the last", "Badge.jpg", [&] { ui->push(true), testsupport::press(command("delete_template_btn")); }, "", ""},
        {"nothing left", "",
         [&] {
             for (const char *name : {"copy_template_btn", "rename_template_btn", "delete_template_btn"})
                 EXPECT_FALSE(testsupport::unreachable(command(name)).isEmpty()) << name;
         },
         "", ""},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.step);
        const auto &shown = wizard.imageBrowser->images();
        for (int i = 0; i < int(shown.size()); ++i)
            if (shown[size_t(i)].image_Name == QLatin1String(s.selected))
                wizard.imageBrowser->selectImage(i);
        ui->clear();
        s.act();
        QString said;
        for (const auto &r : ui->requests())
            if (r.kind == "message")
                said += r.text.trimmed();
        EXPECT_EQ(said.toStdString(), s.message.toStdString());
        EXPECT_EQ(files().toStdString(), s.files.toStdString());
    }
}

// The wizard looks like the other windows: their background, and a zoom slider one can drag.
TEST(GroupWizard, LooksLikeTheOtherWindows)
{
    testsupport::TempDataFolder folders;
    NoHost host;
    Group_Mode_Wizard wizard(host);
    wizard.Reset_For_Opening();
    wizard.show();
    const QImage shown = wizard.grab().toImage();
    EXPECT_EQ(shown.pixelColor(2, shown.height() / 2), QColor(241, 244, 250));
    testsupport::press(wizard.findChild<QRadioButton *>("start_new_btn"));
    auto *zoom = wizard.findChild<QSlider *>("_zoom_slider");
    ASSERT_NE(zoom, nullptr);
    EXPECT_GE(zoom->width(), 120);
}

// A long workbook read runs under the please-wait sheet; Stop leaves the chosen sheet, its
// columns and the screen as they were, with one line saying so.
TEST(GroupWizard, StoppedSheetReadsChangeNothing)
{
    REQUIRE_PYTHON(python);
    testsupport::TempDataFolder folders;
    const QString book = folders.root() + "/big.xlsx";
    // Over 1 MiB, stored unpacked: long work. A first sheet of 3000 wide rows, then an empty one.
    const auto made = testsupport::runTool(python, {"-c", R"PY(
import sys, zipfile, openpyxl
wb = openpyxl.Workbook(); ws = wb.active; ws.title = 'Big'
for r in range(3000):
    ws.append(['r%d-c%d-%s' % (r, c, 'x' * 40) for c in range(4)])
wb.create_sheet('Other'); wb.save(sys.argv[1])
with zipfile.ZipFile(sys.argv[1]) as z:
    items = {n: z.read(n) for n in z.namelist()}
with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_STORED) as z:
    for n, d in items.items():
        z.writestr(n, d)
)PY", book});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    ASSERT_GT(QFileInfo(book).size(), 1024 * 1024);
    NoHost host;
    Group_Mode_Wizard wizard(host);
    toSheetScreen(wizard, book);
    const QString columns = items(wizard.columnCombos[0]);
    EXPECT_EQ(columns.count('|'), 4);
    const QString stopped = Read_Stopped_Message(book);
    const struct {
        const char *action;
        int sheetFrom;  // the sheet chosen, unstopped, before
        std::function<void()> run;
    } cases[] = {
        {"view the big sheet", 0, [&] { testsupport::press(wizard.findChild<QPushButton *>("view_excel_btn")); }},
        {"choose the big sheet again", 1, [&] { wizard.Sheet_ComboBox->setCurrentIndex(0); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.action);
        platform::ScopedScriptedUi ui;
        wizard.Sheet_ComboBox->setCurrentIndex(c.sheetFrom);
        wizard.columnCombos[0]->setCurrentIndex(c.sheetFrom == 0 ? 1 : 0);
        const QString columnsBefore = items(wizard.columnCombos[0]);
        const int chosenBefore = wizard.columnCombos[0]->currentIndex();
        StopOnShow stopper;
        c.run();
        EXPECT_EQ(stopper.pressed, 1);
        EXPECT_EQ(ui->messages().join("").trimmed(), stopped);
        EXPECT_EQ(wizard.Sheet_ComboBox->currentIndex(), c.sheetFrom);
        EXPECT_EQ(items(wizard.columnCombos[0]), columnsBefore);
        EXPECT_EQ(wizard.columnCombos[0]->currentIndex(), chosenBefore);
    }
}

// Names from a workbook are shown cut, and however long or many they are the wizard stays as
// wide as the screen allows, its buttons within reach.
TEST(GroupWizard, LongNamesKeepTheWizardOnTheScreen)
{
    REQUIRE_PYTHON(python);
    testsupport::TempDataFolder folders;
    const QString book = folders.root() + "/long names.xlsx";
    // 2,000 sheets named with 1,600 characters each, the first titled with 100,000.
    const auto made = testsupport::runTool(python, {"-c", R"PY(
import sys, zipfile, random
REL = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships/'
RELS = '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">%s</Relationships>'
with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:
    z.writestr('_rels/.rels', RELS % ('<Relationship Id="rId1" Type="%sofficeDocument" Target="xl/workbook.xml"/>' % REL))
    z.writestr('xl/workbook.xml', '<workbook xmlns:r="%s"><sheets>%s</sheets></workbook>' % (REL[:-1], ''.join(
        '<sheet name="%s%d" r:id="rId1"/>' % (''.join(random.choices('abcdefgh', k=1600)), i) for i in range(2000))))
    z.writestr('xl/_rels/workbook.xml.rels', RELS % ('<Relationship Id="rId1" Type="%sworksheet" Target="s.xml"/>' % REL))
    z.writestr('xl/s.xml', '<worksheet><sheetData><row><c t="inlineStr"><is><t>%s</t></is></c><c t="inlineStr"><is>'
               '<t>Room</t></is></c></row></sheetData></worksheet>' % ('T' * 100000))
)PY", book});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    LoadedWizard loaded(book);
    Group_Mode_Wizard &wizard = loaded.wizard;
    platform::ScopedScriptedUi &ui = loaded.ui;
    EXPECT_TRUE(ui->messages().isEmpty()) << ui->messages().join("").toStdString();
    ASSERT_EQ(wizard.Sheet_ComboBox->count(), 2000);
    ASSERT_EQ(wizard.columnCombos[0]->count(), 3);
    EXPECT_EQ(wizard.columnCombos[0]->itemText(2), "Room");
    for (const QComboBox *combo : {wizard.Sheet_ComboBox, wizard.columnCombos[0]})
        for (int i = 0; i < combo->count(); ++i)
            EXPECT_LE(combo->itemText(i).size(), 1000) << i;
    ASSERT_TRUE(wizard.third_screen->isVisible()) << "the column screen, as Next shows it";
    EXPECT_LE(wizard.minimumSizeHint().width(), 1024);
    EXPECT_LE(wizard.width(), 1024);
}
