#include "output/print/Sample_Preview.h"

#include "core/Utilities.h"
#include "output/print/Printing_View.h"

#include <QPainter>

Sample_Preview::Sample_Preview(PrintLayout layout, PaperInfo paper, int Card_Shape, bool hasFrontImage)
    : m_layout(std::move(layout)), m_paper(std::move(paper)), m_cardShape(Card_Shape), m_hasFront(hasFrontImage)
{
}

void Sample_Preview::Draw_Label_String(QPainter &painter, const QRectF &rect, const QString &caption, int row, int col) const
{
    const bool turned = m_layout.Print_One_Card_Algn == QLatin1String("D")
        || (m_layout.bothSides() && m_layout.Print_Card_Algn == QLatin1String("UD") && caption == QLatin1String("Back"));
    QString shown = caption;
    QColor color = Qt::red;
    if (caption == QLatin1String("Front") || caption == QLatin1String("Back") || caption == QLatin1String("Card")) {
        shown = QStringLiteral("%1 %2").arg(caption).arg((row - 1) * m_layout.Print_Col + col);
        color = Qt::gray;
    }
    const QRectF r = Paper_To_Painter(rect, m_paper);
    QFont font;
    font.setPointSizeF(24);
    painter.save();
    painter.setFont(font);
    painter.setPen(color);
    if (turned) {
        painter.translate(r.center());
        painter.rotate(180);
        painter.translate(-r.center());
    }
    painter.drawText(r, Qt::AlignCenter, shown);
    painter.restore();
}

void Sample_Preview::Draw_Margin_rect(QPainter &painter, const QRectF &rect) const
{
    const QRectF r = Paper_To_Painter(rect, m_paper);
    if (m_layout.Show_margin_rect) {
        painter.save();
        painter.setPen(QPen(Qt::darkGray, 1));
        painter.setBrush(Qt::NoBrush);
        if (m_cardShape == 1)
            painter.drawRoundedRect(r, 10, 10);
        else if (m_cardShape == 2)
            painter.drawEllipse(r);
        else
            painter.drawRect(r);
        painter.restore();
    }
    if (m_layout.Enable_Crop_Marks)
        Draw_Crop_Marks(painter, r, Qt::black);
}

void Sample_Preview::drawRect(QPainter &painter) const
{
    if (!m_paper.valid())
        return;
    try {
        const QRectF paper(QPointF(0, 0), m_paper.paperSize);
        painter.save();
        painter.fillRect(paper, Qt::white);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(paper);
        const PrintLayout &l = m_layout;
        painter.setPen(QPen(Qt::darkGray, 1));
        painter.drawRect(QRectF(l.Left_Mar, l.Top_Mar, paper.width() - l.Left_Mar - l.Rite_Mar,
                                paper.height() - l.Top_Mar - l.Bot_Mar));
        const bool duplex = l.Print_Card_Algn == QLatin1String("DU") || l.Print_Card_Algn == QLatin1String("DD");
        for (const SheetCell &cell : Sheet_Cells(l, m_paper)) {
            if (!m_hasFront) {
                Draw_Label_String(painter, cell.first, QStringLiteral("Invalid Data"), cell.row, cell.col);
                Draw_Margin_rect(painter, cell.first);
                continue;
            }
            const bool back = l.Print_Card_Side == QLatin1String("B");
            Draw_Label_String(painter, cell.first, back ? QStringLiteral("Back") : QStringLiteral("Front"), cell.row, cell.col);
            Draw_Margin_rect(painter, cell.first);
            if (l.bothSides()) {
                if (!duplex)
                    Draw_Label_String(painter, cell.second, QStringLiteral("Back"), cell.row, cell.col);
                Draw_Margin_rect(painter, cell.second);
            }
        }
        painter.restore();
    } catch (const std::exception &e) {
        Show_NSLog_Message(QStringLiteral("Sheet preview: %1").arg(QString::fromUtf8(e.what())));
    }
}

QImage Sample_Preview::imageRepresentation(double dpi) const
{
    if (!m_paper.valid())
        return {};
    const QSize size = (m_paper.paperSize * dpi / 72.0).toSize();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(dpi / 72.0, dpi / 72.0);
    drawRect(painter);
    return image;
}
