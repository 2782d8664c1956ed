#include "platform/MainThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <condition_variable>
#include <mutex>

namespace platform {

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
    // The caller waits on a mutex and condition variable of its own rather than on the blocking
    // connection's semaphore inside Qt: what the GUI thread wrote (an answer, a chosen path) is
    // then ordered before the caller reads it in a way a thread checker can verify too.
    std::mutex handOver;
    std::condition_variable finished;
    bool done = false;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [&] {
            fn();
            const std::lock_guard<std::mutex> lock(handOver);
            done = true;
            finished.notify_one();
        },
        Qt::QueuedConnection);
    std::unique_lock<std::mutex> lock(handOver);
    finished.wait(lock, [&] { return done; });
}

}  // namespace platform
