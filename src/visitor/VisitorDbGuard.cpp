#include "visitor/VisitorDbGuard.h"

#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
// The handler runs every this many steps: often enough to stop within milliseconds, rarely
// enough to cost nothing.
constexpr int kStepsPerCall = 1000;
}  // namespace

Visitor_Statement_Guard::Visitor_Statement_Guard(sqlite3 *db, const VisitorDbLimits &limits)
    : m_db(db), m_callsLeft(std::max<long long>(1, limits.maxSteps / kStepsPerCall)),
      m_deadline(std::chrono::steady_clock::now() + limits.maxTime)
{
    if (m_db)
        sqlite3_progress_handler(m_db, kStepsPerCall, &Visitor_Statement_Guard::progress, this);
}

Visitor_Statement_Guard::~Visitor_Statement_Guard()
{
    if (m_db)
        sqlite3_progress_handler(m_db, 0, nullptr, nullptr);
}

int Visitor_Statement_Guard::progress(void *self)
{
    auto *g = static_cast<Visitor_Statement_Guard *>(self);
    if (--g->m_callsLeft <= 0 || std::chrono::steady_clock::now() > g->m_deadline)
        g->m_interrupted = true;
    return g->m_interrupted ? 1 : 0;
}

bool Visitor_Schema_Is_Ours(sqlite3 *db, QString *reason)
{
    auto refuse = [&](const QString &why) {
        if (reason)
            *reason = why;
        return false;
    };
    sqlite3_stmt *st = nullptr;
    const char *sql = "SELECT type, name FROM sqlite_master WHERE type = 'trigger' OR name = 'Visitor_Records' "
                      "COLLATE NOCASE";
    Visitor_Statement_Guard guard(db);
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        return refuse(QStringLiteral("its schema cannot be read"));
    }
    QString problem;
    int rc;
    while (problem.isEmpty() && (rc = sqlite3_step(st)) == SQLITE_ROW) {
        const QString type = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
        const QString name = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 1)));
        if (type == QLatin1String("trigger"))
            problem = QStringLiteral("it holds a trigger we did not create (%1)").arg(name);
        else if (type != QLatin1String("table"))
            problem = QStringLiteral("Visitor_Records is a %1, not a table").arg(type);
    }
    if (problem.isEmpty() && rc != SQLITE_DONE)
        problem = QStringLiteral("its schema cannot be read");
    sqlite3_finalize(st);
    return problem.isEmpty() || refuse(problem);
}

sqlite3 *Open_Visitor_Database(const QString &path, bool readOnly, QString *reason, const VisitorDbLimits &limits)
{
    auto refuse = [&](const QString &why) -> sqlite3 * {
        if (reason)
            *reason = QStringLiteral("%1 was refused: %2.").arg(path, why);
        return nullptr;
    };
    if (path.isEmpty())
        return refuse(QStringLiteral("no database path"));
    // A link would take the visits wherever it points (a dangling one would make a database
    // there): the database is a file of its own or nothing.
    if (platform::isLink(path))
        return refuse(QStringLiteral("it is a link, not the database itself"));
    const QFileInfo info(path);
    // A FIFO or device in its place would block the open or feed us anything.
    if (info.exists() && !info.isFile())
        return refuse(QStringLiteral("it is not a regular file"));
    if (!info.exists() && readOnly)
        return refuse(QStringLiteral("it does not exist"));
    if (!info.exists()) {
        // Visitors' personal details: made readable by the user alone (SQLite would make it
        // readable by everyone), and never through a link that appeared meanwhile.
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            return refuse(qt_error_string(errno));
        if (fd >= 0)
            ::close(fd);
    }
    // SQLite's no-follow flag refuses a link anywhere in the path, and a home folder reached
    // through a link is common: the folder is named as it really is, so the flag only guards
    // the file itself (against a link that appeared since the check above).
    const QString folder = info.absoluteDir().canonicalPath();
    const QString opened = folder.isEmpty() ? path : QDir(folder).filePath(info.fileName());
    sqlite3 *db = nullptr;
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOFOLLOW;
    if (sqlite3_open_v2(opened.toUtf8().constData(), &db, flags, nullptr) != SQLITE_OK) {
        const QString why = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("it cannot be opened");
        sqlite3_close(db);
        return refuse(why);
    }
    sqlite3_busy_timeout(db, int(std::min<long long>(limits.maxTime.count(), 2000)));
    QString why;
    if (!Visitor_Schema_Is_Ours(db, &why)) {
        sqlite3_close(db);
        return refuse(why);
    }
    return db;
}
