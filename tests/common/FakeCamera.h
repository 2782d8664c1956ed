#pragma once
// A camera backend for tests: a list of named devices, sessions that record whether they run,
// and `push`, which delivers a generated frame to the open session from the calling thread, as
// the framework's delivery thread does. Header-only: only tests that link bl_imaging include it.

#include "imaging/Camera.h"
#include "imaging/CameraBackend.h"
#include "imaging/MSSScaledImage.h"
#include "platform/UiServices.h"
#include "TestSupport.h"

#include <QPushButton>
#include <QStringList>
#include <atomic>
#include <memory>
#include <mutex>

namespace fakecamera {

struct State {
    std::mutex mutex;
    CameraFrameReceiver *receiver = nullptr;  // of the open session
    std::atomic<bool> running{false};
    std::atomic<int> conversions{0}, opened{0}, closed{0}, starts{0};
    std::atomic<int> framesHeld{0};  // frames delivered and not yet released
    QStringList refused;  // ids whose opening fails
};

class Frame : public CameraFrame {
public:
    Frame(QImage image, std::shared_ptr<State> state) : m_image(std::move(image)), m_state(std::move(state))
    {
        ++m_state->framesHeld;
    }
    ~Frame() override { --m_state->framesHeld; }
    QImage toImage() const override
    {
        ++m_state->conversions;
        return m_image;
    }

private:
    QImage m_image;
    std::shared_ptr<State> m_state;
};

class Session : public CameraSession {
public:
    Session(CameraFrameReceiver &receiver, std::shared_ptr<State> state) : m_state(std::move(state))
    {
        const std::lock_guard lock(m_state->mutex);
        m_state->receiver = &receiver;
        m_state->running = false;
        ++m_state->opened;
    }
    ~Session() override
    {
        const std::lock_guard lock(m_state->mutex);
        m_state->receiver = nullptr;
        m_state->running = false;
        ++m_state->closed;
    }
    void startRunning() override
    {
        m_state->running = true;
        ++m_state->starts;
    }
    void stopRunning() override { m_state->running = false; }
    bool isRunning() const override { return m_state->running; }

private:
    std::shared_ptr<State> m_state;
};

class Backend : public CameraBackend {
public:
    Backend(QList<CameraDevice> devices, std::shared_ptr<State> state) : m_devices(std::move(devices)), m_state(std::move(state)) {}
    QList<CameraDevice> videoInputs() override { return m_devices; }
    std::unique_ptr<CameraSession> openSession(const QString &id, CameraFrameReceiver &receiver, QString *error) override
    {
        if (m_state->refused.contains(id)) {
            *error = QStringLiteral("Device or resource busy");
            return nullptr;
        }
        return std::make_unique<Session>(receiver, m_state);
    }

private:
    QList<CameraDevice> m_devices;
    std::shared_ptr<State> m_state;
};

// Installs a fake backend with `devices` for its lifetime.
class ScopedFakeCamera {
public:
    explicit ScopedFakeCamera(QList<CameraDevice> devices = {{QStringLiteral("Test Camera"), QStringLiteral("cam-1")}})
        : state(std::make_shared<State>()),
          m_previous(setCameraBackend(std::make_unique<Backend>(std::move(devices), state)))
    {
    }
    ~ScopedFakeCamera() { setCameraBackend(std::move(m_previous)); }

    // Delivers a frame to the open session, if any (from any thread).
    void push(const QImage &image)
    {
        const std::lock_guard lock(state->mutex);
        if (state->receiver)
            state->receiver->captureOutput(std::make_shared<Frame>(image, state));
    }
    // The running session fails as the framework reports it.
    void fail(const QString &error)
    {
        const std::lock_guard lock(state->mutex);
        state->running = false;
        if (state->receiver)
            state->receiver->sessionFailed(error);
    }

    std::shared_ptr<State> state;

private:
    std::unique_ptr<CameraBackend> m_previous;
};

inline QImage frame(QColor colour, int w = 64, int h = 48)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

template <class Pred>
bool waitFor(Pred done, int ms = 5000)
{
    return testsupport::waitUntil(done, ms);
}

// Makes the camera window's modal run (answered by the scripted services) do what a user does:
// start the camera, wait for `picture` in the live view, capture it and press OK.
inline void takePictureWhenTheCameraOpens(platform::ScriptedUiServices &ui, ScopedFakeCamera &camera, QImage picture)
{
    ui.onRequest = [&camera, picture](const platform::ScriptedUiServices::Request &request) {
        if (request.kind != QLatin1String("Camera") || !Camera_window)
            return;
        Camera &window = *Camera_window;
        window.Start_Btn_Clicked();
        waitFor([&] { return window.stop_btn->isEnabled(); });
        camera.push(picture);
        waitFor([&] { return window.capture_image->image() == picture; });
        window.Capture_Btn_Clicked();
        window.OK_Btn_Clicked();
    };
}

}  // namespace fakecamera
