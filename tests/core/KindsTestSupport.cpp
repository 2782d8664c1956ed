#include "KindsTestSupport.h"

#include <QFile>

namespace kindstest {

std::unique_ptr<Shape_Control> filledRect(const QRectF &bounds, QColor fill)
{
    auto s = std::make_unique<Shape_Control>();
    s->_bounds = bounds;
    s->_fillColor = fill;
    s->_isDrawingStroke = false;
    return s;
}

QRect inkBox(const QImage &image, const std::function<bool(QColor)> &inked)
{
    int x0 = image.width(), y0 = image.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (inked(image.pixelColor(x, y))) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
        }
    }
    return x1 < 0 ? QRect() : QRect(QPoint(x0, y0), QPoint(x1, y1));
}

bool isDark(QColor c) { return c.alpha() > 128 && c.lightness() < 100; }

QByteArray headOf(const QString &path, int count)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(count) : QByteArray();
}

}  // namespace kindstest
