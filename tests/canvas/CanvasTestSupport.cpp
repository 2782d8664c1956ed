#include "CanvasTestSupport.h"

#include "core/ControllerImageFiles.h"
#include "core/Globals.h"

#include <QTest>

namespace canvastest {

void CanvasTest::SetUp()
{
    savedStartOption = Start_Card_Option;
    Start_Card_Option = QStringLiteral("T");
    Card_Front_Or_Back = 0;
    last_ctrl_X = 10;
    last_ctrl_Y = 10;
    doc = std::make_unique<SKTDocument>();
    view = std::make_unique<SKTGraphicView>();
    view->bindGraphics(doc.get(), 0);
    view->setCardProperty(&hub.card);
    view->setGrid(&grid);
    hub.canvas = view.get();
}

void CanvasTest::TearDown()
{
    view.reset();
    doc.reset();
    Start_Card_Option = savedStartOption;
    Card_Front_Or_Back = 0;
}

SKTGraphicPtr CanvasTest::addRect(const QRectF &bounds, QColor fill, int side)
{
    SKTGraphicPtr g(kindstest::filledRect(bounds, fill));
    doc->appendGraphicOnSide(side, g);
    return g;
}

std::unique_ptr<SKTGraphicView> CanvasTest::canvasForSide(int side)
{
    auto canvas = std::make_unique<SKTGraphicView>();
    canvas->bindGraphics(doc.get(), side);
    canvas->setCardProperty(&hub.card);
    canvas->setGrid(&grid);
    return canvas;
}

void CanvasTest::press(QPointF p, Qt::KeyboardModifiers mods)
{
    QTest::mousePress(view.get(), Qt::LeftButton, mods, (p * view->scale()).toPoint());
}

void CanvasTest::moveTo(QPointF p) { QTest::mouseMove(view.get(), (p * view->scale()).toPoint()); }

void CanvasTest::release(QPointF p)
{
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, (p * view->scale()).toPoint());
}

void CanvasTest::drag(QPointF from, QPointF to)
{
    press(from);
    moveTo((from + to) / 2);
    moveTo(to);
    release(to);
}

}  // namespace canvastest
