#include "tools/applied/profitlogic.h"

#include <cmath>

double ComputeProfit(const ProfitInputs &inputs)
{
    const double rate = inputs.ratePercent / 100;
    const double value = inputs.compound
            ? inputs.principal * std::pow(inputs.base, rate * inputs.time)
            : inputs.principal * inputs.time * rate;
    return inputs.loan ? -value : value;
}
