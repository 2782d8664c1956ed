// The window's Print command: a snapshot of both sides and their data goes to the print window,
// which lays the cards out and prints them without touching the open design.

#include "core/Globals.h"
#include "data/batch/BatchEngine.h"
#include "mainwindow/ControllerHub.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "output/print/Print_Wnd.h"
#include "platform/UiServices.h"

Print_Wnd *SKTWindowController::printWindow()
{
    if (!m_print)
        m_print = new Print_Wnd(this);
    return m_print;
}

void SKTWindowController::Print_Button() { Print_method(); }

void SKTWindowController::Print_method()
{
    if (Print_Printer_Names().isEmpty()) {
        platform::ui().message(QStringLiteral("No printer found."));
        return;
    }
    PrintRequest request{Prepare_Print_Export_Mail(), CARD_SIDE_STR == QLatin1String("2"),
                         Start_Card_Option == QLatin1String("V"), Card_Front_Or_Back};
    printWindow()->Open_Print_Wnd(std::move(request));
    Show_RHS_Properties(nullptr);
}

void ControllerHub::Print_Button() { m_controller.Print_Button(); }
