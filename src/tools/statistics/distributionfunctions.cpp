#include "tools/statistics/distributionfunctions.h"

#include <boost/config.hpp>
// The float below is Boost's own; its conversions to and from the compiler's __float128 would
// need libquadmath for nothing.
#undef BOOST_HAS_FLOAT128
#define BOOST_MATH_DISABLE_FLOAT128

#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/poisson.hpp>
#include <boost/multiprecision/cpp_bin_float.hpp>

#include <exception>
#include <string>

using namespace Eval;

namespace Statistics {

namespace {

namespace mp = boost::multiprecision;

// 113 bits, so that Boost.Math takes its methods tuned for that precision (a wider float falls
// back to series that give up for large n); the default exponent range of about ±2^31 bits.
using Precise = mp::number<mp::cpp_bin_float<113, mp::digit_base_2>, mp::et_off>;

// Digits beyond the ~34 the float holds only repeat its rounding.
constexpr int PreciseDigits = 36;

Precise ToPrecise(const Rational &value)
{
    return Precise(value.ToDecimalText(PreciseDigits + 4).toStdString());
}

std::optional<DecimalDigits> ToDigits(const Precise &value)
{
    if (!boost::math::isfinite(value))
        return std::nullopt;
    return ReadDecimalDigits(
            QString::fromStdString(value.str(PreciseDigits, std::ios_base::scientific)));
}

// Runs a computation of the library, which reports what it cannot do by throwing.
template<typename Compute>
std::optional<DecimalDigits> Guarded(Compute compute)
{
    try {
        const Precise value = compute();
        if (value < 0 || value > 1)
            return std::nullopt;
        return ToDigits(value);
    } catch (const std::exception &) {
        return std::nullopt;
    }
}

// P(from ≤ X ≤ to) of a distribution of counts, from whichever tail keeps the digits: below
// the mean P(X ≤ to) − P(X < from), above it P(X ≥ from) − P(X > to).
template<typename Distribution>
Precise CountProbability(const Distribution &distribution, const CountRange &range,
                         const Precise &mean)
{
    const long long from = std::max(0LL, range.from.value_or(0));
    if (range.to && *range.to < from)
        return 0;
    if (range.to && *range.to == from)
        return pdf(distribution, Precise(from));
    const auto above = [&](long long k) {
        return k < 0 ? Precise(1) : cdf(complement(distribution, Precise(k)));
    };
    const auto atMost
            = [&](long long k) { return k < 0 ? Precise(0) : cdf(distribution, Precise(k)); };
    if (!range.to)
        return above(from - 1);
    if (Precise(from) > mean)
        return above(from - 1) - above(*range.to);
    return atMost(*range.to) - atMost(from - 1);
}

} // namespace

std::optional<DecimalDigits> BinomialProbability(long long n, const Rational &p,
                                                 const CountRange &range)
{
    return Guarded([&] {
        const Precise probability = ToPrecise(p);
        const boost::math::binomial_distribution<Precise> distribution(Precise(n), probability);
        CountRange within = range;
        if (!within.to || *within.to > n)
            within.to = n;
        return CountProbability(distribution, within, Precise(n) * probability);
    });
}

std::optional<DecimalDigits> PoissonProbability(const Rational &lambda, const CountRange &range)
{
    return Guarded([&] {
        const Precise mean = ToPrecise(lambda);
        return CountProbability(boost::math::poisson_distribution<Precise>(mean), range, mean);
    });
}

std::optional<DecimalDigits> NormalProbability(const Rational &mean, const Rational &deviation,
                                               const std::optional<Rational> &from,
                                               const std::optional<Rational> &to)
{
    return Guarded([&] {
        const boost::math::normal_distribution<Precise> standard;
        const auto z = [&](const Rational &x) { return ToPrecise(*(x - mean).Divide(deviation)); };
        const auto below = [&](const std::optional<Rational> &x) {
            return x ? cdf(standard, z(*x)) : Precise(1);
        };
        const auto above = [&](const std::optional<Rational> &x) {
            return x ? cdf(complement(standard, z(*x))) : Precise(1);
        };
        if (from && to && *to < *from)
            return Precise(0);
        // Both ends above the mean: from the upper tail, where the digits are.
        if (from && *from >= mean)
            return above(from) - (to ? above(to) : Precise(0));
        return below(to) - (from ? below(from) : Precise(0));
    });
}

std::optional<DecimalDigits> StandardNormalAtMost(const Rational &z)
{
    return NormalProbability(Rational(), Rational(1), std::nullopt, z);
}

std::optional<DecimalDigits> NormalQuantile(const Rational &mean, const Rational &deviation,
                                            const Rational &p)
{
    try {
        const boost::math::normal_distribution<Precise> standard;
        const Rational half = *Rational(1).Divide(Rational(2));
        // Above 1/2 from the upper tail: 1 − p is exact, p near 1 as a float is not.
        const Precise z = p > half ? -quantile(standard, ToPrecise(Rational(1) - p))
                                   : quantile(standard, ToPrecise(p));
        return ToDigits(ToPrecise(mean) + ToPrecise(deviation) * z);
    } catch (const std::exception &) {
        return std::nullopt;
    }
}

double BinomialMass(long long n, double p, long long k)
{
    try {
        return pdf(boost::math::binomial_distribution<double>(double(n), p), double(k));
    } catch (const std::exception &) {
        return 0;
    }
}

double PoissonMass(double lambda, long long k)
{
    try {
        return pdf(boost::math::poisson_distribution<double>(lambda), double(k));
    } catch (const std::exception &) {
        return 0;
    }
}

} // namespace Statistics
