#include "ui/qttranslations.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include <memory>

bool LoadQtTranslations(const QString &directory)
{
    // The program speaks Chinese whatever the language of the desktop it runs on.
    static std::unique_ptr<QTranslator> installed;
    auto loaded = std::make_unique<QTranslator>();
    if (!loaded->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                      QStringLiteral("_"), directory))
        return false;
    if (installed)
        QCoreApplication::removeTranslator(installed.get());
    installed = std::move(loaded);
    return QCoreApplication::installTranslator(installed.get());
}
