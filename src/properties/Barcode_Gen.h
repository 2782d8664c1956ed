#pragma once
// The barcode properties window: the editor of one barcode control. It loads the control's
// stored set-up into its fields, shows a live preview drawn from what the fields say, and on OK
// hands back a copy of the control carrying the edited set-up. It is never the context another
// barcode is drawn in: every control's picture is made from that control's own fields.

#include "barcode/BarcodeSetup.h"

#include <QDialog>
#include <QImage>
#include <functional>
#include <memory>
#include <vector>

class ColorWell;
class PanelStepper;
class PropertyPanelHooks;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTabWidget;
class SKTGraphic;

class Barcode_Gen : public QDialog {
    Q_OBJECT
public:
    explicit Barcode_Gen(QWidget *parent = nullptr);
    ~Barcode_Gen() override;
    // The window of the run (the last one made), or nullptr before one is made.
    static Barcode_Gen *defaultInstance();

    // The list of spreadsheet columns comes from the window the panel sits in.
    void setHooks(PropertyPanelHooks *hooks) { m_hooks = hooks; }

    // Loads the graphic's barcode fields and data source into the window's fields; builds no
    // preview. The working copy is a copy of the graphic whose barcode fields start at a new
    // barcode's defaults, so what OK returns is exactly what the window wrote.
    void Set_Barcode_Prop_To_Control(const SKTGraphic &graphic);
    // The modal edit: the working copy with the edited set-up after OK, nullptr after Cancel.
    std::shared_ptr<SKTGraphic> Open_Wnd(const SKTGraphic &graphic);
    // Whether the fields (set-up and data source) differ from what the last Open_Wnd showed:
    // an OK on an untouched window must leave the control as stored, picture included, since
    // a redrawn picture of a stored design need not match the one it was saved with.
    bool Changed_Since_Open() const;

    // The set-up the fields show (the kind, the symbology, sizes, fonts, colours ...).
    barcode::BarcodeSetup Current_Setup() const;
    // The picture of a value drawn with the fields' set-up and the given header and footer, at
    // the set-up's resolution; null when the value is refused.
    QImage Get_Image_From_Val(const QString &value, const QString &header, const QString &footer) const;

    // The value of the pane shown (the 2-D field or the linear one).
    QString Current_Value() const;
    // Validation of the value and of the data source; a failure blanks the preview and, with
    // `show`, tells the user. With `chk_image` the preview must hold a picture too.
    bool Check_And_Validat_Barcode(bool show, bool chk_image);
    // Whether the value is printed with the bars; follows the caption box.
    bool Get_Print_State();
    void Liner_Barcode_Opt_Select();
    void two_d_barcode_Opt_Select();
    void _setLabels();
    void Set_Blank_Image();
    // The picture the preview shows; null when blank.
    QImage Preview_Image() const { return m_preview; }

    // Replaces exec() (tests fill the fields and click instead of waiting); returns the old one.
    using ModalRunner = std::function<int(Barcode_Gen &)>;
    static ModalRunner setModalRunner(ModalRunner runner);

    int liner_or_2D_font = 0;  // 0 linear pane, 1 two-dimensional pane
    std::shared_ptr<SKTGraphic> pass_barcode_control;
    QFont value_font, header_font, footer_font;

public slots:
    void OK_Btn_Clicked();
    void Cancel_Btn_Clicked();
    void barcodeTypeChanged();
    // Builds the preview from the fields; nothing while the window is being filled.
    void goButtonActionPerformed();
    void Encode_btn() { goButtonActionPerformed(); }
    void captionChanged();
    void Transparent_Bkngd_Clicked();
    void Value_Font_Changed();
    void Header_Font_Changed();
    void Footer_Font_Changed();
    void headerFooterEdited();
    void comboBoxSelectionDidChange(QComboBox *sender);
    void PDF_Row_Changed();
    void PDF_Col_Changed();
    void dm_widthChanged();
    void dm_heightChanged();
    void dm_modulesizeChanged();
    // The series viewer on the chosen series, or the spreadsheet table for a column.
    void View_batch_Series_Button();
    // The help texts of the two-dimensional fields, in the help box.
    void QR_Version_Help_Btn();
    void QR_EC_Lvl_Help_Btn();
    void PDF_row_Help_btn();
    void PDF_col_Help_btn();
    void PDF_ec_lvl_Help_btn();
    void DM_format_Help_btn();
    void DM_Encoding_Help_btn();
    void DPI_Help_Label();

public:
    // The 2-D size's least value for a QR version (0 automatic): the size is raised to it.
    void Check_And_Set_QR_size_Acc_Version(int versionIndex);
    // The Data Matrix width and height raised to what the chosen size needs at the module size.
    void data_matrix_barcode_size_acc_format();

public:
    // --- outlets ---
    QComboBox *barcodeTypePopup = nullptr;
    QLineEdit *dataText = nullptr;
    QPlainTextEdit *dataText_2D = nullptr;
    QLineEdit *HeaderText = nullptr, *FooterText = nullptr;
    QCheckBox *hideHeaderCheckbox = nullptr, *hideFooterCheckbox = nullptr, *captionCheckbox = nullptr,
              *showinTopCheckbox = nullptr, *transparent_bkgnd = nullptr;
    QComboBox *align_hdr_combo = nullptr, *align_ftr_combo = nullptr;
    PanelStepper *HeightStepper = nullptr, *widthStepper = nullptr, *HeightStepper_2D = nullptr,
                 *pdf_HeightStepper_2D = nullptr, *Pdf_widthStepper_2D = nullptr, *pdf_ec_lvl_Stepper = nullptr,
                 *dm_moduleStepper_2D = nullptr, *hdr_mar_Stepper = nullptr, *ftr_mar_Stepper = nullptr,
                 *val_mar_Stepper = nullptr, *TB_mar_Stepper = nullptr, *LR_mar_Stepper = nullptr,
                 *dpi_Stepper = nullptr;
    QLineEdit *HeightText = nullptr, *widthText = nullptr, *HeightText_2D = nullptr, *pdf_HeightText_2D = nullptr,
              *Pdf_widthText_2D = nullptr, *pdf_ec_lvl_Text = nullptr, *dm_moduleText_2D = nullptr,
              *hdr_mar_Text = nullptr, *ftr_mar_Text = nullptr, *val_mar_Text = nullptr, *TB_mar_Text = nullptr,
              *LR_mar_Text = nullptr, *dpi_Text = nullptr;
    QComboBox *qr_version_ComboBox = nullptr, *qr_ec_lvl_ComboBox = nullptr, *dm_format_ComboBox = nullptr,
              *dm_encoding_ComboBox = nullptr, *DPI_ComboBox = nullptr, *qr_enc_mode_ComboBox = nullptr;
    // PDF417 rows and columns and the Data Matrix width and height: the window's own, not stored.
    PanelStepper *pdf_row_Stepper = nullptr, *pdf_col_Stepper = nullptr, *dm_widthStepper_2D = nullptr,
                 *dm_HeightStepper_2D = nullptr;
    QLineEdit *pdf_row_Text = nullptr, *pdf_col_Text = nullptr, *dm_widthText_2D = nullptr, *dm_HeightText_2D = nullptr;
    // Checked: the value is drawn without letter spacing (not for UPC/EAN, which group their digits).
    QCheckBox *kerning_value_Checkbox = nullptr;
    QPushButton *view_series_btn = nullptr, *val_font_btn = nullptr;
    QLabel *val_mar_label = nullptr, *val_font_label = nullptr, *val_clr_label = nullptr, *bar_clr_label = nullptr;
    QLabel *value_font_value = nullptr, *header_font_value = nullptr, *footer_font_value = nullptr;
    ColorWell *bar_hdr_clr = nullptr, *bar_ftr_clr = nullptr, *bar_val_clr = nullptr, *bar_back_clr = nullptr,
              *barcode_clr = nullptr;
    QComboBox *Data_source_type = nullptr, *Batch_Series = nullptr;
    QLabel *series_label = nullptr, *barcode_error_label = nullptr, *barHeightLabel = nullptr,
           *barWidthLabel = nullptr, *bar_bk_clr_label = nullptr, *barcodeImage = nullptr;
    QScrollArea *image_scroll = nullptr;
    QGroupBox *linear_sett_box = nullptr, *two_d_sett_box = nullptr, *pdf_2d_sett_box = nullptr,
              *dm_2d_sett_box = nullptr, *margin_box = nullptr, *caption_box = nullptr;
    QTabWidget *sett_tab = nullptr;
    QWidget *dpi_tab_item = nullptr;
    QPushButton *OK_Btn = nullptr, *Cancel_Btn = nullptr;

private:
    void build();
    void connectAll();
    void showFonts();
    void fillDataSourceList();
    // The source list's choice; false when nothing is to be rebuilt.
    bool dataSourceChosen();
    // A series or column chosen: the working copy is bound to it and shows its first value.
    void sourceItemChosen();
    // The controls only a linear symbology has, hidden on the two-dimensional pane.
    std::vector<QWidget *> linearOnly() const;
    void chooseFont(QFont &font);
    void showPreview(const QImage &image);

    struct ShownState {
        barcode::BarcodeSetup setup;
        int source = 0;
        QString item;
        bool operator==(const ShownState &) const = default;
    };
    ShownState Shown_State() const;

    PropertyPanelHooks *m_hooks = nullptr;
    QImage m_preview;
    ShownState m_shown;
    // The source the value fields show, and what the user had typed in them when they last left
    // "Manual": a series or column fills the fields, and going back to "Manual" must not lose
    // the typed value. Each load forgets both.
    QString m_sourceShown;
    bool m_hasTypedValues = false;
    QString m_typedLinear, m_typed2D;
};

// The window of the run once one is made.
extern Barcode_Gen *Barcode_Gen_Var;
// The picture the window's preview held when it was closed; null after Cancel.
extern QImage Barcode_output_image;
// The QR lists' choices and the PDF417 row and column steppers' values, as last set.
extern int QR_Version_Val, QR_EC_Level_Val, QR_Enc_Mode_Val;
extern int PDF_Row, PDF_Col;
