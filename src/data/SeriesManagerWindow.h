#pragma once
// The series manager: the series of the series folder on a first screen, the values of one
// series on a second. Values arrive from the generator, the import wizard and the value editor;
// the series file is written whole on Save.

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class Load_Num_Info;
class Update_Ex_Num;

class BatchWizard : public QDialog {
    Q_OBJECT
public:
    explicit BatchWizard(QWidget *parent = nullptr);
    ~BatchWizard() override;
    static BatchWizard *defaultInstance();

    QStringList ListData;        // series names of the first screen
    QStringList ListData_value;  // values of the second screen

    // Opens the manager modally on its first screen.
    void Open_Wnd();
    // Appends the trimmed value (an empty one is dropped) to the value list.
    void Create_Value_List(const QString &value);
    void Create_Value_List(const QStringList &values);
    // Rebuilds the series list from the series folder.
    void Fill_List();

    void Show_hide_first_screen(bool hide);
    void Show_hide_Last_screen(bool hide);
    bool Batch_List_Selection_Validation();
    void On_Update();
    void OnGetSelected();
    void Create_Avail_List(const QString &name);
    QString Get_List_Name_Text(int row) const;
    void Update_batch_List_Count();
    void Update_Value_List_Count();
    void Mark_List_New_Selection(int row);
    void Mark_List_New_Selection_Value(int row);
    QString Export_list_method_2();

public slots:
    void AddNew_Btn_Clicked();
    void Update_Btn_Clicked();
    void Delete_List_Btn_Clicked();
    void Import_Btn_Clicked();
    void CreateSeries_Btn_Clicked();
    void Help_Btn_Clicked();
    void Close_Btn_Clicked();
    void Import_Value_Btn_Clicked();
    void Series_Value_Btn_Clicked();
    void Delete_Rows_Btn_Clicked();
    void Save_Btn_Clicked();
    void Export_Value_Btn_Clicked();
    void Back_Btn_Clicked();
    void Help_2_Btn_Clicked();
    void Close_2_Btn_Clicked();
    void doubleClickInTable(QTableWidget *table);

private:
    void fillTable(QTableWidget *table, const QStringList &rows);
    bool askReplaceOrAppend();
    QList<int> selectedRows(QTableWidget *table) const;

    QWidget *avl_list_box, *btn_box1, *list_value_box, *btn_box2;
    QTableWidget *List, *List_value;
    QLineEdit *batch_list_name, *update_list_name;
    QLabel *batch_list_count, *batch_value_count;
    QPushButton *importButton, *importValueButton;
    Load_Num_Info *Load_Number_Window;
    Update_Ex_Num *Update_Value_Wnd;
};

// The series manager while one exists.
extern BatchWizard *BatchWizard_Window;
