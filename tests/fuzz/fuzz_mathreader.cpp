// The reader of the student notation and the exact evaluation behind 科学计算: any text is
// refused with a reason (silently only when it is blank) or read as a tree that evaluates in
// either angle unit to a value or a named refusal, never a crash or a hang; an exact value's
// text, where it is no longer than a typed line, reads back as the same number (or as a decimal
// where a radicand's large primes cannot be found again), and its decimal is the floating-point
// evaluation's.

#include "eval/mathevaluation.h"
#include "fuzzsupport.h"

using namespace Eval;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    if (text.size() > 200) // the longest line the speed is promised for
        return 0;
    const auto tree = ReadMath(text);
    if (!tree) {
        Fuzz::Check(!tree.refusal().isEmpty() || text.trimmed().isEmpty(), "silent refusal", text);
        return 0;
    }
    for (const AngleUnit unit : {AngleUnit::Degrees, AngleUnit::Radians}) {
        const MathContext context{unit, std::nullopt};
        const auto value = EvaluateMath(*tree, context);
        if (!value) {
            Fuzz::Check(!value.refusal().isEmpty(), "silent evaluation refusal", text);
            continue;
        }
        // A form as long as a typed line reads back; a longer one is shown as a decimal.
        if (!value->exact || value->exact->ToText().size() > 200)
            continue;
        const auto again = ReadMath(value->exact->ToText());
        Fuzz::Check(again.ok(), "exact text does not read back", value->exact->ToText());
        const auto same = EvaluateMath(*again, context);
        // Typed, a root of a product of two primes past 2^16 is not factored again: its value
        // is then a decimal, but never another exact number.
        Fuzz::Check(same && (!same->exact || *same->exact == *value->exact), "exact text differs",
                    text + QStringLiteral(" → ") + value->exact->ToText());
        // A fraction may lie halfway between two 10-digit decimals, where the two round apart.
        const auto floating = ApproximateMath(*tree, context, 10);
        if (floating && !value->exact->AsRational())
            Fuzz::Check(DecimalText(*floating) == DecimalText(value->shortDecimal),
                        "exact decimal differs from floating point", text);
    }
    return 0;
}
