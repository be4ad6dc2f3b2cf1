#pragma once

#include <QString>

#include <optional>
#include <stdexcept>

// How numbers become text and text becomes numbers, once for the whole program.

// "%.13g" with three-digit exponents, "-0", "1.#INF", "-1.#INF" and "-1.#IND".
QString NumberToText(double value);
// What NumberToText's text reads back as, TextToNumber(NumberToText(value)), for a finite
// value, without making the text: the value rounded to 13 significant digits.
double ShownValue(double value);
// "%.6g" with the same particulars, for single-precision values.
QString SingleToText(float value);

// Leading number of the (half-width folded) text; 0 when there is none.
double TextToNumber(const QString &text);
// Optional sign and decimal digits, accumulated in 32 bits without overflow check.
qint32 TextToInteger(const QString &text);
// The same for 64-bit integers.
qint64 TextToLongInteger(const QString &text);
// Truncation toward zero; values outside the 32-bit range saturate.
qint32 TextToInteger(double value);

// Truncation toward zero, except that a fraction beyond 0.999999999999 counts as whole.
qint32 IntegerPart(double value);

// Round half away from zero at the n-th decimal place (n < 0 rounds to tens, hundreds, …).
double RoundTo(double value, int places = 0);

// NumberToText after optional rounding, padded to `places` decimals, optional thousands commas.
QString FormatNumber(double value, std::optional<int> places = std::nullopt,
                     bool thousands = false);

// Folds full-width ASCII forms, the ideographic space, "～" and the stars to half-width.
QString ToHalfWidth(const QString &text);

// The program's equality of reals: |a - b| <= 1e-7.
bool NearlyEqual(double a, double b);
bool NearlyZero(double a);

// Booleans as the program shows them: "真" and "假".
QString BooleanToText(bool value);

// fmod, except that a zero divisor is refused.
class RemainderByZero : public std::domain_error
{
public:
    RemainderByZero();
    QString message() const; // "不能求余数于零"
};
double Remainder(double dividend, double divisor);

// The number-to-text rule for a whole number given by its decimal digits (an optional "-",
// no leading zeros): up to 13 digits plain, beyond that 13 significant digits rounded half to
// even in exponent form, such as "1.234567890123e+013".
QString WholeNumberToText(const QString &digits);
