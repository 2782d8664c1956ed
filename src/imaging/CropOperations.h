#pragma once
// The cropping tool's work without its window: the scale at which the preview shows a picture,
// faces and the rectangle around them, the three crop kinds, output names and the one-picture
// pipeline a batch runs on its worker. Pictures here are previews (one pixel a point); the
// selection is given in preview points from the drawn picture's lower-left corner, y upwards.
// What is written is cut from the picture at its own resolution: the preview only places the cut.

#include "imageops/ImageProcesser.h"

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

enum CropKind { CropByRectangle = 0, CropByFace = 1, CropBySize = 2 };
enum CropTarget { CropFullTool = 0, CropDirectFile = 1, CropDirectSeries = 2, CropDirectColumn = 3 };
enum CropSource { SourceFile = 0, SourceFolder = 1, SourceCamera = 2, SourceSeries = 3, SourceColumn = 4 };

// Preview points per picture point, horizontally and vertically, for a picture of `picture`
// points drawn into a rectangle of `drawing` with an MSSScaledImage scaling mode.
QSizeF Display_Ratio(const QSizeF &drawing, const QSizeF &picture, int scaling);

// The face grown by `percent` in each dimension, half on each side; not clipped.
QRectF Grow_Face_Rect(const QRectF &face, double percent);

// Finds faces; rectangles in picture pixels from the top-left corner.
class FaceDetector {
public:
    virtual ~FaceDetector() = default;
    virtual bool available() const { return true; }
    virtual std::vector<QRect> detect(const QImage &picture) = 0;
};

// The frontal-face cascade file of the system's OpenCV data, or empty when it is not installed.
QString Face_Cascade_Path();
// A detector over that cascade (unavailable when the file is missing). Thread-safe.
std::shared_ptr<FaceDetector> Make_Cascade_Face_Detector(const QString &cascadePath = Face_Cascade_Path());

// The face the crop uses. The detector gives its faces in no useful order, so the largest one
// stands for "the" face: on a portrait that is the sitter, not a face in the background.
std::optional<QRect> Find_Face_In_Image(const QImage &picture, FaceDetector &detector);

// The selection showing the face grown by `percent` on the preview: picture rectangle turned
// to y upwards, grown, then scaled by the display ratio the crop divides by again.
QRectF Face_Selection(const QRect &face, double pictureHeight, double percent, const QSizeF &ratio);

// The part of the picture under the selection (divided by the ratio); null when it has no area.
// What lies outside the picture stays transparent. With `source`, the same picture at another
// resolution, the part is cut from that one and keeps its pixels.
QImage Crop_By_Selection(const QImage &picture, const QRectF &selection, const QSizeF &ratio,
                         const QImage &source = QImage());

// Width and height of the size kind as they are read from the fields.
int Clamp_Crop_Size(double value);
// The size a width or height field's text stands for: its whole number held to 1..10000, an
// empty text counting as 1; nothing when the text is no whole number ("12.5", "1,500", "12px").
std::optional<int> Typed_Crop_Size(const QString &text);
// The whole picture scaled to the given size (clamped), kept in proportion within it when asked.
QSize Given_Crop_Size(const QSizeF &picture, double width, double height, bool keepAspect);
QImage Crop_By_Size(const QImage &picture, double width, double height, bool keepAspect);

// The extension of the output format combo's index: 0 jpg, 1 bmp, 2 png, 3 tiff.
QString Crop_Format_Extension(int index);

// Output names of the full tool: after the source picture, or a custom name numbered
// "name", "name_1", "name_2" ... as names are handed out.
struct CropOutputNaming {
    QString folder;
    bool custom = false;
    QString customName = QStringLiteral("Untitled");
    int format = 0;
    int crop_num = 0;
    QString next(const QString &inputPath);
};

// Everything one crop needs, read from the window once.
struct CropSettings {
    int kind = CropByRectangle;
    QRectF selection;                // rectangle kind
    QSizeF drawing;                  // the preview's drawing rectangle ...
    int scaling = 0;                 // ... and scaling, for each picture's display ratio
    double facePercent = 0;          // face kind
    double width = 50, height = 50;  // size kind
    bool keepAspect = false;
    ImageAdjustments adjustments;
    std::shared_ptr<FaceDetector> detector;
};

// A picture file as the tool shows and crops it: its preview through the filter chain.
// Null when the file holds no picture.
QImage Prepare_Crop_Picture(const QString &path, const ImageAdjustments &adjustments);
QImage Adjusted_Crop_Picture(const QImage &preview, const ImageAdjustments &adjustments);
// The same file at its own resolution (within MaxPicturePixels) through the same chain, a blur
// widened in step so it looks as on the preview of `preview` pixels. Null without a picture.
QImage Prepare_Crop_Source(const QString &path, const ImageAdjustments &adjustments, const QSize &preview);

// The crop of one prepared picture by the settings' kind; null when nothing is to be written
// (no face found, a crop without area). The selection and the face are placed on `picture`;
// the pixels come from `source` when given (see Prepare_Crop_Source).
QImage Crop_Picture(const QImage &picture, const CropSettings &settings, const QImage &source = QImage());
// A picture file cropped as the tool shows it.
QImage Crop_Picture_File(const QString &path, const CropSettings &settings);
