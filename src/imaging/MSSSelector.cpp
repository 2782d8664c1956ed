#include "imaging/MSSSelector.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

QRectF MSSNormalRect(const QRectF &frame)
{
    double x = frame.x(), y = frame.y(), w = frame.width(), h = frame.height();
    if (w < 0) {
        x += w;
        w = -w;
    }
    if (h < 0) {
        y += h;
        h = -h;
    }
    return QRectF(x, y, w, h);
}

namespace {

// One axis of two normal rectangles. A zero-length probe (a mouse press) meets a span that
// holds its point; a zero-length target is never met.
bool axisMeets(double a0, double a1, double b0, double b1)
{
    if (b0 == b1)
        return false;
    if (a0 == a1)
        return b0 <= a0 && a0 < b1;
    return a0 < b1 && b0 < a1;
}

bool meets(const QRectF &probe, const QRectF &target)
{
    const QRectF a = MSSNormalRect(probe), b = MSSNormalRect(target);
    return axisMeets(a.x(), a.x() + a.width(), b.x(), b.x() + b.width())
        && axisMeets(a.y(), a.y() + a.height(), b.y(), b.y() + b.height());
}

QPen outlinePen(const QColor &color, double width, bool dashed)
{
    QPen pen(color, width);
    pen.setCosmetic(false);
    if (dashed) {
        // Five points on, five off, whatever the line width.
        const double unit = width > 0 ? width : 1.0;
        pen.setDashPattern({5.0 / unit, 5.0 / unit});
        pen.setDashOffset(0);
    }
    return pen;
}

}  // namespace

// --- handles ---

MSSHandle::MSSHandle(qint64 type, MSSSelector *selector) : type_(type), selector_(selector) { setStyle(); }

void MSSHandle::setStyle()
{
    MSSSelectorCanvas *canvas = selector_ ? selector_->canvas() : nullptr;
    MSSCanvasDelegate *delegate = canvas ? canvas->canvasDelegate() : nullptr;
    handleStyle_ = delegate ? delegate->handleStyle() : nullptr;
    if (!handleStyle_)
        handleStyle_ = std::make_shared<MSSHandleStyle>();
}

void MSSHandle::makeHandleFrameWithSelectorFrame()
{
    const QRectF f = selector_->frame();  // as stored: an unfinished frame shows swapped corners
    const QSizeF s = handleStyle_->size;
    std::optional<QPointF> corner;
    switch (type_) {
    case 1: corner = QPointF(f.x(), f.y() + f.height()); break;
    case 2: corner = QPointF(f.x() + f.width(), f.y() + f.height()); break;
    case 3: corner = QPointF(f.x(), f.y()); break;
    case 4: corner = QPointF(f.x() + f.width(), f.y()); break;
    default: break;
    }
    frame_ = corner ? QRectF(corner->x() - s.width() / 2, corner->y() - s.height() / 2, s.width(), s.height()) : QRectF();
    bounds_ = frame_;
    updateTrackingArea();
}

void MSSHandle::drawPath(QPainter &painter)
{
    makeHandleFrameWithSelectorFrame();
    QPainterPath path;
    path.addEllipse(frame_);
    painter.strokePath(path, QPen(handleStyle_->strokeColor, 2.0));
    painter.fillPath(path, handleStyle_->fillColor);
}

void MSSHandle::updateTrackingArea()
{
    MSSCursor cursor = MSSCursor::Crosshair;
    if (type_ == 1 || type_ == 4)
        cursor = MSSCursor::TopBottom;
    else if (type_ == 2 || type_ == 3)
        cursor = MSSCursor::BottomTop;
    trackingArea_ = MSSTrackingArea{MSSNormalRect(frame_), cursor};
}

// --- selectors ---

MSSSelector::MSSSelector(const QRectF &frame, MSSSelectorCanvas *canvas, bool asPicker)
    : canvas_(canvas), frame_(frame)
{
    setStyle();
    isPicker_ = asPicker;
    prepareAction(Draw);
    currentHandle_ = nullptr;
    setSelected();
    for (qint64 type = 1; type <= 4; ++type)
        handles_.push_back(std::make_unique<MSSHandle>(type, this));
}

void MSSSelector::setStyle()
{
    MSSCanvasDelegate *d = delegate();
    selectorStyle_ = d ? d->selectorStyle() : nullptr;
    if (!selectorStyle_)
        selectorStyle_ = std::make_shared<MSSSelectorStyle>();
}

QRectF MSSSelector::normal(const QRectF &r) const
{
    MSSCanvasDelegate *d = delegate();
    return d ? d->defaultRectForFrame(r) : MSSNormalRect(r);
}

void MSSSelector::setSelected()
{
    strokeColor_ = isPicker_ ? selectorStyle_->strokeColorPicker : selectorStyle_->strokeColorSelected;
    fillColor_ = isPicker_ ? selectorStyle_->fillColorPicker : selectorStyle_->fillColorSelected;
    isSelected_ = true;
}

void MSSSelector::setUnselected()
{
    strokeColor_ = isPicker_ ? selectorStyle_->strokeColorPicker : selectorStyle_->strokeColorUnselected;
    fillColor_ = isPicker_ ? selectorStyle_->fillColorPicker : selectorStyle_->fillColorUnselected;
    isSelected_ = false;
}

void MSSSelector::drawPath(QPainter &painter)
{
    if (!draw_selector_or_not)
        return;
    const MSSSelectorStyle &s = *selectorStyle_;
    const double width = isSelected_ ? s.lineWidthSelected : s.lineWidthUnselected;
    const bool dashed = isSelected_ ? s.lineDashedSelected : s.lineDashedUnselected;
    QPainterPath path;
    path.addRect(MSSNormalRect(frame_));
    painter.strokePath(path, outlinePen(strokeColor_, width, dashed));
    painter.fillPath(path, fillColor_);
    drawHandles(painter);
}

void MSSSelector::drawHandles(QPainter &painter)
{
    if (!isSelected_ || isPicker_)
        return;
    for (const auto &handle : handles_)
        handle->drawPath(painter);
}

bool MSSSelector::intersectsFrame(const QRectF &rect)
{
    if (meets(rect, frame_) || touchedHandle(rect)) {
        setSelected();
        return true;
    }
    return false;
}

bool MSSSelector::touchedHandle(const QRectF &rect)
{
    for (const auto &handle : handles_) {
        if (meets(rect, handle->bounds())) {
            currentHandle_ = handle.get();
            prepareAction(Resize);
            return true;
        }
    }
    prepareAction(Move);
    return false;
}

bool MSSSelector::intersectsOthers(const std::vector<MSSSelector *> &others)
{
    for (MSSSelector *other : others) {
        if (other && other->frame() != frame_ && intersectsFrame(other->frame()))
            return true;
    }
    return false;
}

void MSSSelector::prepareAction(qint64 action)
{
    action_ = action;
    if (action == Resize)
        makeOriginAtHandle();
    else if (action == Move || action == Draw)
        prepareBoundaries();
}

void MSSSelector::makeOriginAtHandle()
{
    const qint64 type = currentHandleType();
    const QPointF origin = type != 0 ? currentHandle_->bounds().center() : QPointF(0, 0);
    const double w = std::abs(frame_.width()), h = std::abs(frame_.height());
    QSizeF size;
    switch (type) {
    case 1: size = QSizeF(w, -h); break;
    case 2: size = QSizeF(-w, -h); break;
    case 3: size = QSizeF(w, h); break;
    case 4: size = QSizeF(-w, h); break;
    default: break;
    }
    if (type >= 1 && type <= 4)
        frame_ = QRectF(origin, size);
    prepareBoundaries();
}

MSSBoundaries MSSSelector::canvasBoundaries() const
{
    const QSizeF c = canvas_ ? canvas_->canvasSize() : QSizeF();
    MSSBoundaries b;
    b.top.position = c.height();
    b.right.position = c.width();
    return b;
}

void MSSSelector::prepareBoundaries()
{
    const QSizeF c = canvas_ ? canvas_->canvasSize() : QSizeF();
    const double W = c.width(), H = c.height();
    const double x = frame_.x(), y = frame_.y(), w = frame_.width(), h = frame_.height();
    MSSBoundaries &b = boundaries_;
    if (action_ == Move)
        b = {{H - h, h}, {0, h}, {0, w}, {W - w, w}};
    else if (action_ == Resize)
        b = {{H, y + h - H}, {0, y + h}, {0, x + w}, {W, x + w - W}};
    else if (action_ == Draw)
        b = {{y, H - y}, {y, -y}, {x, -x}, {x, W - x}};
}

void MSSSelector::resizeToPoint(const QPointF &p)
{
    const double ox = frame_.x(), oy = frame_.y(), w = frame_.width(), h = frame_.height();
    if (currentHandleType() != 0)
        frame_ = QRectF(p.x(), p.y(), w - (p.x() - ox), h - (p.y() - oy));
    else
        frame_ = QRectF(ox, oy, p.x() - ox, p.y() - oy);
}

void MSSSelector::moveSelectorToPoint(const QPointF &p)
{
    frame_ = QRectF(p.x() - frame_.width() / 2, p.y() - frame_.height() / 2, frame_.width(), frame_.height());
}

int MSSSelector::verticalInBounds(const QRectF &frame) const
{
    const QRectF f = normal(frame);
    const MSSBoundaries c = canvasBoundaries();
    if (f.x() + f.width() > c.right.position)
        return 2;
    if (f.x() < c.left.position)
        return 1;
    return 0;
}

int MSSSelector::horizontalInBounds(const QRectF &frame) const
{
    const QRectF f = normal(frame);
    const MSSBoundaries c = canvasBoundaries();
    if (f.y() + f.height() > c.top.position)
        return 3;
    if (f.y() < c.bottom.position)
        return 4;
    return 0;
}

bool MSSSelector::touchedBoundaries()
{
    if (isPicker_)
        return false;
    const int vertical = verticalInBounds(frame_);
    const int horizontal = horizontalInBounds(frame_);
    double x = frame_.x(), y = frame_.y(), w = frame_.width(), h = frame_.height();
    if (vertical == 2) {
        x = boundaries_.right.position;
        w = boundaries_.right.size;
    } else if (vertical == 1) {
        x = boundaries_.left.position;
        w = boundaries_.left.size;
    }
    if (horizontal == 3) {
        y = boundaries_.top.position;
        h = boundaries_.top.size;
    } else if (horizontal == 4) {
        y = boundaries_.bottom.position;
        h = boundaries_.bottom.size;
    }
    frame_ = QRectF(x, y, w, h);
    selectorHasChanged();
    return vertical != 0 || horizontal != 0;
}

bool MSSSelector::isBigEnough() const
{
    return std::abs(frame_.width()) >= selectorStyle_->minWidth && std::abs(frame_.height()) >= selectorStyle_->minHeight;
}

bool MSSSelector::canDropOnCanvas()
{
    std::vector<MSSSelector *> others;
    if (MSSCanvasDelegate *d = delegate()) {
        for (MSSSelector *s : d->selectors()) {
            if (s != this)
                others.push_back(s);
        }
    }
    const bool overlapsRefused = canvas_ && !canvas_->allowIntersections();
    if (!isBigEnough() || (overlapsRefused && intersectsOthers(others)))
        return false;
    restoreOrigin();
    return true;
}

void MSSSelector::restoreOrigin() { frame_ = normal(frame_); }

void MSSSelector::updateTrackingArea()
{
    const QRectF f = normal(frame_);
    const QSizeF inset = handles_.empty() ? QSizeF() : handles_.front()->frame().size();
    trackingArea_ = MSSTrackingArea{QRectF(f.x() + inset.width(), f.y() + inset.height(),
                                           f.width() - 2 * inset.width(), f.height() - 2 * inset.height()),
                                    MSSCursor::OpenHand};
}

void MSSSelector::removeTrackingAreas()
{
    for (const auto &handle : handles_)
        handle->removeTrackingArea();
    trackingArea_.reset();
}
