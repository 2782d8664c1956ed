#pragma once
// Date and time fields that take a date or time typed key by key in the text they show.
//
// Qt's own date and time fields weigh every key against their format section by section. Typed
// over the whole text, the first key ("1" of "11/24/26") makes no date and is dropped, while a
// separator key jumps to the next section, which then takes its digits: the field ends on a date
// the user did not type (12/24/26). A digit typed at the start of a section (Home, then "3") is
// put before the section's digits, which makes no month either, and is dropped too.
//
// These fields take the text as a user types it. What is typed is shown as typed; a key typed at
// the start of a section, or into a section the user clicked (a click selects it), replaces that
// section; a separator key typed where the text has that separator steps over it to the next
// section; a key typed after a full section of digits (or a letter after digits) goes on into
// the next. The text is read in the shown format when the field is left (Tab, Return, a click
// elsewhere, a step by the arrows or the wheel, the calendar), a two-digit year in the century
// the field showed. A text that is no date or time then gives back the value in force, never a
// date made of part of it. Tab leaves the field. The arrows step the section the cursor is in
// and the calendar picks, as in Qt's fields.
//
// The fields are a QDateEdit and a QTimeEdit, found and read as those.

class QDate;
class QDateEdit;
class QTime;
class QTimeEdit;
class QWidget;

// A date field showing `date` in the locale's short date format.
QDateEdit *Typed_Date_Field(const QDate &date, QWidget *parent = nullptr);
// A time field showing `time`; the caller sets its display format.
QTimeEdit *Typed_Time_Field(const QTime &time, QWidget *parent = nullptr);
