#pragma once

#include "tools/functions/approximaterootlogic.h"
#include "ui/working.h"

#include <QList>

namespace Functions::ApproximateRoot {

// "求方程近似根": the table of the bisection (each halving: the interval, its midpoint c, f(c)
// and the interval's length) or of the scans that found the enumeration's answer, then the
// answer as the window shows it. Empty before a search.
Ui::Working ApproximateRootWorking(const QList<BisectionStep> &halvings,
                                   const QList<ScanStep> &scans, const QString &answer);

} // namespace Functions::ApproximateRoot
