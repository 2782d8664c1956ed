#include "core/SKTDocument.h"
#include "mainwindow/ApplicationSetup.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/Start_Card.h"
#include "platform/UiServices.h"

#include "badgeloom_version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("badgeloom"));
    QApplication::setApplicationVersion(QStringLiteral(BADGELOOM_VERSION));
    // No display name: the desktop would append it to a title that already starts with it.

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("design"), QStringLiteral("A design file to open."));
    // For install checks, which have no one to close a box: starts as usual, answers every box
    // and the start dialog by closing them, prints their texts and the window title, and exits
    // 0 only when the design opened without any of them.
    const QCommandLineOption checkOpen(QStringLiteral("check-open"),
                                       QStringLiteral("Open the design, report and exit."));
    parser.addOption(checkOpen);
    parser.process(app);
    const QString design = parser.positionalArguments().value(0);

    platform::ScriptedUiServices *boxes = nullptr;
    bool startDialogShown = false;
    if (parser.isSet(checkOpen)) {
        auto recorder = std::make_unique<platform::ScriptedUiServices>();
        boxes = recorder.get();
        platform::setUi(std::move(recorder));
        Start_Card::setModalRunner([&startDialogShown](Start_Card &) {
            startDialogShown = true;
            return -1;
        });
    }

    SKTDocument document;
    const std::unique_ptr<SKTWindowController> window = Set_Up_Application(document);
    SKTWindowController &controller = *window;
    const bool ready = controller.awakeFromNib(design.isEmpty() ? design : QFileInfo(design).absoluteFilePath());
    if (boxes) {
        for (const QString &text : boxes->messages())
            std::fprintf(stderr, "box: %s\n", qPrintable(text.trimmed()));
        if (startDialogShown)
            std::fprintf(stderr, "start dialog shown\n");
        std::printf("%s\n", qPrintable(controller.windowTitle()));
        return ready && !design.isEmpty() && boxes->messages().isEmpty() && !startDialogShown ? 0 : 1;
    }
    if (!ready)
        return 1;
    if (!controller.Exit_Confirmed())  // the user may leave from the start dialog
        controller.show();
    return app.exec();
}
