// Start-up to the first window the user sees (the start dialog, over the main window's set-up),
// against the same binary showing an empty QApplication window: each measured as a fresh
// process from its start to that window exposed, so the dynamic linker, the application
// object and everything the first window needs are counted. Reports milliseconds per start
// and the ratio of the two.
//
// Both run on a real X display, so what the X server costs a first window is counted as a user
// pays it: the program starts its own Xvfb (a display of its own, gone when it ends) and runs
// the children there with Qt's xcb platform. Without Xvfb it says so and measures nothing.
//
// The program runs itself: "--startup-child=empty" or "--startup-child=app" is the child.

#include "core/SKTDocument.h"
#include "mainwindow/ApplicationSetup.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/Start_Card.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace {

QString self;
QString display;  // ":N" of our Xvfb
double emptyMs = 0;

// Starts Xvfb on the first free display from :90 and waits for its socket; empty when it
// cannot be started.
QString startXvfb(QProcess &server)
{
    for (int n = 90; n < 140; ++n) {
        if (QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n))
            || QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
            continue;
        server.start(QStringLiteral("Xvfb"), {QStringLiteral(":%1").arg(n), QStringLiteral("-nolisten"),
                                              QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                                              QStringLiteral("1280x1024x24")});
        if (!server.waitForStarted(5000))
            return {};
        for (int waited = 0; waited < 100 && server.state() == QProcess::Running; ++waited) {
            if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
                return QStringLiteral(":%1").arg(n);
            QThread::msleep(50);
        }
        server.kill();
        server.waitForFinished(2000);
    }
    return {};
}

// Returns when the window is on the screen, then leaves at once: what follows is not start-up.
[[noreturn]] void leaveWhenShown(QWidget &window)
{
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    QCoreApplication::processEvents();
    std::fflush(nullptr);
    _exit(0);
}

int child(const char *mode, int argc, char **argv)
{
    QApplication app(argc, argv);
    if (std::strcmp(mode, "empty") == 0) {
        QWidget window;
        window.resize(640, 480);
        leaveWhenShown(window);
    }
    // As app/main.cpp starts, up to the start dialog.
    QApplication::setApplicationName(QStringLiteral("badgeloom"));
    Start_Card::setModalRunner([](Start_Card &dialog) -> int { leaveWhenShown(dialog); });
    SKTDocument document;
    const std::unique_ptr<SKTWindowController> controller = Set_Up_Application(document);
    controller->awakeFromNib(QString());
    return 1;  // the start dialog never came
}

double startOnce(const QString &mode, const QString &dataHome)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    process.start(self, {QStringLiteral("--startup-child=") + mode});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return -1;
    return double(timer.nsecsElapsed()) / 1e6;
}

void BM_StartUp(benchmark::State &state, const char *mode)
{
    // One data folder for every run: the first start makes it, as on a first run of the program.
    static QTemporaryDir dataHome;
    startOnce(QString::fromLatin1(mode), dataHome.path());
    double total = 0;
    for (auto _ : state) {
        const double ms = startOnce(QString::fromLatin1(mode), dataHome.path());
        if (ms < 0) {
            state.SkipWithError("the child did not show its window");
            return;
        }
        total += ms;
        state.SetIterationTime(ms / 1e3);
    }
    const double mean = total / double(state.iterations());
    state.counters["ms"] = mean;
    if (std::strcmp(mode, "empty") == 0)
        emptyMs = mean;
    else if (emptyMs > 0) {
        state.counters["to_empty_window"] = mean / emptyMs;
        std::fprintf(stderr, "on Xvfb %s: start dialog %.1f ms, empty Qt window %.1f ms: %.2f times the empty window\n",
                     qPrintable(display), mean, emptyMs, mean / emptyMs);
    }
}
BENCHMARK_CAPTURE(BM_StartUp, empty_window, "empty")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_CAPTURE(BM_StartUp, start_dialog, "app")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--startup-child=", 16) == 0)
            return child(argv[i] + 16, argc, argv);
    self = QString::fromLocal8Bit(argv[0]);
    QCoreApplication app(argc, argv);
    self = QCoreApplication::applicationFilePath();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QProcess server;
    display = startXvfb(server);
    if (display.isEmpty()) {
        std::fprintf(stderr, "Xvfb could not be started: start-up is timed on a real display only\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    server.terminate();
    server.waitForFinished(5000);
    return 0;
}
