// The card tabs: their widgets, their loading from a card record, the write-back into the
// records, the fill kinds, the background picture commands and the size page.

#include "properties/CardTabs.h"

#include "canvas/PageSetupPanel.h"
#include "canvas/WidgetUtilities.h"
#include "core/CardSide.h"
#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "core/PaintSupport.h"
#include "core/SKTImage.h"
#include "platform/Paths.h"
#include "core/Utilities.h"
#include "platform/PictureBudget.h"
#include "platform/UiServices.h"
#include "properties/BackgroundBrowser.h"
#include "properties/CardSizes.h"
#include "properties/CardTabsHooks.h"
#include "properties/PanelForm.h"
#include "properties/PanelPlan.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <optional>
#include <QPrinter>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// The range the content font steps within, in points.
constexpr double kLeastContentPoints = 4.0, kMostContentPoints = 200.0;

QString wholeNumber(double v) { return QString::number(qint64(std::trunc(v))); }

// Card tab rows: a typed number reaches its stepper when the field is left, held to the
// stepper's range, and the field then shows the value in force as `shown` writes it: text that
// is no number would otherwise stand for a value the card does not have. A row without `shown`
// holds a whole number, and a fraction typed there is refused as a whole, not cut. A field only
// visited leaves its stepper, which holds more places than the field shows, as it is.
struct Rows : PanelForm {
    using PanelForm::PanelForm;
    template <class S = PanelStepper>
    void stepper(const QString &caption, PanelStepper *&stepper, const char *stepperName, QLineEdit *&text,
                 const char *textName, double minimum, double maximum, QLabel **label = nullptr,
                 const char *labelName = nullptr, std::function<QString(double)> shown = {})
    {
        PanelForm::stepper<S>(caption, stepper, stepperName, text, textName, minimum, maximum, label, labelName);
        PanelStepper *s = stepper;
        const bool whole = !shown;
        if (whole)
            shown = wholeNumber;
        On_Typed_Leave(text, s, [s, text, shown, whole] {
            if (const std::optional<double> v = Typed_Panel_Value(text->text(), s->minimum(), s->maximum(), whole))
                s->setValue(*v);
            text->setText(shown(s->value()));
        });
    }
};

QWidget *scrolling(QWidget *content)
{
    auto *area = new QScrollArea;
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    auto *holder = new QWidget;
    auto *column = new QVBoxLayout(holder);
    // The rows keep margins of their own: a second pair beside them would take from the card
    // column the width a small screen has not got.
    column->setContentsMargins(0, column->contentsMargins().top(), 0, column->contentsMargins().bottom());
    column->addWidget(content);
    column->addStretch(1);
    area->setWidget(holder);
    return area;
}

void selectText(QComboBox *combo, const QString &text) { combo->setCurrentIndex(combo->findText(text)); }

// A stepper that tells when its arrows were used (a value set by the program is no use of them).
class ArrowStepper : public PanelStepper {
public:
    using PanelStepper::PanelStepper;
    std::function<void()> stepped;
    void stepBy(int steps) override
    {
        PanelStepper::stepBy(steps);
        if (stepped)
            stepped();
    }
};

}  // namespace

CardTabs::CardTabs(CardTabsHooks &hooks, QObject *parent) : QObject(parent), m_hooks(hooks)
{
    card_info_tab = named(scrolling(buildSettingTab()), "card_info_tab");
    card_size_tab = named(scrolling(buildSizeTab()), "card_size_tab");
    card_bkgd_tab = named(scrolling(buildBackgroundTab()), "card_bkgd_tab");
    card_brdr_tab = named(scrolling(buildBorderTab()), "card_brdr_tab");
    for (QComboBox *combo : {wm_alignment_combo, Card_image_layout, Card_border_style, Card_hatch_style, Sides_ComboBox,
                             Preset_ComboBox, Category_ComboBox})
        connect(combo, &QComboBox::currentIndexChanged, this, [this, combo] { Card_Combo_Changed(combo); });
    for (ColorWell *well : {Card_fill_clr, Card_fill_Grd_1_clr, Card_fill_Grd_2_clr, Card_hatch_bk_clr, Card_bordr_clr,
                            watermark_color})
        connect(well, &ColorWell::colorPicked, this, [this, well](const QColor &c) {
            well->setColor(c);
            Update_Card_Graphics();
        });
    // Plain variables, not a structured binding: clang before 16 cannot capture bindings.
    for (const auto &pair : {std::pair{Card_bor_Stepper, Card_bor_Text}, std::pair{Card_grad_Stepper, Card_grad_Text},
                             std::pair{Card_alpha_Stepper, Card_alpha_Text}})
        connect(pair.first, &QDoubleSpinBox::valueChanged, this, [this, text = pair.second](double v) {
            text->setText(QString::number(int(v)));
            Update_Card_Graphics();
        });
    for (QLineEdit *typed : {card_name, watermark_text})
        connect(typed, &QLineEdit::textEdited, this, &CardTabs::Update_Card_Graphics);
}

CardTabs::~CardTabs() = default;

// ---------------------------------------------------------------------------------------------
// layout

QWidget *CardTabs::buildSettingTab()
{
    auto *w = new QWidget;
    Rows r(w);
    r.add(tr("Name"), OUT(card_name), new QLineEdit(QStringLiteral("Untitled"), w));
    r.combo(tr("Sides"), OUT(Sides_ComboBox), {tr("Two Sides"), tr("One Side")});
    all_content_font_btn = named(new QPushButton(tr("Font…"), w), "all_content_font_btn");
    r.font(tr("Text font"), OUT(All_Text_font_value), all_content_font_btn);
    // One point smaller and one point larger, under the font.
    auto *steps = new QWidget(w);
    auto *stepRow = new QHBoxLayout(steps);
    stepRow->setContentsMargins(0, 0, 0, 0);
    content_font_decrease_btn = named(new QPushButton(QStringLiteral("A-"), steps), "content_font_decrease_btn");
    content_font_increase_btn = named(new QPushButton(QStringLiteral("A+"), steps), "content_font_increase_btn");
    content_font_decrease_btn->setToolTip(tr("Texts one point smaller"));
    content_font_increase_btn->setToolTip(tr("Texts one point larger"));
    stepRow->addStretch(1);
    for (QPushButton *b : {content_font_decrease_btn, content_font_increase_btn}) {
        b->setFixedWidth(40);
        stepRow->addWidget(b);
    }
    r.grid->addWidget(steps, r.row++, 1, 1, 2);
    connect(content_font_decrease_btn, &QPushButton::clicked, this, &CardTabs::Content_Font_Decrease_Clicked);
    connect(content_font_increase_btn, &QPushButton::clicked, this, &CardTabs::Contect_Font_Increase_Clicked);
    r.well(tr("Text colour"), OUT(All_Text_clr));
    connect(all_content_font_btn, &QPushButton::clicked, this, &CardTabs::Content_Font_Clicked);
    connect(All_Text_clr, &ColorWell::colorPicked, this, [this](const QColor &c) {
        All_Text_clr->setColor(c);
        Contect_Color_Clicked();
    });
    return w;
}

QWidget *CardTabs::buildSizeTab()
{
    auto *w = new QWidget;
    Rows r(w);
    r.combo(tr("Orientation"), OUT(Preset_ComboBox), {QStringLiteral("Horizontal"), QStringLiteral("Vertical"),
                                                      QStringLiteral("Custom")});
    r.combo(tr("Category"), OUT(Category_ComboBox), {QStringLiteral("PVC Card"), QStringLiteral("Paper Card")});
    r.add(QString(), OUT(ColList), new QListWidget(w))->setMinimumHeight(140);
    connect(ColList, &QListWidget::itemSelectionChanged, this, [this] {
        const int row = ColList->currentRow();
        if (!IS_Custom_Card_Option_Selected() && row >= 0 && ColList->item(row)->isSelected())
            Change_Value_According_List_Selection(row);
    });
    r.box(OUT(card_size_box), tr("Card Size (mm)"));
    Rows s(card_size_box);
    const auto inUnit = [this](double v) { return Size_Field_Text(v, m_hooks.Measument_Unit_Is()); };
    s.stepper<ArrowStepper>(tr("Width"), OUT(width_Stepper), OUT(width_Text), 0, 10000, nullptr, nullptr, inUnit);
    s.stepper<ArrowStepper>(tr("Height"), OUT(height_Stepper), OUT(height_Text), 0, 10000, nullptr, nullptr, inUnit);
    unit_width_label = named(new QLabel(QStringLiteral("(mm)"), card_size_box), "unit_width_label");
    unit_height_label = named(new QLabel(QStringLiteral("(mm)"), card_size_box), "unit_height_label");
    s.grid->addWidget(unit_width_label, 0, 3);
    s.grid->addWidget(unit_height_label, 1, 3);
    for (const auto &pair : {std::pair{width_Stepper, width_Text}, std::pair{height_Stepper, height_Text}}) {
        auto *stepper = pair.first;
        auto *text = pair.second;
        stepper->setDecimals(6);
        static_cast<ArrowStepper *>(stepper)->stepped = [this, stepper, text] {
            text->setText(Size_Field_Text(stepper->value(), m_hooks.Measument_Unit_Is()));
            Apply_Asked_Size();
        };
    }
    apply_size_btn = named(new QPushButton(tr("Apply Size"), card_size_box), "apply_size_btn");
    s.grid->addWidget(apply_size_btn, s.row++, 1);
    connect(apply_size_btn, &QPushButton::clicked, this, &CardTabs::Apply_Asked_Size);
    r.add(QString(), OUT(page_frm_printer_btn), new QPushButton(tr("Size of the Printer's Page…"), w));
    connect(page_frm_printer_btn, &QPushButton::clicked, this, &CardTabs::Page_From_Printer_Click);
    auto *shapes = new QGroupBox(tr("Outline"), w);
    auto *column = new QVBoxLayout(shapes);
    matrix_card_shape = new QButtonGroup(shapes);
    matrix_card_shape->setObjectName(QStringLiteral("matrix_card_shape"));
    const QString names[] = {tr("Rectangle"), tr("Rounded Rectangle"), tr("Ellipse")};
    for (int row = 0; row < 3; ++row) {
        auto *radio = new QRadioButton(names[row], shapes);
        matrix_card_shape->addButton(radio, row);
        column->addWidget(radio);
    }
    matrix_card_shape->button(0)->setChecked(true);
    connect(matrix_card_shape, &QButtonGroup::idClicked, this, &CardTabs::card_shape_CellClick);
    r.grid->addWidget(shapes, r.row++, 0, 1, 3);
    return w;
}

QWidget *CardTabs::buildBackgroundTab()
{
    auto *w = new QWidget;
    Rows r(w);
    r.add(QString(), OUT(Card_fill_chk), new QCheckBox(tr("Fill the card"), w));
    connect(Card_fill_chk, &QCheckBox::clicked, this, &CardTabs::Card_Fill_Chk_Box);
    Rows f(r.box(OUT(Card_Fill_Box)));
    // The widest box of the card's tabs: its rows sit closer to its frame, so the tab fits beside
    // the whole card on a small screen.
    const QMargins fillMargins = f.grid->contentsMargins();
    f.grid->setContentsMargins(std::min(fillMargins.left(), 3), fillMargins.top(), std::min(fillMargins.right(), 3), fillMargins.bottom());
    auto *kinds = new QWidget(Card_Fill_Box);
    // Two by two, so the page fits the panel's width.
    auto *kindRow = new QGridLayout(kinds);
    kindRow->setContentsMargins(0, 0, 0, 0);
    int kind = 0;
    const std::tuple<QRadioButton **, const char *, QString, void (CardTabs::*)()> radios[] = {
        {&Card_solid_fill_rd, "Card_solid_fill_rd", tr("Solid"), &CardTabs::Card_Solid_RD_Sel},
        {&Card_gradient_fill_rd, "Card_gradient_fill_rd", tr("Gradient"), &CardTabs::Card_Gradient_RD_Sel},
        {&Card_Style_fill_rd, "Card_Style_fill_rd", tr("Hatch"), &CardTabs::Card_Hatch_RD_Sel},
        {&Card_Image_fill_rd, "Card_Image_fill_rd", tr("Picture"), &CardTabs::Card_Image_RD_Sel},
    };
    for (const auto &[field, name, text, slot] : radios) {
        *field = named(new QRadioButton(text, kinds), name);
        (*field)->setAutoExclusive(false);  // the fill kind sets all four
        kindRow->addWidget(*field, kind / 2, kind % 2);
        ++kind;
        connect(*field, &QRadioButton::clicked, this, slot);
    }
    f.grid->addWidget(kinds, f.row++, 0, 1, 3);
    f.well(tr("Colour"), OUT(Card_fill_clr));
    f.well(tr("From"), OUT(Card_fill_Grd_1_clr));
    f.well(tr("To"), OUT(Card_fill_Grd_2_clr));
    f.stepper(tr("Angle"), OUT(Card_grad_Stepper), OUT(Card_grad_Text), 0, 360);
    f.hatch(tr("Hatch"), OUT(Card_hatch_style));
    f.well(tr("Hatch back"), OUT(Card_hatch_bk_clr));
    f.stepper(tr("Opacity %"), OUT(Card_alpha_Stepper), OUT(Card_alpha_Text), 0, 100, &Card_alpha_lbl, "Card_alpha_lbl");
    Rows p(f.box(OUT(Card_image_box), tr("Picture")));
    p.add(QString(), OUT(Card_Image_path), new QLineEdit(Card_image_box))->setReadOnly(true);
    p.add(QString(), OUT(Card_Image_path_BACK), new QLineEdit(Card_image_box))->setReadOnly(true);
    p.combo(tr("Layout"), OUT(Card_image_layout), {QStringLiteral("Stretch"), QStringLiteral("Tile")});
    auto *buttons = new QWidget(Card_image_box);
    auto *buttonRow = new QHBoxLayout(buttons);
    buttonRow->setContentsMargins(0, 0, 0, 0);
    auto *browse = named(new QPushButton(tr("Browse…"), buttons), "Card_Image_Browse_Btn");
    auto *library = named(new QPushButton(tr("Library…"), buttons), "Card_Image_Library_Btn");
    buttonRow->addWidget(browse);
    buttonRow->addWidget(library);
    connect(browse, &QPushButton::clicked, this, &CardTabs::Card_Image_Browse_Btn);
    connect(library, &QPushButton::clicked, this, &CardTabs::Card_Image_Library_Btn);
    p.grid->addWidget(buttons, p.row++, 0, 1, 3);
    imageBrowser = new BackgroundBrowser(Card_image_box);
    p.grid->addWidget(imageBrowser, p.row++, 0, 1, 3);
    imageBrowser->Load_and_fill_backgrounds(platform::joinPath(Resource_Path, QStringLiteral("Background")));
    // A stock background is for the side being edited.
    imageBrowser->chosen = [this](const QString &path) { backgroundChosen(path); };
    return w;
}

QWidget *CardTabs::buildBorderTab()
{
    auto *w = new QWidget;
    Rows r(w);
    r.add(QString(), OUT(Card_border_chk), new QCheckBox(tr("Border"), w));
    connect(Card_border_chk, &QCheckBox::clicked, this, &CardTabs::Card_Border_ChkBox);
    Rows b(r.box(OUT(Card_Border_Box)));
    b.well(tr("Colour"), OUT(Card_bordr_clr));
    b.stepper(tr("Width"), OUT(Card_bor_Stepper), OUT(Card_bor_Text), 0, 50);
    b.combo(tr("Style"), OUT(Card_border_style), {tr("Solid"), tr("Dash"), tr("Dot"), tr("Dash Dot"), tr("Dash Dot Dot")});
    r.add(QString(), OUT(enable_watermark_chk), new QCheckBox(tr("Watermark"), w));
    connect(enable_watermark_chk, &QCheckBox::clicked, this, [this] {
        Enable_Watermark_Clicked();
        Update_Card_Graphics();
    });
    Rows m(r.box(OUT(watermark_box)));
    m.add(tr("Text"), OUT(watermark_text), new QLineEdit(watermark_box));
    wm_font_btn = named(new QPushButton(tr("Font…"), watermark_box), "wm_font_btn");
    m.font(tr("Font"), OUT(wm_font_value), wm_font_btn);
    connect(wm_font_btn, &QPushButton::clicked, this, &CardTabs::WM_Text_Font_Changed);
    m.well(tr("Colour"), OUT(watermark_color));
    m.combo(tr("Place"), OUT(wm_alignment_combo), {tr("Top"), tr("Middle"), tr("Bottom")});
    wm_transp_val = named(new QLineEdit(watermark_box), "wm_transp_val");
    wm_transp_val->setReadOnly(true);
    wm_transp_val->setFixedWidth(52);
    m.add(tr("Opacity %"), OUT(wm_transp_slider), new PanelSlider(0, 100, 1, watermark_box), wm_transp_val);
    wm_transp_slider->setOrientation(Qt::Horizontal);
    connect(wm_transp_slider, &QSlider::valueChanged, this, &CardTabs::WM_transp_slider_changed);
    return w;
}

// ---------------------------------------------------------------------------------------------
// loading and write-back

Card_Property &CardTabs::sideCard() const { return m_hooks.cardOfSide(Card_Front_Or_Back == 0 ? 0 : 1); }

void CardTabs::showFontTexts()
{
    const CardContent content = m_hooks.cardContent();
    All_Text_font_value->setText(Font_Field_Text(content.All_Text_font));
    wm_font_value->setText(Font_Field_Text(content.WM_Text_font));
}

void CardTabs::Load_Card_Tabs()
{
    // Each field set below reports its change; written back half-way, the card would take the
    // fields not yet loaded from the card shown before (a gradient read back as a solid fill).
    const PanelFillGuard filling;
    const Card_Property &c = sideCard();
    Card_border_chk->setChecked(c.Card_border_chk());
    Card_bordr_clr->setColor(c.Card_bordr_clr());
    Card_bor_Stepper->setValue(c.Card_bor_Stepper());
    Card_bor_Text->setText(QString::number(c.Card_bor_Stepper()));
    if (const int style = Border_Style_Index(c.Card_border_style()); style >= 0)
        Card_border_style->setCurrentIndex(style);
    Card_fill_chk->setChecked(c.Card_fill_chk());
    Card_fill_clr->setColor(c.Card_fill_clr());
    Card_fill_Grd_1_clr->setColor(c.Card_fill_Grd_1_clr());
    Card_fill_Grd_2_clr->setColor(c.Card_fill_Grd_2_clr());
    Card_grad_Stepper->setValue(c.Card_grad_Stepper());
    Card_grad_Text->setText(QString::number(Card_grad_Stepper->value()));
    Card_hatch_bk_clr->setColor(c.Card_hatch_bk_clr());
    if (c.Card_fill_style() == QLatin1String("H"))
        Choose_Hatch_Name(Card_hatch_style, c.Card_hatch_style());
    const double alpha = std::isfinite(c.Card_alpha_Stepper()) ? c.Card_alpha_Stepper() : 1.0;
    Card_alpha_Stepper->setValue(std::min(100.0, std::trunc(alpha * 100)));
    Card_alpha_Text->setText(QString::number(int(Card_alpha_Stepper->value())));
    const bool back = Card_Front_Or_Back != 0;
    (back ? Card_Image_path_BACK : Card_Image_path)->setText(c.Card_BG_Image_Path());
    Card_Image_path->setVisible(!back);
    Card_Image_path_BACK->setVisible(back);
    selectText(Card_image_layout, c.Card_BG_Image_Layout());
    const CardContent content = m_hooks.cardContent();
    content.All_Text_clr = c.Card_Content_clr();
    content.All_Text_font = c.Card_Content_font();
    content.All_Text_font_COPY = content.All_Text_font;
    content.All_Text_clr_COPY = content.All_Text_clr;
    All_Text_clr->setColor(c.Card_Content_clr());
    // The outline is the card's, read from the front record.
    if (!back)
        Card_Shape = Card_Outline_Code(c);
    if (QAbstractButton *cell = matrix_card_shape->button(Card_Shape))
        cell->setChecked(true);
    card_name->setText(c.Card_Name());
    selectText(Preset_ComboBox, c.Card_Preset());
    selectText(Category_ComboBox, c.Card_Category());
    Mark_List_New_Selection(c.Card_Cat_index());
    enable_watermark_chk->setChecked(c.Watermark_Used());
    wm_alignment_combo->setCurrentIndex(c.Watermark_Alignment());
    // As the card holds it (66.67 from a file stays 66.67 when another field is written back).
    wm_transp_slider->holdValueF(std::min(100.0, double(c.Watermark_Transp()) * 100));
    wm_transp_val->setText(QString::number(wm_transp_slider->valueF()));  // its step may be the one shown before
    watermark_text->setText(c.Watermark_Text());
    watermark_color->setColor(c.Watermark_Color());
    content.WM_Text_font = c.Watermark_Font();
    Enable_Watermark_Clicked();
    showFontTexts();
    card_prop_set(c.Card_fill_style());
}

CardTabValues CardTabs::Read_Card_Tab() const
{
    const CardContent content = m_hooks.cardContent();
    CardTabValues v;
    v.borderOn = Card_border_chk->isChecked();
    v.borderColour = Card_bordr_clr->color();
    v.borderWidth = int(Card_bor_Stepper->value());
    v.borderStyleIndex = Card_border_style->currentIndex();
    v.fillOn = Card_fill_chk->isChecked();
    v.fillColour = Card_fill_clr->color();
    v.gradientOn = Card_gradient_fill_rd->isChecked();
    v.hatchOn = Card_Style_fill_rd->isChecked();
    v.pictureOn = Card_Image_fill_rd->isChecked();
    v.gradient1 = Card_fill_Grd_1_clr->color();
    v.gradient2 = Card_fill_Grd_2_clr->color();
    v.gradientAngle = Card_grad_Stepper->value();
    v.hatchName = Chosen_Hatch_Name(Card_hatch_style);
    v.hatchBack = Card_hatch_bk_clr->color();
    v.alphaPercent = Card_alpha_Stepper->value();
    v.picturePath = (Card_Front_Or_Back == 0 ? Card_Image_path : Card_Image_path_BACK)->text();
    v.pictureLayout = Card_image_layout->currentText();
    v.contentColour = content.All_Text_clr;
    v.contentFont = content.All_Text_font;
    v.sidesIndex = Sides_ComboBox->currentIndex();
    v.shape = Card_Shape;
    v.name = card_name->text();
    v.cardRect = QRectF(QPointF(0, 0), m_hooks.cardOfSide(0).Card_Size());
    v.preset = Preset_ComboBox->currentText();
    v.category = Category_ComboBox->currentText();
    const QList<QListWidgetItem *> rows = ColList->selectedItems();
    v.row = rows.isEmpty() ? -1 : ColList->row(rows.first());
    v.rowText = Get_Item_Text(v.row);
    v.watermarkOn = enable_watermark_chk->isChecked();
    v.watermarkAlignment = wm_alignment_combo->currentIndex();
    v.watermarkPercent = wm_transp_slider->valueF();
    v.watermarkText = watermark_text->text();
    v.watermarkColour = watermark_color->color();
    v.watermarkFont = content.WM_Text_font;
    return v;
}

void CardTabs::Update_Card_Graphics()
{
    if (Not_Draw_Only_Prop_Change)
        return;
    Write_Card_Tab(Read_Card_Tab(), m_hooks.cardOfSide(0), m_hooks.cardOfSide(1), Card_Front_Or_Back != 0);
    m_hooks.Refresh_Canvas();
}

void CardTabs::Show_Hide_Card_Transp_Ctrl(bool hide)
{
    for (QWidget *w : std::initializer_list<QWidget *>{Card_alpha_lbl, Card_alpha_Stepper, Card_alpha_Text})
        w->setVisible(!hide);
}

void CardTabs::card_prop_set(const QString &fillStyle)
{
    const CardFillKind k = Card_Fill_Kind(fillStyle, Card_image_layout->currentText());
    Card_solid_fill_rd->setChecked(k.radio == QLatin1String("S"));
    Card_gradient_fill_rd->setChecked(k.radio == QLatin1String("G"));
    Card_Style_fill_rd->setChecked(k.radio == QLatin1String("H"));
    Card_Image_fill_rd->setChecked(k.radio == QLatin1String("I"));
    Show_Hide_Card_Transp_Ctrl(k.hideOpacity);
    Card_Border_Box->setEnabled(Card_border_chk->isChecked());
    Card_Fill_Box->setEnabled(Card_fill_chk->isChecked());
    Card_fill_clr->setEnabled(k.solid);
    for (QWidget *g : std::initializer_list<QWidget *>{Card_fill_Grd_1_clr, Card_fill_Grd_2_clr, Card_grad_Text, Card_grad_Stepper})
        g->setEnabled(k.gradient);
    Card_hatch_style->setEnabled(k.hatch);
    Card_hatch_bk_clr->setEnabled(k.hatch);
    Card_image_box->setEnabled(k.picture);
}

void CardTabs::Card_Border_ChkBox()
{
    Card_Border_Box->setEnabled(Card_border_chk->isChecked());
    Update_Card_Graphics();
}

void CardTabs::Card_Fill_Chk_Box()
{
    card_prop_set(sideCard().Card_fill_style());
    Update_Card_Graphics();
    Card_Fill_Box->setEnabled(Card_fill_chk->isChecked());
    if (!Card_fill_chk->isChecked() || !Card_Image_fill_rd->isChecked())
        Card_image_box->setEnabled(false);
}

void CardTabs::Card_Solid_RD_Sel()
{
    card_prop_set(QStringLiteral("S"));
    Update_Card_Graphics();
}
void CardTabs::Card_Gradient_RD_Sel()
{
    card_prop_set(QStringLiteral("G"));
    Update_Card_Graphics();
}
void CardTabs::Card_Hatch_RD_Sel()
{
    card_prop_set(QStringLiteral("H"));
    Update_Card_Graphics();
}
void CardTabs::Card_Image_RD_Sel()
{
    card_prop_set(QStringLiteral("I"));
    Update_Card_Graphics();
}

void CardTabs::Enable_Watermark_Clicked() { watermark_box->setEnabled(enable_watermark_chk->isChecked()); }

void CardTabs::WM_transp_slider_changed()
{
    wm_transp_val->setText(QString::number(wm_transp_slider->valueF()));
    Update_Card_Graphics();
}

void CardTabs::WM_Text_Font_Changed()
{
    const CardContent content = m_hooks.cardContent();
    const std::optional<QFont> font = platform::ui().chooseFont(tr("Watermark Font"), content.WM_Text_font);
    if (!font)
        return;
    content.WM_Text_font = *font;
    showFontTexts();
    Update_Card_Graphics();
}

void CardTabs::Content_Font_Clicked()
{
    const CardContent content = m_hooks.cardContent();
    const std::optional<QFont> font = platform::ui().chooseFont(tr("Text Font"), content.All_Text_font);
    if (!font)
        return;
    content.All_Text_font = *font;
    showFontTexts();
    Update_All_Card_Content();
}

// One point smaller or larger: each unlocked text of the side in its own size, and the content
// font. Pushing the content font instead would take every text's own face and size away.
void CardTabs::stepContentFont(int points)
{
    // Recorded before too, so that a change nobody recorded stays a step of its own.
    m_hooks.Insert_In_Undo_Redo();
    const int side = Card_Front_Or_Back == 0 ? 0 : 1;
    const Card_Property replaced = m_hooks.cardOfSide(side);
    SKTGraphicArray texts;
    for (const SKTGraphicPtr &g : m_hooks.controlsOfSide(side))
        if (g && g->kind() == SKTGraphicKind::Text && !g->ctrl_is_locked)
            texts.push_back(g);
    const CardContent content = m_hooks.cardContent();
    QFont font = content.All_Text_font;
    m_textSizeSteps.forgetGone();
    const bool moved = m_textSizeSteps.step(side, texts, font, points, kLeastContentPoints, kMostContentPoints);
    if (font != content.All_Text_font) {
        content.All_Text_font = font;
        showFontTexts();
    }
    // The texts took the step in their own sizes: a later push (a size change makes one) has no
    // content font left to give them.
    content.All_Text_font_COPY = content.All_Text_font;
    Update_All_Card_Content();
    // The content font is part of the step: Undo gives it back with the texts' sizes, so the tab
    // does not read one point off from the texts it steps.
    if (moved)
        m_hooks.Insert_In_Undo_Redo_Replacing_Card(side, replaced);
}

void CardTabs::Content_Font_Decrease_Clicked() { stepContentFont(-1); }
void CardTabs::Contect_Font_Increase_Clicked() { stepContentFont(1); }

void CardTabs::Contect_Color_Clicked()
{
    m_hooks.cardContent().All_Text_clr = All_Text_clr->color();
    Update_All_Card_Content();
}

void CardTabs::Update_All_Card_Content()
{
    const CardContent content = m_hooks.cardContent();
    const bool colourChanged = content.All_Text_clr != content.All_Text_clr_COPY;
    const bool fontChanged = !content.All_Text_font_COPY || content.All_Text_font != *content.All_Text_font_COPY;
    for (const SKTGraphicPtr &g : m_hooks.controlsOfSide(Card_Front_Or_Back == 0 ? 0 : 1)) {
        if (!g || g->kind() != SKTGraphicKind::Text || g->ctrl_is_locked)
            continue;
        if (colourChanged)
            g->txt_clr = content.All_Text_clr;
        if (fontChanged)
            g->text_ctrl_font = content.All_Text_font;
    }
    // What was pushed is the new baseline: a later push (after a size change, say) must not undo
    // a text's own colour or font set since.
    content.All_Text_clr_COPY = content.All_Text_clr;
    content.All_Text_font_COPY = content.All_Text_font;
    Update_Card_Graphics();
}

void CardTabs::setBackground(int side, const QString &path)
{
    if (const QString refused = platform::pictureDecodeRefusal(path); !refused.isEmpty()) {
        Show_MessageBox(refused);  // the card keeps its background
        return;
    }
    (side == 0 ? Card_Image_path : Card_Image_path_BACK)->setText(path);
    if (path.isEmpty())
        return;
    Card_Property &card = m_hooks.cardOfSide(side == 0 ? 0 : 1);
    card.setCard_fill_chk(true);
    card.setCard_fill_style(QStringLiteral("I"));
    card.setCard_BG_Image_Path(path);
    card.setCard_BG_Image(Load_Card_Background_Picture(path));
    m_hooks.Reload_Card_Panel();
}

void CardTabs::set_Front_BG_Image(const QString &path) { setBackground(0, path); }
void CardTabs::set_Back_BG_Image(const QString &path) { setBackground(1, path); }

void CardTabs::Card_Image_Browse_Btn()
{
    static const QStringList types{"jpg", "jpeg", "jpe", "jfif", "gif", "bmp", "png", "tif", "tiff"};
    const QString path = platform::ui().openFile(tr("Card Background"), QDir::homePath(), types);
    if (path.isEmpty())
        return;
    backgroundChosen(path);
}

void CardTabs::Card_Image_Library_Btn() { backgroundChosen(m_hooks.Choose_Library_Background()); }

void CardTabs::backgroundChosen(const QString &path)
{
    if (!path.isEmpty())
        setBackground(Card_Front_Or_Back, path);
    Update_Card_Graphics();
    // The reload put the panel on its first card tab; the user was choosing a background.
    if (auto *tabs = qobject_cast<QTabWidget *>(card_bkgd_tab->parentWidget() ? card_bkgd_tab->parentWidget()->parentWidget() : nullptr))
        tabs->setCurrentWidget(card_bkgd_tab);
}

void CardTabs::Card_Combo_Changed(QComboBox *sender)
{
    if (sender == wm_alignment_combo || sender == Card_border_style || sender == Card_hatch_style) {
        Update_Card_Graphics();
    } else if (sender == Card_image_layout) {
        Show_Hide_Card_Transp_Ctrl(sender->currentText() == QLatin1String("Tile"));
        Update_Card_Graphics();
    } else if (sender == Sides_ComboBox) {
        m_hooks.Card_Sides_Changed(sender->currentIndex() != 0);
        Update_Card_Graphics();
    } else if (sender == Preset_ComboBox) {
        Orientation_Chosen();
    } else if (sender == Category_ComboBox) {
        Category_Chosen();
    }
}

// ---------------------------------------------------------------------------------------------
// size page

void CardTabs::Create_List(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (!trimmed.isEmpty())
        ColList->addItem(trimmed);
}

QString CardTabs::Get_Item_Text(int row) const
{
    const QListWidgetItem *item = ColList->item(row);
    return item ? item->text() : QString();
}

bool CardTabs::IS_Custom_Card_Option_Selected() const
{
    return Preset_ComboBox->currentIndex() < 0 || Preset_ComboBox->currentIndex() == 2;
}

void CardTabs::Mark_List_New_Selection(int row)
{
    if (IS_Custom_Card_Option_Selected())
        return;
    // Marking the stored row is no choice of a size; a row this list does not have (the index of
    // a longer list of another category) marks none.
    const QSignalBlocker quiet(ColList);
    ColList->clearSelection();
    const int bounded = Bounded_List_Row(row, ColList->count());
    ColList->setCurrentRow(bounded);
    if (bounded < 0)
        ColList->clearSelection();
}

void CardTabs::Fill_Category_List()
{
    const QSignalBlocker quiet(ColList);
    ColList->clear();
    for (const QString &name : Category_ComboBox->currentIndex() == 0 ? pvc_card_names() : paper_card_names())
        Create_List(name);
}

void CardTabs::Category_Chosen()
{
    Fill_Category_List();
    Mark_List_New_Selection(m_hooks.cardOfSide(0).Card_Cat_index());
    if (Not_Draw_Only_Prop_Change)
        return;
    m_hooks.Card_Control_Size_Change_or_not(m_hooks.cardOfSide(0).Card_Size());
    Update_Card_Graphics();
}

void CardTabs::Orientation_Chosen()
{
    const int index = Preset_ComboBox->currentIndex();
    if (index < 0)
        return;
    const bool custom = index == 2;
    width_Stepper->setEnabled(custom);
    height_Stepper->setEnabled(custom);
    width_Text->setEnabled(custom);
    height_Text->setEnabled(custom);
    page_frm_printer_btn->setEnabled(custom);
    Category_ComboBox->setEnabled(!custom);
    ColList->setEnabled(!custom);
    if (Not_Draw_Only_Prop_Change)
        return;
    if (!custom) {
        const QList<QListWidgetItem *> rows = ColList->selectedItems();
        Change_Value_According_List_Selection(rows.isEmpty() ? -1 : ColList->row(rows.first()));
    }
    Update_Card_Graphics();
}

void CardTabs::Change_Value_According_List_Selection(int row)
{
    const QString letter = Preset_ComboBox->currentText() == QLatin1String("Horizontal") ? QStringLiteral("H")
                                                                                          : QStringLiteral("V");
    const QSizeF mm = Get_My_card_Size(Category_ComboBox->currentText(), letter, row);
    m_hooks.Set_Card_Size_In_Control(mm.width(), mm.height());
    Apply_Size_Clicked();
}

void CardTabs::Apply_Size_Clicked()
{
    const QSizeF points = Card_Size_In_Points(width_Stepper->value(), height_Stepper->value(), m_hooks.Measument_Unit_Is());
    // A card needs a width and a height.
    if (!(points.width() >= 1 && points.height() >= 1))
        return;
    const QSizeF before = m_hooks.cardOfSide(0).Card_Size();
    m_hooks.Apply_Card_Size(points);
    m_hooks.Card_Control_Size_Change_or_not(before);
    Update_All_Card_Content();
}

void CardTabs::Apply_Asked_Size()
{
    const QSizeF points = Card_Size_In_Points(width_Stepper->value(), height_Stepper->value(), m_hooks.Measument_Unit_Is());
    if (points.width() >= 1 && points.height() >= 1)
        return Apply_Size_Clicked();
    // Left as it was, a field of 0 beside a card of 85.6 mm reads as a size that was applied.
    const QSizeF card = m_hooks.cardOfSide(0).Card_Size();
    m_hooks.Set_Card_Size_In_Control(Points_to_MM_Convert(float(card.width())), Points_to_MM_Convert(float(card.height())));
    platform::ui().message(tr("A card's width and height must each be at least 0.36 mm (1 point)."));
}

void CardTabs::Page_From_Printer_Click()
{
    // The one print set-up: the paper set here is the paper the print window prints on.
    QPrinter &printer = m_hooks.printInfo();
    if (Run_Page_Setup(printer, card_size_tab, QStringLiteral("Page_Setup")) != QDialog::Accepted)
        return;
    const QSizeF paper = Paper_Size_MM(printer.pageLayout());
    m_hooks.Set_Card_Size_In_Control(paper.width(), paper.height());
    // A paper with no width leaves the card and its fields as they were, with a word.
    Apply_Asked_Size();
}

void CardTabs::card_shape_CellClick()
{
    Card_Shape = std::max(0, matrix_card_shape->checkedId());
    Apply_Size_Clicked();
    m_hooks.Refresh_Canvas();
}
