#pragma once
// The print window: printer and paper, card size, gaps, rows and columns, placement, sides and
// their arrangement, mirror, fit, crop marks, the cards or data rows to print, copies, a live
// sheet preview and the print profiles. Its logic is PrintWindowState's; the widgets only show
// it. Printing goes to a CUPS printer or, through the always offered "Save as PDF" printer, to
// a PDF file.

#include "core/SKTGraphic.h"
#include "data/batch/BatchEngine.h"
#include "output/print/PrintWindowState.h"

#include <QDialog>
#include <QHash>
#include <QPixmap>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPrinter;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSpinBox;
class QTemporaryDir;

// The printer that writes a PDF file instead of paper.
extern const char *const kSaveAsPdfPrinter;
// The printers offered: the system's, then "Save as PDF".
QStringList Print_Printer_Names();
// The name of the arrangement picture for the side row (0 both, 1 front, 2 back) and the
// arrangement codes of the two-sided ("UD", "U", "L", "DU", "DD") and one-sided ("U", "D") lists.
QString Print_Arrangement_Picture(int sideRow, const QString &bothSides, const QString &oneSide);

// What the main window hands the print window: a snapshot of both sides and their data.
struct PrintRequest {
    BatchDesign design;
    bool twoSided = true;
    bool visitorMode = false;
    int sel_card_side = 0;  // the side being edited: 0 front, 1 back
};

class Add_Print_Profile : public QDialog {
    Q_OBJECT
public:
    explicit Add_Print_Profile(QWidget *parent = nullptr);
    QLineEdit *Profile_name, *pass_profile_name;
    QComboBox *Printer_ComboBox;
    QString custom_profile_Printer, custom_print_profile_name;
    // Add mode with both empty; the dialog's end code (1 OK, 0 Cancel).
    int Open_Profile_Wnd(const QString &name, const QString &selected_printer);
public slots:
    void OKPressed();
    void CancelPressed();
};

class Print_Wnd : public QDialog {
    Q_OBJECT
public:
    explicit Print_Wnd(QWidget *parent = nullptr);
    ~Print_Wnd() override;

    // Outlets (objectName = outlet name).
    QComboBox *Printer_ComboBox, *Orient_ComboBox, *print_alignment, *print_alignment_one_side;
    QLabel *Paper_id, *Size_id, *l_mar_id, *r_mar_id, *t_mar_id, *b_mar_id, *print_align_demo_pic, *test_image_view,
        *tot_label, *from_label, *to_label;
    QDoubleSpinBox *width_Text, *height_Text, *horz_mar_Text, *vert_mar_Text, *Side_Margin_Text;
    QSpinBox *Row_Text, *Col_Text, *Total_Text, *from_Text, *To_Text, *Copies_Text;
    QCheckBox *Auto_Center_chk_bx, *mirror_chk_box, *fit_frame_chk, *crop_mark_chk, *Show_Margins,
        *print_with_batch_chk, *print_with_excel_chk;
    QGroupBox *card_align_box, *export_range_box;
    QWidget *align_Gp_Bx, *matrix_card_side, *mirror_matrix;
    QButtonGroup *sideGroup, *alignGroup, *mirrorGroup;
    QRadioButton *All_print_rd, *Sel_print_rd;
    QScrollArea *Print_sclview;
    QListWidget *List_profile;
    QPushButton *Add_profile_btn, *Edit_profile_btn, *Save_profile_btn, *Delete_profile_btn;
    Add_Print_Profile *profileDialog;

    PrintWindowState state;
    QString profileFolder;  // empty: the data folder's "PrintProfile"

    // Resets the window for the design, applies the first profile and runs it modally. A bound
    // series that could not be read is said instead, and the window does not open: false.
    bool Open_Print_Wnd(PrintRequest request);
    // Shows the state in the widgets and refreshes the preview.
    void show_state();
    // The current block position's button shows its selected picture, the others their own.
    void Set_Reset_Alignemnt_Image();
    QPrinter *printer() const;

    void Load_Print_Profile();
    bool Save_Print_Profile(const QString &name, const QString &printer_sel, const QString &previousName = {});
    void Read_and_load_profile_info(const QString &name);
    void Add_Edit_Print_Profile(const QString &mode);

public slots:
    void PreviewButtonPressed();
    void PrintButtonPressed();
    void CancelButtonPressed();
    void pagesetup();
    void Add_profile_btn_clicked();
    void Edit_profile_btn_clicked();
    void Save_profile_btn_clicked();
    void Delete_profile_btn_clicked();

private:
    void read_state();
    // What is typed in a field still being edited counts, as it would once the user left it.
    void commitTyped();
    // Reads the widgets, runs `change` on the state and shows the result.
    void act(const std::function<void(PrintWindowState &)> &change);
    void choosePrinter(int index);
    QString folder() const;
    void Execute_Printing(bool preview);

    PrintRequest m_request;
    std::unique_ptr<QTemporaryDir> m_previewFolder;  // where previews go, for this run only
    QHash<QString, QPixmap> arrangementPictures;
    QPixmap positionPictures[9][2];
    bool m_showing = false;
};
