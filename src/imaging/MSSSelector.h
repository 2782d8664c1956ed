#pragma once
// The model of the crop rectangles drawn over a picture: selectors, their four corner handles
// and the styles both are drawn with. Plain classes: the widget canvas and its controller
// implement the two small interfaces below. Coordinates are points of the displayed picture
// from its lower-left corner, y upwards; while a selector is drawn or resized its width and
// height may be negative (the origin is then the corner following the mouse).

#include <QColor>
#include <QRectF>
#include <QSizeF>
#include <memory>
#include <optional>
#include <vector>

class QPainter;
class MSSSelector;

struct MSSSelectorStyle {
    bool lineDashedSelected = true;
    bool lineDashedUnselected = true;
    double minHeight = 20.0;
    double minWidth = 20.0;
    QColor strokeColorSelected = QColor(Qt::lightGray);
    QColor strokeColorUnselected = QColor(Qt::lightGray);
    QColor fillColorSelected = QColor::fromRgbF(0.0f, 0.2f, 1.0f, 0.1f);
    QColor fillColorUnselected = QColor(Qt::transparent);
    QColor strokeColorPicker = strokeColorSelected;
    QColor fillColorPicker = fillColorSelected;
    double lineWidthSelected = 1.0;
    double lineWidthUnselected = 1.0;
};

struct MSSHandleStyle {
    QColor strokeColor = QColor(Qt::white);
    QColor fillColor = QColor::fromRgbF(0.1054f, 0.4531f, 0.7929f, 1.0f);
    QSizeF size = QSizeF(8.5, 8.5);
};

// The cursor a region of the canvas shows while the mouse is over it.
enum class MSSCursor { Arrow, OpenHand, TopBottom, BottomTop, Crosshair };
struct MSSTrackingArea {
    QRectF rect;
    MSSCursor cursor = MSSCursor::Arrow;
};

struct MSSEdge {
    double position = 0;
    double size = 0;
};
struct MSSBoundaries {
    MSSEdge top, bottom, left, right;
};

// The controller, as the selectors see it.
class MSSCanvasDelegate {
public:
    virtual ~MSSCanvasDelegate() = default;
    virtual std::shared_ptr<MSSSelectorStyle> selectorStyle() const = 0;
    virtual std::shared_ptr<MSSHandleStyle> handleStyle() const = 0;
    virtual QRectF defaultRectForFrame(const QRectF &frame) const = 0;
    virtual std::vector<MSSSelector *> selectors() const = 0;
};

// The canvas, as the selectors see it.
class MSSSelectorCanvas {
public:
    virtual ~MSSSelectorCanvas() = default;
    virtual QSizeF canvasSize() const = 0;
    virtual bool allowIntersections() const = 0;
    virtual MSSCanvasDelegate *canvasDelegate() const = 0;
};

// The rectangle with non-negative width and height covering the same area.
QRectF MSSNormalRect(const QRectF &frame);

class MSSHandle {
public:
    // 1 top-left, 2 top-right, 3 bottom-left, 4 bottom-right; any other gets the zero rectangle.
    MSSHandle(qint64 type, MSSSelector *selector);

    void setStyle();
    void makeHandleFrameWithSelectorFrame();
    void drawPath(QPainter &painter);
    void updateTrackingArea();

    qint64 type() const { return type_; }
    QRectF frame() const { return frame_; }
    QRectF bounds() const { return bounds_; }
    MSSSelector *selector() const { return selector_; }
    const std::optional<MSSTrackingArea> &trackingArea() const { return trackingArea_; }
    void removeTrackingArea() { trackingArea_.reset(); }
    const std::shared_ptr<MSSHandleStyle> &handleStyle() const { return handleStyle_; }
    void setHandleStyle(std::shared_ptr<MSSHandleStyle> style) { handleStyle_ = std::move(style); }

private:
    qint64 type_;
    MSSSelector *selector_;
    std::optional<MSSTrackingArea> trackingArea_;
    std::shared_ptr<MSSHandleStyle> handleStyle_;
    QRectF frame_, bounds_;
};

class MSSSelector {
public:
    enum Action : qint64 { Resize = 1, Move = 2, Draw = 3 };

    MSSSelector(const QRectF &frame, MSSSelectorCanvas *canvas, bool asPicker);
    MSSSelector(const MSSSelector &) = delete;
    MSSSelector &operator=(const MSSSelector &) = delete;
    static std::unique_ptr<MSSSelector> selectorWithFrame(const QRectF &frame, MSSSelectorCanvas *canvas, bool asPicker)
    {
        return std::make_unique<MSSSelector>(frame, canvas, asPicker);
    }

    void setStyle();
    void Set_Selector_frame(const QRectF &frame) { frame_ = frame; }
    void Set_selector_show_or_not(bool show) { draw_selector_or_not = show; }
    bool isShown() const { return draw_selector_or_not; }

    void drawPath(QPainter &painter);
    void drawHandles(QPainter &painter);
    void setSelected();
    void setUnselected();

    // Hit tests; as the controller relies on, they also select, and pick the drag's action.
    bool intersectsFrame(const QRectF &rect);
    bool touchedHandle(const QRectF &rect);
    bool intersectsOthers(const std::vector<MSSSelector *> &others);

    void prepareAction(qint64 action);
    void makeOriginAtHandle();
    void prepareBoundaries();
    MSSBoundaries canvasBoundaries() const;

    void resizeToPoint(const QPointF &p);
    void moveSelectorToPoint(const QPointF &p);
    int verticalInBounds(const QRectF &frame) const;
    int horizontalInBounds(const QRectF &frame) const;
    bool touchedBoundaries();

    bool isBigEnough() const;
    bool canDropOnCanvas();
    void restoreOrigin();

    void updateTrackingArea();
    void removeTrackingAreas();
    void selectorHasChanged() { updateTrackingArea(); }

    const std::vector<std::unique_ptr<MSSHandle>> &handles() const { return handles_; }
    bool isSelected() const { return isSelected_; }
    bool isPicker() const { return isPicker_; }
    QRectF frame() const { return frame_; }
    MSSHandle *currentHandle() const { return currentHandle_; }
    MSSSelectorCanvas *canvas() const { return canvas_; }
    const std::optional<MSSTrackingArea> &trackingArea() const { return trackingArea_; }
    qint64 action() const { return action_; }
    const MSSBoundaries &boundaries() const { return boundaries_; }
    void setBoundaries(const MSSBoundaries &b) { boundaries_ = b; }
    QColor strokeColor() const { return strokeColor_; }
    void setStrokeColor(const QColor &c) { strokeColor_ = c; }
    QColor fillColor() const { return fillColor_; }
    void setFillColor(const QColor &c) { fillColor_ = c; }
    const std::shared_ptr<MSSSelectorStyle> &selectorStyle() const { return selectorStyle_; }
    void setSelectorStyle(std::shared_ptr<MSSSelectorStyle> style) { selectorStyle_ = std::move(style); }

private:
    MSSCanvasDelegate *delegate() const { return canvas_ ? canvas_->canvasDelegate() : nullptr; }
    QRectF normal(const QRectF &r) const;
    qint64 currentHandleType() const { return currentHandle_ ? currentHandle_->type() : 0; }

    bool draw_selector_or_not = true;
    bool isSelected_ = false;
    bool isPicker_ = false;
    std::vector<std::unique_ptr<MSSHandle>> handles_;
    qint64 action_ = 0;
    MSSHandle *currentHandle_ = nullptr;
    MSSSelectorCanvas *canvas_ = nullptr;
    std::optional<MSSTrackingArea> trackingArea_;
    QColor strokeColor_, fillColor_;
    std::shared_ptr<MSSSelectorStyle> selectorStyle_;
    QRectF frame_;
    MSSBoundaries boundaries_;
};
