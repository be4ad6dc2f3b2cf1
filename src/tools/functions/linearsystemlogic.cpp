#include "tools/functions/linearsystemlogic.h"

#include "eval/numbertext.h"

#include <QStringList>

namespace Functions {

bool Elimination::HasUniqueSolution() const
{
    return !NearlyZero(determinant);
}

Elimination Eliminate(const LinearSystem &s)
{
    return {s.a1 * s.b2 - s.a2 * s.b1, s.b2 * s.c1 - s.b1 * s.c2, s.a1 * s.c2 - s.a2 * s.c1};
}

QString EliminationStepsText(const LinearSystem &s)
{
    const Elimination e = Eliminate(s);
    if (!e.HasUniqueSolution())
        return QStringLiteral("错误！分母不能等于0");
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

} // namespace Functions
