#pragma once
#include <QImage>
#include <QSize>
#include <QString>

namespace platform {

// The desktop's icon for the file or folder at `path`, drawn at exactly `size` pixels (one
// point a pixel). Null when the desktop has no icon for it, the size is empty, or the caller
// is not the GUI thread (icons are widget-side; a worker never waits for the GUI thread).
QImage fileIconImage(const QString &path, const QSize &size);

}  // namespace platform
