#pragma once
// What the main window's file commands decide: Save, Save As, Close, Open and Exit with their
// questions and panels, the start mode a loaded design leads to, the dynamic-control rows of
// live mode, the table's column headers, and the copy of a design to the other side. Plain
// functions over design data and the UI services, so the window only applies their outcome.

#include "core/DesignData.h"
#include "core/DesignFile.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

// --- saving ---

struct DesignSaveRequest {
    bool saveAs = false;        // ask for a new path even when the design has one
    bool showMessages = true;   // report the outcome and retitle the window
    QString mode = QStringLiteral("L");  // "L" a design, "T" a template
    // Told before the file is written (true) and after (false), with the path written.
    std::function<void(bool writing, const QString &path)> writing = nullptr;
};

struct DesignSaveOutcome {
    enum Status { Saved, Cancelled, Failed };
    Status status = Cancelled;
    // Project_File_Name afterwards.
    QString path;
    // The window title should show the (new) path.
    bool retitle = false;
    bool saved() const { return status == Saved; }
};

// Save_project_file:show_msg:log_or_template: — saves `design` to the current path
// (`currentPath`, the design's Project_File_Name) or, when there is none (blanks count as
// none) or for Save As, to a path chosen in a save panel for "did" files. The mode letter is
// "T" for a template, else Start_Card_Option. Cancel writes nothing and keeps the path, and so
// does a failed Save As; a failed Save with messages clears it (the design is unsaved). A
// design that cannot be put together is reported ("%d -- reason") whatever the flags, and the
// previous file stays whole; every failure answers Failed, also to a silent caller.
DesignSaveOutcome Save_project_file(const DesignData &design, const QString &currentPath,
                                    const DesignSaveRequest &request);

// The warning for a design file the reader refused: the file's name, the reader's sentence and
// the reason (also logged with the whole path).
void Show_Design_Refusal(const QString &path, const DesignReadResult &read);

// The save the commands offer: the window saves the open design (Save, with messages) and
// answers whether it was written.
using DesignSaver = std::function<bool()>;

// Close_Document_Clicked: "Do you want to save changes?". True when a new project should
// start: after No, or after Yes and a save that was written. Cancel, a cancelled or a failed
// save keep the design open.
bool Close_Document_Decision(const DesignSaver &save);

// Exit_App: "Do you want to save changes before closing?" (Yes saves, and a save that is not
// written stops the exit), then "\nDo you really want to exit?". True to terminate.
bool Exit_App_Decision(const DesignSaver &save);

struct DesignOpenOutcome {
    enum Status { Cancelled, Refused, Loaded };
    Status status = Cancelled;
    QString path;
    std::optional<DesignData> design;  // Loaded only
};

// Open_Btn_Clicked: "Do you want to save changes before opening document?" (Cancel, or a save
// that is not written, ends the command), then the open panel for "did" files, then the whole
// file is read and checked. Only a Loaded outcome may reset the window and apply the design;
// a refused file has been reported ("File is corrupt and cannot be opened.") and the open
// design is untouched.
DesignOpenOutcome Open_Design_Decision(const DesignSaver &save, const QString &startFolder);
// The same after the question: the open panel and the whole read, for a road that has asked
// about saving already.
DesignOpenOutcome Open_Design_From_Panel(const QString &startFolder);

// --- applying a loaded design ---

// The start mode after loading: "G" when the current mode or the file's mode is "G", or when
// the table was read with the file, the spreadsheet binding is on and the first profile field
// is bound to a column; else "L".
QString Start_Mode_After_Load(const QString &currentMode, const DesignData &design, bool readTable);

// Column identifier and header title of the table's columns after the first one.
struct TableColumnHeader {
    QString identifier;  // "Column%d"
    QString title;       // the file's title, or "Untitled Column %d" for an empty one
};
std::vector<TableColumnHeader> Table_Column_Headers(const QStringList &columnTitles);

// A dynamic-control row: control id, value, "Y"/"N" visible, spreadsheet column ("-1" unless
// bound to one), "T" text or "P" picture.
using DynamicControlRow = QStringList;

// The rows of one side: one per text or image control whose id is not empty and contains
// neither "Fup_" nor "F_Pic", invisible ones included; an image's value comes from
// `imageValue` (its source picture path). Then every label row without its field and every
// field row without its label gains its partner ("F_field…"/"F_label…", hidden, unbound, text).
std::vector<DynamicControlRow> Dynamic_Control_Rows(const SKTGraphicArray &controls,
                                                    const std::function<QString(const SKTGraphic &)> &imageValue);
// The pairing pass alone, over rows gathered elsewhere.
void Pair_Dynamic_Control_Rows(std::vector<DynamicControlRow> &rows);

// --- copying a design to the other side ---

// Whole copies of the controls, in order: nothing is shared with the source.
SKTGraphicArray Deep_Copy_Controls(const SKTGraphicArray &controls);

// Copy_Card_Design_Clicked in memory: the other side gets copies of the source side's controls
// and card properties (0 front, 1 back is the source), and the other side's spreadsheet switch
// (the 11th and 12th profile-field columns) follows the source's.
void Copy_Design_To_Other_Side(DesignData &design, int sourceSide);
