#pragma once
// Barcode pictures of card controls: the set-up a control stores, rendered into the picture it
// shows. Installed as the design core's barcode picture provider, so the canvas builds the
// picture of a new barcode control without depending on this library.

#include "barcode/BarcodeSetup.h"
#include "core/CoreHub.h"

class SKTGraphic;

namespace barcode {

// The resolution a control's picture is made at: sharp when printed, sized in points by it.
inline constexpr double ControlBarcodeDpi = 300.0;

// The barcode fields of a control as a set-up; a barcode control keeps its transparent-
// background choice in its fill flag (off for a new one: a white background).
BarcodeSetup Setup_From_Control(const SKTGraphic &control);

class ControlBarcodeProvider : public BarcodeImageProvider {
public:
    // Renders the value with the control's set-up and stores the picture (Set_Barcode_image);
    // a refused value leaves the control as it was.
    bool Build_Barcode_Image(SKTGraphic &control, const QString &value) override;
};

// Installs one provider for the run (idempotent) and returns it.
ControlBarcodeProvider &Install_Control_Barcode_Provider();

}  // namespace barcode
