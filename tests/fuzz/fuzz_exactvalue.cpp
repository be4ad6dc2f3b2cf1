// The exact evaluator of 四则运算 on any text, as typed (through the notation's rewrites) and as
// given: it refuses or answers within its bounds, an answer is a reduced fraction no longer than
// the shown maximum, and that fraction, evaluated again, is its own exact value.

#include "eval/exactarithmetic.h"
#include "eval/expression.h"
#include "fuzzsupport.h"

#include <gmp.h>

#include <cstring>

using namespace Eval;

namespace {

// True for "p/q" or "p" in lowest terms with q > 1, as GMP writes a canonical rational.
bool IsReducedFraction(const QString &fraction)
{
    mpq_t value;
    mpq_init(value);
    const QByteArray text = fraction.toLatin1();
    bool reduced = mpq_set_str(value, text.constData(), 10) == 0;
    if (reduced) {
        mpq_canonicalize(value);
        char *canonical = mpq_get_str(nullptr, 10, value);
        reduced = text == canonical;
        void (*release)(void *, size_t);
        mp_get_memory_functions(nullptr, nullptr, &release);
        release(canonical, std::strlen(canonical) + 1);
    }
    mpq_clear(value);
    return reduced;
}

void CheckExactValue(const QString &prepared)
{
    const ExactValue exact = EvaluateExactly(prepared);
    if (exact.kind != ExactKind::Value)
        return;
    Fuzz::Check(IsReducedFraction(exact.fraction), "the fraction is reduced", exact.fraction);
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
