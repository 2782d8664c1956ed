#pragma once
// What the print window shows and what its controls do, apart from the widgets: the window reads
// its widgets into a PrintWindowState, runs one of these operations and shows the state again.
// Print profiles (named ".vlp" property lists of 26 strings) are saved from and applied to it.

#include "core/SKTGraphic.h"
#include "data/batch/BatchBinding.h"
#include "output/print/PrintLayout.h"

#include <QString>
#include <QStringList>

// The ranges of the window's fields: counts (rows, columns, copies) and lengths in millimetres
// (gaps, card sizes). A profile's values are clamped to them on reading, as a typed value is.
inline constexpr int Print_Count_Min = 1;
inline constexpr int Print_Count_Max = 999999;
inline constexpr double Print_Millimetre_Max = 2000;

struct PrintWindowState {
    // Printer and paper (the texts as shown, lengths in millimetres).
    QStringList printers;
    int printer = 0;
    int orientation = 0;  // 0 "Portrait", 1 "Landscape"
    QString Paper_id, Size_id, l_mar_id, r_mar_id, t_mar_id, b_mar_id;
    PaperInfo paper;

    float width = 0, height = 0;  // one card side
    float horz_mar = 0, vert_mar = 0, side_mar = 0;
    int rows = 1, cols = 1;
    bool auto_center = false;
    int label_align_val = 1;

    int side_row = 0;  // 0 "BOTH", 1 "F", 2 "B"
    bool side_row_enabled[3] = {true, true, true};
    int print_alignment = 0, print_alignment_one_side = 0;
    bool mirror = false;
    int mirror_column = 0;  // 0 horizontal, 1 vertical
    bool fit = false, crop = false, show_margins = true;

    bool batch_chk = false, excel_chk = false, batch_enabled = false, excel_enabled = false;
    bool all = true;
    int total = 1, from = 1, to = 1, total_max = 999999, range_max = 999999;
    int copies = 1;

    // What is enabled.
    bool side_gap_enabled = true, gaps_enabled = true, rows_cols_enabled = true, card_align_box_enabled = true,
         align_group_enabled = true, range_box_enabled = false, mirror_matrix_enabled = false;

    float LAST_Side_Mar = 0, LAST_Horz_Mar = 0, LAST_Vert_Mar = 0;
    int LAST_Row = 1, LAST_Column = 1;

    PrintLayout layout;
    BatchSource designSource;  // the design's data as the window opened
    BatchSource source;        // what the run uses: the sources whose boxes are ticked
    bool twoSided = true;
    int Total_Label = 1;

    // The window's starting state for a design (one card side of `cardSize` points).
    void Open(bool twoSidedDesign, bool visitorMode, const BatchSource &data, const QSizeF &cardSize);

    QString card_side_str() const;
    void card_side_CellClick(int row);
    void Set_Demo_align_image();
    void Capture_Last_Values();
    void Disable_for_fit_or_duplex();
    void Duplex_Printing_Is_Selected();
    void Normal_Printing_Is_Selected();
    void Fit_To_Frame_clicked(bool on);
    void Auto_Center_Checked(bool on);
    void Calculate_label_acc_row_col();
    void Set_Tot_Value(int value, int max, const QString &setFor);
    void Set_Enable_Diable_Range_Box();
    void Print_With_Data_Changed();
    // The paper of the chosen printer into the paper texts and the margins.
    void Set_values_From_Printer(const PaperInfo &info);
    void Check_Max_Cell_Value();
    // The run of Print or Preview, or the text of the box that stops it (the too-big question
    // is asked by the window).
    PrintRun Execute_Printing(QString *refusal) const;
};

// The 26 strings of a profile saved from the window under printer `printerName`.
QStringList Print_Profile_Items(const PrintWindowState &state, const QString &printerName);
// Applies a profile's strings; false (and nothing changes) when there are fewer than 26. An
// arrangement index is clamped to its list; a printer no longer offered keeps the current one.
bool Read_and_load_profile_info(PrintWindowState &state, const QStringList &items);

// Profile files in `folder` (the data folder's "PrintProfile").
QStringList Load_Print_Profile(const QString &folder);
QString Print_Profile_Path(const QString &folder, const QString &name);
// Writes the profile whole; when `previousName` names another profile (a rename), that file goes
// only after the new one is written.
bool Save_Print_Profile(const QString &folder, const QString &name, const QStringList &items,
                        const QString &previousName = {}, QString *error = nullptr);
QStringList Read_Print_Profile(const QString &folder, const QString &name);
// The same, refusing before anything is built a file that is no profile: larger than 64 KiB, or
// not a list of 26 to 32 strings (the 26 we write, and room for a few more). `refusal` receives
// one line naming the file and the reason.
QStringList Read_Print_Profile(const QString &folder, const QString &name, QString *refusal);
// Removes temporary files a killed profile save left in the folder ("<name>.vlp.XXXXXX" not
// touched for a minute); nothing else.
void Clear_Stale_Profile_Temp_Files(const QString &folder);
// The add/edit dialog's checks: the refusal's text, or empty with the cleaned name in `cleaned`.
QString Check_Profile_Name(const QString &printer, const QString &name, QString *cleaned);
