// The Edit and Tools menus, the grid's menu item and the icons of the tool bar: the desktop
// theme's standard icons where the theme has them, small drawn ones of our own otherwise.

#include "canvas/SKTGrid.h"
#include "mainwindow/MainWindowIcons.h"
#include "mainwindow/SKTWindowController.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QSlider>

QIcon commandIcon(const QString &themeName, const QString &text)
{
    // A desktop without a theme still has the freedesktop icons Debian installs.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
    if (!themeName.isEmpty() && QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    // Drawn: the first letters of the command on a rounded tile.
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3d, 0x6b, 0x9e));
    p.drawRoundedRect(QRectF(3, 3, 42, 42), 9, 9);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(text.size() > 1 ? 19 : 26);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(3, 3, 42, 42), Qt::AlignCenter, text.left(2));
    p.end();
    return QIcon(pixmap);
}

QString commandToolTip(const QString &title, const QKeySequence &keys)
{
    return keys.isEmpty() ? title
                          : QStringLiteral("%1 (%2)").arg(title, keys.toString(QKeySequence::NativeText));
}

void SKTWindowController::buildEditMenu(QMenu *edit)
{
    const struct Item {
        const char *name, *title;
        QKeySequence::StandardKey keys;
        void (SKTWindowController::*slot)();
    } items[] = {
        {"cut_menu", "Cut", QKeySequence::Cut, &SKTWindowController::Cut_Clicked},
        {"copy_menu", "Copy", QKeySequence::Copy, &SKTWindowController::Copy_Clicked},
        {"paste_menu", "Paste", QKeySequence::Paste, &SKTWindowController::Paste_Clicked},
        {"delete_menu", "Delete", QKeySequence::Delete, &SKTWindowController::Delete_Clicked},
    };
    for (const Item &item : items)
        edit->addAction(tr(item.title), item.keys, this, item.slot)->setObjectName(QString::fromLatin1(item.name));
}

void SKTWindowController::buildToolsMenu()
{
    auto *tools = menuBar()->addMenu(tr("&Tools"));
    const struct Item {
        const char *name, *title;
        void (SKTWindowController::*slot)();
    } items[] = {
        {"series_menu", "Series Manager…", &SKTWindowController::Batch_Series_Button},
        {"create_series_menu", "Create Series…", &SKTWindowController::Create_Series_Button},
        {"import_menu", "Import Wizard…", &SKTWindowController::Import_Wizard_Button},
        {"crop_menu", "Cropping Tool…", &SKTWindowController::Cropping_Tool_Clicked},
        {"watermark_menu", "Watermark…", &SKTWindowController::Watermark_Tool_Clicked},
        {"profile_menu", "User Profile…", &SKTWindowController::User_Profile_Clicked},
    };
    for (const Item &item : items) {
        QAction *a = tools->addAction(tr(item.title));
        a->setObjectName(QString::fromLatin1(item.name));
        if (item.slot)
            connect(a, &QAction::triggered, this, item.slot);
        else
            a->setEnabled(false);  // its window is not part of this build yet
    }
    auto *help = menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("Help and Support…"), QKeySequence::HelpContents, this, &SKTWindowController::Help_Button)
        ->setObjectName(QStringLiteral("help_menu"));

    // The grid's own signals bring every control in line, whichever place changed it.
    connect(_grid, &SKTGrid::anyChanged, this, &SKTWindowController::Sync_Grid_Controls);
    connect(Grid_Space_slidr, &QSlider::valueChanged, this, &SKTWindowController::Grid_Slider_Changed);
    Sync_Grid_Controls();
}

void SKTWindowController::User_Profile_Clicked()
{
    // The profile button belongs to the profile wiring; the menu item presses it.
    if (auto *button = findChild<QAbstractButton *>(QStringLiteral("User_Profile_btn")))
        button->click();
}
