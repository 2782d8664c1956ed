// The panel's construction and selection: which tab items a selection shows and the order in
// which a selected control's fields are loaded.

#include "properties/PropertyPanel.h"

#include "canvas/LiveModePanel.h"
#include "canvas/SKTGraphicView.h"
#include "core/Globals.h"
#include "core/SKTDocument.h"
#include "core/Utilities.h"
#include "properties/PropertyPanelHooks.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGridLayout>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace {
const char *const kLabelProperty = "panelTabLabel";

// The shared owner of a control shown on a canvas, so the panel can hold it weakly.
SKTGraphicPtr sharedOf(SKTGraphicView *canvas, const SKTGraphic *control)
{
    if (!canvas || !canvas->document())
        return {};
    for (int side = 0; side < 3; ++side)
        for (const SKTGraphicPtr &g : canvas->document()->graphicsOfSide(side))
            if (g.get() == control)
                return g;
    return {};
}

void setShown(std::initializer_list<QWidget *> widgets, bool shown)
{
    for (QWidget *w : widgets)
        w->setVisible(shown);
}
}  // namespace

namespace {
// Hides a row of a tab's form: the field and the caption beside it.
void hideFormRow(QWidget *field)
{
    field->hide();
    auto *grid = qobject_cast<QGridLayout *>(field->parentWidget()->layout());
    int row = 0, column = 0, rows = 0, columns = 0;
    if (!grid || grid->indexOf(field) < 0)
        return;
    grid->getItemPosition(grid->indexOf(field), &row, &column, &rows, &columns);
    if (QLayoutItem *caption = grid->itemAtPosition(row, 0); caption && caption->widget() != field && caption->widget())
        caption->widget()->hide();
}
}  // namespace

PropertyPanel::PropertyPanel(PropertyPanelHooks &hooks, QTabWidget *tabs, QWidget *parent)
    : QObject(parent), sett_tab(tabs), m_hooks(hooks)
{
    buildHeader(parent);
    struct Tab {
        QWidget **field;
        QWidget *made;
        const char *label;
    };
    const Tab built[] = {
        {&text_edtng_tab, buildTextEditingTab(), "Text"}, {&text_prop_tab, buildTextPropTab(), "Style"},
        {&datasource_tab, buildDataSourceTab(), "Source"}, {&image_tab, buildImageTab(), "Image"},
        {&line_tab, buildLineTab(), "Line"},                {&sign_tab, buildSignTab(), "Signature"},
        {&shape_tab, buildShapeTab(), "General"},          {&barcode_tab, buildBarcodeTab(), "Barcode"},
        {&aligmnt_tab, buildAlignmentTab(), "Align"},      {&Lock_tab, buildLockTab(), "Lock"},
    };
    for (const Tab &t : built) {
        *t.field = t.made;
        t.made->setProperty(kLabelProperty, tr(t.label));
    }
    // The ids are kept for the panel's own use; a user never sees them.
    for (QWidget *id : {static_cast<QWidget *>(txt_ctrl_id_val), static_cast<QWidget *>(img_ctrl_id_val)})
        hideFormRow(id);
    connectCombos();
    connectActions();
    // The source list starts on "Manual" without its handler having run.
    Data_Source_Enabling(true);
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        connect(clipboard, &QClipboard::dataChanged, this, [this] {
            if (!m_lockedShown)
                Set_Paste_Button_Status();
        });
}

PropertyPanel::~PropertyPanel() = default;

void PropertyPanel::setCardTabs(QWidget *info, QWidget *size, QWidget *bkgd, QWidget *brdr, QWidget *setting)
{
    card_setting_tab = setting;
    card_info_tab = info;
    card_size_tab = size;
    card_bkgd_tab = bkgd;
    card_brdr_tab = brdr;
    for (QWidget *w : {setting, info, size, bkgd, brdr})
        if (w && sett_tab->indexOf(w) >= 0)
            w->setProperty(kLabelProperty, sett_tab->tabText(sett_tab->indexOf(w)));
}

SKTGraphic *PropertyPanel::Last_Selected_Graphic() const { return m_lastShown.lock().get(); }

QWidget *PropertyPanel::tabOf(PanelTab tab) const
{
    switch (tab) {
    case PanelTab::CardSetting: return card_setting_tab;
    case PanelTab::CardInfo: return card_info_tab;
    case PanelTab::CardSize: return card_size_tab;
    case PanelTab::CardBkgd: return card_bkgd_tab;
    case PanelTab::CardBrdr: return card_brdr_tab;
    case PanelTab::TextEditing: return text_edtng_tab;
    case PanelTab::TextProp: return text_prop_tab;
    case PanelTab::Image: return image_tab;
    case PanelTab::Line: return line_tab;
    case PanelTab::Sign: return sign_tab;
    case PanelTab::Barcode: return barcode_tab;
    case PanelTab::Shape: return shape_tab;
    case PanelTab::DataSource: return datasource_tab;
    case PanelTab::Alignment: return aligmnt_tab;
    case PanelTab::Lock: return Lock_tab;
    }
    return nullptr;
}

void PropertyPanel::Remove_All_Tab_Items()
{
    while (sett_tab->count() > 0)
        sett_tab->removeTab(0);
}

void PropertyPanel::Fill_Card_Prop_Tab()
{
    properties_title->setText(tr("Card Properties"));
    Remove_All_Tab_Items();
    for (const PanelTabItem &item : Plan_Card_Panel().tabs)
        if (QWidget *tab = tabOf(item.tab))
            sett_tab->addTab(tab, tab->property(kLabelProperty).toString());
}

bool PropertyPanel::Check_Multiple_Image_Selection() const
{
    SKTGraphicView *canvas = m_hooks.currentCanvas();
    int images = 0;
    for (const SKTGraphicPtr &g : canvas ? canvas->selectedGraphics() : SKTGraphicArray())
        images += g->kind() == SKTGraphicKind::Image;
    return images >= 2;
}

void PropertyPanel::Show_RHS_Properties(SKTGraphic *control)
{
    if (Not_Draw_Only_Prop_Change) {
        // Something else is filling the panels: only the card tab set, or a visitor-mode photo.
        if (!control) {
            Fill_Card_Prop_Tab();
            return;
        }
        if (!(Start_Card_Option == QLatin1String("V") && control->kind() == SKTGraphicKind::Image))
            return;
    }
    m_hooks.selectArrowTool();
    if (control)
        showControl(*control);
    else
        showCard();
}

void PropertyPanel::showCard()
{
    PanelFillGuard filling;
    if (SKTGraphicView *canvas = m_hooks.currentCanvas())
        canvas->Clear_Control_Selection();
    Disable_Standard_Button_For_Card();
    // The print option belongs to the selected controls: with the card on show it has none.
    print_object_chk->setEnabled(false);
    print_object_chk->setToolTip(tr("Select a control on the card first: a control can be left out of printed cards"));
    m_lastShown.reset();
    m_lockedShown = false;
    Fill_Card_Prop_Tab();
    // The card's own properties come first to the eye, before the window's settings.
    if (card_info_tab && sett_tab->indexOf(card_info_tab) >= 0)
        sett_tab->setCurrentWidget(card_info_tab);
    else
        sett_tab->setCurrentIndex(0);
    // The card's size has fields of its own in the card tabs.
    ctrl_width_height_box->hide();
    m_hooks.Load_Card_Tabs();
    sett_tab->update();
}

void PropertyPanel::showControl(SKTGraphic &control)
{
    const bool locked = control.ctrl_is_locked;
    Enable_Standard_Button_For_Control();
    print_object_chk->setEnabled(true);
    print_object_chk->setToolTip(tr("The control stays on the canvas but is not printed, exported or mailed"));
    if (locked)
        Disable_Standard_Button_For_Lock();
    else
        Enable_Standard_Button_For_Unlock();
    m_lockedShown = locked;

    const SKTGraphicKind kind = control.kind();
    const bool multipleImages = kind == SKTGraphicKind::Image && Check_Multiple_Image_Selection();
    if (Last_Selected_Graphic() == &control && !multipleImages)
        return;
    m_lastShown = sharedOf(m_hooks.currentCanvas(), &control);

    Enable_Natural_Size_Buttons(kind != SKTGraphicKind::Barcode);
    Remove_All_Tab_Items();
    print_object_chk->setChecked(control.print_object != 0);
    sel_control_name->setText(QStringLiteral("NONE"));
    {
        PanelFillGuard filling;
        ctrl_width_height_box->show();
        const PanelPlan plan = Plan_Control_Panel(control, Start_Card_Option, multipleImages);
        const bool live = Start_Card_Option == QLatin1String("V") || Start_Card_Option == QLatin1String("G");
        const QString id = Trim_Str(control.control_ID);
        if (kind == SKTGraphicKind::Text) {
            invalid_source_label->hide();
            txt_ctrl_id_val->setText(id);
        }
        for (const PanelTabItem &item : plan.tabs) {
            QWidget *tab = tabOf(item.tab);
            if (item.tab == PanelTab::Alignment)
                continue;  // appended once the fields are loaded
            if (item.tab == PanelTab::Shape && !locked)
                Shape_prop_title->setText(plan.shapeTitle.isEmpty() ? Shape_prop_title->text() : plan.shapeTitle);
            QString label = item.label.isEmpty() ? tab->property(kLabelProperty).toString() : item.label;
            if (label.isEmpty())  // a locked shape of an unknown code: the title last shown
                label = Shape_prop_title->text();
            sett_tab->addTab(tab, label);
        }
        sett_tab->setCurrentIndex(0);
        properties_title->setText(plan.title);
        if (!plan.selName.isEmpty())
            sel_control_name->setText(plan.selName);

        switch (kind) {
        case SKTGraphicKind::Text:
            if (!locked && !live) {
                setShown({Text_Date_Time_Box, Text_value_Edit, text_value_lbl, text_value_scrollView}, true);
                manual_brws_box->hide();
                data_source_title->setText(tr("Text Source"));
                // The source list still shows the previous control's choice here.
                Text_value_Edit->setReadOnly(Data_source_type->currentText() != QLatin1String("Manual"));
            } else if (!locked) {
                Text_Date_Time_Box->hide();
                const bool free = id.isEmpty();  // a free text, not a profile field
                Text_value_Edit->setReadOnly(!free);
                setShown({Text_value_Edit, text_value_lbl, text_value_scrollView}, free);
            }
            Load_Text_Panel(control);
            break;
        case SKTGraphicKind::Image:
            ctrl_width_height_box->hide();
            img_ctrl_id_val->setText(control.control_ID);
            if (!locked && !live) {
                manual_brws_box->show();
                data_source_title->setText(tr("Image Source"));
            }
            Load_Image_Panel(control);
            break;
        case SKTGraphicKind::Line: Load_Line_Panel(control); break;
        case SKTGraphicKind::Signature: Load_Sign_Panel(control); break;
        case SKTGraphicKind::Barcode: Set_Control_Pos_And_Size(&control); break;
        default:
            setShown({shape_cor_radius_Stepper, shape_cor_radius_Text, shape_cor_radius_Label, double_star_Label,
                      double_star_Stepper, double_star_Text, polygon_Label, polygon_Stepper, polygon_Text},
                     false);
            setShown({shape_cor_radius_Stepper, shape_cor_radius_Text, shape_cor_radius_Label},
                     plan.shapeExtra == ShapeExtra::CornerRadius);
            setShown({double_star_Label, double_star_Stepper, double_star_Text}, plan.shapeExtra == ShapeExtra::DoubleStar);
            setShown({polygon_Label, polygon_Stepper, polygon_Text}, plan.shapeExtra == ShapeExtra::Polygon);
            Load_Shape_Panel(control);
            break;
        }
    }
    if (!locked)
        sett_tab->addTab(aligmnt_tab, aligmnt_tab->property(kLabelProperty).toString());
    sett_tab->update();
}

void PropertyPanel::Show_Hide_Text_Transp_Ctrl(bool hide)
{
    setShown({text_alpha_lbl, Text_alpha_Stepper, Text_alpha_Text}, !hide);
}

void PropertyPanel::Show_Hide_Shape_Transp_Ctrl(bool hide)
{
    setShown({shape_alpha_lbl, shape_alpha_Stepper, shape_alpha_Text}, !hide);
}
