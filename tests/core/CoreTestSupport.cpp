#include "CoreTestSupport.h"

#include <QFile>
#include <cmath>
#include <cstdlib>

namespace coretest {

QImage cardImage(int width, int height, QColor fill)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(2835);  // 72 dpi
    image.setDotsPerMeterY(2835);
    image.fill(fill);
    return image;
}

std::vector<QPointF> pathPoints(const QPainterPath &path)
{
    std::vector<QPointF> points;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo() || e.isLineTo())
            points.emplace_back(e.x, e.y);
    }
    return points;
}

std::vector<int> rowRuns(const QImage &image, int y, int x0, int x1, const std::function<bool(QRgb)> &inked)
{
    std::vector<int> runs;
    bool current = inked(image.pixel(x0, y));
    int length = 0;
    for (int x = x0; x < x1; ++x) {
        const bool ink = inked(image.pixel(x, y));
        if (ink != current) {
            runs.push_back(length);
            current = ink;
            length = 0;
        }
        ++length;
    }
    runs.push_back(length);
    return runs;
}

bool near(QColor a, QColor b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance && std::abs(a.alpha() - b.alpha()) <= tolerance;
}

}  // namespace coretest

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
