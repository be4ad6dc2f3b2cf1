#include "tools/functions/rootworking.h"

#include "eval/numberformat.h"

#include <cmath>

using namespace Ui;
using namespace Eval;

namespace Functions::ApproximateRoot {

namespace {

QString Interval(double a, double b)
{
    return QLatin1Char('[') + NumberToText(a) + QLatin1Char(',') + NumberToText(b)
            + QLatin1Char(']');
}

// A value of f to four significant digits: enough to see its sign and size.
QString Value(double y)
{
    return QString::number(y, 'g', 4);
}

} // namespace

Working ApproximateRootWorking(const QList<BisectionStep> &halvings, const QList<ScanStep> &scans,
                               const QString &answer)
{
    Working working;
    if (!halvings.isEmpty()) {
        WorkingBlock table{QStringLiteral("二分法"),
                           std::nullopt,
                           {QStringLiteral("次数"), QStringLiteral("区间[a,b]"),
                            QStringLiteral("中点c"), QStringLiteral("f(c)"),
                            QStringLiteral("区间长度")},
                           {}};
        for (qsizetype i = 0; i < halvings.size(); ++i) {
            const BisectionStep &step = halvings[i];
            table.rows.append({QString::number(i + 1), Interval(step.a, step.b),
                               NumberToText(step.c), Value(step.fc),
                               NumberToText(std::fabs(step.b - step.a))});
        }
        working.append(table);
    }
    if (!scans.isEmpty()) {
        WorkingBlock table{QStringLiteral("枚举法"),
                           std::nullopt,
                           {QStringLiteral("步长"), QStringLiteral("扫描区间"),
                            QStringLiteral("|f(x)|最小处x"), QStringLiteral("f(x)")},
                           {}};
        for (const ScanStep &scan : scans) {
            table.rows.append({NumberToText(scan.step), Interval(scan.from, scan.to),
                               NumberToText(scan.x), Value(scan.fx)});
        }
        working.append(table);
    }
    if (!answer.isEmpty())
        working.append({QString(), std::nullopt, {}, {{answer}}});
    return working;
}

} // namespace Functions::ApproximateRoot
