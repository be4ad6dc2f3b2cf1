#pragma once

#include "eval/outcome.h"
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

// True when a counts as 0 and the inequality is not quadratic.
bool IsZeroLeadingCoefficient(double a);

// Refused with ZeroLeadingCoefficientMessage when a counts as 0.
Eval::Outcome<InequalitySolution> SolveQuadraticInequality(double a, double b, double c, double d,
                                                           InequalityRelation relation);
// The same for the typed texts, each read by the text-to-number rule (empty is 0).
Eval::Outcome<InequalitySolution> SolveQuadraticInequality(const QuadraticTexts &texts,
                                                           InequalityRelation relation);

// The answer for the relation, from where the parabola lies.
QString InequalityAnswer(const ParabolaSides &sides, InequalityRelation relation);

} // namespace Functions
