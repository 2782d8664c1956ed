#pragma once
// The user's SMTP account, kept in "com.velkcardmail.plist" in the data folder. The file holds
// the password, so it is only readable by its owner and written only when the user saves.

#include <QString>
#include <QVariantMap>

extern const QString send_email_RecipientKey, send_email_SenderEmailKey, send_email_PasswordKey,
    send_email_SMTP_serverKey, send_email_PORT_numKey, send_email_Enable_SSLkey;

QString Mail_Settings_Path();

class Preferences {
public:
    // Reads the file. A missing or unreadable one gives the defaults in memory and is left as it
    // is: a file we cannot read may still be the user's only copy of the account.
    explicit Preferences(const QString &path = Mail_Settings_Path());
    static Preferences sharedInstance() { return Preferences(); }

    void setDefaults();
    // Writes the whole file, owner read/write only; false with a reason.
    bool flush(QString *error = nullptr) const;
    bool readable() const { return m_readable; }

    QString send_email_Recipient() const { return value(send_email_RecipientKey); }
    QString send_email_SenderEmail() const { return value(send_email_SenderEmailKey); }
    QString send_email_Password() const { return value(send_email_PasswordKey); }
    QString send_email_SMTP_server() const { return value(send_email_SMTP_serverKey); }
    QString send_email_PORT_num() const { return value(send_email_PORT_numKey); }
    QString send_email_enable_ssl() const { return value(send_email_Enable_SSLkey); }
    void setsend_email_Recipient(const QString &v) { mDict[send_email_RecipientKey] = v; }
    void setsend_email_SenderEmail(const QString &v) { mDict[send_email_SenderEmailKey] = v; }
    void setsend_email_Password(const QString &v) { mDict[send_email_PasswordKey] = v; }
    void setsend_email_SMTP_server(const QString &v) { mDict[send_email_SMTP_serverKey] = v; }
    void setsend_email_PORT_num(const QString &v) { mDict[send_email_PORT_numKey] = v; }
    void setsend_email_enable_ssl(const QString &v) { mDict[send_email_Enable_SSLkey] = v; }

    QString mPreferencesPath;
    QVariantMap mDict;

private:
    QString value(const QString &key) const { return mDict.value(key).toString(); }
    bool m_readable = false;
};

// The account the mail windows send with.
struct MailAccount {
    QString sender_email, sender_pwd, sending_server, sending_port, send_enable_ssl;
};
MailAccount Get_Email_Details(const Preferences &prefs = Preferences());

// The address check: trimmed, at least 6 characters, exactly one "@", at least one ".".
bool isValidEmail(const QString &address);

// What the settings window holds, as typed.
struct MailSettingsFields {
    QString recipient, sender, password, server, port;
    bool ssl = false;
};
// The first refusal of the fields (its message and the outlet to focus), or an empty message.
struct FieldProblem {
    QString message, field;
};
FieldProblem Check_Validation(const MailSettingsFields &fields, bool forTest);

// Stores the fields; false with a reason when the file cannot be written.
bool flushPreferences(const MailSettingsFields &fields, QString *error = nullptr,
                      const QString &path = Mail_Settings_Path());

extern const QString Mail_Not_Sent_Text;  // the "Please make sure that" advice
