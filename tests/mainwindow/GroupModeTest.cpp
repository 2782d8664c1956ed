#include "ControllerFixture.h"
#include "core/DesignFile.h"
#include "data/spreadsheet/SpreadsheetWriter.h"
#include "canvas/ImageBrowser.h"
#include "groupmode/Group_Mode_Wizard.h"

#include "platform/Paths.h"
#include "platform/Plist.h"
#include "platform/RegularFile.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>
#include <optional>
#include <sys/stat.h>

namespace {
class GroupModeTest : public ControllerTest {
protected:
    // The open design becomes the user's template "Badge"; answers its folder.
    QString saveUserTemplate()
    {
        const QString user = platform::joinPath(Created_Resource_Path, "Templates/User");
        EXPECT_TRUE(QDir().mkpath(user));
        saveAs(user + "/Badge.did");
        EXPECT_TRUE(QImage(40, 25, QImage::Format_RGB32).save(user + "/Badge.png"));
        return user;
    }
};
}  // namespace

// The start dialog's group road: the wizard makes a project from a sheet and a user template,
// or opens one of the store; refused choices keep the wizard where it is and write nothing.
TEST_F(GroupModeTest, GroupRoadMakesAndOpensProjectsInTheStore)
{
    ASSERT_TRUE(setUpWindow());
    const QString user = saveUserTemplate();
    ASSERT_TRUE(QImage(40, 25, QImage::Format_RGB32).save(user + "/Lost.png"));  // its design is gone
    const QString book = pathIn("people.xlsx"), empty = pathIn("titles only.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(book, {{"Name", "Email"}, {"Anna", "a@x"}, {"Ben", "b@x"}}, true));
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(empty, {{"Name", "Email"}}, true));
    const QString blank = pathIn("blank.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(blank, QList<QStringList>(2000, QStringList{"", " "}), true));
    const QString project = platform::joinPath(Created_Resource_Path, "Group_Excel_Data/All/MyProject.did");

    const struct {
        const char *name;  // nullptr: open the store's first project
        QString workbook;
        int result, screen;
        const char *message;
        int image = 0;
    } cases[] = {
        {"Empty", empty, 0, 2, "The chosen sheet of titles only.xlsx has no data rows."},
        {"Blank", blank, 0, 2, "The chosen sheet of blank.xlsx has no data rows."},
        {"Lost", book, 0, 2,
         "\u201CLost.did\u201D\n\nFile is corrupt and cannot be opened.\n\nReason: No such file or directory.", 1},
        {"..", book, 0, 0, "Please enter a valid project name."},
        {" .Staff", book, 0, 0, "A project name can't begin with a dot: the project would be hidden and not listed. Please enter another name."},
        {"MyProject", book, 1, 2, ""},
        {"MyProject", book, 0, 0, "Project name already exist."},
        {nullptr, {}, 1, 0, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name ? c.name : "open");
        int screen = -1;
        const auto previous = Group_Mode_Wizard::setModalRunner([&](Group_Mode_Wizard &w) {
            if (c.name) {
                pressIn(w, "start_new_btn");
                w.proj_name->setText(c.name);
                w.excel_path->setText(c.workbook);
            } else {
                EXPECT_EQ(w.new_or_open_or_log, 1);  // the store has a project: open is offered
                w.treeView->setCurrentItem(w.treeView->topLevelItem(0)->child(0));
            }
            pressIn(w, "ok_btn");
            if (w.next_counter == 1) {
                w.cat_cmbo_bx->setCurrentIndex(1);  // the user's templates
                w.imageBrowser->selectImage(c.image);
                pressIn(w, "ok_btn");
                w.columnCombos[0]->setCurrentIndex(1);  // name: "Name"
                w.columnCombos[7]->setCurrentIndex(2);  // e-mail: "Email"
                pressIn(w, "ok_btn");
            }
            screen = w.next_counter;
            if (w.result() != 1)
                pressIn(w, "cancel_btn");
            return w.result();
        });
        ui->clear();
        EXPECT_EQ(startAgain(14, "G"), c.result == 1);
        Group_Mode_Wizard::setModalRunner(previous);
        EXPECT_EQ(screen, c.screen);
        EXPECT_EQ(ui->messages().mid(1).join("").trimmed().toStdString(), c.message);  // after New's question
        if (c.result) {
            EXPECT_TRUE(Start_Card_Option == "G" && ::Project_File_Name == project);
        }
    }
    EXPECT_EQ(QDir(platform::joinPath(Created_Resource_Path, "Group_Excel_Data/All")).entryList(QDir::Files),
              QStringList{"MyProject.did"});
    const DesignReadResult read = Read_Design_File(project);
    ASSERT_TRUE(read.design);
    EXPECT_EQ(read.design->modeLetter, "G");
    EXPECT_TRUE(read.design->Excel_Binding_Use && read.design->Excel_Source_Path == book);
    EXPECT_EQ(read.design->excelColumns, (std::array<int, 12>{1, -1, -1, -1, -1, -1, -1, 2, -1, -1, -1, -1}));
    ASSERT_EQ(read.design->tableRows.size(), 2);
    EXPECT_EQ(read.design->tableRows.value(1, QStringLiteral("Column1")), "Ben");
    EXPECT_EQ(read.design->tableRows.value(1, QStringLiteral("Column2")), "b@x");
}

// A workbook the reader refuses (a FIFO, a folder, a file that is no workbook) is named with the
// reason in one box when the template is chosen; the wizard stays on the template screen, offers
// no sheet and makes nothing.
TEST_F(GroupModeTest, ARefusedWorkbookSaysWhyAndStartsNothing)
{
    ASSERT_TRUE(setUpWindow());
    saveUserTemplate();
    const QString book = pathIn("people.xlsx");
    const struct {
        const char *name;
        std::function<bool()> make;
        QString message;
    } cases[] = {
        {"a FIFO", [&] { return mkfifo(QFile::encodeName(book).constData(), 0600) == 0; },
         "people.xlsx was refused: it is not a regular file."},
        {"a folder", [&] { return QDir().mkdir(book); }, "people.xlsx was refused: it is not a regular file."},
        {"no workbook",
         [&] {
             QFile f(book);
             return f.open(QIODevice::WriteOnly) && f.write("Name,Email\n") == 11;
         },
         "Either file is corrupted or selected file contains invalid characters."},
        {"a missing file", [] { return true; }, "people.xlsx does not exist."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(book);
        QDir().rmdir(book);
        ASSERT_TRUE(c.make());
        std::optional<testsupport::FifoWatch> watch;
        if (!QFileInfo(book).isDir() && !platform::isRegularFile(book))
            watch.emplace(book);
        int screen = -1, sheets = -1, columns = -1;
        const auto previous = Group_Mode_Wizard::setModalRunner([&](Group_Mode_Wizard &w) {
            pressIn(w, "start_new_btn");
            w.proj_name->setText("FromPipe");
            w.excel_path->setText(book);
            pressIn(w, "ok_btn");
            EXPECT_EQ(w.next_counter, 1);
            w.cat_cmbo_bx->setCurrentIndex(1);  // the user's templates
            w.imageBrowser->selectImage(0);
            pressIn(w, "ok_btn");
            screen = w.next_counter;
            sheets = w.Sheet_ComboBox->count();
            columns = w.columnCombos[0]->count();
            pressIn(w, "cancel_btn");
            return w.result();
        });
        ui->clear();
        EXPECT_FALSE(startAgain(14, "G"));
        Group_Mode_Wizard::setModalRunner(previous);
        if (watch) {
            EXPECT_FALSE(watch->readerWaited()) << "the wizard waited on the FIFO";
        }
        EXPECT_EQ(ui->messages().mid(1).join("").trimmed().toStdString(), c.message.toStdString());
        EXPECT_EQ(screen, 1);
        EXPECT_EQ(sheets, 0);
        EXPECT_LE(columns, 1);
        EXPECT_FALSE(QDir(platform::joinPath(Created_Resource_Path, "Group_Excel_Data/All")).exists("FromPipe.did"));
    }
}

// File > Start… over an open design: the group wizard that cannot save its project says so, and
// its Cancel goes back to the design as it was, though the template had been chosen: the
// project's folder cannot be made, or the template is damaged and the user will not save it.
TEST_F(GroupModeTest, AnUnsavableProjectsCancelKeepsTheOpenDesign)
{
    ASSERT_TRUE(setUpWindow());
    drawDesign();
    const QString badge = saveUserTemplate() + "/Badge.did";
    const QString book = pathIn("people.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(book, {{"Name"}, {"Anna"}}, true));
    saveAs(pathIn("open.did"));
    const auto face = [this] {
        return std::tuple(document->graphics(), controller->windowTitle(), Start_Card_Option, Project_File_Name);
    };
    const auto before = face();
    const QString folder = platform::joinPath(Created_Resource_Path, "Group_Excel_Data/All");
    for (const bool damaged : {false, true}) {
        SCOPED_TRACE(damaged ? "damaged template" : "folder taken");
        const auto previous = Group_Mode_Wizard::setModalRunner([&](Group_Mode_Wizard &w) {
            pressIn(w, "start_new_btn");
            w.proj_name->setText("Blocked");
            w.excel_path->setText(book);
            pressIn(w, "ok_btn");
            if (!damaged) {  // a file has taken the folder's name
                QDir(folder).removeRecursively();
                EXPECT_TRUE(QFile(folder).open(QIODevice::WriteOnly));
            }
            w.cat_cmbo_bx->setCurrentIndex(1);  // the user's templates
            w.imageBrowser->selectImage(0);
            pressIn(w, "ok_btn");
            w.columnCombos[0]->setCurrentIndex(1);
            pressIn(w, "ok_btn");
            pressIn(w, "cancel_btn");
            return w.result();
        });
        if (damaged) {
            QFile::remove(folder);
            QVariantList root = platform::plistReadFile(badge).toList();
            root[Design_First_Record_Index + 2] = root[Design_First_Record_Index + 2].toList().mid(0, 12);
            QFile file(badge);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(platform::plistSerialize(QVariant(root))) > 0);
        }
        startOver(14, {int(platform::AnswerNo)});  // the damaged template is not saved
        Group_Mode_Wizard::setModalRunner(previous);
        EXPECT_EQ(ui->messages().last().trimmed().toStdString(), "The project could not be saved.");
        EXPECT_TRUE(face() == before);
    }
}
