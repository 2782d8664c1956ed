#pragma once
// Where camera pictures go: the camera folder (remembered in "daziruzevodud.txt" in the data
// folder), the path of the picture saved last, and the free names new pictures take. No
// widgets; the camera window and the main window's start-up both use it.

#include <QString>

// The folder camera pictures are saved in.
extern QString Camera_Folder_Path;
// The picture saved last, or the folder's "velk_user_save.png" before any.
extern QString Camera_Capture_Image;
// Numbers the names of the pictures saved in this run; 1 at start-up.
extern int Camera_Capture_Count;

// The file that remembers the camera folder, and the folder used when none is remembered.
QString Camera_Path_File();
QString Default_Camera_Folder();
// Writes Camera_Folder_Path into `file` whole; false when it could not be written.
bool Create_Camera_Path_File(const QString &file = Camera_Path_File());

// `path` when nothing is there; else "velk_user_save_<n>.<extension of path>" beside it for the
// first n from `count` on that is free.
QString Free_Camera_File_Path(const QString &path, int count);
// The same from Camera_Capture_Count, which it leaves alone.
QString Create_New_Camera_File_Path(const QString &path);

// The picture formats an export may choose, and the path an export writes for the name chosen
// in the save panel: the chosen format is the name's extension; a name without one of them
// gets ".png", the camera's own format.
extern const QStringList Camera_Export_Formats;
QString Camera_Export_Path(const QString &chosen);
