// The links to the project from the main window, the help window and the share window: every
// button and menu item hands the desktop its exact address, the share window's buttons open what
// the main window's do, and the tool bar's Help button keeps its size.

#include "ControllerFixture.h"

#include "mainwindow/Help_Support.h"
#include "mainwindow/Share_It_Dlg.h"
#include "canvas/VerticallyCenteredTextFieldCell.h"
#include "canvas/WidgetUtilities.h"

#include <QAction>
#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>
#include <QUrl>
#include <QUrlQuery>
#include <functional>

namespace {

using LinksTest = WindowTest;

const QString kSite = QStringLiteral("https://badgeloom.org");
const QString kComments = QStringLiteral("https://badgeloom.org/comments");
const QString kFree = QStringLiteral("https://badgeloom.org/get-it-free");
const QString kOnlineHelp = QStringLiteral("https://badgeloom.org/help");
const QString kSupport = QStringLiteral("mailto:support@badgeloom.org?subject=badgeloom%20support&body=");
const QString kReseller = QStringLiteral(
    "mailto:partners@badgeloom.org?subject=Affiliate/Partnership%20Enquiry&body=Business%20name:%0A%0A"
    "Contact%20details:%0A%0AI%20am%20interested%20in%20(please%20tick):%0A%0A"
    "[%20]%20Affiliate,%20paid%20by%20commission%0A%0A[%20]%20Reseller,%20buying%20several%20copies%20at%20a%20"
    "discount%0A%0A[%20]%20Another%20arrangement%20(please%20describe):");
const QString kFacebook = QStringLiteral("https://www.facebook.com/sharer/sharer.php?u=https%3A%2F%2Fbadgeloom.org");
const QString kTweet = QStringLiteral("https://twitter.com/intent/tweet?source=badgeloom&url=https%3A%2F%2Fbadgeloom.org");
const QString kLike = QStringLiteral("https://www.facebook.com/plugins/like.php?href=https%3A%2F%2Fbadgeloom.org");

struct Case {
    QString what;
    std::function<void()> press;
    QString address;
};

TEST_F(LinksTest, EveryLinkButtonAndMenuItemHandsTheDesktopItsAddress)
{
    Share_It_Dlg *share = Share_It_Dlg::defaultInstance();
    ASSERT_NE(share, nullptr);
    EXPECT_EQ(share->parent(), controller.get()) << "the main window's one share window";
    Help_Support help(controller.get());
    const auto item = [this](const char *name) {
        return Case{QString::fromLatin1(name), [this, name] { press(outlet<QAction>(name)); }, {}};
    };
    const auto tool = [this](const char *name) {
        return Case{QString::fromLatin1(name), [this, name] { click(name); }, {}};
    };
    const auto in = [](QWidget *window, const char *name) {
        return Case{window->objectName() + ": " + name, [window, name] {
                        auto *b = window->findChild<QPushButton *>(QString::fromLatin1(name));
                        ASSERT_NE(b, nullptr) << name;
                        window->show();  // opened, used and closed as a user does
                        press(b);
                        window->hide();
                    },
                    {}};
    };
    const auto to = [](Case c, const QString &address) {
        c.address = address;
        return c;
    };
    const Case cases[] = {
        // Help > badgeloom on the Web
        to(item("website_2_menu"), kSite),
        to(item("website_3_menu"), kOnlineHelp),
        to(item("support_mail_menu"), kSupport),
        to(item("reseller_mail_menu"), kReseller),
        to(item("share_it_menu"), kComments),
        to(item("get_it_free_menu"), kFree),
        to(item("facebook_menu"), kFacebook),
        to(item("twitter_menu"), kTweet),
        to(item("fb_like_menu"), kLike),
        // the tool bar
        to(tool("Share_It_btn"), kComments),
        to(tool("Get_It_Free_btn"), kFree),
        // the share window: as the main window's
        to(in(share, "share_it_btn"), kComments),
        to(in(share, "get_it_free_btn"), kFree),
        to(in(share, "facebook_btn"), kFacebook),
        to(in(share, "twitter_btn"), kTweet),
        to(in(share, "fb_like_btn"), kLike),
        // the help window
        to(in(&help, "website_1"), kSite),
        to(in(&help, "support_id"), kSupport),
        to(in(&help, "support_id_2"), kOnlineHelp),
        to(in(&help, "reseller_1"), kReseller),
        to(in(&help, "reseller_2"), kReseller),
        to(in(&help, "facebook_btn"), kFacebook),
        to(in(&help, "twitter_btn"), kTweet),
        to(in(&help, "fb_like_btn"), kLike),
    };
    for (const Case &c : cases) {
        ui->clear();
        c.press();
        const auto requests = ui->requests();
        ASSERT_EQ(requests.size(), 1u) << c.what.toStdString();
        EXPECT_EQ(requests[0].kind, "openExternally") << c.what.toStdString();
        EXPECT_EQ(requests[0].text, c.address) << c.what.toStdString();
    }

    // Each social service finds the web site under its own query key.
    const struct {
        QString address;
        QStringList keys;
    } services[] = {{kFacebook, {"u"}}, {kTweet, {"source", "url"}}, {kLike, {"href"}}};
    for (const auto &s : services) {
        const QUrlQuery query(QUrl(s.address, QUrl::StrictMode));
        QStringList keys;
        for (const auto &[key, value] : query.queryItems(QUrl::FullyDecoded))
            keys << key;
        EXPECT_EQ(keys, s.keys);
        EXPECT_EQ(query.queryItemValue(s.keys.back(), QUrl::FullyDecoded), kSite);
    }
    EXPECT_EQ(QUrlQuery(QUrl(kTweet)).queryItemValue("source"), "badgeloom");
}

// The share window is opened from Help, looks like the other dialogs, and OK ends it with 1.
TEST_F(LinksTest, TheShareWindowOpensFromHelpAndOKEndsItWithOne)
{
    press(outlet<QAction>("share_it_dlg_menu"));
    ASSERT_EQ(ui->requests().size(), 1u);
    EXPECT_EQ(ui->requests()[0].kind, "Share_It_Dlg");
    EXPECT_EQ(ui->requests()[0].text, "Share badgeloom");
    Share_It_Dlg &share = *Share_It_Dlg::defaultInstance();
    share.show();
    QCoreApplication::processEvents();
    const QImage shown = share.grab().toImage();
    EXPECT_EQ(shown.pixelColor(3, shown.height() / 2), Window_Background_Color());
    const QSize least = share.minimumSizeHint().expandedTo(share.size());
    EXPECT_TRUE(least.width() <= 1024 && least.height() <= 700 - 28) << least.width() << "x" << least.height();
    // Its heading, like the help window's, keeps its line in the middle of its taller row.
    Help_Support help(controller.get());
    for (QWidget *window : {static_cast<QWidget *>(&share), static_cast<QWidget *>(&help)}) {
        const auto headings = window->findChildren<VerticallyCenteredTextFieldCell *>();
        ASSERT_EQ(headings.size(), 1) << window->objectName().toStdString();
        EXPECT_GE(headings[0]->minimumHeight(), 40);
    }
    press(share.findChild<QPushButton *>(QStringLiteral("OK_btn")));
    EXPECT_EQ(share.result(), 1);
    EXPECT_FALSE(share.isVisible());
}

// Links look like links: the link blue in what they draw, and the open hand over them.
TEST_F(LinksTest, LinkButtonsDrawTheLinkBlueUnderTheOpenHand)
{
    Help_Support help(controller.get());
    Share_It_Dlg &share = *Share_It_Dlg::defaultInstance();
    help.show();
    share.show();
    QCoreApplication::processEvents();
    const std::pair<QWidget *, const char *> links[] = {
        {&help, "_Help_File_Label"}, {&help, "website_1"},     {&help, "support_id"},
        {&help, "support_id_2"},     {&share, "share_it_btn"}, {&share, "get_it_free_btn"}};
    for (const auto &[window, name] : links) {
        auto *b = window->findChild<QPushButton *>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->cursor().shape(), Qt::OpenHandCursor) << name;
        const QImage drawn = b->grab().toImage();
        int blue = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                blue += drawn.pixelColor(x, y) == Link_Color();
        EXPECT_GT(blue, 10) << name;
    }
    share.hide();
}

// However small its icon or its own least size, the tool bar's Help button stays 42 by 27; a
// plain command button given the same shrinks.
TEST_F(LinksTest, TheToolBarHelpButtonKeepsItsLeastSize)
{
    controller->resize(1024, 700);
    controller->show();
    QCoreApplication::processEvents();
    auto *help = outlet<QToolButton>("Help_btn");
    auto *other = outlet<QToolButton>("Cropping_Tool_btn");
    ASSERT_TRUE(help && other);
    for (QToolButton *b : {help, other}) {
        b->setIconSize(QSize(8, 8));
        b->setMinimumSize(0, 0);
        b->updateGeometry();
    }
    auto *bar = outlet<QToolBar>("tool_bar");
    bar->layout()->invalidate();
    bar->layout()->activate();
    QCoreApplication::processEvents();
    ASSERT_TRUE(help->isVisible()) << "Help is on the bar, not folded away";
    EXPECT_GE(help->width(), 42);
    EXPECT_GE(help->height(), 27);
    EXPECT_LT(other->width(), 42) << "the check can fail";
}

}  // namespace
