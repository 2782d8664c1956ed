#pragma once
// Every message box, question and file panel of the application goes through one service
// object, so that tests can replace it with a scripted fake and never block on a modal dialog.

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <variant>

class QDialog;
class QFileDialog;
class QWidget;

namespace platform {

// Answers of the three-button question, as the callers compare them.
enum : int { AnswerYes = 1000, AnswerNo = 1001, AnswerCancel = 1002 };

class UiServices {
public:
    virtual ~UiServices() = default;
    // Information box with one "OK" button.
    virtual void message(const QString &text) = 0;
    // The same with the warning icon, for what went wrong (a test double records it as a message).
    virtual void warning(const QString &text) { message(text); }
    // "Yes" / "No" question: true for Yes.
    virtual bool yesNo(const QString &text) = 0;
    // "Yes" / "No" / "Cancel" question: AnswerYes, AnswerNo or AnswerCancel.
    virtual int yesNoCancel(const QString &text) = 0;
    // File panels; an empty result (or list) means the user cancelled.
    virtual QString openFile(const QString &title, const QString &dir, const QStringList &extensions) = 0;
    virtual QStringList openFiles(const QString &title, const QString &dir, const QStringList &extensions) = 0;
    // The panel asks before a chosen file is replaced unless `askToReplace` is off: a caller that
    // writes other files than the one chosen (a card's "_Front" and "_Back") asks about those.
    virtual QString saveFile(const QString &title, const QString &dir, const QString &suggestedName,
                             const QStringList &extensions, bool askToReplace = true) = 0;
    virtual QString chooseFolder(const QString &title, const QString &dir) = 0;
    // A save panel that carries, below its fields, the widget `accessory` makes for it (a format
    // chooser that renames the panel's file as the user picks). Empty when the user cancelled.
    virtual QString saveFileWithAccessory(const QString &title, const QString &dir, const QString &suggestedName,
                                          const QStringList &extensions,
                                          const std::function<QWidget *(QFileDialog *panel)> &accessory) = 0;
    // Opens a file, folder, web or mail address with the desktop's default program; false when
    // no program took it. Says nothing itself: callers go through Open_Or_Explain.
    virtual bool openExternally(const QString &path) = 0;
    // Colour panel; an invalid colour means the user cancelled.
    virtual QColor chooseColor(const QString &title, const QColor &initial) = 0;
    // Font panel (platform/FontPanel.h), run through runModal; nothing when the user cancelled.
    virtual std::optional<QFont> chooseFont(const QString &title, const QFont &initial);
    // Warning with the given buttons (the last one also answers Escape) and, when `checkTitle` is
    // not empty, a check box of that title below them. Answers the index of the button pressed;
    // `checked` (when given) receives the check box's state.
    virtual int alert(const QString &text, const QStringList &buttons, const QString &checkTitle,
                      bool *checked) = 0;
    // The same box with the information icon, for work done (a success with a follow-up offer).
    virtual int notice(const QString &text, const QStringList &buttons, const QString &checkTitle,
                       bool *checked) = 0;
    // A modal window of the application's own (`name` is its class, `text` what it asks):
    // `show` runs it and answers its code. A scripted fake answers from its script instead.
    virtual int runModal(const QString &name, const QString &text, const std::function<int()> &show);
};

// The name a save panel answers for the name typed in it: kept as typed when it ends in one of
// the panel's types (any letter case or spelling: "pass.JPEG" for "jpg"), else given `suffix`
// (the first extension when empty). The panel applies it before it asks about replacing a file,
// so the question is about this name.
QString Save_Panel_Name(const QString &typed, const QStringList &extensions, const QString &suffix = {});
// The one of `extensions` whose type the path's own extension names; empty when none does. A
// typed extension is taken for the type it names, whatever the panel's format chooser showed.
QString Save_Panel_Type(const QString &path, const QStringList &extensions);

// The service in use; a Qt implementation unless a test installed another one.
UiServices &ui();
// Installs a service (takes ownership) and returns the previous one; nullptr restores the Qt one.
std::unique_ptr<UiServices> setUi(std::unique_ptr<UiServices> services);

// Shows real Qt dialogs. Must be called on the GUI thread; the message functions see to that.
class QtUiServices : public UiServices {
public:
    void message(const QString &text) override;
    void warning(const QString &text) override;
    bool yesNo(const QString &text) override;
    int yesNoCancel(const QString &text) override;
    QString openFile(const QString &title, const QString &dir, const QStringList &extensions) override;
    QStringList openFiles(const QString &title, const QString &dir, const QStringList &extensions) override;
    QString saveFile(const QString &title, const QString &dir, const QString &suggestedName,
                     const QStringList &extensions, bool askToReplace = true) override;
    QString chooseFolder(const QString &title, const QString &dir) override;
    QString saveFileWithAccessory(const QString &title, const QString &dir, const QString &suggestedName,
                                  const QStringList &extensions,
                                  const std::function<QWidget *(QFileDialog *panel)> &accessory) override;
    bool openExternally(const QString &path) override;
    QColor chooseColor(const QString &title, const QColor &initial) override;
    int alert(const QString &text, const QStringList &buttons, const QString &checkTitle, bool *checked) override;
    int notice(const QString &text, const QStringList &buttons, const QString &checkTitle, bool *checked) override;
};

// Test double: records every request and answers from a script queued in advance.
// An empty script answers No / Cancel / an empty path. Thread-safe.
class ScriptedUiServices : public UiServices {
public:
    struct Request {
        QString kind;  // "message", "yesNo", "yesNoCancel", "openFile", "openFiles", "saveFile", "chooseFolder",
                       // "openExternally"
        QString text;  // message text, or the panel title
        bool askToReplace = true;  // a save panel: whether it asks before a chosen file is replaced
    };
    // A modal run a test works as a user does: the real window runs, and `panel` is called with
    // it once it is up (a window it leaves open is then cancelled, so no test waits on it).
    struct Drive {
        std::function<void(QDialog &)> panel;
    };
    using Answer = std::variant<bool, int, QString, QStringList, QColor, QFont, Drive>;

    void push(Answer answer);
    // Called on the thread that shows the box, before it answers; lets a test observe threads.
    std::function<void(const Request &)> onRequest;

    std::vector<Request> requests() const;
    QStringList messages() const;  // texts of every box of any kind, in order
    void clear();

    void message(const QString &text) override;
    bool yesNo(const QString &text) override;
    int yesNoCancel(const QString &text) override;
    QString openFile(const QString &title, const QString &dir, const QStringList &extensions) override;
    QStringList openFiles(const QString &title, const QString &dir, const QStringList &extensions) override;
    // Recorded as "saveFile"; the scripted path is what the user typed (Save_Panel_Name applies).
    QString saveFile(const QString &title, const QString &dir, const QString &suggestedName,
                     const QStringList &extensions, bool askToReplace = true) override;
    QString chooseFolder(const QString &title, const QString &dir) override;
    // Recorded as "saveFile". Answered by the path the panel answers, or by a list {typed, item}:
    // the user picked `item` (its title, any letter case; none: the starting one) in the
    // accessory's "ext_btn" pop-up and typed the name `typed` (Save_Panel_Name applies, with the
    // chooser's format); the accessory is made on a panel that is never shown.
    QString saveFileWithAccessory(const QString &title, const QString &dir, const QString &suggestedName,
                                  const QStringList &extensions,
                                  const std::function<QWidget *(QFileDialog *panel)> &accessory) override;
    // Recorded as "openExternally"; answers true, unless `handToDesktop` is set: then the target
    // really goes to the desktop (tests put a stand-in xdg-open first on PATH).
    bool openExternally(const QString &path) override;
    bool handToDesktop = false;
    QColor chooseColor(const QString &title, const QColor &initial) override;  // "chooseColor"
    // "chooseFont": answered by a QFont, or by a Drive that works the real panel; else cancelled.
    std::optional<QFont> chooseFont(const QString &title, const QFont &initial) override;
    // "alert": answered by a button index (int) or by the titles clicked (QStringList: a button's
    // title, plus the check box's title when it is ticked). Unscripted: the last button, unticked.
    int alert(const QString &text, const QStringList &buttons, const QString &checkTitle, bool *checked) override;
    // "notice": answered as an alert is.
    int notice(const QString &text, const QStringList &buttons, const QString &checkTitle, bool *checked) override;
    // Recorded with `name` as its kind; answers a scripted int (0 when none is queued), or runs
    // the window for a scripted Drive.
    int runModal(const QString &name, const QString &text, const std::function<int()> &show) override;

private:
    Answer take(const QString &kind, const QString &text, Answer fallback, bool askToReplace = true);
    int answerButtons(const QString &kind, const QString &text, const QStringList &buttons, const QString &checkTitle,
                      bool *checked);
    mutable std::mutex m_mutex;
    std::deque<Answer> m_script;
    std::vector<Request> m_requests;
};

// Installs a ScriptedUiServices for the lifetime of the guard.
class ScopedScriptedUi {
public:
    ScopedScriptedUi();
    ~ScopedScriptedUi();
    ScriptedUiServices &operator*() { return *m_fake; }
    ScriptedUiServices *operator->() { return m_fake; }
private:
    ScriptedUiServices *m_fake;
    std::unique_ptr<UiServices> m_previous;
};

// A list named in a box: the first `shown` items one a line, then `more` (its "%1" the number
// left out) when there are more, so that a long list never makes a box taller than the screen.
QString Bounded_List_Text(const QStringList &items, int shown, const QString &more = QStringLiteral("… and %1 more."));
// A box's text cut to `maxRows` rows of about `rowChars` characters (a longer line wraps over
// several, a very long one is cut short): lines that do not fit give way to "… and N more
// lines.", the last line always stays (a question asks there). The real boxes cut every text
// so for their screen, whatever a caller passes.
QString Screen_Fit_Text(const QString &text, int maxRows, int rowChars);

// Hands a file, folder, web or mail address to the desktop's default program (xdg-open, whose
// exit status is taken). Empty when a program took it, otherwise why nothing shows it.
QString Desktop_Open(const QString &target);

// Opens `target` through the UI services; when nothing could show it, tells the user what could
// not be opened and, for a file, the folder it is in. Answers whether it was opened. Any thread.
bool Open_Or_Explain(const QString &target);

// The line to show when opening a file or link failed because xdg-open (package xdg-utils,
// which the package only recommends) is not installed; empty when it is there.
QString Missing_Opener_Message();

}  // namespace platform
