#pragma once
// A PNG's preview decoded at its reduced size. Qt's PNG reader decodes the whole picture before
// scaling it (an 11000 x 11000 picture costs half a gigabyte and seconds for a 500-pixel
// preview); this reads the rows one at a time and averages them into the preview as they come,
// so a decode holds a few rows and the preview only.

#include <QImage>
#include <QString>

// The picture at `path` shrunk by a whole factor so that its longer side is at most
// `longestSide` pixels (each preview pixel the average of the block it stands for), in
// premultiplied ARGB32. Null when the file is no PNG this can read row by row (an interlaced
// one, a damaged one, or one past `maxPixels`): the caller then reads it as before.
// Pictures of more pixels are declined (16384 x 16384, read in about a second).
inline constexpr quint64 Png_Preview_Max_Pixels = quint64(16384) * 16384;
QImage Decode_Png_Preview(const QString &path, int longestSide, quint64 maxPixels = Png_Preview_Max_Pixels);
