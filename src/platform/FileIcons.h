#pragma once
#include <QImage>
#include <QMimeType>
#include <QSize>
#include <QString>

class QAbstractFileIconProvider;

namespace platform {

// The desktop's icon for the file or folder at `path`, drawn at exactly `size` pixels (one
// point a pixel). Null when the desktop has no icon for it, the size is empty, or the caller
// is not the GUI thread (icons are widget-side; a worker never waits for the GUI thread).
QImage fileIconImage(const QString &path, const QSize &size);

// The kind of the file at `path`. Its contents are looked at only when it is a regular file
// that states a size: a FIFO, a device or a /proc file may keep a reader waiting for good, so
// those (and an empty file, which has no contents to tell) are known by their names alone.
QMimeType mimeTypeOfFile(const QString &path);

// Icons and kinds of files from their names alone, for lists of whole folders (a file panel),
// where no listed file may be opened on the GUI thread. One for the application; never deleted.
QAbstractFileIconProvider *nameOnlyIconProvider();

}  // namespace platform
