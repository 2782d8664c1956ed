// The camera through Qt Multimedia: QMediaDevices lists the inputs, a QCamera in a
// QMediaCaptureSession renders into a QVideoSink, and the sink's frames go to the receiver on
// the thread that delivers them.
#include "imaging/CameraBackend.h"

#include <QCamera>
#include <QCameraDevice>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QMetaObject>
#include <QPointer>
#include <QThread>
#include <QVideoFrame>
#include <QVideoSink>
#include <atomic>
#include <mutex>

namespace {

class QtCameraFrame : public CameraFrame {
public:
    explicit QtCameraFrame(const QVideoFrame &frame) : m_frame(frame) {}
    QImage toImage() const override { return m_frame.toImage(); }

private:
    QVideoFrame m_frame;  // shares the buffer; copying it is cheap
};

// What the framework's callbacks reach. It outlives the session object, because a callback may
// still be on its way when the session goes; the session cuts it off under the lock first.
struct Gate {
    std::mutex mutex;
    CameraFrameReceiver *receiver = nullptr;
    std::atomic<bool> running{false};
};

class QtCameraSession : public CameraSession {
public:
    QtCameraSession(const QCameraDevice &device, CameraFrameReceiver &receiver)
        : m_gate(std::make_shared<Gate>()), m_camera(new QCamera(device)), m_session(new QMediaCaptureSession),
          m_sink(new QVideoSink)
    {
        m_gate->receiver = &receiver;
        m_session->setCamera(m_camera);
        m_session->setVideoSink(m_sink);
        std::shared_ptr<Gate> gate = m_gate;
        QObject::connect(
            m_sink, &QVideoSink::videoFrameChanged, m_sink,
            [gate](const QVideoFrame &frame) {
                if (!frame.isValid())
                    return;
                const std::lock_guard lock(gate->mutex);
                if (gate->receiver)
                    gate->receiver->captureOutput(std::make_shared<QtCameraFrame>(frame));
            },
            Qt::DirectConnection);
        QObject::connect(m_camera, &QCamera::errorOccurred, m_camera, [gate](QCamera::Error error, const QString &text) {
            if (error == QCamera::NoError)
                return;
            gate->running = false;
            const std::lock_guard lock(gate->mutex);
            if (gate->receiver)
                gate->receiver->sessionFailed(text);
        });
    }

    ~QtCameraSession() override
    {
        {
            const std::lock_guard lock(m_gate->mutex);
            m_gate->receiver = nullptr;
        }
        m_gate->running = false;
        // The objects belong to the GUI thread; from anywhere else they are handed back to it.
        const bool home = m_camera && QThread::currentThread() == m_camera->thread();
        if (home) {
            m_camera->stop();
            delete m_session;
            delete m_sink;
            delete m_camera;
        } else {
            if (m_camera)
                QMetaObject::invokeMethod(m_camera, &QCamera::stop, Qt::QueuedConnection);
            for (QObject *o : {static_cast<QObject *>(m_session), static_cast<QObject *>(m_sink),
                               static_cast<QObject *>(m_camera)})
                if (o)
                    o->deleteLater();
        }
    }

    bool failedToOpen(QString *error) const
    {
        if (m_camera->error() == QCamera::NoError)
            return false;
        if (error)
            *error = m_camera->errorString();
        return true;
    }

    void startRunning() override
    {
        m_gate->running = true;
        QMetaObject::invokeMethod(m_camera, &QCamera::start, Qt::QueuedConnection);
    }
    void stopRunning() override
    {
        m_gate->running = false;
        QMetaObject::invokeMethod(m_camera, &QCamera::stop, Qt::QueuedConnection);
    }
    bool isRunning() const override { return m_gate->running; }

private:
    std::shared_ptr<Gate> m_gate;
    QPointer<QCamera> m_camera;
    QPointer<QMediaCaptureSession> m_session;
    QPointer<QVideoSink> m_sink;
};

class QtCameraBackend : public CameraBackend {
public:
    QList<CameraDevice> videoInputs() override
    {
        QList<CameraDevice> devices;
        for (const QCameraDevice &d : QMediaDevices::videoInputs())
            devices.append({d.description(), QString::fromUtf8(d.id())});
        return devices;
    }

    std::unique_ptr<CameraSession> openSession(const QString &id, CameraFrameReceiver &receiver,
                                               QString *error) override
    {
        for (const QCameraDevice &d : QMediaDevices::videoInputs()) {
            if (QString::fromUtf8(d.id()) != id)
                continue;
            auto session = std::make_unique<QtCameraSession>(d, receiver);
            if (session->failedToOpen(error))
                return nullptr;
            return session;
        }
        if (error)
            *error = QStringLiteral("The camera is no longer connected.");
        return nullptr;
    }
};

}  // namespace

std::unique_ptr<CameraBackend> Make_Qt_Camera_Backend() { return std::make_unique<QtCameraBackend>(); }
