#pragma once
// What the property panel shows for a selection, decided without any widget: the tab items in
// order, the titles and the shape tab's extra controls; and the conversions the loading applies
// between a control's stored values and the panel's fields.

#include "core/SKTGraphic.h"

#include <QString>
#include <optional>
#include <vector>

enum class PanelTab {
    CardSetting, CardInfo, CardSize, CardBkgd, CardBrdr,
    TextEditing, TextProp, Image, Line, Sign, Barcode, Shape, DataSource, Alignment, Lock
};

struct PanelTabItem {
    PanelTab tab;
    QString label;  // empty: the tab keeps its own label
    bool operator==(const PanelTabItem &) const = default;
};

// Which of the shape tab's extra rows an unlocked shape shows.
enum class ShapeExtra { None, CornerRadius, DoubleStar, Polygon };

struct PanelPlan {
    QString title;                   // properties_title
    QString selName;                 // sel_control_name; empty leaves it as it is
    std::vector<PanelTabItem> tabs;  // the alignment tab of an unlocked control included, last
    QString shapeTitle;              // Shape_prop_title; empty leaves it as it is
    ShapeExtra shapeExtra = ShapeExtra::None;
};

// The card side: "Card Properties" and its five tabs, the window's settings first.
PanelPlan Plan_Card_Panel();
// A control in the start mode `mode` ("V" visitor and "G" group mode have no data-source tab);
// `multipleImages` when two or more image controls are selected on the side. Kinds are told
// apart by exact class; any class but the five named kinds is a shape.
PanelPlan Plan_Control_Panel(const SKTGraphic &control, const QString &mode, bool multipleImages);

// The border-style list's index of a style code ("S" 0 … "DDD" 4); -1 for any other code,
// which leaves the list where it was.
int Border_Style_Index(const QString &code);

// The style code of a border-style list's index ("S" for an index out of the list).
QString Return_Border_Style_Str_On_index(int index);

// A number typed into a panel field, held to the field's range; nothing when the text is not
// a finite number (for a whole-number field, not a whole number: "1.5" is not cut to 1), so that
// the field is put back as it was.
std::optional<double> Typed_Panel_Value(const QString &typed, double low, double high, bool whole = false);

// A stored fraction shown as a percentage (0.355 shows 35.5).
double Percent_Of(double fraction);

// The length unit factor from millimetres into the shown unit (0 inch, 1 cm, 2 mm).
double Unit_Factor_From_MM(int unit);
// A length in the shown unit as its field shows it: hundredths of a millimetre are enough for
// a card, so two decimals in mm and three in cm and inches, without trailing zeros.
QString Size_Field_Text(double value, int unit);

// The position and size fields of a control: x and y in points, width and height in the shown
// unit; a barcode's width and height cannot be typed.
struct FrameFields {
    double x = 0, y = 0, width = 0, height = 0;
    bool sizeEditable = true;
};
FrameFields Frame_Fields_For(const SKTGraphic &control, int unit);

// An image control whose picture or file is gone: the panel says its source is invalid.
bool Image_Source_Invalid(const SKTGraphic &control);
