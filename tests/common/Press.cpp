#include "Press.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

namespace testsupport {

namespace {

QString nameOf(const QWidget *w)
{
    QString name = w->objectName();
    if (const auto *b = qobject_cast<const QAbstractButton *>(w); b && !b->text().isEmpty())
        name += (name.isEmpty() ? QString() : QStringLiteral(" ")) + QLatin1Char('"') + b->text() + QLatin1Char('"');
    return name.isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : name;
}

// A page of a tab view or of a stacked screen, and the view holding it.
QString pageRefusal(QWidget *widget)
{
    for (QWidget *page = widget; page && !page->isWindow(); page = page->parentWidget()) {
        auto *stack = qobject_cast<QStackedWidget *>(page->parentWidget());
        if (!stack)
            continue;
        if (auto *tabs = qobject_cast<QTabWidget *>(stack->parentWidget())) {
            const int index = tabs->indexOf(page);
            if (index < 0)
                return QStringLiteral("it is on the tab page %1, which the tab view %2 does not show")
                    .arg(nameOf(page), nameOf(tabs));
            if (!tabs->isTabVisible(index) || !tabs->isTabEnabled(index))
                return QStringLiteral("its tab \"%1\" is hidden or disabled").arg(tabs->tabText(index));
        } else if (stack->currentWidget() != page) {
            return QStringLiteral("it is on the screen %1, which %2 does not show").arg(nameOf(page), nameOf(stack));
        }
    }
    return {};
}

// What keeps the widget out of sight once its tabs are forward (a page behind another tab is
// hidden until then).
QString hiddenRefusal(QWidget *widget)
{
    QWidget *window = widget->window();
    for (QWidget *w = widget; w && w != window; w = w->parentWidget()) {
        if (auto *stack = qobject_cast<QStackedWidget *>(w->parentWidget()))
            if (auto *tabs = qobject_cast<QTabWidget *>(stack->parentWidget()); tabs && tabs->indexOf(w) >= 0)
                continue;
        if (auto *bar = qobject_cast<QToolBar *>(w->parentWidget())) {
            // The bar lays its buttons out once shown and folds the rest into its overflow menu.
            bool inBar = false;
            for (QAction *a : bar->actions())
                if (bar->widgetForAction(a) == w)
                    inBar = a->isVisible();
            if (!inBar)
                return QStringLiteral("it is not on the tool bar %1").arg(nameOf(bar));
            continue;
        }
        if (w->isHidden())
            return w == widget ? QStringLiteral("it is hidden") : QStringLiteral("%1 around it is hidden").arg(nameOf(w));
    }
    return {};
}

// What keeps the whole window from a user: it is not open, or a modal dialog stands over it.
QString windowRefusal(QWidget *window)
{
    if (!window->isVisible())
        return QStringLiteral("its window %1 is not open").arg(nameOf(window));
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || modal == window)
        return {};
    // A window opened from the dialog is above it; a dialog modal to its own window blocks only
    // that window and the windows below it.
    for (QWidget *w = window->parentWidget(); w; w = w->parentWidget())
        if (w == modal)
            return {};
    bool blocked = modal->windowModality() != Qt::WindowModal;
    for (QWidget *w = modal->parentWidget(); w && !blocked; w = w->parentWidget())
        blocked = w->window() == window;
    return blocked ? QStringLiteral("the dialog %1 is open over its window").arg(nameOf(modal)) : QString();
}

// A control with no size, or laid out beyond its window's edges, cannot be clicked. One in a
// scrolled area is reached by scrolling, so the area stands for it.
QString placeRefusal(QWidget *widget)
{
    QWidget *window = widget->window();
    if (widget->width() <= 0 || widget->height() <= 0)
        return QStringLiteral("it has no size");
    QWidget *shown = widget;
    for (QWidget *w = widget->parentWidget(); w && w != window; w = w->parentWidget())
        if (qobject_cast<QAbstractScrollArea *>(w))
            shown = w;
    if (!window->rect().intersects(QRect(shown->mapTo(window, QPoint(0, 0)), shown->size())))
        return QStringLiteral("it lies outside its window");
    return {};
}

// Why none of the menus holding the item is within a user's reach (empty when one is, or when
// the item is in no menu): a menu hidden or disabled, or the menu bar's window out of reach.
QString menuRefusal(QAction *action)
{
    QString why;
    for (QObject *o : action->associatedObjects()) {
        auto *menu = qobject_cast<QMenu *>(o);
        if (!menu)
            continue;
        QString thisWay;
        for (QMenu *m = menu; m && thisWay.isEmpty();) {
            QAction *opens = m->menuAction();
            if (!m->isEnabled() || !opens->isEnabled() || !opens->isVisible()) {
                thisWay = QStringLiteral("its menu \"%1\" is %2").arg(m->title(), opens->isVisible() ? "disabled" : "hidden");
                break;
            }
            QMenu *outer = nullptr;
            for (QObject *holder : opens->associatedObjects()) {
                if (auto *bar = qobject_cast<QMenuBar *>(holder)) {
                    thisWay = bar->isHidden() ? QStringLiteral("its menu bar is hidden") : windowRefusal(bar->window());
                    if (thisWay.isEmpty())
                        return {};
                } else if (auto *parentMenu = qobject_cast<QMenu *>(holder)) {
                    outer = parentMenu;
                }
            }
            m = outer;
        }
        if (thisWay.isEmpty())
            return {};  // a context menu a click opens
        why = thisWay;
    }
    return why;
}

}  // namespace

int DrivenPanels::runModal(const QString &name, const QString &text, const std::function<int()> &show)
{
    const auto it = drive.find(name);
    if (it == drive.end())
        return ScriptedUiServices::runModal(name, text, show);
    ran << name;
    QTimer::singleShot(0, [work = it->second] {
        QPointer<QDialog> panel = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!panel) {
            ADD_FAILURE() << "no modal window is up to work";
            return;
        }
        QApplication::setActiveWindow(panel);  // its fields are left as a user leaves them
        work(*panel);
        if (panel && panel->isVisible())
            panel->reject();
    });
    return show();
}

RunWindow::RunWindow(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (!m_window && w->objectName() == name && !w->isVisible())
            m_window = w;
    if (!m_window)
        return;
    m_active = QApplication::activeWindow();
    m_modality = m_window->windowModality();
    if (m_modality == Qt::NonModal)
        m_window->setWindowModality(Qt::ApplicationModal);
    m_window->show();
}

RunWindow::~RunWindow()
{
    if (!m_window)
        return;
    m_window->hide();
    m_window->setWindowModality(m_modality);
    if (m_active)
        m_active->activateWindow();
}

void showTabOf(QWidget *widget)
{
    for (QWidget *page = widget; page && !page->isWindow(); page = page->parentWidget())
        if (auto *stack = qobject_cast<QStackedWidget *>(page->parentWidget()))
            if (auto *tabs = qobject_cast<QTabWidget *>(stack->parentWidget()); tabs && tabs->indexOf(page) >= 0)
                tabs->setCurrentWidget(page);
}

QString unreachable(QWidget *widget)
{
    if (!widget)
        return QStringLiteral("there is no such control");
    QString why = pageRefusal(widget);
    if (why.isEmpty() && !widget->isEnabled())
        why = QStringLiteral("it is disabled");
    if (why.isEmpty())
        why = hiddenRefusal(widget);
    return why.isEmpty() ? windowRefusal(widget->window()) : why;
}

bool press(QAbstractButton *button)
{
    QString why = unreachable(button);
    if (why.isEmpty()) {
        // Where the button stands once its tabs are forward and laid out.
        showTabOf(button);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        why = placeRefusal(button);
    }
    if (!why.isEmpty()) {
        ADD_FAILURE() << "a user cannot press " << (button ? nameOf(button) : QStringLiteral("it")).toStdString()
                      << " in " << (button ? nameOf(button->window()) : QString()).toStdString() << ": "
                      << why.toStdString();
        return false;
    }
    button->click();
    return true;
}

bool press(QAction *action)
{
    if (!action) {
        ADD_FAILURE() << "a user cannot choose a menu item that does not exist";
        return false;
    }
    for (QObject *o : action->associatedObjects())
        if (auto *menu = qobject_cast<QMenu *>(o))
            emit menu->aboutToShow();
    if (const QString why = menuRefusal(action); !why.isEmpty()) {
        ADD_FAILURE() << "a user cannot choose the menu item \"" << action->text().toStdString() << "\" ("
                      << action->objectName().toStdString() << "): " << why.toStdString();
        return false;
    }
    if (!action->isVisible() || !action->isEnabled()) {
        ADD_FAILURE() << "a user cannot choose the menu item \"" << action->text().toStdString() << "\" ("
                      << action->objectName().toStdString() << "): it is "
                      << (action->isVisible() ? "disabled" : "hidden");
        return false;
    }
    action->trigger();
    return true;
}

bool choose(QComboBox *list, const QString &text)
{
    QString why = unreachable(list);
    if (why.isEmpty()) {
        showTabOf(list);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        why = placeRefusal(list);
    }
    const int index = list ? list->findText(text) : -1;
    const QModelIndex entry = index < 0 ? QModelIndex() : list->model()->index(index, list->modelColumn(), list->rootModelIndex());
    if (why.isEmpty() && !entry.isValid())
        why = QStringLiteral("it has no entry \"%1\"").arg(text);
    else if (why.isEmpty() && !(entry.flags() & Qt::ItemIsEnabled))
        why = QStringLiteral("its entry \"%1\" is disabled").arg(text);
    if (!why.isEmpty()) {
        ADD_FAILURE() << "a user cannot choose \"" << text.toStdString() << "\" in the list "
                      << (list ? nameOf(list) : QStringLiteral("that does not exist")).toStdString() << ": " << why.toStdString();
        return false;
    }
    list->setFocus();
    list->showPopup();
    list->view()->setCurrentIndex(entry);
    QTest::keyClick(list->view(), Qt::Key_Return);
    if (list->view()->isVisible())
        list->hidePopup();
    return list->currentIndex() == index;
}

void typeInto(QWidget *field, QString text, Qt::Key end)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
    if (end != Qt::Key_unknown)
        QTest::keyClick(field, end);
}

void typeShown(QAbstractSpinBox *field, QString text, Qt::Key end)
{
    typeInto(field, QString(), Qt::Key_unknown);
    for (qsizetype typed = 1; typed <= text.size(); ++typed) {
        QTest::keyClicks(field, text.mid(typed - 1, 1));
        QString shown = field->text();
        if (auto *d = qobject_cast<QDoubleSpinBox *>(field))
            shown = d->cleanText();
        EXPECT_EQ(shown, text.left(typed)) << field->objectName().toStdString() << " after key " << typed;
    }
    if (end != Qt::Key_unknown)
        QTest::keyClick(field, end);
}

void typeFromHome(QAbstractSpinBox *field, QString text, Qt::Key end)
{
    EXPECT_EQ(unreachable(field), QString()) << field->objectName().toStdString();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Home);
    for (const QChar c : text) {
        const bool capital = c.isUpper();
        if (capital)  // as a keyboard sends it: Shift goes down on its own first
            QTest::keyPress(field, Qt::Key_Shift);
        QTest::keyClicks(field, QString(c), capital ? Qt::ShiftModifier : Qt::NoModifier);
        if (capital)
            QTest::keyRelease(field, Qt::Key_Shift, Qt::ShiftModifier);
    }
    if (end != Qt::Key_unknown)
        QTest::keyClick(field, end);
}

}  // namespace testsupport
