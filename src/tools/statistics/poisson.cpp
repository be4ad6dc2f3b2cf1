#include "tools/statistics/poisson.h"

#include "eval/bigint.h"

#include <cmath>

using namespace Eval;

namespace Statistics {

namespace {

// The exact form is worth writing for a few terms of short fractions only.
constexpr long long MostExactTerms = 40;
constexpr int LongestCoefficient = 30;

// Σ λᵏ/k! over the range, where it is short: the exact value is that times e^(−λ).
std::optional<Rational> Coefficient(const PoissonQuestion &question, const CountRange &range)
{
    const long long from = std::max(0LL, range.from.value_or(0));
    if (!range.to || *range.to - from >= MostExactTerms || *range.to > 10 * MostExactTerms)
        return std::nullopt;
    Rational sum;
    for (long long k = from; k <= *range.to; ++k)
        sum = sum
                + *question.mean.Power(long(k))->Divide(
                        Rational(BigInteger::Factorial((unsigned long)k)));
    if (sum.ToText().size() > LongestCoefficient)
        return std::nullopt;
    return sum;
}

// "4/3·e^(-2)" as copied and "4/3·e⁻²" as shown.
std::pair<QString, QString> ExactForms(const PoissonQuestion &question, const Rational &coefficient)
{
    const QString mean = DistributionValue::Exact(question.mean, question.asDecimal).ExactText();
    const QString factor = coefficient == Rational(1)
            ? QString()
            : DistributionValue::Exact(coefficient, question.asDecimal).ExactText() + u'·';
    const QString shownPower = question.mean.IsInteger() && question.mean.ToText().size() <= 4
            ? Ui::Superscript(-int(question.mean.ToDouble()))
            : QStringLiteral("^(−%1)").arg(mean);
    return {factor + QStringLiteral("e^(-%1)").arg(mean), factor + u'e' + shownPower};
}

} // namespace

Outcome<PoissonQuestion> ReadPoisson(const QString &meanText, const QString &kText,
                                     const QString &aText, const QString &bText)
{
    const Outcome<Rational> mean = ReadNumberInput(meanText, QStringLiteral("λ"));
    if (!mean)
        return Refuse(mean.refusal());
    if (mean->Sign() <= 0)
        return Refuse(QStringLiteral("λ 应大于 0"));
    if (*mean > Rational(long(MaxPoissonMean)))
        return Refuse(QStringLiteral("λ 不能超过 %1").arg(MaxPoissonMean));
    const Outcome<AskedCounts> asked = ReadAskedCounts(kText, aText, bText);
    if (!asked)
        return Refuse(asked.refusal());
    return PoissonQuestion{*mean, TypedAsDecimals({meanText}), *asked};
}

std::optional<DistributionValue> PoissonValue(const PoissonQuestion &question,
                                              const CountRange &range)
{
    if (range.to && *range.to < std::max(0LL, range.from.value_or(0)))
        return DistributionValue::Exact(Rational());
    const std::optional<DecimalDigits> digits = PoissonProbability(question.mean, range);
    if (!digits)
        return std::nullopt;
    if (const std::optional<Rational> coefficient = Coefficient(question, range)) {
        const auto [copied, shown] = ExactForms(question, *coefficient);
        return DistributionValue::Approximate(*digits, copied, shown);
    }
    return DistributionValue::Approximate(*digits);
}

Ui::NamedValues PoissonResults(const PoissonQuestion &question, Rounding rounding)
{
    const DistributionValue mean = DistributionValue::Exact(question.mean, question.asDecimal);
    return CountResults(
            question.asked, [&](const CountRange &range) { return PoissonValue(question, range); },
            mean, mean, rounding);
}

namespace {

std::pair<long long, long long> ShownCounts(const PoissonQuestion &question)
{
    const double mean = question.mean.ToDouble();
    const double spread = 6 * std::sqrt(mean) + 6;
    return {std::max(0LL, (long long)std::floor(mean - spread)),
            (long long)std::ceil(mean + spread)};
}

} // namespace

CountBars PoissonBars(const PoissonQuestion &question)
{
    const auto [least, most] = ShownCounts(question);
    const double mean = question.mean.ToDouble();
    CountBars bars = MakeBars(least, most, std::llround(mean), question.asked,
                              [&](long long k) { return PoissonMass(mean, k); });
    bars.caption = QStringLiteral("P(%1)").arg(
            DistributionValue::Exact(question.mean, question.asDecimal).ExactText());
    return bars;
}

Ui::Working PoissonWorking(const PoissonQuestion &question, Rounding rounding)
{
    Ui::Working working;
    const auto value = [&](const CountRange &range) { return PoissonValue(question, range); };
    const QString mean = DistributionValue::Exact(question.mean, question.asDecimal).ExactText();
    const auto line = [&](const QString &title, const QString &text,
                          const std::optional<DistributionValue> &result) {
        working << WorkingLine(title, text, result, rounding);
    };
    if (const std::optional<long long> k = question.asked.k; k && *k >= 0) {
        line(QStringLiteral("P(X=k) = λᵏe^(−λ)/k!"),
             QStringLiteral("P(X=%1) = %2%3·%4/%1!")
                     .arg(*k)
                     .arg(question.mean.IsInteger() ? mean : u'(' + mean + u')',
                          Ui::Superscript(int(*k)), ExactForms(question, Rational(1)).second),
             value({k, k}));
        line(QStringLiteral("P(X≤k) = P(X=0) + … + P(X=k)"), QStringLiteral("P(X≤%1)").arg(*k),
             value({std::nullopt, k}));
    }
    if (const std::optional<CountRange> range = question.asked.range)
        line(QStringLiteral("P(a≤X≤b) = P(X=a) + … + P(X=b)"), RangeText(*range), value(*range));
    line(QStringLiteral("E(X) = D(X) = λ"), QStringLiteral("E(X) = D(X)"),
         DistributionValue::Exact(question.mean, question.asDecimal));
    const auto [least, most] = ShownCounts(question);
    working << DistributionRows(least, most, value, rounding);
    return working;
}

} // namespace Statistics
