// The profile dialogs and the visitor log as the window opens them.

#include "ControllerFixture.h"
#include "visitor/ProfileDialogBase.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

namespace {

using ProfileWiringTest = ControllerTest;

// The card wizard's profile button and the window's own: a typed name lands on the card, the
// window's road as one undo step; the log command opens one window for the run, Mail on.
TEST_F(ProfileWiringTest, ATypedNameReachesTheCardAndTheLogOpensOneWindow)
{
    struct Case { bool wizardRoad; QString name, title; int undoSteps; };
    for (const Case &c : {Case{true, "Ada Lovelace", "User Profile Information", 0},
                          Case{false, "Bo Diddley", "Front Side User Profile Information", 1}}) {
        SCOPED_TRACE(c.name.toStdString());
        QStringList titles;
        const ProfileModalRunner previous = Set_Profile_Modal_Runner([&](QDialog &d) {
            auto &dlg = dynamic_cast<ProfileDialogBase &>(d);
            titles << d.windowTitle();
            dlg.rows[0].value->setText(c.name);
            emit dlg.rows[0].value->textEdited(c.name);
            dlg.OK_Btn_Clicked();
            return dlg.result();
        });
        Card_Wizard::setModalRunner([&](Card_Wizard &w) {
            w.OK_Click();
            if (c.wizardRoad)
                w.fill_profile_btn->click();
            w.OK_Click();
            return w.result();
        });
        controller.reset();
        document = std::make_unique<SKTDocument>();
        controller = std::make_unique<SKTWindowController>(*document);
        ASSERT_TRUE(setUpWindow());
        const int before = int(controller->undoHistory().Ucontrol.size());
        if (!c.wizardRoad)
            click("User_Profile_Btn");
        Set_Profile_Modal_Runner(previous);
        EXPECT_EQ(titles, QStringList{c.title});
        QString shown;
        for (const SKTGraphicPtr &g : document->graphicsOfSide(0))
            shown += g->control_ID == QLatin1String("Fup_Name") && g->ctrl_is_visible ? g->Text_Value : QString();
        EXPECT_EQ(shown, c.name);
        EXPECT_EQ(int(controller->undoHistory().Ucontrol.size()) - before, c.undoSteps);
    }
    outlet<QAction>("Visitor_Log_menu")->trigger(), outlet<QAction>("Visitor_Log_menu")->trigger();
    const auto requests = ui->requests();
    EXPECT_EQ(std::count_if(requests.begin(), requests.end(), [](auto &r) { return r.kind == "Visitor_Log_Records"; }), 2);
    EXPECT_EQ(controller->findChildren<QDialog *>(QStringLiteral("Visitor_Log_Records")).size(), 1);
    EXPECT_TRUE(outlet<QPushButton>("Mail")->isEnabled());
}

}  // namespace
