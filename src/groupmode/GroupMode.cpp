#include "groupmode/GroupMode.h"

#include "canvas/SKTGraphicView.h"
#include "core/CardSide.h"
#include "core/Globals.h"
#include "core/SKTDocument.h"
#include "core/SKTImage.h"
#include "core/Utilities.h"
#include "data/batch/BatchEngine.h"
#include "groupmode/GroupListWidget.h"
#include "groupmode/Update_XL_Column.h"
#include "platform/UiServices.h"
#include "visitor/Profile_Panel.h"
#include "visitor/VisitorRecorder.h"

#include <QAbstractButton>
#include <algorithm>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

using namespace groupmode;

const std::array<const char *, kTextFields> Group_Field_Ids = {
    "Fup_Name",    "Fup_Title",  "Fup_Company", "Fup_CompanySlogan", "Fup_Address",
    "Fup_PhoneNO", "Fup_FaxNo",  "Fup_EmailID", "Fup_Website",       "Fup_UniqueNo"};

namespace {

const QString kPhotoId = QStringLiteral("Fup_Photo");

int textField(const QString &id)
{
    for (int f = 0; f < kTextFields; ++f)
        if (id == QLatin1String(Group_Field_Ids[size_t(f)]))
            return f;
    return -1;
}

bool isTextOrImage(const SKTGraphic &g) { return g.kind() == SKTGraphicKind::Text || g.kind() == SKTGraphicKind::Image; }

// The side in work switched for the length of one call.
class SideScope {
public:
    explicit SideScope(int side) : m_saved(Card_Front_Or_Back) { Card_Front_Or_Back = side; }
    ~SideScope() { Card_Front_Or_Back = m_saved; }

private:
    int m_saved;
};

// The source picture of an image control; empty once its file is gone.
QString originalPath(const SKTGraphic &g)
{
    if (g._file_path.isEmpty() || !QFileInfo::exists(g._file_path))
        return {};
    return g.Text_Value.isEmpty() ? g._file_path : g.Text_Value;
}

}  // namespace

GroupMode::GroupMode(GroupModeWindow &window) : m_window(window), m_list(window.groupData()) {}

GroupMode::~GroupMode()
{
    if (m_widget && !m_widget->parent())
        delete m_widget.data();
    if (m_remap && !m_remap->parent())
        delete m_remap.data();
}

Update_XL_Column &GroupMode::remapDialog()
{
    if (!m_remap)
        m_remap = new Update_XL_Column(m_window, *this, m_widget ? m_widget->window() : nullptr);
    return *m_remap;
}

int GroupMode::currentSide() const { return Card_Front_Or_Back == 1 ? 1 : 0; }

GroupListWidget *GroupMode::listWidget(QWidget *parent)
{
    if (m_widget)
        return m_widget;
    GroupListWidget::Hooks hooks;
    hooks.panel = [this] { return panelValues(currentSide()); };
    hooks.backSide = [this] { return currentSide() == 1; };
    hooks.saveProject = [this] { m_window.Save_Group_Project(); };
    hooks.applyRow = [this](int) { Assign_value_to_card_in_group_mode_list_selection(); };
    hooks.leaveRow = [this] { return Leave_Shown_Row(); };
    hooks.confirm = [](const QString &question) { return platform::ui().yesNo(question); };
    hooks.inform = [](const QString &message) { Show_MessageBox(message); };
    hooks.remap = [this] { Update_Excel_Btn_Clicked(); };
    hooks.viewTable = [this] { View_Excel_Btn_Clicked(); };
    m_widget = new GroupListWidget(m_list, std::move(hooks), parent);
    return m_widget;
}

// --- values and field controls ---------------------------------------------------------------

QString GroupMode::Get_Excel_Table_Item_Text(int row, int column) const { return m_list.panelText(row, column); }

void GroupMode::Check_and_create_control_for_group_mode(int side, const QString &id, const QString &value,
                                                        const QString &kind, int column, bool visible,
                                                        bool updateOnly, bool checkOtherSide)
{
    SKTGraphicView *canvas = m_window.canvasOfSide(side);
    if (!canvas)
        return;
    bool placed = false;
    QRectF rect;
    if (!canvas->Selcect_Ctrl_With_ID(id)) {
        SKTGraphicView *other = m_window.canvasOfSide(1 - side);
        if ((checkOtherSide && other && other->Selcect_Ctrl_With_ID(id)) || updateOnly)
            return;
        rect = m_window.Get_Control_Rect_From_Template(id, value);
        // Without a template place the canvas puts the control at its next free point.
        placed = !rect.isEmpty();
    }
    const bool text = kind == QLatin1String("T");
    m_window.Set_Selected_Control_Tool(text ? 2 : 8);
    // A new picture control takes its picture from the pending path: this value, on either
    // side, and nothing pending is left behind for the next picture control.
    if (!text)
        Library_Selected_Image = value;
    canvas->ReplaceGraphicText(text ? SKTGraphicKind::Text : SKTGraphicKind::Image, placed, rect, sideLetter(side),
                               value, id);
    Library_Selected_Image.clear();
    {
        const SideScope scope(side);
        m_window.Change_Value(value, id, true, false);
    }
    SKTGraphic *selected = canvas->Selected_Graphic();
    if (selected && selected->control_ID == id) {
        selected->Set_Data_source_type(column == -1 ? 0 : 2);
        selected->Set_Excel_binding(column != -1);
        selected->Set_Excel_binding_Index(column);
        selected->Set_Ctrl_Is_Visible(visible);
        if (!visible) {
            canvas->Clear_Control_Selection();
            selected = nullptr;
        }
    } else {
        selected = nullptr;
    }
    const SideScope scope(side);
    m_window.Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(selected);
}

// --- binding passes ----------------------------------------------------------------------------

void GroupMode::Update_Excel_Column_Binding(const QString &mode)
{
    const bool update = mode == QLatin1String("U");
    GroupData &data = m_window.groupData();
    // No data row: there is no first row to lay on the card.
    if (data.rowCount() > 0) {
        SKTGraphicView *front = m_window.canvasOfSide(0), *back = m_window.canvasOfSide(1);
        const auto visibleOn = [](SKTGraphicView *canvas, const QString &id, bool fallback) {
            const SKTGraphic *g = canvas ? canvas->Selcect_Ctrl_With_ID(id) : nullptr;
            return g ? g->ctrl_is_visible : fallback;
        };
        for (int f = 0; f < kTextFields; ++f) {
            const int b = data.binding(f);
            if (b == -1)
                continue;
            const QString id = QString::fromLatin1(Group_Field_Ids[size_t(f)]);
            const QString value = Get_Excel_Table_Item_Text(0, b);
            // Each field keeps its own visibility: one field's hidden control never hides the next.
            bool visible = visibleOn(front, id, true);
            Check_and_create_control_for_group_mode(0, id, value, QStringLiteral("T"), b, visible, update, true);
            visible = visibleOn(back, id, visible);
            Check_and_create_control_for_group_mode(1, id, value, QStringLiteral("T"), b, visible, update, true);
        }
        for (int side : {0, 1}) {
            const int b = data.binding(side == 0 ? kFrontPhoto : kBackPhoto);
            if (b == -1)
                continue;
            const QString value = m_list.panelText(0, b, true);
            const bool visible = visibleOn(m_window.canvasOfSide(side), kPhotoId, true);
            Check_and_create_control_for_group_mode(side, kPhotoId, value, QStringLiteral("I"), b, visible, update,
                                                    side == 0);
        }
    }
    Mark_Group_List_New_Selection(0);
}

void GroupMode::Set_Group_Mode_List_Setting_After_Loading(const QString &path, const QString &mode)
{
    if (m_window.Project_File_Name().isEmpty())
        return;
    const QFileInfo file(path);
    Project_Name_Val = file.completeBaseName();
    Project_Path_Val = file.dir().dirName();
    Create_Group_List_By_Excel_List();
    if (!m_window.Copy_Card_Design_In_Progress())
        Update_Excel_Column_Binding(mode == QLatin1String("U") ? QStringLiteral("U") : QStringLiteral("A"));
    Use_Excel_Binding_Values = true;
    m_window.Use_Group_Project(path);
    // The panel shows the row the list shows (row 0 after the pass; a copied design keeps its
    // row), so the next save stores the panel into the row it came from.
    Set_GP_mode_Value_From_Excel(sideLetter(currentSide()), std::max(m_list.selected(), 0));
}

void GroupMode::Update_Excel_Column_Binding_Update_Column(const std::array<bool, kTextFields> &shown)
{
    const PanelFillGuard quiet;
    GroupData &data = m_window.groupData();
    const int s = currentSide();
    SKTGraphicView *canvas = m_window.canvasOfSide(s);
    const auto unbind = [](SKTGraphic *g) {
        g->Set_Data_source_type(0);
        g->Set_Excel_binding(false);
        g->Set_Excel_binding_Index(-1);
    };
    for (int f = 0; f < kTextFields; ++f) {
        const int b = data.binding(f);
        const QString id = QString::fromLatin1(Group_Field_Ids[size_t(f)]);
        if (b != -1) {
            Check_and_create_control_for_group_mode(s, id, Get_Excel_Table_Item_Text(0, b), QStringLiteral("T"), b,
                                                    shown[size_t(f)], false, false);
        } else if (!shown[size_t(f)]) {
            if (SKTGraphic *g = canvas->Selcect_Ctrl_With_ID(id)) {
                g->Set_Ctrl_Is_Visible(false);
                unbind(g);
            }
        } else if (canvas->Selcect_Ctrl_With_ID(id)) {
            for (int side : {0, 1})
                if (SKTGraphic *g = m_window.canvasOfSide(side)->Selcect_Ctrl_With_ID(id))
                    unbind(g);
        } else {
            m_window.Set_Selected_Control_Tool(2);
            canvas->createGraphicOfClass(SKTGraphicKind::Text, nullptr, false, QRectF(), sideLetter(s),
                                         kCellPlaceholder, id);
        }
    }
    for (int side : {0, 1}) {
        const int b = data.binding(side == 0 ? kFrontPhoto : kBackPhoto);
        if (b != -1) {
            const SideScope scope(side);
            Check_and_create_control_for_group_mode(side, kPhotoId, m_list.panelText(0, b, true), QStringLiteral("I"), b,
                                                    true, false, false);
        } else if (SKTGraphic *g = m_window.canvasOfSide(side)->Selcect_Ctrl_With_ID(kPhotoId)) {
            unbind(g);
            if (Profile_Panel *panel = m_window.entryPanel(side))
                panel->Set_User_Image_Control(g->_file_path, g->_contents, g->control_ID);
        }
    }
    Mark_Group_List_New_Selection(0);
}

void GroupMode::Update_excel_col_binding_on_panel(int side)
{
    for (const SKTGraphicPtr &g : m_window.document().graphicsOfSide(side)) {
        if (!g || !isTextOrImage(*g) || Trim_Str(g->control_ID).isEmpty() || !g->ctrl_is_visible)
            continue;
        const int column = Get_Excel_Coulmn_Index_According_ID(g->control_ID);
        if (column >= 0) {
            g->Set_Data_source_type(2);
            g->Set_Excel_binding(true);
            g->Set_Excel_binding_Index(column);
        }
    }
}

void GroupMode::Select_Excel_First_Row()
{
    Set_GP_mode_Value_From_Excel(sideLetter(currentSide()), 0);
    Mark_Group_List_New_Selection(0);
    m_window.selectArrowTool();
}

void GroupMode::Update_Excel_Btn_Clicked()
{
    // The dialog changes the bindings the panel's changes would be stored by, and OK lays the
    // row again: they are settled first.
    if (!Settle_Shown_Row_Changes())
        return;
    const int remembered = m_list.selected();
    Create_Dynamic_Control_List();
    Update_XL_Column &dialog = remapDialog();
    if (dialog.Open_Wnd() != 1)
        return;
    const int side = currentSide();
    Update_Excel_Column_Binding_Update_Column(dialog.fieldShown());
    Update_Value_For_Dynamic_Control(QStringLiteral("A"), QString());
    for (int s : {0, 1}) {
        const SideScope scope(s);
        Update_excel_col_binding_on_panel(s);
    }
    Card_Front_Or_Back = side;
    if (side == 1)
        m_window.Show_Single_Mode_Back_Panel();
    else
        m_window.Show_Single_Mode_Front_Panel();
    if (remembered < 1)
        Select_Excel_First_Row();
    else
        Mark_Group_List_New_Selection(remembered);
    m_window.Refresh_Canvas();
    if (SKTGraphicView *canvas = m_window.canvasOfSide(side))
        canvas->Clear_Control_Selection();
    m_window.Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
}

void GroupMode::View_Excel_Btn_Clicked()
{
    if (m_window.groupData().rowCount() == 0)
        return Show_MessageBox(QStringLiteral("There is no excel data to view."));
    m_window.View_Excel_Table();
}

// --- custom fields ---------------------------------------------------------------------------

void GroupMode::Create_Dynamic_Control_List()
{
    const int side = currentSide();
    std::vector<DynamicControlRow> &rows = m_window.dynamicControlList(side);
    rows.clear();
    for (const SKTGraphicPtr &g : m_window.document().graphicsOfSide(side)) {
        if (!g || !isTextOrImage(*g))
            continue;
        const QString &id = g->control_ID;
        if (id.isEmpty() || Find_Str(id, QStringLiteral("Fup_")) || Find_Str(id, QStringLiteral("_label")))
            continue;
        const bool text = g->kind() == SKTGraphicKind::Text;
        rows.push_back({id, text ? g->Text_Value : originalPath(*g),
                        g->ctrl_is_visible ? QStringLiteral("Y") : QStringLiteral("N"),
                        g->data_source_type == 2 ? QString::number(g->excel_col_indx) : QStringLiteral("-1"),
                        text ? QStringLiteral("T") : QStringLiteral("P")});
    }
}

int GroupMode::Get_Col_Index_of_Dynamic_Control(const QString &id) const
{
    for (const DynamicControlRow &row : m_window.dynamicControlList(currentSide()))
        if (row.value(0) == id)
            return row.value(3).toInt();
    return -1;
}

int GroupMode::Get_Excel_Coulmn_Index_According_ID(const QString &id) const
{
    if (!id.contains(QLatin1String("Fup_")))
        return Get_Col_Index_of_Dynamic_Control(id);
    const int f = textField(id);
    return f < 0 ? -1 : m_window.groupData().binding(f);
}

void GroupMode::Update_Value_For_Dynamic_Control(const QString &mode, const QString &id)
{
    const PanelFillGuard quiet;
    const int side = currentSide();
    // A copy: creating or updating a control does not change the list, but nothing here may
    // depend on that.
    const std::vector<DynamicControlRow> rows = m_window.dynamicControlList(side);
    for (const DynamicControlRow &row : rows) {
        if (row.size() < 5 || (mode == QLatin1String("S") && row[0] != id))
            continue;
        Show_NSLog_Message(QStringLiteral("ID : %1 - VAL : %2 - VISIBLE : %3 - INDX : %4").arg(row[0], row[1], row[2], row[3]));
        auto *box = qobject_cast<QLineEdit *>(m_window.customTextBox(row[0]));
        auto *check = qobject_cast<QAbstractButton *>(m_window.customCheckBox(row[0]));
        QString value = box ? box->text() : QString();
        const int column = row[3].toInt();
        if (row[3] != QLatin1String("-1"))
            value = Get_Excel_Table_Item_Text(0, column);
        const bool visible = row[2] == QLatin1String("Y");
        if (check)
            check->setChecked(visible);
        if (row[4] == QLatin1String("P")) {
            if (value == kCellPlaceholder)
                value.clear();
            if (Profile_Panel *panel = m_window.entryPanel(side))
                panel->Show_Dynamic_Photo(row[0], value);
        }
        Check_and_create_control_for_group_mode(side, row[0], value, row[4], row[3] == QLatin1String("-1") ? -1 : column,
                                                visible, true, false);
        if (box) {
            box->setText(value);
            box->setEnabled(check ? check->isChecked() : visible);
        }
    }
}

// --- the list and its rows -------------------------------------------------------------------

void GroupMode::Create_Group_List_By_Excel_List()
{
    if (m_list.selected() >= m_list.rowCount())
        m_list.select(-1);
    if (m_widget)
        m_widget->rebuild();
}

void GroupMode::Show_New_Control_Type_Boxes()
{
    for (int side : {0, 1}) {
        if (Profile_Panel *panel = m_window.entryPanel(side))
            for (QWidget *box : panel->findChildren<QWidget *>(QStringLiteral("new_ctrl_type_box")))
                box->show();
    }
}

void GroupMode::Clear_Group_List()
{
    m_list.select(-1);
    m_laidRow = m_laidRowCount = -1;
    m_shown = {};
    Use_Excel_Binding_Values = false;
    if (m_widget)
        m_widget->rebuild();
}

void GroupMode::Mark_Group_List_New_Selection(int row)
{
    if (m_widget) {
        m_widget->selectRow(row);
        return;
    }
    m_list.select(row);
    Assign_value_to_card_in_group_mode_list_selection();
}

void GroupMode::Assign_value_to_card_in_group_mode_list_selection()
{
    const int r = m_list.selected();
    if (Start_Card_Option != QLatin1String("G") || r < 0 || r >= m_list.entries().size())
        return;
    const int side = currentSide();
    // Laying a row selects each control it fills (the photo last): the row's click was no
    // choice of a control, so the side keeps the selection it had, and a key meant for the
    // list finds nothing new to delete.
    SKTGraphicView *canvas = m_window.canvasOfSide(side);
    const SKTGraphicArray selected = canvas ? canvas->selectedGraphics() : SKTGraphicArray();
    {
        m_window.Set_List_Value_Change(true);
        struct Done {
            GroupModeWindow &w;
            ~Done() { w.Set_List_Value_Change(false); }
        } done{m_window};
        if (Use_Excel_Binding_Values) {
            BatchSource source;
            GroupData &data = m_window.groupData();
            const int columns = data.columnCount();
            for (int i = 0; i < data.rowCount(); ++i) {
                const QVariantMap cells = data.row(i);
                QStringList row{cells.value(QStringLiteral("Extension")).toString()};
                for (int k = 1; k < columns; ++k) {
                    const auto it = cells.find(QStringLiteral("Column%1").arg(k));
                    row << (it == cells.end() ? QString() : it->toString());
                }
                source.excelRows << row;
            }
            source.Use_Excel_Binding_Values = true;
            source.Get_total_Card_count();
            Assign_Batch_Values_To_Control(Graphic_Pointers(m_window.document().graphicsOfSide(side)), source, r);
        }
        Set_GP_mode_Value_From_Excel(sideLetter(side), r);
        if (canvas)
            Keep_Selection(*canvas, side, selected);
        m_window.Refresh_Canvas();
    }
    Row_Laid(r);
}

void GroupMode::Keep_Selection(SKTGraphicView &canvas, int side, const SKTGraphicArray &kept)
{
    const SKTGraphicArray &controls = m_window.document().graphicsOfSide(side);
    SKTIndexSet indexes;
    for (const SKTGraphicPtr &g : kept)
        if (const auto it = std::find(controls.begin(), controls.end(), g); it != controls.end())
            indexes.push_back(int(it - controls.begin()));
    std::sort(indexes.begin(), indexes.end());
    if (indexes == canvas.selectionIndexes())
        return;
    canvas.changeSelectionIndexes(indexes);
    m_window.Show_RHS_Properties(indexes.size() == 1 ? controls[size_t(indexes.front())].get() : nullptr);
}

void GroupMode::Row_Laid(int row)
{
    const int side = currentSide();
    if (row == m_laidRow && m_list.rowCount() == m_laidRowCount)
        return;
    // Another row (or the same place after rows came or went): the other side's panel shows the
    // old row until that side comes into work, and no undo step of the old row may come back.
    m_shown[size_t(1 - side)].reset();
    m_laidRow = row;
    m_laidRowCount = m_list.rowCount();
    m_window.Undo_Redo_Clear();
}

bool GroupMode::Shown_Row_Has_Unsaved_Changes()
{
    const int side = currentSide();
    const std::optional<ShownPanel> &shown = m_shown[size_t(side)];
    if (Start_Card_Option != QLatin1String("G") || !shown || shown->row < 0 || shown->row != m_list.selected())
        return false;
    // Both against the row as it is now: only what the panel itself changed counts.
    return m_list.toStore(panelValues(side), side == 1) != m_list.toStore(shown->panel, side == 1);
}

bool GroupMode::Leave_Shown_Row()
{
    if (!Shown_Row_Has_Unsaved_Changes())
        return true;
    const int answer = platform::ui().alert(QStringLiteral("This record has changes that are not saved.\n") +
                                                Update_Data_Reminder_Text(),
                                            {QStringLiteral("Save Details"), QStringLiteral("Discard Changes"),
                                             QStringLiteral("Cancel")},
                                            QString(), nullptr);
    if (answer == 1)
        return true;
    if (answer != 0)
        return false;
    m_list.store(panelValues(currentSide()), currentSide() == 1);
    // A project that could not be written keeps its row on show; the save has said why.
    return m_window.Save_Group_Project();
}

bool GroupMode::Settle_Shown_Row_Changes()
{
    if (!Shown_Row_Has_Unsaved_Changes())
        return true;
    if (!Leave_Shown_Row())
        return false;
    // Saved or dropped: the panel and the card show the row as stored, and a change from here
    // on is new.
    Assign_value_to_card_in_group_mode_list_selection();
    return true;
}

void GroupMode::Lay_Shown_Row_On_Side(int side)
{
    const SideScope scope(side == 1 ? 1 : 0);
    if (Shown_Row_Has_Unsaved_Changes())
        return;
    Assign_value_to_card_in_group_mode_list_selection();
}

void GroupMode::Set_GP_mode_Value_From_Excel(const QString &sideText, int row)
{
    const int side = sideText == QLatin1String("F") ? 0 : 1;
    Profile_Panel *panel = m_window.entryPanel(side);
    if (!panel || row < 0 || row >= m_window.groupData().rowCount())
        return;
    GroupData &data = m_window.groupData();
    const SideScope scope(side);
    // A copy of the array: laying a photo may add its control to the side.
    const SKTGraphicArray controls = m_window.document().graphicsOfSide(side);
    for (const SKTGraphicPtr &g : controls) {
        if (!g || !isTextOrImage(*g))
            continue;
        const QString id = Trim_Str(g->control_ID);
        if (id.isEmpty())
            continue;
        if (const int f = textField(id); f >= 0) {
            if (const int b = data.binding(f); b != -1)
                panel->value[size_t(f)]->setText(Get_Excel_Table_Item_Text(row, b));
        } else if (id == kPhotoId) {
            if (const int b = data.binding(side == 0 ? kFrontPhoto : kBackPhoto); b != -1)
                panel->Set_User_Image(m_list.panelText(row, b, true), id);
        } else if (!id.contains(QLatin1String("_label")) && !id.contains(QLatin1String("Fup_"))) {
            const int column = Get_Col_Index_of_Dynamic_Control(id);
            if (column == -1)
                continue;
            if (id.contains(QLatin1String("_Photo"))) {
                const QString path = m_list.panelText(row, column, true);
                panel->Set_User_Image_Control(path, g->_contents, id);
                panel->Show_Dynamic_Photo(id, path);
            }
            if (auto *box = qobject_cast<QLineEdit *>(m_window.customTextBox(id)))
                box->setText(Get_Excel_Table_Item_Text(row, column));
        }
    }
    // What the row put into the panel: a change from here on is the person's own.
    m_shown[size_t(side)] = ShownPanel{row, panelValues(side)};
}

PanelValues GroupMode::panelValues(int side)
{
    PanelValues values;
    if (Profile_Panel *panel = m_window.entryPanel(side)) {
        for (int f = 0; f < kTextFields; ++f) {
            values.text[size_t(f)] = panel->value[size_t(f)]->text();
            values.checked[size_t(f)] = panel->value_chk[size_t(f)]->isChecked();
        }
    }
    const SKTGraphicView *canvas = m_window.canvasOfSide(side);
    const SKTGraphic *photo = canvas ? canvas->Selcect_Ctrl_With_ID(kPhotoId) : nullptr;
    values.photoPath = photo ? photo->_file_path : QString();
    const SideScope scope(side);
    for (const DynamicControlRow &row : m_window.dynamicControlList(side)) {
        const int column = row.value(3).toInt();
        if (row.size() < 5 || row[3] == QLatin1String("-1"))
            continue;
        if (auto *box = qobject_cast<QLineEdit *>(m_window.customTextBox(row[0])))
            values.custom.emplace_back(column, box->text());
    }
    return values;
}

void GroupMode::Save_Group_Mode_List_Details_In_XL_Data_List()
{
    if (m_list.rowCount() == 0)
        return;
    m_list.store(panelValues(currentSide()), currentSide() == 1);
    Create_Group_List_By_Excel_List();
    Mark_Group_List_New_Selection(m_list.selected());
}
