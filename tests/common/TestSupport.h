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

// Puts the calling thread (only) under a comma-decimal locale for the object's lifetime, as a
// user's German desktop would: C library number functions then write and read "0,5". Not
// `active()` when the machine lacks the locale (scripts/bootstrap generates it).
class CommaDecimalLocale {
public:
    CommaDecimalLocale();
    ~CommaDecimalLocale();
    CommaDecimalLocale(const CommaDecimalLocale &) = delete;
    CommaDecimalLocale &operator=(const CommaDecimalLocale &) = delete;
    bool active() const { return m_locale != nullptr; }
    static const char *name() { return "de_DE.UTF-8"; }

private:
    void *m_locale = nullptr, *m_previous = nullptr;
};

// What a test draws or stores may need a font or an image format this machine lacks; these
// say so in a failure that names the package to install, instead of letting the test fail on
// a substitute. Both answer whether the need is met.
// DejaVu Sans, Serif, Sans Mono: fonts-dejavu-core; a face of the family (`style`, as the font
// database names it) may need another package, which the failure then names.
bool requireFont(const QString &family, const QString &style = {}, const char *package = "fonts-dejavu-core");
bool requireImageFormat(const QByteArray &format);  // read and write; tiff, webp: qt6-image-formats-plugins

// Serves events until `done` holds or `ms` have passed; whether it held. Every wait in a test
// has a bound, so a fault fails its test with a message instead of hanging the suite.
bool waitUntil(const std::function<bool()> &done, int ms = 10000);

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
// Skips (or fails, as above) unless the machine has a comma-decimal locale; `var` holds it on
// this thread until the end of the test.
#define REQUIRE_COMMA_LOCALE(var)                                                                  \
    const testsupport::CommaDecimalLocale var;                                                     \
    if (!var.active()) {                                                                           \
        if (testsupport::oraclesRequired())                                                        \
            GTEST_FAIL() << "the locale " << var.name() << " is missing (scripts/bootstrap generates it)"; \
        GTEST_SKIP() << "the locale " << var.name() << " is not generated (scripts/bootstrap does it)"; \
    }
// Ends the test when Qt cannot read and write the image format here (the failure names the package).
#define REQUIRE_IMAGE_FORMAT(format)                                                               \
    if (!testsupport::requireImageFormat(format))                                                  \
        return;
#define REQUIRE_TOOL(var, name) REQUIRE_ORACLE(var, testsupport::findTool(QStringLiteral(name)), name)
#define REQUIRE_PYTHON(var) REQUIRE_ORACLE(var, testsupport::systemPython(), "python3")
