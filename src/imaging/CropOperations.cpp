#include "imaging/CropOperations.h"

#include "core/ControllerImageFiles.h"
#include "core/ImageResolution.h"
#include "imaging/MSSScaledImage.h"
#include "platform/TypedNumber.h"
#include "platform/ValueBounds.h"
#include "platform/UiServices.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>

#include <opencv2/imgproc.hpp>
#include <opencv2/objdetect.hpp>

QSizeF Display_Ratio(const QSizeF &drawing, const QSizeF &picture, int scaling)
{
    if (picture.width() <= 0 || picture.height() <= 0)
        return QSizeF(1, 1);
    const double rx = drawing.width() / picture.width(), ry = drawing.height() / picture.height();
    switch (scaling) {
    case MSSScaledImage::ProportionallyDown: {
        const float r = std::min({float(rx), float(ry), 1.0f});
        return QSizeF(r, r);
    }
    case MSSScaledImage::AxesIndependently: return QSizeF(rx, ry);
    case MSSScaledImage::ProportionallyUpOrDown: {
        const float r = std::min(float(rx), float(ry));
        return QSizeF(r, r);
    }
    default: return QSizeF(1, 1);
    }
}

QRectF Grow_Face_Rect(const QRectF &face, double percent)
{
    const double dw = float(percent * face.width() / 100.0), dh = float(percent * face.height() / 100.0);
    return QRectF(face.x() - dw / 2, face.y() - dh / 2, face.width() + dw, face.height() + dh);
}

QString Face_Cascade_Path()
{
    for (const char *dir : {"/usr/share/opencv4/haarcascades", "/usr/share/opencv/haarcascades"}) {
        const QString path = QDir(QString::fromLatin1(dir)).filePath(QStringLiteral("haarcascade_frontalface_default.xml"));
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

namespace {
class CascadeFaceDetector : public FaceDetector {
public:
    explicit CascadeFaceDetector(const QString &path)
    {
        if (path.isEmpty())
            return;
        try {
            loaded_ = cascade_.load(QFile::encodeName(path).toStdString());
        } catch (const cv::Exception &) {
            loaded_ = false;
        }
    }
    bool available() const override { return loaded_; }
    std::vector<QRect> detect(const QImage &picture) override
    {
        std::vector<QRect> out;
        if (!loaded_ || picture.isNull())
            return out;
        // Transparent parts count as white, as the picture is seen on the preview.
        QImage opaque(picture.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter(&opaque).drawImage(0, 0, picture);
        const QImage gray = opaque.convertToFormat(QImage::Format_Grayscale8);
        const cv::Mat view(gray.height(), gray.width(), CV_8UC1, const_cast<uchar *>(gray.constBits()),
                           size_t(gray.bytesPerLine()));
        cv::Mat equalized;
        cv::equalizeHist(view, equalized);
        std::vector<cv::Rect> faces;
        {
            std::lock_guard lock(mutex_);
            cascade_.detectMultiScale(equalized, faces, 1.1, 3, 0, cv::Size(24, 24));
        }
        for (const cv::Rect &r : faces)
            out.emplace_back(r.x, r.y, r.width, r.height);
        return out;
    }

private:
    std::mutex mutex_;
    cv::CascadeClassifier cascade_;
    bool loaded_ = false;
};
}  // namespace

std::shared_ptr<FaceDetector> Make_Cascade_Face_Detector(const QString &cascadePath)
{
    return std::make_shared<CascadeFaceDetector>(cascadePath);
}

std::optional<QRect> Find_Face_In_Image(const QImage &picture, FaceDetector &detector)
{
    const std::vector<QRect> faces = detector.detect(picture);
    const auto largest = std::max_element(faces.begin(), faces.end(), [](const QRect &a, const QRect &b) {
        return qint64(a.width()) * a.height() < qint64(b.width()) * b.height();
    });
    if (largest == faces.end())
        return std::nullopt;
    return *largest;
}

QRectF Face_Selection(const QRect &face, double pictureHeight, double percent, const QSizeF &ratio)
{
    const QRectF upwards(face.x(), pictureHeight - face.y() - face.height(), face.width(), face.height());
    const QRectF g = Grow_Face_Rect(upwards, percent);
    return QRectF(g.x() * ratio.width(), g.y() * ratio.height(), g.width() * ratio.width(), g.height() * ratio.height());
}

QImage Crop_By_Selection(const QImage &picture, const QRectF &selection, const QSizeF &ratio, const QImage &source)
{
    if (picture.isNull() || ratio.width() <= 0 || ratio.height() <= 0)
        return {};
    const QImage &from = source.isNull() ? picture : source;
    const QSizeF points = Image_Size_In_Points(picture);
    // Pixels of the picture cut from per point of the one the selection was drawn on.
    const double ppx = from.width() / points.width(), ppy = from.height() / points.height();
    const QRectF s(selection.x() / ratio.width(), selection.y() / ratio.height(), selection.width() / ratio.width(),
                   selection.height() / ratio.height());
    const int w = int(std::lround(s.width() * ppx)), h = int(std::lround(s.height() * ppy));
    if (w <= 0 || h <= 0)
        return {};
    // Picture points from the lower-left corner, to pixels from the top-left.
    const QRectF cut(s.x() * ppx, (points.height() - s.y() - s.height()) * ppy, s.width() * ppx, s.height() * ppy);
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    if (out.isNull())
        return {};
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRectF(0, 0, w, h), from, cut);
    painter.end();
    Set_Image_Dpi(out, 72.0);
    return out;
}

int Clamp_Crop_Size(double value)
{
    if (std::isnan(value))
        return 1;
    return int(std::clamp(value, 1.0, 10000.0));
}

std::optional<int> Typed_Crop_Size(const QString &text)
{
    if (text.trimmed().isEmpty())
        return 1;
    // A whole number only: "1.500" is one and a half and "1,500" no number; cutting either to
    // its whole part would crop one pixel high.
    const std::optional<double> typed = platform::Typed_Whole_Number(text);
    if (!typed)
        return std::nullopt;
    return Clamp_Crop_Size(*typed);
}

QSize Given_Crop_Size(const QSizeF &picture, double width, double height, bool keepAspect)
{
    float w = float(Clamp_Crop_Size(width)), h = float(Clamp_Crop_Size(height));
    if (keepAspect && picture.width() > 0 && picture.height() > 0) {
        const float s = std::min(w / float(picture.width()), h / float(picture.height()));
        w = float(picture.width()) * s;
        h = float(picture.height()) * s;
    }
    return QSize(int(std::lround(w)), int(std::lround(h)));
}

QImage Crop_By_Size(const QImage &picture, double width, double height, bool keepAspect)
{
    if (picture.isNull())
        return {};
    const QSize size = Given_Crop_Size(Image_Size_In_Points(picture), width, height, keepAspect);
    if (size.width() <= 0 || size.height() <= 0)
        return {};
    QImage out(size, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), picture);
    painter.end();
    Set_Image_Dpi(out, 72.0);
    return out;
}

QString Crop_Format_Extension(int index)
{
    static const char *const kinds[] = {"jpg", "bmp", "png", "tiff"};
    return QString::fromLatin1(kinds[std::clamp(index, 0, 3)]);
}

QString CropOutputNaming::next(const QString &inputPath)
{
    QString base, ext = Crop_Format_Extension(format);
    if (custom) {
        // A name typed with a picture type's extension ("Badge.jpeg", "Badge.TIF") names files of
        // that type, numbered before the extension as typed, as the save panels take it.
        QString name = customName;
        const QStringList kinds{Crop_Format_Extension(0), Crop_Format_Extension(1), Crop_Format_Extension(2),
                                Crop_Format_Extension(3)};
        if (!platform::Save_Panel_Type(name, kinds).isEmpty() && !QFileInfo(name).completeBaseName().isEmpty()) {
            ext = QFileInfo(name).suffix();
            name.chop(ext.size() + 1);
        }
        base = crop_num > 0 ? QStringLiteral("%1_%2").arg(name, QString::number(crop_num)) : name;
    } else {
        base = QFileInfo(inputPath).completeBaseName();
    }
    ++crop_num;
    return QDir(folder).filePath(base + QLatin1Char('.') + ext);
}

QImage Adjusted_Crop_Picture(const QImage &preview, const ImageAdjustments &adjustments)
{
    if (preview.isNull())
        return {};
    QImage out = ImageProcesser::Get_Processed_Image_Full_Combined(preview, adjustments, true, true,
                                                                   QRectF(QPointF(0, 0), QSizeF(preview.size())));
    Set_Image_Dpi(out, Image_Dpi(preview));
    return out;
}

QImage Prepare_Crop_Picture(const QString &path, const ImageAdjustments &adjustments)
{
    return Adjusted_Crop_Picture(Load_Control_Picture(path), adjustments);
}

QImage Prepare_Crop_Source(const QString &path, const ImageAdjustments &adjustments, const QSize &preview)
{
    if (path.isEmpty() || !QFileInfo(path).isFile() || preview.isEmpty())
        return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (stored.isValid() && double(stored.width()) * stored.height() > bounds::MaxPicturePixels) {
        const double s = std::sqrt(bounds::MaxPicturePixels / (double(stored.width()) * stored.height()));
        reader.setScaledSize(QSize(int(stored.width() * s), int(stored.height() * s)).expandedTo(QSize(1, 1)));
    }
    QImage picture = reader.read();
    if (picture.isNull())
        return {};
    Set_Image_Dpi(picture, 72.0);
    ImageAdjustments own = adjustments;
    own.b = float(adjustments.b * double(std::max(picture.width(), picture.height())) /
                  std::max(preview.width(), preview.height()));
    return Adjusted_Crop_Picture(picture, own);
}

QImage Crop_Picture(const QImage &picture, const CropSettings &settings, const QImage &source)
{
    if (picture.isNull())
        return {};
    const QSizeF points = Image_Size_In_Points(picture);
    const QSizeF ratio = Display_Ratio(settings.drawing, points, settings.scaling);
    switch (settings.kind) {
    case CropByRectangle: return Crop_By_Selection(picture, settings.selection, ratio, source);
    case CropByFace: {
        if (!settings.detector)
            return {};
        const auto face = Find_Face_In_Image(picture, *settings.detector);
        if (!face)
            return {};
        // Shown on the preview and divided again by the same ratio: the grown face in picture points.
        return Crop_By_Selection(picture, Face_Selection(*face, points.height(), settings.facePercent, {1, 1}), {1, 1},
                                 source);
    }
    default:
        return Crop_By_Size(source.isNull() ? picture : source, settings.width, settings.height, settings.keepAspect);
    }
}

QImage Crop_Picture_File(const QString &path, const CropSettings &settings)
{
    const QImage preview = Prepare_Crop_Picture(path, settings.adjustments);
    if (preview.isNull())
        return {};
    return Crop_Picture(preview, settings, Prepare_Crop_Source(path, settings.adjustments, preview.size()));
}
