#include "tools/applied/profitlogic.h"

#include "eval/emptyinput.h"
#include "eval/numberformat.h"
#include "eval/numberreading.h"

#include <cmath>

using namespace Eval;

namespace Applied {

double ComputeProfit(const ProfitInputs &inputs)
{
    const double rate = inputs.ratePercent / 100;
    const double value = inputs.compound
            ? inputs.principal * std::pow(inputs.base, rate * inputs.time)
            : inputs.principal * inputs.time * rate;
    return inputs.loan ? -value : value;
}

Outcome<QString> ProfitFor(const ProfitTexts &texts, ProfitTrigger trigger)
{
    if (trigger == ProfitTrigger::InputsEdited
        && AnyEmpty({texts.principal, texts.ratePercent, texts.time}))
        return Refuse(QString());
    const ProfitInputs inputs{TextToNumber(texts.principal),
                              TextToNumber(texts.ratePercent),
                              TextToNumber(texts.time),
                              TextToNumber(texts.base),
                              texts.loan,
                              texts.compound};
    return NumberToText(ComputeProfit(inputs));
}

} // namespace Applied
