#pragma once

#include "app/settingsfile.h"

#include <QString>
#include <QStringList>

namespace App {

// What the application shell keeps for the whole run. The close-all-tools flag and the open
// tool windows live in the window layer (ui/windowregistry.h), which every tool window reads.
struct ProgramState
{
    SettingsRecord settings{}; // 0 until the launcher loads "set.ini"
    QStringList configurationLines; // the lines of the last successful read
    int settingsDone = 0; // 1 once the settings window was left
    QString runDirectory; // the directory that holds the program file
    int interfaceScale = 100; // per cent, as the program started with it
};

ProgramState &Program();

// Back to the state at start-up, open windows and the close-all flag included; the run
// directory and the scale in effect are kept.
void ResetProgramState();

// True when the strategy in the settings record is `strategy` (within 1e-7).
bool StrategyIs(CloseStrategy strategy);

} // namespace App
