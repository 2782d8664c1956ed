#pragma once
// The invitation wizard: from its start screen the user opens a saved design or walks through two
// pages, a frame (a background picture of the resources) and a photo with the shared photo
// adjustments, while the invitation's texts (stock title and message, sender, addressee, venue,
// date, time) stand beside them. Finishing hands everything over in the `Invite_…` globals and
// keeps the card size in `details()` and the adjusted photo in `adjustedPhoto()`; the main window
// then sizes the card and lays it out (Fill_Party_Invidation_Details). The photo-edit entry
// opens the photo page alone for an invitation already on the card.

#include "canvas/ScriptedModal.h"
#include "imageops/ImageProcesser.h"

#include <QDate>
#include <QDialog>
#include <QImage>
#include <QStringList>
#include <QTime>
#include <functional>

class QCheckBox;
class QDateEdit;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QStackedWidget;
class QTimeEdit;

// What the wizard's fields hold when it finishes.
struct InvitationDetails {
    QString title, message, from, to, venue, date, time, frame, photo;
    double widthMM = 120, heightMM = 150;  // the card
};

// Writes the details into the hand-over globals, each trimmed: the frame goes into both
// `Invite_BG_IMG` and `Invite_Frame_IMG`, the photo path into `Invite_Frame_Pic_IMG`.
void Hand_Over_Invitation(const InvitationDetails &details);
// The date in the full English style ("Saturday, June 5, 2027") and the time as "7:30 PM".
QString Invitation_Date_Text(const QDate &date);
QString Invitation_Time_Text(const QTime &time);
// The longest text a field takes: sender and addressee 40, venue and title 100, message 250.
int Invitation_Text_Limit(const QString &field);

class Invitation_Wizard : public QDialog, public ScriptedModal<Invitation_Wizard> {
    Q_OBJECT
public:
    explicit Invitation_Wizard(QWidget *parent = nullptr);
    static Invitation_Wizard *defaultInstance();

    // Installed by the main window: the saved-design road (1 when a design was loaded) and the
    // way out of the application (true when it is to end).
    std::function<int()> openDesign;
    std::function<bool()> exitApp;
    // The picture files the photo panel offers.
    QStringList imageTypes;

    // The wizard from its start screen, and the photo page alone for `photo` (the picture as
    // loaded, before its adjustments) with the path it came from and the adjustments `onCard` it
    // is drawn with, flips included, so Finish with nothing touched gives the card's photo again.
    // A null photo opens the page without one (Finish then asks for one). 1 finished, 0 otherwise.
    int Open_Wnd();
    int Open_Wnd_For_Edit_Photo(const QImage &photo, const QString &path, bool photoFromData,
                                const ImageAdjustments &onCard);
    // Whether the user changed the photo or an adjustment since the photo-edit entry opened.
    bool photoChanged() const { return m_photoChanged; }

    InvitationDetails details() const;
    // The start screen's choice: 0 none yet, 1 a new invitation, 2 a saved design.
    int road() const { return m_road; }
    QImage adjustedPhoto() const { return m_shown; }
    ImageAdjustments adjustments() const;

    int next_counter = 0;             // 0 start screen, 2 frame page, 3 photo page
    bool wizard_or_edit_photo = false;  // set for the photo-edit entry
    bool auto_background_selection = false;
    QString selected_image;           // the chosen frame
    QStringList Title_Array, Message_Array;
    int title_index = 0, message_index = 0;

    QStackedWidget *pages = nullptr;
    QWidget *Start_card_box = nullptr, *second_box = nullptr, *photo_box = nullptr, *texts_box = nullptr,
            *button_box = nullptr;
    QPushButton *Back_Btn = nullptr, *Next_btn = nullptr, *Cancel_btn = nullptr, *Finish_Btn = nullptr,
                *Close_Btn = nullptr, *Exit_btn = nullptr, *Help_btn_1 = nullptr, *Contact_us_btn = nullptr,
                *clear_details_btn = nullptr, *browse_photo_btn = nullptr;
    QDoubleSpinBox *width_Stepper = nullptr, *height_Stepper = nullptr;
    QListWidget *imageBrowser = nullptr;
    QLineEdit *msg_title = nullptr, *msg_value = nullptr, *from_value = nullptr, *to_value = nullptr,
              *venue_value = nullptr, *Date_ctrl_value = nullptr, *Time_ctrl_value = nullptr, *image_path = nullptr;
    QDateEdit *Date_picker = nullptr;
    QTimeEdit *Time_picker = nullptr;
    QLabel *Selected_picture = nullptr;
    QGroupBox *Image_Setting_Box = nullptr;
    QCheckBox *checks[5] = {};  // grey, sepia, invert, flip horizontally, flip vertically
    QSlider *sliders[9] = {};   // rotation, transparency, hue, saturation, brightness, contrast,
                                // sharpness, exposure, blur
    QLineEdit *slider_values[9] = {};  // beside each slider: the setting it gives

    // The window's background: the picture tiled from the window's top-left corner.
    void setBackgroundPattern(const QImage &pattern);

public slots:
    void OK_Click();
    void Back_Click();
    void CancelClick();
    void Close_Form_Click();
    void Using_Wizard_Click();
    void Open_Log_Click();
    void HelpClick();
    void ExitClick();
    void Contact_Us_Click();
    void Title_Back_Click();
    void Title_Next_Click();
    void Msg_Back_Click();
    void Msg_Next_Click();
    void Clear_Details_Click();
    void datePickerAction();
    void timePickerAction();
    void Browse_Image_Click();
    void Image_reset_Button();

public:
    void Show_Hide_Card_Start_Screen(bool start);
    void Load_and_fill_backgrounds();
    void Load_Msg_And_Title();
    void Reset_All();
    void Clear_Details();
    void Reset_Image_Editing_Controls();
    void Update_Image_With_Settings();
    // Takes the picture file as the photo; false (and nothing changes) when it cannot be read.
    bool Load_Photo(const QString &path);

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void Select_card_option(int option);
    void userAdjusted();
    void frameSelectionChanged();
    void showPhotoPage();
    void finish();
    void updateClearButton();
    void showSliderValues();

    QImage User_Picture, m_shown;
    int m_road = 0;
    bool m_photoChanged = false;
    bool m_calendarJoined = false;
    QString m_selectedDate, m_selectedTime;
};
