#include "output/print/Printing_View.h"

#include "core/Utilities.h"
#include "data/batch/BatchEngine.h"

#include <QPainter>

namespace {

const QString kPrintTitle = QStringLiteral("Print");
constexpr float kCropMark = 20;

bool present(const SKTRenderingView *view) { return view && !view->frame().isEmpty(); }

}  // namespace

void Draw_Crop_Marks(QPainter &painter, const QRectF &r, const QColor &color)
{
    painter.save();
    painter.setPen(QPen(color, 1));
    painter.setBrush(Qt::NoBrush);
    const QLineF lines[] = {
        {r.topLeft(), r.topLeft() - QPointF(kCropMark, 0)},         {r.topLeft(), r.topLeft() - QPointF(0, kCropMark)},
        {r.topRight(), r.topRight() + QPointF(kCropMark, 0)},       {r.topRight(), r.topRight() - QPointF(0, kCropMark)},
        {r.bottomLeft(), r.bottomLeft() - QPointF(kCropMark, 0)},   {r.bottomLeft(), r.bottomLeft() + QPointF(0, kCropMark)},
        {r.bottomRight(), r.bottomRight() + QPointF(kCropMark, 0)}, {r.bottomRight(), r.bottomRight() + QPointF(0, kCropMark)}};
    painter.drawLines(lines, 8);
    painter.restore();
}

Printing_View::Printing_View(const QRectF &frame, PrintLayout layout, PaperInfo paper, PrintRun run,
                             PrintContent content, bool print_not_preview)
    : Page_Size_rect(frame), its_print_not_preview(print_not_preview), m_layout(std::move(layout)),
      m_paper(std::move(paper)), m_run(run), m_content(std::move(content)),
      m_front(m_content.front, kPrintTitle), m_back(m_content.back, kPrintTitle)
{
    m_layout.Print_Row = std::max(1, m_layout.Print_Row);
    m_layout.Print_Col = std::max(1, m_layout.Print_Col);
}

bool Printing_View::batchRun() const
{
    return m_content.batch && (m_content.batch->source.Use_Data_Sheet_Values || m_content.batch->source.Use_Excel_Binding_Values);
}

int Printing_View::pageCount() const
{
    const int labels = m_run.Total_Label, cells = m_layout.cellsPerPage();
    if (labels <= 0)
        return 0;
    if (m_layout.Duplex_Printing) {
        const int cards = (labels + 1) / 2;
        return 2 * ((cards + cells - 1) / cells);
    }
    return (labels + cells - 1) / cells;
}

int Printing_View::numberOfPages() const
{
    const int pages = pageCount();
    if (!its_print_not_preview && pages > kPreviewPageLimit) {
        Show_MessageBox(QStringLiteral("For Qualitative and Performance reason, previewer shows print previews of only "
                                       "first 50 sheets. However, printing has no such restriction."));
        return kPreviewPageLimit;
    }
    return pages;
}

int Printing_View::cardOfCell(int page, int cellIndex) const
{
    const int cells = m_layout.cellsPerPage();
    if (page < 1 || page > pageCount() || cellIndex < 0 || cellIndex >= cells)
        return -1;
    if (!m_layout.Duplex_Printing) {
        const int card = (page - 1) * cells + cellIndex;
        return card < m_run.Total_Label ? card : -1;
    }
    // A back lies behind its front once the sheet is turned over its long edge: same row, the
    // column mirrored.
    int index = cellIndex;
    if (backPage(page)) {
        const int cols = m_layout.Print_Col;
        index = (cellIndex / cols) * cols + (cols - 1 - cellIndex % cols);
    }
    const int card = (page - 1) / 2 * cells + index;
    return card < (m_run.Total_Label + 1) / 2 ? card : -1;
}

int Printing_View::dataRowOfCell(int page, int cellIndex) const
{
    const int card = cardOfCell(page, cellIndex);
    if (card < 0)
        return -1;
    const int row = m_run.Print_Start + card;
    if (batchRun() && row >= m_content.batch->source.Total_Batch_Excel_Card)
        return -1;
    return row;
}

std::pair<int, int> Printing_View::dataRowsOfPage(int page) const
{
    int first = std::numeric_limits<int>::max(), last = -1;
    for (int i = 0; i < m_layout.cellsPerPage(); ++i) {
        const int row = dataRowOfCell(page, i);
        if (row >= 0)
            first = std::min(first, row), last = std::max(last, row);
    }
    return {first, last};
}

RowSides Printing_View::Fill_Row(int row) const
{
    RowSides sides;
    if (!batchRun())
        return sides;
    if (m_layout.Print_Card_Side != QLatin1String("B"))
        sides.front.emplace(m_content.batch->Fill_Side_For_Row(QStringLiteral("F"), row), kPrintTitle);
    if (m_layout.Print_Card_Side != QLatin1String("F"))
        sides.back.emplace(m_content.batch->Fill_Side_For_Row(QStringLiteral("B"), row), kPrintTitle);
    return sides;
}

void Printing_View::drawCard(QPainter &painter, const SKTRenderingView &side, const QRectF &paperRect, bool turned) const
{
    const QRectF r = Paper_To_Painter(paperRect, m_paper);
    painter.save();
    painter.setClipRect(r, Qt::IntersectClip);
    painter.translate(r.center());
    if (turned)
        painter.rotate(180);
    if (m_layout.Mirror_Image_Create)
        painter.scale(m_layout.Mirror_Vertical_Not_Horz ? 1 : -1, m_layout.Mirror_Vertical_Not_Horz ? -1 : 1);
    painter.translate(-r.center());
    side.drawInto(painter, r);
    painter.restore();
}

void Printing_View::Draw_Label_String(QPainter &painter, const QRectF &rect, const QString &text, int row, int col) const
{
    QString shown = text;
    QColor color = Qt::red;
    if (text == QLatin1String("Label")) {
        shown = QStringLiteral("%1 %2").arg(text).arg((row - 1) * m_layout.Print_Col + col);
        color = Qt::gray;
    }
    QFont font;
    font.setPointSizeF(11);
    font.setBold(true);
    painter.save();
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(Paper_To_Painter(rect, m_paper), Qt::AlignCenter, shown);
    painter.restore();
}

void Printing_View::Draw_Margin_rect(QPainter &painter, const QRectF &rect) const
{
    if (m_layout.Enable_Crop_Marks)
        Draw_Crop_Marks(painter, Paper_To_Painter(rect, m_paper), Qt::lightGray);
}

void Printing_View::drawPage(QPainter &painter, int page, const std::function<const RowSides *(int row)> &rowSides) const
{
    try {
        painter.fillRect(Page_Size_rect, Qt::white);
        const bool batch = batchRun();
        const bool duplexBack = backPage(page), duplexFront = m_layout.Duplex_Printing && !duplexBack;
        const bool backFirst = m_layout.Print_Card_Side == QLatin1String("B");
        const bool firstTurned = m_layout.Print_One_Card_Algn == QLatin1String("D");
        const std::vector<SheetCell> cells = Sheet_Cells(m_layout, m_paper);
        for (int i = 0; i < int(cells.size()); ++i) {
            const SheetCell &cell = cells[std::size_t(i)];
            const SKTRenderingView *front = &m_front, *back = &m_back;
            if (batch) {
                const int row = dataRowOfCell(page, i);
                const RowSides *sides = row >= 0 && rowSides ? rowSides(row) : nullptr;
                if (!sides)
                    continue;  // past the rows, or not filled: the cell stays blank
                if (present(sides->front ? &*sides->front : nullptr))
                    front = &*sides->front;
                back = sides->back ? &*sides->back : nullptr;
            } else if (cardOfCell(page, i) < 0) {
                continue;
            }
            if (!present(front)) {
                Draw_Label_String(painter, cell.first, QStringLiteral("Invalid Data"), cell.row, cell.col);
                Draw_Margin_rect(painter, cell.first);
                continue;
            }
            if (backFirst) {
                if (present(back))
                    drawCard(painter, *back, cell.first, firstTurned);
            } else if (!duplexBack) {
                drawCard(painter, *front, cell.first, firstTurned);
            }
            Draw_Margin_rect(painter, cell.first);
            if (m_layout.bothSides()) {
                if (!duplexFront && present(back))
                    drawCard(painter, *back, cell.second, m_layout.backTurned());
                Draw_Margin_rect(painter, cell.second);
            }
        }
    } catch (const std::exception &e) {
        Show_NSLog_Message(QStringLiteral("Printing page %1: %2").arg(page).arg(QString::fromUtf8(e.what())));
    }
}
