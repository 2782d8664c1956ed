#pragma once
// A canvas bound to a fresh document, with a hub that plays the main window's part: it counts
// undo snapshots and refreshes, holds the current tool and text style, logs the position
// fields, and clears the selection when the property panel is told to show no control, as the
// real panel does.

#include "CoreTestSupport.h"
#include "TestSupport.h"

#include "canvas/CanvasRequests.h"
#include "canvas/LiveModePanel.h"
#include "canvas/SKTGraphicView.h"
#include "core/SKTDocument.h"
#include "canvas/SKTGrid.h"

#include <QAbstractButton>
#include <QPointer>
#include <gtest/gtest.h>
#include <memory>

namespace canvastest {

class CanvasHub : public kindstest::CardHub, public CanvasRequests, public LiveModePanel {
public:
    CanvasHub() : m_previousRequests(setCanvasRequests(this)), m_previousPanel(setLiveModePanel(this)) {}
    ~CanvasHub() override
    {
        setLiveModePanel(m_previousPanel);
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
    QWidget *Get_text_box_of_visitor_mode(const QString &id) override { return id == entryId ? textBox : nullptr; }
    QAbstractButton *Get_chk_box_of_visitor_mode(const QString &id) override { return id == entryId ? checkBox : nullptr; }

    int snapshots = 0;
    int tool = 0;
    bool fillUserProfile = false;
    bool naturalSizeEnabled = true;
    bool sameSizeEnabled = false;
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
    LiveModePanel *m_previousPanel;
};

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A filled, borderless rectangle appended to the side (index = number already there).
    SKTGraphicPtr addRect(const QRectF &bounds, QColor fill = Qt::blue, int side = 0);
    // A canvas of its own for another side of the same document.
    std::unique_ptr<SKTGraphicView> canvasForSide(int side);

    void press(QPointF p, Qt::KeyboardModifiers mods = {});
    void moveTo(QPointF p);
    void release(QPointF p);
    void drag(QPointF from, QPointF to);

    const SKTGraphicArray &front() const { return doc->graphics(); }

    testsupport::TempDataFolder data;
    QString savedStartOption;
    CanvasHub hub;
    std::unique_ptr<SKTDocument> doc;
    SKTGrid grid;
    std::unique_ptr<SKTGraphicView> view;
};

}  // namespace canvastest
