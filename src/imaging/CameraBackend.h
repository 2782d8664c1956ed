#pragma once
// The camera as the image tools see it: a list of video inputs, and a session on one of them
// that delivers frames to a receiver. The Qt Multimedia implementation is the one in use;
// tests install one that pushes generated frames, since a camera is rarely attached.
//
// Road: `cameraBackend().videoInputs()` lists the cameras; `openSession(id, receiver)` opens
// one (nullptr and a reason when it cannot); `startRunning()` lets frames flow, each handed to
// `receiver.captureOutput()` on the framework's own thread; `stopRunning()` stops them.

#include <QImage>
#include <QList>
#include <QString>
#include <memory>

struct CameraDevice {
    QString name;  // shown to the user
    QString id;    // unique, stable while the device stays attached
};

// One delivered frame. It is turned into a picture only when the window shows it, so frames
// that arrive faster than they can be shown cost nothing but their delivery.
class CameraFrame {
public:
    virtual ~CameraFrame() = default;
    virtual QImage toImage() const = 0;
};
using CameraFramePtr = std::shared_ptr<const CameraFrame>;

// What a session reports to. Both calls may come on any thread and must not wait for the GUI.
class CameraFrameReceiver {
public:
    virtual ~CameraFrameReceiver() = default;
    virtual void captureOutput(CameraFramePtr frame) = 0;
    // The running session failed (device lost, refused to start); `error` is the platform's text.
    virtual void sessionFailed(const QString &error) = 0;
};

// A camera opened for capture: device, input and output together. Made and destroyed on the
// GUI thread; startRunning/stopRunning may be called from any thread and never wait.
// Once destroyed it calls its receiver no more.
class CameraSession {
public:
    virtual ~CameraSession() = default;
    virtual void startRunning() = 0;
    virtual void stopRunning() = 0;
    virtual bool isRunning() const = 0;
};

class CameraBackend {
public:
    virtual ~CameraBackend() = default;
    // The attached video inputs, in the platform's order.
    virtual QList<CameraDevice> videoInputs() = 0;
    // Opens the camera `id` for `receiver`, which must outlive the session. nullptr, with the
    // platform's reason in `error`, when it cannot be opened.
    virtual std::unique_ptr<CameraSession> openSession(const QString &id, CameraFrameReceiver &receiver,
                                                       QString *error) = 0;
};

// The backend in use: Qt Multimedia unless another one was installed.
CameraBackend &cameraBackend();
// Installs a backend (takes ownership) and returns the previous one; nullptr restores Qt's.
std::unique_ptr<CameraBackend> setCameraBackend(std::unique_ptr<CameraBackend> backend);
// The Qt Multimedia backend (QMediaDevices, QCamera, QMediaCaptureSession, QVideoSink).
std::unique_ptr<CameraBackend> Make_Qt_Camera_Backend();
