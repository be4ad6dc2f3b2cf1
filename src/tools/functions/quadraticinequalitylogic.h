#pragma once

#include "eval/outcome.h"
#include "eval/rational.h"
#include "tools/functions/quadraticcoefficients.h"

#include <QString>

namespace Functions {

// Solving a x² + b x + c > d or < d: the steps of the explanation and the answer as a set.

enum class InequalityRelation { Greater = 0, Less = 1 };

inline const QString ZeroLeadingCoefficientMessage
        = QStringLiteral("二次项系数等于0，请重新输入！");

struct InequalitySolution
{
    QString steps; // one "\r\n"-terminated line per step
    QString answer; // "x∈…"
};

// Where the parabola y = A x² + B x + C lies above and below the x axis, as interval texts;
// empty where it never does.
struct ParabolaSides
{
    QString above, below;
};

// True when a counts as 0 (|a| ≤ 1e-7) and the inequality is not taken as quadratic.
bool IsZeroLeadingCoefficient(const Eval::Rational &a);

// Refused with ZeroLeadingCoefficientMessage when a counts as 0. The parabola's crossings are
// decided exactly; a rational root is written exactly ("1/3"), another to 13 digits.
Eval::Outcome<InequalitySolution> SolveQuadraticInequality(const ExactQuadratic &quadratic,
                                                           InequalityRelation relation);
// The same for the typed texts, each read exactly (empty is 0); a text that is no number is
// refused with the reason, naming its box.
Eval::Outcome<InequalitySolution> SolveQuadraticInequality(const QuadraticTexts &texts,
                                                           InequalityRelation relation);

// The answer for the relation, from where the parabola lies.
QString InequalityAnswer(const ParabolaSides &sides, InequalityRelation relation);

} // namespace Functions
