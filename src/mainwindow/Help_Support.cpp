#include "mainwindow/Help_Support.h"

#include "core/Utilities.h"
#include "mainwindow/WindowStyle.h"
#include "platform/UiServices.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QUrlQuery>
#include <QVBoxLayout>

QString Make_Mail_Link(const QString &to, const QString &subject, const QString &body)
{
    QString link = QStringLiteral("mailto:%1?subject=%2&body=%3").arg(to, subject, body).trimmed();
    link.replace(QLatin1Char('\n'), QStringLiteral("%0A%0A"));
    link.replace(QLatin1Char(' '), QStringLiteral("%20"));
    return link;
}

QString support_links::Support_Mail()
{
    return Make_Mail_Link(SupportMail, QStringLiteral("badgeloom support"), QString());
}

QString support_links::Reseller_Mail()
{
    return Make_Mail_Link(ResellerMail, QStringLiteral("Affiliate/Partnership Enquiry"),
                          QStringLiteral("Business name:\nContact details:\n"
                                         "I am interested in (please tick):\n"
                                         "[ ] Affiliate, paid by commission\n"
                                         "[ ] Reseller, buying several copies at a discount\n"
                                         "[ ] Another arrangement (please describe):"));
}

namespace {
QString withSite(const char *page, std::initializer_list<std::pair<const char *, QString>> query)
{
    QUrlQuery q;
    for (const auto &[key, value] : query)
        q.addQueryItem(QString::fromLatin1(key), QString::fromUtf8(QUrl::toPercentEncoding(value)));
    QUrl url(QString::fromLatin1(page));
    url.setQuery(q);
    return url.toString(QUrl::FullyEncoded);
}
}  // namespace

QString support_links::Facebook_Share()
{
    return withSite("https://www.facebook.com/sharer/sharer.php", {{"u", Website}});
}

QString support_links::Twitter_Share()
{
    return withSite("https://twitter.com/intent/tweet", {{"source", QStringLiteral("badgeloom")}, {"url", Website}});
}

QString support_links::Facebook_Like()
{
    return withSite("https://www.facebook.com/plugins/like.php", {{"href", Website}});
}

bool Open_Link(const QString &address)
{
    // Paths and addresses alike go to the desktop; what nothing can open is named to the user.
    return platform::Open_Or_Explain(address);
}

Help_Support::Help_Support(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Help_Support"));
    setWindowTitle(tr("Help and Support"));
    applyDialogBackground(this);
    setMinimumWidth(380);
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(tr("The user manual explains every window of badgeloom. For questions the "
                                "manual does not answer, write to us."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    const struct Link {
        const char *name, *title;
        void (Help_Support::*slot)();
    } links[] = {
        {"_Help_File_Label", "Open the user manual (Help.pdf)", &Help_Support::HelpFilePressed},
        {"support_id", "Write to support", &Help_Support::Open_Support_Mail},
        {"reseller_1", "Partnership enquiry", &Help_Support::Open_Reseller_Mail},
        {"website_1", "Visit the badgeloom web site", &Help_Support::Open_Website_1},
        {"facebook_btn", "Share badgeloom on Facebook", &Help_Support::Facebook_Clicked},
        {"twitter_btn", "Share badgeloom on X (Twitter)", &Help_Support::Twitter_Clicked},
        {"fb_like_btn", "Like badgeloom on Facebook", &Help_Support::FB_Like_Clicked},
    };
    for (const Link &l : links) {
        auto *b = new QPushButton(tr(l.title), this);
        b->setObjectName(QString::fromLatin1(l.name));
        b->setFlat(true);
        b->setCursor(Qt::PointingHandCursor);
        b->setStyleSheet(QStringLiteral("QPushButton { color: #1a5fb4; font-weight: bold; text-decoration: underline;"
                                        " text-align: left; }"));
        connect(b, &QPushButton::clicked, this, l.slot);
        layout->addWidget(b);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void Help_Support::HelpFilePressed() { Open_Help_File(); }
void Help_Support::Open_Support_Mail() { Open_Link(support_links::Support_Mail()); }
void Help_Support::Open_Reseller_Mail() { Open_Link(support_links::Reseller_Mail()); }
void Help_Support::Open_Website_1() { Open_Link(support_links::Website); }
void Help_Support::Facebook_Clicked() { Open_Link(support_links::Facebook_Share()); }
void Help_Support::Twitter_Clicked() { Open_Link(support_links::Twitter_Share()); }
void Help_Support::FB_Like_Clicked() { Open_Link(support_links::Facebook_Like()); }
