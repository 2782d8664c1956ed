#include "canvas/VerticallyCenteredTextFieldCell.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

namespace {
// The height of one line of the field's text. Whole pixels, as the label's own layout uses, so
// the line lands on the same pixel rows whether the field is drawn alone or in a window.
int lineHeight(const QLabel &label) { return QFontMetrics(label.font()).height(); }
}  // namespace

QRectF VerticallyCenteredTextFieldCell::titleRectForBounds(const QRectF &bounds) const
{
    // What the label keeps free around its text (frame, contents margins, margin) is kept free
    // inside the bounds too.
    const QRect inner = contentsRect(), outer = rect();
    const QMarginsF around(inner.left() - outer.left() + margin(), inner.top() - outer.top() + margin(),
                           outer.right() - inner.right() + margin(), outer.bottom() - inner.bottom() + margin());
    const QRectF inherited = bounds.marginsRemoved(around);
    const qreal top = bounds.top() + (bounds.height() - lineHeight(*this)) / 2.0;
    return QRectF(inherited.x(), top, inherited.width(), inherited.height() - (top - bounds.top()));
}

QSize VerticallyCenteredTextFieldCell::sizeHint() const
{
    // One line: the text's width, never a wrapped paragraph.
    const QMargins m = contentsMargins() + QMargins(margin(), margin(), margin(), margin());
    const int width = QFontMetrics(font()).horizontalAdvance(text());
    return QSize(width, lineHeight(*this)).grownBy(m);
}

QSize VerticallyCenteredTextFieldCell::minimumSizeHint() const { return sizeHint(); }

void VerticallyCenteredTextFieldCell::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);  // the frame, if any; the text is ours
    const QRectF title = titleRectForBounds(QRectF(rect()));
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    const QString line = QFontMetrics(font()).elidedText(text(), Qt::ElideRight, int(title.width()));
    const Qt::Alignment across = QStyle::visualAlignment(layoutDirection(), alignment()) & Qt::AlignHorizontal_Mask;
    painter.drawText(title, int(across | Qt::AlignTop | Qt::TextSingleLine), line);
}
