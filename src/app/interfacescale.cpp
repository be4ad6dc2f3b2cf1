#include "app/interfacescale.h"

#include "app/programstate.h"
#include "app/settings.h"

#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <iterator>

namespace App {

namespace {

const QString ScaleKey = QStringLiteral("interface/scale");

} // namespace

int ReadInterfaceScale(const QString &path)
{
    if (!QFileInfo::exists(path))
        return UnscaledPercent;
    bool read = false;
    const int percent = QSettings(path, QSettings::IniFormat).value(ScaleKey).toInt(&read);
    const bool known = std::find(std::begin(ScaleChoices), std::end(ScaleChoices), percent)
            != std::end(ScaleChoices);
    return read && known ? percent : UnscaledPercent;
}

bool WriteInterfaceScale(const QString &path, int percent)
{
    QSettings file(path, QSettings::IniFormat);
    file.setValue(ScaleKey, percent);
    file.sync();
    return file.status() == QSettings::NoError;
}

int ApplySavedInterfaceScale(const QString &programDirectory)
{
    Program().runDirectory = programDirectory;
    const int percent = ReadInterfaceScale(DisplaySettingsFilePath());
    Program().interfaceScale = percent;
    if (percent == UnscaledPercent)
        return percent;
    bool given = false;
    const double asked = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&given);
    const double factor = (given && asked > 0 ? asked : 1.0) * percent / 100.0;
    qputenv("QT_SCALE_FACTOR", QByteArray::number(factor));
    return percent;
}

QString ProgramDirectoryBeforeStart(const char *argv0)
{
    // Where the system says which file runs (as the application object later asks it).
    const QFileInfo running(QStringLiteral("/proc/self/exe"));
    if (running.exists())
        return QFileInfo(running.canonicalFilePath()).absolutePath();
    return QFileInfo(QString::fromLocal8Bit(argv0)).absolutePath();
}

} // namespace App
