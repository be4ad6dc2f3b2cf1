#pragma once

#include "eval/outcome.h"
#include "eval/rational.h"
#include "tools/statistics/discretedistribution.h"

namespace Statistics {

// "二项分布" B(n, p): exact fractions (or decimals that end, where p was typed as one) while the
// numbers stay of a size worth computing, and the precise decimals beyond.

constexpr long long MaxBinomialN = 1'000'000'000;

struct BinomialQuestion
{
    long long n = 0;
    Eval::Rational p;
    bool asDecimal = false;
    AskedCounts asked;
};
Eval::Outcome<BinomialQuestion> ReadBinomial(const QString &nText, const QString &pText,
                                             const QString &kText, const QString &aText,
                                             const QString &bText);

// P(from ≤ X ≤ to), exact where the sum of its terms stays within ExactWork.
std::optional<DistributionValue> BinomialValue(const BinomialQuestion &question,
                                               const CountRange &range);
// Terms × bits of the common denominator bⁿ that an exact sum may take (some 30 ms).
constexpr double ExactWork = 5e8;

Ui::NamedValues BinomialResults(const BinomialQuestion &question, Rounding rounding);
CountBars BinomialBars(const BinomialQuestion &question);
// The textbook's formula with the numbers put in, E(X) = np and D(X) = np(1−p), and the
// distribution's table.
Ui::Working BinomialWorking(const BinomialQuestion &question, Rounding rounding);

} // namespace Statistics
