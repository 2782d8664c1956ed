#pragma once
// Paths and fonts shared by every subsystem. The main window sets them at start-up
// (Init_Application_Paths); tests point them at temporary folders.

#include <QDateTime>
#include <QFont>
#include <QString>

extern QString Resource_Path;          // the application's resource folder
extern QString Created_Resource_Path;  // the per-user data folder
extern QString Data_Folder_Path;       // "DataSet" in the data folder: series files
extern QString Cropped_Img_Path;       // "Cropped_Images" in the data folder
extern QString Database_Path;          // "Visitor_Log/Visitor.db" in the data folder
extern QString print_profile_path;     // "PrintProfile" in the data folder

// The start mode: "T" template, "W" card wizard, "L" saved design, "V" visitor, "G" group.
extern QString Start_Card_Option;
// The side being edited: 0 front, anything else back (the temp side never becomes current).
extern int Card_Front_Or_Back;

// Set while the program itself fills panels, loads a design or makes controls, so that the
// panels' change handlers store nothing back. Fills nest (a design load shows the card panel,
// which loads its tabs): each holds a PanelFillGuard, and the flag stays set until the
// outermost guard ends, on every path out of it.
class PanelFillFlag {
public:
    explicit operator bool() const { return m_depth > 0; }
    int depth() const { return m_depth; }

private:
    friend class PanelFillGuard;
    int m_depth = 0;
};
extern PanelFillFlag Not_Draw_Only_Prop_Change;

class PanelFillGuard {
public:
    PanelFillGuard() { ++Not_Draw_Only_Prop_Change.m_depth; }
    ~PanelFillGuard() { --Not_Draw_Only_Prop_Change.m_depth; }
    PanelFillGuard(const PanelFillGuard &) = delete;
    PanelFillGuard &operator=(const PanelFillGuard &) = delete;
};

extern QFont DEFAULT_FONT;             // fallback when a stored font no longer exists
extern QString Text_Ctrl_Font;         // font family of new text controls
extern int Text_Ctrl_Font_Size;        // font size of new text controls

// Sets Resource_Path, Created_Resource_Path and Data_Folder_Path from the platform's
// resource and data folders, and the default fonts from the application's font.
void Init_Application_Paths();
