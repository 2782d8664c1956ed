#include "core/CoreHub.h"

#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "core/SKTImage.h"
#include "core/Utilities.h"

#include <QPainter>

namespace {
CoreHub g_fallbackHub;
CoreHub *g_hub = nullptr;
BarcodeImageProvider *g_barcodeProvider = nullptr;
}  // namespace

QRectF Rotated_Path_Rect(const QRectF &rect, float angle)
{
    if (angle == 0.0f)
        return rect;
    const QPointF centre(float(rect.x() + rect.width() / 2), float(rect.y() + rect.height() / 2));
    SKTBezierPath p;
    p.path.addRect(rect);
    return rotatedPath(p, angle, centre).path.boundingRect();
}

SKTBezierPath rotatedPath(const SKTBezierPath &path, double angle, QPointF aboutPoint)
{
    if (angle == 0.0)
        return path;
    SKTBezierPath turned = path;
    turned.path = RotationTransform(angle, aboutPoint.x(), aboutPoint.y()).map(path.path);
    turned.path.setFillRule(path.path.fillRule());
    return turned;
}

QFont CoreHub::All_Text_font()
{
    return QFont(Text_Ctrl_Font, Text_Ctrl_Font_Size);
}

QImage CoreHub::Get_Image_For_Path(const QString &path, bool asIcon)
{
    return Load_Control_Picture(path, asIcon);
}

QString CoreHub::Check_Path_For_App_Resources(const QString &path)
{
    return Trim_Str(path);
}

QImage CoreHub::Get_Image_With_Update_Settings(SKTGraphic &control)
{
    return Adjusted_Control_Picture(control);
}

CoreHub &coreHub()
{
    return g_hub ? *g_hub : g_fallbackHub;
}

CoreHub *setCoreHub(CoreHub *hub)
{
    CoreHub *previous = g_hub;
    g_hub = hub;
    return previous;
}

BarcodeImageProvider *barcodeImageProvider() { return g_barcodeProvider; }

BarcodeImageProvider *setBarcodeImageProvider(BarcodeImageProvider *provider)
{
    BarcodeImageProvider *previous = g_barcodeProvider;
    g_barcodeProvider = provider;
    return previous;
}
