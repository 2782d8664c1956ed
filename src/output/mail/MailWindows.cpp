#include "output/mail/MailWindows.h"
#include "canvas/WidgetUtilities.h"

#include "core/SKTGraphic.h"
#include "data/export/ExportDialogs.h"
#include "platform/UiServices.h"

#include <QScrollArea>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFormLayout>
#include <QVBoxLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QButtonGroup>
#include <QRadioButton>
#include <QSpinBox>
#include <QThread>
#include <QPointer>
#include <QTimer>
#include <thread>

namespace {

template <class W>
W *named(QWidget *parent, const char *name, W *w)
{
    w->setObjectName(QString::fromLatin1(name));
    // Owned by the window from the start: a field no layout takes (a hidden one) would
    // otherwise outlive it.
    if (!w->parentWidget())
        w->setParent(parent);
    return w;
}

template <class Owner, class Slot>
QPushButton *button(Owner *owner, const QString &title, QLayout *layout, Slot slot)
{
    auto *b = new QPushButton(title, owner);
    layout->addWidget(b);
    QObject::connect(b, &QPushButton::clicked, owner, slot);
    return b;
}

QSpinBox *spin(const char *name, int min, int max, QSpinBox *s = Whole_Number_Field())
{
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(min, max);
    return s;
}

void tint(QWidget *w)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, QColor::fromRgbF(241 / 255.0, 244 / 255.0, 250 / 255.0));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// The attachment's Clear has something to do only in a plain message with a file attached.
void followAttachment(const QLineEdit *attachment, QPushButton *clear)
{
    const bool any = attachment->isEnabled() && !attachment->text().isEmpty();
    clear->setEnabled(any);
    clear->setToolTip(!attachment->isEnabled() ? QCoreApplication::translate("Send_Mail", "A card mail carries the card, not a file")
                      : any                   ? QCoreApplication::translate("Send_Mail", "Takes the attached file off the message")
                                              : QCoreApplication::translate("Send_Mail", "No file is attached"));
}

}  // namespace

// --- settings window --------------------------------------------------------------------------

Email_Setting::Email_Setting(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Email_Setting"));
    setWindowTitle(tr("E-mail Settings"));
    tint(this);
    auto *form = new QFormLayout(this);
    form->addRow(tr("Sender:"), _send_mail_sender_mail = named(this, "_send_mail_sender_mail", new QLineEdit));
    form->addRow(tr("Password:"), _send_mail_password = named(this, "_send_mail_password", new QLineEdit));
    _send_mail_password->setEchoMode(QLineEdit::Password);
    form->addRow(tr("SMTP server:"), _send_mail_smtp = named(this, "_send_mail_smtp", new QLineEdit));
    form->addRow(tr("Port:"), _send_mail_port = named(this, "_send_mail_port", new QLineEdit));
    auto *security = new QHBoxLayout;
    security->addWidget(_send_mail_ssl = named(this, "_send_mail_ssl", new QRadioButton(tr("SSL"))));
    security->addWidget(_send_mail_tls = named(this, "_send_mail_tls", new QRadioButton(tr("TLS"))));
    form->addRow(tr("Security:"), security);
    form->addRow(tr("Test recipient:"), _send_mail_to = named(this, "_send_mail_to", new QLineEdit));
    _send_mail_test_mail = named(this, "_send_mail_test_mail", new QLineEdit);
    _send_mail_test_mail->hide();
    // The result of a test shows in a box of its own height, scrolled when long: the window
    // keeps its size and the whole message stays readable.
    _send_mail_result_status = named(this, "_send_mail_result_status", new QLabel);
    _send_mail_result_status->setWordWrap(true);
    _send_mail_result_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    _send_mail_result_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *status = named(this, "_send_mail_result_area", new QScrollArea);
    status->setWidgetResizable(true);
    status->setFrameShape(QFrame::NoFrame);
    status->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    status->setWidget(_send_mail_result_status);
    status->setFixedHeight(fontMetrics().lineSpacing() * 4 + 4);
    form->addRow(status);
    auto *buttons = new QHBoxLayout;
    button(this, tr("Reset"), buttons, &Email_Setting::Reset_Button);
    button(this, tr("Send Test Mail"), buttons, &Email_Setting::Send_Test_Email);
    button(this, tr("Close"), buttons, &Email_Setting::Close_Button);
    button(this, tr("Save"), buttons, &Email_Setting::Save_Button)->setDefault(true);
    form->addRow(buttons);
}

int Email_Setting::Open_Wnd()
{
    loadPreferences();
    return platform::ui().runModal(objectName(), QString(), [this] { return exec(); });
}

void Email_Setting::loadPreferences()
{
    const Preferences p;
    _send_mail_to->setText(p.send_email_Recipient());
    _send_mail_sender_mail->setText(p.send_email_SenderEmail());
    _send_mail_password->setText(p.send_email_Password());
    _send_mail_smtp->setText(p.send_email_SMTP_server());
    _send_mail_port->setText(p.send_email_PORT_num());
    (p.send_email_enable_ssl() == QLatin1String("Y") ? _send_mail_ssl : _send_mail_tls)->setChecked(true);
}

MailSettingsFields Email_Setting::fields() const
{
    return {_send_mail_to->text(),         _send_mail_sender_mail->text(), _send_mail_password->text(),
            _send_mail_smtp->text(),       _send_mail_port->text(),        _send_mail_ssl->isChecked() && !_send_mail_tls->isChecked()};
}

void Email_Setting::Save_Button()
{
    const FieldProblem problem = Check_Validation(fields(), false);
    if (!problem.message.isEmpty()) {
        platform::ui().message(problem.message);
        if (auto *w = findChild<QWidget *>(problem.field))
            w->setFocus();
        return;
    }
    QString error;
    if (!flushPreferences(fields(), &error)) {
        platform::ui().message(error);
        return;
    }
    done(1);
}

void Email_Setting::Close_Button() { done(0); }

void Email_Setting::Send_Test_Email()
{
    const MailSettingsFields f = fields();
    const FieldProblem problem = Check_Validation(f, true);
    if (!problem.message.isEmpty()) {
        // The status line tells this attempt's outcome: an earlier "sent" must not stand beside it.
        _send_mail_result_status->setText(problem.message);
        platform::ui().message(problem.message);
        if (auto *w = findChild<QWidget *>(problem.field))
            w->setFocus();
        return;
    }
    _send_mail_result_status->setText(tr("It may take a while, Please wait..."));
    setEnabled(false);
    const MailMessage m{f.recipient.toLower(), App_Name + QStringLiteral(" Test Mail"), {}, f.sender.toLower(),
                        f.password, f.server, f.port, QStringLiteral("This is test mail sent by ") + App_Name + QStringLiteral("."),
                        f.ssl ? QStringLiteral("Y") : QStringLiteral("N")};
    // The script runs beside the event loop, so the window keeps painting while it waits.
    MailResult result;
    QEventLoop loop;
    QThread *thread = QThread::create([&] { result = sendEmail_pyth(m); });
    connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec();
    thread->wait();
    delete thread;
    setEnabled(true);
    const QString text = result.sent ? QStringLiteral("E-mail has been sent successfully.")
                                     : Mail_Not_Sent_Text + QStringLiteral("\n\nCould not send email.\n") + result.reason;
    _send_mail_result_status->setText(text);
    platform::ui().message(text);
}

void Email_Setting::Reset_Button()
{
    if (!platform::ui().yesNo(tr("Are you sure you want to reset current email settings?")))
        return;
    QFile::remove(Mail_Settings_Path());
    for (QLineEdit *e : {_send_mail_to, _send_mail_sender_mail, _send_mail_smtp, _send_mail_port, _send_mail_password,
                         _send_mail_test_mail})
        e->clear();
    _send_mail_tls->setChecked(true);
}

// --- card mail window -------------------------------------------------------------------------

Send_Mail::Send_Mail(QWidget *parent) : QDialog(parent), m_progress(new Send_Modeless(this))
{
    setObjectName(QStringLiteral("Send_Mail"));
    setWindowTitle(tr("Mail ID Card"));
    tint(this);
    // The fields scroll on a small screen; Send and Close stay in view below them.
    auto *outer = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    outer->addWidget(Scrolling_Panel(form, {760, 600}, "Send_Mail_fields"), 1);
    form->addRow(tr("From:"), from_txt = named(this, "from_txt", new QLineEdit));
    form->addRow(tr("To:"), to_txt = named(this, "to_txt", new QPlainTextEdit));
    to_txt->setPlaceholderText(tr("Addresses separated by \",\""));
    form->addRow(tr("Subject:"), subject_txt = named(this, "subject_txt", new QLineEdit));
    form->addRow(tr("Message:"), message_txt = named(this, "message_txt", new QPlainTextEdit));
    auto *kind = new QHBoxLayout;
    kind->addWidget(rd_mail_curr_barcode = named(this, "rd_mail_curr_barcode", new QRadioButton(tr("Mail the card"))));
    kind->addWidget(rd_without_barcode = named(this, "rd_without_barcode", new QRadioButton(tr("Plain message"))));
    form->addRow(kind);
    auto *att = new QHBoxLayout;
    att->addWidget(attachment = named(this, "attachment", new QLineEdit));
    browse_att = button(this, tr("Browse"), att, [this] {
        const QString path = platform::ui().openFile(tr("Attachment"), QDir::homePath(), {});
        if (!path.isEmpty())
            attachment->setText(path);
    });
    browse_att->setObjectName(QStringLiteral("browse_att"));
    clear_att = button(this, tr("Clear"), att, [this] { attachment->clear(); });
    clear_att->setObjectName(QStringLiteral("clear_att"));
    connect(attachment, &QLineEdit::textChanged, this, [this] { followAttachment(attachment, clear_att); });
    followAttachment(attachment, clear_att);
    form->addRow(tr("Attachment:"), att);

    send_sett_box = named(this, "send_sett_box", new QGroupBox(tr("Card")));
    auto *card = new QFormLayout(send_sett_box);
    auto *sides = new QHBoxLayout;
    sides->addWidget(side_both = named(this, "side_both", new QRadioButton(tr("Both sides"))));
    sides->addWidget(side_front = named(this, "side_front", new QRadioButton(tr("Front"))));
    sides->addWidget(side_back = named(this, "side_back", new QRadioButton(tr("Back"))));
    card->addRow(tr("Sides:"), sides);
    card->addRow(tr("File name:"), file_name_txt = named(this, "file_name_txt", new QLineEdit));
    auto *mirror = new QHBoxLayout;
    mirror->addWidget(mirror_chk_box = named(this, "mirror_chk_box", new QCheckBox(tr("Mirror"))));
    mirror->addWidget(mirror_horizontal = named(this, "mirror_horizontal", new QRadioButton(tr("Horizontal"))));
    mirror->addWidget(mirror_vertical = named(this, "mirror_vertical", new QRadioButton(tr("Vertical"))));
    card->addRow(mirror);
    auto *sources = new QHBoxLayout;
    sources->addWidget(send_with_batch_chk = named(this, "send_with_batch_chk", new QCheckBox(tr("Series"))));
    sources->addWidget(send_with_excel_chk = named(this, "send_with_excel_chk", new QCheckBox(tr("Spreadsheet"))));
    card->addRow(tr("Data:"), sources);
    export_range_box = named(this, "export_range_box", new QGroupBox(tr("Records")));
    auto *range = new QFormLayout(export_range_box);
    range->addRow(rd_all_to_every = named(this, "rd_all_to_every", new QRadioButton(tr("All records to every recipient"))));
    range->addRow(rd_one_per_recp = named(this, "rd_one_per_recp", new QRadioButton(tr("One record per recipient"))));
    range->addRow(Sel_print_rd = named(this, "Sel_print_rd", new QRadioButton(tr("Records from .. to, to every recipient"))));
    range->addRow(tr("Total:"), Total_Text = spin("Total_Text", 1, 999999, Count_Field()));
    range->addRow(tr("From:"), from_Text = spin("from_Text", 1, 999999, Count_Field()));
    range->addRow(tr("To:"), To_Text = spin("To_Text", 1, 999999, Count_Field()));
    // "All records" mails every record whatever a count would say, so no count is shown to be typed.
    range->setRowVisible(Total_Text, false);
    card->addRow(export_range_box);
    form->addRow(send_sett_box);

    form->addRow(delayed_delv_chk = named(this, "delayed_delv_chk", new QCheckBox(tr("Delayed delivery"))));
    delayed_box = named(this, "delayed_box", new QGroupBox);
    auto *delay = new QHBoxLayout(delayed_box);
    delay->addWidget(new QLabel(tr("Pause after")));
    delay->addWidget(mail_count_txt = spin("mail_count_txt", 0, 9999));
    delay->addWidget(new QLabel(tr("mails for")));
    delay->addWidget(hour_txt = spin("hour_txt", 0, 23));
    delay->addWidget(min_text = spin("min_text", 0, 59));
    delay->addWidget(sec_txt = spin("sec_txt", 0, 59));
    form->addRow(delayed_box);
    form->addRow(pause_label = named(this, "pause_label", new QLabel));
    auto *buttons = new QHBoxLayout;
    button(this, tr("Settings"), buttons, &Send_Mail::Setting_Button);
    button(this, tr("Close"), buttons, &Send_Mail::Close_Button);
    button(this, tr("Send"), buttons, &Send_Mail::Send_Button)->setDefault(true);
    outer->addLayout(buttons);

    connect(rd_mail_curr_barcode, &QRadioButton::toggled, this, [this](bool on) {
        send_sett_box->setEnabled(on);
        // The attachment and its buttons belong to a plain message.
        for (QWidget *w : {static_cast<QWidget *>(attachment), static_cast<QWidget *>(browse_att), static_cast<QWidget *>(clear_att)})
            w->setEnabled(!on);
        followAttachment(attachment, clear_att);
        Set_Enable_Diable_Range_Box();
    });
    connect(mirror_chk_box, &QCheckBox::toggled, this, [this](bool on) {
        mirror_horizontal->setEnabled(on);
        mirror_vertical->setEnabled(on);
    });
    connect(delayed_delv_chk, &QCheckBox::toggled, delayed_box, &QWidget::setEnabled);
    connect(send_with_batch_chk, &QCheckBox::clicked, this, &Send_Mail::send_with_batch_chk_select);
    connect(send_with_excel_chk, &QCheckBox::clicked, this, &Send_Mail::send_with_excel_chk_select);
    // From and To never reach past the run's cards, whatever is typed.
    for (QSpinBox *field : {from_Text, To_Text}) {
        connect(field, &QSpinBox::valueChanged, this, [this, field](int value) {
            if (value > tickedCardCount() && (send_with_batch_chk->isChecked() || send_with_excel_chk->isChecked()))
                field->setValue(tickedCardCount());
        });
    }
    for (QRadioButton *r : {rd_all_to_every, rd_one_per_recp, Sel_print_rd})
        connect(r, &QRadioButton::toggled, this, &Send_Mail::Set_Enable_Diable_Range_Box);
    // Radio buttons without a group exclude every radio button below their parent, so choosing
    // "Mail the card" cleared the side and the mirror way: each choice gets a group of its own.
    for (const auto &choice : {QList<QAbstractButton *>{rd_mail_curr_barcode, rd_without_barcode},
                               QList<QAbstractButton *>{side_both, side_front, side_back},
                               QList<QAbstractButton *>{mirror_horizontal, mirror_vertical},
                               QList<QAbstractButton *>{rd_all_to_every, rd_one_per_recp, Sel_print_rd}}) {
        auto *group = new QButtonGroup(this);
        for (QAbstractButton *b : choice)
            group->addButton(b);
    }
    Fit_Window_To_Screen(this, {560, 660});
}

Send_Mail::~Send_Mail()
{
    if (m_run)
        m_run->Stop();
    // Events are let through only while a run still has to end: a window going with its parent
    // must not deliver events to widgets already half gone.
    if (m_thread)
        waitForRun();
}

void Send_Mail::waitForRun()
{
    while (m_thread && !m_thread->wait(20))
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

int Send_Mail::Open_Wnd(BatchDesign design, bool twoSided, bool visitorMode)
{
    if (!visitorMode && !Series_Refusal_Allows_Run(design.source))
        return 0;
    m_design = std::move(design);
    account = Get_Email_Details();
    mirror_chk_box->setChecked(false);
    mirror_horizontal->setChecked(true);
    mirror_horizontal->setEnabled(false), mirror_vertical->setEnabled(false);
    (twoSided ? side_both : side_front)->setChecked(true);
    side_both->setEnabled(twoSided), side_back->setEnabled(twoSided);
    rd_all_to_every->setChecked(true);
    from_txt->setText(account.sender_email);
    to_txt->clear(), subject_txt->clear(), message_txt->clear(), attachment->clear();
    rd_mail_curr_barcode->setChecked(true);
    file_name_txt->setText(QStringLiteral("VELKBADGER"));
    send_with_batch_chk->setChecked(false), send_with_excel_chk->setChecked(false);
    send_with_batch_chk->setEnabled(!visitorMode && m_design.source.Use_Data_Sheet_Values);
    send_with_excel_chk->setEnabled(!visitorMode && m_design.source.Use_Excel_Binding_Values);
    from_Text->setValue(1);
    Set_Tot_Value(m_design.source.Total_Batch_Excel_Card, 999999, QStringLiteral("A"));
    delayed_delv_chk->setChecked(false), delayed_box->setEnabled(false);
    mail_count_txt->setValue(1), hour_txt->setValue(0), min_text->setValue(0), sec_txt->setValue(0);
    attachment->setEnabled(false), browse_att->setEnabled(false), clear_att->setEnabled(false);
    Set_Enable_Diable_Range_Box();
    return platform::ui().runModal(objectName(), QString(), [this] { return exec(); });
}

void Send_Mail::Set_Enable_Diable_Range_Box()
{
    const bool data = send_with_batch_chk->isChecked() || send_with_excel_chk->isChecked();
    export_range_box->setEnabled(data);
    Total_Text->setEnabled(rd_all_to_every->isChecked());
    from_Text->setEnabled(Sel_print_rd->isChecked()), To_Text->setEnabled(Sel_print_rd->isChecked());
}

int Send_Mail::tickedCardCount() const
{
    BatchSource source = m_design.source;
    source.Use_Data_Sheet_Values = send_with_batch_chk->isChecked() && m_design.source.Use_Data_Sheet_Values;
    source.Use_Excel_Binding_Values = send_with_excel_chk->isChecked() && m_design.source.Use_Excel_Binding_Values;
    source.Get_total_Card_count();
    return source.Total_Batch_Excel_Card;
}

void Send_Mail::send_with_batch_chk_select()
{
    const int total = tickedCardCount();
    Set_Tot_Value(total, total, QStringLiteral("A"));
    Set_Enable_Diable_Range_Box();
}

void Send_Mail::send_with_excel_chk_select() { send_with_batch_chk_select(); }

void Send_Mail::Set_Tot_Value(int value, int maximum, const QString &setFor)
{
    if (value == 0)
        value = 1;
    if (!send_with_batch_chk->isChecked() && !send_with_excel_chk->isChecked()) {
        maximum = 999999;
        value = std::min(value, maximum);
    }
    for (QSpinBox *field : {Total_Text, from_Text, To_Text})
        field->setMaximum(std::max(1, maximum));
    if (setFor == QLatin1String("TOT") || setFor == QLatin1String("A"))
        Total_Text->setValue(value);
    if (setFor == QLatin1String("TO") || setFor == QLatin1String("A"))
        To_Text->setValue(value);
}

CardMailChoice Send_Mail::choice() const
{
    CardMailChoice c;
    const bool data = send_with_batch_chk->isChecked() || send_with_excel_chk->isChecked();
    c.mode = rd_without_barcode->isChecked() ? MailMode::Plain
             : !data                         ? MailMode::CurrentCard
             : rd_one_per_recp->isChecked()  ? MailMode::OnePerRecipient
             : Sel_print_rd->isChecked()     ? MailMode::Range
                                             : MailMode::AllToEvery;
    c.sender = from_txt->text(), c.recipients = to_txt->toPlainText();
    c.subject = subject_txt->text(), c.body = message_txt->toPlainText();
    c.attachment = attachment->text(), c.fileName = file_name_txt->text();
    c.card_side_str = side_both->isChecked() ? QStringLiteral("BOTH") : side_front->isChecked() ? QStringLiteral("F") : QStringLiteral("B");
    c.mirror = mirror_chk_box->isChecked() ? (mirror_vertical->isChecked() ? 1 : 0) : -1;
    c.from = from_Text->value(), c.to = To_Text->value();
    if (delayed_delv_chk->isChecked()) {
        c.mailsPerBlock = mail_count_txt->value();
        c.pauseMs = (qint64(hour_txt->value()) * 3600 + min_text->value() * 60 + sec_txt->value()) * 1000;
    }
    return c;
}

void Send_Mail::Send_Button()
{
    if (running())
        return;
    BatchDesign design = m_design;
    design.source.Use_Data_Sheet_Values = send_with_batch_chk->isChecked() && design.source.Use_Data_Sheet_Values;
    design.source.Use_Excel_Binding_Values = send_with_excel_chk->isChecked() && design.source.Use_Excel_Binding_Values;
    design.source.Get_total_Card_count();
    CardMailChoice c = choice();
    m_run = std::make_unique<CardMailRun>(std::move(design), c, account);
    if (const QString refusal = m_run->Check(); !refusal.isEmpty()) {
        platform::ui().message(refusal);
        return;
    }
    CardMailRun *run = m_run.get();
    m_progress->onStop = [run] { run->Stop(); };
    m_progress->hold = run->hold;
    m_progress->Show_One_By_One_Modeless(run->show_count, [run] { return run->curr_card_count.load(); });
    auto *pauses = new QTimer(this);
    // The countdown shows on the progress sheet, which covers the window meanwhile.
    connect(pauses, &QTimer::timeout, this, [this, run] {
        pause_label->setText(run->pauseText());
        m_progress->pause_label->setText(run->pauseText());
    });
    pauses->start(500);
    m_thread = QThread::create([run] { run->Send_Mail_Thread(); });
    connect(m_thread, &QThread::finished, this, [this, run, pauses] {
        pauses->deleteLater();
        pause_label->clear();
        m_progress->pause_label->clear();
        m_thread->deleteLater();
        m_thread = nullptr;
        // A run that ended while the stop question is open reports after the answer.
        run->hold->afterAnswer([window = QPointer<Send_Mail>(this), run] {
            if (!window || window->m_run.get() != run)
                return;
            window->m_progress->Hide_One_By_One_Modeless();
            platform::ui().message(run->Final_Message());
        });
    });
    m_thread->start();
}

void Send_Mail::Close_Button() { done(0); }

void Send_Mail::Setting_Button()
{
    Email_Setting settings(this);
    settings.Open_Wnd();
    account = Get_Email_Details();
    from_txt->setText(account.sender_email);
}

QString Direct_Send_Mail(const QString &sender, const QString &recipients, const QString &file_path,
                         const MailAccount &account, const QString &appName, std::atomic<bool> *stop,
                         DirectMailProgress *progress)
{
    if (file_path.trimmed().isEmpty())
        return QStringLiteral("There is no visitor pass to attach.");
    CardMailChoice c;
    c.mode = MailMode::Plain;
    c.sender = sender, c.recipients = recipients, c.attachment = file_path;
    c.subject = QStringLiteral("Visitor Details");
    c.everyRecipient = true;  // one refusal does not keep the pass from the others
    c.body = QStringLiteral("Visitor Details sent by ") + appName + QStringLiteral(".");
    CardMailRun run(BatchDesign{}, c, account);
    if (const QString refusal = run.Check(); !refusal.isEmpty())
        return refusal;
    if (progress) {
        progress->total = run.show_count;
        run.hold = progress->hold;
    }
    run.stopAskedElsewhere = stop;
    std::atomic<bool> done{false};
    std::thread relay;
    if (stop || progress)
        relay = std::thread([&] {
            while (!done && !(stop && *stop)) {
                if (progress)
                    progress->started = run.curr_card_count.load();
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
            if (stop && *stop)
                run.Stop();
        });
    run.Send_Mail_Thread();
    done = true;
    if (relay.joinable())
        relay.join();
    if (progress)
        progress->started = run.curr_card_count.load();
    return run.Final_Message();
}
