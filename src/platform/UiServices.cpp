#include "platform/UiServices.h"

#include "platform/FileIcons.h"
#include "platform/FontPanel.h"
#include "platform/MainThread.h"
#include "platform/ImageWriter.h"
#include "platform/TextLength.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QProcess>

namespace platform {

namespace {
std::mutex g_servicesMutex;
std::unique_ptr<UiServices> g_services;

QString filterFor(const QStringList &extensions)
{
    if (extensions.isEmpty())
        return {};
    QStringList patterns;
    for (const QString &e : extensions)
        patterns << QStringLiteral("*.") + e;
    return QObject::tr("Files (%1)").arg(patterns.join(QLatin1Char(' ')));
}

QWidget *dialogParent() { return QApplication::activeWindow(); }

// What the boxes' text may take on the screen they show on: a box's label wraps at about 500
// pixels, and the icon, margins, title and buttons take about 200 of its height.
QString fitted(const QString &text)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return text;
    const QFontMetrics metrics(QApplication::font("QMessageBox"));
    const int rows = std::max(6, (screen->availableGeometry().height() - 200) / std::max(1, metrics.lineSpacing()));
    // Word wrapping leaves the end of most rows empty: count a row a little short.
    const int rowChars = std::max(20, 400 / std::max(1, metrics.averageCharWidth()));
    return Screen_Fit_Text(text, rows, rowChars);
}

// Every file panel of the application: Qt's own panel (the platform's takes no provider of
// ours), naming files by their names alone. The provider outlives every panel.
class Panel : public QFileDialog {
public:
    Panel(const QString &title, const QString &dir)
        : QFileDialog(dialogParent(), title,
                      dir.isEmpty() || QFileInfo(dir).isDir() ? dir : QFileInfo(dir).absolutePath())
    {
        setOption(QFileDialog::DontUseNativeDialog);
        setIconProvider(nameOnlyIconProvider());
        // A file named in place of the folder is selected only now, so that Qt's provider never
        // looked at it.
        if (!dir.isEmpty() && !QFileInfo(dir).isDir())
            selectFile(QFileInfo(dir).fileName());
    }

    // What the user chose; empty when the panel was cancelled.
    QStringList run() { return exec() == QDialog::Accepted ? selectedFiles() : QStringList(); }
};

// Qt's own default suffix is given only to a name without any point, and callers that add the
// extension after the panel closed wrote over a file nobody had been asked about.
class SuffixedSavePanel : public Panel {
public:
    SuffixedSavePanel(const QString &title, const QString &dir, const QStringList &extensions)
        : Panel(title, dir), m_extensions(extensions)
    {
        setAcceptMode(QFileDialog::AcceptSave);
        setNameFilter(filterFor(extensions));
    }

    void accept() override
    {
        const QString typed = selectedFiles().value(0);
        if (!typed.isEmpty() && !m_extensions.isEmpty() && !QFileInfo(typed).isDir()) {
            const QString named = Save_Panel_Name(typed, m_extensions, defaultSuffix());
            // The name field keeps what the user typed while it has the focus: selectFile()
            // would not reach it.
            auto *field = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (named != typed && field && named.startsWith(typed))
                field->setText(field->text() + named.mid(typed.size()));
            else if (named != typed)
                selectFile(named);
        }
        QFileDialog::accept();
    }

private:
    QStringList m_extensions;
};
}  // namespace

QString Bounded_List_Text(const QStringList &items, int shown, const QString &more)
{
    shown = std::max(0, shown);
    if (items.size() <= shown)
        return items.join(QLatin1Char('\n'));
    return (items.mid(0, shown) << more.arg(items.size() - shown)).join(QLatin1Char('\n'));
}

QString Screen_Fit_Text(const QString &text, int maxRows, int rowChars)
{
    rowChars = std::max(1, rowChars);
    maxRows = std::max(3, maxRows);
    // No one line takes more than a third of the rows.
    const qsizetype lineChars = qsizetype(maxRows / 3) * rowChars;
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (Longer_Than(line, lineChars))
            line = First_Characters(line, lineChars - 1) + QChar(0x2026);
        // A box wraps at spaces only: a word longer than a row gets places to break.
        QString broken;
        qsizetype run = 0;
        for (const QChar c : std::as_const(line)) {
            run = c.isSpace() ? 0 : run + 1;
            if (run > rowChars) {
                broken += QChar(0x200B);
                run = 1;
            }
            broken += c;
        }
        line = broken;
    }
    const auto rowsOf = [rowChars](const QString &line) {
        return int(std::max<qsizetype>(1, (line.size() + rowChars - 1) / rowChars));
    };
    int rows = 0;
    for (const QString &line : lines)
        rows += rowsOf(line);
    if (rows <= maxRows)
        return lines.join(QLatin1Char('\n'));
    // The last line stays (a question asks there), and one row tells what was left out.
    const QString last = lines.takeLast();
    rows = rowsOf(last) + 1;
    qsizetype kept = 0;
    while (kept < lines.size() && rows + rowsOf(lines[kept]) <= maxRows)
        rows += rowsOf(lines[kept++]);
    const qsizetype left = lines.size() - kept;
    return (lines.mid(0, kept)
            << (left == 1 ? QStringLiteral("… and 1 more line.") : QStringLiteral("… and %1 more lines.").arg(left))
            << last)
        .join(QLatin1Char('\n'));
}

QString Save_Panel_Name(const QString &typed, const QStringList &extensions, const QString &suffix)
{
    const QString added = suffix.isEmpty() ? extensions.value(0) : suffix;
    if (typed.isEmpty() || added.isEmpty())
        return typed;
    if (!Save_Panel_Type(typed, extensions).isEmpty())
        return typed;
    return typed + QLatin1Char('.') + added;
}

QString Save_Panel_Type(const QString &path, const QStringList &extensions)
{
    const QString own = QFileInfo(path).suffix();
    if (own.isEmpty())
        return {};
    for (const QString &e : extensions)
        if (sameFileType(own, e))
            return e;
    return {};
}

UiServices &ui()
{
    std::lock_guard lock(g_servicesMutex);
    if (!g_services)
        g_services = std::make_unique<QtUiServices>();
    return *g_services;
}

std::unique_ptr<UiServices> setUi(std::unique_ptr<UiServices> services)
{
    std::lock_guard lock(g_servicesMutex);
    std::unique_ptr<UiServices> previous = std::move(g_services);
    g_services = std::move(services);
    return previous;
}

// --- Qt dialogs -------------------------------------------------------------------------------

void QtUiServices::message(const QString &text)
{
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), fitted(text), QMessageBox::Ok,
                    dialogParent());
    box.exec();
}

void QtUiServices::warning(const QString &text)
{
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), fitted(text), QMessageBox::Ok,
                    dialogParent());
    box.exec();
}

bool QtUiServices::yesNo(const QString &text)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), fitted(text), QMessageBox::NoButton,
                    dialogParent());
    QPushButton *yes = box.addButton(QObject::tr("Yes"), QMessageBox::YesRole);
    box.addButton(QObject::tr("No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes;
}

int QtUiServices::yesNoCancel(const QString &text)
{
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), fitted(text), QMessageBox::NoButton,
                    dialogParent());
    QPushButton *yes = box.addButton(QObject::tr("Yes"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QObject::tr("No"), QMessageBox::NoRole);
    QPushButton *cancel = box.addButton(QObject::tr("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return AnswerYes;
    if (box.clickedButton() == no)
        return AnswerNo;
    return AnswerCancel;
}

QString QtUiServices::openFile(const QString &title, const QString &dir, const QStringList &extensions)
{
    Panel panel(title, dir);
    panel.setFileMode(QFileDialog::ExistingFile);
    panel.setNameFilter(filterFor(extensions));
    return panel.run().value(0);
}

QStringList QtUiServices::openFiles(const QString &title, const QString &dir, const QStringList &extensions)
{
    Panel panel(title, dir);
    panel.setFileMode(QFileDialog::ExistingFiles);
    panel.setNameFilter(filterFor(extensions));
    return panel.run();
}

QString QtUiServices::saveFile(const QString &title, const QString &dir, const QString &suggestedName,
                               const QStringList &extensions, bool askToReplace)
{
    SuffixedSavePanel panel(title, dir, extensions);
    panel.setOption(QFileDialog::DontConfirmOverwrite, !askToReplace);
    if (!suggestedName.isEmpty())
        panel.selectFile(suggestedName);
    return panel.run().value(0);
}

QString QtUiServices::chooseFolder(const QString &title, const QString &dir)
{
    Panel panel(title, dir);
    panel.setFileMode(QFileDialog::Directory);
    panel.setOption(QFileDialog::ShowDirsOnly);
    return panel.run().value(0);
}

QString QtUiServices::saveFileWithAccessory(const QString &title, const QString &dir, const QString &suggestedName,
                                           const QStringList &extensions,
                                           const std::function<QWidget *(QFileDialog *panel)> &accessory)
{
    SuffixedSavePanel panel(title, dir, extensions);
    if (!suggestedName.isEmpty())
        panel.selectFile(suggestedName);
    if (QWidget *extra = accessory ? accessory(&panel) : nullptr) {
        if (auto *grid = qobject_cast<QGridLayout *>(panel.layout()))
            grid->addWidget(extra, grid->rowCount(), 0, 1, grid->columnCount());
    }
    return panel.run().value(0);
}

namespace {
// Whether the desktop names a program for the file's type. xdg-open only learns that there is
// none after trying everything it knows (a web browser too), so the question is asked first;
// when it cannot be asked the opener is left to try.
bool desktopHasHandlerFor(const QString &path)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QString mime = mimeTypeOfFile(path).name();
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mime});
    if (!query.waitForFinished(5000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return true;
    return !query.readAllStandardOutput().trimmed().isEmpty();
#else
    Q_UNUSED(path);
    return true;
#endif
}

bool isAddress(const QString &target)
{
    static const QRegularExpression address(QStringLiteral("^(https?|mailto):"));
    return address.match(target).hasMatch();
}

// How long xdg-open is given to report a failure. A desktop's own opener hands the file over and
// ends at once; the generic one runs the program it found in the foreground, so an opener still
// running after this long is showing the file.
constexpr int kOpenerSettles = 3000;
}  // namespace

QString Desktop_Open(const QString &target)
{
    // Web and mail addresses arrive already encoded; anything else is a file path.
    const bool address = isAddress(target);
    const QUrl url = address ? QUrl::fromEncoded(target.toUtf8(), QUrl::TolerantMode) : QUrl::fromLocalFile(target);
    if (!address && !QFileInfo::exists(target))
        return QStringLiteral("it does not exist");
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return QDesktopServices::openUrl(url) ? QString() : Missing_Opener_Message();
    if (!address && !desktopHasHandlerFor(target))
        return QStringLiteral("no program on this computer is set to open it");
    // Qt starts xdg-open and forgets it, so a failure to find a program is never heard of:
    // run it here and take its exit status. Its chatter stays off the terminal.
    auto *process = new QProcess;
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start(opener, {address ? QString::fromUtf8(url.toEncoded()) : target});
    if (!process->waitForStarted(5000)) {
        const QString why = process->errorString();
        delete process;
        return QStringLiteral("xdg-open could not be started: %1").arg(why);
    }
    if (!process->waitForFinished(kOpenerSettles)) {
        // A program is showing it. The process object goes when the program ends; should the
        // application end first, the program stays open.
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return {};
    }
    const bool ok = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
    const int code = process->exitCode();
    delete process;
    if (ok)
        return {};
    // xdg-open's documented exit codes; 3 and 4 are "no way to open it" and "the program failed".
    switch (code) {
    case 2:
        return QStringLiteral("it does not exist");
    case 5:
        return QStringLiteral("it cannot be read");
    default:
        return QStringLiteral("no program on this computer could open it");
    }
#else
    return QDesktopServices::openUrl(url) ? QString() : QStringLiteral("no program on this computer could open it");
#endif
}

bool QtUiServices::openExternally(const QString &path) { return Desktop_Open(path).isEmpty(); }

bool Open_Or_Explain(const QString &target)
{
    if (target.isEmpty())
        return false;
    if (ui().openExternally(target))
        return true;
    QString text;
    if (target.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)) {
        const QString to = QUrl::fromPercentEncoding(target.mid(7).section(QLatin1Char('?'), 0, 0).toUtf8());
        text = QStringLiteral("No mail program on this computer could write to %1.\n\n"
                              "Write to that address from the mail program you use.")
                   .arg(to);
    } else if (isAddress(target)) {
        text = QStringLiteral("No program on this computer could open the web page %1.\n\n"
                              "Copy the address into a web browser.")
                   .arg(target);
    } else {
        const QFileInfo info(target);
        const QString where = QDir::toNativeSeparators(info.absolutePath());
        if (!info.exists())
            text = QStringLiteral("\"%1\" could not be opened: it is no longer in the folder %2.").arg(info.fileName(), where);
        else if (info.isDir())
            text = QStringLiteral("No program on this computer can show the folder \"%1\".\n\n"
                                  "It is in the folder %2.")
                       .arg(info.fileName(), where);
        else
            text = QStringLiteral("No program on this computer can open \"%1\".\n\n"
                                  "It is in the folder %2; open it from there once a program for it is installed.")
                       .arg(info.fileName(), where);
    }
    if (const QString missing = Missing_Opener_Message(); !missing.isEmpty())
        text += QStringLiteral("\n\n") + missing;
    runOnGuiThread([&] { ui().warning(text); });
    return false;
}

QColor QtUiServices::chooseColor(const QString &title, const QColor &initial)
{
    return QColorDialog::getColor(initial, dialogParent(), title);
}

std::optional<QFont> UiServices::chooseFont(const QString &title, const QFont &initial)
{
    return Run_Font_Panel(title, initial, dialogParent());
}

namespace {

int buttonsBox(QMessageBox::Icon icon, const QString &text, const QStringList &buttons, const QString &checkTitle,
               bool *checked)
{
    QMessageBox box(icon, QApplication::applicationDisplayName(), fitted(text), QMessageBox::NoButton, dialogParent());
    QList<QPushButton *> pushed;
    for (const QString &title : buttons)
        pushed.append(box.addButton(title, QMessageBox::ActionRole));
    if (!pushed.isEmpty()) {
        box.setDefaultButton(pushed.first());
        box.setEscapeButton(pushed.last());
    }
    QCheckBox *check = checkTitle.isEmpty() ? nullptr : new QCheckBox(checkTitle, &box);
    if (check)
        box.setCheckBox(check);
    box.exec();
    if (checked)
        *checked = check && check->isChecked();
    const auto clicked = pushed.indexOf(qobject_cast<QPushButton *>(box.clickedButton()));
    return clicked < 0 ? int(pushed.size()) - 1 : int(clicked);
}

}  // namespace

int QtUiServices::alert(const QString &text, const QStringList &buttons, const QString &checkTitle, bool *checked)
{
    return buttonsBox(QMessageBox::Warning, text, buttons, checkTitle, checked);
}

int QtUiServices::notice(const QString &text, const QStringList &buttons, const QString &checkTitle, bool *checked)
{
    return buttonsBox(QMessageBox::Information, text, buttons, checkTitle, checked);
}

int UiServices::runModal(const QString &, const QString &, const std::function<int()> &show) { return show(); }

// --- scripted fake ----------------------------------------------------------------------------

void ScriptedUiServices::push(Answer answer)
{
    std::lock_guard lock(m_mutex);
    m_script.push_back(std::move(answer));
}

std::vector<ScriptedUiServices::Request> ScriptedUiServices::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

QStringList ScriptedUiServices::messages() const
{
    std::lock_guard lock(m_mutex);
    QStringList out;
    for (const Request &r : m_requests)
        if (r.kind == QLatin1String("message") || r.kind.startsWith(QLatin1String("yesNo")) ||
            r.kind == QLatin1String("alert") || r.kind == QLatin1String("notice"))
            out << r.text;
    return out;
}

void ScriptedUiServices::clear()
{
    std::lock_guard lock(m_mutex);
    m_script.clear();
    m_requests.clear();
}

ScriptedUiServices::Answer ScriptedUiServices::take(const QString &kind, const QString &text, Answer fallback,
                                                   bool askToReplace)
{
    Request request{kind, text, askToReplace};
    if (onRequest)
        onRequest(request);
    std::lock_guard lock(m_mutex);
    m_requests.push_back(request);
    if (kind == QLatin1String("message") || kind == QLatin1String("openExternally"))
        return fallback;  // nothing to answer: no scripted answer is consumed
    if (!m_script.empty()) {
        fallback.swap(m_script.front());
        m_script.pop_front();
    }
    return fallback;
}

void ScriptedUiServices::message(const QString &text) { take(QStringLiteral("message"), text, false); }

bool ScriptedUiServices::yesNo(const QString &text)
{
    Answer a = take(QStringLiteral("yesNo"), text, false);
    if (auto *b = std::get_if<bool>(&a))
        return *b;
    if (auto *i = std::get_if<int>(&a))
        return *i == 1 || *i == AnswerYes;
    return false;
}

int ScriptedUiServices::yesNoCancel(const QString &text)
{
    Answer a = take(QStringLiteral("yesNoCancel"), text, AnswerCancel);
    if (auto *i = std::get_if<int>(&a))
        return *i;
    if (auto *b = std::get_if<bool>(&a))
        return *b ? AnswerYes : AnswerNo;
    return AnswerCancel;
}

QString ScriptedUiServices::openFile(const QString &title, const QString &, const QStringList &)
{
    Answer a = take(QStringLiteral("openFile"), title, QString());
    if (auto *s = std::get_if<QString>(&a))
        return *s;
    return {};
}

QStringList ScriptedUiServices::openFiles(const QString &title, const QString &, const QStringList &)
{
    Answer a = take(QStringLiteral("openFiles"), title, QStringList());
    if (auto *l = std::get_if<QStringList>(&a))
        return *l;
    if (auto *s = std::get_if<QString>(&a))
        return s->isEmpty() ? QStringList() : QStringList{*s};
    return {};
}

QString ScriptedUiServices::saveFile(const QString &title, const QString &, const QString &,
                                    const QStringList &extensions, bool askToReplace)
{
    Answer a = take(QStringLiteral("saveFile"), title, QString(), askToReplace);
    if (auto *s = std::get_if<QString>(&a))
        return Save_Panel_Name(*s, extensions);
    return {};
}

QString ScriptedUiServices::chooseFolder(const QString &title, const QString &)
{
    Answer a = take(QStringLiteral("chooseFolder"), title, QString());
    if (auto *s = std::get_if<QString>(&a))
        return *s;
    return {};
}

bool ScriptedUiServices::openExternally(const QString &path)
{
    take(QStringLiteral("openExternally"), path, true);
    return !handToDesktop || Desktop_Open(path).isEmpty();
}

QString ScriptedUiServices::saveFileWithAccessory(const QString &title, const QString &dir, const QString &,
                                                 const QStringList &extensions,
                                                 const std::function<QWidget *(QFileDialog *panel)> &accessory)
{
    Answer a = take(QStringLiteral("saveFile"), title, QString());
    if (auto *s = std::get_if<QString>(&a))
        return *s;
    const QStringList picked = std::get_if<QStringList>(&a) ? *std::get_if<QStringList>(&a) : QStringList();
    if (picked.value(0).isEmpty())
        return {};
    Panel panel(title, dir);
    panel.setAcceptMode(QFileDialog::AcceptSave);
    panel.selectFile(picked.first());
    QWidget *extra = accessory ? accessory(&panel) : nullptr;
    if (auto *popup = extra ? extra->findChild<QComboBox *>(QStringLiteral("ext_btn")) : nullptr) {
        const int item = popup->findText(picked.value(1), Qt::MatchFixedString);
        if (item >= 0)
            popup->setCurrentIndex(item);
    }
    return Save_Panel_Name(picked.first(), extensions, panel.defaultSuffix());
}

QColor ScriptedUiServices::chooseColor(const QString &title, const QColor &)
{
    Answer a = take(QStringLiteral("chooseColor"), title, QColor());
    if (auto *c = std::get_if<QColor>(&a))
        return *c;
    return {};
}

std::optional<QFont> ScriptedUiServices::chooseFont(const QString &title, const QFont &initial)
{
    Answer a = take(QStringLiteral("chooseFont"), title, false);
    if (auto *f = std::get_if<QFont>(&a))
        return *f;
    if (auto *d = std::get_if<Drive>(&a)) {
        {
            std::lock_guard lock(m_mutex);
            m_script.push_front(std::move(*d));  // for the panel's own modal run
        }
        return UiServices::chooseFont(title, initial);
    }
    return std::nullopt;
}

int ScriptedUiServices::alert(const QString &text, const QStringList &buttons, const QString &checkTitle,
                              bool *checked)
{
    return answerButtons(QStringLiteral("alert"), text, buttons, checkTitle, checked);
}

int ScriptedUiServices::notice(const QString &text, const QStringList &buttons, const QString &checkTitle,
                               bool *checked)
{
    return answerButtons(QStringLiteral("notice"), text, buttons, checkTitle, checked);
}

int ScriptedUiServices::answerButtons(const QString &kind, const QString &text, const QStringList &buttons,
                                      const QString &checkTitle, bool *checked)
{
    Answer a = take(kind, text, int(buttons.size()) - 1);
    int index = int(buttons.size()) - 1;
    bool ticked = false;
    if (auto *i = std::get_if<int>(&a))
        index = *i;
    if (auto *titles = std::get_if<QStringList>(&a)) {
        for (const QString &t : *titles)
            index = buttons.contains(t) ? int(buttons.indexOf(t)) : index;
        ticked = !checkTitle.isEmpty() && titles->contains(checkTitle);
    }
    if (checked)
        *checked = ticked;
    return index;
}

int ScriptedUiServices::runModal(const QString &name, const QString &text, const std::function<int()> &show)
{
    Answer a = take(name, text, 0);
    if (auto *d = std::get_if<Drive>(&a)) {
        QTimer::singleShot(0, [drive = std::move(d->panel)] {
            QPointer<QDialog> panel = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (panel)
                drive(*panel);
            if (panel && panel->isVisible())
                panel->reject();
            else if (!panel && QApplication::activeModalWidget())
                QApplication::activeModalWidget()->close();
        });
        return show();
    }
    if (auto *i = std::get_if<int>(&a))
        return *i;
    if (auto *b = std::get_if<bool>(&a))
        return *b ? 1 : 0;
    return 0;
}

ScopedScriptedUi::ScopedScriptedUi()
{
    auto fake = std::make_unique<ScriptedUiServices>();
    m_fake = fake.get();
    m_previous = setUi(std::move(fake));
}

ScopedScriptedUi::~ScopedScriptedUi() { setUi(std::move(m_previous)); }

QString Missing_Opener_Message()
{
    return QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty()
               ? QStringLiteral("Opening files and links needs xdg-open: install the package \"xdg-utils\".")
               : QString();
}

}  // namespace platform
