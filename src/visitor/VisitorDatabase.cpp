#include "visitor/VisitorDatabase.h"

#include "core/Utilities.h"
#include "visitor/VisitorDbGuard.h"

#include <sqlite3.h>

#include <QLocale>

#include <memory>

namespace {

struct DbCloser {
    void operator()(sqlite3 *db) const { sqlite3_close(db); }
};
struct StmtCloser {
    void operator()(sqlite3_stmt *s) const { sqlite3_finalize(s); }
};
using Db = std::unique_ptr<sqlite3, DbCloser>;
using Stmt = std::unique_ptr<sqlite3_stmt, StmtCloser>;

// A search pattern as the matcher takes it: folded, split at "%" into the runs between, in
// characters. Made once a statement, so that a row costs only its own value's fold.
struct FoldedPattern {
    QList<QList<uint>> runs;  // the first is anchored at the start, the last at the end
    qsizetype least = 0;      // characters a text needs at the least
};

FoldedPattern foldPattern(const QString &pattern)
{
    FoldedPattern p;
    for (const QString &run : pattern.toCaseFolded().split(QLatin1Char('%'))) {
        p.runs << run.toUcs4();
        p.least += p.runs.back().size();
    }
    return p;
}

// Whether `run` ("_" any one character) matches `text` exactly at `at`.
bool runAt(const QList<uint> &text, const QList<uint> &run, qsizetype at)
{
    if (at < 0 || at + run.size() > text.size())
        return false;
    for (qsizetype i = 0; i < run.size(); ++i)
        if (run[i] != '_' && run[i] != text[at + i])
            return false;
    return true;
}

// Where `run` first matches `text` at or after `from`, in characters; -1 when nowhere.
qsizetype findRun(const QList<uint> &text, const QList<uint> &run, qsizetype from)
{
    for (qsizetype at = from; at + run.size() <= text.size(); ++at)
        if (runAt(text, run, at))
            return at;
    return -1;
}

// LIKE without its ASCII-only idea of letter case: "%" any run of characters, "_" any one
// character, every letter matched whatever its case. Taking each run between "%" at its first
// place is enough: a later place leaves less room to the runs after it.
bool foldedLike(const FoldedPattern &p, const QString &value)
{
    const QList<uint> text = value.toCaseFolded().toUcs4();
    if (text.size() < p.least)
        return false;
    const QList<QList<uint>> &runs = p.runs;
    if (runs.size() == 1)
        return text.size() == runs.front().size() && runAt(text, runs.front(), 0);
    if (!runAt(text, runs.front(), 0) || !runAt(text, runs.back(), text.size() - runs.back().size()))
        return false;
    qsizetype at = runs.front().size();
    const qsizetype end = text.size() - runs.back().size();
    for (qsizetype r = 1; r + 1 < runs.size(); ++r) {
        const qsizetype found = findRun(text, runs[r], at);
        if (found < 0 || found + runs[r].size() > end)
            return false;
        at = found + runs[r].size();
    }
    return at <= end;
}

// visit_like(pattern, value): 1 when the value matches, NULL values never do.
void visitLike(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_int(context, 0);
    // The pattern is the same for every row of a statement: folded once.
    auto *pattern = static_cast<FoldedPattern *>(sqlite3_get_auxdata(context, 0));
    if (!pattern) {
        const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
        pattern = new FoldedPattern(foldPattern(QString::fromUtf8(text, sqlite3_value_bytes(argv[0]))));
        sqlite3_set_auxdata(context, 0, pattern, [](void *p) { delete static_cast<FoldedPattern *>(p); });
        pattern = static_cast<FoldedPattern *>(sqlite3_get_auxdata(context, 0));
        if (!pattern)
            return sqlite3_result_error_nomem(context);
    }
    const auto *value = reinterpret_cast<const char *>(sqlite3_value_text(argv[1]));
    sqlite3_result_int(context, foldedLike(*pattern, QString::fromUtf8(value, sqlite3_value_bytes(argv[1]))) ? 1 : 0);
}

Db openReadOnly(const QString &path)
{
    QString reason;
    Db db(Open_Visitor_Database(path, true, &reason));
    if (!db) {
        Show_NSLog_Message(QStringLiteral("Visitor database: %1").arg(reason));
        return db;
    }
    sqlite3_create_function_v2(db.get(), "visit_like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, visitLike,
                               nullptr, nullptr, nullptr);
    return db;
}

Stmt prepare(sqlite3 *db, const VisitQuery &q)
{
    sqlite3_stmt *raw = nullptr;
    const QByteArray sql = q.sql.toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &raw, nullptr) != SQLITE_OK) {
        Show_NSLog_Message(QStringLiteral("Visitor database: %1").arg(QString::fromUtf8(sqlite3_errmsg(db))));
        sqlite3_finalize(raw);
        return nullptr;
    }
    Stmt st(raw);
    for (int i = 0; i < q.params.size(); ++i) {
        const QByteArray v = q.params[i].toUtf8();
        sqlite3_bind_text(raw, i + 1, v.constData(), int(v.size()), SQLITE_TRANSIENT);
    }
    return st;
}

VisitColumns readRow(sqlite3_stmt *st)
{
    VisitColumns row;
    const int n = sqlite3_column_count(st);
    for (int c = 0; c < n; ++c) {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(st, c));
        const int bytes = sqlite3_column_bytes(st, c);
        row.insert(QString::fromUtf8(sqlite3_column_name(st, c)), text ? QString::fromUtf8(text, bytes) : QString());
    }
    return row;
}

VisitRow rowRecord(const VisitColumns &c, int position)
{
    auto both = [&](const char *column) {
        const QString name = QLatin1String(column);
        return c.value(name) + Chk_and_return_back_value(c.value(name + QLatin1String("_B")));
    };
    VisitRow r;
    r.SNO = QString::number(position + 1);
    r.DB_ID = c.value(QStringLiteral("ID"));
    r.id = r.DB_ID.toLongLong();
    r.DateTime = c.value(QStringLiteral("Date_Time_Stamp"));
    r.Name = both("VName");
    r.Position = both("Position");
    r.CompanyName = both("CompanyName");
    r.Address = both("Address");
    r.Phone = both("Phone");
    r.Email = both("Email");
    r.Purpose = both("Slogan");
    r.Meet = both("Website");
    r.VisitoNO = both("UniqueNo");
    r.Other = Trim_Str(c.value(QStringLiteral("Other")) + c.value(QStringLiteral("Other_B")))
                  .replace(QLatin1String("\r\n"), QLatin1String(" "));
    r.Photo = c.value(QStringLiteral("Photo"));
    return r;
}

}  // namespace

QString Chk_and_return_back_value(const QString &back)
{
    const QString t = Trim_Str(back);
    return t.isEmpty() ? QString() : QStringLiteral(" [ %1 ]").arg(t);
}

VisitQuery Latest_Visits_Query()
{
    return {QStringLiteral("SELECT * FROM Visitor_Records ORDER BY ID DESC LIMIT 10"), {}};
}

VisitQuery Search_Visits_Query(const VisitorSearch &s)
{
    const std::pair<const QString *, const char *> fields[] = {
        {&s.Name, "VName"},       {&s.Comp_Name, "CompanyName"}, {&s.Address, "Address"},
        {&s.Phone, "Phone"},      {&s.Email, "Email"},           {&s.Purpose, "Slogan"},
        {&s.To_Meet, "Website"},  {&s.Visitor_NO, "UniqueNo"},   {&s.Other, "Other"},
    };
    VisitQuery q;
    QStringList conditions;
    for (const auto &[value, column] : fields) {
        const QString v = Trim_Str(*value);
        if (v.isEmpty())
            continue;
        // "%" and "_" typed in a field keep their LIKE meaning ("50%" finds "500 units"); the value
        // itself is bound, never spliced into the statement. Letters match whatever their case,
        // in every script (the database's own LIKE folds ASCII letters only).
        const QString pattern = QLatin1Char('%') + v + QLatin1Char('%');
        conditions << QStringLiteral("(visit_like(?, %1) OR visit_like(?, %1_B))").arg(QLatin1String(column));
        q.params << pattern << pattern;
    }
    conditions << QStringLiteral("Date_Time_Stamp>=? AND Date_Time_Stamp<=?");
    q.params << s.from.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00")
             << s.to.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 23:59:59");
    q.sql = QStringLiteral("SELECT * FROM Visitor_Records WHERE ") + conditions.join(QStringLiteral(" AND "));
    return q;
}

QString Visitor_Search_Refusal(const VisitorSearch &s)
{
    const std::pair<const QString *, const char *> fields[] = {
        {&s.Name, "Name"},       {&s.Comp_Name, "Company"},        {&s.Address, "Address"},
        {&s.Phone, "Phone"},     {&s.Email, "Email"},              {&s.Purpose, "Purpose"},
        {&s.To_Meet, "Person to Meet"}, {&s.Visitor_NO, "Visitor No."}, {&s.Other, "Other"},
    };
    for (const auto &[value, title] : fields)
        if (Trim_Str(*value).size() > kVisitorSearchMost)
            return QStringLiteral("The search text of \"%1\" is too long: a search text may have at most %2 characters.")
                .arg(QLatin1String(title), QLocale(QLocale::English).toString(kVisitorSearchMost));
    return {};
}

VisitListing Run_Visit_Query(const QString &dbPath, const VisitQuery &query)
{
    VisitListing out;
    Db db = openReadOnly(dbPath);
    if (!db) {
        out.status = VisitDbStatus::OpenFailed;
        return out;
    }
    Stmt st = prepare(db.get(), query);
    if (!st) {
        out.status = VisitDbStatus::PrepareFailed;
        return out;
    }
    int rc;
    Visitor_Statement_Guard guard(db.get());
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW)
        out.rows.push_back(rowRecord(readRow(st.get()), int(out.rows.size())));
    if (rc != SQLITE_DONE) {
        Show_NSLog_Message(QStringLiteral("Visitor database: %1").arg(QString::fromUtf8(sqlite3_errmsg(db.get()))));
        out.status = VisitDbStatus::PrepareFailed;
    }
    return out;
}

VisitFetch Fetch_Visit(const QString &dbPath, qint64 id)
{
    VisitFetch out;
    Db db = openReadOnly(dbPath);
    if (!db) {
        out.status = VisitDbStatus::OpenFailed;
        return out;
    }
    Stmt st = prepare(db.get(), {QStringLiteral("SELECT * FROM Visitor_Records WHERE ID=?"), {}});
    if (!st) {
        out.status = VisitDbStatus::PrepareFailed;
        return out;
    }
    sqlite3_bind_int64(st.get(), 1, id);
    Visitor_Statement_Guard guard(db.get());
    const int rc = sqlite3_step(st.get());
    if (rc == SQLITE_ROW) {
        out.found = true;
        out.columns = readRow(st.get());
    } else if (rc != SQLITE_DONE) {
        Show_NSLog_Message(QStringLiteral("Visitor database: %1").arg(QString::fromUtf8(sqlite3_errmsg(db.get()))));
        out.status = VisitDbStatus::PrepareFailed;
    }
    return out;
}

std::optional<std::pair<QDate, QDate>> Date_Range_For_Index(int index, const QDate &today)
{
    switch (index) {
    case 0: return std::pair{today, today};
    case 1: return std::pair{today.addDays(-1), today.addDays(-1)};
    case 2: return std::pair{today.addDays(-6), today};
    case 3: return std::pair{today.addDays(-30), today};
    default: return std::nullopt;
    }
}
