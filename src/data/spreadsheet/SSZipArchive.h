#pragma once
// A thin layer over minizip: unpacks a zip archive into a folder and packs files and folders
// into a new archive. Workbooks (.xlsx) are the only archives the application handles, and they
// come from anywhere, so unpacking treats every archive as hostile: entry names may not leave
// the destination, checksums must match, and entry count and unpacked size are bounded. The
// bounds are checked on the sizes the archive declares before anything is written, and again
// while inflating, which stops at the first byte past them (a declared size may lie).

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

struct ZipLimits {
    int maxEntries = 20000;
    // Unpacked bytes in all. A workbook of a million cells is well under 100 MiB of XML; what we
    // read of it (shared strings as UTF-16, the cell table) must stay within a few hundred MB.
    std::uint64_t maxTotalBytes = std::uint64_t(128) << 20;
    // An entry that unpacks to more than `ratioFloor` bytes may not inflate more than `maxRatio`
    // times its stored size: real sheets deflate 5 to 30 times, a bomb near deflate's 1032.
    std::uint64_t maxRatio = 200;
    std::uint64_t ratioFloor = std::uint64_t(1) << 20;
};

class SSZipArchive {
public:
    // Error codes of the unpacking, as stored into `errorCode`.
    enum { ErrorOpen = -1, ErrorFirstFile = -2, ErrorEntry = -3, ErrorUnsafeName = -4, ErrorChecksum = -5,
           ErrorLimit = -6, ErrorWrite = -7, ErrorRefused = -8 };

    // Unpacks every entry under `destination`. False (with a one-line reason in `error`) when the
    // archive cannot be read, an entry is damaged or named outside the destination, a limit is
    // passed, two entries share a name (without regard to case) or an entry is packed with a
    // method other than deflate (ErrorRefused); files written before the failure stay, so callers unpack into a private folder.
    static bool unzipFileAtPath(const QString &path, const QString &destination, bool overwrite,
                                const QString &password, QString *error = nullptr, int *errorCode = nullptr,
                                const ZipLimits &limits = {});
    static bool unzipFileAtPath(const QString &path, const QString &destination);
    // Unpacks only the entries whose names (after safeEntryName, compared without case) are in
    // `names`; others are never inflated, whatever they hold. A wanted name the archive lacks is
    // no error. `unpacked`, when given, receives the bytes written, so a caller unpacking in
    // steps can lower maxTotalBytes for the next step.
    static bool unzipEntries(const QString &path, const QString &destination, const QStringList &names,
                             QString *error = nullptr, const ZipLimits &limits = {},
                             std::uint64_t *unpacked = nullptr, int *errorCode = nullptr);

    // As unzipEntries, with the same names, checks and reasons, but into memory: `parts` receives
    // each wanted entry's bytes under its entry name (after safeEntryName); nothing is written.
    // An entry that fails is not left in `parts`.
    static bool inflateEntries(const QString &path, const QStringList &names, QHash<QString, QByteArray> &parts,
                               QString *error = nullptr, const ZipLimits &limits = {},
                               std::uint64_t *unpacked = nullptr, int *errorCode = nullptr);

    // The bytes the archive's entries say they unpack to, from its central directory alone (an
    // entry never inflates past what it declares: unpacking refuses it); 0 when it is no archive.
    static std::uint64_t declaredUnpackedSize(const QString &path, const ZipLimits &limits = {});

    // Packs each path (file or folder, recursively) under its name relative to the folder that
    // holds it. The archive is written beside `path` and renamed over it only when complete; a
    // file that cannot be read, or is no regular file (a FIFO is never waited on), fails it.
    static bool createZipFileAtPath(const QString &path, const QStringList &paths, QString *error = nullptr);
    static bool createZipFileAtPath(const QString &path, const QString &onePath, QString *error = nullptr);
    static QDateTime _dateFor1980();

    // The entry name a raw zip name stands for ("\" read as "/"), or empty when it must be
    // refused: absolute, a drive letter, a ".." component, or not UTF-8.
    static QString safeEntryName(const QByteArray &rawName, bool *isFolder = nullptr);

    // While an archive is written, a note in the temporary folder (made from this template:
    // "badgeloom-part-<pid>-XXXXXX") holds the path of its part file beside the destination, so
    // the part of a run killed meanwhile can be found and swept at the next start.
    static QString Part_Note_Template(const QString &tempFolder = {});
    static constexpr QLatin1StringView PartNotePrefix{"badgeloom-part-"};
    // Whether a file name is one a part file of ours is given ("<name>.XXXXXX.part").
    static bool Is_Part_File_Name(const QString &fileName);

    explicit SSZipArchive(const QString &path);
    ~SSZipArchive();
    SSZipArchive(const SSZipArchive &) = delete;
    SSZipArchive &operator=(const SSZipArchive &) = delete;

    bool open();
    bool writeFile(const QString &relativePath, const QString &basePath);
    bool writeData(const QByteArray &data, const QString &filename);
    // Finishes the archive and moves it into place; false when any write failed.
    bool close();
    QString errorString() const { return m_error; }

private:
    bool addEntry(const QString &name, const QString &sourceFile, const QByteArray *data);
    // `what` with the system's reason for the archive's first failed write, if one was seen.
    QString withWriteReason(const QString &what) const;
    QString _path;
    QString m_partPath;
    QString m_notePath;
    void removePartNote();
    void *_zip = nullptr;
    // The file calls minizip writes through: they keep the system's reason of the first failure,
    // which minizip itself answers only as "an error".
    struct WriteIo;
    std::unique_ptr<WriteIo> m_io;
    bool m_failed = false;
    QString m_error;
};
