#pragma once
// What painting a card side asks of the main window controller: the side's card and a refresh
// of its canvas. The controller sits at the top of the layering, so the core talks to it only
// through this interface: the controller installs its implementation at start-up, tests
// install fakes, and without one the core falls back to harmless defaults (no canvas to
// refresh, no card to paint). The model announces its own changes through its observers.

#include <QRectF>
#include <QString>

class QPainter;
class SKTGraphic;
class Card_Property;

class CoreHub {
public:
    virtual ~CoreHub() = default;

    // Marks the current side's canvas for redisplay.
    virtual void Refresh_Canvas() {}
    // Bounds of the front canvas: the card's rectangle at the origin. Empty when there is none.
    virtual QRectF frontCanvasBounds() { return {}; }
    // The card properties of the side being painted and the card outline code
    // (0 rectangle, 1 rounded rectangle, 2 ellipse). Without a side nothing is painted.
    virtual const Card_Property *currentCardProperty() { return nullptr; }
    virtual int currentCardShape() { return 0; }
    // Paint the current side's card under and over its controls, over the whole card rectangle
    // (the dirty rectangle is not used). Canvas and side renderer call these.
    virtual void Card_Base_Drawing(QPainter &painter, const QRectF &dirtyRect);
    virtual void Card_Border_Drawing(QPainter &painter, const QRectF &dirtyRect);
};

// Builds the picture of a barcode control from its stored settings. The barcode library
// installs one; without it the canvas shows the stored sample picture.
class BarcodeImageProvider {
public:
    virtual ~BarcodeImageProvider() = default;
    // Encodes `value` with the control's settings and stores the picture in it
    // (Set_Barcode_image). False, with the control unchanged, when the value is refused.
    virtual bool Build_Barcode_Image(SKTGraphic &control, const QString &value) = 0;
};
// The installed provider or nullptr.
BarcodeImageProvider *barcodeImageProvider();
// Installs a provider (not owned) and returns the previous one.
BarcodeImageProvider *setBarcodeImageProvider(BarcodeImageProvider *provider);

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
