#pragma once
// A canvas bound to a fresh document, with a hub in the main window's part: it counts snapshots
// and refreshes, holds tool and text style, logs the position fields, and clears the selection
// when the panel is told to show no control, as the real panel does.

#include "CoreTestSupport.h"
#include "NoWindowLiveModePanel.h"
#include "TestSupport.h"

#include "canvas/CanvasRequests.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "core/SKTDocument.h"

#include <QAbstractButton>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace canvastest {

class CanvasHub : public kindstest::CardHub, public NoWindowCanvasRequests, public NoWindowLiveModePanel {
public:
    CanvasHub() : m_previousRequests(setCanvasRequests(this)) {}
    ~CanvasHub() override
    {
        setCanvasRequests(m_previousRequests);
    }
    void Refresh_Canvas() override { ++refreshes; }
    void Set_Control_Pos_And_Size(SKTGraphic *g) override { positions.emplace_back(g, g->bounds()); }
    QFont All_Text_font() override { return textFont; }
    QColor All_Text_clr() override { return textColour; }
    void Insert_In_Undo_Redo() override { ++snapshots; }
    void Show_RHS_Properties(SKTGraphic *g) override
    {
        shown.push_back(g);
        if (!g && canvas)
            canvas->deselectAll();
    }
    int Selected_Control_Tool() override { return tool; }
    void Set_Selected_Control_Tool(int t) override { tool = t; }
    bool Fill_User_Profile() override { return fillUserProfile; }
    void Enable_Natural_Size_Buttons(bool on) override { naturalSizeEnabled = on; }
    void Enable_Same_Size_Buttons(bool on) override { sameSizeEnabled = on; }
    QWidget *Get_text_box_of_visitor_mode(const QString &id) override
    {
        return id == entryId ? textBox : nullptr;
    }
    QAbstractButton *Get_chk_box_of_visitor_mode(const QString &id) override
    {
        return id == entryId ? checkBox : nullptr;
    }

    int snapshots = 0, tool = 0;
    bool fillUserProfile = false, naturalSizeEnabled = true, sameSizeEnabled = false;
    std::vector<SKTGraphic *> shown;
    QPointer<SKTGraphicView> canvas;
    QString entryId;
    QWidget *textBox = nullptr;
    QAbstractButton *checkBox = nullptr;
    std::vector<std::pair<SKTGraphic *, QRectF>> positions;
    QFont textFont{QStringLiteral("Serif"), 17};
    QColor textColour{Qt::darkGreen};

private:
    CanvasRequests *m_previousRequests;
};

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedStartOption = Start_Card_Option;
        Start_Card_Option = QStringLiteral("T");
        Card_Front_Or_Back = 0;
        last_ctrl_X = last_ctrl_Y = 10;
        view = canvasForSide(0);
        hub.canvas = view.get();
    }
    void TearDown() override { Start_Card_Option = savedStartOption; }

    // A filled, borderless rectangle appended to the front (index = number already there).
    SKTGraphicPtr addRect(const QRectF &bounds, QColor fill = Qt::blue)
    {
        SKTGraphicPtr g(kindstest::filledRect(bounds, fill));
        doc->appendGraphicOnSide(0, g);
        return g;
    }
    std::unique_ptr<SKTGraphicView> canvasForSide(int side)
    {
        auto canvas = std::make_unique<SKTGraphicView>();
        canvas->bindGraphics(doc.get(), side);
        canvas->setCardProperty(&hub.card);
        canvas->setGrid(&grid);
        return canvas;
    }

    // Mouse gestures at card points (the canvas is at 100 %).
    void press(QPointF p, Qt::KeyboardModifiers mods = {})
    {
        QTest::mousePress(view.get(), Qt::LeftButton, mods, p.toPoint());
    }
    void moveTo(QPointF p) { QTest::mouseMove(view.get(), p.toPoint()); }
    void release(QPointF p) { QTest::mouseRelease(view.get(), Qt::LeftButton, {}, p.toPoint()); }
    void drag(QPointF from, QPointF to, Qt::KeyboardModifiers mods = {})
    {
        press(from, mods);
        for (QPointF p : {(from + to) / 2, to})
            moveTo(p);
        release(to);
    }

    const SKTGraphicArray &front() const { return doc->graphics(); }

    testsupport::TempDataFolder data;
    QString savedStartOption;
    CanvasHub hub;
    std::unique_ptr<SKTDocument> doc = std::make_unique<SKTDocument>();
    SKTGrid grid;
    std::unique_ptr<SKTGraphicView> view;
};

}  // namespace canvastest
