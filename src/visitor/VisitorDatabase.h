#pragma once
// Reading the visitor database: the latest visits, searches and one visit's columns. The log only
// reads: the database is opened read-only for one statement and closed again. Typed text never
// becomes SQL: every value is a bound parameter.

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

// The nine search criteria and the calendar days of the range (both inclusive).
struct VisitorSearch {
    QString Name = {}, Comp_Name = {}, Address = {}, Phone = {}, Email = {}, Purpose = {}, To_Meet = {},
            Visitor_NO = {}, Other = {};
    QDate from = {}, to = {};
};

// One listed visit, keyed as the list's columns are.
struct VisitRow {
    qint64 id = 0;
    QString SNO, DB_ID, DateTime, Name, Position, CompanyName, Address, Phone, Email, Purpose, Meet,
        VisitoNO, Other, Photo;
};

enum class VisitDbStatus { Ok, OpenFailed, PrepareFailed };

struct VisitListing {
    VisitDbStatus status = VisitDbStatus::Ok;
    std::vector<VisitRow> rows;
};

// Every column of one stored visit by name; NULL reads as "".
using VisitColumns = QHash<QString, QString>;

struct VisitFetch {
    VisitDbStatus status = VisitDbStatus::Ok;
    bool found = false;
    VisitColumns columns;
};

// A statement and the texts bound to its parameters, in order.
struct VisitQuery {
    QString sql;
    QStringList params;
};

// " [ back ]" for a non-empty trimmed back text, "" otherwise.
QString Chk_and_return_back_value(const QString &back);

VisitQuery Latest_Visits_Query();
VisitQuery Search_Visits_Query(const VisitorSearch &search);
// Why a search cannot run (a search text longer than kVisitorSearchMost characters), in one
// line naming the field; empty when it can.
inline constexpr qsizetype kVisitorSearchMost = 50000;
QString Visitor_Search_Refusal(const VisitorSearch &search);

// Runs a listing query on the database file.
VisitListing Run_Visit_Query(const QString &dbPath, const VisitQuery &query);
// The visit with that ID.
VisitFetch Fetch_Visit(const QString &dbPath, qint64 id);

// The From and To days of a date-range choice (0 today, 1 yesterday, 2 last seven days, 3 last
// thirty days); counted in calendar days, so a daylight-saving change moves nothing. Any other
// index answers nothing (the pickers keep their dates).
std::optional<std::pair<QDate, QDate>> Date_Range_For_Index(int index, const QDate &today);
