#pragma once
// The series generator window: a numbered, constant or random series, written as a series file
// (file mode) or handed to the series manager's value list (list mode).

#include "data/SeriesGenerator.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

class Generate_List : public QDialog {
    Q_OBJECT
public:
    explicit Generate_List(QWidget *parent = nullptr);
    ~Generate_List() override;
    static Generate_List *defaultInstance();

    // 1: write a series file; otherwise hand the values to the series manager's list.
    int file_name_required = 0;
    // 1: refresh the series manager's list of series after a successful run.
    int file_name_Insert = 0;

    // Resets the fields and runs the window modally.
    void Open_Wnd();
    // The fields as the OK action reads them.
    SeriesGenInput Read_Input() const;

public slots:
    void Sequintial_Radio_Pressed();
    void Constant_Radio_Pressed();
    void Random_Radio_Pressed();
    void OKPressed();
    void CancelPressed();
    void Count_Stepper_Pressed();
    void Random_Length_Stepper_Pressed();
    void Random_Count_Stepper_Pressed();
    void Help_btn_Pressed();
    void controlTextDidChange(QLineEdit *field);

private:
    void selectMode(SeriesGenMode mode);
    SeriesGenMode mode() const;
    // Puts a count field's text (Count, random Count, Length) through `rule` with its limits,
    // its stepper following; false for any other field.
    bool countTextBy(QLineEdit *field, QString (*rule)(const QString &, int, int));

    QRadioButton *radioButton_Sequntial, *radioButton_Constant, *radioButton_Random;
    QLineEdit *prefix_txt, *suffix_txt, *from_txt, *to_txt, *seq_file_name;
    QCheckBox *manage_digit_chk;
    QPushButton *help_btn;
    QLineEdit *value_txt, *count_txt, *const_file_name;
    QSpinBox *count_stepper;
    QLineEdit *rand_prefix_txt, *rand_suffix_txt, *rand_length_txt, *rand_count_txt, *rndm_file_name;
    QSpinBox *rand_length_stepper, *rand_count_stepper;
};

// The generator window while one exists.
extern Generate_List *Gen_List_Window;
