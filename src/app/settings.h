#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

// The settings record and its file "set.ini" in the run directory: three lines of numbers,
// separated by "\r\n" (the strategy, the skin number and g).

// The content of a fresh file: "2\r\n38\r\n9.8".
QByteArray DefaultSettingsText();
// The file content for a record.
QByteArray SettingsText(const std::array<double, 3> &settings);
// The lines of a file's content, or nothing when the file is corrupt. `values` receives what
// the lines read as, also when a value is out of range.
std::optional<QStringList> ParseSettingsText(const QByteArray &content,
                                             std::array<double, 3> &values);

QString SettingsFilePath();

// Reads "set.ini" into the program's settings record, writing the defaults when the file is
// missing or corrupt. Does nothing once the settings window has been left.
void LoadSettings();
// Writes the record to "set.ini". The old file is replaced only once the new one is complete.
bool SaveSettings();
// Deletes "set.ini"; a missing file is no error.
void DeleteSettingsFile();
