#include "output/print/PrintJob.h"

#include "core/Utilities.h"
#include "data/batch/BatchRunner.h"
#include "output/print/PdfJoin.h"
#include "platform/WholeFile.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <map>
#include <optional>

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
    outcome.error = Paper_Size_Refusal(view.paper().paperSize);
    if (outcome.error.isEmpty())
        outcome.error = Paper_Size_Refusal(device.pageLayout().fullRect(QPageLayout::Point).size());
    if (!outcome.error.isEmpty())
        return outcome;
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

namespace {

// The paper of the run, edge to edge, at the resolution every PDF of ours is written at.
void setUpPdf(QPdfWriter &pdf, const Printing_View &view)
{
    QPageLayout page = view.paper().pageLayout;
    page.setMinimumMargins(QMarginsF());
    page.setMargins(QMarginsF());
    page.setMode(QPageLayout::FullPageMode);
    pdf.setPageLayout(page);
    pdf.setResolution(1200);
    pdf.setCreator(QStringLiteral("badgeloom"));
}

// Pages `pages` as a PDF of their own, their rows filled on the calling thread; empty when
// stopped or failed.
QByteArray pdfOfPages(const Printing_View &view, const std::vector<int> &pages, const std::atomic<bool> *stop)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool ok = false;
    {
        QPdfWriter pdf(&buffer);
        setUpPdf(pdf, view);
        QPainter painter;
        if (!painter.begin(&pdf))
            return {};
        bool first = true;
        PrintOutcome outcome;
        ok = drawPages(painter, pdf, view, pages, first, outcome, stop, 1);
        ok = painter.end() && ok;
    }
    return ok ? bytes : QByteArray();
}

// A long run drawn on every core: each worker writes a stretch of pages (filling their rows
// itself) as a PDF of its own, and the stretches are joined into the file in page order as they
// come. Answers nothing (no outcome) when the run cannot be split or a stretch cannot be
// joined; the file is then untouched and the pages are drawn on one thread instead.
std::optional<PrintOutcome> printPdfOnEveryCore(const QString &path, const Printing_View &view, int fromPage,
                                                int toPage, const std::atomic<bool> *stop, int threads)
{
    BatchRunner runner(threads);
    const int count = view.numberOfPages();
    const int from = fromPage > 0 ? fromPage : 1, to = toPage > 0 ? std::min(toPage, count) : count;
    const int perCopy = to - from + 1, copies = std::max(1, view.run().copies);
    if (runner.threads() <= 1 || perCopy <= 0)
        return std::nullopt;
    // Stretches short enough to share the pages among the cores a few times over (so a slow
    // stretch holds up little), long enough that each part's fonts and pictures are written
    // seldom; a stretch never crosses from one copy to the next.
    const int length = std::clamp((perCopy * copies + runner.threads() * 3 - 1) / (runner.threads() * 3), 4, 100);
    std::vector<std::vector<int>> stretches;
    for (int copy = 0; copy < copies; ++copy)
        for (int page = from; page <= to; page += length) {
            stretches.emplace_back();
            for (int p = page; p <= std::min(to, page + length - 1); ++p)
                stretches.back().push_back(p);
        }
    if (stretches.size() < 2)
        return std::nullopt;

    PrintOutcome outcome;
    platform::WholeFile file(path);
    if (!file.open()) {
        outcome.error = QStringLiteral("Could not write %1: %2").arg(path, file.failure());
        return outcome;
    }
    PdfJoin join(file);
    QString why;
    bool joined = true;
    runner.Run<QByteArray>(
        0, int(stretches.size()), [&](int i) { return pdfOfPages(view, stretches[std::size_t(i)], stop); },
        [&](int, QByteArray &part) {
            if (stopping(stop))
                return false;
            joined = !part.isEmpty() && join.add(part, &why);
            return joined;
        });
    if (stopping(stop)) {
        file.cancel();
        outcome.stopped = true;
        outcome.error = QStringLiteral("Printing was stopped.");
        return outcome;
    }
    // The disk refused the bytes: drawing the pages again on one thread would meet it again.
    if (file.failed()) {
        file.cancel();
        outcome.error = QStringLiteral("Could not write %1: %2").arg(path, file.failure());
        return outcome;
    }
    if (!joined || !join.finish(&why)) {
        if (file.failed()) {
            file.cancel();
            outcome.error = QStringLiteral("Could not write %1: %2").arg(path, file.failure());
            return outcome;
        }
        file.cancel();
        Show_NSLog_Message(QStringLiteral("Pages drawn on one thread: %1").arg(why.isEmpty() ? QStringLiteral("a stretch failed") : why));
        return std::nullopt;
    }
    if (!file.commit()) {
        outcome.error = QStringLiteral("Could not write %1: %2").arg(path, file.failure());
        return outcome;
    }
    outcome.pages = join.pages();
    outcome.ok = true;
    return outcome;
}

}  // namespace

PrintOutcome Print_To_Pdf_File(const QString &path, const Printing_View &view, int fromPage, int toPage,
                               const std::atomic<bool> *stop, int threads)
{
    if (std::optional<PrintOutcome> parallel = printPdfOnEveryCore(path, view, fromPage, toPage, stop, threads))
        return *parallel;
    PrintOutcome outcome;
    platform::WholeFile file(path);
    if (!file.open()) {
        outcome.error = QStringLiteral("Could not write %1: %2").arg(path, file.failure());
        return outcome;
    }
    {
        QPdfWriter pdf(&file);
        setUpPdf(pdf, view);
        outcome = Print_Pages(pdf, view, fromPage, toPage, view.run().copies, stop, threads);
    }
    if (!outcome.ok && !file.failed()) {
        file.cancel();
        return outcome;
    }
    if (!file.commit()) {
        outcome.ok = false;
        outcome.error = QStringLiteral("Could not write %1: %2").arg(path, file.failure());
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
