#include "app/startup.h"

#include "app/programstate.h"
#include "app/startupwindow.h"
#include "ui/programicon.h"
#include "ui/qttranslations.h"
#include "ui/style.h"

#include <QApplication>

namespace App {

void StartProgram()
{
    ResetProgramState();
    Program().runDirectory = QCoreApplication::applicationDirPath();
    ApplyProgramStyle(*qApp);
    LoadQtTranslations();
    QApplication::setWindowIcon(ProgramIcon());
    auto *startup = new StartupWindow;
    startup->show();
}

} // namespace App
