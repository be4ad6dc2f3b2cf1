#pragma once

#include <QString>

#include <optional>

namespace Eval {

// How numbers become text, once for the whole program.

// "%.13g" with three-digit exponents, "-0", "1.#INF", "-1.#INF" and "-1.#IND".
QString NumberToText(double value);
// What NumberToText's text reads back as, TextToNumber(NumberToText(value)), for a finite
// value, without making the text: the value rounded to 13 significant digits.
double ShownValue(double value);
// "%.6g" with the same particulars, for single-precision values.
QString SingleToText(float value);

// NumberToText after optional rounding, padded to `places` decimals, optional thousands commas.
QString FormatNumber(double value, std::optional<int> places = std::nullopt,
                     bool thousands = false);

// The number-to-text rule for a whole number given by its decimal digits (an optional "-",
// no leading zeros): up to 13 digits plain, beyond that 13 significant digits rounded half to
// even in exponent form, such as "1.234567890123e+013".
QString WholeNumberToText(const QString &digits);

} // namespace Eval
