#pragma once
// Qt's own page set-up panel, run the one way every road that offers it runs it: the print
// window's Page Setup button, the visitor log, and the printer-page buttons of the card tab and
// the card wizard (where the paper becomes the card). Main thread only.
//
// Left to itself the panel loses what the user types. It remakes its paper at each key of a
// custom width or height and writes the paper back into both fields ("100.5" typed key by key
// became 100.00), a paper it makes is matched to a standard size within 3 points (100.5 x 148 mm
// became a 100 x 148 mm postcard), and it reads "3,5" as 35. Run this way, a field is read once
// it is left, by the number rule every field of ours follows (canvas/WidgetUtilities.h), and a
// custom paper is shown and kept as typed.

class QPageLayout;
class QPrinter;
class QSizeF;
class QString;
class QWidget;

// Runs the panel on `printer` through the UI services as `runName` and answers its end code; OK
// (1) has edited the printer in place. A paper of the user's own size is offered again as it is:
// the panel alone shows such a paper as its list's first size, and an OK with nothing changed
// turned a 100 x 150 mm card sheet into Letter.
int Run_Page_Setup(QPrinter &printer, QWidget *parent, const QString &runName);

// The paper's width and height in millimetres as they lie on the page, as exact as the layout
// holds them: in points a custom paper reads rounded to whole points (100.5 mm as 100.54).
QSizeF Paper_Size_MM(const QPageLayout &layout);
