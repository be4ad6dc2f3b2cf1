#include "tools/applied/concentrationlogic.h"

#include "eval/emptyinput.h"
#include "eval/numberformat.h"
#include "eval/numberreading.h"
#include "eval/tolerance.h"

using namespace Eval;

namespace Applied {

namespace {

// The operations stay in the order written, so that rounding matches the worked formulas.
double MassFractionPercent(double concentration, double density, double molarMass)
{
    return (molarMass * concentration / density / 1000) * 100;
}

double AmountConcentration(double massFractionPercent, double density, double molarMass)
{
    const double fraction = massFractionPercent / 100;
    return density * fraction * 1000 / molarMass;
}

using Conversion = double (*)(double typed, double density, double molarMass);

Outcome<QString> Reply(Conversion convert, const QString &typed, const QString &densityText,
                       const QString &molarMassText)
{
    const double density = TextToNumber(densityText);
    const double molarMass = TextToNumber(molarMassText);
    if (AnyEmpty({typed}) || NearlyZero(density) || NearlyZero(molarMass))
        return Refuse(QString());
    return NumberToText(convert(TextToNumber(typed), density, molarMass));
}

} // namespace

Outcome<QString> MassFractionFor(const QString &concentration, const QString &density,
                                 const QString &molarMass)
{
    return Reply(MassFractionPercent, concentration, density, molarMass);
}

Outcome<QString> ConcentrationFor(const QString &massFractionPercent, const QString &density,
                                  const QString &molarMass)
{
    return Reply(AmountConcentration, massFractionPercent, density, molarMass);
}

} // namespace Applied
