#pragma once
// What the spreadsheet table and column picker ask of the windows above them. The main window
// and the series manager implement these; tests fake them.

#include <QString>

// The main window's part in refilling the spreadsheet table: it owns the bindings that point at
// the table's columns, so it is told before columns and rows go.
class ExcelTableHost {
public:
    virtual ~ExcelTableHost() = default;
    virtual void Delete_Excel_File_Column() = 0;
    virtual void Clear_Delete_Excel_table_rows() = 0;
};

// The series manager's value list, which the picker fills in its mode "D".
class SeriesValueList {
public:
    virtual ~SeriesValueList() = default;
    // Trims the value and appends it unless it is empty.
    virtual void Create_Value_List(const QString &value) = 0;
};
