// The real boxes: the icon each kind of box shows and the answer its buttons give.
#include "platform/UiServices.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QPointer>
#include <QLineEdit>
#include <QTest>
#include <QTemporaryDir>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Runs `act` on the box once it is the active modal widget (a zero-delay timer may fire before
// it is); a box still open after ten seconds is closed, so a box that is never met fails the
// test instead of hanging it.
class WhenTheBoxShows {
public:
    explicit WhenTheBoxShows(std::function<void(QWidget *)> act)
    {
        QObject::connect(&m_poll, &QTimer::timeout, [this, act = std::move(act)] {
            if (QWidget *box = QApplication::activeModalWidget()) {
                m_poll.stop();
                act(box);
            }
        });
        m_poll.start(10);
        m_guard.setSingleShot(true);
        QObject::connect(&m_guard, &QTimer::timeout, [] {
            if (QWidget *box = QApplication::activeModalWidget())
                box->close();
        });
        m_guard.start(10000);
    }

private:
    QTimer m_poll, m_guard;
};

TEST(UiServices, WarningsAndNoticesShowTheirOwnIconAndAnswerTheButtonPressed)
{
    using Box = int (platform::QtUiServices::*)(const QString &, const QStringList &, const QString &, bool *);
    const struct {
        Box box;
        QMessageBox::Icon icon;
    } cases[] = {{&platform::QtUiServices::alert, QMessageBox::Warning},
                 {&platform::QtUiServices::notice, QMessageBox::Information}};
    for (const auto &c : cases) {
        platform::QtUiServices ui;
        QMessageBox::Icon shown = QMessageBox::NoIcon;
        const WhenTheBoxShows answer([&](QWidget *shownBox) {
            auto *box = qobject_cast<QMessageBox *>(shownBox);
            ASSERT_NE(box, nullptr);
            shown = box->icon();
            box->checkBox()->setChecked(true);
            for (QAbstractButton *b : box->buttons())
                if (b->text() == QLatin1String("Open"))
                    b->click();
        });
        bool ticked = false;
        EXPECT_EQ((ui.*c.box)(QStringLiteral("Done."), {"Open", "OK"}, QStringLiteral("Open folder."), &ticked), 0);
        EXPECT_EQ(shown, c.icon);
        EXPECT_TRUE(ticked);
    }
}

// A long list in a box: cut with a count, the last line (a question) kept, no line past a third
// of the rows; the real boxes so cut fit the screen they show on.
TEST(UiServices, LongTextsAreCutWithACountAndEveryBoxFitsTheScreen)
{
    QStringList thousand;
    for (int i = 1; i <= 1000; ++i)
        thousand << QStringLiteral("Control %1 is damaged.").arg(i);
    const QString wide(50'000, QLatin1Char('x'));
    const struct {
        const char *what;
        QString text;
        QString fitted;  // in 10 rows of 20 characters (a word past a row gets a zero-width space)
    } cases[] = {
        {"short", QStringLiteral("One.\nTwo?"), QStringLiteral("One.\nTwo?")},
        {"a long list and a question",
         thousand.join(QLatin1Char('\n')) + QStringLiteral("\nSave?"),
         (thousand.mid(0, 4) << QStringLiteral("… and 996 more lines.") << QStringLiteral("Save?")).join(QLatin1Char('\n'))},
        {"one endless line", wide, QString(wide.left(20) + QChar(0x200B)).repeated(2) + wide.left(19) + QChar(0x2026)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(platform::Screen_Fit_Text(c.text, 10, 20), c.fitted);
    }

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QString &text : {thousand.join(QLatin1Char('\n')), wide}) {
        platform::QtUiServices ui;
        QSize shown;
        const WhenTheBoxShows measure([&](QWidget *box) { shown = box->frameGeometry().size(), box->close(); });
        ui.message(text);
        EXPECT_TRUE(shown.isValid() && shown.height() <= screen.height() && shown.width() <= screen.width()) << shown.height();
    }
}

// A save panel gives a name typed without one of its extensions the first of them before it asks
// about replacing a file: the question covers the file that would be written, and No keeps the
// panel open.
TEST(UiServices, SavePanelsAskAboutTheNameWithItsExtension)
{
    const char *const names[][2] = {{"/d/card", "/d/card.did"}, {"/d/card.DID", "/d/card.DID"}, {"/d/v.2", "/d/v.2.did"}};
    for (const auto &n : names)
        EXPECT_EQ(platform::Save_Panel_Name(n[0], {"did", "plist"}), n[1]);

    QTemporaryDir dir;
    QFile other(dir.filePath("other.did"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly) && other.write("kept") == 4);
    other.close();
    QStringList asked;
    int panels = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *shown = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(shown)) {
            asked << box->text();
            box->button(QMessageBox::No)->click();
        } else if (auto *panel = qobject_cast<QFileDialog *>(shown); panel && panels++ == 0) {
            panel->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText("other");
            QMetaObject::invokeMethod(panel, "accept", Qt::QueuedConnection);
        } else if (panel && !asked.isEmpty()) {
            panel->reject();  // still open after No
        }
    });
    poll.start(20);
    QTimer::singleShot(10000, [] {  // a panel that does not come out of the driver's way is closed
        if (QWidget *w = QApplication::activeModalWidget())
            w->close();
    });
    platform::QtUiServices ui;
    EXPECT_EQ(ui.saveFile(QStringLiteral("Save"), dir.path(), QString(), {QStringLiteral("did")}), QString());
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains("other.did")) << asked[0].toStdString();
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    EXPECT_EQ(other.readAll(), "kept");
}

// Every panel lists a folder typed into it without opening a file in it (one that blocks on read,
// as /proc/kmsg does, froze the window): inotify names each open, and a watchdog fails a hang.
// The listing is awaited on what the panel's model and the completer announce, up to 30 s.
TEST(UiServices, PanelsListAFolderWithoutOpeningItsFiles)
{
    QTemporaryDir dir;
    const QStringList files{"pipe", "plain", "card.did"};
    ASSERT_TRUE(mkfifo(QFile::encodeName(dir.filePath("pipe")), 0600) == 0 && QDir(dir.path()).mkpath("sub")
                && QDir(dir.path()).mkpath("start") && QFile(dir.filePath("plain")).open(QIODevice::WriteOnly)
                && QFile(dir.filePath("card.did")).open(QIODevice::WriteOnly));
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(inotify_add_watch(watch, QFile::encodeName(dir.path()), IN_OPEN), 0);
    std::atomic<bool> done = false;
    std::thread watchdog([&] {
        for (int ms = 0; !done; ms += 100, std::this_thread::sleep_for(std::chrono::milliseconds(100)))
            if (ms > 120000)  // three panels, each bounded below
                (std::fputs("A file panel stopped answering.\n", stderr), std::abort());
    });
    platform::QtUiServices ui;
    const QString at = dir.filePath("start");
    const std::pair<std::function<QString()>, QSet<QString>> cases[] = {
        {[&] { return ui.openFiles("Open", at, {}).value(0); }, {"card.did", "plain", "sub"}},
        {[&] { return ui.saveFileWithAccessory("Export", at, "x", {"did"}, {}); }, {"card.did", "sub"}},
        {[&] { return ui.chooseFolder("Folder", at); }, {"sub"}},
    };
    for (const auto &[show, listed] : cases) {
        QSet<QString> shown;
        QPointer<QLineEdit> field;
        QPointer<QAbstractItemView> popup;
        QTimer bound, open;
        // What the completer lists, read each time the panel's model or the completer's says it
        // has more; once all is listed, or the bound has passed, the panel is put away.
        const auto look = [&](bool last) {
            for (int row = 0; popup && popup->isVisible() && row < popup->model()->rowCount(); ++row)
                shown << popup->model()->index(row, 0).data().toString();
            if (!field || !(last || shown.contains(listed)))
                return;
            if (popup && popup->isVisible())
                QTest::keyClick(popup, Qt::Key_Escape);
            if (field)
                QTest::keyClick(field, Qt::Key_Escape);
        };
        const auto later = [&] { QTimer::singleShot(0, &bound, [&] { look(false); }); };
        QObject::connect(&open, &QTimer::timeout, [&] {
            auto *panel = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            auto *typed = qobject_cast<QLineEdit *>(QApplication::focusWidget());
            if (field || !panel || !typed)
                return;
            open.stop();
            field = typed;
            popup = typed->completer()->popup();
            auto *files = panel->findChild<QFileSystemModel *>();
            ASSERT_NE(files, nullptr);
            QObject::connect(files, &QFileSystemModel::directoryLoaded, &bound, later);
            QObject::connect(files, &QAbstractItemModel::rowsInserted, &bound, later);
            QAbstractItemModel *completions = typed->completer()->completionModel();
            QObject::connect(completions, &QAbstractItemModel::rowsInserted, &bound, later);
            QObject::connect(completions, &QAbstractItemModel::layoutChanged, &bound, later);
            QObject::connect(completions, &QAbstractItemModel::modelReset, &bound, later);
            // Over the name the panel suggests.
            QTest::keyClick(typed, Qt::Key_A, Qt::ControlModifier), QTest::keyClicks(typed, dir.path() + "/");
            later();
        });
        open.start(20);
        // A machine under load takes its time; a listing that never comes fails, not hangs.
        QObject::connect(&bound, &QTimer::timeout, [&] { look(true); });
        bound.setSingleShot(true);
        bound.start(30000);
        EXPECT_EQ(show(), QString());
        EXPECT_TRUE(shown.contains(listed)) << qPrintable(shown.values().join(' '));
    }
    done = true;
    watchdog.join();
    alignas(inotify_event) char events[4096];
    QStringList opened;
    for (ssize_t n = ::read(watch, events, sizeof events), i = 0; i < n;) {
        const auto *e = reinterpret_cast<inotify_event *>(events + i);
        if (e->len && files.contains(e->name))
            opened << e->name;
        i += ssize_t(sizeof(inotify_event) + e->len);
    }
    EXPECT_TRUE(opened.isEmpty()) << "the panels opened " << qPrintable(opened.join(' '));
    ::close(watch);
}

}  // namespace
