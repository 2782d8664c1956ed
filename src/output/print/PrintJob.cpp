#include "output/print/PrintJob.h"

#include "core/Utilities.h"
#include "data/batch/BatchRunner.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <map>

namespace {

bool stopping(const std::atomic<bool> *stop) { return stop && stop->load(); }

// Draws the pages once; answers false when stopped.
bool drawPages(QPainter &painter, QPagedPaintDevice &device, const Printing_View &view, const std::vector<int> &pages,
               bool &first, PrintOutcome &outcome, const std::atomic<bool> *stop, int threads)
{
    const double sx = device.logicalDpiX() / 72.0, sy = device.logicalDpiY() / 72.0;
    std::map<int, RowSides> ready;
    const auto lookup = [&](int row) -> const RowSides * {
        auto it = ready.find(row);
        return it == ready.end() ? nullptr : &it->second;
    };
    std::size_t next = 0;
    // Puts out every page whose rows have all arrived, then lets go of the rows no later page needs.
    const auto flush = [&](int arrivedUpTo) {
        while (next < pages.size() && !stopping(stop)) {
            const auto rows = view.dataRowsOfPage(pages[next]);
            if (view.batchRun() && rows.first <= rows.second && rows.second > arrivedUpTo)
                break;
            if (!first)
                device.newPage();
            first = false;
            painter.save();
            painter.scale(sx, sy);
            view.drawPage(painter, pages[next], lookup);
            painter.restore();
            ++outcome.pages;
            ++next;
            const int keepFrom = next < pages.size() ? view.dataRowsOfPage(pages[next]).first : std::numeric_limits<int>::max();
            ready.erase(ready.begin(), ready.lower_bound(keepFrom));
        }
    };
    if (!view.batchRun()) {
        flush(std::numeric_limits<int>::max());
        return !stopping(stop);
    }
    int firstRow = std::numeric_limits<int>::max(), lastRow = -1;
    for (int page : pages) {
        const auto rows = view.dataRowsOfPage(page);
        firstRow = std::min(firstRow, rows.first), lastRow = std::max(lastRow, rows.second);
    }
    flush(firstRow - 1);
    if (firstRow <= lastRow) {
        BatchRunner runner(threads);
        runner.Run<RowSides>(
            firstRow, lastRow - firstRow + 1, [&](int row) { return view.Fill_Row(row); },
            [&](int row, RowSides &sides) {
                if (stopping(stop))
                    return false;
                ready.emplace(row, std::move(sides));
                flush(row);
                return true;
            });
    }
    if (stopping(stop))
        return false;
    flush(std::numeric_limits<int>::max());
    return true;
}

}  // namespace

PrintOutcome Print_Pages(QPagedPaintDevice &device, const Printing_View &view, int fromPage, int toPage, int copies,
                         const std::atomic<bool> *stop, int threads)
{
    PrintOutcome outcome;
    const int count = view.numberOfPages();
    const int from = fromPage > 0 ? fromPage : 1, to = toPage > 0 ? std::min(toPage, count) : count;
    if (from > to) {
        outcome.error = QStringLiteral("There is no page to print.");
        return outcome;
    }
    std::vector<int> pages;
    for (int p = from; p <= to; ++p)
        pages.push_back(p);
    QPainter painter;
    if (!painter.begin(&device)) {
        outcome.error = QStringLiteral("The printer could not be started.");
        return outcome;
    }
    bool first = true;
    for (int copy = 0; copy < std::max(1, copies); ++copy) {
        if (!drawPages(painter, device, view, pages, first, outcome, stop, threads)) {
            outcome.stopped = true;
            break;
        }
    }
    outcome.ok = painter.end() && !outcome.stopped;
    if (!outcome.ok && outcome.error.isEmpty())
        outcome.error = outcome.stopped ? QStringLiteral("Printing was stopped.") : QStringLiteral("Printing failed.");
    return outcome;
}

PrintOutcome Print_To_Pdf_File(const QString &path, const Printing_View &view, int fromPage, int toPage,
                               const std::atomic<bool> *stop, int threads)
{
    PrintOutcome outcome;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        outcome.error = QStringLiteral("Could not write %1: %2").arg(path, file.errorString());
        return outcome;
    }
    {
        QPdfWriter pdf(&file);
        QPageLayout page = view.paper().pageLayout;
        page.setMinimumMargins(QMarginsF());
        page.setMargins(QMarginsF());
        page.setMode(QPageLayout::FullPageMode);
        pdf.setPageLayout(page);
        pdf.setResolution(1200);
        pdf.setCreator(QStringLiteral("badgeloom"));
        outcome = Print_Pages(pdf, view, fromPage, toPage, view.run().copies, stop, threads);
    }
    if (!outcome.ok) {
        file.cancelWriting();
        return outcome;
    }
    if (!file.commit()) {
        outcome.ok = false;
        outcome.error = QStringLiteral("Could not write %1: %2").arg(path, file.errorString());
    }
    return outcome;
}

PrintOutcome Print_To_Printer(QPrinter &printer, const Printing_View &view, const std::atomic<bool> *stop)
{
    const bool range = printer.printRange() == QPrinter::PageRange;
    const int from = range ? printer.fromPage() : 0, to = range ? printer.toPage() : 0;
    // A PDF printer without a file is a preview's: its pages are painted like a printer's.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return Print_To_Pdf_File(printer.outputFileName(), view, from, to, stop);
    printer.setFullPage(true);
    printer.setCopyCount(view.run().copies);
    const int ourCopies = printer.supportsMultipleCopies() ? 1 : view.run().copies;
    return Print_Pages(printer, view, from, to, ourCopies, stop);
}

PrintJob::PrintJob(QObject *parent) : QObject(parent) {}

PrintJob::~PrintJob()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

bool PrintJob::start(Work work)
{
    if (m_running)
        return false;
    if (m_thread.joinable())
        m_thread.join();
    m_stop = false;
    m_running = true;
    m_thread = std::thread([this, work = std::move(work)] {
        PrintOutcome outcome;
        try {
            outcome = work(m_stop);
        } catch (const std::exception &e) {
            Show_NSLog_Message(QStringLiteral("Printing: %1").arg(QString::fromUtf8(e.what())));
            outcome.error = QStringLiteral("Printing failed.");
        }
        m_outcome = outcome;
        m_running = false;
        emit finished();
    });
    return true;
}
