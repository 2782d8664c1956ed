#include "properties/Barcode_Gen.h"
#include "properties/PanelPlan.h"
#include "canvas/ScriptedModal.h"
#include "canvas/WidgetUtilities.h"

#include "barcode/BarcodeRender.h"
#include "barcode/ControlBarcode.h"
#include "barcode/DataMatrixSymbol.h"
#include "barcode/Symbologies.h"
#include "barcode/TwoDImage.h"
#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "core/ImageResolution.h"
#include "core/SKTBarcode.h"
#include "core/Utilities.h"
#include "platform/UiServices.h"
#include "platform/TextLength.h"
#include "canvas/SmallDialogs.h"
#include "barcode/QREncoder.h"
#include "properties/PanelWidgets.h"
#include "properties/PropertyPanelHooks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

Barcode_Gen *Barcode_Gen_Var = nullptr;
QImage Barcode_output_image;
int QR_Version_Val = 0, QR_EC_Level_Val = 0, QR_Enc_Mode_Val = 0;
int PDF_Row = 0, PDF_Col = 3;

namespace {

constexpr int kMaxHeaderLength = 50;

Barcode_Gen::ModalRunner &runner()
{
    static Barcode_Gen::ModalRunner r;
    return r;
}

// The number a stepper's field shows: whole numbers for a stepper without decimals.
QString numberText(const PanelStepper *stepper)
{
    return stepper->decimals() == 0 ? QString::number(qRound(stepper->value()))
                                    : QString::number(stepper->value(), 'f', 2);
}

void setPair(PanelStepper *stepper, QLineEdit *text, double value)
{
    stepper->setValue(value);
    text->setText(numberText(stepper));
}

void select(QComboBox *combo, int index) { combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : 0); }

bool isAscii(const QString &s)
{
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c.unicode() < 128; });
}

}  // namespace

Barcode_Gen::Barcode_Gen(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Barcode_Gen"));
    setWindowTitle(tr("Barcode Properties"));
    Apply_Window_Background(this);
    const QFont small(Text_Ctrl_Font, 10);
    value_font = header_font = footer_font = small;
    build();
    connectAll();
    Barcode_Gen_Var = this;
    PanelFillGuard filling;
    setPair(pdf_row_Stepper, pdf_row_Text, PDF_Row);
    setPair(pdf_col_Stepper, pdf_col_Text, PDF_Col);
    setPair(dm_widthStepper_2D, dm_widthText_2D, 0);
    setPair(dm_HeightStepper_2D, dm_HeightText_2D, 0);
    Set_Barcode_Prop_To_Control(SKTBarcode());
}

Barcode_Gen::~Barcode_Gen()
{
    if (Barcode_Gen_Var == this)
        Barcode_Gen_Var = nullptr;
}

Barcode_Gen *Barcode_Gen::defaultInstance() { return Barcode_Gen_Var; }

Barcode_Gen::ModalRunner Barcode_Gen::setModalRunner(ModalRunner r)
{
    std::swap(r, runner());
    return r;
}

// --- the window's widgets ---

void Barcode_Gen::build()
{
    auto *top = new QGridLayout;
    int row = 0;
    auto caption = [&](const QString &text, QWidget *w, QWidget *extra = nullptr, QWidget *third = nullptr) {
        top->addWidget(new QLabel(text, this), row, 0);
        top->addWidget(w, row, 1, 1, extra ? 1 : 3);
        if (extra)
            top->addWidget(extra, row, 2);
        if (third)
            top->addWidget(third, row, 3);
        ++row;
    };
    barcodeTypePopup = named(new QComboBox(this), "barcodeTypePopup");
    barcodeTypePopup->addItems(barcode::Barcode_Type_Names());
    caption(tr("Barcode type :"), barcodeTypePopup);
    auto *values = new QWidget(this);
    auto *valueBox = new QVBoxLayout(values);
    valueBox->setContentsMargins(0, 0, 0, 0);
    dataText = named(new QLineEdit(values), "dataText");
    dataText_2D = named(new QPlainTextEdit(values), "dataText_2D");
    dataText_2D->setFixedHeight(60);
    valueBox->addWidget(dataText);
    valueBox->addWidget(dataText_2D);
    caption(tr("Value :"), values);
    Data_source_type = named(new QComboBox(this), "Data_source_type");
    Batch_Series = named(new QComboBox(this), "Batch_Series");
    series_label = named(new QLabel(tr("Series :"), this), "series_label");
    auto *seriesBox = new QWidget(this);
    auto *seriesRow = new QHBoxLayout(seriesBox);
    seriesRow->setContentsMargins(0, 0, 0, 0);
    view_series_btn = named(new QPushButton(tr("View…"), seriesBox), "view_series_btn");
    view_series_btn->setToolTip(tr("Shows the values of the chosen series or the spreadsheet table."));
    connect(view_series_btn, &QPushButton::clicked, this, &Barcode_Gen::View_batch_Series_Button);
    seriesRow->addWidget(Batch_Series, 1);
    seriesRow->addWidget(view_series_btn);
    caption(tr("Source :"), Data_source_type, series_label, seriesBox);
    auto textRow = [&](const QString &text, QLineEdit *&field, const char *name, QCheckBox *&hide, const char *hideName,
                       QComboBox *&align, const char *alignName) {
        field = named(new QLineEdit(this), name);
        hide = named(new QCheckBox(tr("Hide"), this), hideName);
        align = named(new QComboBox(this), alignName);
        align->addItems(barcode::Barcode_Alignment_Names());
        caption(text, field, hide, align);
    };
    textRow(tr("Header :"), HeaderText, "HeaderText", hideHeaderCheckbox, "hideHeaderCheckbox", align_hdr_combo,
            "align_hdr_combo");
    textRow(tr("Footer :"), FooterText, "FooterText", hideFooterCheckbox, "hideFooterCheckbox", align_ftr_combo,
            "align_ftr_combo");
    caption_box = named(new QGroupBox(this), "caption_box");
    auto *checks = new QHBoxLayout(caption_box);
    captionCheckbox = named(new QCheckBox(tr("Hide value"), caption_box), "captionCheckbox");
    showinTopCheckbox = named(new QCheckBox(tr("Value on top"), caption_box), "showinTopCheckbox");
    transparent_bkgnd = named(new QCheckBox(tr("Transparent background"), caption_box), "transparent_bkgnd");
    kerning_value_Checkbox = named(new QCheckBox(tr("Close-set value"), caption_box), "kerning_value_Checkbox");
    kerning_value_Checkbox->setToolTip(tr("Draws the value without letter spacing."));
    for (QCheckBox *c : {captionCheckbox, showinTopCheckbox, kerning_value_Checkbox, transparent_bkgnd})
        checks->addWidget(c);
    top->addWidget(caption_box, row++, 0, 1, 4);
    top->setRowStretch(row, 1);  // spare height goes below the fields, not between them

    // The preview, with the label that says why there is none.
    auto *previewSide = new QVBoxLayout;
    image_scroll = named(new QScrollArea(this), "image_scroll");
    image_scroll->setMinimumSize(300, 200);
    image_scroll->setAlignment(Qt::AlignCenter);
    image_scroll->setBackgroundRole(QPalette::Base);
    barcodeImage = named(new QLabel, "barcodeImage");
    barcodeImage->setAlignment(Qt::AlignCenter);
    image_scroll->setWidget(barcodeImage);
    image_scroll->setWidgetResizable(true);
    barcode_error_label = named(new QLabel(tr("Invalid barcode value."), this), "barcode_error_label");
    barcode_error_label->setStyleSheet(QStringLiteral("color: #b00000"));
    auto *encode = named(new QPushButton(tr("Preview"), this), "Encode_btn");
    connect(encode, &QPushButton::clicked, this, &Barcode_Gen::Encode_btn);
    previewSide->addWidget(image_scroll, 1);
    previewSide->addWidget(barcode_error_label);
    previewSide->addWidget(encode, 0, Qt::AlignRight);

    // A stepper and its field; every change rebuilds the preview.
    // `after` runs once the pair agrees (the preview rebuild unless a handler is named).
    auto pair = [&](QGridLayout *grid, int r, const QString &text, PanelStepper *&stepper, const char *sName,
                    QLineEdit *&field, const char *tName, double lo, double hi, int decimals, QLabel **label = nullptr,
                    void (Barcode_Gen::*after)() = &Barcode_Gen::goButtonActionPerformed) {
        auto *l = new QLabel(text);
        if (label)
            *label = l;
        stepper = named(new PanelStepper, sName);
        stepper->setRange(lo, hi);
        stepper->setDecimals(decimals);
        stepper->setSingleStep(decimals ? 0.5 : 1);
        field = named(new QLineEdit, tName);
        field->setMaximumWidth(70);
        grid->addWidget(l, r, 0);
        grid->addWidget(field, r, 1);
        grid->addWidget(stepper, r, 2);
        PanelStepper *s = stepper;
        QLineEdit *t = field;
        connect(s, &QDoubleSpinBox::valueChanged, this, [this, s, t, after] {
            t->setText(numberText(s));
            (this->*after)();
        });
        On_Typed_Leave(t, this, [s, t] {
            // A whole-number field refuses a fraction rather than round it ("1.5" is no size).
            if (const std::optional<double> v = Typed_Panel_Value(t->text(), s->minimum(), s->maximum(), s->decimals() == 0))
                s->setValue(*v);
            t->setText(numberText(s));
        });
    };
    auto combo = [&](QGridLayout *grid, int r, const QString &text, QComboBox *&box, const char *name,
                     const QStringList &items) {
        box = named(new QComboBox, name);
        box->addItems(items);
        grid->addWidget(new QLabel(text), r, 0);
        grid->addWidget(box, r, 1, 1, 2);
    };
    // A small "?" beside a field: its handler shows what the field means.
    auto help = [&](QGridLayout *grid, int r, const char *name, void (Barcode_Gen::*slot)()) {
        auto *b = named(new QPushButton(QStringLiteral("?")), name);
        b->setFixedWidth(28);
        b->setToolTip(tr("Help"));
        connect(b, &QPushButton::clicked, this, slot);
        grid->addWidget(b, r, 3);
    };
    auto group = [&](QGroupBox *&box, const char *name, const QString &title) {
        box = named(new QGroupBox(title), name);
        return new QGridLayout(box);
    };

    sett_tab = named(new QTabWidget(this), "sett_tab");
    auto *sizes = new QWidget;
    auto *sizeBox = new QVBoxLayout(sizes);
    QGridLayout *g = group(linear_sett_box, "linear_sett_box", tr("Bars"));
    pair(g, 0, tr("Bar Height (mm):"), HeightStepper, "HeightStepper", HeightText, "HeightText", 0.5, 500, 2,
         &barHeightLabel);
    pair(g, 1, tr("Bar Width (Mils):"), widthStepper, "widthStepper", widthText, "widthText", 1, 200, 2, &barWidthLabel);
    barHeightLabel->setObjectName(QStringLiteral("barHeightLabel"));
    barWidthLabel->setObjectName(QStringLiteral("barWidthLabel"));
    g = group(two_d_sett_box, "two_d_sett_box", tr("QR Code"));
    pair(g, 0, tr("Size (px) :"), HeightStepper_2D, "HeightStepper_2D", HeightText_2D, "HeightText_2D", 1, 1000, 0);
    QStringList versions{QStringLiteral("Auto")};
    for (int v = 1; v <= 40; ++v)
        versions << QStringLiteral("V%1").arg(v);
    combo(g, 1, tr("Version :"), qr_version_ComboBox, "qr_version_ComboBox", versions);
    help(g, 1, "QR_Version_Help_Btn", &Barcode_Gen::QR_Version_Help_Btn);
    combo(g, 2, tr("Error correction :"), qr_ec_lvl_ComboBox, "qr_ec_lvl_ComboBox",
          {QStringLiteral("L"), QStringLiteral("M"), QStringLiteral("Q"), QStringLiteral("H")});
    help(g, 2, "QR_EC_Lvl_Help_Btn", &Barcode_Gen::QR_EC_Lvl_Help_Btn);
    combo(g, 3, tr("Encoding mode :"), qr_enc_mode_ComboBox, "qr_enc_mode_ComboBox",
          {QStringLiteral("Auto"), QStringLiteral("Numeric"), QStringLiteral("Alphanumeric"), QStringLiteral("Byte"),
           QStringLiteral("Kanji")});
    qr_enc_mode_ComboBox->setToolTip(tr("The symbol always takes the most compact mode its value allows."));
    g = group(pdf_2d_sett_box, "pdf_2d_sett_box", tr("PDF417"));
    pair(g, 0, tr("Width (pt) :"), Pdf_widthStepper_2D, "Pdf_widthStepper_2D", Pdf_widthText_2D, "Pdf_widthText_2D", 1,
         1000, 0);
    pair(g, 1, tr("Height (pt) :"), pdf_HeightStepper_2D, "pdf_HeightStepper_2D", pdf_HeightText_2D,
         "pdf_HeightText_2D", 1, 1000, 0);
    pair(g, 2, tr("EC level :"), pdf_ec_lvl_Stepper, "pdf_ec_lvl_Stepper", pdf_ec_lvl_Text, "pdf_ec_lvl_Text", 0, 8, 0);
    help(g, 2, "PDF_ec_lvl_Help_btn", &Barcode_Gen::PDF_ec_lvl_Help_btn);
    // Rows and columns are shown and kept; the symbol's shape follows its drawing area.
    pair(g, 3, tr("Rows :"), pdf_row_Stepper, "pdf_row_Stepper", pdf_row_Text, "pdf_row_Text", 0, 90, 0, nullptr,
         &Barcode_Gen::PDF_Row_Changed);
    help(g, 3, "PDF_row_Help_btn", &Barcode_Gen::PDF_row_Help_btn);
    pair(g, 4, tr("Columns :"), pdf_col_Stepper, "pdf_col_Stepper", pdf_col_Text, "pdf_col_Text", 0, 30, 0, nullptr,
         &Barcode_Gen::PDF_Col_Changed);
    help(g, 4, "PDF_col_Help_btn", &Barcode_Gen::PDF_col_Help_btn);
    for (QWidget *w : std::initializer_list<QWidget *>{pdf_row_Stepper, pdf_row_Text, pdf_col_Stepper, pdf_col_Text})
        w->setToolTip(tr("Kept with the window; the symbol's rows and columns follow its width and height."));
    g = group(dm_2d_sett_box, "dm_2d_sett_box", tr("DataMatrix"));
    pair(g, 0, tr("Module (px) :"), dm_moduleStepper_2D, "dm_moduleStepper_2D", dm_moduleText_2D, "dm_moduleText_2D", 1,
         100, 0, nullptr, &Barcode_Gen::dm_modulesizeChanged);
    combo(g, 1, tr("Preferred format :"), dm_format_ComboBox, "dm_format_ComboBox", barcode::DataMatrix_Size_Items());
    help(g, 1, "DM_format_Help_btn", &Barcode_Gen::DM_format_Help_btn);
    combo(g, 2, tr("Encoding :"), dm_encoding_ComboBox, "dm_encoding_ComboBox", barcode::DataMatrix_Encoding_Items());
    help(g, 2, "DM_Encoding_Help_btn", &Barcode_Gen::DM_Encoding_Help_btn);
    pair(g, 3, tr("Width (px) :"), dm_widthStepper_2D, "dm_widthStepper_2D", dm_widthText_2D, "dm_widthText_2D", 0,
         10000, 0, nullptr, &Barcode_Gen::dm_widthChanged);
    pair(g, 4, tr("Height (px) :"), dm_HeightStepper_2D, "dm_HeightStepper_2D", dm_HeightText_2D, "dm_HeightText_2D",
         0, 10000, 0, nullptr, &Barcode_Gen::dm_heightChanged);
    for (QGroupBox *b : {linear_sett_box, two_d_sett_box, pdf_2d_sett_box, dm_2d_sett_box})
        sizeBox->addWidget(b);
    sizeBox->addStretch(1);
    sett_tab->addTab(sizes, tr("Size"));

    auto *texts = new QWidget;
    auto *textGrid = new QHBoxLayout(texts);
    g = group(margin_box, "margin_box", tr("Margins (mm)"));
    pair(g, 0, tr("Header :"), hdr_mar_Stepper, "hdr_mar_Stepper", hdr_mar_Text, "hdr_mar_Text", 0, 100, 2);
    pair(g, 1, tr("Footer :"), ftr_mar_Stepper, "ftr_mar_Stepper", ftr_mar_Text, "ftr_mar_Text", 0, 100, 2);
    pair(g, 2, tr("Value :"), val_mar_Stepper, "val_mar_Stepper", val_mar_Text, "val_mar_Text", 0, 100, 2, &val_mar_label);
    val_mar_label->setObjectName(QStringLiteral("val_mar_label"));
    pair(g, 3, tr("Top / bottom :"), TB_mar_Stepper, "TB_mar_Stepper", TB_mar_Text, "TB_mar_Text", 0, 100, 2);
    pair(g, 4, tr("Left / right :"), LR_mar_Stepper, "LR_mar_Stepper", LR_mar_Text, "LR_mar_Text", 0, 100, 2);
    textGrid->addWidget(margin_box);
    auto *look = new QGridLayout;
    auto fontRow = [&](int r, const QString &text, QLabel *&shown, const char *name, const char *button,
                       void (Barcode_Gen::*slot)(), QLabel **label = nullptr, QPushButton **chooser = nullptr) {
        shown = named(new QLabel, name);
        auto *b = named(new QPushButton(tr("Font…")), button);
        connect(b, &QPushButton::clicked, this, slot);
        auto *l = new QLabel(text);
        look->addWidget(l, r, 0);
        look->addWidget(shown, r, 1);
        look->addWidget(b, r, 2);
        if (label)
            *label = l;
        if (chooser)
            *chooser = b;
    };
    fontRow(0, tr("Value font :"), value_font_value, "value_font_value", "val_font_btn", &Barcode_Gen::Value_Font_Changed,
            &val_font_label, &val_font_btn);
    val_font_label->setObjectName(QStringLiteral("val_font_label"));
    fontRow(1, tr("Header font :"), header_font_value, "header_font_value", "hdr_font_btn",
            &Barcode_Gen::Header_Font_Changed);
    fontRow(2, tr("Footer font :"), footer_font_value, "footer_font_value", "ftr_font_btn",
            &Barcode_Gen::Footer_Font_Changed);
    auto well = [&](int r, int c, const QString &text, ColorWell *&w, const char *name, QLabel **label = nullptr) {
        auto *l = new QLabel(text);
        if (label)
            *label = l;
        w = named(new ColorWell, name);
        w->setToolTip(text);
        look->addWidget(l, r, c);
        look->addWidget(w, r, c + 1);
        connect(w, &ColorWell::colorPicked, this, &Barcode_Gen::goButtonActionPerformed);
    };
    well(3, 0, tr("Header colour"), bar_hdr_clr, "bar_hdr_clr");
    well(4, 0, tr("Footer colour"), bar_ftr_clr, "bar_ftr_clr");
    well(5, 0, tr("Value colour"), bar_val_clr, "bar_val_clr", &val_clr_label);
    well(3, 2, tr("Bar colour"), barcode_clr, "barcode_clr", &bar_clr_label);
    val_clr_label->setObjectName(QStringLiteral("val_clr_label"));
    bar_clr_label->setObjectName(QStringLiteral("bar_clr_label"));
    well(4, 2, tr("Background"), bar_back_clr, "bar_back_clr", &bar_bk_clr_label);
    bar_bk_clr_label->setObjectName(QStringLiteral("bar_bk_clr_label"));
    look->setRowStretch(6, 1);
    textGrid->addLayout(look, 1);
    sett_tab->addTab(texts, tr("Text and colours"));

    dpi_tab_item = new QWidget;
    auto *dpiGrid = new QGridLayout(dpi_tab_item);
    combo(dpiGrid, 0, tr("DPI :"), DPI_ComboBox, "DPI_ComboBox", barcode::DPI_List_Items());
    help(dpiGrid, 0, "DPI_Help_Label", &Barcode_Gen::DPI_Help_Label);
    pair(dpiGrid, 1, tr("Custom DPI :"), dpi_Stepper, "dpi_Stepper", dpi_Text, "dpi_Text", 1, 2400, 0);
    dpiGrid->setRowStretch(2, 1);
    dpiGrid->setColumnStretch(3, 1);
    sett_tab->addTab(dpi_tab_item, tr("Resolution"));

    auto *buttons = new QHBoxLayout;
    OK_Btn = named(new QPushButton(tr("OK"), this), "OK_Btn");
    Cancel_Btn = named(new QPushButton(tr("Cancel"), this), "Cancel_Btn");
    OK_Btn->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(Cancel_Btn);
    buttons->addWidget(OK_Btn);

    auto *upper = new QHBoxLayout;
    upper->addLayout(top, 3);
    upper->addLayout(previewSide, 2);
    auto *whole = new QVBoxLayout(this);
    whole->addLayout(upper);
    whole->addWidget(sett_tab);
    whole->addLayout(buttons);
    // One size for both panes, so OK stays under the pointer when the kind changes.
    Fit_Window_To_Screen(this, {760, 580});
}

void Barcode_Gen::connectAll()
{
    connect(OK_Btn, &QPushButton::clicked, this, &Barcode_Gen::OK_Btn_Clicked);
    connect(Cancel_Btn, &QPushButton::clicked, this, &Barcode_Gen::Cancel_Btn_Clicked);
    connect(barcodeTypePopup, &QComboBox::currentIndexChanged, this, &Barcode_Gen::barcodeTypeChanged);
    connect(dataText, &QLineEdit::textChanged, this, &Barcode_Gen::goButtonActionPerformed);
    connect(dataText_2D, &QPlainTextEdit::textChanged, this, &Barcode_Gen::goButtonActionPerformed);
    connect(HeaderText, &QLineEdit::textChanged, this, &Barcode_Gen::headerFooterEdited);
    connect(FooterText, &QLineEdit::textChanged, this, &Barcode_Gen::headerFooterEdited);
    connect(captionCheckbox, &QCheckBox::toggled, this, &Barcode_Gen::captionChanged);
    connect(transparent_bkgnd, &QCheckBox::toggled, this, &Barcode_Gen::Transparent_Bkngd_Clicked);
    for (QCheckBox *c : {hideHeaderCheckbox, hideFooterCheckbox, showinTopCheckbox})
        connect(c, &QCheckBox::toggled, this, &Barcode_Gen::goButtonActionPerformed);
    connect(kerning_value_Checkbox, &QCheckBox::toggled, this, &Barcode_Gen::goButtonActionPerformed);
    for (QComboBox *c : {align_hdr_combo, align_ftr_combo, qr_version_ComboBox, qr_ec_lvl_ComboBox, qr_enc_mode_ComboBox,
                         dm_format_ComboBox, dm_encoding_ComboBox, DPI_ComboBox, Data_source_type, Batch_Series})
        connect(c, &QComboBox::currentIndexChanged, this, [this, c] { comboBoxSelectionDidChange(c); });
}

// --- loading and reading the fields ---

void Barcode_Gen::Set_Barcode_Prop_To_Control(const SKTGraphic &graphic)
{
    PanelFillGuard filling;
    pass_barcode_control = graphic.clone();
    barcode::Setup_To_Control(barcode::Setup_From_Control(SKTBarcode()), *pass_barcode_control);
    const barcode::BarcodeSetup s = barcode::Setup_From_Control(graphic);

    // The symbology's title decides the pane; designs made before this window stored a 2-D
    // symbology's index in the 2-D names alone.
    const int linearCount = int(barcode::Linear_Symbology_Names().size());
    int index = s.barcode_font_index;
    if (s.linear_or_2d == 1 && index >= 0 && index < int(barcode::TwoD_Symbology_Names().size()))
        index += linearCount;
    select(barcodeTypePopup, index);
    liner_or_2D_font = barcodeTypePopup->currentIndex() >= linearCount ? 1 : 0;

    dataText->setText(s.linear_font_val);
    dataText_2D->setPlainText(s.two_d_font_val);
    HeaderText->setText(s.header_val);
    FooterText->setText(s.footer_val);
    hideHeaderCheckbox->setChecked(s.show_hide_hdr == 1);
    hideFooterCheckbox->setChecked(s.show_hide_ftr == 1);
    captionCheckbox->setChecked(s.show_hide_val == 1);
    showinTopCheckbox->setChecked(s.show_val_on_top == 1);
    transparent_bkgnd->setChecked(s.transparent_background);
    kerning_value_Checkbox->setChecked(s.kerning_value == 1);
    select(align_hdr_combo, s.align_hdr_index);
    select(align_ftr_combo, s.align_ftr_index);

    // The list fills and selects the working copy's series or column, whose first value the
    // value fields then show.
    {
        const QSignalBlocker once(Data_source_type);
        select(Data_source_type, graphic.data_source_type);
    }
    m_sourceShown.clear();
    m_hasTypedValues = false;
    dataSourceChosen();
    captionChanged();

    setPair(HeightStepper, HeightText, s.linear_height_val);
    setPair(widthStepper, widthText, s.linear_width_val);
    // A stored size loads as it was: the version's minimum is applied when a version is picked.
    HeightStepper_2D->setMinimum(1);
    setPair(HeightStepper_2D, HeightText_2D, s.qr_size_val);
    select(qr_version_ComboBox, s.qr_version_index);
    select(qr_ec_lvl_ComboBox, s.qr_ec_index);
    setPair(pdf_HeightStepper_2D, pdf_HeightText_2D, s.pdf_hgt_val);
    setPair(Pdf_widthStepper_2D, Pdf_widthText_2D, s.pdf_wdt_val);
    setPair(pdf_ec_lvl_Stepper, pdf_ec_lvl_Text, s.pdf_ec_val);
    setPair(dm_moduleStepper_2D, dm_moduleText_2D, s.dm_module_val);
    select(dm_format_ComboBox, s.dm_format_index);
    select(dm_encoding_ComboBox, s.dm_encoding_index);
    setPair(hdr_mar_Stepper, hdr_mar_Text, s.hdr_margin_val);
    setPair(ftr_mar_Stepper, ftr_mar_Text, s.ftr_margin_val);
    setPair(val_mar_Stepper, val_mar_Text, s.val_margin_val);
    setPair(TB_mar_Stepper, TB_mar_Text, s.TB_marging_val);
    setPair(LR_mar_Stepper, LR_mar_Text, s.LR_margin_val);

    value_font = s.value_font_val;
    header_font = s.header_font_val;
    footer_font = s.footer_font_val;
    showFonts();
    bar_hdr_clr->setColor(s.barcode_hdr_clr_val);
    bar_ftr_clr->setColor(s.barcode_ftr_clr_val);
    bar_val_clr->setColor(s.barcode_val_clr_val);
    bar_back_clr->setColor(s.barcode_back_clr_val);
    barcode_clr->setColor(s.barcode_clr_val);
    Transparent_Bkngd_Clicked();
    select(DPI_ComboBox, s.dpi_val_index);
    // The typed resolution is the control's own, not whatever the last control left here.
    dpi_Text->setText(s.dpi_custom_val);
    bool typed = false;
    const int custom = s.dpi_custom_val.trimmed().toInt(&typed);
    if (typed)
        dpi_Stepper->setValue(custom);
    comboBoxSelectionDidChange(DPI_ComboBox);

    if (liner_or_2D_font == 0)
        Liner_Barcode_Opt_Select();
    else
        two_d_barcode_Opt_Select();
    _setLabels();
}

barcode::BarcodeSetup Barcode_Gen::Current_Setup() const
{
    barcode::BarcodeSetup s;
    s.linear_or_2d = liner_or_2D_font;
    s.barcode_font_index = barcodeTypePopup->currentIndex();
    s.linear_font_val = dataText->text();
    s.two_d_font_val = dataText_2D->toPlainText();
    s.header_val = HeaderText->text();
    s.footer_val = FooterText->text();
    s.show_hide_hdr = hideHeaderCheckbox->isChecked() ? 1 : 0;
    s.show_hide_ftr = hideFooterCheckbox->isChecked() ? 1 : 0;
    s.show_hide_val = captionCheckbox->isChecked() ? 1 : 0;
    s.show_val_on_top = showinTopCheckbox->isChecked() ? 1 : 0;
    s.align_hdr_index = align_hdr_combo->currentIndex();
    s.align_ftr_index = align_ftr_combo->currentIndex();
    s.linear_height_val = HeightStepper->value();
    s.linear_width_val = widthStepper->value();
    s.qr_size_val = qRound(HeightStepper_2D->value());
    s.qr_version_index = qr_version_ComboBox->currentIndex();
    s.qr_ec_index = qr_ec_lvl_ComboBox->currentIndex();
    s.pdf_hgt_val = qRound(pdf_HeightStepper_2D->value());
    s.pdf_wdt_val = qRound(Pdf_widthStepper_2D->value());
    s.pdf_ec_val = qRound(pdf_ec_lvl_Stepper->value());
    s.dm_module_val = qRound(dm_moduleStepper_2D->value());
    s.dm_format_index = dm_format_ComboBox->currentIndex();
    s.dm_encoding_index = dm_encoding_ComboBox->currentIndex();
    s.hdr_margin_val = hdr_mar_Stepper->value();
    s.ftr_margin_val = ftr_mar_Stepper->value();
    s.val_margin_val = val_mar_Stepper->value();
    s.TB_marging_val = TB_mar_Stepper->value();
    s.LR_margin_val = LR_mar_Stepper->value();
    s.value_font_val = value_font;
    s.header_font_val = header_font;
    s.footer_font_val = footer_font;
    s.barcode_hdr_clr_val = bar_hdr_clr->color();
    s.barcode_ftr_clr_val = bar_ftr_clr->color();
    s.barcode_val_clr_val = bar_val_clr->color();
    s.barcode_back_clr_val = bar_back_clr->color();
    s.barcode_clr_val = barcode_clr->color();
    s.dpi_val_index = DPI_ComboBox->currentIndex();
    s.dpi_custom_val = dpi_Text->text();
    s.transparent_background = transparent_bkgnd->isChecked();
    s.kerning_value = kerning_value_Checkbox->isChecked() ? 1 : 0;
    return s;
}

QString Barcode_Gen::Current_Value() const
{
    return liner_or_2D_font == 1 ? dataText_2D->toPlainText() : dataText->text();
}

QImage Barcode_Gen::Get_Image_From_Val(const QString &value, const QString &header, const QString &footer) const
{
    barcode::BarcodeSetup setup = Current_Setup();
    setup.header_val = header;
    setup.footer_val = footer;
    return barcode::Render_Barcode(setup, value).toImage(barcode::Setup_Barcode_Dpi(setup));
}

// --- the modal edit ---

std::shared_ptr<SKTGraphic> Barcode_Gen::Open_Wnd(const SKTGraphic &graphic)
{
    {
        PanelFillGuard filling;
        fillDataSourceList();
        Set_Barcode_Prop_To_Control(graphic);
    }
    goButtonActionPerformed();
    m_shown = Shown_State();
    setResult(0);
    int code = 0;
    if (runner()) {
        code = runShownModal(*this, runner());
    } else {
        code = exec();
    }
    hide();
    if (code != 1) {
        Barcode_output_image = QImage();
        return nullptr;
    }
    SKTGraphic &copy = *pass_barcode_control;
    barcode::Setup_To_Control(Current_Setup(), copy);
    copy._fillColor = copy._isDrawingFill ? QColor(Qt::transparent)
                      : liner_or_2D_font == 1 ? QColor(Qt::white)
                                              : bar_back_clr->color();
    const QString source = Data_source_type->currentText();
    if (source == QLatin1String("Series")) {
        copy.data_source_type = 1;
        copy.batch_list_name = Trim_Str(Batch_Series->currentText());
        copy.batch_list_index = Batch_Series->currentIndex();
    } else if (source == QLatin1String("Excel")) {
        copy.data_source_type = 2;
        copy.excel_col_indx = Batch_Series->currentIndex();
    } else {
        copy.data_source_type = 0;
    }
    return pass_barcode_control;
}

Barcode_Gen::ShownState Barcode_Gen::Shown_State() const
{
    return {Current_Setup(), Data_source_type->currentIndex(), Batch_Series->currentText()};
}

bool Barcode_Gen::Changed_Since_Open() const { return !(Shown_State() == m_shown); }

void Barcode_Gen::OK_Btn_Clicked()
{
    if (!Check_And_Validat_Barcode(true, false))
        return;
    goButtonActionPerformed();
    Barcode_output_image = m_preview;
    if (Barcode_output_image.isNull()) {
        Set_Blank_Image();
        Show_MessageBox(QStringLiteral("Invalid barcode value."));
        return;
    }
    done(1);
}

void Barcode_Gen::Cancel_Btn_Clicked()
{
    Barcode_output_image = m_preview;
    done(0);
}

// --- validation and preview ---

bool Barcode_Gen::Check_And_Validat_Barcode(bool show, bool chk_image)
{
    barcode_error_label->hide();
    auto fail = [&](const QString &message) {
        Set_Blank_Image();
        if (show)
            Show_MessageBox(message);
        return false;
    };
    const QString value = Current_Value();
    if (Trim_Str(value).isEmpty() || !isAscii(value))
        return fail(QStringLiteral("Invalid barcode value."));
    if (chk_image && m_preview.isNull())
        return fail(QStringLiteral("Invalid barcode value."));
    if (Data_source_type->currentText() == QLatin1String("Manual") || Data_source_type->currentIndex() < 0)
        return true;
    const QString chosen = Trim_Str(Batch_Series->currentText());
    if (chosen.isEmpty() || Batch_Series->currentIndex() < 0 || chosen == QLatin1String("<--Select-->"))
        return fail(QStringLiteral("Please select valid Series / Excel Column."));
    return true;
}

void Barcode_Gen::goButtonActionPerformed()
{
    if (Not_Draw_Only_Prop_Change)
        return;
    if (!Check_And_Validat_Barcode(false, false))
        return;
    const QImage image = Get_Image_From_Val(Trim_Str(Current_Value()), HeaderText->text(), FooterText->text());
    if (image.isNull())
        Set_Blank_Image();
    else
        showPreview(image);
}

void Barcode_Gen::showPreview(const QImage &image)
{
    m_preview = image;
    barcode_error_label->hide();
    QPixmap shown = QPixmap::fromImage(image);
    // Shown at its size in points, sharp on a fine screen.
    shown.setDevicePixelRatio(std::max(1.0, Image_Dpi(image) / 72.0));
    barcodeImage->setPixmap(shown);
}

void Barcode_Gen::Set_Blank_Image()
{
    m_preview = QImage();
    barcodeImage->clear();
    barcode_error_label->show();
}

// --- panes and labels ---

void Barcode_Gen::Liner_Barcode_Opt_Select()
{
    liner_or_2D_font = 0;
    dataText->setEnabled(true);
    dataText->show();
    dataText_2D->hide();
    for (QWidget *w : linearOnly())
        w->show();
    for (QWidget *w : {two_d_sett_box, pdf_2d_sett_box, dm_2d_sett_box})
        w->hide();
    if (sett_tab->count() == 3)
        sett_tab->removeTab(2);
    sett_tab->setCurrentIndex(0);
}

void Barcode_Gen::two_d_barcode_Opt_Select()
{
    liner_or_2D_font = 1;
    dataText->setEnabled(false);
    dataText->hide();
    dataText_2D->show();
    for (QWidget *w : linearOnly())
        w->hide();
    if (sett_tab->count() == 2)
        sett_tab->insertTab(2, dpi_tab_item, tr("Resolution"));
    const QString name = barcodeTypePopup->currentText();
    two_d_sett_box->setVisible(name == QLatin1String("QR Code"));
    pdf_2d_sett_box->setVisible(name == QLatin1String("PDF417"));
    dm_2d_sett_box->setVisible(name == QLatin1String("DataMatrix"));
}

std::vector<QWidget *> Barcode_Gen::linearOnly() const
{
    return {showinTopCheckbox, captionCheckbox, kerning_value_Checkbox, val_mar_Text, val_mar_Stepper, val_mar_label,
            val_font_label, val_font_btn, value_font_value, barcode_clr, bar_val_clr, val_clr_label, bar_clr_label,
            bar_bk_clr_label, bar_back_clr, linear_sett_box};
}

void Barcode_Gen::_setLabels()
{
    // Barcodes are always edited in millimetres.
    barHeightLabel->setText(tr("Bar Height (mm):"));
    barWidthLabel->setText(tr("Bar Width (Mils):"));
    margin_box->setTitle(tr("Margins (mm)"));
}

bool Barcode_Gen::Get_Print_State()
{
    if (!captionCheckbox->isEnabled())
        return false;
    const bool prints = !captionCheckbox->isChecked();
    showinTopCheckbox->setEnabled(prints);
    return prints;
}

// --- handlers ---

void Barcode_Gen::barcodeTypeChanged()
{
    const int linearCount = int(barcode::Linear_Symbology_Names().size());
    if (barcodeTypePopup->currentIndex() >= linearCount)
        two_d_barcode_Opt_Select();
    else
        Liner_Barcode_Opt_Select();
    // UPC and EAN lay their digits out in groups of their own.
    const QString name = barcodeTypePopup->currentText();
    kerning_value_Checkbox->setEnabled(liner_or_2D_font == 0 &&
                                       !QStringList{"UPCE", "UPCA", "EAN-8", "EAN-13"}.contains(name));
    if (Not_Draw_Only_Prop_Change)
        return;
    if (Current_Value().isEmpty()) {
        Show_MessageBox(QStringLiteral("Please enter barcode value"));
        Set_Blank_Image();
        return;
    }
    goButtonActionPerformed();
}

void Barcode_Gen::captionChanged()
{
    Get_Print_State();
    goButtonActionPerformed();
}

void Barcode_Gen::Transparent_Bkngd_Clicked()
{
    const bool clear = transparent_bkgnd->isChecked();
    bar_bk_clr_label->setEnabled(!clear);
    bar_back_clr->setEnabled(!clear);
    goButtonActionPerformed();
}

void Barcode_Gen::headerFooterEdited()
{
    for (QLineEdit *field : {HeaderText, FooterText}) {
        const QString trimmed = Trim_Str(field->text());
        if (platform::Longer_Than(trimmed, kMaxHeaderLength))
            field->setText(platform::First_Characters(trimmed, kMaxHeaderLength));
    }
    goButtonActionPerformed();
}

void Barcode_Gen::chooseFont(QFont &font)
{
    const std::optional<QFont> chosen = platform::ui().chooseFont(tr("Font"), font);
    if (!chosen)
        return;
    font = *chosen;
    showFonts();
    goButtonActionPerformed();
}

void Barcode_Gen::Value_Font_Changed() { chooseFont(value_font); }
void Barcode_Gen::Header_Font_Changed() { chooseFont(header_font); }
void Barcode_Gen::Footer_Font_Changed() { chooseFont(footer_font); }

void Barcode_Gen::showFonts()
{
    value_font_value->setText(Font_Field_Text(value_font));
    header_font_value->setText(Font_Field_Text(header_font));
    footer_font_value->setText(Font_Field_Text(footer_font));
}

void Barcode_Gen::comboBoxSelectionDidChange(QComboBox *sender)
{
    if (sender == DPI_ComboBox) {
        const bool custom = DPI_ComboBox->currentText() == QLatin1String("Custom");
        dpi_Stepper->setVisible(custom);
        dpi_Text->setVisible(custom);
    } else if (sender == Data_source_type) {
        if (dataSourceChosen())
            goButtonActionPerformed();
        return;
    } else if (sender == Batch_Series) {
        sourceItemChosen();
        return;
    } else if (liner_or_2D_font == 1) {
        if (sender == qr_enc_mode_ComboBox) {
            QR_Enc_Mode_Val = sender->currentIndex();
        } else if (sender == qr_version_ComboBox) {
            QR_Version_Val = sender->currentIndex();
            // A stored size loads as it was; a version picked raises the size to its modules.
            if (!Not_Draw_Only_Prop_Change)
                Check_And_Set_QR_size_Acc_Version(QR_Version_Val);
        } else if (sender == qr_ec_lvl_ComboBox) {
            QR_EC_Level_Val = sender->currentIndex();
        } else if (sender == dm_format_ComboBox) {
            data_matrix_barcode_size_acc_format();
        }
    }
    goButtonActionPerformed();
}

void Barcode_Gen::Check_And_Set_QR_size_Acc_Version(int versionIndex)
{
    const int least = barcode::QR_Minimum_Size(versionIndex);
    HeightStepper_2D->setMinimum(least);
    if (HeightStepper_2D->value() < least || HeightText_2D->text().toInt() < least)
        setPair(HeightStepper_2D, HeightText_2D, least);
}

void Barcode_Gen::data_matrix_barcode_size_acc_format()
{
    const int module = qRound(dm_moduleStepper_2D->value());
    const QString format = dm_format_ComboBox->currentText();
    if (format == QLatin1String("Auto") || format.isEmpty())
        return;
    const QString size = format.mid(1);
    const qsizetype cross = size.indexOf(u'X');
    const int rows = cross < 0 ? 0 : size.left(cross).trimmed().toInt();
    const int columns = cross < 0 ? 0 : size.mid(cross + 1).trimmed().toInt();
    // Only raised, never lowered.
    if (dm_widthStepper_2D->value() < columns * module)
        setPair(dm_widthStepper_2D, dm_widthText_2D, columns * module);
    if (dm_HeightStepper_2D->value() < rows * module)
        setPair(dm_HeightStepper_2D, dm_HeightText_2D, rows * module);
}

// --- two-dimensional fields ---

void Barcode_Gen::PDF_Row_Changed()
{
    PDF_Row = qRound(pdf_row_Stepper->value());
    goButtonActionPerformed();
}

void Barcode_Gen::PDF_Col_Changed()
{
    PDF_Col = qRound(pdf_col_Stepper->value());
    goButtonActionPerformed();
}

void Barcode_Gen::dm_widthChanged() { goButtonActionPerformed(); }
void Barcode_Gen::dm_heightChanged() { goButtonActionPerformed(); }

void Barcode_Gen::dm_modulesizeChanged()
{
    data_matrix_barcode_size_acc_format();
    goButtonActionPerformed();
}

// --- help ---

namespace {
void showHelp(const QString &title, const QString &text)
{
    Cutom_Msg_Title = title;
    Cutom_Msg_Val = text;
    Long_SMS_Dlg *box = Long_SMS_Dlg::defaultInstance();
    box->title_val.clear();  // the help form
    box->Open_Long_sms_Dialog();
}
}  // namespace

void Barcode_Gen::QR_Version_Help_Btn()
{
    showHelp(QStringLiteral("Version :"),
             QStringLiteral("Version is configuration or number of modules (combination of black and white dots)."));
}

void Barcode_Gen::QR_EC_Lvl_Help_Btn()
{
    showHelp(QStringLiteral("Error correction (EC) level :"),
             QStringLiteral("An error-correction mechanism is built in each symbol so that the symbol can still be "
                            "decoded even if it is damaged."));
}

void Barcode_Gen::PDF_row_Help_btn()
{
    showHelp(QStringLiteral("PDF Rows :"), QStringLiteral("Number of rows in the PDF barcode."));
}

void Barcode_Gen::PDF_col_Help_btn()
{
    showHelp(QStringLiteral("PDF Columns :"), QStringLiteral("Number of columns in the PDF barcode."));
}

void Barcode_Gen::PDF_ec_lvl_Help_btn()
{
    showHelp(QStringLiteral("PDF EC Level :"),
             QStringLiteral("An error-correction mechanism is built in each symbol so that the symbol can still be "
                            "decoded even if it is damaged in PDF barcode."));
}

void Barcode_Gen::DM_format_Help_btn()
{
    showHelp(QStringLiteral("Preferred Format :"),
             QStringLiteral("Preferred Mode determines the smallest size of the symbol."));
}

void Barcode_Gen::DM_Encoding_Help_btn()
{
    showHelp(QStringLiteral("Encoding Mode :"),
             QStringLiteral("Encoding Mode is mode of compaction to encode data in the symbol."));
}

void Barcode_Gen::DPI_Help_Label()
{
    showHelp(QStringLiteral("DPI (Dots Per Inch) :"),
             QStringLiteral("Dots per inch is a measure of the resolution of printers in terms of Print Quality.\n\n"
                            "Bigger the DPI, Better the Print Quality. But File size of image also increases, as you "
                            "choose bigger DPI."));
}

// --- data source ---

void Barcode_Gen::fillDataSourceList()
{
    const QSignalBlocker quiet(Data_source_type);
    Data_source_type->clear();
    Data_source_type->addItem(QStringLiteral("Manual"));
    const bool visitor = Start_Card_Option == QLatin1String("V");
    if (!visitor) {
        Data_source_type->addItem(QStringLiteral("Series"));
        if (m_hooks && m_hooks->Excel_Binding_Use())
            Data_source_type->addItem(QStringLiteral("Excel"));
    }
    for (QWidget *w : std::initializer_list<QWidget *>{Batch_Series, series_label, view_series_btn})
        w->setVisible(!visitor);
}

bool Barcode_Gen::dataSourceChosen()
{
    const QString source = Data_source_type->currentText();
    if (Start_Card_Option == QLatin1String("V") || Data_source_type->currentIndex() < 0) {
        dataText->setReadOnly(false);
        dataText_2D->setReadOnly(false);
        return false;
    }
    const bool manual = source == QLatin1String("Manual");
    if (!manual && m_sourceShown == QLatin1String("Manual")) {
        m_typedLinear = dataText->text();
        m_typed2D = dataText_2D->toPlainText();
        m_hasTypedValues = true;
    }
    m_sourceShown = source;
    // Refilling the list chooses nothing: the working copy's own choice is selected after.
    const QSignalBlocker quiet(Batch_Series);
    Batch_Series->clear();
    Batch_Series->setEnabled(!manual);
    view_series_btn->setEnabled(!manual);
    dataText->setReadOnly(!manual);
    dataText_2D->setReadOnly(!manual);
    SKTGraphic *copy = pass_barcode_control.get();
    if (manual) {
        if (copy)
            copy->data_source_type = 0;
        if (m_hasTypedValues) {
            // One rebuild, by the caller, once both fields hold the typed value again.
            PanelFillGuard filling;
            dataText->setText(m_typedLinear);
            dataText_2D->setPlainText(m_typed2D);
        }
        return true;
    }
    int chosen = -1;
    if (source == QLatin1String("Series")) {
        const QStringList names = Get_datasheet_File_Name_Array();
        if (names.isEmpty()) {
            dataText->clear();
            dataText_2D->clear();
            return false;
        }
        Batch_Series->addItems(names);
        if (copy) {
            if (!copy->batch_list_name.isEmpty())
                chosen = Batch_Series->findText(copy->batch_list_name);
            copy->data_source_type = 1;
        }
    } else {
        if (m_hooks)
            m_hooks->Fill_Excel_Col_Name_In_Combo(Batch_Series);
        if (copy) {
            if (copy->excel_col_indx != -1 && copy->excel_col_indx < Batch_Series->count())
                chosen = copy->excel_col_indx;
            copy->data_source_type = 2;
        }
    }
    Batch_Series->setCurrentIndex(-1);
    if (chosen >= 0) {
        Batch_Series->blockSignals(false);  // the choice is a choice: the value follows it
        Batch_Series->setCurrentIndex(chosen);
    }
    return true;
}

void Barcode_Gen::sourceItemChosen()
{
    const QString source = Data_source_type->currentText();
    if (Start_Card_Option == QLatin1String("V") || Data_source_type->currentIndex() < 0 ||
        source == QLatin1String("Manual") || Batch_Series->currentIndex() < 0)
        return;
    const QString name = Trim_Str(Batch_Series->currentText());
    if (name == QLatin1String("<--Select-->"))
        return;
    if (name.isEmpty()) {
        dataText->setText(name);
        dataText_2D->setPlainText(name);
        return;
    }
    SKTGraphic *copy = pass_barcode_control.get();
    if (!copy)
        return;
    QString value;
    if (source == QLatin1String("Series")) {
        copy->data_source_type = 1;
        copy->batch_list_name = name;
        copy->batch_list_index = Batch_Series->currentIndex();
    } else {
        copy->data_source_type = 2;
        copy->excel_col_indx = Batch_Series->currentIndex();
    }
    if (m_hooks)
        value = m_hooks->First_Value_Of_Source(copy->data_source_type, name,
                                               copy->data_source_type == 2 ? copy->excel_col_indx : -1);
    {
        // One rebuild for both fields, after both hold the value.
        PanelFillGuard filling;
        dataText->setText(value);
        dataText_2D->setPlainText(value);
    }
    goButtonActionPerformed();
    if (m_hooks)
        m_hooks->Refresh_Canvas();
}

void Barcode_Gen::View_batch_Series_Button()
{
    const QString source = Data_source_type->currentText();
    if (source == QLatin1String("Manual") || Data_source_type->currentIndex() < 0 || !m_hooks)
        return;
    if (source == QLatin1String("Series")) {
        const QString name = Trim_Str(Batch_Series->currentText());
        if (name.isEmpty() || name == QLatin1String("<--Select-->")) {
            Show_MessageBox(QStringLiteral("Please select the series."));
            return;
        }
        m_hooks->View_Data_Source(1, name);
    } else {
        m_hooks->View_Data_Source(2, {});
    }
}
