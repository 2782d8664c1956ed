#include "core/Shape_Control.h"

#include <QObject>

#include <algorithm>
#include <iterator>
#include <cmath>

namespace {
// Beyond this a figure shows no more corners, only costs more on every repaint and hit test; a
// count read from a file or the clipboard can be anything up to two thousand million.
constexpr int kMostVertices = 720;
}  // namespace

Shape_Control::Shape_Control() : SKTGraphic(SKTGraphicKind::Shape) {}

int Shape_Control::Double_Star_Vertex_Count(int kind)
{
    return kind >= 1 && kind <= 5 ? 5 + 2 * kind : kind;
}

int Shape_Control::Polygon_Vertex_Count(int kind)
{
    return kind >= 1 && kind <= 5 ? 6 + 2 * kind : kind;
}

QString Shape_Control::Polygon_Kind_Caption(int kind)
{
    const int n = Polygon_Vertex_Count(kind);
    if (n == 8)
        return QObject::tr("corner star");
    if (n % 2 == 1)
        return QObject::tr("%1-point star").arg(n);
    static const char *const names[] = {"triangle", "square", "pentagon", "hexagon", "heptagon",
                                        "octagon", "nonagon", "decagon"};
    const int sides = n / 2;
    if (sides >= 3 && sides - 3 < int(std::size(names)))
        return QObject::tr(names[sides - 3]);
    return QObject::tr("%1-sided polygon").arg(sides);
}

SKTBezierPath Shape_Control::withLineWidth(SKTBezierPath p) const
{
    p.lineWidth = strokeWidth();
    return p;
}

SKTBezierPath Shape_Control::closedPolygon(const QList<QPointF> &points) const
{
    SKTBezierPath p;
    p.path.moveTo(points.first());
    for (qsizetype i = 1; i < points.size(); ++i)
        p.path.lineTo(points[i]);
    p.path.closeSubpath();
    return withLineWidth(p);
}

SKTBezierPath Shape_Control::bezierPathForDrawing() const
{
    const QString &code = _shape_type;
    SKTBezierPath p;
    if (code == QLatin1String("R"))
        p = Rectangle_path();
    else if (code == QLatin1String("C"))
        p = Circle_path();
    else if (code == QLatin1String("RR"))
        p = Rounded_Rectangle_path();
    else if (code == QLatin1String("T"))
        p = Triangle_path();
    else if (code == QLatin1String("D"))
        p = Diamond_path();
    else if (code == QLatin1String("S"))
        p = Polygon_With_Diffrent_Sides(5);
    else if (code == QLatin1String("DS"))
        p = Polygon_With_Diffrent_Sides(Double_Star_Vertex_Count(double_star_type));
    else if (code == QLatin1String("P")) {
        const int n = Polygon_Vertex_Count(polygon_type);
        p = n == 8 ? Custom_Polygon() : Polygon_With_Diffrent_Sides(n);
    } else
        return p;
    // Turned about the centre of the figure itself, which for stars can lie above the
    // centre of the bounds.
    const QRectF box = p.path.boundingRect();
    const QPointF centre(float(box.x() + box.width() / 2), float(box.y() + box.height() / 2));
    return ::rotatedPath(p, text_rotation, centre);
}

SKTBezierPath Shape_Control::Rectangle_path() const
{
    SKTBezierPath p;
    p.path.addRect(bounds());
    return withLineWidth(p);
}

SKTBezierPath Shape_Control::Circle_path() const
{
    SKTBezierPath p;
    p.path.addEllipse(bounds());
    return withLineWidth(p);
}

SKTBezierPath Shape_Control::Rounded_Rectangle_path() const
{
    const QRectF b = bounds();
    const double rx = std::clamp<double>(cor_rad_val, 0.0, b.width() / 2);
    const double ry = std::clamp<double>(cor_rad_val, 0.0, b.height() / 2);
    SKTBezierPath p;
    p.path.addRoundedRect(b, rx, ry);
    return withLineWidth(p);
}

SKTBezierPath Shape_Control::Triangle_path() const
{
    const float x = float(_bounds.x()), y = float(_bounds.y()), w = float(_bounds.width()), h = float(_bounds.height());
    return closedPolygon({QPointF(x, y + h), QPointF(x + w / 2, y), QPointF(x + w, y + h)});
}

SKTBezierPath Shape_Control::Diamond_path() const
{
    const float x = float(_bounds.x()), y = float(_bounds.y()), w = float(_bounds.width()), h = float(_bounds.height());
    return closedPolygon({QPointF(x, y + h / 2), QPointF(x + w / 2, y), QPointF(x + w, y + h / 2),
                          QPointF(x + w / 2, y + h)});
}

SKTBezierPath Shape_Control::Custom_Polygon() const
{
    const double x = _bounds.x(), y = _bounds.y(), w = _bounds.width(), h = _bounds.height();
    return closedPolygon({QPointF(x, y), QPointF(x + w / 2, y + h / 4), QPointF(x + w, y),
                          QPointF(x + 3 * w / 4, y + h / 2), QPointF(x + w, y + h), QPointF(x + w / 2, y + 3 * h / 4),
                          QPointF(x, y + h), QPointF(x + w / 4, y + h / 2)});
}

SKTBezierPath Shape_Control::Polygon_With_Diffrent_Sides(int n) const
{
    if (n > kMostVertices)
        n = kMostVertices + n % 2;  // an odd count stays a star, an even one a polygon traced twice
    const QRectF b = bounds();
    const double cx = b.x() + b.width() / 2, cy = b.y() + b.height() / 2;
    const double rx = b.width() / 2, ry = b.height() / 2;
    const double step = 4 * M_PI / n;
    double theta = -M_PI / 2;
    SKTBezierPath p;
    p.path.moveTo(cx, cy);
    for (int i = 0; i < n; ++i) {
        const QPointF vertex(float(cx + rx * std::cos(theta)), float(cy + ry * std::sin(theta)));
        if (i == 0)
            p.path.moveTo(vertex);
        else
            p.path.lineTo(vertex);
        theta += step;
    }
    p.path.closeSubpath();
    return withLineWidth(p);
}

namespace {
// A closed figure of `count` points on the circle about `centre`, from `startDegrees` on in steps
// of `stepDegrees`.
SKTBezierPath pointsOnCircle(QPointF centre, double radius, double startDegrees, double stepDegrees, int count)
{
    SKTBezierPath p;
    for (int i = 0; i < count; ++i) {
        const QPointF v = Shape_Control::pointFrom((startDegrees + stepDegrees * i) * M_PI / 180.0, radius, centre);
        i == 0 ? p.path.moveTo(v) : p.path.lineTo(v);
    }
    p.path.closeSubpath();
    return p;
}
}  // namespace

SKTBezierPath Shape_Control::regularPolygonInRect() const
{
    const double r = float(std::min(_bounds.width(), _bounds.height()) / 2);
    return pointsOnCircle(QPointF(_bounds.width() / 2, _bounds.height() / 2), r, -90.0, 72.0, 5);
}

SKTBezierPath Shape_Control::Ploygon_fun() const
{
    const QPointF c(_bounds.width() / 2, _bounds.height() / 2);
    return pointsOnCircle(c, std::hypot(c.x() - _bounds.x(), c.y() - _bounds.y()), 0.0, 72.0, 5);
}

SKTBezierPath Shape_Control::Custom_Pie() const
{
    const double x = _bounds.x(), y = _bounds.y(), w = _bounds.width(), h = _bounds.height();
    const QPointF centre(x + w / 2, y + h / 2);
    const double r = w / 2;
    SKTBezierPath p;
    p.path.moveTo(x + w / 2, y + h);
    p.path.lineTo(centre);
    p.path.lineTo(x, y + h / 2);
    p.path.moveTo(centre);
    // From 180 to 270 degrees clockwise on the y-down canvas: the long way round.
    p.path.arcTo(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 180.0, 270.0);
    p.path.closeSubpath();
    return p;
}

SKTBezierPath Shape_Control::star_Path_fun_1() const
{
    const double r = std::min(_bounds.width(), _bounds.height()) / 2;
    return pointsOnCircle(QPointF(_bounds.width() / 2, _bounds.height() / 2), r, -90.0, 144.0, 5);
}

SKTBezierPath Shape_Control::starPathInRect() const
{
    const double outer = std::min(_bounds.width(), _bounds.height()) / 2;
    const double inner = 30.0;
    const QPointF c(_bounds.width() / 2, _bounds.height() / 2);
    SKTBezierPath p;
    for (int i = 0; i < 5; ++i) {
        const double a = (-90.0 + 72.0 * i) * M_PI / 180.0;
        const QPointF o = pointFrom(a, outer, c);
        i == 0 ? p.path.moveTo(o) : p.path.lineTo(o);
        p.path.lineTo(pointFrom(a + 36.0 * M_PI / 180.0, inner, c));
    }
    p.path.closeSubpath();
    return p;
}

QPointF Shape_Control::pointFrom(double angle, double radius, QPointF offset)
{
    return {offset.x() + radius * std::cos(angle), offset.y() + radius * std::sin(angle)};
}

bool Shape_Control::isContentsUnderPoint(QPointF point) const
{
    const SKTBezierPath p = bezierPathForDrawing();
    return !p.isEmpty() && p.path.contains(point);
}

void Shape_Control::drawContentsInView(QPainter &painter, bool) { paintPath(painter); }
