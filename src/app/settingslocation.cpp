#include "app/settingslocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace App {

bool DirectoryIsWritable(const QString &directory)
{
    const QFileInfo info(directory);
    return info.isDir() && info.isWritable();
}

QString SettingsDirectory(const QString &runDirectory, const WritableCheck &isWritable)
{
    if (isWritable(runDirectory))
        return runDirectory;
    const QString configuration
            = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(configuration);
    return QDir::toNativeSeparators(configuration);
}

} // namespace App
