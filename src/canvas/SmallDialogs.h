#pragma once
// Small dialogs other windows share: a message box with long text, an optional second button and
// an optional "apply to all" check box; a please-wait panel; and a validator that admits only
// whole numbers while typing.

#include "canvas/ScriptedModal.h"

#include <QDialog>
#include <QValidator>

class QCheckBox;
class QLabel;
class QPushButton;

// Title and text of the help form, and the "apply to all" states of the two-button and the
// one-button form; the states survive between boxes until a batch run resets them.
extern QString Cutom_Msg_Title, Cutom_Msg_Val;
extern bool Msg_Apply_All_Chk, Msg_Apply_All_Chk_for_in_use;

class Long_SMS_Dlg : public QDialog, public ScriptedModal<Long_SMS_Dlg> {
    Q_OBJECT
public:
    explicit Long_SMS_Dlg(QWidget *parent = nullptr);
    ~Long_SMS_Dlg() override;
    static Long_SMS_Dlg *defaultInstance();

    // Set before opening. Without a title the box is the help form (the globals' texts, "OK").
    QString title_val, msg_val_str;
    bool show_single_button = false, apply_chk_show = false;
    int modl_response = 0;

    // 1 after OK or Yes, 0 after No. From a worker thread the box runs on the GUI thread.
    int Open_Long_sms_Dialog();

    QLabel *_Msg_Title, *_Msg_Val;
    QPushButton *yes_button, *no_button;
    QCheckBox *apply_chk;

public slots:
    void OKPressed();
    void CancelPressed();

private:
    void finish(int code);
};

class PleaseWait_Modeless : public QDialog {
    Q_OBJECT
public:
    explicit PleaseWait_Modeless(const QString &text = tr("Please wait…"), QWidget *parent = nullptr);
};

// Whole numbers only while typing: empty, or one integer (optional sign, blanks around it) and
// nothing else. A decimal point or a digit-group mark among the digits is kept as typed (dropped,
// "1.500" would read as 1500) for the window to refuse the whole text; any other key is refused
// with a beep.
class OnlyIntegerValueFormatter : public QValidator {
public:
    using QValidator::QValidator;
    static bool isPartialStringValid(const QString &text);
    State validate(QString &input, int &pos) const override;
};
