#pragma once
// What the two profile dialogs share: the eleven field rows (caption, value, source list,
// series-or-column list, view button; the photo row with its picture and buttons), the source
// handling of each row, the spreadsheet browse and the photo box. The wizard profile dialog
// (User_profile) and the side profile dialog (Show_User_Profile) add their opening, check boxes,
// side lists and fills.

#include <QDialog>
#include <QList>
#include <QStringList>
#include <array>
#include <functional>

#include "data/spreadsheet/Data_From_Excel.h"

class ProfileHost;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class User_Profile_Class;

// The profile dialogs run modally through one runner, which tests replace with one that clicks.
using ProfileModalRunner = std::function<int(QDialog &)>;
ProfileModalRunner Set_Profile_Modal_Runner(ProfileModalRunner runner);
int Run_Profile_Window(QDialog &window);

// Set once a workbook has replaced one whose table had rows while the side profile dialog is open.
extern bool Browse_Excel_AGAIN;

// One field of the dialogs, in the order every operation visits them.
struct ProfileFieldRow {
    QString stem;       // "name" … "unique", "image"
    QString valueId;    // "Fup_Name" …
    QString captionId;  // "Fup_lbl_Name" …; empty for the photo
    const QString *caption = nullptr;  // the caption in force (Title_Name …)
    QLineEdit *label = nullptr, *value = nullptr;  // none for the photo
    QCheckBox *label_chk = nullptr, *value_chk = nullptr;  // side profile dialog only
    QComboBox *ds_combo = nullptr, *ser_col_cb = nullptr;
    QComboBox *side_combo = nullptr;  // wizard profile dialog only
    QPushButton *view_btn = nullptr;
    bool isPhoto() const { return value == nullptr; }
};

class ProfileDialogBase : public QDialog {
    Q_OBJECT
public:
    // Which profile a fill writes.
    enum Target { FrontTarget, BackTarget, TempTarget };

    ProfileDialogBase(ProfileHost &host, bool sideDialog, QWidget *parent = nullptr);

    QString load_side;
    QString checked_field_name;
    std::array<ProfileFieldRow, 11> rows;
    QLineEdit *excel_path_field, *image_path_val;
    QLabel *user_picture, *invalid_source_label;
    QPushButton *excel_browse_btn, *view_excel_btn, *batch_series_btn, *camera_btn, *browse_pic_btn, *clear_pic_btn;
    QGroupBox *photo_box;

    // Photo box: the trimmed path, its picture when it names a file, else the invalid-source notice.
    // The placeholder picture shows with an empty path box: it is no file of the user's.
    void Set_User_Image(const QString &path);
    // The photo's file as chosen or found on the card (the placeholder's path included), which
    // the photo check and the write-back take; the box shows it only when it is the user's.
    const QString &photoPath() const { return m_photoPath; }
    void Add_Excel_in_Data_Source_Combo();
    void Remove_Excel_in_Data_Source_Combo();
    // False, naming the first field whose series or column source has nothing chosen.
    bool Check_Validation();

    bool Fill_Front_User_profile_value_in_Variable() { return fill(FrontTarget); }
    bool Fill_Back_User_profile_value_in_Variable() { return fill(BackTarget); }
    bool Fill_TEMP_User_profile_value_in_Variable() { return fill(TempTarget); }

    // The source change of a row's source list, or a choice in its series-or-column list.
    void comboBoxSelectionDidChange(QComboBox *combo);
    void View_Data_Series_By_Name(QComboBox *list, QComboBox *source);
    void View_Excel_Btn_Clicked();
    void Browse_excel_Btn_Clicked();
    void Batch_Series_Btn_Clicked();
    void Camera_Btn_Clicked();
    void Browse_image_Btn_Clicked();
    void Clear_image_Btn_Clicked();
    void Preview_Btn_Clicked();
    void Help_Btn_Clicked();
    virtual void OK_Btn_Clicked() = 0;
    virtual void Cancel_Btn_Clicked() = 0;
    virtual void Reset_Btn_Clicked() = 0;
    virtual bool fill(Target target) = 0;

protected:
    // The validation message, then false; true when every row passes.
    bool validateWithMessage();
    // Front and back fills: the profile's fill and spreadsheet flags, and the window's binding state.
    void writeExcelFlags(User_Profile_Class &profile);
    // Writes row i's value and source into the profile's slot (an unknown source leaves it).
    void writeSlot(User_Profile_Class &profile, int i);
    User_Profile_Class &profileOf(Target target);
    // Fills the source list's series-or-column list for its current source, nothing chosen.
    void fillSeriesOrColumns(ProfileFieldRow &row);
    int tableRows() const;
    QGridLayout *fieldGrid() const { return m_grid; }

    // Hooks of the side profile dialog.
    virtual void sourceBecameTyped(ProfileFieldRow &) {}
    virtual void seriesOrColumnChosen(ProfileFieldRow &) {}
    // Before the open panel: false stops the browse.
    virtual bool browseStarting() { return true; }
    virtual void browseCancelled() {}
    // After a load: `rows` tells whether the table has rows now.
    virtual void browseLoaded(const QString &path, bool rows) { (void)path, (void)rows; }
    virtual void excelItemAdded() {}

    ProfileHost &m_host;
    const bool m_side;

private:
    void sourceChanged(ProfileFieldRow &row);
    void choiceChanged(ProfileFieldRow &row);
    // Shown, the dialog grows to what its rows now ask for, as it would opened again.
    void fitToRows();
    QGridLayout *m_grid;
    QString m_photoPath;
};
