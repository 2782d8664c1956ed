#include "output/mail/Direct_Mail.h"
#include "canvas/WidgetUtilities.h"

#include "core/SKTGraphic.h"
#include "platform/UiServices.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

Direct_Mail *drct_mail_snd = nullptr;

Direct_Mail::Direct_Mail(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Direct_Mail"));
    setWindowTitle(tr("Mail Visitor Details"));
    setStyleSheet(Window_Background_Style());
    drct_mail_snd = this;
    auto *root = new QVBoxLayout(this);

    details_box = new QGroupBox(this);
    details_box->setObjectName(QStringLiteral("details_box"));
    auto *form = new QFormLayout(details_box);
    from_txt = new QLineEdit(details_box);
    from_txt->setObjectName(QStringLiteral("from_txt"));
    from_txt->setReadOnly(true);
    to_txt = new QLineEdit(details_box);
    to_txt->setObjectName(QStringLiteral("to_txt"));
    to_txt->setPlaceholderText(tr("name@example.org, other@example.org"));
    file_path_ctrl = new QLineEdit(details_box);
    file_path_ctrl->setObjectName(QStringLiteral("file_path_ctrl"));
    file_path_ctrl->hide();
    form->addRow(tr("From:"), from_txt);
    form->addRow(tr("To:"), to_txt);
    auto *buttons = new QHBoxLayout;
    auto add = [&](const QString &text, const char *name, void (Direct_Mail::*slot)()) {
        auto *b = new QPushButton(text, details_box);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    add(tr("Settings"), "Setting_Button", &Direct_Mail::Setting_Button);
    buttons->addStretch();
    add(tr("Close"), "Close_Button", &Direct_Mail::Close_Button);
    add(tr("Send"), "Send_Button", &Direct_Mail::Send_Button)->setDefault(true);
    form->addRow(buttons);
    root->addWidget(details_box);

    wait_box = new QGroupBox(this);
    wait_box->setObjectName(QStringLiteral("wait_box"));
    auto *wait = new QHBoxLayout(wait_box);
    _plz_wait_label = new QLabel(tr("Please wait, sending…"), wait_box);
    _curr_msg_cnt = new QLabel(wait_box);
    _curr_msg_cnt->setObjectName(QStringLiteral("_curr_msg_cnt"));
    _Curr_Progress = new QProgressBar(wait_box);
    _Curr_Progress->setObjectName(QStringLiteral("_Curr_Progress"));
    _stop_btn = new QPushButton(tr("Stop"), wait_box);
    _stop_btn->setObjectName(QStringLiteral("_stop_btn"));
    connect(_stop_btn, &QPushButton::clicked, this, &Direct_Mail::Stop_Sending_Pressed);
    wait->addWidget(_plz_wait_label);
    wait->addWidget(_Curr_Progress, 1);
    wait->addWidget(_curr_msg_cnt);
    wait->addWidget(_stop_btn);
    root->addWidget(wait_box);
    showSending(false);
    resize(480, sizeHint().height());

    msend_modTimer = new QTimer(this);
    msend_modTimer->setInterval(500);
    connect(msend_modTimer, &QTimer::timeout, this, &Direct_Mail::update_sending_progress_bar);
}

Direct_Mail::~Direct_Mail()
{
    Stop_SMS_Sending_Now = true;
    waitForRun();
    if (drct_mail_snd == this)
        drct_mail_snd = nullptr;
}

Direct_Mail *Direct_Mail::defaultInstance() { return drct_mail_snd; }

void Direct_Mail::Prepare(const QString &file)
{
    account = Get_Email_Details();
    from_txt->setText(account.sender_email);
    to_txt->clear();
    file_path_ctrl->setText(file);
    showSending(false);
}

int Direct_Mail::Open_Wnd()
{
    Prepare(file_path_ctrl->text());
    return platform::ui().runModal(objectName(), QString(), [this] { return exec(); });
}

void Direct_Mail::showSending(bool sending)
{
    details_box->setEnabled(!sending);
    wait_box->setVisible(sending);
    wait_box->setEnabled(sending);
    _stop_btn->setEnabled(sending);
    if (!sending && isVisible()) {
        // The wait box has gone: the window gives back the room it took.
        layout()->activate();
        resize(width(), sizeHint().height());
    }
}

void Direct_Mail::Send_Button()
{
    if (running())
        return;
    file_path = file_path_ctrl->text();
    Stop_SMS_Sending_Now = false;
    m_progress = std::make_unique<DirectMailProgress>();
    // Until the run has counted its recipients the bar only shows that it is busy.
    _Curr_Progress->setRange(0, 0);
    _curr_msg_cnt->clear();
    showSending(true);
    msend_modTimer->start();
    // The worker reads copies only; the window changes on the main thread when it has ended.
    auto result = std::make_shared<QString>();
    m_thread = QThread::create([result, sender = from_txt->text(), to = to_txt->text(), file = file_path,
                                account = account, app = App_Name, stop = &Stop_SMS_Sending_Now,
                                progress = m_progress.get()] {
        *result = Direct_Send_Mail(sender, to, file, account, app, stop, progress);
    });
    connect(m_thread, &QThread::finished, this, [this, result] {
        msend_modTimer->stop();
        update_sending_progress_bar();
        m_thread->deleteLater();
        m_thread = nullptr;
        // A run that ended while the stop question is open reports after the answer.
        m_progress->hold->afterAnswer([window = QPointer<Direct_Mail>(this), result] {
            if (!window || window->running())
                return;
            window->showSending(false);
            platform::ui().message(*result);
        });
    });
    m_thread->start();
}

void Direct_Mail::update_sending_progress_bar()
{
    if (!m_progress)
        return;
    const int total = m_progress->total, started = m_progress->started;
    if (total <= 0)
        return;
    _Curr_Progress->setRange(0, std::max(total, 1));
    _Curr_Progress->setValue(std::min(started, std::max(total, 1)));
    _curr_msg_cnt->setText(QStringLiteral("%1 / %2 ").arg(started).arg(total));
}

void Direct_Mail::Stop_Sending_Pressed()
{
    if (!running())
        return;
    // The run waits for the answer: it neither sends on nor reports behind the question.
    RunHold::whileAsking(m_progress->hold, [this] {
        if (platform::ui().yesNo(QStringLiteral("Are you sure you want to stop?")))
            Stop_SMS_Sending_Now = true;
    });
}

void Direct_Mail::Close_Button()
{
    // A send under way still reads the file the caller removes after the window closes.
    if (running())
        return;
    done(0);
}

void Direct_Mail::Setting_Button()
{
    Email_Setting settings(this);
    settings.Open_Wnd();
    account = Get_Email_Details();
    from_txt->setText(account.sender_email);
}

void Direct_Mail::waitForRun()
{
    while (m_thread)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}
