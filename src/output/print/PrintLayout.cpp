#include "output/print/PrintLayout.h"

#include "core/ControllerImageFiles.h"

#include <QPrinter>
#include <cmath>

PaperInfo Paper_Info_From_Page_Layout(const QPageLayout &layout)
{
    PaperInfo paper;
    paper.pageLayout = layout;
    // Margins asked for in points come rounded to whole points (7.5 mm came back as 7.41 mm):
    // they are taken as the layout keeps them and converted here.
    const QMarginsF m = layout.units() == QPageLayout::Point ? layout.margins()
                                                              : layout.margins(QPageLayout::Millimeter) * (72 / 25.4);
    // Point sizes of the page size table are whole points; millimetres give A4's 595.28 x 841.89.
    paper.paperSize = layout.fullRect(QPageLayout::Millimeter).size() * (72 / 25.4);
    const double w = paper.paperSize.width() - m.left() - m.right();
    const double h = paper.paperSize.height() - m.top() - m.bottom();
    paper.imageableBounds = QRectF(m.left(), m.bottom(), std::max(0.0, w), std::max(0.0, h));
    paper.orientation = layout.orientation() == QPageLayout::Landscape ? 1 : 0;
    paper.paperName = layout.pageSize().name();
    return paper;
}

PaperInfo Paper_Info_From_Printer(const QPrinter &printer) { return Paper_Info_From_Page_Layout(printer.pageLayout()); }

QString Paper_Size_Refusal(QSizeF size)
{
    return size.width() >= 1 && size.height() >= 1 ? QString()
                                                   : QStringLiteral("The paper has no width or height: set its size in Page Setup.");
}

QString Print_Card_Algn_Code(int index)
{
    static const char *const codes[] = {"UD", "U", "L", "DU", "DD"};
    return QString::fromLatin1(codes[std::clamp(index, 0, 4)]);
}

void Set_values_From_Printer(PrintLayout &layout, const PaperInfo &paper)
{
    if (!paper.valid())
        return;
    const double W = paper.paperSize.width(), H = paper.paperSize.height();
    const QRectF b = paper.imageableBounds;
    layout.Left_Mar = float(b.x());
    layout.Rite_Mar = float(W - b.x() - b.width());
    layout.Top_Mar = float(H - b.y() - b.height());
    layout.Bot_Mar = float(b.y());
}

namespace {

// The count of cells of size `cell` that fit into `avail` with gap `gap` (fixed gaps), at least 1.
// A count that fits stays as it is.
int fitFixed(int count, float paper, float lowMar, float highMar, float cell, float gap)
{
    const float avail = paper - lowMar - highMar;
    // In floats: a count near INT_MAX must not overflow on its way to the test.
    const float n1 = float(count);
    if ((avail - n1 * cell - (n1 - 1) * gap) / (n1 + 1) > 0)
        return count;
    const float step = cell + gap;
    if (!(step > 0))
        return count;
    const float fits = std::floor((paper + gap - lowMar - highMar) / step);
    const int n = fits >= float(count) ? count : fits >= 1 ? int(fits) : 1;  // NaN gives 1
    return std::min(count, n);
}

// Auto-centre: the free length shared out as equal gaps around the cells; a count that does not
// fit shrinks to what fits, and the gaps are those of the count that stays. (Leaving the gap at
// 0 until some later computation made the preview show the cards packed to one side while the
// print, computed once more, centred them.)
int fitCentred(int count, float avail, float cell, float &gap)
{
    const float g = (avail - float(count) * cell) / (float(count) + 1);
    if (g > 0) {
        gap = g;
        return count;
    }
    gap = 0;
    if (cell <= 0)
        return count;
    const int n = std::min(count, std::max(1, int(avail / cell)));
    gap = std::max(0.0f, (avail - n * cell) / (n + 1));
    return n;
}

}  // namespace

bool Check_Max_Cell_Value(PrintLayout &layout, const PaperInfo &paper, LayoutFields &fields)
{
    if (!paper.valid() || layout.loading)
        return false;
    const float W = float(paper.paperSize.width()), H = float(paper.paperSize.height());
    layout.horz_mar = MM_to_Points_Convert(fields.horz_gap_mm);
    layout.vert_mar = MM_to_Points_Convert(fields.vert_gap_mm);
    layout.side_mar = MM_to_Points_Convert(fields.side_gap_mm);
    layout.label_width = MM_to_Points_Convert(fields.card_width_mm);
    layout.label_hight = MM_to_Points_Convert(fields.card_height_mm);
    if (!layout.bothSides())
        layout.side_mar = 0;
    else if (layout.stacked())
        layout.label_hight = 2 * layout.label_hight + layout.side_mar;
    else if (layout.sideBySide())
        layout.label_width = 2 * layout.label_width + layout.side_mar;
    else
        layout.side_mar = 0;
    const float cw = layout.label_width, ch = layout.label_hight;
    if (layout.Fit_Picture_To_Frame) {
        layout.label_width = float(paper.imageableBounds.width());
        layout.label_hight = float(paper.imageableBounds.height());
    }
    // A count below 1 would divide the pages by nothing.
    int cols = std::max(1, fields.cols), rows = std::max(1, fields.rows);
    const float aw = W - layout.Left_Mar - layout.Rite_Mar, ah = H - layout.Top_Mar - layout.Bot_Mar;
    if (layout.auto_center_flag && !layout.Fit_Picture_To_Frame) {
        cols = fitCentred(cols, aw, cw, layout.horz_mar);
        rows = fitCentred(rows, ah, ch, layout.vert_mar);
    } else {
        cols = fitFixed(cols, W, layout.Left_Mar, layout.Rite_Mar, cw, layout.horz_mar);
        rows = fitFixed(rows, H, layout.Top_Mar, layout.Bot_Mar, ch, layout.vert_mar);
    }
    fields.cols = layout.Print_Col = cols;
    fields.rows = layout.Print_Row = rows;
    return true;
}

bool Layout_Too_Big(const PrintLayout &layout, const PaperInfo &paper)
{
    return layout.label_width + layout.Left_Mar + layout.Rite_Mar + layout.horz_mar > float(paper.paperSize.width())
        || layout.label_hight + layout.Top_Mar + layout.Bot_Mar + layout.vert_mar > float(paper.paperSize.height());
}

QString Find_Papaer_Name_From_Size(const QString &size_wdt, const QString &size_hgt)
{
    static const char *const rows[][2] = {
        {"297.00 x 420.00", "A3"}, {"210.00 x 297.00", "A4"}, {"148.00 x 210.00", "A5"}, {"176.00 x 250.00", "B5"},
        {"105.00 x 241.00", "Envelope #10"}, {"120.00 x 235.00", "Envelope Choukei 3"},
        {"110.00 x 220.00", "Envelope DL"}, {"182.00 x 257.00", "JIS B5"}, {"197.00 x 273.00", "ROC 16K"},
        {"330.00 x 483.00", "Super B/A3"}, {"279.00 x 432.00", "Tabloid"}, {"305.00 x 457.00", "Tabloid Oversize"},
        {"216.00 x 356.00", "US Legal"}, {"216.00 x 279.00", "US Letter"}, {"215.90 x 279.40", "Letter"},
        {"100.00 x 148.00", "Postcard"}, {"184.00 x 267.00", "Executive"}};
    QString name;
    if (size_wdt.isEmpty() || size_hgt.isEmpty())
        return name;
    for (const auto &row : rows) {
        const QString size = QString::fromLatin1(row[0]);
        if (size.contains(size_wdt) && size.contains(size_hgt))
            name = QString::fromLatin1(row[1]);
    }
    return name;
}

PrintRun Print_Run_For_Range(bool all, int count, int from, int to, bool duplex, int copies)
{
    PrintRun run;
    if (all) {
        run.Print_Start = 0;
        run.Total_Label = std::max(0, count);
    } else {
        run.Print_Start = std::max(0, from - 1);
        run.Print_End = to;
        run.Total_Label = std::max(0, to - std::max(1, from) + 1);
    }
    if (duplex)
        run.Total_Label *= 2;
    run.Total_Label_Real = run.Total_Label;
    run.copies = std::max(1, copies);
    return run;
}

std::vector<SheetCell> Sheet_Cells(const PrintLayout &l, const PaperInfo &paper)
{
    const float W = float(paper.paperSize.width()), H = float(paper.paperSize.height());
    const float L = l.Left_Mar, R = l.Rite_Mar, T = l.Top_Mar, B = l.Bot_Mar;
    const int rows = std::max(1, l.Print_Row), cols = std::max(1, l.Print_Col);
    float cw = l.label_width, ch = l.label_hight;
    if (l.stacked())
        ch = (l.label_hight - l.side_mar) / 2;
    else if (l.sideBySide())
        cw = (l.label_width - l.side_mar) / 2;
    const float gridW = cols * l.label_width + (cols - 1) * l.horz_mar;
    const float gridH = rows * l.label_hight + (rows - 1) * l.vert_mar;
    const float availW = W - L - R, availH = H - T - B;

    float y1 = H - T - l.label_hight, x1 = L;
    if (l.auto_center_flag) {
        y1 = B + gridH - l.label_hight + l.vert_mar;
        x1 = L + l.horz_mar;
    } else if (l.label_align_val >= 1 && l.label_align_val <= 9) {
        const int v = (l.label_align_val - 1) / 3, h = (l.label_align_val - 1) % 3;
        if (v == 1)
            y1 = B + (availH - gridH) / 2 + gridH - l.label_hight;
        else if (v == 2)
            y1 = B + gridH - l.label_hight;
        if (h == 1)
            x1 = L + (availW - gridW) / 2;
        else if (h == 2)
            x1 = W - R - gridW;
    }

    std::vector<SheetCell> cells;
    cells.reserve(std::size_t(rows) * std::size_t(cols));
    for (int r = 1; r <= rows; ++r) {
        const float y = y1 - (r - 1) * (l.label_hight + l.vert_mar);
        for (int k = 1; k <= cols; ++k) {
            const float x = l.auto_center_flag ? L + k * l.horz_mar + (k - 1) * l.label_width
                                               : x1 + (k - 1) * (l.label_width + l.horz_mar);
            SheetCell c;
            c.row = r, c.col = k;
            c.cell = QRectF(x, y, l.label_width, l.label_hight);
            if (l.stacked()) {
                c.first = QRectF(x, y + ch + l.side_mar, cw, ch);
                c.second = QRectF(x, c.first.y() - ch - l.side_mar, cw, ch);
            } else if (l.sideBySide()) {
                c.first = QRectF(x, y, cw, ch);
                c.second = QRectF(x + cw + l.side_mar, y, cw, ch);
            } else {
                c.first = c.second = c.cell;
            }
            cells.push_back(c);
        }
    }
    return cells;
}

QRectF Paper_To_Painter(const QRectF &rect, const PaperInfo &paper)
{
    return QRectF(rect.x(), paper.paperSize.height() - rect.y() - rect.height(), rect.width(), rect.height());
}
