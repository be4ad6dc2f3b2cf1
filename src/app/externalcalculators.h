#pragma once

#include <QList>
#include <QString>

namespace App {

// The calculator programs that may lie beside this one, each started from a button of the
// window "外部计算器". They are not part of the program; only their names are known here.
struct ExternalCalculator
{
    QString buttonName;
    QString labelName;
    QString label;
    QString fileName; // in the run directory; ".exe" on Windows, no extension elsewhere
    QString failureMessage;
};

// The three, in the order of their buttons from top to bottom.
const QList<ExternalCalculator> &ExternalCalculators();

// The full path of a program in `runDirectory`, joined with the platform's separator.
QString ProgramPathIn(const QString &runDirectory, const QString &fileName);

// Starts the program at `path` without arguments and without waiting for it to end. False when
// it is missing, not executable or cannot be started for any other reason.
bool StartProgramDetached(const QString &path);

} // namespace App
