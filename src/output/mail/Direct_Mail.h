#pragma once
// The visitor details mail window: one ready-made file (a visitor pass as PDF) mailed to each
// recipient typed, with a fixed subject and body. The sending runs on a worker thread through
// Direct_Send_Mail; the window's own wait box counts the mails with a bar and offers Stop.
// The caller fills `file_path_ctrl`, runs the window and removes the file after it has closed
// (waitForRun first: a send under way still reads it).

#include "output/mail/MailSettings.h"
#include "output/mail/MailWindows.h"

#include <QDialog>
#include <QPointer>
#include <QThread>
#include <atomic>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

class Direct_Mail : public QDialog {
    Q_OBJECT
public:
    explicit Direct_Mail(QWidget *parent = nullptr);
    ~Direct_Mail() override;
    static Direct_Mail *defaultInstance();

    QLineEdit *from_txt, *to_txt, *file_path_ctrl;
    QGroupBox *details_box, *wait_box;
    QLabel *_curr_msg_cnt, *_plz_wait_label;
    QProgressBar *_Curr_Progress;
    QPushButton *_stop_btn;
    QString file_path;
    MailAccount account;
    QString App_Name = QStringLiteral("badgeloom");

    // Sender from the settings, no recipient, the details box active; then runs modally.
    int Open_Wnd();
    // The window's fields set for a file without running it (what the visitor log does).
    void Prepare(const QString &file);
    bool running() const { return m_thread != nullptr; }
    void waitForRun();

public slots:
    void Send_Button();
    void Stop_Sending_Pressed();
    void Close_Button();
    void Setting_Button();

private:
    void showSending(bool sending);
    void update_sending_progress_bar();

    std::atomic<bool> Stop_SMS_Sending_Now{false};
    std::unique_ptr<DirectMailProgress> m_progress;
    QTimer *msend_modTimer;
    QPointer<QThread> m_thread;
};

extern Direct_Mail *drct_mail_snd;
