#include "imaging/MSSCanvas.h"

#include "imaging/MSSScaledImage.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {
Qt::CursorShape cursorShape(MSSCursor cursor)
{
    switch (cursor) {
    case MSSCursor::OpenHand: return Qt::OpenHandCursor;
    case MSSCursor::TopBottom: return Qt::SizeFDiagCursor;
    case MSSCursor::BottomTop: return Qt::SizeBDiagCursor;
    case MSSCursor::Crosshair: return Qt::CrossCursor;
    case MSSCursor::Arrow: break;
    }
    return Qt::ArrowCursor;
}
}  // namespace

// --- the canvas ---

MSSCanvas::MSSCanvas(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

MSSCanvasDelegate *MSSCanvas::canvasDelegate() const { return delegate_.data(); }

void MSSCanvas::paintEvent(QPaintEvent *)
{
    if (!delegate_)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // The selectors count from the lower-left corner, y upwards.
    painter.translate(0, height());
    painter.scale(1, -1);
    for (MSSSelector *selector : delegate_->selectors())
        selector->drawPath(painter);
    if (MSSSelector *current = delegate_->currentSelector())
        current->drawPath(painter);
}

void MSSCanvas::mousePressEvent(QMouseEvent *event)
{
    if (!delegate_ || event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    delegate_->mouseDown(canvasPoint(event->position()), event->modifiers() & Qt::ControlModifier);
}

void MSSCanvas::mouseMoveEvent(QMouseEvent *event)
{
    if (!delegate_)
        return;
    const QPointF p = canvasPoint(event->position());
    if (event->buttons() & Qt::LeftButton)
        delegate_->mouseDragged(p);
    else if (delegate_->cursorCanBeChanged())
        setCursor(cursorShape(delegate_->cursorAt(p)));
}

void MSSCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    if (delegate_ && event->button() == Qt::LeftButton)
        delegate_->mouseUp();
}

void MSSCanvas::keyPressEvent(QKeyEvent *event)
{
    if (delegate_)
        delegate_->keyDown(event->key(), event->modifiers());
}

// --- the controller ---

MSSCanvasController::MSSCanvasController(MSSCanvas *canvas, QWidget *contentView, QObject *parent)
    : QObject(parent), canvas_(canvas), contentView_(contentView)
{
    if (canvas_)
        canvas_->setDelegate(this);
    prepareController();
}

MSSCanvasController::~MSSCanvasController()
{
    if (canvas_ && canvas_->delegate() == this)
        canvas_->setDelegate(nullptr);
}

void MSSCanvasController::setContentView(QWidget *contentView)
{
    if (contentView_)
        contentView_->removeEventFilter(this);
    contentView_ = contentView;
    prepareController();
}

void MSSCanvasController::prepareController()
{
    cursorCanBeChanged_ = true;
    if (contentView_) {
        contentView_->installEventFilter(this);
        if (auto *image = qobject_cast<MSSScaledImage *>(contentView_.data())) {
            // Keys go to the canvas, not to the picture under it.
            image->setFocusPolicy(Qt::NoFocus);
            connect(image, &MSSScaledImage::imageLayoutChanged, this, &MSSCanvasController::resetCanvas,
                    Qt::UniqueConnection);
        }
    }
    selectors_.clear();
    picker_.reset();
    currentSelector_ = nullptr;
    arrangeCanvas();
}

bool MSSCanvasController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == contentView_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        resetCanvas();
    return QObject::eventFilter(watched, event);
}

QRectF MSSCanvasController::canvasFrame() const
{
    if (auto *image = qobject_cast<MSSScaledImage *>(contentView_.data()))
        return image->scaledImageRect();
    return contentView_ ? QRectF(QPointF(0, 0), QSizeF(contentView_->size())) : QRectF();
}

void MSSCanvasController::arrangeCanvas()
{
    if (!canvas_ || !contentView_)
        return;
    const QRectF frame = canvasFrame();
    const QRectF widgetRect(frame.x(), contentView_->height() - frame.y() - frame.height(), frame.width(), frame.height());
    if (canvas_->parentWidget() != contentView_) {
        canvas_->setParent(contentView_);
        canvas_->show();
    }
    canvas_->raise();
    canvas_->setGeometry(widgetRect.toRect());
}

void MSSCanvasController::redraw()
{
    if (canvas_)
        canvas_->update();
}

std::vector<MSSSelector *> MSSCanvasController::selectors() const
{
    std::vector<MSSSelector *> out;
    out.reserve(selectors_.size());
    for (const auto &s : selectors_)
        out.push_back(s.get());
    return out;
}

void MSSCanvasController::mouseDown(const QPointF &p, bool command)
{
    cursorCanBeChanged_ = false;
    markAllUnselected(true);
    const QRectF r(p, QSizeF(0, 0));
    currentSelector_ = nullptr;
    if (command || selectors_.empty()) {
        addSelectorWithFrame(r);
        redraw();
        return;
    }
    // The handles are hit where they would be drawn now, also when the frame was set since the
    // last drawing (the picture's owner places the rectangle) or they were hidden while unselected.
    for (const auto &selector : selectors_) {
        for (const auto &handle : selector->handles())
            handle->makeHandleFrameWithSelectorFrame();
    }
    for (const auto &selector : selectors_) {
        if (selector->intersectsFrame(r)) {
            currentSelector_ = selector.get();
            currentSelector_->touchedHandle(r);
            break;
        }
    }
    if (!currentSelector_)
        setPickerWithFrame(r);
    redraw();
}

void MSSCanvasController::mouseDragged(const QPointF &p)
{
    MSSSelector *s = currentSelector_;
    if (!s)
        return;
    if (s->action() == MSSSelector::Draw || s->action() == MSSSelector::Resize)
        s->resizeToPoint(p);
    else if (s->action() == MSSSelector::Move)
        s->moveSelectorToPoint(p);
    else
        return;
    redraw();
    if (s->touchedBoundaries())
        redraw();
}

void MSSCanvasController::mouseUp()
{
    cursorCanBeChanged_ = true;
    MSSSelector *s = currentSelector_;
    if (!s) {
        redraw();
        return;
    }
    if (s == picker_.get()) {
        const QRectF picked = s->frame();
        // A band that touches only a handle re-origins that rectangle at the handle; nothing
        // drags it, so it goes back to normal form at once: its owner crops by its frame.
        for (const auto &selector : selectors_) {
            if (selector->intersectsFrame(picked))
                selector->restoreOrigin();
        }
        currentSelector_ = nullptr;
        picker_.reset();
    } else if (s->canDropOnCanvas()) {
        canvasHasChanged();
    } else {
        discard(s);
        currentSelector_ = nullptr;
    }
    redraw();
}

void MSSCanvasController::keyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete)
        removeMarkedSelectorsFromCanvas();
    else if (key == Qt::Key_A && (modifiers & Qt::ControlModifier))
        markAllSelected(true);
    else if (key == Qt::Key_Escape)
        markAllUnselected(true);
}

void MSSCanvasController::discard(MSSSelector *selector)
{
    selector->removeTrackingAreas();
    std::erase_if(selectors_, [selector](const auto &s) { return s.get() == selector; });
}

void MSSCanvasController::addSelectorWithFrame(const QRectF &frame)
{
    removeAllSelectorsFromCanvas();
    if (!canvas_)
        return;
    selectors_.push_back(MSSSelector::selectorWithFrame(frame, canvas_, false));
    currentSelector_ = selectors_.back().get();
}

void MSSCanvasController::setPickerWithFrame(const QRectF &frame)
{
    if (!canvas_)
        return;
    picker_ = MSSSelector::selectorWithFrame(frame, canvas_, true);
    currentSelector_ = picker_.get();
}

void MSSCanvasController::removeMarkedSelectorsFromCanvas()
{
    currentSelector_ = nullptr;
    std::vector<MSSSelector *> marked;
    for (const auto &s : selectors_) {
        if (s->isSelected())
            marked.push_back(s.get());
    }
    for (MSSSelector *s : marked)
        discard(s);
    redraw();
    if (canvas_)
        canvas_->setCursor(Qt::ArrowCursor);
    canvasHasChanged();
}

void MSSCanvasController::removeAllSelectorsFromCanvas()
{
    markAllSelected(false);
    removeMarkedSelectorsFromCanvas();
}

void MSSCanvasController::markAllSelected(bool redrawNow)
{
    for (const auto &s : selectors_)
        s->setSelected();
    if (redrawNow)
        redraw();
}

void MSSCanvasController::markAllUnselected(bool redrawNow)
{
    for (const auto &s : selectors_)
        s->setUnselected();
    if (redrawNow)
        redraw();
}

MSSCursor MSSCanvasController::cursorAt(const QPointF &p) const
{
    auto inside = [&](const std::optional<MSSTrackingArea> &area) {
        const QRectF a = MSSNormalRect(area ? area->rect : QRectF());
        return area && a.width() > 0 && a.height() > 0 && p.x() >= a.x() && p.x() < a.x() + a.width()
            && p.y() >= a.y() && p.y() < a.y() + a.height();
    };
    for (const auto &s : selectors_) {
        for (const auto &h : s->handles()) {
            if (inside(h->trackingArea()))
                return h->trackingArea()->cursor;
        }
    }
    for (const auto &s : selectors_) {
        if (inside(s->trackingArea()))
            return s->trackingArea()->cursor;
    }
    return MSSCursor::Arrow;
}
