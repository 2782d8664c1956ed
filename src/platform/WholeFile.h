#pragma once
// Writing a file whole or not at all. Every file the program writes goes through here: the bytes
// go to a temporary beside the target, and the target is replaced by it only when every byte
// landed; until then the old file stays as it was.
//
// Why not QSaveFile alone: opened buffered, the Qt we build on answers true from commit() when
// the flush of its last buffered bytes fails, so a full disk leaves an empty or torn file
// reported as saved. Opened unbuffered it fails at once, but near the end of a full disk a
// write is cut short (fewer bytes than asked, no error), which callers that hand the device to
// QPdfWriter never see. So this device counts every write, writes what is left once more to
// get the system's reason, and refuses to commit after any failure.
//
// Road: WholeFile file(path); file.open(); write (or hand it to a writer as a QIODevice);
// file.commit() — false with file.failure() ("No space left on device", …). Or, for bytes in
// hand, writeWholeFile(path, bytes, &why) (with the permissions the file must have, if any).
//
// One WholeFile belongs to one thread at a time.

#include <QIODevice>
#include <QSaveFile>
#include <QString>

#include <optional>

namespace platform {

class WholeFile : public QIODevice {
public:
    explicit WholeFile(const QString &path);
    // Without a commit the target is left untouched.
    ~WholeFile() override;

    // Opens the temporary for writing; false with failure() when it cannot be made.
    bool open();
    // Before open(): the file is to have exactly these permissions, set on the temporary before
    // any byte is written (otherwise it takes the old file's, or the usual ones for a new file).
    // A file that holds a secret is made ReadOwner | WriteOwner this way.
    void setFinalPermissions(QFileDevice::Permissions permissions) { m_permissions = permissions; }
    // Writes what is pending and puts the file in the target's place; false, with the target
    // untouched and failure() set, when any write failed or was cut short or the rename failed.
    bool commit();
    // Drops what was written; the target stays as it was.
    void cancel();

    // The system's reason for the first failure ("No space left on device"); empty while
    // nothing failed.
    QString failure() const { return m_failure; }
    bool failed() const { return !m_failure.isEmpty(); }
    QString targetPath() const { return m_file.fileName(); }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    bool open(OpenMode) override;
    bool flushPending();
    bool writeThrough(const char *data, qint64 size);
    void fail(const QString &why);

    QSaveFile m_file;
    QByteArray m_pending;  // small writes gathered into one system call
    QString m_failure;
    std::optional<QFileDevice::Permissions> m_permissions;
    bool m_done = false;
};

// Writes `bytes` as the whole file at `path`; false with the system's reason in `error` (the
// old file, if any, untouched).
bool writeWholeFile(const QString &path, const QByteArray &bytes, QString *error = nullptr,
                    std::optional<QFileDevice::Permissions> permissions = std::nullopt);

// A file-system failure in one line: `what` and the system's reason, e.g.
// "Unable to save file on this location. (No space left on device)". `what` alone when the
// reason is empty.
QString withReason(const QString &what, const QString &reason);

// For tests: every WholeFile from now on sees a disk with room for `bytes` more bytes: the
// write that crosses it is cut short, the next fails with the system's "No space left on
// device". std::nullopt restores the real disk.
void setDiskRoomForTests(std::optional<qint64> bytes);

}  // namespace platform
