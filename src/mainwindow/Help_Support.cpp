#include "mainwindow/Help_Support.h"

#include "canvas/VerticallyCenteredTextFieldCell.h"
#include "core/Utilities.h"
#include "mainwindow/WindowStyle.h"
#include "platform/UiServices.h"

#include "badgeloom_version.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
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

QColor Link_Color() { return QColor(0x1a, 0x5f, 0xb4); }

void Apply_Link_Style(QAbstractButton *button)
{
    QFont font = button->font();
    font.setBold(true);
    font.setPointSize(11);
    font.setUnderline(true);
    button->setFont(font);
    if (auto *push = qobject_cast<QPushButton *>(button))
        push->setFlat(true);
    button->setCursor(Qt::OpenHandCursor);
    button->setStyleSheet(QStringLiteral("QPushButton { color: %1; background: %2; border: none; text-align: left; }")
                              .arg(Link_Color().name(), dialogBackgroundColor().name()));
}

Help_Support::Help_Support(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Help_Support"));
    setWindowTitle(tr("Help and Support"));
    applyDialogBackground(this);
    setMinimumWidth(380);
    auto *layout = new QVBoxLayout(this);
    auto *heading = new VerticallyCenteredTextFieldCell(tr("badgeloom Help and Support"), this);
    heading->setObjectName(QStringLiteral("help_title"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setMinimumHeight(40);
    layout->addWidget(heading);
    auto *intro = new QLabel(tr("The user manual explains every window of badgeloom. For questions the "
                                "manual does not answer, write to us."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    // Named in every report to support: which build the user runs.
    auto *version = new QLabel(tr("badgeloom version %1").arg(QStringLiteral(BADGELOOM_VERSION)), this);
    version->setObjectName(QStringLiteral("version_label"));
    version->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(version);
    const struct Link {
        const char *name, *title;
        void (Help_Support::*slot)();
        bool linkStyle;
    } links[] = {
        {"_Help_File_Label", "Open the user manual (Help.pdf)", &Help_Support::HelpFilePressed, true},
        {"support_id_2", "Read the manual on the web", &Help_Support::Open_Website_3, true},
        {"support_id", "Write to support", &Help_Support::Open_Support_Mail, true},
        {"website_1", "Visit the badgeloom web site", &Help_Support::Open_Website_1, true},
        {"reseller_1", "Become a reseller", &Help_Support::Open_Reseller_Mail, false},
        {"reseller_2", "Become an affiliate", &Help_Support::Open_Reseller_Mail, false},
        {"facebook_btn", "Share badgeloom on Facebook", &Help_Support::Facebook_Clicked, true},
        {"twitter_btn", "Share badgeloom on X (Twitter)", &Help_Support::Twitter_Clicked, true},
        {"fb_like_btn", "Like badgeloom on Facebook", &Help_Support::FB_Like_Clicked, true},
    };
    // The two partnership buttons share a row: both open the one enquiry, which offers each kind.
    QHBoxLayout *partners = nullptr;
    for (const Link &l : links) {
        auto *b = new QPushButton(tr(l.title), this);
        b->setObjectName(QString::fromLatin1(l.name));
        connect(b, &QPushButton::clicked, this, l.slot);
        if (l.linkStyle) {
            Apply_Link_Style(b);
            layout->addWidget(b);
            continue;
        }
        b->setToolTip(tr("A mail to %1 asking about a partnership").arg(support_links::ResellerMail));
        if (!partners) {
            partners = new QHBoxLayout;
            partners->addWidget(new QLabel(tr("Partners:"), this));
            layout->addLayout(partners);
        }
        partners->addWidget(b);
    }
    partners->addStretch(1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void Help_Support::HelpFilePressed() { Open_Help_File(); }
void Help_Support::Open_Support_Mail() { Open_Link(support_links::Support_Mail()); }
void Help_Support::Open_Reseller_Mail() { Open_Link(support_links::Reseller_Mail()); }
void Help_Support::Open_Website_1() { Open_Link(support_links::Website); }
void Help_Support::Open_Website_3() { Open_Link(support_links::OnlineHelp); }
void Help_Support::Facebook_Clicked() { Open_Link(support_links::Facebook_Share()); }
void Help_Support::Twitter_Clicked() { Open_Link(support_links::Twitter_Share()); }
void Help_Support::FB_Like_Clicked() { Open_Link(support_links::Facebook_Like()); }
