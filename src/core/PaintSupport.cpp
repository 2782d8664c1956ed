#include "core/PaintSupport.h"

#include "core/Globals.h"
#include "imageops/ImageTransforms.h"
#include "platform/Paths.h"

#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QLinearGradient>
#include <QPaintDevice>
#include <QDir>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

QList<qreal> Border_Dash_Lengths(const QString &code)
{
    // One table for control outlines, card borders and picture frames.
    return ImageTransforms::borderDashLengths(code);
}

void Set_Pen_Dash_In_Points(QPen &pen, const QList<qreal> &lengths)
{
    if (lengths.isEmpty()) {
        pen.setStyle(Qt::SolidLine);
        return;
    }
    // A zero-width pen is one device pixel wide and Qt then counts dashes in pixels.
    const qreal unit = pen.widthF() > 0 ? pen.widthF() : 1.0;
    QList<qreal> pattern;
    pattern.reserve(lengths.size());
    for (qreal l : lengths)
        pattern.append(l / unit);
    pen.setDashPattern(pattern);
    pen.setDashOffset(0);
}

QPen Border_Pen(const QColor &colour, double width, const QString &borderStyleCode, int capStyle)
{
    QPen pen(QBrush(colour), std::max(0.0, width));
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setMiterLimit(10.0);
    pen.setCapStyle(capStyle == 1 ? Qt::RoundCap : capStyle == 2 ? Qt::SquareCap : Qt::FlatCap);
    Set_Pen_Dash_In_Points(pen, Border_Dash_Lengths(borderStyleCode));
    return pen;
}

double Clamped_Opacity(double value)
{
    if (std::isnan(value))
        return 1.0;
    return std::clamp(value, 0.0, 1.0);
}

QColor Color_With_Opacity(const QColor &colour, double opacity)
{
    if (!colour.isValid())
        return colour;
    QColor c = colour;
    c.setAlphaF(float(Clamped_Opacity(opacity)));
    return c;
}

QImage Hatch_Pattern_Image(const QString &hatchName)
{
    // Painting asks for the same few pictures over and over; keep the ones found.
    // Sides render on several threads at once.
    static QMutex mutex;
    static QHash<QString, QImage> cache;
    const QMutexLocker lock(&mutex);
    if (hatchName.isEmpty())
        return {};
    const QString path = platform::joinPath(Resource_Path, QStringLiteral("Fill_Style_Image"),
                                            hatchName + QStringLiteral(".png"));
    auto it = cache.constFind(path);
    if (it != cache.constEnd())
        return *it;
    if (!QFileInfo(path).isFile())
        return {};
    QImage image(path);
    if (!image.isNull())
        cache.insert(path, image);
    return image;
}

void Fill_Path_With_Gradient(QPainter &painter, const QPainterPath &path, const QColor &from, const QColor &to,
                             double angleDegrees)
{
    const QRectF box = path.boundingRect();
    const double a = angleDegrees * M_PI / 180.0;
    const QPointF dir(std::cos(a), std::sin(a));
    // Half the extent of the box along the direction: the gradient spans the whole box.
    const double half = (std::abs(box.width() * dir.x()) + std::abs(box.height() * dir.y())) / 2.0;
    const QPointF c = box.center();
    QLinearGradient gradient(c - dir * half, c + dir * half);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    painter.fillPath(path, gradient);
}

QFont Font_In_Card_Units(const QFont &font, const QPaintDevice *device)
{
    QFont f = font;
    const int dpi = device ? device->logicalDpiY() : 72;
    if (dpi > 0 && font.pointSizeF() > 0)
        f.setPointSizeF(font.pointSizeF() * 72.0 / dpi);
    return f;
}

QString Hatch_Style_Caption(const QString &hatchName)
{
    QString caption = hatchName;
    caption.replace(QLatin1Char('_'), QLatin1Char(' '));
    return caption.left(1).toUpper() + caption.mid(1).toLower();
}

QStringList Hatch_Style_Names()
{
    QStringList names;
    for (const QString &file : QDir(platform::joinPath(Resource_Path, QStringLiteral("Fill_Style_Image")))
                                   .entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name))
        names << file.chopped(4);
    return names;
}
