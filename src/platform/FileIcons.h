#pragma once
#include <QImage>
#include <QSize>
#include <QString>

namespace platform {

// The desktop's icon for the file or folder at `path`, drawn at exactly `size` pixels (one
// point a pixel). Icons are made on the GUI thread, so a worker asking waits for it. Null when
// the desktop has no icon for it or the size is empty.
QImage fileIconImage(const QString &path, const QSize &size);

}  // namespace platform
