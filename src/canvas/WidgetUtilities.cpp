#include "canvas/WidgetUtilities.h"

#include "core/PaintSupport.h"
#include "platform/TextLength.h"
#include "platform/TypedNumber.h"

#include <QAbstractButton>
#include <QPalette>
#include <algorithm>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QDeadlineTimer>
#include <QThread>
#include <QSpinBox>
#include <QDoubleSpinBox>
#include <QLocale>
#include <QKeyEvent>
#include <optional>
#include <utility>

namespace {

// What the user typed, without the field's prefix and suffix (which a select-all and type drops).
QString typedBody(const QString &prefix, const QString &suffix, QString input)
{
    if (!prefix.isEmpty() && input.startsWith(prefix))
        input.remove(0, prefix.size());
    if (!suffix.isEmpty() && input.endsWith(suffix))
        input.chop(suffix.size());
    return input.trimmed();
}

// Holds a spin box to the number rule from the first key typed until the field is left (focus
// out, Return, a step): a text refused as a whole gives back the value from before the typing,
// not the one a tracked keystroke on the way left in force ("80" on the way to "80,5"), nor the
// number Qt's own fields make by dropping the group marks ("3,5" read as 35).
class TypingGuard : public QObject {
public:
    explicit TypingGuard(QAbstractSpinBox *field) : QObject(field), m_field(field) { field->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab || key == Qt::Key_Backtab ||
                key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown)
                leave();
            else if (const QString typed = static_cast<QKeyEvent *>(event)->text(); !typed.isEmpty()) {
                if (!m_before)
                    m_before = value();
                // Qt's own fields drop the mark from the text at once, so it is known by its key;
                // in a whole number, a decimal point is such a mark too ("1.500" is no count).
                const QString between = QLatin1Char('1') + typed + QLatin1Char('1');
                const bool mark = typed.size() == 1 && typed.at(0).isPrint() &&
                                  (qobject_cast<QSpinBox *>(m_field) ? platform::Holds_Fraction_Or_Grouping(between)
                                                                     : platform::Holds_Digit_Grouping(between));
                m_grouped = m_grouped || mark;
            }
            break;
        }
        case QEvent::FocusOut:
        case QEvent::MouseButtonPress:  // the field's own arrows: the line edit takes its own clicks
        case QEvent::Wheel:
        case QEvent::Hide:
            leave();
            break;
        default:
            break;
        }
        return false;
    }

private:
    double value() const
    {
        if (auto *d = qobject_cast<QDoubleSpinBox *>(m_field))
            return d->value();
        return double(qobject_cast<QSpinBox *>(m_field)->value());
    }
    bool refused() const
    {
        QString text = m_field->text();
        int pos = int(text.size());
        QString body = text;
        if (auto *d = qobject_cast<QDoubleSpinBox *>(m_field))
            body = typedBody(d->prefix(), d->suffix(), text);
        else if (auto *w = qobject_cast<QSpinBox *>(m_field))
            body = typedBody(w->prefix(), w->suffix(), text);
        return platform::Holds_Digit_Grouping(body) || m_field->validate(text, pos) != QValidator::Acceptable;
    }
    void leave()
    {
        const std::optional<double> before = std::exchange(m_before, std::nullopt);
        if (!before || !(std::exchange(m_grouped, false) || refused()))
            return;
        if (auto *d = qobject_cast<QDoubleSpinBox *>(m_field))
            d->setValue(*before);
        else if (auto *w = qobject_cast<QSpinBox *>(m_field))
            w->setValue(int(*before));
    }

    QAbstractSpinBox *m_field;
    std::optional<double> m_before;
    bool m_grouped = false;  // a digit-group mark (or a whole number's point) was typed since m_before
};

// A field shows its number by the rule and is guarded while typed into.
void holdToRule(QAbstractSpinBox *field)
{
    field->setLocale(platform::Number_Field_Locale());
    new TypingGuard(field);
}

class DecimalField : public QDoubleSpinBox {
public:
    explicit DecimalField(QWidget *parent) : QDoubleSpinBox(parent) { holdToRule(this); }

protected:
    // A digit-group mark is kept while typing and the whole text refused when the field is left,
    // so the field goes back to the value in force.
    QValidator::State validate(QString &input, int &pos) const override
    {
        if (platform::Holds_Digit_Grouping(typedBody(prefix(), suffix(), input)))
            return QValidator::Intermediate;
        return QDoubleSpinBox::validate(input, pos);
    }
    void fixup(QString &input) const override
    {
        if (!platform::Holds_Digit_Grouping(typedBody(prefix(), suffix(), input)))
            QDoubleSpinBox::fixup(input);  // Qt's own fixup strips the group marks
    }
};

class WholeField : public QSpinBox {
public:
    explicit WholeField(QWidget *parent) : QSpinBox(parent) { holdToRule(this); }

protected:
    // A decimal point or a digit-group mark makes no whole number: kept while typing (dropped,
    // "1,5" would read as 15), refused as a whole when the field is left.
    bool notWhole(const QString &input) const
    {
        return platform::Holds_Fraction_Or_Grouping(typedBody(prefix(), suffix(), input));
    }
    QValidator::State validate(QString &input, int &pos) const override
    {
        return notWhole(input) ? QValidator::Intermediate : QSpinBox::validate(input, pos);
    }
    void fixup(QString &input) const override
    {
        if (!notWhole(input))
            QSpinBox::fixup(input);
    }
};

class CountField : public WholeField {
public:
    using WholeField::WholeField;

protected:
    QValidator::State validate(QString &input, int &pos) const override
    {
        const QValidator::State state = WholeField::validate(input, pos);
        if (state != QValidator::Invalid)
            return state;
        bool ok = false;
        const qlonglong typed = locale().toLongLong(input.trimmed(), &ok);
        if (!ok || typed <= maximum())
            return state;
        input = textFromValue(maximum());
        pos = int(input.size());
        return QValidator::Acceptable;
    }
};
}  // namespace

QSpinBox *Count_Field(QWidget *parent) { return new CountField(parent); }
QSpinBox *Whole_Number_Field(QWidget *parent) { return new WholeField(parent); }
QDoubleSpinBox *Decimal_Field(QWidget *parent) { return new DecimalField(parent); }

void Hold_To_Number_Rule(QWidget &panel)
{
    for (QAbstractSpinBox *field : panel.findChildren<QAbstractSpinBox *>())
        if (qobject_cast<QDoubleSpinBox *>(field) || qobject_cast<QSpinBox *>(field))
            holdToRule(field);
}

void SetObjEnabled(QWidget *object, bool enabled)
{
    if (!object)
        return;
    if (auto *box = qobject_cast<QGroupBox *>(object)) {
        // A group box passes the state on to the controls placed in it.
        for (QWidget *child : box->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            SetObjEnabled(child, enabled);
        return;
    }
    // Only controls take an enabled state; plain grouping views leave their children alone.
    if (qobject_cast<QAbstractButton *>(object) || qobject_cast<QLineEdit *>(object) ||
        qobject_cast<QLabel *>(object) || qobject_cast<QComboBox *>(object) ||
        qobject_cast<QAbstractSpinBox *>(object) || qobject_cast<QAbstractSlider *>(object) ||
        qobject_cast<QAbstractItemView *>(object) || qobject_cast<QTextEdit *>(object) ||
        qobject_cast<QPlainTextEdit *>(object))
        object->setEnabled(enabled);
}

void Fill_Hatch_Combo(QComboBox *combo)
{
    for (const QString &name : Hatch_Style_Names())
        combo->addItem(Hatch_Style_Caption(name), name);
}

QString Chosen_Hatch_Name(const QComboBox *combo)
{
    return combo->currentIndex() < 0 ? QString() : combo->currentData().toString();
}

void Choose_Hatch_Name(QComboBox *combo, const QString &hatchName)
{
    combo->setCurrentIndex(hatchName.isEmpty() ? -1 : combo->findData(hatchName));
}

namespace {

// Asks for its content's whole size (and a vertical scroll bar's width, so a bar that comes
// never covers the content), up to a most.
class ScrollingPanel : public QScrollArea {
public:
    ScrollingPanel(QSize most) : m_most(most) {}
    QSize sizeHint() const override
    {
        const QWidget *content = widget();
        if (!content)
            return QScrollArea::sizeHint();
        const QSize wanted = content->sizeHint() + QSize(verticalScrollBar()->sizeHint().width(), 0);
        return wanted.boundedTo(m_most);
    }
    QSize minimumSizeHint() const override
    {
        // Wide enough for the content, so only the height scrolls.
        const QWidget *content = widget();
        const int width = content ? content->minimumSizeHint().width() + verticalScrollBar()->sizeHint().width() : 0;
        return {std::min(width, m_most.width()), 60};
    }

private:
    QSize m_most;
};

}  // namespace

QScrollArea *Scrolling_Panel(QLayout *content, QSize most, const char *name)
{
    auto *body = new QWidget;
    body->setObjectName(QString::fromLatin1(name) + QStringLiteral("_content"));
    body->setLayout(content);
    return Scrolling_Panel(body, most, name);
}

QScrollArea *Scrolling_Panel(QWidget *body, QSize most, const char *name)
{
    auto *area = new ScrollingPanel(most);
    area->setObjectName(QString::fromLatin1(name));
    area->setWidget(body);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->viewport()->setAutoFillBackground(false);
    return area;
}

void Fit_Window_To_Screen(QWidget *window, QSize wanted)
{
    constexpr int kTitleBar = 40;
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    QSize room = screen ? screen->availableGeometry().size() - QSize(0, kTitleBar) : wanted;
    window->resize(wanted.boundedTo(room));
}

void Finish_Field_Edit(QWidget *window)
{
    QWidget *focus = QApplication::focusWidget();
    if (!window || !focus || !window->isAncestorOf(focus))
        return;
    if (!qobject_cast<QLineEdit *>(focus) && !qobject_cast<QAbstractSpinBox *>(focus))
        return;
    // Leaving it runs what a Tab out of it runs (its check and its apply); the typing goes on in
    // it afterwards, as after a menu was opened over it.
    const QPointer<QWidget> field = focus;
    focus->clearFocus();
    if (field && field->isVisible() && field->isEnabled())
        field->setFocus(Qt::OtherFocusReason);
}

int Whole_Text_Width(const QLineEdit &box, const QString &text)
{
    const QMargins margins = box.textMargins();
    const int frame = box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &box) : 0;
    // Two pixels either side of the text, the cursor and one for a fractional advance.
    return box.fontMetrics().horizontalAdvance(text) + margins.left() + margins.right() + 2 * frame + 7;
}

void Keep_Text_Whole(QLineEdit *box, int least, int most)
{
    if (least < 0)
        least = box->minimumWidth() > 0 ? box->minimumWidth() : box->minimumSizeHint().width();
    const auto fit = [box, least, most] {
        box->setMinimumWidth(std::max(least, std::min(most, Whole_Text_Width(*box, box->text()))));
    };
    QObject::connect(box, &QLineEdit::textChanged, box, fit);
    fit();
}

int Window_Title_Width(const QWidget *window)
{
    constexpr int kTitleBarControls = 160;  // the window's icon and its three buttons
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(window->windowTitle()) + kTitleBarControls;
}

namespace {

class WholeTitles : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto *dialog = qobject_cast<QDialog *>(watched);
            if (dialog && dialog->isWindow()) {
                const int least = std::min(Window_Title_Width(dialog), dialog->maximumWidth());
                if (dialog->width() < least)
                    dialog->resize(least, dialog->height());
            }
        }
        return false;
    }
};

}  // namespace

void Keep_Dialog_Titles_Whole(QObject *owner)
{
    auto *filter = new WholeTitles(owner);  // leaves the application's filters with its owner
    qApp->installEventFilter(filter);
}

QColor Window_Background_Color() { return QColor(241, 244, 250); }

QString Window_Background_Style(const QString &selector)
{
    return QStringLiteral("%1 { background: %2; }").arg(selector, Window_Background_Color().name());
}

void Apply_Window_Background(QWidget *window)
{
    QPalette pal = window->palette();
    pal.setColor(QPalette::Window, Window_Background_Color());
    window->setPalette(pal);
    window->setAutoFillBackground(true);
}

QString List_Cell_Text(const QString &value)
{
    if (value.size() <= List_Cell_Max)
        return value;
    return platform::Whole_Characters_Within(value, List_Cell_Max - 1) + QChar(0x2026);
}

QStringList List_Cell_Texts(const QStringList &values)
{
    QStringList shown;
    shown.reserve(values.size());
    for (const QString &v : values)
        shown.append(List_Cell_Text(v));
    return shown;
}

void Bound_Name_Combo(QComboBox *combo)
{
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(16);
    if (auto *list = qobject_cast<QListView *>(combo->view()))
        list->setUniformItemSizes(true);
}

void Add_Name_Items(QComboBox *combo, const QStringList &names)
{
    Bound_Name_Combo(combo);
    combo->addItems(List_Cell_Texts(names));
}

void Limit_Field_Characters(QLineEdit *field, int limit)
{
    QObject::connect(field, &QLineEdit::textChanged, field, [field, limit](const QString &text) {
        const QString kept = platform::First_Characters(text, limit);
        if (kept.size() == text.size())
            return;
        const int cursor = std::min(field->cursorPosition(), int(kept.size()));
        field->setText(kept);
        field->setCursorPosition(cursor);
    });
}

void Show_Painted(QWidget *window, int waitMs)
{
    window->show();
    if (!window->isVisible())  // inside a window not on show: nothing to wait for
        return;
    // A window is mapped, and has painted, when it has handled the window system's first expose.
    const QDeadlineTimer deadline(waitMs);
    while (!window->testAttribute(Qt::WA_Mapped) && !deadline.hasExpired()) {
        QGuiApplication::sync();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!window->testAttribute(Qt::WA_Mapped))
            QThread::msleep(5);
    }
    // What was set on it since (a text) is drawn too, and reaches the screen before the work.
    window->repaint();
    QGuiApplication::sync();
}
