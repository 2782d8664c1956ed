#include "canvas/CanvasRequests.h"

#include "canvas/LiveModePanel.h"
#include "core/Globals.h"

#include <QtGlobal>

namespace {
NoWindowCanvasRequests g_noRequests;
CanvasRequests *g_requests = nullptr;
LiveModePanel *g_panel = nullptr;

template <typename T> T *install(T *&slot, T *value)
{
    T *previous = slot;
    slot = value;
    return previous;
}
}  // namespace

QFont NoWindowCanvasRequests::All_Text_font() { return QFont(Text_Ctrl_Font, Text_Ctrl_Font_Size); }

CanvasRequests &canvasRequests() { return g_requests ? *g_requests : g_noRequests; }
CanvasRequests *setCanvasRequests(CanvasRequests *requests) { return install(g_requests, requests); }

LiveModePanel &liveModePanel()
{
    // Every caller runs under a window, whose set-up installs the live face; a test of a lower
    // layer installs its own null object. Carrying on with no panel would drop the call unseen.
    if (!g_panel)
        qFatal("No live-mode panel is installed: the application's set-up or the test must install one.");
    return *g_panel;
}
LiveModePanel *installedLiveModePanel() { return g_panel; }
LiveModePanel *setLiveModePanel(LiveModePanel *panel) { return install(g_panel, panel); }
