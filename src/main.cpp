#include "app/interfacescale.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The user's configuration directory is named after the program, whatever its file is called.
    QCoreApplication::setApplicationName(QStringLiteral("qingfeng-calculator"));
    // Before the application: Qt takes its scale when it starts.
    App::ApplySavedInterfaceScale(App::ProgramDirectoryBeforeStart(argv[0]));
    QApplication application(argc, argv);
    // Lets the desktop match the windows to the menu entry, its name and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QINGFENG_APP_ID));
    App::StartProgram();
    return application.exec();
}
