#pragma once
// The picture control: a photo, a logo, a library picture, a photo field of visitor or group
// mode. It keeps the picture as loaded (`_contents`, whose size is the natural size) and the
// picture with the control's settings applied (`_contents_with_settings`, what is drawn),
// stretched to the bounds at the control's transparency. Every setting lives in the base.

#include "core/SKTGraphic.h"
#include "imageops/ImageProcesser.h"

inline const QString SKTImageContentsKey = QStringLiteral("contents");
inline const QString SKTImageIsFlippedHorizontallyKey = QStringLiteral("flippedHorizontally");
inline const QString SKTImageIsFlippedVerticallyKey = QStringLiteral("flippedVertically");

// The path of the picture last chosen in the image library; a control made from a picture
// alone takes it as its file.
extern QString Library_Selected_Image;

class SKTImage : public SKTGraphic {
public:
    SKTImage();

    // The picture of the file, centred on the point at its natural size.
    static std::unique_ptr<SKTImage> initWithPath(QPointF point, const QString &path);
    static std::unique_ptr<SKTImage> initWithPath_With_ID(QPointF point, const QString &path, const QString &ctrl_id);
    // A picture with no settings applied, its file the library's last choice.
    static std::unique_ptr<SKTImage> initWithPosition(QPointF point, const QImage &contents);

    std::unique_ptr<SKTGraphic> clone() const override { return std::make_unique<SKTImage>(*this); }
    std::unique_ptr<SKTGraphic> makeEmpty() const override { return std::make_unique<SKTImage>(); }

    // Stores the path (made to point into this installation's resources), optionally as the
    // value text too, and loads the picture from it.
    void setFilePath(const QString &path, bool set_txt_path_also);
    // Loads the picture of the path and remakes the adjusted one through the main window.
    void setFileNSImage(const QString &path);
    // Takes the adjusted picture as it is. Here and in setFileNSImage a picture equal to the one
    // held (pixels and resolution) leaves the held one in place, so it is no undo step.
    void setFileNSImage_Variable(const QImage &picture);

    void drawContentsInView(QPainter &painter, bool isBeingCreateOrEdited) override;
    void Draw_the_image_border(QPainter &painter, const QRectF &rect);
    void makeNaturalSize() override;
    void setFlippedHorizontally(bool on) override;
    void setFlippedVertically(bool on) override;
    void flipHorizontally() override;
    void flipVertically() override;

    bool isDrawingFill() const override { return false; }
    bool canSetDrawingFill() const override { return false; }
    bool canSetDrawingStroke() const override { return false; }

    QVariant valueForKey(const QString &key) override;
    bool setValueForKey(const QString &key, const QVariant &value) override;
    QStringList keysAffectedBy(const QString &key) const override;
    QSet<QString> keysForValuesToObserveForUndo() const override;
    QString presentablePropertyNameForKey(const QString &key) const override;
};

// The control's settings as the filter chain takes them.
ImageAdjustments Control_Image_Adjustments(const SKTGraphic &control);
// The control's loaded picture through the filter chain with its settings, turned inside its
// own box; null when nothing is loaded.
QImage Adjusted_Control_Picture(const SKTGraphic &control);
