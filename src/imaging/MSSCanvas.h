#pragma once
// The transparent view laid over a drawn picture on which crop rectangles are drawn, moved,
// resized, selected and deleted, and its controller, which owns the rectangles and answers
// the canvas's mouse and keys. The rectangles' model is in MSSSelector.h.

#include "imaging/MSSSelector.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

class MSSCanvasController;

class MSSCanvas : public QWidget, public MSSSelectorCanvas {
    Q_OBJECT
public:
    explicit MSSCanvas(QWidget *parent = nullptr);

    bool allowIntersections() const override { return allowIntersections_; }
    void setAllowIntersections(bool allow) { allowIntersections_ = allow; }
    MSSCanvasController *delegate() const { return delegate_; }
    void setDelegate(MSSCanvasController *delegate) { delegate_ = delegate; }

    QSizeF canvasSize() const override { return QSizeF(size()); }
    MSSCanvasDelegate *canvasDelegate() const override;
    // A point of the widget in canvas coordinates (origin lower left, y upwards).
    QPointF canvasPoint(const QPointF &widgetPoint) const { return QPointF(widgetPoint.x(), height() - widgetPoint.y()); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool allowIntersections_ = true;
    QPointer<MSSCanvasController> delegate_;
};

class MSSCanvasController : public QObject, public MSSCanvasDelegate {
    Q_OBJECT
public:
    // The canvas is laid over `contentView`, normally an MSSScaledImage, and follows it.
    MSSCanvasController(MSSCanvas *canvas, QWidget *contentView, QObject *parent = nullptr);
    ~MSSCanvasController() override;

    MSSCanvas *view() const { return canvas_; }
    QWidget *contentView() const { return contentView_; }
    void setContentView(QWidget *contentView);

    void prepareController();
    void resetCanvas() { arrangeCanvas(); }
    void arrangeCanvas();
    // The drawn picture's rectangle in the content view (y upwards); the bounds of any other view.
    QRectF canvasFrame() const;

    // Canvas points; `command` is the platform's shortcut modifier (Ctrl here).
    void mouseDown(const QPointF &p, bool command);
    void mouseDragged(const QPointF &p);
    void mouseUp();
    void keyDown(int key, Qt::KeyboardModifiers modifiers);

    QRectF defaultRectForFrame(const QRectF &frame) const override { return MSSNormalRect(frame); }
    void addSelectorWithFrame(const QRectF &frame);
    void setPickerWithFrame(const QRectF &frame);
    void removeAllSelectorsFromCanvas();
    void removeMarkedSelectorsFromCanvas();
    void markAllSelected(bool redraw);
    void markAllUnselected(bool redraw);
    void canvasHasChanged() {}

    bool hasSelectors() const { return !selectors_.empty(); }
    bool hasSelector() const { return currentSelector_ != nullptr; }
    std::vector<MSSSelector *> selectors() const override;
    MSSSelector *currentSelector() const { return currentSelector_; }
    void setCurrentSelector(MSSSelector *selector) { currentSelector_ = selector; }

    std::shared_ptr<MSSSelectorStyle> selectorStyle() const override { return selectorStyle_; }
    void setSelectorStyle(std::shared_ptr<MSSSelectorStyle> style) { selectorStyle_ = std::move(style); }
    std::shared_ptr<MSSHandleStyle> handleStyle() const override { return handleStyle_; }
    void setHandleStyle(std::shared_ptr<MSSHandleStyle> style) { handleStyle_ = std::move(style); }
    bool singleSelectionMode() const { return singleSelectionMode_; }
    void setSingleSelectionMode(bool on) { singleSelectionMode_ = on; }
    QObject *contentExtractor() const { return contentExtractor_; }
    void setContentExtractor(QObject *extractor) { contentExtractor_ = extractor; }
    bool cursorCanBeChanged() const { return cursorCanBeChanged_; }
    void setCursorCanBeChanged(bool can) { cursorCanBeChanged_ = can; }

    // The cursor for a canvas point: a handle's, a selector's inner part's, else the arrow.
    MSSCursor cursorAt(const QPointF &p) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void redraw();
    void discard(MSSSelector *selector);

    bool singleSelectionMode_ = false;
    bool cursorCanBeChanged_ = true;
    std::shared_ptr<MSSSelectorStyle> selectorStyle_;
    std::shared_ptr<MSSHandleStyle> handleStyle_;
    QPointer<MSSCanvas> canvas_;
    QPointer<QWidget> contentView_;
    QPointer<QObject> contentExtractor_;
    std::vector<std::unique_ptr<MSSSelector>> selectors_;
    std::unique_ptr<MSSSelector> picker_;  // never in the list
    MSSSelector *currentSelector_ = nullptr;
};
