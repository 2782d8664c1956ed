#pragma once
// Series: named lists of values, one UTF-8 text file per series in the series folder
// (Data_Folder_Path), every value followed by a line feed. The file is the series; there is
// no index and no cache, so every reader sees the last write.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

struct ReadProgress;

// The file of the series `name` (not checked for existence).
QString Series_File_Path(const QString &name);

// The series name the user typed, cleaned the way every writer cleans it; empty when the name
// is not acceptable (nothing left, or a control character inside it).
QString Valid_Series_Name(const QString &typed);

// The values of a series file as the viewer and the manager show them: split at line feeds,
// each trimmed, empty ones dropped. Nothing for a missing, oversized or non-UTF-8 file.
QStringList Read_Series_Values(const QString &path);
// The same, counting each value into `progress`; none when Stop was asked for there (a file
// that cannot be read gives an empty list, as above). A file refused for its size or its kind
// (a FIFO, a device), unreadable or not UTF-8 puts the one-line reason for the user into
// `refusal`.
std::optional<QStringList> Read_Series_Values(const QString &path, ReadProgress &progress, QString *refusal = nullptr);
// The whole text of a series file; none for a missing, refused, unreadable or non-UTF-8 file
// (`refusal` says why one that is there was not read; a missing one leaves it empty).
std::optional<QString> Read_Series_Text(const QString &path, QString *refusal = nullptr);
// The lines of a series file as a batch run numbers them: the whole text trimmed, then split at
// line feeds, empty lines kept in place. None for a missing, refused or non-UTF-8 file.
std::optional<QStringList> Read_Series_Lines(const QString &path, QString *refusal = nullptr);

// A value as one line of a series file: each line break inside it (CR LF, CR, LF, a line or
// paragraph separator, a vertical tab, a form feed, a next-line character) becomes one space, as
// a one-line field shows it. A break left inside would make two values of it, and every later
// value would land one card late.
QString Series_Value_Line(const QString &value);

// The bytes of a series file: each value's UTF-8 (as Series_Value_Line) followed by 0x0A.
QByteArray Series_File_Bytes(const QStringList &values);

// Writes a series file whole: the values produced by `produce` (which calls `add` per value,
// each written as Series_Value_Line) land in the file only when everything was written; an
// existing file is otherwise untouched, and `error` gets the system's reason ("No space left on
// device").
bool Write_Series_File(const QString &path, const std::function<void(const std::function<void(const QString &)> &add)> &produce,
                       QString *error = nullptr);
bool Write_Series_File(const QString &path, const QStringList &values, QString *error = nullptr);

// Whether a control of the open design takes its values from the series. The main window
// installs the test over its design; without one nothing is in use.
using SeriesInUseTest = std::function<bool(const QString &name)>;
SeriesInUseTest Set_Series_In_Use_Test(SeriesInUseTest test);
// Only an existing series can be in use.
bool Series_In_Use(const QString &name);

// The shared way to create or replace a series under a typed name: cleans the name, refuses a
// series in use, asks before replacing, and writes the file whole (a failed write keeps the old
// series). Messages go to the user; returns true when the file was written.
bool Create_Series_File(const QString &typedName,
                        const std::function<void(const std::function<void(const QString &)> &add)> &produce);
