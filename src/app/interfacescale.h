#pragma once

#include <QString>

namespace App {

// The scale of the whole program, chosen in the settings window, in per cent. It is kept in a
// file of its own beside "set.ini", "display.ini", so that "set.ini" keeps its three lines and
// a program that knows only those reads it as before.
inline constexpr int ScaleChoices[] = {100, 125, 150, 200};
inline constexpr int UnscaledPercent = 100;

// The saved scale; 100 when the file is missing or holds no scale of ScaleChoices.
int ReadInterfaceScale(const QString &path);
// False when the file could not be written.
bool WriteInterfaceScale(const QString &path, int percent);

// Qt takes its scale once, when the application object is made: call this before it, with the
// run directory. Applies the scale saved beside the program's settings, over any scale the
// environment already asks for (QT_SCALE_FACTOR), and keeps it as the one in effect for the
// settings window. Returns it.
int ApplySavedInterfaceScale(const QString &programDirectory);
// The directory that holds the program file, before an application object can say it.
QString ProgramDirectoryBeforeStart(const char *argv0);

} // namespace App
