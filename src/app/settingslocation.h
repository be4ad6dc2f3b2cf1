#pragma once

#include <QString>

#include <functional>

namespace App {

// Where "set.ini" lives: beside the program while the program's directory can be written (a
// portable copy, a build directory). An installed program's directory is not writable for its
// user, so there the file goes to the user's configuration directory for the program.

using WritableCheck = std::function<bool(const QString &directory)>;

// True when this user may create files in `directory`; false when it is missing.
bool DirectoryIsWritable(const QString &directory);
// `runDirectory` when `isWritable` accepts it, otherwise the user's configuration directory for
// the program, created when missing (and returned even when it cannot be created, so that
// writing there fails as any failed write does).
QString SettingsDirectory(const QString &runDirectory,
                          const WritableCheck &isWritable = DirectoryIsWritable);

} // namespace App
