#include "platform/FileIcons.h"

#include "platform/MainThread.h"

#include <QApplication>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QPainter>
#include <QThread>

namespace platform {

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
        // icon theme; a program without widgets gets the theme's icon or nothing.
        QIcon icon;
        if (qobject_cast<QApplication *>(QCoreApplication::instance()))
            icon = QFileIconProvider().icon(QFileInfo(path));
        else
            icon = QAbstractFileIconProvider().icon(QFileInfo(path));
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
