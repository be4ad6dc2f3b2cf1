#pragma once

#include "eval/outcome.h"

#include <QString>

namespace Applied {

// Amount concentration c (mol/L) and mass fraction w (%) of a solution of density ρ (g/cm³)
// whose solute has the molar mass M (g/mol), each written in reply to the other as typed. The
// texts are the boxes' own; non-numeric text reads as 0. There is no reply (a refusal without
// text, nothing to show) while the typed box is empty or ρ or M is (nearly) zero.

Eval::Outcome<QString> MassFractionFor(const QString &concentration, const QString &density,
                                       const QString &molarMass);
Eval::Outcome<QString> ConcentrationFor(const QString &massFractionPercent, const QString &density,
                                        const QString &molarMass);

} // namespace Applied
