// The real boxes: the icon each kind of box shows and the answer its buttons give.
#include "platform/UiServices.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(UiServices, WarningsAndNoticesShowTheirOwnIconAndAnswerTheButtonPressed)
{
    using Box = int (platform::QtUiServices::*)(const QString &, const QStringList &, const QString &, bool *);
    const struct {
        Box box;
        QMessageBox::Icon icon;
    } cases[] = {{&platform::QtUiServices::alert, QMessageBox::Warning},
                 {&platform::QtUiServices::notice, QMessageBox::Information}};
    for (const auto &c : cases) {
        platform::QtUiServices ui;
        QMessageBox::Icon shown = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            shown = box->icon();
            box->checkBox()->setChecked(true);
            for (QAbstractButton *b : box->buttons())
                if (b->text() == QLatin1String("Open"))
                    b->click();
        });
        bool ticked = false;
        EXPECT_EQ((ui.*c.box)(QStringLiteral("Done."), {"Open", "OK"}, QStringLiteral("Open folder."), &ticked), 0);
        EXPECT_EQ(shown, c.icon);
        EXPECT_TRUE(ticked);
    }
}

}  // namespace
