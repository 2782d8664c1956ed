#include "core/CoreHub.h"

#include "core/CardPainting.h"

#include <QPainter>

namespace {
CoreHub g_fallbackHub;
CoreHub *g_hub = nullptr;
BarcodeImageProvider *g_barcodeProvider = nullptr;
int g_paintDepth = 0;  // drawing happens on the GUI thread only
}  // namespace

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
