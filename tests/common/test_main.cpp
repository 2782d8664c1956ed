// Test entry point: one QApplication on the offscreen platform for every test executable.
#include <QApplication>
#include <QClipboard>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

// What the process shares between tests and a test may leave behind: each test starts without
// it, so none passes or fails by the order the tests run in.
class FreshSharedState : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo &) override
    {
        if (QClipboard *clipboard = QGuiApplication::clipboard())
            clipboard->clear();
        // A test that ran the application's loop and closed its last window can leave the
        // automatic quit queued; delivered in a later test, with no loop running, it would end
        // every event loop and modal dialog of that test at once.
        QCoreApplication::removePostedEvents(qApp, QEvent::Quit);
    }
};

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Tests read pictures at the pixels they name and fit windows to a screen of known size: the
    // machine's display scale (a user's QT_SCALE_FACTOR, a dense screen) is not theirs to follow,
    // so every test program draws one device pixel per point.
    qputenv("QT_SCALE_FACTOR", "1");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    for (const char *scale : {"QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI", "QT_USE_PHYSICAL_DPI"})
        qunsetenv(scale);
    QStandardPaths::setTestModeEnabled(true);
    // No test reaches a real printer: the print server named is one that cannot exist, and
    // network printers are not looked for (their discovery asks the system bus).
    const QByteArray nowhere = "/dev/null/no-print-server";
    qputenv("CUPS_SERVER", nowhere);
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + nowhere);
    for (const char *printer : {"PRINTER", "LPDEST"})
        qunsetenv(printer);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("badgeloom-tests"));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshSharedState);
    return RUN_ALL_TESTS();
}
