#include "data/batch/RunHold.h"

#include "platform/MainThread.h"

void RunHold::hold()
{
    const std::lock_guard lock(m_lock);
    m_holding = true;
}

void RunHold::release()
{
    std::vector<std::function<void()>> waiting;
    {
        const std::lock_guard lock(m_lock);
        m_holding = false;
        waiting.swap(m_afterAnswer);
    }
    m_changed.notify_all();
    // Posted rather than run here: the question's own handler finishes first.
    for (std::function<void()> &fn : waiting)
        platform::postToGuiThread(std::move(fn));
}

bool RunHold::holding() const
{
    const std::lock_guard lock(m_lock);
    return m_holding;
}

void RunHold::waitWhileHeld()
{
    // The question is answered on the GUI thread: waiting there would wait for good.
    if (platform::isGuiThread())
        return;
    std::unique_lock lock(m_lock);
    if (!m_holding)
        return;
    m_waiting = true;
    m_changed.wait(lock, [this] { return !m_holding; });
    m_waiting = false;
}

void RunHold::runOnGuiThreadWhenAnswered(const std::function<void()> &fn)
{
    for (;;) {
        waitWhileHeld();
        // Checked again on the GUI thread, where the question opens: one opened since the wait
        // above is answered before `fn` shows anything.
        if (platform::runOnGuiThreadFor<bool>([&] {
                if (holding())
                    return false;
                fn();
                return true;
            }))
            return;
    }
}

void RunHold::afterAnswer(std::function<void()> fn)
{
    {
        const std::lock_guard lock(m_lock);
        if (m_holding) {
            m_afterAnswer.push_back(std::move(fn));
            return;
        }
    }
    fn();
}

void RunHold::whileAsking(std::shared_ptr<RunHold> hold, const std::function<void()> &question)
{
    if (hold)
        hold->hold();
    question();
    if (hold)
        hold->release();
}
