#include "imaging/MSSScaledImage.h"

#include "core/ImageResolution.h"
#include "imaging/CropOperations.h"
#include "platform/FileIcons.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QFrame>
#include <algorithm>
#include <cmath>

MSSScaledImage::MSSScaledImage(QWidget *parent) : QWidget(parent) { setAcceptDrops(true); }

void MSSScaledImage::setImage(const QImage &image)
{
    image_ = image;
    update();
    emit imageLayoutChanged();
}

void MSSScaledImage::setImageScaling(int scaling)
{
    scaling_ = scaling;
    update();
    emit imageLayoutChanged();
}

void MSSScaledImage::setImageAlignment(int alignment)
{
    alignment_ = alignment;
    update();
    emit imageLayoutChanged();
}

void MSSScaledImage::setImageFrameStyle(int style)
{
    frameStyle_ = style;
    update();
    emit imageLayoutChanged();
}

QRectF MSSScaledImage::drawingRect() const
{
    const double inset = frameStyle_ == FrameNone ? 0.0 : 3.0;
    return QRectF(inset, inset, std::max(0.0, width() - 2 * inset), std::max(0.0, height() - 2 * inset));
}

QRectF MSSScaledImage::toWidgetRect(const QRectF &r) const
{
    return QRectF(r.x(), height() - r.y() - r.height(), r.width(), r.height());
}

QSizeF MSSScaledImage::originalImageSize() const
{
    if (image_.isNull())
        return {};
    double factor = 1.0;
    if (fileURL_.isLocalFile()
        && platform::mimeTypeOfFile(fileURL_.toLocalFile()).inherits(QStringLiteral("application/pdf")))
        factor = 2.5;
    const QSizeF points = Image_Size_In_Points(image_);
    const float w = std::isnan(points.width()) ? float(image_.width()) : std::max(float(points.width()), float(image_.width()));
    const float h = std::isnan(points.height()) ? float(image_.height()) : std::max(float(points.height()), float(image_.height()));
    return QSizeF(w * factor, h * factor);
}

QImage MSSScaledImage::originalImage() const
{
    QImage out = image_;
    const QSizeF size = originalImageSize();
    if (!out.isNull() && size.width() > 0)
        Set_Image_Dpi(out, 72.0 * out.width() / size.width());
    return out;
}

QSizeF MSSScaledImage::ratioFor(const QSizeF &size) const
{
    return Display_Ratio(drawingRect().size(), size, scaling_);
}

QSizeF MSSScaledImage::imageRatio() const { return ratioFor(image_.isNull() ? QSizeF() : Image_Size_In_Points(image_)); }
QSizeF MSSScaledImage::originalImageRatio() const { return ratioFor(originalImageSize()); }

QRectF MSSScaledImage::scaledImageRect() const
{
    const QSizeF s = image_.isNull() ? QSizeF(0, 0) : Image_Size_In_Points(image_);
    if (s.width() < 1 || s.height() < 1 || alignment_ < AlignCenter || alignment_ > AlignRight)
        return {};
    const QRectF d = drawingRect();
    const QSizeF r = imageRatio();
    const double sw = s.width() * r.width(), sh = s.height() * r.height();
    const double left = 0, centreX = (d.width() - sw) / 2, right = d.width() - sw;
    const double bottom = 0, centreY = (d.height() - sh) / 2, top = d.height() - sh;
    static constexpr int kX[] = {1, 1, 0, 2, 0, 1, 0, 2, 2};  // 0 left, 1 centre, 2 right
    static constexpr int kY[] = {1, 2, 2, 2, 1, 0, 0, 0, 1};  // 0 bottom, 1 centre, 2 top
    const double xs[] = {left, centreX, right}, ys[] = {bottom, centreY, top};
    return QRectF(xs[kX[alignment_]] + d.x(), ys[kY[alignment_]] + d.y(), sw, sh);
}

void MSSScaledImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (frameStyle_ != FrameNone) {
        QStyleOptionFrame option;
        option.initFrom(this);
        option.frameShape = QFrame::StyledPanel;
        option.lineWidth = 2;
        style()->drawPrimitive(QStyle::PE_Frame, &option, &painter, this);
    }
    const QRectF r = scaledImageRect();
    if (r.isEmpty())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setClipRect(drawingRect());
    painter.drawImage(toWidgetRect(r), image_);
}

void MSSScaledImage::dragEnterEvent(QDragEnterEvent *event)
{
    // The view takes a dropped file's address only when the source lets the receiver decide
    // what the drop does (a move is offered), not for a copy-only drag.
    const QMimeData *data = event->mimeData();
    if (data && data->hasUrls() && !data->urls().isEmpty() && (event->possibleActions() & Qt::MoveAction)) {
        fileURL_ = data->urls().constFirst();
        event->setDropAction(Qt::CopyAction);
        event->accept();
        return;
    }
    event->ignore();
}
