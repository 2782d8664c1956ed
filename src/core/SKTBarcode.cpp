#include "core/SKTBarcode.h"

#include "core/ImageResolution.h"
#include "core/KindPainting.h"

#include <QPainter>

SKTBarcode::SKTBarcode() : SKTGraphic(SKTGraphicKind::Barcode) {}

std::unique_ptr<SKTBarcode> SKTBarcode::initWithPosition(QPointF point, const QImage &)
{
    auto b = std::make_unique<SKTBarcode>();
    b->barcode_image_var_assign();
    b->setBounds(Rect_Centred_On(point, Image_Size_In_Points(b->_contents)));
    return b;
}

void SKTBarcode::barcode_image_var_assign() { _contents = _barcode_image; }

void SKTBarcode::drawContentsInView(QPainter &painter, bool)
{
    if (!ctrl_is_visible)
        return;
    barcode_image_var_assign();
    if (!_contents.isNull()) {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(QRectF(bounds().topLeft(), Image_Size_In_Points(_contents)), _contents,
                          QRectF(_contents.rect()));
        painter.restore();
    }
    Request_Refresh_After_Drawing(painter);
}
