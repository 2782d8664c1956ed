#pragma once
// Puts the pages of a Printing_View onto a printer (CUPS) or into a PDF file. A batch run fills
// its rows on every core and the pages stream out as their rows arrive, so memory stays flat
// however many rows there are. Run it off the GUI thread (PrintJob does): a box the run shows
// waits for the GUI thread.

#include "output/print/Printing_View.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <thread>

class QPagedPaintDevice;
class QPrinter;

struct PrintOutcome {
    int pages = 0;  // pages put out, copies included
    bool ok = false;
    bool stopped = false;
    QString error;
};

// Draws pages fromPage..toPage (from 1; 0 for either end: the view's first or last page) onto a
// device whose painter starts at the paper's top-left corner, `copies` times, collated.
PrintOutcome Print_Pages(QPagedPaintDevice &device, const Printing_View &view, int fromPage = 0, int toPage = 0,
                         int copies = 1, const std::atomic<bool> *stop = nullptr, int threads = 0);

// A PDF file of the pages, written whole or not at all; the run's copies follow one another.
PrintOutcome Print_To_Pdf_File(const QString &path, const Printing_View &view, int fromPage = 0, int toPage = 0,
                               const std::atomic<bool> *stop = nullptr, int threads = 0);

// The printer's pages: its page range, and the run's copies handed to it (repeated by us only
// where the printer cannot make copies). A printer set to PDF output writes its file whole.
PrintOutcome Print_To_Printer(QPrinter &printer, const Printing_View &view, const std::atomic<bool> *stop = nullptr);

// One print run on a thread of its own; `finished` arrives on the job's thread.
class PrintJob : public QObject {
    Q_OBJECT
public:
    using Work = std::function<PrintOutcome(const std::atomic<bool> &stop)>;
    explicit PrintJob(QObject *parent = nullptr);
    ~PrintJob() override;

    // False when a run is under way.
    bool start(Work work);
    // Asks the run to end between rows and pages.
    void Stop() { m_stop = true; }
    bool running() const { return m_running; }
    PrintOutcome outcome() const { return m_outcome; }

signals:
    void finished();

private:
    std::thread m_thread;
    std::atomic<bool> m_stop{false}, m_running{false};
    PrintOutcome m_outcome;
};
