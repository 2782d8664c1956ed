#include "core/SKTImage.h"

#include "core/ImageResolution.h"
#include "core/KindPainting.h"
#include "core/PictureServices.h"

#include <QCoreApplication>
#include <QPainter>
#include <cmath>

QString Library_Selected_Image;

SKTImage::SKTImage() : SKTGraphic(SKTGraphicKind::Image) {}

std::unique_ptr<SKTImage> SKTImage::initWithPath(QPointF point, const QString &path)
{
    return initWithPath_With_ID(point, path, QString());
}

std::unique_ptr<SKTImage> SKTImage::initWithPath_With_ID(QPointF point, const QString &path, const QString &ctrl_id)
{
    auto image = std::make_unique<SKTImage>();
    image->control_ID = ctrl_id;
    image->setFilePath(path, true);
    image->setBounds(Rect_Centred_On(point, Image_Size_In_Points(image->_contents)));
    pictureServices().Reset_Image_Editing_Controls();
    return image;
}

std::unique_ptr<SKTImage> SKTImage::initWithPosition(QPointF point, const QImage &contents)
{
    auto image = std::make_unique<SKTImage>();
    image->_contents = contents;
    image->_contents_with_settings = contents;
    image->_file_path = Library_Selected_Image;
    image->setBounds(Rect_Centred_On(point, Image_Size_In_Points(contents)));
    pictureServices().Reset_Image_Editing_Controls();
    return image;
}

void SKTImage::setFilePath(const QString &path, bool set_txt_path_also)
{
    const QString checked = pictureServices().Check_Path_For_App_Resources(path);
    Set_Control_File_path(checked);
    if (set_txt_path_also && !checked.isEmpty())
        Set_text_value(checked);
    setFileNSImage(checked);
}

namespace {

// The undo history knows a picture by its identity, not its pixels: a picture made again from
// the same file and settings would be a change nobody made. Such a picture leaves the one held.
void takePicture(QImage &held, const QImage &made)
{
    if (held == made && held.dotsPerMeterX() == made.dotsPerMeterX() && held.dotsPerMeterY() == made.dotsPerMeterY())
        return;
    held = made;
}

}  // namespace

void SKTImage::setFileNSImage(const QString &path)
{
    takePicture(_contents, pictureServices().Get_Image_For_Path(path, false));
    setFileNSImage_Variable(pictureServices().Get_Image_With_Update_Settings(*this));
}

void SKTImage::setFileNSImage_Variable(const QImage &picture) { takePicture(_contents_with_settings, picture); }

void SKTImage::drawContentsInView(QPainter &painter, bool)
{
    if (!ctrl_is_visible)
        return;
    if (_file_path.isEmpty() || _contents.isNull()) {
        Draw_the_image_border(painter, bounds());
        return;
    }
    // The transparency is the one setting applied here rather than in the adjusted picture.
    Draw_Picture_Stretched(painter, _contents_with_settings, bounds(), double(img_trnsp_val) / 100.0);
    Draw_the_image_border(painter, bounds());
}

void SKTImage::Draw_the_image_border(QPainter &painter, const QRectF &rect)
{
    if (isDrawingStroke())
        Stroke_Border_Rect(painter, rect, strokeColor(), strokeWidth(), strokeBorderType());
}

void SKTImage::makeNaturalSize()
{
    if (ctrl_is_locked)
        return;
    const QSizeF natural = Image_Size_In_Points(_contents);
    setBounds(QRectF(bounds().topLeft(), natural));
    setFlippedHorizontally(false);
    setFlippedVertically(false);
}

void SKTImage::setFlippedHorizontally(bool on)
{
    changeValueForKey(SKTImageIsFlippedHorizontallyKey, [&] { _isFlippedHorizontally = on; });
}

void SKTImage::setFlippedVertically(bool on)
{
    changeValueForKey(SKTImageIsFlippedVerticallyKey, [&] { _isFlippedVertically = on; });
}

void SKTImage::flipHorizontally() { setFlippedHorizontally(!_isFlippedHorizontally); }
void SKTImage::flipVertically() { setFlippedVertically(!_isFlippedVertically); }

QVariant SKTImage::valueForKey(const QString &key)
{
    if (key == SKTImageContentsKey)
        return _contents;
    if (key == SKTImageIsFlippedHorizontallyKey)
        return _isFlippedHorizontally;
    if (key == SKTImageIsFlippedVerticallyKey)
        return _isFlippedVertically;
    return SKTGraphic::valueForKey(key);
}

bool SKTImage::setValueForKey(const QString &key, const QVariant &value)
{
    if (key == SKTImageContentsKey) {
        changeValueForKey(key, [&] { _contents = value.value<QImage>(); });
        setFileNSImage_Variable(pictureServices().Get_Image_With_Update_Settings(*this));
    } else if (key == SKTImageIsFlippedHorizontallyKey) {
        setFlippedHorizontally(value.toBool());
    } else if (key == SKTImageIsFlippedVerticallyKey) {
        setFlippedVertically(value.toBool());
    } else {
        return SKTGraphic::setValueForKey(key, value);
    }
    return true;
}

QStringList SKTImage::keysAffectedBy(const QString &key) const
{
    if (key == SKTImageContentsKey || key == SKTImageIsFlippedHorizontallyKey || key == SKTImageIsFlippedVerticallyKey)
        return {SKTGraphicDrawingContentsKey};
    return SKTGraphic::keysAffectedBy(key);
}

QSet<QString> SKTImage::keysForValuesToObserveForUndo() const
{
    QSet<QString> keys = SKTGraphic::keysForValuesToObserveForUndo();
    keys << SKTImageContentsKey << SKTImageIsFlippedHorizontallyKey << SKTImageIsFlippedVerticallyKey;
    return keys;
}

QString SKTImage::presentablePropertyNameForKey(const QString &key) const
{
    if (key == SKTImageIsFlippedHorizontallyKey)
        return QCoreApplication::translate("UndoStrings", "Horizontal Flipping");
    if (key == SKTImageIsFlippedVerticallyKey)
        return QCoreApplication::translate("UndoStrings", "Vertical Flipping");
    return SKTGraphic::presentablePropertyNameForKey(key);
}

ImageAdjustments Control_Image_Adjustments(const SKTGraphic &c)
{
    ImageAdjustments s;
    s.grayscale = c.gray_Scale;
    s.sepia = c.Sepia;
    s.invrtclr = c.invert_clr;
    s.hue = c.hue_val;
    s.sat = c.sat_val;
    s.brt = c.brt_val;
    s.con = c.con_val;
    s.rotate = std::isfinite(c.rotate_image) ? std::trunc(c.rotate_image) : 0.0f;
    s.r = c.srp_val;
    s.g = c.ev_val;
    s.b = c.blr_val;
    s.tranprency = c.img_trnsp_val;
    s.flip_H = c._isFlippedHorizontally;
    s.flip_V = c._isFlippedVertically;
    return s;
}

QImage Adjusted_Control_Picture(const SKTGraphic &control)
{
    return ImageProcesser::Get_Processed_Image_Full_Combined(control._contents, Control_Image_Adjustments(control),
                                                             true, false, control.bounds());
}
