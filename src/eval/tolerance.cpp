#include "tolerance.h"

#include <cmath>

namespace Eval {

bool NearlyEqual(double a, double b)
{
    return std::fabs(a - b) <= 1e-7;
}

bool NearlyZero(double a)
{
    return std::fabs(a) <= 1e-7;
}

} // namespace Eval
