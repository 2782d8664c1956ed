#pragma once
// The control archive: one control of any kind as a self-contained keyed record and back, the
// faithful copy behind undo snapshots, design backups, the clipboard and the document data.
//
// A record is a property-list dictionary: "$class" names the exact class ("SKTText",
// "SKTImage", "SKTLine", "Shape_Control", "SKTSignature", "SKTBarcode"), every other key is a
// field name of the control with a value of one of five kinds:
//   rectangle  string "{{x, y}, {w, h}}" (exact numbers)
//   BOOL       boolean
//   int        integer (32-bit range)
//   float      real with single precision (double fields lose their extra precision)
//   object     string; colour as four reals; font as its description text; image as PNG
//              data; text storage as a dictionary "string", "font", "foregroundColor".
//              A missing object ("none") is an empty dictionary, so every key is present.
// Which keys a record holds depends on the exact class: the common keys, the binding keys
// (text, image and barcode) and the class's own block. Reading never runs the defaults of a
// new control: every field starts at zero, NO or none and only the record's keys give values.
//
// Also here: the operations on a list of controls (clipboard data of a list, reading it back
// for pasting, placement of pasted controls, common move, combined bounds).

#include "core/SKTError.h"
#include "core/SKTGraphic.h"
#include "core/SKTRenderingView.h"

#include <QByteArray>
#include <QRectF>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>
#include <vector>

// Lists handed in are plain pointers (SKTGraphicList, Graphic_Pointers of any owning list);
// controls made here are owned by the caller through shared pointers, as the document's
// arrays hold them.
using SKTGraphicPtr = std::shared_ptr<SKTGraphic>;
using SKTGraphicArray = std::vector<SKTGraphicPtr>;

// Key of the class name in a record.
inline const QString SKTArchiveClassKey = QStringLiteral("$class");

// --- one control ---

// The record of the control.
QVariantMap encodeWithCoder(const SKTGraphic &graphic);
// A control of the record's class with the record's values; nullptr when the record names no
// known class. Damaged or missing values read as zero, NO or none.
std::unique_ptr<SKTGraphic> initWithCoder(const QVariantMap &record);

// The record as binary property-list bytes, and back (nullptr for bytes that are not a record).
QByteArray Archive_Graphic(const SKTGraphic &graphic);
std::unique_ptr<SKTGraphic> Unarchive_Graphic(const QByteArray &data);
// A whole copy through the archive, as undo and backups restore it.
std::unique_ptr<SKTGraphic> Archived_Copy(const SKTGraphic &graphic);

// The keys a record of that class holds, in writing order (empty for an unknown class).
QStringList Archive_Keys_For_Class(const QString &className);

// A control of the kind (or named class) with the defaults of a new one; nullptr for an
// unknown name.
std::unique_ptr<SKTGraphic> Make_Graphic_Of_Kind(SKTGraphicKind kind);
std::unique_ptr<SKTGraphic> Make_Graphic_Of_Class(const QString &className);

// The property dictionary behind a control's textual description (not a stored format):
// "bounds" (brace text), "drawingFill" and "drawingStroke" (booleans), "fillColor" and
// "strokeColor" (colour data, each present only when there is a colour, with the control's
// opacity) and "strokeWidth". A line has "beginPoint" and "endPoint" instead of "bounds"; a
// text adds "contents" (its styled text as data); an image adds "contents" (its picture) and
// "flippedHorizontally" and "flippedVertically".
QVariantMap properties(SKTGraphic &graphic);
// Gives a control that has the defaults of a new one the dictionary's values; a key whose
// value is not of the expected kind is ignored.
void initWithProperties(SKTGraphic &graphic, const QVariantMap &properties);

// --- lists of controls ---

// What pasting asks of the main window controller. It installs its own; without one
// (NoWindowArchiveHub) the cascade starts from the card's corner and no extra-image identifiers
// are given.
class ArchiveHub {
public:
    virtual ~ArchiveHub() = default;
    // The position for the next new control on the side ("F" front, anything else back).
    virtual QPointF Control_New_Point(const QString &card_side) = 0;
    // A free picture identifier of visitor and group mode ("F_Pic%d").
    virtual QString Generate_Extra_image_control_ID() = 0;
};

class NoWindowArchiveHub : public ArchiveHub {
public:
    QPointF Control_New_Point(const QString &card_side) override;
    QString Generate_Extra_image_control_ID() override { return {}; }
};
ArchiveHub &archiveHub();
// Installs a hub (not owned) and returns the previous one (nullptr for the fallback).
ArchiveHub *setArchiveHub(ArchiveHub *hub);

// One archive per control, in list order; nullptr entries and controls that cannot be
// archived are left out.
QList<QByteArray> Archives_Of(const SKTGraphicList &graphics);
// The same as property-list data values.
QVariantList propertiesWithGraphics(const SKTGraphicList &graphics);
// The clipboard data of a list: a binary property list whose root is the array of archives.
QByteArray pasteboardDataWithGraphics(const SKTGraphicList &graphics);

// Controls from clipboard data, adjusted for pasting (graphicsWithProperties). None, with
// error 2 in *error, when the data is not a property-list array or holds archives of which
// none can be read. Unreadable elements among readable ones are skipped.
std::optional<SKTGraphicArray> graphicsWithPasteboardData(const QByteArray &data, SKTError *error = nullptr);
// Controls from archives, each with its identifier cleared and unlocked; an image control
// reloads its picture from its file when the file is there and takes a fresh picture
// identifier in visitor and group mode; group mode unbinds spreadsheet-bound text and image
// controls. Elements that are not readable archives are skipped.
SKTGraphicArray graphicsWithProperties(const QVariantList &archives);

// The union of the controls' bounds (empty rectangles add nothing); the zero rectangle for none.
QRectF boundsOfGraphics(const SKTGraphicList &graphics);
// The same over the drawing bounds; the front canvas's bounds for an empty list.
QRectF drawingBoundsOfGraphics(const SKTGraphicList &graphics);

// Moves every unlocked control by (dx, dy), except one the move would take wholly off the card
// (the front canvas's bounds), which stays where it is. A moved barcode's image bounds follow.
void translateGraphics(const SKTGraphicList &graphics, double dx, double dy);

// Places pasted controls: the first at (x, y), every later one at the hub's next new-control
// point for the side (asked even for a locked control, which stays where it is). The size of
// each control is kept; a barcode's image bounds follow.
void Paste_Location_Of_Graphics(const SKTGraphicList &graphics, double x, double y,
                                const QString &card_side);

// The canvas's barcode refresh: an exact barcode control's image bounds become its bounds.
void check_barcode_and_set_control_bounds(SKTGraphic *graphic);
