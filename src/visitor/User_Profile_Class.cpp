#include "visitor/User_Profile_Class.h"

namespace {
const char *const Suffixes[11] = {"Name",    "Title", "Company", "CompanySlogan", "Address", "PhoneNO",
                                  "FaxNo",   "EmailID", "Website", "UniqueNo",    "Photo"};
}  // namespace

QString Profile_Value_Id(int slot)
{
    return QStringLiteral("Fup_") + QLatin1String(Suffixes[slot]);
}

QString Profile_Caption_Id(int slot)
{
    return QStringLiteral("Fup_lbl_") + QLatin1String(Suffixes[slot]);
}

std::array<ProfileSlot, 11> User_Profile_Class::Profile_Slots()
{
#define SLOT_REF(stem) \
    ProfileSlot{stem, stem##_label, stem##_id, stem##_label_id, stem##_ds_name, stem##_ds, stem##_ds_indx, stem##_xl, stem##_xl_col_indx},
    return {USER_PROFILE_SLOTS(SLOT_REF)};
#undef SLOT_REF
}

void New_Project_Profile_Reset(std::initializer_list<User_Profile_Class *> profiles)
{
    for (User_Profile_Class *p : profiles) {
        p->Reset_All_Values();
        for (ProfileSlot s : p->Profile_Slots())
            s.label.clear();
    }
}

void User_Profile_Class::Reset_All_Values()
{
    int i = 0;
    for (ProfileSlot s : Profile_Slots()) {
        s.id = Profile_Value_Id(i);
        s.label_id = Profile_Caption_Id(i++);
    }
    Fill_User_Profile_Enable = false;
    Excel_Binding = false;
    image_USE = false;
#define RESET_SLOT(stem)        \
    stem.clear();               \
    stem##_ds = false;          \
    stem##_ds_name.clear();     \
    stem##_xl = false;          \
    stem##_ds_indx = 0;         \
    stem##_xl_col_indx = 0;
    USER_PROFILE_SLOTS(RESET_SLOT)
#undef RESET_SLOT
}
