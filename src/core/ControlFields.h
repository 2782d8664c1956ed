#pragma once
// One table per kind of control: every field the kind keeps, what its value means and where it
// travels. The keyed archive, the design-file record, the clearing before a restore and the
// narrow copy all walk these tables, so a new field is one line in ControlFields.cpp.

#include "core/SKTGraphic.h"
#include "core/SKTLine.h"

#include <type_traits>
#include <variant>
#include <vector>

// What a field's value means: the range a value from a file, an archive or the clipboard can
// sensibly take hangs on this.
enum class FieldKind {
    Flag,        // yes or no (a BOOL, or an int holding 1 or 0)
    Rect,        // position and size on the card, in points
    Length,      // points: outline width, corner radius, offsets, margins, kerning
    Angle,       // degrees
    Percent,     // 0 to 100
    Opacity,     // a fraction 0 to 1; above 1 counts as opaque
    Adjustment,  // a picture adjustment: a factor or an offset
    Count,       // a number of things: vertices, modules, pixels
    Choice,      // an index into a fixed list of choices
    Column,      // an index into a data source: series entry, spreadsheet column (-1 none)
    Code,        // a short code text ("S", "DA", "R" ...)
    Text,        // free text
    Path,        // a file path
    Colour,
    Font,
    Image,
    StyledText,
};

// Where a field travels (a bit set).
enum FieldUse : unsigned {
    InMemory = 0,          // nowhere: only cleared before a restore
    InArchive = 1,         // the keyed archive (undo, clipboard, document data)
    InRecord = 2,          // the design-file record
    Copied = 4,            // the narrow copy (copyWithZone) of every kind
    CopiedByKind = 8,      // the narrow copy of this kind only
    OldRecordsEnd = 16,    // older, shorter records may end just before this field
    OmittedWhenOff = 32,   // written only when not 0, so files and archives without it stay as
                           // they were; read back as 0 when missing (a last field of its record)
    Stored = InArchive | InRecord,
};

using FieldMember = std::variant<QRectF SKTGraphic::*, bool SKTGraphic::*, int SKTGraphic::*, float SKTGraphic::*,
                                 double SKTGraphic::*, QString SKTGraphic::*, QColor SKTGraphic::*,
                                 QFont SKTGraphic::*, QImage SKTGraphic::*,
                                 std::optional<SKTTextStorage> SKTGraphic::*, bool SKTLine::*>;

struct ControlField {
    const char *name;  // the field's name, which is also its archive key
    FieldMember member;
    FieldKind kind;
    unsigned use;
    bool has(unsigned u) const { return (use & u) == u; }
};

// The fields of a kind in writing order: the common fields, the binding fields (text, image,
// barcode), then the kind's own block.
const std::vector<ControlField> &Control_Fields(SKTGraphicKind kind);
// Every kind's fields one after the other (a field shared by kinds appears once per kind).
const std::vector<ControlField> &All_Control_Fields();

// Calls fn with a reference to the field's value in g; nothing for a line's own field of a
// control that is not a line. G may be const.
template <class G, class Fn>
void With_Field(G &g, const FieldMember &member, Fn &&fn)
{
    std::visit(
        [&](auto m) {
            if constexpr (std::is_same_v<decltype(m), bool SKTLine::*>) {
                using Line = std::conditional_t<std::is_const_v<G>, const SKTLine, SKTLine>;
                if (auto *line = dynamic_cast<Line *>(&g))
                    fn(line->*m);
            } else {
                fn(g.*m);
            }
        },
        member);
}

// Whether a field marked OmittedWhenOff is left out of what g writes.
inline bool Field_Left_Out(const SKTGraphic &g, const ControlField &field)
{
    bool off = false;
    if (field.has(OmittedWhenOff))
        With_Field(g, field.member, [&](const auto &value) {
            if constexpr (std::is_arithmetic_v<std::decay_t<decltype(value)>>)
                off = value == 0;
        });
    return off;
}

// Holds a value read from a file, an archive or the clipboard to the range of its kind (see
// platform/ValueBounds.h): a number out of range is clamped, one that is not a number takes the
// kind's fallback. Texts, colours, flags and pictures pass as they are.
void Bound_Value(FieldKind kind, QRectF &value);
void Bound_Value(FieldKind kind, int &value);
void Bound_Value(FieldKind kind, float &value);
void Bound_Value(FieldKind kind, double &value);
void Bound_Value(FieldKind kind, QFont &value);
void Bound_Value(FieldKind kind, std::optional<SKTTextStorage> &value);
template <class T>
void Bound_Value(FieldKind, T &)
{
}

// Every field at zero, NO or none: a restored control owes nothing to the defaults of a new one.
void clearAllFields(SKTGraphic &g);
