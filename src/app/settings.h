#pragma once

#include "app/settingsfile.h"

#include <QString>

namespace App {

// The program's operations on its settings file "set.ini" in the run directory, with the
// messages they owe the user.

QString SettingsFilePath();
// The history of "四则运算", beside "set.ini".
QString ArithmeticHistoryFilePath();
// The tables of 数据统计, beside the history.
QString StatisticsDataFilePath();
// The history of "科学计算", beside it.
QString ScientificHistoryFilePath();
// The scale of the program (app/interfacescale.h), beside "set.ini".
QString DisplaySettingsFilePath();

// Reads "set.ini" into the program's settings record, writing the defaults when the file is
// missing or corrupt, and says so. Does nothing once the settings window has been left.
void LoadSettings();
// Writes the record to "set.ini"; says so and returns false when it could not.
bool SaveSettings();
// Deletes "set.ini" and the scale beside it; a missing file is no error.
void DeleteSettingsFile();

} // namespace App
