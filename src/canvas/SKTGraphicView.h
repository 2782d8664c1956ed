#pragma once
// The canvas on which one card side is designed. It owns no controls: it is bound to one of the
// document's three control arrays (front, back, temp) and keeps that side's selection as
// indexes. It draws the card base, the controls from the last index to index 0 (so index 0 lies
// on top), the selection handles (red on a locked control), the card border, the grid and the
// marquee, and it repaints only the areas a change touches.
//
// Geometry is in card points (72 per inch), origin at the card's top-left corner, y downward.
// The zooming scroll view sets a scale; the widget is then the card's size times that scale,
// while the canvas's own bounds stay the card's size.
//
// Mouse work runs as press / move / release states: creating with a drawing tool, moving the
// selection (after 2 points of travel, snapped to the grid), resizing by a handle, marquee
// selection, or swallowing a Ctrl-click that deselected. Ctrl stands where other platforms use
// Command. What the canvas asks of the main window goes through CanvasRequests, and the
// visitor and group entry panels through LiveModePanel.

#include "core/ControlArchive.h"
#include "core/SKTGraphic.h"
#include "canvas/SKTGrid.h"
#include "core/SKTPasteboard.h"

#include <QPointer>
#include <QRectF>
#include <QSizeF>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <vector>

class Card_Property;
class QMenu;
class QMimeData;
class SKTDocument;
class SKTZoomingScrollView;

inline const QString SKTGraphicViewGraphicsBindingName = QStringLiteral("graphics");
inline const QString SKTGraphicViewGraphicsBindingName_back = QStringLiteral("graphics_back");
inline const QString SKTGraphicViewGraphicsBindingName_temp = QStringLiteral("graphics_temp");
inline const QString SKTGraphicViewSelectionIndexesBindingName = QStringLiteral("selectionIndexes");
inline const QString SKTGraphicViewGridBindingName = QStringLiteral("grid");
inline constexpr double SKTGraphicViewDefaultPasteCascadeDelta = 10.0;

// The click point of the last selection click, shared by every canvas.
extern QPointF mouse_select_point;

// Selection indexes: ascending, without repeats.
using SKTIndexSet = std::vector<int>;

class SKTGraphicView : public QWidget {
    Q_OBJECT
public:
    explicit SKTGraphicView(QWidget *parent = nullptr);
    ~SKTGraphicView() override;

    // --- binding ---
    // Binds the canvas to a side's array of the document (0 front, 1 back, 2 temp); any earlier
    // list binding is dropped first. The selection starts empty.
    void bindGraphics(SKTDocument *document, int side);
    void unbindGraphics();
    bool isBound() const { return _document != nullptr; }
    SKTDocument *document() const { return _document; }
    // 0 front, 1 back, 2 temp; -1 while unbound.
    int side() const { return _document ? _side : -1; }
    // "F" for the front canvas, "B" for the back canvas, after the current side otherwise.
    QString sideCode() const;

    void setGrid(SKTGrid *grid);
    SKTGrid *grid() const { return _grid; }

    // --- the card frame and zoom ---
    // The card's size in points; the canvas's bounds are (0, 0, size).
    void setCanvasSize(const QSizeF &size);
    QRectF canvasBounds() const { return QRectF(QPointF(0, 0), _canvasSize); }
    // The card properties painted under and over the controls (not owned); none paints no card.
    void setCardProperty(const Card_Property *card);
    const Card_Property *cardProperty() const { return _cardProperty; }
    // Pixels per point on screen (1 = 100 %); the widget's size follows.
    void setScale(double factor);
    double scale() const { return _scale; }
    QPointF pointFromWidget(QPointF widgetPos) const { return widgetPos / _scale; }
    QRectF widgetRectFromPoints(const QRectF &points) const;

    // --- access ---
    const SKTGraphicArray &graphics() const;
    SKTIndexSet selectionIndexes() const { return _selection; }
    // Writes the selection (indexes beyond the list are dropped) and enables the same-size
    // buttons for two or more selected controls. False on an unbound canvas.
    bool changeSelectionIndexes(const SKTIndexSet &indexes);
    SKTGraphicArray selectedGraphics() const;
    SKTGraphic *Selected_Graphic() const { return _Selected_Graphic; }
    void Set_Selected_Graphic(SKTGraphic *graphic) { _Selected_Graphic = graphic; }
    SKTGraphic *creatingGraphic() const { return _creatingGraphic.get(); }
    bool isHidingHandles() const { return _isHidingHandles; }
    QRectF marqueeSelectionBounds() const { return _marqueeSelectionBounds; }
    QPointF pasteCascadeDelta() const { return _pasteCascadeDelta; }

    // Marks an area of the card (points) for repainting.
    void setNeedsDisplayInRect(const QRectF &pointsRect);

    // --- ruler echo (the enclosing scroll view's rulers, when shown) ---
    void beginEchoingMoveToRulers(const QRectF &rect);
    void continueEchoingMoveToRulers(const QRectF &rect);
    void stopEchoingMoveToRulers();
    QRectF rulerEchoedBounds() const { return _rulerEchoedBounds; }

    // In-place editing: no control kind offers an editor, so these change nothing.
    void startEditingGraphic(SKTGraphic *graphic);
    void stopEditing() {}

    // --- hit-testing ---
    static double distanceBetweenPointA(QPointF a, QPointF b);
    static bool isPointNearToLineSegment(QPointF point, QPointF a, QPointF b, double margin);
    struct Hit {
        SKTGraphicPtr graphic;
        int index = -1;
        bool isSelected = false;
        qint64 handle = SKTGraphicNoHandle;
    };
    // The frontmost visible control under the point (canvas points), or none.
    std::optional<Hit> graphicUnderPoint(QPointF point) const;
    // Visible controls whose drawing bounds meet the rectangle; the frontmost becomes current.
    SKTIndexSet indexesOfGraphicsIntersectingRect(const QRectF &rect);

    // --- creating controls ---
    // Makes a control of the current tool's kind (or `kind` for the arrow tool). With
    // `eventPoint` the control starts there with no size and the mouse drag that follows sizes
    // it; the creation ends at the release. Without one, it is placed at once.
    void createGraphicOfClass(SKTGraphicKind kind, const QPointF *eventPoint, bool use_rect, const QRectF &bound_rect,
                              const QString &card_side, const QString &ctrl_value, const QString &ctrl_ID);
    // Puts the value into the side's text or picture control with that id, creating it when
    // it is missing.
    void ReplaceGraphicText(SKTGraphicKind kind, bool use_rect, const QRectF &bound_rect, const QString &card_side,
                            const QString &ctrl_value, const QString &ctrl_ID);
    // The control kind a tool code makes (0 and unknown codes: none).
    static std::optional<SKTGraphicKind> currentGraphicClass(int tool);

    // --- keyboard and deleting ---
    void moveSelectedGraphicsByX(double x, double y);
    void hideHandlesMomentarily();
    void unhideHandlesForTimer();
    void deleteSelection();  // delete:, deleteBackward:, deleteForward:

    // --- commands ---
    void copy();
    void cut();
    void paste();
    // Puts a picture from the clipboard on the card at the next new-control point; its file is
    // written to "Images_save_by_user" in the data folder. False when there is no picture.
    bool makeNewImageFromPasteboard(const QMimeData *data);
    bool makeNewImageFromContentsOfFile(const QString &path, QPointF point);
    // Whether the action of that name (the context menu's and the edit menu's) is available now.
    bool validateMenuItem(const QString &action, QString *title = nullptr) const;
    void undo();
    void redo();
    void alignformCenter();
    void alignLeftEdges();
    void alignRightEdges();
    void alignTopEdges();
    void alignBottomEdges();
    void alignHorizontalCenters();
    void alignVerticalCenters();
    void alignWithGrid();
    void print_contol_or_not(int flag);
    void bringToFront();
    void sendToBack();
    // Frame fields: positions in points; width and height in the unit the panel shows them in
    // (0 inches, 1 centimetres, any other value millimetres).
    void Frame_main_Pic_X_Pos_Changed(double points);
    void Frame_main_Pic_Y_Pos_Changed(double points);
    void Frame_main_Pic_Wdith_Changed(double value, int unit);
    void Frame_main_Pic_Height_Changed(double value, int unit);
    void makeSameWidth();
    void makeSameHeight();
    void makeNaturalSize();
    void makeSameAsLabelSize();
    void selectAll();
    void deselectAll();
    void Clear_Control_Selection() { deselectAll(); }
    void Refresh_ScrollView();
    void showOrHideRulers();
    bool rulersVisible() const;
    void delete_all_control();
    void delete_all_Text_control();
    void show_hide_grid_lines();
    SKTGraphic *Selcect_Ctrl_With_ID(const QString &ID) const;
    void Set_Selection_Index_According_ID(const QString &ID);
    void Hide_all_Text_control_FUP_Control();
    void Hide_all_Value_control_FUP_Control();
    bool There_Is_Any_Lock_Contrl() const;
    bool There_Is_Frame_Pic_Or_Frame_Photo() const;

    // The context menu ("Contextual Menu") with its 21 items; caller owns it.
    QMenu *contextMenu();

    // The enclosing zooming scroll view, if any.
    SKTZoomingScrollView *zoomingScrollView() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

signals:
    // The selected indexes changed, whatever changed them (a click, a command, the list).
    void selectionChanged();

private:
    struct Observed {
        SKTGraphicPtr graphic;
        int id = 0;
    };
    enum class Track { None, Create, Move, Resize, Marquee, Swallow };

    SKTGraphicArray &emptyList() const;
    void documentChanged(const QString &key);
    void syncObservedGraphics(bool markAll);
    void stopObservingAll();
    void observeGraphic(const SKTGraphicPtr &graphic);
    void graphicChanged(SKTGraphic &graphic, const QString &key, const QVariant &oldValue, const QVariant &newValue);
    void setSelectionQuietly(const SKTIndexSet &indexes);
    void markSelectionChange(const SKTIndexSet &before, const SKTIndexSet &after);
    void insertGraphics(const SKTGraphicArray &graphics, const std::vector<int> &indexes);
    void removeGraphics(const std::vector<int> &indexes);
    int indexOf(const SKTGraphic *graphic) const;
    bool rulersShown() const;
    void snapshot();

    void selectAndTrackMouse(QPointF point, bool command);
    void startMove(QPointF point);
    void continueMove(QPointF point);
    void endMove();
    void startResize(const SKTGraphicPtr &graphic, qint64 handle, QPointF point);
    void continueResize(QPointF point);
    void endResize();
    void continueMarquee(QPointF point);
    void endMarquee();
    void finishCreation();
    void visitorFocus();
    // Moves the selected controls to the origins `place` gives (reference bounds, own bounds,
    // number selected); unlocked ones only, from the second selected when `fromSecond` and two
    // or more are selected.
    void alignSelection(bool fromSecond, const std::function<QPointF(const QRectF &, const QRectF &, int)> &place);
    void reorderSelection(bool toFront);
    QImage sampleImage(const QString &name) const;

    SKTDocument *_document = nullptr;
    int _side = 0;
    int _documentObserver = 0;
    std::vector<Observed> _observed;
    SKTIndexSet _selection;
    std::vector<std::weak_ptr<SKTGraphic>> _selectedObjects;
    QPointer<SKTGrid> _grid;
    QSizeF _canvasSize{243, 154};
    const Card_Property *_cardProperty = nullptr;
    double _scale = 1.0;

    QRectF _rulerEchoedBounds;
    SKTGraphicPtr _creatingGraphic;
    SKTGraphic *_Selected_Graphic = nullptr;
    QRectF _marqueeSelectionBounds;
    bool _isHidingHandles = false;
    QTimer _handleShowingTimer;
    SKTPasteCascade _paste;  // _pasteboardChangeCount, _pasteCascadeNumber
    QPointF _pasteCascadeDelta{SKTGraphicViewDefaultPasteCascadeDelta, SKTGraphicViewDefaultPasteCascadeDelta};

    // The drag in progress.
    struct Tracking {
        Track mode = Track::None;
        SKTGraphicPtr graphic;   // the control resized or created
        qint64 handle = SKTGraphicNoHandle;
        QPointF last;            // the last point the move took effect at
        QPointF offset;          // click point minus the selection's origin
        QRectF unionBounds;
        QRectF startBounds;      // the resized control's bounds when the drag began
        bool started = false;
        bool moved = false;
        bool echo = false;
        SKTIndexSet startSelection;
        QPointF anchor;
        bool showProperties = false;
        int tool = 0;
    } _track;
};
