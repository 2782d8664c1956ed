#include "core/Globals.h"
#include "core/Utilities.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("badgeloom"));
    QApplication::setApplicationDisplayName(QStringLiteral("badgeloom"));

    Init_Application_Paths();
    if (Resource_Path.isEmpty()) {
        Show_MessageBox(QStringLiteral("Can not access Data file."));
        return 1;
    }
    Check_Path_And_Create_Files();

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("badgeloom"));
    window.resize(1200, 800);
    window.show();
    return app.exec();
}
