#include "mainwindow/Insert_Template.h"

#include "core/Globals.h"
#include "core/Utilities.h"
#include "mainwindow/WindowStyle.h"
#include "platform/Paths.h"

#include <QFile>
#include <algorithm>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString Template_Msg_Val;

QStringList Split_Stock_Texts(const QString &content)
{
    const QString trimmed = Trim_Str(content);
    if (trimmed.isEmpty())
        return {};
    return trimmed.split(QLatin1Char('\n'));
}

int Stock_Text_Step(int index, int count, int step)
{
    const int next = index + step;
    if (next >= count)
        return 0;
    if (next < 0)
        return std::max(count - 1, 0);
    return next;
}

namespace {
Insert_Template *g_instance = nullptr;
}  // namespace

QStringList Read_Stock_Texts(const QString &name)
{
    QFile file(platform::joinPath(Resource_Path, name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return Split_Stock_Texts(QString::fromUtf8(file.read(1 << 20)));
}

Insert_Template::Insert_Template(QWidget *parent) : QDialog(parent)
{
    g_instance = this;
    setObjectName(QStringLiteral("Insert_Template"));
    setModal(true);
    applyDialogBackground(this);
    resize(520, 130);
    auto *layout = new QVBoxLayout(this);
    msg_value = new QLineEdit(this);
    msg_value->setObjectName(QStringLiteral("msg_value"));
    layout->addWidget(msg_value);
    auto *row = new QHBoxLayout;
    const struct {
        const char *name, *title;
        void (Insert_Template::*slot)();
    } buttons[] = {{"Msg_Back_btn", "Back", &Insert_Template::Msg_Back_Click},
                   {"Msg_Next_btn", "Next", &Insert_Template::Msg_Next_Click},
                   {"Cancel_btn", "Cancel", &Insert_Template::CancelPressed},
                   {"OK_btn", "OK", &Insert_Template::OKPressed}};
    for (const auto &b : buttons) {
        auto *button = new QPushButton(tr(b.title), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, b.slot);
        row->addWidget(button);
        if (b.slot == &Insert_Template::Msg_Next_Click)
            row->addStretch();
    }
    layout->addLayout(row);
}

Insert_Template *Insert_Template::defaultInstance() { return g_instance; }

int Insert_Template::Open_Template_Dialog()
{
    Template_Msg_Val.clear();
    title_index = message_index = 0;
    Load_Msg_And_Title();
    const bool titles = title_or_msg == QStringLiteral("T");
    setWindowTitle(titles ? tr("Card Titles") : tr("Card Messages"));
    msg_value->setText(titles ? Get_Title() : Get_Message());
    return runScripted(*this);
}

void Insert_Template::Load_Msg_And_Title()
{
    Title_Array = Read_Stock_Texts(QStringLiteral("Title.txt"));
    Message_Array = Read_Stock_Texts(QStringLiteral("Message.txt"));
    title_count = int(Title_Array.size());
    message_count = int(Message_Array.size());
}

QString Insert_Template::Get_Title() const { return Title_Array.value(title_index); }
QString Insert_Template::Get_Message() const { return Message_Array.value(message_index); }

void Insert_Template::step(int by)
{
    if (title_or_msg == QStringLiteral("T")) {
        title_index = Stock_Text_Step(title_index, title_count, by);
        msg_value->setText(Get_Title());
    } else {
        message_index = Stock_Text_Step(message_index, message_count, by);
        msg_value->setText(Get_Message());
    }
}

void Insert_Template::Msg_Back_Click() { step(-1); }
void Insert_Template::Msg_Next_Click() { step(+1); }

void Insert_Template::OKPressed()
{
    Template_Msg_Val = Trim_Str(msg_value->text());
    if (!Template_Msg_Val.isEmpty()) {
        done(1);
        return;
    }
    Show_MessageBox(QStringLiteral("Please select message."));
    msg_value->setFocus();
}

void Insert_Template::CancelPressed()
{
    Template_Msg_Val.clear();
    done(0);
}
