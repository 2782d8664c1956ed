#include "visitor/Show_User_Profile.h"

#include "visitor/ProfileHost.h"
#include "visitor/User_Profile_Class.h"
#include "visitor/User_profile.h"

#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "core/SKTDocument.h"
#include "core/Utilities.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
Show_User_Profile *instance = nullptr;

bool isTextOrImage(const SKTGraphic &g)
{
    return g.kind() == SKTGraphicKind::Text || g.kind() == SKTGraphicKind::Image;
}
}  // namespace

Show_User_Profile::Show_User_Profile(ProfileHost &host, QWidget *parent) : ProfileDialogBase(host, true, parent)
{
    setObjectName(QStringLiteral("Show_User_Profile"));
    for (ProfileFieldRow &r : rows) {
        if (r.isPhoto())
            continue;
        connect(r.label_chk, &QCheckBox::clicked, this, [this, &r] { Label_Chk_Clicked(r); });
        connect(r.value_chk, &QCheckBox::clicked, this, [this, &r] { Value_Chk_Clicked(r); });
        connect(r.label, &QLineEdit::textEdited, this, [this, &r] { controlTextDidChange(r.label); });
        connect(r.value, &QLineEdit::textEdited, this, [this, &r] { controlTextDidChange(r.value); });
    }
    // Landscape: the photo on the left, the fields stacked beside it; portrait: the photo on top.
    horz_template = new QWidget(this);
    vert_template = new QWidget(this);
    horz_template->setObjectName(QStringLiteral("horz_template"));
    vert_template->setObjectName(QStringLiteral("vert_template"));
    horz_template->setGeometry(0, 0, 243, 154);
    vert_template->setGeometry(0, 0, 154, 243);
    for (int i = 0; i < 11; ++i) {
        const QString stem = i < 10 ? rows[size_t(i)].stem : QStringLiteral("photo");
        auto *h = new QWidget(horz_template);
        auto *v = new QWidget(vert_template);
        h->setObjectName(stem + QStringLiteral("_default"));
        v->setObjectName(stem + QStringLiteral("_default_V"));
        // Each placeholder is laid so that the card rectangle it yields (its top moved down by its
        // height less 20, see Template_Control_Rect) is where the field belongs on the card.
        auto lay = [](QWidget *holder, const QRect &onCard) {
            holder->setGeometry(onCard.translated(0, 20 - onCard.height()));
        };
        lay(h, i < 10 ? QRect(80, 14 + 13 * i, 150, 20) : QRect(10, 30, 60, 75));
        lay(v, i < 10 ? QRect(10, 96 + 14 * i, 134, 20) : QRect(47, 10, 60, 75));
    }
    horz_template->hide();
    vert_template->hide();
    instance = this;
    Reset_all_Ctrl();
}

Show_User_Profile::~Show_User_Profile()
{
    if (instance == this)
        instance = nullptr;
}

Show_User_Profile *Show_User_Profile::defaultInstance() { return instance; }

void Show_User_Profile::selectSource(ProfileFieldRow &r, int source)
{
    if (r.ds_combo->currentIndex() == source)
        comboBoxSelectionDidChange(r.ds_combo);
    else
        r.ds_combo->setCurrentIndex(source);
}

int Show_User_Profile::Open_Wnd(bool prefill)
{
    Browse_Excel_AGAIN = false;
    m_reBrowsing = false;
    Reset_all_Ctrl();
    if (!prefill) {
        setWindowTitle(QStringLiteral("User Profile Information"));
        return Run_Profile_Window(*this);
    }
    excel_path_field->setText(m_host.Excel_Source_Path());
    if (tableRows() < 1) {
        Remove_Excel_in_Data_Source_Combo();
        excel_path_field->setEnabled(true);
        view_excel_btn->setEnabled(false);
    } else {
        Add_Excel_in_Data_Source_Combo();
        view_excel_btn->setEnabled(true);
    }
    excel_browse_btn->setEnabled(true);
    const bool back = Card_Front_Or_Back != 0;
    setWindowTitle(back ? QStringLiteral("Back Side User Profile Information")
                        : QStringLiteral("Front Side User Profile Information"));
    if (SKTDocument *doc = m_host.document())
        for (const SKTGraphicPtr &g : back ? doc->graphics_back() : doc->graphics())
            if (isTextOrImage(*g) && g->ctrl_is_visible && !Trim_Str(g->control_ID).isEmpty())
                prefillFrom(*g);
    rows[0].value->setFocus();
    return Run_Profile_Window(*this);
}

void Show_User_Profile::prefillFrom(const SKTGraphic &g)
{
    const QString id = Trim_Str(g.control_ID);
    for (ProfileFieldRow &r : rows) {
        if (r.valueId != id)
            continue;
        if (r.isPhoto()) {
            selectSource(r, g.data_source_type);
            Set_User_Image(g._file_path);
        } else {
            r.value->setText(g.Text_Value);
            r.value_chk->setChecked(true);
            r.value->setEnabled(true);
            selectSource(r, g.data_source_type);
        }
        int index = -1;
        if (g.data_source_type == 1) {
            const QStringList names = Get_datasheet_File_Name_Array();
            for (int i = 0; i < names.size() && index < 0; ++i)
                if (names.at(i).compare(g.batch_list_name, Qt::CaseInsensitive) == 0)
                    index = i;
        } else if (g.data_source_type == 2) {
            index = g.excel_col_indx;
        }
        if (g.data_source_type != 0) {
            if (index != -1 && index < r.ser_col_cb->count()) {
                r.ser_col_cb->setCurrentIndex(index);
            } else if (g.ctrl_is_locked) {
                // A locked control cannot be re-bound here, so a source it can no longer reach would
                // keep OK failing for good: the field falls back to what the card shows.
                selectSource(r, 0);
                if (index != -1)
                    Show_MessageBox(QStringLiteral("The column of '%1' is no longer in the spreadsheet; the field keeps "
                                                   "its value as typed.")
                                        .arg(Replace_char_in_string(Trim_Str(*r.caption), QStringLiteral(" :"), {})));
            }
        }
        if (g.ctrl_is_locked) {
            for (QWidget *w : {static_cast<QWidget *>(r.ds_combo), static_cast<QWidget *>(r.ser_col_cb),
                               static_cast<QWidget *>(r.view_btn)})
                w->setEnabled(false);
            if (r.isPhoto())
                photo_box->setEnabled(false);
            else
                r.value_chk->setEnabled(false), r.value->setEnabled(false);
        }
        return;
    }
    for (ProfileFieldRow &r : rows) {
        if (r.isPhoto() || r.captionId != id)
            continue;
        r.label->setText(g.Text_Value);
        r.label_chk->setChecked(true);
        r.label->setEnabled(!g.ctrl_is_locked);
        r.label_chk->setEnabled(!g.ctrl_is_locked);
        return;
    }
}

void Show_User_Profile::Enable_All_Ctrl()
{
    for (ProfileFieldRow &r : rows) {
        r.ds_combo->setEnabled(true);
        if (r.isPhoto())
            continue;
        for (QWidget *w : {static_cast<QWidget *>(r.label_chk), static_cast<QWidget *>(r.label),
                           static_cast<QWidget *>(r.value_chk), static_cast<QWidget *>(r.value)})
            w->setEnabled(true);
    }
    photo_box->setEnabled(true);
    rows[10].ser_col_cb->setEnabled(false);
    rows[10].view_btn->setEnabled(false);
}

void Show_User_Profile::Reset_all_Ctrl()
{
    Enable_All_Ctrl();
    for (ProfileFieldRow &r : rows)
        if (!r.isPhoto())
            r.label->setText(*r.caption);
    Set_User_Image(QString());
    invalid_source_label->hide();
    for (ProfileFieldRow &r : rows)
        selectSource(r, 0);
    for (ProfileFieldRow &r : rows) {
        r.ser_col_cb->setCurrentIndex(-1);
        if (r.isPhoto())
            continue;
        r.label_chk->setChecked(false);
        r.value_chk->setChecked(false);
        r.value->setEnabled(true);
        r.value->setReadOnly(false);
        r.value->clear();
    }
}

bool Show_User_Profile::fill(Target target)
{
    if (!validateWithMessage())
        return false;
    User_Profile_Class &profile = profileOf(target);
    if (target != TempTarget)
        writeExcelFlags(profile);
    for (int i = 0; i < 11; ++i)
        writeSlot(profile, i);
    if (target != TempTarget)
        profile.image_USE = true;
    auto fields = profile.Profile_Slots();
    for (int i = 0; i < 10; ++i) {
        const ProfileFieldRow &r = rows[size_t(i)];
        if (!r.value_chk->isChecked())
            fields[size_t(i)].value.clear();
        fields[size_t(i)].label = r.label_chk->isChecked() ? r.label->text() : QString();
    }
    return true;
}

void Show_User_Profile::OK_Btn_Clicked()
{
    // The dialog edits one side: only that side's profile takes its values.
    const bool ok = load_side == QLatin1String("B") ? Fill_Back_User_profile_value_in_Variable()
                                                    : Fill_Front_User_profile_value_in_Variable();
    if (ok)
        done(1);
}

void Show_User_Profile::Cancel_Btn_Clicked()
{
    Data_From_Excel &table = m_host.Excel_Table();
    if (Browse_Excel_AGAIN) {
        // The workbook loaded in this opening goes; the one the design had comes back whole.
        excel_path_field->setText(Excel_Path_BKUP);
        m_host.Set_Excel_Source_Path(Excel_Path_BKUP);
        if (!table_Col_BKUP.isEmpty())
            table.ColList = table_Col_BKUP;
        table.Set_Row_Store(log_list_data_BKUP);
        table.reload();
    }
    Browse_Excel_AGAIN = false;
    User_Profile_Class &front = m_host.Front_user_profile();
    const bool rowsLoaded = tableRows() > 0;
    front.Excel_Binding = rowsLoaded;
    if (rowsLoaded)
        m_host.Set_Excel_Source_Path(excel_path_field->text());
    m_host.Set_Excel_Binding_Use(rowsLoaded);
    Reset_all_Ctrl();
    done(0);
}

void Show_User_Profile::Reset_Btn_Clicked() { Reset_all_Ctrl(); }

QLineEdit *Show_User_Profile::Get_text_box_of_ID(const QString &id) const
{
    if (!id.contains(QLatin1String("Fup_")))
        return nullptr;
    for (const ProfileFieldRow &r : rows) {
        if (r.isPhoto())
            continue;
        if (r.valueId == id)
            return r.value;
        if (r.captionId == id)
            return r.label;
    }
    return nullptr;
}

SKTGraphic *Show_User_Profile::sideControl(const QString &id) const
{
    SKTDocument *doc = m_host.document();
    const bool front = load_side == QLatin1String("F");
    if (!doc || id.isEmpty() || (!front && load_side != QLatin1String("B")))
        return nullptr;
    for (const SKTGraphicPtr &g : front ? doc->graphics() : doc->graphics_back())
        if (isTextOrImage(*g) && g->control_ID == id)
            return g.get();
    return nullptr;
}

void Show_User_Profile::Check_On_Again_Browse_Excel_Lock_Control(const QString &id)
{
    if (!Browse_Excel_AGAIN)
        return;
    SKTGraphic *g = sideControl(id);
    if (!g || !g->ctrl_is_locked)
        return;
    if (g->kind() == SKTGraphicKind::Image) {
        photo_box->setEnabled(false);
    } else if (QLineEdit *box = Get_text_box_of_ID(id)) {
        box->setEnabled(false);
        box->setReadOnly(true);
    }
}

void Show_User_Profile::Label_Chk_Clicked(ProfileFieldRow &r)
{
    const bool on = r.label_chk->isChecked();
    r.label->setReadOnly(!on);
    r.label->setEnabled(on);
}

void Show_User_Profile::Value_Chk_Clicked(ProfileFieldRow &r)
{
    const bool on = r.value_chk->isChecked();
    r.value->setEnabled(on);
    r.value->setReadOnly(!on || r.ds_combo->currentIndex() != 0);
}

void Show_User_Profile::controlTextDidChange(QLineEdit *box)
{
    for (ProfileFieldRow &r : rows) {
        if (r.isPhoto())
            continue;
        if (r.label == box)
            return r.label_chk->setChecked(true);
        if (r.value == box)
            return r.value_chk->setChecked(true);
    }
}

void Show_User_Profile::sourceBecameTyped(ProfileFieldRow &r) { Check_On_Again_Browse_Excel_Lock_Control(r.valueId); }

void Show_User_Profile::seriesOrColumnChosen(ProfileFieldRow &r)
{
    r.value->setEnabled(true);
    r.value_chk->setChecked(true);
}

bool Show_User_Profile::browseStarting()
{
    m_reBrowsing = false;
    if (tableRows() < 1)
        return true;
    if (Show_YES_NO_MessageBox(QStringLiteral("You have already used the Excel file data with your Card.\r\nAre you sure "
                                              "you want to select excel file again and use new excel data with your card?")) != 1)
        return false;
    // A second re-browse in one opening keeps the first backup: Cancel goes back to the design's sheet.
    if (!Browse_Excel_AGAIN) {
        Data_From_Excel &table = m_host.Excel_Table();
        Excel_Path_BKUP = excel_path_field->text();
        table_Col_BKUP = table.ColList;
        log_list_data_BKUP = table.Row_Store();
    }
    m_reBrowsing = true;
    return true;
}

void Show_User_Profile::browseCancelled() { excel_path_field->setText(m_host.Excel_Source_Path()); }

void Show_User_Profile::browseLoaded(const QString &path, bool rowsLoaded)
{
    m_host.Set_Excel_Source_Path(path);
    if (m_reBrowsing)
        Browse_Excel_AGAIN = true;
    if (!rowsLoaded)
        return;
    excel_browse_btn->setEnabled(true);
    if (!Browse_Excel_AGAIN)
        return;
    for (ProfileFieldRow &r : rows) {
        if (r.ds_combo->currentIndex() == 2) {
            r.ds_combo->setCurrentIndex(0);
            r.ser_col_cb->setCurrentIndex(-1);
        }
    }
}

int Open_User_Profile_Window(Show_User_Profile &side, User_profile &wizard, bool keep, const QString &load_side,
                             const QString &total_side)
{
    if (!Trim_Str(load_side).isEmpty()) {
        side.load_side = Trim_Str(load_side);
        return side.Open_Wnd(true);
    }
    wizard.load_side = total_side == QLatin1String("1") ? QStringLiteral("F") : QString();
    return wizard.Open_Wnd(keep);
}
