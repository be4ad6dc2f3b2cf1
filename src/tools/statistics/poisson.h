#pragma once

#include "eval/outcome.h"
#include "eval/rational.h"
#include "tools/statistics/discretedistribution.h"

namespace Statistics {

// "泊松分布" with mean λ: P(X = k) = λᵏe^(−λ)/k!, so exact only up to the factor e^(−λ), which
// the exact form keeps ("4/3·e^(-2)") where it is short.

constexpr long long MaxPoissonMean = 100'000'000;

struct PoissonQuestion
{
    Eval::Rational mean; // λ
    bool asDecimal = false;
    AskedCounts asked;
};
Eval::Outcome<PoissonQuestion> ReadPoisson(const QString &meanText, const QString &kText,
                                           const QString &aText, const QString &bText);

std::optional<DistributionValue> PoissonValue(const PoissonQuestion &question,
                                              const CountRange &range);
Ui::NamedValues PoissonResults(const PoissonQuestion &question, Rounding rounding);
CountBars PoissonBars(const PoissonQuestion &question);
Ui::Working PoissonWorking(const PoissonQuestion &question, Rounding rounding);

} // namespace Statistics
