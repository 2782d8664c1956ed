#pragma once
// What the card tabs ask of the window: the two card records, the side's controls, the content
// font and colour the window keeps, and the window's part of a size or side change. The main
// window implements it; tests use the window itself.

#include "core/ControlArchive.h"

#include <QColor>
#include <QFont>
#include <QSizeF>
#include <QString>
#include <optional>

class Card_Property;
class QPrinter;

// The content font and colour pushed into a side's text controls, and the values they were
// last pushed from (none: never).
struct CardContent {
    QFont &All_Text_font;
    std::optional<QFont> &All_Text_font_COPY;
    QColor &All_Text_clr;
    QColor &All_Text_clr_COPY;
    QFont &WM_Text_font;
};

class CardTabsHooks {
public:
    virtual ~CardTabsHooks() = default;
    // 0 the front record, anything else the back's.
    virtual Card_Property &cardOfSide(int side) = 0;
    virtual const SKTGraphicArray &controlsOfSide(int side) = 0;
    virtual CardContent cardContent() = 0;
    virtual void Refresh_Canvas() = 0;
    // Records the side being edited in its undo history after a change.
    virtual void Insert_In_Undo_Redo() = 0;
    // The same for a change that gave the side's card new values too: Undo gives `replaced` back.
    virtual void Insert_In_Undo_Redo_Replacing_Card(int side, const Card_Property &replaced) = 0;
    // Canvases at 100 %, the document and both records at `points`, canvases redrawn.
    virtual void Apply_Card_Size(const QSizeF &points) = 0;
    // The controls follow a size that was `oldSize` (points) before the change.
    virtual void Card_Control_Size_Change_or_not(const QSizeF &oldSize) = 0;
    // The size fields show a size in millimetres, converted into the unit shown.
    virtual void Set_Card_Size_In_Control(double widthMM, double heightMM) = 0;
    virtual int Measument_Unit_Is() = 0;
    // One side or two: the back side and the copy-design command follow.
    virtual void Card_Sides_Changed(bool oneSide) = 0;
    // The panel shows the card side again, loaded from the records.
    virtual void Reload_Card_Panel() = 0;
    // The background library; the chosen picture's path, empty when none was chosen.
    virtual QString Choose_Library_Background() = 0;
    // The application's one print set-up, the one the print window prints with.
    virtual QPrinter &printInfo() = 0;
};
