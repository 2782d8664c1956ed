#include "core/PictureServices.h"

#include "core/ControllerImageFiles.h"
#include "core/SKTImage.h"
#include "core/Utilities.h"

#include <QDir>
#include <QFileInfo>

namespace {
PictureServices g_defaultServices;
PictureServices *g_services = nullptr;
}  // namespace

QImage PictureServices::Get_Image_For_Path(const QString &path, bool asIcon)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return {};
    return imageWithPreviewOfFileAtPath(QDir::cleanPath(path), QSizeF(500, 500), asIcon);
}

QString PictureServices::Check_Path_For_App_Resources(const QString &path) { return Trim_Str(path); }

QImage PictureServices::Get_Image_With_Update_Settings(SKTGraphic &control) { return Adjusted_Control_Picture(control); }

PictureServices &pictureServices() { return g_services ? *g_services : g_defaultServices; }

PictureServices *setPictureServices(PictureServices *services)
{
    PictureServices *previous = g_services;
    g_services = services;
    return previous;
}
