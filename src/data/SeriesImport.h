#pragma once
// Saving columns of a workbook as series: one series per ticked column, or every ticked column
// into one series, row by row. The writers are plain functions over the rows read; the window
// Import_Excel_DataSheet lets the user choose the sheet, the columns and the target.

#include <QDialog>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTableWidget;

// A column of the chosen sheet as the list shows it.
struct SheetSeriesColumn {
    bool State = false;  // ticked
    QString Extension;   // the column's name, trimmed
    QString Header;      // the series name it is saved under, one series per column
};

// The existing-series choices of the all-into-one save.
enum SheetFillOption { FillNewSeries = 0, FillOverwriteSeries = 1, FillAppendSeries = 2 };

// A name for a copy of the series `name` that no series has yet: " (n)" appended, n counting on
// from a " (n)" the name already ends with, else from 1.
QString Free_Series_Name(const QString &name);

// Writes one series per ticked column from the rows (the first row skipped when it holds the
// names). An existing series is kept, replaced or given a free name as the user answers; a series
// in use is left alone. Every file is written whole; one that cannot be written is reported.
void Save_Columns_As_Series(const QList<QStringList> &rows, const QList<SheetSeriesColumn> &columns,
                            bool headerRow);

// Writes the ticked cells row by row, left to right, into one series. False when the save was
// refused and the window stays open (name, series in use, replace declined, write failure); a
// sheet without rows is reported and changes nothing.
bool Save_Columns_Into_Series(const QList<QStringList> &rows, const QList<SheetSeriesColumn> &columns,
                              bool headerRow, int fill_col_option, const QString &typedName);

class Import_Excel_DataSheet : public QDialog {
    Q_OBJECT
public:
    explicit Import_Excel_DataSheet(QWidget *parent = nullptr);
    ~Import_Excel_DataSheet() override;
    static Import_Excel_DataSheet *defaultInstance();

    QList<SheetSeriesColumn> ListData_xl;
    QList<QStringList> excel_content;
    int fill_col_option = FillNewSeries;
    // 1: the series manager's list of series is refreshed after a save.
    int file_name_Insert = 0;

    // Resets the window and loads the workbook (all the opening does before the window runs).
    void prepare(const QString &path);
    // prepare(), then the window, modally; returns its code (1 saved or closed, 0 cancelled).
    int Open_excel_datasheet_Wnd(const QString &path);

    void Load_file_Func(const QString &path);
    void Create_List(const QString &name, bool state, const QString &datasetname);
    int Get_Selection_State(int column) const;
    bool Check_For_One_Extension_Selection() const;
    void Create_file_For_Col_Func(const QString &path);
    bool Insert_file_Func(const QString &path);
    void Show_Create_Modeless();
    void Hide_Destroy_Modeless();

public slots:
    void OKPressed();
    void CancelPressed();
    void Select_ALL_Pressed();
    void Clear_All_Pressed();
    void Each_Col_RD_Click();
    void Fill_Col_RD_Click();
    void Fill_Type_CellClick(int cell);
    void comboBoxSelectionDidChange(int position);

private:
    void showColumns();
    void columnEdited(int row, int column);

    QLineEdit *file_path, *list_name;
    QCheckBox *contains_header;
    QComboBox *Sheet_ComboBox, *List_ComboBox;
    QTableWidget *ColList;
    QRadioButton *Each_col_RD, *Fill_col_RD;
    QGroupBox *fill_box;
    QButtonGroup *matrix_fill_type;
    QLabel *plz_wait_Window;
    // Reads the chosen sheet into excel_content off the GUI thread; false (the user told) when
    // Stop ended the read.
    bool readSheet();
};

extern Import_Excel_DataSheet *xl_dataseet_def_inst;
