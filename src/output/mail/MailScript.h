#pragma once
// One e-mail, sent by the mail script in a child process of its own. The script does the SMTP
// talk; this side fixes how it is called: the arguments, a two-variable environment, and the
// password on standard input, so it never shows on a command line or in a process list.

#include <QString>
#include <QStringList>
#include <atomic>

class QProcess;

struct MailMessage {
    QString recipient, subject;
    QStringList attachments;
    QString sender, password, server, port, body;
    QString ssl = QStringLiteral("N");  // "Y" TLS from the start, "N" STARTTLS
};

// The interpreter and the script; tests point them at stand-ins.
extern QString Mail_Python_Path;  // "/usr/bin/python3"
extern const char *const Mail_Python_Package;  // the Debian package that installs it
QString Mail_Script_Path();       // the resource "pyth_mail.py"

// Why the message cannot be handed to the script at all, or empty: a line break in an address
// or the subject (it would add headers), an empty or missing attachment path.
QString Mail_Message_Problem(const MailMessage &message);

struct MailResult {
    bool sent = false;
    QString reason;  // one line when not sent
};

// Sends the message and waits for the script, at most `timeoutMs`; a set `stop` or the timeout
// kills the script. `process` is a fresh object made for this one message on this thread.
MailResult sendEmail_pyth(QProcess &process, const MailMessage &message, int timeoutMs = 120000,
                          const std::atomic<bool> *stop = nullptr);
// The same with a process of its own.
MailResult sendEmail_pyth(const MailMessage &message, int timeoutMs = 120000, const std::atomic<bool> *stop = nullptr);
