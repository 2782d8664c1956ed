#include "properties/BackgroundBrowser.h"

#include "core/ControllerImageFiles.h"

#include <QDir>
#include <QFileInfo>

BackgroundBrowser::BackgroundBrowser(QWidget *parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("imageBrowser"));
    setViewMode(QListView::IconMode);
    setIconSize(QSize(88, 56));
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setMinimumHeight(150);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] { selectionChanged(); });
}

void BackgroundBrowser::Load_and_fill_backgrounds(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return;
    images.clear();
    reloadData();
    const QDir dir(folder);
    for (const QString &entry : dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted)) {
        const QString extension = QFileInfo(entry).suffix().toLower();
        if (extension == QLatin1String("png") || extension == QLatin1String("jpg"))
            addImageWithPath(dir.filePath(entry), entry, entry);
    }
}

void BackgroundBrowser::addImageWithPath(const QString &path, const QString &name, const QString &uid)
{
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty())
        return;
    images.append({trimmed, name, uid, {}});
    reloadData();
}

const BackgroundItem *BackgroundBrowser::itemAtIndex(int index) const
{
    return index >= 0 && index < images.size() ? &images.at(index) : nullptr;
}

bool BackgroundBrowser::moveItemsAtIndexes(const QList<int> &indexes, int destination)
{
    Move_Browser_Items(images, indexes, destination);
    reloadData();
    return true;
}

void BackgroundBrowser::reloadData()
{
    const QSignalBlocker quiet(this);
    clear();
    for (BackgroundItem &item : images) {
        // Pictures are decoded once the grid is first shown: the tab holding it is seldom
        // opened, and decoding them held up the program's start.
        if (item.thumbnail.isNull() && m_shown)
            item.thumbnail = Thimbnail_Using_CG_Image(item.path, QSizeF(96, 96));
        auto *cell = new QListWidgetItem(item.thumbnail.isNull() ? QIcon() : QIcon(QPixmap::fromImage(item.thumbnail)),
                                         item.name, this);
        cell->setToolTip(item.name);
    }
}

void BackgroundBrowser::showEvent(QShowEvent *event)
{
    if (!m_shown) {
        m_shown = true;
        const int current = currentRow();
        reloadData();
        const QSignalBlocker quiet(this);
        setCurrentRow(current);
    }
    QListWidget::showEvent(event);
}

void BackgroundBrowser::selectionChanged()
{
    const QList<QListWidgetItem *> picked = selectedItems();
    if (picked.isEmpty())
        return;
    const BackgroundItem *item = itemAtIndex(row(picked.first()));
    if (!item)
        return;
    selected_image = item->path;
    if (chosen)
        chosen(selected_image);
}
