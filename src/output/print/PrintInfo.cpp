#include "output/print/PrintInfo.h"

#include "canvas/WidgetUtilities.h"
#include "platform/UiServices.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QString>
#include <vector>

namespace {
std::vector<std::unique_ptr<QPrinter>> &setUps()
{
    static std::vector<std::unique_ptr<QPrinter>> all;
    return all;
}
}  // namespace

QPrinter &printInfo()
{
    if (setUps().empty())
        setUps().push_back(std::make_unique<QPrinter>(QPrinter::HighResolution));
    return *setUps().back();
}

void setPrintInfo(std::unique_ptr<QPrinter> printer)
{
    if (printer)
        setUps().push_back(std::move(printer));
}

std::unique_ptr<QPrinter> Fresh_Print_Setup()
{
    const QPrinter &shared = printInfo();
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (shared.outputFormat() == QPrinter::PdfFormat)
        printer->setOutputFormat(QPrinter::PdfFormat);
    else
        printer->setPrinterName(shared.printerName());
    // After the printer: naming one gives it that printer's own paper.
    printer->setPageLayout(shared.pageLayout());
    printer->setFullPage(shared.fullPage());
    printer->setCopyCount(shared.copyCount());
    printer->setCollateCopies(shared.collateCopies());
    printer->setDuplex(shared.duplex());
    printer->setColorMode(shared.colorMode());
    printer->setPageOrder(shared.pageOrder());
    printer->setDocName(shared.docName());
    return printer;
}

QString Printer_Unavailable(const QPrinter &printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return printer.outputFileName().isEmpty() ? QStringLiteral("No printer is set up on this computer.") : QString();
    if (printer.printerName().isEmpty())
        return QStringLiteral("No printer is set up on this computer.");
    if (!QPrinterInfo::availablePrinterNames().contains(printer.printerName()))
        return QStringLiteral("The printer \"%1\" is not available.").arg(printer.printerName());
    return {};
}

namespace {
// Chooses the panel's "Custom" entry with the paper's own size. The panel's fields are found by
// their names; a panel without them is left as it is.
void Keep_Custom_Paper(QPageSetupDialog &dialog, const QPageLayout &layout)
{
    if (layout.pageSize().id() != QPageSize::Custom || !layout.pageSize().isValid())
        return;
    auto *sizes = dialog.findChild<QComboBox *>(QStringLiteral("pageSizeCombo"));
    auto *units = dialog.findChild<QComboBox *>(QStringLiteral("unitCombo"));
    auto *width = dialog.findChild<QDoubleSpinBox *>(QStringLiteral("pageWidth"));
    auto *height = dialog.findChild<QDoubleSpinBox *>(QStringLiteral("pageHeight"));
    if (!sizes || !units || !width || !height)
        return;
    int custom = -1;  // the one entry that carries no standard size
    for (int i = 0; i < sizes->count(); ++i)
        if (!sizes->itemData(i).isValid())
            custom = i;
    if (custom < 0 || !units->currentData().canConvert<QPageLayout::Unit>())
        return;
    QSizeF size = layout.pageSize().size(QPageSize::Unit(units->currentData().value<QPageLayout::Unit>()));
    if (layout.orientation() == QPageLayout::Landscape)
        size.transpose();
    sizes->setCurrentIndex(custom);
    width->setValue(size.width());
    height->setValue(size.height());
}
}  // namespace

int Run_Page_Setup(QPrinter &printer, QWidget *parent)
{
    QPageSetupDialog dialog(&printer, parent);
    // The panel's sizes and margins show and read their numbers as every field of ours does.
    Hold_To_Number_Rule(dialog);
    Keep_Custom_Paper(dialog, printer.pageLayout());
    return platform::ui().runModal(QStringLiteral("QPageSetupDialog"), QString(), [&] { return dialog.exec(); });
}
