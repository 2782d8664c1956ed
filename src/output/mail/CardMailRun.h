#pragma once
// One run of the card mail window, on a worker thread: the addresses are checked, the card
// sides are written as PDF files into a private temporary folder, and each mail is handed to
// the mail script; after every so many mails the run pauses. Progress and the pause text may
// be read from any thread; Stop ends the run between mails, kills a script under way and
// ends a pause within a second. Nothing here touches a widget or the open design.

#include "data/batch/BatchEngine.h"
#include "data/batch/RunHold.h"
#include "output/mail/MailScript.h"
#include "output/mail/MailSettings.h"

#include <QStringList>
#include <atomic>
#include <memory>
#include <mutex>

enum class MailMode { Plain, CurrentCard, AllToEvery, Range, OnePerRecipient };

struct CardMailChoice {
    MailMode mode = MailMode::CurrentCard;
    QString sender, recipients, subject, body;
    QString attachment;                              // plain message: a file to attach, or empty
    QString fileName = QStringLiteral("VELKBADGER");  // base name of the attachments
    QString card_side_str = QStringLiteral("BOTH");  // "BOTH", "F" or "B"
    int mirror = -1;                                 // -1 none, 0 horizontal, 1 vertical
    int from = 1, to = 1;                            // range mode, counted from 1
    int mailsPerBlock = 0;                           // 0: no pause
    qint64 pauseMs = 0;
    // A plain message goes on to the next recipient when one refuses (the visitor details
    // mail), instead of ending the run there (the card mail window).
    bool everyRecipient = false;
};

// The recipients of a comma-separated list, trimmed and lower-cased; a refusal message naming
// the first bad address (or saying there is none) in *error.
QStringList Parse_Recipients(const QString &text, QString *error);

// "Pausing the process for ..." for a pause of `ms` milliseconds.
QString Calculate_Pause_Time(qint64 ms);

class CardMailRun {
public:
    CardMailRun(BatchDesign design, CardMailChoice choice, MailAccount account);
    ~CardMailRun();

    // The refusal of the sender, the recipients, the file name or the attachment; empty when
    // the run may start. Call before Send_Mail_Thread.
    QString Check();
    // The run; call Check first. Blocks until the last mail.
    void Send_Mail_Thread();
    // Ends the run between mails (a run held at the stop question goes on to end).
    void Stop()
    {
        Stop_SMS_Sending_Now = true;
        hold->release();
    }
    // Held while the stop question is open: the mail under way is finished, the next one waits
    // for the answer. Shared with the sheet that asks.
    std::shared_ptr<RunHold> hold = std::make_shared<RunHold>();
    // A stop asked for elsewhere (a window's own flag), seen when the hold lets the run go on.
    const std::atomic<bool> *stopAskedElsewhere = nullptr;

    std::atomic<bool> Stop_SMS_Sending_Now{false};
    std::atomic<int> curr_card_count{0};  // turns started
    int show_count = 0;                   // turns of the run, known after Check
    QString pauseText() const;            // empty outside a pause

    int timeoutMs = 120000;  // per mail
    // After the run: mails sent and meant, failures as "Not sent to address: reason" (or a card
    // that could not be rendered).
    int sent = 0, meant = 0;
    QStringList failures;
    QString Final_Message() const;
    QString tempFolder() const { return m_temp; }

private:
    enum class Turn { Sent, Failed, Skipped };
    Turn mailOne(const QString &recipient, const QStringList &attachments);
    QStringList writeSides(const CardSide *front, const CardSide *back, const QString &folder);
    void pause();
    void setPauseText(const QString &text);

    BatchDesign m_design;
    CardMailChoice m_choice;
    MailAccount m_account;
    QStringList m_recipients;
    QString m_name, m_temp;
    mutable std::mutex m_mutex;
    QString m_pauseText;
};
