// The profile dialogs and the visitor log as the window opens them.

#include "ControllerFixture.h"

#include "visitor/ProfileDialogBase.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

namespace {

using ProfileWiringTest = ControllerTest;

QString textOf(const SKTDocument &doc, const QString &id)
{
    for (const SKTGraphicPtr &g : doc.graphicsOfSide(0))
        if (g->control_ID == id && g->ctrl_is_visible)
            return g->Text_Value;
    return {};
}

// Both roads to a profile: the card wizard's profile button and the window's own; a typed name
// lands on the card, the window's road with one undo step.
TEST_F(ProfileWiringTest, ATypedNameReachesTheCardAndTheLogOpensOneWindow)
{
    struct Case { bool wizardRoad; const char *name; QString title; int undoSteps; };
    for (const Case &c : {Case{true, "Ada Lovelace", "User Profile Information", 0},
                          Case{false, "Bo Diddley", QString(), 1}}) {
        SCOPED_TRACE(c.name);
        QStringList titles;
        const ProfileModalRunner previous = Set_Profile_Modal_Runner([&](QDialog &d) {
            auto &dlg = dynamic_cast<ProfileDialogBase &>(d);
            titles << d.windowTitle();
            dlg.rows[0].value->setText(QString::fromLatin1(c.name));
            emit dlg.rows[0].value->textEdited(dlg.rows[0].value->text());
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
            click("User_Profile_btn");
        Set_Profile_Modal_Runner(previous);
        ASSERT_EQ(titles.size(), 1);
        if (c.wizardRoad) {
            EXPECT_EQ(titles[0], c.title);
        }
        EXPECT_EQ(textOf(*document, QStringLiteral("Fup_Name")), QString::fromLatin1(c.name));
        EXPECT_EQ(int(controller->undoHistory().Ucontrol.size()) - before, c.undoSteps);
    }
    auto *log = outlet<QAction>("Visitor_Log_menu");
    ASSERT_NE(log, nullptr);
    log->trigger();
    log->trigger();
    int runs = 0;
    for (const auto &r : ui->requests())
        runs += r.kind == QLatin1String("Visitor_Log_Records");
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(controller->findChildren<QDialog *>(QStringLiteral("Visitor_Log_Records")).size(), 1);
}

}  // namespace
