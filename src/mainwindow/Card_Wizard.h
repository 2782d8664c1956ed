#pragma once
// The card wizard behind the "W" start mode: page one the card's size (orientation, category,
// preset or custom size), name, sides and outline; page two its border and background. It
// writes no card property: the start-up reads its choice and builds both sides from it.

#include "canvas/ScriptedModal.h"

#include <QColor>
#include <QDialog>
#include <QSizeF>
#include <functional>
#include <memory>

class Card_Property;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QStackedWidget;
class QDoubleSpinBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QWidget;

// What the wizard's controls hold when it finishes.
struct CardWizardChoice {
    int sides = 0;        // 0 two sides, 1 one side
    int orientation = 0;  // 0 horizontal, 1 vertical, 2 custom size
    int category = 0;     // 0 PVC card, 1 paper badge
    int presetRow = 0;
    double widthMM = 0, heightMM = 0;
    QString name = QStringLiteral("Untitled");
    int shape = 0;  // 0 rectangle, 1 rounded rectangle, 2 ellipse
    bool border = true;
    QColor borderColor = Qt::black;
    int borderWidth = 1;
    int borderStyle = 0;  // index of "S", "DA", "DO", "DD", "DDD"
    QColor fill = Qt::white, gradient1 = Qt::white, gradient2 = Qt::white, hatchBack = Qt::white;
    int gradientAngle = 0;
    int hatchIndex = 0;
    QString hatchName;
    double transparency = 100;
    bool gradientOn = false, hatchOn = false, imageOn = false;
    QString imagePath;

    // "G" gradient, else "H" hatch, else "I" image, else "S" solid.
    QString fillLetter() const;
};

// The choice as Finish leaves it: every fill kind that is not chosen back at its blank value.
CardWizardChoice Finish_Card_Wizard_Choice(CardWizardChoice choice);
// The card transparency percent of the wizard's value: fractions below 1 become percent,
// percent values pass through (0.5 -> 50, 100 -> 100, 1 -> 1).
int Wizard_Transparency_Percent(double value);
// The border style code of a list index ("S" for any index outside the list).
QString Border_Style_Code(int index);
// Writes the choice into one side's card properties (fill on, size in points).
void Apply_Wizard_Choice(const CardWizardChoice &choice, Card_Property &card);

class Card_Wizard : public QDialog, public ScriptedModal<Card_Wizard> {
    Q_OBJECT
public:
    explicit Card_Wizard(QWidget *parent = nullptr);
    ~Card_Wizard() override;
    static Card_Wizard *defaultInstance();
    // The page set-up the printer-page button edits: the application's one print set-up.
    QPrinter &pageSettings();

    // Resizes the document and canvases (points); the main window installs it.
    std::function<void(const QSizeF &)> applyDocumentSize;
    // The profile dialog of the visitor subsystem (total sides "1" or "2").
    std::function<void(const QString &)> openProfile;
    // The background library; the chosen path, empty when cancelled.
    std::function<QString()> openBackgroundLibrary;

    // 1 finished, 0 cancelled or backed out of page one.
    int Open_Wnd();
    CardWizardChoice choice() const;
    int next_count = 0;

    QWidget *Size_Box = nullptr, *Color_Box = nullptr;
    QPushButton *fill_profile_btn = nullptr, *next_btn = nullptr, *back_btn = nullptr,
                *page_frm_printer_btn = nullptr;
    QLineEdit *card_name = nullptr, *Card_Image_path = nullptr;
    QComboBox *Sides_ComboBox = nullptr, *Preset_ComboBox = nullptr, *Category_ComboBox = nullptr,
              *Card_border_style = nullptr, *Card_hatch_style = nullptr;
    QButtonGroup *matrix_card_shape = nullptr;
    QListWidget *ColList = nullptr;
    QDoubleSpinBox *width_Stepper = nullptr, *height_Stepper = nullptr;
    QGroupBox *Card_Border_Box = nullptr, *Card_Fill_Box = nullptr, *Card_image_box = nullptr;
    QCheckBox *Card_border_chk = nullptr, *Card_fill_chk = nullptr;
    QRadioButton *Card_solid_fill_rd = nullptr, *Card_gradient_fill_rd = nullptr, *Card_Style_fill_rd = nullptr,
                 *Card_Image_fill_rd = nullptr;
    QPushButton *Card_bordr_clr = nullptr, *Card_fill_clr = nullptr, *Card_fill_Grd_1_clr = nullptr,
                *Card_fill_Grd_2_clr = nullptr, *Card_hatch_bk_clr = nullptr;
    QSpinBox *Card_bor_Stepper = nullptr, *Card_grad_Stepper = nullptr, *Card_alpha_Stepper = nullptr;
    QWidget *Card_alpha_lbl = nullptr;

public slots:
    void OK_Click();
    void Back_Click();
    void CancelClick();
    void User_Profile_Click();
    void Card_Border_ChkBox();
    void Card_Fill_Chk_Box();
    // The page set-up panel; on OK the paper's width and height become the card's.
    void Page_From_Printer_Click();
    void Card_Solid_RD_Sel() { card_prop_set(QStringLiteral("S")); }
    void Card_Gradient_RD_Sel() { card_prop_set(QStringLiteral("G")); }
    void Card_Hatch_RD_Sel() { card_prop_set(QStringLiteral("H")); }
    void Card_Image_RD_Sel() { card_prop_set(QStringLiteral("I")); }
    void Card_Image_Browse_Btn();
    void Card_Image_Library_Btn();
    void Apply_Size_Clicked();
    void comboBoxSelectionDidChange(QComboBox *box);

public:
    void card_prop_set(const QString &fillStyle);
    void Reset_color_box();
    void Change_Value_According_List_Selection(int row);

private:
    QWidget *buildSizePage();
    QWidget *buildColorPage();
    void showPage(int page);

    QStackedWidget *m_steps = nullptr;
};
