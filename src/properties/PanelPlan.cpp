#include "properties/PanelPlan.h"
#include "platform/TypedNumber.h"

#include "core/ControllerImageFiles.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace {

struct ShapeRow {
    const char *code;
    const char *title;
    ShapeExtra extra;
};
constexpr ShapeRow kShapes[] = {
    {"R", "Rectangle Settings", ShapeExtra::None},      {"C", "Ellipse Settings", ShapeExtra::None},
    {"RR", "Rounded Rectangle Settings", ShapeExtra::CornerRadius},
    {"T", "Triangle Settings", ShapeExtra::None},       {"D", "Diamond Settings", ShapeExtra::None},
    {"S", "Star Settings", ShapeExtra::None},           {"DS", "Double Star Settings", ShapeExtra::DoubleStar},
    {"P", "Polygon Settings", ShapeExtra::Polygon},
};

const ShapeRow *shapeRow(const QString &code)
{
    for (const ShapeRow &row : kShapes)
        if (code == QLatin1String(row.code))
            return &row;
    return nullptr;
}

}  // namespace

PanelPlan Plan_Card_Panel()
{
    return {QStringLiteral("Card Properties"), {},
            {{PanelTab::CardSetting, {}},
             {PanelTab::CardInfo, {}},
             {PanelTab::CardSize, {}},
             {PanelTab::CardBkgd, {}},
             {PanelTab::CardBrdr, {}}},
            {}, ShapeExtra::None};
}

PanelPlan Plan_Control_Panel(const SKTGraphic &control, const QString &mode, bool multipleImages)
{
    const bool live = mode == QLatin1String("V") || mode == QLatin1String("G");
    const QString source = QStringLiteral("Source");
    PanelPlan plan;
    plan.selName = QStringLiteral("NONE");
    std::vector<PanelTabItem> open;
    switch (control.kind()) {
    case SKTGraphicKind::Text:
        plan.title = QStringLiteral("Text Properties");
        plan.selName = QStringLiteral("T");
        open = {{PanelTab::TextEditing, {}}, {PanelTab::TextProp, {}}};
        if (!live)
            open.push_back({PanelTab::DataSource, source});
        break;
    case SKTGraphicKind::Image:
        plan.title = QStringLiteral("Image Properties");
        plan.selName = QStringLiteral("I");
        if (live || multipleImages)
            open = {{PanelTab::Image, {}}};
        else
            open = {{PanelTab::DataSource, source}, {PanelTab::Image, {}}};
        break;
    case SKTGraphicKind::Line:
        plan.title = QStringLiteral("Line Properties");
        open = {{PanelTab::Line, {}}};
        break;
    case SKTGraphicKind::Signature:
        plan.title = QStringLiteral("Signature Properties");
        plan.selName = control.sign_or_fingureprint;
        open = {{PanelTab::Sign, {}}};
        break;
    case SKTGraphicKind::Barcode:
        plan.title = QStringLiteral("Barcode Properties");
        open = {{PanelTab::Barcode, {}}};
        break;
    default: {
        plan.title = QStringLiteral("Shape Properties");
        const ShapeRow *row = shapeRow(control.Get_shape_type());
        if (row)
            plan.shapeTitle = QString::fromLatin1(row->title);
        open = {{PanelTab::Shape, QStringLiteral("General")}};
        if (row && !control.ctrl_is_locked)
            plan.shapeExtra = row->extra;
        break;
    }
    }
    if (control.ctrl_is_locked) {
        // A locked shape's only tab carries the shape's own title (unknown codes: the label stays).
        const bool shape = open.front().tab == PanelTab::Shape;
        plan.tabs = {{PanelTab::Lock, shape ? plan.shapeTitle : plan.title}};
    } else {
        plan.tabs = open;
        plan.tabs.push_back({PanelTab::Alignment, {}});
    }
    return plan;
}

namespace {
const QStringList kBorderCodes{QStringLiteral("S"), QStringLiteral("DA"), QStringLiteral("DO"), QStringLiteral("DD"),
                               QStringLiteral("DDD")};
}

int Border_Style_Index(const QString &code) { return int(kBorderCodes.indexOf(code)); }

QString Return_Border_Style_Str_On_index(int index)
{
    return index >= 0 && index < kBorderCodes.size() ? kBorderCodes[index] : kBorderCodes[0];
}

std::optional<double> Typed_Panel_Value(const QString &typed, double low, double high, bool whole)
{
    const std::optional<double> v = whole ? platform::Typed_Whole_Number(typed) : platform::Typed_Number(typed);
    if (!v)
        return std::nullopt;
    return std::clamp(*v, low, high);
}

double Percent_Of(double fraction) { return fraction * 100.0; }

double Unit_Factor_From_MM(int unit)
{
    return unit == 0 ? 0.03937008 : unit == 1 ? 0.1 : 1.0;
}

QString Size_Field_Text(double value, int unit)
{
    QString text = QString::number(value, 'f', unit == 2 ? 2 : 3);
    while (text.contains(QLatin1Char('.')) && (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.'))))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

FrameFields Frame_Fields_For(const SKTGraphic &control, int unit)
{
    const double factor = Unit_Factor_From_MM(unit);
    return {control.xPosition(), control.yPosition(), Points_to_MM_Convert(float(control.width())) * factor,
            Points_to_MM_Convert(float(control.height())) * factor, control.kind() != SKTGraphicKind::Barcode};
}

bool Image_Source_Invalid(const SKTGraphic &control)
{
    return !(!control._contents.isNull() && !control._file_path.isEmpty() && QFileInfo::exists(control._file_path));
}
