#pragma once
// The window on the start dialog's visitor road, and what a person reads off its front panel and card.

#include "ControllerFixture.h"

#include "core/SKTRenderingView.h"
#include "visitor/Profile_Panel.h"

#include <QComboBox>

namespace {

class VisitorModeTest : public ControllerTest {
protected:
    // The start dialog's visitor road at launch; `openedOn` takes the category the gallery opened on.
    void startVisitor(QString *openedOn = nullptr)
    {
        chooseVisitorRoad(openedOn);
        ASSERT_TRUE(setUpWindow());
        ASSERT_EQ(Start_Card_Option, "V");
    }
    Profile_Panel &front() { return *Front_Profile_Panel_OBJ; }
    SKTGraphic *control(const QString &id) const
    {
        for (const SKTGraphicPtr &g : document->graphics())
            if (g->control_ID == id)
                return g.get();
        return nullptr;
    }
    QImage rendered(const CardSide &side) const
    {
        QImage image(side.cardRect.size().toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        SKTRenderingView(side, QString()).drawInto(painter, QRectF(QPointF(), side.cardRect.size()));
        return image;
    }
};

}  // namespace
