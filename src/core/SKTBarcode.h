#pragma once
// The barcode control: shows the picture the barcode window rendered from the control's
// settings (stored with Set_Barcode_image), at its own size in points from the top-left
// corner of the bounds, never scaled and never smoothed, so bars keep their edges. It has
// neither background nor border. The picture is what the canvas shows; any other device
// (PDF, printer, EPS, pixels at another resolution) gets the barcode drawn afresh from the
// control's set-up at its own resolution.

#include "core/SKTGraphic.h"

#include <memory>

class PreparedBarcode;

class SKTBarcode : public SKTGraphic {
public:
    SKTBarcode();

    // No picture yet: the bounds are the bare point until the picture is stored.
    static std::unique_ptr<SKTBarcode> initWithPosition(QPointF point, const QImage &contents);

    std::unique_ptr<SKTGraphic> clone() const override { return std::make_unique<SKTBarcode>(*this); }
    std::unique_ptr<SKTGraphic> makeEmpty() const override { return std::make_unique<SKTBarcode>(); }

    // The value the stored picture was made from; empty: the stored value text of its kind.
    QString _barcode_value;
    // The symbol as encoded when the picture was built; the provider paints from it while the
    // value and set-up still match, so a batch row's symbol is encoded once, by the worker
    // that filled the row, however many devices draw it.
    std::shared_ptr<const PreparedBarcode> _prepared_symbol;

    // `_contents` = `_barcode_image`.
    void barcode_image_var_assign();

    void drawContentsInView(QPainter &painter, bool isBeingCreateOrEdited) override;
    bool isDrawingFill() const override { return false; }
    bool isDrawingStroke() const override { return false; }

private:
    bool showsStoredPicture(const QPainter &painter) const;
};
