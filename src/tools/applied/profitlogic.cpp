#include "tools/applied/profitlogic.h"

#include "eval/emptyinput.h"
#include "eval/numberformat.h"
#include "eval/numberreading.h"

#include <cmath>

using namespace Eval;

namespace Applied {

namespace {

// base^exponent − 1 as expm1 of a logarithm, so that the interest keeps its digits where the
// amount would bury them (a small rate over a short time); through pow where no logarithm is
// (a base of 0 or below, infinities).
double GrowthMinusOne(double base, double exponent, double logarithm)
{
    if (base > 0 && std::isfinite(base) && std::isfinite(exponent))
        return std::expm1(exponent * logarithm);
    return std::pow(base, exponent) - 1;
}

} // namespace

Profit ComputeProfit(const ProfitInputs &inputs)
{
    const double p = inputs.principal;
    const double rate = inputs.ratePercent / 100;
    double interest = 0;
    switch (inputs.interest) {
    case Interest::Simple:
        interest = p * inputs.time * rate;
        break;
    case Interest::Compound: // log1p: 1 + r would round a small rate
        interest = p * GrowthMinusOne(1 + rate, inputs.time, std::log1p(rate));
        break;
    case Interest::Continuous:
        interest = p * GrowthMinusOne(inputs.base, rate * inputs.time, std::log(inputs.base));
        break;
    }
    const double amount = p + interest;
    // Adding +0 turns a loan of nothing into 0 rather than -0.
    return {(inputs.loan ? -interest : interest) + 0.0, amount + 0.0};
}

Outcome<ProfitTextsShown> ProfitFor(const ProfitTexts &texts, ProfitTrigger trigger)
{
    if (trigger == ProfitTrigger::InputsEdited
        && AnyEmpty({texts.principal, texts.ratePercent, texts.time}))
        return Refuse(QString());
    const ProfitInputs inputs{TextToNumber(texts.principal),
                              TextToNumber(texts.ratePercent),
                              TextToNumber(texts.time),
                              TextToNumber(texts.base),
                              texts.loan,
                              texts.interest};
    const Profit profit = ComputeProfit(inputs);
    return ProfitTextsShown{NumberToText(profit.interest), NumberToText(profit.amount)};
}

} // namespace Applied
