#include "platform/PixelBuffers.h"

#include <QtGlobal>
#include <cstdlib>
#include <limits>
#include <mutex>
#include <vector>

namespace platform {

namespace {

// Buffers given back and not yet taken again, the largest few only: enough for every core's
// side and its copy in flight, never more than a bounded amount of memory held idle.
class Pool {
public:
    void *take(std::size_t bytes)
    {
        {
            std::lock_guard lock(m_mutex);
            for (auto it = m_free.begin(); it != m_free.end(); ++it)
                if (it->bytes == bytes) {
                    void *memory = it->memory;
                    m_held -= bytes;
                    m_free.erase(it);
                    return memory;
                }
        }
        return std::malloc(bytes);
    }
    void give(void *memory, std::size_t bytes)
    {
        {
            std::lock_guard lock(m_mutex);
            if (m_held + bytes <= kMaxHeld) {
                m_free.push_back({memory, bytes});
                m_held += bytes;
                return;
            }
            // Room for the newest size: an export at a new resolution lets the old buffers go.
            while (!m_free.empty() && m_held + bytes > kMaxHeld) {
                std::free(m_free.front().memory);
                m_held -= m_free.front().bytes;
                m_free.erase(m_free.begin());
            }
            if (m_held + bytes <= kMaxHeld) {
                m_free.push_back({memory, bytes});
                m_held += bytes;
                return;
            }
        }
        std::free(memory);
    }

private:
    static constexpr std::size_t kMaxHeld = std::size_t(96) << 20;
    struct Buffer {
        void *memory;
        std::size_t bytes;
    };
    std::mutex m_mutex;
    std::vector<Buffer> m_free;
    std::size_t m_held = 0;
};

Pool &pool()
{
    static Pool *shared = new Pool;  // outlives every image, whatever the order of exit
    return *shared;
}

struct Lease {
    void *memory;
    std::size_t bytes;
};

void giveBack(void *info)
{
    auto *lease = static_cast<Lease *>(info);
    pool().give(lease->memory, lease->bytes);
    delete lease;
}

}  // namespace

QImage Reused_Image(const QSize &size, QImage::Format format)
{
    if (size.isEmpty())
        return {};
    const int depth = int(QImage::toPixelFormat(format).bitsPerPixel());
    const qsizetype bytesPerLine = ((qsizetype(size.width()) * depth + 31) / 32) * 4;
    if (depth <= 0 || bytesPerLine > std::numeric_limits<int>::max() / 2 || bytesPerLine * size.height() > (qsizetype(1) << 31))
        return {};
    const std::size_t bytes = std::size_t(bytesPerLine) * std::size_t(size.height());
    void *memory = pool().take(bytes);
    if (!memory)
        return {};
    auto *lease = new Lease{memory, bytes};
    QImage image(static_cast<uchar *>(memory), size.width(), size.height(), bytesPerLine, format, giveBack, lease);
    if (image.isNull()) {
        giveBack(lease);
        return {};
    }
    return image;
}

}  // namespace platform
