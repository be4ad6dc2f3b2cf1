#include "tools/functions/linearsystemlogic.h"

#include "eval/numberformat.h"
#include "eval/numberreading.h"
#include "eval/tolerance.h"

#include <QStringList>

using namespace Eval;

namespace Functions {

bool Elimination::HasUniqueSolution() const
{
    return !NearlyZero(determinant);
}

Elimination Eliminate(const LinearSystem &s)
{
    return {s.a1 * s.b2 - s.a2 * s.b1, s.b2 * s.c1 - s.b1 * s.c2, s.a1 * s.c2 - s.a2 * s.c1};
}

bool HasNoSolution(const LinearSystem &s, const Elimination &e)
{
    const bool noUnknowns
            = NearlyZero(s.a1) && NearlyZero(s.b1) && NearlyZero(s.a2) && NearlyZero(s.b2);
    // Without unknowns each equation reads 0 = c; otherwise, with D = 0, the equations agree
    // exactly when the other two minors of the augmented matrix vanish as well.
    if (noUnknowns)
        return !NearlyZero(s.c1) || !NearlyZero(s.c2);
    return !NearlyZero(e.xNumerator) || !NearlyZero(e.yNumerator);
}

QString EliminationStepsText(const LinearSystem &s)
{
    const Elimination e = Eliminate(s);
    if (!e.HasUniqueSolution())
        return HasNoSolution(s, e) ? QStringLiteral("方程组无解")
                                   : QStringLiteral("方程组有无数组解");
    const QString d = NumberToText(e.determinant);
    return QStringList{
            QStringLiteral("①×%1－②×%2").arg(NumberToText(s.b2), NumberToText(s.b1)),
            QStringLiteral("    得：%1x=%2").arg(d, NumberToText(e.xNumerator)),
            QStringLiteral("    x=") + NumberToText(e.xNumerator / e.determinant),
            QStringLiteral("②×%1－①×%2").arg(NumberToText(s.a1), NumberToText(s.a2)),
            QStringLiteral("    得：%1y=%2").arg(d, NumberToText(e.yNumerator)),
            QStringLiteral("    y=") + NumberToText(e.yNumerator / e.determinant),
    }
            .join(QStringLiteral("\r\n"));
}

QString EliminationStepsText(const std::array<QString, 6> &t)
{
    return EliminationStepsText(LinearSystem{TextToNumber(t[0]), TextToNumber(t[1]),
                                             TextToNumber(t[2]), TextToNumber(t[3]),
                                             TextToNumber(t[4]), TextToNumber(t[5])});
}

} // namespace Functions
