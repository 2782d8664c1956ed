#include "visitor/VisitorRecorder.h"
#include "visitor/VisitorDbGuard.h"

#include "core/Globals.h"
#include "core/SKTGraphic.h"
#include "core/Utilities.h"
#include "platform/UiServices.h"
#include "visitor/Profile_Panel.h"

#include <QCheckBox>
#include <QDateTime>
#include <QLineEdit>
#include <QLocale>
#include <QStringList>
#include <sqlite3.h>
#include <utility>

namespace {

// The table's columns after ID, in the seed's order: front and back each have twelve
// value/caption pairs, the two use flags between UniqueNo and EntryDate, and the custom text.
const char *const kFieldColumns[12] = {"VName",   "Position", "CompanyName", "Slogan",   "Address",   "Phone",
                                       "Fax",     "Email",    "Website",     "UniqueNo", "EntryDate", "EntryTime"};

QStringList sideColumns(const QString &suffix)
{
    QStringList cols;
    for (const char *f : kFieldColumns) {
        const QString name = QLatin1String(f);
        if (name == QLatin1String("EntryDate"))
            cols << QStringLiteral("Use_Date") + suffix << QStringLiteral("Use_Time") + suffix;
        cols << name + suffix << name + QStringLiteral("_lb") + suffix;
    }
    return cols << QStringLiteral("Other") + suffix;
}

QStringList sideValues(const VisitorSideRecord &s)
{
    QStringList vals;
    for (int i = 0; i < 12; ++i) {
        if (i == kDateField)
            vals << QString::number(s.useDate) << QString::number(s.useTime);
        vals << s.values[size_t(i)] << s.captions[size_t(i)];
    }
    return vals << s.other;
}

QStringList allColumns()
{
    return QStringList{QStringLiteral("Photo"), QStringLiteral("Date_Time_Stamp")} + sideColumns({}) +
           sideColumns(QStringLiteral("_B"));
}

QString quoted(const QString &id) { return QLatin1Char('"') + id + QLatin1Char('"'); }

QString createTableSql()
{
    QStringList defs{QStringLiteral("\"ID\" INTEGER PRIMARY KEY AUTOINCREMENT")};
    for (const QString &c : allColumns())
        defs << quoted(c) + QStringLiteral(" TEXT");
    return QStringLiteral("CREATE TABLE IF NOT EXISTS \"Visitor_Records\" (%1)").arg(defs.join(QStringLiteral(", ")));
}

// Filled when something other than separators and white space is left.
bool filled(const QString &text)
{
    QString t = text;
    t.remove(QLatin1Char('\'')).remove(QLatin1Char(','));
    return !Trim_Str(t).isEmpty();
}

QString dbError(sqlite3 *db) { return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("no database"); }

}  // namespace

namespace {
std::function<QDateTime()> &visitorClock()
{
    static std::function<QDateTime()> clock;
    return clock;
}
}  // namespace

QDateTime Visitor_Clock_Now()
{
    const std::function<QDateTime()> &clock = visitorClock();
    return clock ? clock() : QDateTime::currentDateTime();
}

std::function<QDateTime()> Set_Visitor_Clock(std::function<QDateTime()> clock)
{
    return std::exchange(visitorClock(), std::move(clock));
}

QString Visitor_Date_Text(const QDate &date)
{
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(date, QStringLiteral("dd-MMM-yyyy"));
}

VisitorSideRecord Read_Visitor_Side(const Profile_Panel &panel, const QString &other, bool present,
                                    const QString &date, const QString &time)
{
    VisitorSideRecord s;
    for (size_t i = 0; i < 12; ++i) {
        const bool valueOn = panel.value_chk[i] && panel.value_chk[i]->isChecked();
        const bool captionOn = panel.label_chk[i] && panel.label_chk[i]->isChecked();
        if (present && valueOn && panel.value[i])
            s.values[i] = panel.value[i]->text();
        if (present && captionOn && panel.label[i])
            s.captions[i] = panel.label[i]->text();
        // An unchecked date or time still records when the visit was saved.
        if (int(i) == kDateField) {
            s.useDate = valueOn;
            if (!valueOn)
                s.values[i] = date;
        }
        if (int(i) == kTimeField) {
            s.useTime = valueOn;
            if (!valueOn)
                s.values[i] = time;
        }
    }
    s.other = present ? other : QString();
    return s;
}

bool Visitor_Record_Has_Details(const VisitorRecord &r)
{
    if (!r.photo.isEmpty())
        return true;
    for (const VisitorSideRecord &s : r.side) {
        QStringList values(s.values.begin(), s.values.begin() + kDateField);
        if (filled(QStringList(s.captions.begin(), s.captions.end()).join(QLatin1Char(','))) ||
            filled((values << s.other).join(QLatin1Char(','))) || s.useDate || s.useTime)
            return true;
    }
    return false;
}

QString Visitor_DB::Get_Visitor_DB_Path() const { return Database_Path; }

bool Visitor_DB::Open_DB_Connection()
{
    Close_DB_Connection();
    // No path yet: the log's folder could not be made. Made now, or the reason why not.
    QString folderFailure;
    if (Get_Visitor_DB_Path().isEmpty())
        folderFailure = Check_Path_And_Create_VISITOR_Files();
    // An empty path would open a private temporary database: the visit would vanish unseen.
    // Opened only as ours: a regular file whose schema we made (see VisitorDbGuard.h).
    QString reason;
    visitor_db = Open_Visitor_Database(Get_Visitor_DB_Path(), false, &reason);
    m_openFailure.clear();
    if (visitor_db)
        return true;
    Show_NSLog_Message(QStringLiteral("Database failed to open: %1").arg(reason));
    m_openFailure = Get_Visitor_DB_Path().isEmpty() ? folderFailure : reason;
    return false;
}

bool Visitor_DB::Close_DB_Connection()
{
    if (!visitor_db)
        return false;
    sqlite3_close(visitor_db);
    visitor_db = nullptr;
    return true;
}

bool Visitor_DB::Insert_Visitor_Record(const VisitorRecord &r)
{
    if (!Open_DB_Connection()) {
        // Why, when we know: a link or a FIFO in the database's place is the user's to remove.
        platform::ui().message(m_openFailure.isEmpty() ? QStringLiteral("Error in database access.")
                                                       : QStringLiteral("Error in database access.\n%1").arg(m_openFailure));
        return false;
    }
    sqlite3_busy_timeout(visitor_db, 2000);
    const QStringList columns = allColumns();
    const QStringList values = QStringList{r.photo, r.stamp} + sideValues(r.side[0]) + sideValues(r.side[1]);
    QStringList names, marks;
    for (const QString &c : columns)
        names << quoted(c), marks << QStringLiteral("?");
    const QByteArray insert = QStringLiteral("INSERT INTO \"Visitor_Records\" (%1) VALUES (%2)")
                                  .arg(names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')))
                                  .toUtf8();
    bool ok = false, interrupted = false;
    QString error;
    {
        // The guard lets go of the connection as it ends, so it must end before the connection
        // is closed: afterwards it would take a lock in freed memory and freeze the desk.
        const Visitor_Statement_Guard guard(visitor_db);
        ok = sqlite3_exec(visitor_db, createTableSql().toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_stmt *st = nullptr;
        ok = ok && sqlite3_prepare_v2(visitor_db, insert.constData(), int(insert.size()), &st, nullptr) == SQLITE_OK;
        for (int i = 0; ok && i < values.size(); ++i) {
            const QByteArray v = values[i].toUtf8();
            ok = sqlite3_bind_text(st, i + 1, v.constData(), int(v.size()), SQLITE_TRANSIENT) == SQLITE_OK;
        }
        ok = ok && sqlite3_step(st) == SQLITE_DONE;
        error = dbError(visitor_db);
        sqlite3_finalize(st);
        interrupted = guard.interrupted();
    }
    Close_DB_Connection();
    if (!ok) {
        Show_NSLog_Message(error);
        Show_NSLog_Message(QStringLiteral("Error Inserting/Updating Table"));
        // A statement stopped by its guard ran too long: the database is not the one we made.
        platform::ui().message(interrupted
                                   ? QStringLiteral("Error in database access.")
                                   : QStringLiteral("The visitor details could not be saved (%1).\nNothing was recorded.").arg(error));
        return false;
    }
    platform::ui().message(QStringLiteral("Visitor Details has been saved successfully"));
    return true;
}

bool Visitor_DB::Add_Visitor_Record_To_DB(const Profile_Panel &front, const Profile_Panel &back, int frontControls,
                                          int backControls, bool twoSided,
                                          const std::function<QString(int)> &customText,
                                          const QDateTime &moment)
{
    Check_Path_And_Create_VISITOR_Files();
    if ((frontControls == 0 && twoSided ? backControls : frontControls) == 0) {
        platform::ui().message(QStringLiteral("There is no details for Visitor.\nPlease enter some details."));
        return false;
    }
    const QDateTime now = moment.isValid() ? moment : Visitor_Clock_Now();
    const QString date = Visitor_Date_Text(now.date());
    const QString time = now.toString(QStringLiteral("HH:mm:ss"));
    VisitorRecord r;
    r.stamp = now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    r.photo = front.image_path_val ? Trim_Str(front.image_path_val->text()) : QString();
    r.side[0] = Read_Visitor_Side(front, customText ? customText(0) : QString(), true, date, time);
    r.side[1] = Read_Visitor_Side(back, customText ? customText(1) : QString(), twoSided, date, time);
    if (!Visitor_Record_Has_Details(r)) {
        platform::ui().message(QStringLiteral("Please enter some details of visitor."));
        return false;
    }
    return Insert_Visitor_Record(r);
}

QString Update_Data_Reminder_Text()
{
    return QStringLiteral("Please click on 'Save Details' button to update your changes in your project data.");
}

void Show_Message_To_Update_Data(const SKTGraphic *selected)
{
    if (Start_Card_Option == QLatin1String("G") && selected && selected->data_source_type_val() == 2)
        platform::ui().message(Update_Data_Reminder_Text());
}
