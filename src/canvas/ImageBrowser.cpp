#include "canvas/ImageBrowser.h"
#include "platform/PictureBudget.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QHash>
#include <QApplication>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

MyImageObject MyImageObject::initWithImage_Path(const QString &path, const QString &name, const QString &uid)
{
    MyImageObject item;
    item.path = path;
    item.image_Name = name;
    item.image_UID = uid;
    return item;
}

MyImageObject MyImageObject::initWithImage(const QImage &image, const QString &name, const QString &uid)
{
    MyImageObject item;
    item.image = image.copy();
    item.image_Name = name;
    item.image_UID = uid;
    return item;
}

QString MyImageObject::imageTitle() const
{
    const int dot = image_Name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? image_Name.left(dot) : image_Name;
}

QStringList Browser_Image_Files(const QString &folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir())
        return {};
    QStringList out;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo &f : entries) {
        const QString ext = f.suffix().toLower();
        if (ext == QLatin1String("png") || ext == QLatin1String("jpg"))
            out << f.absoluteFilePath();
    }
    return out;
}

void Move_Browser_Items(std::vector<MyImageObject> &images, QList<int> indexes, int d)
{
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    std::vector<MyImageObject> block, rest;
    int before = 0;
    for (int i = 0; i < int(images.size()); ++i) {
        if (indexes.contains(i)) {
            block.push_back(images[size_t(i)]);
            before += i < d ? 1 : 0;
        } else {
            rest.push_back(images[size_t(i)]);
        }
    }
    const int at = std::clamp(d - before, 0, int(rest.size()));
    rest.insert(rest.begin() + at, block.begin(), block.end());
    images = std::move(rest);
}

namespace {

// Previews are read once at the largest zoom's size and scaled for the others.
QPixmap preview(const MyImageObject &item)
{
    static QHash<QString, QPixmap> cache;
    if (!item.image.isNull())
        return QPixmap::fromImage(item.image.scaled(320, 320, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    const QString key = item.path + QString::number(QFileInfo(item.path).lastModified().toMSecsSinceEpoch());
    auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;
    // A FIFO among the pictures would hang the browser; a picture bomb would take its memory.
    if (!platform::mayDecodePictureFile(item.path))
        return {};
    QImageReader reader(item.path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && std::max(size.width(), size.height()) > 320)
        reader.setScaledSize(size.scaled(320, 320, Qt::KeepAspectRatio));
    // Square, centred: landscape and portrait previews share one cell shape without cropping.
    const QImage read = reader.read();
    const int side = std::max(read.width(), read.height());
    QImage square(side, side, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    QPainter(&square).drawImage((side - read.width()) / 2, (side - read.height()) / 2, read);
    const QPixmap pixmap = QPixmap::fromImage(square);
    if (cache.size() > 400)
        cache.clear();
    cache.insert(key, pixmap);
    return pixmap;
}

}  // namespace

ImageBrowserView::ImageBrowserView(QWidget *parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("imageBrowser"));
    setViewMode(QListView::IconMode);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Snap);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Dragging is handled here (mouse events), not by the system's drag and drop.
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setUniformItemSizes(true);
    setStyleSheet(QStringLiteral("QListView::item:selected { background: #dbe7fd; border: 2px solid #2563eb;"
                                 " border-radius: 6px; color: black; }"));
    setSpacing(8);
    setWordWrap(true);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_pressRow >= 0) {
            m_choicePending = true;  // told when the button is let go, unless it drags
            return;
        }
        const QString path = selectedPath();
        if (!path.isEmpty())
            emit imageSelected(path);
    });
    setZoomValue(m_zoom);
}

void ImageBrowserView::addImageWithPath(const QString &path, const QString &name, const QString &uid)
{
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty())
        return;
    MyImageObject item = MyImageObject::initWithImage_Path(path, name, uid);
    item.setPath(trimmed);
    m_images.push_back(item);
    auto *row = new QListWidgetItem(previewIcon(item), m_titles ? item.imageTitle() : QString(), this);
    row->setToolTip(item.imageTitle());
    row->setData(Qt::UserRole, item.path);
}

QIcon ImageBrowserView::previewIcon(const MyImageObject &item) const
{
    return m_shown ? QIcon(preview(item)) : QIcon();
}

void ImageBrowserView::showEvent(QShowEvent *event)
{
    if (!m_shown) {
        m_shown = true;
        // The cells are made again with their previews: cells laid out without one keep the
        // size of an empty icon.
        const int current = currentRow();
        rebuild();
        const QSignalBlocker quiet(this);
        setCurrentRow(current);
    }
    QListWidget::showEvent(event);
}

void ImageBrowserView::removeAllImages()
{
    m_images.clear();
    rebuild();
}

void ImageBrowserView::setShowsTitles(bool shown)
{
    m_titles = shown;
    for (int i = 0; i < count() && i < int(m_images.size()); ++i)
        item(i)->setText(shown ? m_images[size_t(i)].imageTitle() : QString());
    setZoomValue(m_zoom);
}

void ImageBrowserView::setZoomValue(double zoom)
{
    m_zoom = std::clamp(zoom, 0.0, 1.0);
    const int side = int(48 + m_zoom * 272);
    setIconSize(QSize(side, side));
    setGridSize(QSize(side + 16, side + (m_titles ? 40 : 16)));
    viewport()->update();
}

void ImageBrowserView::selectImage(int index)
{
    if (index < 0 || index >= count())
        return;
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

QString ImageBrowserView::selectedPath() const
{
    const QList<QListWidgetItem *> chosen = selectedItems();
    if (chosen.isEmpty())
        return {};
    const int row = this->row(chosen.first());
    return row >= 0 && row < int(m_images.size()) ? m_images[size_t(row)].path : QString();
}

void ImageBrowserView::mousePressEvent(QMouseEvent *event)
{
    m_pressRow = -1;
    m_choicePending = false;
    m_moving = false;
    if (event->button() == Qt::LeftButton) {
        const QModelIndex at = indexAt(event->position().toPoint());
        if (at.isValid()) {
            m_pressRow = at.row();
            m_pressAt = event->position().toPoint();
            m_chosenBeforePress = selectedPath();
        }
    }
    QListWidget::mousePressEvent(event);
}

void ImageBrowserView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressRow >= 0 && (event->buttons() & Qt::LeftButton)) {
        if (!m_moving && (event->position().toPoint() - m_pressAt).manhattanLength() >= QApplication::startDragDistance()) {
            m_moving = true;
            viewport()->setCursor(Qt::ClosedHandCursor);
        }
        if (m_moving) {
            event->accept();
            return;
        }
    }
    QListWidget::mouseMoveEvent(event);
}

void ImageBrowserView::mouseReleaseEvent(QMouseEvent *event)
{
    const int pressed = m_pressRow;
    const bool moved = m_moving;
    const bool pending = m_choicePending;
    m_pressRow = -1;
    m_choicePending = false;
    m_moving = false;
    if (moved) {
        viewport()->unsetCursor();
        event->accept();
        // Let go outside the grid, the drag is given up; on its free space, it goes last.
        const QPoint at = event->position().toPoint();
        const QModelIndex target = indexAt(at);
        const int destination = target.isValid() ? target.row() : int(m_images.size());
        if (destination != pressed && viewport()->rect().contains(at))
            Move_Browser_Items(m_images, {pressed}, destination);
        rebuild();
        // The drag chose nothing: the picture chosen before it stays chosen.
        reselectQuietly(m_chosenBeforePress);
        return;
    }
    QListWidget::mouseReleaseEvent(event);
    if (pending) {
        const QString path = selectedPath();
        if (!path.isEmpty())
            emit imageSelected(path);
    }
}

void ImageBrowserView::reselectQuietly(const QString &path)
{
    const QSignalBlocker quiet(this);
    clearSelection();
    for (int i = 0; i < int(m_images.size()); ++i)
        if (!path.isEmpty() && m_images[size_t(i)].path == path) {
            selectImage(i);
            return;
        }
}

void ImageBrowserView::dropEvent(QDropEvent *event)
{
    QList<int> moved;
    for (QListWidgetItem *it : selectedItems())
        moved << row(it);
    const QModelIndex target = indexAt(event->position().toPoint());
    // The view is rebuilt from the reordered items, so nothing of the default drop runs.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    moveItemsAtIndexes(moved, target.isValid() ? target.row() : int(m_images.size()));
}

bool ImageBrowserView::moveItemsAtIndexes(const QList<int> &indexes, int destination)
{
    const QString chosen = selectedPath();
    Move_Browser_Items(m_images, indexes, destination);
    rebuild();
    reselectQuietly(chosen);  // the same picture stays chosen: nothing to tell
    return true;
}

void ImageBrowserView::rebuild()
{
    const QSignalBlocker quiet(this);
    clear();
    for (const MyImageObject &item : m_images) {
        auto *row = new QListWidgetItem(previewIcon(item), m_titles ? item.imageTitle() : QString(), this);
        row->setToolTip(item.imageTitle());
        row->setData(Qt::UserRole, item.path);
    }
}
