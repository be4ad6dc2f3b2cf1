// The exact evaluator of 四则运算 on any text, as typed (through the notation's rewrites) and as
// given: it refuses or answers within its bounds, an answer is a reduced fraction no longer than
// the shown maximum, and that fraction, evaluated again, is its own exact value.

#include "eval/exactarithmetic.h"
#include "eval/expression.h"
#include "fuzzsupport.h"

using namespace Eval;

namespace {

void CheckExactValue(const QString &prepared)
{
    const ExactValue exact = EvaluateExactly(prepared);
    if (exact.kind != ExactKind::Value)
        return;
    Fuzz::Check(Fuzz::IsReducedFraction(exact.fraction), "the fraction is reduced", exact.fraction);
    Fuzz::Check(exact.fraction.size() <= 2 * MaxExactDigits + 2, "the fraction fits the maximum",
                prepared);
    const ExactValue again = EvaluateExactly(exact.fraction);
    Fuzz::Check(again.kind == ExactKind::Value && again.fraction == exact.fraction,
                "a fraction is its own exact value", exact.fraction);
    Fuzz::Check(exact.decimal.isEmpty() == !exact.fraction.contains(u'/'),
                "only a whole number shows without a decimal", exact.fraction);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::EnsureApplication();
    const QString text = Fuzz::Text(data, size);
    CheckExactValue(text);
    CheckExactValue(PrepareExpression(text));
    return 0;
}
