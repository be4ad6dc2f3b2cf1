#include "app/externalcalculators.h"

#include <QDir>
#include <QProcess>

namespace App {

namespace {

// Programs kept beside a Windows build carry its extension; elsewhere programs have none.
#ifdef Q_OS_WIN
const QString ProgramSuffix = QStringLiteral(".exe");
#else
const QString ProgramSuffix;
#endif

} // namespace

const QList<ExternalCalculator> &ExternalCalculators()
{
    static const QList<ExternalCalculator> calculators{
            {QStringLiteral("图形按钮1"), QStringLiteral("标签1"), QStringLiteral("简易计算器"),
             QStringLiteral("简易计算器") + ProgramSuffix, QStringLiteral("打开简易计算器失败！")},
            {QStringLiteral("图形按钮2"), QStringLiteral("标签2"), QStringLiteral("Casio fx-82es"),
             QStringLiteral("fx-82es") + ProgramSuffix, QStringLiteral("打开Casio fx-82es失败！")},
            {QStringLiteral("图形按钮3"), QStringLiteral("标签3"), QStringLiteral("Casio fx-9860G"),
             QStringLiteral("fx-9860g") + ProgramSuffix,
             QStringLiteral("打开Casio fx-9860Gs失败！")},
    };
    return calculators;
}

QString ProgramPathIn(const QString &runDirectory, const QString &fileName)
{
    return QDir::toNativeSeparators(runDirectory) + QDir::separator() + fileName;
}

bool StartProgramDetached(const QString &path)
{
    return QProcess::startDetached(path, QStringList());
}

} // namespace App
