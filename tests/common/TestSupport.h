#pragma once
// Helpers shared by the test executables: external oracle tools and temporary data folders.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <atomic>
#include <functional>
#include <thread>
#include <optional>

namespace testsupport {

// Full path of a program on PATH (or an absolute path that exists), empty when missing.
QString findTool(const QString &name);

struct ToolResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};
// Runs a program to completion (30 s at most), optionally feeding stdin.
ToolResult runTool(const QString &program, const QStringList &args, const QByteArray &input = {});

// Debian's python3 (the one with openpyxl), falling back to whatever python3 is on PATH.
QString systemPython();

// A fresh data folder and resource folder in a temporary directory, installed into the
// path globals for the lifetime of the object and restored afterwards.
class TempDataFolder {
public:
    TempDataFolder();
    ~TempDataFolder();
    QString dataPath() const;      // the stand-in data folder (not created yet)
    QString resourcePath() const;  // the real resources of the build tree
    QString root() const { return m_dir.path(); }
private:
    QTemporaryDir m_dir;
    QString m_saved[6];
};

// A stand-in desktop first on PATH for the object's lifetime: an xdg-mime that names a program
// for every type, and an xdg-open that notes each target in `opened()` and ends with `exitCode`
// (xdg-open's 3 or 4: it found nothing to show the target with).
class FakeDesktop {
public:
    explicit FakeDesktop(int exitCode);
    ~FakeDesktop();
    QStringList opened() const;
private:
    QTemporaryDir m_dir;
    QByteArray m_path;
};

// Whether a missing oracle tool fails the test: set by the README's test command, whose bootstrap
// installs every tool, so a green run there always means the decoders ran.
bool oraclesRequired();

// Runs `act` in a child process whose folder lies on a small tmpfs of its own (a mount
// namespace keeps it from everyone else): `prepare` writes the files the case needs, then the
// disk is filled until only about `roomBytes` stay free, and `act` does the write under test and
// answers what the parent is to check (file bytes, messages). The tmpfs goes with the child.
// None when this machine does not let a test mount one (the caller skips, saying so).
std::optional<QByteArray> onFullDisk(const std::function<void(const QString &folder)> &prepare, qint64 roomBytes,
                                     const std::function<QByteArray(const QString &folder)> &act);
// Stands by a FIFO: should a reader still be waiting on it after a second, it gives that reader
// an end of file (so a hanging reader fails the test instead of hanging it) and says so.
class FifoWatch {
public:
    explicit FifoWatch(const QString &path);
    ~FifoWatch();
    FifoWatch(const FifoWatch &) = delete;
    FifoWatch &operator=(const FifoWatch &) = delete;
    // Whether a reader waited on the FIFO (stops watching).
    bool readerWaited();

private:
    void stop();
    QByteArray m_path;
    std::atomic<bool> m_done{false}, m_readerWaited{false};
    std::thread m_thread;
};

// The bytes of a file, empty when it cannot be read.
QByteArray fileBytes(const QString &path);

// Writes a picture bomb to `path`: a progressive JPEG of a few hundred bytes whose header claims
// `side` by `side` pixels (a decoder would hold every pixel's coefficients); false on failure.
bool writeProgressiveJpegClaiming(const QString &path, int side);

}  // namespace testsupport

// Skips the current test when an oracle tool is missing, or fails it when oracles are required
// (BADGELOOM_REQUIRE_ORACLES=1, as scripts/test sets).
#define REQUIRE_ORACLE(var, lookup, name)                                                          \
    const QString var = (lookup);                                                                  \
    if (var.isEmpty()) {                                                                           \
        if (testsupport::oraclesRequired())                                                        \
            GTEST_FAIL() << "oracle tool " << name << " is missing (scripts/bootstrap installs it)"; \
        GTEST_SKIP() << "oracle tool " << name << " is not installed (scripts/bootstrap installs it)"; \
    }
#define REQUIRE_TOOL(var, name) REQUIRE_ORACLE(var, testsupport::findTool(QStringLiteral(name)), name)
#define REQUIRE_PYTHON(var) REQUIRE_ORACLE(var, testsupport::systemPython(), "python3")
