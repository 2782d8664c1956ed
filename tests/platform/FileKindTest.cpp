#include "platform/FileIcons.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Files a reader may wait on for good (a FIFO; a file that states no size, as those of /proc do)
// are named on the GUI thread without being opened: a watch on their folder sees no opening. A
// question that opens the FIFO anyway is let go by a watchdog that opens and closes its writing
// end after a while, so that the test fails instead of hanging.
TEST(FileKind, AFileThatMayBlockIsNamedWithoutBeingOpened)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("report.pdf")), sizeless = dir.filePath(QStringLiteral("kmsg"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile(sizeless).open(QIODevice::WriteOnly));
    const int watch = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(inotify_add_watch(watch, QFile::encodeName(dir.path()).constData(), IN_OPEN), 0);
    const std::pair<const char *, std::function<bool(const QString &)>> questions[] = {
        {"kind", [](const QString &f) { return !platform::mimeTypeOfFile(f).name().isEmpty(); }},
        {"icon", [](const QString &f) { return platform::fileIconImage(f, {16, 16}).size() == QSize(16, 16); }},
    };
    for (const QString &file : {fifo, sizeless})
        for (const auto &[question, answer] : questions) {
            std::atomic<bool> answered = false, letGo = false;
            std::thread watchdog([&] {
                for (int waited = 0; !answered; waited += 20) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
                    const int fd = waited > 5000 ? ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK) : -1;
                    if (fd >= 0)
                        letGo = true, ::close(fd);
                }
            });
            EXPECT_TRUE(answer(file)) << question << " of " << qPrintable(file);
            answered = true;
            watchdog.join();
            char events[4096];
            EXPECT_TRUE(!letGo && read(watch, events, sizeof events) < 0)
                << question << ": opened " << qPrintable(file);
        }
    close(watch);
}

}  // namespace
