#pragma once
// Binding controls to data, and what a run of cards takes from the data: which sources are in
// use, the values of every bound series, the spreadsheet rows, and the number of cards.
//
// A run reads its data from a BatchSource: a snapshot taken on the GUI thread when the run is
// prepared (series files read, spreadsheet rows copied). Worker threads read it and nothing
// else, so the series folder and the spreadsheet table may change while a run goes on.

#include "core/CardSide.h"
#include "data/spreadsheet/PackedRows.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class SKTGraphic;

// Source types of a control (`data_source_type`).
enum BatchSourceType { Batch_Source_None = 0, Batch_Source_Series = 1, Batch_Source_Sheet = 2 };

// One slot of the series binding table: the series name, and its lines once a bound control
// loaded them. A slot without lines gives the empty string for every row.
struct SeriesSlot {
    QString name;
    std::optional<QStringList> values;
};

struct BatchSource {
    // The series binding table, one slot per series file in the order of the series list.
    std::vector<SeriesSlot> data_table_content;
    // The spreadsheet rows: slot 0 the row number ("Extension"), slot n the value of "Column<n>";
    // a null string where the row has no such key.
    PackedRows excelRows;

    bool Use_Data_Sheet_Values = false;
    bool Use_Excel_Binding_Values = false;
    int Data_table_rows = 0;
    int Excel_table_rows = 0;
    int Total_Batch_Excel_Card = 1;  // never below 1
    // Why a bound series could not be read (too large, not a regular file, unreadable): the first
    // such reason, one line for the user; empty when every bound series was read or is missing.
    // A run on such a source would make cards without the series' values, so it does not start.
    QString refusal;

    // The slot of a series name, compared without letter case; -1 for none.
    int Get_Data_SetIndex_According_Name(const QString &name) const;
    // Loads a series file into the slot of its name; nothing for a missing file or unknown name.
    // A file that is there but cannot be read leaves its reason in `refusal`.
    void Add_dataset_col_in_binding_table(const QString &name, int index);
    // The longest loaded series.
    int Calculate_data_table_rows() const;
    // Sets both row counts from the use flags and the card count from them.
    void Get_total_Card_count();

    // One series value: empty for no slot, a slot without lines, or a row past its end.
    QString Get_sel_row_col_value_of_dataset(int row, int slot) const;
    // One spreadsheet value (column 0: the row number): empty for column -1, a row past the
    // table's rows or a missing key. Empty cells stay empty.
    QString Get_sel_row_col_value_of_Excel(int row, int column) const;
};

// Whether a text, image or barcode control of the side that prints takes values from a series
// (from a spreadsheet column).
bool Check_Side_Dataset_Is_Used(const SKTGraphicList &controls);
bool Check_Side_Excel_Binding_Is_Used(const SKTGraphicList &controls);
// After another workbook was loaded in place of one with rows: every text, image and barcode
// control bound to a column goes back to its typed value, the profile fields ("Fup_" ids, which
// the profile dialog binds itself) only when `profileFieldsToo`. Answers how many were unbound.
int Drop_Excel_Bindings(const SKTGraphicList &controls, bool profileFieldsToo = false);

// Whether a text, image or barcode control of the front (and of the back on a two-sided card)
// takes its values from the series `name` (letter case counts), whatever its print flag: the
// series must then be neither replaced nor deleted.
bool Check_Batch_File_In_Use_Validation(const SKTGraphicList &front, const SKTGraphicList &back, bool twoSided,
                                        const QString &name);

// The run's snapshot: the use flags of both sides (the back only on a two-sided card), the
// series of the series folder with the bound ones loaded, the spreadsheet rows when a control
// uses them (an empty table turns the spreadsheet off), and the card count.
BatchSource Check_Series_Or_Excel_Use_or_not(const SKTGraphicList &front, const SKTGraphicList &back, bool twoSided,
                                             const PackedRows &excelRows);

// Before a run starts: a source whose bound series was refused is said in a box (its one-line
// reason) and answers false, and the run does not start. GUI thread.
bool Series_Refusal_Allows_Run(const BatchSource &source);

// The value a control shows as soon as it is bound: the first line of the series file (empty
// when there is none), or the first spreadsheet row's value of the column (an empty cell shows
// as one blank, so that a text never vanishes).
QString Get_First_Value_Of_Dataset(const QString &seriesName);
QString Get_First_Value_Of_Excel_Binding(const QList<QStringList> &excelRows, int column);

// Binds one control: type 0 clears both sources, 1 the series `name` at `index`, 2 the
// spreadsheet column `index`. With an index above -1 the shown value is written at once: a
// text's text, an image's path (and picture). A locked control is left alone: false.
bool Bind_Control_Data_Source(SKTGraphic &control, int type, const QString &name, int index,
                              const QString &shownValue);

// The property panel's binding of the selected controls of the current side. An image control
// selected binds alone, and only when it is the one image selected (`message` gets the refusal);
// otherwise every unlocked selected text control is bound. Answers the controls bound.
SKTGraphicList Change_Data_Source_To_selected_Control(const SKTGraphicList &selected, int type, const QString &name,
                                                      int index, const QList<QStringList> &excelRows,
                                                      QString *message = nullptr);
