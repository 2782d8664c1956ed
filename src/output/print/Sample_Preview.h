#pragma once
// The sheet preview of the print window: the paper, its printable area and every cell of one
// sheet with numbered captions ("Front 1", "Back 1" ...) where the cards will print, with the
// card outlines and crop marks. It places the cells exactly as the printed pages do.

#include "output/print/PrintLayout.h"

#include <QImage>

class QPainter;

class Sample_Preview {
public:
    // `Card_Shape`: 0 rectangle, 1 rounded rectangle, 2 ellipse. Without a front image every
    // cell reads "Invalid Data".
    Sample_Preview(PrintLayout layout, PaperInfo paper, int Card_Shape, bool hasFrontImage);

    bool its_print_not_preview = false;

    // The sheet in paper points, y downwards from the paper's top-left corner.
    void drawRect(QPainter &painter) const;
    // The sheet at `dpi` (72: one pixel a point); null without paper.
    QImage imageRepresentation(double dpi = 72.0) const;

    void Draw_Label_String(QPainter &painter, const QRectF &rect, const QString &caption, int row, int col) const;
    void Draw_Margin_rect(QPainter &painter, const QRectF &rect) const;
    int Get_Curr_Label_Index(int row, int col) const { return (row - 1) * std::max(1, m_layout.Print_Col) + col - 1; }

private:
    PrintLayout m_layout;
    PaperInfo m_paper;
    int m_cardShape;
    bool m_hasFront;
};
