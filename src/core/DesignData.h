#pragma once
// One whole card design as plain data: what a design file holds and what the main window
// applies when it opens one. The controls are shared with whoever built the data (saving
// reads the live arrays); a design read from a file owns fresh controls.

#include "core/Card_Property.h"
#include "core/ControlArchive.h"
#include "core/ControllerImageFiles.h"  // design_file_EXT, the extension of design files and templates

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <array>

// First entry of every design file.
inline const QString Design_File_Signature = QStringLiteral("VELKDESKBADGE");
// The one message a refused design file gets.
inline const QString Design_File_Corrupt_Message = QStringLiteral("File is corrupt and cannot be opened.");

struct DesignData {
    // Entry 1 of the file: "T" for a template, else the start mode at saving.
    QString modeLetter = QStringLiteral("L");
    Card_Property front;
    Card_Property back;
    // Spreadsheet binding of the design.
    bool Excel_Binding_Use = false;
    QString Excel_Source_Path;
    // Header title of every column of the spreadsheet table, first column included.
    QStringList columnTitles;
    // The table's rows: dictionaries keyed "Extension" and "Column%d".
    QVariantList tableRows;
    // excel_cb_value1 ... excel_cb_value12: profile-field columns, -1 when unbound.
    std::array<int, 12> excelColumns{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    // Index 0 is the frontmost control of its side.
    SKTGraphicArray frontControls;
    SKTGraphicArray backControls;
};
