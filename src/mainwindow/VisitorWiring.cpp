#include "mainwindow/VisitorWiring.h"

#include "canvas/SKTGraphicView.h"
#include "core/ControllerImageFiles.h"
#include "imaging/Camera.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "properties/PropertyPanel.h"
#include "visitor/VisitorMode.h"
#include "visitor/VisitorWindow.h"

#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QAbstractButton>
#include <QSplitter>
#include <QToolButton>

namespace {

// The window as visitor mode sees it; lives as a child of the window and uninstalls its panel
// when the window goes.
class VisitorWiring : public QObject, public VisitorWindow {
public:
    explicit VisitorWiring(SKTWindowController &w) : QObject(&w), m_w(w), mode(*this)
    {
        setObjectName(QStringLiteral("VisitorWiring"));
        m_previous = setLiveModePanel(&mode);
    }
    ~VisitorWiring() override
    {
        if (installedLiveModePanel() == &mode)
            setLiveModePanel(m_previous);
    }
    SKTDocument &document() override { return m_w.document(); }
    SKTGraphicView *canvasOfSide(int side) override { return m_w.canvasOfSide(side); }
    void Select_front_side() override { m_w.Select_front_side(); }
    void Show_RHS_Properties(SKTGraphic *control) override { m_w.Show_RHS_Properties(control); }
    void Set_Selected_Graphic(SKTGraphic *control) override { m_w.Set_Selected_Graphic(control); }
    bool Copy_Card_Design_In_Progress() override { return copy_card_design; }
    void Refresh_Canvas() override { m_w.Refresh_Canvas(); }
    void Insert_In_Undo_Redo() override { m_w.Insert_In_Undo_Redo(); }
    QStringList Allowd_Image_fileTypes() override { return m_w.Allowd_Image_fileTypes; }
    void Set_Text_Value_Edit(const QString &text) override
    {
        if (m_w.hasPropertyPanel()) {
            const QSignalBlocker quiet(m_w.propertyPanel().Text_value_Edit);
            m_w.propertyPanel().Text_value_Edit->setPlainText(text);
        }
    }
    bool Check_Multiple_Image_Selection() override
    {
        return m_w.hasPropertyPanel() && m_w.propertyPanel().Check_Multiple_Image_Selection(QStringLiteral("Select"), true);
    }
    int Open_Camera_Window(QString &picture) override { return Camera::Take_Picture(picture); }
    void Set_Tool_Buttons(bool profileShown, bool textTool, bool imageTools) override
    {
        if (auto *profile = m_w.findChild<QAbstractButton *>(QStringLiteral("User_Profile_Btn")))
            profile->setVisible(profileShown);
        m_w.text_tool_btn->setEnabled(textTool);
        m_w.image_tool_btn->setEnabled(imageTools);
        m_w.image_library_tool_btn->setEnabled(imageTools);
    }
    void Show_Hide_Record_Button(bool hide) override
    {
        if (auto *records = m_w.findChild<QAbstractButton *>(QStringLiteral("show_db_rcd_btn")))
            records->setVisible(!hide);
    }
    bool Two_Sided_Card() override { return CARD_SIDE_STR == QLatin1String("2"); }
    QString NO_Image_Path() override { return m_w.NO_Image_Path; }
    QImage no_image_ctrl_GP() override { return m_w.no_image_ctrl_GP(); }
    QImage Err_image() override { return m_w.Err_image(); }
    std::vector<DynamicControlRow> &Dynamic_Control_List(int side) override
    {
        return side == 1 ? m_w.dynamic_ctrl_list_back : m_w.dynamic_ctrl_list_front;
    }
    void Create_Dynamic_Control_List(int side) override
    {
        Dynamic_Control_List(side) = Dynamic_Control_Rows(m_w.document().graphicsOfSide(side), [](const SKTGraphic &g) {
            return Get_Original_Path_Of_Image_Control(g);
        });
    }

    SKTWindowController &m_w;
    VisitorMode mode;
    LiveModePanel *m_previous = nullptr;
};

}  // namespace

void Install_Visitor_Mode(SKTWindowController &window, QSplitter &split)
{
    auto *wiring = new VisitorWiring(window);
    // The design area moves into visitor mode's own split view, which takes the outlet's name.
    split.setObjectName(QStringLiteral("mainSplitView"));
    QWidget *design = split.widget(1);
    const QList<int> sizes = split.sizes();
    // Building the columns takes the design area out of the window's split view.
    split.insertWidget(1, wiring->mode.buildColumns(design));
    split.setStretchFactor(1, 1);
    split.setSizes(sizes);
    wiring->mode.followNeighbour(split);
}

VisitorMode *Visitor_Mode_Of(SKTWindowController &window)
{
    auto *wiring = static_cast<VisitorWiring *>(window.findChild<QObject *>(QStringLiteral("VisitorWiring"), Qt::FindDirectChildrenOnly));
    return wiring ? &wiring->mode : nullptr;
}

LiveModeSidePanel *SKTWindowController::Live_Mode_Panel(int side)
{
    auto *wiring = static_cast<VisitorWiring *>(findChild<QObject *>(QStringLiteral("VisitorWiring"), Qt::FindDirectChildrenOnly));
    return wiring ? wiring->mode.sidePanel(side) : nullptr;
}
