#pragma once
// Reading only what is a file. Anything in the user's folders may stand where a file is
// expected: a FIFO (opening it waits for a writer, so the window would hang for good), a device
// (endless bytes), a socket. Readers open through here, which never blocks on such a thing and
// refuses it with a one-line reason.

#include <QFile>
#include <QString>

namespace platform {

// Whether `path` names a regular file, a link to one included.
bool isRegularFile(const QString &path);

// Whether `path` itself is a symbolic link (dangling or not): the link is not followed.
bool isLink(const QString &path);

// Opens `file` (its name set) for reading when it is a regular file; false with the reason
// ("it is not a regular file", or the system's) otherwise. A FIFO is refused without waiting.
bool openRegularFile(QFile &file, QString *reason = nullptr);

}  // namespace platform
