#include "output/mail/MailScript.h"

#include "platform/Paths.h"
#include "platform/TextLength.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

QString Mail_Python_Path = QStringLiteral("/usr/bin/python3");
const char *const Mail_Python_Package = "python3";

QString Mail_Script_Path() { return platform::joinPath(platform::resourceFolderPath(), QStringLiteral("pyth_mail.py")); }

namespace {

bool hasLineBreak(const QString &s)
{
    return s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n')) || s.contains(QChar(0));
}

}  // namespace

QString Mail_Message_Problem(const MailMessage &m)
{
    if (hasLineBreak(m.recipient) || hasLineBreak(m.sender))
        return QStringLiteral("An e-mail address holds a line break.");
    if (hasLineBreak(m.subject))
        return QStringLiteral("The subject holds a line break.");
    for (const QString &path : m.attachments)
        if (path.trimmed().isEmpty() || !QFileInfo(path).isFile())
            return QStringLiteral("The attachment \"%1\" does not exist.").arg(path);
    return {};
}

MailResult sendEmail_pyth(QProcess &process, const MailMessage &m, int timeoutMs, const std::atomic<bool> *stop)
{
    if (const QString problem = Mail_Message_Problem(m); !problem.isEmpty())
        return {false, problem};
    // Every mail leaves its line on the terminal, whichever window sends it.
    qInfo().noquote() << "mailing" << m.recipient;
    // The package depends on python3; a machine where it was removed gets told what to install.
    if (const QFileInfo python(Mail_Python_Path); !python.isFile() || !python.isExecutable())
        return {false, QStringLiteral("Mail needs %1: install the package \"%2\".").arg(Mail_Python_Path, Mail_Python_Package)};
    QProcessEnvironment env;  // nothing inherited
    env.insert(QStringLiteral("PYTHONPATH"), QString());
    env.insert(QStringLiteral("PATH"), QStringLiteral("/bin:/usr/bin:/usr/local/bin"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardOutputFile(QProcess::nullDevice());
    QStringList args{Mail_Script_Path(), m.sender, m.server, m.port, m.sender, m.recipient, m.subject, m.body, m.ssl};
    args += m.attachments;
    process.start(Mail_Python_Path, args);
    if (!process.waitForStarted(10000))
        return {false, QStringLiteral("The mail script could not be started.")};
    process.write(m.password.toUtf8() + "\n" + QByteArrayLiteral("Description"));
    process.closeWriteChannel();

    QElapsedTimer clock;
    clock.start();
    while (!process.waitForFinished(100)) {
        const bool stopped = stop && stop->load();
        if (stopped || clock.elapsed() >= timeoutMs) {
            process.kill();
            process.waitForFinished(5000);
            return {false, stopped ? QStringLiteral("stopped") : QStringLiteral("no answer in time")};
        }
    }
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return {true, {}};
    // The script's last line says why; it never carries the password.
    const QList<QByteArray> lines = process.readAllStandardError().trimmed().split('\n');
    QString reason = platform::First_Characters(QString::fromUtf8(lines.last()).trimmed(), 200);
    if (reason.startsWith(QLatin1String("mail: ")))
        reason = reason.mid(6);
    if (reason.isEmpty())
        reason = QStringLiteral("not sent (status %1)").arg(process.exitCode());
    return {false, reason};
}

MailResult sendEmail_pyth(const MailMessage &message, int timeoutMs, const std::atomic<bool> *stop)
{
    QProcess process;
    return sendEmail_pyth(process, message, timeoutMs, stop);
}
