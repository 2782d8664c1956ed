#include "platform/FileIcons.h"

#include "platform/MainThread.h"

#include <QApplication>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>
#include <QPainter>
#include <QThread>

namespace platform {

namespace {

// Whether the file's contents may be read to tell its kind without keeping the reader waiting.
bool contentsMayBeRead(const QFileInfo &info) { return info.isFile() && info.size() > 0; }

// A file's icon and kind in a panel, from its name alone. Qt's own provider reads each listed
// file (the MIME database sniffs what its name does not settle, the desktop theme may ask GIO
// for the same), on the GUI thread while the panel lists a folder: a file that blocks on read,
// as /proc/kmsg does, froze the window for good, and a slow disk slowed every keystroke.
class NameOnlyIconProvider final : public QAbstractFileIconProvider {
public:
    QIcon icon(IconType type) const override
    {
        // The style's icons where there are widgets, as Qt's panel shows; else the theme's.
        return qobject_cast<QApplication *>(QCoreApplication::instance()) ? m_style.icon(type)
                                                                         : QAbstractFileIconProvider::icon(type);
    }

    QIcon icon(const QFileInfo &info) const override
    {
        if (info.isRoot())
            return icon(Drive);
        if (info.isDir())
            return icon(Folder);
        if (info.isFile()) {
            const QMimeType kind = byName(info);
            const QIcon themed = QIcon::fromTheme(kind.iconName(), QIcon::fromTheme(kind.genericIconName()));
            if (!themed.isNull())
                return themed;
        }
        return icon(File);
    }

    QString type(const QFileInfo &info) const override
    {
        // Qt's answer for anything but a regular file comes from its metadata alone.
        if (!info.isFile())
            return QAbstractFileIconProvider::type(info);
        const QMimeType kind = byName(info);
        return kind.comment().isEmpty() ? kind.name() : kind.comment();
    }

private:
    QMimeType byName(const QFileInfo &info) const
    {
        return m_mime.mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    }
    QMimeDatabase m_mime;
    QFileIconProvider m_style;
};

}  // namespace

QMimeType mimeTypeOfFile(const QString &path)
{
    const QFileInfo info(path);
    return QMimeDatabase().mimeTypeForFile(info, contentsMayBeRead(info) ? QMimeDatabase::MatchDefault
                                                                          : QMimeDatabase::MatchExtension);
}

QAbstractFileIconProvider *nameOnlyIconProvider()
{
    static auto *const provider = new NameOnlyIconProvider;
    return provider;
}

QImage fileIconImage(const QString &path, const QSize &size)
{
    if (size.isEmpty() || !QCoreApplication::instance())
        return {};
    // A worker gets no icon rather than waiting for the GUI thread, which may itself be waiting
    // for the worker (a batch run delivering its rows): a file that is no picture shows nothing.
    if (QThread::currentThread() != QCoreApplication::instance()->thread())
        return {};
    return runOnGuiThreadFor<QImage>([&]() -> QImage {
        // The widget provider falls back on the style's file icons where the desktop names no
        // icon theme; a program without widgets gets the theme's icon or nothing. Both read the
        // file to tell its kind, so anything that may keep a reader waiting is shown by its name.
        const QFileInfo info(path);
        QIcon icon;
        if (!contentsMayBeRead(info))
            icon = nameOnlyIconProvider()->icon(info);
        else if (qobject_cast<QApplication *>(QCoreApplication::instance()))
            icon = QFileIconProvider().icon(info);
        else
            icon = QAbstractFileIconProvider().icon(info);
        if (icon.isNull())
            return {};
        // The icon is stretched to the asked size, as a picture shown in its place would be.
        const QPixmap pixmap = icon.pixmap(size);
        if (pixmap.isNull())
            return {};
        QImage out(size, QImage::Format_ARGB32_Premultiplied);
        out.fill(Qt::transparent);
        QPainter painter(&out);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawPixmap(QRect(QPoint(0, 0), size), pixmap);
        painter.end();
        return out;
    });
}

}  // namespace platform
