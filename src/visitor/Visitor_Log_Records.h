#pragma once
// The visitor log window: the latest visits and searches of the visitor database, export of the
// list to a workbook or a text file, the details of one visit with its photo, and the visitor pass outputs
// (image, PDF, print, preview, mail). Widgets carry their outlet names; the logic sits in
// VisitorDatabase and Visitor_Pass.

#include "visitor/VisitorDatabase.h"
#include "visitor/Visitor_Pass.h"

#include <QDate>
#include <QDialog>
#include <QLocale>
#include <QMarginsF>
#include <QPageLayout>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class QPrintPreviewDialog;
class QStackedWidget;
class QPushButton;
class QTableWidget;
class QWidget;
class PrintJob;

// A date in the locale's medium style: day, abbreviated month and year, no weekday.
QString Medium_Date_Text(const QDate &date, const QLocale &locale);
// The exported list as a text file holds it: one line a row, cells apart by tabs.
QString Visit_Rows_Text(const QList<QStringList> &rows);

class Visitor_Log_Records : public QDialog {
    Q_OBJECT
public:
    explicit Visitor_Log_Records(QWidget *parent = nullptr);
    ~Visitor_Log_Records() override;

    static Visitor_Log_Records *defaultInstance();

    // Sends a pass attachment by mail: runs the mail window modally with the file, the subject
    // and no recipient, and returns when that window closes. The file is removed afterwards, so
    // the mail window must keep its Close disabled while it sends.
    using PassMailer = std::function<void(const QString &attachment, const QString &subject)>;
    static PassMailer Set_Visitor_Pass_Mailer(PassMailer mailer);

    // The rows on show, in display order.
    const std::vector<VisitRow> &ListData() const { return m_rows; }
    const VisitorDetails &shownDetails() const { return m_details; }
    QRectF page_rect = QRectF(0, 0, 595, 842);
    // The pass preview of the visit on show, sized to show its page. Its Print and Page setup
    // buttons are the log's own: the print panel and page set-up go through the UI services.
    std::unique_ptr<QPrintPreviewDialog> Pass_Preview();
    // Width of the details box; the pass page is 100 points wider.
    static constexpr double kDetailsBoxWidth = 495;

public slots:
    int Open_Log_Wnd();
    void Close_box_click();
    void Search_Visitor_Records(bool latest);
    void Search_Records_Click() { Search_Visitor_Records(false); }
    void Reset_click();
    void comboBoxSelectionDidChange(int index);
    void Export_Records_Click();
    void Open_Export_File_Box();
    void doubleClickInTable();
    bool Show_Visitor_Details(qint64 id);
    void Show_Back_Details_click();
    void Reset_all_Ctrl();
    void Export_Image_click();
    void Export_PDF_click();
    // Answers whether the page set-up was confirmed.
    bool Page_Setup_click();
    void Print_click() { Execute_Printing(false); }
    void Print_Preview_click() { Execute_Printing(true); }
    void Execute_Printing(bool preview);
    void Mail_click();
    void Close_Details_Panel_click();

private:
    void reloadList();
    void enableMail();
    void showDetails();
    void finishExport(const QString &path, const QString &message);
    // "Error in database access", with why the log's folder could not be made when that is why.
    void dbAccessError() const;
    // A printer for one pass print or preview: the application's print set-up (printer, paper,
    // orientation) with the log's own margins.
    std::unique_ptr<QPrinter> Pass_Print_Setup() const;
    QPageLayout Pass_Page_Layout() const;
    // The log's page set-up panel, opened on `shown`; on OK the log's set-up takes what it
    // chose. Answers whether it was confirmed.
    bool Run_Pass_Page_Setup(const QPageLayout &shown);
    // Prints the pass on `printer` on a thread of its own; a failure is told in a box.
    void Start_Pass_Print(std::shared_ptr<QPrinter> printer);
    // The preview's Print: its print panel, then the pass on the paper the preview shows.
    void Print_From_Preview(QPrintPreviewDialog &preview);

    QGroupBox *Search_Box, *Records_Box, *Details_Box;
    QStackedWidget *m_pages = nullptr;  // the list (Search_Box over Records_Box) or Details_Box
    QLineEdit *Name, *Comp_Name, *Address, *Phone, *Email, *Purpose, *To_Meet, *Visitor_NO, *Other;
    QComboBox *date_range;
    QDateEdit *Date_From_Ctrl, *Date_To_Ctrl;
    QLabel *info_label, *visiting_time, *user_image;
    QTableWidget *ColList;
    QWidget *visitor_details_box;
    QGridLayout *detailsGrid;
    QPlainTextEdit *other_detail;
    QCheckBox *show_back_details;
    QPushButton *mailButton;
    QString m_folderFailure;  // why the log's folder could not be made when the window opened

    std::vector<VisitRow> m_rows;
    VisitorDetails m_details;
    qint64 sel_db_id = -1;
    std::unique_ptr<PrintJob> m_job;
    std::shared_ptr<QPrinter> m_previewPrinter;
    // The pass's margins: none until the log's page set-up sets some. They are the
    // log's own; the paper is the application's one print set-up.
    QMarginsF m_passMargins;
    std::optional<QPageLayout::Unit> m_passUnits;  // the unit they were set in
};

extern Visitor_Log_Records *Vistor_Record_Window;
