#pragma once

#include <QLibraryInfo>
#include <QString>

// Loads Qt's own Chinese texts for its standard buttons and dialogs ("确定", "取消", …) from the
// catalogue "qtbase" in `directory`, and installs them for the whole program, in place of the
// ones loaded before. False when the catalogue is missing or unreadable: Qt's English texts (or
// the ones loaded before) stay, and nothing else changes.
bool LoadQtTranslations(const QString &directory
                        = QLibraryInfo::path(QLibraryInfo::TranslationsPath));
