#pragma once
// The font panel every Font… button opens (a text, the card's content font, the watermark, a
// barcode's texts): Qt's own panel, held to what a design can keep. Main thread only.
//
// Left to itself the panel loses what it shows. Its size field takes whole numbers only, so
// "10.5" typed key by key became 105; it opens on a font's size rounded (6.50 shown and given
// back as 7); it looks the face up by a name the family may not have ("Normal" where DejaVu Sans
// says "Book") and falls back on the first face of its list, so an OK with nothing changed made
// a text italic; and it offers Underline and Strikeout, which no font string of a design file
// stores, so they were gone after Save and Open. Run this way the size field takes a size with
// a decimal point (by the number rule of platform/TypedNumber.h), an OK with nothing changed
// gives the font it opened on, and the effects are not offered.

#include <QFont>
#include <QString>
#include <optional>

class QWidget;

namespace platform {

// What the panel's fields show: the family and face chosen in its lists and the size as typed.
struct Font_Panel_Fields {
    QString family, style, size;
    bool operator==(const Font_Panel_Fields &) const = default;
};

// The size a size field's text gives, in points to the hundredth a font string keeps; nothing
// when the text is no size (no number, a digit-group mark as in "10,5", outside 1 to 512).
std::optional<double> Font_Panel_Size(const QString &typed);
// How the panel shows a size: its number with a point, no more places than it has ("6.5", "7").
QString Font_Panel_Size_Text(double points);

// The font an OK gives: `initial` itself where the fields still show what they opened on
// (`opened`); its size alone changed where only the size was typed anew; else the family and
// face chosen at the size shown. `refusal` (the font empty) says why a size text is no size.
struct Font_Panel_Choice {
    std::optional<QFont> font;
    QString refusal;
};
Font_Panel_Choice Read_Font_Panel(const QFont &initial, const Font_Panel_Fields &opened, const Font_Panel_Fields &shown);

// Runs the panel on `initial` through the UI services' modal seam as "QFontDialog" (its text the
// panel's title); nothing when it was cancelled. A size that is no size is refused at OK with a
// word, the panel open and its size field back at the size in force.
std::optional<QFont> Run_Font_Panel(const QString &title, const QFont &initial, QWidget *parent);

}  // namespace platform
