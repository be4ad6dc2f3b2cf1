// The input of the fraction, series and divisor tools: every line of the input is typed into
// them. Fractions are checked against GMP's rationals, common divisors by dividing.

#include "eval/numbertext.h"
#include "fuzzsupport.h"
#include "tools/arith/commondivisors.h"
#include "tools/arith/fractionlogic.h"
#include "tools/arith/serieslogic.h"

#include <gmp.h>

#include <cmath>

using namespace Eval;
using namespace Arith;

namespace {

// p1/q1 op p2/q2 as GMP works it out, in the result's form.
FractionResult Expected(qint32 p1, qint32 q1, FractionOperator op, qint32 p2, qint32 q2)
{
    mpq_t a, b, r;
    mpq_inits(a, b, r, nullptr);
    mpq_set_si(a, p1, 1);
    mpq_set_si(b, p2, 1);
    mpz_set_si(mpq_denref(a), q1);
    mpz_set_si(mpq_denref(b), q2);
    mpq_canonicalize(a);
    mpq_canonicalize(b);
    switch (op) {
    case FractionOperator::Add:
        mpq_add(r, a, b);
        break;
    case FractionOperator::Subtract:
        mpq_sub(r, a, b);
        break;
    case FractionOperator::Multiply:
        mpq_mul(r, a, b);
        break;
    case FractionOperator::Divide:
        mpq_div(r, a, b);
        break;
    }
    FractionResult result;
    result.negative = mpq_sgn(r) < 0;
    mpq_abs(r, r);
    result.fraction = mpz_cmp_ui(mpq_denref(r), 1) != 0;
    char *numerator = mpz_get_str(nullptr, 10, mpq_numref(r));
    char *denominator = mpz_get_str(nullptr, 10, mpq_denref(r));
    result.text = QString::fromLatin1(numerator)
            + (result.fraction ? "\r\n" + QString::fromLatin1(denominator) : QString());
    free(numerator);
    free(denominator);
    mpq_clears(a, b, r, nullptr);
    return result;
}

void CheckFraction(const QStringList &lines)
{
    const FractionTexts texts{lines[0], lines[1], lines[2], lines[3]};
    const auto op = FractionOperator(Fuzz::At(lines[4], 0) % 4);
    const Outcome<FractionResult> update = UpdateFraction(texts, op);
    const auto p1 = ReadWholeNumber(texts.p1), q1 = ReadWholeNumber(texts.q1),
               p2 = ReadWholeNumber(texts.p2), q2 = ReadWholeNumber(texts.q2);
    Fuzz::Check(update.ok() == (p1 && q1 && p2 && q2), "a term that is no whole number");
    if (!update || !CalculateFraction(*p1, *q1, op, *p2, *q2))
        return;
    const QString terms
            = QString("%1/%2 %3 %4/%5").arg(*p1).arg(*q1).arg(int(op)).arg(*p2).arg(*q2);
    const FractionResult expected = Expected(*p1, *q1, op, *p2, *q2);
    Fuzz::Check(*update == expected, "the fraction as GMP's",
                terms + ": " + update->text + " expected " + expected.text);
}

void CheckCommonDivisors(const QString &first, const QString &second)
{
    const Outcome<QStringList> divisors = CommonDivisorTexts(first, second);
    if (!divisors || divisors->isEmpty())
        return;
    const double a = *ReadWholeNumber(first), b = *ReadWholeNumber(second);
    for (const QString &divisor : *divisors) {
        const double d = divisor.toDouble();
        Fuzz::Check(d >= 1 && std::fmod(a, d) == 0 && std::fmod(b, d) == 0,
                    "a common divisor divides both", first + ", " + second + ": " + divisor);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = Fuzz::Lines(data, size, 5);
    CheckFraction(lines);
    CheckCommonDivisors(lines[0], lines[1]);

    RunningSeries series;
    DivisorMultipleRun run;
    run.SetCount(CountOf(lines[0]));
    RaisesCount(lines[0]);
    for (const QString &line : lines) {
        series = AcceptValue(series, line).value_or(series);
        TriangularSumText(line);
        FactorialText(line);
        ExactFactorialText(line);
        const Outcome<DivisorMultipleRun::Step> step = run.Accept(line);
        if (step && *step == DivisorMultipleRun::Step::Finished) {
            run.MultipleText();
            run.DivisorText();
        }
    }
    return 0;
}
