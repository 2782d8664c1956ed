#include "mainwindow/Card_Wizard.h"

#include "canvas/PageSetupPanel.h"
#include "canvas/WidgetUtilities.h"
#include "core/Card_Property.h"
#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "core/Utilities.h"
#include "mainwindow/MainWindowLogic.h"
#include "mainwindow/WindowStyle.h"
#include "output/print/PrintInfo.h"
#include "platform/Paths.h"
#include "platform/UiServices.h"

#include <QScrollArea>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

QString CardWizardChoice::fillLetter() const
{
    return gradientOn ? QStringLiteral("G") : hatchOn ? QStringLiteral("H") : imageOn ? QStringLiteral("I")
                                                                                      : QStringLiteral("S");
}

CardWizardChoice Finish_Card_Wizard_Choice(CardWizardChoice c)
{
    const QString letter = c.fillLetter();
    if (letter != QStringLiteral("I"))
        c.imagePath.clear();
    if (letter != QStringLiteral("S"))
        c.fill = Qt::white;
    if (letter != QStringLiteral("G")) {
        c.gradient1 = c.gradient2 = Qt::white;
        c.gradientAngle = 0;
    }
    if (letter != QStringLiteral("H")) {
        c.hatchBack = Qt::white;
        c.hatchIndex = 0;
    }
    return c;
}

int Wizard_Transparency_Percent(double value)
{
    double a = value * 100;
    if (a >= 100)
        a /= 100;
    return int(a);
}

QString Border_Style_Code(int index)
{
    static const char *codes[] = {"S", "DA", "DO", "DD", "DDD"};
    return QString::fromLatin1(index >= 0 && index < 5 ? codes[index] : "S");
}

void Apply_Wizard_Choice(const CardWizardChoice &c, Card_Property &card)
{
    card.setCard_Name(c.name);
    card.setCard_Side(c.sides == 1 ? QStringLiteral("1") : QStringLiteral("2"));
    card.setCard_Shape(c.shape == 1 ? QStringLiteral("RR") : c.shape == 2 ? QStringLiteral("E") : QStringLiteral("R"));
    card.setCard_Size({MM_to_Points_Convert(float(c.widthMM)), MM_to_Points_Convert(float(c.heightMM))});
    card.setCard_border_chk(c.border);
    card.setCard_bordr_clr(c.borderColor);
    card.setCard_bor_Stepper(c.borderWidth);
    card.setCard_border_style(Border_Style_Code(c.borderStyle));
    card.setCard_fill_chk(true);
    const QString letter = c.fillLetter();
    card.setCard_fill_style(letter);
    card.setCard_fill_clr(c.fill);
    card.setCard_fill_Grd_1_clr(c.gradient1);
    card.setCard_fill_Grd_2_clr(c.gradient2);
    card.setCard_grad_Stepper(c.gradientAngle);
    card.setCard_hatch_bk_clr(c.hatchBack);
    if (letter == QStringLiteral("H"))
        card.setCard_hatch_style(c.hatchName);
    // The card keeps opacity as a fraction; the wizard shows whole percent.
    card.setCard_alpha_Stepper(float(Wizard_Transparency_Percent(c.transparency)) / 100.0f);
    card.setCard_BG_Image_Path(letter == QStringLiteral("I") ? c.imagePath : QString());
}

namespace {
Card_Wizard *g_instance = nullptr;

// A colour well: a flat button painted in its colour that opens the colour panel.
QPushButton *colourWell(QWidget *parent, const char *name)
{
    auto *well = new QPushButton(parent);
    well->setObjectName(QString::fromLatin1(name));
    well->setFixedSize(44, 22);
    QObject::connect(well, &QPushButton::clicked, well, [well] {
        const QColor picked = platform::ui().chooseColor(QStringLiteral("Colour"), well->property("color").value<QColor>());
        if (picked.isValid()) {
            well->setProperty("color", picked);
            well->setStyleSheet(QStringLiteral("background:%1;border:1px solid #667").arg(picked.name()));
        }
    });
    return well;
}
void setWell(QPushButton *well, const QColor &c)
{
    well->setProperty("color", c);
    well->setStyleSheet(QStringLiteral("background:%1;border:1px solid #667").arg(c.name()));
}
QColor wellColor(const QPushButton *well) { return well->property("color").value<QColor>(); }

}  // namespace

Card_Wizard::~Card_Wizard() = default;

Card_Wizard::Card_Wizard(QWidget *parent) : QDialog(parent)
{
    g_instance = this;
    setObjectName(QStringLiteral("Card_Wizard"));
    setWindowTitle(tr("Card Wizard"));
    setModal(true);
    applyDialogBackground(this);
    auto *layout = new QVBoxLayout(this);
    Size_Box = named(buildSizePage(), "Size_Box");
    Color_Box = named(buildColorPage(), "Color_Box");
    // Both steps share one place of one size; a step taller than the screen allows scrolls.
    m_steps = new QStackedWidget(this);
    m_steps->addWidget(Scrolling_Panel(Size_Box, {900, 560}, "Size_Box_scroll"));
    m_steps->addWidget(Scrolling_Panel(Color_Box, {900, 560}, "Color_Box_scroll"));
    layout->addWidget(m_steps, 1);
    auto *buttons = new QHBoxLayout;
    fill_profile_btn = named(new QPushButton(tr("Profile…"), this), "fill_profile_btn");
    auto *cancel = named(new QPushButton(tr("Cancel"), this), "Cancel_btn");
    back_btn = named(new QPushButton(tr("Back"), this), "Back_btn");
    next_btn = named(new QPushButton(tr("Next"), this), "Next_btn");
    next_btn->setDefault(true);
    for (QPushButton *b : {fill_profile_btn, cancel, back_btn})
        b->setAutoDefault(false);
    connect(fill_profile_btn, &QPushButton::clicked, this, &Card_Wizard::User_Profile_Click);
    connect(cancel, &QPushButton::clicked, this, &Card_Wizard::CancelClick);
    connect(back_btn, &QPushButton::clicked, this, &Card_Wizard::Back_Click);
    connect(next_btn, &QPushButton::clicked, this, &Card_Wizard::OK_Click);
    buttons->addWidget(fill_profile_btn);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(back_btn);
    buttons->addWidget(next_btn);
    layout->addLayout(buttons);
    Fit_Window_To_Screen(this, sizeHint().expandedTo({620, 520}));
}

QWidget *Card_Wizard::buildSizePage()
{
    auto *page = new QGroupBox(tr("Step 1 of 2: card size"), this);
    auto *layout = new QHBoxLayout(page);
    auto *form = new QFormLayout;
    card_name = named(new QLineEdit(page), "card_name");
    Sides_ComboBox = named(new QComboBox(page), "Sides_ComboBox");
    Sides_ComboBox->addItems({tr("Two Sides"), tr("One Side")});
    Preset_ComboBox = named(new QComboBox(page), "Preset_ComboBox");
    Preset_ComboBox->addItems({QStringLiteral("Horizontal"), QStringLiteral("Vertical"), QStringLiteral("Custom")});
    Category_ComboBox = named(new QComboBox(page), "Category_ComboBox");
    Category_ComboBox->addItems({QStringLiteral("PVC Card"), QStringLiteral("Paper Badge")});
    form->addRow(tr("Card name"), card_name);
    form->addRow(tr("Sides"), Sides_ComboBox);
    form->addRow(tr("Orientation"), Preset_ComboBox);
    form->addRow(tr("Category"), Category_ComboBox);
    auto *shapes = new QVBoxLayout;
    matrix_card_shape = new QButtonGroup(page);
    matrix_card_shape->setObjectName(QStringLiteral("matrix_card_shape"));
    const char *shapeNames[] = {"Rectangle", "Rounded rectangle", "Ellipse"};
    for (int row = 0; row < 3; ++row) {
        auto *b = new QRadioButton(tr(shapeNames[row]), page);
        matrix_card_shape->addButton(b, row);
        shapes->addWidget(b);
    }
    form->addRow(tr("Shape"), shapes);
    // Every step resizes the canvases at once; a typed number when it is complete.
    auto stepper = [&](const char *name) {
        auto *s = named(Decimal_Field(page), name);
        s->setRange(10, 1000);
        s->setDecimals(3);
        s->setSuffix(QStringLiteral(" mm"));
        s->setKeyboardTracking(false);
        connect(s, &QDoubleSpinBox::valueChanged, this, &Card_Wizard::Apply_Size_Clicked);
        return s;
    };
    width_Stepper = stepper("width_Stepper");
    height_Stepper = stepper("height_Stepper");
    form->addRow(tr("Width"), width_Stepper);
    form->addRow(tr("Height"), height_Stepper);
    page_frm_printer_btn = named(new QPushButton(tr("Size of the printer's page"), page), "page_frm_printer_btn");
    page_frm_printer_btn->setToolTip(tr("Takes the width and height of the paper chosen in the page set-up"));
    connect(page_frm_printer_btn, &QPushButton::clicked, this, &Card_Wizard::Page_From_Printer_Click);
    form->addRow(QString(), page_frm_printer_btn);
    layout->addLayout(form, 1);
    auto *presets = new QVBoxLayout;
    presets->addWidget(new QLabel(tr("Preset"), page));
    ColList = named(new QListWidget(page), "ColList");
    presets->addWidget(ColList, 1);
    layout->addLayout(presets, 1);
    connect(Preset_ComboBox, &QComboBox::currentIndexChanged, this, [this] { comboBoxSelectionDidChange(Preset_ComboBox); });
    connect(Category_ComboBox, &QComboBox::currentIndexChanged, this,
            [this] { comboBoxSelectionDidChange(Category_ComboBox); });
    connect(ColList, &QListWidget::currentRowChanged, this, &Card_Wizard::Change_Value_According_List_Selection);
    return page;
}

QWidget *Card_Wizard::buildColorPage()
{
    auto *page = new QGroupBox(tr("Step 2 of 2: border and background"), this);
    auto *layout = new QVBoxLayout(page);
    Card_Border_Box = named(new QGroupBox(tr("Border"), page), "Card_Border_Box");
    auto *border = new QHBoxLayout(Card_Border_Box);
    Card_border_chk = named(new QCheckBox(tr("Border"), page), "Card_border_chk");
    connect(Card_border_chk, &QCheckBox::toggled, this, &Card_Wizard::Card_Border_ChkBox);
    Card_bordr_clr = colourWell(Card_Border_Box, "Card_bordr_clr");
    Card_bor_Stepper = named(Whole_Number_Field(Card_Border_Box), "Card_bor_Stepper");
    Card_bor_Stepper->setRange(1, 20);
    Card_border_style = named(new QComboBox(Card_Border_Box), "Card_border_style");
    Card_border_style->addItems({tr("Solid"), tr("Dash"), tr("Dot"), tr("Dash Dot"), tr("Dash Dot Dot")});
    border->addWidget(new QLabel(tr("Colour"), Card_Border_Box));
    border->addWidget(Card_bordr_clr);
    border->addWidget(new QLabel(tr("Width"), Card_Border_Box));
    border->addWidget(Card_bor_Stepper);
    border->addWidget(Card_border_style);
    border->addStretch();
    layout->addWidget(Card_border_chk);
    layout->addWidget(Card_Border_Box);

    Card_fill_chk = named(new QCheckBox(tr("Fill"), page), "Card_fill_chk");
    Card_fill_chk->setChecked(true);
    connect(Card_fill_chk, &QCheckBox::toggled, this, &Card_Wizard::Card_Fill_Chk_Box);
    layout->addWidget(Card_fill_chk);
    Card_Fill_Box = named(new QGroupBox(tr("Background"), page), "Card_Fill_Box");
    auto *fill = new QGridLayout(Card_Fill_Box);
    Card_solid_fill_rd = named(new QRadioButton(tr("Solid"), Card_Fill_Box), "Card_solid_fill_rd");
    Card_gradient_fill_rd = named(new QRadioButton(tr("Gradient"), Card_Fill_Box), "Card_gradient_fill_rd");
    Card_Style_fill_rd = named(new QRadioButton(tr("Hatch"), Card_Fill_Box), "Card_Style_fill_rd");
    Card_Image_fill_rd = named(new QRadioButton(tr("Image"), Card_Fill_Box), "Card_Image_fill_rd");
    connect(Card_solid_fill_rd, &QRadioButton::clicked, this, &Card_Wizard::Card_Solid_RD_Sel);
    connect(Card_gradient_fill_rd, &QRadioButton::clicked, this, &Card_Wizard::Card_Gradient_RD_Sel);
    connect(Card_Style_fill_rd, &QRadioButton::clicked, this, &Card_Wizard::Card_Hatch_RD_Sel);
    connect(Card_Image_fill_rd, &QRadioButton::clicked, this, &Card_Wizard::Card_Image_RD_Sel);
    Card_fill_clr = colourWell(Card_Fill_Box, "Card_fill_clr");
    Card_fill_Grd_1_clr = colourWell(Card_Fill_Box, "Card_fill_Grd_1_clr");
    Card_fill_Grd_2_clr = colourWell(Card_Fill_Box, "Card_fill_Grd_2_clr");
    Card_hatch_bk_clr = colourWell(Card_Fill_Box, "Card_hatch_bk_clr");
    Card_grad_Stepper = named(Whole_Number_Field(Card_Fill_Box), "Card_grad_Stepper");
    Card_grad_Stepper->setRange(0, 360);
    Card_grad_Stepper->setSuffix(QStringLiteral("°"));
    Card_hatch_style = named(new QComboBox(Card_Fill_Box), "Card_hatch_style");
    Fill_Hatch_Combo(Card_hatch_style);
    auto *solidRow = new QHBoxLayout;
    solidRow->addWidget(Card_fill_clr);
    solidRow->addStretch();
    auto *gradRow = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{Card_fill_Grd_1_clr, Card_fill_Grd_2_clr, Card_grad_Stepper})
        gradRow->addWidget(w);
    gradRow->addStretch();
    auto *hatchRow = new QHBoxLayout;
    hatchRow->addWidget(Card_hatch_style);
    hatchRow->addWidget(Card_hatch_bk_clr);
    hatchRow->addStretch();
    fill->addWidget(Card_solid_fill_rd, 0, 0);
    fill->addLayout(solidRow, 0, 1);
    fill->addWidget(Card_gradient_fill_rd, 1, 0);
    fill->addLayout(gradRow, 1, 1);
    fill->addWidget(Card_Style_fill_rd, 2, 0);
    fill->addLayout(hatchRow, 2, 1);
    fill->addWidget(Card_Image_fill_rd, 3, 0);
    Card_image_box = named(new QGroupBox(Card_Fill_Box), "Card_image_box");
    auto *image = new QHBoxLayout(Card_image_box);
    Card_Image_path = named(new QLineEdit(Card_image_box), "Card_Image_path");
    auto *browse = named(new QPushButton(tr("Browse…"), Card_image_box), "Card_Image_Browse_btn");
    auto *library = named(new QPushButton(tr("Library…"), Card_image_box), "Card_Image_Library_btn");
    connect(browse, &QPushButton::clicked, this, &Card_Wizard::Card_Image_Browse_Btn);
    connect(library, &QPushButton::clicked, this, &Card_Wizard::Card_Image_Library_Btn);
    image->addWidget(Card_Image_path, 1);
    image->addWidget(browse);
    image->addWidget(library);
    fill->addWidget(Card_image_box, 3, 1);
    auto *alphaRow = new QHBoxLayout;
    Card_alpha_lbl = named(new QLabel(tr("Opacity (%)"), Card_Fill_Box), "Card_alpha_lbl");
    Card_alpha_Stepper = named(Whole_Number_Field(Card_Fill_Box), "Card_alpha_Stepper");
    Card_alpha_Stepper->setRange(0, 100);
    alphaRow->addWidget(Card_alpha_lbl);
    alphaRow->addWidget(Card_alpha_Stepper);
    alphaRow->addStretch();
    fill->addLayout(alphaRow, 4, 0, 1, 2);
    layout->addWidget(Card_Fill_Box);
    layout->addStretch();
    return page;
}

Card_Wizard *Card_Wizard::defaultInstance() { return g_instance; }

int Card_Wizard::Open_Wnd()
{
    showPage(0);
    matrix_card_shape->button(0)->setChecked(true);
    Card_border_style->setCurrentIndex(0);
    Sides_ComboBox->setCurrentIndex(0);
    Preset_ComboBox->setCurrentIndex(0);
    // Always refilled, whatever the last run left selected.
    Category_ComboBox->setCurrentIndex(-1);
    Category_ComboBox->setCurrentIndex(0);
    // The orientation's rule holds from the start, changed entry or not.
    comboBoxSelectionDidChange(Preset_ComboBox);
    card_name->setText(QStringLiteral("Untitled"));
    Reset_color_box();
    const int code = runScripted(*this);
    return code == 1 ? 1 : 0;
}

void Card_Wizard::showPage(int page)
{
    next_count = page;
    Size_Box->setVisible(page == 0);
    Color_Box->setVisible(page == 1);
    m_steps->setCurrentIndex(page);
    fill_profile_btn->setVisible(page == 1);
    next_btn->setText(page == 0 ? tr("Next") : tr("Finish"));
}

void Card_Wizard::Reset_color_box()
{
    Card_solid_fill_rd->setChecked(true);
    for (QPushButton *w : {Card_fill_clr, Card_fill_Grd_1_clr, Card_fill_Grd_2_clr, Card_hatch_bk_clr})
        setWell(w, Qt::white);
    setWell(Card_bordr_clr, Qt::black);
    Card_grad_Stepper->setValue(0);
    Card_hatch_style->setCurrentIndex(Card_hatch_style->count() ? 0 : -1);
    Card_border_chk->setChecked(true);
    Card_border_style->setCurrentIndex(0);
    Card_bor_Stepper->setValue(1);
    Card_Image_path->clear();
    Card_alpha_Stepper->setValue(100);
    card_prop_set(QStringLiteral("S"));
}

void Card_Wizard::card_prop_set(const QString &style)
{
    const QString s = style == QStringLiteral("G") || style == QStringLiteral("H") || style == QStringLiteral("I")
                          ? style
                          : QStringLiteral("S");
    Card_solid_fill_rd->setChecked(s == QStringLiteral("S"));
    Card_gradient_fill_rd->setChecked(s == QStringLiteral("G"));
    Card_Style_fill_rd->setChecked(s == QStringLiteral("H"));
    Card_Image_fill_rd->setChecked(s == QStringLiteral("I"));
    Card_fill_clr->setEnabled(s == QStringLiteral("S"));
    for (QWidget *w : std::initializer_list<QWidget *>{Card_fill_Grd_1_clr, Card_fill_Grd_2_clr, Card_grad_Stepper})
        w->setEnabled(s == QStringLiteral("G"));
    Card_hatch_style->setEnabled(s == QStringLiteral("H"));
    Card_hatch_bk_clr->setEnabled(s == QStringLiteral("H"));
    SetObjEnabled(Card_image_box, s == QStringLiteral("I"));
    const bool hideAlpha = s == QStringLiteral("G");
    Card_alpha_lbl->setHidden(hideAlpha);
    Card_alpha_Stepper->setHidden(hideAlpha);
    SetObjEnabled(Card_Border_Box, Card_border_chk->isChecked());
}

void Card_Wizard::Card_Border_ChkBox() { SetObjEnabled(Card_Border_Box, Card_border_chk->isChecked()); }

void Card_Wizard::Card_Fill_Chk_Box()
{
    const bool on = Card_fill_chk->isChecked();
    SetObjEnabled(Card_Fill_Box, on);
    // Back on, the fill kind chosen decides again which of its controls can be used. (The fill
    // kind is the wizard's own radio choice: the main window's card is still the last design's.)
    if (on)
        card_prop_set(choice().fillLetter());
}

void Card_Wizard::Page_From_Printer_Click()
{
    // Its paper size becomes the card's.
    if (Run_Page_Setup(pageSettings(), this, QStringLiteral("Page_Setup")) != QDialog::Accepted)
        return;
    const QSizeF paper = Paper_Size_MM(pageSettings().pageLayout());
    {
        // One resize for both values.
        const QSignalBlocker quietWidth(width_Stepper), quietHeight(height_Stepper);
        width_Stepper->setValue(paper.width());
        height_Stepper->setValue(paper.height());
    }
    Apply_Size_Clicked();
}

QPrinter &Card_Wizard::pageSettings() { return printInfo(); }

void Card_Wizard::comboBoxSelectionDidChange(QComboBox *box)
{
    if (box == Preset_ComboBox) {
        const bool custom = Preset_ComboBox->currentIndex() == 2;
        width_Stepper->setEnabled(custom);
        height_Stepper->setEnabled(custom);
        page_frm_printer_btn->setEnabled(custom);
        Category_ComboBox->setEnabled(!custom);
        ColList->setEnabled(!custom);
        if (!custom)
            Change_Value_According_List_Selection(ColList->currentRow());
    } else if (box == Category_ComboBox && Category_ComboBox->currentIndex() >= 0) {
        const QSignalBlocker quiet(ColList);
        ColList->clear();
        for (const QString &name : Category_ComboBox->currentIndex() == 0 ? pvc_card_names() : paper_card_names()) {
            const QString trimmed = Trim_Str(name);
            if (!trimmed.isEmpty())
                ColList->addItem(trimmed);
        }
        ColList->setCurrentRow(0);
        ColList->scrollToItem(ColList->item(0));
        Change_Value_According_List_Selection(0);
    }
}

void Card_Wizard::Change_Value_According_List_Selection(int row)
{
    if (row < 0 || Preset_ComboBox->currentIndex() == 2)
        return;
    const QString orientation =
        Preset_ComboBox->currentText() == QStringLiteral("Horizontal") ? QStringLiteral("H") : QStringLiteral("V");
    const QSizeF mm = Get_My_card_Size(Category_ComboBox->currentText(), orientation, row);
    // A preset only shows its size; the canvases follow when the wizard finishes.
    const QSignalBlocker quietWidth(width_Stepper), quietHeight(height_Stepper);
    width_Stepper->setValue(mm.width());
    height_Stepper->setValue(mm.height());
}

void Card_Wizard::Apply_Size_Clicked()
{
    if (applyDocumentSize)
        applyDocumentSize({MM_to_Points_Convert(float(width_Stepper->value())),
                           MM_to_Points_Convert(float(height_Stepper->value()))});
}

CardWizardChoice Card_Wizard::choice() const
{
    CardWizardChoice c;
    c.sides = Sides_ComboBox->currentIndex();
    c.orientation = Preset_ComboBox->currentIndex();
    c.category = Category_ComboBox->currentIndex();
    c.presetRow = ColList->currentRow();
    c.widthMM = width_Stepper->value();
    c.heightMM = height_Stepper->value();
    c.name = Trim_Str(card_name->text());
    c.shape = std::max(matrix_card_shape->checkedId(), 0);
    c.border = Card_border_chk->isChecked();
    c.borderColor = wellColor(Card_bordr_clr);
    c.borderWidth = Card_bor_Stepper->value();
    c.borderStyle = Card_border_style->currentIndex();
    c.fill = wellColor(Card_fill_clr);
    c.gradient1 = wellColor(Card_fill_Grd_1_clr);
    c.gradient2 = wellColor(Card_fill_Grd_2_clr);
    c.hatchBack = wellColor(Card_hatch_bk_clr);
    c.gradientAngle = Card_grad_Stepper->value();
    c.hatchIndex = Card_hatch_style->currentIndex();
    c.hatchName = Chosen_Hatch_Name(Card_hatch_style);
    c.transparency = Card_alpha_Stepper->value();
    c.gradientOn = Card_gradient_fill_rd->isChecked();
    c.hatchOn = Card_Style_fill_rd->isChecked();
    c.imageOn = Card_Image_fill_rd->isChecked();
    c.imagePath = Trim_Str(Card_Image_path->text());
    return c;
}

void Card_Wizard::OK_Click()
{
    if (next_count == 0) {
        showPage(1);
        return;
    }
    if (Card_Image_fill_rd->isChecked() && !QFileInfo(Trim_Str(Card_Image_path->text())).isFile()) {
        Show_MessageBox(QStringLiteral("Please select background image for card."));
        return;
    }
    const CardWizardChoice c = Finish_Card_Wizard_Choice(choice());
    Card_Image_path->setText(c.imagePath);
    setWell(Card_fill_clr, c.fill);
    setWell(Card_fill_Grd_1_clr, c.gradient1);
    setWell(Card_fill_Grd_2_clr, c.gradient2);
    setWell(Card_hatch_bk_clr, c.hatchBack);
    Card_grad_Stepper->setValue(c.gradientAngle);
    if (c.fillLetter() != QStringLiteral("H"))
        Card_hatch_style->setCurrentIndex(Card_hatch_style->count() ? 0 : -1);
    Apply_Size_Clicked();
    done(1);
}

void Card_Wizard::Back_Click()
{
    if (next_count == 1)
        showPage(0);
    else
        done(0);
}

void Card_Wizard::CancelClick() { done(0); }

void Card_Wizard::User_Profile_Click()
{
    if (openProfile)
        openProfile(Sides_ComboBox->currentIndex() == 0 ? QStringLiteral("2") : QStringLiteral("1"));
}

void Card_Wizard::Card_Image_Browse_Btn()
{
    static const QStringList types = {"jpg", "jpeg", "jpe", "jfif", "gif", "bmp", "png", "tif", "tiff"};
    const QString path = platform::ui().openFile(tr("Background image"), QDir::homePath(), types);
    if (!path.isEmpty())
        Card_Image_path->setText(path);
}

void Card_Wizard::Card_Image_Library_Btn()
{
    if (openBackgroundLibrary) {
        const QString path = openBackgroundLibrary();
        if (!path.isEmpty())
            Card_Image_path->setText(path);
    }
}
