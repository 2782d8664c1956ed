// The Edit and Tools menus, the grid's menu item and the icons of the tool bar: the desktop
// theme's standard icons where the theme has them, small drawn ones of our own otherwise.

#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "mainwindow/Grid_Wizard.h"
#include "mainwindow/Invitation_Wizard.h"
#include "mainwindow/MainWindowIcons.h"
#include "mainwindow/SKTWindowController.h"
#include "properties/PropertyPanel.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QSlider>
#include <QStandardPaths>
#include <QToolBar>
#include <functional>

namespace {
// The tile colour of the lettered fallback.
const QColor kTile(0x3d, 0x6b, 0x9e);

// Pictures of our own for commands the freedesktop names have no icon for.
QIcon drawnIcon(const QString &name)
{
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0x30, 0x36, 0x3d);
    if (name == QLatin1String("badgeloom-import")) {
        // A sheet of rows and columns with an arrow going into it.
        p.setPen(QPen(ink, 2.5));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(16, 6, 28, 36), 3, 3);
        p.setPen(QPen(QColor(0x5e, 0x8c, 0x3a), 2));
        for (const qreal y : {16.0, 24.0, 32.0})
            p.drawLine(QPointF(19, y), QPointF(41, y));
        p.drawLine(QPointF(28, 9), QPointF(28, 39));
        p.setPen(QPen(QColor(0x1a, 0x5f, 0xb4), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(4, 24), QPointF(22, 24));
        p.drawPolyline(QPolygonF({QPointF(15, 17), QPointF(22, 24), QPointF(15, 31)}));
        return QIcon(pixmap);
    }
    if (name == QLatin1String("badgeloom-crop")) {
        // Two crossed corner marks around a picture.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x8f, 0xc1, 0xe3));
        p.drawRect(QRectF(14, 14, 20, 20));
        p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(14, 4), QPointF(14, 34), QPointF(44, 34)}));
        p.drawPolyline(QPolygonF({QPointF(4, 14), QPointF(34, 14), QPointF(34, 44)}));
        return QIcon(pixmap);
    }
    return {};
}
}  // namespace

QIcon commandIcon(const QString &themeName, const QString &text)
{
    static const bool themed = [] {
        // A platform without a desktop theme (or only hicolor) still has the freedesktop icons
        // the system installs under its data folders.
        QStringList paths = QIcon::themeSearchPaths();
        for (const QString &dir :
             QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                       QStandardPaths::LocateDirectory))
            if (!paths.contains(dir))
                paths << dir;
        QIcon::setThemeSearchPaths(paths);
        if (QIcon::themeName().isEmpty())
            QIcon::setThemeName(QStringLiteral("hicolor"));
        if (QIcon::themeName() == QLatin1String("hicolor"))
            QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
        return true;
    }();
    Q_UNUSED(themed);
    if (!themeName.isEmpty() && QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    if (QIcon drawn = drawnIcon(themeName); !drawn.isNull())
        return drawn;
    // Drawn: the first letters of the command on a rounded tile.
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kTile);
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

namespace {
// The Edit menu's canvas commands: the item, its title and keys, and the canvas action that
// validates it.
const struct EditItem {
    const char *name, *title, *action;
    QKeySequence::StandardKey keys;
    void (SKTWindowController::*slot)();
} kEditItems[] = {
    {"cut_menu", "Cut", "cut:", QKeySequence::Cut, &SKTWindowController::Cut_Clicked},
    {"copy_menu", "Copy", "copy:", QKeySequence::Copy, &SKTWindowController::Copy_Clicked},
    {"paste_menu", "Paste", "paste:", QKeySequence::Paste, &SKTWindowController::Paste_Clicked},
    {"delete_menu", "Delete", "delete:", QKeySequence::Delete, &SKTWindowController::Delete_Clicked},
};

// The keys of the commands that take controls off the card or select them all act only while
// the card has the focus: Delete or Ctrl+A pressed in the group list, an entry panel's field or
// its buttons (Browse, a field's tick box) must not erase the design. With the focus nowhere, in
// the card's own area (its side buttons) or on a tool bar button, the keys act as before; an
// item chosen from the menu is no key and always acts.
class CardKeysOnly : public QObject {
public:
    CardKeysOnly(QObject *parent, std::function<QWidget *()> card) : QObject(parent), m_card(std::move(card)) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Shortcut)
            return QObject::eventFilter(watched, event);
        QWidget *focus = QApplication::focusWidget();
        QWidget *card = m_card();
        const bool toolBarButton = qobject_cast<QAbstractButton *>(focus) && qobject_cast<QToolBar *>(focus->parentWidget());
        const bool onCard = !focus || toolBarButton || (card && card->isAncestorOf(focus));
        return !onCard;  // swallowed: the key does nothing
    }

private:
    std::function<QWidget *()> m_card;
};
}  // namespace

void SKTWindowController::buildEditMenu(QMenu *edit)
{
    for (const EditItem &item : kEditItems) {
        const QString action = QString::fromLatin1(item.action);
        const auto slot = item.slot;
        // A shortcut can come before the states have caught up: the canvas decides again, so Copy
        // with nothing selected never empties the clipboard. Delete of a locked control goes on
        // to the canvas, which says why it refuses, as Backspace does.
        const bool sayLocked = action == QLatin1String("delete:");
        QAction *a = edit->addAction(tr(item.title), item.keys, this, [this, action, slot, sayLocked] {
            SKTGraphicView *canvas = currentCanvas();
            if (canvas->validateMenuItem(action) || (sayLocked && canvas->There_Is_Any_Lock_Contrl()))
                (this->*slot)();
        });
        a->setObjectName(QString::fromLatin1(item.name));
    }
    edit->addAction(tr("Select All"), QKeySequence::SelectAll, this, &SKTWindowController::Select_All_Clicked)
        ->setObjectName(QStringLiteral("selectAll"));
    auto *cardKeys = new CardKeysOnly(this, [this] { return myTargetView ? myTargetView->parentWidget() : nullptr; });
    for (const char *name : {"cut_menu", "delete_menu", "selectAll"})
        edit->findChild<QAction *>(QString::fromLatin1(name))->installEventFilter(cardKeys);
    connect(edit, &QMenu::aboutToShow, this, [this] { Validate_Menu_Items(); });
}

void SKTWindowController::Validate_Menu_Items(bool clipboard)
{
    SKTGraphicView *canvas = currentCanvas();
    if (!canvas)
        return;
    for (const EditItem &item : kEditItems)
        if (auto *a = menuBar()->findChild<QAction *>(QString::fromLatin1(item.name));
            a && (clipboard || qstrcmp(item.action, "paste:") != 0))
            a->setEnabled(canvas->validateMenuItem(QString::fromLatin1(item.action)));
    // The tool bar's commands for a selection go off with it, whichever road emptied it (group
    // mode hides a field without showing the card's properties).
    if (m_panel && canvas->selectionIndexes().empty())
        m_panel->Disable_Standard_Button_For_Card();
    if (rulers_menu) {
        QString title;
        canvas->validateMenuItem(QStringLiteral("showOrHideRulers:"), &title);
        rulers_menu->setText(title);
    }
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
        {"invitation_menu", "Invitation Wizard…", &SKTWindowController::Invitation_Wizard_Button},
        {"invitation_photo_menu", "Invitation Photo…", &SKTWindowController::Edit_Invitation_Photo_Clicked},
    };
    for (const Item &item : items) {
        QAction *a = tools->addAction(tr(item.title));
        a->setObjectName(QString::fromLatin1(item.name));
        connect(a, &QAction::triggered, this, item.slot);
    }
    // The invitation photo can be edited only where an invitation has one.
    QAction *photo = tools->findChild<QAction *>(QStringLiteral("invitation_photo_menu"));
    photo->setToolTip(tr("Edit the photo of the invitation on the card"));
    photo->setEnabled(false);
    connect(tools, &QMenu::aboutToShow, this, [this, photo] { photo->setEnabled(Invitation_Photo_Control()); });
    // View > Grid: the grid's settings whatever the property panel shows.
    new Grid_Wizard(this);
    for (QAction *a : menuBar()->actions())
        if (a->menu() && a->text() == tr("&View")) {
            QAction *item = a->menu()->addAction(tr("Grid…"), this, &SKTWindowController::toggleGridShowing);
            item->setObjectName(QStringLiteral("grid_menu"));
        }
    inv_wzrd_Window = new Invitation_Wizard(this);
    inv_wzrd_Window->setBackgroundPattern(wizard_pattern_image());
    // The saved-design road is File > Open's after its question (asked before the wizard opened).
    inv_wzrd_Window->openDesign = [this] { return Open_Saved_Design(); };
    inv_wzrd_Window->exitApp = [this] { return Exit_App(); };
    inv_wzrd_Window->imageTypes = Allowd_Image_fileTypes;

    auto *help = menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("Help and Support…"), QKeySequence::HelpContents, this, &SKTWindowController::Help_Button)
        ->setObjectName(QStringLiteral("help_menu"));
    buildLinksMenu(help);

    // The Edit menu's states follow the selection of every side and the clipboard (the canvases
    // exist by now), so its shortcuts work whenever the items would be enabled.
    // The tool bar's commands for a selection follow it too, whichever road changed it (Select
    // All shows no control; group mode hides a field without showing the card's properties). A
    // control then shown sets them for itself.
    for (SKTGraphicView *canvas : {_graphicView, _graphicView_BACK, _graphicView_TEMP})
        connect(canvas, &SKTGraphicView::selectionChanged, this, [this, canvas] {
            Validate_Menu_Items(false);
            if (m_panel && canvas == currentCanvas())
                m_panel->Follow_Selection(canvas->selectedGraphics());
        });
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        connect(clipboard, &QClipboard::dataChanged, this, [this] { Validate_Menu_Items(); });
    Validate_Menu_Items();

    // The grid's own signals bring every control in line, whichever place changed it.
    connect(_grid, &SKTGrid::anyChanged, this, &SKTWindowController::Sync_Grid_Controls);
    connect(Grid_Space_slidr, &QSlider::valueChanged, this, &SKTWindowController::Grid_Slider_Changed);
    Sync_Grid_Controls();
}

void SKTWindowController::User_Profile_Clicked()
{
    // The profile button belongs to the profile wiring; the menu item presses it.
    if (auto *button = findChild<QAbstractButton *>(QStringLiteral("User_Profile_Btn")))
        button->click();
}
