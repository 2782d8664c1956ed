#pragma once
// The side profile dialog, opened by the main window's profile button for the side on show: the
// ten text fields and the photo, pre-filled from the profile-field controls already on that side,
// with a caption and a value check box per text field. OK writes the profile of that side only.

#include "visitor/ProfileDialogBase.h"

class QLineEdit;
class SKTGraphic;

class Show_User_Profile : public ProfileDialogBase {
    Q_OBJECT
public:
    explicit Show_User_Profile(ProfileHost &host, QWidget *parent = nullptr);
    ~Show_User_Profile() override;
    static Show_User_Profile *defaultInstance();

    // Backups of the spreadsheet table taken when a workbook replaces one that had rows.
    // The layout template: where profile fields land on a landscape (horz) or portrait (vert) card
    // of the default size. One placeholder per field, "name_default" … "photo_default" and the
    // same names ending in "_V"; frames in card points, origin at the card's top-left corner.
    QWidget *horz_template, *vert_template;

    QString Excel_Path_BKUP;
    QList<ExcelColumn> table_Col_BKUP;
    Data_From_Excel::RowStore log_list_data_BKUP;

    // Resets, pre-fills from the side's controls (when `prefill`) and runs modally: 1 OK, 0 Cancel.
    int Open_Wnd(bool prefill);
    void Enable_All_Ctrl();
    void Reset_all_Ctrl();
    bool fill(Target target) override;
    void OK_Btn_Clicked() override;
    void Cancel_Btn_Clicked() override;
    void Reset_Btn_Clicked() override;
    void reject() override { Cancel_Btn_Clicked(); }

    // The caption or value box of a text field's card id ("Fup_Name", "Fup_lbl_Name" …).
    QLineEdit *Get_text_box_of_ID(const QString &id) const;
    // After a re-browse, a field whose card control is locked can take neither typing nor a photo.
    void Check_On_Again_Browse_Excel_Lock_Control(const QString &id);
    // The check box actions: the box's text field follows it.
    void Label_Chk_Clicked(ProfileFieldRow &row);
    void Value_Chk_Clicked(ProfileFieldRow &row);
    // Typing into a caption or value box ticks its check box.
    void controlTextDidChange(QLineEdit *box);

protected:
    void sourceBecameTyped(ProfileFieldRow &row) override;
    void seriesOrColumnChosen(ProfileFieldRow &row) override;
    bool browseStarting() override;
    void browseCancelled() override;
    void browseLoaded(const QString &path, bool rows) override;

private:
    void prefillFrom(const SKTGraphic &control);
    SKTGraphic *sideControl(const QString &id) const;
    void selectSource(ProfileFieldRow &row, int source);
    bool m_reBrowsing = false;
};

class User_profile;

// The profile button's and the wizards' way in: with a load side, the side profile dialog for it
// (pre-filled from the card); otherwise the wizard profile dialog, for the front alone when the
// card has one side ("1"), keeping its last entries when `keep`. Answers 1 after OK, 0 after Cancel;
// the caller then marks the profiles as filled and lays them on the card.
int Open_User_Profile_Window(Show_User_Profile &side, User_profile &wizard, bool keep, const QString &load_side,
                             const QString &total_side);
