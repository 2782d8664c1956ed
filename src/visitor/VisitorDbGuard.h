#pragma once
// Opening the visitor database as ours. "Visitor.db" is a file in the user's data folder that
// anything may have replaced: a FIFO (opening it blocks), a database whose Visitor_Records is a
// view over an endless query, or one with a trigger that never ends. So the database is opened
// only when it is a regular file and not a link (a link would take the visits wherever it
// points), used only when its schema is ours (Visitor_Records a table, no trigger: we create
// none), and every statement runs under a guard that interrupts it past a work budget
// (counted in virtual-machine steps) or a time limit, whichever comes first.
//
// Road: Open_Visitor_Database, then a Visitor_Statement_Guard around each statement's steps.
// A refusal or an interrupt is reported by the caller as "Error in database access" (with the
// refusal's reason when there is one) and nothing is recorded.

#include <QString>

#include <chrono>

struct sqlite3;

struct VisitorDbLimits {
    // Steps of SQLite's virtual machine one statement may take: listing or searching a hundred
    // thousand visits takes well under a tenth of it.
    long long maxSteps = 200'000'000;
    std::chrono::milliseconds maxTime{3000};
};

// The open connection, or null with the reason (one line, naming the file) in `reason`.
// `readOnly` never creates the file; otherwise a missing file is created as a new database,
// readable and writable by the user alone.
sqlite3 *Open_Visitor_Database(const QString &path, bool readOnly, QString *reason = nullptr,
                               const VisitorDbLimits &limits = {});

// Whether the open database's schema is ours; the reason otherwise.
bool Visitor_Schema_Is_Ours(sqlite3 *db, QString *reason = nullptr);

// Interrupts the statements run on `db` while it lives once they pass the limits; they then
// fail with SQLITE_INTERRUPT. One guard per statement: the budget starts when it is made.
class Visitor_Statement_Guard {
public:
    explicit Visitor_Statement_Guard(sqlite3 *db, const VisitorDbLimits &limits = {});
    ~Visitor_Statement_Guard();
    Visitor_Statement_Guard(const Visitor_Statement_Guard &) = delete;
    Visitor_Statement_Guard &operator=(const Visitor_Statement_Guard &) = delete;
    bool interrupted() const { return m_interrupted; }

private:
    static int progress(void *self);
    sqlite3 *m_db;
    long long m_callsLeft;
    std::chrono::steady_clock::time_point m_deadline;
    bool m_interrupted = false;
};
