// The main window's links to the project: its web pages, its mailboxes and the social services'
// share pages, from the Help menu, the tool bar and the share window.

#include "mainwindow/Help_Support.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/Share_It_Dlg.h"

#include <QAction>
#include <QMenu>

void SKTWindowController::Open_Support_Mail() { Open_Link(support_links::Support_Mail()); }
void SKTWindowController::Open_Reseller_Mail() { Open_Link(support_links::Reseller_Mail()); }
void SKTWindowController::Open_Website_1() { Open_Link(support_links::Website); }
void SKTWindowController::Open_Website_2() { Open_Link(support_links::ProductSite); }
void SKTWindowController::Open_Website_3() { Open_Link(support_links::OnlineHelp); }
void SKTWindowController::Open_FaceBook() { Open_Link(support_links::Facebook_Share()); }
void SKTWindowController::Open_Twitter() { Open_Link(support_links::Twitter_Share()); }
void SKTWindowController::Open_FB_Like() { Open_Link(support_links::Facebook_Like()); }
void SKTWindowController::Open_Share_It_Dl() { Open_Link(support_links::CommentsPage); }
void SKTWindowController::Open_Share_It_And_Get_It_Free() { Open_Link(support_links::GetItFreePage); }
void SKTWindowController::Share_It_Button_Clicked() { Open_Share_It_Dl(); }
void SKTWindowController::Get_It_Free_Button_Clicked() { Open_Share_It_And_Get_It_Free(); }
void SKTWindowController::Facebook_Clicked() { Open_FaceBook(); }
void SKTWindowController::Twitter_Clicked() { Open_Twitter(); }
void SKTWindowController::FB_Like_Clicked() { Open_FB_Like(); }

void SKTWindowController::Show_Share_It_Dlg() { Share_It_Dlg::defaultInstance()->Open_Wnd(); }

void SKTWindowController::buildLinksMenu(QMenu *help)
{
    new Share_It_Dlg(this);
    QMenu *web = help->addMenu(tr("badgeloom on the Web"));
    web->setObjectName(QStringLiteral("web_menu"));
    const struct Item {
        const char *name, *title;
        void (SKTWindowController::*slot)();
    } items[] = {
        {"website_2_menu", "badgeloom Web Site", &SKTWindowController::Open_Website_2},
        {"website_3_menu", "Manual on the Web", &SKTWindowController::Open_Website_3},
        {"support_mail_menu", "Write to Support…", &SKTWindowController::Open_Support_Mail},
        {"reseller_mail_menu", "Partnership Enquiry…", &SKTWindowController::Open_Reseller_Mail},
        {nullptr, nullptr, nullptr},
        {"share_it_dlg_menu", "Share badgeloom…", &SKTWindowController::Show_Share_It_Dlg},
        {"share_it_menu", "Leave a Comment", &SKTWindowController::Open_Share_It_Dl},
        {"get_it_free_menu", "Get badgeloom Free", &SKTWindowController::Open_Share_It_And_Get_It_Free},
        {"facebook_menu", "Share on Facebook", &SKTWindowController::Facebook_Clicked},
        {"twitter_menu", "Share on X (Twitter)", &SKTWindowController::Twitter_Clicked},
        {"fb_like_menu", "Like on Facebook", &SKTWindowController::FB_Like_Clicked},
    };
    for (const Item &item : items) {
        if (!item.name) {
            web->addSeparator();
            continue;
        }
        QAction *a = web->addAction(tr(item.title));
        a->setObjectName(QString::fromLatin1(item.name));
        connect(a, &QAction::triggered, this, item.slot);
    }
}
