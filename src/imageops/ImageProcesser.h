#pragma once
// The one filter chain every photo editor of the application renders through: the cropping
// tool, the camera window, the image controls of the card and the visitor log's photo.

#include <QImage>
#include <QRectF>
#include <QSizeF>

// The adjustment settings of one picture, under the names the chain gives its parameters.
// The defaults leave a picture exactly as it is.
struct ImageAdjustments {
    bool grayscale = false;
    bool sepia = false;
    bool invrtclr = false;    // carried for the editors; no stage of the chain applies it
    float hue = 0.0f;         // radians; red turns toward green for positive angles
    float sat = 1.0f;         // 0 grey, 1 unchanged, above 1 more vivid
    float brt = 0.0f;         // added to every channel (0..1 scale)
    float con = 1.0f;         // spread about mid grey
    float rotate = 0.0f;      // degrees, positive clockwise; turned by whole degrees toward zero
    float r = 0.0f;           // luminance sharpness
    float g = 0.0f;           // exposure in EV stops
    float b = 0.0f;           // box blur radius in pixels
    float tranprency = 100.0f;  // percent, 100 opaque; the image control applies it when drawing
    bool flip_H = false;
    bool flip_V = false;

    bool operator==(const ImageAdjustments &) const = default;
};

class ImageProcesser {
public:
    ImageProcesser() = delete;

    // The adjusted copy of `source` (the source is never changed); a null image for a null
    // source. With `yes_rotate_on_box` the result is turned by `rotate` inside the picture's
    // own box and keeps the source's size; `use_img_rect` and `img_bound_rect` name that box
    // for callers that have one, and only its size (the source's) matters.
    static QImage Get_Processed_Image_Full_Combined(const QImage &source, const ImageAdjustments &settings,
                                                    bool yes_rotate_on_box = true, bool use_img_rect = true,
                                                    const QRectF &img_bound_rect = QRectF());

    // Turns `source` by `degrees` (counter-clockwise as seen, so a clockwise setting comes in
    // negated) about its centre; the whole turned extent is fitted back into the source's size.
    static QImage imageRotatedByDegrees_On_Ctrl_Bound(const QImage &source, double degrees,
                                                      const QRectF &img_bound_rect = QRectF());

    // The largest size a card background picture is drawn at: 724 by 468 points, each side
    // limited on its own.
    static QSizeF Set_Dimaension(const QSizeF &size);
};
