// The property panel on a 1024x700 screen: whichever control the palette made, its tabs show
// their rows whole across the panel's width, so no value field or arrow is cut off at the right.

#include "ControllerFixture.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

namespace {

using PanelFitTest = WindowTest;

TEST_F(PanelFitTest, EveryPaletteControlsTabsFitThePanelsWidth)
{
    controller->resize(1024, 700);
    controller->show();
    QWidget *panel = outlet<QWidget>("Right_Prop_Box");
    ASSERT_NE(panel, nullptr);
    // Walks every tab the panel shows now; answers how many scroll their rows.
    const auto walkTabs = [panel] {
        int tabsSeen = 0;
        for (QTabWidget *tabs : panel->findChildren<QTabWidget *>()) {
            if (!tabs->isVisible())
                continue;
            for (int t = 0; t < tabs->count(); ++t) {
                tabs->setCurrentIndex(t);
                QCoreApplication::processEvents();
                auto *area = qobject_cast<QScrollArea *>(tabs->currentWidget());
                if (!area)
                    continue;
                ++tabsSeen;
                EXPECT_EQ(area->horizontalScrollBar()->maximum(), 0)
                    << tabs->tabText(t).toStdString() << ": rows need " << area->widget()->minimumSizeHint().width()
                    << " of " << area->viewport()->width();
            }
        }
        return tabsSeen;
    };
    for (const char *tool : {"Line_Tool_btn", "text_tool_btn", "Rect_Tool_btn", "Circle_Tool_btn", "Round_Rect_Tool_btn",
                             "Triangle_Tool_btn", "Diamond_Tool_btn", "Star_Tool_btn", "Double_Star_Tool_btn",
                             "Polygon_Tool_btn", "Barcode_Tool_btn", "Signature_Tool_btn"}) {
        SCOPED_TRACE(tool);
        click(tool);
        QCoreApplication::processEvents();
        EXPECT_GT(walkTabs(), 0) << "the panel shows the new control";
    }
    // The card's own tabs, with nothing chosen.
    canvas(0)->deselectAll();
    controller->Show_RHS_Properties(nullptr);
    QCoreApplication::processEvents();
    walkTabs();
}

}  // namespace
