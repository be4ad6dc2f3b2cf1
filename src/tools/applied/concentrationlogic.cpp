#include "tools/applied/concentrationlogic.h"

#include "eval/emptyinput.h"
#include "eval/numberformat.h"
#include "eval/numberreading.h"
#include "eval/tolerance.h"

namespace Applied {

namespace {

bool Replies(const QString &typed, double density, double molarMass)
{
    return !AnyEmpty({typed}) && !NearlyZero(density) && !NearlyZero(molarMass);
}

} // namespace

Outcome<QString> MassFractionFor(const QString &concentration, const QString &density,
                                 const QString &molarMass)
{
    const double rho = TextToNumber(density);
    const double mass = TextToNumber(molarMass);
    if (!Replies(concentration, rho, mass))
        return Refuse(QString());
    return NumberToText((mass * TextToNumber(concentration) / rho / 1000) * 100);
}

Outcome<QString> ConcentrationFor(const QString &massFractionPercent, const QString &density,
                                  const QString &molarMass)
{
    const double rho = TextToNumber(density);
    const double mass = TextToNumber(molarMass);
    if (!Replies(massFractionPercent, rho, mass))
        return Refuse(QString());
    const double fraction = TextToNumber(massFractionPercent) / 100;
    return NumberToText(rho * fraction * 1000 / mass);
}

} // namespace Applied
