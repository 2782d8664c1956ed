#pragma once
// The wizard profile dialog ("User Profile Information"), opened from the card and template
// wizards: each field gets a source and a side (front, back or both), and OK writes the front
// profile and, on a two-sided card, the back one.

#include "visitor/ProfileDialogBase.h"

class QLabel;

class User_profile : public ProfileDialogBase {
    Q_OBJECT
public:
    explicit User_profile(ProfileHost &host, QWidget *parent = nullptr);
    ~User_profile() override;
    static User_profile *defaultInstance();

    QLabel *select_side_label;

    // Runs the dialog modally: 1 after OK, 0 after Cancel. With `keep` the controls stay as the
    // user left them at the last opening.
    int Open_Wnd(bool keep);
    void Reset_all_Ctrl();
    bool fill(Target target) override;
    void OK_Btn_Clicked() override;
    void Cancel_Btn_Clicked() override;
    void Reset_Btn_Clicked() override;
    void reject() override { Cancel_Btn_Clicked(); }

protected:
    void excelItemAdded() override;
};
