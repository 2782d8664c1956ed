#pragma once
// Small picture helpers of the image tools: a picture seen through a mask, the size of a
// picture in points, and a view that tiles a pattern picture fixed to its window.

#include <QImage>
#include <QWidget>

// The image seen through the mask: where the mask is black the image shows, where it is white
// the image is transparent, grey between. The mask is stretched over the image. The image
// itself when either is null.
QImage maskImage(const QImage &image, const QImage &mask);

// The picture at one point a pixel, or at `dpi` dots an inch (its pixels kept).
QImage normalizeSize(QImage image);
QImage setDPI(QImage image, int dpi);

// Paints its area with a pattern picture whose tiles stay in place relative to the window
// while the view moves or scrolls, then draws as a plain view on top.
class Repeat_Image : public QWidget {
    Q_OBJECT
public:
    explicit Repeat_Image(QWidget *parent = nullptr) : QWidget(parent) {}
    void setPattern(const QImage &pattern);
    QImage pattern() const { return pattern_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage pattern_;
};
