#include "visitor/User_Profile_Class.h"

namespace {
QString valueId(const char *suffix)
{
    return QStringLiteral("Fup_") + QLatin1String(suffix);
}
QString captionId(const char *suffix)
{
    return QStringLiteral("Fup_lbl_") + QLatin1String(suffix);
}
}  // namespace

void User_Profile_Class::Reset_All_Values()
{
    struct Slot {
        QString *id;
        QString *label_id;
        const char *suffix;
    };
    const Slot table[] = {
        {&Name_id, &Name_label_id, "Name"},
        {&Title_id, &Title_label_id, "Title"},
        {&Company_name_id, &Company_name_label_id, "Company"},
        {&slogan_id, &slogan_label_id, "CompanySlogan"},
        {&address_id, &address_label_id, "Address"},
        {&phone_id, &phone_label_id, "PhoneNO"},
        {&fax_id, &fax_label_id, "FaxNo"},
        {&email_id, &email_label_id, "EmailID"},
        {&website_id, &website_label_id, "Website"},
        {&unique_id, &unique_label_id, "UniqueNo"},
        {&image_id, &image_label_id, "Photo"},
    };
    for (const Slot &s : table) {
        *s.id = valueId(s.suffix);
        *s.label_id = captionId(s.suffix);
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
