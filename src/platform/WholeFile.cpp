#include "platform/WholeFile.h"

#include <QtGlobal>

#include <algorithm>
#include <atomic>
#include <cerrno>

namespace platform {

namespace {
// Small writes (a PDF's cross-reference lines, a plist's tags) are gathered up to this size so
// an unbuffered file does not cost a system call each.
constexpr qint64 kGather = 64 * 1024;

constexpr qint64 kRealDisk = -1;
std::atomic<qint64> g_room{kRealDisk};
}  // namespace

void setDiskRoomForTests(std::optional<qint64> bytes) { g_room = bytes ? std::max<qint64>(0, *bytes) : kRealDisk; }

QString withReason(const QString &what, const QString &reason)
{
    return reason.isEmpty() ? what : QStringLiteral("%1 (%2)").arg(what, reason);
}

WholeFile::WholeFile(const QString &path) : m_file(path) {}

WholeFile::~WholeFile()
{
    if (!m_done)
        cancel();
}

bool WholeFile::open(OpenMode) { return open(); }

bool WholeFile::open()
{
    // Unbuffered: a failed write fails at once with the system's reason (see the header).
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        fail(m_file.errorString());
        return false;
    }
    // Set on the open temporary while it is still empty: what it will hold never sits in a file
    // others may read, and the rename keeps the mode.
    if (m_permissions && !m_file.setPermissions(*m_permissions)) {
        fail(m_file.errorString());
        cancel();
        return false;
    }
    return QIODevice::open(QIODevice::WriteOnly);
}

void WholeFile::fail(const QString &why)
{
    if (m_failure.isEmpty())
        m_failure = why.isEmpty() ? QStringLiteral("the file could not be written") : why;
    setErrorString(m_failure);
}

bool WholeFile::writeThrough(const char *data, qint64 size)
{
    while (size > 0) {
        qint64 allowed = size;
        if (const qint64 room = g_room.load(); room != kRealDisk) {
            if (room == 0) {
                fail(qt_error_string(ENOSPC));
                return false;
            }
            allowed = std::min(size, room);
        }
        // A write cut short is tried again with what is left: on a full disk that second try
        // fails and carries the system's reason.
        const qint64 n = m_file.write(data, allowed);
        if (n < 0) {
            fail(m_file.errorString());
            return false;
        }
        if (n == 0) {
            fail(QStringLiteral("the file was cut short while it was written"));
            return false;
        }
        if (g_room.load() != kRealDisk)
            g_room -= n;
        data += n;
        size -= n;
    }
    return true;
}

bool WholeFile::flushPending()
{
    if (m_pending.isEmpty())
        return !failed();
    const bool ok = !failed() && writeThrough(m_pending.constData(), m_pending.size());
    m_pending.clear();
    return ok;
}

qint64 WholeFile::writeData(const char *data, qint64 size)
{
    if (failed() || m_done)
        return -1;
    if (m_pending.size() + size < kGather) {
        m_pending.append(data, size);
        return size;
    }
    if (!flushPending() || !writeThrough(data, size))
        return -1;
    return size;
}

bool WholeFile::commit()
{
    if (m_done)
        return false;
    if (!m_file.isOpen() && !failed())
        fail(QStringLiteral("the file was not opened"));
    if (!flushPending()) {
        cancel();
        return false;
    }
    m_done = true;
    QIODevice::close();
    if (!m_file.commit()) {
        fail(m_file.errorString());
        return false;
    }
    return true;
}

void WholeFile::cancel()
{
    m_done = true;
    m_pending.clear();
    m_file.cancelWriting();
    if (m_file.isOpen())
        m_file.commit();  // cancelled: removes the temporary and leaves the target alone
    QIODevice::close();
}

bool writeWholeFile(const QString &path, const QByteArray &bytes, QString *error,
                    std::optional<QFileDevice::Permissions> permissions)
{
    WholeFile file(path);
    if (permissions)
        file.setFinalPermissions(*permissions);
    if (file.open() && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = file.failure();
    return false;
}

}  // namespace platform
