#include "visitor/VisitorDatabase.h"

#include "core/Utilities.h"
#include "visitor/VisitorDbGuard.h"

#include <sqlite3.h>

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

Db openReadOnly(const QString &path)
{
    QString reason;
    Db db(Open_Visitor_Database(path, true, &reason));
    if (!db)
        Show_NSLog_Message(QStringLiteral("Visitor database: %1").arg(reason));
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
        // itself is bound, never spliced into the statement.
        const QString pattern = QLatin1Char('%') + v + QLatin1Char('%');
        conditions << QStringLiteral("(%1 LIKE ? OR %1_B LIKE ?)").arg(QLatin1String(column));
        q.params << pattern << pattern;
    }
    conditions << QStringLiteral("Date_Time_Stamp>=? AND Date_Time_Stamp<=?");
    q.params << s.from.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00")
             << s.to.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 23:59:59");
    q.sql = QStringLiteral("SELECT * FROM Visitor_Records WHERE ") + conditions.join(QStringLiteral(" AND "));
    return q;
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
