#pragma once
// The grid of stock card backgrounds on the card's background tab: the shared image browser,
// filled from the resource folder. Thumbnails can be dragged into another order; choosing one
// hands its path on (the card tabs make it the background of the side being edited).

#include "canvas/ImageBrowser.h"

#include <QList>
#include <QString>
#include <functional>

class BackgroundBrowser : public ImageBrowserView {
public:
    explicit BackgroundBrowser(QWidget *parent = nullptr);

    // The pictures (png, jpg in any case) of `folder`, in the order the folder lists them; a
    // missing folder leaves the items as they are.
    void Load_and_fill_backgrounds(const QString &folder);

    // The data source of the grid.
    int numberOfItemsInImageBrowser() const { return int(images().size()); }
    const MyImageObject *itemAtIndex(int index) const;
    // Nothing is taken away: the grid is only shown again.
    void removeItemsAtIndexes(const QList<int> &) { rebuild(); }

    // Called with the chosen item's path when the selection changes.
    std::function<void(const QString &path)> chosen;
    QString selected_image;
};
