#pragma once
// Free functions every subsystem calls: message boxes (always shown on the GUI thread),
// logging, the data-folder tree, small string functions and a few helpers.

#include <QString>
#include <QTransform>
#include <functional>

// --- messages and logging ---
void Show_NSLog_Message(const QString &text);
void Show_MessageBox(const QString &text);            // "\n" + text, on the GUI thread, waits
void Show_MessageBox_No_Thread(const QString &text);  // same box, calling thread
int show_msg(const QString &text);                    // text unchanged, "OK"; returns 1
int Show_YES_NO_MessageBox(const QString &text);      // 1 Yes, 0 No; on the GUI thread, waits
int Show_YES_NO_Cancel_MessageBox(const QString &text);  // 1000 Yes, 1001 No, 1002 Cancel

// --- folders and files ---
// Creates the folder and any missing parents; true when something already exists there.
// New folders get `mode` under the process umask. On failure `reason` (when given) names the
// folder that could not be made and the system's reason.
bool Create_Folder(const QString &path, unsigned mode = 0755, QString *reason = nullptr);
void Check_Path_And_Create_Files();
// Makes the visitor log's folder and sets Database_Path in it; "" when done, else why the
// folder could not be made (Database_Path then stays as it was).
QString Check_Path_And_Create_VISITOR_Files();
void Delete_Folder(const QString &path);
void Delete_File(const QString &path);
void Open_Help_File();

// --- strings (lengths and indexes count UTF-16 units) ---
// The text without white space and control characters at either end; trimming it again
// changes nothing.
QString Trim_Str(const QString &s);
// Whether Trim_Str takes the character away at an end.
bool Trims_Away(QChar c);
// The text without the characters `drop` accepts at either end.
QString Trim_Where(const QString &s, const std::function<bool(QChar)> &drop);
QString Replace_Char_For_valid(const QString &s);
QString Remove_Reserve_Char_In_File_Name(const QString &s);
// Why a name the user gave a file or folder that the program lists again is refused, or
// nothing: the system hides a name beginning with a dot, so no list would show it and the user
// could neither use, rename nor delete it. `what` names the thing ("template", "project").
QString Hidden_Name_Refusal(const QString &name, const QString &what);
// What a name dialog says when the name it was given mends to nothing: `askForName` for a name
// left blank; for one typed of reserved characters alone, which ones a file name cannot hold.
QString Empty_Name_Message(const QString &typed, const QString &askForName);
QString Replace_char_in_string(const QString &s, const QString &a, const QString &b);
QString Left_Str_substringToIndex(const QString &s, int n);
QString Right_Str_substringFromIndex(const QString &s, int n);
QString Read_Str_FromIndex(const QString &s, int i);
QString Read_Str_Upto_Index(const QString &s, int i);
int Find_Str(const QString &s, const QString &sub);
int Find_Str_Case_Insensitive(const QString &s, const QString &sub);

// --- other ---
void Calculate_Time_Taken(int flag, const QString &label);
// The message Calculate_Time_Taken shows for a number of elapsed seconds.
QString Time_Taken_Text(const QString &label, double elapsedSeconds);
QTransform RotationTransform(double angleDegrees, double centreX, double centreY);
