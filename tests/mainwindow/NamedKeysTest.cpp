// Every key the main window names, in a command button's tooltip ("Print (Ctrl+P)") or beside a
// menu item, runs that command when pressed on the window.
#include "ControllerFixture.h"
#include "CoreTestSupport.h"

#include <QAction>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSignalSpy>

#include <numeric>

namespace {

using NamedKeysTest = WindowTest;

// The command a key is named for: a button whose tooltip names it, or a menu item that carries
// it. Pressing the key must fire one of them.
struct Named {
    QKeySequence keys;
    QString where;                 // for the failure message
    QList<QObject *> commands;     // buttons and menu items named with the key
};

TEST_F(NamedKeysTest, EveryKeyATooltipOrMenuNamesRunsItsCommand)
{
    controller->resize(1024, 700);
    controller->show();
    controller->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(controller.get()));
    // A control copied, then let go: the paste key is among those named and pressed.
    place(Card_Front_Or_Back, {kindstest::filledRect(QRectF(20, 20, 40, 30), Qt::red)});
    clickAt(canvas(Card_Front_Or_Back), QPointF(40, 35));
    click("Copy_btn");
    clickAt(canvas(Card_Front_Or_Back), QPointF(120, 100));  // on the card beside it
    std::vector<Named> named;
    auto entry = [&](const QKeySequence &keys) -> Named & {
        for (Named &n : named)
            if (n.keys == keys)
                return n;
        named.push_back({keys, {}, {}});
        return named.back();
    };
    static const QRegularExpression inTooltip(QStringLiteral("^(.+) \\((.+)\\)$"));
    for (QAbstractButton *b : controller->findChildren<QAbstractButton *>()) {
        const QRegularExpressionMatch m = inTooltip.match(b->toolTip());
        const QKeySequence keys = m.hasMatch() ? QKeySequence::fromString(m.captured(2), QKeySequence::NativeText)
                                               : QKeySequence();
        if (keys.isEmpty() || keys.toString(QKeySequence::NativeText) != m.captured(2) || !b->isEnabled())
            continue;
        Named &n = entry(keys);
        n.where += b->objectName() + QLatin1Char(' ');
        n.commands << b;
    }
    for (QAction *a : controller->menuBar()->findChildren<QAction *>()) {
        if (a->shortcut().isEmpty() || !a->isEnabled())
            continue;
        Named &n = entry(a->shortcut());
        n.where += a->text() + QLatin1Char(' ');
        n.commands << a;
    }
    const bool printNamed = std::any_of(named.begin(), named.end(), [](const Named &n) {
        return n.keys == QKeySequence(QKeySequence::Print);
    });
    ASSERT_TRUE(printNamed) << "the Print button names its key";
    ASSERT_GE(named.size(), 10u) << std::accumulate(named.begin(), named.end(), std::string(), [](std::string all, const Named &n) {
        return all + n.keys.toString().toStdString() + ": " + n.where.toStdString() + "\n";
    });

    for (const Named &n : named) {
        SCOPED_TRACE(n.keys.toString().toStdString() + " named by " + n.where.toStdString());
        std::vector<std::unique_ptr<QSignalSpy>> spies;
        for (QObject *command : n.commands) {
            if (auto *b = qobject_cast<QAbstractButton *>(command))
                spies.push_back(std::make_unique<QSignalSpy>(b, &QAbstractButton::clicked));
            else
                spies.push_back(std::make_unique<QSignalSpy>(qobject_cast<QAction *>(command), &QAction::triggered));
        }
        // The keys go where a user's would: to the canvas, which takes no command keys itself.
        if (!controller->isActiveWindow()) {
            controller->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(controller.get()));
        }
        canvas(Card_Front_Or_Back)->setFocus();
        ui->clear();
        QTest::keySequence(controller.get(), n.keys);
        QCoreApplication::processEvents();
        const auto fired = std::count_if(spies.begin(), spies.end(), [](const auto &s) { return s->count() > 0; });
        EXPECT_EQ(fired, 1);
    }
}

}  // namespace
