#include "imaging/Capture.h"

#include "imaging/Camera.h"
#include "imaging/Cropping_Tool.h"
#include "imaging/MSSScaledImage.h"
#include "platform/MainThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>
#include <QPushButton>
#include <thread>

QString selected_camera;
std::atomic<int> stop_or_continue{0};

// --- run loop ---

bool CameraRunLoop::Begin(const std::function<void()> &begin)
{
    const std::lock_guard lock(m_mutex);
    if (m_stop)
        return false;
    begin();
    return true;
}

void CameraRunLoop::Run()
{
    std::unique_lock lock(m_mutex);
    m_stopped.wait(lock, [this] { return m_stop; });
}

void CameraRunLoop::Stop()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_stopped.notify_all();
}

bool CameraRunLoop::Stopped() const
{
    const std::lock_guard lock(m_mutex);
    return m_stop;
}

// --- capture object ---

Capture::Capture(const QString &from) : call_from(from) {}

Capture::~Capture()
{
    runLoop->Stop();
    std::shared_ptr<CameraSession> session;
    {
        const std::lock_guard lock(m_lock);
        session = std::move(m_session);
        currentImage.reset();
    }
    // Dropped outside the lock: a session going waits for a frame callback in progress, and
    // that callback takes this lock.
    session.reset();
}

void Capture::captureOutput(CameraFramePtr frame)
{
    CameraFramePtr old;
    {
        const std::lock_guard lock(m_lock);
        old = std::move(currentImage);
        currentImage = std::move(frame);
        QMetaObject::invokeMethod(this, &Capture::save, Qt::QueuedConnection);
    }
    old.reset();  // released outside the lock
    if (stop_or_continue == 1) {
        std::shared_ptr<CameraSession> running = session();
        if (running)
            running->stopRunning();
        QMetaObject::invokeMethod(this, &Capture::save, Qt::QueuedConnection);
        runLoop->Stop();
    }
}

void Capture::sessionFailed(const QString &error)
{
    QMetaObject::invokeMethod(
        this,
        [this, error] {
            if (onFailure)
                onFailure(error);
        },
        Qt::QueuedConnection);
}

void Capture::save()
{
    const std::lock_guard lock(m_lock);
    if (!currentImage || stop_or_continue != 0)
        return;
    final_image = currentImage->toImage();
    if (call_from == QLatin1String("CAM")) {
        if (Camera_window)
            Camera_window->capture_image->setImage(final_image);
    } else if (Cropping_Tool_window) {
        Cropping_Tool_window->capture_image->setImage(final_image);
        if (!Cropping_Tool_window->capture_btn->isEnabled())
            Cropping_Tool_window->capture_btn->setEnabled(true);
    }
    currentImage.reset();  // each frame is converted at most once
}

std::shared_ptr<CameraSession> Capture::session() const
{
    const std::lock_guard lock(m_lock);
    return m_session;
}

void Capture::setSession(std::shared_ptr<CameraSession> session)
{
    std::shared_ptr<CameraSession> old;
    {
        const std::lock_guard lock(m_lock);
        old = std::move(m_session);
        m_session = std::move(session);
    }
}

bool Capture::Session_Running() const
{
    const std::shared_ptr<CameraSession> s = session();
    return s && s->isRunning();
}

// --- the window's set-up ---

bool CameraRig::Open(const QString &id, QString *error)
{
    Clear();
    capture = std::make_unique<Capture>(m_callFrom);
    std::unique_ptr<CameraSession> session = cameraBackend().openSession(id, *capture, error);
    if (!session)
        return false;
    capture->setSession(std::move(session));
    return true;
}

void CameraRig::Start_Reading(QObject *owner, std::function<void()> refresh)
{
    if (!capture)
        return;
    std::weak_ptr<CameraSession> session = capture->session();
    std::shared_ptr<CameraRunLoop> loop = capture->runLoop;
    QPointer<QObject> alive(owner);
    auto post = [alive, refresh] {
        platform::postToGuiThread([alive, refresh] {
            if (alive)
                refresh();
        });
    };
    std::thread([session, loop, post] {
        // Held outside the loop's lock: should this be the last hold, the session goes there,
        // and its going waits for a frame callback that may be stopping the loop.
        std::shared_ptr<CameraSession> running = session.lock();
        const bool began = loop->Begin([&] {
            if (running)
                running->startRunning();
            stop_or_continue = 0;
        });
        running.reset();
        if (began) {
            post();
            loop->Run();
        }
        post();
    }).detach();
}

void CameraRig::Stop_Reading()
{
    if (!capture)
        return;
    stop_or_continue = 1;
    // The loop first: a camera thread that has not begun yet then never starts the session.
    capture->runLoop->Stop();
    if (std::shared_ptr<CameraSession> s = capture->session())
        s->stopRunning();
}

void CameraRig::Clear()
{
    if (!capture)
        return;
    capture->runLoop->Stop();
    if (std::shared_ptr<CameraSession> s = capture->session())
        s->stopRunning();
    capture->setSession(nullptr);
    capture.reset();
}
