#include "Press.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QStackedWidget>
#include <QLocale>
#include <QTabWidget>
#include <QTest>
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

}  // namespace

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
    return why.isEmpty() ? hiddenRefusal(widget) : why;
}

bool press(QAbstractButton *button)
{
    const QString why = unreachable(button);
    if (!why.isEmpty()) {
        ADD_FAILURE() << "a user cannot press " << (button ? nameOf(button) : QStringLiteral("it")).toStdString()
                      << " in " << (button ? nameOf(button->window()) : QString()).toStdString() << ": "
                      << why.toStdString();
        return false;
    }
    showTabOf(button);
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
    if (!action->isVisible() || !action->isEnabled()) {
        ADD_FAILURE() << "a user cannot choose the menu item \"" << action->text().toStdString() << "\" ("
                      << action->objectName().toStdString() << "): it is "
                      << (action->isVisible() ? "disabled" : "hidden");
        return false;
    }
    action->trigger();
    return true;
}

void typeInto(QWidget *field, QString text, Qt::Key end)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text.replace(QLatin1Char('.'), QLocale().decimalPoint()));
    if (end != Qt::Key_unknown)
        QTest::keyClick(field, end);
}

}  // namespace testsupport
