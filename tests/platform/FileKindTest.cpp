#include "platform/FileIcons.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// A FIFO named as a PDF, asked about on the GUI thread: every question is answered at once from
// what the file system says of it. Should a question open the FIFO, a watchdog lets it go after a while (it opens and
// closes the writing end, so the reader sees an empty file) and the test fails instead of hanging.
TEST(FileKind, AFifoIsKnownByItsNameWithoutBeingOpened)
{
    QTemporaryDir dir;
    const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("report.pdf")));
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    const struct {
        const char *question;
        std::function<bool()> sensible;
    } rows[] = {
        {"its kind", [&] { return platform::mimeTypeOfFile(QFile::decodeName(fifo)).name() == "inode/fifo"; }},
        {"its icon", [&] { return platform::fileIconImage(QFile::decodeName(fifo), {16, 16}).size() == QSize(16, 16); }},
    };
    for (const auto &row : rows) {
        std::atomic<bool> answered = false, letGo = false;
        std::thread watchdog([&] {
            for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5); !answered;
                 std::this_thread::sleep_for(std::chrono::milliseconds(20)))
                if (std::chrono::steady_clock::now() > end)
                    if (const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK); fd >= 0)
                        letGo = true, ::close(fd);
        });
        const bool sensible = row.sensible();
        answered = true;
        watchdog.join();
        EXPECT_FALSE(letGo) << row.question << ": the FIFO was opened and waited on";
        EXPECT_TRUE(sensible) << row.question;
    }
}

}  // namespace
