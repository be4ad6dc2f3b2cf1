#include "tools/functions/quadraticinequalitylogic.h"

#include "eval/numberformat.h"

#include <cmath>

using namespace Eval;

namespace Functions {

namespace {

// Adding +0 folds a negative zero into 0: "(-∞,-0)" is no way to write an interval.
QString Bound(double value)
{
    return NumberToText(value + 0.0);
}

struct Explanation
{
    QString steps;
    ParabolaSides sides;
};

Explanation Explain(double a, double b, double c)
{
    Explanation result;
    const bool opensUp = a > 1e-7;
    result.steps = opensUp ? QStringLiteral("a>0，所以开口朝上\r\n")
                           : QStringLiteral("a<0，所以开口朝下\r\n");
    QString &outer = opensUp ? result.sides.above : result.sides.below;
    QString &inner = opensUp ? result.sides.below : result.sides.above;

    const double discriminant = b * b - a * c * 4;
    if (discriminant > 1e-7) {
        result.steps += QStringLiteral("△>0，所以抛物线与x轴有两个交点\r\n");
        const double plus = (-b + std::sqrt(discriminant)) / (2 * a);
        const double minus = (-b - std::sqrt(discriminant)) / (2 * a);
        const QString low = Bound(opensUp ? minus : plus);
        const QString high = Bound(opensUp ? plus : minus);
        outer = QStringLiteral("(-∞,%1)∪(%2,+∞)").arg(low, high);
        inner = QStringLiteral("(%1,%2)").arg(low, high);
    } else if (std::fabs(discriminant) <= 1e-7) {
        result.steps += QStringLiteral("△=0，所以抛物线与x轴有一个交点\r\n");
        const QString vertex = Bound(-b / (2 * a));
        outer = QStringLiteral("(-∞,%1)∪(%1,+∞)").arg(vertex);
    } else {
        result.steps += QStringLiteral("△<0，所以抛物线与x轴没有交点\r\n");
        outer = QStringLiteral("R");
    }

    if (!result.sides.above.isEmpty())
        result.steps += QStringLiteral("x轴上方有：") + result.sides.above + QStringLiteral("\r\n");
    if (!result.sides.below.isEmpty())
        result.steps += QStringLiteral("x轴下方有：") + result.sides.below + QStringLiteral("\r\n");
    return result;
}

} // namespace

bool IsZeroLeadingCoefficient(double a)
{
    return std::fabs(a) <= 1e-7;
}

// The side the relation asks for is the answer: "R" when the parabola never leaves it, the
// empty set when it never reaches it. A parabola that touches the axis is on its side
// everywhere but at the touching point, which the answer leaves out.
QString InequalityAnswer(const ParabolaSides &sides, InequalityRelation relation)
{
    const QString &wanted = relation == InequalityRelation::Greater ? sides.above : sides.below;
    if (wanted.isEmpty())
        return QStringLiteral("x∈空集");
    return QStringLiteral("x∈") + wanted;
}

Outcome<InequalitySolution> SolveQuadraticInequality(double a, double b, double c, double d,
                                                     InequalityRelation relation)
{
    if (IsZeroLeadingCoefficient(a))
        return Refuse(ZeroLeadingCoefficientMessage);
    const Explanation explanation = Explain(a, b, c - d);
    return InequalitySolution{explanation.steps, InequalityAnswer(explanation.sides, relation)};
}

Outcome<InequalitySolution> SolveQuadraticInequality(const QuadraticTexts &texts,
                                                     InequalityRelation relation)
{
    const QuadraticCoefficients k = ReadCoefficients(texts);
    return SolveQuadraticInequality(k.a, k.b, k.c, 0, relation);
}

} // namespace Functions
