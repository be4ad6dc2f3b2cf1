#pragma once

#include <QString>
#include <QStringList>

#include <array>

// Entries of the settings record, numbered as in "set.ini" (line 1 is the strategy).
enum SettingsEntry { CloseStrategyEntry = 0, SkinNumberEntry = 1, GravityEntry = 2 };

// Launcher-close strategies.
enum CloseStrategy { CloseToolsWithLauncher = 1, CloseLauncherAfterOpening = 2, NoStrategy = 3 };

// What lives for the whole run, shared by the launcher and every tool window.
struct ProgramState
{
    std::array<double, 3> settings{}; // 0 until the launcher loads "set.ini"
    QStringList configurationLines; // the lines of the last successful read
    int settingsDone = 0; // 1 once the settings window was left
    int closeAllTools = 0; // polled by every tool window's timer
    std::array<double, 502> graphHeights{}; // sample heights of the function graph
    QString runDirectory; // the directory that holds the program file
};

ProgramState &Program();

// Back to the state at start-up; the run directory is kept.
void ResetProgramState();

// True when the strategy in the settings record is `strategy` (within 1e-7).
bool StrategyIs(CloseStrategy strategy);
