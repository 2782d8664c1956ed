#include "core/CoreHub.h"

#include "core/CardPainting.h"
#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "core/SKTImage.h"
#include "core/Utilities.h"

#include <QPainter>

namespace {
CoreHub g_fallbackHub;
CoreHub *g_hub = nullptr;
BarcodeImageProvider *g_barcodeProvider = nullptr;
int g_paintDepth = 0;  // drawing happens on the GUI thread only
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

void CoreHub::Card_Base_Drawing(QPainter &painter, const QRectF &)
{
    if (const Card_Property *prop = currentCardProperty())
        ::Card_Base_Drawing(painter, *prop, currentCardShape(), frontCanvasBounds());
}

void CoreHub::Card_Border_Drawing(QPainter &painter, const QRectF &)
{
    if (const Card_Property *prop = currentCardProperty())
        ::Card_Border_Drawing(painter, *prop, currentCardShape(), frontCanvasBounds());
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

ScopedPaintPass::ScopedPaintPass() { ++g_paintDepth; }
ScopedPaintPass::~ScopedPaintPass() { --g_paintDepth; }
bool ScopedPaintPass::active() { return g_paintDepth > 0; }

void requestCanvasRefresh()
{
    if (!ScopedPaintPass::active())
        coreHub().Refresh_Canvas();
}
