#pragma once
// The card background of a side, painted under and over its controls by the canvas and the
// side renderer alike. No widget is involved: give a painter, the side's properties, the
// outline code and the card rectangle.

#include <QPainterPath>
#include <QRectF>

class QPainter;
class Card_Property;

// The card outline: 1 rounded rectangle (radius 10 points), 2 ellipse, anything else rectangle.
QPainterPath Card_Outline_Path(int cardShape, const QRectF &cardRect);

// White outline, then the fill (solid, gradient, hatch or picture). Leaves the outline as the
// painter's clip, so what is painted next in the same pass stays inside the card.
void Card_Base_Drawing(QPainter &painter, const Card_Property &prop, int cardShape, const QRectF &cardRect);

// The watermark text, then the border line, over the controls.
void Card_Border_Drawing(QPainter &painter, const Card_Property &prop, int cardShape, const QRectF &cardRect);
