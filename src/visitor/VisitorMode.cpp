#include "visitor/VisitorMode.h"

#include "canvas/CanvasRequests.h"
#include "canvas/SKTGraphicView.h"
#include "core/ControlArchive.h"
#include "core/Globals.h"
#include "core/SKTDocument.h"
#include "core/ControllerImageFiles.h"
#include "core/SKTImage.h"
#include "platform/UiServices.h"
#include "visitor/ProfileCaptions.h"
#include "visitor/Profile_Panel.h"
#include "visitor/VisitorRecorder.h"
#include "visitor/VisitorWindow.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QLineEdit>
#include <QScrollArea>
#include <QScreen>
#include <QScrollBar>
#include <QScopedValueRollback>
#include <QResizeEvent>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

namespace {
constexpr double kPanelHeight = 475.0, kVisitorDivider = 380.0;
// The widths the live columns ask for; a small screen gets less, down to what each one needs.
constexpr int kGroupListWidth = 200, kGroupPanelWidth = 400;
// What the card column wants before the panel has its asked-for width: a usual card whole at 100%.
constexpr int kDesignWish = 290;
// The width of a usual card at 100%, and the room its shadow takes beside it.
constexpr int kUsualCardWidth = 243, kCardShadow = 4;
// The least a scroll column keeps when the screen has no room for what it needs.
constexpr int kScrollColumnLeast = 80;

// The least width of a scroll column: its contents' least width beside a vertical scroll bar.
// With `barWhenTaller`, the bar's room is kept only when the contents may be taller than the
// column: room for a bar the column never shows is taken from the values beside it, which then
// show cut. A column not yet shown is taken as high as its window less the bars above it.
int leastColumnWidth(const QScrollArea &column, const QWidget *contents, bool barWhenTaller = false)
{
    constexpr int kAboveColumns = 120;  // menu, tool bar and the side buttons
    const QSize least = contents ? contents->minimumSizeHint().expandedTo(contents->minimumSize()) : QSize();
    const int height = column.isVisible() ? column.viewport()->height() : column.window()->height() - kAboveColumns;
    const bool fits = barWhenTaller && height > 0 && least.height() <= height;
    return least.width() + (fits ? 0 : column.verticalScrollBar()->sizeHint().width()) + 2 * column.frameWidth();
}

// The least width of a column before a scroll area it shows has to scroll its rows sideways, or a
// tab bar it shows has to hide tabs behind its scroll arrows (a tab bar with arrows asks for
// little room of its own, so its tabs are measured).
int leastWithoutScrollingAcross(const QWidget &column)
{
    int least = column.minimumSizeHint().expandedTo(column.minimumSize()).width();
    for (const QScrollArea *area : column.findChildren<QScrollArea *>())
        if (area->widget() && area->isVisibleTo(&column) && area->viewport()->width() > 0)
            least = std::max(least, column.width() - area->viewport()->width() + area->widget()->minimumSizeHint().width());
    for (const QTabWidget *tabs : column.findChildren<QTabWidget *>())
        if (tabs->isVisibleTo(&column) && tabs->width() > 0)
            least = std::max(least, column.width() - tabs->width() + tabs->tabBar()->sizeHint().width());
    return least;
}

// Whether a split view has placed every column it shows. It places them one after another, and a
// column just shown waits for the next layout: until then their widths say nothing of what one can
// spare (a column shown again reads 0 wide, its divider still hidden).
bool placed(const QSplitter &split)
{
    const QList<int> sizes = split.sizes();
    int used = 0;
    bool first = true;
    for (int i = 0; i < split.count(); ++i) {
        if (split.widget(i)->isHidden())
            continue;
        if (!first && split.handle(i)->isHidden())
            return false;
        used += sizes[i] + (first ? 0 : split.handleWidth());
        first = false;
    }
    return used == (split.orientation() == Qt::Horizontal ? split.width() : split.height());
}

// Refits the live columns whenever a column changes width (a window resized or shown, a column
// placed by its split view).
class ColumnFitter : public QObject {
public:
    ColumnFitter(QWidget &column, std::function<void()> fit) : QObject(&column), m_fit(std::move(fit))
    {
        column.installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show) {
            auto *column = static_cast<QWidget *>(watched);
            if (event->type() == QEvent::Show || static_cast<QResizeEvent *>(event)->oldSize().width() != column->width())
                m_fit();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_fit;
};

// Tells when a divider is taken in hand, before it moves anything, and when it is let go.
class PressWatch : public QObject {
public:
    PressWatch(QWidget &handle, std::function<void(bool held)> held) : QObject(&handle), m_held(std::move(held))
    {
        handle.installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)
            m_held(event->type() == QEvent::MouseButtonPress);
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(bool)> m_held;
};

// Tells each change of a column's width, from what to what.
class WidthWatch : public QObject {
public:
    WidthWatch(QWidget &column, std::function<void(int was, int now)> changed) : QObject(&column), m_changed(std::move(changed))
    {
        column.installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize) {
            const auto *resize = static_cast<QResizeEvent *>(event);
            if (resize->oldSize().width() != resize->size().width())
                m_changed(resize->oldSize().width(), resize->size().width());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(int, int)> m_changed;
};

bool liveMode() { return Start_Card_Option == QLatin1String("V") || Start_Card_Option == QLatin1String("G"); }
QString sideLetter() { return Card_Front_Or_Back == 1 ? QStringLiteral("B") : QStringLiteral("F"); }

// The row of a profile id in the field table and whether it is the caption's; -1 when none.
int fieldRow(const QString &id, bool *caption)
{
    for (int row = 0; row < kProfileFields; ++row) {
        if (id == QLatin1String(Profile_Fields[size_t(row)].valueId))
            return *caption = false, row;
        if (id == QLatin1String(Profile_Fields[size_t(row)].labelId))
            return *caption = true, row;
    }
    return -1;
}
}  // namespace

// What the undo history asks of a side's panel: restored controls show in its boxes again.
class VisitorMode::SidePanel : public LiveModeSidePanel {
public:
    SidePanel(VisitorMode &mode, int side) : m_mode(mode), m_side(side) {}
    // Before a restore: the fixed fields blank, the photo cleared, every custom row off.
    void Refresh_Visitor_Dyn_Ctrl_and_image() override
    {
        Profile_Panel *p = m_mode.panel(m_side);
        p->Refresh_Controls();
        p->Set_User_Image_Control(QString(), QImage(), QString());
        for (const auto *list : {&p->view_array_label, &p->view_array_value}) {
            for (const CustomRowEntry &row : *list) {
                if (row.chk)
                    row.chk->setChecked(false);
                if (auto *box = qobject_cast<QLineEdit *>(row.view)) {
                    box->setReadOnly(row.id.contains(QLatin1String("_Photo")));
                    box->setEnabled(false);
                } else if (auto *picture = qobject_cast<QLabel *>(row.view); picture && list == &p->view_array_label) {
                    p->Set_Dynamic_Pic_Ctrl_Image(picture, m_mode.window().no_image_ctrl_GP());
                }
            }
        }
    }
    // One restored control: its picture, value and visibility back into the panel's boxes.
    void Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(SKTGraphic &control) override
    {
        const bool image = control.kind() == SKTGraphicKind::Image;
        const QString source = image ? Get_Original_Path_Of_Image_Control(control) : QString();
        if (image) {
            const QString id = control.control_ID;
            if (id.isEmpty() || id == QLatin1String("Fup_Photo") || Start_Card_Option == QLatin1String("V")) {
                m_mode.panel(m_side)->Set_User_Image_Control(source, control._contents, id);
            } else if (QLabel *photo = m_mode.panel(m_side)->Get_Dynamic_Photo_Ctrl(id)) {
                m_mode.panel(m_side)->Set_Dynamic_Pic_Ctrl_Image(
                    photo, QFileInfo(source).fileName() == QLatin1String("no.png") ? m_mode.window().no_image_ctrl_GP()
                                                                                     : control._contents);
            }
        }
        QAbstractButton *chk = m_mode.Get_chk_box_of_visitor_mode(control.control_ID);
        if (chk)
            chk->setChecked(control.ctrl_is_visible);
        if (auto *box = qobject_cast<QLineEdit *>(m_mode.Get_text_box_of_visitor_mode(control.control_ID))) {
            box->setText(image ? source : control.Text_Value);
            box->setEnabled(chk && chk->isChecked());
            box->setReadOnly(!(chk && chk->isChecked()) || control.control_ID.contains(QLatin1String("_Photo")));
        }
    }
    void Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK(const SKTGraphicList &controls) override
    {
        Profile_Panel *p = m_mode.panel(m_side);
        for (SKTGraphic *control : controls) {
            const bool locked = control->ctrl_is_locked;
            if (control->control_ID == QLatin1String("Fup_Date"))
                p->date_manual_chk->setEnabled(!locked);
            if (control->control_ID == QLatin1String("Fup_Time"))
                p->time_manual_chk->setEnabled(!locked);
            QWidget *box = m_mode.Get_text_box_of_visitor_mode(control->control_ID);
            QAbstractButton *chk = m_mode.Get_chk_box_of_visitor_mode(control->control_ID);
            if (chk)
                chk->setEnabled(!locked);
            if (box)
                box->setEnabled(!locked && !(chk && !chk->isChecked() && !control->ctrl_is_visible));
        }
    }

private:
    VisitorMode &m_mode;
    int m_side;
};

VisitorMode::VisitorMode(VisitorWindow &window) : m_window(window)
{
    m_sidePanels[0] = std::make_unique<SidePanel>(*this, 0);
    m_sidePanels[1] = std::make_unique<SidePanel>(*this, 1);
}

VisitorMode::~VisitorMode() = default;

QSplitter *VisitorMode::buildColumns(QWidget *designArea)
{
    verticalSplitView = new QSplitter(Qt::Horizontal);
    verticalSplitView->setObjectName(QStringLiteral("verticalSplitView"));
    verticalSplitView->setChildrenCollapsible(true);
    gp_scrollView = new QScrollArea(verticalSplitView);
    gp_scrollView->setObjectName(QStringLiteral("gp_scrollView"));
    group_mode_view = new QWidget;
    group_mode_view->setObjectName(QStringLiteral("group_mode_view"));
    gp_scrollView->setWidget(group_mode_view);
    scrollView = new QScrollArea(verticalSplitView);
    scrollView->setObjectName(QStringLiteral("scrollView"));
    // The panel takes the column's width and scrolls downwards only: the column is never made
    // narrower than the panel needs.
    scrollView->setWidgetResizable(true);
    Visitor_mode_view = new QWidget;
    Visitor_mode_view->setObjectName(QStringLiteral("Visitor_mode_view"));
    auto *panels = new QVBoxLayout(Visitor_mode_view);
    panels->setContentsMargins(0, 0, 0, 0);
    front_vistr_view = new Front_Profile_Panel(*this, Visitor_mode_view);
    back_vistr_view = new Back_Profile_Panel(*this, Visitor_mode_view);
    panels->addWidget(front_vistr_view);
    panels->addWidget(back_vistr_view);
    back_vistr_view->hide();
    scrollView->setWidget(Visitor_mode_view);
    myTargetView = designArea;
    verticalSplitView->addWidget(gp_scrollView);
    verticalSplitView->addWidget(scrollView);
    verticalSplitView->addWidget(designArea);
    verticalSplitView->setStretchFactor(2, 1);
    new ColumnFitter(*verticalSplitView, [this] { fitLiveColumns(); });
    collapseLeftView();
    return verticalSplitView;
}

Profile_Panel *VisitorMode::panel(int side) const { return side == 1 ? back_vistr_view : front_vistr_view; }
LiveModeSidePanel *VisitorMode::sidePanel(int side) const
{
    return liveMode() && front_vistr_view ? m_sidePanels[side == 1 ? 1 : 0].get() : nullptr;
}
SKTGraphicView *VisitorMode::currentCanvas() { return m_window.canvasOfSide(Card_Front_Or_Back == 1 ? 1 : 0); }

// --- the face and its columns ---

void VisitorMode::Show_Hide_Profile_Panel_Live_Mode(bool live)
{
    if (m_window.Copy_Card_Design_In_Progress() || !verticalSplitView)
        return;
    if (!live) {
        Show_Hide_Visitor_DB_Button(true);
        // The design face always offers the profile button, whatever mode is still in force.
        const bool group = Start_Card_Option == QLatin1String("G"), visitor = Start_Card_Option == QLatin1String("V");
        m_window.Set_Tool_Buttons(true, !group && !visitor, !group);
        Visitor_mode_view->hide();
        group_mode_view->hide();
        collapseLeftView();
        return;
    }
    const bool visitor = Start_Card_Option == QLatin1String("V");
    if (visitor)
        Title_For_Visitor();
    change_Visitor_Side_View(0);
    m_window.Select_front_side();
    Visitor_mode_view->show();
    if (Start_Card_Option == QLatin1String("G")) {
        group_mode_view->show();
        Show_Hide_Visitor_DB_Button(true);
        gp_scrollView->show();
    } else if (visitor) {
        group_mode_view->hide();
        Show_Hide_Visitor_DB_Button(false);
        gp_scrollView->hide();
        scrollView->show();
    }
    for (Profile_Panel *p : {front_vistr_view.data(), back_vistr_view.data()}) {
        p->Chk_Unchk_Manual_Date_Time(QStringLiteral("D"));
        p->Chk_Unchk_Manual_Date_Time(QStringLiteral("T"));
    }
    Show_Single_Mode_Front_Panel();
    Show_Single_Mode_Back_Panel();
    uncollapseLeftView();
}

void VisitorMode::Show_Hide_Visitor_DB_Button(bool hide)
{
    const bool group = Start_Card_Option == QLatin1String("G"), visitor = Start_Card_Option == QLatin1String("V");
    m_window.Show_Hide_Record_Button(hide);
    m_window.Set_Tool_Buttons(hide && !group && !visitor, !group && !visitor, !group);
    for (Profile_Panel *p : {front_vistr_view.data(), back_vistr_view.data()}) {
        p->new_ctrl_type_box->setVisible(hide && group);
        p->Add_to_DB_btn->setVisible(!hide);
    }
    if (hide && visitor)
        Reset_All_Visitor_Grp_Mode_Ctrl();
    if (!hide) {
        for (Profile_Panel *p : {front_vistr_view.data(), back_vistr_view.data()}) {
            if (!p->value_chk[kTimeField]->isChecked())
                p->Start_Timer();
        }
    }
}

void VisitorMode::change_Visitor_Side_View(int side)
{
    if ((side != 0 && side != 1) || !verticalSplitView)
        return;
    Set_Panel_Size(side);
    panel(side)->show();
    panel(1 - side)->hide();
    scrollView->horizontalScrollBar()->setValue(0);
    scrollView->verticalScrollBar()->setValue(0);
    // The divider goes back to its place; a hidden panel column stays hidden (a new project
    // switches sides before its mode changes).
    if (Start_Card_Option == QLatin1String("V") && !scrollView->isHidden())
        fitLiveColumns();
}

void VisitorMode::Set_Panel_Size(int side)
{
    // The panel's width is the column's (the scroll area gives it); its height is the usual one,
    // more with custom rows, and never less than its rows need.
    Profile_Panel *p = panel(side);
    const bool custom = !p->view_array_label.empty() || !p->view_array_value.empty();
    const int height = int(kPanelHeight) + (custom ? p->custom_label_box->height() + 50 : 0);
    p->setMinimumHeight(0);
    p->setMinimumHeight(std::max(height, p->minimumSizeHint().height()));
    p->resize(std::max(scrollView->viewport()->width(), p->minimumSizeHint().width()), p->minimumHeight());
    if (liveMode() && !scrollView->isHidden())
        fitLiveColumns();
}

void VisitorMode::fitLiveColumns()
{
    if (!verticalSplitView || verticalSplitView->count() != 3 || m_fitting)
        return;
    const bool group = Start_Card_Option == QLatin1String("G");
    if ((!group && Start_Card_Option != QLatin1String("V")) || scrollView->isHidden())
        return;
    const QScopedValueRollback<bool> fitting(m_fitting, true);
    // The panel beside opens at its working width, a floor kept until it is first shown; the live
    // face may have it down to what it needs, so a window set up in this face fits a small screen.
    if (auto *outer = qobject_cast<QSplitter *>(verticalSplitView->parentWidget()); outer && outer->indexOf(verticalSplitView) + 1 < outer->count())
        outer->widget(outer->indexOf(verticalSplitView) + 1)->setMinimumWidth(0);
    // Each column may not go below what it needs, so no control is cut and nothing scrolls across.
    const Profile_Panel *shown = panel(Card_Front_Or_Back == 1 ? 1 : 0);
    const int panelNeeds = leastColumnWidth(*scrollView, shown, true);
    const int listNeeds = group ? leastColumnWidth(*gp_scrollView, gp_scrollView->widget(), true) : 0;
    const int designLeast = myTargetView->minimumSizeHint().width();
    // The card column wants the card whole at the zoom in force, with what frames it.
    const SKTGraphicView *canvas = currentCanvas();
    const QWidget *clip = canvas ? canvas->parentWidget() : nullptr;
    const int chrome = clip && clip->width() > 0 && myTargetView->width() > clip->width()
                           ? myTargetView->width() - clip->width() + kCardShadow
                           : kDesignWish - kUsualCardWidth;
    const int designWish = canvas ? std::max(designLeast, canvas->width() + chrome) : std::max(designLeast, kDesignWish);
    const int handle = verticalSplitView->handleWidth();
    const int handles = (group ? 2 : 1) * handle;
    // A screen too narrow for every column at what it needs: the columns that scroll give way,
    // the entry panel first, then the list, so the card stays whole and the property panel keeps
    // every tab (its least width is its tabs').
    int panelLeast = panelNeeds, listLeast = listNeeds;
    if (const int most = liveRoomOnScreen(); most > 0) {
        int over = panelLeast + listLeast + designWish + handles - most;
        for (int *least : {&panelLeast, &listLeast}) {
            const int give = std::clamp(over, 0, std::max(0, *least - kScrollColumnLeast));
            *least -= give;
            over -= give;
        }
    }
    scrollView->setMinimumWidth(panelLeast);
    gp_scrollView->setMinimumWidth(group ? listLeast : 1);
    if (verticalSplitView->width() > 0 && listLeast + panelLeast + designWish + handles > verticalSplitView->width())
        borrowFromRight(listLeast + panelLeast + designWish + handles - verticalSplitView->width());
    const int total = verticalSplitView->width() > 0 && verticalSplitView->isVisible() ? verticalSplitView->width() : 1200;
    const int room = total - handles;
    int list = group ? std::max(kGroupListWidth, listLeast) : 0;
    int wide = std::max(group ? kGroupPanelWidth : int(kVisitorDivider), panelLeast);
    // Short of room, the panel gives way first, then the list, each down to what it needs, so the
    // card column keeps room for the whole card while they can spare it; then below that, down to
    // what the screen leaves them, and they scroll.
    int over = list + wide + designWish - room;
    for (const auto &[width, least] : {std::pair{&wide, std::min(wide, panelNeeds)}, {&list, std::min(list, listNeeds)},
                                       {&wide, panelLeast}, {&list, listLeast}}) {
        const int give = std::clamp(over, 0, std::max(0, *width - least));
        *width -= give;
        over -= give;
    }
    verticalSplitView->setSizes({list, wide, std::max(0, room - list - wide)});
}

int VisitorMode::liveRoomOnScreen() const
{
    // What the window's other columns leave the live columns at their least, in a window as wide
    // as its screen with its frame.
    auto *outer = qobject_cast<QSplitter *>(verticalSplitView->parentWidget());
    const QWidget *window = verticalSplitView->window();
    const QScreen *screen = window->screen();
    if (!outer || !screen)
        return -1;
    int room = screen->availableGeometry().width() - (window->frameGeometry().width() - window->width());
    if (outer->isVisible())
        room -= window->width() - outer->width();
    bool first = true;
    for (int i = 0; i < outer->count(); ++i) {
        const QWidget *column = outer->widget(i);
        if (column->isHidden())
            continue;
        room -= first ? 0 : outer->handleWidth();
        first = false;
        if (column != verticalSplitView)
            room -= column->minimumSizeHint().expandedTo(column->minimumSize()).width();
    }
    return room;
}

void VisitorMode::borrowFromRight(int shortBy)
{
    // The column beside the live columns (the property panel) lends them its width down to what
    // it needs, and has it back when the design face returns (collapseLeftView). Hidden, or not
    // yet placed, it lends and takes nothing: its next placing does (followNeighbour).
    auto *outer = qobject_cast<QSplitter *>(verticalSplitView->parentWidget());
    const int at = outer ? outer->indexOf(verticalSplitView) : -1;
    if (at < 0 || at + 1 >= outer->count() || outer->widget(at + 1)->isHidden() || !placed(*outer))
        return;
    // A divider the user moved is left where the user put it, until the live face is set up again.
    if (m_dividerMoved && shortBy >= 0)
        return;
    QWidget *right = outer->widget(at + 1);
    QList<int> sizes = outer->sizes();
    const int spare = sizes[at + 1] - leastWithoutScrollingAcross(*right);
    // Asked for nothing, a column that kept less than it needs has the difference back.
    const int move = shortBy >= 0 ? (spare >= 0 ? std::min(shortBy, spare) : -std::min(-spare, m_lentByRight))
                                 : -std::min(-shortBy, m_lentByRight);
    if (move == 0)
        return;
    m_lentByRight += move;
    sizes[at] += move;
    sizes[at + 1] -= move;
    const QScopedValueRollback<bool> lending(m_lending, true);
    outer->setSizes(sizes);
}

void VisitorMode::followNeighbour(QSplitter &outer)
{
    const int at = outer.indexOf(verticalSplitView);
    if (at < 0 || at + 1 >= outer.count())
        return;
    // Taken in hand, the divider is the user's: nothing is lent or taken back while it moves.
    new PressWatch(*outer.handle(at + 1), [this](bool held) {
        m_dividerHeld = held;
        m_dividerMoved = m_dividerMoved || held;
    });
    QObject::connect(&outer, &QSplitter::splitterMoved, &outer, [this] { m_dividerMoved = true; });
    // Width the split view itself takes from the column for the live columns' least widths (a
    // window narrowed, a frame added) is lent as well: the design face has it back with the rest,
    // so the column returns to its width rather than to what was lent.
    QWidget *right = outer.widget(at + 1);
    new WidthWatch(*right, [this, right](int was, int now) {
        if (m_lending || m_dividerHeld || was <= 0 || scrollView->isHidden() || !right->isVisible())
            return;
        m_lentByRight = std::max(0, m_lentByRight + was - now);
    });
    // The window hides the column while the start dialog is up; shown and placed again, it lends
    // the live face what it needs, or has back what it lent to a face now gone.
    new ColumnFitter(*outer.widget(at + 1), [this] {
        if (!scrollView->isHidden())
            fitLiveColumns();
        else if (m_lentByRight > 0)
            borrowFromRight(-m_lentByRight);
    });
    // Its rows' scroll areas are measured only once laid out (a window set up before it is first
    // shown), and a page may need more than the last: what they need comes back from what was
    // lent, and the live columns are fitted to what is left.
    for (QScrollArea *area : outer.widget(at + 1)->findChildren<QScrollArea *>())
        new ColumnFitter(*area->viewport(), [this] {
            if (!scrollView->isHidden())
                borrowFromRight(0), fitLiveColumns();
        });
}

void VisitorMode::collapseLeftView()
{
    if (m_lentByRight > 0 && verticalSplitView->width() > 0)
        borrowFromRight(-m_lentByRight);
    scrollView->setMinimumWidth(0);
    myTargetView->setMinimumWidth(0);
    gp_scrollView->hide();
    scrollView->hide();
}

void VisitorMode::uncollapseLeftView()
{
    const bool group = Start_Card_Option == QLatin1String("G");
    if (!group && Start_Card_Option != QLatin1String("V"))
        return collapseLeftView();
    gp_scrollView->setVisible(group);
    scrollView->show();
    m_dividerMoved = false;
    fitLiveColumns();
}

void VisitorMode::Hide_Visitor_panel()
{
    if (!verticalSplitView)
        return;
    collapseLeftView();
    Visitor_mode_view->hide();
}

void VisitorMode::Show_Single_Mode_Front_Panel()
{
    if (!liveMode())
        return;
    Load_Fup_Fields(0);
    Load_Fup_Fields(1);
}

void VisitorMode::Show_Single_Mode_Back_Panel()
{
    if (liveMode())
        Load_Fup_Fields(1);
}

void VisitorMode::Title_For_Visitor() { ::Title_For_Visitor(); }

void VisitorMode::Reset_All_Visitor_Grp_Mode_Ctrl()
{
    for (Profile_Panel *p : {front_vistr_view.data(), back_vistr_view.data()}) {
        if (p) {
            p->Stop_Timer();
            p->Reset_all_Ctrl();
        }
    }
}

// --- controls on the card ---

bool VisitorMode::new_control_add(QString text, const QString &id, QLineEdit *box)
{
    Library_Selected_Image.clear();
    if (text.isEmpty())
        text = QStringLiteral("Text here");
    SKTGraphicView *canvas = currentCanvas();
    if (!canvas || canvas->Selcect_Ctrl_With_ID(id))
        return false;
    const bool photo = id == QLatin1String("Fup_Photo") || id.contains(QLatin1String("F_Photo"));
    if (photo)
        canvasRequests().Set_Selected_Control_Tool(8);
    canvas->createGraphicOfClass(photo ? SKTGraphicKind::Image : SKTGraphicKind::Text, nullptr, false, QRectF(),
                                 sideLetter(), text, id);
    if (!photo && box)
        box->setText(text);
    return true;
}

void VisitorMode::Change_Value(QString value, const QString &id, bool show, bool place)
{
    // The prompt stands in for an empty text only: a picture without a file keeps its empty path.
    const QString prompt = value.isEmpty() ? QStringLiteral("Text here") : value;
    const int side = Card_Front_Or_Back == 1 ? 1 : 0;
    const SKTGraphicArray &controls = m_window.document().graphicsOfSide(side);
    if (controls.empty())
        return;
    for (const SKTGraphicPtr &g : controls) {
        if (!g || g->control_ID != id)
            continue;
        const bool text = g->kind() == SKTGraphicKind::Text, image = g->kind() == SKTGraphicKind::Image;
        if (!text && !image)
            break;
        if (!show) {
            g->Set_Ctrl_Is_Visible(false);
        } else {
            if (place) {
                const QRectF frame = g->bounds();
                g->setBounds(QRectF(Set_Ctrl_Pos_In_Vstr_Mode(id, frame), frame.size()));
            }
            if (text) {
                g->Set_text_value(prompt);
                m_window.Set_Text_Value_Edit(prompt);
            } else {
                static_cast<SKTImage *>(g.get())->setFilePath(value, true);
            }
            g->Set_Ctrl_Is_Visible(true);
            currentCanvas()->Set_Selection_Index_According_ID(id);
        }
        m_window.Show_RHS_Properties(show ? g.get() : nullptr);
        break;
    }
    m_window.Refresh_Canvas();
    m_window.Insert_In_Undo_Redo();
}

QPointF VisitorMode::Set_Ctrl_Pos_In_Vstr_Mode(const QString &id, const QRectF &frame)
{
    QString partner;
    bool right = false;
    if (id.contains(QLatin1String("Fup_"))) {
        bool caption = false;
        if (const int row = fieldRow(id, &caption); row >= 0) {
            const ProfileField &f = Profile_Fields[size_t(row)];
            partner = QString::fromLatin1(caption ? f.valueId : f.labelId);
            right = !caption;
        } else if (id == QLatin1String("Fup_Photo")) {
            partner = id;
        }
    }
    if (id.contains(QLatin1String("_field")))
        partner = QStringLiteral("F_label") + id.mid(7).trimmed(), right = true;
    if (id.contains(QLatin1String("_label")))
        partner = QStringLiteral("F_field") + id.mid(7).trimmed(), right = false;
    // A custom photo row has no partner: it goes where any new control goes, not to the corner.
    if (partner.isEmpty())
        return id.contains(QLatin1String("F_Photo")) ? archiveHub().Control_New_Point(sideLetter()) : QPointF();
    const QPointF p = Get_Ctrl_Location_From_Design(partner);
    if (p.isNull())
        return archiveHub().Control_New_Point(sideLetter());
    const QPointF candidate = right ? QPointF(p.x() + rf_control_rect.width(), p.y()) : QPointF(p.x() - frame.width(), p.y());
    const QRectF card = m_window.canvasOfSide(0)->canvasBounds();
    if (candidate.x() >= card.left() && candidate.x() < card.right() && candidate.y() >= card.top()
        && candidate.y() < card.bottom())
        return candidate;
    return right ? QPointF(p.x(), p.y() + rf_control_rect.height()) : QPointF(p.x(), p.y() - frame.height());
}

QPointF VisitorMode::Get_Ctrl_Location_From_Design(const QString &id)
{
    QAbstractButton *chk = Get_chk_box_of_visitor_mode(id);
    if (!chk || !chk->isChecked())
        return {};
    for (const SKTGraphicPtr &g : m_window.document().graphicsOfSide(Card_Front_Or_Back == 1 ? 1 : 0)) {
        if (g && g->control_ID == id) {
            rf_control_rect = g->bounds();
            return rf_control_rect.topLeft();
        }
    }
    return {};
}

QWidget *VisitorMode::Get_text_box_of_visitor_mode(const QString &id)
{
    Profile_Panel *p = panel(Card_Front_Or_Back);
    if (!p)
        return nullptr;
    if (!id.contains(QLatin1String("Fup_")))
        return p->Get_Dynamic_Label_Ctrl(id, QStringLiteral("T"));
    bool caption = false;
    const int row = fieldRow(id, &caption);
    return row < 0 ? nullptr : (caption ? p->label : p->value)[size_t(row)];
}

QAbstractButton *VisitorMode::Get_chk_box_of_visitor_mode(const QString &id)
{
    Profile_Panel *p = panel(Card_Front_Or_Back);
    if (!p)
        return nullptr;
    if (!id.contains(QLatin1String("Fup_")))
        return qobject_cast<QAbstractButton *>(p->Get_Dynamic_Label_Ctrl(id, QStringLiteral("C")));
    bool caption = false;
    const int row = fieldRow(id, &caption);
    return row < 0 ? nullptr : (caption ? p->label_chk : p->value_chk)[size_t(row)];
}

void VisitorMode::Set_User_Image_Control(int side, const QString &path, const QImage &image, const QString &id)
{
    if (Profile_Panel *p = panel(side))
        p->Set_User_Image_Control(path, image, id);
}

// --- custom rows ---

void VisitorMode::Create_Control_For_Visitor_Mode()
{
    Create_Control_For_Visitor_Mode_Front_Side();
    Create_Control_For_Visitor_Mode_Back_Side();
    for (Profile_Panel *p : {front_vistr_view.data(), back_vistr_view.data()}) {
        if (p)
            p->txt_or_image_ctrl = 0;
    }
}

void VisitorMode::Rebuild_Custom_Rows(int side)
{
    Profile_Panel *p = panel(side);
    if (!p)
        return;
    p->Stop_Timer();
    p->Reset_all_Ctrl();
    createControlsForSide(side);
    p->txt_or_image_ctrl = 0;
}

void VisitorMode::createControlsForSide(int side)
{
    Profile_Panel *p = panel(side);
    const std::vector<DynamicControlRow> &rows = m_window.Dynamic_Control_List(side);
    if (!p || rows.empty())
        return;
    auto stem = [](QString id, const char *a, const char *b) {
        return id.remove(QLatin1String(a)).remove(QLatin1String(b)).trimmed();
    };
    auto at = [](const DynamicControlRow &row, int i) { return row.value(i); };
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        const QString id = at(*it, 0), text = at(*it, 1);
        const bool visible = at(*it, 2) == QLatin1String("Y");
        if (at(*it, 4) == QLatin1String("T")) {
            p->txt_or_image_ctrl = 0;
            if (!id.contains(QLatin1String("_label")))
                continue;
            p->Add_label_control(id, text, visible);
            const QString captionStem = stem(id, "F_label", "B_label");
            for (const DynamicControlRow &row : rows) {
                const QString other = at(row, 0);
                if (other.contains(QLatin1String("_field")) && stem(other, "F_field", "B_field") == captionStem) {
                    p->Add_Value_control(other, at(row, 1), at(row, 2) == QLatin1String("Y"));
                    p->Increment_in_position();
                    break;
                }
            }
        } else {
            p->txt_or_image_ctrl = 1;
            p->Add_Image_control(id, text, visible);
            p->Add_Value_control(id, text, visible);
            p->Increment_in_position();
        }
    }
}

QString VisitorMode::Get_Front_Visitor_dyn_contrl_str() const
{
    return front_vistr_view ? front_vistr_view->Custom_Rows_Text() : QString();
}

QString VisitorMode::Get_Back_Visitor_dyn_contrl_str() const
{
    return back_vistr_view ? back_vistr_view->Custom_Rows_Text() : QString();
}

bool VisitorMode::Add_Visitor_Record_To_DB()
{
    if (!front_vistr_view || !back_vistr_view)
        return false;
    SKTDocument &doc = m_window.document();
    // One moment for the row, the boxes and the card, so the pass printed next shows what was stored.
    const QDateTime now = Visitor_Clock_Now();
    for (int side : {0, 1})
        Take_Recording_Moment(side, now);
    Visitor_DB db;
    return db.Add_Visitor_Record_To_DB(*front_vistr_view, *back_vistr_view, int(doc.graphicsOfSide(0).size()),
                                       int(doc.graphicsOfSide(1).size()), m_window.Two_Sided_Card(),
                                       [this](int side) {
                                           return side == 0 ? Get_Front_Visitor_dyn_contrl_str()
                                                            : Get_Back_Visitor_dyn_contrl_str();
                                       },
                                       now);
}

void VisitorMode::Take_Recording_Moment(int side, const QDateTime &now)
{
    Profile_Panel *p = panel(side);
    if (!p)
        return;
    const struct {
        int row;
        QCheckBox *manual;
        QString text;
    } clocks[] = {{kDateField, p->date_manual_chk, Visitor_Date_Text(now.date())},
                  {kTimeField, p->time_manual_chk, now.toString(QStringLiteral("HH:mm:ss"))}};
    bool changed = false;
    for (const auto &c : clocks) {
        if (c.manual && c.manual->isChecked())
            continue;
        p->value[size_t(c.row)]->setText(c.text);
        if (!p->value_chk[size_t(c.row)]->isChecked())
            continue;
        const QString id = QString::fromLatin1(Profile_Fields[size_t(c.row)].valueId);
        for (const SKTGraphicPtr &g : m_window.document().graphicsOfSide(side)) {
            if (g && g->kind() == SKTGraphicKind::Text && g->control_ID == id) {
                g->Set_text_value(c.text);
                changed = true;
            }
        }
    }
    if (changed)
        m_window.Refresh_Canvas();
}

// --- loading ---

void VisitorMode::Load_Fup_Fields(int side)
{
    Profile_Panel *p = panel(side);
    if (!p)
        return;
    for (const SKTGraphicPtr &g : m_window.document().graphicsOfSide(side)) {
        const bool text = g && g->kind() == SKTGraphicKind::Text, image = g && g->kind() == SKTGraphicKind::Image;
        if (!text && !image)
            continue;
        const QString id = g->control_ID.trimmed();
        if ((text && id.isEmpty()) || !g->ctrl_is_visible)
            continue;
        if (image) {
            if (id.isEmpty() || id == QLatin1String("Fup_Photo"))
                p->Set_User_Image_Control(static_cast<SKTImage *>(g.get())->_file_path, g->_contents, id);
            continue;
        }
        bool caption = false;
        const int row = fieldRow(id, &caption);
        if (row < 0)
            continue;
        QLineEdit *box = (caption ? p->label : p->value)[size_t(row)];
        box->setText(g->Text_Value);
        (caption ? p->label_chk : p->value_chk)[size_t(row)]->setChecked(true);
        if (!caption && row == kDateField) {
            p->Chk_Unchk_Manual_Date_Time(QStringLiteral("D"));
        } else if (!caption && row == kTimeField) {
            p->Chk_Unchk_Manual_Date_Time(QStringLiteral("T"));
            p->Stop_Timer();
        } else {
            box->setReadOnly(false);
            box->setEnabled(true);
        }
    }
}

void VisitorMode::Refresh_Panel_From_Card(int side)
{
    Profile_Panel *p = panel(side);
    if (!p || !liveMode())
        return;
    p->Refresh_Controls();
    Load_Fup_Fields(side);
    p->Chk_Unchk_Manual_Date_Time(QStringLiteral("D"));
    p->Chk_Unchk_Manual_Date_Time(QStringLiteral("T"));
}

// --- photo ---

int VisitorMode::Find_And_Select_Design_Image_Control()
{
    SKTGraphicView *canvas = currentCanvas();
    SKTGraphic *selected = canvas->Selected_Graphic();
    if (selected && selected->kind() == SKTGraphicKind::Image && !selected->ctrl_is_locked)
        return 1;
    const SKTGraphicArray &controls = m_window.document().graphicsOfSide(Card_Front_Or_Back == 1 ? 1 : 0);
    if (controls.empty())
        return 0;
    int count = 0;
    bool locked = false;
    SKTGraphic *unlocked = nullptr;
    for (const SKTGraphicPtr &g : controls) {
        if (!g || g->kind() != SKTGraphicKind::Image)
            continue;
        ++count;
        if (g->ctrl_is_locked)
            locked = true;
        else
            unlocked = g.get();
    }
    if (count == 1) {
        if (locked) {
            platform::ui().message(QStringLiteral("Image control is locked."));
            return 2;
        }
        m_window.Set_Selected_Graphic(unlocked);
        m_window.Show_RHS_Properties(unlocked);
        return 1;
    }
    if (count > 1)
        platform::ui().message(QStringLiteral("Please select 'Image Control' to use image file."));
    return count;
}
