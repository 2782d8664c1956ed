#include "data/export/ExportSheet.h"
#include "canvas/WidgetUtilities.h"

#include "data/SeriesWindow.h"
#include "data/export/ExportDialogs.h"
#include "platform/UiServices.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QThread>
#include <QVBoxLayout>

namespace {

constexpr int kNoSourceMax = 999999;

QSpinBox *number(QWidget *parent, const char *name)
{
    auto *box = named(Count_Field(parent), name);
    box->setRange(1, kNoSourceMax);  // an empty or zero number counts as 1
    return box;
}

}  // namespace

ExportSheet::ExportSheet(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ExportWindow"));
    setWindowTitle(tr("Export"));
    Style_Series_Window(this);
    auto *form = new QFormLayout(this);

    matrix_export_card_side = named(new QWidget(this), "matrix_export_card_side");
    auto *sides = new QHBoxLayout(matrix_export_card_side);
    sides->setContentsMargins(0, 0, 0, 0);
    side_both = named(new QRadioButton(tr("Both sides"), matrix_export_card_side), "side_both");
    side_front = named(new QRadioButton(tr("Front"), matrix_export_card_side), "side_front");
    side_back = named(new QRadioButton(tr("Back"), matrix_export_card_side), "side_back");
    for (QRadioButton *b : {side_both, side_front, side_back}) {
        sides->addWidget(b);
        connect(b, &QRadioButton::toggled, this, &ExportSheet::export_card_side_CellClick);
    }
    form->addRow(tr("Sides:"), matrix_export_card_side);
    export_combined_image_chk = named(new QCheckBox(tr("Front and back in one image"), this), "export_combined_image_chk");
    combined_image_H_or_V_chk = named(new QCheckBox(tr("Side by side"), this), "combined_image_H_or_V_chk");
    form->addRow(QString(), export_combined_image_chk);
    form->addRow(QString(), combined_image_H_or_V_chk);

    fileFormatPopup = named(new QComboBox(this), "fileFormatPopup");
    fileFormatPopup->addItems({QStringLiteral("PNG"), QStringLiteral("JPG"), QStringLiteral("BMP"), QStringLiteral("TIFF"),
                               QStringLiteral("PDF"), QStringLiteral("EPS")});
    connect(fileFormatPopup, &QComboBox::currentIndexChanged, this, &ExportSheet::exportFileTypeChanged);
    matrix_file_type = named(new QWidget(this), "matrix_file_type");
    auto *cells = new QHBoxLayout(matrix_file_type);
    cells->setContentsMargins(0, 0, 0, 0);
    auto *cellGroup = new QButtonGroup(matrix_file_type);
    for (int i = 0; i < fileFormatPopup->count(); ++i) {
        auto *cell = new QRadioButton(fileFormatPopup->itemText(i), matrix_file_type);
        cell->setObjectName(QStringLiteral("matrix_file_type_%1").arg(i));
        cellGroup->addButton(cell, i);
        cells->addWidget(cell);
    }
    connect(cellGroup, &QButtonGroup::idClicked, this, &ExportSheet::export_file_type_CellClick);
    auto *format = new QHBoxLayout;
    format->addWidget(fileFormatPopup);
    format->addWidget(matrix_file_type, 1);
    form->addRow(tr("Format:"), format);
    saveDPIText = named(new QComboBox(this), "saveDPIText");
    saveDPIText->addItems({QStringLiteral("72"), QStringLiteral("150"), QStringLiteral("300"), QStringLiteral("600")});
    form->addRow(tr("Resolution (dpi):"), saveDPIText);

    mirror_chk_box = named(new QCheckBox(tr("Mirror"), this), "mirror_chk_box");
    connect(mirror_chk_box, &QCheckBox::toggled, this, &ExportSheet::Mirror_image_chk_clicked);
    mirror_matrix = named(new QWidget(this), "mirror_matrix");
    auto *mirrors = new QHBoxLayout(mirror_matrix);
    mirrors->setContentsMargins(0, 0, 0, 0);
    mirror_horizontal = named(new QRadioButton(tr("Horizontal"), mirror_matrix), "mirror_horizontal");
    mirror_vertical = named(new QRadioButton(tr("Vertical"), mirror_matrix), "mirror_vertical");
    mirrors->addWidget(mirror_horizontal);
    mirrors->addWidget(mirror_vertical);
    form->addRow(mirror_chk_box, mirror_matrix);

    Export_with_batch_chk = named(new QCheckBox(tr("Values from series"), this), "Export_with_batch_chk");
    Export_with_excel_chk = named(new QCheckBox(tr("Values from the spreadsheet"), this), "Export_with_excel_chk");
    connect(Export_with_batch_chk, &QCheckBox::clicked, this, &ExportSheet::Export_With_Batch_Changed);
    connect(Export_with_excel_chk, &QCheckBox::clicked, this, &ExportSheet::Export_With_Excel_Changed);
    form->addRow(QString(), Export_with_batch_chk);
    form->addRow(QString(), Export_with_excel_chk);

    export_range_box = named(new QGroupBox(tr("Cards"), this), "export_range_box");
    auto *grid = new QGridLayout(export_range_box);
    All_print_rd = named(new QRadioButton(tr("All"), export_range_box), "All_print_rd");
    Sel_print_rd = named(new QRadioButton(tr("Range"), export_range_box), "Sel_print_rd");
    connect(All_print_rd, &QRadioButton::clicked, this, &ExportSheet::All_print_RD_Clicked);
    connect(Sel_print_rd, &QRadioButton::clicked, this, &ExportSheet::Sel_Print_RD_Clicked);
    tot_label = named(new QLabel(tr("Total"), export_range_box), "tot_label");
    from_label = named(new QLabel(tr("From"), export_range_box), "from_label");
    to_label = named(new QLabel(tr("To"), export_range_box), "to_label");
    Total_Text = number(export_range_box, "Total_Text");
    // "All" writes every card whatever a count would say, so no count is shown to be typed.
    Total_Text->hide();
    from_Text = number(export_range_box, "from_Text");
    To_Text = number(export_range_box, "To_Text");
    grid->addWidget(All_print_rd, 0, 0);
    grid->addWidget(tot_label, 0, 1);
    grid->addWidget(Total_Text, 0, 2);
    grid->addWidget(Sel_print_rd, 1, 0);
    grid->addWidget(from_label, 1, 1);
    grid->addWidget(from_Text, 1, 2);
    grid->addWidget(to_label, 1, 3);
    grid->addWidget(To_Text, 1, 4);
    form->addRow(export_range_box);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto *cancel = named(new QPushButton(tr("Cancel"), this), "exportCancel");
    auto *ok = named(new QPushButton(tr("Export"), this), "exportOkay");
    ok->setDefault(true);
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    connect(cancel, &QPushButton::clicked, this, &ExportSheet::exportCancel);
    connect(ok, &QPushButton::clicked, this, &ExportSheet::exportOkay);
    form->addRow(buttons);
}

void ExportSheet::Reset(bool twoSided, bool visitorMode, const BatchSource &data)
{
    source = data;
    mirror_chk_box->setChecked(false);
    mirror_horizontal->setChecked(true);
    mirror_matrix->setEnabled(false);
    fileFormatPopup->setCurrentIndex(0);
    saveDPIText->setCurrentText(QStringLiteral("600"));
    exportFileTypeChanged();
    export_combined_image_chk->setChecked(false);
    combined_image_H_or_V_chk->setChecked(false);
    All_print_rd->setChecked(true);
    from_Text->setValue(1);
    side_both->setEnabled(twoSided);
    side_back->setEnabled(twoSided);
    (twoSided ? side_both : side_front)->setChecked(true);
    export_card_side_CellClick();
    if (visitorMode)
        source.Use_Data_Sheet_Values = source.Use_Excel_Binding_Values = false;
    Export_with_batch_chk->setChecked(source.Use_Data_Sheet_Values);
    Export_with_excel_chk->setChecked(source.Use_Excel_Binding_Values);
    Export_with_batch_chk->setEnabled(source.Use_Data_Sheet_Values);
    Export_with_excel_chk->setEnabled(source.Use_Excel_Binding_Values);
    Total_Label = source.Total_Batch_Excel_Card;
    Set_Tot_Value(Total_Label, batch() ? Total_Label : kNoSourceMax, QStringLiteral("A"));
    Set_Enable_Diable_Range_Box();
}

ExportChoice ExportSheet::choice() const
{
    ExportChoice c;
    c.export_card_side = side_both->isChecked() ? QStringLiteral("BOTH") : side_front->isChecked() ? QStringLiteral("F")
                                                                                                   : QStringLiteral("B");
    c.format = fileFormatPopup->currentText().toLower();
    c.combined = c.export_card_side == QLatin1String("BOTH") && export_combined_image_chk->isChecked();
    c.sideBySide = combined_image_H_or_V_chk->isChecked();
    c.mirror = mirror_chk_box->isChecked() ? (mirror_vertical->isChecked() ? 1 : 0) : -1;
    c.dpi = saveDPIText->currentText().toDouble();
    return c;
}

QStringList ExportSheet::formats() const
{
    QStringList all{fileFormatPopup->currentText().toLower()};
    for (int i = 0; i < fileFormatPopup->count(); ++i)
        if (i != fileFormatPopup->currentIndex())
            all << fileFormatPopup->itemText(i).toLower();
    return all;
}

bool ExportSheet::batch() const { return Export_with_batch_chk->isChecked() || Export_with_excel_chk->isChecked(); }

int ExportSheet::show_count() const { return All_print_rd->isChecked() ? Total_Label : Print_End - Print_Start; }

void ExportSheet::Set_Tot_Value(int value, int max, const QString &setFor)
{
    if (!batch())
        max = kNoSourceMax;
    value = std::clamp(value, 1, std::max(1, max));
    for (QSpinBox *box : {Total_Text, To_Text, from_Text})
        box->setMaximum(std::max(1, max));
    if (setFor != QLatin1String("TO"))
        Total_Text->setValue(value);
    if (setFor != QLatin1String("TOT"))
        To_Text->setValue(value);
}

void ExportSheet::exportOkay()
{
    source.Use_Data_Sheet_Values = Export_with_batch_chk->isChecked();
    source.Use_Excel_Binding_Values = Export_with_excel_chk->isChecked();
    source.Get_total_Card_count();
    if (All_print_rd->isChecked() || !batch()) {
        Print_Start = 0;
        Total_Label = source.Total_Batch_Excel_Card;
    } else {
        if (from_Text->value() > To_Text->value()) {
            platform::ui().message(tr("Please select valid range."));
            return;
        }
        Print_Start = from_Text->value() - 1;
        Print_End = Total_Label = To_Text->value();
    }
    accept();
}

void ExportSheet::exportCancel()
{
    mirror_chk_box->setChecked(false);
    reject();
}

void ExportSheet::export_card_side_CellClick()
{
    const bool both = side_both->isChecked();
    export_combined_image_chk->setEnabled(both);
    combined_image_H_or_V_chk->setEnabled(both);
}

void ExportSheet::exportFileTypeChanged()
{
    // A PDF page is drawn as vectors: there is no resolution to choose for it.
    saveDPIText->setEnabled(fileFormatPopup->currentText() != QLatin1String("PDF"));
    // The matrix shows the pop-up's choice.
    if (auto *cells = matrix_file_type->findChild<QButtonGroup *>())
        if (QAbstractButton *cell = cells->button(fileFormatPopup->currentIndex()))
            cell->setChecked(true);
}

void ExportSheet::export_file_type_CellClick()
{
    // The cell's row chooses the pop-up's item of the same index, which sets the rest.
    if (auto *cells = matrix_file_type->findChild<QButtonGroup *>(); cells && cells->checkedId() >= 0)
        fileFormatPopup->setCurrentIndex(cells->checkedId());
}

void ExportSheet::Mirror_image_chk_clicked() { mirror_matrix->setEnabled(mirror_chk_box->isChecked()); }

void ExportSheet::Export_With_Batch_Changed()
{
    source.Use_Data_Sheet_Values = Export_with_batch_chk->isChecked();
    source.Get_total_Card_count();
    Total_Label = batch() ? source.Total_Batch_Excel_Card : 1;
    Set_Tot_Value(Total_Label, Total_Label, QStringLiteral("A"));
    Set_Enable_Diable_Range_Box();
}

void ExportSheet::Export_With_Excel_Changed()
{
    source.Use_Excel_Binding_Values = Export_with_excel_chk->isChecked();
    Export_With_Batch_Changed();
}

void ExportSheet::All_print_RD_Clicked()
{
    All_print_rd->setChecked(true);
    for (QWidget *w : std::initializer_list<QWidget *>{tot_label, Total_Text})
        w->setEnabled(true);
    for (QWidget *w : std::initializer_list<QWidget *>{from_label, from_Text, to_label, To_Text})
        w->setEnabled(false);
}

void ExportSheet::Sel_Print_RD_Clicked()
{
    Sel_print_rd->setChecked(true);
    for (QWidget *w : std::initializer_list<QWidget *>{tot_label, Total_Text})
        w->setEnabled(false);
    for (QWidget *w : std::initializer_list<QWidget *>{from_label, from_Text, to_label, To_Text})
        w->setEnabled(true);
}

void ExportSheet::Set_Enable_Diable_Range_Box()
{
    export_range_box->setEnabled(batch());
    if (batch())
        All_print_rd->isChecked() ? All_print_RD_Clicked() : Sel_Print_RD_Clicked();
}

// --- the Export command --------------------------------------------------------------------

ExportCommand::ExportCommand(QWidget *window)
    : QObject(window), m_window(window), m_sheet(new ExportSheet(window)), m_progress(new Send_Modeless(window))
{
}

ExportCommand::~ExportCommand()
{
    if (m_run)
        m_run->Stop();
    // The run may be waiting for the GUI thread (a box, the sheet's hiding): keep events flowing.
    while (m_thread && !m_thread->wait(20))
        QCoreApplication::processEvents();
}

void ExportCommand::Export_Button(ExportRequest request)
{
    if (running())
        return;
    // Visitor mode exports the design's own values: its series are not read.
    if (!request.visitorMode && !Series_Refusal_Allows_Run(request.design.source))
        return;
    m_sheet->Reset(request.twoSided, request.visitorMode, request.design.source);
    m_sheet->setResult(QDialog::Rejected);
    if (platform::ui().runModal(m_sheet->objectName(), QString(), [this] { return m_sheet->exec(); }) != 1)
        return;
    if (m_sheet->result() != QDialog::Accepted) {
        m_sheet->exportOkay();  // a scripted OK takes the sheet as it stands
        if (m_sheet->result() != QDialog::Accepted)
            return;
    }
    request.design.source = m_sheet->source;
    if (!m_sheet->batch()) {
        singleRoad(request);
        return;
    }
    const QString folder = platform::ui().chooseFolder(tr("Choose the folder for the cards"), QDir::homePath());
    if (folder.isEmpty())
        return;
    m_run = std::make_unique<CardExport>(std::move(request.design), m_sheet->choice());
    CardExport *run = m_run.get();
    run->show_count = m_sheet->show_count();
    m_progress->onStop = [run] { run->Stop(); };
    m_progress->hold = run->hold;
    run->onRow = onRow;
    run->Hide_One_By_One_Modeless = [this] { m_progress->Hide_One_By_One_Modeless(); };
    m_progress->Show_One_By_One_Modeless(run->show_count, [run] { return run->curr_card_count.load(); });
    const int first = m_sheet->Print_Start, end = m_sheet->Total_Label;
    m_thread = QThread::create([run, folder, first, end] { run->Export_Batch_File(folder, first, end); });
    // Owned by the command too: should no event loop get to the deferred delete (the command
    // goes first, or the program ends), the finished thread goes with the command.
    m_thread->setParent(this);
    connect(m_thread, &QThread::finished, this, [this] {
        m_thread->deleteLater();
        m_thread = nullptr;
        emit finished();
    });
    m_thread->start();
}

QString Replace_Question(const QStringList &names)
{
    if (names.size() == 1)
        return names.first() + QStringLiteral(" already exists. Do you want to replace it?");
    return QStringList(names.mid(0, names.size() - 1)).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
           names.last() + QStringLiteral(" already exist. Do you want to replace them?");
}

void ExportCommand::singleRoad(ExportRequest &request)
{
    const QStringList formats = m_sheet->formats();
    for (;;) {
        // The files written are asked about below, by their own names: the panel's question would
        // be about the chosen name, which a card's "_Front" and "_Back" files leave untouched.
        QString path = platform::ui().saveFile(tr("Export"), QDir::homePath(),
                                               QStringLiteral("Card_%1.%2").arg(export_card_counter).arg(formats.first()),
                                               formats, false);
        if (path.isEmpty())
            return;
        // A name typed with a type's extension ("karte.jpeg", "karte.TIF") is a file of that type
        // under that very name; any other name gets the chosen format's extension.
        path = platform::Save_Panel_Name(path, formats);
        ExportChoice choice = m_sheet->choice();
        choice.format = platform::Save_Panel_Type(path, formats);
        m_run = std::make_unique<CardExport>(request.design, choice);
        // Every file the export will write is looked at, and the one question names each that
        // would be replaced, before any is written.
        QStringList taken;
        for (const QString &p : m_run->Single_File_Paths(path, true))
            if (QFileInfo::exists(p))
                taken << QFileInfo(p).completeBaseName();
        if (!taken.isEmpty() && !platform::ui().yesNo(Replace_Question(taken))) {
            ++export_card_counter;
            continue;
        }
        ++export_card_counter;
        m_run->Export_Single_File(path, true);
        emit finished();
        return;
    }
}

void ExportCommand::waitForRun()
{
    while (m_thread && !m_thread->isFinished())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::processEvents();
}
