#include "output/mail/MailSettings.h"

#include "core/Globals.h"
#include "platform/Paths.h"
#include "platform/Plist.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

const QString send_email_RecipientKey = QStringLiteral("SendEmailRecipient");
const QString send_email_SenderEmailKey = QStringLiteral("SendEmailSender");
const QString send_email_PasswordKey = QStringLiteral("SendEmailPwd");
const QString send_email_SMTP_serverKey = QStringLiteral("SendEmailSMTP");
const QString send_email_PORT_numKey = QStringLiteral("SendEmailPORT");
const QString send_email_Enable_SSLkey = QStringLiteral("SendEnableSSL");

const QString Mail_Not_Sent_Text = QStringLiteral(
    "Please make sure that:\n1. Entered E-mail settings are correct.\n2. Internet connectivity to E-mail server is "
    "not interrupted and E-mail server is not down.\n3. Your Firewall or Security software (if any) is not blocking "
    "the software to communicate with your E-mail server.");

QString Mail_Settings_Path()
{
    // Beside the rest of the user's data, in the folder the application was set up with: a
    // program pointed at another data folder (each test process is) neither reads nor overwrites
    // the account another one saved.
    const QString folder = Created_Resource_Path.isEmpty() ? platform::dataFolderPath() : Created_Resource_Path;
    return platform::joinPath(folder, QStringLiteral("com.velkcardmail.plist"));
}

Preferences::Preferences(const QString &path) : mPreferencesPath(path)
{
    const QVariant read = platform::plistReadFile(path);
    m_readable = read.typeId() == QMetaType::QVariantMap;
    if (m_readable)
        mDict = read.toMap();
    else
        setDefaults();
}

void Preferences::setDefaults()
{
    for (const QString *key : {&send_email_RecipientKey, &send_email_SenderEmailKey, &send_email_PasswordKey,
                               &send_email_SMTP_serverKey, &send_email_PORT_numKey})
        mDict[*key] = QString();
}

bool Preferences::flush(QString *error) const
{
    bool ok = false;
    const QByteArray bytes = platform::plistSerialize(mDict, platform::PlistFormat::Xml, &ok);
    QDir().mkpath(QFileInfo(mPreferencesPath).absolutePath());
    // The file holds the password: readable by its owner alone, whatever mode an older file had.
    QString why;
    if (ok && platform::writeWholeFile(mPreferencesPath, bytes, &why, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return true;
    if (error)
        *error = platform::withReason(QStringLiteral("The mail settings could not be saved to %1.").arg(mPreferencesPath), why);
    return false;
}

MailAccount Get_Email_Details(const Preferences &p)
{
    return {p.send_email_SenderEmail(), p.send_email_Password(), p.send_email_SMTP_server(), p.send_email_PORT_num(),
            p.send_email_enable_ssl()};
}

bool isValidEmail(const QString &address)
{
    QString s = address;
    auto blank = [](QChar c) { return c.isSpace() || c.category() == QChar::Other_Control; };
    while (!s.isEmpty() && blank(s.front()))
        s.remove(0, 1);
    while (!s.isEmpty() && blank(s.back()))
        s.chop(1);
    return s.size() >= 6 && s.split(QLatin1Char('@')).size() == 2 && s.split(QLatin1Char('.')).size() >= 2;
}

FieldProblem Check_Validation(const MailSettingsFields &f, bool forTest)
{
    const QString sender = f.sender.toLower();
    if (sender.isEmpty())
        return {QStringLiteral("Please enter sender E-mail."), QStringLiteral("_send_mail_sender_mail")};
    if (!isValidEmail(sender))
        return {QStringLiteral("Please enter valid sender E-mail address."), QStringLiteral("_send_mail_sender_mail")};
    if (f.password.isEmpty())
        return {QStringLiteral("Please enter password."), QStringLiteral("_send_mail_password")};
    if (f.server.isEmpty())
        return {QStringLiteral("Please enter SMTP server."), QStringLiteral("_send_mail_smtp")};
    if (f.port.isEmpty())
        return {QStringLiteral("Please enter port number."), QStringLiteral("_send_mail_port")};
    if (forTest) {
        const QString to = f.recipient.toLower();
        if (to.isEmpty())
            return {QStringLiteral("Please enter recipient E-mail address."), QStringLiteral("_send_mail_to")};
        if (!isValidEmail(to))
            return {QStringLiteral("Please enter valid recipient E-mail address."), QStringLiteral("_send_mail_to")};
    }
    return {};
}

bool flushPreferences(const MailSettingsFields &f, QString *error, const QString &path)
{
    Preferences prefs(path);
    prefs.setsend_email_Recipient(f.recipient);
    prefs.setsend_email_SenderEmail(f.sender);
    prefs.setsend_email_SMTP_server(f.server);
    prefs.setsend_email_PORT_num(f.port);
    prefs.setsend_email_Password(f.password);
    prefs.setsend_email_enable_ssl(f.ssl ? QStringLiteral("Y") : QStringLiteral("N"));
    return prefs.flush(error);
}
