#pragma once
// The import wizard: a series from a workbook's columns, a txt/csv/rtf file, typed or pasted
// text, or a folder of pictures. It writes a series file under a name typed in the wizard (file
// mode) or hands every value to the series manager's value list (list mode).

#include <QDialog>
#include <QStringList>
#include <functional>

class Plz_Wait_Sheet;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// Where the values of an import go.
class QWidget;

struct ImportTarget {
    bool fileMode = true;
    QString seriesName;                               // as typed; file mode
    std::function<void(const QString &)> toList;      // list mode; unset: the series manager's list
};

// The importers: true when the import is complete. Every refusal is told to the user and leaves
// any existing series as it was; a replaced series is swapped for the new file only once that
// file is complete. A long read shows the please-wait sheet over `waitOver`.
bool Import_Text_File(const QString &path, const ImportTarget &target, QWidget *waitOver = nullptr);
bool Import_Typed_Text(const QString &text, const ImportTarget &target);
bool Import_Image_Folder(const QString &folder, const ImportTarget &target);

// Opens the wizard with its two mode fields; the series manager's import buttons call this.
void Open_Import_Wizard(int file_name_required, int file_name_Insert);

class Import_Wizard : public QDialog {
    Q_OBJECT
public:
    explicit Import_Wizard(QWidget *parent = nullptr);
    ~Import_Wizard() override;
    static Import_Wizard *defaultInstance();

    // 0 workbook, 1 text file, 2 typed text, 3 picture folder.
    int import_option = 0;
    // 1: write a series file; otherwise hand the values to the series manager's value list.
    int file_name_required = 0;
    // 1: refresh the series manager's list of series after a successful import.
    int file_name_Insert = 0;

    // Resets the window and runs it modally.
    void Open_Wnd();

    void Enable_Disable_Excel_Option(bool flag);
    void Enable_Disable_Text_Option(bool flag);
    void Enable_Disable_Manual_Option(bool flag);
    void Enable_Disable_Image_Option(bool flag);
    bool Create_And_Save_Text_Data_Sheet(const QString &path);
    bool Create_And_Save_Manual_Paste_data_Sheet();
    bool Create_And_Save_Image_data_Sheet(const QString &folder);
    void Show_Create_Modeless();
    void Hide_Destroy_Modeless();

public slots:
    void Excel_RD_Pressed();
    void Text_RD_Pressed();
    void Manual_RD_Pressed();
    void Image_RD_Pressed();
    void Browse_Excel_Pressed();
    void Browse_Text_Pressed();
    void Browse_Image_Pressed();
    void OKPressed();
    void CancelPressed();
    void HelpPressed();

private:
    void selectOption(int option);
    ImportTarget target(QLineEdit *name) const;
    // Ends the run after an import that completed.
    void finished(bool complete);

    QRadioButton *Excel_RD, *Text_RD, *Mnul_RD, *Image_RD;
    QLineEdit *Excel_path, *Text_path, *Image_path;
    QPushButton *Excel_btn, *Text_btn, *Image_btn;
    QLineEdit *Text_file_name, *Manual_file_name, *Image_file_name;
    QPlainTextEdit *ManualEdit;
    Plz_Wait_Sheet *plz_wait_Window;
};

extern Import_Wizard *Import_Wizard_DefaultInstance;
