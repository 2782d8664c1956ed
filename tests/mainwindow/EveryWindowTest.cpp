// Every window the application can open, built over the application's own set-up: no button or
// menu item that is enabled may reach nothing. A push button, tool button or menu item counts as
// reaching something when a slot listens to it (directly, through its action group or its
// button box) or when it opens a menu; check boxes and radio buttons hold a state their
// window reads, and are left out.

#include "ControllerFixture.h"

#include "canvas/SmallDialogs.h"
#include "data/ImportWizard.h"
#include "data/SeriesGeneratorWindow.h"
#include "data/SeriesImport.h"
#include "data/SeriesManagerWindow.h"
#include "data/SeriesViewer.h"
#include "data/export/ExportDialogs.h"
#include "data/export/ExportSheet.h"
#include "data/spreadsheet/Import_Excel.h"
#include "groupmode/GroupModeHost.h"
#include "groupmode/Group_Mode_Wizard.h"
#include "imaging/Cropping_Tool.h"
#include "mainwindow/Help_Support.h"
#include "output/mail/MailWindows.h"
#include "output/print/Print_Wnd.h"
#include "properties/Barcode_Gen.h"
#include "visitor/Visitor_Log_Records.h"

#include <QAction>
#include <QActionGroup>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMetaMethod>
#include <QPushButton>
#include <algorithm>

namespace {

// Whether a slot listens to the signal. QObject keeps the question to itself; a derived class
// may name it.
struct Listeners : QObject {
    using QObject::isSignalConnected;
    using QObject::receivers;
};

template <class Signal>
bool listened(const QObject *sender, Signal signal)
{
    return sender && (sender->*(&Listeners::isSignalConnected))(QMetaMethod::fromSignal(signal));
}

bool reachesSomething(const QAbstractButton &b)
{
    if (auto *push = qobject_cast<const QPushButton *>(&b); push && push->menu())
        return true;
    if (auto *tool = qobject_cast<const QToolButton *>(&b); tool && (tool->menu() || tool->defaultAction()))
        return true;
    // A button box listens to its buttons for itself: its own signals must be heard.
    if (auto *box = qobject_cast<const QDialogButtonBox *>(b.parent()))
        return listened(box, &QDialogButtonBox::clicked) || listened(box, &QDialogButtonBox::accepted) ||
               listened(box, &QDialogButtonBox::rejected);
    return listened(&b, &QAbstractButton::clicked) || listened(&b, &QAbstractButton::pressed) ||
           listened(&b, &QAbstractButton::released) || listened(&b, &QAbstractButton::toggled);
}

bool reachesSomething(const QAction &a)
{
    if (a.menu() || listened(&a, &QAction::toggled) || listened(a.actionGroup(), &QActionGroup::triggered))
        return true;
    // Every menu that shows the item listens to it for itself; a slot of ours is one more.
    const QList<QObject *> shownIn = a.associatedObjects();
    const auto menus = std::count_if(shownIn.begin(), shownIn.end(),
                                     [](const QObject *o) { return qobject_cast<const QMenu *>(o) != nullptr; });
    return (a.*(&Listeners::receivers))(SIGNAL(triggered(bool))) > menus;
}

// "window: control" for every enabled control that reaches nothing.
QStringList silentControls(const QWidget &window)
{
    QStringList silent;
    const QString where = window.objectName().isEmpty() ? QString::fromLatin1(window.metaObject()->className())
                                                         : window.objectName();
    for (const QAbstractButton *b : window.findChildren<QAbstractButton *>()) {
        if (!b->isEnabled() || b->isCheckable() || reachesSomething(*b))
            continue;
        silent << where + ": " + (b->objectName().isEmpty() ? b->text() : b->objectName());
    }
    for (const QAction *a : window.findChildren<QAction *>()) {
        if (!a->isEnabled() || a->isSeparator() || a->isCheckable() || reachesSomething(*a))
            continue;
        // Qt's own actions (a line edit's clear button, a text editor's menu) are Qt's business.
        if (a->objectName().startsWith(QLatin1String("_q_")) || a->text().isEmpty())
            continue;
        silent << where + ": " + (a->objectName().isEmpty() ? a->text() : a->objectName());
    }
    return silent;
}

using EveryWindowTest = WindowTest;

// The probe itself finds what it is meant to find.
TEST(EveryWindowProbe, FindsAButtonOrItemThatReachesNothing)
{
    QDialog window;
    window.setObjectName("probe");
    auto *silent = new QPushButton("silent", &window);
    silent->setObjectName("silent_btn");
    QObject::connect(new QPushButton("heard", &window), &QPushButton::clicked, &window, &QDialog::accept);
    new QPushButton("disabled", &window);
    window.findChildren<QPushButton *>().back()->setEnabled(false);
    auto *menu = new QMenu(&window);
    menu->addAction("lost")->setObjectName("lost_item");
    QObject::connect(menu->addAction("found"), &QAction::triggered, &window, &QDialog::reject);
    (new QPushButton("with menu", &window))->setMenu(menu);
    EXPECT_EQ(silentControls(window), QStringList({"probe: silent_btn", "probe: lost_item"}));
}

TEST_F(EveryWindowTest, NoEnabledButtonOrMenuItemReachesNothing)
{
    // What the window builds on demand, built the way its commands build it.
    controller->exportCommand();
    controller->printWindow();
    QWidget *w = controller.get();
    auto *groupHost = dynamic_cast<GroupModeHost *>(controller->findChild<QObject *>(QStringLiteral("GroupModeWiring")));
    ASSERT_NE(groupHost, nullptr);
    // Every other window the application opens, with the window as its parent.
    const std::vector<QWidget *> windows{
        new Long_SMS_Dlg(w), new PleaseWait_Modeless(QStringLiteral("Please wait"), w), new Import_Wizard(w),
        new Generate_List(w), new Import_Excel_DataSheet(w), new BatchWizard(w), new View_Data_Series(w),
        new Load_Num_Info(w), new Update_Ex_Num(w), new Cropping_Tool(w), new Help_Support(w),
        new Barcode_Gen(w), new Visitor_Log_Records(w), new Replcae_Confirm_Box(w),
        new Open_Export_Log(pathIn("x.png"), QStringLiteral("done"), w), new Send_Modeless(w), new Plz_Wait_Sheet(w),
        new Data_From_Excel_Viewer(&controller->Excel_Table(), false, w),
        new Import_Excel_Dialog(Import_Excel::defaultInstance(), w), new Email_Setting(w), new Send_Mail(w),
        new Add_Print_Profile(w), new Group_Mode_Wizard(*groupHost, w)};
    QStringList silent = silentControls(*controller);
    for (const QWidget *window : windows)
        silent << silentControls(*window);
    silent.removeDuplicates();
    EXPECT_EQ(silent, QStringList()) << silent.join(QLatin1Char('\n')).toStdString();
    EXPECT_GE(controller->findChildren<QDialog *>().size(), windows.size() + 5);
}

}  // namespace
