#include "mainwindow/ControllerHub.h"

#include <QThread>

#include "core/Globals.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "properties/PropertyPanel.h"

ControllerHub::ControllerHub(SKTWindowController &controller) : m_controller(controller)
{
    m_previous = setCoreHub(this);
    m_previousRequests = setCanvasRequests(this);
    m_previousPictures = setPictureServices(this);
}

ControllerHub::~ControllerHub()
{
    setPictureServices(m_previousPictures);
    setCanvasRequests(m_previousRequests);
    setCoreHub(m_previous);
}

void ControllerHub::Refresh_Canvas() { m_controller.Refresh_Canvas(); }

QRectF ControllerHub::frontCanvasBounds()
{
    return m_controller.Front_card_Prop ? QRectF(QPointF(0, 0), m_controller.Front_card_Prop->Card_Size()) : QRectF();
}

QFont ControllerHub::All_Text_font() { return m_controller.All_Text_font; }
QColor ControllerHub::All_Text_clr() { return m_controller.All_Text_clr; }

void ControllerHub::Insert_In_Undo_Redo() { m_controller.Insert_In_Undo_Redo(); }
void ControllerHub::Show_RHS_Properties(SKTGraphic *control) { m_controller.Show_RHS_Properties(control); }
int ControllerHub::Selected_Control_Tool() { return m_controller.Selected_Control_Tool; }

void ControllerHub::Set_Selected_Control_Tool(int tool)
{
    if (tool == 0)
        m_controller.selectArrowTool();
    else
        m_controller.Selected_Control_Tool = tool;
}

bool ControllerHub::Fill_User_Profile() { return ::Fill_User_Profile; }
void ControllerHub::Undo_Action_Perform() { m_controller.undoHistory().Undo_Action_Perform(); }
void ControllerHub::Redo_Action_Perform() { m_controller.undoHistory().Redo_Action_Perform(); }
void ControllerHub::Lock_Clicked() { m_controller.Lock_Clicked(); }
void ControllerHub::Unlock_Clicked() { m_controller.Unlock_Clicked(); }

// The panel is built with the window: requests that come before it (controls made while the
// window is put together) have nothing to update yet.
namespace {
template <class F>
void toPanel(SKTWindowController &controller, F apply)
{
    if (controller.hasPropertyPanel())
        apply(controller.propertyPanel());
}
}  // namespace

void ControllerHub::Set_Control_Pos_And_Size(SKTGraphic *control)
{
    toPanel(m_controller, [&](PropertyPanel &p) { p.Set_Control_Pos_And_Size(control); });
}
void ControllerHub::Set_Paste_Button_Status()
{
    toPanel(m_controller, [](PropertyPanel &p) { p.Set_Paste_Button_Status(); });
}
void ControllerHub::Enable_Same_Size_Buttons(bool on)
{
    toPanel(m_controller, [on](PropertyPanel &p) { p.Enable_Same_Size_Buttons(on); });
}
void ControllerHub::Enable_Natural_Size_Buttons(bool on)
{
    toPanel(m_controller, [on](PropertyPanel &p) { p.Enable_Natural_Size_Buttons(on); });
}
void ControllerHub::Open_Barcode_Window()
{
    toPanel(m_controller, [](PropertyPanel &p) { p.Open_Barcode_Window(); });
}
void ControllerHub::Reset_Image_Editing_Controls()
{
    // A batch worker filling its own copy of an image control has no panel to reset.
    if (QThread::currentThread() != m_controller.thread())
        return;
    toPanel(m_controller, [](PropertyPanel &p) { p.Reset_Image_Editing_Controls(); });
}

SKTGraphicView *ControllerHub::currentCanvas() { return m_controller.currentCanvas(); }
void ControllerHub::selectArrowTool() { m_controller.selectArrowTool(); }
int ControllerHub::Measument_Unit_Is() { return ::Measument_Unit_Is; }
int ControllerHub::Browse_User_Image_Manually() { return m_controller.Browse_User_Image_Manually() ? 1 : 0; }
int ControllerHub::Open_Image_Library_Window(const QString &code) { return m_controller.Open_Image_Library_Window(code); }

void ControllerHub::Load_Card_Tabs()
{
    const Card_Property &card = Card_Front_Or_Back == 0 ? *m_controller.Front_card_Prop : *m_controller.Back_card_Prop;
    m_controller.card_prop_set(card.Card_fill_style());
}
