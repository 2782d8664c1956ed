#pragma once
// The profile panel of one card side in live mode: per profile field a caption and a value box,
// each with the check box that puts its control on the card, the date and time boxes, and the
// photo box with its file and camera buttons. Typing goes onto the card key by key. The two
// sides' panels are one design (`Front_Profile_Panel`, `Back_Profile_Panel`).

#include <QImage>
#include <QWidget>
#include <array>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class VisitorMode;

// The twelve text fields in panel order, with their card control ids.
struct ProfileField {
    const char *stem;     // outlet stem: name → name_label, name_label_chk, name_value, name_value_chk
    const char *valueId;  // "Fup_Name"
    const char *labelId;  // "Fup_lbl_Name"
};
inline constexpr int kProfileFields = 12, kDateField = 10, kTimeField = 11;
extern const std::array<ProfileField, kProfileFields> Profile_Fields;

// One custom row of a column: the card control's id, the row's view (a text box, or the picture
// of a photo row in the caption column) and its check box.
struct CustomRowEntry {
    QString id;
    QWidget *view = nullptr;
    QCheckBox *chk = nullptr;
};
// Custom rows are this far apart and start this far down their box.
inline constexpr float kCustomRowStep = 25.0f, kCustomRowTop = 5.0f;
// The least widths of the custom rows' two columns, and of a row's check box.
inline constexpr int kCustomLabelLeast = 100, kCustomFieldLeast = 110, kRowCheckWidth = 24;
// The most a fixed caption's column asks for, however long a caption of the set is.
inline constexpr int kCaptionMost = 160;

class Profile_Panel : public QWidget {
public:
    Profile_Panel(VisitorMode &mode, int side, QWidget *parent = nullptr);
    int side() const { return m_side; }

    std::array<QCheckBox *, kProfileFields> label_chk{}, value_chk{};
    std::array<QLineEdit *, kProfileFields> label{}, value{};
    QCheckBox *date_manual_chk = nullptr, *time_manual_chk = nullptr;
    QLabel *side_name_label = nullptr, *user_picture = nullptr;
    QPushButton *browse_pic_btn = nullptr, *camera_btn = nullptr;
    QLineEdit *image_path_val = nullptr;

    // --- custom rows: caption column and value column side by side under the fixed fields ---
    QWidget *default_label_box = nullptr, *default_field_box = nullptr;
    QWidget *custom_label_box = nullptr, *custom_field_box = nullptr;
    QPushButton *Add_label_btn = nullptr, *Add_to_DB_btn = nullptr;
    QGroupBox *new_ctrl_type_box = nullptr;
    QRadioButton *text_ctrl_type = nullptr, *image_ctrl_type = nullptr;
    std::vector<CustomRowEntry> view_array_label, view_array_value;
    int counter = 1;           // number of the next custom row
    float ctrl_y = kCustomRowTop;  // where the next custom row goes inside the custom boxes
    int txt_or_image_ctrl = 0;  // kind of the next custom row: 0 text, 1 photo

    // A caption (caption true) or value check box of field `row` was clicked.
    void Field_Chk_Clicked(int row, bool caption);
    void Chk_Unchk_Manual_Date_Time(const QString &which);
    void Set_Date_Value();
    void Set_Time_Value();
    void Start_Timer();
    void Stop_Timer();
    // The edited box's text onto its card control.
    void controlTextDidChange(QLineEdit *box);
    void Browse_image_Btn_Clicked();
    // The photo from the camera window into the side's photo control.
    void Open_Camera_Clicked();
    // A picture into the card control `id` ("" the selected image control) and the photo box.
    void Set_User_Image(const QString &path, const QString &id);
    // The photo box only; an id this side lacks changes nothing.
    void Set_User_Image_Control(const QString &path, const QImage &image, const QString &id);
    // The fixed fields blank and off with the captions in force; custom rows and photo kept.
    void Refresh_Controls();
    // Every box blank and off, the captions in force, the photo cleared, the custom rows gone
    // (their card controls stay).
    void Reset_all_Ctrl();

    // --- custom rows (an empty id makes a new row numbered by `counter` and its card control) ---
    void Add_label_control(const QString &id, const QString &text, bool visible);
    void Add_Image_control(const QString &id, const QString &path, bool visible);
    void Add_Value_control(const QString &id, const QString &text, bool visible);
    void Increment_in_position();
    void Add_New_Label_Clicked();
    void Change_btn_location();
    void Visitor_Dyn_Ctrl_Checked_Changed(QCheckBox *sender);
    // A custom row's text box ("T") or check box (any other kind) by control id; nullptr when none.
    QWidget *Get_Dynamic_Label_Ctrl(const QString &id, const QString &kind) const;
    // A photo row's picture by control id; nullptr when none.
    QLabel *Get_Dynamic_Photo_Ctrl(const QString &id) const;
    // A photo row's picture view shows `picture`, the error picture when there is none.
    void Set_Dynamic_Pic_Ctrl_Image(QLabel *view, const QImage &picture) const;
    // The photo row of `id` (if this panel has one) shows the picture of `path`: the group
    // placeholder for "no.png", the error picture for a file that cannot be read.
    void Show_Dynamic_Photo(const QString &id, const QString &path) const;
    void Text_ctrl_type_rd_select();
    void Image_ctrl_type_rd_select();
    // The record button: the visit from both panels into the visitor database.
    void Add_record_to_DB_Clicked();
    // The caption and value of each custom row as "caption : value", rows joined by CR LF.
    QString Custom_Rows_Text() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The custom rows of `box` stretched to its width.
    void fitCustomRows(QWidget *box);
    void showPicture(const QImage &picture);
    // The checks before a photo is chosen: -1 when refused (the user was told), else what
    // Find_And_Select_Design_Image_Control answers (0 make the photo control, 1 use the selected).
    int Photo_Control_Target();
    CustomRowEntry addRow(QWidget *box, std::vector<CustomRowEntry> &list, const QString &id, QWidget *view,
                          int chkX, bool visible, bool chkShown);
    void growBox(QWidget *box);
    void createRowControl(const QString &text, const QString &id, QLineEdit *box);
    QImage rowPicture(const QString &path) const;

    VisitorMode &m_mode;
    int m_side;
    QLabel *photo_caption = nullptr;
    QTimer *Clock_Timer = nullptr;
};

class Front_Profile_Panel : public Profile_Panel {
public:
    Front_Profile_Panel(VisitorMode &mode, QWidget *parent = nullptr) : Profile_Panel(mode, 0, parent) {}
};
class Back_Profile_Panel : public Profile_Panel {
public:
    Back_Profile_Panel(VisitorMode &mode, QWidget *parent = nullptr) : Profile_Panel(mode, 1, parent) {}
};

extern Profile_Panel *Front_Profile_Panel_OBJ, *Back_Profile_Panel_OBJ;
