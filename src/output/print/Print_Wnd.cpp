#include "output/print/Print_Wnd.h"
#include "canvas/PageSetupPanel.h"
#include "canvas/WidgetUtilities.h"

#include "core/Globals.h"
#include "core/Utilities.h"
#include "output/print/PrintInfo.h"
#include "output/print/PrintJob.h"
#include "output/print/Sample_Preview.h"
#include "platform/Paths.h"
#include "platform/UiServices.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QDir>
#include <QDoubleSpinBox>
#include <QEventLoop>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QVBoxLayout>

const char *const kSaveAsPdfPrinter = "Save as PDF";

QStringList Print_Printer_Names()
{
    QStringList names = QPrinterInfo::availablePrinterNames();
    names << QString::fromLatin1(kSaveAsPdfPrinter);
    return names;
}

namespace {

QDoubleSpinBox *millimetres(QWidget *parent, const char *name)
{
    auto *box = named(Decimal_Field(parent), name);
    box->setRange(0, Print_Millimetre_Max);
    box->setDecimals(2);
    // The layout is checked, and every field written back, when the user leaves the field or
    // presses Return: checked at each keystroke, "80." came back as "80.00" and the next digit
    // had no place to go.
    box->setKeyboardTracking(false);
    return box;
}

QSpinBox *count(QWidget *parent, const char *name)
{
    auto *box = named(Count_Field(parent), name);
    box->setRange(Print_Count_Min, Print_Count_Max);  // an empty or zero count is taken as 1
    return box;
}

// The window's pictures, drawn by scripts/resgen into the resources' "print" folder.
QPixmap printPicture(const QString &name)
{
    return QPixmap(platform::joinPath(Resource_Path, QStringLiteral("print"), name + QStringLiteral(".png")));
}

// The picture of each block position, normal and selected, in the order of the values 1 to 9.
const char *const kPositionPictures[9][2] = {
    {"top_left", "top_left - sel"},         {"top_center", "top_center - sel"},
    {"top_right", "top_right - sel"},       {"middle_left", "middle_left - sel"},
    {"middle_center", "middle_center_sel"}, {"middle_right", "middle_right - sel"},
    {"bootom_left", "bootom_left - sel"},   {"bootom_center", "bootom_center - sel"},
    {"boottom_right", "boottom_right - sel"},
};

void setValue(QDoubleSpinBox *box, double v) { box->setValue(v); }
void setValue(QSpinBox *box, int v) { box->setValue(v); }

}  // namespace

Add_Print_Profile::Add_Print_Profile(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Add_Print_Profile"));
    setWindowTitle(tr("Print Profile"));
    Apply_Window_Background(this);
    auto *form = new QFormLayout(this);
    Printer_ComboBox = named(new QComboBox(this), "Printer_ComboBox");
    Profile_name = named(new QLineEdit(this), "Profile_name");
    pass_profile_name = named(new QLineEdit(this), "pass_profile_name");
    pass_profile_name->hide();
    form->addRow(tr("Printer"), Printer_ComboBox);
    form->addRow(tr("Profile name"), Profile_name);
    auto *ok = named(new QPushButton(tr("OK"), this), "OKPressed");
    auto *cancel = named(new QPushButton(tr("Cancel"), this), "CancelPressed");
    form->addRow(cancel, ok);
    connect(ok, &QPushButton::clicked, this, &Add_Print_Profile::OKPressed);
    connect(cancel, &QPushButton::clicked, this, &Add_Print_Profile::CancelPressed);
}

int Add_Print_Profile::Open_Profile_Wnd(const QString &name, const QString &selected_printer)
{
    Profile_name->setText(name);
    pass_profile_name->setText(name);
    Printer_ComboBox->clear();
    Printer_ComboBox->addItems(Print_Printer_Names());
    if (!name.isEmpty() || !selected_printer.isEmpty())
        Printer_ComboBox->setCurrentIndex(std::max(0, Printer_ComboBox->findText(selected_printer)));
    return platform::ui().runModal(objectName(), name, [this] { return exec(); });
}

void Add_Print_Profile::OKPressed()
{
    QString cleaned;
    const QString refusal = Check_Profile_Name(Printer_ComboBox->currentText(), Profile_name->text(), &cleaned);
    if (!refusal.isEmpty()) {
        platform::ui().message(refusal);
        return;
    }
    custom_profile_Printer = Trim_Str(Printer_ComboBox->currentText());
    custom_print_profile_name = cleaned;
    done(1);
}

void Add_Print_Profile::CancelPressed()
{
    Profile_name->clear();
    done(0);
}

Print_Wnd::Print_Wnd(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Print_Wnd"));
    setWindowTitle(tr("Print"));
    setStyleSheet(Window_Background_Style(QStringLiteral("QDialog#Print_Wnd")));
    auto *columns = new QHBoxLayout(this);
    // The settings scroll on a small screen; the preview column keeps the buttons in view.
    auto *settings = new QGridLayout;
    columns->addWidget(Scrolling_Panel(settings, {660, 640}, "Print_settings"));
    int line = 0;
    auto add = [&](const QString &label, QWidget *a, QWidget *b = nullptr) {
        settings->addWidget(new QLabel(label, this), line, 0);
        settings->addWidget(a, line, 1);
        if (b)
            settings->addWidget(b, line, 2);
        ++line;
    };

    Printer_ComboBox = named(new QComboBox(this), "Printer_ComboBox");
    auto *setup = named(new QPushButton(tr("Page Setup..."), this), "pagesetup");
    add(tr("Printer"), Printer_ComboBox, setup);
    Orient_ComboBox = named(new QComboBox(this), "Orient_ComboBox");
    Orient_ComboBox->addItems({QStringLiteral("Portrait"), QStringLiteral("Landscape")});
    add(tr("Orientation"), Orient_ComboBox);
    Paper_id = named(new QLabel(this), "Paper_id");
    Size_id = named(new QLabel(this), "Size_id");
    add(tr("Paper"), Paper_id, Size_id);
    l_mar_id = named(new QLabel(this), "l_mar_id");
    r_mar_id = named(new QLabel(this), "r_mar_id");
    t_mar_id = named(new QLabel(this), "t_mar_id");
    b_mar_id = named(new QLabel(this), "b_mar_id");
    // The four margins on one line: left and right, then top and bottom.
    auto pairOf = [this](QLabel *a, QLabel *b) {
        auto *both = new QWidget(this);
        auto *row = new QHBoxLayout(both);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(a);
        row->addWidget(b);
        return both;
    };
    add(tr("Margins l, r / t, b"), pairOf(l_mar_id, r_mar_id), pairOf(t_mar_id, b_mar_id));
    width_Text = millimetres(this, "width_Text");
    height_Text = millimetres(this, "height_Text");
    add(tr("Card width, height (mm)"), width_Text, height_Text);
    horz_mar_Text = millimetres(this, "horz_mar_Text");
    vert_mar_Text = millimetres(this, "vert_mar_Text");
    add(tr("Gaps across, down (mm)"), horz_mar_Text, vert_mar_Text);
    Side_Margin_Text = millimetres(this, "Side_Margin_Text");
    add(tr("Gap between sides (mm)"), Side_Margin_Text);
    Row_Text = count(this, "Row_Text");
    Col_Text = count(this, "Col_Text");
    add(tr("Rows, columns"), Row_Text, Col_Text);

    Auto_Center_chk_bx = named(new QCheckBox(tr("Auto centre"), this), "Auto_Center_chk_bx");
    card_align_box = named(new QGroupBox(tr("Position"), this), "card_align_box");
    align_Gp_Bx = named(new QWidget(card_align_box), "align_Gp_Bx");
    auto *alignBox = new QVBoxLayout(card_align_box);
    alignBox->setContentsMargins(6, 4, 6, 4);
    alignBox->addWidget(align_Gp_Bx, 0, Qt::AlignCenter);
    auto *grid = new QGridLayout(align_Gp_Bx);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    alignGroup = new QButtonGroup(this);
    static const char *const buttons[] = {"top_left_btn", "top_center_btn", "top_rite_btn",
                                          "mid_left_btn", "mid_center_btn", "mid_rite_btn",
                                          "bot_left_btn", "bot_center_btn", "bot_rite_btn"};
    for (int i = 0; i < 9; ++i) {
        auto *b = named(new QPushButton(align_Gp_Bx), buttons[i]);
        b->setCheckable(true);
        b->setFixedSize(24, 24);
        b->setIconSize(QSize(20, 20));
        b->setFlat(true);
        for (int selected = 0; selected < 2; ++selected)
            positionPictures[i][selected] = printPicture(QString::fromLatin1(kPositionPictures[i][selected]));
        alignGroup->addButton(b, i + 1);
        grid->addWidget(b, i / 3, i % 3);
    }
    add(QString(), Auto_Center_chk_bx, card_align_box);

    matrix_card_side = named(new QWidget(this), "matrix_card_side");
    auto *sideRow = new QHBoxLayout(matrix_card_side);
    sideGroup = new QButtonGroup(this);
    const QString sideTitles[] = {tr("Both sides"), tr("Front"), tr("Back")};
    for (int i = 0; i < 3; ++i) {
        auto *b = new QRadioButton(sideTitles[i], matrix_card_side);
        b->setObjectName(QStringLiteral("matrix_card_side_%1").arg(i));
        sideGroup->addButton(b, i);
        sideRow->addWidget(b);
    }
    // The arrangement's picture stands beside both the sides and the arrangement lists.
    const int sidesLine = line;
    add(tr("Sides"), matrix_card_side);
    print_alignment = named(new QComboBox(this), "print_alignment");
    print_alignment->addItems({tr("Back below, head to head"), tr("Back below"), tr("Back beside"),
                               tr("Duplex"), tr("Duplex, back turned")});
    print_alignment_one_side = named(new QComboBox(this), "print_alignment_one_side");
    print_alignment_one_side->addItems({tr("Upright"), tr("Turned")});
    print_align_demo_pic = named(new QLabel(this), "print_align_demo_pic");
    print_align_demo_pic->setFixedSize(64, 48);
    print_align_demo_pic->setScaledContents(true);
    for (const char *name : {"up-down-flip", "up-down", "left-rite", "both_up", "head_up_head_down", "front",
                             "front_flip", "back", "back_flip"})
        arrangementPictures.insert(QString::fromLatin1(name), printPicture(QString::fromLatin1(name)));
    auto *lists = new QWidget(this);
    auto *listRow = new QHBoxLayout(lists);
    listRow->setContentsMargins(0, 0, 0, 0);
    listRow->addWidget(print_alignment);
    listRow->addWidget(print_alignment_one_side);
    add(tr("Arrangement"), lists);
    settings->addWidget(print_align_demo_pic, sidesLine, 2, 2, 1, Qt::AlignCenter);

    mirror_chk_box = named(new QCheckBox(tr("Mirror"), this), "mirror_chk_box");
    mirror_matrix = named(new QWidget(this), "mirror_matrix");
    auto *mirrorRow = new QHBoxLayout(mirror_matrix);
    mirrorGroup = new QButtonGroup(this);
    mirrorGroup->addButton(named(new QRadioButton(tr("Horizontal"), mirror_matrix), "mirror_horizontal"), 0);
    mirrorGroup->addButton(named(new QRadioButton(tr("Vertical"), mirror_matrix), "mirror_vertical"), 1);
    for (QAbstractButton *b : mirrorGroup->buttons())
        mirrorRow->addWidget(b);
    add(QString(), mirror_chk_box, mirror_matrix);
    fit_frame_chk = named(new QCheckBox(tr("Fit to frame"), this), "fit_frame_chk");
    crop_mark_chk = named(new QCheckBox(tr("Crop marks"), this), "crop_mark_chk");
    add(QString(), fit_frame_chk, crop_mark_chk);
    Show_Margins = named(new QCheckBox(tr("Show margins"), this), "Show_Margins");
    print_with_batch_chk = named(new QCheckBox(tr("Values from series"), this), "print_with_batch_chk");
    print_with_excel_chk = named(new QCheckBox(tr("Values from the spreadsheet"), this), "print_with_excel_chk");
    add(QString(), print_with_batch_chk, print_with_excel_chk);

    export_range_box = named(new QGroupBox(tr("Cards"), this), "export_range_box");
    auto *range = new QGridLayout(export_range_box);
    All_print_rd = named(new QRadioButton(tr("All"), export_range_box), "All_print_rd");
    Sel_print_rd = named(new QRadioButton(tr("Range"), export_range_box), "Sel_print_rd");
    tot_label = named(new QLabel(tr("Total"), export_range_box), "tot_label");
    from_label = named(new QLabel(tr("From"), export_range_box), "from_label");
    to_label = named(new QLabel(tr("To"), export_range_box), "to_label");
    Total_Text = count(export_range_box, "Total_Text");
    from_Text = count(export_range_box, "from_Text");
    To_Text = count(export_range_box, "To_Text");
    range->addWidget(All_print_rd, 0, 0);
    range->addWidget(tot_label, 0, 1);
    range->addWidget(Total_Text, 0, 2);
    range->addWidget(Sel_print_rd, 1, 0);
    range->addWidget(from_label, 1, 1);
    range->addWidget(from_Text, 1, 2);
    range->addWidget(to_label, 1, 3);
    range->addWidget(To_Text, 1, 4);
    settings->addWidget(export_range_box, line++, 0, 1, 3);
    Copies_Text = count(this, "Copies_Text");
    add(tr("Copies"), Copies_Text, Show_Margins);

    auto *right = new QVBoxLayout;
    columns->addLayout(right, 1);
    Print_sclview = named(new QScrollArea(this), "Print_sclview");
    test_image_view = named(new QLabel, "test_image_view");
    Print_sclview->setWidget(test_image_view);
    Print_sclview->setWidgetResizable(true);
    Print_sclview->setMinimumSize(320, 300);
    right->addWidget(Print_sclview, 1);
    List_profile = named(new QListWidget(this), "List_profile");
    List_profile->setMaximumHeight(110);
    right->addWidget(List_profile);
    auto *profileRow = new QHBoxLayout;
    Add_profile_btn = named(new QPushButton(tr("Add"), this), "Add_profile_btn");
    Edit_profile_btn = named(new QPushButton(tr("Edit"), this), "Edit_profile_btn");
    Save_profile_btn = named(new QPushButton(tr("Save"), this), "Save_profile_btn");
    Delete_profile_btn = named(new QPushButton(tr("Delete"), this), "Delete_profile_btn");
    for (QPushButton *b : {Add_profile_btn, Edit_profile_btn, Save_profile_btn, Delete_profile_btn})
        profileRow->addWidget(b);
    right->addLayout(profileRow);
    auto *endRow = new QHBoxLayout;
    auto *cancel = named(new QPushButton(tr("Cancel"), this), "CancelButtonPressed");
    auto *preview = named(new QPushButton(tr("Preview"), this), "PreviewButtonPressed");
    auto *print = named(new QPushButton(tr("Print"), this), "PrintButtonPressed");
    endRow->addWidget(cancel);
    endRow->addStretch(1);
    endRow->addWidget(preview);
    endRow->addWidget(print);
    right->addLayout(endRow);
    profileDialog = new Add_Print_Profile(this);

    connect(cancel, &QPushButton::clicked, this, &Print_Wnd::CancelButtonPressed);
    connect(preview, &QPushButton::clicked, this, &Print_Wnd::PreviewButtonPressed);
    connect(print, &QPushButton::clicked, this, &Print_Wnd::PrintButtonPressed);
    connect(setup, &QPushButton::clicked, this, &Print_Wnd::pagesetup);
    connect(Add_profile_btn, &QPushButton::clicked, this, &Print_Wnd::Add_profile_btn_clicked);
    connect(Edit_profile_btn, &QPushButton::clicked, this, &Print_Wnd::Edit_profile_btn_clicked);
    connect(Save_profile_btn, &QPushButton::clicked, this, &Print_Wnd::Save_profile_btn_clicked);
    connect(Delete_profile_btn, &QPushButton::clicked, this, &Print_Wnd::Delete_profile_btn_clicked);
    connect(List_profile, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_showing || row < 0)
            return;
        const QString name = Trim_Str(List_profile->item(row)->text());
        Delete_profile_btn->setEnabled(name != QLatin1String("Default"));
        Read_and_load_profile_info(name);
    });
    connect(Printer_ComboBox, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_showing && i >= 0)
            choosePrinter(i);
    });
    connect(Orient_ComboBox, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (m_showing)
            return;
        printInfo().setPageOrientation(i == 0 ? QPageLayout::Portrait : QPageLayout::Landscape);
        act([this](PrintWindowState &s) { s.Set_values_From_Printer(Paper_Info_From_Printer(printInfo())); });
    });
    connect(print_alignment, &QComboBox::currentIndexChanged, this, [this] {
        act([](PrintWindowState &s) { s.Set_Demo_align_image(); s.Check_Max_Cell_Value(); s.Calculate_label_acc_row_col(); });
    });
    connect(print_alignment_one_side, &QComboBox::currentIndexChanged, this,
            [this] { act([](PrintWindowState &s) { s.Set_Demo_align_image(); }); });
    connect(sideGroup, &QButtonGroup::idClicked, this, [this](int row) { act([row](PrintWindowState &s) { s.card_side_CellClick(row); }); });
    connect(alignGroup, &QButtonGroup::idClicked, this, [this](int v) { act([v](PrintWindowState &s) { s.label_align_val = v; }); });
    connect(mirrorGroup, &QButtonGroup::idClicked, this, [this] { act({}); });
    for (QDoubleSpinBox *box : {width_Text, height_Text, horz_mar_Text, vert_mar_Text, Side_Margin_Text})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { act({}); });
    for (QSpinBox *box : {Row_Text, Col_Text})
        connect(box, &QSpinBox::valueChanged, this, [this] {
            act([](PrintWindowState &s) { s.Check_Max_Cell_Value(); s.Calculate_label_acc_row_col(); });
        });
    for (QSpinBox *box : {Total_Text, from_Text, To_Text, Copies_Text})
        connect(box, &QSpinBox::valueChanged, this, [this] { if (!m_showing) read_state(); });
    connect(Auto_Center_chk_bx, &QCheckBox::clicked, this, [this](bool on) { act([on](PrintWindowState &s) { s.Auto_Center_Checked(on); }); });
    connect(fit_frame_chk, &QCheckBox::clicked, this, [this](bool on) { act([on](PrintWindowState &s) { s.Fit_To_Frame_clicked(on); }); });
    connect(mirror_chk_box, &QCheckBox::clicked, this, [this](bool on) { act([on](PrintWindowState &s) { s.mirror_matrix_enabled = on; }); });
    for (QCheckBox *box : {crop_mark_chk, Show_Margins})
        connect(box, &QCheckBox::clicked, this, [this] { act({}); });
    for (QCheckBox *box : {print_with_batch_chk, print_with_excel_chk})
        connect(box, &QCheckBox::clicked, this, [this] { act([](PrintWindowState &s) { s.Print_With_Data_Changed(); }); });
    for (QRadioButton *box : {All_print_rd, Sel_print_rd})
        connect(box, &QRadioButton::clicked, this, [this] { act({}); });
    // Return ends the typing in a field; it presses no button of the window (the first one,
    // Page Setup, would otherwise be the window's default).
    for (QPushButton *b : findChildren<QPushButton *>())
        if (b->window() == this)
            b->setAutoDefault(false);
    Fit_Window_To_Screen(this, {1000, 660});
}

Print_Wnd::~Print_Wnd() = default;

QString Print_Wnd::folder() const
{
    if (!profileFolder.isEmpty())
        return profileFolder;
    if (!print_profile_path.isEmpty())
        return print_profile_path;
    // The folder the application was set up with, as the mail settings: a program pointed at
    // another data folder (each test process is) never shares its profiles with another one.
    const QString data = Created_Resource_Path.isEmpty() ? platform::dataFolderPath() : Created_Resource_Path;
    return platform::joinPath(data, QStringLiteral("PrintProfile"));
}

void Print_Wnd::read_state()
{
    PrintWindowState &s = state;
    s.width = float(width_Text->value()), s.height = float(height_Text->value());
    s.horz_mar = float(horz_mar_Text->value()), s.vert_mar = float(vert_mar_Text->value());
    s.side_mar = float(Side_Margin_Text->value());
    s.rows = Row_Text->value(), s.cols = Col_Text->value();
    s.print_alignment = print_alignment->currentIndex();
    s.print_alignment_one_side = print_alignment_one_side->currentIndex();
    s.mirror = mirror_chk_box->isChecked();
    s.mirror_column = std::max(0, mirrorGroup->checkedId());
    s.crop = crop_mark_chk->isChecked(), s.show_margins = Show_Margins->isChecked();
    s.batch_chk = print_with_batch_chk->isChecked(), s.excel_chk = print_with_excel_chk->isChecked();
    s.all = All_print_rd->isChecked() || !s.range_box_enabled;
    s.total = Total_Text->value(), s.from = from_Text->value(), s.to = To_Text->value();
    s.copies = Copies_Text->value();
}

void Print_Wnd::act(const std::function<void(PrintWindowState &)> &change)
{
    if (m_showing)
        return;
    read_state();
    if (change)
        change(state);
    state.Check_Max_Cell_Value();
    show_state();
}

void Print_Wnd::show_state()
{
    const PrintWindowState &s = state;
    m_showing = true;
    Printer_ComboBox->setCurrentIndex(s.printer);
    Orient_ComboBox->setCurrentIndex(s.orientation);
    Paper_id->setText(s.Paper_id), Size_id->setText(s.Size_id);
    l_mar_id->setText(s.l_mar_id), r_mar_id->setText(s.r_mar_id), t_mar_id->setText(s.t_mar_id), b_mar_id->setText(s.b_mar_id);
    setValue(width_Text, s.width), setValue(height_Text, s.height);
    setValue(horz_mar_Text, s.horz_mar), setValue(vert_mar_Text, s.vert_mar), setValue(Side_Margin_Text, s.side_mar);
    setValue(Row_Text, s.rows), setValue(Col_Text, s.cols);
    horz_mar_Text->setEnabled(s.gaps_enabled), vert_mar_Text->setEnabled(s.gaps_enabled);
    Side_Margin_Text->setEnabled(s.side_gap_enabled && s.side_row == 0);
    Row_Text->setEnabled(s.rows_cols_enabled), Col_Text->setEnabled(s.rows_cols_enabled);
    Auto_Center_chk_bx->setChecked(s.auto_center);
    card_align_box->setEnabled(s.card_align_box_enabled);
    align_Gp_Bx->setEnabled(s.align_group_enabled);
    if (QAbstractButton *b = alignGroup->button(s.label_align_val))
        b->setChecked(true);
    Set_Reset_Alignemnt_Image();
    for (int i = 0; i < 3; ++i)
        sideGroup->button(i)->setEnabled(s.side_row_enabled[i]);
    sideGroup->button(s.side_row)->setChecked(true);
    print_alignment->setCurrentIndex(s.print_alignment);
    print_alignment_one_side->setCurrentIndex(s.print_alignment_one_side);
    print_alignment->setVisible(s.side_row == 0);
    print_alignment_one_side->setVisible(s.side_row != 0);
    print_align_demo_pic->setPixmap(arrangementPictures.value(
        Print_Arrangement_Picture(s.side_row, s.layout.Print_Card_Algn, s.layout.Print_One_Card_Algn)));
    mirror_chk_box->setChecked(s.mirror);
    mirror_matrix->setEnabled(s.mirror_matrix_enabled);
    mirrorGroup->button(s.mirror_column)->setChecked(true);
    fit_frame_chk->setChecked(s.fit), crop_mark_chk->setChecked(s.crop), Show_Margins->setChecked(s.show_margins);
    print_with_batch_chk->setChecked(s.batch_chk), print_with_batch_chk->setEnabled(s.batch_enabled);
    print_with_excel_chk->setChecked(s.excel_chk), print_with_excel_chk->setEnabled(s.excel_enabled);
    // Without data the count stays open while the rest of the range box is shut.
    (s.all ? All_print_rd : Sel_print_rd)->setChecked(true);
    All_print_rd->setEnabled(s.range_box_enabled), Sel_print_rd->setEnabled(s.range_box_enabled);
    for (QWidget *w : {static_cast<QWidget *>(tot_label), static_cast<QWidget *>(Total_Text)})
        w->setEnabled(s.all);
    for (QWidget *w : {static_cast<QWidget *>(from_label), static_cast<QWidget *>(from_Text),
                       static_cast<QWidget *>(to_label), static_cast<QWidget *>(To_Text)})
        w->setEnabled(!s.all && s.range_box_enabled);
    Total_Text->setMaximum(s.total_max), To_Text->setMaximum(s.range_max), from_Text->setMaximum(s.range_max);
    setValue(Total_Text, s.total), setValue(To_Text, s.to), setValue(from_Text, s.from);
    setValue(Copies_Text, s.copies);
    m_showing = false;
    if (s.layout.loading || !s.paper.valid())
        return;
    const QImage sheet = Sample_Preview(s.layout, s.paper, m_request.design.front.cardShape,
                                        m_request.design.front.cardRect.isValid())
                             .imageRepresentation(72.0 * (std::max(Print_sclview->minimumWidth(), Print_sclview->viewport()->width()) - 24)
                                                  / s.paper.paperSize.width());
    test_image_view->setPixmap(QPixmap::fromImage(sheet));
}

QString Print_Arrangement_Picture(int sideRow, const QString &bothSides, const QString &oneSide)
{
    const bool down = oneSide == QLatin1String("D");
    if (sideRow == 1)
        return down ? QStringLiteral("front_flip") : QStringLiteral("front");
    if (sideRow != 0)
        return down ? QStringLiteral("back_flip") : QStringLiteral("back");
    static const QHash<QString, QString> both{{"UD", "up-down-flip"}, {"U", "up-down"}, {"L", "left-rite"},
                                              {"DU", "both_up"}, {"DD", "head_up_head_down"}};
    return both.value(bothSides);
}

void Print_Wnd::Set_Reset_Alignemnt_Image()
{
    const int current = state.label_align_val;
    // A value outside 1 to 9 changes no picture.
    if (current < 1 || current > 9)
        return;
    for (int value = 1; value <= 9; ++value)
        if (QAbstractButton *b = alignGroup->button(value))
            b->setIcon(QIcon(positionPictures[value - 1][value == current ? 1 : 0]));
}

void Print_Wnd::choosePrinter(int index)
{
    const QString name = Printer_ComboBox->itemText(index);
    if (name == QLatin1String(kSaveAsPdfPrinter)) {
        auto pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
        pdf->setOutputFormat(QPrinter::PdfFormat);
        setPrintInfo(std::move(pdf));
    } else {
        setPrintInfo(std::make_unique<QPrinter>(QPrinterInfo::printerInfo(name), QPrinter::HighResolution));
    }
    printInfo().setPageOrientation(state.orientation == 0 ? QPageLayout::Portrait : QPageLayout::Landscape);
    act([this, index](PrintWindowState &s) {
        s.printer = index;
        s.Set_values_From_Printer(Paper_Info_From_Printer(printInfo()));
    });
}

QPrinter *Print_Wnd::printer() const { return &printInfo(); }

bool Print_Wnd::Open_Print_Wnd(PrintRequest request)
{
    if (!request.visitorMode && !Series_Refusal_Allows_Run(request.design.source))
        return false;
    m_request = std::move(request);
    state.printers = Print_Printer_Names();
    m_showing = true;
    Printer_ComboBox->clear();
    Printer_ComboBox->addItems(state.printers);
    // The set-up in force (a page set-up made in the visitor log, say) stays when its printer is
    // still offered; otherwise the first printer is taken.
    const QPrinter &current = printInfo();
    const int kept = current.outputFormat() == QPrinter::PdfFormat && current.outputFileName().isEmpty()
                         ? int(state.printers.indexOf(QString::fromLatin1(kSaveAsPdfPrinter)))
                         : int(state.printers.indexOf(current.printerName()));
    if (kept >= 0) {
        Printer_ComboBox->setCurrentIndex(kept);
        m_showing = false;
        state.printer = kept;
        state.orientation = current.pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0;
    } else {
        m_showing = false;
        state.printer = 0;
        state.orientation = 0;
        choosePrinter(0);
    }
    state.Open(m_request.twoSided, m_request.visitorMode, m_request.design.source, m_request.design.front.cardRect.size());
    state.Set_values_From_Printer(Paper_Info_From_Printer(printInfo()));
    state.Check_Max_Cell_Value();
    print_with_batch_chk->setVisible(!m_request.visitorMode);
    print_with_excel_chk->setVisible(!m_request.visitorMode);
    show_state();
    Load_Print_Profile();
    platform::ui().runModal(objectName(), QString(), [this] { return exec(); });
    hide();
    return true;
}

void Print_Wnd::pagesetup()
{
    if (Run_Page_Setup(printInfo(), this, QStringLiteral("QPageSetupDialog")) != 1)
        return;
    act([this](PrintWindowState &s) {
        s.orientation = printInfo().pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0;
        s.Set_values_From_Printer(Paper_Info_From_Printer(printInfo()));
    });
}

void Print_Wnd::PreviewButtonPressed() { Execute_Printing(true); }
void Print_Wnd::PrintButtonPressed() { Execute_Printing(false); }

void Print_Wnd::CancelButtonPressed()
{
    state.fit = state.crop = state.mirror = false;
    state.mirror_column = 0;
    state.layout.Fit_Picture_To_Frame = state.layout.Enable_Crop_Marks = false;
    state.layout.Mirror_Image_Create = state.layout.Mirror_Vertical_Not_Horz = false;
    done(0);
}

void Print_Wnd::commitTyped()
{
    for (QAbstractSpinBox *box : findChildren<QAbstractSpinBox *>())
        box->interpretText();
}

void Print_Wnd::Execute_Printing(bool preview)
{
    commitTyped();
    read_state();
    state.Check_Max_Cell_Value();
    if (Layout_Too_Big(state.layout, state.paper)
        && !platform::ui().yesNo(QStringLiteral("'Card Size' is bigger than selected 'Paper Size' or drawn card may be "
                                                "out of margin area.\n\nDo you want to continue?")))
        return;
    QString refusal;
    const PrintRun run = state.Execute_Printing(&refusal);
    if (!refusal.isEmpty()) {
        platform::ui().message(refusal);
        return;
    }
    PrintContent content{m_request.design.front, m_request.design.back, m_request.twoSided, m_request.sel_card_side, {}};
    if (state.source.Use_Data_Sheet_Values || state.source.Use_Excel_Binding_Values) {
        auto batch = std::make_shared<BatchDesign>(m_request.design);
        batch->source = state.source;
        content.batch = std::move(batch);
    }
    auto view = std::make_shared<Printing_View>(QRectF(QPointF(), state.paper.paperSize), state.layout, state.paper, run,
                                                std::move(content), !preview);
    QString pdf;
    PrintJob::Work work;
    if (preview) {
        // A folder of this run's own (owner-only): a fixed name in the shared temporary folder
        // could be read by others or be a link planted by someone else.
        if (!m_previewFolder || !m_previewFolder->isValid())
            m_previewFolder = std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("badgeloom-XXXXXX")));
        if (!m_previewFolder->isValid()) {
            platform::ui().message(QStringLiteral("The cards could not be printed.\n\n%1").arg(m_previewFolder->errorString()));
            return;
        }
        pdf = m_previewFolder->filePath(QStringLiteral("Print Preview.pdf"));
        work = [view, pdf](const std::atomic<bool> &stop) { return Print_To_Pdf_File(pdf, *view, 0, 0, &stop); };
    } else {
        // Each print starts from the shared set-up afresh: the file of an earlier "Save as PDF"
        // or the state of a failed run never carries over.
        std::shared_ptr<QPrinter> printer = Fresh_Print_Setup();
        if (Printer_ComboBox->currentText() == QLatin1String(kSaveAsPdfPrinter)) {
            const QString path = platform::ui().saveFile(tr("Save as PDF"), QDir::homePath(), QStringLiteral("Cards.pdf"),
                                                         {QStringLiteral("pdf")});
            if (path.isEmpty())
                return;
            printer->setOutputFileName(path);
        }
        if (const QString why = Printer_Unavailable(*printer); !why.isEmpty()) {
            platform::ui().message(QStringLiteral("The cards could not be printed.\n\n%1").arg(why));
            return;
        }
        printer->setCopyCount(1);
        work = [view, printer](const std::atomic<bool> &stop) { return Print_To_Printer(*printer, *view, &stop); };
    }
    PrintJob job;
    QEventLoop loop;
    connect(&job, &PrintJob::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    if (!job.start(std::move(work)))
        return;
    loop.exec();
    const PrintOutcome outcome = job.outcome();
    if (!outcome.ok && !outcome.stopped)
        platform::ui().message(QStringLiteral("The cards could not be printed.\n\n%1").arg(outcome.error));
    else if (preview && outcome.ok)
        platform::Open_Or_Explain(pdf);
}

void Print_Wnd::Load_Print_Profile()
{
    m_showing = true;
    List_profile->clear();
    List_profile->addItems(::Load_Print_Profile(folder()));
    m_showing = false;
    if (List_profile->count() > 0) {
        List_profile->setCurrentRow(-1);
        List_profile->setCurrentRow(0);
    }
}

void Print_Wnd::Read_and_load_profile_info(const QString &name)
{
    QString refusal;
    const QStringList items = Read_Print_Profile(folder(), name, &refusal);
    if (!refusal.isEmpty()) {
        Show_MessageBox(refusal);
        return;
    }
    read_state();
    const int before = state.printer;
    if (!::Read_and_load_profile_info(state, items)) {
        qWarning() << "print profile" << name << "is unreadable or short";
        return;
    }
    if (state.printer != before) {
        const int chosen = state.printer;
        state.printer = before;
        show_state();  // the printer's change reads the widgets: they must show the profile first
        choosePrinter(chosen);
    } else {
        state.Set_values_From_Printer(Paper_Info_From_Printer(printInfo()));
    }
    state.Check_Max_Cell_Value();
    state.Calculate_label_acc_row_col();
    show_state();
}

bool Print_Wnd::Save_Print_Profile(const QString &name, const QString &printer_sel, const QString &previousName)
{
    commitTyped();
    read_state();
    QString error;
    const bool saved = ::Save_Print_Profile(folder(), name, Print_Profile_Items(state, printer_sel), previousName, &error);
    platform::ui().message(saved ? QStringLiteral("Print Profile has been saved successfully.")
                                 : QStringLiteral("Print Profile could not be saved.\n\n%1").arg(error));
    Load_Print_Profile();
    return saved;
}

void Print_Wnd::Add_Edit_Print_Profile(const QString &mode)
{
    QString name, printerName;
    const bool edit = mode == QLatin1String("E");
    if (edit) {
        if (List_profile->currentRow() < 0) {
            platform::ui().message(QStringLiteral("Please select a print profile"));
            return;
        }
        name = Trim_Str(List_profile->currentItem()->text());
        printerName = Printer_ComboBox->currentText();
    }
    if (profileDialog->Open_Profile_Wnd(name, printerName) != 1)
        return;
    // The dialog's OK checks these too; checked again here so that no way round it saves a bad name.
    QString cleaned;
    const QString refusal = Check_Profile_Name(profileDialog->Printer_ComboBox->currentText(),
                                               profileDialog->Profile_name->text(), &cleaned);
    if (!refusal.isEmpty()) {
        platform::ui().message(refusal);
        return;
    }
    const int printer = Printer_ComboBox->findText(Trim_Str(profileDialog->Printer_ComboBox->currentText()));
    if (printer >= 0 && printer != Printer_ComboBox->currentIndex())
        choosePrinter(printer);
    // The profile keeps the page set-up chosen for it.
    if (Run_Page_Setup(printInfo(), this, QStringLiteral("QPageSetupDialog")) != 1)
        return;
    act([this](PrintWindowState &s) {
        s.orientation = printInfo().pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0;
        s.Set_values_From_Printer(Paper_Info_From_Printer(printInfo()));
    });
    if (!Save_Print_Profile(cleaned, Printer_ComboBox->currentText(), edit ? name : QString()))
        return;
    const auto found = List_profile->findItems(cleaned, Qt::MatchExactly);
    if (edit && !found.isEmpty())
        List_profile->setCurrentItem(found.first());
}

void Print_Wnd::Add_profile_btn_clicked() { Add_Edit_Print_Profile(QStringLiteral("A")); }
void Print_Wnd::Edit_profile_btn_clicked() { Add_Edit_Print_Profile(QStringLiteral("E")); }

void Print_Wnd::Save_profile_btn_clicked()
{
    const int row = List_profile->currentRow();
    if (row < 0) {
        platform::ui().message(QStringLiteral("Please select a print profile"));
        return;
    }
    const QString name = Trim_Str(List_profile->item(row)->text());
    Save_Print_Profile(name, Printer_ComboBox->currentText());
    const auto found = List_profile->findItems(name, Qt::MatchExactly);
    if (!found.isEmpty())
        List_profile->setCurrentItem(found.first());
}

void Print_Wnd::Delete_profile_btn_clicked()
{
    const int row = List_profile->currentRow();
    if (row < 0) {
        platform::ui().message(QStringLiteral("Please select a print profile"));
        return;
    }
    const QString name = Trim_Str(List_profile->item(row)->text());
    if (name == QLatin1String("Default")
        || !platform::ui().yesNo(QStringLiteral("Are you sure want to delete selected 'Print Profile'?")))
        return;
    QFile::remove(Print_Profile_Path(folder(), name));
    Load_Print_Profile();
}
