#include "mainwindow/ControllerHub.h"

#include "output/print/PrintInfo.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QThread>
#include <QToolButton>

#include "core/Globals.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "groupmode/GroupMode.h"
#include "mainwindow/GroupModeWiring.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "core/SKTImage.h"
#include "properties/CardTabs.h"
#include "properties/PropertyPanel.h"

ControllerHub::ControllerHub(SKTWindowController &controller) : m_controller(controller)
{
    m_previous = setCoreHub(this);
    m_previousRequests = setCanvasRequests(this);
    m_previousPictures = setPictureServices(this);
    m_previousArchives = setArchiveHub(this);
}

ControllerHub::~ControllerHub()
{
    setArchiveHub(m_previousArchives);
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

void ControllerHub::Load_Card_Tabs() { m_controller.cardTabs().Load_Card_Tabs(); }
void ControllerHub::Card_Combo_Changed(QComboBox *sender) { m_controller.cardTabs().Card_Combo_Changed(sender); }

Card_Property &ControllerHub::cardOfSide(int side)
{
    return side == 0 ? *m_controller.Front_card_Prop : *m_controller.Back_card_Prop;
}

void ControllerHub::Insert_In_Undo_Redo_Replacing_Card(int side, const Card_Property &replaced)
{
    m_controller.undoHistory().Insert_In_Undo_Redo_Replacing_Card(side, replaced);
}

const SKTGraphicArray &ControllerHub::controlsOfSide(int side)
{
    return side == 0 ? m_controller.Get_Front_Controls_Array() : m_controller.Get_Back_Controls_Array();
}

CardContent ControllerHub::cardContent()
{
    SKTWindowController &c = m_controller;
    return {c.All_Text_font, c.All_Text_font_COPY, c.All_Text_clr, c.All_Text_clr_COPY, c.WM_Text_font};
}

void ControllerHub::Apply_Card_Size(const QSizeF &points)
{
    m_controller.Set_Canvas_to_100_percent();
    m_controller.SetDocumentCanvasSize(m_controller.Set_Document_Size(points));
}

void ControllerHub::Card_Control_Size_Change_or_not(const QSizeF &oldSize)
{
    m_controller.Card_Control_Size_Change_or_not(oldSize);
}

void ControllerHub::Set_Card_Size_In_Control(double widthMM, double heightMM)
{
    m_controller.Set_Card_Size_In_Control(widthMM, heightMM);
}

void ControllerHub::Card_Sides_Changed(bool oneSide)
{
    if (oneSide && Card_Front_Or_Back == 1) {
        // A person's choice takes the back out of work: its unsaved changes of the row on show
        // are settled first, and Cancel leaves the card two-sided with the back in work.
        GroupMode *group = Start_Card_Option == QLatin1String("G") && !Not_Draw_Only_Prop_Change
                               ? Group_Mode_Of(m_controller)
                               : nullptr;
        if (group && !group->Settle_Shown_Row_Changes()) {
            const QSignalBlocker quiet(m_controller.Sides_ComboBox);
            m_controller.Sides_ComboBox->setCurrentIndex(0);
            return;
        }
        m_controller.Select_front_side();
    }
    CARD_SIDE_STR = oneSide ? QStringLiteral("1") : QStringLiteral("2");
    m_controller.Back_Side_btn->setEnabled(!oneSide);
    m_controller.copy_card_design_btn->setEnabled(!oneSide);
}

void ControllerHub::Reload_Card_Panel() { m_controller.Show_RHS_Properties(nullptr); }

QPrinter &ControllerHub::printInfo() { return ::printInfo(); }

QString ControllerHub::Choose_Library_Background()
{
    return m_controller.Open_Image_Library_Window(QStringLiteral("B")) == 1 ? Library_Selected_Image : QString();
}
