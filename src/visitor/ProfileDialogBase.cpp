#include "visitor/ProfileDialogBase.h"
#include "canvas/ScriptedModal.h"
#include "canvas/WidgetUtilities.h"

#include "visitor/ProfileCaptions.h"
#include "visitor/ProfileHost.h"
#include "visitor/User_Profile_Class.h"

#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "core/PictureServices.h"
#include "core/SKTImage.h"
#include "core/Utilities.h"
#include "data/SeriesViewer.h"
#include "data/batch/BatchBinding.h"
#include "data/spreadsheet/Import_Excel.h"
#include "platform/UiServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

bool Browse_Excel_AGAIN = false;

namespace {
ProfileModalRunner &runner()
{
    static ProfileModalRunner r;
    return r;
}

const QString ExcelItem = QStringLiteral("Excel");
// What a window manager may add above a window that has none yet.
constexpr int kTitleBarRoom = 40;

struct RowInfo {
    const char *stem;
    const QString *caption;
};
const RowInfo RowInfos[11] = {{"name", &Title_Name},       {"title", &Title_Title},     {"comp_name", &Title_Company_name},
                           {"slogan", &Title_slogan},   {"address", &Title_address}, {"phone", &Title_phone},
                           {"fax", &Title_fax},         {"email", &Title_email},     {"website", &Title_website},
                           {"unique", &Title_unique},   {"image", &Title_image}};
}  // namespace

ProfileModalRunner Set_Profile_Modal_Runner(ProfileModalRunner r)
{
    return std::exchange(runner(), std::move(r));
}

int Run_Profile_Window(QDialog &window)
{
    return runner() ? runShownModal(window, runner()) : window.exec();
}

ProfileDialogBase::ProfileDialogBase(ProfileHost &host, bool sideDialog, QWidget *parent)
    : QDialog(parent), m_host(host), m_side(sideDialog)
{
    setStyleSheet(Window_Background_Style());
    auto named = [](QWidget *w, const QString &name) {
        w->setObjectName(name);
        return w;
    };
    auto button = [this, &named](const QString &text, const QString &name, const std::function<void()> &action) {
        auto *b = new QPushButton(text, this);
        named(b, name);
        connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    excel_path_field = new QLineEdit(this);
    named(excel_path_field, QStringLiteral("excel_path_field"));
    excel_browse_btn = button(tr("Browse Excel"), QStringLiteral("excel_browse_btn"), [this] { Browse_excel_Btn_Clicked(); });
    view_excel_btn = button(tr("View Excel"), QStringLiteral("view_excel_btn"), [this] { View_Excel_Btn_Clicked(); });
    batch_series_btn = button(tr("Series…"), QStringLiteral("batch_series_btn"), [this] { Batch_Series_Btn_Clicked(); });

    m_grid = new QGridLayout;
    for (int i = 0; i < 11; ++i) {
        ProfileFieldRow &r = rows[size_t(i)];
        const QString stem = QString::fromLatin1(RowInfos[i].stem);
        r.stem = stem;
        r.caption = RowInfos[i].caption;
        r.valueId = Profile_Value_Id(i);
        if (i < 10) {
            r.captionId = Profile_Caption_Id(i);
            r.label = new QLineEdit(this);
            r.value = new QLineEdit(this);
            named(r.label, stem + QStringLiteral("_label"));
            named(r.value, stem + QStringLiteral("_value"));
            // A spreadsheet binding fills the column lists beside them, which then ask for more
            // room than the dialog has: captions and values keep what their text needs, so the
            // dialog grows rather than cutting them at their left edge.
            Keep_Text_Whole(r.label);
            Keep_Text_Whole(r.value);
            m_grid->addWidget(r.label, i, 1);
            m_grid->addWidget(r.value, i, 3);
            if (m_side) {
                r.label_chk = new QCheckBox(this);
                r.value_chk = new QCheckBox(this);
                named(r.label_chk, stem + QStringLiteral("_label_chk"));
                named(r.value_chk, stem + QStringLiteral("_value_chk"));
                m_grid->addWidget(r.label_chk, i, 0);
                m_grid->addWidget(r.value_chk, i, 2);
            }
        } else {
            m_grid->addWidget(new QLabel(tr("Photo"), this), i, 1);
        }
        r.ds_combo = new QComboBox(this);
        r.ds_combo->addItems({tr("Typed value"), tr("Series")});
        r.ser_col_cb = new QComboBox(this);
        named(r.ds_combo, stem + QStringLiteral("_ds_combo"));
        named(r.ser_col_cb, stem + QStringLiteral("_ser_col_cb"));
        r.view_btn = button(tr("View"), stem + QStringLiteral("_view_btn"),
                            [this, &r] { View_Data_Series_By_Name(r.ser_col_cb, r.ds_combo); });
        m_grid->addWidget(r.ds_combo, i, 4);
        m_grid->addWidget(r.ser_col_cb, i, 5);
        m_grid->addWidget(r.view_btn, i, 7);
        if (!m_side) {
            r.side_combo = new QComboBox(this);
            r.side_combo->addItems({tr("Front"), tr("Back"), tr("Both sides")});
            named(r.side_combo, stem + QStringLiteral("_side_combo"));
            m_grid->addWidget(r.side_combo, i, 6);
        }
        connect(r.ds_combo, &QComboBox::currentIndexChanged, this, [this, &r] { comboBoxSelectionDidChange(r.ds_combo); });
        connect(r.ser_col_cb, &QComboBox::currentIndexChanged, this,
                [this, &r] { comboBoxSelectionDidChange(r.ser_col_cb); });
    }

    photo_box = new QGroupBox(tr("Photo"), this);
    named(photo_box, QStringLiteral("photo_box"));
    image_path_val = new QLineEdit(photo_box);
    named(image_path_val, QStringLiteral("image_path_val"));
    image_path_val->setReadOnly(true);
    user_picture = new QLabel(photo_box);
    named(user_picture, QStringLiteral("user_picture"));
    user_picture->setFixedSize(96, 96);
    user_picture->setScaledContents(true);
    invalid_source_label = new QLabel(tr("No picture at this path."), photo_box);
    named(invalid_source_label, QStringLiteral("invalid_source_label"));
    invalid_source_label->hide();
    camera_btn = button(tr("Camera"), QStringLiteral("camera_btn"), [this] { Camera_Btn_Clicked(); });
    browse_pic_btn = button(tr("Browse…"), QStringLiteral("browse_pic_btn"), [this] { Browse_image_Btn_Clicked(); });
    clear_pic_btn = button(tr("Clear"), QStringLiteral("clear_pic_btn"), [this] { Clear_image_Btn_Clicked(); });
    auto *photoLayout = new QGridLayout(photo_box);
    photoLayout->addWidget(user_picture, 0, 0, 3, 1);
    photoLayout->addWidget(image_path_val, 0, 1, 1, 3);
    photoLayout->addWidget(camera_btn, 1, 1);
    photoLayout->addWidget(browse_pic_btn, 1, 2);
    photoLayout->addWidget(clear_pic_btn, 1, 3);
    photoLayout->addWidget(invalid_source_label, 2, 1, 1, 3);
    for (QWidget *w : {camera_btn, browse_pic_btn, clear_pic_btn})
        w->setParent(photo_box);

    auto *excelRow = new QHBoxLayout;
    excelRow->addWidget(new QLabel(tr("Excel file:"), this));
    excelRow->addWidget(excel_path_field, 1);
    excelRow->addWidget(excel_browse_btn);
    excelRow->addWidget(view_excel_btn);
    excelRow->addWidget(batch_series_btn);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(button(tr("Preview"), QStringLiteral("Preview_Btn_Clicked"), [this] { Preview_Btn_Clicked(); }));
    buttons->addWidget(button(tr("Reset"), QStringLiteral("Reset_Btn_Clicked"), [this] { Reset_Btn_Clicked(); }));
    buttons->addWidget(button(tr("Help"), QStringLiteral("Help_Btn_Clicked"), [this] { Help_Btn_Clicked(); }));
    buttons->addStretch();
    buttons->addWidget(button(tr("Cancel"), QStringLiteral("Cancel_Btn_Clicked"), [this] { Cancel_Btn_Clicked(); }));
    QPushButton *ok = button(tr("OK"), QStringLiteral("OK_Btn_Clicked"), [this] { OK_Btn_Clicked(); });
    ok->setDefault(true);
    buttons->addWidget(ok);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(excelRow);
    layout->addLayout(m_grid);
    layout->addWidget(photo_box);
    layout->addLayout(buttons);
}

int ProfileDialogBase::tableRows() const { return m_host.Excel_Table().rowCount(); }

User_Profile_Class &ProfileDialogBase::profileOf(Target target)
{
    return target == FrontTarget  ? m_host.Front_user_profile()
           : target == BackTarget ? m_host.Back_user_profile()
                                  : m_host.TEMP_user_profile();
}

void ProfileDialogBase::Set_User_Image(const QString &path)
{
    invalid_source_label->hide();
    const QString p = Trim_Str(path);
    m_photoPath = p;
    image_path_val->setText(Shown_Picture_Path(p));
    if (!p.isEmpty() && QFileInfo::exists(p)) {
        const QImage picture = pictureServices().Get_Image_For_Path(p, false);
        if (!picture.isNull())
            user_picture->setPixmap(QPixmap::fromImage(picture));
        return;
    }
    user_picture->clear();
    invalid_source_label->show();
}

void ProfileDialogBase::Add_Excel_in_Data_Source_Combo()
{
    for (ProfileFieldRow &r : rows)
        if (r.ds_combo->count() == 2)
            r.ds_combo->addItem(ExcelItem);
    excelItemAdded();
}

void ProfileDialogBase::Remove_Excel_in_Data_Source_Combo()
{
    for (ProfileFieldRow &r : rows) {
        if (r.ds_combo->count() != 3)
            continue;
        // A row on "Excel" is left with no source chosen rather than slipping onto the series.
        const QSignalBlocker block(r.ds_combo);
        if (r.ds_combo->currentIndex() == 2)
            r.ds_combo->setCurrentIndex(-1);
        r.ds_combo->removeItem(2);
    }
}

bool ProfileDialogBase::Check_Validation()
{
    checked_field_name.clear();
    for (const ProfileFieldRow &r : rows) {
        const int source = r.ds_combo->currentIndex();
        if ((source == 1 || source == 2) && r.ser_col_cb->currentIndex() < 0) {
            checked_field_name = *r.caption;
            return false;
        }
    }
    return true;
}

bool ProfileDialogBase::validateWithMessage()
{
    if (Check_Validation())
        return true;
    QString field = Trim_Str(checked_field_name);
    if (!field.isEmpty())
        field = QStringLiteral(" for '%1'").arg(Replace_char_in_string(field, QStringLiteral(" :"), QString()));
    Show_MessageBox(QStringLiteral("Please select the 'Series / Excel Column'") + field);
    return false;
}

void ProfileDialogBase::writeExcelFlags(User_Profile_Class &profile)
{
    profile.Fill_User_Profile_Enable = true;
    const bool rowsLoaded = tableRows() > 0;
    profile.Excel_Binding = rowsLoaded;
    if (rowsLoaded)
        m_host.Set_Excel_Source_Path(excel_path_field->text());
    m_host.Set_Excel_Binding_Use(rowsLoaded);
}

void ProfileDialogBase::writeSlot(User_Profile_Class &profile, int i)
{
    const ProfileFieldRow &r = rows[size_t(i)];
    ProfileSlot slot = profile.Profile_Slots()[size_t(i)];
    slot.value = r.isPhoto() ? m_photoPath : r.value->text();
    const int source = r.ds_combo->currentIndex();
    if (source < 0 || source > 2)
        return;
    slot.ds = source == 1;
    slot.ds_name = source == 1 ? r.ser_col_cb->currentText() : QString();
    slot.ds_indx = source == 1 ? r.ser_col_cb->currentIndex() : 0;
    slot.xl = source == 2;
    slot.xl_col_indx = source == 2 ? r.ser_col_cb->currentIndex() : 0;
}

void ProfileDialogBase::fillSeriesOrColumns(ProfileFieldRow &row)
{
    const QSignalBlocker block(row.ser_col_cb);
    row.ser_col_cb->clear();
    if (row.ds_combo->currentIndex() == 1) {
        row.ser_col_cb->addItems(Get_datasheet_File_Name_Array());
    } else {
        Add_Name_Items(row.ser_col_cb, m_host.Excel_Table().Column_Titles());
    }
    row.ser_col_cb->setCurrentIndex(-1);
}

void ProfileDialogBase::comboBoxSelectionDidChange(QComboBox *combo)
{
    for (ProfileFieldRow &r : rows)
        if (r.ds_combo == combo)
            return sourceChanged(r), fitToRows();
    for (ProfileFieldRow &r : rows)
        if (r.ser_col_cb == combo)
            return choiceChanged(r), fitToRows();
}

void ProfileDialogBase::fitToRows()
{
    // The size an opening gives: a dialog once shown keeps its size, so a row that now lists a
    // sheet's columns would squeeze them and the fields beside them. Grown only, within the
    // screen with room for a title bar.
    if (!isVisible() || !layout())
        return;
    layout()->activate();
    QSize wanted = size().expandedTo(sizeHint());
    QRect frame = frameGeometry();
    if (const QScreen *shown = screen()) {
        const QRect room = shown->availableGeometry();
        wanted = wanted.boundedTo(room.size() - (frame.size() - size()) - QSize(0, kTitleBarRoom));
        frame.setSize(wanted + (frame.size() - size()));
        // Grown past the screen's right or bottom edge, it moves back in.
        move(pos() + QPoint(std::min(0, room.right() - frame.right()), std::min(0, room.bottom() - frame.bottom())));
    }
    if (wanted != size())
        resize(wanted);
}

void ProfileDialogBase::sourceChanged(ProfileFieldRow &r)
{
    const int source = r.ds_combo->currentIndex();
    const bool typed = source == 0;
    if (r.isPhoto()) {
        for (QWidget *w : {camera_btn, browse_pic_btn, clear_pic_btn})
            w->setEnabled(typed);
    } else {
        r.value->setReadOnly(!typed);
    }
    if (typed) {
        if (!r.isPhoto())
            sourceBecameTyped(r);
        r.ser_col_cb->setEnabled(false);
        r.view_btn->setEnabled(false);
        if (r.isPhoto())
            sourceBecameTyped(r);
        const QSignalBlocker block(r.ser_col_cb);
        r.ser_col_cb->clear();
        return;
    }
    r.ser_col_cb->setEnabled(true);
    r.view_btn->setEnabled(true);
    fillSeriesOrColumns(r);
}

void ProfileDialogBase::choiceChanged(ProfileFieldRow &r)
{
    const int k = r.ser_col_cb->currentIndex();
    if (k < 0)
        return;
    if (!r.isPhoto())
        seriesOrColumnChosen(r);
    const QString item = r.ser_col_cb->currentText();
    QString first;
    switch (r.ds_combo->currentIndex()) {
    case 1:
        first = Get_First_Value_Of_Dataset(item);
        break;
    case 2:
        first = Get_First_Value_Of_Excel_Binding(m_host.Excel_Table().Rows(1), k);
        break;
    default:
        return;
    }
    if (r.isPhoto())
        Set_User_Image(first);
    else if (!item.isEmpty())
        r.value->setText(first);
}

void ProfileDialogBase::View_Data_Series_By_Name(QComboBox *list, QComboBox *source)
{
    if (source->currentIndex() == 2)
        return View_Excel_Btn_Clicked();
    if (source->currentIndex() != 1)
        return;
    const QString name = Trim_Str(list->currentText());
    if (name.isEmpty() || name == QLatin1String("<--Select-->") || list->currentIndex() < 0)
        return Show_MessageBox(QStringLiteral("Please select the series."));
    View_Data_Series *viewer = View_Data_Series::defaultInstance();
    viewer->file_name = name;
    viewer->Open_Wnd();
}

void ProfileDialogBase::View_Excel_Btn_Clicked()
{
    if (tableRows() != 0)
        m_host.Excel_Table().Open_Wnd();
    else
        Show_MessageBox(QStringLiteral("There is no excel data to view."));
}

void ProfileDialogBase::Browse_excel_Btn_Clicked()
{
    if (!browseStarting())
        return;
    Delete_Excel_File_Temp_Folder();
    const QString path = platform::ui().openFile(tr("Choose a workbook"), QString(),
                                                 {QStringLiteral("xlsx"), QStringLiteral("XLSX")});
    if (path.isEmpty())
        return browseCancelled();
    if (Check_And_Validate_File_Path(path))
        return;
    Import_Excel *picker = Import_Excel::defaultInstance();
    picker->open_mode = QStringLiteral("E");
    picker->table = &m_host.Excel_Table();
    picker->tableHost = m_host.Excel_Table_Host();
    if (picker->Open_excel_Wnd(path) != 1)
        return;
    if (tableRows() < 1) {
        Remove_Excel_in_Data_Source_Combo();
        view_excel_btn->setEnabled(false);
        excel_path_field->setEnabled(true);
        excel_browse_btn->setEnabled(true);
        return browseLoaded(path, false);
    }
    excel_path_field->setText(path);
    Add_Excel_in_Data_Source_Combo();
    view_excel_btn->setEnabled(true);
    browseLoaded(path, true);
}

void ProfileDialogBase::Batch_Series_Btn_Clicked()
{
    m_host.Batch_Series_Button();
    const QStringList names = Get_datasheet_File_Name_Array();
    for (ProfileFieldRow &r : rows) {
        if (r.ds_combo->currentIndex() != 1)
            continue;
        const QString chosen = r.ser_col_cb->currentIndex() >= 0 ? r.ser_col_cb->currentText() : QString();
        int position = -1;
        for (int i = 0; i < names.size() && !chosen.isEmpty(); ++i)
            if (names.at(i).compare(chosen, Qt::CaseInsensitive) == 0) {
                position = i;
                break;
            }
        const QSignalBlocker block(r.ser_col_cb);
        r.ser_col_cb->clear();
        r.ser_col_cb->addItems(names);
        r.ser_col_cb->setCurrentIndex(position);
    }
}

void ProfileDialogBase::Camera_Btn_Clicked()
{
    const QString taken = m_host.Take_Camera_Picture();
    if (!taken.isEmpty())
        Set_User_Image(taken);
}

void ProfileDialogBase::Browse_image_Btn_Clicked()
{
    const QString path = platform::ui().openFile(tr("Choose a photo"), QString(), m_host.Allowd_Image_fileTypes());
    if (path.isEmpty() || !Check_Picture_File(path))
        Library_Selected_Image.clear();
    else
        Set_User_Image(path);
}

void ProfileDialogBase::Clear_image_Btn_Clicked() { Set_User_Image(QString()); }

void ProfileDialogBase::Preview_Btn_Clicked()
{
    // The preview lays a copy: the side's own profiles change only at OK.
    if (!fill(TempTarget))
        return;
    const QString side = m_side ? load_side : QString::fromLatin1(Card_Front_Or_Back == 0 ? "F" : "B");
    m_host.Temp_Design_Control_Assign();
    const float x = last_ctrl_X, y = last_ctrl_Y;
    m_host.Fill_User_profile_info_TEMP_side(side);
    last_ctrl_X = x;
    last_ctrl_Y = y;
}

void ProfileDialogBase::Help_Btn_Clicked() { Open_Help_File(); }
