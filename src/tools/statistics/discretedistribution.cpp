#include "tools/statistics/discretedistribution.h"

#include <algorithm>

namespace Statistics {

namespace {

Ui::NamedValue Probability(const QString &name, const CountProbabilityOf &probability,
                           const CountRange &range, Rounding rounding)
{
    if (const std::optional<DistributionValue> value = probability(range))
        return Named(name, *value, rounding);
    return {name, QStringLiteral("数太大，算不出"), {}, true};
}

} // namespace

Ui::NamedValues CountResults(const AskedCounts &asked, const CountProbabilityOf &probability,
                             const DistributionValue &mean, const DistributionValue &variance,
                             Rounding rounding)
{
    Ui::NamedValues values;
    if (const std::optional<long long> k = asked.k) {
        values << Probability(QStringLiteral("P(X=k)"), probability, {k, k}, rounding);
        values << Probability(QStringLiteral("P(X≤k)"), probability, {std::nullopt, k}, rounding);
    }
    if (asked.range)
        values << Probability(QStringLiteral("P(a≤X≤b)"), probability, *asked.range, rounding);
    values << Named(QStringLiteral("E(X)"), mean, rounding);
    values << Named(QStringLiteral("D(X)"), variance, rounding);
    return values;
}

CountBars MakeBars(long long least, long long most, long long centre, const AskedCounts &asked,
                   const std::function<double(long long)> &mass)
{
    CountBars bars;
    if (most - least + 1 > MaxBars) {
        least = std::max(least, centre - MaxBars / 2);
        most = least + MaxBars - 1;
    }
    bars.first = least;
    for (long long k = least; k <= most; ++k)
        bars.heights.push_back(mass(k));
    bars.asked = asked;
    return bars;
}

bool CountBars::Asks(long long k) const
{
    const std::optional<CountRange> &range = asked.range;
    return asked.k == k || (range && range->from.value_or(k) <= k && k <= range->to.value_or(k));
}

Ui::WorkingBlock DistributionRows(long long least, long long most,
                                  const CountProbabilityOf &probability, Rounding rounding)
{
    Ui::WorkingBlock block{
            QStringLiteral("分布列"),
            std::nullopt,
            {QStringLiteral("k"), QStringLiteral("P(X=k)"), QStringLiteral("P(X≤k)")},
            {}};
    if (most - least + 1 > MaxWorkingRows) { // the rows around the middle, where the mean is
        least += (most - least + 1 - MaxWorkingRows) / 2;
        most = least + MaxWorkingRows - 1;
    }
    std::optional<DistributionValue> atMost = probability({std::nullopt, least - 1});
    for (long long k = least; k <= most && atMost; ++k) {
        const std::optional<DistributionValue> mass = probability({k, k});
        if (!mass)
            break;
        atMost = atMost->Plus(*mass);
        block.rows << QStringList{QString::number(k), mass->Shown(rounding),
                                  atMost->Shown(rounding)};
    }
    return block;
}

QString RangeText(const CountRange &range)
{
    return QStringLiteral("P(%1X%2)")
            .arg(range.from ? QString::number(*range.from) + u'≤' : QString(),
                 range.to ? u'≤' + QString::number(*range.to) : QString());
}

Ui::WorkingBlock WorkingLine(const QString &title, const QString &text,
                             const std::optional<DistributionValue> &result, Rounding rounding)
{
    const QString value = result ? result->Shown(rounding) : QStringLiteral("?");
    return {title, std::nullopt, {}, {{text + QStringLiteral(" = ") + value}}};
}

} // namespace Statistics
