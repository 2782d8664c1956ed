#include "imaging/CameraBackend.h"

namespace {
std::unique_ptr<CameraBackend> &installed()
{
    static std::unique_ptr<CameraBackend> backend;
    return backend;
}
}  // namespace

CameraBackend &cameraBackend()
{
    // Made on first use so that programs that never open a camera never start the framework.
    if (!installed())
        installed() = Make_Qt_Camera_Backend();
    return *installed();
}

std::unique_ptr<CameraBackend> setCameraBackend(std::unique_ptr<CameraBackend> backend)
{
    std::unique_ptr<CameraBackend> previous = std::move(installed());
    installed() = std::move(backend);
    return previous;
}
