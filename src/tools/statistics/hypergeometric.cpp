#include "tools/statistics/hypergeometric.h"

#include "eval/bigint.h"

#include <cmath>

using namespace Eval;

namespace Statistics {

namespace {

// The values X can take: max(0, n − (N − M)) … min(n, M).
std::pair<long long, long long> Support(const HypergeometricQuestion &question)
{
    return {std::max(0LL, question.drawn - (question.population - question.marked)),
            std::min(question.drawn, question.marked)};
}

// Tₖ = C(M, k)·C(N − M, n − k), the next Tₖ₊₁ = Tₖ·(M − k)(n − k) / ((k + 1)(N − M − n + k + 1)).
BigInteger Term(const HypergeometricQuestion &question, long long k)
{
    return BigInteger::Binomial(question.marked, k)
            .Multiply(BigInteger::Binomial(question.population - question.marked,
                                           question.drawn - k));
}

BigInteger Sum(const HypergeometricQuestion &question, long long from, long long to)
{
    const long long N = question.population, M = question.marked, n = question.drawn;
    BigInteger term = Term(question, from);
    BigInteger sum = term;
    for (long long k = from; k < to; ++k) {
        term = *term.Multiply(BigInteger(long((M - k) * (n - k))))
                        .Quotient(BigInteger(long(k + 1))
                                          .Multiply(BigInteger(long(N - M - n + k + 1))));
        sum = sum.Add(term);
    }
    return sum;
}

Rational Mean(const HypergeometricQuestion &question)
{
    return *Rational(long(question.drawn * question.marked))
                    .Divide(Rational(long(question.population)));
}

// D(X) = n·(M/N)·(1 − M/N)·(N − n)/(N − 1).
Rational Variance(const HypergeometricQuestion &question)
{
    const Rational N(long(question.population));
    if (question.population == 1)
        return Rational();
    const Rational share = *Rational(long(question.marked)).Divide(N);
    return *(Rational(long(question.drawn)) * share * (Rational(1) - share)
             * (N - Rational(long(question.drawn))))
                    .Divide(N - Rational(1));
}

} // namespace

Outcome<HypergeometricQuestion> ReadHypergeometric(const QString &populationText,
                                                   const QString &markedText,
                                                   const QString &drawnText, const QString &kText,
                                                   const QString &aText, const QString &bText)
{
    const Outcome<long long> population
            = ReadWholeInput(populationText, QStringLiteral("N"), 1, MaxHypergeometricN);
    if (!population)
        return Refuse(population.refusal());
    const Outcome<long long> marked
            = ReadWholeInput(markedText, QStringLiteral("M"), 0, *population);
    if (!marked)
        return Refuse(marked.refusal());
    const Outcome<long long> drawn = ReadWholeInput(drawnText, QStringLiteral("n"), 1, *population);
    if (!drawn)
        return Refuse(drawn.refusal());
    const Outcome<AskedCounts> asked = ReadAskedCounts(kText, aText, bText);
    if (!asked)
        return Refuse(asked.refusal());
    return HypergeometricQuestion{*population, *marked, *drawn, *asked};
}

DistributionValue HypergeometricValue(const HypergeometricQuestion &question,
                                      const CountRange &range)
{
    const auto [least, most] = Support(question);
    const long long from = std::max(least, range.from.value_or(least));
    const long long to = std::min(most, range.to.value_or(most));
    if (from > to)
        return DistributionValue::Exact(Rational());
    const BigInteger total = BigInteger::Binomial(question.population, question.drawn);
    // From the side with fewer terms.
    const long long inside = to - from + 1;
    if (2 * inside <= most - least + 1)
        return DistributionValue::Exact(*Rational::FromFraction(Sum(question, from, to), total));
    BigInteger rest;
    if (from > least)
        rest = Sum(question, least, from - 1);
    if (to < most)
        rest = rest.Add(Sum(question, to + 1, most));
    return DistributionValue::Exact(Rational(1) - *Rational::FromFraction(rest, total));
}

Ui::NamedValues HypergeometricResults(const HypergeometricQuestion &question, Rounding rounding)
{
    return CountResults(
            question.asked,
            [&](const CountRange &range) { return HypergeometricValue(question, range); },
            DistributionValue::Exact(Mean(question)), DistributionValue::Exact(Variance(question)),
            rounding);
}

CountBars HypergeometricBars(const HypergeometricQuestion &question)
{
    const auto [least, most] = Support(question);
    const auto logChoose = [](long long n, long long k) {
        return std::lgamma(double(n) + 1) - std::lgamma(double(k) + 1)
                - std::lgamma(double(n - k) + 1);
    };
    const long long N = question.population, M = question.marked, n = question.drawn;
    CountBars bars = MakeBars(
            least, most, std::llround(Mean(question).ToDouble()), question.asked, [&](long long k) {
                return std::exp(logChoose(M, k) + logChoose(N - M, n - k) - logChoose(N, n));
            });
    bars.caption = QStringLiteral("H(%1, %2, %3)").arg(N).arg(M).arg(n);
    return bars;
}

Ui::Working HypergeometricWorking(const HypergeometricQuestion &question, Rounding rounding)
{
    Ui::Working working;
    const auto line = [&](const QString &title, const QString &text,
                          const std::optional<DistributionValue> &result) {
        working << WorkingLine(title, text, result, rounding);
    };
    const long long N = question.population, M = question.marked, n = question.drawn;
    if (const std::optional<long long> k = question.asked.k) {
        line(QStringLiteral("P(X=k) = C(M, k)·C(N−M, n−k) / C(N, n)"),
             QStringLiteral("P(X=%1) = C%2%3×C%4%5 / C%6%7")
                     .arg(*k)
                     .arg(SubscriptDigits(M), Ui::Superscript(int(*k)), SubscriptDigits(N - M),
                          Ui::Superscript(int(n - *k)), SubscriptDigits(N),
                          Ui::Superscript(int(n))),
             HypergeometricValue(question, {k, k}));
        line(QStringLiteral("P(X≤k) = P(X=0) + … + P(X=k)"), QStringLiteral("P(X≤%1)").arg(*k),
             HypergeometricValue(question, {std::nullopt, k}));
    }
    if (const std::optional<CountRange> range = question.asked.range)
        line(QStringLiteral("P(a≤X≤b) = P(X=a) + … + P(X=b)"), RangeText(*range),
             HypergeometricValue(question, *range));
    line(QStringLiteral("E(X) = nM/N"), QStringLiteral("E(X) = %1×%2/%3").arg(n).arg(M).arg(N),
         DistributionValue::Exact(Mean(question)));
    line(QStringLiteral("D(X) = n·(M/N)·(1 − M/N)·(N − n)/(N − 1)"), QStringLiteral("D(X)"),
         DistributionValue::Exact(Variance(question)));
    // The rows within 6σ of the mean, where the probability is.
    const auto [least, most] = Support(question);
    const double mean = Mean(question).ToDouble();
    const double spread = 6 * std::sqrt(Variance(question).ToDouble()) + 1;
    working << DistributionRows(
            std::max(least, (long long)std::floor(mean - spread)),
            std::min(most, (long long)std::ceil(mean + spread)),
            [&](const CountRange &range) {
                return std::optional<DistributionValue>(HypergeometricValue(question, range));
            },
            rounding);
    return working;
}

} // namespace Statistics
