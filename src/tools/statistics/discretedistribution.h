#pragma once

#include "tools/statistics/distributionfunctions.h"
#include "tools/statistics/distributionvalue.h"
#include "tools/statistics/probabilityinputs.h"
#include "ui/namedvalues.h"
#include "ui/working.h"

#include <functional>
#include <optional>
#include <vector>

namespace Statistics {

// What the pages of 二项分布, 超几何分布 and 泊松分布 share.

// P(from ≤ X ≤ to) of the page's distribution; nothing where it cannot be computed.
using CountProbabilityOf = std::function<std::optional<DistributionValue>(const CountRange &)>;

// "P(X=k)", "P(X≤k)" (for a typed k), "P(a≤X≤b)" (for a typed a or b), "E(X)", "D(X)".
Ui::NamedValues CountResults(const AskedCounts &asked, const CountProbabilityOf &probability,
                             const DistributionValue &mean, const DistributionValue &variance,
                             Rounding rounding);

// The bars of a distribution's picture: P(X = first), P(X = first + 1), …, and what the
// question asks about.
struct CountBars
{
    long long first = 0;
    std::vector<double> heights;
    AskedCounts asked;

    // Whether the question asks about X = k: k itself, or a ≤ k ≤ b.
    bool Asks(long long k) const;
    QString caption; // the distribution as the textbook names it: "B(10, 1/2)"
};
constexpr int MaxBars = 401;
// The bars from `least` to `most` (or the MaxBars of them around `centre`), from `mass`.
CountBars MakeBars(long long least, long long most, long long centre, const AskedCounts &asked,
                   const std::function<double(long long)> &mass);

// The working's table of the distribution: the counts from `least` to `most` (the
// MaxWorkingRows in the middle where there are more) with P(X = k) and P(X ≤ k).
constexpr int MaxWorkingRows = 1001;
Ui::WorkingBlock DistributionRows(long long least, long long most,
                                  const CountProbabilityOf &probability, Rounding rounding);

// "P(3≤X≤5)", "P(X≤5)", "P(3≤X)" for the range.
QString RangeText(const CountRange &range);
// A block of the working: its title (the formula) and "text = result" (or "= ?" where there is
// none).
Ui::WorkingBlock WorkingLine(const QString &title, const QString &text,
                             const std::optional<DistributionValue> &result, Rounding rounding);

} // namespace Statistics
