#pragma once
// The profile panel of one card side in live mode: per profile field a caption and a value box,
// each with the check box that puts its control on the card, the date and time boxes, and the
// photo box with its file and camera buttons. Typing goes onto the card key by key. The two
// sides' panels are one design (`Front_Profile_Panel`, `Back_Profile_Panel`).

#include <QImage>
#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
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
    // Every box blank and off, the captions in force, the photo cleared.
    void Reset_all_Ctrl();

private:
    void showPicture(const QImage &picture);
    // The checks before a photo is chosen: -1 when refused (the user was told), else what
    // Find_And_Select_Design_Image_Control answers (0 make the photo control, 1 use the selected).
    int Photo_Control_Target();

    VisitorMode &m_mode;
    int m_side;
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
