#include "core/CardPainting.h"

#include "core/Card_Property.h"
#include "core/PaintSupport.h"

#include <QFontMetricsF>
#include <QPainter>

QPainterPath Card_Outline_Path(int cardShape, const QRectF &cardRect)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    if (cardShape == 1)
        path.addRoundedRect(cardRect, 10.0, 10.0);
    else if (cardShape == 2)
        path.addEllipse(cardRect);
    else
        path.addRect(cardRect);
    return path;
}

void Card_Base_Drawing(QPainter &painter, const Card_Property &prop, int cardShape, const QRectF &cardRect)
{
    const QPainterPath outline = Card_Outline_Path(cardShape, cardRect);
    painter.fillPath(outline, Qt::white);
    painter.setClipPath(outline, Qt::IntersectClip);
    if (!prop.Card_fill_chk())
        return;
    const QString &style = prop.Card_fill_style();
    if (style == QLatin1String("G")) {
        painter.fillPath(outline, prop.Card_fill_Grd_1_clr());
        Fill_Path_With_Gradient(painter, outline, prop.Card_fill_Grd_1_clr(), prop.Card_fill_Grd_2_clr(),
                                prop.Card_grad_Stepper());
    } else if (style == QLatin1String("H")) {
        painter.fillPath(outline, prop.Card_hatch_bk_clr());
        const QImage pattern = Hatch_Pattern_Image(prop.Card_hatch_style());
        if (!pattern.isNull())
            painter.fillPath(outline, QBrush(pattern));
    } else if (style == QLatin1String("I")) {
        const QImage &picture = prop.Card_BG_Image();
        if (picture.isNull())
            return;
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        if (prop.Card_BG_Image_Layout() == QLatin1String("Tile")) {
            painter.fillPath(outline, QBrush(picture));
        } else {
            const double saved = painter.opacity();
            painter.setOpacity(saved * Clamped_Opacity(prop.Card_alpha_Stepper()));
            painter.drawImage(cardRect, picture, QRectF(picture.rect()));
            painter.setOpacity(saved);
        }
    } else {
        painter.fillPath(outline, prop.Card_fill_clr());
    }
}

void Card_Border_Drawing(QPainter &painter, const Card_Property &prop, int cardShape, const QRectF &cardRect)
{
    const QPainterPath outline = Card_Outline_Path(cardShape, cardRect);
    if (prop.Watermark_Used() && !prop.Watermark_Text().isEmpty()) {
        const QFont font = Font_In_Card_Units(prop.Watermark_Font(), painter.device());
        const int flags = int(Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap);
        // Measured as drawn, wrapped at the card's width, so a long text placed at the bottom
        // ends on the bottom edge instead of running off the card.
        const QSizeF textSize = QFontMetricsF(font, painter.device())
                                    .boundingRect(QRectF(0, 0, cardRect.width(), 1e6), flags, prop.Watermark_Text())
                                    .size();
        double top = cardRect.top();
        if (prop.Watermark_Alignment() == 1)
            top = cardRect.top() + (cardRect.height() - textSize.height()) / 2;
        else if (prop.Watermark_Alignment() == 2)
            top = cardRect.top() + cardRect.height() - textSize.height();
        const QRectF box(cardRect.left(), top, cardRect.width(), cardRect.height());
        painter.save();
        painter.setFont(font);
        painter.setPen(Color_With_Opacity(prop.Watermark_Color(), prop.Watermark_Transp()));
        painter.drawText(box, flags, prop.Watermark_Text());
        painter.restore();
    }
    if (prop.Card_border_chk()) {
        // Curves as straight segments, so dashes run along the outline as drawn. The segments
        // are cut at the device's resolution: cut in points, a rounded corner exported at 600 dpi
        // shows its facets.
        const QTransform toDevice = painter.combinedTransform();
        bool invertible = false;
        const QTransform fromDevice = toDevice.inverted(&invertible);
        QPainterPath flat;
        for (const QPolygonF &polygon : outline.toSubpathPolygons(invertible ? toDevice : QTransform())) {
            flat.addPolygon(invertible ? fromDevice.map(polygon) : polygon);
            flat.closeSubpath();
        }
        painter.strokePath(flat, Border_Pen(prop.Card_bordr_clr(), prop.Card_bor_Stepper(), prop.Card_border_style()));
    }
}
