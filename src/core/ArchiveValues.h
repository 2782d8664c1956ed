#pragma once
// How object values travel in the property-list archives of controls and card properties:
// exactly, so that what is restored equals what was stored. A value of the wrong kind or a
// damaged one reads as "none" (invalid colour, default font, null image), never as a failure.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QVariant>

// Colour: an array of four reals, red, green, blue, alpha in 0..1, exact to 16 bits a channel.
QVariant Archive_Color(const QColor &colour);  // invalid QVariant for an invalid colour
QColor Unarchive_Color(const QVariant &value);
// Font: the font's full description text.
QVariant Archive_Font(const QFont &font);
QFont Unarchive_Font(const QVariant &value);
// Image: PNG bytes (a null image is left out: invalid QVariant). The bytes a picture was read
// from or last stored as are given again while its pixels stay unchanged.
QVariant Archive_Image(const QImage &image);
// Refuses data that is not a PNG of at most 100 megapixels.
QImage Unarchive_Image(const QVariant &value);
