// The reader of typed numbers and the exact fraction it gives: any text is refused with a
// reason or read as a reduced fraction whose text reads back as itself; a plain decimal rounds
// to the double the program's own reader (the C library's strtod) gives; a fraction is its
// numerator's value over its denominator's; a decimal text of the value lies within half a unit
// of its last digit. The first line is the text, the second's first character the digits.

#include "eval/numberreading.h"
#include "eval/rational.h"
#include "fuzzsupport.h"

#include <cstring>

using namespace Eval;

namespace {

bool IsPlainDecimal(const QString &text)
{
    for (QChar c : text) {
        if (!QStringLiteral("+-.0123456789eE").contains(c))
            return false;
    }
    return !text.isEmpty();
}

void CheckFraction(const QString &text, const Rational &value)
{
    const qsizetype slash = text.indexOf(u'/');
    const Outcome<Rational> numerator = ReadRational(text.left(slash));
    const Outcome<Rational> denominator = ReadRational(text.mid(slash + 1));
    Fuzz::Check(numerator && denominator && *denominator * value == *numerator,
                "a fraction is its numerator over its denominator", text);
}

// |shown − value| ≤ |value| / 2 × 10^(1 − digits) bounds half a unit of the last digit.
void CheckDecimal(const Rational &value, int digits)
{
    const QString shown = value.ToDecimalText(digits);
    const Outcome<Rational> back = ReadRational(shown);
    if (!back) {
        Fuzz::Check(shown.contains(u'e'), "a decimal text reads back unless its exponent is long",
                    shown);
        return;
    }
    const Rational error = (*back - value).Absolute() * Rational(2);
    Fuzz::Check(error * *Rational(10).Power(digits - 1) <= value.Absolute(),
                "a decimal text is within half a unit of its last digit", shown);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = Fuzz::Lines(data, size, 2);
    const QString &text = lines[0];
    const Outcome<Rational> value = ReadRational(text);
    if (!value) {
        Fuzz::Check(!value.refusal().isEmpty(), "a refusal says why", text);
        return 0;
    }
    const QString fraction = value->ToText();
    Fuzz::Check(Fuzz::IsReducedFraction(fraction), "the value is a reduced fraction", fraction);
    const Outcome<Rational> again = ReadRational(fraction);
    Fuzz::Check(again && *again == *value, "the fraction reads back as itself", fraction);
    if (IsPlainDecimal(text) && value->Sign() != 0) {
        const double expected = TextToNumber(text);
        const double actual = value->ToDouble();
        Fuzz::Check(std::memcmp(&expected, &actual, sizeof actual) == 0,
                    "a decimal rounds to the double strtod gives", text);
    }
    if (text.count(u'/') + text.count(u'／') == 1)
        CheckFraction(text.contains(u'／') ? QString(text).replace(u'／', u'/') : text, *value);
    CheckDecimal(*value, 1 + Fuzz::At(lines[1], 0) % 40);
    return 0;
}
