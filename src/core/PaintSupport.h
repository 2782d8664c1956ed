#pragma once
// Painting pieces shared by the controls and the card background: the border style dash
// table, pens whose dashes are measured in points, hatch pictures, gradients at an angle and
// fonts sized in card points.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPen>
#include <QString>
#include <QStringList>

class QPainter;
class QPainterPath;
class QPaintDevice;

// Dash lengths in points (drawn, skipped, ...) of a border style code; empty for solid
// ("S" and every unknown code).
QList<qreal> Border_Dash_Lengths(const QString &borderStyleCode);

// Sets the pen's dashes so that they measure the given lengths in points whatever its width
// (a QPen counts dash lengths in multiples of its width). An empty list makes it solid.
void Set_Pen_Dash_In_Points(QPen &pen, const QList<qreal> &lengths);

// A stroke pen: colour, width in points, mitre joins, the dash pattern of the style code,
// butt caps unless asked otherwise (0 butt, 1 round, 2 square).
QPen Border_Pen(const QColor &colour, double width, const QString &borderStyleCode, int capStyle = 0);

// An opacity field as a fraction: above 1 counts as 1, below 0 as 0.
double Clamped_Opacity(double value);
// The colour with its alpha replaced by the opacity field (invalid colours stay invalid).
QColor Color_With_Opacity(const QColor &colour, double opacity);

// The hatch picture "<name>.png" of the resource folder "Fill_Style_Image"; a null image when
// there is no such readable file.
QImage Hatch_Pattern_Image(const QString &hatchName);
// The names of the hatch pictures there, sorted: what a hatch list offers.
QStringList Hatch_Style_Names();
// A hatch name as a list shows it: words with spaces, only the first capitalised
// ("Backward_Diagonal" reads "Backward diagonal"). The name itself is what is stored.
QString Hatch_Style_Caption(const QString &hatchName);

// Fills the path with a linear gradient from `from` to `to` running at `angleDegrees` across the
// path's bounding box (0: left to right; 90: top to bottom on the y-down card).
void Fill_Path_With_Gradient(QPainter &painter, const QPainterPath &path, const QColor &from, const QColor &to,
                             double angleDegrees);

// The font resized so that one of its points is one unit of the painter's coordinate system,
// whatever the resolution of the device painted on.
QFont Font_In_Card_Units(const QFont &font, const QPaintDevice *device);
