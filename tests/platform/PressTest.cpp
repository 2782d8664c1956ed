// The window tests' one road to a control refuses what no user can reach, saying why, and
// presses what a user can.
#include "Press.h"

#include <QDialog>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

TEST(Press, OnlyWhatAUserCanSeeAndReachIsPressed)
{
    QMainWindow window;
    auto *page = new QWidget;
    auto *button = new QPushButton(QStringLiteral("Go"), page);
    (new QVBoxLayout(page))->addWidget(button);
    window.setCentralWidget(page);
    QMenu *menu = window.menuBar()->addMenu(QStringLiteral("Edit"));
    QAction *item = menu->addAction(QStringLiteral("Paste"));
    int pressed = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++pressed; });
    QObject::connect(item, &QAction::triggered, [&] { ++pressed; });
    QDialog modal(&window);
    const struct {
        const char *what;
        std::function<void()> arrange;
        bool menuItem;
        const char *refusal;  // none: pressed
    } cases[] = {
        {"a window never shown", [] {}, false, "is not open"},
        {"its menu in a window never shown", [] {}, true, "is not open"},
        {"an open window", [&] { window.show(); }, false, nullptr},
        {"its menu item", [] {}, true, nullptr},
        {"a modal dialog over the window", [&] { modal.setModal(true), modal.show(); }, false, "is open over"},
        {"its menu under the dialog", [] {}, true, "is open over"},
        {"the dialog closed", [&] { modal.hide(); }, false, nullptr},
        {"a menu hidden", [&] { menu->menuAction()->setVisible(false); }, true, "is hidden"},
        {"a menu disabled", [&] { menu->menuAction()->setVisible(true), menu->setEnabled(false); }, true, "is disabled"},
        {"no size", [&] { button->setFixedSize(0, 0); }, false, "has no size"},
        {"beyond the window's edges",
         [&] {
             delete page->layout();
             button->setFixedSize(50, 20);
             button->move(5000, 5000);
         },
         false, "outside its window"},
        {"the window closed", [&] { button->move(0, 0), window.close(); }, false, "is not open"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        c.arrange();
        const int before = pressed;
        if (c.refusal) {
            EXPECT_NONFATAL_FAILURE(c.menuItem ? testsupport::press(item) : testsupport::press(button), c.refusal);
            EXPECT_EQ(pressed, before);
        } else {
            EXPECT_TRUE(c.menuItem ? testsupport::press(item) : testsupport::press(button));
            EXPECT_EQ(pressed, before + 1);
        }
    }
}

}  // namespace
