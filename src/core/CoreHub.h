#pragma once
// What painting a card side asks of the main window controller: the side's card and a refresh
// of its canvas. The controller sits at the top of the layering, so the core talks to it only
// through this interface: the controller installs its implementation at start-up, tests
// install fakes, and without one the core falls back to harmless defaults (no canvas to
// refresh, no card to paint: NoWindowCoreHub). The model announces its own changes through its
// observers.

#include <QRectF>
#include <QString>

class QPainter;
class SKTGraphic;
class Card_Property;

class CoreHub {
public:
    virtual ~CoreHub() = default;

    // Marks the current side's canvas for redisplay.
    virtual void Refresh_Canvas() = 0;
    // Bounds of the front canvas: the card's rectangle at the origin. Empty when there is none.
    virtual QRectF frontCanvasBounds() = 0;
};

// The core with no window over it (renders away from the window, a subsystem's own tests): no
// canvas to refresh, no card.
class NoWindowCoreHub : public CoreHub {
public:
    void Refresh_Canvas() override {}
    QRectF frontCanvasBounds() override { return {}; }
};

// Builds the picture of a barcode control from its stored settings. The barcode library
// installs one; without it the canvas shows the stored sample picture.
// A barcode symbol encoded once for one value and set-up, kept by the control that shows it so
// that drawing the control again, at any resolution and on any thread, encodes nothing. Made and
// read by the provider only; immutable once made.
class PreparedBarcode {
public:
    virtual ~PreparedBarcode() = default;
};

class BarcodeImageProvider {
public:
    virtual ~BarcodeImageProvider() = default;
    // Encodes `value` with the control's settings and stores the picture in it
    // (Set_Barcode_image), with the encoded symbol for later painting. A refused value leaves the
    // control with no picture and answers false: a batch must never print the barcode of the row
    // before.
    virtual bool Build_Barcode_Image(SKTGraphic &control, const QString &value) = 0;
    // Paints the control's barcode from its stored set-up at `topLeft` (points of the painter)
    // at the resolution of the painter's device. False when nothing was painted. Called on any
    // thread: it reads the control only.
    virtual bool Paint_Barcode(const SKTGraphic &control, QPainter &painter, QPointF topLeft) const = 0;
    // The pixels of the picture Build_Barcode_Image would make, without making it (0 for none).
    virtual double Barcode_Picture_Pixels(const SKTGraphic &, const QString &) const { return 0; }
};
// The installed provider or nullptr.
BarcodeImageProvider *barcodeImageProvider();
// Installs a provider (not owned) and returns the previous one.
BarcodeImageProvider *setBarcodeImageProvider(BarcodeImageProvider *provider);

// The installed hub, or the built-in fallback.
CoreHub &coreHub();
// Installs a hub (not owned) and returns the previous one (nullptr for the fallback).
CoreHub *setCoreHub(CoreHub *hub);
