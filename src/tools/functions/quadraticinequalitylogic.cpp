#include "tools/functions/quadraticinequalitylogic.h"

#include "eval/numberformat.h"
#include "tools/functions/exactnumbers.h"

#include <cmath>

using namespace Eval;

namespace Functions {

namespace {

struct Explanation
{
    QString steps;
    ParabolaSides sides;
};

// The two crossings, smaller first, exactly where the discriminant is a square.
std::pair<QString, QString> Crossings(const ExactQuadratic &q, const Rational &discriminant)
{
    QString plus, minus; // over 2a, with +√Δ and −√Δ
    if (const std::optional<Rational> root = discriminant.SquareRoot()) {
        const Rational twiceA = q.a * Rational(2);
        plus = ExactText(*(-q.b + *root).Divide(twiceA));
        minus = ExactText(*(-q.b - *root).Divide(twiceA));
    } else {
        const auto [x1, x2] = IrrationalRoots(q, discriminant);
        plus = NumberToText(x1);
        minus = NumberToText(x2);
    }
    // With a > 0 the root with −√Δ is the smaller, with a < 0 the one with +√Δ.
    return q.a.Sign() > 0 ? std::pair{minus, plus} : std::pair{plus, minus};
}

Explanation Explain(const ExactQuadratic &q)
{
    Explanation result;
    const bool opensUp = q.a.Sign() > 0;
    result.steps = opensUp ? QStringLiteral("a>0，所以开口朝上\r\n")
                           : QStringLiteral("a<0，所以开口朝下\r\n");
    QString &outer = opensUp ? result.sides.above : result.sides.below;
    QString &inner = opensUp ? result.sides.below : result.sides.above;

    const Rational discriminant = q.b * q.b - q.a * q.c * Rational(4);
    if (discriminant.Sign() > 0) {
        result.steps += QStringLiteral("△>0，所以抛物线与x轴有两个交点\r\n");
        const auto [low, high] = Crossings(q, discriminant);
        outer = QStringLiteral("(-∞,%1)∪(%2,+∞)").arg(low, high);
        inner = QStringLiteral("(%1,%2)").arg(low, high);
    } else if (discriminant.Sign() == 0) {
        result.steps += QStringLiteral("△=0，所以抛物线与x轴有一个交点\r\n");
        const QString vertex = ExactText(*(-q.b).Divide(q.a * Rational(2)));
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

bool IsZeroLeadingCoefficient(const Rational &a)
{
    static const Rational Tolerance = *ReadRational(QStringLiteral("1e-7"));
    return a.Absolute() <= Tolerance;
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

Outcome<InequalitySolution> SolveQuadraticInequality(const ExactQuadratic &quadratic,
                                                     InequalityRelation relation)
{
    if (IsZeroLeadingCoefficient(quadratic.a))
        return Refuse(ZeroLeadingCoefficientMessage);
    const Explanation explanation = Explain(quadratic);
    return InequalitySolution{explanation.steps, InequalityAnswer(explanation.sides, relation)};
}

Outcome<InequalitySolution> SolveQuadraticInequality(const QuadraticTexts &texts,
                                                     InequalityRelation relation)
{
    const Outcome<ExactQuadratic> quadratic = ReadExactQuadratic(texts);
    if (!quadratic)
        return Refuse(quadratic.refusal());
    return SolveQuadraticInequality(*quadratic, relation);
}

} // namespace Functions
