#pragma once
// The mail settings window and the card mail window. Both are thin: the settings window reads
// its fields into MailSettingsFields, the mail window into a CardMailChoice, and the run itself
// goes on a worker thread while the shared progress sheet counts and offers Stop.

#include "output/mail/CardMailRun.h"

#include <QDialog>
#include <QPointer>
#include <QThread>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class Send_Modeless;

class Email_Setting : public QDialog {
    Q_OBJECT
public:
    explicit Email_Setting(QWidget *parent = nullptr);
    QLineEdit *_send_mail_to, *_send_mail_sender_mail, *_send_mail_password, *_send_mail_smtp, *_send_mail_port,
        *_send_mail_test_mail;
    QLabel *_send_mail_result_status;
    QRadioButton *_send_mail_ssl, *_send_mail_tls;

    int Open_Wnd();
    void loadPreferences();
    MailSettingsFields fields() const;
    QString App_Name = QStringLiteral("badgeloom");

public slots:
    void Save_Button();
    void Close_Button();
    void Send_Test_Email();
    void Reset_Button();
};

class Send_Mail : public QDialog {
    Q_OBJECT
public:
    explicit Send_Mail(QWidget *parent = nullptr);
    ~Send_Mail() override;

    QLineEdit *from_txt, *subject_txt, *attachment, *file_name_txt;
    QPlainTextEdit *to_txt, *message_txt;
    QRadioButton *rd_without_barcode, *rd_mail_curr_barcode, *side_both, *side_front, *side_back, *rd_all_to_every,
        *rd_one_per_recp, *Sel_print_rd, *mirror_horizontal, *mirror_vertical;
    QGroupBox *send_sett_box, *export_range_box, *delayed_box;
    QCheckBox *send_with_batch_chk, *send_with_excel_chk, *mirror_chk_box, *delayed_delv_chk;
    QSpinBox *Total_Text, *from_Text, *To_Text, *mail_count_txt, *hour_txt, *min_text, *sec_txt;
    QLabel *pause_label;
    QPushButton *browse_att, *clear_att;  // the attachment's, for a plain message only

    // Opens the window on the design the Mail command took; a bound series that could not be
    // read is said instead, and the window does not open (0).
    int Open_Wnd(BatchDesign design, bool twoSided, bool visitorMode);
    // The run the window's fields describe.
    CardMailChoice choice() const;
    bool running() const { return m_thread != nullptr; }
    void waitForRun();
    CardMailRun *lastRun() const { return m_run.get(); }
    MailAccount account;

public slots:
    void Send_Button();
    void Close_Button();
    void Setting_Button();
    void Set_Enable_Diable_Range_Box();
    // A data box ticked or unticked: the card count of the ticked sources becomes the Total and
    // To, and the most any of Total, From and To can take.
    void send_with_batch_chk_select();
    void send_with_excel_chk_select();
    // Value `value` (0 counts as 1) into Total ("TOT"), To ("TO") or both ("A"); `maximum` caps
    // the three fields. With no data box ticked the cap is 999999.
    void Set_Tot_Value(int value, int maximum, const QString &setFor);

private:
    // The cards of a run over the ticked sources: the larger of their row counts, at least 1.
    int tickedCardCount() const;
    BatchDesign m_design;
    Send_Modeless *m_progress;
    std::unique_ptr<CardMailRun> m_run;
    QPointer<QThread> m_thread;
};

// How far a visitor details mail has got, readable from any thread: mails started of `total`.
struct DirectMailProgress {
    std::atomic<int> started{0}, total{0};
    // Held while the window's stop question is open: the next mail waits for the answer.
    std::shared_ptr<RunHold> hold = std::make_shared<RunHold>();
};

// The visitor details mail: the pass file to every recipient, one mail each. Answers the message
// to show. `stop` is honoured between mails; `progress`, when given, follows the run and holds it.
QString Direct_Send_Mail(const QString &sender, const QString &recipients, const QString &file_path,
                         const MailAccount &account, const QString &appName, std::atomic<bool> *stop = nullptr,
                         DirectMailProgress *progress = nullptr);
