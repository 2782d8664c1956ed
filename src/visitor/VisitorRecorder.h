#pragma once
// Recording a visit: everything the two profile panels hold becomes one row of the visitor
// database. Values are bound parameters, so a typed apostrophe is stored as typed; a data folder
// whose database lost its table gets it back, and a failed write is always told to the operator.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <array>
#include <functional>

struct sqlite3;
class Profile_Panel;
class SKTGraphic;

// One side of a visit, already reduced by its check boxes.
struct VisitorSideRecord {
    std::array<QString, 12> captions{}, values{};  // the panel's field order
    bool useDate = false, useTime = false;
    QString other;  // custom rows: "caption : value", CR LF between rows
};

struct VisitorRecord {
    QString photo, stamp;  // stamp "yyyy-MM-dd HH:mm:ss"
    VisitorSideRecord side[2];
};

// The desk's clock: recording a visit and the panels' date and time boxes read it. A test sets
// its own (GUI thread); an empty function puts the system clock back. Answers the clock replaced.
QDateTime Visitor_Clock_Now();
std::function<QDateTime()> Set_Visitor_Clock(std::function<QDateTime()> clock);

// A visit's date as the panels show it and the database stores it: "dd-MMM-yyyy" with the
// English month abbreviation whatever the desk's language, so the log reads one form.
QString Visitor_Date_Text(const QDate &date);

// A panel's side as stored: unchecked captions and values empty, an unchecked date or time the
// moment of saving; a side that is not on the card (`present` false) keeps only that date and time.
VisitorSideRecord Read_Visitor_Side(const Profile_Panel &panel, const QString &other, bool present,
                                    const QString &date, const QString &time);
// Whether anything was entered: a caption, a value, a custom row, a use flag or the photo.
bool Visitor_Record_Has_Details(const VisitorRecord &record);

class Visitor_DB {
public:
    ~Visitor_DB() { Close_DB_Connection(); }
    QString Get_Visitor_DB_Path() const;
    bool Open_DB_Connection();
    bool Close_DB_Connection();
    // Writes the row (creating the table when it is missing) and tells the operator the outcome.
    // True when the row was stored.
    bool Insert_Visitor_Record(const VisitorRecord &record);
    // The record button: both panels into one row. `frontControls` / `backControls` count the
    // controls of each side; `customText(side)` gives a side's custom rows.
    // `now` is the moment of recording (invalid: the desk's clock now).
    bool Add_Visitor_Record_To_DB(const Profile_Panel &front, const Profile_Panel &back, int frontControls,
                                  int backControls, bool twoSided, const std::function<QString(int)> &customText,
                                  const QDateTime &now = QDateTime());

private:
    sqlite3 *visitor_db = nullptr;
    QString m_openFailure;  // why the last open was refused, for the operator's box
};

// The group-mode reminder after a photo change: only when the selected control takes its value
// from a spreadsheet column.
void Show_Message_To_Update_Data(const SKTGraphic *selected);
// What the reminder says; group mode asks with it before unsaved changes would be left behind.
QString Update_Data_Reminder_Text();
