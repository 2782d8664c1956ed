#pragma once
// The stock-text picker: ready-made card titles ("Title.txt") or messages ("Message.txt") of the
// resources, shown one at a time with Back and Next; OK accepts the field's text as it stands.

#include "canvas/ScriptedModal.h"

#include <QDialog>
#include <QStringList>

class QLineEdit;

// The stock texts of a file's content: trimmed at both ends, split at every line feed.
QStringList Split_Stock_Texts(const QString &content);
// The stock texts of a resource file ("Title.txt", "Message.txt"); none when it cannot be read.
QStringList Read_Stock_Texts(const QString &name);
// The index one step (+1 Next, -1 Back) from `index` among `count` entries, wrapping at both ends.
int Stock_Text_Step(int index, int count, int step);

// The accepted text; empty when cancelled.
extern QString Template_Msg_Val;

class Insert_Template : public QDialog, public ScriptedModal<Insert_Template> {
    Q_OBJECT
public:
    explicit Insert_Template(QWidget *parent = nullptr);
    static Insert_Template *defaultInstance();

    QString title_or_msg = QStringLiteral("T");  // "T" titles, anything else messages
    QStringList Title_Array, Message_Array;
    int title_count = 0, message_count = 0, title_index = 0, message_index = 0;
    QLineEdit *msg_value = nullptr;

    // 1 a text was accepted (in Template_Msg_Val), 0 cancelled.
    int Open_Template_Dialog();
    void Load_Msg_And_Title();
    QString Get_Title() const;
    QString Get_Message() const;

public slots:
    void OKPressed();
    void CancelPressed();
    void Msg_Back_Click();
    void Msg_Next_Click();

private:
    void step(int by);
};
