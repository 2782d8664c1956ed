#include "groupmode/Update_XL_Column.h"
#include "canvas/ScriptedModal.h"

#include "canvas/SKTGraphicView.h"
#include "canvas/WidgetUtilities.h"
#include "core/Globals.h"
#include "core/SKTDocument.h"
#include "core/SKTGraphic.h"
#include "core/Utilities.h"
#include "groupmode/GroupMode.h"
#include "platform/UiServices.h"
#include "visitor/ProfileCaptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>
#include <utility>

using namespace groupmode;

namespace {

Update_XL_Column *UP_Col_inst = nullptr;
Update_XL_Column::ModalRunner g_runner;

const char *const kComboNames[kBindings] = {"name_col_cb",  "title_col_cb",   "comp_name_col_cb", "slogan_col_cb",
                                            "address_col_cb", "phone_col_cb", "fax_col_cb",       "email_col_cb",
                                            "website_col_cb", "unique_col_cb", "image_col_cb",    "back_image_col_cb"};
const char *const kLabelNames[kBindings] = {"name_label",  "title_label", "comp_name_label", "slogan_label",
                                            "address_label", "phone_label", "fax_label",     "email_label",
                                            "website_label", "unique_label", "frnt_pic_label", "back_pic_label"};
const char *const kCheckNames[kTextFields] = {"name_value_chk",  "title_value_chk", "comp_name_value_chk",
                                              "slogan_value_chk", "address_value_chk", "phone_value_chk",
                                              "fax_value_chk",   "email_value_chk", "website_value_chk",
                                              "unique_value_chk"};

bool customId(const QString &id) { return id.contains(QLatin1String("_field")) || id.contains(QLatin1String("_Photo")); }

}  // namespace

QString Apply_Column_Remap(const ColumnRemap &remap, GroupData &data, std::vector<DynamicControlRow> &list,
                           bool *nameChanged)
{
    if (remap.combos[0] <= 0 || remap.nameText.trimmed().isEmpty())
        return QStringLiteral("Default column should not be 'None'.");
    const int oldName = data.binding(0);
    for (int f = 0; f < kBindings; ++f)
        data.setBinding(f, remap.combos[size_t(f)] <= 0 ? -1 : remap.combos[size_t(f)]);
    for (const ColumnRemap::Custom &row : remap.custom) {
        if (row.combo < 0)
            continue;
        const int column = row.combo == 0 ? -1 : row.combo;
        for (DynamicControlRow &entry : list) {
            if (entry.size() < 5 || entry[0] != row.id)
                continue;
            if (column != -1) {
                // The first row's value, an empty cell shown as one blank as a newly bound control shows it.
                const QString cell = data.row(0).value(QStringLiteral("Column%1").arg(column)).toString();
                entry[1] = data.rowCount() == 0 ? QString() : (cell.isEmpty() ? QStringLiteral(" ") : cell);
            }
            entry[2] = row.shown ? QStringLiteral("Y") : QStringLiteral("N");
            entry[3] = QString::number(column);
            break;
        }
    }
    if (nameChanged)
        *nameChanged = data.binding(0) != oldName;
    return {};
}

Update_XL_Column::Update_XL_Column(GroupModeWindow &window, GroupMode &mode, QWidget *parent)
    : QDialog(parent), m_window(window), m_mode(mode)
{
    UP_Col_inst = this;
    setObjectName(QStringLiteral("Update_XL_Column"));
    setModal(true);
    auto *outer = new QVBoxLayout(this);
    auto *info = new QFormLayout;
    Pass_proj_name = named(new QLineEdit(this), "Pass_proj_name");
    Pass_proj_path = named(new QLineEdit(this), "Pass_proj_path");
    Pass_excel_file = named(new QLineEdit(this), "Pass_excel_file");
    for (auto [title, edit] : {std::pair{tr("Project"), Pass_proj_name}, {tr("Folder"), Pass_proj_path},
                               {tr("Excel file"), Pass_excel_file}}) {
        edit->setReadOnly(true);
        info->addRow(title, edit);
    }
    outer->addLayout(info);

    auto *scroll = named(new QScrollArea(this), "scroll_view");
    scroll->setWidgetResizable(true);
    auto *content = named(new QWidget, "control_view");
    auto *column = new QVBoxLayout(content);
    Column_Box = named(new QGroupBox(tr("Profile fields"), content), "Column_Box");
    auto *grid = new QGridLayout(Column_Box);
    for (int f = 0; f < kBindings; ++f) {
        if (f < kTextFields) {
            value_chk[size_t(f)] = named(new QCheckBox(Column_Box), kCheckNames[f]);
            value_chk[size_t(f)]->setToolTip(tr("Show the field on this side"));
            grid->addWidget(value_chk[size_t(f)], f, 0);
        }
        labels[size_t(f)] = named(new QLabel(Column_Box), kLabelNames[f]);
        combos[size_t(f)] = named(new QComboBox(Column_Box), kComboNames[f]);
        grid->addWidget(labels[size_t(f)], f, 1);
        grid->addWidget(combos[size_t(f)], f, 2);
        QComboBox *combo = combos[size_t(f)];
        connect(combo, &QComboBox::currentIndexChanged, this, [this, combo] { comboChanged(combo); });
    }
    labels[kFrontPhoto]->setText(tr("Front photo :"));
    labels[kBackPhoto]->setText(tr("Back photo :"));
    grid->setColumnStretch(2, 1);
    column->addWidget(Column_Box);
    New_Ctrl_Box = named(new QGroupBox(tr("Custom fields"), content), "New_Ctrl_Box");
    m_customGrid = new QGridLayout(New_Ctrl_Box);
    m_customGrid->setColumnStretch(2, 1);
    New_Ctrl_Box->hide();
    column->addWidget(New_Ctrl_Box);
    column->addStretch();
    scroll->setWidget(content);
    outer->addWidget(scroll, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &Update_XL_Column::OKPressed);
    connect(buttons, &QDialogButtonBox::rejected, this, &Update_XL_Column::CancelPressed);
    outer->addWidget(buttons);
    resize(560, 600);
}

Update_XL_Column::~Update_XL_Column()
{
    if (UP_Col_inst == this)
        UP_Col_inst = nullptr;
}

Update_XL_Column *Update_XL_Column::defaultInstance() { return UP_Col_inst; }

Update_XL_Column::ModalRunner Update_XL_Column::setModalRunner(ModalRunner runner)
{
    return std::exchange(g_runner, std::move(runner));
}

int Update_XL_Column::Open_Wnd()
{
    loading = true;
    Pass_proj_name->setText(m_mode.Project_Name_Val);
    Pass_proj_path->setText(m_mode.Project_Path_Val);
    Pass_excel_file->setText(m_mode.Project_Excel_Val);
    Reset_All_Combo_Box();
    table_col_name_arr = m_window.groupData().columnTitles().mid(1);
    for (QComboBox *combo : combos)
        Add_Name_Items(combo, table_col_name_arr);
    Set_Checkbox_State();
    Create_Dynamic_Control();
    loading = false;
    setResult(0);
    if (g_runner)
        return runShownModal(*this, g_runner);
    return platform::ui().runModal(objectName(), windowTitle(), [this] { return exec(); });
}

void Update_XL_Column::Reset_All_Combo_Box()
{
    const QString *captions[kTextFields] = {&Title_Name,    &Title_Title, &Title_Company_name, &Title_slogan,
                                            &Title_address, &Title_phone, &Title_fax,          &Title_email,
                                            &Title_website, &Title_unique};
    for (int f = 0; f < kBindings; ++f) {
        labels[size_t(f)]->setEnabled(true);
        combos[size_t(f)]->setEnabled(true);
        combos[size_t(f)]->clear();
        combos[size_t(f)]->addItem(QStringLiteral("None"));
        if (f < kTextFields) {
            value_chk[size_t(f)]->setEnabled(true);
            labels[size_t(f)]->setText(*captions[f]);
        }
    }
    table_col_name_arr.clear();
}

void Update_XL_Column::Set_Checkbox_State()
{
    const int side = Card_Front_Or_Back == 1 ? 1 : 0;
    setWindowTitle(side == 1 ? QStringLiteral("Back Side Update Excel Column") : QStringLiteral("Front Side Update Excel Column"));
    GroupData &data = m_window.groupData();
    for (QCheckBox *check : value_chk)
        check->setChecked(false);
    for (int f = 0; f < kBindings; ++f) {
        const int b = data.binding(f);
        combos[size_t(f)]->setCurrentIndex(b < combos[size_t(f)]->count() ? std::max(b, 0) : 0);
    }
    const auto disable = [this](int f) {
        labels[size_t(f)]->setEnabled(false);
        combos[size_t(f)]->setEnabled(false);
        if (f < kTextFields)
            value_chk[size_t(f)]->setEnabled(false);
    };
    SKTGraphicView *other = m_window.canvasOfSide(1 - side);
    for (const SKTGraphicPtr &g : m_window.document().graphicsOfSide(side)) {
        if (!g || !g->ctrl_is_visible || Trim_Str(g->control_ID).isEmpty()
            || (g->kind() != SKTGraphicKind::Text && g->kind() != SKTGraphicKind::Image))
            continue;
        const QString id = g->control_ID;
        for (int f = 0; f < kTextFields; ++f) {
            if (id != QLatin1String(Group_Field_Ids[size_t(f)]))
                continue;
            value_chk[size_t(f)]->setChecked(true);
            if (g->ctrl_is_locked)
                disable(f);
        }
        if (id == QLatin1String("Fup_Photo")) {
            if (g->ctrl_is_locked)
                disable(side == 1 ? kBackPhoto : kFrontPhoto);
            const SKTGraphic *otherPhoto = other ? other->Selcect_Ctrl_With_ID(id) : nullptr;
            if (otherPhoto && otherPhoto->ctrl_is_locked)
                disable(side == 1 ? kFrontPhoto : kBackPhoto);
        }
    }
}

void Update_XL_Column::Reset_Dynamic_Control()
{
    counter = 1;
    for (const CustomRow &row : view_array_value) {
        delete row.text;
        delete row.check;
        delete row.combo;
    }
    view_array_value.clear();
    New_Ctrl_Box->hide();
}

void Update_XL_Column::Create_Dynamic_Control()
{
    Reset_Dynamic_Control();
    const int side = Card_Front_Or_Back == 1 ? 1 : 0;
    SKTGraphicView *canvas = m_window.canvasOfSide(side);
    for (const DynamicControlRow &entry : m_window.dynamicControlList(side)) {
        if (entry.size() < 5 || !customId(entry[0]))
            continue;
        const SKTGraphic *control = canvas ? canvas->Selcect_Ctrl_With_ID(entry[0]) : nullptr;
        // A field whose control is not on the side has no lock to honour.
        Enable_Cust_Ctrl = !(control && control->ctrl_is_locked);
        Add_Value_control(entry[0], entry[0], entry[2] == QLatin1String("Y"), entry[3].toInt());
    }
}

void Update_XL_Column::Add_Value_control(const QString &id, const QString &text, bool visible, int column)
{
    const int row = int(view_array_value.size());
    auto *edit = new QLineEdit(id.isEmpty() ? QStringLiteral("F_field%1").arg(counter) : text, New_Ctrl_Box);
    edit->setReadOnly(true);
    auto *check = new QCheckBox(New_Ctrl_Box);
    check->setChecked(visible);
    check->setToolTip(tr("Show the field on this side"));
    auto *combo = new QComboBox(New_Ctrl_Box);
    combo->addItem(QStringLiteral("None"));
    Add_Name_Items(combo, table_col_name_arr);
    combo->setCurrentIndex(column > 0 && column < combo->count() ? column : 0);
    for (QWidget *w : {static_cast<QWidget *>(edit), static_cast<QWidget *>(check), static_cast<QWidget *>(combo)})
        w->setEnabled(Enable_Cust_Ctrl);
    connect(combo, &QComboBox::currentIndexChanged, this, [this, combo] { comboChanged(combo); });
    m_customGrid->addWidget(check, row, 0);
    m_customGrid->addWidget(edit, row, 1);
    m_customGrid->addWidget(combo, row, 2);
    view_array_value.push_back({edit, check, combo});
    ++counter;
    New_Ctrl_Box->show();
}

QWidget *Update_XL_Column::Get_Dynamic_Ctrl(const QString &id, const QString &kind) const
{
    if (!customId(id))
        return nullptr;
    for (const CustomRow &row : view_array_value) {
        if (row.text->text() != id)
            continue;
        if (kind == QLatin1String("T"))
            return row.text;
        return kind == QLatin1String("C") ? row.check : nullptr;
    }
    return nullptr;
}

void Update_XL_Column::comboChanged(QComboBox *combo)
{
    if (loading || combo->currentIndex() <= 0)
        return;
    for (int f = 0; f < kTextFields; ++f)
        if (combos[size_t(f)] == combo)
            return value_chk[size_t(f)]->setChecked(true);
    for (const CustomRow &row : view_array_value)
        if (row.combo == combo)
            return row.check->setChecked(true);
}

ColumnRemap Update_XL_Column::choice() const
{
    ColumnRemap remap;
    for (int f = 0; f < kBindings; ++f)
        remap.combos[size_t(f)] = combos[size_t(f)]->currentIndex();
    remap.nameText = combos[0]->currentText();
    for (const CustomRow &row : view_array_value)
        remap.custom.push_back({row.text->text(), row.combo->currentIndex(), row.check->isChecked()});
    return remap;
}

std::array<bool, kTextFields> Update_XL_Column::fieldShown() const
{
    std::array<bool, kTextFields> shown{};
    for (int f = 0; f < kTextFields; ++f)
        shown[size_t(f)] = value_chk[size_t(f)]->isChecked();
    return shown;
}

void Update_XL_Column::OKPressed()
{
    bool nameChanged = false;
    const QString refusal = Apply_Column_Remap(choice(), m_window.groupData(),
                                               m_window.dynamicControlList(Card_Front_Or_Back == 1 ? 1 : 0), &nameChanged);
    if (!refusal.isEmpty())
        return Show_MessageBox(refusal);
    // The list mirrors the table by the name column: only a new name column changes it.
    m_mode.Create_Group_List_By_Excel_List();
    done(1);
}

void Update_XL_Column::CancelPressed() { done(0); }
