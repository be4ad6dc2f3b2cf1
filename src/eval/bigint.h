#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace Eval {

class Rational;

// An exact integer of any length. Failures are values (std::nullopt), never exceptions or
// aborts. Copying copies the digits; moving is cheap. A moved-from value may only be assigned
// to or destroyed.
class BigInteger
{
public:
    BigInteger(); // zero
    explicit BigInteger(long value);
    ~BigInteger();
    BigInteger(const BigInteger &other);
    BigInteger(BigInteger &&other) noexcept;
    BigInteger &operator=(const BigInteger &other);
    BigInteger &operator=(BigInteger &&other) noexcept;

    // An integer literal as the big-number tool reads it: optional "+" or "-", then "0x"/"0X"
    // for base 16, "0b"/"0B" for base 2, any other leading 0 for base 8, else base 10; digits
    // of that base up to the first other character ("0123" is 83, "09" is 0, "12-3" is 12,
    // "abc" is 0). Nothing for the empty text and a lone sign.
    static std::optional<BigInteger> ParseLiteral(const QString &text);
    // Optional "-", then one or more digits of `base` (2..36, letters in either case) and
    // nothing else. Nothing for any other text or base.
    static std::optional<BigInteger> FromDigits(const QString &text, int base = 10);
    // Digits of `base` (2..36) in upper case, "-" before a negative value, "0" for zero;
    // the empty text for any other base.
    QString ToText(int base = 10) const;

    BigInteger Add(const BigInteger &other) const;
    BigInteger Subtract(const BigInteger &other) const;
    BigInteger Multiply(const BigInteger &other) const;
    // Truncated toward zero; nothing for a zero divisor.
    std::optional<BigInteger> Quotient(const BigInteger &divisor) const;
    // this - divisor * floor(this / divisor): zero or the sign of the divisor; nothing for a
    // zero divisor.
    std::optional<BigInteger> Remainder(const BigInteger &divisor) const;
    // -1, 0 or 1 as this is smaller than, equal to or greater than `other`.
    int Compare(const BigInteger &other) const;
    // -1, 0 or 1.
    int Sign() const;

    bool operator==(const BigInteger &other) const { return Compare(other) == 0; }
    bool operator!=(const BigInteger &other) const { return Compare(other) != 0; }
    bool operator<(const BigInteger &other) const { return Compare(other) < 0; }

private:
    friend class Rational; // builds from and gives its parts without a detour through text
    struct Value;
    std::unique_ptr<Value> m_value;
};

} // namespace Eval
