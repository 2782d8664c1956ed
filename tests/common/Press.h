#pragma once
// The one road by which a window test uses a button or a menu item: only what a user can see
// and reach is pressed. Anything else fails the test, naming the control and what keeps a user
// from it, instead of passing on a road the window does not offer.

#include "platform/UiServices.h"

#include <QPointer>
#include <QString>
#include <qnamespace.h>
#include <QWidget>
#include <functional>
#include <map>

class QAbstractButton;
class QAction;
class QAbstractSpinBox;
class QComboBox;
class QDialog;

namespace testsupport {

// For a scripted modal run named `name` (a request's kind): while the object lives, the window of
// that name stands shown and modal as the real run shows it, so a test's request handler drives
// what a user meets; hidden again after, the activation given back. Nothing for other requests.
class RunWindow {
public:
    explicit RunWindow(const QString &name);
    ~RunWindow();
    RunWindow(const RunWindow &) = delete;
    RunWindow &operator=(const RunWindow &) = delete;

private:
    QPointer<QWidget> m_window, m_active;
    Qt::WindowModality m_modality = Qt::NonModal;
};

// A scripted UI under which the modal windows named in `drive` really run: each is worked by its
// function once it is up and the active modal window (the test presses and types as a user
// would), and closed when the function left it open. Other requests are answered from the script.
class DrivenPanels : public platform::ScriptedUiServices {
public:
    std::map<QString, std::function<void(QDialog &)>> drive;
    QStringList ran;  // the names of the windows run, in order
    int runModal(const QString &name, const QString &text, const std::function<int()> &show) override;
};

// Why a user cannot reach `widget` in its window as it stands; empty when they can. A widget on
// a tab the tab view shows but has not brought forward counts as reachable (a click on the tab
// brings it); one on a tab page the view does not hold, on a hidden screen of a stacked page, in
// a hidden box, or disabled, does not; nor one whose window is not open or lies under a modal
// dialog. A tool bar's button that does not fit is still reached through the bar's overflow menu.
QString unreachable(QWidget *widget);

// Brings forward the tabs that hold the widget, as a user's clicks on them do.
void showTabOf(QWidget *widget);

// Brings the button's tab forward when needed and clicks it. Refuses (and fails the test) a
// button a user cannot reach, nor one whose window is not open or lies under a modal dialog,
// nor one with no size or beyond its window's edges; answers whether it was pressed.
bool press(QAbstractButton *button);

// Chooses a menu item: its menus are opened first (so they update the items as they do for a
// user), then the item is triggered when it is visible and enabled, and its menu is neither
// hidden nor disabled nor on the menu bar of a window a user cannot reach; otherwise the test
// fails.
bool press(QAction *action);

// Chooses the entry `text` of a list as a user does: the list's popup opened, the entry made
// current there and taken with Return (so the list says it was activated). Refuses (and fails the
// test) a list a user cannot reach, as press() does, and an entry the list does not offer or has
// disabled; answers whether the entry is chosen.
bool choose(QComboBox *list, const QString &text);

// Types `text` key by key into `field`, given the focus with what it holds selected, then the key
// `end` (none for Qt::Key_unknown). Every number field takes a point as its decimal mark.
void typeInto(QWidget *field, QString text, Qt::Key end = Qt::Key_Return);
// The same into a number field, failing the test at each key after which the field (its prefix
// and suffix aside) does not hold what was typed so far.
void typeShown(QAbstractSpinBox *field, QString text, Qt::Key end = Qt::Key_Tab);
// Types `text` key by key into a field a user can reach, from the start of the text it shows
// (Home, nothing selected), then the key `end`; Shift goes down on its own before a capital.
void typeFromHome(QAbstractSpinBox *field, QString text, Qt::Key end = Qt::Key_Tab);

}  // namespace testsupport
