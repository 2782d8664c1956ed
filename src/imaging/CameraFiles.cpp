#include "imaging/CameraFiles.h"

#include "core/Globals.h"
#include "platform/Paths.h"
#include "platform/WholeFile.h"

#include <QFileInfo>
#include <QStringList>

QString Camera_Folder_Path;
QString Camera_Capture_Image;
int Camera_Capture_Count = 1;

const QStringList Camera_Export_Formats = {QStringLiteral("jpg"), QStringLiteral("bmp"), QStringLiteral("png"),
                                           QStringLiteral("tiff")};

QString Camera_Path_File() { return platform::joinPath(Created_Resource_Path, QStringLiteral("daziruzevodud.txt")); }

QString Default_Camera_Folder()
{
    return platform::joinPath(Created_Resource_Path, QStringLiteral("Images_save_by_user"));
}

bool Create_Camera_Path_File(const QString &file)
{
    return platform::writeWholeFile(file, Camera_Folder_Path.toUtf8());
}

QString Free_Camera_File_Path(const QString &path, int count)
{
    if (!QFileInfo::exists(path))
        return path;
    const QFileInfo info(path);
    const QString folder = info.path(), extension = info.suffix();
    QString candidate;
    for (int n = count;; ++n) {
        candidate = platform::joinPath(folder, QStringLiteral("velk_user_save_%1.%2").arg(n).arg(extension));
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

QString Create_New_Camera_File_Path(const QString &path) { return Free_Camera_File_Path(path, Camera_Capture_Count); }

QString Camera_Export_Path(const QString &chosen)
{
    const QString suffix = QFileInfo(chosen).suffix().toLower();
    static const QStringList accepted = {QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("bmp"),
                                         QStringLiteral("png"), QStringLiteral("tif"), QStringLiteral("tiff")};
    if (accepted.contains(suffix))
        return chosen;
    return chosen + QStringLiteral(".png");
}
