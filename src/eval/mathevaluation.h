#pragma once

#include "eval/exactnumber.h"
#include "eval/mathformula.h"
#include "eval/mathreader.h"
#include "eval/outcome.h"

#include <optional>

namespace Eval {

enum class AngleUnit { Degrees, Radians };

// A line's value: exact where the textbook is (5√3, √3/2, 2π/3, 3), else only its decimal.
struct MathValue
{
    std::optional<ExactNumber> exact;
    Decimal decimal; // to MathValue::Digits significant digits, correctly rounded
    Decimal shortDecimal; // to 10 significant digits
    bool isAngle = false; // an angle in degrees (arcsin(1/2) in degrees is 30°)
    static constexpr int Digits = 15;
};

struct MathContext
{
    AngleUnit angle = AngleUnit::Degrees;
    std::optional<MathValue> ans; // what "Ans" stands for; 0 before any answer
};

// Works the tree out: exactly where every step has an exact result in ExactNumber (special
// angles, exact logarithms, e^(ln x) = x, lg 2 + lg 5 = 1), else in binary floating point of
// growing precision until two precisions agree on the digits shown. A domain error refuses
// with its name ("负数不能开平方", "对数的真数必须大于0", "除数不能为0", "tan 90° 不存在", …),
// as do a factorial past MaxFactorial and a result beyond the floating-point range.
Outcome<MathValue> EvaluateMath(const MathNode &tree, const MathContext &context = {});

// The floating-point evaluation alone, to `significant` digits: the second way to the same
// value that the tests hold the exact one against.
Outcome<Decimal> ApproximateMath(const MathNode &tree, const MathContext &context, int significant);

inline constexpr long MaxFactorial = 10'000;

} // namespace Eval
