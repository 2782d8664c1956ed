#include "platform/MainThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <condition_variable>
#include <mutex>

namespace platform {

namespace {

std::mutex &postingLock()
{
    static std::mutex lock;
    return lock;
}

}  // namespace

bool isGuiThread()
{
    QCoreApplication *app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

void runOnGuiThread(const std::function<void()> &fn)
{
    if (isGuiThread()) {
        fn();
        return;
    }
    // Both directions of the hand-over go through locks of our own rather than only through Qt's
    // event queue and the blocking connection's semaphore, whose locking a thread checker cannot
    // see. On the way there the caller holds the posting lock while it posts, and the GUI thread
    // takes it before it reads anything the caller wrote (the function, its arguments); on the
    // way back the caller waits on a mutex and condition variable, so what the GUI thread wrote
    // (an answer, a chosen path) is ordered before the caller reads it.
    std::mutex handOver;
    std::condition_variable finished;
    bool done = false;
    {
        const std::lock_guard<std::mutex> posting(postingLock());
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [&] {
                { const std::lock_guard<std::mutex> posted(postingLock()); }
                fn();
                const std::lock_guard<std::mutex> lock(handOver);
                done = true;
                finished.notify_one();
            },
            Qt::QueuedConnection);
    }
    std::unique_lock<std::mutex> lock(handOver);
    finished.wait(lock, [&] { return done; });
}

void postToGuiThread(std::function<void()> fn)
{
    const std::lock_guard<std::mutex> posting(postingLock());
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [fn = std::move(fn)] {
            { const std::lock_guard<std::mutex> posted(postingLock()); }
            fn();
        },
        Qt::QueuedConnection);
}

}  // namespace platform
