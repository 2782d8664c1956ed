#pragma once
// What the group-mode wizard asks of the main window: load a design, give it the default photo,
// and take over a new project (its bindings, table and file) and save it. The window implements
// every call (none has an empty default); tests fake it.

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <array>

// A new group project as the wizard hands it over.
struct GroupProjectSetup {
    QString projectPath;           // <store>/<folder>/<name>.did
    QString workbookPath;          // the workbook as the user chose it; never written to
    std::array<int, 12> bindings;  // excel_cb_value1 … excel_cb_value12; -1 unbound, k column k
    QStringList titles;            // "No." then the sheet's column titles
    QVariantList rows;             // maps: "Extension" running number, "Column<k>" values
};

class GroupModeHost {
public:
    virtual ~GroupModeHost() = default;
    // Loads a design file with its spreadsheet table; 0 when it could not be loaded (the loader
    // has said why).
    virtual int Read_and_load_design_Log_NEW_METHOD(const QString &path, const QString &mode, bool readTable) = 0;
    virtual void Check_For_Defalut_Photo_Control() = 0;
    // Makes the loaded template the project: group mode, bindings, table, workbook and file name,
    // then saves it silently. False when the file could not be written.
    virtual bool Create_Group_Project(const GroupProjectSetup &setup) = 0;
    // An existing project or design file was opened: it becomes the open file in group mode.
    virtual void Open_Group_Project(const QString &path) = 0;

    // The design file open in the window (empty for a new design), and the store's rename of
    // that file: the window goes on with the file under its new name.
    virtual QString Open_Design_Path() = 0;
    virtual void Open_Design_Renamed(const QString &path) = 0;

    // Cancel leaves the card-size page's outline at the rectangle.
    virtual void Reset_Card_Shape() = 0;
};
