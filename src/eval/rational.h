#pragma once

#include "eval/bigint.h"
#include "eval/outcome.h"

#include <QString>

#include <memory>
#include <optional>

namespace Eval {

// An exact fraction of any size, always reduced, its denominator positive. Failures are values
// (std::nullopt, a refusal), never exceptions or aborts. Copying copies the digits; moving is
// cheap. A moved-from value may only be assigned to or destroyed.
class Rational
{
public:
    Rational(); // zero
    explicit Rational(long value);
    explicit Rational(const BigInteger &value);
    ~Rational();
    Rational(const Rational &other);
    Rational(Rational &&other) noexcept;
    Rational &operator=(const Rational &other);
    Rational &operator=(Rational &&other) noexcept;

    // numerator / denominator, reduced; nothing for a zero denominator.
    static std::optional<Rational> FromFraction(const BigInteger &numerator,
                                                const BigInteger &denominator);
    // The exact binary value of a finite double (0.1 is 3602879701896397/36028797018963968,
    // -0 is 0); nothing for an infinity or NaN.
    static std::optional<Rational> FromDouble(double value);

    Rational operator+(const Rational &other) const;
    Rational operator-(const Rational &other) const;
    Rational operator*(const Rational &other) const;
    Rational operator-() const;
    // Nothing for a zero divisor.
    std::optional<Rational> Divide(const Rational &divisor) const;
    // this to a whole power (0 to the power 0 is 1); nothing for 0 to a negative power and for
    // a result whose numerator or denominator would pass MaxPowerBits.
    std::optional<Rational> Power(long exponent) const;
    Rational Absolute() const;
    // this × 2^exponent, exactly.
    Rational ScaledByPowerOfTwo(long exponent) const;
    // e with 2^(e − 1) < |this| < 2^(e + 1), for scaling a value into the double range; 0 for
    // zero.
    long BinaryExponent() const;
    // The non-negative rational whose square this is; nothing for a negative value and for one
    // that is no square of a rational (2, 1/3).
    std::optional<Rational> SquareRoot() const;

    // -1, 0 or 1 as this is smaller than, equal to or greater than `other`.
    int Compare(const Rational &other) const;
    // -1, 0 or 1.
    int Sign() const;
    bool IsInteger() const;
    BigInteger Numerator() const; // carries the sign
    BigInteger Denominator() const; // positive; 1 for a whole number

    // The nearest double, ties to even (correctly rounded, unlike a quotient of two rounded
    // doubles); ±infinity beyond the double range, a subnormal or 0 near zero, +0 for zero.
    double ToDouble() const;
    // "7/6", "-1/2"; a whole number alone: "14", "0".
    QString ToText() const;
    // Rounded half away from zero to `significant` digits (1 … MaxDecimalDigits, clamped),
    // shown as NumberToText shows a double: plain when the decimal exponent X of the rounded
    // value is in -4 ≤ X < significant, else "1.5e+020"; trailing zeros removed; "0" for zero.
    QString ToDecimalText(int significant) const;

    bool operator==(const Rational &other) const { return Compare(other) == 0; }
    bool operator!=(const Rational &other) const { return Compare(other) != 0; }
    bool operator<(const Rational &other) const { return Compare(other) < 0; }
    bool operator>(const Rational &other) const { return Compare(other) > 0; }
    bool operator<=(const Rational &other) const { return Compare(other) <= 0; }
    bool operator>=(const Rational &other) const { return Compare(other) >= 0; }

    // Longest numerator or denominator, in bits, that Power builds (about 301,000 digits).
    static constexpr long MaxPowerBits = 1'000'000;
    static constexpr int MaxDecimalDigits = 10'000;

private:
    struct Value;
    std::unique_ptr<Value> m_value;
};

// Largest power of ten a typed exponent may give ("1e4000" is refused), so that reading never
// builds a huge number.
inline constexpr int MaxTypedExponent = 4000;

// A number as a student types it, exactly: spaces around it ignored; an optional sign (+, -, −
// and their full-width forms); digits (full-width too) with an optional decimal point ("5",
// ".5", "5."); an optional exponent "e" or "E" with an optional sign and digits, at most
// MaxTypedExponent in size; optionally "/" and a second such number ("1/2", "-3/4", "1.5/2",
// "2e3/-4"). Anything else, the empty text and a zero denominator are refused with a reason
// that says what to type.
Outcome<Rational> ReadRational(const QString &text);
// A box that may be left empty: empty, blank or a lone sign (a number begun, which the
// number rules have always read as 0) is 0; any other text is ReadRational's.
Outcome<Rational> ReadRationalOrZero(const QString &text);
// Whether ReadRational refuses the text only because it is still being typed: it does not end
// in a digit, and one digit more would make it a number ("", "-", ".", "1e", "2e-", "1/").
bool IsUnfinishedNumber(const QString &text);

} // namespace Eval
