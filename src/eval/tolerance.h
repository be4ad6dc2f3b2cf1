#pragma once

namespace Eval {

// The program's equality of reals: |a - b| <= 1e-7.
bool NearlyEqual(double a, double b);
bool NearlyZero(double a);

} // namespace Eval
