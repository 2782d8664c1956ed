#include "output/print/PrintInfo.h"

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
