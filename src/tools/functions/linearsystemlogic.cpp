#include "tools/functions/linearsystemlogic.h"

#include "tools/functions/exactnumbers.h"

#include <QStringList>

using namespace Eval;

namespace Functions {

Elimination Eliminate(const LinearSystem &s)
{
    return {s.a1 * s.b2 - s.a2 * s.b1, s.b2 * s.c1 - s.b1 * s.c2, s.a1 * s.c2 - s.a2 * s.c1};
}

bool HasNoSolution(const LinearSystem &s, const Elimination &e)
{
    const bool noUnknowns
            = s.a1.Sign() == 0 && s.b1.Sign() == 0 && s.a2.Sign() == 0 && s.b2.Sign() == 0;
    // Without unknowns each equation reads 0 = c; otherwise, with D = 0, the equations agree
    // exactly when the other two minors of the augmented matrix vanish as well.
    if (noUnknowns)
        return s.c1.Sign() != 0 || s.c2.Sign() != 0;
    return e.xNumerator.Sign() != 0 || e.yNumerator.Sign() != 0;
}

QString EliminationStepsText(const LinearSystem &s)
{
    const Elimination e = Eliminate(s);
    if (!e.HasUniqueSolution())
        return HasNoSolution(s, e) ? QStringLiteral("方程组无解")
                                   : QStringLiteral("方程组有无数组解");
    const QString d = ExactCoefficient(e.determinant);
    return QStringList{
            QStringLiteral("①×%1－②×%2").arg(ExactFactor(s.b2), ExactFactor(s.b1)),
            QStringLiteral("    得：%1x=%2").arg(d, ExactText(e.xNumerator)),
            QStringLiteral("    x=") + ExactAnswer(*e.xNumerator.Divide(e.determinant)),
            QStringLiteral("②×%1－①×%2").arg(ExactFactor(s.a1), ExactFactor(s.a2)),
            QStringLiteral("    得：%1y=%2").arg(d, ExactText(e.yNumerator)),
            QStringLiteral("    y=") + ExactAnswer(*e.yNumerator.Divide(e.determinant)),
    }
            .join(QStringLiteral("\r\n"));
}

Outcome<QString> EliminationStepsText(const std::array<QString, 6> &t)
{
    const auto values = ReadCoefficients({t[0], t[1], t[2], t[3], t[4], t[5]},
                                         {"a1", "b1", "c1", "a2", "b2", "c2"});
    if (!values)
        return Refuse(values.refusal());
    const std::vector<Rational> &v = *values;
    return EliminationStepsText(LinearSystem{v[0], v[1], v[2], v[3], v[4], v[5]});
}

} // namespace Functions
