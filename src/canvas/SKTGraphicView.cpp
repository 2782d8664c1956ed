#include "canvas/SKTGraphicView.h"

#include "core/CardSide.h"
#include "core/ControllerImageFiles.h"
#include "canvas/CanvasRequests.h"
#include "canvas/LiveModePanel.h"
#include "core/CoreHub.h"
#include "core/Globals.h"
#include "core/SKTBarcode.h"
#include "core/SKTDocument.h"
#include "canvas/SKTGrid.h"
#include "core/SKTImage.h"
#include "core/SKTLine.h"
#include "core/SKTSignature.h"
#include "core/SKTText.h"
#include "canvas/SKTZoomingScrollView.h"
#include "core/Shape_Control.h"
#include "core/Utilities.h"
#include "platform/Paths.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

QPointF mouse_select_point;

namespace {

constexpr double kMoveThreshold = 2.0;
const QString kLockedMessage = QStringLiteral("Selected control is locked.");

bool isTextOrImage(const SKTGraphic &g)
{
    return g.kind() == SKTGraphicKind::Text || g.kind() == SKTGraphicKind::Image;
}

bool liveMode() { return Start_Card_Option == QLatin1String("V") || Start_Card_Option == QLatin1String("G"); }

SKTIndexSet normalised(SKTIndexSet s)
{
    std::sort(s.begin(), s.end());
    s.erase(std::unique(s.begin(), s.end()), s.end());
    return s;
}

bool contains(const SKTIndexSet &s, int i) { return std::binary_search(s.begin(), s.end(), i); }

}  // namespace

// --- construction and binding ---

SKTGraphicView::SKTGraphicView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SKTGraphicView"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    _handleShowingTimer.setSingleShot(true);
    _handleShowingTimer.setInterval(500);
    connect(&_handleShowingTimer, &QTimer::timeout, this, &SKTGraphicView::unhideHandlesForTimer);
    setCanvasSize(_canvasSize);
}

SKTGraphicView::~SKTGraphicView()
{
    _handleShowingTimer.stop();
    unbindGraphics();
}

void SKTGraphicView::bindGraphics(SKTDocument *document, int side)
{
    unbindGraphics();
    if (!document)
        return;
    _document = document;
    _side = (side == 1 || side == 2) ? side : 0;
    _documentObserver = _document->addDocumentObserver([this](const QString &key) { documentChanged(key); });
    syncObservedGraphics(true);
    update();
}

void SKTGraphicView::unbindGraphics()
{
    if (_document)
        _document->removeDocumentObserver(_documentObserver);
    stopObservingAll();
    _document = nullptr;
    _documentObserver = 0;
    const bool hadSelection = !_selection.empty();
    _selection.clear();
    _selectedObjects.clear();
    _Selected_Graphic = nullptr;
    update();
    if (hadSelection)
        emit selectionChanged();
}

QString SKTGraphicView::sideCode() const
{
    if (_document && _side == 1)
        return QStringLiteral("B");
    if (_document && _side == 0)
        return QStringLiteral("F");
    return Card_Front_Or_Back == 1 ? QStringLiteral("B") : QStringLiteral("F");
}

void SKTGraphicView::setGrid(SKTGrid *grid)
{
    if (grid == _grid)
        return;
    if (_grid)
        disconnect(_grid, nullptr, this, nullptr);
    _grid = grid;
    if (_grid)
        connect(_grid, &SKTGrid::anyChanged, this, [this] { update(); });
    update();
}

SKTGraphicArray &SKTGraphicView::emptyList() const
{
    static SKTGraphicArray none;
    none.clear();
    return none;
}

const SKTGraphicArray &SKTGraphicView::graphics() const
{
    return _document ? _document->graphicsOfSide(_side) : emptyList();
}

void SKTGraphicView::documentChanged(const QString &key)
{
    static const QString keys[3] = {SKTDocumentGraphicsKey, SKTDocumentGraphicsKey_back, SKTDocumentGraphicsKey_temp};
    if (key == keys[_side])
        syncObservedGraphics(false);
}

// Follows the bound list: controls that left it are no longer observed and their area is
// repainted, new ones are observed and painted. The selection keeps the controls it held.
void SKTGraphicView::syncObservedGraphics(bool markAll)
{
    const SKTGraphicArray &list = graphics();
    std::vector<Observed> kept;
    for (Observed &o : _observed) {
        if (std::find(list.begin(), list.end(), o.graphic) != list.end()) {
            kept.push_back(o);
        } else {
            o.graphic->removeObserver(o.id);
            setNeedsDisplayInRect(o.graphic->drawingBounds());
        }
    }
    _observed = std::move(kept);
    for (const SKTGraphicPtr &g : list) {
        const bool known = std::any_of(_observed.begin(), _observed.end(),
                                       [&](const Observed &o) { return o.graphic == g; });
        if (g && !known) {
            observeGraphic(g);
            setNeedsDisplayInRect(g->drawingBounds());
        }
    }
    if (_Selected_Graphic && indexOf(_Selected_Graphic) < 0)
        _Selected_Graphic = nullptr;  // never point at a control that has left the side
    SKTIndexSet selection;
    std::vector<std::weak_ptr<SKTGraphic>> objects;
    for (const auto &weak : _selectedObjects) {
        const SKTGraphicPtr g = weak.lock();
        const int i = g ? indexOf(g.get()) : -1;
        if (i >= 0)
            selection.push_back(i);
    }
    setSelectionQuietly(normalised(selection));
    if (markAll)
        update();
}

void SKTGraphicView::stopObservingAll()
{
    for (Observed &o : _observed)
        o.graphic->removeObserver(o.id);
    _observed.clear();
}

void SKTGraphicView::observeGraphic(const SKTGraphicPtr &graphic)
{
    const int id = graphic->addObserver(
        [this](SKTGraphic &g, const QString &key, const QVariant &oldValue, const QVariant &newValue) {
            graphicChanged(g, key, oldValue, newValue);
        });
    _observed.push_back({graphic, id});
}

void SKTGraphicView::graphicChanged(SKTGraphic &graphic, const QString &key, const QVariant &oldValue,
                                    const QVariant &newValue)
{
    if (key == SKTGraphicBoundsKey) {
        canvasRequests().Set_Control_Pos_And_Size(&graphic);
    } else if (key == SKTGraphicDrawingBoundsKey) {
        setNeedsDisplayInRect(oldValue.toRectF());
        setNeedsDisplayInRect(newValue.toRectF());
    } else if (key == SKTGraphicDrawingContentsKey) {
        setNeedsDisplayInRect(graphic.drawingBounds());
    }
}

int SKTGraphicView::indexOf(const SKTGraphic *graphic) const
{
    const SKTGraphicArray &list = graphics();
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].get() == graphic)
            return int(i);
    }
    return -1;
}

// --- frame and zoom ---

void SKTGraphicView::setCardProperty(const Card_Property *card)
{
    _cardProperty = card;
    update();
}

void SKTGraphicView::setCanvasSize(const QSizeF &size)
{
    _canvasSize = size;
    setScale(_scale);
}

void SKTGraphicView::setScale(double factor)
{
    if (!(factor > 0))
        return;
    _scale = factor;
    // Held to what a widget can be, whatever size the card claims.
    const auto side = [this](double points) {
        const double px = std::ceil(points * _scale);
        return px >= 0 ? int(std::min(px, double(QWIDGETSIZE_MAX))) : 0;
    };
    const QSize pixels(side(_canvasSize.width()), side(_canvasSize.height()));
    setFixedSize(pixels);
    update();
}

QRectF SKTGraphicView::widgetRectFromPoints(const QRectF &points) const
{
    return QRectF(points.topLeft() * _scale, points.size() * _scale);
}

void SKTGraphicView::setNeedsDisplayInRect(const QRectF &pointsRect)
{
    if (pointsRect.isNull())
        return;
    // Only the part on the widget: a rectangle far off it would not fit the int of a pixel.
    const QRectF dirty = widgetRectFromPoints(pointsRect).adjusted(-1, -1, 1, 1) & QRectF(rect());
    if (!dirty.isEmpty())
        update(dirty.toAlignedRect());
}

// --- selection ---

void SKTGraphicView::setSelectionQuietly(const SKTIndexSet &indexes)
{
    const SKTGraphicArray &list = graphics();
    SKTIndexSet valid;
    for (int i : indexes) {
        if (i >= 0 && i < int(list.size()))
            valid.push_back(i);
    }
    valid = normalised(valid);
    const SKTIndexSet before = _selection;
    _selection = valid;
    _selectedObjects.clear();
    for (int i : _selection)
        _selectedObjects.push_back(list[std::size_t(i)]);
    markSelectionChange(before, _selection);
    if (before != _selection)
        emit selectionChanged();
}

void SKTGraphicView::markSelectionChange(const SKTIndexSet &before, const SKTIndexSet &after)
{
    const SKTGraphicArray &list = graphics();
    auto mark = [&](const SKTIndexSet &from, const SKTIndexSet &notIn) {
        for (int i : from) {
            if (!contains(notIn, i) && i < int(list.size()))
                setNeedsDisplayInRect(list[std::size_t(i)]->drawingBounds());
        }
    };
    mark(before, after);
    mark(after, before);
}

bool SKTGraphicView::changeSelectionIndexes(const SKTIndexSet &indexes)
{
    if (!_document) {
        Show_NSLog_Message(QStringLiteral("An SKTGraphicView's 'selectionIndexes' property is not bound to anything."));
        return false;
    }
    setSelectionQuietly(indexes);
    canvasRequests().Enable_Same_Size_Buttons(_selection.size() >= 2);
    return true;
}

SKTGraphicArray SKTGraphicView::selectedGraphics() const
{
    SKTGraphicArray out;
    const SKTGraphicArray &list = graphics();
    for (int i : _selection) {
        if (i < int(list.size()))
            out.push_back(list[std::size_t(i)]);
    }
    return out;
}

void SKTGraphicView::insertGraphics(const SKTGraphicArray &list, const std::vector<int> &indexes)
{
    if (_document)
        _document->insertGraphicsOnSide(_side, list, indexes);
}

void SKTGraphicView::removeGraphics(const std::vector<int> &indexes)
{
    if (_document)
        _document->removeGraphicsOnSide(_side, indexes);
}

void SKTGraphicView::snapshot() { canvasRequests().Insert_In_Undo_Redo(); }

// --- drawing ---

void SKTGraphicView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(_scale, _scale);
    const QRectF dirty = QRectF(QRectF(event->rect()).topLeft() / _scale, QRectF(event->rect()).size() / _scale)
                             .adjusted(-1, -1, 1, 1);

    const SKTGraphicArray list = graphics();  // read once per pass
    const SKTIndexSet selection = _selection;
    ControlPaintOptions options;
    options.card = _cardProperty;
    options.cardShape = _cardProperty ? Card_Outline_Code(*_cardProperty) : 0;
    options.cardRect = canvasBounds();
    options.clipToBounds = true;
    options.dirty = dirty;
    options.creating = _creatingGraphic.get();
    if (!_isHidingHandles)
        options.hasHandles = [&selection](int i) { return contains(selection, i); };
    SKTGraphic *frontmostSelected = Paint_Controls(painter, Graphic_Pointers(list), options);
    if (!_Selected_Graphic && frontmostSelected)
        _Selected_Graphic = frontmostSelected;

    if (_grid)
        _grid->drawRect(painter, dirty.intersected(canvasBounds()));
    if (!_marqueeSelectionBounds.isNull()) {
        QPen pen(palette().color(QPalette::Dark), 1.0);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.drawRect(_marqueeSelectionBounds);
    }
}

// --- ruler echo ---

bool SKTGraphicView::rulersShown() const
{
    const SKTZoomingScrollView *view = zoomingScrollView();
    return view && view->rulersVisible();
}

SKTZoomingScrollView *SKTGraphicView::zoomingScrollView() const
{
    for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        if (auto *view = qobject_cast<SKTZoomingScrollView *>(w))
            return view;
    }
    return nullptr;
}

namespace {
void echoLines(SKTRulerView *ruler, double from0, double fromSize, double to0, double toSize)
{
    if (!ruler)
        return;
    const double from[3] = {from0, from0 + 0.5 * fromSize, from0 + fromSize};
    const double to[3] = {to0, to0 + 0.5 * toSize, to0 + toSize};
    for (int i = 0; i < 3; ++i)
        ruler->moveRulerlineFromLocation(from0 < 0 && fromSize < 0 ? -1.0 : from[i], to0 < 0 && toSize < 0 ? -1.0 : to[i]);
}
}  // namespace

void SKTGraphicView::beginEchoingMoveToRulers(const QRectF &rect)
{
    SKTZoomingScrollView *view = zoomingScrollView();
    if (view) {
        echoLines(view->horizontalRuler(), -1, -1, rect.x(), rect.width());
        echoLines(view->verticalRuler(), -1, -1, rect.y(), rect.height());
    }
    _rulerEchoedBounds = rect;
}

void SKTGraphicView::continueEchoingMoveToRulers(const QRectF &rect)
{
    SKTZoomingScrollView *view = zoomingScrollView();
    const QRectF old = _rulerEchoedBounds;
    if (view) {
        echoLines(view->horizontalRuler(), old.x(), old.width(), rect.x(), rect.width());
        echoLines(view->verticalRuler(), old.y(), old.height(), rect.y(), rect.height());
    }
    _rulerEchoedBounds = rect;
}

void SKTGraphicView::stopEchoingMoveToRulers()
{
    SKTZoomingScrollView *view = zoomingScrollView();
    const QRectF old = _rulerEchoedBounds;
    if (view) {
        echoLines(view->horizontalRuler(), old.x(), old.width(), -1, -1);
        echoLines(view->verticalRuler(), old.y(), old.height(), -1, -1);
    }
    _rulerEchoedBounds = QRectF();
}

void SKTGraphicView::startEditingGraphic(SKTGraphic *) {}

// --- hit-testing ---

double SKTGraphicView::distanceBetweenPointA(QPointF a, QPointF b)
{
    const float dx = float(a.x() - b.x());
    const float dy = float(a.y() - b.y());
    return double(std::sqrt(std::pow(dx, 2.0f) + std::pow(dy, 2.0f)));
}

bool SKTGraphicView::isPointNearToLineSegment(QPointF point, QPointF a, QPointF b, double margin)
{
    const double ab = distanceBetweenPointA(a, b);
    const double pa = distanceBetweenPointA(point, a);
    const double pb = distanceBetweenPointA(point, b);
    return margin > std::fabs(ab - pa - pb);
}

std::optional<SKTGraphicView::Hit> SKTGraphicView::graphicUnderPoint(QPointF point) const
{
    const SKTGraphicArray &list = graphics();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const SKTGraphicPtr &g = list[i];
        if (!g || !g->ctrl_is_visible)
            continue;
        bool nearLine = false;
        if (g->kind() == SKTGraphicKind::Line) {
            // The point asked about, not a point remembered from an earlier click.
            const auto *line = static_cast<const SKTLine *>(g.get());
            nearLine = isPointNearToLineSegment(point, line->endPoint(), line->beginPoint(), 0.5);
            if (!nearLine && g->handleUnderPoint(point) == SKTGraphicNoHandle)
                continue;
        } else if (!g->drawingBounds().contains(point)) {
            continue;
        }
        Hit hit{g, int(i), contains(_selection, int(i)), SKTGraphicNoHandle};
        if (hit.isSelected) {
            hit.handle = g->handleUnderPoint(point);
            if (hit.handle != SKTGraphicNoHandle)
                return hit;
        }
        // A level or upright line has no area of its own: being near it is what hits it.
        if (g->isContentsUnderPoint(point) || nearLine) {
            hit.handle = SKTGraphicNoHandle;
            return hit;
        }
    }
    return std::nullopt;
}

SKTIndexSet SKTGraphicView::indexesOfGraphicsIntersectingRect(const QRectF &rect)
{
    SKTIndexSet out;
    const SKTGraphicArray &list = graphics();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const SKTGraphicPtr &g = list[i];
        if (!g || !g->ctrl_is_visible || !g->drawingBounds().intersects(rect))
            continue;
        if (out.empty())
            _Selected_Graphic = g.get();
        out.push_back(int(i));
    }
    return out;
}

// --- mouse ---

std::optional<SKTGraphicKind> SKTGraphicView::currentGraphicClass(int tool)
{
    switch (tool) {
    case 1: return SKTGraphicKind::Line;
    case 2: return SKTGraphicKind::Text;
    case 3: case 4: case 5: case 6: case 7: case 13: case 14: case 15: return SKTGraphicKind::Shape;
    case 8: case 9: return SKTGraphicKind::Image;
    case 10: return SKTGraphicKind::Barcode;
    case 11: case 12: return SKTGraphicKind::Signature;
    default: return std::nullopt;
    }
}

void SKTGraphicView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || _track.mode != Track::None) {
        event->ignore();
        return;
    }
    setFocus(Qt::MouseFocusReason);
    stopEditing();
    const QPointF point = pointFromWidget(event->position());
    _track = Tracking{};
    if (const auto kind = currentGraphicClass(canvasRequests().Selected_Control_Tool())) {
        createGraphicOfClass(*kind, &point, false, QRectF(), sideCode(), QString(), QString());
        if (_track.mode == Track::None)  // nothing was started (an id already taken)
            canvasRequests().Show_RHS_Properties(_Selected_Graphic);
        return;
    }
    _Selected_Graphic = nullptr;
    selectAndTrackMouse(point, event->modifiers() & Qt::ControlModifier);
}

void SKTGraphicView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || _track.mode != Track::None) {
        event->ignore();
        return;
    }
    const QPointF point = pointFromWidget(event->position());
    if (currentGraphicClass(canvasRequests().Selected_Control_Tool())) {
        mousePressEvent(event);
        return;
    }
    stopEditing();
    _Selected_Graphic = nullptr;
    _track = Tracking{};
    if (const auto hit = graphicUnderPoint(point)) {
        // A double-click reaching a control not selected (the selection went with an Undo, and
        // no first click came before) selects it: the barcode window writes its OK into the
        // selection, which would otherwise miss the control the window was opened on.
        if (!hit->isSelected)
            changeSelectionIndexes({hit->index});
        _Selected_Graphic = hit->graphic.get();
        // The release of this click ends here, unless a window opens: a modal window takes that
        // release, and a canvas still waiting for it would drop the user's next press.
        _track.mode = Track::Swallow;
        if (hit->graphic->ctrl_is_visible && !hit->graphic->ctrl_is_locked) {
            startEditingGraphic(hit->graphic.get());
            if (hit->graphic->kind() == SKTGraphicKind::Barcode) {
                _track = Tracking{};
                canvasRequests().Open_Barcode_Window();
            }
        }
        return;
    }
    selectAndTrackMouse(point, event->modifiers() & Qt::ControlModifier);
}

void SKTGraphicView::selectAndTrackMouse(QPointF point, bool command)
{
    mouse_select_point = point;
    const auto hit = graphicUnderPoint(point);
    if (!hit) {
        if (!command)
            changeSelectionIndexes({});
        _track.mode = Track::Marquee;
        _track.startSelection = _selection;
        _track.anchor = point;
        return;
    }
    if (hit->handle != SKTGraphicNoHandle) {
        _Selected_Graphic = hit->graphic.get();
        _track.showProperties = true;
        startResize(hit->graphic, hit->handle, point);
        return;
    }
    bool nowSelected = hit->isSelected;
    if (command) {
        SKTIndexSet s = _selection;
        if (hit->isSelected)
            s.erase(std::remove(s.begin(), s.end(), hit->index), s.end());
        else
            s.push_back(hit->index);
        nowSelected = !hit->isSelected;
        changeSelectionIndexes(s);
    } else if (!hit->isSelected) {
        changeSelectionIndexes({hit->index});
        nowSelected = true;
    }
    if (nowSelected) {
        _Selected_Graphic = hit->graphic.get();
        _track.showProperties = true;
        startMove(point);
    } else {
        // The others stay selected: the frontmost of them becomes the current control, so the
        // panel keeps showing a selected control instead of clearing the selection.
        const SKTGraphicArray rest = selectedGraphics();
        _Selected_Graphic = rest.empty() ? nullptr : rest.front().get();
        _track.mode = Track::Swallow;
    }
}

void SKTGraphicView::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF point = pointFromWidget(event->position());
    switch (_track.mode) {
    case Track::Move: continueMove(point); break;
    case Track::Resize:
    case Track::Create: continueResize(point); break;
    case Track::Marquee: continueMarquee(point); break;
    case Track::Swallow:
    case Track::None: break;
    }
    // A drag that reaches the edge of the visible part scrolls the card along, so a control can
    // be taken anywhere on a zoomed card.
    if (_track.mode != Track::None && _track.mode != Track::Swallow)
        for (QWidget *w = parentWidget(); w; w = w->parentWidget())
            if (auto *area = qobject_cast<QScrollArea *>(w)) {
                const QPoint at = event->position().toPoint();
                area->ensureVisible(at.x(), at.y(), 16, 16);
                break;
            }
}

void SKTGraphicView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || _track.mode == Track::None) {
        event->ignore();
        return;
    }
    mouseMoveEvent(event);  // the release point counts as the last step of the drag
    const Track mode = _track.mode;
    switch (mode) {
    case Track::Move: endMove(); break;
    case Track::Resize:
        endResize();
        if (_track.graphic && _track.graphic->bounds() != _track.startBounds)
            snapshot();  // a resize is its own step in the history, like a move
        break;
    case Track::Create:
        endResize();
        finishCreation();
        break;
    case Track::Marquee: endMarquee(); break;
    case Track::Swallow:
    case Track::None: break;
    }
    const bool showProperties = _track.showProperties;
    _track = Tracking{};
    if (mode != Track::Create) {
        if (showProperties)
            canvasRequests().Show_RHS_Properties(_Selected_Graphic);
        visitorFocus();
    }
    canvasRequests().Show_RHS_Properties(_Selected_Graphic);
}

void SKTGraphicView::visitorFocus()
{
    if (!liveMode() || !_Selected_Graphic || _Selected_Graphic->control_ID.isEmpty())
        return;
    const QString id = _Selected_Graphic->control_ID;
    QWidget *textBox = liveModePanel().Get_text_box_of_visitor_mode(id);
    if (!textBox)
        return;
    QAbstractButton *check = id.contains(QLatin1String("_Photo")) ? nullptr : liveModePanel().Get_chk_box_of_visitor_mode(id);
    const bool enabled = !_Selected_Graphic->ctrl_is_locked;
    textBox->setEnabled(enabled);
    if (check)
        check->setEnabled(enabled);
    if (enabled)
        textBox->setFocus(Qt::OtherFocusReason);
}

void SKTGraphicView::startMove(QPointF point)
{
    _track.mode = Track::Move;
    const SKTGraphicArray selected = selectedGraphics();
    _track.unionBounds = boundsOfGraphics(Graphic_Pointers(selected));
    _track.echo = rulersShown();
    _track.last = point;
    _track.offset = point - _track.unionBounds.topLeft();
    if (_track.echo)
        beginEchoingMoveToRulers(_track.unionBounds);
}

void SKTGraphicView::continueMove(QPointF point)
{
    QPointF n = point;
    if (!_track.started) {
        if (std::fabs(n.x() - _track.last.x()) < kMoveThreshold && std::fabs(n.y() - _track.last.y()) < kMoveThreshold)
            return;
        _track.started = true;
        _isHidingHandles = true;
        setNeedsDisplayInRect(drawingBoundsOfGraphics(Graphic_Pointers(selectedGraphics())));
    }
    if (_grid)
        n = _grid->constrainedPoint(n - _track.offset) + _track.offset;
    if (n == _track.last)
        return;
    translateGraphics(Graphic_Pointers(selectedGraphics()), n.x() - _track.last.x(), n.y() - _track.last.y());
    _track.moved = true;
    if (_track.echo)
        continueEchoingMoveToRulers(QRectF(n - _track.offset, _track.unionBounds.size()));
    _pasteCascadeDelta += n - _track.last;
    _track.last = n;
}

void SKTGraphicView::endMove()
{
    if (_track.echo)
        stopEchoingMoveToRulers();
    if (_track.started) {
        _isHidingHandles = false;
        setNeedsDisplayInRect(drawingBoundsOfGraphics(Graphic_Pointers(selectedGraphics())));
        if (_track.moved)
            snapshot();
    }
    canvasRequests().Refresh_Canvas();
}

void SKTGraphicView::startResize(const SKTGraphicPtr &graphic, qint64 handle, QPointF point)
{
    _track.anchor = point;
    if (!graphic || graphic->ctrl_is_locked || graphic->kind() == SKTGraphicKind::Barcode) {
        _track.mode = _track.mode == Track::Create ? Track::Create : Track::Swallow;
        _track.graphic.reset();
        return;
    }
    if (_track.mode != Track::Create)
        _track.mode = Track::Resize;
    _track.graphic = graphic;
    _track.handle = handle;
    _track.startBounds = graphic->bounds();
    _track.echo = rulersShown();
    if (_track.echo)
        beginEchoingMoveToRulers(graphic->bounds());
}

void SKTGraphicView::continueResize(QPointF point)
{
    if (!_track.graphic)
        return;
    // A handle pressed and released where it was pressed is a click, not a drag: the handle's
    // edge is not pulled to the pointer, which sits a little inside the handle.
    if (_track.mode == Track::Resize && !_track.started) {
        if (point == _track.anchor)
            return;
        _track.started = true;
    }
    if (_grid)
        point = _grid->constrainedPoint(point);
    _track.handle = _track.graphic->resizeByMovingHandle(_track.handle, point);
    if (_track.echo)
        continueEchoingMoveToRulers(_track.graphic->bounds());
}

void SKTGraphicView::endResize()
{
    if (_track.echo)
        stopEchoingMoveToRulers();
}

void SKTGraphicView::continueMarquee(QPointF e)
{
    const QPointF a = _track.anchor;
    const QRectF r(std::min(a.x(), e.x()), std::min(a.y(), e.y()), std::fabs(e.x() - a.x()), std::fabs(e.y() - a.y()));
    if (r == _marqueeSelectionBounds)
        return;
    setNeedsDisplayInRect(_marqueeSelectionBounds.adjusted(-1, -1, 1, 1));
    _marqueeSelectionBounds = r;
    setNeedsDisplayInRect(r.adjusted(-1, -1, 1, 1));
    const SKTIndexSet inside = indexesOfGraphicsIntersectingRect(r);
    if (inside.empty())
        return;
    SKTIndexSet next = _track.startSelection;
    for (int i : inside) {
        auto it = std::find(next.begin(), next.end(), i);
        if (it != next.end())
            next.erase(it);
        else
            next.push_back(i);
    }
    changeSelectionIndexes(normalised(next));
}

void SKTGraphicView::endMarquee()
{
    setNeedsDisplayInRect(_marqueeSelectionBounds.adjusted(-1, -1, 1, 1));
    _marqueeSelectionBounds = QRectF();
    canvasRequests().Refresh_Canvas();
}

void SKTGraphicView::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = contextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void SKTGraphicView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left: moveSelectedGraphicsByX(-1, 0); break;
    case Qt::Key_Right: moveSelectedGraphicsByX(1, 0); break;
    case Qt::Key_Up: moveSelectedGraphicsByX(0, -1); break;
    case Qt::Key_Down: moveSelectedGraphicsByX(0, 1); break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace: deleteSelection(); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void SKTGraphicView::moveSelectedGraphicsByX(double x, double y)
{
    const SKTGraphicArray selected = selectedGraphics();
    if (!selected.empty()) {
        hideHandlesMomentarily();
        translateGraphics(Graphic_Pointers(selected), x, y);
    }
    snapshot();
}

void SKTGraphicView::hideHandlesMomentarily()
{
    _handleShowingTimer.start();  // restarts a pending one
    _isHidingHandles = true;
    setNeedsDisplayInRect(drawingBoundsOfGraphics(Graphic_Pointers(selectedGraphics())));
}

void SKTGraphicView::unhideHandlesForTimer()
{
    _handleShowingTimer.stop();
    _isHidingHandles = false;
    setNeedsDisplayInRect(drawingBoundsOfGraphics(Graphic_Pointers(selectedGraphics())));
}

bool SKTGraphicView::There_Is_Any_Lock_Contrl() const
{
    const SKTGraphicArray selected = selectedGraphics();
    return std::any_of(selected.begin(), selected.end(), [](const SKTGraphicPtr &g) { return g->ctrl_is_locked; });
}

void SKTGraphicView::deleteSelection()
{
    if (There_Is_Any_Lock_Contrl()) {
        Show_MessageBox(kLockedMessage);
        return;
    }
    const SKTGraphicArray selected = selectedGraphics();
    if (liveMode()) {
        for (const SKTGraphicPtr &g : selected) {
            if (!isTextOrImage(*g))
                continue;
            if (QAbstractButton *check = liveModePanel().Get_chk_box_of_visitor_mode(g->control_ID))
                check->setChecked(false);
            if (QWidget *box = liveModePanel().Get_text_box_of_visitor_mode(g->control_ID)) {
                if (auto *edit = qobject_cast<QLineEdit *>(box))
                    edit->setReadOnly(true);
                box->setEnabled(false);
            }
            if (g->kind() == SKTGraphicKind::Image)
                liveModePanel().Set_User_Image_Control(Card_Front_Or_Back == 1 ? 1 : 0, QString(), QImage(), QString());
        }
    }
    snapshot();
    removeGraphics(_selection);
    canvasRequests().Show_RHS_Properties(nullptr);
    snapshot();
}
