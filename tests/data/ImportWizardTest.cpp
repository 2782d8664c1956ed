// The import wizard as the series manager opens it: what lands in the series folder.
#include "Press.h"
#include "core/Globals.h"
#include "data/ImportWizard.h"
#include "data/SeriesFiles.h"
#include "data/SeriesManagerWindow.h"
#include "data/SeriesWindow.h"
#include "platform/UiServices.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {
void put(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray series(const QString &name)
{
    QFile f(Series_File_Path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
}
}  // namespace

TEST(ImportWizard, ImportsIntoSeriesFiles)
{
    testsupport::TempDataFolder data;
    QTemporaryDir src;
    for (const char *f : {"a.JPG", "b.png", "notes.txt", "sub/x.jpg", "empty/notes.txt"})
        put(src.filePath(f), "x");
    put(src.filePath("list.csv"), "p,q\r\n");
    const QString images = src.path(), empty = src.filePath("empty");
    const QString noImages = "\nThe selected folder does not contains any image with supported extension.";
    const QString replace = "Batch Processing Series already exists. Do you want to replace it?";
    const struct {
        int option;
        QString path;
        const char *typed;
        bool yes;
        QStringList messages;
        QByteArray after;  // the series "S", which holds "old\n" before
    } cases[] = {
        {3, images, "", true, {replace}, (images + "/a.JPG\n" + images + "/b.png\n").toUtf8()},
        {3, empty, "", true, {noImages}, "old\n"},
        {3, src.filePath("nowhere"), "", true, {"\nPlease select valid file path."}, "old\n"},
        {1, src.filePath("list.csv"), "", false, {replace}, "old\n"},
        {1, src.filePath("list.csv"), "", true, {replace}, "p\nq\n"},
        {2, {}, "  x\n\n  y \n", true, {replace}, "x\n  y\n"},
        {2, {}, " \n ", true, {"\nPlease enter some data."}, "old\n"},
    };
    const char *radios[] = {"Excel_RD", "Text_RD", "Mnul_RD", "Image_RD"};
    const char *paths[] = {"Excel_path", "Text_path", "", "Image_path"};
    const char *names[] = {"", "Text_file_name", "Manual_file_name", "Image_file_name"};
    BatchWizard manager;
    for (const auto &c : cases) {
        platform::ScopedScriptedUi ui;
        put(Series_File_Path("S"), "old\n");
        ui->push(c.yes);
        int code = -1;
        const SeriesModalRunner previous = Set_Series_Modal_Runner([&](QDialog &w) {
            w.setResult(0);
            testsupport::press(w.findChild<QAbstractButton *>(radios[c.option]));
            if (*paths[c.option])
                w.findChild<QLineEdit *>(paths[c.option])->setText(c.path);
            w.findChild<QLineEdit *>(names[c.option])->setText("/S/");
            w.findChild<QPlainTextEdit *>("ManualEdit")->setPlainText(c.typed);
            testsupport::press(w.findChild<QAbstractButton *>("OKPressed"));
            code = w.result();
            return code;
        });
        manager.Import_Btn_Clicked();
        Set_Series_Modal_Runner(previous);
        EXPECT_EQ(ui->messages(), c.messages) << c.path.toStdString() << c.typed;
        EXPECT_EQ(series("S"), c.after) << c.path.toStdString() << c.typed;
        EXPECT_EQ(code, c.after != "old\n" ? 1 : 0);  // the wizard closes after a completed import
        EXPECT_EQ(manager.ListData, QStringList{"S"});
    }
}

TEST(ImportWizard, ListModeHandsValuesToTheManager)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    QTemporaryDir src;
    put(src.filePath("a.gif"), "x");
    BatchWizard manager;
    manager.ListData_value = {"kept"};
    ASSERT_TRUE(Import_Typed_Text(" a \n\n b", {false, {}, {}}));
    ASSERT_TRUE(Import_Image_Folder(src.path(), {false, {}, {}}));
    EXPECT_EQ(manager.ListData_value, (QStringList{"kept", "a", "b", src.filePath("a.gif")}));
    EXPECT_TRUE(QDir(Data_Folder_Path).entryList(QDir::Files).isEmpty());
}
