#pragma once
// What the design core asks of the main window controller. The controller sits at the top of
// the layering, so the core talks to it only through this interface: the controller installs
// its implementation at start-up, tests install fakes, and without one the core falls back to
// harmless defaults (no panel to update, no canvas to refresh, no card to paint).

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;
class SKTGraphic;
class Card_Property;

// A path as the controls build it: the outline plus the stroke settings that travel with it.
// Filled and hit-tested by the non-zero winding rule.
struct SKTBezierPath {
    QPainterPath path;
    double lineWidth = 1.0;
    int lineCapStyle = 0;  // 0 butt, 1 round, 2 projecting square

    SKTBezierPath() { path.setFillRule(Qt::WindingFill); }
    bool isEmpty() const { return path.isEmpty(); }  // nothing but a lone move
};

// The bounding box of the rectangle turned by `angle` degrees about its centre (the centre
// rounded to single precision). Angle 0 answers the rectangle itself.
QRectF Rotated_Path_Rect(const QRectF &rect, float angle);
// The path turned by `angle` degrees about the point (a positive angle turns clockwise on the
// y-down canvas); angle 0 answers the path unchanged. Line width and cap are kept.
SKTBezierPath rotatedPath(const SKTBezierPath &path, double angle, QPointF aboutPoint);

class CoreHub {
public:
    virtual ~CoreHub() = default;

    // Marks the current side's canvas for redisplay.
    virtual void Refresh_Canvas() {}
    // Shows a control's position and size in the property panel; called at every bounds change.
    virtual void Set_Control_Pos_And_Size(SKTGraphic *) {}
    virtual QRectF Rotated_Path_Rect(const QRectF &rect, float angle) { return ::Rotated_Path_Rect(rect, angle); }
    virtual SKTBezierPath rotatedPath(const SKTBezierPath &path, double angle, QPointF aboutPoint)
    {
        return ::rotatedPath(path, angle, aboutPoint);
    }
    // Bounds of the front canvas: the card's rectangle at the origin. Empty when there is none.
    virtual QRectF frontCanvasBounds() { return {}; }
    // The main window's current text font and colour, which new controls take.
    virtual QFont All_Text_font();
    virtual QColor All_Text_clr() { return Qt::black; }

    // The card properties of the side being painted and the card outline code
    // (0 rectangle, 1 rounded rectangle, 2 ellipse). Without a side nothing is painted.
    virtual const Card_Property *currentCardProperty() { return nullptr; }
    virtual int currentCardShape() { return 0; }
    // Paint the current side's card under and over its controls, over the whole card rectangle
    // (the dirty rectangle is not used). Canvas and side renderer call these.
    virtual void Card_Base_Drawing(QPainter &painter, const QRectF &dirtyRect);
    virtual void Card_Border_Drawing(QPainter &painter, const QRectF &dirtyRect);

    // Picture services of the image, signature and barcode controls.
    // The picture of a file as the controls load it (longer side at most 500 pixels, the file's
    // orientation applied); a null image when no picture can be read there.
    virtual QImage Get_Image_For_Path(const QString &path, bool asIcon);
    // A stored path made to point into this installation's resources; by default only trimmed.
    virtual QString Check_Path_For_App_Resources(const QString &path);
    // The image control's loaded picture through the filter chain with the control's settings.
    virtual QImage Get_Image_With_Update_Settings(SKTGraphic &control);
    // Puts the property panel's image controls back to their defaults.
    virtual void Reset_Image_Editing_Controls() {}
};

// The installed hub, or the built-in fallback.
CoreHub &coreHub();
// Installs a hub (not owned) and returns the previous one (nullptr for the fallback).
CoreHub *setCoreHub(CoreHub *hub);

// Marks the span of a drawing pass. Controls ask for a canvas refresh at the end of their
// drawing; inside a pass that request would schedule the next paint from within the current
// one, forever, so it is dropped: the pass in progress already shows the control.
class ScopedPaintPass {
public:
    ScopedPaintPass();
    ~ScopedPaintPass();
    ScopedPaintPass(const ScopedPaintPass &) = delete;
    ScopedPaintPass &operator=(const ScopedPaintPass &) = delete;
    static bool active();
};

// A control's refresh request: forwarded to the hub unless a drawing pass is in progress.
void requestCanvasRefresh();
