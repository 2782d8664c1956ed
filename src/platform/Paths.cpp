#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

QString dataFolderPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString resourceFolderPath()
{
    const QString env = qEnvironmentVariable("BADGELOOM_RESOURCES");
    if (!env.isEmpty())
        return QDir::cleanPath(env);
    if (!QCoreApplication::instance())
        return {};
    QDir dir(QCoreApplication::applicationDirPath());
    // The executable sits in <prefix>/bin, <build>/app or <build>/tests/<folder>.
    for (int up = 0; up < 4; ++up) {
        const QString installed = dir.filePath(QStringLiteral("share/badgeloom"));
        if (QFileInfo(installed).isDir())
            return QDir::cleanPath(installed);
        const QString buildTree = dir.filePath(QStringLiteral("resources"));
        if (QFileInfo(buildTree).isDir())
            return QDir::cleanPath(buildTree);
        if (!dir.cdUp())
            break;
    }
    return {};
}

QString joinPath(const QString &a, const QString &b)
{
    if (a.isEmpty())
        return b;
    if (b.isEmpty())
        return a;
    QString left = a;
    while (left.size() > 1 && left.endsWith(QLatin1Char('/')))
        left.chop(1);
    QString right = b;
    while (right.startsWith(QLatin1Char('/')))
        right.remove(0, 1);
    if (left == QLatin1String("/"))
        return left + right;
    return left + QLatin1Char('/') + right;
}

QString joinPath(const QString &a, const QString &b, const QString &c) { return joinPath(joinPath(a, b), c); }

}  // namespace platform
