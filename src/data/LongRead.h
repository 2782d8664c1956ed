#pragma once
// Reads that may take long (a workbook, a text import, a series file) run on a worker thread
// while the window stays live. The worker only counts into atomics; the please-wait sheet reads
// them every 0.5 s and offers Stop, which the reader honours between rows or values. A stopped
// read hands back nothing, so whatever the user had stays as it was.

#include <QString>
#include <atomic>
#include <functional>

class QWidget;

struct ReadProgress {
    std::atomic<qint64> done{0};   // rows or values read so far
    std::atomic<bool> stop{false};  // set by Stop, read by the worker

    // Counts `n` more rows or values; false once Stop was asked for, so the reader gives up.
    bool step(qint64 n = 1)
    {
        done.fetch_add(n, std::memory_order_relaxed);
        return !stop.load(std::memory_order_relaxed);
    }
    bool stopped() const { return stop.load(std::memory_order_relaxed); }
};

// What the sheet shows for a count of rows or values read.
QString Read_Progress_Text(qint64 done);
// The one line a stopped read of `path` answers.
QString Read_Stopped_Message(const QString &path);

// Runs `work` and returns once it has finished. With `longWork`, it runs on a worker thread while
// the GUI goes on handling events under the please-wait sheet of `window` (the active window when
// null), which shows the progress every 0.5 s and a Stop button. Short work, and work asked for
// without a GUI event loop, runs right here.
void Run_Long_Read(QWidget *window, bool longWork, ReadProgress &progress, const std::function<void()> &work);
