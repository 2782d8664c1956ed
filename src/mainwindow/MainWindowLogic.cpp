#include "mainwindow/MainWindowLogic.h"

#include <QFileInfo>
#include <array>

UnitCaptions unitCaptions(int unit)
{
    const QString tag = unit == 0 ? QStringLiteral("in") : unit == 1 ? QStringLiteral("cm") : QStringLiteral("mm");
    return {QStringLiteral("Card Size (%1)").arg(tag), QStringLiteral("(%1)").arg(tag), QStringLiteral("(pt)")};
}

CardSizeFields convertCardSizeFields(CardSizeFields fields, int from, int into)
{
    const float f = Get_Unit_Convertor(from, into);
    return {float(fields.width) * f, float(fields.height) * f};
}

float Get_Factor_According_Index(int index)
{
    static const float factors[kZoomStepCount] = {0.25f, 0.5f, 0.75f, 1.0f, 1.25f, 1.5f, 2.0f, 4.0f, 6.0f, 8.0f, 10.0f};
    if (index < 0 || index >= kZoomStepCount)
        return 0.0f;
    return factors[index];
}

QString zoomStepLabel(int index)
{
    return QStringLiteral("%1%").arg(qRound(Get_Factor_According_Index(index) * 100));
}

int zoomStepFrom(int index, int step)
{
    return std::clamp(index + step, 0, kZoomStepCount - 1);
}

std::optional<ToolSpec> toolSpec(int code)
{
    using K = SKTGraphicKind;
    const QRectF square(0, 0, 50, 50);
    auto shape = [&](const char *c) { return ToolSpec{K::Shape, QString::fromLatin1(c), square, toolActionName(code)}; };
    switch (code) {
    case LineTool: return ToolSpec{K::Line, {}, square, toolActionName(code)};
    case TextTool: return ToolSpec{K::Text, {}, square, toolActionName(code)};
    case RectTool: return shape("R");
    case CircleTool: return shape("C");
    case RoundRectTool: return shape("RR");
    case TriangleTool: return shape("T");
    case DiamondTool: return shape("D");
    case ImageTool:
    case ImageLibraryTool: return ToolSpec{K::Image, {}, square, toolActionName(code)};
    case BarcodeTool: return ToolSpec{K::Barcode, {}, QRectF(0, 0, 120, 60), toolActionName(code)};
    case SignatureTool: return ToolSpec{K::Signature, {}, QRectF(0, 0, 100, 50), toolActionName(code)};
    case FingerprintTool: return ToolSpec{K::Signature, {}, square, toolActionName(code)};
    case StarTool: return shape("S");
    case DoubleStarTool: return shape("DS");
    case PolygonTool: return shape("P");
    default: return std::nullopt;
    }
}

QString toolActionName(int code)
{
    static const char *names[ToolCount] = {
        "Arrow_Tool_Clicked", "Line_Tool_Clicked", "Text_Tool_Clicked", "Rect_Tool_Clicked",
        "Circle_Tool_Clicked", "Round_Rect_Tool_Clicked", "Triangle_Tool_Clicked", "Diamond_Tool_Clicked",
        "Image_Tool_Clicked", "Image_Library_Tool_Clicked", "Barcode_Tool_Clicked", "Signature_Tool_Clicked",
        "Fingure_Print_Tool_Clicked", "Star_Tool_Clicked", "Double_Star_Tool_Clicked", "Polygon_Tool_Clicked",
    };
    if (code < 0 || code >= ToolCount)
        return {};
    return QString::fromLatin1(names[code]);
}

QString formatWindowTitle(const QString &appName, const QString &cardName, const QString &projectFile)
{
    const QFileInfo file(projectFile);
    if (!projectFile.isEmpty() && file.exists())
        return QStringLiteral("%1 ( %2 - %3 )").arg(appName, cardName, file.fileName());
    return QStringLiteral("%1 ( %2 )").arg(appName, cardName);
}

QString startOptionCode(int index)
{
    static const char *codes[] = {"T", "W", "L", "V", "G"};
    if (index < 0 || index > 4)
        return {};
    return QString::fromLatin1(codes[index]);
}

QString Change_Value_Of_Template(const QString &text, const QString &templateCategory)
{
    struct Swap {
        const char *from;
        const char *to;
    };
    auto apply = [&](std::initializer_list<Swap> swaps) {
        QString out = text;
        for (const Swap &s : swaps)
            out.replace(QString::fromLatin1(s.from), QString::fromLatin1(s.to));
        return out;
    };
    if (templateCategory == QStringLiteral("P"))
        return apply({{"Employee Name", "Reporter Name"}, {"Company Name", "Press Name"}, {"Designation", "Position"}});
    if (templateCategory == QStringLiteral("E"))
        return apply({{"Employee Name", "Student Name"}, {"Company Name", "School Name"}, {"Designation", "Class Name"}});
    if (templateCategory == QStringLiteral("H"))
        return apply({{"Employee Name", "Person Name"}, {"Company Name", "Hospital Name"}});
    if (templateCategory == QStringLiteral("T"))
        return apply({{"Employee Name", "Person Name"}, {"Company Name", "Travel Company"}});
    if (templateCategory == QStringLiteral("V"))
        return apply({{"Employee Name", "Visitor Name"}, {"Unique No.", "Visitor No."}});
    return text;
}
