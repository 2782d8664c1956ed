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
    QWidget *inBoxEdit = new QLineEdit(box), *inBoxLabel = new QLabel(QStringLiteral("Name :"), box);
    auto *inPlain = new QCheckBox(new QWidget(&window));
    SetObjEnabled(box, false);
    EXPECT_TRUE(!inBoxEdit->isEnabled() && !inBoxLabel->isEnabled() && box->isEnabled());
    SetObjEnabled(inPlain->parentWidget(), false);
    EXPECT_TRUE(inPlain->isEnabled()) << "a plain widget passes nothing on";
    SetObjEnabled(inPlain, false);
    EXPECT_FALSE(inPlain->isEnabled());
    SetObjEnabled(box, true);
    EXPECT_TRUE(inBoxEdit->isEnabled());
    SetObjEnabled(nullptr, true);
}
