#pragma once

#include "eval/mathformula.h"
#include "eval/rational.h"

#include <QString>

#include <memory>
#include <optional>

namespace Eval {

struct ExactNumberAccess;

// A real number as the textbook writes it exactly: a sum of terms q·∏pᵃ·πᵏ·eʲ with q a
// reduced fraction, each p a prime under a root (0 < a < 1, so √12 is 2√3, √(8/9) is 2√2/3,
// 1/√2 is √2/2) and k, j whole numbers. Like terms are always collected (√12 + √27 is 5√3) and
// a division rationalises its denominator (1/(√3−1) is (√3+1)/2). Roots of different primes
// are linearly independent over the rationals, and π over the algebraic numbers, so two equal
// numbers have one form: == compares values. (That e and π are independent too is believed
// but not known; no textbook number depends on it.)
//
// An operation whose exact result would pass the limits below (too many terms, too long a
// number, a root of a prime too large to find) gives nothing, and the caller shows a decimal
// instead: never a wrong exact form. Copying is cheap (the terms are shared).
class ExactNumber
{
public:
    ExactNumber(); // zero
    explicit ExactNumber(const Rational &value);
    explicit ExactNumber(long value);
    static ExactNumber Pi();
    static ExactNumber E();
    // The real `index`-th root (2 … MaxRootIndex) of a rational: ∛(−8) is −2. Nothing for an
    // even root of a negative number and where a prime factor is too large to find.
    static std::optional<ExactNumber> Root(const Rational &radicand, long index);

    ExactNumber operator-() const;
    std::optional<ExactNumber> Add(const ExactNumber &other) const;
    std::optional<ExactNumber> Subtract(const ExactNumber &other) const;
    std::optional<ExactNumber> Multiply(const ExactNumber &other) const;
    // Nothing for a zero divisor and for a divisor that is a sum with π or e in it.
    std::optional<ExactNumber> Divide(const ExactNumber &divisor) const;
    // A whole power (|exponent| ≤ MaxExponent), or a rational one of a single term
    // ((8/27)^(2/3) is 4/9, (−8)^(1/3) is −2). Nothing for 0 to a power ≤ 0, an even root of a
    // negative number, and what the form cannot hold (√(1+√2), π^(1/2)).
    std::optional<ExactNumber> Power(const Rational &exponent) const;

    bool IsZero() const;
    // -1, 0 or 1, decided by approximations precise enough to be sure.
    int Sign() const;
    std::optional<Rational> AsRational() const;
    // q where this is q·π (0 for zero).
    std::optional<Rational> AsPiMultiple() const;
    // The least whole number d > 0 with d·q whole for the coefficient q of every term, the
    // denominator of the one fraction ToFormula writes: 2 for (√3+1)/2, 6 for √2/2+1/3, 1 for 5√3.
    BigInteger CommonDenominator() const;
    // λ where this is base^λ with λ rational, for positive numbers of one term each:
    // 1000 to the base 10 is 3, e² to the base e is 2, √2 to the base 4 is 1/4.
    std::optional<Rational> LogarithmTo(const ExactNumber &base) const;

    bool operator==(const ExactNumber &other) const;
    bool operator!=(const ExactNumber &other) const { return !(*this == other); }

    // Positive terms first, roots before whole numbers, one common denominator:
    // "(√3+1)/2", "2−√3", "5√3/3", "2π/3", "−√2/2", "3/4".
    Formula ToFormula() const;
    QString ToText() const { return FormulaText(ToFormula()); }
    QString ToLatex() const { return FormulaLatex(ToFormula()); }
    // Correctly rounded to `significant` digits (1 … 1000): a whole or decimal fraction half
    // away from zero, anything else (never halfway) to the nearest.
    Decimal ToDecimal(int significant) const;
    double ToDouble() const;

    // Limits of the exact form; past them an operation gives nothing.
    static constexpr long MaxRootIndex = 100;
    static constexpr long MaxExponent = 10'000;
    static constexpr int MaxTerms = 64;
    static constexpr long MaxBits = 40'000; // of all numerators and denominators together
    // Of a product: pairs of terms, and the bits of one factor's terms times the other's.
    static constexpr int MaxTermPairs = 1024;
    static constexpr double MaxMultiplicationWork = 1e8;
    static constexpr int MaxFieldDegree = 16; // of the roots a divisor's inverse is built from

private:
    struct Terms;
    friend struct ExactNumberAccess;
    explicit ExactNumber(std::shared_ptr<const Terms> terms);
    std::shared_ptr<const Terms> m_terms;
};

} // namespace Eval
