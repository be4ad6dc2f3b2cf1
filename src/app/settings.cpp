#include "app/settings.h"

#include "app/programstate.h"
#include "app/settingslocation.h"
#include "ui/messages.h"

#include <QDir>
#include <QFile>

namespace App {

namespace {

// Every file the program keeps lives in the one directory of "set.ini".
QString BesideSettings(const QString &fileName)
{
    return SettingsDirectory(Program().runDirectory) + QDir::separator() + fileName;
}

} // namespace

QString SettingsFilePath()
{
    return BesideSettings(QStringLiteral("set.ini"));
}

QString ArithmeticHistoryFilePath()
{
    return BesideSettings(QStringLiteral("arithmetic-history.json"));
}

QString StatisticsDataFilePath()
{
    return BesideSettings(QStringLiteral("statistics-data.txt"));
}

QString ScientificHistoryFilePath()
{
    return BesideSettings(QStringLiteral("scientific-history.json"));
}

QString DisplaySettingsFilePath()
{
    return BesideSettings(QStringLiteral("display.ini"));
}

void LoadSettings()
{
    if (Program().settingsDone == 1)
        return;
    const SettingsReading reading = ReadSettingsFile(SettingsFilePath());
    Program().settings = reading.record;
    if (!reading.lines.isEmpty())
        Program().configurationLines = reading.lines;
    if (reading.corrupt)
        ShowMessage(QStringLiteral("配置文件已损坏，将使用默认配置！"));
    if (reading.defaultsUnwritten)
        ShowMessage(QStringLiteral("配置文件写入失败！"));
}

bool SaveSettings()
{
    if (WriteSettingsFile(SettingsFilePath(), Program().settings))
        return true;
    ShowMessage(QStringLiteral("写入配置失败！"));
    return false;
}

void DeleteSettingsFile()
{
    QFile::remove(SettingsFilePath());
    QFile::remove(DisplaySettingsFilePath());
}

} // namespace App
