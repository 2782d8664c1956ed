// The main window's widgets: tool bar, design area with the three card sides, and the property
// panel with its fifteen tab items. Every outlet carries its name as objectName.

#include "core/Globals.h"
#include "canvas/WidgetUtilities.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "canvas/SKTZoomingScrollView.h"
#include "mainwindow/MainWindowIcons.h"
#include "mainwindow/MainWindowLogic.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/GroupModeWiring.h"
#include "mainwindow/ProfileWiring.h"
#include "mainwindow/VisitorWiring.h"
#include "mainwindow/Start_Card.h"
#include "mainwindow/Toolbar_help.h"
#include "mainwindow/WindowStyle.h"
#include "platform/Paths.h"
#include "mainwindow/ControllerHub.h"
#include "properties/CardTabs.h"
#include "properties/PropertyPanel.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QIcon toolIcon(const char *file)
{
    return QIcon(platform::joinPath(Resource_Path, QStringLiteral("icons"), QString::fromLatin1(file)));
}

// The keys a command button's tooltip names.
constexpr char kCommandKeys[] = "commandKeys";

QToolButton *commandButton(QToolButton *button, const char *name, const QString &text, const QIcon &icon,
                           const QKeySequence &keys = {})
{
    auto *b = named(button, name);
    b->setText(text);
    b->setToolTip(commandToolTip(text, keys));
    b->setProperty(kCommandKeys, keys);
    b->setIcon(icon);
    b->setIconSize(QSize(22, 22));
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    b->setAutoRaise(true);
    return b;
}

// A key a button's tooltip names works even when no menu item carries it: the window presses the
// button (a disabled button stays unpressed). Keys a menu item carries are left to the item, as
// one key on two window actions would be ambiguous and do nothing.
void Connect_Named_Keys(QMainWindow &window)
{
    QList<QKeySequence> inMenus;
    for (const QAction *a : window.menuBar()->findChildren<QAction *>())
        inMenus << a->shortcuts();
    for (QToolButton *b : window.findChildren<QToolButton *>()) {
        const QKeySequence keys = b->property(kCommandKeys).value<QKeySequence>();
        if (keys.isEmpty() || inMenus.contains(keys))
            continue;
        auto *press = new QAction(b->text(), &window);
        press->setObjectName(b->objectName() + QStringLiteral("_keys"));
        press->setShortcut(keys);
        press->setShortcutContext(Qt::WindowShortcut);
        QObject::connect(press, &QAction::triggered, b, &QToolButton::click);
        window.addAction(press);
        inMenus << keys;
    }
}

// Lifts a widget's minimum width once the widget is first shown.
class FloorLifter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            static_cast<QWidget *>(watched)->setMinimumWidth(0);
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void SKTWindowController::buildWindow()
{
    setWindowTitle(m_appName);
    resize(1280, 820);

    auto *file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("New"), QKeySequence::New, this, &SKTWindowController::New_Btn_Clicked);
    file->addAction(tr("Open…"), QKeySequence::Open, this, &SKTWindowController::Open_Btn_Clicked);
    file->addAction(tr("Start…"), this, &SKTWindowController::newDocumentWindow);
    file->addSeparator();
    file->addAction(tr("Close"), QKeySequence::Close, this, &SKTWindowController::Close_Document_Clicked);
    file->addAction(tr("Save"), QKeySequence::Save, this, &SKTWindowController::Save_Btn_Clicked);
    file->addAction(tr("Save As…"), QKeySequence::SaveAs, this, &SKTWindowController::SaveAs_Btn_Clicked);
    file->addSeparator();
    file->addAction(tr("Exit"), QKeySequence::Quit, this, &SKTWindowController::Exit_Btn_Clicked);
    auto *edit = menuBar()->addMenu(tr("&Edit"));
    undo_menu = edit->addAction(tr("Undo"), QKeySequence::Undo, this, &SKTWindowController::Undo_Clicked);
    undo_menu->setObjectName(QStringLiteral("undo_menu"));
    redo_menu = edit->addAction(tr("Redo"), QKeySequence::Redo, this, &SKTWindowController::Redo_Clicked);
    redo_menu->setObjectName(QStringLiteral("redo_menu"));
    edit->addSeparator();
    buildEditMenu(edit);
    auto *view = menuBar()->addMenu(tr("&View"));
    view->addAction(tr("Zoom In"), QKeySequence::ZoomIn, this, &SKTWindowController::Zoom_In_Toolbar_btn);
    view->addAction(tr("Zoom Out"), QKeySequence::ZoomOut, this, &SKTWindowController::Zoom_Out_Toolbar_btn);
    view->addAction(tr("Actual Size"), this, &SKTWindowController::Actual_Size_Toolbar_btn);
    rulers_menu = view->addAction(tr("Hide Ruler"), this, &SKTWindowController::Show_Hide_Ruler_ChkBox);
    rulers_menu->setObjectName(QStringLiteral("rulers_menu"));
    connect(view, &QMenu::aboutToShow, this, [this] { Validate_Menu_Items(); });
    snap_grid_menu = view->addAction(tr("Snap to Grid"), this, &SKTWindowController::toggleGridConstraining);
    snap_grid_menu->setObjectName(QStringLiteral("snap_grid_menu"));
    snap_grid_menu->setCheckable(true);
    view->addAction(tr("Units…"), this, &SKTWindowController::doPreferences);

    auto *central = new QWidget(this);
    auto *outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(buildToolBar());
    auto *split = named(new QSplitter(Qt::Horizontal, central), "verticalSplitView");
    split->addWidget(buildToolPalette());
    split->addWidget(buildDesignArea());
    split->addWidget(buildPropertyPanel());
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setStretchFactor(2, 0);
    split->setSizes({90, 900, 360});
    Install_Visitor_Mode(*this, *split);
    // After visitor mode: group mode shares its live face and hangs its own calls on it.
    Install_Group_Mode(*this);
    Install_Profile_Wiring(*this, *file);
    outer->addWidget(split, 1);
    setCentralWidget(central);
    modeless_msg_lbl = named(new QLabel(this), "modeless_msg_lbl");
    statusBar()->addWidget(modeless_msg_lbl, 1);
    statusBar()->hide();

    m_panel->setToolbar({Cut_btn, Copy_btn, Paste_btn, Delete_btn, Begin_Front_btn, Send_Back_btn, Lock_btn, Unlock_btn});
    start_window = new Start_Card(this);
    buildStartDialogs();
    buildUnitWindow();
    buildToolsMenu();
    Connect_Named_Keys(*this);
}

QWidget *SKTWindowController::buildToolBar()
{
    // A tool bar folds what does not fit into its overflow menu, so no command forces the window
    // wider than a small screen.
    auto *bar = named(new QToolBar(this), "tool_bar");
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(22, 22));

    auto addCommand = [&](QToolButton *&outlet, const char *name, const QString &text, const char *theme,
                          const QString &letters, void (SKTWindowController::*slot)(), QKeySequence keys = {}) {
        outlet = commandButton(outlet ? outlet : new QToolButton(bar), name, text,
                               commandIcon(QString::fromLatin1(theme), letters), keys);
        connect(outlet, &QToolButton::clicked, this, slot);
        bar->addWidget(outlet);
    };
    using K = QKeySequence;
    QToolButton *newButton = nullptr, *openButton = nullptr, *saveButton = nullptr, *saveAsButton = nullptr,
                *closeButton = nullptr, *exitButton = nullptr, *exportButton = nullptr;
    addCommand(newButton, "New_btn", tr("New"), "document-new", "N", &SKTWindowController::New_Btn_Clicked, K::New);
    addCommand(openButton, "Open_btn", tr("Open"), "document-open", "O", &SKTWindowController::Open_Btn_Clicked, K::Open);
    addCommand(saveButton, "Save_btn", tr("Save"), "document-save", "S", &SKTWindowController::Save_Btn_Clicked, K::Save);
    addCommand(saveAsButton, "SaveAs_btn", tr("Save As"), "document-save-as", "SA", &SKTWindowController::SaveAs_Btn_Clicked,
               K::SaveAs);
    addCommand(closeButton, "Close_btn", tr("Close"), "window-close", "C", &SKTWindowController::Close_Document_Clicked,
               K::Close);
    addCommand(exportButton, "Export_btn", tr("Export"), "document-send", "Ex", &SKTWindowController::Export_Button);
    QToolButton *mailButton = nullptr, *printButton = nullptr;
    addCommand(mailButton, "Mail_btn", tr("Mail"), "mail-send", "M", &SKTWindowController::Mail_Button);
    addCommand(printButton, "Print_btn", tr("Print"), "document-print", "Pr", &SKTWindowController::Print_Button,
               K::Print);
    bar->addSeparator();
    addCommand(Undo_btn, "Undo_btn", tr("Undo"), "edit-undo", "U", &SKTWindowController::Undo_Clicked, K::Undo);
    addCommand(Redo_btn, "Redo_btn", tr("Redo"), "edit-redo", "R", &SKTWindowController::Redo_Clicked, K::Redo);
    addCommand(Cut_btn, "Cut_btn", tr("Cut"), "edit-cut", "X", &SKTWindowController::Cut_Clicked, K::Cut);
    addCommand(Copy_btn, "Copy_btn", tr("Copy"), "edit-copy", "Cp", &SKTWindowController::Copy_Clicked, K::Copy);
    addCommand(Paste_btn, "Paste_btn", tr("Paste"), "edit-paste", "P", &SKTWindowController::Paste_Clicked, K::Paste);
    addCommand(Delete_btn, "Delete_btn", tr("Delete"), "edit-delete", "D", &SKTWindowController::Delete_Clicked, K::Delete);
    addCommand(Begin_Front_btn, "Begin_Front_btn", tr("To Front"), "go-top", "F", &SKTWindowController::Begin_Front_Clicked);
    addCommand(Send_Back_btn, "Send_Back_btn", tr("To Back"), "go-bottom", "B", &SKTWindowController::Send_Back_Clicked);
    addCommand(Lock_btn, "Lock_btn", tr("Lock"), "changes-prevent", "L", &SKTWindowController::Lock_Clicked);
    addCommand(Unlock_btn, "Unlock_btn", tr("Unlock"), "changes-allow", "UL", &SKTWindowController::Unlock_Clicked);
    bar->addSeparator();
    QToolButton *series = nullptr, *import = nullptr, *crop = nullptr, *help = new Toolbar_help(bar);
    addCommand(series, "Batch_Series_btn", tr("Series Manager"), "x-office-spreadsheet", "Se",
               &SKTWindowController::Batch_Series_Button);
    addCommand(import, "Import_Wizard_btn", tr("Import Wizard"), "badgeloom-import", "Im",
               &SKTWindowController::Import_Wizard_Button);
    addCommand(crop, "Cropping_Tool_btn", tr("Cropping Tool"), "badgeloom-crop", "Cr",
               &SKTWindowController::Cropping_Tool_Clicked);
    addCommand(help, "Help_btn", tr("Help and Support"), "help-browser", "?", &SKTWindowController::Help_Button,
               K::HelpContents);
    QToolButton *share = nullptr, *getFree = nullptr;
    addCommand(share, "Share_It_btn", tr("Share badgeloom"), "emblem-shared", "Sh",
               &SKTWindowController::Share_It_Button_Clicked);
    addCommand(getFree, "Get_It_Free_btn", tr("Get badgeloom Free"), "emblem-favorite", "Fr",
               &SKTWindowController::Get_It_Free_Button_Clicked);
    auto *spring = new QWidget(bar);
    spring->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(spring);
    QToolButton *zoomOut = nullptr, *zoomIn = nullptr, *actual = nullptr;
    addCommand(zoomOut, "Zoom_Out_btn", tr("Zoom Out"), "zoom-out", "-", &SKTWindowController::Zoom_Out_Toolbar_btn,
               K::ZoomOut);
    addCommand(actual, "Actual_Size_btn", tr("100%"), "zoom-original", "1:1", &SKTWindowController::Actual_Size_Toolbar_btn);
    addCommand(zoomIn, "Zoom_In_btn", tr("Zoom In"), "zoom-in", "+", &SKTWindowController::Zoom_In_Toolbar_btn, K::ZoomIn);
    bar->addSeparator();
    addCommand(exitButton, "Exit_btn", tr("Exit"), "application-exit", "Q", &SKTWindowController::Exit_Btn_Clicked, K::Quit);
    return bar;
}

QWidget *SKTWindowController::buildToolPalette()
{
    auto *palette = named(new QFrame(this), "tool_palette");
    palette->setFrameShape(QFrame::StyledPanel);
    auto *column = new QGridLayout(palette);
    column->setContentsMargins(4, 6, 4, 6);
    column->setSpacing(2);

    struct Tool {
        const char *icon;
        const char *label;
        void (SKTWindowController::*slot)();
    };
    static const Tool tools[ToolCount] = {
        {"tool_arrow.png", "Select", &SKTWindowController::Arrow_Tool_Clicked},
        {"tool_line.png", "Line", &SKTWindowController::Line_Tool_Clicked},
        {"tool_text.png", "Text", &SKTWindowController::Text_Tool_Clicked},
        {"tool_rectangle.png", "Rectangle", &SKTWindowController::Rect_Tool_Clicked},
        {"tool_ellipse.png", "Ellipse", &SKTWindowController::Circle_Tool_Clicked},
        {"tool_rounded_rectangle.png", "Rounded", &SKTWindowController::Round_Rect_Tool_Clicked},
        {"tool_triangle.png", "Triangle", &SKTWindowController::Triangle_Tool_Clicked},
        {"tool_diamond.png", "Diamond", &SKTWindowController::Diamond_Tool_Clicked},
        {"tool_image.png", "Image", &SKTWindowController::Image_Tool_Clicked},
        {"tool_clipart.png", "Clip Art", &SKTWindowController::Image_Library_Tool_Clicked},
        {"tool_barcode.png", "Barcode", &SKTWindowController::Barcode_Tool_Clicked},
        {"tool_signature.png", "Signature", &SKTWindowController::Signature_Tool_Clicked},
        {"tool_fingerprint.png", "Fingerprint", &SKTWindowController::Fingure_Print_Tool_Clicked},
        {"tool_star.png", "Star", &SKTWindowController::Star_Tool_Clicked},
        {"tool_double_star.png", "Double Star", &SKTWindowController::Double_Star_Tool_Clicked},
        {"tool_polygon.png", "Polygon", &SKTWindowController::Polygon_Tool_Clicked},
    };
    for (int code = 0; code < ToolCount; ++code) {
        const Tool &t = tools[code];
        const QByteArray name = (toolActionName(code).replace(QStringLiteral("_Clicked"), QStringLiteral("_btn"))).toLatin1();
        auto *b = named(new QToolButton(palette), name.constData());
        b->setIcon(toolIcon(t.icon));
        b->setIconSize(QSize(26, 26));
        b->setToolTip(tr(t.label));
        b->setAutoRaise(true);
        b->setFixedSize(40, 40);
        connect(b, &QToolButton::clicked, this, t.slot);
        column->addWidget(b, code / 2, code % 2);
        if (code == TextTool)
            text_tool_btn = named(b, "text_tool_btn");
        else if (code == ImageTool)
            image_tool_btn = named(b, "image_tool_btn");
        else if (code == ImageLibraryTool)
            image_library_tool_btn = named(b, "image_library_tool_btn");
    }
    // The watermark is the card's, not a control: its button opens the card's watermark tab.
    auto *watermark = named(new QToolButton(palette), "Watermark_Tool_btn");
    watermark->setIcon(toolIcon("tool_watermark.png"));
    watermark->setIconSize(QSize(26, 26));
    watermark->setToolTip(tr("Watermark"));
    watermark->setAutoRaise(true);
    watermark->setFixedSize(40, 40);
    connect(watermark, &QToolButton::clicked, this, &SKTWindowController::Watermark_Tool_Clicked);
    column->addWidget(watermark, ToolCount / 2, 0);
    column->setRowStretch(ToolCount / 2 + 1, 1);
    return palette;
}

QWidget *SKTWindowController::makeDesignView(int side)
{
    static const char *viewNames[] = {"first_view", "second_view", "temp_design_view"};
    static const char *canvasNames[] = {"_graphicView", "_graphicView_BACK", "_graphicView_TEMP"};
    static const char *zoomNames[] = {"_zoomingScrollView", "_zoomingScrollView_BACK", "_zoomingScrollView_TEMP"};
    auto *view = named(new QWidget, viewNames[side]);
    auto *layout = new QVBoxLayout(view);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *zoom = named(new SKTZoomingScrollView(view), zoomNames[side]);
    auto *canvas = named(new SKTGraphicView, canvasNames[side]);
    zoom->setCanvas(canvas);
    layout->addWidget(zoom);
    (side == 0 ? _graphicView : side == 1 ? _graphicView_BACK : _graphicView_TEMP) = canvas;
    (side == 0 ? _zoomingScrollView : side == 1 ? _zoomingScrollView_BACK : _zoomingScrollView_TEMP) = zoom;
    // The three views show the one zoom factor: a zoom on any side is the zoom of all three.
    connect(zoom, &SKTZoomingScrollView::factorChanged, this, [this](double f) {
        _zoomFactor = f;
        for (SKTZoomingScrollView *view : {_zoomingScrollView, _zoomingScrollView_BACK, _zoomingScrollView_TEMP})
            if (view && view->factor() != f)
                view->setFactor(f);
    });
    return view;
}

QWidget *SKTWindowController::buildDesignArea()
{
    auto *area = new QWidget(this);
    auto *layout = new QVBoxLayout(area);
    // Narrow side margins: beside the live columns on a small screen the card column has no
    // width to spare for them.
    layout->setContentsMargins(2, 6, 2, 6);

    auto *sides = new QHBoxLayout;
    Front_back_label = named(new QLabel(QStringLiteral("Front"), area), "Front_back_label");
    QFont f = Front_back_label->font();
    f.setPointSizeF(f.pointSizeF() * 1.4);
    f.setBold(true);
    Front_back_label->setFont(f);
    auto sideButton = [&](QToolButton *&outlet, const char *name, const QString &text, const QImage &image,
                          void (SKTWindowController::*slot)()) {
        outlet = named(new QToolButton(area), name);
        outlet->setText(text);
        outlet->setToolTip(text);
        outlet->setCheckable(true);
        outlet->setIcon(QPixmap::fromImage(image));
        // The picture carries the side's name; drawn at three quarters, so the card column of
        // the live face stays narrow enough for a small screen.
        outlet->setIconSize(image.size() * 3 / 4);
        outlet->setToolButtonStyle(Qt::ToolButtonIconOnly);
        outlet->setAutoRaise(true);
        connect(outlet, &QToolButton::clicked, this, slot);
        sides->addWidget(outlet);
    };
    sides->addWidget(Front_back_label);
    sides->addStretch(1);
    sideButton(Front_Side_btn, "Front_Side_btn", tr("Front"), front_btn_image_sel, &SKTWindowController::Front_Card_Btn_Clicked);
    sideButton(Back_Side_btn, "Back_Side_btn", tr("Back"), back_btn_image, &SKTWindowController::Back_Card_Btn_Clicked);
    auto *temp = named(new QToolButton(area), "Temp_Side_btn");
    temp->setText(tr("Preview"));
    temp->setToolTip(tr("Shows the side in work as it will come out"));
    temp->setCheckable(true);
    temp->setAutoRaise(true);
    connect(temp, &QToolButton::clicked, this, &SKTWindowController::Temp_Card_Btn_Clicked);
    // The side commands take a line of their own below the side pictures, so the card area
    // stays narrow enough for the visitor panel and the property panel beside it on a small screen.
    auto *commands = new QHBoxLayout;
    commands->addStretch(1);
    commands->addWidget(temp);
    copy_card_design_btn = named(new QToolButton(area), "copy_card_design_btn");
    copy_card_design_btn->setText(tr("Copy to Other Side"));
    copy_card_design_btn->setToolTip(tr("Copy this side's design to the other side"));
    copy_card_design_btn->setAutoRaise(true);
    connect(copy_card_design_btn, &QToolButton::clicked, this, &SKTWindowController::Copy_Card_Design_Clicked);
    commands->addWidget(copy_card_design_btn);
    layout->addLayout(sides);
    layout->addLayout(commands);

    myTargetView = named(new QWidget(area), "myTargetView");
    auto *target = new QVBoxLayout(myTargetView);
    target->setContentsMargins(0, 0, 0, 0);
    m_designStack = new QStackedWidget(myTargetView);
    first_view = makeDesignView(0);
    second_view = makeDesignView(1);
    temp_design_view = makeDesignView(2);
    for (QWidget *v : {first_view, second_view, temp_design_view})
        m_designStack->addWidget(v);
    target->addWidget(m_designStack);
    layout->addWidget(myTargetView, 1);
    return area;
}

QWidget *SKTWindowController::buildPropertyPanel()
{
    Right_Prop_Box = named(new QWidget(this), "Right_Prop_Box");
    // The panel opens at its working width; once shown, the split view may narrow it (by hand,
    // or for the live columns on a small screen) down to what its tabs need.
    Right_Prop_Box->setMinimumWidth(330);
    Right_Prop_Box->installEventFilter(new FloorLifter(Right_Prop_Box));
    auto *layout = new QVBoxLayout(Right_Prop_Box);
    layout->setContentsMargins(4, 6, 6, 6);
    sett_tab = named(new QTabWidget(Right_Prop_Box), "sett_tab");
    // No tab ever hides behind scroll arrows or shows a cut title: the panel's least width is
    // then its tab bar's whole width, whatever the font, so no split view can narrow it past its
    // tabs, and the columns beside it give way instead. The tabs are padded as tightly as their
    // titles allow, so the card's five fit beside the live columns at 1024 pixels.
    sett_tab->setUsesScrollButtons(false);
    sett_tab->tabBar()->setElideMode(Qt::ElideNone);
    sett_tab->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 4px 5px; }"));
    m_panel = std::make_unique<PropertyPanel>(*m_hub, sett_tab, Right_Prop_Box);
    layout->addWidget(m_panel->header());
    // The control tab items are the panel's.
    line_tab = m_panel->line_tab;
    shape_tab = m_panel->shape_tab;
    text_edtng_tab = m_panel->text_edtng_tab;
    text_prop_tab = m_panel->text_prop_tab;
    image_tab = m_panel->image_tab;
    sign_tab = m_panel->sign_tab;
    datasource_tab = m_panel->datasource_tab;
    aligmnt_tab = m_panel->aligmnt_tab;
    barcode_tab = m_panel->barcode_tab;
    Lock_tab = m_panel->Lock_tab;
    struct Item {
        QWidget **field;
        const char *name;
        const char *title;
    };
    card_info_tab = buildCardTab();
    const Item items[] = {
        {&card_setting_tab, "card_setting_tab", "Grid"},    {&card_info_tab, "card_info_tab", "Setting"},
        {&card_size_tab, "card_size_tab", "Size"},         {&card_bkgd_tab, "card_bkgd_tab", "Background"},
        {&card_brdr_tab, "card_brdr_tab", "Border"},       {&line_tab, "line_tab", "Line"},
        {&shape_tab, "shape_tab", "Shape"},                {&text_edtng_tab, "text_edtng_tab", "Text"},
        {&text_prop_tab, "text_prop_tab", "Text Style"},   {&image_tab, "image_tab", "Image"},
        {&sign_tab, "sign_tab", "Signature"},              {&datasource_tab, "datasource_tab", "Data"},
        {&aligmnt_tab, "aligmnt_tab", "Align"},            {&barcode_tab, "barcode_tab", "Barcode"},
        {&Lock_tab, "Lock_tab", "Lock"},
    };
    for (const Item &it : items) {
        if (!*it.field)
            *it.field = new QWidget;
        named(*it.field, it.name);
        sett_tab->addTab(*it.field, tr(it.title));
    }
    // Only the five card tabs stay in the panel; the controller keeps the other ten. Taken out
    // at once: the panel is as wide as its tabs, and fifteen would widen the window past the
    // screen before it is first shown.
    for (QWidget *tab : {line_tab, shape_tab, text_edtng_tab, text_prop_tab, image_tab, sign_tab, datasource_tab,
                         aligmnt_tab, barcode_tab, Lock_tab})
        sett_tab->removeTab(sett_tab->indexOf(tab));
    layout->addWidget(sett_tab, 1);
    m_panel->setCardTabs(card_info_tab, card_size_tab, card_bkgd_tab, card_brdr_tab, card_setting_tab);
    m_panel->setGrid(_grid);
    return Right_Prop_Box;
}

QWidget *SKTWindowController::buildCardTab()
{
    m_cardTabs = std::make_unique<CardTabs>(*m_hub, this);
    CardTabs &t = *m_cardTabs;
    card_size_tab = t.card_size_tab;
    card_bkgd_tab = t.card_bkgd_tab;
    card_brdr_tab = t.card_brdr_tab;
    card_name = t.card_name;
    Sides_ComboBox = t.Sides_ComboBox;
    Preset_ComboBox = t.Preset_ComboBox;
    Category_ComboBox = t.Category_ComboBox;
    ColList = t.ColList;
    card_size_box = t.card_size_box;
    width_Text = t.width_Text;
    height_Text = t.height_Text;
    width_Stepper = t.width_Stepper;
    height_Stepper = t.height_Stepper;
    unit_width_label = t.unit_width_label;
    unit_height_label = t.unit_height_label;
    page_frm_printer_btn = t.page_frm_printer_btn;

    // Position and size captions and the data-source fields are the property panel's.
    ctrl_x_pos_unit_lbl = m_panel->ctrl_x_pos_unit_lbl;
    ctrl_y_pos_unit_lbl = m_panel->ctrl_y_pos_unit_lbl;
    ctrl_width_unit_lbl = m_panel->ctrl_width_unit_lbl;
    ctrl_height_unit_lbl = m_panel->ctrl_height_unit_lbl;
    Manual_image_path = m_panel->Manual_image_path;
    Data_source_type = m_panel->Data_source_type;
    Batch_Series = m_panel->Batch_Series;

    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    t.card_info_tab->setObjectName(QStringLiteral("card_setting_rows"));
    layout->addWidget(t.card_info_tab, 1);
    // The grid is the window's, not the card's: its settings have the setting tab to themselves,
    // in one block the grid window can borrow.
    card_setting_tab = new QWidget;
    auto *settings = new QVBoxLayout(card_setting_tab);
    auto *gridSettings = named(new QWidget(card_setting_tab), "grid_settings");
    auto *gridColumn = new QVBoxLayout(gridSettings);
    gridColumn->setContentsMargins(0, 0, 0, 0);
    Grid_Opt_box = named(new QGroupBox(tr("Grid"), gridSettings), "Grid_Opt_box");
    auto *grid = new QHBoxLayout(Grid_Opt_box);
    Grid_Space_slidr = named(new QSlider(Qt::Horizontal, Grid_Opt_box), "Grid_Space_slidr");
    Grid_Space_slidr->setRange(2, 72);
    Grid_Space_slidr->setValue(9);
    Grid_clr = named(new QPushButton(tr("Colour…"), Grid_Opt_box), "Grid_clr");
    grid->addWidget(new QLabel(tr("Spacing"), Grid_Opt_box));
    grid->addWidget(Grid_Space_slidr, 1);
    grid->addWidget(Grid_clr);
    Show_hide_grid_chk = named(new QCheckBox(tr("Show grid"), gridSettings), "Show_hide_grid_chk");
    connect(Show_hide_grid_chk, &QCheckBox::clicked, this, &SKTWindowController::Grid_Show_Hide_Changed);
    connect(Grid_clr, &QPushButton::clicked, this, &SKTWindowController::Grid_Clr_Changed);
    gridColumn->addWidget(Show_hide_grid_chk);
    gridColumn->addWidget(Grid_Opt_box);
    settings->addWidget(gridSettings);
    settings->addStretch(1);
    return tab;
}

void SKTWindowController::buildUnitWindow()
{
    Unit_PrefWindow = named(new QDialog(this), "Unit_PrefWindow");
    Unit_PrefWindow->setWindowTitle(tr("Units"));
    applyDialogBackground(Unit_PrefWindow);
    auto *layout = new QVBoxLayout(Unit_PrefWindow);
    unit_matrix = new QButtonGroup(Unit_PrefWindow);
    unit_matrix->setObjectName(QStringLiteral("unit_matrix"));
    const QString names[] = {tr("Inches"), tr("Centimetres"), tr("Millimetres")};
    for (int row = 0; row < 3; ++row) {
        auto *radio = new QRadioButton(names[row], Unit_PrefWindow);
        unit_matrix->addButton(radio, row);
        layout->addWidget(radio);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Unit_PrefWindow);
    connect(buttons, &QDialogButtonBox::accepted, Unit_PrefWindow, [this] { Unit_PrefWindow->done(1); });
    connect(buttons, &QDialogButtonBox::rejected, Unit_PrefWindow, [this] { Unit_PrefWindow->done(0); });
    layout->addWidget(buttons);
}
