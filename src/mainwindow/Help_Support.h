#pragma once
// The help and support window: the user manual and the project's contact links, each handed to
// the desktop (default PDF viewer, mail program, web browser) through the UI services. The
// addresses live here once; the main window's link commands, its menu items and the share
// dialog open the same ones.

#include <QColor>
#include <QDialog>
#include <QString>

class QAbstractButton;

// A prepared mail as an address: "mailto:<to>?subject=<subject>&body=<body>", trimmed, with every
// line feed written as "%0A%0A" (a blank line in the mail) and every blank as "%20".
QString Make_Mail_Link(const QString &to, const QString &subject, const QString &body);

// The project's addresses. The project's web site is also badgeloom's own: the maker's site and
// the product's site are one; every other page is a page of that site.
namespace support_links {
inline const QString Website = QStringLiteral("https://badgeloom.org");
inline const QString SupportMail = QStringLiteral("support@badgeloom.org");
inline const QString ResellerMail = QStringLiteral("partners@badgeloom.org");
// The product's web site, and its second one: the manual on the web.
inline const QString ProductSite = Website;
inline const QString OnlineHelp = Website + QStringLiteral("/help");
// Where users leave and read comments on badgeloom (the page the share buttons open), and the
// page that says how to get badgeloom free.
inline const QString CommentsPage = Website + QStringLiteral("/comments");
inline const QString GetItFreePage = Website + QStringLiteral("/get-it-free");
// A new mail to the support mailbox, and the partnership enquiry.
QString Support_Mail();
QString Reseller_Mail();
// The social services' pages for sharing the web site: Facebook's share page (query key "u"),
// the tweet page ("source" a sharing tag, "url") and Facebook's like page ("href").
QString Facebook_Share();
QString Twitter_Share();
QString Facebook_Like();
}  // namespace support_links

// Hands an address (web page or mail) to the desktop; false when nothing could take it.
bool Open_Link(const QString &address);

// The look of a link on a button: bold 11-point blue underlined title on the dialog background,
// the open-hand cursor over it.
void Apply_Link_Style(QAbstractButton *button);
// The blue of that title.
QColor Link_Color();

class Help_Support : public QDialog {
    Q_OBJECT
public:
    explicit Help_Support(QWidget *parent = nullptr);

public slots:
    void HelpFilePressed();
    void Open_Support_Mail();
    void Open_Reseller_Mail();
    void Open_Website_1();
    void Open_Website_3();
    void Facebook_Clicked();
    void Twitter_Clicked();
    void FB_Like_Clicked();
    // The comments button of the window does nothing.
    void Social_Comments_Clicked() {}
};
