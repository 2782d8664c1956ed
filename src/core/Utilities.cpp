#include "core/Utilities.h"

#include "core/Globals.h"
#include "platform/MainThread.h"
#include "platform/Paths.h"
#include "platform/UiServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include <sys/stat.h>
#include <cerrno>

// Diagnostics of normal use stay off stderr unless asked for
// (QT_LOGGING_RULES="badgeloom.info=true").
Q_LOGGING_CATEGORY(lcBadgeloom, "badgeloom", QtWarningMsg)

using platform::joinPath;

namespace {
QDateTime mLastActivity_Time;  // start mark of the stopwatch
}

// --- messages and logging ------------------------------------------------------------------------

void Show_NSLog_Message(const QString &text)
{
    if (text.isEmpty())
        return;
    qCInfo(lcBadgeloom, "%s", qUtf8Printable(text));
}

void Show_MessageBox(const QString &text)
{
    const QString shown = QStringLiteral("\n") + text;
    platform::runOnGuiThread([&] { platform::ui().message(shown); });
}

void Show_MessageBox_No_Thread(const QString &text) { platform::ui().message(QStringLiteral("\n") + text); }

int show_msg(const QString &text)
{
    platform::ui().message(text);
    return 1;
}

int Show_YES_NO_MessageBox(const QString &text)
{
    // The answer travels back through the blocking call itself, so two threads asking at the
    // same time cannot read each other's answer.
    return platform::runOnGuiThreadFor<int>([&] { return platform::ui().yesNo(text) ? 1 : 0; });
}

int Show_YES_NO_Cancel_MessageBox(const QString &text)
{
    return platform::runOnGuiThreadFor<int>([&] { return platform::ui().yesNoCancel(text); });
}

// --- folders and files ---------------------------------------------------------------------------

bool Create_Folder(const QString &path, unsigned mode, QString *reason)
{
    if (path.isEmpty()) {
        if (reason)
            *reason = QStringLiteral("There is no folder to make.");
        return false;
    }
    if (QFileInfo::exists(path))
        return true;
    // Create each missing component with the requested mode (the umask still applies).
    const QString clean = QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::current().absoluteFilePath(path));
    QString built;
    const QStringList parts = clean.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        built += QLatin1Char('/') + part;
        const QByteArray local = QFile::encodeName(built);
        if (::mkdir(local.constData(), static_cast<mode_t>(mode)) != 0 && errno != EEXIST) {
            if (reason)
                *reason = QStringLiteral("The folder %1 could not be made: %2.")
                              .arg(QDir::toNativeSeparators(built), qt_error_string(errno));
            return false;
        }
    }
    return QFileInfo(clean).exists();
}

namespace {
// Copies a seed file from the resources unless the data folder already has one; the copy is
// made writable, since an installed resource may be read-only.
void seedFile(const QString &from, const QString &to)
{
    // A link in the file's place (dangling or not) is left for its reader to refuse: a copy
    // would land wherever it points.
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink() || !QFileInfo::exists(from))
        return;
    if (QFile::copy(from, to))
        QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
    else
        Show_NSLog_Message(QStringLiteral("Could not copy %1 to %2").arg(from, to));
}

QString createVisitorFolder()
{
    if (Created_Resource_Path.isEmpty())
        return QStringLiteral("There is no data folder.");
    const QString folder = joinPath(Created_Resource_Path, QStringLiteral("Visitor_Log"));
    // Visitors' personal details: private to the user.
    QString why;
    Create_Folder(folder, 0700, &why);
    if (!QFileInfo(folder).isDir())
        return why.isEmpty() ? QStringLiteral("%1 is not a folder.").arg(QDir::toNativeSeparators(folder)) : why;
    Database_Path = joinPath(folder, QStringLiteral("Visitor.db"));
    seedFile(joinPath(Resource_Path, QStringLiteral("Visitor.db")), Database_Path);
    return {};
}
}  // namespace

void Check_Path_And_Create_Files()
{
    const QString &R = Resource_Path;
    const QString &D = Created_Resource_Path;
    if (!R.isEmpty()) {
        for (const char *name : {"Background", "Fill_Style_Image", "LibraryImage", "Templates"})
            Create_Folder(joinPath(R, QLatin1String(name)));
    }
    if (D.isEmpty()) {
        Show_NSLog_Message(QStringLiteral("Check_Path_And_Create_Files: no data folder"));
        return;
    }
    // The data folder holds visitors' personal details: private to the user.
    Create_Folder(D, 0700);
    Create_Folder(joinPath(D, QStringLiteral("Templates"), QStringLiteral("User")));
    Create_Folder(Data_Folder_Path);
    const QString cropped = joinPath(D, QStringLiteral("Cropped_Images"));
    Create_Folder(cropped);
    Cropped_Img_Path = cropped;
    createVisitorFolder();
    Create_Folder(joinPath(D, QStringLiteral("Group_Excel_Data"), QStringLiteral("All")));
    Create_Folder(joinPath(D, QStringLiteral("Images_save_by_user")));
    const QString profiles = joinPath(D, QStringLiteral("PrintProfile"));
    Create_Folder(profiles);
    print_profile_path = profiles;
    seedFile(joinPath(R, QStringLiteral("PrintProfile"), QStringLiteral("Default.vlp")),
             joinPath(profiles, QStringLiteral("Default.vlp")));
}

QString Check_Path_And_Create_VISITOR_Files() { return createVisitorFolder(); }

void Delete_Folder(const QString &path)
{
    if (path.isEmpty())
        return;
    QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        QDir(path).removeRecursively();
    else if (info.exists() || info.isSymLink())
        QFile::remove(path);
}

void Delete_File(const QString &path)
{
    if (path.isEmpty())
        return;
    QFileInfo info(path);
    // Deletable: the item exists and its folder can be written.
    if ((info.exists() || info.isSymLink()) && QFileInfo(info.absolutePath()).isWritable()) {
        if (info.isDir() && !info.isSymLink())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }
}

void Open_Help_File()
{
    const QString help = joinPath(Resource_Path, QStringLiteral("Help.pdf"));
    if (!QFileInfo::exists(help)) {
        Show_MessageBox(QStringLiteral("Help file does not exist!"));
        return;
    }
    bool opened = false;
    platform::runOnGuiThread([&] { opened = platform::ui().openExternally(help); });
    if (!opened) {
        QString text = QStringLiteral("No program on this computer can open the user manual \"Help.pdf\".\n\n"
                                      "It is in the folder %1; open it with a PDF viewer once one is installed.")
                           .arg(QDir::toNativeSeparators(QFileInfo(help).absolutePath()));
        if (const QString missing = platform::Missing_Opener_Message(); !missing.isEmpty())
            text += QStringLiteral("\n\n") + missing;
        Show_MessageBox(text);
    }
}

// --- strings -------------------------------------------------------------------------------------

namespace {

bool isReserved(QChar c)
{
    static const QString reserved = QStringLiteral("/\\?%*|\"<>");
    return reserved.contains(c);
}
}  // namespace

bool Trims_Away(QChar c) { return c.isSpace() || c.category() == QChar::Other_Control; }

QString Trim_Where(const QString &s, const std::function<bool(QChar)> &drop)
{
    qsizetype b = 0, e = s.size();
    while (b < e && drop(s.at(b)))
        ++b;
    while (e > b && drop(s.at(e - 1)))
        --e;
    return s.mid(b, e - b);
}

QString Trim_Str(const QString &s)
{
    // Most values have nothing to trim: a printable ASCII character at each end is neither
    // white space nor a control character, and a table of a million cells trims every one.
    const auto plain = [](QChar c) { return c.unicode() > 0x20 && c.unicode() < 0x7f; };
    if (!s.isEmpty() && plain(s.front()) && plain(s.back()))
        return s;
    // White space and control characters in one pass: trimmed one kind after the other, "\x01 x"
    // kept a space that the next trim took, so a value saved and read again was another value.
    return Trim_Where(s, Trims_Away);
}

QString Replace_Char_For_valid(const QString &s) { return Trim_Str(s); }

QString Remove_Reserve_Char_In_File_Name(const QString &s)
{
    QString out = Trim_Where(s, isReserved);
    out.replace(QLatin1Char('/'), QLatin1Char('_'));
    return Trim_Str(out);
}

QString Hidden_Name_Refusal(const QString &name, const QString &what)
{
    if (!name.startsWith(QLatin1Char('.')))
        return {};
    return QStringLiteral("A %1 name can't begin with a dot: the %1 would be hidden and not listed. "
                          "Please enter another name.").arg(what);
}

QString Empty_Name_Message(const QString &typed, const QString &askForName)
{
    QStringList held;
    if (!Remove_Reserve_Char_In_File_Name(typed).isEmpty())
        return askForName;  // refused for another reason than its characters
    for (QChar c : typed) {
        const QString quoted = QLatin1Char('"') + c + QLatin1Char('"');
        if (isReserved(c) && !held.contains(quoted))
            held << quoted;
    }
    // "Please enter a name" answers a typed name as if nothing had been typed.
    if (held.isEmpty())
        return askForName;
    return QStringLiteral("A name can't be made of %1 alone: a file name can't hold %2. Please enter another name.")
        .arg(held.join(QStringLiteral(", ")), held.size() == 1 ? QStringLiteral("it") : QStringLiteral("them"));
}

QString Replace_char_in_string(const QString &s, const QString &a, const QString &b)
{
    if (a.isEmpty())
        return s;
    QString out = s;
    return out.replace(a, b);
}

QString Left_Str_substringToIndex(const QString &s, int n)
{
    if (n <= 0)
        return QStringLiteral("");
    return n >= s.size() ? s : s.left(n);
}

QString Right_Str_substringFromIndex(const QString &s, int n)
{
    if (n <= 0)
        return QStringLiteral("");
    return n >= s.size() ? s : s.right(n);
}

QString Read_Str_FromIndex(const QString &s, int i)
{
    if (i < 0 || i >= s.size())
        return QStringLiteral("");
    return s.mid(i);
}

QString Read_Str_Upto_Index(const QString &s, int i)
{
    if (i < 0 || i > s.size())
        return QStringLiteral("");
    return s.left(i);
}

int Find_Str(const QString &s, const QString &sub)
{
    if (s.isNull() || sub.isEmpty())
        return 0;
    return s.contains(sub, Qt::CaseSensitive) ? 1 : 0;
}

int Find_Str_Case_Insensitive(const QString &s, const QString &sub)
{
    if (s.isNull() || sub.isNull() || sub.isEmpty())
        return 0;
    return s.contains(sub, Qt::CaseInsensitive) ? 1 : 0;
}

// --- other ---------------------------------------------------------------------------------------

QString Time_Taken_Text(const QString &label, double elapsedSeconds)
{
    const long long total = elapsedSeconds > 0 ? static_cast<long long>(elapsedSeconds) : 0;
    const long long hours = total / 3600;
    const long long rest = total - hours * 3600;
    const long long minutes = rest / 60;
    const long long seconds = rest - minutes * 60;
    return QStringLiteral("Time Taken in %1 :: %2 Hours : %3 Minutes : %4 Seconds\n")
        .arg(label)
        .arg(hours)
        .arg(minutes)
        .arg(seconds);
}

void Calculate_Time_Taken(int flag, const QString &label)
{
    if (flag == 0) {
        const QDateTime now = QDateTime::currentDateTime();
        mLastActivity_Time = now.addMSecs(-(now.time().msec()));
        return;
    }
    const double elapsed =
        mLastActivity_Time.isValid() ? mLastActivity_Time.msecsTo(QDateTime::currentDateTime()) / 1000.0 : 0.0;
    Show_MessageBox(Time_Taken_Text(label, elapsed));
}

QTransform RotationTransform(double angleDegrees, double centreX, double centreY)
{
    QTransform t;
    t.translate(centreX, centreY);
    t.rotate(angleDegrees);
    t.translate(-centreX, -centreY);
    return t;
}
