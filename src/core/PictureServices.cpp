#include "core/PictureServices.h"
#include "core/Globals.h"

#include "core/ControllerImageFiles.h"
#include "core/SKTImage.h"
#include "core/Utilities.h"

#include <QCache>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMutex>

namespace {
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

QImage PictureServices::Get_Image_For_Path(const QString &path, bool)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return {};
    // The as-icon flag changes nothing in the preview.
    return filePreviews().get(QDir::cleanPath(path));
}

QString PictureServices::Check_Path_For_App_Resources(const QString &path)
{
    // Delivered designs name the application's own pictures by file name alone ("no.png", the
    // photo placeholder): such a name is the resource of that name wherever the program lives.
    const QString p = Trim_Str(path);
    if (p.isEmpty() || p.contains(QLatin1Char('/')) || Resource_Path.isEmpty())
        return p;
    const QString resource = Resource_Path + QLatin1Char('/') + p;
    return QFileInfo(resource).isFile() ? resource : p;
}

QImage PictureServices::Get_Image_With_Update_Settings(SKTGraphic &control) { return Adjusted_Control_Picture(control); }

PictureServices &pictureServices() { return g_services ? *g_services : g_defaultServices; }

PictureServices *setPictureServices(PictureServices *services)
{
    PictureServices *previous = g_services;
    g_services = services;
    return previous;
}
