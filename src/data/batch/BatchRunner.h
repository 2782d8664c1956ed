#pragma once
// Runs the rows of a batch on several threads and hands their results over in row order, so a
// writer of numbered files, a page layout or a mailer sees the rows as one thread would make
// them. A stop is honoured between rows; the progress count may be read from any thread.
//
//     BatchRunner runner;                      // every core
//     runner.Run<QImage>(first, count,
//         [&](int row) { return design.Set_data_table_value_to_card(row, "F", false, render, &problems); },
//         [&](int row, QImage &card) { return write(row, card); });   // false stops the run

#include <QString>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

void Batch_Runner_Log(const QString &text);

class BatchRunner {
public:
    // 0 or less: one thread per core.
    explicit BatchRunner(int threads = 0)
        : m_threads(threads > 0 ? threads : int(std::max(1u, std::thread::hardware_concurrency())))
    {
    }

    int threads() const { return m_threads; }
    // Asks the run to end (a stopped runner stays stopped); rows under way finish, no further row starts or is delivered.
    void Stop() { m_stop = true; }
    bool stopped() const { return m_stop; }
    // Rows worked so far (delivered or waiting to be).
    int done() const { return m_done; }

    // Works rows first .. first+count-1 with `work` on the runner's threads and delivers each
    // result with `deliver` on the calling thread, in row order; `deliver` answering false stops
    // the run. A row whose work or delivery throws stops the run. Answers the number of rows
    // delivered.
    template <class Result>
    int Run(int first, int count, const std::function<Result(int row)> &work,
            const std::function<bool(int row, Result &result)> &deliver)
    {
        m_done = 0;
        if (m_threads <= 1 || count <= 1)
            return runHere<Result>(first, count, work, deliver);

        std::mutex mutex;
        std::condition_variable changed;
        std::map<int, Result> ready;
        const int threadCount = std::min(m_threads, count);
        int next = 0, delivered = 0, running = threadCount;
        // Results waiting for delivery are bounded, so a slow writer does not pile up cards.
        const int window = m_threads * 4;

        auto worker = [&] {
            for (;;) {
                int index;
                {
                    std::unique_lock lock(mutex);
                    changed.wait(lock, [&] { return m_stop || next >= count || next < delivered + window; });
                    if (m_stop || next >= count)
                        break;
                    index = next++;
                }
                try {
                    Result result = work(first + index);
                    std::lock_guard lock(mutex);
                    ready.emplace(index, std::move(result));
                    ++m_done;
                } catch (const std::exception &e) {
                    Batch_Runner_Log(QString::fromUtf8(e.what()));
                    m_stop = true;
                } catch (...) {
                    // Whatever a row throws stops the run, never the program.
                    Batch_Runner_Log(QStringLiteral("a row could not be made"));
                    m_stop = true;
                }
                changed.notify_all();
            }
            std::lock_guard lock(mutex);
            --running;
            changed.notify_all();
        };
        std::vector<std::thread> pool;
        try {
            for (int i = 0; i < threadCount; ++i)
                pool.emplace_back(worker);
        } catch (const std::system_error &e) {
            // Fewer threads than asked for: the ones started do the work; none, this thread.
            Batch_Runner_Log(QString::fromUtf8(e.what()));
            std::lock_guard lock(mutex);
            running -= threadCount - int(pool.size());
        }
        changed.notify_all();
        if (pool.empty())
            return runHere<Result>(first, count, work, deliver);

        for (;;) {
            std::optional<Result> result;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return m_stop || ready.count(delivered) || running == 0; });
                auto it = ready.find(delivered);
                if (m_stop || it == ready.end())
                    break;
                result.emplace(std::move(it->second));
                ready.erase(it);
            }
            bool more = false;
            try {
                more = deliver(first + delivered, *result);
            } catch (const std::exception &e) {
                Batch_Runner_Log(QString::fromUtf8(e.what()));
            } catch (...) {
                Batch_Runner_Log(QStringLiteral("a row could not be delivered"));
            }
            {
                std::lock_guard lock(mutex);
                ++delivered;
                if (!more)
                    m_stop = true;
            }
            changed.notify_all();
            if (delivered >= count)
                break;
        }
        {
            std::lock_guard lock(mutex);
            if (delivered < count)
                m_stop = true;
        }
        changed.notify_all();
        for (std::thread &t : pool)
            t.join();
        return delivered;
    }

private:
    template <class Result>
    int runHere(int first, int count, const std::function<Result(int)> &work,
                const std::function<bool(int, Result &)> &deliver)
    {
        int delivered = 0;
        while (delivered < count && !m_stop) {
            try {
                Result result = work(first + delivered);
                ++m_done;
                ++delivered;
                if (!deliver(first + delivered - 1, result))
                    m_stop = true;
            } catch (const std::exception &e) {
                Batch_Runner_Log(QString::fromUtf8(e.what()));
                m_stop = true;
            } catch (...) {
                Batch_Runner_Log(QStringLiteral("a row could not be made"));
                m_stop = true;
            }
        }
        return delivered;
    }

    int m_threads;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_done{0};
};
