#include "tools/applied/concentrationlogic.h"

#include "eval/tolerance.h"

static bool ConstantsUsable(double density, double molarMass)
{
    return !NearlyZero(density) && !NearlyZero(molarMass);
}

std::optional<double> MassFractionPercent(double concentration, double density, double molarMass)
{
    if (!ConstantsUsable(density, molarMass))
        return std::nullopt;
    return (molarMass * concentration / density / 1000) * 100;
}

std::optional<double> AmountConcentration(double massFractionPercent, double density,
                                          double molarMass)
{
    if (!ConstantsUsable(density, molarMass))
        return std::nullopt;
    const double fraction = massFractionPercent / 100;
    return density * fraction * 1000 / molarMass;
}
