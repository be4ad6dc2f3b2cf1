#include "app/startup.h"

#include "app/programstate.h"
#include "app/startupwindow.h"
#include "ui/style.h"

#include <QApplication>

void StartProgram()
{
    ResetProgramState();
    Program().runDirectory = QCoreApplication::applicationDirPath();
    ApplyProgramStyle(*qApp);
    auto *startup = new StartupWindow;
    startup->show();
}
