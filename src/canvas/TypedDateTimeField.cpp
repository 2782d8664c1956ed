#include "canvas/TypedDateTimeField.h"

#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <QTimeEdit>

#include <optional>

namespace {

// One piece of a display format: a field letter repeated `count` times ('a' for AM/PM), or
// literal text (letter null).
struct FormatPiece {
    QChar letter;
    int count = 0;
    QString literal;
};

QList<FormatPiece> formatPieces(const QString &format)
{
    QList<FormatPiece> pieces;
    const auto literal = [&pieces](const QString &text) {
        if (!pieces.isEmpty() && pieces.back().letter.isNull())
            pieces.back().literal += text;
        else
            pieces.push_back({QChar(), 0, text});
    };
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == u'\'') {  // quoted text; '' is a quote
            qsizetype end = format.indexOf(u'\'', i + 1);
            if (end == i + 1) {
                literal(QStringLiteral("'"));
                i += 2;
                continue;
            }
            if (end < 0)
                end = format.size();
            literal(format.mid(i + 1, end - i - 1));
            i = end + 1;
        } else if (c == u'A' || c == u'a') {  // A, a, AP, ap
            const int n = i + 1 < format.size() && format.at(i + 1).toLower() == u'p' ? 2 : 1;
            pieces.push_back({u'a', n, {}});
            i += n;
        } else if (QStringView(u"dMyhHmszt").contains(c)) {
            int n = 1;
            while (i + n < format.size() && format.at(i + n) == c)
                ++n;
            pieces.push_back({c, n, {}});
            i += n;
        } else {
            literal(QString(c));
            ++i;
        }
    }
    return pieces;
}

// Where the `index`th section stands among `pieces`; -1 past the last.
qsizetype sectionPiece(const QList<FormatPiece> &pieces, qsizetype index)
{
    for (qsizetype at = 0; at < pieces.size(); ++at)
        if (!pieces[at].letter.isNull() && index-- == 0)
            return at;
    return -1;
}

bool numeric(const FormatPiece &p)
{
    return p.letter != u'a' && p.letter != u't' && !((p.letter == u'M' || p.letter == u'd') && p.count > 2);
}

// The most digits a numeric section holds; 0 for a section of words.
int mostDigits(const FormatPiece &p)
{
    if (!numeric(p))
        return 0;
    if (p.letter == u'y')
        return p.count == 2 ? 2 : 4;
    return p.letter == u'z' ? 3 : 2;
}

QString bare(QString word)
{
    return word.remove(u'.').trimmed().toCaseFolded();
}

// The text `typed` read in `format`, sections the format lacks taken from `inForce` (seconds
// and milliseconds of a typed time are 0). A two-digit year is read in the century of the year
// in force. Nothing when the text is no date or time.
std::optional<QDateTime> readTyped(const QString &typed, const QString &format, const QLocale &locale, const QDateTime &inForce)
{
    const QList<FormatPiece> pieces = formatPieces(format);
    QString pattern = QStringLiteral("^\\s*");
    for (const FormatPiece &p : pieces) {
        if (p.letter.isNull())
            pattern += QStringLiteral("\\s*") + QRegularExpression::escape(p.literal.trimmed()) + QStringLiteral("\\s*");
        else if (p.letter == u'y')
            pattern += p.count == 2 ? QStringLiteral("(\\d{2}|\\d{4})") : QStringLiteral("(\\d{4})");
        else if (numeric(p))
            pattern += QStringLiteral("(\\d{1,%1})").arg(mostDigits(p));
        else if (p.letter == u't')
            pattern += QStringLiteral("(\\S*)");
        else if (p.letter == u'a')  // left out, the hour is read on the day's 24 hours
            pattern += QStringLiteral("(\\p{L}[\\p{L}.]*)?");
        else
            pattern += QStringLiteral("(\\p{L}[\\p{L}.]*)");
    }
    pattern += QStringLiteral("\\s*$");
    const QRegularExpressionMatch m = QRegularExpression(pattern, QRegularExpression::UseUnicodePropertiesOption).match(typed);
    if (!m.hasMatch())
        return std::nullopt;

    QDate date = inForce.date();
    int year = date.year(), month = date.month(), day = date.day();
    int hour = inForce.time().hour(), minute = inForce.time().minute(), second = inForce.time().second(),
        msec = inForce.time().msec();
    bool timeTyped = false, twelveHour = false;
    QString hourDigits, minuteDigits;
    std::optional<bool> pm;
    int group = 0;
    for (const FormatPiece &p : pieces) {
        if (p.letter.isNull())
            continue;
        const QString text = m.captured(++group);
        const int n = text.toInt();
        switch (p.letter.unicode()) {
        case u'y':
            year = p.count == 2 && text.size() == 2 ? year - year % 100 + n : n;
            break;
        case u'M':
            if (p.count <= 2) {
                month = n;
            } else {
                month = 0;
                for (int i = 1; i <= 12 && !month; ++i)
                    for (QLocale::FormatType f : {QLocale::ShortFormat, QLocale::LongFormat})
                        if (bare(locale.monthName(i, f)) == bare(text) || bare(locale.standaloneMonthName(i, f)) == bare(text))
                            month = i;
            }
            break;
        case u'd':
            if (p.count <= 2)
                day = n;
            break;
        case u'h':
        case u'H':
            hour = n;
            hourDigits = text;
            twelveHour = twelveHour || p.letter == u'h';
            timeTyped = true;
            break;
        case u'm':
            minute = n;
            minuteDigits = text;
            timeTyped = true;
            break;
        case u's':
            second = n;
            break;
        case u'z':
            msec = text.leftJustified(3, u'0').toInt();
            break;
        case u'a': {
            // "P" or "pm" is enough where it names one of the two.
            if (text.isEmpty())
                break;
            const QString word = bare(text);
            const bool am = bare(locale.amText()).startsWith(word), isPm = bare(locale.pmText()).startsWith(word);
            if (am == isPm)
                return std::nullopt;
            pm = isPm;
            break;
        }
        default:
            break;
        }
    }
    if (timeTyped && format.indexOf(u's') < 0)
        second = 0;
    if (timeTyped && format.indexOf(u'z') < 0)
        msec = 0;
    // With AM/PM, h counts 1 to 12; without it, and H always, the day's 24 hours. An hour of 0 or
    // 13 to 23 is on the 24-hour clock whatever word stands beside it: typed over the hour of
    // "9:04 AM", 20:15 is a quarter past eight in the evening, not a text to throw away.
    // Digits alone before AM/PM ("230p") filled the hour with two of them; an hour past 12 with
    // AM/PM and a one-digit minute was the hour's one digit and the minutes' two.
    if (pm && twelveHour && hour > 12 && hourDigits.size() == 2 && minuteDigits.size() == 1) {
        minute = hourDigits.right(1).toInt() * 10 + minute;
        hour = hourDigits.left(1).toInt();
    }
    const bool hasHour12 = pm && twelveHour && format.indexOf(u'H') < 0 && hour >= 1 && hour <= 12;
    if (hasHour12)
        hour = hour % 12 + (*pm ? 12 : 0);
    date = QDate(year, month, day);
    const QTime time(hour, minute, second, msec);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    QDateTime read = inForce;
    read.setDate(date);
    read.setTime(time);
    return read;
}

// The runs of letters and digits of a shown text: one a section when the format parts its
// sections by separators, as the short formats do.
struct Run {
    int start = 0, end = 0;
};

void selectRun(QLineEdit *edit, const Run &run) { edit->setSelection(run.start, run.end - run.start); }

QList<Run> runsOf(const QString &text)
{
    QList<Run> runs;
    for (int i = 0; i < text.size(); ++i)
        if (text.at(i).isLetterOrNumber()) {
            if (runs.isEmpty() || runs.back().end != i)
                runs.push_back({i, i + 1});
            else
                runs.back().end = i + 1;
        }
    return runs;
}

template <class Base>
class TypedField : public Base {
public:
    explicit TypedField(QWidget *parent) : Base(parent) { this->lineEdit()->installEventFilter(this); }

protected:
    bool event(QEvent *e) override
    {
        switch (e->type()) {
        case QEvent::KeyPress: {
            // Tab leaves the field, as in every other field, instead of walking its sections.
            const auto *k = static_cast<QKeyEvent *>(e);
            if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
                commit();
                this->QWidget::focusNextPrevChild(k->key() == Qt::Key_Tab && !(k->modifiers() & Qt::ShiftModifier));
                return true;
            }
            break;
        }
        case QEvent::FocusOut:
        case QEvent::MouseButtonPress:  // the arrows and the calendar's button
        case QEvent::Wheel:
        case QEvent::Hide:
            commit();
            break;
        default:
            break;
        }
        return Base::event(e);
    }

    void keyPressEvent(QKeyEvent *e) override
    {
        const bool plain = !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        const QString text = e->text();
        const bool printable = plain && text.size() == 1 && text.at(0).isPrint();
        const bool editing = printable || e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete ||
                             e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut) ||
                             e->matches(QKeySequence::Undo) || e->matches(QKeySequence::Redo);
        // Keys that leave the text as it is: the cursor keys, select all, copy, and a modifier
        // going down on its own (Shift before a capital).
        const int key = e->key();
        const bool keeping = (plain && (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End)) ||
                             key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_AltGr ||
                             key == Qt::Key_Meta || key == Qt::Key_Super_L || key == Qt::Key_Super_R ||
                             key == Qt::Key_CapsLock || key == Qt::Key_NumLock || e->matches(QKeySequence::SelectAll) ||
                             e->matches(QKeySequence::Copy);
        if (editing) {
            begin();
            if (printable && stepOverSeparator(text.at(0)))
                return e->accept();
            if (printable)
                typeOver(text.at(0));
            // The line edit takes the key as it is: Qt's date field would weigh it by its sections.
            QAbstractSpinBox::keyPressEvent(e);
        } else if (keeping && m_typing) {
            QAbstractSpinBox::keyPressEvent(e);
        } else {
            commit();  // Return, a step, a page key, the calendar's keys: they act on the typed value
            Base::keyPressEvent(e);
        }
    }

    QValidator::State validate(QString &input, int &pos) const override
    {
        if (!m_typing)
            return Base::validate(input, pos);
        // Any text may stand while it is typed; it is read when the field is left.
        return input.size() > 64 ? QValidator::Invalid : QValidator::Intermediate;
    }
    void fixup(QString &input) const override
    {
        if (!m_typing)
            Base::fixup(input);
    }
    void stepBy(int steps) override
    {
        commit();
        Base::stepBy(steps);
    }

    // A click into the text selects the section clicked, so what is typed next replaces it.
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        QLineEdit *edit = this->lineEdit();
        if (watched != edit || e->type() != QEvent::MouseButtonRelease ||
            static_cast<QMouseEvent *>(e)->button() != Qt::LeftButton)
            return Base::eventFilter(watched, e);
        static_cast<QObject *>(edit)->event(e);
        if (!edit->hasSelectedText()) {
            const int pos = edit->cursorPosition();
            for (const Run &r : runsOf(edit->text()))
                if (pos >= r.start && pos <= r.end) {
                    selectRun(edit, r);
                    break;
                }
        }
        return true;
    }

private:
    // From the first key that edits the text until the field is left, the line edit keeps its
    // text to itself: Qt's date field reads every change and cursor move by its sections, and
    // puts the date in force back in place of a text it cannot read.
    void begin()
    {
        if (m_typing)
            return;
        m_typing = true;
        m_wasBlocked = this->lineEdit()->blockSignals(true);
    }
    void commit()
    {
        if (!m_typing)
            return;
        m_typing = false;
        QLineEdit *edit = this->lineEdit();
        const QString typed = edit->text();
        // The section the cursor stands in, or last left: the arrows step it after the reading.
        qsizetype section = -1;
        for (const Run &r : runsOf(typed))
            section += r.start < edit->cursorPosition() ? 1 : 0;
        edit->blockSignals(m_wasBlocked);
        const QDateTime before = this->dateTime();
        const auto read = readTyped(typed, this->displayFormat(), this->locale(), before);
        const bool taken = read && *read >= this->minimumDateTime() && *read <= this->maximumDateTime();
        this->setDateTime(taken ? *read : before);
        if (taken && *read == before) {  // typed, it is chosen even when it is the one shown
            emit this->dateTimeChanged(before);
            emit this->dateChanged(before.date());
            emit this->timeChanged(before.time());
        }
        edit->setText(this->textFromDateTime(this->dateTime()));
        if (const QList<Run> shown = runsOf(edit->text()); section >= 0 && section < shown.size())
            edit->setCursorPosition(shown[section].end);
    }

    void typeOver(QChar typed)
    {
        QLineEdit *edit = this->lineEdit();
        if (edit->hasSelectedText() || !typed.isLetterOrNumber())
            return;
        const int pos = edit->cursorPosition();
        const QList<Run> runs = runsOf(edit->text());
        for (qsizetype i = 0; i < runs.size(); ++i) {
            if (runs[i].start == pos) {  // at a section's start: the key replaces the section
                selectRun(edit, runs[i]);
                return;
            }
            if (runs[i].end == pos) {
                // After a section of digits typed full, or at a letter, the key goes on into the
                // next section: the one shown, or at the end of the text the next the format has,
                // after its separator ("241126" is typed as 24.11.26).
                const QList<FormatPiece> pieces = formatPieces(this->displayFormat());
                const qsizetype at = sectionPiece(pieces, i);
                if (at < 0 || mostDigits(pieces[at]) == 0 ||
                    (typed.isDigit() && !full(pieces[at], edit->text().mid(runs[i].start, runs[i].end - runs[i].start))))
                    return;
                if (i + 1 < runs.size())
                    selectRun(edit, runs[i + 1]);
                else if (pos == edit->text().size() && sectionPiece(pieces, i + 1) >= 0)
                    edit->insert(at + 1 < pieces.size() && pieces[at + 1].letter.isNull() ? pieces[at + 1].literal : QString());
                return;
            }
        }
    }
    bool stepOverSeparator(QChar typed)
    {
        QLineEdit *edit = this->lineEdit();
        const QString text = edit->text();
        const int pos = edit->cursorPosition();
        if (typed.isLetterOrNumber() || edit->hasSelectedText() || pos >= text.size() || text.at(pos) != typed)
            return false;
        for (const Run &r : runsOf(text))
            if (r.start > pos) {
                selectRun(edit, r);
                return true;
            }
        edit->setCursorPosition(pos + 1);
        return true;
    }
    // A section of digits is full when it holds its most digits or one more would pass its
    // highest value (a month of 3, an hour of 3). An hour reaches 23 on a 12-hour clock too: left
    // without AM/PM it is read on the day's 24 hours, so "2" may still become 21.
    bool full(const FormatPiece &section, const QString &digits) const
    {
        if (digits.size() >= mostDigits(section))
            return true;
        int highest = 0;
        switch (section.letter.unicode()) {
        case u'M': highest = 12; break;
        case u'd': highest = 31; break;
        case u'h':
        case u'H': highest = 23; break;
        case u'm':
        case u's': highest = 59; break;
        default: return false;
        }
        return digits.toInt() * 10 > highest;
    }

    bool m_typing = false, m_wasBlocked = false;
};

}  // namespace

QDateEdit *Typed_Date_Field(const QDate &date, QWidget *parent)
{
    auto *field = new TypedField<QDateEdit>(parent);
    field->setDate(date);
    return field;
}

QTimeEdit *Typed_Time_Field(const QTime &time, QWidget *parent)
{
    auto *field = new TypedField<QTimeEdit>(parent);
    field->setTime(time);
    return field;
}
