// The inputs of 排列组合与概率 (fractions, decimals, big whole numbers, lists): each page's texts
// are refused with a reason or give results whose copied lines hold: a probability's decimal
// lies in [0, 1] and within a unit of its 14th digit of the exact fraction beside it, a
// cumulative probability is at least the point one, a variance is not negative, A = C·m!. The
// working is built too. The first character of the first line picks the page, the other lines
// are its inputs.

#include "eval/bigint.h"
#include "eval/rational.h"
#include "fuzzsupport.h"
#include "tools/statistics/binomial.h"
#include "tools/statistics/counting.h"
#include "tools/statistics/distributiontable.h"
#include "tools/statistics/hypergeometric.h"
#include "tools/statistics/normal.h"
#include "tools/statistics/poisson.h"

using namespace Eval;
using namespace Statistics;

namespace {

// The value a copied line gives, from its decimal (after "≈", or the whole text).
std::optional<Rational> Decimal(const QString &copied)
{
    const Outcome<Rational> value = ReadRational(copied.section(QStringLiteral(" ≈ "), -1));
    return value ? std::optional<Rational>(*value) : std::nullopt;
}

void CheckValue(const Ui::NamedValue &value)
{
    if (value.refused)
        return;
    const std::optional<Rational> decimal = Decimal(value.value);
    if (value.value.contains(u'≈') && value.value.contains(u'/') && !value.value.contains(u'e')
        && decimal) {
        const Outcome<Rational> exact = ReadRational(value.value.section(u' ', 0, 0));
        Fuzz::Check(exact.ok(), "the exact part reads back", value.value);
        const Rational unit = *exact->Absolute().Divide(*Rational(10).Power(14));
        Fuzz::Check((*decimal - *exact).Absolute() <= unit, "the decimal is the fraction's",
                    value.value);
    }
    if (value.name.startsWith(u'P') && decimal)
        Fuzz::Check(decimal->Sign() >= 0 && *decimal <= Rational(1), "a probability in [0, 1]",
                    value.value);
    if (value.name == "D(X)" && decimal)
        Fuzz::Check(decimal->Sign() >= 0, "a variance is not negative", value.value);
}

void CheckValues(const Ui::NamedValues &values)
{
    for (const Ui::NamedValue &value : values)
        CheckValue(value);
    if (values.size() >= 2 && values[0].name == "P(X=k)" && !values[0].refused
        && !values[1].refused) {
        const auto point = Decimal(values[0].value);
        const auto cumulative = Decimal(values[1].value);
        if (point && cumulative && !values[0].value.contains(u'e'))
            Fuzz::Check(*point <= *cumulative + *Rational(1).Divide(*Rational(10).Power(14)),
                        "P(X=k) ≤ P(X≤k)", values[1].value);
    }
}

void CheckCounting(const QStringList &in)
{
    const auto values = CountArrangements(in[1], in[2]);
    if (!values || values->size() < 3 || (*values)[0].value.size() > 2000)
        return;
    const auto a = BigInteger::FromDigits((*values)[0].value);
    const auto c = BigInteger::FromDigits((*values)[1].value);
    const auto m = ReadRational(in[2]);
    Fuzz::Check(a && c && m, "A and C are whole numbers", (*values)[0].value);
    if (*a != BigInteger(0))
        Fuzz::Check(*a == c->Multiply(BigInteger::Factorial(m->Numerator().ToText().toULong())),
                    "A = C·m!", (*values)[0].value);
    CountingWorking(in[1], in[2]);
}

template<typename Question>
void CheckPage(const Outcome<Question> &question,
               Ui::NamedValues (*results)(const Question &, Rounding),
               Ui::Working (*working)(const Question &, Rounding))
{
    if (!question)
        return;
    CheckValues(results(*question, Rounding::TenDigits));
    results(*question, Rounding::FourPlaces);
    working(*question, Rounding::TenDigits);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList in = Fuzz::Lines(data, size, 7);
    switch (Fuzz::At(in[0], 0)) {
    case u'0':
        CheckCounting(in);
        PascalTriangle(in[3]);
        break;
    case u'1':
        CheckPage(ReadDistributionTable(in[1], in[2]), TableMoments, TableWorking);
        break;
    case u'2':
        CheckPage(ReadBinomial(in[1], in[2], in[3], in[4], in[5]), BinomialResults,
                  BinomialWorking);
        break;
    case u'3':
        CheckPage(ReadHypergeometric(in[1], in[2], in[3], in[4], in[5], in[6]),
                  HypergeometricResults, HypergeometricWorking);
        break;
    case u'4':
        CheckPage(ReadPoisson(in[1], in[2], in[3], in[4]), PoissonResults, PoissonWorking);
        break;
    default:
        CheckPage(ReadNormal(in[1], in[2], in[3], in[4], in[5]), NormalResults, NormalWorking);
    }
    return 0;
}
