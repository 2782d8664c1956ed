#include "mainwindow/Invitation_Wizard.h"

#include "canvas/TypedDateTimeField.h"
#include "canvas/WidgetUtilities.h"

#include "core/Globals.h"
#include "core/Utilities.h"
#include "imageops/PhotoSettings.h"
#include "mainwindow/Help_Support.h"
#include "mainwindow/Insert_Template.h"
#include "mainwindow/Invitation.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/WindowStyle.h"
#include "platform/Paths.h"
#include "platform/UiServices.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QPalette>
#include <QStackedWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

void Hand_Over_Invitation(const InvitationDetails &d)
{
    Invite_Title = Trim_Str(d.title);
    Invite_Message = Trim_Str(d.message);
    Invite_From = Trim_Str(d.from);
    Invite_To = Trim_Str(d.to);
    Invite_Venue = Trim_Str(d.venue);
    Invite_Date = Trim_Str(d.date);
    Invite_Time = Trim_Str(d.time);
    Invite_BG_IMG = Trim_Str(d.frame);
    Invite_Frame_Pic_IMG = Trim_Str(d.photo);
    Invite_Frame_IMG = Invite_BG_IMG;
}

QString Invitation_Date_Text(const QDate &date)
{
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(date, QStringLiteral("dddd, MMMM d, yyyy"));
}

QString Invitation_Time_Text(const QTime &time)
{
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(time, QStringLiteral("h:mm AP"));
}

int Invitation_Text_Limit(const QString &field)
{
    if (field == QLatin1String("from_value") || field == QLatin1String("to_value"))
        return 40;
    if (field == QLatin1String("msg_value"))
        return 250;
    return 100;  // venue and title
}

namespace {
Invitation_Wizard *g_instance = nullptr;

constexpr const char *kChecks[5][2] = {{"Image_Gray_Scale_chk", "Grey"},
                                       {"Image_Sepia_chk", "Sepia"},
                                       {"Image_Invert_chk", "Invert"},
                                       {"Image_FIH_chk", "Flip horizontally"},
                                       {"Image_FIV_chk", "Flip vertically"}};


QPushButton *button(QWidget *owner, const char *name, const QString &title)
{
    auto *b = named(new QPushButton(title, owner), name);
    b->setAutoDefault(false);
    return b;
}

// One step through the stock texts, shown in the field.
void stepStockText(const QStringList &texts, int &index, int by, QLineEdit *field)
{
    index = Stock_Text_Step(index, int(texts.size()), by);
    field->setText(texts.value(index));
}
}  // namespace

Invitation_Wizard *Invitation_Wizard::defaultInstance() { return g_instance; }

Invitation_Wizard::Invitation_Wizard(QWidget *parent) : QDialog(parent)
{
    g_instance = this;
    setObjectName(QStringLiteral("Invitation_Wizard"));
    setWindowTitle(tr("Invitation"));
    setModal(true);
    applyDialogBackground(this);
    auto *outer = new QVBoxLayout(this);

    // Start screen.
    Start_card_box = named(new QWidget(this), "Start_card_box");
    {
        auto *column = new QVBoxLayout(Start_card_box);
        auto *heading = new QLabel(tr("Make a party invitation"), Start_card_box);
        QFont big = heading->font();
        big.setPointSizeF(big.pointSizeF() * 1.5);
        big.setBold(true);
        heading->setFont(big);
        column->addWidget(heading);
        auto *wizard = button(Start_card_box, "Using_Wizard_btn", tr("New invitation: choose a frame and a photo"));
        auto *open = button(Start_card_box, "Open_Log_btn", tr("Open a saved design"));
        for (QPushButton *b : {wizard, open}) {
            b->setMinimumHeight(44);
            column->addWidget(b);
        }
        connect(wizard, &QPushButton::clicked, this, &Invitation_Wizard::Using_Wizard_Click);
        connect(open, &QPushButton::clicked, this, &Invitation_Wizard::Open_Log_Click);
        column->addStretch();
        auto *row = new QHBoxLayout;
        Help_btn_1 = button(Start_card_box, "Help_btn_1", tr("Help"));
        Contact_us_btn = button(Start_card_box, "Contact_us_btn", tr("Contact us"));
        Exit_btn = button(Start_card_box, "Exit_btn", tr("Exit"));
        connect(Help_btn_1, &QPushButton::clicked, this, &Invitation_Wizard::HelpClick);
        connect(Contact_us_btn, &QPushButton::clicked, this, &Invitation_Wizard::Contact_Us_Click);
        connect(Exit_btn, &QPushButton::clicked, this, &Invitation_Wizard::ExitClick);
        row->addWidget(Help_btn_1);
        row->addWidget(Contact_us_btn);
        row->addStretch();
        row->addWidget(Exit_btn);
        column->addLayout(row);
    }

    // Frame page: the card size and the frames.
    second_box = named(new QWidget(this), "second_box");
    {
        auto *column = new QVBoxLayout(second_box);
        auto *size = new QHBoxLayout;
        width_Stepper = named(Decimal_Field(second_box), "width_Stepper");
        height_Stepper = named(Decimal_Field(second_box), "height_Stepper");
        for (QDoubleSpinBox *s : {width_Stepper, height_Stepper}) {
            s->setRange(10, 600);
            s->setDecimals(2);
            s->setSuffix(QStringLiteral(" mm"));
        }
        size->addWidget(new QLabel(tr("Card width"), second_box));
        size->addWidget(width_Stepper);
        size->addWidget(new QLabel(tr("height"), second_box));
        size->addWidget(height_Stepper);
        size->addStretch();
        column->addLayout(size);
        column->addWidget(new QLabel(tr("Choose a frame:"), second_box));
        imageBrowser = named(new QListWidget(second_box), "imageBrowser");
        imageBrowser->setViewMode(QListView::IconMode);
        imageBrowser->setIconSize(QSize(96, 120));
        imageBrowser->setResizeMode(QListView::Adjust);
        imageBrowser->setMovement(QListView::Static);
        connect(imageBrowser, &QListWidget::itemSelectionChanged, this, &Invitation_Wizard::frameSelectionChanged);
        column->addWidget(imageBrowser, 1);
    }

    // Photo page: the photo, its path and its adjustments.
    photo_box = named(new QWidget(this), "photo_box");
    {
        auto *row = new QHBoxLayout(photo_box);
        auto *left = new QVBoxLayout;
        Selected_picture = named(new QLabel(photo_box), "Selected_picture");
        Selected_picture->setFixedSize(200, 200);
        Selected_picture->setAlignment(Qt::AlignCenter);
        Selected_picture->setFrameShape(QFrame::StyledPanel);
        left->addWidget(Selected_picture);
        image_path = named(new QLineEdit(photo_box), "image_path");
        image_path->setReadOnly(true);
        left->addWidget(image_path);
        browse_photo_btn = button(photo_box, "browse_photo_btn", tr("Choose Photo…"));
        connect(browse_photo_btn, &QPushButton::clicked, this, &Invitation_Wizard::Browse_Image_Click);
        left->addWidget(browse_photo_btn);
        left->addStretch();
        row->addLayout(left);
        Image_Setting_Box = named(new QGroupBox(tr("Adjust the photo"), photo_box), "Image_Setting_Box");
        auto *form = new QFormLayout(Image_Setting_Box);
        auto *checkRow = new QGridLayout;
        for (int i = 0; i < 5; ++i) {
            checks[i] = named(new QCheckBox(tr(kChecks[i][1]), Image_Setting_Box), kChecks[i][0]);
            connect(checks[i], &QCheckBox::toggled, this, &Invitation_Wizard::userAdjusted);
            checkRow->addWidget(checks[i], i / 3, i % 3);
        }
        form->addRow(checkRow);
        for (int i = 0; i < 9; ++i) {
            sliders[i] = named(new QSlider(Qt::Horizontal, Image_Setting_Box), Photo_Sliders[i].name);
            sliders[i]->setRange(Photo_Sliders[i].min, Photo_Sliders[i].max);
            sliders[i]->setValue(Photo_Sliders[i].position);
            connect(sliders[i], &QSlider::valueChanged, this, &Invitation_Wizard::userAdjusted);
            slider_values[i] = named(new QLineEdit(Image_Setting_Box),
                                     (QByteArray(Photo_Sliders[i].name) + "_val").constData());
            slider_values[i]->setReadOnly(true);
            slider_values[i]->setFixedWidth(64);
            slider_values[i]->setAlignment(Qt::AlignRight);
            auto *sliderRow = new QHBoxLayout;
            sliderRow->addWidget(sliders[i], 1);
            sliderRow->addWidget(slider_values[i]);
            form->addRow(tr(Photo_Sliders[i].title), sliderRow);
        }
        auto *reset = button(Image_Setting_Box, "Image_reset_btn", tr("Reset"));
        connect(reset, &QPushButton::clicked, this, &Invitation_Wizard::Image_reset_Button);
        form->addRow(reset);
        row->addWidget(Image_Setting_Box, 1);
    }

    // The texts beside the frame and photo pages.
    texts_box = named(new QGroupBox(tr("Invitation"), this), "texts_box");
    {
        auto *form = new QFormLayout(texts_box);
        const auto paged = [&](QLineEdit *&field, const char *name, const char *back, const char *next,
                               void (Invitation_Wizard::*backSlot)(), void (Invitation_Wizard::*nextSlot)()) {
            auto *row = new QHBoxLayout;
            field = named(new QLineEdit(texts_box), name);
            Limit_Field_Characters(field, Invitation_Text_Limit(QString::fromLatin1(name)));
            auto *b = button(texts_box, back, QStringLiteral("◀"));
            auto *n = button(texts_box, next, QStringLiteral("▶"));
            b->setFixedWidth(32);
            n->setFixedWidth(32);
            b->setToolTip(tr("Previous ready-made text"));
            n->setToolTip(tr("Next ready-made text"));
            connect(b, &QPushButton::clicked, this, backSlot);
            connect(n, &QPushButton::clicked, this, nextSlot);
            row->addWidget(field, 1);
            row->addWidget(b);
            row->addWidget(n);
            return row;
        };
        form->addRow(tr("Title"), paged(msg_title, "msg_title", "title_bk_btn", "title_nxt_btn",
                                         &Invitation_Wizard::Title_Back_Click, &Invitation_Wizard::Title_Next_Click));
        form->addRow(tr("Message"), paged(msg_value, "msg_value", "msg_bk_btn", "msg_nxt_btn",
                                           &Invitation_Wizard::Msg_Back_Click, &Invitation_Wizard::Msg_Next_Click));
        const struct {
            QLineEdit **field;
            const char *name, *title;
        } plain[] = {{&to_value, "to_value", "To"}, {&from_value, "from_value", "From"},
                     {&venue_value, "venue_value", "Venue"}};
        for (const auto &p : plain) {
            *p.field = named(new QLineEdit(texts_box), p.name);
            Limit_Field_Characters(*p.field, Invitation_Text_Limit(QString::fromLatin1(p.name)));
            connect(*p.field, &QLineEdit::textChanged, this, &Invitation_Wizard::updateClearButton);
            form->addRow(tr(p.title), *p.field);
        }
        auto *date = new QHBoxLayout;
        Date_picker = named(Typed_Date_Field(QDate::currentDate(), texts_box), "Date_picker");
        Date_picker->setCalendarPopup(true);
        Date_ctrl_value = named(new QLineEdit(texts_box), "Date_ctrl_value");
        Date_ctrl_value->setReadOnly(true);
        connect(Date_picker, &QDateEdit::dateChanged, this, &Invitation_Wizard::datePickerAction);
        date->addWidget(Date_picker);
        date->addWidget(Date_ctrl_value, 1);
        form->addRow(tr("Date"), date);
        auto *time = new QHBoxLayout;
        Time_picker = named(Typed_Time_Field(QTime::currentTime(), texts_box), "Time_picker");
        Time_picker->setDisplayFormat(QStringLiteral("h:mm AP"));
        Time_ctrl_value = named(new QLineEdit(texts_box), "Time_ctrl_value");
        Time_ctrl_value->setReadOnly(true);
        connect(Time_picker, &QTimeEdit::timeChanged, this, &Invitation_Wizard::timePickerAction);
        time->addWidget(Time_picker);
        time->addWidget(Time_ctrl_value, 1);
        form->addRow(tr("Time"), time);
        // A picker tells only of a change: the date or time it already shows (today, now) is
        // chosen by a click on it in the calendar (joined in eventFilter), on the field, or by Return.
        for (QAbstractSpinBox *picker : std::initializer_list<QAbstractSpinBox *>{Date_picker, Time_picker}) {
            picker->installEventFilter(this);
            for (QLineEdit *field : picker->findChildren<QLineEdit *>())
                field->installEventFilter(this);
        }
        clear_details_btn = button(texts_box, "clear_details_btn", tr("Clear Details"));
        connect(clear_details_btn, &QPushButton::clicked, this, &Invitation_Wizard::Clear_Details_Click);
        form->addRow(clear_details_btn);
    }

    pages = named(new QStackedWidget(this), "pages");
    pages->addWidget(Start_card_box);
    auto *work = new QWidget(this);
    {
        auto *row = new QHBoxLayout(work);
        row->setContentsMargins(0, 0, 0, 0);
        auto *stack = new QStackedWidget(work);
        stack->setObjectName(QStringLiteral("work_pages"));
        stack->addWidget(second_box);
        stack->addWidget(photo_box);
        row->addWidget(stack, 3);
        row->addWidget(texts_box, 2);
    }
    pages->addWidget(work);
    outer->addWidget(pages, 1);

    button_box = named(new QWidget(this), "button_box");
    {
        auto *row = new QHBoxLayout(button_box);
        row->setContentsMargins(0, 0, 0, 0);
        Cancel_btn = button(button_box, "Cancel_btn", tr("Cancel"));
        Back_Btn = button(button_box, "Back_Btn", tr("Back"));
        Next_btn = button(button_box, "Next_btn", tr("Next"));
        Close_Btn = button(button_box, "Close_Btn", tr("Close"));
        Finish_Btn = button(button_box, "Finish_Btn", tr("Finish"));
        connect(Cancel_btn, &QPushButton::clicked, this, &Invitation_Wizard::CancelClick);
        connect(Back_Btn, &QPushButton::clicked, this, &Invitation_Wizard::Back_Click);
        connect(Next_btn, &QPushButton::clicked, this, &Invitation_Wizard::OK_Click);
        connect(Close_Btn, &QPushButton::clicked, this, &Invitation_Wizard::Close_Form_Click);
        connect(Finish_Btn, &QPushButton::clicked, this, &Invitation_Wizard::OK_Click);
        row->addWidget(Cancel_btn);
        row->addStretch();
        for (QPushButton *b : {Back_Btn, Next_btn, Close_Btn, Finish_Btn})
            row->addWidget(b);
    }
    outer->addWidget(button_box);
    // One size through every page, within a small screen.
    resize(960, 620);
    setMinimumSize(760, 520);
}

// --- opening ---

int Invitation_Wizard::Open_Wnd()
{
    wizard_or_edit_photo = false;
    m_road = 0;
    browse_photo_btn->setEnabled(true);
    width_Stepper->setValue(120);
    height_Stepper->setValue(150);
    Show_Hide_Card_Start_Screen(true);
    Finish_Btn->hide();
    Close_Btn->hide();
    Load_and_fill_backgrounds();
    Reset_All();
    Load_Msg_And_Title();
    msg_title->setText(Title_Array.value(0));
    msg_value->setText(Message_Array.value(0));
    return runScripted(*this);
}

int Invitation_Wizard::Open_Wnd_For_Edit_Photo(const QImage &photo, const QString &path, bool photoFromData,
                                                const ImageAdjustments &onCard)
{
    wizard_or_edit_photo = true;
    m_road = 1;
    pages->setCurrentIndex(1);
    findChild<QStackedWidget *>(QStringLiteral("work_pages"))->setCurrentWidget(photo_box);
    texts_box->hide();
    for (QPushButton *b : {Back_Btn, Next_btn, Cancel_btn})
        b->hide();
    Finish_Btn->show();
    Close_Btn->show();
    button_box->show();
    next_counter = 3;
    Image_Setting_Box->setEnabled(true);
    image_path->setText(photo.isNull() ? QString() : path);
    User_Picture = photo;
    m_shown = QImage();
    Selected_picture->clear();
    // The page starts as the card shows the photo: its own adjustments and flips, not the last
    // ones of another photo, so a Finish with nothing touched changes nothing.
    int positions[9];
    Slider_Positions_Of(onCard, positions);
    for (int i = 0; i < 9; ++i) {
        const QSignalBlocker quiet(sliders[i]);
        sliders[i]->setValue(positions[i]);
    }
    const bool on[5] = {onCard.grayscale, onCard.sepia, onCard.invrtclr, onCard.flip_H, onCard.flip_V};
    for (int i = 0; i < 5; ++i) {
        const QSignalBlocker quiet(checks[i]);
        checks[i]->setChecked(on[i]);
    }
    browse_photo_btn->setEnabled(!photoFromData);
    Update_Image_With_Settings();
    m_photoChanged = false;
    return runScripted(*this);
}

void Invitation_Wizard::Show_Hide_Card_Start_Screen(bool start)
{
    texts_box->show();
    if (start) {
        next_counter = 0;
        auto_background_selection = false;
        pages->setCurrentIndex(0);
        button_box->hide();
        Reset_All();
        msg_title->setText(Title_Array.value(title_index));
        msg_value->setText(Message_Array.value(message_index));
        return;
    }
    pages->setCurrentIndex(1);
    findChild<QStackedWidget *>(QStringLiteral("work_pages"))->setCurrentWidget(second_box);
    button_box->show();
    Next_btn->setText(tr("Next"));
    for (QPushButton *b : {Back_Btn, Next_btn, Cancel_btn})
        b->show();
}

void Invitation_Wizard::Load_and_fill_backgrounds()
{
    const QSignalBlocker quiet(imageBrowser);
    imageBrowser->clear();
    const QDir folder(platform::joinPath(Resource_Path, QStringLiteral("Background")));
    for (const QFileInfo &file : folder.entryInfoList({QStringLiteral("*.png"), QStringLiteral("*.jpg")}, QDir::Files,
                                                      QDir::Name | QDir::IgnoreCase)) {
        const QImage picture(file.filePath());
        auto *item = new QListWidgetItem(QIcon(QPixmap::fromImage(picture.scaled(96, 120, Qt::KeepAspectRatio,
                                                                                  Qt::SmoothTransformation))),
                                         file.completeBaseName(), imageBrowser);
        item->setData(Qt::UserRole, file.filePath());
    }
}

void Invitation_Wizard::Load_Msg_And_Title()
{
    Title_Array = Read_Stock_Texts(QStringLiteral("Title.txt"));
    Message_Array = Read_Stock_Texts(QStringLiteral("Message.txt"));
}

// --- start screen ---

void Invitation_Wizard::Select_card_option(int option)
{
    // The road is the wizard's own until it finishes: a wizard closed half-way leaves the
    // window's mode as it was.
    m_road = option;
    OK_Click();
}

void Invitation_Wizard::Using_Wizard_Click() { Select_card_option(1); }
void Invitation_Wizard::Open_Log_Click() { Select_card_option(2); }
void Invitation_Wizard::HelpClick() { Open_Help_File(); }
void Invitation_Wizard::Contact_Us_Click() { Open_Link(support_links::Support_Mail()); }

void Invitation_Wizard::ExitClick()
{
    // Leaving goes through the window's own exit, which offers to save the open design first.
    if (exitApp && !exitApp())
        return;
    Start_Card_Option.clear();
    done(0);
}

// --- pages ---

void Invitation_Wizard::OK_Click()
{
    if (m_road == 2) {
        if (openDesign && openDesign() == 1)
            done(1);
        return;
    }
    if (next_counter == 0) {
        Show_Hide_Card_Start_Screen(false);
        auto_background_selection = true;
        if (imageBrowser->count() > 0)
            imageBrowser->setCurrentRow(0);
        auto_background_selection = false;
        next_counter = 2;
        return;
    }
    if (next_counter == 2) {
        if (!selected_image.isEmpty() && QFileInfo::exists(selected_image))
            showPhotoPage();
        else
            Show_MessageBox(QStringLiteral("Please select frame."));
        return;
    }
    if (next_counter == 3) {
        const QString photo = image_path->text();
        if (photo.isEmpty() || !QFileInfo::exists(photo)) {
            Show_MessageBox(QStringLiteral("Please select photo."));
            return;
        }
        finish();
    }
}

void Invitation_Wizard::showPhotoPage()
{
    next_counter = 3;
    Next_btn->setText(tr("Finish"));
    findChild<QStackedWidget *>(QStringLiteral("work_pages"))->setCurrentWidget(photo_box);
}

void Invitation_Wizard::finish()
{
    // The photo-edit entry works on the open design and leaves its mode as it is.
    if (!wizard_or_edit_photo) {
        Hand_Over_Invitation(details());
        Start_Card_Option = QStringLiteral("W");
    }
    done(1);
}

InvitationDetails Invitation_Wizard::details() const
{
    // The title and message are what the fields show, paged or typed.
    return {msg_title->text(),      msg_value->text(),      from_value->text(), to_value->text(),
            venue_value->text(),    m_selectedDate,         m_selectedTime,     selected_image,
            image_path->text(),     width_Stepper->value(), height_Stepper->value()};
}

void Invitation_Wizard::Back_Click()
{
    if (next_counter == 2) {
        next_counter = 1;
        Show_Hide_Card_Start_Screen(true);
    } else if (next_counter == 3) {
        next_counter = 2;
        Next_btn->setText(tr("Next"));
        findChild<QStackedWidget *>(QStringLiteral("work_pages"))->setCurrentWidget(second_box);
    }
}

void Invitation_Wizard::CancelClick() { Show_Hide_Card_Start_Screen(true); }
void Invitation_Wizard::Close_Form_Click() { done(0); }

void Invitation_Wizard::frameSelectionChanged()
{
    const QList<QListWidgetItem *> chosen = imageBrowser->selectedItems();
    if (chosen.isEmpty())
        return;
    selected_image = chosen.first()->data(Qt::UserRole).toString();
    // A click on a frame goes on to the photo; the wizard's own first choice does not.
    if (!auto_background_selection && next_counter == 2)
        OK_Click();
}

// --- texts ---

void Invitation_Wizard::Title_Back_Click() { stepStockText(Title_Array, title_index, -1, msg_title); }
void Invitation_Wizard::Title_Next_Click() { stepStockText(Title_Array, title_index, 1, msg_title); }
void Invitation_Wizard::Msg_Back_Click() { stepStockText(Message_Array, message_index, -1, msg_value); }
void Invitation_Wizard::Msg_Next_Click() { stepStockText(Message_Array, message_index, 1, msg_value); }

void Invitation_Wizard::datePickerAction()
{
    m_selectedDate = Invitation_Date_Text(Date_picker->date());
    Date_ctrl_value->setText(m_selectedDate);
    clear_details_btn->setEnabled(true);
}

void Invitation_Wizard::timePickerAction()
{
    m_selectedTime = Invitation_Time_Text(Time_picker->time());
    Time_ctrl_value->setText(m_selectedTime);
    clear_details_btn->setEnabled(true);
}

bool Invitation_Wizard::eventFilter(QObject *watched, QEvent *event)
{
    // The calendar is made when it first opens, by a press on the picker: joined just before.
    if ((watched == Date_picker || watched->parent() == Date_picker) && !m_calendarJoined
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress)) {
        m_calendarJoined = true;
        connect(Date_picker->calendarWidget(), &QCalendarWidget::clicked, this, &Invitation_Wizard::datePickerAction);
        connect(Date_picker->calendarWidget(), &QCalendarWidget::activated, this, &Invitation_Wizard::datePickerAction);
    }
    const bool chosen =
        (event->type() == QEvent::KeyPress
         && (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Return || static_cast<QKeyEvent *>(event)->key() == Qt::Key_Enter))
        || (event->type() == QEvent::MouseButtonRelease && qobject_cast<QLineEdit *>(watched));
    if (chosen) {
        if (watched == Date_picker || watched->parent() == Date_picker)
            datePickerAction();
        else
            timePickerAction();
    }
    return QDialog::eventFilter(watched, event);
}

void Invitation_Wizard::updateClearButton()
{
    if (!from_value->text().isEmpty() || !to_value->text().isEmpty() || !venue_value->text().isEmpty())
        clear_details_btn->setEnabled(true);
}

void Invitation_Wizard::Clear_Details_Click()
{
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want to clear details?")) == 1)
        Clear_Details();
}

void Invitation_Wizard::Clear_Details()
{
    for (QLineEdit *field : {from_value, to_value, venue_value, Date_ctrl_value, Time_ctrl_value})
        field->clear();
    {
        const QSignalBlocker date(Date_picker), time(Time_picker);
        Date_picker->setDate(QDate::currentDate());
        Time_picker->setTime(QTime::currentTime());
    }
    m_selectedDate.clear();
    m_selectedTime.clear();
    clear_details_btn->setEnabled(false);
}

void Invitation_Wizard::Reset_All()
{
    selected_image.clear();
    {
        const QSignalBlocker quiet(imageBrowser);
        imageBrowser->clearSelection();
    }
    User_Picture = QImage();
    m_shown = QImage();
    Reset_Image_Editing_Controls();
    Image_Setting_Box->setEnabled(false);
    Selected_picture->clear();
    next_counter = title_index = message_index = 0;
    msg_title->clear();
    msg_value->clear();
    image_path->clear();
    Clear_Details();
}

// --- photo ---

void Invitation_Wizard::Browse_Image_Click()
{
    const QString path = platform::ui().openFile(tr("Choose a photo"), QDir::homePath(), imageTypes);
    if (path.isEmpty())
        return;
    Load_Photo(path);
}

bool Invitation_Wizard::Load_Photo(const QString &path)
{
    const QImage picture(path);
    if (picture.isNull())
        return false;  // the previous picture stays
    Image_Setting_Box->setEnabled(true);
    image_path->setText(path);
    User_Picture = picture;
    m_photoChanged = true;
    Update_Image_With_Settings();
    return true;
}

ImageAdjustments Invitation_Wizard::adjustments() const
{
    int positions[9];
    bool on[5];
    for (int i = 0; i < 9; ++i)
        positions[i] = sliders[i]->value();
    for (int i = 0; i < 5; ++i)
        on[i] = checks[i]->isChecked();
    return Adjustments_From_Controls(positions, on);
}

void Invitation_Wizard::showSliderValues()
{
    for (int i = 0; i < 9; ++i) {
        const double scale = Photo_Sliders[i].scale;
        slider_values[i]->setText(
            QString::number(sliders[i]->value() / scale, 'f', scale >= 100 ? 2 : scale >= 10 ? 1 : 0));
    }
}

void Invitation_Wizard::setBackgroundPattern(const QImage &pattern)
{
    if (pattern.isNull())
        return;  // the plain dialog colour stays
    QPalette pal = palette();
    pal.setBrush(QPalette::Window, QBrush(QPixmap::fromImage(pattern)));
    setPalette(pal);
    setAutoFillBackground(true);
}

void Invitation_Wizard::userAdjusted()
{
    m_photoChanged = true;
    Update_Image_With_Settings();
}

void Invitation_Wizard::Update_Image_With_Settings()
{
    showSliderValues();
    const ImageAdjustments a = adjustments();
    // The flips belong to this photo; the other editors keep theirs.
    const bool flipH = IMG_Flip_H, flipV = IMG_Flip_V;
    Store_Image_Adjustments(a);
    IMG_Flip_H = flipH;
    IMG_Flip_V = flipV;
    if (User_Picture.isNull())
        return;
    m_shown = ImageProcesser::Get_Processed_Image_Full_Combined(User_Picture, a, true, true,
                                                                QRectF(QPointF(0, 0), User_Picture.size()));
    Selected_picture->setPixmap(QPixmap::fromImage(
        m_shown.scaled(Selected_picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void Invitation_Wizard::Reset_Image_Editing_Controls()
{
    for (QCheckBox *check : checks) {
        const QSignalBlocker quiet(check);
        check->setChecked(false);
    }
    for (int i = 0; i < 9; ++i) {
        const QSignalBlocker quiet(sliders[i]);
        sliders[i]->setValue(Photo_Sliders[i].position);
    }
    showSliderValues();
}

void Invitation_Wizard::Image_reset_Button()
{
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want to reset image settings?")) != 1)
        return;
    Reset_Image_Editing_Controls();
    userAdjusted();
}
