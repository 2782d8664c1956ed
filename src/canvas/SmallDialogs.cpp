#include "canvas/SmallDialogs.h"

#include "platform/MainThread.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

QString Cutom_Msg_Title, Cutom_Msg_Val;
bool Msg_Apply_All_Chk = false, Msg_Apply_All_Chk_for_in_use = false;

namespace {
// Cleared when that box goes, so a box that lived on a stack never leaves a dangling default.
QPointer<Long_SMS_Dlg> g_longBox;

void dialogLook(QDialog *d)
{
    QPalette p = d->palette();
    p.setColor(QPalette::Window, QColor::fromRgbF(0.9450980392156862f, 0.9568627450980393f, 0.9803921568627451f));
    d->setPalette(p);
    d->setAutoFillBackground(true);
}
}  // namespace

Long_SMS_Dlg::Long_SMS_Dlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Long_SMS_Dlg"));
    dialogLook(this);
    g_longBox = this;
    auto *layout = new QVBoxLayout(this);
    _Msg_Title = new QLabel(this);
    _Msg_Title->setObjectName(QStringLiteral("_Msg_Title"));
    QFont bold = _Msg_Title->font();
    bold.setBold(true);
    _Msg_Title->setFont(bold);
    _Msg_Val = new QLabel(this);
    _Msg_Val->setObjectName(QStringLiteral("_Msg_Val"));
    _Msg_Val->setWordWrap(true);
    _Msg_Val->setTextInteractionFlags(Qt::TextSelectableByMouse);
    apply_chk = new QCheckBox(tr("Apply to all"), this);
    apply_chk->setObjectName(QStringLiteral("apply_chk"));
    yes_button = new QPushButton(tr("Yes"), this);
    yes_button->setObjectName(QStringLiteral("yes_button"));
    no_button = new QPushButton(tr("No"), this);
    no_button->setObjectName(QStringLiteral("no_button"));
    yes_button->setDefault(true);
    connect(yes_button, &QPushButton::clicked, this, &Long_SMS_Dlg::OKPressed);
    connect(no_button, &QPushButton::clicked, this, &Long_SMS_Dlg::CancelPressed);
    layout->addWidget(_Msg_Title);
    layout->addWidget(_Msg_Val, 1);
    auto *row = new QHBoxLayout;
    row->addWidget(apply_chk);
    row->addStretch(1);
    row->addWidget(no_button);
    row->addWidget(yes_button);
    layout->addLayout(row);
    setMinimumWidth(420);
}

Long_SMS_Dlg::~Long_SMS_Dlg()
{
    // A box that goes with its window leaves no instance behind for the next caller.
    if (g_longBox == this)
        g_longBox = nullptr;
}

Long_SMS_Dlg *Long_SMS_Dlg::defaultInstance()
{
    if (g_longBox)
        return g_longBox.data();
    // No window owns the shared box (a widget cannot be the application's child): it goes as the
    // application leaves its event loop, and the guarded pointer clears with it.
    auto *box = new Long_SMS_Dlg;
    if (QCoreApplication *app = QCoreApplication::instance())
        QObject::connect(app, &QCoreApplication::aboutToQuit, box, &QObject::deleteLater);
    return box;
}

int Long_SMS_Dlg::Open_Long_sms_Dialog()
{
    return platform::runOnGuiThreadFor<int>([this] {
        const bool help = title_val.isEmpty();
        const bool single = help || show_single_button;
        _Msg_Title->setText(help ? Cutom_Msg_Title : title_val);
        _Msg_Val->setText(help ? Cutom_Msg_Val : msg_val_str);
        no_button->setVisible(!single);
        yes_button->setText(single ? tr("OK") : tr("Yes"));
        const bool check = apply_chk_show && !help;
        apply_chk->setVisible(check);
        apply_chk->setChecked(show_single_button ? Msg_Apply_All_Chk_for_in_use : Msg_Apply_All_Chk);
        if (check) {
            raise();
            activateWindow();
        }
        return runScripted(*this);
    });
}

void Long_SMS_Dlg::finish(int code)
{
    // The state is kept only for a box that showed the check box.
    if (apply_chk->isVisibleTo(this))
        (show_single_button ? Msg_Apply_All_Chk_for_in_use : Msg_Apply_All_Chk) = apply_chk->isChecked();
    modl_response = code;
    done(code);
}

void Long_SMS_Dlg::OKPressed() { finish(1); }
void Long_SMS_Dlg::CancelPressed() { finish(0); }

PleaseWait_Modeless::PleaseWait_Modeless(const QString &text, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PleaseWait_Modeless"));
    dialogLook(this);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(text, this));
}

bool OnlyIntegerValueFormatter::isPartialStringValid(const QString &text)
{
    static const QRegularExpression whole(QStringLiteral("^\\s*[-+]?\\d+\\s*$"));
    return text.isEmpty() || whole.match(text).hasMatch();
}

QValidator::State OnlyIntegerValueFormatter::validate(QString &input, int &) const
{
    if (isPartialStringValid(input))
        return Acceptable;
    static const QRegularExpression marked(QStringLiteral("^\\s*[-+]?[\\d.,'\\s\u2019\u00a0\u202f]*$"));
    if (marked.match(input).hasMatch())
        return Intermediate;
    QApplication::beep();
    return Invalid;
}
