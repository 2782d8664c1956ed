#include "mainwindow/ControllerHub.h"

#include "core/Globals.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"

ControllerHub::ControllerHub(SKTWindowController &controller) : m_controller(controller)
{
    m_previous = setCoreHub(this);
    m_previousRequests = setCanvasRequests(this);
}

ControllerHub::~ControllerHub()
{
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
