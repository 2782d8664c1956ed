#pragma once
// The photo adjustment settings as they travel between the photo editors (cropping tool,
// camera window) and the photo loaders, and the settings suffix a stored photo path may carry:
//
//   path "<IMG_FILTER>" f1 "_" f2 "_" ... f17 "_"
//
// (flip H, flip V, grey, sepia, rotation, sharpness, exposure, blur, saturation, brightness,
// contrast, hue, transparency, border on, border width, border style code, border colour).

#include "imageops/ImageProcesser.h"

#include <QColor>
#include <QImage>
#include <QString>

// The last settings used, written and read on the GUI thread only.
extern bool IMG_gray_Scale;
extern bool IMG_Sepia;
extern bool IMG_invert_clr;
extern float IMG_hue_val;
extern float IMG_sat_val;
extern float IMG_brt_val;
extern float IMG_con_val;
extern float IMG_srp_val;
extern float IMG_ev_val;
extern float IMG_blr_val;
extern float IMG_trnsp_val;
extern float IMG_rotate_image;
extern bool IMG_Flip_H;
extern bool IMG_Flip_V;

// The globals above as one value, and back.
ImageAdjustments Current_Image_Adjustments();
void Store_Image_Adjustments(const ImageAdjustments &settings);

// The adjustment sliders of the photo editors, in the order rotation, transparency, hue,
// saturation, brightness, contrast, sharpness, exposure, blur: integer positions whose value is
// position / scale.
struct PhotoSliderSpec {
    const char *name, *title;
    int min, max, position;  // `position`: the neutral setting
    double scale;
};
extern const PhotoSliderSpec Photo_Sliders[9];
// The settings the editors' controls give: nine slider positions in the order above and the
// check boxes grey, sepia, invert, flip horizontally, flip vertically. Rotation goes by whole
// degrees.
ImageAdjustments Adjustments_From_Controls(const int positions[9], const bool checks[5]);
// The slider positions that show `settings` (the inverse of the above for the sliders).
void Slider_Positions_Of(const ImageAdjustments &settings, int positions[9]);

// The border a suffix gives the one photo it belongs to.
struct PhotoBorder {
    bool on = false;
    double width = 0.0;
    QString style;                 // border style code
    QColor colour = Qt::black;

    bool operator==(const PhotoBorder &) const = default;
};

struct PhotoSettingsSuffix {
    QString path;                  // the picture's file, trimmed
    bool hasFilter = false;        // the marker was there: the picture goes through the chain
    PhotoBorder border;
};

// Splits a stored photo path. Fields present overwrite `settings` (flips, grey, sepia,
// rotation, sharpness, exposure, blur, saturation, brightness, contrast, hue, transparency);
// missing ones leave it as it is. Any text is accepted: what cannot be read counts as false
// or 0, and text after the last "_" or past the 17th field is ignored.
PhotoSettingsSuffix Split_Photo_Settings_Suffix(const QString &stored, ImageAdjustments &settings);

// The same against the global settings, which keep what the suffix does not give.
PhotoSettingsSuffix Read_Photo_Settings_Suffix(const QString &stored);

// The picture as a photo loader shows it: through the chain, turned in its own box, then
// framed when the border is on.
QImage Apply_Photo_Settings(const QImage &picture, const ImageAdjustments &settings, const PhotoBorder &border);

// Field readers of the suffix, exposed for the other stored texts that follow the same rules.
bool Photo_Field_Bool(const QString &field);
double Photo_Field_Number(const QString &field);
QColor Photo_Field_Colour(const QString &field);
