#pragma once
#include <QImage>
#include <QString>

namespace platform {

// Image format named by a file's extension, ignoring case: "JPEG" (jpg, jpeg), "BMP", "PNG",
// "TIFF" (tif, tiff); empty for anything else.
QByteArray imageFormatForPath(const QString &path);

// Whether two file extensions name one type: equal ignoring case, or two spellings of one
// picture format ("jpeg" is "jpg", "TIF" is "tiff").
bool sameFileType(const QString &extension, const QString &other);

// The image encoded in `format` (as imageFormatForPath names it) with the resolution recorded,
// exactly as writeImageFile writes it; empty, with a one-line reason, on failure.
QByteArray encodeImage(QImage image, const QByteArray &format, double dpi, QString *error = nullptr);

// Encodes the image in the format its extension names and records the resolution (dots per
// inch) in the file. Formats without transparency (JPEG, BMP) are flattened onto white.
// The file is written whole or not at all; false, with a one-line reason, on failure.
bool writeImageFile(const QImage &image, const QString &path, double dpi, QString *error = nullptr);
// The same for a picture the caller no longer needs: it may be changed in place.
bool writeImageFile(QImage &&image, const QString &path, double dpi, QString *error = nullptr);

// The image flattened onto an opaque colour (white unless told otherwise).
QImage flattenedOnto(const QImage &image, const QColor &background);

}  // namespace platform
