#pragma once
// What the series manager does with files, apart from its window: save a value list as a
// series, delete series, export a value list as a spreadsheet or a text file. Messages and
// questions go to the user through the shared message functions.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// The path and text of the last export, read by the export-finished box.
extern QString Export_File_Path;
extern QString Export_File_Message;

// Saves the values (each trimmed, empty ones skipped) as the series typed by the user. `oldName`
// is the series opened for editing, empty for a new one. A rename to a free name moves the
// series; the old file goes only after the new one is complete. True when written.
bool Save_Series(const QStringList &values, const QString &typedName, const QString &oldName);

// Deletes the files of the named series that are not in use; an alert tells the user about each
// one that is, until its "Apply to All" is ticked. True when one of them was in use.
bool Delete_Series(const QStringList &names);

// Removes the selected rows; answers the row to select afterwards (-1 for none): the row before
// `current`, the row the table reports as selected, when it is still there.
int Delete_Value_Rows(QStringList &values, QList<int> selected, int current);
// Removes the selected rows; answers the row to select: the highest selected row when records
// reach it, else the first row, else -1.
int Delete_Series_Rows(QStringList &names, QList<int> selected);

// Writes a spreadsheet of rows of texts whole; false when nothing was written. The spreadsheet
// writer unless another is installed (tests install failing ones).
using SeriesWorkbookWriter =
    std::function<bool(const QString &path, const QList<QStringList> &rows, bool hasTitleRow)>;
SeriesWorkbookWriter Set_Series_Workbook_Writer(SeriesWorkbookWriter writer);

// Shows that an export finished (Export_File_Path, Export_File_Message): the export-finished box
// (`Open_Export_Log`), whose OK opens the file, unless another is installed.
using SeriesExportFinishedBox = std::function<void()>;
SeriesExportFinishedBox Set_Series_Export_Finished_Box(SeriesExportFinishedBox box);

// Exports the values to the chosen destination: ".xlsx" a one-column spreadsheet headed
// "Batch Value", anything else a text file (".txt" added unless already there). Answers the path
// written, empty after a failure, which the user is told about. A long write shows the
// please-wait sheet over `waitOver`.
QString Export_Series_Values(const QStringList &values, const QString &destination, QWidget *waitOver = nullptr);

// The import wizard: opened with its two mode fields (1 1: write a series file and refresh the
// manager's list; 0 1: hand the values to the manager's value list). The import wizard of this library unless another is installed.
using SeriesImportWizard = std::function<void(int file_name_required, int file_name_Insert)>;
SeriesImportWizard Set_Series_Import_Wizard(SeriesImportWizard wizard);
const SeriesImportWizard &Series_Import_Wizard();
