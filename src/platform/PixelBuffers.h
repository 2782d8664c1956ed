#pragma once
// Pictures made one after another at the same size (a card side per data row, on every core)
// take the pixel memory the previous ones gave back, instead of the system mapping, zeroing and
// unmapping megabytes of fresh pages for each of them.

#include <QImage>

namespace platform {

// An image of `size` and `format` whose pixels are uninitialised memory from the shared pool;
// the memory returns to the pool when the last copy of the image is gone (on any thread). A
// null image when the memory cannot be had.
QImage Reused_Image(const QSize &size, QImage::Format format);

}  // namespace platform
