#pragma once
// The main window's rules that need no widget: card-size presets, units, zoom steps, drawing
// tools, the window title and the start-dialog codes. The controller and its tests call these.

#include "core/SKTGraphic.h"
#include "properties/CardSizes.h"

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>

// Card-size presets and unit factors are the card tabs' (properties/CardSizes.h).

struct UnitCaptions {
    QString cardSizeBox;  // "Card Size (mm)"
    QString size;         // "(mm)": width, height, control width and height
    QString position;     // "(pt)": control x and y
};
UnitCaptions unitCaptions(int unit);

// The card-size fields converted from one unit into another: only the shown numbers change.
struct CardSizeFields {
    double width = 0;
    double height = 0;
};
CardSizeFields convertCardSizeFields(CardSizeFields fields, int from, int into);

// --- zoom ---
inline constexpr int kZoomStepCount = 11;
inline constexpr int kActualSizeZoomIndex = 3;
// 0.25, 0.5, 0.75, 1, 1.25, 1.5, 2, 4, 6, 8, 10; 0 for any other index.
float Get_Factor_According_Index(int index);
// The pop-up label of a step: "25%" ... "1000%".
QString zoomStepLabel(int index);
// One step in (+1) or out (-1) from `index`, held within the table.
int zoomStepFrom(int index, int step);

// --- drawing tools ---
enum ToolCode {
    ArrowTool = 0, LineTool, TextTool, RectTool, CircleTool, RoundRectTool, TriangleTool, DiamondTool,
    ImageTool, ImageLibraryTool, BarcodeTool, SignatureTool, FingerprintTool, StarTool, DoubleStarTool,
    PolygonTool, ToolCount
};
struct ToolSpec {
    SKTGraphicKind kind;   // the control class the tool makes
    QString shapeCode;     // for Shape_Control: "R", "C", "RR", "T", "D", "S", "DS", "P"
    QRectF defaultRect;    // the size a control made by the tool button gets
    QString name;          // the action's name, without colon
};
// The tool's control; none for the arrow tool and unknown codes.
std::optional<ToolSpec> toolSpec(int code);
// The action name of every tool, by code ("Arrow_Tool_Clicked" ...).
QString toolActionName(int code);

// --- window title ---
// "App ( Card - design.did )" when the design file exists, else "App ( Card )".
QString formatWindowTitle(const QString &appName, const QString &cardName, const QString &projectFile);

// --- start dialog ---
// The start mode of an option index 0..4 ("T", "W", "L", "V", "G"); empty for other indexes.
QString startOptionCode(int index);

// Label words of a stock template text replaced for the template category.
QString Change_Value_Of_Template(const QString &text, const QString &templateCategory);
