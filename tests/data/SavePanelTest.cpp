// The save panels with a format chooser, as the desktop shows them (no scripted fake): a name
// typed without an extension of the panel's types leaves the panel with the chosen format's.
#include "data/export/ExportDialogs.h"
#include "platform/UiServices.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs `panelRoad` with the Qt services while `drive` handles the panel once it is up.
QString throughThePanel(const std::function<QString()> &panelRoad, const std::function<void(QFileDialog &)> &drive)
{
    std::unique_ptr<platform::UiServices> previous = platform::setUi(std::make_unique<platform::QtUiServices>());
    QTimer poll;
    bool driven = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *panel = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!panel || driven)
            return;
        driven = true;
        drive(*panel);
    });
    poll.start(20);
    // Should the panel never come up in the driver's way, it is closed rather than waited for.
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [] {
        if (QWidget *w = QApplication::activeModalWidget())
            w->close();
    });
    giveUp.start(10000);
    const QString path = panelRoad();
    platform::setUi(std::move(previous));
    return path;
}

TEST(SavePanels, ABareNameGetsTheFormatChosenInThePanel)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const struct {
        bool image;
        int item;  // -1: the pop-up left as it starts
        const char *typed, *answered;
    } cases[] = {
        {true, 1, "pass", "pass.bmp"},
        {true, -1, "pass", "pass.png"},
        {true, 3, "shot.jpg", "shot.jpg"},
        // An extension that names one of the panel's types, in any spelling or case, is kept.
        {true, -1, "pass.jpeg", "pass.jpeg"},
        {true, -1, "pass.JPG", "pass.JPG"},
        {true, 0, "pass.tif", "pass.tif"},
        {true, -1, "pass.TIFF", "pass.TIFF"},
        {true, -1, "pass.gif", "pass.gif.png"},
        {false, 1, "list", "list.txt"},
        {false, -1, "list", "list.xlsx"},
    };
    for (const auto &c : cases) {
        const QString path = throughThePanel(
            [&] {
                return c.image ? Save_Image_Panel(QStringLiteral("Save Image"), dir.path(), QStringLiteral("VisitorPass.png"))
                               : Save_List_Panel(QStringLiteral("Export"), dir.path(), QStringLiteral("Untitled.xlsx"));
            },
            [&](QFileDialog &panel) {
                auto *formats = panel.findChild<QComboBox *>(QStringLiteral("ext_btn"));
                ASSERT_NE(formats, nullptr) << "the panel carries the format chooser";
                if (c.item >= 0)
                    formats->setCurrentIndex(c.item);
                auto *name = panel.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                ASSERT_NE(name, nullptr);
                name->setText(QString::fromLatin1(c.typed));
                QMetaObject::invokeMethod(&panel, "accept", Qt::QueuedConnection);
            });
        EXPECT_EQ(path, dir.filePath(QString::fromLatin1(c.answered))) << c.typed << " " << c.item;
    }
}

}  // namespace
