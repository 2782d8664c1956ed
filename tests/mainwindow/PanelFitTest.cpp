// The property panel on a 1024x700 screen: whichever control the palette made, its tabs show
// their rows whole across the panel's width, so no value field or arrow is cut off at the right.

#include "ControllerFixture.h"

#include "properties/CardTabs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

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
            // Every tab's title shows whole: no arrows to scroll the tab bar.
            QStringList titles;
            for (int t = 0; t < tabs->count(); ++t)
                if (tabs->isTabVisible(t))
                    titles << tabs->tabText(t);
            for (QToolButton *arrow : tabs->tabBar()->findChildren<QToolButton *>())
                EXPECT_FALSE(arrow->isVisible()) << "the tab bar scrolls: " << titles.join(", ").toStdString();
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
    clickEmptyCard();
    QCoreApplication::processEvents();
    walkTabs();
}


// A font field on the card's tabs shows its family and size whole, from the first letter on,
// in the window at 1024x700: the watermark's field sits in a box narrower than the content's.
TEST_F(PanelFitTest, TheCardsFontFieldsShowTheirWholeText)
{
    controller->resize(1024, 700);
    controller->show();
    clickEmptyCard();
    CardTabs &t = controller->cardTabs();
    if (!t.enable_watermark_chk->isChecked())
        press(t.enable_watermark_chk);
    auto *tabs = outlet<QTabWidget>("sett_tab");
    ASSERT_NE(tabs, nullptr);
    QFont chosen(QStringLiteral("Sans Serif"));
    chosen.setPointSizeF(9);
    const QString shown = QStringLiteral("Sans Serif ( 9.00 )");
    for (QPushButton *button : {t.all_content_font_btn, t.wm_font_btn}) {
        ui->push(chosen);
        press(button);
    }
    for (QLineEdit *field : {t.All_Text_font_value, t.wm_font_value}) {
        SCOPED_TRACE(field->objectName().toStdString());
        QWidget *page = field->parentWidget();
        while (page && tabs->indexOf(page) < 0)
            page = page->parentWidget();
        ASSERT_NE(page, nullptr);
        tabs->setCurrentWidget(page);
        QCoreApplication::processEvents();
        ASSERT_TRUE(field->isVisible());
        ASSERT_EQ(field->text(), shown);
        // As the field is left after its text is set: the cursor at the end, scrolled to it.
        field->end(false);
        field->grab();
        EXPECT_EQ(field->cursorPositionAt(QPoint(field->contentsRect().left() + 4, field->height() / 2)), 0)
            << field->text().toStdString() << " in " << field->width() << " px";
    }
}

}  // namespace
