#pragma once
// The picture view the selection canvas lies on: it draws its picture scaled and aligned in
// its frame and answers where that drawn picture is. Rectangles it answers are in its own
// coordinates with the origin at the lower-left corner, y upwards, as the canvas counts.

#include <QImage>
#include <QSizeF>
#include <QUrl>
#include <QWidget>

class MSSScaledImage : public QWidget {
    Q_OBJECT
public:
    enum Scaling { ProportionallyDown = 0, AxesIndependently = 1, ScaleNone = 2, ProportionallyUpOrDown = 3 };
    enum Alignment { AlignCenter = 0, AlignTop, AlignTopLeft, AlignTopRight, AlignLeft, AlignBottom,
                     AlignBottomLeft, AlignBottomRight, AlignRight };
    enum FrameStyle { FrameNone = 0, FramePhoto, FrameGrayBezel, FrameGroove, FrameButton };

    explicit MSSScaledImage(QWidget *parent = nullptr);

    QImage image() const { return image_; }
    void setImage(const QImage &image);
    int imageScaling() const { return scaling_; }
    void setImageScaling(int scaling);
    int imageAlignment() const { return alignment_; }
    void setImageAlignment(int alignment);
    int imageFrameStyle() const { return frameStyle_; }
    void setImageFrameStyle(int style);

    QUrl fileURL() const { return fileURL_; }
    void setFileURL(const QUrl &url) { fileURL_ = url; }

    // The picture at its full size: the larger of its point and pixel sizes, two and a half
    // times that when the view's file is a PDF.
    QImage originalImage() const;
    QSizeF originalImageSize() const;
    QSizeF originalImageRatio() const;
    QSizeF imageRatio() const;
    QRectF scaledImageRect() const;
    // The rectangle inside the frame style's border where the picture is drawn.
    QRectF drawingRect() const;

    // A rectangle of this view's (y upwards) coordinates in widget coordinates, and back.
    QRectF toWidgetRect(const QRectF &r) const;

signals:
    // The picture, its size, alignment, frame style or scaling changed.
    void imageLayoutChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;

private:
    QSizeF ratioFor(const QSizeF &size) const;

    QImage image_;
    int scaling_ = ProportionallyDown;
    int alignment_ = AlignCenter;
    int frameStyle_ = FrameNone;
    QUrl fileURL_;
};
