#include "visitor/Visitor_Log_Records.h"

#include "data/export/ExportDialogs.h"
#include "output/print/PrintInfo.h"
#include "canvas/PageSetupPanel.h"
#include "canvas/TypedDateTimeField.h"
#include "canvas/WidgetUtilities.h"

#include "core/Globals.h"
#include "core/Utilities.h"
#include "data/SeriesManager.h"
#include "data/spreadsheet/SpreadsheetWriter.h"
#include "output/print/PrintJob.h"
#include "platform/TypedNumber.h"
#include "platform/UiServices.h"
#include "platform/WholeFile.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPageLayout>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStyle>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>

Visitor_Log_Records *Vistor_Record_Window = nullptr;

namespace {

Visitor_Log_Records::PassMailer &mailer()
{
    static Visitor_Log_Records::PassMailer m;
    return m;
}

// List columns: title and the row record's value.
const std::pair<const char *, QString VisitRow::*> kColumns[] = {
    {"S.No.", &VisitRow::SNO},          {"Date and Time", &VisitRow::DateTime}, {"Name", &VisitRow::Name},
    {"Company Name", &VisitRow::CompanyName}, {"Address", &VisitRow::Address}, {"Phone", &VisitRow::Phone},
    {"Email", &VisitRow::Email},        {"Purpose", &VisitRow::Purpose},      {"Person to Meet", &VisitRow::Meet},
    {"Visitor No.", &VisitRow::VisitoNO}, {"Other", &VisitRow::Other},
};

// The preview's own tool bar action of that title, as the toolkit names it.
QAction *previewAction(QPrintPreviewDialog &preview, const char *title)
{
    const QString text = QCoreApplication::translate("QPrintPreviewDialog", title);
    for (QAction *action : preview.findChildren<QAction *>())
        if (action->text() == text)
            return action;
    return nullptr;
}

// While a print panel is open: its Properties page shows the pass's paper, which the log's Page
// Setup sets, with its paper and margin fields off. Left to itself that page shows a paper of
// one's own size as Letter, and the panel puts that paper on the printer.
class PassPaperShown : public QObject {
public:
    explicit PassPaperShown(QPageLayout layout) : m_layout(std::move(layout))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~PassPaperShown() override { QCoreApplication::instance()->removeEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->inherits("QPrintPropertiesDialog"))
            show(*static_cast<QWidget *>(watched));
        return false;
    }

private:
    void show(QWidget &properties) const
    {
        // Its fields are shown (not typed in): "123.40", as the log's own page set-up shows it.
        for (QDoubleSpinBox *field : properties.findChildren<QDoubleSpinBox *>())
            field->setLocale(platform::Number_Field_Locale());
        if (const std::optional<PaperFields> paper = Find_Paper_Fields(properties); paper && m_layout.pageSize().id() == QPageSize::Custom) {
            {
                const QSignalBlocker quiet(paper->sizes);
                paper->sizes->setCurrentIndex(paper->custom);
            }
            QSizeF size = m_layout.pageSize().size(QPageSize::Unit(paper->unit()));
            if (m_layout.orientation() == QPageLayout::Landscape)
                size.transpose();
            for (auto [field, value] : {std::pair(paper->width, size.width()), std::pair(paper->height, size.height())}) {
                const QSignalBlocker quiet(field);
                field->setValue(value);
            }
        }
        for (QWidget *page : properties.findChildren<QWidget *>())
            if (page->inherits("QPageSetupWidget")) {
                page->setEnabled(false);
                page->setToolTip(QStringLiteral("The pass's paper and margins are set in the visitor log's Page Setup."));
            }
    }

    QPageLayout m_layout;
};

}  // namespace

Visitor_Log_Records::PassMailer Visitor_Log_Records::Set_Visitor_Pass_Mailer(PassMailer m)
{
    std::swap(mailer(), m);
    if (Vistor_Record_Window)
        Vistor_Record_Window->enableMail();
    return m;
}

Visitor_Log_Records *Visitor_Log_Records::defaultInstance() { return Vistor_Record_Window; }

Visitor_Log_Records::Visitor_Log_Records(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Visitor_Log_Records"));
    setWindowTitle(QStringLiteral("Visitor Log"));
    setWindowModality(Qt::ApplicationModal);
    setStyleSheet(Window_Background_Style());
    auto *root = new QVBoxLayout(this);

    Search_Box = named(new QGroupBox(QStringLiteral("Search")), "Search_Box");
    auto *form = new QGridLayout(Search_Box);
    const std::pair<QLineEdit **, const char *> fields[] = {
        {&Name, "Name"}, {&Comp_Name, "Comp_Name"}, {&Address, "Address"}, {&Phone, "Phone"}, {&Email, "Email"},
        {&Purpose, "Purpose"}, {&To_Meet, "To_Meet"}, {&Visitor_NO, "Visitor_NO"}, {&Other, "Other"}};
    const char *titles[] = {"Name", "Company", "Address", "Phone", "Email", "Purpose", "Person to Meet", "Visitor No.", "Other"};
    for (int i = 0; i < 9; ++i) {
        *fields[i].first = named(new QLineEdit, fields[i].second);
        form->addWidget(new QLabel(QLatin1String(titles[i])), i / 3, (i % 3) * 2);
        form->addWidget(*fields[i].first, i / 3, (i % 3) * 2 + 1);
    }
    date_range = named(new QComboBox, "date_range");
    date_range->addItems({QStringLiteral("Today"), QStringLiteral("Yesterday"), QStringLiteral("Last 7 Days"),
                          QStringLiteral("Last 30 Days"), QStringLiteral("Custom Range")});
    Date_From_Ctrl = named(Typed_Date_Field(QDate::currentDate()), "Date_From_Ctrl");
    Date_To_Ctrl = named(Typed_Date_Field(QDate::currentDate()), "Date_To_Ctrl");
    for (QDateEdit *d : {Date_From_Ctrl, Date_To_Ctrl}) {
        d->setCalendarPopup(true);
        d->setEnabled(false);
    }
    form->addWidget(date_range, 3, 0, 1, 2);
    form->addWidget(Date_From_Ctrl, 3, 2, 1, 2);
    form->addWidget(Date_To_Ctrl, 3, 4, 1, 2);
    auto *searchRow = new QHBoxLayout;
    auto button = [this](const char *name, const QString &title, auto slot) {
        auto *b = named(new QPushButton(title), name);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    searchRow->addWidget(button("Search_Records", QStringLiteral("Search"), &Visitor_Log_Records::Search_Records_Click));
    searchRow->addWidget(button("Reset", QStringLiteral("Reset"), &Visitor_Log_Records::Reset_click));
    searchRow->addWidget(button("Export_Records", QStringLiteral("Export"), &Visitor_Log_Records::Export_Records_Click));
    searchRow->addWidget(button("Close_box", QStringLiteral("Close"), &Visitor_Log_Records::Close_box_click));
    form->addLayout(searchRow, 4, 0, 1, 6);
    connect(date_range, &QComboBox::currentIndexChanged, this, &Visitor_Log_Records::comboBoxSelectionDidChange);

    Records_Box = named(new QGroupBox, "Records_Box");
    auto *list = new QVBoxLayout(Records_Box);
    info_label = named(new QLabel, "info_label");
    ColList = named(new QTableWidget(0, int(std::size(kColumns))), "ColList");
    QStringList heads;
    for (const auto &c : kColumns)
        heads << QLatin1String(c.first);
    ColList->setHorizontalHeaderLabels(heads);
    ColList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ColList->setSelectionBehavior(QAbstractItemView::SelectRows);
    ColList->verticalHeader()->hide();
    connect(ColList, &QTableWidget::cellDoubleClicked, this, &Visitor_Log_Records::doubleClickInTable);
    list->addWidget(info_label);
    list->addWidget(ColList);

    Details_Box = named(new QGroupBox, "Details_Box");
    auto *det = new QGridLayout(Details_Box);
    visiting_time = named(new QLabel, "visiting_time");
    user_image = named(new QLabel, "user_image");
    user_image->setFixedSize(120, 120);
    user_image->setScaledContents(true);
    show_back_details = named(new QCheckBox(QStringLiteral("Show back side details")), "show_back_details");
    show_back_details->setChecked(true);
    connect(show_back_details, &QCheckBox::clicked, this, &Visitor_Log_Records::Show_Back_Details_click);
    visitor_details_box = named(new QWidget, "visitor_details_box");
    visitor_details_box->setFixedWidth(int(kDetailsBoxWidth));
    detailsGrid = new QGridLayout(visitor_details_box);
    // The rows stand one under the other from the top, however few there are.
    detailsGrid->setAlignment(Qt::AlignTop);
    auto *scroll = named(new QScrollArea, "Scroll_View");
    scroll->setWidget(visitor_details_box);
    scroll->setWidgetResizable(true);
    // As wide as the rows and the scroll bar beside them: the values are read without scrolling.
    scroll->setMinimumWidth(int(kDetailsBoxWidth) + 2 * scroll->frameWidth() +
                            scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4);
    other_detail = named(new QPlainTextEdit, "other_detail");
    other_detail->setReadOnly(true);
    det->addWidget(visiting_time, 0, 0);
    det->addWidget(show_back_details, 0, 1);
    det->addWidget(user_image, 1, 1, Qt::AlignTop);
    det->addWidget(scroll, 1, 0);
    det->addWidget(other_detail, 2, 0, 1, 2);
    auto *outRow = new QHBoxLayout;
    outRow->addWidget(button("Export_Image", QStringLiteral("Export Image"), &Visitor_Log_Records::Export_Image_click));
    outRow->addWidget(button("Export_PDF", QStringLiteral("Export PDF"), &Visitor_Log_Records::Export_PDF_click));
    outRow->addWidget(button("Page_Setup", QStringLiteral("Page Setup"), &Visitor_Log_Records::Page_Setup_click));
    outRow->addWidget(button("Print", QStringLiteral("Print"), &Visitor_Log_Records::Print_click));
    outRow->addWidget(button("Print_Preview", QStringLiteral("Print Preview"), &Visitor_Log_Records::Print_Preview_click));
    mailButton = button("Mail", QStringLiteral("Mail"), &Visitor_Log_Records::Mail_click);
    enableMail();
    outRow->addWidget(mailButton);
    outRow->addWidget(button("Close_Details_Panel", QStringLiteral("Back to List"), &Visitor_Log_Records::Close_Details_Panel_click));
    det->addLayout(outRow, 3, 0, 1, 2);

    // The list and a visit's details take turns in one place that is as large as the larger of
    // them, so the window keeps one size and its buttons stay where they were.
    auto *listPage = new QWidget;
    auto *listColumn = new QVBoxLayout(listPage);
    listColumn->setContentsMargins(0, 0, 0, 0);
    listColumn->addWidget(Search_Box);
    listColumn->addWidget(Records_Box);
    m_pages = new QStackedWidget;
    m_pages->addWidget(listPage);
    m_pages->addWidget(Details_Box);
    root->addWidget(m_pages);
    Details_Box->hide();
    other_detail->hide();
    Vistor_Record_Window = this;
}

Visitor_Log_Records::~Visitor_Log_Records()
{
    if (m_job && m_job->running())
        m_job->Stop();
    m_job.reset();
    if (Vistor_Record_Window == this)
        Vistor_Record_Window = nullptr;
}

int Visitor_Log_Records::Open_Log_Wnd()
{
    Close_Details_Panel_click();
    info_label->setText(QStringLiteral("Most Recent Visitor Entries\nDouble Click to view the Visitor Details."));
    m_rows.clear();
    reloadList();
    {
        const QSignalBlocker block(date_range);
        date_range->setCurrentIndex(0);
    }
    for (QDateEdit *d : {Date_From_Ctrl, Date_To_Ctrl}) {
        d->setEnabled(false);
        d->setDate(QDate::currentDate());
    }
    Name->setFocus();
    m_folderFailure = Check_Path_And_Create_VISITOR_Files();
    Search_Visitor_Records(true);
    return platform::ui().runModal(QStringLiteral("Visitor_Log_Records"), {}, [this] { return exec(); });
}

void Visitor_Log_Records::Close_box_click()
{
    Reset_click();
    done(0);
}

QString Medium_Date_Text(const QDate &date, const QLocale &locale)
{
    // The locale's long date without the weekday and with the month abbreviated ("Dec 7, 2026",
    // "7. Dez. 2026"): Qt has short and long date styles only.
    QString pattern = locale.dateFormat(QLocale::LongFormat);
    pattern.remove(QRegularExpression(QStringLiteral("d{4}[,.]?\\s*")));
    pattern.replace(QLatin1String("MMMM"), QLatin1String("MMM"));
    return locale.toString(date, pattern.trimmed());
}

void Visitor_Log_Records::Search_Visitor_Records(bool latest)
{
    VisitQuery query = Latest_Visits_Query();
    if (!latest) {
        VisitorSearch s{Name->text(), Comp_Name->text(), Address->text(), Phone->text(), Email->text(),
                        Purpose->text(), To_Meet->text(), Visitor_NO->text(), Other->text(),
                        Date_From_Ctrl->date(), Date_To_Ctrl->date()};
        if (const QString refusal = Visitor_Search_Refusal(s); !refusal.isEmpty()) {
            platform::ui().message(refusal);
            return;
        }
        query = Search_Visits_Query(s);
        const QLocale loc;
        info_label->setText(QStringLiteral("Visitor Search Results from %1 to %2 as per your query.\nDouble Click to view the Visitor Details.")
                                .arg(Medium_Date_Text(s.from, loc), Medium_Date_Text(s.to, loc)));
    }
    VisitListing out = Run_Visit_Query(Database_Path, query);
    if (out.status == VisitDbStatus::OpenFailed) {
        dbAccessError();
        return;
    }
    m_rows = std::move(out.rows);
    reloadList();
    if (out.status == VisitDbStatus::PrepareFailed)
        dbAccessError();
    else if (!latest && m_rows.empty())
        platform::ui().message(QStringLiteral("No records found."));
}

void Visitor_Log_Records::dbAccessError() const
{
    const QString text = QStringLiteral("Error in database access");
    platform::ui().message(m_folderFailure.isEmpty() ? text : text + u'\n' + m_folderFailure);
}

void Visitor_Log_Records::reloadList()
{
    ColList->setRowCount(int(m_rows.size()));
    for (int r = 0; r < int(m_rows.size()); ++r)
        for (int c = 0; c < int(std::size(kColumns)); ++c)
            ColList->setItem(r, c, new QTableWidgetItem(m_rows[std::size_t(r)].*kColumns[c].second));
}

void Visitor_Log_Records::Reset_click()
{
    for (QLineEdit *f : {Name, Comp_Name, Address, Phone, Email, Purpose, To_Meet, Visitor_NO, Other})
        f->clear();
    {
        const QSignalBlocker block(date_range);
        date_range->setCurrentIndex(0);
    }
    Date_From_Ctrl->setDate(QDate::currentDate());
    Date_To_Ctrl->setDate(QDate::currentDate());
}

void Visitor_Log_Records::comboBoxSelectionDidChange(int index)
{
    const auto range = Date_Range_For_Index(index, QDate::currentDate());
    Date_From_Ctrl->setEnabled(!range);
    Date_To_Ctrl->setEnabled(!range);
    if (range) {
        Date_From_Ctrl->setDate(range->first);
        Date_To_Ctrl->setDate(range->second);
    }
}

QString Visit_Rows_Text(const QList<QStringList> &rows)
{
    // One line a row, cells apart by tabs; a cell's own line breaks (the custom rows) become "; ".
    static const QRegularExpression breaks(QStringLiteral("[\\r\\n]+"));
    QString text;
    for (const QStringList &row : rows) {
        QStringList cells;
        for (const QString &cell : row)
            cells << cell.split(breaks, Qt::SkipEmptyParts)
                         .join(QStringLiteral("; "))
                         .replace(QLatin1Char('\t'), QLatin1Char(' '));
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

void Visitor_Log_Records::Export_Records_Click()
{
    if (m_rows.empty()) {
        platform::ui().message(QStringLiteral("List is empty."));
        return;
    }
    const QString chosen = Save_List_Panel(QStringLiteral("Export"), QDir::homePath(), QStringLiteral("Visitor_Records.xlsx"));
    if (chosen.isEmpty())
        return;
    const QFileInfo info(chosen);
    // The panel offers xlsx and txt: a name ending in .txt is written as text, any other as a workbook.
    const bool text = info.suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0;
    QString path = chosen;
    if (!text && info.suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) != 0) {
        path = info.suffix().isEmpty() ? chosen + QStringLiteral(".xlsx")
                                       : info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".xlsx");
        // The panel asked about the name chosen, not about this one.
        if (QFileInfo::exists(path) &&
            !platform::ui().yesNo(QStringLiteral("The file \"%1\" already exists.\nDo you want to replace it?").arg(path)))
            return;
    }
    SpreadsheetWriter::Table rows;
    rows << QStringList{QStringLiteral("S.No."), QStringLiteral("Date and Time"), QStringLiteral("Photo Path"),
                        QStringLiteral("Name"), QStringLiteral("Company Name"), QStringLiteral("Address"),
                        QStringLiteral("Phone"), QStringLiteral("Email"), QStringLiteral("Purpose"),
                        QStringLiteral("Person to Meet"), QStringLiteral("Visitor No."), QStringLiteral("Other")};
    for (const VisitRow &r : m_rows)
        rows << QStringList{r.SNO, r.DateTime, r.Photo, r.Name, r.CompanyName, r.Address, r.Phone, r.Email, r.Purpose,
                            r.Meet, r.VisitoNO, r.Other};
    QString error;
    bool written = false;
    {
        // Under the please-wait sheet, which goes before any box that follows.
        const Plz_Wait_Scope waiting(this, Long_Work_For_Values(qsizetype(rows.size()) * rows.first().size()));
        written = text ? platform::writeWholeFile(path, Visit_Rows_Text(rows).toUtf8(), &error)
                       : SpreadsheetWriter::WriteWorkbook(path, rows, false, &error);
    }
    if (!written) {
        Show_NSLog_Message(QStringLiteral("Visitor log export: %1").arg(error));
        // The workbook writer's error is already a sentence carrying the system's reason in
        // brackets; the text file's is the bare reason.
        const QString what = QStringLiteral("Error in file accessing.");
        platform::ui().message(text ? platform::withReason(what, error)
                                    : error.isEmpty() ? what : what + QLatin1Char(' ') + error);
        return;
    }
    finishExport(path, QStringLiteral("Record has been exported successfully."));
}

void Visitor_Log_Records::finishExport(const QString &path, const QString &message)
{
    Export_File_Path = path;
    Export_File_Message = message;
    Open_Export_File_Box();
}

void Visitor_Log_Records::Open_Export_File_Box()
{
    // The main window's export-finished box, when one is installed.
    SeriesExportFinishedBox box = Set_Series_Export_Finished_Box({});
    Set_Series_Export_Finished_Box(box);
    if (box)
        box();
    else
        platform::ui().message(Export_File_Message + QLatin1Char('\n') + Export_File_Path);
}

void Visitor_Log_Records::doubleClickInTable()
{
    const auto rows = ColList->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    if (rows.size() > 1) {
        platform::ui().message(QStringLiteral("Please select only one record to update."));
        return;
    }
    const int r = rows.first().row();
    if (r >= 0 && r < int(m_rows.size()))
        Show_Visitor_Details(m_rows[std::size_t(r)].id);
}

bool Visitor_Log_Records::Show_Visitor_Details(qint64 id)
{
    Reset_all_Ctrl();
    sel_db_id = id;
    const VisitFetch fetch = Fetch_Visit(Database_Path, id);
    if (fetch.status != VisitDbStatus::Ok) {
        dbAccessError();
        return false;
    }
    m_details = VisitorDetails::fromColumns(fetch.columns);
    showDetails();
    m_pages->setCurrentWidget(Details_Box);
    return true;
}

void Visitor_Log_Records::showDetails()
{
    visiting_time->setText(QStringLiteral("Visitor Details - %1").arg(m_details.date_time_detail));
    user_image->setPixmap(QPixmap::fromImage(m_details.visitor_image_obj));
    int row = 0;
    for (int side : {0, 1})
        for (int i = 0; i < VisitorDetails::Stems; ++i) {
            const QString &cap = m_details.caption[std::size_t(side)][std::size_t(i)];
            const QString &val = m_details.value[std::size_t(side)][std::size_t(i)];
            if (cap.isEmpty() && val.isEmpty())
                continue;
            auto *c = new QLineEdit(cap);
            c->setReadOnly(true);
            c->setEnabled(!cap.isEmpty());
            auto *v = new QLineEdit(val);
            v->setReadOnly(true);
            detailsGrid->addWidget(c, row, 0);
            detailsGrid->addWidget(v, row++, 1);
        }
    if (!m_details.other_detail_info.isEmpty()) {
        other_detail->setPlainText(QStringLiteral("Other Details :\n\n") + m_details.other_detail_info);
        other_detail->show();
    }
    page_rect = m_details.Gate_Pass_Size(kDetailsBoxWidth);
}

void Visitor_Log_Records::Show_Back_Details_click()
{
    if (sel_db_id < 0)
        return;
    const bool on = show_back_details->isChecked();
    Show_Visitor_Details(sel_db_id);
    show_back_details->setChecked(on);
}

void Visitor_Log_Records::Reset_all_Ctrl()
{
    m_details = VisitorDetails{};
    user_image->clear();
    visiting_time->clear();
    show_back_details->setChecked(true);
    other_detail->clear();
    other_detail->hide();
    while (QLayoutItem *item = detailsGrid->takeAt(0)) {
        delete item->widget();
        delete item;
    }
}

void Visitor_Log_Records::Export_Image_click()
{
    // The panel carries the format chooser: a name typed without an extension gets the chosen one.
    const QString path = Save_Image_Panel(QStringLiteral("Save Image"), QDir::homePath(), QStringLiteral("VisitorPass.png"));
    if (path.isEmpty())
        return;
    QString error;
    if (!Write_Visitor_Pass(m_details, page_rect, path, &error)) {
        Show_NSLog_Message(QStringLiteral("Visitor pass export: %1").arg(error));
        platform::ui().message(platform::withReason(QStringLiteral("Error in file accessing."), error));
        return;
    }
    finishExport(path, QStringLiteral("File has been exported successfully."));
}

void Visitor_Log_Records::Export_PDF_click()
{
    QString path = platform::ui().saveFile(QStringLiteral("Save"), QDir::homePath(), QStringLiteral("VisitorPass.pdf"), {QStringLiteral("pdf")});
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    QString error;
    if (!Write_Visitor_Pass(m_details, page_rect, path, &error)) {
        Show_NSLog_Message(QStringLiteral("Visitor pass export: %1").arg(error));
        platform::ui().message(platform::withReason(QStringLiteral("Error in file accessing."), error));
        return;
    }
    finishExport(path, QStringLiteral("File has been exported successfully."));
}

QPageLayout Visitor_Log_Records::Pass_Page_Layout() const
{
    QPageLayout layout = printInfo().pageLayout();
    // In the log's unit, with nothing to convert on the way: the margins are as they were set.
    layout.setMinimumMargins(QMarginsF());
    layout.setMargins(QMarginsF());
    if (m_passUnits)
        layout.setUnits(*m_passUnits);
    layout.setMargins(m_passMargins);
    return layout;
}

std::unique_ptr<QPrinter> Visitor_Log_Records::Pass_Print_Setup() const
{
    std::unique_ptr<QPrinter> printer = Fresh_Print_Setup();
    printer->setPageLayout(Pass_Page_Layout());
    return printer;
}

bool Visitor_Log_Records::Page_Setup_click()
{
    return Run_Pass_Page_Setup(Pass_Page_Layout());
}

bool Visitor_Log_Records::Run_Pass_Page_Setup(const QPageLayout &shown)
{
    // Run on the pass's own set-up, so the panel shows the pass's margins. The paper and its
    // orientation are the application's one set-up's; its margins, the print window's, stay.
    const std::unique_ptr<QPrinter> setUp = Pass_Print_Setup();
    setUp->setPageLayout(shown);
    if (Run_Page_Setup(*setUp, this, QStringLiteral("QPageSetupDialog")) != QDialog::Accepted)
        return false;
    const QPageLayout chosen = setUp->pageLayout();
    m_passUnits = chosen.units();
    m_passMargins = chosen.margins();
    printInfo().setPageSize(chosen.pageSize());
    printInfo().setPageOrientation(chosen.orientation());
    return true;
}

void Visitor_Log_Records::Execute_Printing(bool preview)
{
    if (preview) {
        platform::ui().runModal(QStringLiteral("QPrintPreviewDialog"), {}, [this] { return Pass_Preview()->exec(); });
        return;
    }
    // A printer of this run's own, set up from the shared set-up: a failed run leaves nothing
    // behind that a later print or preview would trip over.
    std::shared_ptr<QPrinter> printer = Pass_Print_Setup();
    if (const QString why = Printer_Unavailable(*printer); !why.isEmpty()) {
        platform::ui().message(QStringLiteral("The visitor pass could not be printed.\n\n%1").arg(why));
        return;
    }
    Start_Pass_Print(std::move(printer));
}

void Visitor_Log_Records::Start_Pass_Print(std::shared_ptr<QPrinter> printer)
{
    if (m_job && m_job->running())
        return;
    m_job = std::make_unique<PrintJob>();
    connect(m_job.get(), &PrintJob::finished, this, [this] {
        if (!m_job->outcome().ok && !m_job->outcome().stopped)
            platform::ui().message(QStringLiteral("The visitor pass could not be printed.\n\n%1").arg(m_job->outcome().error));
    }, Qt::QueuedConnection);
    // The job draws its own copies: the pass value and the printer outlive nothing they use.
    m_job->start([details = m_details, rect = page_rect, printer = std::move(printer)](const std::atomic<bool> &) {
        PrintOutcome out;
        out.ok = Print_Visitor_Pass(details, rect, *printer, &out.error);
        out.pages = out.ok ? std::max(1, printer->copyCount()) : 0;
        return out;
    });
}

std::unique_ptr<QPrintPreviewDialog> Visitor_Log_Records::Pass_Preview()
{
    // The preview's printer is its own too: printing from the preview into a PDF file must not
    // leave that file as where the next Print goes.
    m_previewPrinter = Pass_Print_Setup();
    auto dialog = std::make_unique<QPrintPreviewDialog>(m_previewPrinter.get(), this);
    // Room for a whole page beside the preview's tool bar, within a 1024 x 700 screen.
    dialog->resize(900, 660);
    connect(dialog.get(), &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter *p) { Print_Visitor_Pass(m_details, page_rect, *p); });
    QPrintPreviewDialog *preview = dialog.get();
    // Its own Print and Page setup would run the toolkit's panels on its printer, whose print
    // panel puts that printer's default paper in place of the pass's: the log's are run instead.
    if (QAction *print = previewAction(*preview, "Print")) {
        disconnect(print, &QAction::triggered, preview, nullptr);
        connect(print, &QAction::triggered, preview, [this, preview] { Print_From_Preview(*preview); });
    }
    if (QAction *setup = previewAction(*preview, "Page setup")) {
        disconnect(setup, &QAction::triggered, preview, nullptr);
        connect(setup, &QAction::triggered, preview, [this, preview] {
            // Opened on the paper as the preview shows it: a turn made with the preview's own
            // buttons is what the panel shows, and an OK with nothing changed keeps it.
            if (!Run_Pass_Page_Setup(m_previewPrinter->pageLayout()))
                return;
            m_previewPrinter->setPageLayout(Pass_Page_Layout());
            const bool landscape = m_previewPrinter->pageLayout().orientation() == QPageLayout::Landscape;
            if (QAction *turn = previewAction(*preview, landscape ? "Landscape" : "Portrait"))
                turn->setChecked(true);
            if (auto *pages = preview->findChild<QPrintPreviewWidget *>())
                pages->updatePreview();
        });
    }
    return dialog;
}

void Visitor_Log_Records::Print_From_Preview(QPrintPreviewDialog &preview)
{
    const std::shared_ptr<QPrinter> printer = m_previewPrinter;
    // The paper as the preview shows it (its orientation buttons may have turned it).
    const QPageLayout shown = printer->pageLayout();
    QPrintDialog panel(printer.get(), &preview);
    panel.setMinMax(1, 1);
    Hold_To_Number_Rule(panel);  // its copies are a count, typed by the number rule
    int answer = 0;
    {
        const PassPaperShown paper(shown);
        answer = platform::ui().runModal(QStringLiteral("QPrintDialog"), {}, [&] { return panel.exec(); });
    }
    if (answer != QDialog::Accepted)
        return;
    // The panel gave the printer its default paper, or the paper of the printer chosen in it.
    printer->setPageLayout(shown);
    preview.accept();
    Start_Pass_Print(printer);
}

void Visitor_Log_Records::Mail_click()
{
    if (!mailer())
        return;
    // A private folder, removed when the mail window has closed.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("VisitorDetails.pdf"));
    QString error;
    if (!dir.isValid() || !Write_Visitor_Pass(m_details, page_rect, path, &error)) {
        Show_NSLog_Message(QStringLiteral("Visitor pass mail: %1").arg(error));
        platform::ui().message(platform::withReason(QStringLiteral("Error in file accessing."), error));
        return;
    }
    mailer()(path, QStringLiteral("Visitor Details"));
}

void Visitor_Log_Records::enableMail()
{
    const bool on = bool(mailer());
    mailButton->setEnabled(on);
    mailButton->setToolTip(on ? QStringLiteral("Mails the visitor pass as a PDF attachment.")
                              : QStringLiteral("Mailing a pass needs the main window, which sends it."));
}

void Visitor_Log_Records::Close_Details_Panel_click()
{
    m_pages->setCurrentIndex(0);
}
