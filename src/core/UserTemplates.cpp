#include "core/UserTemplates.h"

#include "core/ControllerImageFiles.h"
#include "core/Utilities.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool sameBytes(const QString &a, const QString &b)
{
    QFile fa(a), fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
        return false;
    return fa.readAll() == fb.readAll();
}

// Copies and checks; a failed copy leaves nothing behind.
bool copyChecked(const QString &from, const QString &to)
{
    if (QFile::exists(to) || !QFile::copy(from, to) || !sameBytes(from, to)) {
        if (QFile::exists(to) && !sameBytes(from, to))
            QFile::remove(to);
        return false;
    }
    return true;
}
}  // namespace

QString Template_Design_Path(const QString &previewPath)
{
    const QFileInfo f(previewPath);
    return f.dir().filePath(f.completeBaseName() + QLatin1Char('.') + design_file_EXT);
}

QString Create_New_File_Path(const QString &previewPath)
{
    const QFileInfo f(previewPath);
    for (int n = 1;; ++n) {
        const QString candidate =
            f.dir().filePath(QStringLiteral("%1 (copy %2).%3").arg(f.completeBaseName(), QString::number(n), f.suffix()));
        // Both names must be free: a copy must never land on another template's design file.
        if (!QFile::exists(candidate) && !QFile::exists(Template_Design_Path(candidate)))
            return candidate;
    }
}

QString Copy_User_Template(const QString &previewPath)
{
    const QString preview = Create_New_File_Path(previewPath);
    if (!copyChecked(previewPath, preview))
        return {};
    if (!copyChecked(Template_Design_Path(previewPath), Template_Design_Path(preview))) {
        QFile::remove(preview);
        return {};
    }
    return preview;
}

QString Rename_User_Template(const QString &previewPath, const QString &newName)
{
    const QFileInfo f(previewPath);
    const QString preview = f.dir().filePath(newName + QLatin1Char('.') + f.suffix());
    if (preview == previewPath)
        return preview;
    const QString design = Template_Design_Path(preview);
    if (!copyChecked(previewPath, preview))
        return {};
    if (!copyChecked(Template_Design_Path(previewPath), design)) {
        QFile::remove(preview);
        return {};
    }
    Delete_File(previewPath);
    Delete_File(Template_Design_Path(previewPath));
    return preview;
}

void Delete_User_Template(const QString &previewPath)
{
    Delete_File(previewPath);
    Delete_File(Template_Design_Path(previewPath));
}
