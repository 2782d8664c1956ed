#pragma once
// The one zoomable image browser of every picture chooser (templates, clip art, backgrounds, the
// property panel's backgrounds, group-mode templates): a grid of previews the user can zoom,
// reorder by dragging and choose from. Its items are MyImageObject values.
//
// A thumbnail is chosen when the mouse is let go over it without having moved it: a press that
// turns into a drag only moves the thumbnail and chooses nothing, so a chooser that reacts to a
// choice (the card's background applies it at once) never runs under a drag. The drag is the
// browser's own (no system drag and drop), so it works the same on every platform.

#include <QImage>
#include <QListWidget>
#include <QString>
#include <QStringList>
#include <vector>

// One browser item: the picture file shown, a title source and an identifier unique in its browser.
struct MyImageObject {
    QString path;
    QImage image;  // only for items made from a picture rather than a file
    QString image_Name;
    QString image_UID;

    static MyImageObject initWithImage_Path(const QString &path, const QString &name, const QString &uid);
    static MyImageObject initWithImage(const QImage &image, const QString &name, const QString &uid);
    void setPath(const QString &p) { path = p; }
    QString imageUID() const { return image_UID; }
    // The name without its extension.
    QString imageTitle() const;
    QString imageSubtitle() const { return imageTitle(); }
};

// The files of a folder a browser lists: extension "png" or "jpg" in any letter case, in name
// order. Empty when the folder is missing or is not a folder.
QStringList Browser_Image_Files(const QString &folder);

// Moves the items at `indexes` as one block, in their old order, to the destination index `d`
// (an index of the list before the move); the block lands at d minus the moved items before d.
void Move_Browser_Items(std::vector<MyImageObject> &images, QList<int> indexes, int d);

class ImageBrowserView : public QListWidget {
    Q_OBJECT
public:
    explicit ImageBrowserView(QWidget *parent = nullptr);

    // Adds an item unless the trimmed path is empty; the item keeps the trimmed path.
    void addImageWithPath(const QString &path, const QString &name, const QString &uid);
    void removeAllImages();
    const std::vector<MyImageObject> &images() const { return m_images; }
    // Titles under the previews on or off.
    void setShowsTitles(bool shown);
    // Zoom 0..1: the preview size grows from small icons to large cards.
    void setZoomValue(double zoom);
    double zoomValue() const { return m_zoom; }
    // Selects an item as a click does (the selection signal follows); -1 or out of range: nothing.
    void selectImage(int index);
    // The path of the first selected item; empty when none.
    QString selectedPath() const;
    // Moves the items as Move_Browser_Items does and shows them again, the chosen item still
    // chosen; a drop of dragged thumbnails comes here. Answers YES.
    bool moveItemsAtIndexes(const QList<int> &indexes, int destination);

signals:
    // The first selected item's path, after every change of the selection.
    void imageSelected(const QString &path);

protected:
    void dropEvent(QDropEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void rebuild();

private:
    // The preview of an item, or none while the browser has never been shown: a browser on a
    // tab nobody opened decodes no pictures (the card tab's backgrounds held up the start).
    QIcon previewIcon(const MyImageObject &item) const;

    // Selects the item of `path` without telling anyone; none when no item has it.
    void reselectQuietly(const QString &path);

    std::vector<MyImageObject> m_images;
    // The press in progress: the row pressed (-1 none), where, what was chosen before it, whether
    // it changed the selection (told at the release) and whether it became a drag.
    int m_pressRow = -1;
    QPoint m_pressAt;
    QString m_chosenBeforePress;
    bool m_choicePending = false;
    bool m_moving = false;
    bool m_shown = false;
    bool m_titles = false;
    double m_zoom = 0.5;
};
