#pragma once
// How cards lie on a printed sheet: the paper and its unprintable margins, the cell one card (or
// both sides of one card) occupies, the gaps, rows and columns, where the block of cells sits,
// which sides print and how the two sides of a card are arranged, duplex, mirror, crop marks.
//
// The print window fills a PrintLayout from its fields and the chosen printer; the printed pages
// and the sheet preview take a copy, so the pages may be drawn on another thread while the window
// goes on changing. Lengths are points (72 per inch), single precision as the layout is computed.

#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <algorithm>
#include <vector>

class QPrinter;

// The paper of the print settings: its size and its imageable area (origin at the paper's
// lower left corner, y upwards), in points.
struct PaperInfo {
    QPageLayout pageLayout;   // the page as the device knows it
    QSizeF paperSize;         // W x H, as oriented
    QRectF imageableBounds;   // x, y from the lower left; width, height
    int orientation = 0;      // 0 portrait, 1 landscape
    QString paperName;        // the print system's own name

    bool valid() const { return paperSize.width() > 0 && paperSize.height() > 0; }
};
PaperInfo Paper_Info_From_Page_Layout(const QPageLayout &layout);
// Why nothing can be printed on a page of `size` (points): empty when each side is at least a
// point. A page of no width is no page: a PDF of such pages shows nothing, a printer may jam.
QString Paper_Size_Refusal(QSizeF size);
PaperInfo Paper_Info_From_Printer(const QPrinter &printer);

struct PrintLayout {
    QString Print_Card_Side = QStringLiteral("BOTH");  // "BOTH", "F" or "B"
    QString Print_Card_Algn = QStringLiteral("UD");    // "UD", "U", "L", "DU", "DD"
    QString Print_One_Card_Algn = QStringLiteral("U"); // "U" upright, "D" turned
    int label_align_val = 1;                           // 1..9: top/middle/bottom x left/centre/right
    bool auto_center_flag = false;
    bool Show_margin_rect = true;
    int Print_Row = 1;
    int Print_Col = 1;
    bool Duplex_Printing = false;
    bool Fit_Picture_To_Frame = false;
    bool Enable_Crop_Marks = false;
    bool Mirror_Image_Create = false;
    bool Mirror_Vertical_Not_Horz = false;
    float Left_Mar = 0, Rite_Mar = 0, Top_Mar = 0, Bot_Mar = 0;
    float horz_mar = 0, vert_mar = 0, side_mar = 0;
    float label_width = 0, label_hight = 0;
    bool loading = false;

    bool bothSides() const { return Print_Card_Side == QLatin1String("BOTH"); }
    bool stacked() const { return bothSides() && (Print_Card_Algn == QLatin1String("U") || Print_Card_Algn == QLatin1String("UD")); }
    bool sideBySide() const { return bothSides() && Print_Card_Algn == QLatin1String("L"); }
    // The back of a pair is printed turned by half a turn.
    bool backTurned() const { return bothSides() && (Print_Card_Algn == QLatin1String("UD") || Print_Card_Algn == QLatin1String("DD")); }
    int cellsPerPage() const { return std::max(1, Print_Row) * std::max(1, Print_Col); }
};

// The two-sided arrangements in the order of the window's list; an index out of range is clamped.
QString Print_Card_Algn_Code(int index);

// The layout fields of the print window: lengths in millimetres, counts as typed.
struct LayoutFields {
    float horz_gap_mm = 0, vert_gap_mm = 0, side_gap_mm = 0;
    float card_width_mm = 0, card_height_mm = 0;
    int cols = 1, rows = 1;
};

// Margins from the paper's imageable area. Nothing changes for paper that is not valid.
void Set_values_From_Printer(PrintLayout &layout, const PaperInfo &paper);

// The cell, the gaps, the rows and the columns from the fields and the margins. Counts that do not
// fit shrink to what fits, never below 1, and are written back into `fields`. Does nothing (false)
// without paper or while `loading` is set.
bool Check_Max_Cell_Value(PrintLayout &layout, const PaperInfo &paper, LayoutFields &fields);

// Whether one cell with its gap is larger than the paper's printable area.
bool Layout_Too_Big(const PrintLayout &layout, const PaperInfo &paper);

// The paper name of a size given as millimetre texts (either order), or the empty string.
QString Find_Papaer_Name_From_Size(const QString &size_wdt, const QString &size_hgt);

// The range and count of a print run.
struct PrintRun {
    int Print_Start = 0;       // first data row, from 0
    int Print_End = 0;         // last row of a range, from 1 (0: all)
    int Total_Label = 1;       // labels: cards, doubled for duplex
    int Total_Label_Real = 1;
    int copies = 1;
};
// "All" prints `count` cards from row 0; a range From..To (from 1, inclusive) its rows. A count or
// range of no cards gives Total_Label 0, which prints nothing.
PrintRun Print_Run_For_Range(bool all, int count, int from, int to, bool duplex, int copies = 1);

// One cell of a sheet, in paper points with the origin at the lower left (y upwards).
struct SheetCell {
    int row = 1, col = 1;   // from 1, top to bottom, left to right
    QRectF cell;
    QRectF first;           // the upper (or left, or only) card
    QRectF second;          // the lower (or right) card of a pair; the first card for duplex
};
// Every cell of one sheet in fill order (row by row from the top-left cell).
std::vector<SheetCell> Sheet_Cells(const PrintLayout &layout, const PaperInfo &paper);

// A rectangle of paper points (origin lower left) in painter coordinates (origin upper left).
QRectF Paper_To_Painter(const QRectF &rect, const PaperInfo &paper);
