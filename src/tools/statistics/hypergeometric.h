#pragma once

#include "eval/outcome.h"
#include "tools/statistics/discretedistribution.h"

namespace Statistics {

// "超几何分布" H(N, M, n): n drawn without putting back from N things of which M are marked;
// X counts the marked ones drawn. Every value is an exact fraction.

constexpr long long MaxHypergeometricN = 10'000;

struct HypergeometricQuestion
{
    long long population = 0; // N
    long long marked = 0; // M
    long long drawn = 0; // n
    AskedCounts asked;
};
Eval::Outcome<HypergeometricQuestion> ReadHypergeometric(const QString &populationText,
                                                         const QString &markedText,
                                                         const QString &drawnText,
                                                         const QString &kText, const QString &aText,
                                                         const QString &bText);

// P(from ≤ X ≤ to) = Σ C(M, k)·C(N − M, n − k) / C(N, n).
DistributionValue HypergeometricValue(const HypergeometricQuestion &question,
                                      const CountRange &range);
Ui::NamedValues HypergeometricResults(const HypergeometricQuestion &question, Rounding rounding);
CountBars HypergeometricBars(const HypergeometricQuestion &question);
Ui::Working HypergeometricWorking(const HypergeometricQuestion &question, Rounding rounding);

} // namespace Statistics
