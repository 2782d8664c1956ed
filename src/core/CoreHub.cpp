#include "core/CoreHub.h"

#include <QPainter>

namespace {
NoWindowCoreHub g_fallbackHub;
CoreHub *g_hub = nullptr;
BarcodeImageProvider *g_barcodeProvider = nullptr;
}  // namespace

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
