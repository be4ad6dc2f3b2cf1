#pragma once

#include <optional>

// Amount concentration c (mol/L) and mass fraction w (%) of a solution of density rho (g/cm³)
// whose solute has the molar mass M (g/mol). Both give nothing while rho or M is (nearly) zero.

std::optional<double> MassFractionPercent(double concentration, double density, double molarMass);
std::optional<double> AmountConcentration(double massFractionPercent, double density,
                                          double molarMass);
