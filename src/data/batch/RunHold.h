#pragma once
// The pause of a long run while its stop question is open. The GUI thread holds the run when it
// asks and releases it when answered (having set the run's stop on Yes); the worker finishes the
// item in hand and waits at its next item, so nothing is written, asked or reported behind the
// question and the answer decides what comes next. What the worker shows at its end (the
// result box, a question of its own) waits for the answer too, and so does a window's handler
// of the run's end.
//
//     progress->hold = run->hold;            // the progress sheet's Stop holds while it asks
//     ... worker, before each item:  run->hold->waitWhileHeld(); if (stopped) break;
//     ... worker, at its end:        run->hold->runOnGuiThreadWhenAnswered([&] { showResult(); });
//     ... window, at the run's end:  run->hold->afterAnswer([=] { report(); });

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class RunHold {
public:
    // The question opens (GUI thread). Holding twice is holding once.
    void hold();
    // The question was answered, or whoever asked is going away (any thread): the worker goes
    // on, and what waited for the answer on the GUI thread runs there next.
    void release();
    // A question is open.
    bool holding() const;
    // The worker is waiting at the hold.
    bool held() const { return m_waiting; }

    // Worker: waits while a question is open.
    void waitWhileHeld();
    // Worker: runs `fn` on the GUI thread once no question is open; a question opened before
    // `fn` gets its turn there is answered first.
    void runOnGuiThreadWhenAnswered(const std::function<void()> &fn);
    // GUI thread: runs `fn` now, or after the open question is answered.
    void afterAnswer(std::function<void()> fn);

    // GUI thread: runs `question` with `hold` (when there is one) held, then releases it.
    // `question` asks and acts on its answer (sets the run's stop on Yes) before the run goes on;
    // whoever asked may be gone by then, so `hold` is kept alive here.
    static void whileAsking(std::shared_ptr<RunHold> hold, const std::function<void()> &question);

private:
    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_holding = false;
    std::atomic<bool> m_waiting{false};
    std::vector<std::function<void()>> m_afterAnswer;
};
