#include "visitor/Profile_Panel.h"

#include "canvas/SKTGraphicView.h"
#include "core/PictureServices.h"
#include "core/Globals.h"
#include "core/SKTDocument.h"
#include "core/SKTImage.h"
#include "platform/UiServices.h"
#include "visitor/ProfileCaptions.h"
#include "visitor/VisitorMode.h"
#include "visitor/VisitorWindow.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

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
    grid->setContentsMargins(8, 6, 8, 6);
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
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 3);
    date_manual_chk = new QCheckBox(tr("Manual date"), this);
    date_manual_chk->setObjectName(QStringLiteral("date_manual_chk"));
    time_manual_chk = new QCheckBox(tr("Manual time"), this);
    time_manual_chk->setObjectName(QStringLiteral("time_manual_chk"));
    grid->addWidget(date_manual_chk, kProfileFields + 1, 0, 1, 2);
    grid->addWidget(time_manual_chk, kProfileFields + 1, 2, 1, 2);
    connect(date_manual_chk, &QCheckBox::clicked, this, [this] { Chk_Unchk_Manual_Date_Time(QStringLiteral("D")); });
    connect(time_manual_chk, &QCheckBox::clicked, this, [this] { Chk_Unchk_Manual_Date_Time(QStringLiteral("T")); });

    user_picture = new QLabel(this);
    user_picture->setObjectName(QStringLiteral("user_picture"));
    user_picture->setFixedSize(96, 112);
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
    auto *photoButtons = new QVBoxLayout;
    photoButtons->addWidget(new QLabel(Title_image, this));
    photoButtons->addWidget(browse_pic_btn);
    photoButtons->addWidget(camera_btn);
    photoButtons->addWidget(image_path_val);
    photoButtons->addStretch();
    grid->addWidget(user_picture, kProfileFields + 2, 0, 1, 2);
    grid->addLayout(photoButtons, kProfileFields + 2, 2, 1, 2);
    grid->setRowStretch(kProfileFields + 3, 1);

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
    value[kDateField]->setText(QLocale::c().toString(QDate::currentDate(), QStringLiteral("dd-MMM-yyyy")));
}

void Profile_Panel::Set_Time_Value()
{
    value[kTimeField]->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
}

void Profile_Panel::Start_Timer() { Clock_Timer->start(); }
void Profile_Panel::Stop_Timer() { Clock_Timer->stop(); }

void Profile_Panel::controlTextDidChange(QLineEdit *box)
{
    for (int row = 0; row < kProfileFields; ++row) {
        const ProfileField &field = Profile_Fields[size_t(row)];
        if (box == label[size_t(row)]) {
            label_chk[size_t(row)]->setChecked(true);
            m_mode.Change_Value(box->text(), QString::fromLatin1(field.labelId), true, false);
            return;
        }
        if (box == value[size_t(row)]) {
            // Date and time follow their check box; the other fields tick theirs.
            if (row < kDateField)
                value_chk[size_t(row)]->setChecked(true);
            m_mode.Change_Value(box->text(), QString::fromLatin1(field.valueId), value_chk[size_t(row)]->isChecked(),
                                false);
            return;
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
}

void Profile_Panel::Browse_image_Btn_Clicked()
{
    VisitorWindow &window = m_mode.window();
    const int found = Photo_Control_Target();
    if (found < 0 || found >= 2)
        return;
    const QString path = platform::ui().openFile(tr("Choose the visitor's photo"), QString(),
                                                 window.Allowd_Image_fileTypes());
    if (path.isEmpty()) {
        Library_Selected_Image.clear();
        return;
    }
    if (found == 0)
        m_mode.new_control_add(path, QStringLiteral("Fup_Photo"), image_path_val);
    Set_User_Image(path, found == 0 ? QStringLiteral("Fup_Photo") : QString());
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
    if (canvas && !target.isEmpty())
        canvas->Set_Selection_Index_According_ID(target);
}

void Profile_Panel::Set_User_Image_Control(const QString &rawPath, const QImage &image, const QString &rawId)
{
    const QString id = rawId.trimmed();
    SKTGraphicView *canvas = m_mode.window().canvasOfSide(m_side);
    if (!id.isEmpty() && (!canvas || !canvas->Selcect_Ctrl_With_ID(id)))
        return;
    const QString path = rawPath.trimmed();
    image_path_val->setText(Shown_Picture_Path(path));
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

void Profile_Panel::Reset_all_Ctrl()
{
    const QString *captions[kProfileFields] = {&Title_Name,  &Title_Title, &Title_Company_name, &Title_slogan,
                                               &Title_address, &Title_phone, &Title_fax,       &Title_email,
                                               &Title_website, &Title_unique, &Title_Date,      &Title_Time};
    for (int row = 0; row < kProfileFields; ++row) {
        label[size_t(row)]->setText(*captions[row]);
        value[size_t(row)]->clear();
        for (QCheckBox *chk : {label_chk[size_t(row)], value_chk[size_t(row)]})
            chk->setChecked(false);
        // An empty panel is ready for typing; unticking a field is what disables its box.
        setBoxOn(label[size_t(row)], true);
        setBoxOn(value[size_t(row)], true);
    }
    date_manual_chk->setChecked(false);
    time_manual_chk->setChecked(false);
    Set_User_Image_Control(QString(), QImage(), QString());
}
