#pragma once
// The four card tabs of the property panel (Setting, Size, Background, Border): their widgets
// (each an outlet: objectName = the outlet's name), their loading from the side's card record,
// their write-back into the records, and the size page's presets and size changes. The window
// takes the tab items and hands them to the panel.

#include "properties/CardTabLogic.h"
#include "properties/PanelWidgets.h"

#include <QObject>

class BackgroundBrowser;
class CardTabsHooks;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QTabWidget;

class CardTabs : public QObject {
    Q_OBJECT
public:
    CardTabs(CardTabsHooks &hooks, QObject *parent = nullptr);
    ~CardTabs() override;

    // --- loading and write-back ---
    // Fills every tab from the side's record; the caller holds the fill guard.
    void Load_Card_Tabs();
    CardTabValues Read_Card_Tab() const;
    // The tabs into the records and the canvas redrawn; nothing while the panel is being filled.
    void Update_Card_Graphics();
    void card_prop_set(const QString &fillStyle);
    void Show_Hide_Card_Transp_Ctrl(bool hide);
    void Update_All_Card_Content();
    void set_Front_BG_Image(const QString &path);
    void set_Back_BG_Image(const QString &path);
    // The card's combo boxes report here.
    void Card_Combo_Changed(QComboBox *sender);

    // --- size page ---
    void Create_List(const QString &name);
    QString Get_Item_Text(int row) const;
    bool IS_Custom_Card_Option_Selected() const;
    void Mark_List_New_Selection(int row);
    void Change_Value_According_List_Selection(int row);
    void Category_Chosen();
    void Orientation_Chosen();
    // The list of the chosen category, no row selected and no size applied.
    void Fill_Category_List();

public slots:
    void Apply_Size_Clicked();
    void Card_Border_ChkBox();
    void Card_Fill_Chk_Box();
    void Card_Solid_RD_Sel();
    void Card_Gradient_RD_Sel();
    void Card_Hatch_RD_Sel();
    void Card_Image_RD_Sel();
    void Card_Image_Browse_Btn();
    void Card_Image_Library_Btn();
    void Content_Font_Clicked();
    void Contect_Color_Clicked();
    // One point down and up on the content font and on each unlocked text's own size: one step
    // of the side's history.
    void Content_Font_Decrease_Clicked();
    void Contect_Font_Increase_Clicked();
    void WM_Text_Font_Changed();
    void Enable_Watermark_Clicked();
    void WM_transp_slider_changed();
    void Page_From_Printer_Click();
    void card_shape_CellClick();

public:
    QWidget *card_info_tab = nullptr, *card_size_tab = nullptr, *card_bkgd_tab = nullptr, *card_brdr_tab = nullptr;
    // Setting
    QLineEdit *card_name = nullptr, *All_Text_font_value = nullptr;
    QComboBox *Sides_ComboBox = nullptr;
    ColorWell *All_Text_clr = nullptr;
    QPushButton *all_content_font_btn = nullptr, *content_font_decrease_btn = nullptr,
                *content_font_increase_btn = nullptr;
    // Size
    QComboBox *Preset_ComboBox = nullptr, *Category_ComboBox = nullptr;
    QListWidget *ColList = nullptr;
    QGroupBox *card_size_box = nullptr;
    PanelStepper *width_Stepper = nullptr, *height_Stepper = nullptr;
    QLineEdit *width_Text = nullptr, *height_Text = nullptr;
    QLabel *unit_width_label = nullptr, *unit_height_label = nullptr;
    QPushButton *page_frm_printer_btn = nullptr, *apply_size_btn = nullptr;
    QButtonGroup *matrix_card_shape = nullptr;
    // Background
    QCheckBox *Card_fill_chk = nullptr;
    QGroupBox *Card_Fill_Box = nullptr, *Card_image_box = nullptr;
    QRadioButton *Card_solid_fill_rd = nullptr, *Card_gradient_fill_rd = nullptr, *Card_Style_fill_rd = nullptr,
                 *Card_Image_fill_rd = nullptr;
    ColorWell *Card_fill_clr = nullptr, *Card_fill_Grd_1_clr = nullptr, *Card_fill_Grd_2_clr = nullptr,
              *Card_hatch_bk_clr = nullptr;
    PanelStepper *Card_grad_Stepper = nullptr, *Card_alpha_Stepper = nullptr;
    QLineEdit *Card_grad_Text = nullptr, *Card_alpha_Text = nullptr;
    QLabel *Card_alpha_lbl = nullptr;
    QComboBox *Card_hatch_style = nullptr, *Card_image_layout = nullptr;
    QLineEdit *Card_Image_path = nullptr, *Card_Image_path_BACK = nullptr;
    BackgroundBrowser *imageBrowser = nullptr;
    // Border and watermark
    QCheckBox *Card_border_chk = nullptr, *enable_watermark_chk = nullptr;
    QGroupBox *Card_Border_Box = nullptr, *watermark_box = nullptr;
    ColorWell *Card_bordr_clr = nullptr, *watermark_color = nullptr;
    PanelStepper *Card_bor_Stepper = nullptr;
    QLineEdit *Card_bor_Text = nullptr, *watermark_text = nullptr, *wm_font_value = nullptr, *wm_transp_val = nullptr;
    QComboBox *Card_border_style = nullptr, *wm_alignment_combo = nullptr;
    PanelSlider *wm_transp_slider = nullptr;
    QPushButton *wm_font_btn = nullptr;

    // The outline the size page shows: 0 rectangle, 1 rounded rectangle, 2 ellipse.
    int Card_Shape = 0;

private:
    QWidget *buildSettingTab();
    QWidget *buildSizeTab();
    QWidget *buildBackgroundTab();
    QWidget *buildBorderTab();
    Card_Property &sideCard() const;
    void setBackground(int side, const QString &path);
    // A background chosen by any road (file panel, library, thumbnail): the side being edited
    // gets it (none when `path` is empty), and the panel, reloaded, shows the Background tab.
    void backgroundChosen(const QString &path);
    void stepContentFont(int points);
    void showFontTexts();
    // The size the user asked for (Apply Size, the arrows): one the card cannot take is refused
    // with its reason, and the fields go back to the card's size.
    void Apply_Asked_Size();

    CardTabsHooks &m_hooks;
    Text_Size_Steps m_textSizeSteps;
};
