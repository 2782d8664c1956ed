#pragma once
// The profile fields of one card side: for each of eleven slots (name … photo) the value, the
// caption, the ids of the value and caption controls on the card, and where the value comes
// from (typed, a series, or a spreadsheet column). A plain record: the profile dialogs write
// it, the main window lays it onto the card.

#include <QString>

#include <array>
#include <initializer_list>

// The fields of one slot, by reference, so that every writer can walk the slots in order.
struct ProfileSlot {
    QString &value;
    QString &label;
    QString &id;
    QString &label_id;
    QString &ds_name;
    bool &ds;
    int &ds_indx;
    bool &xl;
    int &xl_col_indx;
};

// One slot's fields, named stem + suffix: Name, Name_ds, Name_ds_indx, Name_xl, Name_xl_col_indx,
// Name_id, Name_label_id, Name_label, Name_ds_name.
#define USER_PROFILE_SLOT(stem)            \
    bool stem##_ds = false;                \
    int stem##_ds_indx = 0;                \
    bool stem##_xl = false;                \
    int stem##_xl_col_indx = 0;            \
    QString stem##_id;                     \
    QString stem##_label_id;               \
    QString stem##_label;                  \
    QString stem;                          \
    QString stem##_ds_name

#define USER_PROFILE_SLOTS(X) \
    X(Name) X(Title) X(Company_name) X(slogan) X(address) X(phone) X(fax) X(email) X(website) X(unique) X(image)

class User_Profile_Class {
public:
    bool Fill_User_Profile_Enable = false;
    bool Excel_Binding = false;
    bool image_USE = false;

    USER_PROFILE_SLOT(Name);
    USER_PROFILE_SLOT(Title);
    USER_PROFILE_SLOT(Company_name);
    USER_PROFILE_SLOT(slogan);
    USER_PROFILE_SLOT(address);
    USER_PROFILE_SLOT(phone);
    USER_PROFILE_SLOT(fax);
    USER_PROFILE_SLOT(email);
    USER_PROFILE_SLOT(website);
    USER_PROFILE_SLOT(unique);
    USER_PROFILE_SLOT(image);

    // Control ids back to their defaults ("Fup_Name", "Fup_lbl_Name" …), values, series and
    // spreadsheet sources cleared, flags off. The captions stay.
    void Reset_All_Values();

    // The eleven slots in order: Name, Title, Company_name, slogan, address, phone, fax, email,
    // website, unique, image.
    std::array<ProfileSlot, 11> Profile_Slots();
};

// The card ids of slot i's value and caption controls ("Fup_Name", "Fup_lbl_Name" …).
QString Profile_Value_Id(int slot);
QString Profile_Caption_Id(int slot);

// A new design starts from empty profiles: the captions of the old design go as well, so that a
// fill which writes no captions does not lay (or preview) the last project's ones.
void New_Project_Profile_Reset(std::initializer_list<User_Profile_Class *> profiles);

#undef USER_PROFILE_SLOT
