#include "canvas/ImageBrowser.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Pictures listed while the browser is still hidden (every picture chooser fills its browser
// before it opens) must show at the zoom's full size once it opens, not squeezed into the size
// an item had without its picture.
TEST(ImageBrowser, PicturesListedBeforeOpeningShowAtFullSize)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const struct {
        QSize size;
        QColor colour;
    } pictures[] = {{{506, 320}, Qt::red}, {{320, 506}, Qt::blue}};
    QWidget window;
    window.resize(900, 600);
    auto *browser = new ImageBrowserView(&window);
    browser->resize(900, 600);
    for (int i = 0; i < 2; ++i) {
        QImage picture(pictures[i].size, QImage::Format_RGB32);
        picture.fill(pictures[i].colour);
        const QString path = dir.filePath(QStringLiteral("p%1.png").arg(i));
        ASSERT_TRUE(picture.save(path));
        browser->addImageWithPath(path, QStringLiteral("p%1.png").arg(i), QString::number(i));
    }
    browser->setZoomValue(0.6);
    window.show();
    QApplication::processEvents();
    const QImage shown = browser->viewport()->grab().toImage();
    const int side = browser->iconSize().width();
    for (int i = 0; i < 2; ++i) {
        const QRect rect = browser->visualItemRect(browser->item(i));
        EXPECT_GE(rect.width(), side) << "item " << i;
        EXPECT_GE(rect.height(), side) << "item " << i;
        int coloured = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                coloured += shown.valid(x, y) && shown.pixelColor(x, y) == pictures[i].colour ? 1 : 0;
        // A 506x320 picture in a square preview fills about 63% of the square.
        EXPECT_GT(coloured, side * side / 2) << "item " << i;
    }
}

}  // namespace
