// The barcode tab's command: the barcode window on the one selected barcode.

#include "properties/PropertyPanel.h"

#include "canvas/SKTGraphicView.h"
#include "core/Utilities.h"
#include "properties/Barcode_Gen.h"
#include "properties/PropertyPanelHooks.h"

void PropertyPanel::Open_Barcode_Window()
{
    SKTGraphicView *canvas = m_hooks.currentCanvas();
    SKTGraphic *selected = canvas ? canvas->Selected_Graphic() : nullptr;
    if (!selected) {
        Show_MessageBox(QStringLiteral("Please select control."));
        return;
    }
    if (Check_Multiple_Barcode_Selection(true) || selected->kind() != SKTGraphicKind::Barcode)
        return;
    Barcode_Gen *window = Barcode_Gen::defaultInstance();
    if (!window)
        window = new Barcode_Gen(m_header);  // one for the run, gone with the panel
    window->setHooks(&m_hooks);
    // The window works on a copy; the control may go while it is open.
    const std::shared_ptr<SKTGraphic> shown = selected->clone();
    const bool pictured = !shown->_barcode_image.isNull();
    const std::shared_ptr<SKTGraphic> result = window->Open_Wnd(*shown);
    if (!result || Barcode_output_image.isNull())
        return;
    // An OK that changed nothing keeps the control as it is stored, its picture included; only
    // a control that has no picture yet is given one.
    if (!window->Changed_Since_Open() && pictured)
        return;
    Update_Barcode_Graphics(*result);
}

bool PropertyPanel::Check_Multiple_Barcode_Selection(bool show) const
{
    SKTGraphicView *canvas = m_hooks.currentCanvas();
    if (!canvas)
        return false;
    int barcodes = 0;
    for (const SKTGraphicPtr &g : canvas->selectedGraphics())
        if (g->kind() == SKTGraphicKind::Barcode && ++barcodes == 2)
            break;
    if (barcodes < 2)
        return false;
    if (show)
        Show_MessageBox(QStringLiteral("Please select only one barcode control to view or update barcode properties."));
    return true;
}
