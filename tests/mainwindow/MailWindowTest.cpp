// The card mail window as the toolbar's Mail opens it on a two-sided card: it offers to mail
// both sides and the side choice stands apart from the mirror choice.

#include "ControllerFixture.h"

#include "output/mail/MailWindows.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

using MailWindowTest = WindowTest;

TEST_F(MailWindowTest, OpensOnBothSidesOfATwoSidedCard)
{
    drawDesign();
    CARD_SIDE_STR = QStringLiteral("2");
    std::map<QString, bool> checked;
    ui->onRequest = [this, &checked](const platform::ScriptedUiServices::Request &r) {
        const testsupport::RunWindow runWindow(r.kind);
        auto *mail = controller->findChild<Send_Mail *>();
        if (!mail || r.kind != mail->objectName())
            return;
        for (QRadioButton *b : mail->findChildren<QRadioButton *>())
            checked[b->objectName()] = b->isChecked();
    };
    click("Mail_btn");
    ui->onRequest = nullptr;
    ASSERT_FALSE(checked.empty()) << "the mail window opened";
    EXPECT_TRUE(checked["side_both"]) << "both sides are offered";
    EXPECT_FALSE(checked["side_front"] || checked["side_back"]);
    EXPECT_TRUE(checked["mirror_horizontal"]) << "the mirror's default way stays chosen";
}

// The attachment's Browse and Clear belong to a plain message: off while the card is mailed.
TEST_F(MailWindowTest, AttachmentButtonsOnlyForAPlainMessage)
{
    drawDesign();
    std::vector<std::pair<QString, bool>> seen;
    ui->onRequest = [this, &seen](const platform::ScriptedUiServices::Request &r) {
        const testsupport::RunWindow runWindow(r.kind);
        auto *mail = controller->findChild<Send_Mail *>();
        if (!mail || r.kind != mail->objectName())
            return;
        auto *attachment = mail->findChild<QLineEdit *>(QStringLiteral("attachment"));
        attachment->setText(QStringLiteral("/tmp/terms.pdf"));
        for (QRadioButton *kind : {mail->rd_mail_curr_barcode, mail->rd_without_barcode, mail->rd_mail_curr_barcode}) {
            press(kind);
            for (const char *name : {"attachment", "browse_att", "clear_att"})
                seen.emplace_back(kind->objectName() + " " + name,
                                  mail->findChild<QWidget *>(QString::fromLatin1(name))->isEnabled());
        }
        // In a plain message Clear serves while a file is attached, and only then.
        press(mail->rd_without_barcode);
        press(mail->findChild<QPushButton *>(QStringLiteral("clear_att")));
        EXPECT_TRUE(attachment->text().isEmpty());
        EXPECT_FALSE(mail->findChild<QWidget *>(QStringLiteral("clear_att"))->isEnabled());
        EXPECT_TRUE(mail->findChild<QWidget *>(QStringLiteral("browse_att"))->isEnabled());
    };
    click("Mail_btn");
    ui->onRequest = nullptr;
    ASSERT_EQ(seen.size(), 9u) << "the mail window opened";
    for (const auto &[what, enabled] : seen)
        EXPECT_EQ(enabled, what.startsWith("rd_without_barcode")) << what.toStdString();
}

}  // namespace
