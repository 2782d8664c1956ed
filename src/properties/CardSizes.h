#pragma once
// Named card sizes, units and the card outline codes: the rules of the card's size page that
// need no widget. The main window's set-up and the card tabs both use them.

#include <QSizeF>
#include <QString>
#include <QStringList>

// The preset names of PVC cards ("PVC Card") and of paper name badges (every other category),
// in lookup order.
const QStringList &pvc_card_names();
const QStringList &paper_card_names();
// The preset's size in millimetres: "V" gives (second, first), anything else (first, second).
// An index outside the list gives 30 by 30 millimetres.
QSizeF Get_My_card_Size(const QString &category, const QString &orientation, int list_index);

// Units: 0 inch, 1 centimetre, 2 millimetre. The factor that turns a length in `from` into one
// in `into`; 1 for an unknown unit.
float Get_Unit_Convertor(int from, int into);
// A width and height typed in `unit`, in points (72 per inch).
QSizeF Card_Size_In_Points(double width, double height, int unit);

// A stored list row that is used again for another list: a row that the list does not have is
// no row (-1).
int Bounded_List_Row(int row, int count);

// The outline of the card as the records store it: 0 "R" rectangle, 1 "RR" rounded rectangle,
// any other value "E" ellipse.
QString Card_Shape_Code(int shape);
