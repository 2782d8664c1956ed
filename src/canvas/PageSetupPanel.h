#pragma once
// Qt's own page set-up panel, run the one way every road that offers it runs it: the print
// window's Page Setup button, the visitor log, and the printer-page buttons of the card tab and
// the card wizard (where the paper becomes the card). Main thread only.
//
// Left to itself the panel loses what the user types. Each of its handlers that rewrites the
// fields (a typed side, an orientation click, a unit switch) remakes the paper from the fields
// rounded to two places and matches it to a standard size within 3 points (100.5 x 148.25 mm
// became a 100 x 148 mm postcard, 4.15 x 5.85 in an A6), converts the margins rounded (3.53 mm
// came back 3.56 after a look in inches), takes a paper side of 0, and reads "3,5" as 35. Run
// this way, the paper and margins typed are held exactly beside the panel and put back into the
// fields after each of those handlers; OK makes them the printer's. A field is read once it is
// left, by the number rule every field of ours follows (canvas/WidgetUtilities.h); a paper side
// under one point, left empty or typed negative is refused with a word naming it. That refusal
// needs only the fields; holding the paper needs the panel's handlers too, found by name: a panel
// without them is left to keep what it makes of the fields.

#include <QPageLayout>
#include <optional>

class QComboBox;
class QDoubleSpinBox;
class QPrinter;
class QSizeF;
class QString;
class QWidget;

// The paper fields of one of the toolkit's page panels (the page set-up panel, the Properties
// page of its print panel), found by their names.
struct PaperFields {
    QComboBox *sizes, *units;
    QDoubleSpinBox *width, *height;
    int custom;  // the one entry of the size list that carries no standard size

    bool customChosen() const;
    QPageLayout::Unit unit() const;  // the unit the fields show
};
// None when the panel lacks one of them: it is then left as it is.
std::optional<PaperFields> Find_Paper_Fields(const QWidget &panel);

// Runs the panel on `printer` through the UI services as `runName` and answers its end code; OK
// (1) has edited the printer in place. A paper of the user's own size is offered again as it is:
// the panel alone shows such a paper as its list's first size, and an OK with nothing changed
// turned a 100 x 150 mm card sheet into Letter.
int Run_Page_Setup(QPrinter &printer, QWidget *parent, const QString &runName);

// The paper's width and height in millimetres as they lie on the page, as exact as the layout
// holds them: in points a custom paper reads rounded to whole points (100.5 mm as 100.54).
QSizeF Paper_Size_MM(const QPageLayout &layout);
