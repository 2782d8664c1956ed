#pragma once
// How object values travel in the property-list archives of controls and card properties:
// exactly, so that what is restored equals what was stored. A value of the wrong kind or a
// damaged one reads as "none" (invalid colour, default font, null image), never as a failure.

#include <QColor>
#include <QFont>
#include <QHash>
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

// Pictures by reference, for archives that never leave the process (undo snapshots): while a
// Scoped_Picture_References is alive on a thread, Archive_Image gives a short reference to the
// picture, kept in the table, instead of encoding it, and Unarchive_Image resolves references
// from the table. A picture is then never encoded for a snapshot, and a snapshot holds it
// shared with the control it came from. Outside such a scope a reference reads as no picture.
using Picture_Table = QHash<QByteArray, QImage>;
class Scoped_Picture_References {
public:
    explicit Scoped_Picture_References(Picture_Table &table);
    ~Scoped_Picture_References();
    Scoped_Picture_References(const Scoped_Picture_References &) = delete;
    Scoped_Picture_References &operator=(const Scoped_Picture_References &) = delete;

private:
    Picture_Table *m_previous;
};
// The picture references an archive holds.
QList<QByteArray> Picture_References_In(const QByteArray &archive);
// How many pictures were encoded as PNG since start.
long long Pictures_Encoded();
