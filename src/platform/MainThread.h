#pragma once
#include <functional>

namespace platform {

// True on the thread that runs the Qt event loop (or when no application object exists yet).
bool isGuiThread();

// Runs the function on the GUI thread and returns when it has finished. Called on the GUI
// thread it runs at once; from a worker it waits for the event loop to run it. Without an
// application object there is no event loop to hand over to, so it runs on the caller.
void runOnGuiThread(const std::function<void()> &fn);

// Queues the function to run on the GUI thread later and returns at once (from any thread).
// What the caller wrote before posting is ordered before the function runs.
void postToGuiThread(std::function<void()> fn);

// Convenience for a result: the value computed on the GUI thread reaches the asking thread
// through the call itself, not through shared state another thread could overwrite.
template <typename T>
T runOnGuiThreadFor(const std::function<T()> &fn)
{
    T result{};
    runOnGuiThread([&] { result = fn(); });
    return result;
}

}  // namespace platform
