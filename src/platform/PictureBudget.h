#pragma once
// A JPEG stored in several scans (progressive, or its colours one scan at a time) is decoded
// whole whatever size is asked of the reader: the decoder holds the coefficients of every
// pixel until the last scan. A file of a few hundred bytes can claim 40000 by 40000 pixels and
// take gigabytes, so such a file is judged by the size its header declares before anything is
// decoded. Every other picture already decodes within bounds (at reduced size, row by row, or
// under the image reader's allocation limit).
//
// Road: each place that decodes a picture file asks here first and, refused, shows the reason
// instead of the picture.

#include <QString>

class QIODevice;

namespace platform {

// Why the picture in `device` must not be decoded (a clause: "it claims …"), or "" when it may.
// Reads the header from the current position and leaves the position where it was.
QString pictureDecodeRefusal(QIODevice *device);
// The same for the file at `path` as a sentence naming the file; "" for a file that cannot be
// opened (its reader says why).
QString pictureDecodeRefusal(const QString &path);
// Whether `path` is a regular file that may be decoded within the budget (no reason is given:
// for the quiet roads, thumbnails and previews, that show nothing for a refused picture).
bool mayDecodePictureFile(const QString &path);

}  // namespace platform
