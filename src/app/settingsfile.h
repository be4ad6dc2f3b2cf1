#pragma once

#include "eval/outcome.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace App {

// Launcher-close strategies.
enum CloseStrategy { CloseToolsWithLauncher = 1, CloseLauncherAfterOpening = 2, NoStrategy = 3 };

// The settings record, held for the whole run.
struct SettingsRecord
{
    double closeStrategy = 0; // a CloseStrategy: 1, 2 or 3
    double skinNumber = 0; // a whole number from 1 to 39, stored and validated only
    double gravity = 0; // g, greater than 0

    bool operator==(const SettingsRecord &other) const
    {
        return closeStrategy == other.closeStrategy && skinNumber == other.skinNumber
                && gravity == other.gravity;
    }
};

inline constexpr SettingsRecord DefaultSettings{2, 38, 9.8};

// Whether g may be kept: greater than 1e-7 and finite (false for zero, negative values, NaN and
// infinity, which would be written as "1.#INF" and read back as 1).
bool GravityIsValid(double gravity);
// Whether g still is valid once written: its text keeps 13 significant digits, so a g just
// above 1e-7 is written as "1e-007".
bool GravityIsSavable(double gravity);
// g as typed in the settings window, when it is savable; otherwise refused with the message
// that says why: "重力加速度g的值太大！" for a positive infinity, "重力加速度g必须大于0！" for
// anything else (empty or non-numeric text reads as 0).
Eval::Outcome<double> ReadGravity(const QString &text);

// The file "set.ini": three lines of numbers separated by "\r\n" (the strategy, the skin
// number and g). Nothing here shows a message; the callers turn the outcomes into messages.

// The file content for a record; the defaults give "2\r\n38\r\n9.8". A strategy or skin number
// within 1e-7 of its whole number is written as that whole number where its own 13 digits would
// lie beyond 1e-7 of it, so that the file reads back valid.
QByteArray SettingsText(const SettingsRecord &record);

struct ParsedSettings
{
    QStringList lines;
    SettingsRecord record;
};
// The lines of a file's content and what they read as, or nothing when the file is corrupt
// (not three lines, or a value out of range).
std::optional<ParsedSettings> ParseSettingsText(const QByteArray &content);

// What reading the file at `path` came to. A missing or corrupt file is replaced by the
// defaults, which the record then holds.
struct SettingsReading
{
    SettingsRecord record = DefaultSettings;
    QStringList lines; // empty unless the file was read
    bool corrupt = false; // the file was there but unusable
    bool defaultsUnwritten = false; // the defaults could not be written
};
SettingsReading ReadSettingsFile(const QString &path);

// Writes the record to `path`; the old file is replaced only once the new one is complete.
// False when it could not be written.
bool WriteSettingsFile(const QString &path, const SettingsRecord &record);

} // namespace App
