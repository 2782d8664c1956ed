#include "mainwindow/Share_It_Dlg.h"

#include "canvas/VerticallyCenteredTextFieldCell.h"
#include "mainwindow/Help_Support.h"
#include "mainwindow/WindowStyle.h"
#include "platform/UiServices.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
Share_It_Dlg *g_instance = nullptr;
}

Share_It_Dlg *Share_It_Dlg::defaultInstance() { return g_instance; }

Share_It_Dlg::~Share_It_Dlg()
{
    if (g_instance == this)
        g_instance = nullptr;
}

Share_It_Dlg::Share_It_Dlg(QWidget *parent) : QDialog(parent)
{
    g_instance = this;
    setObjectName(QStringLiteral("Share_It_Dlg"));
    setWindowTitle(tr("Share badgeloom"));
    setModal(true);
    applyDialogBackground(this);
    setMinimumWidth(380);
    auto *layout = new QVBoxLayout(this);
    auto *heading = new VerticallyCenteredTextFieldCell(tr("Tell others about badgeloom"), this);
    heading->setObjectName(QStringLiteral("share_title"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setMinimumHeight(40);
    layout->addWidget(heading);
    auto *intro = new QLabel(tr("If badgeloom helps you, say so where others will read it: leave a comment on "
                                "our web site or share it with your friends."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    const struct Button {
        const char *name, *title;
        void (Share_It_Dlg::*slot)();
    } buttons[] = {
        {"share_it_btn", "Leave a comment on badgeloom.org", &Share_It_Dlg::Share_It_Button_Clicked},
        {"get_it_free_btn", "How to get badgeloom free", &Share_It_Dlg::Get_It_Free_Button_Clicked},
        {"facebook_btn", "Share badgeloom on Facebook", &Share_It_Dlg::Facebook_Clicked},
        {"twitter_btn", "Share badgeloom on X (Twitter)", &Share_It_Dlg::Twitter_Clicked},
        {"fb_like_btn", "Like badgeloom on Facebook", &Share_It_Dlg::FB_Like_Clicked},
    };
    for (const Button &b : buttons) {
        auto *button = new QPushButton(tr(b.title), this);
        button->setObjectName(QString::fromLatin1(b.name));
        Apply_Link_Style(button);
        connect(button, &QPushButton::clicked, this, b.slot);
        layout->addWidget(button);
    }
    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    box->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OK_btn"));
    connect(box, &QDialogButtonBox::accepted, this, &Share_It_Dlg::OK_Clicked);
    layout->addWidget(box);
}

int Share_It_Dlg::Open_Wnd()
{
    return platform::ui().runModal(objectName(), windowTitle(), [this] { return exec(); });
}

void Share_It_Dlg::Share_It_Button_Clicked() { Open_Link(support_links::CommentsPage); }
void Share_It_Dlg::Get_It_Free_Button_Clicked() { Open_Link(support_links::GetItFreePage); }
void Share_It_Dlg::Facebook_Clicked() { Open_Link(support_links::Facebook_Share()); }
void Share_It_Dlg::Twitter_Clicked() { Open_Link(support_links::Twitter_Share()); }
void Share_It_Dlg::FB_Like_Clicked() { Open_Link(support_links::Facebook_Like()); }
