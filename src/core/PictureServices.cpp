#include "core/PictureServices.h"
#include "core/Globals.h"

#include "core/ControllerImageFiles.h"
#include "core/SKTImage.h"
#include "core/Globals.h"
#include "core/Utilities.h"
#include "platform/Paths.h"
#include "platform/PictureBudget.h"
#include "platform/RegularFile.h"

#include <QCache>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QMutex>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {
std::atomic<long long> g_previewsDecoded{0};
NoWindowPictureServices g_defaultServices;
PictureServices *g_services = nullptr;

// Previews of the files last loaded: controls showing the same file share one picture rather
// than each decoding and holding its own. A file changed since (time or size) is read again.
class FilePreviews {
public:
    QImage get(const QString &path)
    {
        const QFileInfo info(path);
        const Stamp stamp{info.lastModified().toMSecsSinceEpoch(), info.metadataChangeTime().toMSecsSinceEpoch(),
                          info.size()};
        {
            const QMutexLocker lock(&mutex);
            if (const Entry *entry = cache.object(path); entry && entry->stamp == stamp)
                return entry->picture;
        }
        ++g_previewsDecoded;
        const QImage picture = imageWithPreviewOfFileAtPath(path, QSizeF(500, 500), false);
        const QMutexLocker lock(&mutex);
        // Cost in kilobytes: previews of at most 256 MB stay remembered.
        cache.insert(path, new Entry{stamp, picture}, std::max<qsizetype>(1, picture.sizeInBytes() / 1024));
        return picture;
    }

private:
    struct Stamp {
        qint64 modified = 0, changed = 0, size = 0;
        bool operator==(const Stamp &) const = default;
    };
    struct Entry {
        Stamp stamp;
        QImage picture;
    };
    QMutex mutex;
    QCache<QString, Entry> cache{256 * 1024};
};

FilePreviews &filePreviews()
{
    static FilePreviews previews;
    return previews;
}
}  // namespace

namespace {
constexpr int kPreviewSide = 500;

QStringList distinctFiles(const QStringList &paths)
{
    QStringList out;
    for (const QString &path : paths) {
        const QString clean = path.isEmpty() ? QString() : QDir::cleanPath(path);
        if (!clean.isEmpty() && !out.contains(clean) && QFileInfo(clean).isFile())
            out.append(clean);
    }
    return out;
}

}  // namespace

qint64 File_Preview_Decode_Bytes(const QString &path)
{
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid())
        return 0;
    const QByteArray format = reader.format();
    QSize held = format == "png" || format == "jpeg" ? size.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio) : size;
    // The JPEG decoder scales by at most 1/8 while decoding and only then down to the preview, so
    // a large JPEG holds an eighth of its width and height at once.
    if (format == "jpeg")
        held = held.expandedTo(QSize((size.width() + 7) / 8, (size.height() + 7) / 8));
    return qint64(held.width()) * held.height() * 4;
}

void Prefetch_File_Previews(const QStringList &paths)
{
    const QStringList files = distinctFiles(paths);
    if (files.size() < 2)
        return;  // one file is loaded where it is needed
    constexpr qint64 kInFlight = qint64(512) << 20;
    std::mutex mutex;
    std::condition_variable freed;
    qint64 held = 0;
    std::atomic<qsizetype> next{0};
    const auto work = [&] {
        for (qsizetype i = next++; i < files.size(); i = next++) {
            const qint64 cost = File_Preview_Decode_Bytes(files[i]);
            {
                std::unique_lock lock(mutex);
                freed.wait(lock, [&] { return held == 0 || held + cost <= kInFlight; });
                held += cost;
            }
            filePreviews().get(files[i]);
            {
                const std::lock_guard lock(mutex);
                held -= cost;
            }
            freed.notify_all();
        }
    };
    std::vector<std::jthread> helpers;
    const qsizetype cores = std::clamp<qsizetype>(std::thread::hardware_concurrency(), 1, 8);
    for (qsizetype t = 1; t < std::min(cores, files.size()); ++t)
        helpers.emplace_back(work);
    work();
}

long long File_Previews_Decoded() { return g_previewsDecoded.load(); }

double File_Preview_Pixels(const QStringList &paths)
{
    double pixels = 0;
    for (const QString &file : distinctFiles(paths)) {
        const QSize size = QImageReader(file).size();
        if (size.isValid())
            pixels += double(size.width()) * size.height() > double(kPreviewSide) * kPreviewSide
                          ? [&] {
                                const QSize fitted = size.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio);
                                return double(fitted.width()) * fitted.height();
                            }()
                          : double(size.width()) * size.height();
    }
    return pixels;
}

QImage PictureServices::Get_Image_For_Path(const QString &path, bool)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return {};
    // The as-icon flag changes nothing in the preview.
    return filePreviews().get(QDir::cleanPath(path));
}

QString PictureServices::Check_Path_For_App_Resources(const QString &path)
{
    const QString trimmed = Trim_Str(path);
    if (trimmed.isEmpty() || trimmed.contains(QLatin1Char('/')) || trimmed == QLatin1String(".") ||
        trimmed == QLatin1String("..") || Resource_Path.isEmpty())
        return trimmed;
    const QString installed = platform::joinPath(Resource_Path, trimmed);
    return QFileInfo(installed).isFile() ? installed : trimmed;
}

QString Placeholder_Picture_Path() { return platform::joinPath(Resource_Path, QStringLiteral("no.png")); }

bool Is_Placeholder_Picture(const QString &path)
{
    const QString trimmed = Trim_Str(path);
    return trimmed == QLatin1String("no.png") ||
           (!Resource_Path.isEmpty() && QDir::cleanPath(trimmed) == QDir::cleanPath(Placeholder_Picture_Path()));
}

QString Shown_Picture_Path(const QString &path) { return Is_Placeholder_Picture(path) ? QString() : Trim_Str(path); }

bool Check_Picture_File(const QString &path)
{
    // A FIFO or a device is never opened: only a regular file can be a picture.
    if (!platform::isRegularFile(path) || !QImageReader(path).canRead()) {
        Show_MessageBox(QStringLiteral("\u201C%1\u201D is not a picture.").arg(QFileInfo(path).fileName()));
        return false;
    }
    // A picture whose header claims more pixels than the budget is refused before any decoding.
    if (const QString refused = platform::pictureDecodeRefusal(path); !refused.isEmpty()) {
        Show_MessageBox(refused);
        return false;
    }
    return true;
}

QImage PictureServices::Get_Image_With_Update_Settings(SKTGraphic &control) { return Adjusted_Control_Picture(control); }

PictureServices &pictureServices() { return g_services ? *g_services : g_defaultServices; }

PictureServices *setPictureServices(PictureServices *services)
{
    PictureServices *previous = g_services;
    g_services = services;
    return previous;
}
