#pragma once
// Barcode pictures of card controls: the set-up a control stores, rendered into the picture it
// shows. Installed as the design core's barcode picture provider, so the canvas builds the
// picture of a new barcode control without depending on this library.

#include "barcode/BarcodeSetup.h"
#include "core/CoreHub.h"

class SKTGraphic;

namespace barcode {

// The resolution a control's picture is made at: the control's chosen DPI, 300 for "Auto".
double Control_Barcode_Dpi(const SKTGraphic &control);
double Setup_Barcode_Dpi(const BarcodeSetup &setup);

// The value a control's barcode encodes: the value its picture was last built from, else the
// trimmed two_d_font_val of a 2-D symbol or linear_font_val of a linear one.
QString Control_Barcode_Value(const SKTGraphic &control);

// The barcode fields of a control as a set-up; a barcode control keeps its transparent-
// background choice in its fill flag (off for a new one: a white background). The close-set
// choice of the value ("kerning") is the control's own and travels with it into files, so every
// picture made of it (a resize, a data row, print, export at any resolution, a design opened in
// another run) is the one the window's preview showed when it was confirmed.
BarcodeSetup Setup_From_Control(const SKTGraphic &control);

// The set-up into the control's barcode fields, the transparency into its fill flag: the
// inverse of Setup_From_Control.
void Setup_To_Control(const BarcodeSetup &setup, SKTGraphic &control);

class ControlBarcodeProvider : public BarcodeImageProvider {
public:
    // Renders the value with the control's set-up and stores the picture (Set_Barcode_image);
    // a refused value leaves the control with no picture.
    bool Build_Barcode_Image(SKTGraphic &control, const QString &value) override;
    bool Paint_Barcode(const SKTGraphic &control, QPainter &painter, QPointF topLeft) const override;
    double Barcode_Picture_Pixels(const SKTGraphic &control, const QString &value) const override;
};

// Installs one provider for the run (idempotent) and returns it.
ControlBarcodeProvider &Install_Control_Barcode_Provider();

}  // namespace barcode
