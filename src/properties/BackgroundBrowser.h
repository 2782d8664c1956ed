#pragma once
// The grid of stock card backgrounds on the card's background tab. The browser keeps its items
// in display order; choosing one hands its path on (the card tabs make it the background of the
// side being edited).

#include <QImage>
#include <QList>
#include <QListWidget>
#include <QString>
#include <algorithm>
#include <functional>

// One browser item: the picture's file, its shown name and identifier, and its thumbnail once
// drawn. It stands for the image-browser item the other galleries share.
struct BackgroundItem {
    QString path, name, uid;
    QImage thumbnail;
};

// Takes the items at `indexes` out and puts them back, in index order, as one run that starts
// at `destination` less the number of taken items that stood before it.
template <class T>
void Move_Browser_Items(QList<T> &items, QList<int> indexes, int destination)
{
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    indexes.erase(std::remove_if(indexes.begin(), indexes.end(), [&](int i) { return i < 0 || i >= items.size(); }),
                  indexes.end());
    QList<T> taken;
    int before = 0;
    for (int i : indexes) {
        taken.append(items.at(i));
        before += i < destination;
    }
    for (auto it = indexes.crbegin(); it != indexes.crend(); ++it)
        items.removeAt(*it);
    const int at = std::clamp(destination - before, 0, int(items.size()));
    for (int k = 0; k < taken.size(); ++k)
        items.insert(at + k, taken.at(k));
}

class BackgroundBrowser : public QListWidget {
public:
    explicit BackgroundBrowser(QWidget *parent = nullptr);

    // The pictures (png, jpg in any case) of `folder`, in the order the folder lists them; a
    // missing folder leaves the items as they are.
    void Load_and_fill_backgrounds(const QString &folder);
    void addImageWithPath(const QString &path, const QString &name, const QString &uid);

    // The data source of the grid.
    int numberOfItemsInImageBrowser() const { return int(images.size()); }
    const BackgroundItem *itemAtIndex(int index) const;
    // Nothing is taken away: the grid is only shown again.
    void removeItemsAtIndexes(const QList<int> &) { reloadData(); }
    bool moveItemsAtIndexes(const QList<int> &indexes, int destination);

    // Called with the chosen item's path when the selection changes.
    std::function<void(const QString &path)> chosen;
    QList<BackgroundItem> images;
    QString selected_image;

    // The grid made again from `images`; thumbnails once the grid has been shown.
    void reloadData();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void selectionChanged();
    bool m_shown = false;  // thumbnails are made from the first showing on
};
