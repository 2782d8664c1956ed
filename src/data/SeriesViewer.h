#pragma once
// The small series windows: the read-only viewer of one series, the replace-or-append question
// asked before new values reach a non-empty list, and the editor of one value of the series
// manager's list.

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QTableWidget;

// Shows the values of the series `file_name`, with their number.
class View_Data_Series : public QDialog {
    Q_OBJECT
public:
    explicit View_Data_Series(QWidget *parent = nullptr);
    ~View_Data_Series() override;
    static View_Data_Series *defaultInstance();

    QString file_name;    // the series to show, set before Open_Wnd
    QStringList ListData;  // the shown values

    void Open_Wnd();
    // False when the read was stopped (the user has been told; the list is as it was).
    bool Load_file_Func(const QString &path);
    void Create_Avail_List(const QString &text);
    void Update_batch_List_Count();

public slots:
    void OK_Btn_Clicked();

private:
    QLabel *series_name, *list_count;
    QTableWidget *List;
};

class Data_From_Excel;

// What "View Series…" shows, wherever it sits (property panel, cropping tool): the series viewer
// on the chosen series, "Please select the series." when none is chosen (empty or
// "<--Select-->"); the spreadsheet table's viewer, or "There is no excel data to view." when
// the table has no rows.
void View_Chosen_Series(const QString &chosen);
void View_Excel_Table(Data_From_Excel &table);

// Replace (1), append (0) or cancel (2) before values are added to a list that has some.
class Load_Num_Info : public QDialog {
    Q_OBJECT
public:
    enum { Replace = 1, Append = 0, Cancel = 2 };
    explicit Load_Num_Info(QWidget *parent = nullptr);
public slots:
    void YESPressed();
    void NOPressed();
    void CancelPressed();
};

// What OK of the value editor does to the list.
enum class SeriesValueEdit { Unchanged, Refused, Replaced };
// Replaces values[index] by the trimmed edited text unless it is exactly the original; an
// edited text that trims to nothing (or an index outside the list) is refused.
SeriesValueEdit Edit_Series_Value(QStringList &values, int index, const QString &edited, const QString &original);

// Edits one value of the series manager's list.
class Update_Ex_Num : public QDialog {
    Q_OBJECT
public:
    explicit Update_Ex_Num(QWidget *parent = nullptr);
    QLineEdit *m_ex_num_str;
    QString m_s_number;      // the value when the editor was opened
    int m_ex_num_index = -1;  // its row in the manager's list
public slots:
    void OKPressed();
    void CancelPressed();
private:
    void clearFields();
};
