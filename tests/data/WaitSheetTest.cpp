// The please-wait sheet comes up over long work only, and is gone before what follows the work.
#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "data/ImportWizard.h"
#include "data/SeriesFiles.h"
#include "data/SeriesManager.h"
#include "data/SeriesViewer.h"
#include "data/SeriesWindow.h"
#include "data/export/ExportDialogs.h"
#include "platform/UiServices.h"
#include "LateExpose.h"
#include "Press.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>


namespace {

QStringList manyValues(int count)
{
    QStringList values;
    values.reserve(count);
    for (int i = 0; i < count; ++i)
        values << QStringLiteral("value-%1-abcdefghij").arg(i, 6, 10, QLatin1Char('0'));
    return values;
}

// Whether a sheet was made over the window, and whether it is still up.
struct Sheet {
    bool made, shown;
};
Sheet sheetOver(const QWidget &window)
{
    const auto *sheet = window.findChild<Plz_Wait_Sheet *>();
    return {sheet != nullptr, sheet && sheet->isVisible()};
}

TEST(WaitSheet, LongReadsAndWritesShowItShortOnesDoNot)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    QDir().mkpath(Data_Folder_Path);
    QTemporaryDir dir;
    const struct {
        const char *name;
        int values;
        bool longWork;
    } cases[] = {{"small", 10, false}, {"large", 60000, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QStringList values = manyValues(c.values);
        const QString text = dir.filePath(QStringLiteral("%1.txt").arg(c.name));
        ASSERT_TRUE(Write_Series_File(text, values));

        QWidget wizard;
        QStringList received;
        ImportTarget target;
        target.fileMode = false;
        target.toList = [&received](const QString &v) { received << v; };
        ASSERT_TRUE(Import_Text_File(text, target, &wizard));
        EXPECT_EQ(received.size(), c.values);
        EXPECT_EQ(sheetOver(wizard).made, c.longWork);
        EXPECT_FALSE(sheetOver(wizard).shown);

        QWidget manager;
        ui->push(0);  // the export-finished box
        LateExpose lateWindowSystem;
        EXPECT_FALSE(Export_Series_Values(values, dir.filePath(QStringLiteral("%1-out.txt").arg(c.name)), &manager).isEmpty());
        EXPECT_EQ(sheetOver(manager).made, c.longWork);
        EXPECT_FALSE(sheetOver(manager).shown) << "gone before the finished box";
        EXPECT_EQ(lateWindowSystem.paintedWhileUp.size(), size_t(c.longWork));
        for (int painted : lateWindowSystem.paintedWhileUp)
            EXPECT_GT(painted, 0) << "the sheet says what it is before the work holds the window";

        ASSERT_TRUE(Write_Series_File(Series_File_Path(c.name), values));
        View_Data_Series viewer;
        viewer.file_name = c.name;
        bool upWhileShown = true;
        const SeriesModalRunner previous = Set_Series_Modal_Runner([&](QDialog &w) {
            upWhileShown = sheetOver(w).shown;
            return 1;
        });
        viewer.Open_Wnd();
        Set_Series_Modal_Runner(previous);
        EXPECT_EQ(viewer.ListData.size(), c.values);
        EXPECT_EQ(sheetOver(viewer).made, c.longWork);
        EXPECT_FALSE(upWhileShown) << "the viewer shows its values, not the sheet";
    }
}

}  // namespace

// Typed values and a picture folder are imported on the GUI thread: the wizard's sheet is drawn
// before that work holds the window, also when the window system exposes it late.
TEST(WaitSheet, ImportWizardPaintsItBeforeTheWork)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    QTemporaryDir pictures;
    QImage(4, 4, QImage::Format_RGB32).save(pictures.filePath("a.png"));
    const struct {
        const char *radio, *path, *name;
        QString typed, folder;
    } cases[] = {{"Mnul_RD", nullptr, "Manual_file_name", "x\ny", {}},
                 {"Image_RD", "Image_path", "Image_file_name", {}, pictures.path()}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.radio);
        Import_Wizard wizard;
        wizard.file_name_required = 1;
        LateExpose lateWindowSystem;
        const SeriesModalRunner previous = Set_Series_Modal_Runner([&](QDialog &w) {
            w.show();
            testsupport::press(w.findChild<QAbstractButton *>(c.radio));
            if (c.path)
                w.findChild<QLineEdit *>(c.path)->setText(c.folder);
            w.findChild<QLineEdit *>(c.name)->setText(c.radio);
            w.findChild<QPlainTextEdit *>("ManualEdit")->setPlainText(c.typed);
            testsupport::press(w.findChild<QAbstractButton *>("OKPressed"));
            return w.result();
        });
        wizard.Open_Wnd();
        Set_Series_Modal_Runner(previous);
        EXPECT_TRUE(QFile::exists(Series_File_Path(c.radio)));
        ASSERT_EQ(lateWindowSystem.paintedWhileUp.size(), 1u);
        EXPECT_GT(lateWindowSystem.paintedWhileUp[0], 0);
    }
}
