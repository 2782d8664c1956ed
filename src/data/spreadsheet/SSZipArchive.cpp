#include "data/spreadsheet/SSZipArchive.h"

#include "platform/RegularFile.h"
#include "platform/WholeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <minizip/unzip.h>
#include <minizip/zip.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <limits>
#include <optional>
#include <stdexcept>
#include <unordered_set>

namespace {

void setError(QString *error, int *code, int value, const QString &text)
{
    if (error)
        *error = text;
    if (code)
        *code = value;
}

// Fills a zip entry's date fields from a local date and time.
void zipInfoSetDate(zip_fileinfo &info, const QDateTime &date)
{
    const QDate d = date.date();
    const QTime t = date.time();
    info.tmz_date.tm_sec = uInt(t.second());
    info.tmz_date.tm_min = uInt(t.minute());
    info.tmz_date.tm_hour = uInt(t.hour());
    info.tmz_date.tm_mday = uInt(d.day());
    info.tmz_date.tm_mon = uInt(d.month() - 1);
    info.tmz_date.tm_year = uInt(d.year());
}

QDateTime fromDosDate(uLong dos)
{
    const QDate d(int((dos >> 25) & 0x7f) + 1980, int((dos >> 21) & 0x0f), int((dos >> 16) & 0x1f));
    const QTime t(int((dos >> 11) & 0x1f), int((dos >> 5) & 0x3f), int(dos & 0x1f) * 2);
    return QDateTime(d, t);
}

}  // namespace

QString SSZipArchive::safeEntryName(const QByteArray &rawName, bool *isFolder)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString name = utf8(rawName);
    if (utf8.hasError() || name.contains(QChar(0)))
        return {};
    if (isFolder)
        *isFolder = name.endsWith(QLatin1Char('/')) || name.endsWith(QLatin1Char('\\'));
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.startsWith(QLatin1Char('/')) || (name.size() >= 2 && name.at(1) == QLatin1Char(':')))
        return {};
    const QStringList parts = name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts)
        if (part == QLatin1String(".."))
            return {};
    return parts.join(QLatin1Char('/'));
}

bool SSZipArchive::unzipFileAtPath(const QString &path, const QString &destination)
{
    return unzipFileAtPath(path, destination, true, QString());
}

namespace {

struct Unpack {
    bool overwrite = true;
    QByteArray password;
    const QStringList *wanted = nullptr;  // null: every entry
    QString *error = nullptr;
    int *errorCode = nullptr;
    ZipLimits limits;
    std::uint64_t *unpacked = nullptr;
    QHash<QString, QByteArray> *memory = nullptr;  // set: entries are inflated here, not to files
};

bool isWanted(const Unpack &job, const QString &name)
{
    if (!job.wanted)
        return true;
    for (const QString &w : *job.wanted)
        if (name.compare(w, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

constexpr std::uint64_t Zip32Unknown = 0xFFFFFFFFu;

// The little-endian number of `width` bytes at `at` of `bytes` (which holds them).
std::uint64_t littleEndian(const QByteArray &bytes, qsizetype at, int width)
{
    std::uint64_t v = 0;
    for (int k = width - 1; k >= 0; --k)
        v = v << 8 | quint8(bytes[at + k]);
    return v;
}

// The current entry: its info with the sizes it really declares, and its name.
struct Entry {
    unz_file_info64 info{};
    QByteArray rawName;
    QString name;  // safeEntryName of rawName
    bool isFolder = false;
    bool zip64 = false;  // a field came from a ZIP64 extra field: minizip checks nothing of it
    // Where its local header is, when the central directory was read here (a ZIP64 entry).
    std::optional<std::uint64_t> localHeader;
    std::uint64_t disk = 0;  // the disk its local header is on, from the ZIP64 field
};

// Takes the fields a ZIP64 extra field gives for the central directory's fields that hold all
// ones, in their order: uncompressed size, compressed size, local header offset, disk number.
// minizip compares those fields with an unsigned long of all ones, which on a 64-bit system
// they never equal, so it keeps 0xFFFFFFFF as the size (and never checks such an entry's
// checksum) and as the offset (and never finds the entry). `central` is the entry's fixed
// central directory record, from which the offset and disk fields are taken, or empty when it
// could not be read. True when a field was taken.
bool takeZip64Fields(const QByteArray &extra, const QByteArray &central, Entry &e)
{
    ZPOS64_T offset = central.isEmpty() ? 0 : littleEndian(central, 42, 4);
    const bool diskFlagged = !central.isEmpty() && littleEndian(central, 34, 2) == 0xFFFF;
    for (qsizetype at = 0; at + 4 <= extra.size();) {
        const qsizetype data = at + 4, end = data + qsizetype(littleEndian(extra, at + 2, 2));
        if (end > extra.size())
            return false;
        if (littleEndian(extra, at, 2) != 0x0001) {
            at = end;
            continue;
        }
        qsizetype field = data;
        bool taken = false;
        for (ZPOS64_T *value : {&e.info.uncompressed_size, &e.info.compressed_size, &offset}) {
            if (*value != Zip32Unknown || (value == &offset && central.isEmpty()))
                continue;
            if (field + 8 > end)
                break;
            *value = littleEndian(extra, field, 8);
            field += 8;
            taken = true;
        }
        if (diskFlagged && field + 4 <= end)
            e.disk = littleEndian(extra, field, 4), taken = true;
        if (!central.isEmpty())
            e.localHeader = offset;
        return taken;
    }
    return false;
}

bool readEntry(unzFile zip, const QString &path, Entry &e)
{
    if (unzGetCurrentFileInfo64(zip, &e.info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        return false;
    e.rawName = QByteArray(int(std::min<uLong>(e.info.size_filename, 65535)), '\0');
    QByteArray extra(int(e.info.size_file_extra), '\0');
    if (unzGetCurrentFileInfo64(zip, &e.info, e.rawName.data(), uLong(e.rawName.size()), extra.data(),
                                uLong(extra.size()), nullptr, 0) != UNZ_OK)
        return false;
    e.name = SSZipArchive::safeEntryName(e.rawName, &e.isFolder);
    if (!extra.contains(QByteArray("\x01\x00", 2)))
        return true;
    // minizip keeps the local header's offset and the disk number to itself: they are read from
    // the entry's own record (where an archive with bytes before it has none).
    QByteArray central;
    if (QFile file(path); file.open(QIODevice::ReadOnly) && file.seek(qint64(unzGetOffset64(zip)))) {
        central = file.read(46);
        if (central.size() != 46 || littleEndian(central, 0, 4) != 0x02014b50
            || littleEndian(central, 28, 2) != std::uint64_t(e.rawName.size()))
            central.clear();
    }
    e.zip64 = takeZip64Fields(extra, central, e);
    return true;
}

// The methods minizip inflates here; any other leaves an entry that reads as empty.
QString unreadMethod(const Entry &e)
{
    switch (e.info.compression_method) {
    case 0:
    case Z_DEFLATED: return {};
    case 12: return QStringLiteral("bzip2");
    case 14: return QStringLiteral("LZMA");
    case 93: return QStringLiteral("Zstandard");
    case 95: return QStringLiteral("XZ");
    default: return QStringLiteral("method %1").arg(e.info.compression_method);
    }
}

// Refuses an entry whose declared sizes pass the limits: before anything is written, so a bomb
// costs neither time nor disk.
bool declaredWithinLimits(const Unpack &job, const unz_file_info64 &info, std::uint64_t &declaredTotal)
{
    declaredTotal += info.uncompressed_size;
    if (info.uncompressed_size > job.limits.maxTotalBytes || declaredTotal > job.limits.maxTotalBytes) {
        setError(job.error, job.errorCode, SSZipArchive::ErrorLimit,
                 QStringLiteral("the archive unpacks to more than %1 MiB").arg(job.limits.maxTotalBytes >> 20));
        return false;
    }
    if (info.uncompressed_size > job.limits.ratioFloor
        && info.uncompressed_size / std::max<std::uint64_t>(info.compressed_size, 1) > job.limits.maxRatio) {
        setError(job.error, job.errorCode, SSZipArchive::ErrorLimit,
                 QStringLiteral("an entry of the archive inflates more than %1 times").arg(job.limits.maxRatio));
        return false;
    }
    return true;
}

// Where the entry's data starts, after its local header, which must be the entry's own (the
// signature, method and name the central directory gives): an offset that lies finds none.
std::optional<std::uint64_t> dataStart(QFile &file, const Entry &entry)
{
    if (entry.disk != 0 || !file.seek(qint64(std::min<std::uint64_t>(*entry.localHeader, INT64_MAX))))
        return std::nullopt;
    const QByteArray local = file.read(30);
    if (local.size() != 30 || littleEndian(local, 0, 4) != 0x04034b50
        || littleEndian(local, 8, 2) != entry.info.compression_method
        || littleEndian(local, 26, 2) != std::uint64_t(entry.rawName.size())
        || file.read(entry.rawName.size()) != entry.rawName)
        return std::nullopt;
    return *entry.localHeader + 30 + littleEndian(local, 26, 2) + littleEndian(local, 28, 2);
}

// A ZIP64 entry's data, read here rather than by minizip, which takes 0xFFFFFFFF for its sizes
// and offset (see takeZip64Fields): it would read on past the entry's end and never check its
// checksum, or not find the entry at all. The data is inflated whole into `bytes`.
bool readZip64Entry(unzFile zip, const QString &path, const Entry &entry, const Unpack &job, std::uint64_t &total,
                    QByteArray &bytes)
{
    const unz_file_info64 &info = entry.info;
    const auto fail = [&](int code, const QString &text) {
        setError(job.error, job.errorCode, code, text);
        bytes = QByteArray();
        return false;
    };
    const QString damaged = QStringLiteral("damaged entry in zip file: %1").arg(entry.name);
    QFile file(path);
    std::optional<std::uint64_t> start;
    if (entry.localHeader && file.open(QIODevice::ReadOnly)) {
        start = dataStart(file, entry);
    } else if (!entry.localHeader && unzOpenCurrentFile(zip) == UNZ_OK) {
        // No record of its own to read (bytes stand before the archive): minizip finds it.
        start = unzGetCurrentFileZStreamPos64(zip);
        unzCloseCurrentFile(zip);
    }
    if (!start)
        return fail(SSZipArchive::ErrorEntry, QStringLiteral("failed to open an entry of the zip file"));
    if (!file.isOpen() && !file.open(QIODevice::ReadOnly))
        return fail(SSZipArchive::ErrorChecksum, damaged);
    if (*start > std::uint64_t(file.size())
        || info.compressed_size > std::uint64_t(file.size()) - *start || !file.seek(qint64(*start)))
        return fail(SSZipArchive::ErrorChecksum, damaged);
    QByteArray packed = file.read(qint64(info.compressed_size));
    if (std::uint64_t(packed.size()) != info.compressed_size)
        return fail(SSZipArchive::ErrorChecksum, damaged);
    total += info.uncompressed_size;  // within the limits: the declared sizes were checked
    if (info.compression_method == 0) {
        if (info.compressed_size != info.uncompressed_size)
            return fail(SSZipArchive::ErrorChecksum, damaged);
        bytes = std::move(packed);
    } else {
        bytes = QByteArray(qsizetype(info.uncompressed_size), Qt::Uninitialized);
        z_stream z{};
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
            return fail(SSZipArchive::ErrorEntry, QStringLiteral("failed to open an entry of the zip file"));
        z.next_in = reinterpret_cast<Bytef *>(packed.data());
        z.avail_in = uInt(packed.size());
        z.next_out = reinterpret_cast<Bytef *>(bytes.data());
        z.avail_out = uInt(bytes.size());
        const int ended = inflate(&z, Z_FINISH);
        const uLong out = z.total_out;
        inflateEnd(&z);
        if (ended != Z_STREAM_END || out != info.uncompressed_size)
            return fail(SSZipArchive::ErrorChecksum, damaged);
    }
    if (crc32_z(0, reinterpret_cast<const Bytef *>(bytes.constData()), size_t(bytes.size())) != info.crc)
        return fail(SSZipArchive::ErrorChecksum, QStringLiteral("checksum error in zip file: %1").arg(entry.name));
    return true;
}

// Inflates the current entry into `bytes`, straight into one buffer of its declared size (the
// declared sizes passed the limits before anything was inflated), with the checks of unpacking
// to a file: the total, no byte past the declared size, the checksum.
bool inflateEntry(unzFile zip, const QString &path, const Entry &entry, const Unpack &job, std::uint64_t &total,
                  QByteArray &bytes)
{
    if (entry.zip64)
        return readZip64Entry(zip, path, entry, job, total, bytes);
    const unz_file_info64 &info = entry.info;
    const QString &name = entry.name;
    if (unzOpenCurrentFile(zip) != UNZ_OK) {
        setError(job.error, job.errorCode, SSZipArchive::ErrorEntry, QStringLiteral("failed to open an entry of the zip file"));
        return false;
    }
    auto fail = [&](int code, const QString &text) {
        setError(job.error, job.errorCode, code, text);
        unzCloseCurrentFile(zip);
        bytes = QByteArray();
        return false;
    };
    const std::uint64_t declared = info.uncompressed_size;
    if (declared > std::uint64_t(std::numeric_limits<qsizetype>::max() / 2))
        return fail(SSZipArchive::ErrorLimit,
                    QStringLiteral("the archive unpacks to more than %1 MiB").arg(job.limits.maxTotalBytes >> 20));
    bytes = QByteArray(qsizetype(declared), Qt::Uninitialized);
    std::uint64_t at = 0;
    char past[1];
    for (;;) {
        // Once the declared bytes are in, one more byte tells a header that lies.
        const unsigned room = unsigned(std::min<std::uint64_t>(declared - at, 256 * 1024));
        char *into = room ? bytes.data() + at : past;
        const int read = unzReadCurrentFile(zip, into, room ? room : 1);
        if (read < 0)
            return fail(SSZipArchive::ErrorChecksum, QStringLiteral("damaged entry in zip file: %1").arg(name));
        if (read == 0)
            break;
        total += std::uint64_t(read);
        if (total > job.limits.maxTotalBytes)
            return fail(SSZipArchive::ErrorLimit,
                        QStringLiteral("the archive unpacks to more than %1 MiB").arg(job.limits.maxTotalBytes >> 20));
        if (!room)  // more than it declared: the declared sizes were what we checked
            return fail(SSZipArchive::ErrorChecksum, QStringLiteral("damaged entry in zip file: %1").arg(name));
        at += std::uint64_t(read);
    }
    if (at != declared)  // cut short: it never reaches the checksum minizip checks at its end
        return fail(SSZipArchive::ErrorChecksum, QStringLiteral("damaged entry in zip file: %1").arg(name));
    if (unzCloseCurrentFile(zip) == UNZ_CRCERROR) {
        setError(job.error, job.errorCode, SSZipArchive::ErrorChecksum, QStringLiteral("checksum error in zip file: %1").arg(name));
        bytes = QByteArray();
        return false;
    }
    return true;
}

bool unpack(const QString &path, const QString &destination, const Unpack &job)
{
    QString *error = job.error;
    int *errorCode = job.errorCode;
    const ZipLimits &limits = job.limits;
    if (job.unpacked)
        *job.unpacked = 0;
    // A FIFO in the workbook's place would hold the open until something writes to it.
    if (!platform::isRegularFile(path)) {
        setError(error, errorCode, SSZipArchive::ErrorOpen, QStringLiteral("failed to open zip file: it is not a regular file"));
        return false;
    }
    unzFile zip = unzOpen64(QFile::encodeName(path).constData());
    if (!zip) {
        setError(error, errorCode, SSZipArchive::ErrorOpen, QStringLiteral("failed to open zip file"));
        return false;
    }
    if (unzGoToFirstFile(zip) != UNZ_OK) {
        setError(error, errorCode, SSZipArchive::ErrorFirstFile, QStringLiteral("failed to open first file in zip file"));
        unzClose(zip);
        return false;
    }
    // First the central directory alone: count the entries and add up what the wanted ones
    // declare, so a refused archive has cost no inflating and no file.
    {
        unz_global_info64 global;
        if (unzGetGlobalInfo64(zip, &global) == UNZ_OK && global.number_entry > std::uint64_t(limits.maxEntries)) {
            setError(error, errorCode, SSZipArchive::ErrorLimit, QStringLiteral("too many entries in zip file"));
            unzClose(zip);
            return false;
        }
        int entries = 0;
        std::uint64_t declared = 0;
        std::unordered_set<QString> seen;
        do {
            if (++entries > limits.maxEntries) {
                setError(error, errorCode, SSZipArchive::ErrorLimit, QStringLiteral("too many entries in zip file"));
                unzClose(zip);
                return false;
            }
            Entry e;
            if (!readEntry(zip, path, e)) {
                setError(error, errorCode, SSZipArchive::ErrorEntry, QStringLiteral("failed to read an entry of the zip file"));
                unzClose(zip);
                return false;
            }
            if (e.isFolder || e.name.isEmpty())
                continue;
            // Two entries of one name (or names that differ in case only, which a workbook's
            // parts never do) leave which of them is read to chance.
            if (!seen.insert(e.name.toCaseFolded()).second) {
                setError(error, errorCode, SSZipArchive::ErrorRefused,
                         QStringLiteral("the archive holds two entries named %1").arg(e.name));
                unzClose(zip);
                return false;
            }
            if (!isWanted(job, e.name))
                continue;
            if (const QString method = unreadMethod(e); !method.isEmpty()) {
                setError(error, errorCode, SSZipArchive::ErrorRefused,
                         QStringLiteral("the archive's entry %1 is packed with %2, which is not read here").arg(e.name, method));
                unzClose(zip);
                return false;
            }
            if (!declaredWithinLimits(job, e.info, declared)) {
                unzClose(zip);
                return false;
            }
        } while (unzGoToNextFile(zip) == UNZ_OK);
        unzGoToFirstFile(zip);
    }
    const QString root = job.memory ? QString() : QFileInfo(destination).absoluteFilePath();
    if (!job.memory)
        QDir().mkpath(root);
    const QString canonicalRoot = job.memory ? QString() : QFileInfo(root).canonicalFilePath();
    std::uint64_t total = 0;
    bool success = true;
    std::vector<char> buffer(64 * 1024);
    do {
        Entry entry;
        if (!readEntry(zip, path, entry)) {
            setError(error, errorCode, SSZipArchive::ErrorEntry, QStringLiteral("failed to read an entry of the zip file"));
            success = false;
            break;
        }
        const unz_file_info64 &info = entry.info;
        const QByteArray &rawName = entry.rawName;
        const QString &name = entry.name;
        const bool isFolder = entry.isFolder;
        if (job.wanted && (isFolder || !isWanted(job, name)))
            continue;
        if (name.isEmpty() && !rawName.isEmpty() && rawName != "/" && rawName != "\\") {
            setError(error, errorCode, SSZipArchive::ErrorUnsafeName,
                     QStringLiteral("refused zip entry outside its folder: %1").arg(QString::fromUtf8(rawName)));
            success = false;
            break;
        }
        if (name.isEmpty())
            continue;
        if (job.memory) {
            if (isFolder)
                continue;
            if (!inflateEntry(zip, path, entry, job, total, (*job.memory)[name])) {
                job.memory->remove(name);
                success = false;
                break;
            }
            continue;
        }
        const QString target = root + QLatin1Char('/') + name;
        const QString parent = isFolder ? target : QFileInfo(target).absolutePath();
        QDir().mkpath(parent);
        // A folder that is already there may be a link; what lies under it must still be ours.
        const QString canonicalParent = QFileInfo(parent).canonicalFilePath();
        if (!canonicalParent.isEmpty() && canonicalParent != canonicalRoot
            && !canonicalParent.startsWith(canonicalRoot + QLatin1Char('/'))) {
            setError(error, errorCode, SSZipArchive::ErrorUnsafeName, QStringLiteral("refused zip entry outside its folder: %1").arg(name));
            success = false;
            break;
        }
        if (isFolder || (!job.overwrite && QFileInfo::exists(target)))
            continue;
        QByteArray whole;  // a ZIP64 entry, read whole by readZip64Entry (which counts nothing here)
        if (std::uint64_t counted = 0; entry.zip64 && !readZip64Entry(zip, path, entry, job, counted, whole)) {
            success = false;
            break;
        }
        const int opened = entry.zip64              ? UNZ_OK
                           : job.password.isEmpty() ? unzOpenCurrentFile(zip)
                                                    : unzOpenCurrentFilePassword(zip, job.password.constData());
        if (opened != UNZ_OK) {
            setError(error, errorCode, SSZipArchive::ErrorEntry, QStringLiteral("failed to open an entry of the zip file"));
            success = false;
            break;
        }
        QFile::remove(target);  // never write through a link that stands there
        QFile out(target);
        // Unbuffered: a buffered file's last flush fails unseen on close, leaving a part cut short
        // (or empty) on a full disk as if it had been unpacked.
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
            setError(error, errorCode, SSZipArchive::ErrorWrite,
                     QStringLiteral("could not write %1 (%2)").arg(target, out.errorString()));
            unzCloseCurrentFile(zip);
            success = false;
            break;
        }
        int read = 0;
        bool entryOk = true;
        std::uint64_t entryBytes = 0;
        const auto next = [&] {
            if (!entry.zip64)
                return unzReadCurrentFile(zip, buffer.data(), unsigned(buffer.size()));
            const int n = int(std::min<qsizetype>(qsizetype(buffer.size()), whole.size() - qsizetype(entryBytes)));
            std::copy_n(whole.constData() + entryBytes, n, buffer.data());
            return n;
        };
        while ((read = next()) > 0) {
            total += std::uint64_t(read);
            entryBytes += std::uint64_t(read);
            if (total > limits.maxTotalBytes) {
                setError(error, errorCode, SSZipArchive::ErrorLimit,
                         QStringLiteral("the archive unpacks to more than %1 MiB").arg(limits.maxTotalBytes >> 20));
                entryOk = false;
                break;
            }
            // More than it declared: the header lies, and the declared sizes were what we checked.
            if (entryBytes > info.uncompressed_size) {
                setError(error, errorCode, SSZipArchive::ErrorChecksum, QStringLiteral("damaged entry in zip file: %1").arg(name));
                entryOk = false;
                break;
            }
            // A write cut short is tried again with the rest: on a full disk that try fails and
            // carries the system's reason.
            for (qint64 done = 0, n = 0; entryOk && done < read; done += n) {
                n = out.write(buffer.data() + done, read - done);
                if (n <= 0) {
                    setError(error, errorCode, SSZipArchive::ErrorWrite,
                             QStringLiteral("could not write %1 (%2)").arg(target, out.errorString()));
                    entryOk = false;
                }
            }
            if (!entryOk)
                break;
        }
        if (entryOk && (read < 0 || entryBytes != info.uncompressed_size)) {
            setError(error, errorCode, SSZipArchive::ErrorChecksum, QStringLiteral("damaged entry in zip file: %1").arg(name));
            entryOk = false;
        }
        out.close();
        const int closed = entry.zip64 ? UNZ_OK : unzCloseCurrentFile(zip);
        if (entryOk && closed == UNZ_CRCERROR) {
            setError(error, errorCode, SSZipArchive::ErrorChecksum, QStringLiteral("checksum error in zip file: %1").arg(name));
            entryOk = false;
        }
        if (!entryOk) {
            QFile::remove(target);
            success = false;
            break;
        }
        if (info.dosDate != 0)
            QFile(target).setFileTime(fromDosDate(info.dosDate), QFileDevice::FileModificationTime);
    } while (unzGoToNextFile(zip) == UNZ_OK);
    unzClose(zip);
    if (job.unpacked)
        *job.unpacked = total;
    return success;
}

}  // namespace

bool SSZipArchive::unzipFileAtPath(const QString &path, const QString &destination, bool overwrite,
                                   const QString &password, QString *error, int *errorCode, const ZipLimits &limits)
{
    Unpack job;
    job.overwrite = overwrite;
    job.password = password.toLatin1();
    job.error = error;
    job.errorCode = errorCode;
    job.limits = limits;
    return unpack(path, destination, job);
}

namespace {
// The named entries only, to a folder or into memory alike.
Unpack entriesJob(const QStringList &names, QString *error, const ZipLimits &limits, std::uint64_t *unpacked,
                  int *errorCode)
{
    Unpack job;
    job.wanted = &names;
    job.error = error;
    job.errorCode = errorCode;
    job.limits = limits;
    job.unpacked = unpacked;
    return job;
}
}  // namespace

bool SSZipArchive::unzipEntries(const QString &path, const QString &destination, const QStringList &names,
                                QString *error, const ZipLimits &limits, std::uint64_t *unpacked, int *errorCode)
{
    Unpack job = entriesJob(names, error, limits, unpacked, errorCode);
    return unpack(path, destination, job);
}

bool SSZipArchive::inflateEntries(const QString &path, const QStringList &names, QHash<QString, QByteArray> &parts,
                                  QString *error, const ZipLimits &limits, std::uint64_t *unpacked, int *errorCode)
{
    Unpack job = entriesJob(names, error, limits, unpacked, errorCode);
    job.memory = &parts;
    return unpack(path, QString(), job);
}

QDateTime SSZipArchive::_dateFor1980() { return QDateTime(QDate(1980, 1, 1), QTime(0, 0)); }

std::uint64_t SSZipArchive::declaredUnpackedSize(const QString &path, const ZipLimits &limits)
{
    // A FIFO would hold the open until something writes to it: it declares nothing.
    if (!platform::isRegularFile(path))
        return 0;
    unzFile zip = unzOpen64(QFile::encodeName(path).constData());
    if (!zip)
        return 0;
    std::uint64_t total = 0;
    int entries = 0;
    for (int at = unzGoToFirstFile(zip); at == UNZ_OK && ++entries <= limits.maxEntries; at = unzGoToNextFile(zip)) {
        Entry e;
        if (!readEntry(zip, path, e))
            break;
        total += std::min<std::uint64_t>(e.info.uncompressed_size, std::uint64_t(1) << 40);
    }
    unzClose(zip);
    return total;
}

bool SSZipArchive::createZipFileAtPath(const QString &path, const QString &onePath, QString *error)
{
    return createZipFileAtPath(path, QStringList{onePath}, error);
}

bool SSZipArchive::createZipFileAtPath(const QString &path, const QStringList &paths, QString *error)
{
    SSZipArchive archive(path);
    if (!archive.open()) {
        if (error)
            *error = archive.errorString();
        return false;
    }
    for (QString item : paths) {
        if (item.endsWith(QLatin1Char('/')))
            item.chop(1);
        const int slash = item.lastIndexOf(QLatin1Char('/'));
        archive.writeFile(item.mid(slash + 1), item.left(slash + 1));
    }
    const bool ok = archive.close();
    if (!ok && error)
        *error = archive.errorString();
    return ok;
}

// minizip's own stdio calls, each noting errno the first time one fails: a full disk shows up
// in a short fwrite or a failed fclose, long before zipClose answers a bare ZIP_ERRNO.
struct SSZipArchive::WriteIo {
    zlib_filefunc64_def inner{};
    zlib_filefunc64_def outer{};
    int firstErrno = 0;

    WriteIo()
    {
        fill_fopen64_filefunc(&inner);
        outer = inner;
        outer.opaque = this;
        outer.zopen64_file = [](voidpf io, const void *name, int mode) -> voidpf {
            auto &self = *static_cast<WriteIo *>(io);
            errno = 0;
            const voidpf stream = self.inner.zopen64_file(self.inner.opaque, name, mode);
            if (!stream)
                self.note();
            return stream;
        };
        outer.zread_file = [](voidpf io, voidpf stream, void *buf, uLong size) -> uLong {
            auto &self = *static_cast<WriteIo *>(io);
            return self.inner.zread_file(self.inner.opaque, stream, buf, size);
        };
        outer.zwrite_file = [](voidpf io, voidpf stream, const void *buf, uLong size) -> uLong {
            auto &self = *static_cast<WriteIo *>(io);
            errno = 0;
            const uLong written = self.inner.zwrite_file(self.inner.opaque, stream, buf, size);
            if (written != size)
                self.note();
            return written;
        };
        outer.ztell64_file = [](voidpf io, voidpf stream) -> ZPOS64_T {
            auto &self = *static_cast<WriteIo *>(io);
            return self.inner.ztell64_file(self.inner.opaque, stream);
        };
        outer.zseek64_file = [](voidpf io, voidpf stream, ZPOS64_T offset, int origin) -> long {
            auto &self = *static_cast<WriteIo *>(io);
            errno = 0;
            const long result = self.inner.zseek64_file(self.inner.opaque, stream, offset, origin);
            if (result != 0)
                self.note();
            return result;
        };
        outer.zclose_file = [](voidpf io, voidpf stream) -> int {
            auto &self = *static_cast<WriteIo *>(io);
            errno = 0;
            const int result = self.inner.zclose_file(self.inner.opaque, stream);
            if (result != 0)
                self.note();
            return result;
        };
        outer.zerror_file = [](voidpf io, voidpf stream) -> int {
            auto &self = *static_cast<WriteIo *>(io);
            return self.inner.zerror_file(self.inner.opaque, stream);
        };
    }
    void note()
    {
        if (firstErrno == 0)
            firstErrno = errno != 0 ? errno : EIO;
    }
};

SSZipArchive::SSZipArchive(const QString &path) : _path(path) {}

QString SSZipArchive::Part_Note_Template(const QString &tempFolder)
{
    return (tempFolder.isEmpty() ? QDir::tempPath() : tempFolder) + QLatin1Char('/') + PartNotePrefix
           + QString::number(QCoreApplication::applicationPid()) + QStringLiteral("-XXXXXX");
}

bool SSZipArchive::Is_Part_File_Name(const QString &fileName)
{
    static const QRegularExpression pattern(QStringLiteral("^.+\\.[A-Za-z0-9]{6}\\.part$"));
    return pattern.match(fileName).hasMatch();
}

void SSZipArchive::removePartNote()
{
    if (!m_notePath.isEmpty())
        QFile::remove(m_notePath);
    m_notePath.clear();
}

QString SSZipArchive::withWriteReason(const QString &what) const
{
    return m_io && m_io->firstErrno != 0 ? platform::withReason(what, qt_error_string(m_io->firstErrno)) : what;
}

SSZipArchive::~SSZipArchive()
{
    if (_zip) {
        zipClose(static_cast<zipFile>(_zip), nullptr);
        QFile::remove(m_partPath);
    }
    removePartNote();
}

bool SSZipArchive::open()
{
    if (_zip)
        throw std::logic_error("Attempting open an archive which is already open");
    // A unique name beside the target, so the finished archive replaces it by a rename.
    QTemporaryFile part(_path + QStringLiteral(".XXXXXX.part"));
    part.setAutoRemove(false);
    if (!part.open()) {
        m_error = platform::withReason(QStringLiteral("could not create %1").arg(_path), part.errorString());
        return false;
    }
    m_partPath = part.fileName();
    part.close();
    // Without a note (a full temporary folder) the archive is written all the same.
    QTemporaryFile note(Part_Note_Template());
    note.setAutoRemove(false);
    if (note.open()) {
        m_notePath = note.fileName();
        if (note.write(QFile::encodeName(QFileInfo(m_partPath).absoluteFilePath())) <= 0 || !note.flush())
            removePartNote();
    }
    m_io = std::make_unique<WriteIo>();
    _zip = zipOpen2_64(QFile::encodeName(m_partPath).constData(), APPEND_STATUS_CREATE, nullptr, &m_io->outer);
    if (!_zip) {
        QFile::remove(m_partPath);
        removePartNote();
        m_error = withWriteReason(QStringLiteral("could not create %1").arg(_path));
    }
    m_failed = false;
    return _zip != nullptr;
}

bool SSZipArchive::addEntry(const QString &name, const QString &sourceFile, const QByteArray *data)
{
    zipFile zip = static_cast<zipFile>(_zip);
    zip_fileinfo info{};
    if (data)
        zipInfoSetDate(info, QDateTime::currentDateTime());
    // Regular files only: a FIFO would hold the open until someone writes to it. A file that
    // cannot be read fails the archive, which would otherwise be finished without it.
    QFile in(sourceFile);
    if (QString why; !data && !sourceFile.isEmpty() && !platform::openRegularFile(in, &why)) {
        m_failed = true;
        m_error = QStringLiteral("could not read %1 (%2)").arg(sourceFile, why);
        return false;
    }
    const QByteArray entryName = name.toUtf8();
    bool ok = zipOpenNewFileInZip64(zip, entryName.constData(), data ? &info : nullptr, nullptr, 0, nullptr, 0,
                                    nullptr, Z_DEFLATED, Z_DEFAULT_COMPRESSION, 1) == ZIP_OK;
    if (ok && data)
        ok = zipWriteInFileInZip(zip, data->constData(), unsigned(data->size())) == ZIP_OK;
    if (ok && in.isOpen()) {
        QByteArray block(16384, Qt::Uninitialized);
        qint64 n = 0;
        while (ok && (n = in.read(block.data(), block.size())) > 0)
            ok = zipWriteInFileInZip(zip, block.constData(), unsigned(n)) == ZIP_OK;
        ok = ok && n == 0;
    }
    ok = (zipCloseFileInZip(zip) == ZIP_OK) && ok;
    if (!ok) {
        m_failed = true;
        m_error = withWriteReason(QStringLiteral("could not add %1 to %2").arg(name, _path));
    }
    return ok;
}

bool SSZipArchive::writeFile(const QString &relativePath, const QString &basePath)
{
    if (!_zip)
        throw std::logic_error("Attempting to write to an archive which was never opened");
    const QString full = basePath + relativePath;
    const QFileInfo fi(full);
    if (fi.isDir()) {
        const QStringList items = QDir(full).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        if (items.isEmpty())
            return addEntry(relativePath + QLatin1Char('/'), QString(), nullptr);
        for (const QString &item : items)
            if (!writeFile(relativePath + QLatin1Char('/') + item, basePath))
                return false;
        return true;
    }
    if (!fi.isReadable()) {
        m_failed = true;
        m_error = QStringLiteral("could not read %1").arg(full);
        return false;
    }
    return addEntry(relativePath, full, nullptr);
}

bool SSZipArchive::writeData(const QByteArray &data, const QString &filename)
{
    if (!_zip || data.isNull())
        return false;
    return addEntry(filename, QString(), &data);
}

bool SSZipArchive::close()
{
    if (!_zip)
        throw std::logic_error("Attempting to close an archive which was never opened");
    const bool closed = zipClose(static_cast<zipFile>(_zip), nullptr) == ZIP_OK;
    _zip = nullptr;
    if (!closed && !m_failed)
        m_error = withWriteReason(QStringLiteral("could not finish %1").arg(_path));
    QFile::setPermissions(m_partPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                          | QFileDevice::ReadOther);
    if (!closed || m_failed || std::rename(QFile::encodeName(m_partPath).constData(), QFile::encodeName(_path).constData()) != 0) {
        if (m_error.isEmpty())
            m_error = platform::withReason(QStringLiteral("could not write %1").arg(_path), qt_error_string(errno));
        QFile::remove(m_partPath);
        removePartNote();
        return false;
    }
    removePartNote();
    return true;
}
