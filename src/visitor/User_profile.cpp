#include "visitor/User_profile.h"

#include "visitor/ProfileHost.h"
#include "visitor/User_Profile_Class.h"

#include "core/Utilities.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
User_profile *instance = nullptr;
}

User_profile::User_profile(ProfileHost &host, QWidget *parent) : ProfileDialogBase(host, false, parent)
{
    setObjectName(QStringLiteral("User_profile"));
    select_side_label = new QLabel(tr("Side"), this);
    select_side_label->setObjectName(QStringLiteral("select_side_label"));
    fieldGrid()->addWidget(select_side_label, 11, 6);
    instance = this;
    Reset_all_Ctrl();
}

User_profile::~User_profile()
{
    if (instance == this)
        instance = nullptr;
}

User_profile *User_profile::defaultInstance() { return instance; }

int User_profile::Open_Wnd(bool keep)
{
    setWindowTitle(QStringLiteral("User Profile Information"));
    if (!keep) {
        Reset_all_Ctrl();
    } else if (tableRows() < 1) {
        Remove_Excel_in_Data_Source_Combo();
        view_excel_btn->setEnabled(false);
        excel_path_field->setEnabled(true);
        excel_browse_btn->setEnabled(true);
    } else if (rows[0].ds_combo->count() == 2) {
        Add_Excel_in_Data_Source_Combo();
        view_excel_btn->setEnabled(true);
    }
    const bool single = load_side == QLatin1String("F");
    select_side_label->setVisible(!single);
    for (ProfileFieldRow &r : rows) {
        r.side_combo->setVisible(!single);
        if (single)
            r.side_combo->setCurrentIndex(0);
    }
    rows[0].value->setFocus();
    return Run_Profile_Window(*this);
}

void User_profile::Reset_all_Ctrl()
{
    if (tableRows() < 1) {
        excel_path_field->clear();
        Remove_Excel_in_Data_Source_Combo();
        view_excel_btn->setEnabled(false);
        excel_path_field->setEnabled(true);
        excel_browse_btn->setEnabled(true);
    } else {
        Add_Excel_in_Data_Source_Combo();
        view_excel_btn->setEnabled(true);
    }
    Set_User_Image(m_host.NO_Image_Path());
    invalid_source_label->hide();
    for (ProfileFieldRow &r : rows) {
        if (!r.isPhoto()) {
            r.label->setText(*r.caption);
            r.value->clear();
        }
    }
    for (ProfileFieldRow &r : rows) {
        if (r.ds_combo->currentIndex() == 0)
            comboBoxSelectionDidChange(r.ds_combo);  // a selection that does not move still runs the handling
        else
            r.ds_combo->setCurrentIndex(0);
        r.ser_col_cb->setCurrentIndex(-1);
        r.side_combo->setCurrentIndex(2);
    }
}

void User_profile::excelItemAdded()
{
    // Fields already on "Excel" take the columns of the table as it is now, with none chosen.
    for (ProfileFieldRow &r : rows) {
        if (r.ds_combo->count() == 3 && r.ds_combo->currentIndex() == 2) {
            r.ds_combo->setCurrentIndex(0);
            r.ds_combo->setCurrentIndex(2);
        }
    }
}

bool User_profile::fill(Target target)
{
    if (!validateWithMessage())
        return false;
    User_Profile_Class &profile = profileOf(target);
    if (target != TempTarget) {
        const ProfileFieldRow &photo = rows[10];
        if (photo.ds_combo->currentIndex() == 0 && !QFileInfo(photoPath()).isFile()) {
            Show_MessageBox(QStringLiteral("Please select valid image file."));
            return false;
        }
        writeExcelFlags(profile);
    }
    for (int i = 0; i < 11; ++i) {
        const int side = rows[size_t(i)].side_combo->currentIndex();
        const bool passes = target == TempTarget || side == 2 || side == (target == FrontTarget ? 0 : 1);
        if (!passes)
            continue;
        writeSlot(profile, i);
        if (i == 10 && target != TempTarget)
            profile.image_USE = true;
    }
    return true;
}

void User_profile::OK_Btn_Clicked()
{
    if (!Fill_Front_User_profile_value_in_Variable())
        return;
    if ((load_side.isEmpty() || load_side == QLatin1String("B")) && !Fill_Back_User_profile_value_in_Variable())
        return;
    done(1);
}

void User_profile::Cancel_Btn_Clicked()
{
    User_Profile_Class &front = m_host.Front_user_profile();
    const bool rowsLoaded = tableRows() > 0;
    front.Excel_Binding = rowsLoaded;
    if (rowsLoaded)
        m_host.Set_Excel_Source_Path(excel_path_field->text());
    m_host.Set_Excel_Binding_Use(rowsLoaded);
    done(0);
}

void User_profile::Reset_Btn_Clicked()
{
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want to reset user profile?")) == 1)
        Reset_all_Ctrl();
}
