#include "core/SKTDocument.h"
#include "mainwindow/SKTWindowController.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("badgeloom"));
    QApplication::setApplicationDisplayName(QStringLiteral("badgeloom"));

    SKTDocument document;
    SKTWindowController controller(document);
    if (!controller.awakeFromNib())
        return 1;
    if (!controller.Exit_Confirmed())  // the user may leave from the start dialog
        controller.show();
    return app.exec();
}
