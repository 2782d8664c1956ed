#include "visitor/Profile_Panel.h"

#include "canvas/SKTGraphicView.h"
#include "canvas/WidgetUtilities.h"
#include "core/PictureServices.h"
#include "core/Globals.h"
#include "core/SKTDocument.h"
#include "core/SKTImage.h"
#include "core/Utilities.h"
#include "platform/PictureBudget.h"
#include "platform/RegularFile.h"
#include "platform/UiServices.h"
#include "visitor/ProfileCaptions.h"
#include "visitor/VisitorMode.h"
#include "visitor/VisitorWindow.h"

#include "visitor/VisitorRecorder.h"

#include <QCheckBox>
#include <QDateTime>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>

#include <algorithm>

const std::array<ProfileField, kProfileFields> Profile_Fields{{
    {"name", "Fup_Name", "Fup_lbl_Name"},
    {"title", "Fup_Title", "Fup_lbl_Title"},
    {"comp_name", "Fup_Company", "Fup_lbl_Company"},
    {"slogan", "Fup_CompanySlogan", "Fup_lbl_CompanySlogan"},
    {"address", "Fup_Address", "Fup_lbl_Address"},
    {"phone", "Fup_PhoneNO", "Fup_lbl_PhoneNO"},
    {"fax", "Fup_FaxNo", "Fup_lbl_FaxNo"},
    {"email", "Fup_EmailID", "Fup_lbl_EmailID"},
    {"website", "Fup_Website", "Fup_lbl_Website"},
    {"unique", "Fup_UniqueNo", "Fup_lbl_UniqueNo"},
    {"date", "Fup_Date", "Fup_lbl_Date"},
    {"time", "Fup_Time", "Fup_lbl_Time"},
}};

Profile_Panel *Front_Profile_Panel_OBJ = nullptr, *Back_Profile_Panel_OBJ = nullptr;

namespace {
constexpr int kPreviewSide = 500;

// A preview of at most 500 pixels on its longer side, turned as the file says.
QImage previewOf(const QString &path)
{
    // A FIFO typed as the photo would hang the desk; a picture bomb would take its memory.
    if (!platform::mayDecodePictureFile(path))
        return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (!image.isNull() && (image.width() > kPreviewSide || image.height() > kPreviewSide))
        image = image.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

void setBoxOn(QLineEdit *box, bool on)
{
    box->setReadOnly(!on);
    box->setEnabled(on);
}
}  // namespace

Profile_Panel::Profile_Panel(VisitorMode &mode, int side, QWidget *parent)
    : QWidget(parent), m_mode(mode), m_side(side)
{
    setObjectName(side == 0 ? QStringLiteral("front_vistr_view") : QStringLiteral("back_vistr_view"));
    (side == 0 ? Front_Profile_Panel_OBJ : Back_Profile_Panel_OBJ) = this;
    auto *grid = new QGridLayout(this);
    // Tight across: the caption and value columns take what a small screen can spare.
    grid->setContentsMargins(3, 6, 3, 6);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(3);
    side_name_label = new QLabel(side == 0 ? tr("Front Side Profile") : tr("Back Side Profile"), this);
    side_name_label->setObjectName(QStringLiteral("side_name_label"));
    side_name_label->setStyleSheet(QStringLiteral("font-weight: bold"));
    grid->addWidget(side_name_label, 0, 0, 1, 4);
    for (int row = 0; row < kProfileFields; ++row) {
        const QString stem = QString::fromLatin1(Profile_Fields[size_t(row)].stem);
        auto make = [&](bool caption, int column) {
            auto *chk = new QCheckBox(this);
            auto *box = new QLineEdit(this);
            const QString name = stem + (caption ? QStringLiteral("_label") : QStringLiteral("_value"));
            chk->setObjectName(name + QStringLiteral("_chk"));
            box->setObjectName(name);
            setBoxOn(box, false);
            (caption ? label_chk : value_chk)[size_t(row)] = chk;
            (caption ? label : value)[size_t(row)] = box;
            grid->addWidget(chk, row + 1, column);
            grid->addWidget(box, row + 1, column + 1);
            connect(chk, &QCheckBox::clicked, this, [this, row, caption] { Field_Chk_Clicked(row, caption); });
            connect(box, &QLineEdit::textEdited, this, [this, box] { controlTextDidChange(box); });
        };
        make(true, 0);
        make(false, 2);
    }
    // Captions and values share the width alike: on a narrow panel the captions still read whole.
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    date_manual_chk = new QCheckBox(tr("Manual date"), this);
    date_manual_chk->setObjectName(QStringLiteral("date_manual_chk"));
    time_manual_chk = new QCheckBox(tr("Manual time"), this);
    time_manual_chk->setObjectName(QStringLiteral("time_manual_chk"));
    // Across the whole row rather than one under each column: the value column may then be
    // narrower than "Manual time", so the panel fits a small screen.
    auto *manual = new QHBoxLayout;
    manual->addWidget(date_manual_chk, 1);
    manual->addWidget(time_manual_chk, 1);
    grid->addLayout(manual, kProfileFields + 1, 0, 1, 4);
    connect(date_manual_chk, &QCheckBox::clicked, this, [this] { Chk_Unchk_Manual_Date_Time(QStringLiteral("D")); });
    connect(time_manual_chk, &QCheckBox::clicked, this, [this] { Chk_Unchk_Manual_Date_Time(QStringLiteral("T")); });

    // The custom rows' columns, empty and hidden until a row is added, then the buttons under them.
    const int customRow = kProfileFields + 2;
    custom_label_box = new QWidget(this);
    custom_label_box->setObjectName(QStringLiteral("custom_label_box"));
    custom_field_box = new QWidget(this);
    custom_field_box->setObjectName(QStringLiteral("custom_field_box"));
    for (QWidget *box : {custom_label_box, custom_field_box}) {
        box->setFixedHeight(20);
        box->hide();
    }
    // The rows stretch with their column (see eventFilter), so a narrow panel keeps them whole.
    custom_label_box->setMinimumWidth(kCustomLabelLeast);
    custom_field_box->setMinimumWidth(kCustomFieldLeast);
    custom_label_box->installEventFilter(this);
    custom_field_box->installEventFilter(this);
    grid->addWidget(custom_label_box, customRow, 0, 1, 2);
    grid->addWidget(custom_field_box, customRow, 2, 1, 2);
    Add_label_btn = new QPushButton(tr("Add Field"), this);
    Add_label_btn->setObjectName(QStringLiteral("Add_label_btn"));
    Add_label_btn->setToolTip(tr("Adds a field of your own to the panel and to the card"));
    connect(Add_label_btn, &QPushButton::clicked, this, &Profile_Panel::Add_New_Label_Clicked);
    Add_to_DB_btn = new QPushButton(tr("Save Visitor"), this);
    Add_to_DB_btn->setObjectName(QStringLiteral("Add_to_DB_btn"));
    Add_to_DB_btn->setToolTip(tr("Records this visit in the visitor log"));
    connect(Add_to_DB_btn, &QPushButton::clicked, this, &Profile_Panel::Add_record_to_DB_Clicked);
    grid->addWidget(Add_label_btn, customRow + 1, 0, 1, 2);
    grid->addWidget(Add_to_DB_btn, customRow + 1, 2, 1, 2);
    new_ctrl_type_box = new QGroupBox(this);
    new_ctrl_type_box->setObjectName(QStringLiteral("new_ctrl_type_box"));
    auto *kinds = new QHBoxLayout(new_ctrl_type_box);
    kinds->setContentsMargins(4, 2, 4, 2);
    text_ctrl_type = new QRadioButton(tr("Text"), new_ctrl_type_box);
    text_ctrl_type->setObjectName(QStringLiteral("text_ctrl_type"));
    image_ctrl_type = new QRadioButton(tr("Photo"), new_ctrl_type_box);
    image_ctrl_type->setObjectName(QStringLiteral("image_ctrl_type"));
    kinds->addWidget(text_ctrl_type);
    kinds->addWidget(image_ctrl_type);
    connect(text_ctrl_type, &QRadioButton::clicked, this, &Profile_Panel::Text_ctrl_type_rd_select);
    connect(image_ctrl_type, &QRadioButton::clicked, this, &Profile_Panel::Image_ctrl_type_rd_select);
    new_ctrl_type_box->hide();
    grid->addWidget(new_ctrl_type_box, customRow + 2, 0, 1, 4);

    user_picture = new QLabel(this);
    user_picture->setObjectName(QStringLiteral("user_picture"));
    user_picture->setFixedSize(80, 96);
    user_picture->setAlignment(Qt::AlignCenter);
    user_picture->setFrameShape(QFrame::Box);
    browse_pic_btn = new QPushButton(tr("Photo from File…"), this);
    browse_pic_btn->setObjectName(QStringLiteral("browse_pic_btn"));
    connect(browse_pic_btn, &QPushButton::clicked, this, &Profile_Panel::Browse_image_Btn_Clicked);
    camera_btn = new QPushButton(tr("Photo from Camera…"), this);
    camera_btn->setObjectName(QStringLiteral("camera_btn"));
    connect(camera_btn, &QPushButton::clicked, this, &Profile_Panel::Open_Camera_Clicked);
    image_path_val = new QLineEdit(this);
    image_path_val->setObjectName(QStringLiteral("image_path_val"));
    image_path_val->setReadOnly(true);
    // The photo with its caption, buttons and path stacked beside it, across the whole panel
    // rather than under the value column: the panel stays narrow enough for a small screen.
    auto *photoBeside = new QVBoxLayout;
    photo_caption = new QLabel(Title_image, this);
    photoBeside->addWidget(photo_caption);
    photoBeside->addWidget(browse_pic_btn);
    photoBeside->addWidget(camera_btn);
    photoBeside->addWidget(image_path_val);
    photoBeside->addStretch();
    auto *photoRow = new QHBoxLayout;
    photoRow->addWidget(user_picture, 0, Qt::AlignTop);
    photoRow->addLayout(photoBeside, 1);
    grid->addLayout(photoRow, customRow + 3, 0, 1, 4);
    grid->setRowStretch(customRow + 4, 1);
    // The value boxes give way before the buttons and check boxes do, but not below their value
    // up to a caption's widest: a name cut at its edge reads as another name. The captions, the
    // clock's date and its time keep widths of their own (Refresh_Controls).
    for (QLineEdit *box : value)
        box->setMinimumWidth(40);
    for (int row = 0; row < kProfileFields; ++row)
        if (row != kDateField && row != kTimeField)
            Keep_Text_Whole(value[size_t(row)], 40, kCaptionMost);
    image_path_val->setMinimumWidth(40);

    Clock_Timer = new QTimer(this);
    Clock_Timer->setInterval(1000);
    connect(Clock_Timer, &QTimer::timeout, this, &Profile_Panel::Set_Time_Value);
    Reset_all_Ctrl();
}

void Profile_Panel::Field_Chk_Clicked(int row, bool caption)
{
    QLineEdit *box = (caption ? label : value)[size_t(row)];
    QCheckBox *chk = (caption ? label_chk : value_chk)[size_t(row)];
    const ProfileField &field = Profile_Fields[size_t(row)];
    const QString id = QString::fromLatin1(caption ? field.labelId : field.valueId);
    const bool clock = !caption && (row == kDateField || row == kTimeField);
    if (clock && row == kTimeField)
        Set_Time_Value();
    const QString text = box->text();
    const bool created = m_mode.new_control_add(text, id, box);
    m_mode.Change_Value(text, id, chk->isChecked(), created);
    setBoxOn(box, chk->isChecked());
    if (!clock)
        return;
    const bool date = row == kDateField;
    if (chk->isChecked()) {
        Chk_Unchk_Manual_Date_Time(date ? QStringLiteral("D") : QStringLiteral("T"));
        return;
    }
    date ? Set_Date_Value() : Set_Time_Value();
    QCheckBox *manual = date ? date_manual_chk : time_manual_chk;
    box->setEnabled(manual->isChecked());
    if (!date && !manual->isChecked())
        Start_Timer();
}

void Profile_Panel::Chk_Unchk_Manual_Date_Time(const QString &which)
{
    const bool date = which == QStringLiteral("D");
    QLineEdit *box = value[date ? kDateField : kTimeField];
    QCheckBox *shown = value_chk[date ? kDateField : kTimeField];
    if ((date ? date_manual_chk : time_manual_chk)->isChecked()) {
        if (!date)
            Stop_Timer();
        setBoxOn(box, true);
        return;
    }
    setBoxOn(box, false);
    if (shown->isChecked()) {
        if (!date)
            Stop_Timer();
        box->setEnabled(true);
        if (box->text().isEmpty())
            date ? Set_Date_Value() : Set_Time_Value();
    } else {
        if (!date)
            Start_Timer();
        date ? Set_Date_Value() : Set_Time_Value();
    }
}

void Profile_Panel::Set_Date_Value()
{
    value[kDateField]->setText(Visitor_Date_Text(Visitor_Clock_Now().date()));
}

void Profile_Panel::Set_Time_Value()
{
    value[kTimeField]->setText(Visitor_Clock_Now().toString(QStringLiteral("HH:mm:ss")));
}

void Profile_Panel::Start_Timer() { Clock_Timer->start(); }
void Profile_Panel::Stop_Timer() { Clock_Timer->stop(); }

void Profile_Panel::controlTextDidChange(QLineEdit *box)
{
    // A ticked box stands for a control on the card: when typing ticks a box whose control is
    // missing, the control is made and placed as a click on the box would.
    auto typed = [this, box](QCheckBox *chk, const QString &id) {
        chk->setChecked(true);
        const bool created = m_mode.new_control_add(box->text(), id, box);
        m_mode.Change_Value(box->text(), id, true, created);
    };
    for (int row = 0; row < kProfileFields; ++row) {
        const ProfileField &field = Profile_Fields[size_t(row)];
        if (box == label[size_t(row)])
            return typed(label_chk[size_t(row)], QString::fromLatin1(field.labelId));
        if (box == value[size_t(row)]) {
            // Date and time follow their check box; the other fields tick theirs.
            if (row < kDateField)
                return typed(value_chk[size_t(row)], QString::fromLatin1(field.valueId));
            m_mode.Change_Value(box->text(), QString::fromLatin1(field.valueId), value_chk[size_t(row)]->isChecked(),
                                false);
            return;
        }
    }
    for (const auto *list : {&view_array_label, &view_array_value}) {
        for (const CustomRowEntry &e : *list) {
            if (e.view == box)
                return m_mode.Change_Value(box->text(), e.id, true, false);
        }
    }
}

int Profile_Panel::Photo_Control_Target()
{
    if (m_mode.window().Check_Multiple_Image_Selection())
        return -1;
    SKTGraphicView *canvas = m_mode.currentCanvas();
    if (canvas && canvas->There_Is_Any_Lock_Contrl()) {
        platform::ui().message(QStringLiteral("Selected control is locked."));
        return -1;
    }
    return m_mode.Find_And_Select_Design_Image_Control();
}

void Profile_Panel::Open_Camera_Clicked()
{
    const int found = Photo_Control_Target();
    QString path;
    if (found < 0 || found >= 2 || m_mode.window().Open_Camera_Window(path) != 1)
        return;
    if (found == 0)
        m_mode.new_control_add(path, QStringLiteral("Fup_Photo"), image_path_val);
    Set_User_Image(path, found == 0 ? QStringLiteral("Fup_Photo") : QString());
    Show_Message_To_Update_Data(m_mode.currentCanvas() ? m_mode.currentCanvas()->Selected_Graphic() : nullptr);
}

void Profile_Panel::Browse_image_Btn_Clicked()
{
    VisitorWindow &window = m_mode.window();
    const int found = Photo_Control_Target();
    if (found < 0 || found >= 2)
        return;
    // In group mode the photo belongs to a record of the project, not to a visitor.
    const QString title = Start_Card_Option == QLatin1String("G") ? tr("Choose the record's photo")
                                                                   : tr("Choose the visitor's photo");
    const QString path = platform::ui().openFile(title, QString(), window.Allowd_Image_fileTypes());
    if (path.isEmpty() || !Check_Picture_File(path)) {
        Library_Selected_Image.clear();
        return;
    }
    if (found == 0)
        m_mode.new_control_add(path, QStringLiteral("Fup_Photo"), image_path_val);
    Set_User_Image(path, found == 0 ? QStringLiteral("Fup_Photo") : QString());
    Show_Message_To_Update_Data(m_mode.currentCanvas() ? m_mode.currentCanvas()->Selected_Graphic() : nullptr);
}

void Profile_Panel::Set_User_Image(const QString &rawPath, const QString &id)
{
    SKTGraphicView *canvas = m_mode.currentCanvas();
    SKTGraphic *selected = id.isEmpty() && canvas ? canvas->Selected_Graphic() : nullptr;
    const QString target = selected ? selected->control_ID : id;
    const QString path = rawPath.trimmed();
    image_path_val->setText(path);
    if (selected && target.isEmpty()) {
        // A picture control without an id cannot be found again by one: it takes the file as is.
        if (selected->kind() == SKTGraphicKind::Image)
            static_cast<SKTImage *>(selected)->setFilePath(path, true);
        selected->Set_Ctrl_Is_Visible(true);
        m_mode.window().Refresh_Canvas();
        m_mode.window().Insert_In_Undo_Redo();
    } else {
        const bool created = m_mode.new_control_add(path, target, image_path_val);
        m_mode.Change_Value(path, target, true, created);
    }
    showPicture(path.isEmpty() ? QImage() : previewOf(path));
    // A custom photo row shows the picture too: its path box and its small picture.
    if (!target.isEmpty() && target != QLatin1String("Fup_Photo")) {
        if (auto *box = qobject_cast<QLineEdit *>(Get_Dynamic_Label_Ctrl(target, QStringLiteral("T"))))
            box->setText(path);
        Show_Dynamic_Photo(target, path);
    }
    if (canvas && !target.isEmpty())
        canvas->Set_Selection_Index_According_ID(target);
}

void Profile_Panel::Set_User_Image_Control(const QString &rawPath, const QImage &image, const QString &rawId)
{
    const QString id = rawId.trimmed();
    SKTGraphicView *canvas = m_mode.window().canvasOfSide(m_side);
    if (!id.isEmpty() && (!canvas || !canvas->Selcect_Ctrl_With_ID(id)))
        return;
    QString path = rawPath.trimmed();
    // The card's photo placeholder is no visitor's photo: the box stays empty and none is recorded.
    if (Shown_Picture_Path(path).isEmpty())
        path.clear();
    image_path_val->setText(path);
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        showPicture(QImage());
        return;
    }
    const QImage shown = image.isNull() ? previewOf(path) : image;
    if (!shown.isNull())
        showPicture(shown);
}

void Profile_Panel::showPicture(const QImage &picture)
{
    if (picture.isNull()) {
        user_picture->clear();
        user_picture->setText(tr("No photo"));
        return;
    }
    user_picture->setPixmap(QPixmap::fromImage(
        picture.scaled(user_picture->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void Profile_Panel::Refresh_Controls()
{
    const QString *captions[kProfileFields] = {&Title_Name,  &Title_Title, &Title_Company_name, &Title_slogan,
                                               &Title_address, &Title_phone, &Title_fax,       &Title_email,
                                               &Title_website, &Title_unique, &Title_Date,      &Title_Time};
    photo_caption->setText(Title_image);  // the caption set in force, like the fields' captions
    // A date or time the operator typed by hand stays through a refresh (an undo, a profile laid
    // on the card); only a reset for the next visitor takes it away.
    const QString typedDate = date_manual_chk->isChecked() ? value[kDateField]->text() : QString();
    const QString typedTime = time_manual_chk->isChecked() ? value[kTimeField]->text() : QString();
    // The caption column is as wide as the longest caption of the set, so every caption reads
    // whole however narrow the panel is made; a caption typed longer scrolls in its box.
    int captionWidth = 40;
    for (int row = 0; row < kProfileFields; ++row)
        captionWidth = std::max(captionWidth, std::min(kCaptionMost, Whole_Text_Width(*label[size_t(row)], *captions[row])));
    for (QLineEdit *box : label)
        box->setMinimumWidth(captionWidth);
    // The clock's date and time read whole too: a date cut at its left edge reads as another day.
    int dateWidth = 0;
    for (int month = 1; month <= 12; ++month)
        dateWidth = std::max(dateWidth, Whole_Text_Width(*value[kDateField], Visitor_Date_Text(QDate(2000, month, 28))));
    value[kDateField]->setMinimumWidth(dateWidth);
    value[kTimeField]->setMinimumWidth(Whole_Text_Width(*value[kTimeField], QStringLiteral("00:00:00")));
    for (int row = 0; row < kProfileFields; ++row) {
        label[size_t(row)]->setText(*captions[row]);
        value[size_t(row)]->clear();
        for (QCheckBox *chk : {label_chk[size_t(row)], value_chk[size_t(row)]}) {
            chk->setChecked(false);
            chk->setEnabled(true);
        }
        setBoxOn(label[size_t(row)], false);
        setBoxOn(value[size_t(row)], false);
    }
    for (QCheckBox *chk : {date_manual_chk, time_manual_chk})
        chk->setEnabled(true);
    date_manual_chk->isChecked() ? value[kDateField]->setText(typedDate) : Set_Date_Value();
    time_manual_chk->isChecked() ? value[kTimeField]->setText(typedTime) : Set_Time_Value();
}

void Profile_Panel::Reset_all_Ctrl()
{
    Set_User_Image_Control(QString(), QImage(), QString());
    date_manual_chk->setChecked(false);
    time_manual_chk->setChecked(false);
    Refresh_Controls();
    counter = 1;
    ctrl_y = kCustomRowTop;
    if (!view_array_label.empty() || !view_array_value.empty()) {
        for (QWidget *box : {custom_label_box, custom_field_box}) {
            for (QWidget *child : box->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
                delete child;
            box->setFixedHeight(20);
            box->hide();
        }
        view_array_label.clear();
        view_array_value.clear();
        Change_btn_location();
    }
    txt_or_image_ctrl = 0;
    text_ctrl_type->setChecked(true);
    image_ctrl_type->setChecked(false);
}

// --- custom rows ---

CustomRowEntry Profile_Panel::addRow(QWidget *box, std::vector<CustomRowEntry> &list, const QString &id,
                                     QWidget *view, int chkX, bool visible, bool chkShown)
{
    const int y = int(ctrl_y);
    auto *chk = new QCheckBox(box);
    chk->setGeometry(chkX, y, kRowCheckWidth, 20);
    chk->setChecked(visible);
    chk->setVisible(chkShown);
    connect(chk, &QCheckBox::clicked, this, [this, chk] { Visitor_Dyn_Ctrl_Checked_Changed(chk); });
    view->show();
    list.push_back({id, view, chk});
    growBox(box);
    fitCustomRows(box);
    return list.back();
}

bool Profile_Panel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && (watched == custom_label_box || watched == custom_field_box))
        fitCustomRows(static_cast<QWidget *>(watched));
    return QWidget::eventFilter(watched, event);
}

void Profile_Panel::fitCustomRows(QWidget *box)
{
    // A caption row's box and a photo row's id reach to the right edge; a value row's check box
    // sits at the right edge with the box filling the room before it.
    const int w = box->width();
    for (QWidget *child : box->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        const QRect g = child->geometry();
        if (box == custom_label_box && qobject_cast<QLineEdit *>(child))
            child->setGeometry(g.x(), g.y(), std::max(20, w - g.x() - 2), g.height());
        else if (box == custom_field_box && qobject_cast<QLineEdit *>(child))
            child->setGeometry(g.x(), g.y(), std::max(20, w - g.x() - kRowCheckWidth - 2), g.height());
        else if (box == custom_field_box && qobject_cast<QCheckBox *>(child))
            child->setGeometry(w - kRowCheckWidth, g.y(), kRowCheckWidth, g.height());
    }
}

void Profile_Panel::growBox(QWidget *box)
{
    // The box grows downwards by one row under its fixed column.
    const int rows = int(box == custom_label_box ? view_array_label.size() : view_array_value.size());
    box->setFixedHeight(int(kCustomRowTop) + rows * int(kCustomRowStep));
}

void Profile_Panel::createRowControl(const QString &text, const QString &id, QLineEdit *box)
{
    const bool created = m_mode.new_control_add(text, id, box);
    m_mode.Change_Value(text, id, true, created);
}

QImage Profile_Panel::rowPicture(const QString &path) const
{
    VisitorWindow &window = m_mode.window();
    if (path.isEmpty() || QFileInfo(path).fileName() == QLatin1String("no.png"))
        return window.no_image_ctrl_GP();
    const QImage preview = previewOf(path);
    return preview.isNull() ? window.Err_image() : preview;
}

void Profile_Panel::Add_label_control(const QString &givenId, const QString &givenText, bool visible)
{
    const bool fresh = givenId.isEmpty();
    const QString id = fresh ? QStringLiteral("F_label%1").arg(counter) : givenId;
    const QString text = fresh ? id : givenText;
    auto *box = new QLineEdit(text, custom_label_box);
    box->setGeometry(24, int(ctrl_y), 115, 20);
    box->setEnabled(visible);
    connect(box, &QLineEdit::textEdited, this, [this, box] { controlTextDidChange(box); });
    addRow(custom_label_box, view_array_label, id, box, 0, visible, true);
    if (fresh)
        createRowControl(text, id, box);
}

void Profile_Panel::Add_Image_control(const QString &givenId, const QString &path, bool visible)
{
    const bool fresh = givenId.isEmpty();
    const QString id = fresh ? QStringLiteral("F_Photo%1").arg(counter) : givenId;
    // A new photo row holds no picture until one is chosen: the card prints nothing for it.
    const QString file = fresh ? QString() : path;
    auto *picture = new QLabel(custom_label_box);
    picture->setGeometry(5, int(ctrl_y) - 3, 40, 25);
    picture->setFrameShape(QFrame::Box);
    picture->setAlignment(Qt::AlignCenter);
    Set_Dynamic_Pic_Ctrl_Image(picture, fresh ? m_mode.window().no_image_ctrl_GP() : rowPicture(file));
    auto *idLabel = new QLineEdit(id, custom_label_box);
    idLabel->setGeometry(60, int(ctrl_y), 80, 20);
    idLabel->setReadOnly(true);
    idLabel->show();
    addRow(custom_label_box, view_array_label, id, picture, 0, visible, false);
    if (fresh)
        createRowControl(file, id, nullptr);
}

void Profile_Panel::Add_Value_control(const QString &givenId, const QString &givenText, bool visible)
{
    const bool fresh = givenId.isEmpty(), photo = txt_or_image_ctrl == 1;
    const QString id = fresh ? QStringLiteral("%1%2").arg(photo ? "F_Photo" : "F_field").arg(counter) : givenId;
    const bool photoRow = photo || id.contains(QLatin1String("_Photo"));
    // A photo row's box names the user's file, never the application's own placeholder.
    const QString text = fresh ? (photo ? QString() : id) : photoRow ? Shown_Picture_Path(givenText) : givenText;
    auto *box = new QLineEdit(text, custom_field_box);
    box->setGeometry(7, int(ctrl_y), 160, 20);
    box->setEnabled(visible);
    box->setReadOnly(photoRow);
    box->setCursorPosition(0);
    connect(box, &QLineEdit::textEdited, this, [this, box] { controlTextDidChange(box); });
    addRow(custom_field_box, view_array_value, id, box, custom_field_box->width() - kRowCheckWidth, visible, true);
    if (fresh)
        createRowControl(text, id, photo ? nullptr : box);
}

void Profile_Panel::Increment_in_position()
{
    ctrl_y += kCustomRowStep;
    ++counter;
    custom_label_box->show();
    custom_field_box->show();
    Change_btn_location();
}

void Profile_Panel::Add_New_Label_Clicked()
{
    if (txt_or_image_ctrl == 1)
        Add_Image_control(QString(), QString(), true);
    else
        Add_label_control(QString(), QString(), true);
    Add_Value_control(QString(), QString(), true);
    Increment_in_position();
    m_mode.window().Create_Dynamic_Control_List(Card_Front_Or_Back == 1 ? 1 : 0);
}

void Profile_Panel::Change_btn_location()
{
    // The grid keeps the buttons under the lowest box; the panel takes its new height.
    if (layout())
        layout()->activate();
    m_mode.Set_Panel_Size(m_side);
}

void Profile_Panel::Visitor_Dyn_Ctrl_Checked_Changed(QCheckBox *sender)
{
    const CustomRowEntry *row = nullptr;
    for (const auto *list : {&view_array_label, &view_array_value}) {
        for (const CustomRowEntry &e : *list) {
            if (!row && e.chk == sender)
                row = &e;
        }
    }
    if (!row)
        return;
    m_mode.window().Insert_In_Undo_Redo();
    const QString id = row->id;
    auto *box = qobject_cast<QLineEdit *>(Get_Dynamic_Label_Ctrl(id, QStringLiteral("T")));
    const QString text = box ? box->text() : QString();
    m_mode.new_control_add(text, id, box && !id.contains(QLatin1String("_Photo")) ? box : nullptr);
    m_mode.Change_Value(text, id, sender->isChecked(), false);
    if (box) {
        box->setEnabled(sender->isChecked());
        box->setReadOnly(id.contains(QLatin1String("_Photo")));
    }
}

QWidget *Profile_Panel::Get_Dynamic_Label_Ctrl(const QString &id, const QString &kind) const
{
    const std::vector<CustomRowEntry> *list = nullptr;
    if (id.contains(QLatin1String("_field")) || id.contains(QLatin1String("_Photo")))
        list = &view_array_value;
    else if (id.contains(QLatin1String("_label")))
        list = &view_array_label;
    if (!list)
        return nullptr;
    const bool text = kind == QLatin1String("T");
    for (const CustomRowEntry &e : *list) {
        if (e.id != id)
            continue;
        if (text && qobject_cast<QLineEdit *>(e.view))
            return e.view;
        if (!text && e.chk)
            return e.chk;
    }
    return nullptr;
}

void Profile_Panel::Set_Dynamic_Pic_Ctrl_Image(QLabel *view, const QImage &picture) const
{
    if (!view)
        return;
    const QImage shown = picture.isNull() ? m_mode.window().Err_image() : picture;
    if (shown.isNull())
        view->clear();
    else
        view->setPixmap(QPixmap::fromImage(shown.scaled(38, 23, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void Profile_Panel::Show_Dynamic_Photo(const QString &id, const QString &path) const
{
    if (QLabel *view = Get_Dynamic_Photo_Ctrl(id))
        Set_Dynamic_Pic_Ctrl_Image(view, rowPicture(path));
}

QLabel *Profile_Panel::Get_Dynamic_Photo_Ctrl(const QString &id) const
{
    for (const CustomRowEntry &e : view_array_label) {
        if (e.id == id)
            return qobject_cast<QLabel *>(e.view);
    }
    return nullptr;
}

void Profile_Panel::Text_ctrl_type_rd_select()
{
    txt_or_image_ctrl = 0;
    text_ctrl_type->setChecked(true);
    image_ctrl_type->setChecked(false);
}

void Profile_Panel::Image_ctrl_type_rd_select()
{
    txt_or_image_ctrl = 1;
    text_ctrl_type->setChecked(false);
    image_ctrl_type->setChecked(true);
}

void Profile_Panel::Add_record_to_DB_Clicked() { m_mode.Add_Visitor_Record_To_DB(); }

QString Profile_Panel::Custom_Rows_Text() const
{
    // Trimmed after every row, as the stored text has always been: a row with nothing shown adds
    // nothing and no line ends in blanks.
    QString text;
    for (const CustomRowEntry &row : view_array_label) {
        QString valueId = row.id;
        valueId.replace(QLatin1String("label"), QLatin1String("field"));
        const auto *box = qobject_cast<const QLineEdit *>(Get_Dynamic_Label_Ctrl(valueId, QStringLiteral("T")));
        const auto *caption = qobject_cast<const QLineEdit *>(row.view);
        const QString value = box && box->isEnabled() ? box->text() : QString();
        const QString head = caption && caption->isEnabled() ? caption->text() + QStringLiteral(" : ") : QString();
        text = Trim_Str(text + QStringLiteral("\r\n") + head + value + QStringLiteral("\r\n"));
    }
    return text;
}
