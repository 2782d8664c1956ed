// Mail: messages as a local SMTP server receives them, the script's call, card runs with their
// attachments, pauses and Stop, and the settings file.

#include "MailServer.h"
#include "Press.h"
#include "TestSupport.h"

#include "core/ControlArchive.h"
#include "core/SKTGraphic.h"
#include "output/mail/MailWindows.h"
#include "platform/UiServices.h"
#include "platform/WholeFile.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QGroupBox>
#include <QSpinBox>
#include <QPlainTextEdit>

#include <QDir>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>
#include "output/mail/Direct_Mail.h"
#include "data/export/ExportDialogs.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <filesystem>
#include <thread>

namespace {

MailMessage message(const Server &s, const QString &subject)
{
    return {"you@example.org", subject, {}, "me@example.org", QStringLiteral("pässwörd"), "127.0.0.1", s.port, QStringLiteral("Grüße é"), "N"};
}

TEST(Mail, ScriptSendsOrRefuses)
{
    REQUIRE_PYTHON(python);
    struct Case { QStringList server; QString subject; int timeoutMs; bool sent; const char *reason; };
    const Case cases[] = {
        {{}, QStringLiteral("Karten ✓ für Sie"), 20000, true, ""},
        {{}, "Hi\r\nBcc: evil@example.org", 20000, false, "line break"},
        {{"--fail", "you@example.org"}, "Hi", 20000, false, "550"},
        {{"--hang"}, "Hi", 1500, false, "no answer in time"},
        {{"--endless"}, "Hi", 20000, false, "the server's reply is longer than 64 KiB"},
        {{"--any"}, "Hi", 20000, false, "no STARTTLS"},  // a clear-text login is only for the loopback
        {{"--noauth"}, "Hi", 20000, false, "the server offers no login"},  // with a plain password
        {{"--badlogin"}, "Hi", 20000, false, "login refused (535)"},
        {{"--badfrom"}, "Hi", 20000, false, "the server refused the sender's address (553)"},
    };
    for (const Case &c : cases) {
        Server server(c.server);
        MailMessage m = message(server, c.subject);
        if (c.server.contains("--any") && (m.server = server.remote).isEmpty())
            continue;  // no address off the loopback here
        if (c.server.contains("--noauth") || c.server.contains("--badlogin"))
            m.password = "pw";
        QElapsedTimer clock;
        clock.start();
        const MailResult result = sendEmail_pyth(m, c.timeoutMs);
        EXPECT_EQ(result.sent, c.sent) << c.reason << result.reason.toStdString();
        EXPECT_TRUE(result.reason.contains(QLatin1String(c.reason))) << result.reason.toStdString();
        EXPECT_LT(clock.elapsed(), 10000);
        EXPECT_EQ(server.count(), c.sent ? 1 : 0) << c.reason;
    }
    Server server;
    ASSERT_TRUE(sendEmail_pyth(message(server, QStringLiteral("Karten ✓"))).sent);
    const QJsonObject got = server.mail(1);
    EXPECT_EQ(got["subject"].toString(), QStringLiteral("Karten ✓"));
    EXPECT_EQ(got["body"].toString(), QStringLiteral("Grüße é"));
    EXPECT_EQ(got["auth"].toArray().last().toString(), QStringLiteral("pässwörd"));
    EXPECT_EQ(got["rcpt"].toArray().first().toString(), "you@example.org");
}

TEST(Mail, ScriptCallKeepsThePasswordOffTheCommandLine)
{
    QTemporaryDir dir;
    const QString fake = dir.filePath("python"), hang = dir.filePath("hang"), log = dir.filePath("log.json");
    auto write = [](const QString &path, const QByteArray &text) {
        QFile f(path);
        f.open(QIODevice::WriteOnly) && f.write(text);
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    };
    write(fake, "#!/usr/bin/python3\nimport json, os, sys\njson.dump({'argv': sys.argv[2:], 'env': {k: v for k, v in os.environ.items() if k != 'LC_CTYPE'}, "
                "'stdin': sys.stdin.read()}, open('" + log.toUtf8() + "', 'w'))\n");
    write(hang, "#!/bin/sh\nexec sleep 30\n");
    write(dir.filePath("a.pdf"), "%PDF");
    const QString saved = Mail_Python_Path;
    Mail_Python_Path = fake;
    Server none;
    MailMessage m = message(none, "Subject");
    m.attachments = {dir.filePath("a.pdf")};
    EXPECT_TRUE(sendEmail_pyth(m).sent);
    QFile f(log);
    f.open(QIODevice::ReadOnly);
    const QJsonObject got = QJsonDocument::fromJson(f.readAll()).object();
    EXPECT_EQ(got["argv"].toArray().toVariantList(),
              QVariantList({"me@example.org", "127.0.0.1", none.port, "me@example.org", "you@example.org", "Subject",
                            QStringLiteral("Grüße é"), "N", dir.filePath("a.pdf")}));
    EXPECT_EQ(got["env"].toObject().toVariantMap(),
              QVariantMap({{"PYTHONPATH", ""}, {"PATH", "/bin:/usr/bin:/usr/local/bin"}}));
    EXPECT_EQ(got["stdin"].toString(), QStringLiteral("pässwörd\nDescription"));
    m.attachments = {QString()};
    EXPECT_FALSE(sendEmail_pyth(m).sent);
    Mail_Python_Path = hang;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(sendEmail_pyth(m = message(none, "x"), 1000).reason, "no answer in time");
    EXPECT_LT(clock.elapsed(), 4000);
    Mail_Python_Path = saved;
}

TEST(Mail, AMissingInterpreterNamesItsPackageAndSendsNothing)
{
    REQUIRE_PYTHON(python);
    Server server;
    const QString saved = Mail_Python_Path;
    QTemporaryDir dir;
    for (const QString &missing : {dir.filePath(QStringLiteral("python3")), dir.path()}) {  // no file; not a program
        Mail_Python_Path = missing;
        const MailResult result = sendEmail_pyth(message(server, QStringLiteral("Hi")));
        EXPECT_FALSE(result.sent);
        EXPECT_EQ(result.reason, QStringLiteral("Mail needs %1: install the package \"python3\".").arg(missing));
    }
    Mail_Python_Path = saved;
    EXPECT_EQ(server.count(), 0);
}

struct Card {
    Card_Property card;
    BatchDesign design;
    Card()
    {
        card.setCard_Size(QSizeF(243, 154));
        std::vector<std::unique_ptr<SKTGraphic>> front;
        front.push_back(Make_Graphic_Of_Class("SKTText"));
        front.back()->setBounds(QRectF(10, 10, 120, 24));
        front.back()->Set_Data_source_type(2);
        front.back()->Set_Excel_binding_Index(1);
        design.front = CardSide::copyOf(card, front);
        design.back = CardSide::copyOf(card, std::vector<std::unique_ptr<SKTGraphic>>());
        design.source = Check_Series_Or_Excel_Use_or_not(design.front.list(), {}, true, {{"1", "Ann"}, {"2", "Bo"}});
    }
};

TEST(Mail, CardRunsMailTheirSides)
{
    REQUIRE_PYTHON(python);
    REQUIRE_TOOL(pdfinfo, "pdfinfo");
    struct Case { MailMode mode; QString to; QStringList server; int perBlock; qint64 pauseMs; int mails; QString result; qint64 minMs; };
    const QString two = "A@example.org , b@example.org", three = two + ",c@example.org";
    const Case cases[] = {
        {MailMode::CurrentCard, two, {}, 0, 0, 2, "E-mail has been sent successfully.", 0},
        {MailMode::CurrentCard, two, {"--fail", "b@example.org"}, 0, 0, 1, "Sent 1 of 2 e-mails.\nNot sent to b@example.org: the server refused this address (550).", 0},
        {MailMode::OnePerRecipient, three, {}, 1, 1500, 2, "E-mail has been sent successfully.", 1500},
        {MailMode::AllToEvery, two, {}, 0, 0, 4, "E-mail has been sent successfully.", 0},
    };
    for (const Case &c : cases) {
        Server server(c.server);
        Card card;
        CardMailRun run(card.design, {c.mode, "Me@Example.org", c.to, "Cards", "Hello", {}, "badge", "BOTH", -1, 1, 1, c.perBlock, c.pauseMs}, server.account());
        ASSERT_EQ(run.Check(), QString());
        QElapsedTimer clock;
        clock.start();
        run.Send_Mail_Thread();
        EXPECT_GE(clock.elapsed(), c.minMs);
        EXPECT_TRUE(run.Final_Message().startsWith(c.result) || run.Final_Message().contains(c.result)) << run.Final_Message().toStdString();
        ASSERT_EQ(server.count(), c.mails);
        for (int n = 1; n <= c.mails; ++n) {
            EXPECT_EQ(server.mail(n)["files"].toArray().toVariantList(), QVariantList({"badge_Back.pdf", "badge_Front.pdf"}));
            EXPECT_EQ(testsupport::runTool(pdfinfo, {server.dir.filePath(QStringLiteral("mail-%1-badge_Front.pdf").arg(n))}).exitCode, 0);
        }
        EXPECT_TRUE(!run.tempFolder().isEmpty() && !QDir(run.tempFolder()).exists());
    }
}

TEST(Mail, StopEndsAPauseWithinASecond)
{
    REQUIRE_PYTHON(python);
    Server server;
    Card card;
    CardMailRun run(card.design, {MailMode::CurrentCard, "me@example.org", "a@example.org,b@example.org", "s", "b", {}, "x", "F", -1, 1, 1, 1, 60000}, server.account());
    ASSERT_EQ(run.Check(), QString());
    std::thread worker([&] { run.Send_Mail_Thread(); });
    const bool paused = testsupport::waitUntil([&] { return !run.pauseText().isEmpty(); });
    if (!paused) {
        run.Stop();
        worker.join();
        FAIL() << "the run never paused after its first mail: " << run.Final_Message().toStdString();
    }
    EXPECT_EQ(run.pauseText(), "Pausing the process for 1 Minute 0 Second.");
    QElapsedTimer clock;
    clock.start();
    run.Stop();
    worker.join();
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(server.count(), 1);
}

// Clear is there to take an attached file off: with none it is off and says why.
TEST(Mail, ClearAttachmentServesAnAttachedFileOnly)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    Send_Mail window;
    window.show();
    auto *clear = window.findChild<QPushButton *>(QStringLiteral("clear_att"));
    ASSERT_NE(clear, nullptr);
    EXPECT_FALSE(clear->isEnabled());
    EXPECT_EQ(clear->toolTip(), QStringLiteral("No file is attached"));
    ui->push(QStringLiteral("/tmp/attached.pdf"));
    testsupport::press(window.findChild<QPushButton *>(QStringLiteral("browse_att")));
    ASSERT_EQ(window.attachment->text(), QStringLiteral("/tmp/attached.pdf"));
    ASSERT_TRUE(clear->isEnabled());
    testsupport::press(clear);
    EXPECT_TRUE(window.attachment->text().isEmpty());
    EXPECT_FALSE(clear->isEnabled());
}

TEST(Mail, WindowAndVisitorDetailsSend)
{
    REQUIRE_PYTHON(python);
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    Server server;
    ASSERT_TRUE(flushPreferences({"", "me@example.org", "pw", "127.0.0.1", server.port, false}));
    Card card;
    Send_Mail window;
    for (const QString to : {"bad", "a@example.org"}) {
        window.Open_Wnd(card.design, true, false);
        window.to_txt->setPlainText(to);
        window.Send_Button();
        window.waitForRun();
    }
    EXPECT_EQ(ui->messages(), QStringList({"Recipient E-mail address is invalid or incomplete.\nbad", "E-mail has been sent successfully."}));
    QTemporaryDir dir;
    QFile pass(dir.filePath("VisitorDetails.pdf"));
    pass.open(QIODevice::WriteOnly) && pass.write("%PDF-1.4");
    pass.close();
    const MailAccount account = Get_Email_Details();
    EXPECT_EQ(Direct_Send_Mail("me@example.org", "b@example.org", " ", account, "app"), "There is no visitor pass to attach.");
    EXPECT_EQ(Direct_Send_Mail("me@example.org", "b@example.org,c@example.org", pass.fileName(), account, "app"), "E-mail has been sent successfully.");
    ASSERT_EQ(server.count(), 3);
    EXPECT_EQ(server.mail(3)["files"].toArray().toVariantList(), QVariantList({"VisitorDetails.pdf"}));
    EXPECT_EQ(server.mail(3)["subject"].toString(), "Visitor Details");
}

// A pass file for the visitor details mail window; empty when it could not be written.
QString passFile(const QTemporaryDir &dir)
{
    QFile pass(dir.filePath("VisitorDetails.pdf"));
    if (!pass.open(QIODevice::WriteOnly) || pass.write("%PDF-1.4") != 8)
        return {};
    return pass.fileName();
}

// The visitor details mail window: each recipient gets the pass, the wait box counts the mails
// and goes when the run ends.
TEST(Mail, VisitorDetailsWindowSendsWithItsOwnProgress)
{
    REQUIRE_PYTHON(python);
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    Server server;
    ASSERT_TRUE(flushPreferences({"", "me@example.org", "pw", "127.0.0.1", server.port, false}));
    QTemporaryDir dir;
    const QString pass = passFile(dir);
    ASSERT_FALSE(pass.isEmpty());
    Direct_Mail window;
    window.Prepare(pass);
    EXPECT_EQ(window.from_txt->text(), "me@example.org");
    EXPECT_TRUE(window.file_path_ctrl->isHidden());
    EXPECT_TRUE(window.wait_box->isHidden());
    window.to_txt->setText("B@Example.org, c@example.org");
    window.show();
    const QSize before = window.size();
    window.Send_Button();
    EXPECT_FALSE(window.wait_box->isHidden());
    EXPECT_FALSE(window.details_box->isEnabled());
    EXPECT_EQ(window._curr_msg_cnt->text(), "") << "no count before the run has counted";
    window.waitForRun();
    EXPECT_EQ(window.size(), before) << "the window gives back the wait box's room";
    EXPECT_EQ(ui->messages(), QStringList{"E-mail has been sent successfully."});
    EXPECT_EQ(window._curr_msg_cnt->text(), "2 / 2 ");
    EXPECT_EQ(window._Curr_Progress->value(), 2);
    EXPECT_TRUE(window.wait_box->isHidden());
    EXPECT_TRUE(window.details_box->isEnabled());
    ASSERT_EQ(server.count(), 2);
    EXPECT_EQ(server.mail(1)["subject"].toString(), "Visitor Details");
    EXPECT_EQ(server.mail(1)["files"].toArray().toVariantList(), QVariantList({"VisitorDetails.pdf"}));
}

// Stop in the visitor details mail window, answered Yes while the first mail hangs: the run ends
// at once and no further mail starts; the outcome says what went, with no failure advice.
TEST(Mail, VisitorDetailsWindowStops)
{
    REQUIRE_PYTHON(python);
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    Server server({"--hang"});
    ASSERT_TRUE(flushPreferences({"", "me@example.org", "pw", "127.0.0.1", server.port, false}));
    QTemporaryDir dir;
    const QString pass = passFile(dir);
    ASSERT_FALSE(pass.isEmpty());
    Direct_Mail window;
    window.Prepare(pass);
    window.to_txt->setText("a@example.org, b@example.org");
    QElapsedTimer clock;
    clock.start();
    window.Send_Button();
    while (!window._curr_msg_cnt->text().startsWith("1 /") && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ui->push(true);
    window.Stop_Sending_Pressed();
    window.waitForRun();
    EXPECT_LT(clock.elapsed(), 30000);
    ASSERT_EQ(ui->messages().size(), 2);  // the question, then the outcome
    EXPECT_EQ(ui->messages()[0], "Are you sure you want to stop?");
    EXPECT_TRUE(ui->messages()[1].contains("Stopped by the user")) << ui->messages()[1].toStdString();
    EXPECT_TRUE(ui->messages()[1].startsWith("Sent 0 of 2")) << "no failure to tell: " << ui->messages()[1].toStdString();
    EXPECT_FALSE(ui->messages()[1].contains(Mail_Not_Sent_Text)) << "no network checklist";
    EXPECT_EQ(window._curr_msg_cnt->text(), "1 / 2 ");
}

// The visitor details mail window tries every recipient: one refusal does not keep the pass
// from the others. The result says in plain lines what went and what did not, names at most
// three refusals and counts the rest, and gives the network checklist only when nothing went.
TEST(Mail, VisitorDetailsGoToEveryRecipientAndNameEachRefusal)
{
    REQUIRE_PYTHON(python);
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    QTemporaryDir dir;
    const QString pass = passFile(dir);
    ASSERT_FALSE(pass.isEmpty());
    QStringList many;
    for (int i = 1; i <= 8; ++i)
        many << QStringLiteral("n%1@refused.example").arg(i);
    const struct {
        const char *fail;
        QString to;
        int mails;
        QString result;
    } cases[] = {
        {"b@example.org", "a@example.org, b@example.org, c@example.org", 2,
         "Sent 2 of 3 e-mails.\nNot sent to b@example.org: the server refused this address (550)."},
        {"*@refused.example", many.join(", "), 0,
         "Could not send email message.\nSent 0 of 8 e-mails.\n"
         "Not sent to n1@refused.example: the server refused this address (550).\n"
         "Not sent to n2@refused.example: the server refused this address (550).\n"
         "Not sent to n3@refused.example: the server refused this address (550).\n\u2026 and 5 more.\n" +
             Mail_Not_Sent_Text},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.fail);
        Server server({"--fail", c.fail});
        ASSERT_TRUE(flushPreferences({"", "me@example.org", "pw", "127.0.0.1", server.port, false}));
        Direct_Mail window;
        window.Prepare(pass);
        window.to_txt->setText(c.to);
        ui->clear();
        window.Send_Button();
        window.waitForRun();
        EXPECT_EQ(ui->messages().join("").trimmed().toStdString(), c.result.toStdString());
        EXPECT_EQ(server.count(), c.mails);
    }
}

// While a delayed mailing pauses, the countdown shows on the progress sheet that covers the
// window; every mail leaves a "mailing <address>" line.
TEST(Mail, ThePauseCountsDownOnTheProgressSheet)
{
    REQUIRE_PYTHON(python);
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    Server server;
    ASSERT_TRUE(flushPreferences({"", "me@example.org", "pw", "127.0.0.1", server.port, false}));
    static QStringList lines;
    lines.clear();
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) {
        if (text.startsWith("mailing "))
            lines << text;
    });
    Card card;
    // Stop pressed during the pause and its question left open: the run waits before the next
    // mail; No goes on, Yes ends it; the outcome is told after the answer, never over it.
    const struct {
        int stop;  // 0: not pressed; 'N', 'Y': the answer
        int mails;
        const char *outcome;
    } cases[] = {{0, 2, "E-mail has been sent successfully."},
                 {'N', 2, "E-mail has been sent successfully."},
                 {'Y', 1, "Sent 1 of 2 e-mails."}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stop);
        ui->clear();
        lines.clear();
        const int before = server.count();
        Send_Mail window;
        window.show();
        window.Open_Wnd(card.design, true, false);
        window.to_txt->setPlainText("a@example.org, b@example.org");
        window.delayed_delv_chk->setChecked(true);
        window.mail_count_txt->setValue(1);
        window.sec_txt->setValue(c.stop ? 1 : 3);
        window.Send_Button();
        auto *sheet = window.findChild<Send_Modeless *>();
        ASSERT_NE(sheet, nullptr);
        QString countdown;
        QElapsedTimer clock;
        clock.start();
        while (window.running() && countdown.isEmpty() && clock.elapsed() < 20000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            countdown = sheet->pause_label->text();
        }
        std::optional<int> whileAsked;
        bool toldOverQuestion = false;
        ui->onRequest = [&](const platform::ScriptedUiServices::Request &r) {
            if (r.kind != "yesNo" || whileAsked)
                return;
            EXPECT_TRUE(QTest::qWaitFor([&] { return window.lastRun()->hold->held() || server.count() > before + 1; }, 10000));
            whileAsked = server.count() - before;
            toldOverQuestion = ui->messages().size() > 1;
        };
        if (c.stop) {
            ui->push(c.stop == 'Y');
            ASSERT_TRUE(testsupport::press(sheet->_stop_btn));
            EXPECT_EQ(whileAsked, 1) << "no mail after the one sent while asked";
            EXPECT_FALSE(toldOverQuestion);
        }
        window.waitForRun();
        ASSERT_TRUE(QTest::qWaitFor([&] { return ui->messages().size() == (c.stop ? 2 : 1); }, 10000));
        ui->onRequest = nullptr;
        EXPECT_TRUE(countdown.startsWith("Pausing the process for ")) << countdown.toStdString();
        EXPECT_TRUE(sheet->pause_label->text().isEmpty());
        EXPECT_EQ(server.count() - before, c.mails);
        EXPECT_TRUE(ui->messages().back().contains(c.outcome)) << ui->messages().back().toStdString();
        EXPECT_FALSE(sheet->isVisible());
        EXPECT_EQ(lines, QStringList({"mailing a@example.org", "mailing b@example.org"}).mid(0, c.mails));
    }
    qInstallMessageHandler(previous);
}

// A failed test mail shows its reason in full without the settings window changing its size,
// and the attempt leaves its "mailing" line too. The status line tells the last attempt's outcome
// only: a refused attempt after a sent one no longer reads as sent, and it puts the cursor in the
// field it names.
TEST(Mail, AFailedTestKeepsTheSettingsWindowsSize)
{
    REQUIRE_PYTHON(python);
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    Server server;
    static QStringList lines;
    lines.clear();
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) {
        if (text.startsWith("mailing "))
            lines << text;
    });
    Email_Setting settings;
    settings.show();
    QCoreApplication::processEvents();
    const QSize before = settings.size();
    settings._send_mail_sender_mail->setText("me@example.org");
    settings._send_mail_smtp->setText("127.0.0.1");
    settings._send_mail_to->setText("you@example.org");
    const struct {
        QString port;  // "1": nothing listens there
        const char *password, *status;
        QLineEdit *focused = nullptr;  // the field a refusal names; typed last is the port
    } attempts[] = {{server.port, "pw", "E-mail has been sent successfully."},
                    {server.port, "", "Please enter password.", settings._send_mail_password},
                    {"1", "pw", "the server refused the connection"}};
    for (const auto &a : attempts) {
        SCOPED_TRACE(a.status);
        ui->clear();
        testsupport::typeInto(settings._send_mail_password, QString::fromLatin1(a.password),
                              *a.password ? Qt::Key_unknown : Qt::Key_Backspace);
        testsupport::typeInto(settings._send_mail_port, a.port, Qt::Key_unknown);
        for (QPushButton *b : settings.findChildren<QPushButton *>())
            if (b->text() == QLatin1String("Send Test Mail"))
                testsupport::press(b);
        QCoreApplication::processEvents();
        ASSERT_EQ(ui->messages().size(), 1);
        EXPECT_TRUE(ui->messages()[0].contains(QLatin1String(a.status))) << ui->messages()[0].toStdString();
        // The whole message is there to read: the label is as tall as its text needs.
        QLabel *status = settings._send_mail_result_status;
        EXPECT_EQ(status->text(), ui->messages()[0]);
        EXPECT_GE(status->height(), status->heightForWidth(status->width()));
        EXPECT_EQ(settings.size(), before);
        if (a.focused) {
            QWidget *focus = settings.focusWidget();
            EXPECT_EQ(focus, a.focused) << "focused: " << (focus ? focus->objectName().toStdString() : "nothing");
        }
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(ui->messages()[0].contains("Could not send email.")) << ui->messages()[0].toStdString();
    EXPECT_EQ(lines, QStringList({"mailing you@example.org", "mailing you@example.org"}));
}

// The data boxes set the count of cards; From and To never pass it while a box is ticked, and
// with none ticked the count is open up to 999999.
TEST(Mail, DataBoxesRecountTheCardsAndCapTheRange)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    Card card;
    card.design.source = Check_Series_Or_Excel_Use_or_not(card.design.front.list(), {}, true,
                                                          {{"1", "Ann"}, {"2", "Bo"}, {"3", "Cy"}, {"4", "Di"}, {"5", "Ed"}});
    Send_Mail window;
    window.Open_Wnd(card.design, true, false);
    window.show();
    EXPECT_FALSE(window.send_with_batch_chk->isEnabled()) << "nothing bound to a series";
    ASSERT_TRUE(window.send_with_excel_chk->isEnabled());
    EXPECT_EQ(window.Total_Text->maximum(), 999999);

    testsupport::press(window.send_with_excel_chk);
    EXPECT_TRUE(window.export_range_box->isEnabled());
    // "All records" mails them all: no count is offered to be typed.
    EXPECT_EQ(testsupport::unreachable(window.Total_Text), "it is hidden");
    const struct {
        QSpinBox *field;
        const char *typed;  // key by key: "10" passes the 5 cards at its second key
        int shown;
    } cases[] = {{window.To_Text, "10", 5}, {window.from_Text, "16", 5}, {window.To_Text, "3", 3}};
    EXPECT_EQ(window.To_Text->value(), 5);
    testsupport::press(window.Sel_print_rd);
    for (const auto &c : cases) {
        testsupport::typeInto(c.field, QString::fromLatin1(c.typed), Qt::Key_unknown);
        EXPECT_EQ(c.field->text(), QString::number(c.shown)) << c.field->objectName().toStdString() << " " << c.typed;
    }
    testsupport::press(window.send_with_excel_chk);
    EXPECT_FALSE(window.export_range_box->isEnabled());
    EXPECT_EQ(window.Total_Text->value(), 1) << "no data: one card";
    EXPECT_EQ(window.Total_Text->maximum(), 999999);
}

TEST(Mail, RecipientListsAndPauseTexts)
{
    struct Case { QString in, out; };
    for (const Case &c : {Case{" A@B.com , c@d.org,", "a@b.com|c@d.org"}, Case{"a@b.com, bad@x", "Recipient E-mail address is invalid or incomplete.\nbad@x"},
                          Case{"a@b.com\r\nbcc: x@y.com", "Recipient E-mail address is invalid or incomplete.\na@b.com\r\nbcc: x@y.com"},
                          Case{" ", "Please specify the Recipient E-mail address."}}) {
        QString error;
        const QStringList got = Parse_Recipients(c.in, &error);
        EXPECT_EQ(got.isEmpty() ? error : got.join('|'), c.out);
    }
    EXPECT_EQ(Calculate_Pause_Time(10000), "Pausing the process for 10 Seconds.");
    EXPECT_EQ(Calculate_Pause_Time(7322000), "Pausing the process for 2 Hours 2 Minutes 2 Seconds.");
}

TEST(Mail, SettingsFileIsPrivateAndWrittenOnlyOnSave)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("com.velkcardmail.plist");
    Preferences missing(path);
    EXPECT_FALSE(QFile::exists(path));
    QFile garbage(path);
    garbage.open(QIODevice::WriteOnly) && garbage.write("not a plist");
    garbage.close();
    EXPECT_EQ(Preferences(path).send_email_Password(), QString());
    EXPECT_EQ(garbage.open(QIODevice::ReadOnly) ? garbage.readAll() : QByteArray(), "not a plist");
    garbage.close();
    ASSERT_TRUE(flushPreferences({"to@x.org", "Me@X.org", QStringLiteral("pä"), "smtp.x.org", "587", true}, nullptr, path));
    namespace fs = std::filesystem;
    EXPECT_EQ(fs::status(path.toStdString()).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    const MailAccount a = Get_Email_Details(Preferences(path));
    EXPECT_EQ(QStringList({a.sender_email, a.sender_pwd, a.sending_port, a.send_enable_ssl}), QStringList({"Me@X.org", QStringLiteral("pä"), "587", "Y"}));
    // The account is saved in the data folder the program was set up with, not one shared with
    // every other program of the user.
    testsupport::TempDataFolder data;
    ASSERT_TRUE(flushPreferences({"", "me@example.org", "pw", "127.0.0.1", "2525", false}));
    EXPECT_EQ(Get_Email_Details(Preferences(QDir(data.dataPath()).filePath("com.velkcardmail.plist"))).sending_port, "2525");
}


// Saving the settings onto a full disk keeps the old file whole and says why in the window;
// a save that lands leaves the file readable by its owner alone, a first one too.
TEST(Mail, AFullDiskKeepsTheOldSettingsAndSaysWhy)
{
    namespace fs = std::filesystem;
    const qint64 rooms[] = {0, 100};  // no room at all; cut short in the middle of the file
    for (const qint64 room : rooms) {
        SCOPED_TRACE(room);
        testsupport::TempDataFolder data;
        platform::ScopedScriptedUi ui;
        const QString path = Mail_Settings_Path();
        ASSERT_TRUE(flushPreferences({"", "old@example.org", "old secret", "smtp.old.org", "25", false}));
        const QByteArray old = testsupport::fileBytes(path);
        ASSERT_FALSE(old.isEmpty());
        const QDir folder(QFileInfo(path).absolutePath());
        const QStringList filesBefore = folder.entryList(QDir::Files);  // what other tests left there is not ours
        EXPECT_EQ(fs::status(path.toStdString()).permissions(), fs::perms::owner_read | fs::perms::owner_write);

        Email_Setting window;
        window._send_mail_sender_mail->setText("new@example.org");
        window._send_mail_password->setText("new secret");
        window._send_mail_smtp->setText("smtp.new.org");
        window._send_mail_port->setText("587");
        platform::setDiskRoomForTests(room);
        window.Save_Button();
        platform::setDiskRoomForTests(std::nullopt);
        EXPECT_EQ(ui->messages(),
                  QStringList{QStringLiteral("The mail settings could not be saved to %1. (No space left on device)").arg(path)});
        EXPECT_NE(window.result(), 1) << "the window closed as if saved";
        EXPECT_EQ(testsupport::fileBytes(path), old);
        EXPECT_EQ(folder.entryList(QDir::Files), filesBefore) << "a half-written file was left beside the settings";

        window.Save_Button();  // room again
        EXPECT_EQ(window.result(), 1);
        EXPECT_EQ(Get_Email_Details(Preferences(path)).sender_pwd, "new secret");
        EXPECT_EQ(fs::status(path.toStdString()).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    }
    // On a real full disk the system's own reason is said.
    const std::optional<QByteArray> answer = testsupport::onFullDisk(
        [](const QString &folder) {
            flushPreferences({"", "old@example.org", "old secret", "smtp.old.org", "25", false}, nullptr,
                             folder + "/mail.plist");
        },
        0,
        [](const QString &folder) {
            QString error;
            const bool saved =
                flushPreferences({"", "new@example.org", "new secret", "smtp.new.org", "587", false}, &error, folder + "/mail.plist");
            return QByteArray(saved ? "saved|" : "refused|") + error.toUtf8() + '|' +
                   Get_Email_Details(Preferences(folder + "/mail.plist")).sender_pwd.toUtf8();
        });
    if (!answer)
        GTEST_SKIP() << "this machine does not let a test mount a tmpfs; the injected cases ran";
    EXPECT_TRUE(answer->startsWith("refused|The mail settings could not be saved to ")) << answer->constData();
    EXPECT_TRUE(answer->endsWith(". (No space left on device)|old secret")) << answer->constData();
}
}  // namespace

// Every field of the mail settings window belongs to the window, the hidden ones included: a
// field nobody owns outlives the window (and the leak checker fails the run).
TEST(Mail, EveryMailSettingsFieldBelongsToTheWindow)
{
    for (const char *name : {"_send_mail_sender_mail", "_send_mail_password", "_send_mail_smtp", "_send_mail_port",
                             "_send_mail_ssl", "_send_mail_tls", "_send_mail_to", "_send_mail_test_mail",
                             "_send_mail_result_status"}) {
        SCOPED_TRACE(name);
        Email_Setting window;
        QPointer<QWidget> field = window.findChild<QWidget *>(QString::fromLatin1(name));
        ASSERT_NE(field, nullptr) << "the field is not among the window's own";
        EXPECT_EQ(field->window(), &window);
    }
}
