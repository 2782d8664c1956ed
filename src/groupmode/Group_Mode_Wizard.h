#pragma once
// The group-mode wizard: three screens in one modal window. Screen 0 chooses a new project (name,
// folder of the project store, workbook), a project of the store or a design file; screen 1 the
// template from the gallery; screen 2 the sheet and the column of each profile field. It ends
// with 1 when a project was created or opened, 0 on Cancel.

#include "groupmode/GroupModeHost.h"
#include "groupmode/GroupProjects.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class ImageBrowserView;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTreeWidget;
class QWidget;
class SpreadsheetWriter;

// The sheet's rows as the project's table: titles "No." and each header cell (blank ones
// "Untitled Column <n>"), then one record per row that has a value, cells trimmed. With
// `header` off the first row is data as well.
void Group_Table_From_Sheet(const QList<QStringList> &sheet, bool header, QStringList &titles, QVariantList &rows);

class Group_Mode_Wizard : public QDialog {
    Q_OBJECT
public:
    explicit Group_Mode_Wizard(GroupModeHost &host, QWidget *parent = nullptr);
    ~Group_Mode_Wizard() override;

    // Resets every screen as at opening, then runs the window modally.
    int Open_Wnd();
    // What runs the window (tests script it); answers the previous runner.
    using ModalRunner = std::function<int(Group_Mode_Wizard &)>;
    static ModalRunner setModalRunner(ModalRunner runner);
    // The opening state without running the window.
    void Reset_For_Opening();

    // --- project store (screen 0) ---
    void Fill_Folder_Combo_Box();
    void Fill_Tree_View();
    // The selected tree row's item; a folder item named "" when nothing is selected.
    TreeItem Selected_Tree_Item() const;
    bool Chk_xl_data_fil_exist(const QString &name, const QString &folder);

    // --- gallery (screen 1) ---
    void Fill_Templates();
    void Fill_Templates_User_Defined();

    // --- workbook (screen 2) ---
    bool Load_file_Func(const QString &path);
    // Reads every row of the chosen sheet into the workbook's table, off the GUI thread; false
    // when it cannot be read or Stop ended the read (then the workbook's stopped() says so).
    bool readChosenSheet(int &columns);
    void Reset_All_Combo_Box();
    std::array<int, 12> Set_Group_Mode_Excel_Col_Index() const;

    int next_counter = 0;
    int new_or_open_or_log = 0;
    int last_tree_sel_val = 0;
    bool project_created = false;
    QString add_new_folder;
    QString final_grp_design_path;
    QString Project_Name_Val, Project_Path_Val, Project_Excel_Val;
    QString Selected_Template_Path;  // the chosen preview
    QString Sel_Template_Category = QStringLiteral("E");

    // --- outlets (objectName = outlet name) ---
    QWidget *first_screen, *second_screen, *third_screen;
    QRadioButton *start_new_btn, *open_exist_btn, *open_log_btn;
    QGroupBox *new_box, *open_box, *open_log_box;
    QLineEdit *proj_name, *excel_path, *log_path;
    QComboBox *proj_path;
    QTreeWidget *treeView;
    QPushButton *delete_folder_btn;
    QComboBox *cat_cmbo_bx, *template_category_combo;
    QLabel *template_category_label;
    ImageBrowserView *imageBrowser;
    QSlider *_zoom_slider;
    QWidget *template_btn_box;
    QLineEdit *Pass_proj_name, *Pass_proj_path, *Pass_excel_file;
    QComboBox *Sheet_ComboBox;
    QCheckBox *contains_header;
    std::array<QComboBox *, 12> columnCombos;
    std::array<QLabel *, 12> columnLabels;
    QPushButton *ok_btn, *back_btn;

public slots:
    void OK_Click();
    void Back_Click();
    void Cancel_Click();
    void New_Radio_Click();
    void Open_Radio_Click();
    void Open_log_Radio_Click();
    void Show_And_Hide_Fisrt_Screen(bool hide);
    void Browse_excel_Btn_Clicked();
    void Browse_log_Btn_Clicked();
    void Copy_Prj_Click();
    void Rename_Prj_Click();
    void Delete_Prj_Click();
    void New_Folder_Click();
    void Copy_Templatee_Click();
    void Rename_Template_Click();
    void Delete_Template_Click();
    void zoomSliderDidChange(int value);
    void Sheet_Selection_Changed(int index);
    void View_Excel_Btn_Clicked();

private:
    void showScreen(int screen);
    void finish();
    void openExisting(const QString &path, const QString &failure);
    QString askName(const QString &title, const QString &current);
    // Whether `path` (a project or a folder of the store) is or holds the design open in the window.
    bool Holds_Open_Design(const QString &path) const;
    QString userTemplateFolder() const;

    GroupModeHost &m_host;
    std::unique_ptr<SpreadsheetWriter> m_workbook;
    QList<QStringList> excel_content;
};
