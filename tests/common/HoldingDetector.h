#pragma once
// A face detector that finds a face in every picture and, off the GUI thread, keeps picture
// `holdAt` (from 1) in hand until let go, so that a test acts while a crop of all surely is
// mid-way. Only for test programs linked with the imaging library.

#include "imaging/CropOperations.h"
#include "platform/MainThread.h"

#include <atomic>
#include <chrono>
#include <future>

struct HoldingDetector : FaceDetector {
    explicit HoldingDetector(int at) : holdAt(at) {}
    std::vector<QRect> detect(const QImage &) override
    {
        if (!platform::isGuiThread() && ++worked == holdAt) {
            reached = true;
            goOn.wait_for(std::chrono::seconds(20));
        }
        return {QRect(10, 10, 60, 70)};
    }
    // Lets the picture in hand go on; once only, however often asked.
    void release()
    {
        if (!released.exchange(true))
            letGo.set_value();
    }
    const int holdAt;
    std::atomic<int> worked{0};
    std::atomic<bool> reached{false}, released{false};
    std::promise<void> letGo;
    std::shared_future<void> goOn = letGo.get_future().share();
};
