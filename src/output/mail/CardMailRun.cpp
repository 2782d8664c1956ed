#include "output/mail/CardMailRun.h"

#include "core/SKTGraphic.h"
#include "core/SKTRenderingView.h"
#include "core/Utilities.h"
#include "data/batch/BatchRunner.h"
#include "platform/WholeFile.h"

#include <QDebug>
#include <QDir>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <thread>

namespace {

const QString kSuccess = QStringLiteral("E-mail has been sent successfully.");

// A side as a one-page vector PDF of the card's size, mirrored when asked.
bool writeSidePdf(const CardSide &side, int mirror, const QString &path)
{
    const QRectF rect = side.cardRect;
    if (rect.isEmpty())
        return false;
    platform::WholeFile file(path);
    if (!file.open())
        return false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(72);
        writer.setPageSize(QPageSize(rect.size(), QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        if (mirror == 0)
            painter.setTransform(QTransform(-1, 0, 0, 1, rect.width(), 0));
        else if (mirror == 1)
            painter.setTransform(QTransform(1, 0, 0, -1, 0, rect.height()));
        SKTRenderingView(side, QString()).drawInto(painter, QRectF(QPointF(0, 0), rect.size()));
    }
    return file.commit();
}

}  // namespace

QStringList Parse_Recipients(const QString &text, QString *error)
{
    QStringList list;
    const QString all = text.trimmed().toLower();
    for (QString entry : all.split(QLatin1Char(','))) {
        entry = entry.trimmed();
        if (entry.isEmpty())
            continue;
        const bool clean = std::none_of(entry.begin(), entry.end(), [](QChar c) {
            return c.isSpace() || c.category() == QChar::Other_Control || c == QLatin1Char('<') || c == QLatin1Char('>');
        });
        if (!clean || !isValidEmail(entry)) {
            *error = QStringLiteral("Recipient E-mail address is invalid or incomplete.\n") + entry;
            return {};
        }
        list << entry;
    }
    if (list.isEmpty())
        *error = QStringLiteral("Please specify the Recipient E-mail address.");
    return list;
}

QString Calculate_Pause_Time(qint64 ms)
{
    const qint64 t = ms / 1000, h = t / 3600, m = (t % 3600) / 60, s = t % 60;
    const QString hours = QString(h < 2 ? "%1 Hour " : "%1 Hours ").arg(h);
    const QString minutes = QString(m < 2 ? "%1 Minute " : "%1 Minutes ").arg(m);
    const QString seconds = QString(s < 2 ? "%1 Second." : "%1 Seconds.").arg(s);
    QString text = QStringLiteral("Pausing the process for ");
    if (h >= 1)
        return text + hours + minutes + seconds;
    if (m < 1)
        return text + seconds;
    return text + minutes + seconds;
}

CardMailRun::CardMailRun(BatchDesign design, CardMailChoice choice, MailAccount account)
    : m_design(std::move(design)), m_choice(std::move(choice)), m_account(std::move(account))
{
}

CardMailRun::~CardMailRun()
{
    if (!m_temp.isEmpty())
        QDir(m_temp).removeRecursively();
}

QString CardMailRun::Check()
{
    const QString sender = m_choice.sender.trimmed().toLower();
    if (sender.isEmpty())
        return QStringLiteral("Please make sure that:\n1.Entered E-mail Settings are correct.\n2.Internet Connectivity "
                              "to E-mail server is not interrupted and E-mail server is not down.\n3.Your firewall or "
                              "security software(if any) is not blocking the software to communicate with your E-mail "
                              "server.");
    if (!isValidEmail(sender) || sender.contains(QLatin1Char('\n')) || sender.contains(QLatin1Char('\r')))
        return QStringLiteral("Please enter valid sender E-mail address.");
    m_choice.sender = sender;
    QString error;
    m_recipients = Parse_Recipients(m_choice.recipients, &error);
    if (m_recipients.isEmpty())
        return error;
    if (m_choice.subject.contains(QLatin1Char('\n')) || m_choice.subject.contains(QLatin1Char('\r')))
        return QStringLiteral("The subject must be one line.");
    if (m_choice.mode == MailMode::Plain) {
        const QString path = m_choice.attachment.trimmed();
        if (!path.isEmpty() && !QFileInfo(path).isFile())
            return QStringLiteral("The attachment \"%1\" does not exist.").arg(path);
        m_choice.attachment = path;
    } else {
        m_name = Remove_Reserve_Char_In_File_Name(m_choice.fileName).trimmed();
        if (m_name.isEmpty())
            return Empty_Name_Message(m_choice.fileName, QStringLiteral("Please enter valid file name."));
    }
    const int r = int(m_recipients.size()), t = std::max(1, m_design.source.Total_Batch_Excel_Card);
    switch (m_choice.mode) {
    case MailMode::Plain:
    case MailMode::CurrentCard: show_count = meant = r; break;
    case MailMode::AllToEvery: show_count = t, meant = t * r; break;
    case MailMode::Range:
        if (m_choice.from < 1 || m_choice.from > m_choice.to)
            return QStringLiteral("Please select valid range.");
        m_choice.to = std::min(m_choice.to, t);
        show_count = std::max(0, m_choice.to - m_choice.from + 1), meant = show_count * r;
        break;
    case MailMode::OnePerRecipient: show_count = meant = std::min(r, t); break;
    }
    return {};
}

QString CardMailRun::pauseText() const
{
    std::lock_guard lock(m_mutex);
    return m_pauseText;
}

void CardMailRun::setPauseText(const QString &text)
{
    std::lock_guard lock(m_mutex);
    m_pauseText = text;
}

CardMailRun::Turn CardMailRun::mailOne(const QString &recipient, const QStringList &attachments)
{
    hold->waitWhileHeld();
    if (stopAskedElsewhere && *stopAskedElsewhere)
        Stop_SMS_Sending_Now = true;
    if (Stop_SMS_Sending_Now)
        return Turn::Skipped;
    MailMessage message{recipient,
                        m_choice.subject,
                        attachments,
                        m_choice.sender,
                        m_account.sender_pwd,
                        m_account.sending_server,
                        m_account.sending_port,
                        m_choice.body,
                        m_account.send_enable_ssl == QLatin1String("Y") ? QStringLiteral("Y") : QStringLiteral("N")};
    const MailResult result = sendEmail_pyth(message, timeoutMs, &Stop_SMS_Sending_Now);
    if (result.sent) {
        ++sent;
        return Turn::Sent;
    }
    failures << QStringLiteral("Not sent to %1: %2").arg(recipient, result.reason);
    return Turn::Failed;
}

QStringList CardMailRun::writeSides(const CardSide *front, const CardSide *back, const QString &folder)
{
    QStringList files;
    const QString side = m_choice.card_side_str;
    const QString base = QDir(folder).filePath(m_name);
    if (side != QLatin1String("F")) {
        if (!back || !writeSidePdf(*back, m_choice.mirror, base + QStringLiteral("_Back.pdf")))
            return {};
        files << base + QStringLiteral("_Back.pdf");
    }
    if (side != QLatin1String("B")) {
        if (!front || !writeSidePdf(*front, m_choice.mirror, base + QStringLiteral("_Front.pdf")))
            return {};
        files << base + QStringLiteral("_Front.pdf");
    }
    return files;
}

void CardMailRun::pause()
{
    using namespace std::chrono;
    const auto end = steady_clock::now() + milliseconds(m_choice.pauseMs);
    while (!Stop_SMS_Sending_Now) {
        const qint64 left = duration_cast<milliseconds>(end - steady_clock::now()).count();
        if (left <= 0)
            break;
        setPauseText(Calculate_Pause_Time(left + 999));
        std::this_thread::sleep_for(milliseconds(std::min<qint64>(left, 100)));
    }
    setPauseText({});
}

void CardMailRun::Send_Mail_Thread()
{
    QTemporaryDir temp(QDir::temp().filePath(QStringLiteral("badgeloom-mail-XXXXXX")));
    temp.setAutoRemove(false);  // removed below, or by the destructor should the run be cut short
    m_temp = temp.path();
    curr_card_count = 0;
    int block = 0;
    // After each completed turn: pause when a block is full and more is to come.
    auto turnDone = [&](bool last) {
        if (m_choice.mailsPerBlock > 0 && ++block == m_choice.mailsPerBlock && !last) {
            pause();
            block = 0;
        }
    };
    const bool perRecipient = m_choice.mode == MailMode::Plain || m_choice.mode == MailMode::CurrentCard;
    if (perRecipient) {
        QStringList files;
        if (m_choice.mode == MailMode::CurrentCard)
            files = writeSides(&m_design.front, &m_design.back, m_temp);
        else if (!m_choice.attachment.isEmpty())
            files << m_choice.attachment;
        const bool skip = m_choice.mode == MailMode::CurrentCard && files.isEmpty();
        if (skip)
            failures << QStringLiteral("The card could not be rendered.");
        for (int i = 0; !skip && i < m_recipients.size() && !Stop_SMS_Sending_Now; ++i) {
            ++curr_card_count;
            if (mailOne(m_recipients[i], files) != Turn::Sent && !m_choice.everyRecipient)
                break;
            turnDone(i + 1 == m_recipients.size());
        }
    } else {
        const bool onePer = m_choice.mode == MailMode::OnePerRecipient;
        const int first = m_choice.mode == MailMode::Range ? m_choice.from - 1 : 0;
        // Rows are filled and written ahead on every core while this thread mails, each row in
        // a folder of its own so the attachments keep their names.
        BatchRunner runner;
        std::function<QStringList(int)> work = [&](int row) {
            const QString folder = QDir(m_temp).filePath(QString::number(row));
            QDir().mkpath(folder);
            const CardSide front = m_design.Fill_Side_For_Row(QStringLiteral("F"), row);
            const CardSide back = m_design.Fill_Side_For_Row(QStringLiteral("B"), row);
            return writeSides(&front, &back, folder);
        };
        std::function<bool(int, QStringList &)> deliver = [&](int row, QStringList &files) {
            const int index = row - first;
            ++curr_card_count;
            bool more = true;
            if (files.isEmpty()) {
                failures << QStringLiteral("Card %1 could not be rendered.").arg(row + 1);
            } else if (onePer) {
                more = mailOne(m_recipients[index], files) == Turn::Sent;
                if (more)
                    turnDone(index + 1 == show_count);
            } else {
                for (const QString &to : m_recipients)
                    if (mailOne(to, files) != Turn::Sent)
                        break;
                turnDone(index + 1 == show_count);
            }
            QDir(QDir(m_temp).filePath(QString::number(row))).removeRecursively();
            return more && !Stop_SMS_Sending_Now;
        };
        runner.Run<QStringList>(first, show_count, work, deliver);
    }
    QDir(m_temp).removeRecursively();
}

QString CardMailRun::Final_Message() const
{
    if (meant > 0 && sent == meant)
        return kSuccess;
    // One plain sentence a line: what went, then what did not and why. A long list is cut, so
    // the box stays on the screen; the network checklist only when nothing went at all, and not
    // when the user stopped the run before anything went: nothing failed then.
    const bool failedAll = sent == 0 && !Stop_SMS_Sending_Now;
    const auto sentence = [](QString line) {
        line = line.trimmed();
        return line.endsWith(QLatin1Char('.')) || line.endsWith(QLatin1Char('?')) || line.endsWith(QLatin1Char('!'))
                   ? line
                   : line + QLatin1Char('.');
    };
    QStringList lines;
    if (failedAll)
        lines << QStringLiteral("Could not send email message.");
    lines << QStringLiteral("Sent %1 of %2 e-mails.").arg(sent).arg(meant);
    constexpr qsizetype kShown = 3;
    for (qsizetype i = 0; i < std::min(failures.size(), kShown); ++i)
        lines << sentence(failures[i]);
    if (failures.size() > kShown)
        lines << QStringLiteral("\u2026 and %1 more.").arg(failures.size() - kShown);
    if (Stop_SMS_Sending_Now)
        lines << QStringLiteral("Stopped by the user.");
    if (failedAll)
        lines << Mail_Not_Sent_Text;
    return lines.join(QLatin1Char('\n'));
}
