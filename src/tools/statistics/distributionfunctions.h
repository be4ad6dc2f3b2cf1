#pragma once

#include "eval/rational.h"
#include "tools/statistics/distributionvalue.h"

#include <optional>

namespace Statistics {

// The probabilities the textbook leaves as decimals, from Boost.Math on a binary float of 113
// bits whose exponent goes far beyond a double's (down to about 10^-646000000): some 30
// significant digits, relative ones also deep in the tails (P(X ≤ 1) of B(10^6, 1/2) is about
// 1.01e-301024, not 0). Nothing where the library gives up.

// Whole counts from … to; an open end is nothing.
struct CountRange
{
    std::optional<long long> from;
    std::optional<long long> to;
};

// P(from ≤ X ≤ to) of B(n, p), 0 ≤ p ≤ 1.
std::optional<DecimalDigits> BinomialProbability(long long n, const Eval::Rational &p,
                                                 const CountRange &range);
// P(from ≤ X ≤ to) of the Poisson distribution with mean λ > 0.
std::optional<DecimalDigits> PoissonProbability(const Eval::Rational &lambda,
                                                const CountRange &range);
// P(a ≤ X ≤ b) of N(μ, σ²), σ > 0; an open end is nothing.
std::optional<DecimalDigits> NormalProbability(const Eval::Rational &mean,
                                               const Eval::Rational &deviation,
                                               const std::optional<Eval::Rational> &from,
                                               const std::optional<Eval::Rational> &to);
// Φ(z) of the standard normal distribution, for the working.
std::optional<DecimalDigits> StandardNormalAtMost(const Eval::Rational &z);
// The x with P(X ≤ x) = p of N(μ, σ²), 0 < p < 1.
std::optional<DecimalDigits> NormalQuantile(const Eval::Rational &mean,
                                            const Eval::Rational &deviation,
                                            const Eval::Rational &p);

// In doubles, for the pictures: P(X = k) of B(n, p) and of the Poisson distribution, 0 where
// a double underflows.
double BinomialMass(long long n, double p, long long k);
double PoissonMass(double lambda, long long k);

} // namespace Statistics
