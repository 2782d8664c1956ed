#pragma once
// The spreadsheet column picker: the user chooses a sheet of a workbook and ticks columns; OK
// hands the ticked cells to the series manager's value list (mode "D") or makes them the
// spreadsheet table (mode "E"). The logic lives here; Import_Excel_Dialog only shows it.

#include "data/spreadsheet/SpreadsheetHooks.h"

#include <QDialog>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <QStringList>

class Data_From_Excel;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QTableWidget;

struct PickerColumn {
    bool State = false;
    QString Extension;  // the column's name
};

class Import_Excel : public QObject {
    Q_OBJECT
public:
    explicit Import_Excel(QObject *parent = nullptr);
    ~Import_Excel() override;
    static Import_Excel *defaultInstance();

    QString open_mode = QStringLiteral("D");
    QString file_path;
    bool contains_header = true;
    QStringList sheets;  // sheet names, in workbook order
    QList<PickerColumn> ListData_xl;
    QList<QStringList> excel_content;

    // Where the ticked cells go. Unset: the default spreadsheet table, which is its own host.
    SeriesValueList *seriesList = nullptr;
    ExcelTableHost *tableHost = nullptr;
    Data_From_Excel *table = nullptr;
    // Where the please-wait sheet of a long read shows (unset: the active window).
    QPointer<QWidget> waitOver;

    // Resets the picker for a workbook and loads it (everything Open_excel_Wnd does before the
    // window runs). False when the file is no readable workbook, or its only sheet cannot be read
    // (the user has been told).
    bool prepare(const QString &path);
    // prepare(), then the window, modally: 1 after OK, 0 after Cancel or a workbook prepare()
    // refused (the window is not shown).
    int Open_excel_Wnd(const QString &path);

    bool Load_file_Func(const QString &path);
    void comboBoxSelectionDidChange(int position);
    void Create_List(const QString &name, bool state);
    int Get_Selection_State(int position) const;
    bool Check_For_One_Extension_Selection() const;
    void Select_ALL_Pressed();
    void Clear_All_Pressed();
    // True when the picker is done (the window closes with 1); false keeps it open after a message.
    bool OKPressed();
    void CancelPressed();
    void Insert_file_Func(const QString &path);
    void Create_Excel_List_Func(const QString &path);

signals:
    void columnsChanged();
    void sheetsChanged();
};

extern Import_Excel *imp_xl_Window;

class Import_Excel_Dialog : public QDialog {
    Q_OBJECT
public:
    explicit Import_Excel_Dialog(Import_Excel *picker, QWidget *parent = nullptr);
public slots:
    void OKPressed();
    void CancelPressed();
    void Select_ALL_Pressed();
    void Clear_All_Pressed();
    void clickTable() {}
private:
    void showColumns();
    void showSheets();
    Import_Excel *m_picker;
    QLineEdit *m_path;
    QCheckBox *m_header;
    QComboBox *m_sheets;
    QTableWidget *m_columns;
};
