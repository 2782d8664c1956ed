#pragma once
// The frame receiver between a camera session and the window that shows it (the camera window,
// "CAM", or the cropping tool's camera input, "CROP"), and the set-up each of those windows
// owns around it.
//
// Threads: frames arrive on the framework's thread; `captureOutput` only keeps the newest one
// under the lock and asks the GUI thread to `save` (convert and show) it, without waiting. A
// frame not yet shown is dropped for a newer one, so a slow GUI never queues frames. The session
// is started on a detached camera thread, which waits on `runLoop` until the camera is stopped.

#include "imaging/CameraBackend.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

// Unique id of the camera chosen last; "" before any (GUI thread).
extern QString selected_camera;
// 1 asks the receiver to drop frames and stop its session; 0 lets frames through.
extern std::atomic<int> stop_or_continue;

// What the camera thread runs until the camera is stopped. Stopping before the thread began
// keeps it from starting the session at all.
class CameraRunLoop {
public:
    // Runs `begin` unless the loop was stopped already; false when it was.
    bool Begin(const std::function<void()> &begin);
    // Waits until Stop.
    void Run();
    void Stop();
    bool Stopped() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_stopped;
    bool m_stop = false;
};

class Capture : public QObject, public CameraFrameReceiver {
    Q_OBJECT
public:
    // `call_from`: "CAM" the camera window, "CROP" the cropping tool.
    explicit Capture(const QString &call_from);
    ~Capture() override;

    // Framework thread.
    void captureOutput(CameraFramePtr frame) override;
    void sessionFailed(const QString &error) override;
    // GUI thread: the pending frame, if any, becomes `final_image` and goes into the live view.
    void save();

    std::shared_ptr<CameraSession> session() const;
    void setSession(std::shared_ptr<CameraSession> session);
    bool Session_Running() const;

    QImage final_image;  // the picture of the frame shown last
    const QString call_from;
    const std::shared_ptr<CameraRunLoop> runLoop = std::make_shared<CameraRunLoop>();
    // Called on the GUI thread when the running session fails, with the platform's text.
    std::function<void(const QString &)> onFailure;

private:
    mutable std::recursive_mutex m_lock;
    CameraFramePtr currentImage;  // the newest frame not yet shown
    std::shared_ptr<CameraSession> m_session;
};

// One window's camera: its capture object with the session, and the camera thread.
class CameraRig {
public:
    explicit CameraRig(QString call_from) : m_callFrom(std::move(call_from)) {}
    ~CameraRig() { Clear(); }
    CameraRig(const CameraRig &) = delete;
    CameraRig &operator=(const CameraRig &) = delete;

    std::unique_ptr<Capture> capture;  // null while no camera is set up

    // A new capture object with a session on camera `id`. The capture object is made even when
    // the camera cannot be opened (false, with the platform's reason in `error`).
    bool Open(const QString &id, QString *error);
    // Starts the session on a detached camera thread. `refresh` runs on the GUI thread once the
    // session was started and again when the thread ends, unless `owner` is gone by then.
    void Start_Reading(QObject *owner, std::function<void()> refresh);
    // Asks the frames to stop (stop_or_continue 1), ends the camera thread, stops the session.
    void Stop_Reading();
    // Takes session and capture object down.
    void Clear();
    bool Running() const { return capture && capture->Session_Running(); }
    bool Has_Session() const { return capture && capture->session(); }

private:
    QString m_callFrom;
};
