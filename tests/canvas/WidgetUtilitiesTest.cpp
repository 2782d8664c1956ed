#include "canvas/WidgetUtilities.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

TEST(Widgets, SetObjEnabledDisablesControlsInsideAGroupBoxOnly)
{
    QWidget window;
    auto *box = new QGroupBox(&window);
    auto *inBoxEdit = new QLineEdit(box);
    auto *inBoxLabel = new QLabel(QStringLiteral("Name :"), box);
    auto *plain = new QWidget(&window);
    auto *inPlain = new QCheckBox(plain);
    SetObjEnabled(box, false);
    EXPECT_FALSE(inBoxEdit->isEnabled());
    EXPECT_FALSE(inBoxLabel->isEnabled());
    EXPECT_TRUE(box->isEnabled());
    SetObjEnabled(plain, false);
    EXPECT_TRUE(inPlain->isEnabled());
    SetObjEnabled(inPlain, false);
    EXPECT_FALSE(inPlain->isEnabled());
    SetObjEnabled(box, true);
    EXPECT_TRUE(inBoxEdit->isEnabled());
    SetObjEnabled(nullptr, true);
}
