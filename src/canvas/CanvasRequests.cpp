#include "canvas/CanvasRequests.h"

#include "canvas/LiveModePanel.h"
#include "core/Globals.h"

namespace {
NoWindowCanvasRequests g_noRequests;
CanvasRequests *g_requests = nullptr;
LiveModePanel g_noPanel;
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

LiveModePanel &liveModePanel() { return g_panel ? *g_panel : g_noPanel; }
LiveModePanel *setLiveModePanel(LiveModePanel *panel) { return install(g_panel, panel); }
