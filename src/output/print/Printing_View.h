#pragma once
// The printed pages: how many there are, which cells each holds, and the drawing of one page
// through the side renderer (vector: text stays text, barcodes paint as bars at the device's
// resolution). Without data rows every cell shows the design's sides; in a batch run each cell
// shows the filled sides of one data row.
//
// The data row of a cell follows from the page number and the cell alone, so any page may be
// drawn on its own, in any order, as often as wanted (preview repaints, page ranges, copies).

#include "core/CardSide.h"
#include "core/SKTGraphic.h"
#include "core/SKTRenderingView.h"
#include "output/print/PrintLayout.h"

#include <memory>
#include <optional>

class QPainter;
struct BatchDesign;

// What the pages show.
struct PrintContent {
    CardSide front, back;                      // the design's sides
    bool twoSided = false;                     // the design has a back
    int sel_card_side = 0;                     // side current when the window opened: 0 front, 1 back
    std::shared_ptr<const BatchDesign> batch;  // set for a run over data rows
};

// The filled sides of one data row; a side without a card rectangle stands for "missing".
struct RowSides {
    std::optional<SKTRenderingView> front, back;
};

// The preview shows at most this many sheets; printing has no limit.
constexpr int kPreviewPageLimit = 50;

class Printing_View {
public:
    Printing_View(const QRectF &frame, PrintLayout layout, PaperInfo paper, PrintRun run, PrintContent content,
                  bool its_print_not_preview);

    QRectF Page_Size_rect;
    bool its_print_not_preview;

    bool isFlipped() const { return false; }
    const PrintLayout &layout() const { return m_layout; }
    const PaperInfo &paper() const { return m_paper; }
    const PrintRun &run() const { return m_run; }
    bool batchRun() const;

    // Every page of the run.
    int pageCount() const;
    // The pages the print system is given: for a preview at most kPreviewPageLimit, with a box
    // saying so when the run has more.
    int numberOfPages() const;
    QRectF rectForPage(int page) const { (void)page; return Page_Size_rect; }
    int Get_Curr_Label_Index(int row, int col) const { return (row - 1) * std::max(1, m_layout.Print_Col) + col - 1; }

    // The card (0-based within the run) of cell `cellIndex` (fill order) on page `page` (from 1),
    // or -1 when the run has ended there. Duplex pages show card fronts on odd pages and the same
    // cards' backs on the following even page.
    int cardOfCell(int page, int cellIndex) const;
    // The data row of that cell (from 0), or -1 when there is none (past the run or the table).
    int dataRowOfCell(int page, int cellIndex) const;
    // The lowest and highest data row a page needs; first > last when none.
    std::pair<int, int> dataRowsOfPage(int page) const;
    bool backPage(int page) const { return m_layout.Duplex_Printing && page % 2 == 0; }

    // Fills one data row's sides as the run prints them; thread-safe.
    RowSides Fill_Row(int row) const;

    // Draws page `page` into a painter whose coordinates are paper points, y downwards, from the
    // paper's top-left corner. `rowSides` gives a batch cell's filled sides (nullptr: not there).
    void drawPage(QPainter &painter, int page, const std::function<const RowSides *(int row)> &rowSides = {}) const;

    // A cell's text, red, bold 11 points, centred in a card rectangle (paper points, y upwards).
    void Draw_Label_String(QPainter &painter, const QRectF &rect, const QString &text, int row, int col) const;
    // The crop marks of a card rectangle (paper points, y upwards) when they are on.
    void Draw_Margin_rect(QPainter &painter, const QRectF &rect) const;

private:
    void drawCard(QPainter &painter, const SKTRenderingView &side, const QRectF &paperRect, bool turned) const;

    PrintLayout m_layout;
    PaperInfo m_paper;
    PrintRun m_run;
    PrintContent m_content;
    SKTRenderingView m_front, m_back;
};

// Crop marks: two lines of 20 points running outward from each corner of a card rectangle.
void Draw_Crop_Marks(QPainter &painter, const QRectF &painterRect, const QColor &color);
