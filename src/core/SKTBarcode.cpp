#include "core/SKTBarcode.h"

#include "core/ImageResolution.h"
#include "core/KindPainting.h"

#include "core/CoreHub.h"

#include <QPaintDevice>
#include <QPainter>
#include <cmath>

SKTBarcode::SKTBarcode() : SKTGraphic(SKTGraphicKind::Barcode) {}

std::unique_ptr<SKTBarcode> SKTBarcode::initWithPosition(QPointF point, const QImage &)
{
    auto b = std::make_unique<SKTBarcode>();
    b->barcode_image_var_assign();
    b->setBounds(Rect_Centred_On(point, Image_Size_In_Points(b->_contents)));
    return b;
}

void SKTBarcode::barcode_image_var_assign() { _contents = _barcode_image; }

bool SKTBarcode::showsStoredPicture(const QPainter &painter) const
{
    const QPaintDevice *device = painter.device();
    if (!device || device->devType() == QInternal::Widget)
        return true;
    if (device->devType() != QInternal::Image && device->devType() != QInternal::Pixmap)
        return false;
    const QTransform t = painter.deviceTransform();
    if (t.type() > QTransform::TxScale)
        return false;
    const double deviceDpi = 72.0 * t.m11();
    return std::abs(deviceDpi - Image_Dpi(_contents)) < 0.5 && std::abs(t.m11() - t.m22()) < 1e-9;
}

void SKTBarcode::drawContentsInView(QPainter &painter, bool)
{
    if (!ctrl_is_visible)
        return;
    barcode_image_var_assign();
    if (_contents.isNull())
        return;
    if (!showsStoredPicture(painter)) {
        if (const BarcodeImageProvider *provider = barcodeImageProvider();
            provider && provider->Paint_Barcode(*this, painter, bounds().topLeft()))
            return;
    }
    {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(QRectF(bounds().topLeft(), Image_Size_In_Points(_contents)), _contents,
                          QRectF(_contents.rect()));
        painter.restore();
    }
}
