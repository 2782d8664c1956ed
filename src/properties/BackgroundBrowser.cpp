#include "properties/BackgroundBrowser.h"

#include <QDir>
#include <QFileInfo>

namespace {
// Thumbnails about 88 points wide, as the card tab has room for.
constexpr double kBackgroundZoom = 0.15;
}  // namespace

BackgroundBrowser::BackgroundBrowser(QWidget *parent) : ImageBrowserView(parent)
{
    setZoomValue(kBackgroundZoom);
    setMinimumHeight(150);
    connect(this, &ImageBrowserView::imageSelected, this, [this](const QString &path) {
        selected_image = path;
        if (chosen)
            chosen(selected_image);
    });
}

void BackgroundBrowser::Load_and_fill_backgrounds(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return;
    removeAllImages();
    const QDir dir(folder);
    for (const QString &entry : dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted)) {
        const QString extension = QFileInfo(entry).suffix().toLower();
        if (extension == QLatin1String("png") || extension == QLatin1String("jpg"))
            addImageWithPath(dir.filePath(entry), entry, entry);
    }
}

const MyImageObject *BackgroundBrowser::itemAtIndex(int index) const
{
    return index >= 0 && index < int(images().size()) ? &images()[size_t(index)] : nullptr;
}
